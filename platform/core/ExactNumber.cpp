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

}  // namespace

bool FitsSingle(double value) { return std::fabs(value) <= std::numeric_limits<float>::max(); }

std::string ExactDouble(double value) {
    std::string text = WithoutBlank(StrDouble(value));
    if (!std::isfinite(value) || ReadsBack(text, value)) return text;
    for (int digits = 16; digits < 17; ++digits) {
        text = WithDigits(value, digits, kDoubleFixedLimit);
        if (ReadsBack(text, value)) return text;
    }
    return WithDigits(value, 17, kDoubleFixedLimit);  // 17 significant digits identify every double
}

std::string ExactSingle(float value) {
    std::string text = WithoutBlank(StrSingle(value));
    if (!std::isfinite(value) || ReadsBackSingle(text, value)) return text;
    // 9 digits identify every float; near the largest Single the 9-digit text may lie beyond it, where
    // the reader refuses it, and a digit or two more bring it back below.
    for (int digits = 8; digits < 12; ++digits) {
        text = WithDigits(value, digits, kSingleFixedLimit);
        if (ReadsBackSingle(text, value)) return text;
    }
    return WithDigits(value, 12, kSingleFixedLimit);
}

}  // namespace platform
