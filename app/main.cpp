#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "kernel/State.h"
#include "platform/QtMessageBox.h"
#include "platform/core/TextFile.h"
#include "shell/MDITAR.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with its message instead of ending the program.
    platform::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    platform::InstallQtServices();
    // The program directory holds the last-session file, the protocol files and the help file.
    kernel::AppPath = QCoreApplication::applicationDirPath().toStdString();

    // The command line is the whole argument text; the main window takes a project path from it.
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty()) args.removeFirst();
    QString commandLine = args.join(' ');
    // Start-up changes to the program directory, so a project named relative to the directory
    // the program was started from is made absolute first.
    const QFileInfo named(QString(commandLine).remove('"'));
    if (!commandLine.isEmpty() && named.isRelative() && named.exists()) commandLine = named.absoluteFilePath();
    MDITAR mainWindow(commandLine.toStdString());
    mainWindow.show();
    return app.exec();
}
