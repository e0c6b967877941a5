#pragma once
// Number texts as the system shows and reads them. Plain C++, independent of the C locale;
// the locale's decimal separator is set once by the Qt layer at start-up
// (SetLocaleDecimalSeparator).
#include <string>

namespace platform {

// Short form of a single-precision value (what a text box shows, Str of a Single): the value
// rounded to 7 significant digits, a leading blank when it is not negative ("-" otherwise), no
// zero before the decimal point, trailing zeros and a trailing point dropped. Fixed form while
// the rounded value's decimal exponent e satisfies -5 < e < 7 (1E-04 <= |x| < 1E+07), exponent
// form "1.5E-07" / "1.234568E+07" (sign and at least two exponent digits) outside.
// 0.3678795f gives " .3678795", 6 gives " 6", -0.5 gives "-.5", 0 gives " 0", 1E-05 " 1E-05".
// Infinite and NaN values (which the callers are meant to catch first) give " Inf", "-Inf", " NaN".
std::string StrSingle(float value);
// The same for a double value with 15 significant digits (fixed form for -5 < e < 15).
std::string StrDouble(double value);

// The short form without its leading blank (what text joined into a caption shows),
// with the locale's decimal separator: CStr of a Single / Double ("0.5" or "0,5", "-0.5", "1E-05").
std::string CStrSingle(float value);
std::string CStrDouble(double value);

// A fixed format mask: "0", "0.0", "0.00", "0.000", "0.0000", "0.00##", "#0.00", "###.0", "###.",
// ".0", "##0.0#", "####,##", "0.0 E+##", "0.0000 E+##", "0.000000E+00", ".0000000E+00" and the
// like. '0' is a digit always shown, '#' a digit shown when significant; digits beyond the integer
// placeholders are all shown. '.' places the locale's decimal separator (always shown when the mask
// has one). ',' between integer placeholders groups thousands (with ',' or, when the locale's
// decimal separator is ',', with '.'); ',' right before the point or the end of the integer
// placeholders divides by 1000. "E+" / "E-" (or "e+" / "e-") starts an exponent (its sign always /
// only when negative) with at least as many digits as '0' places after it ("E+##": no leading
// zeros, exponent 0 as "0"); the mantissa has as many integer digits as the mask has integer
// placeholders, below 1 when it has none (".0000000E+00" of 1 gives ".1000000E+01"). An "E" not
// followed by a sign, other digits and all other characters are literals, copied; "\x" and
// "quoted text" are copied too. The value is taken with 15 significant digits and rounded half
// away from zero. A result whose shown digits are all zero carries no minus sign.
// NaN and infinite values give "NaN", "Inf", "-Inf".
std::string Format(double value, const std::string& mask);
// Format of a single-precision value: the same, but the value is taken with its 7 significant
// digits (0.1f with "###0.0000#####" gives "0.1000", not "0.100000001").
std::string FormatSingle(float value, const std::string& mask);

// The leading numeric prefix of a text with a decimal point: blanks, tabs and line feeds are
// skipped anywhere ("1 2" reads 12), then an optional sign, digits with at most one '.', and an
// optional exponent E/e/D/d with optional sign ("1E-03", ".5", "-.5", " 12abc" reads 12). An empty
// text, one without a leading number, or a number beyond the range of a Double reads as 0.
double Val(const std::string& text);

// True when the text is one complete number with a decimal point (blanks and tabs around it
// allowed; sign, digits with at most one '.', optional exponent E/e/D/d): the check a reader makes
// before it accepts a numeric field. "", "1,5", "1.2.3", "12abc" and numbers beyond the range of a
// Double are not numeric.
bool IsNumeric(const std::string& text);

// A number text that the program wrote in the locale's form (CStr, Format, a caption or table
// cell) or that the user typed with either separator: ',' and '.' both count as the decimal
// point. When both occur, the locale's decimal separator is the point and the other one groups
// thousands ("1.234,5" reads 1234.5 under a decimal comma). Otherwise as Val and IsNumeric.
double ValLocale(const std::string& text);
bool IsNumericLocale(const std::string& text);

// The text with every ',' turned into '.': a locale-form number (Format, CStr) in the point form of
// text boxes and files.
std::string WithDecimalPoint(std::string text);

// Decimal separator of the user's locale ('.' until set).
void SetLocaleDecimalSeparator(char separator);
char LocaleDecimalSeparator();

}  // namespace platform
