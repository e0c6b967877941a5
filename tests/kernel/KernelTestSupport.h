#pragma once
// Shared helpers of the kernel tests: an independent copy of the rate laws with a fine RK4 reference
// integration, the steady-state residual of a stirred tank, one fake window host, the measured data set
// and a fresh folder per test.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "platform/core/FormHost.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/StartState.h"

namespace ktest {

using Conc = std::array<double, 6>;  // slots 1..5

// dc/dt of each species slot, written from the reaction schemes (model 10: E S ES P).
inline Conc Rates(int model, const Conc& c, double k1, double k2, double k3, double n = 1.5) {
    const double a = c[1], b = c[2], cc = c[3], p = c[4], q = c[5];
    Conc r{};
    auto add = [&r](int s, double v) { r[static_cast<std::size_t>(s)] += v; };
    switch (model) {
    case 1: add(1, -k1); add(4, k1); break;
    case 2: add(1, -k1 * a); add(4, k1 * a); break;
    case 3: add(1, -2 * k1 * a * a); add(4, k1 * a * a); break;
    case 4: { const double r1 = k1 * a * b; add(1, -r1); add(2, -r1); add(4, r1); break; }
    case 5: { const double r1 = k1 * a * p; add(1, -r1); add(4, r1); break; }
    case 16: { const double r1 = k1 * a * p; add(1, -r1); add(4, r1); add(5, r1); break; }
    case 6: add(1, -k1 * a); add(3, k1 * a - k2 * cc); add(4, k2 * cc); break;
    case 7: { const double r1 = k1 * a * b, r2 = k2 * a * cc; add(1, -r1 - r2); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 8: { const double r1 = k1 * a - k2 * p; add(1, -r1); add(4, r1); break; }
    case 9: { const double r1 = k1 * a * b, r2 = k2 * cc; add(1, -r1); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 10: {
        const double r1 = k1 * a * b - k2 * cc, r3 = k3 * cc;
        add(1, -r1 + r3); add(2, -r1); add(3, r1 - r3); add(4, r3); break;
    }
    case 11: add(1, -(k1 + k2) * a); add(4, k1 * a); add(5, k2 * a); break;
    case 12: { const double r1 = k1 * a * b - k2 * p * p; add(1, -r1); add(2, -r1); add(4, 2 * r1); break; }
    case 13: { const double r1 = k1 * a * b, r2 = k2 * cc - k3 * p; add(1, -r1); add(2, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 14: { const double r1 = k1 * a, r2 = k2 * cc - k3 * p; add(1, -r1); add(3, r1 - r2); add(4, r2); break; }
    case 15: { const double r1 = k1 * a - k2 * cc, r3 = k3 * cc; add(1, -r1); add(3, r1 - r3); add(4, r3); break; }
    case 17: { const double r1 = k1 * a * b - k2 * p; add(1, -r1); add(2, -r1); add(4, r1); break; }
    case 18: { const double r1 = k1 * a * b - k2 * cc, r3 = k3 * cc; add(1, -r1); add(2, -r1); add(3, r1 - r3); add(4, r3); break; }
    case 19: { const double r1 = k1 * a * b - k2 * p * q; add(1, -r1); add(2, -r1); add(4, r1); add(5, r1); break; }
    case 20: { const double r1 = a > 0 ? k1 * std::pow(a, n) : 0.0; add(1, -r1); add(4, r1); break; }
    default: break;
    }
    return r;
}

// The slots a model writes (species A B C P Q); model 5 also writes its extent into slot 5 (a copy of an extent, which no reference holds).
inline bool Writes(int model, int slot) {
    switch (model) {
    case 1: case 2: case 3: case 8: case 20: return slot == 1 || slot == 4;
    case 4: case 12: case 17: return slot == 1 || slot == 2 || slot == 4;
    case 5: case 11: case 16: return slot == 1 || slot == 4 || slot == 5;
    case 6: case 14: case 15: return slot == 1 || slot == 3 || slot == 4;
    case 19: return slot != 3;
    default: return slot <= 4;
    }
}

// Classical RK4 with `steps` equal steps: the batch composition after time t.
inline Conc Integrate(int model, Conc c, double t, double k1, double k2, double k3, double n = 1.5, int steps = 20000) {
    const double h = t / steps;
    auto shifted = [&c](const Conc& d, double f) {
        Conc y{};
        for (std::size_t s = 1; s <= 5; ++s) y[s] = c[s] + f * d[s];
        return y;
    };
    for (int i = 0; i < steps; ++i) {
        const Conc d1 = Rates(model, c, k1, k2, k3, n);
        const Conc d2 = Rates(model, shifted(d1, h / 2), k1, k2, k3, n);
        const Conc d3 = Rates(model, shifted(d2, h / 2), k1, k2, k3, n);
        const Conc d4 = Rates(model, shifted(d3, h), k1, k2, k3, n);
        for (std::size_t s = 1; s <= 5; ++s) c[s] += h / 6 * (d1[s] + 2 * d2[s] + 2 * d3[s] + d4[s]);
    }
    return c;
}

// Largest |in - out + tau·r(out)| over the slots: zero in the steady state of a stirred tank.
// Models 5, 10 and 18 carry a copy of an extent in slot 5, which is no species of theirs: left out.
inline double Residual(int model, const Conc& in, const Conc& out, double tau, double k1, double k2, double k3,
                       double n = 1.5) {
    const Conc r = Rates(model, out, k1, k2, k3, n);
    const std::size_t last = (model == 5 || model == 10 || model == 18) ? 4 : 5;
    double worst = 0;
    for (std::size_t s = 1; s <= last; ++s) worst = std::fmax(worst, std::fabs(in[s] - out[s] + tau * r[s]));
    return worst;
}

// A model with its constants and start (or inlet) concentrations.
struct Case { int model; double k1, k2, k3; Conc c0; };

// Makes `model` the current model with its constants, start (or inlet) concentrations, order and matrix.
inline void UseModel(int model, double k1, double k2, double k3, const Conc& c0, float n = 1.5f) {
    kernel::aktModell = model;
    kernel::kWert = {0, k1, k2, k3};
    kernel::c0Wert = c0;
    kernel::ReaktOrdnung = n;
    kernel::SetStoichMatrix(n);
}
inline void UseModel(const Case& k, float n = 1.5f) { UseModel(k.model, k.k1, k.k2, k.k3, k.c0, n); }

// Windows that are "open" and what is written into their controls; writes to closed windows fail.
class Forms final : public platform::FormHost {
public:
    using Key = std::tuple<std::string, std::string, int>;
    Forms() { platform::SetFormHost(this); }
    ~Forms() override { platform::SetFormHost(nullptr); }

    bool IsLoaded(const std::string& f) const override { return open.count(f) > 0; }
    bool SetText(const std::string& f, const std::string& c, int i, const std::string& t) override {
        return IsLoaded(f) && (text[{f, c, i}] = t, true);
    }
    std::string GetText(const std::string& f, const std::string& c, int i) const override {
        return text.count({f, c, i}) ? text.at({f, c, i}) : "<unset>";
    }
    bool SetEnabled(const std::string& f, const std::string& c, int i, bool on) override {
        return IsLoaded(f) && (enabled[{f, c, i}] = on, true);
    }
    bool SetVisible(const std::string&, const std::string&, int, bool) override { return true; }
    bool SetToolTip(const std::string&, const std::string&, int, const std::string&) override { return true; }
    bool SetChecked(const std::string& f, const std::string& c, int i, bool on) override {
        if (!IsLoaded(f)) return false;
        const bool was = std::exchange(checked[{f, c, i}], on);
        if (on && !was && onClick) onClick(f, c, i);  // as the option button's click handler would
        return true;
    }
    bool IsChecked(const std::string& f, const std::string& c, int i) const override {
        return checked.count({f, c, i}) && checked.at({f, c, i});
    }
    bool Click(const std::string&, const std::string&, int) override { return true; }

    std::string Text(const std::string& f, const std::string& c, int i = -1) const { return GetText(f, c, i); }

    std::set<std::string> open;
    std::map<Key, std::string> text;
    std::map<Key, bool> enabled, checked;
    std::function<void(const std::string&, const std::string&, int)> onClick;
};

// "style|title|prompt" of the one message shown, its prompt cut to the first `promptChars` characters, or
// how many messages there were.
inline std::string OnlyMessage(const testsupport::MsgRecorder& rec, std::size_t promptChars = std::string::npos) {
    if (rec.Messages().size() != 1) return std::to_string(rec.Messages().size()) + " messages";
    const testsupport::RecordedMsg& m = rec.Last();
    return std::to_string(m.style) + "|" + m.title + "|" + m.prompt.substr(0, promptChars);
}

// Appends one measured row.
inline kernel::ExpPunkt& AddRow(double t, std::initializer_list<double> c = {}, double T = 0, double k = 0,
                                float lambda = 0, int exclude = 0) {
    kernel::ExpPunkt p{t, {}, T, k, lambda, 0, 0, 0, exclude};
    std::size_t s = 1;
    for (double v : c) p.c[s++] = v;
    kernel::ExpDaten.resize(static_cast<std::size_t>(kernel::nMesspunkte) + 1);
    kernel::ExpDaten.push_back(p);
    ++kernel::nMesspunkte;
    return kernel::ExpDaten.back();
}

// Fixture of the data-side tests: the program's start state before and after each test.
class DataTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetStartState(); }
    void TearDown() override { testsupport::ResetStartState(); }
};
// A fresh folder per test, removed afterwards, with raw bytes put into and read from its files; the program's
// start state before and after each test.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ResetStartState();
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvelo-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
        testsupport::ResetStartState();
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string PutFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path dir_;
};
}  // namespace ktest
