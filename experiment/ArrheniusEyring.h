#pragma once
// Rate constant at a temperature from the Arrhenius or the Eyring parameters, as the calculator
// window computes it. Plain C++; failures (T = 0, an overflow, a result beyond the range of a
// single-precision value) answer false.
namespace experiment {

constexpr double kGasR = 8.3145;           // J/(mol K)
constexpr double kBoltzmann = 1.38066e-23; // J/K
constexpr double kPlanck = 6.62618e-34;    // J s

// k := A · exp(-EA / (R T)); A in the unit of k, EA in J/mol, T in K.
bool ArrheniusK(double A, double EA, double T, double& k);

// Per second: k := (kB/h) · T · exp(-h# / (R T)) · exp(s# / R); s# in J/(mol K), h# in J/mol, T in K.
bool EyringK(double sStern, double hStern, double T, double& k);

// kB/h in 1/(K s).
constexpr double EyringFaktor() { return kBoltzmann / kPlanck; }

// True when x is finite and representable as a single-precision value.
bool PasstInSingle(double x);

}  // namespace experiment
