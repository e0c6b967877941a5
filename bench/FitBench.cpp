// Cost of one automatic fit: the first-order model against 13 measured rows (fit mode 1), model 7
// (integrated numerically) against the 200 and 1000 rows of bench/data (fit_model7_scipy.py writes
// them and times scipy on the same rows), and the NIST problem Misra1a through the bare engine.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "kernel/FitObjective.h"
#include "kernel/Marquardt.h"
#include "kernel/State.h"

namespace {

void SetUpFirstOrderData() {
    const double noise[] = {0.006, -0.004, 0.007, -0.005, 0.002, -0.007, 0.004, 0.003, -0.005, 0.006, -0.002, 0.003, -0.006};
    kernel::DiagVariante = 1;
    kernel::aktModell = 2;
    kernel::HalbwertszeitNumerisch = 0;
    kernel::KurvenMaske = "10010";
    kernel::c0Wert = {0, 0.8, 0, 0, 0, 0};
    kernel::ExpDaten.assign(1, kernel::ExpPunkt{});
    for (int i = 0; i < 13; ++i) {
        kernel::ExpPunkt row;
        row.t = 1.5 * i;
        row.c[1] = 0.8 * std::exp(-0.23 * row.t) + noise[i];
        kernel::ExpDaten.push_back(row);
    }
    kernel::nMesspunkte = 13;
}

// Fits np parameters from the start values B0 to c(A) of the data set in place, once per iteration.
void FitLoop(benchmark::State& state, int np, const std::vector<double>& B0) {
    kernel::FitSettings settings;
    settings.chkConcFQS[1] = true;
    for (auto _ : state) {
        std::vector<double> B = B0, SD;
        int failed = 0;
        kernel::MarquardtNashFitting(np, kernel::nMesspunkte, B, SD, failed, settings);
        benchmark::DoNotOptimize(B.data());
    }
    kernel::DiagVariante = 0;
}

void BM_FitMode1Model2(benchmark::State& state) {
    SetUpFirstOrderData();
    FitLoop(state, 1, {0, 0.05, 0, 0});
}
BENCHMARK(BM_FitMode1Model2);

// Rows "t;c(A)" of bench/data/model7_<m>.csv: A + B => C, A + C => P from c(A,0) = c(B,0) = 1 over 20 s.
bool SetUpModel7Data(int m) {
    const std::string file = std::string(TARVELO_BENCH_DATA) + "/model7_" + std::to_string(m) + ".csv";
    std::ifstream in(file);
    kernel::ExpDaten.assign(1, kernel::ExpPunkt{});
    for (std::string line; std::getline(in, line);) {
        kernel::ExpPunkt row;
        const std::size_t sep = line.find(';');
        if (sep == std::string::npos) continue;
        row.t = std::stod(line.substr(0, sep));
        row.c[1] = std::stod(line.substr(sep + 1));
        kernel::ExpDaten.push_back(row);
    }
    kernel::nMesspunkte = static_cast<int>(kernel::ExpDaten.size()) - 1;
    kernel::DiagVariante = 1;
    kernel::aktModell = 7;
    kernel::HalbwertszeitNumerisch = 1;
    kernel::KurvenMaske = "11110";
    kernel::c0Wert = {0, 1, 1, 0, 0, 0};
    kernel::tMax = 20;
    return kernel::nMesspunkte == m;
}

void BM_FitModel7(benchmark::State& state) {
    if (!SetUpModel7Data(static_cast<int>(state.range(0)))) {
        state.SkipWithError("bench/data/model7_*.csv not found");
        return;
    }
    FitLoop(state, 2, {0, 0.3, 0.02, 0});
    kernel::HalbwertszeitNumerisch = 0;
}
BENCHMARK(BM_FitModel7)->Arg(200)->Arg(1000)->Unit(benchmark::kMillisecond);

class Misra1a : public kernel::MarquardtObjective {
public:
    void calcFQS_Marquardt(int m, std::vector<double>& B, double& sum, int& evalCount, int& err) override {
        ++evalCount;
        err = 0;
        sum = 0;
        for (int i = 1; i <= m; ++i) {
            const double r = B[1] * (1 - std::exp(-B[2] * x[i - 1])) - y[i - 1];
            sum += r * r;
        }
    }
    void CalcAbleitungen(int, int i, std::vector<double>& B, double& r, std::vector<double>& J, int& err) override {
        err = 0;
        const double e = std::exp(-B[2] * x[i - 1]);
        J[1] = 1 - e;
        J[2] = B[1] * x[i - 1] * e;
        r = B[1] * (1 - e) - y[i - 1];
    }

private:
    const double x[14] = {77.6, 114.9, 141.1, 190.8, 239.9, 289.0, 332.8, 378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
    const double y[14] = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02, 44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};
};

void BM_FitMisra1a(benchmark::State& state) {
    Misra1a objective;
    for (auto _ : state) {
        std::vector<double> B{0, 500, 1e-4}, SD;
        int failed = 0;
        kernel::MarquardtNashFitting(2, 14, B, SD, failed, objective, kernel::MarquardtSettings{});
        benchmark::DoNotOptimize(B.data());
    }
}
BENCHMARK(BM_FitMisra1a);

}  // namespace
