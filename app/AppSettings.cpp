#include <app/AppSettings.h>

#include <QSettings>

namespace {
const char* const kLookKey = "ApplicationLook";
const char* const kRecentGroup = "Recent File List";
const char* const kRecentKeyFormat = "File%1";
const char* const kGeometryKey = "Workspace/Geometry";
const char* const kStateKey = "Workspace/State";
const char* const kUserToolbarsKey = "Workspace/UserToolbars";

QSettings store()
{
    return QSettings(AppSettings::organization(), AppSettings::application());
}
} // namespace

namespace AppSettings {

QString organization()
{
    return QStringLiteral("应用程序向导生成的本地应用程序");
}

QString application()
{
    return QStringLiteral("Varnholt");
}

int readLook()
{
    bool ok = false;
    const int look = store().value(kLookKey, kDefaultLook).toInt(&ok);
    return ok ? look : kDefaultLook;
}

void writeLook(int look)
{
    store().setValue(kLookKey, look);
}

QStringList readRecentFiles()
{
    QSettings settings = store();
    settings.beginGroup(kRecentGroup);
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString(kRecentKeyFormat).arg(i)).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void writeRecentFiles(const QStringList& files)
{
    QSettings settings = store();
    settings.beginGroup(kRecentGroup);
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString(kRecentKeyFormat).arg(i);
        if (i <= files.size())
            settings.setValue(key, files[i - 1]);
        else
            settings.remove(key);
    }
}

Workspace readWorkspace()
{
    QSettings settings = store();
    return {settings.value(kGeometryKey).toByteArray(), settings.value(kStateKey).toByteArray(),
            settings.value(kUserToolbarsKey, 0).toInt()};
}

void writeWorkspace(const Workspace& workspace)
{
    QSettings settings = store();
    settings.setValue(kGeometryKey, workspace.geometry);
    settings.setValue(kStateKey, workspace.state);
    settings.setValue(kUserToolbarsKey, workspace.userToolbars);
}

} // namespace AppSettings

CRecentFileList::CRecentFileList() : m_files(AppSettings::readRecentFiles()) {}

void CRecentFileList::add(const QString& path)
{
    m_files.removeAll(path);
    m_files.prepend(path);
    while (m_files.size() > AppSettings::kRecentFileCount)
        m_files.removeLast();
    AppSettings::writeRecentFiles(m_files);
}

void CRecentFileList::remove(const QString& path)
{
    m_files.removeAll(path);
    AppSettings::writeRecentFiles(m_files);
}
