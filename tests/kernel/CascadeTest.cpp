#include <gtest/gtest.h>

#include "kernel/Cascade.h"
#include "kernel/StirredTank.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace ktest;

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
    CascadeRun r;
    r.V = V;
    r.Vdot = Vdot;
    const auto rows = static_cast<std::size_t>(N) + 2;
    kernel::cKaskade.assign(rows, {});
    r.cOut.assign(rows, {0, fill, fill, fill, fill, fill});
    r.UStage.assign(rows, 0.0);
    r.err.assign(rows, 0);
    r.ksi.assign(rows, {});
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
            double U = 0, V = 0, Vdot = 2.0, tau = 1.5;
            Conc c{};
            kernel::ExtentVector ksi{};
            int errA = 0, errB = 0;
            kernel::CalcContiKessel(k.model, 4, kernel::c0Wert, U, V, Vdot, tau, c, ksi, errA, errB);
            EXPECT_EQ(r.err[s], 0);
            for (std::size_t slot : {1, 3, 4}) EXPECT_NEAR(r.cOut[s][slot], c[slot], 1e-12) << s;
            EXPECT_NEAR(r.ksi[s][1], ksi[1], 1e-12);
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
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].prompt, std::string(kernel::kMsgNotReachable));
    EXPECT_GT(r.V, 0.0);  // the volume of stage 2; stage 3 derived none
}
