#include "simulation/frmBatch.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <string>

#include "kernel/BatchReactor.h"
#include "kernel/ResultRows.h"
#include "kernel/State.h"
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
const char* const kTitelFehler = "Message from Sub cmdCalcBatch";
constexpr int kReaktorCode = 3;  // the batch reactor's line in the protocol
constexpr int kFensterHoehe = 6700;  // twips
constexpr int kHilfe = 7005;

QString U8(const char* text) { return QString::fromUtf8(text); }

}  // namespace

frmBatch::frmBatch(QWidget* parent) : CalcWindow(kName, 16, parent) {
    setWindowTitle(U8("Batch-Reaktor, isotherm"));
    resize(Tw(simulation::kTwinWidth), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
    simulation::ConnectActivation(this, [this] { Form_Activate(); }, true);
}

frmBatch* frmBatch::Loaded() { return qobject_cast<frmBatch*>(platform::Windows().Get(kName)); }

void frmBatch::BuildControls() {
    using simulation::kTwinBoxLeft;
    using simulation::kTwinHintLeft;
    using simulation::kTwinOptionLeft;
    Picture = new simulation::VesselCanvas(this, 0, 1600, 2300, 2400);
    Label7->setText(U8("Reaktionsschema"));
    simulation::LayoutTwinBoxes(*this, U8("c(0) / (mol/L)"), U8("c(t) / (mol/L)"), 4100);

    optInpSelect[0] = new QRadioButton(U8("Reaktionszeit"), this);
    optInpSelect[1] = new QRadioButton(U8(" Umsatz U/A)"), this);
    for (int i = 0; i < 2; ++i) {
        optInpSelect[i]->setObjectName(QStringLiteral("optInpSelect(%1)").arg(i));
        PlaceTw(optInpSelect[i], kTwinOptionLeft, 3650 + i * 380, 1900, 300);
        connect(optInpSelect[i], &QRadioButton::clicked, this, [this, i] { optInpSelect_Click(i); });
    }
    PlaceTw(Inp[14], kTwinBoxLeft, 3640, simulation::NumberBoxTwips(Inp[14]), 300);
    lblZeitEinheit = MakeLabel("lblZeitEinheit", QString::fromStdString(ZeitEinheit));
    PlaceTw(lblZeitEinheit, kTwinHintLeft, 3660, 900, 280);
    PlaceTw(Inp[13], kTwinBoxLeft, 4020, simulation::NumberBoxTwips(Inp[13]), 300);
    Label5 = MakeLabel("Label5", U8("0 < U(A) < 1"));
    PlaceTw(Label5, kTwinHintLeft, 4040, 1700, 280);
    Inp[15]->setText("invisible");
    Inp[16]->setText("invisible");
    Inp[15]->hide();
    Inp[16]->hide();
    lblVPunktInput = MakeLabel("lblVPunktInput", U8("nicht löschen! not visible"));
    lblVPunktInput->hide();

    cmdCalcBatch = MakeButton("cmdCalcBatch", U8("Berechnen"));
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    cmdHelp = MakeButton("cmdHelp", U8("Hilfe"));
    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    simulation::LayoutTwinButtons(*this, cmdCalcBatch, 4550, cmdHelp, cmdEsc, 5550);

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
    simulation::LockBox(Inp[13], index != 1);
    simulation::LockBox(Inp[14], index == 1);
    if (index != 1) Inp[14]->setText(simulation::NumberText(tauMittel));
    fraKsi->hide();
}

void frmBatch::InitBatch() {
    if (aktModell == 20) simulation::WriteOrderModelCaption(Label7);
    simulation::FillVesselColours(*Picture, 0);
    cmdDiagram->setEnabled(false);
    cmdShowKsi->setEnabled(false);
    for (int i = 5; i <= 9; ++i) Inp[i]->clear();
    VerwirfErgebnisZeilen(kName);
}

void frmBatch::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    if (index == 13) UmsatzU = value;
    if (index == 14) tauMittel = value;
}

QSize frmBatch::sizeHint() const { return {Tw(simulation::kTwinWidth), Tw(kFensterHoehe)}; }

// ---------------------------------------------------------------------------------------------
// Calculation

void frmBatch::cmdCalcBatch_Click() {
    for (int s = 1; s <= kSpecies; ++s) c0Wert[s] = simulation::BoxValue(Inp[s - 1]);
    tauMittel = simulation::BoxValue(Inp[14]);
    UmsatzU = simulation::BoxValue(Inp[13]);
    const bool conversionMode = BatchEingabeModus == 1;

    simulation::TwinInputs in;
    in.window = simulation::Twin::Batch;
    in.timeMode = !conversionMode;
    in.conversionMode = conversionMode;
    if (!simulation::TwinChecksPass(*this, in, kTitelEingabe, false)) return;
    if (!simulation::RunWithWaitCursor([this] { return Calculate(); })) {
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
        return;
    }

    simulation::ShowOutletConcentrations(*this);
    if (conversionMode) Inp[14]->setText(simulation::NumberText(tauMittel));
    else simulation::ShowConversionOfRun(*this);
    simulation::ShowTwinExtents(*this);
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
    ProtokollZeile row{};
    for (int i = 0; i <= 12; ++i) row[i + 1] = static_cast<float>(simulation::BoxValue(Inp[i]));
    // The shown conversion rounded to four decimals.
    row[14] = static_cast<float>(platform::ValLocale(platform::Format(simulation::BoxValue(Inp[13]), "0.0000")));
    row[15] = static_cast<float>(simulation::BoxValue(Inp[14]));
    row[20] = static_cast<float>(KsiWerte[1]);
    row[21] = static_cast<float>(KsiWerte[2]);
    SetzeErgebnisZeilen(kName, kReaktorCode, {row});
}

// ---------------------------------------------------------------------------------------------
// Diagram and help

void frmBatch::cmdDiagram_Click() { simulation::DrawTwinTimeCourse(*this, simulation::Twin::Batch, kTitelFehler); }

void frmBatch::cmdHelp_Click() { platform::ShowHelpContext(kHilfe); }
