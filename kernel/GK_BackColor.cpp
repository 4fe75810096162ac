#include <kernel/GK_BackColor.h>

COLORREF g_back_color = 0x00FFFFFF;
