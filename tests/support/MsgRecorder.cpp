#include "tests/support/MsgRecorder.h"

#include <cstdio>

namespace testsupport {
namespace {
MsgRecorder* innermost = nullptr;  // the recorder that counts the beeps
}  // namespace

MsgRecorder::MsgRecorder() : outer_(innermost) {
    previous_ = platform::SetMsgBoxHandler([this](const std::string& prompt, int style, const std::string& title) {
        messages_.push_back({prompt, style, title});
        if (answers_.empty()) return platform::DefaultAnswer(style);
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
    innermost = this;
    platform::SetBeepHandler([] { ++innermost->beeps_; });
}

MsgRecorder::~MsgRecorder() {
    platform::SetMsgBoxHandler(previous_);
    innermost = outer_;
    if (!innermost) platform::SetBeepHandler({});
}

void MsgRecorder::InstallGlobal() {
    platform::SetMsgBoxHandler([](const std::string& prompt, int style, const std::string& title) {
        std::fprintf(stderr, "unexpected message [%s] %s\n", title.c_str(), prompt.c_str());
        return platform::DefaultAnswer(style);
    });
}

}  // namespace testsupport
