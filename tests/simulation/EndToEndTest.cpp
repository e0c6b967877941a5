// The road of one request through the real program, driven as a user would through the names of
// the windows and controls: main window, model choice, the menu entry of the concentration-time
// functions, inputs, the diagram, the value table, and the complaint box for empty inputs.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "shell/MDITAR.h"
#include "simulation/frmPrepareTimeDiagram.h"
#include "simulation/frmSimTabelle.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"
#include "tests/support/TextSplit.h"

namespace {

const std::string kCrLf = "\r\n";

template <typename T>
T* Control(const char* form, const char* name) {
    QWidget* window = platform::Windows().Get(form);
    return window ? window->findChild<T*>(name) : nullptr;
}

// Replaces the text of a box by typing, as a user would after selecting it.
void Type(QWidget* box, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) edit = qobject_cast<QComboBox*>(box)->lineEdit();
    edit->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    if (!text.isEmpty()) QTest::keyClicks(box, text);
}

std::vector<std::string> SplitLines(const std::string& text) { return testsupport::Split(text, "\n"); }

// The tab-separated cells of a line, without the blanks around them.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    for (const std::string& cell : testsupport::Split(line, "\t")) {
        const std::size_t a = cell.find_first_not_of(' ');
        cells.push_back(a == std::string::npos ? "" : cell.substr(a, cell.find_last_not_of(' ') - a + 1));
    }
    return cells;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(appDir.isValid());
        kernel::AppPath = appDir.path().toStdString();
        platform::SetLocaleDecimalSeparator('.');
        kernel::c0Wert.fill(0.0);
        kernel::kWert.fill(0.0);
        kernel::tMax = 0;
        kernel::DiagVariante = 0;
        kernel::KurvenHinzufuegen = 0;
        kernel::nMesspunkte = 0;
        kernel::DatencA0 = kernel::DatencB0 = kernel::DatenTmax = 0;
        main = std::make_unique<MDITAR>("");
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    void TearDown() override {
        for (const char* w : {"frmSimTabelle", "frmTGraph2D", "frmPrepareTimeDiagram", "frmKinModel"})
            platform::Windows().Unload(w);
        main.reset();
        // The registry would otherwise put later MDI children into the destroyed main window.
        platform::Windows().SetMainWindow(nullptr, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Model 2 in the model window, then the menu entry of the concentration-time functions.
    void OpenTimeWindowForModel2() {
        auto* option = Control<QRadioButton>("frmKinModel", "optTyp(2)");
        ASSERT_NE(option, nullptr) << "model window frmKinModel with optTyp(2)";
        EXPECT_EQ(option->text().toStdString(), "1. Ordnung A => P");
        option->click();
        EXPECT_EQ(kernel::aktModell, 2);

        auto* entry = main->findChild<QAction*>("mnuctGraph");
        ASSERT_NE(entry, nullptr) << "menu entry mnuctGraph";
        EXPECT_EQ(entry->text().toStdString(), "Konzentrations-Zeit-Funktionen");
        ASSERT_TRUE(entry->isEnabled());
        entry->trigger();
        QApplication::processEvents();
        ASSERT_TRUE(platform::Windows().IsLoaded("frmPrepareTimeDiagram"));
    }

    void EnterInputs(const QString& c0A, const QString& k1, const QString& tmax) {
        auto* inpA = Control<QLineEdit>("frmPrepareTimeDiagram", "Inp(0)");
        auto* k1Box = Control<QComboBox>("frmPrepareTimeDiagram", "kCombo(1)");
        auto* tBox = Control<QComboBox>("frmPrepareTimeDiagram", "kCombo(0)");
        ASSERT_TRUE(inpA && k1Box && tBox);
        Type(inpA, c0A);
        Type(k1Box, k1);
        Type(tBox, tmax);
    }

    void PressDraw() {
        auto* draw = Control<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram");
        ASSERT_NE(draw, nullptr);
        EXPECT_EQ(draw->text().toStdString(), "c-t-Diagramm zeichnen");
        QTest::mouseClick(draw, Qt::LeftButton);
        QApplication::processEvents();
    }

    QTemporaryDir appDir;
    testsupport::MsgRecorder rec;
    std::unique_ptr<MDITAR> main;
};

TEST_F(EndToEndTest, FirstOrderDecayFromModelChoiceToDiagramAndTable) {
    ASSERT_NO_FATAL_FAILURE(OpenTimeWindowForModel2());
    ASSERT_NO_FATAL_FAILURE(EnterInputs("1", "0.1", "30"));
    ASSERT_NO_FATAL_FAILURE(PressDraw());
    ASSERT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;

    // The diagram: c(A) = exp(-k t) and c(P) = 1 - c(A) at every drawn point, in single precision.
    QWidget* diagramWindow = platform::Windows().Get("frmTGraph2D");
    ASSERT_NE(diagramWindow, nullptr);
    auto* chart = diagramWindow->findChild<platform::Chart2D*>("Chart2D1");
    ASSERT_NE(chart, nullptr);
    for (int series = 1; series <= 2; ++series) {
        const int n = chart->PointCount(1, series);
        ASSERT_EQ(n, 201) << "series " << series;
        for (int p = 1; p <= n; ++p) {
            const double t = chart->X(1, series, p);
            const double a = std::exp(-0.1 * t);
            const double expected = series == 1 ? a : 1.0 - a;
            EXPECT_NEAR(t, 30.0 * (p - 1) / 200, 2e-6 * 30);
            EXPECT_NEAR(chart->Y(1, series, p), expected, 1e-6) << "series " << series << " t " << t;
        }
    }
    EXPECT_EQ(chart->PointCount(1, 3), 0);
    QWidget* frame = platform::Windows().Frame("frmTGraph2D");
    EXPECT_TRUE(frame->grab().save(testsupport::PicturePath("timesim_diagram.png")));
    main->grab().save(testsupport::PicturePath("timesim_program.png"));

    // The value table of the same inputs.
    std::string table;
    QTimer::singleShot(0, [&table] {
        auto* box = Control<QPlainTextEdit>("frmSimTabelle", "txtSimTabelle");
        if (!box) return;
        table = box->toPlainText().toStdString();
        Control<QPushButton>("frmSimTabelle", "cmdCloseSimTab")->click();
    });
    auto* list = Control<QPushButton>("frmPrepareTimeDiagram", "cmdListe");
    ASSERT_NE(list, nullptr);
    QTest::mouseClick(list, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_TRUE(rec.Empty()) << rec.Last().prompt;
    const std::vector<std::string> lines = SplitLines(table);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Cells(lines[1]), (std::vector<std::string>{"t/s", "cA/(mol/L)", "", "", "cP/(mol/L)"}));
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 3; i < lines.size(); ++i) rows.push_back(Cells(lines[i]));
    ASSERT_EQ(rows.size(), 201u);
    // exp(-1.5) = 0.22313016..., 1 - exp(-1.5) = 0.77686983...
    EXPECT_EQ(rows[100], (std::vector<std::string>{"15.00", "0.2231302", "", "", "0.7768698"}));
    EXPECT_EQ(rows[0], (std::vector<std::string>{"0.00", "1", "", "", "0"}));
    EXPECT_EQ(rows[200][0], "30.00");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmSimTabelle"));
}

TEST_F(EndToEndTest, BackFromTheDiagramCurvesMayBeAddedAndTheRateEntrySwitchesMode) {
    ASSERT_NO_FATAL_FAILURE(OpenTimeWindowForModel2());
    ASSERT_NO_FATAL_FAILURE(EnterInputs("1", "0.1", "30"));
    ASSERT_NO_FATAL_FAILURE(PressDraw());
    auto* addCurves = Control<QCheckBox>("frmPrepareTimeDiagram", "chkDelDiagram");
    ASSERT_NE(addCurves, nullptr);
    EXPECT_FALSE(addCurves->isEnabled());  // as the window was activated before the diagram existed
    auto* frame = qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmPrepareTimeDiagram"));
    ASSERT_NE(frame, nullptr);
    main->MdiArea()->setActiveSubWindow(frame);
    EXPECT_TRUE(addCurves->isEnabled());

    auto* rates = main->findChild<QAction*>("mnuvtGraph");
    ASSERT_NE(rates, nullptr);
    rates->trigger();
    QApplication::processEvents();
    QWidget* window = platform::Windows().Get("frmPrepareTimeDiagram");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), "Reaktionsgeschwindigkeit-Zeit-Funktionen");
    EXPECT_EQ(Control<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram")->text().toStdString(),
              "r(i)-t-Diagramm zeichnen");
    EXPECT_EQ(kernel::aktDiagrammCode, 52);
}

TEST_F(EndToEndTest, EmptyInputsAreListedInOneComplaint) {
    ASSERT_NO_FATAL_FAILURE(OpenTimeWindowForModel2());
    ASSERT_NO_FATAL_FAILURE(EnterInputs("", "", ""));
    ASSERT_NO_FATAL_FAILURE(PressDraw());
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(rec.Last().prompt, "- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" + kCrLf +
                                     "- Zeit-Vorgabe nicht in Ordnung" + kCrLf +
                                     "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
}

}  // namespace
