#pragma once

#include <kernel/ColorRef.h>

// Background colour of every drawing.
extern COLORREF g_back_color;
