#include "shell/WrappingMenuBar.h"

#include <QAction>
#include <QActionEvent>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>

namespace shell {

WrappingMenuBar::WrappingMenuBar(QWidget* parent) : QMenuBar(parent) {}

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
