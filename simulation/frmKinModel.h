#pragma once
// The model window "  kinetisches Modell": the user chooses one of the twenty kinetic models, the
// time unit and the order n of the n-th order model, and the enzyme data mode. Choosing a model sets
// the current model with its masks, flags and start values, the evaluation menus of the main window,
// and the captions and boxes of the open calculation window (written by control name, so it serves
// whichever calculation window is open).
#include <QWidget>
#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmKinModel : public QWidget {
    Q_OBJECT
public:
    explicit frmKinModel(QWidget* parent = nullptr);

    // Chooses model Index (1..19; 0 is model 20); above 19 only closes the blood-alcohol window.
    void optTyp_Click(int Index);
    // Chooses the time unit 0 "s" .. 4 "a" and converts every stored time.
    void optZeit_Click(int Index);
    // 0: enzyme data as r(P) over c(S); 1: as c over t.
    void optMichMent_Click(int Index);
    void cmdShowMatrix_Click();
    void txtOrdnung_Change();

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();

    std::array<QRadioButton*, 20> optTyp{};
    std::array<QRadioButton*, 5> optZeit{};
    std::array<QRadioButton*, 2> optMichMent{};
    QLineEdit* txtOrdnung = nullptr;
    QPushButton* cmdShowMatrix = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    // The writes of a model choice into the open calculation window frm (code c of GetActiveSimForm).
    void WriteIntoCalcWindow(const std::string& frm, int c);
    // Refreshes the open reactor windows (and the cascade's stage boxes).
    void RefreshReactorWindows();
    QLabel* SchemeLabel(int model) const;

    QGroupBox* Rahmen1 = nullptr;
    QLabel* Bezeichnung2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbl7 = nullptr;
    QLabel* lbl10 = nullptr;
    QLabel* lbl18 = nullptr;
    QLabel* lbl13 = nullptr;
    bool placed_ = false;
    bool loading_ = false;
};
