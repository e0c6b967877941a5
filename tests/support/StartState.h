#pragma once
// The shared state of the program as it stands when the program starts, before any test changed it.
namespace testsupport {

// Puts every shared variable back to the value it had when the test program started (taken once,
// before the first test runs). The values a main window sets when it opens come from building one.
void ResetStartState();

}  // namespace testsupport
