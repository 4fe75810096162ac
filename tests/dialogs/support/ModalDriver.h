#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal dialog once its event loop runs: polls until a modal
// widget is active, then calls the action with it. Lets a test drive a
// dialog that a command runs with exec(). Polls for two seconds, since other
// event loops (an import waiting for its thread) may run before the dialog.
inline void WhenModalShown(std::function<void(QWidget*)> action, int attempts = 400)
{
    constexpr int kPollMs = 5;
    QTimer::singleShot(kPollMs, [action = std::move(action), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        if (attempts > 0)
            WhenModalShown(std::move(action), attempts - 1);
    });
}

// The visible dialog of the given class: the modal one, or one that runs
// beside a view the user may still use.
inline QWidget* ShownDialog(const char* className)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && modal->inherits(className))
        return modal;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->inherits(className))
            return window;
    return nullptr;
}

// The same for the next dialog of the given class, for steps where one
// dialog closes and the next one opens.
inline void WhenDialogShown(const char* className, std::function<void(QWidget*)> action, int attempts = 400)
{
    constexpr int kPollMs = 5;
    QTimer::singleShot(kPollMs, [className, action = std::move(action), attempts]() mutable {
        if (QWidget* dialog = ShownDialog(className)) {
            action(dialog);
            return;
        }
        if (attempts > 0)
            WhenDialogShown(className, std::move(action), attempts - 1);
    });
}
