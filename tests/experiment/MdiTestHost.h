#pragma once
// The main window "MDITAR" of the experiment window tests: an MDI area, the toolbar buttons the data
// editor switches, and the program's own window and evaluation menus. Built once per test run and
// installed as the registry's main window at every call (other tests install their own).
#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>

#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>

#include "platform/WindowRegistry.h"
#include "shell/EvaluationMenus.h"
#include "shell/FileChoice.h"
#include "shell/WindowMenus.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/NumberLocale.h"

namespace exptest {

inline QMainWindow* Host() {
    static QMainWindow* host = [] {
        auto* main = new QMainWindow;
        main->setObjectName("MDITAR");
        main->setCentralWidget(new QMdiArea(main));
        for (int i : {8, 16}) (new QAction(main))->setObjectName(QStringLiteral("Toolbar1(%1)").arg(i));
        QMenu* menu = main->menuBar()->addMenu("&Versuchsauswertung / Fitting");
        menu->setObjectName("mnuAuswertung");
        menu->menuAction()->setObjectName("mnuAuswertung");
        shell::BuildWindowMenus(main);
        shell::BuildEvaluationMenus(main);
        main->resize(1400, 900);
        main->show();
        return main;
    }();
    auto* area = host->findChild<QMdiArea*>();
    platform::Windows().Adopt("MDITAR", host);
    platform::Windows().SetMainWindow(host, [area](QWidget* form) { return area->addSubWindow(form); });
    return host;
}

// Unloads the named windows, their closing questions answered silently, and deletes them. A
// window that the default answer keeps open (Yes to save without a file, Yes to change the unit)
// is closed with No.
inline void Unload(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        testsupport::MsgRecorder quiet;
        if (platform::Windows().Unload(name)) continue;
        for (int i = 0; i < 4; ++i) quiet.QueueAnswer(platform::vbNo);
        platform::Windows().Unload(name);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Answers the file choosers (an empty answer cancels) and counts beeps while it lives.
struct Dialogs {
    Dialogs() {
        platform::SetBeepHandler([this] { ++beeps; });
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
    }
    ~Dialogs() {
        shell::SetOpenFileChooser(nullptr);
        shell::SetSaveFileChooser(nullptr);
        platform::SetBeepHandler(nullptr);
    }
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    int beeps = 0;
    std::string openAnswer, saveAnswer;
    std::vector<shell::FileRequest> openRequests, saveRequests;
};

using testsupport::InBothLocales;

// An X-Y point list with the unused slot 0.
inline std::vector<kernel::XYPunkt> XYList(std::initializer_list<kernel::XYPunkt> points) {
    std::vector<kernel::XYPunkt> list{kernel::XYPunkt{}};
    list.insert(list.end(), points);
    return list;
}

inline std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace exptest
