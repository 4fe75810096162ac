#include <app/AppSettings.h>

#include <QSettings>

#include <algorithm>

namespace {
const char* const kLookKey = "ApplicationLook";
const char* const kRecentGroup = "Recent File List";
const char* const kRecentKeyFormat = "File%1";
const char* const kGeometryKey = "Workspace/Geometry";
const char* const kStateKey = "Workspace/State";
const char* const kUserToolbarsKey = "Workspace/UserToolbars";
const char* const kColumnsGroup = "Columns";
const char* const kToolbarsArray = "Toolbars";
const char* const kCommandImagesGroup = "CommandImages";

QVariantList toVariants(const QList<int>& values)
{
    QVariantList list;
    for (const int value : values)
        list.append(value);
    return list;
}

QList<int> toInts(const QVariant& value)
{
    QList<int> ints;
    for (const QVariant& v : value.toList())
        ints.append(v.toInt());
    return ints;
}
const char* const kFoldersGroup = "Folders";

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

// The writers leave a setting alone when it reads back as the value already:
// every write makes QSettings save the whole file, synced to disk, and
// start-up applies what it has just read.
void writeLook(int look)
{
    if (readLook() != look)
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

QList<ToolbarContent> readToolbars()
{
    QSettings settings = store();
    QList<ToolbarContent> toolbars;
    const int count = settings.beginReadArray(kToolbarsArray);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        toolbars.append({settings.value("ObjectName").toString(), settings.value("Title").toString(),
                         toInts(settings.value("Commands"))});
    }
    settings.endArray();
    return toolbars;
}

void writeToolbars(const QList<ToolbarContent>& toolbars)
{
    QSettings settings = store();
    settings.remove(kToolbarsArray);
    settings.beginWriteArray(kToolbarsArray, int(toolbars.size()));
    for (int i = 0; i < toolbars.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue("ObjectName", toolbars[i].objectName);
        settings.setValue("Title", toolbars[i].title);
        settings.setValue("Commands", toVariants(toolbars[i].commands));
    }
    settings.endArray();
}

QMap<int, int> readCommandImages()
{
    QSettings settings = store();
    settings.beginGroup(kCommandImagesGroup);
    QMap<int, int> images;
    for (const QString& key : settings.childKeys()) {
        bool ok = false;
        const int id = key.toInt(&ok);
        if (ok)
            images.insert(id, settings.value(key).toInt());
    }
    return images;
}

void writeCommandImages(const QMap<int, int>& images)
{
    QSettings settings = store();
    settings.remove(kCommandImagesGroup);
    settings.beginGroup(kCommandImagesGroup);
    for (auto it = images.begin(); it != images.end(); ++it)
        settings.setValue(QString::number(it.key()), it.value());
}

QList<int> readColumnWidths(const QString& key)
{
    QSettings settings = store();
    settings.beginGroup(kColumnsGroup);
    QList<int> widths = toInts(settings.value(key));
    for (int& width : widths)
        width = std::max(0, width);
    return widths;
}

void writeColumnWidths(const QString& key, const QList<int>& widths)
{
    if (readColumnWidths(key) == widths)
        return;
    QSettings settings = store();
    settings.beginGroup(kColumnsGroup);
    settings.setValue(key, toVariants(widths));
}

QString readFolder(const QString& kind)
{
    QSettings settings = store();
    settings.beginGroup(kFoldersGroup);
    return settings.value(kind).toString();
}

void writeFolder(const QString& kind, const QString& folder)
{
    if (readFolder(kind) == folder)
        return;
    QSettings settings = store();
    settings.beginGroup(kFoldersGroup);
    settings.setValue(kind, folder);
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
