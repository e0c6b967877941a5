#pragma once
// The program's own modal open dialog for project (*.TC3) and data files (*.TA3): drive,
// directory and file lists, a typed name or pattern, a preview of the selected file (comment,
// date, point count or data-file name), and Delete to remove a file after a question.
// ShowFileDialog drives it; the choice is read back from the hidden dialog.
#include <QDialog>
#include <QString>

#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class frmTCmnDlg : public QDialog {
    Q_OBJECT
public:
    explicit frmTCmnDlg(QWidget* parent = nullptr);

    // Driver settings and results.
    void SetMode(const QString& mode) { tag_ = mode; }
    QString Mode() const { return tag_; }
    // "FALSE" when the user accepted a file, empty otherwise.
    QString CancelTag() const { return cancelTag_; }
    void ClearCancelTag() { cancelTag_.clear(); }

    // File list: pattern (stored upper-cased) and path.
    void SetFilePattern(const QString& pattern);
    QString FilePattern() const { return pattern_; }
    QString FilePath() const { return filePath_; }
    // Directory list: its path (the file list follows).
    void SetDirPath(const QString& path);
    QString DirPath() const { return dirPath_; }
    void SetOpenFileText(const QString& text);
    QString OpenFileText() const;
    // The accepted name as the bytes the system knows it by, alone and with the file list's path.
    std::string ChosenName() const;
    std::string ChosenPath() const;

    // Hides the dialog.
    void ResetDialogProp();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_QueryUnload();
    void dirOpenList_Change();
    void drvOpenList_Change();
    void filOpenList_PathChange();
    void filOpenList_Click();
    void filOpenList_DblClick();
    void filOpenList_KeyDown(int keyCode);
    void cmdReturn_Click();
    void cmdOpenOK_Click();
    void cmdOpenCancel_Click();
    void RefreshFileList();
    void RefreshDirList();
    void RefreshDriveList();
    void ClearPreview();
    // Hands a typed text to the file list as its file name: a directory part changes the path,
    // a pattern changes the pattern, an existing file is accepted.
    enum class NameResult { Accepted, Pattern, Missing };
    NameResult SetFileListName(const QString& text);
    QString SelectedFile() const;
    void Accept();

    QWidget* pctFileOpen = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblOpenPath = nullptr;
    QPushButton* cmdReturn = nullptr;
    QLabel* lblOpenFile = nullptr;
    QLineEdit* txtOpenFile = nullptr;
    QLineEdit* txtDatum = nullptr;
    QListWidget* filOpenList = nullptr;
    QListWidget* dirOpenList = nullptr;
    QComboBox* drvOpenList = nullptr;
    QPushButton* cmdOpenOK = nullptr;
    QPushButton* cmdOpenCancel = nullptr;
    QGroupBox* fraView = nullptr;
    QLabel* lblFileComment = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label6 = nullptr;

    QString tag_;
    QString cancelTag_;
    QString pattern_ = "*.*";
    QString filePath_;
    QString dirPath_;
    QString drive_;
    bool updatingLists_ = false;
};

namespace shell {

// Shows the file dialog modally. In: fullName (a proposed name), directory (start directory),
// pattern ("*.TC3"; empty gives "*.*"), caption; mode is not read, the dialog always opens.
// Out: cancel; when not cancelled fileName := the chosen name, directory := its directory and
// fullName := directory/fileName.
void ShowFileDialog(std::string& fullName, std::string& fileName, std::string& directory, const std::string& pattern,
                    const std::string& caption, int mode, bool& cancel);

}  // namespace shell
