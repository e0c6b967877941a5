#pragma once
// Concentration-time and rate-time curves of one model over a time span, and the fixed-step
// Runge-Kutta integrator used by the time course and the batch reactor.
#include "kernel/RateLaws.h"

namespace kernel {

constexpr int kZeitIntervalle = 200;        // intervals of the curve grid
constexpr int kKurvenObergrenze = 450;      // curve arrays are sized 0..450 for every run
constexpr int kMaxSubSteps = 32000;         // ceiling of the sub-steps per output interval
constexpr double kRkToleranz = 0.01;        // relative agreement of two successive step doublings
constexpr double kRkMinBetrag = 1e-06;      // components smaller than this in summed magnitude are not tested

// Computes the curves of `model` (1..20, or BAKModellCode 500 for the blood-alcohol curve) from t = 0 to
// tSpan (> 0, current time unit) into tWerte, cKurveA..Q (mol/L), rKurveA..Q (mol/(L·time unit)),
// nZeitPunkte (200), and for the integrated models HalbwertA/HalbwertB and the Akima spline of every masked
// species; then proposes the axis ranges AchsenGrenzen(0..5) when DiagVariante is 0. The integrated branch
// uses the rate law of aktModell. err := 0, or -1 when model 19 meets a negative discriminant or a zero
// denominator (arrays keep what was computed, no axis proposal). Every other failure (overflow, division by
// zero, square root of a negative number) throws RuntimeError; the arrays keep what was written before.
// A step-doubling trial that overflows counts as not agreeing; only an overflow at 32000 sub-steps is raised.
void CalcZeitverlauf(int model, double tSpan, int& err);

// Classical fourth-order Runge-Kutta with DerivsRK: nSteps steps of width h from abscissa x0, starting at
// yStart(1..nEq) (unchanged), end state into yOut. x, xt receive the abscissa of the current step and stage;
// yt, dydt, dy1..dy4 are caller-provided work vectors. nSteps <= 0 gives yOut = yStart. No error estimate;
// throws RuntimeError(Overflow) when the end state is not finite.
void RungeKutta4(int nEq, const EqVector& yStart, EqVector& yOut, int nSteps, double x0, double h, double& x,
                 double& xt, EqVector& yt, EqVector& dydt, EqVector& dy1, EqVector& dy2, EqVector& dy3,
                 EqVector& dy4);

}  // namespace kernel
