#include <grid/ReadableColor.h>

#include <algorithm>
#include <cmath>

namespace {

// The contrast below which small text is hard to read.
constexpr double kReadableContrast = 4.5;

double channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double worstContrast(const QColor& text, const QList<QColor>& backgrounds)
{
    double worst = 21.0;
    for (const QColor& background : backgrounds)
        worst = std::min(worst, ContrastRatio(text, background));
    return worst;
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableTextColor(const QColor& preferred, const QList<QColor>& backgrounds)
{
    if (worstContrast(preferred, backgrounds) >= kReadableContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return worstContrast(white, backgrounds) > worstContrast(black, backgrounds) ? white : black;
}
