#pragma once
// Shared set-up of the model-window, frame and menu tests: the program's main window at its start
// state, the model chosen in the model window, and the texts of the windows' controls.

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

}  // namespace simtest
