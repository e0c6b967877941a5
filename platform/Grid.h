#pragma once
// The table control of the data editor and the X-Y editor: rows and columns of text cells without
// header rows, a check-box column, cell colours, a current cell, a selected block whose text goes
// to and comes from the clipboard (Tab between cells, CR LF between rows), in-place editing, and
// the events the editors handle. Rows and columns count from 0; widths are in twips.
#include <QWidget>

#include <string>

namespace platform {

class GridTable;

class Grid : public QWidget {
    Q_OBJECT

public:
    explicit Grid(QWidget* parent = nullptr);
    ~Grid() override;

    // ---- Shape -----------------------------------------------------------------------------
    int Rows() const;
    // New rows are empty; a smaller count drops the rows at the end.
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);
    void SetColWidth(int col, int twips);
    int ColWidth(int col) const;
    // Cells of the column show a check box instead of editable text.
    void SetCheckColumn(int col, bool on);
    bool IsCheckColumn(int col) const;
    // The named font; where the system lacks it, one with equally wide characters, so padded columns
    // line up (FixedPitchFont).
    void SetGridFont(const std::string& family, int pointSize);
    // Cells may be edited in place (typing or double click starts editing).
    void SetEditable(bool on);

    // ---- Rows --------------------------------------------------------------------------------
    // Appends a row: the text is split at Tabs into the cells from column 0 on.
    void AddItem(const std::string& tabSeparated);
    void RemoveItem(int row);
    // Empties every cell (text, check, colour) and keeps the rows.
    void ClearCells();

    // ---- Cells -------------------------------------------------------------------------------
    std::string Text(int row, int col) const;
    void SetText(int row, int col, const std::string& text);
    // The cell shows its text only: no check box, no editing (rows that hold no data).
    void SetCellPlain(int row, int col);
    bool IsCellPlain(int row, int col) const;
    bool Checked(int row, int col) const;
    void SetChecked(int row, int col, bool checked);
    // Background as an RGB Long (r + 256 g + 65536 b); -1 = the default background.
    void SetCellBackColor(int row, int col, int rgb);
    int CellBackColor(int row, int col) const;

    // ---- Current cell and selection -----------------------------------------------------------
    // -1 when the grid has no current cell.
    int Row() const;
    int Col() const;
    // Makes the cell current and selects it alone; runs RowColChange when the cell changed.
    void SetCurrentCell(int row, int col);
    void ShowCell(int row, int col);
    // Selects the block between the two corners; (row1, col1) becomes the current cell.
    void Select(int row1, int col1, int row2, int col2);
    // The selected block with row1 <= row2 and col1 <= col2; the current cell when nothing else
    // is selected. False when the grid has no current cell and no selection.
    bool SelectedBlock(int& row1, int& col1, int& row2, int& col2) const;
    // Text of the selected block: cells joined by Tab, rows by CR LF.
    std::string ClipText() const;
    // Writes text into the selected block from its top-left cell: Tab moves to the next column, a
    // line break (CR LF, CR or LF) to the next row; what lies outside the block is dropped, and a
    // line break at the very end starts no further row.
    void SetClipText(const std::string& text);

    // Number of lines a clipboard text fills (1 + its line breaks, CR LF counted once).
    static int LineCount(const std::string& text);

    // Starts editing the cell in place, as a double click would (for tests and keyboard users).
    void EditCell(int row, int col);
    // The text of the cell being edited; empty when no cell is being edited.
    std::string EditText() const;

signals:
    // The current cell changed (by the user or the program).
    void RowColChange();
    // The user moved into a cell with the mouse or the keyboard.
    void EnterCell();
    // The text or check of a cell changed, by the program or the user.
    void CellChanged(int row, int col);
    // The user finished editing a cell or ticked its check box.
    void AfterEdit(int row, int col);
    // Keys on the grid outside editing, key codes of the system (65 'A', 46 Delete, 13 Enter, ...);
    // shift: 1 Shift, 2 Ctrl, 4 Alt. A handler that sets keyCode to 0 keeps the key from the grid.
    void KeyDown(int& keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    // button: 1 left, 2 right, 4 middle; x, y in pixels of the grid.
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    // A character typed into the cell being edited (13 Enter, 8 Backspace, else the character code).
    // The handler may change it or set it to 0 to drop it. Enter ends the editing and has stored
    // the typed text into the cell before this event.
    void KeyPressEdit(int row, int col, int& keyAscii);

private:
    friend class GridTable;
    friend class GridDelegate;
    class Impl;
    Impl* d_;
};

}  // namespace platform
