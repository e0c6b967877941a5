// Table operations of the data editor: sorting, clipboard blocks, zeroing cells, removing rows,
// switching rows inactive, typing into cells, and the main window's pop-up menu.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

#include "tests/experiment/DataEditorFixture.h"

namespace datatest {
namespace {

using namespace kernel;

std::vector<double> Times() {
    std::vector<double> t;
    for (int i = 1; i <= nMesspunkte; ++i) t.push_back(ExpDaten[static_cast<std::size_t>(i)].t);
    return t;
}

void SetClipboard(const char* text) { QApplication::clipboard()->setText(QString::fromUtf8(text)); }

TEST_F(DataEditorTest, SortingCarriesWholeRowsAndKeepsEqualKeysInOrder) {
    Open();
    Press("TSort");
    EXPECT_EQ(beeps, 1);  // nothing to sort
    CloseAll();
    SetData({{3, 0.3, 0, 310, 0, -1}, {1, 0.1, 0, 330}, {2, 0.2, 0, 300}, {1, 0.15, 0, 320}});
    Open();
    Press("TSort");
    EXPECT_EQ(Times(), (std::vector<double>{1, 1, 2, 3}));
    EXPECT_EQ(ExpDaten[1].c[1], 0.1);  // equal times keep their order
    EXPECT_EQ(ExpDaten[2].c[1], 0.15);
    EXPECT_EQ(ExpDaten[4].exclude, kTrue);
    EXPECT_TRUE(Grid().Checked(3, 1));
    EXPECT_EQ(ExpDataChanged, 0);
    Press("TemperaturSort");
    EXPECT_EQ(Times(), (std::vector<double>{2, 3, 1, 1}));
}

TEST_F(DataEditorTest, SelectedBlockIsCopiedAsShown) {
    SetData({{1, 0.5}, {2, 0.25}});
    Open();
    Grid().Select(0, 2, 1, 3);
    Press("cmdClipboard");
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "1             \t0.5           \r\n2             \t0.25          ");
    SetClipboard("");
    Grid().Select(1, 3, 1, 3);
    QTest::keyClick(Grid().findChild<QTableWidget*>(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "0.25          ");
}

TEST_F(DataEditorTest, PastedLinesBecomeRowsAndTheEmptyLastLineIsDropped) {
    Open();
    SetClipboard("1\t2\r\n3\t4\r\n");
    Press("cmdClipEinfuegen");
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(ExpDaten[1].t, 1);
    EXPECT_EQ(ExpDaten[1].c[1], 2);
    EXPECT_EQ(ExpDaten[2].t, 3);
    EXPECT_EQ(ExpDaten[2].c[1], 4);
    EXPECT_EQ(Grid().Rows(), 2);
    EXPECT_EQ(Grid().Text(1, 0), "2  ");
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

TEST_F(DataEditorTest, SelectedCellsBecomeZero) {
    SetData({{1, 0.5, 0.1}, {2, 0.25, 0.2}, {3, 0.125, 0.3}});
    Open();
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

TEST_F(DataEditorTest, MarkedRowsAreRemovedAfterAQuestion) {
    SetData({{1}, {2}, {3}, {4}, {5}});
    frmDatedit& w = Open();
    Grid().Select(1, 2, 2, 5);
    recorder.QueueAnswer(platform::vbNo);
    Press("cmdErase");
    EXPECT_EQ(recorder.Last().prompt, "Zeilen 2 bis 3 wirklich entfernen?");
    EXPECT_EQ(recorder.Last().style, platform::vbYesNo + platform::vbQuestion);
    EXPECT_EQ(nMesspunkte, 5);
    Grid().Select(1, 2, 2, 5);
    recorder.QueueAnswer(platform::vbYes);
    Press("cmdErase");
    EXPECT_EQ(Times(), (std::vector<double>{1, 4, 5}));
    EXPECT_EQ(Grid().Rows(), 3);
    EXPECT_EQ(ExpDataChanged, kTrue);

    Grid().Select(0, 2, 2, 2);
    recorder.QueueAnswer(platform::vbYes);
    Press("cmdErase");
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");
    EXPECT_EQ(w.EditModus(), 0);
    EXPECT_EQ(Text("lblZeile"), "Zeile 1");
    Press("cmdErase");
    EXPECT_EQ(beeps, 1);
}

TEST_F(DataEditorTest, RowsSwitchInactiveByButtonAndByTick) {
    SetData({{1}, {2}});
    Open();
    Grid().SetCurrentCell(1, 2);
    Press("cmdAus");
    EXPECT_EQ(ExpDaten[2].exclude, kTrue);
    EXPECT_TRUE(Grid().Checked(1, 1));
    Press("cmdAus");
    EXPECT_EQ(ExpDaten[2].exclude, 0);
    auto* table = Grid().findChild<QTableWidget*>();
    table->model()->setData(table->model()->index(0, 1), Qt::Checked, Qt::CheckStateRole);  // the user's tick
    EXPECT_EQ(ExpDaten[1].exclude, kTrue);
    EXPECT_EQ(editor->AktZeile(), 1);
}

TEST_F(DataEditorTest, TypingIntoACellStoresTheValueOnEnter) {
    SetData({{1, 0.5}, {2, 0.25}});
    Open();
    Grid().EditCell(1, 3);
    auto* cell = Grid().findChild<QTableWidget*>()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    cell->clear();
    QTest::keyClicks(cell, "0,75");
    EXPECT_EQ(cell->text(), "0.75");
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(ExpDaten[2].c[1], 0.75);
    EXPECT_EQ(Y(1)->text(), "0.75");
    EXPECT_EQ(ExpDataChanged, kTrue);
    EXPECT_EQ(Text("lblZeile"), "Zeile 2");

    DezKomma = kTrue;  // a locale with a decimal comma shows the comma, the value is read with a point
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the closed cell editor
    Grid().EditCell(0, 2);
    cell = Grid().findChild<QTableWidget*>()->findChild<QLineEdit*>();
    ASSERT_NE(cell, nullptr);
    cell->clear();
    QTest::keyClicks(cell, "1.5");
    EXPECT_EQ(cell->text(), "1,5");
    QTest::keyClick(cell, Qt::Key_Return);
    EXPECT_EQ(ExpDaten[1].t, 1.5);
}

TEST_F(DataEditorTest, PopupMenuOfTheMainWindowPressesTheButtons) {
    SetData({{1}, {2}});
    Open();
    auto* table = Grid().findChild<QTableWidget*>();
    QTest::mouseClick(table->viewport(), Qt::RightButton, {}, table->visualRect(table->model()->index(0, 2)).center());
    auto* popup = Host()->findChild<QMenu*>("mnuEdit1");
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    popup->close();
    Grid().Select(0, 2, 0, 2);
    recorder.QueueAnswer(platform::vbYes);
    Host()->findChild<QAction*>("mnuSubDelLine1")->trigger();
    EXPECT_EQ(recorder.Last().prompt, "Zeile 1 wirklich entfernen?");
    EXPECT_EQ(Times(), (std::vector<double>{2}));
}

}  // namespace
}  // namespace datatest
