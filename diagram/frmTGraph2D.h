#pragma once
// The 2-D diagram window "Diagramm-Grafik": up to 24 curves in chart group 1 (series 1..24; series
// 25 is the hidden frame series spanning the axis range, 26..39 the marks) and up to 12 point sets
// in chart group 2. Every diagram reaches it through GrafZentrale; the window's set-up (Form_Load,
// run by the constructor) draws the first curve, cmdDraw adds further curves.
//
// The window's own commands are implemented in frmTGraph2D.cpp (set-up, drawing), frmTGraph2DPunkte.cpp
// (point sets, evaluation plots), frmTGraph2DMarken.cpp (marks, layout files) and frmTGraph2DMaus.cpp
// (mouse read-out, zoom, range, single-point calculator). Menu entries whose commands live in the
// design modules (labels, legend, picture output, design panels) are created or found there by
// objectName; a right click presses them by name.
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kernel/State.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace platform {
class Chart2D;
}

namespace diagram {

// Chart series and labels of the window.
constexpr int kGruppeKurven = 1;
constexpr int kGruppePunkte = 2;
constexpr int kSerienKurven = 39;
constexpr int kRahmenSerie = 25;
constexpr int kSerienPunkte = 12;

class frmTGraph2D : public QWidget {
    Q_OBJECT

public:
    explicit frmTGraph2D(QWidget* parent = nullptr);
    ~frmTGraph2D() override;

    // The default instance, created (and set up, which draws the first curve) when absent.
    static frmTGraph2D& Instanz();
    // The default instance when it is loaded, else null.
    static frmTGraph2D* Geladen();

    // ---- Set-up, geometry, range ----
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // Stores the window geometry; never cancels.
    void Form_QueryUnload(int& cancel, int unloadMode);
    // Applies xMin..yMax of DiagRec to the axes and the frame series.
    void SetAxesRange();

    // ---- Drawing ----
    void cmdDraw_Click();
    void NewCurveSlot(int& slot, int& failed);
    void PlotCurveData(int slot, const std::vector<kernel::XYPunkt>& punkte, int& unused);
    // 0 deletes every curve, 1..24 the curve of that slot; a free slot or another number is ignored.
    void DeleteCurves(int& nr);
    void mnuSubDelKurv_Click(int index);

    // ---- Small commands ----
    void cmdFarbVorwahl_Click();
    void Label49_Click();
    void mnuHaupt_Click();
    void mnuManuXY_Click();
    void cmdEscGraph_Click();

    // Shows or hides the chart legend.
    void ZeigeLegende(bool on);
    platform::Chart2D* Chart() const { return Chart2D1; }
    // StatusBar2: the text of the simple style, or panel 1 / 2 of the panel style.
    std::string StatusText() const;
    std::string StatusPanel(int panel) const;
    bool StatusEinfach() const { return statusEinfach_; }
    // Sets the result line of the simple style (the evaluation plots write their result here).
    void SetStatusText(const std::string& text);
    int RasterSchritte() const { return rasterSchritte_; }

    // The colour dialog of the colour preselection: receives the dialog's colour and returns the
    // colour it holds after closing (the same when cancelled). Replaceable for tests.
    using FarbDialog = std::function<int(int dialogFarbe)>;
    static void SetFarbDialog(FarbDialog dialog);

    // Results of the last evaluation plot (intercept, slope, R^2; -7, -4 and -3 keep derived results).
    double RegAchsenabschnitt() const { return regAchsenabschnitt_; }
    double RegSteigung() const { return regSteigung_; }
    float RegBestimmtheit() const { return regBestimmtheit_; }

    // ---- Measured point sets (chart group 2) ----
    // Shows the active measured rows as point sets for the current diagram code; someInside :=
    // whether a shown point lies inside the axis range (bounds included).
    void zeigeExperPunkte(bool& someInside);
    void mnuAddPunkte_Click();
    // Hidden buttons pressed by the X-Y editor: XYZeichenPunkte as a further point set / curve.
    void cmdExternPoints_Click();
    void cmdManuKurve_Click();
    // 0 deletes every point set, 1..12 that set.
    void mnuSubDelPoints_Click(int index);

    // ---- Marks (series 26..39 of group 1) ----
    void mnuHalbA_Click();
    void mnuHalbB_Click();
    void mnuDelHalbAB_Click();
    void mnuMark_Click();
    // Hidden button pressed by the stirred-tank windows: a vertical line at tauMittel.
    void cmdMarkConti_Click();

    // ---- Mouse read-out and zoom; X and Y in twips relative to the chart ----
    void Chart2D1_MouseMove(int Button, int Shift, float X, float Y);
    void Chart2D1_MouseDown(int Button, int Shift, float X, float Y);
    void Chart2D1_MouseUp(int Button, int Shift, float X, float Y);
    void cmdZoom_Click();
    void cmdZoomReset_Click();
    // Zoom mode: on from cmdZoom until the next left-button release or the reset.
    bool ZoomModus() const { return zoomModus_; }

    // ---- Coordinate range, single-point calculator, chart layout files ----
    void mnuCoord_Click();
    void cmdSingleCalc_Click();
    void mnuSaveOC2_Click();
    void mnuLoadOC2_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sizes the shown read-out labels to their texts and sets them in one row on the line above the
    // status bar, from the read-out's left edge, or further left when the window is too narrow.
    void LegeAuslesungAn();
    void BaueFenster();
    void BaueMenues();
    void RichteKurvenGruppeEin();
    void RichtePunktGruppeEin();
    void RichteLabelsEin(bool schmal);
    void SetzeFarben();
    void SetzeMenuesFuerCode();
    void ErsteZeichnung();
    void SetzeGeometrie();
    void SetStatusStil(bool einfach);
    void SetStatusPanel(int panel, const std::string& text);
    bool ZeigeExperPunkte();
    bool RohrBereichUebernehmen(int code);
    void ZeigeKurve(int slot, const std::optional<std::string>& label);
    void SchliesseStatusAb(const std::string& parameter);
    QAction* Aktion(const std::string& name) const;
    void Aktivieren(const std::string& name, bool on);
    // Triggers a menu entry of the window when it exists (entries of the design menus).
    void DrueckeMenue(const std::string& name);
    void BaueWerkzeugKnoepfe();
    void HalbwertMarke(int spezies);
    void SetzeAuslesungHinweis(const char* mitte, const char* rechts, bool zeigerPfeil);
    void SetzeMausZeiger(int art);
    void ZoomModusAus();
    void HoleAchsenBereich();

    platform::Chart2D* Chart2D1 = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    QPushButton* cmdDraw = nullptr;
    QPushButton* cmdFarbVorwahl = nullptr;
    QLabel* Label49 = nullptr;
    QPushButton* cmdEscGraph = nullptr;
    QWidget* StatusBar2 = nullptr;
    QLabel* statusSimple_ = nullptr;
    std::array<QLabel*, 3> statusPanel_{};
    QLineEdit* txtFarbeStatusbar2 = nullptr;
    QLabel* lblMausPosNr = nullptr;
    QLabel* lblMausPosCol = nullptr;
    QLabel* lblMausPosX = nullptr;
    QLabel* lblMausPosY = nullptr;
    QLabel* lblMausPosZ = nullptr;
    QPushButton* cmdZoom = nullptr;
    QPushButton* cmdZoomReset = nullptr;
    QPushButton* cmdSingleCalc = nullptr;
    QPushButton* cmdMarkConti = nullptr;
    QPushButton* cmdExternPoints = nullptr;
    QPushButton* cmdManuKurve = nullptr;

    bool statusEinfach_ = false;
    int rasterSchritte_ = 300;
    int chartFarbeBeimLaden_ = 0xFFFFFF;
    int farbDialogFarbe_ = 0;        // the colour dialog keeps its colour within one window
    bool geometrieGesetzt_ = false;
    bool zoomModus_ = false;
    double regAchsenabschnitt_ = 0;
    double regSteigung_ = 0;
    float regBestimmtheit_ = 0;
};

// The window as the design dialog reaches it (null while the window is not loaded).
extern frmTGraph2D* gDiagramm;

}  // namespace diagram
