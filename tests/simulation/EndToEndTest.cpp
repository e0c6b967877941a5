// The road of one request through the real program, driven as a user would through the names of
// the windows and controls: main window, model choice, the menu entry of the concentration-time
// functions, inputs, the diagram, the value table, and the complaint box for empty inputs; under the
// C locale and a German one, where the table shows decimal commas and the boxes keep their points.
// Then the reactor roads (batch, tube, stirred tank, cascade, tracer, residence-time distribution)
// against closed forms, with the result protocol, under both locales as well.
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "kernel/ResultRows.h"
#include "platform/Chart2D.h"
#include "platform/core/TextFile.h"
#include "simulation/frmVerweilzeit.h"
#include "tests/simulation/TwinWindowTestSupport.h"
#include "tests/support/NumberLocale.h"
#include "tests/support/PictureDir.h"
#include "tests/support/TextSplit.h"

using namespace twintest;

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

class RoadTest : public TwinWindowTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        TwinWindowTest::SetUp();
        kernel::KaskadeFuellPause = 0.001f;
        kernel::KaskadeAufbauPause = 0.001f;
        kernel::ContiHinweisOffen = kernel::kFalse;  // the learner hint of the stirred tank's diagram
        locale.emplace(GetParam());
    }
    void TearDown() override {
        TwinWindowTest::TearDown();
        locale.reset();
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
    // The text of a label or box of the cascade window.
    static std::string Text(const std::string& name) {
        const QString n = QString::fromStdString(name);
        if (auto* label = Control<QLabel>("frmKaskade", n)) return label->text().toStdString();
        if (auto* box = Control<QLineEdit>("frmKaskade", n)) return box->text().toStdString();
        return "<missing " + name + ">";
    }
    static void SaveShot(const char* form, const char* name) {
        QWidget* frame = platform::Windows().Frame(form);
        ASSERT_NE(frame, nullptr) << form;
        EXPECT_TRUE(frame->grab().save(testsupport::PicturePath(name)));
    }
    std::string Only() const { return rec.OnlyMessage(); }
    // Clicks `button` of `form` and returns the last message it gave as "title|prompt" ("" for none).
    std::string MessageOf(const char* form, const char* button) {
        rec.Clear();
        Click(form, button);
        std::string text = rec.Empty() ? "" : rec.Last().title + "|" + rec.Last().prompt;
        rec.Clear();
        return text;
    }

    // The curves of model 2 in the open diagram: c(A) = exp(-k t), c(P) = 1 - c(A) at t = 0 .. tmax.
    static void ExpectFirstOrderCurves(double k, double tmax) {
        auto* chart = Control<platform::Chart2D>("frmTGraph2D", "Chart2D1");
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

    // Model 2 in the model window, the menu entry of the concentration-time functions, the inputs
    // c(A,0), k1 and t(max), and the draw button.
    void DrawModel2(const QString& c0A, const QString& k1, const QString& tmax) {
        ASSERT_NO_FATAL_FAILURE(Choose(2));
        auto* entry = main->findChild<QAction*>("mnuctGraph");
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(platform::Windows().IsLoaded(kForm));
        Type(Control<QLineEdit>(kForm, "Inp(0)"), c0A);
        Type(Control<QComboBox>(kForm, "kCombo(1)"), k1);
        Type(Control<QComboBox>(kForm, "kCombo(0)"), tmax);
        auto* draw = Control<QPushButton>(kForm, "cmdDrawctDiagram");
        ASSERT_NE(draw, nullptr);
        QTest::mouseClick(draw, Qt::LeftButton);
        QApplication::processEvents();
    }

    std::optional<testsupport::NumberLocaleScope> locale;
};

TEST_P(RoadTest, FirstOrderDecayFromModelChoiceToDiagramAndTable) {
    ASSERT_NO_FATAL_FAILURE(DrawModel2("1", "0,1", "30"));  // a typed comma counts as a point
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    EXPECT_EQ(Control<QComboBox>(kForm, "kCombo(1)")->currentText(), "0.1");

    // The diagram: c(A) = exp(-k t) and c(P) = 1 - c(A) at every drawn point, in single precision.
    ASSERT_NO_FATAL_FAILURE(ExpectFirstOrderCurves(0.1, 30));
    EXPECT_TRUE(platform::Windows().Frame("frmTGraph2D")->grab().save(testsupport::PicturePath("timesim_diagram.png")));

    // Back in the window (activated through the MDI area) curves may be added.
    auto* addCurves = Control<QCheckBox>(kForm, "chkDelDiagram");
    EXPECT_FALSE(addCurves->isEnabled());  // the window was activated before the diagram existed
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame(kForm)));
    EXPECT_TRUE(addCurves->isEnabled());

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
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Cells(lines[1]), (std::vector<std::string>{"t/s", "cA/(mol/L)", "", "", "cP/(mol/L)"}));
    ASSERT_EQ(lines.size() - 3, 201u);
    // exp(-1.5) = 0.22313016..., 1 - exp(-1.5) = 0.77686983...
    const std::string h = testsupport::InLocale("15.00"), a = testsupport::InLocale("0.2231302"),
                      p = testsupport::InLocale("0.7768698");
    EXPECT_EQ(Cells(lines[3 + 100]), (std::vector<std::string>{h, a, "", "", p}));
    EXPECT_EQ(Cells(lines[3]), (std::vector<std::string>{testsupport::InLocale("0.00"), "1", "", "", "0"}));
    EXPECT_EQ(Cells(lines[3 + 200])[0], testsupport::InLocale("30.00"));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmSimTabelle"));
    EXPECT_EQ(kernel::PosSimTabelle.Left, 30 * 15);  // the table's place is kept
    EXPECT_EQ(kernel::PosSimTabelle.Top, 20 * 15);

    // The input history lists the drawn values in the locale's form; an entry taken from it is read
    // as it was written. t(max) = 15 from the list (15 typed first, then 30), k1 = 0.1 from the list.
    Type(Control<QComboBox>(kForm, "kCombo(0)"), "15");
    Type(Control<QComboBox>(kForm, "kCombo(1)"), "0.3");
    QTest::mouseClick(Control<QPushButton>(kForm, "cmdDrawctDiagram"), Qt::LeftButton);
    QApplication::processEvents();
    auto* k1 = Control<QComboBox>(kForm, "kCombo(1)");
    ASSERT_EQ(k1->count(), 2);
    EXPECT_EQ(k1->itemText(0).toStdString(), testsupport::InLocale("0.1"));
    k1->setCurrentIndex(0);
    Type(Control<QComboBox>(kForm, "kCombo(0)"), "30");
    QTest::mouseClick(Control<QPushButton>(kForm, "cmdDrawctDiagram"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_DOUBLE_EQ(kernel::kWert[1], 0.1);
    ASSERT_NO_FATAL_FAILURE(ExpectFirstOrderCurves(0.1, 30));

    // Default values written by the program keep their decimal point.
    QTest::mouseClick(Control<QPushButton>(kForm, "cmdReset_k"), Qt::LeftButton);
    for (const char* box : {"kCombo(0)", "kCombo(1)"})
        EXPECT_EQ(Control<QComboBox>(kForm, box)->currentText().indexOf(','), -1) << box;
}

TEST_P(RoadTest, EmptyInputsAreListedInOneComplaint) {
    ASSERT_NO_FATAL_FAILURE(DrawModel2("", "", ""));
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |"
                                         "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)\r\n"
                                         "- Zeit-Vorgabe nicht in Ordnung\r\n"
                                         "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
}

const char* const kKeinErgebnis = "Hinweis|Kein aktuelles Ergebnis vorhanden.";

// A => C => P in a batch: c(A) = a0 e^(-k1 t), c(C) = a0 k1 / (k2 - k1) (e^(-k1 t) - e^(-k2 t)).
TEST_P(RoadTest, BatchConsecutiveStepsDiagramAndProtocolClosedByTheCloseBox) {
    const double a0 = 2, k1 = 0.3, k2 = 0.1;
    auto cA = [&](double t) { return a0 * std::exp(-k1 * t); };
    auto cC = [&](double t) { return a0 * k1 / (k2 - k1) * (std::exp(-k1 * t) - std::exp(-k2 * t)); };
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", "frmBatch", 6));
    Enter({{0, "2"}, {10, "0.3"}, {11, "0.1"}, {14, "5"}});
    Click("frmBatch", "cmdCalcBatch");
    ASSERT_TRUE(rec.Empty()) << Only();
    EXPECT_NEAR(BoxValue("frmBatch", 5), cA(5), 1e-6);  // .4462603
    EXPECT_NEAR(BoxValue("frmBatch", 7), cC(5), 2e-6);  // 1.150201
    EXPECT_NEAR(BoxValue("frmBatch", 8), a0 - cA(5) - cC(5), 1e-6);  // .4035382
    EXPECT_EQ(BoxText("frmBatch", 6), "");  // no B and no Q in this model
    EXPECT_EQ(BoxText("frmBatch", 9), "");

    Click("frmBatch", "cmdDiagram");
    ASSERT_NE(Chart(), nullptr);
    std::function<double(double)> closed[3] = {cA, cC, [&](double t) { return a0 - cA(t) - cC(t); }};
    for (int series = 1; series <= 3; ++series) {
        ASSERT_EQ(Chart()->PointCount(1, series), 201);
        for (int p = 1; p <= 201; p += 10) {
            const double t = Chart()->X(1, series, p);
            EXPECT_NEAR(t, 5.0 * (p - 1) / 200, 1e-5);
            EXPECT_NEAR(Chart()->Y(1, series, p), closed[series - 1](t), 2e-6) << series << " t " << t;
        }
    }
    SaveShot("frmTGraph2D", "batch_model6_diagram.png");
    Record();

    // Conversion 0.6: t = ln(1 / 0.4) / k1.
    Click("frmBatch", "optInpSelect(1)");
    Enter({{13, "0.6"}});
    Record();  // the typed conversion emptied the result: nothing to record
    EXPECT_EQ(Only(), kKeinErgebnis);
    rec.Clear();
    Click("frmBatch", "cmdCalcBatch");
    EXPECT_NEAR(BoxValue("frmBatch", 14), std::log(1 / 0.4) / k1, 1e-5);  // 3.054302
    Record();
    SaveShot("frmBatch", "batch_model6.png");
    const std::string file = kernel::ProtFile;
    platform::Windows().Frame("frmBatch")->close();  // the close box
    QApplication::processEvents();
    EXPECT_FALSE(platform::Windows().IsLoaded("frmProtokoll"));
    const auto lines = FileLines(file);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[2], "Calculation of a Batch Reactor");
    EXPECT_EQ(lines[3], "kinetic model: " + kernel::ModellName[6]);
    EXPECT_EQ(lines[4].substr(lines[4].size() - 7), "[t] = s");
    EXPECT_EQ(lines[7], "c_beg(A);c_beg(C);c_beg(P);c_end(A);c_end(C);c_end(P);k1; k2;U(A);t; ksi(1); ksi(2);");
    EXPECT_EQ(lines[8].substr(0, 2), "2;");
    EXPECT_NE(lines[8].find(InLocale(";5;")), std::string::npos) << lines[8];
    EXPECT_NE(lines[9].find(InLocale(";0.6;3.0543")), std::string::npos) << lines[9];
    EXPECT_TRUE(rec.Empty()) << Only();
}

// A + B => P in a tube: c(A) = a0 (b0 - a0) / (b0 e^((b0 - a0) k t) - a0), t = l / v.
TEST_P(RoadTest, TubeSecondOrderAndASearchedConversion) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", "frmRohrreaktor", 4));
    Click("frmRohrreaktor", "optInpSelect(1)");
    Enter({{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {15, "4"}});
    Click("frmRohrreaktor", "cmdCalcRohr");
    ASSERT_TRUE(rec.Empty()) << Only();
    EXPECT_NEAR(BoxValue("frmRohrreaktor", 14), 8, 1e-6);
    EXPECT_NEAR(BoxValue("frmRohrreaktor", 5), 1 / (2 * std::exp(0.15 * 8) - 1), 1e-6);  // .1772976
    EXPECT_EQ(BoxText("frmRohrreaktor", 7), "");
    EXPECT_EQ(BoxText("frmRohrreaktor", 9), "");
    // Conversion 0.8: c(A) = 0.2 at (b0 - a0) k t = ln 3.
    Click("frmRohrreaktor", "optInpSelect(2)");
    Enter({{13, "0.8"}});
    Click("frmRohrreaktor", "cmdCalcRohr");
    const double t = std::log(3.0) / 0.15;  // 7.324082
    EXPECT_NEAR(BoxValue("frmRohrreaktor", 14), t, 1e-5 * t);
    EXPECT_NEAR(BoxValue("frmRohrreaktor", 15), t * 0.5, 1e-5 * t);  // 3.662041
    EXPECT_NEAR(kernel::RohrL, 0.5 * kernel::tauMittel, 1e-12);
    EXPECT_EQ(BoxText("frmRohrreaktor", 13), "0.8");  // the given conversion stays
    Click("frmRohrreaktor", "cmdDiagram");
    SaveShot("frmRohrreaktor", "tube_model4.png");
    EXPECT_TRUE(rec.Empty()) << Only();
}

// 2 A => P in a stirred tank: 2 k1 tau a^2 + a = c(A,0).
TEST_P(RoadTest, StirredTankSecondOrderInTwoModesAndItsDiagram) {
    const double a0 = 1.5, k1 = 0.2;
    auto outlet = [&](double tau) { return (-1 + std::sqrt(1 + 8 * k1 * tau * a0)) / (4 * k1 * tau); };
    ASSERT_NO_FATAL_FAILURE(Open("mnuKontRK", "frmRKconti", 3));
    Click("frmRKconti", "optCalcConti(4)");
    Enter({{0, "1.5"}, {10, "0.2"}, {16, "3"}, {15, "0.25"}});
    Click("frmRKconti", "cmdCalc");
    ASSERT_TRUE(rec.Empty()) << Only();
    EXPECT_NEAR(BoxValue("frmRKconti", 14), 0.75, 1e-7);
    EXPECT_NEAR(BoxValue("frmRKconti", 5), outlet(3), 1e-6);  // .7764851
    for (int empty : {6, 7, 9}) EXPECT_EQ(BoxText("frmRKconti", empty), "") << empty;
    Click("frmRKconti", "optCalcConti(0)");
    Enter({{13, "0.7"}, {14, "2"}});
    Click("frmRKconti", "cmdCalc");
    const double a = a0 * 0.3;
    EXPECT_NEAR(BoxValue("frmRKconti", 16), (a0 - a) / (2 * k1 * a * a), 1e-4);  // 12.96296
    Click("frmRKconti", "cmdDiagram");
    ASSERT_NE(Chart(), nullptr);
    const int n = Chart()->PointCount(1, 1);
    ASSERT_EQ(n, 201);
    for (int p = 1; p <= n; p += 5) {
        const double tau = Chart()->X(1, 1, p);
        const double c = Chart()->Y(1, 1, p);
        EXPECT_NEAR(2 * k1 * tau * c * c + c, a0, 2e-5 * (1 + tau)) << tau;
    }
    SaveShot("frmTGraph2D", "cstr_model3_diagram.png");
    EXPECT_TRUE(rec.Empty()) << Only();
}

// A => C => P in four equal tanks: c(A) after stage i = a0 / (1 + k1 tau)^i.
TEST_P(RoadTest, CascadeOfFourTanksBothModesDiagramsAndFourRows) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuKaskade", "frmKaskade", 6));
    Type(Control<QLineEdit>("frmKaskade", "txtNKask"), "4");
    Enter({{0, "1"}, {10, "0.2"}, {11, "0.05"}, {16, "12"}, {14, "0.3"}});
    Click("frmKaskade", "cmdStart");
    ASSERT_TRUE(rec.Empty()) << Only();
    EXPECT_NEAR(BoxValue("frmKaskade", 15), 0.1, 1e-7);
    for (int i = 1; i <= 4; ++i) {
        const double c = std::pow(1.6, -i);
        EXPECT_NEAR(platform::Val(Text("cA(" + std::to_string(5 * (i - 1) + 1) + ")")), c, 1e-6) << i;
        EXPECT_EQ(Text("cA(" + std::to_string(5 * (i - 1) + 2) + ")"), "") << i;  // no B in this model
        EXPECT_EQ(Text("lblUA(" + std::to_string(i) + ")"),
                  "U(A) = " + InLocale(platform::Format(1 - c, "0.00##")));
    }
    EXPECT_EQ(Text("lblUA(1)"), InLocale("U(A) = 0.375"));
    EXPECT_EQ(Text("lblUA(4)"), InLocale("U(A) = 0.8474"));
    Record();
    EXPECT_EQ(kernel::ProtZeilen, 4);
    Click("frmKaskade", "cmdDiagram");
    Click("frmKaskade", "cmdDiagram2");
    SaveShot("frmTGraph2D", "cascade_model6_diagram.png");

    // Mode 0 with U 0.9: (1 + k1 tau)^4 = 10.
    Click("frmKaskade", "optCalcKask(0)");
    Enter({{13, "0.9"}});
    Click("frmKaskade", "cmdStart");
    const double tau = (std::pow(10.0, 0.25) - 1) / 0.2;  // 3.891397 per tank
    EXPECT_NEAR(BoxValue("frmKaskade", 16), 4 * tau, 1e-4);  // 15.56559
    EXPECT_EQ(Text("lblZeitProKessel"), InLocale("Verweilzeit pro Kessel: 3.891397 s"));
    SaveShot("frmKaskade", "cascade_model6.png");
    EXPECT_TRUE(rec.Empty()) << Only();
}

// Each protocol file holds rows of one reactor, model and unit: recording after a change of unit
// closes the pending file, opening another reactor from the menu closes the protocol with its
// window, and the exit writes what is left.
TEST_P(RoadTest, ProtocolFilesFollowUnitAndReactorUpToTheExit) {
    ASSERT_NO_FATAL_FAILURE(Open("mnuBatchR", "frmBatch", 2));
    Click("frmBatch", "optInpSelect(0)");
    Enter({{0, "1"}, {10, "0.1"}, {14, "2"}});
    Click("frmBatch", "cmdCalcBatch");
    Record();
    const std::string first = kernel::ProtFile;
    Click("frmKinModel", "optZeit(1)");  // minutes: the result shown was computed in seconds
    Click("frmProtokoll", "cmdRecordResult");
    EXPECT_EQ(kernel::ProtZeilen, 2);
    Click("frmBatch", "cmdCalcBatch");
    Click("frmProtokoll", "cmdRecordResult");
    EXPECT_EQ(kernel::ProtZeilen, 1);
    const std::string second = kernel::ProtFile;
    EXPECT_NE(first, second);
    ASSERT_NO_FATAL_FAILURE(Open("mnuRohrR", "frmRohrreaktor", 4));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmBatch"));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmProtokoll"));
    Click("frmRohrreaktor", "optInpSelect(0)");
    Enter({{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {14, "8"}});
    Click("frmRohrreaktor", "cmdCalcRohr");
    Record();
    const std::string third = kernel::ProtFile;
    main->findChild<QAction*>("mnuExit")->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(rec.Empty()) << Only();

    struct Expected {
        std::string file, reactor, model, unit, header;
        std::size_t rows;
    };
    const Expected files[] = {
        {first, "Calculation of a Batch Reactor", kernel::ModellName[2], "s",
         "c_beg(A);c_beg(P);c_end(A);c_end(P);k1;U(A);t; ksi(1);", 2},
        {second, "Calculation of a Batch Reactor", kernel::ModellName[2], "min",
         "c_beg(A);c_beg(P);c_end(A);c_end(P);k1;U(A);t; ksi(1);", 1},
        {third, "Calculation of a Tubular Flow Reactor (TFR)", kernel::ModellName[4], "min",
         "c_beg(A);c_beg(B);c_beg(P);c_end(A);c_end(B);c_end(P);k1;U(A);t; l;v; ksi(1);", 1},
    };
    for (const Expected& e : files) {
        SCOPED_TRACE(e.file);
        const auto lines = FileLines(e.file);
        ASSERT_EQ(lines.size(), 8 + e.rows);
        EXPECT_EQ(lines[2], e.reactor);
        EXPECT_EQ(lines[3], "kinetic model: " + e.model);
        EXPECT_EQ(lines[4], "units: [c(i)] = mol/L   [k_1stO] = 1/" + e.unit + "    [k_2ndO] = L/(mol " + e.unit +
                                ")   [U(A)] = 1    [t] = " + e.unit);
        EXPECT_EQ(lines[5], "         [l] = m     [V] = m^3     [v] = m/" + e.unit + "    [V*} = m^3/" + e.unit +
                                "    [ksi()] = mol/L   (extent of reaction)");
        EXPECT_EQ(lines[7], e.header);
    }
    // The same run in seconds and in minutes: k1 per minute is 60 times k1 per second.
    EXPECT_EQ(FileLines(first)[8].substr(0, 14), InLocale("1;0;0.8187308;"));  // c(A) = e^(-0.1 * 2)
    EXPECT_NE(FileLines(second)[8].find(InLocale(";6;")), std::string::npos) << FileLines(second)[8];
    EXPECT_EQ(FileLines(third)[8], InLocale("1;2;0;0.1772976;1.177298;0.8227024;0.15;0.8227024;8;4;0.5;0.8227024;"));
}

// Every unit caption of the rate constants fits its label and leaves the default button free, for
// every model in seconds and minutes; the cascade's time per tank fits with an exponent and " min".
TEST_P(RoadTest, CaptionsFitWholeForEveryModelAndUnit) {
    struct Road {
        const char* menu;
        const char* form;
    };
    const Road roads[] = {{"mnuBatchR", "frmBatch"}, {"mnuRohrR", "frmRohrreaktor"}, {"mnuKontRK", "frmRKconti"},
                          {"mnuKaskade", "frmKaskade"}};
    for (const char* unit : {"s", "min"}) {
        kernel::ZeitEinheit = unit;
        kernel::ZeitEinheitNr = std::string(unit) == "s" ? 0 : 1;
        for (const Road& road : roads) {
            SCOPED_TRACE(std::string(road.form) + " " + unit);
            ASSERT_NO_FATAL_FAILURE(Open(road.menu, road.form, 2));
            QWidget* window = platform::Windows().Get(road.form);
            auto* reset = Control<QPushButton>(road.form, "cmdReset_k");
            const QRect resetRect(reset->mapTo(window, QPoint(0, 0)), reset->size());
            for (int model = 1; model <= 20; ++model) {
                ASSERT_NO_FATAL_FAILURE(Choose(model));
                for (const char* name : {"unit1", "unit2", "unit3"}) {
                    auto* label = Control<QLabel>(road.form, name);
                    if (label->isHidden()) continue;
                    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                        << model << " " << label->text().toStdString();
                    EXPECT_FALSE(QRect(label->mapTo(window, QPoint(0, 0)), label->size()).intersects(resetRect))
                        << model << " " << name;
                }
            }
            if (std::string(road.form) == "frmKaskade") {
                auto* perTank = Control<QLabel>(road.form, "lblZeitProKessel");
                EXPECT_GE(perTank->width(), perTank->fontMetrics().horizontalAdvance(
                                                QString::fromUtf8("Verweilzeit pro Kessel: 1,234568E+07 min")));
            }
        }
    }
    kernel::ZeitEinheit = "s";
    kernel::ZeitEinheitNr = 0;
}

// Only the result a window shows can be recorded: after a typed change, a model change, a refused or
// failed run (also the first one) or tube model 7 with too little B, the protocol shows the note and
// records nothing; every way of closing the window closes its protocol and writes its rows.
TEST_P(RoadTest, StaleResultsAreNotRecordedAndEveryCloseWritesTheProtocol) {
    struct Road {
        const char* menu;
        const char* form;
        const char* calc;
        const char* mode;                                  // the calculation mode of the inputs
        std::vector<std::pair<int, const char*>> inputs;  // model 2, a good calculation
        const char* reactorLine;
        enum { CloseBox, EscButton, OtherReactor } closing;
    };
    const Road roads[] = {
        {"mnuBatchR", "frmBatch", "cmdCalcBatch", "optInpSelect(0)", {{0, "1"}, {10, "0.1"}, {14, "2"}}, "Calculation of a Batch Reactor",
         Road::CloseBox},
        {"mnuRohrR", "frmRohrreaktor", "cmdCalcRohr", "optInpSelect(0)", {{0, "1"}, {10, "0.1"}, {16, "1"}, {14, "2"}},
         "Calculation of a Tubular Flow Reactor (TFR)", Road::EscButton},
        {"mnuKontRK", "frmRKconti", "cmdCalc", "optCalcConti(3)", {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "2"}},
         "Calculation of a Continuous Stirred Tank Reactor (CSTR)", Road::OtherReactor},
        {"mnuKaskade", "frmKaskade", "cmdStart", "optCalcKask(3)", {{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "2"}},
         "Calculation of a Stirred Tank-in-series Reactor", Road::CloseBox},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.form);
        ASSERT_NO_FATAL_FAILURE(Open(road.menu, road.form, 2));
        const bool cascade = std::string(road.form) == "frmKaskade";
        const int rowsPerResult = cascade ? 3 : 1;
        Click(road.form, road.mode);
        for (const auto& [index, text] : road.inputs) Type(Box(road.form, index), QString::fromUtf8(text));
        Click(road.form, road.calc);
        ASSERT_TRUE(rec.Empty()) << Only();
        Record();
        ASSERT_EQ(kernel::ProtZeilen, rowsPerResult);
        const std::string file = kernel::ProtFile;

        auto expectNote = [&](const char* after) {
            rec.Clear();
            Click("frmProtokoll", "cmdRecordResult");
            EXPECT_EQ(Only(), kKeinErgebnis) << after;
            EXPECT_EQ(kernel::ProtZeilen, rowsPerResult) << after;
        };
        Enter({{10, "0.1"}});  // typed, even the same value
        expectNote("typed change");
        Click(road.form, road.calc);
        ASSERT_NO_FATAL_FAILURE(Choose(3));
        expectNote("model change");
        ASSERT_NO_FATAL_FAILURE(Choose(2));
        Enter({{10, "0"}});
        rec.Clear();
        Click(road.form, road.calc);  // refused
        expectNote("refused run");
        // Closing (close box, Esc button, another reactor from the menu) writes the one recorded result
        // under this reactor.
        if (road.closing == Road::CloseBox) platform::Windows().Frame(road.form)->close();
        if (road.closing == Road::EscButton) Click(road.form, "cmdEsc");
        if (road.closing == Road::OtherReactor) main->findChild<QAction*>("mnuBatchR")->trigger();
        QApplication::processEvents();
        EXPECT_FALSE(platform::Windows().IsLoaded(road.form));
        EXPECT_FALSE(platform::Windows().IsLoaded("frmProtokoll"));
        const auto lines = FileLines(file);
        ASSERT_EQ(lines.size(), 8u + rowsPerResult);
        EXPECT_EQ(lines[2], road.reactorLine);
        EXPECT_EQ(lines[3], "kinetic model: " + kernel::ModellName[2]);
        EXPECT_EQ(kernel::ProtOffen, kernel::kFalse);
        ASSERT_EQ(kernel::ErgebnisZeilenVon(road.form).size(), 0u);
    }

    // Failed first runs: the stirred tank and the cascade enable their protocol button, and the
    // protocol then has nothing to record.
    for (const int run : {0, 1, 2, 3}) {
        const bool cascade = run % 2 == 1;
        const char* menu = cascade ? "mnuKaskade" : "mnuKontRK";
        const char* form = cascade ? "frmKaskade" : "frmRKconti";
        const int mode = run / 2;  // U(A) with V, then U(A) with V*
        SCOPED_TRACE(std::string(form) + " mode " + std::to_string(mode));
        ASSERT_NO_FATAL_FAILURE(Open(menu, form, 4));  // A + B => P with too little B for U = 0.9
        Click(form, ((cascade ? "optCalcKask(" : "optCalcConti(") + std::to_string(mode) + ")").c_str());
        Enter({{0, "1"}, {1, "0.5"}, {10, "0.1"}, {13, "0.9"}, {14, "1"}, {15, "1"}});
        Click(form, cascade ? "cmdStart" : "cmdCalc");
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
    for (const char* form : {"frmBatch", "frmRohrreaktor"}) {
        SCOPED_TRACE(form);
        const bool tube = std::string(form) == "frmRohrreaktor";
        ASSERT_NO_FATAL_FAILURE(Open(tube ? "mnuRohrR" : "mnuBatchR", form, 19));
        Click(form, "optInpSelect(0)");
        Enter({{0, "1"}, {1, "1"}, {10, "0.15"}, {11, "0.01"}, {14, "2"}});
        if (tube) Enter({{16, "1"}});
        Click(form, tube ? "cmdCalcRohr" : "cmdCalcBatch");
        Click(form, "cmdDiagram");
        ASSERT_TRUE(rec.Empty()) << Only();
        QWidget* diagram = platform::Windows().Get("frmTGraph2D");
        ASSERT_NE(diagram, nullptr);
        Box(form, 1)->setText("-5");
        Box(form, 11)->setText("1.5");
        Click(form, "cmdDiagram");
        EXPECT_EQ(Only(), std::string(tube ? "Message from Sub cmdCalcRohr" : "Message from Sub cmdCalcBatch") +
                              "|Berechnungsfehler aufgetreten");
        EXPECT_EQ(rec.Last().style, platform::vbCritical);
        EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);  // the old diagram stays
        rec.Clear();
        platform::Windows().Unload(form);
    }

    // Stirred tank, A + B => C, C + A => P (model 7), inputs changed behind the window's back: with
    // little B the first grid point is a gap in the drawn curves; with none no point is computable.
    ASSERT_NO_FATAL_FAILURE(Open("mnuKontRK", "frmRKconti", 7));
    Click("frmRKconti", "optCalcConti(3)");
    Enter({{0, "1"}, {1, "2"}, {14, "1"}, {16, "5"}});
    Click("frmRKconti", "cmdCalc");
    ASSERT_TRUE(rec.Empty()) << Only();
    kernel::c0Wert[2] = 0.2;
    Click("frmRKconti", "cmdDiagram");
    ASSERT_NE(Chart(), nullptr);
    EXPECT_EQ(Chart()->PointCount(1, 1), 201);
    EXPECT_EQ(Chart()->Y(1, 1, 1), platform::kChartHole);  // the gap
    EXPECT_NEAR(Chart()->Y(1, 1, 201), kernel::cKurveA[200], 1e-6);
    SaveShot("frmTGraph2D", "cstr_model7_gap.png");
    QWidget* diagram = platform::Windows().Get("frmTGraph2D");
    kernel::c0Wert[2] = 0;
    EXPECT_EQ(MessageOf("frmRKconti", "cmdDiagram"), "Meldung von Sub cmdCalc|Berechnungsfehler aufgetreten");
    EXPECT_EQ(platform::Windows().Get("frmTGraph2D"), diagram);  // the old diagram stays

    // The cascade's c(t) diagram without any computable grid point (an inlet without A, set behind
    // the window's back).
    ASSERT_NO_FATAL_FAILURE(Open("mnuKaskade", "frmKaskade", 2));
    Click("frmKaskade", "optCalcKask(3)");
    Enter({{0, "1"}, {10, "0.1"}, {14, "1"}, {16, "5"}});
    Click("frmKaskade", "cmdStart");
    ASSERT_TRUE(rec.Empty()) << Only();
    kernel::c0Wert[1] = 0;
    EXPECT_EQ(MessageOf("frmKaskade", "cmdDiagram2"), "Meldung von Sub cmdCalc/CalcCascade|Berechnungsfehler aufgetreten");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));

    // Cascade of the n-th order model in the modes that compute the conversion; an order of 0.5 with
    // k1 = 1E8, set behind the window's back, has no stage solution: the computed conversion is emptied.
    // (A typed conversion staying after a failure, modes 0 and 1: the failed first runs above.)
    ASSERT_NO_FATAL_FAILURE(Open("mnuKaskade", "frmKaskade", 20));
    for (int mode = 2; mode <= 4; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        kernel::ReaktOrdnung = 1.5f;
        Click("frmKaskade", ("optCalcKask(" + std::to_string(mode) + ")").c_str());
        Enter({{0, "1"}, {10, "0.15"}, {13, "0.5"}, {14, "1"}, {15, "0.2"}, {16, "5"}});
        Click("frmKaskade", "cmdStart");
        ASSERT_TRUE(rec.Empty()) << Only();
        EXPECT_NE(BoxText("frmKaskade", 13), "");
        kernel::kWert[1] = 1e8;
        kernel::ReaktOrdnung = 0.5f;
        Click("frmKaskade", "cmdStart");
        EXPECT_FALSE(rec.Empty());
        EXPECT_EQ(BoxText("frmKaskade", 13), "");
        EXPECT_FALSE(Control<QPushButton>("frmKaskade", "cmdDiagram2")->isEnabled());
        EXPECT_TRUE(kernel::ErgebnisZeilenVon("frmKaskade").empty());
        rec.Clear();
    }
    kernel::ReaktOrdnung = 1.5f;
}

// The residence-time distribution: V 0.09, V* 0.006 give tm 15; curves against the closed forms;
// without a volume flow no curve is added.
TEST_P(RoadTest, ResidenceTimeDistributionFromTheMenu) {
    auto* entry = main->findChild<QAction*>("mnuVerweilzeitVerteilung");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    QApplication::processEvents();
    const char* form = "frmVerweilCalc";
    ASSERT_TRUE(platform::Windows().IsLoaded(form));
    rec.Clear();
    auto* n = Control<QLineEdit>(form, "txtNKask");
    auto* vr = Control<QLineEdit>(form, "txtVR");
    auto* vp = Control<QLineEdit>(form, "txtVPunkt");
    Type(n, "3");
    Type(vr, "0.09");
    Type(vp, "0.006");
    EXPECT_EQ(Control<QLineEdit>(form, "txttm")->text().toStdString(), "15");
    Click(form, "cmdDiaE_RK");
    ASSERT_TRUE(rec.Empty()) << Only();
    ASSERT_NE(Chart(), nullptr);
    const int points = Chart()->PointCount(1, 1);
    EXPECT_EQ(points, 150);
    const double tau = 15.0 / 3;
    for (int p = 1; p <= points; ++p) {
        const double t = Chart()->X(1, 1, p);
        const double e = t * t / (2 * tau * tau * tau) * std::exp(-t / tau);
        EXPECT_NEAR(Chart()->Y(1, 1, p), e, 1e-6) << t;
    }
    EXPECT_NEAR(Chart()->X(1, 1, points), 39.73333, 1e-4);
    SaveShot("frmTGraph2D", "rtd_e_n3.png");

    // V* 0 and below: the refusal, and no curve is added.
    const int curves = kernel::nKurven;
    for (const char* axis : {"optxAchse(0)", "optxAchse(1)"}) {
        Click(form, axis);
        for (const char* flow : {"0", "-0.006"}) {
            for (const char* button : {"cmdDiaE_RK", "cmdDiaF_RK"}) {
                Type(vp, flow);
                rec.Clear();
                Click(form, button);
                EXPECT_EQ(Only(), " Ausführung nicht möglich |- Der Volumenstrom muss größer Null sein.\r\n")
                    << axis << " " << flow << " " << button;
                EXPECT_EQ(kernel::nKurven, curves);
            }
        }
    }

    // The diagram's own close box ends the series: the next press shows the new curve alone.
    Type(vp, "0.006");
    Type(n, "6");
    platform::Windows().Frame("frmTGraph2D")->close();
    QApplication::processEvents();
    rec.Clear();
    Click(form, "cmdDiaF_RK");
    ASSERT_NE(Chart(), nullptr);
    EXPECT_EQ(kernel::nKurven, 1);
    const int fPoints = Chart()->PointCount(1, 1);
    ASSERT_GE(fPoints, 150);
    EXPECT_EQ(Chart()->PointCount(1, 2), 0);
    for (int p = 1; p <= fPoints; p += 7) {
        const double x = Chart()->X(1, 1, p);  // t / tm
        double term = std::exp(-6 * x), sum = 0;
        for (int i = 0; i < 6; ++i) {
            sum += term;
            term *= 6 * x / (i + 1);
        }
        EXPECT_NEAR(Chart()->Y(1, 1, p), 1 - sum, 2e-6) << x;
    }
    EXPECT_NEAR(Chart()->X(1, 1, fPoints), 3.973333, 1e-5);
    SaveShot("frmTGraph2D", "rtd_f_n6.png");
}

// The tracer experiment from the menu: three tanks at the fastest flow. Each step, tank k loses 1 % of
// its concentration before the step and tank k+1 receives 1 % of tank k's concentration after it,
// computed here in single precision.
TEST_P(RoadTest, TracerRunOfThreeTanksAtTheFastestFlow) {
    auto* entry = main->findChild<QAction*>("mnuVerweilzeitVisual");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    QApplication::processEvents();
    frmVerweilzeit* w = frmVerweilzeit::Loaded();
    ASSERT_NE(w, nullptr);
    Type(w->txtNKask, "3");
    w->Slider_verzoegerung->setValue(w->Slider_verzoegerung->maximum());  // "max."
    Click("frmVerweilzeit", "cmdIndikatorfarbe");
    w->cmdStartFlow->click();
    // Events are passed by hand: an exit of an earlier test's main window ends every nested event loop.
    QElapsedTimer waited;
    waited.start();
    while (w->Laeuft() && waited.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_FALSE(w->Laeuft());

    std::vector<float> expected{0.0f};
    float c[5] = {0, 1, 0, 0, 0};
    do {
        float inflow = 0;
        for (int k = 1; k <= 3; ++k) {
            const float out = 0.01f * c[k];
            c[k] = (c[k] + inflow - out) / 1.0f;
            inflow = 0.01f * c[k];
        }
        expected.push_back(c[3]);
    } while (c[1] >= 0.01f || c[3] >= 0.01f);
    ASSERT_EQ(expected.size(), 806u);
    ASSERT_EQ(kernel::VZKurve.size(), expected.size());
    EXPECT_EQ(kernel::VZKurve[0], 805.0f);
    for (std::size_t i = 1; i < expected.size(); ++i) EXPECT_FLOAT_EQ(kernel::VZKurve[i], expected[i]) << i;
    const auto top = std::max_element(kernel::VZKurve.begin() + 1, kernel::VZKurve.end());
    EXPECT_EQ(top - kernel::VZKurve.begin(), 198);
    EXPECT_NEAR(*top, 0.2693126f, 1e-7);
    Click("frmVerweilzeit", "cmdDiagram");
    ASSERT_NE(Chart(), nullptr);
    EXPECT_EQ(Chart()->PointCount(1, 1), 805);
    EXPECT_NEAR(Chart()->Y(1, 1, 198), 0.2693126, 1e-7);
    SaveShot("frmTGraph2D", "tracer_n3.png");
    EXPECT_TRUE(rec.Empty()) << Only();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Locales, RoadTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);
