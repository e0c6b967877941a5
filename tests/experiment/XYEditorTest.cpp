// The X-Y point editor: the list operations free of the window, then the editor through its real
// widgets in an MDI host (typed input, grid edits, paste and copy, deleting, sorting, recalculating,
// drawing into the diagram window, saving and loading with the file choices answered here).
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "diagram/frmTGraph2D.h"
#include "experiment/XYListe.h"
#include "experiment/frmXYEdit.h"
#include "platform/Chart2D.h"
#include "platform/Grid.h"
#include "shell/FileChoice.h"
#include "tests/diagram/DiagramTestSupport.h"
#include "tests/experiment/MdiTestHost.h"

using namespace kernel;

namespace {

const char* const kTitel = " Ausführung nicht möglich ";

// ---- The list operations ---------------------------------------------------------------------------

TEST(XYListe, RecalculationRefusesResultsBeyondASingleAndKeepsInactivePoints) {
    auto l = exptest::XYList({{1, 100, 0, 0}, {0.25f, 4, -1, 0}});
    ErrorKind fehler = ErrorKind::IndexOutOfRange;
    EXPECT_FALSE(experiment::UmrechnenXY(l, 2, experiment::kYExp, 0, fehler));  // e^100 > 3.4E+38
    EXPECT_EQ(fehler, ErrorKind::Overflow);
    EXPECT_EQ(l[1].y, 100.0f);
    ASSERT_TRUE(experiment::UmrechnenXY(l, 2, experiment::kXEinsMinus, 0, fehler));
    ASSERT_TRUE(experiment::UmrechnenXY(l, 2, experiment::kYKehrwert, 0, fehler));
    EXPECT_EQ(l[1].x, 0.0f);
    EXPECT_EQ(l[1].y, 0.01f);
    EXPECT_EQ(l[2].x, 0.25f);
    EXPECT_EQ(l[2].y, 4.0f);
}

TEST(XYListe, AxisRangeAddsFivePercentOfTheExtent) {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    const auto l = exptest::XYList({{-2, 10, 0, 0}, {18, -10, 0, 0}});
    experiment::AchsenbereichXY(l, 2, x0, x1, y0, y1);
    EXPECT_FLOAT_EQ(x0, -3.0f);
    EXPECT_FLOAT_EQ(x1, 19.0f);
    EXPECT_FLOAT_EQ(y0, -11.0f);
    EXPECT_FLOAT_EQ(y1, 11.0f);
}

// ---- The editor window ----------------------------------------------------------------------------------

class XYEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        exptest::Host();
        CloseAll();
        diagramtest::SetzeZustandZurueck();
        nXYPunkte = 0;
        XYDateiName = "alt";
        XYPfad = AppPath = dir.path().toStdString() + "/";
        PosXYEdit = {0, 0};
        DezKomma = 0;
        shell::mnuEditXY_Click();
        ASSERT_NE(Ed(), nullptr);
    }
    void TearDown() override { CloseAll(); }
    static void CloseAll() { exptest::Unload({"frmXYEdit", "frmTGraph2D"}); }

    static frmXYEdit* Ed() { return frmXYEdit::Geladen(); }
    template <typename T = QWidget>
    static T* W(const QString& name) { return Ed()->findChild<T*>(name); }
    static QPushButton* Btn(const char* name) { return W<QPushButton>(name); }
    static QLineEdit* Box(int i) { return W<QLineEdit>(QStringLiteral("y(%1)").arg(i)); }
    static QRadioButton* Opt(const QString& name) { return W<QRadioButton>(name); }
    static platform::Grid* G() { return W<platform::Grid>("Grid"); }
    static QString Zeile() { return W<QLabel>("lblZeile")->text(); }
    static void Add(const char* x, const char* y) {
        Box(0)->setText(x);
        Box(1)->setText(y);
        Btn("OKinput")->click();
    }
    static XYPunkt P(int i) { return Ed()->Liste()[static_cast<std::size_t>(i)]; }
    // The list as "x y, x y*, ..." with inactive points starred.
    static std::string Points() {
        QStringList list;
        for (int i = 1; i <= nXYPunkte; ++i)
            list << QStringLiteral("%1 %2%3").arg(P(i).x).arg(P(i).y).arg(P(i).status != 0 ? "*" : "");
        return list.join(", ").toStdString();
    }
    static void Paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        shell::mnuPaste2_Click();
    }

    QTemporaryDir dir;
    testsupport::MsgRecorder msgs;
    exptest::Dialogs dialogs;
    std::string &openAnswer = dialogs.openAnswer, &saveAnswer = dialogs.saveAnswer;
};

TEST_F(XYEditorTest, TypedPointsAreAddedByEnterAndPlusAndEditedInEditModeAndInCells) {
    Box(0)->clear();
    QTest::keyClicks(Box(0), "1a,5");
    EXPECT_EQ(Box(0)->text(), "1.5");
    Box(1)->clear();
    QTest::keyClicks(Box(1), "2");
    QTest::keyClick(Box(1), Qt::Key_Return);
    Box(0)->setText("3");
    Box(1)->setText("-4");
    QTest::keyClick(Box(1), '+');
    EXPECT_EQ(Box(1)->text(), "-4");  // the "+" itself is not typed

    EXPECT_EQ(Points(), "1.5 2, 3 -4");
    ASSERT_EQ(G()->Rows(), 2);
    EXPECT_EQ(G()->Text(1, 3), "-4");
    EXPECT_TRUE(Ed()->Ungespeichert());
    EXPECT_EQ(W<QGroupBox>("R1")->title(), QString::fromUtf8("Zufügen von Zeile 3"));
    EXPECT_TRUE(Btn("XSort")->isEnabled());

    Opt("optInputMode(1)")->click();
    G()->SetCurrentCell(0, 2);
    EXPECT_EQ(Box(0)->text(), " 1.5");
    EXPECT_EQ(W<QGroupBox>("R1")->title(), "Editieren Zeile 1");
    Box(0)->setText("9");
    Btn("OKinput")->click();
    EXPECT_EQ(P(1).x, 9.0f);
    EXPECT_EQ(G()->Text(0, 2), "9");

    // Typed into a cell: refused keys dropped, the value goes into the list and the input line.
    G()->EditCell(0, 3);
    auto* editor = G()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "7a,25");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(P(1).y, 7.25f);
    EXPECT_EQ(Box(1)->text(), "7.25");
    EXPECT_EQ(Zeile(), "Zeile 1");
}

TEST_F(XYEditorTest, PasteTakesTheRowsAndKeepsALastRowWhoseValuesCancel) {
    Paste("1\t2\r\n3\t4\r\n");
    EXPECT_EQ(Points(), "1 2, 3 4");
    EXPECT_TRUE(Ed()->EditModus());
    EXPECT_FALSE(Ed()->Ungespeichert());

    // Pasting at row 1 overwrites from there; (5, -5) is a point, not an empty row.
    G()->SetCurrentCell(1, 2);
    Paste("5\t-5\r\n6,5\t7\r\n");
    EXPECT_EQ(Points(), "1 2, 5 -5, 6.5 7");

    G()->Select(0, 0, 1, 3);
    shell::mnuCopy2_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t\t1\t2\r\n2\t\t5\t-5");

    // Selected cells to 0: the point follows, the unsaved flag does not.
    G()->Select(2, 2, 2, 3);
    shell::mnuSubDelNull2_Click();
    EXPECT_EQ(Points(), "1 2, 5 -5, 0 0");
    EXPECT_FALSE(Ed()->Ungespeichert());
}

TEST_F(XYEditorTest, DeletingMarkedRowsAsksAndTheLastDeletionBringsBackTheEmptyList) {
    Add("1", "2");
    Add("3", "4");
    Add("5", "6");
    msgs.QueueAnswer(platform::vbNo);
    G()->Select(0, 2, 1, 3);
    shell::mnuSubDelLine2_Click();
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_EQ(msgs.Last().prompt, "Zeilen 1 bis 2 wirklich entfernen?");
    EXPECT_EQ(msgs.Last().title, "WARNUNG");
    EXPECT_EQ(nXYPunkte, 3);

    msgs.QueueAnswer(platform::vbYes);
    G()->Select(0, 2, 1, 3);
    Btn("cmdErase")->click();
    EXPECT_EQ(Points(), "5 6");
    EXPECT_EQ(Ed()->windowTitle(), "geladen:  (1 Datenzeilen)");

    msgs.QueueAnswer(platform::vbYes);
    G()->Select(0, 2, 0, 2);
    Btn("cmdErase")->click();
    EXPECT_EQ(msgs.Last().prompt, "Zeile 1 wirklich entfernen?");
    EXPECT_EQ(nXYPunkte, 0);
    EXPECT_EQ(G()->Text(0, 2), "leere Liste");
    EXPECT_FALSE(Btn("cmdSave")->isEnabled());
}

TEST_F(XYEditorTest, SortSwapAndActiveSwitchKeepTheCheckBoxesInStep) {
    Add("2", "10");
    Add("1", "20");
    Add("2", "30");
    Add("1", "40");
    G()->SetCurrentCell(1, 2);
    Btn("cmdAus")->click();
    EXPECT_EQ(Points(), "2 10, 1 20*, 2 30, 1 40");
    EXPECT_TRUE(G()->Checked(1, 1));
    Btn("XSort")->click();
    EXPECT_EQ(Points(), "1 20*, 1 40, 2 10, 2 30");
    EXPECT_TRUE(G()->Checked(0, 1));
    EXPECT_FALSE(G()->Checked(1, 1));
    Btn("YSort")->click();
    EXPECT_EQ(Points(), "2 10, 1 20*, 2 30, 1 40");
    EXPECT_TRUE(G()->Checked(1, 1));
    Btn("cmdChangeXY")->click();  // inactive points are swapped too
    EXPECT_EQ(Points(), "10 2, 20 1*, 30 2, 40 1");
    EXPECT_EQ(G()->Text(1, 2), "20");
    G()->SetChecked(1, 1, false);  // ticking a check box in the grid switches the point
    EXPECT_EQ(Points(), "10 2, 20 1, 30 2, 40 1");
}

TEST_F(XYEditorTest, RecalculationFailureShowsTheMessageAndLeavesEveryPoint) {
    Add("1", "0");
    Add("2", "4");
    Btn("cmdManip")->click();
    EXPECT_FALSE(W("fraManipulation")->isHidden());
    Opt("optManip(1)")->click();
    Btn("cmdExecManip")->click();
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_NE(msgs.Last().prompt.find("\r\n\r\nMit den vorliegenden Daten ist diese Aktion nicht ausführbar.\r\n"
                                      "(Die problematischen Punkte können \"inaktiv\" gesetzt"),
              std::string::npos);
    EXPECT_EQ(msgs.Last().title, kTitel);
    EXPECT_EQ(P(2).y, 4.0f);

    G()->SetChecked(0, 1, true);
    Btn("cmdExecManip")->click();
    EXPECT_NEAR(P(2).y, std::log(4.0f), 1e-6);
    EXPECT_EQ(P(1).y, 0.0f);

    Opt("optManip(2)")->click();
    W<QLineEdit>("txtW")->setText("3");
    Btn("cmdExecManip")->click();
    EXPECT_NEAR(P(2).y, 3 * std::log(4.0f), 1e-5);
    Btn("cmdCloseManip")->click();
    EXPECT_TRUE(W("fraManipulation")->isHidden());
    EXPECT_EQ(msgs.Messages().size(), 1u);
}

TEST_F(XYEditorTest, DrawingOpensTheDiagramWithThePointsAndRefusesEmptyLists) {
    Btn("cmdDrawXY")->click();
    EXPECT_EQ(msgs.Last().prompt, "leere Datenliste");

    Add("10", "0");
    Opt("optIsPoints(0)")->setEnabled(true);
    Opt("optIsPoints(0)")->setChecked(true);
    Btn("cmdDrawXY")->click();
    EXPECT_TRUE(Opt("optIsPoints(1)")->isChecked());  // one point draws as a point
    auto* diagramm = diagram::frmTGraph2D::Geladen();
    ASSERT_NE(diagramm, nullptr);
    EXPECT_EQ(DiagRec.Header, "Punkte x - y");
    EXPECT_FLOAT_EQ(DiagRec.xMin, 9.5f);
    EXPECT_FLOAT_EQ(DiagRec.xMax, 10.5f);
    EXPECT_EQ(DiagRec.yMin, -1.0f);
    EXPECT_EQ(DiagRec.yMax, 1.0f);
    EXPECT_EQ(diagramm->Chart()->PointCount(diagram::kGruppePunkte, 1), 1);
    EXPECT_EQ(nKurven, 0);
    EXPECT_FALSE(diagramm->findChild<QPushButton*>("cmdDraw")->isEnabled());

    // Into the open diagram: a curve of the two active points.
    Add("12", "3");
    Add("14", "5");
    G()->SetCurrentCell(0, 2);
    Btn("cmdAus")->click();
    Opt("optIsPoints(0)")->click();
    Btn("cmdDrawXY")->click();
    ASSERT_EQ(nKurven, 1);
    EXPECT_EQ(diagramm->Chart()->PointCount(diagram::kGruppeKurven, aktKurve), 2);
    EXPECT_EQ(diagramm->Chart()->X(diagram::kGruppeKurven, aktKurve, 1), 12.0);
    EXPECT_EQ(XYZeichenPunkte[0].x, 2.0f);

    for (int r = 1; r <= 2; ++r) G()->SetChecked(r, 1, true);
    msgs.Clear();
    Btn("cmdDrawXY")->click();
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_EQ(msgs.Last().prompt, "leere Liste!");
    EXPECT_EQ(msgs.Last().title, kTitel);
    EXPECT_EQ(nKurven, 1);
}

TEST_F(XYEditorTest, SavedFileLoadsBackAndACancelledSaveKeepsTheListUnsaved) {
    Add("2", "0.5");
    Add("3", "4");
    G()->SetCurrentCell(1, 2);
    Btn("cmdAus")->click();
    W<QLineEdit>("txtComment")->setText("Probe 7");

    Btn("cmdSave")->click();  // cancelled: nothing written, still unsaved
    EXPECT_TRUE(Ed()->Ungespeichert());
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].caption, "(Kurven)punkte speichern unter ...");

    saveAnswer = dir.filePath("probe.XY").toStdString();
    Btn("cmdSave")->click();
    EXPECT_FALSE(Ed()->Ungespeichert());
    EXPECT_EQ(exptest::Bytes(saveAnswer), "Probe 7\r\n.2000000E+01;.5000000E+00\r\n");
    EXPECT_EQ(XYDateiName, saveAnswer);
    EXPECT_EQ(XYTrenner, ";");

    W<QLineEdit>("txtComment")->clear();
    openAnswer = saveAnswer;
    Btn("cmdLoad")->click();
    EXPECT_EQ(dialogs.openRequests.back().caption, "(Kurven)punkte vom File laden");
    EXPECT_EQ(dialogs.openRequests.back().directory, dir.path().toStdString() + "/");
    EXPECT_EQ(Points(), "2 0.5");
    EXPECT_EQ(W<QLineEdit>("txtComment")->text(), "Probe 7");
    EXPECT_EQ(Ed()->windowTitle(), QString::fromStdString("geladen: " + saveAnswer + " (1 Datenzeilen)"));
}

TEST_F(XYEditorTest, BadFilesAndUnansweredQuestionsLoseNoPoints) {
    Add("1", "2");
    const std::string schlecht = dir.filePath("leer.XY").toStdString();
    std::ofstream(schlecht, std::ios::binary) << "nur ein Kommentar\r\n";
    openAnswer = schlecht;
    Btn("cmdLoad")->click();
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_NE(msgs.Last().prompt.find("enthält keine x-y-Punkte"), std::string::npos);
    EXPECT_EQ(P(1).y, 2.0f);
    EXPECT_EQ(XYDateiName, "");

    // A good file over unsaved points asks first; Cancel keeps the list.
    const std::string gut = dir.filePath("gut.XY").toStdString();
    std::ofstream(gut, std::ios::binary) << "K\r\n5;6\r\n";
    openAnswer = gut;
    msgs.QueueAnswer(platform::vbCancel);
    Btn("cmdLoad")->click();
    EXPECT_EQ(msgs.Last().prompt, "Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?");
    EXPECT_EQ(msgs.Last().style, platform::vbYesNoCancel + platform::vbExclamation);
    EXPECT_EQ(P(1).x, 1.0f);

    // Esc with unsaved points: Cancel keeps the window, Yes saves before closing; the place is kept.
    msgs.QueueAnswer(platform::vbCancel);
    Btn("cmdEsc")->click();
    ASSERT_NE(Ed(), nullptr);
    platform::Windows().Frame("frmXYEdit")->move(30, 20);
    saveAnswer = dir.filePath("ende.XY").toStdString();
    msgs.QueueAnswer(platform::vbYes);
    Btn("cmdEsc")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Ed(), nullptr);
    EXPECT_EQ(exptest::Bytes(saveAnswer), "\r\n.1000000E+01;.2000000E+01\r\n");
    EXPECT_EQ(PosXYEdit.Left, 30 * 15);
    EXPECT_EQ(PosXYEdit.Top, 20 * 15);
}

}  // namespace
