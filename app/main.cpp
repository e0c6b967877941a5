#include <QApplication>

#include <unistd.h>

#include <cstdlib>
#include <string>

#include "kernel/State.h"
#include "platform/QtMessageBox.h"
#include "platform/QtTexts.h"
#include "platform/core/TextFile.h"
#include "shell/MDITAR.h"

int main(int argc, char** argv) {
    // A file-size limit makes a write fail with its message instead of ending the program.
    platform::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    platform::InstallQtServices();
    platform::InstallGermanQtTexts();
    // The program directory holds the last-session file, the protocol files and the help file.
    kernel::AppPath = QCoreApplication::applicationDirPath().toStdString();

    // The command line is the whole argument text; the main window takes a project path from it.
    // The arguments stay the bytes they are, so a file named in another encoding is found.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    // Start-up changes to the program directory, so a project named relative to the directory
    // the program was started from is made absolute first.
    std::string named = commandLine;
    std::erase(named, '"');
    if (!named.empty() && named.front() != '/' && platform::FileExistsAt(named)) {
        if (char* cwd = ::getcwd(nullptr, 0)) {
            commandLine = std::string(cwd) + "/" + named;
            std::free(cwd);
        }
    }
    // The main window shows itself during its start-up, before a project named here is loaded.
    MDITAR mainWindow(commandLine);
    return app.exec();
}
