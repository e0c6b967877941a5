// The design dialog: curve and point-set styles, legend, curve labels and frames, the sheet colours
// and the colour presets.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <array>
#include <cmath>

#include "design/DesignDialogs.h"
#include "design/GestaltungIntern.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/core/NumberFormat.h"

namespace design {

using namespace kernel;
using platform::Chart2D;
using platform::ChartAxis;
using platform::ChartText;

namespace {

constexpr int kKurven = 1;
constexpr int kPunkte = 2;
constexpr int kWeiss = 0xFFFFFF;
constexpr int kSchwarz = 0x000000;

// Curve style list index -> line pattern.
constexpr std::array<int, 5> kKurvenMuster = {platform::kLineNone, platform::kLineSolid, platform::kLineDotted,
                                              platform::kLineDashed, platform::kLineDashDot};
// Point style list index -> symbol shape.
constexpr std::array<int, 13> kPunktSymbol = {2, 3, 4, 5, 6, 9, 10, 11, 12, 14, 15, 16, 1};

// Repaint suspended for the lifetime of the object, resumed on every way out.
class Anhalten {
public:
    explicit Anhalten(Chart2D* c) : c_(c) {
        if (c_) c_->SetRepaintSuspended(true);
    }
    ~Anhalten() {
        if (c_) c_->SetRepaintSuspended(false);
    }
    Anhalten(const Anhalten&) = delete;
    Anhalten& operator=(const Anhalten&) = delete;

private:
    Chart2D* c_;
};

void Menue(const char* name, bool an) {
    if (!diagram::gDiagramm) return;
    if (QAction* a = diagram::gDiagramm->findChild<QAction*>(name)) a->setEnabled(an);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Curve and point-set styles

void frmTGraph2D_Gestaltung::cmbKStil_Click(int k) {
    Chart2D* c = DiagrammChart();
    const int i = cmbKStil[k]->currentIndex();
    if (!c || i < 0 || i >= static_cast<int>(kKurvenMuster.size())) return;
    c->SetLinePattern(kKurven, k, kKurvenMuster[static_cast<std::size_t>(i)]);
    if (i == 0) {
        c->SetSymbolShape(kKurven, k, platform::kSymbolDot);
        c->SetSymbolSize(kKurven, k, 1);
    } else {
        c->SetSymbolShape(kKurven, k, platform::kSymbolNone);
    }
}

void frmTGraph2D_Gestaltung::cmdKurvenFarbe_Click(int k) {
    Chart2D* c = DiagrammChart();
    const auto farbe = WaehleFarbe(c ? c->LineColor(kKurven, k) : SwatchFarbe(cmdKurvenFarbe[k]));
    if (!farbe) return;
    MaleSwatch(cmdKurvenFarbe[k], *farbe);
    if (c) {
        c->SetLineColor(kKurven, k, *farbe);
        c->SetSymbolColor(kKurven, k, *farbe);
    }
    if (diagram::gDiagramm) {
        MaleHintergrund(diagram::gDiagramm->findChild<QWidget*>("txtFarbeStatusbar2"), *farbe);
    }
    KurvenFarbe[static_cast<std::size_t>(k)] = *farbe;
    if (KurveFrei[static_cast<std::size_t>(k)]) FarbVorwahl = *farbe;
    for (int j = 1; j <= kMaxKurven; ++j)
        if (KurveFrei[static_cast<std::size_t>(j)]) MaleSwatch(cmdKurvenFarbe[j], *farbe);
}

void frmTGraph2D_Gestaltung::cmbPunktStil_Click(int k) {
    Chart2D* c = DiagrammChart();
    const int i = cmbPunktStil[k]->currentIndex();
    if (c && i >= 0 && i < static_cast<int>(kPunktSymbol.size()))
        c->SetSymbolShape(kPunkte, k, kPunktSymbol[static_cast<std::size_t>(i)]);
}

void frmTGraph2D_Gestaltung::cmdPunktFarbe_Click(int k) {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdPunktFarbe[k]));
    if (!farbe) return;
    MaleSwatch(cmdPunktFarbe[k], *farbe);
    if (Chart2D* c = DiagrammChart()) c->SetSymbolColor(kPunkte, k, *farbe);
    PunktsatzFarbe[static_cast<std::size_t>(k)] = *farbe;
}

void frmTGraph2D_Gestaltung::UpDown1_PointSize_Change(int k) {
    const double v = platform::Val(Label56[k]->text().toStdString());
    if (Chart2D* c = DiagrammChart()) c->SetSymbolSize(kPunkte, k, static_cast<int>(std::lround(v)));
}

void frmTGraph2D_Gestaltung::txtLegPoints_Change(int k) {
    if (Chart2D* c = DiagrammChart())
        c->SetLegendText(kPunkte, k, "P." + std::to_string(k) + "  " + Text(txtLegPoints[k]));
}

// ---------------------------------------------------------------------------------------------
// Legend, curve labels and frames

void frmTGraph2D_Gestaltung::chkDiaFrame_Click() {
    if (Chart2D* c = DiagrammChart()) c->SetPlotFrame(chkDiaFrame->isChecked());
}

void frmTGraph2D_Gestaltung::chkEinzelLabelSichtbar_Click(int k) {
    const bool an = chkEinzelLabelSichtbar[k]->isChecked();
    if (Chart2D* c = DiagrammChart()) c->SetLabelShown(k, an);
    if (an) Menue("mnuDelLabels", true);
}

void frmTGraph2D_Gestaltung::chkLabelNotVisible_Click() {
    const bool alleAus = chkLabelNotVisible->isChecked();
    Chart2D* c = DiagrammChart();
    for (int k = 1; k <= kMaxKurven; ++k) {
        if (c) c->SetLabelShown(k, !alleAus);
        if (alleAus) chkEinzelLabelSichtbar[k]->setChecked(false);
    }
    Menue("mnuDelLabels", !alleAus);
}

void frmTGraph2D_Gestaltung::chkLabelFrame_Click() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    const int art = chkLabelFrame->isChecked() ? platform::kBorderPlain : platform::kBorderNone;
    for (int k = 1; k <= kMaxKurven; ++k) c->SetLabelBorder(k, art);
}

void frmTGraph2D_Gestaltung::cmdFontLabel_Click() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    Anhalten halt(c);
    SchriftWahl wahl{c->LabelFont(1), c->LabelForeColor(1)};
    if (!WaehleSchrift(wahl)) return;
    for (int k = 1; k <= kMaxKurven; ++k) {
        c->SetLabelFont(k, wahl.font);
        c->SetLabelForeColor(k, wahl.farbe);
    }
}

void frmTGraph2D_Gestaltung::cmdLabelFColor_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdLabelFColor));
    if (!farbe) return;
    Chart2D* c = DiagrammChart();
    Anhalten halt(c);
    for (int k = 1; c && k <= kMaxKurven; ++k) c->SetLabelForeColor(k, *farbe);
    MaleSwatch(cmdLabelFColor, *farbe);
}

void frmTGraph2D_Gestaltung::cmdLabelBColor_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdLabelBColor));
    if (!farbe) return;
    Chart2D* c = DiagrammChart();
    Anhalten halt(c);
    for (int k = 1; c && k <= kMaxKurven; ++k) c->SetLabelBackColor(k, *farbe);
    MaleSwatch(cmdLabelBColor, *farbe);
}

void frmTGraph2D_Gestaltung::chkLegend_Click() {
    LegendVisible = chkLegend->isChecked() ? 1 : 0;
    if (Chart2D* c = DiagrammChart()) c->SetLegendShown(LegendVisible != 0);
    Menue("mnuDelLegend", LegendVisible != 0);
    Menue("mnuDelLegendZeile", LegendVisible != 0);
    Menue("mnuAddLegend", LegendVisible == 0);
}

void frmTGraph2D_Gestaltung::chkLegTransparent_Click() {
    if (Chart2D* c = DiagrammChart()) c->SetLegendBackColor(chkLegTransparent->isChecked() ? -1 : ColLegendBack);
}

void frmTGraph2D_Gestaltung::cmdLegBColor_Click() {
    const auto farbe = WaehleFarbe(ColLegendBack);
    if (!farbe) return;
    if (Chart2D* c = DiagrammChart()) c->SetLegendBackColor(*farbe);
    ColLegendBack = *farbe;
    MaleSwatch(cmdLegBColor, ColLegendBack);
}

void frmTGraph2D_Gestaltung::cmdLegFColor_Click() {
    const auto farbe = WaehleFarbe(ColLegendFore);
    if (!farbe) return;
    if (Chart2D* c = DiagrammChart()) c->SetLegendForeColor(*farbe);
    ColLegendFore = *farbe;
    MaleSwatch(cmdLegFColor, ColLegendFore);
}

void frmTGraph2D_Gestaltung::cmdLegFont_Click() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    Anhalten halt(c);
    SchriftWahl wahl{c->LegendFont(), c->LegendForeColor()};
    if (!WaehleSchrift(wahl)) return;
    c->SetLegendFont(wahl.font);
    c->SetLegendForeColor(wahl.farbe);
    ColLegendFore = wahl.farbe;
    MaleSwatch(cmdLegFColor, ColLegendFore);
}

void frmTGraph2D_Gestaltung::chkTextFrame_Click() {
    Chart2D* c = DiagrammChart();
    if (!c || (GrafAusgabeModus != 1 && GrafAusgabeModus != 2)) return;
    c->SetTextBlockBorder(GrafAusgabeModus == 1 ? ChartText::Header : ChartText::Footer,
                          chkTextFrame->isChecked() ? platform::kBorderPlain : platform::kBorderNone);
}

// ---------------------------------------------------------------------------------------------
// Colours and margins

void frmTGraph2D_Gestaltung::cmdRandCol_in_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdRandCol_in));
    Chart2D* c = DiagrammChart();
    if (!farbe || !c) return;
    c->SetChartAreaBackColor(*farbe);
    ColInnerMargin = c->ChartAreaBackColor();
    ColSheetFore = c->ChartAreaForeColor();
    MaleSwatch(cmdRandCol_in, ColInnerMargin);
}

void frmTGraph2D_Gestaltung::cmdRandCol_out_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdRandCol_out));
    Chart2D* c = DiagrammChart();
    if (!farbe || !c) return;
    c->SetChartBackColor(*farbe);
    ColOuterMargin = c->ChartBackColor();
    MaleSwatch(cmdRandCol_out, ColOuterMargin);
}

void frmTGraph2D_Gestaltung::cmdColorPlotArea_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdColorPlotArea));
    Chart2D* c = DiagrammChart();
    if (!farbe || !c) return;
    c->SetPlotAreaBackColor(*farbe);
    ColPlotArea = c->PlotAreaBackColor();
    MaleSwatch(cmdColorPlotArea, ColPlotArea);
}

void frmTGraph2D_Gestaltung::cmdGitterFarbe_Click() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    const auto farbe = WaehleFarbe(c->GridColor(ChartAxis::X));
    if (!farbe) return;
    c->SetGridColor(ChartAxis::X, *farbe);
    c->SetGridColor(ChartAxis::Y, *farbe);
    ColGrid = c->GridColor(ChartAxis::X);
    MaleSwatch(cmdGitterFarbe, ColGrid);
}

void frmTGraph2D_Gestaltung::cmdDiaAxColor_Click() {
    MaleSwatch(cmdDiaAxColor, ColAxis);
    const auto farbe = WaehleFarbe(ColAxis);
    if (!farbe) return;
    if (Chart2D* c = DiagrammChart()) c->SetChartAreaForeColor(*farbe);
    ColAxis = *farbe;
    MaleSwatch(cmdDiaAxColor, *farbe);
}

void frmTGraph2D_Gestaltung::cmdDiaFrameColor_Click() {
    MaleSwatch(cmdDiaFrameColor, kSchwarz);
    const auto farbe = WaehleFarbe(letzteFrameFarbe_);
    if (!farbe) return;
    letzteFrameFarbe_ = *farbe;
    if (Chart2D* c = DiagrammChart()) c->SetChartAreaForeColor(*farbe);
    MaleSwatch(cmdDiaFrameColor, *farbe);
}

void frmTGraph2D_Gestaltung::chkAutoRand_Click() {
    const bool frei = !chkAutoRand->isChecked();
    for (QLabel* l : lb) l->setEnabled(frei);
    for (QScrollBar* s : {scrHL, scrHR, scrHO, scrHU}) s->setEnabled(frei);
    frRandBreite->setEnabled(frei);
    if (frei) return;
    if (Chart2D* c = DiagrammChart())
        for (auto seite : {platform::MarginSide::Left, platform::MarginSide::Top, platform::MarginSide::Right,
                           platform::MarginSide::Bottom})
            c->SetPlotMarginAuto(seite, true);
}

// ---------------------------------------------------------------------------------------------
// Colour presets

void frmTGraph2D_Gestaltung::LegendenSchema() {
    if (Chart2D* c = DiagrammChart()) {
        c->SetLegendForeColor(kSchwarz);
        c->SetLegendBackColor(kWeiss);
    }
    ColLegendFore = kSchwarz;
    ColLegendBack = kWeiss;
    MaleSwatch(cmdLegBColor, ColLegendBack);
    MaleSwatch(cmdLegFColor, ColLegendFore);
}

void frmTGraph2D_Gestaltung::cmdFullBlack_Click() {
    BlackSheet = kTrue;
    Chart2D* c = DiagrammChart();
    {
        Anhalten halt(c);
        if (c) {
            c->SetChartBackColor(kSchwarz);
            for (auto t : {ChartText::Header, ChartText::Footer}) {
                c->SetTextBlockForeColor(t, kWeiss);
                c->SetTextBlockBackColor(t, kSchwarz);
            }
            c->SetChartAreaBackColor(kSchwarz);
        }
        for (QPushButton* b : {cmdColorPlotArea, cmdRandCol_out, cmdRandCol_in}) MaleSwatch(b, kSchwarz);
        ColPlotArea = ColOuterMargin = ColInnerMargin = kSchwarz;
        if (c) c->SetChartAreaForeColor(kWeiss);
        ColAxis = ColSheetFore = ColGrid = kWeiss;
        if (c) {
            for (auto a : {ChartAxis::X, ChartAxis::Y}) {
                c->SetGridPattern(a, platform::kLineDotted);
                c->SetGridColor(a, kWeiss);
            }
            c->SetPlotAreaBackColor(kSchwarz);
        }
        LegendenSchema();
    }
}

void frmTGraph2D_Gestaltung::cmdFullWhite_Click() {
    BlackSheet = kFalse;
    Chart2D* c = DiagrammChart();
    Anhalten halt(c);
    if (c) {
        c->SetChartBackColor(kWeiss);
        for (auto t : {ChartText::Header, ChartText::Footer}) {
            c->SetTextBlockForeColor(t, kSchwarz);
            c->SetTextBlockBackColor(t, kWeiss);
        }
        c->SetChartAreaBackColor(kWeiss);
        c->SetChartAreaForeColor(kSchwarz);
    }
    for (QPushButton* b : {cmdRandCol_out, cmdRandCol_in, cmdColorPlotArea}) MaleSwatch(b, kWeiss);
    ColOuterMargin = ColInnerMargin = ColPlotArea = kWeiss;
    if (c) c->SetPlotFrame(true);
    ColGrid = ColAxis = ColHeaderFore = kSchwarz;
    ColHeaderBack = kWeiss;
    if (c) {
        for (auto a : {ChartAxis::X, ChartAxis::Y}) {
            c->SetGridPattern(a, GridModus);
            c->SetGridColor(a, kSchwarz);
        }
        MaleSwatch(cmdGitterFarbe, c->GridColor(ChartAxis::X));
        c->SetPlotAreaBackColor(kWeiss);
    }
    LegendenSchema();
}

void frmTGraph2D_Gestaltung::cmdRandColGrau_Click() {
    constexpr int kGrau = Chart2D::Rgb(245, 245, 245);
    Chart2D* c = DiagrammChart();
    {
        Anhalten halt(c);
        if (c) {
            for (auto t : {ChartText::Header, ChartText::Footer}) {
                c->SetTextBlockForeColor(t, kSchwarz);
                c->SetTextBlockBackColor(t, kGrau);
            }
            c->SetPlotAreaBackColor(kWeiss);
        }
        ColPlotArea = kWeiss;
        if (c) c->SetChartAreaBackColor(kGrau);
        ColInnerMargin = kGrau;
        if (c) c->SetChartAreaForeColor(kSchwarz);
        ColSheetFore = kSchwarz;
        if (c) c->SetChartBackColor(kGrau);
        MaleSwatch(cmdColorPlotArea, kWeiss);
        MaleSwatch(cmdRandCol_in, kGrau);
        MaleSwatch(cmdRandCol_out, kGrau);
        ColOuterMargin = kGrau;
        ColAxis = ColHeaderFore = kSchwarz;
        ColHeaderBack = kWeiss;
    }
    LegendenSchema();
}

void frmTGraph2D_Gestaltung::cmdPlotAreaColGrey_Click() {
    constexpr int kHellgrau = Chart2D::Rgb(251, 251, 251);
    cmdFullWhite_Click();
    if (Chart2D* c = DiagrammChart()) c->SetPlotAreaBackColor(kHellgrau);
    ColPlotArea = kHellgrau;
    ColAxis = ColHeaderFore = kSchwarz;
    ColHeaderBack = kWeiss;
    MaleSwatch(cmdColorPlotArea, kHellgrau);
    MaleSwatch(cmdRandCol_out, kWeiss);
    MaleSwatch(cmdRandCol_in, kWeiss);
    LegendenSchema();
}

}  // namespace design
