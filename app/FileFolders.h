#pragma once

#include <QString>

// Where the file dialogs of the model and machining commands open, per kind
// of file (the default suffix of the dialog's filter), kept in the settings.
namespace FileFolders {

// The folder of the sample drawings beside the program.
inline constexpr char kSampleDrawings[] = "samples";

// The folder last used for the kind, while it exists; before that, for CAD
// drawings, the sample drawings' folder when it exists; else empty.
QString startFolder(const QString& kind);
void remember(const QString& kind, const QString& folder);

} // namespace FileFolders
