#include <gtest/gtest.h>

#include <cmath>

#include "kernel/RuntimeError.h"
#include "kernel/Spline.h"
#include "kernel/State.h"

using namespace kernel;

namespace {

// Arrays for n knots in row `row`, filled from f at the given abscissae.
struct Spline {
    std::vector<double> X;
    SplineRows Y, D, C, B, A;
    int n;
    explicit Spline(const std::vector<double>& xs, double (*f)(double), int row = 2) : n(static_cast<int>(xs.size())) {
        const auto size = static_cast<std::size_t>(n) + 6;
        X.assign(size, 0.0);
        for (auto* rows : {&Y, &D, &C, &B, &A})
            for (auto& r : *rows) r.assign(size, 0.0);
        for (int i = 1; i <= n; ++i) {
            X[static_cast<std::size_t>(i)] = xs[static_cast<std::size_t>(i - 1)];
            Y[static_cast<std::size_t>(row)][static_cast<std::size_t>(i)] = f(xs[static_cast<std::size_t>(i - 1)]);
        }
    }
    void Build(int row = 2, float s = 0) { CalcAkimaSpline(row, n, s, X, Y, D, C, B, A); }
    double At(double x, int mode = 0, int row = 2) const {
        return AkimaInterpol(mode, row, x, n, X, D, C, B, A).value_or(-999);
    }
};

std::vector<double> Range(int n, double from, double step) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.push_back(from + i * step);
    return v;
}

double Line(double x) { return 0.5 - 1.25 * x; }
double Kink(double x) { return x < 3 ? 2 * x : 6 + 0.5 * (x - 3); }  // pieces meet at x = 3
double Const(double) { return 0.7; }

}  // namespace

TEST(AkimaSpline, StraightLineIsReproducedInsideAndOutside) {
    Spline sp({0, 0.5, 1.5, 2, 3.5, 4}, Line);
    sp.Build();
    for (double x : {-2.0, 0.0, 0.3, 1.7, 3.99, 4.0, 9.0}) {
        EXPECT_NEAR(sp.At(x), Line(x), 1e-12) << x;
        EXPECT_NEAR(sp.At(x, 1), -1.25, 1e-12) << x;
    }
    EXPECT_FALSE(sp.At(1.0, 2) != -999);  // mode 2 has no value
    EXPECT_EQ(sp.X[4], 2.0);              // real knots are back in place
    // The work arrays follow the number of knots.
    Spline line(Range(1000, 0, 0.01), Line);
    line.Build();
    EXPECT_NEAR(line.At(7.777), Line(7.777), 1e-10);
}

TEST(AkimaSpline, KnotWhereTwoLinesMeetGetsTheMeanSlope) {
    Spline sp(Range(7, 0, 1), Kink);
    sp.Build();
    EXPECT_DOUBLE_EQ(sp.B[2][4], 1.25);
    EXPECT_DOUBLE_EQ(sp.At(6.0), Kink(6.0));
    EXPECT_DOUBLE_EQ(sp.At(6.0, 1), 0.5);
    EXPECT_DOUBLE_EQ(sp.At(0.0), 0.0);
    EXPECT_DOUBLE_EQ(sp.At(-1.0), -2.0);
    EXPECT_DOUBLE_EQ(sp.At(-1.0, 1), 2.0);
}

TEST(AkimaSpline, SmoothingPullsASpikeTowardsItsNeighbours) {
    // Smoothing pulls a single spike towards its neighbours; without smoothing it stays.
    Spline spike(Range(12, 1, 0.5), Const);
    spike.Y[2][6] = 1.7;
    spike.Build(2, 0);
    EXPECT_EQ(spike.Y[2][6], 1.7);
    spike.Build(2, 1.0f);
    EXPECT_LT(spike.Y[2][6], 1.5);
    EXPECT_GT(spike.Y[2][5], 0.7);
}

TEST(AkimaSpline, FailuresAreRaisedAndKnotsSorted) {
    Spline twin({0, 1, 1, 2, 3}, Line);
    EXPECT_THROW(twin.Build(), RuntimeError);
    // The sort test orders the knots and reports duplicates.
    Spline sp({4, 3, 2, 1, 0}, Line);
    EXPECT_FALSE(CheckXAufsteigend(2, sp.X, sp.Y, sp.n));
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(sp.X[static_cast<std::size_t>(i)], i - 1.0);
        EXPECT_EQ(sp.Y[2][static_cast<std::size_t>(i)], Line(i - 1.0));
    }
    Spline dup({2, 1, 2, 0}, Line);
    EXPECT_TRUE(CheckXAufsteigend(2, dup.X, dup.Y, dup.n));
    EXPECT_EQ(dup.X[3], 2.0);
    EXPECT_EQ(dup.X[4], 2.0);
}
