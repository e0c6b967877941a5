#pragma once
// Rate laws of the twenty kinetic models: dc/dt of every species slot for a given composition.
// Rates are in mol/(L · current time unit), negative for a consumed species; a step's rate constant
// counts per reaction event (2A => P: A disappears at 2·k1·c(A)²).
// All three routines keep no state and change no shared variable.
#include <array>
#include <vector>

namespace kernel {

using RateVector = std::array<double, 6>;     // dc/dt of species slots 1..5; slot 0 never touched
using ConcVector = std::array<double, 6>;     // c of species slots 1..5 in mol/L
using KVector = std::array<double, 4>;        // k1..k3 in slots 1..3 (the shared kWert)
using ConcMatrix = std::vector<std::array<double, 6>>;  // [row][species slot], e.g. cKaskade
using EqVector = std::array<double, 5>;       // packed equation vector of the integrator, elements 1..4

// Number of equations of an integrated model (7, 9, 10, 13, 18: 4; 14, 15: 3; 20: 2); 0 for the others.
int NumEquations(int model);

// The order n of model 20 the rate laws take: ReaktOrdnung, or FitOrdnung while that is set.
double OrderOfModel20();

// Rates of `model` (1..20) at the concentrations c(1..5) with the constants k(1..3); model 20 takes the
// order from OrderOfModel20. dc(1..5) are set to 0 first; a model outside 1..20 leaves all five at 0.
// Throws RuntimeError(Overflow) when a stored rate is not finite (the rates stay in dc).
void Derivs(int model, RateVector& dc, const KVector& k, const ConcVector& c);

// Derivs on row j of the matrix c2d (c2d[j][1..5]). Throws RuntimeError(IndexOutOfRange) when the
// matrix has no row j, Overflow as Derivs.
void DerivsPunkt(int j, int model, RateVector& dc, const KVector& k, const ConcMatrix& c2d);

// Right-hand side of the integrator for the current model aktModell with kWert and ReaktOrdnung, on the
// packed vector y (7, 9, 13, 18: A B C P; 10: E S ES P; 14, 15: A C P; 20: A P). Writes dydt(1..nEq) only;
// any model without integrated form writes nothing. No checks beyond the model-20 guard (c(A) < 0: rate 0).
void DerivsRK(const EqVector& y, EqVector& dydt);

}  // namespace kernel
