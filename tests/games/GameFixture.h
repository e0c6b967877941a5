#pragma once
// The road into the game windows: the program's main window, the windows opened through its menu
// entries, under the C or the German number locale.
#include "tests/support/ProgramTest.h"

namespace gametest {

class GameWindows : public testsupport::ProgramTest {
protected:
    // The frame of a window in the main window's MDI area (the window itself outside one).
    static QWidget* Frame(const char* name) { return platform::Windows().Frame(name); }

    template <typename T>
    static T* Find(QWidget* w, const QString& name) {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
};

using GameTest = testsupport::InBothLocales<GameWindows>;

}  // namespace gametest
