#include <dialogs/QtFileDialogs.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Qt reads the patterns from the last parenthesised group of a filter, and
// hiding the details leaves exactly the label in the type list.
QString qtNameFilter(const QString& label, const QStringList& patterns)
{
    return label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

} // namespace

QtFileDialogs::QtFileDialogs(StartFolder startFolder, RememberFolder rememberFolder)
    : m_startFolder(std::move(startFolder)), m_rememberFolder(std::move(rememberFolder))
{
}

QString QtFileDialogs::openFile(const FileFilter& filter)
{
    return run(filter, false, QString());
}

QString QtFileDialogs::saveFile(const FileFilter& filter, const QString& folder)
{
    return run(filter, true, folder);
}

QString QtFileDialogs::run(const FileFilter& filter, bool save, const QString& folder)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList types{qtNameFilter(filter.label, filter.patterns)};
    for (const FileType& type : filter.more)
        types << qtNameFilter(type.label, type.patterns);
    dialog.setNameFilters(types);
    dialog.setDefaultSuffix(filter.defaultSuffix);
    const QString kind = filter.defaultSuffix;
    QString start = folder;
    if (start.isEmpty() && m_startFolder)
        start = m_startFolder(kind);
    if (!start.isEmpty())
        dialog.setDirectory(start);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    if (m_rememberFolder)
        m_rememberFolder(kind, QFileInfo(files.first()).absolutePath());
    return files.first();
}
