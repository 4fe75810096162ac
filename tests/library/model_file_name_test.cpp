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
        {"...", ModelNameProblem::TrailingDotOrSpace},
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

// Names a case-blind, Windows-style file system cannot store are refused, so
// that the library can always be copied there and back; a double-byte
// character whose trail byte is "|" is text, not the character.
TEST(ModelFileName, RefusesWhatOtherFileSystemsCannotStore)
{
    const NameCase cases[] = {
        {"a:b", ModelNameProblem::ForbiddenCharacter},  {"a*", ModelNameProblem::ForbiddenCharacter},
        {"a?", ModelNameProblem::ForbiddenCharacter},   {"\"a\"", ModelNameProblem::ForbiddenCharacter},
        {"<a>", ModelNameProblem::ForbiddenCharacter},  {"a|b", ModelNameProblem::ForbiddenCharacter},
        {"\x81\x7C", kFine},                            {"a.", ModelNameProblem::TrailingDotOrSpace},
        {"a ", ModelNameProblem::TrailingDotOrSpace},   {" a", kFine},
        {"a.b", kFine},                                 {"CON", ModelNameProblem::DeviceName},
        {"con", ModelNameProblem::DeviceName},          {"Nul.door", ModelNameProblem::DeviceName},
        {"AUX .x", ModelNameProblem::DeviceName},       {"prn", ModelNameProblem::DeviceName},
        {"COM1", ModelNameProblem::DeviceName},         {"lpt9", ModelNameProblem::DeviceName},
        {"COM0", kFine},                                {"COM10", kFine},
        {"CONSOLE", kFine},                             {"LPT", kFine},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(CheckModelName(c.name), c.problem) << '"' << c.name << '"';
}

// The file name and the temporary file beside it must fit the file system's
// 255 bytes; a Chinese character takes three of them.
TEST(ModelFileName, LongNamesAreRefusedBeforeTheyFailAtSaveTime)
{
    EXPECT_EQ(CheckModelName(std::string(kMaxModelNameBytes, 'a')), kFine);
    EXPECT_EQ(CheckModelName(std::string(kMaxModelNameBytes + 1, 'a')), ModelNameProblem::TooLong);
    std::string chinese;
    while ((chinese.size() / 2 + 1) * 3 <= kMaxModelNameBytes)
        chinese += kGbkHinge.substr(0, 2);
    EXPECT_EQ(CheckModelName(chinese), kFine);
    EXPECT_EQ(CheckModelName(chinese + kGbkHinge.substr(0, 2)), ModelNameProblem::TooLong);

    // The longest name is saved, temporary file and all.
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName(std::string(kMaxModelNameBytes, 'a'));
    EXPECT_TRUE(SaveHingesFile(hinge.get(), lib.context()));
}

TEST(ModelFileName, WriterRefusesABadNameAndWritesNothing)
{
    TempLibrary lib;
    auto hinge = api_gk_make_hinges({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    hinge->SetName("../escape");
    const SaveResult saved = SaveHingesFile(hinge.get(), lib.context());
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
    const SaveResult saved = SaveHingesFile(hinge.get(), lib.context());
    EXPECT_EQ(saved.problem, SaveProblem::CannotCreate);
    EXPECT_EQ(saved.error, ENOENT);
    EXPECT_EQ(saved.path, lib.path("Hinges/H.xml"));
}
