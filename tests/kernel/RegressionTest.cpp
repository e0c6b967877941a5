#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kernel/Regression.h"

using kernel::Regression;
using kernel::RegressMatrix;

namespace {

struct Fit {
    RegressMatrix coef{};
    float sd = -1, sdRel = -1, r2 = -1;
    int err = 0;
};

// Points 1..n; index 0 unused.
Fit FitPoints(const std::vector<float>& x, const std::vector<float>& y, const std::vector<float>& w, int nTerms,
        int modelType, int flag = 0) {
    Fit f;
    Regression(x, y, w, nTerms, modelType, flag, f.coef, f.sd, f.sdRel, f.r2, f.err);
    return f;
}

}  // namespace

TEST(Regression, StraightLineThroughExactPoints) {
    const Fit f = FitPoints({0, 0, 1, 2, 5}, {0, 2, 5, 8, 17}, {0, 1, 1, 1, 1}, 2, 2);
    ASSERT_EQ(f.err, 0);
    EXPECT_NEAR(f.coef[1][3], 2.0, 1e-12);
    EXPECT_NEAR(f.coef[2][3], 3.0, 1e-12);
    EXPECT_NEAR(f.coef[1][1], 1.0, 1e-12);  // unit matrix left of the coefficients
    EXPECT_NEAR(f.coef[1][2], 0.0, 1e-12);
    EXPECT_FLOAT_EQ(f.sd, 0.0f);
    EXPECT_NEAR(f.sdRel, 0.0f, 1e-5);
    EXPECT_FLOAT_EQ(f.r2, 1.0f);
}

TEST(Regression, ScatteredLineMatchesHandComputedStatisticsAndIgnoresZeroWeight) {
    // (1,1) (2,3) (3,2) (4,5): slope 5.5/5 = 1.1, intercept 2.75 - 1.1*2.5 = 0; residuals
    // -0.1, 0.8, -1.3, 0.6; SSE 2.7, SST 8.75. The fifth point has weight 0.
    const std::vector<float> x = {0, 1, 2, 3, 4, 10}, y = {0, 1, 3, 2, 5, 100};
    const Fit f = FitPoints(x, y, {0, 1, 1, 1, 1, 0}, 2, 2);
    ASSERT_EQ(f.err, 0);
    EXPECT_NEAR(f.coef[1][3], 0.0, 1e-6);
    EXPECT_NEAR(f.coef[2][3], 1.1, 1e-6);
    EXPECT_NEAR(f.sd, std::sqrt(2.7 / 2.0), 1e-6);
    EXPECT_NEAR(f.r2, 1.0 - 2.7 / 8.75, 1e-6);
    const double relSum = 10.0 * 10.0 + (80.0 / 3.0) * (80.0 / 3.0) + 65.0 * 65.0 + 12.0 * 12.0;
    EXPECT_NEAR(f.sdRel, std::sqrt(relSum / 4.0), 1e-4);

    const Fit without = FitPoints({0, 1, 2, 3, 4}, {0, 1, 3, 2, 5}, {0, 1, 1, 1, 1}, 2, 2);
    EXPECT_DOUBLE_EQ(without.coef[2][3], f.coef[2][3]);
    EXPECT_FLOAT_EQ(without.sd, f.sd);
    EXPECT_FLOAT_EQ(without.r2, f.r2);
}

TEST(Regression, ThroughTheOrigin) {
    // y = a x: a = sum(xy) / sum(x²) = 27.5 / 14.
    const Fit f = FitPoints({0, 1, 2, 3}, {0, 2.f, 4.5f, 5.5f}, {0, 1, 1, 1}, 1, 2, 1);
    ASSERT_EQ(f.err, 0);
    EXPECT_NEAR(f.coef[1][2], 27.5 / 14.0, 1e-6);
    const double a = 27.5 / 14.0;
    const double sse = std::pow(2 - a, 2) + std::pow(4.5 - 2 * a, 2) + std::pow(5.5 - 3 * a, 2);
    EXPECT_NEAR(f.sd, std::sqrt(sse / 2.0), 1e-5);
}

TEST(Regression, QuadraticRecoversPolynomial) {
    std::vector<float> x = {0}, y = {0}, w = {0};
    for (int i = 0; i <= 6; ++i) {
        x.push_back(static_cast<float>(i));
        y.push_back(static_cast<float>(1.0 - 2.0 * i + 0.5 * i * i));
        w.push_back(1);
    }
    const Fit exact = FitPoints(x, y, w, 3, 3);
    ASSERT_EQ(exact.err, 0);
    EXPECT_NEAR(exact.coef[1][4], 1.0, 1e-9);
    EXPECT_NEAR(exact.coef[2][4], -2.0, 1e-9);
    EXPECT_NEAR(exact.coef[3][4], 0.5, 1e-9);
    EXPECT_NEAR(exact.r2, 1.0f, 1e-6);
}

TEST(Regression, TwoPointsLeaveNoDegreesOfFreedom) {
    const Fit f = FitPoints({0, 1, 3}, {0, 2, 8}, {0, 1, 1}, 2, 2);
    ASSERT_EQ(f.err, 0);
    EXPECT_NEAR(f.coef[2][3], 3.0, 1e-12);
    EXPECT_NEAR(f.coef[1][3], -1.0, 1e-12);
    EXPECT_EQ(f.sd, 0.0f);
    EXPECT_EQ(f.sdRel, 0.0f);
    EXPECT_EQ(f.r2, 0.0f);
}

TEST(Regression, DegenerateSetsReportFailure) {
    EXPECT_EQ(FitPoints({0, 2, 2, 2}, {0, 1, 2, 3}, {0, 1, 1, 1}, 2, 2).err, 1);           // all x equal
    EXPECT_EQ(FitPoints({0, .3f, .3f, .3f}, {0, 1, 2, 3}, {0, 1, 1, 1}, 2, 2).err, 1);     // equal, inexact in binary
    EXPECT_EQ(FitPoints({0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 0, 0}, 2, 2).err, 1);           // one weighted point
    EXPECT_EQ(FitPoints({0, 1, 2, 3}, {0, 1, 2, 3}, {0, 0, 0, 0}, 2, 2).err, 1);           // none
    EXPECT_EQ(FitPoints({0, 1, 2}, {0, 1}, {0, 1, 1}, 2, 2).err, 1);                       // y shorter than x
    EXPECT_EQ(FitPoints({0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 1, 1}, 3, 2).err, 1);           // nTerms does not fit

    Fit untouched;
    untouched.sd = 7;
    Regression({0, 2, 2}, {0, 1, 2}, {0, 1, 1}, 2, 2, 0, untouched.coef, untouched.sd, untouched.sdRel, untouched.r2,
               untouched.err);
    EXPECT_EQ(untouched.err, 1);
    EXPECT_EQ(untouched.sd, 7.0f);
}

TEST(Regression, AllYEqualGivesDefinedDetermination) {
    // With the constant term the fit hits every point: r2 = 1, no division by zero.
    const Fit level = FitPoints({0, 1, 2, 3, 4}, {0, 5, 5, 5, 5}, {0, 1, 1, 1, 1}, 2, 2);
    ASSERT_EQ(level.err, 0);
    EXPECT_EQ(level.r2, 1.0f);
    EXPECT_NEAR(level.coef[1][3], 5.0, 1e-12);
    EXPECT_FLOAT_EQ(level.sd, 0.0f);
    // Through the origin a line cannot hit equal y at different x: r2 = 0.
    const Fit origin = FitPoints({0, 1, 2, 3}, {0, 5, 5, 5}, {0, 1, 1, 1}, 1, 2, 1);
    ASSERT_EQ(origin.err, 0);
    EXPECT_EQ(origin.r2, 0.0f);
    EXPECT_GT(origin.sd, 0.0f);
}
