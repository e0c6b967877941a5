#include "shell/WindowMenus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <initializer_list>

#include "experiment/FitAnzeige.h"
#include "games/frmBlutalkohol.h"
#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"

using namespace kernel;

namespace shell {
namespace {

QPointer<QMainWindow> mainWindow;

const char* const kTargets = "tarvelo.targetWindows";
const char* const kHeldOff = "tarvelo.heldOff";        // disabled here for a missing window
const char* const kWasEnabled = "tarvelo.wasEnabled";  // its state before that
const char* const kWindowListEntry = "tarvelo.windowListEntry";

const char* const kNotPossible = " Ausführung nicht möglich ";
constexpr int kEnzymModel = 10;

platform::WindowRegistry& Windows() { return platform::Windows(); }

void Close(std::initializer_list<const char*> names) {
    for (const char* name : names) Windows().Unload(name);
}

bool Available(const char* name) { return Windows().IsRegistered(name); }

// Gives the window the focus when it is shown.
void FocusIfVisible(const char* name) {
    if (QWidget* w = Windows().Get(name); w && w->isVisible()) Windows().Show(name);
}

// Closes the model window and shows it again, so that it is rebuilt for the window now open.
void RebuildModelWindow() {
    Windows().Unload("frmKinModel");
    Windows().Show("frmKinModel");
}

QAction* Entry(const char* name) { return mainWindow ? mainWindow->findChild<QAction*>(name) : nullptr; }

void UpdateEntry(QAction* entry) {
    const QStringList targets = entry->property(kTargets).toStringList();
    if (targets.isEmpty()) return;
    bool available = true;
    for (const QString& t : targets) available = available && Windows().IsRegistered(t.toStdString());
    const bool held = entry->property(kHeldOff).toBool();
    if (!available) {
        // Remember the state others gave the entry, to restore it once the window exists.
        if (!held || entry->isEnabled()) entry->setProperty(kWasEnabled, entry->isEnabled());
        entry->setProperty(kHeldOff, true);
        entry->setEnabled(false);
    } else if (held) {
        entry->setEnabled(entry->property(kWasEnabled).toBool());
        entry->setProperty(kHeldOff, false);
    }
}

QMenu* FindOrAddMenu(QMenuBar* bar, const char* name, const QString& caption) {
    if (auto* menu = mainWindow->findChild<QMenu*>(name)) return menu;
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

// The entry of that name, created at the end of menu when the main window does not have it yet
// (with the separator named separator before it, when given).
QAction* FindOrAddEntry(QMenu* menu, const char* name, const QString& caption, const char* separator = nullptr) {
    if (auto* entry = mainWindow->findChild<QAction*>(name)) return entry;
    if (separator) menu->addSeparator()->setObjectName(separator);
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(name);
    return entry;
}

template <typename Handler>
QAction* Connect(QAction* entry, const QStringList& targets, Handler handler) {
    SetEntryTargets(entry, targets);
    QObject::connect(entry, &QAction::triggered, entry, [handler] { handler(); });
    return entry;
}

void UpdateAllEntries() {
    if (!mainWindow) return;
    for (QAction* entry : mainWindow->findChildren<QAction*>()) UpdateEntry(entry);
}

// The open child windows of the MDI area under "&Fenster", the active one ticked.
void FillWindowList(QMenu* menu) {
    for (QAction* entry : menu->actions()) {
        if (entry->property(kWindowListEntry).toBool()) {
            menu->removeAction(entry);
            entry->deleteLater();
        }
    }
    auto* area = mainWindow ? mainWindow->findChild<QMdiArea*>() : nullptr;
    if (!area) return;
    int n = 0;
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (!sub->isVisible() || !sub->widget()) continue;
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(sub->widget()->windowTitle().trimmed()));
        entry->setProperty(kWindowListEntry, true);
        entry->setCheckable(true);
        entry->setChecked(sub == area->activeSubWindow());
        QPointer<QMdiSubWindow> target(sub);
        QObject::connect(entry, &QAction::triggered, area, [area, target] {
            if (target) area->setActiveSubWindow(target);
        });
    }
}

// Reactor entries: the stirred tank and the cascade refuse the enzyme model; the others are closed,
// the reactor flags set for the target, and the model window rebuilt beside it.
void OpenReactor(const char* target, bool refusesEnzyme, std::initializer_list<const char*> competitors, int rohr,
                 int conti, int kaskade) {
    if (!Available(target)) return;
    if (refusesEnzyme && aktModell == kEnzymModel) {
        platform::MsgBox("Sorry, hieran wird noch gearbeitet", platform::MsgCritical, kNotPossible);
        return;
    }
    RateDiagramm = kFalse;
    Close(competitors);
    RohrAktiv = rohr;
    ContiAktiv = conti;
    KaskadeAktiv = kaskade;
    Windows().Show(target);
    RebuildModelWindow();
    Windows().Show(target);
}

void OpenTimeWindow(bool rates) {
    const char* target = "frmPrepareTimeDiagram";
    if (!Available(target)) return;
    if (rates) {
        Close({"frmTGraph2D", "frmBlutalkohol", "frmBatch", "frmRKconti", "frmRohrreaktor", "frmKaskade",
               "frmTFitting"});
    } else {
        Close({"frmBlutalkohol", "frmBatch", "frmRKconti", "frmRohrreaktor", "frmKaskade", "frmVerweilzeit",
               "frmTFitting"});
    }
    RohrAktiv = KaskadeAktiv = ContiAktiv = kFalse;
    RateDiagramm = rates ? kTrue : kFalse;
    DiagVariante = 0;
    if (!rates) Windows().Unload(target);  // the concentration mode starts afresh
    Windows().Show(target);
    platform::Forms().SetEnabled(target, "chkMitPunkten", -1, !rates);
    RebuildModelWindow();
    FocusIfVisible(target);
}

void OpenCalculator(const char* target) {
    if (!Available(target)) return;
    Windows().Unload(target);
    Windows().Show(target);
}

// Pop-up menus: paste needs text on the clipboard, copy and delete need rows.
void EnablePopup(const char* paste, const char* copy, const char* erase, int rows) {
    const bool hasText = !QApplication::clipboard()->text().isEmpty();
    if (QAction* e = Entry(paste)) e->setEnabled(hasText);
    if (QAction* e = Entry(copy)) e->setEnabled(rows >= 1);
    if (QAction* e = Entry(erase)) e->setEnabled(rows >= 1);
}

void Press(const char* form, const char* button) { platform::Forms().Click(form, button, -1); }

QMenu* BuildPopup(const char* name, const QString& caption, const char* suffix) {
    QMenu* popup = mainWindow->findChild<QMenu*>(name);
    if (!popup) {
        popup = new QMenu(caption, mainWindow);
        popup->setObjectName(name);
        popup->menuAction()->setObjectName(name);
        popup->menuAction()->setVisible(false);
    }
    const QString n = QString::fromLatin1(suffix);
    auto add = [&](QMenu* menu, const QString& entryName, const QString& text) {
        if (auto* e = mainWindow->findChild<QAction*>(entryName)) return e;
        QAction* e = menu->addAction(text);
        e->setObjectName(entryName);
        return e;
    };
    add(popup, "mnuCopy" + n, "Kopieren");
    add(popup, "mnuPaste" + n, QString::fromUtf8("Einfügen"));
    QMenu* erase = mainWindow->findChild<QMenu*>("mnuErase" + n);
    if (!erase) {
        erase = popup->addMenu(QString::fromUtf8("Löschen"));
        erase->setObjectName("mnuErase" + n);
        erase->menuAction()->setObjectName("mnuErase" + n);
    }
    add(erase, "mnuSubDelNull" + n, "markierte Zelle(n) => 0");
    add(erase, "mnuSubDelLine" + n, "markierte Zeile(n) entfernen");
    return popup;
}

void ConnectPlain(const char* name, void (*handler)()) {
    if (QAction* e = Entry(name)) QObject::connect(e, &QAction::triggered, e, [handler] { handler(); });
}

}  // namespace

void SetEntryTargets(QAction* entry, const QStringList& windows) {
    entry->setProperty(kTargets, windows);
    UpdateEntry(entry);
}

void UpdateWindowEntries(QMenu* menu) {
    for (QAction* entry : menu->actions()) {
        UpdateEntry(entry);
        if (entry->menu()) UpdateWindowEntries(entry->menu());
    }
}

void BuildWindowMenus(QMainWindow* main) {
    mainWindow = main;
    QMenuBar* bar = main->menuBar();

    QMenu* daten = FindOrAddMenu(bar, "mnuDaten", "&Daten");
    Connect(FindOrAddEntry(daten, "mnuNeudat", "Editor exper. Daten   NEU (Eingabe / Laden)", "sep10"), {"frmDatedit"},
            mnuNeudat_Click);
    const bool editDatNew = main->findChild<QAction*>("mnuEditDat") == nullptr;
    QAction* editDat = FindOrAddEntry(daten, "mnuEditDat", "Editor exper. Daten   Sichten / Editieren / Speichern");
    if (editDatNew) editDat->setEnabled(false);  // until data are there
    Connect(editDat, {"frmDatedit"}, mnuEditDat_Click);
    Connect(FindOrAddEntry(daten, "mnuEditXY", "XY-Editor   (XY-Daten eingeben | laden)", "sep6"), {"frmXYEdit"},
            mnuEditXY_Click);

    // The menu title itself is the command.
    QAction* model = main->findChild<QAction*>("mnuModel");
    if (!model) {
        model = bar->addAction("kinetisches &Modell");
        model->setObjectName("mnuModel");
    }
    Connect(model, {"frmKinModel"}, mnuModel_Click);

    QMenu* graph = FindOrAddMenu(bar, "mnuGraph", "Dia&gramme c-t  |  r-t");
    Connect(FindOrAddEntry(graph, "mnuctGraph", "Konzentrations-Zeit-Funktionen", "strich4"), {"frmPrepareTimeDiagram"},
            mnuctGraph_Click);
    if (!main->findChild<QAction*>("mnuvtGraph")) {
        graph->addSeparator()->setObjectName("strich3");
        graph->addSeparator()->setObjectName("sep3");
    }
    Connect(FindOrAddEntry(graph, "mnuvtGraph", "Geschwindigkeits-Zeit-Funktionen"), {"frmPrepareTimeDiagram"},
            mnuvtGraph_Click);

    QMenu* reaktor = FindOrAddMenu(bar, "mnuReaktor", "&Reaktoren");
    Connect(FindOrAddEntry(reaktor, "mnuBatchR", "Batch-Reaktor"), {"frmBatch"}, mnuBatchR_Click);
    Connect(FindOrAddEntry(reaktor, "mnuRohrR", "Rohrreaktor", "sep1"), {"frmRohrreaktor"}, mnuRohrR_Click);
    Connect(FindOrAddEntry(reaktor, "mnuKontRK", QString::fromUtf8("kontinuierlicher Rührkessel"), "sep2"),
            {"frmRKconti"}, mnuKontRK_Click);
    Connect(FindOrAddEntry(reaktor, "mnuKaskade", QString::fromUtf8("Rührkessel-Kaskade"), "sep8"), {"frmKaskade"},
            mnuKaskade_Click);
    QObject::connect(reaktor, &QMenu::aboutToShow, reaktor, [] { mnuReaktor_Click(); });

    QMenu* verweil = FindOrAddMenu(bar, "mnuVerweilzeit", "Verweil&zeit");
    Connect(FindOrAddEntry(verweil, "mnuVerweilzeitVisual", "Verweilzeit-Versuch, Visualisierung"), {"frmVerweilzeit"},
            mnuVerweilzeitVisual_Click);
    Connect(FindOrAddEntry(verweil, "mnuVerweilzeitVerteilung", "Verweilzeit-Streuung idealer Reaktoren"),
            {"frmVerweilCalc"}, mnuVerweilzeitVerteilung_Click);

    QMenu* monte = FindOrAddMenu(bar, "mnuMonteCarlo", "\"Monte-&Carlo\"-Simulation");
    Connect(FindOrAddEntry(monte, "mnuSubMonteCarlo(0)", "Reaktion 1. Ordnung A => P"), {"frmMonteCarlo"},
            [] { mnuSubMonteCarlo_Click(0); });
    Connect(FindOrAddEntry(monte, "mnuSubMonteCarlo(1)", "Dynamisches Reaktionsgleichgewicht A <=> P"),
            {"frmMonteCarlo"}, [] { mnuSubMonteCarlo_Click(1); });

    // Never shown in the menu bar; the calculators are reached through the toolbar.
    QMenu* options = FindOrAddMenu(bar, "mnuOptionenTools", "&Optionen");
    options->menuAction()->setVisible(false);
    FindOrAddEntry(options, "mnuOption", "Optionen");
    Connect(FindOrAddEntry(options, "mnuToolArrhenius", "ARRHENIUS-Rechner", "sep9"), {"frmArrheniusRechner"},
            mnuToolArrhenius_Click);
    Connect(FindOrAddEntry(options, "mnuToolEyring", "EYRING-Rechner"), {"frmArrheniusRechner"}, mnuToolEyring_Click);
    Connect(FindOrAddEntry(options, "Blutalkohol", "Spezial: &Blutalkohol-Abbau"), {"frmBlutalkohol"},
            games::Blutalkohol_Click);
    FindOrAddEntry(options, "mnuVexo4", "&Einheiten umrechnen");

    QMenu* fenster = FindOrAddMenu(bar, "mnuFenster", "&Fenster");
    QObject::connect(fenster, &QMenu::aboutToShow, fenster, [fenster] { FillWindowList(fenster); });

    QMenu* popup1 = BuildPopup("mnuEdit1", "Popup-menue exp-daten-grid", "1");
    QObject::connect(popup1, &QMenu::aboutToShow, popup1, [] { mnuEdit1_Click(); });
    ConnectPlain("mnuCopy1", mnuCopy1_Click);
    ConnectPlain("mnuPaste1", mnuPaste1_Click);
    ConnectPlain("mnuSubDelNull1", mnuSubDelNull1_Click);
    ConnectPlain("mnuSubDelLine1", mnuSubDelLine1_Click);
    QMenu* popup2 = BuildPopup("mnuEdit2", "PopUpMenue XY-editor", "2");
    QObject::connect(popup2, &QMenu::aboutToShow, popup2, [] { mnuEdit2_Click(); });
    ConnectPlain("mnuCopy2", mnuCopy2_Click);
    ConnectPlain("mnuPaste2", mnuPaste2_Click);
    ConnectPlain("mnuSubDelNull2", mnuSubDelNull2_Click);
    ConnectPlain("mnuSubDelLine2", mnuSubDelLine2_Click);

    // Whichever menu opens, every entry follows the windows registered by then.
    for (QMenu* menu : {daten, graph, reaktor, verweil, monte, options, fenster}) {
        QObject::connect(menu, &QMenu::aboutToShow, menu, [] { UpdateAllEntries(); });
    }
    UpdateAllEntries();
}

// ---- Handlers ----------------------------------------------------------------------------------

void mnuModel_Click() {
    Close({"frmBlutalkohol"});
    Windows().Show("frmKinModel");
}

void mnuctGraph_Click() { OpenTimeWindow(false); }

void mnuvtGraph_Click() { OpenTimeWindow(true); }

void mnuReaktor_Click() {
    if (aktModell == 0)
        platform::MsgBox("vorher ein kinetisches Modell wählen!", platform::MsgCritical, kNotPossible);
}

void mnuBatchR_Click() {
    OpenReactor("frmBatch", false,
                {"frmBlutalkohol", "frmPrepareTimeDiagram", "frmRKconti", "frmRohrreaktor", "frmKaskade", "frmTFitting",
                 "frmVerweilzeit"},
                kFalse, kFalse, kFalse);
}

void mnuRohrR_Click() {
    OpenReactor("frmRohrreaktor", false,
                {"frmBlutalkohol", "frmPrepareTimeDiagram", "frmRKconti", "frmBatch", "frmTFitting", "frmKaskade",
                 "frmVerweilzeit"},
                kTrue, kFalse, kFalse);
}

void mnuKontRK_Click() {
    OpenReactor("frmRKconti", true,
                {"frmBlutalkohol", "frmPrepareTimeDiagram", "frmBatch", "frmRohrreaktor", "frmKaskade", "frmVerweilzeit",
                 "frmTFitting"},
                kFalse, kTrue, kFalse);
}

void mnuKaskade_Click() {
    OpenReactor("frmKaskade", true,
                {"frmBlutalkohol", "frmBatch", "frmPrepareTimeDiagram", "frmRKconti", "frmRohrreaktor", "frmVerweilzeit",
                 "frmTFitting"},
                kFalse, kFalse, kTrue);
}

void mnuVerweilzeitVisual_Click() {
    if (!Available("frmVerweilzeit")) return;
    Close({"frmBlutalkohol", "frmBatch", "frmPrepareTimeDiagram", "frmRKconti", "frmRohrreaktor", "frmKaskade",
           "frmTFitting", "frmVerweilzeit"});
    Windows().Show("frmVerweilzeit");
    Press("frmVerweilzeit", "cmdVZStop");
}

void mnuVerweilzeitVerteilung_Click() {
    if (!Available("frmVerweilCalc")) return;
    Close({"frmBlutalkohol", "frmBatch", "frmPrepareTimeDiagram", "frmRKconti", "frmRohrreaktor", "frmKaskade",
           "frmTFitting"});
    Windows().Show("frmVerweilCalc");
}

void mnuSubMonteCarlo_Click(int Index) {
    if (!Available("frmMonteCarlo")) return;
    MCMode = Index + 1;
    bool shown = false;
    try {
        Close({"frmBlutalkohol", "frmMonteCarlo"});
        shown = Windows().Show("frmMonteCarlo") != nullptr;
    } catch (...) {
        shown = false;
    }
    if (!shown) {
        platform::MsgBox(
            "Falls prinzipiell keine Diagramm-Grafik möglich ist, wurde das 2D-Graphikmodul\r\n"
            "\\...\\olch2x8.ocx bei der Installation nicht ordnungsgemäß registriert.\r\n"
            "Bitte versuchen Sie eine manuelle Registrierung (s. unsere Website).",
            platform::MsgCritical, kNotPossible);
    }
}

// While the fitting window is open it keeps its fit mode; a non-isothermal fit also keeps its
// temperature function and parameters, and the calculator opens on them.
void mnuToolArrhenius_Click() {
    if (!experiment::NichtIsothermeAnpassungOffen()) {
        kTFunktion = 1;
        ArrhEA = 0;
        ArrhA = 0;
    }
    if (!experiment::AnpassungOffen()) DiagVariante = 0;
    OpenCalculator("frmArrheniusRechner");
}

void mnuToolEyring_Click() {
    if (!experiment::NichtIsothermeAnpassungOffen()) {
        kTFunktion = 2;
        EyrH = 0;
        EyrS = 0;
    }
    if (!experiment::AnpassungOffen()) DiagVariante = 0;
    OpenCalculator("frmArrheniusRechner");
}

void mnuEditDat_Click() {
    if (!Available("frmDatedit")) return;
    Close({"frmBlutalkohol"});
    Windows().Show("frmDatedit");
}

void mnuNeudat_Click() {
    if (!Available("frmDatedit")) return;
    Close({"frmBlutalkohol"});
    if (nMesspunkte > 0) {
        const int answer = platform::MsgBox(
            "Es wird Daten-Neueingabe erwartet;\r\nder vorhandene Datensatz wird gelöscht.\r\n\r\nMöchten Sie das?",
            platform::MsgYesNo + platform::MsgExclamation, "Warnung");
        if (answer == platform::AnswerNo) return;
    }
    // The open editor closes first: a close it refuses (its time-range question) keeps the data.
    if (!Windows().Unload("frmDatedit")) return;
    ExpDaten.assign(2, ExpPunkt{});
    nMesspunkte = 0;
    lambdaInf = 0;
    DatenFile.clear();
    Windows().Show("frmDatedit");
}

void mnuEditXY_Click() {
    if (!Available("frmXYEdit")) return;
    Close({"frmBlutalkohol"});
    Windows().Show("frmXYEdit");
}

void mnuEdit1_Click() { EnablePopup("mnuPaste1", "mnuCopy1", "mnuErase1", nMesspunkte); }
void mnuEdit2_Click() { EnablePopup("mnuPaste2", "mnuCopy2", "mnuErase2", nXYPunkte); }
void mnuCopy1_Click() { Press("frmDatedit", "cmdClipboard"); }
void mnuPaste1_Click() { Press("frmDatedit", "cmdClipEinfuegen"); }
void mnuSubDelNull1_Click() { Press("frmDatedit", "cmdEraseSelected"); }
void mnuSubDelLine1_Click() { Press("frmDatedit", "cmdErase"); }
void mnuCopy2_Click() { Press("frmXYEdit", "cmdClipboard"); }
void mnuPaste2_Click() { Press("frmXYEdit", "cmdClipEinfuegen"); }
void mnuSubDelNull2_Click() { Press("frmXYEdit", "cmdEraseSelected"); }
void mnuSubDelLine2_Click() { Press("frmXYEdit", "cmdErase"); }

}  // namespace shell
