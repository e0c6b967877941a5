#pragma once
// The continuous stirred-tank window ("Kontinuierlicher Rührreaktor, isotherm"): the steady state of
// one ideal isothermal stirred tank for the current model, from the inlet, the rate constants and two
// of conversion U(A), volume V, volume flow V* and mean residence time t (the calculation mode
// CalcModeConti); outlet concentrations, one protocol row, the vessel picture coloured by the
// conversion and the diagram of the outlet over the mean residence time.
#include <array>
#include <string>

#include "simulation/CalcWindow.h"

namespace simulation {
class StirrerAnimation;
class VesselCanvas;
}  // namespace simulation

class frmRKconti : public CalcWindow {
    Q_OBJECT
public:
    explicit frmRKconti(QWidget* parent = nullptr);

    // The open window, or null.
    static frmRKconti* Loaded();

    // Clears the results and stops the stirrer (after a change of model, order or a typed input).
    void InitRKconti();
    void Refresh() override { InitRKconti(); }

    void Form_Load();
    void Form_Activate();
    void optCalcConti_Click(int index);
    void cmdCalc_Click();
    void cmdDiagram_Click();
    void cmdStop_Click() { InitRKconti(); }
    void chkAnimation_Click();
    void cmfHelp_Click();
    void cmdHelp_Click();

    // The complaints of the input check about the values now in the shared state and in
    // VolumenReaktor, each line ended by CR LF; empty when the inputs may be computed.
    std::string InputComplaints();
    // The refusal text for a given conversion that the reversible models 8, 12, 17, 19 cannot reach
    // (modes 0 and 1); empty when the conversion is reachable or the test does not apply.
    std::string ConversionRefusal() const;

    double VolumenReaktor = 0;   // reaction volume V, m^3
    int ErsteBerechnung = 0;

    std::array<QRadioButton*, 5> optCalcConti{};
    QLabel* Label2 = nullptr;            // range of U(A)
    QLabel* lblVPunktInput = nullptr;
    QLabel* lblZeitEinheit = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmfHelp = nullptr;
    QPushButton* cmdHelp = nullptr;      // invisible: help on the calculation mode
    QPushButton* cmdEsc = nullptr;
    QCheckBox* chkAnimation = nullptr;
    simulation::VesselCanvas* Picture = nullptr;
    simulation::StirrerAnimation* Stirrer = nullptr;

protected:
    void StoreInp(int index, double value) override;
    kernel::FormPos* PositionPair() override { return &kernel::PosRKconti; }
    QSize sizeHint() const override;

private:
    void BuildControls();
    void DrawReactorCSTR(double x);
    void FillProtocolRow();
    // UmsatzU, VolumenReaktor, VPunkt and tauMittel from the numbers in Inp(13..16).
    void ReadQuantities();
};
