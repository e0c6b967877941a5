#include <algorithm>
#include <limits>

#include "kernel/FitObjective.h"
#include "kernel/Marquardt.h"
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
    void CalcAbleitungen(int np, int i, std::vector<double>& B, double& r, std::vector<double>& J, int& err) override {
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

    struct Eval { std::vector<double> B; double sum; };
    std::vector<Eval> evaluated;
    std::function<bool(const std::vector<double>&)> failSum;
    std::function<bool(int, const std::vector<double>&)> failRow;
    int active = 1 << 30;  // rows above this one do not contribute

private:
    int rows_;
    Residual f_;
};

// What a fit gives back: parameters, standard deviations, the failure code and the run's counts.
struct FitResult {
    std::vector<double> B, SD;
    int failed = 99;
    kernel::MarquardtInfo info;
};

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
struct Line { std::vector<double> x, y; double c; };
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

TEST(Choleski, SolvesPackedSystemAndMasksComponents) {
    // A = L Lᵀ with L = (2; 0.5 1.5; -1 0.25 3), packed by rows; A·(1, -2, 3) = (-4, -4.375, 28.4375).
    const std::vector<double> A{0, 4, 1, 2.5, -2, -0.125, 10.0625};
    std::vector<double> a = A, x{0, -4, -4.375, 28.4375};
    std::array<double, 4> S{0, 1, 1, 1};
    int singular = 0;
    CholeskiZerlegung(3, a, S, singular);
    ASSERT_EQ(singular, 0);
    EXPECT_NEAR(a[1], 2, 1e-14);  // diagonal of the factor
    EXPECT_NEAR(a[6], 3, 1e-14);
    CholeskiRueck(3, a, S, x);
    const double y[] = {0, 1, -2, 3};
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(x[i], y[i], 1e-12);

    // Parameter 2 masked: the reduced system (4 -2; -2 10.0625)·z = (1, 2) of parameters 1 and 3, whose
    // determinant is 36.25; component 2 = 0.
    a = A;
    S = {0, 1, 0, 1};
    std::vector<double> rhs{0, 1, 7, 2};
    CholeskiZerlegung(3, a, S, singular);
    ASSERT_EQ(singular, 0);
    CholeskiRueck(3, a, S, rhs);
    EXPECT_NEAR(rhs[1], (10.0625 * 1 + 2 * 2) / 36.25, 1e-12);
    EXPECT_EQ(rhs[2], 0);
    EXPECT_NEAR(rhs[3], (4 * 2 + 2 * 1) / 36.25, 1e-12);
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
        EXPECT_EQ(std::pair(r.info.S[1], r.info.S[2]), std::pair(kStateFree, kStateFree));
        EXPECT_LE(r.info.nEval, 200);
    }
}

// ---- Bounds and fixed parameters ------------------------------------------------------------------------

TEST(Marquardt, BoundsHoldOrReleaseTheLevelAndFixedParametersKeepTheirValues) {
    // The level b2 of a line centred at 5: its optimum lies below the lower bound 1e-7, above the upper bound
    // 2e5, or inside (then a start below the bound must leave it); starts outside are moved onto the bound.
    // Last, the level of a line through x = 0 is fixed at 0.5, which leaves one more degree of freedom.
    const struct { double intercept, start, state, expected, slopeTol, centre; } cases[] = {
        {-10.3, 1.0, kStateAtLower, 1e-7, 1e-9, 5},  // optimum -0.3: driven onto the bound
        {3e5 - 10, 5e5, kStateAtUpper, 2e5, 0.02, 5}, {0.7 - 10, -5.0, kStateFree, 0.7, 1e-9, 5},
        {0.7, 0.5, kStateMasked, 0.5, 1e-9, 0}};
    for (const auto& c : cases) {
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

// ---- The fit objective of the measured data: the fit modes of the fitting window ----

using ktest::AddRow;

namespace {

// Small deterministic disturbances for "measured" values.
const double kNoise[] = {0.012, -0.008, 0.015, -0.011, 0.004, -0.014, 0.009, 0.006, -0.01, 0.013, -0.005, 0.007, -0.012,
                         0.003, -0.009, 0.011, -0.004, 0.008, -0.013, 0.005, 0.01, -0.007, 0.002, -0.006,
                         0.009, -0.003, 0.006, -0.008};

double FirstOrder(double k, double t) { return std::exp(-k * t); }
double Arrhenius(double A, double EA, double T) { return A * std::exp(-EA / (kGaskonstanteR * T)); }

class FitObjectiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetStartState();
        DiagVariante = 1;
        KurvenMaske = "10010";
        c0Wert[1] = 1.0;
        c0Mess[1] = 1.0f;
        tMax = 20;
    }
    void TearDown() override { testsupport::ResetStartState(); }
    static FitSettings Species(const std::vector<int>& slots) {
        FitSettings s;
        for (int slot : slots) s.chkConcFQS[slot] = true;
        return s;
    }
    static FitResult Run(int np, std::vector<double> start, const FitSettings& s) {
        FitResult r;
        r.B = std::move(start);
        MarquardtNashFitting(np, nMesspunkte, r.B, r.SD, r.failed, s, &r.info);
        return r;
    }
    // The objective's own sum of squares at p.
    static double SumAt(const FitSettings& s, std::vector<double> p, int* err = nullptr) {
        FitObjective obj(s);
        double sum = 0;
        int evals = 0, e = 0;
        obj.calcFQS_Marquardt(nMesspunkte, p, sum, evals, e);
        if (err) *err = e;
        return sum;
    }
    // Sum of squares written out directly from the measured rows and a model c(slot, t).
    static double IndependentSum(const std::function<double(int, double)>& model, const std::vector<int>& slots) {
        double sum = 0;
        for (int i = 1; i <= nMesspunkte; ++i) {
            const ExpPunkt& row = ExpDaten[i];
            if (row.exclude != 0) continue;
            double r = 0;
            for (int s : slots) r += std::fabs(model(s, row.t) - row.c[s]);
            sum += r * r;
        }
        return sum;
    }
    // Golden-section minimisation of f on [a, b].
    static double MinimiseOn(const std::function<double(double)>& f, double a, double b) {
        const double g = (std::sqrt(5.0) - 1) / 2;
        while (b - a > 1e-13) {
            if (f(b - g * (b - a)) < f(a + g * (b - a)))
                b = a + g * (b - a);
            else
                a = b - g * (b - a);
        }
        return (a + b) / 2;
    }
    // Rows for the non-isothermal modes: fraction (mode 6) or concentration (mode 7) of A at three temperatures.
    static void NonIsothermalRows(const std::function<double(double k, double t)>& decay,
                                  const std::function<double(double T)>& k, double noise = 0) {
        int n = 0;
        for (double T : {300.0, 310.0, 320.0})
            for (int j = 0; j < 6; ++j) AddRow(2.0 * j, {decay(k(T), 2.0 * j) + noise * kNoise[n++]}, T);
    }

    testsupport::MsgRecorder msgs;
};
}  // namespace

// ---- Modes 1 and 2 ----------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, Mode1FirstOrderMatchesOneDimensionalMinimum) {
    const double c0 = 0.8, kTrue = 0.23;
    c0Wert[1] = c0;
    for (int i = 0; i < 13; ++i) {
        const double t = 1.5 * i, a = c0 * std::exp(-kTrue * t);
        AddRow(t, {a + 0.5 * kNoise[i], 0, 0, c0 - a - 0.5 * kNoise[i]});  // P measured through the mass balance
    }
    auto model = [c0](double k) {
        return [c0, k](int s, double t) { return s == 1 ? c0 * std::exp(-k * t) : c0 * (1 - std::exp(-k * t)); };
    };
    // Species A alone, then A and P together: the row residual is the sum of both absolute deviations, so
    // with P from the mass balance the sum is four times that of A alone.
    for (const std::vector<int>& slots : {std::vector<int>{1}, std::vector<int>{1, 4}}) {
        SCOPED_TRACE(slots.size());
        const double kRef = MinimiseOn([&](double k) { return IndependentSum(model(k), slots); }, 0.01, 2.0);
        const FitResult r = Run(1, {0, 0.05, 0, 0}, Species(slots));
        EXPECT_EQ(r.failed, kFitOk);
        EXPECT_NEAR(r.B[1], kRef, 1e-7 * kRef);
        EXPECT_GT(r.SD[1], 0);
        EXPECT_LT(r.SD[1], 0.1 * kRef);
        int err = 1;
        EXPECT_NEAR(SumAt(Species(slots), r.B, &err), IndependentSum(model(r.B[1]), slots), 1e-14);
        EXPECT_EQ(err, 0);
        EXPECT_EQ(kWert[1], r.B[1]);
    }
}

TEST_F(FitObjectiveTest, Mode2RecoversRateConstantAndOrder) {
    DiagVariante = 2;
    aktModell = 20;
    HalbwertszeitNumerisch = kTrue;
    const double k = 0.3, n = 1.7;
    // n-th order closed form with c0 = 1: c = (1 + (n-1) k t)^(1/(1-n)).
    for (int t = 0; t < 13; ++t) AddRow(t, {std::pow(1 + (n - 1) * k * t, 1 / (1 - n))});
    const FitResult r = Run(2, {0, 0.1, 1.2, 0}, Species({1}));
    EXPECT_EQ(r.failed, kFitOk);
    EXPECT_NEAR(r.B[1], k, 0.005 * k);
    EXPECT_NEAR(r.B[2], n, 0.005 * n);
    SumAt(Species({1}), r.B);
    EXPECT_EQ(ReaktOrdnung, static_cast<float>(r.B[2]));  // the objective leaves the order as a Single
}

TEST_F(FitObjectiveTest, FailedModelEvaluationIsReportedNotIgnored) {
    // Model 17 with k1 = 0 cannot be evaluated (division by k1); nor with k2/k1 = -1 (no real equilibrium root).
    aktModell = 17;
    KurvenMaske = "11010";
    c0Wert = {0, 1.0, 0.8, 0, 0, 0};
    for (int i = 1; i <= 4; ++i) AddRow(i, {0.5});
    FitObjective obj(Species({1}));
    std::vector<double> p{0, 0.0, 0.1, 0}, J(3, 0.0);
    double r = 0;
    int err = 0;
    SumAt(Species({1}), p, &err);
    EXPECT_NE(err, 0);
    obj.CalcAbleitungen(2, 1, p, r, J, err);
    EXPECT_NE(err, 0);
    EXPECT_EQ(p[1], 0.0);  // restored

    // A failure at the start ends the run and keeps the start point: k1 starts on its bound 1e-7, k2 is
    // fixed, outside its bounds.
    FitSettings s = Species({1});
    s.ParamFixiert = {0, 0, -1, 0};
    const FitResult f = Run(2, {0, 0.0, -1e-7, 0}, s);
    EXPECT_EQ(f.failed, kFitRuntimeError);
    EXPECT_EQ(f.B[1], 1e-7);
    EXPECT_EQ(f.B[2], -1e-7);  // the standard deviations and the message: the Marquardt failure table's part
}

// ---- Modes 6 and 7 ------------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, NonIsothermalFitsRecoverBothParameters) {
    // Arrhenius constants from fractions of a first-order decay (mode 6), from a low start as the window
    // advises, and from concentrations of a second-order decay from c(A,0) = 0.5 mol/L (mode 7).
    const struct { int variante; double A, EA, startA, startEA, tol; std::function<double(double, double)> decay; } cases[] = {
        {6, 5e7, 50000, 1, 1, 1e-4, FirstOrder},
        {7, 3e6, 40000, 1e6, 38000, 1e-3, [](double k, double t) { return 1 / (1 / 0.5 + 2 * k * t); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.variante);
        ExpDaten.assign(1, ExpPunkt{});
        nMesspunkte = 0;
        DiagVariante = c.variante;
        c0Mess[1] = c.variante == 7 ? 0.5f : 1.0f;
        NonIsothermalRows(c.decay, [&](double T) { return Arrhenius(c.A, c.EA, T); });
        const FitResult r = Run(2, {0, c.startA, c.startEA, 0}, FitSettings{});
        EXPECT_EQ(r.failed, kFitOk);
        EXPECT_NEAR(r.B[1], c.A, c.tol * c.A);
        EXPECT_NEAR(r.B[2], c.EA, c.tol * c.EA);
    }
}

TEST_F(FitObjectiveTest, NonIsothermalRowsWithoutTemperatureDoNotCount) {
    DiagVariante = 6;
    NonIsothermalRows(FirstOrder, [](double T) { return Arrhenius(5e7, 50000, T); }, 0.5);
    const FitResult r1 = Run(2, {0, 1e7, 45000, 0}, FitSettings{});
    ASSERT_EQ(r1.failed, kFitOk);

    AddRow(3.0, {0.2}, 0);                 // no temperature
    AddRow(3.0, {0.2}, -5);                // negative temperature
    AddRow(3.0, {0.2}, 310, 0, 0, kTrue);  // inactive
    const FitResult r2 = Run(2, {0, 1e7, 45000, 0}, FitSettings{});
    ASSERT_EQ(r2.failed, kFitOk);
    EXPECT_NEAR(r2.B[1], r1.B[1], 1e-9 * r1.B[1]);
    EXPECT_NEAR(r2.SD[1], r1.SD[1], 1e-6 * r1.SD[1]);
    EXPECT_NEAR(r2.SD[2], r1.SD[2], 1e-6 * r1.SD[2]);
}

TEST_F(FitObjectiveTest, Mode7WithoutInitialConcentrationIsRefused) {
    DiagVariante = 7;
    c0Mess[1] = 0;
    NonIsothermalRows(FirstOrder, [](double) { return 0.1; });
    const FitResult r = Run(2, {0, 100, 100, 0}, FitSettings{});
    EXPECT_EQ(r.failed, kFitRefused);
    EXPECT_EQ(r.B[1], 100);
    EXPECT_EQ(r.B[2], 100);
    EXPECT_EQ(ktest::OnlyMessage(msgs),
              "16| Ausführung nicht möglich |Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein.");
}
