#pragma once
// Context help. The program keeps its help calls (context ids per menu entry and window),
// but no help file is shipped: opening help tells the user so.
#include <string>

namespace platform {

// The application's help file (full path); set at start-up.
void SetHelpFile(const std::string& path);
const std::string& HelpFile();

// Opens the help at a context id; without a help file shows a message saying so.
void ShowHelpContext(int contextId);
// Closes every help window (nothing is open without a help viewer).
void CloseAllHelpWindows();

}  // namespace platform
