#include <app/Looks.h>

#include <app/CommandIds.h>

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace {

const char* const kClassicStyle = "Windows";
const char* const kFlatStyle = "Fusion";

// A light palette derived from a button and a window colour, with an accent
// for selections.
QPalette lightPalette(QColor button, QColor window, QColor accent)
{
    QPalette palette(button, window);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, window.lighter(104));
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    return palette;
}

// Dark frame, bars and captions around light content areas: the lists paint
// their rows in the records' own (dark) text colours, which must stay readable.
QPalette darkPalette()
{
    const QColor window(0x2D, 0x2D, 0x30);
    const QColor text(0xE8, 0xE8, 0xE8);
    const QColor contentText(0x1E, 0x1E, 0x1E);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0xF2, 0xF2, 0xF2));
    palette.setColor(QPalette::AlternateBase, QColor(0xE6, 0xE6, 0xE8));
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Text, contentText);
    palette.setColor(QPalette::Button, QColor(0x3C, 0x3C, 0x40));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::red);
    palette.setColor(QPalette::Highlight, QColor(0x3A, 0x6E, 0xA5));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    // Links stand on the dark bars (the status bar's note): light blue.
    palette.setColor(QPalette::Link, QColor(0x8A, 0xB4, 0xF8));
    palette.setColor(QPalette::LinkVisited, QColor(0xC5, 0x8A, 0xF9));
    palette.setColor(QPalette::Light, QColor(0x55, 0x55, 0x5A));
    palette.setColor(QPalette::Midlight, QColor(0x45, 0x45, 0x4A));
    palette.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x33));
    palette.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x22));
    palette.setColor(QPalette::Shadow, Qt::black);
    const QColor disabled(0x80, 0x80, 0x80);
    palette.setColor(QPalette::Disabled, QPalette::Text, disabled);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabled);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabled);
    return palette;
}

QPalette paletteFor(int look)
{
    switch (look) {
    case ID_VIEW_APPLOOK_WIN_2000:
        return QPalette(QColor(0xD4, 0xD0, 0xC8), QColor(0xD4, 0xD0, 0xC8));
    case ID_VIEW_APPLOOK_OFF_XP:
        return lightPalette(QColor(0xF7, 0xF6, 0xF3), QColor(0xF9, 0xF8, 0xF7), QColor(0x31, 0x6A, 0xC5));
    case ID_VIEW_APPLOOK_WIN_XP:
        return lightPalette(QColor(0xEC, 0xE9, 0xD8), QColor(0xEC, 0xE9, 0xD8), QColor(0x31, 0x6A, 0xC5));
    case ID_VIEW_APPLOOK_OFF_2003:
        return lightPalette(QColor(0xDD, 0xE7, 0xF6), QColor(0xE3, 0xEF, 0xFF), QColor(0x4A, 0x7E, 0xC2));
    case ID_VIEW_APPLOOK_VS_2005:
        return lightPalette(QColor(0xEE, 0xED, 0xE5), QColor(0xF5, 0xF4, 0xEF), QColor(0x33, 0x99, 0xFF));
    case ID_VIEW_APPLOOK_OFF_2007_BLUE:
        return lightPalette(QColor(0xC4, 0xDA, 0xF3), QColor(0xD5, 0xE4, 0xF2), QColor(0x2B, 0x57, 0x9A));
    case ID_VIEW_APPLOOK_OFF_2007_BLACK:
        return darkPalette();
    case ID_VIEW_APPLOOK_OFF_2007_SILVER:
        return lightPalette(QColor(0xDC, 0xDF, 0xE5), QColor(0xE8, 0xEA, 0xEE), QColor(0x6A, 0x76, 0x88));
    case ID_VIEW_APPLOOK_OFF_2007_AQUA:
        return lightPalette(QColor(0xC9, 0xE6, 0xE6), QColor(0xDA, 0xF0, 0xEF), QColor(0x1B, 0x86, 0x8C));
    default:
        return QApplication::palette();
    }
}

} // namespace

namespace Looks {

bool isKnown(int look)
{
    return look >= kFirst && look <= kLast;
}

bool usesSmartDocking(int look)
{
    return look != ID_VIEW_APPLOOK_WIN_2000 && look != ID_VIEW_APPLOOK_OFF_XP && look != ID_VIEW_APPLOOK_WIN_XP;
}

QString styleName(int look)
{
    return QString::fromLatin1(look == ID_VIEW_APPLOOK_WIN_2000 ? kClassicStyle : kFlatStyle);
}

void apply(int look)
{
    const QPalette palette = paletteFor(look);
    const QString name = styleName(look);
    if (QApplication::style()->name().compare(name, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(name))
            QApplication::setStyle(style);
    }
    QApplication::setPalette(palette);
    // Labels may carry a palette of the platform's own, which would keep its
    // dark link colour in a dark look.
    QApplication::setPalette(palette, "QLabel");
}

} // namespace Looks
