#pragma once
// What the continuous stirred-tank window and the cascade window share: the five calculation modes
// (which two of U(A), V, V*, t are given), the input checks common to both, the note for an inlet
// already at equilibrium, and the activation hook of an MDI child.
#include <functional>
#include <string>

#include "kernel/RateLaws.h"

class CalcWindow;
class QGroupBox;
class QWidget;

namespace simulation {

// Slots of the four linked quantities in the Inp array.
constexpr int kSlotU = 13;
constexpr int kSlotV = 14;
constexpr int kSlotVPunkt = 15;
constexpr int kSlotTau = 16;

// True when the quantity in Inp(slot) (13..16) is given in calculation mode 0..4; the other two are
// computed: 0 U, V; 1 U, V*; 2 V, V*; 3 t, V; 4 t, V*.
bool ContiModeGives(int mode, int slot);
// Given boxes white and unlocked, computed boxes light yellow and locked.
void ApplyContiMode(CalcWindow& window, int mode);

// The complaints about the reaction order, the inlet concentrations and the rate constants, each line
// ended by CR LF, in the order both windows check them. A reaction order of model 20 that is not > 0 is
// reset to 1.5 (also in the model window's box). Species and constants count only when their boxes are
// shown in the window.
std::string InletAndRateComplaints(const CalcWindow& window);
// The complaints about V, V* and t given in `mode` (each not > 0 is a complaint).
std::string QuantityComplaints(int mode, double V, double VPunkt, double tau);

// True when the inlet quotient of the reversible models 8, 12, 17, 19 equals K = k1 / k2 exactly.
// An inlet whose quotient is undefined (c(A,0) or, for 12, 17, 19, c(B,0) not > 0) is not at equilibrium.
bool InletAtEquilibrium(int model, const kernel::ConcVector& c0, double k1, double k2);
// Shows the information box about such an inlet (style 64, "Hinweis"); the calculation goes on.
void ShowEquilibriumNote();

// The caption of Label7 for the model of order n: "kinet. Modell:  <name> (n = 1.50)".
std::string Model20Caption();

// Rows of the rate-constant frame, in twips inside the frame: name Bz(5..7), box Inp(10..12), unit1..3.
struct RateRows {
    int labelLeft, boxLeft, top, pitch, height;
};
// The frame "Geschwindigkeitskonstante(n)" holding the three rows; the caller places it. Each box
// holds the widest number text and the unit beside it the longest unit caption; the caller gives
// the frame room for both.
QGroupBox* BuildRateFrame(CalcWindow& window, const RateRows& rows);


// Short number text of a box: the value as a Single in its short form (" .5", "-.25").
std::string Short(double value);

}  // namespace simulation
