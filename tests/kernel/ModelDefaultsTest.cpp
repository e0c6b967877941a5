#include <gtest/gtest.h>

#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/core/NumberFormat.h"
#include "tests/kernel/RecordingForms.h"

using namespace kernel;

namespace {

class ModelDefaults : public ::testing::Test {
protected:
    void SetUp() override {
        BuildZeitFaktor();
        ZeitEinheitNr = 0;
        kWert = {0, 0, 0, 0};
        c0Wert = {};
        tMax = 0;
    }
    void TearDown() override { ZeitEinheitNr = 0; }
    kerneltest::RecordingForms forms;
};

}  // namespace

TEST_F(ModelDefaults, RateConstantsFollowTheTimeUnitAndReachTheOpenWindow) {
    forms.open = {"frmBatch"};
    aktModell = 2;
    ZeitEinheitNr = 1;  // min
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(kWert[1], 9.0);
    EXPECT_EQ(forms.Text("frmBatch", "Inp", 10), platform::StrSingle(9.0f));
    EXPECT_EQ(tMax, 0.0);  // a reactor window leaves t(max) alone
    ZeitEinheitNr = 4;  // a
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(kWert[1], 4730400.0);
}

TEST_F(ModelDefaults, SlotsWithoutDefaultKeepTheirValues) {
    aktModell = 15;
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(kWert[2], 0.2);
    EXPECT_DOUBLE_EQ(kWert[3], 0.15);
    aktModell = 2;
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(kWert[1], 0.15);
    EXPECT_DOUBLE_EQ(kWert[2], 0.2);
    EXPECT_DOUBLE_EQ(kWert[3], 0.15);
    aktModell = 5;
    EinfacheReaktion = 0;
    SetDefaultParameters();
    EXPECT_EQ(EinfacheReaktion, kTrue);
    EXPECT_TRUE(forms.texts.empty());  // no window open: only the state changes
}

TEST_F(ModelDefaults, EnzymeModelGetsItsConcentrationsOnlyWhereEmpty) {
    aktModell = 10;
    c0Wert[1] = 0.2;
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(c0Wert[1], 0.2);
    EXPECT_DOUBLE_EQ(c0Wert[2], 5.0);
    EXPECT_DOUBLE_EQ(kWert[1], 1.5);
    EXPECT_DOUBLE_EQ(kWert[3], 0.005);
    EXPECT_EQ(EinfacheReaktion, kFalse);
}

TEST_F(ModelDefaults, TimeDiagramWindowGetsTMaxAndTheCombos) {
    forms.open = {"frmPrepareTimeDiagram", "frmBatch"};
    aktModell = 13;
    ZeitEinheitNr = 2;  // h
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(tMax, 100.0 / 3600.0);
    EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "kCombo", 0), platform::StrSingle(static_cast<float>(100.0 / 3600.0)));
    EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "kCombo", 3), platform::StrSingle(18.0f));
    EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "Inp", 11), platform::StrSingle(360.0f));
    EXPECT_EQ(forms.Text("frmBatch", "Inp", 10), "<unset>");
}

TEST_F(ModelDefaults, StoichiometricMatrix) {
    aktModell = 12;
    SetStoichMatrix(1.5f);
    EXPECT_EQ(StoechMatrix[4][1], 2.0f);
    EXPECT_EQ(StoechMatrix[4][2], -2.0f);
    EXPECT_EQ(StoechMatrix[1][2], 1.0f);
    aktModell = 20;
    SetStoichMatrix(2.5f);
    EXPECT_EQ(StoechMatrix[1][1], -2.5f);
    EXPECT_EQ(StoechMatrix[4][1], 1.0f);
    // Every model conserves the atoms of A in each step: -ν(A) equals what the step makes of A's mass in
    // the models whose products carry A once (checked here for the single-step models).
    for (int model : {1, 2, 5, 8, 16, 17, 19}) {
        aktModell = model;
        SetStoichMatrix(1.0f);
        EXPECT_EQ(StoechMatrix[1][1] + StoechMatrix[4][1], 0.0f) << model;
    }
    aktModell = BAKModellCode;
    SetStoichMatrix(1.5f);
    for (int i = 1; i <= 5; ++i) {
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(StoechMatrix[i][j], 0.0f);
    }
}
