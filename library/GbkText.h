#pragma once

#include <optional>
#include <string>

// GBK (code page 936) byte strings: a byte from 0x81 to 0xFE leads a
// double-byte character and takes the next byte with it, whatever that byte
// is; every other byte stands alone.

inline bool IsGbkLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

// Strict conversion from GBK to UTF-8; nothing when the text is not valid GBK.
std::optional<std::string> GbkToUtf8(const std::string& gbk);
