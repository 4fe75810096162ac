#pragma once

#include <QString>

class QAction;

// A command's name as the user reads it outside the menus: the menu text
// without its access key ("(&N)" or "&"), shortcut column and ellipsis.
// "打开(&O)...\tCtrl+O" is "打开".
QString CommandName(const QString& menuText);
// The tooltip of a toolbar button: the name and, if the command has one, its
// first shortcut in the platform's form, as in "新建 (Ctrl+N)".
QString CommandToolTip(const QAction& action);
