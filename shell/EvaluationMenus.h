#pragma once
// The main window's menu "&Versuchsauswertung / Fitting": each entry checks that the measured data
// allow the chosen evaluation, says why not in a message box (often offering the data editor), and
// otherwise sets the shared evaluation state (diagram code, model, DiagVariante, flags) and hands
// over to the diagram set-up GrafZentrale (linearised plots, drawn by the diagram window) or to the
// fitting window frmTFitting. The handlers compute no evaluation themselves.
class QMainWindow;

namespace shell {

// Completes the main window's menu "mnuAuswertung" (created when missing) with its submenus and
// entries (objectName and caption of each) and connects them to the handlers below.
void BuildEvaluationMenus(QMainWindow* mainWindow);

// Handlers; the Index of an array entry as its objectName carries it ("mnuctAusw(2)").
void mnuAuswertung_Click();           // the menu opened
void mnuExpctAuswertung_Click();      // the c-t submenu opened
void mnuctAusw_Click(int Index);      // 1 first order, 2 second order 2A, 3 A + B, 4 Wilkinson
void mnuctFitting_Click();
void mnuROFitting_Click();
void mnuNonIsothermFitting_Click(int Index);  // 1 first order, 2 second order
void mnuLambdaAusw_Click(int Index);  // 1 first order, 2 second order 2A, 3 A + B
void mnukT_Click(int Index);          // 1 Arrhenius, 2 Eyring
void mnuCalcTangente_Click();         // the spline submenu opened
void mnuSubTangente_Click(int Index); // 1..5 = A, B, C, P, Q
void mnuSubMichMent_Click(int Index); // 0 Lineweaver/Burk, 1 Hanes/Woolf, 2 Eadie/Hofstee

}  // namespace shell
