#pragma once

// Command ids of the menus, the toolbar and the accelerators. They are kept
// on every QAction (QAction::data) so that commands can be found by id.

// File
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_MRU_FILE1 = 57616; // also the greyed placeholder of the empty list
inline constexpr int ID_APP_EXIT = 57665;

// Edit
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_PASTE = 57637;

// View
inline constexpr int ID_VIEW_TOOLBARS_PLACEHOLDER = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_VIEW_CUSTOMIZE = 126;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;
inline constexpr int ID_VIEW_REFRESH = 32798;
inline constexpr int ID_VIEW_PASSED_OVER = 32800;

// Looks ("应用程序外观")
inline constexpr int ID_VIEW_APPLOOK_WIN_2000 = 210;
inline constexpr int ID_VIEW_APPLOOK_OFF_XP = 211;
inline constexpr int ID_VIEW_APPLOOK_WIN_XP = 212;
inline constexpr int ID_VIEW_APPLOOK_OFF_2003 = 213;
inline constexpr int ID_VIEW_APPLOOK_VS_2005 = 214;
inline constexpr int ID_VIEW_APPLOOK_OFF_2007_BLUE = 215;
inline constexpr int ID_VIEW_APPLOOK_OFF_2007_BLACK = 216;
inline constexpr int ID_VIEW_APPLOOK_OFF_2007_SILVER = 217;
inline constexpr int ID_VIEW_APPLOOK_OFF_2007_AQUA = 218;

// Tools ("工具"); all but 32782 are the model commands of the view.
inline constexpr int ID_IMPORT_LOCKCORE_CAD = 32776;
inline constexpr int ID_IMPORT_HINGES_CAD = 32775;
inline constexpr int ID_ADD_DOOR_MODEL = 32778;
inline constexpr int ID_CREATE_NC_FILE = 32780;
inline constexpr int ID_SHOW_DOOR = 32782;
inline constexpr int ID_KNIFE_SETTING = 32784;
inline constexpr int ID_CREATE_HINGES_NC = 32786;
inline constexpr int ID_CREATE_LOCKHOLE_NC = 32788;

// Machining ("加工").
inline constexpr int ID_MACHINING_HINGES = 32790;
inline constexpr int ID_MACHINING_LOCK = 32792;
inline constexpr int ID_MACHINING_PREVIEW = 32794;
inline constexpr int ID_MACHINE_PROFILE = 32796;
inline constexpr int ID_ORDER_OPEN = 32812;
inline constexpr int ID_ORDER_PROGRAMS = 32814;
inline constexpr int ID_ORDER_JOB_SHEET = 32816;

// Library ("库"): managing the model chosen in the panes.
inline constexpr int ID_LIBRARY_EDIT = 32802;
inline constexpr int ID_LIBRARY_RENAME = 32804;
inline constexpr int ID_LIBRARY_DUPLICATE = 32806;
inline constexpr int ID_LIBRARY_DELETE = 32808;
inline constexpr int ID_LIBRARY_UNDO = 32810;

// Help
inline constexpr int ID_APP_ABOUT = 57664;

// Control ids of the frame's bars and panes, and of the panes' grids.
inline constexpr int ID_MENU_BAR = 0xE806;
inline constexpr int ID_TOOL_BAR = 0xE800;
inline constexpr int ID_STATUS_BAR = 0xE801;
inline constexpr int ID_FIRST_USER_TOOLBAR = 0xE828;
inline constexpr int ID_LAST_USER_TOOLBAR = 0xE831;
inline constexpr int ID_HINGES_PANE = 4098;
inline constexpr int ID_LOCKCORE_PANE = 4100;
inline constexpr int ID_DOOR_PANE = 4102;
inline constexpr int ID_ORDER_PANE = 4104;
inline constexpr int ID_HINGES_GRID = 4356;
inline constexpr int ID_LOCKCORE_GRID = 4358;
inline constexpr int ID_DOOR_GRID = 4354;
inline constexpr int ID_ORDER_GRID = 4360;
