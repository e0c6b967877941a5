#include "experiment/frmDatedit.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

#include "diagram/Grafik.h"
#include "experiment/DataFileDialogs.h"
#include "experiment/FitAnzeige.h"
#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "kernel/Utilities.h"
#include "platform/Grid.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/ExactNumber.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"
#include "shell/DataSaveQuestion.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const platform::FormRegistration registration("frmDatedit", platform::FormKind::MdiChild,
                                              [] { return new frmDatedit; });

constexpr int kWidthTwips = 14860;
constexpr int kHeightTwips = 8196;
constexpr int kGridWidthTwips = 14640;
constexpr int kGridTopTwips = 330;
constexpr int kGridLeftTwips = 60;
constexpr int kGridMinHeightTwips = 2000;
constexpr int kMinHeightTwips = 7400;
// The input frame is as wide as the button frame below it: both end short of the unit frame on the right.
constexpr int kInputFrameWidthTwips = 10480;
constexpr int kInputFrameHeightTwips = 2400;
constexpr int kCols = 11;
constexpr int kHelpContext = 8505;
constexpr int kEnzymModel = 10;
constexpr int kSelectedOptionColour = 255 + 256 * 192 + 65536 * 128;
const char* const kNotPossible = " Ausführung nicht möglich ";
const char* const kEmptyList = "leere Liste";
const char* const kEditCaption = " Experimentelle Daten, Editieren von Messpunkten  ";

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
// Background of the time, lambda and T/k columns.
constexpr int kColourT = Rgb(240, 240, 240);
constexpr int kColourLambda = Rgb(220, 240, 220);
constexpr int kColourTk = Rgb(220, 220, 240);

// Heading label above grid column 2..10 (lblKopf(0) stands over columns 0 and 1).
constexpr int kKopfOfColumn[kCols] = {0, 0, 5, 1, 2, 6, 7, 8, 9, 3, 4};

std::string Str(int i) { return std::to_string(i); }

// Left-justified in a field of at least `width` characters; a longer text is kept whole, since
// the cell text is read back as a number.
std::string LSet(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string RTrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The number in a cell (written in the locale's form, or typed or pasted with either separator).
double CellValue(const std::string& text) { return platform::ValLocale(text); }

std::string Concentration(double c) {
    return c >= 1e-5 || c == 0 ? platform::CStrDouble(c) : platform::Format(c, "0.000000E+00");
}

// The nine value texts of a row in grid columns 2..10.
std::array<std::string, 9> CellTexts(const ExpPunkt& p) {
    std::array<std::string, 9> t;
    t[0] = platform::FitsSingle(p.t) ? platform::CStrSingle(static_cast<float>(p.t)) : platform::CStrDouble(p.t);
    for (int s = 1; s <= kSpecies; ++s) t[static_cast<std::size_t>(s)] = Concentration(p.c[static_cast<std::size_t>(s)]);
    t[6] = platform::CStrSingle(p.lambda);
    t[7] = platform::CStrDouble(p.T);
    t[8] = platform::CStrDouble(p.k);
    return t;
}

// Field of grid column 2..10: t, c(1..5), lambda, T, k.
void SetField(ExpPunkt& p, int col, double v) {
    if (col == 2) p.t = v;
    else if (col >= 3 && col <= 7) p.c[static_cast<std::size_t>(col - 2)] = v;
    else if (col == 8 && platform::FitsSingle(v)) p.lambda = static_cast<float>(v);  // a pasted value beyond it stays out
    else if (col == 9) p.T = v;
    else if (col == 10) p.k = v;
}

// Input fields (boxes y(0..8), grid columns 2..10) that the data file carries in single precision: t and lambda.
bool SingleField(int box) { return box == 0 || box == 6; }

// Refuses a typed number that the data file cannot carry (beyond the range of a Single in a single field, or
// of a Double, which Val reads as 0) with a message naming the field; true when the number is acceptable.
bool AcceptInput(const std::string& text, bool single, const char* field) {
    const double v = platform::ValLocale(text);
    // A non-zero number that reads as 0 and is no number for IsNumeric lies beyond the range (a tiny one,
    // with a negative exponent, is simply 0).
    const std::size_t exponent = text.find_first_of("EeDd");
    const bool tiny = exponent != std::string::npos && text.find('-', exponent) != std::string::npos;
    const bool lostToZero =
        v == 0 && !tiny && text.find_first_of("123456789") < exponent && !platform::IsNumericLocale(text);
    if (!lostToZero && (!single || platform::FitsSingle(v))) return true;
    platform::MsgBox(std::string("Der Wert im Feld ") + field + " liegt außerhalb des Bereichs, den die Datendatei "
                         "aufnehmen kann (Betrag höchstens " + (single ? "3.402823E+38" : "1.797693E+308") + ").",
                     platform::MsgExclamation, kNotPossible);
    return false;
}

const char* const kFieldNames[] = {"t", "c(A)", "c(B)", "c(C)", "c(P)", "c(Q)", "lambda", "T", "k"};

int Rows() { return DataRowCount(); }

void EnsureRows(int n) {
    if (static_cast<int>(ExpDaten.size()) < n + 1) ExpDaten.resize(static_cast<std::size_t>(n + 1));
}

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent, int l, int t, int w, int h) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    PlaceTw(label, l, t, w, h);
    return label;
}

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent, int l, int t, int w, int h) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    PlaceTw(button, l, t, w, h);
    return button;
}

QGroupBox* MakeFrame(const char* name, const QString& title, QWidget* parent, int w, int h) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    frame->resize(Tw(w), Tw(h));
    return frame;
}

QWidget* FrameOf(QWidget* form) {
    QWidget* frame = platform::Windows().Frame("frmDatedit");
    return frame ? frame : form;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------------

frmDatedit::frmDatedit(QWidget* parent) : QWidget(parent) {
    setObjectName("frmDatedit");
    BuildControls();
    Form_Load();
}

void frmDatedit::BuildControls() {
    auto tu = [](const char* text) { return QString::fromUtf8(text); };
    setFixedWidth(Tw(kWidthTwips));
    // Below this height the input frames would cover the table.
    setMinimumHeight(Tw(kMinHeightTwips));

    static const char* const kopf[10] = {"   #     aus ", "cA/(mol/L)", "cB/(mol/L)", "   T/K",   "  k",
                                         "        t",    "cC/(mol/L)", "cP/(mol/L)", "cQ/(mol/L)", "   lambda"};
    // The first heading reaches a little into the time column; every other heading stands as far into
    // its own column and is a column wide (the enzyme rate's " r(P)/(mol/L min)" needs that).
    lblKopf[0] = MakeLabel("lblKopf(0)", kopf[0], this, kGridLeftTwips, 60, 1000, 250);
    for (int col = 2; col < kCols; ++col) {
        const int i = kKopfOfColumn[col];
        const int left = kGridLeftTwips + 1000 + (col - 2) * 1500;
        lblKopf[static_cast<std::size_t>(i)] = MakeLabel(QStringLiteral("lblKopf(%1)").arg(i), kopf[i], this, left, 60,
                                                         1500, 250);
    }
    lblKopf[0]->setToolTip(tu(" \"aus\" schließt die Zeile von Grafik und Fitting aus (inaktiv) "));
    lblKopf[9]->setToolTip(tu(" konzentrationsproportionale Größe "));
    lblKopf[4]->setToolTip(tu(" Geschwindigkeitskonstante "));

    Grid = new platform::Grid(this);
    Grid->setObjectName("Grid");
    PlaceTw(Grid, kGridLeftTwips, kGridTopTwips, kGridWidthTwips, kGridMinHeightTwips);
    Grid->SetEditable(true);

    // Input line.
    Frame1 = MakeFrame("Frame1", QString(), this, kInputFrameWidthTwips, kInputFrameHeightTwips);
    static const char* const bz1[7] = {" cA/(mol/L)  ", "Temperatur/K     Geschw.-konst.  k", "Zeit  t/s",
                                       " cB/(mol/L)  ", " cC/(mol/L)  ", " cP/(mol/L)  ", " cQ/(mol/L)  "};
    static const int bz1OfField[6] = {2, 0, 3, 4, 5, 6};
    // Each field stands as far from the next as its caption needs: the concentrations' captions
    // (" cA/(mol/L)  " with their blanks) are a little wider than a field, the enzyme's "c(ES)/(mol/L)"
    // over the third one wider still, for which the lambda field is a little narrower. The captions
    // stand on their fields in a row of two lines, of which the enzyme rate's "r(P)/(mol/L min)" over
    // the time field takes both.
    static const int pitches[9] = {1080, 1110, 1110, 1230, 1110, 1110, 1020, 1080, 1080};
    auto caption = [this](const QString& name, const char* text, int left, int width) {
        QLabel* label = MakeLabel(name, text, Frame1, left, 120, width, 450);
        label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
        return label;
    };
    int left = 120, lambdaLeft = 0;
    for (int i = 0; i <= 8; ++i) {
        if (i == 6) lambdaLeft = left;
        const int pitch = pitches[i];
        auto* box = new QLineEdit(Frame1);
        box->setObjectName(QStringLiteral("y(%1)").arg(i));
        PlaceTw(box, left, 570, std::min(pitch - 20, 1060), 300);
        box->installEventFilter(this);
        y[static_cast<std::size_t>(i)] = box;
        if (i <= 5) {
            const int b = bz1OfField[i];
            Bz1[static_cast<std::size_t>(b)] = caption(QStringLiteral("Bz1(%1)").arg(b), bz1[b], left, pitch);
        }
        left += pitch;
    }
    Bz1[2]->setWordWrap(true);
    // The joint caption of T and k reaches to the frame's right edge.
    Label2 = caption("Label2", "lambda (t)", lambdaLeft, pitches[6] - 10);
    Bz1[1] = caption("Bz1(1)", bz1[1], lambdaLeft + pitches[6] - 10, 2565);
    QFont joint = Bz1[1]->font();  // the joint caption of T and k must fit above both fields
    joint.setPointSizeF(joint.pointSizeF() * 0.85);
    Bz1[1]->setFont(joint);
    lblZeile = MakeLabel("lblZeile", "Zeile 1", Frame1, 120, 1000, 1000, 300);
    OKinput = MakeButton("OKinput", tu("Daten in Liste übernehmen  <+>"), Frame1, 1200, 960, 3200, 400);
    Label3 = MakeLabel("Label3", "lambda (t =", Frame1, 4700, 1000, 1120, 300);
    lblInfin = MakeLabel("lblInfin", tu("\u221E"), Frame1, 5830, 970, 250, 330);
    lambda_infin = new QLineEdit(Frame1);
    lambda_infin->setObjectName("lambda_infin");
    lambda_infin->setToolTip(tu(" lambda nach unendlicher Zeit  "));
    PlaceTw(lambda_infin, 6100, 1000, 1200, 300);
    lambda_infin->installEventFilter(this);
    Frame2 = MakeFrame("Frame2", " Daten-Eingabe ", Frame1, 4300, 850);
    Frame2->move(Tw(120), Tw(1450));
    static const char* const modes[2] = {"Zeile zufügen", "Zeile editieren"};
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(tu(modes[i]), Frame2);
        option->setObjectName(QStringLiteral("optInputMode(%1)").arg(i));
        PlaceTw(option, 120 + i * 2000, 330, 1950, 360);
        optInputMode[static_cast<std::size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { optInputMode_Click(i); });
    }
    Lbl6 = MakeLabel("Lbl6", QString(), Frame1, 4700, 1500, 5600, 650);
    Lbl6->setStyleSheet("color: rgb(0, 0, 160);");

    fraXYComment = MakeFrame("fraXYComment", "optionaler File-Kommentar", this, 10400, 650);
    txtComment = new QLineEdit(fraXYComment);
    txtComment->setObjectName("txtComment");
    PlaceTw(txtComment, 120, 270, 10160, 300);
    txtComment->installEventFilter(this);

    // Buttons.
    fraCmd = MakeFrame("fraCmd", QString(), this, 10480, 1800);
    struct ButtonDef {
        QPushButton** button;
        const char* name;
        const char* text;
    };
    const ButtonDef rows[3][4] = {
        {{&cmdLoadFile, "cmdLoadFile", "&NEU-Laden *TA3"},
         {&cmdAddFile, "cmdAddFile", "&Addiere File *.TA3"},
         {&cmdSave, "cmdSave", "&Speichern als *.TA3"},
         {&cmdClipEinfuegen, "cmdClipEinfuegen", "Clip&board-Inhalt einfügen"}},
        {{&TSort, "TSort", "&Zeit-Sortieren"},
         {&TemperaturSort, "TemperaturSort", "&Temperatur-Sortieren"},
         {&cmdErase, "cmdErase", "markierte Zeilen &entfernen"},
         {&cmdAus, "cmdAus", "Zeile aktiv/&inaktiv"}},
        {{&cmdDraw_ct, "cmdDraw_ct", "&c-t-Punkte zeichnen"},
         {&cmdDraw_rcS, "cmdDraw_rcS", "&r(P)-c(S)-Pkte zeichnen"},
         {&cmdDraw_Tk, "cmdDraw_Tk", "&k-T-Punkte zeichnen"},
         {nullptr, nullptr, nullptr}}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const ButtonDef& s = rows[r][c];
            if (!s.button) continue;
            *s.button = MakeButton(s.name, tu(s.text), fraCmd, 120 + c * 2580, 200 + r * 520, 2560, 440);
        }
    }
    cmdClipboard = MakeButton("cmdClipboard", "unsichtbar: Copy to Clipboard", fraCmd, 0, 0, 100, 100);
    cmdClipboard->hide();
    cmdEraseSelected = MakeButton("cmdEraseSelected", "unsichtbar cmdEraseSelected", fraCmd, 0, 0, 100, 100);
    cmdEraseSelected->hide();
    cmdLoadFile->setToolTip(tu(" Laden experimenteller Daten aus einem systemeigenen Datenfile *.TA3  "));
    cmdAddFile->setToolTip(tu(" Daten aus einem anderen TA3-File der Tabelle zufügen. Achten Sie auf gleiche Zeiteinheiten!  "));
    cmdSave->setToolTip(tu(" Daten als systemeigenes TA3-File speichern  "));
    cmdClipEinfuegen->setToolTip(tu(" (oder <Strg><V>) Clipboard-Inhalt einfügen  "));
    cmdAus->setToolTip(tu("... schließt Zeile von Grafiik und Fitting aus "));
    cmdDraw_rcS->setToolTip(tu(" ... in Michaelis-Menten-Diagramm "));

    Fra2Cmd = MakeFrame("Fra2Cmd", QString(), this, 4100, 3450);
    MakeLabel("Label4", "Zeit-Einheit", Fra2Cmd, 120, 180, 1400, 250);
    MakeLabel("Label5", "(im gesamten Programm wirksam)", Fra2Cmd, 120, 780, 3860, 250);
    static const char* const units[5] = {"s", "min", "h", "d", "a"};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(units[i], Fra2Cmd);
        option->setObjectName(QStringLiteral("optZeit(%1)").arg(i));
        option->setToolTip(tu("  jede Änderung der Zeiteinheit führt zu einer Umrechnung der Zeit-Spalte "));
        PlaceTw(option, 120 + i * 780, 460, 760, 330);
        optZeit[static_cast<std::size_t>(i)] = option;
        connect(option, &QRadioButton::clicked, this, [this, i] { optZeit_Click(i); });
    }
    cmdApply = MakeButton("cmdApply", tu("Übernehmen "), Fra2Cmd, 120, 1150, 3860, 450);
    cmdApply->setToolTip(
        tu("...WICHTIG: Es erfolgt Datenprüfung und Prüfung auf Anfangswerte der Konzentratione(n) "));
    OK = MakeButton("OK", tu("OK, Übernehmen und Schließen"), Fra2Cmd, 120, 1700, 3860, 450);
    cmdHelp = MakeButton("cmdHelp", "Hilfe", Fra2Cmd, 120, 2250, 3860, 450);

    connect(OKinput, &QPushButton::clicked, this, &frmDatedit::OKinput_Click);
    connect(lambda_infin, &QLineEdit::textChanged, this, &frmDatedit::lambda_infin_Change);
    connect(txtComment, &QLineEdit::textChanged, this, &frmDatedit::txtComment_Change);
    connect(TSort, &QPushButton::clicked, this, &frmDatedit::TSort_Click);
    connect(TemperaturSort, &QPushButton::clicked, this, &frmDatedit::TemperaturSort_Click);
    connect(cmdClipboard, &QPushButton::clicked, this, &frmDatedit::cmdClipboard_Click);
    connect(cmdClipEinfuegen, &QPushButton::clicked, this, &frmDatedit::cmdClipEinfuegen_Click);
    connect(cmdEraseSelected, &QPushButton::clicked, this, &frmDatedit::cmdEraseSelected_Click);
    connect(cmdErase, &QPushButton::clicked, this, &frmDatedit::cmdErase_Click);
    connect(cmdAus, &QPushButton::clicked, this, &frmDatedit::cmdAus_Click);
    connect(cmdDraw_ct, &QPushButton::clicked, this, &frmDatedit::cmdDraw_ct_Click);
    connect(cmdDraw_rcS, &QPushButton::clicked, this, &frmDatedit::cmdDraw_rcS_Click);
    connect(cmdDraw_Tk, &QPushButton::clicked, this, &frmDatedit::cmdDraw_Tk_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmDatedit::cmdApply_Click);
    connect(OK, &QPushButton::clicked, this, &frmDatedit::OK_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmDatedit::cmdHelp_Click);
    connect(cmdLoadFile, &QPushButton::clicked, this, &frmDatedit::cmdLoadFile_Click);
    connect(cmdAddFile, &QPushButton::clicked, this, &frmDatedit::cmdAddFile_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmDatedit::cmdSave_Click);
    connect(Grid, &platform::Grid::EnterCell, this, &frmDatedit::Grid_EnterCell);
    connect(Grid, &platform::Grid::RowColChange, this, &frmDatedit::Grid_RowColChange);
    connect(Grid, &platform::Grid::AfterEdit, this, &frmDatedit::Grid_AfterEdit);
    connect(Grid, &platform::Grid::KeyPressEdit, this, &frmDatedit::Grid_KeyPressEdit);
    connect(Grid, &platform::Grid::KeyDown, this, &frmDatedit::Grid_KeyDown);
    connect(Grid, &platform::Grid::MouseUp, this, &frmDatedit::Grid_MouseUp);
}

// ---- Window, grid and row input -----------------------------------------------------------------------

void frmDatedit::Form_Load() {
    resize(Tw(kWidthTwips), Tw(kHeightTwips));
    Trenner = "\t";
    if (IsFormLoaded("frmKinModel")) SetDataGridHeaders();

    Grid->SetRows(0);
    Grid->SetCols(kCols);
    Grid->SetColWidth(0, 500);
    Grid->SetColWidth(1, 400);
    Grid->SetCheckColumn(1, true);
    for (int c = 2; c < kCols; ++c) Grid->SetColWidth(c, 1500);
    Grid->SetGridFont("COURIER NEW", 9);
    Grid->SetRows(Rows());

    if (!experiment::AnpassungOffen()) DiagVariante = 0;  // an open fit keeps its mode
    HinweisEinmal_ = kTrue;
    txtComment->setText(QString::fromStdString(DatenKommentar));
    lambda_infin->setText(QString::fromStdString(platform::StrSingle(static_cast<float>(lambdaInf))));
    if (Rows() == 0) txtComment->clear();
    QFont infin = lblInfin->font();
    infin.setPointSize(12);
    lblInfin->setFont(infin);
    AktZeile_ = 1;

    if (Rows() > 0) {
        EditModus_ = kTrue;
        SetEditCaption();
        ChooseInputMode(1);
        FillDataGrid();
    } else {
        Lbl6->hide();
        EditModus_ = kFalse;
        ChooseInputMode(0);
        lblZeile->setText("Zeile 1");
        setWindowTitle(QString::fromStdString(" Eingabe von Messpunkten  " + CaptionSuffix()));
        AddEmptyListRow();
    }

    const int idx = ZeitEinheitIndexOf(RTrim(ZeitEinheit));
    ChooseZeit(idx < 0 ? 0 : idx);
    Lbl6->setText(QString::fromUtf8("Die Daten können jetzt ausgewertet werden:\r\nHauptmenü Versuchsauswertung/Fitting"));
    Lbl6->hide();
}

void frmDatedit::Form_Resize() {
    if (placing_) return;
    placing_ = true;
    if (width() != Tw(kWidthTwips)) resize(Tw(kWidthTwips), height());
    const int H = platform::PixelsToTwips(height());
    const int W = platform::PixelsToTwips(width());
    const int fraCmdTop = H - 1920;
    PlaceTw(fraCmd, kGridLeftTwips, fraCmdTop, 10480, 1800);
    PlaceTw(Fra2Cmd, W - 4100 - 200, H - 3600, 4100, 3450);
    const int commentTop = fraCmdTop - 650;
    PlaceTw(fraXYComment, kGridLeftTwips, commentTop, 10400, 650);
    PlaceTw(Frame1, kGridLeftTwips, commentTop - kInputFrameHeightTwips - 100, kInputFrameWidthTwips,
            kInputFrameHeightTwips);
    PlaceTw(Grid, kGridLeftTwips, kGridTopTwips, kGridWidthTwips, std::max(H - 5660, kGridMinHeightTwips));
    placing_ = false;
}

bool frmDatedit::Form_QueryUnload() {
    const QWidget* frame = FrameOf(this);
    PosDatedit.Left = platform::PixelsToTwips(frame->x());
    PosDatedit.Top = platform::PixelsToTwips(frame->y());
    const bool data = Rows() >= 1;
    EnableMain("mnuEditDat", -1, data);
    EnableMain("Toolbar1", 16, data);
    EnableMain("Toolbar1", 8, data);
    cmdApply->click();
    return !applyStopped_;  // Yes to the time-range question keeps the editor open
}

void frmDatedit::FillDataGrid() {
    const int n = Rows();
    if (n == 0) return;
    setUpdatesEnabled(false);
    Grid->SetRows(0);
    for (int i = 1; i <= n; ++i) {
        Grid->AddItem(ZeilenText(i));
        Grid->SetChecked(i - 1, 1, ExpDaten[static_cast<std::size_t>(i)].exclude == kTrue);
        ColourRow(i - 1);
    }
    Grid->SetCurrentCell(0, std::max(Grid->Col(), 2));
    Grid->ShowCell(0, 2);
    Grid_RowColChange();
    setUpdatesEnabled(true);
}

std::string frmDatedit::ZeilenText(int i) {
    const std::array<std::string, 9> cells = CellTexts(ExpDaten[static_cast<std::size_t>(i)]);
    std::string row = LSet(Str(i), 3) + "\t";
    for (const std::string& cell : cells) row += "\t" + LSet(cell, 14);
    return row;
}

void frmDatedit::ColourRow(int gridRow) {
    Grid->SetCellBackColor(gridRow, 2, kColourT);
    Grid->SetCellBackColor(gridRow, 8, kColourLambda);
    Grid->SetCellBackColor(gridRow, 9, kColourTk);
    Grid->SetCellBackColor(gridRow, 10, kColourTk);
}

std::string frmDatedit::CaptionSuffix() const {
    if (DatenFile.empty()) return "(unbenannt)";
    const std::size_t p = DatenFile.find_last_of("/\\");
    return "(" + platform::FileNameForDisplay(p == std::string::npos ? DatenFile : DatenFile.substr(p + 1)) + ")";
}

void frmDatedit::SetEditCaption() { setWindowTitle(QString::fromStdString(kEditCaption + CaptionSuffix())); }

void frmDatedit::FocusInput(int Index) {
    QLineEdit* box = y[static_cast<std::size_t>(Index)];
    if (box->isEnabled()) box->setFocus();
}

void frmDatedit::ChooseInputMode(int Index) {
    {
        const QSignalBlocker quiet(optInputMode[static_cast<std::size_t>(Index)]);
        optInputMode[static_cast<std::size_t>(Index)]->setChecked(true);
    }
    optInputMode_Click(Index);
}

void frmDatedit::ChooseZeit(int Index) {
    {
        const QSignalBlocker quiet(optZeit[static_cast<std::size_t>(Index)]);
        optZeit[static_cast<std::size_t>(Index)]->setChecked(true);
    }
    optZeit_Click(Index);
}

void frmDatedit::optInputMode_Click(int Index) {
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = optInputMode[static_cast<std::size_t>(i)];
        QFont font = option->font();
        font.setBold(false);
        option->setFont(font);
        option->setStyleSheet(QString());
    }
    if (Rows() == 0) {
        Index = 0;
        const QSignalBlocker quiet(optInputMode[0]);
        optInputMode[0]->setChecked(true);
    }
    QRadioButton* chosen = optInputMode[static_cast<std::size_t>(Index)];
    QFont bold = chosen->font();
    bold.setBold(true);
    chosen->setFont(bold);
    chosen->setStyleSheet(QStringLiteral("QRadioButton { background-color: rgb(%1, %2, %3); }")
                              .arg(kSelectedOptionColour & 0xFF)
                              .arg((kSelectedOptionColour >> 8) & 0xFF)
                              .arg((kSelectedOptionColour >> 16) & 0xFF));
    EditModus_ = Index == 1 ? kTrue : kFalse;
    if (!EditModus_) {
        FocusInput(0);
        lblZeile->setText(QString::fromStdString("Zeile " + Str(Rows() + 1)));
    } else {
        Grid_RowColChange();
        SetEditCaption();
        FocusInput(0);
        lblZeile->setText(QString::fromStdString("Zeile " + Str(AktZeile_)));
    }
}

void frmDatedit::Grid_EnterCell() {
    AktZeile_ = Grid->Row() + 1;
    EditModus_ = kTrue;
    ChooseInputMode(1);
}

void frmDatedit::Grid_RowColChange() {
    const int n = Rows();
    const int row = Grid->Row();
    if (n == 0 || row < 0 || row >= n) return;
    AktZeile_ = row + 1;
    const ExpPunkt& p = ExpDaten[static_cast<std::size_t>(AktZeile_)];
    std::array<std::string, 9> texts;
    texts[0] = platform::StrDouble(p.t);
    for (int s = 1; s <= kSpecies; ++s) texts[static_cast<std::size_t>(s)] = platform::StrDouble(p.c[static_cast<std::size_t>(s)]);
    texts[6] = platform::StrSingle(p.lambda);
    texts[7] = platform::StrDouble(p.T);
    texts[8] = platform::StrDouble(p.k);
    for (int i = 0; i <= 8; ++i) {
        if (y[static_cast<std::size_t>(i)]->isEnabled())
            y[static_cast<std::size_t>(i)]->setText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
    }
    const int col = Grid->Col();
    if (col >= 2 && col <= 10) FocusInput(col - 2);
    if (EditModus_) {
        SetEditCaption();
        lblZeile->setText(QString::fromStdString("Zeile " + Str(AktZeile_)));
    } else {
        lblZeile->setText(QString::fromStdString("Zeile " + Str(n + 1)));
    }
}

void frmDatedit::OKinput_Click() {
    Lbl6->hide();
    std::array<double, 9> v{};
    float sum = 0;
    for (int i = 0; i <= 8; ++i) {
        const std::string text = y[static_cast<std::size_t>(i)]->text().toStdString();
        if (!AcceptInput(text, SingleField(i), kFieldNames[i])) return;
        v[static_cast<std::size_t>(i)] = platform::ValLocale(text);
        sum += platform::FitsSingle(v[static_cast<std::size_t>(i)]) ? static_cast<float>(v[static_cast<std::size_t>(i)]) : 1.0f;
    }
    if (!AcceptInput(lambda_infin->text().toStdString(), true, "lambda(inf)")) return;
    if (sum == 0) {
        platform::Beep();
        return;
    }
    const int n = Rows();
    if (!EditModus_) {
        AktZeile_ = n + 1;
        EnsureRows(AktZeile_);
        ExpDaten[static_cast<std::size_t>(AktZeile_)] = ExpPunkt{};
    } else if (AktZeile_ < 1 || AktZeile_ > n) {
        platform::Beep();  // no row to edit
        return;
    }
    ExpPunkt& p = ExpDaten[static_cast<std::size_t>(AktZeile_)];
    p.t = v[0];
    for (int s = 1; s <= kSpecies; ++s) p.c[static_cast<std::size_t>(s)] = v[static_cast<std::size_t>(s)];
    p.lambda = static_cast<float>(v[6]);
    p.T = v[7];
    p.k = v[8];
    lambdaInf = platform::ValLocale(lambda_infin->text().toStdString());

    if (p.c[1] > 0 && p.T > 0 && HinweisEinmal_) {
        platform::MsgBox("Für nicht-isotherme Datensätze c(A) = Fu(t, T) ist für eine \r\n"
                         "Reaktion 1. Ordnung statt des Konzentrationswertes c(A)\r\n"
                         "das Verhältnis c(A) / c(A,0) anzugeben,\r\n"
                         "für t = 0 also z. B. der Wert 1.\r\n"
                         "Das hat den Vorteil, dass die einzelnen Messpunkte auf\r\n"
                         "unterschiedliche c(A,0) bezogen sein können.",
                         platform::MsgInformation, "einmaliger Hinweis");
        HinweisEinmal_ = kFalse;
    }

    int gridRow = 0;
    if (!EditModus_) {
        if (n == 0) {
            Lbl6->hide();
            Grid->SetRows(0);
        }
        Grid->AddItem(ZeilenText(AktZeile_));
        nMesspunkte = AktZeile_;
        lblZeile->setText(QString::fromStdString("Zeile " + Str(nMesspunkte + 1)));
        gridRow = Grid->Rows() - 1;
    } else {
        gridRow = AktZeile_ - 1;
        const std::array<std::string, 9> cells = CellTexts(p);
        for (int c = 2; c < kCols; ++c) Grid->SetText(gridRow, c, LSet(cells[static_cast<std::size_t>(c - 2)], 14));
    }
    ColourRow(gridRow);
    Grid->SetCurrentCell(gridRow, 2);
    FocusInput(0);
    ExpDataChanged = kTrue;
    EnableMain("mnuEditDat", -1, true);
    EnableMain("Toolbar1", 16, true);
}

void frmDatedit::optZeit_Click(int Index) {
    if (Index < 0 || Index > 4) return;
    SelectTimeUnit(Index);
    for (QRadioButton* option : optZeit) {
        QFont font = option->font();
        font.setBold(false);
        option->setFont(font);
    }
    {
        const QSignalBlocker quiet(optZeit[static_cast<std::size_t>(Index)]);
        optZeit[static_cast<std::size_t>(Index)]->setChecked(true);
    }
    FillDataGrid();
}

void frmDatedit::TimeCallFromKinModel(int Index) {
    FillDataGrid();
    optZeit_Click(Index);
}

// lambda(inf) and the comment are stored in the file: a change of them is a change of the data set.
// A value beyond the file's range is not taken over; OK names it.
void frmDatedit::lambda_infin_Change() {
    const double value = platform::ValLocale(lambda_infin->text().toStdString());
    if (!platform::FitsSingle(value)) return;
    if (!platform::FitsSingle(lambdaInf) || static_cast<float>(value) != static_cast<float>(lambdaInf)) {
        ExpDataChanged = kTrue;
    }
    lambdaInf = value;
}

void frmDatedit::txtComment_Change() {
    const std::string text = txtComment->text().toStdString();
    if (text != DatenKommentar) ExpDataChanged = kTrue;
    DatenKommentar = text;
}

void frmDatedit::y_KeyPress(int Index, int& KeyAscii) {
    if (KeyAscii == 3 || KeyAscii == 22) return;
    const int typed = KeyAscii;
    if (!CheckNumKey(KeyAscii)) {
        KeyAscii = 0;
        if (typed == '+') OKinput_Click();
        return;
    }
    if (KeyAscii != 13) return;
    KeyAscii = 0;
    for (int i = Index + 1; i <= 8; ++i) {
        if (y[static_cast<std::size_t>(i)]->isEnabled()) {
            y[static_cast<std::size_t>(i)]->setFocus();
            return;
        }
    }
    OKinput_Click();
    FocusInput(0);
}

void frmDatedit::lambda_infin_KeyPress(int& KeyAscii) {
    if (KeyAscii == 3 || KeyAscii == 22) return;
    if (KeyAscii == 13 || !CheckNumKey(KeyAscii)) KeyAscii = 0;
}

void frmDatedit::txtComment_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13 || KeyAscii == 10) KeyAscii = 0;
}

// ---- Table operations ------------------------------------------------------------------------------

void frmDatedit::SortRows(bool byTemperature) {
    const int n = Rows();
    if (n == 0) {
        platform::Beep();
        return;
    }
    auto key = [byTemperature](int j) {
        const ExpPunkt& p = ExpDaten[static_cast<std::size_t>(j)];
        return byTemperature ? p.T : p.t;
    };
    // Bubble sort: equal keys keep their order, every field (exclude too) travels with its row.
    bool swapped = true;
    for (int last = n; swapped && last > 1; --last) {
        swapped = false;
        for (int j = 1; j < last; ++j) {
            if (key(j) > key(j + 1)) {
                std::swap(ExpDaten[static_cast<std::size_t>(j)], ExpDaten[static_cast<std::size_t>(j + 1)]);
                swapped = true;
                ExpDataChanged = kTrue;  // the file keeps the order of the rows
            }
        }
    }
    FillDataGrid();
}

void frmDatedit::TSort_Click() { SortRows(false); }

void frmDatedit::TemperaturSort_Click() { SortRows(true); }

void frmDatedit::cmdClipboard_Click() {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(Grid->ClipText()));
}

void frmDatedit::cmdClipEinfuegen_Click() {
    QClipboard* clipboard = QApplication::clipboard();
    const QMimeData* mime = clipboard->mimeData();
    if (!mime || !mime->hasText()) return;
    const std::string text = clipboard->text().toStdString();
    const int lines = platform::Grid::LineCount(text);
    const int oldRows = Rows();
    const int startRow = std::max(Grid->Row(), 0);
    const int startCol = Grid->Col() < 0 ? 2 : Grid->Col();
    int n = std::max(oldRows, startRow + lines);
    EnsureRows(n);
    for (int i = oldRows + 1; i <= n; ++i) ExpDaten[static_cast<std::size_t>(i)] = ExpPunkt{};
    if (oldRows == 0) Grid->SetRows(0);  // the "leere Liste" row gives way to rows with check boxes
    Grid->SetRows(n);
    Grid->Select(startRow, startCol, n - 1, kCols - 1);
    Grid->SetClipText(text);

    // A last row that holds nothing is what a final line break leaves: drop it.
    if (n > 1) {
        bool empty = true;
        for (int c = 2; c < kCols; ++c) empty = empty && CellValue(Grid->Text(n - 1, c)) == 0;
        if (empty) {
            --n;
            Grid->SetRows(n);
        }
    }
    nMesspunkte = n;
    ExpDaten.resize(static_cast<std::size_t>(n + 1));
    for (int r = 1; r <= n; ++r) {
        Grid->SetText(r - 1, 0, LSet(Str(r), 3));
        for (int c = 2; c < kCols; ++c) SetField(ExpDaten[static_cast<std::size_t>(r)], c, CellValue(Grid->Text(r - 1, c)));
        ColourRow(r - 1);
    }
    ExpDataChanged = kTrue;  // pasted values must not be lost without a question
    if (RTrim(Grid->Text(0, 2)) == kEmptyList) Grid->SetText(0, 2, "");
    Grid->SetCurrentCell(0, startCol);
    Grid->ShowCell(0, startCol);
    Grid_RowColChange();
}

void frmDatedit::cmdEraseSelected_Click() {
    const int n = Rows();
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (n == 0 || !Grid->SelectedBlock(r1, c1, r2, c2)) return;
    for (int r = r1; r <= std::min(r2, n - 1); ++r) {
        for (int c = c1; c <= c2; ++c) {
            Grid->SetText(r, c, " 0");
            if (c >= 2 && c < kCols) SetField(ExpDaten[static_cast<std::size_t>(r + 1)], c, 0);
        }
    }
    ExpDataChanged = kTrue;  // values were changed
    FillDataGrid();
}

// The one row of an empty table: "leere Liste" in column 2, no check box, nothing to edit.
void frmDatedit::AddEmptyListRow() {
    Grid->SetRows(0);
    Grid->AddItem(Trenner + Trenner + kEmptyList);
    for (int c = 0; c < kCols; ++c) Grid->SetCellPlain(0, c);
    Grid->SetCurrentCell(0, 2);
}

void frmDatedit::ShowEmptyList() {
    AddEmptyListRow();
    EditModus_ = kFalse;
    Lbl6->hide();
    ChooseInputMode(0);
}

void frmDatedit::cmdErase_Click() {
    int n = Rows();
    if (n == 0) {
        platform::Beep();
        return;
    }
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!Grid->SelectedBlock(r1, c1, r2, c2) || r1 >= n) {
        platform::MsgBox("keine Markierung!", platform::MsgCritical, kNotPossible);
    } else {
        const int a = r1 + 1;
        const int b = std::min(r2 + 1, n);
        const std::string prompt = a == b ? "Zeile " + Str(a) + " wirklich entfernen?"
                                          : "Zeilen " + Str(a) + " bis " + Str(b) + " wirklich entfernen?";
        if (platform::MsgBox(prompt, platform::MsgYesNo + platform::MsgQuestion, "WARNUNG") != platform::AnswerYes) return;
        ExpDaten.erase(ExpDaten.begin() + a, ExpDaten.begin() + b + 1);
        nMesspunkte = n - (b - a + 1);
        EnsureRows(nMesspunkte);
        ExpDataChanged = kTrue;
        n = nMesspunkte;
    }
    if (n > 0) {
        FillDataGrid();
        Grid->SetCurrentCell(0, std::max(Grid->Col(), 2));
    } else {
        ShowEmptyList();
    }
    if (!EditModus_) lblZeile->setText(QString::fromStdString("Zeile " + Str(n + 1)));
}

void frmDatedit::cmdAus_Click() {
    const int n = Rows();
    if (n == 0 || AktZeile_ < 1 || AktZeile_ > n) {
        platform::Beep();
        return;
    }
    ExpPunkt& p = ExpDaten[static_cast<std::size_t>(AktZeile_)];
    p.exclude = p.exclude == 0 ? kTrue : kFalse;
    Grid->SetChecked(AktZeile_ - 1, 1, p.exclude == kTrue);
    ExpDataChanged = kTrue;  // the file stores the exclusion
}

void frmDatedit::Grid_AfterEdit(int Row, int Col) {
    if (Row < 0 || Row >= Rows()) return;
    if (Col != 1) {
        TakeCell(Row, Col);
        return;
    }
    AktZeile_ = Row + 1;
    ExpDaten[static_cast<std::size_t>(AktZeile_)].exclude = Grid->Checked(Row, 1) ? kTrue : kFalse;
    ExpDataChanged = kTrue;
}

// An edited cell reaches the data set however its editing ended (Enter, Tab, an arrow, a click,
// the focus leaving the grid); a cell without an enabled input field shows its stored text again.
void frmDatedit::TakeCell(int Row, int Col) {
    ExpPunkt& p = ExpDaten[static_cast<std::size_t>(Row + 1)];
    if (Col >= 2 && Col < kCols && y[static_cast<std::size_t>(Col - 2)]->isEnabled()) {
        const std::string text = platform::WithDecimalPoint(Grid->Text(Row, Col));
        if (!AcceptInput(text, SingleField(Col - 2), kFieldNames[Col - 2])) {
            Grid->SetText(Row, Col, LSet(CellTexts(p)[static_cast<std::size_t>(Col - 2)], 14));  // the kept value
            return;
        }
        QLineEdit* box = y[static_cast<std::size_t>(Col - 2)];
        box->setText(QString::fromStdString(text));
        SetField(p, Col, platform::Val(box->text().toStdString()));
        ExpDataChanged = kTrue;
        lblZeile->setText(QString::fromStdString("Zeile " + Str(Row + 1)));
    } else if (Col == 0) {
        Grid->SetText(Row, 0, LSet(Str(Row + 1), 3));
    } else if (Col >= 2 && Col < kCols) {
        Grid->SetText(Row, Col, LSet(CellTexts(p)[static_cast<std::size_t>(Col - 2)], 14));
    }
}

void frmDatedit::Grid_KeyPressEdit(int Row, int Col, int& KeyAscii) {
    if (Rows() == 0) return;
    if (KeyAscii != 13) {
        int key = KeyAscii;
        if (!CheckNumKey(key)) return;  // other keys pass unchanged
        if (DezKomma) {
            if (key == '.') KeyAscii = ',';
        } else {
            KeyAscii = key;  // a comma typed as a point
        }
    } else {
        KeyAscii = 0;
        if (Row < Rows()) TakeCell(Row, Col);
    }
    ExpDataChanged = kTrue;
    lblZeile->setText(QString::fromStdString("Zeile " + Str(Row + 1)));
}

void frmDatedit::Grid_KeyDown(int& KeyCode, int Shift) {
    const bool ctrl = (Shift & 2) != 0;
    if (ctrl && KeyCode == 'C') {
        cmdClipboard_Click();
        KeyCode = 0;
    } else if (ctrl && KeyCode == 'V') {
        cmdClipEinfuegen->click();
        KeyCode = 0;
    } else if (KeyCode == 46) {
        cmdEraseSelected_Click();
        KeyCode = 0;
    }
}

void frmDatedit::Grid_MouseUp(int Button, int /*Shift*/, int /*x*/, int /*y*/) {
    if (Button != 2) return;
    QWidget* main = platform::Windows().MainWindow();
    if (auto* menu = main ? main->findChild<QMenu*>("mnuEdit1") : nullptr) menu->popup(QCursor::pos());
}

// ---- Drawing and hand-over -------------------------------------------------------------------------------

void frmDatedit::DrawPoints(int code, const char* allInactive) {
    AnalyseExpData();
    if (Rows() == 0) {
        aktDiagrammCode = 0;
        platform::MsgBox("keine Messpunkte vorhanden!", platform::MsgCritical, kNotPossible);
        platform::Beep();
        return;
    }
    if (Rows() - nInaktiv < 1) {
        platform::MsgBox(std::string(allInactive) + "\r\nHeben Sie Deaktivierungen von Datenpunkten auf.\r\n",
                         platform::MsgCritical, kNotPossible);
        return;
    }
    platform::Windows().Unload("frmTGraph2D");
    aktDiagrammCode = code;
    ScanExpDataRange(aktDiagrammCode, kTrue);
    diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
}

void frmDatedit::cmdDraw_ct_Click() { DrawPoints(-1, "Alle c-t-Punkte deaktiviert!"); }

void frmDatedit::cmdDraw_rcS_Click() { DrawPoints(-15, "Alle r(P)-c(S)-Punkte deaktiviert!"); }

void frmDatedit::cmdDraw_Tk_Click() { DrawPoints(-2, "Alle k-T-Punkte deaktiviert!"); }

void frmDatedit::cmdApply_Click() {
    applyStopped_ = false;
    AnalyseExpData();
    if (nTemperaturen > 1 && NichtIsothermMoeglich && (DatenTEnde < 0.2 || DatenTEnde > 1.0)) {
        const int answer = platform::MsgBox(
            "Die aktuellen Zahlenwerte der Reaktionszeiten t können zu\r\n"
            "numerischen Problemen bei der Regressionsrechnung führen.\r\n"
            "Besonders empfindlich sind hier Reaktionen erster Ordnung.\r\n"
            "Die Zahlenwerte für t müssen in folgendem Bereich liegen:\r\n"
            "für Reaktion 1. Ordnung: (1 > t > 1E-4)\r\n"
            "für Reaktion 2. Ordnung: (t > 1E-4)\r\n\r\n"
            "Experimentieren Sie mit verschiedenen Zeiteinheiten und\r\n"
            "gehen Sie immer von niedrigen Startwerten aus (0 | 1 | 10 |100)\r\n\r\n"
            "Jetzt die Zeiteinheit ändern?",
            platform::MsgYesNo + platform::MsgExclamation, " Warnung für nicht-isothermes Fitting ");
        if (answer == platform::AnswerYes) {
            applyStopped_ = true;
            return;
        }
    }
    // An open non-isothermal fit keeps its fitted A and EA.
    if (NichtIsothermMoeglich && !experiment::NichtIsothermeAnpassungOffen()) {
        ArrhA = 100;
        ArrhEA = 100;
    }
    SetC0AusMessdaten();
    const bool data = Rows() > 0;
    EnableMain("Toolbar1", 8, data);
    Lbl6->setVisible(data);
}

// Closing applies the data (Form_QueryUnload), so OK applies them once, through the close.
void frmDatedit::OK_Click() { platform::Windows().UnloadOrClose("frmDatedit", this); }

void frmDatedit::cmdHelp_Click() { platform::ShowHelpContext(kHelpContext); }

// ---- Data files -------------------------------------------------------------------------------------------

void frmDatedit::cmdLoadFile_Click() {
    // Changed rows are not replaced unasked; Cancel, or a save that did not write, stops the load.
    if (ExpDataChanged && Rows() > 0) {
        int result = 0;
        shell::AskSaveExpData(0, result);
        if (result != 0) return;
        if (!ExpDataChanged) SetEditCaption();  // saved under a new name
    }
    AppendExpFile = kFalse;
    int loaded = 0, cancelled = 0;
    experiment::LoadExpDataDialog(AppendExpFile, loaded, cancelled);
    if (cancelled) return;
    if (!loaded || Rows() == 0) {
        // A failed read keeps the data set; a confirmed empty choice has emptied it.
        EnableMain("mnuEditDat", -1, Rows() > 0);
        EnableMain("Toolbar1", 16, Rows() > 0);
        if (Rows() == 0) {
            setWindowTitle(QString::fromStdString(" Eingabe von Messpunkten  " + CaptionSuffix()));
            ShowEmptyList();
        }
        return;
    }
    ExpDataChanged = kFalse;
    EnableMain("mnuEditDat", -1, true);
    EnableMain("Toolbar1", 16, true);
    for (int i = 1; i <= 2; ++i) EnableMain("mnukT", i, true);
    for (int i = 1; i <= 4; ++i) EnableMain("mnuctAusw", i, true);
    if (IsFormLoaded("frmPrepareTimeDiagram") && nctPunkte >= 2)
        platform::Forms().SetEnabled("frmPrepareTimeDiagram", "chkMitPunkten", -1, true);
    cmdDraw_ct->setEnabled(nctPunkte >= 2);
    cmdDraw_Tk->setEnabled(nkTPunkte > 1);
    FillDataGrid();
    optZeit_Click(ZeitEinheitIdx);
    Grid->SetCurrentCell(0, std::max(Grid->Col(), 2));
    ChooseInputMode(1);
    txtComment->setText(QString::fromStdString(DatenKommentar));
}

void frmDatedit::cmdAddFile_Click() {
    AppendExpFile = kTrue;
    int loaded = 0, cancelled = 0;
    experiment::LoadExpDataDialog(AppendExpFile, loaded, cancelled);
    if (!loaded) return;
    ExpDataChanged = kTrue;  // the appended rows are in no file yet
    EditModus_ = kTrue;
    {
        const QSignalBlocker quiet(optInputMode[1]);
        optInputMode[1]->setChecked(true);
    }
    FillDataGrid();
    setWindowTitle(QString::fromStdString(" Experimentelle Daten, Editieren von Datensätzen  " + CaptionSuffix()));
}

void frmDatedit::cmdSave_Click() {
    if (Rows() < 1) return;
    int result = 0;
    shell::SaveExpDataAs(0, result);
    Form_Load();
    if (result == 0) ExpDataChanged = kFalse;
}

// ---- Events ------------------------------------------------------------------------------------------------

void frmDatedit::EnableMain(const char* name, int index, bool on) {
    platform::Forms().SetEnabled("MDITAR", name, index, on);
}

QSize frmDatedit::sizeHint() const { return {Tw(kWidthTwips), Tw(kHeightTwips)}; }

void frmDatedit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWidget* frame = FrameOf(this); frame != this && !event->spontaneous()) frame->resize(frame->sizeHint());
    FrameOf(this)->move(platform::TwipsToPixels(PosDatedit.Left), platform::TwipsToPixels(PosDatedit.Top));
    Form_Resize();
}

void frmDatedit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmDatedit::closeEvent(QCloseEvent* event) {
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool frmDatedit::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn && box != txtComment) {
        QMetaObject::invokeMethod(box, [box] { box->selectAll(); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (simulation::IsEditShortcut(keyEvent)) return false;
    const int typed = simulation::KeyAscii(keyEvent);
    if (typed == 0) return false;
    int key = typed;
    if (box == lambda_infin) {
        lambda_infin_KeyPress(key);
    } else if (box == txtComment) {
        txtComment_KeyPress(key);
    } else {
        const auto it = std::find(y.begin(), y.end(), box);
        if (it == y.end()) return false;
        y_KeyPress(static_cast<int>(it - y.begin()), key);
    }
    if (key == 0) return true;
    if (key != typed) {
        box->insert(QString(QChar(key)));
        return true;
    }
    return false;
}
