#pragma once
// The road into the game windows: the program's main window, the windows opened through its menu
// entries, under the C or the German number locale.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyleOptionButton>

#include <memory>
#include <string>
#include <vector>

#include "platform/WindowRegistry.h"
#include "shell/MDITAR.h"
#include "tests/support/NumberLocale.h"
#include "tests/support/ProgramTest.h"

namespace gametest {

class GameTest : public testsupport::ProgramTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        locale = std::make_unique<testsupport::NumberLocaleScope>(GetParam());
        ProgramTest::SetUp();
        rec.Clear();
    }
    void TearDown() override {
        ProgramTest::TearDown();
        locale.reset();
    }

    // The frame of a window in the main window's MDI area (the window itself outside one).
    static QWidget* Frame(const char* name) { return platform::Windows().Frame(name); }

    template <typename T>
    static T* Find(QWidget* w, const QString& name) {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

    // Whether an option's or check box's caption fits beside its indicator, as the general layout test
    // measures it.
    static bool CaptionFits(const QAbstractButton* b) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        const auto part = qobject_cast<const QCheckBox*>(b) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        const QRect room = b->style()->subElementRect(part, &opt, b);
        return b->fontMetrics().boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextShowMnemonic, b->text()).width() <=
               room.width();
    }
    // Cut captions and overlapping sibling controls under `root`, for the states the general layout
    // test does not see (a caption turned bold, the second mode of a game).
    static std::vector<std::string> LayoutFaults(const QWidget* root) {
        std::vector<std::string> faults;
        std::vector<const QWidget*> containers{root};
        for (const QWidget* w : root->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(root)) continue;
            const std::string name = w->objectName().toStdString();
            auto* b = qobject_cast<const QAbstractButton*>(w);
            auto* l = qobject_cast<const QLabel*>(w);
            auto* g = qobject_cast<const QGroupBox*>(w);
            if ((b && !qobject_cast<const QPushButton*>(w) && !CaptionFits(b)) ||
                (l && !l->wordWrap() && l->fontMetrics().horizontalAdvance(l->text()) > l->width()) ||
                (g && g->fontMetrics().horizontalAdvance(g->title()) + 16 > g->width()))
                faults.push_back(name + " cut");
            if (g || w->metaObject() == &QWidget::staticMetaObject) containers.push_back(w);
        }
        for (const QWidget* c : containers) {
            std::vector<const QWidget*> kids;
            for (const QWidget* k : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (k->isVisibleTo(root) && !k->isWindow()) kids.push_back(k);
            for (std::size_t i = 0; i < kids.size(); ++i)
                for (std::size_t j = i + 1; j < kids.size(); ++j)
                    if (kids[i]->geometry().intersects(kids[j]->geometry()))
                        faults.push_back(kids[i]->objectName().toStdString() + " / " + kids[j]->objectName().toStdString());
        }
        return faults;
    }

    std::unique_ptr<testsupport::NumberLocaleScope> locale;
};

}  // namespace gametest
