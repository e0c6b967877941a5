// The batch and tubular reactor windows driven through their controls: results against the closed
// forms of first order, autocatalysis and the reversible first-order step, the tube as a batch run of
// t = l / v in each input mode, the conversion searches, the complaints of the input and equilibrium
// checks, the protocol rows, the default velocity per time unit and the diagram hand-overs.
#include <cmath>

#include "kernel/ResultRows.h"
#include "platform/Chart2D.h"
#include "simulation/VesselPictures.h"
#include "simulation/frmRohrreaktor.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace simtest;

namespace {

const std::string kCrLf = "\r\n";

using BatchWindowTest = TwinWindowTest;

}  // namespace

// Runs of the batch, tube and stirred-tank windows against closed forms, one row per input mode (the
// stirred tank's other modes: the conti tests): the result boxes, the protocol row, the result
// buttons, and where given a curve of the diagram the run hands over.
TEST_F(TwinWindowTest, RunsMeetTheClosedFormsOfTheirModels) {
    using Curve = double (*)(double);
    struct Case {
        const Reactor& reactor;
        int model, mode;
        Inputs inputs;
        std::vector<std::pair<int, double>> boxes;  // box index, closed form
        std::vector<std::pair<int, double>> row;    // protocol column, closed form
        int series;                                 // 0: no diagram
        Curve curve;
    };
    // A => P at k t = 0.5: c(A) = c(A,0) e^(-0.5).
    const double e5 = std::exp(-0.5);
    // A => C => P: c(A) = 2 e^(-0.3 t), c(C) = 2 0.3 / (0.1 - 0.3) (e^(-0.3 t) - e^(-0.1 t)).
    const Curve cC = [](double t) { return 2 * 0.3 / (0.1 - 0.3) * (std::exp(-0.3 * t) - std::exp(-0.1 * t)); };
    const double a6 = 2 * std::exp(-1.5), c6 = cC(5);
    // A => P autocatalysed: c(A) = (a0 + p0) / (1 + (p0 / a0) exp((a0 + p0) k t)), solved for c(A) = 0.1.
    const double tAuto = std::log((1.01 / 0.1 - 1) / 0.01) / (1.01 * 0.5);
    // The tube's profile over its length l at v = 3: c(A) = 1.5 e^(-0.25 l / 3).
    const Curve profile = [](double l) { return 1.5 * std::exp(-0.25 * l / 3); };
    const Case cases[] = {
        // The protocol keeps the batch's U rounded to four decimals; one A gives one P: ksi = c(A,0) - c(A).
        {kBatchR, 2, 0, {{0, "2"}, {10, "0.1"}, {14, "5"}}, {{5, 2 * e5}, {8, 2 - 2 * e5}, {13, 1 - e5}},
         {{1, 2}, {11, 0.1}, {15, 5}, {14, 0.3935}, {6, 2 * e5}, {9, 2 - 2 * e5}, {20, 2 - 2 * e5}, {16, 0}, {19, 0}}, 0, nullptr},
        {kBatchR, 6, 0, {{0, "2"}, {10, "0.3"}, {11, "0.1"}, {14, "5"}}, {{5, a6}, {7, c6}, {8, 2 - a6 - c6}},
         {{20, 2 - a6}, {21, 2 - a6 - c6}}, 2, cC},
        // The tube as a batch run of t = l / v, given by its time and by its length; U unrounded.
        {kTubeR, 2, 0, {{0, "1.5"}, {10, "0.25"}, {14, "2"}, {16, "3"}}, {{15, 6}, {5, 1.5 * e5}, {8, 1.5 - 1.5 * e5}, {13, 1 - e5}},
         {{1, 1.5}, {15, 2}, {16, 6}, {17, 0}, {18, 0}, {19, 3}, {6, 1.5 * e5}, {14, 1 - e5}, {20, 1.5 - 1.5 * e5}}, 1, profile},
        // A + B => P in a tube of length 4 at 0.5 m/s: c(A) = a0 (b0 - a0) / (b0 e^((b0 - a0) k t) - a0).
        {kTubeR, 4, 1, {{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {15, "4"}}, {{14, 8}, {5, 1 / (2 * std::exp(0.15 * 8) - 1)}},
         {}, 0, nullptr},
        // Conversion 0.8: c(A) = 0.2 at (b0 - a0) k t = ln 3.
        {kTubeR, 4, 2, {{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {13, "0.8"}},
         {{14, std::log(3.0) / 0.15}, {15, std::log(3.0) / 0.15 * 0.5}}, {}, 0, nullptr},
        // A => P in a stirred tank given V and t: c(A) = 1 / (1 + k t), V* = V / t; no stage, l or v in the row.
        {kTankR, 2, 3, {{0, "1"}, {10, "0.1"}, {14, "2"}, {16, "4"}}, {{15, 0.5}, {13, 0.4 / 1.4}, {5, 1 / 1.4}},
         {{1, 1}, {11, 0.1}, {15, 4}, {17, 2}, {18, 0.5}, {6, 1 / 1.4}, {9, 0.4 / 1.4}, {14, 0.4 / 1.4}, {20, 0.4 / 1.4},
          {0, 0}, {16, 0}, {19, 0}},
         0, nullptr},
        // Last: the catalyst c(P,0) stays for the models chosen after it.
        {kBatchR, 5, 1, {{0, "1"}, {3, "0.01"}, {10, "0.5"}, {13, "0.9"}}, {{14, tAuto}, {5, 0.1}}, {}, 0, nullptr},
    };
    for (const Case& c : cases) {
        const char* form = c.reactor.form;
        SCOPED_TRACE(std::string(form) + " model " + std::to_string(c.model) + " mode " + std::to_string(c.mode));
        ASSERT_NO_FATAL_FAILURE(Run(c.reactor, c.model, c.mode, c.inputs));
        ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
        for (const auto& [box, value] : c.boxes) {
            EXPECT_NEAR(BoxValue(form, box), value, 2e-6 * (1 + value)) << box;
            EXPECT_TRUE(Box(form, box)->isReadOnly()) << box;
        }
        for (const auto& [col, value] : c.row) EXPECT_NEAR(kernel::ErgebnisZeilenVon(form).at(0)[col], value, 2e-6) << col;
        for (const char* b : {"cmdDiagram", "cmdShowKsi", "cmdProtocol"}) EXPECT_TRUE(Control<QPushButton>(form, b)->isEnabled()) << b;
        if (c.curve) {
            Click(form, "cmdDiagram");
            auto* chart = Control<platform::Chart2D>("frmTGraph2D", "Chart2D1");
            ASSERT_NE(chart, nullptr);
            ASSERT_EQ(chart->PointCount(1, c.series), 201);
            for (int p = 2; p <= 201; p += 10) EXPECT_NEAR(chart->Y(1, c.series, p), c.curve(chart->X(1, c.series, p)), 2e-5) << p;
        }
        testsupport::UnloadAll();
    }
}

// Every complaint in one box, in order; nothing is computed.
TEST_F(BatchWindowTest, InputComplaintsAreListedInOneMessage) {
    ASSERT_NO_FATAL_FAILURE(Open(kBatchR, 2));
    EXPECT_EQ(CalcWith({{0, ""}, {10, ""}, {14, ""}}),
              "keine Ausführung möglich|- noch keine gültige Eingabe der Reaktionszeit" + kCrLf +
                  "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" + kCrLf +
                  "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_TRUE(kernel::ErgebnisZeilen.empty());

    // A + B => P: the B needed for the conversion, without a line break of its own.
    Choose(4);
    Click(kBatchR.form, "optInpSelect(1)");
    EXPECT_EQ(CalcWith({{0, "1"}, {1, "0.5"}, {10, ""}, {13, "0.5"}}),
              "keine Ausführung möglich|Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B >  .5 sein."
              "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);

    // n-th order with n <= 0: the order is reset at once, also in the model window.
    Choose(20);
    Click(kBatchR.form, "optInpSelect(0)");
    Enter({{0, "1"}, {10, "0.1"}, {14, "2"}});
    kernel::ReaktOrdnung = 0;
    EXPECT_EQ(CalcWith({}), "keine Ausführung möglich|- Eingabewert der Reaktionsordnung muss größer Null sein" + kCrLf);
    EXPECT_FLOAT_EQ(kernel::ReaktOrdnung, 1.5f);
    EXPECT_EQ(Control<QLineEdit>("frmKinModel", "txtOrdnung")->text().toStdString(), " 1.5");
    EXPECT_EQ(BoxText(kBatchR.form, 5), "");
}

// A <=> P with k1 = k2: from pure A only 0 < U < 0.5 is reachable, and c(A) relaxes to 0.5 with rate
// k1 + k2, so U = 0.5 (1 - exp(-2 t)); with much P in the feed the equilibrium lies at U = -1.
TEST_F(BatchWindowTest, ReversibleStepAcceptsOnlyConversionsShortOfEquilibrium) {
    ASSERT_NO_FATAL_FAILURE(Open(kBatchR, 8));
    Click(kBatchR.form, "optInpSelect(1)");
    const std::string refusal = CalcWith({{0, "1"}, {3, "0"}, {10, "1"}, {11, "1"}, {13, "0.5"}});
    EXPECT_EQ(refusal.rfind("keine Ausführung möglich|", 0), 0u) << refusal;
    EXPECT_NE(refusal.find("liegt der mögliche Umsatz für A im Bereich" + kCrLf + kCrLf + " 0 < U(A) <  .5" + kCrLf + kCrLf),
              std::string::npos) << refusal;
    EXPECT_EQ(CalcWith({{13, "0.4"}}), "");
    EXPECT_NEAR(kernel::tauMittel, std::log(5.0) / 2, 1e-7);

    const std::string negative = CalcWith({{3, "3"}, {13, "0.2"}});
    EXPECT_NE(negative.find("-1 < U(A) < 0" + kCrLf + kCrLf + "Ein negativer Wert"), std::string::npos) << negative;
    EXPECT_EQ(CalcWith({{13, "-0.5"}}), "");
    EXPECT_NEAR(kernel::tauMittel, std::log(2.0) / 2, 1e-7);
}

// With k1 so small that the conversion does not change within the difference step, the search (the
// tube's secant) cannot move: a calculation failure that empties the results and the diagram button.
TEST_F(BatchWindowTest, AConversionTheSearchCannotMoveTowardsIsACalculationFailure) {
    for (const Reactor* r : {&kBatchR, &kTubeR}) {
        SCOPED_TRACE(r->form);
        ASSERT_NO_FATAL_FAILURE(Run(*r, 2, 0, {{0, "1"}, {10, "0.5"}, {14, "1"}}));
        ASSERT_TRUE(Control<QPushButton>(r->form, "cmdDiagram")->isEnabled());
        Click(r->form, r == &kTubeR ? "optInpSelect(2)" : "optInpSelect(1)");
        EXPECT_EQ(CalcWith({{10, "1E-300"}, {13, "0.5"}}), "Message from Sub " + std::string(r->calc) + "|Berechnungsfehler aufgetreten");
        EXPECT_EQ(BoxText(r->form, 5), "");
        EXPECT_FALSE(Control<QPushButton>(r->form, "cmdDiagram")->isEnabled());
        EXPECT_TRUE(kernel::ErgebnisZeilenVon(r->form).empty());
    }
}

// The run's curve itself is checked with the closed forms above; here: adding a second run.
TEST_F(BatchWindowTest, SecondRunJoinsTheOpenDiagram) {
    ASSERT_NO_FATAL_FAILURE(Run(kBatchR, 2, 0, {{0, "1"}, {10, "0.3"}, {14, "4"}}));
    Click(kBatchR.form, "cmdDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
    QWidget* diagram = platform::Windows().Get("frmTGraph2D");
    ASSERT_NE(diagram, nullptr);
    auto* chart = diagram->findChild<platform::Chart2D*>("Chart2D1");
    ASSERT_NE(chart, nullptr);
    EXPECT_NEAR(chart->X(1, 1, chart->PointCount(1, 1)), 4, 1e-9);  // over the run's time

    // Back in the batch window the add-curves option is offered; a second run joins the open diagram.
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame(kBatchR.form)));
    QApplication::processEvents();
    Click(kBatchR.form, "chkDelDiagram");
    EXPECT_EQ(kernel::KurvenHinzufuegen, kernel::kTrue);
    EXPECT_EQ(CalcWith({{10, "0.6"}}), "");
    Click(kBatchR.form, "cmdDiagram");
    EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);
    ASSERT_EQ(chart->PointCount(1, 3), 201);
    for (int p = 1; p <= 201; p += 40) EXPECT_NEAR(chart->Y(1, 3, p), std::exp(-0.6 * chart->X(1, 3, p)), 1e-6);
}

// 1 m/s by default, in the current time unit; in years there is none, and a missing velocity is named
// before the time.
TEST_F(BatchWindowTest, DefaultVelocityFollowsTheTimeUnitAndAMissingOneIsNamedFirst) {
    kernel::ZeitEinheit = "min";
    kernel::ZeitEinheitNr = 1;
    ASSERT_NO_FATAL_FAILURE(Open(kTubeR, 2));
    EXPECT_EQ(BoxText(kTubeR.form, 16), " 60");
    EXPECT_EQ(kernel::RohrV, 60);
    platform::Windows().Unload(kTubeR.form);
    kernel::RohrV = 0;
    kernel::ZeitEinheit = "a";
    kernel::ZeitEinheitNr = 4;
    ASSERT_NO_FATAL_FAILURE(Open(kTubeR, 2));
    EXPECT_EQ(kernel::RohrV, 0);
    Click(kTubeR.form, "optInpSelect(0)");
    EXPECT_EQ(CalcWith({{0, "1"}, {10, "0.5"}, {14, ""}}),
              " Ausführung nicht möglich |- noch keine gültige Eingabe der Fließgeschwindigkeit" + kCrLf +
                  "- noch keine gültige Eingabe der Reaktionszeit" + kCrLf);
    EXPECT_FALSE(frmRohrreaktor::Loaded()->cmdDiagram->isEnabled());
}

// The vessel pictures: the colour ramps, and the batch vessel's colour with clamping of the
// conversion, read back from the drawn picture.
TEST(VesselPictures, RampsRoundHalvesToEvenAndTheBatchVesselClampsTheConversion) {
    using namespace simulation;
    const QColor kYellow(255, 255, 0), kCyan(0, 255, 255), kBack(212, 208, 200);
    // 127.5 goes to the even 128, 191.25 and 63.75 to the nearest.
    EXPECT_EQ((std::vector<QColor>{ConversionColour(0), ConversionColour(1), ConversionColour(0.5), ConversionColour(0.25)}),
              (std::vector<QColor>{kYellow, kCyan, QColor(128, 255, 128), QColor(191, 255, 64)}));
    EXPECT_EQ((std::pair(DyeColour(0), DyeColour(1))), (std::pair(QColor(255, 255, 255), QColor(255, 0, 0))));

    QWidget host;
    host.resize(1000, 400);
    auto* canvas = new VesselCanvas(&host, 0, 1500, 14000, 4000);
    canvas->SetBackColor(kBack);
    canvas->Cls();
    FillVesselColours(*canvas, 0.5);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), QColor(128, 255, 128));  // liquid, deep in the cone
    EXPECT_EQ(canvas->PixelAt(1200, 2400), kBack);                  // air above the liquid
    // Conversions outside 0..1 colour like the nearest end; the caller's value is not touched.
    double u = 1.7;
    FillVesselColours(*canvas, u);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kCyan);
    EXPECT_EQ(u, 1.7);
    FillVesselColours(*canvas, -0.4);
    EXPECT_EQ(canvas->PixelAt(1200, 3400), kYellow);
}
