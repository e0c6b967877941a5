#pragma once
// Residence-time distribution of a cascade of N equal ideal stirred tanks (tanks-in-series model) whose
// mean residence time as a whole is tm: density E and cumulative function F, against the time t or
// against the dimensionless time theta = t/tm. The functions read and write no shared state and show no
// message; every failure (tm or the per-tank time not positive, an overflow, a division by zero, a
// factorial beyond the Double range) sets err := -1 and returns 0.

namespace kernel {

// n! as Double; 1 for n < 2 (also 0 and negative n); -1 when the product leaves the Double range (n >= 171).
double Fakultaet(int n);

// E(t) in 1/time unit, with the per-tank time tau_i = tm/N held in single precision.
double FuVerweilE(double t, int N, double tm, int& err);

// E(theta) = tm·E(t), dimensionless; theta = t/tm.
double FuVerweilEdimlos(double t, int N, double tm, int& err);

// F(t), dimensionless, 0..1. For N <= 0 the sum is empty and F = 1.
double FuVerweilF(double t, int N, double tm, int& err);

// F(theta) with theta = t/tm; the same quantity as F(t).
double FuVerweilFdimlos(double t, int N, double tm, int& err);

}  // namespace kernel
