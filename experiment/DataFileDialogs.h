#pragma once
// Choosing a measured-data file (*.TA3) to load in place of the data set or to append to it.
// Saving and the save question are in shell/DataSaveQuestion.h.

namespace experiment {

// Asks for a data file (title "Laden experimenteller Daten", or "Daten aus gewähltem File
// anfügen" when append = -1), starting at DatenPfad with DatenFile proposed, and reads it.
// cancelled := -1 when the choice was cancelled (nothing changes). A choice confirmed without a
// file name empties the data set in replace mode. With a name, DatenPfad becomes its directory;
// a completely read file replaces (append = 0) or extends the data set, DatenFile and
// DatenFileTitel name it, AnalyseExpData runs and DatenIstSession tells whether it bears the name
// of the last-session file; loaded := -1 then. Time units: a replacing file brings its unit, and
// t(max), rate constants, residence time and flows are rescaled into it (its rows stay as filed);
// appended rows are converted into the unit in effect, which stays. A file that cannot be read
// leaves the data set and its name as they were (the reader shows why) and loaded := 0.
void LoadExpDataDialog(int& append, int& loaded, int& cancelled);

}  // namespace experiment
