#pragma once
// Small pieces shared by the calculator and the X-Y editor: the numeric key filter of their input
// boxes, the frame that holds a window, and the activation hook of an MDI child.
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace experiment {

enum class NumKey {
    Pass,       // the box handles the key itself
    Dropped,    // refused by the filter; keyAscii holds the refused key
    Taken,      // accepted and already entered (a comma typed as a point)
};

// Ctrl+C and Ctrl+V (and the other editing shortcuts) pass; every other typing key goes through
// CheckNumKey, and a typed "," is entered as ".". keyAscii := the key as the filter sees it
// (13 Enter, 8 Backspace, the character; 0 for keys that type nothing). An accepted Enter answers
// Pass; the caller decides what Enter does.
NumKey FilterNumKey(QLineEdit* box, const QKeyEvent* event, int& keyAscii);

// The frame that holds the window of that name: its MDI subwindow, or the window itself.
QWidget* FrameOf(const char* name, QWidget* form);

// Runs onActivate whenever the window's MDI subwindow becomes the active one. Call from showEvent;
// connects once (connected is the window's flag).
void ConnectMdiActivation(const char* name, QWidget* form, bool& connected, std::function<void()> onActivate);

// Selects the whole text of the box once the focus has settled.
void SelectAllLater(QLineEdit* box);

}  // namespace experiment
