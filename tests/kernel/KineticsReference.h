#pragma once
// Independent reference for the kinetics tests: each model written as its elementary steps
// (stoichiometric coefficients times a step rate) and integrated with a fine fixed-step RK4.
#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace kinref {

using Conc = std::array<double, 6>;  // slots 1..5

struct Step {
    Conc nu;                                   // coefficients per slot
    std::function<double(const Conc&)> rate;   // events per volume and time
};

inline std::vector<Step> Steps(int model, double k1, double k2, double k3, double order) {
    enum { A = 1, B = 2, C = 3, P = 4, Q = 5 };
    auto nu = [](std::initializer_list<std::pair<int, double>> l) {
        Conc v{};
        for (auto [s, x] : l) v[static_cast<std::size_t>(s)] = x;
        return v;
    };
    switch (model) {
    case 1: return {{nu({{A, -1}, {P, 1}}), [=](const Conc&) { return k1; }}};
    case 2: return {{nu({{A, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A]; }}};
    case 3: return {{nu({{A, -2}, {P, 1}}), [=](const Conc& c) { return k1 * c[A] * c[A]; }}};
    case 4: return {{nu({{A, -1}, {B, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B]; }}};
    case 5: return {{nu({{A, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A] * c[P]; }}};
    case 6: return {{nu({{A, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A]; }},
                    {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k2 * c[C]; }}};
    case 7: return {{nu({{A, -1}, {B, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B]; }},
                    {nu({{A, -1}, {C, -1}, {P, 1}}), [=](const Conc& c) { return k2 * c[A] * c[C]; }}};
    case 8: return {{nu({{A, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A] - k2 * c[P]; }}};
    case 9: return {{nu({{A, -1}, {B, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B]; }},
                    {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k2 * c[C]; }}};
    case 10: return {{nu({{1, -1}, {2, -1}, {3, 1}}), [=](const Conc& c) { return k1 * c[1] * c[2] - k2 * c[3]; }},
                     {nu({{3, -1}, {1, 1}, {4, 1}}), [=](const Conc& c) { return k3 * c[3]; }}};
    case 11: return {{nu({{A, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A]; }},
                     {nu({{A, -1}, {Q, 1}}), [=](const Conc& c) { return k2 * c[A]; }}};
    case 12: return {{nu({{A, -1}, {B, -1}, {P, 2}}), [=](const Conc& c) { return k1 * c[A] * c[B] - k2 * c[P] * c[P]; }}};
    case 13: return {{nu({{A, -1}, {B, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B]; }},
                     {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k2 * c[C] - k3 * c[P]; }}};
    case 14: return {{nu({{A, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A]; }},
                     {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k2 * c[C] - k3 * c[P]; }}};
    case 15: return {{nu({{A, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A] - k2 * c[C]; }},
                     {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k3 * c[C]; }}};
    case 16: return {{nu({{A, -1}, {P, 1}, {Q, 1}}), [=](const Conc& c) { return k1 * c[A] * c[P]; }}};
    case 17: return {{nu({{A, -1}, {B, -1}, {P, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B] - k2 * c[P]; }}};
    case 18: return {{nu({{A, -1}, {B, -1}, {C, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B] - k2 * c[C]; }},
                     {nu({{C, -1}, {P, 1}}), [=](const Conc& c) { return k3 * c[C]; }}};
    case 19: return {{nu({{A, -1}, {B, -1}, {P, 1}, {Q, 1}}), [=](const Conc& c) { return k1 * c[A] * c[B] - k2 * c[P] * c[Q]; }}};
    case 20: return {{nu({{A, -1}, {P, 1}}), [=](const Conc& c) { return c[A] > 0 ? k1 * std::pow(c[A], order) : 0.0; }}};
    default: return {};
    }
}

inline Conc Rates(const std::vector<Step>& steps, const Conc& c) {
    Conc d{};
    for (const auto& s : steps) {
        const double r = s.rate(c);
        for (int i = 1; i <= 5; ++i) d[static_cast<std::size_t>(i)] += s.nu[static_cast<std::size_t>(i)] * r;
    }
    return d;
}

// Concentrations at tEnd from c0, classical RK4 with `steps` equal steps.
inline Conc Integrate(int model, Conc c0, double k1, double k2, double k3, double order, double tEnd,
                      int nSteps = 20000) {
    const auto st = Steps(model, k1, k2, k3, order);
    const double h = tEnd / nSteps;
    Conc y = c0;
    auto add = [](const Conc& a, const Conc& b, double f) {
        Conc r{};
        for (std::size_t i = 1; i <= 5; ++i) r[i] = a[i] + f * b[i];
        return r;
    };
    for (int s = 0; s < nSteps; ++s) {
        const Conc d1 = Rates(st, y);
        const Conc d2 = Rates(st, add(y, d1, h / 2));
        const Conc d3 = Rates(st, add(y, d2, h / 2));
        const Conc d4 = Rates(st, add(y, d3, h));
        for (std::size_t i = 1; i <= 5; ++i) y[i] += h / 6 * (d1[i] + 2 * d2[i] + 2 * d3[i] + d4[i]);
    }
    return y;
}

}  // namespace kinref
