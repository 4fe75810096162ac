#pragma once

#include <QString>

class QFontMetrics;

// The text to draw in a space of the given width with the given margin: the
// text itself when it fits, else its longest prefix that fits followed by
// "...". The cut falls between whole characters and keeps at least the first
// character.
QString ShortenText(const QFontMetrics& metrics, const QString& text, int width, int margin);

// Whether the text is drawn unshortened in that space.
bool TextFits(const QFontMetrics& metrics, const QString& text, int width, int margin);

// A text as a space of the given width shows it, measured once for both
// the decision and the drawing: the text itself or its shortened form, and
// the width it takes.
struct ShownText {
    QString text;
    int advance = 0;
    bool whole = true; // the text itself, unshortened
};
ShownText TextToShow(const QFontMetrics& metrics, const QString& text, int width, int margin);
