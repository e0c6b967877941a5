#pragma once
// The teaching window on the blood alcohol concentration (BAK) of one person after up to eight drinks,
// after Widmark: person and model parameters with their standard values and range checks, the drink
// table (volume, content, drinking speed, start minute or clock time), and the diagram of BAK over the
// minutes, drawn by the diagram window as diagram code 500. Every parameter lives in the shared BAK*
// state, so it survives closing and reopening the window.
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace games {
// The main-window entry "Spezial: &Blutalkohol-Abbau": closes the calculation windows, hides the model
// window and shows the blood-alcohol window afresh.
void Blutalkohol_Click();
}  // namespace games

class frmBlutalkohol : public QWidget {
    Q_OBJECT

public:
    explicit frmBlutalkohol(QWidget* parent = nullptr);

    // The loaded instance, or null.
    static frmBlutalkohol* Geladen();

    // Every parameter to its standard value (body mass, drink table and t(max) stay).
    void SetBAKStandard();

    // ---- Event handlers (control arrays receive their index; drinks are numbered 1..8) ----
    void Form_Activate();
    void cmdClose_Click();
    void optBAKModel_Click(int Index);
    void optBAKUnit_Click(int Index);
    void optrWert_Click(int Index);
    void txt_r_Change(int Index);
    void txtKoerpermasse_Change();
    void txtRD_Change();
    void txtb60_Change();
    void cmdStandardWerte_Click();
    void cmdRecht_Click();
    void cmdHelp_Click();
    void txtGlasVol_Change(int Index);
    void txtAlkGehalt_Change(int Index);
    void cmbkres_Click(int Index);
    void txtStartZeit_Change(int Index);
    void cmdBeispiel_Click();
    void cmdDeleteTabelle_Click();
    void txt_tmaxGraph_Change();
    void chkDelDiagram_Click();
    void cmdCloseGraph_Click();
    void cmdDiagramm_Click();
    // Converts the clock time of drink i (1..8) into its start minute; drink 1 first.
    void ZeitUmrechnen(int i);

    static constexpr int kGetraenke = 8;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildTable();
    void Form_Load();
    void Form_QueryUnload();
    void FillTableOnLoad();
    // False after the first parameter out of range (message shown, parameter reset).
    void CheckBAKParameter(bool& ok);
    // Body mass above 0 and t(max) within 1..999 min; false after the message, with the focus on the field.
    bool PruefeMasseUndTmax();
    // Sets the rate choice of drink i and runs its click handling, as a choice from code does.
    void SetzeRate(int i, int listIndex);
    bool RateLeer(int i) const;
    void ZeigeMasse(int i);
    // Selects an option from code and runs its click handling.
    void WaehleModell(int index);
    void Fett(const std::array<QRadioButton*, 3>& optionen, int gewaehlt);
    // Status bar of the diagram window after a drawing: panels on, colour box shown in `farbe`.
    void StatusbarNachZeichnen(int farbe);

    // Parameters.
    QGroupBox* fraBAKModel = nullptr;
    std::array<QRadioButton*, 3> optBAKModel{};
    QGroupBox* fraBAKUnit = nullptr;
    std::array<QRadioButton*, 2> optBAKUnit{};
    QGroupBox* fraParameter = nullptr;
    std::array<QRadioButton*, 2> optrWert{};
    std::array<QLineEdit*, 2> txt_r{};
    QLineEdit* txtKoerpermasse = nullptr;
    QLineEdit* txtb60 = nullptr;
    QLineEdit* txtkres = nullptr;
    QLineEdit* txtRD = nullptr;
    QPushButton* cmdStandardWerte = nullptr;
    QPushButton* cmdRecht = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;

    // Drink table, index 1..8 (0 unused).
    QGroupBox* fraTabelle = nullptr;
    QTableWidget* tblGetraenke = nullptr;
    std::array<QLineEdit*, kGetraenke + 1> txtGlasVol{};
    std::array<QLineEdit*, kGetraenke + 1> txtAlkGehalt{};
    std::array<QLabel*, kGetraenke + 1> AlkMas{};
    std::array<QComboBox*, kGetraenke + 1> cmbkres{};
    std::array<QLineEdit*, kGetraenke + 1> txtStartZeit{};
    std::array<QLineEdit*, kGetraenke + 1> txt_h{};
    std::array<QLineEdit*, kGetraenke + 1> txt_m{};
    std::array<int, kGetraenke + 1> UhrStunde{};
    std::array<int, kGetraenke + 1> UhrMinute{};
    std::array<int, kGetraenke + 1> UhrzeitMinuten{};
    QPushButton* cmdBeispiel = nullptr;
    QPushButton* cmdDeleteTabelle = nullptr;

    // Diagram.
    QGroupBox* fraDiagramm = nullptr;
    QLineEdit* txt_tmaxGraph = nullptr;
    QCheckBox* chkDelDiagram = nullptr;
    QPushButton* cmdDiagramm = nullptr;
    QPushButton* cmdCloseGraph = nullptr;

    int altModell = 0;
    int altDiagrammCode = 0;
    bool ParameterOK = true;
    bool positioniert_ = false;
    bool mdiVerbunden_ = false;
};
