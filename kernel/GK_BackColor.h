#pragma once

#include <cstdint>

using COLORREF = std::uint32_t; // 0x00BBGGRR

// Background colour of every drawing.
extern COLORREF g_back_color;
