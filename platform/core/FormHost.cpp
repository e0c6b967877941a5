#include "platform/core/FormHost.h"

namespace platform {
namespace {
class NoWindows final : public FormHost {
public:
    bool IsLoaded(const std::string&) const override { return false; }
    bool SetText(const std::string&, const std::string&, int, const std::string&) override { return false; }
    std::string GetText(const std::string&, const std::string&, int) const override { return {}; }
    bool SetEnabled(const std::string&, const std::string&, int, bool) override { return false; }
    bool SetVisible(const std::string&, const std::string&, int, bool) override { return false; }
    bool SetToolTip(const std::string&, const std::string&, int, const std::string&) override { return false; }
    bool SetChecked(const std::string&, const std::string&, int, bool) override { return false; }
    bool IsChecked(const std::string&, const std::string&, int) const override { return false; }
    bool Click(const std::string&, const std::string&, int) override { return false; }
};

NoWindows noWindows;
FormHost* current = &noWindows;
}  // namespace

FormHost& Forms() { return *current; }

void SetFormHost(FormHost* host) { current = host ? host : &noWindows; }

std::string ControlName(const std::string& control, int index) {
    if (index < 0) return control;
    return control + "(" + std::to_string(index) + ")";
}

}  // namespace platform
