#include <cstdio>
#include <limits>
#include <random>

#include "platform/core/ExactNumber.h"
#include "platform/core/NumberFormat.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace platform;

namespace {

// The C library's %G (the test binary never changes the C locale) as an independent reference
// for the general form: Str adds the blank for values >= 0 and drops the zero before the point.
std::string ReferenceStr(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    std::string text = buffer;
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    return value >= 0 ? " " + text : text;
}

}  // namespace

// Finite values as the C library's general form; zero and the non-finite values as their own texts.
TEST(Str, AgreesWithTheGeneralFormOfTheCLibrary) {
    const std::pair<float, const char*> cases[] = {{-0.0f, " 0"}, {INFINITY, " Inf"}, {-INFINITY, "-Inf"}, {NAN, " NaN"}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(StrSingle(value), expected) << value;
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-40, 38), wide(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        const float value = static_cast<float>(mantissa(random) * std::pow(10.0, exponent(random)));
        if (std::isfinite(value) && value != 0.0f) {
            ASSERT_EQ(StrSingle(value), ReferenceStr(value, 7)) << value;
        }
        const double d = mantissa(random) * std::pow(10.0, wide(random));
        if (d != 0.0) {
            ASSERT_EQ(StrDouble(d), ReferenceStr(d, 15)) << d;
        }
    }
}

// One row per mask the windows use, with the cases that decide its look.
TEST(Format, EveryMaskOfTheWindows) {
    const struct { double value; const char *mask, *expected; } cases[] = {
        {1.5, "0.00", "1.50"}, {2.675, "0.00", "2.68"}, {-2.675, "0.00", "-2.68"},  // decimal value, half away
        {0.99995, "0.000", "1.000"}, {2.5, "0", "3"}, {5.0, "00", "05"}, {0.4, "#######0", "0"},
        {0.9, "0.00##", "0.90"}, {0.12345, "0.00##", "0.1235"}, {15.7, "##0.0#", "15.7"},
        {0.1234567891, "###0.0000#####", "0.123456789"}, {52.3456, "####0.00 E3", "52.35 E3"},
        {0.5, "###.0", ".5"}, {99.96, "###.0", "100.0"}, {123.4, "###.", "123."}, {0.46, ".0", ".5"},
        {298.15, "####,##", "298"}, {1234.5, "####,##", "1,235"}, {12345.0, "##0,", "12"},
        {5.0, "0 \\k\\g", "5 kg"}, {5.0, "\"T = \"0.0", "T = 5.0"},
        // A result whose shown digits are all zero carries no minus sign.
        {-0.001, "0.00", "0.00"}, {-0.06, "###.0", "-.1"},
        // Exponent masks.
        {0.000123, "0.0 E+##", "1.2 E-4"}, {0.0, "0.0 E+##", "0.0 E+0"}, {3e100, "0.0 E+##", "3.0 E+100"},
        {123.0, "0.0 E-##", "1.2 E2"}, {0.00099999, "0.00E+00", "1.00E-03"}, {1234567.89, "###.##E-00", "123.46E04"},
        // No integer placeholder: the mantissa lies below 1.
        {-250.0, ".0000000E+00", "-.2500000E+03"}, {0.99999999, ".0000000E+00", ".1000000E+01"},
        {NAN, "0.00", "NaN"}, {-INFINITY, "0.00", "-Inf"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.expected) << c.value << " " << c.mask;
}

TEST(Format, SingleValuesAreTakenWithSevenDigits) {
    EXPECT_EQ(FormatSingle(0.1f, "###0.0000#####"), "0.1000");
    EXPECT_EQ(Format(0.1f, "###0.0000#####"), "0.100000001");  // the same float taken with 15 digits
    EXPECT_EQ(FormatSingle(1234.5678f, "###0.0000#####"), "1234.5680");
    EXPECT_EQ(FormatSingle(500.0f * 5.0f * 0.789f / 100.0f, "##0.0#"), "19.73");
    EXPECT_EQ(FormatSingle(0.00004f, "###0.0000"), "0.0000");
}

TEST(Val, ReadsTheLeadingNumberAndSkipsBlanks) {
    const std::pair<const char*, double> cases[] = {
        {"-.5", -0.5}, {"12.50 mol/L", 12.5}, {"2D2", 200.0}, {"1.5.3", 1.5}, {"1,5", 1.0},
        {"- 3", -3.0}, {" 1 E 3", 1000.0}, {"1E+", 1.0},
        // Text without a number reads 0; so does a number beyond a Double (no infinity leaks out).
        {"", 0.0}, {"abc", 0.0}, {"--5", 0.0}, {"1e400", 0.0},
    };
    for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(Val(text), expected) << text;
}

TEST(IsNumeric, AcceptsOnlyACompleteNumber) {
    for (const char* text : {"1.5", " -2.5E-3 ", ".5", "5.", "\t7\t", "+1D2"}) EXPECT_TRUE(IsNumeric(text)) << text;
    for (const char* text : {"", "  ", "1,5", "1.2.3", "12abc", "1E", "1E+", "1 2", "+", ".", "1e400"})
        EXPECT_FALSE(IsNumeric(text)) << text;
}

TEST(ValLocale, ReadsWhatEitherLocaleWroteAndBothTypedSeparators) {
    const struct { char locale; const char* text; double expected; bool numeric; } cases[] = {
        {'.', "12.5", 12.5, true},      {',', "12,5", 12.5, true},     {',', "1.5", 1.5, true},
        {'.', "1,5", 1.5, true},        {',', "-0,25", -0.25, true},   {',', "1,5E-03", 0.0015, true},
        {',', "1.234,5", 1234.5, true}, {'.', "1,234.5", 1234.5, true}, {',', "abc", 0.0, false},
        {',', "1,2,3", 1.2, false},   {',', "", 0.0, false},
    };
    for (const auto& c : cases) {
        SetLocaleDecimalSeparator(c.locale);
        EXPECT_DOUBLE_EQ(ValLocale(c.text), c.expected) << c.locale << ' ' << c.text;
        EXPECT_EQ(IsNumericLocale(c.text), c.numeric) << c.locale << ' ' << c.text;
    }
    SetLocaleDecimalSeparator('.');
    // CStr has no blank and keeps the leading zero; it, and Format masks, use the locale's separator, Str
    // keeps the point. What CStr writes under a decimal comma reads back.
    EXPECT_EQ(CStrSingle(0.5f) + "|" + CStrSingle(6.0f) + "|" + CStrDouble(2.5), "0.5|6|2.5");
    SetLocaleDecimalSeparator(',');
    EXPECT_EQ(CStrSingle(-0.25f) + "|" + Format(1234.5, "####,##") + "|" + StrSingle(0.5f), "-0,25|1.235| .5");
    for (double v : {0.5, -1234.125, 1e-7, 3.0e12}) EXPECT_DOUBLE_EQ(ValLocale(CStrDouble(v)), v);
    EXPECT_EQ(WithDecimalPoint(Format(-12.5, "0.00")), "-12.50");
    SetLocaleDecimalSeparator('.');
}

// File texts that must read back: the short form where it does, otherwise the fewest more digits that do, in
// the same fixed or exponent form, never beyond the largest value the reader accepts.
TEST(ExactNumber, TextsReadBackExactly) {
    const double dmax = std::numeric_limits<double>::max();
    const struct { double v; const char* text; } doubles[] = {
        {0.5, ".5"}, {-0.25, "-.25"}, {1e23, "1E+23"}, {5.0 / 3.0, "1.6666666666666667"},
        {0.1 + 0.2, ".30000000000000004"}, {dmax, "1.7976931348623157E+308"}, {-dmax, "-1.7976931348623157E+308"},
        {5e-324, "4.94065645841247E-324"}, {123456789.123456789, "123456789.12345679"}, {2e-5 / 3, "6.6666666666666675E-06"},
    };
    for (const auto& d : doubles) {
        EXPECT_EQ(ExactDouble(d.v), d.text);
        EXPECT_EQ(Val(d.text), d.v) << d.text;
    }
    const float fmax = std::numeric_limits<float>::max();
    const struct { float v; const char* text; } singles[] = {
        {0.1f, ".1"}, {fmax, "3.402823466E+38"}, {-fmax, "-3.402823466E+38"}, {16777217.0f, "1.6777216E+07"},
        {1.0000001f, "1.0000001"}, {3.4028233e38f, "3.4028233E+38"},
    };
    for (const auto& f : singles) {
        EXPECT_EQ(ExactSingle(f.v), f.text);
        EXPECT_TRUE(FitsSingle(Val(f.text))) << f.text;
        EXPECT_EQ(static_cast<float>(Val(f.text)), f.v) << f.text;
    }
    EXPECT_FALSE(FitsSingle(3.4028235e38));
}
