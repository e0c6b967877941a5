// The batch and tubular reactor windows driven through their controls: results against the closed
// forms of first order, autocatalysis and the reversible first-order step, the tube as a batch run of
// t = l / v in each input mode, the conversion searches, the complaints of the input and equilibrium
// checks, the protocol rows, the default velocity per time unit and the diagram hand-overs.
#include <cmath>

#include "kernel/ResultRows.h"
#include "platform/Chart2D.h"
#include "simulation/frmBatch.h"
#include "simulation/VesselPictures.h"
#include "simulation/frmRohrreaktor.h"
#include "tests/simulation/TwinWindowTestSupport.h"

using namespace twintest;

namespace {

const char* const kBatch = "frmBatch";
const char* const kTube = "frmRohrreaktor";
const std::string kCrLf = "\r\n";

class BatchWindowTest : public TwinWindowTest {
protected:
    void Calc() { Click(kBatch, "cmdCalcBatch"); }
    void ConversionMode() { Click(kBatch, "optInpSelect(1)"); }
    frmBatch* Window() { return frmBatch::Loaded(); }
};

class TubeWindowTest : public TwinWindowTest {
protected:
    void Calc() { Click(kTube, "cmdCalcRohr"); }
    void Mode(int i) { Click(kTube, QStringLiteral("optInpSelect(%1)").arg(i).toUtf8().constData()); }
    frmRohrreaktor* Window() { return frmRohrreaktor::Loaded(); }
};

}  // namespace

// Runs of the batch, tube and stirred-tank windows against closed forms: the result boxes, and where
// given a curve of the diagram the run hands over.
TEST_F(TwinWindowTest, RunsMeetTheClosedFormsOfTheirModels) {
    using Curve = double (*)(double);
    struct Run {
        const char *menu, *form, *calc;
        int model;
        const char* mode;
        std::vector<std::pair<int, const char*>> inputs;
        std::vector<std::pair<int, double>> boxes;  // box index, closed form
        std::vector<std::pair<int, double>> row;    // protocol column, closed form
        int series;                                 // 0: no diagram
        Curve curve;
    };
    // A => C => P: c(A) = 2 e^(-0.3 t), c(C) = 2 0.3 / (0.1 - 0.3) (e^(-0.3 t) - e^(-0.1 t)).
    const Curve cC = [](double t) { return 2 * 0.3 / (0.1 - 0.3) * (std::exp(-0.3 * t) - std::exp(-0.1 * t)); };
    const double a6 = 2 * std::exp(-1.5), c6 = cC(5);
    // 2 A => P in a stirred tank: 2 k1 tau a^2 + a = c(A,0) with k1 = 0.2, c(A,0) = 1.5.
    const Curve outlet = [](double tau) { return (std::sqrt(1 + 8 * 0.2 * tau * 1.5) - 1) / (4 * 0.2 * tau); };
    const Run runs[] = {
        {"mnuBatchR", kBatch, "cmdCalcBatch", 6, "optInpSelect(0)", {{0, "2"}, {10, "0.3"}, {11, "0.1"}, {14, "5"}},
         {{5, a6}, {7, c6}, {8, 2 - a6 - c6}}, {{20, 2 - a6}, {21, 2 - a6 - c6}}, 2, cC},
        {"mnuBatchR", kBatch, "cmdCalcBatch", 6, "optInpSelect(1)", {{0, "2"}, {10, "0.3"}, {11, "0.1"}, {13, "0.6"}},
         {{14, std::log(1 / 0.4) / 0.3}}, {}, 0, nullptr},
        // A + B => P in a tube of length 4 at 0.5 m/s: c(A) = a0 (b0 - a0) / (b0 e^((b0 - a0) k t) - a0).
        {"mnuRohrR", kTube, "cmdCalcRohr", 4, "optInpSelect(1)", {{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {15, "4"}},
         {{14, 8}, {5, 1 / (2 * std::exp(0.15 * 8) - 1)}}, {}, 0, nullptr},
        // Conversion 0.8: c(A) = 0.2 at (b0 - a0) k t = ln 3.
        {"mnuRohrR", kTube, "cmdCalcRohr", 4, "optInpSelect(2)", {{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {13, "0.8"}},
         {{14, std::log(3.0) / 0.15}, {15, std::log(3.0) / 0.15 * 0.5}}, {}, 0, nullptr},
        {"mnuKontRK", "frmRKconti", "cmdCalc", 3, "optCalcConti(4)", {{0, "1.5"}, {10, "0.2"}, {16, "3"}, {15, "0.25"}},
         {{14, 0.75}, {5, outlet(3)}}, {}, 1, outlet},
        {"mnuKontRK", "frmRKconti", "cmdCalc", 3, "optCalcConti(0)", {{0, "1.5"}, {10, "0.2"}, {13, "0.7"}, {14, "2"}},
         {{16, (1.5 - 0.45) / (2 * 0.2 * 0.45 * 0.45)}}, {}, 0, nullptr},
    };
    for (const Run& r : runs) {
        SCOPED_TRACE(std::string(r.form) + " model " + std::to_string(r.model) + " " + r.mode);
        ASSERT_NO_FATAL_FAILURE(Open(r.menu, r.form, r.model));
        Click(r.form, r.mode);
        Enter(r.inputs);
        Click(r.form, r.calc);
        ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
        for (const auto& [box, value] : r.boxes) EXPECT_NEAR(BoxValue(r.form, box), value, 2e-6 * (1 + value)) << box;
        for (const auto& [col, value] : r.row) EXPECT_NEAR(kernel::ErgebnisZeilenVon(r.form).at(0)[col], value, 2e-6) << col;
        if (!r.curve) continue;
        Click(r.form, "cmdDiagram");
        auto* chart = Control<platform::Chart2D>("frmTGraph2D", "Chart2D1");
        ASSERT_NE(chart, nullptr);
        ASSERT_EQ(chart->PointCount(1, r.series), 201);
        for (int p = 2; p <= 201; p += 10) {
            const double x = chart->X(1, r.series, p);
            EXPECT_NEAR(chart->Y(1, r.series, p), r.curve(x), 2e-5) << x;
        }
        testsupport::UnloadAll();
    }
}

TEST_F(BatchWindowTest, FirstOrderRunDecaysExponentiallyAndLeavesItsProtocolRow) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", kBatch, 2));
    frmBatch* w = Window();
    EXPECT_FALSE(w->cmdProtocol->isEnabled());
    Enter({{0, "2"}, {10, "0.1"}, {14, "5"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;

    const double a = 2 * std::exp(-0.5);
    const double U = 1 - std::exp(-0.5);
    EXPECT_NEAR(BoxValue(kBatch, 5), a, 1e-6);
    EXPECT_NEAR(BoxValue(kBatch, 8), 2 - a, 1e-6);
    EXPECT_NEAR(BoxValue(kBatch, 13), U, 1e-6);
    EXPECT_TRUE(w->cmdDiagram->isEnabled() && w->cmdShowKsi->isEnabled() && w->cmdProtocol->isEnabled());

    ASSERT_EQ(kernel::ErgebnisZeilen.size(), 1u);
    const kernel::ProtokollZeile& row = kernel::ErgebnisZeilen[0];
    EXPECT_EQ((std::vector<float>{row[1], row[11], row[15]}), (std::vector<float>{2, 0.1f, 5}));
    EXPECT_FLOAT_EQ(row[14], 0.3935f);  // U rounded to four decimals
    EXPECT_NEAR(row[6], a, 1e-6);
    EXPECT_NEAR(row[9], 2 - a, 1e-6);
    EXPECT_NEAR(row[20], 2 - a, 1e-6);  // one A gives one P: ksi = c(A,0) - c(A)
    for (int col : {16, 17, 18, 19}) EXPECT_EQ(row[col], 0.0f) << col;

    // Typing into an input clears the results and disables the result buttons.
    Enter({{0, "3"}});
    EXPECT_EQ(BoxText(kBatch, 5), "");
    EXPECT_FALSE(w->cmdDiagram->isEnabled() || w->cmdShowKsi->isEnabled());
    EXPECT_EQ(kernel::c0Wert[1], 2.0);  // concentrations are read at the next calculation
}

TEST_F(BatchWindowTest, AutocatalysisSearchStartsAtTheHalfLifeAndMeetsTheLogisticCurve) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", kBatch, 5));
    ConversionMode();
    EXPECT_TRUE(!Box(kBatch, 13)->isReadOnly() && Box(kBatch, 14)->isReadOnly());
    Enter({{0, "1"}, {3, "0.01"}, {10, "0.5"}, {13, "0.9"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_EQ(BoxText(kBatch, 13), "0.9");  // the given conversion stays
    EXPECT_EQ(kernel::BatchEingabeModus, 1);
    // c(A) = (a0 + p0) / (1 + (p0 / a0) exp((a0 + p0) k t)), solved for c(A) = 0.1.
    const double a0 = 1, p0 = 0.01, k = 0.5, cA = 0.1;
    const double t = std::log(((a0 + p0) / cA - 1) * a0 / p0) / ((a0 + p0) * k);
    EXPECT_NEAR(kernel::tauMittel, t, 1e-6 * t);
    EXPECT_NEAR(BoxValue(kBatch, 5), cA, 1e-6);
}

// Every complaint in one box, in order; nothing is computed.
TEST_F(BatchWindowTest, InputComplaintsAreListedInOneMessage) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", kBatch, 2));
    Enter({{0, ""}, {10, ""}, {14, ""}});
    Calc();
    EXPECT_EQ(rec.OnlyMessage(), "keine Ausführung möglich|- noch keine gültige Eingabe der Reaktionszeit" + kCrLf +
                                    "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" + kCrLf +
                                    "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_TRUE(kernel::ErgebnisZeilen.empty());

    // A + B => P: the B needed for the conversion, without a line break of its own.
    rec.Clear();
    Control<QRadioButton>("frmKinModel", "optTyp(4)")->click();
    ConversionMode();
    Enter({{0, "1"}, {1, "0.5"}, {10, ""}, {13, "0.5"}});
    Calc();
    EXPECT_EQ(rec.OnlyPrompt(), "Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B >  .5 sein."
                                 "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);

    // n-th order with n <= 0: the order is reset at once, also in the model window.
    rec.Clear();
    Control<QRadioButton>("frmKinModel", "optTyp(0)")->click();
    Click(kBatch, "optInpSelect(0)");
    Enter({{0, "1"}, {10, "0.1"}, {14, "2"}});
    kernel::ReaktOrdnung = 0;
    Calc();
    EXPECT_EQ(rec.OnlyPrompt(), "- Eingabewert der Reaktionsordnung muss größer Null sein" + kCrLf);
    EXPECT_FLOAT_EQ(kernel::ReaktOrdnung, 1.5f);
    EXPECT_EQ(Control<QLineEdit>("frmKinModel", "txtOrdnung")->text().toStdString(), " 1.5");
    EXPECT_EQ(BoxText(kBatch, 5), "");
}

TEST_F(BatchWindowTest, ReversibleStepAcceptsOnlyConversionsShortOfEquilibrium) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", kBatch, 8));
    ConversionMode();
    Enter({{0, "1"}, {3, "0"}, {10, "1"}, {11, "1"}, {13, "0.5"}});
    Calc();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "keine Ausführung möglich");
    EXPECT_NE(rec.Last().prompt.find("liegt der mögliche Umsatz für A im Bereich" + kCrLf + kCrLf +
                                     " 0 < U(A) <  .5" + kCrLf + kCrLf),
              std::string::npos)
        << rec.Last().prompt;

    // U = 0.4: c(A) relaxes to 0.5 with rate k1 + k2, so U = 0.5 (1 - exp(-2 t)).
    rec.Clear();
    Enter({{13, "0.4"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_NEAR(kernel::tauMittel, std::log(5.0) / 2, 1e-7);

    // Much P in the feed: the equilibrium lies at U = -1, only -1 <= U < 0 is allowed.
    rec.Clear();
    Enter({{3, "3"}, {13, "0.2"}});
    Calc();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("-1 < U(A) < 0" + kCrLf + kCrLf + "Ein negativer Wert"), std::string::npos)
        << rec.Last().prompt;
    rec.Clear();
    Enter({{13, "-0.5"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_NEAR(kernel::tauMittel, std::log(2.0) / 2, 1e-7);
}

// With k1 so small that the conversion does not change within the difference step, the search (the
// tube's secant) cannot move: a calculation failure that empties the results and the diagram button.
TEST_F(BatchWindowTest, AConversionTheSearchCannotMoveTowardsIsACalculationFailure) {
    for (const bool tube : {false, true}) {
        const char* form = tube ? kTube : kBatch;
        const char* calc = tube ? "cmdCalcRohr" : "cmdCalcBatch";
        SCOPED_TRACE(form);
        ASSERT_NO_FATAL_FAILURE(Open(tube ? "mnuRohrR" : "mnuBatchR", form, 2));
        Click(form, "optInpSelect(0)");
        Enter({{0, "1"}, {10, "0.5"}, {14, "1"}});
        Click(form, calc);
        ASSERT_TRUE(Control<QPushButton>(form, "cmdDiagram")->isEnabled());
        Click(form, tube ? "optInpSelect(2)" : "optInpSelect(1)");
        Enter({{10, "1E-300"}, {13, "0.5"}});
        Click(form, calc);
        EXPECT_EQ(rec.OnlyMessage(), "Message from Sub " + std::string(calc) + "|Berechnungsfehler aufgetreten");
        EXPECT_EQ(BoxText(form, 5), "");
        EXPECT_FALSE(Control<QPushButton>(form, "cmdDiagram")->isEnabled());
        EXPECT_TRUE(kernel::ErgebnisZeilenVon(form).empty());
    }
}

// The run's curve itself is checked on the end-to-end road (model 6); here: adding a second run.
TEST_F(BatchWindowTest, SecondRunJoinsTheOpenDiagramAndAModelChoiceRefreshes) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", kBatch, 2));
    Enter({{0, "1"}, {10, "0.3"}, {14, "4"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    Click(kBatch, "cmdDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    QWidget* diagram = platform::Windows().Get("frmTGraph2D");
    ASSERT_NE(diagram, nullptr);
    auto* chart = diagram->findChild<platform::Chart2D*>("Chart2D1");
    ASSERT_NE(chart, nullptr);
    EXPECT_NEAR(chart->X(1, 1, chart->PointCount(1, 1)), 4, 1e-9);

    // Back in the batch window the add-curves option is offered; a second run joins the open diagram.
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame(kBatch)));
    QApplication::processEvents();
    Click(kBatch, "chkDelDiagram");
    EXPECT_EQ(kernel::KurvenHinzufuegen, kernel::kTrue);
    Enter({{10, "0.6"}});
    Calc();
    Click(kBatch, "cmdDiagram");
    EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);
    ASSERT_EQ(chart->PointCount(1, 3), 201);
    for (int p = 1; p <= 201; p += 40) EXPECT_NEAR(chart->Y(1, 3, p), std::exp(-0.6 * chart->X(1, 3, p)), 1e-6);

    // A new model choice refreshes the window.
    Control<QRadioButton>("frmKinModel", "optTyp(3)")->click();
    EXPECT_EQ(BoxText(kBatch, 5), "");
    EXPECT_FALSE(Window()->cmdDiagram->isEnabled());
}

TEST_F(TubeWindowTest, TimeAndLengthModesGiveTheBatchAtTEqualsLOverV) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    frmRohrreaktor* w = Window();
    EXPECT_EQ(BoxText(kTube, 16), " 1");  // 1 m/s

    Mode(0);
    Enter({{0, "1.5"}, {10, "0.25"}, {14, "2"}, {16, "3"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    const double a = 1.5 * std::exp(-0.5);
    const double U = 1 - std::exp(-0.5);
    EXPECT_EQ(BoxText(kTube, 15), " 6");
    EXPECT_NEAR(BoxValue(kTube, 5), a, 1e-6);
    EXPECT_NEAR(BoxValue(kTube, 8), 1.5 - a, 1e-6);
    EXPECT_NEAR(BoxValue(kTube, 13), U, 1e-6);
    EXPECT_TRUE(w->cmdProtocol->isEnabled());

    ASSERT_EQ(kernel::ErgebnisZeilen.size(), 1u);
    const kernel::ProtokollZeile& row = kernel::ErgebnisZeilen[0];
    // c(A,0), t, l, V, V*, v; c(A), U (not rounded to four decimals), ksi.
    EXPECT_EQ((std::vector<float>{row[1], row[15], row[16], row[17], row[18], row[19]}),
              (std::vector<float>{1.5f, 2, 6, 0, 0, 3}));
    EXPECT_NEAR(row[6], a, 1e-6);
    EXPECT_NEAR(row[14], U, 1e-6);
    EXPECT_NEAR(row[20], 1.5 - a, 1e-6);

    // Length mode: the same tube given by its length.
    Mode(1);
    EXPECT_TRUE(!Box(kTube, 15)->isReadOnly() && Box(kTube, 14)->isReadOnly());
    Enter({{15, "6"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_EQ(BoxText(kTube, 14), " 2");
    EXPECT_NEAR(BoxValue(kTube, 5), a, 1e-6);
}

// 1 m/s by default, in the current time unit; in years there is none, and a missing velocity is named
// before the time.
TEST_F(TubeWindowTest, DefaultVelocityFollowsTheTimeUnitAndAMissingOneIsNamedFirst) {
    kernel::ZeitEinheit = "min";
    kernel::ZeitEinheitNr = 1;
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    EXPECT_EQ(BoxText(kTube, 16), " 60");
    EXPECT_EQ(kernel::RohrV, 60);
    platform::Windows().Unload(kTube);
    kernel::RohrV = 0;
    kernel::ZeitEinheit = "a";
    kernel::ZeitEinheitNr = 4;
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    EXPECT_EQ(kernel::RohrV, 0);
    Mode(0);
    Enter({{0, "1"}, {10, "0.5"}, {14, ""}});
    Calc();
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |- noch keine gültige Eingabe der Fließgeschwindigkeit" +
                                    kCrLf + "- noch keine gültige Eingabe der Reaktionszeit" + kCrLf);
    EXPECT_FALSE(Window()->cmdDiagram->isEnabled());
}

TEST_F(TubeWindowTest, ProfileIsDrawnOverTheTubeLength) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", kTube, 2));
    Mode(0);
    Enter({{0, "1"}, {10, "0.4"}, {14, "5"}, {16, "2"}});
    Calc();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    Click(kTube, "cmdDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    auto* chart = Control<platform::Chart2D>("frmTGraph2D", "Chart2D1");
    ASSERT_NE(chart, nullptr);
    const int n = chart->PointCount(1, 1);
    ASSERT_EQ(n, 201);
    EXPECT_NEAR(chart->X(1, 1, n), 10, 1e-9);  // l = t v
    // Along the tube c(A) = exp(-k l / v).
    for (int p = 1; p <= n; p += 25) EXPECT_NEAR(chart->Y(1, 1, p), std::exp(-0.4 * chart->X(1, 1, p) / 2), 1e-6);
}

// The vessel pictures: the colour ramps, and the batch vessel's colour with clamping of the
// conversion, read back from the drawn picture.
namespace {

using namespace simulation;

const QColor kYellow(255, 255, 0);
const QColor kCyan(0, 255, 255);
const QColor kBack(212, 208, 200);

class VesselPicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(1000, 400);
        canvas = new VesselCanvas(&host, 0, 1500, 14000, 4000);
        canvas->SetBackColor(kBack);
        canvas->Cls();
    }
    QWidget host;
    VesselCanvas* canvas = nullptr;
};

}  // namespace

TEST(VesselColours, RampsRoundHalvesToEvenAndMeetTheirEnds) {
    EXPECT_EQ(ConversionColour(0), kYellow);
    EXPECT_EQ(ConversionColour(1), kCyan);
    EXPECT_EQ(ConversionColour(0.5), QColor(128, 255, 128));  // 127.5 goes to the even 128
    EXPECT_EQ(ConversionColour(0.25), QColor(191, 255, 64));  // 191.25 and 63.75
    EXPECT_EQ(DyeColour(0), QColor(255, 255, 255));
    EXPECT_EQ(DyeColour(1), QColor(255, 0, 0));
}

TEST_F(VesselPicturesTest, BatchVesselLiquidFunnelAndValve) {
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
