#include "simulation/frmBatch.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <exception>
#include <string>

#include "kernel/BatchReactor.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/BatchTube.h"
#include "simulation/VesselPictures.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmBatch";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmBatch; });

const char* const kTitelEingabe = "keine Ausführung möglich";
constexpr int kFensterBreite = 8500;  // twips
constexpr int kFensterHoehe = 6700;
constexpr int kHilfe = 7005;
constexpr int kSpalteC0 = 3500;       // input column of the initial concentrations
constexpr int kSpalteC = 5600;        // result column
constexpr int kZeile = 330;

QString U8(const char* text) { return QString::fromUtf8(text); }

double ValOf(const QLineEdit* box) { return platform::Val(box->text().toStdString()); }

void Lock(QLineEdit* box, bool locked) {
    box->setReadOnly(locked);
    box->setStyleSheet(locked ? simulation::kLockedBoxStyle : "QLineEdit { background-color: white; }");
}

}  // namespace

frmBatch::frmBatch(QWidget* parent) : CalcWindow(kName, 16, parent) {
    setWindowTitle(U8("Batch-Reaktor, isotherm"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
    simulation::OnActivate(this, [this] { Form_Activate(); });
}

frmBatch* frmBatch::Loaded() { return qobject_cast<frmBatch*>(platform::Windows().Get(kName)); }

void frmBatch::BuildControls() {
    Picture = new simulation::VesselCanvas(this, 0, 1600, 2300, 2400);

    Label7->setText(U8("Reaktionsschema"));
    PlaceTw(Label7, 0, 60, kFensterBreite - 70, 280);
    PlaceTw(MakeLabel("lblKopfC0", U8("c(0) / (mol/L)")), kSpalteC0, 420, 1500, 260);
    PlaceTw(MakeLabel("lblKopfC", U8("c(t) / (mol/L)")), kSpalteC, 420, 1500, 260);
    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        const int top = 720 + i * kZeile;
        lblStoff[i]->setText(letters[i]);
        PlaceTw(lblStoff[i], kSpalteC0 - 500, top + 20, 450, 280);
        PlaceTw(Inp[i], kSpalteC0, top, 1500, 300);
        lblStoff[5 + i]->setText(letters[i]);
        PlaceTw(lblStoff[5 + i], kSpalteC - 500, top + 20, 450, 280);
        PlaceTw(Inp[5 + i], kSpalteC, top, 1500, 300);
        Lock(Inp[5 + i], true);
    }
    QLabel* units[3] = {unit1, unit2, unit3};
    for (int k = 0; k < 3; ++k) {
        const int top = 2500 + k * kZeile;
        Bz[5 + k]->setText(QStringLiteral("k%1").arg(k + 1));
        PlaceTw(Bz[5 + k], kSpalteC0 - 500, top + 20, 450, 280);
        PlaceTw(Inp[10 + k], kSpalteC0, top, 1500, 300);
        PlaceTw(units[k], kSpalteC0 + 1560, top + 20, 1500, 280);
    }
    PlaceTw(cmdReset_k, kSpalteC + 200, 2500, 2300, 360);

    optInpSelect[0] = new QRadioButton(U8("Reaktionszeit"), this);
    optInpSelect[1] = new QRadioButton(U8(" Umsatz U/A)"), this);
    for (int i = 0; i < 2; ++i) {
        optInpSelect[i]->setObjectName(QStringLiteral("optInpSelect(%1)").arg(i));
        PlaceTw(optInpSelect[i], 3000, 3650 + i * 380, 1900, 300);
        connect(optInpSelect[i], &QRadioButton::clicked, this, [this, i] { optInpSelect_Click(i); });
    }
    PlaceTw(Inp[14], 5000, 3640, 1500, 300);
    lblZeitEinheit = MakeLabel("lblZeitEinheit", QString::fromStdString(ZeitEinheit));
    PlaceTw(lblZeitEinheit, 6600, 3660, 900, 280);
    PlaceTw(Inp[13], 5000, 4020, 1500, 300);
    Label5 = MakeLabel("Label5", U8("0 < U(A) < 1"));
    PlaceTw(Label5, 6600, 4040, 1700, 280);
    Inp[15]->setText("invisible");
    Inp[16]->setText("invisible");
    Inp[15]->hide();
    Inp[16]->hide();
    lblVPunktInput = MakeLabel("lblVPunktInput", U8("nicht löschen! not visible"));
    lblVPunktInput->hide();

    cmdCalcBatch = MakeButton("cmdCalcBatch", U8("Berechnen"));
    PlaceTw(cmdCalcBatch, 3000, 4550, 1700, 420);
    PlaceTw(cmdDiagram, 4800, 4550, 1700, 420);
    PlaceTw(cmdShowKsi, 6600, 4550, 1850, 420);
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    PlaceTw(cmdProtocol, 3000, 5050, 2600, 380);

    chkDelDiagram->setText(U8("neue Kurven hinzufügen (Skalierung fixiert)"));
    PlaceTw(chkDelDiagram, 120, 5550, 4500, 280);
    PlaceTw(chkSpecialScaling, 120, 5850, 4500, 280);
    for (int i = 0; i < 5; ++i) PlaceTw(optSpecialScaling[i], 4700 + i * 600, 5850, 560, 280);

    cmdHelp = MakeButton("cmdHelp", U8("Hilfe"));
    PlaceTw(cmdHelp, 5000, 6200, 1400, 380);
    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    PlaceTw(cmdEsc, 6500, 6200, 1800, 380);

    fraKsi->setTitle(U8("Reaktionslaufzahlen"));
    PlaceTw(fraKsi, 60, 4100, 2850, 1350);
    PlaceTw(lblTextKsi_1, 100, 300, 2700, 280);
    PlaceTw(lblTextKsi_2, 100, 620, 2700, 280);
    PlaceTw(cmdCloseKsi, 2400, 950, 360, 300);
    fraKsi->raise();

    connect(cmdCalcBatch, &QPushButton::clicked, this, &frmBatch::cmdCalcBatch_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &frmBatch::cmdDiagram_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmBatch::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &CalcWindow::cmdEsc_Click);
}

// ---------------------------------------------------------------------------------------------
// Loading, activation, input mode

void frmBatch::Form_Load() {
    ErsteBerechnung = kTrue;
    KurvenHinzufuegen = kFalse;
    cmdShowKsi->setEnabled(false);
    cmdDiagram->setEnabled(false);
    cmdProtocol->setEnabled(false);
    fraKsi->hide();
    optInpSelect[BatchEingabeModus == 1 ? 1 : 0]->setChecked(true);
    optInpSelect_Click(BatchEingabeModus == 1 ? 1 : 0);
    simulation::SetUpSpecialScaling(*this);
    // The empty vessel, so that the window does not open without its picture.
    simulation::FillVesselColours(*Picture, 0);
}

void frmBatch::Form_Activate() {
    optInpSelect[BatchEingabeModus == 1 ? 1 : 0]->setChecked(true);
    if (aktModell == 20) simulation::WriteOrderModelCaption(Label7);
    simulation::ActivateTwin(*this, optInpSelect[1], Label5);
}

void frmBatch::optInpSelect_Click(int index) {
    BatchEingabeModus = index;
    Lock(Inp[13], true);
    Lock(Inp[14], true);
    if (index == 1) {
        Lock(Inp[13], false);
    } else {
        Lock(Inp[14], false);
        Inp[14]->setText(QString::fromStdString(platform::StrSingle(static_cast<float>(tauMittel))));
    }
    fraKsi->hide();
}

void frmBatch::InitBatch() {
    if (aktModell == 20) simulation::WriteOrderModelCaption(Label7);
    simulation::FillVesselColours(*Picture, 0);
    cmdDiagram->setEnabled(false);
    cmdShowKsi->setEnabled(false);
    for (int i = 5; i <= 9; ++i) Inp[i]->clear();
}

void frmBatch::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    if (index == 13) UmsatzU = value;
    if (index == 14) tauMittel = value;
}

QSize frmBatch::sizeHint() const { return {Tw(kFensterBreite), Tw(kFensterHoehe)}; }

void frmBatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    CalcWindow::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Calculation

void frmBatch::cmdCalcBatch_Click() {
    for (int s = 1; s <= kSpecies; ++s) c0Wert[s] = ValOf(Inp[s - 1]);
    tauMittel = ValOf(Inp[14]);
    UmsatzU = ValOf(Inp[13]);
    const bool conversionMode = BatchEingabeModus == 1;

    simulation::TwinInputs in;
    in.window = simulation::Twin::Batch;
    in.timeMode = !conversionMode;
    in.conversionMode = conversionMode;
    in.inp1Shown = !Inp[1]->isHidden();
    in.inp11Shown = !Inp[11]->isHidden();
    in.inp12Shown = !Inp[12]->isHidden();
    const std::string complaints = simulation::TwinInputComplaints(in);
    if (!complaints.empty()) {
        platform::MsgBox(complaints, platform::vbCritical, kTitelEingabe);
        return;
    }
    if (!simulation::TwinEquilibriumCheck(simulation::Twin::Batch, conversionMode)) return;

    WaitCursorOn();
    bool ok = false;
    try {
        ok = Calculate();
    } catch (const std::exception&) {
        ok = false;
    }
    WaitCursorOff();
    if (!ok) {
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::vbCritical, "Message from Sub cmdCalcBatch");
        return;
    }

    simulation::ShowOutletConcentrations(*this);
    if (conversionMode) {
        Inp[14]->setText(QString::fromStdString(platform::StrSingle(static_cast<float>(tauMittel))));
    } else {
        // Without A in the feed no conversion of A exists: the box stays empty.
        double U = 0;
        const bool defined = simulation::ConversionOfA(cAktuell, U);
        UmsatzU = defined ? U : 0;
        Inp[13]->setText(defined ? QString::fromStdString(platform::StrSingle(static_cast<float>(UmsatzU))) : QString());
    }
    try {
        CalcKsi(KsiWerte);
    } catch (const std::exception&) {
        KsiWerte.fill(0);
    }
    cmdShowKsi->setEnabled(true);
    cmdDiagram->setEnabled(true);
    WriteProtocolRow();
    simulation::FillVesselColours(*Picture, UmsatzU);
    if (ErsteBerechnung) cmdProtocol->setEnabled(true);
    ErsteBerechnung = kFalse;
}

// One batch run over the given time, or the search of the time for the given conversion.
bool frmBatch::Calculate() {
    if (BatchEingabeModus == 1) return simulation::SearchTimeForConversion(simulation::BatchSearchRule(), UmsatzU);
    int err = 0;
    CalcBatchKessel(aktModell, tauMittel, c0Wert, UmsatzU, cAktuell, err);
    return err == 0;
}

void frmBatch::WriteProtocolRow() {
    ErgebnisZeilen.assign(1, ProtokollZeile{});
    ProtokollZeile& row = ErgebnisZeilen[0];
    for (int i = 0; i <= 12; ++i) row[i + 1] = static_cast<float>(ValOf(Inp[i]));
    // The shown conversion rounded to four decimals (read back whatever the locale's separator).
    std::string rounded = platform::Format(ValOf(Inp[13]), "0.0000");
    for (char& ch : rounded)
        if (ch == ',') ch = '.';
    row[14] = static_cast<float>(platform::Val(rounded));
    row[15] = static_cast<float>(ValOf(Inp[14]));
    row[20] = static_cast<float>(KsiWerte[1]);
    row[21] = static_cast<float>(KsiWerte[2]);
}

// ---------------------------------------------------------------------------------------------
// Diagram and help

void frmBatch::cmdDiagram_Click() { simulation::DrawTwinTimeCourse(*this, simulation::Twin::Batch); }

void frmBatch::cmdHelp_Click() { platform::ShowHelpContext(kHilfe); }
