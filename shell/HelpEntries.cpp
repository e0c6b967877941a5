#include "shell/HelpEntries.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <map>
#include <string>

#include "platform/Help.h"
#include "platform/core/MsgBox.h"

namespace shell {
namespace {

const char* const kProgramName = "TARVELO";
const char* const kProgramVersion = "3.0";

const std::map<std::string, int>& ContextIds() {
    static const std::map<std::string, int> ids = {
        {"mnuDaten", 10070},     {"mnuNeudat", 10130},          {"mnuEditDat", 10100},   {"sep7", 10210},
        {"mnuExit", 10110},      {"mnuModel", 10240},           {"mnuctAusw(1)", 10030}, {"mnuctAusw(2)", 10040},
        {"mnuctAusw(3)", 10050}, {"mnuExpkTAuswertung", 10290}, {"mnukT(1)", 10300},     {"mnukT(2)", 10310},
        {"mnuHelp", 10250},      {"mnuAboutTar", 10260},        {"mnuIndex", 10270},     {"mnuInfo", 10280},
    };
    return ids;
}

// F1 in an open menu of the main window: the highlighted entry's help, or the menu's own when
// no entry is highlighted; in the menu bar the highlighted title's. A title without a menu of its
// own ("kinetisches Modell") leaves the key with the focus widget of the main window, so the bar's
// highlight is asked there too.
class MenuHelpFilter : public QObject {
public:
    explicit MenuHelpFilter(QMainWindow* main) : QObject(main), main_(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return false;
        if (!main_ || !BelongsToMain(watched)) return false;
        int id = 0;
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            // Nothing highlighted (also in a submenu opened under the resting pointer): the help of the
            // menu's own entry, which carries the menu's name.
            id = MenuHelpContextId(menu->activeAction() ? menu->activeAction() : menu->menuAction());
        } else if (QAction* title = HighlightedTitle()) {
            id = MenuHelpContextId(title);
        } else {
            return false;
        }
        if (id == 0) return true;  // an entry without a topic opens no help
        platform::ShowHelpContext(id);
        return true;
    }

private:
    // Menus are windows of their own, so the parent chain is followed across windows.
    bool BelongsToMain(const QObject* object) const {
        for (; object; object = object->parent())
            if (object == main_) return true;
        return false;
    }

    // The highlighted title of the menu bar, in whichever of its rows it stands; none while no title is.
    QAction* HighlightedTitle() const {
        for (QMenuBar* bar : main_->findChildren<QMenuBar*>())
            if (bar->activeAction()) return bar->activeAction();
        return nullptr;
    }

    QPointer<QMainWindow> main_;
};

}  // namespace

int MenuHelpContextId(const QObject* entry) {
    if (!entry) return 0;
    const auto it = ContextIds().find(entry->objectName().toStdString());
    return it == ContextIds().end() ? 0 : it->second;
}

void BuildHelpEntries(QMainWindow* mainWindow) {
    QMenu* help = mainWindow->findChild<QMenu*>("mnuHelp");
    if (help && !mainWindow->findChild<QAction*>("mnuInfo")) {
        help->addSeparator()->setObjectName("strich2");
        QAction* info = help->addAction("Info");
        info->setObjectName("mnuInfo");
        QObject::connect(info, &QAction::triggered, info, [] { mnuInfo_Click(); });
    }
    qApp->installEventFilter(new MenuHelpFilter(mainWindow));
}

void mnuInfo_Click() {
    platform::MsgBox(std::string(kProgramName) + "\r\nKinetik chemischer Reaktionen\r\n\r\nVersion " + kProgramVersion,
                     platform::MsgInformation, std::string("Info ") + kProgramName);
}

}  // namespace shell
