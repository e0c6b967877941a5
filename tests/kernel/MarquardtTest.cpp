#include <algorithm>
#include <limits>

#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Least-squares problem given by a residual function with analytic derivatives.
// Records every evaluated point with its sum, and can be told to fail.
class TestObjective : public MarquardtObjective {
public:
    using Residual = std::function<double(int i, const std::vector<double>& B, std::vector<double>& J)>;
    TestObjective(int rows, Residual f) : rows_(rows), f_(std::move(f)) {}

    void calcFQS_Marquardt(int m, std::vector<double>& B, double& sum, int& evalCount, int& err) override {
        ++evalCount;
        err = failSum && failSum(B) ? -1 : 0;
        sum = err ? kNaN : SumAt(B, m);
        evaluated.push_back({B, sum});
    }
    void CalcAbleitungen(int np, int i, std::vector<double>& B, double& r, std::vector<double>& J,
                         int& err) override {
        err = failRow && failRow(i, B) ? -1 : 0;
        if (err) return;
        std::vector<double> Jfull(B.size(), 0.0);
        r = f_(i, B, Jfull);
        for (int j = 1; j <= np; ++j) J[j] = Jfull[j];
    }
    bool RowContributes(int i) override { return i <= active; }

    double SumAt(const std::vector<double>& B, int m = 0) const {
        std::vector<double> J(B.size(), 0.0);
        double s = 0;
        for (int i = 1; i <= (m ? m : rows_); ++i) s += std::pow(f_(i, B, J), 2);
        return s;
    }
    double BestSum(std::size_t count) const {  // lowest sum among the first `count` evaluations
        double best = evaluated[0].sum;
        for (std::size_t k = 0; k < count; ++k) best = std::fmin(best, evaluated[k].sum);
        return best;
    }

    struct Eval {
        std::vector<double> B;
        double sum;
    };
    std::vector<Eval> evaluated;
    std::function<bool(const std::vector<double>&)> failSum;
    std::function<bool(int, const std::vector<double>&)> failRow;
    int active = 1 << 30;  // rows above this one do not contribute

private:
    int rows_;
    Residual f_;
};

using ktest::FitResult;
FitResult Fit(TestObjective& obj, int np, int m, std::vector<double> start, const MarquardtSettings& s = {}) {
    FitResult r;
    r.B = std::move(start);
    MarquardtNashFitting(np, m, r.B, r.SD, r.failed, obj, s, &r.info);
    return r;
}

// NIST StRD Misra1a: y = b1 (1 - exp(-b2 x)); `nanAbove` makes points with b2 above it give NaN residuals.
const double kMisraX[] = {77.6, 114.9, 141.1, 190.8, 239.9, 289.0, 332.8, 378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
const double kMisraY[] = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02, 44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};
constexpr int kMisraRows = 14;
TestObjective MisraObjective(double nanAbove = INFINITY) {
    return TestObjective(kMisraRows, [nanAbove](int i, const std::vector<double>& B, std::vector<double>& J) {
        const double x = kMisraX[i - 1], e = std::exp(-B[2] * x);
        J[1] = 1 - e;
        J[2] = B[1] * x * e;
        return B[2] > nanAbove ? kNaN : B[1] * (1 - e) - kMisraY[i - 1];
    });
}

// Ten noisy points of y = slope x + intercept at x = 0.5 .. 9.5 (mean 5), fitted as r = b1 (x - c) + b2 - y.
// With c = 5 the two parameters are uncoupled, so the gradient of b2 never changes sign with b1.
struct Line {
    std::vector<double> x, y;
    double c;
};
Line NoisyLine(double slope, double intercept, double c = 0) {
    Line d{{}, {}, c};
    const double noise[] = {0.03, -0.02, 0.05, -0.04, 0.01, -0.03, 0.02, 0.04, -0.05, 0.0};
    for (int i = 0; i < 10; ++i) {
        d.x.push_back(0.5 + i);
        d.y.push_back(slope * (0.5 + i) + intercept + noise[i]);
    }
    return d;
}
// The line's rows, followed by `padding` rows that contribute nothing.
TestObjective LineObjective(const Line& d, int padding = 0) {
    const int n = static_cast<int>(d.x.size());
    TestObjective obj(n + padding, [d, n](int i, const std::vector<double>& B, std::vector<double>& J) {
        J[1] = i > n ? 0 : d.x[i - 1] - d.c;
        J[2] = i > n ? 0 : 1;
        return i > n ? 0 : B[1] * (d.x[i - 1] - d.c) + B[2] - d.y[i - 1];
    });
    obj.active = n;
    return obj;
}

double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

void ExpectMisraCertified(const std::vector<double>& B) {
    EXPECT_LT(Rel(B[1], 238.94212918), 5e-7);
    EXPECT_LT(Rel(B[2], 5.5015643181e-4), 5e-7);
}

}  // namespace

// ---- Choleski ------------------------------------------------------------------------------------------

TEST(Choleski, SolvesPackedSystemMasksComponentsAndDetectsIndefinite) {
    // A = L Lᵀ with a known L; solve A y = A·(1, -2, 3).
    const double Lm[4][4] = {{0, 0, 0, 0}, {0, 2, 0, 0}, {0, 0.5, 1.5, 0}, {0, -1, 0.25, 3}};
    std::vector<double> a(7, 0.0);
    for (int j = 1; j <= 3; ++j)
        for (int k = 1; k <= j; ++k)
            for (int l = 1; l <= 3; ++l) a[j * (j - 1) / 2 + k] += Lm[j][l] * Lm[k][l];
    const std::vector<double> A = a;
    auto Aij = [&](int i, int j) { return i >= j ? A[i * (i - 1) / 2 + j] : A[j * (j - 1) / 2 + i]; };
    const double y[4] = {0, 1, -2, 3};
    std::vector<double> x(4, 0.0);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) x[i] += Aij(i, j) * y[j];

    std::array<double, 4> S{0, 1, 1, 1};
    int singular = 0;
    CholeskiZerlegung(3, a, S, singular);
    ASSERT_EQ(singular, 0);
    EXPECT_NEAR(a[1], 2, 1e-14);  // diagonal of the factor
    EXPECT_NEAR(a[6], 3, 1e-14);
    CholeskiRueck(3, a, S, x);
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(x[i], y[i], 1e-12);

    // Parameter 2 masked: the reduced 2x2 system of parameters 1 and 3, component 2 = 0.
    a = A;
    S = {0, 1, 0, 1};
    std::vector<double> rhs{0, 1, 7, 2};
    CholeskiZerlegung(3, a, S, singular);
    ASSERT_EQ(singular, 0);
    CholeskiRueck(3, a, S, rhs);
    const double a11 = Aij(1, 1), a13 = Aij(1, 3), a33 = Aij(3, 3), det = a11 * a33 - a13 * a13;
    EXPECT_NEAR(rhs[1], (a33 * 1 - a13 * 2) / det, 1e-12);
    EXPECT_EQ(rhs[2], 0);
    EXPECT_NEAR(rhs[3], (a11 * 2 - a13 * 1) / det, 1e-12);
}

// ---- NIST Misra1a ---------------------------------------------------------------------------------------

TEST(Marquardt, Misra1aFromBothCertifiedStarts) {
    for (const auto& [b1, b2] : {std::pair{500.0, 1e-4}, std::pair{250.0, 5e-4}}) {
        SCOPED_TRACE(b1);
        TestObjective obj = MisraObjective();
        const FitResult r = Fit(obj, 2, kMisraRows, {0, b1, b2});
        EXPECT_EQ(r.failed, kFitOk);
        ExpectMisraCertified(r.B);
        EXPECT_LT(Rel(obj.SumAt(r.B), 0.12455138894), 1e-8);
        EXPECT_LT(Rel(r.SD[1], 2.7070075241), 5e-4);
        EXPECT_LT(Rel(r.SD[2], 7.2668688436e-6), 5e-4);
        EXPECT_EQ(r.info.S[1], kStateFree);
        EXPECT_EQ(r.info.S[2], kStateFree);
        EXPECT_LE(r.info.nEval, 200);
    }
}

// ---- Bounds and fixed parameters ------------------------------------------------------------------------

TEST(Marquardt, BoundsHoldOrReleaseTheLevelAndFixedParametersKeepTheirValues) {
    // The level b2 of a line centred at 5: its optimum lies below the lower bound 1e-7, above the upper bound
    // 2e5, or inside (then a start below the bound must leave it); starts outside are moved onto the bound.
    // Last, the level of a line through x = 0 is fixed at 0.5, which leaves one more degree of freedom.
    struct Case {
        double intercept, start, state, expected, slopeTol, centre;
    };
    const Case cases[] = {{-10.3, 1.0, kStateAtLower, 1e-7, 1e-9, 5},  // optimum -0.3: driven onto the bound
                          {3e5 - 10, 5e5, kStateAtUpper, 2e5, 0.02, 5},
                          {0.7 - 10, -5.0, kStateFree, 0.7, 1e-9, 5},
                          {0.7, 0.5, kStateMasked, 0.5, 1e-9, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        const bool fixed = c.state == kStateMasked;
        const Line d = NoisyLine(2.0, c.intercept, c.centre);
        TestObjective obj = LineObjective(d, 4);  // four more rows that contribute nothing: no degrees of freedom
        MarquardtSettings s;
        if (fixed) s.ParamFixiert = {0, 0, -1, 0};
        const FitResult r = Fit(obj, 2, 14, {0, 1.0, c.start}, s);
        EXPECT_EQ(r.failed, kFitOk);
        EXPECT_EQ(r.info.S[2], c.state);
        EXPECT_EQ(r.info.nContributing, 10);
        // The slope through the fixed level, or on the centred line whatever the level (closed forms).
        double sxy = 0, sxx = 0;
        for (int i = 0; i < 10; ++i) {
            sxy += (d.x[i] - c.centre) * (d.y[i] - (fixed ? c.expected : 0));
            sxx += (d.x[i] - c.centre) * (d.x[i] - c.centre);
        }
        EXPECT_NEAR(r.B[1], sxy / sxx, c.slopeTol);
        EXPECT_NEAR(r.SD[1], std::sqrt(obj.SumAt(r.B) / (fixed ? 9 : 8) / sxx), 1e-6 * r.SD[1]);
        if (c.state == kStateFree) {
            EXPECT_NEAR(r.B[2], c.expected, 0.05);
            EXPECT_NEAR(r.SD[2], std::sqrt(obj.SumAt(r.B) / 8 / 10), 1e-6 * r.SD[2]);
        } else {
            EXPECT_EQ(r.B[2], c.expected);
            EXPECT_EQ(r.SD[2], 0);
        }
        EXPECT_EQ(obj.evaluated.front().B[2], std::clamp(c.start, 1e-7, 2e5));
    }
}

// ---- Limits and failures ------------------------------------------------------------------------------

// Misra1a from (500, 1e-4), whose first trial steps overshoot b2, with trouble on the way. A limit (6 evaluations
// for two parameters, or 2 Jacobians) returns the best point accepted: the lowest sum of every evaluation but a
// trial the evaluation limit cut short. A failure at the start or in the second Jacobian (taken at the first
// accepted point) ends the run with a message; a failed or NaN trial is rejected and the run goes on.
TEST(Marquardt, LimitsAndFailuresKeepTheBestAcceptedPoint) {
    enum Trouble { EvalLimit, JacobianLimit, FailAtStart, NaNAtStart, SecondJacobian, FailedTrial, NaNTrial };
    for (Trouble t : {EvalLimit, JacobianLimit, FailAtStart, NaNAtStart, SecondJacobian, FailedTrial, NaNTrial}) {
        SCOPED_TRACE(t);
        testsupport::MsgRecorder log;
        TestObjective obj = MisraObjective(t == NaNAtStart ? 0 : t == NaNTrial ? 1e-3 : INFINITY);
        MarquardtSettings s;
        if (t == EvalLimit) s.EvalLimitPerParam = 3;
        if (t == JacobianLimit) s.JacobianLimit = 2;
        if (t == FailAtStart) obj.failSum = [](const std::vector<double>&) { return true; };
        if (t == FailedTrial) obj.failSum = [](const std::vector<double>& B) { return B[2] > 1e-3; };
        int jacobianRows = 0;
        if (t == SecondJacobian) obj.failRow = [&](int, const std::vector<double>&) { return ++jacobianRows > kMisraRows; };
        const FitResult r = Fit(obj, 2, kMisraRows, {0, 500, 1e-4}, s);
        if (t >= FailedTrial) {
            EXPECT_EQ(r.failed, kFitOk);
            ExpectMisraCertified(r.B);
            EXPECT_TRUE(log.Empty());
            continue;
        }
        EXPECT_EQ(r.failed, t <= JacobianLimit ? kFitLimit : kFitRuntimeError);
        if (t == FailAtStart || t == NaNAtStart) {
            EXPECT_EQ(r.B, (std::vector<double>{0, 500, 1e-4}));
        } else {
            EXPECT_EQ(obj.SumAt(r.B), obj.BestSum(obj.evaluated.size() - (t == EvalLimit ? 1 : 0)));
            EXPECT_LT(obj.SumAt(r.B), obj.evaluated[0].sum);
        }
        if (t == EvalLimit) {
            EXPECT_EQ(obj.evaluated.size(), 7u);
        } else if (t == JacobianLimit) {
            EXPECT_EQ(r.info.nJacobian, 3);
        }
        EXPECT_EQ(r.SD[1], kSingularSD);
        EXPECT_EQ(r.SD[2], kSingularSD);
        EXPECT_EQ(ktest::OnlyMessage(log, 22),
                  t <= JacobianLimit ? "0 messages" : "16|Meldung von Sub MarquardtNashFitting|Fehler aufgetreten: \r\n");
    }
}
