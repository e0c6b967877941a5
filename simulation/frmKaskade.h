#pragma once
// The stirred-tank cascade window ("Rührkesselkaskade, isotherm"): N = 2..7 equal ideal stirred tanks
// in series for the current model, from the inlet, the rate constants and two of total conversion
// U(A), volume V of one tank, volume flow V* and mean total residence time t (CalcModeConti). Shows
// the outlet and the conversion after every stage, colours the tanks stage by stage, leaves one
// protocol row per stage and draws the concentration steps over the stages and the outlet over the
// mean residence time.
#include <QWidget>

#include <array>
#include <string>
#include <vector>

#include "kernel/RateLaws.h"
#include "simulation/CalcWindow.h"

class QFrame;

namespace simulation {
class StirrerAnimation;
class VesselCanvas;
}  // namespace simulation

class frmKaskade : public CalcWindow {
    Q_OBJECT
public:
    static constexpr int kMaxStufen = 7;

    explicit frmKaskade(QWidget* parent = nullptr);

    // The open window, or null.
    static frmKaskade* Loaded();

    // Lays the window out for the current model and N and clears every result.
    void InitCascade();
    void Refresh() override { InitCascade(); }

    void Form_Load();
    void Form_Activate();
    void optCalcKask_Click(int index);
    void txtNKask_Change();
    void cmdStart_Click();
    void cmdDiagram_Click();
    void cmdDiagram2_Click();
    void chkAnimation_Click();
    void cmdHelp_Click();

    // The complaints of the input check about the values now read, each line ended by CR LF.
    std::string InputComplaints();

    // Window width in twips (10200, or 13980 once more than five stages were chosen).
    int WidthTw() const { return widthTw_; }

    double VolumenKessel = 0;                 // volume V of one tank, m^3
    std::vector<double> UmsatzStufe;          // conversion after stage i (from the cascade inlet), 1..N
    kernel::ConcMatrix cAusgangStufe;         // outlet of stage i for each species slot, rows 0..N+1
    int ErsteBerechnung = 0;

    QLineEdit* txtNKask = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblVPunktInput = nullptr;
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblZeitProKessel = nullptr;
    std::array<QRadioButton*, 5> optCalcKask{};
    // Stage slots 1..7 (index 0 unused); outlet boxes and labels 1..35, k = 5 (i - 1) + s.
    std::array<QGroupBox*, kMaxStufen + 1> fraAusgang{};
    std::array<QLineEdit*, 5 * kMaxStufen + 1> cA{};
    std::array<QLabel*, 5 * kMaxStufen + 1> lblStoff_a{};
    std::array<QLabel*, kMaxStufen + 1> Label8{};
    std::array<QLabel*, kMaxStufen + 1> lblUA{};
    // Pipe from tank i - 1 to tank i, slots 2..7: down, across below, up, across above.
    std::array<std::array<QFrame*, 4>, kMaxStufen + 1> Line{};
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdDiagram2 = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdEsc = nullptr;
    QCheckBox* chkAnimation = nullptr;
    simulation::VesselCanvas* Picture = nullptr;
    simulation::StirrerAnimation* Stirrer = nullptr;

protected:
    void StoreInp(int index, double value) override;
    void BeforeStore(int index) override;
    void AfterStore(int index) override;
    kernel::FormPos* PositionPair() override { return &kernel::PosKaskade; }
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QSize sizeHint() const override;

private:
    void BuildControls();
    void BuildStageSlot(int i);
    void SetWidthTw(int twips);
    void ClearStageSlots();
    void SetStageEmphasis(int i, bool last);
    void ShowStage(int i);
    // The species letters of the current model beside the outlet boxes of every stage slot.
    void SetStageLetters();
    void ShowOutletBoxesByMask();
    void ClearComputedConversion();
    void UpdateZeitProKessel();
    // Solves stages 1..N of the current mode into the outlet boxes; false when a stage failed
    // (Fehler or Rechenfehler set accordingly).
    void SolveStages(int& Fehler, int& Rechenfehler);
    void WriteStage(int i);
    void FillProtocolRows();
    void ColourTanks();
    void ClearResultsAfterFailure();
    void RedrawNow();
    // UmsatzU, VolumenKessel, VPunkt and tauMittel from the numbers in Inp(13..16).
    void ReadQuantities();

    int widthTw_ = 0;
};
