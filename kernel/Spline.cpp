#include "kernel/Spline.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace kernel {

namespace {

constexpr double kDuplicateX = 1e-30;  // two knots closer than this count as one
constexpr int kMaxHalbbreite = 3;      // half-width of the smoothing window

void RequireSize(const std::vector<double>& v, int n) {
    if (v.size() < static_cast<std::size_t>(n)) throw RuntimeError(ErrorKind::IndexOutOfRange);
}

void RequireRow(int row) {
    if (row < 1 || row > 5) throw RuntimeError(ErrorKind::IndexOutOfRange);
}

}  // namespace

void AkimaRandpunkte(int row, int n, std::vector<double>& X, SplineRows& Y, std::vector<double>& M) {
    RequireRow(row);
    RequireSize(X, n + 5);
    RequireSize(Y[row], n + 5);
    RequireSize(M, n + 4);
    auto& y = Y[row];
    for (int i = 1; i <= n; ++i) {
        X[n + 3 - i] = X[n + 1 - i];
        y[n + 3 - i] = y[n + 1 - i];
    }
    X[2] = X[3] + X[4] - X[5];
    X[1] = X[2] + X[3] - X[4];
    X[n + 3] = X[n + 1] + X[n + 2] - X[n];
    X[n + 4] = X[n + 2] + X[n + 3] - X[n + 1];
    for (int i = 3; i <= n + 1; ++i) M[i] = CheckedDiv(y[i + 1] - y[i], X[i + 1] - X[i]);
    y[2] = (M[4] - 2 * M[3]) * (X[3] - X[2]) + y[3];
    M[2] = CheckedDiv(y[3] - y[2], X[3] - X[2]);
    y[1] = (M[3] - 2 * M[2]) * (X[2] - X[1]) + y[2];
    M[1] = CheckedDiv(y[2] - y[1], X[2] - X[1]);
    y[n + 3] = (2 * M[n + 1] - M[n]) * (X[n + 3] - X[n + 2]) + y[n + 2];
    M[n + 2] = CheckedDiv(y[n + 3] - y[n + 2], X[n + 3] - X[n + 2]);
    y[n + 4] = (2 * M[n + 2] - M[n + 1]) * (X[n + 4] - X[n + 3]) + y[n + 3];
    M[n + 3] = CheckedDiv(y[n + 4] - y[n + 3], X[n + 4] - X[n + 3]);
}

void CalcAkimaSpline(int row, int n, float s, std::vector<double>& X, SplineRows& Y, SplineRows& D,
                     SplineRows& C, SplineRows& B, SplineRows& A) {
    RequireRow(row);
    if (n < kSplineMinKnots) throw RuntimeError(ErrorKind::InvalidArgument);
    for (const SplineRows* rows : {&Y, &D, &C, &B, &A}) RequireSize((*rows)[row], n + 5);
    RequireSize(X, n + 5);
    // The segment slopes are read up to index n+3; sized from n so that any knot count works.
    std::vector<double> M(static_cast<std::size_t>(n) + 5, 0.0);
    auto& y = Y[row];

    if (s != 0.0f) {
        AkimaRandpunkte(row, n, X, Y, M);
        const int N = n + 4;
        const double h = CheckedDiv(X[N] - X[1], N - 1);
        std::vector<double> glatt(y.size(), 0.0);
        for (int i = 1; i <= N; ++i) {
            int k = kMaxHalbbreite;
            while (k > 0 && (i - k < 1 || i + k > N)) --k;
            double sumW = 0, sumWY = 0;
            for (int j = i - k; j <= i + k; ++j) {
                double w = 1.0;
                if (j != i) {
                    const double q = std::fabs(X[i] - X[j]) / (kMaxHalbbreite * h);
                    w = 1.0 - std::pow(q, static_cast<double>(s));
                    if (w < 0) w = 0;
                }
                sumW += w;
                sumWY += w * y[j];
            }
            glatt[i] = sumWY / sumW;
        }
        for (int i = 1; i <= n; ++i) {
            X[i] = X[i + 2];
            y[i] = glatt[i + 2];
        }
    }

    AkimaRandpunkte(row, n, X, Y, M);
    auto& b = B[row];
    for (int i = 3; i <= n + 2; ++i) {
        const double w1 = std::fabs(M[i + 1] - M[i]);
        const double w2 = std::fabs(M[i - 1] - M[i - 2]);
        if (M[i - 2] != M[i - 1] || M[i] != M[i + 1]) {
            b[i] = (w1 * M[i - 1] + w2 * M[i]) / (w2 + w1);
        } else {
            b[i] = 0.5 * (M[i - 1] + M[i]);
        }
    }
    for (int i = 1; i <= n; ++i) {
        X[i] = X[i + 2];
        y[i] = y[i + 2];
        b[i] = b[i + 2];
    }
    auto& a = A[row];
    auto& c = C[row];
    auto& d = D[row];
    for (int i = 1; i <= n; ++i) {
        const double hi = X[i + 1] - X[i];
        const double m = M[i + 2];
        a[i] = y[i];
        c[i] = CheckedDiv(3 * m - 2 * b[i] - b[i + 1], hi);
        d[i] = (b[i] + b[i + 1] - 2 * m) / (hi * hi);
    }
}

double AkimaWert(int row, int i, double dx, const SplineRows& D, const SplineRows& C, const SplineRows& B,
                 const SplineRows& A) {
    return ((D[row][i] * dx + C[row][i]) * dx + B[row][i]) * dx + A[row][i];
}

double AkimaSteigung(int row, int i, double dx, const SplineRows& D, const SplineRows& C, const SplineRows& B) {
    return (3 * D[row][i] * dx + 2 * C[row][i]) * dx + B[row][i];
}

std::optional<double> AkimaInterpol(int mode, int row, double x, int n, const std::vector<double>& X,
                                    const SplineRows& D, const SplineRows& C, const SplineRows& B,
                                    const SplineRows& A) {
    RequireRow(row);
    if (mode != 0 && mode != 1) return std::nullopt;
    if (n < 1) throw RuntimeError(ErrorKind::IndexOutOfRange);
    RequireSize(X, n + 1);
    for (const SplineRows* rows : {&D, &C, &B, &A}) RequireSize((*rows)[row], n + 1);
    if (x >= X[n]) {
        if (mode == 1) return B[row][n];
        return (x - X[n]) * B[row][n] + A[row][n];
    }
    if (x < X[1]) {
        if (mode == 1) return B[row][1];
        return (x - X[1]) * B[row][1] + A[row][1];
    }
    // X(1) <= x < X(n): the interval i with X(i) <= x < X(i+1), by bisection over the ascending knots.
    const auto first = X.begin() + 1, last = X.begin() + n + 1;
    const int i = static_cast<int>(std::upper_bound(first, last, x) - X.begin()) - 1;
    if (i < 1 || i >= n) return std::nullopt;
    const double dx = x - X[i];
    if (mode == 0) return AkimaWert(row, i, dx, D, C, B, A);
    if (mode == 1) return AkimaSteigung(row, i, dx, D, C, B);
    return std::nullopt;
}

void SortXY(int row, std::vector<double>& X, SplineRows& Y, int n) {
    RequireRow(row);
    RequireSize(X, n + 1);
    RequireSize(Y[row], n + 1);
    auto& y = Y[row];
    for (int m = n - 1; m >= 1; --m) {
        bool getauscht = false;
        for (int i = 1; i <= m; ++i) {
            if (X[i] > X[i + 1]) {
                std::swap(X[i], X[i + 1]);
                std::swap(y[i], y[i + 1]);
                getauscht = true;
            }
        }
        if (!getauscht) break;
    }
}

bool CheckXAufsteigend(int row, std::vector<double>& X, SplineRows& Y, int n) {
    SortXY(row, X, Y, n);
    for (int i = 1; i <= n - 1; ++i) {
        if (X[i + 1] - X[i] < kDuplicateX) return true;
    }
    return false;
}

}  // namespace kernel
