#pragma once
// Akima (1970) spline through one row of tabulated points, with optional smoothing by a weighted
// moving mean. The spline lives in caller-owned arrays (the shared AkimaX .. AkimaA by convention):
// knots X(1..n) strictly ascending, values Y(row, 1..n); X and every row need indices up to n+4.
// For the interval of knot i and dx = x - X(i) the value is ((D dx + C) dx + B) dx + A.
#include <array>
#include <optional>
#include <vector>

namespace kernel {

using SplineRows = std::array<std::vector<double>, 6>;  // [curve row 1..5][knot]

constexpr int kSplineMinKnots = 3;

// Coefficients D, C, B, A of row `row` for the n knots (n >= 3); with s != 0 the values Y(row, 1..n) are
// first replaced by their smoothed values. X(n+1..n+4) and Y(row, n+1..n+4) are overwritten as working
// space. Throws RuntimeError: DivisionByZero for equal knots, IndexOutOfRange when an array is shorter
// than n+5 or the row is not 1..5, InvalidArgument for n < 3. The arrays are then partly written.
void CalcAkimaSpline(int row, int n, float s, std::vector<double>& X, SplineRows& Y, SplineRows& D,
                     SplineRows& C, SplineRows& B, SplineRows& A);

// Moves the knots two places up and adds two extrapolated points at each end; fills the segment slopes
// M(1..n+3) (M must hold at least n+4 elements).
void AkimaRandpunkte(int row, int n, std::vector<double>& X, SplineRows& Y, std::vector<double>& M);

// Value (mode 0) or slope (mode 1) of the spline at x; outside the knots the straight continuation with
// the end slope. Any other mode, or no interval found, gives no value (callers count it as 0).
std::optional<double> AkimaInterpol(int mode, int row, double x, int n, const std::vector<double>& X,
                                    const SplineRows& D, const SplineRows& C, const SplineRows& B,
                                    const SplineRows& A);

// ((D dx + C) dx + B) dx + A of interval i.
double AkimaWert(int row, int i, double dx, const SplineRows& D, const SplineRows& C, const SplineRows& B,
                 const SplineRows& A);
// (3 D dx + 2 C) dx + B of interval i.
double AkimaSteigung(int row, int i, double dx, const SplineRows& D, const SplineRows& C, const SplineRows& B);

// Sorts X(1..n) ascending (moving Y(row, .) along) and returns true when two neighbouring x differ by
// less than 1e-30, false otherwise. The arrays stay sorted.
bool CheckXAufsteigend(int row, std::vector<double>& X, SplineRows& Y, int n);
// Bubble sort of X(1..n) ascending with Y(row, .); equal values keep their order.
void SortXY(int row, std::vector<double>& X, SplineRows& Y, int n);

}  // namespace kernel
