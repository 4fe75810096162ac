#include <dialogs/GbkQString.h>

#include <library/GbkText.h>
#include <library/ModelFileName.h>

#include <gtest/gtest.h>

namespace {

// Every character the dialogs take as GBK is one the file names and the
// library files store and read back unchanged: the two share one table.
TEST(GbkQString, EveryCharacterTheDialogsTakeIsStoredAndReadBack)
{
    int taken = 0;
    for (char32_t c = 1; c < 0x10000; ++c) { // GBK holds characters of the basic plane only
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = QString::fromUcs4(&c, 1);
        const std::optional<std::string> gbk = QStringToGbk(text);
        if (!gbk)
            continue;
        ++taken;
        ASSERT_EQ(GbkToUtf8(*gbk), text.toStdString()) << std::hex << unsigned(c);
        ASSERT_EQ(GbkToQString(*gbk), text) << std::hex << unsigned(c);
    }
    EXPECT_GT(taken, 21000); // GBK's 21,886 characters, less the few that stay apart
}

TEST(GbkQString, EuroPrivateUseAndDroppedCharacters)
{
    EXPECT_EQ(QStringToGbk(QStringLiteral("€")), std::string("\x80"));
    EXPECT_EQ(GbkToQString("\x80"), QStringLiteral("€"));
    EXPECT_TRUE(IsValidModelName(*QStringToGbk(QStringLiteral("A€"))));
    // The C library's converter would drop a tag character without a word.
    EXPECT_EQ(QStringToGbk(QString::fromUcs4(U"A\U000E0041")), std::nullopt);
    // Private-use codes that only one converter knows are refused.
    EXPECT_EQ(QStringToGbk(QString(QChar(0xE000))), std::nullopt);
    // Invalid bytes show as one replacement character each and never vanish.
    EXPECT_EQ(GbkToQString("a\xFF" "b\x81"), QStringLiteral("a\uFFFDb\uFFFD"));
    EXPECT_EQ(GbkToQString("\x81\x7F"), QStringLiteral("\uFFFD\x7F"));
}

} // namespace
