#include "simulation/frmRohrreaktor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

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

const char* const kName = "frmRohrreaktor";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild,
                                              [] { return new frmRohrreaktor; });

const char* const kTitelEingabe = " Ausführung nicht möglich ";
constexpr int kFensterBreite = 8500;  // twips
constexpr int kFensterHoehe = 7100;
constexpr int kHilfe = 7010;
constexpr int kSpalteC0 = 3500;
constexpr int kSpalteC = 5600;
constexpr int kZeile = 330;
constexpr int kModusZeit = 0;
constexpr int kModusLaenge = 1;
constexpr int kModusUmsatz = 2;

QString U8(const char* text) { return QString::fromUtf8(text); }

double ValOf(const QLineEdit* box) { return platform::Val(box->text().toStdString()); }

QString Short(double value) { return QString::fromStdString(platform::StrSingle(static_cast<float>(value))); }

void Lock(QLineEdit* box, bool locked) {
    box->setReadOnly(locked);
    box->setStyleSheet(locked ? simulation::kLockedBoxStyle : "QLineEdit { background-color: white; }");
}

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
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
    simulation::OnActivate(this, [this] { Form_Activate(); });
}

frmRohrreaktor* frmRohrreaktor::Loaded() { return qobject_cast<frmRohrreaktor*>(platform::Windows().Get(kName)); }

void frmRohrreaktor::BuildControls() {
    Picture = new simulation::VesselCanvas(this, 0, 1800, 2300, 2500);

    Label7->setText(U8("Reaktionsschema"));
    PlaceTw(Label7, 0, 60, kFensterBreite - 70, 280);
    PlaceTw(MakeLabel("lblKopfC0", U8("c(ein) / (mol/L)")), kSpalteC0, 420, 1500, 260);
    PlaceTw(MakeLabel("lblKopfC", U8("c(aus) / (mol/L)")), kSpalteC, 420, 1500, 260);
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

    Label8 = MakeLabel("Label8", QString());
    PlaceTw(Label8, 3000, 3620, 1900, 280);
    PlaceTw(Inp[16], 5000, 3600, 1500, 300);
    static const char* const captions[3] = {" Reaktionszeit", " Rohrlänge l/m", " Umsatz U(A)"};
    static const int boxes[3] = {14, 15, 13};
    for (int i = 0; i < 3; ++i) {
        optInpSelect[i] = new QRadioButton(U8(captions[i]), this);
        optInpSelect[i]->setObjectName(QStringLiteral("optInpSelect(%1)").arg(i));
        PlaceTw(optInpSelect[i], 3000, 4000 + i * 380, 1900, 300);
        PlaceTw(Inp[boxes[i]], 5000, 3990 + i * 380, 1500, 300);
        connect(optInpSelect[i], &QRadioButton::clicked, this, [this, i] { optInpSelect_Click(i); });
    }
    lblZeitEinheit = MakeLabel("lblZeitEinheit", QString::fromStdString(ZeitEinheit));
    PlaceTw(lblZeitEinheit, 6600, 4010, 900, 280);
    Label5 = MakeLabel("Label5", U8("0 < U(A) < 1"));
    PlaceTw(Label5, 6600, 4770, 1700, 280);
    lblVPunktInput = MakeLabel("lblVPunktInput", U8("nicht löschen! not visible"));
    lblVPunktInput->hide();

    cmdCalcRohr = MakeButton("cmdCalcRohr", U8("Start"));
    PlaceTw(cmdCalcRohr, 3000, 5250, 1700, 420);
    PlaceTw(cmdDiagram, 4800, 5250, 1700, 420);
    PlaceTw(cmdShowKsi, 6600, 5250, 1850, 420);
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    PlaceTw(cmdProtocol, 3000, 5750, 2600, 380);

    chkDelDiagram->setText(U8("neue Kurven hinzufügen"));
    PlaceTw(chkDelDiagram, 120, 6000, 4000, 280);
    PlaceTw(chkSpecialScaling, 120, 6300, 4500, 280);
    for (int i = 0; i < 5; ++i) PlaceTw(optSpecialScaling[i], 4700 + i * 600, 6300, 560, 280);

    cmdHelp = MakeButton("cmdHelp", U8("Hilfe"));
    PlaceTw(cmdHelp, 5000, 6650, 1400, 380);
    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    PlaceTw(cmdEsc, 6500, 6650, 1800, 380);

    fraKsi->setTitle(U8("Reaktionslaufzahlen"));
    PlaceTw(fraKsi, 60, 4400, 2850, 1350);
    PlaceTw(lblTextKsi_1, 100, 300, 2700, 280);
    PlaceTw(lblTextKsi_2, 100, 620, 2700, 280);
    PlaceTw(cmdCloseKsi, 2400, 950, 360, 300);
    fraKsi->raise();

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
    Inp[16]->setText(Short(RohrV));
    Inp[14]->setText(Short(tauMittel));
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
    for (int i : {13, 14, 15}) Lock(Inp[i], true);
    Lock(Inp[index == kModusZeit ? 14 : index == kModusLaenge ? 15 : 13], false);
    fraKsi->hide();
}

void frmRohrreaktor::InitRohr() {
    if (aktModell == 20) simulation::WriteOrderModelCaption(Label7);
    simulation::DrawReactorTube(*Picture, 0);
    cmdDiagram->setEnabled(false);
    cmdShowKsi->setEnabled(false);
    for (int i = 5; i <= 9; ++i) Inp[i]->clear();
}

void frmRohrreaktor::BeforeStore(int) { cmdDiagram->setEnabled(false); }

void frmRohrreaktor::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    if (index == 13) UmsatzU = value;
    if (index == 14) tauMittel = value;
    if (index == 15) RohrL = value;
    if (index == 16) RohrV = value;
}

QSize frmRohrreaktor::sizeHint() const { return {Tw(kFensterBreite), Tw(kFensterHoehe)}; }

void frmRohrreaktor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    CalcWindow::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Calculation

void frmRohrreaktor::cmdCalcRohr_Click() {
    for (int s = 1; s <= kSpecies; ++s) c0Wert[s] = ValOf(Inp[s - 1]);
    RohrV = ValOf(Inp[16]);
    tauMittel = ValOf(Inp[14]);
    UmsatzU = ValOf(Inp[13]);
    RohrL = ValOf(Inp[15]);
    const int mode = InpSelectRohr;

    simulation::TwinInputs in;
    in.window = simulation::Twin::Tube;
    in.timeMode = mode == kModusZeit;
    in.lengthMode = mode == kModusLaenge;
    in.conversionMode = mode == kModusUmsatz;
    in.inp1Shown = !Inp[1]->isHidden();
    in.inp11Shown = !Inp[11]->isHidden();
    in.inp12Shown = !Inp[12]->isHidden();
    const std::string complaints = simulation::TwinInputComplaints(in);
    if (!complaints.empty()) {
        cmdDiagram->setEnabled(false);
        platform::MsgBox(complaints, platform::vbCritical, kTitelEingabe);
        return;
    }
    if (!simulation::TwinEquilibriumCheck(simulation::Twin::Tube, in.conversionMode)) return;

    WaitCursorOn();
    bool ok = false;
    try {
        ok = Calculate();
    } catch (const std::exception&) {
        ok = false;
    }
    WaitCursorOff();
    if (!ok) {
        cmdDiagram->setEnabled(false);
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::vbCritical, "Message from Sub cmdCalcRohr");
        return;
    }

    simulation::ShowOutletConcentrations(*this);
    if (mode == kModusUmsatz) {
        RohrL = tauMittel * RohrV;
        Inp[14]->setText(Short(tauMittel));
        Inp[15]->setText(Short(RohrL));
    } else {
        if (mode == kModusZeit) Inp[15]->setText(Short(RohrL));
        else Inp[14]->setText(Short(tauMittel));
        // Without A in the feed no conversion of A exists: the box stays empty.
        double U = 0;
        const bool defined = simulation::ConversionOfA(cAktuell, U);
        UmsatzU = defined ? U : 0;
        Inp[13]->setText(defined ? Short(UmsatzU) : QString());
    }
    try {
        CalcKsi(KsiWerte);
    } catch (const std::exception&) {
        KsiWerte.fill(0);
    }
    cmdShowKsi->setEnabled(true);
    cmdDiagram->setEnabled(true);
    WriteProtocolRow();
    simulation::DrawReactorTube(*Picture, UmsatzU);
    if (aktModell == 7 && cAktuell[2] < 0)
        platform::MsgBox("Eingangskonzentration von B wurde zu niedrig gewählt", platform::vbCritical,
                         "fehlerhaftes Ergebnis");
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
    ErgebnisZeilen.assign(1, ProtokollZeile{});
    ProtokollZeile& row = ErgebnisZeilen[0];
    for (int i = 0; i <= 15; ++i) row[i + 1] = static_cast<float>(ValOf(Inp[i]));
    row[19] = static_cast<float>(ValOf(Inp[16]));
    row[20] = static_cast<float>(KsiWerte[1]);
    row[21] = static_cast<float>(KsiWerte[2]);
}

// ---------------------------------------------------------------------------------------------
// Diagram and help

void frmRohrreaktor::cmdDiagram_Click() { simulation::DrawTwinTimeCourse(*this, simulation::Twin::Tube); }

void frmRohrreaktor::cmdHelp_Click() { platform::ShowHelpContext(kHilfe); }
