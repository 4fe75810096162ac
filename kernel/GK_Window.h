#pragma once

#include <QSize>

// The window a drawing context paints into, as the kernel needs it: its
// client size and a way to ask for a repaint.
class GK_Window {
public:
    virtual ~GK_Window() = default;
    virtual QSize clientSize() const = 0;
    virtual void requestRepaint() = 0;
};
