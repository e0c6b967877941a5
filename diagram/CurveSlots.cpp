#include "diagram/CurveSlots.h"

#include <cmath>

#include "platform/core/MsgBox.h"

namespace diagram {

using namespace kernel;

void KurvenSlotBelegen(int& slot, int& failed) {
    failed = kFalse;
    if (nKurven == 0)
        for (int i = 1; i <= kMaxKurven; ++i) KurveFrei[i] = kTrue;
    ++nKurven;
    if (nKurven > kMaxKurven) {
        nKurven = kMaxKurven;
        failed = kTrue;
        platform::MsgBox("Maximal  24 Kurven möglich" + CrLf + "Löschen Sie vorhandene Kurven", platform::MsgExclamation,
                         "WARNUNG");
        return;
    }
    for (int i = 1; i <= kMaxKurven; ++i) {
        if (KurveFrei[i]) {
            slot = i;
            aktKurve = i;
            KurveFrei[i] = kFalse;
            return;
        }
    }
    // The count and the flags disagree (a slot was freed behind the count's back): no slot.
    --nKurven;
    failed = kTrue;
}

void KurvenSlotZurueckgeben(int slot, int vorherigerSlot) {
    if (slot >= 1 && slot <= kMaxKurven && !KurveFrei[slot]) {
        KurveFrei[slot] = kTrue;
        if (nKurven > 0) --nKurven;
    }
    aktKurve = vorherigerSlot;
}

bool KurvenSlotFreigeben(int nr) {
    if (nr < 1 || nr > kMaxKurven || KurveFrei[nr]) return false;
    if (nKurven > 0) --nKurven;
    KurveFrei[nr] = kTrue;
    return true;
}

void AlleKurvenSlotsFreigeben() {
    nKurven = 0;
    for (int i = 1; i <= kMaxKurven; ++i) KurveFrei[i] = kTrue;
}

int LabelPunktIndex(const std::vector<XYPunkt>& punkte, float xMax, int slot) {
    if (punkte.empty()) return 0;
    long n = std::lround(punkte[0].x);
    if (n > static_cast<long>(punkte.size()) - 1) n = static_cast<long>(punkte.size()) - 1;
    long p = 0;
    for (long i = n; i >= 1; --i) {
        if (punkte[static_cast<std::size_t>(i)].x < xMax) {
            p = i;
            break;
        }
    }
    return static_cast<int>(std::nearbyint(p / 1.2 - 0.18 * p * slot));
}

}  // namespace diagram
