#include <grid/GridImageStrip.h>

#include <QImage>
#include <QPainter>

#include <array>

namespace {

const QColor kOutline(64, 64, 64);
const QColor kFolder(240, 200, 80);
const QColor kFolderShade(200, 150, 40);
const QColor kPage(255, 255, 255);
const QColor kPageLines(128, 128, 160);

void DrawClosedFolder(QPainter& p, int x)
{
    p.setPen(kOutline);
    p.setBrush(kFolder);
    p.drawRect(x + 1, 4, 13, 9);
    p.drawRect(x + 1, 2, 5, 2);
}

void DrawOpenFolder(QPainter& p, int x)
{
    p.setPen(kOutline);
    p.setBrush(kFolderShade);
    p.drawRect(x + 1, 4, 12, 9);
    p.drawRect(x + 1, 2, 5, 2);
    p.setBrush(kFolder);
    const std::array<QPoint, 4> front = {QPoint(x + 4, 7), QPoint(x + 15, 7), QPoint(x + 13, 13), QPoint(x + 1, 13)};
    p.drawPolygon(front.data(), int(front.size()));
}

void DrawPage(QPainter& p, int x)
{
    p.setPen(kOutline);
    p.setBrush(kPage);
    p.drawRect(x + 3, 1, 10, 13);
    p.setPen(kPageLines);
    for (int y = 4; y <= 11; y += 2)
        p.drawLine(x + 5, y, x + 11, y);
}

void DrawSpare(QPainter& p, int x, const QColor& color)
{
    p.setPen(kOutline);
    p.setBrush(color);
    p.drawEllipse(x + 3, 3, 9, 9);
}

} // namespace

QPixmap MakeGridImageStrip()
{
    const QColor mask = ColorFromColorRef(kGridImageMaskColor);
    QImage strip(kGridImageWidth * kGridImageCount, kGridImageHeight, QImage::Format_ARGB32);
    strip.fill(mask);
    {
        QPainter p(&strip);
        DrawOpenFolder(p, ExpandedNodeImage * kGridImageWidth);
        DrawClosedFolder(p, CollapsedNodeImage * kGridImageWidth);
        DrawPage(p, LeafImage * kGridImageWidth);
        const std::array<QColor, kGridImageCount - 3> spare = {
            QColor(220, 40, 40), QColor(40, 160, 40), QColor(40, 80, 220), QColor(230, 140, 20),
            QColor(150, 60, 190), QColor(30, 170, 170), QColor(150, 150, 150)};
        for (int i = 0; i < int(spare.size()); ++i)
            DrawSpare(p, (LeafImage + 1 + i) * kGridImageWidth, spare[i]);
    }
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            if (line[x] == mask.rgb())
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(strip);
}
