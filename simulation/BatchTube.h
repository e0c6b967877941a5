#pragma once
// What the batch reactor window and its twin, the tubular reactor window, share: the input check,
// the equilibrium check of the reversible models, the search of the reaction time for a given
// conversion, the time-course diagram and the set-up on loading and activation. A tube of length l
// passed at velocity v reacts for t = l / v exactly as a batch for t.
#include <functional>
#include <string>

#include "kernel/RateLaws.h"

#include <QString>

class CalcWindow;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace simulation {

enum class Twin { Batch, Tube };

// What the input check needs to know of the window.
struct TwinInputs {
    Twin window = Twin::Batch;
    bool timeMode = false;        // the reaction time is given
    bool lengthMode = false;      // tube: the length is given
    bool conversionMode = false;  // the conversion U(A) is given
    bool inp1Shown = true;        // Inp(1) (c(B,0)) shown
    bool inp11Shown = true;       // Inp(11) (k2) shown
    bool inp12Shown = true;       // Inp(12) (k3) shown
};

// The complaints about the stored inputs (c0Wert, kWert, UmsatzU, tauMittel, RohrL, RohrV,
// ReaktOrdnung of aktModell), in the order the user reads them; empty when all is well. An order
// n <= 0 of model 20 is reset to 1.5 at once (also in the model window's box).
std::string TwinInputComplaints(const TwinInputs& in);

// The equilibrium check of the reversible models 8, 12, 17 and 19. Shows the complaint (style 16,
// "keine Ausführung möglich") and returns false when the calculation must not run; in time or length
// mode shows the note for a feed already at equilibrium and returns true.
bool TwinEquilibriumCheck(Twin window, bool conversionMode);

// U(A) = (c(A,0) - c(A)) / c(A,0) from c0Wert; false (U untouched) when c(A,0) is 0.
bool ConversionOfA(const kernel::ConcVector& c, double& U);

// Rules of the search of the reaction time for a given conversion.
struct TimeSearchRule {
    double t0 = 0.001;               // start time (current time unit)
    double h0 = 0.001 / 1000;        // first difference step
    bool stepFollowsCorrection = false;  // the next step is this round's correction (tube)
    bool reflectNegative = true;     // a negative t becomes h - t (batch)
    int maxRounds = 1000;
    double tolerance = 1e-11;        // stop when |dt / t| falls below it
};
TimeSearchRule BatchSearchRule();    // Newton with a fixed forward step; start at the half-life of A
                                     // for the autocatalytic models 5 and 16
TimeSearchRule TubeSearchRule();     // secant, start 0.001, first step 2E-6, 100 rounds, 1E-6

// Finds the time at which the batch of aktModell reaches the conversion U. Every new t is written
// into tauMittel; on success cAktuell holds the concentrations at the final t (one more batch run, so
// that they agree with the time and conversion shown). False on a solver failure, two equal function
// values, an undefined conversion (no A in the feed) or the round limit.
bool SearchTimeForConversion(const TimeSearchRule& rule, double U);

// The model line of the n-th order model, "kinet. Modell:  ... (n = 1.50)".
void WriteOrderModelCaption(QLabel* label);

// The concentration-time diagram of the run (cmdDiagram of both windows): c0Wert and kWert from the
// boxes, the time course over 0..tauMittel in 200 intervals, then the hand-over; tube: with RohrAktiv.
// A failing time course keeps the open diagram and shows "Berechnungsfehler aufgetreten" under messageTitle.
void DrawTwinTimeCourse(CalcWindow& window, Twin twin, const char* messageTitle);

// ---- Layout and the steps of a calculation ------------------------------------------------------------
// Columns of both windows in twips: options and buttons, the boxes of the chosen quantity, units and hints.
constexpr int kTwinWidth = 9200;
constexpr int kTwinOptionLeft = 3000;
constexpr int kTwinBoxLeft = 5000;
constexpr int kTwinHintLeft = 6600;

// Places the model line, the inlet and outlet columns of the five species (outlets locked), the rate
// constants with their units, the default button, and the extent frame at extentTop.
void LayoutTwinBoxes(CalcWindow& window, const QString& inletHead, const QString& outletHead, int extentTop);
// Places the calculation, diagram and extent buttons in a row at `top`, the protocol button below them,
// and from footerTop the add-curves and special-scaling rows and the help and close buttons.
void LayoutTwinButtons(CalcWindow& window, QPushButton* calc, int top, QPushButton* help, QPushButton* esc,
                       int footerTop);

// A box of a quantity: locked (read-only, light yellow) or open for input (white).
void LockBox(QLineEdit* box, bool locked);
// The number text of a value.
QString NumberText(double value);

// The checks before a calculation: the input complaints (shown under inputTitle, after disabling
// cmdDiagram when disableDiagram is set) and the equilibrium check. True when the calculation may run.
// The visibility fields of `in` are taken from the window.
bool TwinChecksPass(CalcWindow& window, TwinInputs in, const char* inputTitle, bool disableDiagram);
// Runs `calculate` with the hourglass shown; a thrown run-time failure counts as a failure.
bool RunWithWaitCursor(const std::function<bool()>& calculate);
// Time or length given: UmsatzU and Inp(13) from the run's c(A) (0 and an empty box without A in the feed).
void ShowConversionOfRun(CalcWindow& window);
// After a successful run: the extents of reaction, and the extent and diagram buttons enabled.
void ShowTwinExtents(CalcWindow& window);

// Form_Load part shared by the reactor windows: the special-scaling check box and options.
void SetUpSpecialScaling(CalcWindow& window);

// Form_Activate part of both windows: clears a stale add-curves flag, sets the add-curves box, and the
// range hint Label5 with the tool tips of the conversion option and Inp(13).
void ActivateTwin(CalcWindow& window, QRadioButton* conversionOption, QLabel* Label5);

}  // namespace simulation
