// Curve data of the stirred-tank and cascade diagrams against the steady states of first-order
// tanks in closed form, the grids, the staircase of the cascade profile and the axis proposals.

#include <algorithm>

#include "simulation/ReactorCurves.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using simulation::CalcCSTRDiagramm;
using simulation::CalcKaskadenDiagramm;
using simulation::CalcKaskadenProfil;

namespace {

class ReactorCurvesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetStartState();
        RedimCurves(300);
        SpezSkalierungStoff = 1;
    }
};

using ktest::UseModel;

}  // namespace

TEST_F(ReactorCurvesTest, StirredTankGridFollowsOneOverOnePlusKTau) {
    const double k = 0.2, tau = 5;
    UseModel(2, k, 0, 0, {0, 1, 0, 0, 0, 0});
    // The window's last results must survive the grid.
    UmsatzU = 0.123;
    VPunkt = 7;
    KsiWerte = {0, 0.4, 0.5, 0};
    cAktuell = {0, 0.9, 0, 0, 0.1, 0};
    ConcVector unused{};
    bool fehler = true;
    CalcCSTRDiagramm(2, tau, c0Wert, unused, fehler);
    EXPECT_FALSE(fehler);
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_DOUBLE_EQ(tWerte[0], 1e-6);
    EXPECT_NEAR(tWerte[200], 10.000001, 1e-9);
    double yMax = 0;
    for (int j = 0; j <= 200; ++j) {
        const double a = 1 / (1 + k * tWerte[j]);
        EXPECT_NEAR(cKurveA[j], a, 1e-9) << j;
        EXPECT_NEAR(cKurveP[j], 1 - a, 1e-9) << j;
        yMax = std::max(yMax, a);
    }
    EXPECT_TRUE(UmsatzU == 0.123 && VPunkt == 7 && KsiWerte[1] == 0.4 && cAktuell[1] == 0.9);
    // Axes: 0..2 tau, y up to 2 % above the largest value.
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 10);
    EXPECT_NEAR(AchsenGrenzen[3], static_cast<float>(yMax) * 1.02f, 1e-6);
}

// With special scaling the y axis spans the chosen species (P) alone.
TEST_F(ReactorCurvesTest, StirredTankSpecialScalingSpansTheChosenSpecies) {
    UseModel(2, 0.5, 0, 0, {0, 2, 0, 0, 0, 0});
    SpezSkalierung = kTrue;
    SpezSkalierungStoff = 4;
    ConcVector unused{};
    bool fehler = true;
    CalcCSTRDiagramm(2, 4, c0Wert, unused, fehler);
    const double pMin = 2 - 2 / (1 + 0.5 * 1e-6), pMax = 2 - 2 / (1 + 0.5 * (8 + 1e-6));
    const double top = pMax + std::fabs(pMax - pMin) * 0.02;
    EXPECT_NEAR(AchsenGrenzen[3], top, 1e-5);
    EXPECT_NEAR(AchsenGrenzen[2], pMin - std::fabs(top - pMin) * 0.02, 1e-5);
}

// 280 points over the stage axis after an inlet stretch of two: 93 points per stage for three stages
// (2..94, 95..187, 188..280); six stages take 47 each and write beyond the shown points, into arrays
// enlarged for them.
TEST_F(ReactorCurvesTest, CascadeProfileIsAStaircaseOverTheStageAxis) {
    for (const int n : {3, 6}) {
        SCOPED_TRACE(std::to_string(n) + " stages");
        RedimCurves(200);
        ConcVector c0{0, 1, 0, 0, 0, 0};
        ConcMatrix stages(static_cast<std::size_t>(n + 1), ConcVector{});
        for (int i = 1; i <= n; ++i) stages[i] = {0, std::pow(0.5, i), 0, 0, 1 - std::pow(0.5, i), 0};
        int fehler = -1;
        CalcKaskadenProfil(2, c0, stages, n, fehler);
        EXPECT_EQ(fehler, 0);
        ASSERT_EQ(nZeitPunkte, 280);
        const int per = n == 3 ? 93 : 47;
        ASSERT_GE(tWerte.size(), static_cast<std::size_t>(2 + n * per));
        EXPECT_TRUE(tWerte[0] == 0 && cKurveA[0] == 1 && cKurveA[1] == 1);  // the inlet stretch
        for (int j = 2; j <= 1 + n * per; ++j) {
            const int stage = (j - 2) / per + 1;
            EXPECT_EQ(cKurveA[j], stages[stage][1]) << j;
            EXPECT_EQ(cKurveP[j], stages[stage][4]) << j;
            if (j <= 280) {
                EXPECT_NEAR(tWerte[j] - tWerte[j - 1], n / 280.0, 1e-12) << j;
            }
        }
        EXPECT_NEAR(tWerte[280], n, 1e-9);
        EXPECT_FLOAT_EQ(AchsenGrenzen[1], n);
    }
}

TEST_F(ReactorCurvesTest, CascadeDiagramGivesTheOutletOfNEqualTanks) {
    const double k = 0.3, tau = 6;
    UseModel(2, k, 0, 0, {0, 1, 0, 0, 0, 0});
    nKaskade = 3;
    UmsatzU = 0.42;
    KsiWerte = {0, 0.1, 0, 0};
    ConcMatrix cK(2, ConcVector{});
    ConcMatrix cOut(9, ConcVector{});
    bool fehler = true;
    CalcKaskadenDiagramm(2, tau, cK, cOut, fehler);
    EXPECT_FALSE(fehler);
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_DOUBLE_EQ(tWerte[0], 1e-8);
    EXPECT_NEAR(tWerte[200], 12 + 1e-8, 1e-9);
    for (int j = 0; j <= 200; ++j) {
        const double a = 1 / std::pow(1 + k * tWerte[j] / 3, 3);
        EXPECT_NEAR(cKurveA[j], a, 1e-9) << j;
        EXPECT_NEAR(cKurveP[j], 1 - a, 1e-9) << j;
    }
    // The tables hold the stages of the last grid point; the window's results are kept.
    ASSERT_EQ(cOut.size(), 4u);
    ASSERT_GE(cK.size(), 5u);
    const double f = 1 / (1 + k * (12 + 1e-8) / 3);
    EXPECT_NEAR(cOut[1][1], f, 1e-9);
    EXPECT_NEAR(cK[2][1], f, 1e-9);
    EXPECT_NEAR(cK[4][1], f * f * f, 1e-9);
    EXPECT_TRUE(UmsatzU == 0.42 && KsiWerte[1] == 0.1);
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 12);
}

// A + B => C, C + A => P (model 7) with too little B: the grid points the solvers flag are gaps and
// count nothing for the axes; without any computable point the procedures report the failure.
TEST_F(ReactorCurvesTest, FlaggedGridPointsAreGapsOutsideTheAxisProposal) {
    testsupport::MsgRecorder messages;  // the solver tells of each flagged point itself
    struct Case {
        double b0, tau;
        bool cascade;
    };
    for (const Case c : {Case{0.4, 500, false}, Case{0.2, 5, false}, Case{0.4, 1500, true}, Case{0.2, 5, true}}) {
        SCOPED_TRACE(std::to_string(c.b0) + (c.cascade ? " cascade" : " tank"));
        UseModel(7, 0.15, 0.05, 0, {0, 1, c.b0, 0, 0, 0});
        KurvenMaske = "11110";
        nKaskade = 3;
        bool fehler = false;
        ConcVector unused{};
        ConcMatrix cK(2, ConcVector{}), cOut(9, ConcVector{});
        if (c.cascade) CalcKaskadenDiagramm(7, c.tau, cK, cOut, fehler);
        else CalcCSTRDiagramm(7, c.tau, c0Wert, unused, fehler);
        int gaps = 0;
        float yMax = c.cascade ? 1.0f : -10000.0f;  // the cascade's proposal starts at the inlet
        for (int j = 0; j <= 200; ++j) {
            const bool gap = std::isnan(cKurveA[j]);
            for (double (*curve)(int) : {+[](int i) { return cKurveB[i]; }, +[](int i) { return cKurveC[i]; },
                                         +[](int i) { return cKurveP[i]; }})
                EXPECT_EQ(std::isnan(curve(j)), gap) << j;
            if (gap) {
                ++gaps;
                continue;
            }
            for (double v : {cKurveA[j], cKurveB[j], cKurveC[j], cKurveP[j]}) {
                EXPECT_TRUE(std::isfinite(v)) << j;
                yMax = std::max(yMax, static_cast<float>(v));
            }
        }
        if (c.b0 < 0.3) {
            EXPECT_TRUE(fehler);
            EXPECT_EQ(gaps, 201);
            continue;
        }
        EXPECT_FALSE(fehler);
        EXPECT_GT(gaps, 0);
        EXPECT_LT(gaps, 201);
        EXPECT_NEAR(AchsenGrenzen[3], yMax * 1.02f, 1e-6);
    }
}
