#pragma once

// Orders built in memory from the machining tests' doors and tools.

#include "MachiningFixtures.h"

#include <orders/Order.h>

#include <kernel/GK_Factories.h>
#include <kernel/GK_Placement.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace orderfixtures {

struct RowCase {
    const char* name;
    int hinges;
    double length, width, thickness;
    int hingesUp;
    int quantity;
};

// 2, 3 and 4 hinges; shorter and longer than the 2100 mm model; hinges up.
inline const RowCase kRows[] = {
    {"TwoHinges", 2, 2100, 900, 40, 0, 3},
    {"ThreeHingesShorter", 3, 1800, 800, 40, 0, 1},
    {"FourHingesLonger", 4, 2400, 900, 45, 0, 2},
    {"ThreeHingesUp", 3, 2050, 860, 38, 1, 5},
    {"FourHingesUpHalfMillimetre", 4, 2050.5, 860, 40, 1, 1},
};

// The row's door: the model's (2100 × 900 × 40, its first and last hinge
// 200 mm from their ends, the lock core at 1000) in the row's size, by the
// rule every order row follows.
inline std::shared_ptr<const GK_DoorWithHinges> rowDoor(const RowCase& c, std::shared_ptr<GK_Hinges> hinge,
                                                        std::shared_ptr<GK_LockCore> lock)
{
    auto model = api_gk_make_door_with_hinges("\xB1\xEA\xD7\xBC\xC3\xC5", "", 2100, 900, 40); // 标准门
    model->SetHingesModel(std::move(hinge));
    model->SetLockCoreModel(std::move(lock));
    for (int i = 0; i < c.hinges; ++i)
        model->SetHingesPos({200 + i * 1700.0 / (c.hinges - 1), 0, 0});
    model->SetLockCorePos({1000, 0, 0});
    return GK_DoorInSize(*model, c.length, c.width, c.thickness, c.hingesUp);
}

inline OrderRow row(const RowCase& c, int line, std::shared_ptr<GK_Hinges> hinge, std::shared_ptr<GK_LockCore> lock)
{
    OrderRow r;
    r.line = line;
    r.order = "A-" + std::to_string(line);
    r.doorModel = "\xB1\xEA\xD7\xBC\xC3\xC5"; // 标准门
    r.length = c.length;
    r.width = c.width;
    r.thickness = c.thickness;
    r.quantity = c.quantity;
    r.hingesUp = c.hingesUp != 0;
    r.door = rowDoor(c, std::move(hinge), std::move(lock));
    return r;
}

// Every case as one order, lines from 2 (the heading is line 1).
inline Order order(const std::string& name = "订单一")
{
    std::shared_ptr<GK_Hinges> hinge = fixtures::hinge(false, true);
    std::shared_ptr<GK_LockCore> lock = fixtures::lockCore();
    Order o;
    o.name = name;
    int line = 2;
    for (const RowCase& c : kRows)
        o.rows.push_back(row(c, line++, hinge, lock));
    return o;
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// A fresh folder under the test's temporary folder.
inline std::string scratch(const std::string& name)
{
    const std::filesystem::path p =
        std::filesystem::temp_directory_path() / ("varnholt-orders-" + std::to_string(::getpid())) / name;
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p.string();
}

} // namespace orderfixtures
