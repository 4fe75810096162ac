#pragma once

#include <QString>
#include <QStringList>

// One entry of a file dialog's type list: the text the user sees, the
// patterns that select the files, and the extension (without dot) added to a
// name typed without one.
struct FileFilter {
    QString label;
    QStringList patterns;
    QString defaultSuffix;
};

// What a save dialog shows besides its type list, each part empty for the
// dialog's own choice: its title, the folder it opens in and the file name
// it suggests there.
struct SaveFileRequest {
    QString title;
    QString folder;
    QString name;
};

// The way commands ask the user for a file. The program uses Qt's file
// dialogs; tests put a stand-in behind it that answers at once.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // An existing file to read; empty when the user cancels.
    virtual QString openFile(const FileFilter& filter) = 0;
    // A file to write, overwriting confirmed by the user; empty when the user
    // cancels.
    virtual QString saveFile(const FileFilter& filter, const SaveFileRequest& request = {}) = 0;
    // An existing folder to write files of a kind (a filter's default suffix)
    // into; empty when the user cancels. The dialog opens in folder, or
    // without one where files of the kind were last chosen.
    virtual QString chooseFolder(const QString& kind, const QString& title, const QString& folder) = 0;
};
