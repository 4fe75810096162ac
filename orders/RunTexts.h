#pragma once

#include <library/SaveResult.h>
#include <machining/MachiningPlan.h>

#include <string>

// The Chinese wording (UTF-8) of what an order's run reports: orders are
// also run without a window, so these do not go through the dialogs' texts.

// Why the plan's program is not written (the plan is not ready).
std::string PlanRefusedText(const MachiningPlan& plan);
// Why a program file could not be written.
std::string SaveFailureText(const SaveResult& result);
// A size as short as it can be written, to the thousandth: "2050", "2050.5".
std::string SizeText(double millimetres);
// "1:02:05": hours, minutes and seconds, rounded to the second.
std::string ClockText(double seconds);
