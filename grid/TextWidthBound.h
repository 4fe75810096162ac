#pragma once

#include <QFontMetrics>
#include <QString>

#include <vector>

// The width a text takes at most in a font, as the sum of its characters'
// advances, each measured once. Shaping only ever draws a run of ordinary
// characters tighter (kerning), so the sum is never short of the width drawn;
// fitting a column to it costs a table look-up per character instead of a
// shaping per cell. Texts with surrogate pairs are measured whole.
class TextWidthBound {
public:
    explicit TextWidthBound(const QFontMetrics& metrics);

    int operator()(const QString& text);

private:
    int& advanceSlot(char16_t unit);

    QFontMetrics m_metrics;
    // Per UTF-16 unit, -1 until measured, in pages of 256 made when first
    // needed: a column of Chinese and Latin texts touches a few pages only.
    std::vector<std::vector<int>> m_pages;
};
