#pragma once
#include <string>

namespace shell {

// Asks "Die experimentellen Daten wurden geändert. / Jetzt speichern?" (Yes, No, Cancel; "WARNUNG").
// Yes writes the data file under dataFileName (asking for a name when it is empty); a save that
// fails or whose name choice is cancelled counts as Cancel. cancel := true for Cancel, else false.
void AskSaveExpData(const std::string& dataFileName, bool& cancel);

}  // namespace shell
