#include <app/CommandTable.h>

#include <app/CommandIds.h>
#include <app/MainFrame.h>
#include <app/VarnholtView.h>

#include <commands/LibraryCommands.h>
#include <commands/MachiningCommands.h>
#include <commands/ModelCommands.h>
#include <commands/OrderCommands.h>

#include <QStatusBar>

#include <algorithm>

namespace {

using M = CommandMenu;
using K = CommandKind;
using T = CommandTargets;

constexpr auto none = nullptr;

// A command of the frame itself.
#define FRAME(call) [](T& t, bool) { t.frame.call; }
#define LOOK(id) [](T& t, bool) { t.frame.OnApplicationLook(id); }
#define LIBRARY(call) [](T& t, bool) { t.library.call; }

const Command kCommands[] = {
    // id, menu, text, status tip, keys, picture, toolbar group, separator before, kind, handler
    {ID_FILE_NEW, M::File, "新建(&N)\tCtrl+N", "新建一个空文档", {Qt::CTRL | Qt::Key_N}, "new", 1, false, K::Plain,
     FRAME(OnFileNew())},
    {ID_FILE_OPEN, M::File, "打开(&O)...\tCtrl+O", "打开一个文档", {Qt::CTRL | Qt::Key_O}, "open", 1, false, K::Plain,
     FRAME(OnFileOpen())},
    {ID_FILE_SAVE, M::File, "保存(&S)\tCtrl+S", "保存当前文档", {Qt::CTRL | Qt::Key_S}, "save", 1, false, K::Plain,
     FRAME(OnFileSave())},
    {ID_FILE_SAVE_AS, M::File, "另存为(&A)...", "以新的文件名保存当前文档", {}, none, 0, false, K::Plain,
     FRAME(OnFileSaveAs())},
    {ID_FILE_PRINT, M::File, "打印(&P)...\tCtrl+P", "打印图中的门板（标注尺寸）和打开的生产单",
     {Qt::CTRL | Qt::Key_P}, "print", 3, true, K::Plain, [](T& t, bool) { t.orders.OnPrint(); }},
    // The recent files stand before it.
    {ID_APP_EXIT, M::File, "退出(&X)", "关闭程序", {}, none, 0, false, K::Plain, FRAME(close())},

    {ID_EDIT_UNDO, M::Edit, "撤消(&U)\tCtrl+Z", "撤消上一次操作", {Qt::CTRL | Qt::Key_Z, Qt::ALT | Qt::Key_Backspace},
     none, 0, false, K::Plain, LIBRARY(OnUndo())},
    {ID_EDIT_CUT, M::Edit, "剪切(&T)\tCtrl+X", "剪切选中的内容", {Qt::CTRL | Qt::Key_X, Qt::SHIFT | Qt::Key_Delete},
     "cut", 2, true, K::Disabled, none},
    {ID_EDIT_COPY, M::Edit, "复制(&C)\tCtrl+C", "复制选中的内容", {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert},
     "copy", 2, false, K::Disabled, none},
    {ID_EDIT_PASTE, M::Edit, "粘贴(&P)\tCtrl+V", "粘贴剪贴板中的内容",
     {Qt::CTRL | Qt::Key_V, Qt::SHIFT | Qt::Key_Insert}, "paste", 2, false, K::Disabled, none},

    // The keys act on the row chosen in the panes; "撤销" is the Edit menu's
    // undo under its keys.
    {ID_LIBRARY_EDIT, M::Library, "编辑...", "修改所选模型的名称、说明和尺寸", {}, none, 0, false, K::Plain,
     LIBRARY(OnEditModel())},
    {ID_LIBRARY_RENAME, M::Library, "重命名\tF2", "给所选模型改名，门型文件随之改写", {Qt::Key_F2}, none, 0, false,
     K::Plain, LIBRARY(OnRenameModel())},
    {ID_LIBRARY_DUPLICATE, M::Library, "复制为...", "以新的名称复制所选模型", {}, none, 0, false, K::Plain,
     LIBRARY(OnDuplicateModel())},
    {ID_LIBRARY_DELETE, M::Library, "删除\tDel", "把所选模型的文件移到“已删除”文件夹", {Qt::Key_Delete}, none, 0,
     false, K::Plain, LIBRARY(OnDeleteModel())},
    {ID_LIBRARY_UNDO, M::Library, "撤销\tCtrl+Z", "撤销本次运行中对模型库的上一次操作", {}, none, 0, true, K::Plain,
     LIBRARY(OnUndo())},

    // The toolbars submenu stands before them.
    {ID_VIEW_STATUS_BAR, M::View, "状态栏(&S)", "显示或隐藏状态栏", {}, none, 0, false, K::ToggleOn,
     [](T& t, bool on) { t.frame.statusBar()->setVisible(on); }},
    {ID_VIEW_REFRESH, M::View, "刷新(&R)\tF5", "从磁盘重新读取模型库和刀具表", {Qt::Key_F5}, none, 0, false, K::Plain,
     FRAME(reloadLibrary())},
    {ID_VIEW_PASSED_OVER, M::View, "未读入的文件(&K)...", "列出读入模型库时跳过的文件和缺少模型的门型", {}, none, 0,
     false, K::Plain, FRAME(OnViewPassedOver())},
    {ID_VIEW_CUSTOMIZE, M::None, "自定义...", "自定义工具栏和停靠窗口", {}, "customize", 4, false, K::Plain,
     FRAME(OnViewCustomize())},
    {ID_VIEW_APPLOOK_WIN_2000, M::Looks, "Windows 2000(&2)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_WIN_2000)},
    {ID_VIEW_APPLOOK_OFF_XP, M::Looks, "Office XP(&X)", none, {}, none, 0, false, K::Look, LOOK(ID_VIEW_APPLOOK_OFF_XP)},
    {ID_VIEW_APPLOOK_WIN_XP, M::Looks, "Windows XP(&W)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_WIN_XP)},
    {ID_VIEW_APPLOOK_OFF_2003, M::Looks, "Office 2003(&3)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_OFF_2003)},
    {ID_VIEW_APPLOOK_VS_2005, M::Looks, "Visual Studio.NET 2005(&5)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_VS_2005)},
    {ID_VIEW_APPLOOK_OFF_2007_BLUE, M::Office2007Looks, "蓝色样式(&B)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_OFF_2007_BLUE)},
    {ID_VIEW_APPLOOK_OFF_2007_BLACK, M::Office2007Looks, "黑色样式(&L)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_OFF_2007_BLACK)},
    {ID_VIEW_APPLOOK_OFF_2007_SILVER, M::Office2007Looks, "银色样式(&S)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_OFF_2007_SILVER)},
    {ID_VIEW_APPLOOK_OFF_2007_AQUA, M::Office2007Looks, "水绿色样式(&A)", none, {}, none, 0, false, K::Look,
     LOOK(ID_VIEW_APPLOOK_OFF_2007_AQUA)},
    {ID_NEXT_PANE, M::None, "下一窗格", none, {Qt::Key_F6}, none, 0, false, K::Plain, FRAME(focusNeighbourPane(1))},
    {ID_PREV_PANE, M::None, "上一窗格", none, {Qt::SHIFT | Qt::Key_F6}, none, 0, false, K::Plain,
     FRAME(focusNeighbourPane(-1))},

    {ID_IMPORT_LOCKCORE_CAD, M::Tools, "导入锁芯CAD图", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.models.OnImportLockCore(); }},
    {ID_IMPORT_HINGES_CAD, M::Tools, "导入合页CAD图", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.models.OnImportHinges(); }},
    {ID_ADD_DOOR_MODEL, M::Tools, "新增门板", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.models.OnAddDoorModel(); }},
    {ID_CREATE_NC_FILE, M::Tools, "生成NC文件", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.machining.OnCreateNcFile(); }},
    {ID_SHOW_DOOR, M::Tools, "切换显示门板", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.frame.activeView()->OnShowDoor(); }},
    {ID_KNIFE_SETTING, M::Tools, "刀具信息设置", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.models.OnKnifeSetting(); }},
    {ID_CREATE_HINGES_NC, M::Tools, "生成合页NC文件", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.machining.OnCreateHingesNc(); }},
    {ID_CREATE_LOCKHOLE_NC, M::Tools, "生成锁孔NC文件", none, {}, none, 0, false, K::Plain,
     [](T& t, bool) { t.machining.OnCreateLockHoleNc(); }},

    {ID_MACHINING_HINGES, M::Machining, "生成合页加工程序...", "为图中的门型生成合页的加工程序", {}, none, 0, false,
     K::Plain, [](T& t, bool) { t.machining.OnHingesProgram(); }},
    {ID_MACHINING_LOCK, M::Machining, "生成锁孔加工程序...", "为图中的门型生成锁孔的加工程序", {}, none, 0, false,
     K::Plain, [](T& t, bool) { t.machining.OnLockProgram(); }},
    {ID_MACHINING_PREVIEW, M::Machining, "加工预览", "在门板上显示或隐藏刀具路径", {}, none, 0, false, K::ToggleOff,
     [](T& t, bool shown) { t.machining.OnPreview(shown); }},
    {ID_MACHINE_PROFILE, M::Machining, "机床设置...", "设置机床的坐标系和加工程序的格式", {}, none, 0, false,
     K::Plain, [](T& t, bool) {
         t.machining.OnMachineProfile();
         t.orders.ResolveAgain();
     }},
    // The two that write an order are enabled while one is open.
    {ID_ORDER_OPEN, M::Machining, "生产单...", "打开一个生产单（CSV或XLSX）并列出它的各行", {}, none, 0, true,
     K::Plain, [](T& t, bool) { t.orders.OnOpenOrder(); }},
    {ID_ORDER_PROGRAMS, M::Machining, "生成全部程序...", "把生产单中每个能加工的行的合页和锁孔程序写入一个文件夹", {},
     none, 0, false, K::Plain, [](T& t, bool) { t.orders.OnWriteAllPrograms(); }},
    {ID_ORDER_JOB_SHEET, M::Machining, "生成生产单PDF...", "把生产单的每一行连同尺寸标注和刀具写成PDF", {}, none, 0,
     false, K::Plain, [](T& t, bool) { t.orders.OnWriteJobSheet(); }},

    {ID_APP_ABOUT, M::Help, "关于 Varnholt(&A)...", "显示程序名称和版本", {}, "about", 3, false, K::Plain,
     FRAME(OnAppAbout())},
};

#undef FRAME
#undef LOOK
#undef LIBRARY

constexpr int kRowCommands[] = {ID_LIBRARY_EDIT, ID_LIBRARY_RENAME, ID_LIBRARY_DUPLICATE, ID_LIBRARY_DELETE,
                                ID_LIBRARY_UNDO};
constexpr int kOrderRowCommands[] = {ID_ORDER_PROGRAMS, ID_ORDER_JOB_SHEET};

} // namespace

std::span<const int> RowCommandIds()
{
    return kRowCommands;
}

std::span<const int> OrderRowCommandIds()
{
    return kOrderRowCommands;
}

std::span<const Command> Commands()
{
    return kCommands;
}

const Command* FindCommand(int id)
{
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands), [id](const Command& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

QList<QKeySequence> CommandKeys(const Command& command)
{
    QList<QKeySequence> keys;
    for (const QKeyCombination& key : command.keys)
        if (key.key() != Qt::Key_unknown)
            keys.append(QKeySequence(key));
    return keys;
}
