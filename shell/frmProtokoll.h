#pragma once
// The result protocol: copies the last result rows of the open reactor window (ErgebnisZeilen)
// into the protocol table on request, and writes the collected rows as a CSV file into the
// program directory when the file is closed or the window closes; the same text goes to the
// clipboard with Tabs as separators. Opened by the reactor windows through the registry by name.
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

class frmProtokoll : public QWidget {
    Q_OBJECT
public:
    explicit frmProtokoll(QWidget* parent = nullptr);

    // Writes the recorded rows to the protocol file (program directory). False after a message
    // when the file could not be written; the rows are then kept.
    bool schreibProtFileAndClose();

    // The lines of the protocol file for the recorded rows, with the calling-window code
    // (1..6, 0 none) that decides the reactor line.
    static std::vector<std::string> ProtocolLines(int callerCode);
    // Full path of the current protocol file.
    static std::string ProtPath();

    int ProtAufrufCode() const { return protAufrufCode_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    bool Form_QueryUnload();
    void PlaceBesideCaller();
    void cmbSep_Click();
    void cmdRecordResult_Click();
    void cmdOpenNew_Click();
    void cmdClose_Click();
    void cmdHelp_Click();

    QPushButton* cmdRecordResult = nullptr;
    QPushButton* cmdOpenNew = nullptr;
    QPushButton* cmdClose = nullptr;
    QPushButton* cmdHelp = nullptr;
    QComboBox* cmbSep = nullptr;
    QLabel* lblProtText2 = nullptr;

    int protAufrufCode_ = 0;
    std::string protAufrufFenster_;  // name of the calling window
    bool placed_ = false;
};
