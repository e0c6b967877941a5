// Curve calculation per diagram code, without the window.
#include <cmath>
#include <limits>

#include "diagram/CurveCalc.h"
#include "diagram/CurveSlots.h"
#include "tests/diagram/DiagramTestSupport.h"
#include "tests/support/MsgRecorder.h"

namespace {

using namespace kernel;
using diagramtest::DiagrammTest;

// Result of one CalcCurve call.
struct Kurve {
    std::vector<XYPunkt> punkte = std::vector<XYPunkt>(2001);
    std::string meldung;
    int ausserhalb = kTrue;
    int fehler = 0;
    diagram::KurvenRechnung rechnung;
    int n() const { return static_cast<int>(std::lround(punkte[0].x)); }
};

Kurve Rechne(int code, int slot, std::vector<XYPunkt> vorher = std::vector<XYPunkt>(2001)) {
    Kurve k;
    k.punkte = std::move(vorher);
    double a = 0, b = 0;
    float r2 = 0;
    diagram::CalcCurve(code, slot, k.punkte, a, b, r2, k.meldung, k.ausserhalb, k.fehler, k.rechnung);
    return k;
}

// Curve arrays with A = 1 + t, B = 2 + t, C = 3 + t, P = 4 + t, Q = 5 + t and rates -s, so that every
// species can be told apart by its values.
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
    DiagRec.xMin = 0;
    DiagRec.xMax = 0.5f * n;
    DiagRec.yMin = 0;
    DiagRec.yMax = 100;
}

// Measured values c(species, t_i) for the one-species spline, t_1 .. t_n.
void Messwerte(int spezies, const std::vector<std::pair<double, double>>& tc) {
    TangentSpecies = spezies;
    nMesspunkte = static_cast<int>(tc.size());
    ExpDaten.assign(tc.size() + 1, ExpPunkt{});
    for (int i = 1; i <= nMesspunkte; ++i) {
        ExpDaten[i].t = tc[i - 1].first;
        ExpDaten[i].c[spezies] = tc[i - 1].second;
    }
}

int Spezies(const Kurve& k) { return static_cast<int>(std::lround(k.punkte[1].y)); }

TEST_F(DiagrammTest, SpeciesOrderPerModelGroup) {
    // Species for ZeichnenOffen = 4, 3, 2, 1 (0 = none).
    struct Fall {
        std::vector<int> modelle;
        std::array<int, 4> spezies;
    };
    const Fall faelle[] = {
        {{1, 2, 3, 5, 8, 20}, {0, 0, 1, 4}}, {{4, 12, 17}, {0, 1, 2, 4}},  {{6, 14, 15}, {0, 1, 3, 4}},
        {{7, 9, 10, 13, 18}, {1, 2, 3, 4}},  {{11, 16}, {0, 1, 4, 5}},     {{19}, {1, 2, 4, 5}},
    };
    for (const Fall& f : faelle) {
        for (int m : f.modelle) {
            for (int code : {m, m + 50}) {
                for (int offen = 4; offen >= 1; --offen)
                    EXPECT_EQ(diagram::SpeziesFuerKurve(code, offen), f.spezies[4 - offen]) << code << " " << offen;
                EXPECT_EQ(diagram::SpeziesFuerKurve(code, 0), 0);
                EXPECT_EQ(diagram::SpeziesFuerKurve(code, 5), 0);
            }
        }
    }
}

TEST_F(DiagrammTest, CurvesOfARunCarryTheirSpeciesLabels) {
    FuelleKurven(200);
    // Model 4 draws A, B, P; the enzyme model E, S, ES, P: one curve per remaining count of the run.
    const std::pair<int, std::vector<const char*>> faelle[] = {{4, {"c(A) ", "c(B) ", "c(P) "}},
                                                               {10, {"c(E) ", "c(S) ", "c(ES) ", "c(P) "}}};
    const int spezies4[] = {1, 2, 4};
    for (const auto& [modell, labels] : faelle) {
        aktModell = modell;
        const int n = static_cast<int>(labels.size());
        for (int i = 0; i < n; ++i) {
            ZeichnenOffen = n - i;
            const Kurve k = Rechne(modell, i + 1);
            EXPECT_EQ(k.fehler, 0);
            EXPECT_EQ(k.rechnung.label.value_or("?"), labels[i]) << modell;
            EXPECT_EQ(k.ausserhalb, kFalse);
            EXPECT_FALSE(k.rechnung.laufBeendet);
            if (modell != 4) continue;
            EXPECT_EQ(k.n(), 201);
            EXPECT_EQ(Spezies(k), spezies4[i]);
            EXPECT_FLOAT_EQ(k.punkte[201].x, 100.0f);
            EXPECT_FLOAT_EQ(k.punkte[201].y, spezies4[i] + 100.0f);
        }
    }
    // Rates of model 4.
    aktModell = 4;
    RateDiagramm = kTrue;
    ZeichnenOffen = 2;
    const Kurve r = Rechne(54, 1);
    EXPECT_EQ(r.rechnung.label.value_or("?"), "r(B) ");
    EXPECT_FLOAT_EQ(r.punkte[1].y, -2.0f);
    // Michaelis-Menten mode of the enzyme model: the rate of P, no label.
    RateDiagramm = 0;
    aktModell = 10;
    MMDiagramm = kTrue;
    ZeichnenOffen = 1;
    DiagRec.yMin = 50;  // every value lies below the window
    const Kurve mm = Rechne(10, 1);
    EXPECT_EQ(mm.rechnung.label.value_or("?"), "");
    EXPECT_FLOAT_EQ(mm.punkte[1].y, -4.0f);
    EXPECT_EQ(mm.ausserhalb, kFalse);
}

TEST_F(DiagrammTest, NonIsothermalFitDrawsATemperatureCurveAndEndsTheRun) {
    FuelleKurven(20);
    aktModell = 2;
    DiagVariante = 6;
    TempListe = {0, 298.15f, 310.4f};
    ZeichnenOffen = 2;
    const Kurve k = Rechne(2, 2);
    EXPECT_EQ(Spezies(k), 1);
    EXPECT_EQ(k.rechnung.label.value_or("?"), "T/K = 310");
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
    EXPECT_EQ(Spezies(b), 1);
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
    ZeichnenOffen = 3;
    EXPECT_EQ(Rechne(2, 1, alt).n(), 0);
    ZeichnenOffen = 0;
    EXPECT_EQ(Rechne(19, 1, alt).n(), 0);
    // The residence-time codes keep what the caller filled.
    for (int code : {112, 113, 114, 115}) {
        const Kurve k = Rechne(code, 1, alt);
        EXPECT_EQ(k.n(), 3) << code;
        EXPECT_EQ(k.ausserhalb, kFalse);
    }
}

TEST_F(DiagrammTest, ValuesThatDoNotFitASingleTakeTheFailurePath) {
    FuelleKurven(10);
    aktModell = 2;
    const double kaputt[] = {1e300, std::numeric_limits<double>::infinity(), std::nan("")};
    for (double v : kaputt) {
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

TEST_F(DiagrammTest, LongModelCurveGrowsTheList) {
    FuelleKurven(2500);
    ZeichnenOffen = 1;
    std::vector<XYPunkt> kurz(2001);
    const Kurve k = Rechne(2, 1, kurz);
    EXPECT_EQ(k.fehler, 0);
    EXPECT_EQ(k.n(), 2501);
    EXPECT_FLOAT_EQ(k.punkte[2501].y, 4 + 1250.0f);
}

TEST_F(DiagrammTest, OneSpeciesSplineFollowsStraightData) {
    // Akima's spline reproduces data on a straight line exactly.
    Messwerte(2, {{0, 1}, {2, 0.9}, {4, 0.8}, {6, 0.7}, {8, 0.6}, {10, 0.5}});
    DiagRec.xMin = 0;
    DiagRec.xMax = 10;
    DiagRec.yMin = 0;
    DiagRec.yMax = 2;
    const Kurve k = Rechne(100, 1);
    ASSERT_EQ(k.fehler, 0) << k.meldung;
    EXPECT_NEAR(k.n(), 601, 1);  // 0 .. 10 in steps of 10 / 300 / 2
    for (int i = 1; i <= k.n(); ++i) EXPECT_NEAR(k.punkte[i].y, 1.0 - 0.05 * k.punkte[i].x, 1e-5) << i;
    EXPECT_EQ(k.ausserhalb, kFalse);
}

TEST_F(DiagrammTest, SplineOverANarrowWindowFarFromZeroFailsCleanly) {
    Messwerte(1, {{1, 1}, {2, 1 / 2.0}, {3, 1 / 3.0}, {4, 1 / 4.0}});
    DiagRec.yMin = 0;
    DiagRec.yMax = 1;
    // A window of width 0.001 at x = 1000: the half step is tiny, the way from 0 very long.
    DiagRec.xMin = 1000;
    DiagRec.xMax = 1000.001f;
    Kurve k = Rechne(100, 1);
    EXPECT_EQ(k.fehler, kTrue);
    EXPECT_EQ(k.n(), 0);
    EXPECT_LE(k.punkte.size(), static_cast<std::size_t>(diagram::kMaxKurvenPunkte + 1));
    // An empty or inverted window has no step.
    DiagRec.xMin = 4;
    DiagRec.xMax = 4;
    EXPECT_EQ(Rechne(100, 1).fehler, kTrue);
    DiagRec.xMin = 5;
    DiagRec.xMax = 2;
    EXPECT_EQ(Rechne(100, 1).fehler, kTrue);
}

TEST_F(DiagrammTest, TracerCurveRunsOverANormalisedAxis) {
    VZKurve = {4, 0.1f, 0.4f, 0.3f, 0.2f};
    const Kurve k = Rechne(110, 1);
    ASSERT_EQ(k.n(), 4);
    EXPECT_FLOAT_EQ(k.punkte[1].x, 25);
    EXPECT_FLOAT_EQ(k.punkte[4].x, 100);
    EXPECT_FLOAT_EQ(k.punkte[2].y, 0.4f);
    EXPECT_EQ(k.ausserhalb, kFalse);
    VZKurve = {1, 0.5f};
    const Kurve e = Rechne(110, 1);
    EXPECT_EQ(e.n(), 1);
    EXPECT_EQ(e.ausserhalb, kTrue);
    VZKurve = {7, 0.5f};  // the count promises more values than recorded
    EXPECT_EQ(Rechne(110, 1).fehler, kTrue);
}

TEST_F(DiagrammTest, BloodAlcoholInGramsPerKilogram) {
    FuelleKurven(30);
    const Kurve kg = Rechne(500, 1);
    EXPECT_NEAR(kg.punkte[3].y, cKurveA[2] / 1.055, 1e-6);
    EXPECT_FALSE(kg.rechnung.label.has_value());
    BAKUnitGL = kTrue;
    const Kurve gl = Rechne(500, 1);
    EXPECT_FLOAT_EQ(gl.punkte[3].y, static_cast<float>(cKurveA[2]));
    EXPECT_EQ(gl.n(), 31);
}

// ---- Slot book-keeping ----

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
    EXPECT_EQ(failed, kTrue);
    EXPECT_EQ(slot, 24);
    EXPECT_EQ(nKurven, 24);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Maximal  24 Kurven möglich\r\nLöschen Sie vorhandene Kurven");
    EXPECT_EQ(rec.Last().title, "WARNUNG");
    EXPECT_EQ(rec.Last().style, platform::vbExclamation);
    // Only taken slots can be freed; freed slots are taken again, lowest first.
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(7));
    EXPECT_TRUE(diagram::KurvenSlotFreigeben(3));
    for (int frei : {3, 0, 25}) EXPECT_FALSE(diagram::KurvenSlotFreigeben(frei)) << frei;
    EXPECT_EQ(nKurven, 22);
    diagram::KurvenSlotBelegen(slot, failed);
    EXPECT_EQ(slot, 3);
    diagram::KurvenSlotBelegen(slot, failed);
    EXPECT_EQ(slot, 7);
    EXPECT_EQ(failed, 0);
    // Handing an empty curve's slot back restores the previous current curve.
    diagram::KurvenSlotZurueckgeben(7, 3);
    EXPECT_EQ(aktKurve, 3);
    EXPECT_EQ(nKurven, 23);
    EXPECT_EQ(KurveFrei[7], kTrue);
}

TEST_F(DiagrammTest, LabelIndexFollowsTheLastPointInsideTheWindow) {
    std::vector<XYPunkt> p(12);
    p[0].x = 11;
    for (int i = 1; i <= 11; ++i) p[i].x = static_cast<float>(i - 1);
    // x < 6 holds up to point 6: 6 / 1.2 - 0.18 * 6 * slot.
    EXPECT_EQ(diagram::LabelPunktIndex(p, 6, 1), static_cast<int>(std::nearbyint(5 - 1.08)));
    EXPECT_EQ(diagram::LabelPunktIndex(p, 6, 2), static_cast<int>(std::nearbyint(5 - 2.16)));
    EXPECT_LT(diagram::LabelPunktIndex(p, 6, 5), 1);
    EXPECT_EQ(diagram::LabelPunktIndex(p, -1, 1), 0);
}

}  // namespace
