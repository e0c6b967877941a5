// The help file and the help window: every context id the program passes has a topic, every link
// of the help resolves, and the help buttons and entries of the real windows open their own topic.
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QFile>
#include <QTemporaryDir>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTreeView>

#include <fstream>
#include <map>
#include <set>

#include "platform/Help.h"
#include "shell/HelpEntries.h"
#include "tests/support/ChildRun.h"
#include "tests/support/MeasuredData.h"
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

// The contents, the keyword index and the full-text search each lead to a topic; back returns.
TEST_F(HelpTest, ContentsIndexAndSearchOpenTopics) {
    Click("MDITAR", "cmdUebungen");
    ASSERT_EQ(ShownTopic(), "uebungen.html");
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmHilfe") help = w;
    ASSERT_NE(help, nullptr);

    auto* contents = help->findChild<QTreeView*>("treeInhalt");
    QTRY_VERIFY(contents->model()->rowCount() >= 1);  // the contents are built in the background
    const QModelIndex top = contents->model()->index(0, 0);
    EXPECT_EQ(contents->model()->rowCount(top), 7);  // the seven parts of the help
    contents->clicked(contents->model()->index(0, 0, contents->model()->index(3, 0, top)));  // the first reactor
    EXPECT_EQ(ShownTopic(), "batch.html");

    auto* keyword = help->findChild<QLineEdit*>("txtStichwort");
    QTest::keyClicks(keyword, "Verweilzeit-Summ");
    QTest::keyClick(keyword, Qt::Key_Return);
    EXPECT_EQ(ShownTopic(), "verweilzeit_kessel.html");

    auto* query = help->findChild<QLineEdit*>("txtSuche");
    auto* hits = help->findChild<QListWidget*>("lstTreffer");
    QTest::keyClicks(query, "Zufall");
    QTest::keyClick(query, Qt::Key_Return);
    // The search index is built in the background when the window first opens.
    QTRY_VERIFY_WITH_TIMEOUT(hits->count() > 0 && hits->item(0)->data(Qt::UserRole).isValid(), 10000);
    hits->itemClicked(hits->item(0));
    EXPECT_FALSE(ShownTopic().empty());
    EXPECT_NE(platform::HelpPageHtml(ShownTopic()).find("Zufall"), std::string::npos);

    help->findChild<QAction*>("cmdZurueck")->trigger();
    help->findChild<QAction*>("cmdZurueck")->trigger();
    EXPECT_EQ(ShownTopic(), "batch.html");
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
