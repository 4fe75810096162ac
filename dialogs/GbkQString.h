#pragma once

#include <QString>

#include <optional>
#include <string>

// Conversion between the GBK byte strings the library keeps and the QStrings
// the widgets show. Only the user-interface edge converts.

// Decodes GBK bytes for display. Bytes that are not valid GBK come out as
// replacement characters; the bytes themselves are never changed by showing.
QString GbkToQString(const std::string& bytes);

// Encodes a text as GBK; nothing when a character has no GBK code, so that
// no character is ever silently turned into "?".
std::optional<std::string> QStringToGbk(const QString& text);
