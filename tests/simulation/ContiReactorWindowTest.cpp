// The stirred-tank and cascade windows driven through their widgets, opened as the reactor menu opens
// them: every calculation mode against the first-order closed form c(N) = c0 / (1 + k t / N)^N, the
// stage boxes and conversion labels, the protocol rows, the stage count box, the complaints, the
// equilibrium notes and refusals, the diagrams, and the conversion round trip of every model. The
// curve data of both diagrams where the solvers flag grid points.
#include <algorithm>

#include "simulation/ReactorCurves.h"
#include "simulation/frmKaskade.h"
#include "simulation/frmRKconti.h"
#include "tests/kernel/KernelTestSupport.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;
using simtest::Type;

namespace {

const std::string kTitel = " Ausführung nicht möglich ";

class ContiReactorTest : public simtest::TwinWindowTest {
protected:
    void SetUp() override {
        TwinWindowTest::SetUp();
        KaskadeFuellPause = KaskadeAufbauPause = 0.001f;
    }

    // Opens the stirred tank or the cascade from the reactor menu, then chooses `model`.
    void OpenFor(int model, bool cascade = false) {
        ASSERT_NO_FATAL_FAILURE(Open(cascade ? simtest::kCascadeR : simtest::kTankR, model));
        tank = cascade ? nullptr : frmRKconti::Loaded();
        kaskade = cascade ? frmKaskade::Loaded() : nullptr;
        window = qobject_cast<CalcWindow*>(platform::Windows().Get(form_));
    }
    QLineEdit* Box(int i) { return window->Inp[static_cast<std::size_t>(i)]; }
    QLineEdit* StageBox(int stage, int slot) { return kaskade->cA[static_cast<std::size_t>(5 * (stage - 1) + slot)]; }
    void Mode(int mode) { (kaskade ? kaskade->optCalcKask : tank->optCalcConti)[static_cast<std::size_t>(mode)]->click(); }
    void Calc() { (kaskade ? kaskade->cmdStart : tank->cmdCalc)->click(); }
    // The stage count as a whole text (typed key by key, "1.5" would pass through the refused "1").
    void Stages(const QString& n) { kaskade->txtNKask->setText(n); }
    static double Number(const QLineEdit* box) { return box->text().trimmed().toDouble(); }
    // Opens the tank or the cascade with the model, chooses the mode, types the inputs and calculates.
    void RunFor(int model, bool cascade, int mode, const simtest::Inputs& inputs) {
        ASSERT_NO_FATAL_FAILURE(OpenFor(model, cascade));
        Mode(mode);
        Enter(inputs);
        Calc();
    }

    CalcWindow* window = nullptr;
    frmRKconti* tank = nullptr;
    frmKaskade* kaskade = nullptr;
};

// Under the C locale and a German one: the cascade's per-tank captions show the locale's decimal
// separator, the boxes keep their point.
using ContiRoad = testsupport::InBothLocales<ContiReactorTest>;

// A => P, k = 0.2, t = 15, V* = 0.2. One tank: k t = 3, U(A) = 3/4, V = 3. Three tanks: k t / N = 1,
// each stage halves A, U(A) = 7/8, V = 1 each.
TEST_P(ContiRoad, EveryModeGivesTheClosedFormOfEqualTanks) {
    for (const bool cascade : {false, true}) {
        SCOPED_TRACE(cascade ? "cascade" : "stirred tank");
        ASSERT_NO_FATAL_FAILURE(OpenFor(2, cascade));
        Enter({{0, "1"}, {10, "0.2"}});
        const double n = cascade ? 3 : 1, outlet = std::pow(1 + 0.2 * 15 / n, -n);
        const char* u = cascade ? "0.875" : "0.75";
        const char* v = cascade ? "1" : "3";
        const char* given[5][2] = {{u, v}, {u, "0.2"}, {v, "0.2"}, {"15", v}, {"15", "0.2"}};
        const int givenSlots[5][2] = {{13, 14}, {13, 15}, {14, 15}, {16, 14}, {16, 15}};
        for (int mode = 0; mode < 5; ++mode) {
            SCOPED_TRACE("mode " + std::to_string(mode));
            Mode(mode);
            for (int i = 13; i <= 16; ++i) Box(i)->clear();  // each mode writes what it computes
            EXPECT_EQ(CalcWith({{givenSlots[mode][0], given[mode][0]}, {givenSlots[mode][1], given[mode][1]}}), "");
            const double expected[4] = {1 - outlet, 3 / n, 0.2, 15};  // U(A), V, V*, t
            for (int i = 0; i < 4; ++i) EXPECT_NEAR(Number(Box(13 + i)), expected[i], 1e-5 * (1 + expected[i])) << 13 + i;
            EXPECT_TRUE(window->cmdDiagram->isEnabled());
            if (!cascade) {
                EXPECT_NEAR(Number(Box(5)), outlet, 1e-6);
                EXPECT_NEAR(Number(Box(8)), 1 - outlet, 1e-6);
                EXPECT_TRUE(window->cmdShowKsi->isEnabled());
                continue;
            }
            for (int stage = 1; stage <= 3; ++stage) {
                EXPECT_NEAR(Number(StageBox(stage, 1)), std::pow(0.5, stage), 1e-6);
                EXPECT_NEAR(Number(StageBox(stage, 4)), 1 - std::pow(0.5, stage), 1e-6);
            }
            EXPECT_EQ((kaskade->lblUA[1]->text() + kaskade->lblUA[2]->text() + kaskade->lblUA[3]->text()).toStdString(),
                      testsupport::InLocale("U(A) = 0.50U(A) = 0.75U(A) = 0.875"));
            EXPECT_TRUE(kaskade->cmdDiagram2->isEnabled());
        }
    }
    // Four tanks share t = 15: 3.75 each. V* is pasted with a comma, past the key filter.
    Stages("4");
    Type(Box(16), "15");
    Box(15)->setText("0,2");
    Calc();
    EXPECT_TRUE(rec.Empty());
    EXPECT_NEAR(Number(Box(14)), 0.2 * 15 / 4, 1e-6);  // each tank: V = V* t / N
    EXPECT_EQ(kaskade->lblZeitProKessel->text().toStdString(), testsupport::InLocale("Verweilzeit pro Kessel: 3.75 s"));
    EXPECT_EQ(kaskade->lblUA[4]->text().toStdString(), testsupport::InLocale("U(A) = 0.8934"));  // 1 - 1.75^-4
    EXPECT_EQ(Box(16)->text().indexOf(','), -1);
}

INSTANTIATE_TEST_SUITE_P(Locales, ContiRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

TEST_F(ContiReactorTest, CascadeOfFourStagesLeavesFiveProtocolRowsChainedStageByStage) {
    OpenFor(2, true);
    Stages("4");
    EXPECT_EQ(CalcWith({{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "40"}}), "");
    ASSERT_EQ(ErgebnisZeilen.size(), 5u);
    for (std::size_t i = 1; i <= 4; ++i) {
        const ProtokollZeile& row = ErgebnisZeilen[i - 1];
        EXPECT_EQ(row[0], static_cast<float>(i));
        EXPECT_NEAR(row[6], std::pow(0.5, i), 1e-6);
        EXPECT_NEAR(row[14], 1 - std::pow(0.5, i), 1e-4);
        EXPECT_EQ((std::vector<float>{row[11], row[15], row[17]}), (std::vector<float>{0.1f, 10, 1}));
        for (std::size_t s = 1; s <= 5 && i > 1; ++s) EXPECT_EQ(row[s], ErgebnisZeilen[i - 2][s + 5]);
        for (std::size_t col : {16, 19, 20, 21}) EXPECT_EQ(row[col], 0.0f);
    }
    for (float v : ErgebnisZeilen[4]) EXPECT_EQ(v, 0.0f);
    EXPECT_FLOAT_EQ(ErgebnisZeilen[0][1], 1.0f);
    EXPECT_EQ(kaskade->lblZeitProKessel->text().toStdString(), "Verweilzeit pro Kessel: 10 s");
    EXPECT_TRUE(window->cmdProtocol->isEnabled());

    // A typed input clears every result; choosing another mode does not.
    Mode(4);
    EXPECT_TRUE(window->cmdDiagram->isEnabled() && !StageBox(4, 1)->text().isEmpty());
    Mode(3);
    Type(Box(16), "30");
    EXPECT_TRUE(StageBox(1, 1)->text().isEmpty() && kaskade->lblUA[1]->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled() || kaskade->cmdDiagram2->isEnabled());

    // The protocol can be opened again after the next calculation.
    Calc();
    EXPECT_TRUE(window->cmdProtocol->isEnabled());
}

TEST_F(ContiReactorTest, StageCountBoxRefusesCountsOutsideTwoToSevenAndEveryShownStageHasItsLetters) {
    OpenFor(2, true);
    Stages("8");
    EXPECT_EQ(rec.OnlyPrompt(), "N muss zwischen 2 und 7 liegen");
    EXPECT_EQ(kaskade->txtNKask->text(), "2");
    EXPECT_EQ(nKaskade, 2);
    Stages("2.5");
    EXPECT_EQ(nKaskade, 2);  // halves to the even neighbour
    Stages("");
    EXPECT_FALSE(kaskade->cmdStart->isEnabled());
    EXPECT_EQ(nKaskade, 1);

    rec.Clear();
    Stages("1.4");
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(nKaskade, 1);
    const std::string refusal = CalcWith({{0, "1"}, {16, "10"}});
    EXPECT_NE(refusal.find("|- Stufenzahl N muss zwischen 2 und 7 liegen\r\n"), std::string::npos) << refusal;

    // Every shown outlet box carries its species letter, whether the stage came with a raised or a
    // lowered N, a model change in the open window or a reopened window; computed each time.
    auto computedStagesHaveLetters = [&](const std::string& what) {
        SCOPED_TRACE("model " + std::to_string(aktModell) + ", " + what);
        window->cmdReset_k->click();
        Enter({{0, "1"}, {16, "10"}});
        if (aktModell == 4) Type(Box(1), "1");
        Calc();
        EXPECT_TRUE(rec.Empty()) << rec.OnlyMessage();
        EXPECT_TRUE(StageBox(nKaskade, 1)->isVisibleTo(kaskade));
        for (int k = 1; k <= 5 * nKaskade; ++k) {
            if (!kaskade->cA[k]->isVisibleTo(kaskade)) continue;
            EXPECT_EQ(kaskade->lblStoff_a[k]->text().toStdString(), std::string(1, "ABCPQ"[(k - 1) % 5])) << k;
        }
    };
    OpenFor(2, true);
    for (int model : {2, 4, 8}) {
        ASSERT_NO_FATAL_FAILURE(simtest::ChooseModel(model));
        for (const char* n : {"3", "7", "2", "5"}) {
            Stages(n);
            computedStagesHaveLetters(std::string("N ") + n);
        }
    }
    OpenFor(8, true);
    computedStagesHaveLetters("reopened");
}

// Every complaint in one box under one title; a refused input is no first calculation, and a typed
// conversion is the user's input and stays in its box.
TEST_F(ContiReactorTest, ComplaintsAreListedInOrderUnderOneTitle) {
    RunFor(2, false, 0, {{0, "1"}, {10, "0"}, {13, "0.5"}, {14, "0"}});  // A => P: no box of B, no k2, no complaint about them
    EXPECT_EQ(rec.OnlyMessage(), kTitel + "|- Geschwindigkeitskonstante k1 muss größer Null sein\r\n"
                                              "- Das Reaktionsvolumen muss größer Null sein.\r\n");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    EXPECT_EQ(CalcWith({{10, "0.1"}, {14, "1"}, {13, "1"}}), kTitel + "|- noch keine gültige Eingabe des Umsatzes (0 < U(A) < 1)\r\n");

    RunFor(2, true, 0, {{0, "1"}, {10, "0"}, {13, "1"}, {14, "0"}});
    EXPECT_EQ(rec.OnlyMessage(), kTitel + "|- Geschwindigkeitskonstante k1 muss größer Null sein\r\n"
                                              "- Der Umsatz muss (0 < U <= 1) sein.\r\n"
                                              "- Das Reaktionsvolumen muss größer Null sein.\r\n");
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    EXPECT_EQ(Box(13)->text(), "1");
    EXPECT_EQ(CalcWith({{10, "0.1"}, {13, "0.999"}, {14, "1"}}), "");
    EXPECT_NEAR(Number(StageBox(3, 1)), 0.001, 1e-6);

    // An inlet without A: refused before the rate constants; A + B <=> P may start from P, so
    // without both A and P.
    RunFor(2, false, 3, {{0, "0"}, {10, "0"}, {14, "1"}, {16, "10"}});
    EXPECT_EQ(rec.OnlyMessage(), kTitel + "|- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)\r\n"
                                              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
    RunFor(17, true, 3, {{0, "0"}, {1, "1"}, {3, "0"}, {10, "0.1"}, {11, "0.01"}, {14, "1"}, {16, "10"}});
    EXPECT_EQ(rec.OnlyMessage(), kTitel + "|- noch keine gültige Eingabe einer Anfangskonzentration c(A,0) oder c(P,0)\r\n");
}

// A <=> P with K = 2 from pure A: equilibrium conversion 2/3.
TEST_F(ContiReactorTest, StirredTankRefusesConversionsBeyondEquilibrium) {
    RunFor(8, false, 0, {{0, "1"}, {3, "0"}, {10, "2"}, {11, "1"}, {14, "1"}, {13, "0.7"}});
    const std::string text = rec.OnlyMessage();
    EXPECT_EQ(text.rfind(kTitel + "|Im Fall \"umkehrbare Re", 0), 0u) << text;
    EXPECT_NE(text.find("\r\n\r\n 0 < U(A) < " + platform::StrSingle(2.0f / 3.0f) + "\r\n\r\n"), std::string::npos);
    EXPECT_TRUE(Box(5)->text().isEmpty());

    // Reachable: the balance k1 a' - k2 p' = (a0 - a') / t gives a' = 0.4 for U = 0.6.
    EXPECT_EQ(CalcWith({{13, "0.6"}}), "");
    EXPECT_NEAR(Number(Box(5)), 0.4, 1e-6);
    EXPECT_NEAR(Number(Box(8)), 0.6, 1e-6);
    EXPECT_NEAR(0.6 / Number(Box(16)), 2 * 0.4 - 1 * 0.6, 1e-5);

    // An inlet without A has no conversion of A to give: refused, not computed as t = 0.
    EXPECT_EQ(CalcWith({{0, "0"}, {3, "1"}}), kTitel + "|Ohne Stoff A im Eingangsgemisch ist die Vorgabe eines Umsatzes U(A) nicht möglich.");
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    // With the time given the conversion of A has no reference either: a calculation failure, no crash.
    Mode(3);
    EXPECT_EQ(CalcWith({{16, "1"}}), "Meldung von Sub cmdCalc|Berechnungsfehler aufgetreten");
    EXPECT_TRUE(Box(5)->text().isEmpty() && Box(13)->text().isEmpty());
}

// An inlet at equilibrium (A <=> P, K = 2) is a note in the time modes and gives no conversion; in the
// cascade a given conversion is then unreachable and draws no note.
TEST_F(ContiReactorTest, InletAtEquilibriumIsANoteInTheTimeModesOnly) {
    for (const bool cascade : {false, true}) {
        SCOPED_TRACE(cascade ? "cascade" : "stirred tank");
        RunFor(8, cascade, 3, {{0, "1"}, {3, "2"}, {10, "0.2"}, {11, "0.1"}, {14, "1"}, {16, "10"}});
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_EQ(rec.Last().title, "Hinweis");
        EXPECT_EQ(rec.Last().style, 64);
        EXPECT_NEAR(Number(Box(13)), 0.0, 1e-7);
        EXPECT_NEAR(Number(cascade ? StageBox(3, 1) : Box(5)), 1.0, 1e-6);
    }
    Mode(0);
    EXPECT_EQ(CalcWith({{13, "0.5"}}), kTitel + "|Der vorgegebene Umsatz ist mit diesen Konzentrationen nicht erreichbar.\r\n"
                                    "(Testen Sie durch Vorgabe der Verweilzeit)");
    EXPECT_TRUE(StageBox(1, 1)->text().isEmpty());
    EXPECT_EQ(kaskade->lblUA[1]->text(), "U(A) = 0.00");
    EXPECT_FALSE(window->cmdDiagram->isEnabled());

    // A + B <=> 2P with K exactly 4: no division by zero in the stirred tank's reachable-conversion test.
    RunFor(12, false, 0, {{0, "1"}, {1, "1"}, {3, "0"}, {10, "0.04"}, {11, "0.01"}, {14, "1"}, {13, "0.3"}});
    for (const auto& m : rec.Messages()) EXPECT_EQ(m.prompt.find("Berechnungsfehler"), std::string::npos);
    EXPECT_FALSE(Box(5)->text().isEmpty());
}

// Too little B for the conversion: the stirred tank's solver fails, which empties the results (the
// first calculation past the input check still enables the protocol button); the cascade refuses
// before any stage is solved.
TEST_F(ContiReactorTest, TooLittleBForTheConversionIsReportedAndClearsTheResults) {
    OpenFor(7);
    window->cmdReset_k->click();
    Mode(0);
    Enter({{0, "1"}, {1, "0.1"}, {13, "0.9"}, {14, "1"}});
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    Calc();
    EXPECT_EQ(rec.OnlyMessage(), kTitel + "|für den gewünschten Umsatz ist die Anfangskonzentration von Stoff B nicht ausreichend");
    EXPECT_EQ(UmsatzU, 0.0);
    EXPECT_TRUE(Box(5)->text().isEmpty() && Box(16)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    EXPECT_TRUE(window->cmdProtocol->isEnabled());

    RunFor(4, true, 0, {{0, "1"}, {1, "0.5"}, {10, "0.1"}, {13, "0.6"}, {14, "1"}});  // A + B => P
    EXPECT_EQ(rec.OnlyPrompt(), "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.");
    EXPECT_EQ(CalcWith({{13, "0.4"}}), "");
    EXPECT_NEAR(Number(StageBox(3, 1)), 0.6, 1e-5);
    EXPECT_NEAR(Number(StageBox(3, 2)), 0.1, 1e-5);
}

// The diagram over the mean residence time: 201 points from 1e-6 up to twice the window's residence
// time with c(A) = 1 / (1 + k t); axes 0..2 t, y up to 2 % above the largest value (with special
// scaling: the range of the chosen species).
TEST_F(ContiReactorTest, StirredTankDiagramHandsTheOutletOverTheResidenceTime) {
    RunFor(2, false, 3, {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "5"}});
    window->cmdDiagram->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "ein Hinweis für Lernende");
    EXPECT_EQ(ContiHinweisOffen, kFalse);
    EXPECT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_DOUBLE_EQ(tWerte[0], 1e-6);
    EXPECT_NEAR(tWerte[200], 1e-6 + 10, 1e-9);
    for (int j = 0; j <= 200; ++j) EXPECT_NEAR(cKurveA[j], 1 / (1 + 0.1 * tWerte[j]), 1e-9) << j;
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 10);
    EXPECT_NEAR(AchsenGrenzen[3], static_cast<float>(cKurveA[0]) * 1.02f, 1e-6);
    // The window's own results stay those of the calculation.
    EXPECT_NEAR(UmsatzU, 0.5 / 1.5, 1e-6);
    EXPECT_NEAR(VPunkt, 0.2, 1e-9);
    EXPECT_NEAR(KsiWerte[1], 0.5 / 1.5, 1e-6);
    EXPECT_NEAR(cAktuell[1], 1 / 1.5, 1e-6);

    window->chkSpecialScaling->click();
    window->optSpecialScaling[3]->click();
    window->cmdDiagram->click();
    EXPECT_EQ(rec.Messages().size(), 1u);  // the hint comes once
    const double pMin = 1 - 1 / (1 + 0.1 * 1e-6), pMax = 1 - 1 / (1 + 0.1 * (10 + 1e-6));
    const double top = pMax + std::fabs(pMax - pMin) * 0.02;
    EXPECT_NEAR(AchsenGrenzen[3], top, 1e-5);
    EXPECT_NEAR(AchsenGrenzen[2], pMin - std::fabs(top - pMin) * 0.02, 1e-5);

    // A typed change clears the results, disables the result buttons and is stored at once.
    Type(Box(16), "6");
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled() || window->cmdShowKsi->isEnabled());
    EXPECT_DOUBLE_EQ(tauMittel, 6.0);
}

// Over the mean residence time: the outlet of three equal tanks, 201 points from 1e-8 to 2 t. Over
// the stage axis: after an inlet stretch of two points, 280 / N points per stage at the stage's
// outlet (93 for three stages; six take 47 and write beyond the 280 shown).
TEST_F(ContiReactorTest, CascadeDiagramsHandTheOutletCurveAndTheStepsOver) {
    RunFor(2, true, 3, {{0, "1"}, {10, "0.2"}, {14, "1"}, {16, "15"}});
    kaskade->cmdDiagram2->click();
    EXPECT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_EQ(KaskadeUeberTau, kTrue);
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_DOUBLE_EQ(tWerte[0], 1e-8);
    EXPECT_NEAR(tWerte[200], 30 + 1e-8, 1e-9);
    for (int j = 0; j <= 200; ++j) EXPECT_NEAR(cKurveA[j], std::pow(1 + 0.2 * tWerte[j] / 3, -3), 1e-9) << j;
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 30);

    for (const int n : {3, 6}) {
        SCOPED_TRACE(std::to_string(n) + " stages");
        if (n == 6) {  // three: the stages of the calculation, not of the grid's last point
            Stages("6");
            Calc();
        }
        window->cmdDiagram->click();
        EXPECT_EQ(KaskadeUeberTau, kFalse);
        ASSERT_EQ(nZeitPunkte, 280);
        const int per = n == 3 ? 93 : 47;
        EXPECT_TRUE(tWerte[0] == 0 && cKurveA[0] == 1 && cKurveA[1] == 1);
        for (int j = 2; j <= 1 + n * per; ++j) {
            EXPECT_NEAR(cKurveA[j], std::pow(1 + 0.2 * 15 / n, -((j - 2) / per + 1)), 1e-9) << j;
            if (j <= 280) {
                EXPECT_NEAR(tWerte[j] - tWerte[j - 1], n / 280.0, 1e-12) << j;
            }
        }
        EXPECT_NEAR(tWerte[280], n, 1e-9);
        EXPECT_FLOAT_EQ(AchsenGrenzen[1], n);
    }
}

// For every model with its standard rate constants: conversion 0.5 and V = 1 given (mode 0), the
// computed mean residence time given back with V (mode 3) yields the conversion 0.5 again (the
// cascade's search over its equal tanks and its stage solver agree). N tanks of volume V share the
// residence time t, so V* = N V / t.
TEST_F(ContiReactorTest, ResidenceTimeFoundForAConversionGivesItBackForEveryModel) {
    for (const bool cascade : {false, true}) {
        for (int model = 1; model <= 20; ++model) {
            SCOPED_TRACE((cascade ? "cascade, model " : "stirred tank, model ") + std::to_string(model));
            ASSERT_NO_FATAL_FAILURE(OpenFor(model, cascade));
            window->cmdReset_k->click();
            Mode(0);
            EXPECT_EQ(CalcWith({{13, "0.5"}, {14, "1"}}), "");
            const std::string tau = Box(16)->text().trimmed().toStdString();
            Mode(3);
            EXPECT_EQ(CalcWith({{16, tau.c_str()}}), "");
            EXPECT_NEAR(Number(Box(13)), 0.5, 1e-4) << "t = " << tau;
            const double expected = (cascade ? 3 : 1) / Number(Box(16));
            EXPECT_NEAR(Number(Box(15)), expected, 1e-6 * expected);
        }
    }
}

// A + B => C, C + A => P (model 7) with too little B: the grid points the solvers flag are gaps and
// count nothing for the axes; without any computable point the procedures report the failure.
TEST_F(ContiReactorTest, FlaggedGridPointsAreGapsOutsideTheAxisProposal) {
    RedimCurves(300);  // the curve procedures alone; the solver tells of each flagged point itself
    struct Case {
        double b0, tau;
        bool cascade;
    };
    for (const Case c : {Case{0.4, 500, false}, Case{0.2, 5, false}, Case{0.4, 1500, true}, Case{0.2, 5, true}}) {
        SCOPED_TRACE(std::to_string(c.b0) + (c.cascade ? " cascade" : " tank"));
        ktest::UseModel(7, 0.15, 0.05, 0, {0, 1, c.b0, 0, 0, 0});
        KurvenMaske = "11110";
        nKaskade = 3;
        bool fehler = false;
        UmsatzU = 0.42;  // the window's result, which the grid must not overwrite
        ConcVector unused{};
        ConcMatrix cK(2, ConcVector{}), cOut(9, ConcVector{});
        if (c.cascade) simulation::CalcKaskadenDiagramm(7, c.tau, cK, cOut, fehler);
        else simulation::CalcCSTRDiagramm(7, c.tau, c0Wert, unused, fehler);
        EXPECT_EQ(UmsatzU, 0.42);
        int gaps = 0;
        float yMax = c.cascade ? 1.0f : -10000.0f;  // the cascade's proposal starts at the inlet
        for (int j = 0; j <= 200; ++j) {
            const bool gap = std::isnan(cKurveA[j]);
            gaps += gap ? 1 : 0;
            for (double v : {cKurveA[j], cKurveB[j], cKurveC[j], cKurveP[j]}) {
                EXPECT_TRUE(gap ? std::isnan(v) : std::isfinite(v)) << j;
                if (!gap) yMax = std::max(yMax, static_cast<float>(v));
            }
        }
        if (c.b0 < 0.3) {
            EXPECT_TRUE(fehler);
            EXPECT_EQ(gaps, 201);
            continue;
        }
        EXPECT_FALSE(fehler);
        EXPECT_GT(gaps, 0);
        EXPECT_LT(gaps, 201);
        EXPECT_NEAR(AchsenGrenzen[3], yMax * 1.02f, 1e-6);
    }
}

}  // namespace
