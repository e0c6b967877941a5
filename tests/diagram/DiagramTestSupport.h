#pragma once
// Shared state reset for the diagram tests: every test starts from the program's start state, and no
// diagram window is left open afterwards.
#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

#include <gtest/gtest.h>

#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "tests/support/StartState.h"

namespace diagramtest {

inline void SchliesseDiagramm() {
    platform::Windows().Unload("frmTGraph2D");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The window an opening helper returned; a test cannot go on without it.
inline diagram::frmTGraph2D* Offen(diagram::frmTGraph2D* f) {
    if (!f) throw std::runtime_error("the diagram window did not open");
    return f;
}

class DiagrammTest : public ::testing::Test {
protected:
    void SetUp() override {
        SchliesseDiagramm();
        testsupport::ResetStartState();
    }
    void TearDown() override {
        SchliesseDiagramm();
        testsupport::ResetStartState();
    }
};

}  // namespace diagramtest
