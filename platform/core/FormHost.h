#pragma once
// Access to the open windows by window and control name, for code that must not know
// the window classes (the kernel writes captions and values into whichever window is open).
// The Qt window registry implements it; until it is installed no window counts as open.
//
// A control is named as its objectName: "Inp" with index 10 is the widget "Inp(10)";
// index -1 names a control that is not part of an array.
#include <string>

namespace platform {

class FormHost {
public:
    virtual ~FormHost() = default;
    // True while the window exists (also when hidden).
    virtual bool IsLoaded(const std::string& form) const = 0;
    // Text of a text box or combo box, caption of a label, button, frame or window.
    // Writing runs the control's change handler as a program write. False when there is no such control.
    virtual bool SetText(const std::string& form, const std::string& control, int index, const std::string& text) = 0;
    virtual std::string GetText(const std::string& form, const std::string& control, int index) const = 0;
    virtual bool SetEnabled(const std::string& form, const std::string& control, int index, bool enabled) = 0;
    virtual bool SetVisible(const std::string& form, const std::string& control, int index, bool visible) = 0;
    virtual bool SetToolTip(const std::string& form, const std::string& control, int index, const std::string& tip) = 0;
    // Option button or check box: sets the value; an option that was not set runs its click handler.
    virtual bool SetChecked(const std::string& form, const std::string& control, int index, bool checked) = 0;
    virtual bool IsChecked(const std::string& form, const std::string& control, int index) const = 0;
    // Presses a button as a click would.
    virtual bool Click(const std::string& form, const std::string& control, int index) = 0;
};

// The installed host; a host that knows no window until the Qt registry is installed.
FormHost& Forms();
void SetFormHost(FormHost* host);

// "Inp" and 10 give "Inp(10)"; index -1 gives the bare name.
std::string ControlName(const std::string& control, int index);

}  // namespace platform
