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
