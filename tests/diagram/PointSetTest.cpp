// Measured point sets of the diagram window: points from ExpDaten per diagram code, hand-over from
// the X-Y editor, deletion.
#include <QAction>

#include <tuple>

#include "diagram/EvaluationPlots.h"
#include "platform/core/FormHost.h"
#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using diagram::frmTGraph2D;
using diagramtest::OeffneDiagramm;
using diagramtest::SetzeMessdaten;
using diagramtest::Zeile;

class Punktsaetze : public diagramtest::MeldungsTest {
protected:
    static ExpPunkt AP(double t, double a, double p, int exclude = 0) {
        ExpPunkt r = Zeile(t, a, 0, exclude);
        r.c[4] = p;
        return r;
    }
    // n points (x = 1..n, y = x / 10) handed over as the X-Y editor does.
    static void Uebergabe(int n) {
        XYZeichenPunkte.assign(static_cast<std::size_t>(n) + 1, XYPunkt{});
        XYZeichenPunkte[0].x = static_cast<float>(n);
        for (int j = 1; j <= n; ++j) XYZeichenPunkte[j] = XYPunkt{static_cast<float>(j), j / 10.0f, 0, 0};
        DiagRec.Quelle = 2;
        ASSERT_TRUE(platform::Forms().Click("frmTGraph2D", "cmdExternPoints", -1));
    }
};

TEST_F(Punktsaetze, ConcentrationPointsOneSetPerSpeciesColumnAndTheOutsideWarning) {
    // Columns A and P only; row 3 is excluded.
    SetzeMessdaten({AP(0, 1, 0), AP(5, 0.6, 0.4), AP(10, 0.35, 0.65, kTrue), AP(20, 0.15, 0.875)});
    frmTGraph2D* f = OeffneDiagramm(-1);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(rec.Empty());
    platform::Chart2D* c = f->Chart();
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(c->PointCount(2, s), s == 1 || s == 4 ? 4 : 0) << s;
    EXPECT_EQ(c->Y(2, 4, 4), 0.875);
    EXPECT_EQ(c->Y(2, 1, 3), platform::kChartHole);  // the excluded row in neither set
    EXPECT_EQ(c->Y(2, 4, 3), platform::kChartHole);
    // Shown again after row 2 was excluded too: its old points go, the set keeps its length.
    ExpDaten[2].exclude = kTrue;
    bool drinnen = false;
    f->zeigeExperPunkte(drinnen);
    for (int s : {1, 4}) EXPECT_TRUE(c->PointCount(2, s) == 4 && c->Y(2, s, 2) == platform::kChartHole) << s;
    EXPECT_EQ(c->Y(2, 4, 4), 0.875);

    // A point exactly on the border counts as inside.
    DiagRec = DiagRecord{};
    std::tie(DiagRec.xMax, DiagRec.yMin, DiagRec.yMax) = std::make_tuple(30.0f, 0.875f, 2.0f);
    for (float x0 : {20.0f, 20.1f}) {
        DiagRec.xMin = x0;
        f->zeigeExperPunkte(drinnen);
        EXPECT_EQ(drinnen, x0 == 20.0f) << x0;
    }
    f->mnuAddPunkte_Click();
    ErwarteEineMeldung("Warnung");
    EXPECT_EQ(c->PointCount(2, 1), 4);  // shown all the same
    EXPECT_EQ(c->LegendText(2, 1).rfind("P.1  ", 0), 0u);
    EXPECT_EQ(c->SymbolColor(2, 4), FarbVorwahl);

    // A diagram of A => P with data only for B: nothing fits.
    SetzeMessdaten({Zeile(1, 0, 0.5)});
    aktDiagrammCode = 2;
    diagram::SetKurvenMaske(2);
    f->mnuAddPunkte_Click();
    EXPECT_EQ(rec.Last().prompt.rfind("Für dieses Diagramm sind keine Konzentrations-Punkte geladen.", 0), 0u);
}

TEST_F(Punktsaetze, LinearisedPointsPerCode) {
    c0Mess[1] = 2;
    lambdaInf = 10;
    ExpPunkt r = Zeile(4, 0.5, 0.25);
    r.lambda = 6;
    DatenSpalte[1] = DatenSpalte[2] = kTrue;
    // Conductivity 2nd order: divided by c0(A) only when lambda(0) is known.
    EXPECT_FLOAT_EQ(static_cast<float>(diagram::ExperPunkteDerZeile(-11, r).at(0).y), 10.0f / 4);
    lambdaNull = 2;
    EXPECT_FLOAT_EQ(static_cast<float>(diagram::ExperPunkteDerZeile(-11, r).at(0).y), 8.0f / 4 / 2);
    EXPECT_FLOAT_EQ(static_cast<float>(diagram::ExperPunkteDerZeile(-8, r).at(0).y), std::log(2.0f));
    EXPECT_FLOAT_EQ(static_cast<float>(diagram::ExperPunkteDerZeile(-7, r).at(0).y), 4 / 0.75f);
    r.t = 0;  // Wilkinson passes over t <= 1e-8
    EXPECT_TRUE(diagram::ExperPunkteDerZeile(-7, r).empty());
}

TEST_F(Punktsaetze, HandOverFromTheXYEditorUpToTwelveSetsAndDeletion) {
    SetzeMessdaten({Zeile(1, 0.5)});
    frmTGraph2D* f = OeffneDiagramm(-1);
    ASSERT_NE(f, nullptr);
    diagramtest::GestaltungAttrappe dlg;
    platform::Chart2D* c = f->Chart();
    Uebergabe(3);
    EXPECT_EQ(aktPunktsatz, 1);
    ASSERT_EQ(c->PointCount(2, 1), 3);
    EXPECT_FLOAT_EQ(static_cast<float>(c->Y(2, 1, 3)), 0.3f);
    EXPECT_EQ(dlg.TxtLegPoints(1) + "|" + dlg.lblNumPoints[1], "P.1 Punkt(e) von XY-Editor | 3");
    EXPECT_TRUE(f->findChild<QAction*>("mnuSubDelPoints(1)")->isEnabled());

    Uebergabe(0);  // an empty set still gets its tab and texts
    EXPECT_EQ(c->PointCount(2, 2), 0);
    EXPECT_TRUE(dlg.punkteTabAn[2]);
    for (int k = 3; k <= 12; ++k) Uebergabe(2);
    Uebergabe(4);  // the thirteenth takes the empty set 2
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(c->PointCount(2, 2), 4);
    Uebergabe(5);  // now every set holds points
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Es dürfen max. 12 Punktsätze geladen werden.\r\nLöschen Sie evtl. die "
                                 "vorhandenen Messpunkte.");
    EXPECT_EQ(aktPunktsatz + nPunktsaetze, 24);
    EXPECT_EQ(c->PointCount(2, 12), 2);

    f->findChild<QAction*>("mnuSubDelPoints(7)")->trigger();
    EXPECT_EQ(c->PointCount(2, 7), 0);
    EXPECT_FALSE(f->findChild<QAction*>("mnuSubDelPoints(7)")->isEnabled());
    Uebergabe(1);  // the deleted set is taken again
    EXPECT_EQ(c->PointCount(2, 7), 1);

    f->mnuSubDelPoints_Click(0);
    for (int k = 1; k <= 12; ++k) EXPECT_TRUE(c->PointCount(2, k) == 0 && c->LegendText(2, k).empty()) << k;
    EXPECT_TRUE(f->findChild<QAction*>("mnuSubDelPoints(3)")->isEnabled());

    // A handed-over curve takes the next free curve slot.
    XYZeichenPunkte = {XYPunkt{2, 0, 0, 0}, XYPunkt{0, 1, 0, 0}, XYPunkt{2, 0.5f, 0, 0}};
    ASSERT_TRUE(platform::Forms().Click("frmTGraph2D", "cmdManuKurve", -1));
    EXPECT_EQ(nKurven, 1);
    EXPECT_EQ(c->Y(1, 1, 2), 0.5);
}

}  // namespace
