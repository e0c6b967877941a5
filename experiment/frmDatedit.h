#pragma once
// The data editor "Experimentelle Daten": the measured data set as a table (one grid row per data
// row: number, check box "aus" = inactive, t, c(A)..c(Q), lambda, T, k), a line of input fields
// that adds a row or edits the current one, lambda at infinite time, the file comment, the time
// unit, the table operations (sorting, clipboard, zeroing cells, removing rows, switching rows
// inactive), the data-file buttons, drawing the measured points and the hand-over to evaluation.
#include <QWidget>

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class Grid;
}

class frmDatedit : public QWidget {
    Q_OBJECT

public:
    explicit frmDatedit(QWidget* parent = nullptr);

    // ---- Window, grid and row input ----
    void Form_Load();
    void Form_Resize();
    // Remembers the position, updates the main window and applies the data; false when the
    // time-range question was answered Yes, so that the editor stays open.
    bool Form_QueryUnload();
    void optInputMode_Click(int Index);
    void Grid_EnterCell();
    void Grid_RowColChange();
    void OKinput_Click();
    void optZeit_Click(int Index);
    void lambda_infin_Change();
    void txtComment_Change();
    // Key filters; KeyAscii becomes 0 when the key is dropped.
    void y_KeyPress(int Index, int& KeyAscii);
    void lambda_infin_KeyPress(int& KeyAscii);
    void txtComment_KeyPress(int& KeyAscii);

    // ---- Table operations ----
    void TSort_Click();
    void TemperaturSort_Click();
    void cmdClipboard_Click();
    void cmdClipEinfuegen_Click();
    void cmdEraseSelected_Click();
    void cmdErase_Click();
    void cmdAus_Click();
    void Grid_AfterEdit(int Row, int Col);
    void Grid_KeyPressEdit(int Row, int Col, int& KeyAscii);
    void Grid_KeyDown(int& KeyCode, int Shift);
    void Grid_MouseUp(int Button, int Shift, int x, int y);

    // ---- Drawing and hand-over ----
    void cmdDraw_ct_Click();
    void cmdDraw_rcS_Click();
    void cmdDraw_Tk_Click();
    void cmdApply_Click();
    void OK_Click();
    void cmdHelp_Click();

    // ---- Data files ----
    void cmdLoadFile_Click();
    void cmdAddFile_Click();
    void cmdSave_Click();

    // Form state: -1 the input line edits the current row, 0 it adds a row; the 1-based data row.
    int EditModus() const { return EditModus_; }
    int AktZeile() const { return AktZeile_; }

    // The text of data row i (1-based) as the grid shows it: fields joined by Tabs.
    static std::string ZeilenText(int i);

    QSize sizeHint() const override;

public slots:
    // After a change of the time unit in the model window: refills the table and takes the unit.
    void TimeCallFromKinModel(int Index);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillDataGrid();
    void ColourRow(int gridRow);
    void ChooseInputMode(int Index);
    void ChooseZeit(int Index);
    void ShowEmptyList();
    void AddEmptyListRow();
    void TakeCell(int Row, int Col);
    std::string CaptionSuffix() const;
    void SetEditCaption();
    void FocusInput(int Index);
    void SortRows(bool byTemperature);
    void DrawPoints(int code, const char* allInactive);
    // Enables or disables an entry of the main window by name (index -1 for a plain entry).
    static void EnableMain(const char* name, int index, bool on);

    platform::Grid* Grid = nullptr;
    std::array<QLineEdit*, 9> y{};
    std::array<QLabel*, 10> lblKopf{};
    std::array<QLabel*, 7> Bz1{};
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblInfin = nullptr;
    QLabel* lblZeile = nullptr;
    QLabel* Lbl6 = nullptr;
    QLineEdit* lambda_infin = nullptr;
    QLineEdit* txtComment = nullptr;
    std::array<QRadioButton*, 2> optInputMode{};
    std::array<QRadioButton*, 5> optZeit{};
    QPushButton* OKinput = nullptr;
    QPushButton* cmdLoadFile = nullptr;
    QPushButton* cmdAddFile = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* TSort = nullptr;
    QPushButton* TemperaturSort = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdClipEinfuegen = nullptr;
    QPushButton* cmdEraseSelected = nullptr;
    QPushButton* cmdErase = nullptr;
    QPushButton* cmdAus = nullptr;
    QPushButton* cmdDraw_ct = nullptr;
    QPushButton* cmdDraw_rcS = nullptr;
    QPushButton* cmdDraw_Tk = nullptr;
    QPushButton* cmdApply = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* cmdHelp = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* fraXYComment = nullptr;
    QGroupBox* fraCmd = nullptr;
    QGroupBox* Fra2Cmd = nullptr;

    int EditModus_ = 0;
    int AktZeile_ = 1;
    int HinweisEinmal_ = -1;
    std::string Trenner = "\t";
    bool placing_ = false;
    bool applyStopped_ = false;  // the last Apply stopped at the time-range question
};
