#pragma once

#include <QColor>

#include <cstdint>

// A colour as the drawing and the grid's records keep it: 0x00BBGGRR.
using COLORREF = std::uint32_t;
// A record's "no colour of its own".
inline constexpr COLORREF COLORREF_NONE = 0xFFFFFFFF;

inline QColor ColorFromColorRef(COLORREF c)
{
    constexpr unsigned byteMask = 0xFF;
    return QColor(int(c & byteMask), int((c >> 8) & byteMask), int((c >> 16) & byteMask));
}
