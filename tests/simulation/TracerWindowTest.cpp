// The tracer experiment driven through its widgets: the recorded outlet curve against the closed form
// of the step scheme, the step counts of full runs, stopping, the input checks, the diagram hand-over
// (code 110) and closing the window during a run.
#include <QEventLoop>

#include <cmath>

#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "platform/core/NumberFormat.h"
#include "simulation/VesselPictures.h"
#include "simulation/frmVerweilzeit.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

const char* const kForm = "frmVerweilzeit";

// Concentration of tank k after n steps of a unit pulse in tank 1: each tank keeps 99 % and receives 1 %
// of the updated tank before it, which gives 0.01^(k-1) C(n+k-2, k-1) 0.99^n.
double Referenz(int k, long n) {
    const double lnBinom = std::lgamma(n + k - 1.0) - std::lgamma(k) - std::lgamma(n);
    return std::exp((k - 1) * std::log(0.01) + lnBinom + n * std::log(0.99));
}

bool IsGreen(const QPushButton* b) { return b->styleSheet().contains("C0FFC0", Qt::CaseInsensitive); }

class TracerWindowTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        platform::SetLocaleDecimalSeparator('.');
        nKesselVZ = 0;
        RuehrerAnimation = 0;
        PosVerweilzeit = {0, 0};
        VZKurve.assign(1, 0.0f);
    }
    void TearDown() override {
        platform::Windows().Unload(kForm);
        simtest::SimWindowTest::TearDown();
    }
    frmVerweilzeit* Open() {
        platform::Windows().Show(kForm);
        QTest::qWait(10);  // let the activation pass before anything starts
        return frmVerweilzeit::Loaded();
    }
    static void Type(QLineEdit* box, const QString& text) { simtest::Type(box, text); }
    // Runs the event loop until the experiment has ended (qWaitFor would sleep between its steps).
    static bool WaitForEnd(frmVerweilzeit* w) {
        if (w->Laeuft()) {
            QEventLoop loop;
            QObject::connect(w, &frmVerweilzeit::laufBeendet, &loop, &QEventLoop::quit);
            QTimer::singleShot(60000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return !w->Laeuft();
    }
    // Fastest flow, dye, start, and wait for the end of the run.
    static bool Run(frmVerweilzeit* w) {
        w->Slider_verzoegerung->setValue(5);
        w->cmdIndikatorfarbe->click();
        w->cmdStartFlow->click();
        return WaitForEnd(w);
    }
};

TEST_F(TracerWindowTest, OutletCurveFollowsTheClosedFormAndEndsAtOnePercent) {
    testsupport::MsgRecorder messages;
    frmVerweilzeit* w = Open();
    const long schritte[7] = {0, 459, 644, 805, 954, 1096, 1232};
    for (int N = 1; N <= 6; ++N) {
        Type(w->txtNKask, QString::number(N));
        ASSERT_EQ(nKesselVZ, N);
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
    }
    EXPECT_TRUE(messages.Empty());
}

TEST_F(TracerWindowTest, StopRequestEndsTheRunAfterItsStep) {
    frmVerweilzeit* w = Open();
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
    w->Slider_verzoegerung->setValue(0);
    w->cmdIndikatorfarbe->click();
    w->cmdStartFlow->click();
    ASSERT_TRUE(w->Laeuft());
    EXPECT_FALSE(w->txtNKask->isEnabled());
    EXPECT_FALSE(w->Slider_verzoegerung->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->Schritte() >= 1; }, 5000));
    w->Form_Activate();
    ASSERT_TRUE(QTest::qWaitFor([w] { return !w->Laeuft(); }, 5000));
    EXPECT_LT(VZKurve.at(0), 805.0f);
}

TEST_F(TracerWindowTest, TankCountIsCheckedRoundedAndLaidOut) {
    testsupport::MsgRecorder messages;
    frmVerweilzeit* w = Open();
    Type(w->txtNKask, "7");
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Last().prompt, "N muss zwischen 1 und 6 liegen");
    EXPECT_EQ(messages.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(w->txtNKask->text(), "1");
    EXPECT_EQ(w->cKessel().size(), 2u);

    Type(w->txtNKask, "2.5");
    EXPECT_EQ(nKesselVZ, 2);
    EXPECT_FALSE(w->lblMessung[2]->isHidden());  // the measuring point sits at the last tank
    EXPECT_TRUE(w->lblMessung[1]->isHidden());


    // An empty box: one tank, no dye and no stop.
    Type(w->txtNKask, "");
    EXPECT_EQ(nKesselVZ, 1);
    EXPECT_FALSE(w->cmdIndikatorfarbe->isEnabled());
    EXPECT_FALSE(w->cmdVZStop->isEnabled());

    // 0.4 rounds to no tank: the start reports the tank count after the inputs are back.
    messages.Clear();
    w->txtNKask->setText("0.4");  // typed, it would pass through "0"
    EXPECT_EQ(nKesselVZ, 0);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(w->lblMessung[static_cast<std::size_t>(i)]->isHidden());
    w->cmdIndikatorfarbe->click();
    w->cmdStartFlow->click();
    EXPECT_EQ(simtest::OnlyPrompt(messages), "- Stufenzahl N muss zwischen 1 und 6 liegen\r\n");
    EXPECT_FALSE(w->Laeuft());
    EXPECT_TRUE(w->txtNKask->isEnabled());
}

TEST_F(TracerWindowTest, RecordedCurveIsHandedToTheDiagramAsCode110) {
    testsupport::MsgRecorder messages;
    frmVerweilzeit* w = Open();
    Type(w->txtNKask, "2");
    ASSERT_TRUE(Run(w));
    const long n = std::lround(VZKurve[0]);
    w->cmdDiagram->click();
    ASSERT_TRUE(IsFormLoaded("frmTGraph2D"));
    EXPECT_EQ(aktDiagrammCode, 110);
    EXPECT_EQ(diagram::GrafTitel[0], "c(Tracer) am Ausgang");
    platform::Chart2D* chart = diagram::frmTGraph2D::Geladen()->Chart();
    ASSERT_EQ(chart->PointCount(diagram::kGruppeKurven, aktKurve), n);
    for (long i = 1; i <= n; i += 37) {
        EXPECT_NEAR(chart->X(diagram::kGruppeKurven, aktKurve, static_cast<int>(i)), 100.0 * i / n, 1e-4);
        EXPECT_NEAR(chart->Y(diagram::kGruppeKurven, aktKurve, static_cast<int>(i)), Referenz(2, i), 1e-5);
    }
    EXPECT_TRUE(messages.Empty());

    // A change of N closes the diagram and withdraws the button.
    Type(w->txtNKask, "3");
    EXPECT_FALSE(IsFormLoaded("frmTGraph2D"));
    EXPECT_FALSE(w->cmdDiagram->isEnabled());
}

TEST_F(TracerWindowTest, StirrersTurnDuringARunAndClosingEndsItQuietly) {
    testsupport::MsgRecorder messages;
    frmVerweilzeit* w = Open();
    Type(w->txtNKask, "3");
    w->chkAnimation->click();
    EXPECT_EQ(RuehrerAnimation, kTrue);
    w->cmdVZStop->click();
    EXPECT_TRUE(!w->Animation()->IsRunning() && w->chkAnimation->isEnabled());

    // A run starts the stirrers.
    w->Slider_verzoegerung->setValue(3);
    w->cmdIndikatorfarbe->click();
    w->cmdStartFlow->click();
    EXPECT_TRUE(w->Animation()->IsRunning());
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->Schritte() >= 120; }, 20000));

    // Closing the window ends the run; the curve recorded so far stays complete in VZKurve.
    w->cmdEsc->click();
    EXPECT_FALSE(platform::Windows().IsLoaded(kForm));
    simtest::FlushDeletes();
    QTest::qWait(20);
    const long n = std::lround(VZKurve.at(0));
    EXPECT_GE(n, 120);
    EXPECT_EQ(VZKurve.size(), static_cast<std::size_t>(n + 1));
    EXPECT_TRUE(messages.Empty());
}

}  // namespace
