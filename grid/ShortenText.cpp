#include <grid/ShortenText.h>

#include <QFontMetrics>

#include <algorithm>

namespace {

const QString kEllipsis = QStringLiteral("...");

bool SplitsPair(const QString& text, int length)
{
    return length > 0 && length < text.size() && text.at(length).isLowSurrogate()
        && text.at(length - 1).isHighSurrogate();
}

} // namespace

// A text with more characters than its space has pixels does not fit: every
// character but a zero-width mark is a pixel wide or more. Measuring a huge
// text whole would stall every repaint, and its width would overflow.
bool TextFits(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    return text.isEmpty() || (text.size() < width && metrics.horizontalAdvance(text) + margin < width);
}

QString ShortenText(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    if (TextFits(metrics, text, width, margin))
        return text;

    const int room = width - margin - metrics.horizontalAdvance(kEllipsis);
    // Prefix widths grow with their length, so the longest fitting prefix is
    // found by bisection, among those no longer than the space has pixels; a
    // cut inside a surrogate pair moves before the pair.
    const QString head = text.left(std::max(width, 1) + 1);
    int fits = 0;
    int low = 1;
    int high = int(std::min(head.size(), text.size() - 1));
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        if (metrics.horizontalAdvance(head, mid) < room) {
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

ShownText TextToShow(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    if (text.isEmpty())
        return {};
    if (text.size() < width) {
        const int advance = metrics.horizontalAdvance(text);
        if (advance + margin < width)
            return {text, advance, true};
    }
    QString shortened = ShortenText(metrics, text, width, margin);
    const int advance = metrics.horizontalAdvance(shortened);
    return {std::move(shortened), advance, false};
}
