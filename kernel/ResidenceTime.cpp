#include "kernel/ResidenceTime.h"

#include <cmath>

namespace kernel {

namespace {

// The result when every intermediate was finite, else the failure: err := -1 and 0.
double FiniteOrFail(double value, bool allFinite, int& err) {
    if (!allFinite || !std::isfinite(value)) {
        err = -1;
        return 0.0;
    }
    return value;
}

// sum_{i=0}^{N-1} x^i / i!, the Poisson sum of the F functions; false on a non-finite term.
bool PoissonSum(double x, int N, double& sum) {
    sum = 0.0;
    for (int i = 0; i <= N - 1; ++i) {
        const double f = Fakultaet(i);
        if (f < 0) return false;
        sum += std::pow(x, static_cast<double>(i)) / f;
        if (!std::isfinite(sum)) return false;
    }
    return true;
}

double CumulativeF(double x, int N, int& err) {
    const double ex = std::exp(-x);
    double sum = 0.0;
    const bool ok = PoissonSum(x, N, sum) && std::isfinite(ex);
    return FiniteOrFail(1.0 - sum * ex, ok, err);
}

}  // namespace

double Fakultaet(int n) {
    double f = 1.0;
    for (int i = 2; i <= n; ++i) {
        f *= static_cast<double>(i);
        if (!std::isfinite(f)) return -1.0;
    }
    return f;
}

double FuVerweilE(double t, int N, double tm, int& err) {
    err = 0;
    if (N == 0) {  // tm / 0
        err = -1;
        return 0.0;
    }
    const float tauI = static_cast<float>(tm / N);
    if (!(tauI > 0.0f) || !std::isfinite(tauI)) {
        err = -1;
        return 0.0;
    }
    const double ti = tauI;
    const double f1 = Fakultaet(N - 1);
    const double ex = std::exp(-t / ti);
    const double power = std::pow(t / ti, static_cast<double>(N - 1));
    const double e = power * (1.0 / ti) * (1.0 / f1) * ex;
    return FiniteOrFail(e, f1 > 0 && std::isfinite(power) && std::isfinite(ex), err);
}

double FuVerweilEdimlos(double t, int N, double tm, int& err) {
    err = 0;
    if (!(tm > 0.0)) {
        err = -1;
        return 0.0;
    }
    const double theta = t / tm;
    const double f1 = Fakultaet(N - 1);
    const double power = std::pow(N * theta, static_cast<double>(N - 1));
    const double ex = std::exp(-N * theta);
    const double e = N * power / f1 * ex;
    return FiniteOrFail(e, f1 > 0 && std::isfinite(power) && std::isfinite(ex), err);
}

double FuVerweilF(double t, int N, double tm, int& err) {
    err = 0;
    if (!(tm > 0.0)) {
        err = -1;
        return 0.0;
    }
    return CumulativeF(N * t / tm, N, err);
}

double FuVerweilFdimlos(double t, int N, double tm, int& err) {
    err = 0;
    if (!(tm > 0.0)) {
        err = -1;
        return 0.0;
    }
    const double theta = t / tm;
    return CumulativeF(N * theta, N, err);
}

}  // namespace kernel
