#pragma once
// The look of a window, by the metrics of the fonts its controls use: every caption fits its
// control, and no two visible controls of the same container overlap.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <string>
#include <vector>

namespace gametest {

inline std::string Name(const QWidget* w) {
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString();
}

// Width and height a control needs to show its caption whole.
inline QSize CaptionNeed(const QWidget* w) {
    const QFontMetrics fm(w->font());
    auto text = [](QString t) { return t.remove(QLatin1Char('&')); };
    if (auto* b = qobject_cast<const QRadioButton*>(w)) {
        const QStyle* s = w->style();
        return {s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                    s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w) +
                    fm.horizontalAdvance(text(b->text())) + 2,
                fm.height()};
    }
    if (auto* b = qobject_cast<const QCheckBox*>(w)) {
        const QStyle* s = w->style();
        return {s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                    s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w) + fm.horizontalAdvance(text(b->text())) + 2,
                fm.height()};
    }
    if (auto* b = qobject_cast<const QPushButton*>(w))  // the caption inside the button's frame
        return {fm.horizontalAdvance(text(b->text())) + 8, fm.height() + 4};
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty()) return {0, 0};
        if (l->wordWrap()) return {0, fm.boundingRect(QRect(0, 0, l->width(), 10000), Qt::TextWordWrap, l->text()).height()};
        return {fm.horizontalAdvance(l->text()), fm.height()};
    }
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return {fm.horizontalAdvance(g->title()) + 16, 0};
    return {0, 0};
}

// The containers whose children are the window's own controls: the window, frames and plain panels
// (not the inner parts of a chart, a table, a combo box or a text box).
inline bool IsContainer(const QWidget* w) {
    return qobject_cast<const QGroupBox*>(w) || w->metaObject() == &QWidget::staticMetaObject;
}

// Every control under `root` whose caption is cut, as "name: needs WxH, has WxH".
inline std::vector<std::string> CutCaptions(const QWidget* root) {
    std::vector<std::string> cut;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root)) continue;
        const QSize need = CaptionNeed(w);
        if (need.width() > w->width() || need.height() > w->height())
            cut.push_back(Name(w) + ": needs " + std::to_string(need.width()) + "x" + std::to_string(need.height()) +
                          ", has " + std::to_string(w->width()) + "x" + std::to_string(w->height()));
    }
    return cut;
}

// Every pair of visible sibling controls in the containers under `root` whose rectangles meet.
inline std::vector<std::string> Overlaps(const QWidget* root) {
    std::vector<std::string> found;
    std::vector<const QWidget*> containers{root};
    for (const QWidget* w : root->findChildren<QWidget*>())
        if (IsContainer(w) && w->isVisibleTo(root)) containers.push_back(w);
    for (const QWidget* c : containers) {
        std::vector<const QWidget*> kids;
        for (const QWidget* k : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (k->isVisibleTo(root) && !k->isWindow()) kids.push_back(k);
        for (std::size_t i = 0; i < kids.size(); ++i)
            for (std::size_t j = i + 1; j < kids.size(); ++j)
                if (kids[i]->geometry().intersects(kids[j]->geometry()))
                    found.push_back(Name(kids[i]) + " / " + Name(kids[j]));
    }
    return found;
}

}  // namespace gametest
