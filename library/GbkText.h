#pragma once

#include <optional>
#include <string>

// GBK (code page 936) byte strings: a byte from 0x81 to 0xFE leads a
// double-byte character and takes the next byte with it, whatever that byte
// is; every other byte stands alone.
//
// These conversions are the program's one GBK table (the C library's): file
// names and the texts the widgets show and take both go through them, so a
// text that can be typed can always be stored and read back.

inline bool IsGbkLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

// Strict conversion from GBK to UTF-8; nothing when the text is not valid GBK.
std::optional<std::string> GbkToUtf8(const std::string& gbk);

// Conversion for display: every byte sequence that is not valid GBK comes out
// as U+FFFD, one per byte, and the rest is converted as GbkToUtf8 does.
std::string GbkToUtf8ForDisplay(const std::string& gbk);

// Strict conversion from UTF-8 to GBK; nothing when a character has no GBK
// code (or would not come back unchanged), so that no character is ever
// silently dropped or replaced.
std::optional<std::string> Utf8ToGbk(const std::string& utf8);
