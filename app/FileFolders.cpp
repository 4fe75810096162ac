#include <app/FileFolders.h>

#include <app/AppSettings.h>

#include <commands/ModelCommands.h>
#include <library/ExeFolder.h>

#include <QDir>
#include <QFileInfo>

namespace FileFolders {

QString startFolder(const QString& kind)
{
    const QString last = AppSettings::readFolder(kind);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    if (kind == ModelCommands::CadFilter().defaultSuffix) {
        const QString samples = QDir(QString::fromStdString(GetExeFolder())).filePath(QLatin1String(kSampleDrawings));
        if (QFileInfo(samples).isDir())
            return samples;
    }
    return {};
}

void remember(const QString& kind, const QString& folder)
{
    AppSettings::writeFolder(kind, folder);
}

} // namespace FileFolders
