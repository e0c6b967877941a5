#pragma once
// Concentrations of the species of a model at one time t, without a whole time course.
#include "kernel/RateLaws.h"

namespace kernel {

// c(1..5) of `model` at time t (current time unit): closed-form models from c0Wert and kWert (only their
// species slots are written); integrated models (7, 9, 10, 13, 14, 15, 18, 20) from the Akima spline the
// last CalcZeitverlauf left, for the slots marked in KurvenMaske (with MMDiagramm set: c(1) := r/r(max) at
// the abscissa t). Other model numbers write nothing. err := 0, or -1 after any failure (no message;
// what was written to c stays).
void CalcKonzentrationen(int model, double t, ConcVector& c, int& err);

}  // namespace kernel
