// X-Y points: the list operations and the point files (bytes written, every separator read, refused
// files) free of the window, then the editor through its real widgets (typed input, grid edits, paste
// and copy, deleting, sorting, recalculating, drawing into the diagram window, saving and loading with
// the file choices answered here).
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
#include "tests/support/FontWidths.h"
#include "tests/support/ProgramTest.h"

using namespace kernel;
using namespace std::string_literals;

namespace {

const char* const kTitel = " Ausführung nicht möglich ";

// ---- The list operations and files ---------------------------------------------------------------

// An X-Y point list with the unused slot 0.
std::vector<XYPunkt> XYList(std::initializer_list<XYPunkt> points) {
    std::vector<XYPunkt> list{XYPunkt{}};
    list.insert(list.end(), points);
    return list;
}

// Points 1..n of a list as "x y, x y*, ..." with inactive points starred.
std::string Pts(const std::vector<XYPunkt>& l, int n) {
    QStringList list;
    for (int i = 1; i <= n; ++i) {
        const XYPunkt& p = l[static_cast<std::size_t>(i)];
        list << QStringLiteral("%1 %2%3").arg(p.x).arg(p.y).arg(p.status != 0 ? "*" : "");
    }
    return list.join(", ").toStdString();
}

TEST(XYListe, RecalculationRefusesResultsBeyondASingleAndKeepsInactivePoints) {
    auto l = XYList({{1, 100, 0, 0}, {0.25f, 4, -1, 0}});
    ErrorKind fehler = ErrorKind::IndexOutOfRange;
    EXPECT_FALSE(experiment::UmrechnenXY(l, 2, experiment::kYExp, 0, fehler));  // e^100 > 3.4E+38
    EXPECT_EQ(std::pair(fehler, l[1].y), std::pair(ErrorKind::Overflow, 100.0f));
    ASSERT_TRUE(experiment::UmrechnenXY(l, 2, experiment::kXEinsMinus, 0, fehler));
    ASSERT_TRUE(experiment::UmrechnenXY(l, 2, experiment::kYKehrwert, 0, fehler));
    EXPECT_EQ(Pts(l, 2), "0 0.01, 0.25 4*");
}

TEST(XYListe, AxisRangeAddsFivePercentOfTheExtent) {
    float x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    experiment::AchsenbereichXY(XYList({{-2, 10, 0, 0}, {18, -10, 0, 0}}), 2, x0, x1, y0, y1);
    EXPECT_EQ(std::tuple(x0, x1, y0, y1), std::tuple(-3.0f, 19.0f, -11.0f, 11.0f));
}

class XYFileTest : public ::testing::Test {
protected:
    std::string Pfad(const char* name) const { return dir.filePath(name).toStdString(); }

    std::string Schreibe(const char* name, const std::string& bytes) const {
        testsupport::WriteBytes(Pfad(name), bytes);
        return Pfad(name);
    }

    QTemporaryDir dir;
};

TEST_F(XYFileTest, WritesCommentAndActivePointsByteExactWithCrLf) {
    const auto liste = XYList({{2, 0.5f, 0, 0}, {3, 4, -1, 0}, {-250, 1, 0, 0}});
    struct Fall { const char* kommentar; int n; const char* bytes; };
    // Windows-1252, inactive points left out, a comment's line break kept off line 2.
    for (const Fall& f : {Fall{"", 2, "\r\n.2000000E+01;.5000000E+00\r\n"},
                          Fall{"a\r\nb", 1, "a  b\r\n.2000000E+01;.5000000E+00\r\n"},
                          Fall{"Messung; Küvette 1", 3, "Messung; K\xFCvette 1\r\n.2000000E+01;.5000000E+00\r\n"
                                                         "-.2500000E+03;.1000000E+01\r\n"}}) {
        std::string fehler;
        ASSERT_TRUE(experiment::SchreibeXYDatei(Pfad("a.XY"), f.kommentar, liste, f.n, fehler)) << fehler;
        EXPECT_EQ(testsupport::Bytes(Pfad("a.XY")), f.bytes);
    }
    // The last file read back: every point active, the inactive one gone, the comment with its ";" intact.
    experiment::XYDateiInhalt inhalt;
    std::string fehler;
    ASSERT_TRUE(experiment::LeseXYDatei(Pfad("a.XY"), inhalt, fehler)) << fehler;
    EXPECT_EQ(std::tuple(inhalt.kommentar, inhalt.trenner, Pts(inhalt.punkte, inhalt.Anzahl())),
              std::tuple("Messung; Küvette 1"s, ";"s, "2 0.5, -250 1"s));
}

TEST_F(XYFileTest, ReadsEverySeparatorDecimalCommasAndIgnoresAThirdColumn) {
    const std::pair<const char*, const char*> faelle[] = {
        {"K\r\n1,5;2,5\r\n-3;4E-2\r\n", "1.5 2.5, -3 0.04"},
        {"K\r\n1.5 2.5\r\n2 4\r\n", "1.5 2.5, 2 4"},
        // Aligned columns: blanks around the line and runs of blanks are one separator.
        {"K\r\n 0.5  7\r\n1.25   -3.5 \r\n", "0.5 7, 1.25 -3.5"},
        {"K\r\n1.5,2.5\r\n3,4\r\n", "1.5 2.5, 3 4"},
        {"K\r\n1.5, 2.5\r\n-3 ,4\r\n", "1.5 2.5, -3 4"},  // blank and comma: the comma separates
        {"K\r\n1,5\t2,5\t99\r\n3\t4\t7\r\n", "1.5 2.5, 3 4"},
        {"Kurvenpunkte\r\n.1000000E+01;.2500000E+00\r\n.3000000E+01;-.4000000E+01", "1 0.25, 3 -4"},
        // Empty lines and a stray single number are skipped instead of becoming (0, 0).
        {"K\r\n1;2\r\n\r\n7\r\n3;4\r\n\r\n", "1 2, 3 4"},
    };
    for (const auto& [text, punkte] : faelle) {
        experiment::XYDateiInhalt inhalt;
        std::string fehler;
        ASSERT_TRUE(experiment::LeseXYDatei(Schreibe("e.LRG", text), inhalt, fehler)) << fehler;
        EXPECT_EQ(inhalt.Anzahl() == 2 ? Pts(inhalt.punkte, 2) : "", punkte) << text;
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
        EXPECT_EQ(std::tuple(fehler.empty(), inhalt.kommentar, Pts(inhalt.punkte, inhalt.Anzahl())),
                  std::tuple(false, "alt"s, "9 9"s));
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
    static void Add(const char* x, const char* y) {
        Box(0)->setText(x);
        Box(1)->setText(y);
        Btn("OKinput")->click();
    }
    static XYPunkt P(int i) { return Ed()->Liste()[static_cast<std::size_t>(i)]; }
    static std::string Points() { return Pts(Ed()->Liste(), nXYPunkte); }
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
    // A number beyond the range of a Single (3.4028235E+38) is refused with a beep.
    Add("1", "-3.5E38");
    EXPECT_EQ(rec.Beeps(), 1);

    EXPECT_EQ(Points(), "1.5 2, 3 -4");
    ASSERT_EQ(G()->Rows(), 2);
    EXPECT_EQ(std::tuple(G()->Text(1, 3), Ed()->Ungespeichert(), W<QGroupBox>("R1")->title(), Btn("XSort")->isEnabled()),
              std::tuple("-4"s, true, QString::fromUtf8("Zufügen von Zeile 3"), true));

    Opt("optInputMode(1)")->click();
    G()->SetCurrentCell(0, 2);
    EXPECT_EQ(Box(0)->text() + "|" + W<QGroupBox>("R1")->title(), " 1.5|Editieren Zeile 1");
    Box(0)->setText("9");
    Btn("OKinput")->click();
    EXPECT_EQ(std::pair(P(1).x, G()->Text(0, 2)), std::pair(9.0f, "9"s));

    // Typed into a cell: refused keys dropped, the value goes into the list and the input line.
    G()->EditCell(0, 3);
    auto* editor = G()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->clear();
    QTest::keyClicks(editor, "7a,25");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(std::tuple(P(1).y, Box(1)->text(), W<QLabel>("lblZeile")->text()),
              std::tuple(7.25f, QString("7.25"), QString("Zeile 1")));
}

TEST_F(XYEditorTest, PasteTakesTheRowsAndKeepsALastRowWhoseValuesCancel) {
    // No check box in the row of the empty list.
    EXPECT_EQ(std::pair(G()->Text(0, 2), G()->IsCellPlain(0, 1)), std::pair("leere Liste"s, true));
    EXPECT_TRUE(testsupport::CharactersEquallyWide(G()->findChild<QTableWidget*>()->font()));
    Paste("1\t2\r\n3\t4\r\n");
    EXPECT_EQ(std::tuple(Points(), G()->IsCellPlain(0, 1), Ed()->EditModus()), std::tuple("1 2, 3 4"s, false, true));

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
    rec.QueueAnswer(platform::AnswerNo);
    G()->Select(0, 2, 1, 3);
    shell::mnuSubDelLine2_Click();
    EXPECT_EQ(std::pair(rec.OnlyMessage(), nXYPunkte), std::pair("WARNUNG|Zeilen 1 bis 2 wirklich entfernen?"s, 3));

    rec.QueueAnswer(platform::AnswerYes);
    G()->Select(0, 2, 1, 3);
    Btn("cmdErase")->click();
    EXPECT_EQ(std::pair(Points(), Ed()->windowTitle()), std::pair("5 6"s, QString("geladen:  (1 Datenzeilen)")));

    rec.QueueAnswer(platform::AnswerYes);
    G()->Select(0, 2, 0, 2);
    Btn("cmdErase")->click();
    EXPECT_EQ(std::tuple(rec.Last().prompt, nXYPunkte, G()->Text(0, 2), Btn("cmdSave")->isEnabled()),
              std::tuple("Zeile 1 wirklich entfernen?"s, 0, "leere Liste"s, false));
}

TEST_F(XYEditorTest, SortSwapAndActiveSwitchKeepTheCheckBoxesInStep) {
    Add("2", "10");
    Add("1", "20");
    Add("2", "30");
    Add("1", "40");
    G()->SetCurrentCell(1, 2);
    Btn("cmdAus")->click();
    EXPECT_EQ(std::pair(Points(), G()->Checked(1, 1)), std::pair("2 10, 1 20*, 2 30, 1 40"s, true));
    Btn("XSort")->click();
    EXPECT_EQ(Points(), "1 20*, 1 40, 2 10, 2 30");
    EXPECT_EQ(std::pair(G()->Checked(0, 1), G()->Checked(1, 1)), std::pair(true, false));
    Btn("YSort")->click();
    EXPECT_EQ(std::pair(Points(), G()->Checked(1, 1)), std::pair("2 10, 1 20*, 2 30, 1 40"s, true));
    Btn("cmdChangeXY")->click();  // inactive points are swapped too
    EXPECT_EQ(std::pair(Points(), G()->Text(1, 2)), std::pair("10 2, 20 1*, 30 2, 40 1"s, "20"s));
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
    EXPECT_EQ(std::pair(rec.Last().title, P(2).y), std::pair(std::string(kTitel), 4.0f));

    G()->SetChecked(0, 1, true);
    Btn("cmdExecManip")->click();
    EXPECT_NEAR(P(2).y, std::log(4.0f), 1e-6);
    EXPECT_EQ(P(1).y, 0.0f);

    Opt("optManip(2)")->click();
    W<QLineEdit>("txtW")->setText("3");
    Btn("cmdExecManip")->click();
    EXPECT_NEAR(P(2).y, 3 * std::log(4.0f), 1e-5);
    Btn("cmdCloseManip")->click();
    EXPECT_EQ(std::pair(W("fraManipulation")->isHidden(), rec.Messages().size()), std::pair(true, std::size_t{1}));
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
    EXPECT_EQ(std::tuple(DiagRec.Header, DiagRec.xMin, DiagRec.xMax, DiagRec.yMin, DiagRec.yMax),
              std::tuple("Punkte x - y"s, 9.5f, 10.5f, -1.0f, 1.0f));
    EXPECT_EQ(std::tuple(diagramm->Chart()->PointCount(diagram::kGruppePunkte, 1), nKurven,
                         diagramm->findChild<QPushButton*>("cmdDraw")->isEnabled()),
              std::tuple(1, 0, false));

    // Into the open diagram: a curve of the two active points.
    Add("12", "3");
    Add("14", "5");
    G()->SetCurrentCell(0, 2);
    Btn("cmdAus")->click();
    Opt("optIsPoints(0)")->click();
    Btn("cmdDrawXY")->click();
    ASSERT_EQ(nKurven, 1);
    EXPECT_EQ(std::tuple(diagramm->Chart()->PointCount(diagram::kGruppeKurven, aktKurve),
                         diagramm->Chart()->X(diagram::kGruppeKurven, aktKurve, 1), XYZeichenPunkte[0].x),
              std::tuple(2, 12.0, 2.0f));

    for (int r = 1; r <= 2; ++r) G()->SetChecked(r, 1, true);
    rec.Clear();
    Btn("cmdDrawXY")->click();
    EXPECT_EQ(std::pair(rec.OnlyMessage(), nKurven), std::pair(std::string(kTitel) + "|leere Liste!", 1));
}

TEST_F(XYEditorTest, BadFilesAndUnansweredQuestionsLoseNoPoints) {
    Add("1", "2");
    openAnswer = Path("leer.XY");
    testsupport::WriteBytes(openAnswer, "nur ein Kommentar\r\n");
    Btn("cmdLoad")->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("enthält keine x-y-Punkte"), std::string::npos);
    EXPECT_EQ(std::pair(P(1).y, XYDateiName), std::pair(2.0f, std::string()));

    // A good file over unsaved points asks first; Cancel keeps the list.
    openAnswer = Path("gut.XY");
    testsupport::WriteBytes(openAnswer, "K\r\n5;6\r\n");
    rec.QueueAnswer(platform::AnswerCancel);
    Btn("cmdLoad")->click();
    EXPECT_EQ(std::tuple(rec.Last().prompt, rec.Last().style, P(1).x),
              std::tuple("Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?"s,
                         platform::MsgYesNoCancel + platform::MsgExclamation, 1.0f));

    // Closing keeps the window's place.
    rec.QueueAnswer(platform::AnswerNo);
    platform::Windows().Frame("frmXYEdit")->move(30, 20);
    Btn("cmdEsc")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Ed(), nullptr);
    EXPECT_EQ(std::pair(PosXYEdit.Left, PosXYEdit.Top), std::pair(30 * 15, 20 * 15));
}

// Every change of the list marks it unsaved (a cancelled save leaves it so), and every way of closing
// then offers to save it: Cancel keeps the window, a failing write keeps it, Yes writes the file, names
// the list after it and closes.
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
             rec.QueueAnswer(platform::AnswerYes);
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
    const std::string file = Path("liste.XY");
    testsupport::WriteBytes(file, "Liste\r\n3;30\r\n1;10\r\n2;20\r\n");
    int round = 0;
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        if (!Ed()) shell::mnuEditXY_Click();
        ASSERT_NE(Ed(), nullptr);
        openAnswer = file;
        Btn("cmdLoad")->click();
        ASSERT_FALSE(Ed()->Ungespeichert());
        EXPECT_EQ(Ed()->windowTitle(), QString::fromStdString("geladen: " + file + " (3 Datenzeilen)"));
        change.apply();
        saveAnswer.clear();
        Btn("cmdSave")->click();
        EXPECT_TRUE(Ed()->Ungespeichert());
        for (const Close& close : closes) {
            rec.Clear();
            rec.QueueAnswer(platform::AnswerCancel);
            close();
            EXPECT_EQ(rec.OnlyPrompt(), "Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?");
            ASSERT_NE(Ed(), nullptr);
        }
        const Close& close = closes[round++ % std::size(closes)];
        saveAnswer = Path("nicht/da/x.XY");
        rec.QueueAnswer(platform::AnswerYes);
        close();
        EXPECT_EQ(rec.Last().title, "Message from Sub SaveXY");
        ASSERT_NE(Ed(), nullptr);
        saveAnswer = Path("gespeichert.XY");
        rec.QueueAnswer(platform::AnswerYes);
        close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Ed(), nullptr);
        EXPECT_EQ(std::pair(XYDateiName, XYTrenner), std::pair(saveAnswer, ";"s));
        std::string expected = change.comment + "\r\n"s;
        for (const auto& [x, y] : change.saved) expected += Mask(x) + ";" + Mask(y) + "\r\n";
        EXPECT_EQ(testsupport::Bytes(saveAnswer), expected);
        std::filesystem::remove(saveAnswer);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, XYEditorRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
