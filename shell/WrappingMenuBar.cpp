#include "shell/WrappingMenuBar.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <utility>

namespace shell {

namespace {

void SendKey(QWidget* to, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &press);
}

}  // namespace

// The rows' own key handling moves within a row; the arrow keys that cross a row's end are taken here.
// An open menu hands them to the row that opened it.
WrappingMenuBar::WrappingMenuBar(QWidget* parent) : QMenuBar(parent) { installEventFilter(this); }

bool WrappingMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    auto* row = qobject_cast<QMenuBar*>(watched);
    if (!row || (key != Qt::Key_Left && key != Qt::Key_Right)) return false;
    return StepAcrossRows(row, (key == Qt::Key_Right) != isRightToLeft() ? 1 : -1);
}

QMenuBar* WrappingMenuBar::RowOf(QAction* action) const {
    if (actions().contains(action)) return const_cast<WrappingMenuBar*>(this);
    for (QMenuBar* row : rows_)
        if (row->actions().contains(action)) return row;
    return nullptr;
}

bool WrappingMenuBar::StepAcrossRows(QMenuBar* row, int step) {
    QAction* current = row->activeAction();
    if (!current || rows_.empty()) return false;
    // The titles the keyboard reaches, in the order of all rows: as in one bar, hidden entries and
    // separators are passed over, and disabled ones unless the style highlights them.
    const bool disabledToo = style()->styleHint(QStyle::SH_Menu_AllowActiveAndDisabled, nullptr, this);
    std::vector<QAction*> titles;
    for (QAction* a : order_)
        if (a && a->isVisible() && !a->isSeparator() && (disabledToo || a->isEnabled())) titles.push_back(a);
    const auto at = std::find(titles.begin(), titles.end(), current);
    if (at == titles.end()) return false;
    const auto n = static_cast<std::ptrdiff_t>(titles.size());
    QAction* next = titles[static_cast<std::size_t>(((at - titles.begin()) + step + n) % n)];
    QMenuBar* target = RowOf(next);
    if (!target || target == row) return false;

    const bool menuWasOpen = QApplication::activePopupWidget() != nullptr;
    // Leave the row as Escape leaves it: its menus close, its highlight goes and the keyboard goes
    // back to the widget that had it.
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    SendKey(row, Qt::Key_Escape);

    // The target row takes the keyboard as after Escape from one of its menus, so that it gives the
    // keyboard back as a row does: an empty menu of its own is opened unseen there and closed, and the
    // title is highlighted as the pointer highlights it. No menu of the program opens on the way.
    QMenu probe;
    probe.addAction(QString());
    probe.setAttribute(Qt::WA_DontShowOnScreen, true);
    const bool wasMoving = std::exchange(moving_, true);
    target->insertAction(next, probe.menuAction());
    target->setActiveAction(probe.menuAction());
    SendKey(&probe, Qt::Key_Escape);
    target->removeAction(probe.menuAction());
    moving_ = wasMoving;
    const QPointF over = target->actionGeometry(next).center();
    QMouseEvent move(QEvent::MouseMove, over, target->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    // Its menu opens, its first entry highlighted, when a menu was open before.
    if (menuWasOpen && next->menu()) SendKey(target, Qt::Key_Down);
    return true;
}

int WrappingMenuBar::RowHeight() const { return QMenuBar::sizeHint().height(); }

QSize WrappingMenuBar::sizeHint() const {
    const QSize one = QMenuBar::sizeHint();
    return {one.width(), one.height() * Rows()};
}

QSize WrappingMenuBar::minimumSizeHint() const {
    const QSize one = QMenuBar::minimumSizeHint();
    return {one.width(), RowHeight() * Rows()};
}

int WrappingMenuBar::heightForWidth(int width) const {
    return RowHeight() * static_cast<int>(Spread(width).size());
}

void WrappingMenuBar::actionEvent(QActionEvent* event) {
    QMenuBar::actionEvent(event);
    if (moving_) return;
    QAction* action = event->action();
    if (event->type() == QEvent::ActionAdded) {
        // A new entry goes after the one it was inserted before, or at the end.
        auto before = std::find(order_.begin(), order_.end(), event->before());
        if (std::find(order_.begin(), order_.end(), action) == order_.end()) order_.insert(before, action);
        Reflow();
    } else if (event->type() == QEvent::ActionRemoved) {
        order_.erase(std::remove(order_.begin(), order_.end(), action), order_.end());
        Reflow();
    } else if (event->type() == QEvent::ActionChanged && action->isVisible() != shown_.contains(action)) {
        Reflow();  // an entry shown or hidden changes what fits
    }
}

void WrappingMenuBar::resizeEvent(QResizeEvent* event) {
    QMenuBar::resizeEvent(event);
    if (event->size().width() != event->oldSize().width()) Reflow();
}

std::vector<std::vector<QAction*>> WrappingMenuBar::Spread(int width) const {
    // The width each entry takes, measured on a bar of the same style and font.
    QMenuBar probe;
    probe.setFont(font());
    probe.resize(100000, RowHeight());
    const int spacing = style()->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, this);
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this) +
                            style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this));
    const int room = std::max(1, width - margin);

    std::vector<std::vector<QAction*>> rows(1);
    int used = 0;
    for (QAction* action : order_) {
        if (!action) continue;
        int w = 0;
        if (action->isVisible()) {
            probe.addAction(action);
            w = probe.actionGeometry(action).width() + spacing;
            probe.removeAction(action);
        }
        if (used > 0 && used + w > room) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(action);
        used += w;
    }
    return rows;
}

void WrappingMenuBar::showEvent(QShowEvent* event) {
    QMenuBar::showEvent(event);
    Reflow();
}

void WrappingMenuBar::Reflow() {
    if (moving_) return;
    moving_ = true;
    order_.erase(std::remove(order_.begin(), order_.end(), nullptr), order_.end());
    shown_.clear();
    for (QAction* action : order_)
        if (action->isVisible()) shown_.insert(action);
    // While the bar is hidden (being built) every entry stays in the first row, so that an entry
    // inserted before another one finds it there.
    const std::vector<std::vector<QAction*>> rows =
        isVisible() ? Spread(width()) : std::vector<std::vector<QAction*>>{{order_.begin(), order_.end()}};

    for (QAction* action : actions()) removeAction(action);
    for (QMenuBar* row : rows_)
        for (QAction* action : row->actions()) row->removeAction(action);
    while (rows_.size() + 1 < rows.size()) {
        auto* row = new QMenuBar(this);
        row->setObjectName(QStringLiteral("MenuBarRow%1").arg(rows_.size() + 2));
        row->installEventFilter(this);
        rows_.push_back(row);
    }
    while (rows_.size() + 1 > rows.size()) {
        delete rows_.back();
        rows_.pop_back();
    }
    addActions(QList<QAction*>(rows[0].begin(), rows[0].end()));
    const int h = RowHeight();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->addActions(QList<QAction*>(rows[i + 1].begin(), rows[i + 1].end()));
        rows_[i]->setGeometry(0, h * static_cast<int>(i + 1), width(), h);
        rows_[i]->show();
    }
    moving_ = false;
    updateGeometry();
}

}  // namespace shell
