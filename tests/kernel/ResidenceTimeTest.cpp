#include <gtest/gtest.h>

#include <cmath>

#include "kernel/ResidenceTime.h"

using namespace kernel;

TEST(ResidenceTime, Factorial) {
    EXPECT_EQ(Fakultaet(-3), 1.0);
    EXPECT_EQ(Fakultaet(0), 1.0);
    EXPECT_EQ(Fakultaet(1), 1.0);
    EXPECT_EQ(Fakultaet(5), 120.0);
    EXPECT_NEAR(Fakultaet(170) / 7.257415615307994e306, 1.0, 1e-12);
    EXPECT_EQ(Fakultaet(171), -1.0);
}

TEST(ResidenceTime, SingleTankIsAnExponential) {
    int err = 1;
    const double tm = 3.0, tauI = static_cast<float>(tm);
    EXPECT_NEAR(FuVerweilE(2.0, 1, tm, err), std::exp(-2.0 / tauI) / tauI, 1e-15);
    EXPECT_EQ(err, 0);
    EXPECT_NEAR(FuVerweilE(0.0, 1, tm, err), 1.0 / tauI, 1e-15);
    EXPECT_NEAR(FuVerweilF(2.0, 1, tm, err), 1.0 - std::exp(-2.0 / 3.0), 1e-15);
    for (int N : {1, 2, 7}) {
        EXPECT_EQ(FuVerweilF(0.0, N, tm, err), 0.0);
        if (N > 1) {
            EXPECT_EQ(FuVerweilE(0.0, N, tm, err), 0.0);
        }
    }
}

// For N tanks: E integrates to 1, F is the integral of E and tends to 1, E peaks at (N-1)/N·tm.
TEST(ResidenceTime, DistributionIsNormalisedAndPeaksWhereItShould) {
    const double tm = 2.5;
    for (int N : {1, 2, 4, 7, 30}) {
        SCOPED_TRACE(N);
        int err = 0;
        const int steps = 20000;
        const double tEnd = 12.0 * tm, h = tEnd / steps;
        double integral = 0;  // Simpson
        for (int i = 0; i <= steps; ++i) {
            const double w = (i == 0 || i == steps) ? 1 : (i % 2 ? 4 : 2);
            integral += w * FuVerweilEdimlos(i * h, N, tm, err) / tm;
            ASSERT_EQ(err, 0);
        }
        EXPECT_NEAR(integral * h / 3, FuVerweilF(tEnd, N, tm, err), 1e-9);
        EXPECT_NEAR(integral * h / 3, 1.0, 1e-5);  // the tail beyond 12 tm is below exp(-12)
        EXPECT_NEAR(FuVerweilF(80 * tm, N, tm, err), 1.0, 1e-12);
        // F(t) against the integral of E from 0 to t = tm (Simpson, 2000 intervals).
        double part = 0;
        const double hp = tm / 2000;
        for (int i = 0; i <= 2000; ++i) {
            const double w = (i == 0 || i == 2000) ? 1 : (i % 2 ? 4 : 2);
            part += w * FuVerweilEdimlos(i * hp, N, tm, err) / tm;
        }
        EXPECT_NEAR(part * hp / 3, FuVerweilF(tm, N, tm, err), 1e-9);
        EXPECT_NEAR(FuVerweilFdimlos(tm, N, tm, err), FuVerweilF(tm, N, tm, err), 1e-15);
        if (N > 1) {
            const double tPeak = (N - 1.0) / N * tm, d = 1e-3 * tm;
            const double ePeak = FuVerweilE(tPeak, N, tm, err);
            EXPECT_GT(ePeak, FuVerweilE(tPeak - d, N, tm, err));
            EXPECT_GT(ePeak, FuVerweilE(tPeak + d, N, tm, err));
        }
        // E(theta) = tm·E(t) up to the single-precision per-tank time of FuVerweilE.
        EXPECT_NEAR(FuVerweilEdimlos(1.3, N, tm, err), tm * FuVerweilE(1.3, N, tm, err), 1e-6);
    }
}

TEST(ResidenceTime, NonPositiveMeanTimeFails) {
    for (double tm : {0.0, -1.0}) {
        int err = 0;
        EXPECT_EQ(FuVerweilE(1.0, 3, tm, err), 0.0);
        EXPECT_EQ(err, -1);
        err = 0;
        EXPECT_EQ(FuVerweilEdimlos(1.0, 3, tm, err), 0.0);
        EXPECT_EQ(err, -1);
        err = 0;
        EXPECT_EQ(FuVerweilF(1.0, 3, tm, err), 0.0);
        EXPECT_EQ(err, -1);
        err = 0;
        EXPECT_EQ(FuVerweilFdimlos(1.0, 3, tm, err), 0.0);
        EXPECT_EQ(err, -1);
    }
    int err = 0;
    EXPECT_EQ(FuVerweilE(1.0, 0, 1.0, err), 0.0);  // no tanks: no per-tank time
    EXPECT_EQ(err, -1);
}

// Beyond the Double range the functions fail instead of returning a meaningless number.
TEST(ResidenceTimeFaults, OverflowSetsTheFlag) {
    int err = 0;
    EXPECT_EQ(FuVerweilE(1.0, 172, 10.0, err), 0.0);  // 171! is beyond the Double range
    EXPECT_EQ(err, -1);
    err = 0;
    EXPECT_EQ(FuVerweilEdimlos(1.0, 172, 10.0, err), 0.0);
    EXPECT_EQ(err, -1);
    err = 0;
    FuVerweilF(1.0, 200, 10.0, err);
    EXPECT_EQ(err, -1);
    err = 0;
    FuVerweilFdimlos(1.0, 200, 10.0, err);
    EXPECT_EQ(err, -1);
    err = 0;
    EXPECT_EQ(FuVerweilEdimlos(1000.0, 150, 1.0, err), 0.0);  // (N·theta)^(N-1) overflows
    EXPECT_EQ(err, -1);
    err = 0;
    EXPECT_EQ(FuVerweilE(1000.0, 150, 1.0, err), 0.0);
    EXPECT_EQ(err, -1);
    // The largest N of the window still works at moderate times.
    err = 0;
    const double f = FuVerweilF(1.0, 120, 1.0, err);
    EXPECT_EQ(err, 0);
    EXPECT_GT(f, 0.4);
    EXPECT_LT(f, 0.6);
}
