#pragma once

#include <orders/Order.h>

#include <kernel/TextConverter.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the CSV and XLSX readers share: finding the heading line and placing
// the cells of the lines below it by column. Cells are GBK.

// Where each column stands in a heading line (its cell, or -1) and how many
// columns it names.
struct OrderHeading {
    int cellOf[kOrderColumns] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int recognised = 0;
};

// The text without the ASCII white space around it.
std::string_view TrimBlank(std::string_view text);

// The columns the cells name ("订单号" or "Order" and so on, without regard
// to letter case, the first cell of a heading winning); nothing unless they
// name the door model, the length and the width.
std::optional<OrderHeading> MatchHeading(const std::vector<std::string>& cells);

// The line's cells by column, trimmed; false for a line whose every cell is
// blank.
bool PlaceCells(const std::vector<std::string>& cells, const OrderHeading& heading, OrderSheetRow& row);

// UTF-8 to GBK, a character without a GBK code (or one the C library would
// not give back unchanged, or a byte that is no UTF-8) becoming "?". Keeps
// its conversion descriptors for the many texts of a file.
class GbkFromUtf8 {
public:
    std::string operator()(std::string_view utf8);

private:
    std::optional<std::string> whole(std::string_view utf8);

    TextConverter m_to{"GBK", "UTF-8"};
    TextConverter m_back{"UTF-8", "GBK"};
};
