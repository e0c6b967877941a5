#include "experiment/XYListe.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace experiment {
namespace {

constexpr double kRandAnteil = 0.05;   // margin beside the points, fraction of their extent
constexpr float kStartMax = -1e37f;
constexpr float kStartMin = 1e37f;

int Letzter(const std::vector<kernel::XYPunkt>& liste, int n) {
    return std::clamp(n, 0, static_cast<int>(liste.size()) - 1);
}

bool IstAktiv(const kernel::XYPunkt& p) { return p.status != -1; }

// Value of the formula, or the failure kind.
bool Formel(int formel, double x, double y, double W, double& ergebnis, kernel::ErrorKind& fehler) {
    switch (formel) {
    case kYExp: ergebnis = std::exp(y); break;
    case kYLn:
        if (!(y > 0)) {
            fehler = kernel::ErrorKind::InvalidArgument;
            return false;
        }
        ergebnis = std::log(y);
        break;
    case kYMalW: ergebnis = y * W; break;
    case kYPlusW: ergebnis = y + W; break;
    case kYKehrwert:
        if (y == 0) {
            fehler = kernel::ErrorKind::DivisionByZero;
            return false;
        }
        ergebnis = 1 / y;
        break;
    case kXEinsMinus: ergebnis = 1 - x; break;
    default: ergebnis = y; break;
    }
    if (!std::isfinite(ergebnis) || std::fabs(ergebnis) > std::numeric_limits<float>::max()) {
        fehler = kernel::ErrorKind::Overflow;
        return false;
    }
    return true;
}

void Bereich(float lo, float hi, float& min, float& max) {
    max = static_cast<float>(hi + kRandAnteil * (hi - lo));
    min = static_cast<float>(lo - kRandAnteil * (hi - lo));
    if (max != min) return;
    if (max == 0) {
        min = -1;
        max = 1;
    } else {
        min = static_cast<float>(min - std::fabs(kRandAnteil * min));
        max = static_cast<float>(max + std::fabs(kRandAnteil * max));
    }
}

}  // namespace

void SortiereXY(std::vector<kernel::XYPunkt>& liste, int n, bool nachY) {
    const int last = Letzter(liste, n);
    auto key = [nachY](const kernel::XYPunkt& p) { return nachY ? p.y : p.x; };
    bool getauscht = true;
    while (getauscht) {
        getauscht = false;
        for (int i = 1; i < last; ++i) {
            auto& a = liste[static_cast<std::size_t>(i)];
            auto& b = liste[static_cast<std::size_t>(i + 1)];
            if (key(a) > key(b)) {
                std::swap(a, b);
                getauscht = true;
            }
        }
    }
}

void TauscheXY(std::vector<kernel::XYPunkt>& liste, int n) {
    for (int i = 1; i <= Letzter(liste, n); ++i) {
        auto& p = liste[static_cast<std::size_t>(i)];
        std::swap(p.x, p.y);
    }
}

bool UmrechnenXY(std::vector<kernel::XYPunkt>& liste, int n, int formel, double W, kernel::ErrorKind& fehler) {
    const int last = Letzter(liste, n);
    std::vector<double> neu(static_cast<std::size_t>(last + 1), 0.0);
    for (int i = 1; i <= last; ++i) {
        const auto& p = liste[static_cast<std::size_t>(i)];
        if (IstAktiv(p) && !Formel(formel, p.x, p.y, W, neu[static_cast<std::size_t>(i)], fehler)) return false;
    }
    for (int i = 1; i <= last; ++i) {
        auto& p = liste[static_cast<std::size_t>(i)];
        if (!IstAktiv(p)) continue;
        const float v = static_cast<float>(neu[static_cast<std::size_t>(i)]);
        if (formel == kXEinsMinus) p.x = v;
        else p.y = v;
    }
    return true;
}

int AktivePunkte(const std::vector<kernel::XYPunkt>& liste, int n, std::vector<kernel::XYPunkt>& ziel) {
    ziel.assign(1, kernel::XYPunkt{});
    for (int i = 1; i <= Letzter(liste, n); ++i) {
        if (IstAktiv(liste[static_cast<std::size_t>(i)])) ziel.push_back(liste[static_cast<std::size_t>(i)]);
    }
    const int m = static_cast<int>(ziel.size()) - 1;
    ziel[0].x = static_cast<float>(m);
    return m;
}

void AchsenbereichXY(const std::vector<kernel::XYPunkt>& punkte, int m, float& xMin, float& xMax, float& yMin,
                     float& yMax) {
    float xlo = kStartMin, xhi = kStartMax, ylo = kStartMin, yhi = kStartMax;
    for (int i = 1; i <= Letzter(punkte, m); ++i) {
        const auto& p = punkte[static_cast<std::size_t>(i)];
        xlo = std::min(xlo, p.x);
        xhi = std::max(xhi, p.x);
        ylo = std::min(ylo, p.y);
        yhi = std::max(yhi, p.y);
    }
    Bereich(xlo, xhi, xMin, xMax);
    Bereich(ylo, yhi, yMin, yMax);
}

void EntferneXY(std::vector<kernel::XYPunkt>& liste, int& n, int r1, int r2) {
    const int last = Letzter(liste, n);
    r1 = std::max(r1, 1);
    r2 = std::min(r2, last);
    if (r1 > r2) return;
    liste.erase(liste.begin() + r1, liste.begin() + r2 + 1);
    n = last - (r2 - r1 + 1);
    liste.resize(static_cast<std::size_t>(n + 1));
}

}  // namespace experiment
