#pragma once

#include <QString>

#include <functional>
#include <string>

// Where the file dialogs of the model and machining commands open, per kind
// of file (the default suffix of the dialog's filter), kept in the settings.
namespace FileFolders {

// The folder of the sample drawings beside the library (and the program).
inline constexpr char kSampleDrawings[] = "samples";

// The folder last used for the kind, while it exists; before that, for CAD
// drawings, the sample drawings' folder in libraryFolder when it exists; else
// empty.
QString startFolder(const std::string& libraryFolder, const QString& kind);
// Where the dialogs of the commands of the library in libraryFolder start.
std::function<QString(const QString& kind)> startFolderIn(std::string libraryFolder);
void remember(const QString& kind, const QString& folder);

} // namespace FileFolders
