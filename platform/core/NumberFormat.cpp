#include "platform/core/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace platform {
namespace {

constexpr int kSingleDigits = 7;   // significant digits of a Single as the system shows it
constexpr int kDoubleDigits = 15;  // significant digits of a Double
constexpr int kSmallestFixedExponent = -4;  // 1E-04 still shows in fixed form, 1E-05 does not

char& decimalSlot() {
    static char separator = '.';
    return separator;
}

// A non-negative decimal number: digits d1 d2 ... (d1 != '0' unless the number is 0) with the value
// d1.d2d3... * 10^exponent.
struct Decimal {
    std::string digits = "0";
    int exponent = 0;
    bool IsZero() const { return digits == "0"; }
};

// |value| rounded to `precision` significant digits, trailing zeros removed. std::to_chars is used
// because printf follows LC_NUMERIC, which Qt sets from the user's locale.
Decimal ToDecimal(double value, int precision) {
    Decimal d;
    value = std::fabs(value);
    if (value == 0.0) return d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    const std::string text(buffer, result.ptr);  // "d.dddde-05" or "de+03"
    const std::size_t e = text.find('e');
    d.digits.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    d.exponent = std::atoi(text.c_str() + e + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps the first `keep` significant digits, rounding half away from zero (the digits are the
// decimal value, so "half" is exact here). keep <= 0 rounds to a power of ten or to zero.
void RoundDigits(Decimal& d, int keep) {
    if (d.IsZero() || keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty() || d.digits == "0") d = Decimal{};
}

// Integer and fraction digits of a Decimal in fixed form ("" and "05" for 0.05); both empty for 0.
void SplitDigits(const Decimal& d, std::string& integer, std::string& fraction) {
    integer.clear();
    fraction.clear();
    if (d.IsZero()) return;
    if (d.exponent >= 0) {
        std::string digits = d.digits;
        if (static_cast<int>(digits.size()) < d.exponent + 1) digits.append(d.exponent + 1 - digits.size(), '0');
        integer = digits.substr(0, d.exponent + 1);
        fraction = digits.substr(d.exponent + 1);
    } else {
        fraction = std::string(-d.exponent - 1, '0') + d.digits;
    }
}

// The general number form: %G rule with `precision` digits. Str writes no zero before the
// point and a blank for positive values; CStr (the locale's conversion) writes the zero.
std::string ShortForm(double value, int precision, char point, bool blankForPositive, bool leadingZero = false) {
    std::string sign = std::signbit(value) && value != 0.0 ? "-" : (blankForPositive ? " " : "");
    if (std::isnan(value)) return (blankForPositive ? " " : "") + std::string("NaN");
    if (std::isinf(value)) return sign + "Inf";
    Decimal d = ToDecimal(value, precision);
    if (d.IsZero()) return sign + "0";
    std::string text;
    if (d.exponent < kSmallestFixedExponent || d.exponent >= precision) {
        text = d.digits.substr(0, 1);
        if (d.digits.size() > 1) text += point + d.digits.substr(1);
        const int e = std::abs(d.exponent);
        text += d.exponent < 0 ? "E-" : "E+";
        if (e < 10) text += '0';
        text += std::to_string(e);
    } else {
        std::string fraction;
        SplitDigits(d, text, fraction);
        if (text.empty() && leadingZero) text = "0";
        if (!fraction.empty()) text += point + fraction;
    }
    return sign + text;
}

char ThousandsSeparator() { return decimalSlot() == ',' ? '.' : ','; }

// A mask split into its parts. Literal characters go before the integer digits (when they stand
// before the first integer placeholder), after them (when they stand among or behind the integer
// placeholders), in their place inside the fraction, or after the exponent.
struct Mask {
    std::string prefix;          // literals before the first integer placeholder
    std::string integerTail;     // literals between or after the integer placeholders
    int integerPlaces = 0;       // '0' and '#' before the point
    int integerMinimum = 0;      // places from the first '0' on: digits always shown
    bool grouping = false;       // ',' between integer placeholders
    int scaleThousands = 0;      // ',' right before the point / end of the integer places
    bool hasPoint = false;
    std::string fraction;        // fraction pattern: '0', '#' and literal characters ('\1' marks literals)
    int fractionMinimum = 0;     // places up to the last '0'
    int fractionPlaces = 0;      // all fraction placeholders
    bool hasExponent = false;
    bool exponentSignAlways = false;
    char exponentLetter = 'E';
    int exponentMinimum = 0;     // '0' places of the exponent
    std::string suffix;          // literals after the exponent digits
};

// Reads a mask character by character; "\x" and "quoted text" become literal characters.
struct MaskChar {
    char c;
    bool literal;
};

std::vector<MaskChar> Tokenize(const std::string& mask) {
    std::vector<MaskChar> out;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '\\' && i + 1 < mask.size()) {
            out.push_back({mask[++i], true});
        } else if (mask[i] == '"') {
            while (++i < mask.size() && mask[i] != '"') out.push_back({mask[i], true});
        } else {
            out.push_back({mask[i], false});
        }
    }
    return out;
}

bool IsPlaceholder(const MaskChar& m) { return !m.literal && (m.c == '0' || m.c == '#'); }

Mask ParseMask(const std::string& text) {
    const std::vector<MaskChar> chars = Tokenize(text);
    Mask mask;
    std::size_t end = chars.size();
    // Exponent: the first unquoted E/e followed by a sign.
    for (std::size_t i = 0; i + 1 < chars.size(); ++i) {
        if (!chars[i].literal && (chars[i].c == 'E' || chars[i].c == 'e') && !chars[i + 1].literal &&
            (chars[i + 1].c == '+' || chars[i + 1].c == '-')) {
            mask.hasExponent = true;
            mask.exponentLetter = chars[i].c;
            mask.exponentSignAlways = chars[i + 1].c == '+';
            std::size_t j = i + 2;
            for (; j < chars.size() && IsPlaceholder(chars[j]); ++j)
                if (chars[j].c == '0') ++mask.exponentMinimum;
            for (std::size_t k = j; k < chars.size(); ++k) mask.suffix += chars[k].c;
            end = i;
            break;
        }
    }
    std::size_t point = end;
    for (std::size_t i = 0; i < end; ++i) {
        if (!chars[i].literal && chars[i].c == '.') {
            point = i;
            mask.hasPoint = true;
            break;
        }
    }
    // Integer part.
    std::size_t firstPlace = point, lastPlace = point;
    for (std::size_t i = 0; i < point; ++i) {
        if (IsPlaceholder(chars[i])) {
            if (firstPlace == point) firstPlace = i;
            lastPlace = i;
        }
    }
    bool zeroSeen = false;
    for (std::size_t i = 0; i < point; ++i) {
        const MaskChar& m = chars[i];
        if (IsPlaceholder(m)) {
            ++mask.integerPlaces;
            zeroSeen = zeroSeen || m.c == '0';
            if (zeroSeen) ++mask.integerMinimum;
        } else if (!m.literal && m.c == ',') {
            if (firstPlace != point && i > firstPlace && i < lastPlace)
                mask.grouping = true;
            else if (firstPlace != point && i > lastPlace)
                ++mask.scaleThousands;
        } else if (firstPlace == point || i < firstPlace) {
            mask.prefix += m.c;
        } else {
            mask.integerTail += m.c;
        }
    }
    // Fraction part.
    for (std::size_t i = point + 1; i < end && mask.hasPoint; ++i) {
        const MaskChar& m = chars[i];
        if (IsPlaceholder(m)) {
            ++mask.fractionPlaces;
            if (m.c == '0') mask.fractionMinimum = mask.fractionPlaces;
            mask.fraction += m.c;
        } else if (!m.literal && m.c == ',') {
            // A thousands comma has no meaning behind the point.
        } else {
            mask.fraction += '\1';
            mask.fraction += m.c;
        }
    }
    return mask;
}

std::string Group(const std::string& digits) {
    std::string out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ThousandsSeparator();
        out += digits[i];
    }
    return out;
}

std::string FormatDecimal(double value, int precision, const std::string& maskText) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    const Mask mask = ParseMask(maskText);
    const bool negative = value < 0;
    for (int i = 0; i < mask.scaleThousands; ++i) value /= 1000.0;
    Decimal d = ToDecimal(value, precision);

    std::string integer, fraction, exponentText;
    if (mask.hasExponent) {
        int exponent = 0;
        if (!d.IsZero()) {
            // The mantissa gets one digit per integer place (none: it lies below 1), then the fraction places.
            const int lead = mask.integerPlaces;
            RoundDigits(d, lead + mask.fractionPlaces);
            exponent = d.exponent + 1 - lead;
            d.exponent = lead - 1;
        }
        SplitDigits(d, integer, fraction);
        std::string digits = std::to_string(std::abs(exponent));
        if (static_cast<int>(digits.size()) < mask.exponentMinimum)
            digits.insert(0, mask.exponentMinimum - digits.size(), '0');
        exponentText += mask.exponentLetter;
        if (exponent < 0)
            exponentText += '-';
        else if (mask.exponentSignAlways)
            exponentText += '+';
        exponentText += digits;
    } else {
        RoundDigits(d, d.exponent + 1 + mask.fractionPlaces);
        SplitDigits(d, integer, fraction);
    }

    while (!integer.empty() && integer[0] == '0') integer.erase(0, 1);
    if (static_cast<int>(integer.size()) < mask.integerMinimum)
        integer.insert(0, mask.integerMinimum - integer.size(), '0');
    if (static_cast<int>(fraction.size()) < mask.fractionMinimum)
        fraction.append(mask.fractionMinimum - fraction.size(), '0');
    while (static_cast<int>(fraction.size()) > mask.fractionMinimum && fraction.back() == '0') fraction.pop_back();

    const bool allZero = integer.find_first_not_of('0') == std::string::npos &&
                         fraction.find_first_not_of('0') == std::string::npos;
    std::string out = negative && !allZero ? "-" : "";
    out += mask.prefix;
    out += mask.grouping ? Group(integer) : integer;
    out += mask.integerTail;
    if (mask.hasPoint) out += decimalSlot();
    std::size_t next = 0;
    for (std::size_t i = 0; i < mask.fraction.size(); ++i) {
        if (mask.fraction[i] == '\1') {
            out += mask.fraction[++i];
        } else if (next < fraction.size()) {
            out += fraction[next++];
        }
    }
    return out + exponentText + mask.suffix;
}

// Blanks that Val skips wherever they stand.
bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Scans a number [sign] digits [. digits] [E|D [sign] digits] from text[pos]; returns the clean
// form for from_chars ("" when there is no mantissa digit) and leaves pos after the number.
std::string ScanNumber(const std::string& text, std::size_t& pos, bool skipBlanks) {
    auto peek = [&]() -> char {
        if (skipBlanks)
            while (pos < text.size() && IsValBlank(text[pos])) ++pos;
        return pos < text.size() ? text[pos] : '\0';
    };
    std::string clean;
    char c = peek();
    if (c == '+' || c == '-') {
        if (c == '-') clean += '-';
        ++pos;
    }
    bool digits = false, point = false;
    for (c = peek(); (c >= '0' && c <= '9') || (c == '.' && !point); c = peek()) {
        if (c == '.') point = true;
        else digits = true;
        clean += c;
        ++pos;
    }
    if (!digits) return "";
    c = peek();
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        const std::size_t save = pos;
        std::string exponent = "e";
        ++pos;
        c = peek();
        if (c == '+' || c == '-') {
            exponent += c;
            ++pos;
        }
        bool exponentDigits = false;
        for (c = peek(); c >= '0' && c <= '9'; c = peek()) {
            exponent += c;
            exponentDigits = true;
            ++pos;
        }
        if (exponentDigits)
            clean += exponent;
        else
            pos = save + 1;  // "1E" or "1E+" reads as 1; the letter is consumed
    }
    return clean;
}

// from_chars does not take a leading '.', so a '0' is put before it.
bool ParseClean(std::string clean, double& value) {
    const bool negative = !clean.empty() && clean[0] == '-';
    if (negative) clean.erase(0, 1);
    if (!clean.empty() && clean[0] == '.') clean.insert(0, "0");
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return false;
    if (negative) value = -value;
    return true;
}

}  // namespace

std::string StrSingle(float value) { return ShortForm(value, kSingleDigits, '.', true); }
std::string StrDouble(double value) { return ShortForm(value, kDoubleDigits, '.', true); }
std::string CStrSingle(float value) { return ShortForm(value, kSingleDigits, decimalSlot(), false, true); }
std::string CStrDouble(double value) { return ShortForm(value, kDoubleDigits, decimalSlot(), false, true); }

std::string Format(double value, const std::string& mask) { return FormatDecimal(value, kDoubleDigits, mask); }
std::string FormatSingle(float value, const std::string& mask) { return FormatDecimal(value, kSingleDigits, mask); }

double Val(const std::string& text) {
    std::size_t pos = 0;
    const std::string clean = ScanNumber(text, pos, true);
    double value = 0.0;
    if (clean.empty() || !ParseClean(clean, value)) return 0.0;
    return value;
}

bool IsNumeric(const std::string& text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const std::string clean = ScanNumber(text, pos, false);
    if (clean.empty()) return false;
    // A dangling exponent letter ("1E") is not a complete number.
    if (pos > 0 && std::string("EeDd").find(text[pos - 1]) != std::string::npos) return false;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    double value = 0.0;
    return pos == text.size() && ParseClean(clean, value);
}

namespace {

// The text with its decimal separator turned into '.' and thousands grouping removed.
std::string PointForm(const std::string& text) {
    const bool comma = text.find(',') != std::string::npos;
    const bool point = text.find('.') != std::string::npos;
    char decimal = comma ? ',' : '.';
    if (comma && point) decimal = decimalSlot() == ',' ? ',' : '.';
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ',' || c == '.') {
            if (c == decimal) out += '.';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::string WithDecimalPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

double ValLocale(const std::string& text) { return Val(PointForm(text)); }
bool IsNumericLocale(const std::string& text) { return IsNumeric(PointForm(text)); }

void SetLocaleDecimalSeparator(char separator) { decimalSlot() = separator; }
char LocaleDecimalSeparator() { return decimalSlot(); }

}  // namespace platform
