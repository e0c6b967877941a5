#pragma once
// Operations of the X-Y editor on its point list, free of the window. The list is indexed from 1
// (element 0 unused), n points; a point with status -1 is inactive.
#include <string>
#include <vector>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"

namespace experiment {

// Stable ascending sort by x (nachY false) or by y; whole records move, the status with them.
void SortiereXY(std::vector<kernel::XYPunkt>& liste, int n, bool nachY);

// Exchanges x and y of every point, active or not.
void TauscheXY(std::vector<kernel::XYPunkt>& liste, int n);

// Recalculation formulas, by option index.
enum XYFormel { kYExp = 0, kYLn = 1, kYMalW = 2, kYPlusW = 3, kYKehrwert = 4, kXEinsMinus = 5 };
// Applies the formula to every active point. When it fails for any of them (logarithm of a number
// <= 0, division by 0, a result beyond the range of a Single) nothing changes and fehler tells why.
bool UmrechnenXY(std::vector<kernel::XYPunkt>& liste, int n, int formel, double W, kernel::ErrorKind& fehler);

// The active points in list order into ziel[1..m], ziel[0].x = m; returns m.
int AktivePunkte(const std::vector<kernel::XYPunkt>& liste, int n, std::vector<kernel::XYPunkt>& ziel);

// Axis range of punkte[1..m]: 5 % of the extent added on both sides; a zero extent becomes -1..1 at
// 0 and +-5 % of the value elsewhere.
void AchsenbereichXY(const std::vector<kernel::XYPunkt>& punkte, int m, float& xMin, float& xMax, float& yMin,
                     float& yMax);

// Removes points r1..r2 (1-based, r1 <= r2 <= n) and moves the later ones up; n shrinks.
void EntferneXY(std::vector<kernel::XYPunkt>& liste, int& n, int r1, int r2);

}  // namespace experiment
