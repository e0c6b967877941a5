#include "kernel/Cascade.h"

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace kernel {

namespace {

const SteadyRules kStageRules{.model1EmptyInlet = true,
                              .model7OutletPTest = false,
                              .consecutiveBMessage = false,
                              .model20MaxTrials = 10000};

}  // namespace

void CalcKaskadenStufe(int stage, int model, int mode, double cA0, const ConcMatrix& /*cIn*/,
                       std::vector<double>& UStage, double& V, double& Vdot, double tau, ConcMatrix& cOut, int& errA,
                       int& errB) {
    KsiWerte[1] = KsiWerte[2] = KsiWerte[3] = 0.0;
    errA = 0;
    errB = 0;
    if (mode < 0 || mode > 4) return;
    const auto row = static_cast<std::size_t>(stage);
    if (stage < 0 || row >= cKaskade.size() || row >= cOut.size() || row >= UStage.size())
        throw RuntimeError(ErrorKind::IndexOutOfRange);
    const ConcVector in = cKaskade[row];
    ConcVector& out = cOut[row];

    if (mode <= 1) {
        if (!SolveForConversion(model, in, UmsatzU, tau, out, KsiWerte, errA, errB, kStageRules)) return;
        if (mode == 0 && tau != 0.0) Vdot = CheckedDiv(V, tau);
        if (mode == 1) V = CheckFinite(tau * Vdot);
        return;
    }

    if (mode == 2) tau = CheckedDiv(V, Vdot);
    if (mode == 3) Vdot = CheckedDiv(V, tau);
    if (mode == 4) V = CheckFinite(tau * Vdot);
    if (model < 1 || model > kModels) return;
    double searchU = 0.0;
    switch (SolveForResidenceTime(model, in, tau, out, KsiWerte, searchU, errA, errB, kStageRules)) {
    case SteadyOutcome::Stopped: return;
    case SteadyOutcome::EmptyInlet:
        UmsatzU = 0.0;
        UStage[row] = 1.0;
        return;
    case SteadyOutcome::Solved: break;
    }
    UmsatzU = CheckedDiv(in[1] - out[1], in[1]);
    UStage[row] = CheckedDiv(cA0 - out[1], cA0);
    if (model == 20 && UmsatzU > 1.0) errB = -1;
    for (int s = 1; s <= kSpecies; ++s) CheckFinite(out[s]);
}

}  // namespace kernel
