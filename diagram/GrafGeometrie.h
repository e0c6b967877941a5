#pragma once
// Layout of the diagram window: chart size and legend position from the window size, and the
// remembered window geometry. All lengths in twips unless the name says pixels.
#include <array>

namespace diagram {

constexpr int kChartOben = 312;            // chart top below the button row
constexpr int kMinBreite = 350;            // narrower: the chart gets no width
constexpr int kMinHoehe = 680;             // lower: the chart gets no height
constexpr int kAbstandUnten = 200;         // gap between chart and status bar (mouse read-out line)
constexpr int kMausPosLinks = 3351;        // left of the first mouse read-out label

struct ChartLayout {
    int breite = 0;            // chart width
    int hoehe = 0;             // chart height
    int flaecheBreitePx = 0;   // chart-area width, pixels
    int flaecheHoehePx = 0;    // chart-area height, pixels
    bool breiteGesetzt = false;  // legend left follows the chart-area width
    bool hoeheGesetzt = false;   // legend top follows the chart-area height
    int legendeObenPx = 0;     // a quarter of the chart-area height
};

// Chart layout for a client area of the given size and a status bar of the given height.
ChartLayout BerechneChartLayout(int fensterBreite, int fensterHoehe, int statusHoehe);

// Geometry the window opens with: top, left, width, height from the remembered normal or special
// geometry; during a fitting (diagVariante > 0) half the screen width and 65 % of its height at the
// normal position.
std::array<int, 4> StartGeometrie(bool sonderFenster, int diagVariante, int bildschirmBreite, int bildschirmHoehe);

}  // namespace diagram
