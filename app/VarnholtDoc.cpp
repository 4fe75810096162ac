#include <app/VarnholtDoc.h>

#include <QFile>
#include <QFileInfo>

void CVarnholtDoc::OnNewDocument()
{
    m_path.clear();
}

bool CVarnholtDoc::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
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
