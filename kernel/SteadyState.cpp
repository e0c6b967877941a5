#include "kernel/SteadyState.h"

#include <cmath>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"

namespace kernel {

const char* const kSteadyMsgTitle = " Ausführung nicht möglich ";
const char* const kMsgNotEnoughB = "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.";
const char* const kMsgNotEnoughBTest =
    "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.\r\n"
    "(Testen Sie durch Vorgabe der Verweilzeit)";
const char* const kMsgNotReachable =
    "Der vorgegebene Umsatz ist mit diesen Konzentrationen nicht erreichbar.\r\n"
    "(Testen Sie durch Vorgabe der Verweilzeit)";

namespace {

constexpr int kMsgStyle = platform::MsgCritical + platform::MsgOkOnly;
constexpr double kSearchStartU = -0.099;    // model-7 search: first trial conversion is -0.099 + 0.1
constexpr double kSearchStepU = 0.1;
constexpr double kSearchMaxU = 1.0 - 1e-7;  // trial conversions stay just below full conversion
constexpr double kSearchMinStep = 1e-8;     // both searches stop when the step falls below this
constexpr int kModel7MaxTrials = 1000;
constexpr double kModel20StartOffset = 1e-8;

enum Slot { A = 1, B = 2, C = 3, P = 4, Q = 5 };

// Roots x1 >= x2 of x² + p·x + q = 0; ok is false when D = p²/4 - q is not positive (zero included).
// The root of smaller magnitude is taken from the product of the roots, so neither loses digits.
struct Roots {
    bool ok = false;
    double x1 = 0, x2 = 0;
};

Roots SolveMonic(double p, double q) {
    const double D = CheckFinite(p * p / 4.0 - q);
    Roots r;
    if (!(D > 0.0)) return r;
    const double w = std::sqrt(D);
    r.ok = true;
    if (p > 0.0) {
        r.x2 = -p / 2.0 - w;
        r.x1 = q / r.x2;
    } else {
        r.x1 = -p / 2.0 + w;
        r.x2 = q / r.x1;
    }
    return r;
}

// The extent root rule: the larger root unless (factor ·) it exceeds the inlet A, then the smaller.
double ExtentRoot(const Roots& r, double inletA, double factor = 1.0) { return factor * r.x1 <= inletA ? r.x1 : r.x2; }

// Rate of A at the outlet composition.
double RateOfA(int model, const ConcVector& out) {
    RateVector dc{};
    Derivs(model, dc, kWert, out);
    return dc[A];
}

// Extent xi1 of A + B => C for a given conversion U of A in A + B => C; A + C => P, from the ratio of the
// two steady-state rates: (k1 - 2 k2) xi1² - (k1 a U + k1 b + k2 c - k2 a U) xi1 + k1 a U b = 0.
// With k1 = 2 k2 the equation is linear. False when the quadratic has no real pair of roots.
bool Model7Extent(const ConcVector& in, double U, double& xi1) {
    const double k1 = kWert[1], k2 = kWert[2];
    const double a = in[A], b = in[B], c = in[C];
    const double bracket = k1 * a * U + k1 * b + k2 * c - k2 * a * U;
    const double divisor = k1 - 2.0 * k2;
    if (divisor == 0.0) {
        xi1 = CheckedDiv(k1 * a * U * b, bracket);
        return true;
    }
    const Roots r = SolveMonic(-bracket / divisor, k1 * a * U * b / divisor);
    if (!r.ok) return false;
    xi1 = ExtentRoot(r, a);
    return true;
}

void ClearOutletAtoP(ConcVector& out) {
    for (int s = A; s <= P; ++s) out[s] = 0.0;
}

// Model 7, given residence time: stepping search on the conversion U until the residence time that U
// needs, U·a / (-r(A)), meets tau.
SteadyOutcome Model7Search(const ConcVector& in, double tau, ConcVector& out, ExtentVector& ksi, double& U, int& errA,
                           int& errB, const SteadyRules& rules) {
    const double a = in[A];
    U = kSearchStartU;
    double h = kSearchStepU, gPrev = 1.0, tauU = 0.0;
    int m = 0;
    do {
        U += h;
        ++m;
        if (U >= 1.0) U = kSearchMaxU;
        double xi1 = 0;
        if (!Model7Extent(in, U, xi1)) {
            errB = -1;
        } else {
            ksi[1] = xi1;
            ksi[2] = a * U - xi1;
            out[A] = a - ksi[1] - ksi[2];
            out[B] = in[B] - ksi[1];
            if (out[B] < 0.0) {
                errA = -1;
                ClearOutletAtoP(out);
                return SteadyOutcome::Stopped;
            }
            out[C] = in[C] + ksi[1] - ksi[2];
            tauU = a * U / -RateOfA(7, out);
        }
        const double g = tau - tauU;
        if (gPrev / g < 0.0) h = -0.1 * h;
        gPrev = g;
    } while (!(std::fabs(h) < kSearchMinStep || m > kModel7MaxTrials));
    if (errB != 0 || m > kModel7MaxTrials) {
        errB = -1;
        return SteadyOutcome::Stopped;
    }
    out[P] = in[P] + ksi[2];
    if (rules.model7OutletPTest && out[P] < 0.0) {
        errA = -1;
        ClearOutletAtoP(out);
        return SteadyOutcome::Stopped;
    }
    return SteadyOutcome::Solved;
}

// Model 20, given residence time: stepping search on x = xi1 for ln x = ln tau + ln k1 + n ln(a - x).
SteadyOutcome Model20Search(const ConcVector& in, double tau, ConcVector& out, ExtentVector& ksi, int& errB,
                            const SteadyRules& rules) {
    const double a = in[A];
    const double n = ReaktOrdnung;
    const double lnTau = CheckedLog(tau), lnK1 = CheckedLog(kWert[1]);
    double h = a / 100.0, g = 1.0, gPrev = -1.0;
    double x = -h + kModel20StartOffset;
    int m = 0;
    do {
        x += h;
        ++m;
        if (x > a && h > 0.0) {
            x -= h;
            h /= 2.0;
            x += h;
        }
        if (a - x > 0.0 && x > 0.0) {
            g = std::log(x) - lnTau - lnK1 - n * std::log(a - x);
        } else {
            errB = -1;
        }
        if (gPrev / g < 0.0) h = -0.1 * h;
        gPrev = g;
    } while (std::fabs(h) >= kSearchMinStep && m <= rules.model20MaxTrials && errB == 0);
    if (m > rules.model20MaxTrials) errB = -1;
    ksi[1] = x;
    out[A] = a - x;
    out[P] = in[P] + x;
    return SteadyOutcome::Solved;
}

// Model 10 (E + S <=> ES => P + E), given residence time. The enzyme is conserved, c(E) = Etot - c(ES)
// with Etot = c0(E) + c0(ES); with x = c(ES), xi2 = k3·tau·x and xi1 = x - c0(ES) + xi2, the balance of
// the binding step is a quadratic in x whose root lies between 0 and min(Etot, (c0(S) + c0(ES))/(1 + k3 tau)).
SteadyOutcome EnzymeForResidenceTime(const ConcVector& in, double tau, ConcVector& out, ExtentVector& ksi, int& errB) {
    const double k1 = kWert[1], k2 = kWert[2], k3 = kWert[3];
    const double eTot = in[1] + in[3], sTot = in[2] + in[3];
    const double m = 1.0 + k3 * tau;
    const double lead = CheckFinite(k1 * m);
    const double p = -CheckedDiv(k1 * (eTot * m + sTot) + k2 + CheckedDiv(m, tau), lead);
    const double q = CheckedDiv(k1 * eTot * sTot + in[3] / tau, lead);
    const Roots r = SolveMonic(p, q);
    if (!r.ok) {
        errB = -1;
        return SteadyOutcome::Stopped;
    }
    const double bound = std::fmin(eTot, sTot / m);
    const double x = r.x1 <= bound ? r.x1 : r.x2;
    ksi[2] = k3 * tau * x;
    ksi[1] = x - in[3] + ksi[2];
    out[1] = eTot - x;
    out[2] = in[2] - ksi[1];
    out[3] = x;
    out[4] = in[4] + ksi[2];
    out[5] = in[5] + ksi[2];  // slot 5 carries the product extent, as for model 18
    return SteadyOutcome::Solved;
}

// M3: the given conversion needs no positive residence time; the tank derives no volume or flow.
void ShowNotReachable(double& tau, int& errA) {
    platform::MsgBox(kMsgNotReachable, kMsgStyle, kSteadyMsgTitle);
    errA = -1;
    tau = 0.0;
}

// Given conversion, models 10, 15, 18: the root of the residence-time quadratic. Returns 0 when the
// caller goes on with tau, 1 when it goes to the tail unchanged (errB), 2 when M3 was shown.
int ResidenceTimeRoot(double p, double q, bool divisorZero, double& tau, int& errA, int& errB) {
    const Roots r = SolveMonic(p, q);
    if (!r.ok) {
        errB = -1;
        return 1;
    }
    if (divisorZero || r.x1 < 0.0) {
        ShowNotReachable(tau, errA);
        return 2;
    }
    tau = r.x1 > 0.0 ? r.x1 : r.x2;
    return 0;
}

// xi2 of the consecutive step C => P (models 6, 14: k3 = 0 or C <=> P) and of models 9, 13, from the
// balance of C: xi2 = [k2 (c + xi1) - k3 p0] / (1/tau + k2 + k3), with the first-step residual kept.
double SecondExtent(double firstResidual, double xi1, double tau, const ConcVector& in, bool reversible) {
    const double k2 = kWert[2], k3 = reversible ? kWert[3] : 0.0;
    const double num = firstResidual - in[P] * k3 + in[C] * k2 + k2 * xi1;
    return CheckedDiv(num, 1.0 / tau + k2 + k3);
}

// Stoichiometric coefficient of slot s in reaction 1. Model 20: one A gives one P, whatever the order.
double Nu(int model, int s) {
    if (model == 20 && s == A) return -1.0;
    return StoechMatrix[s][1];
}

}  // namespace

SteadyOutcome SolveForResidenceTime(int model, const ConcVector& in, double tau, ConcVector& out,
                                    ExtentVector& ksi, double& U, int& errA, int& errB, const SteadyRules& rules) {
    const double k1 = kWert[1], k2 = kWert[2], k3 = kWert[3];
    const double a = in[A], b = in[B], c = in[C], p0 = in[P], q0 = in[Q];
    double& xi1 = ksi[1];
    double& xi2 = ksi[2];
    const double invTau = CheckedDiv(1.0, tau);

    // Quadratic models: the extent by the root rule, or a stop on a non-positive discriminant.
    auto quadratic = [&](double p, double q, double factor = 1.0) {
        const Roots r = SolveMonic(p, q);
        if (!r.ok) {
            errB = -1;
            return false;
        }
        xi1 = ExtentRoot(r, a, factor);
        return true;
    };
    auto negativeA = [&] {
        if (out[A] < 0.0) errB = -1;
    };
    // lead·xi² + lin·xi + con = 0, solved as a linear equation when lead is 0.
    auto quadraticOrLinear = [&](double lead, double lin, double con) {
        if (lead == 0.0) {
            xi1 = CheckedDiv(-con, lin);
            return true;
        }
        return quadratic(lin / lead, con / lead);
    };

    switch (model) {
    case 1:
        if (rules.model1EmptyInlet && a == 0.0) {
            out[A] = 0.0;
            out[P] = p0;
            return SteadyOutcome::EmptyInlet;
        }
        xi1 = tau * k1;
        if (xi1 > a) xi1 = a;
        out[A] = a - xi1;
        out[P] = p0 + xi1;
        break;
    case 2:
        xi1 = CheckedDiv(a * k1, invTau + k1);
        out[A] = a - xi1;
        out[P] = p0 + xi1;
        break;
    case 3:
        if (!quadratic(-a - CheckedDiv(1.0, 4.0 * k1 * tau), a * a / 4.0, 2.0)) return SteadyOutcome::Stopped;
        out[A] = a - 2.0 * xi1;
        negativeA();
        out[P] = p0 + xi1;
        break;
    case 4:
        if (!quadratic(-a - b - CheckedDiv(1.0, tau * k1), a * b)) return SteadyOutcome::Stopped;
        out[A] = a - xi1;
        negativeA();
        out[B] = b - xi1;
        out[P] = p0 + xi1;
        break;
    case 5:
    case 16:
        if (!quadratic(CheckedDiv(1.0, tau * k1) - a + p0, -a * p0)) return SteadyOutcome::Stopped;
        out[A] = a - xi1;
        out[P] = p0 + xi1;
        out[Q] = q0 + xi1;
        break;
    case 6:
    case 14:
        xi1 = CheckedDiv(tau * k1 * a, tau * k1 + 1.0);
        xi2 = SecondExtent(xi1 * invTau - a * k1 + k1 * xi1, xi1, tau, in, model == 14);
        out[A] = a - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        break;
    case 7: return Model7Search(in, tau, out, ksi, U, errA, errB, rules);
    case 8:
        xi1 = CheckedDiv(tau * k1 * a - tau * k2 * p0, tau * k1 + 1.0 + tau * k2);
        out[A] = a - xi1;
        out[P] = p0 + xi1;
        break;
    case 9:
    case 13:
        if (!quadratic(-CheckedDiv(1.0, tau * k1) - a - b, a * b)) return SteadyOutcome::Stopped;
        xi2 = SecondExtent(xi1 * invTau - a * k1 * b + a * k1 * xi1 + b * k1 * xi1 - k1 * xi1 * xi1, xi1, tau, in,
                           model == 13);
        out[A] = a - xi1;
        out[B] = b - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        break;
    case 10: return EnzymeForResidenceTime(in, tau, out, ksi, errB);
    case 18: {
        const double K = CheckedDiv(k1, k2), s2 = k3 + k2, w = invTau + s2;
        const double dn = k1 - w * K;
        const double p = CheckedDiv(w * K * a + w / (tau * k2) + w * K * b + w - invTau - a * k1 - b * k1 - s2, dn);
        const double q = CheckedDiv(-K * w * a * b + w * c + a * k1 * b - s2 * c, dn);
        if (!quadratic(p, q)) return SteadyOutcome::Stopped;
        xi2 = xi1 / (tau * k2) - K * a * b + K * a * xi1 + K * b * xi1 - K * xi1 * xi1 + c + xi1;
        out[A] = a - xi1;
        out[B] = b - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        out[Q] = q0 + xi2;
        break;
    }
    case 11: {
        const double d = CheckedDiv(1.0, (k2 + k1) * tau) + (CheckedDiv(k2, k1) + 1.0) + CheckedDiv(k2, (k2 + k1) * tau * k1);
        xi1 = CheckedDiv(a, d);
        xi2 = k2 * xi1 / k1;
        out[A] = a - xi1 - xi2;
        out[P] = p0 + xi1;
        out[Q] = q0 + xi2;
        break;
    }
    case 12: {
        // (1 - 4 k2/k1) xi² + lin·xi + con = 0; with k1 = 4 k2 the equation is linear.
        const double lead = 1.0 - 4.0 * CheckedDiv(k2, k1);
        const double lin = -a - b - 4.0 * p0 * k2 / k1 - CheckedDiv(1.0, tau * k1);
        const double con = b * a - p0 * k2 * p0 / k1;
        if (!quadraticOrLinear(lead, lin, con)) return SteadyOutcome::Stopped;
        out[A] = a - xi1;
        negativeA();
        out[B] = b - xi1;
        out[P] = 2.0 * xi1 + p0;
        break;
    }
    case 15: {
        const double K = CheckedDiv(k1, k2), s2 = k3 + k2;
        const double d = CheckedDiv(1.0, tau * k2 * tau) + K * invTau + s2 / (tau * k2) + s2 * K - k1;
        xi1 = CheckedDiv(K * a * invTau - c * invTau + K * a * s2 - a * k1, d);
        xi2 = xi1 / (tau * k2) - K * a + K * xi1 + c + xi1;
        out[A] = a - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        break;
    }
    case 17:
        if (!quadratic(-a - b - CheckedDiv(k2, k1) - CheckedDiv(1.0, tau * k1), b * a - p0 * k2 / k1))
            return SteadyOutcome::Stopped;
        out[A] = a - xi1;
        out[B] = b - xi1;
        out[P] = p0 + xi1;
        break;
    case 19: {
        // (k2 - k1) xi² + lin·xi + con = 0; with k1 = k2 the equation is linear.
        const double lead = k2 - k1;
        const double lin = (b + a) * k1 + invTau + (q0 + p0) * k2;
        const double con = p0 * k2 * q0 - a * k1 * b;
        if (!quadraticOrLinear(lead, lin, con)) return SteadyOutcome::Stopped;
        out[A] = a - xi1;
        negativeA();
        out[B] = b - xi1;
        out[P] = p0 + xi1;
        out[Q] = q0 + xi1;
        break;
    }
    case 20: return Model20Search(in, tau, out, ksi, errB, rules);
    default: return SteadyOutcome::Stopped;
    }
    return SteadyOutcome::Solved;
}

bool SolveForConversion(int model, const ConcVector& in, double U, double& tau, ConcVector& out, ExtentVector& ksi,
                        int& errA, int& errB, const SteadyRules& rules) {
    const double k1 = kWert[1], k2 = kWert[2], k3 = kWert[3];
    const double a = in[A], b = in[B], c = in[C], p0 = in[P], q0 = in[Q];
    double& xi1 = ksi[1];
    double& xi2 = ksi[2];

    // Tail: a residence time below zero means the conversion lies beyond what the tank can reach.
    auto tail = [&] {
        if (tau < 0.0) {
            ShowNotReachable(tau, errA);
            return false;
        }
        return true;
    };

    switch (model) {
    case 6:
    case 14: {
        xi1 = a * U;
        tau = CheckedDiv(xi1, a * k1 - k1 * xi1);
        if (model == 6 && tau == 0.0) {
            errB = -1;
            return tail();
        }
        if (tau < 0.0) return tail();
        xi2 = SecondExtent(CheckedDiv(xi1, tau) - a * k1 + k1 * xi1, xi1, tau, in, model == 14);
        out[A] = a - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        return tail();
    }
    case 7: {
        if (!Model7Extent(in, U, xi1)) {
            errB = -1;
            return tail();
        }
        xi2 = U * a - xi1;
        out[A] = a - xi1 - xi2;
        out[B] = b - xi1;
        if (out[B] < 0.0) {
            errA = -1;
            ClearOutletAtoP(out);
            tau = 0.0;
            return false;
        }
        out[C] = c + xi1 - xi2;
        tau = CheckedDiv(U * a, -RateOfA(7, out));
        out[P] = p0 + xi2;
        return tail();
    }
    case 9:
    case 13: {
        xi1 = U * a;
        tau = CheckedDiv(xi1, a * k1 * b - a * k1 * xi1 - b * k1 * xi1 + k1 * xi1 * xi1);
        if (model == 9 && tau == 0.0) {
            errB = -1;
            return tail();
        }
        if (tau < 0.0 && !rules.consecutiveBMessage) return tail();
        xi2 = SecondExtent(CheckedDiv(xi1, tau) - a * k1 * b + a * k1 * xi1 + b * k1 * xi1 - k1 * xi1 * xi1, xi1, tau,
                           in, model == 13);
        out[A] = a - a * U;
        out[B] = b - a * U;
        if (rules.consecutiveBMessage && out[B] < 0.0) {
            platform::MsgBox(kMsgNotEnoughBTest, kMsgStyle, kSteadyMsgTitle);
            errA = -1;
            return false;
        }
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        return tail();
    }
    case 10: {
        // Enzyme conserved: c(E) = (1 - U)·a, c(ES) = a + c - c(E). With x = c(ES), xi2 = k3·tau·x and
        // xi1 = x - c + xi2, the balance of the binding step is a quadratic in tau.
        const double e = (1.0 - U) * a, x = a + c - e, sTot = b + c;
        const double d = k1 * e * k3 * x;
        double p = (k2 + k3) * x - k1 * e * (sTot - x), q = x - c;
        if (d != 0.0) {
            p /= d;
            q /= d;
        } else {
            q = 0.0;
        }
        const int root = ResidenceTimeRoot(CheckFinite(p), CheckFinite(q), d == 0.0, tau, errA, errB);
        if (root == 1) return tail();
        if (root == 2) return false;
        xi2 = k3 * tau * x;
        xi1 = x - c + xi2;
        out[1] = e;
        out[2] = b - xi1;
        out[3] = x;
        out[4] = p0 + xi2;
        out[5] = q0 + xi2;
        return tail();
    }
    case 18: {
        const double K = CheckedDiv(k1, k2), s2 = k3 + k2;
        xi1 = U * a;
        const double X = a * b - a * xi1 - b * xi1 + xi1 * xi1;
        const double dn = k1 * X - s2 * K * X;
        const double bracket = K * X - c - s2 * xi1 / k2;
        double p = bracket, q = 0.0;
        if (dn != 0.0) {
            p = bracket / -dn;
            q = xi1 / (dn * k2);
        }
        const int root = ResidenceTimeRoot(CheckFinite(p), CheckFinite(q), dn == 0.0, tau, errA, errB);
        if (root == 1) return tail();
        if (root == 2) return false;
        xi2 = xi1 / (tau * k2) - K * X + c + xi1;
        out[A] = a - xi1;
        out[B] = b - xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        out[Q] = q0 + xi2;
        return tail();
    }
    case 11: {
        xi1 = CheckedDiv(U * a, CheckedDiv(k2, k1) + 1.0);
        xi2 = k2 * xi1 / k1;
        out[A] = a - xi1 - xi2;
        out[P] = p0 + xi1;
        out[Q] = q0 + xi2;
        tau = CheckedDiv(a - out[A], -RateOfA(11, out));
        return tail();
    }
    case 15: {
        const double K = CheckedDiv(k1, k2), s2 = k3 + k2;
        out[A] = (1.0 - U) * a;
        xi1 = a - out[A];
        const double dn = a * k1 - k1 * xi1 - K * a * s2 + K * xi1 * s2;
        double p = 1.0, q = 0.0;
        if (dn != 0.0) {
            p = -a * K / dn + K * xi1 / dn + c / dn + s2 * xi1 / (dn * k2);
            q = xi1 / (dn * k2);
        }
        const int root = ResidenceTimeRoot(CheckFinite(p), CheckFinite(q), dn == 0.0, tau, errA, errB);
        if (root == 1) return tail();
        if (root == 2) return false;
        xi2 = xi1 / (tau * k2) - K * a + K * xi1 + c + xi1;
        out[C] = c + xi1 - xi2;
        out[P] = p0 + xi2;
        return tail();
    }
    default: {
        // One reaction whose coefficients come from the stoichiometric matrix.
        xi1 = CheckedDiv(a * U, -Nu(model, A));
        out[A] = (1.0 - U) * a;
        out[B] = b + Nu(model, B) * xi1;
        if (out[B] < 0.0 && (model == 4 || model == 12 || model == 17 || model == 19)) {
            platform::MsgBox(kMsgNotEnoughB, kMsgStyle, kSteadyMsgTitle);
            errA = -1;
            return false;
        }
        out[P] = p0 + Nu(model, P) * xi1;
        out[Q] = q0 + Nu(model, Q) * xi1;
        const double rateA = RateOfA(model, out);
        if (rateA == 0.0) {
            errB = -1;
            tau = 0.0;
            return false;
        }
        tau = CheckedDiv(a - out[A], -rateA);
        return tail();
    }
    }
}

}  // namespace kernel
