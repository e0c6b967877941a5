#pragma once
// The main window's menu bar: entries that do not fit the window's width go on in further rows
// below, so that every title stays in sight at once, instead of hiding behind an overflow
// button. Menus are added to it as to any QMenuBar and keep their order (once the bar is shown, an
// entry inserted before another one must be inserted before an entry of the first row). For the
// keyboard the rows are one bar: Left and Right walk the titles of all rows in their order.
#include <QMenuBar>
#include <QPointer>
#include <QSet>

#include <vector>

class QAction;

namespace shell {

class WrappingMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit WrappingMenuBar(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height of the rows the entries take at the given width.
    int heightForWidth(int width) const override;
    // The number of rows the entries take at the bar's width.
    int Rows() const { return static_cast<int>(rows_.size()) + 1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The visible entries row by row as they fit a bar of the given width.
    std::vector<std::vector<QAction*>> Spread(int width) const;
    // Spreads the entries over this bar and the rows below it for the bar's width.
    void Reflow();
    int RowHeight() const;
    // The row (this bar or one below it) that shows the entry, or null.
    QMenuBar* RowOf(QAction* action) const;
    // Moves the keyboard from the row's highlighted title to the next one of all rows (step +1 or
    // -1); false when that title lies in the same row, where the row moves itself.
    bool StepAcrossRows(QMenuBar* row, int step);

    std::vector<QPointer<QAction>> order_;  // every entry in the order it was added
    std::vector<QMenuBar*> rows_;           // the rows below the first, each a plain menu bar
    QSet<QAction*> shown_;                  // the entries visible at the last spreading
    bool moving_ = false;
};

}  // namespace shell
