#pragma once
// The road into the program's windows: the shared state as the program starts, the real main window
// offscreen in a temporary program directory, file choosers and the comment prompt answered here,
// every message and beep recorded, and the helpers that type, click and find as a user would.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "kernel/State.h"
#include "platform/QtMessageBox.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "shell/EvaluationMenus.h"
#include "shell/FileChoice.h"
#include "shell/MDITAR.h"
#include "shell/ProjectFile.h"
#include "shell/WindowMenus.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/NumberLocale.h"
#include "tests/support/StartState.h"

namespace testsupport {

// Deletes the widgets whose deletion is pending and handles the events that are waiting.
inline void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Types a text key by key; unlike QTest::keyClicks also German letters ("ä", "ß").
inline void KeyClicks(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClick(widget, c.toLatin1());
        else QTest::sendKeyEvent(QTest::Click, widget, static_cast<Qt::Key>(c.toUpper().unicode()), QString(c), {});
    }
}

// Replaces the text of a box (line edit or editable combo) by typing, as a user would after selecting it.
inline void Type(QWidget* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) edit = qobject_cast<QComboBox*>(box)->lineEdit();
    edit->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    KeyClicks(box, text);
}

// A named control of a loaded window, or null.
template <typename T>
T* Control(const char* form, const QString& name) {
    QWidget* window = platform::Windows().Get(form);
    return window ? window->findChild<T*>(name) : nullptr;
}

// Clicks a button (or option) of a loaded window, which must be there and enabled.
inline void Click(const char* form, const char* name) {
    auto* button = Control<QAbstractButton>(form, name);
    ASSERT_NE(button, nullptr) << form << "." << name;
    ASSERT_TRUE(button->isEnabled()) << form << "." << name;
    button->click();
    QApplication::processEvents();
}

// A menu entry or toolbar button of the main window, or null.
inline QAction* Entry(const char* name) {
    QWidget* main = platform::Windows().MainWindow();
    return main ? main->findChild<QAction*>(name) : nullptr;
}

// Unloads every loaded window but the main window; closing questions are answered No, so that a
// window the default answer would keep open (save without a file, change the unit) closes.
inline void UnloadAll() {
    for (const std::string& name : platform::Windows().Names()) {
        if (name == "MDITAR" || !platform::Windows().IsLoaded(name)) continue;
        MsgRecorder quiet;
        for (int i = 0; i < 4; ++i) quiet.QueueAnswer(platform::AnswerNo);
        platform::Windows().Unload(name);
    }
    Flush();
}

inline std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Answers the file choosers (an empty answer cancels) and the comment prompt while it lives.
struct Dialogs {
    Dialogs() {
        shell::SetOpenFileChooser([this](const shell::FileRequest& r, std::string& path) {
            openRequests.push_back(r);
            path = openAnswer;
            return !openAnswer.empty();
        });
        shell::SetSaveFileChooser([this](const shell::FileRequest& r, std::string& path) {
            saveRequests.push_back(r);
            path = saveAnswer;
            return !saveAnswer.empty();
        });
        shell::SetCommentPrompt([this] {
            ++commentPrompts;
            kernel::ProjektKommentar = commentAnswer;
        });
    }
    ~Dialogs() {
        shell::SetOpenFileChooser(nullptr);
        shell::SetSaveFileChooser(nullptr);
        shell::SetCommentPrompt(nullptr);
    }
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    std::string openAnswer, saveAnswer, commentAnswer;
    std::vector<shell::FileRequest> openRequests, saveRequests;
    int commentPrompts = 0;
};

// A test of the running program: the start state, a temporary program directory and the real main
// window, opened in SetUp (a fixture that starts it itself calls Prepare in its SetUp instead).
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare();
        Start();
    }
    void TearDown() override {
        platform::CloseAllHelpWindows();
        UnloadAll();
        main.reset();
        Flush();
        platform::ApplyNumberLocale(QLocale::c());  // a test may have set the separator itself
    }

    void Prepare() {
        // A main window closed by an earlier test has asked the application to quit, which makes every
        // nested event loop (a modal window, a wait) return at once; a short run of the loop clears it.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        UnloadAll();
        ResetStartState();
        ASSERT_TRUE(dir.isValid());
        kernel::AppPath = dir.path().toStdString();
        // The help file lies in the program directory, as the installed program has it.
        QFile::link(QCoreApplication::applicationDirPath() + "/tarvelo.qch", dir.path() + "/tarvelo.qch");
    }
    // Opens the main window as the program does at start, with that command line.
    MDITAR& Start(const std::string& commandLine = "") {
        UnloadAll();
        main.reset();
        main = std::make_unique<MDITAR>(commandLine);
        main->show();
        return *main;
    }

    // Runs the main window's menu entry as a click would.
    static void Menu(const char* name) {
        QAction* entry = Entry(name);
        ASSERT_NE(entry, nullptr) << name;
        entry->trigger();
        QApplication::processEvents();
    }
    static bool Enabled(const char* name) { return Entry(name)->isEnabled(); }
    // Makes the main window the active window, so that its children can take the focus.
    bool Activate() {
        main->activateWindow();
        return QTest::qWaitForWindowActive(main.get());
    }
    std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }

    QTemporaryDir dir;
    MsgRecorder rec;
    Dialogs dialogs;
    std::unique_ptr<MDITAR> main;
};

}  // namespace testsupport
