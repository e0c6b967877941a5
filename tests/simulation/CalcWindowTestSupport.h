#pragma once
// Shared set-up of the model-window, frame and menu tests: a main window with an MDI area that
// holds the windows, and the shared state at its start values.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/WindowRegistry.h"
#include "simulation/CalcWindow.h"
#include "tests/support/MsgRecorder.h"

namespace simtest {

// Replaces the text of a box (line edit or editable combo) by typing, as a user would after selecting it.
inline void Type(QWidget* box, const QString& text) {
    ASSERT_NE(box, nullptr);
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (!edit) edit = qobject_cast<QComboBox*>(box)->lineEdit();
    edit->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    if (!text.isEmpty()) QTest::keyClicks(box, text);
}

// A named control of a registered window, or null.
template <typename T>
T* Control(const char* form, const QString& name) {
    QWidget* window = platform::Windows().Get(form);
    return window ? window->findChild<T*>(name) : nullptr;
}

// Chooses the model in the open model window (the n-th order model 20 is its option 0).
inline void ChooseModel(int model) {
    auto* option = Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(model % 20));
    ASSERT_NE(option, nullptr);
    option->click();
    QApplication::processEvents();
    ASSERT_EQ(kernel::aktModell, model);
}

// The prompt of the one message shown, or how many messages there were.
inline std::string OnlyPrompt(const testsupport::MsgRecorder& rec) {
    return rec.Messages().size() == 1 ? rec.Last().prompt : std::to_string(rec.Messages().size()) + " messages";
}
// "title|prompt" of the one message shown, or how many messages there were.
inline std::string OnlyMessage(const testsupport::MsgRecorder& rec) {
    return rec.Messages().size() == 1 ? rec.Last().title + "|" + OnlyPrompt(rec) : OnlyPrompt(rec);
}

// The host of the MDI children; stays for the whole test run. It is installed as the main window
// again at every call, since other tests run the program's own main window in between.
inline QMainWindow* Host() {
    static QMainWindow* host = [] {
        auto* main = new QMainWindow;
        auto* area = new QMdiArea(main);
        area->setObjectName("mdiArea");
        main->setCentralWidget(area);
        main->resize(1400, 900);
        main->show();
        return main;
    }();
    auto* area = host->findChild<QMdiArea*>("mdiArea");
    if (platform::Windows().MainWindow() != host) {
        platform::Windows().Adopt("MDITAR", host);
        platform::Windows().SetMainWindow(host, [area](QWidget* form) { return area->addSubWindow(form); });
    }
    return host;
}

// Makes the host the active window, so that its children can take the focus.
inline bool ActivateHost() {
    Host()->activateWindow();
    return QTest::qWaitForWindowActive(Host());
}

// A main window closed by an earlier test has asked the application to quit, which makes every later
// nested event loop (a modal window, a wait) return at once; a short run of the application's own
// loop clears that.
inline void AllowNestedLoops() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

inline void CloseAllWindows() {
    for (const char* name : {"frmmatrix", "frmKinModel", "frmPrepareTimeDiagram", "frmBatch", "frmRKconti",
                             "frmRohrreaktor", "frmKaskade", "frmTFitting", "frmTGraph2D"}) {
        platform::Windows().Unload(name);
    }
    FlushDeletes();
}

// The shared state as the program starts, with every start value the model choice fills cleared.
inline void ResetState() {
    using namespace kernel;
    BuildZeitFaktor();
    for (int i = 0; i <= 20; ++i) ModellName[static_cast<std::size_t>(i)] = "Modell " + std::to_string(i);
    aktModell = 2;
    ReaktOrdnung = 1.5f;
    ZeitEinheit = "s";
    ZeitEinheitNr = 0;
    ZeitEinheitIdx = 1;
    c0Wert.fill(0);
    kWert.fill(0);
    tMax = 0;
    tauMittel = 0;
    UmsatzU = 0;
    VPunkt = RohrV = RohrL = 0;
    DiagVariante = 0;
    aktDiagrammCode = 0;
    RateDiagramm = 0;
    RohrAktiv = ContiAktiv = KaskadeAktiv = 0;
    EnzymRcsModus = kTrue;
    nKaskade = 0;
    nMesspunkte = 0;
    DatenSpalte.fill(0);
    nXYPunkte = 0;
    SpezSkalierung = 0;
    KurvenHinzufuegen = 0;
    BatchEingabeModus = InpSelectRohr = 0;  // time given
    EinfacheReaktion = IstUmkehrbar = NegUmsatzErlaubt = HalbwertszeitNumerisch = 0;
    PosKinModel = {600, 0};
}

class SimWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        AllowNestedLoops();
        Host();
        CloseAllWindows();
        ResetState();
    }
    void TearDown() override {
        CloseAllWindows();
        // Later tests open their windows without a main window, as top-level windows.
        platform::Windows().SetMainWindow(nullptr, {});
    }

    template <typename T>
    static T* Control(const char* form, const QString& name) {
        return simtest::Control<T>(form, name);
    }
    static QString Text(const char* form, const QString& name) {
        if (auto* label = Control<QLabel>(form, name)) return label->text();
        if (auto* box = Control<QLineEdit>(form, name)) return box->text();
        return QStringLiteral("<missing %1>").arg(name);
    }
    static bool Shown(const char* form, const QString& name) {
        auto* w = Control<QWidget>(form, name);
        return w && !w->isHidden();
    }
};

}  // namespace simtest
