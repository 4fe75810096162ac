#include <orders/Order.h>

#include <kernel/GK_Placement.h>
#include <library/ModelLibrary.h>
#include <library/NameLookup.h>

#include <charconv>
#include <cmath>
#include <optional>

namespace {

// A part standing off the leaf by less than this is taken to lie on it:
// what the model's own numbers leave over.
constexpr double kOffLeafTolerance = 1e-6;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A plain decimal: a sign, digits with one decimal point ('.', or ',' where
// allowed) and an exponent; nothing else, no thousands separators.
std::optional<double> parseNumber(std::string text, bool decimalComma)
{
    if (decimalComma && text.find('.') == std::string::npos)
        if (const std::size_t comma = text.find(','); comma != std::string::npos)
            text[comma] = '.';
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (i >= text.size() || !isDigit(text[i]))
            return std::nullopt;
        while (i < text.size() && isDigit(text[i]))
            ++i;
    }
    if (i != text.size())
        return std::nullopt;
    const std::size_t from = text[0] == '+' ? 1 : 0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data() + from, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

RowRefusal refusal(RowRefusal::Kind kind, OrderColumn column, std::string text = {})
{
    RowRefusal r;
    r.kind = kind;
    r.column = column;
    r.text = std::move(text);
    return r;
}

// The cell's size, or why it is none; an empty cell gives fallback when
// there is one.
RowRefusal readSize(const OrderSheetRow& sheet, OrderColumn column, double min, double max, bool decimalComma,
                    std::optional<double> fallback, double& value)
{
    const std::string& cell = sheet.cell(column);
    if (cell.empty() && fallback) {
        value = *fallback;
        return {};
    }
    const std::optional<double> number = parseNumber(cell, decimalComma);
    if (!number)
        return refusal(RowRefusal::Kind::NotANumber, column, cell);
    value = *number;
    if (!(value >= min && value <= max)) {
        RowRefusal r = refusal(RowRefusal::Kind::OutOfRange, column, cell);
        r.value = value;
        r.min = min;
        r.max = max;
        return r;
    }
    return {};
}

RowRefusal readQuantity(const std::string& cell, int& quantity)
{
    if (cell.empty()) {
        quantity = 1;
        return {};
    }
    const std::optional<double> number = parseNumber(cell, false);
    if (!number || *number != std::floor(*number) || *number < 1 || *number > kMaxQuantity) {
        RowRefusal r = refusal(RowRefusal::Kind::BadQuantity, OrderColumn::Quantity, cell);
        r.value = number.value_or(0.0);
        r.min = 1;
        r.max = kMaxQuantity;
        return r;
    }
    quantity = static_cast<int>(*number);
    return {};
}

RowRefusal readHingesUp(const std::string& cell, int modelUp, bool& up)
{
    if (cell.empty()) {
        up = modelUp == 1;
        return {};
    }
    for (const char* yes : {"\xCA\xC7" /* 是 */, "1", "true", "yes"})
        if (EqualNamesNoCase(cell, yes)) {
            up = true;
            return {};
        }
    for (const char* no : {"\xB7\xF1" /* 否 */, "0", "false", "no"})
        if (EqualNamesNoCase(cell, no)) {
            up = false;
            return {};
        }
    return refusal(RowRefusal::Kind::BadHingesUp, OrderColumn::HingesUp, cell);
}

// The name of the file without its folder and its last suffix.
std::string orderName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (const std::size_t dot = name.find_last_of('.'); dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

// The load's record of a door that names a model the library lacks.
const UnboundDoor* unboundDoor(const ModelLibrary& library, const std::string& doorName)
{
    for (const UnboundDoor& door : library.unboundDoors)
        if (EqualNamesNoCase(door.doorName, doorName))
            return &door;
    return nullptr;
}

OrderRow resolveRow(const OrderSheetRow& sheet, const ModelLibrary& library, bool decimalComma)
{
    OrderRow row;
    row.line = sheet.line;
    row.order = sheet.cell(OrderColumn::Order);
    row.doorModel = sheet.cell(OrderColumn::DoorModel);
    row.note = sheet.cell(OrderColumn::Note);

    if (row.doorModel.empty()) {
        row.refusal = refusal(RowRefusal::Kind::NoModel, OrderColumn::DoorModel);
        return row;
    }
    const std::optional<std::size_t> at = PositionByName(library.doors, row.doorModel);
    if (!at) {
        row.refusal = refusal(RowRefusal::Kind::UnknownModel, OrderColumn::DoorModel, row.doorModel);
        return row;
    }
    const std::shared_ptr<GK_DoorWithHinges> model = library.doors.share(*at);
    // A door without a lock core (or without hinges) is one by design and
    // gets the program it has; a door whose file names a model the library
    // lacks, or that has neither, cannot be drilled as meant.
    const UnboundDoor* unbound = unboundDoor(library, model->GetName());
    if (unbound || (!model->GetHingesModel() && !model->GetLockCoreModel())) {
        row.refusal = refusal(RowRefusal::Kind::ModelLacks, OrderColumn::DoorModel, row.doorModel);
        row.refusal.lockCore = unbound && unbound->missingHinges.empty();
        return row;
    }
    double modelLength = 0.0, modelWidth = 0.0, modelThickness = 0.0;
    model->GetDoorSize(modelLength, modelWidth, modelThickness);

    if ((row.refusal = readSize(sheet, OrderColumn::Length, kMinDoorLength, kMaxDoorLength, decimalComma,
                                std::nullopt, row.length)))
        return row;
    if ((row.refusal = readSize(sheet, OrderColumn::Width, kMinDoorWidth, kMaxDoorWidth, decimalComma,
                                std::nullopt, row.width)))
        return row;
    if ((row.refusal = readSize(sheet, OrderColumn::Thickness, kMinDoorThickness, kMaxDoorThickness,
                                decimalComma, modelThickness, row.thickness)))
        return row;
    if ((row.refusal = readQuantity(sheet.cell(OrderColumn::Quantity), row.quantity)))
        return row;
    if ((row.refusal = readHingesUp(sheet.cell(OrderColumn::HingesUp), model->HingesUp(), row.hingesUp)))
        return row;

    std::shared_ptr<GK_DoorWithHinges> door =
        GK_DoorInSize(*model, row.length, row.width, row.thickness, row.hingesUp ? 1 : 0);
    if (const std::vector<GK_PartOffLeaf> off = GK_PartsOffLeaf(*door, kOffLeafTolerance); !off.empty()) {
        row.refusal.kind = RowRefusal::Kind::PartOffLeaf;
        row.refusal.lockCore = off.front().lockCore;
        row.refusal.hinge = off.front().hinge;
        row.refusal.by = off.front().by;
        return row;
    }
    row.door = std::move(door);
    return row;
}

} // namespace

Order ResolveOrder(const OrderFile& file, const ModelLibrary& library)
{
    Order order;
    order.path = file.path;
    order.name = orderName(file.path);
    order.rows.reserve(file.rows.size());
    for (const OrderSheetRow& sheet : file.rows)
        order.rows.push_back(resolveRow(sheet, library, file.decimalComma));
    return order;
}
