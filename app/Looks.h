#pragma once

#include <QString>

// The looks of the "应用程序外观" menu (ids 210 to 218): each a Qt style with
// its own palette.
namespace Looks {

inline constexpr int kFirst = 210;
inline constexpr int kLast = 218;

bool isKnown(int look);
// The smart-docking looks switch the frame to animated, nested and tabbed
// docking; the others leave the docking mode as it was.
bool usesSmartDocking(int look);
// Name of the Qt style the look uses.
QString styleName(int look);
// Sets the application's style and palette. An unknown look keeps the
// palette and takes the style of the 2007 looks.
void apply(int look);

} // namespace Looks
