#pragma once
// Runs that go on inside an event handler while letting other events through (the Monte-Carlo
// game, a modal wait) or step by step on a timer (the tracer experiment). Each run registers how it
// is stopped for as long as it lasts, so that the end of the program can stop every run as its own
// "Stop" would; the handler then returns and the event loop can end.
#include <functional>

namespace platform {

class RunningLoop {
public:
    // Registers the run; `stop` asks it to end at its next stop test and must not wait for that.
    explicit RunningLoop(std::function<void()> stop);
    ~RunningLoop();
    RunningLoop(const RunningLoop&) = delete;
    RunningLoop& operator=(const RunningLoop&) = delete;

private:
    std::function<void()> stop_;
    unsigned long id_;  // never reused, so a run that ended is not mistaken for a new one
    friend int StopRunningLoops();
};

// Stops every registered run, the latest first; returns how many there were. A run that ends or
// registers during the call is handled safely (an ended one is not stopped, a new one is left).
int StopRunningLoops();

}  // namespace platform
