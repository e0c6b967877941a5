#pragma once
// The value table "  Ergebnis der Modellrechnung": the curves the time-simulation window has just
// computed, as an editable plain-text table (time and concentrations, time and rates, or the
// Michaelis-Menten function of the enzyme model) that can be copied, printed and saved. Shown
// modally by the time-simulation window only.
#include <QDialog>

#include <functional>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

class frmSimTabelle : public QDialog {
    Q_OBJECT
public:
    explicit frmSimTabelle(QWidget* parent = nullptr);

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();
    // Opens the window modally and returns when it is closed.
    static void ShowModal();

    // The table text from the shared curve arrays (aktModell, RateDiagramm, MMDiagramm,
    // MMNormiert, ZeitEinheit, nZeitPunkte, tWerte, cKurveA..Q, rKurveA..Q). Lines end in CR LF;
    // the text starts with a line end and the last data line has none.
    static std::string BuildTableText();

    // The printer of "Tabelle drucken" is the default printer; tests point it at a PDF file.
    using PrinterSetup = std::function<void(QPrinter& printer)>;
    static void SetPrinterSetup(PrinterSetup setup);

    void Form_Load();
    void Form_Resize();
    void txtSimTabelle_Change();
    void cmdClipboard_Click();
    void cmdSaveTable_Click();
    void cmdPrint_Click();
    void cmdCloseSimTab_Click();

    // The table text as printing and saving use it (follows the edits of the text box).
    const std::string& SimTabelleText() const { return simTabelleText_; }

    QPlainTextEdit* txtSimTabelle = nullptr;
    QPushButton* cmdClipboard = nullptr;
    QPushButton* cmdSaveTable = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdCloseSimTab = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void SavePosition();
    std::string simTabelleText_;
};
