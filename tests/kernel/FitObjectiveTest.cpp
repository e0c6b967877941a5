#include "kernel/FitObjective.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

namespace {

// Small deterministic disturbances for "measured" values.
const double kNoise[] = {0.012, -0.008, 0.015, -0.011, 0.004, -0.014, 0.009, 0.006, -0.01, 0.013, -0.005, 0.007, -0.012,
                         0.003, -0.009, 0.011, -0.004, 0.008, -0.013, 0.005, 0.01, -0.007, 0.002, -0.006,
                         0.009, -0.003, 0.006, -0.008};

using ktest::FitResult;

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
    EXPECT_EQ(f.B[2], -1e-7);
    EXPECT_EQ(f.SD[1], kSingularSD);
    EXPECT_EQ(ktest::OnlyMessage(msgs, 0), "16|Meldung von Sub MarquardtNashFitting|");
}

// ---- Modes 6 and 7 ------------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, NonIsothermalFitsRecoverBothParameters) {
    struct Case {
        const char* name;
        int variante, kT;
        double p1, p2, start1, start2, tol;
        std::function<double(double, double, double)> k;
        std::function<double(double, double)> decay;
    };
    const Case cases[] = {
        // Arrhenius from a low start, as the window advises.
        {"Arrhenius", 6, 1, 5e7, 50000, 1, 1, 1e-4, Arrhenius, FirstOrder},
        // Second order from c(A,0) = 0.5 mol/L.
        {"SecondOrder", 7, 1, 3e6, 40000, 1e6, 38000, 1e-3, Arrhenius,
         [](double k, double t) { return 1 / (1 / 0.5 + 2 * k * t); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpDaten.assign(1, ExpPunkt{});
        nMesspunkte = 0;
        DiagVariante = c.variante;
        kTFunktion = c.kT;
        c0Mess[1] = c.variante == 7 ? 0.5f : 1.0f;
        NonIsothermalRows(c.decay, [&](double T) { return c.k(c.p1, c.p2, T); });
        const FitResult r = Run(2, {0, c.start1, c.start2, 0}, FitSettings{});
        EXPECT_EQ(r.failed, kFitOk);
        EXPECT_NEAR(r.B[1], c.p1, c.tol * c.p1);
        EXPECT_NEAR(r.B[2], c.p2, c.tol * c.p2);
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
