// Time course of a closed-form model (2), an integrated model (7) and the stiff enzyme model (10)
// with their default constants over the default span of 100 s.
#include <benchmark/benchmark.h>

#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "kernel/TimeUnits.h"

namespace {

void RunTimeCourse(benchmark::State& state, int model, double tSpan) {
    using namespace kernel;
    BuildZeitFaktor();
    ZeitEinheitNr = 0;
    aktModell = model;
    c0Wert = {0, 1.0, 0.8, 0, 0, 0};
    SetDefaultParameters();  // model 10 also gets E = 0.5, S = 5 where they are 0
    KurvenMaske = "11110";
    DiagVariante = 0;
    SpezSkalierung = 0;
    MMDiagramm = 0;
    int err = 0;
    for (auto _ : state) {
        CalcZeitverlauf(model, tSpan, err);
        benchmark::DoNotOptimize(cKurveA.data());
    }
    if (err != 0) state.SkipWithError("time course failed");
}

void BM_TimeCourse_Model2_ClosedForm(benchmark::State& state) { RunTimeCourse(state, 2, 100.0); }
void BM_TimeCourse_Model7_Integrated(benchmark::State& state) { RunTimeCourse(state, 7, 100.0); }
void BM_TimeCourse_Model10_StiffEnzyme(benchmark::State& state) { RunTimeCourse(state, 10, 100.0); }

}  // namespace

BENCHMARK(BM_TimeCourse_Model2_ClosedForm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TimeCourse_Model7_Integrated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TimeCourse_Model10_StiffEnzyme)->Unit(benchmark::kMicrosecond);
