#include <gtest/gtest.h>

#include <cmath>

#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

using DataSet = ktest::DataTest;

TEST_F(DataSet, AnalyseCountsRowsAndTakesInitialValuesFromTimeZero) {
    // An empty set gives zeros everywhere.
    lambdaNull = 3;
    c0Mess.fill(9.0f);
    AnalyseExpData();
    SetC0AusMessdaten();
    EXPECT_EQ(nInaktiv + nctPunkte + nAnull + nkTPunkte + nTemperaturen, 0);
    EXPECT_EQ(NichtIsothermMoeglich | LambdaMoeglich, kFalse);
    EXPECT_EQ(DatenTmax, 0.0f);
    EXPECT_EQ(DatenTEnde, 0.0f);
    EXPECT_EQ(lambdaNull, 0.0);
    for (int s = 1; s <= kSpecies; ++s) EXPECT_EQ(c0Mess[s], 0.0f);

    lambdaInf = 5;
    AddRow(0, {1.0, 0.5}, 300, 0, 1.0f);       // t = 0: c(A), c(B), lambda(0) candidate
    AddRow(0, {0.9, 0.6}, 0, 0, 2.0f);         // later active row at t = 0 wins lambda(0) and c0
    AddRow(0, {0.8, 0.7}, 0, 0, 3.0f, kTrue);  // inactive: used for c0 but not for lambda(0)
    AddRow(10, {0.5, 0, 0, 0.5}, 310, 0.02, 1.5f);
    AddRow(20, {0, 0.3}, 320, 0.04);  // c(A) = 0, t > 0, c(B) > 0
    const double tEnd = 30.0000001;   // not representable in single precision
    AddRow(tEnd, {}, 330, 0.08);      // no concentration
    AnalyseExpData();
    EXPECT_EQ(nInaktiv, 1);
    EXPECT_EQ(nctPunkte, 5);
    EXPECT_EQ(nAnull, 1);
    EXPECT_EQ(nkTPunkte, 3);
    EXPECT_FLOAT_EQ(DatencA0, 0.8f);
    EXPECT_FLOAT_EQ(DatencB0, 0.7f);
    EXPECT_DOUBLE_EQ(lambdaNull, 2.0);
    EXPECT_FLOAT_EQ(DatenTmax, 30.0f);
    EXPECT_EQ(DatenTEnde, tEnd);  // kept in double precision
    EXPECT_DOUBLE_EQ(LambdaSumme, 7.5);
    EXPECT_EQ(LambdaMoeglich, kTrue);
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(DatenSpalte[s], s == 3 || s == 5 ? kFalse : kTrue) << s;
    EXPECT_EQ(nTemperaturen, 4);
    ASSERT_EQ(TempListe.size(), 5u);
    EXPECT_FLOAT_EQ(TempListe[1], 300.0f);
    EXPECT_FLOAT_EQ(TempListe[4], 330.0f);
    // Two rows with c(A) > 0 and T > 0, one inactive row: no non-isothermal fit.
    EXPECT_EQ(NichtIsothermMoeglich, kFalse);
    SetC0AusMessdaten();
    EXPECT_FLOAT_EQ(c0Mess[1], 1.0f);  // the first row at t = 0, not the last
    EXPECT_FLOAT_EQ(c0Mess[2], 0.5f);
    EXPECT_FLOAT_EQ(c0Mess[3], 0.0f);
}

TEST_F(DataSet, TemperatureListAndNonIsothermalFit) {
    for (double T : {310.0, 300.012, 300.0, 300.005}) AddRow(1, {1.0}, T);  // within 0.01 of the predecessor: once
    AnalyseExpData();
    EXPECT_EQ(nTemperaturen, 2);
    EXPECT_FLOAT_EQ(TempListe[1], 300.0f);
    EXPECT_FLOAT_EQ(TempListe[2], 310.0f);
    ktest::ResetDataState();
    for (int i = 0; i < 25; ++i) AddRow(i + 1, {1.0}, 280.0 + i);
    AnalyseExpData();
    EXPECT_EQ(nTemperaturen, 24);
    EXPECT_EQ(TempListe.size(), 26u);  // the list keeps all 25

    // A non-isothermal fit needs three more temperature rows than inactive rows, and times that sum to > 0.
    ktest::ResetDataState();
    for (int i = 0; i < 4; ++i) AddRow(i, {1.0 - 0.1 * i}, 300 + 5 * i);
    for (int expected : {kTrue, kTrue, kFalse}) {
        AnalyseExpData();
        EXPECT_EQ(NichtIsothermMoeglich, expected);
        AddRow(5, {}, 0, 0, 0, kTrue);  // an inactive row without temperature still counts against
    }
    ktest::ResetDataState();
    for (int i = 0; i < 4; ++i) AddRow(0, {1.0}, 300 + 5 * i);
    AnalyseExpData();
    EXPECT_EQ(NichtIsothermMoeglich, kFalse);
}

TEST_F(DataSet, ScanOfEmptySetWidensStartValuesAndIgnoresModelCodes) {
    ScanExpDataRange(-1);
    const auto& a = AchsenGrenzen;
    EXPECT_EQ(a[1], 0.0f);
    EXPECT_EQ(a[3], 0.0f);
    EXPECT_EQ(a[17], -110000.0f);
    EXPECT_EQ(a[16], 110000.0f);
    EXPECT_EQ(a[10], 105000.0f);
    EXPECT_EQ(a[11], -5000.0f);
    AddRow(5, {1.0});
    AchsenGrenzen.fill(42.0f);
    for (int code : {5, 100, 0}) ScanExpDataRange(code);
    for (float v : AchsenGrenzen) EXPECT_EQ(v, 42.0f);
}

TEST_F(DataSet, ScanProposesRangesOfTheEvaluationPlots) {
    // First-order decay c(A) = exp(-0.1 t) at 300..340 K with k rising.
    c0Mess[1] = 1.0f;
    for (int i = 0; i <= 4; ++i) {
        const double t = 10.0 * i;
        AddRow(t, {std::exp(-0.1 * t), 0.5}, 300 + 10 * i, 0.01 * (i + 1));
    }
    ScanExpDataRange(-3);
    const auto& a = AchsenGrenzen;
    EXPECT_FLOAT_EQ(a[1], 40.0f * 21 / 20);
    EXPECT_FLOAT_EQ(a[3], 1.0f * 21 / 20);
    // ln c(A) spans -4..0.
    EXPECT_NEAR(a[16], -4.0 - 0.2, 1e-5);
    EXPECT_NEAR(a[17], 0.0 + 0.2, 1e-5);
    // T 300..340 with a twentieth of 40 on each side.
    EXPECT_FLOAT_EQ(a[6], 298.0f);
    EXPECT_FLOAT_EQ(a[7], 342.0f);
    // 1/T with margins, ln k widened for code -3 by a twentieth of ln 5.
    const double e = (1.0 / 300 - 1.0 / 340) / 20;
    EXPECT_NEAR(a[10], 1.0 / 340 - e, 1e-7);
    EXPECT_NEAR(a[11], 1.0 / 300 + e, 1e-7);
    const double d = std::log(5.0) / 20;
    EXPECT_NEAR(a[12], std::log(0.01) - d, 1e-5);
    EXPECT_NEAR(a[13], std::log(0.05) + d, 1e-5);
    // ln(c(A)/c(B)) from ln 2 down to -4 + ln 2.
    const double d2 = 4.0 / 20;
    EXPECT_NEAR(a[22], std::log(2.0) + d2, 1e-5);
    EXPECT_NEAR(a[23], std::log(2.0) - 4.0 - d2, 1e-5);
}

TEST_F(DataSet, ScanOfEqualTimeOverConversionUsesTwentiethOfMaximum) {
    c0Mess[1] = 1.0f;
    AddRow(10, {0.5});   // t/U = 20
    AddRow(20, {0.0});   // t/U = 20
    ScanExpDataRange(-7);
    EXPECT_FLOAT_EQ(AchsenGrenzen[20], 21.0f);
    EXPECT_FLOAT_EQ(AchsenGrenzen[21], 19.0f);
}

TEST_F(DataSet, ScanDoesNotGrowRateAxisOnRepeatedCalls) {
    aktModell = 10;
    AddRow(0.02, {0, 0.1});  // r(P) = 0.02 at c(S) = 0.1
    AddRow(0.04, {0, 0.4});
    AchsenGrenzen[5] = 7.0f;  // left over from an earlier time course
    ScanExpDataRange(-14);
    const float first = AchsenGrenzen[5];
    EXPECT_FLOAT_EQ(first, 0.04f * 21 / 20);
    for (int i = 0; i < 10; ++i) ScanExpDataRange(-14);
    EXPECT_FLOAT_EQ(AchsenGrenzen[5], first);
    // The lower ends of r(P)/c(S) and c(S)/r(P) start at 0, so the ranges are 0..0.2 and 0..10.
    EXPECT_NEAR(AchsenGrenzen[36], -0.01, 1e-6);
    EXPECT_NEAR(AchsenGrenzen[37], 0.21, 1e-6);
    EXPECT_NEAR(AchsenGrenzen[34], -0.5, 1e-5);
    EXPECT_NEAR(AchsenGrenzen[35], 10.5, 1e-5);
    // 1/r(P) from 25 to 50.
    EXPECT_NEAR(AchsenGrenzen[32], 25.0 - 1.25, 1e-4);
    EXPECT_NEAR(AchsenGrenzen[33], 50.0 + 1.25, 1e-4);
}

TEST_F(DataSet, SplineTestRefusesRepeatedTimesInAnyOrder) {
    ktest::Messages msgs;
    std::string answer = "x";
    TestSplineData(2, answer);  // no rows
    EXPECT_EQ(answer, "");
    AddRow(4, {1.0, 0.2});
    AddRow(8, {0.5, 0.6});
    TestSplineData(2, answer);
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(msgs.list.empty());
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 8.4f);
    EXPECT_FLOAT_EQ(AchsenGrenzen[3], 0.63f);

    ktest::ResetDataState();
    AddRow(5, {1.0});
    AddRow(1, {2.0});
    AddRow(5, {0.5});
    TestSplineData(1, answer);
    EXPECT_EQ(answer, "cancel");
    ASSERT_EQ(msgs.list.size(), 1u);
    EXPECT_EQ(msgs.list[0].title, "Test auf Spline-Anwendbarkeit der exper. Daten");
    EXPECT_EQ(msgs.list[0].style, platform::vbCritical);
    EXPECT_EQ(msgs.list[0].prompt.rfind("Für diese Spline-Anwendung sind keine Mehrfach-Zeit-Werte erlaubt.", 0), 0u);
    EXPECT_EQ(ExpDaten[1].t, 5.0);  // the data set itself is not sorted
}

TEST_F(DataSet, GridHeadingsFollowModelModeAndUnit) {
    ktest::Forms forms;
    forms.open.insert("frmDatedit");
    auto text = [&](const char* c, int i = -1) { return forms.Text("frmDatedit", c, i); };
    auto on = [&](const char* c, int i = -1) { return forms.Enabled("frmDatedit", c, i); };
    // Enzyme model in the r(P)-c(S) mode, minutes.
    aktModell = 10;
    EnzymRcsModus = kTrue;
    ZeitEinheit = "min";
    nAnull = 2;
    nctPunkte = 5;
    nkTPunkte = 3;
    SetDataGridHeaders();
    EXPECT_EQ(text("lblKopf", 5), " r(P)/(mol/L min)");
    EXPECT_EQ(text("Bz1", 2), "r(P)/(mol/L min)");
    EXPECT_EQ(forms.tip[ktest::Forms::Key("frmDatedit", "lblKopf", 5)], " Reaktionsgeschwindigkeit von c(P) ");
    EXPECT_EQ(text("TSort"), "r(P)-Sortieren");
    EXPECT_EQ(text("lblKopf", 2), "c(S)/(mol/L)");
    EXPECT_EQ(text("Bz1", 4), "c(ES)/(mol/L)");
    for (int i = 0; i <= 8; ++i) EXPECT_EQ(on("y", i), i == 0 || i == 2 ? 1 : 0) << i;
    EXPECT_EQ(on("cmdDraw_rcS"), 1);
    EXPECT_EQ(on("cmdDraw_ct") | on("cmdDraw_Tk") | on("TemperaturSort") | on("lambda_infin"), 0);
    // Concentration mode, seconds.
    EnzymRcsModus = kFalse;
    ZeitEinheit = "s";
    nctPunkte = 2;
    nAnull = nkTPunkte = 0;
    SetDataGridHeaders();
    EXPECT_EQ(text("lblKopf", 5), " Zeit t/s");
    EXPECT_EQ(text("TSort"), "Zeit-Sortieren");
    EXPECT_EQ(on("cmdDraw_ct"), 1);
    for (int i = 6; i <= 8; ++i) EXPECT_EQ(on("y", i), 0) << i;
    EXPECT_EQ(on("lblKopf", 9) | on("Label2"), 0);
    // Model 2 with one k-T row: the k-T button stays off; the lambda field comes back.
    aktModell = 2;
    nkTPunkte = 1;
    SetDataGridHeaders();
    EXPECT_EQ(on("cmdDraw_Tk"), 0);
    EXPECT_EQ(text("lblKopf", 1), "c(A)/(mol/L)");
    EXPECT_EQ(text("Bz1", 6), "c(Q)/(mol/L)");
    EXPECT_EQ(text("Bz1", 2), "Zeit t/s");
    for (int i = 0; i <= 8; ++i) EXPECT_EQ(on("y", i), 1) << i;
    EXPECT_EQ(on("lblKopf", 9) & on("lambda_infin"), 1);
    nkTPunkte = 2;
    SetDataGridHeaders();
    EXPECT_EQ(on("cmdDraw_Tk"), 1);
    // The analysis refreshes the headings of the open editor.
    AddRow(0, {1.0});
    AddRow(1, {0.5});
    forms.enabled.clear();
    AnalyseExpData();
    EXPECT_EQ(on("cmdDraw_ct"), 1);
}
