#pragma once
// Every message of the system goes through MsgBox. The Qt layer installs the real
// dialog; tests install an interceptor that records the call and answers at once.
#include <functional>
#include <string>

namespace platform {

// Button sets and icons, combined by addition as the message texts of the system use them.
enum MsgStyle : int {
    MsgOkOnly = 0,
    MsgOkCancel = 1,
    MsgAbortRetryIgnore = 2,
    MsgYesNoCancel = 3,
    MsgYesNo = 4,
    MsgRetryCancel = 5,
    MsgCritical = 16,
    MsgQuestion = 32,
    MsgExclamation = 48,
    MsgInformation = 64,
    MsgDefaultButton2 = 256,
    MsgDefaultButton3 = 512,
};

// Answers.
enum MsgAnswer : int {
    AnswerOk = 1,
    AnswerCancel = 2,
    AnswerAbort = 3,
    AnswerRetry = 4,
    AnswerIgnore = 5,
    AnswerYes = 6,
    AnswerNo = 7,
};

// Shows a message (prompt may hold several lines separated by "\r\n" or "\n") and returns the answer.
// Without an installed handler the call answers with the default button and writes to stderr.
int MsgBox(const std::string& prompt, int style = MsgOkOnly, const std::string& title = "TARVELO");

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
