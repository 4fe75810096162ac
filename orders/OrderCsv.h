#pragma once

#include <orders/Order.h>

#include <string>
#include <string_view>
#include <vector>

// The records of a CSV text as Excel and WPS write them: a cell in double
// quotes may hold the separator, line ends and doubled quotes; lines end in
// CR LF, LF or CR. Works on GBK bytes as they are: no trail byte of GBK is a
// quote, separator or line end.
class CsvRecords {
public:
    CsvRecords(std::string_view text, char separator, long long maxCells);

    // The next record and the line it starts on (from 1); false at the end,
    // and once more cells were read than maxCells.
    bool next(std::vector<std::string>& cells, int& line);
    bool overflowed() const { return m_overflowed; }

private:
    void quotedPart(std::string& cell);

    std::string_view m_text;
    char m_separator;
    long long m_cellsLeft;
    bool m_overflowed = false;
    std::size_t m_pos = 0;
    int m_line = 1;
};

// Reads an order from a CSV file's bytes: UTF-8 (with or without its byte
// order mark), UTF-16 with its byte order mark, or else GBK; separated by
// the one of comma, semicolon and tab that names the most columns in the
// heading line.
OrderFile ReadCsvOrder(const std::string& bytes);
