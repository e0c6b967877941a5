#pragma once
// Run-time failures of the numerical procedures. The rate laws, the time course, the integrator and
// the reactor steady states throw RuntimeError; the calling window (or a kernel procedure that catches
// every failure, such as the batch reactor or the half-lives) turns it into its message or error flag.
#include <cmath>
#include <stdexcept>
#include <string>

namespace kernel {

enum class ErrorKind {
    Overflow,         // floating-point overflow (a result that is not finite)
    DivisionByZero,
    InvalidArgument,  // square root of a negative number, logarithm of a number not greater than 0
    IntegerOverflow,
    IndexOutOfRange,
};

// The system's own wording of a failure kind, as shown after "Fehler aufgetreten: ".
std::string ErrorDescription(ErrorKind kind);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind) : std::runtime_error(ErrorDescription(kind)), kind_(kind) {}
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

// Checked arithmetic: each throws the RuntimeError of the failure kind it meets, so that a calculation
// stops at the first non-finite or undefined step instead of carrying NaN or infinity on.
// The value itself when it is finite; Overflow otherwise.
double CheckFinite(double value);
// a / b; DivisionByZero when b is 0, Overflow when the quotient is not finite.
double CheckedDiv(double a, double b);
// sqrt(x); InvalidArgument when x < 0 (or NaN).
double CheckedSqrt(double x);
// log(x); InvalidArgument when x <= 0 (or NaN).
double CheckedLog(double x);
// exp(x); Overflow when the result is not finite.
double CheckedExp(double x);

// exp(min(z, kExpClamp)): the clamped exponential of the closed-form solutions, never above ~1.8e308.
constexpr double kExpClamp = 709.782;
inline double ExpClamped(double z) { return std::exp(z > kExpClamp ? kExpClamp : z); }

}  // namespace kernel
