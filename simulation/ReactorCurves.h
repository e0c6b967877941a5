#pragma once
// Curve data of the continuous-reactor diagrams. Each procedure fills the shared curve arrays
// (nZeitPunkte, tWerte, cKurveA..cKurveQ for points 0..nZeitPunkte) and proposes the axis ranges in
// AchsenGrenzen[0..3] (x min, x max, y min, y max). They neither set the diagram code nor open the
// diagram window: the calling window hands the curves over once afterwards (HandOverReactorDiagram).
// Concentrations in mol/L, times in the current time unit.
#include <vector>

#include "kernel/RateLaws.h"

namespace simulation {

// Points of the stirred-tank and cascade residence-time grids (0..200).
constexpr int kReactorGridIntervals = 200;
// Points of the cascade profile shown (0..280); up to 283 are written.
constexpr int kKaskadenProfilPunkte = 280;
// Highest curve index the cascade profile writes (N = 6: 1 + 6 * 47).
constexpr int kKaskadenProfilMaxIndex = 283;

// Outlet concentrations of one ideal stirred tank over the mean residence time, 201 points from 1e-6
// to 2 Tau + 1e-6 (mode 3 of CalcContiKessel with volume = residence time). Modell: model 1..20; Tau > 0
// the window's mean residence time; c0 the inlet (the solver reads c0Wert, which equals it). The grid
// works on private copies: UmsatzU, VPunkt, cAktuell and KsiWerte keep the window's last results.
// y range: the largest species value (or, with SpezSkalierung, the range of SpezSkalierungStoff), capped
// at max(c0(A), c0(B)) when that largest value exceeds c0(A) + c0(B) + c0(P), then 2 % margins.
// A grid point the solver flags or cannot compute is a gap (NaN) and does not count for the axes;
// Fehler := true when no point could be computed.
void CalcCSTRDiagramm(int Modell, double Tau, const kernel::ConcVector& c0, kernel::ConcVector& c, bool& Fehler);

// Staircase of the concentrations through the N stages of a cascade over the stage axis 0..N
// (280 points shown, round(280 / N) points per stage after a two-point inlet stretch). c0: cascade inlet;
// cAusgangStufe[i][s]: outlet of stage i (1..N), species slot s. Axis: x 0..N, y -0.02 .. 1.02 * the
// largest value. Modell is not used. Fehler := 0. The curve arrays are enlarged when they are too short.
void CalcKaskadenProfil(int Modell, const kernel::ConcVector& c0, const kernel::ConcMatrix& cAusgangStufe, int N,
                        int& Fehler);

// Outlet of an N-stage cascade (N = nKaskade) over the mean total residence time, 201 points from 1e-8 to
// 2 Tau + 1e-8; each stage solved by CalcKaskadenStufe in mode 3 with tau / N, fed with c0Wert.
// cKaskade is the stage-inlet table (normally the shared kernel::cKaskade, which the stage solver reads;
// another table is swapped in for the run), cAusgangStufe the stage outlets. Both are re-sized and afterwards
// hold the stages of the last grid point (cKaskade rows 0..N+1, cAusgangStufe rows 0..N). Axis: x 0..2 Tau,
// y -0.02 .. 1.02 * the largest value. Works on private copies of UmsatzU, VPunkt and KsiWerte.
// A grid point with a stage the solver flags or cannot compute is a gap (NaN) and does not count for
// the axes; Fehler := true when no point could be computed.
void CalcKaskadenDiagramm(int Modell, double Tau, kernel::ConcMatrix& cKaskade, kernel::ConcMatrix& cAusgangStufe,
                          bool& Fehler);

// The diagram hand-over of every simulation window: with KurvenHinzufuegen clear it unloads the diagram
// window, scans the measured data (ScanExpDataRange) and calls GrafZentrale, whose new window draws the
// pending curves; with KurvenHinzufuegen set it calls GrafZentrale and presses cmdDraw of the open diagram.
// Curves, nZeitPunkte, AchsenGrenzen and aktDiagrammCode must be set before. markTau: afterwards press
// the diagram's cmdMarkConti (mark at tauMittel), for diagrams over the mean residence time.
void HandOverReactorDiagram(bool markTau = false);

}  // namespace simulation
