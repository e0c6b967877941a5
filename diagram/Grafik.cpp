#include "diagram/Grafik.h"

#include <exception>

#include "diagram/GestaltungLink.h"
#include "diagram/frmTGraph2D.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace diagram {

using namespace kernel;

std::array<std::string, 3> GrafTitel;

namespace {

struct ModellTitel {
    int kurven;
    const char* zeit;       // time course and batch reactor
    const char* kessel;     // continuous stirred tank
    const char* kaskade;    // stirred-tank cascade
    const char* y;
};

struct RateTitel {
    int kurven;
    const char* titel;
    const char* rateListe;  // y title without the unit
};

// model: curves, header (time), header (stirred tank), header (cascade), y-axis title
const std::array<ModellTitel, 21> kModellTitel = {{
    {0, "", "", "", ""},
    {2, "Konzentrationsverlauf für die Reaktion 0. Ordnung A => P",
     "kontin. Rührkessel; Reaktion 0. Ordnung A => P",
     "Rührkesselkaskade; Reaktion 0. Ordnung A => P",
     "c(A), c(P)/ (mol/L)"},
    {2, "Konzentrationsverlauf für die Reaktion 1. Ordnung A => P",
     "kontin. Rührkessel; Reaktion 1. Ordnung A => P",
     "Rührkesselkaskade; Reaktion 1. Ordnung A => P",
     "c(A), c(P)/ (mol/L)"},
    {2, "Konzentrationsverlauf für die Reaktion 2. Ordnung 2A => P",
     "kontin. Rührkessel; Reaktion 2. Ordnung 2A => P",
     "Rührkesselkaskade; Reaktion 2. Ordnung 2A => P",
     "c(A), c(P)/ (mol/L)"},
    {3, "Konzentrationsverlauf für die Reaktion 2. Ordnung A + B => P",
     "kontin. Rührkessel; Reaktion 2. Ordnung A + B => P",
     "Rührkesselkaskade; Reaktion 2. Ordnung A + B => P",
     "c(A), c(B), c(P)/ (mol/L)"},
    {2, "Konzentrationsverlauf für eine autokatalytische Reaktion A => P",
     "kontin. Rührkessel; autokatalytische Reaktion A => P",
     "Rührkesselkaskade; autokatalytische Reaktion A => P",
     "c(A), c(P)/ (mol/L)"},
    {3, "Konzentrationsverlauf für die Folgereaktion 1. Ordng A => C => P",
     "kontin. Rührkessel; Folgereaktion 1. Ordng A => C => P",
     "Rührkesselkaskade; Folgereaktion 1. Ordng A => C => P",
     "c(A), c(C), c(P)/ (mol/L)"},
    {4, "Konz.-verlauf für die konkurrierende Folgereaktion A + B => C;  A + C => P",
     "kontin. Rührkessel; konkurrierende Folgereaktion A + B => C;  A + C => P",
     "Rührkesselkaskade; konkurrierende Folgereaktion A + B => C;  A + C => P",
     "c(A), c(B), c(C), c(P)/ (mol/L)"},
    {2, "Konz.-verlauf für die umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ",
     "kontin. Rührkessel; umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ",
     "Rührkesselkaskade; umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ",
     "c(A), c(P)/ (mol/L)"},
    {4, "Konz.-verlauf für die Folgereaktion 2. Ordnung A + B => C => P",
     "kontin. Rührkessel; Folgereaktion 2. Ordnung A + B => C => P",
     "Rührkesselkaskade; Folgereaktion 2. Ordnung A + B => C => P",
     "c(A), c(B), c(C), c(P)/ (mol/L)"},
    {4, "Enzymreaktion n. Michaelis-Menten E + S <=> ES => P + E,  KM/(mol/L) = (k< + k3) / k> = ",
     "kontin. Rührkessel; Enzymreaktion n. Michaelis-Menten E + S <=> ES => P + E",
     "Rührkesselkaskade; Enzymreaktion n. Michaelis-Menten E + S <=> ES => P + E",
     "c(E), c(S), c(ES), c(P)/ (mol/L)"},
    {3, "Konz.-verlauf für die Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "kontin. Rührkessel; Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "Rührkesselkaskade; Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "c(A), c(P), c(Q)/ (mol/L)"},
    {3, "Konz.-verlauf für eine umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ",
     "kont. Rührkessel; umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ",
     "Rührkesselkaskade; umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ",
     "c(A), c(B), c(P)/ (mol/L)"},
    {4, "Folgereakt. 2. Ordng mit nachgelag. umkehrbarer Rkt. A + B => C <=> P,  K = k>/k< ",
     "kontin. Rührkessel; Folgereakt. 2. Ordng mit nachgelag. umkehrbarer Rkt. A + B => C <=> P",
     "Rührkesselkaskade; Folgereakt. 2. Ordng mit nachgelag. umkehrbarer Rkt. A + B => C <=> P",
     "c(A), c(B), c(C), c(P)/ (mol/L)"},
    {3, "Folgereakt. 1. Ordng mit nachgelag. umkehrbarer Rkt. A => C <=> P,  K = k>/k< ",
     "kontin. Rührkessel; Folgereakt. 1. Ordng mit nachgelag. umkehrbarer Rkt. A => C <=> P",
     "Rührkesselkaskade; Folgereakt. 1. Ordng mit nachgelag. umkehrbarer Rkt. A => C <=> P",
     "c(A), c(C), c(P) / (mol/L)"},
    {3, "Folgereakt. 1. Ordng mit vorgelag. umkehrbarer Rkt. A <=> C => P,  K = k>/k< ",
     "kontin. Rührkessel; Folgereakt. 1. Ordng mit vorgelag. umkehrbarer Rkt. A <=> C => P",
     "Rührkesselkaskade; Folgereakt. 1. Ordng mit vorgelag. umkehrbarer Rkt. A <=> C => P",
     "c(A), c(C), c(P) / (mol/L)"},
    {3, "Autokatalytische Reaktion A => P + Q  (Katalysator P)",
     "kontin. Rührkessel; autokatalytische Reaktion A => P + Q  (Katalysator P)",
     "Rührkesselkaskade; autokatalytische Reaktion A => P + Q  (Katalysator P)",
     "c(A), c(P), c(Q)/ (mol/L)"},
    {3, "Konz.-verlauf für eine umkehrbare Reakt. 2. Ordnung A + B <=> P,  K = k>/k< ",
     "kont. Rührkessel; umkehrbare Reakt. 2. Ordnung A + B <=> P,  K = k>/k< ",
     "Rührkesselkaskade; umkehrbare Reakt. 2. Ordnung A + B <=> P,  K = k>/k< ",
     "c(A), c(B), c(P)/ (mol/L)"},
    {4, "Folgereaktion mit vorgelagerter umkehrbarer Rkt. A + B <=> C => P,  K = k>/k< ",
     "kontin. Rührkessel; Folgerkt. mit vorgelagerter umkehrbarer Rkt. A + B <=> C => P",
     "Rührkesselkaskade; Folgerkt. mit vorgelagerter umkehrbarer Rkt. A + B <=> C => P",
     "c(A), c(B), c(C), c(P)/ (mol/L)"},
    {4, "Konz.-verlauf für eine umkehrbare Reakt. 2. Ordnung A + B <=> P + Q,  K = k>/k< ",
     "kont. Rührkessel; umkehrbare Reakt. 2. Ordnung A + B <=> P + Q,  K = k>/k< ",
     "Rührkesselkaskade; umkehrbare Reakt. 2. Ordnung A + B <=> P + Q,  K = k>/k< ",
     "c(A), c(B), c(P)/ (mol/L)"},
    {2, "Reaktionsgeschwindigkeiten, Reaktion n-ter Ordnung A => P",
     "kontin. Rührkessel; Reaktion n-ter Ordnung A => P",
     "Rührkesselkaskade; Reaktion n-ter Ordnung A => P",
     "c(A), c(P) / (mol/L)"},
}};
const std::array<RateTitel, 21> kRateTitel = {{
    {0, "", ""},
    {2, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion 0. Ordnung A => P",
     "r(A), r(P) / (mol/L/"},
    {2, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion 1. Ordnung A => P",
     "r(A), r(P) / (mol/L/"},
    {2, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion 2. Ordnung 2A => P",
     "r(A), r(P) / (mol/L/"},
    {3, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion 2. Ordnung A + B => P",
     "r(A), r(B), r(P) / (mol/L/"},
    {2, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), autokatalytische Reaktion A => P",
     "r(A), r(P) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i) = (dc(i)/dt), Folgereaktion 1. Ordng A => C => P",
     "r(A), r(C), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i) = (dc(i)/dt), konkurr. Folgereaktion A + B => C;  A + C => P",
     "r(A), r(B), r(C), r(P) / (mol/L/"},
    {2, "Reaktionsgeschw. r(i) = (dc(i)/dt), umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ",
     "r(A), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i) = (dc(i)/dt), Folgereaktion 2. Ordnung A + B => C => P",
     "r(A), r(B), r(C), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i) = (dc(i)/dt), Enzymrkt. E + S <=> ES => P * E,  KM/(mol/L) = (k< + k3) / k> = ",
     "r(E), r(S), r(ES), r(P) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i) = (dc(i)/dt), Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "r(A), r(P), r(Q) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i) = (dc(i)/dt), umkehrbare Reakt. 2. Ord. A + B <=> 2P,  K = k>/k< ",
     "r(A), r(B), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i)=(dc(i)/dt), Folgerkt. 2. Ord. mit nachgelag. Gleichg. A+B=>C<=>P,  K=k>/k<",
     "r(A), r(B), r(C), r(P) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i)=(dc(i)/dt), Folgereakt. 1. Ord. mit nachgelag. Gleichg. A=>C<=>P,  K=k>/k<",
     "r(A), r(C), r(P) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i)= dc(i)/dt), Folgereakt. 1. Ord. mit vorgelag. Gleichg. A<=>C=>P,  K=k>/k<",
     "r(A), r(C), r(P) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i) = (dc(i)/dt), autokatalyt. Rkt. A => P + Q  (Katalysator P)",
     "r(A), r(P), r(Q) / (mol/L/"},
    {3, "Reaktionsgeschw. r(i) = (dc(i)/dt), umkehrbare Reakt. 2. Ord. A + B <=> P,  K = k>/k< ",
     "r(A), r(B), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i) = (dc(i)/dt), Folgerkt. mit vorgelagertem Gleichg. A + B <=> C => P,  K = k>/k< ",
     "r(A), r(B), r(C), r(P) / (mol/L/"},
    {4, "Reaktionsgeschw. r(i) = (dc(i)/dt), umkehrbare Reakt. 2. Ord.A + B <=> P + Q,  K = k>/k< ",
     "r(A), r(B), r(P), r(Q) / (mol/L/"},
    {2, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion n-ter Ordnung A => P",
     "r(A), r(P) / (mol/L/"},
}};

const char* const kSpeziesBuchstabe[6] = {"", "A", "B", "C", "P", "Q"};

bool IstMichaelisMenten() { return MMDiagramm != 0 && aktModell == 10; }

// KM as text: the Single value with a decimal point and a leading blank when not negative.
std::string KmText() { return platform::StrSingle(static_cast<float>(KMichaelis)); }

DiagrammKopf Kopf(std::string titel, std::string x, std::string y, int kurven = 1) {
    DiagrammKopf k;
    k.hatTitel = true;
    k.titel = std::move(titel);
    k.xTitel = std::move(x);
    k.yTitel = std::move(y);
    k.kurven = kurven;
    return k;
}

DiagrammKopf AuswertungsTitel(int code) {
    const std::string& u = ZeitEinheit;
    const std::string t = "t/ " + u;
    switch (code) {
    case -15:
        return Kopf("Versuchsdaten-Auswertung Enzymreaktion, Michaelis-Gleichung", "c(S) / (mol/L)",
                    "r(P) / mol/(L " + u + " )");
    case -14:
        return Kopf("Versuchsdaten-Auswertung Enzymreaktion nach Eadie", "r(P)/c(S) / " + u + "^-1",
                    "r(P) / mol/(L " + u + " )");
    case -13:
        return Kopf("Versuchsdaten-Auswertung Enzymreaktion nach Hanes/Woolf", "c(S) / (mol/L)", "c(S)/r(P) / " + u);
    case -12:
        return Kopf("Versuchsdaten-Auswertung Enzymreaktion nach Lineweaver/Burk", "1/c(S) / (L/mol)",
                    "1/r(P) / (L " + u + "/mol)");
    case -11:
        return Kopf(aktModell == 3 ? "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: 2A => P"
                                   : "lambda-Versuchsdaten-Auswertung nach 2. Ord. A + B => P (c(A)0<>c(B)0)",
                    t,
                    lambdaNull == 0 ? "lambda_inf / (lambda_inf-lambda)"
                                    : "[(lambda_inf-lambda_0)/(lambda_inf-lambda)]/c(A)0");
    case -10:
        return Kopf("lambda-Versuchsdaten-Auswertung nach 1. Ordnung A => P", t,
                    lambdaNull == 0 ? "ln (lambda_inf-lambda)" : "ln [(lambda_inf-lambda)/(lambda_inf-lambda_0)]");
    case -9: {
        std::string titel = "Messpunkte Konzentration vs. Zeit, k-Fitting";
        std::string y = "c/ (mol/L)";
        if (DiagVariante == 2) titel = "Messpunkte Konzentration vs. Zeit, Reaktionsordnung-Fitting";
        if (DiagVariante == 6) {
            titel = "Messpunkte Konzentration vs. Zeit, 1. Ordng, nicht-isotherm";
            y = "c(A)/c(A,0)";
        }
        if (DiagVariante == 7) {
            titel = "Messpunkte Konzentration vs. Zeit, 2. Ordng,  nicht-isotherm";
            y = "c(A)/ (mol/L)";
        }
        return Kopf(titel, t, y);
    }
    case -8:
        return Kopf("Versuchsdaten-Auswertung nach 2. Ordnung: A  + B => P  (c(A,0) <> c(B,0)", t, "ln(c(A)/c(B))");
    case -7:
        return Kopf("Versuchsdaten-Auswertung nach Wilkinson", t, "t/[(c(A,0) - c(A))/c(A,0)]");
    case -6:
        return Kopf(ABGleich ? "Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P  (c(A,0) = c(B,0)"
                             : "Versuchsdaten-Auswertung nach 2. Ordnung: 2 A => P",
                    t, "1/(c(A)/ (mol/L))");
    case -5:
        return Kopf("Versuchsdaten-Auswertung nach 1. Ordnung: A => P", t, "ln(c(A)/ (mol/L))");
    case -4:
        return Kopf("ln(k/T) vs. reziproke absolute T, EYRING-Auswertung", "1/ (T/K) ", "ln(k/T) ");
    case -3:
        return Kopf("ln(k) vs. reziproke absolute T, ARRHENIUS-Auswertung", "1/ (T/K) ", "ln(k) ");
    case -2:
        return Kopf("Messpunkte Geschw.-konstante k vs. Temperatur", "T/ K ", "k ");
    case -1:
        return Kopf("Messpunkte Konzentration vs. Zeit", t, "c/ (mol/L)");
    default:
        return {};
    }
}

DiagrammKopf SonderTitel(int code) {
    const std::string& u = ZeitEinheit;
    DiagrammKopf k;
    switch (code) {
    case 100: {
        const int s = (TangentSpecies >= 1 && TangentSpecies <= 5) ? TangentSpecies : 0;
        const std::string b = kSpeziesBuchstabe[s];
        return Kopf("Konzentration c(" + b + ") vs. Zeit", "t/ " + u, "c(" + b + ")/ (mol/L)");
    }
    case 110:
        k = Kopf("c(Tracer) am Ausgang", "Zeit t (100 = Gesamt-Versuchszeit)", "c / c0");
        break;
    case 112:
        k = Kopf("Verweilzeit-Dichtefunktion E = f(t)", "Versuchszeit t / " + u, "E / " + u + "^-1");
        break;
    case 113:
        k = Kopf("Verweilzeit-Dichtefunktion (dimensionslos) E * tm = f(t/tm)", "Zeitverhältnis t / tm", "E * tm");
        break;
    case 114:
        k = Kopf("Verweilzeitsummenfunktion F = f(t)", "Versuchszeit t / " + u, "F");
        break;
    case 115:
        k = Kopf("Verweilzeitsummenfunktion F = f(t/tm)", "Zeitverhältnis t / tm", "F");
        break;
    case 500:
        k = Kopf(BAKNurAufbau ? "Resorptions-Diagramm"
                              : "Blutalkohol-Konzentration (BAK) im menschlichen Körper, BAK = f(t)",
                 "Zeit t / min", BAKUnitGL ? "BAK / (g/L)" : "BAK / (g/kg) = \"Promille\"");
        break;
    default:
        return {};
    }
    k.sonderFenster = true;
    return k;
}

DiagrammKopf MichaelisMentenTitel() {
    return Kopf("Enzymreaktion n. Michaelis-Menten; Michaelis-Konstante KM/(mol/L) =" + KmText(),
                MMNormiert ? "c(S)/KM      (KM = Michaelis-Konstante)" : "c(S)/(mol/L)", "r(P) / r(P)(max)");
}

DiagrammKopf KonzentrationsTitel(int modell) {
    const ModellTitel& m = kModellTitel[modell];
    std::string y = m.y;
    if (modell == 2 && DiagVariante == 6) y = "c(A)/c(A,0)";
    if (modell == 3 && DiagVariante == 7) y = "c(A)/ (mol/L)";
    std::string km = modell == 10 ? KmText() : "";
    if (RohrAktiv) return Kopf("Konzentrationsprofil im Rohrreaktor", "Länge l / m", y, m.kurven);
    if (ContiAktiv) return Kopf(m.kessel, "mittlere Verweilzeit im Kessel t/ " + ZeitEinheit, y, m.kurven);
    if (KaskadeAktiv)
        return Kopf(m.kaskade,
                    KaskadeUeberTau ? "mittlere Verweilzeit in der Kaskade t/ " + ZeitEinheit : "Kaskaden-Stufe", y,
                    m.kurven);
    return Kopf(m.zeit + km, "t/ " + ZeitEinheit, y, m.kurven);
}

DiagrammKopf RatenTitel(int modell) {
    const RateTitel& r = kRateTitel[modell];
    std::string titel = r.titel;
    if (modell == 10) titel += KmText();
    return Kopf(titel, "t/ " + ZeitEinheit, std::string(r.rateListe) + ZeitEinheit + ")", r.kurven);
}

}  // namespace

DiagrammKopf DiagrammTitel(int code) {
    if (code == 500) return SonderTitel(code);
    if (code < -15 || code > 115) return {};
    if (code < 0) return AuswertungsTitel(code);
    if ((code == 10 || code == 60) && MMDiagramm) return MichaelisMentenTitel();
    if (code >= 1 && code <= 20) return KonzentrationsTitel(code);
    if (code >= 51 && code <= 70) return RatenTitel(code - 50);
    return SonderTitel(code);
}

namespace {

// Slots of xMin, xMax, yMin, yMax for a code; -1 where the code has no slot of that kind.
struct SlotZeile {
    int xMin, xMax, yMin, yMax;
};

std::optional<SlotZeile> AuswertungsSlots(int code) {
    switch (code) {
    case -15: return SlotZeile{2, 3, 4, 5};
    case -14: return SlotZeile{36, 37, 4, 5};
    case -13: return SlotZeile{2, 3, 34, 35};
    case -12: return SlotZeile{18, 19, 32, 33};
    case -11: return SlotZeile{0, 1, 26, 27};
    case -10: return SlotZeile{0, 1, 24, 25};
    case -8: return SlotZeile{0, 1, 23, 22};   // the maximum lives in the lower slot
    case -7: return SlotZeile{0, 1, 21, 20};
    case -6: return SlotZeile{0, 1, 18, 19};
    case -5: return SlotZeile{0, 1, 16, 17};
    case -4: return SlotZeile{10, 11, 14, 15};
    case -3: return SlotZeile{10, 11, 12, 13};
    case -2: return SlotZeile{6, 7, 8, 9};
    default: return std::nullopt;
    }
}

bool IstKonzentrationsCode(int code) {
    return code == -9 || code == -1 || (code >= 1 && code <= 20) || code == 100;
}
bool IstRatenCode(int code) { return code >= 51 && code <= 70; }

void SetzeBereich(kernel::DiagRecord& rec, float x0, float x1, float y0, float y1) {
    rec.xMin = x0;
    rec.xMax = x1;
    rec.yMin = y0;
    rec.yMax = y1;
}

}  // namespace

void GetGrafLimits(int code, const AchsenGrenzenBlock& g, kernel::DiagRecord& rec) {
    if (code == -4) {
        // The Eyring plot opens one unit wider than its stored y range on each side.
        SetzeBereich(rec, g[10], g[11], g[14] - 1, g[15] + 1);
        return;
    }
    if (auto s = AuswertungsSlots(code)) {
        SetzeBereich(rec, g[s->xMin], g[s->xMax], g[s->yMin], g[s->yMax]);
        return;
    }
    const bool mm = IstMichaelisMenten();
    const float mmXMax = MMNormiert ? 20.0f : cSmax;
    if (IstKonzentrationsCode(code)) {
        if (mm)
            SetzeBereich(rec, 0, mmXMax, 0, 1);
        else
            SetzeBereich(rec, g[0], g[1], g[2], g[3]);
        return;
    }
    if (IstRatenCode(code)) {
        if (mm)
            SetzeBereich(rec, 0, mmXMax, 0, 1);
        else
            SetzeBereich(rec, g[0], g[1], g[4], g[5]);
        return;
    }
    switch (code) {
    case 110: SetzeBereich(rec, 0, 100, 0, 1); break;
    case 112: SetzeBereich(rec, 0, 40, -0.005f, 0.11f); break;
    case 113: SetzeBereich(rec, 0, 4, -0.01f, 0.11f); break;
    case 114: SetzeBereich(rec, 0, 40, -0.01f, 1.05f); break;
    case 115: SetzeBereich(rec, 0, 4, -0.01f, 1.05f); break;
    case 500: SetzeBereich(rec, 0, static_cast<float>(BAKtmax), -0.01f, g[3]); break;
    default: break;
    }
}

void SetGrafLimits(int code, AchsenGrenzenBlock& g, const kernel::DiagRecord& rec) {
    std::optional<SlotZeile> s = AuswertungsSlots(code);
    const bool konz = IstKonzentrationsCode(code) || code == 110;
    if (!s) {
        if (konz)
            s = IstMichaelisMenten() ? SlotZeile{30, 31, 28, 29} : SlotZeile{0, 1, 2, 3};
        else if (IstRatenCode(code))
            s = SlotZeile{0, 1, 4, 5};
        else if (code == 500)
            s = SlotZeile{0, 1, 2, 3};
        else
            return;
    }
    g[s->xMin] = rec.xMin;
    g[s->xMax] = rec.xMax;
    g[s->yMin] = rec.yMin;
    g[s->yMax] = rec.yMax;
    if (konz) {
        if (DiagVariante == 6) g[3] = 1.0f;
        if (DiagVariante == 7) g[3] = c0Mess[1];
    }
}

void SetKurvenMaske(int code) {
    kTDiagramm = kFalse;
    rcSDiagramm = kFalse;
    std::string kurven = "00000", param = "000";
    const int m = (code >= 51 && code <= 70) ? code - 50 : code;
    switch (m) {
    case 1: case 5: kurven = "10010"; param = "100"; break;
    case 2:
        kurven = DiagVariante == 6 ? "10000" : "10010";
        param = DiagVariante == 6 ? "110" : "100";
        break;
    case 3:
        kurven = DiagVariante == 7 ? "10000" : "10010";
        param = DiagVariante == 7 ? "110" : "100";
        break;
    case 4: kurven = "11010"; param = "100"; break;
    case 6: kurven = "10110"; param = "110"; break;
    case 7: case 9: kurven = "11110"; param = "110"; break;
    case 8: kurven = "10010"; param = "110"; break;
    case 10: case 13: case 18: kurven = "11110"; param = "111"; break;
    case 11: kurven = "10011"; param = "110"; break;
    case 12: case 17: kurven = "11010"; param = "110"; break;
    case 14: case 15: kurven = "10110"; param = "111"; break;
    case 16: kurven = "10011"; param = "100"; break;
    case 19: kurven = "11011"; param = "110"; break;
    case 20: kurven = "10010"; param = DiagVariante == 2 ? "110" : "100"; break;
    case -15: case -14: case -13: case -12:
        kurven = "0000";   // four characters: the enzyme plots have no species columns
        rcSDiagramm = kTrue;
        break;
    case -11: case -10: kurven = "10010"; break;
    case -9: case -1: kurven = "11111"; break;
    case -8: case -7: case -6: case -5: kurven = "00002"; break;
    case -4: case -3: case -2: kTDiagramm = kTrue; break;
    default: break;
    }
    KurvenMaske = kurven;
    ParamMaske = param;
}

std::string Kurvenname(int slot) {
    static const char* const kNamen[6] = {"", "c(A)", "c(B)", "c(C)", "c(P)", "c(Q)"};
    static const char* const kEnzym[4] = {"", "c(E)", "c(S)", "c(ES)"};
    if (slot >= 1 && slot <= 3 && aktModell == 10) return kEnzym[slot];
    if (slot >= 1 && slot <= 5) return kNamen[slot];
    if (slot == 6) {
        if (kTDiagramm) return "k-T";
        if (rcSDiagramm) return "r-c(S)";
    }
    return "";
}

PunktsatzSeite PlanPunktsatzSeite(int code) {
    PunktsatzSeite p;
    auto tab = [&p](int i, bool on, std::optional<std::string> caption) {
        p.tabs[i - 1].on = on;
        if (caption) p.tabs[i - 1].caption = std::move(caption);
    };
    const bool linearisiert = platform::Val(KurvenMaske) == 2;
    for (int i = 1; i <= 6; ++i) {
        const std::string name = Kurvenname(i);
        if (code == 100 && i == TangentSpecies) {
            // One species only: every species tab off, then that species' tab on and current.
            for (int k = 1; k <= 5; ++k) tab(k, false, std::string());
            p.legendeSichtbar = false;
            tab(TangentSpecies, true, name);
            p.txtLegPoints[TangentSpecies] = "c(" + std::string(kSpeziesBuchstabe[TangentSpecies]) + ")";
            p.aktuellerTab = TangentSpecies - 1;
            return p;
        }
        if (i <= 5) {
            const bool maskiert = i <= static_cast<int>(KurvenMaske.size()) && KurvenMaske[i - 1] == '1';
            if (maskiert && DatenSpalte[i]) {
                if (code != 100) {
                    tab(i, true, name);
                    p.legendeSichtbar = true;
                    p.chkLegend = 1;
                } else {
                    p.chkLegend = 0;
                    p.legendeSichtbar = false;
                }
                p.txtLegPoints[i] = name;
            } else {
                tab(i, false, std::nullopt);
            }
        }
        if (DatenSpalte[1] && linearisiert) {
            // The linearised plots show one point set: the transformed A values.
            if (i == 1) {
                tab(1, true, std::string("Fu(c)"));
                p.txtLegPoints[1] = "Fu(c)";
            } else {
                tab(i, false, std::string());
            }
        }
        if (i == 6) {
            if (kTDiagramm && nkTPunkte >= 2) {
                p.legendeSichtbar = false;
                tab(6, true, std::string("k-T"));
                p.txtLegPoints[6] = "k-T";
            } else if (rcSDiagramm) {
                p.legendeSichtbar = false;
                tab(6, true, std::string("r-c(S)"));
                p.txtLegPoints[6] = "r-c(S)";
            } else {
                tab(6, false, std::string());
            }
        }
    }
    return p;
}

namespace {

void WendePunktsatzSeiteAn(const PunktsatzSeite& p, frmTGraph2D& fenster) {
    GestaltungLink& dlg = Gestaltung();
    for (int i = 1; i <= 6; ++i) {
        const auto& t = p.tabs[i - 1];
        if (t.caption)
            dlg.SetPunkteTab(i, t.on, *t.caption);
        else
            dlg.SetPunkteTabAn(i, t.on);
        if (p.txtLegPoints[i]) dlg.SetTxtLegPoints(i, *p.txtLegPoints[i]);
    }
    if (p.chkLegend) dlg.SetChkLegend(*p.chkLegend);
    if (p.legendeSichtbar) fenster.ZeigeLegende(*p.legendeSichtbar);
    if (p.aktuellerTab) dlg.SetPunkteTabAktuell(*p.aktuellerTab + 1);
}

const char* const kFehlerHinweis =
    "Wenn diese Fehlermeldung beim ersten Diagramm-Aufruf erscheint,\r\n"
    "kann das bedeuten, dass das 2D-Graphikmodul ...\\olch2x8.ocx bei der\r\n"
    "Installation nicht ordnungsgemäß registriert wurde.\r\n"
    "Registrieren Sie das Modul dann von Hand; wie das geht, steht auf den Internet-Seiten des Herstellers.";

}  // namespace

void GrafZentrale(int& code, kernel::DiagRecord& rec, int& zeichnenOffen, AchsenGrenzenBlock& grenzen,
                  int& /*nZeitPunkte*/, int& /*mitPunkten*/) {
    try {
        GetGrafLimits(code, grenzen, rec);
        zeichnenOffen = 1;
        LegendVisible = 1;
        rec.SonderFenster = false;
        const DiagrammKopf kopf = DiagrammTitel(code);
        if (kopf.hatTitel) {
            GrafTitel = {kopf.titel, kopf.xTitel, kopf.yTitel};
            zeichnenOffen = kopf.kurven;
            rec.SonderFenster = kopf.sonderFenster;
        }
        rec.Header = GrafTitel[0];
        rec.xTitel = GrafTitel[1];
        rec.yTitel = GrafTitel[2];

        frmTGraph2D& fenster = frmTGraph2D::Instanz();
        platform::Windows().Show("frmTGraph2D");
        WendePunktsatzSeiteAn(PlanPunktsatzSeite(code), fenster);
        // The read-out starts with the chart's top-left corner.
        fenster.Chart2D1_MouseMove(0, 0, 0, 0);
    } catch (const std::exception& e) {
        platform::MsgBox(std::string("Fehler aufgetreten: ") + e.what() + "\r\n\r\n" + kFehlerHinweis,
                         platform::MsgCritical, "Meldung von Sub GrafZentrale");
    }
}

}  // namespace diagram
