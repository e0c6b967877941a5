#pragma once
// The isothermal batch reactor ("Batch-Reaktor, isotherm"): from the initial concentrations, the
// rate constants and either the reaction time or the conversion U(A), the end concentrations, the
// conversion or the time that reaches it, the extents of reaction, a vessel picture coloured by the
// conversion, one protocol row and the concentration-time diagram of the run.
#include <array>

#include "simulation/CalcWindow.h"

namespace simulation {
class VesselCanvas;
}

class frmBatch : public CalcWindow {
    Q_OBJECT
public:
    explicit frmBatch(QWidget* parent = nullptr);

    // The open window, or null.
    static frmBatch* Loaded();

    // Refresh after a model, order or typed input change: clears the results and disables the
    // diagram and extent buttons; the picture shows conversion 0.
    void InitBatch();
    void Refresh() override { InitBatch(); }

    void Form_Load();
    void Form_Activate();
    void optInpSelect_Click(int index);
    void cmdCalcBatch_Click();
    void cmdDiagram_Click();
    void cmdHelp_Click();

    std::array<QRadioButton*, 2> optInpSelect{};  // 0 reaction time given, 1 conversion given
    QLabel* Label5 = nullptr;                     // range hint of U(A)
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblVPunktInput = nullptr;             // invisible, written by the unit captions
    QPushButton* cmdCalcBatch = nullptr;
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdHelp = nullptr;
    simulation::VesselCanvas* Picture = nullptr;

    // -1 from loading until the first successful calculation.
    int ErsteBerechnung = kernel::kTrue;

protected:
    kernel::FormPos* PositionPair() override { return &kernel::PosBatch; }
    void StoreInp(int index, double value) override;
    QSize sizeHint() const override;

private:
    void BuildControls();
    bool Calculate();
    void WriteProtocolRow();
};
