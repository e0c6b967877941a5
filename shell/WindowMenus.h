#pragma once
// The main window's menu entries that open the work windows: the model window, the time diagrams,
// the reactors, the residence-time windows, the Monte-Carlo game, the calculators, the data and X-Y
// editors, the window list and the editors' pop-up menus. Each handler closes the competing
// windows, sets the shared flags the target reads, and shows the target through the window
// registry. An entry whose window is not part of the program (not registered) is disabled; the
// check runs whenever its menu opens, so a window registered later enables its entry.
#include <QStringList>

class QAction;
class QMainWindow;
class QMenu;

namespace shell {

// Adds the menus and entries (objectName and caption of each) to the main window's menu bar, or
// completes the ones already there, and connects them to the handlers below.
void BuildWindowMenus(QMainWindow* mainWindow);

// Names the windows an entry opens; the entry is enabled only while all of them are registered.
void SetEntryTargets(QAction* entry, const QStringList& windows);
// Applies that rule to the entries of menu (and of its submenus).
void UpdateWindowEntries(QMenu* menu);

// Handlers of the entries (parameterless click handlers of the main window).
void mnuModel_Click();
void mnuctGraph_Click();
void mnuvtGraph_Click();
void mnuReaktor_Click();  // the menu "&Reaktoren" opened
void mnuBatchR_Click();
void mnuRohrR_Click();
void mnuKontRK_Click();
void mnuKaskade_Click();
void mnuVerweilzeitVisual_Click();
void mnuVerweilzeitVerteilung_Click();
void mnuSubMonteCarlo_Click(int Index);
void mnuToolArrhenius_Click();
void mnuToolEyring_Click();
void mnuEditDat_Click();
void mnuNeudat_Click();
void mnuEditXY_Click();
// Pop-up menus of the data editor's grid (1) and of the X-Y editor (2): opened, and their entries.
void mnuEdit1_Click();
void mnuEdit2_Click();
void mnuCopy1_Click();
void mnuPaste1_Click();
void mnuSubDelNull1_Click();
void mnuSubDelLine1_Click();
void mnuCopy2_Click();
void mnuPaste2_Click();
void mnuSubDelNull2_Click();
void mnuSubDelLine2_Click();

}  // namespace shell
