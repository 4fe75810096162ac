#pragma once

#include <dialogs/FileDialogs.h>

#include <functional>

// Modal Qt file dialogs over the active window. Each kind of file (a filter's
// default suffix) opens in the folder its owner names, and the folder of a
// chosen file is handed back to be remembered for the next time.
class QtFileDialogs final : public FileDialogs {
public:
    // The folder to start in for a kind of file; empty for Qt's choice.
    using StartFolder = std::function<QString(const QString& kind)>;
    using RememberFolder = std::function<void(const QString& kind, const QString& folder)>;

    // Without the two, the dialogs open where Qt chooses and remember nothing.
    explicit QtFileDialogs(StartFolder startFolder = {}, RememberFolder rememberFolder = {});

    QString openFile(const FileFilter& filter) override;
    QString saveFile(const FileFilter& filter, const SaveFileRequest& request) override;
    QString chooseFolder(const QString& kind, const QString& title, const QString& folder) override;

private:
    // request.folder, when given, is where the dialog opens instead of the
    // kind's folder.
    QString run(const FileFilter& filter, bool save, const SaveFileRequest& request);
    // The folder given, or the kind's.
    QString startIn(const QString& kind, const QString& folder) const;
    void remember(const QString& kind, const QString& folder) const;

    StartFolder m_startFolder;
    RememberFolder m_rememberFolder;
};
