#pragma once
// The design dialog " Diagramm-Gestaltung" of the diagram window: a modeless window kept above the
// others, with six panels of which one is shown at a time (1 design tabs, 2 curves, 3 point sets,
// 4 text, 5 print/save, 6 axis range). Every control changes the chart of the open diagram window
// (diagram::gDiagramm); without a diagram window the handlers change nothing in a chart.
//
// The dialog installs itself as the diagram window's design link (diagram::SetGestaltung) when it
// is created and removes itself when it goes.
#include <QWidget>
#include <array>
#include <string>

#include "design/ErsterZustand.h"
#include "diagram/GestaltungLink.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;

namespace platform {
class Chart2D;
}

namespace design {

class frmTGraph2D_Gestaltung : public QWidget, public diagram::GestaltungLink {
    Q_OBJECT

public:
    explicit frmTGraph2D_Gestaltung(QWidget* parent = nullptr);
    ~frmTGraph2D_Gestaltung() override;

    // The loaded instance, or null.
    static frmTGraph2D_Gestaltung* Geladen();

    // ---- Frame and life cycle ----
    void Form_Load();
    // unloadMode 0: the user's close box (the dialog only hides); any other mode lets it go.
    void Form_QueryUnload(int& cancel, int unloadMode);
    int AktShowType() const { return aktShowType_; }

    // ---- GestaltungLink ----
    void FormGST_Show(int intShowType) override;
    void FormGST_Hide(bool bolMeHide) override;
    void DeleteAllDesignFrames() override;
    // The diagram window's call: applies coord(1..4); a range it hands over that cannot be shown
    // draws no input-error message (the button "Anwenden" complains).
    void cmdCoord_OK_Click() override;
    // The range panel's button and the diagram window's call (melden false).
    void BereichAnwenden(bool melden);
    void optScaling_Click(int index) override;
    void WaehleScaling(int index) override;
    void chkLegTransparent_Click() override;
    void SetKurvenTab(int slot, bool on, const std::string& caption) override;
    void SetKurvenFarbe(int slot, int colour) override;
    void SetLinienbreite(int slot, const std::string& shown) override;
    void SetKurvenStilListe(int slot, int listIndex) override;
    void SetTxtLegend(int slot, const std::string& text) override;
    void SetTxtLabel(int slot, const std::string& text) override;
    void SetEinzelLabelSichtbar(int slot, bool ticked) override;
    void SetLabelVerschiebung(int slot, int pointIndex) override;
    void SetPunkteTab(int set, bool on, const std::string& caption) override;
    void SetPunkteTabAn(int set, bool on) override;
    void SetPunkteTabAktuell(int set) override;
    void SetTxtLegPoints(int set, const std::string& text) override;
    std::string TxtLegPoints(int set) const override;
    void SetLblNumPoints(int set, const std::string& text) override;
    void SetPunktFarbe(int set, int colour) override;
    void SetPunktStilListe(int set, int listIndex, const std::string& sizeShown) override;
    void SetChkLegend(int value) override;
    void SetKurvenTabAktuell(int slot) override;
    void SetDesignTab(int tab) override;
    void DeleteCurvePoint(int iKurve, int iPunkt) override;
    void DeleteSingleMeasuringPoint(int iPointSet, int iPunkt) override;
    void cmdKurven_OK_Click() override;
    void cmdPunkte_OK_Click() override;
    bool TabsPanelSichtbar() const override;
    void CoordPanelBereit() override;
    void SetCoord(int index, const std::string& text) override;
    void SetTabcoord(int index, const std::string& text) override;
    void SetLegendPosition(int left, int top) override;
    void PresetsForNewDiagram() override;
    void SetRandFarben(int inner, int outer, int plotArea) override;
    void DiagrammGeoeffnet() override;
    void DiagrammGeschlossen() override;

    // ---- Curve and point-set styles ----
    void cmbKStil_Click(int k);
    void cmdKurvenFarbe_Click(int k);
    void cmbPunktStil_Click(int k);
    void cmdPunktFarbe_Click(int k);
    void UpDown1_PointSize_Change(int k);
    void txtLegPoints_Change(int k);

    // ---- Legend, curve labels, frames ----
    void chkDiaFrame_Click();
    void chkEinzelLabelSichtbar_Click(int k);
    void chkLabelNotVisible_Click();
    void chkLabelFrame_Click();
    void cmdFontLabel_Click();
    void cmdLabelFColor_Click();
    void cmdLabelBColor_Click();
    void chkLegend_Click();
    void cmdLegBColor_Click();
    void cmdLegFColor_Click();
    void cmdLegFont_Click();
    void chkTextFrame_Click();

    // ---- Colours, margins, presets ----
    void cmdRandCol_in_Click();
    void cmdRandCol_out_Click();
    void cmdColorPlotArea_Click();
    void cmdGitterFarbe_Click();
    void cmdDiaAxColor_Click();
    void cmdDiaFrameColor_Click();
    void chkAutoRand_Click();
    void cmdFullBlack_Click();
    void cmdFullWhite_Click();
    void cmdRandColGrau_Click();
    void cmdPlotAreaColGrey_Click();

    // ---- Spacing, origin mode, curve data ----
    void SpacingField_Change(int field);  // 0..5: X grid, Y grid, X tick, Y tick, X numbers, Y numbers
    void optStandardOrigin_Click(int index);
    void cmdClipboard_Click();
    // The open tab's curve as an X-Y point file headed "Kurvenpunkte" (missing points left out);
    // an empty tab or curve only beeps, a failed write is reported.
    void cmdSaveCurveAsXY_Click();

    // ---- Axis range ----
    void cmdTabCoord_OK_Click();
    void cmdCoord_Esc_Click();
    // Key filter of Tabcoord (tab true) and coord; keyAscii becomes 0 when the key is swallowed.
    void coord_KeyPress(bool tab, int index, int& keyAscii);

    // ---- Log axes, grid, origin, numbers ----
    void cmdXLog_Click();
    void cmdYLog_Click();
    void opt1Gitter_Click(int index);
    void opt2Gitter_Click(int index);
    void optXOrigin_Click(int index);
    void optYOrigin_Click(int index);
    void optXZiffern_Click(int index);
    void optYZiffern_Click(int index);
    void optOrientYAxText_Click(int index);
    void optOrientYAxZiff_Click(int index);
    int GridArt() const { return gridArt_; }

    // ---- Texts, legend placement, margins ----
    void schrift_Change();
    void schrift_KeyPress(int& keyAscii);
    void HScroll1_Change();
    void VScroll1_Change();
    void cmdSchriftHFarbe_Click();
    void cmdFont_Click();
    void cmdSchriftFertig_Click();
    void cmdHeaderDesign_Click();
    void cmdZusatzzeileDesign_Click();
    void chkLegFrame_Click();
    void optLegOrient_Click(int index);
    void scrLegH_Change();
    void scrlegV_Change();
    void scrMargin_Change(int side);  // 0 left (scrHL), 1 top (scrHO), 2 right (scrHR), 3 bottom (scrHU)
    void txtLegend_Change(int k);
    void txtLabel_Change(int k);
    void scrShiftLab_Change(int k);
    void UpDown1_KBreite_Change(int k);

    // ---- Deleting ----
    void TabKurven_Click(int previousTab);
    void tabPunkte_Click(int previousTab);
    void cmdDelPointSet_Click();
    void cmdDelKurv_Click();
    void cmdDelSinglePoint_Click();
    void cmdMsgDelPoint_Click();

    // ---- Picture output ----
    void cmbGraphFormat_Click();
    void optSM_Click(int index);
    void cmdPrint_Click();
    void cmdPrint_Esc_Click();

    // Panel frames 1..6 (index 0 unused).
    std::array<QGroupBox*, 7> panel{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BaueDialog();
    QWidget* BaueGitterTab();
    QWidget* BaueRahmenTab();
    QWidget* BaueMusterTab();
    QWidget* BaueRaenderTab();
    QWidget* BaueLegendeTab();
    QWidget* BaueBereichTab();
    QWidget* BaueSkalierungTab();
    QWidget* BaueUrsprungTab();
    QWidget* BaueZiffernTab();
    QWidget* BaueEtikettTab();
    QWidget* BaueLogTab();
    QWidget* BaueKopfTab();
    void BaueKurvenPanel();
    void BauePunktePanel();
    void BaueSchriftPanel();
    void BauePrintPanel();
    void BaueCoordPanel();
    void PlacePanel(QGroupBox* frame);
    void ApplyCoordRange();
    // Reads, checks and applies one set of range fields; true when accepted.
    // melden: complain about a refused range (the user's input) or only put the stored range back.
    bool UebernimmBereich(const std::array<QLineEdit*, 5>& felder, bool zweiterBereich, bool melden);
    void LegendenSchema();
    // Switches "X" (or "Y" with "Y2") between linear and logarithmic; see cmdXLog_Click.
    void SchalteLog(bool yAchsen);
    void SchreibeAbstaende();
    int KurvenNummerDesTabs() const;
    // A swatch button that runs handler when pressed.
    QPushButton* Swatch(QWidget* eltern, const char* name, const char* text, void (frmTGraph2D_Gestaltung::*handler)());

public:
    // Controls (objectNames as their names; arrays "Name(i)").
    QTabWidget* tabDesign = nullptr;
    QPushButton* cmdTabs_OK = nullptr;
    std::array<QRadioButton*, 4> opt1Gitter{};
    std::array<QRadioButton*, 2> opt2Gitter{};
    QPushButton* cmdGitterFarbe = nullptr;
    QCheckBox* chkDiaFrame = nullptr;
    QPushButton* cmdDiaFrameColor = nullptr;
    QPushButton* cmdFullBlack = nullptr;
    QPushButton* cmdFullWhite = nullptr;
    QPushButton* cmdRandColGrau = nullptr;
    QPushButton* cmdPlotAreaColGrey = nullptr;
    QPushButton* cmdRandCol_in = nullptr;
    QPushButton* cmdRandCol_out = nullptr;
    QPushButton* cmdColorPlotArea = nullptr;
    QCheckBox* chkAutoRand = nullptr;
    std::array<QLabel*, 5> lb{};
    QGroupBox* frRandBreite = nullptr;
    QScrollBar* scrHL = nullptr;
    QScrollBar* scrHO = nullptr;
    QScrollBar* scrHR = nullptr;
    QScrollBar* scrHU = nullptr;
    QCheckBox* chkLegend = nullptr;
    QCheckBox* chkLegFrame = nullptr;
    QCheckBox* chkLegTransparent = nullptr;
    std::array<QRadioButton*, 2> optLegOrient{};
    QScrollBar* scrLegH = nullptr;
    QScrollBar* scrlegV = nullptr;
    QPushButton* cmdLegFont = nullptr;
    QPushButton* cmdLegBColor = nullptr;
    QPushButton* cmdLegFColor = nullptr;
    std::array<QLineEdit*, 5> Tabcoord{};
    QPushButton* cmdTabCoord_OK = nullptr;
    std::array<QRadioButton*, 2> optScaling{};
    // txtXGridValue, txtYGridValue, txtXTickValue, txtYTickValue, txtXZiffValue, txtYZiffValue
    std::array<QLineEdit*, 6> spacingFeld{};
    std::array<QRadioButton*, 2> optStandardOrigin{};
    QGroupBox* fraOrigin = nullptr;
    std::array<QRadioButton*, 4> optXOrigin{};
    std::array<QRadioButton*, 4> optYOrigin{};
    QLineEdit* txtXOrigin = nullptr;
    QLineEdit* txtYOrigin = nullptr;
    QPushButton* cmdDiaAxColor = nullptr;
    std::array<QRadioButton*, 3> optXZiffern{};
    std::array<QRadioButton*, 3> optYZiffern{};
    QPushButton* cmdFontLabel = nullptr;
    QCheckBox* chkLabelNotVisible = nullptr;
    QCheckBox* chkLabelFrame = nullptr;
    QPushButton* cmdLabelFColor = nullptr;
    QPushButton* cmdLabelBColor = nullptr;
    QPushButton* cmdXLog = nullptr;
    QPushButton* cmdYLog = nullptr;
    QPushButton* cmdHeaderDesign = nullptr;
    QPushButton* cmdZusatzzeileDesign = nullptr;

    QTabWidget* tabKurven = nullptr;
    std::array<QLineEdit*, 25> txtLabel{};
    std::array<QScrollBar*, 25> scrShiftLab{};
    std::array<QCheckBox*, 25> chkEinzelLabelSichtbar{};
    std::array<QPushButton*, 25> cmdKurvenFarbe{};
    std::array<QComboBox*, 25> cmbKStil{};
    std::array<QSpinBox*, 25> UpDown1_KBreite{};
    std::array<QLabel*, 25> Label39{};
    std::array<QLineEdit*, 25> txtLegend{};
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdSaveCurveAsXY = nullptr;
    QPushButton* cmdDelKurv = nullptr;
    QPushButton* cmdMsgDelPoint = nullptr;
    QPushButton* cmdKurven_OK = nullptr;

    QTabWidget* tabPunkte = nullptr;
    std::array<QLabel*, 13> lblNumPoints{};
    std::array<QComboBox*, 13> cmbPunktStil{};
    std::array<QSpinBox*, 13> UpDown1_PointSize{};
    std::array<QLabel*, 13> Label56{};
    std::array<QPushButton*, 13> cmdPunktFarbe{};
    std::array<QLineEdit*, 13> txtLegPoints{};
    QPushButton* cmdDelSinglePoint = nullptr;
    QPushButton* cmdDelPointSet = nullptr;
    QPushButton* cmdPunkte_OK = nullptr;

    QPlainTextEdit* schrift = nullptr;
    QGroupBox* fraTextShift = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QLabel* Label60 = nullptr;
    QPushButton* cmdSchriftHFarbe = nullptr;
    QPushButton* cmdFont = nullptr;
    QCheckBox* chkTextFrame = nullptr;
    QGroupBox* fraYText = nullptr;
    QGroupBox* fraYZiff = nullptr;
    std::array<QRadioButton*, 2> optOrientYAxText{};
    std::array<QRadioButton*, 2> optOrientYAxZiff{};
    QPushButton* cmdSchriftFertig = nullptr;

    QGroupBox* frGraphFormat = nullptr;
    QComboBox* cmbGraphFormat = nullptr;
    QGroupBox* frPrintScaling = nullptr;
    std::array<QRadioButton*, 5> optSM{};  // 2..4
    QLineEdit* txtHeight_in_cm = nullptr;
    QLineEdit* txtWidth_in_cm = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QGroupBox* frPrintPos = nullptr;
    QLineEdit* txtTop_in_cm = nullptr;
    QLineEdit* txtLeft_in_cm = nullptr;
    QGroupBox* frHinweis = nullptr;
    QLabel* Label33 = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdPrint_Esc = nullptr;

    std::array<QLineEdit*, 5> coord{};
    QPushButton* cmdCoord_OK = nullptr;
    QPushButton* cmdCoord_Esc = nullptr;

private:
    int aktShowType_ = 0;
    int gridArt_ = 0;
    int letzteFrameFarbe_ = 0;       // the frame colour dialog starts where it was last closed
    bool abstaendeVomChart_ = false; // the spacing fields are being filled from the chart
    bool plaziert_ = false;
    // The range minimum the log switch lifted, per axis (0 x, 1 y), to give back on linear.
    struct AngehobeneAchse {
        bool aktiv = false;
        float vorher = 0, min = 0, max = 0;  // the minimum before, and the range after the lift
    };
    std::array<AngehobeneAchse, 2> angehoben_{};
    ErsterZustand erster_;  // the controls as built, for the next diagram window
    bool gebunden_ = false; // serves a diagram window since its last reset
    // Back to the state of a freshly built dialog: first control states, hidden, stored colours.
    void Zuruecksetzen();
};

// The chart of the open diagram window, or null.
platform::Chart2D* DiagrammChart();

}  // namespace design
