// The Monte-Carlo game window, opened from the main window's menu: its options, calculated curves against
// the closed forms of the first-order decay and of the relaxation to equilibrium, the statistics of
// seeded runs against the game's exact expectation, run control (stop, go), the
// molecule board against the game's state, and the look of the window at its load size.
#include <QSlider>
#include <QSpinBox>

#include <cmath>
#include <functional>

#include "games/frmMonteCarlo.h"
#include "shell/ShellForms.h"
#include "shell/frmTOption.h"
#include "platform/Chart2D.h"
#include "tests/games/GameFixture.h"

using namespace kernel;

namespace {

class MonteCarloTest : public gametest::GameTest {
protected:
    void SetUp() override {
        InBothLocales::SetUp();
        frmMonteCarlo::SetZufallsSaat(12345u);
        // Every wait of the game ends at its first look at the clock.
        frmMonteCarlo::SetUhr([this] {
            if (beiUhr) beiUhr();
            return uhr += 1.0;
        });
    }
    void TearDown() override {
        frmMonteCarlo::SetZiehung(nullptr);
        frmMonteCarlo::SetUhr(nullptr);
        frmMonteCarlo::SetZufallsSaat(std::nullopt);
        InBothLocales::TearDown();
    }

    // Opens the game from the menu in the mode, with N0 of option n0Index and the flash effect off.
    frmMonteCarlo* Open(int mode, int n0Index = 2) {
        Menu(mode == 1 ? "mnuSubMonteCarlo(0)" : "mnuSubMonteCarlo(1)");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmMonteCarlo* w = frmMonteCarlo::Geladen();
        if (!w) return nullptr;
        Find<QRadioButton>(w, QStringLiteral("optN0(%1)").arg(n0Index))->click();
        if (Find<QCheckBox>(w, "chkFlashOn")->isChecked()) Find<QCheckBox>(w, "chkFlashOn")->click();
        return w;
    }
    static void Click(QWidget* w, const char* name) { Find<QPushButton>(w, name)->click(); }
    static bool Enabled(QWidget* w, const char* name) { return Find<QPushButton>(w, name)->isEnabled(); }
    // The enabled ones of the run buttons, e.g. "Start Close".
    static std::string Buttons(QWidget* w) {
        std::string s;
        for (const char* b : {"Start", "Stop", "Continue", "Close"})
            if (Enabled(w, (std::string("cmd") + b).c_str())) s += (s.empty() ? "" : " ") + std::string(b);
        return s;
    }
    // The enabled ones of the settings a run locks: refresh, options and the two option frames.
    static std::string Settings(QWidget* w) {
        std::string s;
        for (const char* name : {"cmdRefresh", "cmdOptions", "Frame1", "Frame2"})
            if (Find<QWidget>(w, name)->isEnabled()) s += (s.empty() ? "" : " ") + std::string(name);
        return s;
    }
    // Starts a run and presses Stop at the first drawn point (by its number) that `stop` picks.
    static void RunUntil(frmMonteCarlo* w, const std::function<bool(long)>& stop) {
        auto halt = QObject::connect(w, &frmMonteCarlo::PunktGezeichnet, w, [&](long nr) {
            if (stop(nr)) Click(w, "cmdStop");
        });
        Click(w, "cmdStart");
        QObject::disconnect(halt);
    }

    // Simulated points of A (series 3) as (steps, molecules).
    static std::vector<std::pair<double, double>> SimulatedA(frmMonteCarlo* w) {
        std::vector<std::pair<double, double>> pts;
        platform::Chart2D* c = w->Chart();
        const double skalaT = w->TMaxSchritte() / 100.0, skalaN = w->Molekuele() / 100.0;
        for (int i = 1; i <= c->PointCount(1, 3); ++i) pts.emplace_back(c->X(1, 3, i) * skalaT, c->Y(1, 3, i) * skalaN);
        return pts;
    }

    // Runs the game to `bis` steps: the rms deviation in % of N0 of the simulated N(A) from `erwartet` up to there.
    static double Rms(frmMonteCarlo* w, long bis, const std::function<double(double)>& erwartet) {
        RunUntil(w, [&](long) { return w->Schritte() >= bis; });
        double summe = 0;
        int n = 0;
        for (const auto& [t, na] : SimulatedA(w)) {
            if (t > bis) continue;
            const double d = 100 * (na - erwartet(t)) / w->Molekuele();
            summe += d * d;
            ++n;
        }
        EXPECT_GT(n, 50);
        return std::sqrt(summe / std::max(n, 1));
    }

    // The surface's colour at the centre of molecule j on the board of "100": ten cells a row, row by row
    // from the top left.
    static QColor Farbe(frmMonteCarlo* w, long j) {
        const double z = w->ZellenSeite(), x = ((j - 1) % 10 + 1) * z, y = ((j - 1) / 10 + 1) * z;
        return w->Zeichenflaeche().pixelColor(static_cast<int>((x + w->BrettLinks() - z / 2) / 15),
                                              static_cast<int>((y + w->BrettOben() - z / 2) / 15));
    }

    double uhr = 0;
    std::function<void()> beiUhr;  // runs at every look at the clock, i.e. in every wait of a run
};

// Expected number of A after t steps in the first-order game: each step hits a given molecule with 1/N0,
// N0 exp(-k t) with k = ln N0 - ln(N0 - 1).
double ExpectedFirstOrder(double n0, double t) { return n0 * std::pow(1.0 - 1.0 / n0, t); }

// Expected number of A in the equilibrium game: linear relaxation to N0/(K+1) with the rate of the
// conversions in both directions (a fraction 1/2 of the hits converts on the alternating side).
double ExpectedEquilibrium(double n0, double K, double t) {
    const double fHin = K >= 1 ? 1.0 : 0.5, fRueck = K <= 1 ? 1.0 : 0.5;
    const double lambda = (fHin + fRueck) / n0;
    const double eq = n0 * fRueck / (fHin + fRueck);
    return eq + (n0 - eq) * std::exp(-lambda * t);
}

}  // namespace

// Both modes: the chart's header on one line beside its left edge, the footer under it, the plot
// area under both.
TEST_P(MonteCarloTest, MenuEntriesOpenEachModeWithTheChartTextsInOrder) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        MCPointSize = 0;
        frmMonteCarlo* w = Open(mode);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(Frame("frmKinModel")->isHidden());
        EXPECT_EQ(MCPointSize, 7);
        EXPECT_EQ(Find<QGroupBox>(w, "Frame2")->isHidden(), mode == 1);
        EXPECT_EQ(Find<QLabel>(w, "PfeilRueck")->isHidden(), mode == 1);
        EXPECT_EQ(Buttons(w), "Start Close");
        for (const char* b : {"cmdStart", "cmdClose", "cmdClipboard"})
            EXPECT_GE(Find<QPushButton>(w, b)->font().pointSize(), 8) << b;
        platform::Chart2D* c = w->Chart();
        using platform::ChartText;
        EXPECT_EQ(c->TextBlockHeight(ChartText::Header), c->TextBlockHeight(ChartText::Footer));
        EXPECT_LE(c->TextBlockLeft(ChartText::Header) + c->TextBlockWidth(ChartText::Header), c->width());
        EXPECT_LE(c->TextBlockTop(ChartText::Header) + c->TextBlockHeight(ChartText::Header),
                  c->TextBlockTop(ChartText::Footer));
        EXPECT_LE(c->TextBlockTop(ChartText::Footer) + c->TextBlockHeight(ChartText::Footer), c->PlotAreaTop());
    }
    platform::Windows().Unload("frmMonteCarlo");
    EXPECT_FALSE(Frame("frmKinModel")->isHidden());
}

// The curves of both modes against their closed forms, for K = 0.5 (the first opening's), 1 and 2.
TEST_P(MonteCarloTest, CalculatedCurvesFollowTheClosedFormsForEachMoleculeChoice) {
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    platform::Chart2D* c = w->Chart();
    // First order: N(A)/N0 = (1 - 1/N0)^t, N(P) the rest; 101 points over 0..t(max).
    ASSERT_EQ(c->PointCount(1, 1), 101);
    for (int i = 1; i <= 101; ++i) {
        const double t = c->X(1, 1, i) * w->TMaxSchritte() / 100.0;
        EXPECT_NEAR(c->Y(1, 1, i), 100 * ExpectedFirstOrder(1024, t) / 1024, 1e-3);
        EXPECT_NEAR(c->Y(1, 2, i), 100 - c->Y(1, 1, i), 1e-3);
    }
    // The summed Single step passes t(max) before the 101st value for N0 = 529.
    Find<QRadioButton>(w, "optN0(1)")->click();
    EXPECT_EQ(c->PointCount(1, 1), 100);
    // Each molecule choice: N0, steps per point and t(max), halves rounded to even.
    const std::tuple<long, long, long> wahl[] = {{100, 7, 550},      {529, 44, 2910},     {1024, 102, 5632},
                                                 {4900, 490, 26950}, {9025, 902, 49638}, {90000, 9000, 495000}};
    for (int i = 0; i < 6; ++i) {
        Find<QRadioButton>(w, QStringLiteral("optN0(%1)").arg(i))->click();
        EXPECT_EQ(std::tuple(w->Molekuele(), w->SchritteJePunkt(), w->TMaxSchritte()), wahl[i]) << i;
    }

    w = Open(2);
    ASSERT_NE(w, nullptr);
    c = w->Chart();
    for (int k = 0; k < 3; ++k) {
        const double K = 0.5 * (1 << k);
        Find<QRadioButton>(w, QStringLiteral("optGK(%1)").arg(k))->click();
        for (int i = 1; i <= c->PointCount(1, 1); i += 10) {
            const double t = c->X(1, 1, i) * w->TMaxSchritte() / 100.0;
            EXPECT_NEAR(c->Y(1, 1, i), 100 * ExpectedEquilibrium(1024, K, t) / 1024, 0.05) << "K " << K;
        }
    }
}

// Seeded runs against the expectation of their game, by the rms deviation in % of N0 (see Rms).
TEST_P(MonteCarloTest, RunsScatterAroundTheExpectationOfTheirGame) {
    // First order on "5000" (4900 molecules) over five runs: about 0.35 from the binomial spread, three
    // times that with a rate 5 % off.
    frmMonteCarlo* w = Open(1, 3);
    ASSERT_NE(w, nullptr);
    double quadrate = 0;
    for (std::uint32_t seed = 1; seed <= 5; ++seed) {
        frmMonteCarlo::SetZufallsSaat(seed);
        quadrate += std::pow(Rms(w, w->TMaxSchritte(), [](double t) { return ExpectedFirstOrder(4900, t); }), 2);
    }
    EXPECT_LT(std::sqrt(quadrate / 5), 0.6);
    // Equilibrium on "1000" up to three times t(max): the relaxation, then the binomial spread around
    // N0/(K + 1), about 1.5; an equilibrium 2 % off gives 2.5.
    w = Open(2);
    ASSERT_NE(w, nullptr);
    for (int k = 0; k < 3; ++k) {
        const double K = 0.5 * (1 << k);
        Find<QRadioButton>(w, QStringLiteral("optGK(%1)").arg(k))->click();
        const double rms = Rms(w, 3 * w->TMaxSchritte(), [K](double t) { return ExpectedEquilibrium(1024, K, t); });
        EXPECT_LT(rms, 2.5) << "K " << K;
        EXPECT_FALSE(w->Laeuft());
    }
}

// Stop and Go continue a run where it was; a whole run ends after the block in which the last A reacted;
// Stop ends a long step wait at once; Go goes on only while more than one A is left, in both modes.
TEST_P(MonteCarloTest, StopAndGoContinueTheRunWhereItWas) {
    const std::string kAllSettings = "cmdRefresh cmdOptions Frame1 Frame2";
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    RunUntil(w, [&](long nr) {
        if (nr != 5) return false;
        EXPECT_EQ(std::pair(Buttons(w), Settings(w)), std::pair(std::string("Stop"), std::string()));  // while the run goes
        EXPECT_TRUE(Find<QPushButton>(w, "cmdClipboard")->isHidden());
        return true;
    });
    EXPECT_EQ(w->Schritte(), 4 * w->SchritteJePunkt());
    EXPECT_EQ(w->Chart()->PointCount(1, 3), 5);
    EXPECT_EQ(Buttons(w), "Start Continue Close");
    long a = 0;
    for (long j = 1; j <= w->Molekuele(); ++j) a += w->Zustand(j);
    EXPECT_EQ(a, w->AnzahlA());
    Click(w, "cmdContinue");
    EXPECT_GT(w->Chart()->PointCount(1, 3), 5);
    EXPECT_GT(w->Schritte(), 4 * w->SchritteJePunkt());
    Click(w, "cmdRefresh");  // hides the simulated points
    EXPECT_EQ(w->Chart()->Display(1, 3), platform::kSeriesHidden);

    // A whole run on "100", with one circle per conversion; the same seed plays the same game.
    frmMonteCarlo::SetZufallsSaat(12345u);
    Find<QRadioButton>(w, "optN0(0)")->click();
    const auto vorher = w->Gezeichnet();
    Click(w, "cmdStart");
    ASSERT_FALSE(w->Laeuft());
    EXPECT_EQ(w->AnzahlA(), 0);
    EXPECT_EQ(w->Schritte() % w->SchritteJePunkt(), 0);
    const auto pts = SimulatedA(w);
    EXPECT_EQ(pts.front(), (std::pair<double, double>{0, 100}));
    EXPECT_NEAR(pts.back().second, 0, 1e-3);
    for (int i = 1; i <= w->Chart()->PointCount(1, 4); ++i)  // N(P) = N0 - N(A) at every point
        EXPECT_NEAR(w->Chart()->Y(1, 3, i) + w->Chart()->Y(1, 4, i), 100, 1e-3);
    EXPECT_EQ(w->Gezeichnet().kreise - vorher.kreise, 100 + 100);  // the start board and the conversions
    EXPECT_EQ(w->Gezeichnet().blitze, vorher.blitze);
    EXPECT_EQ(std::pair(Buttons(w), Settings(w)), std::pair(std::string("Start Close"), kAllSettings));
    EXPECT_FALSE(Find<QPushButton>(w, "cmdClipboard")->isHidden());
    frmMonteCarlo::SetZufallsSaat(12345u);
    Click(w, "cmdStart");
    EXPECT_EQ(SimulatedA(w), pts);

    // 30 s per converting step; Stop comes at the wait's first look at the clock.
    MCDelay = 30;
    beiUhr = [w] {
        if (Enabled(w, "cmdStop")) Click(w, "cmdStop");
    };
    const double uhrVorher = uhr;
    Click(w, "cmdStart");
    EXPECT_FALSE(w->Laeuft());
    EXPECT_LT(uhr - uhrVorher, 5);  // the wait did not run its 30 s
    EXPECT_EQ(w->AnzahlA(), 99);  // the first draw always converts, then the wait was left
    MCDelay = 0;

    // Runs on "100" stopped in the wait after the step that leaves `rest` molecules A, then Go. The
    // molecules are drawn in turn, so each step turns one more A into P (K = 2 in mode 2).
    struct GoCase {
        int mode;
        long rest;
        bool goesOn;
    };
    const GoCase goCases[] = {{1, 2, true}, {1, 1, false}, {1, 0, false}, {2, 2, true}, {2, 1, false}, {2, 0, false}};
    for (const GoCase& c : goCases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.rest << " A left");
        w = Open(c.mode, 0);
        ASSERT_NE(w, nullptr);
        if (c.mode == 2) Find<QRadioButton>(w, "optGK(2)")->click();
        long gezogen = 0;
        frmMonteCarlo::SetZiehung([&gezogen](long n0) { return gezogen++ % n0 + 1; });
        long halt = 0;  // steps after which Stop comes (an endless equilibrium run after Go too)
        beiUhr = [&] {
            if (Enabled(w, "cmdStop") && (w->AnzahlA() == c.rest || (halt > 0 && w->Schritte() >= halt)))
                Click(w, "cmdStop");
        };
        Click(w, "cmdStart");
        ASSERT_EQ(std::tuple(w->AnzahlA(), Buttons(w)), std::tuple(c.rest, std::string("Start Continue Close")));
        const long schritte = w->Schritte();
        const int punkte = w->Chart()->PointCount(1, 3);
        halt = schritte + 10;
        Click(w, "cmdContinue");
        beiUhr = nullptr;
        EXPECT_EQ(w->Schritte() > schritte, c.goesOn);
        // A refused Go changes only its own button and Stop's; the run stays where it was.
        if (!c.goesOn) {
            EXPECT_EQ(std::tuple(w->AnzahlA(), w->Chart()->PointCount(1, 3), Buttons(w), Settings(w)),
                      std::tuple(c.rest, punkte, std::string("Start Stop Close"), kAllSettings));
        }
    }
}

// The board on "100" shows the game after a resize and the start state after Refresh; the drawing
// counts, the flash and the large board.
TEST_P(MonteCarloTest, BoardShowsTheGameAfterAResizeAndTheStartStateAfterRefresh) {
    frmMonteCarlo* w = Open(1, 0);
    ASSERT_NE(w, nullptr);
    RunUntil(w, [](long nr) { return nr == 6; });
    ASSERT_GT(w->AnzahlA(), 0);
    ASSERT_LT(w->AnzahlA(), 100);
    // Cells whose centre does not show the colour of their molecule's state (or of A on the start board).
    auto falscheFarben = [w](bool alleA) {
        int falsch = 0;
        for (long j = 1; j <= 100; ++j)
            if (Farbe(w, j) != (alleA || w->Zustand(j) == 1 ? QColor(255, 0, 0) : QColor(0, 0, 255))) ++falsch;
        return falsch;
    };
    EXPECT_EQ(falscheFarben(false), 0);
    QWidget* rahmen = Frame("frmMonteCarlo");
    rahmen->resize(rahmen->width() + 30, rahmen->height() + 15);
    EXPECT_EQ(falscheFarben(false), 0);
    Click(w, "cmdContinue");  // the run goes on where the board stood
    EXPECT_EQ(falscheFarben(false), 0);
    // A new start begins on the start board, not on the board the last run left.
    RunUntil(w, [&](long) {
        EXPECT_EQ(falscheFarben(true), 0);
        return true;
    });
    auto vorher = w->Gezeichnet();
    Click(w, "cmdRefresh");  // after a stop: no "Go" on the start board
    EXPECT_EQ(Buttons(w), "Start Close");
    EXPECT_EQ(falscheFarben(true), 0);
    auto nachher = w->Gezeichnet();
    EXPECT_EQ(nachher.kreise - vorher.kreise, 100);
    EXPECT_EQ(nachher.boxen - vorher.boxen, 1);
    EXPECT_NEAR(w->MolekuelRadius(), w->BrettSeite() / 10.0 / 2.3, 1e-9);

    w->DrawMolecule(11, FarbeP, w->MolekuelRadius());
    EXPECT_EQ(Farbe(w, 11), QColor(0, 0, 255));
    EXPECT_EQ(w->Gezeichnet().blitze, nachher.blitze);
    Find<QCheckBox>(w, "chkFlashOn")->click();  // flash on
    w->DrawMolecule(11, FarbeA, w->MolekuelRadius());
    EXPECT_EQ(w->Gezeichnet().blitze, nachher.blitze + 1);
    // The flash went to the screen only: the surface holds the molecule's colour.
    EXPECT_EQ(Farbe(w, 11), QColor(255, 0, 0));

    // Large board: one area, molecules as boxes.
    vorher = w->Gezeichnet();
    Find<QRadioButton>(w, "optN0(4)")->click();
    nachher = w->Gezeichnet();
    EXPECT_EQ(nachher.kreise, vorher.kreise);
    EXPECT_EQ(nachher.boxen - vorher.boxen, 1);
    w->DrawMolecule(1, FarbeP, w->MolekuelRadius());
    EXPECT_EQ(w->Gezeichnet().boxen, nachher.boxen + 1);

    // A window too low for a board has no chart.
    w->resize(w->width(), 680 / 15);
    EXPECT_EQ(w->BrettSeite(), 0);
    EXPECT_TRUE(w->Chart()->isHidden());
}

// The options: the first opening and the round trip through OK without the game; with the game a colour
// shows in it at once, only OK stores it, and OK redraws the game with the point size and the point shape.
TEST_P(MonteCarloTest, OptionsRoundTripAndTheirEffectOnTheGame) {
    auto option = [](const char* name) { return platform::Windows().Show("frmTOption")->findChild<QWidget*>(name); };
    auto slider = [&] { return qobject_cast<QSlider*>(option("Slider_geschwindigkeit")); };
    auto solid = [&] { return qobject_cast<QCheckBox*>(option("chkSolidPoints")); };
    // Size label, speed and solid points as the options window shows them.
    auto shown = [&] {
        return std::tuple(qobject_cast<QLabel*>(option("Label56"))->text(), slider()->value(), solid()->isChecked());
    };
    EXPECT_EQ(shown(), std::tuple(QString(" 7"), 0, false));
    slider()->setValue(5);
    qobject_cast<QSpinBox*>(option("UpDown1_PointSize"))->stepBy(2);
    solid()->setChecked(true);
    EXPECT_EQ(shown(), std::tuple(QString(" 9"), 5, true));  // the size label follows its arrows
    testsupport::Click("frmTOption", "cmdOK");  // the game is closed: no chart is touched
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTOption"));
    EXPECT_FLOAT_EQ(MCDelay, 5.0f / 12.0f);
    EXPECT_EQ(std::pair(MCPointSize, MCPunkteGefuellt), std::pair(9, kTrue));
    EXPECT_EQ(shown(), std::tuple(QString(" 9"), 5, true));
    testsupport::Click("frmTOption", "cmdOK");

    constexpr int kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;
    int offered = 0, chosen = kGreen, refreshes = 0;  // the colour the chooser was offered last
    frmTOption::SetColorChooser([&](int initial) {
        offered = initial;
        return chosen;
    });
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    QObject::connect(Find<QPushButton>(w, "cmdRefresh"), &QPushButton::clicked, [&refreshes] { ++refreshes; });
    auto textColor = [w](const char* label) {
        return shell::RgbOfColor(Find<QLabel>(w, label)->palette().color(QPalette::WindowText));
    };
    Click(w, "cmdOptions");
    testsupport::Click("frmTOption", "cmdAColor");
    EXPECT_EQ(offered, kRed);  // the dialog starts with the face colour
    EXPECT_EQ(textColor("lblA"), kGreen);
    QTest::keyClick(platform::Windows().Get("frmTOption"), Qt::Key_Escape);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTOption"));
    EXPECT_EQ(FarbeA, kRed);
    EXPECT_EQ(textColor("lblA"), kGreen);  // the game keeps showing it
    EXPECT_EQ(refreshes, 0);

    Click(w, "cmdOptions");
    chosen = kRed + kGreen;
    testsupport::Click("frmTOption", "cmdPColor");
    EXPECT_EQ(offered, kBlue);
    EXPECT_EQ(textColor("lblP"), kRed + kGreen);
    testsupport::Control<QSpinBox>("frmTOption", "UpDown1_PointSize")->setValue(12);
    testsupport::Click("frmTOption", "cmdOK");
    EXPECT_EQ(FarbeA, kRed);
    EXPECT_EQ(FarbeP, kRed + kGreen);
    EXPECT_EQ(refreshes, 1);
    for (int series = 3; series <= 4; ++series)  // solid points, as set above
        EXPECT_EQ(std::pair(w->Chart()->SymbolSize(1, series), w->Chart()->SymbolShape(1, series)),
                  std::pair(12, int{platform::kSymbolDot}));
    Click(w, "cmdOptions");
    testsupport::Control<QCheckBox>("frmTOption", "chkSolidPoints")->setChecked(false);
    testsupport::Click("frmTOption", "cmdOK");
    EXPECT_EQ(w->Chart()->SymbolShape(1, 4), platform::kSymbolCircle);
    frmTOption::SetColorChooser(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Locales, MonteCarloTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);
