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
    QFontMetrics m_metrics;
    std::vector<int> m_advances; // per UTF-16 unit; -1 until measured
};
