// Curve calculation per diagram code and the curve-slot book-keeping, without the window.
#include <cmath>
#include <limits>
#include <tuple>

#include "diagram/CurveCalc.h"
#include "diagram/CurveSlots.h"
#include "tests/diagram/DiagramTestSupport.h"
#include "tests/support/MsgRecorder.h"

namespace {

using namespace kernel;
using diagramtest::DiagrammTest;

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

void Fenster(float x0, float x1, float y0, float y1) {
    std::tie(DiagRec.xMin, DiagRec.xMax, DiagRec.yMin, DiagRec.yMax) = std::tie(x0, x1, y0, y1);
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
    Fenster(0, 0.5f * n, 0, 100);
}

// Measured values c(species, t_i) for the one-species spline.
void Messwerte(int spezies, const std::vector<std::pair<double, double>>& tc) {
    TangentSpecies = spezies;
    nMesspunkte = static_cast<int>(tc.size());
    ExpDaten.assign(tc.size() + 1, ExpPunkt{});
    for (int i = 1; i <= nMesspunkte; ++i) {
        ExpDaten[i].t = tc[i - 1].first;
        ExpDaten[i].c[spezies] = tc[i - 1].second;
    }
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
                EXPECT_EQ(diagram::SpeziesFuerKurve(code, 0), 0);
                EXPECT_EQ(diagram::SpeziesFuerKurve(code, 5), 0);
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
            EXPECT_EQ(k.fehler, 0);
            EXPECT_EQ(k.label(), labels[i]) << modell;
            EXPECT_EQ(k.ausserhalb, kFalse);
            EXPECT_FALSE(k.rechnung.laufBeendet);
            if (modell != 4) continue;
            EXPECT_EQ(k.spezies(), diagram::SpeziesFuerKurve(4, n - i));  // 1, 2, 4 (A, B, P)
            EXPECT_EQ(k.n(), 201);
            EXPECT_FLOAT_EQ(k.punkte[201].x, 100.0f);
            EXPECT_FLOAT_EQ(k.punkte[201].y, k.spezies() + 100.0f);
        }
    }
    // Rates of model 4.
    aktModell = 4;
    RateDiagramm = kTrue;
    ZeichnenOffen = 2;
    const Kurve r = Rechne(54, 1);
    EXPECT_EQ(r.label(), "r(B) ");
    EXPECT_FLOAT_EQ(r.punkte[1].y, -2.0f);
    // Michaelis-Menten mode of the enzyme model: the rate of P, no label, never "outside".
    RateDiagramm = 0;
    aktModell = 10;
    MMDiagramm = kTrue;
    ZeichnenOffen = 1;
    DiagRec.yMin = 50;  // every value lies below the window
    const Kurve mm = Rechne(10, 1);
    EXPECT_EQ(mm.label(), "");
    EXPECT_FLOAT_EQ(mm.punkte[1].y, -4.0f);
    EXPECT_EQ(mm.ausserhalb, kFalse);
}

TEST_F(DiagrammTest, NonIsothermalFitDrawsATemperatureCurveAndEndsTheRun) {
    FuelleKurven(20);
    DiagVariante = 6;
    TempListe = {0, 298.15f, 310.4f};
    ZeichnenOffen = 2;
    const Kurve k = Rechne(2, 2);
    EXPECT_EQ(k.spezies(), 1);
    EXPECT_EQ(k.label(), "T/K = 310");
    EXPECT_EQ(ZeichnenOffen, 0);
    EXPECT_TRUE(k.rechnung.laufBeendet);
    // A temperature that is no number never reaches the label.
    TempListe[1] = std::nanf("");
    ZeichnenOffen = 2;
    const Kurve nan = Rechne(2, 1);
    EXPECT_EQ(nan.fehler, kTrue);
    EXPECT_FALSE(nan.rechnung.label.has_value());
    TempListe[1] = 298.15f;
    // Outside the first-order group the fit variant changes nothing: the run goes on.
    ZeichnenOffen = 3;
    aktModell = 4;
    const Kurve b = Rechne(4, 1);
    EXPECT_EQ(b.spezies(), 1);
    EXPECT_FALSE(b.rechnung.laufBeendet);
    EXPECT_EQ(ZeichnenOffen, 3);
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
        EXPECT_EQ(k.n(), 3) << code;
        EXPECT_EQ(k.ausserhalb, kFalse);
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
    Messwerte(2, {{0, 1}, {2, 0.9}, {4, 0.8}, {6, 0.7}, {8, 0.6}, {10, 0.5}});
    Fenster(0, 10, 0, 2);
    const Kurve s = Rechne(100, 1);
    ASSERT_EQ(s.fehler, 0) << s.meldung;
    EXPECT_NEAR(s.n(), 601, 1);  // 0 .. 10 in steps of 10 / 300 / 2
    for (int i = 1; i <= s.n(); ++i) EXPECT_NEAR(s.punkte[i].y, 1.0 - 0.05 * s.punkte[i].x, 1e-5) << i;
    EXPECT_EQ(s.ausserhalb, kFalse);

    // A model curve longer than the fixed list.
    FuelleKurven(2500);
    ZeichnenOffen = 1;
    const Kurve lang = Rechne(2, 1);
    EXPECT_EQ(lang.fehler, 0);
    EXPECT_EQ(lang.n(), 2501);
    EXPECT_FLOAT_EQ(lang.punkte[2501].y, 4 + 1250.0f);
    // The spline over a window of width 0.001 at x = 1000: the half step is tiny, the way from 0 very long.
    Messwerte(1, {{1, 1}, {2, 1 / 2.0}, {3, 1 / 3.0}, {4, 1 / 4.0}});
    Fenster(1000, 1000.001f, 0, 1);
    const Kurve k = Rechne(100, 1);
    EXPECT_EQ(k.fehler, kTrue);
    EXPECT_EQ(k.n(), 0);
    EXPECT_LE(k.punkte.size(), static_cast<std::size_t>(diagram::kMaxKurvenPunkte + 1));
    // An empty or inverted window has no step.
    for (float x0 : {4.0f, 5.0f}) {
        Fenster(x0, 4, 0, 1);
        EXPECT_EQ(Rechne(100, 1).fehler, kTrue) << x0;
    }
}

TEST_F(DiagrammTest, TracerCurveAndBloodAlcoholUnits) {
    VZKurve = {4, 0.1f, 0.4f, 0.3f, 0.2f};  // over a normalised axis 0..100
    const Kurve k = Rechne(110, 1);
    ASSERT_EQ(k.n(), 4);
    EXPECT_FLOAT_EQ(k.punkte[1].x, 25);
    EXPECT_FLOAT_EQ(k.punkte[4].x, 100);
    EXPECT_FLOAT_EQ(k.punkte[2].y, 0.4f);
    EXPECT_EQ(k.ausserhalb, kFalse);
    VZKurve = {1, 0.5f};
    EXPECT_EQ(Rechne(110, 1).ausserhalb, kTrue);
    VZKurve = {7, 0.5f};  // the count promises more values than recorded
    EXPECT_EQ(Rechne(110, 1).fehler, kTrue);

    // Blood alcohol in g/kg (blood density 1.055 kg/L), or as computed in g/L.
    FuelleKurven(30);
    const Kurve kg = Rechne(500, 1);
    EXPECT_NEAR(kg.punkte[3].y, cKurveA[2] / 1.055, 1e-6);
    EXPECT_FALSE(kg.rechnung.label.has_value());
    BAKUnitGL = kTrue;
    const Kurve gl = Rechne(500, 1);
    EXPECT_FLOAT_EQ(gl.punkte[3].y, static_cast<float>(cKurveA[2]));
    EXPECT_EQ(gl.n(), 31);
}

TEST_F(DiagrammTest, SlotsAreTakenLowestFirstUpToTwentyFour) {
    testsupport::MsgRecorder rec;
    int slot = 0, failed = 0;
    for (int i = 1; i <= 24; ++i) {
        diagram::KurvenSlotBelegen(slot, failed);
        EXPECT_EQ(slot, i);
        EXPECT_EQ(failed, 0);
    }
    EXPECT_TRUE(rec.Empty());
    diagram::KurvenSlotBelegen(slot, failed);
    EXPECT_EQ(std::make_tuple(failed, slot, nKurven), std::make_tuple(kTrue, 24, 24));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Maximal  24 Kurven möglich\r\nLöschen Sie vorhandene Kurven");
    EXPECT_EQ(rec.Last().title, "WARNUNG");
    EXPECT_EQ(rec.Last().style, platform::vbExclamation);
    // Only taken slots can be freed; freed slots are taken again, lowest first.
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(7));
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(3));
    for (int frei : {3, 0, 25}) EXPECT_FALSE(diagram::KurvenSlotFreigeben(frei)) << frei;
    EXPECT_EQ(nKurven, 22);
    for (int erwartet : {3, 7}) {
        diagram::KurvenSlotBelegen(slot, failed);
        EXPECT_EQ(slot, erwartet);
    }
    // Handing an empty curve's slot back restores the previous current curve.
    diagram::KurvenSlotZurueckgeben(7, 3);
    EXPECT_EQ(std::make_tuple(aktKurve, nKurven, KurveFrei[7]), std::make_tuple(3, 23, kTrue));
}

}  // namespace
