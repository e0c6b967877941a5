#pragma once
// Blood alcohol concentration (BAK) minute by minute after up to eight drinks, after Widmark: first-order
// uptake of each drink into the body water, a resorption deficit, and zero-order elimination.
// Inputs are the shared BAK* variables that the blood-alcohol window leaves in the state.

namespace kernel {

constexpr int kBAKMinuten = 999;   // last minute of BAKKurve
constexpr int kBAKGetraenke = 8;   // drink slots 1..8

// Fills BAKKurve(0..n) in g/L (entries above n keep their values); negative stretches are lifted or cut to
// 0 as described with the correction of a later drink. Throws RuntimeError(IndexOutOfRange) for n outside
// 0..999 and DivisionByZero when body mass or distribution factor is 0 once a drink has started.
void CalcResorption(int n);

}  // namespace kernel
