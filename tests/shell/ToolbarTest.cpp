// The main window's bars: what each toolbar button runs, the blood-alcohol window closed by every
// button, the help topics of the entries, buttons and F1 in a menu; and an entry added to a menu bar
// that has wrapped into further rows.
#include <QFileInfo>
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
using testsupport::Entry;

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
    EXPECT_EQ(std::tuple(rec.Last().title, rec.Last().style), std::tuple("Projektstatus", platform::MsgInformation));
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
    // The hint names the help file the program reads.
    const std::string helpFile = QFileInfo(QString::fromStdString(platform::HelpFile())).fileName().toStdString();
    EXPECT_NE(rec.Last().prompt.find("die Hilfe-Datei " + helpFile + "\r\n"), std::string::npos) << helpFile;

    Menu("mnuInfo");
    EXPECT_EQ(rec.Last().style, platform::MsgInformation);
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

// F1 through the window system as a user presses it, on every entry with a topic that Qt can highlight,
// reached by the keyboard and by the mouse. The separator before "Exit" cannot be highlighted.
class MenuF1Test : public ToolbarTest {
protected:
    struct Road {
        const char* entry;            // the highlighted entry, menu or title
        std::vector<const char*> via;  // the menus opened on the way, the top menu first
        int model;                     // the model under which the entry is shown
        int id;
        const char* onPage;            // how the help's list of F1 entries names it
    };

    // A key goes to the open menu, else to the focus widget of the main window, as the system sends it.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(main->windowHandle(), key, modifiers);
        QApplication::processEvents();
    }
    static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    // The menu bar row that holds the title.
    QMenuBar* BarOf(QAction* title) {
        for (QMenuBar* bar : main->findChildren<QMenuBar*>())
            if (bar->actions().contains(title) && bar->actionGeometry(title).isValid()) return bar;
        return nullptr;
    }
    // Moves the mouse over an entry of a bar row or of an open menu; a click opens a title's menu.
    void Point(QWidget* holder, const QRect& where, bool click) {
        QWindow* window = holder->window()->windowHandle();
        const QPoint at = holder->mapTo(holder->window(), where.center());
        QTest::mouseMove(window, at);
        if (click) QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    static bool WaitForMenu(const QString& name) {
        return QTest::qWaitFor([&] { return OpenMenu() && OpenMenu()->objectName() == name; }, 3000);
    }

    // Highlights the entry by keys: Alt and the title's letter opens its menu, the arrows go on. A title
    // is highlighted in the bar by Escape from its open menu; "kinetisches Modell", which has no menu, by
    // Right from the menu before it.
    void ByKeyboard(const Road& r) {
        const bool model = QString(r.entry) == "mnuModel";
        const QString text = Entry(model ? "mnuDaten" : r.via.empty() ? r.entry : r.via.front())->text();
        Press(static_cast<Qt::Key>(text.at(text.indexOf('&') + 1).toUpper().unicode()), Qt::AltModifier);
        if (r.via.empty()) {
            Press(model ? Qt::Key_Right : Qt::Key_Escape);
            return;
        }
        for (std::size_t level = 1; level <= r.via.size(); ++level) {
            const QString want = level < r.via.size() ? r.via[level] : r.entry;
            for (int step = 0; step < 30 && OpenMenu() && !(OpenMenu()->activeAction() &&
                                                             OpenMenu()->activeAction()->objectName() == want);
                 ++step)
                Press(Qt::Key_Down);
            if (level < r.via.size()) Press(Qt::Key_Right);
        }
    }

    // Highlights the entry with the mouse: a click on the title opens its menu (a title itself stays
    // highlighted with nothing chosen in it), the pointer rests on each entry with a submenu until that
    // opens, as it does under a resting pointer, the highlighted entry included. "kinetisches Modell" is
    // reached from the open menu before it by the pointer, or by the Right key.
    void ByMouse(const Road& r, bool thenRightKey) {
        const bool model = QString(r.entry) == "mnuModel";
        QAction* title = Entry(model ? "mnuDaten" : r.via.empty() ? r.entry : r.via.front());
        QMenuBar* bar = BarOf(title);
        ASSERT_NE(bar, nullptr);
        Point(bar, bar->actionGeometry(title), true);
        if (model && thenRightKey) {
            Press(Qt::Key_Right);
        } else if (model) {
            QMenuBar* modelBar = BarOf(Entry("mnuModel"));
            ASSERT_NE(modelBar, nullptr);
            Point(modelBar, modelBar->actionGeometry(Entry("mnuModel")), false);
        }
        for (std::size_t level = 1; level <= r.via.size(); ++level) {
            const QString want = level < r.via.size() ? r.via[level] : r.entry;
            QMenu* menu = OpenMenu();
            ASSERT_NE(menu, nullptr) << want.toStdString();
            QAction* entry = Entry(want.toLatin1().constData());
            Point(menu, menu->actionGeometry(entry), false);
            if (entry->menu()) {
                ASSERT_TRUE(WaitForMenu(want + "_Menue")) << want.toStdString();
            }
        }
    }

    // The user chooses the model in the model window with the mouse, which gives that window the focus,
    // before turning to the menus.
    void ChooseModel(int model) {
        auto* option = testsupport::Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(model));
        ASSERT_NE(option, nullptr);
        ASSERT_TRUE(Activate());
        QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));  // on its circle
        QApplication::processEvents();
        ASSERT_EQ(std::pair(aktModell, QApplication::focusWidget()), std::pair(model, static_cast<QWidget*>(option)));
    }

    // The program started with a project and its data, so that the data entries are enabled and the
    // evaluation menu opens without a question; the main window active.
    void StartWithData() {
        WriteFile(Path("MESS1.TA3"), DataFileText(5));
        WriteFile(Path("P.TC3"), Lines(SampleProject()));
        Start(Path("P.TC3"));
        ASSERT_TRUE(Activate());
        rec.Clear();
    }

    void CloseMenus() {
        for (int i = 0; i < 4 && (OpenMenu() || QApplication::focusWidget() != nullptr); ++i) Press(Qt::Key_Escape);
        QTest::mouseMove(main->windowHandle(), QPoint(main->width() / 2, main->height() - 5));
        QApplication::processEvents();
    }
};

TEST_F(MenuF1Test, EveryEntryWithATopicOpensItWithF1ByKeyboardAndMouse) {
    ASSERT_NO_FATAL_FAILURE(StartWithData());
    const std::vector<Road> roads = {
        {"mnuDaten", {}, 2, 10070, "das Menü „Daten“"},
        {"mnuNeudat", {"mnuDaten"}, 2, 10130, "„Editor exper. Daten NEU“"},
        {"mnuEditDat", {"mnuDaten"}, 2, 10100, "„Editor exper. Daten Sichten / Editieren / Speichern“"},
        {"mnuExit", {"mnuDaten"}, 2, 10110, "„Exit“"},
        {"mnuModel", {}, 2, 10240, "„kinetisches Modell“"},
        {"mnuctAusw(1)", {"mnuAuswertung", "mnuExpctAuswertung"}, 2, 10030, "die linearen Auswertungen der c-t-Daten"},
        {"mnuctAusw(2)", {"mnuAuswertung", "mnuExpctAuswertung"}, 3, 10040, "die linearen Auswertungen der c-t-Daten"},
        {"mnuctAusw(3)", {"mnuAuswertung", "mnuExpctAuswertung"}, 4, 10050, "die linearen Auswertungen der c-t-Daten"},
        {"mnuExpkTAuswertung", {"mnuAuswertung"}, 2, 10290, "die k-T-Auswertungen"},
        {"mnukT(1)", {"mnuAuswertung", "mnuExpkTAuswertung"}, 2, 10300, "k-T-Auswertungen nach ARRHENIUS"},
        {"mnukT(2)", {"mnuAuswertung", "mnuExpkTAuswertung"}, 2, 10310, "k-T-Auswertungen nach ARRHENIUS und EYRING"},
        {"mnuHelp", {}, 2, 10250, "das Menü „Info/Hilfe...“"},
        {"mnuAboutTar", {"mnuHelp"}, 2, 10260, "„über dieses Programm“"},
        {"mnuIndex", {"mnuHelp"}, 2, 10270, "„Hilfe zur Hilfe; Hilfe-Index“"},
        {"mnuInfo", {"mnuHelp"}, 2, 10280, "„Info“"},
    };
    // The help's index page lists these entries as the ones F1 serves.
    QString page = QString::fromStdString(platform::HelpPageHtml("index.html")).simplified();
    page = page.mid(page.indexOf("F1 im Menü"));
    page.truncate(page.indexOf("</li>"));
    for (const Road& r : roads) {
        const std::string topic = platform::HelpTopicOfContext(r.id);
        ASSERT_FALSE(topic.empty()) << r.id;
        EXPECT_TRUE(page.contains(QString::fromUtf8(r.onPage))) << r.onPage;
        for (const char* way : {"keyboard", "mouse", "mouse, then Right"}) {
            const std::string how = way;
            if (how == "mouse, then Right" && std::string(r.entry) != "mnuModel") continue;
            SCOPED_TRACE(std::string(r.entry) + " by " + how);
            ChooseModel(r.model);
            if (how == "keyboard") ByKeyboard(r);
            else ByMouse(r, how != "mouse");
            Press(Qt::Key_F1);
            EXPECT_EQ(platform::ShownHelpTopic(), topic);
            platform::CloseAllHelpWindows();
            CloseMenus();
        }
    }
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
}

// On the narrow offscreen screen the titles wrap into rows, which the arrow keys walk as one bar: in
// the order of the rows and round from the last title to the first, with a menu open and with none.
TEST_F(MenuF1Test, ArrowKeysWalkTheTitlesOfAllRowsAsOneBar) {
    ASSERT_NO_FATAL_FAILURE(StartWithData());
    std::vector<QMenuBar*> rows{main->menuBar()};
    for (int row = 2; row <= static_cast<shell::WrappingMenuBar*>(main->menuBar())->Rows(); ++row)
        rows.push_back(main->findChild<QMenuBar*>(QStringLiteral("MenuBarRow%1").arg(row)));
    ASSERT_GE(rows.size(), 2u);
    std::vector<std::string> titles;
    for (QMenuBar* row : rows)
        for (QAction* a : row->actions())
            if (a->isVisible()) titles.push_back(a->objectName().toStdString());
    // "open NAME" while the title's menu is open
    auto shown = [&] {
        if (QMenu* menu = OpenMenu()) return "open " + menu->objectName().toStdString();
        for (QMenuBar* row : rows)
            if (row->activeAction()) return row->activeAction()->objectName().toStdString();
        return std::string("nothing");
    };
    // Presses the key once for every title: the titles follow round in their order (step -1 or 1).
    auto walk = [&](Qt::Key key, int step, bool open) {
        const auto n = static_cast<int>(titles.size());
        std::vector<std::string> seen, want;
        for (int i = 0; i <= n; ++i) {
            if (i > 0) Press(key);
            seen.push_back(shown());
            const std::string& t = titles[static_cast<std::size_t>(((i * step) % n + n) % n)];
            want.push_back(open && Entry(t.c_str())->menu() ? "open " + t : t);
        }
        EXPECT_EQ(seen, want) << (open ? "a menu open" : "no menu open");
    };
    // With a menu open only Left walks the titles; Right opens the submenu of a highlighted entry.
    Press(Qt::Key_D, Qt::AltModifier);
    walk(Qt::Key_Left, -1, true);
    Press(Qt::Key_Escape);  // the title stays highlighted, its menu closed
    walk(Qt::Key_Left, -1, false);
    walk(Qt::Key_Right, 1, false);
    // Escape gives the keyboard back to the window that had it.
    Press(Qt::Key_Escape);
    EXPECT_EQ(std::pair(shown(), QApplication::focusWidget() != nullptr && QApplication::focusWidget()->inherits("QMenuBar")),
              std::pair(std::string("nothing"), false));
    EXPECT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
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
