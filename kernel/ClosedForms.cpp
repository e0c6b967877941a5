#include "kernel/ClosedForms.h"

#include <cmath>

#include "kernel/RuntimeError.h"

namespace kernel {

namespace {
constexpr double kKbVersatz = 1e-12;        // model 6: keeps k2 - k1 away from 0
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

double ExtentFromRoots(double r1, double r2, double z) {
    // Near E = 1 (nearly equal roots, short times) expm1 keeps 1 - E accurate; far from it the plain
    // exponential keeps the tiny 1/E that decides the denominator when a root is 0.
    constexpr double kExpm1Bereich = 0.5;
    double num, den;
    if (z > 0.0) {
        const double zc = z > kExpClamp ? kExpClamp : z;
        const double G = std::exp(-zc);  // 1/E, never 0
        if (G > kExpm1Bereich) {
            const double gm1 = std::expm1(-zc);
            num = r1 * r2 * gm1;
            den = (r1 - r2) + r1 * gm1;
        } else {
            num = r1 * r2 * (G - 1.0);
            den = r1 * G - r2;
        }
    } else {
        const double E = std::exp(z);
        if (E > kExpm1Bereich) {
            const double em1 = std::expm1(z);
            num = -r1 * r2 * em1;
            den = (r1 - r2) - r2 * em1;
        } else {
            num = r1 * r2 * (1.0 - E);
            den = r1 - r2 * E;
        }
    }
    return CheckedDiv(num, den);
}

double ReversibleExtent(bool model12, double c0A, double c0B, double c0P, double k1, double k2, double t) {
    if (model12) {
        // a x² + b x + cc = 0; a zero leading coefficient is replaced by a tiny one.
        const double cc = k1 * c0A * c0B - k2 * c0P * c0P;
        const double b = -k1 * c0A - k1 * c0B - 4.0 * k2 * c0P;
        double a = k1 - 4.0 * k2;
        if (a == 0) a = kErsatzKoeffizient;
        const double w = CheckedSqrt(b * b / (4.0 * a * a) - cc / a);
        const double r1 = -b / (2.0 * a) + w, r2 = -b / (2.0 * a) - w;
        return ExtentFromRoots(r1, r2, -a * (r1 - r2) * t);
    }
    const double q = CheckedDiv(k1 * c0A * c0B - k2 * c0P, k1);
    const double p = CheckedDiv(-k1 * c0A - k1 * c0B - k2, k1);
    const double w = CheckedSqrt(p * p / 4.0 - q);
    const double r1 = -p / 2.0 + w, r2 = -p / 2.0 - w;
    return ExtentFromRoots(r1, r2, -k1 * (r1 - r2) * t);
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
            x = ExtentFromRoots(c0B, c0A, (c0A - c0B) * k1 * t);
        }
        c[A] = c0A - x;
        c[B] = c0A == c0B ? c[A] : c0B - x;
        c[P] = c0P + x;
        break;
    }
    case 5: case 16: {
        // x = c0A·c0P·(E - 1)/(c0A + c0P·E), E = exp(k1·(c0A + c0P)·t)
        const double x = ExtentFromRoots(c0A, -c0P, k1 * (c0A + c0P) * t);
        c[A] = c0A - x;
        c[P] = c0P + x;
        c[Q] = c0Q + x;
        break;
    }
    case 6: {
        const double kb = k2 + kKbVersatz;
        const double ea = std::exp(-k1 * t), eb = std::exp(-kb * t);
        c[A] = c0A * ea;
        c[C] = CheckedDiv(k1 * c0A, kb - k1) * (ea - eb) + c0C * eb;
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
