// Start-up of the main window: start values of the shared state, the phantom window, and a
// project named on the command line.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <cmath>

#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "tests/shell/ShellFixture.h"

namespace shelltest {
namespace {

using namespace kernel;

using StartupTest = ShellTest;

TEST_F(StartupTest, WithoutArgumentsTheStartValuesAreSet) {
    aktModell = 9;
    ZeitEinheit = "h";
    ReaktOrdnung = 3;
    tWerte.clear();
    MDITAR& w = Start();
    EXPECT_TRUE(recorder.Empty());  // no project status without a project
    EXPECT_EQ(w.objectName(), "MDITAR");
    EXPECT_EQ(w.windowTitle(), "TARVELO");
    EXPECT_EQ(MDITAR::Instance(), &w);
    EXPECT_EQ(DatenFile, "");
    EXPECT_EQ(ProjektFile, "");
    EXPECT_EQ(KommandoZeile, "");
    EXPECT_EQ(aktModell, 2);
    EXPECT_EQ(ZeitEinheit, "s");
    EXPECT_EQ(ReaktOrdnung, 1.5f);
    EXPECT_EQ(EnzymRcsModus, kTrue);
    EXPECT_EQ(MMNormiert, kTrue);
    EXPECT_EQ(cSmax, 0.15f);
    EXPECT_EQ(CalcModeConti, 3);
    EXPECT_EQ(ArrhA, 100.0);
    EXPECT_EQ(ArrhEA, 100.0);
    EXPECT_EQ(FarbeA, 0x0000FF);  // red in the lowest byte
    EXPECT_EQ(FarbeP, 0xFF0000);
    EXPECT_EQ(FarbVorwahl, 0xFF0000);
    EXPECT_EQ(BAKTrinkStart[1], 0);
    for (int i = 2; i <= 8; ++i) EXPECT_EQ(BAKTrinkStart[static_cast<std::size_t>(i)], -1);
    EXPECT_EQ(ColHeaderBack, 0xFFFFFF);
    EXPECT_EQ(ProtSep, ";");
    EXPECT_EQ(tWerte.size(), 301u);
    EXPECT_EQ(rKurveQ.size(), 301u);
    EXPECT_EQ(KurvenPunkte.size(), 2001u);
    EXPECT_EQ(nMesspunkte, 0);
    // Model 2's default k1 = 0.15 per second.
    EXPECT_DOUBLE_EQ(kWert[1], 0.15);

    // Working directories, help, last session: all in the program directory.
    EXPECT_EQ(ProjektPfad, AppPath);
    EXPECT_EQ(DatenPfad, AppPath);
    EXPECT_EQ(XYPfad, AppPath);
    EXPECT_EQ(OC2Pfad, AppPath);
    EXPECT_EQ(TabellenPfad, AppPath);
    EXPECT_EQ(SessionFile, Path("TarLastSession.TC3"));
    EXPECT_EQ(platform::HelpFile(), Path("tarvelo.chm"));

    EXPECT_FALSE(w.ToolbarButton(8)->isEnabled());
    EXPECT_FALSE(w.ToolbarButton(16)->isEnabled());
    EXPECT_FALSE(Enabled("mnuEditDat"));
    EXPECT_EQ(w.ToolbarButton(4)->toolTip(), " letzte Sitzung laden ");
    EXPECT_EQ(w.ToolbarButton(3), nullptr);
}

TEST_F(StartupTest, TimeFactorsAndModelNames) {
    Start();
    EXPECT_EQ(ZeitFaktor[4][0], 31536000.0);
    EXPECT_EQ(ZeitFaktor[0][4], 1.0 / 31536000.0);
    const double seconds[5] = {1, 60, 3600, 86400, 31536000};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ZeitFaktor[i][i], 1.0);
        for (int j = 0; j < 5; ++j) EXPECT_NEAR(ZeitFaktor[i][j] * seconds[j] / seconds[i], 1.0, 1e-15);
    }
    EXPECT_EQ(ZeitFaktor[4][3], 365.0);
    EXPECT_EQ(ZeitFaktor[3][4], 1.0 / 365.0);
    EXPECT_EQ(ModellName[0], "");
    EXPECT_EQ(ModellName[2], "A => P   (n = 1)");
    EXPECT_EQ(ModellName[10], "E + S <=> ES => P + E");
    EXPECT_EQ(ModellName[16], "A => P + Q (Autokatalyse P)");
    EXPECT_EQ(ModellName[20], "A => P, n-ter Ordnung ");
}

TEST_F(StartupTest, DecimalCommaOfTheLocale) {
    const char before = platform::LocaleDecimalSeparator();
    platform::SetLocaleDecimalSeparator(',');
    Start();
    EXPECT_EQ(DezKomma, kTrue);
    window.reset();
    platform::SetLocaleDecimalSeparator('.');
    Start();
    EXPECT_EQ(DezKomma, kFalse);
    platform::SetLocaleDecimalSeparator(before);
}

TEST_F(StartupTest, WindowPositionsFollowTheScreen) {
    Start();
    const int w = platform::ScreenWidthTwips();
    const int h = platform::ScreenHeightTwips();
    ASSERT_GT(w, 0);
    EXPECT_EQ(PosKinModel.Left, w - 6600);
    EXPECT_EQ(PosKinModel.Top, 0);
    EXPECT_EQ(GeoGraph2D[0], 500);
    EXPECT_EQ(GeoGraph2D[1], 5900);
    EXPECT_EQ(GeoGraph2D[2], static_cast<int>(std::lrint(w * 0.55)));
    EXPECT_EQ(GeoGraph2D[3], static_cast<int>(std::lrint(h * 0.7)));
    EXPECT_EQ(GeoGraph2DXY[1], 14000);
    EXPECT_EQ(PosCmnDlg.Left, 20);
    EXPECT_EQ(PosCmnDlg.Top, 216);
    EXPECT_EQ(PosVerweilCalc.Top, 3000);
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
    EXPECT_EQ(frame->width(), 0);
    EXPECT_EQ(frame->height(), 0);
    EXPECT_EQ(phantom->width(), 0);
    // Without a model window registered nothing stands in for it.
    if (!platform::Windows().IsRegistered("frmKinModel")) {
        EXPECT_EQ(w.MdiArea()->subWindowList().size(), 1);
    }
}

TEST_F(StartupTest, IntroductionButtonsStayAtTheRightEdge) {
    MDITAR& w = Start();
    w.resize(1200, 700);
    w.MDIForm_Resize();
    auto* first = w.findChild<QPushButton*>("cmdErstnutzer");
    auto* exercises = w.findChild<QPushButton*>("cmdUebungen");
    ASSERT_TRUE(first && exercises);
    EXPECT_EQ(first->x(), 1200 - first->width() - platform::TwipsToPixels(90));
    EXPECT_EQ(exercises->x(), first->x() - platform::TwipsToPixels(2500));
    first->click();  // help: the message that there is no help file
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_NE(recorder.Last().prompt.find("11223"), std::string::npos);
}

TEST_F(StartupTest, CommandLineProjectWithQuotesLoadsWithItsData) {
    WriteFile(Path("MESS1.TA3"), DataFileText(5));
    WriteFile(Path("Mein Projekt.TC3"), Lines(SampleProject()));
    Start("\"" + Path("Mein Projekt.TC3") + "\"");
    EXPECT_EQ(KommandoZeile, Path("Mein Projekt.TC3"));
    EXPECT_EQ(aktModell, 4);
    EXPECT_EQ(ZeitEinheit, "s");  // the data file's unit comes last
    EXPECT_EQ(DatenFile, "MESS1.TA3");
    EXPECT_EQ(nMesspunkte, 5);
    EXPECT_EQ(c0Wert[1], 1.25);  // the project's initial concentrations stay
    EXPECT_TRUE(Enabled("mnuEditDat"));
    EXPECT_TRUE(Enabled("mnuSaveProject"));
    EXPECT_TRUE(window->ToolbarButton(8)->isEnabled());
    EXPECT_TRUE(window->ToolbarButton(16)->isEnabled());
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Projektstatus");
    EXPECT_NE(recorder.Last().prompt.find("    Datenfile MESS1.TA3"), std::string::npos);
}

TEST_F(StartupTest, QuotesInTheMiddleAreRemovedToo) {
    WriteFile(Path("p.TC3"), Lines(SampleProject("")));
    const std::string path = Path("p.TC3");
    Start("\"" + path.substr(0, 5) + "\"" + path.substr(5) + "\"");
    EXPECT_EQ(KommandoZeile, path);
    EXPECT_EQ(aktModell, 4);
    EXPECT_EQ(DatenFile, "");
    EXPECT_TRUE(Enabled("mnuEditDat"));
    EXPECT_FALSE(window->ToolbarButton(16)->isEnabled());  // no data points
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_NE(recorder.Last().prompt.find("kein Datenfile (*.TA3) geladen"), std::string::npos);
}

TEST_F(StartupTest, DataFileBesideTheProjectIsFoundWhenTheProgramDirectoryHasNone) {
    QTemporaryDir projectDir;
    const std::string dir = projectDir.path().toStdString();
    WriteFile(dir + "/mess1.ta3", DataFileText(3));  // lower-case extension counts as data file
    WriteFile(dir + "/p.TC3", Lines(SampleProject("mess1.ta3")));
    Start(dir + "/p.TC3");
    EXPECT_EQ(nMesspunkte, 3);
    EXPECT_EQ(DatenFile, dir + "/mess1.ta3");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Projektstatus");
}

TEST_F(StartupTest, ProgramDirectoryIsLookedAtFirst) {
    QTemporaryDir projectDir;
    const std::string dir = projectDir.path().toStdString();
    WriteFile(dir + "/MESS1.TA3", DataFileText(3));
    WriteFile(Path("MESS1.TA3"), DataFileText(6));
    WriteFile(dir + "/p.TC3", Lines(SampleProject()));
    Start(dir + "/p.TC3");
    EXPECT_EQ(nMesspunkte, 6);
    EXPECT_EQ(DatenFile, "MESS1.TA3");
}

TEST_F(StartupTest, MissingDataFileKeepsTheProjectAndTheOldName) {
    WriteFile(Path("p.TC3"), Lines(SampleProject("FEHLT.TA3")));
    Start(Path("p.TC3"));
    EXPECT_EQ(aktModell, 4);
    EXPECT_EQ(DatenFile, "");
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(recorder.Messages().front().title, "Meldung von LoadExpFile");
    EXPECT_TRUE(Enabled("mnuSaveProject"));
}

TEST_F(StartupTest, UnreadableCommandLineProjectLeavesTheStartState) {
    WriteFile(Path("kaputt.TC3"), "nur\r\nzwei Zeilen\r\n");
    Start(Path("kaputt.TC3"));
    EXPECT_EQ(KommandoZeile, "");
    EXPECT_EQ(aktModell, 2);
    EXPECT_FALSE(Enabled("mnuEditDat"));
    EXPECT_FALSE(window->ToolbarButton(8)->isEnabled());
    ASSERT_EQ(recorder.Messages().size(), 1u);  // the read error, no status
    EXPECT_EQ(recorder.Last().title, " Ausführung nicht möglich ");
}

}  // namespace
}  // namespace shelltest
