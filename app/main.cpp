#include <QApplication>
#include <QStringList>

#include "kernel/State.h"
#include "platform/QtMessageBox.h"
#include "shell/MDITAR.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::InstallQtServices();
    // The program directory holds the last-session file, the protocol files and the help file.
    kernel::AppPath = QCoreApplication::applicationDirPath().toStdString();

    // The command line is the whole argument text; the main window takes a project path from it.
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty()) args.removeFirst();
    MDITAR mainWindow(args.join(' ').toStdString());
    mainWindow.show();
    return app.exec();
}
