#include "kernel/RateLaws.h"
#include "kernel/RuntimeError.h"
#include "kernel/TimeUnits.h"
#include "platform/core/NumberFormat.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using platform::StrSingle;

namespace {
const ConcVector kComposition{0, 0.7, 0.4, 0.25, 0.3, 0.15};
const KVector kK{0, 0.8, 0.3, 0.05};
}  // namespace

// Models outside 1..20 give zero rates; slots of species a model lacks get exactly 0.
TEST(RateLaws, EveryModelMatchesItsReactionScheme) {
    ReaktOrdnung = 1.5f;
    for (int model : {-3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 500}) {
        SCOPED_TRACE(model);
        RateVector dc;
        dc.fill(99.0);
        Derivs(model, dc, kK, kComposition);
        const ktest::Conc ref = ktest::Rates(model, kComposition, kK[1], kK[2], kK[3], 1.5);
        for (int s = 1; s <= 5; ++s) EXPECT_NEAR(dc[s], ref[static_cast<std::size_t>(s)], 1e-15);
        EXPECT_EQ(dc[0], 99.0);
    }
}

TEST(RateLaws, SpecialCompositions) {
    RateVector dc{};
    ReaktOrdnung = 1.5f;
    for (double a : {0.0, -0.001}) {  // order n only for a positive A
        Derivs(20, dc, {0, 0.5, 0, 0}, {0, a, 0, 0, 0, 0});
        EXPECT_EQ(dc[1], 0.0);
        EXPECT_EQ(dc[4], 0.0);
    }
    // The enzyme is conserved, and so is the substrate in all its forms.
    Derivs(10, dc, kK, kComposition);
    EXPECT_NEAR(dc[1] + dc[3], 0.0, 1e-16);
    EXPECT_NEAR(dc[2] + dc[3] + dc[4], 0.0, 1e-16);
    EXPECT_THROW(Derivs(4, dc, {0, 1e300, 0, 0}, {0, 1e10, 1e10, 0, 0, 0}), RuntimeError);  // overflow
}

TEST(RateLaws, MatrixRowAndPackedVectorGiveTheSameRates) {
    ConcMatrix rows(3);
    rows[2] = kComposition;
    kWert = kK;
    ReaktOrdnung = 2.5f;
    for (int model = 1; model <= 20; ++model) {
        SCOPED_TRACE(model);
        RateVector a{}, b{};
        Derivs(model, a, kK, kComposition);
        DerivsPunkt(2, model, b, kK, rows);
        EXPECT_EQ(a, b);
        const int nEq = NumEquations(model);
        if (nEq == 0) continue;
        aktModell = model;
        // Packing: 14, 15: A C P; 20: A P; the others slots 1..4.
        const int slot[3][5] = {{0, 1, 2, 3, 4}, {0, 1, 3, 4, 0}, {0, 1, 4, 0, 0}};
        const int* map = nEq == 4 ? slot[0] : (nEq == 3 ? slot[1] : slot[2]);
        EqVector y{}, dydt{};
        for (int i = 1; i <= nEq; ++i) y[i] = kComposition[map[i]];
        DerivsRK(y, dydt);
        for (int i = 1; i <= nEq; ++i) EXPECT_DOUBLE_EQ(dydt[i], a[map[i]]);
    }
    RateVector dc{};
    EXPECT_THROW(DerivsPunkt(3, 2, dc, kK, rows), RuntimeError);
}

TEST(ModelDefaults, RateConstantsFollowTheUnitAndReachTheOpenWindows) {
    ktest::Forms forms;
    testsupport::ResetStartState();
    BuildZeitFaktor();
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
