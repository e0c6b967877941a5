#include "kernel/RateLaws.h"

#include <cmath>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace kernel {

namespace {

// The rate table on the five concentrations c1..c5 (slots A B C P Q; model 10: E S ES P).
void RateTable(int model, RateVector& dc, const KVector& k, double cA, double cB, double cC, double cP, double cQ) {
    for (int i = 1; i <= kSpecies; ++i) dc[i] = 0.0;
    const double k1 = k[1], k2 = k[2], k3 = k[3];
    switch (model) {
    case 1:
        dc[1] = -k1;
        dc[4] = -dc[1];
        break;
    case 2:
        dc[1] = -k1 * cA;
        dc[4] = -dc[1];
        break;
    case 3:
        dc[1] = -2.0 * k1 * cA * cA;
        dc[4] = dc[1] * -0.5;
        break;
    case 4:
        dc[1] = -k1 * cA * cB;
        dc[2] = dc[1];
        dc[4] = -dc[1];
        break;
    case 5:
        dc[1] = -k1 * cA * cP;
        dc[4] = -dc[1];
        break;
    case 6: {
        const double r1 = k1 * cA, r2 = k2 * cC;
        dc[1] = -r1;
        dc[3] = r1 - r2;
        dc[4] = r2;
        break;
    }
    case 7: {
        const double r1 = k1 * cA * cB, r2 = k2 * cA * cC;
        dc[1] = -r1 - r2;
        dc[2] = -r1;
        dc[3] = r1 - r2;
        dc[4] = r2;
        break;
    }
    case 8:
        dc[1] = -k1 * cA + k2 * cP;
        dc[4] = -dc[1];
        break;
    case 9: {
        const double r1 = k1 * cA * cB, r2 = k2 * cC;
        dc[1] = -r1;
        dc[2] = dc[1];
        dc[3] = r1 - r2;
        dc[4] = r2;
        break;
    }
    case 10: {
        const double r1 = k1 * cA * cB, r2 = k2 * cC, r3 = k3 * cC;
        dc[1] = -r1 + r2 + r3;
        dc[2] = -r1 + r2;
        dc[3] = r1 - r2 - r3;
        dc[4] = r3;
        break;
    }
    case 11:
        dc[1] = -(k1 + k2) * cA;
        dc[4] = k1 * cA;
        dc[5] = k2 * cA;
        break;
    case 12: {
        const double r1 = k1 * cA * cB, r2 = k2 * cP * cP;
        dc[1] = -r1 + r2;
        dc[2] = dc[1];
        dc[4] = 2.0 * r1 - 2.0 * r2;
        break;
    }
    case 13: {
        const double r1 = k1 * cA * cB, r2 = k2 * cC, r3 = k3 * cP;
        dc[1] = -r1;
        dc[2] = dc[1];
        dc[3] = r1 - r2 + r3;
        dc[4] = r2 - r3;
        break;
    }
    case 14: {
        const double r1 = k1 * cA, r2 = k2 * cC, r3 = k3 * cP;
        dc[1] = -r1;
        dc[3] = r1 - r2 + r3;
        dc[4] = r2 - r3;
        break;
    }
    case 15: {
        const double r1 = k1 * cA, r2 = k2 * cC, r3 = k3 * cC;
        dc[1] = -r1 + r2;
        dc[3] = r1 - r2 - r3;
        dc[4] = r3;
        break;
    }
    case 16:
        dc[1] = -k1 * cA * cP;
        dc[4] = -dc[1];
        dc[5] = -dc[1];
        break;
    case 17:
        dc[1] = -k1 * cA * cB + k2 * cP;
        dc[2] = dc[1];
        dc[4] = -dc[1];
        break;
    case 18: {
        const double r1 = k1 * cA * cB, r2 = k2 * cC, r3 = k3 * cC;
        dc[1] = -r1 + r2;
        dc[2] = dc[1];
        dc[3] = r1 - r2 - r3;
        dc[4] = r3;
        break;
    }
    case 19:
        dc[1] = -k1 * cA * cB + k2 * cP * cQ;
        dc[2] = dc[1];
        dc[4] = -dc[1];
        dc[5] = dc[4];
        break;
    case 20:
        // The power is taken only for a positive base; a used-up A reacts no further.
        if (cA > 0.0) {
            dc[1] = -k1 * std::pow(cA, OrderOfModel20());
            dc[4] = -dc[1];
        }
        break;
    default:
        return;
    }
    for (int i = 1; i <= kSpecies; ++i) CheckFinite(dc[i]);
}

}  // namespace

double OrderOfModel20() { return std::isnan(FitOrdnung) ? static_cast<double>(ReaktOrdnung) : FitOrdnung; }

int NumEquations(int model) {
    switch (model) {
    case 7: case 9: case 10: case 13: case 18: return 4;
    case 14: case 15: return 3;
    case 20: return 2;
    default: return 0;
    }
}

void Derivs(int model, RateVector& dc, const KVector& k, const ConcVector& c) {
    RateTable(model, dc, k, c[1], c[2], c[3], c[4], c[5]);
}

void DerivsPunkt(int j, int model, RateVector& dc, const KVector& k, const ConcMatrix& c2d) {
    if (j < 0 || static_cast<std::size_t>(j) >= c2d.size()) throw RuntimeError(ErrorKind::IndexOutOfRange);
    const auto& row = c2d[static_cast<std::size_t>(j)];
    RateTable(model, dc, k, row[1], row[2], row[3], row[4], row[5]);
}

void DerivsRK(const EqVector& y, EqVector& dydt) {
    const double k1 = kWert[1], k2 = kWert[2], k3 = kWert[3];
    switch (aktModell) {
    case 7: {
        const double r1 = k1 * y[1] * y[2], r2 = k2 * y[1] * y[3];
        dydt[1] = -r1 - r2;
        dydt[2] = -r1;
        dydt[3] = r1 - r2;
        dydt[4] = r2;
        break;
    }
    case 9: {
        const double r1 = k1 * y[1] * y[2], r2 = k2 * y[3];
        dydt[1] = -r1;
        dydt[2] = -r1;
        dydt[3] = r1 - r2;
        dydt[4] = r2;
        break;
    }
    case 10: {
        const double r1 = k1 * y[1] * y[2], r2 = k2 * y[3], r3 = k3 * y[3];
        dydt[1] = -r1 + r2 + r3;
        dydt[2] = -r1 + r2;
        dydt[3] = r1 - r2 - r3;
        dydt[4] = r3;
        break;
    }
    case 13: {
        const double r1 = k1 * y[1] * y[2], r2 = k2 * y[3], r3 = k3 * y[4];
        dydt[1] = -r1;
        dydt[2] = -r1;
        dydt[3] = r1 - r2 + r3;
        dydt[4] = r2 - r3;
        break;
    }
    case 14: {
        const double r1 = k1 * y[1], r2 = k2 * y[2], r3 = k3 * y[3];
        dydt[1] = -r1;
        dydt[2] = r1 - r2 + r3;
        dydt[3] = r2 - r3;
        break;
    }
    case 15: {
        const double r1 = k1 * y[1], r2 = k2 * y[2], r3 = k3 * y[2];
        dydt[1] = -r1 + r2;
        dydt[2] = r1 - r2 - r3;
        dydt[3] = r3;
        break;
    }
    case 18: {
        const double r1 = k1 * y[1] * y[2], r2 = k2 * y[3], r3 = k3 * y[3];
        dydt[1] = -r1 + r2;
        dydt[2] = -r1 + r2;
        dydt[3] = r1 - r2 - r3;
        dydt[4] = r3;
        break;
    }
    case 20:
        if (y[1] >= 0.0) {
            dydt[1] = -k1 * std::pow(y[1], OrderOfModel20());
            dydt[2] = -dydt[1];
        } else {
            dydt[1] = 0.0;
            dydt[2] = 0.0;
        }
        break;
    default:
        break;
    }
}

}  // namespace kernel
