// Mouse read-out, clicks and the rubber-band zoom of the diagram window, at known chart pixels.
#include <QLabel>
#include <QPushButton>

#include <tuple>

#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using namespace diagramtest;
using platform::Chart2D;
using platform::ChartAxis;

class Mausanzeige : public DiagrammTest {
protected:
    void SetUp() override {
        DiagrammTest::SetUp();
        f = Offen(ErsteOrdnung());
        f->show();
        f->resize(900, 600);
        c = f->Chart();
        // Three point sets of one point each between the two curves; set 3 at (30, 0.5).
        for (float x : {36.0f, 42.0f, 30.0f}) {
            XYZeichenPunkte = {XYPunkt{1, 0, 0, 0}, XYPunkt{x, 0.5f, 0, 0}};
            f->cmdExternPoints_Click();
        }
    }
    void TearDown() override {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
        DiagrammTest::TearDown();
    }
    QString Text(const char* name) const { return f->findChild<QLabel*>(name)->text(); }
    bool Sichtbar(const char* name) const { return f->findChild<QLabel*>(name)->isVisibleTo(f); }
    void Bewege(Pixel p) { f->Chart2D1_MouseMove(0, 0, p.tx(), p.ty()); }

    diagram::frmTGraph2D* f = nullptr;
    Chart2D* c = nullptr;
};

TEST_F(Mausanzeige, ReadOutOfCurvePointMeasuredPointLegendAndEmptyPlotArea) {
    // 3 pixels above point 41 of curve 1 (A at t = 10 s).
    Pixel p = PixelVon(c, c->X(1, 1, 41), c->Y(1, 1, 41));
    p.y -= 3;
    Bewege(p);
    EXPECT_EQ(Text("lblMausPosNr"), "K.1");
    EXPECT_EQ(Text("lblMausPosX"), " X = 10.0000");
    EXPECT_EQ(Text("lblMausPosY").toStdString(), " Y = " + platform::CStrSingle(static_cast<float>(c->Y(1, 1, 41))));
    EXPECT_EQ(f->StatusPanel(1), KurvenInfo1[1]);
    EXPECT_NE(c->cursor().shape(), Qt::ArrowCursor);
    // Through the chart's own mouse event, at the first point of curve 2: x = 0 in general format.
    Pixel p0 = PixelVon(c, c->X(1, 2, 1), c->Y(1, 2, 1));
    p0.y -= 2;
    Maus(c, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, p0);
    EXPECT_EQ(Text("lblMausPosNr") + Text("lblMausPosX"), "K.2 X = 0");
    // The last point of curve 1 lies on the right end of the x axis, on the plot's edge pixel.
    const int n = c->PointCount(1, 1);
    ASSERT_DOUBLE_EQ(c->X(1, 1, n), c->AxisMax(ChartAxis::X));
    Bewege(PixelVon(c, c->X(1, 1, n), c->Y(1, 1, n)));
    EXPECT_EQ((Text("lblMausPosNr") + Text("lblMausPosX")).toStdString(),
              "K.1 X = " + platform::FormatSingle(static_cast<float>(c->X(1, 1, n)), "###0.0000#####"));

    // The measured point of set 3: read out 3 pixels away, not 6 pixels away.
    Pixel q = PixelVon(c, 30, 0.5);
    q.x += 3;
    Bewege(q);
    EXPECT_EQ(Text("lblMausPosNr"), "P.3");
    EXPECT_EQ(Text("lblMausPosX") + Text("lblMausPosY"), " X = 30.0000 Y = 0.5");
    q.x += 3;
    Bewege(q);
    EXPECT_FALSE(Sichtbar("lblMausPosNr"));
    EXPECT_EQ(Text("lblMausPosX") + Text("lblMausPosY") + Text("lblMausPosZ"),
              " Klick rechts =>       Diagramm- Gestaltung");
    EXPECT_EQ(c->cursor().shape(), Qt::ArrowCursor);

    Bewege({c->LegendLeft() + 4, c->LegendTop() + 4});
    EXPECT_EQ(Text("lblMausPosY"), " Legende editieren,");
    EXPECT_EQ(c->cursor().shape(), Qt::SizeVerCursor);
    Bewege({1, 1});  // outside every region
    EXPECT_FALSE(Sichtbar("lblMausPosX"));
    EXPECT_TRUE(rec.Empty());
}

TEST_F(Mausanzeige, RightClickOpensThePanelOfTheElementLeftClickOffersDeletion) {
    GestaltungAttrappe dlg;
    const Pixel q = PixelVon(c, 30, 0.5), k = PixelVon(c, c->X(1, 2, 61), c->Y(1, 2, 61));
    f->Chart2D1_MouseDown(2, 0, q.tx(), q.ty());
    EXPECT_EQ(std::make_tuple(dlg.punkteTabAktuell, dlg.lblNumPoints[3], dlg.designTab), std::make_tuple(3, "1", 5));
    const Pixel legende{c->LegendLeft() + 3, c->LegendTop() + 3};
    f->Chart2D1_MouseDown(2, 0, legende.tx(), legende.ty());
    EXPECT_EQ(dlg.designTab, 4);

    f->Chart2D1_MouseDown(1, 0, k.tx(), k.ty());
    EXPECT_EQ(std::make_tuple(dlg.loeschKurve, dlg.loeschPunkt, dlg.loeschPunktsatz), std::make_tuple(2, 61, -1));
    // In zoom mode nothing is offered.
    dlg.loeschKurve = -1;
    f->findChild<QPushButton*>("cmdZoom")->click();
    f->Chart2D1_MouseDown(1, 0, q.tx(), q.ty());
    EXPECT_EQ(dlg.loeschKurve + dlg.loeschPunktsatz, -2);
}

TEST_F(Mausanzeige, RubberBandZoomStoresTheRangeAndResetReturnsToTheStartRange) {
    GestaltungAttrappe dlg;
    const DiagRecord vorher = DiagRec;

    f->findChild<QPushButton*>("cmdZoom")->click();
    EXPECT_TRUE(f->ZoomModus());
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    const Pixel a = PixelVon(c, 10, 0.8), b = PixelVon(c, 20, 0.2);
    Maus(c, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, a);
    Maus(c, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, b);
    Maus(c, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, b);
    EXPECT_FALSE(f->ZoomModus());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NEAR(DiagRec.xMin, 10, 0.1);
    EXPECT_NEAR(DiagRec.xMax, 20, 0.1);
    EXPECT_FLOAT_EQ(DiagRec.yMax, static_cast<float>(c->AxisMax(ChartAxis::Y)));

    // The reset takes the chart's own range back into the stored one before the range fields apply.
    dlg.aufrufe.clear();
    f->findChild<QPushButton*>("cmdZoomReset")->click();
    EXPECT_DOUBLE_EQ(c->AxisMax(ChartAxis::X), vorher.xMax);
    EXPECT_FLOAT_EQ(DiagRec.xMin, vorher.xMin);
    EXPECT_EQ(dlg.aufrufe, (std::vector<std::string>{"cmdCoord_OK", "optScaling(1)", "optScaling(0)"}));

    // A right-button release in zoom mode stores nothing but ends the crosshair.
    f->cmdZoom_Click();
    DiagRec.xMax = 99;
    f->Chart2D1_MouseUp(2, 0, 0, 0);
    EXPECT_EQ(DiagRec.xMax, 99);
    EXPECT_FALSE(f->ZoomModus());
    EXPECT_TRUE(rec.Empty());
}

}  // namespace
