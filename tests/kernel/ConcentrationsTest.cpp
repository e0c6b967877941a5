#include <gtest/gtest.h>

#include <cmath>

#include "kernel/Concentrations.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"

using namespace kernel;

namespace {

class Concentrations : public ::testing::Test {
protected:
    void SetUp() override {
        KurvenMaske = "11111";
        DiagVariante = 0;
        SpezSkalierung = 0;
        MMDiagramm = 0;
        SmoothingFactor = 0;
        c0Wert = {0, 1.0, 0.6, 0.1, 0.2, 0.05};
        kWert = {0, 0.15, 0.05, 0.02};
    }
    ConcVector At(int model, double t, int expectErr = 0) {
        ConcVector c;
        c.fill(-7.0);
        int err = 5;
        CalcKonzentrationen(model, t, c, err);
        EXPECT_EQ(err, expectErr);
        return c;
    }
};

}  // namespace

TEST_F(Concentrations, ClosedFormsStartAtTheInitialValuesAndMatchTheTimeCourse) {
    const struct { int model; const char* slots; } cases[] = {
        {1, "10010"}, {2, "10010"}, {3, "10010"}, {4, "11010"}, {5, "10011"}, {6, "10110"},
        {8, "10010"}, {11, "10011"}, {12, "11010"}, {16, "10011"}, {17, "11010"}, {19, "11011"},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.model);
        const ConcVector c0 = At(cs.model, 0.0);
        aktModell = cs.model;
        int err = 0;
        CalcZeitverlauf(cs.model, 40.0, err);
        ASSERT_EQ(err, 0);
        const ConcVector c = At(cs.model, tWerte[137]);
        for (int s = 1; s <= 5; ++s) {
            if (cs.slots[s - 1] == '1') {
                EXPECT_NEAR(c0[s], c0Wert[s], 1e-15);
                EXPECT_DOUBLE_EQ(c[s], cKurve(s)[137]);
            } else {
                EXPECT_EQ(c[s], -7.0);  // the caller's value stays
            }
        }
    }
}

TEST_F(Concentrations, ReversibleFirstOrderUsesTheInitialProduct) {
    // A <=> P: A(t) = Ae + (A0 - Ae)·exp(-(k1 + k2)·t) with Ae = k2·(A0 + P0)/(k1 + k2).
    const double total = 1.2, ae = 0.05 * total / 0.2;
    const ConcVector c = At(8, 7.0);
    EXPECT_NEAR(c[1], ae + (1.0 - ae) * std::exp(-0.2 * 7.0), 1e-14);
    EXPECT_NEAR(c[1] + c[4], total, 1e-14);
    // Without A at the start, P falls back towards the equilibrium.
    c0Wert[1] = 0;
    const ConcVector d = At(8, 7.0);
    EXPECT_NEAR(d[4], 0.2 * (0.15 + 0.05 * std::exp(-1.4)) / 0.2, 1e-14);
    // Irreversible limit k2 = 0.
    c0Wert[1] = 1;
    kWert[2] = 0;
    EXPECT_NEAR(At(8, 3.0)[1], std::exp(-0.45), 1e-14);
    // k1 + k2 = 0 is a failure, reported through err.
    kWert = {0, 0.1, -0.1, 0};
    At(8, 3.0, kTrue);
}

TEST_F(Concentrations, ModelNineteenHasItsClosedFormAndReportsNoSolution) {
    // Equilibrium for long times: k1·A·B = k2·P·Q.
    const ConcVector c = At(19, 1e4);
    EXPECT_NEAR(0.15 * c[1] * c[2], 0.05 * c[4] * c[5], 1e-12);
    EXPECT_NEAR(c[1] + c[4], 1.2, 1e-12);
    kWert = {0, 0.2, -0.1, 0};
    c0Wert = {0, 1, 1, 0, 0, 0};
    const ConcVector d = At(19, 1.0, kTrue);
    EXPECT_EQ(d[1], -7.0);
    kWert = {0, 1.0, -1.0, 0};  // model 17 without a real root
    At(17, 1.0, kTrue);
}

TEST_F(Concentrations, IntegratedModelsReadTheSplineOfTheLastRun) {
    KurvenMaske = "11110";
    aktModell = 9;
    int err = 0;
    CalcZeitverlauf(9, 50.0, err);
    for (int i : {0, 17, 200, 201}) {
        const ConcVector c = At(9, tWerte[static_cast<std::size_t>(i)]);
        for (int s = 1; s <= 4; ++s) EXPECT_NEAR(c[s], cKurve(s)[static_cast<std::size_t>(i)], 1e-14);
        EXPECT_EQ(c[5], -7.0);
    }
    // Between knots close to the curve, beyond the last knot the straight continuation.
    const ConcVector mid = At(9, 12.3);
    EXPECT_NEAR(mid[1], cKurveA[49] + (cKurveA[50] - cKurveA[49]) * 0.2, 1e-4);
    const double a60 = At(9, 60.0)[1], a70 = At(9, 70.0)[1], a80 = At(9, 80.0)[1];
    EXPECT_NEAR(a80 - a70, a70 - a60, 1e-13);
    EXPECT_NEAR((a70 - a60) / 10.0, rKurveA[201], 1e-3 * std::fabs(rKurveA[201]));  // the end slope
}

TEST_F(Concentrations, MichaelisMentenAbscissa) {
    MMDiagramm = kTrue;
    MMNormiert = 0;
    KMichaelis = 0.04;
    const ConcVector c = At(10, 0.04);
    EXPECT_DOUBLE_EQ(c[1], 0.5);
    EXPECT_EQ(c[2], -7.0);
    MMDiagramm = 0;
    // Models without a curve write nothing and succeed.
    EXPECT_EQ(At(500, 1.0)[1], -7.0);
    EXPECT_EQ(At(0, 1.0)[1], -7.0);
}
