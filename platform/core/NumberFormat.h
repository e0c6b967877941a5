#pragma once
// Number texts as the system shows and reads them. Plain C++; the locale's decimal
// separator is set once by the Qt layer at start-up (SetLocaleDecimalSeparator).
#include <string>

namespace platform {

// Short form of a single-precision value (what a text box shows): the value rounded to
// 7 significant digits, a leading blank when it is not negative ("-" otherwise), no zero
// before the decimal point, trailing zeros and a trailing point dropped, exponent form
// "1.5E-07" / "1.5E+08" for magnitudes below 0.01 or of 1e7 and above.
// 0.3678795f gives " .3678795", 6 gives " 6", -0.5 gives "-.5", 0 gives " 0".
std::string StrSingle(float value);
// The same for a double value with 15 significant digits.
std::string StrDouble(double value);

// The short form without its leading blank (what text joined into a caption shows),
// with the locale's decimal separator: CStr of a Single / Double.
std::string CStrSingle(float value);
std::string CStrDouble(double value);

// A fixed format mask: "0", "0.0", "0.00", "0.000", "0.0000", "0.00##", "#0.00", "###.0",
// "0.0 E+##", "0.0000 E+##", "0.00E+00", "##0.0", "00" and the like: '0' a digit always
// shown, '#' a digit shown when significant, '.' the locale's decimal separator, "E+" / "E-"
// an exponent (the sign always / only when negative) with as many digits as the mask's
// digit places after it (at least those shown by '0'). Literal characters are copied.
std::string Format(double value, const std::string& mask);

// The leading numeric prefix of a text with a decimal point ("1E-03", ".5", "-.5", " 12abc"
// reads 12); blanks are skipped; an empty text or one without a number reads as 0.
double Val(const std::string& text);

// True when the text is a complete number (blanks around it allowed): the check a reader
// makes before it accepts a numeric field.
bool IsNumeric(const std::string& text);

// Decimal separator of the user's locale ('.' until set).
void SetLocaleDecimalSeparator(char separator);
char LocaleDecimalSeparator();

}  // namespace platform
