#pragma once
// The result protocol: copies the result rows the calling reactor window shows into the protocol
// table on request, and writes the collected rows as a CSV file into the
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

    // Writes the recorded rows to the protocol file (program directory), also when the window is
    // not open (shut-down). False after a message when the file could not be written; the rows are
    // then kept.
    static bool schreibProtFileAndClose();

    // The lines of the protocol file for the recorded rows: reactor line, model, units and species
    // columns are those the rows were computed with (ProtArt).
    static std::vector<std::string> ProtocolLines();
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
