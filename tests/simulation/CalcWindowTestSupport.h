#pragma once
// Shared set-up of the model-window, frame, menu and reactor tests: the program's main window at its
// start state, the model chosen in the model window, the texts of the windows' controls, and the
// reactor windows opened through their menu entries with inputs typed as a user types them.
#include <utility>

#include "kernel/TimeUnits.h"
#include "simulation/CalcWindow.h"
#include "tests/support/ProgramTest.h"

namespace simtest {

using testsupport::Control;
using testsupport::Type;

// Chooses the model in the open model window (the n-th order model 20 is its option 0).
inline void ChooseModel(int model) {
    auto* option = Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(model % 20));
    ASSERT_NE(option, nullptr);
    option->click();
    QApplication::processEvents();
    ASSERT_EQ(kernel::aktModell, model);
}

class SimWindowTest : public testsupport::ProgramTest {
protected:
    template <typename T>
    static T* Control(const char* form, const QString& name) {
        return testsupport::Control<T>(form, name);
    }
    static QString Text(const char* form, const QString& name) {
        if (auto* label = Control<QLabel>(form, name)) return label->text();
        if (auto* box = Control<QLineEdit>(form, name)) return box->text();
        return QStringLiteral("<missing %1>").arg(name);
    }
    static bool Shown(const char* form, const QString& name) {
        auto* w = Control<QWidget>(form, name);
        return w && !w->isHidden();
    }
};

using testsupport::Click;

inline QLineEdit* Box(const char* form, int i) { return Control<QLineEdit>(form, QStringLiteral("Inp(%1)").arg(i)); }

inline std::string BoxText(const char* form, int i) {
    QLineEdit* box = Box(form, i);
    return box ? box->text().toStdString() : "<missing>";
}

inline double BoxValue(const char* form, int i) { return platform::Val(BoxText(form, i)); }

// A reactor window: its menu entry, its calculate button and the name of its mode options.
struct Reactor {
    const char *menu, *form, *calc, *modes;
};
inline const Reactor kBatchR{"mnuBatchR", "frmBatch", "cmdCalcBatch", "optInpSelect"};
inline const Reactor kTubeR{"mnuRohrR", "frmRohrreaktor", "cmdCalcRohr", "optInpSelect"};
inline const Reactor kTankR{"mnuKontRK", "frmRKconti", "cmdCalc", "optCalcConti"};
inline const Reactor kCascadeR{"mnuKaskade", "frmKaskade", "cmdStart", "optCalcKask"};

using Inputs = std::vector<std::pair<int, const char*>>;  // (box index, text)

class TwinWindowTest : public SimWindowTest {
protected:
    // Opens the reactor through its menu entry, then chooses the model in the model window, which
    // writes the model's captions and masks into the open reactor.
    void Open(const Reactor& r, int model) {
        ASSERT_TRUE(Enabled(r.menu)) << r.menu;
        Menu(r.menu);
        ASSERT_TRUE(platform::Windows().IsLoaded(r.form));
        Choose(model);
        rec.Clear();
        reactor_ = &r;
        form_ = r.form;
    }
    // Opens the reactor with the model, chooses the calculation mode, types the inputs and calculates.
    void Run(const Reactor& r, int model, int mode, const Inputs& inputs) {
        ASSERT_NO_FATAL_FAILURE(Open(r, model));
        Click(r.form, (std::string(r.modes) + "(" + std::to_string(mode) + ")").c_str());
        Enter(inputs);
        Click(r.form, r.calc);
    }
    // Types the inputs into the open reactor and calculates; the one message as "title|prompt", "" for none.
    std::string CalcWith(const Inputs& inputs) {
        rec.Clear();
        Enter(inputs);
        Click(form_, reactor_->calc);
        return rec.Empty() ? "" : rec.OnlyMessage();
    }
    static void Choose(int model) { ChooseModel(model); }
    // Types each (box index, text) into the open reactor.
    void Enter(const Inputs& inputs) {
        for (const auto& [index, text] : inputs) Type(Box(form_, index), QString::fromUtf8(text));
    }

    const Reactor* reactor_ = nullptr;
    const char* form_ = "";
};

}  // namespace simtest
