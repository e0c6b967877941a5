#pragma once
// The rest of the main window's menu "&Info/Hilfe...": the About box entry, and the context
// help of the menu entries (F1 on a highlighted entry opens the help at the entry's id).
class QObject;
class QMainWindow;

namespace shell {

// Completes the help menu (separator "strich2", entry "mnuInfo") and installs F1 for the menus.
void BuildHelpEntries(QMainWindow* mainWindow);

// Help context id of a menu entry or menu by its objectName; 0 when it has none.
int MenuHelpContextId(const QObject* entry);

// The About box: program name and version.
void mnuInfo_Click();

}  // namespace shell
