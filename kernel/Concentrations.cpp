#include "kernel/Concentrations.h"

#include <cmath>
#include <exception>

#include "kernel/ClosedForms.h"
#include "kernel/RuntimeError.h"
#include "kernel/Spline.h"
#include "kernel/State.h"

namespace kernel {

void CalcKonzentrationen(int model, double t, ConcVector& c, int& err) {
    err = 0;
    try {
        if (HasClosedForm(model)) {
            if (!ClosedFormKonzentrationen(model, t, c0Wert, kWert, c)) err = kTrue;
            return;
        }
        if (NumEquations(model) == 0) return;
        if (MMDiagramm != 0) {
            double x = t;
            if (MMNormiert == 0 && KMichaelis > 0) x = x / KMichaelis;
            c[1] = CheckedDiv(x, x + 1.0);
            return;
        }
        // The spline arrays must hold the model's time course, not the measured points of one species.
        if (AkimaMessSpezies != 0 || AkimaX.empty() || !(AkimaX[0] >= 1 && AkimaX[0] < static_cast<double>(AkimaX.size())))
            throw RuntimeError(ErrorKind::IndexOutOfRange);
        const int n = static_cast<int>(std::lround(AkimaX[0]));
        for (int s = 1; s <= kSpecies; ++s) {
            const auto idx = static_cast<std::size_t>(s - 1);
            if (idx >= KurvenMaske.size() || KurvenMaske[idx] != '1') continue;
            c[s] = AkimaInterpol(0, s, t, n, AkimaX, AkimaD, AkimaC, AkimaB, AkimaA).value_or(0.0);
        }
    } catch (const std::exception&) {
        err = kTrue;
    }
}

}  // namespace kernel
