#include "shell/DataSaveQuestion.h"

#include "kernel/DataFile.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"
#include "shell/FileChoice.h"

namespace shell {

void SaveExpDataAs(int /*unused*/, int& result) {
    using namespace kernel;
    result = 0;
    FileRequest request;
    request.caption = "Datenfile speichern unter ...";
    request.pattern = "*.TA3";
    request.filter = "Datenfile (*.TA3)";
    request.directory = DatenPfad;
    request.proposal = DatenFile;
    request.defaultSuffix = "TA3";
    std::string chosen;
    if (!ChooseFileToSave(request, chosen) || chosen.empty()) {
        result = -1;
        return;
    }
    int written = 0;
    WriteDataFile(chosen, written);
    result = written ? 0 : -1;
    if (!written) return;  // the data set must not be named after a file that does not hold it
    const std::size_t slash = chosen.find_last_of("/\\");
    DatenFile = chosen;
    DatenFileTitel = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
    DatenPfad = slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
}

void AskSaveExpData(int /*unused*/, int& result) {
    result = 0;
    const int answer = platform::MsgBox("Die experimentellen Daten wurden geändert.\r\nJetzt speichern?",
                                        platform::MsgYesNoCancel + platform::MsgExclamation, "WARNUNG");
    if (answer == platform::AnswerCancel) {
        result = -1;
    } else if (answer == platform::AnswerYes) {
        SaveExpDataAs(0, result);
        if (result == 0) kernel::ExpDataChanged = kernel::kFalse;
    }
}

void AskSaveExpData(const std::string& /*dataFileName*/, bool& cancel) {
    int result = 0;
    AskSaveExpData(0, result);
    cancel = result != 0;
}

}  // namespace shell
