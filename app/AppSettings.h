#pragma once

#include <QByteArray>
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
