#include "simulation/ResidenceCurve.h"

#include <cfloat>
#include <cmath>

#include "kernel/ResidenceTime.h"
#include "kernel/RuntimeError.h"

namespace simulation {

namespace {

// A Double stored into a Single field; beyond the Single range the store overflows.
float AlsSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) throw kernel::RuntimeError(kernel::ErrorKind::Overflow);
    return static_cast<float>(v);
}

}  // namespace

float VerweilZeitspanne(bool xAchseT, double tm, float xMax) {
    if (xMax == 0.0f) return AlsSingle(6.0 * tm);
    return xAchseT ? xMax : AlsSingle(static_cast<double>(xMax) * tm);
}

VerweilKurvenErgebnis BerechneVerweilKurve(VerweilFunktion art, bool xAchseT, int N, double tm,
                                           const kernel::DiagRecord& bereich, std::vector<kernel::XYPunkt>& punkte) {
    VerweilKurvenErgebnis ergebnis;
    const float tmax = VerweilZeitspanne(xAchseT, tm, bereich.xMax);
    const float dt = tmax / static_cast<float>(kVerweilSchritte);

    punkte.assign(1, kernel::XYPunkt{});
    long n = 0;
    for (double t = 0; t <= tmax; t += dt) {
        int err = 0;
        double x = t;
        double y = 0;
        if (xAchseT) {
            y = art == VerweilFunktion::E ? kernel::FuVerweilE(t, N, tm, err) : kernel::FuVerweilF(t, N, tm, err);
        } else {
            x = kernel::CheckedDiv(t, tm);
            y = art == VerweilFunktion::E ? kernel::FuVerweilEdimlos(t, N, tm, err)
                                          : kernel::FuVerweilFdimlos(t, N, tm, err);
        }
        // Without a tank there is no distribution (the F sum would be empty and read 1).
        if (N < 1) err = kernel::kTrue;
        if (err != 0) {
            ergebnis.ueberlauf = true;
            break;
        }
        ++n;
        kernel::XYPunkt p;
        p.x = AlsSingle(x);
        p.y = AlsSingle(y);
        punkte.push_back(p);
        // The borders belong to the drawing: the curve is built to end on the right one.
        ergebnis.sichtbar = bereich.yMin <= p.y && p.y <= bereich.yMax && bereich.xMin <= p.x && p.x <= bereich.xMax;
        // A step that vanishes in single precision would never reach tmax: one point only.
        if (!(dt > 0.0f)) break;
    }
    punkte[0].x = static_cast<float>(n);
    return ergebnis;
}

void TracerSchritt(std::vector<float>& cKessel, int N) {
    const float f = kTracerAnteil;
    const float V = 1.0f;
    const auto n = static_cast<std::size_t>(N);
    std::vector<float> zufluss(n + 2, 0.0f);
    for (std::size_t k = 1; k <= n && k < cKessel.size(); ++k) {
        float abfluss = f * cKessel[k];
        const float menge = V * cKessel[k] + zufluss[k] - abfluss;
        cKessel[k] = menge / V;
        // The next tank receives the share of this tank's new concentration.
        abfluss = f * cKessel[k];
        zufluss[k + 1] = abfluss;
    }
}

bool TracerLaeuftWeiter(const std::vector<float>& cKessel, int N) {
    if (N < 1 || static_cast<std::size_t>(N) >= cKessel.size()) return false;
    return cKessel[1] >= kTracerEndeSchwelle || cKessel[static_cast<std::size_t>(N)] >= kTracerEndeSchwelle;
}

void TracerVerzoegerung(double d) {
    const double grenze = std::pow(10.0, 1.2 * d) - 1.0;
    volatile double senke = 0;
    for (double x = 1; x <= grenze; x += 1) senke = std::sqrt(2.2 + senke * 0);
}

}  // namespace simulation
