#pragma once
// The points of one curve of the diagram window, computed per diagram code from the shared curve
// arrays (model curves), the measured data (one-species spline), the tracer run or the blood-alcohol
// curve. Free of windows: the window passes the result on to the chart.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kernel/State.h"

namespace diagram {

constexpr int kRasterSchritte = 300;        // calculation steps across the x range
constexpr int kMaxKurvenPunkte = 100000;    // largest point list a curve may need

// Inputs and extra outputs of CalcCurve besides the arguments the drawing run passes.
struct KurvenRechnung {
    int rasterSchritte = kRasterSchritte;
    std::optional<std::string> label;       // out: text of the slot's curve label, when the code sets one
    bool laufBeendet = false;               // out: the calculation ended the drawing run itself
};

// Species slot (1 A, 2 B, 3 C, 4 P, 5 Q) drawn for model code 1..20 / 51..70 while `zeichnenOffen`
// curves are still to draw; 0 when the group of the model has no curve for that count.
int SpeziesFuerKurve(int code, int zeichnenOffen);

// Computes the points of curve `slot` for `code` into `punkte` (record 0's x = point count, points from
// record 1; the list grows as needed up to kMaxKurvenPunkte + 1 records). Reads the window range from
// DiagRec. `ausserhalb` is cleared as soon as one point lies inside the y range. Codes that compute
// nothing leave an empty list, except 112..115, whose points the caller has filled.
// Failure (a value that is not finite, a list that would exceed the cap, a step width <= 0, a source
// array too short): fehler := kTrue, grafMeldung := the description + line break + "Message from
// CalcCurve"; the list then holds no curve.
void CalcCurve(int code, int slot, std::vector<kernel::XYPunkt>& punkte, double& regAchsenabschnitt,
               double& regSteigung, float& regBestimmtheit, std::string& grafMeldung, int& ausserhalb,
               int& fehler, KurvenRechnung& rechnung);

// Multiplies the x of points 1..n by `faktor` (the tube's flow velocity turns residence time into
// length). False, with grafMeldung set and the points unchanged, when a result is not a finite Single.
bool SkaliereX(std::vector<kernel::XYPunkt>& punkte, double faktor, std::string& grafMeldung);
// True when every point 1..n of the list is finite (lists filled by the caller are checked before
// they are drawn).
bool PunkteEndlich(const std::vector<kernel::XYPunkt>& punkte);

// The evaluation plots (codes -14..-10, -8..-3) are computed by the evaluation module, which installs
// itself here; while none is installed these codes draw no curve.
using AuswertungsKurve = std::function<void(int code, std::vector<kernel::XYPunkt>& punkte,
                                            double& regAchsenabschnitt, double& regSteigung,
                                            float& regBestimmtheit, std::string& grafMeldung, int& ausserhalb)>;
void SetAuswertungsKurve(AuswertungsKurve rechnung);

}  // namespace diagram
