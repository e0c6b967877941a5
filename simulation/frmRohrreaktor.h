#pragma once
// The isothermal tubular (plug-flow) reactor of constant volume ("Rohr-Reaktor, isotherm,
// volumenbest. Reaktion"): a volume element passing a tube of length l at the velocity v reacts for
// t = l / v as in a batch reactor. From the inlet concentrations, the rate constants, v and one of
// reaction time, tube length or conversion U(A) the window computes the other two, the outlet
// concentrations, the extents of reaction, the tube picture, one protocol row and the concentration
// profile along the tube.
#include <array>

#include "simulation/CalcWindow.h"

namespace simulation {
class VesselCanvas;
}

class frmRohrreaktor : public CalcWindow {
    Q_OBJECT
public:
    explicit frmRohrreaktor(QWidget* parent = nullptr);

    // The open window, or null.
    static frmRohrreaktor* Loaded();

    // Refresh after a model, order or typed input change: clears the results and disables the
    // diagram and extent buttons; the tube is drawn for conversion 0.
    void InitRohr();
    void Refresh() override { InitRohr(); }

    void Form_Load();
    void Form_Activate();
    void optInpSelect_Click(int index);
    void cmdCalcRohr_Click();
    void cmdDiagram_Click();
    void cmdHelp_Click();

    std::array<QRadioButton*, 3> optInpSelect{};  // 0 time, 1 length, 2 conversion given
    QLabel* Label5 = nullptr;                     // range hint of U(A)
    QLabel* Label8 = nullptr;                     // unit of v
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblVPunktInput = nullptr;             // invisible, written by the unit captions
    QPushButton* cmdCalcRohr = nullptr;
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdHelp = nullptr;
    simulation::VesselCanvas* Picture = nullptr;

    // -1 from loading until the first successful calculation.
    int ErsteBerechnung = kernel::kTrue;

protected:
    kernel::FormPos* PositionPair() override { return &kernel::PosRohrreaktor; }
    void StoreInp(int index, double value) override;
    void BeforeStore(int index) override;
    QSize sizeHint() const override;

private:
    void BuildControls();
    bool Calculate();
    void WriteProtocolRow();
};
