#include "kernel/BloodAlcohol.h"

#include <array>
#include <cmath>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace kernel {

namespace {
constexpr float kModHalbwertFaktor = 0.161f;   // q = 0.161·β60^-0.959, in h
constexpr float kModExponent = -0.959f;
constexpr float kModGrenze = 0.1f;             // g/L below which the modified elimination slows down
constexpr double kMinutenProStunde = 60.0;
}  // namespace

void CalcResorption(int n) {
    if (n < 0 || n > kBAKMinuten) throw RuntimeError(ErrorKind::IndexOutOfRange);
    const float q = kModHalbwertFaktor * std::pow(BAKbeta60, kModExponent);
    const float kMod = static_cast<float>(std::log(2.0) / q);
    const double rest = (100.0 - BAKRD) / 100.0;

    bool negativ = false;
    for (int t = 0; t <= n; ++t) {
        double S = 0;
        for (int i = 1; i <= kBAKGetraenke; ++i) {
            if (!(BAKAlkMasse[i] > 0) || BAKTrinkStart[i] < 0) continue;
            const float tau = static_cast<float>(t - BAKTrinkStart[i]);
            if (tau > 0) {
                const double ci = CheckedDiv(BAKAlkMasse[i], static_cast<double>(BAKr) * BAKKoerpermasse);
                S += (1.0 - std::exp(-BAKkres[static_cast<std::size_t>(i - 1)] * tau / kMinutenProStunde)) * ci;
            }
        }
        S = S * rest;
        double bak;
        if (BAKKeinAbbau != 0) {
            bak = S;
        } else if (BAKModifiziert == 0) {
            bak = S - t * BAKbeta60 / kMinutenProStunde;
        } else {
            const float x = static_cast<float>(S - t * BAKbeta60 / kMinutenProStunde);
            bak = x >= kModGrenze ? x : x * std::exp(-10.0 * kMod / kMinutenProStunde);
        }
        // A value beyond the range of a Single (an absurd drink) is a failure, not a curve.
        const float wert = static_cast<float>(bak);
        if (!std::isfinite(wert)) throw RuntimeError(ErrorKind::Overflow);
        BAKKurve[static_cast<std::size_t>(t)] = wert;
        if (wert < 0) negativ = true;
    }
    if (!negativ) return;

    // A later drink starts from 0: lift the curve from its start, clear the negative stretch before it.
    // A drink that starts after minute n lies beyond the curve and plays no part here.
    auto kurve = [](int m) -> float& { return BAKKurve[static_cast<std::size_t>(m)]; };
    for (int d = 2; d <= kBAKGetraenke; ++d) {
        const int start = BAKTrinkStart[d];
        if (start < 0 || start > n || !(kurve(start) < 0)) continue;
        const float lift = -kurve(start);
        for (int m = start; m <= n; ++m) kurve(m) += lift;
        const int bis = BAKTrinkStart[d - 1] < 0 ? 0 : BAKTrinkStart[d - 1];
        for (int m = start; m >= bis; --m) {
            if (kurve(m) < 0) kurve(m) = 0;
        }
    }
    // Whatever is still negative (also in the first minutes, before a slow first drink outweighs the
    // elimination) reads 0: blood alcohol is never below 0.
    for (int m = n; m >= 0; --m) {
        if (kurve(m) < 0) kurve(m) = 0;
    }
}

}  // namespace kernel
