// The data editor's window and table: start states, row input in both modes and its key filters,
// the time unit, sorting, clipboard blocks, zeroing cells, removing rows,
// switching rows inactive and typing into cells.
#include <QFontInfo>
#include <QMetaObject>

#include <functional>
#include <limits>

#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "tests/experiment/DataEditorFixture.h"

namespace datatest {
namespace {

using namespace kernel;

TEST_F(DataEditorTest, DataShowInFixedWidthFieldsInEditMode) {
    SetData({{0, 0.5, 0.000001, 300, 0, 0}, {2.5, -1, 0, 0, 0, -1}});
    ExpDaten[1].lambda = 1.25f;
    DatenFile = Path("MESS1.TA3");
    lambdaInf = 2.5;
    frmDatedit& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (MESS1.TA3)");
    EXPECT_EQ(w.EditModus(), kTrue);
    EXPECT_EQ(Grid().Text(0, 0), "1  ");
    EXPECT_EQ(Grid().Text(0, 3), "0.5           ");
    EXPECT_EQ(Grid().Text(0, 4), "1.000000E-06  ");
    EXPECT_EQ(Grid().Text(1, 3), "-1.000000E+00 ");
    EXPECT_EQ(Grid().Text(0, 8), "1.25          ");
    EXPECT_TRUE(Grid().Checked(1, 1));
    EXPECT_EQ(Y(1)->text(), " .5");  // row 1 in the input line
    EXPECT_EQ(Y(7)->text(), " 300");
    EXPECT_EQ(Find<QLineEdit>("lambda_infin")->text(), " 2.5");
}

TEST_F(DataEditorTest, InputLineAddsRowsAndRefusesAZeroSum) {
    frmDatedit& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), " Eingabe von Messpunkten  (unbenannt)");
    ASSERT_EQ(Grid().Rows(), 1);
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");
    EXPECT_TRUE(Grid().IsCellPlain(0, 1));  // no check box and nothing to edit in that row
    EXPECT_TRUE(Grid().IsCellPlain(0, 2));
    // Padded number columns line up: a fixed-pitch font where "COURIER NEW" is missing.
    EXPECT_TRUE(QFontInfo(Grid().findChild<QTableWidget*>()->font()).fixedPitch());
    EXPECT_EQ(w.EditModus(), 0);
    Y(0)->setText("1");
    Y(1)->setText("-1");
    Press("OKinput");
    EXPECT_EQ(rec.Beeps(), 1);
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_FALSE(Enabled("mnuEditDat"));

    Y(0)->setText("0");
    Y(1)->setText(".25");
    Press("OKinput");
    ASSERT_EQ(nMesspunkte, 1);
    EXPECT_EQ(Grid().Rows(), 1);  // the "leere Liste" row was replaced
    EXPECT_FALSE(Grid().IsCellPlain(0, 1));
    EXPECT_EQ(ExpDaten[1].c[1], 0.25);
    EXPECT_EQ(Text("lblZeile"), "Zeile 2");
    EXPECT_EQ(ExpDataChanged, kTrue);
    EXPECT_TRUE(Enabled("mnuEditDat"));

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
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 1.5);
    EXPECT_DOUBLE_EQ(kWert[1], 30);
    QWidget* model = platform::Windows().Get("frmKinModel");
    EXPECT_TRUE(model->findChild<QRadioButton*>("optZeit(1)")->isChecked());
    model->findChild<QRadioButton*>("optZeit(0)")->click();  // back to seconds from the model window
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90);
    EXPECT_DOUBLE_EQ(kWert[1], 0.5);
    EXPECT_TRUE(Find<QRadioButton>("optZeit(0)")->isChecked());
    EXPECT_EQ(Grid().Text(1, 2), "90            ");
    editor->optZeit_Click(0);  // the unit in force: nothing converted
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90);
    platform::Windows().Unload("frmKinModel");
    // The model window reaches the editor by the procedure's name.
    ASSERT_TRUE(QMetaObject::invokeMethod(editor, "TimeCallFromKinModel", Q_ARG(int, 2)));
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90.0 / 3600);
}

TEST_F(DataEditorTest, SortingCarriesWholeRowsAndKeepsEqualKeysInOrder) {
    Open();
    Press("TSort");
    EXPECT_EQ(rec.Beeps(), 1);  // nothing to sort
    testsupport::UnloadAll();
    SetData({{3, 0.3, 0, 310, 0, -1}, {1, 0.1, 0, 330}, {2, 0.2, 0, 300}, {1, 0.15, 0, 320}});
    Open();
    Press("TSort");
    EXPECT_EQ(Times(), (std::vector<double>{1, 1, 2, 3}));
    EXPECT_EQ(ExpDaten[1].c[1], 0.1);  // equal times keep their order
    EXPECT_EQ(ExpDaten[2].c[1], 0.15);
    EXPECT_EQ(ExpDaten[4].exclude, kTrue);
    EXPECT_TRUE(Grid().Checked(3, 1));
    Press("TemperaturSort");
    EXPECT_EQ(Times(), (std::vector<double>{2, 3, 1, 1}));
}

TEST_F(DataEditorTest, SelectedBlockIsCopiedAsShownAndZeroed) {
    SetData({{1, 0.5, 0.1}, {2, 0.25, 0.2}, {3, 0.125, 0.3}});
    Open();
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
    EXPECT_EQ(ExpDaten[1].c[1], 0);
    EXPECT_EQ(ExpDaten[2].c[2], 0);
    EXPECT_EQ(ExpDaten[1].t, 1);
    EXPECT_EQ(ExpDaten[3].c[1], 0.125);
    EXPECT_EQ(Grid().Text(1, 3), "0             ");
    Grid().Select(2, 2, 2, 2);
    QTest::keyClick(Grid().findChild<QTableWidget*>(), Qt::Key_Delete);
    EXPECT_EQ(ExpDaten[3].t, 0);
}

TEST_F(DataEditorTest, PastedLinesBecomeRowsAndTheEmptyLastLineIsDropped) {
    Open();
    SetClipboard("1\t2\r\n3\t4\r\n");
    Press("cmdClipEinfuegen");
    EXPECT_EQ(Times(), (std::vector<double>{1, 3}));
    EXPECT_EQ(ExpDaten[2].c[1], 4);
    EXPECT_EQ(Grid().Text(1, 0), "2  ");
    EXPECT_FALSE(Grid().IsCellPlain(0, 1));  // the first row has its check box
    EXPECT_EQ(ExpDataChanged, kTrue);  // pasted data are not lost without the save question
}

TEST_F(DataEditorTest, PasteAtTheLastRowEnlargesAndKeepsRowsBelowThePaste) {
    SetData({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
    Open();
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
    ASSERT_EQ(nMesspunkte, 7);
    EXPECT_EQ(ExpDaten[7].c[1], -2);
}

TEST_F(DataEditorTest, MarkedRowsAreRemovedAfterAQuestion) {
    SetData({{1}, {2}, {3}, {4}, {5}});
    frmDatedit& w = Open();
    Grid().Select(1, 2, 2, 5);
    rec.QueueAnswer(platform::vbNo);
    Press("cmdErase");
    EXPECT_EQ(rec.Last().prompt, "Zeilen 2 bis 3 wirklich entfernen?");
    EXPECT_EQ(rec.Last().style, platform::vbYesNo + platform::vbQuestion);
    EXPECT_EQ(nMesspunkte, 5);
    rec.QueueAnswer(platform::vbYes);
    Press("cmdErase");
    EXPECT_EQ(Times(), (std::vector<double>{1, 4, 5}));
    EXPECT_EQ(Grid().Rows(), 3);
    EXPECT_EQ(ExpDataChanged, kTrue);

    Grid().Select(0, 2, 2, 2);
    rec.QueueAnswer(platform::vbYes);
    Press("cmdErase");
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");
    EXPECT_EQ(w.EditModus(), 0);
    EXPECT_EQ(Text("lblZeile"), "Zeile 1");
    Press("cmdErase");
    EXPECT_EQ(rec.Beeps(), 1);
}

// Every change of the data set sets the changed flag, so that the exit asks, and reaches the file.
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
        {"cell edit, Enter", [&] { editCell([](QLineEdit* c) { QTest::keyClick(c, Qt::Key_Return); }); }, cA1(0.125)},
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
        testsupport::UnloadAll();
        SetData({});
        Open();
        dialogs.openAnswer = WriteTA3("F.TA3", "s", {{2, 0.5, 0, 320}, {1, 0.25, 0, 300}});
        Press("cmdLoadFile");
        ASSERT_EQ(ExpDataChanged, 0);
        c.change();
        EXPECT_EQ(ExpDataChanged, kTrue);
        dialogs.saveAnswer = Path("G.TA3");
        Press("cmdSave");
        EXPECT_EQ(ExpDataChanged, 0);
        ReadBack(dialogs.saveAnswer);
        c.expectInFile();
    }
}

TEST_F(DataEditorTest, TypingIntoACellStoresTheValueOnEnter) {
    SetData({{1, 0.5}, {2, 0.25}});
    Open();
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
    EXPECT_EQ(ExpDataChanged, kTrue);
    EXPECT_EQ(Text("lblZeile"), "Zeile 2");

    // Escape restores the stored value; a cell whose input field is disabled shows its stored text again.
    auto typeInto = [this](int col, Qt::Key end) {
        auto* cell = EditCell(0, col);
        ASSERT_NE(cell, nullptr);
        QTest::keyClicks(cell, "9");
        QTest::keyClick(cell, end);
    };
    typeInto(3, Qt::Key_Escape);
    EXPECT_EQ(Grid().Text(0, 3), "0.5           ");
    EXPECT_EQ(ExpDaten[1].c[1], 0.5);
    Y(4)->setEnabled(false);
    typeInto(6, Qt::Key_Tab);
    EXPECT_EQ(Grid().Text(0, 6), "0             ");
    EXPECT_EQ(ExpDaten[1].c[4], 0);
}

// Numbers the data file cannot carry are refused where they are typed, with the field named, and change
// nothing; the largest numbers it carries are taken and come back from the saved file.
TEST_P(DataEditorRoad, NumbersBeyondTheFileAreRefusedWhereTyped) {
    SetData({{1, 0.5}});
    Open();
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
        EXPECT_NE(rec.Last().prompt.find(std::string("im Feld ") + r.field + " liegt"), std::string::npos)
            << rec.Last().prompt;
        EXPECT_EQ(nMesspunkte, 1);
        EXPECT_EQ(ExpDaten[1].t, before[1].t);
        EXPECT_EQ(ExpDaten[1].c[1], before[1].c[1]);
        EXPECT_EQ(ExpDaten[1].lambda, before[1].lambda);
        EXPECT_EQ(lambdaInf, 0.0);
    }
    // The same in a cell: the row keeps its value and the cell shows it again.
    Grid().EditCell(0, 2);
    auto* cell = Grid().findChild<QTableWidget*>()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    cell->clear();
    QTest::keyClicks(cell, "5E+40");
    rec.Clear();
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(ExpDaten[1].t, before[1].t);
    EXPECT_EQ(Grid().Text(0, 2), "1             ");

    // In edit mode the input line takes the row over.
    Y(0)->setText("3.402823E+38");
    Y(1)->setText("1.7976931348623157E+308");
    Y(2)->setText("1E-400");  // below the smallest Double: simply 0
    Y(6)->setText("-3.402823E+38");
    Find<QLineEdit>("lambda_infin")->setText("3.402823E+38");
    Press("OKinput");
    ASSERT_EQ(nMesspunkte, 1);
    const ExpPunkt typed = ExpDaten[1];
    EXPECT_EQ(typed.c[1], std::numeric_limits<double>::max());
    EXPECT_EQ(typed.c[2], 0.0);
    int written = 0, append = 0, loaded = 0;
    WriteDataFile(Path("grenzen.TA3"), written);
    ASSERT_EQ(written, kTrue);
    LoadExpFile(Path("grenzen.TA3"), append, loaded);
    ASSERT_EQ(loaded, kTrue);
    EXPECT_EQ(static_cast<float>(ExpDaten[1].t), static_cast<float>(typed.t));
    EXPECT_EQ(ExpDaten[1].c[1], typed.c[1]);
    EXPECT_EQ(ExpDaten[1].lambda, typed.lambda);
    EXPECT_EQ(lambdaInf, 3.402823E+38f);
}

}  // namespace
}  // namespace datatest
