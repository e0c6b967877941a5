#include "kernel/Conductivity.h"

#include <cmath>

#include "kernel/DataSet.h"
#include "kernel/State.h"

namespace kernel {
namespace {

constexpr float kStartUpper = -10000.0f;
constexpr float kStartLower = 10000.0f;
constexpr float kMarginDivisor = 20.0f;   // x: a twentieth of the span above
constexpr float kYSpanDivisor = 5.0f;     // y: a fifth of the span above ...
constexpr float kYLowerShare = 0.3f;      // ... and 0.3 of that below

bool Finite(double v) { return std::isfinite(static_cast<float>(v)); }

void LambdaRange(bool (*value)(double, double&), int lowerSlot, int upperSlot) {
    auto& a = AchsenGrenzen;
    a[0] = 0.0f;
    a[1] = 0.0f;
    a[upperSlot] = kStartUpper;
    a[lowerSlot] = kStartLower;
    double y = 0.0;
    const int n = DataRowCount();
    for (int i = 1; i <= n; ++i) {
        double next = y;
        if (!value(ExpDaten[i].lambda, next)) continue;
        y = next;
        const float t = static_cast<float>(ExpDaten[i].t);
        if (t > a[1]) a[1] = t;
        const float yf = static_cast<float>(y);
        if (yf > a[upperSlot]) a[upperSlot] = yf;
        if (yf < a[lowerSlot]) a[lowerSlot] = yf;
    }
    a[1] += (a[1] - a[0]) / kMarginDivisor;
    const float e = (a[upperSlot] - a[lowerSlot]) / kYSpanDivisor;
    a[upperSlot] += e;
    a[lowerSlot] -= kYLowerShare * e;
}

}  // namespace

bool LambdaFirstOrderValue(double lambda, double& y) {
    const double arg = lambdaNull == 0 ? lambdaInf - lambda : (lambdaInf - lambda) / (lambdaInf - lambdaNull);
    if (!(arg > 0) || !std::isfinite(arg)) return false;
    const double v = std::log(arg);
    if (!Finite(v)) return false;
    y = v;
    return true;
}

bool LambdaSecondOrderValue(double lambda, double& y) {
    const double diff = lambdaInf - lambda;
    double v;
    if (lambdaNull == 0) {
        if (diff == 0) return false;
        v = lambdaInf / diff;
    } else if (c0Mess[1] > 0) {
        if (diff == 0) return false;
        v = ((lambdaInf - lambdaNull) / diff) / c0Mess[1];
    } else {
        return true;  // keeps the value of the row before
    }
    if (!Finite(v)) return false;
    y = v;
    return true;
}

void LambdaEvalFirstOrder() { LambdaRange(LambdaFirstOrderValue, 24, 25); }

void LambdaEvalSecondOrder() { LambdaRange(LambdaSecondOrderValue, 26, 27); }

}  // namespace kernel
