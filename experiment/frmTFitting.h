#pragma once
// The fitting window " k-Fitting manuell / automatisch": fits the parameters of the current kinetic
// model (fit mode DiagVariante 1), k and the order n of A => P (2), or the Arrhenius / Eyring
// parameters of non-isothermal first- or second-order data (6, 7) to the measured data set, by hand
// (input boxes and relative sliders, the model curves redrawn over the measured points) or
// automatically by the bounded Marquardt engine with standard deviations.
//
// It carries the control names of the calculation windows (Inp(0..14), Bz, lblStoff, unit1..unit4,
// lblZeitEinheit, lblVPunktInput, ...), because the kernel and the model window write into whichever
// calculation window is open by name; GetActiveSimForm reports it as code 6.
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

class frmTFitting : public QWidget {
    Q_OBJECT

public:
    explicit frmTFitting(QWidget* parent = nullptr);

    // The open window, or null.
    static frmTFitting* Geladen();

    // ---- Life cycle and layout ----
    void Form_Load();
    // c0(A) and c0(B) of the measured data into the model state and the boxes of the initial
    // concentrations: the fit always starts from the data's own initial concentrations.
    void TakeDataC0();
    void Form_Resize();
    void Form_Activate();
    // Stores the window position and closes the diagram window; never cancels.
    void Form_QueryUnload();
    void cmdClose_Click();
    void cmdHelp_Click();
    void chkFixed_Click(int Index);

    // ---- Manual fitting ----
    void Inp_Change(int Index);
    // KeyAscii becomes 0 when the key is dropped.
    void Inp_KeyPress(int Index, int& KeyAscii);
    // Slider of parameter i (1..3), coarse or fine.
    void Slider_Change(int i, bool fein);
    void optkTFunktion_Click(int Index);
    void cmdDrawNewCurve_Click();
    double calcFQS() const;
    void chkConcFQS_Click(int Index);

    // ---- Automatic fitting ----
    void cmdAutoFitting_Click();
    void ZeigeFQS();
    void optManuAuto_Click(int Index);

    // Fixed flags of the parameters 1..3 (-1 fixed), read by the automatic fit.
    const std::array<int, 4>& ParamFixiert() const { return ParamFixiert_; }
    // Species slots 1..5 whose box is shown and ticked.
    std::array<bool, 6> GezaehlteSpezies() const;
    // Failure code of the last automatic run (kernel::kFitOk, kFitLimit, kFitRuntimeError, kFitRefused).
    int LetzterFitFehler() const { return letzterFitFehler_; }
    // The fit mode DiagVariante the window was loaded for (its start parameters belong to it).
    int LadeModus() const { return ladeModus_; }

    // Controls (names as the window's objectNames).
    QLabel* Label7 = nullptr;
    QLabel* Label22 = nullptr;
    QGroupBox* Rahmen4 = nullptr;
    std::array<QLineEdit*, 15> Inp{};
    std::array<QLabel*, 10> lblStoff{};
    std::array<QGroupBox*, 4> frak{};          // frak1..frak3
    std::array<QLabel*, 8> Bz{};               // 5..7
    std::array<QLabel*, 5> unit{};             // unit1..unit4
    std::array<QCheckBox*, 4> chkFixed{};      // 1..3
    std::array<QSlider*, 4> SliderGrob{};      // Sliderk1_grob..Sliderk3_grob
    std::array<QSlider*, 4> SliderFein{};      // Sliderk1_fein..Sliderk3_fein
    std::array<QLabel*, 20> ScaleLabel{};      // Label1..Label19 (no Label7, Label12)
    std::array<QLabel*, 4> lblPlusMinus{};
    std::array<QLabel*, 4> lblStdDev{};
    QLabel* lblAktEntropie = nullptr;
    std::array<QRadioButton*, 3> optkTFunktion{};  // 1, 2
    std::array<QRadioButton*, 2> optManuAuto{};    // 0, 1
    QPushButton* cmdDrawNewCurve = nullptr;
    QPushButton* cmdAutoFitting = nullptr;
    QGroupBox* fraFQS = nullptr;
    std::array<QCheckBox*, 6> chkConcFQS{};    // 1..5
    QLabel* lblFQS = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblVPunktInput = nullptr;

    QSize sizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BaueFenster();
    void BaueParameterGruppe(int i);
    void BaueVersteckteEmpfaenger();
    // The scale labels of parameter group i (1..3) as the panels enable them.
    std::array<QLabel*, 6> Skala(int i) const;
    void SetzeGruppe(int i, bool sliderZeigen, bool labelsAn);
    void VerbergeStdDev();
    // Writes a parameter box from code (its change handler runs).
    void SetzeBox(int index, double value);
    void SchreibeBox(int index, const QString& text);
    void ModusBeschriftung();
    // The parameters 1..3 of the current fit mode as the model computation reads them.
    static std::array<double, 4> ModusParameter();
    // Stores the parameter of box 10..12 into FitParameter and the mode's target.
    void SpeichereParameter(int index, double value);
    void ZeigeEntropie(const std::string& mask);

    // One computed time course of the shared curve arrays, with the k1 it was computed for.
    struct Verlauf {
        std::vector<double> t, cA, cB, cC, cP, cQ;
        std::vector<float> rA, rB, rC, rP, rQ;
        int n = 0;
        double k1 = 0;
        static Verlauf Merken();
        void Zuruecklegen() const;
    };
    // The checks of the inputs before a redraw: false, with the collected complaints shown, when the
    // model cannot be computed from them. Without the parameters (the automatic fit, which changes
    // them and repairs its start values) only the initial concentrations are checked.
    bool EingabenPruefen(bool mitParametern) const;
    std::string KurvenRechnen(std::vector<Verlauf>& verlaeufe);
    void Zeichnen(const std::vector<Verlauf>& verlaeufe);

    std::array<int, 4> ParamFixiert_{};
    bool SliderZurueck = false;
    bool inpStumm_ = false;           // box texts written while the boxes must not store
    bool eigeneSchreibung_ = false;   // the window itself writes a parameter box
    bool positioniert_ = false;
    int letzterFitFehler_ = 0;
    int ladeModus_ = 0;
};
