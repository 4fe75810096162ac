#pragma once

#include <library/MachineProfile.h>

#include <span>
#include <string>
#include <variant>

// Every value of the machine profile, described once: the file reads and
// writes them in this order, the check tests them in this order, and the
// settings dialog builds its fields from them.

// The group of the settings dialog a value stands in.
enum class ProfileGroup { Frame, Cutting, Text };

// How the dialog edits a value: a number or a text on one line, a side-head
// letter (consecutive letters share one row and are read from the file as
// one value), lines of text, a check box, or a choice from a list.
enum class ProfileControl { Number, Line, Letter, Lines, Flag, Choice };

// One entry of a choice: its text (UTF-8) and the value it stands for.
struct ProfileChoice {
    const char* label;
    int value;
};

struct ProfileField {
    using Member = std::variant<int MachineProfile::*, double MachineProfile::*, std::string MachineProfile::*>;

    const char* attribute; // of the file's root element
    Member member;         // ints "%d", reals "%.2f", texts as GBK bytes
    // What is wrong when valid says no; None and no test where any value goes.
    ProfileProblem problem;
    bool (*valid)(const MachineProfile&);
    ProfileGroup group;
    ProfileControl control;
    const char* name;  // object name of the dialog's field
    const char* label; // UTF-8; a check box's text; empty on the letters after the first
    std::span<const ProfileChoice> choices;
};

std::span<const ProfileField> ProfileFields();

// The profile as its file keeps it, reals at hundredths: what is checked
// before it is written is what is read back.
MachineProfile AsStored(const MachineProfile& profile);
