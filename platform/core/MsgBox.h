#pragma once
// Every message of the system goes through MsgBox. The Qt layer installs the real
// dialog; tests install an interceptor that records the call and answers at once.
#include <functional>
#include <string>

namespace platform {

// Button sets and icons, combined by addition as the message texts of the system use them.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Answers.
enum MsgAnswer : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Shows a message (prompt may hold several lines separated by "\r\n" or "\n") and returns the answer.
// Without an installed handler the call answers with the default button and writes to stderr.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = "TARVELO");

using MsgBoxHandler = std::function<int(const std::string& prompt, int style, const std::string& title)>;
// Installs the handler and returns the previous one (empty when none was installed).
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// The answer a box of this style gives when the user accepts its default button.
int DefaultAnswer(int style);

// The system beep.
void Beep();
void SetBeepHandler(std::function<void()> handler);

// Nested hourglass pointer: the Qt layer installs the switch, the kernel keeps the nesting count.
void SetWaitCursorHandler(std::function<void(bool on)> handler);
void ShowWaitCursor(bool on);

}  // namespace platform
