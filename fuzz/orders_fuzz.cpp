// Feeds arbitrary bytes to the order reader as an order file, CSV or XLSX
// alike, and checks its rows against a small library: whatever the file, it
// is read within its bounds, every row comes back, and every problem and
// refusal has its wording.
#include "FuzzLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/ModelLibrary.h>
#include <orders/Order.h>

#include <cstdlib>

namespace {
std::unique_ptr<ModelLibrary> smallLibrary()
{
    auto library = std::make_unique<ModelLibrary>();
    std::shared_ptr<GK_Hinges> hinge = api_gk_make_hinges({{0, 0, 0}, {100, 0, 0}, {100, 20, 0}});
    std::shared_ptr<GK_LockCore> lock = api_gk_make_lockcore({{0, 0, 0}, {24, 0, 0}, {24, 30, 0}}, {{0, 0, 0}, {24, 0, 0}, {24, 240, 0}});
    // "D1" and "门A" with three hinges, "d2" with one and no lock core.
    for (const char* name : {"D1", "\xC3\xC5" "A", "d2"}) {
        std::shared_ptr<GK_DoorWithHinges> door = api_gk_make_door_with_hinges(name, "", 2000, 900, 40);
        door->SetHingesModel(hinge);
        if (name[0] != 'd')
            door->SetLockCoreModel(lock);
        for (double x : name[0] == 'd' ? std::initializer_list<double>{300} : std::initializer_list<double>{200, 1000, 1800})
            door->SetHingesPos({x, 0, 0});
        door->SetLockCorePos({1000, 0, 0});
        library->doors.add_shared(door);
    }
    return library;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const fuzz_library::ScratchFolder scratch;
    static const std::unique_ptr<ModelLibrary> library = smallLibrary();
    const OrderFile file = ReadOrderFile(scratch.write("order.csv", data, size));
    if (file.problem != OrderFileProblem::None) {
        if (OrderFileProblemText(file).empty() || !file.rows.empty())
            std::abort();
        return 0;
    }
    const Order order = ResolveOrder(file, *library);
    if (order.rows.size() != file.rows.size())
        std::abort();
    for (const OrderRow& row : order.rows)
        if (row.usable() == static_cast<bool>(row.refusal) || (row.refusal && RefusalText(row.refusal).empty()))
            std::abort();
    return 0;
}
