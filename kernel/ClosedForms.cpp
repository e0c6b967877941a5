#include "kernel/ClosedForms.h"

#include <cmath>

#include "kernel/RuntimeError.h"

namespace kernel {

namespace {
constexpr double kErsatzKoeffizient = 1e-08;  // model 12: replaces a zero leading coefficient
constexpr int A = 1, B = 2, C = 3, P = 4, Q = 5;
}  // namespace

bool HasClosedForm(int model) {
    switch (model) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 8: case 11: case 12: case 16: case 17: case 19: return true;
    default: return false;
    }
}

const char* ClosedFormSlots(int model) {
    switch (model) {
    case 1: case 2: case 3: case 8: return "10010";
    case 4: case 12: case 17: return "11010";
    case 5: case 11: case 16: return "10011";
    case 6: return "10110";
    case 19: return "11011";
    default: return "00000";
    }
}

namespace {

// (1 - e^-u)/u, the divided difference of the exponential; 1 at u = 0. Exact for small |u|, where
// 1 - e^-u and u vanish together.
double OneMinusExpOver(double u) { return u == 0.0 ? 1.0 : -std::expm1(-u) / u; }

}  // namespace

double ExtentFromRoots(double r1, double r2, double d, double kt) {
    // Within this exponent E stays between 0.6 and 1.7, so 1 + r2·φ carries no cancellation.
    constexpr double kNaheBereich = 0.5;
    const double z = -kt * d;
    if (!(std::fabs(z) > kNaheBereich)) {
        const double phi = kt * OneMinusExpOver(-z);
        // For a large φ (long times at coinciding roots) the form divided by φ cannot overflow.
        if (std::fabs(phi) > 1.0) return CheckedDiv(r1 * r2, 1.0 / phi + r2);
        return CheckedDiv(r1 * r2 * phi, 1.0 + r2 * phi);
    }
    if (z > 0.0) {
        // x = r1·r2·(1/E - 1)/(r1/E - r2), with 1/E = exp(-min(z, 709.782)) never 0.
        const double zc = z > kExpClamp ? kExpClamp : z;
        return CheckedDiv(r1 * r2 * std::expm1(-zc), r1 * std::exp(-zc) - r2);
    }
    return CheckedDiv(-r1 * r2 * std::expm1(z), r1 - r2 * std::exp(z));
}

double ExpDifferenceQuotient(double k1, double k2, double t) {
    // = e^(-kmin·t)·(1 - e^(-δ·t))/δ with δ = |k2 - k1| >= 0: no overflow, no cancellation near δ = 0.
    const double kmin = k1 < k2 ? k1 : k2;
    const double delta = std::fabs(k2 - k1);
    return std::exp(-kmin * t) * t * OneMinusExpOver(delta * t);
}

double ReversibleExtent(bool model12, double c0A, double c0B, double c0P, double k1, double k2, double t) {
    // The discriminants are written as sums of terms that are not negative for non-negative inputs, so
    // they keep their digits where the two roots meet (c(A,0) = c(B,0) and a tiny k2); the root
    // difference 2w goes to the extent as it is.
    if (model12) {
        // a x² + b x + cc = 0; a zero leading coefficient is replaced by a tiny one.
        const double cc = k1 * c0A * c0B - k2 * c0P * c0P;
        const double b = -k1 * c0A - k1 * c0B - 4.0 * k2 * c0P;
        double a = k1 - 4.0 * k2;
        double w = 0;
        if (a == 0) {
            a = kErsatzKoeffizient;
            w = CheckedSqrt(b * b / (4.0 * a * a) - cc / a);
        } else {
            // b² - 4a·cc
            const double dAB = c0A - c0B;
            const double disc =
                k1 * k1 * dAB * dAB + 4.0 * k1 * k2 * (c0P * c0P + 2.0 * c0P * (c0A + c0B) + 4.0 * c0A * c0B);
            w = CheckedSqrt(disc) / (2.0 * std::fabs(a));
        }
        const double m = -b / (2.0 * a);
        return ExtentFromRoots(m + w, m - w, 2.0 * w, a * t);
    }
    // x² + p x + q = 0 with p = -(c0A + c0B) - k2/k1, q = c0A·c0B - c0P·k2/k1.
    const double kr = CheckedDiv(k2, k1);
    const double p = -(c0A + c0B) - kr;
    const double h = (c0A - c0B) / 2.0;
    const double w = CheckedSqrt(h * h + kr * ((c0A + c0B) / 2.0 + c0P) + kr * kr / 4.0);  // p²/4 - q
    return ExtentFromRoots(-p / 2.0 + w, -p / 2.0 - w, 2.0 * w, k1 * t);
}

bool ClosedFormKonzentrationen(int model, double t, const ConcVector& c0, const KVector& k, ConcVector& c) {
    const double k1 = k[1], k2 = k[2];
    const double c0A = c0[A], c0B = c0[B], c0C = c0[C], c0P = c0[P], c0Q = c0[Q];
    switch (model) {
    case 1: {
        const double x = k1 * t;
        c[A] = c0A - x;
        c[P] = c0P + x;
        if (c[A] < 0) {
            c[A] = 0;
            c[P] = c0P + c0A;
        }
        break;
    }
    case 2: {
        const double x = c0A * (1.0 - std::exp(-k1 * t));
        c[A] = CheckFinite(c0A - x);
        c[P] = c0P + x;
        break;
    }
    case 3: {
        const double x = (c0A / 2) * (1.0 - CheckedDiv(1.0, 1.0 + 2.0 * k1 * c0A * t));
        c[A] = c0A - 2.0 * x;
        c[P] = c0P + x;
        break;
    }
    case 4: {
        double x;
        if (c0A == c0B) {
            x = c0A * (1.0 - CheckedDiv(1.0, 1.0 + k1 * c0A * t));
        } else {
            x = ExtentFromRoots(c0B, c0A, c0B - c0A, k1 * t);
        }
        c[A] = c0A - x;
        c[B] = c0A == c0B ? c[A] : c0B - x;
        c[P] = c0P + x;
        break;
    }
    case 5: case 16: {
        // x = c0A·c0P·(E - 1)/(c0A + c0P·E), E = exp(k1·(c0A + c0P)·t)
        const double x = ExtentFromRoots(c0A, -c0P, c0A + c0P, -k1 * t);
        c[A] = c0A - x;
        c[P] = c0P + x;
        c[Q] = c0Q + x;
        break;
    }
    case 6: {
        // C = k1·c0A·(e^(-k1·t) - e^(-k2·t))/(k2 - k1) + c0C·e^(-k2·t), exact also at k1 = k2.
        c[A] = c0A * std::exp(-k1 * t);
        c[C] = k1 * c0A * ExpDifferenceQuotient(k1, k2, t) + c0C * std::exp(-k2 * t);
        c[P] = CheckFinite(c0A - c[A] - c[C] + c0C + c0P);
        break;
    }
    case 8: {
        const double E = ExpClamped(-(k1 + k2) * t);
        const double x = CheckedDiv((k2 * c0P - k1 * c0A) * E - k2 * c0P + k1 * c0A, k1 + k2);
        c[A] = c0A - x;
        c[P] = c0P + x;
        break;
    }
    case 11: {
        const double ks = k1 + k2;
        const double E = ExpClamped(-ks * t);
        c[A] = c0A * E;
        c[P] = c0P + CheckedDiv(k1 * c0A, ks) * (1.0 - E);
        c[Q] = c0Q + CheckedDiv(k2 * c0A, ks) * (1.0 - E);
        break;
    }
    case 12: {
        const double x = ReversibleExtent(true, c0A, c0B, c0P, k1, k2, t);
        c[A] = c0A - x;
        c[B] = c0B - x;
        c[P] = c0P + 2.0 * x;
        break;
    }
    case 17: {
        const double x = ReversibleExtent(false, c0A, c0B, c0P, k1, k2, t);
        c[A] = c0A - x;
        c[B] = c0B - x;
        c[P] = c0P + x;
        break;
    }
    case 19: {
        const double K = CheckedDiv(k2, k1);
        const double a = 1.0 - K;
        const double b = -((c0P + c0Q) * K + c0A + c0B);
        const double cc = c0A * c0B - K * c0P * c0Q;
        const double D = b * b - 4.0 * a * cc;
        if (D < 0) return false;
        const double s = -std::sqrt(D);
        const double E = ExpClamped(k1 * s * t);
        const double d = (-b - s) - (-b + s) * E;
        if (d == 0) return false;
        const double x = CheckFinite(2.0 * cc * (1.0 - E) / d);
        c[A] = c0A - x;
        c[B] = c0B - x;
        c[P] = c0P + x;
        c[Q] = c0Q + x;
        break;
    }
    default:
        return true;
    }
    for (int s = 1; s <= 5; ++s) {
        if (ClosedFormSlots(model)[s - 1] == '1') CheckFinite(c[s]);
    }
    return true;
}

}  // namespace kernel
