#include <dialogs/QtPrinterChoice.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

bool QtPrinterChoice::choose(QPrinter& printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}
