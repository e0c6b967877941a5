#include "diagram/GestaltungLink.h"

namespace diagram {

namespace {
GestaltungLink* installiert = nullptr;
}  // namespace

GestaltungLink& Gestaltung() {
    static GestaltungLink inert;
    return installiert ? *installiert : inert;
}

void SetGestaltung(GestaltungLink* dialog) { installiert = dialog; }

}  // namespace diagram
