#pragma once
// Runs a test under the C locale or a German one (decimal comma), as LANG would set it at
// start-up, and restores the C locale afterwards. Use with TEST_P over AllNumberLocales so that
// one fixture covers both desks.
#include <QLocale>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "kernel/State.h"
#include "platform/QtMessageBox.h"
#include "platform/core/NumberFormat.h"

namespace testsupport {

enum class NumberLocale { C, German };

inline const NumberLocale AllNumberLocales[] = {NumberLocale::C, NumberLocale::German};

inline std::string NumberLocaleName(const testing::TestParamInfo<NumberLocale>& info) {
    return info.param == NumberLocale::German ? "German" : "C";
}

class NumberLocaleScope {
public:
    explicit NumberLocaleScope(NumberLocale locale) {
        platform::ApplyNumberLocale(locale == NumberLocale::German ? QLocale(QLocale::German, QLocale::Germany)
                                                                   : QLocale::c());
        kernel::DezKomma = platform::LocaleDecimalSeparator() == ',' ? kernel::kTrue : kernel::kFalse;
    }
    ~NumberLocaleScope() {
        platform::ApplyNumberLocale(QLocale::c());
        kernel::DezKomma = kernel::kFalse;
    }
    NumberLocaleScope(const NumberLocaleScope&) = delete;
    NumberLocaleScope& operator=(const NumberLocaleScope&) = delete;
};

// A fixture run under the C and the German number locale (TEST_P over AllNumberLocales); the
// locale is set after the fixture's SetUp and restored after its TearDown.
template <class Fixture>
class InBothLocales : public Fixture, public testing::WithParamInterface<NumberLocale> {
protected:
    void SetUp() override {
        Fixture::SetUp();
        locale_.emplace(this->GetParam());
    }
    void TearDown() override {
        Fixture::TearDown();
        locale_.reset();
    }

private:
    std::optional<NumberLocaleScope> locale_;
};

// The decimal separator the locale shows: "12.5" under C becomes "12,5" under German.
inline std::string InLocale(std::string text) {
    if (platform::LocaleDecimalSeparator() == ',')
        for (char& c : text)
            if (c == '.') c = ',';
    return text;
}

}  // namespace testsupport
