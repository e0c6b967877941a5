#include <gtest/gtest.h>

#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/core/NumberFormat.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using platform::StrSingle;

TEST(ModelDefaults, RateConstantsFollowTheUnitAndReachTheOpenWindows) {
    ktest::Forms forms;
    BuildZeitFaktor();
    kWert = {0, 0, 0, 0};
    c0Wert = {};
    tMax = 0;
    forms.open = {"frmBatch"};
    aktModell = 2;
    ZeitEinheitNr = 1;  // min
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(kWert[1], 9.0);
    EXPECT_EQ(forms.Text("frmBatch", "Inp", 10), StrSingle(9.0f));
    EXPECT_EQ(tMax, 0.0);  // a reactor window leaves t(max) alone

    // The time-diagram window also gets t(max) = 100 s in the current unit and its combo boxes.
    forms.open = {"frmPrepareTimeDiagram", "frmBatch"};
    aktModell = 13;
    ZeitEinheitNr = 2;  // h
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(tMax, 100.0 / 3600.0);
    EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "kCombo", 0), StrSingle(static_cast<float>(100.0 / 3600.0)));
    EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "Inp", 11), StrSingle(360.0f));
    ZeitEinheitNr = 0;

    // The enzyme model fills only empty concentrations.
    forms.open.clear();
    aktModell = 10;
    c0Wert[1] = 0.2;
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(c0Wert[1], 0.2);
    EXPECT_DOUBLE_EQ(c0Wert[2], 5.0);
    EXPECT_EQ(EinfacheReaktion, kFalse);
}

TEST(ModelDefaults, StoichiometricMatrix) {
    aktModell = 12;
    SetStoichMatrix(1.5f);
    EXPECT_EQ(StoechMatrix[4][1], 2.0f);
    EXPECT_EQ(StoechMatrix[4][2], -2.0f);
    EXPECT_EQ(StoechMatrix[1][2], 1.0f);
}
