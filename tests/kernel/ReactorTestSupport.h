#pragma once
// Helpers of the reactor tests: an independent copy of the rate laws, a fine reference integration, the
// steady-state residual of a stirred tank and a message recorder.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"

namespace reactortest {

using Conc = std::array<double, 6>;

// dc/dt per species slot for the models the tests use, written from the reaction scheme.
inline Conc Rates(int model, const Conc& c, double k1, double k2, double k3, double n = 1.5) {
    const double a = c[1], b = c[2], cc = c[3], p = c[4], q = c[5];
    Conc r{};
    auto add = [&r](int s, double v) { r[s] += v; };
    switch (model) {
    case 1: add(1, -k1); add(4, k1); break;
    case 2: add(1, -k1 * a); add(4, k1 * a); break;
    case 3: add(1, -2 * k1 * a * a); add(4, k1 * a * a); break;
    case 4: { const double r1 = k1 * a * b; add(1, -r1); add(2, -r1); add(4, r1); break; }
    case 5: { const double r1 = k1 * a * p; add(1, -r1); add(4, r1); break; }
    case 16: { const double r1 = k1 * a * p; add(1, -r1); add(4, r1); add(5, r1); break; }
    case 6: add(1, -k1 * a); add(3, k1 * a - k2 * cc); add(4, k2 * cc); break;
    case 7: { const double r1 = k1 * a * b, r2 = k2 * a * cc; add(1, -r1 - r2); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 8: { const double r = k1 * a - k2 * p; add(1, -r); add(4, r); break; }
    case 9: { const double r1 = k1 * a * b, r2 = k2 * cc; add(1, -r1); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 10: {  // E S ES P
        const double r1 = k1 * a * b, r2 = k2 * cc, r3 = k3 * cc;
        add(1, -r1 + r2 + r3); add(2, -r1 + r2); add(3, r1 - r2 - r3); add(4, r3); break;
    }
    case 11: add(1, -(k1 + k2) * a); add(4, k1 * a); add(5, k2 * a); break;
    case 12: { const double r = k1 * a * b - k2 * p * p; add(1, -r); add(2, -r); add(4, 2 * r); break; }
    case 13: { const double r1 = k1 * a * b, r2 = k2 * cc - k3 * p; add(1, -r1); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 14: { const double r1 = k1 * a, r2 = k2 * cc - k3 * p; add(1, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 15: { const double r1 = k1 * a - k2 * cc, r3 = k3 * cc; add(1, -r1); add(3, r1 - r3); add(4, r3); break; }
    case 17: { const double r = k1 * a * b - k2 * p; add(1, -r); add(2, -r); add(4, r); break; }
    case 18: { const double r1 = k1 * a * b - k2 * cc, r3 = k3 * cc; add(1, -r1); add(2, -r1); add(3, r1 - r3); add(4, r3); break; }
    case 19: { const double r = k1 * a * b - k2 * p * q; add(1, -r); add(2, -r); add(4, r); add(5, r); break; }
    case 20: { const double r = a > 0 ? k1 * std::pow(a, n) : 0.0; add(1, -r); add(4, r); break; }
    default: break;
    }
    return r;
}

// Classical Runge-Kutta with a fixed number of steps: the batch composition after time t.
inline Conc Integrate(int model, Conc c, double t, double k1, double k2, double k3, double n = 1.5, int steps = 20000) {
    const double h = t / steps;
    for (int i = 0; i < steps; ++i) {
        Conc y2 = c, y3 = c, y4 = c;
        const Conc d1 = Rates(model, c, k1, k2, k3, n);
        for (int s = 1; s <= 5; ++s) y2[s] = c[s] + h / 2 * d1[s];
        const Conc d2 = Rates(model, y2, k1, k2, k3, n);
        for (int s = 1; s <= 5; ++s) y3[s] = c[s] + h / 2 * d2[s];
        const Conc d3 = Rates(model, y3, k1, k2, k3, n);
        for (int s = 1; s <= 5; ++s) y4[s] = c[s] + h * d3[s];
        const Conc d4 = Rates(model, y4, k1, k2, k3, n);
        for (int s = 1; s <= 5; ++s) c[s] += h / 6 * (d1[s] + 2 * d2[s] + 2 * d3[s] + d4[s]);
    }
    return c;
}

// Largest |in - out + tau·r(out)| over the slots 1..5: zero in the steady state of a stirred tank.
// Models 5, 10 and 18 carry a copy of an extent in slot 5, which is no species of theirs: left out.
inline double Residual(int model, const Conc& in, const Conc& out, double tau, double k1, double k2, double k3,
                       double n = 1.5) {
    const Conc r = Rates(model, out, k1, k2, k3, n);
    const int last = (model == 5 || model == 10 || model == 18) ? 4 : 5;
    double worst = 0;
    for (int s = 1; s <= last; ++s) worst = std::fmax(worst, std::fabs(in[s] - out[s] + tau * r[s]));
    return worst;
}

struct Message {
    std::string prompt;
    int style;
    std::string title;
};

// Records every message box while it lives and answers OK.
class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = platform::SetMsgBoxHandler([this](const std::string& p, int s, const std::string& t) {
            messages.push_back({p, s, t});
            return static_cast<int>(platform::vbOK);
        });
    }
    ~MessageRecorder() { platform::SetMsgBoxHandler(previous_); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
    std::vector<Message> messages;

private:
    platform::MsgBoxHandler previous_;
};

// Makes `model` the current model with its constants, inlet (or initial) concentrations, order n and
// stoichiometric matrix.
inline void UseModel(int model, double k1, double k2, double k3, const Conc& c0, float n = 1.5f) {
    kernel::aktModell = model;
    kernel::kWert = {0, k1, k2, k3};
    kernel::c0Wert = c0;
    kernel::ReaktOrdnung = n;
    kernel::SetStoichMatrix(n);
}

}  // namespace reactortest
