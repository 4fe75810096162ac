#pragma once

#include <QColor>

#include <cstdint>

// A colour as the records store it: 0x00BBGGRR.
using COLORREF = std::uint32_t;
inline constexpr COLORREF COLORREF_NONE = 0xFFFFFFFF;

QColor ColorFromColorRef(COLORREF c);
