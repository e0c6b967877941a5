#pragma once
// Blood alcohol concentration (BAK) minute by minute after up to eight drinks, after Widmark: first-order
// uptake of each drink into the body water, a resorption deficit, and zero-order elimination.
// Inputs are the shared BAK* variables that the blood-alcohol window leaves in the state.

namespace kernel {

constexpr int kBAKMinuten = 999;   // last minute of BAKKurve
constexpr int kBAKGetraenke = 8;   // drink slots 1..8

// Fills BAKKurve(0..n) in g/L (entries above n keep their values). Where the curve falls below 0, a later
// drink starts from 0 (the curve is lifted at its start) and every value left below 0 reads 0; a drink
// that starts after minute n lies beyond the curve and takes no part in that correction.
// Throws RuntimeError(IndexOutOfRange) for n outside 0..999, DivisionByZero when body mass or distribution
// factor is 0 once a drink has started, and Overflow when a value is not a finite Single.
void CalcResorption(int n);

}  // namespace kernel
