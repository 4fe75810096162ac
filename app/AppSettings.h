#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The program's settings store: organisation "应用程序向导生成的本地应用程序",
// application "Varnholt". It holds the look, the recent-file list and the
// workspace (window geometry and dock layout).
namespace AppSettings {

inline constexpr int kDefaultLook = 214;
inline constexpr int kRecentFileCount = 4;

QString organization();
QString application();

int readLook();
void writeLook(int look);

QStringList readRecentFiles();
void writeRecentFiles(const QStringList& files);

struct Workspace {
    QByteArray geometry;
    QByteArray state;
    int userToolbars = 0;
};
Workspace readWorkspace();
void writeWorkspace(const Workspace& workspace);

// What the user made of a toolbar: its object name, caption and commands in
// order (0 stands for a separator).
struct ToolbarContent {
    QString objectName;
    QString title;
    QList<int> commands;
};
// Every toolbar as the user left it; empty before the first customisation.
QList<ToolbarContent> readToolbars();
void writeToolbars(const QList<ToolbarContent>& toolbars);

// The user images given to commands: command id to image index.
QMap<int, int> readCommandImages();
void writeCommandImages(const QMap<int, int>& images);

// The column widths the user gave a list, one per column, 0 where the list
// sizes the column itself; key names the list.
QList<int> readColumnWidths(const QString& key);
void writeColumnWidths(const QString& key, const QList<int>& widths);

// The folder a file dialog for one kind of file opened in last; empty if none.
QString readFolder(const QString& kind);
void writeFolder(const QString& kind, const QString& folder);

} // namespace AppSettings

// The most recently used files, newest first, at most four; kept in the
// settings store.
class CRecentFileList {
public:
    CRecentFileList();
    const QStringList& files() const { return m_files; }
    // Puts the file first (moving it up if it was listed) and stores the list.
    void add(const QString& path);
    void remove(const QString& path);

private:
    QStringList m_files;
};
