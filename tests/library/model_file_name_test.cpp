#include "TempLibrary.h"

#include <kernel/GK_Factories.h>
#include <library/HingesFile.h>
#include <library/ModelFileName.h>

#include <cerrno>

namespace {
struct NameCase {
    std::string name;
    ModelNameProblem problem;
};
constexpr ModelNameProblem kFine = ModelNameProblem::None;
} // namespace

TEST(ModelFileName, RefusesNamesThatLeaveTheFolderOrAreNotText)
{
    const NameCase cases[] = {
        {"", kFine},
        {"H1 front", kFine},
        {kGbkHinge, kFine},
        {"\x81\x5C", kFine}, // a double-byte character whose trail byte is "\"
        {"a/b", ModelNameProblem::Separator},
        {"a\\b", ModelNameProblem::Separator},
        {".", ModelNameProblem::DotName},
        {"..", ModelNameProblem::DotName},
        {"...", kFine},
        {"a\tb", ModelNameProblem::ControlCharacter},
        {"a\x7F", ModelNameProblem::ControlCharacter},
        {"\x81\x7F", ModelNameProblem::NotGbk},
        {"\xBA", ModelNameProblem::NotGbk}, // lead byte cut off
        {"\xFF\xFF", ModelNameProblem::NotGbk},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(CheckModelName(c.name), c.problem) << '"' << c.name << '"';
        EXPECT_EQ(IsValidModelName(c.name), c.problem == kFine) << '"' << c.name << '"';
    }
    EXPECT_EQ(ModelFilePath("/f/", kGbkHinge), std::optional<std::string>("/f/\xE5\x90\x88\xE9\xA1\xB5.xml"));
    EXPECT_EQ(ModelFilePath("/f/", "../x"), std::nullopt);
}

TEST(ModelFileName, WriterRefusesABadNameAndWritesNothing)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("../escape");
    const SaveResult saved = SaveHingesFile(hinge.get());
    EXPECT_EQ(saved.problem, SaveProblem::BadName);
    EXPECT_EQ(saved.nameProblem, ModelNameProblem::Separator);
    EXPECT_FALSE(std::filesystem::exists(lib.path("escape.xml")));
}

TEST(ModelFileName, MissingFolderIsReportedAndLeavesNothing)
{
    TempLibrary lib;
    std::filesystem::remove(lib.path("Hinges"));
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("H");
    const SaveResult saved = SaveHingesFile(hinge.get());
    EXPECT_EQ(saved.problem, SaveProblem::CannotCreate);
    EXPECT_EQ(saved.error, ENOENT);
    EXPECT_EQ(saved.path, lib.path("Hinges/H.xml"));
}
