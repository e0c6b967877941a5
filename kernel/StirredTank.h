#pragma once
// Steady state of one ideal continuous stirred tank (constant volume, perfect mixing, isothermal) fed with
// c0Wert, for the kinetic model 1..20. Of the four linked quantities - volume V, volume flow V*, mean
// residence time tau = V / V* and the conversion of slot 1, U = (c0(1) - c(1)) / c0(1) - the mode says
// which two are given:
//   mode 0: U, V -> tau, V* ;  mode 1: U, V* -> tau, V ;  mode 2: V, V* -> tau, U ;
//   mode 3: tau, V -> V*, U ;  mode 4: tau, V* -> V, U.
#include "kernel/SteadyState.h"

namespace kernel {

// Stirred tank in `mode` (ContiRechenModus 0..4). c0 is not read (the inlet is the shared c0Wert).
// Outputs: c(1..5) outlet concentrations in mol/L (cleared first; only the model's slots are written),
// ksi(1..2) extents of reaction in mol/L (ksi(3) cleared), and the derived ones of U, V, Vdot, tau.
// errA = -1: the inlet B does not suffice, an outlet runs out, or the given conversion is not reachable
// (then a message " Ausführung nicht möglich " was shown, tau = 0 and neither V nor V* was derived).
// errB = -1: the balance has no usable solution or its search failed. A division by zero or an
// overflow that the inputs cause (k, V, V* or tau not positive) throws RuntimeError.
// The rate constants kWert are never changed.
void CalcContiKessel(int model, int mode, const ConcVector& c0, double& U, double& V, double& Vdot, double& tau,
                     ConcVector& c, ExtentVector& ksi, int& errA, int& errB);

}  // namespace kernel
