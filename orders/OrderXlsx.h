#pragma once

#include <orders/Order.h>

#include <string>

// Columns past this one (IV) are not read: no order's heading lies so far
// to the right, and a hostile cell reference cannot make a line wide.
inline constexpr int kMaxXlsxColumns = 256;

// Reads an order from the first sheet of an XLSX workbook's bytes: the sheet
// the workbook names first, its shared strings (rich text runs joined),
// inline strings, numbers as written and booleans as "TRUE" / "FALSE"; a
// line is the sheet's row number. Every part is bounded in its unpacked size
// and in what its XML builds before it is parsed.
OrderFile ReadXlsxOrder(const std::string& bytes);
