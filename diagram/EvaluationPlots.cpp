#include "diagram/EvaluationPlots.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "kernel/RuntimeError.h"
#include "platform/core/NumberFormat.h"

namespace diagram {

using namespace kernel;

namespace {

float AlsSingle(double v) {
    if (std::isnan(v)) throw RuntimeError(ErrorKind::InvalidArgument);
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) throw RuntimeError(ErrorKind::Overflow);
    return static_cast<float>(v);
}

// -5 and -10 run one procedure; the flag, not the code, chooses the quantity.
int Formel(int code) {
    if (code == -5 || code == -10) return LambdaModus ? -10 : -5;
    return code;
}

// The row test of the regression (tested values positive).
bool ZeileTaugt(int formel, const ExpPunkt& r) {
    switch (formel) {
    case -14: case -13: case -12: return r.c[2] > 0 && r.t > 0;
    case -11: case -10: return r.lambda > 0;
    case -8: return r.c[1] > 0 && r.c[2] > 0;
    case -7: return r.t > 1e-08;
    case -6: case -5: return r.c[1] > 0;
    // Rows of c-t-T data (k = 0) in the same set are no k-T points.
    case -4: case -3: return static_cast<float>(r.T) > 0 && r.k > 0;
    default: return false;
    }
}

// The linearised quantity of a row; throws where it cannot be formed.
void Linearisiere(int formel, const ExpPunkt& r, double& x, double& y) {
    const double lambdaRest = lambdaInf - static_cast<double>(r.lambda);
    switch (formel) {
    case -14: x = CheckedDiv(r.t, r.c[2]); y = r.t; break;
    case -13: x = r.c[2]; y = CheckedDiv(r.c[2], r.t); break;
    case -12: x = CheckedDiv(1, r.c[2]); y = CheckedDiv(1, r.t); break;
    case -11:
        x = r.t;
        y = lambdaNull == 0 ? CheckedDiv(lambdaInf, lambdaRest)
                            : CheckedDiv(CheckedDiv(lambdaInf - lambdaNull, lambdaRest), c0Mess[1]);
        break;
    case -10:
        x = r.t;
        y = lambdaNull == 0 ? CheckedLog(lambdaRest) : CheckedLog(CheckedDiv(lambdaRest, lambdaInf - lambdaNull));
        break;
    case -8: x = r.t; y = CheckedLog(CheckedDiv(r.c[1], r.c[2])); break;
    case -7: {
        const double umsatz = CheckedDiv(c0Mess[1] - r.c[1], c0Mess[1]);
        x = r.t;
        y = CheckedDiv(r.t, umsatz);
        break;
    }
    case -6: x = r.t; y = CheckedDiv(1, r.c[1]); break;
    case -5: x = r.t; y = CheckedLog(r.c[1]); break;
    case -4: x = CheckedDiv(1, r.T); y = CheckedLog(CheckedDiv(r.k, r.T)); break;
    case -3: x = CheckedDiv(1, r.T); y = CheckedLog(r.k); break;
    default: throw RuntimeError(ErrorKind::InvalidArgument);
    }
}

std::string R2Teil(float r2, const std::string& vorsatz) {
    return r2 > 0 ? vorsatz + platform::FormatSingle(r2, "0.00000") : std::string();
}

const char* const kBestimmtheit = "Bestimmtheitsmaß des Geradenausgleichs R^2 = ";

std::string Allgemein(double v) { return platform::CStrDouble(v); }
std::string AllgemeinSingle(double v) { return platform::CStrSingle(AlsSingle(v)); }

// The enzyme plots: KM and r(P)max.
std::string EnzymText(double km, double rpMax, float r2) {
    return "Resultat: KM = " + Allgemein(km) + " mol/L,  r(P)max = " + Allgemein(rpMax) + " mol/(L " + ZeitEinheit +
           "),  " + R2Teil(r2, kBestimmtheit);
}

std::string ZweiteOrdnungText(float r2) {
    return "Resultat:  k = " + AllgemeinSingle(kWert[1]) + "  L/(" + ZeitEinheit + " mol)" +
           R2Teil(r2, std::string("    ") + kBestimmtheit);
}

}  // namespace

bool IstAuswertungsCode(int code) { return (code >= -14 && code <= -10) || (code >= -8 && code <= -3); }

bool AuswertungsPaar(int code, const ExpPunkt& row, float& x, float& y) {
    const int f = Formel(code);
    if (!ZeileTaugt(f, row)) return false;
    double dx = 0, dy = 0;
    Linearisiere(f, row, dx, dy);
    x = AlsSingle(dx);
    y = AlsSingle(dy);
    return true;
}

void DrawRegressionLine(int nTerms, const RegressMatrix& coef, double& intercept, double& slope, int& ausserhalb,
                        std::vector<XYPunkt>& punkte) {
    if (nTerms < 1 || nTerms > kMaxRegressTerms) throw RuntimeError(ErrorKind::IndexOutOfRange);
    intercept = coef[1][3];
    slope = coef[2][3];
    const float h = AlsSingle((static_cast<double>(DiagRec.xMax) - DiagRec.xMin) / kLinienIntervalle);
    // A range that is not positive would never end the loop.
    if (!(h > 0)) throw RuntimeError(ErrorKind::DivisionByZero);
    // The end of the loop is a Single sum, the running x a Double.
    const float ende = AlsSingle(static_cast<double>(DiagRec.xMax) + h);
    long j = 0;
    for (double x = DiagRec.xMin; x <= ende; x += h) {
        double y = 0, basis = 1;
        for (int k = 1; k <= nTerms; ++k) {
            y += basis * coef[static_cast<std::size_t>(k)][static_cast<std::size_t>(nTerms + 1)];
            basis *= x;
        }
        const float ys = AlsSingle(y);
        if (DiagRec.yMin < ys && ys < DiagRec.yMax) ausserhalb = kFalse;
        ++j;
        if (static_cast<long>(punkte.size()) < j + 1) punkte.resize(static_cast<std::size_t>(j + 1));
        punkte[static_cast<std::size_t>(j)].x = AlsSingle(x);
        punkte[static_cast<std::size_t>(j)].y = ys;
    }
    if (punkte.empty()) punkte.resize(1);
    punkte[0].x = static_cast<float>(j);
}

std::string BerechneAuswertung(int code, std::vector<XYPunkt>& punkte, double& regA, double& regB, float& regR2,
                               std::string& grafMeldung, int& ausserhalb, const std::function<void()>& nachDerLinie) {
    // 1. The qualified rows; for -8 every row at t = 0 gives the initial concentrations.
    RegressX.assign(1, 0.0f);
    RegressY.assign(1, 0.0f);
    RegressW.assign(1, 0.0f);
    float cA0 = 0, cB0 = 0;
    const int n = std::min<int>(nMesspunkte, static_cast<int>(ExpDaten.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& r = ExpDaten[static_cast<std::size_t>(i)];
        if (code == -8 && r.t == 0) {
            cA0 = static_cast<float>(r.c[1]);
            cB0 = static_cast<float>(r.c[2]);
        }
        float x = 0, y = 0;
        bool taugt = false;
        try {
            taugt = AuswertungsPaar(code, r, x, y);
        } catch (const RuntimeError&) {
            // An excluded row weighs nothing: one whose quantity cannot be formed is left out.
            if (r.exclude != kTrue) throw;
        }
        if (!taugt) continue;
        RegressX.push_back(x);
        RegressY.push_back(y);
        RegressW.push_back(r.exclude == kTrue ? 0.0f : 1.0f);
    }

    // 2. The weighted straight line.
    RegressMatrix coef{};
    float sd = 0, sdRel = 0;
    int fehler = 0;
    Regression(RegressX, RegressY, RegressW, 2, 2, 0, coef, sd, sdRel, regR2, fehler);
    if (fehler) throw RuntimeError(ErrorKind::DivisionByZero);

    // 3. The line, then the measured points.
    DrawRegressionLine(2, coef, regA, regB, ausserhalb, punkte);
    if (nachDerLinie) nachDerLinie();
    const double a = coef[1][3];
    const double b = coef[2][3];

    // 4. Result and result line.
    switch (code) {
    case -14: return EnzymText(-b, a, regR2);
    case -13: {
        const double rpMax = b != 0 ? 1 / b : 0;
        return EnzymText(b != 0 ? rpMax * a : 0, rpMax, regR2);
    }
    case -12: {
        const double rpMax = a != 0 ? 1 / a : 0;
        return EnzymText(a != 0 ? rpMax * b : 0, rpMax, regR2);
    }
    case -11:
        kWert[1] = lambdaNull == 0 ? CheckedDiv(b, c0Mess[1] * a) : b;
        if (aktModell == 3) kWert[1] /= 2;
        grafMeldung.clear();
        return "Resultat:   k = " + AllgemeinSingle(kWert[1]) + "  L/(" + ZeitEinheit + " mol),  " +
               R2Teil(regR2, kBestimmtheit);
    case -10: case -5:
        kWert[1] = -b;
        grafMeldung.clear();
        if (LambdaModus && lambdaNull == 0)
            grafMeldung = ", lambda(0), extrapol. = " + platform::StrSingle(AlsSingle(lambdaInf - CheckedExp(a)));
        return "Resultat:   k = " + AllgemeinSingle(kWert[1]) + "  1/" + ZeitEinheit + grafMeldung +
               R2Teil(regR2, std::string("    ") + kBestimmtheit);
    case -8:
        kWert[1] = CheckedDiv(b, static_cast<double>(cA0) - cB0);
        return ZweiteOrdnungText(regR2);
    case -7: {
        const float ordnung = AlsSingle(2 * regB);
        regA = CheckedDiv(CheckedDiv(1, regA), CheckFinite(std::pow(static_cast<double>(c0Mess[1]), ordnung - 1.0)));
        return "Resultat: n = " + platform::FormatSingle(ordnung, ".0") + ";  k = " + AllgemeinSingle(regA) +
               R2Teil(regR2, std::string("    ") + kBestimmtheit);
    }
    case -6:
        kWert[1] = ABGleich ? b : b / 2;
        return ZweiteOrdnungText(regR2);
    case -3: {
        regB = -regB * kGasKonstante / 1000;
        const double faktorA = CheckedExp(regA);
        return "Resultat: EA/(J/mol) = " + platform::Format(regB, "####0.00 E3") + ";  A = " +
               AllgemeinSingle(faktorA) + ",  " + R2Teil(regR2, " R^2 = ");
    }
    case -4: {
        regB = -regB * kGasKonstante / 1000;
        regA = (regA - std::log(kBoltzmann / kPlanck)) * kGasKonstante;
        return "Resultat: h#/(J/mol) = " + platform::Format(regB * 1000, "#######0") + ";  s#/(J/mol*K) = " +
               platform::Format(regA, "####0.00") + ", Achtung: s# ist nur korrekt, wenn für k gilt [t] = s, " +
               R2Teil(regR2, " R^2 = ");
    }
    default: return std::string();
    }
}

int FesterPunktsatz(int code) {
    switch (code) {
    case -15: case -14: case -13: case -12: case -4: case -3: case -2: return 6;
    case -11: case -10: case -8: case -7: case -6: case -5: return 1;
    default: return 0;
    }
}

namespace {
bool HatSpalte(int s) { return s >= 1 && s <= kSpecies && DatenSpalte[static_cast<std::size_t>(s)] != 0; }
bool Maskiert(int s) {
    return s <= static_cast<int>(KurvenMaske.size()) && KurvenMaske[static_cast<std::size_t>(s - 1)] == '1';
}
}  // namespace

std::vector<int> PunktsaetzeDesCodes(int code) {
    if (const int fest = FesterPunktsatz(code); fest > 0) return {fest};
    std::vector<int> saetze;
    if (code == 100) {
        if (HatSpalte(TangentSpecies)) saetze.push_back(TangentSpecies);
    } else if (code == -1 || code == -9 || (code >= 1 && code <= kModels)) {
        for (int s = 1; s <= kSpecies; ++s)
            if (HatSpalte(s) && (code == -1 || Maskiert(s))) saetze.push_back(s);
    }
    return saetze;
}

std::vector<ExperPunkt> ExperPunkteDerZeile(int code, const ExpPunkt& r) {
    std::vector<ExperPunkt> punkte;
    auto spalte = HatSpalte;
    auto spezies = [&](int s) { punkte.push_back({s, r.t, r.c[static_cast<std::size_t>(s)]}); };
    // Linearised sets: extra skip conditions, then the quantity; a row whose value cannot be formed
    // gives no point.
    auto linear = [&](int formel, bool zeigen) {
        if (!zeigen) return;
        try {
            double x = 0, y = 0;
            Linearisiere(formel, r, x, y);
            punkte.push_back({FesterPunktsatz(code), AlsSingle(x), AlsSingle(y)});
        } catch (const RuntimeError&) {
        }
    };
    switch (code) {
    case 100:
        if (spalte(TangentSpecies)) spezies(TangentSpecies);
        break;
    case -15:
        if (r.c[2] > 0) punkte.push_back({6, AlsSingle(r.c[2]), AlsSingle(r.t)});
        break;
    case -14: case -13: case -12: linear(code, r.c[2] > 0 && r.t > 0); break;
    case -11: case -10: linear(code, r.lambda > 0); break;
    case -8: linear(-8, spalte(1) && spalte(2) && r.c[1] > 0 && r.c[2] > 0); break;
    case -7: linear(-7, spalte(1) && c0Mess[1] > 0 && r.t > 1e-8); break;
    case -6: case -5: linear(code, spalte(1) && r.c[1] > 0); break;
    case -4: case -3: linear(code, r.T > 0 && r.k > 0); break;
    case -2:
        if (r.T > 0) punkte.push_back({6, r.T, r.k});
        break;
    case -1:
        for (int s = 1; s <= kSpecies; ++s)
            if (spalte(s)) spezies(s);
        break;
    default:
        if (code == -9 || (code >= 1 && code <= kModels)) {
            for (int s = 1; s <= kSpecies; ++s)
                if (Maskiert(s) && spalte(s)) spezies(s);
        }
        break;
    }
    return punkte;
}

}  // namespace diagram
