#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "kernel/FitObjective.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"

using namespace kernel;

namespace {

// Small deterministic disturbances for "measured" values.
const double kNoise[] = {0.012, -0.008, 0.015, -0.011, 0.004, -0.014, 0.009, 0.006, -0.01, 0.013, -0.005, 0.007, -0.012,
                         0.003, -0.009, 0.011, -0.004, 0.008, -0.013, 0.005, 0.01, -0.007, 0.002, -0.006,
                         0.009, -0.003, 0.006, -0.008};

class FitObjectiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedState_ = {DiagVariante, kTFunktion, aktModell, HalbwertszeitNumerisch, MMDiagramm, KurvenMaske,
                       c0Wert, c0Mess, kWert, ReaktOrdnung, tMax, ExpDaten, nMesspunkte};
        saved_ = platform::SetMsgBoxHandler([this](const std::string& p, int s, const std::string& t) {
            prompts.push_back(p);
            styles.push_back(s);
            titles.push_back(t);
            return platform::DefaultAnswer(s);
        });
        DiagVariante = 1;
        kTFunktion = 1;
        aktModell = 2;
        HalbwertszeitNumerisch = 0;
        MMDiagramm = 0;
        KurvenMaske = "10010";
        c0Wert = {0, 1.0, 0, 0, 0, 0};
        c0Mess = {0, 1.0f, 0, 0, 0, 0};
        kWert = {0, 0, 0, 0};
        ReaktOrdnung = 1.5f;
        tMax = 20;
        ExpDaten.assign(1, ExpPunkt{});
        nMesspunkte = 0;
    }
    void TearDown() override {
        platform::SetMsgBoxHandler(saved_);
        const SharedState& st = savedState_;
        DiagVariante = st.DiagVariante;
        kTFunktion = st.kTFunktion;
        aktModell = st.aktModell;
        HalbwertszeitNumerisch = st.HalbwertszeitNumerisch;
        MMDiagramm = st.MMDiagramm;
        KurvenMaske = st.KurvenMaske;
        c0Wert = st.c0Wert;
        c0Mess = st.c0Mess;
        kWert = st.kWert;
        ReaktOrdnung = st.ReaktOrdnung;
        tMax = st.tMax;
        ExpDaten = st.ExpDaten;
        nMesspunkte = st.nMesspunkte;
    }
    static void AddRow(double t, double cA, double cP = 0, double T = 0, int exclude = 0) {
        ExpPunkt row;
        row.t = t;
        row.c[1] = cA;
        row.c[4] = cP;
        row.T = T;
        row.exclude = exclude;
        ExpDaten.push_back(row);
        nMesspunkte = static_cast<int>(ExpDaten.size()) - 1;
    }
    static FitSettings Species(const std::vector<int>& slots) {
        FitSettings s;
        for (int slot : slots) s.chkConcFQS[slot] = true;
        return s;
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
        double x1 = b - g * (b - a), x2 = a + g * (b - a), f1 = f(x1), f2 = f(x2);
        while (b - a > 1e-13) {
            if (f1 < f2) {
                b = x2;
                x2 = x1;
                f2 = f1;
                x1 = b - g * (b - a);
                f1 = f(x1);
            } else {
                a = x1;
                x1 = x2;
                f1 = f2;
                x2 = a + g * (b - a);
                f2 = f(x2);
            }
        }
        return (a + b) / 2;
    }
    // Rows for the non-isothermal modes: fraction (mode 6) or concentration (mode 7) of A at three temperatures.
    static void NonIsothermalRows(const std::function<double(double k, double t)>& decay,
                                  const std::function<double(double T)>& k, double noise) {
        int n = 0;
        for (double T : {300.0, 310.0, 320.0})
            for (int j = 0; j < 6; ++j) {
                const double t = 2.0 * j;
                AddRow(t, decay(k(T), t) + noise * kNoise[n++], 0, T);
            }
    }

    std::vector<std::string> prompts, titles;
    std::vector<int> styles;

private:
    // The shared state these tests change, restored afterwards for the other kernel tests.
    struct SharedState {
        int DiagVariante, kTFunktion, aktModell, HalbwertszeitNumerisch, MMDiagramm;
        std::string KurvenMaske;
        std::array<double, 6> c0Wert;
        std::array<float, 6> c0Mess;
        std::array<double, 4> kWert;
        float ReaktOrdnung;
        double tMax;
        std::vector<ExpPunkt> ExpDaten;
        int nMesspunkte;
    };
    SharedState savedState_;
    platform::MsgBoxHandler saved_;
};

double FirstOrder(double k, double t) { return std::exp(-k * t); }

}  // namespace

// ---- Mode 1 -----------------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, Mode1FirstOrderMatchesOneDimensionalMinimum) {
    const double c0 = 0.8, kTrue = 0.23;
    c0Wert[1] = c0;
    for (int i = 0; i < 13; ++i) {
        const double t = 1.5 * i, a = c0 * std::exp(-kTrue * t);
        AddRow(t, a + 0.5 * kNoise[i], c0 - a - 0.5 * kNoise[i]);  // P measured through the mass balance
    }
    auto model = [c0](double k) {
        return [c0, k](int s, double t) { return s == 1 ? c0 * std::exp(-k * t) : c0 * (1 - std::exp(-k * t)); };
    };
    // Species A alone, then A and P together: the row residual is the sum of both absolute deviations, so
    // with P from the mass balance the sum is four times that of A alone.
    for (int both = 0; both < 2; ++both) {
        SCOPED_TRACE(both);
        const std::vector<int> slots = both ? std::vector<int>{1, 4} : std::vector<int>{1};
        const double kRef = MinimiseOn([&](double k) { return IndependentSum(model(k), slots); }, 0.01, 2.0);

        std::vector<double> B{0, 0.05, 0, 0}, SD;
        int failed = 99;
        MarquardtNashFitting(1, nMesspunkte, B, SD, failed, Species(slots));
        EXPECT_EQ(failed, kFitOk);
        EXPECT_NEAR(B[1], kRef, 1e-7 * kRef);
        EXPECT_GT(SD[1], 0);
        EXPECT_LT(SD[1], 0.1 * kRef);
        // The objective's own sum agrees with the independent one.
        FitObjective obj(Species(slots));
        double sum = 0;
        int evals = 0, err = 0;
        obj.calcFQS_Marquardt(nMesspunkte, B, sum, evals, err);
        EXPECT_EQ(err, 0);
        EXPECT_EQ(evals, 1);
        EXPECT_NEAR(sum, IndependentSum(model(B[1]), slots), 1e-14);
        EXPECT_EQ(kWert[1], B[1]);
    }
}

TEST_F(FitObjectiveTest, InactiveRowsContributeNothing) {
    for (int i = 0; i < 8; ++i) AddRow(2.0 * i, std::exp(-0.2 * 2.0 * i) + kNoise[i]);
    AddRow(3.0, 5.0, 0, 0, kTrue);  // wildly off, but inactive
    FitObjective obj(Species({1}));
    std::vector<double> p{0, 0.2, 0, 0}, J(2, 1.0);
    double r = 1, sum = 0;
    int err = 0, evals = 0;
    obj.CalcAbleitungen(1, 9, p, r, J, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(J[1], 0);
    EXPECT_FALSE(obj.RowContributes(9));
    EXPECT_TRUE(obj.RowContributes(1));
    obj.calcFQS_Marquardt(9, p, sum, evals, err);
    EXPECT_NEAR(sum, IndependentSum([](int, double t) { return std::exp(-0.2 * t); }, {1}), 1e-15);

    // No species ticked: every residual and the sum are 0.
    FitObjective none(FitSettings{});
    none.calcFQS_Marquardt(9, p, sum, evals, err);
    EXPECT_EQ(sum, 0);
}

TEST_F(FitObjectiveTest, InactiveRowsLeaveStandardDeviationsUnchanged) {
    for (int i = 0; i < 10; ++i) AddRow(2.0 * i, std::exp(-0.2 * 2.0 * i) + kNoise[i]);
    std::vector<double> B1{0, 0.05, 0, 0}, SD1;
    int failed = 99;
    MarquardtNashFitting(1, nMesspunkte, B1, SD1, failed, Species({1}));
    ASSERT_EQ(failed, kFitOk);
    for (int i = 0; i < 5; ++i) AddRow(1.0 + i, 0.3, 0, 0, kTrue);
    std::vector<double> B2{0, 0.05, 0, 0}, SD2;
    MarquardtInfo info;
    MarquardtNashFitting(1, nMesspunkte, B2, SD2, failed, Species({1}), &info);
    ASSERT_EQ(failed, kFitOk);
    EXPECT_EQ(info.nContributing, 10);
    EXPECT_NEAR(B2[1], B1[1], 1e-12);
    EXPECT_NEAR(SD2[1], SD1[1], 1e-9 * SD1[1]);
}

TEST_F(FitObjectiveTest, FailedModelEvaluationIsReportedNotIgnored) {
    // Model 17 with k1 = 0 cannot be evaluated (division by k1).
    aktModell = 17;
    KurvenMaske = "11010";
    c0Wert = {0, 1.0, 0.8, 0, 0, 0};
    AddRow(1.0, 0.5);
    FitObjective obj(Species({1}));
    std::vector<double> p{0, 0.0, 0.1, 0};
    double r = 0, sum = 0;
    int err = 0, evals = 0;
    obj.CalcResiduals(1, p, r, err);
    EXPECT_NE(err, 0);
    obj.calcFQS_Marquardt(1, p, sum, evals, err);
    EXPECT_NE(err, 0);
    std::vector<double> J(3, 0.0);
    obj.CalcAbleitungen(2, 1, p, r, J, err);
    EXPECT_NE(err, 0);
    EXPECT_EQ(p[1], 0.0);  // restored
    // A valid point of the same model evaluates.
    p[1] = 0.4;
    obj.CalcResiduals(1, p, r, err);
    EXPECT_EQ(err, 0);
}

// ---- Mode 2 -------------------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, Mode2RecoversRateConstantAndOrder) {
    DiagVariante = 2;
    aktModell = 20;
    HalbwertszeitNumerisch = kTrue;
    const double kTrueK = 0.3, nTrue = 1.7, c0 = 1.0;
    c0Wert[1] = c0;
    tMax = 20;
    // n-th order closed form: c = (c0^(1-n) + (n-1) k t)^(1/(1-n)).
    for (int i = 0; i < 13; ++i) {
        const double t = i;
        AddRow(t, std::pow(std::pow(c0, 1 - nTrue) + (nTrue - 1) * kTrueK * t, 1 / (1 - nTrue)));
    }
    std::vector<double> B{0, 0.1, 1.2, 0}, SD;
    int failed = 99;
    MarquardtNashFitting(2, nMesspunkte, B, SD, failed, Species({1}));
    EXPECT_EQ(failed, kFitOk);
    EXPECT_NEAR(B[1], kTrueK, 0.005 * kTrueK);
    EXPECT_NEAR(B[2], nTrue, 0.005 * nTrue);
    // The objective leaves the order as a Single.
    FitObjective obj(Species({1}));
    double sum = 0;
    int evals = 0, err = 0;
    obj.calcFQS_Marquardt(nMesspunkte, B, sum, evals, err);
    EXPECT_EQ(ReaktOrdnung, static_cast<float>(B[2]));
}

// ---- Modes 6 and 7 ------------------------------------------------------------------------------------------

TEST_F(FitObjectiveTest, Mode6ArrheniusRecoversFactorAndActivationEnergy) {
    DiagVariante = 6;
    kTFunktion = 1;
    const double A = 5e7, EA = 50000;
    auto k = [&](double T) { return A * std::exp(-EA / (kGaskonstanteR * T)); };
    NonIsothermalRows(FirstOrder, k, 0);
    std::vector<double> B{0, 1, 1, 0}, SD;  // a low start, as the window advises
    int failed = 99;
    MarquardtNashFitting(2, nMesspunkte, B, SD, failed, FitSettings{});
    EXPECT_EQ(failed, kFitOk);
    EXPECT_NEAR(B[1], A, 1e-4 * A);
    EXPECT_NEAR(B[2], EA, 1e-4 * EA);
}

TEST_F(FitObjectiveTest, Mode6AnalyticDerivativesMatchDifferences) {
    DiagVariante = 6;
    kTFunktion = 1;
    AddRow(4.0, 0.4, 0, 310);
    FitObjective obj(FitSettings{});
    std::vector<double> p{0, 5e7, 50000, 0}, J(3, 0.0);
    double r = 0;
    int err = 0;
    obj.CalcAbleitungen(2, 1, p, r, J, err);
    ASSERT_EQ(err, 0);
    auto res = [&](double a, double e) { return std::exp(-a * std::exp(-e / (kGaskonstanteR * 310)) * 4.0) - 0.4; };
    EXPECT_NEAR(r, res(5e7, 50000), 1e-15);
    EXPECT_NEAR(J[1], (res(5e7 * (1 + 1e-6), 50000) - res(5e7 * (1 - 1e-6), 50000)) / (1e-6 * 1e8), 1e-6 * std::fabs(J[1]));
    EXPECT_NEAR(J[2], (res(5e7, 50000.05) - res(5e7, 49999.95)) / 0.1, 1e-6 * std::fabs(J[2]));
}

TEST_F(FitObjectiveTest, Mode6EyringAndMode7SecondOrder) {
    // Eyring: k = p1 T exp(-h/(R T)), derivatives by forward differences.
    {
        DiagVariante = 6;
        kTFunktion = 2;
        const double p1 = 2e5, h = 45000;
        NonIsothermalRows(FirstOrder, [&](double T) { return p1 * T * std::exp(-h / (kGaskonstanteR * T)); }, 0);
        std::vector<double> B{0, 1e5, 43000, 0}, SD;
        int failed = 99;
        MarquardtNashFitting(2, nMesspunkte, B, SD, failed, FitSettings{});
        EXPECT_EQ(failed, kFitOk);
        EXPECT_NEAR(B[1], p1, 1e-3 * p1);
        EXPECT_NEAR(B[2], h, 1e-3 * h);
    }
    // Second order from c(A,0) = 0.5 mol/L.
    {
        ExpDaten.assign(1, ExpPunkt{});
        DiagVariante = 7;
        kTFunktion = 1;
        c0Mess[1] = 0.5f;
        const double A = 3e6, EA = 40000;
        NonIsothermalRows([](double k, double t) { return 1 / (1 / 0.5 + 2 * k * t); },
                          [&](double T) { return A * std::exp(-EA / (kGaskonstanteR * T)); }, 0);
        std::vector<double> B{0, 1e6, 38000, 0}, SD;
        int failed = 99;
        MarquardtNashFitting(2, nMesspunkte, B, SD, failed, FitSettings{});
        EXPECT_EQ(failed, kFitOk);
        EXPECT_NEAR(B[1], A, 1e-3 * A);
        EXPECT_NEAR(B[2], EA, 1e-3 * EA);
    }
}

TEST_F(FitObjectiveTest, NonIsothermalRowsWithoutTemperatureDoNotCount) {
    DiagVariante = 6;
    kTFunktion = 1;
    const double A = 5e7, EA = 50000;
    auto k = [&](double T) { return A * std::exp(-EA / (kGaskonstanteR * T)); };
    NonIsothermalRows(FirstOrder, k, 0.5);
    std::vector<double> B1{0, 1e7, 45000, 0}, SD1;
    int failed = 99;
    MarquardtNashFitting(2, nMesspunkte, B1, SD1, failed, FitSettings{});
    ASSERT_EQ(failed, kFitOk);

    AddRow(3.0, 0.2, 0, 0);          // no temperature
    AddRow(3.0, 0.2, 0, -5);         // negative temperature
    AddRow(3.0, 0.2, 0, 310, kTrue); // inactive
    FitObjective obj(FitSettings{});
    for (int i = nMesspunkte - 2; i <= nMesspunkte; ++i) {
        std::vector<double> J(3, 1.0);
        double r = 1;
        int err = 0;
        obj.CalcAbleitungen(2, i, B1, r, J, err);
        EXPECT_EQ(r, 0);
        EXPECT_EQ(J[1], 0);
        EXPECT_EQ(J[2], 0);
        EXPECT_FALSE(obj.RowContributes(i));
    }
    std::vector<double> B2{0, 1e7, 45000, 0}, SD2;
    MarquardtNashFitting(2, nMesspunkte, B2, SD2, failed, FitSettings{});
    ASSERT_EQ(failed, kFitOk);
    EXPECT_NEAR(B2[1], B1[1], 1e-9 * B1[1]);
    EXPECT_NEAR(SD2[1], SD1[1], 1e-6 * SD1[1]);
    EXPECT_NEAR(SD2[2], SD1[2], 1e-6 * SD1[2]);
}

TEST_F(FitObjectiveTest, NonIsothermalResidualEdgeCases) {
    DiagVariante = 6;
    AddRow(0.0, 0.9, 0, 300);   // t = 0: residual 1 - c(A) whatever k
    AddRow(2.0, -1.0, 0, 300);  // a negative c(A) is used as it is
    FitObjective obj(FitSettings{});
    std::vector<double> p{0, 1e9, 1000, 0};
    double r = 0;
    int err = 0;
    obj.CalcResiduals(1, p, r, err);
    EXPECT_NEAR(r, 0.1, 1e-15);
    obj.CalcResiduals(2, p, r, err);
    EXPECT_NEAR(r, std::exp(-1e9 * std::exp(-1000 / (kGaskonstanteR * 300)) * 2) + 1.0, 1e-15);

    // Mode 7 at t = 0 gives c0 - c(A); a zero denominator is a failure, not a value.
    DiagVariante = 7;
    c0Mess[1] = 0.5f;
    obj.CalcResiduals(1, p, r, err);
    EXPECT_EQ(err, 0);
    EXPECT_NEAR(r, 0.5 - 0.9, 1e-15);
    c0Mess[1] = -1.0f;
    std::vector<double> q{0, 0.25 * std::exp(0.0), 0, 0};  // EA = 0: k = 0.25, 2 k t = 1 = -1/c0
    obj.CalcResiduals(2, q, r, err);
    EXPECT_NE(err, 0);
}

TEST_F(FitObjectiveTest, Mode7WithoutInitialConcentrationIsRefused) {
    DiagVariante = 7;
    c0Mess[1] = 0;
    NonIsothermalRows(FirstOrder, [](double) { return 0.1; }, 0);
    std::vector<double> B{0, 100, 100, 0}, SD;
    int failed = 99;
    MarquardtNashFitting(2, nMesspunkte, B, SD, failed, FitSettings{});
    EXPECT_EQ(failed, kFitRefused);
    EXPECT_EQ(B[1], 100);
    EXPECT_EQ(B[2], 100);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0], "Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein.");
    EXPECT_EQ(titles[0], " Ausführung nicht möglich ");
    EXPECT_EQ(styles[0], platform::vbCritical);
}

TEST_F(FitObjectiveTest, FailureAtStartEndsRunAndKeepsStartPoint) {
    // Model 17 with k2/k1 = -1 has no real equilibrium root: the start point cannot be evaluated.
    aktModell = 17;
    KurvenMaske = "11010";
    c0Wert = {0, 1.0, 0.8, 0, 0, 0};
    for (int i = 1; i <= 4; ++i) AddRow(i, 0.5);
    std::vector<double> B{0, 0.0, -1e-7, 0}, SD;  // k1 starts on its bound 1e-7; k2 is fixed, outside its bounds
    int failed = 99;
    FitSettings s = Species({1});
    s.ParamFixiert = {0, 0, -1, 0};
    MarquardtNashFitting(2, nMesspunkte, B, SD, failed, s);
    EXPECT_EQ(failed, kFitRuntimeError);
    EXPECT_EQ(B[1], 1e-7);
    EXPECT_EQ(B[2], -1e-7);
    EXPECT_EQ(SD[1], kSingularSD);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(titles[0], "Meldung von Sub MarquardtNashFitting");
}
