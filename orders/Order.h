#pragma once

#include <kernel/GK_DoorWithHinges.h>

#include <memory>
#include <string>
#include <vector>

class ModelLibrary;

// The columns of an order, found by their heading in any order.
enum class OrderColumn { Order, DoorModel, Length, Width, Thickness, Quantity, HingesUp, Note };
inline constexpr int kOrderColumns = 8;

// One line of an order file below its heading, its cells as written (GBK,
// without the white space around them), by column; a column the file lacks
// is empty. A character of a UTF-8 file that GBK has no code for reads as "?".
struct OrderSheetRow {
    int line = 0; // the line (CSV) or sheet row (XLSX) in the file, from 1
    std::string cells[kOrderColumns];
    const std::string& cell(OrderColumn c) const { return cells[static_cast<int>(c)]; }
};

// Why an order file gives no rows at all.
enum class OrderFileProblem {
    None,
    CannotOpen,   // the file cannot be read; error is errno
    TooLarge,     // more bytes (or, in XLSX, unpacked bytes or cells) than an order may have; limit says how many
    NotXlsx,      // an .xlsx that is no readable workbook (zip or its XML); detail names the part
    NoHeading,    // no line names both "门型" (DoorModel) and "长度" (Length) and "宽度" (Width)
};

// What a TooLarge order file has too much of.
enum class OrderFileLimit { FileBytes, PartBytes, Cells, XmlNodes };

// The bounds of an order file: whatever a file holds, reading it takes no
// more than a few hundred megabytes and time in proportion to its size.
inline constexpr long long kMaxOrderFileBytes = 32LL << 20;
inline constexpr long long kMaxXlsxPartBytes = 16LL << 20; // one part of the workbook, unpacked
inline constexpr long long kMaxOrderCells = 500000;        // every cell of every line, empty ones too
inline constexpr long long kMaxXlsxXmlNodes = 4000000;     // elements, attributes and texts of one part

struct OrderFile {
    std::string path; // UTF-8, as ReadOrderFile was given it
    OrderFileProblem problem = OrderFileProblem::None;
    int error = 0;
    long long limit = 0;
    OrderFileLimit limitOf = OrderFileLimit::FileBytes;
    std::string detail;               // UTF-8
    std::vector<OrderSheetRow> rows;  // every line after the heading but wholly empty ones
    // A number may take a decimal comma ("2050,5"): true unless the file is
    // a CSV separated by commas. Quantities never do, so "1,000" is no 1.
    bool decimalComma = false;
};

// Reads a CSV (UTF-8 with or without BOM, or GBK; comma, semicolon or tab,
// quoted as Excel and WPS quote) or the first sheet of an XLSX, told apart by
// content, not name. path is UTF-8.
OrderFile ReadOrderFile(const std::string& path);

// Why a row of an order cannot be machined.
struct RowRefusal {
    enum class Kind {
        None,
        NoModel,       // the door-model cell is empty
        UnknownModel,  // no door model of the library has the name
        ModelLacks,    // the door model names a hinge model (lockCore false) or lock-core model (lockCore true) the library lacks, or has neither
        NotANumber,    // column's cell is not a number
        OutOfRange,    // column's value lies outside min..max
        BadQuantity,   // the quantity is not a whole number of at least 1 (max: kMaxQuantity)
        BadHingesUp,   // the hinges-up cell is none of 是/否/1/0 (true/false/yes/no)
        PartOffLeaf,   // in the row's size, a hinge (hinge, from 0) or the lock core stands off the leaf by `by` mm
    };
    Kind kind = Kind::None;
    OrderColumn column = OrderColumn::Length;
    std::string text;            // GBK: the cell as written (NotANumber, UnknownModel, ModelLacks, BadQuantity, BadHingesUp)
    double value = 0.0, min = 0.0, max = 0.0;
    bool lockCore = false;
    std::size_t hinge = 0;
    double by = 0.0;

    explicit operator bool() const { return kind != Kind::None; }
};

// Sizes an order row may ask for, in millimetres.
inline constexpr double kMinDoorLength = 200, kMaxDoorLength = 4000;
inline constexpr double kMinDoorWidth = 100, kMaxDoorWidth = 2000;
inline constexpr double kMinDoorThickness = 10, kMaxDoorThickness = 150;
inline constexpr int kMaxQuantity = 100000;

// One row of an order, read and checked against the library.
struct OrderRow {
    int line = 0;
    std::string order, doorModel, note; // GBK, as written
    double length = 0.0, width = 0.0, thickness = 0.0;
    int quantity = 0;
    bool hingesUp = false;
    // The model's door in the row's size (GK_DoorInSize); null when refused.
    std::shared_ptr<const GK_DoorWithHinges> door;
    RowRefusal refusal;

    bool usable() const { return door && !refusal; }
};

struct Order {
    std::string path;  // UTF-8
    std::string name;  // UTF-8: the file's name without its folder and suffix
    std::vector<OrderRow> rows;
};

// Checks every row against the library: nothing is dropped, a row that
// cannot be used keeps its refusal (the first of its cells, left to right,
// that cannot be used; then a part off the leaf). Numbers are plain decimals
// ("2050", "2050.5", a decimal comma as OrderFile::decimalComma says); an
// empty thickness or hinges-up cell takes the model's, an empty quantity is 1.
// The doors share the library's hinge and lock-core models.
Order ResolveOrder(const OrderFile& file, const ModelLibrary& library);

// The Chinese wording (UTF-8) of a file problem and of a row's refusal.
std::string OrderFileProblemText(const OrderFile& file);
std::string RefusalText(const RowRefusal& refusal);
// "第 12 行：" and the row's refusal.
std::string RowRefusalText(const OrderRow& row);
