#pragma once
// Set-up of the tests that drive the reactor windows: a window opened through its menu entry, the
// model chosen in the model window, inputs typed as a user types them.
#include <utility>

#include "tests/simulation/CalcWindowTestSupport.h"

namespace twintest {

using simtest::Control;
using simtest::Type;

inline QLineEdit* Box(const char* form, int i) { return Control<QLineEdit>(form, QStringLiteral("Inp(%1)").arg(i)); }

inline std::string BoxText(const char* form, int i) {
    QLineEdit* box = Box(form, i);
    return box ? box->text().toStdString() : "<missing>";
}

inline double BoxValue(const char* form, int i) { return platform::Val(BoxText(form, i)); }

using testsupport::Click;

class TwinWindowTest : public simtest::SimWindowTest {
protected:
    // Opens the reactor through its menu entry, then chooses the model in the model window, which
    // writes the model's captions and masks into the open reactor.
    void Open(const char* menuEntry, const char* form, int model) {
        ASSERT_TRUE(Enabled(menuEntry)) << menuEntry;
        Menu(menuEntry);
        ASSERT_TRUE(platform::Windows().IsLoaded(form));
        Choose(model);
        rec.Clear();
        form_ = form;
    }
    static void Choose(int model) { simtest::ChooseModel(model); }
    // Types each (box index, text) into the open reactor.
    void Enter(const std::vector<std::pair<int, const char*>>& inputs) {
        for (const auto& [index, text] : inputs) Type(Box(form_, index), QString::fromUtf8(text));
    }

    const char* form_ = "";
};

}  // namespace twintest
