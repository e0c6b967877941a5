#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
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

constexpr double kSkip = std::numeric_limits<double>::quiet_NaN();

// sd of y = a·x through the origin, by hand.
double OriginSd(const std::vector<double>& y) {
    double sxy = 0, sxx = 0, sse = 0;
    for (std::size_t i = 1; i <= y.size(); ++i) sxy += i * y[i - 1], sxx += double(i * i);
    for (std::size_t i = 1; i <= y.size(); ++i) sse += std::pow(y[i - 1] - sxy / sxx * i, 2);
    return std::sqrt(sse / (y.size() - 1));
}

}  // namespace

// Coefficients (in the column right of the unit matrix), sd, relative sd and r² against hand-computed values.
TEST(Regression, FitsMatchHandComputedValues) {
    // Scattered (1,1) (2,3) (3,2) (4,5) and a fifth point of weight 0: slope 1.1, intercept 0; residuals
    // -0.1, 0.8, -1.3, 0.6; SSE 2.7, SST 8.75; relative residuals 10, 80/3, 65, 12 per cent.
    const double relSum = 10.0 * 10.0 + (80.0 / 3.0) * (80.0 / 3.0) + 65.0 * 65.0 + 12.0 * 12.0;
    std::vector<float> qx = {0}, qy = {0}, qw = {0};
    for (int i = 0; i <= 6; ++i) {
        qx.push_back(static_cast<float>(i));
        qy.push_back(static_cast<float>(1.0 - 2.0 * i + 0.5 * i * i));
        qw.push_back(1);
    }
    const struct {
        const char* what;
        std::vector<float> x, y, w;
        int nTerms, type, flag;
        std::vector<double> coef;
        double coefTol, sd, sdTol, sdRel, sdRelTol, r2, r2Tol;
    } cases[] = {
        {"exact line", {0, 0, 1, 2, 5}, {0, 2, 5, 8, 17}, {0, 1, 1, 1, 1}, 2, 2, 0, {2, 3}, 1e-12, 0, 0, 0, 1e-5, 1, 0},
        {"scattered", {0, 1, 2, 3, 4, 10}, {0, 1, 3, 2, 5, 100}, {0, 1, 1, 1, 1, 0}, 2, 2, 0, {0, 1.1}, 1e-6,
         std::sqrt(2.7 / 2.0), 1e-6, std::sqrt(relSum / 4.0), 1e-4, 1.0 - 2.7 / 8.75, 1e-6},
        {"origin", {0, 1, 2, 3}, {0, 2, 4.5f, 5.5f}, {0, 1, 1, 1}, 1, 2, 1, {27.5 / 14.0}, 1e-6,
         OriginSd({2, 4.5, 5.5}), 1e-5, kSkip, 0, kSkip, 0},
        {"quadratic", qx, qy, qw, 3, 3, 0, {1, -2, 0.5}, 1e-9, kSkip, 0, kSkip, 0, 1, 1e-6},
        // All y equal: r² = 1 with the constant term, 0 through the origin; no division by zero.
        {"all y equal", {0, 1, 2, 3, 4}, {0, 5, 5, 5, 5}, {0, 1, 1, 1, 1}, 2, 2, 0, {5, 0}, 1e-12, 0, 0, kSkip, 0, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Fit f = FitPoints(c.x, c.y, c.w, c.nTerms, c.type, c.flag);
        ASSERT_EQ(f.err, 0);
        for (int i = 1; i <= c.nTerms; ++i) {
            EXPECT_NEAR(f.coef[i][c.nTerms + 1], c.coef[static_cast<std::size_t>(i - 1)], c.coefTol) << i;
            for (int j = 1; j <= c.nTerms; ++j) EXPECT_NEAR(f.coef[i][j], i == j ? 1.0 : 0.0, 1e-12);
        }
        for (const auto& [got, want, tol] : {std::tuple{f.sd, c.sd, c.sdTol}, std::tuple{f.sdRel, c.sdRel, c.sdRelTol},
                                             std::tuple{f.r2, c.r2, c.r2Tol}}) {
            if (std::isnan(want)) continue;
            EXPECT_NEAR(got, want, tol);
        }
    }
}

TEST(Regression, DegenerateSetsReportFailure) {
    EXPECT_EQ(FitPoints({0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1, 0, 0}, 2, 2).err, 1);        // one weighted point
    Fit untouched;  // all x equal: a failure that leaves the statistics alone
    untouched.sd = 7;
    Regression({0, 2, 2}, {0, 1, 2}, {0, 1, 1}, 2, 2, 0, untouched.coef, untouched.sd, untouched.sdRel, untouched.r2,
               untouched.err);
    EXPECT_EQ(untouched.err, 1);
    EXPECT_EQ(untouched.sd, 7.0f);
}
