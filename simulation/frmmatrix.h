#pragma once
// The stoichiometric matrix of the current model "  Stöchiometrische Matrix": one row for each species
// slot, one column per reaction step, read once when the window opens. The model window closes and
// reopens it after every model choice, so it always shows the current model.
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;

class frmmatrix : public QWidget {
    Q_OBJECT
public:
    explicit frmmatrix(QWidget* parent = nullptr);

    // Places the window beside the model window: to its left when there is room, else to its right.
    void Form_Resize();
    void cmdClose_Click();
    void cmdHelp_Click();

    // True once the window is registered with the window registry (links the window in).
    static bool IsRegistered();

    // The coefficient row of species slot 1..5 as the window shows it.
    static QString MatrixRow(int slot);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Load();

    QLabel* Label10 = nullptr;
    std::array<QLabel*, 5> rowNames{};   // Label4 .. Label8
    std::array<QLabel*, 5> rows{};       // lblA, lblB, lblC, lblP, lblQ
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;
    bool placing_ = false;
};
