// The design dialog: header and extra text lines and axis titles, their fonts, colours and
// positions; legend frame, orientation and position; plot-area margins; the texts, label position
// and line width of single curves.
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <cmath>

#include "design/DesignDialogs.h"
#include "design/DiagramMenus.h"
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
constexpr QChar kZeilenMarke(127);

// The chart's text blocks break lines at a carriage return; the text box at a line feed.
std::string AlsChartText(QString text) { return text.replace('\n', '\r').toStdString(); }

bool IstTextBlock() { return GrafAusgabeModus == 1 || GrafAusgabeModus == 2; }
ChartText Block() { return GrafAusgabeModus == 1 ? ChartText::Header : ChartText::Footer; }

void Bereich(QScrollBar* s, int min, int max, int schritt) {
    const QSignalBlocker b(s);
    s->setRange(min, std::max(min, max));
    s->setSingleStep(schritt);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Text panel

void frmTGraph2D_Gestaltung::schrift_KeyPress(int& keyAscii) {
    if (keyAscii == 10) keyAscii = 127;
}

void frmTGraph2D_Gestaltung::schrift_Change() {
    QString text = schrift->toPlainText();
    if (text.contains(kZeilenMarke)) {
        text.replace(kZeilenMarke, '\n');
        schrift->setPlainText(text);  // runs this handler again without the mark
        QTextCursor cur = schrift->textCursor();
        cur.movePosition(QTextCursor::End);
        schrift->setTextCursor(cur);
        return;
    }
    schrift->setToolTip(QString::fromUtf8("neue Zeile einfügen: <Strg><Enter>"));
    Chart2D* c = DiagrammChart();
    if (!c) return;
    switch (GrafAusgabeModus) {
    case 1: c->SetTextBlock(ChartText::Header, AlsChartText(text)); break;
    case 2: c->SetTextBlock(ChartText::Footer, AlsChartText(text)); break;
    case 3:
        schrift->setToolTip(QString());
        c->SetAxisTitle(ChartAxis::X, AlsChartText(text));
        break;
    case 4:
        schrift->setToolTip(QString());
        c->SetAxisTitle(ChartAxis::Y, AlsChartText(text));
        break;
    default: break;
    }
}

void frmTGraph2D_Gestaltung::HScroll1_Change() {
    Bereich(HScroll1, 0, 800, 3);
    Chart2D* c = DiagrammChart();
    if (c && IstTextBlock()) c->SetTextBlockLocation(Block(), HScroll1->value(), c->TextBlockTop(Block()));
}

void frmTGraph2D_Gestaltung::VScroll1_Change() {
    Bereich(VScroll1, 0, 800, 3);
    Chart2D* c = DiagrammChart();
    if (c && IstTextBlock()) c->SetTextBlockLocation(Block(), c->TextBlockLeft(Block()), VScroll1->value());
}

void frmTGraph2D_Gestaltung::cmdSchriftHFarbe_Click() {
    const auto farbe = WaehleFarbe(SwatchFarbe(cmdSchriftHFarbe));
    if (!farbe || !IstTextBlock()) return;
    if (Chart2D* c = DiagrammChart()) c->SetTextBlockBackColor(Block(), *farbe);
    MaleSwatch(cmdSchriftHFarbe, *farbe);
}

void frmTGraph2D_Gestaltung::cmdFont_Click() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    c->SetRepaintSuspended(true);
    const int ziel = GrafAusgabeModus;
    const ChartAxis achse = ziel == 3 ? ChartAxis::X : ChartAxis::Y;
    SchriftWahl wahl;
    if (ziel == 1 || ziel == 2) {
        wahl = {c->TextBlockFont(Block()), c->TextBlockForeColor(Block())};
    } else if (ziel == 3 || ziel == 4) {
        wahl = {c->AxisTitleFont(achse), c->AxisTitleColor(achse)};
    }
    if (WaehleSchrift(wahl)) {
        if (ziel == 1 || ziel == 2) {
            c->SetTextBlockFont(Block(), wahl.font);
            c->SetTextBlockForeColor(Block(), wahl.farbe);
        } else if (ziel == 3 || ziel == 4) {
            c->SetAxisTitleFont(achse, wahl.font);
            c->SetAxisTitleColor(achse, wahl.farbe);
        }
    }
    c->SetRepaintSuspended(false);
}

void frmTGraph2D_Gestaltung::cmdSchriftFertig_Click() { FormGST_Hide(true); }

void frmTGraph2D_Gestaltung::cmdHeaderDesign_Click() {
    mnuTextDesign_Click(diagram::gDiagramm ? *diagram::gDiagramm : diagram::frmTGraph2D::Instanz(), 1);
}

void frmTGraph2D_Gestaltung::cmdZusatzzeileDesign_Click() {
    mnuTextDesign_Click(diagram::gDiagramm ? *diagram::gDiagramm : diagram::frmTGraph2D::Instanz(), 2);
}

// ---------------------------------------------------------------------------------------------
// Legend placement and plot-area margins

void frmTGraph2D_Gestaltung::chkLegFrame_Click() {
    if (Chart2D* c = DiagrammChart())
        c->SetLegendBorder(chkLegFrame->isChecked() ? platform::kBorderPlain : platform::kBorderNone);
}

void frmTGraph2D_Gestaltung::optLegOrient_Click(int index) {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    if (index == 0) c->SetLegendOrientation(platform::kLegendHorizontal);
    if (index == 1) c->SetLegendOrientation(platform::kLegendVertical);
}

void frmTGraph2D_Gestaltung::scrLegH_Change() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    Bereich(scrLegH, 0, c->ChartAreaWidth() + 100, 5);
    c->SetLegendLocation(scrLegH->value(), c->LegendTop());
}

void frmTGraph2D_Gestaltung::scrlegV_Change() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    Bereich(scrlegV, 0, c->ChartAreaHeight() - c->LegendHeight(), 5);
    c->SetLegendLocation(c->LegendLeft(), scrlegV->value());
}

void frmTGraph2D_Gestaltung::scrMargin_Change(int side) {
    struct Rand {
        QScrollBar* leiste;
        platform::MarginSide seite;
        int min, max;
    };
    const Rand raender[4] = {{scrHL, platform::MarginSide::Left, 0, 200},
                             {scrHO, platform::MarginSide::Top, 0, 100},
                             {scrHR, platform::MarginSide::Right, 0, 200},
                             {scrHU, platform::MarginSide::Bottom, 30, 120}};
    if (side < 0 || side > 3) return;
    const Rand& r = raender[side];
    Bereich(r.leiste, r.min, r.max, 3);
    if (Chart2D* c = DiagrammChart()) c->SetPlotMargin(r.seite, r.leiste->value());
}

// ---------------------------------------------------------------------------------------------
// Single curves

void frmTGraph2D_Gestaltung::txtLegend_Change(int k) {
    if (Chart2D* c = DiagrammChart()) c->SetLegendText(kKurven, k, Text(txtLegend[k]));
}

void frmTGraph2D_Gestaltung::txtLabel_Change(int k) {
    if (Chart2D* c = DiagrammChart()) c->SetLabelText(k, Text(txtLabel[k]));
}

void frmTGraph2D_Gestaltung::scrShiftLab_Change(int k) {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    c->SetRepaintSuspended(true);
    c->SetLabelAttachSeries(k, kKurven, k, scrShiftLab[k]->value());
    Bereich(scrShiftLab[k], 1, c->PointCount(kKurven, k), 3);
    c->SetRepaintSuspended(false);
}

void frmTGraph2D_Gestaltung::UpDown1_KBreite_Change(int k) {
    // Halves go to the even neighbour.
    const long breite = std::lrint(platform::Val(Label39[k]->text().toStdString()));
    if (Chart2D* c = DiagrammChart()) c->SetLineWidth(kKurven, k, static_cast<int>(breite));
}

}  // namespace design
