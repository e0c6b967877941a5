#include "shell/DataSaveQuestion.h"

#include "kernel/DataFile.h"
#include "kernel/State.h"
#include "platform/core/MsgBox.h"
#include "shell/FileChoice.h"

namespace shell {

void AskSaveExpData(const std::string& dataFileName, bool& cancel) {
    const int answer = platform::MsgBox("Die experimentellen Daten wurden geändert.\r\nJetzt speichern?",
                                        platform::vbYesNoCancel + platform::vbExclamation, "WARNUNG");
    cancel = answer == platform::vbCancel;
    if (answer != platform::vbYes) return;

    std::string name = dataFileName;
    if (name.empty()) {
        FileRequest request;
        request.caption = "exper. Daten speichern unter ...";
        request.pattern = "*.TA3";
        request.filter = "TARVELO-Datenfile (*.TA3)";
        request.directory = kernel::DatenPfad;
        request.defaultSuffix = "TA3";
        if (!ChooseFileToSave(request, name)) {
            cancel = true;
            return;
        }
    }
    int written = 0;
    kernel::WriteDataFile(name, written);
    if (!written) {
        cancel = true;  // the failed write has shown its message; the data must not be lost
        return;
    }
    kernel::ExpDataChanged = kernel::kFalse;
}

}  // namespace shell
