#include <grid/TextWidthBound.h>

TextWidthBound::TextWidthBound(const QFontMetrics& metrics) : m_metrics(metrics), m_advances(0x10000, -1) {}

int TextWidthBound::operator()(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        if (c.isSurrogate())
            return std::max(width, m_metrics.horizontalAdvance(text));
        int& advance = m_advances[c.unicode()];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(c);
        width += advance;
    }
    return width;
}
