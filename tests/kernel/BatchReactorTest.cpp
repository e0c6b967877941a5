#include <span>

#include "kernel/BatchReactor.h"
#include "kernel/RateLaws.h"
#include "kernel/RuntimeError.h"
#include "kernel/TimeUnits.h"
#include "platform/core/NumberFormat.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace ktest;

namespace {

const Case kClosed[] = {{1, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}},         {2, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}},
                        {3, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}},           {4, 0.15, 0, 0, {0, 1, 1.5, 0, 0.2, 0}},
                        {4, 0.15, 0, 0, {0, 0.8, 0.8, 0, 0, 0}},       {5, 0.15, 0, 0, {0, 1, 0, 0, 0.01, 0}},
                        {6, 0.15, 0.1, 0, {0, 1, 0, 0.05, 0, 0}},      {6, 0.15, 0.15, 0, {0, 1, 0, 0, 0, 0}},
                        {8, 0.5, 0.1, 0, {0, 1, 0, 0, 0.1, 0}},        {11, 0.15, 0.05, 0, {0, 1, 0, 0, 0, 0.1}},
                        {12, 0.15, 0.01, 0, {0, 1, 0.8, 0, 0.1, 0}},   {16, 0.15, 0, 0, {0, 1, 0, 0, 0.01, 0}},
                        {17, 0.15, 0.01, 0, {0, 1, 0.7, 0, 0.2, 0}},   {19, 0.15, 0.01, 0, {0, 1, 0.9, 0, 0.1, 0.05}},
                        {19, 0.15, 0.3, 0, {0, 1, 0.9, 0, 0.1, 0.05}}, {12, 0.1, 0.2, 0, {0, 1, 0.6, 0, 0.2, 0}},
                        // At the limits: k1 = k2 in model 6, coinciding roots of the extent in models 12 and 17.
                        {6, 0.15, 0.15, 0, {0, 1, 0, 0.05, 0.1, 0}},   {6, 0.15, 0.15 * (1 + 1e-9), 0, {0, 1, 0, 0, 0, 0}},
                        {12, 0.15, 0, 0, {0, 1, 1, 0, 0, 0}},          {12, 0.15, 1e-14, 0, {0, 1, 1, 0, 0.1, 0}},
                        {17, 0.15, 0, 0, {0, 1, 1, 0, 0, 0}},          {17, 0.15, 1e-14, 0, {0, 1, 1, 0, 0.1, 0}},
                        {6, 0.15, 0.15 * (1 + 1e-4), 0, {0, 1, 0, 0, 0, 0}}, {12, 0.15, 1e-300, 0, {0, 1, 1, 0, 0, 0}},
                        {12, 0.15, 1e-9, 0, {0, 1, 1, 0, 0.1, 0}},     {17, 0.15, 1e-300, 0, {0, 1, 1, 0, 0, 0}},
                        {17, 0.15, 1e-9, 0, {0, 1, 1, 0, 0.1, 0}},     {17, 0.15, 1e-6, 0, {0, 1, 1 + 1e-9, 0, 0, 0}}};
const Case kNumeric[] = {{7, 0.15, 0.05, 0, {0, 1, 1.2, 0, 0, 0}},       {9, 0.15, 0.1, 0, {0, 1, 1.2, 0, 0, 0}},
                         {10, 1.5, 0.01, 0.005, {0, 0.5, 5, 0, 0, 0}},   {13, 0.15, 0.1, 0.005, {0, 1, 1.2, 0, 0, 0}},
                         {14, 0.15, 0.1, 0.005, {0, 1, 0, 0.1, 0, 0}},   {15, 0.15, 0.2, 0.15, {0, 1, 0, 0.1, 0, 0}},
                         {18, 0.15, 0.1, 0.005, {0, 1, 1.3, 0, 0, 0}},   {20, 0.15, 0, 0, {0, 1, 0, 0, 0.1, 0}}};

int Batch(const Case& k, double t, Conc& c, float n = 1.5f) {
    UseModel(k, n);
    int err = 1;
    kernel::CalcBatchKessel(k.model, t, kernel::c0Wert, 0.0, c, err);
    return err;
}

// Compares every slot the model writes with the reference; the others keep -9.
void ExpectSlots(int model, const Conc& c, const Conc& ref, double tol, bool relative) {
    for (int s = 1; s <= 5; ++s) {
        if (model == 5 && s == 5) continue;
        if (Writes(model, s)) {
            EXPECT_NEAR(c[s], ref[s], tol * (relative ? 1 + std::fabs(ref[s]) : 1)) << "slot " << s;
        } else {
            EXPECT_EQ(c[s], -9.0) << "slot " << s;
        }
    }
}

}  // namespace

// The closed forms agree with the fine reference to 1e-9. The integrated models end exactly at t, whatever t/150
// does in floating point; their sub-steps are refined only until two runs agree to 1 %, so the agreement is about
// 1e-5; model 20 with n = 1 is first order, c(A) = c0·e^(-kt), and checked tighter.
TEST(BatchReactor, EveryModelFollowsItsRateLawsUpToT) {
    testsupport::MsgRecorder rec;
    const struct { std::span<const Case> cases; std::vector<double> times; int steps; double tol; bool relative; } groups[] = {
        {kClosed, {0.7, 10.0, 40.0}, 20000, 1e-9, false}, {kNumeric, {10.0, 12.5, 150.0, 200.0, 333.3}, 40000, 1e-5, true}};
    for (const auto& g : groups) {
        for (const Case& k : g.cases) {
            for (double t : g.times) {
                SCOPED_TRACE(::testing::Message() << "model " << k.model << " t " << t);
                if (k.model == 1 && k.k1 * t > k.c0[1]) continue;  // checked below
                Conc c{0, -9, -9, -9, -9, -9};
                ASSERT_EQ(Batch(k, t, c), 0);
                ExpectSlots(k.model, c, Integrate(k.model, k.c0, t, k.k1, k.k2, k.k3, 1.5, g.steps), g.tol, g.relative);
            }
        }
    }
    // Zero order stops when A is used up.
    Conc c{};
    ASSERT_EQ(Batch(kClosed[0], 20.0, c), 0);
    EXPECT_EQ(c[1], 0.0);
    EXPECT_DOUBLE_EQ(c[4], 1.1);
    for (double t : {10.0, 12.5, 150.0, 200.0, 1000.1}) {
        ASSERT_EQ(Batch({20, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}}, t, c, 1.0f), 0);
        EXPECT_NEAR(c[1], std::exp(-0.15 * t), 1e-9 * (1 + std::exp(-0.15 * t))) << t;
        EXPECT_NEAR(c[1] + c[4], 1.0, 1e-12) << t;
    }
    EXPECT_TRUE(rec.Empty());
}

TEST(BatchReactor, FailuresAreReported) {
    testsupport::MsgRecorder rec;
    Conc c{0, 5, 5, 5, 5, 5};
    // Model 19 without a real solution: flag only, nothing written.
    EXPECT_EQ(Batch({19, 1, -1, 0, {0, 1, 1, 0, 0, 0}}, 1.0, c), -1);
    EXPECT_EQ(c[1], 5.0);
    EXPECT_TRUE(rec.Empty());
    // Division by zero (model 17 with k1 = 0): one message and the flag.
    EXPECT_EQ(Batch({17, 0, 0.1, 0, {0, 1, 1, 0, 0, 0}}, 1.0, c), -1);
    EXPECT_EQ(OnlyMessage(rec, 22), "16|Meldung von CalcBatchKessel|Fehler aufgetreten: \r\n");
    // A stiff integration that no sub-step count below the ceiling resolves.
    EXPECT_EQ(Batch({7, 1e9, 1e9, 0, {0, 1, 1, 0, 0, 0}}, 100.0, c), -1);
    EXPECT_EQ(rec.Messages().size(), 2u);
}

TEST(BatchReactor, ExtentsOfReaction) {
    kernel::ExtentVector ksi{};
    auto extents = [&](const Case& k, const Conc& c, float n = 1.5f) {
        UseModel(k, n);
        kernel::cAktuell = c;
        kernel::CalcKsi(ksi);
    };
    extents({3, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}}, {0, 0.4, 0, 0, 0.3, 0});  // 2A => P: half the A consumed
    EXPECT_DOUBLE_EQ(ksi[1], 0.3);
    EXPECT_EQ(ksi[2], 0.0);
    extents(kNumeric[0], {0, 0.5, 0.8, 0.3, 0.1, 0});  // A + B => C; A + C => P: xi1 from B, xi2 = xi1 - c(C)
    EXPECT_NEAR(ksi[1], 0.4, 1e-15);
    EXPECT_NEAR(ksi[2], 0.1, 1e-15);
    // Model 20 counts one A per P although the matrix window shows -n.
    extents({20, 0.15, 0, 0, {0, 1, 0, 0, 0, 0}}, {0, 0.6, 0, 0, 0.4, 0}, 2.5f);
    EXPECT_EQ(kernel::StoechMatrix[1][1], -2.5f);
    EXPECT_NEAR(ksi[1], 0.4, 1e-15);
    // The enzyme model takes xi1 from the substrate: nearly all S converted, the free enzyme back near c0(E).
    Conc c{};
    ASSERT_EQ(Batch(kNumeric[2], 2000.0, c), 0);
    extents(kNumeric[2], c);
    EXPECT_NEAR(ksi[1], 5.0 - c[2], 1e-15);
    EXPECT_GT(ksi[1], 4.0);
    EXPECT_NEAR(ksi[2], c[4], 1e-15);
}

// ---- Rate laws and model defaults ----

using namespace kernel;
using platform::StrSingle;

namespace {
const ConcVector kComposition{0, 0.7, 0.4, 0.25, 0.3, 0.15};
const KVector kK{0, 0.8, 0.3, 0.05};
}  // namespace

// Models outside 1..20 give zero rates; slots of species a model lacks get exactly 0. The matrix form reads the
// row it is given; the packed form of the integrators is checked by their runs. Order n only for a positive A.
TEST(RateLaws, EveryModelMatchesItsReactionScheme) {
    ReaktOrdnung = 1.5f;
    ConcMatrix rows(3);
    rows[2] = kComposition;
    for (int model : {-3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 500}) {
        SCOPED_TRACE(model);
        RateVector dc, row;
        dc.fill(99.0);
        row.fill(99.0);
        Derivs(model, dc, kK, kComposition);
        const ktest::Conc ref = ktest::Rates(model, kComposition, kK[1], kK[2], kK[3], 1.5);
        for (int s = 1; s <= 5; ++s) EXPECT_NEAR(dc[s], ref[static_cast<std::size_t>(s)], 1e-15);
        EXPECT_EQ(dc[0], 99.0);
        DerivsPunkt(2, model, row, kK, rows);
        EXPECT_EQ(row, dc);
    }
    RateVector dc{};
    EXPECT_THROW(DerivsPunkt(3, 2, dc, kK, rows), RuntimeError);
    for (double a : {0.0, -0.001}) {
        Derivs(20, dc, {0, 0.5, 0, 0}, {0, a, 0, 0, 0, 0});
        EXPECT_EQ(dc[1], 0.0);
        EXPECT_EQ(dc[4], 0.0);
    }
    EXPECT_THROW(Derivs(4, dc, {0, 1e300, 0, 0}, {0, 1e10, 1e10, 0, 0, 0}), RuntimeError);  // overflow
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

    // The enzyme model fills only empty concentrations.
    forms.open.clear();
    aktModell = 10;
    c0Wert[1] = 0.2;
    SetDefaultParameters();
    EXPECT_DOUBLE_EQ(c0Wert[1], 0.2);
    EXPECT_DOUBLE_EQ(c0Wert[2], 5.0);
    EXPECT_EQ(EinfacheReaktion, kFalse);
}
