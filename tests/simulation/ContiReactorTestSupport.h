#pragma once
// Set-up shared by the stirred-tank and cascade window tests: the reactor window opened as the main
// window's menu opens it (window first, then the model window writes its captions and masks into
// it), a model chosen in the model window, typing into boxes, and the recorded messages.
#include <initializer_list>
#include <utility>

#include "tests/simulation/CalcWindowTestSupport.h"

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
        calc = qobject_cast<CalcWindow*>(platform::Windows().Get(form));
        ASSERT_NE(calc, nullptr);
        messages.Clear();
    }

    // Types each (box index, text) into the open window.
    void Enter(std::initializer_list<std::pair<int, const char*>> inputs) {
        for (const auto& [index, text] : inputs) Type(calc->Inp[static_cast<std::size_t>(index)], text);
    }

    // The number a box shows.
    static double Number(const QLineEdit* box) { return box->text().trimmed().toDouble(); }

    // For every model with its standard rate constants: conversion 0.5 and V = 1 given (mode 0), the
    // computed mean residence time given back with V (mode 3) yields the conversion 0.5 again.
    // open(model) opens the window and returns it, mode(i) chooses a calculation mode, calc() computes;
    // `tanks` equal tanks of volume V share the mean residence time t, so V* = tanks V / t.
    template <typename Open, typename Mode, typename Calc>
    void ExpectConversionRoundTrip(int tanks, Open open, Mode mode, Calc calc) {
        for (int model = 1; model <= 20; ++model) {
            SCOPED_TRACE("model " + std::to_string(model));
            CalcWindow* window = open(model);
            ASSERT_NE(window, nullptr);
            window->cmdReset_k->click();
            mode(0);
            Type(window->Inp[13], "0.5");
            Type(window->Inp[14], "1");
            calc();
            for (const auto& m : messages.Messages()) ADD_FAILURE() << m.prompt;
            messages.Clear();
            const QString tau = window->Inp[16]->text().trimmed();
            mode(3);
            Type(window->Inp[16], tau);
            calc();
            for (const auto& m : messages.Messages()) ADD_FAILURE() << m.prompt;
            EXPECT_NEAR(Number(window->Inp[13]), 0.5, 1e-4) << "t = " << tau.toStdString();
            const double expected = tanks / Number(window->Inp[16]);
            EXPECT_NEAR(Number(window->Inp[15]), expected, 1e-6 * expected);
        }
    }

    testsupport::MsgRecorder messages;
    CalcWindow* calc = nullptr;
};

}  // namespace simtest
