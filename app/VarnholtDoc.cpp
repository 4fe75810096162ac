#include <app/VarnholtDoc.h>

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void CVarnholtDoc::OnNewDocument()
{
    m_path.clear();
}

bool CVarnholtDoc::OnOpenDocument(const QString& path)
{
    // Opened by the system itself, so that a failure comes with its reason.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_openError = errno;
        return false;
    }
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    if (folder) {
        m_openError = EISDIR;
        return false;
    }
    m_openError = 0;
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

bool CVarnholtDoc::OnSaveDocument(const QString& path)
{
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

QString CVarnholtDoc::title() const
{
    return m_path.isEmpty() ? QStringLiteral("无标题") : QFileInfo(m_path).fileName();
}
