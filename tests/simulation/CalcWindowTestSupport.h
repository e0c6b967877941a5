#pragma once
// Shared set-up of the model-window, frame and menu tests: a main window with an MDI area that
// holds the windows, the shared state at its start values, and stand-in calculation windows for
// the ones the program does not carry yet (each keeps the control names every calculation window
// has, so the same tests hold for the real windows once they are there).
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/WindowRegistry.h"
#include "simulation/CalcWindow.h"

namespace simtest {

// A reactor window with the batch reactor's slot table: 10..12 k1..k3, 13 U(A), 14 the reaction
// time; the result boxes 5..9 are locked, 15 and 16 hidden.
class StandInReactor : public CalcWindow {
public:
    explicit StandInReactor(const QString& name, int inpUpper = 16) : CalcWindow(name, inpUpper) {
        for (int i = 0; i <= inpUpper && i < kInpCount; ++i) {
            simulation::PlaceTw(Inp[static_cast<std::size_t>(i)], 600 + 1500 * (i / 11), 300 + 330 * (i % 11), 1200, 300);
            if (i >= 5 && i <= 9) Inp[static_cast<std::size_t>(i)]->setReadOnly(true);
        }
        if (inpUpper >= 16) {
            Inp[15]->hide();
            Inp[16]->hide();
        }
        lblZeitEinheit = MakeLabel("lblZeitEinheit", QString());
        lblVPunktInput = MakeLabel("lblVPunktInput", QString());
        lblVPunktInput->hide();
        MakeProtocolButton("Protokoll");
        resize(500, 420);
    }
    void Refresh() override { ++refreshes; }

    int refreshes = 0;
    QLabel* lblZeitEinheit = nullptr;
    QLabel* lblVPunktInput = nullptr;

protected:
    kernel::FormPos* PositionPair() override { return objectName() == "frmBatch" ? &kernel::PosBatch : nullptr; }
    void StoreInp(int index, double value) override {
        CalcWindow::StoreInp(index, value);
        if (index == 13) kernel::UmsatzU = value;
        if (index == 14) kernel::tauMittel = value;
    }
};

// The fitting window's part of the contract: the species boxes of the fit.
class StandInFitting : public StandInReactor {
public:
    StandInFitting() : StandInReactor("frmTFitting") {
        for (int i = 1; i <= 5; ++i) MakeCheck(QStringLiteral("chkConcFQS(%1)").arg(i), QString());
    }
};

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

// Stand-ins for the reactor windows the program does not have yet.
inline void RegisterStandIns() {
    for (const char* name : {"frmBatch", "frmRKconti", "frmRohrreaktor", "frmKaskade"}) {
        if (!platform::Windows().IsRegistered(name)) {
            const QString n = QString::fromLatin1(name);
            platform::Windows().Register(name, platform::FormKind::MdiChild, [n] { return new StandInReactor(n); });
        }
    }
    if (!platform::Windows().IsRegistered("frmTFitting"))
        platform::Windows().Register("frmTFitting", platform::FormKind::MdiChild, [] { return new StandInFitting; });
}

// Makes the host the active window, so that its children can take the focus.
inline bool ActivateHost() {
    Host()->activateWindow();
    return QTest::qWaitForWindowActive(Host());
}

inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

inline void CloseAllWindows() {
    for (const char* name : {"frmmatrix", "frmKinModel", "frmPrepareTimeDiagram", "frmBatch", "frmRKconti",
                             "frmRohrreaktor", "frmKaskade", "frmTFitting", "frmTGraph2D", "frmTestCascadeBoxes"}) {
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
    EinfacheReaktion = IstUmkehrbar = NegUmsatzErlaubt = HalbwertszeitNumerisch = 0;
    PosKinModel = {600, 0};
}

class SimWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        Host();
        RegisterStandIns();
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
        QWidget* window = platform::Windows().Get(form);
        return window ? window->findChild<T*>(name) : nullptr;
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
