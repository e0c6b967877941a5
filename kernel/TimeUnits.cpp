#include "kernel/TimeUnits.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"

namespace kernel {
namespace {

const std::array<const char*, kZeitEinheiten> kUnitTexts = {"s", "min", "h", "d", "a"};
// Lengths of the units in seconds.
const std::array<double, kZeitEinheiten> kUnitSeconds = {1.0, 60.0, 3600.0, 86400.0, 31536000.0};

constexpr int kOrderFitting = 2;   // DiagVariante of the order fitting
constexpr int kOrderModel = 20;    // A => P, n-th order
constexpr int kEnzymModel = 10;

std::string Trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

std::string RTrimmed(const std::string& s) {
    const auto last = s.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
}

// The first of the windows that is open; nullptr when none is.
const char* FirstOpen(std::initializer_list<const char*> forms) {
    for (const char* f : forms)
        if (IsFormLoaded(f)) return f;
    return nullptr;
}

bool IsOpen(const char* form) { return IsFormLoaded(form); }

std::string Text(double value) { return platform::StrSingle(static_cast<float>(value)); }

void SetText(const char* form, const char* control, int index, const std::string& text) {
    platform::Forms().SetText(form, control, index, text);
}

void WriteK(const char* form) {
    for (int i = 1; i <= 3; ++i) SetText(form, "Inp", 9 + i, Text(kWert[i]));
}

void WriteTimeCombos() {
    SetText("frmPrepareTimeDiagram", "kCombo", 0, Text(tMax));
    for (int i = 1; i <= 3; ++i) SetText("frmPrepareTimeDiagram", "kCombo", i, Text(kWert[i]));
}

// Captions unit1..unit3 of the rate constants for the current model.
void WriteRateUnits(const char* form, const std::string& u) {
    const std::string K0 = "/(mol/(" + u + "*l))";
    const std::string K1 = "/(1/" + u + ")";
    const std::string K2 = "/(L/(" + u + "*mol))";
    std::array<std::string, 4> cap = {"", K1, K1, K1};
    for (int i = 1; i <= 3; ++i) SetText(form, ("unit" + std::to_string(i)).c_str(), -1, K1);
    switch (aktModell) {
        case 1: cap[1] = K0; break;
        case 3: case 4: case 5: case 16: cap[1] = K2; break;  // 5 and 16: r1 = k1·c(A)·c(P)
        case 7: case 12: case 19: cap[1] = K2; cap[2] = K2; break;
        case 9: case 10: case 13: case 17: case 18: cap[1] = K2; break;
        case 20: cap[1] = ""; break;
        default: return;
    }
    for (int i = 1; i <= 3; ++i) SetText(form, ("unit" + std::to_string(i)).c_str(), -1, cap[i]);
}

}  // namespace

void BuildZeitFaktor() {
    for (int i = 0; i < kZeitEinheiten; ++i) {
        for (int j = 0; j < kZeitEinheiten; ++j) {
            if (i == j)
                ZeitFaktor[i][j] = 1.0;
            else if (i > j)
                ZeitFaktor[i][j] = kUnitSeconds[i] / kUnitSeconds[j];  // whole numbers, exact
            else
                ZeitFaktor[i][j] = 1.0 / (kUnitSeconds[j] / kUnitSeconds[i]);
        }
    }
}

std::string ZeitEinheitText(int idx) {
    return idx >= 0 && idx < kZeitEinheiten ? kUnitTexts[idx] : "";
}

int ZeitEinheitIndexOf(const std::string& text) {
    const std::string t = Trimmed(text);
    for (int i = 0; i < kZeitEinheiten; ++i)
        if (t == kUnitTexts[i]) return i;
    return -1;
}

bool kWert2IstOrdnung() { return DiagVariante == kOrderFitting && aktModell == kOrderModel; }

void SelectTimeUnit(int index) {
    const int before = ZeitEinheitIndexOf(ZeitEinheit);
    if (before >= 0) ZeitEinheitIdx = before;
    ZeitEinheitNr = index;
    ConvertTimeUnit(ZeitEinheitNr, ZeitEinheitIdx);
}

// Length of unit oldIdx over length of unit newIdx; 1 when either index names no unit.
static double Factor(int oldIdx, int newIdx) {
    const bool valid = newIdx >= 0 && newIdx < kZeitEinheiten && oldIdx >= 0 && oldIdx < kZeitEinheiten;
    return valid && oldIdx != newIdx ? ZeitFaktor[oldIdx][newIdx] : 1.0;
}

// The time column of the data in the new unit (it holds the rate r(P) in the enzyme r(P)-c(S) mode).
static double ConvertedDataTime(double t, double F) {
    return aktModell == kEnzymModel && EnzymRcsModus != 0 ? t / F : t * F;
}

void ConvertExpRows(int first, int last, int oldIdx, int newIdx) {
    const double F = Factor(oldIdx, newIdx);
    if (F == 1.0) return;
    last = std::min(last, DataRowCount());
    for (int i = std::max(first, 1); i <= last; ++i) {
        ExpPunkt& p = ExpDaten[i];
        p.t = ConvertedDataTime(p.t, F);
        p.k /= F;
    }
}

void ConvertModelValues(int oldIdx, int newIdx) {
    const double F = Factor(oldIdx, newIdx);
    if (F == 1.0) return;
    tMax *= F;
    tauMittel *= F;
    kWert[1] /= F;
    if (!kWert2IstOrdnung()) kWert[2] /= F;
    kWert[3] /= F;
    // Flow and flow velocity keep their meaning whether or not their window is open.
    VPunkt /= F;
    RohrV /= F;
}

void ConvertTimeUnit(int& newIdx, int oldIdx) {
    const int newUnit = newIdx;
    if (newUnit >= 0 && newUnit < kZeitEinheiten) ZeitEinheit = kUnitTexts[newUnit];
    ConvertExpRows(1, DataRowCount(), oldIdx, newUnit);
    // The largest times the last analysis found belong to the rows just converted (the time window
    // proposes t(max) from them).
    const double F = Factor(oldIdx, newUnit);
    DatenTmax = static_cast<float>(ConvertedDataTime(DatenTmax, F));
    DatenTEnde = ConvertedDataTime(DatenTEnde, F);
    ConvertModelValues(oldIdx, newUnit);

    UpdateUnitLabels();

    if (IsOpen("frmRohrreaktor")) {
        SetText("frmRohrreaktor", "Label8", -1, "v / (m/" + ZeitEinheit + ")");
        SetText("frmRohrreaktor", "Inp", 16, Text(RohrV));
        SetText("frmRohrreaktor", "Inp", 14, Text(tauMittel));
    }
    if (IsOpen("frmRKconti")) {
        SetText("frmRKconti", "Inp", 15, Text(VPunkt));
        SetText("frmRKconti", "Inp", 16, Text(tauMittel));
    }
    if (IsOpen("frmKaskade")) {
        SetText("frmKaskade", "Inp", 15, Text(VPunkt));
        SetText("frmKaskade", "Inp", 16, Text(tauMittel));
        if (nKaskade > 0) {
            SetText("frmKaskade", "lblZeitProKessel", -1,
                    "Verweilzeit pro Kessel: " + platform::CStrSingle(static_cast<float>(tauMittel / nKaskade)) +
                        " " + ZeitEinheit);
        }
    }
    if (IsOpen("frmBatch")) SetText("frmBatch", "Inp", 14, Text(tauMittel));
    if (IsOpen("frmPrepareTimeDiagram")) SetText("frmPrepareTimeDiagram", "kCombo", 0, Text(tMax));
    if (IsOpen("frmKinModel") && newUnit >= 0 && newUnit < kZeitEinheiten)
        platform::Forms().SetChecked("frmKinModel", "optZeit", newUnit, true);
}

void UpdateUnitLabels() {
    const std::string u = RTrimmed(ZeitEinheit);
    const bool timeWindowOpen = IsOpen("frmPrepareTimeDiagram");

    if (const char* w = FirstOpen({"frmRKconti", "frmBatch", "frmRohrreaktor", "frmKaskade", "frmTFitting"})) {
        WriteK(w);
        if (timeWindowOpen) WriteTimeCombos();
        SetText(w, "lblZeitEinheit", -1, u);
        SetText(w, "lblVPunktInput", -1, "V* /(m^3/" + u + ")");
        WriteRateUnits(w, u);
    }
    if (const char* w = FirstOpen({"frmPrepareTimeDiagram", "frmTFitting"})) {
        WriteK(w);
        if (timeWindowOpen) WriteTimeCombos();
        WriteRateUnits(w, u);
    }
    if (timeWindowOpen) SetText("frmPrepareTimeDiagram", "unit4", -1, u);
    if (IsOpen("frmDatedit")) {
        if (EnzymRcsModus != 0 && aktModell == kEnzymModel) {
            SetText("frmDatedit", "Bz1", 2, "r(P)/(mol/L " + ZeitEinheit + ")");
            SetText("frmDatedit", "lblKopf", 5, " r(P)/(mol/L " + ZeitEinheit + ")");
        } else {
            SetText("frmDatedit", "Bz1", 2, "Zeit t/" + u);
            SetText("frmDatedit", "lblKopf", 5, "  Zeit t/" + u);
        }
    }
}

}  // namespace kernel
