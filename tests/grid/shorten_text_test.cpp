#include <grid/ShortenText.h>

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

QFontMetrics Metrics()
{
    QFont font;
    font.setPixelSize(12);
    return QFontMetrics(font);
}

} // namespace

TEST(ShortenText, KeepsTextsThatFitAndEmptyTexts)
{
    const QFontMetrics metrics = Metrics();
    const QString text = "Hinge";
    const int width = metrics.horizontalAdvance(text) + 12 + 1;
    EXPECT_EQ(ShortenText(metrics, text, width, 12), text);
    EXPECT_EQ(ShortenText(metrics, "", 0, 12), "");
    EXPECT_TRUE(TextFits(metrics, text, width, 12));
    EXPECT_FALSE(TextFits(metrics, text, width - 1, 12));
}

TEST(ShortenText, CutsToTheLongestPrefixThatFits)
{
    const QFontMetrics metrics = Metrics();
    const QString text = "abcdefghijklmnopqrstuvwxyz";
    for (const int width : {40, 60, 90, 120}) {
        const QString shown = ShortenText(metrics, text, width, 12);
        ASSERT_TRUE(shown.endsWith("...")) << width;
        const QString prefix = shown.chopped(3);
        EXPECT_TRUE(text.startsWith(prefix));
        EXPECT_LT(12 + metrics.horizontalAdvance("...") + metrics.horizontalAdvance(prefix), width);
        const QString longer = text.left(prefix.size() + 1);
        EXPECT_GE(12 + metrics.horizontalAdvance("...") + metrics.horizontalAdvance(longer), width);
    }
}

TEST(ShortenText, KeepsAtLeastOneCharacter)
{
    const QFontMetrics metrics = Metrics();
    EXPECT_EQ(ShortenText(metrics, "Wide text", 5, 12), "W...");
    EXPECT_EQ(ShortenText(metrics, "W", 5, 12), "W...");
    EXPECT_EQ(ShortenText(metrics, QString::fromUtf8("合页模型"), 5, 4), QString::fromUtf8("合..."));
}

TEST(ShortenText, NeverSplitsASurrogatePair)
{
    const QFontMetrics metrics = Metrics();
    const QString pair = QString::fromUtf8("\U0002070E"); // outside the basic plane
    ASSERT_EQ(pair.size(), 2);
    const QString text = pair + pair + pair + pair + pair + pair;
    for (int width = 1; width < metrics.horizontalAdvance(text) + 12; ++width) {
        const QString shown = ShortenText(metrics, text, width, 12);
        const QString prefix = shown.endsWith("...") ? shown.chopped(3) : shown;
        ASSERT_EQ(prefix.size() % 2, 0) << width;
        ASSERT_GE(prefix.size(), 2) << width;
    }
}

// A comment of millions of characters from a hand-made library file: only
// what the cell can show is measured, and the width does not overflow.
TEST(ShortenText, MeasuresOnlyWhatAHugeTextCanShow)
{
    const QFontMetrics metrics = Metrics();
    const QString huge(16'000'000, QChar('c'));
    EXPECT_FALSE(TextFits(metrics, huge, 200, 4));
    const QString shown = ShortenText(metrics, huge, 200, 4);
    ASSERT_TRUE(shown.endsWith("..."));
    EXPECT_LT(4 + metrics.horizontalAdvance(shown), 200);
    EXPECT_GT(shown.size(), 10);
}
