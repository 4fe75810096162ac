#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

#include <algorithm>
#include <cstdlib>

// The pixels of the picture in the colour's hue: thin lines are smoothed
// into the white background, which keeps the hue and pales the colour.
inline QRegion pixelsOf(const QImage& image, const QColor& colour)
{
    constexpr int kHueTolerance = 12;
    constexpr int kMinSaturation = 50;
    QRegion region;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int dh = std::abs(c.hue() - colour.hue());
            if (c.saturation() >= kMinSaturation && std::min(dh, 360 - dh) <= kHueTolerance)
                region += QRect(x, y, 1, 1);
        }
    return region;
}
