#pragma once
// The X-Y point editor "Punkte eingeben/editieren (X-Y-Editor)": one free list of x-y points in a
// grid (number, check box "aus" = inactive, x, y). Points are typed, edited in the grid, pasted,
// loaded from and saved to X-Y point files, sorted, swapped, recalculated by six formulas, marked
// inactive, deleted, printed, and the active ones drawn into the diagram window as a point set or
// a curve. The main window's pop-up menu of the grid presses cmdClipboard, cmdClipEinfuegen,
// cmdEraseSelected and cmdErase.
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "kernel/State.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace platform {
class Grid;
}

class frmXYEdit : public QWidget {
    Q_OBJECT

public:
    explicit frmXYEdit(QWidget* parent = nullptr);

    static frmXYEdit* Geladen();

    // The point list, indexed 1..nXYPunkte (element 0 unused).
    const std::vector<kernel::XYPunkt>& Liste() const { return liste_; }
    bool Ungespeichert() const { return ungespeichert_; }
    bool EditModus() const { return editModus_; }

    // Asks whether the unsaved list is to be saved; Yes saves, Cancel sets Cancel to true.
    void XYSaveFrage(int& Cancel);
    // Open dialog and reading of the chosen file into the list; Cancel := true when nothing was loaded.
    void LadeXY(std::string& FileTitle, int& Cancel);
    // Save dialog and writing; beeps on an empty list; Cancel := true when nothing was written.
    void SaveXY(int& Cancel);

    // The printer of "Liste drucken" is the default printer; tests point it at a PDF file.
    using PrinterSetup = std::function<void(QPrinter& printer)>;
    static void SetPrinterSetup(PrinterSetup setup);

    // ---- Event handlers ----
    void optInputMode_Click(int Index);
    void OKinput_Click();
    void y_Change(int Index);
    void Grid_RowColChange();
    void Grid_CellChanged(int Row, int Col);
    void Grid_AfterEdit(int Row, int Col);
    void Grid_KeyPressEdit(int Row, int Col, int& KeyAscii);
    void Grid_KeyDown(int& KeyCode, int Shift);
    void Grid_MouseUp(int Button, int Shift, int x, int y);
    void cmdAus_Click();
    void cmdErase_Click();
    void cmdEraseSelected_Click();
    void XSort_Click();
    void YSort_Click();
    void cmdChangeXY_Click();
    void cmdManip_Click();
    void optManip_Click(int Index);
    void cmdExecManip_Click();
    void cmdCloseManip_Click();
    void cmdDrawXY_Click();
    void cmdLoad_Click();
    void cmdSave_Click();
    void cmdPrint_Click();
    void cmdClipboard_Click();
    void cmdClipEinfuegen_Click();
    void cmdEsc_Click();
    void cmdHelp_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Form_Load();
    void Form_Resize();
    void FillGrid();
    void RefreshButtons();
    void LeereListeZeile();
    void Sortiere(bool nachY);
    void WaehleModus(int index);
    void SetzeKaption();
    void FokusX();
    void TakeCell(int Row, int Col);

    std::vector<kernel::XYPunkt> liste_;
    bool editModus_ = false;
    bool ungespeichert_ = false;
    int aktZeile_ = 1;
    double xEingabe_ = 0;
    double yEingabe_ = 0;
    int manipulation_ = 0;
    int fuelleGrid_ = 0;        // > 0 while the program rebuilds the grid
    bool positioniert_ = false;

    QLabel* lblKopf = nullptr;
    platform::Grid* Grid = nullptr;
    QGroupBox* R1 = nullptr;
    QLabel* lblZeile = nullptr;
    std::array<QLineEdit*, 2> y{};
    QPushButton* OKinput = nullptr;
    std::array<QRadioButton*, 2> optInputMode{};
    QPushButton* XSort = nullptr;
    QPushButton* YSort = nullptr;
    QPushButton* cmdChangeXY = nullptr;
    QPushButton* cmdManip = nullptr;
    QGroupBox* fraManipulation = nullptr;
    std::array<QRadioButton*, 6> optManip{};
    QLabel* lblW = nullptr;
    QLineEdit* txtW = nullptr;
    QPushButton* cmdExecManip = nullptr;
    QPushButton* cmdCloseManip = nullptr;
    QPushButton* cmdAus = nullptr;
    QPushButton* cmdErase = nullptr;
    QPushButton* cmdEraseSelected = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdClipEinfuegen = nullptr;
    QGroupBox* fraDraw = nullptr;
    QPushButton* cmdDrawXY = nullptr;
    std::array<QRadioButton*, 2> optIsPoints{};
    QPushButton* cmdLoad = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdPrint = nullptr;
    QGroupBox* fraXYComment = nullptr;
    QLineEdit* txtComment = nullptr;
    QPushButton* cmdEsc = nullptr;
    QPushButton* cmdHelp = nullptr;
};
