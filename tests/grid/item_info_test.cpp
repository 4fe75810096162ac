#include <grid/CItemInfo.h>

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ItemInfo, SubItemTextThrowsOutsideTheArray)
{
    CItemInfo info;
    info.m_subItemTexts = {"a", "b"};
    EXPECT_EQ(info.SubItemText(1), "b");
    EXPECT_THROW(info.SubItemText(2), std::out_of_range);
    EXPECT_THROW(info.SubItemText(-1), std::out_of_range);
}

TEST(ItemInfo, SetSubItemTextGrowsWithEmptyTexts)
{
    CItemInfo info;
    info.m_subItemTexts = {"a"};
    info.SetSubItemText(2, "c");
    ASSERT_EQ(info.m_subItemTexts.size(), 3);
    EXPECT_EQ(info.m_subItemTexts[0], "a");
    EXPECT_TRUE(info.m_subItemTexts[1].isEmpty());
    EXPECT_EQ(info.m_subItemTexts[2], "c");
}

TEST(ColorRef, ConvertsBlueGreenRedOrder)
{
    EXPECT_EQ(ColorFromColorRef(0x0000C0), QColor(192, 0, 0));
    EXPECT_EQ(ColorFromColorRef(0x808000), QColor(0, 128, 128));
    EXPECT_EQ(ColorFromColorRef(0x123456), QColor(0x56, 0x34, 0x12));
}
