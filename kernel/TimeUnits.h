#pragma once
// Time units: every time, rate constant, residence time, flow and measured time is held in the
// current unit ZeitEinheit / ZeitEinheitNr (0 "s", 1 "min", 2 "h", 3 "d", 4 "a", the year of 365 days).
#include <string>

namespace kernel {

constexpr int kZeitEinheiten = 5;

// Fills ZeitFaktor: entry (i, j) = length of unit i / length of unit j; the entries i > j are the
// exact whole numbers, the entries i < j their reciprocals, the diagonal 1.
void BuildZeitFaktor();

// Text of unit index 0..4; "" outside.
std::string ZeitEinheitText(int idx);
// Index of a unit text (blanks around it ignored); -1 for any other text.
int ZeitEinheitIndexOf(const std::string& text);

// True while kWert(2) holds the reaction order n (order fitting of model 20) and not a rate constant.
bool kWert2IstOrdnung();

// Switches to unit newIdx (the callers pass ZeitEinheitNr after setting it) from unit oldIdx (0..4).
// With F = ZeitFaktor(oldIdx, newIdx) (1 when equal): times (t(max), tauMittel, the data rows' t and
// the largest data times DatenTmax, DatenTEnde) are multiplied by F; quantities per time (kWert, the rows' k, VPunkt, RohrV, and the rows' t while
// they hold the rate r(P) of the enzyme r(P)-c(S) mode) are divided by F; kWert(2) is kept while it
// holds the order. Then refreshes the unit captions and the boxes of the open windows and selects the
// unit's option in frmKinModel. No failure: the factors are never 0.
void ConvertTimeUnit(int& newIdx, int oldIdx);

// The two halves of ConvertTimeUnit, for a data file whose unit differs from the one in use.
// ConvertExpRows: rows first..last (1-based, clipped to the data set) from unit oldIdx into unit
// newIdx: t times F (divided by F while it holds the rate r(P) of the enzyme r(P)-c(S) mode), k
// divided by F. ConvertModelValues: t(max), tauMittel, kWert, VPunkt and RohrV likewise (kWert(2)
// kept while it holds the order). Neither touches ZeitEinheit nor any window; an index outside
// 0..4 converts nothing.
void ConvertExpRows(int first, int last, int oldIdx, int newIdx);
void ConvertModelValues(int oldIdx, int newIdx);

// The user's choice of unit `index` (0..4): the unit in use is read from ZeitEinheit (ZeitEinheitIdx
// kept when that text names no unit), ZeitEinheitNr := index, then ConvertTimeUnit from the unit in use.
void SelectTimeUnit(int index);

// Writes the unit captions of the rate constants (per model: /(mol/(u*l)), /(1/u), /(L/(u*mol))),
// the time and flow captions and the k texts into the open calculation windows, the time-diagram
// window and the data editor. Changes no stored value.
void UpdateUnitLabels();

}  // namespace kernel
