// The diagram window's marks (half-lives, mean residence time: series 26..39 of group 1 with the
// mark texts 26..39) and its chart layout files (*.oc2).
#include <QAction>
#include <algorithm>
#include <array>

#include "diagram/GestaltungLink.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/HalfLife.h"
#include "platform/Chart2D.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "shell/FileChoice.h"

namespace diagram {

using namespace kernel;
using platform::ChartAxis;

namespace {

constexpr int kMarkeA = 26;          // half-life of A
constexpr int kMarkeTau = 28;        // current mean residence time
constexpr int kMarkenBis = 39;
constexpr double kHalbwertLinie = 10000;   // half-life lines run from -10000 to 10000
constexpr double kTauLinie = 1000;         // the residence-time line from -1000 to 1000
constexpr int kSchwarz = 0x000000;

// Models whose half-life is taken from the computed time course.
bool HalbwertGespeichert(int spezies) {
    static const std::array<int, 8> kA = {7, 9, 10, 13, 14, 15, 18, 20};
    static const std::array<int, 5> kB = {7, 9, 10, 13, 18};
    if (spezies == 1) return !ContiAktiv && std::find(kA.begin(), kA.end(), aktModell) != kA.end();
    return std::find(kB.begin(), kB.end(), aktModell) != kB.end();
}

// The half-life procedures choose their formula by the diagram code. Code -6 also serves A + B with
// equal c(A,0) and c(B,0), whose plot stores the full slope as k: its half-life is that of A + B
// (code -8), 1/(k c(A,0)), not that of 2 A.
class HalbwertCode {
public:
    HalbwertCode() : alt_(aktDiagrammCode) {
        if (alt_ == -6 && ABGleich) aktDiagrammCode = -8;
    }
    ~HalbwertCode() { aktDiagrammCode = alt_; }
    HalbwertCode(const HalbwertCode&) = delete;
    HalbwertCode& operator=(const HalbwertCode&) = delete;

private:
    int alt_;
};

// The file name cut back to its directory, trailing separator included ("" without one).
std::string Verzeichnis(const std::string& pfad) {
    const auto p = pfad.find_last_of("/\\");
    return p == std::string::npos ? std::string() : pfad.substr(0, p + 1);
}

shell::FileRequest LayoutAnfrage(const char* titel) {
    shell::FileRequest r;
    r.caption = titel;
    r.pattern = "*.oc2";
    r.filter = "Diagramm-File (*.oc2)";
    r.directory = OC2Pfad;
    r.defaultSuffix = "oc2";
    return r;
}

}  // namespace

void frmTGraph2D::HalbwertMarke(int spezies) {
    Aktivieren("mnuDelTotal", true);
    Aktivieren("mnuDelHalbAB", true);
    float tau = 0;
    if (HalbwertGespeichert(spezies)) {
        tau = spezies == 1 ? HalbwertA : HalbwertB;
    } else {
        const bool auswertung = aktDiagrammCode < 0;
        const double cA0 = auswertung ? c0Mess[1] : c0Wert[1];
        const double cB0 = auswertung ? c0Mess[2] : c0Wert[2];
        const HalbwertCode code;
        tau = spezies == 1 ? FuHalbwertszeitA(cA0, cB0, c0Wert[4], kWert[1], kWert[2])
                           : FuHalbwertszeitB(cA0, cB0, c0Wert[4], kWert[1], kWert[2]);
    }
    const std::string name = spezies == 1 ? "A" : "B";
    const int serie = kMarkeA + spezies - 1;
    Chart2D1->SetRepaintSuspended(true);
    if (tau > 0) {
        Chart2D1->SetPointCount(kGruppeKurven, serie, 2);
        Chart2D1->SetSymbolSize(kGruppeKurven, serie, 1);
        Chart2D1->SetLinePattern(kGruppeKurven, serie, platform::kLineShortDash);
        Chart2D1->SetLineColor(kGruppeKurven, serie, FarbVorwahl);
        Chart2D1->SetDisplay(kGruppeKurven, serie, platform::kSeriesShown);
        Chart2D1->SetLabelShown(serie, false);
        Chart2D1->SetPoint(kGruppeKurven, serie, 1, tau, -kHalbwertLinie);
        Chart2D1->SetPoint(kGruppeKurven, serie, 2, tau, kHalbwertLinie);
        SetStatusText("Halbwertszeit tau(" + name + ") = " + platform::FormatSingle(tau, "#######0.00") + " " +
                      ZeitEinheit);
    } else if (tau == 0) {
        SetStatusText(HalbwertszeitNumerisch ? "Halbwertszeit liegt nicht im Diagramm-Bereich bzw. kann unter diesen "
                                               "Bedingungen nicht erreicht werden"
                                             : "Halbwertszeit tau(" + name +
                                                   ") kann unter diesen Bedingungen nicht erreicht werden");
    }
    // A negative value: the half-life procedure has already reported.
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::mnuHalbA_Click() { HalbwertMarke(1); }
void frmTGraph2D::mnuHalbB_Click() { HalbwertMarke(2); }

void frmTGraph2D::cmdMarkConti_Click() {
    Chart2D1->SetRepaintSuspended(true);
    Chart2D1->SetPointCount(kGruppeKurven, kMarkeTau, 2);
    Chart2D1->SetSymbolSize(kGruppeKurven, kMarkeTau, 1);
    Chart2D1->SetLinePattern(kGruppeKurven, kMarkeTau, platform::kLineShortDash);
    Chart2D1->SetLineColor(kGruppeKurven, kMarkeTau, kSchwarz);
    Chart2D1->SetDisplay(kGruppeKurven, kMarkeTau, platform::kSeriesShown);
    // The text starts beside the line, a sixth of the y range above its bottom.
    Chart2D1->SetLabelAttachData(kMarkeTau, tauMittel,
                                 static_cast<double>(DiagRec.yMin) + (static_cast<double>(DiagRec.yMax) - DiagRec.yMin) / 6);
    Chart2D1->SetLabelAnchor(kMarkeTau, platform::kAnchorEast);
    Chart2D1->SetLabelForeColor(kMarkeTau, kSchwarz);
    Chart2D1->SetLabelText(kMarkeTau, "              aktuelle mittl. Verweilzeit");
    Chart2D1->SetLabelShown(kMarkeTau, true);
    Chart2D1->SetPoint(kGruppeKurven, kMarkeTau, 1, tauMittel, -kTauLinie);
    Chart2D1->SetPoint(kGruppeKurven, kMarkeTau, 2, tauMittel, kTauLinie);
    Chart2D1->SetRepaintSuspended(false);
    Aktivieren("mnuDelHalbAB", true);
}

void frmTGraph2D::mnuDelHalbAB_Click() {
    Aktivieren("mnuDelHalbAB", false);
    Chart2D1->SetRepaintSuspended(true);
    for (int k = kMarkeA; k <= kMarkenBis; ++k) {
        Chart2D1->SetLabelShown(k, false);
        Chart2D1->SetPointCount(kGruppeKurven, k, 0);
    }
    Chart2D1->SetRepaintSuspended(false);
    SetStatusText("");
}

void frmTGraph2D::mnuMark_Click() { Gestaltung().DeleteAllDesignFrames(); }

// ---------------------------------------------------------------------------------------------
// Chart layout files

void frmTGraph2D::mnuSaveOC2_Click() {
    std::string datei;
    if (!shell::ChooseFileToSave(LayoutAnfrage("Speichern dieser Diagrammgestaltung"), datei)) return;
    OC2Pfad = Verzeichnis(datei);
    std::string fehler;
    if (!Chart2D1->SaveLayout(datei, &fehler))
        platform::MsgBox("Die Diagrammgestaltung konnte nicht gespeichert werden:" + CrLf + fehler,
                         platform::MsgExclamation, "Meldung von mnuSaveOC2");
}

void frmTGraph2D::mnuLoadOC2_Click() {
    GestaltungLink& dlg = Gestaltung();
    dlg.FormGST_Hide(true);
    std::string datei;
    if (!shell::ChooseFileToOpen(LayoutAnfrage("Laden einer abgespeicherten Diagrammvorlage"), datei)) return;
    std::string fehler;
    if (!Chart2D1->LoadLayout(datei, &fehler)) {
        platform::MsgBox("Die Diagrammvorlage konnte nicht geladen werden:" + CrLf + fehler, platform::MsgExclamation,
                         "Meldung von mnuLoadOC2");
        return;
    }
    OC2Pfad = Verzeichnis(datei);
    Chart2D1->SetRepaintSuspended(true);

    // Curve slots: a series of the loaded chart that holds points occupies its slot.
    nKurven = 0;
    const int m = std::min(Chart2D1->SeriesCount(kGruppeKurven) - 1, kMaxKurven);
    for (int i = 1; i <= m; ++i) {
        const bool belegt = Chart2D1->PointCount(kGruppeKurven, i) > 0;
        KurveFrei[static_cast<std::size_t>(i)] = belegt ? kFalse : kTrue;
        if (belegt) ++nKurven;
        Aktivieren(platform::ControlName("mnuSubDelKurv", i), belegt);
    }
    // "alle" is never disabled by a load; curves brought in by the layout can be deleted.
    if (nKurven > 0) {
        Aktivieren("mnuDelKurv", true);
        Aktivieren(platform::ControlName("mnuSubDelKurv", 0), true);
    }

    for (int k = 1; k <= kMaxPunktsaetze; ++k) {
        dlg.SetPunkteTabAn(k, false);
        const bool belegt = Chart2D1->PointCount(kGruppePunkte, k) > 0;
        if (belegt) {
            nPunktsaetze = k;
            dlg.SetPunkteTabAn(k, true);
            dlg.SetPunkteTabAktuell(k);
            for (const char* e : {"mnuDelTotal", "mnuDelPoints"}) Aktivieren(e, true);
            Aktivieren(platform::ControlName("mnuSubDelPoints", 0), true);
        }
        Aktivieren(platform::ControlName("mnuSubDelPoints", k), belegt);
    }

    DiagRec.xMin = static_cast<float>(Chart2D1->AxisMin(ChartAxis::X));
    DiagRec.xMax = static_cast<float>(Chart2D1->AxisMax(ChartAxis::X));
    DiagRec.yMin = static_cast<float>(Chart2D1->AxisMin(ChartAxis::Y));
    DiagRec.yMax = static_cast<float>(Chart2D1->AxisMax(ChartAxis::Y));
    mnuCoord_Click();
    dlg.cmdCoord_OK_Click();
    for (int i : {1, 0, 1, 0}) dlg.optScaling_Click(i);
    Chart2D1->SetRepaintSuspended(false);
}

}  // namespace diagram
