#pragma once
// Book-keeping of the 24 curve slots of the diagram window (shared nKurven, aktKurve, KurveFrei).
// Free of windows; the window adds the chart and menu side of each step.
#include <vector>

#include "kernel/State.h"

namespace diagram {

// Takes the lowest free slot: slot := it, aktKurve := it, nKurven + 1. With every slot taken,
// failed := kTrue after the "WARNUNG" message and slot stays as it was. With nKurven = 0 every slot
// counts as free first.
void KurvenSlotBelegen(int& slot, int& failed);

// Gives a slot back after its curve turned out empty: the slot is free again, nKurven - 1, and
// aktKurve returns to `vorherigerSlot`.
void KurvenSlotZurueckgeben(int slot, int vorherigerSlot);

// Frees slot nr (1..24). False, with nothing changed, when nr is no slot or the slot is already free.
bool KurvenSlotFreigeben(int nr);
// Frees every slot; nKurven := 0.
void AlleKurvenSlotsFreigeben();

// Point index at which the curve label of `slot` attaches: with P the last point (searched from the
// end) whose x lies below xMax, P / 1.2 - 0.18 P slot, to the nearest whole number.
int LabelPunktIndex(const std::vector<kernel::XYPunkt>& punkte, float xMax, int slot);

}  // namespace diagram
