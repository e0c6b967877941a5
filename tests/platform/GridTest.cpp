// The table control of the editors: Tab-separated rows, check-box cells, the selected block as
// clipboard text in both directions, and the events the editors rely on.
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Grid.h"
#include "tests/support/FontWidths.h"

namespace {

using platform::Grid;

class GridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(600, 300);
        grid.SetCols(4);
        grid.SetCheckColumn(1, true);
        grid.SetEditable(true);
    }
    QTableWidget* Table() { return grid.findChild<QTableWidget*>("GridTable"); }
    QLineEdit* Editor() { return Table()->findChild<QLineEdit*>(); }

    Grid grid;
};

TEST_F(GridTest, RowsFromTabSeparatedTextWithCheckCells) {
    grid.AddItem("1\t\t0.5\t2");
    grid.AddItem("2\t\tx");
    ASSERT_EQ(grid.Rows(), 2);
    const char* erwartet[2][4] = {{"1", "", "0.5", "2"}, {"2", "", "x", ""}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(grid.Text(r, c), erwartet[r][c]) << r << c;
    EXPECT_FALSE(grid.Checked(1, 1));
    grid.SetChecked(1, 1, true);
    EXPECT_TRUE(grid.Checked(1, 1));
    EXPECT_FALSE(grid.Checked(1, 2));  // not a check column

    grid.RemoveItem(0);
    ASSERT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Text(0, 2), "x");
    EXPECT_TRUE(grid.Checked(0, 1));
    grid.SetRows(3);
    EXPECT_FALSE(grid.Checked(2, 1));  // new rows bring unticked boxes
    const int lightBlue = 220 + 256 * 220 + 65536 * 240;
    grid.SetCellBackColor(0, 2, lightBlue);
    EXPECT_EQ(grid.CellBackColor(0, 2), lightBlue);
    grid.ClearCells();  // text, tick and colour
    EXPECT_EQ(std::make_tuple(grid.Text(0, 2), grid.Checked(0, 1), grid.CellBackColor(0, 2)),
              std::make_tuple("", false, -1));

    // A plain cell (the row of an empty list) shows no check box and cannot be edited.
    grid.SetCellPlain(1, 1);
    grid.SetCellPlain(1, 2);
    EXPECT_TRUE(grid.IsCellPlain(1, 1));
    EXPECT_FALSE(grid.IsCellPlain(2, 1));
    EXPECT_FALSE(Table()->item(1, 1)->data(Qt::CheckStateRole).isValid());
    grid.EditCell(1, 2);
    EXPECT_EQ(Editor(), nullptr);
}

// The named font when installed, else one whose characters are equally wide: padded number columns
// line up, whatever fonts the machine has and however they are marked.
TEST_F(GridTest, FontFallsBackToTheFixedPitchFont) {
    grid.SetGridFont("COURIER NEW", 9);
    EXPECT_TRUE(testsupport::CharactersEquallyWide(Table()->font()));
    EXPECT_EQ(Table()->font().pointSize(), 9);
    // The set-up's font first, so that every machine that has it makes the same choice.
    if (!QFontDatabase::hasFamily("Courier New") && QFontDatabase::hasFamily("DejaVu Sans Mono")) {
        EXPECT_EQ(QFontInfo(Table()->font()).family(), "DejaVu Sans Mono");
    }
    grid.SetGridFont("DejaVu Sans", 10);
    EXPECT_EQ(QFontInfo(Table()->font()).family(), "DejaVu Sans");
    EXPECT_FALSE(testsupport::CharactersEquallyWide(Table()->font()));
}

TEST_F(GridTest, SelectedBlockGoesToTheClipboardTextAndBack) {
    int r1 = -1, c1 = -1, r2 = -1, c2 = -1;
    EXPECT_FALSE(grid.SelectedBlock(r1, c1, r2, c2));  // no rows, no selection
    for (const char* row : {"1\t\ta\tb", "2\t\tc\td", "3\t\te\tf"}) grid.AddItem(row);
    grid.Select(2, 3, 0, 2);  // corners in any order
    ASSERT_TRUE(grid.SelectedBlock(r1, c1, r2, c2));
    EXPECT_EQ(std::make_tuple(r1, c1, r2, c2), std::make_tuple(0, 2, 2, 3));
    EXPECT_EQ(grid.Row(), 2);  // the first corner is current
    EXPECT_EQ(grid.ClipText(), "a\tb\r\nc\td\r\ne\tf");

    // Pasting: line ends of every kind, cells beyond the block dropped, a final line break ignored.
    grid.Select(1, 2, 2, 3);
    grid.SetClipText("x\ty\tz\nu\rv\r\n");
    // Above the block untouched; a line with one cell leaves the others.
    EXPECT_EQ(grid.ClipText(), "x\ty\r\nu\tf");
    EXPECT_EQ(grid.Text(0, 2), "a");
    for (const auto& [text, n] : {std::pair{"1\t2\r\n3\t4\r\n", 3}, {"1\n2\r3", 3}, {"", 1}})
        EXPECT_EQ(Grid::LineCount(text), n) << text;
}

TEST_F(GridTest, CurrentCellEventsComeFromChangesNotFromFilling) {
    int changes = 0, entered = 0, upButton = 0;
    QObject::connect(&grid, &Grid::RowColChange, [&] { ++changes; });
    QObject::connect(&grid, &Grid::MouseUp, [&](int b, int, int, int) { upButton = b; });
    QObject::connect(&grid, &Grid::EnterCell, [&] { ++entered; });
    grid.AddItem("1\t\ta");
    grid.AddItem("2\t\tb");
    EXPECT_EQ(changes, 0);
    grid.SetCurrentCell(1, 2);
    EXPECT_EQ(std::make_pair(grid.Row(), grid.Col()), std::make_pair(1, 2));
    EXPECT_EQ(std::make_pair(changes, entered), std::make_pair(1, 0));  // only the user enters a cell

    grid.show();
    const QRect cell = Table()->visualRect(Table()->model()->index(0, 3));
    QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(std::make_pair(grid.Row(), grid.Col()), std::make_pair(0, 3));
    EXPECT_EQ(std::make_tuple(changes, entered, upButton), std::make_tuple(2, 1, 1));
    QTest::mouseClick(Table()->viewport(), Qt::RightButton, {}, cell.center());
    EXPECT_EQ(upButton, 2);
}

TEST_F(GridTest, KeysReachTheOwnerWhoMayTakeThem) {
    grid.AddItem("1\t\ta");
    grid.SetCurrentCell(0, 2);
    std::vector<std::pair<int, int>> downs;
    bool take = true;
    QObject::connect(&grid, &Grid::KeyDown, [&](int& code, int shift) {
        if (code == 17) return;  // the Ctrl key itself
        downs.emplace_back(code, shift);
        if (take) code = 0;
    });
    QTest::keyClick(Table(), Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(Table(), Qt::Key_Delete);
    EXPECT_EQ(downs, (std::vector<std::pair<int, int>>{{67, 2}, {46, 0}}));
    EXPECT_EQ(Editor(), nullptr);  // a taken key starts no editing

    take = false;
    QTest::keyClick(Table(), Qt::Key_7);  // a key left to the grid starts editing
    ASSERT_NE(Editor(), nullptr);
}

TEST_F(GridTest, TypedCharactersPassTheOwnersFilterAndEnterCommitsFirst) {
    grid.AddItem("1\t\t");
    std::vector<int> keys;
    std::string textAtEnter;
    QObject::connect(&grid, &Grid::KeyPressEdit, [&](int row, int col, int& key) {
        EXPECT_EQ(std::make_pair(row, col), std::make_pair(0, 2));
        keys.push_back(key);
        if (key == ',') key = '.';
        if (key == 'x') key = 0;
        if (key == 13) textAtEnter = grid.Text(row, col);
    });
    int edits = 0;
    QObject::connect(&grid, &Grid::AfterEdit, [&](int, int) { ++edits; });
    grid.EditCell(0, 2);
    QLineEdit* editor = Editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "1,x5");
    EXPECT_EQ(grid.EditText(), "1.5");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ((std::vector<int>{'1', ',', 'x', '5', 13}), keys);
    EXPECT_EQ(textAtEnter, "1.5");
    EXPECT_EQ(grid.Text(0, 2), "1.5");
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(grid.EditText(), "");  // editing has ended
}

}  // namespace
