#include <dialogs/QtFileDialogs.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Qt reads the patterns from the last parenthesised group of a filter, and
// hiding the details leaves exactly the label in the type list.
QString qtNameFilter(const FileFilter& filter)
{
    return filter.label + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

QtFileDialogs::QtFileDialogs(StartFolder startFolder, RememberFolder rememberFolder)
    : m_startFolder(std::move(startFolder)), m_rememberFolder(std::move(rememberFolder))
{
}

QString QtFileDialogs::openFile(const FileFilter& filter)
{
    return run(filter, false, {});
}

QString QtFileDialogs::saveFile(const FileFilter& filter, const SaveFileRequest& request)
{
    return run(filter, true, request);
}

QString QtFileDialogs::chooseFolder(const QString& kind, const QString& title, const QString& folder)
{
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, startIn(kind, folder));
    if (!chosen.isEmpty())
        remember(kind, chosen);
    return chosen;
}

QString QtFileDialogs::startIn(const QString& kind, const QString& folder) const
{
    if (folder.isEmpty() && m_startFolder)
        return m_startFolder(kind);
    return folder;
}

void QtFileDialogs::remember(const QString& kind, const QString& folder) const
{
    if (m_rememberFolder)
        m_rememberFolder(kind, folder);
}

QString QtFileDialogs::run(const FileFilter& filter, bool save, const SaveFileRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtNameFilter(filter));
    dialog.setDefaultSuffix(filter.defaultSuffix);
    const QString kind = filter.defaultSuffix;
    const QString start = startIn(kind, request.folder);
    if (!start.isEmpty())
        dialog.setDirectory(start);
    if (!request.name.isEmpty())
        dialog.selectFile(request.name);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    remember(kind, QFileInfo(files.first()).absolutePath());
    return files.first();
}
