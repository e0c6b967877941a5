// The road of one request through the real program, driven as a user would through the names of
// the windows and controls: main window, model choice, the menu entry of the concentration-time
// functions, inputs, the diagram, the value table, and the complaint box for empty inputs; under the
// C locale and a German one, where the table shows decimal commas and the boxes keep their points.
#include <QPlainTextEdit>

#include <cmath>
#include <optional>
#include <vector>

#include "platform/Chart2D.h"
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

class EndToEndTest : public TwinWindowTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        TwinWindowTest::SetUp();
        locale_.emplace(GetParam());
    }
    void TearDown() override {
        TwinWindowTest::TearDown();
        locale_.reset();
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
        auto* option = Control<QRadioButton>("frmKinModel", "optTyp(2)");
        ASSERT_NE(option, nullptr);
        EXPECT_EQ(option->text().toStdString(), "1. Ordnung A => P");
        ASSERT_NO_FATAL_FAILURE(Choose(2));
        auto* entry = main->findChild<QAction*>("mnuctGraph");
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->text().toStdString(), "Konzentrations-Zeit-Funktionen");
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(platform::Windows().IsLoaded(kForm));
        Type(Control<QLineEdit>(kForm, "Inp(0)"), c0A);
        Type(Control<QComboBox>(kForm, "kCombo(1)"), k1);
        Type(Control<QComboBox>(kForm, "kCombo(0)"), tmax);
        auto* draw = Control<QPushButton>(kForm, "cmdDrawctDiagram");
        ASSERT_NE(draw, nullptr);
        EXPECT_EQ(draw->text().toStdString(), "c-t-Diagramm zeichnen");
        QTest::mouseClick(draw, Qt::LeftButton);
        QApplication::processEvents();
    }

    std::optional<testsupport::NumberLocaleScope> locale_;
};

TEST_P(EndToEndTest, FirstOrderDecayFromModelChoiceToDiagramAndTable) {
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

TEST_P(EndToEndTest, EmptyInputsAreListedInOneComplaint) {
    ASSERT_NO_FATAL_FAILURE(DrawModel2("", "", ""));
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(rec.Last().prompt, "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)\r\n"
                                 "- Zeit-Vorgabe nicht in Ordnung\r\n"
                                 "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
}

INSTANTIATE_TEST_SUITE_P(Locales, EndToEndTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
