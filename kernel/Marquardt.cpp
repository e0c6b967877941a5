#include "kernel/Marquardt.h"

#include <cmath>
#include <string>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"

namespace kernel {
namespace {

constexpr double kStartLambda = 0.0001;
constexpr double kLambdaIncrease = 10;
constexpr double kLambdaFloor = 3e-16;       // lambda after an increase that left it <= 0
constexpr double kPhi = 1;                   // added to every damped diagonal element, times lambda
constexpr double kConvergenceShift = 10;     // x counts as unchanged when x + 10 does not change
constexpr double kBoundEps = 3e-16;          // a parameter within (|bound| + eps)·eps of a bound rests on it
const double kProbeH0 = 10 * std::sqrt(3e-16);  // relative probe step of the post-analysis

constexpr const char* kErrorTitle = "Meldung von Sub MarquardtNashFitting";
constexpr const char* kEvalFailedText = "Das kinetische Modell konnte nicht berechnet werden.";

// Index of element (j, k), k <= j, in packed lower-triangle storage.
inline int Packed(int j, int k) { return j * (j - 1) / 2 + k; }

// ×4 then ÷10: ×4 is exact, so the result is λ·0.4 rounded once. λ·0.4 would carry the rounding of
// the constant 0.4 as well, and the sequence of damping values decides where a fit ends.
inline double DecreaseLambda(double lambda) { return lambda * 4 / 10; }

}  // namespace

MarquardtSettings MarquardtStandard(int DiagVariante, const std::array<int, 4>& ParamFixiert) {
    MarquardtSettings s;
    s.ParamFixiert = ParamFixiert;
    if (DiagVariante > 5) {
        s.U[1] = 1e18;
        s.JacobianLimit = 250;
        s.EvalLimitPerParam = 200;
    }
    return s;
}

void CholeskiZerlegung(int np, std::vector<double>& a, const std::array<double, 4>& S, int& singular) {
    for (int j = 1; j <= np; ++j) {
        const int q = j * (j + 1) / 2;
        if (j > 1) {
            for (int i = j; i <= np; ++i) {
                const int mi = Packed(i, j);
                double s = a[mi];
                for (int k = 1; k <= j - 1; ++k) s -= a[mi - k] * a[q - k];
                a[mi] = s;
            }
        }
        double s = 0;
        if (S[j] <= 0) {
            a[q] = 0;
        } else {
            if (a[q] <= 0) {
                singular = 1;
                return;
            }
            s = 1 / std::sqrt(a[q]);
        }
        for (int i = j; i <= np; ++i) a[Packed(i, j)] *= s;
    }
}

void CholeskiRueck(int np, const std::vector<double>& a, const std::array<double, 4>& S, std::vector<double>& x) {
    // Forward: L·z = x.
    x[1] = S[1] > 0 ? x[1] / a[1] : 0;
    int q = 1;
    for (int i = 2; i <= np; ++i) {
        for (int j = 1; j <= i - 1; ++j) {
            ++q;
            x[i] -= a[q] * x[j];
        }
        ++q;
        x[i] = S[i] > 0 ? x[i] / a[q] : 0;
    }
    // Backward: Lᵀ·y = z.
    const int nn2 = np * (np + 1) / 2;
    x[np] = S[np] > 0 ? x[np] / a[nn2] : 0;
    for (int i = np; i >= 2; --i) {
        q = i * (i - 1) / 2;
        for (int j = 1; j <= i - 1; ++j) x[j] -= a[q + j] * x[i];
        x[i - 1] = S[i - 1] > 0 ? x[i - 1] / a[q] : 0;
    }
}

void MarquardtNashFitting(int np, int m, std::vector<double>& B, std::vector<double>& SD, int& failed,
                          MarquardtObjective& objective, const MarquardtSettings& settings, MarquardtInfo* info) {
    failed = kFitOk;
    if (np < 1 || np > kMaxFitParams || static_cast<int>(B.size()) < np + 1) {
        failed = kFitRefused;
        return;
    }
    const int nn2 = np * (np + 1) / 2;
    std::vector<double> X(np + 1, 0.0), delta(np + 1, 0.0), v(np + 1, 0.0), J(np + 1, 0.0);
    std::vector<double> a(nn2 + 1, 0.0), c(nn2 + 1, 0.0);
    SD.assign(np + 1, 0.0);

    const int jacobianLimit = settings.JacobianLimit;
    const int evalLimit = settings.EvalLimitPerParam * np;
    const std::array<double, 4>& L = settings.L;
    const std::array<double, 4>& U = settings.U;
    std::array<double, 4> S{};
    for (int i = 1; i <= kMaxFitParams; ++i) S[i] = settings.ParamFixiert[i] != 0 ? kStateMasked : kStateFree;
    int nJacobian = 0;
    int nEval = 0;
    double Fmin = 0;
    bool sdComputed = false;

    // Only rows that can contribute count as observations.
    int nContributing = 0;
    for (int i = 1; i <= m; ++i)
        if (objective.RowContributes(i)) ++nContributing;

    auto report = [&] {
        if (!info) return;
        info->S = S;
        info->nJacobian = nJacobian;
        info->nEval = nEval;
        info->Fmin = Fmin;
        info->nContributing = nContributing;
    };
    auto fillSD = [&](double value) {
        for (int i = 1; i <= np; ++i) SD[i] = value;
    };
    // A limit ends the run at the best point accepted so far.
    auto limitExit = [&] {
        for (int i = 1; i <= np; ++i) B[i] = X[i];
        if (!sdComputed) fillSD(kSingularSD);
        failed = kFitLimit;
        report();
    };
    // A failed evaluation where the run cannot go on, or a value beyond the Double range.
    auto runtimeExit = [&](const std::string& text) {
        for (int i = 1; i <= np; ++i) B[i] = X[i];
        fillSD(kSingularSD);
        failed = kFitRuntimeError;
        report();
        platform::MsgBox("Fehler aufgetreten: " + CrLf + text, platform::MsgCritical, kErrorTitle);
    };
    auto evaluate = [&](double& sum) {
        int err = 0;
        sum = 0;
        objective.calcFQS_Marquardt(m, B, sum, nEval, err);
        return err == 0 && std::isfinite(sum);
    };

    if (!objective.CheckReady()) {
        fillSD(kSingularSD);
        failed = kFitRefused;
        report();
        return;
    }

    // Start point: free parameters are moved into their bounds.
    int nMasked = np;
    for (int i = 1; i <= np; ++i) {
        if (S[i] != kStateMasked) {
            S[i] = kStateFree;
            --nMasked;
            if (B[i] < L[i]) {
                B[i] = L[i];
                S[i] = kStateAtLower;
            }
            if (B[i] > U[i]) {
                if (S[i] == kStateAtLower) {  // the bounds cross: hold the parameter
                    S[i] = kStateMasked;
                    ++nMasked;
                } else {
                    B[i] = U[i];
                    S[i] = kStateAtUpper;
                }
            }
        }
        X[i] = B[i];
    }
    const int nFree = np - nMasked;

    double lambda = kStartLambda;
    double p = 0;
    {
        int err = 0;
        objective.calcFQS_Marquardt(m, B, p, nEval, err);
        if (err != 0) return runtimeExit(kEvalFailedText);
        if (!std::isfinite(p)) return runtimeExit(ErrorDescription(ErrorKind::Overflow));
    }

    bool newJacobian = true;
    for (;;) {
        if (newJacobian) {
            newJacobian = false;
            lambda = DecreaseLambda(lambda);
            Fmin = p;
            for (int i = 1; i <= np; ++i) X[i] = B[i];
            for (int k = 1; k <= nn2; ++k) a[k] = 0;
            for (int j = 1; j <= np; ++j) v[j] = 0;
            for (int i = 1; i <= m; ++i) {
                double r = 0;
                int err = 0;
                for (int j = 1; j <= np; ++j) J[j] = 0;
                objective.CalcAbleitungen(np, i, B, r, J, err);
                if (err != 0) return runtimeExit(kEvalFailedText);
                bool finite = std::isfinite(r);
                for (int j = 1; j <= np; ++j) finite = finite && std::isfinite(J[j]);
                if (!finite) return runtimeExit(ErrorDescription(ErrorKind::Overflow));
                for (int j = 1; j <= np; ++j) {
                    v[j] += J[j] * r;
                    for (int k = 1; k <= j; ++k) a[Packed(j, k)] += J[j] * J[k];
                }
            }
            ++nJacobian;
            if (nJacobian > jacobianLimit) return limitExit();
            for (int k = 1; k <= nn2; ++k)
                if (!std::isfinite(a[k])) return runtimeExit(ErrorDescription(ErrorKind::Overflow));
            for (int j = 1; j <= np; ++j)
                if (!std::isfinite(v[j])) return runtimeExit(ErrorDescription(ErrorKind::Overflow));
            c = a;
            // A parameter on a bound is released when the descent direction -v points back into the box.
            for (int i = 1; i <= np; ++i) {
                if (S[i] < 0) {
                    if ((S[i] + 1.5) * v[i] > 0)
                        S[i] = kStateFree;
                    else
                        v[i] = 0;
                }
            }
        }

        // Damped normal equations.
        for (int j = 1; j <= np; ++j) {
            const int q = j * (j + 1) / 2;
            a[q] = c[q] * (1 + lambda) + kPhi * lambda;
            delta[j] = -v[j];
            for (int i = 1; i <= j - 1; ++i) a[q - i] = c[q - i];
        }
        int singular = 0;
        CholeskiZerlegung(np, a, S, singular);
        bool usable = singular == 0;
        if (usable) {
            CholeskiRueck(np, a, S, delta);
            double gradproj = 0;
            for (int i = 1; i <= np; ++i) {
                if (S[i] != kStateFree) delta[i] = 0;
                if (!std::isfinite(delta[i])) usable = false;
                gradproj += delta[i] * v[i];
            }
            if (gradproj > 0) usable = false;  // uphill: no evaluation is spent
        }

        if (usable) {
            // Scale the whole step so that the first bound in its way is met exactly.
            double t = 1;
            for (int i = 1; i <= np; ++i) {
                if (delta[i] > 0)
                    t = std::fmin(t, (U[i] - X[i]) / delta[i]);
                else if (delta[i] < 0)
                    t = std::fmin(t, (L[i] - X[i]) / delta[i]);
            }
            int unchanged = 0;
            for (int i = 1; i <= np; ++i) {
                if (S[i] == kStateMasked) continue;
                B[i] = X[i] + t * delta[i];
                if (delta[i] > 0 && (U[i] - X[i]) / delta[i] <= t) B[i] = U[i];
                if (delta[i] < 0 && (L[i] - X[i]) / delta[i] <= t) B[i] = L[i];
                if (B[i] + kConvergenceShift == X[i] + kConvergenceShift) {
                    B[i] = X[i];
                    ++unchanged;
                }
            }
            if (unchanged == nFree) break;  // converged

            const bool ok = evaluate(p);
            if (nEval > evalLimit) return limitExit();
            if (ok && p < Fmin) {
                for (int i = 1; i <= np; ++i) {
                    if (S[i] > 0) {
                        if (B[i] - L[i] <= (std::fabs(L[i]) + kBoundEps) * kBoundEps) S[i] = kStateAtLower;
                        if (U[i] - B[i] <= (std::fabs(U[i]) + kBoundEps) * kBoundEps) S[i] = kStateAtUpper;
                    }
                }
                newJacobian = true;
                continue;
            }
        }

        // Rejected, singular, uphill or failed: more damping, same Jacobian.
        lambda *= kLambdaIncrease;
        if (lambda <= 0) lambda = kLambdaFloor;
        if (!std::isfinite(lambda)) return runtimeExit(ErrorDescription(ErrorKind::Overflow));
    }

    // Standard deviations from the undamped normal matrix of the last Jacobian (B = X here).
    a = c;
    if (nContributing <= nFree) {
        fillSD(kSingularSD);
    } else {
        const double sigma2 = Fmin / (nContributing - nFree);
        int singular = 0;
        CholeskiZerlegung(np, a, S, singular);
        if (singular != 0) {
            fillSD(kSingularSD);
        } else {
            std::vector<double> x(np + 1, 0.0);
            for (int i = 1; i <= np; ++i) {
                for (int k = 1; k <= np; ++k) x[k] = k == i ? 1 : 0;
                CholeskiRueck(np, a, S, x);
                SD[i] = std::sqrt(std::fabs(sigma2) * x[i]);
                if (!std::isfinite(SD[i])) return runtimeExit(ErrorDescription(ErrorKind::InvalidArgument));
            }
        }
    }
    sdComputed = true;

    // Probing: a step of ±h in each parameter that lowers the sum moves the point.
    for (int i = 1; i <= np; ++i) {
        if (S[i] == kStateMasked) continue;
        const double h = (std::fabs(X[i]) + kProbeH0) * kProbeH0;
        double sum = 0;
        B[i] = X[i] - h;
        if (B[i] >= L[i]) {
            const bool ok = evaluate(sum);
            if (nEval > evalLimit) return limitExit();
            if (ok && sum < Fmin)
                for (int k = 1; k <= i; ++k) X[k] = B[k];
        }
        B[i] = X[i] + h;
        if (B[i] <= U[i]) {
            const bool ok = evaluate(sum);
            if (nEval > evalLimit) return limitExit();
            if (ok && sum < Fmin)
                for (int k = 1; k <= i; ++k) X[k] = B[k];
        }
        B[i] = X[i];
    }
    report();
}

}  // namespace kernel
