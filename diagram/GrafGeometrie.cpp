#include "diagram/GrafGeometrie.h"

#include <cmath>

#include "kernel/State.h"
#include "platform/Twips.h"

namespace diagram {

namespace {
// Nearest whole number, halves to the even neighbour.
int Runde(double v) { return static_cast<int>(std::nearbyint(v)); }
}  // namespace

ChartLayout BerechneChartLayout(int fensterBreite, int fensterHoehe, int statusHoehe) {
    ChartLayout l;
    if (fensterBreite > kMinBreite) {
        l.breite = fensterBreite;
        l.flaecheBreitePx = Runde(l.breite * 0.84 / platform::kTwipsPerPixel);
        l.breiteGesetzt = true;
    }
    if (fensterHoehe > kMinHoehe) {
        l.hoehe = fensterHoehe - statusHoehe - kAbstandUnten;
        if (l.hoehe < 0) l.hoehe = 0;
        l.flaecheHoehePx = Runde(l.hoehe * 0.89 / platform::kTwipsPerPixel);
        l.legendeObenPx = Runde(l.flaecheHoehePx / 4.0);
        l.hoeheGesetzt = true;
    }
    return l;
}

std::array<int, 4> StartGeometrie(bool sonderFenster, int diagVariante, int bildschirmBreite, int bildschirmHoehe) {
    std::array<int, 4> g = sonderFenster ? kernel::GeoGraph2DXY : kernel::GeoGraph2D;
    if (diagVariante > 0) {
        g[2] = Runde(bildschirmBreite * 0.5);
        g[3] = Runde(bildschirmHoehe * 0.65);
        g[0] = kernel::GeoGraph2D[0];
        g[1] = kernel::GeoGraph2D[1];
    }
    return g;
}

}  // namespace diagram
