#pragma once
// The linearised plots of the measured data: each evaluation code turns the data rows into (x, y)
// pairs, a weighted straight line is fitted through them (kernel Regression), its points go into the
// curve's point list, and intercept and slope give the kinetic result shown in the status bar.
// Also the transformed measured points that the diagram window shows as point sets. Free of windows.
//
// Codes with a regression line: -14 Eadie/Hofstee, -13 Hanes/Woolf, -12 Lineweaver/Burk,
// -11 conductivity 2nd order, -10 and -5 1st order (conductivity while LambdaModus is set),
// -8 2nd order A + B with unequal c0, -7 Wilkinson, -6 2nd order, -4 Eyring, -3 Arrhenius.
#include <functional>
#include <string>
#include <vector>

#include "kernel/Regression.h"
#include "kernel/State.h"

namespace diagram {

constexpr double kGasKonstante = 8.3145;     // J/(mol K)
constexpr double kBoltzmann = 1.38066e-23;   // J/K
constexpr double kPlanck = 6.62618e-34;      // J s
constexpr int kLinienIntervalle = 120;       // steps of the regression line across the x range

// True for the codes that fit a regression line.
bool IstAuswertungsCode(int code);

// The (x, y) pair of one data row for evaluation `code` (-5 and -10 follow LambdaModus). False when
// the row does not qualify (a tested value not positive). Throws kernel::RuntimeError when the
// qualified row's value cannot be formed (logarithm of a value <= 0, division by zero) or does not
// fit a Single.
bool AuswertungsPaar(int code, const kernel::ExpPunkt& row, float& x, float& y);

// The straight line y = a + b x (a = coef(1, nTerms + 1) ... of the basis 1, x, x^2 ...) from xMin to
// one step beyond xMax of DiagRec in 120 steps into punkte (record 0's x = point count, normally
// 122). intercept := coef(1, 3), slope := coef(2, 3). ausserhalb := kFalse as soon as a point lies
// strictly inside the y range. Throws kernel::RuntimeError for an x range that is not positive and
// finite or a point beyond the range of a Single.
void DrawRegressionLine(int nTerms, const kernel::RegressMatrix& coef, double& intercept, double& slope,
                        int& ausserhalb, std::vector<kernel::XYPunkt>& punkte);

// The whole evaluation of `code`: RegressX/Y/W := the qualified rows (weight 0 for an excluded row;
// an excluded row whose quantity cannot be formed is left out), the fit, the line into punkte, then
// nachDerLinie() (the window shows the measured points), then the result: kWert(1), regA / regB
// (derived results for -7, -4, -3) and grafMeldung as the method states. Returns the result line
// for the status bar. Throws kernel::RuntimeError on any arithmetic failure, including a fit that
// cannot be made (fewer than two distinct weighted x values); what was written up to that point stays.
std::string BerechneAuswertung(int code, std::vector<kernel::XYPunkt>& punkte, double& regA, double& regB,
                               float& regR2, std::string& grafMeldung, int& ausserhalb,
                               const std::function<void()>& nachDerLinie);

// One measured point that the window shows: point set 1..12, x and y.
struct ExperPunkt {
    int satz = 0;
    double x = 0;
    double y = 0;
};

// The points that data row `row` gives in the diagram `code` (plain c-t points for each species, or the
// transformed quantity of an evaluation plot). Empty when the row is skipped for that code, also
// when its transformed value cannot be formed. Reads KurvenMaske (codes -9 and 1..20, which the
// caller sets), DatenSpalte, TangentSpecies, c0Mess, lambdaNull, lambdaInf.
std::vector<ExperPunkt> ExperPunkteDerZeile(int code, const kernel::ExpPunkt& row);

// The point sets that diagram `code` fills from the data (the fixed set, or one set for each species
// column with data, for -9 and 1..20 only the species of KurvenMaske).
std::vector<int> PunktsaetzeDesCodes(int code);

// The fixed point set of `code` (6 for the enzyme and k-T plots, 1 for the linearised ones), 0 for
// the codes whose sets follow the species.
int FesterPunktsatz(int code);

}  // namespace diagram
