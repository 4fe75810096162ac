#include <dialogs/QtMessageBoxes.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

int QtMessageBoxes::choose(const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Warning, caption(), text, QMessageBox::NoButton, QApplication::activeWindow());
    QList<QAbstractButton*> added;
    for (const QString& label : buttons)
        added.append(box.addButton(label, QMessageBox::AcceptRole));
    if (!added.isEmpty()) {
        box.setEscapeButton(added.back());
        box.setDefaultButton(static_cast<QPushButton*>(added.back()));
    }
    box.exec();
    const qsizetype pressed = added.indexOf(box.clickedButton());
    return static_cast<int>(pressed >= 0 ? pressed : added.size() - 1);
}

bool QtMessageBoxes::question(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), caption(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}
