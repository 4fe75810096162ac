// A save replaces a file's content only: its permission bits stay, a file
// nobody may write stays as it is, a symbolic link stays a link.
#include "TempLibrary.h"

#include <library/HingesFile.h>
#include <library/KnifeFile.h>

#include <sys/stat.h>

namespace {
mode_t permissions(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode & 0777;
}
} // namespace

TEST(FileModes, AReplacedFileKeepsItsPermissionBits)
{
    TempLibrary lib;
    for (const mode_t mode : {0600, 0640, 0664, 0755}) {
        ASSERT_TRUE(SaveHingesFile(SmallHinge("H", 1).get(), lib.context()));
        chmod(lib.path("Hinges/H.xml").c_str(), mode);
        ASSERT_TRUE(SaveHingesFile(SmallHinge("H", 2).get(), lib.context()));
        EXPECT_EQ(permissions(lib.path("Hinges/H.xml")), mode) << std::oct << mode;
    }
}

TEST(FileModes, AReadOnlyFileIsNotReplaced)
{
    TempLibrary lib;
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    chmod(lib.path("HingesKnife.xml").c_str(), 0444);
    const std::string before = lib.read("HingesKnife.xml");
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    const SaveResult saved = SaveKnifeFile(lib.library.knives, lib.context());
    EXPECT_EQ(saved.problem, SaveProblem::ReadOnly);
    EXPECT_EQ(saved.path, lib.path("HingesKnife.xml"));
    EXPECT_EQ(lib.read("HingesKnife.xml"), before);
    EXPECT_EQ(permissions(lib.path("HingesKnife.xml")), 0444u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(lib.path("")), {}), 4)
        << "no temporary file is left";
}

// The tool table is a link into a shared folder; a link may also lead to a
// file not written yet, or through another link.
TEST(FileModes, ASymbolicLinkIsWrittenThrough)
{
    TempLibrary lib;
    std::filesystem::create_directory(lib.path("shared"));
    std::filesystem::create_symlink("shared/table.xml", lib.path("HingesKnife.xml"));
    lib.library.knives.add_tail(std::make_unique<KnifeInfo>());
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    lib.library.knives[0]->ID = 12;
    ASSERT_TRUE(SaveKnifeFile(lib.library.knives, lib.context()));
    EXPECT_TRUE(std::filesystem::is_symlink(lib.path("HingesKnife.xml")));
    EXPECT_NE(lib.read("shared/table.xml").find("ID=\"12\""), std::string::npos);

    std::filesystem::create_symlink(lib.path("shared/H.xml"), lib.path("shared/link.xml"));
    std::filesystem::create_symlink("../shared/link.xml", lib.path("Hinges/H.xml"));
    ASSERT_TRUE(SaveHingesFile(SmallHinge("H").get(), lib.context()));
    EXPECT_TRUE(std::filesystem::is_symlink(lib.path("Hinges/H.xml")));
    EXPECT_TRUE(std::filesystem::is_symlink(lib.path("shared/link.xml")));
    EXPECT_NE(lib.read("shared/H.xml").find("Name=\"H\""), std::string::npos);

    std::filesystem::create_symlink("L.xml", lib.path("Hinges/L.xml"));
    const SaveResult looped = SaveHingesFile(SmallHinge("L").get(), lib.context());
    EXPECT_EQ(looped.problem, SaveProblem::CannotReplace);
    EXPECT_EQ(looped.error, ELOOP);
}
