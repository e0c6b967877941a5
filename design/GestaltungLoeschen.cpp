// The design dialog: deleting single points, point sets and curves, and the curve tab's status
// texts in the diagram window.
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <cfloat>
#include <cmath>
#include <exception>
#include <vector>

#include "design/GestaltungIntern.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace design {

using namespace kernel;
using platform::Chart2D;

namespace {

constexpr int kKurven = 1;
constexpr int kPunkte = 2;

// A chart coordinate narrowed to Single and shown in the general form (the missing-point mark, beyond
// the Single range, shows as it is stored).
std::string Koordinate(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return platform::CStrDouble(v);
    return platform::CStrSingle(static_cast<float>(v));
}

// Narrowed to Single; the missing-point mark (beyond the Single range) becomes infinite.
float AlsSingle(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return HUGE_VALF;
    return static_cast<float>(v);
}

double AlsChartWert(float v) { return std::isfinite(v) ? v : platform::kChartHole; }

// Writes a point list (count in element 0's x) into a curve series; allOutside := no point inside
// the stored range.
void DrawCurve(int serie, const std::vector<XYPunkt>& liste, bool& allOutside) {
    allOutside = true;
    Chart2D* c = DiagrammChart();
    if (!c) return;
    c->SetDataBatched(kKurven, true);
    try {
        c->SetDisplay(kKurven, serie, platform::kSeriesShown);
        const long n = liste.empty() ? 0 : std::lround(liste[0].x);
        if (n < 0 || n >= static_cast<long>(liste.size())) throw std::out_of_range("Index außerhalb des gültigen Bereichs");
        c->SetPointCount(kKurven, serie, static_cast<int>(n));
        for (long i = 1; i <= n; ++i) {
            const XYPunkt& p = liste[static_cast<std::size_t>(i)];
            c->SetPoint(kKurven, serie, static_cast<int>(i), AlsChartWert(p.x), AlsChartWert(p.y));
            if (allOutside && DiagRec.xMin <= p.x && p.x <= DiagRec.xMax && DiagRec.yMin <= p.y && p.y <= DiagRec.yMax)
                allOutside = false;
        }
        c->SetDataBatched(kKurven, false);
        c->SetLabelShown(serie, true);
    } catch (const std::exception& e) {
        c->SetDataBatched(kKurven, false);
        platform::MsgBox(e.what(), platform::MsgCritical, "Message from SUB DrawCurve");
    }
}

}  // namespace

void frmTGraph2D_Gestaltung::DeleteSingleMeasuringPoint(int iPointSet, int iPunkt) {
    if (iPunkt < 0 || iPointSet < 1 || iPointSet > kMaxPunktsaetze) return;
    Chart2D* c = DiagrammChart();
    if (!c) return;
    int n = c->PointCount(kPunkte, iPointSet);
    if (iPunkt < 1 || iPunkt > n) return;
    const std::string nl = "\r\n";
    const std::string anzahl = n == 1 ? "Dieser Messpunkt-Satz enthält 1 Einzel-Messpunkt"
                                      : "Dieser Messpunkt-Satz enthält " + std::to_string(n) + " Einzel-Messpunkte";
    const std::string text = "(Hinweis: RECHTS-Klick auf einen Punkt" + nl + "öffnet das Messpunkt-Bearbeitungsfenster)" +
                             nl + nl + nl + anzahl + nl + nl + "Punkt " + std::to_string(iPunkt) + " des Punktsatzes #" +
                             std::to_string(iPointSet) + nl + "mit den Koordinaten x =" +
                             Koordinate(c->X(kPunkte, iPointSet, iPunkt)) + ",  y =" +
                             Koordinate(c->Y(kPunkte, iPointSet, iPunkt)) + " " + nl + "wirklich löschen?" + nl + nl;
    if (platform::MsgBox(text, platform::MsgQuestion + platform::MsgYesNo, "Löschen eines einzelnen Messpunktes") ==
        platform::AnswerYes) {
        std::vector<double> x, y;
        for (int i = 1; i <= n; ++i) {
            if (i == iPunkt) continue;
            // The remaining points go back with Single precision.
            x.push_back(AlsChartWert(AlsSingle(c->X(kPunkte, iPointSet, i))));
            y.push_back(AlsChartWert(AlsSingle(c->Y(kPunkte, iPointSet, i))));
        }
        n -= 1;
        c->SetDataBatched(kPunkte, true);
        c->SetDisplay(kPunkte, iPointSet, platform::kSeriesShown);
        c->SetSeriesData(kPunkte, iPointSet, x, y);
        c->SetDataBatched(kPunkte, false);
        if (n == 0 && diagram::gDiagramm) diagram::gDiagramm->mnuSubDelPoints_Click(iPointSet);
    }
    lblNumPoints[static_cast<std::size_t>(iPointSet)]->setText(QString::number(n));
}

void frmTGraph2D_Gestaltung::DeleteCurvePoint(int iKurve, int iPunkt) {
    if (iPunkt < 0 || iKurve < 1 || iKurve > kMaxKurven) return;
    Chart2D* c = DiagrammChart();
    if (!c) return;
    const int n = c->PointCount(kKurven, iKurve);
    if (iPunkt < 1 || iPunkt > n) return;
    const std::string nl = "\r\n";
    const std::string text = "(Hinweis: Rechts-Klick auf eine Kurve" + nl + "öffnet Kurven-Bearbeitungsfenster)" + nl + nl +
                             nl + "Punkt x =" + Koordinate(c->X(kKurven, iKurve, iPunkt)) + ",  y =" +
                             Koordinate(c->Y(kKurven, iKurve, iPunkt)) + nl + "wirklich löschen?" + nl + nl;
    if (platform::MsgBox(text, platform::MsgQuestion + platform::MsgYesNo, "Löschen eines Kurvenpunktes") != platform::AnswerYes)
        return;
    std::vector<XYPunkt> liste(static_cast<std::size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) {
        liste[static_cast<std::size_t>(i)].x = AlsSingle(c->X(kKurven, iKurve, i));
        liste[static_cast<std::size_t>(i)].y = AlsSingle(c->Y(kKurven, iKurve, i));
    }
    // The mouse read-out of the diagram window reads the chart itself: only the series changes.
    for (int j = iPunkt; j <= n - 1; ++j) liste[static_cast<std::size_t>(j)] = liste[static_cast<std::size_t>(j) + 1];
    liste.resize(static_cast<std::size_t>(n));
    liste[0].x = static_cast<float>(n - 1);
    bool ausserhalb = false;
    DrawCurve(iKurve, liste, ausserhalb);
}

void frmTGraph2D_Gestaltung::TabKurven_Click(int /*previousTab*/) {
    const int k = KurvenNummerDesTabs();
    if (k < 0 || k > kMaxKurven) return;
    // The status bar belongs to the open diagram; without one there is nothing to show.
    if (!diagram::gDiagramm) return;
    const auto i = static_cast<std::size_t>(k);
    diagram::frmTGraph2D& f = *diagram::gDiagramm;
    if (auto* p1 = f.findChild<QLabel*>("StatusBar2Panel(1)")) p1->setText(QString::fromStdString(KurvenInfo1[i]));
    if (auto* p2 = f.findChild<QLabel*>("StatusBar2Panel(2)")) p2->setText(QString::fromStdString(KurvenInfo2[i]));
    if (auto* box = f.findChild<QLineEdit*>("txtFarbeStatusbar2")) {
        box->clear();
        MaleHintergrund(box, KurvenFarbe[i]);
    }
}

void frmTGraph2D_Gestaltung::tabPunkte_Click(int /*previousTab*/) {}

void frmTGraph2D_Gestaltung::cmdDelPointSet_Click() {
    const int k = tabPunkte->currentIndex() + 1;
    nPunktsaetze = k;
    if (diagram::gDiagramm) diagram::gDiagramm->mnuSubDelPoints_Click(k);
}

void frmTGraph2D_Gestaltung::cmdDelKurv_Click() {
    if (tabKurven->tabText(tabKurven->currentIndex()).trimmed().isEmpty()) return;
    const int k = KurvenNummerDesTabs();
    if (diagram::gDiagramm) diagram::gDiagramm->mnuSubDelKurv_Click(k);
}

void frmTGraph2D_Gestaltung::cmdDelSinglePoint_Click() {
    platform::MsgBox("Klicken Sie mit der LINKEN Maustaste\r\nauf den zu löschenden Messpunkt.", platform::MsgInformation,
                     "So wird ein einzelner Messpunkt gelöscht");
}

void frmTGraph2D_Gestaltung::cmdMsgDelPoint_Click() {
    platform::MsgBox("1) Schalten Sie den Kurvenstil der betreffenden Kurve\r\n"
                     "    von \"Kurve normal\" auf \"nur Einzelpunkte\" um.\r\n\r\n"
                     "2) Klicken Sie dann mit der LINKEN Maustaste\r\n"
                     "    auf den zu löschenden Kurvenpunkt.",
                     platform::MsgInformation, "So wird ein einzelner Kurvenpunkt gelöscht");
}

}  // namespace design
