// Project files: the exact 20-line format, reading hand-written files, the all-or-nothing load,
// and the commands of the "&Daten" menu that save and load projects.
#include <QFileInfo>

#include "platform/core/MsgBox.h"
#include "shell/ProjectFile.h"
#include "tests/shell/ShellFixture.h"

namespace shelltest {
namespace {

using namespace kernel;

struct Snapshot {
    int model, enzym, spezStoff, spezSkal, fit;
    std::array<double, 4> k;
    std::array<double, 6> c0;
    double tmax, tau;
    std::string unit, comment, datenFile, kommando, projektFile, projektPfad;

    static Snapshot Take() {
        return {aktModell, EnzymRcsModus, SpezSkalierungStoff, SpezSkalierung, FitAnzeigeModus, kWert, c0Wert,
                tMax, tauMittel, ZeitEinheit, ProjektKommentar, DatenFile, KommandoZeile, ProjektFile, ProjektPfad};
    }
    bool operator==(const Snapshot&) const = default;
};

using ProjectFileTest = ShellTest;

TEST_F(ProjectFileTest, HandWrittenFileLoadsWithExactValues) {
    Start();
    // LF-only line ends, blanks around fields, the k values spread over two lines.
    auto lines = SampleProject();
    lines[4] = "  .5 ,  1E-03";
    lines.insert(lines.begin() + 5, " 2.5 ");
    WriteFile(Path("hand.TC3"), Lines(lines, "\n"));
    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(Path("hand.TC3"), dataName, ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(recorder.Empty());
    EXPECT_EQ(dataName, "MESS1.TA3");
    EXPECT_EQ(ProjektKommentar, "Versuch vom Montag");
    EXPECT_EQ(aktModell, 4);
    EXPECT_EQ(EnzymRcsModus, kFalse);
    EXPECT_EQ(kWert[1], 0.5);
    EXPECT_EQ(kWert[2], 1e-3);
    EXPECT_EQ(kWert[3], 2.5);
    EXPECT_EQ(c0Wert[1], 1.25);
    EXPECT_EQ(c0Wert[2], 0.75);
    EXPECT_EQ(c0Wert[3], 0.0);
    EXPECT_EQ(SpezSkalierungStoff, 2);
    EXPECT_EQ(SpezSkalierung, kTrue);
    EXPECT_EQ(FitAnzeigeModus, 1);
    EXPECT_EQ(tMax, 120.0);
    EXPECT_EQ(tauMittel, 60.0);
    EXPECT_EQ(ZeitEinheit, "min");
    // The caller takes the data-file name over, not the reader.
    EXPECT_EQ(DatenFile, "");
}

TEST_F(ProjectFileTest, ModelCode100IsTheEnzymeModelInItsRateMode) {
    Start();
    auto lines = SampleProject("");
    lines[3] = "100";
    lines[13] = "1";  // only -1 switches the special scaling on
    WriteFile(Path("enzym.TC3"), Lines(lines));
    std::string dataName = "old";
    bool ok = false;
    shell::LoadProjectFile(Path("enzym.TC3"), dataName, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(dataName, "");
    EXPECT_EQ(aktModell, 10);
    EXPECT_EQ(EnzymRcsModus, kTrue);
    EXPECT_EQ(SpezSkalierung, kFalse);
    EXPECT_EQ(shell::ProjectFileLines()[3], " 100");
    EnzymRcsModus = kFalse;
    EXPECT_EQ(shell::ProjectFileLines()[3], " 10");
}

TEST_F(ProjectFileTest, FewerConcentrationsLeaveTheOthers) {
    Start();
    c0Wert = {0, 9, 9, 9, 9, 9};
    auto lines = SampleProject();
    lines[6] = "2";
    lines.erase(lines.begin() + 9, lines.begin() + 12);
    WriteFile(Path("two.TC3"), Lines(lines));
    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(Path("two.TC3"), dataName, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(c0Wert[1], 1.25);
    EXPECT_EQ(c0Wert[2], 0.75);
    EXPECT_EQ(c0Wert[3], 9.0);
    EXPECT_EQ(c0Wert[5], 9.0);
    EXPECT_EQ(ZeitEinheit, "min");

    // Any unit text is taken, as the data files allow it.
    lines[lines.size() - 2] = " Woche ";
    WriteFile(Path("two.TC3"), Lines(lines));
    shell::LoadProjectFile(Path("two.TC3"), dataName, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ZeitEinheit, "Woche");
    // Without its empty last line the file is still complete.
    lines.pop_back();
    WriteFile(Path("two.TC3"), Lines(lines));
    shell::LoadProjectFile(Path("two.TC3"), dataName, ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(recorder.Empty());
}

TEST_F(ProjectFileTest, BloodAlcoholSessionKeepsTheCurrentModel) {
    Start();
    aktModell = 7;
    EnzymRcsModus = kTrue;
    auto lines = SampleProject();
    lines[3] = " 500";
    WriteFile(Path("bak.TC3"), Lines(lines));
    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(Path("bak.TC3"), dataName, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(aktModell, 7);
    EXPECT_EQ(EnzymRcsModus, kTrue);
    EXPECT_EQ(kWert[1], 0.5);
    EXPECT_EQ(ZeitEinheit, "min");
}

TEST_F(ProjectFileTest, BrokenFileChangesNothingAndSaysWhy) {
    Start();
    struct Case {
        const char* what;
        std::vector<std::string> lines;
    };
    auto with = [](int line, const std::string& text) {
        auto l = SampleProject();
        l[static_cast<std::size_t>(line)] = text;
        return l;
    };
    auto shortened = SampleProject();
    shortened.resize(12);
    const Case cases[] = {
        {"too short", shortened},
        {"two lines only", {"x", "y"}},
        {"k not a number", with(4, ".5,abc,2.5")},
        {"empty k field", with(4, ".5,,2.5")},
        {"count 6", with(6, "6")},
        {"count -1", with(6, "-1")},
        {"model 21", with(3, " 21")},
        {"model 0", with(3, " 0")},
        {"model -3", with(3, "-3")},
        {"model text", with(3, "A => P")},
        {"t(max) overflow", with(15, "1E999")},
    };
    aktModell = 3;
    kWert = {0, 1, 2, 3};
    ZeitEinheit = "h";
    ProjektKommentar = "alt";
    KommandoZeile = "/alt/projekt.TC3";
    ProjektFile = "projekt.TC3";
    ProjektPfad = "/alt";
    DatenFile = "ALT.TA3";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(Path("broken.TC3"), Lines(c.lines));
        const Snapshot before = Snapshot::Take();
        recorder.Clear();
        // Through the menu, so the project names are covered too.
        openAnswer = Path("broken.TC3");
        window->mnuLoadProject_Click();
        EXPECT_TRUE(Snapshot::Take() == before);
        ASSERT_EQ(recorder.Messages().size(), 1u);
        EXPECT_EQ(recorder.Last().title, " Ausführung nicht möglich ");
        EXPECT_EQ(recorder.Last().style, platform::vbCritical);
    }
    // A missing file is refused the same way.
    recorder.Clear();
    std::string dataName;
    bool ok = true;
    shell::LoadProjectFile(Path("fehlt.TC3"), dataName, ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, " Ausführung nicht möglich ");
    EXPECT_FALSE(Enabled("mnuEditDat"));  // no load, nothing enabled
}

TEST_F(ProjectFileTest, DataNameThatIsNoDataFileIsRefusedWithAWarning) {
    Start();
    WriteFile(Path("MESS1.TXT"), DataFileText(3));
    WriteFile(Path("txt.TC3"), Lines(SampleProject("MESS1.TXT")));
    DatenFile = "VORHER.TA3";
    openAnswer = Path("txt.TC3");
    window->mnuLoadProject_Click();
    ASSERT_GE(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Messages()[0].prompt, "Datenfile ist nicht vom Typ *.TA3 und kann nicht geladen werden");
    EXPECT_EQ(recorder.Messages()[0].title, "Warnung");
    EXPECT_EQ(recorder.Messages()[0].style, platform::vbExclamation);
    EXPECT_EQ(aktModell, 4);  // the project values are loaded
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(DatenFile, "VORHER.TA3");
    EXPECT_EQ(recorder.Last().title, "Projektstatus");
    EXPECT_NE(recorder.Last().prompt.find("    kein Datenfile (*.TA3) geladen"), std::string::npos);
}

TEST_F(ProjectFileTest, WrittenFileHasTheExactFormat) {
    Start();
    aktModell = 6;
    kWert = {0, 0.15, 1e-7, 2.5};
    c0Wert = {0, 1, 0.5, 0, -0.25, 0};
    SpezSkalierungStoff = 3;
    SpezSkalierung = kTrue;
    FitAnzeigeModus = 1;
    tMax = 100.0 / 60.0;
    tauMittel = 60;
    ZeitEinheit = "min";
    DatenFile = "/daten/ordner/MESS7.TA3";
    commentAnswer = "Kommentar mit Umlaut: Rührkessel";
    ASSERT_TRUE(shell::WriteProjectFile(Path("p.TC3")));
    EXPECT_EQ(commentPrompts, 1);
    const std::string bytes = ReadFile(Path("p.TC3"));
    const auto first = bytes.find("\r\n");
    EXPECT_EQ(bytes.substr(first),
              "\r\nKommentar mit Umlaut: R\xFC"
              "hrkessel\r\nMESS7.TA3\r\n 6\r\n.15,1E-07,2.5\r\n0\r\n5\r\n1\r\n.5\r\n0\r\n-.25\r\n0\r\n3\r\n-1\r\n"
              "1,0,0,0\r\n1.66666666666667\r\n60\r\n0,0\r\nmin\r\n\r\n");
    EXPECT_GT(first, 0u);  // the date line is there
}

TEST_F(ProjectFileTest, CommentIsAskedForEveryFileButTheLastSession) {
    Start();
    ASSERT_TRUE(shell::WriteProjectFile(Path("TarLastSession.TC3")));
    ASSERT_TRUE(shell::WriteProjectFile(Path("tarlastsession.tc3")));
    EXPECT_EQ(commentPrompts, 0);
    ASSERT_TRUE(shell::WriteProjectFile(Path("MyTarLastSession.TC3X.TC3")));
    EXPECT_EQ(commentPrompts, 1);
    EXPECT_TRUE(shell::IsSessionFileName("C:\\TARVELO\\TARLASTSESSION.TC3"));
    EXPECT_FALSE(shell::IsSessionFileName("LastSession.TC3"));
}

TEST_F(ProjectFileTest, FailedWriteKeepsTheOldFileAndReports) {
    Start();
    const std::string missingDir = Path("gibt/es/nicht/p.TC3");
    EXPECT_FALSE(shell::WriteProjectFile(missingDir));
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Fehler beim Abspeichern der Sitzungs-Datei\r\n(evtl. fehlende Schreibrechte)");
    EXPECT_EQ(recorder.Last().style, platform::vbCritical);
}

TEST_F(ProjectFileTest, SaveThenLoadRoundTrips) {
    Start();
    aktModell = 10;
    EnzymRcsModus = kTrue;
    kWert = {0, 1234.5678, 0.001, 3e-12};
    c0Wert = {0, 0.1, 0.2, 0.3, 0.4, 0.5};
    SpezSkalierungStoff = 4;
    SpezSkalierung = kTrue;
    FitAnzeigeModus = 1;
    tMax = 250;
    tauMittel = 0.125;
    ZeitEinheit = "d";
    commentAnswer = "Rundreise";
    saveAnswer = Path("rund.TC3");
    Menu("mnuSaveProject");
    ASSERT_EQ(saveRequests.size(), 1u);
    EXPECT_EQ(saveRequests[0].caption, "aktuelles Projekt speichern unter ...");
    EXPECT_EQ(saveRequests[0].directory, AppPath);
    EXPECT_EQ(ProjektFile, "rund.TC3");
    EXPECT_EQ(ProjektPfad, AppPath);
    EXPECT_EQ(KommandoZeile, "");  // saving does not change it
    const Snapshot saved = Snapshot::Take();

    aktModell = 2;
    EnzymRcsModus = kFalse;
    kWert = {0, 9, 9, 9};
    c0Wert = {0, 7, 7, 7, 7, 7};
    SpezSkalierungStoff = SpezSkalierung = FitAnzeigeModus = 0;
    tMax = tauMittel = 1;
    ZeitEinheit = "s";
    ProjektKommentar.clear();
    ProjektPfad = "/anderswo";
    ProjektFile.clear();
    recorder.Clear();
    openAnswer = Path("rund.TC3");
    Menu("mnuLoadProject");
    ASSERT_EQ(openRequests.size(), 1u);
    EXPECT_EQ(openRequests[0].caption, "Projekt laden (*.TC3)");
    EXPECT_EQ(openRequests[0].pattern, "*.TC3");
    EXPECT_EQ(openRequests[0].directory, "/anderswo");
    Snapshot loaded = Snapshot::Take();
    EXPECT_EQ(KommandoZeile, Path("rund.TC3"));
    loaded.kommando = saved.kommando;
    EXPECT_TRUE(loaded == saved);
    EXPECT_TRUE(Enabled("mnuSaveProject"));
    EXPECT_TRUE(Enabled("mnuNeudat"));
    EXPECT_TRUE(window->ToolbarButton(8)->isEnabled());
    EXPECT_TRUE(window->ToolbarButton(14)->isEnabled());
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Projektstatus");
    EXPECT_NE(recorder.Last().prompt.find("    Rundreise"), std::string::npos);
}

TEST_F(ProjectFileTest, CancelledDialogsChangeNothing) {
    Start();
    KommandoZeile = "/alt.TC3";
    window->mnuLoadProject_Click();
    window->mnuSaveProject_Click();
    EXPECT_EQ(KommandoZeile, "/alt.TC3");
    EXPECT_EQ(openRequests.size(), 1u);
    EXPECT_EQ(openRequests[0].proposal, "/alt.TC3");
    EXPECT_EQ(saveRequests[0].proposal, "/alt.TC3");
    EXPECT_TRUE(recorder.Empty());
    EXPECT_EQ(commentPrompts, 0);
}

TEST_F(ProjectFileTest, DataFileNameIsTakenOverOnlyWithItsData) {
    Start();
    WriteFile(Path("p.TC3"), Lines(SampleProject("MESS1.TA3")));
    DatenFile = "VORHER.TA3";
    openAnswer = Path("p.TC3");
    window->mnuLoadProject_Click();  // MESS1.TA3 does not exist
    EXPECT_EQ(DatenFile, "VORHER.TA3");
    bool sawLoadMessage = false;
    for (const auto& m : recorder.Messages()) sawLoadMessage |= m.title == "Meldung von LoadExpFile";
    EXPECT_TRUE(sawLoadMessage);

    WriteFile(Path("MESS1.TA3"), DataFileText(4));
    recorder.Clear();
    window->mnuLoadProject_Click();
    EXPECT_EQ(DatenFile, "MESS1.TA3");
    EXPECT_EQ(nMesspunkte, 4);
    EXPECT_EQ(DatenIstSession, kFalse);
    EXPECT_EQ(c0Mess[1], 1.0f);  // the row at t = 0
    EXPECT_TRUE(Enabled("mnuEditDat"));
    EXPECT_TRUE(window->ToolbarButton(16)->isEnabled());
    ASSERT_EQ(recorder.Messages().size(), 1u);
    const std::string& status = recorder.Last().prompt;
    EXPECT_NE(status.find("    Datenfile MESS1.TA3  (Filedatum "), std::string::npos);
    EXPECT_NE(status.find("    mit 4 Messpunkten\r\n    Zeiteinheit der Daten: s\r\n    Filekommentar: Messung 1"),
              std::string::npos);
    EXPECT_NE(status.find("    " + QString::fromStdString(Path("p.TC3")).toUpper().toStdString()), std::string::npos);
}

TEST_F(ProjectFileTest, StatusWithoutProjectOrData) {
    Start();
    bool show = false;
    const std::string text = MDITAR::ProjectStatusText("", show);
    EXPECT_TRUE(show);
    EXPECT_EQ(text, "akt. Arbeitsverzeichnis von TARVELO\r\n    " + AppPath +
                        "\r\n\r\nProjekt\r\n    (Projekt noch unbenannt)\r\n\r\n"
                        "eingestelltes kinetisches Modell => s. Fenster rechts \"kinetisches Modell\"\r\n\r\n"
                        "exper. Daten\r\n    kein Datenfile (*.TA3) geladen\r\n    kein Datensatz vorhanden\r\n\r\n"
                        "Projekt-Kommentar:\r\n    (keiner)\r\n"
                        "    (Kommentar kann beim Abspeichern des Projekts geändert werden)");
    nMesspunkte = 3;
    EXPECT_NE(MDITAR::ProjectStatusText("", show).find("    ein Datensatz mit 3 Messpunkten vorhanden"),
              std::string::npos);
    nMesspunkte = 0;
    // A data file that cannot be viewed shows nothing at all.
    window->ShowProjectStatus("FEHLT.TA3");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Meldung von ViewExpFile");
    // The toolbar's info button shows the status.
    recorder.Clear();
    window->ToolbarButton(36)->trigger();
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Projektstatus");
    EXPECT_EQ(recorder.Last().style, platform::vbInformation);
}

TEST_F(ProjectFileTest, PreviewReadsTheHeadOnly) {
    Start();
    auto lines = SampleProject("");
    lines[0] = "06.12.2026 10:00:00, mehr";
    WriteFile(Path("v.TC3"), Lines(lines));
    const Snapshot before = Snapshot::Take();
    std::string date, comment, data = "x";
    bool ok = false;
    shell::ViewProjectFile(Path("v.TC3"), date, comment, data, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(date, "06.12.2026 10:00:00");
    EXPECT_EQ(comment, "Versuch vom Montag");
    EXPECT_EQ(data, "");
    EXPECT_TRUE(Snapshot::Take() == before);
    shell::ViewProjectFile(Path("fehlt.TC3"), date, comment, data, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(recorder.Last().title, "FEHLER");
}

}  // namespace
}  // namespace shelltest
