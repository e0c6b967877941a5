#include "platform/core/ExactNumber.h"

#include <charconv>
#include <cstdlib>
#include <cmath>
#include <limits>

#include "platform/core/NumberFormat.h"

namespace platform {
namespace {

std::string WithoutBlank(std::string s) {
    if (!s.empty() && s.front() == ' ') s.erase(0, 1);
    return s;
}

// `digits` significant digits in the style of the short form: fixed while the decimal exponent e satisfies
// -5 < e < fixedLimit (no zero before the point: ".1"), otherwise "1.5E+308" / "-2.5E-07".
template <typename T>
std::string WithDigits(T value, int digits, int fixedLimit) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
    const std::string text(buffer, result.ptr);  // "-d.ddde+05"
    const std::size_t e = text.find('e');
    const bool negative = text[0] == '-';
    std::string mantissa;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i)
        if (text[i] != '.') mantissa += text[i];
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string out = negative ? "-" : "";
    if (exponent <= -5 || exponent >= fixedLimit) {
        out += mantissa.substr(0, 1);
        if (mantissa.size() > 1) out += "." + mantissa.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int a = std::abs(exponent);
        if (a < 10) out += '0';
        return out + std::to_string(a);
    }
    if (exponent < 0) return out + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= integerDigits) return out + mantissa + std::string(integerDigits - mantissa.size(), '0');
    return out + mantissa.substr(0, integerDigits) + "." + mantissa.substr(integerDigits);
}

constexpr int kDoubleFixedLimit = 15;  // the short forms' limits of the fixed form
constexpr int kSingleFixedLimit = 7;

bool ReadsBack(const std::string& text, double value) { return IsNumeric(text) && Val(text) == value; }

bool ReadsBackSingle(const std::string& text, float value) {
    if (!IsNumeric(text)) return false;
    const double v = Val(text);
    return FitsSingle(v) && static_cast<float>(v) == value;
}

// The short form when it reads back, otherwise the first of `fewest`..`most` significant digits that
// does (`most` when none does).
template <typename T, typename Check>
std::string Exact(T value, const std::string& shortForm, int fewest, int most, int fixedLimit, Check readsBack) {
    const std::string text = WithoutBlank(shortForm);
    if (!std::isfinite(value) || readsBack(text, value)) return text;
    for (int digits = fewest; digits < most; ++digits) {
        std::string longer = WithDigits(value, digits, fixedLimit);
        if (readsBack(longer, value)) return longer;
    }
    return WithDigits(value, most, fixedLimit);
}

}  // namespace

bool FitsSingle(double value) { return std::fabs(value) <= std::numeric_limits<float>::max(); }

// 17 significant digits identify every double.
std::string ExactDouble(double value) { return Exact(value, StrDouble(value), 16, 17, kDoubleFixedLimit, ReadsBack); }

// 9 digits identify every float; near the largest Single the 9-digit text may lie beyond it, where the
// reader refuses it, and a digit or two more bring it back below.
std::string ExactSingle(float value) {
    return Exact(value, StrSingle(value), 8, 12, kSingleFixedLimit, ReadsBackSingle);
}

}  // namespace platform
