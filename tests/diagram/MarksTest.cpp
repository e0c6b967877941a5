// Half-life and residence-time marks of the diagram window; coordinate-range and single-point commands.
#include <QAction>
#include <QPushButton>
#include <cmath>

#include <tuple>

#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using diagram::frmTGraph2D;
using platform::Chart2D;

using Marken = diagramtest::MeldungsTest;
using diagramtest::Menue;

TEST_F(Marken, MarksAreVerticalLinesUntilDeletedAndTheHalfLifeFollowsTheModel) {
    frmTGraph2D* f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    Chart2D* c = f->Chart();
    Menue(f, "mnuHalbA");
    ASSERT_EQ(c->PointCount(1, 26), 2);
    EXPECT_NEAR(c->X(1, 26, 1), std::log(2.0) / 0.1, 1e-5);
    EXPECT_EQ(std::make_tuple(c->X(1, 26, 2), c->Y(1, 26, 2), c->LinePattern(1, 26), c->LineColor(1, 26)),
              std::make_tuple(c->X(1, 26, 1), 10000.0, 5, FarbVorwahl));
    EXPECT_EQ(f->StatusText(), "Halbwertszeit tau(A) = 6.93 s");
    EXPECT_TRUE(f->findChild<QAction*>("mnuDelHalbAB")->isEnabled());

    // The residence-time mark as the stirred-tank windows press it.
    tauMittel = 12.5;
    ASSERT_TRUE(platform::Forms().Click("frmTGraph2D", "cmdMarkConti", -1));
    EXPECT_EQ(std::make_tuple(c->X(1, 28, 2), c->LineColor(1, 28), c->LabelShown(28)), std::make_tuple(12.5, 0, true));
    EXPECT_EQ(c->LabelText(28), "              aktuelle mittl. Verweilzeit");
    EXPECT_NEAR(c->LabelDataY(28), DiagRec.yMin + (DiagRec.yMax - DiagRec.yMin) / 6.0, 1e-6);

    Menue(f, "mnuDelHalbAB");
    for (int k = 26; k <= 39; ++k) EXPECT_TRUE(c->PointCount(1, k) == 0 && !c->LabelShown(k)) << k;
    EXPECT_EQ(c->PointCount(1, 1), nZeitPunkte + 1);  // the curves stay
    EXPECT_FALSE(f->findChild<QAction*>("mnuDelHalbAB")->isEnabled());
    EXPECT_TRUE(rec.Empty());

    // Stored or closed-form half-life by model, reactor and diagram.
    aktModell = 7;  // in the batch: the value found on the computed curve
    HalbwertA = 4.256f;
    f->mnuHalbA_Click();
    EXPECT_EQ(f->StatusText(), "Halbwertszeit tau(A) = 4.26 s");
    ContiAktiv = kTrue;  // with the stirred tank: the closed form of the diagram kind
    f->mnuHalbA_Click();
    EXPECT_EQ(f->StatusText(), "Halbwertszeit tau(A) = 6.93 s");
    // Model 14, species B: always the closed form, which has no B half-life here (0).
    aktModell = 14;
    f->mnuHalbB_Click();
    EXPECT_EQ(f->StatusText(), "Halbwertszeit tau(B) kann unter diesen Bedingungen nicht erreicht werden");
    EXPECT_EQ(f->Chart()->PointCount(1, 27), 0);
    HalbwertszeitNumerisch = kTrue;
    f->mnuHalbB_Click();
    EXPECT_EQ(f->StatusText().rfind("Halbwertszeit liegt nicht im Diagramm-Bereich", 0), 0u);
}

TEST_F(Marken, CoordinateRangeAndSingleCalc) {
    frmTGraph2D* f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    diagramtest::GestaltungAttrappe dlg;
    DiagRec.xMax = 2.5f;
    platform::SetLocaleDecimalSeparator(',');
    f->findChild<QAction*>("mnuCoord")->trigger();
    platform::SetLocaleDecimalSeparator('.');
    EXPECT_EQ(dlg.coord[2], "2,5");
    EXPECT_EQ(dlg.aufrufe, (std::vector<std::string>{"DeleteAllDesignFrames", "FormGST_Show(6)", "CoordPanelBereit"}));

    auto* knopf = f->findChild<QPushButton*>("cmdSingleCalc");
    EXPECT_EQ(knopf->isEnabled(), platform::Windows().IsRegistered("frmTGraphCalc"));
    RateDiagramm = kTrue;
    f->cmdSingleCalc_Click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "die Berechnung von Reaktionsgeschwindigkeiten wird z. Z. nicht unterstüzt");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraphCalc"));
    RateDiagramm = kFalse;
    ContiAktiv = kTrue;  // stirred-tank diagrams never offer it
    f->Form_Activate();
    EXPECT_FALSE(knopf->isEnabled());
}

}  // namespace
