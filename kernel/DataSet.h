#pragma once
// The measured data set (ExpDaten rows 1..nMesspunkte in State.h) and what is derived from it:
// counts for the evaluations, the initial concentrations of the row at t = 0, and the axis ranges
// proposed for the evaluation and measured-point diagrams (AchsenGrenzen).
#include <string>

namespace kernel {

// Number of usable data rows: nMesspunkte, limited to the rows ExpDaten actually holds.
int DataRowCount();

// Empties the data set before a replacing load: clears t, c(1), c(2), T, k and exclude of the rows,
// sets nMesspunkte := 0, DatenFile := "" and ExpDataChanged := 0.
void ClearExpData();

// Scans the data set. Outputs (the callers pass the globals of the same names): c(A) and c(B) of the
// last row at t = 0 that has them, the largest t (twice), the counts of inactive rows, of rows with a
// concentration, of rows with c(1) = 0, t > 0, c(2) > 0 (the r(P)-c(S) points of the enzyme mode), of
// k-T rows, the flags for non-isothermal fitting and for the conductivity evaluation, the number of
// distinct temperatures (at most 24; TempListe holds them ascending) and the sum of lambda.
// Also sets lambdaNull (lambda of the last active row at t = 0) and DatenSpalte, and refreshes the
// data editor's headings when that window is open. No failure.
void AnalyseExpData(float& DatencA0, float& DatencB0, float& DatenTmax, int& nInaktiv, int& nctPunkte,
                    int& nAnull, int& nkTPunkte, int& NichtIsothermMoeglich, int& nTemperaturen,
                    double& DatenTEnde, int& LambdaMoeglich, double& LambdaSumme);
// The same on the globals of State.h.
void AnalyseExpData();

// c0Mess(1..5) := the concentrations of the first row with t < 1e-8 (active or not); 0 without one.
void SetC0AusMessdaten();

// For a negative diagram code: extremes of every plotted quantity of the measured data, with margins,
// into AchsenGrenzen (slots 0..23 and 32..37). Codes >= 0 change nothing. The second argument is not used.
void ScanExpDataRange(int code, int unused = 0);

// Checks that no time occurs twice before a spline is laid through the points of species 1..5.
// answer := "" and slots 0..3 of AchsenGrenzen := the t and c(species) range when it may be used;
// otherwise a message and answer := "cancel".
void TestSplineData(int species, std::string& answer);

}  // namespace kernel
