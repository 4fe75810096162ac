#include "ScratchFolder.h"

#include <orders/Order.h>

#include <kernel/TextConverter.h>
#include <library/GbkText.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

namespace {

std::string gbk(const std::string& utf8)
{
    return Utf8ToGbk(utf8).value();
}

// As Excel saves "Unicode text": UTF-16 little-endian after its mark.
std::string utf16(const std::string& utf8)
{
    return "\xFF\xFE" + TextConverter("UTF-16LE", "UTF-8").convert(utf8).value();
}

// A row as the test expects it: line, then the cells (UTF-8) of the model,
// length, width, thickness, quantity, hinges-up, order and note columns.
struct WantRow {
    int line;
    std::string model, length, width, thickness, quantity, up, order, note;
};

struct CsvCase {
    const char* name;
    std::string bytes;
    std::vector<WantRow> rows;
    bool decimalComma;
};

class ReadsCsv : public ::testing::TestWithParam<CsvCase> {};

TEST_P(ReadsCsv, FindsHeadingAndCells)
{
    const CsvCase& c = GetParam();
    ScratchFolder folder;
    const OrderFile file = ReadOrderFile(folder.write("order.csv", c.bytes));
    ASSERT_EQ(file.problem, OrderFileProblem::None) << OrderFileProblemText(file);
    EXPECT_EQ(file.decimalComma, c.decimalComma);
    ASSERT_EQ(file.rows.size(), c.rows.size());
    for (std::size_t i = 0; i < c.rows.size(); ++i) {
        const OrderSheetRow& got = file.rows[i];
        const WantRow& want = c.rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        EXPECT_EQ(got.line, want.line);
        EXPECT_EQ(got.cell(OrderColumn::DoorModel), gbk(want.model));
        EXPECT_EQ(got.cell(OrderColumn::Length), want.length);
        EXPECT_EQ(got.cell(OrderColumn::Width), want.width);
        EXPECT_EQ(got.cell(OrderColumn::Thickness), want.thickness);
        EXPECT_EQ(got.cell(OrderColumn::Quantity), want.quantity);
        EXPECT_EQ(got.cell(OrderColumn::HingesUp), gbk(want.up));
        EXPECT_EQ(got.cell(OrderColumn::Order), gbk(want.order));
        EXPECT_EQ(got.cell(OrderColumn::Note), gbk(want.note));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadsCsv,
    ::testing::Values(
        // Excel's "CSV UTF-8": a byte order mark, CR LF, a title line above
        // the heading, a trailing line of empty cells.
        CsvCase{"Utf8BomComma",
                "\xEF\xBB\xBF生产单 2026-12,,,\r\n订单号,门型,长度,宽度,厚度,数量,合页朝上,备注\r\n"
                "A-1,门A,2050,860,,2,是,左开\r\nA-2,门B,1980.5,900,45,1,,\r\n,,,,,,,\r\n",
                {{3, "门A", "2050", "860", "", "2", "是", "A-1", "左开"},
                 {4, "门B", "1980.5", "900", "45", "1", "", "A-2", ""}},
                false},
        // WPS in GBK with semicolons; a note holding commas makes the comma
        // name fewer headings; columns in another order, one unknown.
        CsvCase{"GbkSemicolon",
                gbk("备注;宽度;颜色;门型;长度\n红,白;860;白;门A;2050,5\n;;;;\n;900;;门C;2100\n"),
                {{2, "门A", "2050,5", "860", "", "", "", "", "红,白"}, {4, "门C", "2100", "900", "", "", "", "", ""}},
                true},
        // Tab-separated English headings, any case, blanks around them.
        CsvCase{"TabEnglish",
                "ORDER\t doormodel \tLength\twidth\tHingesUp\n7\tDoor-x\t2000\t800\tyes\n",
                {{2, "Door-x", "2000", "800", "", "", "yes", "7", ""}},
                true},
        // Quoted cells: separators, doubled quotes and line ends inside;
        // a row's line is where it starts.
        CsvCase{"Quoted",
                "门型,长度,宽度,备注\n\"门A\",2050,860,\"a \"\"b\"\", c\"\n门A,2000,800,\"two\r\nlines\"\n门A,1,2,end",
                {{2, "门A", "2050", "860", "", "", "", "", "a \"b\", c"},
                 {3, "门A", "2000", "800", "", "", "", "", "two\nlines"},
                 {5, "门A", "1", "2", "", "", "", "", "end"}},
                false},
        CsvCase{"Utf16Tab", utf16("门型\t长度\t宽度\r\n门A\t2050\t860\r\n"), {{2, "门A", "2050", "860", "", "", "", "", ""}}, true},
        // UTF-8 without a mark; a character GBK has no code for reads "?".
        CsvCase{"Utf8NoBomUnmappable",
                "门型,长度,宽度,备注\n门A,2050,860,好😀\n",
                {{2, "门A", "2050", "860", "", "", "", "", "好?"}},
                false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OrderFileProblems, AreReportedWithTheirCauseAndLimit)
{
    ScratchFolder folder;
    const OrderFile missing = ReadOrderFile(folder.path("none.csv"));
    EXPECT_EQ(missing.problem, OrderFileProblem::CannotOpen);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(missing.path, folder.path("none.csv"));

    std::filesystem::create_directory(folder.path("dir.csv"));
    EXPECT_EQ(ReadOrderFile(folder.path("dir.csv")).problem, OrderFileProblem::CannotOpen);

    const OrderFile noHeading = ReadOrderFile(folder.write("h.csv", "门型,长度\n门A,2000\n"));
    EXPECT_EQ(noHeading.problem, OrderFileProblem::NoHeading);
    EXPECT_NE(OrderFileProblemText(noHeading).find("门型"), std::string::npos);
    EXPECT_EQ(ReadOrderFile(folder.write("empty.csv", "")).problem, OrderFileProblem::NoHeading);

    // Sparse: costs no disk.
    const std::string large = folder.write("large.csv", "");
    std::filesystem::resize_file(large, kMaxOrderFileBytes + 1);
    const OrderFile tooLarge = ReadOrderFile(large);
    EXPECT_EQ(tooLarge.problem, OrderFileProblem::TooLarge);
    EXPECT_EQ(tooLarge.limitOf, OrderFileLimit::FileBytes);
    EXPECT_EQ(OrderFileProblemText(tooLarge), "生产单文件超过 32 MB，不能读取");

    const OrderFile cells =
        ReadOrderFile(folder.write("cells.csv", "门型,长度,宽度\n" + std::string(kMaxOrderCells, ',')));
    EXPECT_EQ(cells.problem, OrderFileProblem::TooLarge);
    EXPECT_EQ(cells.limitOf, OrderFileLimit::Cells);
    EXPECT_EQ(OrderFileProblemText(cells), "生产单的单元格超过 500000 个，不能读取");

    // One long line and an unclosed quote end like any other text.
    EXPECT_EQ(ReadOrderFile(folder.write("line.csv", std::string(4 << 20, 'x'))).problem, OrderFileProblem::NoHeading);
    const OrderFile open = ReadOrderFile(folder.write("quote.csv", "门型,长度,宽度\n门A,\"2000\n,800\n"));
    ASSERT_EQ(open.problem, OrderFileProblem::None);
    ASSERT_EQ(open.rows.size(), 1u);
    EXPECT_EQ(open.rows[0].cell(OrderColumn::Length), "2000\n,800");
}

} // namespace
