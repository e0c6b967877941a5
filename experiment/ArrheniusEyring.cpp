#include "experiment/ArrheniusEyring.h"

#include <cmath>
#include <limits>

namespace experiment {

bool PasstInSingle(double x) {
    return std::isfinite(x) && std::fabs(x) <= static_cast<double>(std::numeric_limits<float>::max());
}

bool ArrheniusK(double A, double EA, double T, double& k) {
    if (T == 0.0) return false;
    const double z = -EA / (kGasR * T);
    if (!std::isfinite(z)) return false;
    const double wert = A * std::exp(z);
    if (!std::isfinite(wert)) return false;
    k = wert;
    return true;
}

bool EyringK(double sStern, double hStern, double T, double& k) {
    if (T == 0.0) return false;
    const double z = -hStern / (kGasR * T);
    if (!std::isfinite(z)) return false;
    const double wert = EyringFaktor() * T * std::exp(z) * std::exp(sStern / kGasR);
    if (!std::isfinite(wert)) return false;
    k = wert;
    return true;
}

}  // namespace experiment
