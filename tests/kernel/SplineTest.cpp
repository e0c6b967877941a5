#include <algorithm>
#include <limits>

#include "kernel/Regression.h"
#include "kernel/RuntimeError.h"
#include "kernel/Spline.h"
#include "tests/kernel/KernelTestSupport.h"

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
double Wave(double x) { return std::sin(x) + 0.1 * x * x; }

// Akima's cubic on the interval [xs[k], xs[k+1]], written apart from the kernel: the ends are continued by
// two knots each that repeat the inner spacings (next-to-last spacing first) with linearly continued segment
// slopes; with s != 0 the values are first replaced by the weighted moving mean over the extended points.
double ReferenceAkima(std::vector<double> xs, std::vector<double> ys, double s, std::size_t k, double at) {
    const std::size_t n = xs.size();
    std::vector<double> x{xs[0] - (xs[2] - xs[1]) - (xs[1] - xs[0]), xs[0] - (xs[2] - xs[1])};
    x.insert(x.end(), xs.begin(), xs.end());
    x.push_back(xs[n - 1] + xs[n - 2] - xs[n - 3]);
    x.push_back(x.back() + xs[n - 1] - xs[n - 2]);
    auto slopes = [&x, n](const std::vector<double>& y) {  // segment slopes m[j] of x[j] .. x[j+1] with the ends
        std::vector<double> m(x.size() - 1);
        for (std::size_t j = 2; j + 3 < x.size(); ++j) m[j] = (y[j + 1] - y[j]) / (x[j + 1] - x[j]);
        m[1] = 2 * m[2] - m[3], m[0] = 2 * m[1] - m[2];
        m[n + 1] = 2 * m[n] - m[n - 1], m[n + 2] = 2 * m[n + 1] - m[n];
        return m;
    };
    auto extended = [&](const std::vector<double>& v) {
        std::vector<double> y(x.size());
        std::copy(v.begin(), v.end(), y.begin() + 2);
        const auto m = slopes(y);
        y[1] = y[2] - m[1] * (x[2] - x[1]), y[0] = y[1] - m[0] * (x[1] - x[0]);
        y[n + 2] = y[n + 1] + m[n + 1] * (x[n + 2] - x[n + 1]);
        y[n + 3] = y[n + 2] + m[n + 2] * (x[n + 3] - x[n + 2]);
        return y;
    };
    if (s != 0) {
        const auto y = extended(ys);
        const double h = (x.back() - x.front()) / static_cast<double>(x.size() - 1);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t c = i + 2, w = std::min<std::size_t>({3, c, x.size() - 1 - c});
            double sw = 0, swy = 0;
            for (std::size_t j = c - w; j <= c + w; ++j) {
                const double wj = j == c ? 1 : std::max(0.0, 1 - std::pow(std::fabs(x[c] - x[j]) / (3 * h), s));
                sw += wj, swy += wj * y[j];
            }
            ys[i] = swy / sw;
        }
    }
    const auto y = extended(ys);
    const auto m = slopes(y);
    auto t = [&m](std::size_t j) {  // knot slope at extended knot j
        const double w1 = std::fabs(m[j + 1] - m[j]), w2 = std::fabs(m[j - 1] - m[j - 2]);
        return w1 + w2 == 0 ? (m[j - 1] + m[j]) / 2 : (w1 * m[j - 1] + w2 * m[j]) / (w1 + w2);
    };
    const double h = xs[k + 1] - xs[k], u = (at - xs[k]) / h;  // cubic Hermite form
    return (2 * u * u * u - 3 * u * u + 1) * ys[k] + (u * u * u - 2 * u * u + u) * h * t(k + 2) +
           (-2 * u * u * u + 3 * u * u) * ys[k + 1] + (u * u * u - u * u) * h * t(k + 3);
}

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

TEST(AkimaSpline, SmoothingAndUnevenKnotsMatchAnIndependentAkima) {
    // Smoothing pulls a single spike towards its neighbours; without smoothing it stays.
    Spline spike(Range(12, 1, 0.5), [](double) { return 0.7; });
    spike.Y[2][6] = 1.7;
    spike.Build(2, 0);
    EXPECT_EQ(spike.Y[2][6], 1.7);
    spike.Build(2, 1.0f);
    EXPECT_LT(spike.Y[2][6], 1.5);
    EXPECT_GT(spike.Y[2][5], 0.7);
    // Unevenly spaced knots, and even ones where two lines meet (a knot whose slope weights are both 0 gets the
    // mean slope), smoothed and not: the extrapolated end knots shape the first and last intervals.
    const std::vector<double> uneven{0, 0.4, 1.3, 1.9, 3.2, 3.6, 5.1, 5.5, 7.3};
    for (const auto& [xs, f] : {std::pair{uneven, &Wave}, std::pair{Range(7, 0, 1), &Kink}}) {
        std::vector<double> ys;
        for (double x : xs) ys.push_back(f(x));
        for (float s : {0.0f, 0.7f}) {
            Spline sp(xs, f);
            sp.Build(2, s);
            for (std::size_t k : {std::size_t{0}, std::size_t{3}, xs.size() - 2})
                for (double u : {0.2, 0.55, 0.9}) {
                    const double x = xs[k] + u * (xs[k + 1] - xs[k]);
                    EXPECT_NEAR(sp.At(x), ReferenceAkima(xs, ys, s, k, x), 1e-9) << s << " " << x;
                }
        }
    }
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

// ---- Linear and polynomial regression ----

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
    const struct { const char* what; std::vector<float> x, y, w; int nTerms, type, flag; std::vector<double> coef;
                   double coefTol, sd, sdTol, sdRel, sdRelTol, r2, r2Tol; } cases[] = {
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
    const Fit same = FitPoints({0, 2, 2}, {0, 1, 2}, {0, 1, 1}, 2, 2);  // all x equal: the statistics stay as they were
    EXPECT_EQ(same.err, 1);
    EXPECT_EQ(same.sd, -1.0f);
}
