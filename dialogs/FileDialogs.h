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

// The way commands ask the user for a file. The program uses Qt's file
// dialogs; tests put a stand-in behind it that answers at once.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // An existing file to read; empty when the user cancels.
    virtual QString openFile(const FileFilter& filter) = 0;
    // A file to write, overwriting confirmed by the user; empty when the user
    // cancels. The dialog opens in folder when one is given.
    virtual QString saveFile(const FileFilter& filter, const QString& folder = QString()) = 0;
};
