#pragma once
// Context help: one help window over the compiled help file "tarvelo.qch" beside the program.
// Every context id the program passes is a keyword id "ctx<id>" of the help file. The help
// engine is set up at the first call, so start-up costs nothing.
#include <string>
#include <vector>

namespace platform {

// The application's help file (full path); set at start-up.
void SetHelpFile(const std::string& path);
const std::string& HelpFile();

// Opens the help window at the topic of the context id, or raises it and turns to that topic
// when it is open. A missing or unreadable help file is reported in a message; an id without a
// topic shows the help's index page.
void ShowHelpContext(int contextId);
// Closes the help window (nothing happens when none is open).
void CloseAllHelpWindows();

// The topic's address inside the help file ("batch.html", "ruehrkessel_rechenwege.html#modus2");
// empty when the id has no topic or the help file cannot be read.
std::string HelpTopicOfContext(int contextId);
// The pages of the help file ("batch.html", ...), sorted; empty when the file cannot be read.
std::vector<std::string> HelpPages();
// The HTML of one page of the help file (UTF-8); empty when the page or the file is missing.
std::string HelpPageHtml(const std::string& page);

}  // namespace platform
