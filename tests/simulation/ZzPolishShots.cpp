// Throw-away: grabs of the windows for a look by eye.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTextDocument>
#include <QGroupBox>
#include <QLabel>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

#include <gtest/gtest.h>

#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "shell/MDITAR.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"

namespace {

template <typename T>
T* Ctl(const char* form, const char* name) {
    QWidget* window = platform::Windows().Get(form);
    return window ? window->findChild<T*>(name) : nullptr;
}

void Shot(QWidget* w, const char* name) {
    if (!w) { std::printf("no widget for %s\n", name); return; }
    w->grab().save(testsupport::PicturePath(name));
    std::printf("%s: %d,%d %dx%d\n", name, w->x(), w->y(), w->width(), w->height());
}

QString Desc(QWidget* w) {
    return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

void Audit(const char* form) {
    QWidget* root = platform::Windows().Get(form);
    if (!root) return;
    std::printf("--- audit %s (%dx%d)\n", form, root->width(), root->height());
    auto say = [](QWidget* w, const char* what, int need, int have) {
        std::printf("  %s [%s]: %s need %d have %d\n", Desc(w).toUtf8().constData(), w->metaObject()->className(), what, need, have);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->isWindow()) continue;
        if (qobject_cast<QMdiSubWindow*>(w)) continue;
        const QFontMetrics fm(w->font());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (!l->wordWrap() && !l->text().isEmpty()) {
                int need = fm.horizontalAdvance(l->text()) + 2 * l->margin() + 2*l->frameWidth();
                if (need > l->width()) say(w, "label width", need, l->width());
                if (fm.height() > l->height() + 1) say(w, "label height", fm.height(), l->height());
            } else if (l->wordWrap()) {
                int need = l->heightForWidth(l->width());
                if (need > l->height()) say(w, "wrapped label height", need, l->height());
            }
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            int need = fm.horizontalAdvance(b->text()) + 12;
            if (need > b->width()) say(w, "button width", need, b->width());
            if (fm.height() + 6 > b->height()) say(w, "button height", fm.height() + 6, b->height());
        } else if (auto* c = qobject_cast<QAbstractButton*>(w)) {
            int need = c->sizeHint().width();
            if (need > c->width()) say(w, "check/option width", need, c->width());
            if (c->sizeHint().height() > c->height() + 1) say(w, "check/option height", c->sizeHint().height(), c->height());
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            int need = fm.horizontalAdvance(g->title()) + 14;
            if (need > g->width()) say(w, "groupbox title", need, g->width());
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (e->sizeHint().height() > e->height() + 2) say(w, "edit height", e->sizeHint().height(), e->height());
        } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
            if (cb->sizeHint().height() > cb->height() + 2) say(w, "combo height", cb->sizeHint().height(), cb->height());
        }
        QWidget* p = w->parentWidget();
        if (p && p != root->parentWidget() && !qobject_cast<QMdiSubWindow*>(p) && w->metaObject()->className() != QString("QWidget")) {
            if (!p->rect().contains(w->geometry()) && p->metaObject()->className() != QString("QScrollArea"))
                std::printf("  %s outside parent %s: %d,%d %dx%d in %dx%d\n", Desc(w).toUtf8().constData(), Desc(p).toUtf8().constData(), w->x(), w->y(), w->width(), w->height(), p->width(), p->height());
        }
    }
    // sibling overlaps
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all << root;
    for (QWidget* p : all) {
        QList<QWidget*> kids;
        for (QObject* o : p->children()) if (auto* k = qobject_cast<QWidget*>(o)) if (k->isVisibleTo(root) && !k->isWindow()) kids << k;
        for (int i = 0; i < kids.size(); ++i) for (int j = i + 1; j < kids.size(); ++j) {
            QRect a = kids[i]->geometry(), b = kids[j]->geometry();
            QRect x = a.intersected(b);
            if (x.width() > 1 && x.height() > 1)
                std::printf("  overlap %s / %s: %dx%d\n", Desc(kids[i]).toUtf8().constData(), Desc(kids[j]).toUtf8().constData(), x.width(), x.height());
        }
    }
}

void Dump(const char* form) {
    Audit(form);
    QWidget* f = platform::Windows().Frame(form);
    if (f) std::printf("frame %s: %d,%d %dx%d\n", form, f->x(), f->y(), f->width(), f->height());
}

TEST(ZzPolishShots, Fonts) {
    const QString t = QString::fromUtf8("Folgereaktion 2. Ordnung mit nachgelagertem Gleichgewicht");
    for (int stretch : {100, 87, 75}) for (int pt : {8, 9}) for (bool b : {false, true}) {
        QFont f(QStringLiteral("Arial"), pt); f.setBold(b); f.setStretch(stretch);
        QFontInfo fi(f);
        std::printf("stretch %d pt %d bold %d: %d px family %s style %s\n", stretch, pt, b, QFontMetrics(f).horizontalAdvance(t), fi.family().toUtf8().constData(), fi.styleName().toUtf8().constData());
    }
    QFont f2(QStringLiteral("DejaVu Sans Condensed"), 8);
    std::printf("cond family: %d %s\n", QFontMetrics(f2).horizontalAdvance(t), QFontInfo(f2).family().toUtf8().constData());
    QFont df = QApplication::font();
    std::printf("app font %s %g px %d\n", df.family().toUtf8().constData(), df.pointSizeF(), QFontMetrics(df).horizontalAdvance(t));
}

TEST(ZzPolishShots, All) {
    QTemporaryDir appDir;
    kernel::AppPath = appDir.path().toStdString();
    platform::SetLocaleDecimalSeparator('.');
    testsupport::MsgRecorder rec;
    QRect s = QGuiApplication::primaryScreen()->geometry();
    std::printf("screen %dx%d\n", s.width(), s.height());
    auto main = std::make_unique<MDITAR>("");
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    QApplication::processEvents();
    QTest::qWait(50);
    Shot(main.get(), "p_main.png");
    Dump("frmKinModel");
    Shot(platform::Windows().Frame("frmKinModel"), "p_kinmodel.png");

    Ctl<QRadioButton>("frmKinModel", "optTyp(2)")->click();
    main->findChild<QAction*>("mnuctGraph")->trigger();
    QApplication::processEvents();
    Dump("frmPrepareTimeDiagram");
    Shot(platform::Windows().Frame("frmPrepareTimeDiagram"), "p_time.png");
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram")->click();
    QApplication::processEvents();
    Dump("frmTGraph2D");
    Shot(platform::Windows().Frame("frmTGraph2D"), "p_diagram.png");
    Shot(main.get(), "p_main2.png");

    QTimer::singleShot(0, [] {
        QTest::qWait(50);
        QWidget* w = platform::Windows().Get("frmSimTabelle");
        QWidget* f = platform::Windows().Frame("frmSimTabelle");
        Shot(f ? f : w, "p_table.png");
        if (w) Shot(w, "p_table_client.png");
        Audit("frmSimTabelle");
        if (auto* t = Ctl<QPlainTextEdit>("frmSimTabelle", "txtSimTabelle"))
            std::printf("table: hmax %d ideal %g viewport %d tabstop %g\n", t->horizontalScrollBar()->maximum(), t->document()->idealWidth(), t->viewport()->width(), t->tabStopDistance());
        if (auto* b = Ctl<QPushButton>("frmSimTabelle", "cmdCloseSimTab")) b->click();
    });
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdListe")->click();
    QApplication::processEvents();

    Ctl<QPushButton>("frmKinModel", "cmdShowMatrix")->click();
    QApplication::processEvents();
    Dump("frmmatrix");
    Shot(platform::Windows().Frame("frmmatrix"), "p_matrix.png");
    Shot(main.get(), "p_main3.png");

    Ctl<QRadioButton>("frmKinModel", "optTyp(10)")->click();
    QApplication::processEvents();
    Dump("frmPrepareTimeDiagram");
    Dump("frmmatrix");
    Shot(platform::Windows().Frame("frmPrepareTimeDiagram"), "p_time10.png");
    Shot(platform::Windows().Frame("frmKinModel"), "p_kinmodel10.png");
    Shot(platform::Windows().Frame("frmmatrix"), "p_matrix10.png");
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram")->click();
    QApplication::processEvents();
    Shot(platform::Windows().Frame("frmTGraph2D"), "p_diagram10.png");
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdMMdiagram")->click();
    QApplication::processEvents();
    Shot(platform::Windows().Frame("frmTGraph2D"), "p_diagram10mm.png");

    Ctl<QRadioButton>("frmKinModel", "optTyp(7)")->click();
    QApplication::processEvents();
    Dump("frmPrepareTimeDiagram");
    Shot(platform::Windows().Frame("frmPrepareTimeDiagram"), "p_time7.png");
    Shot(platform::Windows().Frame("frmmatrix"), "p_matrix7.png");
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram")->click();
    QApplication::processEvents();
    Shot(platform::Windows().Frame("frmTGraph2D"), "p_diagram7.png");
    Shot(main.get(), "p_main4.png");

    main->findChild<QAction*>("mnuvtGraph")->trigger();
    QApplication::processEvents();
    Ctl<QPushButton>("frmPrepareTimeDiagram", "cmdDrawctDiagram")->click();
    QApplication::processEvents();
    Shot(platform::Windows().Frame("frmTGraph2D"), "p_diagram7r.png");
    Ctl<QRadioButton>("frmKinModel", "optTyp(0)")->click();
    QApplication::processEvents();
    Dump("frmmatrix");
    Dump("frmKinModel");
    Shot(platform::Windows().Frame("frmmatrix"), "p_matrix20.png");
    Shot(platform::Windows().Frame("frmKinModel"), "p_kinmodel20.png");
    Ctl<QRadioButton>("frmKinModel", "optTyp(13)")->click();
    QApplication::processEvents();
    Dump("frmKinModel");
    Shot(platform::Windows().Frame("frmKinModel"), "p_kinmodel13.png");
    Shot(main.get(), "p_main5.png");
    for (auto& m : rec.Messages()) std::printf("msg: %s | %s\n", m.title.c_str(), m.prompt.c_str());

    for (const char* w : {"frmmatrix", "frmSimTabelle", "frmTGraph2D", "frmPrepareTimeDiagram", "frmKinModel"})
        platform::Windows().Unload(w);
    main.reset();
    platform::Windows().SetMainWindow(nullptr, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
