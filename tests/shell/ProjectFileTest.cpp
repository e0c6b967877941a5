// Project files: the exact 20-line format, reading hand-written files, the all-or-nothing load,
// and the commands of the "&Daten" menu that save and load projects.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "kernel/Utilities.h"
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

class ProjectFileTest : public ShellTest {
protected:
    void SetUp() override { ProgramTest::SetUp(); }
    // Writes the lines as p.TC3 and reads it with the project reader.
    bool Load(const std::vector<std::string>& lines, std::string* dataName = nullptr, const std::string& eol = "\r\n") {
        WriteFile(Path("p.TC3"), Lines(lines, eol));
        std::string name;
        bool ok = false;
        shell::LoadProjectFile(Path("p.TC3"), dataName ? *dataName : name, ok);
        return ok;
    }
};

TEST_F(ProjectFileTest, HandWrittenFileLoadsWithExactValues) {
    // LF-only line ends, blanks around fields, the k values spread over two lines, two concentrations
    // only (the others stay), any unit, and no empty last line.
    c0Wert = {0, 9, 9, 9, 9, 9};
    auto lines = SampleProject();
    lines[4] = "  .5 ,  1E-03";
    lines.insert(lines.begin() + 5, " 2.5 ");
    lines[7] = "2";
    lines.erase(lines.begin() + 10, lines.begin() + 13);
    lines[lines.size() - 2] = " Woche ";
    lines.pop_back();
    std::string dataName;
    ASSERT_TRUE(Load(lines, &dataName, "\n"));
    EXPECT_TRUE(rec.Empty());
    // The caller, not the reader, takes the data-file name over.
    EXPECT_EQ((std::array{dataName, ProjektKommentar, ZeitEinheit, DatenFile}),
              (std::array<std::string, 4>{"MESS1.TA3", "Versuch vom Montag", "Woche", ""}));
    EXPECT_EQ((std::array{aktModell, EnzymRcsModus, SpezSkalierungStoff, SpezSkalierung, FitAnzeigeModus}),
              (std::array{4, kFalse, 2, kTrue, 1}));
    EXPECT_EQ((std::array{kWert[1], kWert[2], kWert[3], tMax, tauMittel}), (std::array{0.5, 1e-3, 2.5, 120.0, 60.0}));
    EXPECT_EQ(c0Wert, (std::array<double, 6>{0, 1.25, 0.75, 9, 9, 9}));
}

TEST_F(ProjectFileTest, ModelCode100IsTheEnzymeModelAnd500KeepsTheCurrentModel) {
    auto lines = SampleProject("");
    lines[3] = "100";
    lines[13] = "1";  // only -1 switches the special scaling on
    std::string dataName = "old";
    ASSERT_TRUE(Load(lines, &dataName));
    EXPECT_EQ(dataName, "");
    EXPECT_EQ((std::array{aktModell, EnzymRcsModus, SpezSkalierung}), (std::array{10, kTrue, kFalse}));
    EnzymRcsModus = kFalse;
    EXPECT_EQ(shell::ProjectFileLines()[3], " 10");

    // A blood-alcohol session loads the rest and keeps the current model.
    aktModell = 7;
    EnzymRcsModus = kTrue;
    kWert[1] = 9;
    lines = SampleProject();
    lines[3] = " 500";
    ASSERT_TRUE(Load(lines));
    EXPECT_EQ(std::tuple(aktModell, EnzymRcsModus, kWert[1]), std::tuple(7, kTrue, 0.5));
}

TEST_F(ProjectFileTest, BrokenFileChangesNothingAndSaysWhy) {
    auto with = [](int line, const std::string& text) {
        auto l = SampleProject();
        l[static_cast<std::size_t>(line)] = text;
        return l;
    };
    auto shortened = SampleProject();
    shortened.resize(12);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
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
        {"missing file", {}},
    };
    aktModell = 3;
    kWert = {0, 1, 2, 3};
    ZeitEinheit = "h";
    ProjektKommentar = "alt";
    KommandoZeile = "/alt/projekt.TC3";
    ProjektFile = "projekt.TC3";
    ProjektPfad = "/alt";
    DatenFile = "ALT.TA3";
    dialogs.openAnswer = Path("broken.TC3");
    for (const auto& [what, lines] : cases) {
        SCOPED_TRACE(what);
        if (lines.empty()) {
            std::filesystem::remove(Path("broken.TC3"));
        } else {
            WriteFile(Path("broken.TC3"), Lines(lines));
        }
        const Snapshot before = Snapshot::Take();
        rec.Clear();
        main->mnuLoadProject_Click();  // through the menu, so the project names are covered too
        EXPECT_TRUE(Snapshot::Take() == before);
        ASSERT_EQ(rec.Messages().size(), 1u);
        EXPECT_EQ(rec.Last().title, " Ausführung nicht möglich ");
        EXPECT_EQ(rec.Last().style, platform::MsgCritical);
    }
    EXPECT_FALSE(Enabled("mnuEditDat"));  // no load, nothing enabled
}

TEST_F(ProjectFileTest, WrittenFileHasTheExactFormat) {
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
    // The last session is written without a comment prompt, in any letter case; any other name asks.
    for (const char* session : {"TarLastSession.TC3", "tarlastsession.tc3"})
        ASSERT_TRUE(shell::WriteProjectFile(Path(session)));
    EXPECT_TRUE(shell::IsSessionFileName("C:\\TARVELO\\TARLASTSESSION.TC3"));
    EXPECT_EQ(dialogs.commentPrompts, 0);
    dialogs.commentAnswer = "Kommentar mit Umlaut: Rührkessel";
    const std::string file = Path("MyTarLastSession.TC3X.TC3");
    ASSERT_TRUE(shell::WriteProjectFile(file));
    EXPECT_EQ(dialogs.commentPrompts, 1);
    const std::string bytes = testsupport::Bytes(file);
    const auto first = bytes.find("\r\n");
    EXPECT_EQ(bytes.substr(first),
              "\r\nKommentar mit Umlaut: R\xFC"
              "hrkessel\r\nMESS7.TA3\r\n 6\r\n.15,1E-07,2.5\r\n0\r\n5\r\n1\r\n.5\r\n0\r\n-.25\r\n0\r\n3\r\n-1\r\n"
              "1,0,0,0\r\n1.6666666666666667\r\n60\r\n0,0\r\nmin\r\n\r\n");
}

TEST_F(ProjectFileTest, SavingToAnUnwritablePlaceKeepsTheProjectNames) {
    ProjektFile = "alt.TC3";
    ProjektPfad = "/alt";
    dialogs.saveAnswer = Path("gibt/es/nicht/neu.TC3");
    Menu("mnuSaveProject");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Fehler beim Abspeichern der Sitzungs-Datei\r\n(evtl. fehlende Schreibrechte)");
    EXPECT_EQ(rec.Last().style, platform::MsgCritical);
    EXPECT_EQ(std::tuple(ProjektFile, ProjektPfad), std::tuple("alt.TC3", "/alt"));
    EXPECT_EQ(dialogs.commentPrompts, 1);  // the comment is asked before the writing
}

// The values themselves come back as the session test shows; here the menu's road: dialogs, names, status
// (the dialogs' captions: the toolbar test). Cancelled dialogs change nothing and propose the command line.
TEST_F(ProjectFileTest, CancelledDialogsChangeNothingThenSaveAndLoadRoundTrip) {
    KommandoZeile = "/alt.TC3";
    main->mnuLoadProject_Click();
    main->mnuSaveProject_Click();
    EXPECT_EQ(std::tuple(KommandoZeile, dialogs.commentPrompts, rec.Empty()), std::tuple("/alt.TC3", 0, true));
    EXPECT_EQ(dialogs.openRequests[0].proposal + "|" + dialogs.saveRequests[0].proposal, "/alt.TC3|/alt.TC3");
    aktModell = 10;  // the enzyme in its r(P)-c(S) mode, written as code 100
    kWert = {0, 1234.5678, 0.002, 3e-12};
    c0Wert = {0, 0.1, 0.2, 0.3, 0.4, 0.5};
    dialogs.commentAnswer = "Rundreise";
    dialogs.saveAnswer = Path("rund.TC3");
    Menu("mnuSaveProject");
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[1].directory, AppPath);
    EXPECT_EQ(std::tuple(ProjektFile, ProjektPfad), std::tuple("rund.TC3", AppPath));
    EXPECT_EQ(KommandoZeile, "/alt.TC3");  // saving does not change it
    Snapshot saved = Snapshot::Take();

    ASSERT_TRUE(Load(SampleProject()));
    ProjektFile.clear();
    ProjektPfad = "/anderswo";
    rec.Clear();
    dialogs.openAnswer = Path("rund.TC3");
    Menu("mnuLoadProject");
    ASSERT_EQ(dialogs.openRequests.size(), 2u);
    EXPECT_EQ(dialogs.openRequests[1].pattern, "*.TC3");
    EXPECT_EQ(dialogs.openRequests[1].directory, "/anderswo");
    saved.kommando = Path("rund.TC3");
    EXPECT_TRUE(Snapshot::Take() == saved);
    EXPECT_TRUE(Enabled("mnuSaveProject"));
    EXPECT_TRUE(Enabled("mnuNeudat"));
    EXPECT_TRUE(main->ToolbarButton(8)->isEnabled());
    EXPECT_TRUE(main->ToolbarButton(14)->isEnabled());
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Projektstatus");
    EXPECT_NE(rec.Last().prompt.find("    Rundreise"), std::string::npos);
}

// Every finite value comes back from the last-session file bit for bit, also where 15 digits are too few (or,
// next to the largest Double, would read back beyond it), under either number locale of the desk.
TEST_F(ProjectFileTest, SessionFileGivesBackEveryFiniteValue) {
    const double dmax = std::numeric_limits<double>::max(), tiny = std::numeric_limits<double>::denorm_min();
    const std::array<double, 10> values[] = {
        {dmax, -dmax, tiny, 0.1, 1.0 / 3.0, 9007199254740993.0, 1e-310, 2.2250738585072014e-308, dmax, -tiny},
        {1.7976931348623155e308, 0.1 + 0.2, 1e23, 5e-324, 123456789.123456789, -2.0 / 3.0, 1e300, 4.35, 0.15, 1e-5},
    };
    EnzymRcsModus = kFalse;  // meaningful for model 10 only, and cleared by a load of any other
    for (testsupport::NumberLocale locale : testsupport::AllNumberLocales) {
        const testsupport::NumberLocaleScope scope(locale);
        for (const auto& v : values) {
            kWert = {0, v[0], v[1], v[2]};
            c0Wert = {0, v[3], v[4], v[5], v[6], v[7]};
            tMax = v[8];
            tauMittel = v[9];
            const Snapshot saved = Snapshot::Take();
            const std::string session = Path("TARLASTSESSION.TC3");
            ASSERT_TRUE(shell::WriteProjectFile(session));
            ASSERT_TRUE(Load(SampleProject()));
            std::string dataName;
            bool ok = false;
            shell::LoadProjectFile(session, dataName, ok);
            ASSERT_TRUE(ok) << (rec.Empty() ? "" : rec.Last().prompt);
            EXPECT_TRUE(Snapshot::Take() == saved) << v[0];
        }
    }
}

TEST_F(ProjectFileTest, DataFileNameIsTakenOverOnlyWithItsData) {
    DatenFile = "VORHER.TA3";
    dialogs.openAnswer = Path("p.TC3");
    // A data name that is no data file: a warning; the project values are loaded, the data are not.
    WriteFile(Path("MESS1.TXT"), DataFileText(3));
    WriteFile(Path("p.TC3"), Lines(SampleProject("MESS1.TXT")));
    main->mnuLoadProject_Click();
    ASSERT_GE(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Messages()[0].title + "|" + rec.Messages()[0].prompt,
              "Warnung|Datenfile ist nicht vom Typ *.TA3 und kann nicht geladen werden");
    EXPECT_EQ(rec.Messages()[0].style, platform::MsgExclamation);
    EXPECT_EQ(std::tuple(aktModell, nMesspunkte, DatenFile), std::tuple(4, 0, "VORHER.TA3"));
    EXPECT_EQ(rec.Last().title, "Projektstatus");
    EXPECT_NE(rec.Last().prompt.find("    kein Datenfile (*.TA3) geladen"), std::string::npos);

    // A data file that does not exist.
    WriteFile(Path("p.TC3"), Lines(SampleProject("MESS1.TA3")));
    rec.Clear();
    main->mnuLoadProject_Click();
    EXPECT_EQ(DatenFile, "VORHER.TA3");
    EXPECT_TRUE(std::any_of(rec.Messages().begin(), rec.Messages().end(),
                            [](const auto& m) { return m.title == "Meldung von LoadExpFile"; }));

    WriteFile(Path("MESS1.TA3"), DataFileText(4));
    rec.Clear();
    main->mnuLoadProject_Click();
    EXPECT_EQ(std::tuple(DatenFile, nMesspunkte, DatenIstSession), std::tuple("MESS1.TA3", 4, kFalse));
    EXPECT_EQ(c0Mess[1], 1.0f);  // the row at t = 0
    EXPECT_TRUE(Enabled("mnuEditDat"));
    EXPECT_TRUE(main->ToolbarButton(16)->isEnabled());
    ASSERT_EQ(rec.Messages().size(), 1u);
    const std::string& status = rec.Last().prompt;
    EXPECT_NE(status.find("    Datenfile MESS1.TA3  (Filedatum "), std::string::npos);
    EXPECT_NE(status.find("    mit 4 Messpunkten\r\n    Zeiteinheit der Daten: s\r\n    Filekommentar: Messung 1"),
              std::string::npos);
    // The project's path as the status shows it: shortened to 60 characters when longer.
    const std::string shown = kernel::ShortenPath(Path("p.TC3"), 60);
    EXPECT_NE(status.find("    " + QString::fromStdString(shown).toUpper().toStdString()), std::string::npos);

    // On the test's small screen (800 px wide) the status box breaks none of its lines; a line longer than
    // the screen's free width still breaks, and so does a file name wider than the screen, where the width
    // ends. Every box stays within the free area and shows every character of its message.
    const std::string tooLong = "kurz\r\n" + QString("eine sehr lange Zeile ").repeated(60).toStdString();
    const std::string longName = "Die Datei \"/home/anwender/" + std::string(150, 'x') + "/Versuch.TC3\" wurde nicht gefunden.";
    for (const auto& [prompt, broken] :
         {std::pair(status, false), std::pair(tooLong, true), std::pair(longName, true)}) {
        auto box = platform::BuildMessageBox(prompt, platform::MsgInformation, "Projektstatus");
        box->show();
        QCoreApplication::processEvents();
        auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        ASSERT_NE(label, nullptr);
        const QString message = QString::fromStdString(prompt).replace("\r\n", "\n");
        const QStringList lines = message.split('\n');
        int widest = 0;
        for (const QString& line : lines) widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        const int unbrokenHeight = int(lines.size()) * label->fontMetrics().lineSpacing();
        const bool laidOutBroken = label->wordWrap() && label->heightForWidth(label->width()) > unbrokenHeight;
        EXPECT_EQ(std::tuple(label->contentsRect().width() >= widest, laidOutBroken), std::tuple(!broken, broken))
            << lines.size() << " lines, widest " << widest << " px, label " << label->width() << " px";
        // The lines as the label lays them out: none wider than the label, and together the whole message.
        QString shown;
        int widestShown = 0;
        for (const QString& line : label->text().split('\n')) {
            QTextLayout layout(line, label->font());
            QTextOption option;
            option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
                l.setLineWidth(label->contentsRect().width());
                widestShown = std::max(widestShown, int(std::ceil(l.naturalTextWidth())));
            }
            layout.endLayout();
            shown += (shown.isEmpty() ? "" : "\n") + line;
        }
        EXPECT_LE(widestShown, label->contentsRect().width()) << "a line runs past the label's edge";
        EXPECT_EQ(shown.remove(QChar(0x200B)), message);
        // What is selected in the box and copied is the message itself.
        label->setSelection(0, int(label->text().size()));
        QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), message);
        EXPECT_TRUE(box->screen()->availableGeometry().contains(box->frameGeometry()))
            << box->frameGeometry().right() << " > " << box->screen()->availableGeometry().right();
    }
}

TEST_F(ProjectFileTest, StatusAndPreviewWithoutProjectOrData) {
    bool show = false;
    EXPECT_EQ(MDITAR::ProjectStatusText("", show),
              "akt. Arbeitsverzeichnis von TARVELO\r\n    " + AppPath +
                  "\r\n\r\nProjekt\r\n    (Projekt noch unbenannt)\r\n\r\n"
                  "eingestelltes kinetisches Modell => s. Fenster rechts \"kinetisches Modell\"\r\n\r\n"
                  "exper. Daten\r\n    kein Datenfile (*.TA3) geladen\r\n    kein Datensatz vorhanden\r\n\r\n"
                  "Projekt-Kommentar:\r\n    (keiner)\r\n"
                  "    (Kommentar kann beim Abspeichern des Projekts geändert werden)");
    EXPECT_TRUE(show);
    nMesspunkte = 3;
    EXPECT_NE(MDITAR::ProjectStatusText("", show).find("    ein Datensatz mit 3 Messpunkten vorhanden"),
              std::string::npos);
    nMesspunkte = 0;
    // A data file that cannot be viewed shows nothing at all; a project that cannot be previewed says so.
    main->ShowProjectStatus("FEHLT.TA3");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Meldung von ViewExpFile");
    std::string date, comment, data;
    bool ok = true;
    shell::ViewProjectFile(Path("fehlt.TC3"), date, comment, data, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(rec.Last().title, "FEHLER");
}

}  // namespace
}  // namespace shelltest
