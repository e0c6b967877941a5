// The road of one request through the real program, driven as a user would through the names of
// the windows and controls: main window, model choice, the menu entry of the concentration-time
// functions, inputs, the diagram (replaced or added to) and the value table; under the C locale and a
// German one, where the table shows decimal commas and the boxes keep their points.
// Then the reactors' protocol files, captions, stale results and failures, under both locales as well.
#include <QPlainTextEdit>

#include <cmath>

#include "kernel/ResultRows.h"
#include "platform/Chart2D.h"
#include "platform/core/TextFile.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/TextSplit.h"

using namespace simtest;

namespace {

const char* const kForm = "frmPrepareTimeDiagram";

// The tab-separated cells of a line, without the blanks around them.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    for (const std::string& cell : testsupport::Split(line, "\t")) {
        const std::size_t a = cell.find_first_not_of(' ');
        cells.push_back(a == std::string::npos ? "" : cell.substr(a, cell.find_last_not_of(' ') - a + 1));
    }
    return cells;
}

using testsupport::InLocale;

class RoadTest : public testsupport::InBothLocales<TwinWindowTest> {
protected:
    void SetUp() override {
        InBothLocales::SetUp();
        kernel::KaskadeFuellPause = 0.001f;
        kernel::KaskadeAufbauPause = 0.001f;
        kernel::ContiHinweisOffen = kernel::kFalse;  // the learner hint of the stirred tank's diagram
    }
    // The protocol window of the open reactor records what the reactor shows.
    void Record() {
        if (!platform::Windows().IsLoaded("frmProtokoll")) Click(form_, "cmdProtocol");
        Click("frmProtokoll", "cmdRecordResult");
    }
    // The lines of a protocol file.
    static std::vector<std::string> FileLines(const std::string& name) {
        std::vector<std::string> lines;
        std::string error;
        EXPECT_TRUE(platform::ReadTextLines(kernel::AppPath + "/" + name, lines, error)) << name << error;
        return lines;
    }
    static platform::Chart2D* Chart() { return Control<platform::Chart2D>("frmTGraph2D", "Chart2D1"); }

    // The curves of model 2 in the open diagram: c(A) = exp(-k t), c(P) = 1 - c(A) at t = 0 .. tmax.
    static void ExpectFirstOrderCurves(double k, double tmax) {
        platform::Chart2D* chart = Chart();
        ASSERT_NE(chart, nullptr);
        for (int series = 1; series <= 2; ++series) {
            const int n = chart->PointCount(1, series);
            ASSERT_EQ(n, 201) << "series " << series;
            for (int p = 1; p <= n; ++p) {
                const double t = chart->X(1, series, p);
                const double a = std::exp(-k * t);
                EXPECT_NEAR(t, tmax * (p - 1) / 200, 2e-6 * tmax);
                EXPECT_NEAR(chart->Y(1, series, p), series == 1 ? a : 1.0 - a, 1e-6) << "series " << series << " t " << t;
            }
        }
        EXPECT_EQ(chart->PointCount(1, 3), 0);
    }
};

TEST_P(RoadTest, FirstOrderDecayFromModelChoiceToDiagramAndTable) {
    // Model 2, the menu entry of the concentration-time functions, c(A,0), k1 and t(max), the draw button.
    ASSERT_NO_FATAL_FAILURE(Choose(2));
    ASSERT_TRUE(Enabled("mnuctGraph"));
    Menu("mnuctGraph");
    ASSERT_TRUE(platform::Windows().IsLoaded(kForm));
    Type(Control<QLineEdit>(kForm, "Inp(0)"), "1");
    Type(Control<QComboBox>(kForm, "kCombo(1)"), "0,1");  // a typed comma counts as a point
    Type(Control<QComboBox>(kForm, "kCombo(0)"), "30");
    Click(kForm, "cmdDrawctDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    EXPECT_EQ(Control<QComboBox>(kForm, "kCombo(1)")->currentText(), "0.1");

    // The diagram: c(A) = exp(-k t) and c(P) = 1 - c(A) at every drawn point, in single precision.
    ASSERT_NO_FATAL_FAILURE(ExpectFirstOrderCurves(0.1, 30));

    // Back in the window (activated through the MDI area) curves may be added.
    auto* addCurves = Control<QCheckBox>(kForm, "chkDelDiagram");
    EXPECT_FALSE(addCurves->isEnabled());  // the window was activated before the diagram existed
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame(kForm)));
    EXPECT_TRUE(addCurves->isEnabled());
    // Ticked, the next drawing adds its curves to the open diagram; unticked, it replaces them.
    QWidget* diagram = platform::Windows().Get("frmTGraph2D");
    Click(kForm, "chkDelDiagram");
    EXPECT_EQ(kernel::KurvenHinzufuegen, kernel::kTrue);
    Click(kForm, "cmdDrawctDiagram");
    EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);
    EXPECT_EQ(kernel::nKurven, 4);
    Click(kForm, "chkDelDiagram");
    Click(kForm, "cmdDrawctDiagram");
    EXPECT_EQ(kernel::nKurven, 2);

    // The value table of the same inputs.
    std::string table;
    QTimer::singleShot(0, [&table] {
        auto* box = Control<QPlainTextEdit>("frmSimTabelle", "txtSimTabelle");
        if (!box) return;
        table = box->toPlainText().toStdString();
        platform::Windows().Get("frmSimTabelle")->move(30, 20);
        Control<QPushButton>("frmSimTabelle", "cmdCloseSimTab")->click();
    });
    QTest::mouseClick(Control<QPushButton>(kForm, "cmdListe"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    const std::vector<std::string> lines = testsupport::Split(table, "\n");
    ASSERT_EQ(lines.size(), 3u + 201u);
    // exp(-1.5) = 0.22313016..., 1 - exp(-1.5) = 0.77686983...
    const std::string h = testsupport::InLocale("15.00"), a = testsupport::InLocale("0.2231302"),
                      p = testsupport::InLocale("0.7768698");
    EXPECT_EQ(Cells(lines[3 + 100]), (std::vector<std::string>{h, a, "", "", p}));
    EXPECT_EQ(Cells(lines[3]), (std::vector<std::string>{testsupport::InLocale("0.00"), "1", "", "", "0"}));
    EXPECT_EQ(Cells(lines[3 + 200])[0], testsupport::InLocale("30.00"));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmSimTabelle"));
    EXPECT_EQ(std::pair(kernel::PosSimTabelle.Left, kernel::PosSimTabelle.Top), std::pair(30 * 15, 20 * 15));  // place kept

    // The input history lists the drawn values in the locale's form; an entry taken from it is read
    // as it was written. t(max) = 15 from the list (15 typed first, then 30), k1 = 0.1 from the list.
    Type(Control<QComboBox>(kForm, "kCombo(0)"), "15");
    Type(Control<QComboBox>(kForm, "kCombo(1)"), "0.3");
    Click(kForm, "cmdDrawctDiagram");
    auto* k1 = Control<QComboBox>(kForm, "kCombo(1)");
    ASSERT_EQ(k1->count(), 4);  // one entry per drawing
    EXPECT_EQ(k1->itemText(0).toStdString(), testsupport::InLocale("0.1"));
    k1->setCurrentIndex(0);
    Type(Control<QComboBox>(kForm, "kCombo(0)"), "30");
    Click(kForm, "cmdDrawctDiagram");
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_DOUBLE_EQ(kernel::kWert[1], 0.1);
    ASSERT_NO_FATAL_FAILURE(ExpectFirstOrderCurves(0.1, 30));

    // Default values written by the program keep their decimal point.
    QTest::mouseClick(Control<QPushButton>(kForm, "cmdReset_k"), Qt::LeftButton);
    for (const char* box : {"kCombo(0)", "kCombo(1)"})
        EXPECT_EQ(Control<QComboBox>(kForm, box)->currentText().indexOf(','), -1) << box;
}

const char* const kKeinErgebnis = "Hinweis|Kein aktuelles Ergebnis vorhanden.";

// Each protocol file holds rows of one unit: a result computed in seconds stays recordable after a
// change to minutes, and one computed in minutes closes the pending file; the exit writes what is
// left. (Reactor lines and the writing on closing: the stale-result road; the file's form: the
// protocol window's test.)
TEST_P(RoadTest, ProtocolFilesFollowTheUnitOfTheirRowsUpToTheExit) {
    ASSERT_NO_FATAL_FAILURE(Run(kBatchR, 2, 0, {{0, "1"}, {10, "0.1"}, {14, "2"}}));
    Record();
    const std::string first = kernel::ProtFile;
    Click("frmKinModel", "optZeit(1)");
    Click("frmProtokoll", "cmdRecordResult");
    EXPECT_EQ(kernel::ProtZeilen, 2);
    Click("frmBatch", "cmdCalcBatch");
    Click("frmProtokoll", "cmdRecordResult");
    EXPECT_EQ(kernel::ProtZeilen, 1);
    const std::string second = kernel::ProtFile;
    EXPECT_NE(first, second);
    main->findChild<QAction*>("mnuExit")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();

    const auto seconds = FileLines(first), minutes = FileLines(second);
    ASSERT_EQ(seconds.size(), 10u);
    ASSERT_EQ(minutes.size(), 9u);
    EXPECT_NE(seconds[4].find("[t] = s"), std::string::npos) << seconds[4];
    EXPECT_NE(minutes[4].find("[t] = min"), std::string::npos) << minutes[4];
    // The same run in seconds and in minutes: k1 per minute is 60 times k1 per second.
    EXPECT_EQ(seconds[8].substr(0, 14), InLocale("1;0;0.8187308;"));  // c(A) = e^(-0.1 * 2)
    EXPECT_NE(minutes[8].find(InLocale(";6;")), std::string::npos) << minutes[8];
}

// Only the result a window shows can be recorded: after a typed change (which a refused run needs),
// a model change or a failed first run the protocol shows the note and records nothing; every way of
// closing the window closes its protocol and writes its rows.
TEST_P(RoadTest, StaleResultsAreNotRecordedAndEveryCloseWritesTheProtocol) {
    struct Road {
        const Reactor& reactor;
        int mode;       // the calculation mode of the inputs
        Inputs inputs;  // model 2, a good calculation
        const char* reactorLine;
        enum { CloseBox, EscButton, OtherReactor } closing;
    };
    const Road roads[] = {
        {kBatchR, 0, {{0, "1"}, {10, "0.1"}, {14, "2"}}, "Calculation of a Batch Reactor", Road::CloseBox},
        {kTubeR, 0, {{0, "1"}, {10, "0.1"}, {16, "1"}, {14, "2"}}, "Calculation of a Tubular Flow Reactor (TFR)", Road::EscButton},
        {kTankR, 3, {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "2"}}, "Calculation of a Continuous Stirred Tank Reactor (CSTR)",
         Road::OtherReactor},
        {kCascadeR, 3, {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "2"}}, "Calculation of a Stirred Tank-in-series Reactor", Road::CloseBox},
    };
    for (const Road& road : roads) {
        const char* form = road.reactor.form;
        SCOPED_TRACE(form);
        ASSERT_NO_FATAL_FAILURE(Run(road.reactor, 2, road.mode, road.inputs));
        const int rowsPerResult = &road.reactor == &kCascadeR ? 3 : 1;
        ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
        Record();
        ASSERT_EQ(kernel::ProtZeilen, rowsPerResult);
        const std::string file = kernel::ProtFile;

        auto expectNote = [&](const char* after) {
            rec.Clear();
            Click("frmProtokoll", "cmdRecordResult");
            EXPECT_EQ(rec.OnlyMessage(), kKeinErgebnis) << after;
            EXPECT_EQ(kernel::ProtZeilen, rowsPerResult) << after;
        };
        Enter({{10, "0.1"}});  // typed, even the same value
        expectNote("typed change");
        Click(form, road.reactor.calc);
        ASSERT_NO_FATAL_FAILURE(Choose(3));
        expectNote("model change");
        // Closing (close box, Esc button, another reactor from the menu) writes the one recorded result
        // under this reactor.
        if (road.closing == Road::CloseBox) platform::Windows().Frame(form)->close();
        if (road.closing == Road::EscButton) Click(form, "cmdEsc");
        if (road.closing == Road::OtherReactor) main->findChild<QAction*>("mnuBatchR")->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(platform::Windows().IsLoaded(form));
        EXPECT_FALSE(platform::Windows().IsLoaded("frmProtokoll"));
        const auto lines = FileLines(file);
        ASSERT_EQ(lines.size(), 8u + rowsPerResult);
        EXPECT_EQ(lines[2], road.reactorLine);
        EXPECT_EQ(lines[3], "kinetic model: " + kernel::ModellName[2]);
        EXPECT_EQ(kernel::ProtOffen, kernel::kFalse);
        ASSERT_EQ(kernel::ErgebnisZeilenVon(form).size(), 0u);
    }

    // Failed first runs: the stirred tank and the cascade enable their protocol button, and the
    // protocol then has nothing to record.
    for (const int run : {0, 1, 2, 3}) {
        const Reactor& reactor = run % 2 == 1 ? kCascadeR : kTankR;
        const char* form = reactor.form;
        const int mode = run / 2;  // U(A) with V, then U(A) with V*
        SCOPED_TRACE(std::string(form) + " mode " + std::to_string(mode));
        // A + B => P with too little B for U = 0.9
        ASSERT_NO_FATAL_FAILURE(Run(reactor, 4, mode, {{0, "1"}, {1, "0.5"}, {10, "0.1"}, {13, "0.9"}, {14, "1"}, {15, "1"}}));
        EXPECT_FALSE(rec.Empty());
        // The typed conversion stays; only a computed one is emptied.
        EXPECT_EQ(BoxText(form, 13), "0.9");
        Record();
        EXPECT_EQ(rec.Last().prompt, "Kein aktuelles Ergebnis vorhanden.");
        EXPECT_EQ(kernel::ProtZeilen, 0);
        platform::Windows().Unload(form);
    }
}

// A failing time course, a diagram grid without a computable point and a failing cascade keep what
// is open and say so; a typed conversion survives a failed cascade, a computed one does not.
TEST_P(RoadTest, FailuresAreReportedAndNeverDrawn) {
    // Batch and tube, model 19: inputs changed behind the window's back (program text, no refresh)
    // give a time course without a real solution.
    for (const Reactor* r : {&kBatchR, &kTubeR}) {
        const char* form = r->form;
        SCOPED_TRACE(form);
        ASSERT_NO_FATAL_FAILURE(Run(*r, 19, 0, {{0, "1"}, {1, "1"}, {10, "0.15"}, {11, "0.01"}, {14, "2"}, {16, "1"}}));
        Click(form, "cmdDiagram");
        ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
        QWidget* diagram = platform::Windows().Get("frmTGraph2D");
        ASSERT_NE(diagram, nullptr);
        Box(form, 1)->setText("-5");
        Box(form, 11)->setText("1.5");
        Click(form, "cmdDiagram");
        EXPECT_EQ(rec.OnlyMessage(), "Message from Sub " + std::string(r->calc) + "|Berechnungsfehler aufgetreten");
        EXPECT_EQ(rec.Last().style, platform::MsgCritical);
        EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);  // the old diagram stays
        platform::Windows().Unload(form);
    }

    // Stirred tank, A + B => C, C + A => P (model 7), inputs changed behind the window's back: with
    // little B the first grid point is a gap in the drawn curves; with none no point is computable.
    ASSERT_NO_FATAL_FAILURE(Run(kTankR, 7, 3, {{0, "1"}, {1, "2"}, {14, "1"}, {16, "5"}}));
    ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
    kernel::c0Wert[2] = 0.2;
    Click("frmRKconti", "cmdDiagram");
    ASSERT_NE(Chart(), nullptr);
    EXPECT_EQ(Chart()->PointCount(1, 1), 201);
    EXPECT_EQ(Chart()->Y(1, 1, 1), platform::kChartHole);  // the gap
    EXPECT_NEAR(Chart()->Y(1, 1, 201), kernel::cKurveA[200], 1e-6);
    QWidget* diagram = platform::Windows().Get("frmTGraph2D");
    kernel::c0Wert[2] = 0;
    rec.Clear();
    Click("frmRKconti", "cmdDiagram");
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdCalc|Berechnungsfehler aufgetreten");
    EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);  // the old diagram stays

    // The cascade's c(t) diagram without any computable grid point (an inlet without A, set behind
    // the window's back).
    ASSERT_NO_FATAL_FAILURE(Run(kCascadeR, 2, 3, {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "5"}}));
    ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
    kernel::c0Wert[1] = 0;
    Click("frmKaskade", "cmdDiagram2");
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdCalc/CalcCascade|Berechnungsfehler aufgetreten");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));

    // Cascade of the n-th order model in the modes that compute the conversion; an order of 0.5 with
    // k1 = 1E8, set behind the window's back, has no stage solution: the computed conversion is emptied.
    // (A typed conversion staying after a failure, modes 0 and 1: the failed first runs above.)
    for (int mode = 2; mode <= 4; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        ASSERT_NO_FATAL_FAILURE(Run(kCascadeR, 20, mode, {{0, "1"}, {10, "0.15"}, {13, "0.5"}, {14, "1"}, {15, "0.2"}, {16, "5"}}));
        ASSERT_TRUE(rec.Empty()) << rec.OnlyMessage();
        EXPECT_NE(BoxText("frmKaskade", 13), "");
        kernel::kWert[1] = 1e8;
        kernel::ReaktOrdnung = 0.5f;
        Click("frmKaskade", "cmdStart");
        EXPECT_FALSE(rec.Empty());
        EXPECT_EQ(BoxText("frmKaskade", 13), "");
        EXPECT_FALSE(Control<QPushButton>("frmKaskade", "cmdDiagram2")->isEnabled());
        EXPECT_TRUE(kernel::ErgebnisZeilenVon("frmKaskade").empty());
    }
    kernel::ReaktOrdnung = 1.5f;
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Locales, RoadTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);
