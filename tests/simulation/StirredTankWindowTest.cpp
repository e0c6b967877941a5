// The continuous stirred-tank window driven through its widgets: every calculation mode against the
// first-order closed form c(A) = c0 / (1 + k t), the protocol row, the complaints of the input check,
// the refusal of conversions beyond equilibrium, and the diagram over the mean residence time.
#include <QCheckBox>
#include <QLabel>
#include <QMdiSubWindow>

#include <cmath>

#include "kernel/State.h"
#include "platform/core/NumberFormat.h"
#include "simulation/frmRKconti.h"
#include "tests/simulation/ContiReactorTestSupport.h"
#include "tests/support/PictureDir.h"

using namespace kernel;

namespace {

const std::string kTitel = " Ausführung nicht möglich ";

class StirredTankWindowTest : public simtest::ContiReactorTest {
protected:
    void OpenFor(int model) {
        Open("frmRKconti", model, kTrue, kFalse);
        window = frmRKconti::Loaded();
        ASSERT_NE(window, nullptr);
        messages.Clear();
    }
    QLineEdit* Box(int i) { return window->Inp[static_cast<std::size_t>(i)]; }
    void Mode(int mode) { window->optCalcConti[static_cast<std::size_t>(mode)]->click(); }
    void Calc() { window->cmdCalc->click(); }

    frmRKconti* window = nullptr;
};

// A => P with k = 0.2 and t = 15: k t = 3, so U(A) = 0.75 and c(A) = 0.25 c0; V = 3, V* = 0.2.
TEST_F(StirredTankWindowTest, EveryModeGivesTheFirstOrderClosedForm) {
    OpenFor(2);
    Type(Box(0), "1");
    Type(Box(10), "0.2");
    const double k = 0.2, tau = 15, V = 3, Vdot = V / tau;
    const double U = k * tau / (1 + k * tau);
    const char* given[5][2] = {{"0.75", "3"}, {"0.75", "0.2"}, {"3", "0.2"}, {"15", "3"}, {"15", "0.2"}};
    const int givenSlots[5][2] = {{13, 14}, {13, 15}, {14, 15}, {16, 14}, {16, 15}};
    for (int mode = 0; mode < 5; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Mode(mode);
        EXPECT_EQ(CalcModeConti, mode);
        for (int slot = 13; slot <= 16; ++slot) {
            const bool isGiven = slot == givenSlots[mode][0] || slot == givenSlots[mode][1];
            EXPECT_EQ(Box(slot)->isReadOnly(), !isGiven) << "slot " << slot;
        }
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
    Type(Box(0), "1");
    Type(Box(10), "0.1");
    Type(Box(14), "2");
    Type(Box(16), "4");
    Calc();
    EXPECT_EQ(Box(15)->text().toStdString(), " .5");
    EXPECT_EQ(Box(13)->text().toStdString(), platform::StrSingle(static_cast<float>(0.4 / 1.4)));
    ASSERT_EQ(ErgebnisZeilen.size(), 1u);
    const ProtokollZeile& row = ErgebnisZeilen[0];
    EXPECT_FLOAT_EQ(row[1], 1.0f);                               // c_beg(A)
    EXPECT_NEAR(row[6], 1 / 1.4, 1e-6);                          // c_end(A)
    EXPECT_NEAR(row[9], 0.4 / 1.4, 1e-6);                        // c_end(P)
    EXPECT_FLOAT_EQ(row[11], 0.1f);                              // k1
    EXPECT_NEAR(row[14], 0.4 / 1.4, 1e-6);                       // U(A)
    EXPECT_FLOAT_EQ(row[15], 4.0f);                              // t
    EXPECT_FLOAT_EQ(row[17], 2.0f);                              // V
    EXPECT_FLOAT_EQ(row[18], 0.5f);                              // V*
    EXPECT_NEAR(row[20], 0.4 / 1.4, 1e-6);                       // ksi(1) = converted A
    EXPECT_EQ(row[0], 0.0f);
    EXPECT_EQ(row[16], 0.0f);
    EXPECT_EQ(row[19], 0.0f);
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
    Type(Box(0), "1");
    Type(Box(10), "0");
    Type(Box(13), "0.5");
    Type(Box(14), "0");
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt,
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n- Das Reaktionsvolumen muss größer Null sein.\r\n");
    EXPECT_EQ(messages.Last().style, 16);
    EXPECT_EQ(messages.Last().title, kTitel);
    EXPECT_FALSE(window->cmdProtocol->isEnabled());  // a refused input is no first calculation

    messages.Clear();
    Type(Box(10), "0.1");
    Type(Box(14), "1");
    Type(Box(13), "1");
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "- noch keine gültige Eingabe des Umsatzes (0 < U(A) < 1)\r\n");
}

TEST_F(StirredTankWindowTest, ModelNineteenNeedsBOrPAndQ) {
    OpenFor(19);
    Mode(3);
    for (int i : {0, 1, 3, 4}) Type(Box(i), "0");
    Type(Box(0), "1");
    Calc();
    ASSERT_FALSE(messages.Empty());
    EXPECT_NE(messages.Messages()[0].prompt.find("- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!"),
              std::string::npos);
    messages.Clear();
    Type(Box(4), "0.1");  // Q alone
    Calc();
    for (const auto& m : messages.Messages()) EXPECT_EQ(m.prompt.find("Stoff B oder Stoffe P und Q"), std::string::npos);
}

// A <=> P with K = 2 from pure A: equilibrium conversion 2/3.
TEST_F(StirredTankWindowTest, ConversionsBeyondEquilibriumAreRefused) {
    OpenFor(8);
    Mode(0);
    Type(Box(0), "1");
    Type(Box(3), "0");
    Type(Box(10), "2");
    Type(Box(11), "1");
    Type(Box(14), "1");
    Type(Box(13), "0.7");
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
    const double tau = Number(Box(16));
    EXPECT_NEAR(0.6 / tau, 2 * 0.4 - 1 * 0.6, 1e-5);

    // An inlet without A has no conversion of A to give: refused, not computed as t = 0.
    messages.Clear();
    Type(Box(0), "0");
    Type(Box(3), "1");
    Calc();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "Ohne Stoff A im Eingangsgemisch ist die Vorgabe eines Umsatzes U(A) nicht möglich.");
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
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_TRUE(Box(13)->text().isEmpty());
}

TEST_F(StirredTankWindowTest, InletAtEquilibriumIsANoteAndGivesNoConversion) {
    OpenFor(8);
    Mode(3);
    Type(Box(0), "1");
    Type(Box(3), "2");
    Type(Box(10), "0.2");
    Type(Box(11), "0.1");
    Type(Box(14), "1");
    Type(Box(16), "10");
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
    Type(Box(0), "1");
    Type(Box(1), "1");
    Type(Box(3), "0");
    Type(Box(10), "0.04");
    Type(Box(11), "0.01");
    Type(Box(14), "1");
    Type(Box(13), "0.3");
    Calc();
    for (const auto& m : messages.Messages()) EXPECT_EQ(m.prompt.find("Berechnungsfehler"), std::string::npos);
    EXPECT_FALSE(Box(5)->text().isEmpty());
}

TEST_F(StirredTankWindowTest, DiagramHandsTheOutletOverTheResidenceTimeToTheDiagramWindow) {
    OpenFor(2);
    Type(Box(0), "1");
    Type(Box(10), "0.1");
    Type(Box(14), "1");
    Type(Box(16), "5");
    Calc();
    window->cmdDiagram->click();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().title, "ein Hinweis für Lernende");
    EXPECT_EQ(ContiHinweisOffen, kFalse);
    EXPECT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    ASSERT_EQ(nZeitPunkte, 200);
    for (int j : {0, 50, 200}) {
        const double t = tWerte[static_cast<std::size_t>(j)];
        EXPECT_NEAR(t, 1e-6 + j * 0.05, 1e-9);
        EXPECT_NEAR(cKurveA[static_cast<std::size_t>(j)], 1 / (1 + 0.1 * t), 1e-9);
        EXPECT_NEAR(cKurveP[static_cast<std::size_t>(j)], 0.1 * t / (1 + 0.1 * t), 1e-9);
    }
    // The window's own results stay those of the calculation.
    EXPECT_NEAR(UmsatzU, 0.5 / 1.5, 1e-6);
    window->cmdDiagram->click();
    EXPECT_EQ(messages.Messages().size(), 1u);  // the hint comes once
}

TEST_F(StirredTankWindowTest, StirrerTurnsAfterACalculationUntilStopped) {
    OpenFor(2);
    window->chkAnimation->click();
    EXPECT_EQ(RuehrerAnimation, kTrue);
    Type(Box(0), "1");
    Type(Box(10), "0.1");
    Type(Box(14), "1");
    Type(Box(16), "5");
    Calc();
    EXPECT_FALSE(window->chkAnimation->isEnabled());
    window->cmdStop->click();
    EXPECT_TRUE(window->chkAnimation->isEnabled());
    EXPECT_TRUE(Box(5)->text().isEmpty());

    Calc();
    QWidget* frame = platform::Windows().Frame("frmRKconti");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->grab().save(testsupport::PicturePath("frmRKconti.png")));
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
    Type(Box(0), "1");
    Type(Box(1), "0.1");
    Type(Box(13), "0.9");
    Type(Box(14), "1");
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    Calc();
    ASSERT_FALSE(messages.Empty());
    EXPECT_EQ(messages.Last().prompt, "für den gewünschten Umsatz ist die Anfangskonzentration von Stoff B nicht ausreichend");
    EXPECT_EQ(messages.Last().title, kTitel);
    EXPECT_EQ(UmsatzU, 0.0);
    EXPECT_TRUE(Box(5)->text().isEmpty());
    EXPECT_TRUE(Box(16)->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled());
    EXPECT_TRUE(window->cmdProtocol->isEnabled());
}

}  // namespace
