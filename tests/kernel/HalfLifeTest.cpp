#include "kernel/HalfLife.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;

namespace {

class HalfLife : public ::testing::Test {
protected:
    testsupport::MsgRecorder msgs;
    // The half-life of A (or of B) under diagram code `code`.
    static float A(int code, double a0, double b0, double p0, double k1, double k2, bool ofB = false) {
        aktDiagrammCode = code;
        return ofB ? FuHalbwertszeitB(a0, b0, p0, k1, k2) : FuHalbwertszeitA(a0, b0, p0, k1, k2);
    }
    static float B(int code, double a0, double b0, double p0, double k1, double k2) { return A(code, a0, b0, p0, k1, k2, true); }
    // c(slot) of the fine reference at t.
    static double Ref(int code, const ktest::Conc& c0, double k1, double k2, double t, int slot = 1) {
        return ktest::Integrate(code, c0, t, k1, k2, 0)[static_cast<std::size_t>(slot)];
    }
};

// Equilibrium extent of A + B <=> νP by bisection on the net rate, over the physical interval.
double EquilibriumExtent(int nu, double a0, double b0, double p0, double k1, double k2) {
    auto net = [&](double x) { return k1 * (a0 - x) * (b0 - x) - k2 * std::pow(p0 + nu * x, nu); };
    double lo = -p0 / nu, hi = std::min(a0, b0);
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (net(mid) > 0 ? lo : hi) = mid;
    }
    return lo;
}

}  // namespace

TEST_F(HalfLife, ClosedFormsNoFormulaAndFailures) {
    EXPECT_NEAR(A(2, 1, 0, 0, 0.1, 0), 6.931472f, 1e-5);
    EXPECT_FLOAT_EQ(A(1, 0.8, 0, 0, 0.2, 0), 2.0f);
    EXPECT_FLOAT_EQ(A(3, 0.5, 0, 0, 0.25, 0), 4.0f);
    EXPECT_FLOAT_EQ(A(11, 1, 0, 0, 0.1, 0.3), static_cast<float>(std::log(2.0) / 0.4));
    EXPECT_FLOAT_EQ(A(4, 0.5, 0.5, 0, 2, 0), 1.0f);
    EXPECT_NEAR(B(4, 1, 1.5, 0, 1, 0), 1.386294f, 1e-6);
    // A + B => P with unequal starts, autocatalysis and A <=> P: c(A) is half its start at that time.
    EXPECT_NEAR(Ref(4, {0, 1, 1.5, 0, 0, 0}, 0.7, 0, A(4, 1, 1.5, 0, 0.7, 0)), 0.5, 1e-6);
    EXPECT_NEAR(Ref(5, {0, 1, 0, 0, 0.1, 0}, 0.3, 0, A(5, 1, 0, 0.1, 0.3, 0)), 0.5, 1e-6);
    EXPECT_NEAR(Ref(8, {0, 1, 0, 0, 0.1, 0}, 0.3, 0.1, A(8, 1, 0, 0.1, 0.3, 0.1)), 0.5, 1e-6);
    // Without a formula the result is 0; the beeps counted from 0 also show that none of the above beeped.
    EXPECT_EQ(A(4, 1, 0.4, 0, 1, 0), 0.0f);  // B runs out first
    EXPECT_EQ(msgs.Beeps(), 1);
    EXPECT_EQ(B(2, 1, 0, 0, 1, 0), 0.0f);
    EXPECT_EQ(msgs.Beeps(), 2);
    EXPECT_EQ(A(7, 1, 1, 0, 1, 1), 0.0f);
    EXPECT_EQ(msgs.Beeps(), 2);
    EXPECT_TRUE(msgs.Empty());
    // An unreachable half and runtime failures are reported.
    EXPECT_EQ(A(8, 1, 0, 0, 0.2, 0.2), -1.0f);  // equilibrium exactly at A0/2
    EXPECT_EQ(ktest::OnlyMessage(msgs), "16| Ausführung nicht möglich |c(A,0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
    msgs.Clear();
    EXPECT_EQ(A(8, 1, 0, 0, 0.2, 0), -1.0f);  // k2 = 0
    EXPECT_EQ(ktest::OnlyMessage(msgs), "16|Meldung von FuHalbwertszeitA|Division durch Null");
    EXPECT_EQ(B(12, 1, 0.2, 0, 0.1, 1.0), -1.0f);  // B reaches half only if the equilibrium lies far right
    EXPECT_EQ(msgs.Last().prompt, "c(B) = c(B,0)/2 kann bei dieser Gleichgewichtslage nicht erreicht werden");
}

// Codes 12 and 17 over start values and time units: every half-life that the equilibrium allows is found
// and puts the species at half its start value; every other case gets the message.
TEST_F(HalfLife, ReversibleCodesFindEveryReachableHalfLife) {
    // An equilibrium extent beyond 1 (A0 = 2, B0 = 6).
    const float t = A(12, 2, 6, 0, 0.2, 0.1);
    EXPECT_TRUE(msgs.Empty());
    EXPECT_NEAR(t, 0.7515f, 1e-4);
    EXPECT_NEAR(Ref(12, {0, 2, 6, 0, 0, 0}, 0.2, 0.1, t), 1.0, 1e-6);

    int found = 0, unreachable = 0;
    for (int code : {12, 17}) {
        const int nu = code == 12 ? 2 : 1;
        // Default constants per s, min and h; k2 = 0.1 gives k1 < 4·k2, where the exponential grows with t.
        const std::pair<double, double> constants[] = {{0.15, 0.01}, {9, 0.6}, {540, 36}, {0.15, 0.1}, {9, 6}, {540, 360}};
        for (const auto& [k1, k2] : constants)
            for (double a0 : {0.5, 1.0, 2.0})
                for (double b0 : {0.3, 1.0, 6.0})
                    for (double p0 : {0.0, 0.4, 3.0})
                        for (bool ofA : {true, false}) {
                            SCOPED_TRACE(testing::Message() << code << " " << k1 << "/" << k2 << " " << a0 << " " << b0
                                                            << " " << p0 << " " << ofA);
                            const double y0 = ofA ? a0 : b0;
                            const double xe = EquilibriumExtent(nu, a0, b0, p0, k1, k2);
                            const std::size_t before = msgs.Messages().size();
                            const float th = A(code, a0, b0, p0, k1, k2, !ofA);
                            if (xe > y0 / 2 * (1 + 1e-9)) {
                                ASSERT_GT(th, 0.0f);
                                EXPECT_EQ(msgs.Messages().size(), before);
                                EXPECT_NEAR(Ref(code, {0, a0, b0, 0, p0, 0}, k1, k2, th, ofA ? 1 : 2) / (y0 / 2), 1.0, 1e-5);
                                ++found;
                            } else if (xe < y0 / 2 * (1 - 1e-9)) {
                                EXPECT_EQ(th, -1.0f);
                                EXPECT_EQ(msgs.Messages().size(), before + 1);
                                ++unreachable;
                            }
                        }
    }
    EXPECT_GT(found, 100);
    EXPECT_GT(unreachable, 40);
    // Coinciding roots (A0 = B0, k2 far below k1): the half-life of A + B => P, 1/(k1·A0), for A and for B.
    for (int code : {12, 17})
        for (double k2 : {1e-300, 1e-14, 1e-9}) {
            EXPECT_NEAR(A(code, 0.8, 0.8, 0, 0.15, k2), 1 / (0.15 * 0.8), 1e-5) << code << " k2 " << k2;
            EXPECT_NEAR(B(code, 0.8, 0.8, 0, 0.15, k2), 1 / (0.15 * 0.8), 1e-5) << code << " k2 " << k2;
        }
    EXPECT_EQ(msgs.Messages().size(), static_cast<std::size_t>(unreachable));
}
