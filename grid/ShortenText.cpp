#include <grid/ShortenText.h>

#include <QFontMetrics>

namespace {

const QString kEllipsis = QStringLiteral("...");

bool SplitsPair(const QString& text, int length)
{
    return length > 0 && length < text.size() && text.at(length).isLowSurrogate()
        && text.at(length - 1).isHighSurrogate();
}

} // namespace

bool TextFits(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    return text.isEmpty() || metrics.horizontalAdvance(text) + margin < width;
}

QString ShortenText(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    if (TextFits(metrics, text, width, margin))
        return text;

    const int room = width - margin - metrics.horizontalAdvance(kEllipsis);
    // Prefix widths grow with their length, so the longest fitting prefix is
    // found by bisection; a cut inside a surrogate pair moves before the pair.
    int fits = 0;
    int low = 1;
    int high = int(text.size()) - 1;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        if (metrics.horizontalAdvance(text, mid) < room) {
            fits = mid;
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    if (SplitsPair(text, fits))
        --fits;
    if (fits == 0)
        fits = SplitsPair(text, 1) ? 2 : 1;
    return text.left(fits) + kEllipsis;
}
