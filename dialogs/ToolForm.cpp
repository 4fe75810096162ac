#include <dialogs/ToolForm.h>

#include <dialogs/DataExchange.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/ToolTexts.h>

#include <library/KnifeInfo.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kFieldWidth = 84;

// Reads a number that must be above 0; the member keeps its value when the
// field is refused. kept: the member holds the loaded tool's value, which
// passes unchanged.
template <typename Number>
void exchangePositive(DataExchange& dx, QLineEdit* field, Number& member, bool kept, const char* name)
{
    Number value = member;
    dx.number(field, value);
    dx.check(field, value > 0 || (kept && value == member), ToolValueNotPositiveMessage(QString::fromUtf8(name)));
    if (!dx.failed())
        member = value;
}

QLineEdit* addEdit(QWidget* owner, QGridLayout* grid, const char* label, const char* name, int row, int slot)
{
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(kFieldWidth);
    grid->addWidget(new QLabel(QString::fromUtf8(label), owner), row, slot * 2);
    grid->addWidget(edit, row, slot * 2 + 1);
    return edit;
}

QComboBox* addList(QWidget* owner, QGridLayout* grid, const char* label, const char* name, int row, int slot)
{
    auto* list = new QComboBox(owner);
    list->setObjectName(QLatin1String(name));
    list->setEditable(false);
    list->setMinimumWidth(kFieldWidth);
    grid->addWidget(new QLabel(QString::fromUtf8(label), owner), row, slot * 2);
    grid->addWidget(list, row, slot * 2 + 1);
    return list;
}

} // namespace

void ToolForm::build(QWidget* owner, QGridLayout* grid)
{
    toolNumberEdit = addEdit(owner, grid, "刀  号", "toolNumber", 0, 0);
    diameterEdit = addEdit(owner, grid, "刀  径", "diameter", 0, 1);
    speedEdit = addEdit(owner, grid, "加工速度", "speed", 0, 2);
    safeDistanceEdit = addEdit(owner, grid, "安全距离", "safeDistance", 0, 3);
    textEdits[0] = addEdit(owner, grid, "气缸打出", "airForward", 1, 0);
    textEdits[1] = addEdit(owner, grid, "气缸收回", "airBack", 1, 1);
    textEdits[2] = addEdit(owner, grid, "钻头启动", "drillStart", 1, 2);
    textEdits[3] = addEdit(owner, grid, "钻头停止", "drillStop", 1, 3);
    typeList = addList(owner, grid, "刀具类型", "typeList", 2, 0);
    spindleList = addList(owner, grid, "是否主轴", "spindleList", 2, 1);
    enableList = addList(owner, grid, "启用/禁用", "enableList", 2, 2);
}

void ToolForm::fillLists()
{
    FillToolList(typeList, ToolTypeNames());
    FillToolList(spindleList, SpindleNames());
    FillToolList(enableList, EnableNames());
}

void ToolForm::exchange(DataExchange& dx)
{
    const bool loaded = loadedToolNumber.has_value();
    const int before = toolNumber;
    exchangePositive(dx, toolNumberEdit, toolNumber, loaded, "刀号");
    const bool taken = std::find(takenNumbers.begin(), takenNumbers.end(), toolNumber) != takenNumbers.end();
    dx.check(toolNumberEdit, !taken || (loaded && toolNumber == *loadedToolNumber), ToolNumberTakenMessage(toolNumber));
    if (dx.failed())
        toolNumber = before;
    exchangePositive(dx, diameterEdit, diameter, loaded, "刀径");
    exchangePositive(dx, speedEdit, speed, loaded, "加工速度");
    dx.number(safeDistanceEdit, safeDistance);
    for (int i = 0; i < kTexts; ++i)
        dx.text(textEdits[i], texts[i]);
}

void ToolForm::load(const KnifeInfo& knife)
{
    toolNumber = knife.ID;
    loadedToolNumber = knife.ID;
    speed = knife.Vel;
    diameter = knife.Diameter;
    safeDistance = knife.SafeDistance;
    texts = {knife.AirForward, knife.AirBack, knife.DrillStart, knife.DrillStop};
    SelectToolListIndex(spindleList, knife.IsMain != 0 ? 1 : 0);
    SelectToolListIndex(enableList, knife.Enable != 0 ? 1 : 0);
    SelectToolListIndex(typeList, knife.Type);
}

void ToolForm::store(KnifeInfo& knife) const
{
    knife.ID = toolNumber;
    knife.Vel = speed;
    knife.Diameter = diameter;
    knife.SafeDistance = safeDistance;
    knife.AirForward = texts[0];
    knife.AirBack = texts[1];
    knife.DrillStart = texts[2];
    knife.DrillStop = texts[3];
    if (typeList->currentIndex() >= 0)
        knife.Type = typeList->currentIndex();
    knife.IsMain = spindleList->currentIndex() != 0 ? 1 : 0;
    knife.Enable = enableList->currentIndex() != 0 ? 1 : 0;
}

std::vector<QWidget*> ToolForm::numbersAndLists() const
{
    return {toolNumberEdit, diameterEdit, speedEdit, safeDistanceEdit, typeList, spindleList, enableList};
}

std::vector<QWidget*> ToolForm::textFields() const
{
    return {textEdits.begin(), textEdits.end()};
}
