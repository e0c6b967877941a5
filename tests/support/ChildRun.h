#pragma once
// The real program in a child process, for start-up and shut-down faults that would end or block
// the test process itself. Used as the statement of EXPECT_EXIT, which runs it in a fresh copy of
// the test binary (the test main selects the "threadsafe" death-test style).
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include <unistd.h>

#include "kernel/State.h"
#include "platform/core/MsgBox.h"
#include "shell/MDITAR.h"

namespace testsupport {

// Starts the main window with commandLine (program directory appDir), shows it and runs `script`
// once the event loop turns. Each message is answered with its default button and written to
// stderr as "MSG <title>: <text>" for the death test's pattern. Ends the process with the event
// loop's exit code; a child still running after `seconds` is ended by SIGALRM, so a hang fails
// the test instead of blocking the suite. _Exit skips every clean-up of the child: what it leaves in
// its folders goes with the test process's own folders (PrivateFolders.h).
[[noreturn]] inline void RunProgramAndExit(const std::string& appDir, const std::string& commandLine,
                                            const std::function<void()>& script, unsigned seconds = 10) {
    alarm(seconds);
    platform::SetMsgBoxHandler([](const std::string& prompt, int style, const std::string& title) {
        std::fprintf(stderr, "MSG %s: %s\n", title.c_str(), prompt.c_str());
        return platform::DefaultAnswer(style);
    });
    kernel::AppPath = appDir;
    auto* window = new MDITAR(commandLine);
    window->show();
    QTimer::singleShot(0, qApp, script);
    const int code = QApplication::exec();
    std::fflush(stderr);
    std::_Exit(code);
}

// While it lives, child programs started by a death test run on the offscreen screens that `screensJson`
// describes ({"screens": [{"name": ..., "x": ..., "y": ..., "width": ..., "height": ...}, ...]}).
class OffscreenScreens {
public:
    explicit OffscreenScreens(const char* screensJson) : before_(qgetenv("QT_QPA_PLATFORM")) {
        QFile config(dir_.filePath("screens.json"));
        if (config.open(QIODevice::WriteOnly)) config.write(screensJson);
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
    }
    ~OffscreenScreens() {
        if (before_.isEmpty()) qunsetenv("QT_QPA_PLATFORM");
        else qputenv("QT_QPA_PLATFORM", before_);
    }
    OffscreenScreens(const OffscreenScreens&) = delete;
    OffscreenScreens& operator=(const OffscreenScreens&) = delete;

private:
    QByteArray before_;
    QTemporaryDir dir_;
};

// The script that ends the program as a user would: the main window's close box.
// Closing it may delete other windows, so the list is not walked on after it.
inline void CloseMainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == "MDITAR") {
            w->close();
            return;
        }
    }
}

}  // namespace testsupport
