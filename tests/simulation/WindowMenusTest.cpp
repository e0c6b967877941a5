// The window menus of the main window: entries of windows the program does not carry are disabled
// until the window is registered, and each entry closes and opens the windows it stands for, with the
// shared flags it sets.

#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

using testsupport::Entry;
QMenu* SubMenu(const char* name) { return platform::Windows().MainWindow()->findChild<QMenu*>(name); }
bool Open(const char* name) { return platform::Windows().IsLoaded(name); }

// Opens a menu as the user does (its entries are checked then), and closes it again.
void OpenMenu(const char* name) {
    QMenu* menu = SubMenu(name);
    ASSERT_NE(menu, nullptr) << name;
    emit menu->aboutToShow();
}

using WindowMenusTest = simtest::SimWindowTest;

TEST_F(WindowMenusTest, EntryOfAMissingWindowIsDisabledUntilTheWindowIsRegistered) {
    OpenMenu("mnuVerweilzeit");
    OpenMenu("mnuMonteCarlo");
    OpenMenu("mnuDaten");
    for (const char* name : {"mnuBatchR", "mnuKontRK", "mnuctGraph", "mnuVerweilzeitVisual", "mnuVerweilzeitVerteilung",
                             "mnuSubMonteCarlo(0)", "mnuToolArrhenius", "mnuEditXY", "mnuModel"}) {
        const QStringList targets = Entry(name)->property("tarvelo.targetWindows").toStringList();
        ASSERT_EQ(targets.size(), 1) << name;
        EXPECT_EQ(Entry(name)->isEnabled(), platform::Windows().IsRegistered(targets[0].toStdString())) << name;
    }

    QMenu menu;
    QAction* later = menu.addAction("later");
    static int run = 0;  // a name not registered yet, also when the test is repeated
    const std::string name = "frmRegisteredLaterByTheMenuTest" + std::to_string(++run);
    shell::SetEntryTargets(later, {QString::fromStdString(name)});
    EXPECT_FALSE(later->isEnabled());
    platform::Windows().Register(name, platform::FormKind::MdiChild, [] { return new QWidget; });
    shell::UpdateWindowEntries(&menu);
    EXPECT_TRUE(later->isEnabled());

    Entry("mnuModel")->trigger();
    EXPECT_TRUE(Open("frmKinModel"));
    // Menus that exist for their entries but are never shown.
    EXPECT_FALSE(SubMenu("mnuOptionenTools")->menuAction()->isVisible());
    QStringList options;
    for (QAction* a : SubMenu("mnuOptionenTools")->actions()) options << a->objectName();
    EXPECT_EQ(options.join(' '), "mnuOption sep9 mnuToolArrhenius mnuToolEyring Blutalkohol mnuVexo4");
    EXPECT_FALSE(SubMenu("mnuEdit1")->menuAction()->isVisible());
}

TEST_F(WindowMenusTest, ReactorMenuAsksForAModelFirst) {
    aktModell = 0;
    OpenMenu("mnuReaktor");
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |vorher ein kinetisches Modell wählen!");
    aktModell = 2;
    OpenMenu("mnuReaktor");
    EXPECT_EQ(rec.Messages().size(), 1u);
}

TEST_F(WindowMenusTest, ReactorEntriesCloseTheOthersAndSetTheReactorFlags) {
    struct Case {
        const char* entry;
        const char* window;
        int rohr, conti, kaskade;
    };
    const Case cases[] = {
        {"mnuRohrR", "frmRohrreaktor", kTrue, 0, 0},
        {"mnuKontRK", "frmRKconti", 0, kTrue, 0},
        {"mnuKaskade", "frmKaskade", 0, 0, kTrue},
        {"mnuBatchR", "frmBatch", 0, 0, 0},
    };
    const char* calcWindows[] = {"frmBatch", "frmRKconti", "frmRohrreaktor", "frmKaskade"};
    RateDiagramm = kTrue;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        Entry(c.entry)->trigger();
        EXPECT_TRUE(Open(c.window));
        for (const char* other : calcWindows) EXPECT_EQ(Open(other), std::string(other) == c.window) << other;
        EXPECT_TRUE(Open("frmKinModel"));
        EXPECT_EQ(RohrAktiv, c.rohr);
        EXPECT_EQ(ContiAktiv, c.conti);
        EXPECT_EQ(KaskadeAktiv, c.kaskade);
        EXPECT_EQ(RateDiagramm, 0);
        // The model window was rebuilt for the reactor: its caption names the model.
        EXPECT_EQ(Text(c.window, "Label7"), QStringLiteral("kinet. Modell:  A => P   (n = 1)"));
        testsupport::Flush();
    }
}

TEST_F(WindowMenusTest, StirredTankAndCascadeRefuseTheEnzymeModel) {
    platform::Windows().Show("frmBatch");
    aktModell = 10;
    for (const char* entry : {"mnuKontRK", "mnuKaskade"}) {
        rec.Clear();
        Entry(entry)->trigger();
        ASSERT_EQ(rec.Messages().size(), 1u) << entry;
        EXPECT_EQ(rec.Last().prompt, "Sorry, hieran wird noch gearbeitet");
        EXPECT_TRUE(Open("frmBatch"));  // nothing was closed
        EXPECT_FALSE(Open("frmRKconti") || Open("frmKaskade"));
    }
    Entry("mnuRohrR")->trigger();
    EXPECT_TRUE(Open("frmRohrreaktor"));
    EXPECT_FALSE(Open("frmBatch"));
}

TEST_F(WindowMenusTest, TimeDiagramEntriesCloseTheReactorsAndSetTheRateMode) {
    platform::Windows().Show("frmBatch");
    RohrAktiv = kTrue;
    DiagVariante = 2;
    Entry("mnuvtGraph")->trigger();
    EXPECT_FALSE(Open("frmBatch"));
    EXPECT_TRUE(Open("frmPrepareTimeDiagram") && Open("frmKinModel"));
    EXPECT_EQ(RateDiagramm, kTrue);
    EXPECT_EQ(RohrAktiv, 0);
    EXPECT_EQ(DiagVariante, 0);
    EXPECT_FALSE(Control<QCheckBox>("frmPrepareTimeDiagram", "chkMitPunkten")->isEnabled());
    QWidget* rateWindow = platform::Windows().Get("frmPrepareTimeDiagram");
    Entry("mnuvtGraph")->trigger();
    EXPECT_EQ(platform::Windows().Get("frmPrepareTimeDiagram"), rateWindow);  // an open one stays

    DatenSpalte[1] = kTrue;  // measured c(A): points may be drawn with the concentrations
    Entry("mnuctGraph")->trigger();
    EXPECT_EQ(RateDiagramm, 0);
    EXPECT_NE(platform::Windows().Get("frmPrepareTimeDiagram"), rateWindow);  // starts afresh
    EXPECT_TRUE(Control<QCheckBox>("frmPrepareTimeDiagram", "chkMitPunkten")->isEnabled());
}

TEST_F(WindowMenusTest, PopupEntriesFollowClipboardAndData) {
    nMesspunkte = 0;
    shell::mnuEdit1_Click();
    EXPECT_FALSE(Entry("mnuCopy1")->isEnabled());
    EXPECT_FALSE(Entry("mnuErase1")->isEnabled());
    nMesspunkte = 3;
    shell::mnuEdit1_Click();
    EXPECT_TRUE(Entry("mnuCopy1")->isEnabled());
    EXPECT_TRUE(Entry("mnuErase1")->isEnabled());
    nXYPunkte = 0;
    shell::mnuEdit2_Click();
    EXPECT_FALSE(Entry("mnuCopy2")->isEnabled());
}

TEST_F(WindowMenusTest, WindowListNamesTheOpenWindows) {
    platform::Windows().Show("frmKinModel");
    OpenMenu("mnuFenster");
    bool listed = false;
    for (QAction* a : SubMenu("mnuFenster")->actions()) listed = listed || a->text().contains("kinetisches Modell");
    EXPECT_TRUE(listed);
}

}  // namespace
