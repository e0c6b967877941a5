#pragma once
// Half-lives of species A and B in the batch reactor, chosen by the kind of the current diagram
// (aktDiagrammCode), in the current time unit.

namespace kernel {

// Half-life of A (of B) from the initial concentrations A0, B0, P0 (mol/L) and k1, k2 (per time unit).
// Results: the half-life (> 0); 0 when no formula applies or the species runs out first (with a beep where
// the kinetics has no B half-life or the partner is used up); -1 after the message that the equilibrium does
// not let the species halve, or after any run-time failure (message titled "Meldung von FuHalbwertszeitA/B").
// Codes 12, 62, 17, 67 find t by a bracketing search on the monotone extent x(t).
float FuHalbwertszeitA(double A0, double B0, double P0, double k1, double k2);
float FuHalbwertszeitB(double A0, double B0, double P0, double k1, double k2);

}  // namespace kernel
