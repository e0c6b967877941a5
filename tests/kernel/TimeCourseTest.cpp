#include <gtest/gtest.h>

#include <cmath>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;

namespace {

class TimeCourse : public ::testing::Test {
protected:
    void SetUp() override {
        KurvenMaske = "11111";
        DiagVariante = 0;
        SpezSkalierung = 0;
        MMDiagramm = 0;
        SmoothingFactor = 0;
        ReaktOrdnung = 1.5f;
        c0Wert = {0, 1.0, 0.6, 0.1, 0.2, 0.05};
        kWert = {0, 0.15, 0.05, 0.02};
    }
    // Runs the time course of `model` as the current model over tSpan and checks that it succeeds.
    static void Run(int model, double tSpan) {
        aktModell = model;
        int err = 99;
        CalcZeitverlauf(model, tSpan, err);
        ASSERT_EQ(err, 0);
    }
    // Worst deviation of the curves in the given slots from the fine reference at every 20th point.
    static double MaxDeviation(int model, const char* slots, int refSteps = 4000) {
        double worst = 0;
        for (std::size_t i = 0; i <= 200; i += 20) {
            const auto ref = ktest::Integrate(model, c0Wert, tWerte[i], kWert[1], kWert[2], kWert[3], ReaktOrdnung, refSteps);
            for (int s = 1; s <= 5; ++s) {
                if (slots[s - 1] == '1') worst = std::max(worst, std::fabs(cKurve(s)[i] - ref[static_cast<std::size_t>(s)]));
            }
        }
        return worst;
    }
};

}  // namespace

TEST_F(TimeCourse, ClosedFormsFollowTheirRateLawsFromTheInitialValues) {
    const struct { int model; const char* slots; } cases[] = {
        {1, "10010"}, {2, "10010"}, {3, "10010"}, {4, "11010"}, {5, "10010"}, {6, "10110"},
        {8, "10010"}, {11, "10011"}, {12, "11010"}, {16, "10011"}, {17, "11010"}, {19, "11011"},
    };
    kWert = {0, 0.15, 0.05, 0};
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.model);
        Run(cs.model, 6.0);  // zero order: A is not used up before t = 6.67
        EXPECT_EQ(nZeitPunkte, 200);
        for (int s = 1; s <= 5; ++s) {
            if (cs.slots[s - 1] == '1') EXPECT_DOUBLE_EQ(cKurve(s)[0], c0Wert[s]);
        }
        EXPECT_LT(MaxDeviation(cs.model, cs.slots), 1e-9);
    }
}

TEST_F(TimeCourse, GridHas200IntervalsAndRatesInSinglePrecision) {
    Run(2, 40.0);
    for (int i = 0; i <= 200; ++i) EXPECT_DOUBLE_EQ(tWerte[static_cast<std::size_t>(i)], i * 0.2);
    EXPECT_EQ(tWerte.size(), 451u);
    for (int s = 1; s <= kSpecies; ++s) {  // all curves are sized together
        EXPECT_EQ(cKurve(s).size(), tWerte.size());
        EXPECT_EQ(rKurve(s).size(), tWerte.size());
    }
    EXPECT_FLOAT_EQ(rKurveA[50], static_cast<float>(-0.15 * cKurveA[50]));  // dc(A)/dt = -k1·c(A)
}

TEST_F(TimeCourse, ClosedFormEdgeCases) {
    // Zero order: A is used up at t = c0A/k1 and stays 0.
    Run(1, 20.0);
    EXPECT_EQ(cKurveA[200], 0.0);
    EXPECT_DOUBLE_EQ(cKurveP[200], c0Wert[4] + c0Wert[1]);
    // Autocatalysis without catalyst does not start.
    c0Wert[4] = 0;
    for (int model : {5, 16}) {
        Run(model, 1e6);
        EXPECT_DOUBLE_EQ(cKurveA[200], c0Wert[1]);
    }
    // A => C => P with k1 = k2 stays finite and close to the limit k·t·e^(-kt).
    kWert = {0, 0.15, 0.15, 0};
    c0Wert = {0, 1, 0, 0, 0, 0};
    Run(6, 20.0);
    EXPECT_NEAR(cKurveC[100], 0.15 * tWerte[100] * std::exp(-0.15 * tWerte[100]), 1e-3);
    // A + B => P takes the equal-start form only for bit-equal starts; the general form stays accurate next to it.
    for (double a0 : {0.5, 0.5 + 1e-15}) {
        c0Wert = {0, a0, 0.5, 0, 0, 0};
        Run(4, 10.0);
        EXPECT_EQ(cKurveB[200] == cKurveA[200], a0 == 0.5);
        EXPECT_NEAR(cKurveA[200], 0.5 / (1 + 0.15 * 0.5 * 10.0), 1e-12);
    }
}

// Long times: the limits are finite and the curves carry no overflow, although in the direct form of these
// solutions the exponential grows with t.
TEST_F(TimeCourse, LongTimesReachTheEquilibriumWithoutOverflow) {
    c0Wert = {0, 3.0, 1.0, 0, 0.5, 0.2};
    kWert = {0, 10.0, 20.0, 0};  // model 12 with k1 < 4·k2
    Run(4, 1e5);
    EXPECT_NEAR(cKurveA[200], 2.0, 1e-12);
    EXPECT_NEAR(cKurveB[200], 0.0, 1e-12);
    for (int model : {5, 16}) {
        Run(model, 1e5);
        EXPECT_NEAR(cKurveA[200], 0.0, 1e-12);
        EXPECT_NEAR(cKurveP[200], 3.5, 1e-12);
        for (int i = 0; i <= 200; ++i) EXPECT_TRUE(std::isfinite(cKurveA[static_cast<std::size_t>(i)]));
    }
    Run(12, 1e5);
    const double a = cKurveA[200], b = cKurveB[200], p = cKurveP[200];
    EXPECT_NEAR(10.0 * a * b, 20.0 * p * p, 1e-9);  // equilibrium k1·c(A)·c(B) = k2·c(P)²
    EXPECT_NEAR(a + p / 2, 3.0 + 0.25, 1e-12);      // mass balance
    // Model 12 at short times still follows its rate law.
    c0Wert = {0, 1.0, 0.6, 0, 0.2, 0};
    kWert = {0, 0.1, 0.2, 0};
    Run(12, 10.0);
    EXPECT_LT(MaxDeviation(12, "11010"), 1e-9);
}

TEST_F(TimeCourse, FailuresAreReported) {
    // Model 19, k2 = 0 with c0A = c0B: the denominator vanishes at t = 0; the axes stay as they were.
    c0Wert = {0, 1, 1, 0, 0, 0};
    kWert = {0, 0.15, 0, 0};
    AchsenGrenzen.fill(7.0f);
    aktModell = 19;
    int err = 0;
    CalcZeitverlauf(19, 10.0, err);
    EXPECT_EQ(err, kTrue);
    EXPECT_EQ(AchsenGrenzen[3], 7.0f);
    EXPECT_EQ(cKurveA[1], 0.0);
    // A negative discriminant: K = k2/k1 = -0.5 gives a = 1.5, b = -2, c = 1, D = 4 - 6 < 0.
    kWert = {0, 0.2, -0.1, 0};
    err = 0;
    CalcZeitverlauf(19, 10.0, err);
    EXPECT_EQ(err, kTrue);
    EXPECT_EQ(tWerte[1], 0.0);
    // Model 8 with k1 + k2 = 0 and model 17 without a real root (p = -1, q = 1) raise.
    kWert = {0, 0.1, -0.1, 0};
    aktModell = 8;
    try {
        CalcZeitverlauf(8, 10.0, err);
        FAIL() << "division by zero not raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::DivisionByZero);
    }
    kWert = {0, 1.0, -1.0, 0};
    EXPECT_THROW(CalcZeitverlauf(17, 10.0, err), RuntimeError);
}

// The smooth models to about 1e-8; the stiff enzyme model with its defaults over 1000 s, where one sub-step per
// interval is far outside the stability region of RK4, to 1e-5 and with the enzyme conserved.
TEST_F(TimeCourse, IntegratedModelsAgreeWithAFineReference) {
    const ktest::Conc c0 = c0Wert, enzyme{0, 0.5, 5, 0, 0, 0};
    const struct { int model; double k1, k2, k3; float order; const char* slots; double span, tol; } cases[] = {
        {7, 0.15, 0.05, 0, 1.5f, "11110", 30, 1e-8},     {9, 0.15, 0.1, 0, 1.5f, "11110", 30, 1e-8},
        {13, 0.15, 0.1, 0.005, 1.5f, "11110", 30, 1e-8}, {14, 0.15, 0.1, 0.005, 1.5f, "10110", 30, 1e-8},
        {15, 0.15, 0.2, 0.15, 1.5f, "10110", 30, 1e-8},  {18, 0.15, 0.1, 0.005, 1.5f, "11110", 30, 1e-8},
        {20, 0.15, 0, 0, 2.5f, "10010", 30, 1e-8},       {10, 1.5, 0.01, 0.005, 1.5f, "11110", 1000, 1e-5},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.model);
        kWert = {0, cs.k1, cs.k2, cs.k3};
        c0Wert = cs.model == 10 ? enzyme : c0;
        ReaktOrdnung = cs.order;
        Run(cs.model, cs.span);
        EXPECT_LT(MaxDeviation(cs.model, cs.slots, cs.model == 10 ? 100000 : 4000), cs.tol);
    }
    EXPECT_NEAR(cKurveA[200] + cKurveC[200], 0.5, 1e-9);
}

// First order with k1·Δt = 2: one RK4 step multiplies A by R(z) = 1 - z + z²/2 - z³/6 + z⁴/24. Trials with
// 1, 2, 4 sub-steps differ by more than 1 % from the next, 4 and 8 by less, so every interval takes R(0.25)^8.
// Values whose summed magnitude is below 1e-6 are not compared, so there the first doubling (2 sub-steps) is taken.
TEST_F(TimeCourse, StepDoublingAcceptsTheFirstPairAgreeingToOnePercent) {
    auto R = [](double z) { return 1 - z + z * z / 2 - z * z * z / 6 + z * z * z * z / 24; };
    auto trial = [&](int n) { return std::pow(R(2.0 / n), n); };
    auto differ = [&](int n) { return std::fabs(trial(n) - trial(2 * n)) / (trial(n) + trial(2 * n)); };
    ASSERT_GT(differ(1), 0.01);
    ASSERT_GT(differ(2), 0.01);
    ASSERT_LT(differ(4), 0.01);
    kWert = {0, 0.15, 0, 0};
    ReaktOrdnung = 1.0f;
    for (double c0 : {1.0, 1e-7}) {
        c0Wert = {0, c0, 0, 0, 0, 0};
        Run(20, 200 * 2 / 0.15);
        const double perInterval = c0 == 1.0 ? trial(8) : trial(2);
        for (int j : {1, 2, 5}) {
            EXPECT_NEAR(cKurveA[static_cast<std::size_t>(j)] / c0, std::pow(perInterval, j), 1e-12) << c0 << " " << j;
        }
    }
}

TEST_F(TimeCourse, OrderBelowOneRunsToCompletionAlthoughAOvershootsZero) {
    c0Wert = {0, 1, 0, 0, 0, 0};
    kWert = {0, 0.15, 0, 0};
    ReaktOrdnung = 0.2f;
    Run(20, 100.0);
    // Complete at t = c0^(1-n)/((1-n)·k1) = 8.33; every species is taken over after it.
    EXPECT_NEAR(cKurveP[200], 1.0, 1e-3);
    EXPECT_NEAR(cKurveA[200] + cKurveP[200], 1.0, 1e-9);
}

TEST_F(TimeCourse, NumericRunSetsKnotsAndFreshHalfLives) {
    // A => C <=> P: A decays first-order, so its half-life on the straight line between the grid points
    // follows from exp(-k1·t).
    kWert = {0, 0.15, 0.1, 0.005};
    Run(14, 100.0);
    EXPECT_EQ(AkimaX[0], 202.0);
    EXPECT_NEAR(tWerte[201], 100.5, 1e-9);
    const double dt = 0.5;
    int j = 1;
    while (std::exp(-0.15 * j * dt) >= 0.5) ++j;
    const double a1 = std::exp(-0.15 * (j - 1) * dt), a2 = std::exp(-0.15 * j * dt);
    EXPECT_NEAR(HalbwertA, (j - 1) * dt + (0.5 - a1) * dt / (a2 - a1), 1e-4);
    EXPECT_NEAR(HalbwertA, std::log(2.0) / 0.15, 1e-2);
    // Every run starts without the half-lives of the previous one.
    Run(7, 100.0);
    EXPECT_GT(HalbwertB, 0.0f);
    Run(2, 100.0);
    EXPECT_EQ(HalbwertA, 0.0f);
    EXPECT_EQ(HalbwertB, 0.0f);
    Run(14, 1.0);  // A does not halve within the span
    EXPECT_EQ(HalbwertA, 0.0f);
}

TEST_F(TimeCourse, RungeKutta4OneStepIsTheFourthOrderTaylorPolynomial) {
    aktModell = 20;
    ReaktOrdnung = 1.0f;
    kWert = {0, 0.3, 0, 0};
    EqVector y{0, 2.0, 0.5, 0, 0}, out{}, yt{}, dydt{}, d1{}, d2{}, d3{}, d4{};
    double x = 0, xt = 0;
    const double h = 0.7, z = 0.3 * h;
    RungeKutta4(2, y, out, 1, 0.0, h, x, xt, yt, dydt, d1, d2, d3, d4);
    const double factor = 1 - z + z * z / 2 - z * z * z / 6 + z * z * z * z / 24;
    EXPECT_NEAR(out[1], 2.0 * factor, 1e-15);
    EXPECT_NEAR(out[2], 0.5 + 2.0 * (1 - factor), 1e-15);
    EXPECT_EQ(y[1], 2.0);
    EXPECT_DOUBLE_EQ(xt, h);
    RungeKutta4(2, y, out, 0, 0.0, h, x, xt, yt, dydt, d1, d2, d3, d4);
    EXPECT_EQ(out[1], 2.0);
}

TEST_F(TimeCourse, AxisProposalAddsMarginsAroundAllCurves) {
    c0Wert = {0, 1, 0, 0, 0, 0};
    kWert = {0, 0.15, 0, 0};
    Run(2, 50.0);
    const auto& g = AchsenGrenzen;
    EXPECT_FLOAT_EQ(g[0], 0.0f);
    EXPECT_FLOAT_EQ(g[1], 50.0f);
    EXPECT_FLOAT_EQ(g[3], 1.02f);
    EXPECT_FLOAT_EQ(g[2], -0.0204f);
    EXPECT_FLOAT_EQ(g[5], 0.15f + 0.02f * 0.3f);
    EXPECT_FLOAT_EQ(g[4], -0.15f - 0.02f * (0.156f + 0.15f));
    // Scaling on a species the model lacks gives a flat axis, which becomes 0..1.
    SpezSkalierung = kTrue;
    SpezSkalierungStoff = 2;
    Run(2, 50.0);
    EXPECT_EQ(g[2], 0.0f);
    EXPECT_EQ(g[3], 1.0f);
    // With an evaluation variant set the proposal is left alone.
    AchsenGrenzen.fill(3.0f);
    DiagVariante = 1;
    Run(2, 50.0);
    EXPECT_EQ(g[3], 3.0f);
}

TEST_F(TimeCourse, MichaelisMentenDiagramGivesTheRelativeRate) {
    MMDiagramm = kTrue;
    MMNormiert = kTrue;
    Run(10, 100.0);
    EXPECT_DOUBLE_EQ(tWerte[200], 20.0);
    EXPECT_FLOAT_EQ(rKurveP[10], 1.0f / 2.0f);  // x = 1: r/rmax = 1/2
    MMDiagramm = 0;
}
