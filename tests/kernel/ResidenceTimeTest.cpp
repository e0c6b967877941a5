#include <gtest/gtest.h>

#include <cmath>

#include "kernel/ResidenceTime.h"

using namespace kernel;

TEST(ResidenceTime, FactorialAndSingleTank) {
    EXPECT_EQ(Fakultaet(0), 1.0);
    EXPECT_EQ(Fakultaet(5), 120.0);
    EXPECT_NEAR(Fakultaet(170) / 7.257415615307994e306, 1.0, 1e-12);
    EXPECT_EQ(Fakultaet(171), -1.0);
    // One tank: E(t) = exp(-t/tm)/tm with the per-tank time in single precision.
    int err = 1;
    const double tm = 3.0, tauI = static_cast<float>(tm);
    EXPECT_NEAR(FuVerweilE(2.0, 1, tm, err), std::exp(-2.0 / tauI) / tauI, 1e-15);
    EXPECT_EQ(err, 0);
    EXPECT_NEAR(FuVerweilE(0.0, 1, tm, err), 1.0 / tauI, 1e-15);
    EXPECT_NEAR(FuVerweilF(2.0, 1, tm, err), 1.0 - std::exp(-2.0 / 3.0), 1e-15);
    for (int N : {1, 2, 7}) {
        EXPECT_EQ(FuVerweilF(0.0, N, tm, err), 0.0);
        EXPECT_EQ(FuVerweilE(0.0, N, tm, err), N == 1 ? 1.0 / tauI : 0.0);
    }
}

// For N tanks: E integrates to 1, F is the integral of E and tends to 1, E peaks at (N-1)/N·tm.
TEST(ResidenceTime, DistributionIsNormalisedAndPeaksWhereItShould) {
    const double tm = 2.5;
    int err = 0;
    auto simpson = [&](int N, double tEnd, int steps) {  // integral of E from 0 to tEnd
        const double h = tEnd / steps;
        double sum = 0;
        for (int i = 0; i <= steps; ++i) {
            const double w = (i == 0 || i == steps) ? 1 : (i % 2 ? 4 : 2);
            sum += w * FuVerweilEdimlos(i * h, N, tm, err) / tm;
        }
        return sum * h / 3;
    };
    for (int N : {1, 2, 4, 7, 30}) {
        SCOPED_TRACE(N);
        const double whole = simpson(N, 12.0 * tm, 20000);
        ASSERT_EQ(err, 0);
        EXPECT_NEAR(whole, FuVerweilF(12.0 * tm, N, tm, err), 1e-9);
        EXPECT_NEAR(whole, 1.0, 1e-5);  // the tail beyond 12 tm is below exp(-12)
        EXPECT_NEAR(FuVerweilF(80 * tm, N, tm, err), 1.0, 1e-12);
        EXPECT_NEAR(simpson(N, tm, 2000), FuVerweilF(tm, N, tm, err), 1e-9);
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

// A mean time <= 0, no tanks, and everything beyond the Double range (171!, (N·theta)^(N-1)) fail with
// err = -1 instead of returning a meaningless number.
TEST(ResidenceTime, InvalidInputAndOverflowSetTheFlag) {
    using Fn = double (*)(double, int, double, int&);
    const struct { Fn f; double t; int N; double tm; } cases[] = {
        {FuVerweilE, 1, 3, 0},         {FuVerweilFdimlos, 1, 3, -1},    {FuVerweilE, 1, 0, 1},
        {FuVerweilE, 1, 172, 10},      {FuVerweilF, 1, 200, 10},        {FuVerweilEdimlos, 1000, 150, 1},
    };
    for (const auto& c : cases) {
        int err = 0;
        EXPECT_EQ(c.f(c.t, c.N, c.tm, err), 0.0) << c.t << " " << c.N << " " << c.tm;
        EXPECT_EQ(err, -1) << c.t << " " << c.N << " " << c.tm;
    }
    // The largest N of the window still works at moderate times.
    int err = 0;
    const double f = FuVerweilF(1.0, 120, 1.0, err);
    EXPECT_EQ(err, 0);
    EXPECT_GT(f, 0.4);
    EXPECT_LT(f, 0.6);
}
