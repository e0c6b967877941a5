#pragma once
// The one-line project comment asked for before a project file is written. "OK" takes the text
// into ProjektKommentar, "Abbrechen" empties it; closing the window otherwise leaves it as it was.
#include <QDialog>

class QLineEdit;
class QPushButton;

class frmCommentInput : public QDialog {
    Q_OBJECT
public:
    explicit frmCommentInput(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void cmdOK_Click();
    void cmdAbort_Click();

    QLineEdit* txtDatComm = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdAbort = nullptr;
};
