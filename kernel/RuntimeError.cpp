#include "kernel/RuntimeError.h"

namespace kernel {

std::string ErrorDescription(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow: return "Überlauf (das Ergebnis einer Gleitkommarechnung ist zu groß)";
    case ErrorKind::DivisionByZero: return "Division durch Null";
    case ErrorKind::InvalidArgument:
        return "Ungültiges Argument (Wurzel aus einer negativen Zahl oder Logarithmus einer Zahl kleiner oder gleich 0)";
    case ErrorKind::IntegerOverflow: return "Überlauf (ganze Zahl außerhalb des gültigen Bereichs)";
    case ErrorKind::IndexOutOfRange: return "Index außerhalb des gültigen Bereichs";
    }
    return "Unbekannter Fehler";
}

double CheckFinite(double value) {
    if (!std::isfinite(value)) throw RuntimeError(std::isnan(value) ? ErrorKind::InvalidArgument : ErrorKind::Overflow);
    return value;
}

double CheckedDiv(double a, double b) {
    if (b == 0.0) throw RuntimeError(ErrorKind::DivisionByZero);
    const double q = a / b;
    if (!std::isfinite(q)) throw RuntimeError(std::isnan(q) ? ErrorKind::InvalidArgument : ErrorKind::Overflow);
    return q;
}

double CheckedSqrt(double x) {
    if (!(x >= 0.0)) throw RuntimeError(ErrorKind::InvalidArgument);
    return CheckFinite(std::sqrt(x));
}

double CheckedLog(double x) {
    if (!(x > 0.0)) throw RuntimeError(ErrorKind::InvalidArgument);
    return CheckFinite(std::log(x));
}

double CheckedExp(double x) {
    if (std::isnan(x)) throw RuntimeError(ErrorKind::InvalidArgument);
    const double e = std::exp(x);
    if (!std::isfinite(e)) throw RuntimeError(ErrorKind::Overflow);
    return e;
}

}  // namespace kernel
