#include <grid/ColorRef.h>

QColor ColorFromColorRef(COLORREF c)
{
    constexpr unsigned byteMask = 0xFF;
    return QColor(int(c & byteMask), int((c >> 8) & byteMask), int((c >> 16) & byteMask));
}
