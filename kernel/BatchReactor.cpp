#include "kernel/BatchReactor.h"

#include <algorithm>
#include <cmath>

#include "kernel/ClosedForms.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "platform/core/MsgBox.h"

namespace kernel {

const char* const kBatchMsgTitle = "Meldung von CalcBatchKessel";

namespace {

constexpr int kErsterLaufTeiler = 5;        // the first run of an outer step covers a fifth of it
constexpr int kNachAnnahmeTeiler = 4;       // sub-steps carried to the next outer step: a quarter

// Packing of the integrated state vector: slot of y(i) in the concentration vector.
struct Packing {
    int nEq = 0;
    std::array<int, 5> slot{};
};

Packing PackingOf(int model) {
    switch (model) {
    case 14: case 15: return {3, {0, 1, 3, 4, 0}};
    case 20: return {2, {0, 1, 4, 0, 0}};
    default: return {4, {0, 1, 2, 3, 4}};
    }
}

// Integrates over [x, x + w] from y: a first run of n sub-steps over a fifth of the step, then runs with
// doubled n over the whole step until two successive runs agree to 1 % in every component of summed
// magnitude >= 1e-6. The accepted result replaces y; n falls to a quarter for the next step.
void OuterStep(int nEq, EqVector& y, int& n, double x, double w) {
    EqVector yOut{}, ref{}, yt{}, dydt{}, dy1{}, dy2{}, dy3{}, dy4{};
    double xs = 0, xt = 0;
    RungeKutta4(nEq, y, yOut, n, x, w / n / kErsterLaufTeiler, xs, xt, yt, dydt, dy1, dy2, dy3, dy4);
    for (bool agree = false; !agree;) {
        ref = yOut;
        if (n > kBatchMaxSubSteps / 2) throw RuntimeError(ErrorKind::IntegerOverflow);
        n *= 2;
        RungeKutta4(nEq, y, yOut, n, x, w / n, xs, xt, yt, dydt, dy1, dy2, dy3, dy4);
        agree = true;
        for (int i = 1; i <= nEq; ++i) {  // RungeKutta4 has refused a result that is not finite
            const double m = std::fabs(ref[i]) + std::fabs(yOut[i]);
            if (m < kRkMinBetrag) continue;
            if (std::fabs(ref[i] - yOut[i]) / m > kRkToleranz) {
                agree = false;
                break;
            }
        }
    }
    for (int i = 1; i <= nEq; ++i) y[i] = yOut[i];
    n /= kNachAnnahmeTeiler;
    if (n == 0) n = 1;
}

// The integrated models: outer steps of t/150 (0.4 once that exceeds 1), the last one ending at t.
void IntegrateBatch(int model, double t, ConcVector& c) {
    const Packing pk = PackingOf(model);
    EqVector y{};
    for (int i = 1; i <= pk.nEq; ++i) y[i] = c0Wert[pk.slot[i]];
    double h = t / kBatchAussenSchritte;
    if (h > 1.0) h = kBatchMaxSchritt;
    // Whole steps of h up to t; a remainder below a millionth of h is merged into the last step.
    const long steps = std::max(1L, static_cast<long>(std::ceil(t / h - 1e-6)));
    int n = 1;
    for (long i = 0; i < steps; ++i) {
        const double x = static_cast<double>(i) * h;
        const double w = (i == steps - 1) ? t - x : h;
        OuterStep(pk.nEq, y, n, x, w);
    }
    for (int i = 1; i <= pk.nEq; ++i) c[pk.slot[i]] = y[i];
}

void Calculate(int model, double t, ConcVector& c, int& err) {
    if (model < 1 || model > kModels) return;
    if (HasClosedForm(model)) {
        if (!ClosedFormKonzentrationen(model, t, c0Wert, kWert, c)) {  // model 19 without a real solution
            err = -1;
            return;
        }
        if (model == 8 && c0Wert[1] + c0Wert[4] < c[1]) err = -1;
        return;
    }
    if (!(t > 0.0) || !std::isfinite(t)) throw RuntimeError(ErrorKind::InvalidArgument);
    IntegrateBatch(model, t, c);
}

}  // namespace

void CalcBatchKessel(int model, double t, const ConcVector& /*c0*/, double /*U*/, ConcVector& c, int& err) {
    err = 0;
    try {
        Calculate(model, t, c, err);
    } catch (const RuntimeError& e) {
        platform::MsgBox(std::string("Fehler aufgetreten: ") + CrLf + e.what() + CrLf +
                             "Überprüfen Sie die die Eingabewerte" + CrLf + CrLf +
                             "Tipp: Setzen Sie zur Orientierung die Standardwerte",
                         platform::MsgCritical + platform::MsgOkOnly, kBatchMsgTitle);
        err = -1;
    }
}

void CalcKsi(ExtentVector& ksi) {
    const ConcVector& c0 = c0Wert;
    const ConcVector& c = cAktuell;
    const int model = aktModell;
    ksi[2] = 0.0;
    if (model < 1 || model > kModels) return;
    if (model != 7 && model != 10 && model != 11) {
        // Model 20: one A gives one P whatever the order; the matrix keeps -n for its own display.
        // A zero coefficient (no matrix set for this model) is a division by zero, not a silent stale ksi(1).
        const double nu = model == 20 ? -1.0 : StoechMatrix[1][1];
        ksi[1] = CheckedDiv(c0[1] - c[1], -nu);
    }
    switch (model) {
    case 7:
        ksi[1] = c0[2] - c[2];
        ksi[2] = ksi[1] - c[3];
        break;
    case 10:
        ksi[1] = c0[2] - c[2];  // binding step: the substrate bound or converted, not the free enzyme
        ksi[2] = c[4] - c0[4];
        break;
    case 11:
        ksi[1] = c[4] - c0[4];
        ksi[2] = c[5] - c0[5];
        break;
    case 6: case 9: case 13: case 14: case 15: case 18: ksi[2] = c[4] - c0[4]; break;
    default: break;
    }
}

}  // namespace kernel
