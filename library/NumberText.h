#pragma once

#include <string>

// Number texts of the library files, independent of the process locale: the
// user interface sets the user's locale, and a decimal comma there must never
// reach a file or change how one is read.

// "%.2f": fixed point, two decimals, "-" for negatives (-0.004 gives "-0.00").
std::string FormatReal(double value);
// "%d".
std::string FormatInt(int value);

// atof: leading white space skipped, the longest numeric prefix used, 0 when
// there is none. May answer an infinity or NaN ("inf", "nan", "1e999").
double ParseReal(const char* text);
// atoi: as atof for integers; values beyond the int range are clamped.
int ParseInt(const char* text);
