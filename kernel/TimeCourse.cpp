#include "kernel/TimeCourse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "kernel/BloodAlcohol.h"
#include "kernel/ClosedForms.h"
#include "kernel/RuntimeError.h"
#include "kernel/Spline.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"

namespace kernel {

namespace {

constexpr double kMMBereichNormiert = 20.0;  // x axis c(S)/KM of the Michaelis-Menten diagram: 0..20
constexpr float kAchseStart = 10000.0f;
constexpr float kAchsenRand = 0.02f;         // margin added on each side of the proposed ranges
constexpr float kFlacheAchse = 0.01f;

bool Maskiert(int slot) {
    const auto idx = static_cast<std::size_t>(slot - 1);
    return idx < KurvenMaske.size() && KurvenMaske[idx] == '1';
}

void ResizeCurve(std::vector<double>& v, int upper) { v.assign(static_cast<std::size_t>(upper) + 1, 0.0); }
void ResizeCurve(std::vector<float>& v, int upper) { v.assign(static_cast<std::size_t>(upper) + 1, 0.0f); }

void ClosedFormBranch(int model, double dt, int& err) {
    RateVector dc{};
    const std::string slots = ClosedFormSlots(model);
    for (int i = 0; i <= nZeitPunkte; ++i) {
        const double t = i * dt;
        tWerte[static_cast<std::size_t>(i)] = t;
        if (!ClosedFormKonzentrationen(model, t, c0Wert, kWert, cAktuell)) {
            err = kTrue;
            return;
        }
        for (int s = 1; s <= kSpecies; ++s) {
            if (slots[static_cast<std::size_t>(s - 1)] == '1') cKurve(s)[static_cast<std::size_t>(i)] = cAktuell[s];
        }
        Derivs(model, dc, kWert, cAktuell);
        for (int s = 1; s <= kSpecies; ++s) {
            if (slots[static_cast<std::size_t>(s - 1)] == '1') rKurve(s)[static_cast<std::size_t>(i)] = static_cast<float>(dc[s]);
        }
    }
}

void MichaelisMentenBranch() {
    const double dx = MMNormiert != 0 ? kMMBereichNormiert / nZeitPunkte : static_cast<double>(cSmax) / nZeitPunkte;
    for (int i = 0; i <= nZeitPunkte; ++i) {
        double x = i * dx;
        tWerte[static_cast<std::size_t>(i)] = x;
        if (MMNormiert == 0 && KMichaelis > 0) x = x / KMichaelis;
        rKurveP[static_cast<std::size_t>(i)] = static_cast<float>(x / (x + 1.0));
    }
}

// The integrator without the final overflow check, for trials whose failure only means "not yet".
void RungeKutta4Trial(int nEq, const EqVector& yStart, EqVector& yOut, int nSteps, double x0, double h,
                      double& x, double& xt, EqVector& yt, EqVector& dydt, EqVector& dy1, EqVector& dy2,
                      EqVector& dy3, EqVector& dy4);

bool AllFinite(int nEq, const EqVector& v) {
    for (int i = 1; i <= nEq; ++i) {
        if (!std::isfinite(v[i])) return false;
    }
    return true;
}

// An integration that ends in a value that is not finite has overflowed somewhere on the way (a NaN is
// what inf - inf left behind), so every such end is reported as the overflow.
void CheckNoOverflow(int nEq, const EqVector& v) {
    if (!AllFinite(nEq, v)) throw RuntimeError(ErrorKind::Overflow);
}

// One accepted output interval: integrates from y over [t, tEnd], doubling the sub-steps n until two
// successive results agree to 1 %, and returns the finer result in yOut. A trial that overflows (a stiff
// start with too few sub-steps) counts as disagreeing; only an overflow at the ceiling is raised.
void IntegrateInterval(int nEq, const EqVector& y, EqVector& yOut, int& n, double t, double tEnd) {
    EqVector yPrev{}, yt{}, dydt{}, dy1{}, dy2{}, dy3{}, dy4{};
    double x = 0, xt = 0;
    RungeKutta4Trial(nEq, y, yOut, n, t, (tEnd - t) / n, x, xt, yt, dydt, dy1, dy2, dy3, dy4);
    for (;;) {
        yPrev = yOut;
        // At the ceiling a further run would repeat the same n and give the same result: accept.
        if (n >= kMaxSubSteps) break;
        n = std::min(n, kMaxSubSteps / 2) * 2;
        RungeKutta4Trial(nEq, y, yOut, n, t, (tEnd - t) / n, x, xt, yt, dydt, dy1, dy2, dy3, dy4);
        bool einig = AllFinite(nEq, yPrev) && AllFinite(nEq, yOut);
        for (int i = 1; i <= nEq && einig; ++i) {
            const double summe = std::fabs(yOut[i]) + std::fabs(yPrev[i]);
            if (summe >= kRkMinBetrag && std::fabs(yPrev[i] - yOut[i]) / summe > kRkToleranz) einig = false;
        }
        if (einig) break;
    }
    CheckNoOverflow(nEq, yOut);
}

void NumericBranch(int model, double tSpan, double dt) {
    const int nEq = NumEquations(aktModell);
    EqVector y{}, yOut{};
    // State vector in the packing of DerivsRK: 14, 15: A C P; 20: A P; the others slots 1..4.
    switch (aktModell) {
    case 14: case 15: y[1] = c0Wert[1]; y[2] = c0Wert[3]; y[3] = c0Wert[4]; break;
    case 20: y[1] = c0Wert[1]; y[2] = c0Wert[4]; break;
    default:
        for (int i = 1; i <= nEq; ++i) y[i] = c0Wert[i];
        break;
    }
    for (int s = 1; s <= 4; ++s) cKurve(s)[0] = c0Wert[s];

    const double c0A = c0Wert[1], c0B = c0Wert[2];
    bool halbA = false, halbB = false;
    int n = 1;
    int j = 0;
    const double tLetzter = tSpan + dt;
    for (double t = 0; t <= tLetzter; t += dt) {
        if (j > kKurvenObergrenze) throw RuntimeError(ErrorKind::IndexOutOfRange);
        const auto ju = static_cast<std::size_t>(j);
        tWerte[ju] = t;
        for (int s = 1; s <= 4; ++s) cKurve(s)[ju] = y[s];
        if (j > 0 && !halbA && c0A / 2 > cKurveA[ju]) {
            HalbwertA = LinInterpol(c0A / 2, cKurveA[ju - 1], tWerte[ju], cKurveA[ju], tWerte[ju - 1]);
            halbA = true;
        }
        if (j > 0 && !halbB && c0B / 2 > cKurveB[ju]) {
            HalbwertB = LinInterpol(c0B / 2, cKurveB[ju - 1], tWerte[ju], cKurveB[ju], tWerte[ju - 1]);
            halbB = true;
        }
        IntegrateInterval(nEq, y, yOut, n, t, t + dt);
        // Every component is taken over, also a negative one (model 20 of order < 1 overshoots A below 0).
        for (int i = 1; i <= nEq; ++i) y[i] = yOut[i];
        n = n / 4;
        if (n == 0) n = 1;
        ++j;
    }

    // Put the species into their slots.
    cKurveQ = cKurveC;
    rKurveQ = rKurveC;
    if (aktModell == 14 || aktModell == 15) {
        cKurveC = cKurveB;
        cKurveP = cKurveQ;
        rKurveC = rKurveB;
        rKurveP = rKurveQ;
    } else if (aktModell == 20) {
        cKurveP = cKurveB;
    }

    // Spline data: knots 1..j, values per slot, and the rate curves at every computed point.
    const auto groesse = static_cast<std::size_t>(j) + 6;
    AkimaX.assign(groesse, 0.0);
    AkimaMessSpezies = 0;
    for (SplineRows* rows : {&AkimaY, &AkimaD, &AkimaC, &AkimaB, &AkimaA}) {
        for (auto& row : *rows) row.assign(groesse, 0.0);
    }
    AkimaX[0] = j;
    RateVector dc{};
    for (int i = 0; i < j; ++i) {
        const auto iu = static_cast<std::size_t>(i);
        AkimaX[iu + 1] = tWerte[iu];
        for (int s = 1; s <= kSpecies; ++s) {
            AkimaY[s][iu + 1] = cKurve(s)[iu];
            cAktuell[s] = cKurve(s)[iu];
        }
        Derivs(model, dc, kWert, cAktuell);
        for (int s = 1; s <= kSpecies; ++s) rKurve(s)[iu] = static_cast<float>(dc[s]);
    }
    for (int s = 1; s <= kSpecies; ++s) {
        if (Maskiert(s)) CalcAkimaSpline(s, j, SmoothingFactor, AkimaX, AkimaY, AkimaD, AkimaC, AkimaB, AkimaA);
    }
}

void BloodAlcoholBranch() {
    for (int s = 1; s <= kSpecies; ++s) {
        ResizeCurve(cKurve(s), kBAKMinuten);
        ResizeCurve(rKurve(s), kBAKMinuten);
    }
    int n = static_cast<int>(std::lround(DiagRec.xMax));
    nZeitPunkte = n;
    CalcResorption(n);
    ResizeCurve(tWerte, n);
    ResizeCurve(cKurveA, n);
    for (int i = 0; i <= n; ++i) {
        tWerte[static_cast<std::size_t>(i)] = i;
        cKurveA[static_cast<std::size_t>(i)] = BAKKurve[static_cast<std::size_t>(i)];
    }
}

void AxisProposal(double tSpan) {
    auto& g = AchsenGrenzen;
    g[0] = 0;
    g[1] = static_cast<float>(tSpan);
    g[3] = -kAchseStart;
    g[5] = -kAchseStart;
    g[4] = kAchseStart;
    auto beachte = [&](int s, int i, bool konzentrationUnten) {
        const auto iu = static_cast<std::size_t>(i);
        const float c = static_cast<float>(cKurve(s).at(iu));
        const float r = rKurve(s).at(iu);
        if (c > g[3]) g[3] = c;
        if (konzentrationUnten && c < g[2]) g[2] = c;
        if (r > g[5]) g[5] = r;
        if (r < g[4]) g[4] = r;
    };
    if (SpezSkalierung == 0) {
        g[2] = 0;
        for (int i = 0; i <= nZeitPunkte; ++i) {
            for (int s = 1; s <= kSpecies; ++s) beachte(s, i, false);
        }
    } else {
        if (SpezSkalierungStoff < 1 || SpezSkalierungStoff > kSpecies) throw RuntimeError(ErrorKind::IndexOutOfRange);
        g[2] = kAchseStart;
        for (int i = 0; i <= nZeitPunkte; ++i) beachte(SpezSkalierungStoff, i, true);
    }
    g[3] = g[3] + std::fabs(kAchsenRand * (g[3] - g[2]));
    g[2] = g[2] - std::fabs(kAchsenRand * (g[3] - g[2]));
    g[5] = g[5] + std::fabs(kAchsenRand * (g[5] - g[4]));
    g[4] = g[4] - std::fabs(kAchsenRand * (g[5] - g[4]));
    if (g[3] <= g[2]) {
        if (g[3] != 0) {
            g[3] = g[3] * (1.0f + kFlacheAchse);
            g[2] = g[2] - std::fabs(kFlacheAchse * g[3]);
        } else {
            g[3] = 1;
            g[2] = 0;
        }
    }
}

}  // namespace

namespace {

void RungeKutta4Trial(int nEq, const EqVector& yStart, EqVector& yOut, int nSteps, double x0, double h,
                      double& x, double& xt, EqVector& yt, EqVector& dydt, EqVector& dy1, EqVector& dy2,
                      EqVector& dy3, EqVector& dy4) {
    const EqVector start = yStart;  // yStart may be the same vector as yOut
    for (int i = 1; i <= nEq; ++i) yOut[i] = start[i];
    for (int s = 0; s < nSteps; ++s) {
        x = s * h + x0;
        xt = x;
        for (int i = 1; i <= nEq; ++i) yt[i] = yOut[i];
        DerivsRK(yt, dydt);
        for (int i = 1; i <= nEq; ++i) dy1[i] = h * dydt[i];
        xt = x + h / 2;
        for (int i = 1; i <= nEq; ++i) yt[i] = yOut[i] + dy1[i] / 2;
        DerivsRK(yt, dydt);
        for (int i = 1; i <= nEq; ++i) dy2[i] = h * dydt[i];
        for (int i = 1; i <= nEq; ++i) yt[i] = yOut[i] + dy2[i] / 2;
        DerivsRK(yt, dydt);
        for (int i = 1; i <= nEq; ++i) dy3[i] = h * dydt[i];
        xt = x + h;
        for (int i = 1; i <= nEq; ++i) yt[i] = yOut[i] + dy3[i];
        DerivsRK(yt, dydt);
        for (int i = 1; i <= nEq; ++i) dy4[i] = h * dydt[i];
        for (int i = 1; i <= nEq; ++i) yOut[i] += (dy1[i] + 2 * dy2[i] + 2 * dy3[i] + dy4[i]) / 6;
    }
}

}  // namespace

void RungeKutta4(int nEq, const EqVector& yStart, EqVector& yOut, int nSteps, double x0, double h, double& x,
                 double& xt, EqVector& yt, EqVector& dydt, EqVector& dy1, EqVector& dy2, EqVector& dy3,
                 EqVector& dy4) {
    RungeKutta4Trial(nEq, yStart, yOut, nSteps, x0, h, x, xt, yt, dydt, dy1, dy2, dy3, dy4);
    CheckNoOverflow(nEq, yOut);
}

void CalcZeitverlauf(int model, double tSpan, int& err) {
    ResizeCurve(tWerte, kKurvenObergrenze);
    for (int s = 1; s <= kSpecies; ++s) {
        ResizeCurve(cKurve(s), kKurvenObergrenze);
        ResizeCurve(rKurve(s), kKurvenObergrenze);
    }
    nZeitPunkte = kZeitIntervalle;
    const double dt = tSpan / kZeitIntervalle;
    err = 0;
    tWerte[0] = 0;
    for (int s = 1; s <= kSpecies; ++s) {
        if (Maskiert(s)) cKurve(s)[0] = c0Wert[s];
    }
    // A new run forgets both half-lives, so no stale mark of an earlier model is shown.
    HalbwertA = 0;
    HalbwertB = 0;

    if (HasClosedForm(model)) {
        ClosedFormBranch(model, dt, err);
        if (err != 0) return;
    } else if (model == 10 && MMDiagramm != 0) {
        MichaelisMentenBranch();
    } else if (NumEquations(model) > 0) {
        // A span of 0 or less has no grid; it is outside the contract and ends with the set-up alone.
        if (tSpan > 0 && std::isfinite(tSpan)) NumericBranch(model, tSpan, dt);
    } else if (model == BAKModellCode) {
        BloodAlcoholBranch();
    }
    if (DiagVariante == 0) AxisProposal(tSpan);
}

}  // namespace kernel
