// The diagram window under the mouse: read-out of the curve point or measured point next to the
// pointer, right-click design panels, left-click point deletion, rubber-band zoom and its reset;
// the coordinate-range entry and the single-point calculator.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "diagram/GestaltungLink.h"
#include "diagram/GrafGeometrie.h"
#include "diagram/frmTGraph2D.h"
#include "platform/Chart2D.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace diagram {

using namespace kernel;
using platform::ChartAxis;
using platform::NearestPoint;

namespace {

constexpr double kTrefferRadius = 4;                         // pixels
constexpr int kHinweisFarbe = platform::Chart2D::Rgb(255, 224, 192);
constexpr int kAuslesungFarbe = platform::Chart2D::Rgb(255, 255, 192);
constexpr int kWeiss = 0xFFFFFF;
constexpr int kMaxKurvenSerie = kMaxKurven;                   // series above are frame and marks

// Window pointers.
enum Zeiger { kZeigerStandard = 0, kZeigerPfeilNS = 7, kZeigerKurve = 99, kZeigerPunkt = 100 };

QColor Farbe(int rgbLong) { return QColor(rgbLong & 0xFF, (rgbLong >> 8) & 0xFF, (rgbLong >> 16) & 0xFF); }

void Hintergrund(QWidget* w, int rgbLong) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Farbe(rgbLong));
    p.setColor(QPalette::Base, Farbe(rgbLong));
    w->setPalette(p);
}

// Chart pixel of a position in twips, halves to even.
int Pixel(float twips) { return static_cast<int>(std::lrint(twips / static_cast<float>(platform::kTwipsPerPixel))); }

bool Treffer(const NearestPoint& np) { return np.series != -1 && np.point != -1 && np.distance <= kTrefferRadius; }

// The pointer over a curve or measured point: the cursor file of the current directory, or a
// built-in shape of its own when the file cannot be read.
QCursor PunktZeiger(bool kurve) {
    const QPixmap bild(kurve ? "CsrCurv.cur" : "CsrPoint.cur");
    if (!bild.isNull()) return QCursor(bild);
    return QCursor(kurve ? Qt::PointingHandCursor : Qt::OpenHandCursor);
}

std::string XText(float x) {
    if (0.0001f <= x && x <= 10000.0f) return platform::FormatSingle(x, "###0.0000#####");
    return platform::CStrSingle(x);
}

}  // namespace

void frmTGraph2D::BaueWerkzeugKnoepfe() {
    const int h = static_cast<int>(std::lround(kChartOben / static_cast<double>(platform::kTwipsPerPixel))) - 2;
    auto knopf = [this, h](const char* name, const char* text, int links, int breite) {
        auto* b = new QPushButton(QString::fromUtf8(text), client_);
        b->setObjectName(name);
        b->setGeometry(links, 1, breite, h);
        return b;
    };
    cmdZoom = knopf("cmdZoom", "Zoom", 212, 46);
    cmdZoom->setToolTip(QString::fromUtf8(" nach Klick Ausschnitt mit der Maus ziehen "));
    connect(cmdZoom, &QPushButton::clicked, this, [this] { cmdZoom_Click(); });
    cmdZoomReset = knopf("cmdZoomReset", "Reset", 260, 46);
    connect(cmdZoomReset, &QPushButton::clicked, this, [this] { cmdZoomReset_Click(); });
    cmdSingleCalc = knopf("cmdSingleCalc", "SingleCalc", 310, 78);
    cmdSingleCalc->setToolTip(QString::fromUtf8("... berechnet Einzelpunkte der Kurven y=f(t) nach Zeit-Vorgabe  "));
    cmdSingleCalc->setEnabled(false);
    connect(cmdSingleCalc, &QPushButton::clicked, this, [this] { cmdSingleCalc_Click(); });

    // Buttons that other windows press.
    cmdMarkConti = knopf("cmdMarkConti", "cmdMarkConti  markiert t-aktuell (unsichtbar)", 0, 1);
    connect(cmdMarkConti, &QPushButton::clicked, this, [this] { cmdMarkConti_Click(); });
    cmdExternPoints = knopf("cmdExternPoints", "", 0, 1);
    connect(cmdExternPoints, &QPushButton::clicked, this, [this] { cmdExternPoints_Click(); });
    cmdManuKurve = knopf("cmdManuKurve", "", 0, 1);
    connect(cmdManuKurve, &QPushButton::clicked, this, [this] { cmdManuKurve_Click(); });
    for (QPushButton* b : {cmdMarkConti, cmdExternPoints, cmdManuKurve}) b->hide();
}

void frmTGraph2D::DrueckeMenue(const std::string& name) {
    // The handler runs as a direct call would, also while the entry is disabled.
    if (QAction* a = Aktion(name)) emit a->triggered(false);
}

void frmTGraph2D::SetzeMausZeiger(int art) {
    switch (art) {
    case kZeigerPfeilNS: Chart2D1->setCursor(Qt::SizeVerCursor); break;
    case kZeigerKurve: Chart2D1->setCursor(PunktZeiger(true)); break;
    case kZeigerPunkt: Chart2D1->setCursor(PunktZeiger(false)); break;
    default: Chart2D1->unsetCursor(); break;
    }
}

void frmTGraph2D::SetzeAuslesungHinweis(const char* mitte, const char* rechts, bool zeigerPfeil) {
    lblMausPosNr->hide();
    lblMausPosCol->hide();
    lblMausPosX->setText(QString::fromUtf8(" Klick rechts =>"));
    lblMausPosY->setText(QString::fromUtf8(mitte));
    lblMausPosZ->setText(QString::fromUtf8(rechts));
    for (QLabel* l : {lblMausPosX, lblMausPosY, lblMausPosZ}) {
        l->show();
        Hintergrund(l, kHinweisFarbe);
    }
    LegeAuslesungAn();
    SetzeMausZeiger(zeigerPfeil ? kZeigerPfeilNS : kZeigerStandard);
}

void frmTGraph2D::Chart2D1_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y) {
    const int px = Pixel(X), py = Pixel(Y);
    lblMausPosCol->setText("");
    const int region = Chart2D1->RegionAt(px, py);
    if (region == platform::kRegionHeader || region == platform::kRegionFooter) {
        SetzeAuslesungHinweis(" Text editieren,", " verschieben", true);
        return;
    }
    if (region == platform::kRegionLegend) {
        SetzeAuslesungHinweis(" Legende editieren,", " verschieben", true);
        return;
    }
    if (region != platform::kRegionPlotArea) {
        for (QLabel* l : {lblMausPosNr, lblMausPosCol, lblMausPosX, lblMausPosY, lblMausPosZ}) l->hide();
        SetzeMausZeiger(kZeigerStandard);
        return;
    }
    lblMausPosX->show();
    lblMausPosY->show();
    lblMausPosZ->hide();

    auto zeigeWert = [this](const std::string& nr, int farbe, const std::string& x, double y) {
        lblMausPosNr->show();
        lblMausPosCol->show();
        lblMausPosNr->setText(QString::fromStdString(nr));
        lblMausPosX->setText(QString::fromStdString(" X = " + x));
        lblMausPosY->setText(QString::fromStdString(" Y = " + platform::CStrSingle(static_cast<float>(y))));
        for (QLabel* l : {lblMausPosNr, lblMausPosX, lblMausPosY}) Hintergrund(l, kAuslesungFarbe);
        Hintergrund(lblMausPosCol, farbe);
        Hintergrund(lblMausPosZ, kWeiss);
        LegeAuslesungAn();
    };

    // A curve point first; a hole or a series above the curve slots passes on to the point sets.
    NearestPoint np = Chart2D1->NearestPointOf(kGruppeKurven, px, py);
    MausSerie = np.series;
    if (MausSerie <= kMaxKurvenSerie && Treffer(np)) {
        const double y = Chart2D1->Y(kGruppeKurven, MausSerie, np.point);
        if (y != platform::kChartHole) {
            const auto slot = static_cast<std::size_t>(MausSerie);
            zeigeWert("K." + std::to_string(MausSerie), KurvenFarbe[slot],
                      XText(static_cast<float>(Chart2D1->X(kGruppeKurven, MausSerie, np.point))), y);
            SetzeMausZeiger(kZeigerKurve);
            SetStatusPanel(1, KurvenInfo1[slot]);
            SetStatusPanel(2, KurvenInfo2[slot]);
            Hintergrund(txtFarbeStatusbar2, KurvenFarbe[slot]);
            txtFarbeStatusbar2->clear();
            return;
        }
    }
    np = Chart2D1->NearestPointOf(kGruppePunkte, px, py);
    MausSerie = np.series;
    if (Treffer(np)) {
        const double y = Chart2D1->Y(kGruppePunkte, MausSerie, np.point);
        if (y != platform::kChartHole) {
            nPunktsaetze = MausSerie;
            const double x = Chart2D1->X(kGruppePunkte, MausSerie, np.point);
            zeigeWert("P." + std::to_string(MausSerie),
                      PunktsatzFarbe[static_cast<std::size_t>(std::clamp(MausSerie, 0, kMaxPunktsaetze))],
                      platform::FormatSingle(static_cast<float>(x), "###0.0000"), y);
            SetzeMausZeiger(kZeigerPunkt);
            return;
        }
    }
    SetzeAuslesungHinweis("       Diagramm-", " Gestaltung", false);
}

void frmTGraph2D::Chart2D1_MouseDown(int Button, int /*Shift*/, float X, float Y) {
    const int px = Pixel(X), py = Pixel(Y);
    GestaltungLink& dlg = Gestaltung();
    if ((Button & 2) == 2) {
        const int region = Chart2D1->RegionAt(px, py);
        if (region == platform::kRegionPlotArea) {
            const NearestPoint kurve = Chart2D1->NearestPointOf(kGruppeKurven, px, py);
            if (kurve.series <= kMaxKurvenSerie && Treffer(kurve)) {
                DrueckeMenue("mnuKurvenDesign");
                dlg.SetKurvenTabAktuell(kurve.series);
                return;
            }
            const NearestPoint punkt = Chart2D1->NearestPointOf(kGruppePunkte, px, py);
            if (Treffer(punkt)) {
                DrueckeMenue("mnuPunktDesign");
                dlg.SetPunkteTabAktuell(punkt.series);
                dlg.SetLblNumPoints(punkt.series, std::to_string(Chart2D1->PointCount(kGruppePunkte, punkt.series)));
            } else {
                DrueckeMenue("mnuDesignMore");
            }
        }
        switch (region) {
        case platform::kRegionLegend:
            DrueckeMenue("mnuDesignMore");
            dlg.SetDesignTab(4);
            break;
        case platform::kRegionHeader: DrueckeMenue(platform::ControlName("mnuTextDesign", 1)); break;
        case platform::kRegionFooter: DrueckeMenue(platform::ControlName("mnuTextDesign", 2)); break;
        default: dlg.SetDesignTab(5); break;
        }
        return;
    }
    if ((Button & 1) != 1 || zoomModus_) return;
    // A click next to a curve point and a measured point offers both deletions, curve point first.
    const NearestPoint kurve = Chart2D1->NearestPointOf(kGruppeKurven, px, py);
    if (kurve.distance <= kTrefferRadius) {
        if (kurve.series >= 1 && kurve.series <= kMaxKurvenSerie) dlg.DeleteCurvePoint(kurve.series, kurve.point);
    } else {
        dlg.cmdKurven_OK_Click();
    }
    const NearestPoint punkt = Chart2D1->NearestPointOf(kGruppePunkte, px, py);
    if (punkt.distance <= kTrefferRadius)
        dlg.DeleteSingleMeasuringPoint(punkt.series, punkt.point);
    else
        dlg.cmdPunkte_OK_Click();
    if (dlg.TabsPanelSichtbar()) dlg.FormGST_Hide(true);
}

void frmTGraph2D::HoleAchsenBereich() {
    DiagRec.xMin = static_cast<float>(Chart2D1->AxisMin(ChartAxis::X));
    DiagRec.xMax = static_cast<float>(Chart2D1->AxisMax(ChartAxis::X));
    DiagRec.yMin = static_cast<float>(Chart2D1->AxisMin(ChartAxis::Y));
    DiagRec.yMax = static_cast<float>(Chart2D1->AxisMax(ChartAxis::Y));
}

void frmTGraph2D::ZoomModusAus() {
    if (zoomModus_) QApplication::restoreOverrideCursor();
    zoomModus_ = false;
}

void frmTGraph2D::Chart2D1_MouseUp(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    Chart2D1->SetRepaintSuspended(true);
    if ((Button & 1) == 1) {
        // The chart has zoomed before this event: its axes hold the new range.
        HoleAchsenBereich();
        Chart2D1->SetZoomMode(false);
    }
    Chart2D1->SetRepaintSuspended(false);
    ZoomModusAus();
}

void frmTGraph2D::cmdZoom_Click() {
    GestaltungLink& dlg = Gestaltung();
    dlg.FormGST_Hide(true);
    dlg.DeleteAllDesignFrames();
    if (!zoomModus_) QApplication::setOverrideCursor(Qt::CrossCursor);
    zoomModus_ = true;
    Chart2D1->SetRepaintSuspended(true);
    Chart2D1->SetAxisOrigin(ChartAxis::X, platform::kPlaceAtMinimum);
    Chart2D1->SetAxisOrigin(ChartAxis::Y, platform::kPlaceAtMinimum);
    Chart2D1->SetZoomMode(true);
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::cmdZoomReset_Click() {
    Chart2D1->SetRepaintSuspended(true);
    Chart2D1->ResetZoom();
    Chart2D1->SetZoomMode(false);
    ZoomModusAus();
    // The stored range follows the chart, also when the range fields below are refused.
    HoleAchsenBereich();
    GestaltungLink& dlg = Gestaltung();
    dlg.cmdCoord_OK_Click();
    dlg.optScaling_Click(1);
    dlg.optScaling_Click(0);
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::mnuCoord_Click() {
    GestaltungLink& dlg = Gestaltung();
    dlg.DeleteAllDesignFrames();
    dlg.SetCoord(2, platform::CStrSingle(DiagRec.xMax));
    dlg.SetCoord(1, platform::CStrSingle(DiagRec.xMin));
    dlg.SetCoord(4, platform::CStrSingle(DiagRec.yMax));
    dlg.SetCoord(3, platform::CStrSingle(DiagRec.yMin));
    dlg.FormGST_Show(6);
    dlg.CoordPanelBereit();
}

void frmTGraph2D::cmdSingleCalc_Click() {
    if (RateDiagramm) {
        platform::MsgBox("die Berechnung von Reaktionsgeschwindigkeiten wird z. Z. nicht unterstüzt",
                         platform::MsgCritical, " Ausführung nicht möglich ");
        return;
    }
    platform::Windows().Show("frmTGraphCalc");
}

}  // namespace diagram
