// The window registry and the FormHost over it: one instance per window, creation on demand,
// MDI children in the main window's area, and control access by objectName; the real message dialog
// (message styles as buttons, icon and default button) and the help call, which reports a help file
// that is missing or broken.
#include <QCloseEvent>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

#include "platform/Help.h"
#include "platform/core/FormHost.h"
#include "tests/support/ProgramTest.h"

namespace {

// A window with one control of each kind the kernel writes into.
class TestForm : public QWidget {
public:
    TestForm() {
        auto* layout = new QVBoxLayout(this);
        auto add = [&](auto* w, const char* name) {
            w->setObjectName(name);
            layout->addWidget(w);
            return w;
        };
        add(new QLineEdit, "Inp(10)");
        add(new QComboBox, "kCombo(1)")->setEditable(true);
        add(new QComboBox, "cmbList")->addItems({"s", "min", "h"});
        add(new QLabel, "lblUnit(2)");
        add(new QGroupBox, "fraInput");
        go = add(new QPushButton("Go"), "cmdGo");
        opt[0] = add(new QRadioButton, "optTyp(0)");
        opt[1] = add(new QRadioButton, "optTyp(1)");
        chk = add(new QCheckBox, "chkMitPunkten");
        for (QAbstractButton* b : {go, opt[0], opt[1], chk})
            connect(b, &QAbstractButton::clicked, this, [this, b] { clicks.push_back(b->objectName().toStdString()); });
        action = new QAction(this);
        action->setObjectName("mnuDraw");
        connect(action, &QAction::triggered, this, [this] { clicks.push_back("mnuDraw"); });
    }

    bool refuseClose = false;
    QAbstractButton* go = nullptr;
    QAbstractButton* opt[2] = {};
    QAbstractButton* chk = nullptr;
    QAction* action = nullptr;
    std::vector<std::string> clicks;  // the controls whose click handler ran, in order

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

int factoryCalls = 0;
const platform::FormRegistration dialogReg("frmRegTestDialog", platform::FormKind::Dialog, [] {
    ++factoryCalls;
    return new TestForm;
});
const platform::FormRegistration childReg("frmRegTestChild", platform::FormKind::MdiChild,
                                          [] { return new TestForm; });

// A window whose loading (in its constructor) writes into itself by name, asks whether it is loaded,
// and loads another window that does the same.
class LoadingForm : public TestForm {
public:
    explicit LoadingForm(const char* name, const char* nested = nullptr) {
        platform::FormHost& host = platform::Forms();
        foundItself = platform::Windows().Get(name) == this && host.IsLoaded(name);
        wrote = host.SetText(name, "lblUnit", 2, "1/min") && host.SetEnabled(name, "cmdGo", -1, false);
        if (nested) platform::Windows().Load(nested);
        readBack = host.GetText(name, "lblUnit", 2);
    }
    bool foundItself = false, wrote = false;
    std::string readBack;
};
const platform::FormRegistration outerReg("frmRegTestOuter", platform::FormKind::MdiChild,
                                          [] { return new LoadingForm("frmRegTestOuter", "frmRegTestInner"); });
const platform::FormRegistration innerReg("frmRegTestInner", platform::FormKind::Dialog,
                                          [] { return new LoadingForm("frmRegTestInner"); });

class WindowRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.setCentralWidget(mdi);
        platform::Windows().SetMainWindow(&main, [this](QWidget* form) { return mdi->addSubWindow(form); });
    }
    void TearDown() override {
        platform::Windows().Unload("frmRegTestDialog");
        platform::Windows().Unload("frmRegTestChild");
        platform::Windows().Unload("frmRegTestOuter");
        platform::Windows().Unload("frmRegTestInner");
        testsupport::Flush();
        platform::Windows().SetMainWindow(nullptr, nullptr);
    }

    QMainWindow main;
    QMdiArea* mdi = new QMdiArea;  // owned by main from SetUp on
};

TEST_F(WindowRegistryTest, EachWindowExistsOnceIsCreatedOnDemandAndMayRefuseToClose) {
    auto& reg = platform::Windows();
    EXPECT_TRUE(reg.IsRegistered("frmRegTestDialog"));
    EXPECT_FALSE(reg.IsRegistered("frmNoSuchWindow"));
    EXPECT_EQ(reg.Show("frmNoSuchWindow"), nullptr);

    factoryCalls = 0;
    EXPECT_EQ(reg.Get("frmRegTestDialog"), nullptr);  // asking never creates
    EXPECT_EQ(factoryCalls, 0);

    QWidget* first = reg.Load("frmRegTestDialog");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "frmRegTestDialog");
    EXPECT_FALSE(first->isVisible());  // loaded, not shown
    EXPECT_EQ(reg.Show("frmRegTestDialog"), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(factoryCalls, 1);
    // A dialog is a window of its own, owned by the main window.
    EXPECT_TRUE(first->isWindow());
    EXPECT_EQ(first->parentWidget(), &main);
    EXPECT_TRUE(platform::Forms().IsLoaded("frmRegTestDialog"));

    EXPECT_TRUE(reg.Unload("frmRegTestDialog"));
    EXPECT_FALSE(platform::Forms().IsLoaded("frmRegTestDialog"));
    testsupport::Flush();
    EXPECT_TRUE(reg.Unload("frmRegTestDialog"));  // not loaded counts as unloaded

    auto* form = static_cast<TestForm*>(reg.Load("frmRegTestDialog"));
    EXPECT_EQ(factoryCalls, 2);  // a fresh instance after an unload

    // A refused close keeps the window; the user's close forgets it.
    form->refuseClose = true;
    EXPECT_FALSE(reg.Unload("frmRegTestDialog"));
    EXPECT_EQ(reg.Get("frmRegTestDialog"), form);

    form->refuseClose = false;
    reg.Show("frmRegTestDialog");
    form->close();  // as the close box does
    testsupport::Flush();
    EXPECT_FALSE(reg.IsLoaded("frmRegTestDialog"));

    // An MDI child goes into the main window's area.
    QWidget* child = reg.Show("frmRegTestChild");
    ASSERT_NE(child, nullptr);
    ASSERT_EQ(mdi->subWindowList().size(), 1);
    QMdiSubWindow* frame = mdi->subWindowList().front();
    EXPECT_EQ(frame->widget(), child);
    EXPECT_EQ(reg.Frame("frmRegTestChild"), frame);
    EXPECT_EQ(mdi->activeSubWindow(), frame);

    EXPECT_TRUE(reg.Unload("frmRegTestChild"));
    testsupport::Flush();
    EXPECT_TRUE(mdi->subWindowList().isEmpty());
    EXPECT_FALSE(reg.IsLoaded("frmRegTestChild"));
}

// What a window's loading writes into itself by name is not lost, also in a window loaded during the loading
// of another; once loaded, each is the instance of its own name.
TEST_F(WindowRegistryTest, AWindowIsFoundByNameFromTheStartOfItsLoading) {
    auto* outer = static_cast<LoadingForm*>(platform::Windows().Load("frmRegTestOuter"));
    auto* inner = static_cast<LoadingForm*>(platform::Windows().Get("frmRegTestInner"));
    ASSERT_TRUE(outer && inner && outer != inner);
    for (LoadingForm* form : {outer, inner}) {
        EXPECT_EQ(std::tuple(form->foundItself, form->wrote, form->readBack, form->go->isEnabled()),
                  std::tuple(true, true, std::string("1/min"), false));
    }
    EXPECT_EQ(platform::Windows().Frame("frmRegTestOuter"), mdi->subWindowList().value(0));
    EXPECT_EQ(inner->parentWidget(), &main);
}

TEST_F(WindowRegistryTest, FormHostReachesControlsByName) {
    auto* form = static_cast<TestForm*>(platform::Windows().Load("frmRegTestDialog"));
    platform::FormHost& host = platform::Forms();
    // Each kind of control, and the window's own caption (no control name) with umlauts kept.
    const std::tuple<const char*, int, const char*> texte[] = {
        {"Inp", 10, " .15"},     {"kCombo", 1, "100"},      {"cmbList", -1, "h"}, {"lblUnit", 2, "1/min"},
        {"fraInput", -1, "Eingabe"}, {"cmdGo", -1, "Rechnen"}, {"", -1, "Rührkessel"}};
    for (const auto& [name, index, text] : texte) {
        EXPECT_TRUE(host.SetText("frmRegTestDialog", name, index, text)) << name;
        EXPECT_EQ(host.GetText("frmRegTestDialog", name, index), text) << name;
    }
    // A number written into a box too narrow for it shows its start; the box being typed in keeps
    // its cursor behind the text.
    auto* box = form->findChild<QLineEdit*>("Inp(10)");
    QLineEdit* comboText = form->findChild<QComboBox*>("kCombo(1)")->lineEdit();
    for (QLineEdit* e : {box, comboText}) e->setFixedWidth(30);
    EXPECT_TRUE(host.SetText("frmRegTestDialog", "Inp", 10, " 3.170981E-06"));
    EXPECT_TRUE(host.SetText("frmRegTestDialog", "kCombo", 1, " 4730400"));
    EXPECT_EQ(box->cursorPosition() + comboText->cursorPosition(), 0);
    form->show();
    QApplication::setActiveWindow(form);
    box->setFocus();
    ASSERT_TRUE(box->hasFocus());
    EXPECT_TRUE(host.SetText("frmRegTestDialog", "Inp", 10, " 1.5"));
    EXPECT_EQ(box->cursorPosition(), 4);
    EXPECT_FALSE(host.SetText("frmRegTestDialog", "cmbList", -1, "Jahr"));  // not in the list
    EXPECT_TRUE(form->clicks.empty());  // a caption change presses nothing
    EXPECT_FALSE(host.SetText("frmRegTestDialog", "Inp", 11, "1"));  // no such member
    EXPECT_FALSE(host.SetText("frmNotOpen", "Inp", 10, "1"));
    EXPECT_EQ(host.GetText("frmNotOpen", "Inp", 10), "");

    // States, presses and options.
    EXPECT_TRUE(host.SetEnabled("frmRegTestDialog", "Inp", 10, false));
    EXPECT_FALSE(form->findChild<QLineEdit*>("Inp(10)")->isEnabled());
    EXPECT_TRUE(host.SetToolTip("frmRegTestDialog", "cmdGo", -1, " rechnen "));
    EXPECT_EQ(form->go->toolTip(), " rechnen ");
    EXPECT_TRUE(host.SetVisible("frmRegTestDialog", "mnuDraw", -1, false));
    EXPECT_FALSE(form->action->isVisible());
    EXPECT_TRUE(host.SetEnabled("frmRegTestDialog", "mnuDraw", -1, false));
    EXPECT_FALSE(form->action->isEnabled());

    // A press by the program reaches hidden and disabled buttons too.
    form->go->setEnabled(false);
    EXPECT_TRUE(host.Click("frmRegTestDialog", "cmdGo", -1));
    form->go->setEnabled(true);
    form->action->setEnabled(true);
    EXPECT_TRUE(host.Click("frmRegTestDialog", "cmdGo", -1));
    EXPECT_TRUE(host.Click("frmRegTestDialog", "mnuDraw", -1));
    EXPECT_FALSE(host.Click("frmRegTestDialog", "Inp", 10));  // not a button
    EXPECT_EQ(form->clicks, (std::vector<std::string>{"cmdGo", "cmdGo", "mnuDraw"}));

    // Setting an option runs its click handler only when it changes; the group stays exclusive.
    form->clicks.clear();
    for (int i : {1, 1, 0}) EXPECT_TRUE(host.SetChecked("frmRegTestDialog", "optTyp", i, true));
    EXPECT_TRUE(host.IsChecked("frmRegTestDialog", "optTyp", 0));
    EXPECT_FALSE(form->opt[1]->isChecked());
    // Clearing an option leaves none set and runs nothing.
    EXPECT_TRUE(host.SetChecked("frmRegTestDialog", "optTyp", 0, false));
    EXPECT_FALSE(form->opt[0]->isChecked());
    // A check box runs its handler on every change, also while disabled.
    form->chk->setEnabled(false);
    for (bool on : {true, false}) EXPECT_TRUE(host.SetChecked("frmRegTestDialog", "chkMitPunkten", -1, on));
    EXPECT_FALSE(form->chk->isChecked());
    EXPECT_EQ(form->clicks, (std::vector<std::string>{"optTyp(1)", "optTyp(0)", "chkMitPunkten", "chkMitPunkten"}));
    EXPECT_FALSE(host.SetChecked("frmRegTestDialog", "cmdGo", -1, true));  // not checkable
}

using namespace platform;

TEST(QtMessageBox, StylesGiveButtonsIconAndDefault) {
    // Style, the answers of its buttons (sorted), icon, default answer, Escape answer (0: none).
    const std::tuple<int, std::vector<int>, QMessageBox::Icon, int, int> cases[] = {
        {MsgOkOnly, {AnswerOk}, QMessageBox::NoIcon, AnswerOk, AnswerOk},
        {MsgOkCancel + MsgQuestion, {AnswerOk, AnswerCancel}, QMessageBox::Question, AnswerOk, AnswerCancel},
        {MsgAbortRetryIgnore + MsgCritical + MsgDefaultButton3, {AnswerAbort, AnswerRetry, AnswerIgnore}, QMessageBox::Critical,
         AnswerIgnore, 0},
        {MsgYesNoCancel + MsgExclamation, {AnswerCancel, AnswerYes, AnswerNo}, QMessageBox::Warning, AnswerYes, AnswerCancel},
        {MsgYesNo + MsgCritical + MsgDefaultButton2, {AnswerYes, AnswerNo}, QMessageBox::Critical, AnswerNo, 0},
        {MsgRetryCancel + MsgInformation, {AnswerCancel, AnswerRetry}, QMessageBox::Information, AnswerRetry, AnswerCancel},
        {MsgOkOnly + MsgInformation + MsgDefaultButton2, {AnswerOk}, QMessageBox::Information, AnswerOk, AnswerOk},
    };
    for (const auto& [style, answers, icon, defaultAnswer, escapeAnswer] : cases) {
        SCOPED_TRACE(style);
        auto box = BuildMessageBox("Zeile 1\r\nZeile 2", style, " Ausführung nicht möglich ");
        std::vector<int> got;
        for (QAbstractButton* b : box->buttons()) got.push_back(AnswerOfButton(b));
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, answers);
        EXPECT_EQ(box->icon(), icon);
        EXPECT_EQ(AnswerOfButton(box->defaultButton()), defaultAnswer);
        // The default answer of the plain layer agrees with the dialog's default button.
        EXPECT_EQ(DefaultAnswer(style), defaultAnswer);
        if (escapeAnswer) EXPECT_EQ(AnswerOfButton(box->escapeButton()), escapeAnswer);
        else EXPECT_EQ(box->escapeButton(), nullptr);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8(" Ausführung nicht möglich "));
        EXPECT_EQ(box->text(), "Zeile 1\nZeile 2");
    }
    // German captions; a dialog closed without a button answers Cancel.
    auto box = BuildMessageBox("?", MsgYesNoCancel, "WARNUNG");
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text().remove('&');
    texts.sort();
    EXPECT_EQ(texts, QStringList({"Abbrechen", "Ja", "Nein"}));
    EXPECT_EQ(AnswerOfButton(nullptr), AnswerCancel);
}

// A missing help file and one that is no help file (a broken installation) are reported once
// per call; no window opens.
TEST(Help, AMissingOrBrokenHelpFileIsReportedOnce) {
    QTemporaryDir dir;
    const QString broken = dir.filePath("tarvelo.qch");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keine Hilfe");
    file.close();
    for (const std::string& path : {std::string("/opt/tarvelo/tarvelo.qch"), broken.toStdString()}) {
        testsupport::MsgRecorder recorder;
        SetHelpFile(path);
        ShowHelpContext(11223);
        ASSERT_EQ(recorder.Messages().size(), 1u) << path;
        EXPECT_EQ(std::pair(recorder.Last().prompt.substr(0, 56), recorder.Last().style & 0x70),
                  std::pair(std::string("Die Hilfe-Datei tarvelo.qch fehlt oder ist nicht lesbar."), int(MsgExclamation)));
        EXPECT_EQ(std::pair(HelpTopicOfContext(11223), ShownHelpTopic()), std::pair(std::string(), std::string()));
        CloseAllHelpWindows();  // nothing open, nothing shown
        EXPECT_EQ(recorder.Messages().size(), 1u);
    }
}

}  // namespace
