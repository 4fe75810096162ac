#pragma once

#include "ModalDriver.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Helpers for driving the dialogs in tests.

inline QLineEdit* Field(QWidget* dialog, const char* name)
{
    auto* field = dialog->findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(field, nullptr) << name;
    return field;
}

inline QComboBox* List(QWidget* dialog, const char* name)
{
    auto* list = dialog->findChild<QComboBox*>(QLatin1String(name));
    EXPECT_NE(list, nullptr) << name;
    return list;
}

inline QPushButton* Button(QWidget* dialog, const char* name)
{
    auto* button = dialog->findChild<QPushButton*>(QLatin1String(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
}

// Whether the field holds its window's focus (also while the window is not
// the active one, as on the offscreen platform).
inline bool HasFocus(const QWidget* field)
{
    return field->window()->focusWidget() == field;
}

inline void Click(QWidget* dialog, const char* buttonName)
{
    QTest::mouseClick(Button(dialog, buttonName), Qt::LeftButton);
}

inline void Type(QWidget* dialog, const char* fieldName, const QString& text)
{
    QLineEdit* field = Field(dialog, fieldName);
    field->clear();
    // QTest types only Latin-1 keys; other text is put in as an input method would.
    bool latin = true;
    for (const QChar ch : text)
        latin = latin && ch.unicode() < 0x80 && ch != QLatin1Char('\t');
    if (latin)
        QTest::keyClicks(field, text);
    else
        field->setText(text);
}

inline QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

inline QStringList LabelTexts(const QWidget* dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

inline QStringList GroupTitles(const QWidget* dialog)
{
    QStringList titles;
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>())
        titles << box->title();
    return titles;
}

// The widgets met when tabbing from first, as many as expected holds.
inline std::vector<QWidget*> TabChainFrom(QWidget* first, std::size_t count)
{
    std::vector<QWidget*> chain;
    QWidget* widget = first;
    while (chain.size() < count) {
        chain.push_back(widget);
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(first->window()));
    }
    return chain;
}

// Runs the dialog modally with the action applied once it is shown. A dialog
// the action leaves open is cancelled after a while so a failing test ends.
template <typename Dialog>
int RunModal(Dialog& dialog, std::function<void(QWidget*)> action)
{
    constexpr int kGuardMs = 5000;
    WhenModalShown(std::move(action));
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &dialog, [&dialog] {
        ADD_FAILURE() << "dialog left open";
        dialog.reject();
    });
    guard.start(kGuardMs);
    return dialog.DoModal();
}
