#pragma once
// Saving the measured data set under a chosen name, and the question whether changed data are to
// be saved before they are lost (asked by the exit handler of the main window).
#include <string>

namespace shell {

// Shows the save dialog ("Datenfile speichern unter ...", *.TA3, starting at DatenPfad with
// DatenFile proposed) and writes the data set with WriteDataFile. result := 0 when the file was
// written, -1 when the dialog was cancelled or the file was not written (the writer has said
// why). Only a written file becomes DatenFile, DatenFileTitel and DatenPfad (the directory with
// its trailing separator). The first argument is not used.
void SaveExpDataAs(int unused, int& result);

// Asks "Die experimentellen Daten wurden geändert. / Jetzt speichern?" (Yes, No, Cancel;
// "WARNUNG"). Yes saves through SaveExpDataAs and clears ExpDataChanged when the file was written.
// result := -1 for Cancel, or for Yes when the saving was cancelled or failed; 0 otherwise.
// The first argument is not used.
void AskSaveExpData(int unused, int& result);

// The same for the exit handler: cancel := true when the program must not end.
void AskSaveExpData(const std::string& dataFileName, bool& cancel);

}  // namespace shell
