#pragma once
// Options of the Monte-Carlo game: extra delay per step, point size and fill of the diagram
// points, colours of the A and P molecules. Settings are stored in the shared state by "OK"
// only; a colour chosen shows at once on the game window's molecule label.
#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

class frmTOption : public QDialog {
    Q_OBJECT
public:
    explicit frmTOption(QWidget* parent = nullptr);

    // The colour dialog: gets the initial RGB colour, returns the chosen one (the initial one
    // when cancelled). Replaceable for tests; null restores the standard colour dialog.
    using ColorChooser = std::function<int(int initialRgb)>;
    static void SetColorChooser(ColorChooser chooser);

    void cmdAColor_Click();
    void cmdPColor_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdClose_Click();
    // Shared by the A and P colour buttons.
    void ChooseColor(int& workingColor, QPushButton* button, const char* gameLabel);
    void UpDown1_PointSize_Change();

    QSlider* Slider_geschwindigkeit = nullptr;
    QLabel* Label56 = nullptr;
    QSpinBox* UpDown1_PointSize = nullptr;
    QCheckBox* chkSolidPoints = nullptr;
    QPushButton* cmdAColor = nullptr;
    QPushButton* cmdPColor = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdClose = nullptr;

    int farbeA_ = 0;  // working copies of FarbeA and FarbeP until OK
    int farbeP_ = 0;
};
