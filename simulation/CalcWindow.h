#pragma once
// The frame shared by the five calculation windows (time simulation, batch, stirred tank,
// cascade, tube): the controls that carry the same names in all of them, because the model
// window and the kernel write into whichever one is open by control name, and the handlers
// that behave the same in every one of them.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "kernel/State.h"
#include "platform/Twips.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace simulation {
// Window layouts are given in twips; Tw rounds to the nearest pixel.
using platform::kTwipsPerPixel;
int Tw(int twips);
void PlaceTw(QWidget* widget, int left, int top, int width, int height);
// Background of locked result boxes (light yellow).
extern const char* const kLockedBoxStyle;
// The widest caption of unit1..unit3: a second-order rate constant in minutes.
inline const QString kLongestRateUnit = QStringLiteral("/(L/(min*mol))");
// The widest text the program writes for a number into a box: a Single with seven digits and an
// exponent. A value converted to another time unit may take this form in any box that shows one.
inline const QString kWidestNumber = QStringLiteral(" 8.888888E+88");
// Width in twips that the text box or editable combo box needs to show kWidestNumber whole at its
// font, with its frame, margins, drop-down button and cursor.
int NumberBoxTwips(const QWidget* box);
// The character code a key press gives to the input filter (13 Enter, 8 Backspace, 127 Delete,
// else the typed character); 0 for keys that type nothing (cursor keys, Tab, ...).
int KeyAscii(const QKeyEvent* event);
// Copy, paste and the other clipboard and editing shortcuts, which pass the filter unchanged.
bool IsEditShortcut(const QKeyEvent* event);
// The number in a box: typed with either separator or written in the locale's form.
double BoxValue(const QLineEdit* box);
// Species slot s (1..5) belongs to the current model (KurvenMaske).
bool SpeciesInModel(int s);
// The complaints about c(A,0) (c0Wert) of the current model, each line ended by CR LF; empty when
// it may be computed. An irreversible model needs c(A,0) > 0; A <=> P, A + B <=> 2P and A + B <=> P
// may start from P instead and need c(A,0) or c(P,0) > 0 (A + B <=> P + Q has a line of its own).
// The same lines in every window that computes a time course from c0Wert.
std::string InitialAComplaints();
// Runs `handler` whenever `window` becomes the active one: when it is shown, when its MDI subwindow
// is activated (with `onlyWhenVisible`, only while the window is visible) and, as a window of its
// own, when it is activated.
void ConnectActivation(QWidget* window, std::function<void()> handler, bool onlyWhenVisible = false);
}  // namespace simulation

class CalcWindow;
namespace simulation {
// Inp(5..9) := short number texts of cAktuell(1..5) for the species of the model; the boxes of the
// others stay empty, so that nothing of an absent species is shown, recorded or read back.
void ShowOutletConcentrations(CalcWindow& window);
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
    QPushButton* cmdProtocol = nullptr;     // reactor windows only; made by the window

    // A key has passed the input filter since the last typed change.
    int TastenEingabe = 0;

    // Handlers shared by the windows that have the control.
    void cmdShowKsi_Click();
    void cmdCloseKsi_Click();
    void cmdReset_k_Click();
    void chkSpecialScaling_Click();
    void optSpecialScaling_Click(int index);
    void chkDelDiagram_Click();
    // Reactor windows: disables cmdProtocol and shows the protocol window.
    void cmdProtocol_Click();
    // Reactor windows: closes the protocol window, then this window.
    void cmdEsc_Click();

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
    // The shared position pair of the window (PosBatch, ...): applied when it is first shown,
    // stored by SavePosition when it closes. Null: the window keeps no position.
    virtual kernel::FormPos* PositionPair() { return nullptr; }
    // Form_QueryUnload: stores the window position on closing (in PositionPair by default).
    virtual void SavePosition();
    // Esc without modifiers is cmdEsc_Click (reactor windows; the time-simulation window takes Esc
    // itself). Not a shortcut: in the MDI area a shortcut would also fire in the other windows.
    void keyPressEvent(QKeyEvent* event) override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

    // Creates a button / label / check box with an objectName, as child of parent (this when null).
    QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QLabel* MakeLabel(const QString& name, const QString& caption, QWidget* parent = nullptr);
    QCheckBox* MakeCheck(const QString& name, const QString& caption, QWidget* parent = nullptr);
    // Creates cmdProtocol (reactor windows) connected to cmdProtocol_Click.
    QPushButton* MakeProtocolButton(const QString& caption);
    // Moves the focus from Inp(index) on Enter to the next shown, unlocked box (after 16 comes 0).
    void FocusNextInp(int index);

private:
    void InpKeyPress(int index, QKeyEvent* event, bool& swallow);
    void InpEdited(int index);
    int inpUpper_;
    bool placed_ = false;
};
