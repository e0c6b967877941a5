// The diagram window's measured point sets (chart group 2, sets 1..12) and the evaluation plots,
// whose regression line is drawn as a curve and whose measured points become a point set.
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "diagram/CurveCalc.h"
#include "diagram/EvaluationPlots.h"
#include "diagram/GestaltungLink.h"
#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/DataSet.h"
#include "platform/Chart2D.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"

namespace diagram {

using namespace kernel;
using platform::ChartAxis;

namespace {

std::string Nr(int i) { return std::to_string(i); }
// Str of a count: a leading blank for a number that is not negative.
std::string StrZahl(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }

// The evaluation codes draw their regression line through the curve calculation; the measured
// points follow as a point set of the window, the result goes into its status bar.
const bool auswertungInstalliert = [] {
    SetAuswertungsKurve([](int code, std::vector<XYPunkt>& punkte, double& a, double& b, float& r2,
                           std::string& meldung, int& ausserhalb) {
        frmTGraph2D* fenster = gDiagramm;
        const std::string text = BerechneAuswertung(code, punkte, a, b, r2, meldung, ausserhalb, [fenster] {
            if (fenster) fenster->mnuAddPunkte_Click();
        });
        if (fenster) fenster->SetStatusText(text);
    });
    return true;
}();

}  // namespace

void frmTGraph2D::zeigeExperPunkte(bool& someInside) {
    someInside = false;
    Chart2D1->SetAxisRange(ChartAxis::Y2, Chart2D1->AxisMin(ChartAxis::Y), Chart2D1->AxisMax(ChartAxis::Y));
    Chart2D1->SetDataBatched(kGruppePunkte, true);
    const int code = aktDiagrammCode;
    if (code == -9) SetKurvenMaske(aktModell);
    const bool fest = FesterPunktsatz(code) > 0;
    const std::vector<int> saetze = PunktsaetzeDesCodes(code);
    const int n = DataRowCount();
    bool erster = true;
    for (int i = 1; i <= n; ++i) {
        const ExpPunkt& r = ExpDaten[static_cast<std::size_t>(i)];
        const std::vector<ExperPunkt> punkte =
            r.exclude == kTrue ? std::vector<ExperPunkt>{} : ExperPunkteDerZeile(code, r);
        // A row without a point leaves a gap, so that a point of an earlier fill does not stay.
        for (int s : saetze)
            if (std::none_of(punkte.begin(), punkte.end(), [s](const ExperPunkt& p) { return p.satz == s; }))
                Chart2D1->SetPoint(kGruppePunkte, s, i, platform::kChartHole, platform::kChartHole);
        for (const ExperPunkt& p : punkte) {
            if (!someInside)
                someInside = DiagRec.xMin <= p.x && p.x <= DiagRec.xMax && DiagRec.yMin <= p.y && p.y <= DiagRec.yMax;
            // The set is as long as the table; skipped rows stay holes.
            Chart2D1->SetPointCount(kGruppePunkte, p.satz, n);
            Chart2D1->SetPoint(kGruppePunkte, p.satz, i, p.x, p.y);
            if (fest && erster) nPunktsaetze = p.satz;
            erster = false;
        }
    }
    Chart2D1->SetDataBatched(kGruppePunkte, false);
}

void frmTGraph2D::mnuAddPunkte_Click() {
    Aktivieren("mnuDelPoints", true);
    Aktivieren("mnuDelTotal", true);
    for (int k = 1; k <= kMaxPunktsaetze; ++k) {
        if (PunktsatzFrei[static_cast<std::size_t>(k)]) {
            nPunktsaetze = k;
            PunktsatzFrei[static_cast<std::size_t>(k)] = kFalse;
            break;
        }
    }
    if (!kTDiagramm && aktModell != 10) {
        bool passt = (LambdaModus && LambdaMoeglich) || (KurvenMaske.size() >= 5 && KurvenMaske[4] == '2');
        for (int s = 1; s <= kSpecies && !passt; ++s)
            passt = s <= static_cast<int>(KurvenMaske.size()) && KurvenMaske[static_cast<std::size_t>(s - 1)] == '1' &&
                    DatenSpalte[static_cast<std::size_t>(s)] != 0;
        if (!passt) {
            platform::MsgBox("Für dieses Diagramm sind keine Konzentrations-Punkte geladen." + CrLf +
                                 "Laden Sie Konzentrationsdaten oder benutzen Sie den Dateneditor für Neueingabe.",
                             platform::MsgCritical, " Ausführung nicht möglich ");
            return;
        }
    }
    bool drinnen = false;
    zeigeExperPunkte(drinnen);
    PunktsatzFarbe[static_cast<std::size_t>(std::clamp(nPunktsaetze, 0, kMaxPunktsaetze))] = FarbVorwahl;
    if (!drinnen)
        platform::MsgBox("Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms" +
                             CrLf + "Vergrößern Sie den Koordinatenbereich.",
                         platform::MsgExclamation, "Warnung");

    GestaltungLink& dlg = Gestaltung();
    Chart2D1->SetRepaintSuspended(true);
    for (int k = 1; k <= 7; ++k) {
        const bool hatPunkte = Chart2D1->PointCount(kGruppePunkte, k) > 0;
        dlg.SetPunkteTabAn(k, hatPunkte);
        if (!hatPunkte) continue;
        Chart2D1->SetLegendText(kGruppePunkte, k, "P." + Nr(k) + "  " + dlg.TxtLegPoints(k));
        Chart2D1->SetSymbolColor(kGruppePunkte, k, FarbVorwahl);
    }
    if (nPunktsaetze > 0) dlg.SetLblNumPoints(nPunktsaetze, StrZahl(Chart2D1->PointCount(kGruppePunkte, nPunktsaetze)));
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::cmdExternPoints_Click() {
    Form_Resize();
    // Sets are numbered in the order of hand-over; once twelve were handed over, a set emptied by a
    // deletion is taken again, so that the advice of the limit message can be followed.
    int n = aktPunktsatz + 1;
    if (n > kMaxPunktsaetze) {
        n = 0;
        for (int k = 1; k <= kMaxPunktsaetze && n == 0; ++k)
            if (Chart2D1->PointCount(kGruppePunkte, k) == 0) n = k;
    }
    aktPunktsatz = std::min(aktPunktsatz + 1, kMaxPunktsaetze);
    nPunktsaetze = n == 0 ? kMaxPunktsaetze : n;
    if (n == 0) {
        platform::MsgBox("Es dürfen max. " + Nr(kMaxPunktsaetze) + " Punktsätze geladen werden." + CrLf +
                             "Löschen Sie evtl. die vorhandenen Messpunkte.",
                         platform::MsgCritical, " Ausführung nicht möglich ");
        return;
    }
    GestaltungLink& dlg = Gestaltung();
    Aktivieren("mnuDelTotal", true);
    dlg.SetPunkteTab(n, true, "P. " + Nr(n));
    dlg.SetPunkteTabAktuell(n);
    Chart2D1->SetLegendText(kGruppePunkte, n, Nr(n));
    Chart2D1->SetAxisRange(ChartAxis::Y2, Chart2D1->AxisMin(ChartAxis::Y), Chart2D1->AxisMax(ChartAxis::Y));
    dlg.SetTxtLegPoints(n, "P." + Nr(n));
    PunktsatzFarbe[static_cast<std::size_t>(n)] = FarbVorwahl;
    dlg.SetLblNumPoints(n, StrZahl(Chart2D1->PointCount(kGruppePunkte, n)));
    if (DiagRec.Quelle == 2) {
        dlg.SetEinzelLabelSichtbar(n, false);
        dlg.SetTxtLegPoints(n, "P." + Nr(n) + " Punkt(e) von XY-Editor ");
    } else if (DiagRec.Quelle == 1) {
        dlg.SetTxtLegPoints(n, "P." + Nr(n) + " Punkte von Editor für exp. Daten ");
    }
    dlg.SetPunktFarbe(n, FarbVorwahl);
    Chart2D1->SetSymbolColor(kGruppePunkte, n, FarbVorwahl);

    const std::vector<XYPunkt>& q = XYZeichenPunkte;
    long m = q.empty() || !std::isfinite(q[0].x) ? 0 : std::lround(q[0].x);
    m = std::clamp(m, 0L, static_cast<long>(q.size()) - 1);
    std::vector<double> x(static_cast<std::size_t>(std::max(m, 0L))), y(x.size());
    for (long j = 1; j <= m; ++j) {
        x[static_cast<std::size_t>(j - 1)] = q[static_cast<std::size_t>(j)].x;
        y[static_cast<std::size_t>(j - 1)] = q[static_cast<std::size_t>(j)].y;
    }
    Chart2D1->SetDataBatched(kGruppePunkte, true);
    Chart2D1->SetSeriesData(kGruppePunkte, n, x, y);
    Chart2D1->SetDataBatched(kGruppePunkte, false);

    PunktsatzFarbe[static_cast<std::size_t>(n)] = FarbVorwahl;
    dlg.SetLblNumPoints(n, StrZahl(Chart2D1->PointCount(kGruppePunkte, n)));
    Aktivieren("mnuDelPoints", true);
    Aktivieren(platform::ControlName("mnuSubDelPoints", n), true);
}

void frmTGraph2D::cmdManuKurve_Click() {
    int slot = aktKurve;
    int failed = kFalse;
    NewCurveSlot(slot, failed);
    if (failed) return;
    int unbenutzt = 0;
    PlotCurveData(slot, XYZeichenPunkte, unbenutzt);
    KurvenFarbe[static_cast<std::size_t>(slot)] = FarbVorwahl;
}

void frmTGraph2D::mnuSubDelPoints_Click(int index) {
    if (index < 0 || index > kMaxPunktsaetze) return;
    GestaltungLink& dlg = Gestaltung();
    dlg.FormGST_Hide(true);
    Chart2D1->SetRepaintSuspended(true);
    const int von = index == 0 ? 1 : index;
    const int bis = index == 0 ? kMaxPunktsaetze : index;
    for (int k = von; k <= bis; ++k) {
        Chart2D1->SetPointCount(kGruppePunkte, k, 0);
        Chart2D1->SetLegendText(kGruppePunkte, k, "");
        dlg.SetPunkteTabAn(k, false);
        if (index != 0) Aktivieren(platform::ControlName("mnuSubDelPoints", k), false);
    }
    Chart2D1->SetRepaintSuspended(false);
}

}  // namespace diagram
