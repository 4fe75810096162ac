#include <dialogs/QtFileDialogs.h>

#include <QApplication>
#include <QFileDialog>

namespace {

// Qt reads the patterns from the last parenthesised group of a filter, and
// hiding the details leaves exactly the label in the type list.
QString qtNameFilter(const FileFilter& filter)
{
    return filter.label + QStringLiteral(" (") + filter.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString runFileDialog(const FileFilter& filter, QFileDialog::AcceptMode mode, const QString& folder = QString())
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(qtNameFilter(filter));
    dialog.setDefaultSuffix(filter.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QString QtFileDialogs::openFile(const FileFilter& filter)
{
    return runFileDialog(filter, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::saveFile(const FileFilter& filter, const QString& folder)
{
    return runFileDialog(filter, QFileDialog::AcceptSave, folder);
}
