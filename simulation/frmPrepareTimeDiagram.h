#pragma once
// The time-simulation window ("Konzentrations-Zeit-Funktionen" / "Reaktionsgeschwindigkeit-Zeit-
// Funktionen"): initial concentrations, rate constants and t(max) of the current model; draws the
// concentration-time or rate-time diagram, lists the same curves as a value table, and for the
// enzyme model draws and lists the Michaelis-Menten function.
#include <array>
#include <string>

#include "simulation/CalcWindow.h"

class QComboBox;

class frmPrepareTimeDiagram : public CalcWindow {
    Q_OBJECT
public:
    explicit frmPrepareTimeDiagram(QWidget* parent = nullptr);

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();
    // The open window, or null.
    static frmPrepareTimeDiagram* Loaded();

    // Refresh after a change of model or order: the model line of the n-th order model.
    void InitSimulation();
    void Refresh() override { InitSimulation(); }

    void Form_Load();
    void Form_Activate();
    // Key filter of the t(max) and k boxes; keyAscii becomes 0 when the key is discarded.
    void kCombo_KeyPress(int index, int& keyAscii);
    void kCombo_Change(int index);
    void txtS0max_Change();
    void chkMitPunkten_Click();
    void chkNormiert_Click();
    void cmdDrawctDiagram_Click();
    void cmdListe_Click();
    void cmdMMdiagram_Click();
    void cmdMichaelisListe_Click();
    void cmdClose_Click();
    void cmdHelp_Click();
    void cmdHelpDiagramme_Click();

    // The complaints of the draw and the value-table buttons about the inputs now in the shared
    // state, each line ended by CR LF; empty when the inputs may be computed. The draw check
    // resets an order n <= 0 of model 20 to 1.5.
    std::string DrawComplaints();
    std::string ListComplaints() const;

    std::array<QComboBox*, 4> kCombo{};     // 0 t(max), 1..3 k1..k3
    QLabel* Bz8 = nullptr;                  // "t(max)/"
    QLabel* unit4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;               // "Stoff" beside the scaling options
    QPushButton* cmdDrawctDiagram = nullptr;
    QPushButton* cmdListe = nullptr;
    QCheckBox* chkMitPunkten = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdHelpDiagramme = nullptr;
    QGroupBox* Rahmen4 = nullptr;
    QGroupBox* Rahmen5 = nullptr;
    QGroupBox* Rahmen6 = nullptr;
    QGroupBox* fraMichaelis = nullptr;
    QLabel* lblMichaelisK1 = nullptr;
    QLabel* lblMichaelisK2 = nullptr;
    QCheckBox* chkNormiert = nullptr;
    QLabel* lblS0max = nullptr;
    QLineEdit* txtS0max = nullptr;
    QPushButton* cmdMMdiagram = nullptr;
    QPushButton* cmdMichaelisListe = nullptr;

protected:
    // Only replaces a decimal comma (done by the frame); nothing is stored from the boxes here.
    void Inp_Change(int) override {}
    void SavePosition() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Esc closes the window while it is the active one.
    void keyPressEvent(QKeyEvent* event) override;
    // The size the window opens with (the MDI frame takes it from here).
    QSize sizeHint() const override;

private:
    void BuildControls();
    void ReadConcentrations();
    void AppendHistory();
    // CalcZeitverlauf for the shared inputs; false (after "Berechnungsfehler aufgetreten" under
    // the handler's title) when it fails.
    bool CalculateTimeCourse(const std::string& handler);
    void ShowDiagram();
    void SetModelLine20();
    QWidget* Frame();

    bool positioned_ = false;
    bool mdiConnected_ = false;
};
