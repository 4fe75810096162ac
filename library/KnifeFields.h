#pragma once

#include <library/KnifeInfo.h>

#include <optional>
#include <span>
#include <string>
#include <variant>

// Every value of a tool, described once: the tool table file reads and writes
// them in this order, the tool dialogs build their form and their grid's
// columns from them.
struct KnifeField {
    using Member = std::variant<int KnifeInfo::*, double KnifeInfo::*, std::string KnifeInfo::*,
                                KnifeKind KnifeInfo::*>;

    const char* attribute; // of the "Knife" element
    Member member;         // ints "%d", reals "%.2f", texts as GBK bytes, the kind by its name
    // Written only when it differs from a new tool's value, so that tables
    // that never set it stay as they were.
    bool onlyWhenSet;
    const char* heading; // the grid column's heading (UTF-8)
    int column;          // the grid column
    const char* label;   // the form field's label (UTF-8)
    const char* name;    // the form field's object name
    int row;             // the form field's place: row and slot in the row
    int slot;
    // A list's entries by index (UTF-8); none for an edit field.
    std::span<const char* const> entries;
    // A list of two whose second entry stands for every value but 0.
    bool flag;
};

std::span<const KnifeField> KnifeFields();

// The kind as the file writes it: "Drill", "Cutter"; empty for Unset.
std::string KnifeKindName(KnifeKind kind);
// The kind of a name KnifeKindName gives, in any letter case; nothing for any
// other text.
std::optional<KnifeKind> KnifeKindOf(const std::string& name);
