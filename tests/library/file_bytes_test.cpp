// What a library file's bytes become when read, and how a file is told to be
// unchanged: line ends normalised as the parser expects them, and the
// fingerprint of bytes in memory equal to that of the file read in chunks.
#include "TempLibrary.h"

#include <library/LibraryFiles.h>
#include <library/LibraryText.h>

#include <fstream>

TEST(FileBytes, LineEndsBecomeLineFeeds)
{
    const struct {
        std::string bytes, read;
    } cases[] = {
        {"<a/>", "<a/>"},
        {"<a>\r\n</a>\r\n", "<a>\n</a>\n"},
        {"<a>\r</a>\r", "<a>\n</a>\n"},
        {"\r\r\n\n\r", "\n\n\n\n"},
        {"\xEF\xBB\xBF<a>x\r\ny</a>", "<a>x\ny</a>"},
        {"<a>\n\r</a>", "<a>\n\n</a>"},
    };
    TempLibrary lib;
    for (const auto& c : cases) {
        lib.write("f.xml", c.bytes);
        std::string text;
        ASSERT_TRUE(ReadLibraryText(lib.path("f.xml"), text, nullptr)) << c.bytes;
        EXPECT_EQ(text, c.read) << c.bytes;
    }
}

TEST(FileBytes, AFileIsUnchangedExactlyWhenItsBytesAre)
{
    TempLibrary lib;
    const std::string path = lib.path("f.xml");
    // Around the hash's word and the file reader's chunk.
    for (const std::size_t size : {0u, 1u, 7u, 8u, 9u, 65535u, 65536u, 65537u, 200003u}) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>(i * 131 % 251);
        lib.write("f.xml", bytes);
        LibraryFiles files;
        files.seen(path, FingerprintOf(bytes));
        EXPECT_TRUE(files.unchanged(path)) << size;
        if (size == 0)
            continue;
        for (const std::size_t at : {std::size_t{0}, size / 2, size - 1}) {
            std::string changed = bytes;
            changed[at] = static_cast<char>(changed[at] ^ 0x20);
            lib.write("f.xml", changed);
            EXPECT_FALSE(files.unchanged(path)) << size << " at " << at;
        }
    }
}
