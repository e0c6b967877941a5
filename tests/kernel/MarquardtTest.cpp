#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "kernel/Marquardt.h"
#include "platform/core/MsgBox.h"

using namespace kernel;

namespace {

// Least-squares problem given by a residual function with analytic derivatives.
// Records every evaluated point with its sum, and can be told to fail.
class TestObjective : public MarquardtObjective {
public:
    using Residual = std::function<double(int i, const std::vector<double>& B, std::vector<double>& J)>;
    TestObjective(int rows, Residual f) : rows_(rows), f_(std::move(f)) {}

    void calcFQS_Marquardt(int m, std::vector<double>& B, double& sum, int& evalCount, int& err) override {
        ++evalCount;
        err = 0;
        if (failSum && failSum(B)) {
            err = -1;
            evaluated.push_back({B, std::numeric_limits<double>::quiet_NaN()});
            return;
        }
        std::vector<double> J(B.size(), 0.0);
        sum = 0;
        for (int i = 1; i <= m; ++i) {
            const double r = f_(i, B, J);
            sum += r * r;
        }
        evaluated.push_back({B, sum});
    }
    void CalcAbleitungen(int np, int i, std::vector<double>& B, double& r, std::vector<double>& J,
                         int& err) override {
        err = 0;
        if (failRow && failRow(i, B)) {
            err = -1;
            return;
        }
        std::vector<double> Jfull(B.size(), 0.0);
        r = f_(i, B, Jfull);
        for (int j = 1; j <= np; ++j) J[j] = Jfull[j];
    }
    bool RowContributes(int i) override { return !inactive || !inactive(i); }

    double SumAt(const std::vector<double>& B) const {
        std::vector<double> J(B.size(), 0.0);
        double s = 0;
        for (int i = 1; i <= rows_; ++i) {
            const double r = f_(i, B, J);
            s += r * r;
        }
        return s;
    }

    struct Eval {
        std::vector<double> B;
        double sum;
    };
    std::vector<Eval> evaluated;
    std::function<bool(const std::vector<double>&)> failSum;
    std::function<bool(int, const std::vector<double>&)> failRow;
    std::function<bool(int)> inactive;

private:
    int rows_;
    Residual f_;
};

// NIST StRD Misra1a: y = b1 (1 - exp(-b2 x)).
const double kMisraX[] = {77.6, 114.9, 141.1, 190.8, 239.9, 289.0, 332.8, 378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
const double kMisraY[] = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02, 44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};
constexpr int kMisraRows = 14;

TestObjective MisraObjective() {
    return TestObjective(kMisraRows, [](int i, const std::vector<double>& B, std::vector<double>& J) {
        const double x = kMisraX[i - 1];
        const double e = std::exp(-B[2] * x);
        J[1] = 1 - e;
        J[2] = B[1] * x * e;
        return B[1] * (1 - e) - kMisraY[i - 1];
    });
}

// Straight line r = b1 x + b2 - y through the points (x_i, y_i).
struct LineData {
    std::vector<double> x, y;
};
TestObjective LineObjective(const LineData& d) {
    return TestObjective(static_cast<int>(d.x.size()), [d](int i, const std::vector<double>& B, std::vector<double>& J) {
        J[1] = d.x[i - 1];
        J[2] = 1;
        return B[1] * d.x[i - 1] + B[2] - d.y[i - 1];
    });
}
// Line about the mean abscissa, r = b1 (x - mean) + b2 - y: the two parameters are uncoupled, so the
// gradient of b2 never changes sign with b1.
TestObjective CenteredLineObjective(const LineData& d) {
    double mean = 0;
    for (double x : d.x) mean += x / static_cast<double>(d.x.size());
    return TestObjective(static_cast<int>(d.x.size()), [d, mean](int i, const std::vector<double>& B, std::vector<double>& J) {
        J[1] = d.x[i - 1] - mean;
        J[2] = 1;
        return B[1] * (d.x[i - 1] - mean) + B[2] - d.y[i - 1];
    });
}
LineData NoisyLine(double slope, double intercept) {
    LineData d;
    const double noise[] = {0.03, -0.02, 0.05, -0.04, 0.01, -0.03, 0.02, 0.04, -0.05, 0.0};
    for (int i = 0; i < 10; ++i) {
        d.x.push_back(0.5 + i);
        d.y.push_back(slope * (0.5 + i) + intercept + noise[i]);
    }
    return d;
}

// Records messages instead of showing them.
struct MessageLog {
    std::vector<std::string> prompts, titles;
    std::vector<int> styles;
    platform::MsgBoxHandler previous;
    MessageLog() {
        previous = platform::SetMsgBoxHandler([this](const std::string& p, int s, const std::string& t) {
            prompts.push_back(p);
            styles.push_back(s);
            titles.push_back(t);
            return platform::DefaultAnswer(s);
        });
    }
    ~MessageLog() { platform::SetMsgBoxHandler(previous); }
};

double Rel(double a, double b) { return std::fabs(a - b) / std::fabs(b); }

}  // namespace

// ---- Choleski ------------------------------------------------------------------------------------------

TEST(Choleski, SolvesPackedSystemMasksComponentsAndDetectsIndefinite) {
    // A = L Lᵀ with a known L; solve A y = A·(1, -2, 3).
    const double Lm[4][4] = {{0, 0, 0, 0}, {0, 2, 0, 0}, {0, 0.5, 1.5, 0}, {0, -1, 0.25, 3}};
    std::vector<double> a(7, 0.0);
    for (int j = 1; j <= 3; ++j)
        for (int k = 1; k <= j; ++k) {
            double s = 0;
            for (int l = 1; l <= 3; ++l) s += Lm[j][l] * Lm[k][l];
            a[j * (j - 1) / 2 + k] = s;
        }
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
    EXPECT_NEAR(a[1], 2, 1e-14);     // diagonal of the factor
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

    // [[1 2][2 1]] is indefinite; with parameter 2 on a bound only [1] is left, which is fine.
    std::vector<double> b{0, 1, 2, 1};
    std::array<double, 4> free2{0, 1, 1, 0}, bound2{0, 1, -2, 0};
    singular = 0;
    CholeskiZerlegung(2, b, free2, singular);
    EXPECT_EQ(singular, 1);
    b = {0, 1, 2, 1};
    singular = 0;
    CholeskiZerlegung(2, b, bound2, singular);
    EXPECT_EQ(singular, 0);
}

// ---- NIST Misra1a ---------------------------------------------------------------------------------------

TEST(Marquardt, Misra1aFromBothCertifiedStarts) {
    const double starts[2][2] = {{500, 1e-4}, {250, 5e-4}};
    for (const auto& st : starts) {
        SCOPED_TRACE(st[0]);
        TestObjective obj = MisraObjective();
        std::vector<double> B{0, st[0], st[1]}, SD;
        int failed = 99;
        MarquardtInfo info;
        MarquardtNashFitting(2, kMisraRows, B, SD, failed, obj, MarquardtSettings{}, &info);
        EXPECT_EQ(failed, kFitOk);
        EXPECT_LT(Rel(B[1], 238.94212918), 5e-7);
        EXPECT_LT(Rel(B[2], 5.5015643181e-4), 5e-7);
        EXPECT_LT(Rel(obj.SumAt(B), 0.12455138894), 1e-8);
        EXPECT_LT(Rel(SD[1], 2.7070075241), 5e-4);
        EXPECT_LT(Rel(SD[2], 7.2668688436e-6), 5e-4);
        EXPECT_EQ(info.S[1], kStateFree);
        EXPECT_EQ(info.S[2], kStateFree);
        EXPECT_LE(info.nEval, 200);
    }
}

// ---- Bounds and fixed parameters ------------------------------------------------------------------------

TEST(Marquardt, ParameterDrivenBelowLowerBoundRestsThere) {
    // The level b2 has its unconstrained optimum at about -0.3; from 1 it is driven onto 1e-7.
    const LineData d = NoisyLine(2.0, -0.3 - 2.0 * 5.0);  // y = 2 (x - 5) - 0.3 + noise; mean x is 5
    TestObjective obj = CenteredLineObjective(d);
    std::vector<double> B{0, 1.0, 1.0}, SD;
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(2, 10, B, SD, failed, obj, MarquardtSettings{}, &info);
    EXPECT_EQ(failed, kFitOk);
    EXPECT_EQ(B[2], 1e-7);
    EXPECT_EQ(info.S[2], kStateAtLower);
    EXPECT_EQ(SD[2], 0);
    // The slope does not depend on the level (closed form), its SD uses 10 - 2 degrees of freedom.
    double sxy = 0, sxx = 0;
    for (int i = 0; i < 10; ++i) {
        sxy += (d.x[i] - 5) * d.y[i];
        sxx += (d.x[i] - 5) * (d.x[i] - 5);
    }
    EXPECT_NEAR(B[1], sxy / sxx, 1e-9);
    EXPECT_NEAR(SD[1], std::sqrt(obj.SumAt(B) / 8 / sxx), 1e-6 * SD[1]);
}

TEST(Marquardt, StartOutsideBoundsIsMovedOntoThem) {
    // Start below the lower bound: starts there in state -2 and stays since the optimum is below.
    {
        const LineData d = NoisyLine(2.0, -10.3);
        TestObjective obj = CenteredLineObjective(d);
        std::vector<double> B{0, 1.0, 0.0}, SD;
        int failed = 99;
        MarquardtInfo info;
        MarquardtNashFitting(2, 10, B, SD, failed, obj, MarquardtSettings{}, &info);
        EXPECT_EQ(failed, kFitOk);
        EXPECT_EQ(B[2], 1e-7);
        EXPECT_EQ(info.S[2], kStateAtLower);
        ASSERT_FALSE(obj.evaluated.empty());
        EXPECT_EQ(obj.evaluated.front().B[2], 1e-7);
        EXPECT_NEAR(B[1], 2.0, 0.02);
    }
    // k2 above 2e5 starts at 2e5; the optimum 3e5 lies beyond, so it stays on the upper bound.
    {
        const LineData d = NoisyLine(2.0, 3e5);
        TestObjective obj = CenteredLineObjective(d);
        std::vector<double> B{0, 1.0, 5e5}, SD;
        int failed = 99;
        MarquardtInfo info;
        MarquardtNashFitting(2, 10, B, SD, failed, obj, MarquardtSettings{}, &info);
        EXPECT_EQ(failed, kFitOk);
        EXPECT_EQ(B[2], 2e5);
        EXPECT_EQ(info.S[2], kStateAtUpper);
        EXPECT_EQ(SD[2], 0);
        EXPECT_NEAR(B[1], 2.0, 0.02);
    }
}

TEST(Marquardt, BoundReleasedWhenGradientPointsInside) {
    // Start on the lower bound of a parameter whose optimum is well inside: it must leave the bound.
    const LineData d = NoisyLine(2.0, 0.7);
    TestObjective obj = LineObjective(d);
    std::vector<double> B{0, 1.0, -5.0}, SD;
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(2, 10, B, SD, failed, obj, MarquardtSettings{}, &info);
    EXPECT_EQ(failed, kFitOk);
    EXPECT_EQ(info.S[2], kStateFree);
    EXPECT_NEAR(B[2], 0.7, 0.05);
    EXPECT_GT(SD[2], 0);
}

TEST(Marquardt, UpperBoundOfFirstParameterDependsOnFitMode) {
    // y = k x with k = 5e5: isothermal modes stop at 1e5, the non-isothermal ones reach it.
    LineData d;
    for (int i = 1; i <= 5; ++i) {
        d.x.push_back(i);
        d.y.push_back(5e5 * i);
    }
    auto run = [&](int mode, MarquardtInfo& info) {
        TestObjective obj(5, [&d](int i, const std::vector<double>& B, std::vector<double>& J) {
            J[1] = d.x[i - 1];
            return B[1] * d.x[i - 1] - d.y[i - 1];
        });
        std::vector<double> B{0, 1.0, 0, 0}, SD;
        int failed = 99;
        MarquardtNashFitting(1, 5, B, SD, failed, obj, MarquardtStandard(mode, {}), &info);
        EXPECT_EQ(failed, kFitOk);
        return B[1];
    };
    MarquardtInfo info1, info6;
    EXPECT_EQ(run(1, info1), 1e5);
    EXPECT_EQ(info1.S[1], kStateAtUpper);
    EXPECT_NEAR(run(6, info6), 5e5, 1e-3);
    EXPECT_EQ(info6.S[1], kStateFree);
}

TEST(Marquardt, FixedParameterKeepsValueAndCountsAsMasked) {
    const LineData d = NoisyLine(2.0, 0.7);
    TestObjective obj = LineObjective(d);
    MarquardtSettings s;
    s.ParamFixiert = {0, 0, -1, 0};
    std::vector<double> B{0, 1.0, 0.5}, SD;
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(2, 10, B, SD, failed, obj, s, &info);
    EXPECT_EQ(failed, kFitOk);
    EXPECT_EQ(B[2], 0.5);
    EXPECT_EQ(info.S[2], kStateMasked);
    EXPECT_EQ(SD[2], 0);
    // Slope through the fixed intercept, and its standard deviation with 10 - 1 degrees of freedom.
    double sxy = 0, sxx = 0;
    for (int i = 0; i < 10; ++i) {
        sxy += d.x[i] * (d.y[i] - 0.5);
        sxx += d.x[i] * d.x[i];
    }
    const double slope = sxy / sxx;
    EXPECT_NEAR(B[1], slope, 1e-9);
    double rss = 0;
    for (int i = 0; i < 10; ++i) rss += std::pow(slope * d.x[i] + 0.5 - d.y[i], 2);
    EXPECT_NEAR(SD[1], std::sqrt(rss / 9 / sxx), 1e-6 * SD[1]);
}

TEST(Marquardt, AllParametersFixedReturnsStartAfterOneJacobian) {
    const LineData d = NoisyLine(2.0, 0.7);
    TestObjective obj = LineObjective(d);
    MarquardtSettings s;
    s.ParamFixiert = {0, -1, -1, 0};
    std::vector<double> B{0, 1.5, -3.0}, SD;  // a masked parameter keeps even a value outside its bounds
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(2, 10, B, SD, failed, obj, s, &info);
    EXPECT_EQ(failed, kFitOk);
    EXPECT_EQ(B[1], 1.5);
    EXPECT_EQ(B[2], -3.0);
    EXPECT_EQ(SD[1], 0);
    EXPECT_EQ(SD[2], 0);
    EXPECT_EQ(info.nJacobian, 1);
    EXPECT_EQ(info.nEval, 1);
}

// ---- Degrees of freedom -----------------------------------------------------------------------------

TEST(Marquardt, InactiveRowsDoNotCountAsDegreesOfFreedom) {
    // The same line once with 10 rows, once with 4 extra rows that contribute nothing.
    const LineData d = NoisyLine(2.0, 0.7);
    TestObjective plain = LineObjective(d);
    std::vector<double> B1{0, 1.0, 1.0}, SD1;
    int failed = 99;
    MarquardtNashFitting(2, 10, B1, SD1, failed, plain, MarquardtSettings{});
    ASSERT_EQ(failed, kFitOk);

    TestObjective padded(14, [d](int i, const std::vector<double>& B, std::vector<double>& J) {
        if (i > 10) {
            J[1] = J[2] = 0;
            return 0.0;
        }
        J[1] = d.x[i - 1];
        J[2] = 1;
        return B[1] * d.x[i - 1] + B[2] - d.y[i - 1];
    });
    padded.inactive = [](int i) { return i > 10; };
    std::vector<double> B2{0, 1.0, 1.0}, SD2;
    MarquardtNashFitting(2, 14, B2, SD2, failed, padded, MarquardtSettings{});
    ASSERT_EQ(failed, kFitOk);
    EXPECT_NEAR(B2[1], B1[1], 1e-12);
    EXPECT_NEAR(SD2[1], SD1[1], 1e-9 * SD1[1]);
    EXPECT_NEAR(SD2[2], SD1[2], 1e-9 * SD1[2]);

    // Classical standard errors of the line as an independent check.
    double sx = 0, sxx = 0;
    for (double x : d.x) {
        sx += x;
        sxx += x * x;
    }
    const double sxxc = sxx - sx * sx / 10;
    const double s2 = plain.SumAt(B1) / 8;
    EXPECT_NEAR(SD1[1], std::sqrt(s2 / sxxc), 1e-6 * SD1[1]);
    EXPECT_NEAR(SD1[2], std::sqrt(s2 * sxx / (10 * sxxc)), 1e-6 * SD1[2]);
}

TEST(Marquardt, AsManyContributingRowsAsParametersGiveNoStandardDeviations) {
    // Two real rows plus two inactive ones: the fit is exact, the SD cannot be computed.
    TestObjective obj(4, [](int i, const std::vector<double>& B, std::vector<double>& J) {
        if (i > 2) {
            J[1] = J[2] = 0;
            return 0.0;
        }
        const double x = i, y = 3 * i + 1;
        J[1] = x;
        J[2] = 1;
        return B[1] * x + B[2] - y;
    });
    obj.inactive = [](int i) { return i > 2; };
    std::vector<double> B{0, 1.0, 0.5}, SD;
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(2, 4, B, SD, failed, obj, MarquardtSettings{}, &info);
    EXPECT_EQ(failed, kFitOk);
    EXPECT_EQ(info.nContributing, 2);
    EXPECT_NEAR(B[1], 3, 1e-6);
    EXPECT_NEAR(B[2], 1, 1e-6);
    EXPECT_EQ(SD[1], kSingularSD);
    EXPECT_EQ(SD[2], kSingularSD);
}

// ---- Limits and failures ------------------------------------------------------------------------------

TEST(Marquardt, LimitsReturnBestAcceptedPoint) {
    // Evaluation limit (6 for two parameters) and Jacobian limit (2): the point returned is the best one
    // accepted, i.e. the lowest sum of every evaluation except a trial the limit cut short.
    for (int which = 0; which < 2; ++which) {
        SCOPED_TRACE(which);
        TestObjective obj = MisraObjective();
        MarquardtSettings s;
        (which == 0 ? s.EvalLimitPerParam : s.JacobianLimit) = which == 0 ? 3 : 2;
        std::vector<double> B{0, 500, 1e-4}, SD;
        int failed = 99;
        MarquardtInfo info;
        MarquardtNashFitting(2, kMisraRows, B, SD, failed, obj, s, &info);
        EXPECT_EQ(failed, kFitLimit);
        const std::size_t considered = which == 0 ? obj.evaluated.size() - 1 : obj.evaluated.size();
        if (which == 0) {
            EXPECT_EQ(obj.evaluated.size(), 7u);
        } else {
            EXPECT_EQ(info.nJacobian, 3);
        }
        double best = obj.evaluated[0].sum;
        for (std::size_t k = 0; k < considered; ++k) best = std::fmin(best, obj.evaluated[k].sum);
        EXPECT_EQ(obj.SumAt(B), best);
        EXPECT_LT(best, obj.evaluated[0].sum);
        EXPECT_EQ(SD[1], kSingularSD);
        EXPECT_EQ(SD[2], kSingularSD);
    }
}

TEST(Marquardt, LimitDuringProbingKeepsStandardDeviations) {
    // Find how many evaluations a one-parameter fit needs, then allow one fewer.
    auto makeObjective = [] {
        return TestObjective(5, [](int i, const std::vector<double>& B, std::vector<double>& J) {
            const double t = i, y = std::exp(-0.3 * t) + (i % 2 ? 0.01 : -0.01);
            J[1] = -t * std::exp(-B[1] * t);
            return std::exp(-B[1] * t) - y;
        });
    };
    TestObjective first = makeObjective();
    std::vector<double> B{0, 1.0, 0, 0}, SD;
    int failed = 99;
    MarquardtInfo info;
    MarquardtNashFitting(1, 5, B, SD, failed, first, MarquardtSettings{}, &info);
    ASSERT_EQ(failed, kFitOk);
    const std::vector<double> fullSD = SD;
    const int needed = info.nEval;

    TestObjective second = makeObjective();
    MarquardtSettings s;
    s.EvalLimitPerParam = needed - 1;
    std::vector<double> B2{0, 1.0, 0, 0}, SD2;
    MarquardtNashFitting(1, 5, B2, SD2, failed, second, s);
    EXPECT_EQ(failed, kFitLimit);
    EXPECT_GT(SD2[1], 0);
    EXPECT_DOUBLE_EQ(SD2[1], fullSD[1]);
    EXPECT_NEAR(B2[1], B[1], 1e-6);
}

TEST(Marquardt, FailedOrNonFiniteStartEndsWithRuntimeError) {
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant);
        MessageLog log;
        TestObjective obj = MisraObjective();
        if (variant == 0)
            obj.failSum = [](const std::vector<double>&) { return true; };
        else
            obj = TestObjective(kMisraRows, [](int, const std::vector<double>&, std::vector<double>& J) {
                J[1] = J[2] = 1;
                return std::numeric_limits<double>::infinity();
            });
        std::vector<double> B{0, 500, 1e-4}, SD;
        int failed = 99;
        MarquardtNashFitting(2, kMisraRows, B, SD, failed, obj, MarquardtSettings{});
        EXPECT_EQ(failed, kFitRuntimeError);
        EXPECT_EQ(B[1], 500);
        EXPECT_EQ(B[2], 1e-4);
        EXPECT_EQ(SD[1], kSingularSD);
        EXPECT_EQ(SD[2], kSingularSD);
        ASSERT_EQ(log.prompts.size(), 1u);
        EXPECT_EQ(log.titles[0], "Meldung von Sub MarquardtNashFitting");
        EXPECT_EQ(log.prompts[0].rfind("Fehler aufgetreten: \r\n", 0), 0u);
        EXPECT_EQ(log.styles[0], platform::vbCritical);
    }
}

TEST(Marquardt, FailedDerivativeRowReturnsAcceptedPoint) {
    MessageLog log;
    TestObjective obj = MisraObjective();
    int jacobianRows = 0;
    obj.failRow = [&](int, const std::vector<double>&) { return ++jacobianRows > kMisraRows; };  // second Jacobian
    std::vector<double> B{0, 500, 1e-4}, SD;
    int failed = 99;
    MarquardtNashFitting(2, kMisraRows, B, SD, failed, obj, MarquardtSettings{});
    EXPECT_EQ(failed, kFitRuntimeError);
    // The second Jacobian is taken at the first accepted point: the one with the lowest sum so far.
    double best = obj.evaluated[0].sum;
    for (const auto& e : obj.evaluated) best = std::fmin(best, e.sum);
    EXPECT_EQ(obj.SumAt(B), best);
    EXPECT_LT(best, obj.evaluated[0].sum);
    EXPECT_EQ(SD[1], kSingularSD);
    EXPECT_EQ(log.prompts.size(), 1u);
}

TEST(Marquardt, FailedOrNonFiniteTrialIsRejectedAndRunGoesOn) {
    // The first trial steps from (500, 1e-4) overshoot b2; let every point with b2 > 1e-3 fail.
    for (int variant = 0; variant < 2; ++variant) {
        SCOPED_TRACE(variant);
        MessageLog log;
        TestObjective obj = variant == 0 ? MisraObjective()
                                         : TestObjective(kMisraRows, [](int i, const std::vector<double>& B,
                                                                       std::vector<double>& J) {
                                               const double x = kMisraX[i - 1], e = std::exp(-B[2] * x);
                                               J[1] = 1 - e;
                                               J[2] = B[1] * x * e;
                                               if (B[2] > 1e-3) return std::numeric_limits<double>::quiet_NaN();
                                               return B[1] * (1 - e) - kMisraY[i - 1];
                                           });
        if (variant == 0) obj.failSum = [](const std::vector<double>& B) { return B[2] > 1e-3; };
        std::vector<double> B{0, 500, 1e-4}, SD;
        int failed = 99;
        MarquardtNashFitting(2, kMisraRows, B, SD, failed, obj, MarquardtSettings{});
        EXPECT_EQ(failed, kFitOk);
        EXPECT_LT(Rel(B[1], 238.94212918), 5e-7);
        EXPECT_LT(Rel(B[2], 5.5015643181e-4), 5e-7);
        EXPECT_TRUE(log.prompts.empty());
    }
}
