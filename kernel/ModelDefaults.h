#pragma once
// Default rate constants of the twenty models and the stoichiometric matrix of the current model.

namespace kernel {

constexpr double kStandardK1 = 0.15;            // default k1 per second of most models
constexpr double kStandardTMaxSekunden = 100.0; // default t(max) of the time diagram, s

// Stores the default k1..k3 of aktModell, converted into the current time unit ZeitEinheitNr, into kWert;
// sets EinfacheReaktion for some models and gives model 10 its default E and S where they are 0. When a
// calculation window is open, writes k1..k3 into its Inp(10..12) (the time-diagram window also gets
// tMax := 100 s in the current unit and kCombo(0..3)). Reports nothing.
void SetDefaultParameters();

// Fills StoechMatrix(1..5, 1..3) for aktModell (all 0 outside 1..20); model 20 gives A the coefficient -n.
void SetStoichMatrix(float n);

}  // namespace kernel
