#pragma once

#include <QString>

#include <optional>

// Numbers as the dialogs read and show them, independent of the locale.
// Reading allows blanks and tabs around the number and one leading "+";
// anything else, and an empty text, is unreadable.

std::optional<double> ReadFieldDouble(const QString& text); // finite values only
std::optional<int> ReadFieldInt(const QString& text);
std::optional<unsigned> ReadFieldUnsigned(const QString& text); // refuses a minus sign

// Up to 15 significant digits, the shortest form that shows them: 6.5 as
// "6.5", 0 as "0", 1e20 as "1e+20".
QString ShowFieldDouble(double value);
