#pragma once
// Closed-form concentrations of the models 1-6, 8, 11, 12, 16, 17, 19 at one time, shared by the time
// course and the single-time read-out. Exponentials that would grow with t are evaluated in the
// algebraically identical form with the decaying exponential, so long times give the finite limit.
#include "kernel/RateLaws.h"

namespace kernel {

// True for the models with a closed-form time course.
bool HasClosedForm(int model);

// The species slots a closed-form model writes, as a mask "10010" (A B C P Q); "00000" for the others.
const char* ClosedFormSlots(int model);

// Concentrations of `model` at time t >= 0 from the initial values c0(1..5) and k(1..3); writes exactly the
// slots of ClosedFormSlots into c. Returns false (c untouched) when model 19 has a negative discriminant or
// a zero denominator. Throws RuntimeError on a division by zero, the square root of a negative number or a
// result that is not finite.
bool ClosedFormKonzentrationen(int model, double t, const ConcVector& c0, const KVector& k, ConcVector& c);

// The extent x(t) = r1·r2·(1 - E)/(r1 - r2·E) with E = exp(min(-kt·d, 709.782)) and d = r1 - r2, which the
// caller passes in its exact form (a difference of rounded roots would lose it). Near E = 1 it is evaluated
// as r1·r2·φ/(1 + r2·φ) with φ = (1 - E)/d = kt·(1 - e^-u)/u, u = kt·d, which stays exact as the roots
// approach each other and gives the double root's limit r²·kt/(1 + r·kt) at d = 0; for a growing exponential
// it uses 1/E, which keeps the value finite where E itself would overflow. Throws on 0/0 or overflow.
double ExtentFromRoots(double r1, double r2, double d, double kt);

// (e^(-k1·t) - e^(-k2·t))/(k2 - k1), accurate as k2 approaches k1, with the limit t·e^(-k1·t) at k1 = k2.
double ExpDifferenceQuotient(double k1, double k2, double t);

// Extent x(t) of the reversible batch reaction of model 12 (A + B <=> 2P, `model12` true) or model 17
// (A + B <=> P) from c(A,0), c(B,0), c(P,0) and k1, k2 at time t. Throws RuntimeError like the above.
double ReversibleExtent(bool model12, double c0A, double c0B, double c0P, double k1, double k2, double t);

}  // namespace kernel
