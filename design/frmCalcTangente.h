#pragma once
// The tangent tool "Reakt.-geschwindigkeit r(i) berechnen": value and slope dc(i)/dt of the Akima spline
// through the measured points of one species (TangentSpecies) at a typed time, with the spline's
// smoothing set on a slider (SmoothingFactor = slider / 200); a new smoothing redraws the diagram's curve.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace design {

class frmCalcTangente : public QWidget {
    Q_OBJECT

public:
    explicit frmCalcTangente(QWidget* parent = nullptr);

    static frmCalcTangente* Geladen();

    void Form_Load();
    // Value and slope at the typed time; a time outside 0..xMax only beeps.
    void cmdCalc_Click();
    void SliderGlaettung_Change();
    // Closes the diagram window and the tool.
    void cmdClose_Click();
    void cmdHelp_Click();
    // Stores the position.
    void Form_Unload();

    QLineEdit* txtX = nullptr;
    QLabel* lblZeit = nullptr;
    QPushButton* cmdCalc = nullptr;
    QLineEdit* txtyResult = nullptr;
    QLineEdit* txtyStrichResult = nullptr;
    QLabel* lblr = nullptr;
    QLabel* Label4 = nullptr;
    QSlider* SliderGlaettung = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    float letzteGlaettung_ = 0;
    bool plaziert_ = false;
};

}  // namespace design
