#pragma once

#include <QWidget>

#include <initializer_list>
#include <vector>

// Chains the widgets into the tab order in the given order.
inline void SetTabChain(std::initializer_list<std::vector<QWidget*>> groups)
{
    QWidget* previous = nullptr;
    for (const auto& group : groups) {
        for (QWidget* widget : group) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
}
