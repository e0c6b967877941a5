#include "platform/Help.h"

#include "platform/core/MsgBox.h"

namespace platform {
namespace {
std::string& helpFileSlot() {
    static std::string file;
    return file;
}

std::string FileNamePart(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}
}  // namespace

void SetHelpFile(const std::string& path) { helpFileSlot() = path; }

const std::string& HelpFile() { return helpFileSlot(); }

void ShowHelpContext(int contextId) {
    std::string name = FileNamePart(HelpFile());
    if (name.empty()) name = "tarvelo.chm";
    MsgBox("Die Hilfe-Datei " + name + " ist nicht verfügbar.\r\n(Hilfe-Thema " + std::to_string(contextId) + ")",
           vbInformation, "Hilfe");
}

void CloseAllHelpWindows() {}

}  // namespace platform
