#pragma once
// Axis ranges of the linearised conductivity plots (lambda-t data, lambda proportional to the
// concentrations): first order ln((linf - l)/(linf - l0)) over t, second order
// (linf - l0)/((linf - l)·c0(A)) over t. Read: ExpDaten rows 1..nMesspunkte (t, lambda; active and
// inactive), lambdaInf, lambdaNull (0: not known, then ln(linf - l) and linf/(linf - l) are plotted),
// c0Mess(1). A row whose plotted quantity is undefined (logarithm of a value <= 0, a zero divisor)
// takes no part. No failure.

namespace kernel {

// x range into AchsenGrenzen slots 0/1, y range into slots 24 (minimum) and 25 (maximum).
void LambdaEvalFirstOrder();
// x range into AchsenGrenzen slots 0/1, y range into slots 26 (minimum) and 27 (maximum).
void LambdaEvalSecondOrder();

// The plotted quantity of one row; false when it is undefined for this row. For second order with
// lambdaNull != 0 and no positive c0(A) the quantity is not given by the row: y is left unchanged.
bool LambdaFirstOrderValue(double lambda, double& y);
bool LambdaSecondOrderValue(double lambda, double& y);

}  // namespace kernel
