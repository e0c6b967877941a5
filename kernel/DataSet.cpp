#include "kernel/DataSet.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kernel/DataHeadings.h"
#include "kernel/Spline.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/core/MsgBox.h"

namespace kernel {
namespace {

constexpr double kTimeZero = 1e-8;           // a time below this counts as t = 0 for c0Mess
constexpr double kPositive = 1e-8;           // logarithms and reciprocals only above this
constexpr double kSameTemperature = 0.01;    // K: closer sorted neighbours count as one temperature
constexpr int kMaxTemperaturen = 24;
constexpr float kMarginDivisor = 20.0f;      // margins are a twentieth of the span

// Axis-limit slots used here.
enum Slot : int {
    tMin = 0, tMaxSlot = 1, cMin = 2, cMax = 3, rMin = 4, rMax = 5, TMin = 6, TMaxSlot = 7, kMin = 8, kMax = 9,
    invTMin = 10, invTMax = 11, lnkMin = 12, lnkMax = 13, lnkTMin = 14, lnkTMax = 15, lncAMin = 16,
    lncAMax = 17, invcAMin = 18, invcAMax = 19, tUMax = 20, tUMin = 21, lnABMax = 22, lnABMin = 23,
    invrMin = 32, invrMax = 33, cSrMin = 34, cSrMax = 35, rcSMin = 36, rcSMax = 37,
};

void Raise(int slot, double value) {
    const float v = static_cast<float>(value);
    if (std::isfinite(v) && v > AchsenGrenzen[slot]) AchsenGrenzen[slot] = v;
}

void Lower(int slot, double value) {
    const float v = static_cast<float>(value);
    if (std::isfinite(v) && v < AchsenGrenzen[slot]) AchsenGrenzen[slot] = v;
}

// Widens the pair by a twentieth of (upper - lower) at both ends.
void WidenPair(int lower, int upper) {
    auto& a = AchsenGrenzen;
    const float d = (a[upper] - a[lower]) / kMarginDivisor;
    a[upper] += d;
    a[lower] -= d;
}

// Raises the upper end by a twentieth of the span; the lower end stays.
void WidenTop(int lower, int upper) {
    auto& a = AchsenGrenzen;
    a[upper] += (a[upper] - a[lower]) / kMarginDivisor;
}

bool AnyConcentration(const ExpPunkt& p) {
    for (int i = 1; i <= kSpecies; ++i)
        if (p.c[i] > 0) return true;
    return false;
}

}  // namespace

int DataRowCount() {
    const int held = static_cast<int>(ExpDaten.size()) - 1;
    return std::max(0, std::min(nMesspunkte, held));
}

void ClearExpData() {
    const int n = DataRowCount();
    for (int i = 1; i <= n; ++i) {
        ExpPunkt& p = ExpDaten[i];
        p.exclude = 0;
        p.t = 0;
        p.c[1] = 0;
        p.c[2] = 0;
        p.T = 0;
        p.k = 0;
    }
    nMesspunkte = 0;
    DatenFile.clear();
    ExpDataChanged = kFalse;
}

void SetC0AusMessdaten() {
    const int n = DataRowCount();
    for (int s = 1; s <= kSpecies; ++s) {
        c0Mess[s] = 0.0f;
        for (int i = 1; i <= n; ++i) {
            if (ExpDaten[i].t < kTimeZero) {
                c0Mess[s] = static_cast<float>(ExpDaten[i].c[s]);
                break;
            }
        }
    }
}

void AnalyseExpData(float& cA0, float& cB0, float& tmax, int& inaktiv, int& ctPunkte, int& anull,
                    int& kTPunkte, int& nichtIsotherm, int& temperaturen, double& tEnde, int& lambdaMoeglich,
                    double& lambdaSumme) {
    const int n = DataRowCount();
    TempListe.resize(2, 0.0f);
    cA0 = 0;
    cB0 = 0;
    tmax = 0;
    tEnde = 0;
    lambdaSumme = 0;
    lambdaNull = 0;
    float zeitSumme = 0;

    for (int i = 1; i <= n; ++i) {
        zeitSumme += static_cast<float>(ExpDaten[i].t);
        lambdaSumme += ExpDaten[i].lambda;
    }

    int countkT = 0, countct = 0, countAnull = 0, countIsotherm = 0;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = ExpDaten[i];
        if (p.t == 0 && p.exclude == 0) lambdaNull = p.lambda;
        if (p.T > 0 && p.k > 0) ++countkT;
        if (AnyConcentration(p)) ++countct;
        if (p.c[1] == 0 && p.t > 0 && p.c[2] > 0) ++countAnull;
        if (p.c[1] > 0 && p.T > 0) ++countIsotherm;
        if (p.t > tEnde) tEnde = p.t;
        if (p.c[1] > 0 && p.t == 0) cA0 = static_cast<float>(p.c[1]);
        if (p.c[2] > 0 && p.t == 0) cB0 = static_cast<float>(p.c[2]);
        if (p.t > tmax) tmax = static_cast<float>(p.t);
    }

    inaktiv = 0;
    for (int i = 1; i <= n; ++i)
        if (ExpDaten[i].exclude == kTrue) ++inaktiv;
    kTPunkte = countkT;
    ctPunkte = countct;
    anull = countAnull;

    nichtIsotherm = (countIsotherm - inaktiv >= 3 && zeitSumme != 0) ? kTrue : kFalse;
    lambdaMoeglich = (lambdaSumme > 0 && lambdaInf > 0) ? kTrue : kFalse;

    for (int s = 1; s <= kSpecies; ++s) {
        DatenSpalte[s] = kFalse;
        for (int i = 1; i <= n; ++i) {
            if (ExpDaten[i].c[s] > 0) {
                DatenSpalte[s] = kTrue;
                break;
            }
        }
    }

    std::vector<double> temps(static_cast<std::size_t>(n) + 2, 0.0);
    for (int i = 1; i <= n; ++i) temps[i] = ExpDaten[i].T;
    std::sort(temps.begin() + 1, temps.begin() + 1 + n);
    temperaturen = 0;
    if (n >= 1 && temps[1] > 0) {
        temperaturen = 1;
        TempListe[1] = static_cast<float>(temps[1]);
    }
    for (int i = 2; i <= n; ++i) {
        if (temps[i] > 0 && temps[i - 1] + kSameTemperature < temps[i]) {
            ++temperaturen;
            TempListe.resize(static_cast<std::size_t>(temperaturen) + 1, 0.0f);
            TempListe[temperaturen] = static_cast<float>(temps[i]);
        }
    }
    if (temperaturen > kMaxTemperaturen) temperaturen = kMaxTemperaturen;

    if (IsFormLoaded("frmDatedit")) SetDataGridHeaders();
}

void AnalyseExpData() {
    AnalyseExpData(DatencA0, DatencB0, DatenTmax, nInaktiv, nctPunkte, nAnull, nkTPunkte, NichtIsothermMoeglich,
                   nTemperaturen, DatenTEnde, LambdaMoeglich, LambdaSumme);
}

void ScanExpDataRange(int code, int /*unused*/) {
    if (code >= 0) return;
    auto& a = AchsenGrenzen;
    for (int s : {tMin, tMaxSlot, cMin, cMax, rMin, rMax, TMaxSlot, kMin, kMax, invTMax, invcAMax, tUMax, invrMax,
                  cSrMin, cSrMax, rcSMin, rcSMax})
        a[s] = 0.0f;
    a[TMin] = 10000.0f;
    for (int s : {invTMin, lnkMin, lncAMin, invcAMin, tUMin, lnABMin}) a[s] = 100000.0f;
    for (int s : {lnkMax, lncAMax, lnABMax}) a[s] = -100000.0f;
    a[lnkTMin] = 1000000.0f;
    a[lnkTMax] = -1000000.0f;
    a[invrMin] = 1e9f;
    const float c0A = c0Mess[1];

    const int n = DataRowCount();
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& p = ExpDaten[i];
        Raise(tMaxSlot, p.t);
        for (int s = 1; s <= kSpecies; ++s) Raise(cMax, p.c[s]);
        Raise(TMaxSlot, p.T);
        if (p.T > 0) Lower(TMin, p.T);
        if (DiagVariante == 6) a[cMax] = 1.0f;
        if (DiagVariante == 7) a[cMax] = c0A;
        Raise(kMax, p.k);
        if (p.T > kPositive) {
            Lower(invTMin, 1.0 / p.T);
            Raise(invTMax, 1.0 / p.T);
        }
        if (p.k > kPositive) {
            Raise(lnkMax, std::log(p.k));
            Lower(lnkMin, std::log(p.k));
            if (p.T > kPositive) {
                Raise(lnkTMax, std::log(p.k / p.T));
                Lower(lnkTMin, std::log(p.k / p.T));
            }
        }
        if (p.c[1] > kPositive) {
            Raise(lncAMax, std::log(p.c[1]));
            Lower(lncAMin, std::log(p.c[1]));
            Raise(invcAMax, 1.0 / p.c[1]);
            Lower(invcAMin, 1.0 / p.c[1]);
        }
        if (c0A > 0 && p.t > kPositive) {
            const float U = static_cast<float>((c0A - p.c[1]) / c0A);
            if (U != 0) {
                Raise(tUMax, p.t / U);
                Lower(tUMin, p.t / U);
            }
        }
        if (p.c[1] > kPositive && p.c[2] > kPositive) {
            Raise(lnABMax, std::log(p.c[1] / p.c[2]));
            Lower(lnABMin, std::log(p.c[1] / p.c[2]));
        }
        if (aktModell == 10) {
            Raise(rMax, p.t);
            if (p.c[2] > 0) {
                Lower(invcAMin, 1.0 / p.c[2]);
                Raise(invcAMax, 1.0 / p.c[2]);
            }
            if (p.t > 0) {
                Raise(invrMax, 1.0 / p.t);
                Lower(invrMin, 1.0 / p.t);
                Raise(cSrMax, p.c[2] / p.t);
                Lower(cSrMin, p.c[2] / p.t);
            }
            if (p.c[2] > 0) {
                Raise(rcSMax, p.t / p.c[2]);
                Lower(rcSMin, p.t / p.c[2]);
            }
        }
    }

    WidenTop(tMin, tMaxSlot);
    WidenTop(cMin, cMax);
    WidenPair(lncAMin, lncAMax);
    WidenPair(invcAMin, invcAMax);
    const float e = (a[invTMax] - a[invTMin]) / kMarginDivisor;
    a[invTMin] = std::max(0.0f, a[invTMin] - e);
    a[invTMax] += e;
    if (code == -3 || code == -4) {
        const float d = code == -3 ? (a[lnkMax] - a[lnkMin]) / kMarginDivisor : (a[lnkTMax] - a[lnkTMin]) / kMarginDivisor;
        a[lnkMin] -= d;
        a[lnkTMin] -= d;
        a[lnkMax] += d;
        a[lnkTMax] += d;
    }
    float d = (a[tUMax] - a[tUMin]) / kMarginDivisor;
    if (d == 0) d = a[tUMax] / kMarginDivisor;
    a[tUMax] += d;
    a[tUMin] -= d;
    d = (a[lnABMax] - a[lnABMin]) / kMarginDivisor;
    a[lnABMax] += d;
    a[lnABMin] -= d;
    WidenPair(TMin, TMaxSlot);
    WidenPair(kMin, kMax);
    WidenTop(rMin, rMax);
    WidenPair(invrMin, invrMax);
    WidenPair(cSrMin, cSrMax);
    WidenPair(rcSMin, rcSMax);
}

void TestSplineData(int species, std::string& answer) {
    answer.clear();
    if (species < 1 || species > kSpecies) species = 1;
    const int n = DataRowCount();
    // Copies: the check sorts them, the data set keeps its order.
    std::vector<double> x(static_cast<std::size_t>(n) + 1, 0.0);
    SplineRows y;
    y[species].assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) {
        x[i] = ExpDaten[i].t;
        y[species][i] = ExpDaten[i].c[species];
    }
    if (CheckXAufsteigend(species, x, y, n)) {
        platform::MsgBox(
            "Für diese Spline-Anwendung sind keine Mehrfach-Zeit-Werte erlaubt.\r\n\r\n"
            "Gehen Sie zum Editor für experimentelle Daten (Icon 9) und\r\n"
            "löschen Sie die mehrfachen x-Werte (Zeit).\r\n"
            "Lassen Sie jeweils nur EINEN Zeit-Wert stehen.",
            platform::MsgCritical + platform::MsgOkOnly, "Test auf Spline-Anwendbarkeit der exper. Daten");
        answer = "cancel";
        return;
    }
    auto& a = AchsenGrenzen;
    a[tMin] = a[tMaxSlot] = a[cMin] = a[cMax] = 0.0f;
    for (int i = 1; i <= n; ++i) {
        Raise(tMaxSlot, ExpDaten[i].t);
        Raise(cMax, ExpDaten[i].c[species]);
    }
    WidenTop(tMin, tMaxSlot);
    WidenTop(cMin, cMax);
}

}  // namespace kernel
