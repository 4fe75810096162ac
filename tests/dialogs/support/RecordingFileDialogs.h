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
        FileFilter filter; // for a folder, only its kind as the default suffix
        QString folder;
        QString title;
        QString name;
    };

    QString openFile(const FileFilter& filter) override { return answer(false, filter, {}); }
    QString saveFile(const FileFilter& filter, const SaveFileRequest& request) override
    {
        return answer(true, filter, request);
    }
    QString chooseFolder(const QString& kind, const QString& title, const QString& folder) override
    {
        return answer(false, FileFilter{{}, {}, kind}, {title, folder, {}});
    }

    std::vector<Asked> asked;
    std::deque<QString> paths;

private:
    QString answer(bool save, const FileFilter& filter, const SaveFileRequest& request)
    {
        asked.push_back({save, filter, request.folder, request.title, request.name});
        if (paths.empty())
            return QString();
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};
