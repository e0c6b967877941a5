// Diagram set-up and curve calculation without the window: titles, curve counts, masks, the
// axis-limit memory, the point-set page of the design dialog, the curves per diagram code and the
// curve-slot book-keeping.
#include <algorithm>
#include <functional>
#include <limits>
#include <tuple>

#include "diagram/CurveCalc.h"
#include "diagram/CurveSlots.h"
#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using diagram::DiagrammTitel;
using namespace diagramtest;

// Time unit of the titles (moved in, which also keeps GCC 12 from a false -Wrestrict alarm).
void SetzeEinheit(std::string einheit) { ZeitEinheit = std::move(einheit); }

struct TitelFall {
    const char* name;
    int code;
    std::function<void()> zustand;
    const char* titel;
    const char* x;
    const char* y;
    int kurven;
    bool sonder;
};

class Titel : public DiagrammTest, public ::testing::WithParamInterface<TitelFall> {};

TEST_P(Titel, HeaderAxisTitlesAndCurveCount) {
    const TitelFall& f = GetParam();
    if (f.zustand) f.zustand();
    const diagram::DiagrammKopf k = DiagrammTitel(f.code);
    ASSERT_TRUE(k.hatTitel);
    EXPECT_EQ(std::tie(k.titel, k.xTitel, k.yTitel, k.kurven, k.sonderFenster),
              std::make_tuple(f.titel, f.x, f.y, f.kurven, f.sonder));
}

const TitelFall kTitelFaelle[] = {
    {"Michaelis", -15, [] { SetzeEinheit("min"); }, "Versuchsdaten-Auswertung Enzymreaktion, Michaelis-Gleichung",
     "c(S) / (mol/L)", "r(P) / mol/(L min )", 1, false},
    {"Lambda2OhneLambdaNull", -11, [] { aktModell = 3; },
     "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: 2A => P", "t/ s", "lambda_inf / (lambda_inf-lambda)", 1, false},
    {"Lambda2MitLambdaNull", -11, [] { lambdaNull = 0.3; aktModell = 4; },
     "lambda-Versuchsdaten-Auswertung nach 2. Ord. A + B => P (c(A)0<>c(B)0)", "t/ s",
     "[(lambda_inf-lambda_0)/(lambda_inf-lambda)]/c(A)0", 1, false},
    {"Lambda1", -10, [] { lambdaNull = 1; }, "lambda-Versuchsdaten-Auswertung nach 1. Ordnung A => P", "t/ s",
     "ln [(lambda_inf-lambda)/(lambda_inf-lambda_0)]", 1, false},
    {"FitNichtIsotherm2", -9, [] { DiagVariante = 7; },
     "Messpunkte Konzentration vs. Zeit, 2. Ordng,  nicht-isotherm", "t/ s", "c(A)/ (mol/L)", 1, false},
    {"FitOrdnung", -9, [] { DiagVariante = 2; },
     "Messpunkte Konzentration vs. Zeit, Reaktionsordnung-Fitting", "t/ s", "c/ (mol/L)", 1, false},
    {"ZweiteOrdnungGleich", -6, [] { ABGleich = kTrue; },
     "Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P  (c(A,0) = c(B,0)", "t/ s", "1/(c(A)/ (mol/L))", 1,
     false},
    {"ctPunkte", -1, [] { SetzeEinheit("h"); }, "Messpunkte Konzentration vs. Zeit", "t/ h", "c/ (mol/L)", 1, false},
    {"EineSpezies", 100, [] { TangentSpecies = 4; }, "Konzentration c(P) vs. Zeit", "t/ s", "c(P)/ (mol/L)", 1,
     false},
    {"Dichte", 112, [] { SetzeEinheit("min"); }, "Verweilzeit-Dichtefunktion E = f(t)", "Versuchszeit t / min",
     "E / min^-1", 1, true},
    {"Tracer", 110, nullptr, "c(Tracer) am Ausgang", "Zeit t (100 = Gesamt-Versuchszeit)", "c / c0", 1, true},
    {"DichteDimensionslos", 113, nullptr, "Verweilzeit-Dichtefunktion (dimensionslos) E * tm = f(t/tm)",
     "Zeitverhältnis t / tm", "E * tm", 1, true},
    {"Summe", 114, [] { SetzeEinheit("h"); }, "Verweilzeitsummenfunktion F = f(t)", "Versuchszeit t / h", "F", 1, true},
    {"SummeDimensionslos", 115, nullptr, "Verweilzeitsummenfunktion F = f(t/tm)", "Zeitverhältnis t / tm", "F", 1,
     true},
    {"BlutalkoholGL", 500, [] { BAKUnitGL = kTrue; },
     "Blutalkohol-Konzentration (BAK) im menschlichen Körper, BAK = f(t)", "Zeit t / min", "BAK / (g/L)", 1, true},
    {"Modell2NichtIsotherm", 2, [] { DiagVariante = 6; },
     "Konzentrationsverlauf für die Reaktion 1. Ordnung A => P", "t/ s", "c(A)/c(A,0)", 2, false},
    {"Modell1KaskadeTau", 1, [] { KaskadeAktiv = kTrue; KaskadeUeberTau = kTrue; SetzeEinheit("min"); },
     "Rührkesselkaskade; Reaktion 0. Ordnung A => P", "mittlere Verweilzeit in der Kaskade t/ min",
     "c(A), c(P)/ (mol/L)", 2, false},
    {"Modell6KaskadeStufe", 6, [] { KaskadeAktiv = kTrue; }, "Rührkesselkaskade; Folgereaktion 1. Ordng A => C => P",
     "Kaskaden-Stufe", "c(A), c(C), c(P)/ (mol/L)", 3, false},
    {"Modell12Kessel", 12, [] { ContiAktiv = kTrue; },
     "kont. Rührkessel; umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ", "mittlere Verweilzeit im Kessel t/ s",
     "c(A), c(B), c(P)/ (mol/L)", 3, false},
    {"Modell19Rohr", 19, [] { RohrAktiv = kTrue; ContiAktiv = kTrue; }, "Konzentrationsprofil im Rohrreaktor",
     "Länge l / m", "c(A), c(B), c(P)/ (mol/L)", 4, false},
    {"Modell10KM", 10, [] { KMichaelis = 0.25; },
     "Enzymreaktion n. Michaelis-Menten E + S <=> ES => P + E,  KM/(mol/L) = (k< + k3) / k> =  .25",
     "t/ s", "c(E), c(S), c(ES), c(P)/ (mol/L)", 4, false},
    {"Modell10MichaelisMenten", 10, [] { MMDiagramm = kTrue; KMichaelis = 2; KaskadeAktiv = kTrue; },
     "Enzymreaktion n. Michaelis-Menten; Michaelis-Konstante KM/(mol/L) = 2", "c(S)/KM      (KM = Michaelis-Konstante)",
     "r(P) / r(P)(max)", 1, false},
    {"Rate60MichaelisMenten", 60, [] { MMDiagramm = kTrue; MMNormiert = 0; KMichaelis = 2; },
     "Enzymreaktion n. Michaelis-Menten; Michaelis-Konstante KM/(mol/L) = 2", "c(S)/(mol/L)", "r(P) / r(P)(max)", 1,
     false},
    {"Rate57", 57, [] { SetzeEinheit("d"); ContiAktiv = kTrue; },
     "Reaktionsgeschw. r(i) = (dc(i)/dt), konkurr. Folgereaktion A + B => C;  A + C => P", "t/ d",
     "r(A), r(B), r(C), r(P) / (mol/L/d)", 4, false},
    {"Rate70", 70, nullptr, "Reaktionsgeschwindigkeiten r(i) = (dc(i)/dt), Reaktion n-ter Ordnung A => P", "t/ s",
     "r(A), r(P) / (mol/L/s)", 2, false},
};

INSTANTIATE_TEST_SUITE_P(Diagrammarten, Titel, ::testing::ValuesIn(kTitelFaelle),
                         [](const ::testing::TestParamInfo<TitelFall>& i) { return std::string(i.param.name); });

TEST_F(DiagrammTest, MasksPerCodeGiveTheCurveCountsAndUnusedCodesHaveNoTitle) {
    for (int code : {0, 21, 50, 71, 99, 101, 109, 111, 116, 499, 501, -16})
        EXPECT_FALSE(DiagrammTitel(code).hatTitel) << code;
    // Fixed titles (not restated here) of kinds the table above leaves out.
    for (int code : {-14, -12, -4}) EXPECT_TRUE(DiagrammTitel(code).hatTitel) << code;
    // The number of curves of a model equals the species its mask draws.
    for (int m = 1; m <= 20; ++m) {
        diagram::SetKurvenMaske(m);
        const int arten = static_cast<int>(std::count(KurvenMaske.begin(), KurvenMaske.end(), '1'));
        EXPECT_EQ(DiagrammTitel(m).kurven, arten) << m;
        EXPECT_EQ(DiagrammTitel(m + 50).kurven, arten) << m + 50;
    }
    // Species and parameter masks, and the k-T and r-c(S) flags, per code.
    struct Fall {
        int code, diagVariante;
        const char *kurven, *param;
        int kT, rcS;
    };
    const Fall faelle[] = {
        {1, 0, "10010", "100", 0, 0},   {2, 6, "10000", "110", 0, 0},  {3, 7, "10000", "110", 0, 0},
        {3, 6, "10010", "100", 0, 0},   {56, 0, "10110", "110", 0, 0}, {68, 0, "11110", "111", 0, 0},
        {19, 0, "11011", "110", 0, 0},  {20, 2, "10010", "110", 0, 0}, {-13, 0, "0000", "000", 0, -1},
        {-11, 0, "10010", "000", 0, 0}, {-9, 0, "11111", "000", 0, 0}, {-6, 0, "00002", "000", 0, 0},
        {-3, 0, "00000", "000", -1, 0}, {100, 0, "00000", "000", 0, 0},
    };
    for (const Fall& f : faelle) {
        DiagVariante = f.diagVariante;
        kTDiagramm = rcSDiagramm = kTrue;  // cleared first
        diagram::SetKurvenMaske(f.code);
        EXPECT_EQ(std::tie(KurvenMaske, ParamMaske, kTDiagramm, rcSDiagramm),
                  std::make_tuple(f.kurven, f.param, f.kT, f.rcS)) << f.code;
    }
}

// ---- Axis-limit memory ----

DiagRecord Bereich(float x0, float x1, float y0, float y1) {
    DiagRecord r;
    std::tie(r.xMin, r.xMax, r.yMin, r.yMax) = std::tie(x0, x1, y0, y1);
    return r;
}

// The range the memory gives for `code`, starting from `r`.
void ErwarteBereich(int code, const diagram::AchsenGrenzenBlock& g, float x0, float x1, float y0, float y1,
                    DiagRecord r = {}) {
    diagram::GetGrafLimits(code, g, r);
    EXPECT_FLOAT_EQ(r.xMin, x0) << code;
    EXPECT_FLOAT_EQ(r.xMax, x1) << code;
    EXPECT_FLOAT_EQ(r.yMin, y0) << code;
    EXPECT_FLOAT_EQ(r.yMax, y1) << code;
}

TEST_F(DiagrammTest, StoredRangeReadsBackForEveryKindAndSlotsAreSharedOrSwapped) {
    for (int code : {-15, -14, -13, -12, -11, -10, -9, -8, -7, -6, -5, -3, -2, -1, 1, 7, 16, 19, 20, 51, 70, 100}) {
        diagram::AchsenGrenzenBlock g{};
        diagram::SetGrafLimits(code, g, Bereich(1.5f, 7.25f, -2.5f, 3.75f));
        ErwarteBereich(code, g, 1.5f, 7.25f, -2.5f, 3.75f);
    }
    diagram::AchsenGrenzenBlock g{};
    diagram::SetGrafLimits(-7, g, Bereich(0, 10, -1, 5));
    EXPECT_EQ(std::make_pair(g[20], g[21]), std::make_pair(5.0f, -1.0f));  // the Wilkinson maximum in the lower slot
    diagram::SetGrafLimits(-8, g, Bereich(0, 10, -2, 6));
    EXPECT_EQ(std::make_pair(g[22], g[23]), std::make_pair(6.0f, -2.0f));
    // -6 (y) and -12 (x) share slots 18 and 19.
    diagram::SetGrafLimits(-6, g, Bereich(0, 10, 0.5f, 9));
    DiagRecord r;
    diagram::GetGrafLimits(-12, g, r);
    EXPECT_EQ(std::make_pair(r.xMin, r.xMax), std::make_pair(0.5f, 9.0f));
    // Rates keep their own y slots beside the shared time axis.
    diagram::SetGrafLimits(52, g, Bereich(0, 4, -0.2f, 0.1f));
    EXPECT_EQ(std::make_tuple(g[4], g[5], g[1]), std::make_tuple(-0.2f, 0.1f, 4.0f));
    // The tracer range stays in the concentration slots until replaced.
    diagram::SetGrafLimits(110, g, Bereich(0, 100, 0, 1));
    ErwarteBereich(3, g, 0, 100, 0, 1);
    // A non-isothermal fit overwrites the concentration maximum: 1 for c/c0, else the measured c(A,0).
    DiagVariante = 6;
    diagram::SetGrafLimits(-9, g, Bereich(0, 10, 0, 0.5f));
    EXPECT_FLOAT_EQ(g[3], 1.0f);
    DiagVariante = 7;
    c0Mess[1] = 0.08f;
    diagram::SetGrafLimits(2, g, Bereich(0, 10, 0, 0.5f));
    EXPECT_FLOAT_EQ(g[3], 0.08f);
}

TEST_F(DiagrammTest, FixedRangesEyringWideningAndUnknownKinds) {
    diagram::AchsenGrenzenBlock g{};
    g.fill(123);
    g[10] = 0.003f;
    g[11] = 0.0035f;
    g[14] = -5;
    g[15] = -2;
    ErwarteBereich(-4, g, 0.003f, 0.0035f, -6, -1);  // one unit wider in y
    ErwarteBereich(110, g, 0, 100, 0, 1);
    ErwarteBereich(113, g, 0, 4, -0.01f, 0.11f);
    ErwarteBereich(114, g, 0, 40, -0.01f, 1.05f);
    BAKtmax = 720;
    g[3] = 1.2f;
    ErwarteBereich(500, g, 0, 720, -0.01f, 1.2f);
    // Unknown kinds leave the record and the memory alone.
    ErwarteBereich(111, g, 1, 2, 3, 4, Bereich(1, 2, 3, 4));
    diagram::SetGrafLimits(111, g, Bereich(9, 9, 9, 9));
    EXPECT_FLOAT_EQ(g[0], 123);
    // The Michaelis-Menten mode has its own slots and fixed ranges.
    g.fill(0);
    aktModell = 10;
    MMDiagramm = kTrue;
    MMNormiert = 0;
    cSmax = 0.4f;
    diagram::SetGrafLimits(10, g, Bereich(0, 3, 0, 0.9f));
    EXPECT_EQ(std::make_tuple(g[31], g[29], g[1]), std::make_tuple(3.0f, 0.9f, 0.0f));
    ErwarteBereich(60, g, 0, 0.4f, 0, 1);
    MMNormiert = kTrue;
    ErwarteBereich(10, g, 0, 20, 0, 1);
    diagram::SetGrafLimits(60, g, Bereich(0, 5, -1, 1));  // a rate code still writes the rate slots
    EXPECT_EQ(std::make_pair(g[1], g[4]), std::make_pair(5.0f, -1.0f));
}

// ---- Point-set page ----

TEST_F(DiagrammTest, PointSetPageOffersTheTabsOfTheDiagram) {
    DatenSpalte = {0, 1, 1, 0, 1, 0};  // data for A, B and P
    // Concentrations (their tabs are checked through the diagram window) show the legend.
    diagram::SetKurvenMaske(2);
    diagram::PunktsatzSeite p = diagram::PlanPunktsatzSeite(2);
    EXPECT_EQ(p.chkLegend.value_or(-1), 1);
    EXPECT_EQ(p.legendeSichtbar, std::optional<bool>(true));
    // One species: only its tab, captioned after the model's first species, without a legend.
    diagram::SetKurvenMaske(100);
    TangentSpecies = 1;
    aktModell = 10;
    p = diagram::PlanPunktsatzSeite(100);
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(p.tabs[i].on, i == 0) << i;
    EXPECT_EQ(std::make_tuple(p.tabs[0].caption, p.txtLegPoints[1], p.aktuellerTab, p.legendeSichtbar),
              std::make_tuple(std::optional<std::string>("c(E)"), std::optional<std::string>("c(A)"),
                              std::optional<int>(0), std::optional<bool>(false)));
    // Linearised plots: one fitted set.
    for (int code : {-8, -7, -6, -5}) {
        diagram::SetKurvenMaske(code);
        p = diagram::PlanPunktsatzSeite(code);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.tabs[i].on, i == 0) << code << " " << i;
        EXPECT_EQ(p.tabs[0].caption.value_or("?") + p.txtLegPoints[1].value_or("?"), "Fu(c)Fu(c)");
    }
    // The k-T plot needs two points.
    diagram::SetKurvenMaske(-3);
    nkTPunkte = 1;
    EXPECT_FALSE(diagram::PlanPunktsatzSeite(-3).tabs[5].on);
    nkTPunkte = 2;
    p = diagram::PlanPunktsatzSeite(-3);
    EXPECT_EQ(std::make_tuple(p.tabs[5].on, p.tabs[5].caption.value_or("?"), p.legendeSichtbar),
              std::make_tuple(true, std::string("k-T"), std::optional<bool>(false)));
}

// ---- Curves per diagram code ----

// Result of one CalcCurve call.
struct Kurve {
    std::vector<XYPunkt> punkte;
    std::string meldung;
    int ausserhalb = kTrue, fehler = 0;
    diagram::KurvenRechnung rechnung;
    int n() const { return static_cast<int>(std::lround(punkte[0].x)); }
    int spezies() const { return static_cast<int>(std::lround(punkte[1].y)); }
    std::string label() const { return rechnung.label.value_or("?"); }
};

Kurve Rechne(int code, int slot, std::vector<XYPunkt> vorher = std::vector<XYPunkt>(2001)) {
    Kurve k;
    k.punkte = std::move(vorher);
    double a = 0, b = 0;
    float r2 = 0;
    diagram::CalcCurve(code, slot, k.punkte, a, b, r2, k.meldung, k.ausserhalb, k.fehler, k.rechnung);
    return k;
}

// Curve arrays with c(s) = s + t and rates -s (t = 0.5 i), so that every species can be told apart.
void FuelleKurven(int n) {
    RedimCurves(n);
    nZeitPunkte = n;
    for (int i = 0; i <= n; ++i) {
        tWerte[i] = 0.5 * i;
        for (int s = 1; s <= 5; ++s) {
            cKurve(s)[i] = s + tWerte[i];
            rKurve(s)[i] = -static_cast<float>(s);
        }
    }
    DiagRec = Bereich(0, 0.5f * n, 0, 100);
}

TEST_F(DiagrammTest, SpeciesOrderPerModelGroup) {
    // Species for ZeichnenOffen = 4, 3, 2, 1 (0 = none).
    const std::pair<std::vector<int>, std::array<int, 4>> faelle[] = {
        {{1, 2, 3, 5, 8, 20}, {0, 0, 1, 4}}, {{4, 12, 17}, {0, 1, 2, 4}}, {{6, 14, 15}, {0, 1, 3, 4}},
        {{7, 9, 10, 13, 18}, {1, 2, 3, 4}},  {{11, 16}, {0, 1, 4, 5}},    {{19}, {1, 2, 4, 5}},
    };
    for (const auto& [modelle, spezies] : faelle)
        for (int m : modelle)
            for (int code : {m, m + 50}) {
                for (int offen = 4; offen >= 1; --offen)
                    EXPECT_EQ(diagram::SpeziesFuerKurve(code, offen), spezies[4 - offen]) << code << " " << offen;
                for (int keine : {0, 5}) EXPECT_EQ(diagram::SpeziesFuerKurve(code, keine), 0);
            }
}

TEST_F(DiagrammTest, CurvesOfARunCarryTheirSpeciesLabels) {
    FuelleKurven(200);
    // Model 4 draws A, B, P; the enzyme model E, S, ES, P: one curve per remaining count of the run.
    const std::pair<int, std::vector<const char*>> faelle[] = {{4, {"c(A) ", "c(B) ", "c(P) "}},
                                                               {10, {"c(E) ", "c(S) ", "c(ES) ", "c(P) "}}};
    for (const auto& [modell, labels] : faelle) {
        aktModell = modell;
        const int n = static_cast<int>(labels.size());
        for (int i = 0; i < n; ++i) {
            ZeichnenOffen = n - i;
            const Kurve k = Rechne(modell, i + 1);
            EXPECT_EQ(std::make_tuple(k.fehler, k.label(), k.ausserhalb), std::make_tuple(0, labels[i], kFalse))
                << modell;
            if (modell != 4) continue;
            EXPECT_EQ(k.spezies(), diagram::SpeziesFuerKurve(4, n - i));  // 1, 2, 4 (A, B, P)
            EXPECT_EQ(std::make_tuple(k.n(), k.punkte[201].x, k.punkte[201].y),
                      std::make_tuple(201, 100.0f, k.spezies() + 100.0f));
        }
    }
    // Rates of model 4.
    aktModell = 4;
    RateDiagramm = kTrue;
    ZeichnenOffen = 2;
    const Kurve r = Rechne(54, 1);
    EXPECT_EQ(std::make_pair(r.label(), r.punkte[1].y), std::make_pair(std::string("r(B) "), -2.0f));
    // Michaelis-Menten mode of the enzyme model: the rate of P, no label, never "outside".
    RateDiagramm = 0;
    aktModell = 10;
    MMDiagramm = kTrue;
    ZeichnenOffen = 1;
    DiagRec.yMin = 50;  // every value lies below the window
    const Kurve mm = Rechne(10, 1);
    EXPECT_EQ(std::make_tuple(mm.label(), mm.punkte[1].y, mm.ausserhalb),
              std::make_tuple(std::string(), -4.0f, kFalse));
}

TEST_F(DiagrammTest, NonIsothermalFitDrawsATemperatureCurveAndEndsTheRun) {
    FuelleKurven(20);
    DiagVariante = 6;
    TempListe = {0, 298.15f, 310.4f};
    ZeichnenOffen = 2;
    const Kurve k = Rechne(2, 2);
    EXPECT_EQ(std::make_tuple(k.spezies(), k.label(), ZeichnenOffen, k.rechnung.laufBeendet),
              std::make_tuple(1, std::string("T/K = 310"), 0, true));
    // A temperature that is no number never reaches the label.
    TempListe[1] = std::nanf("");
    ZeichnenOffen = 2;
    const Kurve nan = Rechne(2, 1);
    EXPECT_EQ(std::make_pair(nan.fehler, nan.rechnung.label.has_value()), std::make_pair(kTrue, false));
    TempListe[1] = 298.15f;
    // Outside the first-order group the fit variant changes nothing: the run goes on.
    ZeichnenOffen = 3;
    aktModell = 4;
    EXPECT_FALSE(Rechne(4, 1).rechnung.laufBeendet);
}

TEST_F(DiagrammTest, CodesWithoutComputedPointsStartFromAnEmptyList) {
    FuelleKurven(20);
    std::vector<XYPunkt> alt(2001);
    alt[0].x = 3;
    alt[1] = {1, 2, 0, 0};
    // Unused codes, and the evaluation codes while the evaluation module is missing.
    for (int code : {-15, 21, 50, 99, 101, 111, -14, -10, -8, -3}) EXPECT_EQ(Rechne(code, 1, alt).n(), 0) << code;
    // A model whose group has no curve for this count.
    for (const auto& [modell, offen] : {std::pair{2, 3}, std::pair{19, 0}}) {
        ZeichnenOffen = offen;
        EXPECT_EQ(Rechne(modell, 1, alt).n(), 0) << modell;
    }
    // The residence-time codes keep what the caller filled.
    for (int code : {112, 113, 114, 115}) {
        const Kurve k = Rechne(code, 1, alt);
        EXPECT_EQ(std::make_pair(k.n(), k.ausserhalb), std::make_pair(3, kFalse)) << code;
    }
}

TEST_F(DiagrammTest, ValuesThatDoNotFitASingleTakeTheFailurePath) {
    FuelleKurven(10);
    for (double v : {1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        cKurveA[4] = v;
        ZeichnenOffen = 2;
        const Kurve k = Rechne(2, 1);
        EXPECT_EQ(k.fehler, kTrue) << v;
        EXPECT_NE(k.meldung.find("Message from CalcCurve"), std::string::npos);
        EXPECT_EQ(k.n(), 0);
        for (int i = 1; i < 12; ++i) EXPECT_TRUE(std::isfinite(k.punkte[i].y));
    }
    // A curve array shorter than the point count.
    cKurveA[4] = 1;
    nZeitPunkte = 50;
    ZeichnenOffen = 2;
    EXPECT_EQ(Rechne(2, 1).fehler, kTrue);
}

TEST_F(DiagrammTest, OneSpeciesSplineFollowsStraightDataAndPointListGrowsWithinItsCap) {
    // Akima's spline reproduces data on a straight line exactly.
    TangentSpecies = 2;
    SetzeMessdaten({Zeile(0, 0, 1), Zeile(2, 0, 0.9), Zeile(4, 0, 0.8), Zeile(6, 0, 0.7), Zeile(8, 0, 0.6),
                                 Zeile(10, 0, 0.5)});
    DiagRec = Bereich(0, 10, 0, 2);
    const Kurve s = Rechne(100, 1);
    ASSERT_EQ(s.fehler, 0) << s.meldung;
    EXPECT_NEAR(s.n(), 601, 1);  // 0 .. 10 in steps of 10 / 300 / 2
    for (int i = 1; i <= s.n(); ++i) EXPECT_NEAR(s.punkte[i].y, 1.0 - 0.05 * s.punkte[i].x, 1e-5) << i;
    EXPECT_EQ(s.ausserhalb, kFalse);

    // A model curve longer than the fixed list.
    FuelleKurven(2500);
    ZeichnenOffen = 1;
    const Kurve lang = Rechne(2, 1);
    EXPECT_EQ(std::make_tuple(lang.fehler, lang.n(), lang.punkte[2501].y), std::make_tuple(0, 2501, 4 + 1250.0f));
    // The spline over a window of width 0.001 at x = 1000: the half step is tiny, the way from 0 very long.
    TangentSpecies = 1;
    SetzeMessdaten({Zeile(1, 1), Zeile(2, 1 / 2.0), Zeile(3, 1 / 3.0), Zeile(4, 1 / 4.0)});
    DiagRec = Bereich(1000, 1000.001f, 0, 1);
    const Kurve k = Rechne(100, 1);
    EXPECT_EQ(std::make_pair(k.fehler, k.n()), std::make_pair(kTrue, 0));
    EXPECT_LE(k.punkte.size(), static_cast<std::size_t>(diagram::kMaxKurvenPunkte + 1));
    // An empty or inverted window has no step.
    for (float x0 : {4.0f, 5.0f}) {
        DiagRec = Bereich(x0, 4, 0, 1);
        EXPECT_EQ(Rechne(100, 1).fehler, kTrue) << x0;
    }
}

// The blood-alcohol curves in both units are checked against a reference script in the window's tests.
TEST_F(DiagrammTest, TracerCurveSpansTheNormalisedAxis) {
    VZKurve = {4, 0.1f, 0.4f, 0.3f, 0.2f};  // over a normalised axis 0..100
    const Kurve k = Rechne(110, 1);
    ASSERT_EQ(k.n(), 4);
    EXPECT_EQ(std::make_tuple(k.punkte[1].x, k.punkte[4].x, k.punkte[2].y, k.ausserhalb),
              std::make_tuple(25.0f, 100.0f, 0.4f, kFalse));
    VZKurve = {1, 0.5f};
    EXPECT_EQ(Rechne(110, 1).ausserhalb, kTrue);
    VZKurve = {7, 0.5f};  // the count promises more values than recorded
    EXPECT_EQ(Rechne(110, 1).fehler, kTrue);
}

TEST_F(DiagrammTest, SlotsAreTakenLowestFirstUpToTwentyFour) {
    int slot = 0, failed = 0;
    for (int i = 1; i <= 24; ++i) diagram::KurvenSlotBelegen(slot, failed);
    EXPECT_EQ(std::make_pair(slot, failed), std::make_pair(24, 0));
    diagram::KurvenSlotBelegen(slot, failed);
    EXPECT_EQ(std::make_tuple(failed, slot, nKurven), std::make_tuple(kTrue, 24, 24));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(std::tie(rec.Last().title, rec.Last().style), std::make_tuple("WARNUNG", platform::MsgExclamation));
    EXPECT_EQ(rec.Last().prompt, "Maximal  24 Kurven möglich\r\nLöschen Sie vorhandene Kurven");
    // Only taken slots can be freed; freed slots are taken again, lowest first.
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(7));
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(3));
    for (int frei : {3, 0, 25}) EXPECT_FALSE(diagram::KurvenSlotFreigeben(frei)) << frei;
    EXPECT_EQ(nKurven, 22);
    for (int erwartet : {3, 7}) {
        diagram::KurvenSlotBelegen(slot, failed);
        EXPECT_EQ(std::make_pair(slot, failed), std::make_pair(erwartet, 0));
    }
    // Handing an empty curve's slot back restores the previous current curve.
    diagram::KurvenSlotZurueckgeben(7, 3);
    EXPECT_EQ(std::make_tuple(aktKurve, nKurven, KurveFrei[7]), std::make_tuple(3, 23, kTrue));
}

}  // namespace
