#include "design/ErsterZustand.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

namespace design {

namespace {

// What one kind of control keeps; the common flags are added by Aufnehmen.
std::function<void(QWidget*)> Inhalt(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return [t = e->text()](QWidget* x) { static_cast<QLineEdit*>(x)->setText(t); };
    if (auto* e = qobject_cast<QPlainTextEdit*>(w))
        return [t = e->toPlainText()](QWidget* x) {
            auto* p = static_cast<QPlainTextEdit*>(x);
            if (p->toPlainText() != t) p->setPlainText(t);
        };
    if (auto* l = qobject_cast<QLabel*>(w)) return [t = l->text()](QWidget* x) { static_cast<QLabel*>(x)->setText(t); };
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return [t = b->text(), c = b->isChecked(), k = b->shortcut()](QWidget* x) {
            auto* a = static_cast<QAbstractButton*>(x);
            a->setText(t);
            a->setShortcut(k);
            if (a->isCheckable()) a->setChecked(c);
        };
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStringList liste;
        for (int i = 0; i < c->count(); ++i) liste << c->itemText(i);
        return [liste, i = c->currentIndex()](QWidget* x) {
            auto* a = static_cast<QComboBox*>(x);
            QStringList jetzt;
            for (int k = 0; k < a->count(); ++k) jetzt << a->itemText(k);
            if (jetzt != liste) {
                a->clear();
                a->addItems(liste);
            }
            a->setCurrentIndex(i);
        };
    }
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return [t = g->title()](QWidget* x) { static_cast<QGroupBox*>(x)->setTitle(t); };
    if (auto* s = qobject_cast<QSpinBox*>(w))
        return [v = s->value()](QWidget* x) { static_cast<QSpinBox*>(x)->setValue(v); };
    if (auto* s = qobject_cast<QScrollBar*>(w))
        return [lo = s->minimum(), hi = s->maximum(), v = s->value(), step = s->singleStep()](QWidget* x) {
            auto* a = static_cast<QScrollBar*>(x);
            a->setRange(lo, hi);
            a->setSingleStep(step);
            a->setValue(v);
        };
    if (auto* t = qobject_cast<QTabWidget*>(w)) {
        std::vector<std::pair<QString, bool>> tabs;
        for (int i = 0; i < t->count(); ++i) tabs.emplace_back(t->tabText(i), t->isTabVisible(i));
        return [tabs, i = t->currentIndex()](QWidget* x) {
            auto* a = static_cast<QTabWidget*>(x);
            for (int k = 0; k < a->count() && k < static_cast<int>(tabs.size()); ++k) {
                a->setTabText(k, tabs[static_cast<std::size_t>(k)].first);
                a->setTabVisible(k, tabs[static_cast<std::size_t>(k)].second);
            }
            a->setCurrentIndex(i);
        };
    }
    return {};
}

}  // namespace

void ErsterZustand::Aufnehmen(QWidget* root) {
    root_ = root;
    eintraege_.clear();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        auto inhalt = Inhalt(w);
        eintraege_.push_back({w, [inhalt, enabled = !w->testAttribute(Qt::WA_ForceDisabled), hidden = w->isHidden(),
                                  sheet = w->styleSheet(), font = w->font(), farbe = w->property("farbe")](QWidget* x) {
                                  if (inhalt) inhalt(x);
                                  if (x->property("farbe") != farbe) x->setProperty("farbe", farbe);
                                  if (x->styleSheet() != sheet) x->setStyleSheet(sheet);
                                  if (x->font() != font) x->setFont(font);
                                  x->setEnabled(enabled);
                                  x->setHidden(hidden);
                              }});
    }
}

void ErsterZustand::Wiederherstellen() const {
    if (!root_) return;
    // Exclusive option groups would refuse to give back a state with no option chosen.
    const QList<QButtonGroup*> gruppen = root_->findChildren<QButtonGroup*>();
    std::vector<QButtonGroup*> exklusiv;
    for (QButtonGroup* g : gruppen)
        if (g->exclusive()) {
            exklusiv.push_back(g);
            g->setExclusive(false);
        }
    for (const Eintrag& e : eintraege_) {
        if (!e.widget) continue;
        const QSignalBlocker still(e.widget);
        e.zurueck(e.widget);
    }
    for (QButtonGroup* g : exklusiv) g->setExclusive(true);
}

}  // namespace design
