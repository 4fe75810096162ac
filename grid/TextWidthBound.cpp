#include <grid/TextWidthBound.h>

namespace {
constexpr int kPageUnits = 256;
}

TextWidthBound::TextWidthBound(const QFontMetrics& metrics) : m_metrics(metrics), m_pages(0x10000 / kPageUnits) {}

int& TextWidthBound::advanceSlot(char16_t unit)
{
    std::vector<int>& page = m_pages[unit / kPageUnits];
    if (page.empty())
        page.assign(kPageUnits, -1);
    return page[unit % kPageUnits];
}

int TextWidthBound::operator()(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        if (c.isSurrogate())
            return std::max(width, m_metrics.horizontalAdvance(text));
        int& advance = advanceSlot(c.unicode());
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(c);
        width += advance;
    }
    return width;
}
