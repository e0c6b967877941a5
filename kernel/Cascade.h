#pragma once
// One stage of a cascade of equal ideal stirred tanks. The caller solves the stages 1..N in order: row 1
// of cKaskade holds the cascade feed, and after each stage the caller copies the outlet row `stage` of cOut
// into row stage + 1 of cKaskade. Each stage solves the balance of the single stirred tank with its own
// inlet row. Modes as the stirred tank: 0 U and V, 1 U and V*, 2 V and V*, 3 tau and V, 4 tau and V*;
// in modes 0 and 1 the given conversion UmsatzU is that of this stage (relative to its inlet).
#include <vector>

#include "kernel/SteadyState.h"

namespace kernel {

// Stage `stage` (row index into cKaskade, cOut and UStage) of `model` in `mode`. cIn is not read (the inlet
// is the shared cKaskade row). tau is the residence time of one tank (modes 3, 4; overwritten locally
// otherwise). Writes: the model's columns of cOut(stage) (the others keep their values), KsiWerte(1..2)
// (the stage's extents, mol/L), in modes 2..4 UmsatzU (the stage conversion), UStage(stage) (conversion
// from the cascade feed cA0) and the derived V or Vdot; in modes 0..1 only V (mode 1) or Vdot (mode 0).
// errA = -1: not enough B, or the given conversion is not reachable (message " Ausführung nicht möglich "
// shown; no V or V* derived). errB = -1: no usable solution or a failed search. A division by zero or
// overflow caused by the inputs, or a stage row that the tables lack, throws RuntimeError.
// The rate constants kWert are never changed.
void CalcKaskadenStufe(int stage, int model, int mode, double cA0, const ConcMatrix& cIn, std::vector<double>& UStage,
                       double& V, double& Vdot, double tau, ConcMatrix& cOut, int& errA, int& errB);

}  // namespace kernel
