#include "kernel/Cascade.h"
#include "kernel/ResidenceTime.h"
#include "kernel/StirredTank.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace ktest;

namespace {

struct TankResult {
    double U = 0, V = 0, Vdot = 0, tau = 0;
    Conc c{};
    kernel::ExtentVector ksi{};
    int errA = 0, errB = 0;
};

TankResult Tank(int mode, double U, double V, double Vdot, double tau) {
    TankResult r{U, V, Vdot, tau};
    kernel::CalcContiKessel(kernel::aktModell, mode, kernel::c0Wert, r.U, r.V, r.Vdot, r.tau, r.c, r.ksi, r.errA, r.errB);
    return r;
}

double ResidualOf(const Case& k, const TankResult& r) { return Residual(k.model, k.c0, r.c, r.tau, k.k1, k.k2, k.k3); }

}  // namespace

// A first-order, a second-order, a consecutive and a reversible model in all five modes.
TEST(StirredTank, EveryModeGivesTheSameSteadyState) {
    const Case four[] = {{2, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}}, {4, 0.15, 0, 0, {0, 1, 1.5, 0, 0, 0}},
                         {6, 0.15, 0.1, 0, {0, 1, 0, 0.05, 0, 0}}, {8, 0.5, 0.1, 0, {0, 1, 0, 0, 0.1, 0}}};
    for (const Case& k : four) {
        SCOPED_TRACE(k.model);
        UseModel(k);
        // Mode 3 (V, tau) is checked by the balance; modes 4 (V*, tau), 2 (V, V*), 0 (U, V) and 1 (U, V*) must
        // give its tank: V = 2, V* = 0.5, tau = 4. The searches of modes 0 and 1 meet it to 1e-9.
        const TankResult m3 = Tank(3, 0, 2.0, 0, 4.0);
        EXPECT_LT(ResidualOf(k, m3), 1e-9);
        EXPECT_NEAR(m3.U, (k.c0[1] - m3.c[1]) / k.c0[1], 1e-15);
        const std::pair<TankResult, double> modes[] = {
            {m3, 0}, {Tank(4, 0, 0, 0.5, 4.0), 1e-12}, {Tank(2, 0, 2.0, 0.5, 0), 1e-12},
            {Tank(0, m3.U, 2.0, 0, 0), 1e-9}, {Tank(1, m3.U, 0, 0.5, 0), 1e-9}};
        for (const auto& [r, tol] : modes) {
            ASSERT_EQ(r.errA | r.errB, 0);
            EXPECT_NEAR(r.V, 2.0, 1e-9);
            EXPECT_NEAR(r.Vdot, 0.5, 1e-9);
            EXPECT_NEAR(r.tau, 4.0, 1e-9);
            for (int s = 1; s <= 5; ++s) EXPECT_NEAR(r.c[s], m3.c[s], tol) << s;
            EXPECT_NEAR(r.ksi[1], m3.ksi[1], 1e-9);
        }
    }
}

// The search models 7 and 20 meet the balance to their search step only.
TEST(StirredTank, ResidenceTimeModeSolvesEveryModel) {
    const Case others[] = {
        {1, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}},          {5, 0.15, 0, 0, {0, 1, 0, 0, 0.01, 0.02}},
        {7, 0.15, 0.05, 0, {0, 1, 1.2, 0, 0, 0}},     {12, 0.15, 0.01, 0, {0, 1, 0.8, 0, 0.1, 0}},
        {13, 0.15, 0.1, 0.005, {0, 1, 1.2, 0, 0, 0}}, {15, 0.15, 0.2, 0.15, {0, 1, 0, 0.1, 0, 0}},
        {17, 0.15, 0.01, 0, {0, 1, 0.7, 0, 0.2, 0}},  {20, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}},
        // Model 19 with k1 = k2 and model 12 with k1 = 4·k2 get their linear solutions.
        {19, 0.15, 0.15, 0, {0, 1, 0.9, 0, 0.1, 0.05}}, {12, 0.2, 0.05, 0, {0, 1, 0.8, 0, 0.1, 0}},
        {10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}}};
    for (const Case& k : others) {
        SCOPED_TRACE(k.model);
        UseModel(k);
        for (double tau : {0.5, 5.0, 60.0, 2000.0}) {
            if (k.model == 1 && tau * k.k1 > k.c0[1]) continue;  // A runs out: no balance of a zero-order rate
            const TankResult r = Tank(3, 0, 1.0, 0, tau);
            ASSERT_EQ(r.errA | r.errB, 0) << tau;
            EXPECT_LT(ResidualOf(k, r), k.model == 7 || k.model == 20 ? 1e-6 : 1e-9) << tau;
            EXPECT_EQ(kernel::kWert[2], k.k2);  // the user's input stays
            for (int s = 1; s <= 5; ++s) EXPECT_GE(r.c[s], -1e-12) << tau << " slot " << s;
        }
    }
}

// The enzyme model given the conversion of E (the bound fraction): the residence time that gives it back.
TEST(StirredTankFaults, EnzymeModelGivenTheBoundFraction) {
    const Case k{10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}};
    UseModel(k);
    const TankResult u = Tank(0, 0.3, 1.0, 0, 0);
    ASSERT_EQ(u.errA | u.errB, 0);
    EXPECT_LT(ResidualOf(k, u), 1e-9);
    EXPECT_NEAR(u.c[1], 0.7 * 0.5, 1e-12);
    EXPECT_NEAR(Tank(3, 0, 1.0, 0, u.tau).U, 0.3, 1e-9);
}

// Given conversions that cannot be reached: the message, errA = -1, tau = 0, no V or V*.
TEST(StirredTankFaults, UnreachableConversionsSetTheFlag) {
    const std::string m3 = "Der vorgegebene Umsatz ist mit diesen Konzentrationen nicht erreichbar.\r\n"
                           "(Testen Sie durch Vorgabe der Verweilzeit)";
    const struct { Case k; int mode; double U; std::string prompt; } cases[] = {
        {{8, 0.5, 0.1, 0, {0, 1, 0, 0, 0, 0}}, 0, 0.9, m3},  // beyond the equilibrium conversion 5/6
        {{10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}}, 1, 1.0, m3},  // all enzyme bound
        {{17, 0.15, 0.01, 0, {0, 1, 0.3, 0, 0, 0}}, 0, 0.5,
         "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend."},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.k.model);
        UseModel(cs.k);
        testsupport::MsgRecorder rec;
        const TankResult r = Tank(cs.mode, cs.U, 2.0, 7.0, 3.0);
        EXPECT_EQ(r.errA, -1);
        EXPECT_EQ(OnlyMessage(rec), "16| Ausführung nicht möglich |" + cs.prompt);
        if (cs.k.model != 17) {
            EXPECT_EQ(r.tau, 0.0);
            EXPECT_EQ(cs.mode == 0 ? r.Vdot : r.V, cs.mode == 0 ? 7.0 : 2.0);  // not derived
        }
    }
}

TEST(StirredTankFaults, NthOrderModelConvertsOneAIntoOneP) {
    UseModel(20, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}, 1.5f);
    const TankResult r = Tank(1, 0.6, 0, 1.0, 0);
    ASSERT_EQ(r.errA | r.errB, 0);
    EXPECT_NEAR(r.c[4], 0.1 + 0.6, 1e-15);
    EXPECT_NEAR(r.ksi[1], 0.6, 1e-15);
    EXPECT_LT(Residual(20, kernel::c0Wert, r.c, r.tau, 0.15, 0, 0, 1.5), 1e-9);
}

// ---- Cascade of stirred tanks ----

namespace {

// Stages 1..N run the way the cascade window runs them: feed in row 1 of cKaskade, each outlet copied on.
struct CascadeRun {
    std::vector<double> UStage;
    kernel::ConcMatrix cOut;
    std::vector<int> err;  // errA | errB per stage
    std::vector<kernel::ExtentVector> ksi;
    std::vector<double> stageVdot;  // V* after each stage
    double V = 0, Vdot = 0;
};

CascadeRun RunCascade(int N, int mode, double tauPerTank, double V, double Vdot, double fill = 0) {
    const auto rows = static_cast<std::size_t>(N) + 2;
    CascadeRun r{std::vector<double>(rows), kernel::ConcMatrix(rows, {0, fill, fill, fill, fill, fill}),
                 std::vector<int>(rows), std::vector<kernel::ExtentVector>(rows), {}, V, Vdot};
    kernel::cKaskade.assign(rows, {});
    kernel::cKaskade[1] = kernel::c0Wert;
    for (std::size_t s = 1; s <= static_cast<std::size_t>(N); ++s) {
        int errA = 0, errB = 0;
        kernel::CalcKaskadenStufe(static_cast<int>(s), kernel::aktModell, mode, kernel::c0Wert[1], kernel::cKaskade,
                                  r.UStage, r.V, r.Vdot, tauPerTank, r.cOut, errA, errB);
        r.err[s] = errA | errB;
        r.ksi[s] = kernel::KsiWerte;
        r.stageVdot.push_back(r.Vdot);
        kernel::cKaskade[s + 1] = r.cOut[s];
    }
    return r;
}

}  // namespace

// c_i = c_(i-1)/(1 + k·tau); columns the model does not compute keep their values.
TEST(Cascade, FirstOrderStagesDivideByOnePlusKTau) {
    UseModel(2, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0});
    const double tau = 2.0, f = 1.0 / (1.0 + 0.15 * tau);
    const CascadeRun r = RunCascade(7, 3, tau, 4.0, 0, 7.0);
    double a = 1.0;
    for (std::size_t s = 1; s <= 7; ++s) {
        SCOPED_TRACE(s);
        a *= f;
        EXPECT_EQ(r.err[s], 0);
        EXPECT_NEAR(r.cOut[s][1], a, 1e-14);
        EXPECT_NEAR(r.cOut[s][1] + r.cOut[s][4], 1.1, 1e-14);  // A + P is carried through
        EXPECT_NEAR(r.UStage[s], 1.0 - a, 1e-14);
        for (std::size_t slot : {2, 3, 5}) EXPECT_EQ(r.cOut[s][slot], 7.0);
    }
    EXPECT_NEAR(kernel::UmsatzU, 1.0 - f, 1e-14);
    EXPECT_DOUBLE_EQ(r.Vdot, 2.0);
}

TEST(Cascade, StagesMatchTheSingleTankAppliedStageByStage) {
    for (const Case& k : {Case{20, 0.15, 0, 0, {0, 1, 0, 0, 0.05, 0}}, Case{6, 0.15, 0.1, 0, {0, 1, 0, 0.05, 0, 0}}}) {
        SCOPED_TRACE(k.model);
        UseModel(k);
        const CascadeRun r = RunCascade(5, 4, 1.5, 0, 2.0);
        Conc in = k.c0;
        for (std::size_t s = 1; s <= 5; ++s) {
            kernel::c0Wert = in;
            const TankResult t = Tank(4, 0, 0, 2.0, 1.5);
            EXPECT_EQ(r.err[s], 0);
            for (std::size_t slot : {1, 3, 4}) EXPECT_NEAR(r.cOut[s][slot], t.c[slot], 1e-12) << s;
            EXPECT_NEAR(r.ksi[s][1], t.ksi[1], 1e-12);
            EXPECT_LT(Residual(k.model, in, r.cOut[s], 1.5, k.k1, k.k2, 0, 1.5), k.model == 20 ? 1e-6 : 1e-12);
            in = r.cOut[s];
        }
        EXPECT_NEAR(r.V, 3.0, 1e-15);
    }
}

// Given stage conversion, model 7 (A + B => C; A + C => P): every stage is a steady state.
TEST(CascadeFaults, ConsecutiveCompetingModelMeetsTheBalanceForAGivenConversion) {
    UseModel(7, 0.15, 0.05, 0, {0, 1, 1.5, 0, 0, 0});
    kernel::UmsatzU = 0.4;
    const CascadeRun r = RunCascade(4, 0, 0, 2.0, 0);
    Conc in = kernel::c0Wert;
    for (std::size_t s = 1; s <= 4; ++s) {
        SCOPED_TRACE(s);
        ASSERT_EQ(r.err[s], 0);
        EXPECT_NEAR(r.cOut[s][1], 0.6 * in[1], 1e-14);
        EXPECT_LT(Residual(7, in, r.cOut[s], 2.0 / r.stageVdot[s - 1], 0.15, 0.05, 0), 1e-9);  // tau = V / V*
        in = r.cOut[s];
    }
}

TEST(CascadeFaults, StageConversionBeyondEquilibriumStopsWithAFlag) {
    UseModel(8, 0.5, 0.1, 0, {0, 1, 0, 0, 0, 0});  // A falls below its equilibrium 1/6 in stage 3
    kernel::UmsatzU = 0.5;
    testsupport::MsgRecorder rec;
    const CascadeRun r = RunCascade(3, 1, 0, 0, 1.0);
    EXPECT_EQ(r.err[1] | r.err[2], 0);
    EXPECT_EQ(r.err[3], -1);
    EXPECT_EQ(OnlyMessage(rec), "16| Ausführung nicht möglich |" + std::string(kernel::kMsgNotReachable));
    EXPECT_GT(r.V, 0.0);  // the volume of stage 2; stage 3 derived none
}

// ---- Residence-time distribution of a cascade ----

using namespace kernel;

// For N tanks: E integrates to 1, F is the integral of E and tends to 1, E peaks at (N-1)/N·tm; one tank has
// E(t) = exp(-t/tm)/tm and F(t) = 1 - exp(-t/tm).
TEST(ResidenceTime, DistributionIsNormalisedAndPeaksWhereItShould) {
    EXPECT_EQ(Fakultaet(0), 1.0);
    EXPECT_NEAR(Fakultaet(170) / 7.257415615307994e306, 1.0, 1e-12);  // 171! is beyond: the overflow test's part
    const double tm = 2.5;
    int err = 1;
    EXPECT_NEAR(FuVerweilE(2.0, 1, tm, err), std::exp(-2.0 / tm) / tm, 1e-15);
    EXPECT_EQ(err, 0);
    EXPECT_NEAR(FuVerweilF(2.0, 1, tm, err), 1.0 - std::exp(-2.0 / tm), 1e-15);
    auto simpson = [&](int N, double tEnd, int steps) {  // integral of E from 0 to tEnd
        const double h = tEnd / steps;
        double sum = 0;
        for (int i = 0; i <= steps; ++i) {
            const double w = (i == 0 || i == steps) ? 1 : (i % 2 ? 4 : 2);
            sum += w * FuVerweilEdimlos(i * h, N, tm, err) / tm;
        }
        return sum * h / 3;
    };
    for (int N : {1, 2, 4, 7, 30}) {
        SCOPED_TRACE(N);
        EXPECT_EQ(FuVerweilF(0.0, N, tm, err), 0.0);
        EXPECT_EQ(FuVerweilE(0.0, N, tm, err), N == 1 ? 1.0 / tm : 0.0);
        const double whole = simpson(N, 12.0 * tm, 20000);
        ASSERT_EQ(err, 0);
        EXPECT_NEAR(whole, FuVerweilF(12.0 * tm, N, tm, err), 1e-9);
        EXPECT_NEAR(whole, 1.0, 1e-5);  // the tail beyond 12 tm is below exp(-12)
        EXPECT_NEAR(FuVerweilF(80 * tm, N, tm, err), 1.0, 1e-12);
        EXPECT_NEAR(simpson(N, tm, 2000), FuVerweilF(tm, N, tm, err), 1e-9);
        EXPECT_NEAR(FuVerweilFdimlos(tm, N, tm, err), FuVerweilF(tm, N, tm, err), 1e-15);
        if (N > 1) {
            const double tPeak = (N - 1.0) / N * tm, d = 1e-3 * tm;
            const double ePeak = FuVerweilE(tPeak, N, tm, err);
            EXPECT_GT(ePeak, FuVerweilE(tPeak - d, N, tm, err));
            EXPECT_GT(ePeak, FuVerweilE(tPeak + d, N, tm, err));
        }
        // E(theta) = tm·E(t) up to the single-precision per-tank time of FuVerweilE.
        EXPECT_NEAR(FuVerweilEdimlos(1.3, N, tm, err), tm * FuVerweilE(1.3, N, tm, err), 1e-6);
    }
}

// A mean time <= 0, no tanks, and everything beyond the Double range (171!, (N·theta)^(N-1)) fail with
// err = -1 instead of returning a meaningless number.
TEST(ResidenceTime, InvalidInputAndOverflowSetTheFlag) {
    using Fn = double (*)(double, int, double, int&);
    const struct { Fn f; double t; int N; double tm; } cases[] = {
        {FuVerweilE, 1, 3, 0},         {FuVerweilFdimlos, 1, 3, -1},    {FuVerweilE, 1, 0, 1},
        {FuVerweilE, 1, 172, 10},      {FuVerweilF, 1, 200, 10},        {FuVerweilEdimlos, 1000, 150, 1},
    };
    for (const auto& c : cases) {
        int err = 0;
        EXPECT_EQ(c.f(c.t, c.N, c.tm, err), 0.0) << c.t << " " << c.N << " " << c.tm;
        EXPECT_EQ(err, -1) << c.t << " " << c.N << " " << c.tm;
    }
    // The largest N of the window still works at moderate times.
    int err = 0;
    const double f = FuVerweilF(1.0, 120, 1.0, err);
    EXPECT_EQ(err, 0);
    EXPECT_GT(f, 0.4);
    EXPECT_LT(f, 0.6);
}
