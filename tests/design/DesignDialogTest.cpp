// The design dialog through its real controls: panels, colours and presets, styles, axis range,
// log axes, grid, texts, legend and labels; every change read back from the chart.
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <tuple>

#include "experiment/XYFile.h"
#include "platform/core/TextFile.h"
#include "tests/design/DesignTestSupport.h"
#include "tests/support/PictureDir.h"

namespace {

using namespace kernel;
using platform::ChartAxis;
using platform::ChartText;

// Every test of the dialog starts on the first-order diagram.
class Gestaltung : public designtest::DesignTest {
protected:
    void SetUp() override {
        DesignTest::SetUp();
        Oeffne();
    }
};

TEST_F(Gestaltung, DialogLinksItselfAndPresetsTheNewDiagram) {
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    // A framed plot; "Gitter komplett", dotted; a framed legend; the y title upright.
    EXPECT_EQ(std::make_tuple(c->PlotFrame(), c->GridPattern(ChartAxis::X), c->GridPattern(ChartAxis::Y),
                              c->LegendBorder(), c->AxisTitleRotation(ChartAxis::Y)),
              std::make_tuple(true, platform::kLineDotted, platform::kLineDotted, platform::kBorderPlain,
                              platform::kTextVertical));
    EXPECT_FALSE(d->isVisible());
    // "automat." is selected; "manuell" fixes exactly the spacings the six fields show.
    EXPECT_TRUE(Control<QRadioButton>("optScaling(0)")->isChecked() && !Control<QLineEdit>("txtXGridValue")->isEnabled());
    Control<QRadioButton>("optScaling(1)")->click();
    for (const char* feld : {"txtXGridValue", "txtYGridValue", "txtXTickValue", "txtYTickValue", "txtXZiffValue", "txtYZiffValue"}) {
        const auto art = feld[4] == 'G' ? platform::AxisSpacing::Grid : feld[4] == 'T' ? platform::AxisSpacing::Tick : platform::AxisSpacing::Number;
        EXPECT_FLOAT_EQ(static_cast<float>(c->Spacing(feld[3] == 'X' ? ChartAxis::X : ChartAxis::Y, art)), Zahl(feld)) << feld;
    }
    EXPECT_FALSE(c->SpacingAuto(ChartAxis::Y, platform::AxisSpacing::Tick));

    // The dialog serves the next diagram window as freshly built: nothing of this one stays.
    design::mnuBild_Click(*f, 2);
    const design::frmTGraph2D_Gestaltung* erster = d;
    diagramtest::SchliesseDiagramm();
    EXPECT_FALSE(erster->isVisible());
    OeffneFenster();
    EXPECT_EQ(d, erster);
    EXPECT_TRUE(Control<QRadioButton>("optScaling(0)")->isChecked() && !Control<QLineEdit>("txtXGridValue")->isEnabled());
    EXPECT_EQ(std::make_tuple(d->panel[5]->title().toStdString(), d->cmbGraphFormat->count()),
              std::make_tuple(std::string("Bild drucken/speichern"), 0));
}

TEST_F(Gestaltung, PanelsShowOneAtATimeAndTheCloseBoxOnlyHides) {
    d->FormGST_Show(1);
    ASSERT_TRUE(d->isVisible() && d->panel[1]->isVisible());
    const QPoint erst = d->pos();
    d->FormGST_Show(2);
    EXPECT_TRUE(!d->panel[1]->isVisible() && d->panel[2]->isVisible());
    EXPECT_EQ(d->pos(), erst);  // placed once, never moved again
    EXPECT_EQ(d->size(), d->panel[2]->size());
    d->FormGST_Show(7);
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(d->panel[i]->isVisible()) << i;
    EXPECT_TRUE(d->isVisible() && d->AktShowType() == 7);

    Control<QLineEdit>("txtLegend(1)")->setText("A-Kurve");
    int cancel = 0;
    d->Form_QueryUnload(cancel, 0);
    EXPECT_TRUE(cancel == 1 && !d->isVisible());
    d->FormGST_Show(2);
    EXPECT_EQ(Control<QLineEdit>("txtLegend(1)")->text(), "A-Kurve");
    d->DeleteAllDesignFrames();
    EXPECT_TRUE(d->isVisible() && !d->panel[2]->isVisible());
}

TEST_F(Gestaltung, SheetColoursGoToTheChartAndTheSharedVariablesAndThePresetsSetThemAll) {
    constexpr int kBlau = platform::Chart2D::Rgb(0, 0, 255);
    Farbe("cmdRandCol_in", kBlau);
    Farbe("cmdRandCol_out", kRot);
    Farbe("cmdColorPlotArea", kGruen);
    Farbe("cmdGitterFarbe", kRot);
    EXPECT_EQ(std::make_tuple(c->ChartAreaBackColor(), ColInnerMargin, c->ChartBackColor(), ColOuterMargin,
                              c->PlotAreaBackColor(), ColPlotArea, c->GridColor(ChartAxis::X), c->GridColor(ChartAxis::Y),
                              ColGrid),
              std::make_tuple(kBlau, kBlau, kRot, kRot, kGruen, kGruen, kRot, kRot, kRot));

    // A cancelled colour dialog changes nothing.
    Farbe("cmdDiaAxColor", std::nullopt);
    EXPECT_EQ(c->ChartAreaForeColor(), ColAxis);

    // The frame colour changes the axes but is not remembered; the axis colour is.
    const int achse = ColAxis;
    Farbe("cmdDiaFrameColor", kRot);
    EXPECT_EQ(std::make_tuple(c->ChartAreaForeColor(), ColAxis), std::make_tuple(kRot, achse));
    Farbe("cmdDiaAxColor", kGruen);
    EXPECT_EQ(std::make_tuple(c->ChartAreaForeColor(), ColAxis), std::make_tuple(kGruen, kGruen));

    // The presets: a black sheet, grey margins, the standard.
    Klick("cmdFullBlack");
    EXPECT_EQ(std::make_tuple(c->ChartAreaBackColor(), c->PlotAreaBackColor(), c->ChartAreaForeColor(),
                              c->GridColor(ChartAxis::Y), c->TextBlockForeColor(ChartText::Header)),
              std::make_tuple(0, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF));
    EXPECT_EQ(c->LegendBackColor(), 0xFFFFFF);  // the legend stays black on white

    // The grey margins leave grid, frame and the black flag alone.
    Klick("cmdRandColGrau");
    const int grau = platform::Chart2D::Rgb(245, 245, 245);
    EXPECT_EQ(std::make_tuple(c->ChartAreaBackColor(), c->PlotAreaBackColor(), c->GridColor(ChartAxis::X), BlackSheet,
                              ColHeaderBack),
              std::make_tuple(grau, 0xFFFFFF, 0xFFFFFF, kTrue, 0xFFFFFF));

    // The standard preset: white sheet, light-grey plot area, grid in the chosen line style.
    Control<QRadioButton>("opt2Gitter(1)")->click();  // solid lines
    Klick("cmdPlotAreaColGrey");
    EXPECT_EQ(std::make_tuple(BlackSheet, c->PlotAreaBackColor(), c->ChartBackColor(), c->GridColor(ChartAxis::X),
                              c->GridColor(ChartAxis::Y), c->GridPattern(ChartAxis::X)),
              std::make_tuple(kFalse, platform::Chart2D::Rgb(251, 251, 251), 0xFFFFFF, 0, 0, platform::kLineSolid));
}

TEST_F(Gestaltung, CurveAndPointSetStyles) {
    // The lists restyle the chart whenever their index is set, also from code (no user activation).
    QComboBox* stil = Control<QComboBox>("cmbKStil(1)");
    stil->setCurrentIndex(0);
    EXPECT_EQ(std::make_tuple(c->LinePattern(kKurven, 1), c->SymbolShape(kKurven, 1), c->SymbolSize(kKurven, 1)),
              std::make_tuple(platform::kLineNone, platform::kSymbolDot, 1));
    stil->setCurrentIndex(3);
    EXPECT_EQ(std::make_tuple(c->LinePattern(kKurven, 1), c->SymbolShape(kKurven, 1)),
              std::make_tuple(platform::kLineDashed, platform::kSymbolNone));
    // The diagram window setting the index the list already shows still brings the chart in line.
    c->SetLinePattern(kKurven, 1, platform::kLineSolid);
    d->SetKurvenStilListe(1, 3);
    EXPECT_EQ(c->LinePattern(kKurven, 1), platform::kLineDashed);

    // A colour for an occupied slot recolours the curve and paints the free slots' swatches.
    const int vorwahl = FarbVorwahl;
    Farbe("cmdKurvenFarbe(2)", kRot);
    EXPECT_EQ(std::make_tuple(c->LineColor(kKurven, 2), c->SymbolColor(kKurven, 2), KurvenFarbe[2], FarbVorwahl),
              std::make_tuple(kRot, kRot, kRot, vorwahl));
    EXPECT_EQ(design::SwatchFarbe(Control<QPushButton>("cmdKurvenFarbe(7)")), kRot);
    // On a free slot it becomes the colour of the next curve.
    Farbe("cmdKurvenFarbe(5)", kGruen);
    EXPECT_EQ(FarbVorwahl, kGruen);

    // Point sets: symbol, colour; width, size and legend texts of both.
    QComboBox* punkt = Control<QComboBox>("cmbPunktStil(3)");
    punkt->setCurrentIndex(7);
    EXPECT_EQ(c->SymbolShape(kPunkte, 3), platform::kSymbolOpenBox);
    d->SetPunktStilListe(3, 12, "5");
    EXPECT_EQ(c->SymbolShape(kPunkte, 3), platform::kSymbolNone);
    Farbe("cmdPunktFarbe(3)", kGruen);
    EXPECT_EQ(std::make_tuple(c->SymbolColor(kPunkte, 3), PunktsatzFarbe[3]), std::make_tuple(kGruen, kGruen));
    Control<QSpinBox>("UpDown1_KBreite(1)")->setValue(4);
    Control<QSpinBox>("UpDown1_PointSize(3)")->setValue(11);
    Control<QLineEdit>("txtLegend(1)")->setText("c(A) gemessen");
    Control<QLineEdit>("txtLegPoints(3)")->setText("Messung");
    EXPECT_EQ(std::make_tuple(c->LineWidth(kKurven, 1), c->SymbolSize(kPunkte, 3), c->LegendText(kKurven, 1),
                              c->LegendText(kPunkte, 3)),
              std::make_tuple(4, 11, std::string("c(A) gemessen"), std::string("P.3  Messung")));
    Control<QLineEdit>("txtLegPoints(3)")->clear();
    EXPECT_EQ(c->LegendText(kPunkte, 3), "P.3  ");
}

// Grid lines drawn in the chart, counted in a grab: columns (rows) of the plot area of which at least
// a quarter of the pixels have the grid colour are vertical (horizontal) grid lines; the share of
// grid-coloured pixels along them tells a solid line (nearly all) from a dotted one (about half).
struct GitterLinien {
    int senkrecht = 0, waagrecht = 0;
    double deckung = 0;  // mean share along the lines found
};
GitterLinien ZaehleGitter(platform::Chart2D* c, int farbe) {
    QCoreApplication::processEvents();  // the chart redraws once after a change
    const QImage bild = c->grab().toImage();
    const QColor soll(farbe & 0xFF, (farbe >> 8) & 0xFF, (farbe >> 16) & 0xFF);
    const QRect plot(c->PlotAreaLeft() + 2, c->PlotAreaTop() + 2, c->PlotAreaWidth() - 4, c->PlotAreaHeight() - 4);
    GitterLinien g;
    double summe = 0;
    for (bool senkrecht : {true, false}) {
        const int aussen = senkrecht ? plot.width() : plot.height(), innen = senkrecht ? plot.height() : plot.width();
        bool vorher = false;
        for (int a = 0; a < aussen; ++a) {
            int treffer = 0;
            for (int b = 0; b < innen; ++b)
                treffer += bild.pixelColor(plot.topLeft() + (senkrecht ? QPoint(a, b) : QPoint(b, a))) == soll;
            const bool linie = treffer * 4 >= innen;
            if (linie && !vorher) {
                ++(senkrecht ? g.senkrecht : g.waagrecht);
                summe += double(treffer) / innen;
            }
            vorher = linie;
        }
    }
    const int linien = g.senkrecht + g.waagrecht;
    g.deckung = linien ? summe / linien : 0;
    return g;
}

// Grid lines expected inside a range at a spacing, the two at the plot's edges not counted (the
// axes and the frame lie over them).
int InnereLinien(double min, double max, double abstand) {
    int n = 0;
    for (double v = std::ceil(min / abstand) * abstand; v <= max + 1e-9 * abstand; v += abstand)
        n += v > min + 1e-6 * abstand && v < max - 1e-6 * abstand;
    return n;
}

TEST_F(Gestaltung, GridKindsAndStylesAreDrawn) {
    f->resize(900, 600);
    f->show();
    constexpr int kMagenta = platform::Chart2D::Rgb(255, 0, 255);
    Farbe("cmdGitterFarbe", kMagenta);
    const int innenX = InnereLinien(c->AxisMin(ChartAxis::X), c->AxisMax(ChartAxis::X),
                                    c->Spacing(ChartAxis::X, platform::AxisSpacing::Grid));
    const int innenY = InnereLinien(c->AxisMin(ChartAxis::Y), c->AxisMax(ChartAxis::Y),
                                    c->Spacing(ChartAxis::Y, platform::AxisSpacing::Grid));
    ASSERT_TRUE(innenX > 1 && innenY > 1);
    // Kind 0 none, 1 y grid only, 2 x grid only, 3 complete; line 0 dotted, 1 solid.
    for (int stil : {0, 1})
        for (int art = 0; art <= 3; ++art) {
            SCOPED_TRACE(testing::Message() << "Gitter " << art << ", Linie " << stil);
            Control<QRadioButton>(("opt1Gitter(" + std::to_string(art) + ")").c_str())->click();
            Control<QRadioButton>(("opt2Gitter(" + std::to_string(stil) + ")").c_str())->click();
            const GitterLinien g = ZaehleGitter(c, kMagenta);
            const bool x = art >= 2, y = art == 1 || art == 3;
            EXPECT_GE(g.senkrecht, x ? innenX : 0);
            EXPECT_LE(g.senkrecht, x ? innenX + 2 : 0);
            EXPECT_GE(g.waagrecht, y ? innenY : 0);
            EXPECT_LE(g.waagrecht, y ? innenY + 2 : 0);
            if (art > 0) {
                EXPECT_TRUE(stil == 1 ? g.deckung > 0.9 : g.deckung < 0.75) << g.deckung;
            }
        }

    // A layout saved before the grid followed its pattern (its "gridShown" false) loads with its grid.
    const std::string pfad = testsupport::PicturePath("design_gitter.oc2").toStdString();
    ASSERT_TRUE(c->SaveLayout(pfad));
    std::string text, fehler;
    ASSERT_TRUE(platform::ReadText(pfad, text, fehler));
    for (std::size_t p; (p = text.find("\"gridShown\": true")) != std::string::npos;)
        text.replace(p, 17, "\"gridShown\": false");
    ASSERT_TRUE(platform::WriteText(pfad, text, fehler));
    Control<QRadioButton>("opt1Gitter(0)")->click();
    ASSERT_TRUE(c->LoadLayout(pfad, &fehler)) << fehler;
    const GitterLinien g = ZaehleGitter(c, kMagenta);
    EXPECT_GE(g.senkrecht, innenX);
    EXPECT_GE(g.waagrecht, innenY);
}

// The range and log tests run under the C and a German number locale: the diagram window writes
// the range fields in the locale's form.
using GestaltungImLocale = testsupport::InBothLocales<designtest::DesignTest>;

TEST_P(GestaltungImLocale, AxisRangeIsCheckedAndApplied) {
    using testsupport::InLocale;
    // A range of one's own with fractions survives opening the diagram.
    diagramtest::ZeitverlaufErsteOrdnung();
    AchsenGrenzen = {0, 12.5f, 0.125f, 1.25f};
    OeffneFenster();
    EXPECT_EQ(Feld("coord", 2)->text().toStdString(), InLocale("12.5"));
    EXPECT_EQ(std::make_tuple(c->AxisMax(ChartAxis::X), c->AxisMin(ChartAxis::Y), c->AxisMax(ChartAxis::Y)),
              std::make_tuple(12.5, 0.125, 1.25));

    // Applying the fields as written keeps the fractions; a pasted "1,5" reads as 1.5.
    d->FormGST_Show(1);
    Feld("Tabcoord", 4)->setText("1,5");
    Klick("cmdTabCoord_OK");
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(std::make_pair(DiagRec.xMax, DiagRec.yMax), std::make_pair(12.5f, 1.5f));
    f->mnuCoord_Click();
    EXPECT_EQ(Feld("coord", 4)->text().toStdString(), InLocale("1.5"));
    Bereich({{1, "-1"}, {2, "0"}, {3, "2E-3"}, {4, "0.75"}});
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(std::make_tuple(DiagRec.yMin, DiagRec.xMax2, c->AxisMin(ChartAxis::X), c->AxisMax(ChartAxis::X)),
              std::make_tuple(0.002f, 0.0f, -1.0, 0.0));
    EXPECT_EQ(std::make_pair(c->AxisMax(ChartAxis::Y2), c->Y(kKurven, diagram::kRahmenSerie, 2)),
              std::make_pair(double(0.75f), double(0.75f)));
    EXPECT_FALSE(d->isVisible());
    // The spacing fields follow the new range.
    EXPECT_FLOAT_EQ(Zahl("txtYGridValue"), static_cast<float>(c->Spacing(ChartAxis::Y, platform::AxisSpacing::Grid)));

    // A refused input (equal bounds) is written back in the locale's form; the panel stays open.
    Bereich({{1, "5"}, {2, "5"}});
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.OnlyMessage(), "EINGABE-FEHLER|Untere Grenze muss kleiner als obere Grenze sein");
    EXPECT_EQ(Feld("coord", 1)->text(), "-1");
    EXPECT_EQ(Feld("coord", 4)->text().toStdString(), InLocale("0.75"));
    EXPECT_DOUBLE_EQ(c->AxisMin(ChartAxis::X), -1);
    EXPECT_TRUE(d->isVisible());
    // Letters read as 0: x from 0 to 5.
    Bereich({{1, "abc"}, {2, "5"}});
    EXPECT_EQ(std::make_tuple(c->AxisMin(ChartAxis::X), c->AxisMax(ChartAxis::X)), std::make_tuple(0.0, 5.0));
    EXPECT_FLOAT_EQ(DiagRec.xMax2, 5);

    // Key filter: a comma becomes a point, letters other than E are refused.
    QLineEdit* y = Feld("coord", 4);
    y->clear();
    QTest::keyClicks(y, "1,5x");
    EXPECT_EQ(y->text(), "1.5");
    // Enter in y(max) goes on to x(min) of the same set.
    d->FormGST_Show(6);
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    y->setFocus();
    QTest::keyClick(y, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Feld("coord", 1));
}

TEST_P(GestaltungImLocale, LogAxesOverARangeFromZero) {
    Oeffne();
    f->resize(900, 600);
    f->show();
    // The concentration axis runs from (about) 0: the log switch lifts its minimum to a thousandth
    // of its maximum and says so; record, both field sets and chart agree.
    const float yMax = DiagRec.yMax, yMin = DiagRec.yMin;
    const std::string vorher = Control<QLineEdit>("txtYGridValue")->text().toStdString();
    Klick("cmdYLog");
    const float neu = yMax / 1000;
    const std::string neuText = platform::CStrSingle(neu);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find(neuText), std::string::npos) << rec.Last().prompt;
    EXPECT_EQ(Feld("coord", 3)->text() + "|" + Feld("Tabcoord", 3)->text(),
              QString::fromStdString(neuText + "|" + neuText));
    EXPECT_TRUE(c->AxisLog(ChartAxis::Y) && c->AxisLog(ChartAxis::Y2));
    EXPECT_EQ(std::make_pair(float(c->AxisMin(ChartAxis::Y)), float(c->AxisMin(ChartAxis::Y2))),
              std::make_pair(neu, neu));
    EXPECT_FLOAT_EQ(Zahl("txtYGridValue"), static_cast<float>(c->Spacing(ChartAxis::Y, platform::AxisSpacing::Grid)));
    // Back on linear: the range before the lift returns, the spacings are chosen afresh for it.
    Klick("cmdYLog");
    EXPECT_FALSE(c->AxisLog(ChartAxis::Y) || c->AxisLog(ChartAxis::Y2));
    EXPECT_EQ(std::make_pair(float(c->AxisMin(ChartAxis::Y)), Feld("coord", 3)->text().toStdString()),
              std::make_pair(yMin, platform::CStrSingle(yMin)));
    EXPECT_EQ(Control<QLineEdit>("txtYGridValue")->text().toStdString(), vorher);
    EXPECT_TRUE(c->SpacingAuto(ChartAxis::Y, platform::AxisSpacing::Grid));
    EXPECT_EQ(rec.Messages().size(), 1u);
    // A range wholly at or below 0 cannot be logarithmic: refused with a message, nothing changes.
    Bereich({{3, "-2"}, {4, "0"}});
    Klick("cmdYLog");
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_EQ(rec.Last().style, platform::MsgExclamation);
    EXPECT_FALSE(c->AxisLog(ChartAxis::Y) || c->AxisLog(ChartAxis::Y2));
    EXPECT_FLOAT_EQ(DiagRec.yMin, -2);

    // The x axis from 0: the same for "X" alone; a range set while it is logarithmic stays.
    Klick("cmdXLog");
    EXPECT_TRUE(c->AxisLog(ChartAxis::X) && !c->AxisLog(ChartAxis::Y));
    EXPECT_EQ(Feld("coord", 1)->text().toStdString(), platform::CStrSingle(DiagRec.xMax / 1000));
    Bereich({{1, "2"}});
    Klick("cmdXLog");
    EXPECT_FALSE(c->AxisLog(ChartAxis::X));
    EXPECT_FLOAT_EQ(static_cast<float>(c->AxisMin(ChartAxis::X)), 2);
}

INSTANTIATE_TEST_SUITE_P(Zahlen, GestaltungImLocale, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

TEST_F(Gestaltung, TextsLegendAndCurveLabels) {
    design::mnuTextDesign_Click(*f, 1);
    QPlainTextEdit* s = Control<QPlainTextEdit>("schrift");
    s->setPlainText("Erste Zeile");
    QTextCursor cur = s->textCursor();
    cur.setPosition(5);
    s->setTextCursor(cur);
    QTest::keyClick(s, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(c->TextBlock(ChartText::Header), "Erste\r Zeile");
    EXPECT_EQ(s->textCursor().position(), s->toPlainText().size());  // caret at the end

    Control<QCheckBox>("chkTextFrame")->setChecked(false);
    EXPECT_EQ(c->TextBlockBorder(ChartText::Header), platform::kBorderNone);
    Control<QCheckBox>("chkTextFrame")->setChecked(true);
    EXPECT_EQ(c->TextBlockBorder(ChartText::Header), platform::kBorderPlain);
    Farbe("cmdSchriftHFarbe", kGruen);
    EXPECT_EQ(c->TextBlockBackColor(ChartText::Header), kGruen);

    // The extra text: its own position, the header stays.
    const int kopfOben = c->TextBlockTop(ChartText::Header);
    Klick("cmdZusatzzeileDesign");
    s->setPlainText("Ergebnis: k = 0.1");
    EXPECT_EQ(c->TextBlock(ChartText::Footer), "Ergebnis: k = 0.1");
    Control<QScrollBar>("VScroll1")->setValue(120);
    EXPECT_EQ(c->TextBlockTop(ChartText::Footer), 120);
    EXPECT_EQ(c->TextBlockTop(ChartText::Header), kopfOben);

    // Axis titles: the y title keeps trailing blanks, the x title loses them; fonts from the dialog.
    c->SetAxisTitle(ChartAxis::Y, "c / (mol/L)  ");
    design::mnuTextDesign_Click(*f, 4);
    EXPECT_EQ(s->toPlainText().toStdString(), "c / (mol/L)  ");
    EXPECT_TRUE(!Control<QPushButton>("cmdSchriftHFarbe")->isEnabled() && Control<QGroupBox>("fraYText")->isEnabled());
    c->SetAxisTitle(ChartAxis::X, "t / s  ");
    design::mnuTextDesign_Click(*f, 3);
    EXPECT_EQ(s->toPlainText().toStdString(), "t / s");
    s->setPlainText("Zeit t / s");
    EXPECT_EQ(c->AxisTitle(ChartAxis::X), "Zeit t / s");
    QFont fett("Arial", 14);
    fett.setBold(true);
    naechsteSchrift = design::SchriftWahl{fett, kRot};
    Klick("cmdFont");
    EXPECT_TRUE(c->AxisTitleFont(ChartAxis::X).bold());
    EXPECT_EQ(c->AxisTitleColor(ChartAxis::X), kRot);
    EXPECT_FALSE(c->IsRepaintSuspended());

    // The legend: shown, transparent or coloured.
    Control<QCheckBox>("chkLegend")->setChecked(false);
    EXPECT_EQ(std::make_tuple(c->LegendShown(), LegendVisible), std::make_tuple(false, 0));
    Control<QCheckBox>("chkLegend")->setChecked(true);
    EXPECT_TRUE(c->LegendShown());
    Control<QCheckBox>("chkLegTransparent")->setChecked(true);
    EXPECT_EQ(c->LegendBackColor(), -1);
    Farbe("cmdLegBColor", kGruen);
    EXPECT_EQ(ColLegendBack, kGruen);
    Control<QCheckBox>("chkLegTransparent")->setChecked(false);
    EXPECT_EQ(c->LegendBackColor(), kGruen);

    // "alle unsichtbar" hides all labels and clears every "sichtbar" box.
    Control<QCheckBox>("chkLabelNotVisible")->setChecked(true);
    for (int k = 1; k <= kMaxKurven; ++k) EXPECT_FALSE(c->LabelShown(k)) << k;
    EXPECT_FALSE(Control<QCheckBox>("chkEinzelLabelSichtbar(1)")->isChecked());
    Control<QCheckBox>("chkLabelNotVisible")->setChecked(false);
    EXPECT_TRUE(c->LabelShown(2));
    EXPECT_FALSE(Control<QCheckBox>("chkEinzelLabelSichtbar(2)")->isChecked());
    Control<QCheckBox>("chkLabelFrame")->setChecked(true);
    Control<QLineEdit>("txtLabel(1)")->setText("A");
    EXPECT_EQ(std::make_tuple(c->LabelBorder(24), c->LabelText(1)),
              std::make_tuple(platform::kBorderPlain, std::string("A")));
    // The label scroll bars span the points 1..n of their drawn curve from the start; 1..1 when empty.
    QScrollBar* lage = Control<QScrollBar>("scrShiftLab(1)");
    EXPECT_EQ(std::make_tuple(lage->minimum(), lage->maximum(), lage->value()),
              std::make_tuple(1, c->PointCount(kKurven, 1), c->LabelPoint(1)));
    lage->setValue(7);
    EXPECT_EQ(c->LabelPoint(1), 7);
    for (const auto& [k, n] : {std::pair{2, c->PointCount(kKurven, 2)}, std::pair{3, 1}}) {
        const QScrollBar* b = Control<QScrollBar>(("scrShiftLab(" + std::to_string(k) + ")").c_str());
        EXPECT_EQ(std::make_tuple(b->minimum(), b->maximum()), std::make_tuple(1, n)) << k;
    }

    // A cancelled label font leaves everything as it was.
    naechsteSchrift.reset();
    const QFont vorher = c->LabelFont(1);
    Klick("cmdFontLabel");
    EXPECT_EQ(c->LabelFont(1), vorher);
    EXPECT_FALSE(c->IsRepaintSuspended());

}

TEST_F(Gestaltung, CurvePointsAsClipboardTextAndXYFile) {
    design::mnuKurvenDesign_Click(*f);
    QTabWidget* tabs = Control<QTabWidget>("tabKurven");
    EXPECT_EQ(std::make_pair(tabs->currentIndex(), tabs->isTabVisible(2)), std::make_pair(0, false));
    d->SetKurvenTabAktuell(2);  // as a right click on curve 2 does
    EXPECT_EQ(f->StatusPanel(1), KurvenInfo1[2]);
    Klick("cmdClipboard");
    const QStringList zeilen = QApplication::clipboard()->text().split("\r\n");
    const int n = c->PointCount(kKurven, 2);
    ASSERT_EQ(zeilen.size(), n + 1);  // every line ends with CR LF
    for (int i = 1; i <= n; i += 37) {
        const QStringList xy = zeilen[i - 1].split('\t');
        ASSERT_EQ(xy.size(), 2);
        const double t = platform::Val(xy[0].toStdString());
        EXPECT_NEAR(platform::Val(xy[1].toStdString()), 1 - std::exp(-0.1 * t), 1e-6);
    }

    // The same curve as an X-Y file headed "Kurvenpunkte"; a missing point is left out, and the
    // X-Y editor's reader gives the curve back at single precision.
    c->SetY(kKurven, 2, 5, platform::kChartHole);
    const QString pfad = testsupport::PicturePath("design_kurve.XY");
    QFile::remove(pfad);
    dialogs.saveAnswer = pfad.toStdString();
    Klick("cmdSaveCurveAsXY");
    EXPECT_EQ(dialogs.saveRequests.back().defaultSuffix, "XY");
    experiment::XYDateiInhalt datei;
    std::string fehler;
    ASSERT_TRUE(experiment::LeseXYDatei(dialogs.saveAnswer, datei, fehler)) << fehler;
    EXPECT_EQ(datei.kommentar, "Kurvenpunkte");
    ASSERT_EQ(datei.Anzahl(), n - 1);
    for (int i = 1, j = 1; i <= n; ++i) {
        if (i == 5) continue;
        EXPECT_FLOAT_EQ(datei.punkte[j].x, static_cast<float>(c->X(kKurven, 2, i))) << i;
        EXPECT_FLOAT_EQ(datei.punkte[j].y, static_cast<float>(c->Y(kKurven, 2, i))) << i;
        ++j;
    }
    // An empty curve beeps and writes nothing.
    QFile::remove(pfad);
    tabs->setCurrentIndex(2);
    Klick("cmdSaveCurveAsXY");
    EXPECT_EQ(std::make_tuple(rec.Beeps(), QFile::exists(pfad), rec.Empty()), std::make_tuple(1, false, true));
}

TEST_F(Gestaltung, DeletingPointsAndCurves) {
    // A measured point set of two points.
    c->SetSeriesData(kPunkte, 4, {1.0, 2.0}, {0.5, 0.25});
    rec.QueueAnswer(platform::AnswerNo);
    d->DeleteSingleMeasuringPoint(4, 1);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Löschen eines einzelnen Messpunktes");
    EXPECT_NE(rec.Last().prompt.find("Dieser Messpunkt-Satz enthält 2 Einzel-Messpunkte\r\n"), std::string::npos);
    EXPECT_NE(rec.Last().prompt.find("mit den Koordinaten x =1,  y =0.5 \r\nwirklich löschen?\r\n\r\n"), std::string::npos)
        << rec.Last().prompt;
    EXPECT_EQ(c->PointCount(kPunkte, 4), 2);
    rec.QueueAnswer(platform::AnswerYes);
    d->DeleteSingleMeasuringPoint(4, 1);
    EXPECT_EQ(std::make_tuple(c->PointCount(kPunkte, 4), c->X(kPunkte, 4, 1)), std::make_tuple(1, 2.0));
    rec.QueueAnswer(platform::AnswerYes);
    d->DeleteSingleMeasuringPoint(4, 1);
    EXPECT_NE(rec.Last().prompt.find("enthält 1 Einzel-Messpunkt\r\n"), std::string::npos);
    EXPECT_EQ(std::make_tuple(c->PointCount(kPunkte, 4), Control<QLabel>("lblNumPoints(4)")->text()),
              std::make_tuple(0, QString("0")));
    // No point found: no question.
    rec.Clear();
    d->DeleteSingleMeasuringPoint(4, -1);
    d->DeleteCurvePoint(1, -1);
    EXPECT_TRUE(rec.Empty());

    // The last point of a curve only shortens it; a point in the middle moves the rest down.
    const int n = c->PointCount(kKurven, 1);
    const float dritter = static_cast<float>(c->X(kKurven, 1, 3));
    const float vorletzt = static_cast<float>(c->X(kKurven, 1, n - 1));
    for (int punkt : {n, 2}) {
        rec.QueueAnswer(platform::AnswerYes);
        d->DeleteCurvePoint(1, punkt);
    }
    EXPECT_EQ(rec.Last().title, "Löschen eines Kurvenpunktes");
    EXPECT_EQ(c->PointCount(kKurven, 1), n - 2);
    EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, 2)), dritter);
    EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, n - 2)), vorletzt);

    // The curve tab's delete button deletes its slot.
    design::mnuKurvenDesign_Click(*f);
    Control<QTabWidget>("tabKurven")->setCurrentIndex(1);
    Klick("cmdDelKurv");
    EXPECT_EQ(std::make_tuple(KurveFrei[2], c->PointCount(kKurven, 2), nKurven), std::make_tuple(kTrue, 0, 1));
}

}  // namespace
