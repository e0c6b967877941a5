#pragma once
// Set-up shared by the stirred-tank and cascade window tests: the reactor window opened as the main
// window's menu opens it (window first, then the model window writes its captions and masks into
// it), a model chosen in the model window, typing into boxes, and the recorded messages.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>

#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/MsgRecorder.h"

namespace simtest {

class ContiReactorTest : public SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        using namespace kernel;
        CalcModeConti = 3;
        RuehrerAnimation = 0;
        ContiHinweisOffen = kTrue;
        KaskadeFuellPause = 0.001f;
        KaskadeAufbauPause = 0.001f;
        SpezSkalierungStoff = 0;
        nKurven = 0;
    }
    void TearDown() override {
        kernel::KaskadeFuellPause = 0.3f;
        kernel::KaskadeAufbauPause = 0.02f;
        SimWindowTest::TearDown();
    }

    // Opens `form` for `model` as the reactor menu does: the window, then the model window.
    void Open(const char* form, int model, int conti, int kaskade) {
        kernel::ContiAktiv = conti;
        kernel::KaskadeAktiv = kaskade;
        platform::Windows().Show(form);
        platform::Windows().Show("frmKinModel");
        auto* option = Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(model % 20));
        ASSERT_NE(option, nullptr);
        option->click();
        ASSERT_EQ(kernel::aktModell, model);
        platform::Windows().Show(form);
    }

    // Replaces the text of a box by typing, as a user would after selecting it.
    static void Type(QLineEdit* box, const QString& text) {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        if (!text.isEmpty()) QTest::keyClicks(box, text);
    }

    // The number a box shows.
    static double Number(const QLineEdit* box) { return box->text().trimmed().toDouble(); }

    testsupport::MsgRecorder messages;
};

}  // namespace simtest
