// The residence-time distribution window driven through its widgets: the E and F curves handed to the
// diagram window against the tanks-in-series closed forms (written here independently, in logarithms),
// their normalisation, the diagram codes, adding and clearing curves, and the input checks.
#include <cmath>
#include <vector>

#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "platform/core/NumberFormat.h"
#include "simulation/ResidenceCurve.h"
#include "simulation/frmVerweilCalc.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

const char* const kForm = "frmVerweilCalc";

// Tanks-in-series density E(t) and E·tm over theta, and F, evaluated through logarithms.
double ReferenzE(double t, int N, double tm) {
    const double tau = tm / N;
    if (t == 0) return N == 1 ? 1 / tau : 0.0;
    return std::exp((N - 1) * std::log(t / tau) - std::lgamma(N) - t / tau) / tau;
}
double ReferenzEdimlos(double theta, int N) {
    if (theta == 0) return N == 1 ? 1.0 : 0.0;
    return std::exp(std::log(N) + (N - 1) * std::log(N * theta) - std::lgamma(N) - N * theta);
}
double ReferenzF(double t, int N, double tm) {
    // 1 - sum of the Poisson probabilities of fewer than N events at rate N/tm.
    const double x = N * t / tm;
    double term = std::exp(-x), sum = 0;
    for (int i = 0; i < N; ++i) {
        sum += term;
        term *= x / (i + 1);
    }
    return 1 - sum;
}

long Anzahl(const std::vector<XYPunkt>& p) { return std::lround(p.at(0).x); }

class ResidenceDistributionTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        platform::SetLocaleDecimalSeparator('.');
        nKesselVC = 1;
        PosVerweilCalc = {120, 3000};
        KurvenPunkte.assign(2001, XYPunkt{});
        AchsenGrenzen.fill(0);
        DiagRec = DiagRecord{};
    }
    void TearDown() override {
        platform::Windows().Unload(kForm);
        simtest::SimWindowTest::TearDown();
    }
    frmVerweilCalc* Open() {
        platform::Windows().Show(kForm);
        return frmVerweilCalc::Loaded();
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        simtest::Type(box, text);
    }
    static platform::Chart2D* Chart() {
        auto* d = diagram::frmTGraph2D::Geladen();
        return d ? d->Chart() : nullptr;
    }
};

TEST_F(ResidenceDistributionTest, CurvesWithoutARangeSpanSixMeanResidenceTimes) {
    // No diagram range yet: 150 steps of tm/25 from 0 to 6 tm.
    const double tm = 0.05f / 0.004f;
    std::vector<XYPunkt> p;
    for (int N : {1, 2, 5, 40}) {
        const auto e = simulation::BerechneVerweilKurve(simulation::VerweilFunktion::E, true, N, tm, DiagRecord{}, p);
        EXPECT_FALSE(e.ueberlauf);
        ASSERT_EQ(Anzahl(p), 151) << N;
        EXPECT_FLOAT_EQ(p[151].x, 75.0f);
        double flaeche = 0, tMax = 0, eMax = -1;
        for (int i = 1; i <= 151; ++i) {
            EXPECT_FLOAT_EQ(p[i].x, 0.5f * (i - 1));
            EXPECT_NEAR(p[i].y, ReferenzE(p[i].x, N, tm), 2e-6 * ReferenzE(tm * (N - 1) / N, N, tm) + 1e-12);
            if (i > 1) flaeche += 0.25 * (p[i].y + p[i - 1].y);
            if (p[i].y > eMax) eMax = p[i].y, tMax = p[i].x;
        }
        // Normalised: the area up to 6 tm is F(6 tm); the maximum lies at (N - 1) tm / N.
        EXPECT_NEAR(flaeche, ReferenzF(75, N, tm), N == 40 ? 2e-2 : 2e-3) << N;
        EXPECT_NEAR(tMax, tm * (N - 1) / N, 0.5) << N;

        simulation::BerechneVerweilKurve(simulation::VerweilFunktion::F, true, N, tm, DiagRecord{}, p);
        ASSERT_EQ(Anzahl(p), 151);
        for (int i = 1; i <= 151; ++i) EXPECT_NEAR(p[i].y, ReferenzF(p[i].x, N, tm), 2e-6) << N << " " << i;
    }
    // A tm so small that the step vanishes in single precision gives one point instead of no end.
    DiagRecord bereich;
    bereich.xMax = 4;
    EXPECT_FALSE(simulation::BerechneVerweilKurve(simulation::VerweilFunktion::F, false, 1, 1e-45, bereich, p).ueberlauf);
    EXPECT_EQ(Anzahl(p), 1);
}

TEST_F(ResidenceDistributionTest, DensityAndSumCurvesReachTheDiagramWithTheirCodes) {
    testsupport::MsgRecorder messages;
    frmVerweilCalc* w = Open();
    Type(w->txtNKask, "4");
    w->cmdDiaE_RK->click();
    ASSERT_TRUE(IsFormLoaded("frmTGraph2D"));
    EXPECT_EQ(aktDiagrammCode, 112);
    EXPECT_EQ(diagram::GrafTitel[0], "Verweilzeit-Dichtefunktion E = f(t)");
    EXPECT_TRUE(DiagRec.SonderFenster);
    ASSERT_GT(DiagRec.xMax, 0);
    EXPECT_EQ(nKurven, 1);

    // The curve fills the diagram's x range; the chart holds exactly the handed-over points.
    const double tm = w->tMittel();
    const long n = Anzahl(KurvenPunkte);
    ASSERT_GE(n, 150);
    EXPECT_LE(n, 151);
    EXPECT_NEAR(KurvenPunkte[static_cast<std::size_t>(n)].x, DiagRec.xMax, DiagRec.xMax / 150);
    ASSERT_EQ(Chart()->PointCount(diagram::kGruppeKurven, aktKurve), n);
    for (int i = 1; i <= n; ++i) {
        const double t = Chart()->X(diagram::kGruppeKurven, aktKurve, i);
        EXPECT_NEAR(t, KurvenPunkte[i].x, 1e-5);
        EXPECT_NEAR(Chart()->Y(diagram::kGruppeKurven, aktKurve, i), ReferenzE(t, 4, tm), 1e-7);
    }
    EXPECT_TRUE(messages.Empty());

    // A further press with the diagram open adds a curve, also of the other function: F joins the
    // open diagram with its range unchanged.
    const float xMax = DiagRec.xMax;
    w->cmdDiaF_RK->click();
    EXPECT_EQ(aktDiagrammCode, 114);
    EXPECT_EQ(nKurven, 2);
    EXPECT_EQ(DiagRec.xMax, xMax);
    for (int i = 1; i <= Anzahl(KurvenPunkte); ++i) EXPECT_NEAR(KurvenPunkte[i].y, ReferenzF(KurvenPunkte[i].x, 4, tm), 2e-6);
    EXPECT_TRUE(messages.Empty()) << "the F curve never warns";

    // "Diagramm löschen" ends the series: the next press starts a diagram with its curve alone.
    w->cmdCloseDiag->click();
    EXPECT_FALSE(IsFormLoaded("frmTGraph2D"));
    EXPECT_EQ(KurvenPunkte.size(), 2001u);
    EXPECT_EQ(KurvenPunkte[0].x, 0.0f);
    w->optxAchse[1]->click();
    w->cmdDiaF_RK->click();
    EXPECT_EQ(aktDiagrammCode, 115);
    EXPECT_EQ(nKurven, 1);
    EXPECT_EQ(diagram::GrafTitel[1], "Zeitverhältnis t / tm");
    // (The diagram's own close box: the residence-time road of the end-to-end test.)
}

TEST_F(ResidenceDistributionTest, DimensionlessCurvesFillTheRangeOverflowPartWayAndWarnOutside) {
    testsupport::MsgRecorder messages;
    frmVerweilCalc* w = Open();
    Type(w->txtNKask, "3");
    w->optxAchse[1]->click();
    w->cmdDiaE_RK->click();
    EXPECT_EQ(aktDiagrammCode, 113);
    // The user widens the x axis to 20: the next curve runs over t/tm = 0..20, for a new tm too.
    DiagRec.xMax = 20;
    Type(w->txtVPunkt, "0.01");
    EXPECT_EQ(w->txttm->text(), "5");
    w->cmdDiaE_RK->click();
    EXPECT_EQ(nKurven, 2);
    long n = Anzahl(KurvenPunkte);
    EXPECT_NEAR(KurvenPunkte[static_cast<std::size_t>(n)].x, 20, 20.0 / 150);
    for (int i = 1; i <= n; ++i) EXPECT_NEAR(KurvenPunkte[i].y, ReferenzEdimlos(KurvenPunkte[i].x, 3), 2e-6) << i;
    ASSERT_TRUE(messages.Empty());

    // 120 tanks overflow part-way; the points before are drawn and still exact.
    Type(w->txtNKask, "120");
    DiagRec.xMax = 4;
    w->cmdDiaE_RK->click();
    ASSERT_FALSE(messages.Empty());
    EXPECT_EQ(messages.Messages()[0].prompt, "Zahlenüberlauf\r\n\r\n(Die berechneten Kurventeile werden aber gezeichnet.)");
    n = Anzahl(KurvenPunkte);
    EXPECT_GT(n, 10);
    EXPECT_LT(n, 151);
    for (int i = 1; i <= n; ++i) {
        const double ref = ReferenzEdimlos(KurvenPunkte[i].x, 120);
        EXPECT_NEAR(KurvenPunkte[i].y, ref, 1e-4 * std::max(1.0, ref)) << i;
    }
    EXPECT_EQ(Chart()->PointCount(diagram::kGruppeKurven, aktKurve), n);

    // The density warns when its last point lies outside the range (drawn all the same); F never does.
    messages.Clear();
    Type(w->txtNKask, "1");
    DiagRec.yMin = 0.5f;
    w->cmdDiaE_RK->click();
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "Kurve befindet sich außerhalb des Diagramms.\r\nVergrößern Sie die "
                                      "Diagramm-Koordinaten\r\n(Button \"Koordinaten\" im Grafik-Menü oder "
                                      "Rechts-Klick auf Diagramm).");
    EXPECT_EQ(messages.Last().style, 48);
    EXPECT_EQ(messages.Last().title, "Warnung");
    EXPECT_EQ(nKurven, 4);
    DiagRec.yMin = 2;
    w->cmdDiaF_RK->click();
    EXPECT_EQ(messages.Messages().size(), 1u);
}

TEST_F(ResidenceDistributionTest, TankCountIsCheckedAndRounded) {
    testsupport::MsgRecorder messages;
    frmVerweilCalc* w = Open();
    Type(w->txtNKask, "121");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "N muss zwischen 1 und 120 liegen");
    EXPECT_EQ(messages.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(w->txtNKask->text(), "1");
    EXPECT_EQ(nKesselVC, 1);

    Type(w->txtNKask, "2.5");
    EXPECT_EQ(nKesselVC, 2);
    Type(w->txtNKask, "3.5");
    EXPECT_EQ(nKesselVC, 4);
    Type(w->txtNKask, "");
    EXPECT_EQ(nKesselVC, 1);
    EXPECT_EQ(w->frKessel->title(), QString::fromUtf8("idealer kontin. Rührkessel"));
    Type(w->txtNKask, "abc");
    EXPECT_EQ(nKesselVC, 1);
    EXPECT_EQ(messages.Messages().size(), 2u);

    // 0.4 rounds to no tank at all: the first point reports the overflow, nothing is drawn.
    messages.Clear();
    w->txtNKask->setText("0.4");  // typed, it would pass through "0"
    EXPECT_EQ(nKesselVC, 0);
    EXPECT_EQ(w->frKessel->title(), "");
    w->cmdDiaF_RK->click();
    EXPECT_EQ(simtest::OnlyPrompt(messages), "Zahlenüberlauf\r\n\r\n(Die berechneten Kurventeile werden gezeichnet.)");
    EXPECT_EQ(Anzahl(KurvenPunkte), 0);
    EXPECT_EQ(nKurven, 0);
}

}  // namespace
