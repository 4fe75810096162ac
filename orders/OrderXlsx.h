#pragma once

#include <orders/Order.h>

#include <string>

// Reads an order from the first sheet of an XLSX workbook's bytes: the sheet
// the workbook names first, its shared strings (rich text runs joined),
// inline strings, numbers as written and booleans as "TRUE" / "FALSE";
// every part bounded in its unpacked size and its XML.
OrderFile ReadXlsxOrder(const std::string& bytes);
