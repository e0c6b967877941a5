// The main window's bars: what each toolbar button runs, the blood-alcohol window closed by every
// button, the help topics of the entries, buttons and F1 in a menu; and an entry added to a menu bar
// that has wrapped into further rows.
#include <QMainWindow>
#include <QToolBar>
#include <QToolTip>

#include "platform/Help.h"
#include "shell/HelpEntries.h"
#include "shell/WrappingMenuBar.h"
#include "tests/shell/ShellFixture.h"

namespace shelltest {
namespace {

using namespace kernel;

class ToolbarTest : public ShellTest {
protected:
    static void OpenStandIn(const char* name) { platform::Windows().Adopt(name, new QWidget); }
    static bool Loaded(const char* name) { return platform::Windows().IsLoaded(name); }
};

TEST_F(ToolbarTest, ButtonsCloseTheBloodAlcoholWindowAndRunTheirEntries) {
    MDITAR& w = Start();
    OpenStandIn("frmBlutalkohol");
    // The new-data button has no tip of its own and shows none, not its text.
    QWidget* neu = w.findChild<QToolBar*>()->widgetForAction(w.ToolbarButton(2));
    QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), neu->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(neu, &tip);
    EXPECT_FALSE(QToolTip::isVisible());
    w.Toolbar1_ButtonClick(3);  // a separator: nothing else happens
    EXPECT_FALSE(Loaded("frmBlutalkohol"));
    EXPECT_TRUE(rec.Empty());

    // The project button closes the work windows before its dialog, even when that is cancelled.
    for (const char* name : {"frmBlutalkohol", "frmPrepareTimeDiagram", "frmTGraph2D", "frmTFitting"})
        OpenStandIn(name);
    bool closedFirst = false;
    shell::SetOpenFileChooser([&](const shell::FileRequest& r, std::string&) {
        closedFirst = !Loaded("frmPrepareTimeDiagram") && !Loaded("frmTGraph2D") && !Loaded("frmTFitting") &&
                      !Loaded("frmBlutalkohol");
        EXPECT_EQ(r.caption, "Projekt laden (*.TC3)");
        return false;
    });
    w.ToolbarButton(6)->trigger();
    EXPECT_TRUE(closedFirst);

    w.ToolbarButton(8)->setEnabled(true);
    w.ToolbarButton(8)->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].caption, "aktuelles Projekt speichern unter ...");
    // The calculators: mode and cleared inputs are set whether or not their window opens.
    ArrhA = EyrH = 5;
    w.ToolbarButton(23)->trigger();
    EXPECT_EQ(std::pair(kTFunktion, ArrhA), std::pair(1, 0.0));
    w.ToolbarButton(25)->trigger();
    EXPECT_EQ(std::pair(kTFunktion, EyrH), std::pair(2, 0.0));
    rec.Clear();
    w.ToolbarButton(36)->trigger();  // the project status
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(std::tuple(rec.Last().title, rec.Last().style), std::tuple("Projektstatus", platform::vbInformation));
}

TEST_F(ToolbarTest, HelpEntriesAndButtonsOpenTheirTopics) {
    MDITAR& w = Start();
    const std::pair<const char*, std::string> entries[] = {
        {"mnuAboutTar", "ueber.html"},  {"mnuIndex", "index.html"},        {"mnuTip", "tipps.html"},
        {"cmdErstnutzer", "erste_schritte.html"}, {"cmdUebungen", "uebungen.html"}};  // the two buttons of the main window
    for (const auto& [name, topic] : entries) {
        if (auto* button = w.findChild<QPushButton*>(name)) button->click();
        else Menu(name);
        EXPECT_EQ(platform::ShownHelpTopic(), topic) << name;
    }
    EXPECT_TRUE(rec.Empty());
    // One help window, turned from topic to topic.
    int helpWindows = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) helpWindows += window->objectName() == "frmHilfe";
    EXPECT_EQ(helpWindows, 1);
    platform::CloseAllHelpWindows();
    EXPECT_EQ(platform::ShownHelpTopic(), "");

    Menu("mnuHilfeHinweis");
    EXPECT_EQ(rec.Last().title, "Hinweis zur HTML-Hilfe");
    EXPECT_EQ(rec.Last().prompt.rfind("Die umfangreiche HTML-Hilfe ist ein wichtiger\r\nBestandteil des Programms.\r\n\r\n", 0),
              0u);

    Menu("mnuInfo");
    EXPECT_EQ(rec.Last().style, platform::vbInformation);
    EXPECT_NE(rec.Last().prompt.find("TARVELO"), std::string::npos);
    EXPECT_NE(rec.Last().prompt.find("Version"), std::string::npos);
}

TEST_F(ToolbarTest, F1OnAHighlightedEntryOpensItsTopic) {
    MDITAR& w = Start();
    QMenu* daten = w.Menu("mnuDaten");
    daten->popup(QPoint(0, 0));
    daten->setActiveAction(w.findChild<QAction*>("mnuExit"));
    QTest::keyClick(daten, Qt::Key_F1);
    EXPECT_EQ(platform::ShownHelpTopic(), "menue_daten.html#beenden");
    platform::CloseAllHelpWindows();
    daten->setActiveAction(w.findChild<QAction*>("mnuStatus"));  // an entry without a topic
    QTest::keyClick(daten, Qt::Key_F1);
    EXPECT_EQ(platform::ShownHelpTopic(), "");
    daten->setActiveAction(nullptr);  // nothing highlighted: the menu's own topic
    QTest::keyClick(daten, Qt::Key_F1);
    EXPECT_EQ(platform::ShownHelpTopic(), "menue_daten.html");
    daten->close();
    platform::CloseAllHelpWindows();
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(shell::MenuHelpContextId(w.findChild<QAction*>("mnuModel")), 10240);
}

// The entries of every row, row by row.
std::vector<QString> Entries(shell::WrappingMenuBar* bar) {
    std::vector<QString> all;
    for (QAction* a : bar->actions()) all.push_back(a->text());
    for (int row = 2; row <= bar->Rows(); ++row)
        for (QAction* a : bar->findChild<QMenuBar*>(QStringLiteral("MenuBarRow%1").arg(row))->actions())
            all.push_back(a->text());
    return all;
}

// Wrapping, its order over the rows and the return into one row are the layout test's part (every
// window at each size); here an entry added to a shown bar, which no window does.
TEST(WrappingMenuBar, EntryAddedToAWrappedBarGoesAtTheEnd) {
    QMainWindow main;
    auto* bar = new shell::WrappingMenuBar(&main);
    main.setMenuBar(bar);
    std::vector<QString> names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back(QStringLiteral("Menü Nummer %1").arg(i));
        bar->addMenu(names.back());
    }
    main.resize(300, 300);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_GE(bar->Rows(), 3);
    bar->addMenu("Neu");
    names.push_back("Neu");
    EXPECT_EQ(Entries(bar), names);
    // An entry that opens a further row makes the bar as high as its rows, so that no row hides
    // behind the window's contents.
    const int rows = bar->Rows();
    bar->addMenu("Menü Nummer 10");
    QApplication::processEvents();
    ASSERT_EQ(bar->Rows(), rows + 1);
    const int zeile = bar->QMenuBar::sizeHint().height(), h = bar->Rows() * zeile;
    EXPECT_EQ(std::make_tuple(bar->height(), bar->sizeHint().height(), bar->minimumSizeHint().height(),
                              bar->heightForWidth(bar->width())),
              std::make_tuple(h, h, h, h));
    // The rows lie one under the other.
    for (int row = 2; row <= bar->Rows(); ++row)
        EXPECT_EQ(bar->findChild<QMenuBar*>(QStringLiteral("MenuBarRow%1").arg(row))->geometry(),
                  QRect(0, (row - 1) * zeile, bar->width(), zeile)) << row;
}

}  // namespace
}  // namespace shelltest
