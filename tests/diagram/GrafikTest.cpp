// Diagram set-up without the window: titles, curve counts, masks, the axis-limit memory and the
// point-set page of the design dialog.
#include <algorithm>
#include <functional>
#include <tuple>

#include "diagram/Grafik.h"
#include "tests/diagram/DiagramTestSupport.h"

namespace {

using namespace kernel;
using diagram::DiagrammTitel;
using diagramtest::DiagrammTest;

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
    EXPECT_EQ(k.titel, f.titel);
    EXPECT_EQ(k.xTitel, f.x);
    EXPECT_EQ(k.yTitel, f.y);
    EXPECT_EQ(k.kurven, f.kurven);
    EXPECT_EQ(k.sonderFenster, f.sonder);
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
    {"BlutalkoholGL", 500, [] { BAKUnitGL = kTrue; },
     "Blutalkohol-Konzentration (BAK) im menschlichen Körper, BAK = f(t)", "Zeit t / min", "BAK / (g/L)", 1, true},
    {"BlutalkoholPromille", 500, [] { BAKNurAufbau = kTrue; }, "Resorptions-Diagramm", "Zeit t / min",
     "BAK / (g/kg) = \"Promille\"", 1, true},
    {"Modell2Zeit", 2, nullptr, "Konzentrationsverlauf für die Reaktion 1. Ordnung A => P", "t/ s",
     "c(A), c(P)/ (mol/L)", 2, false},
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
    for (int code : {-14, -12, -4, 110, 115}) EXPECT_TRUE(DiagrammTitel(code).hatTitel) << code;
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
        EXPECT_EQ(KurvenMaske, f.kurven) << f.code;
        EXPECT_EQ(ParamMaske, f.param) << f.code;
        EXPECT_EQ(kTDiagramm, f.kT) << f.code;
        EXPECT_EQ(rcSDiagramm, f.rcS) << f.code;
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
    EXPECT_FLOAT_EQ(g[20], 5);  // the Wilkinson maximum lives in the lower slot
    EXPECT_FLOAT_EQ(g[21], -1);
    diagram::SetGrafLimits(-8, g, Bereich(0, 10, -2, 6));
    EXPECT_FLOAT_EQ(g[22], 6);
    EXPECT_FLOAT_EQ(g[23], -2);
    // -6 (y) and -12 (x) share slots 18 and 19.
    diagram::SetGrafLimits(-6, g, Bereich(0, 10, 0.5f, 9));
    DiagRecord r;
    diagram::GetGrafLimits(-12, g, r);
    EXPECT_FLOAT_EQ(r.xMin, 0.5f);
    EXPECT_FLOAT_EQ(r.xMax, 9);
    // Rates keep their own y slots beside the shared time axis.
    diagram::SetGrafLimits(52, g, Bereich(0, 4, -0.2f, 0.1f));
    EXPECT_FLOAT_EQ(g[4], -0.2f);
    EXPECT_FLOAT_EQ(g[5], 0.1f);
    EXPECT_FLOAT_EQ(g[1], 4);
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
    EXPECT_FLOAT_EQ(g[31], 3);
    EXPECT_FLOAT_EQ(g[29], 0.9f);
    EXPECT_FLOAT_EQ(g[1], 0);
    ErwarteBereich(60, g, 0, 0.4f, 0, 1);
    MMNormiert = kTrue;
    ErwarteBereich(10, g, 0, 20, 0, 1);
    diagram::SetGrafLimits(60, g, Bereich(0, 5, -1, 1));  // a rate code still writes the rate slots
    EXPECT_FLOAT_EQ(g[1], 5);
    EXPECT_FLOAT_EQ(g[4], -1);
}

// ---- Point-set page ----

TEST_F(DiagrammTest, PointSetPageOffersTheTabsOfTheDiagram) {
    DatenSpalte = {0, 1, 1, 0, 1, 0};  // data for A, B and P
    // Concentrations: tabs of the species both drawn (A, P) and measured.
    diagram::SetKurvenMaske(2);
    diagram::PunktsatzSeite p = diagram::PlanPunktsatzSeite(2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p.tabs[i].on, i == 0 || i == 3) << i;
    EXPECT_EQ(p.tabs[3].caption.value_or("?"), "c(P)");
    EXPECT_EQ(p.chkLegend.value_or(-1), 1);
    EXPECT_EQ(p.legendeSichtbar, std::optional<bool>(true));
    // One species: only its tab, captioned after the model's first species, without a legend.
    diagram::SetKurvenMaske(100);
    TangentSpecies = 1;
    aktModell = 10;
    p = diagram::PlanPunktsatzSeite(100);
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(p.tabs[i].on, i == 0) << i;
    EXPECT_EQ(p.tabs[0].caption.value_or("?"), "c(E)");
    EXPECT_EQ(p.txtLegPoints[1].value_or("?"), "c(A)");
    EXPECT_EQ(p.aktuellerTab.value_or(-1), 0);
    EXPECT_EQ(p.legendeSichtbar, std::optional<bool>(false));
    // Linearised plots: one fitted set.
    for (int code : {-8, -7, -6, -5}) {
        diagram::SetKurvenMaske(code);
        p = diagram::PlanPunktsatzSeite(code);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.tabs[i].on, i == 0) << code << " " << i;
        EXPECT_EQ(p.tabs[0].caption.value_or("?"), "Fu(c)");
        EXPECT_EQ(p.txtLegPoints[1].value_or("?"), "Fu(c)");
    }
    // The k-T plot needs two points.
    diagram::SetKurvenMaske(-3);
    nkTPunkte = 1;
    EXPECT_FALSE(diagram::PlanPunktsatzSeite(-3).tabs[5].on);
    nkTPunkte = 2;
    p = diagram::PlanPunktsatzSeite(-3);
    EXPECT_TRUE(p.tabs[5].on);
    EXPECT_EQ(p.tabs[5].caption.value_or("?"), "k-T");
    EXPECT_EQ(p.legendeSichtbar, std::optional<bool>(false));
}

}  // namespace
