#include "kernel/ModelDefaults.h"

#include <string>

#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"

namespace kernel {

namespace {

constexpr double kBleibt = -1.0;  // the slot keeps its value

struct Standardwerte {
    double k1, k2, k3;
};

Standardwerte StandardK(int model) {
    switch (model) {
    case 5: case 16: return {0.15, 0.2, kBleibt};
    case 6: case 9: return {0.15, 0.1, kBleibt};
    case 7: return {0.15, 0.05, kBleibt};
    case 8: return {0.5, 0.1, kBleibt};
    case 10: return {1.5, 0.01, 0.005};
    case 11: return {0.15, 0.05, kBleibt};
    case 12: case 17: case 19: return {0.15, 0.01, kBleibt};
    case 13: case 14: case 18: return {0.15, 0.1, 0.005};
    case 15: return {0.15, 0.2, 0.15};
    default: return {kStandardK1, kBleibt, kBleibt};
    }
}

}  // namespace

void SetDefaultParameters() {
    // A per-second value divided by the factor from seconds to the current unit gives the value per unit.
    // Before the unit table is built (all 0) the values stay per second.
    const int nr = ZeitEinheitNr >= 0 && ZeitEinheitNr <= 4 ? ZeitEinheitNr : 0;
    const double sekundenFaktor = ZeitFaktor[0][nr] != 0 ? ZeitFaktor[0][nr] : 1.0;
    const Standardwerte std = StandardK(aktModell);
    kWert[1] = std.k1 / sekundenFaktor;
    if (std.k2 != kBleibt) kWert[2] = std.k2 / sekundenFaktor;
    if (std.k3 != kBleibt) kWert[3] = std.k3 / sekundenFaktor;
    switch (aktModell) {
    case 5: case 16: EinfacheReaktion = kTrue; break;
    case 6: case 9: case 13: case 14: case 18: EinfacheReaktion = kFalse; break;
    case 10:
        EinfacheReaktion = kFalse;
        if (c0Wert[1] == 0) c0Wert[1] = 0.5;
        if (c0Wert[2] == 0) c0Wert[2] = 5;
        break;
    default: break;
    }

    std::string frm;
    int code = 0;
    GetActiveSimForm(frm, code);
    if (code == 0) return;
    auto& forms = platform::Forms();
    for (int i = 1; i <= 3; ++i) {
        forms.SetText(frm, "Inp", 9 + i, platform::StrSingle(static_cast<float>(kWert[i])));
    }
    if (code == 1) {
        tMax = kStandardTMaxSekunden * sekundenFaktor;
        forms.SetText(frm, "kCombo", 0, platform::StrSingle(static_cast<float>(tMax)));
        for (int i = 1; i <= 3; ++i) {
            forms.SetText(frm, "kCombo", i, platform::StrSingle(static_cast<float>(kWert[i])));
        }
    }
}

void SetStoichMatrix(float n) {
    for (int i = 1; i <= kSpecies; ++i) {
        for (int j = 1; j <= 3; ++j) StoechMatrix[i][j] = 0;
    }
    auto& m = StoechMatrix;
    constexpr int A = 1, B = 2, C = 3, P = 4, Q = 5;
    switch (aktModell) {
    case 1: case 2: case 5: m[A][1] = -1; m[P][1] = 1; break;
    case 3: m[A][1] = -2; m[P][1] = 1; break;
    case 4: m[A][1] = -1; m[B][1] = -1; m[P][1] = 1; break;
    case 6: m[A][1] = -1; m[C][1] = 1; m[C][2] = -1; m[P][2] = 1; break;
    case 7: m[A][1] = -1; m[B][1] = -1; m[C][1] = 1; m[A][2] = -1; m[C][2] = -1; m[P][2] = 1; break;
    case 8: m[A][1] = -1; m[P][1] = 1; m[P][2] = -1; m[A][2] = 1; break;
    case 9: m[A][1] = -1; m[B][1] = -1; m[C][1] = 1; m[C][2] = -1; m[P][2] = 1; break;
    case 10:  // E S ES P
        m[1][1] = -1; m[2][1] = -1; m[3][1] = 1;
        m[3][2] = -1; m[1][2] = 1; m[2][2] = 1;
        m[3][3] = -1; m[1][3] = 1; m[4][3] = 1;
        break;
    case 11: m[A][1] = -1; m[P][1] = 1; m[A][2] = -1; m[Q][2] = 1; break;
    case 12: m[A][1] = -1; m[B][1] = -1; m[P][1] = 2; m[P][2] = -2; m[A][2] = 1; m[B][2] = 1; break;
    case 13:
        m[A][1] = -1; m[B][1] = -1; m[C][1] = 1;
        m[C][2] = -1; m[P][2] = 1;
        m[P][3] = -1; m[C][3] = 1;
        break;
    case 14: m[A][1] = -1; m[C][1] = 1; m[C][2] = -1; m[P][2] = 1; m[P][3] = -1; m[C][3] = 1; break;
    case 15: m[A][1] = -1; m[C][1] = 1; m[C][2] = -1; m[A][2] = 1; m[C][3] = -1; m[P][3] = 1; break;
    case 16: m[A][1] = -1; m[P][1] = 1; m[Q][1] = 1; break;
    case 17: m[A][1] = -1; m[B][1] = -1; m[P][1] = 1; m[P][2] = -1; m[A][2] = 1; m[B][2] = 1; break;
    case 18:
        m[A][1] = -1; m[B][1] = -1; m[C][1] = 1;
        m[C][2] = -1; m[A][2] = 1; m[B][2] = 1;
        m[C][3] = -1; m[P][3] = 1;
        break;
    case 19:
        m[A][1] = -1; m[B][1] = -1; m[P][1] = 1; m[Q][1] = 1;
        m[P][2] = -1; m[Q][2] = -1; m[A][2] = 1; m[B][2] = 1;
        break;
    case 20: m[A][1] = -n; m[P][1] = 1; break;
    default: break;
    }
}

}  // namespace kernel
