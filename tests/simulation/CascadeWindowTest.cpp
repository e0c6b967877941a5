// The stirred-tank cascade window driven through its widgets: every calculation mode against the
// first-order closed form c(N) = c0 / (1 + k t / N)^N, the stage boxes and conversion labels, the
// protocol rows, the stage count box, the complaints, the equilibrium note and the two diagrams.

#include <cmath>
#include <optional>
#include <vector>

#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"
#include "simulation/frmKaskade.h"
#include "tests/simulation/ContiReactorTestSupport.h"
#include "tests/support/NumberLocale.h"

using namespace kernel;
using simtest::Type;

namespace {

class CascadeWindowTest : public simtest::ContiReactorTest {
protected:
    void OpenFor(int model) {
        Open("frmKaskade", model, kFalse, kTrue);
        window = frmKaskade::Loaded();
    }
    QLineEdit* Box(int i) { return window->Inp[static_cast<std::size_t>(i)]; }
    QLineEdit* StageBox(int stage, int slot) { return window->cA[static_cast<std::size_t>(5 * (stage - 1) + slot)]; }
    void Mode(int mode) { window->optCalcKask[static_cast<std::size_t>(mode)]->click(); }
    // The stage count as a whole text (typed key by key, "1.5" would pass through the refused "1").
    void Stages(const QString& n) { window->txtNKask->setText(n); }
    void Start() { window->cmdStart->click(); }
    // A => P with c0(A) = 1 and k1 as given.
    void FirstOrder(const char* k) {
        OpenFor(2);
        Enter({{0, "1"}, {10, k}});
    }

    frmKaskade* window = nullptr;
};

// The same road under the C locale and a German one: the per-tank captions show the locale's decimal
// separator, the boxes keep their point.
class CascadeRoad : public CascadeWindowTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        CascadeWindowTest::SetUp();
        locale_.emplace(GetParam());
    }
    void TearDown() override {
        CascadeWindowTest::TearDown();
        locale_.reset();
    }
    std::optional<testsupport::NumberLocaleScope> locale_;
};

// k = 0.2, t = 15 over three tanks: k t / N = 1, each stage halves A: U(A) = 7/8; V = 1, V* = 0.2.
TEST_P(CascadeRoad, EveryModeGivesTheClosedFormOfEqualTanks) {
    FirstOrder("0.2");
    const char* given[5][2] = {{"0.875", "1"}, {"0.875", "0.2"}, {"1", "0.2"}, {"15", "1"}, {"15", "0.2"}};
    const int givenSlots[5][2] = {{13, 14}, {13, 15}, {14, 15}, {16, 14}, {16, 15}};
    for (int mode = 0; mode < 5; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Mode(mode);
        Type(Box(givenSlots[mode][0]), given[mode][0]);
        Type(Box(givenSlots[mode][1]), given[mode][1]);
        Start();
        EXPECT_TRUE(messages.Empty());
        EXPECT_NEAR(Number(Box(13)), 0.875, 1e-6);
        EXPECT_NEAR(Number(Box(14)), 1.0, 1e-5);
        EXPECT_NEAR(Number(Box(15)), 0.2, 1e-6);
        EXPECT_NEAR(Number(Box(16)), 15.0, 1e-4);
        for (int stage = 1; stage <= 3; ++stage) {
            EXPECT_NEAR(Number(StageBox(stage, 1)), std::pow(0.5, stage), 1e-6);
            EXPECT_NEAR(Number(StageBox(stage, 4)), 1 - std::pow(0.5, stage), 1e-6);
        }
        EXPECT_EQ((window->lblUA[1]->text() + window->lblUA[2]->text() + window->lblUA[3]->text()).toStdString(),
                  testsupport::InLocale("U(A) = 0.50U(A) = 0.75U(A) = 0.875"));
        EXPECT_TRUE(window->cmdDiagram->isEnabled() && window->cmdDiagram2->isEnabled());
    }
    // Four tanks share t = 15: 3.75 each. V* is pasted with a comma, past the key filter.
    Stages("4");
    Type(Box(16), "15");
    Box(15)->setText("0,2");
    Start();
    EXPECT_TRUE(messages.Empty());
    EXPECT_NEAR(Number(Box(14)), 0.2 * 15 / 4, 1e-6);  // each tank: V = V* t / N
    EXPECT_EQ(window->lblZeitProKessel->text().toStdString(), testsupport::InLocale("Verweilzeit pro Kessel: 3.75 s"));
    EXPECT_EQ(window->Inp[16]->text().indexOf(','), -1);
}

INSTANTIATE_TEST_SUITE_P(Locales, CascadeRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

TEST_F(CascadeWindowTest, FourStagesLeaveFiveProtocolRowsChainedStageByStage) {
    FirstOrder("0.1");
    Stages("4");
    Enter({{14, "1"}, {16, "40"}});
    Start();
    ASSERT_EQ(ErgebnisZeilen.size(), 5u);
    for (int i = 1; i <= 4; ++i) {
        const ProtokollZeile& row = ErgebnisZeilen[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(row[0], static_cast<float>(i));
        EXPECT_NEAR(row[6], std::pow(0.5, i), 1e-6);
        EXPECT_NEAR(row[14], 1 - std::pow(0.5, i), 1e-4);
        EXPECT_EQ((std::vector<float>{row[11], row[15], row[17]}), (std::vector<float>{0.1f, 10, 1}));
        if (i > 1) {
            for (int s = 1; s <= 5; ++s)
                EXPECT_EQ(row[static_cast<std::size_t>(s)], ErgebnisZeilen[static_cast<std::size_t>(i - 2)][static_cast<std::size_t>(s + 5)]);
        }
        for (int col : {16, 19, 20, 21}) EXPECT_EQ(row[static_cast<std::size_t>(col)], 0.0f);
    }
    for (float v : ErgebnisZeilen[4]) EXPECT_EQ(v, 0.0f);
    EXPECT_FLOAT_EQ(ErgebnisZeilen[0][1], 1.0f);
    EXPECT_EQ(window->lblZeitProKessel->text().toStdString(), "Verweilzeit pro Kessel: 10 s");
    EXPECT_TRUE(window->cmdProtocol->isEnabled());

    // A typed input clears every result; choosing another mode does not.
    Mode(4);
    EXPECT_TRUE(window->cmdDiagram->isEnabled() && !StageBox(4, 1)->text().isEmpty());
    Mode(3);
    Type(Box(16), "30");
    EXPECT_TRUE(StageBox(1, 1)->text().isEmpty() && window->lblUA[1]->text().isEmpty());
    EXPECT_FALSE(window->cmdDiagram->isEnabled() || window->cmdDiagram2->isEnabled());

    // The protocol can be opened again after the next calculation.
    Start();
    EXPECT_TRUE(window->cmdProtocol->isEnabled());
}

TEST_F(CascadeWindowTest, StageCountBoxRefusesCountsOutsideTwoToSeven) {
    OpenFor(2);
    Stages("8");
    EXPECT_EQ(simtest::OnlyPrompt(messages), "N muss zwischen 2 und 7 liegen");
    EXPECT_EQ(window->txtNKask->text(), "2");
    EXPECT_EQ(nKaskade, 2);
    Stages("2.5");
    EXPECT_EQ(nKaskade, 2);  // halves to the even neighbour
    Stages("");
    EXPECT_FALSE(window->cmdStart->isEnabled());
    EXPECT_EQ(nKaskade, 1);

    messages.Clear();
    Stages("1.4");
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(nKaskade, 1);
    Enter({{0, "1"}, {16, "10"}});
    Start();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt.substr(0, 45), "- Stufenzahl N muss zwischen 2 und 7 liegen\r\n");
}

TEST_F(CascadeWindowTest, ComplaintsAreListedInOrderUnderOneTitle) {
    FirstOrder("0");
    Mode(0);
    Enter({{13, "1"}, {14, "0"}});
    Start();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt,
              "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n- Der Umsatz muss (0 < U <= 1) sein.\r\n"
              "- Das Reaktionsvolumen muss größer Null sein.\r\n");
    EXPECT_EQ(messages.Last().title, " Ausführung nicht möglich ");
    EXPECT_FALSE(window->cmdProtocol->isEnabled());
    // The typed conversion is the user's input and stays in its box.
    EXPECT_EQ(Box(13)->text(), "1");

    messages.Clear();
    Enter({{10, "0.1"}, {13, "0.999"}, {14, "1"}});
    Start();
    EXPECT_TRUE(messages.Empty());
    EXPECT_NEAR(Number(StageBox(3, 1)), 0.001, 1e-6);
}

TEST_F(CascadeWindowTest, InletAtEquilibriumIsANoteInTheTimeModesOnly) {
    OpenFor(8);
    Enter({{0, "1"}, {3, "2"}, {10, "0.2"}, {11, "0.1"}, {16, "10"}});
    Start();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().title, "Hinweis");
    EXPECT_NEAR(Number(Box(13)), 0.0, 1e-7);
    EXPECT_NEAR(Number(StageBox(3, 1)), 1.0, 1e-6);

    messages.Clear();
    Mode(0);
    Type(Box(13), "0.5");
    Start();
    ASSERT_EQ(messages.Messages().size(), 1u);  // no note, the conversion cannot be reached
    EXPECT_EQ(messages.Last().prompt,
              "Der vorgegebene Umsatz ist mit diesen Konzentrationen nicht erreichbar.\r\n(Testen Sie durch Vorgabe der Verweilzeit)");
    EXPECT_TRUE(StageBox(1, 1)->text().isEmpty());
    EXPECT_EQ(window->lblUA[1]->text(), "U(A) = 0.00");
    EXPECT_FALSE(window->cmdDiagram->isEnabled());

    // A + B => P: a conversion beyond the B at hand is refused before any stage is solved.
    platform::Windows().Unload("frmKaskade");
    simtest::FlushDeletes();
    OpenFor(4);
    Mode(0);
    Enter({{0, "1"}, {1, "0.5"}, {10, "0.1"}, {13, "0.6"}, {14, "1"}});
    Start();
    EXPECT_EQ(simtest::OnlyPrompt(messages), "Die Anfangskonzentration von B ist für den gewünschten Umsatz nicht ausreichend.");
    Type(Box(13), "0.4");
    Start();
    EXPECT_NEAR(Number(StageBox(3, 1)), 0.6, 1e-5);
    EXPECT_NEAR(Number(StageBox(3, 2)), 0.1, 1e-5);
}

TEST_F(CascadeWindowTest, DiagramsHandTheStepsAndTheOutletCurveOver) {
    FirstOrder("0.2");
    Enter({{14, "1"}, {16, "15"}});
    Start();
    window->cmdDiagram2->click();
    EXPECT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_EQ(KaskadeUeberTau, kTrue);
    ASSERT_EQ(nZeitPunkte, 200);
    EXPECT_NEAR(cKurveA[200], std::pow(1 + 0.2 * tWerte[200] / 3, -3), 1e-9);
    // The steps over the stages are those of the calculation, not of the last grid point.
    window->cmdDiagram->click();
    EXPECT_EQ(KaskadeUeberTau, kFalse);
    ASSERT_EQ(nZeitPunkte, 280);
    EXPECT_NEAR(tWerte[280], 3.0, 1e-9);
    EXPECT_NEAR(cKurveA[50], 0.5, 1e-12);
    EXPECT_NEAR(cKurveA[150], 0.25, 1e-12);
    EXPECT_NEAR(cKurveA[280], 0.125, 1e-12);
}

// The tank time found for a given total conversion yields that conversion again for every model
// (the search over the equal tanks and the stage solver agree).
TEST_F(CascadeWindowTest, TankTimeFoundForAConversionGivesItBackForEveryModel) {
    ExpectConversionRoundTrip(
        3, [this](int model) -> CalcWindow* {
            platform::Windows().Unload("frmKaskade");
            simtest::FlushDeletes();
            OpenFor(model);
            return window;
        },
        [this](int mode) { Mode(mode); }, [this] { Start(); });
}

}  // namespace
