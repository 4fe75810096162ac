#pragma once

#include <dialogs/FileDialogs.h>

// Modal Qt file dialogs over the active window.
class QtFileDialogs final : public FileDialogs {
public:
    QString openFile(const FileFilter& filter) override;
    QString saveFile(const FileFilter& filter, const QString& folder) override;
};
