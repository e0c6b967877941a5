#pragma once
// The calculator "Arrhenius-Rechner" / "Eyring-Rechner": a rate constant at a temperature from the
// pre-exponential factor and the activation energy (kTFunktion = 1) or from the activation entropy
// and enthalpy (kTFunktion = 2), shown in the current time unit and per second. Every activation of
// the window sets T back to 298.15 K and reloads the parameter boxes from the shared values.
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class frmArrheniusRechner : public QWidget {
    Q_OBJECT

public:
    explicit frmArrheniusRechner(QWidget* parent = nullptr);

    static frmArrheniusRechner* Geladen();

    void Form_Activate();
    void cmdCalc_Click();
    void cmdClose_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Form_QueryUnload();

    std::array<QLineEdit*, 4> txtInpArrh{};
    QLineEdit* txtkResult = nullptr;
    QLineEdit* txtksecResult = nullptr;
    QLabel* lblkEinheit = nullptr;
    QLabel* lblkEinheitsec = nullptr;
    QLabel* lblFormel = nullptr;
    QLabel* lblk0 = nullptr;
    QLabel* lblEA = nullptr;
    QLabel* lblUnitk0 = nullptr;
    QLabel* lblUnitEA = nullptr;
    QLabel* lblRO = nullptr;
    QLabel* lblk0Eyring = nullptr;
    QLabel* lblTK = nullptr;
    QPushButton* cmdCalc = nullptr;
    QPushButton* cmdClose = nullptr;

    bool positioniert_ = false;
    bool mdiVerbunden_ = false;
};
