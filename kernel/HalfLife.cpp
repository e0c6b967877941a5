#include "kernel/HalfLife.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "kernel/ClosedForms.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"

namespace kernel {

namespace {

constexpr double kK4Ersatz_A = 3.999999999;  // K = 4 makes 4 - K vanish in code 12
constexpr double kK4Ersatz_B = 3.99999999;
constexpr int kMaxSuchschritte = 2200;       // doublings/halvings and bisection steps each
constexpr double kRelGenauigkeit = 1e-12;
const char* const kTitelNichtMoeglich = " Ausführung nicht möglich ";

enum class Spezies { A, B };

// Raised when the equilibrium check has shown its message; the result is then -1.
struct NichtErreichbar {};

void MeldeNichtErreichbar(const std::string& text) {
    platform::MsgBox(text, platform::MsgCritical + platform::MsgOkOnly, kTitelNichtMoeglich);
    throw NichtErreichbar{};
}

// Equilibrium check and search of the reversible codes 12, 62, 17, 67.
double ReversibelHalbwert(Spezies sp, bool modell12, double A0, double B0, double P0, double k1, double k2) {
    const double Y0 = sp == Spezies::A ? A0 : B0;
    double K = CheckedDiv(k1, k2);
    if (modell12 && K == 4.0) K = sp == Spezies::A ? kK4Ersatz_A : kK4Ersatz_B;
    // p²/4 - q is written as a sum of terms that are not negative for non-negative inputs, so it keeps its
    // digits where the two roots meet (A0 = B0 and a tiny k2).
    double p, diskriminante, untergrenze;
    const double dAB = A0 - B0;
    if (modell12) {
        p = CheckedDiv(K * A0 + 4.0 * P0 + K * B0, 4.0 - K);
        const double s = P0 * P0 + 2.0 * P0 * (A0 + B0) + 4.0 * A0 * B0;
        if (std::fabs(K) > 1.0) {  // divided by K², so that a tiny k2 cannot overflow K²
            const double kehrK = 1.0 / K, n = 4.0 * kehrK - 1.0;
            diskriminante = CheckedDiv(dAB * dAB + 4.0 * kehrK * s, 4.0 * n * n);
        } else {
            const double n = 4.0 - K;
            diskriminante = CheckedDiv(K * K * dAB * dAB + 4.0 * K * s, 4.0 * n * n);
        }
        untergrenze = -P0 / 2.0;
    } else {
        const double kehrK = CheckedDiv(1.0, K);
        p = -A0 - B0 - kehrK;
        diskriminante = dAB * dAB / 4.0 + kehrK * ((A0 + B0) / 2.0 + P0) + kehrK * kehrK / 4.0;
        untergrenze = -P0;
    }
    const double wurzel = CheckedSqrt(diskriminante);
    const double x1 = -p / 2.0 + wurzel, x2 = -p / 2.0 - wurzel;
    // The equilibrium extent is the root that keeps every concentration non-negative; rounding may put it
    // a hair outside, so the root nearer to the physical interval is taken.
    const double obergrenze = std::min(A0, B0);
    auto abstand = [&](double x) { return x < untergrenze ? untergrenze - x : (x > obergrenze ? x - obergrenze : 0.0); };
    const double xe = abstand(x1) <= abstand(x2) ? x1 : x2;
    if (!(Y0 / 2 > Y0 - xe)) {
        MeldeNichtErreichbar(sp == Spezies::A ? "c(A) = c(A,0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden"
                                              : "c(B) = c(B,0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
    }

    // x(t) rises monotonically from 0 towards xe; bracket the time where it reaches Y0/2, then bisect.
    const double ziel = Y0 / 2;
    auto f = [&](double t) { return CheckFinite(ReversibleExtent(modell12, A0, B0, P0, k1, k2, t)) - ziel; };
    double lo = 0, hi = 1;
    int schritte = 0;
    if (f(hi) < 0) {
        do {
            lo = hi;
            hi *= 2;
            if (++schritte > kMaxSuchschritte || !std::isfinite(hi)) throw RuntimeError(ErrorKind::Overflow);
        } while (f(hi) < 0);
    } else {
        double mitte = hi / 2;
        while (f(mitte) >= 0) {
            hi = mitte;
            mitte /= 2;
            if (++schritte > kMaxSuchschritte || mitte == 0) throw RuntimeError(ErrorKind::Overflow);
        }
        lo = mitte;
    }
    for (int i = 0; i < kMaxSuchschritte && hi - lo > kRelGenauigkeit * hi; ++i) {
        const double mitte = 0.5 * (lo + hi);
        if (mitte <= lo || mitte >= hi) break;
        (f(mitte) < 0 ? lo : hi) = mitte;
    }
    return 0.5 * (lo + hi);
}

float Halbwert(Spezies sp, double A0, double B0, double P0, double k1, double k2) {
    const std::string titel = sp == Spezies::A ? "Meldung von FuHalbwertszeitA" : "Meldung von FuHalbwertszeitB";
    const bool istA = sp == Spezies::A;
    const double ln2 = std::log(2.0);
    auto beep0 = [] {
        platform::Beep();
        return 0.0f;
    };
    try {
        double t = 0;
        switch (aktDiagrammCode) {
        case 1: case 51:
            if (!istA) return beep0();
            t = CheckedDiv(A0 / 2, k1);
            break;
        case 2: case 52: case -5: case 6: case 56:
            if (!istA) return beep0();
            t = CheckedDiv(ln2, k1);
            break;
        case 3: case 53: case -6:
            if (!istA) return beep0();
            t = CheckedDiv(1.0, 2.0 * k1 * A0);
            break;
        case 4: case 54: case 9: case 59: case -8:
            if (A0 == B0) {
                t = CheckedDiv(CheckedDiv(1.0, k1), A0);
            } else if (istA) {
                if (2 * B0 - A0 <= 0) return beep0();
                t = CheckedDiv(CheckedLog(CheckedDiv(B0, 2 * B0 - A0)) * CheckedDiv(1.0, k1), A0 - B0);
            } else {
                if (CheckedDiv(2 * A0 - B0, A0) <= 0) return beep0();
                t = CheckedDiv(CheckedLog((2 * A0 - B0) / A0) * CheckedDiv(1.0, k1), A0 - B0);
            }
            break;
        case 5: case 55: case 16: case 66:
            if (!istA) return beep0();
            t = CheckedDiv(CheckedLog(CheckedDiv(2 * P0 + A0, P0)) * CheckedDiv(1.0, k1), A0 + P0);
            break;
        case 8: case 58: {
            if (!istA) return beep0();
            const double K = CheckedDiv(k1, k2);
            const double xe = CheckedDiv(K * A0 - P0, K + 1);
            if (!(A0 / 2 > A0 - xe)) {
                MeldeNichtErreichbar("c(A,0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
            }
            t = CheckedDiv(CheckedLog(CheckedDiv(P0 * k2 - A0 * k1, (k2 - k1) * A0 / 2 + P0 * k2)), k1 + k2);
            break;
        }
        case 11: case 61:
            if (!istA) return beep0();
            t = CheckedDiv(ln2, k1 + k2);
            break;
        case 12: case 62:
            t = ReversibelHalbwert(sp, true, A0, B0, P0, k1, k2);
            break;
        case 17: case 67:
            t = ReversibelHalbwert(sp, false, A0, B0, P0, k1, k2);
            break;
        case 19: case 69:
            return 0.0f;
        default:
            if (!istA) return beep0();
            return 0.0f;
        }
        const float ergebnis = static_cast<float>(CheckFinite(t));
        if (!std::isfinite(ergebnis)) throw RuntimeError(ErrorKind::Overflow);
        return ergebnis;
    } catch (const NichtErreichbar&) {
        return -1.0f;
    } catch (const RuntimeError& e) {
        platform::MsgBox(e.what(), platform::MsgCritical + platform::MsgOkOnly, titel);
        return -1.0f;
    }
}

}  // namespace

float FuHalbwertszeitA(double A0, double B0, double P0, double k1, double k2) {
    return Halbwert(Spezies::A, A0, B0, P0, k1, k2);
}

float FuHalbwertszeitB(double A0, double B0, double P0, double k1, double k2) {
    return Halbwert(Spezies::B, A0, B0, P0, k1, k2);
}

}  // namespace kernel
