#include "kernel/BloodAlcohol.h"
#include "kernel/Concentrations.h"
#include "kernel/RuntimeError.h"
#include "kernel/TimeCourse.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;

namespace {

// Whether f raises the overflow error (and not another failure, nor none).
template <class F>
bool Overflows(F f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.kind() == ErrorKind::Overflow;
    }
    return false;
}

class TimeCourse : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetStartState();
        KurvenMaske = "11111";
        c0Wert = {0, 1.0, 0.6, 0.1, 0.2, 0.05};
        kWert = {0, 0.15, 0.05, 0};
    }
    // Runs the time course of `model` as the current model over tSpan and checks that it succeeds.
    static void Run(int model, double tSpan) {
        aktModell = model;
        int err = 99;
        CalcZeitverlauf(model, tSpan, err);
        ASSERT_EQ(err, 0);
    }
    // CalcKonzentrationen at t into a vector filled with -7, checking its error flag.
    static ConcVector At(int model, double t, int expectErr = 0) {
        ConcVector c;
        c.fill(-7.0);
        int err = 5;
        CalcKonzentrationen(model, t, c, err);
        EXPECT_EQ(err, expectErr);
        return c;
    }
    // Worst deviation of the model's curves from the fine reference at every 20th point.
    static double MaxDeviation(int model, int refSteps = 4000) {
        double worst = 0;
        for (std::size_t i = 0; i <= 200; i += 20) {
            const auto ref = ktest::Integrate(model, c0Wert, tWerte[i], kWert[1], kWert[2], kWert[3], ReaktOrdnung, refSteps);
            for (int s = 1; s <= 5; ++s) {
                if (!ktest::Writes(model, s) || (model == 5 && s == 5)) continue;
                worst = std::max(worst, std::fabs(cKurve(s)[i] - ref[static_cast<std::size_t>(s)]));
            }
        }
        return worst;
    }
};
}  // namespace

// The concentrations at a given time write the same slots (models 5 and 11 also slot 5) and agree with the curve.
TEST_F(TimeCourse, ClosedFormsFollowTheirRateLawsFromTheInitialValues) {
    for (int model : {1, 2, 3, 4, 5, 6, 8, 11, 12, 16, 17, 19}) {
        SCOPED_TRACE(model);
        Run(model, 6.0);  // zero order: A is not used up before t = 6.67
        EXPECT_EQ(nZeitPunkte, 200);
        EXPECT_LT(MaxDeviation(model), 1e-9);
        const ConcVector at0 = At(model, 0.0), at = At(model, tWerte[137]);
        for (int s = 1; s <= 5; ++s) {
            if (!ktest::Writes(model, s)) {
                EXPECT_EQ(at[s], -7.0);  // the caller's value stays
                continue;
            }
            EXPECT_NEAR(at0[s], c0Wert[s], 1e-15);
            EXPECT_DOUBLE_EQ(at[s], cKurve(s)[137]);
        }
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
    const ConcVector e = At(19, 1e5);                // k1·c(A)·c(B) = k2·c(P)·c(Q)
    EXPECT_NEAR(10.0 * e[1] * e[2], 20.0 * e[4] * e[5], 1e-9);
    EXPECT_NEAR(e[1] + e[4], 3.5, 1e-12);
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
    EXPECT_EQ(At(19, 1.0, kTrue)[1], -7.0);  // the concentrations at a time report it and write nothing
    // Model 17 without a real root (p = -1, q = 1) raises.
    kWert = {0, 1.0, -1.0, 0};
    EXPECT_THROW(CalcZeitverlauf(17, 10.0, err), RuntimeError);
    At(17, 1.0, kTrue);  // the concentrations at a time report it through err
    // A stiff course still unstable at the ceiling of sub-steps blows up: reported as the overflow it is,
    // also where the blow-up left a NaN behind.
    for (double k : {1e9, 1e12, 1e15}) {
        c0Wert = {0, 1, 1, 0, 0, 0};
        kWert = {0, k, k, 0};
        aktModell = 7;
        EXPECT_TRUE(Overflows([&] { CalcZeitverlauf(7, 100.0, err); })) << k;
    }
}

// The smooth models to about 1e-8; the stiff enzyme model with its defaults over 1000 s, where one sub-step per
// interval is far outside the stability region of RK4, to 1e-5 and with the enzyme conserved.
TEST_F(TimeCourse, IntegratedModelsAgreeWithAFineReference) {
    const ktest::Conc c0 = c0Wert, enzyme{0, 0.5, 5, 0, 0, 0};
    const struct { int model; double k1, k2, k3; float order; double span, tol; } cases[] = {
        {7, 0.15, 0.05, 0, 1.5f, 30, 1e-8},    {13, 0.15, 0.1, 0.005, 1.5f, 30, 1e-8},
        {15, 0.15, 0.2, 0.15, 1.5f, 30, 1e-8}, {20, 0.15, 0, 0, 2.5f, 30, 1e-8},
        {10, 1.5, 0.01, 0.005, 1.5f, 1000, 1e-5},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.model);
        kWert = {0, cs.k1, cs.k2, cs.k3};
        c0Wert = cs.model == 10 ? enzyme : c0;
        ReaktOrdnung = cs.order;
        Run(cs.model, cs.span);
        EXPECT_LT(MaxDeviation(cs.model, cs.model == 10 ? 100000 : 4000), cs.tol);
    }
    EXPECT_NEAR(cKurveA[200] + cKurveC[200], 0.5, 1e-9);
}

// First order with k1·Δt = 2: one RK4 step multiplies A by R(z) = 1 - z + z²/2 - z³/6 + z⁴/24. Trials with
// 1, 2, 4 sub-steps differ by more than 1 % from the next (R(2) = 1/3, R(1)² = 0.1406, R(0.5)⁴ = 0.1355), 4 and
// 8 by less (R(0.25)⁸ = 0.1353), so every interval takes R(0.25)^8. Values whose summed magnitude is below 1e-6
// are not compared, so there the first doubling (2 sub-steps) is taken.
TEST_F(TimeCourse, StepDoublingAcceptsTheFirstPairAgreeingToOnePercent) {
    auto R = [](double z) { return 1 - z + z * z / 2 - z * z * z / 6 + z * z * z * z / 24; };
    auto trial = [&](int n) { return std::pow(R(2.0 / n), n); };
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
    // Every run starts without the half-lives of the previous one.
    Run(7, 100.0);
    EXPECT_GT(HalbwertB, 0.0f);
    Run(2, 100.0);
    EXPECT_EQ(HalbwertA, 0.0f);
    EXPECT_EQ(HalbwertB, 0.0f);
}

// 200 equal intervals, the rates in single precision, and axes with margins around all curves.
TEST_F(TimeCourse, GridRatesAndAxisProposal) {
    c0Wert = {0, 1, 0, 0, 0, 0};
    Run(2, 50.0);
    for (int i = 0; i <= 200; ++i) EXPECT_DOUBLE_EQ(tWerte[static_cast<std::size_t>(i)], i * 0.25);
    EXPECT_FLOAT_EQ(rKurveA[50], static_cast<float>(-0.15 * cKurveA[50]));  // dc(A)/dt = -k1·c(A)
    const float axes[] = {0.0f, 50.0f, -0.0204f, 1.02f, -0.15f - 0.02f * (0.156f + 0.15f), 0.15f + 0.02f * 0.3f};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_FLOAT_EQ(AchsenGrenzen[i], axes[i]) << i;
}

TEST_F(TimeCourse, ConcentrationsOfIntegratedModelsReadTheSplineOfTheLastRun) {
    KurvenMaske = "11110";
    aktModell = 9;
    int err = 0;
    CalcZeitverlauf(9, 50.0, err);
    for (int i : {0, 17, 200, 201}) {
        const ConcVector c = At(9, tWerte[static_cast<std::size_t>(i)]);
        for (int s = 1; s <= 4; ++s) EXPECT_NEAR(c[s], cKurve(s)[static_cast<std::size_t>(i)], 1e-14);
        EXPECT_EQ(c[5], -7.0);
    }
    // Between knots close to the curve.
    const ConcVector mid = At(9, 12.3);
    EXPECT_NEAR(mid[1], cKurveA[49] + (cKurveA[50] - cKurveA[49]) * 0.2, 1e-4);
}

// ---- Blood alcohol (Widmark) through the time course ----

namespace {

class BloodAlcohol : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetStartState();
        BAKkres.fill(5.0f);
        BAKKoerpermasse = 73;
        BAKr = 0.7f;
        BAKRD = 20;
        BAKbeta60 = 0.15f;
        BAKTrinkStart[1] = 0;
        BAKAlkMasse[1] = 20;
        KurvenMaske = "10000";
    }
    // Widmark curve of one drink of mass m starting at minute s, classic elimination from minute 0.
    static double Uptake(double m, int s, int t) {
        return t > s ? 0.8 * m / (0.7 * 73) * (1 - std::exp(-5.0 * (t - s) / 60)) : 0.0;
    }
};
}  // namespace

TEST_F(BloodAlcohol, OneDrinkThroughTheTimeCourse) {
    DiagRec.xMax = 600;
    int err = 0;
    CalcZeitverlauf(BAKModellCode, 600, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(nZeitPunkte, 600);
    ASSERT_EQ(cKurveA.size(), 601u);
    EXPECT_EQ(tWerte[600], 600.0);
    for (int t = 0; t <= 600; ++t) {  // sober again after about two hours: negative values are cut
        EXPECT_NEAR(cKurveA[static_cast<std::size_t>(t)], std::max(0.0, Uptake(20, 0, t) - 0.0025 * t), 1e-6) << t;
    }
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 600.0f);
}

// A small, slow first drink is outweighed by the elimination in its first minutes; the second drink's curve
// is lifted to start from 0, up to the last minute; an absurd drink is an overflow.
TEST_F(BloodAlcohol, NoMinuteStaysNegativeAndALaterDrinkStartsFromZero) {
    BAKAlkMasse[1] = 0.5f;
    BAKkres[0] = 2;
    BAKTrinkStart[2] = 30;
    BAKAlkMasse[2] = 20;
    auto roh = [](int t) { return 0.8 * 0.5 / (0.7 * 73) * (1 - std::exp(-2.0 * t / 60)) + Uptake(20, 30, t) - 0.0025 * t; };
    ASSERT_LT(roh(1), 0);
    CalcResorption(60);
    for (int t = 0; t <= 60; ++t) EXPECT_GE(BAKKurve[static_cast<std::size_t>(t)], 0) << t;
    EXPECT_NEAR(BAKKurve[60], roh(60) - roh(30), 1e-5);  // from 0 at the second drink
    BAKKoerpermasse = 1e-3f;
    BAKAlkMasse[1] = 1e36f;
    EXPECT_TRUE(Overflows([] { CalcResorption(60); }));
}
