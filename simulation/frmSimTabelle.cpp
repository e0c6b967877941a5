#include "simulation/frmSimTabelle.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cmath>

#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/TextPrint.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"
#include "shell/FileChoice.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmSimTabelle";
const platform::FormRegistration registration(kName, platform::FormKind::Dialog, [] { return new frmSimTabelle; });

constexpr int kZellBreite = 14;             // every cell of the table has 14 characters
const std::string kEinzug(6, ' ');          // each table line starts with six blanks
constexpr int kStartBreite = 9000;          // window size in twips when it opens
constexpr int kStartHoehe = 6600;
constexpr int kMinHoehe = 1500;             // below this the text box would have no height

frmSimTabelle::PrinterSetup& PrinterSetupSlot() {
    static frmSimTabelle::PrinterSetup setup;
    return setup;
}

// The text cut after the 14th character or padded with blanks to 14 characters.
std::string Zelle(const std::string& text) {
    std::string cell;
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {  // a character starts here
            if (chars == kZellBreite) break;
            ++chars;
        }
        cell += text[i];
    }
    cell.append(static_cast<std::size_t>(kZellBreite - chars), ' ');
    return cell;
}

// Species column of the table: header of the concentration table and species slot of its array.
struct Spalte {
    const char* kopf = nullptr;   // null: the column stays blank
    const char* rateKopf = nullptr;
    int slot = 0;
};

const Spalte kA{"cA/(mol/L)", "r(A)/(mol/L/", 1};
const Spalte kB{"cB/(mol/L)", "r(B)/(mol/L/", 2};
const Spalte kC{"cC/(mol/L)", "r(C)/(mol/L/", 3};
const Spalte kP{"cP/(mol/L)", "r(P)/(mol/L/", 4};
const Spalte kQ{"cQ/(mol/L)", "r(Q)/(mol/L/", 5};
const Spalte kE{"cE/(mol/L)", "r(E)/(mol/L/", 1};
const Spalte kS{"cS/(mol/L)", "r(S)/(mol/L/", 2};
const Spalte kES{"cES/(mol/L)", "r(ES)/(mol/L/", 3};
const Spalte kLeer{};

// Columns 2..5 of the table by model.
std::array<Spalte, 4> SpaltenDesModells(int model) {
    switch (model) {
    case 1: case 2: case 3: case 5: case 8: case 20: return {kA, kLeer, kLeer, kP};
    case 4: case 12: case 17: return {kA, kB, kLeer, kP};
    case 6: case 14: case 15: return {kA, kLeer, kC, kP};
    case 7: case 9: case 13: case 18: return {kA, kB, kC, kP};
    case 10: return {kE, kS, kES, kP};
    case 11: case 16: return {kA, kLeer, kP, kQ};
    case 19: return {kA, kB, kP, kQ};
    default: return {kLeer, kLeer, kLeer, kLeer};
    }
}

std::string Zeile(const std::array<std::string, 5>& cells) {
    std::string line = kEinzug;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += '\t';
        line += cells[i];
    }
    return line;
}

template <typename T>
std::string WertText(const std::vector<T>& curve, int i) {
    const auto idx = static_cast<std::size_t>(i);
    const double v = idx < curve.size() ? static_cast<double>(curve[idx]) : 0.0;
    return platform::CStrSingle(static_cast<float>(v));
}

// Text box lines end in "\n"; the table text keeps CR LF as the files and the printer want it.
std::string MitCrLf(const QString& boxText) {
    std::string text;
    for (const char ch : boxText.toStdString()) {
        if (ch == '\n') text += "\r\n";
        else if (ch != '\r') text += ch;
    }
    return text;
}

QString FuerTextfeld(const std::string& text) {
    QString t = QString::fromStdString(text);
    t.remove(QLatin1Char('\r'));
    return t;
}

}  // namespace

frmSimTabelle::frmSimTabelle(QWidget* parent) : QDialog(parent) {
    setObjectName(kName);
    setWindowTitle(QString::fromUtf8("  Ergebnis der Modellrechnung"));
    setModal(true);
    resize(Tw(kStartBreite), Tw(kStartHoehe));

    txtSimTabelle = new QPlainTextEdit(this);
    txtSimTabelle->setObjectName("txtSimTabelle");
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    txtSimTabelle->setFont(courier);
    // Tab stops every eight characters, as in a plain text editor.
    txtSimTabelle->setTabStopDistance(8 * QFontMetricsF(txtSimTabelle->font()).horizontalAdvance(QLatin1Char(' ')));
    txtSimTabelle->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtSimTabelle->setToolTip(QString::fromUtf8(" Rechte Maustaste: Kopieren in Zwischenablage möglich "));
    // Wide enough to show a whole table line (indent, five cells at tab stops of eight) without
    // scrolling sideways.
    int zeichen = static_cast<int>(kEinzug.size());
    for (int zelle = 1; zelle < 5; ++zelle) zeichen = ((zeichen + kZellBreite) / 8 + 1) * 8;
    zeichen += kZellBreite + 3;
    const int textBreite = static_cast<int>(std::ceil(
        zeichen * QFontMetricsF(txtSimTabelle->font()).horizontalAdvance(QLatin1Char(' ')) +
        2 * txtSimTabelle->document()->documentMargin()));
    const int boxBreite = textBreite + 2 * txtSimTabelle->frameWidth() +
                          txtSimTabelle->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, txtSimTabelle);
    resize(std::max(width(), boxBreite + Tw(120)), height());

    auto button = [this](const char* name, const char* caption, const char* tip) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        if (tip) b->setToolTip(QString::fromUtf8(tip));
        return b;
    };
    cmdClipboard = button("cmdClipboard", "Copy to Clipboard",
                          "... hier nur die gesamte Tabelle; für einen Ausschnitt nutze \"Copy & Paste\" nach Markierung ");
    cmdSaveTable = button("cmdSaveTable", "File schreiben", " .TXT-File mit Trennzeichen Tab ");
    cmdPrint = button("cmdPrint", "Tabelle drucken", nullptr);
    cmdCloseSimTab = button("cmdCloseSimTab", "Schließen <Esc>", nullptr);
    Label1 = new QLabel(QString::fromUtf8("Tabelle kann editiert werden; Werte können in eine Excel-Tabelle kopiert werden"),
                        this);
    Label1->setObjectName("Label1");

    connect(txtSimTabelle, &QPlainTextEdit::textChanged, this, &frmSimTabelle::txtSimTabelle_Change);
    connect(cmdClipboard, &QPushButton::clicked, this, &frmSimTabelle::cmdClipboard_Click);
    connect(cmdSaveTable, &QPushButton::clicked, this, &frmSimTabelle::cmdSaveTable_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmSimTabelle::cmdPrint_Click);
    connect(cmdCloseSimTab, &QPushButton::clicked, this, &frmSimTabelle::cmdCloseSimTab_Click);

    Form_Load();
}

bool frmSimTabelle::IsRegistered() { return platform::Windows().IsRegistered(kName); }

void frmSimTabelle::ShowModal() {
    platform::Windows().ShowModal(kName);
    // A dialog closed by Esc is only hidden; the next table starts afresh.
    platform::Windows().Unload(kName);
}

void frmSimTabelle::SetPrinterSetup(PrinterSetup setup) { PrinterSetupSlot() = std::move(setup); }

void frmSimTabelle::Form_Load() { move(Tw(PosSimTabelle.Left), Tw(PosSimTabelle.Top)); }

std::string frmSimTabelle::BuildTableText() {
    const bool enzym = aktModell == 10 && MMDiagramm != 0;
    const bool rate = !enzym && RateDiagramm != 0;
    const std::array<Spalte, 4> spalten = SpaltenDesModells(aktModell);

    std::array<std::string, 5> kopf;
    if (enzym) {
        kopf = {Zelle(MMNormiert != 0 ? "c(S))/KM (norm.)" : "c(S))/ (mol/L)"), Zelle(""), Zelle(""), Zelle(""),
                Zelle("rP/rP,max")};
    } else {
        kopf[0] = Zelle(" t/" + ZeitEinheit);
        for (std::size_t c = 0; c < spalten.size(); ++c) {
            const Spalte& s = spalten[c];
            if (s.kopf == nullptr) kopf[c + 1] = Zelle("");
            else kopf[c + 1] = Zelle(rate ? std::string(s.rateKopf) + ZeitEinheit + ")" : std::string(s.kopf));
        }
    }

    std::string text = CrLf + Zeile(kopf) + CrLf;
    if (enzym || rate) text += CrLf;

    for (int i = 0; i <= nZeitPunkte; ++i) {
        std::array<std::string, 5> cells;
        const auto idx = static_cast<std::size_t>(i);
        cells[0] = Zelle(platform::Format(idx < tWerte.size() ? tWerte[idx] : 0.0, "#####0.00"));
        for (std::size_t c = 0; c < spalten.size(); ++c) {
            const Spalte& s = spalten[c];
            if (enzym) {
                cells[c + 1] = Zelle(c == 3 ? WertText(rKurveP, i) : "");
            } else if (s.kopf == nullptr) {
                cells[c + 1] = Zelle("");
            } else {
                cells[c + 1] = Zelle(rate ? WertText(rKurve(s.slot), i) : WertText(cKurve(s.slot), i));
            }
        }
        text += CrLf + Zeile(cells);
    }
    return text;
}

void frmSimTabelle::Form_Resize() {
    const int h = height() * simulation::kTwipsPerPixel;
    if (h >= kMinHoehe) {
        const int w = width() * simulation::kTwipsPerPixel;
        PlaceTw(txtSimTabelle, 60, 60, w - 120, h - 1500);
        PlaceTw(Label1, 120, h - 1420, w - 240, 300);
        const int buttonWidth = (w - 120 - 3 * 120) / 4;
        QPushButton* buttons[] = {cmdClipboard, cmdSaveTable, cmdPrint, cmdCloseSimTab};
        for (int i = 0; i < 4; ++i) PlaceTw(buttons[i], 60 + i * (buttonWidth + 120), h - 1060, buttonWidth, 420);
    }
    simTabelleText_ = BuildTableText();
    txtSimTabelle->setPlainText(FuerTextfeld(simTabelleText_));
}

void frmSimTabelle::txtSimTabelle_Change() { simTabelleText_ = MitCrLf(txtSimTabelle->toPlainText()); }

void frmSimTabelle::cmdClipboard_Click() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(txtSimTabelle->toPlainText());
}

// Writes the table as one quoted line. Cancel in the dialog ends silently; a file that cannot be
// written is reported.
void frmSimTabelle::cmdSaveTable_Click() {
    shell::FileRequest request;
    request.caption = "Tabelle speichern unter ...";
    request.filter = "Text (*.TXT)";
    request.pattern = "*.TXT";
    request.directory = AppPath;
    if (!TabellenDatei.empty()) request.proposal = AppPath + "/" + TabellenDatei;
    request.defaultSuffix = "TXT";
    std::string path;
    if (!shell::ChooseFileToSave(request, path) || path.empty()) return;

    std::string title = path;
    TabellenDatei = FileNameOnly(title);
    std::string error;
    if (!platform::WriteText(path, "\"" + simTabelleText_ + "\"" + CrLf, error))
        platform::MsgBox(error, platform::MsgCritical, "Meldung von Sub cmdSaveTable");
}

// Prints the table text in Courier New 10 pt on the default printer; a new page starts when the
// text runs past the end of the page.
void frmSimTabelle::cmdPrint_Click() {
    const QString text = QString::fromStdString(simTabelleText_ + CrLf);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();  // the final line end closes the last line
    platform::PrintTextLines(lines, PrinterSetupSlot(), Qt::AlignLeft | Qt::TextExpandTabs);
}

void frmSimTabelle::cmdCloseSimTab_Click() {
    platform::Windows().UnloadOrClose(kName, this);
}

void frmSimTabelle::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmSimTabelle::SavePosition() {
    PosSimTabelle.Left = x() * simulation::kTwipsPerPixel;
    PosSimTabelle.Top = y() * simulation::kTwipsPerPixel;
}

void frmSimTabelle::closeEvent(QCloseEvent* event) {
    SavePosition();
    QDialog::closeEvent(event);
}

void frmSimTabelle::done(int result) {
    SavePosition();
    QDialog::done(result);
}
