#pragma once
// Ideal isothermal batch reactor of constant volume and the extents of reaction of its result.
#include "kernel/RateLaws.h"
#include "kernel/SteadyState.h"

namespace kernel {

constexpr int kBatchAussenSchritte = 150;   // outer steps per reaction time (t <= 150)
constexpr double kBatchMaxSchritt = 0.4;    // outer step once t/150 exceeds 1 time unit
constexpr int kBatchMaxSubSteps = 32767;    // the sub-step count must stay within this bound
extern const char* const kBatchMsgTitle;    // "Meldung von CalcBatchKessel"

// Concentrations c(1..5) in mol/L after the reaction time t > 0 (current time unit) for `model` 1..20,
// starting from the shared c0Wert (c0 and U are not read). Closed forms for 1-6, 8, 11, 12, 16, 17, 19;
// the others are integrated (rate law of aktModell, which the caller passes as model) with Runge-Kutta
// sub-steps doubled per outer step until two runs agree to 1 %, the last outer step ending exactly at t.
// Only the model's slots of c are written. err := 0, or -1 when: model 19 has no real solution (nothing
// written, no message), model 8 yields c(A) > c0(A) + c0(P) (written, no message), or a run-time failure
// occurred (overflow, division by zero, invalid argument, too many sub-steps), which is shown in a message
// box "Meldung von CalcBatchKessel". A model outside 1..20 writes nothing, err = 0.
void CalcBatchKessel(int model, double t, const ConcVector& c0, double U, ConcVector& c, int& err);

// Extents of reaction ksi(1), ksi(2) in mol/L of aktModell from c0Wert and the result cAktuell, using the
// coefficient of slot 1 in reaction 1 of StoechMatrix (model 20: -1, one A gives one P; model 10: the
// extent of the binding step, from the substrate). ksi(2) := 0 first; a model outside 1..20 leaves ksi(1).
// Throws RuntimeError(DivisionByZero) when the coefficient it needs is 0 (StoechMatrix not set for the model).
void CalcKsi(ExtentVector& ksi);

}  // namespace kernel
