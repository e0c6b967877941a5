// The design dialog: axis range input, spacing of grid, ticks and numbers, logarithmic axes, grid,
// origin and number placement, and the curve points as clipboard text.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <cfloat>
#include <cmath>
#include <vector>

#include "design/GestaltungIntern.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "experiment/XYFile.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "shell/FileChoice.h"

namespace design {

using namespace kernel;
using platform::AxisSpacing;
using platform::Chart2D;
using platform::ChartAxis;

namespace {

constexpr int kKurven = 1;

struct Abstand {
    ChartAxis achse;
    AxisSpacing art;
};
// The six spacing fields in their order: X grid, Y grid, X tick, Y tick, X numbers, Y numbers.
constexpr Abstand kAbstaende[6] = {{ChartAxis::X, AxisSpacing::Grid},   {ChartAxis::Y, AxisSpacing::Grid},
                                   {ChartAxis::X, AxisSpacing::Tick},   {ChartAxis::Y, AxisSpacing::Tick},
                                   {ChartAxis::X, AxisSpacing::Number}, {ChartAxis::Y, AxisSpacing::Number}};

// Placement codes of the option lists "minimum, at the axis / zero, maximum".
constexpr int kPlatz[3] = {platform::kPlaceAtMinimum, platform::kPlaceAtZero, platform::kPlaceAtMaximum};

// A value of a chart coordinate as the general text form of a Single; a value beyond the Single range
// (the missing-point mark) gives an empty text.
std::string SingleText(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return "";
    return platform::CStrSingle(static_cast<float>(v));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Spacing fields, origin mode, curve data

void frmTGraph2D_Gestaltung::SpacingField_Change(int field) {
    QLineEdit* feld = spacingFeld[static_cast<std::size_t>(field)];
    const QString text = feld->text();
    if (text.contains(',')) {
        QString mitPunkt = text;
        mitPunkt.replace(',', '.');
        feld->setText(mitPunkt);  // runs this handler again with the point
        return;
    }
    // While the fields are filled from the chart's automatic spacings the chart keeps them automatic.
    if (abstaendeVomChart_) return;
    if (Chart2D* c = DiagrammChart()) {
        const Abstand& a = kAbstaende[field];
        c->SetSpacing(a.achse, a.art, platform::Val(text.toStdString()));
    }
}

void frmTGraph2D_Gestaltung::optStandardOrigin_Click(int index) {
    if (index == 0) {
        fraOrigin->setEnabled(false);
        if (Chart2D* c = DiagrammChart()) {
            c->SetAxisOrigin(ChartAxis::X, platform::kPlaceAtMinimum);
            c->SetAxisOrigin(ChartAxis::Y, platform::kPlaceAtMinimum);
        }
        SetzeText(txtXOrigin, platform::CStrSingle(DiagRec.xMin));
        SetzeText(txtYOrigin, platform::CStrSingle(DiagRec.yMin));
        return;
    }
    fraOrigin->setEnabled(true);
    Waehle(optXOrigin[0], [this] { optXOrigin_Click(0); });
    Waehle(optYOrigin[0], [this] { optYOrigin_Click(0); });
}

int frmTGraph2D_Gestaltung::KurvenNummerDesTabs() const {
    const std::string caption = tabKurven->tabText(tabKurven->currentIndex()).trimmed().toStdString();
    if (caption.size() <= 2) return 0;
    return static_cast<int>(std::lround(platform::Val(caption.substr(2))));
}

void frmTGraph2D_Gestaltung::cmdClipboard_Click() {
    const int k = KurvenNummerDesTabs();
    std::string text;
    if (Chart2D* c = DiagrammChart()) {
        const int n = c->PointCount(kKurven, k);
        for (int i = 1; i <= n; ++i)
            text += SingleText(c->X(kKurven, k, i)) + "\t" + SingleText(c->Y(kKurven, k, i)) + "\r\n";
    }
    QClipboard* cb = QApplication::clipboard();
    cb->clear();
    cb->setText(QString::fromStdString(text));
}

void frmTGraph2D_Gestaltung::cmdSaveCurveAsXY_Click() {
    const int k = KurvenNummerDesTabs();
    Chart2D* c = DiagrammChart();
    std::vector<XYPunkt> liste(1);
    if (c && k >= 1) {
        const int n = c->PointCount(kKurven, k);
        for (int i = 1; i <= n; ++i) {
            const double x = c->X(kKurven, k, i), y = c->Y(kKurven, k, i);
            // Missing points (and values beyond the Single range) have no place in the file.
            if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > FLT_MAX || std::fabs(y) > FLT_MAX) continue;
            liste.push_back({static_cast<float>(x), static_cast<float>(y), 0, 0});
        }
    }
    const int n = static_cast<int>(liste.size()) - 1;
    if (n == 0) {
        platform::Beep();
        return;
    }
    liste[0].x = static_cast<float>(n);
    shell::FileRequest r;
    r.caption = "(Kurven)punkte speichern unter ...";
    r.filter = "x-y-Daten (*.XY)";
    r.defaultSuffix = "XY";
    r.proposal = "*.XY";
    std::string pfad, fehler;
    if (!shell::ChooseFileToSave(r, pfad) || pfad.empty()) return;
    if (!experiment::SchreibeXYDatei(pfad, "Kurvenpunkte", liste, n, fehler))
        platform::MsgBox(fehler, platform::MsgCritical, "Kurve als *.XY speichern");
}

// ---------------------------------------------------------------------------------------------
// Axis range

void frmTGraph2D_Gestaltung::coord_KeyPress(bool tab, int index, int& keyAscii) {
    if (keyAscii == 3 || keyAscii == 22) return;
    if (!CheckNumKey(keyAscii)) {
        keyAscii = 0;
        return;
    }
    if (keyAscii != 13) return;
    keyAscii = 0;
    const auto& felder = tab ? Tabcoord : coord;
    felder[static_cast<std::size_t>(index == 4 ? 1 : index + 1)]->setFocus();
}

bool frmTGraph2D_Gestaltung::UebernimmBereich(const std::array<QLineEdit*, 5>& felder, bool zweiterBereich,
                                              bool melden) {
    float w[5] = {};
    // The fields hold what the diagram window wrote in the locale's form, or what the user typed or
    // pasted with either decimal separator.
    for (int i = 1; i <= 4; ++i) w[i] = static_cast<float>(platform::ValLocale(Text(felder[static_cast<std::size_t>(i)])));
    // Values beyond the Single range or not finite cannot be a range either.
    bool endlich = true;
    for (int i = 1; i <= 4; ++i) endlich = endlich && std::isfinite(w[i]);
    if (endlich && w[1] < w[2] && w[3] < w[4]) {
        DiagRec.xMin = w[1];
        DiagRec.xMax = w[2];
        DiagRec.yMin = w[3];
        DiagRec.yMax = w[4];
        if (zweiterBereich) {
            DiagRec.xMax2 = w[2];
            DiagRec.xMin2 = w[1];
            DiagRec.yMax2 = w[4];
            DiagRec.yMin2 = w[3];
        }
        FormGST_Hide(true);
        ApplyCoordRange();
        return true;
    }
    // The complaint is for the user's input; a range the diagram window hands over is only put back.
    if (melden)
        platform::MsgBox("Untere Grenze muss kleiner als obere Grenze sein", platform::MsgCritical, "EINGABE-FEHLER");
    const float gespeichert[5] = {0, DiagRec.xMin, DiagRec.xMax, DiagRec.yMin, DiagRec.yMax};
    for (int i = 1; i <= 4; ++i) SetzeText(felder[static_cast<std::size_t>(i)], platform::CStrSingle(gespeichert[i]));
    return false;
}

void frmTGraph2D_Gestaltung::cmdTabCoord_OK_Click() {
    UebernimmBereich(Tabcoord, false, true);
    for (int i : {1, 0, 1, 0}) optScaling_Click(i);
    FormGST_Hide(true);
}

void frmTGraph2D_Gestaltung::cmdCoord_OK_Click() { BereichAnwenden(false); }

void frmTGraph2D_Gestaltung::BereichAnwenden(bool melden) {
    UebernimmBereich(coord, true, melden);
    for (int i : {1, 0, 1, 0}) optScaling_Click(i);
}

void frmTGraph2D_Gestaltung::cmdCoord_Esc_Click() { FormGST_Hide(true); }

void frmTGraph2D_Gestaltung::ApplyCoordRange() {
    // The diagram window applies the stored range to "X", "Y", "Y2" and its hidden frame series.
    if (diagram::gDiagramm) diagram::gDiagramm->SetAxesRange();
}

void frmTGraph2D_Gestaltung::SchreibeAbstaende() {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    abstaendeVomChart_ = true;
    for (int i = 0; i < 6; ++i)
        SetzeText(spacingFeld[static_cast<std::size_t>(i)],
                  platform::CStrSingle(static_cast<float>(c->Spacing(kAbstaende[i].achse, kAbstaende[i].art))));
    abstaendeVomChart_ = false;
}

void frmTGraph2D_Gestaltung::WaehleScaling(int index) {
    if (index == 0 || index == 1) Waehle(optScaling[static_cast<std::size_t>(index)], [this, index] { optScaling_Click(index); });
}

void frmTGraph2D_Gestaltung::optScaling_Click(int index) {
    Chart2D* c = DiagrammChart();
    if (index == 1) {
        for (QLineEdit* f : spacingFeld) f->setEnabled(true);
        if (!c) return;
        c->SetRepaintSuspended(true);
        for (auto a : {ChartAxis::X, ChartAxis::Y}) {
            c->SetSpacingAuto(a, AxisSpacing::Grid, false);
            c->SetSpacingAuto(a, AxisSpacing::Tick, false);
        }
        // The chart holds what the fields show: their write-back is held off while the chart fills
        // them, so manual spacing takes every value from the fields (the number spacing keeps its
        // automatic state).
        for (int i = 0; i < 6; ++i) {
            const Abstand& a = kAbstaende[i];
            const bool automatisch = c->SpacingAuto(a.achse, a.art);
            c->SetSpacing(a.achse, a.art, platform::Val(Text(spacingFeld[static_cast<std::size_t>(i)])));
            c->SetSpacingAuto(a.achse, a.art, automatisch);
        }
        c->SetRepaintSuspended(false);
    } else if (index == 0) {
        for (QLineEdit* f : spacingFeld) f->setEnabled(false);
        if (!c) return;
        c->SetRepaintSuspended(true);
        for (const Abstand& a : kAbstaende) c->SetSpacingAuto(a.achse, a.art, true);
        SchreibeAbstaende();
        c->SetRepaintSuspended(false);
    }
}

// ---------------------------------------------------------------------------------------------
// Logarithmic axes, grid, origin, numbers

void frmTGraph2D_Gestaltung::SchalteLog(bool yAchsen) {
    Chart2D* c = DiagrammChart();
    if (!c) return;
    const std::vector<ChartAxis> achsen =
        yAchsen ? std::vector<ChartAxis>{ChartAxis::Y, ChartAxis::Y2} : std::vector<ChartAxis>{ChartAxis::X};
    bool anschalten = false;
    for (ChartAxis a : achsen) anschalten = anschalten || !c->AxisLog(a);
    float& min = yAchsen ? DiagRec.yMin : DiagRec.xMin;
    const float& max = yAchsen ? DiagRec.yMax : DiagRec.xMax;
    const std::size_t feld = yAchsen ? 3 : 1;
    AngehobeneAchse& angehoben = angehoben_[yAchsen ? 1 : 0];
    if (!anschalten) {
        for (ChartAxis a : achsen) c->SetAxisLog(a, !c->AxisLog(a));
        // Back on linear: the range the log switch lifted returns, unless a range was set since.
        if (angehoben.aktiv && min == angehoben.min && max == angehoben.max) {
            min = angehoben.vorher;
            SetzeText(coord[feld], platform::CStrSingle(min));
            SetzeText(Tabcoord[feld], platform::CStrSingle(min));
            ApplyCoordRange();
        }
        angehoben.aktiv = false;
        return;
    }
    // A logarithmic axis shows only values above 0: a range reaching 0 or below starts three
    // decades below its maximum instead, and a range wholly at or below 0 cannot be shown.
    const char* const name = yAchsen ? "y" : "x";
    const double achsMax = c->AxisMax(achsen[0]), achsMin = c->AxisMin(achsen[0]);
    if (!(achsMax > 0)) {
        platform::MsgBox(std::string("Die ") + name + "-Achse reicht nicht über 0 (obere Grenze " +
                             platform::CStrSingle(static_cast<float>(achsMax)) +
                             "): sie kann nicht logarithmisch dargestellt werden.",
                         platform::MsgExclamation, "log <=> linear");
        return;
    }
    if (achsMin <= 0) {
        const float neu = static_cast<float>(achsMax / 1000);
        const std::string text = platform::CStrSingle(neu);
        platform::MsgBox(std::string("Die ") + name + "-Achse reicht bis 0 oder darunter. Logarithmisch beginnt sie bei " +
                             text + ".",
                         platform::MsgInformation, "log <=> linear");
        angehoben = {true, min, neu, max};
        min = neu;
        SetzeText(coord[feld], text);
        SetzeText(Tabcoord[feld], text);
        ApplyCoordRange();
    }
    for (ChartAxis a : achsen) c->SetAxisLog(a, !c->AxisLog(a));
}

void frmTGraph2D_Gestaltung::cmdXLog_Click() {
    SchalteLog(false);
    optScaling_Click(1);
    optScaling_Click(0);
}

void frmTGraph2D_Gestaltung::cmdYLog_Click() {
    SchalteLog(true);
    optScaling_Click(1);
    optScaling_Click(0);
}

void frmTGraph2D_Gestaltung::opt2Gitter_Click(int index) {
    GridModus = index == 0 ? platform::kLineDotted : platform::kLineSolid;
    opt1Gitter_Click(gridArt_);
}

void frmTGraph2D_Gestaltung::opt1Gitter_Click(int index) {
    gridArt_ = index;
    Chart2D* c = DiagrammChart();
    if (!c || index < 0 || index > 3) return;
    const bool x = index == 2 || index == 3;
    const bool y = index == 1 || index == 3;
    c->SetGridPattern(ChartAxis::X, x ? GridModus : platform::kLineNone);
    c->SetGridPattern(ChartAxis::Y, y ? GridModus : platform::kLineNone);
}

void frmTGraph2D_Gestaltung::optXOrigin_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && index >= 0 && index <= 2) c->SetAxisOrigin(ChartAxis::X, kPlatz[index]);
}

void frmTGraph2D_Gestaltung::optYOrigin_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && index >= 0 && index <= 2) c->SetAxisOrigin(ChartAxis::Y, kPlatz[index]);
}

void frmTGraph2D_Gestaltung::optXZiffern_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && index >= 0 && index <= 2) c->SetNumberPlacement(ChartAxis::X, kPlatz[index]);
}

void frmTGraph2D_Gestaltung::optYZiffern_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && index >= 0 && index <= 2) c->SetNumberPlacement(ChartAxis::Y, kPlatz[index]);
}

void frmTGraph2D_Gestaltung::optOrientYAxText_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && (index == 0 || index == 1))
        c->SetAxisTitleRotation(ChartAxis::Y, index == 0 ? platform::kTextHorizontal : platform::kTextVertical);
}

void frmTGraph2D_Gestaltung::optOrientYAxZiff_Click(int index) {
    if (Chart2D* c = DiagrammChart(); c && (index == 0 || index == 1))
        c->SetAxisNumberRotation(ChartAxis::Y, index == 0 ? platform::kTextHorizontal : platform::kTextVertical);
}

}  // namespace design
