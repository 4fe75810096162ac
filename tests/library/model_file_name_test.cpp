#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/ModelFileName.h>

namespace {
struct NameCase {
    std::string name;
    bool valid;
};
} // namespace

TEST(ModelFileName, RefusesNamesThatLeaveTheFolderOrAreNotText)
{
    const NameCase cases[] = {
        {"", true},
        {"H1 front", true},
        {kGbkHinge, true},
        {"\x81\x5C", true}, // a double-byte character whose trail byte is "\"
        {"a/b", false},
        {"a\\b", false},
        {".", false},
        {"..", false},
        {"...", true},
        {"a\tb", false},
        {"a\x7F", false},
        {"\x81\x7F", false}, // not GBK
        {"\xBA", false},     // lead byte cut off
        {"\xFF\xFF", false},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(IsValidModelName(c.name), c.valid) << '"' << c.name << '"';
    EXPECT_EQ(ModelFilePath("/f/", kGbkHinge), std::optional<std::string>("/f/\xE5\x90\x88\xE9\xA1\xB5.xml"));
    EXPECT_EQ(ModelFilePath("/f/", "../x"), std::nullopt);
}

TEST(ModelFileName, WriterRefusesABadNameAndWritesNothing)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("../escape");
    const SaveResult saved = SaveHingesFile(hinge.get());
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.reason.find("/"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(lib.path("escape.xml")));
}

TEST(ModelFileName, MissingFolderIsReportedAndLeavesNothing)
{
    TempLibrary lib;
    std::filesystem::remove(lib.path("Hinges"));
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("H");
    const SaveResult saved = SaveHingesFile(hinge.get());
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.path, lib.path("Hinges/H.xml"));
    EXPECT_FALSE(saved.reason.empty());
}
