#pragma once

#include <QKeySequence>

#include <span>

class CMainFrame;
class LibraryCommands;
class MachiningCommands;
class ModelCommands;
class OrderCommands;

// Who carries out the commands of the main window.
struct CommandTargets {
    CMainFrame& frame;
    ModelCommands& models;
    LibraryCommands& library;
    MachiningCommands& machining;
    OrderCommands& orders;
};

// Where a command is listed: a menu, the Looks submenu or its Office 2007
// submenu, or nowhere (a toolbar or a key only).
enum class CommandMenu { None, File, Edit, Library, View, Looks, Office2007Looks, Tools, Machining, Help };

// How the action behaves when used.
enum class CommandKind {
    Plain,     // carried out when triggered
    ToggleOn,  // checkable, on at first; carried out with its new state whenever it changes
    ToggleOff, // the same, off at first
    Look,      // one of the exclusive looks: checkable, carried out when triggered
    Disabled,  // no handler in this program: shown greyed
};

// One command of the main window, declared once: the menus, the toolbar, the
// customise dialog, the tooltips and the status bar are built from these.
struct Command {
    int id;
    CommandMenu menu;
    const char* text;      // menu text with access key and shortcut column, UTF-8
    const char* statusTip; // what the status bar says while the pointer rests on it; null: nothing
    QKeyCombination keys[2];
    const char* picture;   // the resource picture (":/icons/NAME.svg"); null: none
    int toolbarGroup;      // place on the standard toolbar: groups apart by separators, 0 not there
    bool separatorBefore;  // within its menu
    CommandKind kind;
    void (*run)(CommandTargets& targets, bool checked);
};

// The commands of a model row's context menu, in order (the "库" menu's).
std::span<const int> RowCommandIds();
// The commands of the order pane's context menu, in order.
std::span<const int> OrderRowCommandIds();

// Every command, in menu order.
std::span<const Command> Commands();
// The command of an id; null when none has it.
const Command* FindCommand(int id);
// The command's shortcuts, in the order given.
QList<QKeySequence> CommandKeys(const Command& command);
