// The help file and the help window: every context id the program passes has a topic, every link
// of the help resolves, the help buttons and entries of the real windows open their own topic, the
// index offers every page of a keyword, and the window opens inside the screen.
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeView>
#include <QXmlStreamReader>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "platform/Help.h"
#include "shell/HelpEntries.h"
#include "tests/support/ChildRun.h"
#include "tests/support/MeasuredData.h"
#include "tests/support/PictureDir.h"
#include "tests/support/ProgramTest.h"

namespace {

using testsupport::Click, testsupport::Entry, testsupport::Flush;

const QString kSourceDir = QStringLiteral(TARVELO_SOURCE_DIR);

QString ReadSource(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return QString::fromStdString({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

// The context ids the windows pass to the help, read from their calls: the named constants a file
// that calls the help declares, and a constant plus the stirred tank's calculation mode (0..4).
std::set<int> ContextIdsOfTheWindowCalls() {
    std::set<int> ids;
    static const QRegularExpression call(QStringLiteral("ShowHelpContext\\(([^;]*)\\);"));
    static const QRegularExpression constant(QStringLiteral("\\b(k\\w+) = (\\d+)"));
    for (const char* folder : {"shell", "diagram", "simulation", "experiment", "design", "games"}) {
        QDirIterator it(kSourceDir + "/" + folder, {"*.cpp"}, QDir::Files);
        while (it.hasNext()) {
            const QString source = ReadSource(it.next());
            std::map<QString, int> constants;
            for (auto m = constant.globalMatch(source); m.hasNext();) {
                const auto c = m.next();
                constants[c.captured(1)] = c.captured(2).toInt();
            }
            for (auto m = call.globalMatch(source); m.hasNext();) {
                const QString argument = m.next().captured(1);
                int found = 0;
                for (const auto& [name, value] : constants) {
                    if (!QRegularExpression("\\b" + name + "\\b").match(argument).hasMatch()) continue;
                    ++found;
                    const int modes = argument.contains("CalcModeConti") ? 4 : 0;
                    for (int mode = 0; mode <= modes; ++mode) ids.insert(value + mode);
                }
                bool literal = false;
                const int number = argument.trimmed().toInt(&literal);
                if (literal) ids.insert(number);
                // A call whose id is not a constant of its file or a number would go unchecked.
                EXPECT_TRUE(found > 0 || literal || argument.contains("id")) << it.filePath().toStdString() << ": "
                                                                            << argument.toStdString();
            }
        }
    }
    return ids;
}

// Calls `take` with the attributes of every `element` of the project file the help is compiled from.
void ForEachInProject(QLatin1String element, const std::function<void(const QXmlStreamAttributes&)>& take) {
    QFile project(kSourceDir + "/help/tarvelo.qhp");
    EXPECT_TRUE(project.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&project);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) take(xml.attributes());
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

// The page of an entry of the project file ("fitting.html"), without its section.
std::string PageOf(const QXmlStreamAttributes& entry) {
    return entry.value("ref").toString().section('#', 0, 0).toStdString();
}

// The pages of each index keyword.
std::map<QString, std::set<std::string>> KeywordPages() {
    std::map<QString, std::set<std::string>> pages;
    ForEachInProject(QLatin1String("keyword"), [&](const QXmlStreamAttributes& keyword) {
        pages[keyword.value("name").toString()].insert(PageOf(keyword));
    });
    return pages;
}

// The titles under which the contents name each page.
std::multimap<std::string, QString> ContentsTitles() {
    std::multimap<std::string, QString> titles;
    ForEachInProject(QLatin1String("section"), [&](const QXmlStreamAttributes& section) {
        titles.emplace(PageOf(section), section.value("title").toString());
    });
    return titles;
}

// The title of a page of the built help file.
QString PageTitle(const std::string& page) {
    static const QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    return title.match(QString::fromStdString(platform::HelpPageHtml(page))).captured(1);
}

// The help window, or null.
QWidget* HelpWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmHilfe") return w;
    return nullptr;
}

// The help window's frame lies inside the free area of its screen, at its own size where the area
// has room for it, else as large as the area. Empty when so, else what is wrong.
std::string PlacedOnItsScreen(const QWidget* help) {
    const QRect area = help->screen()->availableGeometry();
    const QRect frame = help->frameGeometry();
    const QSize room = area.size() - (frame.size() - help->size());
    const QSize expected(std::min(920, room.width()), std::min(640, room.height()));
    if (area.contains(frame) && help->size() == expected) return {};
    auto text = [](const QRect& r) {
        return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
               std::to_string(r.y());
    };
    return "frame " + text(frame) + " on the area " + text(area) + " of " + help->screen()->name().toStdString();
}

// Clicks a tab of the help window's navigation with the mouse.
void ClickTab(QWidget* help, const QString& title) {
    QTabBar* bar = help->findChild<QTabWidget*>("tabNavigation")->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabText(i) == title) QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
}

// The first link of a text browser: its address and where it lies in the viewport; empty when none.
std::pair<QString, QPoint> FirstLink(QTextBrowser* browser) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor()) continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            return {fragment.charFormat().anchorHref(), browser->cursorRect(cursor).center()};
        }
    }
    return {};
}

class HelpTest : public testsupport::ProgramTest {
protected:
    static std::string ShownTopic() {
        Flush();
        return platform::ShownHelpTopic();
    }
};

TEST_F(HelpTest, EveryContextIdOfTheProgramHasATopicWithItsAnchor) {
    std::set<int> ids = ContextIdsOfTheWindowCalls();
    for (QAction* entry : main->findChildren<QAction*>())
        if (const int id = shell::MenuHelpContextId(entry)) ids.insert(id);
    for (QMenu* menu : main->findChildren<QMenu*>())
        if (const int id = shell::MenuHelpContextId(menu)) ids.insert(id);
    // The calls and the menu entries together: the windows', the reactor modes', the menus'.
    EXPECT_GE(ids.size(), 41u);
    for (const int id : {7005, 9000, 9004, 8501, 10210, 10250, 11225}) EXPECT_TRUE(ids.count(id)) << id;
    for (const int id : ids) {
        const std::string topic = platform::HelpTopicOfContext(id);
        ASSERT_FALSE(topic.empty()) << "no topic for context id " << id;
        const auto hash = topic.find('#');
        const std::string html = platform::HelpPageHtml(topic.substr(0, hash));
        ASSERT_FALSE(html.empty()) << id << " -> " << topic;
        if (hash != std::string::npos) {
            EXPECT_NE(html.find("id=\"" + topic.substr(hash + 1) + "\""), std::string::npos) << id << " -> " << topic;
        }
    }
    EXPECT_EQ(platform::HelpTopicOfContext(4711), "");
}

TEST_F(HelpTest, EveryLinkOfTheHelpResolvesAndEveryPageIsGerman) {
    const std::vector<std::string> pages = platform::HelpPages();
    ASSERT_GE(pages.size(), 29u);
    std::map<std::string, std::string> html;
    for (const std::string& page : pages) html[page] = platform::HelpPageHtml(page);
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    for (const auto& [page, text] : html) {
        EXPECT_NE(text.find("lang=\"de\""), std::string::npos) << page;
        EXPECT_NE(text.find("hilfe.css"), std::string::npos) << page;
        for (auto m = href.globalMatch(QString::fromStdString(text)); m.hasNext();) {
            const std::string link = m.next().captured(1).toStdString();
            if (link == "hilfe.css") continue;
            const auto hash = link.find('#');
            const std::string target = hash == 0 ? page : link.substr(0, hash);
            ASSERT_TRUE(html.count(target)) << page << " links to " << link;
            if (hash != std::string::npos) {
                EXPECT_NE(html[target].find("id=\"" + link.substr(hash + 1) + "\""), std::string::npos)
                    << page << " links to " << link;
            }
        }
    }
}

TEST_F(HelpTest, WindowHelpButtonsOpenTheirWindowsTopic) {
    struct Road {
        const char* entry;
        const char* window;
        std::string topic;
    };
    testsupport::SetMeasuredData({{.t = 0, .c = {0, 1, 1}}, {.t = 1, .c = {0, 0.5, 0.5}}, {.t = 2, .c = {0, 0.25, 0.25}}});
    for (const Road& road : {Road{"mnuBatchR", "frmBatch", "batch.html"},
                             Road{"mnuctFitting", "frmTFitting", "fitting.html"},
                             Road{"mnuEditDat", "frmDatedit", "datenedit.html"},
                             Road{"mnuSubMonteCarlo(0)", "frmMonteCarlo", "montecarlo.html"}}) {
        Entry(road.entry)->setEnabled(true);
        Menu(road.entry);
        Click(road.window, "cmdHelp");
        EXPECT_EQ(ShownTopic(), road.topic) << road.window;
        testsupport::UnloadAll();
    }
}

// The contents, the keyword index and the full-text search each lead to a topic; back returns. A
// click on the tab of the index or the search takes the keyboard to its field.
TEST_F(HelpTest, ContentsIndexAndSearchOpenTopics) {
    // A search asked for as the window opens, before its engine has begun the search index.
    testsupport::Control<QAbstractButton>("MDITAR", "cmdUebungen")->click();
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr);
    auto* query = help->findChild<QLineEdit*>("txtSuche");
    auto* hits = help->findChild<QWidget*>("lstTreffer")->findChild<QTextBrowser*>("txtTreffer");
    ASSERT_NE(query, nullptr);
    ASSERT_NE(hits, nullptr);
    QTest::keyClicks(query, "Zufall");
    QTest::keyClick(query, Qt::Key_Return);
    ASSERT_EQ(ShownTopic(), "uebungen.html");
    EXPECT_EQ(PlacedOnItsScreen(help), "");
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    auto focused = [] {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : "";
    };
    // The search tab of the fresh window takes the keyboard to its field by itself, not by way of
    // another tab that had it before.
    ClickTab(help, "Suche");
    EXPECT_EQ(focused(), "txtSuche");

    auto* contents = help->findChild<QTreeView*>("treeInhalt");
    ASSERT_TRUE(QTest::qWaitFor([&] { return contents->model()->rowCount() >= 1; })) << "no contents";  // built in the background
    const QModelIndex top = contents->model()->index(0, 0);
    EXPECT_EQ(contents->model()->rowCount(top), 7);  // the seven parts of the help
    contents->clicked(contents->model()->index(0, 0, contents->model()->index(3, 0, top)));  // the first reactor
    EXPECT_EQ(ShownTopic(), "batch.html");

    ClickTab(help, "Index");
    auto* keyword = help->findChild<QLineEdit*>("txtStichwort");
    EXPECT_EQ(focused(), "txtStichwort");
    QTest::keyClicks(keyword, "Verweilzeit-Summ");
    QTest::keyClick(keyword, Qt::Key_Return);
    EXPECT_EQ(ShownTopic(), "verweilzeit_kessel.html");

    ClickTab(help, "Suche");
    EXPECT_EQ(focused(), "txtSuche");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FirstLink(hits).first.isEmpty(); }, 10000)) << "no hit for Zufall";
    if (!qEnvironmentVariableIsEmpty("TARVELO_PICTURES"))
        help->grab().save(testsupport::PicturePath("frmHilfe_Suche.png"));
    const auto [address, at] = FirstLink(hits);
    QTest::mouseClick(hits->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ("qthelp://de.tarvelo.hilfe/hilfe/" + ShownTopic(), address.toStdString());
    EXPECT_NE(platform::HelpPageHtml(ShownTopic()).find("Zufall"), std::string::npos);
    // The count above the hits, and a search without hits, in the words of the help's own page.
    auto* count = help->findChild<QLabel*>("lblTrefferZahl");
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(QRegularExpression("^1 - \\d+ von \\d+ Treffern$").match(count->text()).hasMatch()) << count->text().toStdString();
    testsupport::Type(query, "Xylophonklang");
    QTest::keyClick(query, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return count->text() == "0 - 0 von 0 Treffern"; })) << count->text().toStdString();
    EXPECT_TRUE(QString::fromStdString(platform::HelpPageHtml("index.html"))
                    .simplified()
                    .contains(QString::fromUtf8("ohne Treffer „0 - 0 von 0 Treffern“")));

    help->findChild<QAction*>("cmdZurueck")->trigger();
    help->findChild<QAction*>("cmdZurueck")->trigger();
    EXPECT_EQ(ShownTopic(), "batch.html");
}

class HelpIndexTest : public testsupport::InBothLocales<HelpTest> {};

// Enter on an index keyword opens its page, or, when the keyword leads to several pages, offers
// them all to choose from: Enter, a double click or "Anzeigen" shows the chosen one, Escape and
// "Abbrechen" none. Closing the help window ends an open choice with it.
TEST_P(HelpIndexTest, AKeywordOfSeveralPagesOffersThemAll) {
    Click("MDITAR", "cmdErstnutzer");
    QWidget* help = HelpWindow();
    ASSERT_NE(help, nullptr);
    ClickTab(help, "Index");
    auto* keyword = help->findChild<QLineEdit*>("txtStichwort");
    auto* index = help->findChild<QListView*>("lstIndex");
    ASSERT_TRUE(QTest::qWaitFor([&] { return index->model()->rowCount() > 0; })) << "no index";  // built in the background
    auto shownTitle = [] { return PageTitle(ShownTopic().substr(0, ShownTopic().find('#'))); };
    // Types a keyword and presses Enter: the list of the chooser it offers, or null.
    auto enter = [&](const QString& name) -> QListWidget* {
        Flush();
        EXPECT_EQ(help->findChild<QDialog*>("frmThemaWahl"), nullptr) << "a choice left open";
        testsupport::Type(keyword, name);
        QTest::keyClick(keyword, Qt::Key_Return);
        auto* chooser = help->findChild<QDialog*>("frmThemaWahl");
        if (!chooser) return nullptr;
        EXPECT_EQ(QApplication::activeModalWidget(), chooser);
        EXPECT_EQ(chooser->windowTitle(), QString::fromUtf8("Thema auswählen"));  // the names the help's page uses
        EXPECT_EQ(std::pair(chooser->findChild<QPushButton*>("cmdAnzeigen")->text(),
                            chooser->findChild<QPushButton*>("cmdAbbrechen")->text()),
                  std::pair(QString("Anzeigen"), QString("Abbrechen")));
        EXPECT_TRUE(chooser->findChild<QLabel*>("lblThemaWahl")->text().contains(name));
        return chooser->findChild<QListWidget*>("lstThemen");
    };

    int several = 0;
    const std::multimap<std::string, QString> contents = ContentsTitles();
    for (const auto& [name, pages] : KeywordPages()) {
        std::set<QString> titles;
        for (const std::string& page : pages) titles.insert(PageTitle(page));
        QListWidget* list = enter(name);
        if (pages.size() == 1) {
            EXPECT_EQ(list, nullptr) << name.toStdString();
            EXPECT_EQ(shownTitle(), *titles.begin()) << name.toStdString();
            continue;
        }
        ++several;
        ASSERT_NE(list, nullptr) << name.toStdString();
        std::set<QString> offered;
        for (int i = 0; i < list->count(); ++i) offered.insert(list->item(i)->text());
        EXPECT_EQ(offered, titles) << name.toStdString();
        // A page whose subject the keyword is (its title holds it, or the contents name it so) comes first.
        std::set<QString> subjects;
        for (const std::string& page : pages) {
            bool named = PageTitle(page).contains(name, Qt::CaseInsensitive);
            for (auto [at, end] = contents.equal_range(page); at != end; ++at)
                named = named || at->second.contains(name, Qt::CaseInsensitive);
            if (named) subjects.insert(PageTitle(page));
        }
        if (!subjects.empty())
            EXPECT_EQ(std::pair(list->currentRow(), subjects.count(list->currentItem()->text())), std::pair(0, size_t(1)))
                << name.toStdString() << " offers " << list->currentItem()->text().toStdString() << " first";
        const std::string before = ShownTopic();
        QTest::keyClick(list, Qt::Key_Escape);
        EXPECT_EQ(ShownTopic(), before) << name.toStdString();
    }
    EXPECT_GE(several, 10);

    QListWidget* list = enter("Fitting");  // Enter: the keyword's own page
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(ShownTopic(), "fitting.html");
    list = enter("Fitting");  // Down and Enter: the second page
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    const QString second = list->currentItem()->text();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(shownTitle(), second);
    list = enter("Zeitverlauf");  // a double click on the last page
    ASSERT_NE(list, nullptr);
    const QString last = list->item(list->count() - 1)->text();
    const QPoint at = list->visualItemRect(list->item(list->count() - 1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // a double click's first press and release
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(shownTitle(), last);
    list = enter("Verweilzeitverteilung");  // a click on the first page, then "Anzeigen"
    ASSERT_NE(list, nullptr);
    if (!qEnvironmentVariableIsEmpty("TARVELO_PICTURES")) {
        help->grab().save(testsupport::PicturePath("frmHilfe_Index.png"));
        list->window()->grab().save(testsupport::PicturePath("frmThemaWahl.png"));
    }
    const QString first = list->item(0)->text();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(list->window()->findChild<QPushButton*>("cmdAnzeigen"), Qt::LeftButton);
    EXPECT_EQ(shownTitle(), first);
    list = enter("Verweilzeitverteilung");  // another page, then "Abbrechen"
    ASSERT_NE(list, nullptr);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::mouseClick(list->window()->findChild<QPushButton*>("cmdAbbrechen"), Qt::LeftButton);
    EXPECT_EQ(shownTitle(), first);
    // A click on a keyword of one page opens it.
    testsupport::Type(keyword, "Marquardt");
    QTest::mouseClick(index->viewport(), Qt::LeftButton, {}, index->visualRect(index->currentIndex()).center());
    EXPECT_EQ(ShownTopic(), "fitting.html");

    ASSERT_NE(enter("Fitting"), nullptr);
    help->close();
    EXPECT_EQ(ShownTopic(), "");
    EXPECT_TRUE(QTest::qWaitFor([] { return HelpWindow() == nullptr; })) << "the closed help window lives on";
    Click("MDITAR", "cmdUebungen");
    EXPECT_EQ(ShownTopic(), "uebungen.html");
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->findChild<QDialog*>("frmThemaWahl"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Locales, HelpIndexTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

// The help window opens inside the free area of the screen of the window the user works in: the
// real program in a child process on three screens side by side, too small, roomy, too small with
// an offset.
TEST(HelpPlacement, TheWindowOpensInsideTheFreeAreaOfItsScreen) {
    const testsupport::OffscreenScreens screens(R"({"screens": [
        {"name": "800x600", "x": 0, "y": 0, "width": 800, "height": 600},
        {"name": "1366x768", "x": 800, "y": 0, "width": 1366, "height": 768},
        {"name": "640x480", "x": 2166, "y": 120, "width": 640, "height": 480}]})");
    QTemporaryDir dir;
    const QString folder = dir.filePath("program");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::link(QCoreApplication::applicationDirPath() + "/tarvelo.qch", folder + "/tarvelo.qch");
    auto script = [] {
        auto fail = [](const std::string& what) {
            std::fprintf(stderr, "FAIL %s\n", what.c_str());
            std::_Exit(1);
        };
        QWidget* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "MDITAR") main = w;
        if (!main || QGuiApplication::screens().size() != 3) fail("no main window or not three screens");
        for (QScreen* screen : QGuiApplication::screens()) {
            main->setWindowState(Qt::WindowNoState);
            main->setGeometry(QRect(screen->availableGeometry().topLeft() + QPoint(20, 40), QSize(500, 400)));
            main->activateWindow();
            QApplication::processEvents();
            if (main->screen() != screen) fail("main window not on " + screen->name().toStdString());
            QTest::mouseClick(main->findChild<QPushButton*>("cmdErstnutzer"), Qt::LeftButton);
            QWidget* help = HelpWindow();
            if (!help || !help->isVisible()) fail("no help window");
            if (help->screen() != screen) fail("help window not on " + screen->name().toStdString());
            if (const std::string wrong = PlacedOnItsScreen(help); !wrong.empty()) fail(wrong);
            if (!qEnvironmentVariableIsEmpty("TARVELO_PICTURES"))
                help->grab().save(testsupport::PicturePath("frmHilfe_" + screen->name() + ".png"));
            platform::CloseAllHelpWindows();
        }
        QCoreApplication::exit(0);
    };
    EXPECT_EXIT(testsupport::RunProgramAndExit(folder.toStdString(), "", script, 30), testing::ExitedWithCode(0), "");
}

// "Exit" and the main window's close box end the program with the help window open.
TEST(HelpExit, EveryRoadOutEndsTheProgramWithTheHelpWindowOpen) {
    for (const bool closeBox : {false, true}) {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        QFile::link(QCoreApplication::applicationDirPath() + "/tarvelo.qch", dir.path() + "/tarvelo.qch");
        auto script = [closeBox] {
            platform::ShowHelpContext(11225);
            if (platform::ShownHelpTopic() != "uebungen.html") std::_Exit(3);
            // The help window is closed with the program, not left behind.
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] {
                if (!platform::ShownHelpTopic().empty()) std::_Exit(4);
            });
            if (closeBox) testsupport::CloseMainWindow();
            else testsupport::Entry("mnuExit")->trigger();
        };
        EXPECT_EXIT(testsupport::RunProgramAndExit(folder, "", script, 5), testing::ExitedWithCode(0), "");
    }
}

}  // namespace
