// The frame shared by the calculation windows: the Enter key's walk through the input boxes, the
// typed-edit path (typed, pasted and deleted text is stored, text written by the program is not),
// and the shared handlers of the extents, special scaling and add-curves options. The window menus
// of the main window that open them: entries of windows the program does not carry are disabled
// until the window is registered, and each entry closes and opens the windows it stands for, with
// the shared flags it sets.

#include "platform/core/FormHost.h"
#include "simulation/frmKinModel.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

class CalcFrameTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        Menu("mnuBatchR");  // model 2, A => P: boxes of A and P only
        window = qobject_cast<CalcWindow*>(platform::Windows().Get("frmBatch"));
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Activate());
    }
    QLineEdit* Box(int i) { return window->Inp[static_cast<std::size_t>(i)]; }
    // Enter in box `from`; the box that has the focus afterwards.
    QWidget* EnterFrom(int from) {
        Box(from)->setFocus();
        QTest::keyClick(Box(from), Qt::Key_Return);
        return QApplication::focusWidget();
    }
    static frmKinModel* ModelWindow() { return static_cast<frmKinModel*>(platform::Windows().Get("frmKinModel")); }

    CalcWindow* window = nullptr;
};

TEST_F(CalcFrameTest, EnterWalksToTheNextShownUnlockedBox) {
    EXPECT_EQ(EnterFrom(0), Box(3));    // B and C are not in the model
    EXPECT_EQ(EnterFrom(3), Box(10));   // Q hidden, the result boxes locked
    // k2, k3 not used by A => P; with the time given, U(A) is a locked result box.
    EXPECT_EQ(EnterFrom(10), Box(Box(13)->isReadOnly() ? 14 : 13));
    EXPECT_EQ(EnterFrom(13), Box(14));
    EXPECT_EQ(EnterFrom(14), Box(0));   // 15 and 16 hidden, after 16 comes 0
    EXPECT_FALSE(Box(14)->text().contains('\n'));

    // In the cascade's result boxes (above 16) Enter is swallowed.
    auto* cascade = qobject_cast<CalcWindow*>(platform::Windows().Show("frmKaskade"));
    ASSERT_NE(cascade, nullptr);
    QLineEdit* box = cascade->Inp[18];
    box->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), box);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), box);
}

// Typed, deleted and pasted text reaches the shared state at once (a comma turned into a point), so
// the calculation uses what the box shows; text the program writes is not stored.
TEST_F(CalcFrameTest, UserEditsAreStoredAtOnceProgramWritesAreNot) {
    window->fraKsi->show();
    Box(5)->setText(QStringLiteral(" .5"));
    Box(10)->clear();
    QTest::keyClicks(Box(10), "0,25");
    EXPECT_EQ(Box(10)->text(), QStringLiteral("0.25"));
    EXPECT_DOUBLE_EQ(kWert[1], 0.25);
    EXPECT_EQ(Box(5)->text(), QString());  // every typed change refreshes the window
    EXPECT_TRUE(window->fraKsi->isHidden());
    QTest::keyClicks(Box(10), "x");  // refused
    EXPECT_EQ(Box(10)->text(), QStringLiteral("0.25"));
    Box(14)->clear();
    QTest::keyClicks(Box(14), "3");
    EXPECT_DOUBLE_EQ(tauMittel, 3);

    Box(10)->end(false);
    QTest::keyClick(Box(10), Qt::Key_Backspace);
    EXPECT_DOUBLE_EQ(kWert[1], 0.2);

    QApplication::clipboard()->setText(QStringLiteral("0,75"));
    Box(10)->selectAll();
    QTest::keyClick(Box(10), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Box(10)->text(), QStringLiteral("0.75"));
    EXPECT_DOUBLE_EQ(kWert[1], 0.75);

    kWert[1] = 0.15;
    platform::Forms().SetText("frmBatch", "Inp", 10, " 9");
    EXPECT_DOUBLE_EQ(kWert[1], 0.15);
    // Not even after a key that changed nothing (Enter) was pressed in the window.
    Box(10)->setFocus();
    QTest::keyClick(Box(10), Qt::Key_Return);
    platform::Forms().SetText("frmBatch", "Inp", 10, " 7");
    EXPECT_DOUBLE_EQ(kWert[1], 0.15);
    tauMittel = 5;
    platform::Forms().SetText("frmBatch", "Inp", 14, " 8");
    EXPECT_DOUBLE_EQ(tauMittel, 5);
}

TEST_F(CalcFrameTest, AddCurvesOptionFreezesTheSpecialScaling) {
    window->chkSpecialScaling->click();
    EXPECT_EQ(SpezSkalierung, kTrue);
    // A => P: only A and P can set the scale.
    const bool expected[5] = {true, false, false, true, false};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(window->optSpecialScaling[static_cast<std::size_t>(i)]->isEnabled(), expected[i]);
    window->optSpecialScaling[3]->click();
    EXPECT_EQ(SpezSkalierungStoff, 4);

    window->chkDelDiagram->setEnabled(true);  // as with an open diagram holding curves
    window->chkDelDiagram->click();
    EXPECT_EQ(KurvenHinzufuegen, kTrue);
    EXPECT_FALSE(window->chkSpecialScaling->isChecked() || window->chkSpecialScaling->isEnabled());
    EXPECT_EQ(SpezSkalierung, 0);
    for (auto* option : window->optSpecialScaling) EXPECT_FALSE(option->isEnabled());

    window->chkDelDiagram->click();
    EXPECT_EQ(KurvenHinzufuegen, 0);
    EXPECT_TRUE(window->chkSpecialScaling->isEnabled());
    for (auto* option : window->optSpecialScaling) EXPECT_FALSE(option->isEnabled());  // until ticked again
}

TEST_F(CalcFrameTest, ExtentsShowTheSecondLineOnlyForSeveralSteps) {
    KsiWerte[1] = 0.25;
    KsiWerte[2] = -0.5;
    EinfacheReaktion = kTrue;
    window->cmdShowKsi_Click();
    EXPECT_FALSE(window->fraKsi->isHidden());
    EXPECT_EQ(window->lblTextKsi_1->text(), QStringLiteral("ksi(1)/(mol/L) =  .25"));
    EXPECT_TRUE(window->lblTextKsi_2->isHidden());
    EinfacheReaktion = 0;
    window->cmdShowKsi_Click();
    EXPECT_EQ(window->lblTextKsi_2->text(), QStringLiteral("ksi(2)/(mol/L) = -.5"));
    EXPECT_FALSE(window->lblTextKsi_2->isHidden());
    window->cmdCloseKsi->click();
    EXPECT_TRUE(window->fraKsi->isHidden());
}

// (The rate defaults of the reset button: the model defaults' own test.)
TEST_F(CalcFrameTest, ModelChoiceDisablesTheResultButtonsAndSetsTheExtentsHint) {
    window->cmdShowKsi->setEnabled(true);
    window->cmdDiagram->setEnabled(true);
    UmsatzU = 0.5;
    ModelWindow()->optTyp_Click(6);
    EXPECT_FALSE(window->cmdShowKsi->isEnabled() || window->cmdDiagram->isEnabled());
    EXPECT_DOUBLE_EQ(UmsatzU, 0);
    EXPECT_EQ(window->cmdShowKsi->toolTip(), QStringLiteral("... beide nach rechts => "));
    ModelWindow()->optTyp_Click(2);
    EXPECT_TRUE(window->cmdShowKsi->toolTip().isEmpty());
}

// The Esc key is the window's cmdEsc (not with a modifier); the place is kept for the next opening.
TEST_F(CalcFrameTest, EscapeClosesTheWindowWhichReopensInItsPlace) {
    platform::Windows().Frame("frmBatch")->move(90, 45);
    QTest::keyClick(window, Qt::Key_Escape, Qt::ShiftModifier);
    testsupport::Flush();
    EXPECT_TRUE(platform::Windows().IsLoaded("frmBatch"));
    QTest::keyClick(window, Qt::Key_Escape);
    testsupport::Flush();
    EXPECT_FALSE(platform::Windows().IsLoaded("frmBatch"));
    EXPECT_EQ(PosBatch.Left, 90 * 15);
    EXPECT_EQ(PosBatch.Top, 45 * 15);
    platform::Windows().Show("frmBatch");
    EXPECT_EQ(platform::Windows().Frame("frmBatch")->pos(), QPoint(90, 45));
}

// The fitting window is written through the same names; it shows t(max) in its box 14 and offers
// the species of the model that the measured data hold.
TEST_F(CalcFrameTest, ModelChoiceWritesIntoTheFittingWindowToo) {
    platform::Windows().Unload("frmBatch");
    platform::Windows().Show("frmTFitting");
    DatenSpalte[1] = kTrue;
    tMax = 25;
    ModelWindow()->optTyp_Click(4);
    EXPECT_EQ(Text("frmTFitting", "Inp(14)"), QStringLiteral(" 25"));
    EXPECT_EQ(Text("frmTFitting", "Label7"), QStringLiteral("kinet. Modell:  A + B => P   (n = 2)"));
    auto* a = Control<QCheckBox>("frmTFitting", "chkConcFQS(1)");
    auto* b = Control<QCheckBox>("frmTFitting", "chkConcFQS(2)");
    auto* c = Control<QCheckBox>("frmTFitting", "chkConcFQS(3)");
    EXPECT_TRUE(a->isEnabled() && a->isChecked() && !a->isHidden());
    EXPECT_TRUE(!b->isEnabled() && !b->isChecked() && !b->isHidden());  // no measured B
    EXPECT_TRUE(c->isHidden());                                          // no C in A + B => P
}

// ---- Window menus ----------------------------------------------------------------------------------

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
    for (const char* menu : {"mnuVerweilzeit", "mnuMonteCarlo", "mnuDaten"}) OpenMenu(menu);
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
        EXPECT_EQ((std::vector<int>{RohrAktiv, ContiAktiv, KaskadeAktiv}), (std::vector<int>{c.rohr, c.conti, c.kaskade}));
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
    EXPECT_EQ(std::tuple(RateDiagramm, RohrAktiv, DiagVariante), std::tuple(kTrue, 0, 0));
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
    for (int points : {0, 3}) {
        nMesspunkte = points;
        shell::mnuEdit1_Click();
        EXPECT_EQ((std::vector<bool>{Entry("mnuCopy1")->isEnabled(), Entry("mnuErase1")->isEnabled()}),
                  std::vector<bool>(2, points > 0));
    }
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
