#include "kernel/Conductivity.h"
#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

using DataSet = ktest::DataTest;

TEST_F(DataSet, AnalyseCountsRowsAndTakesInitialValuesFromTimeZero) {
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
    // Two rows with c(A) > 0 and T > 0, one inactive row: no non-isothermal fit.
    EXPECT_EQ(NichtIsothermMoeglich, kFalse);
    SetC0AusMessdaten();
    EXPECT_FLOAT_EQ(c0Mess[1], 1.0f);  // the first row at t = 0, not the last
    EXPECT_FLOAT_EQ(c0Mess[2], 0.5f);
    EXPECT_FLOAT_EQ(c0Mess[3], 0.0f);
}

TEST_F(DataSet, TemperatureListMergesNearTemperatures) {
    for (double T : {310.0, 300.012, 300.0, 300.005}) AddRow(1, {1.0}, T);  // within 0.01 of the predecessor: once
    AnalyseExpData();
    EXPECT_EQ(nTemperaturen, 2);
    EXPECT_FLOAT_EQ(TempListe[1], 300.0f);
    EXPECT_FLOAT_EQ(TempListe[2], 310.0f);
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
    // 1/T with margins.
    const double e = (1.0 / 300 - 1.0 / 340) / 20;
    EXPECT_NEAR(a[10], 1.0 / 340 - e, 1e-7);
    EXPECT_NEAR(a[11], 1.0 / 300 + e, 1e-7);
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
}

TEST_F(DataSet, SplineTestRefusesRepeatedTimesInAnyOrder) {
    testsupport::MsgRecorder msgs;
    std::string answer = "x";
    AddRow(4, {1.0, 0.2});
    AddRow(8, {0.5, 0.6});
    TestSplineData(2, answer);
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(msgs.Empty());
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 8.4f);
    EXPECT_FLOAT_EQ(AchsenGrenzen[3], 0.63f);

    testsupport::ResetStartState();
    AddRow(5, {1.0});
    AddRow(1, {2.0});
    AddRow(5, {0.5});
    TestSplineData(1, answer);
    EXPECT_EQ(answer, "cancel");
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_EQ(msgs.Messages()[0].title, "Test auf Spline-Anwendbarkeit der exper. Daten");
    EXPECT_EQ(msgs.Messages()[0].style, platform::vbCritical);
    EXPECT_EQ(msgs.Messages()[0].prompt.rfind("Für diese Spline-Anwendung sind keine Mehrfach-Zeit-Werte erlaubt.", 0), 0u);
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
    EXPECT_EQ(text("TSort"), "r(P)-Sortieren");
    EXPECT_EQ(text("Bz1", 4), "c(ES)/(mol/L)");
    for (int i = 0; i <= 8; ++i) EXPECT_EQ(on("y", i), i == 0 || i == 2 ? 1 : 0) << i;
    EXPECT_EQ(on("cmdDraw_rcS"), 1);
    EXPECT_EQ(on("cmdDraw_ct") | on("cmdDraw_Tk") | on("TemperaturSort") | on("lambda_infin"), 0);
}

using Conductivity = ktest::DataTest;

// Expected y slots for data whose plotted quantity spans lo..hi.
static void ExpectYRange(int lowerSlot, int upperSlot, double lo, double hi, double tol) {
    const double e = (hi - lo) / 5;
    EXPECT_NEAR(AchsenGrenzen[upperSlot], hi + e, tol);
    EXPECT_NEAR(AchsenGrenzen[lowerSlot], lo - 0.3 * e, tol);
}

// lambda(t) = linf + (l0 - linf)·exp(-k t), rising and falling: ln((linf - l)/(linf - l0)) = -k t.
TEST_F(Conductivity, FirstOrderDecayGivesLineOfSlopeMinusK) {
    const struct { double k, l0, linf, dt; int n; } cases[] = {{0.05, 1.0, 11.0, 5.0, 8}, {0.1, 9.0, 2.0, 2.0, 5}};
    for (const auto& cs : cases) {
        testsupport::ResetStartState();
        lambdaInf = cs.linf;
        lambdaNull = cs.l0;
        for (int i = 0; i <= cs.n; ++i) {
            AddRow(cs.dt * i, {}, 0, 0, static_cast<float>(cs.linf + (cs.l0 - cs.linf) * std::exp(-cs.k * cs.dt * i)));
        }
        LambdaEvalFirstOrder();
        EXPECT_EQ(AchsenGrenzen[0], 0.0f);
        EXPECT_NEAR(AchsenGrenzen[1], cs.dt * cs.n * 21 / 20, 1e-5);
        ExpectYRange(24, 25, -cs.k * cs.dt * cs.n, 0.0, 1e-5);
    }
}

TEST_F(Conductivity, SecondOrderGivesReciprocalConcentration) {
    // 2 A => P with c(A) = c0 / (1 + 2 k c0 t); lambda linear in c(A): the plot shows 1/c(A).
    const double k = 0.4, c0 = 0.5, l0 = 8.0, linf = 3.0;
    lambdaInf = linf;
    lambdaNull = l0;
    c0Mess[1] = static_cast<float>(c0);
    for (int i = 0; i <= 6; ++i) {
        const double c = c0 / (1 + 2 * k * c0 * 1.5 * i);
        AddRow(1.5 * i, {}, 0, 0, static_cast<float>(linf + (l0 - linf) * c / c0));
    }
    LambdaEvalSecondOrder();
    EXPECT_NEAR(AchsenGrenzen[1], 9.0 * 21 / 20, 1e-5);
    ExpectYRange(26, 27, 1 / c0, 1 / c0 + 2 * k * 9.0, 1e-4);
}

TEST_F(Conductivity, RowsWithUndefinedQuantityAreLeftOut) {
    lambdaInf = 3.0;
    AddRow(1, {}, 0, 0, 1.0f);   // ln 2
    AddRow(2, {}, 0, 0, 3.0f);   // ln 0: undefined
    AddRow(50, {}, 0, 0, 4.0f);  // ln(-1): undefined
    LambdaEvalFirstOrder();
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 1.05f);
    EXPECT_FLOAT_EQ(AchsenGrenzen[24], static_cast<float>(std::log(2.0)));
    EXPECT_FLOAT_EQ(AchsenGrenzen[25], static_cast<float>(std::log(2.0)));

    LambdaEvalSecondOrder();  // only lambda = linf has a zero divisor; 4.0 gives -3
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 52.5f);
    ExpectYRange(26, 27, -3.0, 1.5, 1e-5);
}
