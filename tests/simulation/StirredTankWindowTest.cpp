// The continuous stirred-tank window driven through its widgets: every calculation mode against the
// first-order closed form c(A) = c0 / (1 + k t), the protocol row, the complaints of the input check,
// the refusal of conversions beyond equilibrium, and the diagram over the mean residence time.
#include <vector>

#include "platform/core/NumberFormat.h"
#include "simulation/frmRKconti.h"
#include "tests/simulation/ContiReactorTestSupport.h"

using namespace kernel;
using simtest::Type;

namespace {

const std::string kTitel = " Ausführung nicht möglich ";

class StirredTankWindowTest : public simtest::ContiReactorTest {
protected:
    void OpenFor(int model) {
        Open("frmRKconti", model, kTrue, kFalse);
        window = frmRKconti::Loaded();
    }
    QLineEdit* Box(int i) { return window->Inp[static_cast<std::size_t>(i)]; }
    void Mode(int mode) { window->optCalcConti[static_cast<std::size_t>(mode)]->click(); }
    void Calc() { window->cmdCalc->click(); }

    frmRKconti* window = nullptr;
};

// A => P with k = 0.2 and t = 15: k t = 3, so U(A) = 0.75 and c(A) = 0.25 c0; V = 3, V* = 0.2.
TEST_F(StirredTankWindowTest, EveryModeGivesTheFirstOrderClosedForm) {
    OpenFor(2);
    Enter({{0, "1"}, {10, "0.2"}});
    const double k = 0.2, tau = 15, V = 3, Vdot = V / tau;
    const double U = k * tau / (1 + k * tau);
    const char* given[5][2] = {{"0.75", "3"}, {"0.75", "0.2"}, {"3", "0.2"}, {"15", "3"}, {"15", "0.2"}};
    const int givenSlots[5][2] = {{13, 14}, {13, 15}, {14, 15}, {16, 14}, {16, 15}};
    for (int mode = 0; mode < 5; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Mode(mode);
        Type(Box(givenSlots[mode][0]), given[mode][0]);
        Type(Box(givenSlots[mode][1]), given[mode][1]);
        Calc();
        EXPECT_TRUE(messages.Empty());
        EXPECT_NEAR(Number(Box(13)), U, 1e-6);
        EXPECT_NEAR(Number(Box(14)), V, 1e-5);
        EXPECT_NEAR(Number(Box(15)), Vdot, 1e-6);
        EXPECT_NEAR(Number(Box(16)), tau, 1e-5);
        EXPECT_NEAR(Number(Box(5)), 1 / (1 + k * tau), 1e-6);
        EXPECT_NEAR(Number(Box(8)), 1 - 1 / (1 + k * tau), 1e-6);
        EXPECT_TRUE(window->cmdDiagram->isEnabled());
        EXPECT_TRUE(window->cmdShowKsi->isEnabled());
    }
}

TEST_F(StirredTankWindowTest, ModeThreeWritesShortFormsAndOneProtocolRow) {
    OpenFor(2);
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    Enter({{0, "1"}, {10, "0.1"}, {14, "2"}, {16, "4"}});
    Calc();
    EXPECT_EQ(Box(15)->text().toStdString(), " .5");
    EXPECT_EQ(Box(13)->text().toStdString(), platform::StrSingle(static_cast<float>(0.4 / 1.4)));
    ASSERT_EQ(ErgebnisZeilen.size(), 1u);
    const ProtokollZeile& row = ErgebnisZeilen[0];
    // c_beg(A), k1, t, V, V*; c_end(A), c_end(P), U(A), ksi(1) = converted A; no stage, l or v.
    EXPECT_EQ((std::vector<float>{row[1], row[11], row[15], row[17], row[18]}), (std::vector<float>{1, 0.1f, 4, 2, 0.5f}));
    for (int col : {6, 9, 14, 20}) EXPECT_NEAR(row[col], col == 6 ? 1 / 1.4 : 0.4 / 1.4, 1e-6) << col;
    for (int col : {0, 16, 19}) EXPECT_EQ(row[col], 0.0f) << col;
    EXPECT_TRUE(window->cmdProtocol->isEnabled());

    // A typed change clears the results and disables the result buttons.
    Type(Box(16), "5");
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    EXPECT_FALSE(window->cmdShowKsi->isEnabled());
    EXPECT_DOUBLE_EQ(tauMittel, 5.0);
}

TEST_F(StirredTankWindowTest, ComplaintsComeTogetherAndRefreshTheWindow) {
    OpenFor(2);  // A => P: no box of B, no k2, no complaint about them
    Mode(0);
    Enter({{0, "1"}, {10, "0"}, {13, "0.5"}, {14, "0"}});
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt,
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n- Das Reaktionsvolumen muss größer Null sein.\r\n");
    EXPECT_EQ(messages.Last().style, 16);
    EXPECT_EQ(messages.Last().title, kTitel);
    EXPECT_FALSE(window->cmdProtocol->isEnabled());  // a refused input is no first calculation

    messages.Clear();
    Enter({{10, "0.1"}, {14, "1"}, {13, "1"}});
    Calc();
    EXPECT_EQ(simtest::OnlyPrompt(messages), "- noch keine gültige Eingabe des Umsatzes (0 < U(A) < 1)\r\n");
}

// A <=> P with K = 2 from pure A: equilibrium conversion 2/3.
TEST_F(StirredTankWindowTest, ConversionsBeyondEquilibriumAreRefused) {
    OpenFor(8);
    Mode(0);
    Enter({{0, "1"}, {3, "0"}, {10, "2"}, {11, "1"}, {14, "1"}, {13, "0.7"}});
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    const std::string& text = messages.Last().prompt;
    EXPECT_EQ(messages.Last().title, kTitel);
    EXPECT_EQ(text.substr(0, 22), "Im Fall \"umkehrbare Re");
    EXPECT_NE(text.find("\r\n\r\n 0 < U(A) < " + platform::StrSingle(2.0f / 3.0f) + "\r\n\r\n"), std::string::npos);
    EXPECT_TRUE(Box(5)->text().isEmpty());

    // Reachable: the balance k1 a' - k2 p' = (a0 - a') / t gives a' = 0.4 for U = 0.6.
    messages.Clear();
    Type(Box(13), "0.6");
    Calc();
    EXPECT_TRUE(messages.Empty());
    EXPECT_NEAR(Number(Box(5)), 0.4, 1e-6);
    EXPECT_NEAR(Number(Box(8)), 0.6, 1e-6);
    EXPECT_NEAR(0.6 / Number(Box(16)), 2 * 0.4 - 1 * 0.6, 1e-5);

    // An inlet without A has no conversion of A to give: refused, not computed as t = 0.
    messages.Clear();
    Enter({{0, "0"}, {3, "1"}});
    Calc();
    EXPECT_EQ(simtest::OnlyPrompt(messages), "Ohne Stoff A im Eingangsgemisch ist die Vorgabe eines Umsatzes U(A) nicht möglich.");
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    // With the time given the conversion of A has no reference either: a calculation failure, no crash.
    messages.Clear();
    Mode(3);
    Type(Box(16), "1");
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "Berechnungsfehler aufgetreten");
    EXPECT_EQ(messages.Last().title, "Meldung von Sub cmdCalc");
    EXPECT_TRUE(Box(5)->text().isEmpty() && Box(13)->text().isEmpty());
}

TEST_F(StirredTankWindowTest, InletAtEquilibriumIsANoteAndGivesNoConversion) {
    OpenFor(8);
    Mode(3);
    Enter({{0, "1"}, {3, "2"}, {10, "0.2"}, {11, "0.1"}, {14, "1"}, {16, "10"}});
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().title, "Hinweis");
    EXPECT_EQ(messages.Last().style, 64);
    EXPECT_NEAR(Number(Box(13)), 0.0, 1e-7);
    EXPECT_NEAR(Number(Box(5)), 1.0, 1e-6);

    // A + B <=> 2P with K exactly 4: no division by zero in the reachable-conversion test.
    messages.Clear();
    platform::Windows().Unload("frmRKconti");
    simtest::FlushDeletes();
    OpenFor(12);
    Mode(0);
    Enter({{0, "1"}, {1, "1"}, {3, "0"}, {10, "0.04"}, {11, "0.01"}, {14, "1"}, {13, "0.3"}});
    Calc();
    for (const auto& m : messages.Messages()) EXPECT_EQ(m.prompt.find("Berechnungsfehler"), std::string::npos);
    EXPECT_FALSE(Box(5)->text().isEmpty());
}

TEST_F(StirredTankWindowTest, DiagramHandsTheOutletOverTheResidenceTimeToTheDiagramWindow) {
    OpenFor(2);
    Enter({{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "5"}});
    Calc();
    window->cmdDiagram->click();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().title, "ein Hinweis für Lernende");
    EXPECT_EQ(ContiHinweisOffen, kFalse);
    EXPECT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_NEAR(tWerte[200], 1e-6 + 10, 1e-9);  // up to twice the window's residence time
    EXPECT_NEAR(cKurveA[200], 1 / (1 + 0.1 * tWerte[200]), 1e-9);
    // The window's own results stay those of the calculation.
    EXPECT_NEAR(UmsatzU, 0.5 / 1.5, 1e-6);
    window->cmdDiagram->click();
    EXPECT_EQ(messages.Messages().size(), 1u);  // the hint comes once
}

TEST_F(StirredTankWindowTest, ResidenceTimeForAConversionGivesItBackForEveryModel) {
    ExpectConversionRoundTrip(
        1, [this](int model) -> CalcWindow* {
            platform::Windows().Unload("frmRKconti");
            simtest::FlushDeletes();
            OpenFor(model);
            return window;
        },
        [this](int mode) { Mode(mode); }, [this] { Calc(); });
}

// A failing solver empties the results; the first calculation past the input check still enables
// the protocol button.
TEST_F(StirredTankWindowTest, TooLittleBForTheConversionIsReportedAndClearsTheResults) {
    OpenFor(7);
    window->cmdReset_k->click();
    Mode(0);
    Enter({{0, "1"}, {1, "0.1"}, {13, "0.9"}, {14, "1"}});
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    Calc();
    ASSERT_FALSE(messages.Empty());
    EXPECT_EQ(messages.Last().prompt, "für den gewünschten Umsatz ist die Anfangskonzentration von Stoff B nicht ausreichend");
    EXPECT_EQ(messages.Last().title, kTitel);
    EXPECT_EQ(UmsatzU, 0.0);
    EXPECT_TRUE(Box(5)->text().isEmpty() && Box(16)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    EXPECT_TRUE(window->cmdProtocol->isEnabled());
}

}  // namespace
