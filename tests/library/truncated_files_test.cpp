// A file cut off anywhere (a crash of some earlier writer, a copy that broke
// off) is skipped whole: the parser keeps what it read before the break, and
// a model built from that would silently lack outline points or holes.
#include "TempLibrary.h"

#include <library/DoorModelFile.h>
#include <library/HingesFile.h>
#include <library/KnifeFile.h>
#include <library/LockCoreFile.h>

namespace {
// Calls check with every proper prefix of the file that ends before its last ">".
template <typename Check>
void forEveryCut(const std::string& file, Check check)
{
    const std::size_t end = file.rfind('>');
    for (std::size_t length = 0; length <= end; ++length)
        check(file.substr(0, length));
}
} // namespace

TEST(TruncatedFiles, AreSkippedWhole)
{
    TempLibrary lib;
    lib.library.hinges.add_tail(LoadHingesFile(VARNHOLT_SOURCE_DIR "/tests/library/golden/hinges.xml").model);
    ASSERT_TRUE(lib.library.hinges[0]);

    forEveryCut(golden("hinges.xml"), [&](const std::string& cut) {
        lib.write("Hinges/t.xml", cut);
        EXPECT_FALSE(LoadHingesFile(lib.path("Hinges/t.xml")).model) << cut.size();
    });
    forEveryCut(golden("lockcore.xml"), [&](const std::string& cut) {
        lib.write("Lockcores/t.xml", cut);
        EXPECT_FALSE(LoadLockCoreFile(lib.path("Lockcores/t.xml")).model) << cut.size();
    });
    forEveryCut(golden("door.xml"), [&](const std::string& cut) {
        lib.write("DoorModel/t.xml", cut);
        EXPECT_FALSE(LoadDoorModelFile(lib.path("DoorModel/t.xml"), lib.library).model) << cut.size();
    });
    forEveryCut(golden("knife.xml"), [&](const std::string& cut) {
        lib.write("HingesKnife.xml", cut);
        GU_OwnedList<KnifeInfo> list;
        LoadKnifeFile(lib.folder(), list);
        EXPECT_TRUE(list.empty()) << cut.size();
    });
}
