#include "platform/Grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "platform/FixedPitchFont.h"
#include "platform/Twips.h"

namespace platform {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int ButtonCode(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

// The system's key codes for the keys the editors look at; 0 for others.
int KeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

// Splits at CR LF, CR or LF.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += ch;
        }
    }
    return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cells(1);
    for (const char ch : line) {
        if (ch == '\t') cells.emplace_back();
        else cells.back() += ch;
    }
    return cells;
}

}  // namespace

class Grid::Impl {
public:
    GridTable* table = nullptr;
    std::vector<bool> checkCols;
    int program = 0;  // > 0 while the program writes cells
    int bulk = 0;     // > 0 while rows are rebuilt: no cell events at all
    QPointer<QLineEdit> editor;
    QPersistentModelIndex editIndex;
    bool editable = false;

    bool IsCheck(int col) const { return col >= 0 && col < static_cast<int>(checkCols.size()) && checkCols[col]; }
    // The item of a cell; a missing one is made an editable text cell (without cell events).
    QTableWidgetItem* TextCell(int row, int col);
};

// The table underneath: reports keys and mouse clicks to the grid before it handles them itself.
class GridTable : public QTableWidget {
public:
    explicit GridTable(Grid* grid) : QTableWidget(grid), grid_(grid) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int original = KeyCode(event->key());
        int code = original;
        if (code != 0) emit grid_->KeyDown(code, ShiftState(event->modifiers()));
        if (original != 0 && code == 0) return;  // the owner took the key
        // Copy and paste belong to the grid's owner; the table's own copy would take one cell only.
        if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste)) return;
        const int row = currentRow(), col = currentColumn();
        QTableWidget::keyPressEvent(event);
        if (currentRow() != row || currentColumn() != col) emit grid_->EnterCell();
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        QTableWidget::keyReleaseEvent(event);
        if (const int code = KeyCode(event->key())) emit grid_->KeyUp(code, ShiftState(event->modifiers()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        QTableWidget::mousePressEvent(event);
        const QPoint p = viewport()->mapTo(grid_, event->position().toPoint());
        emit grid_->MouseDown(ButtonCode(event->button()), ShiftState(event->modifiers()), p.x(), p.y());
        if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit grid_->EnterCell();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        QTableWidget::mouseReleaseEvent(event);
        const QPoint p = viewport()->mapTo(grid_, event->position().toPoint());
        emit grid_->MouseUp(ButtonCode(event->button()), ShiftState(event->modifiers()), p.x(), p.y());
    }

private:
    Grid* grid_;
};

// Editing in place: every typed character is offered to the grid's owner first.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(Grid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        grid_->d_->editor = qobject_cast<QLineEdit*>(editor);
        grid_->d_->editIndex = index;
        return editor;
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == grid_->d_->editor) grid_->d_->editor = nullptr;  // no text of a closed editor
        QStyledItemDelegate::destroyEditor(editor, index);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* edit = qobject_cast<QLineEdit*>(object);
        if (event->type() != QEvent::KeyPress || !edit || edit != grid_->d_->editor)
            return QStyledItemDelegate::eventFilter(object, event);
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const QModelIndex index = grid_->d_->editIndex;
        int key = 0;
        if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) key = 13;
        else if (keyEvent->key() == Qt::Key_Backspace) key = 8;
        else if (keyEvent->text().size() == 1 && keyEvent->text().at(0).unicode() >= 32)
            key = keyEvent->text().at(0).unicode();
        if (key == 0 || !index.isValid()) return QStyledItemDelegate::eventFilter(object, event);

        if (key == 13) {
            emit commitData(edit);  // the cell holds the typed text before the owner reads it
            int k = 13;
            emit grid_->KeyPressEdit(index.row(), index.column(), k);
            emit closeEditor(edit, QAbstractItemDelegate::NoHint);
            return true;
        }
        int k = key;
        emit grid_->KeyPressEdit(index.row(), index.column(), k);
        if (k == 0) return true;
        if (k != key) {
            edit->insert(QString(QChar(k)));
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    Grid* grid_;
};

Grid::Grid(QWidget* parent) : QWidget(parent), d_(new Impl) {
    d_->table = new GridTable(this);
    d_->table->setObjectName("GridTable");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(d_->table);
    d_->table->horizontalHeader()->hide();
    d_->table->verticalHeader()->hide();
    d_->table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    d_->table->setSelectionBehavior(QAbstractItemView::SelectItems);
    d_->table->setItemDelegate(new GridDelegate(this));
    d_->table->setWordWrap(false);
    d_->table->setTextElideMode(Qt::ElideNone);  // padded numbers are cut, not shortened with dots
    d_->table->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(d_->table);
    SetEditable(false);

    connect(d_->table, &QTableWidget::currentCellChanged, this, [this](int, int, int, int) {
        if (d_->bulk == 0) emit RowColChange();
    });
    connect(d_->table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (d_->bulk > 0) return;
        const int row = item->row(), col = item->column();
        emit CellChanged(row, col);
        if (d_->program == 0) emit AfterEdit(row, col);
    });
}

Grid::~Grid() { delete d_; }

namespace {

// Counts the program's writes, so that item changes are not taken for the user's.
struct Guard {
    explicit Guard(int& counter) : c(counter) { ++c; }
    ~Guard() { --c; }
    int& c;
};

}  // namespace

QTableWidgetItem* Grid::Impl::TextCell(int row, int col) {
    QTableWidgetItem* item = table->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        Guard quiet(bulk);
        table->setItem(row, col, item);
    }
    return item;
}

// ---- Shape --------------------------------------------------------------------------------------

int Grid::Rows() const { return d_->table->rowCount(); }

void Grid::SetRows(int rows) {
    Guard bulk(d_->bulk);
    const int old = Rows();
    d_->table->setRowCount(std::max(0, rows));
    for (int r = old; r < Rows(); ++r) {
        for (int c = 0; c < Cols(); ++c) {
            if (!d_->IsCheck(c)) continue;
            auto* item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            d_->table->setItem(r, c, item);
        }
    }
}

int Grid::Cols() const { return d_->table->columnCount(); }

void Grid::SetCols(int cols) {
    Guard bulk(d_->bulk);
    d_->table->setColumnCount(std::max(0, cols));
    d_->checkCols.resize(static_cast<std::size_t>(Cols()), false);
}

void Grid::SetColWidth(int col, int twips) { d_->table->setColumnWidth(col, TwipsToPixels(twips)); }

int Grid::ColWidth(int col) const { return PixelsToTwips(d_->table->columnWidth(col)); }

void Grid::SetCheckColumn(int col, bool on) {
    if (col < 0 || col >= Cols()) return;
    d_->checkCols[static_cast<std::size_t>(col)] = on;
    Guard bulk(d_->bulk);
    for (int r = 0; r < Rows(); ++r) {
        QTableWidgetItem* item = d_->table->item(r, col);
        if (!item) {
            item = new QTableWidgetItem;
            d_->table->setItem(r, col, item);
        }
        if (on) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        } else {
            item->setData(Qt::CheckStateRole, QVariant());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | (d_->editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        }
    }
}

bool Grid::IsCheckColumn(int col) const { return d_->IsCheck(col); }

void Grid::SetGridFont(const std::string& family, int pointSize) {
    const QFont font = FixedPitchFont(Q(family), pointSize);
    d_->table->setFont(font);
    d_->table->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
}

void Grid::SetEditable(bool on) {
    d_->editable = on;
    d_->table->setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed
                                  : QAbstractItemView::NoEditTriggers);
}

// ---- Rows -----------------------------------------------------------------------------------------

void Grid::AddItem(const std::string& tabSeparated) {
    const int row = Rows();
    SetRows(row + 1);
    Guard bulk(d_->bulk);
    const std::vector<std::string> cells = SplitTabs(tabSeparated);
    for (int c = 0; c < Cols() && c < static_cast<int>(cells.size()); ++c) SetText(row, c, cells[c]);
}

void Grid::RemoveItem(int row) {
    if (row < 0 || row >= Rows()) return;
    Guard bulk(d_->bulk);
    d_->table->removeRow(row);
}

void Grid::ClearCells() {
    Guard bulk(d_->bulk);
    for (int r = 0; r < Rows(); ++r) {
        for (int c = 0; c < Cols(); ++c) {
            QTableWidgetItem* item = d_->table->item(r, c);
            if (!item) continue;
            item->setText(QString());
            item->setData(Qt::BackgroundRole, QVariant());
            if (d_->IsCheck(c)) item->setCheckState(Qt::Unchecked);
        }
    }
}

// ---- Cells ------------------------------------------------------------------------------------------

std::string Grid::Text(int row, int col) const {
    const QTableWidgetItem* item = d_->table->item(row, col);
    return item ? item->text().toStdString() : std::string();
}

void Grid::SetText(int row, int col, const std::string& text) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return;
    Guard program(d_->program);
    d_->TextCell(row, col)->setText(Q(text));
}

void Grid::SetCellPlain(int row, int col) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return;
    Guard bulk(d_->bulk);
    QTableWidgetItem* item = d_->TextCell(row, col);
    item->setData(Qt::CheckStateRole, QVariant());
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

bool Grid::IsCellPlain(int row, int col) const {
    const QTableWidgetItem* item = d_->table->item(row, col);
    return item && !(item->flags() & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)) &&
           !item->data(Qt::CheckStateRole).isValid();
}

bool Grid::Checked(int row, int col) const {
    const QTableWidgetItem* item = d_->table->item(row, col);
    return item && d_->IsCheck(col) && item->checkState() == Qt::Checked;
}

void Grid::SetChecked(int row, int col, bool checked) {
    if (!d_->IsCheck(col)) return;
    QTableWidgetItem* item = d_->table->item(row, col);
    if (!item) return;
    Guard program(d_->program);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void Grid::SetCellBackColor(int row, int col, int rgb) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return;
    Guard bulk(d_->bulk);
    QTableWidgetItem* item = d_->TextCell(row, col);
    if (rgb < 0) item->setData(Qt::BackgroundRole, QVariant());
    else item->setBackground(QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF));
}

int Grid::CellBackColor(int row, int col) const {
    const QTableWidgetItem* item = d_->table->item(row, col);
    if (!item || !item->data(Qt::BackgroundRole).isValid()) return -1;
    const QColor c = item->background().color();
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

// ---- Current cell and selection ----------------------------------------------------------------------

int Grid::Row() const { return d_->table->currentRow(); }
int Grid::Col() const { return d_->table->currentColumn(); }

void Grid::SetCurrentCell(int row, int col) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return;
    d_->table->setCurrentCell(row, col, QItemSelectionModel::ClearAndSelect);
}

void Grid::ShowCell(int row, int col) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return;
    d_->table->scrollTo(d_->table->model()->index(row, col));
}

void Grid::Select(int row1, int col1, int row2, int col2) {
    if (Rows() == 0 || Cols() == 0) return;
    auto clampRow = [this](int r) { return std::clamp(r, 0, Rows() - 1); };
    auto clampCol = [this](int c) { return std::clamp(c, 0, Cols() - 1); };
    row1 = clampRow(row1), row2 = clampRow(row2), col1 = clampCol(col1), col2 = clampCol(col2);
    SetCurrentCell(row1, col1);
    d_->table->clearSelection();
    d_->table->setRangeSelected(
        QTableWidgetSelectionRange(std::min(row1, row2), std::min(col1, col2), std::max(row1, row2), std::max(col1, col2)),
        true);
}

bool Grid::SelectedBlock(int& row1, int& col1, int& row2, int& col2) const {
    const QList<QTableWidgetSelectionRange> ranges = d_->table->selectedRanges();
    if (!ranges.isEmpty()) {
        row1 = ranges.front().topRow();
        row2 = ranges.front().bottomRow();
        col1 = ranges.front().leftColumn();
        col2 = ranges.front().rightColumn();
        for (const QTableWidgetSelectionRange& r : ranges) {
            row1 = std::min(row1, r.topRow());
            row2 = std::max(row2, r.bottomRow());
            col1 = std::min(col1, r.leftColumn());
            col2 = std::max(col2, r.rightColumn());
        }
        return true;
    }
    if (Row() < 0 || Col() < 0) return false;
    row1 = row2 = Row();
    col1 = col2 = Col();
    return true;
}

std::string Grid::ClipText() const {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!SelectedBlock(r1, c1, r2, c2)) return {};
    std::string text;
    for (int r = r1; r <= r2; ++r) {
        if (r > r1) text += "\r\n";
        for (int c = c1; c <= c2; ++c) {
            if (c > c1) text += '\t';
            text += Text(r, c);
        }
    }
    return text;
}

void Grid::SetClipText(const std::string& text) {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!SelectedBlock(r1, c1, r2, c2)) return;
    std::vector<std::string> lines = SplitLines(text);
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    for (int i = 0; i < static_cast<int>(lines.size()) && r1 + i <= r2; ++i) {
        const std::vector<std::string> cells = SplitTabs(lines[static_cast<std::size_t>(i)]);
        for (int j = 0; j < static_cast<int>(cells.size()) && c1 + j <= c2; ++j)
            SetText(r1 + i, c1 + j, cells[static_cast<std::size_t>(j)]);
    }
}

int Grid::LineCount(const std::string& text) { return static_cast<int>(SplitLines(text).size()); }

void Grid::EditCell(int row, int col) {
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols() || d_->IsCheck(col)) return;
    SetCurrentCell(row, col);
    if (!d_->table->item(row, col)) SetText(row, col, "");
    d_->table->editItem(d_->table->item(row, col));
}

std::string Grid::EditText() const { return d_->editor ? d_->editor->text().toStdString() : std::string(); }

}  // namespace platform
