#include <app/FileFolders.h>

#include <app/AppSettings.h>

#include <commands/ModelCommands.h>

#include <QDir>
#include <QFileInfo>

namespace FileFolders {

QString startFolder(const std::string& libraryFolder, const QString& kind)
{
    const QString last = AppSettings::readFolder(kind);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (kind == ModelCommands::CadFilter().defaultSuffix) {
        const QString samples = QDir(QString::fromStdString(libraryFolder)).filePath(QLatin1String(kSampleDrawings));
        if (QFileInfo(samples).isDir())
            return samples;
    }
    return {};
}

std::function<QString(const QString& kind)> startFolderIn(std::string libraryFolder)
{
    return [folder = std::move(libraryFolder)](const QString& kind) { return startFolder(folder, kind); };
}

void remember(const QString& kind, const QString& folder)
{
    AppSettings::writeFolder(kind, folder);
}

} // namespace FileFolders
