#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>
#include "platform/QtMessageBox.h"
TEST(GrabTmp, Box) {
    auto box = platform::BuildMessageBox("Die experimentellen Daten wurden geändert.\r\nJetzt speichern?", 3 + 48, "WARNUNG");
    box->show();
    QApplication::processEvents();
    box->grab().save("/work/scratch/msgbox.png");
}
