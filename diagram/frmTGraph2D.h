#pragma once
// The 2-D diagram window "Diagramm-Grafik": up to 24 curves in chart group 1 (series 1..24; series
// 25 is the hidden frame series spanning the axis range, 26..39 the marks) and up to 12 point sets
// in chart group 2. Every diagram reaches it through GrafZentrale; the window's set-up (Form_Load,
// run by the constructor) draws the first curve, cmdDraw adds further curves.
//
// Menu entries whose commands live in other modules (marks, point sets, labels, legend, picture
// output, design) are created here with the enable state the diagram asks for; those modules
// connect their handlers to the entries (found by objectName).
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

    // Shows the measured points of the current diagram as point sets and tells whether one lies
    // inside the axis range. Installed by the point-set module; without it no points are shown.
    using ExperPunkteAnzeige = std::function<bool(frmTGraph2D&)>;
    static void SetExperPunkteAnzeige(ExperPunkteAnzeige anzeige);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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

    bool statusEinfach_ = false;
    int rasterSchritte_ = 300;
    int chartFarbeBeimLaden_ = 0xFFFFFF;
    int farbDialogFarbe_ = 0;        // the colour dialog keeps its colour within one window
    bool geometrieGesetzt_ = false;
    double regAchsenabschnitt_ = 0;
    double regSteigung_ = 0;
    float regBestimmtheit_ = 0;
};

// The window as the design dialog reaches it (null while the window is not loaded).
extern frmTGraph2D* gDiagramm;

}  // namespace diagram
