// Start-up of the main window: start values of the shared state, the phantom window, and a
// project named on the command line.

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "platform/Help.h"
#include "platform/Twips.h"
#include "shell/frmTOption.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/ChildRun.h"
#include "tests/support/NumberLocale.h"

namespace shelltest {
namespace {

using namespace kernel;

using StartupTest = ShellTest;

// Start-up without arguments: every start value is set, whatever was there before.
TEST_F(StartupTest, WithoutArgumentsEveryStartValueIsSetWhateverWasThereBefore) {
    // Scrambled beforehand, so that a value start-up forgets to set shows up.
    aktModell = 9;
    ZeitEinheit = "h";
    ReaktOrdnung = 3;
    tWerte.clear();
    for (auto& name : ModellName) name = "x";
    for (auto& row : ZeitFaktor)
        for (double& f : row) f = -1;
    PosArrhenius = PosBlutalkohol = PosTangente = PosCommentInput = PosCmnDlg = PosFitting = {-7, -7};
    PosTimeDiagram = PosBatch = PosRKconti = PosRohrreaktor = PosSimTabelle = PosVerweilCalc = {-7, -7};
    PosVerweilzeit = PosKinModel = {-7, -7};
    GeoGraph2D = GeoGraph2DXY = {-7, -7, -7, -7};
    CalcModeConti = nKesselVC = kTFunktion = BAKKeinAbbau = 9;
    ArrhA = ArrhEA = 9;
    SmoothingFactor = 9;
    cSmax = 9;
    MitPunkten = KurvenHinzufuegen = RuehrerAnimation = DatenIstSession = DezKomma = kTrue;
    MMNormiert = BAKInitFlag = ContiHinweisOffen = ErsterDiagrammStart = EnzymRcsModus = kFalse;
    BAKTrinkStart.fill(5);
    ProtSep = ",";
    CrLf.clear();
    MDITAR& w = Start();
    EXPECT_TRUE(rec.Empty());  // no project status without a project
    EXPECT_EQ(MDITAR::Instance(), &w);
    EXPECT_DOUBLE_EQ(kWert[1], 0.15);  // model 2's default k1 per second
    EXPECT_EQ(std::tuple(aktModell, ZeitEinheit, ReaktOrdnung), std::tuple(2, "s", 1.5f));
    // Colours with red in the lowest byte.
    EXPECT_EQ((std::array{FarbeA, FarbeP, FarbVorwahl, ColHeaderBack}), (std::array{0x0000FF, 0xFF0000, 0xFF0000, 0xFFFFFF}));
    EXPECT_EQ(tWerte.size(), 301u);
    EXPECT_EQ(nMesspunkte, 0);
    // Working directories, help, last session: all in the program directory.
    for (const std::string* dir : {&ProjektPfad, &DatenPfad, &XYPfad, &OC2Pfad, &TabellenPfad})
        EXPECT_EQ(*dir, AppPath);
    EXPECT_EQ(SessionFile, Path("TarLastSession.TC3"));
    EXPECT_EQ(platform::HelpFile(), Path("tarvelo.qch"));
    EXPECT_EQ((std::array{w.ToolbarButton(8)->isEnabled(), w.ToolbarButton(16)->isEnabled(), Enabled("mnuEditDat")}),
              (std::array{false, false, false}));

    const char* const names[21] = {"", "A => P   (n = 0)", "A => P   (n = 1)", "2A => P   (n = 2)",
        "A + B => P   (n = 2)", "A => P   (Autokatalyse)", "A => C => P", "A + B => C; A + C => P", "A <=> P",
        "A + B => C => P", "E + S <=> ES => P + E", "A => P; A => Q", "A + B <=> 2P", "A + B => C <=> P",
        "A => C <=> P", "A <=> C => P", "A => P + Q (Autokatalyse P)", "A + B <=> P", "A + B <=> C => P",
        "A + B <=> P + Q", "A => P, n-ter Ordnung "};
    for (int i = 0; i <= 20; ++i) EXPECT_EQ(ModellName[static_cast<std::size_t>(i)], names[i]) << i;

    // Below the diagonal the exact numbers, above it their reciprocals, the diagonal 1.
    const double below[5][5] = {{0}, {60}, {3600, 60}, {86400, 1440, 24}, {31536000, 525600, 8760, 365}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ZeitFaktor[i][i], 1.0);
        for (int j = 0; j < i; ++j) {
            EXPECT_EQ(ZeitFaktor[i][j], below[i][j]) << i << j;
            EXPECT_EQ(ZeitFaktor[j][i], 1.0 / below[i][j]) << j << i;
        }
    }

    // Window positions, some of which follow the screen.
    const int screenW = platform::ScreenWidthTwips();
    ASSERT_GT(screenW, 0);
    const std::pair<const FormPos*, std::array<int, 2>> positions[] = {
        {&PosKinModel, {screenW - 6600, 0}}, {&PosArrhenius, {2500, 500}}, {&PosBlutalkohol, {1500, 0}},
        {&PosTangente, {50, 900}}, {&PosCommentInput, {0, 0}}, {&PosCmnDlg, {20, 216}}, {&PosFitting, {80, 0}},
        {&PosTimeDiagram, {60, 0}}, {&PosBatch, {50, 0}}, {&PosRKconti, {50, 0}}, {&PosRohrreaktor, {50, 0}},
        {&PosSimTabelle, {400, 120}}, {&PosVerweilCalc, {120, 3000}}, {&PosVerweilzeit, {0, 0}}};
    for (const auto& [p, leftTop] : positions) EXPECT_EQ((std::array{p->Left, p->Top}), leftTop) << leftTop[0] << " " << leftTop[1];
    // Order top, left, width, height.
    EXPECT_EQ(GeoGraph2D, (std::array{500, 5900, static_cast<int>(std::lrint(screenW * 0.55)),
                                      static_cast<int>(std::lrint(platform::ScreenHeightTwips() * 0.7))}));
    EXPECT_EQ(GeoGraph2DXY, (std::array{800, 14000, 9000, 6300}));

    EXPECT_EQ((std::array{CalcModeConti, nKesselVC, kTFunktion, BAKKeinAbbau}), (std::array{3, 1, 1, 0}));
    EXPECT_EQ((std::array{ArrhA, ArrhEA}), (std::array{100.0, 100.0}));
    EXPECT_EQ(std::pair(SmoothingFactor, cSmax), std::pair(0.0f, 0.15f));
    EXPECT_EQ((std::array{MitPunkten, KurvenHinzufuegen, RuehrerAnimation, DatenIstSession, DezKomma}),
              (std::array{kFalse, kFalse, kFalse, kFalse, kFalse}));
    EXPECT_EQ((std::array{MMNormiert, BAKInitFlag, ContiHinweisOffen, ErsterDiagrammStart, EnzymRcsModus}),
              (std::array{kTrue, kTrue, kTrue, kTrue, kTrue}));
    EXPECT_EQ(BAKTrinkStart, (std::array<int, 9>{5, 0, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(std::tuple(ProtSep, CrLf), std::tuple(";", "\r\n"));
    // The decimal-comma flag follows the locale's separator (point above).
    platform::SetLocaleDecimalSeparator(',');
    Start();
    EXPECT_EQ(DezKomma, kTrue);
}

TEST_F(StartupTest, PhantomWindowIsAnEmptyInvisibleChild) {
    MDITAR& w = Start();
    QWidget* phantom = platform::Windows().Get("frmPhantomT");
    ASSERT_NE(phantom, nullptr);
    EXPECT_EQ(phantom->windowTitle(), "Hauptfenster");
    EXPECT_TRUE(phantom->children().isEmpty());
    auto* frame = qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmPhantomT"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->mdiArea(), w.MdiArea());
    EXPECT_EQ(frame->size(), QSize(0, 0));
}

TEST_F(StartupTest, CommandLineProjectLoadsWithItsDataOrLeavesTheStartState) {
    QTemporaryDir projectDir;
    const std::string projDir = projectDir.path().toStdString();
    const std::string p = Path("p.TC3"), mein = Path("Mein Projekt.TC3"), other = projDir + "/p.TC3";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
        std::string commandLine, kommando, datenFile;
        int model, points;
        const char* firstTitle;
        std::size_t messages;
    };
    const Case cases[] = {
        {"quotes in the middle, no data", {{p, Lines(SampleProject(""))}},
         "\"" + p.substr(0, 5) + "\"" + p.substr(5) + "\"", p, "", 4, 0, "Projektstatus", 1},
        {"missing data file keeps the old name", {{p, Lines(SampleProject("FEHLT.TA3"))}},
         p, p, "", 4, 0, "Meldung von LoadExpFile", 2},
        // The data file is looked for in the program directory first, then beside the project;
        // a lower-case extension counts as a data file.
        {"program directory first",
         {{other, Lines(SampleProject("mess1.ta3"))}, {projDir + "/mess1.ta3", DataFileText(3)}, {Path("mess1.ta3"), DataFileText(6)}},
         other, other, "mess1.ta3", 4, 6, "Projektstatus", 1},
        {"then beside the project", {{other, Lines(SampleProject("mess2.ta3"))}, {projDir + "/mess2.ta3", DataFileText(3)}},
         other, other, projDir + "/mess2.ta3", 4, 3, "Projektstatus", 1},
        {"unreadable project: the read error, no status", {{Path("kaputt.TC3"), "nur\r\nzwei Zeilen\r\n"}},
         Path("kaputt.TC3"), "", "", 2, 0, " Ausführung nicht möglich ", 1},
        // Names from an older system in Latin-1: the project's own and, named in its text, its data file's.
        {"Latin-1 names", {{projDir + "/M\xE4rz.TC3", Lines(SampleProject("Daten \xE4.TA3"))}, {Path("Daten \xE4.TA3"), DataFileText(2)}},
         projDir + "/M\xE4rz.TC3", projDir + "/M\xE4rz.TC3", "Daten \xC3\xA4.TA3", 4, 2, "Projektstatus", 1},
        {"quoted name with a blank", {{Path("MESS1.TA3"), DataFileText(5)}, {mein, Lines(SampleProject())}},
         "\"" + mein + "\"", mein, "MESS1.TA3", 4, 5, "Projektstatus", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        rec.Clear();
        for (const auto& [path, bytes] : c.files) WriteFile(path, bytes);
        // Each message of the load stands over the main window, shown maximized before the load.
        std::string shownAtMessages;
        const platform::MsgBoxHandler recorder = platform::SetMsgBoxHandler(nullptr);
        platform::SetMsgBoxHandler([&](const std::string& prompt, int style, const std::string& title) {
            const MDITAR* m = MDITAR::Instance();
            shownAtMessages += m && m->isVisible() && m->isMaximized() ? "shown " : "hidden ";
            return recorder(prompt, style, title);
        });
        Start(c.commandLine);
        platform::SetMsgBoxHandler(recorder);
        EXPECT_EQ(shownAtMessages, c.messages == 1 ? "shown " : "shown shown ");
        EXPECT_EQ(std::tuple(KommandoZeile, aktModell, DatenFile, nMesspunkte),
                  std::tuple(c.kommando, c.model, c.datenFile, c.points));
        ASSERT_EQ(rec.Messages().size(), c.messages);
        EXPECT_EQ(rec.Messages().front().title, c.firstTitle);
        const bool loaded = c.model == 4;
        if (loaded && c.datenFile.empty()) {
            EXPECT_NE(rec.Last().prompt.find("    kein Datenfile (*.TA3) geladen"), std::string::npos);
        }
        EXPECT_EQ(Enabled("mnuEditDat"), loaded);
        EXPECT_EQ(main->ToolbarButton(8)->isEnabled(), loaded);
        EXPECT_EQ(main->ToolbarButton(16)->isEnabled(), c.points > 0);
        // The data are analysed at once, their start concentrations taken for the evaluations (c(A) = 1 at t = 0).
        EXPECT_EQ(std::pair(nctPunkte, c0Mess[1]), std::pair(c.points, c.points > 0 ? 1.0f : 0.0f));
    }
    // The last case in detail: the data file's unit comes last, the project's initial concentrations stay.
    EXPECT_EQ(std::tuple(ZeitEinheit, c0Wert[1]), std::tuple("s", 1.25));
    EXPECT_NE(rec.Last().prompt.find("    Datenfile MESS1.TA3"), std::string::npos);
    // The folders' own clean-up skips names that are not UTF-8.
    for (const std::string& f : {projDir + "/M\xE4rz.TC3", Path("Daten \xE4.TA3")}) ::unlink(f.c_str());
}

// The texts of Qt's own modal dialog open now, "|" between them: its title, the labels named, then
// its buttons.
std::string DialogTexts(const QStringList& labels) {
    QWidget* d = QApplication::activeModalWidget();
    if (!d) return "kein Dialog";
    QStringList texts{d->windowTitle()};
    for (const QString& name : labels) {
        const auto* label = d->findChild<QLabel*>(name);
        texts << (label ? label->text() : "kein " + name);
    }
    if (const auto* buttons = d->findChild<QDialogButtonBox*>())
        for (const QAbstractButton* b : buttons->buttons()) texts << b->text();
    return texts.join('|').toStdString();
}

// Qt's own dialogs speak German under every locale: the save dialog, its overwrite question and the
// colour dialog, each opened by the program as the user opens it.
TEST_F(StartupTest, QtsOwnDialogsSpeakGermanUnderEveryLocale) {
    Start();
    shell::SetSaveFileChooser(nullptr);
    frmTOption::SetColorChooser(nullptr);
    WriteFile(Path("alt.TC3"), "alt");
    for (const testsupport::NumberLocale locale : testsupport::AllNumberLocales) {
        SCOPED_TRACE(locale == testsupport::NumberLocale::German ? "German" : "C");
        const testsupport::NumberLocaleScope scope(locale);
        std::string saveDialog, question;
        QTimer::singleShot(0, [&] {
            saveDialog = DialogTexts({"lookInLabel", "fileNameLabel", "fileTypeLabel"});
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            QTimer::singleShot(0, [&] {
                question = DialogTexts({"qt_msgbox_label"});
                if (auto* q = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) q->button(QMessageBox::No)->click();
            });
            d->selectFile("alt.TC3");
            // Saving over it asks first; No keeps the dialog open.
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
            d->reject();
        });
        Menu("mnuSaveProject");
        EXPECT_EQ(saveDialog, "aktuelles Projekt speichern unter ...|Suchen in:|Datei&name:|Dateien des Typs:|"
                              "S&peichern|Abbrechen");
        EXPECT_EQ(question, "aktuelles Projekt speichern unter ...|"
                            "Die Datei alt.TC3 existiert bereits.\nSoll sie \u00FCberschrieben werden?|&Ja|&Nein");
        EXPECT_EQ(testsupport::Bytes(Path("alt.TC3")), "alt");

        std::string colourDialog;
        platform::Windows().Show("frmTOption");
        QTimer::singleShot(0, [&] {
            colourDialog = DialogTexts({});
            if (QWidget* d = QApplication::activeModalWidget()) d->close();
        });
        testsupport::Click("frmTOption", "cmdAColor");
        EXPECT_EQ(colourDialog, "Farbauswahl|OK|Abbrechen");
        platform::Windows().Unload("frmTOption");
    }
    // On a desktop too: Qt's dialogs, not the desktop's own in the desktop's language.
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
}

// Hostile projects on the command line, each in the real program as a child process: it shows its
// window, says what it could not use, and ends on request (a throw would abort it, a blocking read
// or a huge message would keep it past the alarm).
TEST_F(StartupTest, HostileCommandLineProjectsGiveAMessageAndTheProgramRuns) {
    const std::string folder = dir.path().toStdString(), sub = folder + "/sub";
    std::filesystem::create_directory(sub);
    std::filesystem::create_symlink("loop.TA3", sub + "/loop.TA3");
    ASSERT_EQ(::mkfifo(Path("pipe.TC3").c_str(), 0644), 0);
    auto project = [](const std::string& comment, const std::string& dataName) {
        std::vector<std::string> lines = SampleProject(dataName);
        lines[1] = comment;
        return Lines(lines);
    };
    WriteFile(sub + "/long.TC3", project("", std::string(300, 'x') + ".TA3"));
    WriteFile(sub + "/loop.TC3", project("", "loop.TA3"));
    WriteFile(Path("big.TC3"), project(std::string(100'000, 'k'), ""));
    const std::pair<std::string, const char*> cases[] = {
        {sub + "/long.TC3", "MSG Meldung von LoadExpFile: [^\n]*zu lang.*MSG Projektstatus"},
        {sub + "/loop.TC3", "MSG Meldung von LoadExpFile: [^\n]*im Kreis.*MSG Projektstatus"},
        {Path("pipe.TC3"), "MSG  Ausf\xC3\xBChrung nicht m\xC3\xB6glich : [^\n]*keine gew\xC3\xB6hnliche Datei"},
        // The status shows the start of a huge comment; the project keeps it whole.
        {Path("big.TC3"), "MSG Projektstatus: .*\n    k{500}\\.\\.\\.\r?\n"},
    };
    for (const auto& [commandLine, message] : cases) {
        SCOPED_TRACE(commandLine);
        EXPECT_EXIT(testsupport::RunProgramAndExit(folder, commandLine,
                                                   testsupport::CloseMainWindow),
                    testing::ExitedWithCode(0), message);
    }
    ::unlink(Path("pipe.TC3").c_str());  // the folder's own clean-up skips pipes
}

using StartupRoad = testsupport::InBothLocales<ShellTest>;

// The model window of a start with a project, in the real program as a child process on a screen of
// 1366 x 768, where the maximized main window is a few pixels smaller than the screen: it stands
// where a plain start puts it, wholly inside the main window, and keeps that place, in PosKinModel
// too, when the fitting window and a project load open it afresh.
TEST_P(StartupRoad, ModelWindowOfAProjectStartStandsWhereAPlainStartPutsIt) {
    const testsupport::OffscreenScreens screen(
        R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96}]})");
    std::vector<std::string> project = SampleProject("MESS1.TA3");
    project[3] = " 2";  // A => P, which the concentration fitting takes
    WriteFile(Path("p.TC3"), Lines(project));
    WriteFile(Path("MESS1.TA3"), DataFileText(6));
    dialogs.openAnswer = Path("p.TC3");

    auto script = [] {
        struct Place {
            QPoint at;
            bool inside = false;
        };
        // Where the model window stands once the main window has its final size.
        auto place = [] {
            QTest::qWait(20);
            const auto* frame = qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmKinModel"));
            if (!frame) return Place{{-1, -1}, false};
            return Place{frame->pos(), frame->mdiArea()->viewport()->rect().contains(frame->geometry())};
        };
        auto twips = [](QPoint p) { return QPoint(platform::PixelsToTwips(p.x()), platform::PixelsToTwips(p.y())); };
        auto text = [](QPoint p) { return std::to_string(p.x()) + "," + std::to_string(p.y()); };
        auto menu = [](const char* name) {
            testsupport::Entry(name)->trigger();
            QCoreApplication::processEvents();
        };
        std::vector<std::pair<std::string, Place>> stages{{"project start", place()}};
        menu("mnuctFitting");
        stages.push_back({"fitting", place()});
        const QPoint afterFitting(PosKinModel.Left, PosKinModel.Top);
        menu("mnuLoadProject");
        stages.push_back({"project load", place()});
        const QPoint afterLoad(PosKinModel.Left, PosKinModel.Top);

        // The place of a plain start, the main window opened afresh.
        delete MDITAR::Instance();
        testsupport::Flush();
        (new MDITAR(""))->show();
        const Place plain = place();
        std::string report = "model window:";
        for (const auto& [stage, p] : stages)
            report += " " + stage + " " + (p.at == plain.at ? "same" : "at " + text(p.at) + ", plain " + text(plain.at)) +
                      (p.inside ? "" : " outside") + ";";
        for (const QPoint pos : {afterFitting, afterLoad})
            report += " PosKinModel " + (pos == twips(plain.at) ? "same" : text(pos) + " for " + text(twips(plain.at)));
        report += plain.inside ? "" : "; plain start outside";
        std::fprintf(stderr, "%s\n", report.c_str());
        QCoreApplication::exit(0);
    };
    EXPECT_EXIT(testsupport::RunProgramAndExit(dir.path().toStdString(), Path("p.TC3"), script),
                testing::ExitedWithCode(0),
                "model window: project start same; fitting same; project load same; PosKinModel same PosKinModel same\n");
}

// On a small screen (800 x 520) the maximized main window fits the screen: its work area does not grow
// to the model window, which is taller than the area; the area scrolls to the model window's last line.
TEST(SmallScreen, TheMainWindowFitsAndItsWorkAreaScrollsToALargerChild) {
    const testsupport::OffscreenScreens screen(R"({"screens": [{"name": "S", "x": 0, "y": 0, "width": 800, "height": 520}]})");
    QTemporaryDir dir;
    auto script = [] {
        QTest::qWait(20);
        auto* main = MDITAR::Instance();
        const auto* model = qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmKinModel"));
        QMdiArea* area = main->MdiArea();
        std::string report = "main window:";
        // A platform may squeeze a maximized window into the screen whatever its minimum; a window
        // manager does not.
        const QRect free = main->screen()->availableGeometry();
        report += free.contains(main->frameGeometry()) && main->minimumSizeHint().height() <= free.height()
                      ? " inside"
                      : " beyond the screen";
        if (model && model->height() > area->viewport()->height() && !area->verticalScrollBar()->isVisible()) {
            report += "; no scroll bar to the model window's end";
        } else if (model && model->height() > area->viewport()->height()) {
            area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
            QCoreApplication::processEvents();
            report += model->geometry().bottom() < area->viewport()->height() ? "; model window's end reached"
                                                                                 : "; model window's end out of reach";
        } else {
            report += "; model window not taller than the area";
        }
        std::fprintf(stderr, "%s\n", report.c_str());
        QCoreApplication::exit(0);
    };
    EXPECT_EXIT(testsupport::RunProgramAndExit(dir.path().toStdString(), "", script), testing::ExitedWithCode(0),
                "main window: inside; model window's end reached\n");
}

INSTANTIATE_TEST_SUITE_P(Locales, StartupRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
}  // namespace shelltest
