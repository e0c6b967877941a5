#pragma once
// The road into the game windows: the real main window offscreen, with every start value and window
// position of a program start, a temporary program directory and the message recorder; the windows
// are opened through the main window's menu entries, under the C or the German number locale.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

#include "platform/WindowRegistry.h"
#include "shell/MDITAR.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/NumberLocale.h"

namespace gametest {

class GameTest : public ::testing::TestWithParam<testsupport::NumberLocale> {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        kernel::AppPath = dir.path().toStdString();
        locale = std::make_unique<testsupport::NumberLocaleScope>(GetParam());
        main = std::make_unique<MDITAR>("");
        main->show();
        rec.Clear();
    }
    void TearDown() override {
        for (const char* name : {"frmMonteCarlo", "frmBlutalkohol", "frmTGraph2D"}) platform::Windows().Unload(name);
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        locale.reset();
    }

    // Runs the main window's menu entry of that name.
    void Menu(const char* entry) {
        QAction* a = main->findChild<QAction*>(entry);
        ASSERT_NE(a, nullptr) << entry;
        a->trigger();
    }
    // The frame of a window in the main window's MDI area (the window itself outside one).
    static QWidget* Frame(const char* name) { return platform::Windows().Frame(name); }

    template <typename T>
    static T* Find(QWidget* w, const QString& name) {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }

    QTemporaryDir dir;
    std::unique_ptr<testsupport::NumberLocaleScope> locale;
    std::unique_ptr<MDITAR> main;
    testsupport::MsgRecorder rec;
};

}  // namespace gametest
