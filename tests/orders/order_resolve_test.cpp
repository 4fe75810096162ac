#include <orders/Order.h>

#include <kernel/GK_Factories.h>
#include <library/GbkText.h>
#include <library/ModelLibrary.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::string gbk(const std::string& utf8)
{
    return Utf8ToGbk(utf8).value();
}

// Door models on 2000 × 900 × 40 leaves with a 100 mm hinge (20 across) and
// a lock core whose side face runs 240 mm along the edge.
class OrderLibrary {
public:
    OrderLibrary()
    {
        m_hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 20, 0}, {0, 20, 0}});
        m_lock = api_gk_make_lockcore({{0, 0, 0}, {24, 0, 0}, {24, 30, 0}}, {{0, 0, 0}, {24, 0, 0}, {24, 240, 0}, {0, 240, 0}});
        library.hinges.add_shared(m_hinge);
        library.lockCores.add_shared(m_lock);
        addDoor("Door-A", {200, 1800}, 1000, true, true, 1);
        addDoor(gbk("门B"), {46.5, 1000, 1953.5}, 500, true, true, 0);
        addDoor(gbk("门C"), {200, 1000, 1800}, 1000, true, true, 0);
        addDoor("NoLock", {200, 1800}, 1000, true, false, 0);
        addDoor("LostLock", {200, 1800}, 1000, true, false, 0);
        library.unboundDoors.push_back({"LostLock.xml", "LostLock", "", "L9"});
        addDoor("LostHinge", {200, 1800}, 1000, false, true, 0);
        library.unboundDoors.push_back({"LostHinge.xml", "LostHinge", "H9", ""});
        addDoor("Bare", {}, 1000, false, false, 0);
    }

    ModelLibrary library;

private:
    void addDoor(const std::string& name, std::vector<double> hinges, double lockX, bool withHinge, bool withLock, int up)
    {
        std::shared_ptr<GK_DoorWithHinges> door = api_gk_make_door_with_hinges(name, "", 2000, 900, 40);
        for (double x : hinges)
            door->SetHingesPos({x, 0, 0});
        door->SetLockCorePos({lockX, 0, 0});
        door->SetHingesUp(up);
        if (withHinge)
            door->SetHingesModel(m_hinge);
        if (withLock)
            door->SetLockCoreModel(m_lock);
        library.doors.add_shared(door);
    }

    std::shared_ptr<GK_Hinges> m_hinge;
    std::shared_ptr<GK_LockCore> m_lock;
};

// A row's cells (UTF-8) as an order file gives them.
struct Cells {
    std::string model, length, width, thickness, quantity, up;
    bool decimalComma = false;
};

OrderRow resolveOne(const Cells& cells, const ModelLibrary& library, Order& order)
{
    OrderFile file;
    file.path = "/orders/十二月 A.v2.csv";
    file.decimalComma = cells.decimalComma;
    OrderSheetRow& sheet = file.rows.emplace_back();
    sheet.line = 12;
    const auto put = [&](OrderColumn c, const std::string& text) { sheet.cells[static_cast<int>(c)] = gbk(text); };
    put(OrderColumn::Order, "A7");
    put(OrderColumn::DoorModel, cells.model);
    put(OrderColumn::Length, cells.length);
    put(OrderColumn::Width, cells.width);
    put(OrderColumn::Thickness, cells.thickness);
    put(OrderColumn::Quantity, cells.quantity);
    put(OrderColumn::HingesUp, cells.up);
    order = ResolveOrder(file, library);
    EXPECT_EQ(order.name, "十二月 A.v2");
    EXPECT_EQ(order.rows.size(), 1u) << "nothing is dropped";
    return order.rows.at(0);
}

struct UsableCase {
    const char* name;
    Cells cells;
    double length, width, thickness;
    int quantity;
    bool hingesUp;
};

class UsableRow : public ::testing::TestWithParam<UsableCase> {};

TEST_P(UsableRow, TakesItsSizeQuantityAndHingesUp)
{
    const UsableCase& c = GetParam();
    OrderLibrary models;
    Order order;
    const OrderRow row = resolveOne(c.cells, models.library, order);
    ASSERT_TRUE(row.usable()) << RowRefusalText(row);
    EXPECT_EQ(row.line, 12);
    EXPECT_EQ(row.order, "A7");
    double length = 0, width = 0, thickness = 0;
    row.door->GetDoorSize(length, width, thickness);
    EXPECT_EQ(length, c.length);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(thickness, c.thickness);
    EXPECT_EQ(row.length, c.length);
    EXPECT_EQ(row.thickness, c.thickness);
    EXPECT_EQ(row.quantity, c.quantity);
    EXPECT_EQ(row.hingesUp, c.hingesUp);
    EXPECT_EQ(row.door->HingesUp(), c.hingesUp ? 1 : 0);
    EXPECT_EQ(row.door->GetHingesModel(), models.library.hinges[0]) << "the library's model, shared";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UsableRow,
    ::testing::Values(
        // Door-A has its hinges up; thickness and hinges-up left empty take the model's.
        UsableCase{"ModelWithoutCase", {"door-a", "2050", "860", "", "3", ""}, 2050, 860, 40, 3, true},
        UsableCase{"CellsGiven", {"门c", "1980.5", "860", "52", "2.0", "是"}, 1980.5, 860, 52, 2, true},
        UsableCase{"DecimalComma", {"Door-A", "2050,5", "+860", "4.5e1", "1", "否", true}, 2050.5, 860, 45, 1, false},
        UsableCase{"EmptyQuantityIsOne", {"Door-A", "2000", "800", "", "", "FALSE"}, 2000, 800, 40, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

using K = RowRefusal::Kind;

struct RefusedCase {
    const char* name;
    Cells cells;
    K kind;
    std::string text; // the wording after "第 12 行："
};

class RefusedRow : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedRow, KeepsItsReason)
{
    const RefusedCase& c = GetParam();
    OrderLibrary models;
    Order order;
    const OrderRow row = resolveOne(c.cells, models.library, order);
    EXPECT_EQ(row.refusal.kind, c.kind);
    EXPECT_FALSE(row.usable());
    EXPECT_FALSE(row.door);
    EXPECT_EQ(RowRefusalText(row), "第 12 行：" + c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedRow,
    ::testing::Values(
        RefusedCase{"NoModel", {"", "2050", "860", "", "", ""}, K::NoModel, "没有写门型"},
        RefusedCase{"UnknownModel", {"门X", "2050", "860", "", "", ""}, K::UnknownModel, "门型“门X”不在门板库中"},
        RefusedCase{"LostLockCore", {"lostlock", "2050", "860", "", "", ""}, K::ModelLacks, "门型“lostlock”没有锁芯模型"},
        RefusedCase{"LostHingeModel", {"LostHinge", "2050", "860", "", "", ""}, K::ModelLacks, "门型“LostHinge”没有合页模型"},
        RefusedCase{"NeitherModel", {"Bare", "2050", "860", "", "", ""}, K::ModelLacks, "门型“Bare”没有合页模型"},
        RefusedCase{"LengthText", {"Door-A", "abc", "860", "", "", ""}, K::NotANumber, "长度 “abc” 不是数"},
        RefusedCase{"LengthEmpty", {"Door-A", "", "860", "", "", ""}, K::NotANumber, "长度为空"},
        RefusedCase{"CommaWhereNotDecimal", {"Door-A", "2050,5", "860", "", "", ""}, K::NotANumber, "长度 “2050,5” 不是数"},
        RefusedCase{"ThousandsSeparator", {"Door-A", "2.050,5", "860", "", "", "", true}, K::NotANumber, "长度 “2.050,5” 不是数"},
        RefusedCase{"NotFinite", {"Door-A", "2000", "1e999", "", "", ""}, K::NotANumber, "宽度 “1e999” 不是数"},
        RefusedCase{"WidthOutOfRange", {"Door-A", "2050", "5000", "", "", ""}, K::OutOfRange, "宽度 5000 超出范围 100–2000 mm"},
        RefusedCase{"LengthBelowRange", {"Door-A", "199.5", "860", "", "", ""}, K::OutOfRange, "长度 199.5 超出范围 200–4000 mm"},
        RefusedCase{"ThicknessOutOfRange", {"Door-A", "2050", "860", "9", "", ""}, K::OutOfRange, "厚度 9 超出范围 10–150 mm"},
        RefusedCase{"QuantityFraction", {"Door-A", "2050", "860", "", "2.5", ""}, K::BadQuantity, "数量 “2.5” 不是 1–100000 之间的整数"},
        RefusedCase{"QuantityZero", {"Door-A", "2050", "860", "", "0", ""}, K::BadQuantity, "数量 “0” 不是 1–100000 之间的整数"},
        RefusedCase{"QuantityThousands", {"Door-A", "2050", "860", "", "1,000", "", true}, K::BadQuantity, "数量 “1,000” 不是 1–100000 之间的整数"},
        RefusedCase{"HingesUpUnknown", {"Door-A", "2050", "860", "", "", "上"}, K::BadHingesUp, "合页朝上 “上” 应为 是、否、1 或 0"},
        // The lock core keeps its 1000 mm from end 0 and runs 880 to 1120.
        RefusedCase{"LockOffShortLeaf", {"Door-A", "300", "860", "", "", ""}, K::PartOffLeaf, "锁芯超出门板 820 mm"},
        // The first hinge keeps its 46.5 mm and reaches 3.5 mm past the end.
        RefusedCase{"HingeOff", {"门B", "2100", "860", "", "", ""}, K::PartOffLeaf, "第 1 个合页超出门板 3.5 mm"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResolveOrder, KeepsEveryRowInOrder)
{
    OrderLibrary models;
    OrderFile file;
    for (int line : {3, 5, 9}) {
        OrderSheetRow& sheet = file.rows.emplace_back();
        sheet.line = line;
        sheet.cells[static_cast<int>(OrderColumn::DoorModel)] = line == 5 ? "Nope" : "Door-A";
        sheet.cells[static_cast<int>(OrderColumn::Length)] = "2000";
        sheet.cells[static_cast<int>(OrderColumn::Width)] = "900";
    }
    const Order order = ResolveOrder(file, models.library);
    ASSERT_EQ(order.rows.size(), 3u);
    // A door without a lock core is one by design: its row is drilled.
    Order lockless;
    EXPECT_TRUE(resolveOne({"NoLock", "1900", "800", "", "", ""}, models.library, lockless).usable());
    EXPECT_EQ(order.rows[0].line, 3);
    EXPECT_FALSE(order.rows[1].usable());
    EXPECT_EQ(order.rows[2].line, 9);
    EXPECT_TRUE(order.rows[2].usable());
}

} // namespace
