#pragma once
// The road into the game windows: the program's main window, the windows opened through its menu
// entries, under the C or the German number locale.
#include "tests/support/ProgramTest.h"

namespace gametest {

class GameTest : public testsupport::ProgramTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        locale = std::make_unique<testsupport::NumberLocaleScope>(GetParam());
        ProgramTest::SetUp();
        rec.Clear();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        locale.reset();
    }

    // The frame of a window in the main window's MDI area (the window itself outside one).
    static QWidget* Frame(const char* name) { return platform::Windows().Frame(name); }

    template <typename T>
    static T* Find(QWidget* w, const QString& name) {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

    std::unique_ptr<testsupport::NumberLocaleScope> locale;
};

}  // namespace gametest
