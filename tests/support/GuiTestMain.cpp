// GoogleTest main for the tests that need widgets: the process's own home and temporary folders,
// offscreen platform, one QApplication, and every message box answered by the recorder instead of blocking.
#include <QApplication>
#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/QtMessageBox.h"
#include "platform/QtTexts.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PrivateFolders.h"

int main(int argc, char** argv) {
    testsupport::UsePrivateFolders(argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Child-process tests re-run this binary instead of forking a process that holds a QApplication.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication app(argc, argv);
    testsupport::MsgRecorder::InstallGlobal();
    // Qt's own dialogs as users see them: in German.
    platform::InstallGermanQtTexts();
    // Tests choose their number locale themselves (NumberLocaleScope), whatever LANG says.
    platform::ApplyNumberLocale(QLocale::c());
    return RUN_ALL_TESTS();
}
