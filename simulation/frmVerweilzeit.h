#pragma once
// The tracer experiment "Visualisierung: Verweilzeit eines Tracers (Farbstoff) in Rührkessel /
// Rührkesselkaskade": a row of 1 to 6 ideal stirred tanks; a pulse of dye put into tank 1 is washed
// from tank to tank step by step while the outlet concentration of the last tank is recorded in
// VZKurve, which can then be drawn as diagram 110.
//
// The run is driven by a zero-interval timer: one flow step per tick, so every other event (the stop
// button, help, activation of other windows, the stirrer animation) is served between two steps.
// A stop request is read at the start of each tick; the end of the program requests one as "Stopp" does.
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "platform/core/RunningLoops.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;

namespace simulation {
class VesselCanvas;
class StirrerAnimation;
}  // namespace simulation

class frmVerweilzeit : public QWidget {
    Q_OBJECT
public:
    explicit frmVerweilzeit(QWidget* parent = nullptr);

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();
    // The open window, or null.
    static frmVerweilzeit* Loaded();

    void Form_Load();
    void Form_Activate();
    // Stores the window position, ends a running experiment, closes the diagram window and shows
    // the model window again.
    void Form_QueryUnload();
    // Stops the stirrers and redraws every tank empty with the inputs enabled for a new run.
    void StopCascade();

    void txtNKask_Change();
    void cmdIndikatorfarbe_Click();
    void cmdStartFlow_Click();
    void cmdVZStop_Click();
    void cmdDiagram_Click();
    void Slider_verzoegerung_Change();
    void chkAnimation_Click();
    void cmdHelp_Click();
    void cmdEsc_Click();

    // State readable by tests and the picture code.
    bool Laeuft() const;                  // an experiment is running
    long Schritte() const { return schritte_; }
    int VZStopFlag() const { return VZStopFlag_; }
    double Verzoegerung() const { return Verzoegerung_; }
    const std::vector<float>& cKessel() const { return cKessel_; }
    simulation::VesselCanvas* Canvas() const { return canvas_; }
    simulation::StirrerAnimation* Animation() const { return animation_; }

    QLineEdit* txtNKask = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;             // "Stufenzahl N "
    QPushButton* cmdIndikatorfarbe = nullptr;
    QPushButton* cmdStartFlow = nullptr;
    QPushButton* cmdVZStop = nullptr;
    QPushButton* cmdDiagram = nullptr;
    QCheckBox* chkAnimation = nullptr;
    QSlider* Slider_verzoegerung = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 7> lblMessung{};                     // 1..6
    std::array<std::array<QWidget*, 7>, 4> Line{};            // Line1..Line4, elements 2..6
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdHelp = nullptr;

signals:
    // A flow step n of the running experiment has been recorded in VZKurve.
    void schrittAufgezeichnet(long n);
    // The running experiment has ended (threshold reached or stop request).
    void laufBeendet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    void BuildControls();
    QWidget* Frame();
    void RunTracerFlow();
    // One tick of the run: the stop check, one flow step, its record and the busy delay.
    void RunTracerStep();
    void EndTracerFlow();
    void DrawCascadeVessels(int i, double a);
    void FillVesselColours(int i);
    void DrawStirrer(int i);
    // Green when switched on, the button face when switched off.
    static void SetButtonOn(QPushButton* button, bool on);
    // The flow-speed slider with its three labels.
    void SetSpeedControlsEnabled(bool on);
    void PlacePipes();

    simulation::VesselCanvas* canvas_ = nullptr;
    simulation::StirrerAnimation* animation_ = nullptr;
    QTimer* laufTimer_ = nullptr;
    std::optional<platform::RunningLoop> lauf_;  // registered while the timer runs the experiment
    std::vector<float> cKessel_;
    int VZStopFlag_ = 0;
    double Verzoegerung_ = 0;
    long schritte_ = 0;
    bool positioned_ = false;
    bool mdiConnected_ = false;
    bool breit_ = false;
};
