// The options of the Monte-Carlo game: first opening, the round trip through OK, colours that
// show at once but are stored only by OK, and the game's chart and board after OK.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/WindowRegistry.h"
#include "shell/ShellForms.h"
#include "shell/frmTOption.h"
#include "tests/support/MsgRecorder.h"

namespace {

using namespace kernel;

constexpr int kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        MCDelay = 0;
        MCPointSize = 0;
        MCPunkteGefuellt = kFalse;
        FarbeA = kRed;
        FarbeP = kBlue;
        frmTOption::SetColorChooser([this](int initial) {
            offered.push_back(initial);
            return chosen;
        });
    }
    void TearDown() override {
        for (const char* w : {"frmTOption", "frmMonteCarlo"}) platform::Windows().Unload(w);
        frmTOption::SetColorChooser(nullptr);
    }

    // The parts of the game window the options use.
    void OpenGame() {
        auto* game = new QWidget;
        for (const char* name : {"lblA", "lblP"}) (new QLabel(game))->setObjectName(name);
        chart = new platform::Chart2D(game);
        chart->setObjectName("Chart2D2");
        chart->SetSeriesCount(1, 4);
        auto* refresh = new QPushButton(game);
        refresh->setObjectName("cmdRefresh");
        QObject::connect(refresh, &QPushButton::clicked, [this] { ++refreshes; });
        platform::Windows().Adopt("frmMonteCarlo", game);
    }
    QWidget* Open() { return platform::Windows().Show("frmTOption"); }
    template <typename T>
    T* Control(const char* name) {
        return platform::Windows().Get("frmTOption")->findChild<T*>(name);
    }
    void Press(const char* name) { Control<QPushButton>(name)->click(); }
    static int TextColor(const char* label) {
        auto* l = platform::Windows().Get("frmMonteCarlo")->findChild<QLabel*>(label);
        return shell::RgbOfColor(l->palette().color(QPalette::WindowText));
    }

    testsupport::MsgRecorder recorder;
    platform::Chart2D* chart = nullptr;
    std::vector<int> offered;
    int chosen = kGreen;
    int refreshes = 0;
};

TEST_F(OptionsDialogTest, FirstOpeningThenOkRoundTrip) {
    Open();
    EXPECT_EQ(Control<QLabel>("Label56")->text(), " 7");
    EXPECT_EQ(Control<QSlider>("Slider_geschwindigkeit")->value(), 0);
    EXPECT_FALSE(Control<QCheckBox>("chkSolidPoints")->isChecked());

    Control<QSlider>("Slider_geschwindigkeit")->setValue(5);
    Control<QSpinBox>("UpDown1_PointSize")->stepBy(2);
    EXPECT_EQ(Control<QLabel>("Label56")->text(), " 9");
    Control<QCheckBox>("chkSolidPoints")->setChecked(true);
    Press("cmdOK");  // the game is closed: no chart is touched
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTOption"));
    EXPECT_FLOAT_EQ(MCDelay, 5.0f / 12.0f);
    EXPECT_EQ(MCPointSize, 9);
    EXPECT_EQ(MCPunkteGefuellt, kTrue);
    Open();
    EXPECT_EQ(Control<QSlider>("Slider_geschwindigkeit")->value(), 5);
    EXPECT_EQ(Control<QLabel>("Label56")->text(), " 9");
    EXPECT_TRUE(Control<QCheckBox>("chkSolidPoints")->isChecked());
}

TEST_F(OptionsDialogTest, ColourShowsAtOnceOnlyOkStoresItAndOkRedrawsTheGame) {
    OpenGame();
    Open();
    Press("cmdAColor");
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], kRed);  // the dialog starts with the face colour
    EXPECT_EQ(TextColor("lblA"), kGreen);
    QTest::keyClick(platform::Windows().Get("frmTOption"), Qt::Key_Escape);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTOption"));
    EXPECT_EQ(FarbeA, kRed);
    EXPECT_EQ(TextColor("lblA"), kGreen);  // the game keeps showing it
    EXPECT_EQ(refreshes, 0);

    Open();
    chosen = kRed + kGreen;
    Press("cmdPColor");
    EXPECT_EQ(offered.back(), kBlue);
    EXPECT_EQ(TextColor("lblP"), kRed + kGreen);
    Control<QSpinBox>("UpDown1_PointSize")->setValue(12);
    Press("cmdOK");
    EXPECT_EQ(FarbeA, kRed);
    EXPECT_EQ(FarbeP, kRed + kGreen);
    EXPECT_EQ(refreshes, 1);
    for (int series = 3; series <= 4; ++series) {
        EXPECT_EQ(chart->SymbolSize(1, series), 12);
        EXPECT_EQ(chart->SymbolShape(1, series), platform::kSymbolCircle);  // open points
    }
    Open();
    Control<QCheckBox>("chkSolidPoints")->setChecked(true);
    Press("cmdOK");
    EXPECT_EQ(chart->SymbolShape(1, 4), platform::kSymbolDot);
}

}  // namespace
