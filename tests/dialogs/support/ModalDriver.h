#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on the next modal dialog once its event loop runs: polls until a modal
// widget is active, then calls the action with it. Lets a test drive a
// dialog that a command runs with exec().
inline void WhenModalShown(std::function<void(QWidget*)> action, int attempts = 200)
{
    QTimer::singleShot(0, [action = std::move(action), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        if (attempts > 0)
            WhenModalShown(std::move(action), attempts - 1);
    });
}
