#pragma once
// Point lists of the residence-time distribution window and the step of the tracer experiment:
// plain computations without windows, so the two windows only read inputs, call these and show
// the outcome.
#include <vector>

#include "kernel/State.h"

namespace simulation {

// ---- Residence-time distribution of N equal ideal stirred tanks --------------------------------

constexpr int kVerweilSchritte = 150;  // steps of one E or F curve (normally 151 points)

enum class VerweilFunktion { E, F };

struct VerweilKurvenErgebnis {
    bool ueberlauf = false;   // a point failed in the kernel (tm <= 0, N < 1, overflow): the curve ends
                              // before it; the points computed so far are kept
    bool sichtbar = false;    // the last point lies inside the given range or on its border
};

// Time span of a curve in the current time unit: 6 tm while no range is set (xMax = 0), else the
// range's xMax (x axis t) or xMax·tm (x axis t/tm), so the curve fills the open diagram.
float VerweilZeitspanne(bool xAchseT, double tm, float xMax);

// Fills punkte (element 0's x = point count n, elements 1..n = points as Singles) with E(t) / F(t)
// over t (xAchseT) or E·tm / F over t/tm, for t = 0, dt, 2 dt, ... <= tmax, dt = tmax / 150.
// Visibility of the last point is judged against bereich (xMin <= x <= xMax, yMin <= y <= yMax).
// Throws kernel::RuntimeError when t/tm cannot be formed (tm = 0) or a value leaves the Single range.
VerweilKurvenErgebnis BerechneVerweilKurve(VerweilFunktion art, bool xAchseT, int N, double tm,
                                           const kernel::DiagRecord& bereich, std::vector<kernel::XYPunkt>& punkte);

// ---- Tracer experiment -----------------------------------------------------------------------------

constexpr float kTracerAnteil = 0.01f;      // fraction of a tank's content that flows on per step
constexpr float kTracerEndeSchwelle = 0.01f; // the run ends when tank 1 and tank N are both below this

// One flow step of the tank row cKessel (tanks 1..N, entry 0 unused): every tank, in order, loses the
// fraction f of its concentration before the step and receives the fraction f of the tank before it
// after that tank's update. All quantities are Singles, tank volume 1.
void TracerSchritt(std::vector<float>& cKessel, int N);

// True while the run goes on: tank 1 or tank N holds at least the end threshold.
bool TracerLaeuftWeiter(const std::vector<float>& cKessel, int N);

// The busy delay of one step at delay exponent d (0..5): 10^(1.2 d) - 1 square roots, no events.
void TracerVerzoegerung(double d);

}  // namespace simulation
