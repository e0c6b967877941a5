#pragma once
// The window "Berechnung Verweilzeit-Verteilung für Rührkessel und Rührkessel-Kaskade": residence-time
// density E and cumulative function F of N equal ideal stirred tanks in series (N = 1..120) with the
// mean residence time tm = V / V*, over t or over t/tm. Each press draws one curve; while the diagram
// window is open further presses add curves to it.
#include <QWidget>
#include <array>
#include <string>

#include "simulation/ResidenceCurve.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmVerweilCalc : public QWidget {
    Q_OBJECT
public:
    explicit frmVerweilCalc(QWidget* parent = nullptr);

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();
    // The open window, or null.
    static frmVerweilCalc* Loaded();

    void Form_Load();
    // Stores the window position, closes the diagram window and shows the model window again.
    void Form_QueryUnload();
    void cmdDiaE_RK_Click();
    void cmdDiaF_RK_Click();
    void optxAchse_Click(int Index);
    void txtNKask_Change();
    void txtVR_Change();
    void txtVPunkt_Change();
    // Key filter of the V and V* boxes; KeyAscii becomes 0 when the key is discarded.
    void txtVR_KeyPress(int& KeyAscii);
    void txtVPunkt_KeyPress(int& KeyAscii);
    void cmdCloseDiag_Click();
    void cmdHelp_Click();
    void cmdEsc_Click();

    // Window-level values (read by tests).
    float VGesamt() const { return VGesamt_; }
    float VDurchsatz() const { return VDurchsatz_; }
    double tMittel() const { return tMittel_; }
    bool xAchseT() const { return xAchseT_; }

    QLineEdit* txtNKask = nullptr;
    QLineEdit* txtVR = nullptr;
    QLineEdit* txtVPunkt = nullptr;
    QLineEdit* txttm = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QGroupBox* frKessel = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame6 = nullptr;
    std::array<QRadioButton*, 2> optxAchse{};
    QPushButton* cmdDiaE_RK = nullptr;
    QPushButton* cmdDiaF_RK = nullptr;
    QPushButton* cmdCloseDiag = nullptr;
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    void BuildControls();
    QWidget* Frame();
    // The common road of both draw buttons; eKurve tells which of the two is pressed.
    void ZeichneKurve(simulation::VerweilFunktion art);
    // Fills KurvenPunkte with the E (F) curve and shows the overflow and visibility messages.
    void Berechne_EtKurve();
    void Berechne_FtKurve();
    void BerechneKurve(simulation::VerweilFunktion art);
    // Reads V or V* from its box; a value beyond the Single range is refused and the box restored.
    bool ReadVolume(QLineEdit* box, float& value, QString& lastText);
    void UpdateTm();
    void SetTmLabel();

    float VGesamt_ = 0;
    float VDurchsatz_ = 0;
    double tMittel_ = 0;
    bool xAchseT_ = true;
    QString lastVR_;
    QString lastVPunkt_;
    bool positioned_ = false;
};
