#include <dialogs/QtMessageBoxes.h>

#include <QApplication>
#include <QMessageBox>

namespace {
QString caption()
{
    return QGuiApplication::applicationDisplayName();
}
} // namespace

void QtMessageBoxes::information(const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), caption(), text);
}

void QtMessageBoxes::warning(const QString& text)
{
    QMessageBox::warning(QApplication::activeWindow(), caption(), text);
}

bool QtMessageBoxes::question(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), caption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}
