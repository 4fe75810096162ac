#pragma once

#include <QColor>

#include <QList>

// Contrast of two colours, 1 (alike) to 21 (black on white), from their
// relative luminance.
double ContrastRatio(const QColor& a, const QColor& b);

// The preferred text colour where it reads well on every background it
// stands on; otherwise black or white, whichever reads better on all.
QColor ReadableTextColor(const QColor& preferred, const QList<QColor>& backgrounds);
