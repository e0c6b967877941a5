// The main window's toolbar and help entries: what each button runs, the blood-alcohol window
// closed by every button, and the help topics of the entries, buttons and F1 in a menu.
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "platform/WindowRegistry.h"
#include "shell/HelpEntries.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/PictureDir.h"

namespace shelltest {
namespace {

using namespace kernel;

class ToolbarTest : public ShellTest {
protected:
    static void OpenStandIn(const char* name) { platform::Windows().Adopt(name, new QWidget); }
    static bool Loaded(const char* name) { return platform::Windows().IsLoaded(name); }
    // The help topic a message names, -1 when it names none.
    static int Topic(const testsupport::RecordedMsg& m) {
        const auto pos = m.prompt.find("Hilfe-Thema ");
        return pos == std::string::npos ? -1 : std::stoi(m.prompt.substr(pos + 12));
    }
};

TEST_F(ToolbarTest, ButtonsCloseTheBloodAlcoholWindowAndRunTheirEntries) {
    MDITAR& w = Start();
    w.grab().save(testsupport::PicturePath("MDITAR-toolbar.png"));
    OpenStandIn("frmBlutalkohol");
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
    EXPECT_EQ(kTFunktion, 1);
    EXPECT_EQ(ArrhA, 0.0);
    w.ToolbarButton(25)->trigger();
    EXPECT_EQ(kTFunktion, 2);
    EXPECT_EQ(EyrH, 0.0);
    rec.Clear();
    w.ToolbarButton(36)->trigger();  // the project status
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Projektstatus");
    EXPECT_EQ(rec.Last().style, platform::vbInformation);
}

TEST_F(ToolbarTest, HelpEntriesAndButtonsOpenTheirTopics) {
    MDITAR& w = Start();
    const std::vector<std::pair<const char*, int>> entries = {
        {"mnuAboutTar", 10260}, {"mnuIndex", 10270}, {"mnuTip", 11124}};
    for (const auto& [name, topic] : entries) {
        Menu(name);
        EXPECT_EQ(Topic(rec.Last()), topic) << name;
    }
    w.findChild<QPushButton*>("cmdErstnutzer")->click();
    EXPECT_EQ(Topic(rec.Last()), 11223);
    w.findChild<QPushButton*>("cmdUebungen")->click();
    EXPECT_EQ(Topic(rec.Last()), 11225);

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
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(Topic(rec.Last()), 10110);
    rec.Clear();
    daten->setActiveAction(w.findChild<QAction*>("mnuStatus"));  // an entry without a topic
    QTest::keyClick(daten, Qt::Key_F1);
    EXPECT_TRUE(rec.Empty());
    daten->setActiveAction(nullptr);  // nothing highlighted: the menu's own topic
    QTest::keyClick(daten, Qt::Key_F1);
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(Topic(rec.Last()), 10070);
    daten->close();
    EXPECT_EQ(shell::MenuHelpContextId(w.findChild<QAction*>("mnuModel")), 10240);
}

}  // namespace
}  // namespace shelltest
