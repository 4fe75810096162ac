#pragma once

#include <QIcon>

class QPalette;

// The program's own pictures, drawn as small SVGs in the resource file: the
// toolbar commands and the program icon. Each command's picture comes in a
// version for light looks and one for dark looks.
namespace ToolbarIcons {

// The picture of the resource ":/icons/NAME.svg"; a null icon when there is none.
QIcon picture(const char* name, bool darkLook);
// The program's icon, also written beside the program for the desktop entry.
QIcon programIcon();
// True for a palette whose bars are dark (the black 2007 style).
bool isDark(const QPalette& palette);

} // namespace ToolbarIcons
