#include <gtest/gtest.h>

#include "kernel/RuntimeError.h"
#include "kernel/StirredTank.h"
#include "tests/kernel/ReactorTestSupport.h"

using namespace reactortest;
using kernel::CalcContiKessel;

namespace {

struct Case {
    int model;
    double k1, k2, k3;
    Conc c0;
};

// A first-order, a second-order, a consecutive and a reversible model, and the rest of the twenty.
const Case kFour[] = {{2, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}},
                      {4, 0.15, 0, 0, {0, 1, 1.5, 0, 0, 0}},
                      {6, 0.15, 0.1, 0, {0, 1, 0, 0.05, 0, 0}},
                      {8, 0.5, 0.1, 0, {0, 1, 0, 0, 0.1, 0}}};
const Case kOthers[] = {{1, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}},         {3, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}},
                        {5, 0.15, 0, 0, {0, 1, 0, 0, 0.01, 0.02}},   {9, 0.15, 0.1, 0, {0, 1, 1.2, 0, 0, 0}},
                        {10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}}, {11, 0.15, 0.05, 0, {0, 1, 0, 0, 0, 0}},
                        {12, 0.15, 0.01, 0, {0, 1, 0.8, 0, 0.1, 0}},  {13, 0.15, 0.1, 0.005, {0, 1, 1.2, 0, 0, 0}},
                        {14, 0.15, 0.1, 0.005, {0, 1, 0, 0, 0, 0}},   {15, 0.15, 0.2, 0.15, {0, 1, 0, 0.1, 0, 0}},
                        {16, 0.15, 0, 0, {0, 1, 0, 0, 0.01, 0}},      {17, 0.15, 0.01, 0, {0, 1, 0.7, 0, 0.2, 0}},
                        {18, 0.15, 0.1, 0.005, {0, 1, 1.3, 0, 0, 0}}, {19, 0.15, 0.01, 0, {0, 1, 0.9, 0, 0.1, 0.05}}};

struct TankResult {
    double U = 0, V = 0, Vdot = 0, tau = 0;
    Conc c{};
    kernel::ExtentVector ksi{};
    int errA = 0, errB = 0;
};

TankResult Tank(int mode, double U, double V, double Vdot, double tau) {
    TankResult r{U, V, Vdot, tau};
    CalcContiKessel(kernel::aktModell, mode, kernel::c0Wert, r.U, r.V, r.Vdot, r.tau, r.c, r.ksi, r.errA, r.errB);
    return r;
}

double ResidualOf(const Case& k, const TankResult& r) { return Residual(k.model, k.c0, r.c, r.tau, k.k1, k.k2, k.k3); }

}  // namespace

TEST(StirredTank, EveryModeGivesTheSameSteadyState) {
    for (const Case& k : kFour) {
        SCOPED_TRACE(k.model);
        UseModel(k.model, k.k1, k.k2, k.k3, k.c0);
        const TankResult m3 = Tank(3, 0, 2.0, 0, 4.0);
        ASSERT_EQ(m3.errA | m3.errB, 0);
        EXPECT_DOUBLE_EQ(m3.Vdot, 0.5);
        EXPECT_LT(ResidualOf(k, m3), 1e-9);
        EXPECT_NEAR(m3.U, (k.c0[1] - m3.c[1]) / k.c0[1], 1e-15);
        EXPECT_GT(m3.U, 0.05);

        const TankResult m4 = Tank(4, 0, 0, 0.5, 4.0);
        const TankResult m2 = Tank(2, 0, 2.0, 0.5, 0);
        EXPECT_DOUBLE_EQ(m4.V, 2.0);
        EXPECT_DOUBLE_EQ(m2.tau, 4.0);
        const TankResult m0 = Tank(0, m3.U, 2.0, 0, 0);
        const TankResult m1 = Tank(1, m3.U, 0, 0.5, 0);
        ASSERT_EQ(m0.errA | m0.errB | m1.errA | m1.errB, 0);
        EXPECT_NEAR(m0.tau, 4.0, 1e-9);
        EXPECT_NEAR(m0.Vdot, 0.5, 1e-9);
        EXPECT_NEAR(m1.V, 2.0, 1e-9);
        EXPECT_LT(ResidualOf(k, m0), 1e-9);
        for (int s = 1; s <= 5; ++s) {
            EXPECT_NEAR(m4.c[s], m3.c[s], 1e-12);
            EXPECT_NEAR(m2.c[s], m3.c[s], 1e-12);
            EXPECT_NEAR(m1.c[s], m3.c[s], 1e-9);
        }
        EXPECT_NEAR(m1.ksi[1], m3.ksi[1], 1e-9);
    }
}

TEST(StirredTank, ResidenceTimeModeSolvesEveryModel) {
    for (const Case& k : kOthers) {
        SCOPED_TRACE(k.model);
        UseModel(k.model, k.k1, k.k2, k.k3, k.c0);
        for (double tau : {0.5, 5.0, 60.0}) {
            if (k.model == 1 && tau * k.k1 > k.c0[1]) continue;  // A runs out: no balance of a zero-order rate
            const TankResult r = Tank(3, 0, 1.0, 0, tau);
            ASSERT_EQ(r.errA | r.errB, 0) << tau;
            EXPECT_LT(ResidualOf(k, r), 1e-9) << tau;
            for (int s = 1; s <= 5; ++s) EXPECT_GE(r.c[s], -1e-12) << tau << " slot " << s;
        }
    }
}

TEST(StirredTank, SearchModelsMeetTheBalanceToTheSearchStep) {
    UseModel(7, 0.15, 0.05, 0, {0, 1, 1.2, 0, 0, 0});
    const TankResult r7 = Tank(3, 0, 1.0, 0, 6.0);
    ASSERT_EQ(r7.errA | r7.errB, 0);
    EXPECT_LT(Residual(7, kernel::c0Wert, r7.c, 6.0, 0.15, 0.05, 0), 1e-6);
    // The conversion found gives back the residence time in the conversion mode.
    const TankResult back = Tank(0, r7.U, 1.0, 0, 0);
    EXPECT_NEAR(back.tau, 6.0, 1e-5);
    EXPECT_LT(Residual(7, kernel::c0Wert, back.c, back.tau, 0.15, 0.05, 0), 1e-9);

    UseModel(20, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}, 1.5f);
    const TankResult r20 = Tank(3, 0, 1.0, 0, 6.0);
    ASSERT_EQ(r20.errA | r20.errB, 0);
    EXPECT_LT(Residual(20, kernel::c0Wert, r20.c, 6.0, 0.15, 0, 0, 1.5), 1e-6);
}

TEST(StirredTank, ModeOutsideTheRangeOnlyClears) {
    UseModel(2, 0.15, 0, 0, {0, 1, 0, 0, 0, 0});
    TankResult r{0.3, 1, 1, 1};
    r.c = {9, 9, 9, 9, 9, 9};
    r.ksi = {9, 9, 9, 9};
    CalcContiKessel(2, 5, kernel::c0Wert, r.U, r.V, r.Vdot, r.tau, r.c, r.ksi, r.errA, r.errB);
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(r.c[s], 0.0);
    EXPECT_EQ(r.ksi[3], 0.0);
    EXPECT_EQ(r.U, 0.3);
    EXPECT_EQ(r.errA | r.errB, 0);
}

// The enzyme of E + S <=> ES => P + E is given back: all substrate can react at a long residence time.
TEST(StirredTankFaults, EnzymeModelRegeneratesTheEnzyme) {
    const Case k{10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}};
    UseModel(k.model, k.k1, k.k2, k.k3, k.c0);
    const TankResult r = Tank(3, 0, 1.0, 0, 2000.0);
    ASSERT_EQ(r.errA | r.errB, 0);
    EXPECT_LT(ResidualOf(k, r), 1e-9);
    EXPECT_NEAR(r.c[1] + r.c[3], 0.5, 1e-12);
    EXPECT_LT(r.c[2], 0.5 * 5);  // more than half of S reacted
    EXPECT_NEAR(r.c[5], r.ksi[2], 1e-15);  // slot 5 gets the product extent, as in model 18
    EXPECT_NEAR(r.c[4], r.ksi[2], 1e-15);

    // Given the conversion of E (the bound fraction): the residence time that gives it back.
    const TankResult u = Tank(0, r.U, 1.0, 0, 0);
    ASSERT_EQ(u.errA | u.errB, 0);
    EXPECT_LT(ResidualOf(k, u), 1e-9);
    EXPECT_NEAR(u.c[1], (1 - r.U) * 0.5, 1e-12);
    EXPECT_NEAR(u.c[5], u.ksi[2], 1e-15);
    const TankResult again = Tank(3, 0, 1.0, 0, u.tau);
    EXPECT_NEAR(again.U, r.U, 1e-9);
}

TEST(StirredTankFaults, ReversibleModelsWithEqualConstantsKeepTheirInput) {
    UseModel(19, 0.15, 0.15, 0, {0, 1, 0.9, 0, 0.1, 0.05});
    const TankResult r = Tank(3, 0, 1.0, 0, 5.0);
    EXPECT_EQ(kernel::kWert[2], 0.15);
    ASSERT_EQ(r.errA | r.errB, 0);
    EXPECT_LT(Residual(19, kernel::c0Wert, r.c, 5.0, 0.15, 0.15, 0), 1e-12);

    UseModel(12, 0.2, 0.05, 0, {0, 1, 0.8, 0, 0.1, 0});
    const TankResult r12 = Tank(4, 0, 0, 1.0, 5.0);
    ASSERT_EQ(r12.errA | r12.errB, 0);
    EXPECT_LT(Residual(12, kernel::c0Wert, r12.c, 5.0, 0.2, 0.05, 0), 1e-12);
}

TEST(StirredTankFaults, ConversionBeyondEquilibriumIsNotReachable) {
    UseModel(8, 0.5, 0.1, 0, {0, 1, 0, 0, 0, 0});  // equilibrium conversion 5/6
    MessageRecorder rec;
    const TankResult r = Tank(0, 0.9, 2.0, 7.0, 3.0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].prompt, std::string(kernel::kMsgNotReachable));
    EXPECT_EQ(rec.messages[0].title, " Ausführung nicht möglich ");
    EXPECT_EQ(rec.messages[0].style, 16);
    EXPECT_EQ(r.errA, -1);
    EXPECT_EQ(r.tau, 0.0);
    EXPECT_EQ(r.Vdot, 7.0);  // not derived
}

TEST(StirredTankFaults, UnreachableEnzymeConversionSetsTheFlag) {
    UseModel(10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0});
    MessageRecorder rec;
    const TankResult r = Tank(1, 1.0, 3.0, 2.0, 4.0);  // all enzyme bound: no residence time gives it
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].prompt,
              "Der vorgegebene Umsatz ist mit diesen Konzentrationen nicht erreichbar.\r\n"
              "(Testen Sie durch Vorgabe der Verweilzeit)");
    EXPECT_EQ(r.errA, -1);
    EXPECT_EQ(r.tau, 0.0);
    EXPECT_EQ(r.V, 3.0);
}

TEST(StirredTankFaults, TooLittleBForModel17) {
    UseModel(17, 0.15, 0.01, 0, {0, 1, 0.3, 0, 0, 0});
    MessageRecorder rec;
    const TankResult r = Tank(0, 0.5, 1.0, 1.0, 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].prompt, "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.");
    EXPECT_EQ(r.errA, -1);
}

TEST(StirredTankFaults, NthOrderModelConvertsOneAIntoOneP) {
    UseModel(20, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}, 1.5f);
    ASSERT_EQ(kernel::StoechMatrix[1][1], -1.5f);  // the matrix window's view stays
    const TankResult r = Tank(1, 0.6, 0, 1.0, 0);
    ASSERT_EQ(r.errA | r.errB, 0);
    EXPECT_NEAR(r.c[4], 0.1 + 0.6, 1e-15);
    EXPECT_NEAR(r.ksi[1], 0.6, 1e-15);
    EXPECT_LT(Residual(20, kernel::c0Wert, r.c, r.tau, 0.15, 0, 0, 1.5), 1e-9);
}

TEST(StirredTank, NotEnoughBForAGivenConversion) {
    MessageRecorder rec;
    UseModel(9, 0.15, 0.1, 0, {0, 1, 0.3, 0, 0, 0});
    const TankResult r9 = Tank(0, 0.5, 1.0, 1.0, 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].prompt, std::string(kernel::kMsgNotEnoughBTest));
    EXPECT_EQ(r9.errA, -1);
    EXPECT_NEAR(r9.c[2], 0.3 - 0.5, 1e-15);  // written before the test

    UseModel(7, 0.15, 0.05, 0, {0, 1, 0.1, 0, 0, 0});
    const TankResult r7 = Tank(1, 0.9, 0, 1.0, 3.0);
    EXPECT_EQ(r7.errA, -1);
    EXPECT_EQ(r7.tau, 0.0);
    for (int s = 1; s <= 4; ++s) EXPECT_EQ(r7.c[s], 0.0);
    EXPECT_EQ(rec.messages.size(), 1u);  // model 7 shows no message
}

TEST(StirredTank, ZeroResidenceTimeIsARunTimeError) {
    UseModel(2, 0.15, 0, 0, {0, 1, 0, 0, 0, 0});
    EXPECT_THROW(Tank(3, 0, 1.0, 0, 0.0), kernel::RuntimeError);
    EXPECT_THROW(Tank(2, 0, 1.0, 0.0, 0), kernel::RuntimeError);
}
