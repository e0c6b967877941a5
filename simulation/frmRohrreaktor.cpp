#include "simulation/frmRohrreaktor.h"

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

const char* const kName = "frmRohrreaktor";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild,
                                              [] { return new frmRohrreaktor; });

const char* const kTitelEingabe = " Ausführung nicht möglich ";
const char* const kTitelFehler = "Message from Sub cmdCalcRohr";
constexpr int kReaktorCode = 4;  // the tube's line in the protocol
constexpr int kFensterHoehe = 7300;  // twips
constexpr int kHilfe = 7010;
constexpr int kModusZeit = 0;
constexpr int kModusLaenge = 1;
constexpr int kModusUmsatz = 2;

QString U8(const char* text) { return QString::fromUtf8(text); }

// 1 m/s in the current time unit; no default for years.
double DefaultVelocity() {
    if (ZeitEinheit == "s") return 1;
    if (ZeitEinheit == "min") return 60;
    if (ZeitEinheit == "h") return 3600;
    if (ZeitEinheit == "d") return 86400;
    return 0;
}

}  // namespace

frmRohrreaktor::frmRohrreaktor(QWidget* parent) : CalcWindow(kName, 16, parent) {
    setWindowTitle(U8("Rohr-Reaktor, isotherm, volumenbest. Reaktion"));
    resize(Tw(simulation::kTwinWidth), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
    simulation::ConnectActivation(this, [this] { Form_Activate(); }, true);
}

frmRohrreaktor* frmRohrreaktor::Loaded() { return qobject_cast<frmRohrreaktor*>(platform::Windows().Get(kName)); }

void frmRohrreaktor::BuildControls() {
    using simulation::kTwinBoxLeft;
    using simulation::kTwinHintLeft;
    using simulation::kTwinOptionLeft;
    Picture = new simulation::VesselCanvas(this, 0, 1800, 2300, 2500);
    Label7->setText(U8("Reaktionsschema"));
    simulation::LayoutTwinBoxes(*this, U8("c(ein) / (mol/L)"), U8("c(aus) / (mol/L)"), 4400);

    Label8 = MakeLabel("Label8", QString());
    PlaceTw(Label8, kTwinOptionLeft, 3620, 1900, 280);
    PlaceTw(Inp[16], kTwinBoxLeft, 3600, simulation::NumberBoxTwips(Inp[16]), 300);
    static const char* const captions[3] = {" Reaktionszeit", " Rohrlänge l/m", " Umsatz U(A)"};
    static const int boxes[3] = {14, 15, 13};
    for (int i = 0; i < 3; ++i) {
        optInpSelect[i] = new QRadioButton(U8(captions[i]), this);
        optInpSelect[i]->setObjectName(QStringLiteral("optInpSelect(%1)").arg(i));
        PlaceTw(optInpSelect[i], kTwinOptionLeft, 4000 + i * 380, 1900, 300);
        PlaceTw(Inp[boxes[i]], kTwinBoxLeft, 3990 + i * 380, simulation::NumberBoxTwips(Inp[boxes[i]]), 300);
        connect(optInpSelect[i], &QRadioButton::clicked, this, [this, i] { optInpSelect_Click(i); });
    }
    lblZeitEinheit = MakeLabel("lblZeitEinheit", QString::fromStdString(ZeitEinheit));
    PlaceTw(lblZeitEinheit, kTwinHintLeft, 4010, 900, 280);
    Label5 = MakeLabel("Label5", U8("0 < U(A) < 1"));
    PlaceTw(Label5, kTwinHintLeft, 4770, 1700, 280);
    lblVPunktInput = MakeLabel("lblVPunktInput", U8("nicht löschen! not visible"));
    lblVPunktInput->hide();

    cmdCalcRohr = MakeButton("cmdCalcRohr", U8("Start"));
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    chkDelDiagram->setText(U8("neue Kurven hinzufügen"));
    cmdHelp = MakeButton("cmdHelp", U8("Hilfe"));
    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    simulation::LayoutTwinButtons(*this, cmdCalcRohr, 5250, cmdHelp, cmdEsc, 6150);

    connect(cmdCalcRohr, &QPushButton::clicked, this, &frmRohrreaktor::cmdCalcRohr_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &frmRohrreaktor::cmdDiagram_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmRohrreaktor::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &CalcWindow::cmdEsc_Click);
}

// ---------------------------------------------------------------------------------------------
// Loading, activation, input mode

void frmRohrreaktor::Form_Load() {
    ErsteBerechnung = kTrue;
    KurvenHinzufuegen = kFalse;
    Label8->setText(QString::fromStdString("v/ (m/" + ZeitEinheit + ")"));
    fraKsi->hide();
    cmdShowKsi->setEnabled(false);
    cmdDiagram->setEnabled(false);
    if (RohrV == 0) RohrV = DefaultVelocity();
    Inp[16]->setText(simulation::NumberText(RohrV));
    Inp[14]->setText(simulation::NumberText(tauMittel));
    if (InpSelectRohr < kModusZeit || InpSelectRohr > kModusUmsatz) InpSelectRohr = kModusZeit;
    optInpSelect[InpSelectRohr]->setChecked(true);
    optInpSelect_Click(InpSelectRohr);
    cmdProtocol->setEnabled(false);
    simulation::SetUpSpecialScaling(*this);
    InitRohr();
}

void frmRohrreaktor::Form_Activate() {
    if (InpSelectRohr >= kModusZeit && InpSelectRohr <= kModusUmsatz) optInpSelect[InpSelectRohr]->setChecked(true);
    simulation::ActivateTwin(*this, optInpSelect[kModusUmsatz], Label5);
}

void frmRohrreaktor::optInpSelect_Click(int index) {
    InpSelectRohr = index;
    for (int i : {13, 14, 15}) simulation::LockBox(Inp[i], true);
    simulation::LockBox(Inp[index == kModusZeit ? 14 : index == kModusLaenge ? 15 : 13], false);
    fraKsi->hide();
}

void frmRohrreaktor::InitRohr() {
    if (aktModell == 20) simulation::WriteOrderModelCaption(Label7);
    simulation::DrawReactorTube(*Picture, 0);
    cmdDiagram->setEnabled(false);
    cmdShowKsi->setEnabled(false);
    for (int i = 5; i <= 9; ++i) Inp[i]->clear();
    VerwirfErgebnisZeilen(kName);
}

void frmRohrreaktor::BeforeStore(int) { cmdDiagram->setEnabled(false); }

void frmRohrreaktor::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    if (index == 13) UmsatzU = value;
    if (index == 14) tauMittel = value;
    if (index == 15) RohrL = value;
    if (index == 16) RohrV = value;
}

QSize frmRohrreaktor::sizeHint() const { return {Tw(simulation::kTwinWidth), Tw(kFensterHoehe)}; }

// ---------------------------------------------------------------------------------------------
// Calculation

void frmRohrreaktor::cmdCalcRohr_Click() {
    for (int s = 1; s <= kSpecies; ++s) c0Wert[s] = simulation::BoxValue(Inp[s - 1]);
    RohrV = simulation::BoxValue(Inp[16]);
    tauMittel = simulation::BoxValue(Inp[14]);
    UmsatzU = simulation::BoxValue(Inp[13]);
    RohrL = simulation::BoxValue(Inp[15]);
    const int mode = InpSelectRohr;

    simulation::TwinInputs in;
    in.window = simulation::Twin::Tube;
    in.timeMode = mode == kModusZeit;
    in.lengthMode = mode == kModusLaenge;
    in.conversionMode = mode == kModusUmsatz;
    if (!simulation::TwinChecksPass(*this, in, kTitelEingabe, true)) return;
    if (!simulation::RunWithWaitCursor([this] { return Calculate(); })) {
        cmdDiagram->setEnabled(false);
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
        return;
    }

    simulation::ShowOutletConcentrations(*this);
    if (mode == kModusUmsatz) {
        RohrL = tauMittel * RohrV;
        Inp[14]->setText(simulation::NumberText(tauMittel));
        Inp[15]->setText(simulation::NumberText(RohrL));
    } else {
        Inp[mode == kModusZeit ? 15 : 14]->setText(simulation::NumberText(mode == kModusZeit ? RohrL : tauMittel));
        simulation::ShowConversionOfRun(*this);
    }
    simulation::ShowTwinExtents(*this);
    WriteProtocolRow();
    simulation::DrawReactorTube(*Picture, UmsatzU);
    if (aktModell == 7 && cAktuell[2] < 0) {
        // The values stay shown as the faulty result they are, but cannot be recorded.
        VerwirfErgebnisZeilen(kName);
        platform::MsgBox("Eingangskonzentration von B wurde zu niedrig gewählt", platform::MsgCritical,
                         "fehlerhaftes Ergebnis");
    }
    if (ErsteBerechnung) cmdProtocol->setEnabled(true);
    ErsteBerechnung = kFalse;
}

// One batch run over t = l / v (or the given t), or the search of t for the given conversion.
bool frmRohrreaktor::Calculate() {
    if (InpSelectRohr == kModusUmsatz)
        return simulation::SearchTimeForConversion(simulation::TubeSearchRule(), UmsatzU);
    if (InpSelectRohr == kModusZeit) RohrL = tauMittel * RohrV;
    else tauMittel = RohrL / RohrV;
    int err = 0;
    CalcBatchKessel(aktModell, tauMittel, c0Wert, UmsatzU, cAktuell, err);
    return err == 0;
}

void frmRohrreaktor::WriteProtocolRow() {
    ProtokollZeile row{};
    for (int i = 0; i <= 15; ++i) row[i + 1] = static_cast<float>(simulation::BoxValue(Inp[i]));
    row[19] = static_cast<float>(simulation::BoxValue(Inp[16]));
    row[20] = static_cast<float>(KsiWerte[1]);
    row[21] = static_cast<float>(KsiWerte[2]);
    SetzeErgebnisZeilen(kName, kReaktorCode, {row});
}

// ---------------------------------------------------------------------------------------------
// Diagram and help

void frmRohrreaktor::cmdDiagram_Click() { simulation::DrawTwinTimeCourse(*this, simulation::Twin::Tube, kTitelFehler); }

void frmRohrreaktor::cmdHelp_Click() { platform::ShowHelpContext(kHilfe); }
