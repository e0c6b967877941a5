#pragma once
// The frame shared by the five calculation windows (time simulation, batch, stirred tank,
// cascade, tube): the controls that carry the same names in all of them, because the model
// window and the kernel write into whichever one is open by control name, and the handlers
// that behave the same in every one of them.
#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace simulation {
// Window layouts are given in twips; 15 twips make one pixel at 96 dpi.
constexpr int kTwipsPerPixel = 15;
int Tw(int twips);
void PlaceTw(QWidget* widget, int left, int top, int width, int height);
// Background of locked result boxes (light yellow).
extern const char* const kLockedBoxStyle;
}  // namespace simulation

class CalcWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kInpCount = 22;  // Inp(0..21); the cascade alone uses 17..21

    // formName is the window's name; inpUpper the highest Inp index the window carries.
    CalcWindow(const QString& formName, int inpUpper, QWidget* parent = nullptr);

    // The window's refresh procedure (InitSimulation, InitBatch, InitRKconti, InitCascade, InitRohr):
    // clears the shown results and disables the result buttons.
    virtual void Refresh() = 0;

    // Input-box array: 0..4 initial concentrations, 5..9 results, 10..12 k1..k3, 13..16 window-specific.
    std::array<QLineEdit*, kInpCount> Inp{};
    std::array<QLabel*, 8> Bz{};            // 5..7: names of k1..k3
    std::array<QLabel*, 10> lblStoff{};     // species labels beside the boxes
    QLabel* unit1 = nullptr;
    QLabel* unit2 = nullptr;
    QLabel* unit3 = nullptr;
    QLabel* Label7 = nullptr;               // the current kinetic model
    QGroupBox* fraKsi = nullptr;
    QLabel* lblTextKsi_1 = nullptr;
    QLabel* lblTextKsi_2 = nullptr;
    QPushButton* cmdCloseKsi = nullptr;
    QPushButton* cmdShowKsi = nullptr;
    QPushButton* cmdDiagram = nullptr;
    QPushButton* cmdReset_k = nullptr;
    QCheckBox* chkSpecialScaling = nullptr;
    std::array<QRadioButton*, 5> optSpecialScaling{};
    QCheckBox* chkDelDiagram = nullptr;

    // A key has passed the input filter since the last typed change.
    int TastenEingabe = 0;

    // Handlers shared by the windows that have the control.
    void cmdShowKsi_Click();
    void cmdCloseKsi_Click();
    void cmdReset_k_Click();
    void chkSpecialScaling_Click();
    void optSpecialScaling_Click(int index);
    void chkDelDiagram_Click();

protected:
    // The typed-edit path of an input box: runs for every edit by the user (typed, pasted,
    // deleted), never for text written by the program. The reactor windows refresh and store
    // the slot; the time-simulation window overrides it.
    virtual void Inp_Change(int index);
    // Stores a typed value of slot index into the shared state (the window's slot table).
    virtual void StoreInp(int index, double value);
    // Steps after a typed change (hide the extents, disable diagram buttons, ...).
    virtual void BeforeStore(int index);
    virtual void AfterStore(int index);
    // Stores the window position on closing.
    virtual void SavePosition() {}

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Creates a button / label / check box with an objectName, as child of parent (this when null).
    QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QCheckBox* MakeCheck(const QString& name, const QString& caption, QWidget* parent = nullptr);
    // Moves the focus from Inp(index) on Enter to the next shown, unlocked box (after 16 comes 0).
    void FocusNextInp(int index);

private:
    void InpKeyPress(int index, QKeyEvent* event, bool& swallow);
    void InpEdited(int index);
    int inpUpper_;
};
