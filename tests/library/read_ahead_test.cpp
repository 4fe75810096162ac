#include "TempLibrary.h"
#include <library/ReadAhead.h>

#include <gtest/gtest.h>

namespace {
struct Expected {
    std::string name;
    LoadProblem problem;
    std::size_t textSize;
};

// Files of every outcome, big ones among them so that the reader waits on
// its bound of bytes, come back in the order given, each with its outcome.
TEST(ReadAhead, GivesEveryFileInOrderWithItsOutcome)
{
    TempLibrary lib;
    const std::string small = "<Hinges Name=\"A\"/>";
    const std::string big(kMaxLibraryFileSize - 100, ' ');
    std::vector<Expected> expected;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "Hinges/" + std::to_string(i) + ".xml";
        switch (i % 5) {
        case 0:
            lib.write(name, small);
            expected.push_back({name, LoadProblem::None, small.size()});
            break;
        case 1:
            expected.push_back({name, LoadProblem::Unreadable, 0}); // never written
            break;
        case 2:
            std::filesystem::create_directory(lib.path(name));
            expected.push_back({name, LoadProblem::NotAFile, 0});
            break;
        case 3:
            lib.write(name, i < 20 ? big : std::string(kMaxLibraryFileSize + 1, ' '));
            expected.push_back({name, i < 20 ? LoadProblem::None : LoadProblem::TooLarge, i < 20 ? big.size() : 0});
            break;
        default:
            std::string deep;
            for (int level = 0; level < 40; ++level)
                deep += "<a>";
            lib.write(name, deep);
            expected.push_back({name, LoadProblem::TooDeep, 0});
        }
    }
    std::vector<std::string> paths;
    for (const Expected& e : expected)
        paths.push_back(lib.path(e.name));

    ReadAhead ahead(paths);
    ASSERT_EQ(ahead.count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const LibraryText file = ahead.next();
        EXPECT_EQ(file.path, paths[i]);
        EXPECT_EQ(file.outcome.problem, expected[i].problem) << expected[i].name;
        if (expected[i].problem == LoadProblem::None) {
            EXPECT_EQ(file.text.size(), expected[i].textSize) << expected[i].name;
            EXPECT_TRUE(file.seen) << expected[i].name;
        }
    }
}

// A load that stops early (an exception in the caller) ends the reader
// without waiting for the rest of the folder.
TEST(ReadAhead, StopsWhenDroppedPartWay)
{
    TempLibrary lib;
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i) {
        paths.push_back(lib.path("Hinges/" + std::to_string(i) + ".xml"));
        lib.write("Hinges/" + std::to_string(i) + ".xml", std::string(kMaxLibraryFileSize / 64, ' '));
    }
    for (std::size_t taken : {0u, 1u, 3u}) {
        ReadAhead ahead(paths);
        for (std::size_t i = 0; i < taken; ++i)
            EXPECT_TRUE(ahead.next().outcome);
    }
    ReadAhead one({paths[0]});
    EXPECT_TRUE(one.next().outcome);
    EXPECT_EQ(ReadAhead({}).count(), 0u);
}
} // namespace
