#include "shell/frmTOption.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"
#include "shell/ShellForms.h"

using namespace kernel;

namespace {

const platform::FormRegistration registration("frmTOption", platform::FormKind::Dialog, [] { return new frmTOption; });

constexpr int kDelaySteps = 12;     // slider steps per second of delay
constexpr int kDefaultPointSize = 7;
constexpr int kMinPointSize = 1, kMaxPointSize = 30;
constexpr int kGameSeriesFirst = 3, kGameSeriesLast = 4;  // point styles of the molecules in the game chart

frmTOption::ColorChooser& chooserSlot() {
    static frmTOption::ColorChooser chooser;
    return chooser;
}

int ChooseWithDialog(int initial) {
    const QColor chosen = QColorDialog::getColor(shell::ColorOfRgb(initial), platform::Windows().MainWindow());
    return chosen.isValid() ? shell::RgbOfColor(chosen) : initial;
}

void ShowFace(QPushButton* button, int rgb) {
    button->setStyleSheet(QStringLiteral("background-color: %1").arg(shell::ColorOfRgb(rgb).name()));
}

QWidget* GameControl(const char* name) {
    QWidget* game = platform::Windows().Get("frmMonteCarlo");
    return game ? game->findChild<QWidget*>(name) : nullptr;
}

}  // namespace

void frmTOption::SetColorChooser(ColorChooser chooser) { chooserSlot() = std::move(chooser); }

frmTOption::frmTOption(QWidget* parent) : QDialog(parent) {
    setObjectName("frmTOption");
    setWindowTitle("   Optionen");

    auto* fraSlider = new QGroupBox("Monte-Carlo-Simulation", this);
    fraSlider->setObjectName("fraSlider");
    Slider_geschwindigkeit = new QSlider(Qt::Horizontal, fraSlider);
    Slider_geschwindigkeit->setObjectName("Slider_geschwindigkeit");
    Slider_geschwindigkeit->setToolTip(" für sehr schnelle Rechner ");
    auto* label5 = new QLabel("0", fraSlider);
    label5->setObjectName("Label5");
    auto* label6 = new QLabel("x 10", fraSlider);
    label6->setObjectName("Label6");
    auto* label2 = new QLabel("=> Verzögerung", fraSlider);
    label2->setObjectName("Label2");
    auto* label3 = new QLabel("Punktgröße im Diagramm", this);
    label3->setObjectName("Label3");
    Label56 = new QLabel(this);
    Label56->setObjectName("Label56");
    Label56->setFrameShape(QFrame::Panel);
    Label56->setFrameShadow(QFrame::Sunken);
    Label56->setMinimumWidth(36);
    UpDown1_PointSize = new QSpinBox(this);
    UpDown1_PointSize->setObjectName("UpDown1_PointSize");
    UpDown1_PointSize->setRange(kMinPointSize, kMaxPointSize);
    // Only its arrows show: the number stands in Label56.
    UpDown1_PointSize->setFixedWidth(22);
    if (auto* edit = UpDown1_PointSize->findChild<QLineEdit*>()) edit->hide();
    chkSolidPoints = new QCheckBox("Diagramm-Punkte gefüllt", this);
    chkSolidPoints->setObjectName("chkSolidPoints");
    auto* lblAFarbe = new QLabel("A-Molekülfarbe", this);
    lblAFarbe->setObjectName("lblAFarbe");
    auto* lblPFarbe = new QLabel("P-Molekülfarbe", this);
    lblPFarbe->setObjectName("lblPFarbe");
    cmdAColor = new QPushButton(" Klick ", this);
    cmdAColor->setObjectName("cmdAColor");
    cmdPColor = new QPushButton(" Klick ", this);
    cmdPColor->setObjectName("cmdPColor");
    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdClose = new QPushButton("Abbrechen <Esc>", this);
    cmdClose->setObjectName("cmdClose");

    auto* sliderLayout = new QGridLayout(fraSlider);
    sliderLayout->addWidget(label2, 0, 0, 1, 3);
    sliderLayout->addWidget(Slider_geschwindigkeit, 1, 0, 1, 3);
    sliderLayout->addWidget(label5, 2, 0);
    sliderLayout->addWidget(label6, 2, 2, Qt::AlignRight);
    auto* grid = new QGridLayout;
    grid->addWidget(label3, 0, 0);
    auto* sizeBox = new QHBoxLayout;
    sizeBox->addWidget(Label56);
    sizeBox->addWidget(UpDown1_PointSize);
    sizeBox->addStretch(1);
    grid->addLayout(sizeBox, 0, 1);
    grid->addWidget(chkSolidPoints, 1, 0, 1, 2);
    grid->addWidget(lblAFarbe, 2, 0);
    grid->addWidget(cmdAColor, 2, 1);
    grid->addWidget(lblPFarbe, 3, 0);
    grid->addWidget(cmdPColor, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraSlider);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    resize(330, 300);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdAColor, &QPushButton::clicked, this, [this] { cmdAColor_Click(); });
    connect(cmdPColor, &QPushButton::clicked, this, [this] { cmdPColor_Click(); });
    Form_Load();
    connect(UpDown1_PointSize, &QSpinBox::valueChanged, this, [this] { UpDown1_PointSize_Change(); });
}

void frmTOption::Form_Load() {
    const int screenWidth = platform::ScreenWidthTwips();
    move(platform::TwipsToPixels(2 * screenWidth / 3 - platform::PixelsToTwips(width())), platform::TwipsToPixels(480));

    Slider_geschwindigkeit->setRange(0, 5);
    Slider_geschwindigkeit->setSingleStep(0);
    Slider_geschwindigkeit->setPageStep(1);
    Slider_geschwindigkeit->setTickInterval(1);
    Slider_geschwindigkeit->setTickPosition(QSlider::TicksBelow);
    Slider_geschwindigkeit->setValue(static_cast<int>(std::lround(MCDelay * kDelaySteps)));

    if (MCPointSize == 0) MCPointSize = kDefaultPointSize;
    Label56->setText(QString::fromStdString(platform::StrSingle(static_cast<float>(MCPointSize))));
    UpDown1_PointSize->setValue(std::clamp(MCPointSize, kMinPointSize, kMaxPointSize));
    chkSolidPoints->setChecked(MCPunkteGefuellt != kFalse);

    farbeA_ = FarbeA;
    farbeP_ = FarbeP;
    ShowFace(cmdAColor, farbeA_);
    ShowFace(cmdPColor, farbeP_);
}

void frmTOption::UpDown1_PointSize_Change() {
    Label56->setText(QString::fromStdString(platform::StrSingle(static_cast<float>(UpDown1_PointSize->value()))));
}

void frmTOption::ChooseColor(int& workingColor, QPushButton* button, const char* gameLabel) {
    workingColor = chooserSlot() ? chooserSlot()(workingColor) : ChooseWithDialog(workingColor);
    ShowFace(button, workingColor);
    if (QWidget* label = GameControl(gameLabel)) {
        // The game shows the molecule letters in the molecule colour.
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, shell::ColorOfRgb(workingColor));
        label->setPalette(palette);
    }
}

void frmTOption::cmdAColor_Click() { ChooseColor(farbeA_, cmdAColor, "lblA"); }

void frmTOption::cmdPColor_Click() { ChooseColor(farbeP_, cmdPColor, "lblP"); }

void frmTOption::cmdOK_Click() {
    MCDelay = static_cast<float>(Slider_geschwindigkeit->value()) / kDelaySteps;
    MCPointSize = static_cast<int>(platform::Val(Label56->text().toStdString()));
    MCPunkteGefuellt = chkSolidPoints->isChecked() ? kTrue : kFalse;
    const bool gameOpen = platform::Windows().IsLoaded("frmMonteCarlo");
    if (auto* chart = qobject_cast<platform::Chart2D*>(GameControl("Chart2D2"))) {
        for (int series = kGameSeriesFirst; series <= kGameSeriesLast; ++series) {
            chart->SetSymbolSize(1, series, MCPointSize);
            chart->SetSymbolShape(1, series, MCPunkteGefuellt ? platform::kSymbolDot : platform::kSymbolCircle);
        }
    }
    FarbeA = farbeA_;
    FarbeP = farbeP_;
    shell::UnloadForm(this);
    if (gameOpen) platform::Forms().Click("frmMonteCarlo", "cmdRefresh", -1);
}

void frmTOption::cmdClose_Click() { shell::UnloadForm(this); }

void frmTOption::keyPressEvent(QKeyEvent* event) {
    // Esc closes the window as "Abbrechen <Esc>" does (not merely hiding it).
    if (event->key() == Qt::Key_Escape) {
        cmdClose_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}
