// Stirred-tank and cascade solvers: the search models (7 and 20), whose steady state is found by a
// stepping search, and a full seven-stage cascade as the cascade window and diagram compute it.
#include <benchmark/benchmark.h>

#include "kernel/Cascade.h"
#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/StirredTank.h"

namespace {

void SetUpModel(int model, double k1, double k2, const kernel::ConcVector& c0) {
    kernel::aktModell = model;
    kernel::kWert = {0, k1, k2, 0};
    kernel::c0Wert = c0;
    kernel::ReaktOrdnung = 1.5f;
    kernel::SetStoichMatrix(kernel::ReaktOrdnung);
}

// One stirred tank in mode 3 (tau and V given), over a range of residence times like the tank diagram.
void BM_StirredTankSearch(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    SetUpModel(model, 0.15, 0.05, {0, 1, 1.2, 0, 0, 0});
    kernel::ConcVector c{};
    kernel::ExtentVector ksi{};
    int errA = 0, errB = 0, i = 0;
    for (auto _ : state) {
        double U = 0, V = 1, Vdot = 0, tau = 0.5 + (i++ % 200) * 0.25;
        kernel::CalcContiKessel(model, 3, kernel::c0Wert, U, V, Vdot, tau, c, ksi, errA, errB);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_StirredTankSearch)->Arg(7)->Arg(20);

// A seven-stage cascade solved stage by stage (mode 3), for a closed-form and the two search models.
void BM_Cascade7Stages(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    constexpr int kStages = 7;
    SetUpModel(model, 0.15, 0.05, {0, 1, 1.2, 0, 0, 0});
    kernel::cKaskade.assign(kStages + 2, {});
    kernel::ConcMatrix cOut(kStages + 2);
    std::vector<double> UStage(kStages + 2, 0.0);
    int errA = 0, errB = 0;
    for (auto _ : state) {
        double V = 1, Vdot = 0;
        kernel::cKaskade[1] = kernel::c0Wert;
        for (int s = 1; s <= kStages; ++s) {
            kernel::CalcKaskadenStufe(s, model, 3, kernel::c0Wert[1], kernel::cKaskade, UStage, V, Vdot, 2.0, cOut,
                                      errA, errB);
            kernel::cKaskade[static_cast<std::size_t>(s) + 1] = cOut[static_cast<std::size_t>(s)];
        }
        benchmark::DoNotOptimize(cOut);
    }
}
BENCHMARK(BM_Cascade7Stages)->Arg(4)->Arg(7)->Arg(20);

}  // namespace
