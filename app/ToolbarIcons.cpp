#include <app/ToolbarIcons.h>

#include <QFile>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>

// The resource file lives in the static app library; nothing would pull its
// registration into the program unless it is named here (outside any
// namespace, as the macro requires).
static void initResources()
{
    Q_INIT_RESOURCE(varnholt);
}

namespace {

// The pictures are drawn with dark ink on white paper. On a dark bar the ink
// turns light and the paper dim; the coloured parts stay as they are.
struct Recolour {
    const char* light;
    const char* dark;
};
constexpr Recolour kDarkLook[] = {{"#333333", "#e3e3e3"}, {"#ffffff", "#5a5a60"}};

// Sizes rendered: the bars' 16 pixels, and twice that for dense screens.
constexpr int kSizes[] = {16, 24, 32};

QIcon render(const QString& resource, bool darkLook)
{
    initResources();
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray svg = file.readAll();
    if (darkLook) {
        for (const Recolour& r : kDarkLook)
            svg.replace(r.light, r.dark);
    }
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (const int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

namespace ToolbarIcons {

QIcon picture(const char* name, bool darkLook)
{
    return render(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), darkLook);
}

QIcon programIcon()
{
    return render(QStringLiteral(":/varnholt.svg"), false);
}

bool isDark(const QPalette& palette)
{
    constexpr int kDarkLightness = 128;
    return palette.color(QPalette::Button).lightness() < kDarkLightness;
}

} // namespace ToolbarIcons
