#include "simulation/frmKinModel.h"

#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>

#include "diagram/Grafik.h"
#include "kernel/DataHeadings.h"
#include "kernel/ModelDefaults.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "kernel/Utilities.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::Tw;

namespace {

const platform::FormRegistration registration("frmKinModel", platform::FormKind::MdiChild,
                                              [] { return new frmKinModel; });

constexpr int kOrderModel = 20;   // A => P, n-th order; option Index 0
constexpr int kEnzymModel = 10;
constexpr int kWidthTwips = 6504;
constexpr double kCatalystStart = 0.002;  // c(P,0) of the autocatalysis models, mol/L

// What choosing a model sets: option caption, flags, k2/k3 defaults (0 = none) and the names of
// k1..k3 (null = the label keeps its text).
struct ModelChoice {
    const char* caption;
    bool einfach, umkehrbar, negUmsatz, hwzNumerisch;
    double k2, k3;
    const char *bz5, *bz6, *bz7;
};

// Indexed by model number 1..20.
const ModelChoice kChoices[21] = {
    {},
    {"0. Ordnung A => P", true, false, false, false, 0, 0, nullptr, nullptr, nullptr},
    {"1. Ordnung A => P", true, false, false, false, 0, 0, nullptr, nullptr, nullptr},
    {"2. Ordnung 2A => P", true, false, false, false, 0, 0, nullptr, nullptr, nullptr},
    {"2. Ordnung A + B => P", true, false, false, false, 0, 0, nullptr, nullptr, nullptr},
    {"Autokatalyse A => P         (Katalysator = P)", true, false, false, false, 0.2, 0, nullptr, nullptr, nullptr},
    {"Folgereaktion 1. Ordnung  A => C => P", false, false, false, false, 0.1, 0, nullptr, nullptr, nullptr},
    {"Konkurrierende Folgereaktion  2. Ordnung", false, false, false, true, 0.05, 0, nullptr, nullptr, nullptr},
    {"Umkehrbare Reaktion 1.Ordnung A <=> P", true, true, true, false, 0.1, 0, "k>", "k<", nullptr},
    {"Folgereaktion 2. Ordnung  A + B => C => P", false, false, false, true, 0.1, 0, nullptr, nullptr, nullptr},
    {"Enzymreaktion, MICHAELIS-MENTEN", false, false, true, true, 0.01, 0.005, "k>", "k<", "k3"},
    {"Parallelreaktion  A => P,   A => Q", false, false, false, false, 0.05, 0, nullptr, nullptr, nullptr},
    {"Umkehrbare Reaktion 2. Ordnung  A + B <=> 2P", true, true, true, false, 0.01, 0, "k>", "k<", nullptr},
    {"Folgereaktion 2. Ordnung mit nachgelagertem Gleichgewicht", false, false, false, true, 0.1, 0.005, "k1", "k>",
     "k<"},
    {"Folgereaktion 1. Ordnung  mit nachgelagertem Gleichgewicht", false, false, false, true, 0.1, 0.005, "k1", "k>",
     "k<"},
    {"Folgereaktion 1. Ordnung  mit vorgelagertem Gleichgewicht", false, false, true, true, 0.2, 0.15, "k>", "k<",
     "k3"},
    {"Autokatalyse A => P + Q   (Katalysator = P)", true, false, false, false, 0.2, 0, nullptr, nullptr, nullptr},
    {"Umkehrbare Reaktion 2. Ordnung  A + B <=> P", true, true, true, false, 0.01, 0, "k>", "k<", nullptr},
    {"Folgereaktion 2. Ordnung mit vorgelagertem Gleichgewicht ", false, false, true, true, 0.1, 0.005, "k>", "k<",
     "k3"},
    {"Umkehrbare Reaktion 2. Ordnung  A + B <=> P + Q", true, true, true, false, 0.01, 0, "k>", "k<", nullptr},
    {"n-te Ordnung A => P ", true, false, false, true, 0, 0, nullptr, nullptr, nullptr},
};

// Options from top to bottom (by Index); a scheme label sits under 14, 15, 7, 18, 13 and 10.
const int kOptionOrder[20] = {1, 2, 3, 4, 0, 11, 5, 16, 6, 14, 15, 9, 7, 18, 13, 10, 8, 17, 19, 12};
constexpr int kRowTwips = 240;
constexpr int kSchemeTwips = 200;

int Flag(bool on) { return on ? kTrue : kFalse; }

int ModelOfIndex(int index) { return index == 0 ? kOrderModel : index; }

bool InMask(const std::string& mask, int i) { return static_cast<int>(mask.size()) >= i && mask[i - 1] == '1'; }

std::string Str(double value) { return platform::StrSingle(static_cast<float>(value)); }

// Arial of the given size; where Arial is missing, the narrower cut of the substitute, so that
// the long model names keep about the width they have in Arial.
QFont OptionFont(bool bold, int pointSize) {
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    if (QFontInfo(font).family().compare(QStringLiteral("Arial"), Qt::CaseInsensitive) != 0)
        font.setStretch(QFont::SemiCondensed);
    return font;
}

void SetOptionFont(QRadioButton* option, bool bold, int pointSize) { option->setFont(OptionFont(bold, pointSize)); }

void SetLabelBold(QLabel* label, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
}

// Locks a box of the open window (read-only, as the window's result boxes are); names are
// matched without regard to case.
void LockBox(const std::string& form, const std::string& control, int index) {
    QWidget* window = platform::Windows().Get(form);
    if (!window) return;
    const QString name = QString::fromStdString(platform::ControlName(control, index));
    for (auto* box : window->findChildren<QLineEdit*>()) {
        if (box->objectName().compare(name, Qt::CaseInsensitive) == 0) box->setReadOnly(true);
    }
}

// The main window's evaluation menu entries that fit the chosen model.
void ShowMenuEntry(const char* name, int index, bool visible) {
    platform::Forms().SetVisible("MDITAR", name, index, visible);
}

CalcWindow* OpenCalcWindow(const char* name) {
    return qobject_cast<CalcWindow*>(platform::Windows().Get(name));
}

void RefreshIfOpen(const char* name) {
    if (CalcWindow* w = OpenCalcWindow(name)) w->Refresh();
}

}  // namespace

bool frmKinModel::IsRegistered() { return platform::Windows().IsRegistered("frmKinModel"); }

frmKinModel::frmKinModel(QWidget* parent) : QWidget(parent) {
    setObjectName("frmKinModel");
    setWindowTitle(QStringLiteral("  kinetisches Modell"));

    Rahmen1 = new QGroupBox(QStringLiteral(" einfache Reaktionen"), this);
    Rahmen1->setObjectName("Rahmen1");
    Bezeichnung2 = new QLabel(QStringLiteral(" komplexe Reaktionen"), Rahmen1);
    Bezeichnung2->setObjectName("Bezeichnung2");
    auto scheme = [this](const char* name, const char* text) {
        auto* label = new QLabel(QString::fromUtf8(text), Rahmen1);
        label->setObjectName(name);
        return label;
    };
    Label3 = scheme("Label3", "A => C <=> P");
    Label2 = scheme("Label2", "A<=>C=>P");
    lbl7 = scheme("lbl7", "A + B => C          A + C => P");
    lbl10 = scheme("lbl10", "E  + S <=> ES => P + E ");
    lbl18 = scheme("lbl18", "A + B <=> C => P ");
    lbl13 = scheme("lbl13", "A + B => C <=> P");

    // Layout from the twips of the design, widened where the font on this system needs more room.
    // The window's texts are 8 points, as in the design.
    QFont windowFont = font();
    windowFont.setPointSize(8);
    setFont(windowFont);
    const QFont boldOption = OptionFont(true, 9);
    const QFontMetrics optionMetrics(boldOption);
    const int rowHeight = std::max(Tw(kRowTwips), optionMetrics.height() + 2);
    const int schemeHeight = std::max(Tw(kSchemeTwips), QFontMetrics(font()).height());
    constexpr int kIndicator = 24;  // the option's circle and its gap
    int optionWidth = Tw(4440);
    int top = Tw(300);
    for (int index : kOptionOrder) {
        if (index == 6) {  // the complex reactions start here
            Bezeichnung2->setGeometry(Tw(120), top, Tw(3600), rowHeight);
            top += Tw(300);
        }
        const QString caption = QString::fromUtf8(kChoices[ModelOfIndex(index)].caption);
        auto* option = new QRadioButton(caption, Rahmen1);
        option->setObjectName(QStringLiteral("optTyp(%1)").arg(index));
        SetOptionFont(option, false, 8);
        optionWidth = std::max(optionWidth, optionMetrics.horizontalAdvance(caption) + kIndicator);
        option->move(Tw(120), top);
        connect(option, &QRadioButton::clicked, this, [this, index] { optTyp_Click(index); });
        optTyp[static_cast<std::size_t>(index)] = option;
        top += rowHeight;
        if (QLabel* label = SchemeLabel(index)) {
            label->setGeometry(Tw(480), top - 1, optionWidth, schemeHeight);
            top += schemeHeight;
        }
    }
    for (QRadioButton* option : optTyp) option->resize(optionWidth, rowHeight);
    for (QLabel* label : {Label2, Label3, lbl7, lbl10, lbl18, lbl13})
        label->resize(optionWidth + Tw(120) - label->x(), schemeHeight);
    Rahmen1->setGeometry(Tw(60), 0, optionWidth + Tw(180), top + Tw(120));

    // Right column: time unit, order, enzyme data mode, matrix button.
    const int left = Rahmen1->geometry().right() + Tw(60);
    const QFontMetrics metrics(font());
    const QString matrixCaption = QString::fromUtf8("Stöchiometrische Matrix zeigen");
    const int columnWidth = std::max({Tw(1680), metrics.horizontalAdvance(QStringLiteral("r(P)-c(S)Auswertung")) + 40,
                                      metrics.horizontalAdvance(matrixCaption) + 24});
    const int line = metrics.height();
    auto* Frame1 = new QGroupBox(QStringLiteral("Zeit-Einheit"), this);
    Frame1->setObjectName("Frame1");
    static const char* const units[5] = {"s", "min", "h", "d", "a"};
    int y = line + 4;
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(units[i], Frame1);
        option->setObjectName(QStringLiteral("optZeit(%1)").arg(i));
        option->setGeometry(Tw(240), y, columnWidth - Tw(300), line + 4);
        y += line + 6;
        connect(option, &QRadioButton::clicked, this, [this, i] { optZeit_Click(i); });
        optZeit[static_cast<std::size_t>(i)] = option;
    }
    Frame1->setGeometry(left, 0, columnWidth, y + 6);
    y = Frame1->geometry().bottom() + 4;
    auto* Label1 = new QLabel(QStringLiteral("(im gesamten Programm wirksam)"), this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Label1->setToolTip(
        QString::fromUtf8("...bewirkt Umrechnung aller Zeitangaben und der Geschwindigkeitskonstante(n) "));
    const int label1Height = std::max(line, Label1->heightForWidth(columnWidth));
    Label1->setGeometry(left, y, columnWidth, label1Height);
    y += label1Height + 16;

    auto* Bez3 = new QLabel(QStringLiteral("n ="), this);
    Bez3->setObjectName("Bez3");
    Bez3->setGeometry(left, y + 3, Tw(420), line + 4);
    txtOrdnung = new QLineEdit(this);
    txtOrdnung->setObjectName("txtOrdnung");
    txtOrdnung->setGeometry(left + Tw(420), y, Tw(840), line + 10);
    txtOrdnung->installEventFilter(this);
    connect(txtOrdnung, &QLineEdit::textChanged, this, [this] { txtOrdnung_Change(); });
    y += line + 14;
    auto* Be3 = new QLabel(QStringLiteral("( n >  0 )"), this);
    Be3->setObjectName("Be3");
    Be3->setGeometry(left, y, columnWidth, line + 4);
    y += line + 20;

    const QString editorTip = QString::fromUtf8("... zur Einstellung des Editors für exper. Daten ");
    auto* Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    Frame2->setToolTip(editorTip);
    static const char* const modes[2] = {"r(P)-c(S)Auswertung", "c-t-Auswertung"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(modes[i], Frame2);
        option->setObjectName(QStringLiteral("optMichMent(%1)").arg(i));
        option->setToolTip(editorTip);
        option->setGeometry(6, 8 + i * (line + 10), columnWidth - 10, line + 6);
        connect(option, &QRadioButton::clicked, this, [this, i] { optMichMent_Click(i); });
        optMichMent[static_cast<std::size_t>(i)] = option;
    }
    Frame2->setGeometry(left, y, columnWidth, 2 * (line + 10) + 12);
    y = Frame2->geometry().bottom() + 12;

    cmdShowMatrix = new QPushButton(matrixCaption, this);
    cmdShowMatrix->setObjectName("cmdShowMatrix");
    cmdShowMatrix->setGeometry(left, y, columnWidth, line + 16);
    connect(cmdShowMatrix, &QPushButton::clicked, this, &frmKinModel::cmdShowMatrix_Click);

    setFixedSize(std::max(Tw(kWidthTwips), left + columnWidth + Tw(60)),
                 std::max(Rahmen1->geometry().bottom(), cmdShowMatrix->geometry().bottom()) + Tw(120));
    Form_Load();
}

QLabel* frmKinModel::SchemeLabel(int model) const {
    switch (model) {
    case 15: return Label2;
    case 14: return Label3;
    case 7: return lbl7;
    case 10: return lbl10;
    case 18: return lbl18;
    case 13: return lbl13;
    default: return nullptr;
    }
}

void frmKinModel::Form_Load() {
    loading_ = true;
    txtOrdnung->setText(QString::fromStdString(platform::StrSingle(ReaktOrdnung)));
    // The current unit's option is set without converting anything (the unit does not change).
    int unit = ZeitEinheitIndexOf(ZeitEinheit);
    if (unit < 0) unit = 0;
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker quiet(optZeit[static_cast<std::size_t>(i)]);
        optZeit[static_cast<std::size_t>(i)]->setChecked(i == unit);
        QFont font = optZeit[static_cast<std::size_t>(i)]->font();
        font.setBold(i == unit);
        optZeit[static_cast<std::size_t>(i)]->setFont(font);
    }
    optMichMent[EnzymRcsModus != 0 ? 0 : 1]->setChecked(true);
    optTyp_Click(aktModell == kOrderModel ? 0 : aktModell);
    UpdateUnitLabels();
    loading_ = false;
}

void frmKinModel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    QWidget* frame = platform::Windows().Frame("frmKinModel");
    if (!frame) frame = this;
    frame->move(platform::TwipsToPixels(PosKinModel.Left), platform::TwipsToPixels(PosKinModel.Top));
}

// Form_QueryUnload: the position is kept for the next opening; closing is never refused. A window
// closed before it was ever shown has not been placed yet and leaves the position as it was.
void frmKinModel::closeEvent(QCloseEvent* event) {
    const QWidget* frame = platform::Windows().Frame("frmKinModel");
    if (!frame) frame = this;
    if (placed_) {
        PosKinModel.Top = platform::PixelsToTwips(frame->y());
        PosKinModel.Left = platform::PixelsToTwips(frame->x());
    }
    QWidget::closeEvent(event);
}

void frmKinModel::optTyp_Click(int Index) {
    auto& windows = platform::Windows();
    windows.Unload("frmBlutalkohol");
    if (Index < 0 || Index > 19) return;
    aktModell = Index;
    windows.Unload("frmTGraph2D");
    for (QRadioButton* option : optTyp) SetOptionFont(option, false, 8);

    IstUmkehrbar = kFalse;
    MMDiagramm = kFalse;
    if (Index == 0) {
        aktModell = kOrderModel;
        ReaktOrdnung = static_cast<float>(platform::ValLocale(txtOrdnung->text().toStdString()));
    }
    // Start values of 60 s and 100 s, in the current unit.
    const double sekunde = ZeitEinheitNr >= 0 && ZeitEinheitNr <= 4 ? ZeitFaktor[0][ZeitEinheitNr] : 1.0;
    if (tauMittel == 0) tauMittel = 60 * sekunde;
    if (DiagVariante == 0) {
        if (RateDiagramm) {
            aktDiagrammCode = aktModell + 50;
            if (tMax == 0) tMax = 60 * sekunde;
        } else {
            aktDiagrammCode = aktModell;
            if (tMax == 0) tMax = 100 * sekunde;
        }
    } else if (aktDiagrammCode != -9) {
        aktDiagrammCode = aktModell;
    }
    diagram::SetKurvenMaske(aktModell);
    SetStoichMatrix(ReaktOrdnung);

    for (int i = 1; i <= 3; ++i) ShowMenuEntry("mnuctAusw", i, false);
    for (int i = 1; i <= 2; ++i) ShowMenuEntry("mnuNonIsothermFitting", i, false);
    for (int i = 1; i <= 3; ++i) ShowMenuEntry("mnuLambdaAusw", i, false);
    // The order box is offered with the n-th order model only (set once, so that a box being
    // typed in keeps its focus and selection).
    txtOrdnung->setEnabled(aktModell == kOrderModel);
    NegUmsatzErlaubt = kFalse;
    HalbwertszeitNumerisch = kFalse;

    const ModelChoice& choice = kChoices[aktModell];
    EinfacheReaktion = Flag(choice.einfach);
    IstUmkehrbar = Flag(choice.umkehrbar);
    NegUmsatzErlaubt = Flag(choice.negUmsatz);
    HalbwertszeitNumerisch = Flag(choice.hwzNumerisch);
    auto startValue = [](int slot, double value) {
        if (c0Wert[slot] == 0) c0Wert[slot] = value;
    };
    switch (aktModell) {
    case 4: case 9: case 13: case 18:
        startValue(1, 1);
        startValue(2, 1);
        break;
    case 5: case 16:
        startValue(1, 1);
        startValue(4, kCatalystStart);
        break;
    case 7:
        startValue(1, 2);
        startValue(2, 1);
        break;
    case 8:
        if (c0Wert[1] == 0 && c0Wert[4] == 0) c0Wert[1] = 0.5;
        break;
    case 10:
        startValue(1, 0.5);
        startValue(2, 5);
        break;
    case 12: case 17: case 19:
        if (c0Wert[1] == 0 && c0Wert[4] == 0) c0Wert[1] = 0.5;
        if (c0Wert[2] == 0 && c0Wert[4] == 0) c0Wert[2] = 0.5;
        break;
    default:
        startValue(1, 1);
        break;
    }
    switch (aktModell) {
    case 2:
        ShowMenuEntry("mnuctAusw", 1, true);
        ShowMenuEntry("mnuNonIsothermFitting", 1, true);
        ShowMenuEntry("mnuLambdaAusw", 1, true);
        break;
    case 3:
        ShowMenuEntry("mnuctAusw", 2, true);
        ShowMenuEntry("mnuNonIsothermFitting", 2, true);
        ShowMenuEntry("mnuLambdaAusw", 2, true);
        break;
    case 4:
        ShowMenuEntry("mnuctAusw", 3, true);
        ShowMenuEntry("mnuLambdaAusw", 3, true);
        break;
    case kEnzymModel: ShowMenuEntry("mnuMichMent", -1, true); break;
    case kOrderModel:
        if (DiagVariante == 2) kWert[2] = ReaktOrdnung;
        break;
    default: break;
    }
    if (choice.k2 != 0 && kWert[2] == 0) kWert[2] = choice.k2;
    if (choice.k3 != 0 && kWert[3] == 0) kWert[3] = choice.k3;

    std::string frm;
    int code = 0;
    GetActiveSimForm(frm, code);
    if (code > 0) WriteIntoCalcWindow(frm, code);
    RefreshReactorWindows();

    for (QLabel* label : {Label2, Label3, lbl7, lbl10, lbl18, lbl13}) SetLabelBold(label, false);
    QRadioButton* chosen = optTyp[static_cast<std::size_t>(Index)];
    {
        const QSignalBlocker quiet(chosen);  // the choice is being made; no second run
        chosen->setChecked(true);
    }
    SetOptionFont(chosen, true, 9);
    if (QLabel* label = SchemeLabel(Index)) SetLabelBold(label, true);

    UpdateUnitLabels();
    if (IsFormLoaded("frmmatrix")) {
        windows.Unload("frmmatrix");
        windows.Show("frmmatrix");
    }
    if (IsFormLoaded("frmDatedit")) SetDataGridHeaders();
    for (QRadioButton* option : optMichMent) option->setEnabled(aktModell == kEnzymModel);
}

void frmKinModel::WriteIntoCalcWindow(const std::string& frm, int c) {
    auto& f = platform::Forms();
    const bool enzym = aktModell == kEnzymModel;
    const bool zeitFenster = c == 1;
    const bool reaktor = c >= 2 && c <= 5;
    auto mask = [](int i) { return InMask(KurvenMaske, i); };
    auto pmask = [](int i) { return InMask(ParamMaske, i); };

    f.SetVisible(frm, "fraKsi", -1, false);
    if (zeitFenster) {
        for (const char* name : {"lblMichaelisK1", "lblMichaelisK2", "fraMichaelis"}) f.SetVisible(frm, name, -1, enzym);
    }
    for (int i = 5; i <= 9; ++i) {
        f.SetVisible(frm, "Inp", i, false);
        f.SetText(frm, "Inp", i, "");
        f.SetVisible(frm, "lblStoff", i, false);
    }
    for (int i = 1; i <= 5; ++i) {
        f.SetVisible(frm, "Inp", i - 1, mask(i));
        f.SetVisible(frm, "lblStoff", i - 1, mask(i));
        if (reaktor) {
            f.SetVisible(frm, "Inp", i + 4, mask(i));
            f.SetVisible(frm, "lblStoff", i + 4, mask(i));
        }
    }

    UmsatzU = 0;
    f.SetEnabled(frm, "cmdShowKsi", -1, false);
    f.SetEnabled(frm, "cmdDiagram", -1, false);
    f.SetVisible(frm, "fraKsi", -1, false);
    const std::string ksiTip = EinfacheReaktion == 0 ? "... beide nach rechts => " : "";
    for (const char* name : {"cmdShowKsi", "fraKsi", "lblTextKsi_1", "lblTextKsi_2"}) f.SetToolTip(frm, name, -1, ksiTip);
    if (reaktor) platform::Windows().Show(frm);

    std::string caption = "kinet. Modell:  " + ModellName[static_cast<std::size_t>(aktModell)];
    if (aktModell == kOrderModel) caption += " (n = " + platform::FormatSingle(ReaktOrdnung, "0.00") + ")";
    f.SetText(frm, "Label7", -1, caption);
    for (int i = 5; i <= 9; ++i) LockBox(frm, "Inp", i);

    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    static const char* const enzymLetters[3] = {"E", "S", "ES"};
    if (enzym) {
        for (int i = 0; i < 3; ++i) f.SetText(frm, "lblStoff", i, enzymLetters[i]);
        f.SetText(frm, "lblStoff", 5, "E");
    } else {
        for (int i = 0; i < 5; ++i) {
            f.SetText(frm, "lblStoff", i, letters[i]);
            f.SetText(frm, "lblStoff", i + 5, letters[i]);
        }
    }
    if (IsFormLoaded("frmKaskade")) {
        for (int s = 1; s <= nKaskade; ++s) {
            for (int j = 1; j <= (enzym ? 3 : 5); ++j) {
                f.SetText("frmKaskade", "lblStoff_a", (s - 1) * 5 + j, enzym ? enzymLetters[j - 1] : letters[j - 1]);
            }
        }
        for (int i = 5; i <= 9; ++i) f.SetText("frmKaskade", "lblStoff", i, "");
    }

    const bool scaling = f.IsChecked(frm, "chkSpecialScaling", -1);
    for (int i = 1; i <= 5; ++i) f.SetEnabled(frm, "optSpecialScaling", i - 1, scaling && mask(i));
    for (int i = 0; i < 3; ++i) f.SetText(frm, "optSpecialScaling", i, enzym ? enzymLetters[i] : letters[i]);

    if (zeitFenster) {
        // The enzyme model needs room for its Michaelis-Menten panel.
        if (QWidget* window = platform::Windows().Get(frm)) {
            const int height = enzym ? 9000 : 7000;
            QWidget* frame = platform::Windows().Frame(frm);
            const int frameExtra = frame && frame != window ? frame->height() - window->height() : 0;
            if (frame) frame->resize(frame->width(), simulation::Tw(height));
            if (auto* close = window->findChild<QWidget*>("cmdClose"))
                close->move(close->x(), simulation::Tw(height - 1100) - frameExtra);
        }
        f.SetVisible(frm, "kCombo", 2, pmask(2));
    } else {
        f.SetVisible(frm, "Inp", 11, pmask(2));
    }
    f.SetVisible(frm, "Bz", 6, pmask(2));
    f.SetVisible(frm, "unit2", -1, pmask(2));
    if (zeitFenster)
        f.SetVisible(frm, "kCombo", 3, pmask(3));
    else
        f.SetVisible(frm, "Inp", 12, pmask(3));
    f.SetVisible(frm, "Bz", 7, pmask(3));
    f.SetVisible(frm, "unit3", -1, pmask(3));

    f.SetText(frm, "Bz", 5, "k1");
    f.SetText(frm, "Bz", 6, "k2");
    if (DiagVariante == 6 || DiagVariante == 7) {
        f.SetText(frm, "Bz", 5, "Arrhenius-A");
        f.SetText(frm, "Bz", 6, "EA");
    }
    if (DiagVariante == 2) f.SetText(frm, "Bz", 6, "n");
    const ModelChoice& choice = kChoices[aktModell];
    if (choice.bz5) f.SetText(frm, "Bz", 5, choice.bz5);
    if (choice.bz6) f.SetText(frm, "Bz", 6, choice.bz6);
    if (choice.bz7) f.SetText(frm, "Bz", 7, choice.bz7);

    // The autocatalysis models need a catalyst to start; a c(P,0) the user gave is kept.
    if (aktModell == 5 || aktModell == 16) {
        if (c0Wert[4] <= 0) c0Wert[4] = kCatalystStart;
    } else if (c0Wert[4] == kCatalystStart) {
        c0Wert[4] = 0;  // the catalyst default does not carry over to other models
    }
    for (int i = 1; i <= 5; ++i) f.SetText(frm, "Inp", i - 1, Str(c0Wert[i]));
    if (DiagVariante == 6 || DiagVariante == 7) {
        f.SetText(frm, "Inp", 10, Str(ArrhA));
        f.SetText(frm, "Inp", 11, Str(ArrhEA));
    }
    if (DiagVariante == 2) f.SetText(frm, "Inp", 11, platform::StrSingle(ReaktOrdnung));

    if (c == 1 || c == 3 || c == 4 || c == 6) f.SetText(frm, "Inp", 14, Str(tauMittel));
    if (c == 1) f.SetText(frm, "kCombo", 0, Str(tMax));
    if (c == 1 || c == 6) f.SetText(frm, "Inp", 14, Str(tMax));

    if (c == 6) {
        for (int i = 1; i <= 5; ++i) {
            const bool hasData = DatenSpalte[static_cast<std::size_t>(i)] != 0;
            f.SetVisible(frm, "chkConcFQS", i, mask(i));
            f.SetEnabled(frm, "chkConcFQS", i, hasData);
            if (hasData) f.SetChecked(frm, "chkConcFQS", i, true);
        }
    }
}

void frmKinModel::RefreshReactorWindows() {
    RefreshIfOpen("frmBatch");
    RefreshIfOpen("frmRohrreaktor");
    RefreshIfOpen("frmRKconti");
    if (CalcWindow* cascade = OpenCalcWindow("frmKaskade")) {
        cascade->Refresh();
        auto& f = platform::Forms();
        for (int j = 1; j <= 5 * nKaskade; ++j) {
            f.SetVisible("frmKaskade", "lblStoff_a", j, false);
            f.SetVisible("frmKaskade", "cA", j, false);
        }
        for (int s = 1; s <= nKaskade; ++s) {
            for (int i = 1; i <= 5; ++i) {
                const int j = (s - 1) * 5 + i;
                f.SetVisible("frmKaskade", "cA", j, InMask(KurvenMaske, i));
                f.SetVisible("frmKaskade", "lblStoff_a", j, InMask(KurvenMaske, i));
                f.SetText("frmKaskade", "cA", j, "");
            }
        }
        f.SetText("frmKaskade", "Inp", 13, "");
    }
}

void frmKinModel::optZeit_Click(int Index) {
    if (Index < 0 || Index > 4) return;
    SelectTimeUnit(Index);
    for (int i = 0; i < 5; ++i) {
        QFont font = optZeit[static_cast<std::size_t>(i)]->font();
        font.setBold(i == Index);
        optZeit[static_cast<std::size_t>(i)]->setFont(font);
    }
    if (QWidget* editor = platform::Windows().Get("frmDatedit"))
        QMetaObject::invokeMethod(editor, "TimeCallFromKinModel", Q_ARG(int, Index));
    if (IsFormLoaded("frmTGraph2D") && IsFormLoaded("frmPrepareTimeDiagram"))
        platform::Forms().Click("frmPrepareTimeDiagram", "cmdDrawctDiagram", -1);
}

void frmKinModel::optMichMent_Click(int Index) {
    EnzymRcsModus = Index == 0 ? kTrue : kFalse;
    if (IsFormLoaded("frmDatedit")) SetDataGridHeaders();
}

void frmKinModel::cmdShowMatrix_Click() {
    platform::Windows().Unload("frmmatrix");
    platform::Windows().Show("frmmatrix");
}

void frmKinModel::txtOrdnung_Change() {
    ReaktOrdnung = static_cast<float>(platform::ValLocale(txtOrdnung->text().toStdString()));
    if (loading_) return;  // the load refreshes the open windows through the model choice
    RefreshIfOpen("frmPrepareTimeDiagram");
    RefreshIfOpen("frmBatch");
    RefreshIfOpen("frmRohrreaktor");
    RefreshIfOpen("frmKaskade");
    RefreshIfOpen("frmRKconti");
}

// txtOrdnung_KeyPress and _GotFocus: the numeric key filter (a comma typed arrives as a point),
// and typing an order chooses the n-th order model.
bool frmKinModel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtOrdnung) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(txtOrdnung, [box = txtOrdnung] { box->selectAll(); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (simulation::IsEditShortcut(keyEvent)) return false;
    int key = simulation::KeyAscii(keyEvent);
    if (key == 0) return false;
    if (!CheckNumKey(key)) return true;
    if (!optTyp[0]->isChecked()) {
        optTyp[0]->setChecked(true);
        optTyp_Click(0);
    }
    if (key == '.' && keyEvent->text() != QStringLiteral(".")) {
        txtOrdnung->insert(QStringLiteral("."));
        return true;
    }
    return false;
}
