// The two residence-time windows driven through their widgets. The tracer experiment: the recorded
// outlet curve against the closed form of the step scheme, the step counts of full runs, stopping,
// the input checks, the diagram hand-over (code 110) and closing the window during a run. The
// distribution window: the E and F curves against the tanks-in-series closed forms (written here
// independently, in logarithms; their normalisation: the kernel's test), the diagram codes, adding
// and clearing curves, and the input checks.
#include <QElapsedTimer>
#include <QEventLoop>

#include <cmath>

#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "simulation/ResidenceCurve.h"
#include "simulation/VesselPictures.h"
#include "simulation/frmVerweilCalc.h"
#include "simulation/frmVerweilzeit.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

const char* const kTracer = "frmVerweilzeit";
const char* const kForm = "frmVerweilCalc";

// Concentration of tank k after n steps of a unit pulse in tank 1: each tank keeps 99 % and receives 1 %
// of the updated tank before it, which gives 0.01^(k-1) C(n+k-2, k-1) 0.99^n.
double Referenz(int k, long n) {
    const double lnBinom = std::lgamma(n + k - 1.0) - std::lgamma(k) - std::lgamma(n);
    return std::exp((k - 1) * std::log(0.01) + lnBinom + n * std::log(0.99));
}

bool IsGreen(const QPushButton* b) { return b->styleSheet().contains("C0FFC0", Qt::CaseInsensitive); }

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

class ResidenceWindowsTest : public simtest::SimWindowTest {
protected:
    frmVerweilzeit* OpenTracer() {
        platform::Windows().Show(kTracer);
        QTest::qWait(10);  // let the activation pass before anything starts
        return frmVerweilzeit::Loaded();
    }
    frmVerweilCalc* Open() {
        platform::Windows().Show(kForm);
        return frmVerweilCalc::Loaded();
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        simtest::Type(box, text);
    }
    // Passes events until the experiment has ended (qWaitFor would sleep between its steps; a nested
    // event loop returns at once after an earlier test's main window has ended the application).
    static bool WaitForEnd(frmVerweilzeit* w) {
        QElapsedTimer waited;
        waited.start();
        while (w->Laeuft() && waited.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return !w->Laeuft();
    }
    // Flow at the slider's `delay` (5: fastest), dye, start.
    static void Start(frmVerweilzeit* w, int delay) {
        w->Slider_verzoegerung->setValue(delay);
        w->cmdIndikatorfarbe->click();
        w->cmdStartFlow->click();
    }
    // The fastest run, waited for until its end.
    static bool Run(frmVerweilzeit* w) {
        Start(w, 5);
        return WaitForEnd(w);
    }
    static platform::Chart2D* Chart() {
        auto* d = diagram::frmTGraph2D::Geladen();
        return d ? d->Chart() : nullptr;
    }

};

}  // namespace

TEST_F(ResidenceWindowsTest, TracerOutletCurveFollowsTheClosedFormAndEndsAtOnePercent) {
    frmVerweilzeit* w = OpenTracer();
    const long schritte[7] = {0, 459, 644, 805, 954, 1096, 1232};
    for (int N = 1; N <= 6; ++N) {
        Type(w->txtNKask, QString::number(N));
        ASSERT_EQ(nKesselVZ, N);
        // A change of N closes the diagram of the last run and withdraws its button.
        EXPECT_FALSE(IsFormLoaded("frmTGraph2D") || w->cmdDiagram->isEnabled());
        long gemeldet = 0;
        const auto verbindung =
            QObject::connect(w, &frmVerweilzeit::schrittAufgezeichnet, [&gemeldet](long n) { gemeldet = n; });
        ASSERT_TRUE(Run(w)) << N;
        QObject::disconnect(verbindung);

        const long n = std::lround(VZKurve.at(0));
        EXPECT_EQ(n, schritte[N]) << N;
        EXPECT_EQ(gemeldet, n);
        ASSERT_EQ(VZKurve.size(), static_cast<std::size_t>(n + 1));
        for (long i = 1; i <= n; ++i) {
            const float c = VZKurve[static_cast<std::size_t>(i)];
            EXPECT_NEAR(c, Referenz(N, i), 1e-4 * Referenz(N, i) + 1e-9) << N << " step " << i;
        }
        // The last tank is below the threshold only at the end.
        EXPECT_LT(VZKurve[static_cast<std::size_t>(n)], 0.01f);
        // Ended: tanks empty, inputs back, the diagram offered.
        EXPECT_EQ(w->VZStopFlag(), 0);
        EXPECT_TRUE(w->cmdDiagram->isEnabled() && IsGreen(w->cmdDiagram));
        EXPECT_FALSE(w->cmdStartFlow->isEnabled());
        EXPECT_TRUE(w->txtNKask->isEnabled() && w->Slider_verzoegerung->isEnabled());
        for (float c : w->cKessel()) EXPECT_EQ(c, 0.0f);
        if (N != 2) continue;
        // The recorded curve goes to the diagram as code 110, over the share of the run in percent.
        w->cmdDiagram->click();
        ASSERT_TRUE(IsFormLoaded("frmTGraph2D"));
        EXPECT_EQ(aktDiagrammCode, 110);
        ASSERT_EQ(Chart()->PointCount(diagram::kGruppeKurven, aktKurve), n);
        for (int i = 1; i <= n; i += 37) {
            EXPECT_NEAR(Chart()->X(diagram::kGruppeKurven, aktKurve, i), 100.0 * i / n, 1e-4);
            EXPECT_NEAR(Chart()->Y(diagram::kGruppeKurven, aktKurve, i), Referenz(2, i), 1e-5);
        }
    }
    EXPECT_TRUE(rec.Empty());
}

TEST_F(ResidenceWindowsTest, TracerStopRequestEndsTheRunAfterItsStep) {
    frmVerweilzeit* w = OpenTracer();
    Type(w->txtNKask, "3");
    for (long k : {1L, 2L, 3L}) {
        QMetaObject::Connection c = QObject::connect(w, &frmVerweilzeit::schrittAufgezeichnet, w, [w, k](long n) {
            if (n == k) w->cmdVZStop->click();
        });
        ASSERT_TRUE(Run(w));
        QObject::disconnect(c);
        EXPECT_EQ(VZKurve.at(0), static_cast<float>(k));
        EXPECT_EQ(VZKurve.size(), static_cast<std::size_t>(k + 1));
        EXPECT_EQ(w->VZStopFlag(), 0);
        EXPECT_EQ(w->cmdDiagram->isEnabled() && IsGreen(w->cmdDiagram), k == 3) << k;
    }
    // Activating the window again stops a run too.
    Start(w, 0);
    ASSERT_TRUE(w->Laeuft());
    EXPECT_FALSE(w->txtNKask->isEnabled() || w->Slider_verzoegerung->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->Schritte() >= 1; }, 5000));
    w->Form_Activate();
    ASSERT_TRUE(QTest::qWaitFor([w] { return !w->Laeuft(); }, 5000));
    EXPECT_LT(VZKurve.at(0), 805.0f);
}

TEST_F(ResidenceWindowsTest, TracerTankCountIsCheckedRoundedAndLaidOut) {
    frmVerweilzeit* w = OpenTracer();
    Type(w->txtNKask, "7");
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |N muss zwischen 1 und 6 liegen");
    EXPECT_EQ(w->txtNKask->text(), "1");
    EXPECT_EQ(w->cKessel().size(), 2u);

    Type(w->txtNKask, "2.5");
    EXPECT_EQ(nKesselVZ, 2);
    EXPECT_FALSE(w->lblMessung[2]->isHidden());  // the measuring point sits at the last tank
    EXPECT_TRUE(w->lblMessung[1]->isHidden());

    // An empty box: one tank, no dye and no stop.
    Type(w->txtNKask, "");
    EXPECT_EQ(nKesselVZ, 1);
    EXPECT_FALSE(w->cmdIndikatorfarbe->isEnabled() || w->cmdVZStop->isEnabled());

    // 0.4 rounds to no tank: the start reports the tank count after the inputs are back.
    rec.Clear();
    w->txtNKask->setText("0.4");  // typed, it would pass through "0"
    EXPECT_EQ(nKesselVZ, 0);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(w->lblMessung[static_cast<std::size_t>(i)]->isHidden());
    w->cmdIndikatorfarbe->click();
    w->cmdStartFlow->click();
    EXPECT_EQ(rec.OnlyPrompt(), "- Stufenzahl N muss zwischen 1 und 6 liegen\r\n");
    EXPECT_FALSE(w->Laeuft());
    EXPECT_TRUE(w->txtNKask->isEnabled());
}

TEST_F(ResidenceWindowsTest, TracerStirrersTurnDuringARunAndClosingEndsItQuietly) {
    frmVerweilzeit* w = OpenTracer();
    Type(w->txtNKask, "3");
    w->chkAnimation->click();
    EXPECT_EQ(RuehrerAnimation, kTrue);
    w->cmdVZStop->click();
    EXPECT_TRUE(!w->Animation()->IsRunning() && w->chkAnimation->isEnabled());

    // A run starts the stirrers.
    Start(w, 3);
    EXPECT_TRUE(w->Animation()->IsRunning());
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->Schritte() >= 120; }, 20000));

    // Closing the window ends the run; the curve recorded so far stays complete in VZKurve.
    w->cmdEsc->click();
    EXPECT_FALSE(platform::Windows().IsLoaded(kTracer));
    testsupport::Flush();
    QTest::qWait(20);
    const long n = std::lround(VZKurve.at(0));
    EXPECT_GE(n, 120);
    EXPECT_EQ(VZKurve.size(), static_cast<std::size_t>(n + 1));
    EXPECT_TRUE(rec.Empty());
}

TEST_F(ResidenceWindowsTest, DistributionCurvesWithoutARangeSpanSixMeanResidenceTimes) {
    // No diagram range yet: 150 steps of tm/25 from 0 to 6 tm.
    const double tm = 0.05f / 0.004f;
    std::vector<XYPunkt> p;
    for (int N : {1, 2, 3, 5, 6, 40}) {
        const auto e = simulation::BerechneVerweilKurve(simulation::VerweilFunktion::E, true, N, tm, DiagRecord{}, p);
        EXPECT_FALSE(e.ueberlauf);
        ASSERT_EQ(Anzahl(p), 151) << N;
        EXPECT_FLOAT_EQ(p[151].x, 75.0f);
        for (int i = 1; i <= 151; ++i) {
            EXPECT_FLOAT_EQ(p[i].x, 0.5f * (i - 1));
            EXPECT_NEAR(p[i].y, ReferenzE(p[i].x, N, tm), 2e-6 * ReferenzE(tm * (N - 1) / N, N, tm) + 1e-12);
        }
    }
    // A tm so small that the step vanishes in single precision gives one point instead of no end.
    DiagRecord bereich;
    bereich.xMax = 4;
    EXPECT_FALSE(simulation::BerechneVerweilKurve(simulation::VerweilFunktion::F, false, 1, 1e-45, bereich, p).ueberlauf);
    EXPECT_EQ(Anzahl(p), 1);
}

TEST_F(ResidenceWindowsTest, DistributionDensityAndSumCurvesReachTheDiagramWithTheirCodes) {
    frmVerweilCalc* w = Open();
    Type(w->txtNKask, "4");
    w->cmdDiaE_RK->click();
    ASSERT_TRUE(IsFormLoaded("frmTGraph2D"));
    EXPECT_EQ(aktDiagrammCode, 112);
    EXPECT_TRUE(DiagRec.SonderFenster);
    ASSERT_GT(DiagRec.xMax, 0);
    EXPECT_EQ(nKurven, 1);

    // The curve fills the diagram's x range; the chart holds exactly the handed-over points (their
    // values against the closed form: the residence-time road of the end-to-end test).
    const double tm = w->tMittel();
    const long n = Anzahl(KurvenPunkte);
    ASSERT_GE(n, 150);
    EXPECT_LE(n, 151);
    EXPECT_NEAR(KurvenPunkte[static_cast<std::size_t>(n)].x, DiagRec.xMax, DiagRec.xMax / 150);
    ASSERT_EQ(Chart()->PointCount(diagram::kGruppeKurven, aktKurve), n);
    for (int i = 1; i <= n; i += 10) {
        EXPECT_NEAR(Chart()->X(diagram::kGruppeKurven, aktKurve, i), KurvenPunkte[i].x, 1e-5);
        EXPECT_NEAR(Chart()->Y(diagram::kGruppeKurven, aktKurve, i), KurvenPunkte[i].y, 1e-7);
    }
    EXPECT_TRUE(rec.Empty());

    // A further press with the diagram open adds a curve, also of the other function: F joins the
    // open diagram with its range unchanged.
    const float xMax = DiagRec.xMax;
    w->cmdDiaF_RK->click();
    EXPECT_EQ(aktDiagrammCode, 114);
    EXPECT_EQ(nKurven, 2);
    EXPECT_EQ(DiagRec.xMax, xMax);
    for (int i = 1; i <= Anzahl(KurvenPunkte); ++i) EXPECT_NEAR(KurvenPunkte[i].y, ReferenzF(KurvenPunkte[i].x, 4, tm), 2e-6);
    EXPECT_TRUE(rec.Empty()) << "the F curve never warns";

    // "Diagramm löschen" ends the series: the next press starts a diagram with its curve alone.
    w->cmdCloseDiag->click();
    EXPECT_FALSE(IsFormLoaded("frmTGraph2D"));
    EXPECT_EQ(KurvenPunkte.size(), 2001u);
    EXPECT_EQ(KurvenPunkte[0].x, 0.0f);
    w->optxAchse[1]->click();
    w->cmdDiaF_RK->click();
    EXPECT_EQ(aktDiagrammCode, 115);
    EXPECT_EQ(nKurven, 1);
    // So does the diagram's own close box.
    platform::Windows().Frame("frmTGraph2D")->close();
    QApplication::processEvents();
    w->cmdDiaE_RK->click();
    EXPECT_EQ(nKurven, 1);
    EXPECT_EQ(Chart()->PointCount(diagram::kGruppeKurven, 2), 0);
}

TEST_F(ResidenceWindowsTest, DistributionDimensionlessCurvesFillTheRangeOverflowPartWayAndWarnOutside) {
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
    ASSERT_TRUE(rec.Empty());

    // 120 tanks overflow part-way; the points before are drawn and still exact.
    Type(w->txtNKask, "120");
    DiagRec.xMax = 4;
    w->cmdDiaE_RK->click();
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(rec.Messages()[0].prompt, "Zahlenüberlauf\r\n\r\n(Die berechneten Kurventeile werden aber gezeichnet.)");
    n = Anzahl(KurvenPunkte);
    EXPECT_GT(n, 10);
    EXPECT_LT(n, 151);
    for (int i = 1; i <= n; ++i) {
        const double ref = ReferenzEdimlos(KurvenPunkte[i].x, 120);
        EXPECT_NEAR(KurvenPunkte[i].y, ref, 1e-4 * std::max(1.0, ref)) << i;
    }
    EXPECT_EQ(Chart()->PointCount(diagram::kGruppeKurven, aktKurve), n);

    // The density warns when its last point lies outside the range (drawn all the same); F never does.
    rec.Clear();
    Type(w->txtNKask, "1");
    DiagRec.yMin = 0.5f;
    w->cmdDiaE_RK->click();
    EXPECT_EQ(rec.OnlyMessage(), "Warnung|Kurve befindet sich außerhalb des Diagramms.\r\nVergrößern Sie die "
                                 "Diagramm-Koordinaten\r\n(Button \"Koordinaten\" im Grafik-Menü oder Rechts-Klick auf Diagramm).");
    EXPECT_EQ(rec.Last().style, 48);
    EXPECT_EQ(nKurven, 4);
    DiagRec.yMin = 2;
    w->cmdDiaF_RK->click();
    EXPECT_EQ(rec.Messages().size(), 1u);

    // A curve that ends on the right border lies inside: tm = 100 over t = 0..300 takes 150 steps of 2 to
    // 300 exactly, and draws without a warning.
    rec.Clear();
    w->optxAchse[0]->click();
    Type(w->txtVR, "1");
    Type(w->txtVPunkt, "0.01");
    DiagRec.yMin = -0.005f;
    DiagRec.xMax = 300;
    w->cmdDiaE_RK->click();
    EXPECT_EQ(KurvenPunkte[static_cast<std::size_t>(Anzahl(KurvenPunkte))].x, 300.0f);
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
}

TEST_F(ResidenceWindowsTest, DistributionTankCountIsCheckedAndRounded) {
    frmVerweilCalc* w = Open();
    Type(w->txtNKask, "121");
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |N muss zwischen 1 und 120 liegen");
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
    EXPECT_EQ(rec.Messages().size(), 2u);

    // 0.4 rounds to no tank at all: the first point reports the overflow, nothing is drawn.
    rec.Clear();
    w->txtNKask->setText("0.4");  // typed, it would pass through "0"
    EXPECT_EQ(nKesselVC, 0);
    EXPECT_EQ(w->frKessel->title(), "");
    w->cmdDiaF_RK->click();
    EXPECT_EQ(rec.OnlyPrompt(), "Zahlenüberlauf\r\n\r\n(Die berechneten Kurventeile werden gezeichnet.)");
    EXPECT_EQ(Anzahl(KurvenPunkte), 0);
    EXPECT_EQ(nKurven, 0);

    // Without a volume flow no curve is added, on either axis.
    Type(w->txtNKask, "3");
    for (QRadioButton* axis : {w->optxAchse[0], w->optxAchse[1]})
        for (const char* flow : {"0", "-0.006"})
            for (QPushButton* button : {w->cmdDiaE_RK, w->cmdDiaF_RK}) {
                axis->click();
                Type(w->txtVPunkt, flow);
                rec.Clear();
                button->click();
                EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |- Der Volumenstrom muss größer Null sein.\r\n");
                EXPECT_EQ(nKurven, 0);
            }
}
