#pragma once
// Diagram set-up: the titles, curve count and axis range of every diagram kind, the species
// masks, the axis-limit memory, and GrafZentrale, through which every window opens a diagram.
//
// Diagram codes: -15..-1 evaluation and measured-point plots, 1..20 concentrations of model n,
// 51..70 rates of model n - 50, 100 one species' measured points, 110 and 112..115 residence-time
// curves, 500 blood alcohol. The table functions read the shared state (time unit, reactor flags,
// DiagVariante, ...) and are free of windows, so they can be called directly.
#include <array>
#include <optional>
#include <string>

#include "kernel/State.h"

namespace diagram {

constexpr int kAchsenSlots = 38;
using AchsenGrenzenBlock = std::array<float, kAchsenSlots>;

// Header, x-axis and y-axis title of the current diagram (module-private in spirit; readable for tests).
extern std::array<std::string, 3> GrafTitel;

// Titles and curve count of one diagram kind.
struct DiagrammKopf {
    bool hatTitel = false;          // false: the code has no titles, the old ones stay
    std::string titel, xTitel, yTitel;
    int kurven = 1;                 // curves one drawing run draws
    bool sonderFenster = false;     // the diagram opens in the second remembered geometry
};
// Titles for `code` from the shared state; never fails.
DiagrammKopf DiagrammTitel(int code);

// Copies the remembered slots of `code` into xMin, xMax, yMin, yMax of rec; other codes leave rec.
void GetGrafLimits(int code, const AchsenGrenzenBlock& grenzen, kernel::DiagRecord& rec);
// Stores the range of rec into the slots of `code`; codes without slots store nothing.
void SetGrafLimits(int code, AchsenGrenzenBlock& grenzen, const kernel::DiagRecord& rec);

// Sets KurvenMaske, ParamMaske, kTDiagramm and rcSDiagramm for `code`.
void SetKurvenMaske(int code);

// Caption of a point-set tab and legend text of species slot 1..6 ("c(A)" .. "c(Q)", model 10
// "c(E)", "c(S)", "c(ES)"; slot 6 "k-T" / "r-c(S)" / "").
std::string Kurvenname(int slot);

// The point-set page of the design dialog as GrafZentrale leaves it for `code`.
struct PunktsatzSeite {
    struct Tab {
        bool on = false;
        std::optional<std::string> caption;   // unset: caption unchanged
    };
    std::array<Tab, 6> tabs;                           // tabs 0..5 = point sets 1..6
    std::array<std::optional<std::string>, 7> txtLegPoints;  // index 1..6
    std::optional<int> chkLegend;
    std::optional<bool> legendeSichtbar;               // chart legend shown / hidden
    std::optional<int> aktuellerTab;
};
PunktsatzSeite PlanPunktsatzSeite(int code);

// Sets the diagram up for `code` and opens the diagram window: range from the remembered slots,
// titles and curve count, window shown (its set-up draws the first curve), point-set page prepared.
// A failure (the window cannot be created) ends with a message; what was written before stays.
// The last two arguments complete the call and are not read.
void GrafZentrale(int& code, kernel::DiagRecord& rec, int& zeichnenOffen, AchsenGrenzenBlock& grenzen,
                  int& nZeitPunkte, int& mitPunkten);

}  // namespace diagram
