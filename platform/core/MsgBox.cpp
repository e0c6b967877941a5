#include "platform/core/MsgBox.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {
MsgBoxHandler& handlerSlot() {
    static MsgBoxHandler handler;
    return handler;
}
std::function<void()>& beepSlot() {
    static std::function<void()> handler;
    return handler;
}
std::function<void(bool)>& cursorSlot() {
    static std::function<void(bool)> handler;
    return handler;
}
}  // namespace

int DefaultAnswer(int style) {
    const int buttons = style & 7;
    const int defaultIndex = (style & MsgDefaultButton3) ? 2 : (style & MsgDefaultButton2) ? 1 : 0;
    static const int answers[6][3] = {{AnswerOk, AnswerOk, AnswerOk},          {AnswerOk, AnswerCancel, AnswerCancel},
                                      {AnswerAbort, AnswerRetry, AnswerIgnore}, {AnswerYes, AnswerNo, AnswerCancel},
                                      {AnswerYes, AnswerNo, AnswerNo},          {AnswerRetry, AnswerCancel, AnswerCancel}};
    return answers[buttons <= 5 ? buttons : 0][defaultIndex];
}

int MsgBox(const std::string& prompt, int style, const std::string& title) {
    if (handlerSlot()) return handlerSlot()(prompt, style, title);
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), prompt.c_str());
    return DefaultAnswer(style);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
    return std::exchange(handlerSlot(), std::move(handler));
}

void Beep() {
    if (beepSlot()) beepSlot()();
}

void SetBeepHandler(std::function<void()> handler) { beepSlot() = std::move(handler); }

void SetWaitCursorHandler(std::function<void(bool on)> handler) { cursorSlot() = std::move(handler); }

void ShowWaitCursor(bool on) {
    if (cursorSlot()) cursorSlot()(on);
}

}  // namespace platform
