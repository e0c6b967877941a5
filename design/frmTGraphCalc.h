#pragma once
// The single-point calculator "  Einzelpunkt-Rechner": the values of the current model's curves at one
// time (for the enzyme model's r(P)-c(S) view: at one c(S)) inside the drawn diagram range.
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace design {

class frmTGraphCalc : public QWidget {
    Q_OBJECT

public:
    explicit frmTGraphCalc(QWidget* parent = nullptr);

    static frmTGraphCalc* Geladen();

    void Form_Load();
    // Computes the values at the typed time; a time outside 0..xMax only beeps.
    void cmdGraphCalcExec_Click();
    void cmdCloseGraphCalc_Click();

    QLineEdit* txtX = nullptr;
    QLabel* lblXEingabe = nullptr;
    QLabel* lblZeit = nullptr;
    QPushButton* cmdGraphCalcExec = nullptr;
    QPushButton* cmdCloseGraphCalc = nullptr;
    std::array<QLabel*, 5> lblRes{};
    std::array<QLabel*, 5> lblResult{};

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool plaziert_ = false;
};

}  // namespace design
