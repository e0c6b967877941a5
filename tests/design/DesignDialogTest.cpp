// The design dialog through its real controls: panels, colours and presets, styles, axis range,
// log axes, grid, texts, legend and labels; every change read back from the chart.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <cmath>

#include "kernel/State.h"
#include "platform/core/NumberFormat.h"
#include "tests/design/DesignTestSupport.h"

namespace {

using namespace kernel;
using designtest::kGruen;
using designtest::kRot;
using platform::ChartAxis;
using platform::ChartText;

constexpr int kKurven = 1;
constexpr int kPunkte = 2;

class Gestaltung : public designtest::DesignTest {};

TEST_F(Gestaltung, DialogLinksItselfAndPresetsTheNewDiagram) {
    Oeffne();
    EXPECT_EQ(&diagram::Gestaltung(), d);
    EXPECT_EQ(d->windowTitle().toStdString(), " Diagramm-Gestaltung");
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(c->PlotFrame());
    EXPECT_EQ(c->GridPattern(ChartAxis::X), platform::kLineDotted);  // "Gitter komplett", dotted
    EXPECT_EQ(c->GridPattern(ChartAxis::Y), platform::kLineDotted);
    EXPECT_EQ(c->LegendBorder(), platform::kBorderPlain);
    EXPECT_EQ(c->AxisTitleRotation(ChartAxis::Y), platform::kTextVertical);
    // The range fields show the range in force and the spacing fields the chart's spacings.
    EXPECT_FLOAT_EQ(static_cast<float>(platform::Val(Control<QLineEdit>("Tabcoord(2)")->text().toStdString())), DiagRec.xMax);
    EXPECT_FLOAT_EQ(static_cast<float>(platform::Val(Control<QLineEdit>("txtXGridValue")->text().toStdString())),
                    static_cast<float>(c->Spacing(ChartAxis::X, platform::AxisSpacing::Grid)));
    EXPECT_FALSE(Control<QLineEdit>("txtXGridValue")->isEnabled());
    EXPECT_FALSE(d->isVisible());
}

TEST_F(Gestaltung, PanelsShowOneAtATimeAndTheCloseBoxOnlyHides) {
    Oeffne();
    d->FormGST_Show(1);
    ASSERT_TRUE(d->isVisible());
    EXPECT_TRUE(d->panel[1]->isVisible());
    const QPoint erst = d->pos();
    d->FormGST_Show(2);
    EXPECT_FALSE(d->panel[1]->isVisible());
    EXPECT_TRUE(d->panel[2]->isVisible());
    EXPECT_EQ(d->pos(), erst);  // placed once, never moved again
    EXPECT_EQ(d->size(), d->panel[2]->size());
    d->FormGST_Show(7);
    for (int i = 1; i <= 6; ++i) EXPECT_FALSE(d->panel[i]->isVisible()) << i;
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->AktShowType(), 7);

    Control<QLineEdit>("txtLegend(1)")->setText("A-Kurve");
    int cancel = 0;
    d->Form_QueryUnload(cancel, 0);
    EXPECT_EQ(cancel, 1);
    EXPECT_FALSE(d->isVisible());
    d->FormGST_Show(2);
    EXPECT_EQ(Control<QLineEdit>("txtLegend(1)")->text(), "A-Kurve");
    d->DeleteAllDesignFrames();
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->panel[2]->isVisible());

}

TEST_F(Gestaltung, SheetColoursGoToTheChartAndTheSharedVariables) {
    Oeffne();
    naechsteFarbe = kRot;
    Klick("cmdRandCol_out");
    EXPECT_EQ(c->ChartBackColor(), kRot);
    EXPECT_EQ(ColOuterMargin, kRot);
    naechsteFarbe = kGruen;
    Klick("cmdColorPlotArea");
    EXPECT_EQ(c->PlotAreaBackColor(), kGruen);
    EXPECT_EQ(ColPlotArea, kGruen);
    Klick("cmdGitterFarbe");
    EXPECT_EQ(c->GridColor(ChartAxis::X), kGruen);
    EXPECT_EQ(c->GridColor(ChartAxis::Y), kGruen);
    EXPECT_EQ(ColGrid, kGruen);

    // A cancelled colour dialog changes nothing.
    naechsteFarbe.reset();
    Klick("cmdRandCol_in");
    Klick("cmdDiaAxColor");
    EXPECT_EQ(c->ChartBackColor(), kRot);
    EXPECT_EQ(c->ChartAreaForeColor(), ColAxis);

    // The frame colour changes the axes but is not remembered; the axis colour is.
    const int achse = ColAxis;
    naechsteFarbe = kRot;
    Klick("cmdDiaFrameColor");
    EXPECT_EQ(c->ChartAreaForeColor(), kRot);
    EXPECT_EQ(ColAxis, achse);
    naechsteFarbe = kGruen;
    Klick("cmdDiaAxColor");
    EXPECT_EQ(c->ChartAreaForeColor(), kGruen);
    EXPECT_EQ(ColAxis, kGruen);
}

TEST_F(Gestaltung, ColourPresets) {
    Oeffne();
    Klick("cmdFullBlack");
    EXPECT_EQ(BlackSheet, kTrue);
    EXPECT_EQ(c->ChartAreaBackColor(), 0);
    EXPECT_EQ(c->PlotAreaBackColor(), 0);
    EXPECT_EQ(c->ChartAreaForeColor(), 0xFFFFFF);
    EXPECT_EQ(c->GridColor(ChartAxis::Y), 0xFFFFFF);
    EXPECT_EQ(c->TextBlockForeColor(ChartText::Header), 0xFFFFFF);
    EXPECT_EQ(c->LegendBackColor(), 0xFFFFFF);  // the legend stays black on white

    // The grey margins leave grid, frame and the black flag alone.
    Klick("cmdRandColGrau");
    const int grau = platform::Chart2D::Rgb(245, 245, 245);
    EXPECT_EQ(c->ChartAreaBackColor(), grau);
    EXPECT_EQ(c->PlotAreaBackColor(), 0xFFFFFF);
    EXPECT_EQ(c->GridColor(ChartAxis::X), 0xFFFFFF);
    EXPECT_EQ(BlackSheet, kTrue);
    EXPECT_EQ(ColHeaderBack, 0xFFFFFF);

    // The standard preset: white sheet, light-grey plot area, grid in the chosen line style.
    Control<QRadioButton>("opt2Gitter(1)")->click();  // solid lines
    Klick("cmdPlotAreaColGrey");
    EXPECT_EQ(BlackSheet, kFalse);
    EXPECT_EQ(c->PlotAreaBackColor(), platform::Chart2D::Rgb(251, 251, 251));
    EXPECT_EQ(c->ChartBackColor(), 0xFFFFFF);
    EXPECT_EQ(c->GridPattern(ChartAxis::X), platform::kLineSolid);
    EXPECT_EQ(c->GridColor(ChartAxis::X), 0);
}

TEST_F(Gestaltung, CurveAndPointSetStyles) {
    Oeffne();
    QComboBox* stil = Control<QComboBox>("cmbKStil(1)");
    EXPECT_EQ(stil->itemText(1).size(), 29);
    stil->setCurrentIndex(0);
    emit stil->activated(0);
    EXPECT_EQ(c->LinePattern(kKurven, 1), platform::kLineNone);
    EXPECT_EQ(c->SymbolShape(kKurven, 1), platform::kSymbolDot);
    EXPECT_EQ(c->SymbolSize(kKurven, 1), 1);
    stil->setCurrentIndex(3);
    emit stil->activated(3);
    EXPECT_EQ(c->LinePattern(kKurven, 1), platform::kLineDashed);
    EXPECT_EQ(c->SymbolShape(kKurven, 1), platform::kSymbolNone);

    // A colour for an occupied slot recolours the curve and paints the free slots' swatches.
    const int vorwahl = FarbVorwahl;
    naechsteFarbe = kRot;
    Klick("cmdKurvenFarbe(2)");
    EXPECT_EQ(c->LineColor(kKurven, 2), kRot);
    EXPECT_EQ(c->SymbolColor(kKurven, 2), kRot);
    EXPECT_EQ(KurvenFarbe[2], kRot);
    EXPECT_EQ(FarbVorwahl, vorwahl);
    EXPECT_EQ(design::SwatchFarbe(Control<QPushButton>("cmdKurvenFarbe(7)")), kRot);
    // On a free slot it becomes the colour of the next curve.
    naechsteFarbe = kGruen;
    Klick("cmdKurvenFarbe(5)");
    EXPECT_EQ(FarbVorwahl, kGruen);

    Control<QSpinBox>("UpDown1_KBreite(1)")->setValue(4);
    EXPECT_EQ(c->LineWidth(kKurven, 1), 4);
    Control<QLineEdit>("txtLegend(1)")->setText("c(A) gemessen");
    EXPECT_EQ(c->LegendText(kKurven, 1), "c(A) gemessen");

    // Point sets: symbol, colour, size, legend text.
    QComboBox* punkt = Control<QComboBox>("cmbPunktStil(3)");
    punkt->setCurrentIndex(7);
    emit punkt->activated(7);
    EXPECT_EQ(c->SymbolShape(kPunkte, 3), platform::kSymbolOpenBox);
    punkt->setCurrentIndex(12);
    emit punkt->activated(12);
    EXPECT_EQ(c->SymbolShape(kPunkte, 3), platform::kSymbolNone);
    naechsteFarbe = kGruen;
    Klick("cmdPunktFarbe(3)");
    EXPECT_EQ(c->SymbolColor(kPunkte, 3), kGruen);
    EXPECT_EQ(PunktsatzFarbe[3], kGruen);
    Control<QSpinBox>("UpDown1_PointSize(3)")->setValue(11);
    EXPECT_EQ(c->SymbolSize(kPunkte, 3), 11);
    Control<QLineEdit>("txtLegPoints(3)")->setText("Messung");
    EXPECT_EQ(c->LegendText(kPunkte, 3), "P.3  Messung");
    Control<QLineEdit>("txtLegPoints(3)")->clear();
    EXPECT_EQ(c->LegendText(kPunkte, 3), "P.3  ");
}

TEST_F(Gestaltung, AxisRangeIsCheckedAndApplied) {
    Oeffne();
    auto feld = [this](const char* set, int i) { return Control<QLineEdit>((std::string(set) + "(" + std::to_string(i) + ")").c_str()); };
    feld("Tabcoord", 1)->setText("-1");
    feld("Tabcoord", 2)->setText("0");
    feld("Tabcoord", 3)->setText("2E-3");
    feld("Tabcoord", 4)->setText("0.75");
    d->FormGST_Show(1);
    Klick("cmdTabCoord_OK");
    EXPECT_TRUE(rec.Empty());
    EXPECT_FLOAT_EQ(DiagRec.xMin, -1);
    EXPECT_FLOAT_EQ(DiagRec.yMin, 0.002f);
    EXPECT_DOUBLE_EQ(c->AxisMin(ChartAxis::X), -1);
    EXPECT_DOUBLE_EQ(c->AxisMax(ChartAxis::X), 0);
    EXPECT_FLOAT_EQ(static_cast<float>(c->AxisMax(ChartAxis::Y)), 0.75f);
    EXPECT_FLOAT_EQ(static_cast<float>(c->AxisMax(ChartAxis::Y2)), 0.75f);
    EXPECT_FLOAT_EQ(static_cast<float>(c->Y(kKurven, diagram::kRahmenSerie, 2)), 0.75f);
    EXPECT_FALSE(d->isVisible());
    // The spacing fields follow the new range.
    EXPECT_FLOAT_EQ(static_cast<float>(platform::Val(Control<QLineEdit>("txtYGridValue")->text().toStdString())),
                    static_cast<float>(c->Spacing(ChartAxis::Y, platform::AxisSpacing::Grid)));

    // Equal bounds are refused on the range panel, which stays open with the stored range.
    f->mnuCoord_Click();
    feld("coord", 1)->setText("5");
    feld("coord", 2)->setText("5");
    Klick("cmdCoord_OK");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "EINGABE-FEHLER");
    EXPECT_EQ(rec.Last().prompt, "Untere Grenze muss kleiner als obere Grenze sein");
    EXPECT_EQ(feld("coord", 1)->text(), "-1");
    EXPECT_DOUBLE_EQ(c->AxisMin(ChartAxis::X), -1);
    EXPECT_TRUE(d->isVisible());
    // Letters read as 0: x from 0 to 5.
    feld("coord", 1)->setText("abc");
    feld("coord", 2)->setText("5");
    Klick("cmdCoord_OK");
    EXPECT_DOUBLE_EQ(c->AxisMin(ChartAxis::X), 0);
    EXPECT_DOUBLE_EQ(c->AxisMax(ChartAxis::X), 5);
    EXPECT_FLOAT_EQ(DiagRec.xMax2, 5);

    // Key filter: a comma becomes a point, letters other than E are refused.
    QLineEdit* y = feld("coord", 4);
    y->clear();
    QTest::keyClicks(y, "1,5x");
    EXPECT_EQ(y->text(), "1.5");
    // Enter in y(max) goes on to x(min) of the same set.
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    y->setFocus();
    QTest::keyClick(y, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), feld("coord", 1));
}

TEST_F(Gestaltung, LogAxesAndGrid) {
    Oeffne();
    ASSERT_LE(c->AxisMin(ChartAxis::Y), 0);  // concentrations start at 0
    Klick("cmdYLog");
    EXPECT_TRUE(c->AxisLog(ChartAxis::Y));
    EXPECT_TRUE(c->AxisLog(ChartAxis::Y2));
    EXPECT_GT(c->AxisMin(ChartAxis::Y), 0);
    EXPECT_EQ(Control<QLineEdit>("txtYGridValue")->text().toStdString(),
              platform::CStrSingle(static_cast<float>(c->Spacing(ChartAxis::Y, platform::AxisSpacing::Grid))));
    Klick("cmdYLog");
    EXPECT_FALSE(c->AxisLog(ChartAxis::Y));
    EXPECT_FALSE(c->AxisLog(ChartAxis::Y2));
    Klick("cmdXLog");
    EXPECT_TRUE(c->AxisLog(ChartAxis::X));

    Control<QRadioButton>("opt1Gitter(2)")->click();  // x grid only
    Control<QRadioButton>("opt2Gitter(1)")->click();  // solid
    EXPECT_EQ(GridModus, platform::kLineSolid);
    EXPECT_EQ(c->GridPattern(ChartAxis::X), platform::kLineSolid);
    EXPECT_EQ(c->GridPattern(ChartAxis::Y), platform::kLineNone);
    Control<QRadioButton>("opt1Gitter(0)")->click();
    EXPECT_EQ(c->GridPattern(ChartAxis::X), platform::kLineNone);
}

TEST_F(Gestaltung, HeaderExtraTextAndAxisTitles) {
    Oeffne();
    design::mnuTextDesign_Click(*f, 1);
    ASSERT_TRUE(d->panel[4]->isVisible());
    EXPECT_EQ(d->panel[4]->title().toStdString(), "Kopftext gestalten");
    QPlainTextEdit* s = Control<QPlainTextEdit>("schrift");
    EXPECT_EQ(s->toPlainText().toStdString(), c->TextBlock(ChartText::Header));
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
    naechsteFarbe = kGruen;
    Klick("cmdSchriftHFarbe");
    EXPECT_EQ(c->TextBlockBackColor(ChartText::Header), kGruen);

    // The extra text: its own position, the header stays.
    const int kopfOben = c->TextBlockTop(ChartText::Header);
    Klick("cmdZusatzzeileDesign");
    EXPECT_EQ(GrafAusgabeModus, 2);
    s->setPlainText("Ergebnis: k = 0.1");
    EXPECT_EQ(c->TextBlock(ChartText::Footer), "Ergebnis: k = 0.1");
    Control<QScrollBar>("VScroll1")->setValue(120);
    EXPECT_EQ(c->TextBlockTop(ChartText::Footer), 120);
    EXPECT_EQ(c->TextBlockTop(ChartText::Header), kopfOben);

    // Axis titles: the y title keeps trailing blanks, the x title loses them; fonts from the dialog.
    c->SetAxisTitle(ChartAxis::Y, "c / (mol/L)  ");
    design::mnuTextDesign_Click(*f, 4);
    EXPECT_EQ(s->toPlainText().toStdString(), "c / (mol/L)  ");
    EXPECT_FALSE(Control<QPushButton>("cmdSchriftHFarbe")->isEnabled());
    EXPECT_TRUE(Control<QGroupBox>("fraYText")->isEnabled());
    c->SetAxisTitle(ChartAxis::X, "t / s  ");
    design::mnuTextDesign_Click(*f, 3);
    EXPECT_EQ(s->toPlainText().toStdString(), "t / s");
    s->setPlainText("Zeit t / s");
    EXPECT_EQ(c->AxisTitle(ChartAxis::X), "Zeit t / s");
    EXPECT_TRUE(s->toolTip().isEmpty());
    QFont fett("Arial", 14);
    fett.setBold(true);
    naechsteSchrift = design::SchriftWahl{fett, kRot};
    Klick("cmdFont");
    EXPECT_TRUE(c->AxisTitleFont(ChartAxis::X).bold());
    EXPECT_EQ(c->AxisTitleColor(ChartAxis::X), kRot);
    EXPECT_FALSE(c->IsRepaintSuspended());
}

TEST_F(Gestaltung, LegendAndCurveLabels) {
    Oeffne();
    QCheckBox* legende = Control<QCheckBox>("chkLegend");
    legende->setChecked(false);
    EXPECT_FALSE(c->LegendShown());
    EXPECT_EQ(LegendVisible, 0);
    legende->setChecked(true);
    EXPECT_TRUE(c->LegendShown());
    Control<QCheckBox>("chkLegTransparent")->setChecked(true);
    EXPECT_EQ(c->LegendBackColor(), -1);
    naechsteFarbe = kGruen;
    Klick("cmdLegBColor");
    EXPECT_EQ(ColLegendBack, kGruen);
    Control<QCheckBox>("chkLegTransparent")->setChecked(false);
    EXPECT_EQ(c->LegendBackColor(), kGruen);

    // The legend menu refuses while no curve or point set has a legend text.
    for (int k = 1; k <= kMaxKurven; ++k) Control<QLineEdit>(("txtLegend(" + std::to_string(k) + ")").c_str())->clear();
    design::mnuDelLegend_Click(*f);
    EXPECT_FALSE(c->LegendShown());
    design::mnuAddLegend_Click(*f);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_FALSE(c->LegendShown());
    Control<QLineEdit>("txtLegPoints(3)")->setText("Messung");
    design::mnuAddLegend_Click(*f);
    EXPECT_TRUE(c->LegendShown());
    EXPECT_TRUE(legende->isChecked());

    // "alle unsichtbar" hides all labels and clears every "sichtbar" box.
    Control<QCheckBox>("chkLabelNotVisible")->setChecked(true);
    for (int k = 1; k <= kMaxKurven; ++k) EXPECT_FALSE(c->LabelShown(k)) << k;
    EXPECT_FALSE(Control<QCheckBox>("chkEinzelLabelSichtbar(1)")->isChecked());
    Control<QCheckBox>("chkLabelNotVisible")->setChecked(false);
    EXPECT_TRUE(c->LabelShown(2));
    EXPECT_FALSE(Control<QCheckBox>("chkEinzelLabelSichtbar(2)")->isChecked());
    Control<QCheckBox>("chkLabelFrame")->setChecked(true);
    EXPECT_EQ(c->LabelBorder(24), platform::kBorderPlain);
    Control<QLineEdit>("txtLabel(1)")->setText("A");
    EXPECT_EQ(c->LabelText(1), "A");
    QScrollBar* lage = Control<QScrollBar>("scrShiftLab(1)");
    lage->setValue(7);
    EXPECT_EQ(c->LabelPoint(1), 7);
    EXPECT_EQ(lage->maximum(), c->PointCount(kKurven, 1));

    // A cancelled label font leaves everything as it was.
    const QFont vorher = c->LabelFont(1);
    Klick("cmdFontLabel");
    EXPECT_EQ(c->LabelFont(1), vorher);
    EXPECT_FALSE(c->IsRepaintSuspended());

}

TEST_F(Gestaltung, CurvePointsAsClipboardText) {
    Oeffne();
    design::mnuKurvenDesign_Click(*f);
    QTabWidget* tabs = Control<QTabWidget>("tabKurven");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(1).toStdString(), "K. 2");
    EXPECT_FALSE(tabs->isTabVisible(2));
    tabs->setCurrentIndex(1);
    EXPECT_EQ(f->StatusPanel(1), KurvenInfo1[2]);
    Klick("cmdClipboard");
    const QStringList zeilen = QApplication::clipboard()->text().split("\r\n");
    const int n = c->PointCount(kKurven, 2);
    ASSERT_EQ(zeilen.size(), n + 1);  // every line ends with CR LF
    EXPECT_TRUE(zeilen.back().isEmpty());
    for (int i = 1; i <= n; i += 37) {
        const QStringList xy = zeilen[i - 1].split('\t');
        ASSERT_EQ(xy.size(), 2);
        const double t = platform::Val(xy[0].toStdString());
        EXPECT_NEAR(platform::Val(xy[1].toStdString()), 1 - std::exp(-0.1 * t), 1e-6);
    }
}

TEST_F(Gestaltung, DeletingPointsAndCurves) {
    Oeffne();
    // A measured point set of two points.
    c->SetSeriesData(kPunkte, 4, {1.0, 2.0}, {0.5, 0.25});
    rec.QueueAnswer(platform::vbNo);
    d->DeleteSingleMeasuringPoint(4, 1);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Löschen eines einzelnen Messpunktes");
    EXPECT_NE(rec.Last().prompt.find("Dieser Messpunkt-Satz enthält 2 Einzel-Messpunkte\r\n"), std::string::npos);
    EXPECT_NE(rec.Last().prompt.find("mit den Koordinaten x =1,  y =0.5 \r\nwirklich löschen?\r\n\r\n"), std::string::npos)
        << rec.Last().prompt;
    EXPECT_EQ(c->PointCount(kPunkte, 4), 2);
    EXPECT_EQ(Control<QLabel>("lblNumPoints(4)")->text(), "2");
    rec.QueueAnswer(platform::vbYes);
    d->DeleteSingleMeasuringPoint(4, 1);
    EXPECT_EQ(c->PointCount(kPunkte, 4), 1);
    EXPECT_DOUBLE_EQ(c->X(kPunkte, 4, 1), 2.0);
    rec.QueueAnswer(platform::vbYes);
    d->DeleteSingleMeasuringPoint(4, 1);
    EXPECT_NE(rec.Last().prompt.find("enthält 1 Einzel-Messpunkt\r\n"), std::string::npos);
    EXPECT_EQ(c->PointCount(kPunkte, 4), 0);
    EXPECT_EQ(Control<QLabel>("lblNumPoints(4)")->text(), "0");
    // No point found: no question.
    rec.Clear();
    d->DeleteSingleMeasuringPoint(4, -1);
    d->DeleteCurvePoint(1, -1);
    EXPECT_TRUE(rec.Empty());

    // The last point of a curve only shortens it.
    const int n = c->PointCount(kKurven, 1);
    const double vorletzt = c->X(kKurven, 1, n - 1);
    rec.QueueAnswer(platform::vbYes);
    d->DeleteCurvePoint(1, n);
    EXPECT_EQ(rec.Last().title, "Löschen eines Kurvenpunktes");
    EXPECT_EQ(c->PointCount(kKurven, 1), n - 1);
    EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, n - 1)), static_cast<float>(vorletzt));
    // A point in the middle moves the rest down.
    const double dritter = c->X(kKurven, 1, 3);
    rec.QueueAnswer(platform::vbYes);
    d->DeleteCurvePoint(1, 2);
    EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, 2)), static_cast<float>(dritter));

    // The curve tab's delete button deletes its slot.
    design::mnuKurvenDesign_Click(*f);
    Control<QTabWidget>("tabKurven")->setCurrentIndex(1);
    Klick("cmdDelKurv");
    EXPECT_EQ(KurveFrei[2], kTrue);
    EXPECT_EQ(c->PointCount(kKurven, 2), 0);
    EXPECT_EQ(nKurven, 1);
}

}  // namespace
