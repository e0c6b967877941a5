#pragma once
// Headings and entry captions of the data editor frmDatedit for the current model, enzyme mode and
// time unit; enables the entry fields, headings and draw buttons that make sense for them.

namespace kernel {

// Writes frmDatedit's labels lblKopf(0..9), Bz1(0..6), Label2, Label3, the entry fields y(0..8) and
// lambda_infin, and the buttons TSort, TemperaturSort, cmdDraw_ct, cmdDraw_rcS, cmdDraw_Tk by name.
// Reads aktModell, EnzymRcsModus, ZeitEinheit and the counts nkTPunkte, nAnull, nctPunkte.
// The caller checks that the window is open; no failure.
void SetDataGridHeaders();

}  // namespace kernel
