// The data editor through its real widgets: start states, row input in both modes and its key filters,
// the time unit, sorting, clipboard blocks, zeroing cells, removing rows, switching rows inactive,
// typing into cells; the file buttons through the file choosers, the save question, drawing the
// measured points and the hand-over to evaluation.
#include <QTableWidget>

#include <filesystem>
#include <functional>
#include <limits>
#include <utility>

#include "diagram/frmTGraph2D.h"
#include "experiment/frmDatedit.h"
#include "kernel/DataFile.h"
#include "kernel/DataSet.h"
#include "platform/Chart2D.h"
#include "platform/Grid.h"
#include "shell/DataSaveQuestion.h"
#include "tests/experiment/FittingTestSupport.h"
#include "tests/support/FontWidths.h"

namespace {

using namespace kernel;
using namespace std::string_literals;

using Row = fittest::FileRow;

// The data editor opened through the window registry in the program's main window.
class DataEditorTest : public testsupport::ProgramTest {
protected:
    static void SetData(const std::vector<Row>& rows) {
        ExpDaten.assign(1, ExpPunkt{});
        for (const Row& r : rows)
            ExpDaten.push_back({.t = r.t, .c = {0, r.cA, r.cB}, .T = r.T, .k = r.k, .exclude = r.exclude});
        nMesspunkte = static_cast<int>(rows.size());
    }
    std::vector<double> Times() const {
        std::vector<double> t;
        for (int i = 1; i <= kernel::nMesspunkte; ++i) t.push_back(kernel::ExpDaten[static_cast<std::size_t>(i)].t);
        return t;
    }

    // Reads a data file into the data set, as a check of what was written.
    void ReadBack(const std::string& path) const {
        SetData({});
        int append = 0, loaded = 0;
        kernel::LoadExpFile(path, append, loaded);
        ASSERT_EQ(loaded, kernel::kTrue) << path;
    }
    frmDatedit& Open() {
        editor = qobject_cast<frmDatedit*>(platform::Windows().Show("frmDatedit"));
        EXPECT_NE(editor, nullptr);
        return *editor;
    }
    // Opens the editor afresh over the rows.
    frmDatedit& Open(const std::vector<Row>& rows) {
        testsupport::UnloadAll();
        SetData(rows);
        return Open();
    }
    template <typename T>
    T* Find(const QString& name) const {
        T* w = editor->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    platform::Grid& Grid() const { return *Find<platform::Grid>("Grid"); }
    void Press(const char* name) const { Find<QPushButton>(name)->click(); }
    QLineEdit* Y(int i) const { return Find<QLineEdit>(QStringLiteral("y(%1)").arg(i)); }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    // The editor of a grid cell, opened and emptied (the editors of earlier edits deleted first).
    QLineEdit* EditCell(int row, int col) const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Grid().EditCell(row, col);
        auto* cell = Grid().findChild<QTableWidget*>()->findChild<QLineEdit*>();
        EXPECT_NE(cell, nullptr);
        if (cell) cell->clear();
        return cell;
    }
    static void SetClipboard(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }

    frmDatedit* editor = nullptr;
};

// The same editor under the C and the German number locale.
using DataEditorRoad = testsupport::InBothLocales<DataEditorTest>;

TEST_F(DataEditorTest, DataShowInFixedWidthFieldsInEditMode) {
    SetData({{0, 0.5, 0.000001, 300, 0, 0}, {2.5, -1, 0, 0, 0, -1}});
    ExpDaten[1].lambda = 1.25f;
    DatenFile = Path("MESS1.TA3");
    lambdaInf = 2.5;
    frmDatedit& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (MESS1.TA3)");
    EXPECT_EQ(std::pair(w.EditModus(), Grid().Checked(1, 1)), std::pair(kTrue, true));
    // Grid cells, then row 1 in the input line.
    EXPECT_EQ((std::vector<std::string>{Grid().Text(0, 0), Grid().Text(0, 3), Grid().Text(0, 4), Grid().Text(1, 3),
                                        Grid().Text(0, 8), Y(1)->text().toStdString(), Y(7)->text().toStdString(),
                                        Find<QLineEdit>("lambda_infin")->text().toStdString()}),
              (std::vector<std::string>{"1  ", "0.5           ", "1.000000E-06  ", "-1.000000E+00 ", "1.25          ",
                                        " .5", " 300", " 2.5"}));
    // A name an older system wrote in Latin-1 reads as the file dialog lists it.
    DatenFile = Path("daten\xE4.TA3");
    testsupport::UnloadAll();
    EXPECT_EQ(Open().windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (datenä.TA3)");
}

TEST_F(DataEditorTest, InputLineAddsRowsAndRefusesAZeroSum) {
    frmDatedit& w = Open();
    EXPECT_EQ(std::tuple(w.windowTitle().toStdString(), Grid().Rows(), Grid().Text(0, 2)),
              std::tuple(" Eingabe von Messpunkten  (unbenannt)"s, 1, "leere Liste"s));
    EXPECT_TRUE(Grid().IsCellPlain(0, 1) && Grid().IsCellPlain(0, 2));  // no check box and nothing to edit there
    // Padded number columns line up: equally wide characters where "COURIER NEW" is missing.
    EXPECT_TRUE(testsupport::CharactersEquallyWide(Grid().findChild<QTableWidget*>()->font()));
    EXPECT_EQ(w.EditModus(), 0);
    Y(0)->setText("1");
    Y(1)->setText("-1");
    Press("OKinput");
    EXPECT_EQ(std::tuple(rec.Beeps(), nMesspunkte, Enabled("mnuEditDat")), std::tuple(1, 0, false));

    Y(0)->setText("0");
    Y(1)->setText(".25");
    Press("OKinput");
    ASSERT_EQ(nMesspunkte, 1);
    // The "leere Liste" row was replaced by one with a check box.
    EXPECT_EQ(std::tuple(Grid().Rows(), Grid().IsCellPlain(0, 1), ExpDaten[1].c[1], Text("lblZeile"), ExpDataChanged,
                         Enabled("mnuEditDat")),
              std::tuple(1, false, 0.25, QString("Zeile 2"), kTrue, true));

    // Keys: a comma is typed as a point, letters are dropped, "+" or Enter in the last field take the line.
    Y(0)->clear();
    Y(1)->clear();
    QTest::keyClicks(Y(0), "1x,5");
    EXPECT_EQ(Y(0)->text(), "1.5");
    QTest::keyClicks(Y(1), "0.2+");
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(ExpDaten[2].c[1], 0.2);
    Y(8)->setText("3");
    QTest::keyClick(Y(8), Qt::Key_Return);
    EXPECT_EQ(nMesspunkte, 3);
}

TEST_F(DataEditorTest, NonIsothermalHintOncePerOpening) {
    Open();
    auto addRow = [&](const char* t) {
        Y(0)->setText(t);
        Y(1)->setText("1");
        Y(7)->setText("300");
        Press("OKinput");
    };
    addRow("0");
    addRow("1");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "einmaliger Hinweis");
    testsupport::UnloadAll();
    Open();
    addRow("2");
    EXPECT_EQ(rec.Messages().size(), 2u);
}

TEST_F(DataEditorTest, UnitChangesMeetTheModelWindowWithoutConvertingTwice) {
    SetData({{0, 1}, {90, 0.5}});
    kWert[1] = 0.5;
    ASSERT_NE(platform::Windows().Show("frmKinModel"), nullptr);
    Open();
    Find<QRadioButton>("optZeit(1)")->click();
    EXPECT_EQ(std::pair(ExpDaten[2].t, kWert[1]), std::pair(1.5, 30.0));
    QWidget* model = platform::Windows().Get("frmKinModel");
    EXPECT_TRUE(model->findChild<QRadioButton*>("optZeit(1)")->isChecked());
    model->findChild<QRadioButton*>("optZeit(0)")->click();  // back to seconds from the model window
    EXPECT_EQ(std::tuple(ExpDaten[2].t, kWert[1], Find<QRadioButton>("optZeit(0)")->isChecked(), Grid().Text(1, 2)),
              std::tuple(90.0, 0.5, true, "90            "s));
    editor->optZeit_Click(0);  // the unit in force: nothing converted
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90);
    platform::Windows().Unload("frmKinModel");
    // The model window reaches the editor by the procedure's name.
    ASSERT_TRUE(QMetaObject::invokeMethod(editor, "TimeCallFromKinModel", Q_ARG(int, 2)));
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90.0 / 3600);
}

// What the editor's opening writes into itself by name: headings, entry captions and the fields and draw
// buttons open for the model and its mode; a unit switched in the editor reaches the time window's
// t(max) proposal at once.
TEST_P(DataEditorRoad, OpeningLabelsAndOpensTheFieldsOfTheModel) {
    struct Case {
        const char* name;
        int model;
        bool rates;  // the enzyme model's r(P)-c(S) mode
        std::vector<Row> rows;
        int unit;             // switched in the editor after the opening, -1 none
        const char* labels;   // Bz1(2)|lblKopf(5)|lblKopf(1)|Bz1(3)
        const char* fields;   // y(0..8) and lambda_infin open: 1
        const char* draw;     // cmdDraw_ct, cmdDraw_rcS, cmdDraw_Tk enabled: 1
        const char* proposal; // the time window's t(max) box afterwards (plain decimal form), or none
    };
    const Case cases[] = {
        {"model 2 over an empty list", 2, false, {}, -1, "Zeit t/s|  Zeit t/s|c(A)/(mol/L)|c(B)/(mol/L)",
         "1111111111", "000", nullptr},
        {"model 2 with one k-T row", 2, false, {{0, 1, 0, 300, 0.1}, {5, 0.5}}, -1,
         "Zeit t/s|  Zeit t/s|c(A)/(mol/L)|c(B)/(mol/L)", "1111111111", "100", nullptr},
        {"model 10, r(P)-c(S), unit min", 10, true, {{0.2, 0, 1}, {0.3, 0, 2}}, 1,
         "r(P)/(mol/L min)| r(P)/(mol/L min)|c(E)/(mol/L)|c(S)/(mol/L)", "1010000000", "010", nullptr},
        {"model 10, c-t", 10, false, {{0, 0.5, 5}, {10, 0.4, 4}}, -1,
         "Zeit t/s|  Zeit t/s|c(E)/(mol/L)|c(S)/(mol/L)", "1111110000", "100", nullptr},
        {"model 2, 15 s switched to min", 2, false, {{0, 1}, {15, 0.5}}, 1,
         "Zeit t/min|  Zeit t/min|c(A)/(mol/L)|c(B)/(mol/L)", "1111111111", "100", " .25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::UnloadAll();
        aktModell = c.model;
        EnzymRcsModus = c.rates ? kTrue : kFalse;
        ZeitEinheit = "s";
        ZeitEinheitNr = ZeitEinheitIdx = 0;
        SetData(c.rows);
        AnalyseExpData();
        ASSERT_NE(platform::Windows().Show("frmKinModel"), nullptr);
        Open();
        if (c.unit >= 0) Find<QRadioButton>(QStringLiteral("optZeit(%1)").arg(c.unit))->click();
        EXPECT_EQ(QStringList({Text("Bz1(2)"), Text("lblKopf(5)"), Text("lblKopf(1)"), Text("Bz1(3)")}).join('|').toStdString(),
                  c.labels);
        std::string fields, draw;
        for (int i = 0; i <= 8; ++i) fields += Y(i)->isEnabled() ? '1' : '0';
        fields += Find<QLineEdit>("lambda_infin")->isEnabled() ? '1' : '0';
        for (const char* b : {"cmdDraw_ct", "cmdDraw_rcS", "cmdDraw_Tk"}) draw += Find<QPushButton>(b)->isEnabled() ? '1' : '0';
        EXPECT_EQ(std::pair(fields, draw), std::pair(std::string(c.fields), std::string(c.draw)));
        EXPECT_EQ(Find<QLabel>("lblKopf(5)")->toolTip().toStdString(), c.rates ? " Reaktionsgeschwindigkeit von c(P) " : "");
        if (c.proposal) {
            ASSERT_NE(platform::Windows().Show("frmPrepareTimeDiagram"), nullptr);
            EXPECT_EQ(testsupport::Control<QComboBox>("frmPrepareTimeDiagram", "kCombo(0)")->currentText().toStdString(),
                      c.proposal);
        }
    }
    EnzymRcsModus = kFalse;
}

TEST_F(DataEditorTest, SortingCarriesWholeRowsAndKeepsEqualKeysInOrder) {
    Open();
    Press("TSort");
    EXPECT_EQ(rec.Beeps(), 1);  // nothing to sort
    Open({{3, 0.3, 0, 310, 0, -1}, {1, 0.1, 0, 330}, {2, 0.2, 0, 300}, {1, 0.15, 0, 320}});
    Press("TSort");
    EXPECT_EQ(Times(), (std::vector<double>{1, 1, 2, 3}));
    EXPECT_EQ(std::pair(ExpDaten[1].c[1], ExpDaten[2].c[1]), std::pair(0.1, 0.15));  // equal times keep their order
    EXPECT_EQ(std::pair(ExpDaten[4].exclude, Grid().Checked(3, 1)), std::pair(kTrue, true));
    Press("TemperaturSort");
    EXPECT_EQ(Times(), (std::vector<double>{2, 3, 1, 1}));
}

TEST_F(DataEditorTest, SelectedBlockIsCopiedAsShownAndZeroed) {
    Open({{1, 0.5, 0.1}, {2, 0.25, 0.2}, {3, 0.125, 0.3}});
    Grid().Select(0, 2, 1, 3);
    Press("cmdClipboard");
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "1             \t0.5           \r\n2             \t0.25          ");
    SetClipboard("");
    Grid().Select(1, 3, 1, 3);
    QTest::keyClick(Grid().findChild<QTableWidget*>(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "0.25          ");

    Grid().Select(0, 3, 1, 4);
    Press("cmdEraseSelected");
    EXPECT_EQ(std::tuple(ExpDaten[1].c[1], ExpDaten[2].c[2], ExpDaten[1].t, ExpDaten[3].c[1], Grid().Text(1, 3)),
              std::tuple(0, 0, 1, 0.125, "0             "s));
    Grid().Select(2, 2, 2, 2);
    QTest::keyClick(Grid().findChild<QTableWidget*>(), Qt::Key_Delete);
    EXPECT_EQ(ExpDaten[3].t, 0);
}

TEST_F(DataEditorTest, PastedLinesBecomeRowsAndAPasteAtTheLastRowEnlargesAndKeepsRowsBelow) {
    Open();
    SetClipboard("1\t2\r\n3\t4\r\n");  // the empty last line is dropped
    Press("cmdClipEinfuegen");
    EXPECT_EQ(Times(), (std::vector<double>{1, 3}));
    // The first row has its check box; pasted data are not lost without the save question.
    EXPECT_EQ(std::tuple(ExpDaten[2].c[1], Grid().Text(1, 0), Grid().IsCellPlain(0, 1), ExpDataChanged),
              std::tuple(4, "2  "s, false, kTrue));

    Open({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
    Grid().SetCurrentCell(4, 2);
    SetClipboard("6\t6\n7\t7\n");  // line feeds only, as other programs of this system put them
    QTest::keyClick(Grid().findChild<QTableWidget*>(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Times(), (std::vector<double>{1, 2, 3, 4, 6, 7}));
    // Two lines with a final line break over the top rows: row 3 keeps its values.
    Grid().SetCurrentCell(0, 2);
    SetClipboard("8\t8\r\n9\t9\r\n");
    Press("cmdClipEinfuegen");
    EXPECT_EQ(Times(), (std::vector<double>{8, 9, 3, 4, 6, 7}));
    EXPECT_EQ(ExpDaten[3].c[1], 3);
    // A last row whose values happen to sum to zero is data, not an empty line.
    Grid().SetCurrentCell(5, 2);
    SetClipboard("10\t1\r\n2\t-2");
    Press("cmdClipEinfuegen");
    EXPECT_EQ(std::pair(nMesspunkte, ExpDaten.back().c[1]), std::pair(7, -2.0));
}

TEST_F(DataEditorTest, MarkedRowsAreRemovedAfterAQuestion) {
    frmDatedit& w = Open({{1}, {2}, {3}, {4}, {5}});
    Grid().Select(1, 2, 2, 5);
    rec.QueueAnswer(platform::AnswerNo);
    Press("cmdErase");
    EXPECT_EQ(std::tuple(rec.Last().prompt, rec.Last().style, nMesspunkte),
              std::tuple("Zeilen 2 bis 3 wirklich entfernen?"s, platform::MsgYesNo + platform::MsgQuestion, 5));
    rec.QueueAnswer(platform::AnswerYes);
    Press("cmdErase");
    EXPECT_EQ(Times(), (std::vector<double>{1, 4, 5}));
    EXPECT_EQ(std::pair(Grid().Rows(), ExpDataChanged), std::pair(3, kTrue));

    Grid().Select(0, 2, 2, 2);
    rec.QueueAnswer(platform::AnswerYes);
    Press("cmdErase");
    EXPECT_EQ(std::tuple(Grid().Text(0, 2), w.EditModus(), Text("lblZeile")),
              std::tuple("leere Liste"s, 0, QString("Zeile 1")));
    Press("cmdErase");
    EXPECT_EQ(rec.Beeps(), 1);
}

// Every change of the data set sets the changed flag, so that the exit asks, and reaches the file,
// after which the data set is named after it. (A cell edit ended by Enter: the cell typing test.)
TEST_P(DataEditorRoad, EveryChangeIsFlaggedAndSaved) {
    auto table = [this] { return Grid().findChild<QTableWidget*>(); };
    // A cell edit of c(A) in row 1, ended by `end`.
    auto editCell = [&](const std::function<void(QLineEdit*)>& end) {
        auto* cell = EditCell(0, 3);
        ASSERT_NE(cell, nullptr);
        QTest::keyClicks(cell, "0.125");
        end(cell);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    struct Case {
        const char* name;
        std::function<void()> change;
        std::function<void()> expectInFile;  // checks the rows read back from the saved file
    };
    const auto cA1 = [](double v) { return [v] { EXPECT_DOUBLE_EQ(ExpDaten[1].c[1], v); }; };
    const Case cases[] = {
        {"sort by t", [&] { Press("TSort"); }, [&] { EXPECT_EQ(Times(), (std::vector<double>{1, 2})); }},
        {"sort by T", [&] { Press("TemperaturSort"); }, [] { EXPECT_EQ(ExpDaten[1].T, 300); }},
        {"paste over rows", [&] { Grid().SetCurrentCell(0, 3); SetClipboard("0.75"); Press("cmdClipEinfuegen"); }, cA1(0.75)},
        {"cells to 0", [&] { Grid().Select(0, 3, 0, 3); Press("cmdEraseSelected"); }, cA1(0)},
        {"cmdAus", [&] {
             Grid().SetCurrentCell(1, 2);
             Press("cmdAus");
             EXPECT_TRUE(Grid().Checked(1, 1));
             Press("cmdAus");  // twice: active again
             Grid().SetCurrentCell(0, 2);
             Press("cmdAus");
         }, [] { EXPECT_EQ(ExpDaten[1].exclude, kTrue); EXPECT_EQ(ExpDaten[2].exclude, 0); }},
        {"tick",
         [&] { table()->model()->setData(table()->model()->index(0, 1), Qt::Checked, Qt::CheckStateRole); },
         [] { EXPECT_EQ(ExpDaten[1].exclude, kTrue); }},
        {"comment", [&] { Find<QLineEdit>("txtComment")->setText("neu"); }, [] { EXPECT_EQ(DatenKommentar, "neu"); }},
        {"lambda(inf)", [&] { Find<QLineEdit>("lambda_infin")->setText("2.5"); }, [] { EXPECT_EQ(lambdaInf, 2.5); }},
        {"cell edit, Tab", [&] { editCell([](QLineEdit* c) { QTest::keyClick(c, Qt::Key_Tab); }); }, cA1(0.125)},
        {"cell edit, arrow", [&] { editCell([](QLineEdit* c) { QTest::keyClick(c, Qt::Key_Down); }); }, cA1(0.125)},
        {"cell edit, click", [&] {
             editCell([&](QLineEdit*) {
                 QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualItemRect(table()->item(1, 5)).center());
             });
         }, cA1(0.125)},
        {"cell edit, focus leaves the grid", [&] {
             ASSERT_TRUE(Activate());
             editCell([&](QLineEdit*) { Find<QLineEdit>("txtComment")->setFocus(); });
         }, cA1(0.125)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open({});
        dialogs.openAnswer = fittest::WriteTA3(Path("F.TA3"), {{2, 0.5, 0, 320}, {1, 0.25, 0, 300}});
        Press("cmdLoadFile");
        ASSERT_EQ(ExpDataChanged, 0);
        c.change();
        EXPECT_EQ(ExpDataChanged, kTrue);
        dialogs.saveAnswer = Path("G.TA3");
        Press("cmdSave");
        EXPECT_EQ(ExpDataChanged, 0);
        EXPECT_EQ(std::tuple(DatenFile, DatenPfad, editor->windowTitle().toStdString()),
                  std::tuple(dialogs.saveAnswer, dir.path().toStdString() + "/",
                             " Experimentelle Daten, Editieren von Messpunkten  (G.TA3)"s));
        ReadBack(dialogs.saveAnswer);
        c.expectInFile();
    }
}

TEST_F(DataEditorTest, TypingIntoACellStoresTheValueOnEnter) {
    Open({{1, 0.5}, {2, 0.25}});
    // With a decimal comma in the locale the cell shows the comma; the value is read with a point.
    for (int comma : {0, kTrue}) {
        DezKomma = comma;
        auto* cell = EditCell(1, 3);
        ASSERT_NE(cell, nullptr);
        QTest::keyClicks(cell, comma ? "1.5" : "0,75");
        EXPECT_EQ(cell->text(), comma ? "1,5" : "0.75");
        QTest::keyClick(cell, Qt::Key_Return);
        EXPECT_EQ(ExpDaten[2].c[1], comma ? 1.5 : 0.75);
    }
    EXPECT_EQ(std::pair(ExpDataChanged, Text("lblZeile")), std::pair(kTrue, QString("Zeile 2")));

    // Escape restores the stored value; a cell whose input field is disabled shows its stored text again.
    auto typeInto = [this](int col, Qt::Key end) {
        auto* cell = EditCell(0, col);
        ASSERT_NE(cell, nullptr);
        QTest::keyClicks(cell, "9");
        QTest::keyClick(cell, end);
    };
    typeInto(3, Qt::Key_Escape);
    EXPECT_EQ(std::pair(Grid().Text(0, 3), ExpDaten[1].c[1]), std::pair("0.5           "s, 0.5));
    Y(4)->setEnabled(false);
    typeInto(6, Qt::Key_Tab);
    EXPECT_EQ(std::pair(Grid().Text(0, 6), ExpDaten[1].c[4]), std::pair("0             "s, 0.0));
}

// Numbers the data file cannot carry are refused where they are typed, with the field named, and change
// nothing; the largest numbers it carries are taken and come back from the saved file.
TEST_P(DataEditorRoad, NumbersBeyondTheFileAreRefusedWhereTyped) {
    Open({{1, 0.5}});
    const std::vector<ExpPunkt> before = ExpDaten;
    const struct { int box; const char* text; const char* field; } refused[] = {
        {0, "1E300", "t"}, {0, "-3.5E+38", "t"}, {6, "3.4028235E+38", "lambda"}, {1, "1E400", "c(A)"},
        {-1, "1E39", "lambda(inf)"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text);
        Y(0)->setText("2");
        for (int i = 1; i <= 8; ++i) Y(i)->setText("1");
        Find<QLineEdit>("lambda_infin")->setText("0");
        (r.box < 0 ? Find<QLineEdit>("lambda_infin") : Y(r.box))->setText(r.text);
        rec.Clear();
        Press("OKinput");
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_NE(rec.Last().prompt.find("im Feld "s + r.field + " liegt"), std::string::npos)
            << rec.Last().prompt;
        EXPECT_EQ(nMesspunkte, 1);
        EXPECT_EQ(std::tuple(ExpDaten[1].t, ExpDaten[1].c[1], ExpDaten[1].lambda, lambdaInf),
                  std::tuple(before[1].t, before[1].c[1], before[1].lambda, 0.0));
    }
    // The same in a cell: the row keeps its value and the cell shows it again.
    auto* cell = EditCell(0, 2);
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "5E+40");
    rec.Clear();
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(std::tuple(rec.Messages().size(), ExpDaten[1].t, Grid().Text(0, 2)),
              std::tuple(std::size_t{1}, before[1].t, "1             "s));

    // In edit mode the input line takes the row over.
    Y(0)->setText("3.402823E+38");
    Y(1)->setText("1.7976931348623157E+308");
    Y(2)->setText("1E-400");  // below the smallest Double: simply 0
    Y(6)->setText("-3.402823E+38");
    Find<QLineEdit>("lambda_infin")->setText("3.402823E+38");
    Press("OKinput");
    ASSERT_EQ(nMesspunkte, 1);
    const ExpPunkt typed = ExpDaten[1];
    EXPECT_EQ(std::pair(typed.c[1], typed.c[2]), std::pair(std::numeric_limits<double>::max(), 0.0));
    int written = 0;
    WriteDataFile(Path("grenzen.TA3"), written);
    ASSERT_EQ(written, kTrue);
    ReadBack(Path("grenzen.TA3"));
    EXPECT_EQ(std::tuple(static_cast<float>(ExpDaten[1].t), ExpDaten[1].c[1], ExpDaten[1].lambda, lambdaInf),
              std::tuple(static_cast<float>(typed.t), typed.c[1], typed.lambda, 3.402823E+38f));
}

// A replace-load over changed rows asks first; Cancel, or Yes with a failing save, loads nothing.
TEST_F(DataEditorTest, LoadsOverChangedRowsAskAndFailedLoadsKeepTheData) {
    const std::string a = fittest::WriteTA3(Path("A.TA3"), {{1, 1}, {2, 0.5}});
    const std::string b = fittest::WriteTA3(Path("B.TA3"), {{5, 0.1}});
    frmDatedit& w = Open();
    dialogs.openAnswer = a;
    Press("cmdLoadFile");
    ASSERT_EQ(nMesspunkte, 2);
    auto* cell = EditCell(0, 3);  // a value edited after the load
    ASSERT_NE(cell, nullptr);
    cell->setText("0.75");
    QTest::keyClick(cell, Qt::Key_Return);
    ASSERT_EQ(ExpDataChanged, kTrue);
    const QString caption = w.windowTitle();

    dialogs.openAnswer = b;
    // The answer to the question and the file chosen to save to ("" cancels the save dialog).
    for (const auto& [answer, saveTo] : {std::pair{platform::AnswerCancel, std::string()}, {platform::AnswerYes, std::string()},
                                         {platform::AnswerYes, Path("nicht/da/A.TA3")}}) {
        SCOPED_TRACE(answer);
        rec.Clear();
        rec.QueueAnswer(answer);
        dialogs.saveAnswer = saveTo;
        Press("cmdLoadFile");
        ASSERT_FALSE(rec.Empty());
        EXPECT_EQ(rec.Messages()[0].prompt, "Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
        // No file was chosen.
        EXPECT_EQ(std::tuple(dialogs.openRequests.size(), nMesspunkte, ExpDaten[1].c[1], DatenFile, ExpDataChanged,
                             w.windowTitle()),
                  std::tuple(std::size_t{1}, 2, 0.75, a, kTrue, caption));
    }
    rec.QueueAnswer(platform::AnswerNo);
    Press("cmdLoadFile");
    EXPECT_EQ(std::pair(Times(), ExpDataChanged), std::pair(std::vector<double>{5}, 0));

    Press("cmdLoadFile");  // unchanged data: no question; the dialog is cancelled
    dialogs.openAnswer.clear();
    Press("cmdLoadFile");
    EXPECT_EQ(nMesspunkte, 1);

    rec.Clear();
    dialogs.openAnswer = Path("fehlt.TA3");
    Press("cmdLoadFile");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(std::tuple(rec.Last().title, nMesspunkte, DatenFile), std::tuple("Meldung von LoadExpFile"s, 1, b));

    dialogs.openAnswer = dir.path().toStdString() + "/";  // confirmed without a file name: a new data set
    Press("cmdLoadFile");
    EXPECT_EQ(std::tuple(nMesspunkte, DatenFile, Grid().Text(0, 2)), std::tuple(0, std::string(), "leere Liste"s));

    // Appending may fill the set up to 32,767 rows, never past them.
    SetData(std::vector<Row>(32765, Row{1, 1}));
    dialogs.openAnswer = a;
    Press("cmdAddFile");
    EXPECT_EQ(nMesspunkte, 32767);
    rec.Clear();
    dialogs.openAnswer = b;  // one row more is one too many
    Press("cmdAddFile");
    EXPECT_EQ(std::pair(rec.OnlyMessage(), nMesspunkte),
              std::pair("Meldung von LoadExpFile|Überlauf: zu viele Messpunkte (Zeile 4)."s, 32767));
}

// A loaded file's times are never relabelled: a replacing file brings its unit and the model's
// times and rate constants are rescaled into it; appended rows are converted into the unit in use.
TEST_P(DataEditorRoad, FileUnitsAreConvertedNotRelabelled) {
    struct Case {
        const char* name;
        int unitInUse;
        bool append, enzymeRates;
        const char* fileUnit;
        std::vector<Row> fileRows;
        int unitAfter;
        double tMaxAfter, k1After;  // from t(max) 300 s or 5 min and k1 0.02 /s or 1.2 /min
        std::vector<double> t, k;   // the rows afterwards
    };
    const Case cases[] = {
        {"replace min over s", 0, false, false, "min", {{1, 0.5, 0, 0, 0.3}, {2, 0.25, 0, 0, 0.3}}, 1, 5, 1.2,
         {1, 2}, {0.3, 0.3}},
        {"append s to min", 1, true, false, "s", {{30, 0.5, 0, 0, 0.5}, {90, 0.25, 0, 0, 0.5}}, 1, 5, 1.2,
         {0, 0.5, 1.5}, {0, 30, 30}},
        {"append s rates to min", 1, true, true, "s", {{0.5, 0, 0.2, 0, 0.5}}, 1, 5, 1.2, {0, 30}, {0, 30}},
        {"replace in the unit in use", 0, false, false, "s", {{30, 0.5, 0, 0, 0.5}}, 0, 300, 0.02, {30}, {0.5}},
        {"append in the unit in use", 1, true, false, "min", {{3, 0.5, 0, 0, 0.5}}, 1, 5, 1.2, {0, 3}, {0, 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        aktModell = c.enzymeRates ? 10 : 2;
        ZeitEinheit = ZeitEinheitText(c.unitInUse);
        ZeitEinheitNr = ZeitEinheitIdx = c.unitInUse;
        tMax = c.unitInUse == 0 ? 300 : 5;
        kWert[1] = c.unitInUse == 0 ? 0.02 : 1.2;
        ExpDataChanged = 0;
        frmDatedit& w = Open({{0, 1}});
        dialogs.openAnswer = fittest::WriteTA3(Path("U.TA3"), c.fileRows, c.fileUnit);
        Press(c.append ? "cmdAddFile" : "cmdLoadFile");
        if (c.append) {
            EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Datensätzen  (U.TA3)");
        }
        EXPECT_EQ(ExpDataChanged, c.append ? kTrue : 0);  // appended rows are in no file yet
        EXPECT_EQ(std::pair(ZeitEinheit, ZeitEinheitNr), std::pair(ZeitEinheitText(c.unitAfter), c.unitAfter));
        EXPECT_TRUE(Find<QRadioButton>(QStringLiteral("optZeit(%1)").arg(c.unitAfter))->isChecked());
        if (!c.enzymeRates) {
            EXPECT_EQ(Text("Bz1(2)").toStdString(), "Zeit t/" + ZeitEinheitText(c.unitAfter));
        }
        EXPECT_EQ(std::pair(tMax, kWert[1]), std::pair(c.tMaxAfter, c.k1After));
        ASSERT_EQ(Times().size(), c.t.size());
        for (std::size_t i = 0; i < c.t.size(); ++i) {
            EXPECT_DOUBLE_EQ(ExpDaten[i + 1].t, c.t[i]) << i;
            EXPECT_DOUBLE_EQ(ExpDaten[i + 1].k, c.k[i]) << i;
        }
    }
}

TEST_F(DataEditorTest, SaveQuestionAnswersAndSaveFailures) {
    SetData({{1, 1}});
    DatenFile = Path("M.TA3");
    struct Case { int answer; std::string chosen; int result, changedAfter; };  // chosen "": the dialog cancelled
    for (const Case& c : {Case{platform::AnswerNo, "", 0, kTrue}, Case{platform::AnswerCancel, "", -1, kTrue},
                          Case{platform::AnswerYes, "", -1, kTrue}, Case{platform::AnswerYes, Path("nicht/da/M.TA3"), -1, kTrue},
                          Case{platform::AnswerYes, Path("M.TA3"), 0, 0}}) {
        ExpDataChanged = kTrue;
        dialogs.saveAnswer = c.chosen;
        rec.QueueAnswer(c.answer);
        int result = 7;
        shell::AskSaveExpData(0, result);
        // A failed write names no file.
        EXPECT_EQ(std::tuple(result, ExpDataChanged, DatenFile), std::tuple(c.result, c.changedAfter, Path("M.TA3")))
            << c.answer << " " << c.chosen;
    }
    EXPECT_EQ(std::tuple(rec.Messages()[0].prompt, rec.Messages()[4].title, dialogs.saveRequests.front().proposal,
                         std::filesystem::exists(Path("M.TA3"))),
              std::tuple("Die experimentellen Daten wurden geändert.\r\nJetzt speichern?"s,
                         "Meldung von WriteDataFile"s, Path("M.TA3"), true));

    // The editor's save button: a failing write keeps the caption, the name and the flag.
    ExpDataChanged = kTrue;
    frmDatedit& w = Open();
    dialogs.saveAnswer = Path("nicht/da/N.TA3");
    Press("cmdSave");
    // The exit handler still asks.
    EXPECT_EQ(std::tuple(dialogs.saveRequests.size(), DatenFile, w.windowTitle().toStdString(), ExpDataChanged),
              std::tuple(std::size_t{4}, Path("M.TA3"), " Experimentelle Daten, Editieren von Messpunkten  (M.TA3)"s,
                         kTrue));

    Open({});  // without rows it does nothing
    Press("cmdSave");
    EXPECT_EQ(dialogs.saveRequests.size(), 4u);
}

TEST_F(DataEditorTest, CtPointsOpenTheDiagramScaledToTheData) {
    Open({{0, 1}, {4, 0.5}, {8, 0.25}, {9, 0.2, 0, 0, 0, -1}});
    Press("cmdDraw_ct");
    EXPECT_EQ(aktDiagrammCode, -1);
    ASSERT_NE(diagram::frmTGraph2D::Geladen(), nullptr);
    const platform::Chart2D& chart = *diagram::frmTGraph2D::Geladen()->Chart();
    ASSERT_GE(chart.PointCount(2, 1), 3);  // the c(A) points as point set 1, the inactive row left out
    EXPECT_TRUE(chart.PointCount(2, 1) == 3 || chart.X(2, 1, 4) != 9);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_DOUBLE_EQ(chart.X(2, 1, i), ExpDaten[static_cast<std::size_t>(i)].t);
        EXPECT_DOUBLE_EQ(chart.Y(2, 1, i), ExpDaten[static_cast<std::size_t>(i)].c[1]);
    }
    // The largest time (inactive rows too) and value, each a twentieth more.
    EXPECT_EQ(std::tuple(DiagRec.xMin, DiagRec.xMax, DiagRec.yMax), std::tuple(0.0f, 9 + 9 / 20.0f, 1 + 1 / 20.0f));

    SetData({{0, 0, 0, 300, 0.1}, {0, 0, 0, 320, 0.4}});
    AnalyseExpData();  // two k-T rows enable their button
    Press("cmdDraw_Tk");
    // The T range 300..320 widened by a twentieth.
    EXPECT_EQ(std::tuple(aktDiagrammCode, DiagRec.xMin, DiagRec.xMax), std::tuple(-2, 300.0f - 1, 320.0f + 1));
}

TEST_F(DataEditorTest, NothingIsDrawnWithoutActiveRows) {
    Open();
    EXPECT_FALSE(Find<QPushButton>("cmdDraw_ct")->isEnabled());  // an empty list has no c-t points to draw
    editor->cmdDraw_ct_Click();
    ASSERT_FALSE(rec.Messages().empty());
    EXPECT_EQ(std::tuple(rec.Last().prompt, rec.Beeps(), aktDiagrammCode),
              std::tuple("keine Messpunkte vorhanden!"s, 1, 0));
    Open({{0, 1, 0, 300, 1, -1}, {1, 0.5, 0, 310, 2, -1}});
    Press("cmdDraw_ct");
    Press("cmdDraw_Tk");
    editor->cmdDraw_rcS_Click();  // disabled outside the enzyme model
    ASSERT_GE(rec.Messages().size(), 3u);
    const auto& m = rec.Messages();
    EXPECT_EQ(m[m.size() - 3].prompt, "Alle c-t-Punkte deaktiviert!\r\nHeben Sie Deaktivierungen von Datenpunkten auf.\r\n");
    EXPECT_EQ(m[m.size() - 2].prompt.substr(0, 28), "Alle k-T-Punkte deaktiviert!");
    EXPECT_EQ(m.back().prompt.substr(0, 34) + "|" + m.back().title,
              "Alle r(P)-c(S)-Punkte deaktiviert!| Ausführung nicht möglich ");
    EXPECT_EQ(diagram::frmTGraph2D::Geladen(), nullptr);
}

// Closing applies the data once; Yes to the time-range question keeps the editor open.
TEST_F(DataEditorTest, ApplyChecksTheTimeRangeOfNonIsothermalDataOnceAndYesKeepsTheEditorOpen) {
    struct Case { double tEnd; bool twoTemperatures, asks; };
    for (const Case& c : {Case{2.5, true, true}, Case{0.1, true, true}, Case{1.0, true, false},
                          Case{0.2, true, false}, Case{5, false, false}}) {
        SCOPED_TRACE(c.tEnd);
        const double T2 = c.twoTemperatures ? 320 : 300;
        ArrhA = 0;
        Open({{0, 1, 0.5, 300}, {c.tEnd / 2, 0.8, 0, T2}, {c.tEnd, 0.6, 0, T2}});
        rec.Clear();
        if (c.asks) {
            rec.QueueAnswer(platform::AnswerYes);  // change the unit first: nothing applied, still open
            Press("OK");
            ASSERT_EQ(rec.Messages().size(), 1u);
            EXPECT_EQ(std::tuple(rec.Last().title, platform::Windows().IsLoaded("frmDatedit"), ArrhA),
                      std::tuple(" Warnung für nicht-isothermes Fitting "s, true, 0.0));
            rec.QueueAnswer(platform::AnswerYes);
            platform::Windows().Frame("frmDatedit")->close();  // the close box
            EXPECT_TRUE(platform::Windows().IsLoaded("frmDatedit"));
            // New data while the editor stays open on Yes: the rows are kept, not emptied under it.
            rec.QueueAnswer(platform::AnswerYes);
            rec.QueueAnswer(platform::AnswerYes);
            shell::mnuNeudat_Click();
            EXPECT_EQ(std::pair(platform::Windows().IsLoaded("frmDatedit"), nMesspunkte), std::pair(true, 3));
            rec.Clear();
            rec.QueueAnswer(platform::AnswerNo);
        }
        Press("OK");
        EXPECT_EQ(std::pair(rec.Messages().size(), platform::Windows().IsLoaded("frmDatedit")),
                  std::pair(std::size_t{c.asks ? 1u : 0u}, false));
        if (c.twoTemperatures) {
            EXPECT_EQ(ArrhA, 100);
        }
        EXPECT_FLOAT_EQ(c0Mess[2], 0.5);
        for (const char* entry : {"Toolbar1(8)", "mnuEditDat", "Toolbar1(16)"}) EXPECT_TRUE(Enabled(entry)) << entry;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, DataEditorRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
