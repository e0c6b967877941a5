#pragma once
// Helpers of the data-set, time-unit and data-file tests: a recording window host, a message
// recorder and a reset of the measured data set.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "kernel/State.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"

namespace datatest {

// Windows that are "open" and the texts, enabled states and tool tips written into their controls.
class RecordingForms final : public platform::FormHost {
public:
    using Key = std::tuple<std::string, std::string, int>;

    RecordingForms() { platform::SetFormHost(this); }
    ~RecordingForms() override { platform::SetFormHost(nullptr); }

    void Open(const std::string& form) { open.insert(form); }

    bool IsLoaded(const std::string& form) const override { return open.count(form) > 0; }
    bool SetText(const std::string& f, const std::string& c, int i, const std::string& t) override {
        if (!IsLoaded(f)) return false;
        text[{f, c, i}] = t;
        return true;
    }
    std::string GetText(const std::string& f, const std::string& c, int i) const override {
        const auto it = text.find({f, c, i});
        return it == text.end() ? std::string() : it->second;
    }
    bool SetEnabled(const std::string& f, const std::string& c, int i, bool on) override {
        if (!IsLoaded(f)) return false;
        enabled[{f, c, i}] = on;
        return true;
    }
    bool SetVisible(const std::string&, const std::string&, int, bool) override { return true; }
    bool SetToolTip(const std::string& f, const std::string& c, int i, const std::string& t) override {
        if (!IsLoaded(f)) return false;
        tip[{f, c, i}] = t;
        return true;
    }
    bool SetChecked(const std::string& f, const std::string& c, int i, bool on) override {
        if (!IsLoaded(f)) return false;
        const bool was = checked[{f, c, i}];
        checked[{f, c, i}] = on;
        if (on && !was && onClick) onClick(f, c, i);
        return true;
    }
    bool IsChecked(const std::string& f, const std::string& c, int i) const override {
        const auto it = checked.find({f, c, i});
        return it != checked.end() && it->second;
    }
    bool Click(const std::string&, const std::string&, int) override { return true; }

    std::string Text(const std::string& f, const std::string& c, int i = -1) const { return GetText(f, c, i); }
    // -1 when never written.
    int Enabled(const std::string& f, const std::string& c, int i = -1) const {
        const auto it = enabled.find({f, c, i});
        return it == enabled.end() ? -1 : (it->second ? 1 : 0);
    }
    bool Written(const std::string& f, const std::string& c, int i = -1) const { return text.count({f, c, i}) > 0; }

    std::set<std::string> open;
    std::map<Key, std::string> text, tip;
    std::map<Key, bool> enabled, checked;
    // Runs when an option button that was not set gets set, as its click handler would.
    std::function<void(const std::string&, const std::string&, int)> onClick;
};

struct Message {
    std::string prompt;
    int style;
    std::string title;
};

// Records every message box and answers it with its default button.
class MessageRecorder {
public:
    MessageRecorder() {
        previous_ = platform::SetMsgBoxHandler([this](const std::string& p, int s, const std::string& t) {
            messages.push_back({p, s, t});
            return platform::DefaultAnswer(s);
        });
    }
    ~MessageRecorder() { platform::SetMsgBoxHandler(previous_); }
    std::vector<Message> messages;

private:
    platform::MsgBoxHandler previous_;
};

// Appends one measured row.
inline kernel::ExpPunkt& AddRow(double t, std::initializer_list<double> c = {}, double T = 0, double k = 0,
                                float lambda = 0, int exclude = 0) {
    kernel::ExpPunkt p;
    p.t = t;
    int s = 1;
    for (double v : c) p.c[s++] = v;
    p.T = T;
    p.k = k;
    p.lambda = lambda;
    p.exclude = exclude;
    kernel::ExpDaten.resize(static_cast<std::size_t>(kernel::nMesspunkte) + 1);
    kernel::ExpDaten.push_back(p);
    ++kernel::nMesspunkte;
    return kernel::ExpDaten.back();
}

// An empty data set and the state the data procedures read, at their start values.
inline void ResetDataState() {
    kernel::ExpDaten.assign(1, kernel::ExpPunkt{});
    kernel::nMesspunkte = 0;
    kernel::lambdaInf = 0;
    kernel::lambdaNull = 0;
    kernel::c0Mess.fill(0.0f);
    kernel::DatenKommentar.clear();
    kernel::aktModell = 2;
    kernel::EnzymRcsModus = kernel::kTrue;
    kernel::DiagVariante = 0;
    kernel::ZeitEinheit = "s";
    kernel::ZeitEinheitNr = 0;
    kernel::ZeitEinheitIdx = 1;
    kernel::AchsenGrenzen.fill(0.0f);
}

}  // namespace datatest
