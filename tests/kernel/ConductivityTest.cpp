#include <gtest/gtest.h>

#include <cmath>

#include "kernel/Conductivity.h"
#include "kernel/State.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

namespace {

class Conductivity : public ktest::DataTest {
protected:
    // Expected y slots for data whose plotted quantity spans lo..hi.
    static void ExpectYRange(int lowerSlot, int upperSlot, double lo, double hi, double tol) {
        const double e = (hi - lo) / 5;
        EXPECT_NEAR(AchsenGrenzen[upperSlot], hi + e, tol);
        EXPECT_NEAR(AchsenGrenzen[lowerSlot], lo - 0.3 * e, tol);
    }
};
}  // namespace

// lambda(t) = linf + (l0 - linf)·exp(-k t), rising and falling: ln((linf - l)/(linf - l0)) = -k t.
TEST_F(Conductivity, FirstOrderDecayGivesLineOfSlopeMinusK) {
    const struct { double k, l0, linf, dt; int n; } cases[] = {{0.05, 1.0, 11.0, 5.0, 8}, {0.1, 9.0, 2.0, 2.0, 5}};
    for (const auto& cs : cases) {
        testsupport::ResetStartState();
        lambdaInf = cs.linf;
        lambdaNull = cs.l0;
        for (int i = 0; i <= cs.n; ++i) {
            AddRow(cs.dt * i, {}, 0, 0, static_cast<float>(cs.linf + (cs.l0 - cs.linf) * std::exp(-cs.k * cs.dt * i)));
        }
        LambdaEvalFirstOrder();
        EXPECT_EQ(AchsenGrenzen[0], 0.0f);
        EXPECT_NEAR(AchsenGrenzen[1], cs.dt * cs.n * 21 / 20, 1e-5);
        ExpectYRange(24, 25, -cs.k * cs.dt * cs.n, 0.0, 1e-5);
    }
}

TEST_F(Conductivity, SecondOrderGivesReciprocalConcentration) {
    // 2 A => P with c(A) = c0 / (1 + 2 k c0 t); lambda linear in c(A): the plot shows 1/c(A).
    const double k = 0.4, c0 = 0.5, l0 = 8.0, linf = 3.0;
    lambdaInf = linf;
    lambdaNull = l0;
    c0Mess[1] = static_cast<float>(c0);
    for (int i = 0; i <= 6; ++i) {
        const double c = c0 / (1 + 2 * k * c0 * 1.5 * i);
        AddRow(1.5 * i, {}, 0, 0, static_cast<float>(linf + (l0 - linf) * c / c0));
    }
    LambdaEvalSecondOrder();
    EXPECT_NEAR(AchsenGrenzen[1], 9.0 * 21 / 20, 1e-5);
    ExpectYRange(26, 27, 1 / c0, 1 / c0 + 2 * k * 9.0, 1e-4);
}

TEST_F(Conductivity, RowsWithUndefinedQuantityAreLeftOut) {
    lambdaInf = 3.0;
    AddRow(1, {}, 0, 0, 1.0f);   // ln 2
    AddRow(2, {}, 0, 0, 3.0f);   // ln 0: undefined
    AddRow(50, {}, 0, 0, 4.0f);  // ln(-1): undefined
    LambdaEvalFirstOrder();
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 1.05f);
    EXPECT_FLOAT_EQ(AchsenGrenzen[24], static_cast<float>(std::log(2.0)));
    EXPECT_FLOAT_EQ(AchsenGrenzen[25], static_cast<float>(std::log(2.0)));

    LambdaEvalSecondOrder();  // only lambda = linf has a zero divisor; 4.0 gives -3
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 52.5f);
    ExpectYRange(26, 27, -3.0, 1.5, 1e-5);
}
