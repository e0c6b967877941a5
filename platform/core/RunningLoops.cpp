#include "platform/core/RunningLoops.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {
namespace {

std::vector<RunningLoop*>& Registered() {
    static std::vector<RunningLoop*> loops;
    return loops;
}

unsigned long nextId = 0;

}  // namespace

RunningLoop::RunningLoop(std::function<void()> stop) : stop_(std::move(stop)), id_(++nextId) { Registered().push_back(this); }

RunningLoop::~RunningLoop() {
    auto& loops = Registered();
    loops.erase(std::remove(loops.begin(), loops.end(), this), loops.end());
}

int StopRunningLoops() {
    // A stop may end another run (and so unregister it): each is looked up again before it is stopped.
    std::vector<unsigned long> ids;
    for (const RunningLoop* loop : Registered()) ids.push_back(loop->id_);
    int stopped = 0;
    for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
        const auto& loops = Registered();
        const auto it = std::find_if(loops.begin(), loops.end(), [&](const RunningLoop* l) { return l->id_ == *id; });
        if (it == loops.end()) continue;
        if ((*it)->stop_) (*it)->stop_();
        ++stopped;
    }
    return stopped;
}

}  // namespace platform
