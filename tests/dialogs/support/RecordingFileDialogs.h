#pragma once

#include <dialogs/FileDialogs.h>

#include <QString>

#include <deque>
#include <vector>

// Answers file dialogs at once from a queue of prepared paths (empty, as
// after Cancel, when the queue is empty) and records what was asked.
class RecordingFileDialogs final : public FileDialogs {
public:
    struct Asked {
        bool save;
        FileFilter filter;
        QString folder;
    };

    QString openFile(const FileFilter& filter) override { return answer(false, filter, QString()); }
    QString saveFile(const FileFilter& filter, const QString& folder) override { return answer(true, filter, folder); }

    std::vector<Asked> asked;
    std::deque<QString> paths;

private:
    QString answer(bool save, const FileFilter& filter, const QString& folder)
    {
        asked.push_back({save, filter, folder});
        if (paths.empty())
            return QString();
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};
