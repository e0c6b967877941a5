#include "diagram/CurveCalc.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>

#include "kernel/RuntimeError.h"
#include "kernel/DataSet.h"
#include "kernel/Spline.h"
#include "platform/core/NumberFormat.h"

namespace diagram {

using namespace kernel;

namespace {

AuswertungsKurve& Auswertung() {
    static AuswertungsKurve rechnung;
    return rechnung;
}

constexpr double kBAKgProKg = 1.055;  // g/L per g/kg of blood

// A value as a Single; a value that does not fit is the run-time overflow of the conversion.
float AlsSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) throw RuntimeError(std::isnan(v) ? ErrorKind::InvalidArgument
                                                                                         : ErrorKind::Overflow);
    return static_cast<float>(v);
}

// Makes room for records 0..n (never beyond the cap).
void Reserviere(std::vector<XYPunkt>& punkte, long n) {
    if (n > kMaxKurvenPunkte) throw RuntimeError(ErrorKind::IndexOutOfRange);
    if (static_cast<long>(punkte.size()) < n + 1) punkte.resize(static_cast<std::size_t>(n + 1));
}

template <typename T>
const T& Element(const std::vector<T>& v, long i) {
    if (i < 0 || i >= static_cast<long>(v.size())) throw RuntimeError(ErrorKind::IndexOutOfRange);
    return v[static_cast<std::size_t>(i)];
}

bool ImYBereich(float y) { return DiagRec.yMin <= y && y <= DiagRec.yMax; }

void Punkt(std::vector<XYPunkt>& punkte, long i, float x, float y) {
    punkte[static_cast<std::size_t>(i)].x = x;
    punkte[static_cast<std::size_t>(i)].y = y;
}

// Label of a species curve; empty for P of the r(P)-c(S) diagram.
std::string SpeziesLabel(int spezies, int slot) {
    static const char* const kBuchstabe[6] = {"", "A", "B", "C", "P", "Q"};
    static const char* const kEnzym[4] = {"", "E", "S", "ES"};
    if (spezies == 4 && MMDiagramm) return "";
    if (spezies == 1 && !RateDiagramm && DiagVariante >= 6)
        return "T/K = " + platform::Format(AlsSingle(Element(TempListe, slot)), "####,##");
    const std::string b = (aktModell == 10 && spezies <= 3) ? kEnzym[spezies] : kBuchstabe[spezies];
    return (RateDiagramm ? "r(" : "c(") + b + ") ";
}

// The stirred-tank and cascade curves over the mean residence time leave a grid point the solver
// could not compute as NaN: a gap, not a failure. Everywhere else a NaN is a failure.
bool LueckenErlaubt() { return !RateDiagramm && (ContiAktiv != 0 || (KaskadeAktiv != 0 && KaskadeUeberTau != 0)); }

void SpeziesKurve(int spezies, int slot, std::vector<XYPunkt>& punkte, int& ausserhalb, KurvenRechnung& r) {
    const std::string label = SpeziesLabel(spezies, slot);
    const bool mmP = spezies == 4 && MMDiagramm;
    if (mmP) ausserhalb = kFalse;
    const long n = nZeitPunkte + 1L;
    Reserviere(punkte, n);
    for (long i = 0; i < n; ++i) {
        const float x = AlsSingle(Element(tWerte, i));
        // A point the reactor grid could not compute (NaN) stays a gap in the curve.
        const double c = (RateDiagramm || mmP) ? 0.0 : Element(cKurve(spezies), i);
        const float y = (RateDiagramm || mmP)           ? AlsSingle(Element(rKurve(spezies), i))
                        : std::isnan(c) && LueckenErlaubt() ? std::numeric_limits<float>::quiet_NaN()
                                                            : AlsSingle(c);
        if (ImYBereich(y)) ausserhalb = kFalse;
        Punkt(punkte, i + 1, x, y);
    }
    punkte[0].x = static_cast<float>(n);
    r.label = label;
}

void Leer(std::vector<XYPunkt>& punkte) {
    if (punkte.empty()) punkte.resize(1);
    punkte[0].x = 0;
}

void AkimaKurve(std::vector<XYPunkt>& punkte, int& ausserhalb, float dx) {
    const int s = TangentSpecies;
    const int n = nMesspunkte;
    if (s < 1 || s > kSpecies || n < 0 || static_cast<long>(ExpDaten.size()) < n + 1L)
        throw RuntimeError(ErrorKind::IndexOutOfRange);
    // The spline runs from x = 0 in half steps of the raster; a step <= 0 would never end.
    const float schritt = dx / 2;
    if (!(schritt > 0)) throw RuntimeError(ErrorKind::DivisionByZero);
    const float xMax = DiagRec.xMax;
    if (xMax >= 0 && static_cast<double>(xMax) / schritt + 2 > kMaxKurvenPunkte)
        throw RuntimeError(ErrorKind::IndexOutOfRange);

    AkimaMessSpezies = 0;
    AkimaX.assign(static_cast<std::size_t>(n) + 6, 0.0);
    for (auto* rows : {&AkimaY, &AkimaD, &AkimaC, &AkimaB, &AkimaA})
        for (auto& row : *rows) row.assign(static_cast<std::size_t>(n) + 6, 0.0);
    AkimaX[0] = n;
    for (int i = 1; i <= n; ++i) {
        AkimaX[i] = ExpDaten[i].t;
        AkimaY[s][i] = ExpDaten[i].c[s];
    }
    // The knots in time order (the data set keeps its own); equal times get the refusal of the
    // duplicate test and no spline.
    if (CheckXAufsteigend(s, AkimaX, AkimaY, n)) {
        std::string antwort;
        TestSplineData(s, antwort);
        Leer(punkte);
        return;
    }
    CalcAkimaSpline(s, n, SmoothingFactor, AkimaX, AkimaY, AkimaD, AkimaC, AkimaB, AkimaA);
    AkimaMessSpezies = s;

    long k = 0;
    for (float x = 0; x <= xMax; x += schritt) {
        ++k;
        Reserviere(punkte, k);
        const float y = AlsSingle(AkimaInterpol(0, s, x, n, AkimaX, AkimaD, AkimaC, AkimaB, AkimaA).value_or(0.0));
        if (ImYBereich(y)) ausserhalb = kFalse;
        Punkt(punkte, k, x, y);
    }
    punkte[0].x = static_cast<float>(k);
}

void TracerKurve(std::vector<XYPunkt>& punkte, int& ausserhalb) {
    const long m = std::lround(Element(VZKurve, 0));
    if (m < 0 || static_cast<long>(VZKurve.size()) < m + 1) throw RuntimeError(ErrorKind::IndexOutOfRange);
    Reserviere(punkte, m);
    punkte.assign(static_cast<std::size_t>(std::max(m + 1, 1L)), XYPunkt{});
    for (long i = 1; i <= m; ++i)
        Punkt(punkte, i, AlsSingle(100.0 * i / m), AlsSingle(VZKurve[static_cast<std::size_t>(i)]));
    punkte[0].x = static_cast<float>(m);
    ausserhalb = m < 2 ? kTrue : kFalse;
}

void BlutalkoholKurve(std::vector<XYPunkt>& punkte, int& ausserhalb) {
    const long n = nZeitPunkte + 1L;
    Reserviere(punkte, n);
    for (long i = 0; i < n; ++i) {
        const double c = Element(cKurveA, i);
        const float y = AlsSingle(BAKUnitGL ? c : c / kBAKgProKg);
        if (ImYBereich(y)) ausserhalb = kFalse;
        Punkt(punkte, i + 1, AlsSingle(Element(tWerte, i)), y);
    }
    punkte[0].x = static_cast<float>(n);
}

long Anzahl(const std::vector<XYPunkt>& punkte) {
    if (punkte.empty() || !std::isfinite(punkte[0].x)) return 0;
    return std::clamp(std::lround(punkte[0].x), 0L, static_cast<long>(punkte.size()) - 1);
}

std::string Fehlertext(const std::exception& e) { return std::string(e.what()) + CrLf + "Message from CalcCurve"; }

}  // namespace

bool SkaliereX(std::vector<XYPunkt>& punkte, double faktor, std::string& grafMeldung) {
    const long n = Anzahl(punkte);
    try {
        std::vector<float> x(static_cast<std::size_t>(n) + 1);
        for (long i = 1; i <= n; ++i) x[static_cast<std::size_t>(i)] = AlsSingle(punkte[static_cast<std::size_t>(i)].x * faktor);
        for (long i = 1; i <= n; ++i) punkte[static_cast<std::size_t>(i)].x = x[static_cast<std::size_t>(i)];
        return true;
    } catch (const std::exception& e) {
        grafMeldung = Fehlertext(e);
        return false;
    }
}

bool PunkteEndlich(const std::vector<XYPunkt>& punkte) {
    const long n = Anzahl(punkte);
    for (long i = 1; i <= n; ++i) {
        const XYPunkt& p = punkte[static_cast<std::size_t>(i)];
        if (!std::isfinite(p.x) || std::isinf(p.y)) return false;
        if (std::isnan(p.y) && !LueckenErlaubt()) return false;
    }
    return true;
}

void SetAuswertungsKurve(AuswertungsKurve rechnung) { Auswertung() = std::move(rechnung); }

int SpeziesFuerKurve(int code, int zeichnenOffen) {
    const int m = code > 50 ? code - 50 : code;
    // Species for zeichnenOffen = 4, 3, 2, 1 (0: no curve).
    struct Gruppe {
        std::array<int, 5> spezies;  // index = zeichnenOffen
    };
    static const Gruppe kAP{{0, 4, 1, 0, 0}}, kABP{{0, 4, 2, 1, 0}}, kACP{{0, 4, 3, 1, 0}},
        kABCP{{0, 4, 3, 2, 1}}, kAPQ{{0, 5, 4, 1, 0}}, kABPQ{{0, 5, 4, 2, 1}};
    const Gruppe* g = nullptr;
    switch (m) {
    case 1: case 2: case 3: case 5: case 8: case 20: g = &kAP; break;
    case 4: case 12: case 17: g = &kABP; break;
    case 6: case 14: case 15: g = &kACP; break;
    case 7: case 9: case 10: case 13: case 18: g = &kABCP; break;
    case 11: case 16: g = &kAPQ; break;
    case 19: g = &kABPQ; break;
    default: return 0;
    }
    if (zeichnenOffen < 1 || zeichnenOffen > 4) return 0;
    return g->spezies[static_cast<std::size_t>(zeichnenOffen)];
}

void CalcCurve(int code, int slot, std::vector<XYPunkt>& punkte, double& regAchsenabschnitt, double& regSteigung,
               float& regBestimmtheit, std::string& grafMeldung, int& ausserhalb, int& fehler,
               KurvenRechnung& rechnung) {
    const float dx = (DiagRec.xMax - DiagRec.xMin) / static_cast<float>(rechnung.rasterSchritte);
    fehler = kFalse;
    grafMeldung.clear();
    rechnung.label.reset();
    rechnung.laufBeendet = false;
    try {
        const bool modell = (code >= 1 && code <= 20) || (code >= 51 && code <= 70);
        if (code == 500) {
            BlutalkoholKurve(punkte, ausserhalb);
        } else if (modell) {
            const int m = code > 50 ? code - 50 : code;
            const bool nichtIsotherm =
                DiagVariante >= 6 && (m == 1 || m == 2 || m == 3 || m == 5 || m == 8 || m == 20);
            const int spezies = nichtIsotherm ? 1 : SpeziesFuerKurve(code, ZeichnenOffen);
            if (spezies == 0)
                Leer(punkte);
            else
                SpeziesKurve(spezies, slot, punkte, ausserhalb, rechnung);
            if (nichtIsotherm) {
                // One temperature per drawing run.
                ZeichnenOffen = 0;
                rechnung.laufBeendet = true;
            }
        } else if (code == 100) {
            AkimaKurve(punkte, ausserhalb, dx);
        } else if (code == 110) {
            TracerKurve(punkte, ausserhalb);
        } else if (code >= 112 && code <= 115) {
            ausserhalb = kFalse;
        } else if ((code >= -14 && code <= -10) || (code >= -8 && code <= -3)) {
            Leer(punkte);
            if (Auswertung())
                Auswertung()(code, punkte, regAchsenabschnitt, regSteigung, regBestimmtheit, grafMeldung, ausserhalb);
        } else {
            Leer(punkte);
        }
    } catch (const std::exception& e) {
        fehler = kTrue;
        grafMeldung = Fehlertext(e);
        Leer(punkte);
    }
}

}  // namespace diagram
