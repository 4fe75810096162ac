#include <orders/Order.h>

#include <library/GbkText.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string workbook(const std::string& name)
{
    return std::string(VARNHOLT_ORDER_WORKBOOKS) + "/" + name;
}

// line, then the model, length, width, thickness, quantity, hinges-up and
// note cells (UTF-8).
struct WantRow {
    int line;
    std::string model, length, width, thickness, quantity, up, note;
};

void expectRows(const OrderFile& file, const std::vector<WantRow>& rows)
{
    ASSERT_EQ(file.problem, OrderFileProblem::None) << OrderFileProblemText(file);
    ASSERT_EQ(file.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OrderSheetRow& got = file.rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        EXPECT_EQ(got.line, rows[i].line);
        EXPECT_EQ(got.cell(OrderColumn::DoorModel), Utf8ToGbk(rows[i].model).value());
        EXPECT_EQ(got.cell(OrderColumn::Length), rows[i].length);
        EXPECT_EQ(got.cell(OrderColumn::Width), rows[i].width);
        EXPECT_EQ(got.cell(OrderColumn::Thickness), rows[i].thickness);
        EXPECT_EQ(got.cell(OrderColumn::Quantity), rows[i].quantity);
        EXPECT_EQ(got.cell(OrderColumn::HingesUp), rows[i].up);
        EXPECT_EQ(got.cell(OrderColumn::Note), Utf8ToGbk(rows[i].note).value());
    }
}

TEST(ReadsXlsx, FirstSheetAsASpreadsheetProgramWritesIt)
{
    const OrderFile file = ReadOrderFile(workbook("order.xlsx"));
    expectRows(file, {{4, "门A", "2050", "860", "", "2", "TRUE", "左开"},
                      {5, "门B", "1980.5", "900", "45", "1", "FALSE", ""},
                      {7, "门C", "2100", "800", "", "", "", ""}});
    EXPECT_EQ(file.rows[0].cell(OrderColumn::Order), "A-1");
    EXPECT_TRUE(file.decimalComma) << "no separator stands in a decimal comma's way";
}

// The sheet the workbook names first (not the first in the zip), prefixed
// names, inline strings, rich text runs without their phonetic run, cells
// without references, row numbers with gaps, a shared string out of range.
TEST(ReadsXlsx, EveryFormOfCell)
{
    expectRows(ReadOrderFile(workbook("parts.xlsx")), {{9, "门A", "2050", "859.5", "", "", "FALSE", "#N/A"},
                                                       {10, "", "700", "", "", "", "", ""}});
}

struct BrokenCase {
    const char* file;
    OrderFileProblem problem;
    std::string text;
};

class BrokenXlsx : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenXlsx, IsReportedNotRead)
{
    const OrderFile file = ReadOrderFile(workbook(GetParam().file));
    EXPECT_EQ(file.problem, GetParam().problem);
    EXPECT_TRUE(file.rows.empty());
    EXPECT_EQ(OrderFileProblemText(file), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenXlsx,
    ::testing::Values(
        BrokenCase{"truncated.xlsx", OrderFileProblem::NotXlsx, "不是可读的 XLSX 工作簿：“zip”无法读取"},
        BrokenCase{"notzip.xlsx", OrderFileProblem::NotXlsx, "不是可读的 XLSX 工作簿：“zip”无法读取"},
        BrokenCase{"nosheet.xlsx", OrderFileProblem::NotXlsx, "不是可读的 XLSX 工作簿：“xl/worksheets/orders.xml”无法读取"},
        BrokenCase{"badxml.xlsx", OrderFileProblem::NotXlsx, "不是可读的 XLSX 工作簿：“xl/worksheets/orders.xml”无法读取"},
        BrokenCase{"deep.xlsx", OrderFileProblem::NotXlsx, "不是可读的 XLSX 工作簿：“xl/sharedStrings.xml”无法读取"},
        BrokenCase{"bomb.xlsx", OrderFileProblem::TooLarge, "工作簿的“xl/sharedStrings.xml”解压后超过 16 MB，不能读取"},
        BrokenCase{"nodes.xlsx", OrderFileProblem::TooLarge,
                   "工作簿的“xl/sharedStrings.xml”中 XML 节点超过 4000000 个，不能读取"},
        BrokenCase{"noheading.xlsx", OrderFileProblem::NoHeading,
                   "找不到标题行：没有一行同时写有“门型”“长度”“宽度”（或 DoorModel、Length、Width）"}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

} // namespace
