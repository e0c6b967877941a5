#include "kernel/StirredTank.h"

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace kernel {

namespace {

const SteadyRules kTankRules{.model1EmptyInlet = false,
                             .model7OutletPTest = true,
                             .consecutiveBMessage = true,
                             .model20MaxTrials = 1000};

}  // namespace

void CalcContiKessel(int model, int mode, const ConcVector& /*c0*/, double& U, double& V, double& Vdot, double& tau,
                     ConcVector& c, ExtentVector& ksi, int& errA, int& errB) {
    errB = 0;
    errA = 0;
    ksi[1] = ksi[2] = ksi[3] = 0.0;
    for (int s = 1; s <= kSpecies; ++s) c[s] = 0.0;
    const ConcVector in = c0Wert;

    if (mode >= 2 && mode <= 4) {
        if (mode == 2) tau = CheckedDiv(V, Vdot);
        if (mode == 3) Vdot = CheckedDiv(V, tau);
        if (mode == 4) V = CheckFinite(Vdot * tau);
        if (model < 1 || model > kModels) return;
        const SteadyOutcome outcome = SolveForResidenceTime(model, in, tau, c, ksi, U, errA, errB, kTankRules);
        if (outcome == SteadyOutcome::Stopped) {
            if (errA != 0) tau = 0.0;
            return;
        }
        if (model != 7) U = CheckedDiv(in[1] - c[1], in[1]);
    } else if (mode == 0 || mode == 1) {
        if (!SolveForConversion(model, in, U, tau, c, ksi, errA, errB, kTankRules)) return;
        if (mode == 0 && tau != 0.0) Vdot = CheckedDiv(V, tau);
        if (mode == 1) V = CheckFinite(Vdot * tau);
    } else {
        return;
    }
    for (int s = 1; s <= kSpecies; ++s) CheckFinite(c[s]);
    CheckFinite(ksi[1]);
    CheckFinite(ksi[2]);
    CheckFinite(tau);
}

}  // namespace kernel
