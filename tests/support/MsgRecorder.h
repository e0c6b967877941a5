#pragma once
// Records every message of the system and every beep, and answers the messages without blocking.
// Use one recorder per test: it installs itself and restores the previous one (a recorder made inside
// a test, e.g. to answer a closing question, takes the messages and beeps until it ends).
#include <deque>
#include <string>
#include <vector>

#include "platform/core/MsgBox.h"

namespace testsupport {

struct RecordedMsg {
    std::string prompt;
    int style = 0;
    std::string title;
};

class MsgRecorder {
public:
    MsgRecorder();
    ~MsgRecorder();
    MsgRecorder(const MsgRecorder&) = delete;
    MsgRecorder& operator=(const MsgRecorder&) = delete;

    // Answers given in order; when none is queued the box's default button answers.
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<RecordedMsg>& Messages() const { return messages_; }
    bool Empty() const { return messages_.empty(); }
    const RecordedMsg& Last() const { return messages_.back(); }
    void Clear() { messages_.clear(); }
    int Beeps() const { return beeps_; }
    // The prompt of the one message shown, or how many messages there were.
    std::string OnlyPrompt() const {
        return messages_.size() == 1 ? messages_.back().prompt : std::to_string(messages_.size()) + " messages";
    }
    // "title|prompt" of the one message shown, or how many messages there were.
    std::string OnlyMessage() const {
        return messages_.size() == 1 ? messages_.back().title + "|" + OnlyPrompt() : OnlyPrompt();
    }

    // Installed by the test mains so that a message outside any recorder never blocks.
    static void InstallGlobal();

private:
    std::vector<RecordedMsg> messages_;
    std::deque<int> answers_;
    int beeps_ = 0;
    platform::MsgBoxHandler previous_;
    MsgRecorder* outer_;
};

}  // namespace testsupport
