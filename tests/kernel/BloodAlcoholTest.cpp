#include <gtest/gtest.h>

#include <cmath>

#include "kernel/BloodAlcohol.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "tests/support/StartState.h"

using namespace kernel;

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
    int lastPositive = 0;
    for (int t = 0; t <= 600; ++t) {
        const double expected = Uptake(20, 0, t) - 0.0025 * t;
        if (expected > 0) {
            EXPECT_NEAR(cKurveA[static_cast<std::size_t>(t)], expected, 1e-6) << t;
            lastPositive = t;
        } else {
            EXPECT_EQ(cKurveA[static_cast<std::size_t>(t)], 0.0) << t;  // negative values are cut
        }
    }
    EXPECT_GT(lastPositive, 100);
    EXPECT_LT(lastPositive, 600);
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 600.0f);
}

TEST_F(BloodAlcohol, SecondDrinkAfterSoberingStartsFromZero) {
    BAKTrinkStart[2] = 300;
    BAKAlkMasse[2] = 10;
    CalcResorption(500);
    // Before the second drink: the one-drink curve, cut at 0.
    const double atStart = Uptake(20, 0, 300) - 0.0025 * 300;
    ASSERT_LT(atStart, 0);
    for (int t = 200; t <= 300; ++t) {
        EXPECT_NEAR(BAKKurve[static_cast<std::size_t>(t)], std::max(0.0, Uptake(20, 0, t) - 0.0025 * t), 1e-6);
    }
    // From its start the curve is lifted by the missing amount.
    for (int t = 301; t <= 400; t += 7) {
        const double raw = Uptake(20, 0, t) + Uptake(10, 300, t) - 0.0025 * t;
        EXPECT_NEAR(BAKKurve[static_cast<std::size_t>(t)], std::max(0.0, raw - atStart), 1e-5) << t;
    }
}

TEST_F(BloodAlcohol, NoMinuteStaysNegativeBeforeTheLastDrink) {
    // A small, slow first drink is outweighed by the elimination in its first minutes.
    BAKAlkMasse[1] = 0.5f;
    BAKkres[0] = 2;
    BAKTrinkStart[2] = 30;
    BAKAlkMasse[2] = 20;
    auto roh = [](int t) { return 0.8 * 0.5 / (0.7 * 73) * (1 - std::exp(-2.0 * t / 60)) + Uptake(20, 30, t) - 0.0025 * t; };
    ASSERT_LT(roh(1), 0);
    CalcResorption(300);
    for (int t = 0; t <= 300; ++t) EXPECT_GE(BAKKurve[static_cast<std::size_t>(t)], 0) << t;
    EXPECT_NEAR(BAKKurve[60], roh(60) - roh(30), 1e-5);  // from 0 at the second drink
}

TEST_F(BloodAlcohol, AValueBeyondTheRangeOfASingleIsAnOverflow) {
    BAKKoerpermasse = 1e-3f;
    BAKAlkMasse[1] = 1e36f;
    try {
        CalcResorption(10);
        ADD_FAILURE() << "no failure";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    }
}
