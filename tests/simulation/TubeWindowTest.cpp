// The tubular reactor window driven through its controls: the tube equals a batch run of t = l / v
// in each of its three input modes, the secant search, the complaints, the protocol row with l and
// v, the default velocity per time unit and the profile along the tube.
#include <cmath>
#include <vector>

#include "platform/Chart2D.h"
#include "simulation/frmRohrreaktor.h"
#include "tests/simulation/TwinWindowTestSupport.h"

using namespace twintest;

namespace {

const char* const kTube = "frmRohrreaktor";
const std::string kCrLf = "\r\n";

class TubeWindowTest : public TwinWindowTest {
protected:
    void Calc() { Click(kTube, "cmdCalcRohr"); }
    void Mode(int i) { Click(kTube, QStringLiteral("optInpSelect(%1)").arg(i).toUtf8().constData()); }
    frmRohrreaktor* Window() { return frmRohrreaktor::Loaded(); }
};

}  // namespace

TEST_F(TubeWindowTest, TimeAndLengthModesGiveTheBatchAtTEqualsLOverV) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    frmRohrreaktor* w = Window();
    EXPECT_EQ(BoxText(kTube, 16), " 1");  // 1 m/s by default

    Mode(0);
    Enter({{0, "1.5"}, {10, "0.25"}, {14, "2"}, {16, "3"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    const double a = 1.5 * std::exp(-0.5);
    const double U = 1 - std::exp(-0.5);
    EXPECT_EQ(BoxText(kTube, 15), " 6");
    EXPECT_NEAR(BoxValue(kTube, 5), a, 1e-6);
    EXPECT_NEAR(BoxValue(kTube, 8), 1.5 - a, 1e-6);
    EXPECT_NEAR(BoxValue(kTube, 13), U, 1e-6);
    EXPECT_TRUE(w->cmdProtocol->isEnabled());

    ASSERT_EQ(kernel::ErgebnisZeilen.size(), 1u);
    const kernel::ProtokollZeile& row = kernel::ErgebnisZeilen[0];
    // c(A,0), t, l, V, V*, v; c(A), U (not rounded to four decimals), ksi.
    EXPECT_EQ((std::vector<float>{row[1], row[15], row[16], row[17], row[18], row[19]}),
              (std::vector<float>{1.5f, 2, 6, 0, 0, 3}));
    EXPECT_NEAR(row[6], a, 1e-6);
    EXPECT_NEAR(row[14], U, 1e-6);
    EXPECT_NEAR(row[20], 1.5 - a, 1e-6);

    // Length mode: the same tube given by its length.
    Mode(1);
    EXPECT_TRUE(!Box(kTube, 15)->isReadOnly() && Box(kTube, 14)->isReadOnly());
    Enter({{15, "6"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_EQ(BoxText(kTube, 14), " 2");
    EXPECT_NEAR(BoxValue(kTube, 5), a, 1e-6);
}

TEST_F(TubeWindowTest, GivenConversionIsFoundBySecantAndGivesTheLength) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    Mode(2);
    Enter({{0, "1"}, {10, "0.5"}, {16, "2"}, {13, "0.6"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    const double t = std::log(1 / 0.4) / 0.5;
    EXPECT_NEAR(kernel::tauMittel, t, 1e-5 * t);
    EXPECT_NEAR(BoxValue(kTube, 14), t, 1e-5 * t);
    EXPECT_NEAR(BoxValue(kTube, 15), 2 * t, 2e-5 * t);
    EXPECT_NEAR(kernel::RohrL, 2 * kernel::tauMittel, 1e-12);
    EXPECT_EQ(BoxText(kTube, 13), "0.6");
    EXPECT_NEAR(BoxValue(kTube, 5), 0.4, 1e-5);
}

TEST_F(TubeWindowTest, MissingVelocityIsNamedBeforeTheTime) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    Enter({{0, "1"}, {10, "0.5"}, {14, ""}, {15, ""}, {16, ""}});
    Mode(0);
    Calc();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(rec.Last().prompt, "- noch keine gültige Eingabe der Fließgeschwindigkeit" + kCrLf +
                                     "- noch keine gültige Eingabe der Reaktionszeit" + kCrLf);
    EXPECT_FALSE(Window()->cmdDiagram->isEnabled());
}

TEST_F(TubeWindowTest, SecantThatCannotMoveFailsAndDisablesTheDiagram) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    Mode(0);
    Enter({{0, "1"}, {10, "0.5"}, {14, "1"}});
    Calc();
    ASSERT_TRUE(Window()->cmdDiagram->isEnabled());
    Mode(2);
    Enter({{10, "1E-300"}, {13, "0.5"}});
    Calc();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Berechnungsfehler aufgetreten");
    EXPECT_EQ(rec.Last().title, "Message from Sub cmdCalcRohr");
    EXPECT_FALSE(Window()->cmdDiagram->isEnabled());
}

TEST_F(TubeWindowTest, DefaultVelocityFollowsTheTimeUnit) {
    kernel::ZeitEinheit = "min";
    kernel::ZeitEinheitNr = 1;
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    EXPECT_EQ(BoxText(kTube, 16), " 60");
    EXPECT_EQ(kernel::RohrV, 60);
    platform::Windows().Unload(kTube);
    kernel::RohrV = 0;
    kernel::ZeitEinheit = "a";
    kernel::ZeitEinheitNr = 4;
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    EXPECT_EQ(kernel::RohrV, 0);
    Enter({{0, "1"}, {10, "0.5"}, {14, "1"}});
    Calc();
    EXPECT_EQ(simtest::OnlyPrompt(rec), "- noch keine gültige Eingabe der Fließgeschwindigkeit" + kCrLf);
}

TEST_F(TubeWindowTest, ProfileIsDrawnOverTheTubeLength) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    Mode(0);
    Enter({{0, "1"}, {10, "0.4"}, {14, "5"}, {16, "2"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    Click(kTube, "cmdDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    auto* chart = Control<platform::Chart2D>("frmTGraph2D", "Chart2D1");
    ASSERT_NE(chart, nullptr);
    const int n = chart->PointCount(1, 1);
    ASSERT_EQ(n, 201);
    EXPECT_NEAR(chart->X(1, 1, n), 10, 1e-9);  // l = t v
    // Along the tube c(A) = exp(-k l / v).
    for (int p = 1; p <= n; p += 25) EXPECT_NEAR(chart->Y(1, 1, p), std::exp(-0.4 * chart->X(1, 1, p) / 2), 1e-6);
}
