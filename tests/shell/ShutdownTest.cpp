// Shut-down: the data save question can stop it; otherwise the last session is written (without a
// comment prompt), an empty protocol file is removed, and the session can be loaded back.

#include <filesystem>

#include "games/frmMonteCarlo.h"
#include "kernel/ResultRows.h"
#include "simulation/frmVerweilzeit.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/ChildRun.h"

namespace shelltest {
namespace {

using namespace kernel;

class ShutdownTest : public ShellTest {
protected:
    // Start-up with measured data that were changed since they were loaded.
    void StartWithChangedData(const std::string& dataFile) {
        WriteFile(Path("MESS1.TA3"), DataFileText(4));
        WriteFile(Path("p.TC3"), Lines(SampleProject()));
        Start(Path("p.TC3"));
        ASSERT_EQ(nMesspunkte, 4);
        DatenFile = dataFile;
        ExpDataChanged = kTrue;
        rec.Clear();
    }
    bool SessionWritten() const { return std::filesystem::exists(Path("TarLastSession.TC3")); }
};

// The real program as a process: "Exit" and the main window's close box end it with exit code 0, also
// while a game or the tracer experiment runs; closing the running window itself ends the run and the
// program goes on (the window opens again idle, then "Exit"). The close box right after the start:
// the start-up tests' child processes.
TEST_F(ShutdownTest, TheProcessEndsWhenTheMainWindowClosesAlsoDuringARun) {
    enum Ende { Exit, CloseBox, OwnWindow };
    struct Case {
        // `before` is clicked before `start`: on the smallest board a first-order run waits 0.06 s per
        // reaction, beyond the child's 5 s in all; the tracer needs its dye.
        const char *menu, *form, *before, *start;
        Ende ende;
    };
    std::vector<Case> cases;
    for (const Ende ende : {Exit, CloseBox, OwnWindow}) {
        cases.push_back({"mnuSubMonteCarlo(0)", "frmMonteCarlo", "optN0(0)", "cmdStart", ende});
        cases.push_back({"mnuSubMonteCarlo(1)", "frmMonteCarlo", nullptr, "cmdStart", ende});
        cases.push_back({"mnuVerweilzeitVisual", "frmVerweilzeit", "cmdIndikatorfarbe", "cmdStartFlow", ende});
    }
    const std::string folder = dir.path().toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.menu) + " " + std::to_string(c.ende));
        // Exit codes other than 0: 3 nothing ran when the closing came, 4 the closed window is still
        // loaded, 5 it did not open again idle.
        auto script = [c] {
            MDITAR* main = MDITAR::Instance();
            auto menu = [main](const char* entry) { main->findChild<QAction*>(entry)->trigger(); };
            auto laeuft = [c] {
                QWidget* w = platform::Windows().Get(c.form);
                if (auto* game = qobject_cast<frmMonteCarlo*>(w)) return game->Laeuft();
                auto* tracer = qobject_cast<frmVerweilzeit*>(w);
                return tracer && tracer->Laeuft();
            };
            auto returned = std::make_shared<bool>(false);  // the start button's handler has returned
            // Once the run is over and its handler has returned: the window opens again, idle.
            auto danach = std::make_shared<std::function<void()>>();
            *danach = [=] {
                if (!*returned) return void(QTimer::singleShot(10, qApp, *danach));
                if (platform::Windows().IsLoaded(c.form)) std::_Exit(4);
                menu(c.menu);
                if (!platform::Windows().IsLoaded(c.form) || laeuft()) std::_Exit(5);
                menu("mnuExit");
            };
            auto schliessen = [=] {
                if (!laeuft()) std::_Exit(3);
                if (c.ende == Exit) menu("mnuExit");
                if (c.ende == CloseBox) main->close();
                if (c.ende == OwnWindow) {
                    platform::Windows().Frame(c.form)->close();
                    QTimer::singleShot(0, qApp, *danach);
                }
            };
            // The closing comes from a timer started at the second step (chart point) of the run.
            menu(c.menu);
            QCoreApplication::processEvents();  // the window's activation, which ends a tracer run
            QWidget* form = platform::Windows().Get(c.form);
            auto zweiterSchritt = [=](long n) {
                if (n == 2) QTimer::singleShot(0, qApp, schliessen);
            };
            if (auto* game = qobject_cast<frmMonteCarlo*>(form))
                QObject::connect(game, &frmMonteCarlo::PunktGezeichnet, game, zweiterSchritt);
            else if (auto* tracer = qobject_cast<frmVerweilzeit*>(form))
                QObject::connect(tracer, &frmVerweilzeit::schrittAufgezeichnet, tracer, zweiterSchritt);
            for (const char* button : {c.before, c.start})
                if (button) form->findChild<QAbstractButton*>(button)->click();
            *returned = true;
        };
        EXPECT_EXIT(testsupport::RunProgramAndExit(folder, "", script, 5), testing::ExitedWithCode(0), "");
    }
}

// Changed data are offered for saving first; Cancel, or a save that fails, keeps the program open with
// nothing written (the question's other answers, a cancelled choice of name among them: the data-file tests).
TEST_F(ShutdownTest, AnswersToTheDataQuestion) {
    struct Case {
        const char* what;
        int answer;
        std::string dataFile, saveAs;  // the name the save dialog returns, empty for Cancel
        bool ends;
        std::string savedTo;
        std::size_t messages;
    };
    const std::string missing = Path("gibt/es/nicht/MESS1.TA3");
    const Case cases[] = {
        {"Cancel keeps the window open", platform::AnswerCancel, "MESS1.TA3", "", false, "", 1},
        {"No leaves the data", platform::AnswerNo, "MESS1.TA3", "", true, "", 1},
        {"Yes saves the data", platform::AnswerYes, "MESS1.TA3", Path("MESS1.TA3"), true, Path("MESS1.TA3"), 1},
        {"Yes with a failed save", platform::AnswerYes, missing, missing, false, "", 2},
        {"Yes without a name, a name chosen", platform::AnswerYes, "", Path("neu.TA3"), true, Path("neu.TA3"), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        main.reset();
        std::filesystem::remove(Path("TarLastSession.TC3"));
        StartWithChangedData(c.dataFile);
        ExpDaten[2].c[1] = 0.4;
        dialogs.saveAnswer = c.saveAs;
        dialogs.saveRequests.clear();
        rec.QueueAnswer(c.answer);
        main->show();
        EXPECT_EQ(main->close(), c.ends);
        EXPECT_EQ(main->isVisible(), !c.ends);
        EXPECT_EQ(SessionWritten(), c.ends);  // nothing is written unless the shut-down goes on
        ASSERT_EQ(rec.Messages().size(), c.messages);
        EXPECT_EQ(rec.Messages()[0].title + "|" + rec.Messages()[0].prompt,
                  "WARNUNG|Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
        EXPECT_EQ(rec.Messages()[0].style, platform::MsgYesNoCancel + platform::MsgExclamation);
        if (!c.ends || !c.savedTo.empty()) {
            EXPECT_EQ(ExpDataChanged, c.ends ? kFalse : kTrue);
        }
        if (c.dataFile.empty()) {
            ASSERT_EQ(dialogs.saveRequests.size(), 1u);
            EXPECT_EQ(dialogs.saveRequests[0].pattern, "*.TA3");
        }
        if (!c.savedTo.empty()) {
            EXPECT_NE(testsupport::Bytes(c.savedTo).find(".4,"), std::string::npos);
        }
        if (c.savedTo != Path("MESS1.TA3")) {
            EXPECT_EQ(testsupport::Bytes(Path("MESS1.TA3")), DataFileText(4));
        }
    }
}

// The X-Y editor's points exist only in its window: the end of the program offers to save them.
TEST_F(ShutdownTest, UnsavedXYPointsAreOfferedBeforeTheEnd) {
    Start();
    Menu("mnuEditXY");
    testsupport::Control<QLineEdit>("frmXYEdit", "y(0)")->setText("2");
    testsupport::Click("frmXYEdit", "OKinput");
    rec.QueueAnswer(platform::AnswerCancel);
    EXPECT_FALSE(main->mnuExit_Click());
    EXPECT_EQ(rec.Last().prompt, "Die Daten wurden noch nicht gespeichert.\r\n\r\nJetzt speichern?");
    EXPECT_FALSE(SessionWritten());
    EXPECT_TRUE(platform::Windows().IsLoaded("frmXYEdit"));
    rec.QueueAnswer(platform::AnswerNo);
    EXPECT_TRUE(main->mnuExit_Click());
}

// A session or protocol that cannot be written is reported and the shut-down goes on (the protocol
// written at exit: the reactor windows' road test); the missing session is then refused.
TEST_F(ShutdownTest, UnwritableSessionAndProtocolAreReportedAndTheMissingSessionIsRefused) {
    Start();
    SessionFile = Path("gibt/es/nicht/TarLastSession.TC3");
    ProtArt = {4, "A + B => P", "11010", "min"};
    ProtDaten.assign(2, ProtokollZeile{});
    ProtZeilen = 1;
    ProtOffen = kTrue;
    AppPath = Path("gibt/es/nicht");
    EXPECT_TRUE(main->mnuExit_Click());
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_EQ(rec.Messages()[0].title, "Fehler beim Abspeichern der Sitzungs-Datei\r\n(evtl. fehlende Schreibrechte)");
    EXPECT_EQ(rec.Last().style, platform::MsgCritical);
    rec.Clear();
    main->ToolbarButton(4)->trigger();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
    EXPECT_FALSE(Enabled("mnuEditDat"));
}

// "Exit" writes the session without a comment prompt and removes an empty protocol; the next start
// loads the session back. Unchanged data, and changed ones without rows, ask nothing.
TEST_F(ShutdownTest, ExitWritesTheSessionThatLoadsBackAndRemovesAnEmptyProtocol) {
    StartWithChangedData("MESS1.TA3");
    ExpDataChanged = kFalse;
    kWert[2] = 0.0625;
    c0Wert[3] = 0.5;
    ProjektKommentar = "Sitzung";
    ASSERT_FALSE(ProtFile.empty());
    WriteFile(Path(ProtFile), "");
    rec.Clear();
    Menu("mnuExit");
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(dialogs.commentPrompts, 0);
    EXPECT_TRUE(rec.Empty());
    EXPECT_FALSE(std::filesystem::exists(Path(ProtFile)));

    Start();
    const std::string projectName = KommandoZeile;
    EXPECT_EQ(aktModell, 2);
    Menu("mnuLoadLastSession");
    EXPECT_EQ(std::tuple(aktModell, kWert[2], c0Wert[1], ProjektKommentar), std::tuple(4, 0.0625, 1.25, "Sitzung"));
    EXPECT_EQ(std::tuple(DatenFile, nMesspunkte, DatenIstSession), std::tuple("MESS1.TA3", 4, kTrue));
    EXPECT_EQ(KommandoZeile, projectName);  // the session sets no project name
    EXPECT_TRUE(Enabled("mnuEditDat"));
    EXPECT_TRUE(main->ToolbarButton(8)->isEnabled());
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("Projekt\r\n    Letzte Sitzung \r\n"), std::string::npos);
    // Rows still pending are written at exit, and the protocol with them stays.
    ProtDaten.assign(2, ProtokollZeile{});
    ProtZeilen = 1;
    ProtOffen = kTrue;
    ExpDataChanged = kTrue;
    nMesspunkte = 0;
    rec.Clear();
    EXPECT_TRUE(main->mnuExit_Click());
    EXPECT_TRUE(rec.Empty());
    EXPECT_TRUE(std::filesystem::exists(Path(ProtFile)));
    EXPECT_EQ(ProtOffen, kFalse);
}

}  // namespace
}  // namespace shelltest
