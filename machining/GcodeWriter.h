#pragma once

#include <machining/MachiningPlan.h>

#include <library/MachineProfile.h>
#include <library/SaveResult.h>

#include <string>
#include <vector>

// The program text of a ready plan in the profile's form: the header texts,
// "G21 G90 G17", each tool use between its tool's "AirForward" and
// "DrillStart" texts and its "DrillStop" and "AirBack" texts, the footer
// texts and "M30". Coordinates are the machine's (origin corner and axis
// directions of the profile, the side head's letters in the lock edge) with
// three decimals; GBK bytes. notes (GBK) are comment lines written after the
// program's own heading comment, such as the order a program is made for.
std::string WriteGcode(const MachiningPlan& plan, const MachineProfile& profile,
                       const std::vector<std::string>& notes = {});

// Writes the program text to the file at path atomically: the file is the
// old one or the whole new program, never a part.
SaveResult SaveGcodeFile(const MachiningPlan& plan, const MachineProfile& profile, const std::string& path);
