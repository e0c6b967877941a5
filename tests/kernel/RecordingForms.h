#pragma once
// A window host for kernel tests: the named windows count as open and every text written is recorded.
#include <map>
#include <set>
#include <string>

#include "platform/core/FormHost.h"

namespace kerneltest {

class RecordingForms final : public platform::FormHost {
public:
    std::set<std::string> open;
    std::map<std::string, std::string> texts;  // "form.control(i)" -> text

    RecordingForms() { platform::SetFormHost(this); }
    ~RecordingForms() override { platform::SetFormHost(nullptr); }

    std::string Text(const std::string& form, const std::string& control, int index) const {
        const auto it = texts.find(form + "." + platform::ControlName(control, index));
        return it == texts.end() ? std::string("<unset>") : it->second;
    }
    bool IsLoaded(const std::string& form) const override { return open.count(form) > 0; }
    bool SetText(const std::string& form, const std::string& control, int index, const std::string& text) override {
        texts[form + "." + platform::ControlName(control, index)] = text;
        return true;
    }
    std::string GetText(const std::string& form, const std::string& control, int index) const override {
        return Text(form, control, index);
    }
    bool SetEnabled(const std::string&, const std::string&, int, bool) override { return true; }
    bool SetVisible(const std::string&, const std::string&, int, bool) override { return true; }
    bool SetToolTip(const std::string&, const std::string&, int, const std::string&) override { return true; }
    bool SetChecked(const std::string&, const std::string&, int, bool) override { return true; }
    bool IsChecked(const std::string&, const std::string&, int) const override { return false; }
    bool Click(const std::string&, const std::string&, int) override { return true; }
};

}  // namespace kerneltest
