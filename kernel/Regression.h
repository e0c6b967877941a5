#pragma once
// Weighted linear least squares: a polynomial of degree 1..4 fitted to weighted points through the
// normal equations, solved by Gauss-Jordan elimination.
#include <array>
#include <vector>

namespace kernel {

// Augmented normal equations, rows 1..nTerms, columns 1..nTerms + 1 (row and column 0 unused).
// After a successful fit columns 1..nTerms hold the unit matrix and column nTerms + 1 the
// coefficients a1..a(nTerms).
constexpr int kMaxRegressTerms = 5;
using RegressMatrix = std::array<std::array<double, kMaxRegressTerms + 2>, kMaxRegressTerms + 1>;

// Fits y = sum a(i) F(i)(x) to the points 1..n (n = x.size() - 1; index 0 unused) with weights w
// (a point of weight 0 takes no part). modelType: 1, 2 straight line, 3 quadratic, 4 cubic, 5 quartic;
// nTerms: the number of basis functions, one less when flag = 1 drops the constant term (fit through
// the origin). Outputs: coef (last column = coefficients), sd (standard deviation), sdRel (relative
// standard deviation in percent), r2 (coefficient of determination; 1 for an exact fit of points that
// all share one y, 0 when they scatter around it). With no degrees of freedom left (sum of weights
// <= nTerms) sd, sdRel and r2 are 0. Failure: err := 1 when the normal equations are singular (all
// weighted x equal, too few weighted points) or the arguments do not fit (nTerms or modelType out of
// range, y or w shorter than x); sd, sdRel, r2 are then not written. err is not cleared on success.
// RegressKoeff holds the basis values of the last point afterwards.
void Regression(const std::vector<float>& x, const std::vector<float>& y, const std::vector<float>& w,
                int nTerms, int modelType, int flag, RegressMatrix& coef, float& sd, float& sdRel, float& r2,
                int& err);

// Basis values F(1..) at x for the model type into RegressKoeff, shifted left by one when flag = 1.
// The diagram window evaluates a fitted polynomial with the same basis.
void RegressBasis(double x, int modelType, int flag);

}  // namespace kernel
