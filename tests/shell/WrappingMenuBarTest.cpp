// The main window's menu bar on a narrow screen: entries go on in further rows, in their order, and
// come back into one row when the window is wide again; an entry added later goes at the end.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

#include "shell/WrappingMenuBar.h"

namespace {

// The entries of every row, row by row.
std::vector<QString> Entries(shell::WrappingMenuBar* bar) {
    std::vector<QString> all;
    for (QAction* a : bar->actions()) all.push_back(a->text());
    for (int row = 2; row <= bar->Rows(); ++row)
        for (QAction* a : bar->findChild<QMenuBar*>(QStringLiteral("MenuBarRow%1").arg(row))->actions())
            all.push_back(a->text());
    return all;
}

bool Folds(QMenuBar* bar) {
    auto* more = bar->findChild<QToolButton*>("qt_menubar_ext_button");
    return more && more->isVisible();
}

TEST(WrappingMenuBar, NarrowWindowWrapsEntriesInOrderAndWideWindowJoinsThem) {
    QMainWindow main;
    auto* bar = new shell::WrappingMenuBar(&main);
    main.setMenuBar(bar);
    std::vector<QString> names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back(QStringLiteral("Menü Nummer %1").arg(i));
        bar->addMenu(names.back());
    }
    main.resize(1600, 300);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(bar->Rows(), 1);
    EXPECT_EQ(Entries(bar), names);

    main.resize(300, 300);
    QApplication::processEvents();
    EXPECT_GE(bar->Rows(), 3);
    EXPECT_EQ(Entries(bar), names);
    EXPECT_FALSE(Folds(bar));
    for (int row = 2; row <= bar->Rows(); ++row)
        EXPECT_FALSE(Folds(bar->findChild<QMenuBar*>(QStringLiteral("MenuBarRow%1").arg(row)))) << row;
    EXPECT_EQ(bar->height(), bar->Rows() * bar->QMenuBar::sizeHint().height());

    // An entry added later goes at the end, in whatever row that is.
    bar->addMenu("Neu");
    names.push_back("Neu");
    EXPECT_EQ(Entries(bar), names);

    main.resize(1600, 300);
    QApplication::processEvents();
    EXPECT_EQ(bar->Rows(), 1);
    EXPECT_EQ(Entries(bar), names);
}

}  // namespace
