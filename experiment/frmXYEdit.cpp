#include "experiment/frmXYEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTime>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <initializer_list>

#include "diagram/frmTGraph2D.h"
#include "experiment/ArrheniusEyring.h"
#include "experiment/ToolWindowSupport.h"
#include "experiment/XYFile.h"
#include "experiment/XYListe.h"
#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "platform/FixedPitchFont.h"
#include "platform/Grid.h"
#include "platform/Help.h"
#include "platform/TextPrint.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"
#include "shell/FileChoice.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmXYEdit";
const char* const kDiagramm = "frmTGraph2D";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmXYEdit; });

constexpr int kBreite = 7380;   // twips, kept on every resize
constexpr int kHoehe = 8790;
constexpr int kGridLinks = 120;
constexpr int kGridOben = 330;
constexpr int kGridBreite = 4330;
constexpr int kGridMinHoehe = 2000;
constexpr int kUntenBereich = 2350;   // comment, drawing frame and buttons below the grid
constexpr int kRechts = 4520;         // left edge of the button column
constexpr int kKnopfBreite = 2700;
constexpr int kHilfeKontext = 10301;
constexpr int kColNr = 0, kColAus = 1, kColX = 2, kColY = 3;
constexpr int kKurve = 0, kPunkte = 1;
constexpr int kModusZufuegen = 0, kModusEditieren = 1;

const char* const kNichtMoeglich = " Ausführung nicht möglich ";
const char* const kLeereListe = "leere Liste";

QString U(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }
std::string Nr(int i) { return std::to_string(i); }

// Grid cells show a number in the general form of the locale; boxes with a decimal point.
std::string ZellText(float v) { return platform::CStrSingle(v); }
QString BoxText(float v) { return U(platform::StrSingle(v)); }

// A typed or pasted number; values beyond the range of a Single read as 0.
float ZellWert(const std::string& text) {
    const double v = platform::ValLocale(text);
    return experiment::PasstInSingle(v) ? static_cast<float>(v) : 0.0f;
}

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Makes the font of w small enough for text to fit into width pixels.
void PasseSchriftAn(QWidget* w, const QString& text, int width) {
    QFont f = w->font();
    for (double pt = f.pointSizeF(); pt > 6 && QFontMetrics(f).horizontalAdvance(text) > width; pt -= 0.5) {
        f.setPointSizeF(pt - 0.5);
    }
    w->setFont(f);
}

void SetBold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

frmXYEdit::PrinterSetup& PrinterSetupSlot() {
    static frmXYEdit::PrinterSetup setup;
    return setup;
}

// Counts nested rebuilds of the grid, so that its change events are not taken for the user's.
struct Fuellen {
    explicit Fuellen(int& c) : z(c) { ++z; }
    ~Fuellen() { --z; }
    int& z;
};

}  // namespace

void frmXYEdit::SetPrinterSetup(PrinterSetup setup) { PrinterSetupSlot() = std::move(setup); }

frmXYEdit::frmXYEdit(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    BuildControls();
    Form_Load();
}

frmXYEdit* frmXYEdit::Geladen() { return qobject_cast<frmXYEdit*>(platform::Windows().Get(kName)); }

// ---- Construction ------------------------------------------------------------------------------------

void frmXYEdit::BuildControls() {
    auto knopf = [](const char* name, const QString& text, QWidget* parent) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(name);
        return b;
    };
    auto rahmen = [this](const char* name, const QString& text) {
        auto* g = new QGroupBox(text, this);
        g->setObjectName(name);
        return g;
    };

    lblKopf = new QLabel(" #                x                         y", this);
    lblKopf->setObjectName("lblKopf");
    lblKopf->setFont(platform::FixedPitchFont("Courier New", 9));
    PlaceTw(lblKopf, kGridLinks, 60, kGridBreite, 260);
    PasseSchriftAn(lblKopf, lblKopf->text(), Tw(kGridBreite));

    Grid = new platform::Grid(this);
    Grid->setObjectName("Grid");
    Grid->SetEditable(true);
    connect(Grid, &platform::Grid::RowColChange, this, [this] { Grid_RowColChange(); });
    connect(Grid, &platform::Grid::CellChanged, this, [this](int r, int c) { Grid_CellChanged(r, c); });
    connect(Grid, &platform::Grid::AfterEdit, this, [this](int r, int c) { Grid_AfterEdit(r, c); });
    connect(Grid, &platform::Grid::KeyPressEdit, this, [this](int r, int c, int& k) { Grid_KeyPressEdit(r, c, k); });
    connect(Grid, &platform::Grid::KeyDown, this, [this](int& k, int s) { Grid_KeyDown(k, s); });
    connect(Grid, &platform::Grid::KeyUp, this, [this](int, int) { Grid_RowColChange(); });
    connect(Grid, &platform::Grid::MouseUp, this, [this](int b, int s, int x, int yy) { Grid_MouseUp(b, s, x, yy); });

    // Input of one row.
    R1 = rahmen("R1", QString());
    PlaceTw(R1, kRechts, 120, kKnopfBreite, 1750);
    lblZeile = new QLabel(R1);
    lblZeile->setObjectName("lblZeile");
    PlaceTw(lblZeile, 120, 280, 2200, 260);
    const std::array<const char*, 2> achsen{"x", "y"};
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(achsen[static_cast<std::size_t>(i)], R1);
        PlaceTw(l, 120, 620 + i * 380, 300, 300);
        auto* box = new QLineEdit(R1);
        box->setObjectName(QStringLiteral("y(%1)").arg(i));
        PlaceTw(box, 450, 600 + i * 380, 1900, 320);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, i] { y_Change(i); });
        y[static_cast<std::size_t>(i)] = box;
    }
    OKinput = knopf("OKinput", QString::fromUtf8("Daten in Liste übernehmen <+>"), R1);
    PlaceTw(OKinput, 60, 1330, kKnopfBreite - 120, 340);
    PasseSchriftAn(OKinput, OKinput->text(), Tw(kKnopfBreite - 120) - 12);
    connect(OKinput, &QPushButton::clicked, this, [this] { OKinput_Click(); });

    const std::array<const char*, 2> modi{"Zeile zufügen", "Zeile editieren"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(QString::fromUtf8(modi[static_cast<std::size_t>(i)]), this);
        o->setObjectName(QStringLiteral("optInputMode(%1)").arg(i));
        o->setAutoFillBackground(true);
        PlaceTw(o, kRechts, 1930 + i * 300, kKnopfBreite, 280);
        connect(o, &QRadioButton::clicked, this, [this, i] { optInputMode_Click(i); });
        optInputMode[static_cast<std::size_t>(i)] = o;
    }

    // List operations.
    XSort = knopf("XSort", "&x-Sort", this);
    PlaceTw(XSort, kRechts, 2600, 1220, 340);
    connect(XSort, &QPushButton::clicked, this, [this] { XSort_Click(); });
    YSort = knopf("YSort", "&y-Sort", this);
    PlaceTw(YSort, kRechts + 1300, 2600, 1220, 340);
    connect(YSort, &QPushButton::clicked, this, [this] { YSort_Click(); });
    cmdChangeXY = knopf("cmdChangeXY", "x <==> y", this);
    PlaceTw(cmdChangeXY, kRechts, 2980, kKnopfBreite, 340);
    connect(cmdChangeXY, &QPushButton::clicked, this, [this] { cmdChangeXY_Click(); });
    cmdAus = knopf("cmdAus", "Zeile aktiv | inaktiv", this);
    PlaceTw(cmdAus, kRechts, 3360, kKnopfBreite, 340);
    connect(cmdAus, &QPushButton::clicked, this, [this] { cmdAus_Click(); });
    cmdErase = knopf("cmdErase", "markierte Zeile(n) entfernen", this);
    cmdErase->setToolTip(QString::fromUtf8(
        " \"markiert\" meint: mit der Maus markierte(r) Bereich/Zeile, nicht Häkchen \"aus\" "));
    PlaceTw(cmdErase, kRechts, 3740, kKnopfBreite, 340);
    connect(cmdErase, &QPushButton::clicked, this, [this] { cmdErase_Click(); });
    cmdClipEinfuegen = knopf("cmdClipEinfuegen", QString::fromUtf8("Einfügen Clipboard"), this);
    PlaceTw(cmdClipEinfuegen, kRechts, 4120, kKnopfBreite, 340);
    connect(cmdClipEinfuegen, &QPushButton::clicked, this, [this] { cmdClipEinfuegen_Click(); });
    cmdManip = knopf("cmdManip", "Tabellenwerte umrechnen", this);
    cmdManip->setToolTip(" .. per Addition, Multiplikation, ln(y), 1/y ");
    PlaceTw(cmdManip, kRechts, 4500, kKnopfBreite, 340);
    connect(cmdManip, &QPushButton::clicked, this, [this] { cmdManip_Click(); });
    cmdLoad = knopf("cmdLoad", "D&aten laden *.XY | *.LRG", this);
    PlaceTw(cmdLoad, kRechts, 4980, kKnopfBreite, 340);
    connect(cmdLoad, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
    cmdSave = knopf("cmdSave", "&Speichern als *.XY ...", this);
    PlaceTw(cmdSave, kRechts, 5360, kKnopfBreite, 340);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    cmdPrint = knopf("cmdPrint", "Liste &drucken", this);
    PlaceTw(cmdPrint, kRechts, 5740, kKnopfBreite, 340);
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });

    // Invisible buttons pressed by the main window's pop-up menu.
    cmdEraseSelected = knopf("cmdEraseSelected", QString(), this);
    cmdEraseSelected->hide();
    connect(cmdEraseSelected, &QPushButton::clicked, this, [this] { cmdEraseSelected_Click(); });
    cmdClipboard = knopf("cmdClipboard", QString(), this);
    cmdClipboard->hide();
    connect(cmdClipboard, &QPushButton::clicked, this, [this] { cmdClipboard_Click(); });

    // The recalculation panel lies over the list operations while it is open.
    fraManipulation = rahmen("fraManipulation", "Tabellenwerte umrechnen");
    PlaceTw(fraManipulation, kRechts, 2550, kKnopfBreite, 3560);
    fraManipulation->setAutoFillBackground(true);
    const std::array<const char*, 6> formeln{"y = exp(y)", "y = ln(y)",  "y = y * W",
                                             "y = y + W",  "y = 1 / y", "x = 1 - x"};
    for (int i = 0; i < 6; ++i) {
        auto* o = new QRadioButton(formeln[static_cast<std::size_t>(i)], fraManipulation);
        o->setObjectName(QStringLiteral("optManip(%1)").arg(i));
        PlaceTw(o, 150, 300 + i * 290, 2200, 270);
        connect(o, &QRadioButton::clicked, this, [this, i] { optManip_Click(i); });
        optManip[static_cast<std::size_t>(i)] = o;
    }
    lblW = new QLabel("W = ", fraManipulation);
    lblW->setObjectName("lblW");
    PlaceTw(lblW, 150, 2100, 500, 300);
    txtW = new QLineEdit(fraManipulation);
    txtW->setObjectName("txtW");
    txtW->installEventFilter(this);
    PlaceTw(txtW, 700, 2080, 1600, 320);
    cmdExecManip = knopf("cmdExecManip", QString::fromUtf8("Umrechnung ausführen"), fraManipulation);
    PlaceTw(cmdExecManip, 120, 2540, 2280, 340);
    connect(cmdExecManip, &QPushButton::clicked, this, [this] { cmdExecManip_Click(); });
    cmdCloseManip = knopf("cmdCloseManip", QString::fromUtf8("Umrechnung schließen"), fraManipulation);
    PlaceTw(cmdCloseManip, 120, 2960, 2280, 340);
    connect(cmdCloseManip, &QPushButton::clicked, this, [this] { cmdCloseManip_Click(); });

    // Bottom: comment, drawing, closing.
    fraXYComment = rahmen("fraXYComment", "optionaler File-Kommentar");
    txtComment = new QLineEdit(fraXYComment);
    txtComment->setObjectName("txtComment");
    txtComment->installEventFilter(this);
    connect(txtComment, &QLineEdit::textEdited, this, [this] { ungespeichert_ = true; });  // the file's first line
    fraDraw = rahmen("fraDraw", QString());
    cmdDrawXY = knopf("cmdDrawXY", "&zeichnen", fraDraw);
    cmdDrawXY->setToolTip("...zum Einzeichnen in ein Diagramm oder zur graf. Kontrolle ");
    connect(cmdDrawXY, &QPushButton::clicked, this, [this] { cmdDrawXY_Click(); });
    const std::array<const char*, 2> arten{"als Kurve", "als Punkte"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(arten[static_cast<std::size_t>(i)], fraDraw);
        o->setObjectName(QStringLiteral("optIsPoints(%1)").arg(i));
        optIsPoints[static_cast<std::size_t>(i)] = o;
    }
    cmdEsc = knopf("cmdEsc", QString::fromUtf8("Schließen  <Esc>"), this);
    connect(cmdEsc, &QPushButton::clicked, this, [this] { cmdEsc_Click(); });
    cmdHelp = knopf("cmdHelp", "Hilfe", this);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
}

// ---- Opening, resizing, closing -----------------------------------------------------------------------

void frmXYEdit::Form_Load() {
    resize(Tw(kBreite), Tw(kHoehe));
    setWindowTitle("Punkte eingeben/editieren (X-Y-Editor)");
    txtW->setText(" 1");
    lblZeile->clear();

    {
        Fuellen f(fuelleGrid_);
        Grid->SetRows(0);
        Grid->SetCols(4);
        Grid->SetColWidth(kColNr, 500);
        Grid->SetColWidth(kColAus, 400);
        Grid->SetColWidth(kColX, 1565);
        Grid->SetColWidth(kColY, 1565);
        Grid->SetCheckColumn(kColAus, true);
        Grid->SetGridFont("COURIER NEW", 9);
    }
    fraManipulation->hide();

    nXYPunkte = 0;
    liste_.assign(1, XYPunkt{});
    RefreshButtons();
    optIsPoints[kPunkte]->setChecked(true);
    WaehleModus(kModusZufuegen);
    editModus_ = false;
    ungespeichert_ = false;
    XYDateiName.clear();

    R1->setTitle(U("Zufügen von Zeile " + Nr(nXYPunkte + 1)));
    lblZeile->setText("Zeile 1");
    LeereListeZeile();
    optManip[0]->setChecked(true);
    optManip_Click(0);
    y[0]->setText(" 0");
    y[1]->setText(" 0");
}

void frmXYEdit::LeereListeZeile() {
    Fuellen f(fuelleGrid_);
    Grid->SetRows(0);
    Grid->AddItem(std::string("\t\t") + kLeereListe);
    for (int c = kColNr; c <= kColY; ++c) Grid->SetCellPlain(0, c);  // no check box, nothing to edit
    Grid->SetCurrentCell(0, kColX);
}

void frmXYEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* frame = experiment::FrameOf(kName, this);
    if (!positioniert_) {
        positioniert_ = true;
        const QSize rand = frame != this ? frame->size() - size() : QSize(0, 0);
        frame->resize(Tw(kBreite) + rand.width(), Tw(kHoehe) + rand.height());
        frame->setFixedWidth(frame->width());
        frame->move(Tw(PosXYEdit.Left), Tw(PosXYEdit.Top));
    }
}

void frmXYEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The grid grows with the window; the bottom controls follow its lower edge.
void frmXYEdit::Form_Resize() {
    const int h = platform::PixelsToTwips(height());
    const int gridHoehe = std::max(kGridMinHoehe, h - kGridOben - kUntenBereich);
    PlaceTw(Grid, kGridLinks, kGridOben, kGridBreite, gridHoehe);
    const int unten = kGridOben + gridHoehe + 120;
    PlaceTw(fraXYComment, kGridLinks, unten, kGridBreite, 700);
    PlaceTw(txtComment, 120, 300, kGridBreite - 240, 320);
    PlaceTw(fraDraw, kRechts, unten - 300, kKnopfBreite, 1000);
    PlaceTw(cmdDrawXY, 120, 280, 1000, 380);
    PlaceTw(optIsPoints[kKurve], 1180, 280, 1480, 270);
    PlaceTw(optIsPoints[kPunkte], 1180, 600, 1480, 270);
    PlaceTw(cmdEsc, kGridLinks, unten + 900, 2000, 380);
    PlaceTw(cmdHelp, kRechts + kKnopfBreite - 1500, unten + 900, 1500, 380);
}

// Every close (button, Esc, close box, end of the program) offers to save unsaved points; Cancel,
// or a save that was cancelled or failed, keeps the window open.
void frmXYEdit::closeEvent(QCloseEvent* event) {
    if (ungespeichert_ && nXYPunkte > 0) {
        int cancel = kFalse;
        XYSaveFrage(cancel);
        if (cancel) {
            event->ignore();
            return;
        }
        ungespeichert_ = false;  // answered once for this closing
    }
    const QWidget* frame = experiment::FrameOf(kName, this);
    PosXYEdit.Top = platform::PixelsToTwips(frame->y());
    PosXYEdit.Left = platform::PixelsToTwips(frame->x());
    QWidget::closeEvent(event);
}

void frmXYEdit::cmdEsc_Click() { platform::Windows().UnloadOrClose(kName, this); }

void frmXYEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmXYEdit::cmdHelp_Click() { platform::ShowHelpContext(kHilfeKontext); }

// ---- Grid and buttons ---------------------------------------------------------------------------------------

void frmXYEdit::FillGrid() {
    {
        Fuellen f(fuelleGrid_);
        Grid->SetRows(0);
        nXYPunkte = std::clamp(nXYPunkte, 0, static_cast<int>(liste_.size()) - 1);
        for (int i = 1; i <= nXYPunkte; ++i) {
            const XYPunkt& p = liste_[static_cast<std::size_t>(i)];
            Grid->AddItem(Nr(i) + "\t\t" + ZellText(p.x) + "\t" + ZellText(p.y));
            Grid->SetChecked(i - 1, kColAus, p.status == -1);
        }
    }
    if (nXYPunkte > 0) {
        Grid->SetCurrentCell(0, kColX);
        Grid_RowColChange();
    }
}

void frmXYEdit::RefreshButtons() {
    const bool eins = nXYPunkte >= 1;
    const bool zwei = nXYPunkte >= 2;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdSave, cmdErase, cmdManip, cmdChangeXY, cmdPrint})
        w->setEnabled(eins);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdAus, XSort, YSort, optIsPoints[kKurve]}) w->setEnabled(zwei);
    optIsPoints[kPunkte]->setEnabled(eins);
    if (QWidget* main = platform::Windows().MainWindow()) {
        for (const char* name : {"mnuCopy2", "mnuErase2"}) {
            if (auto* entry = main->findChild<QAction*>(name)) entry->setEnabled(eins);
        }
    }
}

void frmXYEdit::SetzeKaption() {
    setWindowTitle(U("geladen: " + platform::FileNameForDisplay(XYDateiName) + " (" + Nr(nXYPunkte) + " Datenzeilen)"));
}

void frmXYEdit::FokusX() {
    if (isVisible()) y[0]->setFocus();
}

// The chosen option of the input mode, from code, with its click handling.
void frmXYEdit::WaehleModus(int index) {
    optInputMode[static_cast<std::size_t>(index)]->setChecked(true);
    optInputMode_Click(index);
}

void frmXYEdit::optInputMode_Click(int Index) {
    for (QRadioButton* o : optInputMode) {
        o->setStyleSheet(QString());
        SetBold(o, false);
    }
    if (nXYPunkte == 0 && Index != kModusZufuegen) {
        Index = kModusZufuegen;
        optInputMode[kModusZufuegen]->setChecked(true);
    }
    QRadioButton* gewaehlt = optInputMode[static_cast<std::size_t>(Index)];
    gewaehlt->setStyleSheet("background-color: rgb(255, 192, 128);");
    SetBold(gewaehlt, true);
    editModus_ = Index == kModusEditieren;
    if (!editModus_) {
        FokusX();
        R1->setTitle(U("Zufügen Zeile " + Nr(nXYPunkte + 1)));
        lblZeile->setText(U(" Zeile " + Nr(nXYPunkte + 1)));
    } else {
        Grid_RowColChange();
        R1->setTitle(U("Editieren Zeile " + Nr(aktZeile_)));
        FokusX();
    }
}

// Row selection: the current row goes into the input boxes.
void frmXYEdit::Grid_RowColChange() {
    if (fuelleGrid_ > 0 || nXYPunkte == 0) return;
    const int r = Grid->Row();
    if (r < 0 || r >= nXYPunkte) return;
    aktZeile_ = r + 1;
    XYPunkt& p = liste_[static_cast<std::size_t>(aktZeile_)];
    y[0]->setText(BoxText(p.x));
    y[1]->setText(BoxText(p.y));
    lblZeile->setText(U(" Zeile " + Nr(aktZeile_)));
    p.status = Grid->Checked(r, kColAus) ? -1.0f : 0.0f;
    if (editModus_) {
        R1->setTitle(U("Editieren Zeile " + Nr(aktZeile_)));
    } else {
        R1->setTitle(U("Zufügen von Zeile " + Nr(nXYPunkte + 1)));
        lblZeile->setText(U(" Zeile " + Nr(nXYPunkte + 1)));
    }
}

void frmXYEdit::y_Change(int Index) {
    const double v = platform::ValLocale(S(y[static_cast<std::size_t>(Index)]->text()));
    (Index == 0 ? xEingabe_ : yEingabe_) = v;
}

void frmXYEdit::OKinput_Click() {
    // A typed number beyond the range of a Single cannot be stored.
    if (!experiment::PasstInSingle(xEingabe_) || !experiment::PasstInSingle(yEingabe_)) {
        platform::Beep();
        return;
    }
    const bool warLeer = nXYPunkte == 0;
    int zeile = aktZeile_;
    if (!editModus_ || warLeer) {
        editModus_ = false;
        zeile = nXYPunkte + 1;
        liste_.resize(static_cast<std::size_t>(zeile + 1));
        liste_[static_cast<std::size_t>(zeile)] = XYPunkt{};
    }
    if (zeile < 1 || zeile >= static_cast<int>(liste_.size())) return;
    XYPunkt& p = liste_[static_cast<std::size_t>(zeile)];
    p.x = static_cast<float>(xEingabe_);
    p.y = static_cast<float>(yEingabe_);
    if (warLeer) {
        Fuellen f(fuelleGrid_);
        Grid->SetRows(0);
    }
    if (editModus_) {
        Fuellen f(fuelleGrid_);
        Grid->SetText(zeile - 1, kColX, ZellText(p.x));
        Grid->SetText(zeile - 1, kColY, ZellText(p.y));
        R1->setTitle(U("Editieren Zeile " + Nr(zeile)));
        lblZeile->setText(U("Zeile " + Nr(zeile)));
    } else {
        {
            Fuellen f(fuelleGrid_);
            Grid->AddItem(Nr(zeile) + "\t\t" + ZellText(p.x) + "\t" + ZellText(p.y));
        }
        nXYPunkte += 1;
        R1->setTitle(U("Zufügen von Zeile " + Nr(nXYPunkte + 1)));
        lblZeile->setText(U("Zeile " + Nr(nXYPunkte + 1)));
        Grid->SetCurrentCell(zeile - 1, kColX);
        Grid->ShowCell(zeile - 1, kColX);
    }
    RefreshButtons();
    ungespeichert_ = true;
    FokusX();
}

void frmXYEdit::Grid_CellChanged(int Row, int Col) {
    if (fuelleGrid_ > 0 || Col != kColAus || Row < 0 || Row >= nXYPunkte) return;
    aktZeile_ = Row + 1;
    float& status = liste_[static_cast<std::size_t>(aktZeile_)].status;
    const float neu = Grid->Checked(Row, kColAus) ? -1.0f : 0.0f;
    if (status != neu) ungespeichert_ = true;
    status = neu;
}

// A cell value goes into the list when the editing of the cell ends, however it ends.
void frmXYEdit::TakeCell(int Row, int Col) {
    if (Row < 0 || Row >= nXYPunkte || (Col != kColX && Col != kColY)) return;
    const std::string text = platform::WithDecimalPoint(Grid->Text(Row, Col));
    const float v = ZellWert(text);
    y[Col == kColX ? 0 : 1]->setText(U(text));
    XYPunkt& p = liste_[static_cast<std::size_t>(Row + 1)];
    float& feld = Col == kColX ? p.x : p.y;
    if (feld != v) ungespeichert_ = true;
    feld = v;
}

void frmXYEdit::Grid_AfterEdit(int Row, int Col) {
    if (fuelleGrid_ > 0) return;
    if (Col == kColAus) {
        Grid_CellChanged(Row, Col);
        return;
    }
    TakeCell(Row, Col);
}

void frmXYEdit::Grid_KeyPressEdit(int Row, int Col, int& KeyAscii) {
    if (nXYPunkte == 0 || Row >= nXYPunkte || (Col != kColX && Col != kColY)) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii == 13) {
        TakeCell(Row, Col);
    } else {
        int key = KeyAscii;
        if (!CheckNumKey(key)) {
            KeyAscii = 0;
            return;
        }
        KeyAscii = key == '.' ? (DezKomma ? ',' : '.') : key;
    }
    ungespeichert_ = true;
    lblZeile->setText(U("Zeile " + Nr(Row + 1)));
}

void frmXYEdit::Grid_KeyDown(int& KeyCode, int Shift) {
    const bool ctrl = (Shift & 2) != 0;
    if (ctrl && KeyCode == 'C') {
        cmdClipboard_Click();
        KeyCode = 0;
    } else if (ctrl && KeyCode == 'V') {
        // The pasted cells are taken into the list at once, so that grid and list never differ.
        cmdClipEinfuegen_Click();
        KeyCode = 0;
    } else if (KeyCode == 46) {
        cmdErase_Click();
        KeyCode = 0;
    }
}

void frmXYEdit::Grid_MouseUp(int Button, int /*Shift*/, int /*x*/, int /*y*/) {
    Grid_RowColChange();
    if (Button != 2) return;
    QWidget* main = platform::Windows().MainWindow();
    if (auto* menu = main ? main->findChild<QMenu*>("mnuEdit2") : nullptr) menu->popup(QCursor::pos());
}

// ---- List operations -------------------------------------------------------------------------------------------

void frmXYEdit::cmdAus_Click() {
    if (nXYPunkte == 0) {
        platform::Beep();
        return;
    }
    if (aktZeile_ < 1 || aktZeile_ > nXYPunkte) return;
    XYPunkt& p = liste_[static_cast<std::size_t>(aktZeile_)];
    p.status = static_cast<float>(~static_cast<int>(p.status));
    ungespeichert_ = true;
    Fuellen f(fuelleGrid_);
    Grid->SetChecked(aktZeile_ - 1, kColAus, p.status == -1);
}

void frmXYEdit::cmdErase_Click() {
    if (nXYPunkte == 0) {
        platform::Beep();
        RefreshButtons();
        return;
    }
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!Grid->SelectedBlock(r1, c1, r2, c2)) {
        platform::MsgBox("keine Markierung!", platform::MsgCritical, kNichtMoeglich);
        return;
    }
    const int von = r1 + 1;
    const int bis = std::min(r2 + 1, nXYPunkte);
    const std::string frage = von == bis ? "Zeile " + Nr(von) + " wirklich entfernen?"
                                         : "Zeilen " + Nr(von) + " bis " + Nr(bis) + " wirklich entfernen?";
    if (platform::MsgBox(frage, platform::MsgQuestion + platform::MsgYesNo, "WARNUNG") != platform::AnswerYes) return;

    experiment::EntferneXY(liste_, nXYPunkte, von, bis);
    if (!editModus_) R1->setTitle(U("Zufügen Zeile " + Nr(nXYPunkte + 1)));
    ungespeichert_ = true;
    SetzeKaption();
    FillGrid();
    if (nXYPunkte == 0) {
        LeereListeZeile();
        y[0]->setText("0");
        y[1]->setText("0");
        WaehleModus(kModusZufuegen);
        lblZeile->setText("Zeile 1");
    }
    RefreshButtons();
}

void frmXYEdit::cmdEraseSelected_Click() {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (nXYPunkte == 0 || !Grid->SelectedBlock(r1, c1, r2, c2)) return;
    {
        Fuellen f(fuelleGrid_);
        for (int r = r1; r <= std::min(r2, nXYPunkte - 1); ++r) {
            for (int c = c1; c <= c2; ++c) {
                if (c != kColAus) Grid->SetText(r, c, "0");
                if (c == kColX) liste_[static_cast<std::size_t>(r + 1)].x = 0;
                if (c == kColY) liste_[static_cast<std::size_t>(r + 1)].y = 0;
            }
        }
    }
    ungespeichert_ = true;
    FillGrid();
}

void frmXYEdit::Sortiere(bool nachY) {
    if (nXYPunkte == 0) {
        platform::Beep();
        return;
    }
    experiment::SortiereXY(liste_, nXYPunkte, nachY);
    ungespeichert_ = true;
    FillGrid();
}

void frmXYEdit::XSort_Click() { Sortiere(false); }
void frmXYEdit::YSort_Click() { Sortiere(true); }

void frmXYEdit::cmdChangeXY_Click() {
    experiment::TauscheXY(liste_, nXYPunkte);
    if (nXYPunkte > 0) ungespeichert_ = true;
    FillGrid();
}

void frmXYEdit::cmdManip_Click() {
    fraManipulation->setVisible(fraManipulation->isHidden());
    fraManipulation->raise();
}

void frmXYEdit::cmdCloseManip_Click() { fraManipulation->hide(); }

void frmXYEdit::optManip_Click(int Index) {
    manipulation_ = Index;
    const bool mitW = Index == experiment::kYMalW || Index == experiment::kYPlusW;
    txtW->setEnabled(mitW);
    lblW->setEnabled(mitW);
}

void frmXYEdit::cmdExecManip_Click() {
    const double W = platform::ValLocale(S(txtW->text()));
    ErrorKind fehler = ErrorKind::Overflow;
    if (!experiment::UmrechnenXY(liste_, nXYPunkte, manipulation_, W, fehler)) {
        platform::MsgBox(ErrorDescription(fehler) + CrLf + CrLf +
                             "Mit den vorliegenden Daten ist diese Aktion nicht ausführbar." + CrLf +
                             "(Die problematischen Punkte können \"inaktiv\" gesetzt (=> Häkchen in Checkbox)" +
                             CrLf + "oder gelöscht werden.)",
                         platform::MsgCritical, kNichtMoeglich);
        return;
    }
    ungespeichert_ = true;
    FillGrid();
}

// ---- Drawing --------------------------------------------------------------------------------------------------

void frmXYEdit::cmdDrawXY_Click() {
    if (nXYPunkte == 0) {
        platform::MsgBox("leere Datenliste", platform::MsgCritical, kNichtMoeglich);
        return;
    }
    const int m = experiment::AktivePunkte(liste_, nXYPunkte, XYZeichenPunkte);
    if (m == 0) {
        platform::MsgBox("leere Liste!", platform::MsgCritical, kNichtMoeglich);
        return;
    }
    if (m == 1) optIsPoints[kPunkte]->setChecked(true);
    const bool kurve = optIsPoints[kKurve]->isChecked();
    const char* knopf = kurve ? "cmdManuKurve" : "cmdExternPoints";

    if (IsFormLoaded(kDiagramm)) {
        DiagRec.Quelle = 2;
        platform::Forms().Click(kDiagramm, knopf, -1);
        return;
    }
    DiagRec.SonderFenster = true;
    aktDiagrammCode = 0;
    experiment::AchsenbereichXY(XYZeichenPunkte, m, DiagRec.xMin, DiagRec.xMax, DiagRec.yMin, DiagRec.yMax);
    DiagRec.Header = "Punkte x - y";
    DiagRec.xTitel = "x";
    DiagRec.yTitel = "y";
    ZeichnenOffen = 0;  // the window's set-up draws no curve of its own
    if (!platform::Windows().Show(kDiagramm)) return;
    if (auto* diagramm = diagram::frmTGraph2D::Geladen()) diagramm->SetStatusText("");
    platform::Forms().SetVisible(kDiagramm, "StatusBar2", -1, false);
    platform::Forms().SetEnabled(kDiagramm, "cmdDraw", -1, false);
    DiagRec.Quelle = 2;
    platform::Forms().Click(kDiagramm, knopf, -1);
    if (kurve && aktKurve >= 0 && aktKurve <= kMaxKurven) KurvenFarbe[static_cast<std::size_t>(aktKurve)] = FarbVorwahl;
    platform::Windows().Show(kDiagramm);
}

// ---- Files, printing and clipboard ----------------------------------------------------------------------------

void frmXYEdit::XYSaveFrage(int& Cancel) {
    const int antwort = platform::MsgBox(
        "Die Daten wurden noch nicht gespeichert." + CrLf + CrLf + "Jetzt speichern?",
        platform::MsgYesNoCancel + platform::MsgExclamation, "WARNUNG");
    if (antwort == platform::AnswerYes) {
        SaveXY(Cancel);
        if (!Cancel) ungespeichert_ = false;
    } else if (antwort == platform::AnswerCancel) {
        Cancel = kTrue;
    }
}

void frmXYEdit::LadeXY(std::string& FileTitle, int& Cancel) {
    shell::FileRequest request;
    request.caption = "(Kurven)punkte vom File laden";
    request.pattern = "*.XY;*.LRG";
    request.filter = "x-y-Daten (*.XY);;(*.LRG)";
    request.directory = XYPfad;
    request.proposal = XYDateiName;
    request.defaultSuffix = "XY";
    std::string gewaehlt;
    if (!shell::ChooseFileToOpen(request, gewaehlt) || gewaehlt.empty()) {
        Cancel = kTrue;
        return;
    }
    // The list is replaced only by a file that was read completely and holds points.
    experiment::XYDateiInhalt inhalt;
    std::string fehler;
    if (!experiment::LeseXYDatei(gewaehlt, inhalt, fehler)) {
        platform::MsgBox(fehler + CrLf + "Die Liste bleibt unverändert.", platform::MsgCritical, kNichtMoeglich);
        Cancel = kTrue;
        return;
    }
    // Unsaved points are not given up without a question.
    if (ungespeichert_ && nXYPunkte > 0) {
        XYSaveFrage(Cancel);
        if (Cancel) return;
    }
    XYDateiName = gewaehlt;
    XYPfad = experiment::XYVerzeichnis(gewaehlt);
    FileTitle = gewaehlt.substr(XYPfad.size());
    txtComment->setText(U(inhalt.kommentar));
    liste_ = inhalt.punkte;
    nXYPunkte = inhalt.Anzahl();
    RefreshButtons();
}

void frmXYEdit::cmdLoad_Click() {
    std::string titel;
    int cancel = kFalse;
    LadeXY(titel, cancel);
    if (cancel) return;
    SetzeKaption();
    FillGrid();
    Grid->SetCurrentCell(0, kColX);
    WaehleModus(kModusEditieren);
    lblZeile->setText("Zeile 1");
    ungespeichert_ = false;
}

void frmXYEdit::SaveXY(int& Cancel) {
    if (nXYPunkte == 0) {
        platform::Beep();
        return;
    }
    shell::FileRequest request;
    request.caption = "(Kurven)punkte speichern unter ...";
    request.pattern = "*.XY";
    request.filter = "x-y-Daten (*.XY)";
    request.directory = AppPath;
    request.proposal = XYDateiName;
    request.defaultSuffix = "XY";
    std::string gewaehlt;
    if (!shell::ChooseFileToSave(request, gewaehlt) || gewaehlt.empty()) {
        Cancel = kTrue;
        return;
    }
    XYTrenner = experiment::kXYTrennerSchreiben;
    std::string fehler;
    if (!experiment::SchreibeXYDatei(gewaehlt, S(txtComment->text()), liste_, nXYPunkte, fehler)) {
        platform::MsgBox(fehler, platform::MsgCritical, "Message from Sub SaveXY");
        Cancel = kTrue;  // nothing was saved, and no file is named for the list
        return;
    }
    XYDateiName = gewaehlt;
    XYPfad = experiment::XYVerzeichnis(gewaehlt);
}

void frmXYEdit::cmdSave_Click() {
    if (nXYPunkte == 0) {
        platform::Beep();
        return;
    }
    int cancel = kFalse;
    SaveXY(cancel);
    // Only a written file counts as saved.
    if (!cancel) ungespeichert_ = false;
}

void frmXYEdit::cmdPrint_Click() {
    QString stempel;
    const QFileInfo datei(U(XYDateiName));
    if (!XYDateiName.empty() && datei.exists())
        stempel = datei.lastModified().toString("dd.MM.yyyy hh:mm") + " Uhr";
    else
        stempel = QDateTime::currentDateTime().toString("dd.MM.yyyy, hh:mm") + " Uhr";
    const std::vector<std::string> zeilen =
        experiment::XYDruckZeilen(XYDateiName, S(stempel), liste_, nXYPunkte);

    QStringList text;
    for (const std::string& z : zeilen) text << U(z);
    platform::PrintTextLines(text, PrinterSetupSlot());
}

void frmXYEdit::cmdClipboard_Click() {
    QClipboard* clip = QApplication::clipboard();
    clip->clear();
    clip->setText(U(Grid->ClipText()));
}

void frmXYEdit::cmdClipEinfuegen_Click() {
    const std::string text = S(QApplication::clipboard()->text());
    if (text.empty()) return;
    const int zeilen = platform::Grid::LineCount(text);
    const int r = std::max(Grid->Row(), 0);
    const int c = Grid->Col() < 0 ? kColX : Grid->Col();
    {
        Fuellen f(fuelleGrid_);
        if (nXYPunkte == 0) Grid->SetRows(0);  // the "leere Liste" row gives way to rows with check boxes
        if (r + zeilen > nXYPunkte) {
            nXYPunkte = r + zeilen;
            liste_.resize(static_cast<std::size_t>(nXYPunkte + 1));
        }
        Grid->SetRows(nXYPunkte);
        Grid->Select(r, c, nXYPunkte - 1, kColY);
        Grid->SetClipText(text);
        // A final line end leaves an empty last row; a row holding numbers is kept whatever they are.
        const int letzte = nXYPunkte - 1;
        if (nXYPunkte > 1 && Trim(Grid->Text(letzte, kColX)).empty() && Trim(Grid->Text(letzte, kColY)).empty()) {
            nXYPunkte -= 1;
            Grid->SetRows(nXYPunkte);
            liste_.resize(static_cast<std::size_t>(nXYPunkte + 1));
        }
        for (int i = 1; i <= nXYPunkte; ++i) {
            Grid->SetText(i - 1, kColNr, Nr(i));
            XYPunkt& p = liste_[static_cast<std::size_t>(i)];
            p.x = ZellWert(Grid->Text(i - 1, kColX));
            p.y = ZellWert(Grid->Text(i - 1, kColY));
        }
    }
    Grid->SetCurrentCell(0, kColX);
    WaehleModus(kModusEditieren);
    lblZeile->setText("Zeile 1");
    if (Grid->Text(Grid->Row(), Grid->Col()) == kLeereListe) Grid->SetText(Grid->Row(), Grid->Col(), "");
    ungespeichert_ = true;  // pasted points must not be lost without a question
    RefreshButtons();
}

// ---- Input boxes --------------------------------------------------------------------------------------------

bool frmXYEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtComment) {
        if (event->type() != QEvent::KeyPress) return false;
        const int k = static_cast<QKeyEvent*>(event)->key();
        return k == Qt::Key_Return || k == Qt::Key_Enter;  // the comment stays one line
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    const int index = watched == y[0] ? 0 : watched == y[1] ? 1 : watched == txtW ? 2 : -1;
    if (!box || index < 0) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) experiment::SelectAllLater(box);
    if (event->type() != QEvent::KeyPress) return false;
    int key = 0;
    const experiment::NumKey r = experiment::FilterNumKey(box, static_cast<QKeyEvent*>(event), key);
    if (index == 2) return r != experiment::NumKey::Pass;
    if (r == experiment::NumKey::Dropped) {
        if (key == '+') OKinput_Click();
        return true;
    }
    if (r == experiment::NumKey::Taken) return true;
    if (key == 13) {
        if (index == 0) {
            y[1]->setFocus();
        } else {
            OKinput_Click();
            y[0]->setFocus();
        }
        return true;
    }
    return false;
}
