#include "shell/frmProtokoll.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <filesystem>

#include "kernel/ResultRows.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"
#include "shell/ProtocolName.h"

using namespace kernel;

namespace {

const platform::FormRegistration registration("frmProtokoll", platform::FormKind::MdiChild,
                                              [] { return new frmProtokoll; });

constexpr int kHelpProtocol = 8520;
const char* const kHeader =
    "no. casc;c_beg(A);c_beg(B);c_beg(C);c_beg(P); c_beg(Q);c_end(A);c_end(B);c_end(C);c_end(P); c_end(Q);"
    "k1; k2; k3;U(A);t; l; V; V*;v; ksi(1); ksi(2)";

// Calling windows in the order they are looked for; the code is the position from 1.
const char* const kCallers[] = {"frmPrepareTimeDiagram", "frmRKconti", "frmBatch",
                                "frmRohrreaktor",        "frmKaskade", "frmTFitting"};
constexpr int kCascadeCode = 5;

std::vector<std::string> ColumnNames() {
    std::vector<std::string> names;
    std::string rest = kHeader;
    for (auto pos = rest.find(';'); pos != std::string::npos; pos = rest.find(';')) {
        names.push_back(rest.substr(0, pos));
        rest.erase(0, pos + 1);
    }
    names.push_back(rest);
    return names;
}

// Columns 1..10 follow the species of the recorded rows' model; the others are written when a
// recorded row holds a value in them.
std::array<bool, kProtokollSpalten> WrittenColumns() {
    const std::string& mask = ProtArt.maske;
    std::array<bool, kProtokollSpalten> written{};
    for (int col = 0; col < kProtokollSpalten; ++col) {
        if (col >= 1 && col <= 10) {
            const std::size_t digit = static_cast<std::size_t>((col - 1) % 5);
            written[static_cast<std::size_t>(col)] = digit < mask.size() && mask[digit] != '0';
            continue;
        }
        // Any value counts, so that values of both signs cancelling out keep their column.
        for (int row = 1; row <= ProtZeilen; ++row)
            if (ProtDaten[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] != 0.0f)
                written[static_cast<std::size_t>(col)] = true;
    }
    return written;
}

std::string ReactorLine(int callerCode) {
    switch (callerCode) {
    case 2: return "Calculation of a Continuous Stirred Tank Reactor (CSTR)";
    case 3: return "Calculation of a Batch Reactor";
    case 4: return "Calculation of a Tubular Flow Reactor (TFR)";
    case 5: return "Calculation of a Stirred Tank-in-series Reactor";
    default: return {};
    }
}

void AppendRow(const ProtokollZeile& row) {
    ProtDaten.resize(static_cast<std::size_t>(ProtZeilen) + 1);
    ProtDaten.push_back(row);
    ++ProtZeilen;
}

QString SeparatorName(int index) {
    static const char* const names[] = {"Semikolon", "Komma", "Tab"};
    return names[index];
}

}  // namespace

frmProtokoll::frmProtokoll(QWidget* parent) : QWidget(parent) {
    setObjectName("frmProtokoll");
    setWindowTitle("  Ergebnis-Protokoll schreiben");

    cmdRecordResult = new QPushButton("Ergebnis-Protokoll schreiben", this);
    cmdRecordResult->setObjectName("cmdRecordResult");
    cmdOpenNew = new QPushButton("File schließen / neues File öffnen;  Protokoll-Text zum Clipboard senden", this);
    cmdOpenNew->setObjectName("cmdOpenNew");
    cmdClose = new QPushButton("Schließen <Esc> ", this);
    cmdClose->setObjectName("cmdClose");
    cmdHelp = new QPushButton("Hilfe", this);
    cmdHelp->setObjectName("cmdHelp");
    auto* fraSep = new QGroupBox("Trennzeichen für CSV-Datei", this);
    fraSep->setObjectName("fraSep");
    cmbSep = new QComboBox(fraSep);
    cmbSep->setObjectName("cmbSep");
    auto* label1 = new QLabel("File geöffnet:", this);
    label1->setObjectName("Label1");
    lblProtText2 = new QLabel(this);
    lblProtText2->setObjectName("lblProtText2");

    auto* sepLayout = new QHBoxLayout(fraSep);
    sepLayout->addWidget(cmbSep);
    auto* fileLine = new QHBoxLayout;
    fileLine->addWidget(label1);
    fileLine->addWidget(lblProtText2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fraSep);
    bottom->addStretch(1);
    bottom->addWidget(cmdHelp);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cmdRecordResult);
    layout->addLayout(fileLine);
    layout->addWidget(cmdOpenNew);
    layout->addLayout(bottom);
    resize(520, 170);

    connect(cmdRecordResult, &QPushButton::clicked, this, [this] { cmdRecordResult_Click(); });
    connect(cmdOpenNew, &QPushButton::clicked, this, [this] { cmdOpenNew_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, this, [this] { cmdClose_Click(); });

    Form_Load();
    connect(cmbSep, &QComboBox::currentIndexChanged, this, [this] { cmbSep_Click(); });
}

void frmProtokoll::Form_Load() {
    lblProtText2->setText(QString::fromStdString(platform::FileNameForDisplay(ProtFile)));
    cmdOpenNew->setEnabled(ProtOffen != kFalse);

    ProtSep = ";";
    for (int i = 0; i < 3; ++i) cmbSep->addItem(SeparatorName(i));
    cmbSep->setCurrentIndex(0);

    protAufrufCode_ = 0;
    protAufrufFenster_.clear();
    int code = 0;
    for (const char* caller : kCallers) {
        ++code;
        if (IsFormLoaded(caller)) {
            protAufrufCode_ = code;
            protAufrufFenster_ = caller;
            break;
        }
    }
}

void frmProtokoll::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    PlaceBesideCaller();
}

void frmProtokoll::PlaceBesideCaller() {
    // At the caller's right edge, bottom lines level.
    if (protAufrufFenster_.empty()) return;
    const QWidget* caller = platform::Windows().Frame(protAufrufFenster_);
    QWidget* frame = platform::Windows().Frame("frmProtokoll");
    if (!caller || !frame || frame->parentWidget() != caller->parentWidget()) return;
    const QRect c = caller->frameGeometry();
    const int left = c.x() + c.width() - platform::TwipsToPixels(40);
    const int top = c.y() + c.height() - frame->frameGeometry().height();
    frame->move(left, std::max(0, top));
}

void frmProtokoll::cmbSep_Click() {
    static const char* const separators[] = {";", ",", "\t"};
    const int index = cmbSep->currentIndex();
    if (index >= 0 && index < 3) ProtSep = separators[index];
}

void frmProtokoll::cmdRecordResult_Click() {
    if (ProtSep == "," && DezKomma) {
        platform::MsgBox("Bei Computereinstellung \"Deutschland\" (Dezimalzeichen Komma)\r\n"
                         "ist Komma als Dateitrennzeichen nicht sinnvoll; der Clipboard-Inhalt\r\n"
                         "ist nicht mehr Excel-kompatibel.\r\n"
                         "Empfehlung: Semikolon",
                         platform::MsgExclamation, "Warnung");
    }
    // Only the result the calling window shows now can be recorded.
    const std::vector<ProtokollZeile> rows = ErgebnisZeilenVon(protAufrufFenster_);
    if (rows.empty()) {
        platform::MsgBox("Kein aktuelles Ergebnis vorhanden.", platform::MsgInformation, "Hinweis");
        return;
    }
    // A file holds rows of one reactor, model, species set and time unit: rows of another kind
    // close the pending file first.
    if (ProtOffen && ProtZeilen > 0 && !(ProtArt == ErgebnisZeilenArt())) {
        cmdOpenNew_Click();
        if (ProtOffen) return;  // the pending rows could not be written; the user was told
    }
    ProtArt = ErgebnisZeilenArt();
    ProtOffen = kTrue;
    cmdOpenNew->setEnabled(true);
    for (const ProtokollZeile& row : rows) AppendRow(row);
}

std::string frmProtokoll::ProtPath() {
    if (ProtFile.find_first_of("/\\") != std::string::npos) return ProtFile;
    const char last = AppPath.empty() ? '/' : AppPath.back();
    return AppPath + (last == '/' || last == '\\' ? "" : "/") + ProtFile;
}

std::vector<std::string> frmProtokoll::ProtocolLines() {
    const auto names = ColumnNames();
    const auto written = WrittenColumns();
    const int callerCode = ProtArt.reaktor;
    const std::string& u = ProtArt.einheit;
    std::vector<std::string> lines;
    lines.push_back("TARVELO: Kinetics of chemical reactions");
    lines.push_back("Record from " + shell::ProtDate().toString("MM-dd-yyyy").toStdString());
    if (callerCode >= 2 && callerCode <= 5) lines.push_back(ReactorLine(callerCode));
    lines.push_back("kinetic model: " + ProtArt.modell);
    std::string units = "units: [c(i)] = mol/L   [k_1stO] = 1/" + u + "    [k_2ndO] = L/(mol " + u +
                        ")   [U(A)] = 1    [t] = " + u;
    if (callerCode == kCascadeCode) units += "  (time in each tank)";
    lines.push_back(units);
    lines.push_back("         [l] = m     [V] = m^3     [v] = m/" + u + "    [V*} = m^3/" + u +
                    "    [ksi()] = mol/L   (extent of reaction)");
    lines.push_back("");
    std::string header;
    for (int col = 0; col < kProtokollSpalten; ++col)
        if (written[static_cast<std::size_t>(col)]) header += names[static_cast<std::size_t>(col)] + ProtSep;
    lines.push_back(header);
    for (int row = 1; row <= ProtZeilen; ++row) {
        std::string line;
        for (int col = 0; col < kProtokollSpalten; ++col) {
            if (!written[static_cast<std::size_t>(col)]) continue;
            line += platform::CStrSingle(ProtDaten[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]) +
                    ProtSep;
        }
        lines.push_back(line);
    }
    return lines;
}

bool frmProtokoll::schreibProtFileAndClose() {
    if (ProtFile.empty()) shell::SetAutoProtName(ProtFile);
    if (ProtFile.empty()) return false;  // every name of the day is taken; the user was told
    std::string error;
    if (!platform::WriteTextLines(ProtPath(), ProtocolLines(), error)) {
        platform::MsgBox(error + "\r\nDie Protokoll-Zeilen bleiben erhalten.", platform::MsgCritical,
                         "Protokoll-Datei schreiben");
        return false;
    }
    return true;
}

void frmProtokoll::cmdOpenNew_Click() {
    // Rows that could not be written stay recorded under the same name.
    if (ProtOffen && !schreibProtFileAndClose()) return;
    const std::string path = ProtPath();
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) == 0 && !ec)
        std::filesystem::remove(path, ec);

    std::vector<std::string> lines;
    std::string error;
    if (platform::ReadTextLines(path, lines, error)) {
        QString text;
        for (const auto& line : lines) text += QString::fromStdString(line) + "\r\n";
        text.replace(QString::fromStdString(ProtSep), "\t");
        QApplication::clipboard()->clear();
        QApplication::clipboard()->setText(text);
    }

    shell::SetAutoProtName(ProtFile);
    ProtOffen = kFalse;
    cmdOpenNew->setEnabled(false);
    lblProtText2->setText(QString::fromStdString(platform::FileNameForDisplay(ProtFile)));
    ProtZeilen = 0;
    ProtDaten.assign(1, ProtokollZeile{});
}

bool frmProtokoll::Form_QueryUnload() {
    if (cmdOpenNew->isEnabled()) cmdOpenNew_Click();
    if (!protAufrufFenster_.empty()) platform::Forms().SetEnabled(protAufrufFenster_, "cmdProtocol", -1, true);
    return true;
}

void frmProtokoll::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void frmProtokoll::cmdClose_Click() {
    platform::Windows().UnloadOrClose("frmProtokoll", this);
}

void frmProtokoll::cmdHelp_Click() { platform::ShowHelpContext(kHelpProtocol); }
