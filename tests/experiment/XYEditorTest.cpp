// X-Y points: the list operations and the point files (number form, bytes written, every separator
// read, refused files) free of the window, then the editor through its real widgets (typed input, grid edits, paste and copy, deleting, sorting, recalculating,
// drawing into the diagram window, saving and loading with the file choices answered here).
#include <QFontInfo>
#include <QTableWidget>

#include <cmath>
#include <filesystem>
#include <functional>
#include <utility>

#include "diagram/frmTGraph2D.h"
#include "experiment/XYFile.h"
#include "experiment/XYListe.h"
#include "experiment/frmXYEdit.h"
#include "platform/Chart2D.h"
#include "platform/Grid.h"
#include "tests/support/ProgramTest.h"

using namespace kernel;

namespace {

const char* const kTitel = " Ausführung nicht möglich ";

// ---- The list operations and files ---------------------------------------------------------------

// An X-Y point list with the unused slot 0.
std::vector<XYPunkt> XYList(std::initializer_list<XYPunkt> points) {
    std::vector<XYPunkt> list{XYPunkt{}};
    list.insert(list.end(), points);
    return list;
}

TEST(XYListe, RecalculationRefusesResultsBeyondASingleAndKeepsInactivePoints) {
    auto l = XYList({{1, 100, 0, 0}, {0.25f, 4, -1, 0}});
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
    const auto l = XYList({{-2, 10, 0, 0}, {18, -10, 0, 0}});
    experiment::AchsenbereichXY(l, 2, x0, x1, y0, y1);
    EXPECT_FLOAT_EQ(x0, -3.0f);
    EXPECT_FLOAT_EQ(x1, 19.0f);
    EXPECT_FLOAT_EQ(y0, -11.0f);
    EXPECT_FLOAT_EQ(y1, 11.0f);
}

class XYFileTest : public ::testing::Test {
protected:
    std::string Pfad(const char* name) const { return dir.filePath(name).toStdString(); }

    std::string Schreibe(const char* name, const std::string& bytes) const {
        const std::string p = Pfad(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    QTemporaryDir dir;
};

// Positive, negative and fractional values are in the file bytes below.
TEST_F(XYFileTest, NumbersUseTheMantissaBelowOneWithADecimalPointInAnyLocale) {
    EXPECT_EQ(experiment::XYZahlText(0.0f), ".0000000E+00");
    EXPECT_EQ(experiment::XYZahlText(1.5e-7f), ".1500000E-06");
    platform::SetLocaleDecimalSeparator(',');
    EXPECT_EQ(experiment::XYZahlText(2.0f), ".2000000E+01");
    platform::SetLocaleDecimalSeparator('.');
}

TEST_F(XYFileTest, WritesCommentAndActivePointsByteExactWithCrLf) {
    const auto liste = XYList({{2, 0.5f, 0, 0}, {3, 4, -1, 0}, {-250, 1, 0, 0}});
    struct Fall {
        const char* kommentar;
        int n;
        const char* bytes;
    };
    // Windows-1252, inactive points left out, a comment's line break kept off line 2.
    for (const Fall& f : {Fall{"Messung; Küvette 1", 3, "Messung; K\xFCvette 1\r\n.2000000E+01;.5000000E+00\r\n"
                                                         "-.2500000E+03;.1000000E+01\r\n"},
                          Fall{"", 2, "\r\n.2000000E+01;.5000000E+00\r\n"},
                          Fall{"a\r\nb", 1, "a  b\r\n.2000000E+01;.5000000E+00\r\n"}}) {
        std::string fehler;
        ASSERT_TRUE(experiment::SchreibeXYDatei(Pfad("a.XY"), f.kommentar, liste, f.n, fehler)) << fehler;
        EXPECT_EQ(testsupport::Bytes(Pfad("a.XY")), f.bytes);
    }
    // Read back: every point active, the inactive one gone, the comment with its ";" intact.
    std::string fehler;
    ASSERT_TRUE(experiment::SchreibeXYDatei(Pfad("a.XY"), "Messung; Küvette 1", liste, 3, fehler));
    experiment::XYDateiInhalt inhalt;
    ASSERT_TRUE(experiment::LeseXYDatei(Pfad("a.XY"), inhalt, fehler)) << fehler;
    EXPECT_EQ(inhalt.kommentar, "Messung; Küvette 1");
    EXPECT_EQ(inhalt.trenner, ";");
    ASSERT_EQ(inhalt.Anzahl(), 2);
    EXPECT_FLOAT_EQ(inhalt.punkte[1].y, 0.5f);
    EXPECT_FLOAT_EQ(inhalt.punkte[2].x, -250.0f);
    EXPECT_EQ(inhalt.punkte[2].status, 0.0f);
}

TEST_F(XYFileTest, SeparatorDetectionLetsTheLastMatchingCandidateWin) {
    EXPECT_EQ(experiment::TrennerAusZeile("1.5 2.5"), " ");
    EXPECT_EQ(experiment::TrennerAusZeile("1.5,2.5"), ",");
    EXPECT_EQ(experiment::TrennerAusZeile("1,5;2,5"), ";");
    EXPECT_EQ(experiment::TrennerAusZeile("1,5 ;\t2"), "\t");
    EXPECT_EQ(experiment::TrennerAusZeile("12"), "");

    std::string t = "x";
    experiment::ErkenneTrenner(Schreibe("c.XY", "a;b,c\r\n1\t2\r\n"), t);
    EXPECT_EQ(t, "\t");  // taken from line 2, not from the comment
    experiment::ErkenneTrenner(Schreibe("d.XY", "nur Kommentar\r\n"), t);
    EXPECT_EQ(t, "");
    experiment::ErkenneTrenner(Pfad("fehlt.XY"), t);
    EXPECT_EQ(t, "");
}

TEST_F(XYFileTest, ReadsEverySeparatorDecimalCommasAndIgnoresAThirdColumn) {
    struct Fall {
        const char* inhalt;
        float x1, y1, x2, y2;
    };
    const Fall faelle[] = {
        {"K\r\n1,5;2,5\r\n-3;4E-2\r\n", 1.5f, 2.5f, -3, 0.04f},
        {"K\r\n1.5 2.5\r\n2 4\r\n", 1.5f, 2.5f, 2, 4},
        // Aligned columns: blanks around the line and runs of blanks are one separator.
        {"K\r\n 0.5  7\r\n1.25   -3.5 \r\n", 0.5f, 7, 1.25f, -3.5f},
        {"K\r\n1.5,2.5\r\n3,4\r\n", 1.5f, 2.5f, 3, 4},
        {"K\r\n1.5, 2.5\r\n-3 ,4\r\n", 1.5f, 2.5f, -3, 4},  // blank and comma: the comma separates
        {"K\r\n1,5\t2,5\t99\r\n3\t4\t7\r\n", 1.5f, 2.5f, 3, 4},
        {"Kurvenpunkte\r\n.1000000E+01;.2500000E+00\r\n.3000000E+01;-.4000000E+01", 1, 0.25f, 3, -4},
        // Empty lines and a stray single number are skipped instead of becoming (0, 0).
        {"K\r\n1;2\r\n\r\n7\r\n3;4\r\n\r\n", 1, 2, 3, 4},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.inhalt);
        experiment::XYDateiInhalt inhalt;
        std::string fehler;
        ASSERT_TRUE(experiment::LeseXYDatei(Schreibe("e.LRG", f.inhalt), inhalt, fehler)) << fehler;
        ASSERT_EQ(inhalt.Anzahl(), 2);
        EXPECT_FLOAT_EQ(inhalt.punkte[1].x, f.x1);
        EXPECT_FLOAT_EQ(inhalt.punkte[1].y, f.y1);
        EXPECT_FLOAT_EQ(inhalt.punkte[2].x, f.x2);
        EXPECT_FLOAT_EQ(inhalt.punkte[2].y, f.y2);
    }
}

TEST_F(XYFileTest, FilesWithoutPointsOrUnreadableAreRefusedAndLeaveTheContent) {
    experiment::XYDateiInhalt inhalt;
    inhalt.kommentar = "alt";
    inhalt.punkte = XYList({{9, 9, 0, 0}});
    for (const std::string& p : {Pfad("fehlt.XY"), Schreibe("g.XY", "nur Kommentar\r\n"),
                                 Schreibe("h.XY", "K\r\n1\r\n2\r\n"), Schreibe("i.XY", "")}) {
        SCOPED_TRACE(p);
        std::string fehler;
        EXPECT_FALSE(experiment::LeseXYDatei(p, inhalt, fehler));
        EXPECT_FALSE(fehler.empty());
        EXPECT_EQ(inhalt.kommentar, "alt");
        ASSERT_EQ(inhalt.Anzahl(), 1);
        EXPECT_EQ(inhalt.punkte[1].x, 9.0f);
    }
}

// ---- The editor window ----------------------------------------------------------------------------------

class XYEditorTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        XYDateiName = "alt";
        XYPfad = AppPath = dir.path().toStdString() + "/";
        shell::mnuEditXY_Click();
        ASSERT_NE(Ed(), nullptr);
    }

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
    EXPECT_EQ(G()->Text(0, 2), "leere Liste");
    EXPECT_TRUE(G()->IsCellPlain(0, 1));  // no check box in the row of the empty list
    EXPECT_TRUE(QFontInfo(G()->findChild<QTableWidget*>()->font()).fixedPitch());
    Paste("1\t2\r\n3\t4\r\n");
    EXPECT_EQ(Points(), "1 2, 3 4");
    EXPECT_FALSE(G()->IsCellPlain(0, 1));
    EXPECT_TRUE(Ed()->EditModus());

    // Pasting at row 1 overwrites from there; (5, -5) is a point, not an empty row.
    G()->SetCurrentCell(1, 2);
    Paste("5\t-5\r\n6,5\t7\r\n");
    EXPECT_EQ(Points(), "1 2, 5 -5, 6.5 7");

    G()->Select(0, 0, 1, 3);
    shell::mnuCopy2_Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "1\t\t1\t2\r\n2\t\t5\t-5");

    // Selected cells to 0: the point follows.
    G()->Select(2, 2, 2, 3);
    shell::mnuSubDelNull2_Click();
    EXPECT_EQ(Points(), "1 2, 5 -5, 0 0");
}

TEST_F(XYEditorTest, DeletingMarkedRowsAsksAndTheLastDeletionBringsBackTheEmptyList) {
    Add("1", "2");
    Add("3", "4");
    Add("5", "6");
    rec.QueueAnswer(platform::vbNo);
    G()->Select(0, 2, 1, 3);
    shell::mnuSubDelLine2_Click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "Zeilen 1 bis 2 wirklich entfernen?");
    EXPECT_EQ(rec.Last().title, "WARNUNG");
    EXPECT_EQ(nXYPunkte, 3);

    rec.QueueAnswer(platform::vbYes);
    G()->Select(0, 2, 1, 3);
    Btn("cmdErase")->click();
    EXPECT_EQ(Points(), "5 6");
    EXPECT_EQ(Ed()->windowTitle(), "geladen:  (1 Datenzeilen)");

    rec.QueueAnswer(platform::vbYes);
    G()->Select(0, 2, 0, 2);
    Btn("cmdErase")->click();
    EXPECT_EQ(rec.Last().prompt, "Zeile 1 wirklich entfernen?");
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
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("\r\n\r\nMit den vorliegenden Daten ist diese Aktion nicht ausführbar.\r\n"
                                      "(Die problematischen Punkte können \"inaktiv\" gesetzt"),
              std::string::npos);
    EXPECT_EQ(rec.Last().title, kTitel);
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
    EXPECT_EQ(rec.Messages().size(), 1u);
}

TEST_F(XYEditorTest, DrawingOpensTheDiagramWithThePointsAndRefusesEmptyLists) {
    Btn("cmdDrawXY")->click();
    EXPECT_EQ(rec.Last().prompt, "leere Datenliste");

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
    rec.Clear();
    Btn("cmdDrawXY")->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "leere Liste!");
    EXPECT_EQ(rec.Last().title, kTitel);
    EXPECT_EQ(nKurven, 1);
}

TEST_F(XYEditorTest, BadFilesAndUnansweredQuestionsLoseNoPoints) {
    Add("1", "2");
    const std::string schlecht = dir.filePath("leer.XY").toStdString();
    std::ofstream(schlecht, std::ios::binary) << "nur ein Kommentar\r\n";
    openAnswer = schlecht;
    Btn("cmdLoad")->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("enthält keine x-y-Punkte"), std::string::npos);
    EXPECT_EQ(P(1).y, 2.0f);
    EXPECT_EQ(XYDateiName, "");

    // A good file over unsaved points asks first; Cancel keeps the list.
    const std::string gut = dir.filePath("gut.XY").toStdString();
    std::ofstream(gut, std::ios::binary) << "K\r\n5;6\r\n";
    openAnswer = gut;
    rec.QueueAnswer(platform::vbCancel);
    Btn("cmdLoad")->click();
    EXPECT_EQ(rec.Last().prompt, "Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?");
    EXPECT_EQ(rec.Last().style, platform::vbYesNoCancel + platform::vbExclamation);
    EXPECT_EQ(P(1).x, 1.0f);

    // Closing keeps the window's place.
    rec.QueueAnswer(platform::vbNo);
    platform::Windows().Frame("frmXYEdit")->move(30, 20);
    Btn("cmdEsc")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Ed(), nullptr);
    EXPECT_EQ(PosXYEdit.Left, 30 * 15);
    EXPECT_EQ(PosXYEdit.Top, 20 * 15);
}

// Every change of the list marks it unsaved, and every way of closing then offers to save it:
// Cancel keeps the window, a failing write keeps it, Yes writes the file and closes.
using XYEditorRoad = testsupport::InBothLocales<XYEditorTest>;

// File text of a whole number 0..99 in the mask ".0000000E+00".
std::string Mask(int v) {
    if (v == 0) return ".0000000E+00";
    const std::string digits = std::to_string(v);
    return "." + digits + std::string(7 - digits.size(), '0') + "E+0" + std::to_string(digits.size());
}

TEST_P(XYEditorRoad, EveryChangeAsksAtEveryClose) {
    auto table = [] { return G()->findChild<QTableWidget*>(); };
    struct Change {
        const char* name;
        std::function<void()> apply;
        std::vector<std::pair<int, int>> saved;  // the active points written afterwards
        const char* comment = "Liste";
    };
    const Change changes[] = {
        {"typed over row 1", [] { Add("4", "5"); }, {{4, 5}, {1, 10}, {2, 20}}},  // a load selects edit mode
        {"cell edit", [&] {
             G()->EditCell(0, 3);
             auto* cell = table()->findChild<QLineEdit*>();
             ASSERT_NE(cell, nullptr);
             cell->setText("9");
             QTest::keyClick(cell, Qt::Key_Tab);
         }, {{3, 9}, {1, 10}, {2, 20}}},
        {"paste", [] { G()->SetCurrentCell(0, 2); Paste("7\t8"); }, {{7, 8}, {1, 10}, {2, 20}}},
        {"x-sort", [] { Btn("XSort")->click(); }, {{1, 10}, {2, 20}, {3, 30}}},
        {"y-sort", [] { Btn("YSort")->click(); }, {{1, 10}, {2, 20}, {3, 30}}},
        {"swap", [] { Btn("cmdChangeXY")->click(); }, {{30, 3}, {10, 1}, {20, 2}}},
        {"formula", [] {
             Opt("optManip(3)")->click();
             W<QLineEdit>("txtW")->setText("1");
             Btn("cmdExecManip")->click();
         }, {{3, 31}, {1, 11}, {2, 21}}},
        {"cells to 0", [] { G()->Select(0, 3, 0, 3); Btn("cmdEraseSelected")->click(); }, {{3, 0}, {1, 10}, {2, 20}}},
        {"active switch", [] { G()->SetCurrentCell(1, 2); Btn("cmdAus")->click(); }, {{3, 30}, {2, 20}}},
        {"tick", [&] { table()->model()->setData(table()->model()->index(0, 1), Qt::Checked, Qt::CheckStateRole); },
         {{1, 10}, {2, 20}}},
        {"delete", [this] {
             G()->Select(0, 2, 0, 3);
             rec.QueueAnswer(platform::vbYes);
             Btn("cmdErase")->click();
         }, {{1, 10}, {2, 20}}},
        {"comment", [] { QTest::keyClicks(W<QLineEdit>("txtComment"), "!"); }, {{3, 30}, {1, 10}, {2, 20}}, "Liste!"},
    };
    using Close = std::function<void()>;
    const Close closes[] = {
        [] { Btn("cmdEsc")->click(); },
        [] { QTest::keyClick(Ed(), Qt::Key_Escape); },
        [] { platform::Windows().Frame("frmXYEdit")->close(); },  // the close box
        [] { platform::Windows().Unload("frmXYEdit"); },          // the end of the program
    };
    const std::string file = dir.filePath("liste.XY").toStdString();
    std::ofstream(file, std::ios::binary) << "Liste\r\n3;30\r\n1;10\r\n2;20\r\n";
    int round = 0;
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        if (!Ed()) shell::mnuEditXY_Click();
        ASSERT_NE(Ed(), nullptr);
        openAnswer = file;
        Btn("cmdLoad")->click();
        ASSERT_FALSE(Ed()->Ungespeichert());
        change.apply();
        EXPECT_TRUE(Ed()->Ungespeichert());
        for (const Close& close : closes) {
            rec.Clear();
            rec.QueueAnswer(platform::vbCancel);
            close();
            ASSERT_EQ(rec.Messages().size(), 1u);
            EXPECT_EQ(rec.Last().prompt, "Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?");
            ASSERT_NE(Ed(), nullptr);
        }
        const Close& close = closes[round++ % std::size(closes)];
        saveAnswer = dir.filePath("nicht/da/x.XY").toStdString();
        rec.QueueAnswer(platform::vbYes);
        close();
        EXPECT_EQ(rec.Last().title, "Message from Sub SaveXY");
        ASSERT_NE(Ed(), nullptr);
        saveAnswer = dir.filePath("gespeichert.XY").toStdString();
        rec.QueueAnswer(platform::vbYes);
        close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Ed(), nullptr);
        std::string expected = change.comment + std::string("\r\n");
        for (const auto& [x, y] : change.saved) expected += Mask(x) + ";" + Mask(y) + "\r\n";
        EXPECT_EQ(testsupport::Bytes(saveAnswer), expected);
        std::filesystem::remove(saveAnswer);
    }
}

// From the main window: four typed points, sorted, closed by the close box and saved on Yes; the
// reopened editor loads them back in their sorted order.
TEST_P(XYEditorRoad, TypedPointsSavedOnCloseLoadBackSorted) {
    testsupport::UnloadAll();
    Menu("mnuEditXY");
    ASSERT_NE(Ed(), nullptr);
    for (const auto& [x, y] : {std::pair{"3", "0,5"}, std::pair{"1", "-2"}, std::pair{"4", "8"}, std::pair{"2,5", "7"}}) {
        Box(0)->clear();
        Box(1)->clear();
        QTest::keyClicks(Box(0), x);
        QTest::keyClick(Box(0), Qt::Key_Return);
        QTest::keyClicks(Box(1), y);
        QTest::keyClick(Box(1), Qt::Key_Return);
    }
    ASSERT_EQ(nXYPunkte, 4);
    Btn("XSort")->click();
    W<QLineEdit>("txtComment")->setText("Probe 7");
    Btn("cmdSave")->click();  // cancelled: nothing written, still unsaved
    EXPECT_TRUE(Ed()->Ungespeichert());
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    saveAnswer = dir.filePath("sortiert.XY").toStdString();
    rec.QueueAnswer(platform::vbYes);
    platform::Windows().Frame("frmXYEdit")->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Ed(), nullptr);
    EXPECT_EQ(XYDateiName, saveAnswer);
    EXPECT_EQ(XYTrenner, ";");

    Menu("mnuEditXY");
    ASSERT_NE(Ed(), nullptr);
    EXPECT_EQ(nXYPunkte, 0);
    openAnswer = saveAnswer;
    Btn("cmdLoad")->click();
    EXPECT_EQ(dialogs.openRequests.back().directory, dir.path().toStdString() + "/");
    EXPECT_EQ(Points(), "1 -2, 2.5 7, 3 0.5, 4 8");
    EXPECT_EQ(W<QLineEdit>("txtComment")->text(), "Probe 7");
    EXPECT_EQ(Ed()->windowTitle(), QString::fromStdString("geladen: " + saveAnswer + " (4 Datenzeilen)"));
}

INSTANTIATE_TEST_SUITE_P(Locales, XYEditorRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
