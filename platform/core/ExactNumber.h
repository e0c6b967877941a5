#pragma once
// Number texts for files that must read back exactly: the short form where it reads back to the same
// value, otherwise the shortest text with more digits that does, in the same fixed or exponent form
// (".30000000000000004", "1.7976931348623157E+308"). Decimal point, no leading blank. Every finite value
// gives a text that Val/IsNumeric accept.
#include <string>

namespace platform {

// A double value: StrDouble's 15 digits when they read back equal, otherwise 16 or 17 digits.
std::string ExactDouble(double value);

// A single-precision value as read back through a double (float(Val(text)) == value): StrSingle's
// 7 digits when they do, otherwise 8 to 12 digits (always a text the readers of single fields accept,
// which refuse anything beyond the largest Single).
std::string ExactSingle(float value);

// True when the double lies within the range of a Single, so that converting it is defined and finite.
bool FitsSingle(double value);

}  // namespace platform
