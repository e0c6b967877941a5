// The Monte-Carlo game window through its real widgets: options, calculated curves against the closed
// forms of the first-order decay and of the relaxation to equilibrium, the simulated points of seeded runs
// against the same expectations, run control (stop, go, close during a run) and the molecule board.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

#include "games/frmMonteCarlo.h"
#include "platform/Chart2D.h"
#include "shell/WindowMenus.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"

using namespace kernel;

namespace {

class MonteCarloTest : public ::testing::Test {
protected:
    void SetUp() override {
        simtest::Host();
        simtest::CloseAllWindows();
        platform::Windows().Unload("frmMonteCarlo");
        simtest::FlushDeletes();
        simtest::ResetState();
        MCMode = 1;
        MCDelay = 0;
        MCPointSize = 0;
        MCPunkteGefuellt = 0;
        FarbeA = platform::Chart2D::Rgb(255, 0, 0);
        FarbeP = platform::Chart2D::Rgb(0, 0, 255);
        frmMonteCarlo::SetZufallsSaat(12345u);
    }
    void TearDown() override {
        platform::Windows().Unload("frmMonteCarlo");
        simtest::CloseAllWindows();
        frmMonteCarlo::SetZufallsSaat(std::nullopt);
    }

    // Opens the game in the mode with the flash effect off.
    frmMonteCarlo* Open(int mode, int n0Index = 2) {
        MCMode = mode;
        auto* w = qobject_cast<frmMonteCarlo*>(platform::Windows().Show("frmMonteCarlo"));
        if (!w) return nullptr;
        Find<QRadioButton>(w, QStringLiteral("optN0(%1)").arg(n0Index))->click();
        if (Find<QCheckBox>(w, "chkFlashOn")->isChecked()) Find<QCheckBox>(w, "chkFlashOn")->click();
        return w;
    }
    template <typename T>
    static T* Find(QWidget* w, const QString& name) {
        T* c = w->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static void Click(QWidget* w, const char* name) { Find<QPushButton>(w, name)->click(); }

    // Simulated points of A (series 3) as (steps, molecules).
    static std::vector<std::pair<double, double>> SimulatedA(frmMonteCarlo* w) {
        std::vector<std::pair<double, double>> pts;
        platform::Chart2D* c = w->Chart();
        const double skalaT = w->TMaxSchritte() / 100.0, skalaN = w->Molekuele() / 100.0;
        for (int i = 1; i <= c->PointCount(1, 3); ++i) pts.emplace_back(c->X(1, 3, i) * skalaT, c->Y(1, 3, i) * skalaN);
        return pts;
    }
};

// Expected number of A after t steps in the first-order game: each step hits a given molecule with 1/N0.
double ExpectedFirstOrder(double n0, double t) { return n0 * std::pow(1.0 - 1.0 / n0, t); }

// Expected number of A in the equilibrium game: linear relaxation to N0/(K+1) with the rate of the
// conversions in both directions (a fraction 1/2 of the hits converts on the alternating side).
double ExpectedEquilibrium(double n0, double K, double t) {
    const double fHin = K >= 1 ? 1.0 : 0.5, fRueck = K <= 1 ? 1.0 : 0.5;
    const double lambda = (fHin + fRueck) / n0;
    const double eq = n0 * fRueck / (fHin + fRueck);
    return eq + (n0 - eq) * std::exp(-lambda * t);
}

// Binomial spread around an expected count, with room for the tails of some hundred points.
double Tolerance(double n0, double expected) {
    const double q = std::clamp(expected / n0, 0.0, 1.0);
    return 5.0 * std::sqrt(n0 * q * (1 - q)) + 3.0;
}

}  // namespace

TEST_F(MonteCarloTest, LoadsInFirstOrderModeWithDefaultsAndHidesTheModelWindow) {
    platform::Windows().Show("frmKinModel");
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(platform::Windows().Frame("frmKinModel")->isHidden());
    EXPECT_EQ(MCPointSize, 7);
    EXPECT_EQ(w->Molekuele(), 1024);
    EXPECT_FLOAT_EQ(w->Gleichgewichtskonstante(), 0.5f);
    EXPECT_TRUE(Find<QGroupBox>(w, "Frame2")->isHidden());
    EXPECT_TRUE(Find<QLabel>(w, "PfeilRueck")->isHidden());
    EXPECT_EQ(w->Chart()->TextBlock(platform::ChartText::Header), "berechnet N(A) = N0 exp(-k t)");
    EXPECT_EQ(Find<QLabel>(w, "Label3")->text(), "Simulation einer Reaktion 1. Ordnung");
    EXPECT_FALSE(Find<QPushButton>(w, "cmdStop")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(w, "cmdContinue")->isEnabled());
    platform::Windows().Unload("frmMonteCarlo");
    EXPECT_FALSE(platform::Windows().Frame("frmKinModel")->isHidden());
}

TEST_F(MonteCarloTest, MoleculeChoicesGiveStepsPerPointAndTmaxWithHalvesToEven) {
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    const long n0[] = {100, 529, 1024, 4900, 9025, 90000};
    const long perPoint[] = {7, 44, 102, 490, 902, 9000};
    const long tmax[] = {550, 2910, 5632, 26950, 49638, 495000};
    for (int i = 0; i < 6; ++i) {
        Find<QRadioButton>(w, QStringLiteral("optN0(%1)").arg(i))->click();
        EXPECT_EQ(w->Molekuele(), n0[i]);
        EXPECT_EQ(w->SchritteJePunkt(), perPoint[i]) << i;
        EXPECT_EQ(w->TMaxSchritte(), tmax[i]) << i;
    }
}

TEST_F(MonteCarloTest, CalculatedCurvesFollowTheClosedForms) {
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
    EXPECT_NEAR(c->X(1, 1, 101), 100, 1e-3);
    EXPECT_EQ(c->LabelText(1), "N(A)");
    EXPECT_EQ(c->LabelText(2), "N(P) = N0 - N(A)");
    // The summed Single step passes t(max) before the 101st value for N0 = 529.
    Find<QRadioButton>(w, "optN0(1)")->click();
    EXPECT_EQ(c->PointCount(1, 1), 100);

    platform::Windows().Unload("frmMonteCarlo");
    simtest::FlushDeletes();
    w = Open(2);
    ASSERT_NE(w, nullptr);
    c = w->Chart();
    for (int k = 0; k < 3; ++k) {
        Find<QRadioButton>(w, QStringLiteral("optGK(%1)").arg(k))->click();
        const double K = w->Gleichgewichtskonstante();
        for (int i = 1; i <= c->PointCount(1, 1); i += 10) {
            const double t = c->X(1, 1, i) * w->TMaxSchritte() / 100.0;
            EXPECT_NEAR(c->Y(1, 1, i), 100 * ExpectedEquilibrium(1024, K, t) / 1024, 0.05) << "K " << K;
        }
        EXPECT_NEAR(c->Y(1, 1, 101), 100 / (K + 1), 0.05);
    }
}

TEST_F(MonteCarloTest, FirstOrderRunDecaysAsExpectedAndIsReproducible) {
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    const auto before = w->Gezeichnet();
    Click(w, "cmdStart");
    ASSERT_FALSE(w->Laeuft());
    // Ends after the block in which the last A reacted (or at 10 t(max)).
    EXPECT_TRUE(w->AnzahlA() == 0 || w->Schritte() > 10 * w->TMaxSchritte());
    EXPECT_EQ(w->Schritte() % w->SchritteJePunkt(), 0);
    const auto pts = SimulatedA(w);
    ASSERT_GT(pts.size(), 10u);
    EXPECT_DOUBLE_EQ(pts[0].first, 0);
    EXPECT_NEAR(pts[0].second, 1024, 1e-3);
    for (const auto& [t, n] : pts) EXPECT_NEAR(n, ExpectedFirstOrder(1024, t), Tolerance(1024, ExpectedFirstOrder(1024, t))) << t;
    for (int i = 1; i <= w->Chart()->PointCount(1, 4); ++i)  // N(P) = N0 - N(A) at every point
        EXPECT_NEAR(w->Chart()->Y(1, 3, i) + w->Chart()->Y(1, 4, i), 100, 1e-3);

    // One circle per conversion, no flash with the effect off.
    const auto after = w->Gezeichnet();
    EXPECT_EQ(after.kreise - before.kreise, 1024 - w->AnzahlA() + 1024);  // the start board and the conversions
    EXPECT_EQ(after.blitze, before.blitze);
    EXPECT_TRUE(Find<QPushButton>(w, "cmdStart")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(w, "cmdStop")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(w, "cmdContinue")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(w, "cmdClipboard")->isHidden());

    frmMonteCarlo::SetZufallsSaat(12345u);
    Click(w, "cmdStart");
    EXPECT_EQ(SimulatedA(w), pts);
}

TEST_F(MonteCarloTest, StopAndGoContinueTheRunWhereItWas) {
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    bool imLauf = false;
    QObject::connect(w, &frmMonteCarlo::PunktGezeichnet, w, [&](long nr) {
        if (nr == 5 && !imLauf) {
            imLauf = true;
            EXPECT_FALSE(Find<QPushButton>(w, "cmdStart")->isEnabled());
            EXPECT_FALSE(Find<QPushButton>(w, "cmdClose")->isEnabled());
            EXPECT_TRUE(Find<QPushButton>(w, "cmdClipboard")->isHidden());
            Click(w, "cmdStop");
        }
    });
    Click(w, "cmdStart");
    EXPECT_EQ(w->Schritte(), 4 * w->SchritteJePunkt());
    EXPECT_EQ(w->Chart()->PointCount(1, 3), 5);
    EXPECT_TRUE(Find<QPushButton>(w, "cmdContinue")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(w, "cmdStart")->isEnabled());
    const long aNachStop = w->AnzahlA();
    long a = 0;
    for (long j = 1; j <= w->Molekuele(); ++j) a += w->Zustand(j);
    EXPECT_EQ(a, aNachStop);

    Click(w, "cmdContinue");
    EXPECT_GT(w->Chart()->PointCount(1, 3), 5);
    EXPECT_GT(w->Schritte(), 4 * w->SchritteJePunkt());
    EXPECT_FALSE(Find<QPushButton>(w, "cmdContinue")->isEnabled());

    // Refresh hides the simulated points and leaves "Go" disabled.
    Click(w, "cmdRefresh");
    EXPECT_EQ(w->Chart()->Display(1, 3), platform::kSeriesHidden);
    EXPECT_FALSE(Find<QPushButton>(w, "cmdContinue")->isEnabled());
}

TEST_F(MonteCarloTest, EquilibriumRunsSettleAtTheirConstant) {
    frmMonteCarlo* w = Open(2);
    ASSERT_NE(w, nullptr);
    for (int k = 0; k < 3; ++k) {
        Find<QRadioButton>(w, QStringLiteral("optGK(%1)").arg(k))->click();
        const double K = w->Gleichgewichtskonstante();
        const long grenze = 3 * w->TMaxSchritte();
        auto verbindung = QObject::connect(w, &frmMonteCarlo::PunktGezeichnet, w, [&] {
            if (w->Schritte() >= grenze) Click(w, "cmdStop");
        });
        Click(w, "cmdStart");
        QObject::disconnect(verbindung);
        ASSERT_FALSE(w->Laeuft());
        const auto pts = SimulatedA(w);
        double summe = 0;
        int n = 0;
        for (const auto& [t, na] : pts) {
            const double e = ExpectedEquilibrium(1024, K, t);
            EXPECT_NEAR(na, e, Tolerance(1024, e)) << "K " << K << " t " << t;
            if (t > w->TMaxSchritte()) {
                summe += na;
                ++n;
            }
        }
        ASSERT_GT(n, 50);
        EXPECT_NEAR(summe / n, 1024 / (K + 1), 0.03 * 1024) << "K " << K;
        EXPECT_NEAR((1024 - summe / n) / (summe / n), K, 0.15 * K);
    }
    platform::Windows().Frame("frmMonteCarlo")->grab().save(testsupport::PicturePath("games_montecarlo.png"));
}

TEST_F(MonteCarloTest, ClosingDuringARunStopsItAndBringsBackTheModelWindow) {
    platform::Windows().Show("frmKinModel");
    frmMonteCarlo* w = Open(2);
    ASSERT_NE(w, nullptr);
    QObject::connect(w, &frmMonteCarlo::PunktGezeichnet, w, [](long nr) {
        if (nr == 3) platform::Windows().Unload("frmMonteCarlo");
    });
    Click(w, "cmdStart");  // returns: the loop ends at its next stop test
    EXPECT_FALSE(platform::Windows().IsLoaded("frmMonteCarlo"));
    EXPECT_FALSE(platform::Windows().Frame("frmKinModel")->isHidden());
    simtest::FlushDeletes();
}

TEST_F(MonteCarloTest, BoardCellsCountsAndColours) {
    for (const auto& [nr, row, col] : {std::tuple{10, 1, 10}, {11, 2, 1}, {100, 10, 10}}) {
        int r = 0, c = 0;
        frmMonteCarlo::ZelleVon(nr, 10, r, c);
        EXPECT_EQ(std::pair(r, c), std::pair(row, col)) << nr;
    }
    frmMonteCarlo* w = Open(1, 0);
    ASSERT_NE(w, nullptr);
    auto vorher = w->Gezeichnet();
    Click(w, "cmdRefresh");
    auto nachher = w->Gezeichnet();
    EXPECT_EQ(nachher.kreise - vorher.kreise, 100);
    EXPECT_EQ(nachher.boxen - vorher.boxen, 1);
    EXPECT_NEAR(w->MolekuelRadius(), w->BrettSeite() / 10.0 / 2.3, 1e-9);

    // Centre pixel of molecule 11 (row 2, column 1).
    auto mitte = [w] {
        const double z = w->ZellenSeite();
        return QPoint(static_cast<int>((z + w->BrettLinks() - z / 2) / 15),
                      static_cast<int>((2 * z + w->BrettOben() - z / 2) / 15));
    };
    EXPECT_EQ(w->Zeichenflaeche().pixelColor(mitte()), QColor(255, 0, 0));
    w->DrawMolecule(11, FarbeP, w->MolekuelRadius());
    EXPECT_EQ(w->Zeichenflaeche().pixelColor(mitte()), QColor(0, 0, 255));
    EXPECT_EQ(w->Gezeichnet().blitze, nachher.blitze);
    Find<QCheckBox>(w, "chkFlashOn")->click();  // flash on
    w->DrawMolecule(11, FarbeA, w->MolekuelRadius());
    EXPECT_EQ(w->Gezeichnet().blitze, nachher.blitze + 1);
    // The flash went to the screen only: the surface holds the molecule's colour.
    EXPECT_EQ(w->Zeichenflaeche().pixelColor(mitte()), QColor(255, 0, 0));

    // A resize redraws the start state.
    w->DrawMolecule(11, FarbeP, w->MolekuelRadius());
    w->resize(w->width() + 15, w->height());
    EXPECT_EQ(w->Zeichenflaeche().pixelColor(mitte()), QColor(255, 0, 0));

    // Large board: one area, molecules as boxes.
    vorher = w->Gezeichnet();
    Find<QRadioButton>(w, "optN0(4)")->click();
    nachher = w->Gezeichnet();
    EXPECT_EQ(nachher.kreise, vorher.kreise);
    EXPECT_EQ(nachher.boxen - vorher.boxen, 1);
    w->DrawMolecule(1, FarbeP, w->MolekuelRadius());
    EXPECT_EQ(w->Gezeichnet().boxen, nachher.boxen + 1);
    EXPECT_EQ(w->Gezeichnet().kreise, nachher.kreise);

    // A window too low for a board has no chart.
    w->resize(w->width(), 680 / 15);
    EXPECT_EQ(w->BrettSeite(), 0);
    EXPECT_TRUE(w->Chart()->isHidden());
}

TEST_F(MonteCarloTest, MenuEntryRestartsTheGameInTheChosenModeWithItsParts) {
    shell::mnuSubMonteCarlo_Click(0);
    frmMonteCarlo* w = frmMonteCarlo::Geladen();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(MCMode, 1);
    shell::mnuSubMonteCarlo_Click(1);
    simtest::FlushDeletes();
    frmMonteCarlo* neu = frmMonteCarlo::Geladen();
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(MCMode, 2);
    EXPECT_FALSE(Find<QGroupBox>(neu, "Frame2")->isHidden());
    EXPECT_FALSE(Find<QLabel>(neu, "PfeilRueck")->isHidden());
    EXPECT_EQ(Find<QLabel>(neu, "Label3")->text(), "Dynamisches Reaktionsgleichgewicht");
    Find<QRadioButton>(neu, "optGK(2)")->click();
    EXPECT_FLOAT_EQ(neu->Gleichgewichtskonstante(), 2.0f);
}

TEST_F(MonteCarloTest, StopEndsALongStepWait) {
    MCDelay = 30;  // seconds per converting step
    frmMonteCarlo* w = Open(1);
    ASSERT_NE(w, nullptr);
    QTimer::singleShot(100, w, [w] { w->findChild<QPushButton*>("cmdStop")->click(); });
    Click(w, "cmdStart");
    EXPECT_FALSE(w->Laeuft());
    EXPECT_LE(w->Schritte(), w->SchritteJePunkt());
    EXPECT_EQ(w->AnzahlA(), 1023);  // the first draw always converts, then the wait was left
    EXPECT_TRUE(w->findChild<QPushButton*>("cmdContinue")->isEnabled());
}
