#pragma once
// Where the shell needs a file name from the user. Opening goes through the program's own file
// dialog frmTCmnDlg; saving uses the standard save dialog. Tests install choosers that answer
// directly.
#include <functional>
#include <string>

namespace shell {

struct FileRequest {
    std::string caption;    // dialog caption
    std::string pattern;    // "*.TC3"
    std::string filter;     // save dialog filter text, e.g. "TARVELO-Projektdatei (*.TC3)"
    std::string directory;  // start directory
    std::string proposal;   // proposed (full) file name
    std::string defaultSuffix;  // appended to a saved name without extension, e.g. "TC3"
};

// Returns false when the user cancelled; otherwise chosenPath := the chosen full path.
using FileChooser = std::function<bool(const FileRequest& request, std::string& chosenPath)>;

void SetOpenFileChooser(FileChooser chooser);
void SetSaveFileChooser(FileChooser chooser);

bool ChooseFileToOpen(const FileRequest& request, std::string& chosenPath);
bool ChooseFileToSave(const FileRequest& request, std::string& chosenPath);

}  // namespace shell
