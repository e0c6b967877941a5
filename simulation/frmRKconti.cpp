#include "simulation/frmRKconti.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

#include "kernel/ResultRows.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/StirredTank.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/ContiReactorShared.h"
#include "simulation/ReactorCurves.h"
#include "simulation/VesselPictures.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Short;
using simulation::Tw;
using simulation::NumberBoxTwips;

namespace {

const char* const kName = "frmRKconti";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmRKconti; });

const char* const kTitelEingabe = " Ausführung nicht möglich ";
const char* const kTitelFehler = "Meldung von Sub cmdCalc";
constexpr int kReaktorCode = 2;  // the stirred tank's line in the protocol
constexpr int kFensterBreite = 10850;  // twips
constexpr int kFensterHoehe = 7300;
constexpr int kHilfeFenster = 7015;
constexpr int kHilfeRechenweg = 9000;
constexpr double kStartUmsatz = 0.9;
constexpr double kStartVolumen = 0.1;

const char* const kNegUmsatzTipp =
    " im Fall U(A) < 0: negativer Umsatz U(A) bdeutet Zunahme von Stoff A (umkehrbare Reaktion!) ";

QString U8(const char* text) { return QString::fromUtf8(text); }
QString U8(const std::string& text) { return QString::fromStdString(text); }

using simulation::BoxValue;

// The learner hint of the diagram button, shown once per program run.
std::string LearnerHint() {
    const std::string& n = CrLf;
    return "Der c-t-Verlauf im kontinuierlichen Rührkessel ist ein anderer als im Batch-Reaktor." + n + n +
           "Sie können zum Vergleich beide Verläufe im gleichen Diagramm anzeigen," + n +
           "indem Sie das Diagramm-Fenster stehenlassen, zum anderen Reaktortyp wechsen" + n +
           "und via Button \"Diagramm\" die neue Kurvenschar zufügen." + n +
           "Dabei müssen natürlich die Anfangskonzentrationen und die Geschwindigkeits-" + n +
           "konstanten erhalten bleiben." + n + n +
           "(Beachten Sie dabei, dass die Checkbox \"neue Kurven hinzufügen\" aktiviert wurde." + n +
           "Empfehlung: Wechseln Sie vor Einzeichnen der zweiten Kurvenschar die Kurvenfarbe.)";
}

}  // namespace

frmRKconti::frmRKconti(QWidget* parent) : CalcWindow(kName, 16, parent) {
    setWindowTitle(U8("Kontinuierlicher Rührreaktor, isotherm"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
    simulation::ConnectActivation(this, [this] { Form_Activate(); });
}

frmRKconti* frmRKconti::Loaded() { return qobject_cast<frmRKconti*>(platform::Windows().Get(kName)); }

QSize frmRKconti::sizeHint() const { return {Tw(kFensterBreite), Tw(kFensterHoehe)}; }

void frmRKconti::BuildControls() {
    Label7->setGeometry(0, Tw(60), Tw(kFensterBreite - 70), Tw(280));
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);

    Picture = new simulation::VesselCanvas(this, 0, 1950, 1950, 3000);
    Picture->setObjectName("Picture");
    Picture->lower();
    Stirrer = new simulation::StirrerAnimation(*Picture, simulation::StirrerAnimation::Kind::StirredTank, this);

    chkAnimation = MakeCheck("chkAnimation", U8("Rührer- Animation"));
    PlaceTw(chkAnimation, 30, 480, 2100, 300);
    cmdStop = MakeButton("cmdStop", U8("Stopp"));
    PlaceTw(cmdStop, 120, 850, 1300, 360);
    cmfHelp = MakeButton("cmfHelp", U8("Hilfe"));
    PlaceTw(cmfHelp, 120, 1300, 1300, 360);
    cmdHelp = MakeButton("cmdHelp", U8("Hilfe zum Rechenweg unsichtbar"));
    cmdHelp->hide();

    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    auto* fraEingang = new QGroupBox(U8("Eingangs-Konzentration"), this);
    fraEingang->setObjectName("fraEingang");
    PlaceTw(fraEingang, 2150, 400, 2300, 2250);
    auto* fraProdukt = new QGroupBox(U8("Produkt-Konzentration"), this);
    fraProdukt->setObjectName("fraProdukt");
    PlaceTw(fraProdukt, 4550, 400, 2300, 2250);
    PlaceTw(MakeLabel("lblKonzEingang", U8("c(i)(0) /(mol/L)"), fraEingang), 500, 240, 1700, 260);
    PlaceTw(MakeLabel("lblKonzProdukt", U8("c /(mol/L)"), fraProdukt), 500, 240, 1700, 260);
    for (int i = 0; i < 10; ++i) {
        QGroupBox* frame = i < 5 ? fraEingang : fraProdukt;
        const int row = i % 5;
        lblStoff[i]->setParent(frame);
        lblStoff[i]->setText(letters[row]);
        PlaceTw(lblStoff[i], 150, 560 + row * 330, 330, 280);
        Inp[i]->setParent(frame);
        PlaceTw(Inp[i], 500, 540 + row * 330, 1650, 300);
        if (i >= 5) {
            Inp[i]->setReadOnly(true);
            Inp[i]->setStyleSheet(QString::fromLatin1(simulation::kLockedBoxStyle));
        }
    }

    PlaceTw(simulation::BuildRateFrame(*this, {150, 550, 300, 400, 300}), 6950, 400, 3600, 1700);
    PlaceTw(cmdReset_k, 6950, 2200, 3600, 380);

    auto* fraModus = new QGroupBox(U8(" Vorgabe von zwei Größen "), this);
    fraModus->setObjectName("fraModus");
    PlaceTw(fraModus, 2150, 2800, 4700, 1650);
    static const char* const captions[5] = {"Umsatz U(A) und Reaktionsvolumen V", "Umsatz U(A) und Volumenstrom V*",
                                            "Reakt.-volumen V und Volumenstrom V*",
                                            "mittl. Verweilzeit t und Reaktionsvolumen V",
                                            "mittl. Verweilzeit t und Volumenstrom V*"};
    // The two modes with a given residence time first, the two with a given conversion last.
    static const int tops[5] = {1040, 1280, 720, 240, 480};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(U8(captions[i]), fraModus);
        option->setObjectName(QStringLiteral("optCalcConti(%1)").arg(i));
        PlaceTw(option, 150, tops[i], 4450, 260);
        connect(option, &QRadioButton::clicked, this, [this, i] { optCalcConti_Click(i); });
        optCalcConti[i] = option;
    }

    auto* fraGroessen = new QGroupBox(this);
    fraGroessen->setObjectName("fraGroessen");
    PlaceTw(fraGroessen, 6950, 2700, 3600, 1750);
    Label2 = MakeLabel("Label2", U8("0 < U(A) < 1"), fraGroessen);
    QLabel* lblV = MakeLabel("lblV", U8(" V/ m^3"), fraGroessen);
    lblVPunktInput = MakeLabel("lblVPunktInput", QString(), fraGroessen);
    QLabel* lblT = MakeLabel("lblT", U8(" t/"), fraGroessen);
    lblT->setToolTip(U8(" entspricht \"Füllzeit\" des Reaktors "));
    QLabel* names[4] = {Label2, lblV, lblVPunktInput, lblT};
    for (int r = 0; r < 4; ++r) {
        PlaceTw(names[r], 100, 200 + r * 380, 1400, 280);
        Inp[13 + r]->setParent(fraGroessen);
        PlaceTw(Inp[13 + r], 1500, 180 + r * 380, NumberBoxTwips(Inp[13 + r]), 300);
    }
    PlaceTw(lblT, 100, 200 + 3 * 380, 350, 280);
    lblZeitEinheit = MakeLabel("lblZeitEinheit", U8(ZeitEinheit), fraGroessen);
    PlaceTw(lblZeitEinheit, 450, 200 + 3 * 380, 900, 280);
    Inp[13]->setToolTip(U8(" Umsatz, auf Stoff A (bzw. E) bezogen "));
    Inp[16]->setToolTip(U8(" entspricht \"Füllzeit\" des Reaktors "));

    cmdCalc = MakeButton("cmdCalc", U8("Start"));
    PlaceTw(cmdCalc, 2150, 4650, 1200, 450);
    PlaceTw(cmdDiagram, 3450, 4650, 1400, 450);
    cmdDiagram->setToolTip(U8("...der Abhängigkeit der Konzentrationen von der mittl. Verweilzeit im Kessel "));
    cmdShowKsi->setText(U8("Zeige Reaktionsfortschritt(e)"));
    PlaceTw(cmdShowKsi, 4850, 4650, 2900, 450);
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    PlaceTw(cmdProtocol, 7850, 4650, 2600, 450);

    PlaceTw(chkDelDiagram, 2150, 5250, 5000, 300);
    chkSpecialScaling->setText(U8("spezielle y-Achsen-Skalierung für"));
    PlaceTw(chkSpecialScaling, 2150, 5600, 3300, 300);
    for (int i = 0; i < 5; ++i) PlaceTw(optSpecialScaling[i], 5500 + i * 620, 5600, 600, 300);

    fraKsi->setTitle(U8("Reaktionsfortschritt"));
    PlaceTw(fraKsi, 2150, 6000, 5000, 950);
    PlaceTw(lblTextKsi_1, 150, 280, 4200, 280);
    PlaceTw(lblTextKsi_2, 150, 580, 4200, 280);
    PlaceTw(cmdCloseKsi, 4450, 250, 400, 330);

    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    PlaceTw(cmdEsc, 7850, 6300, 2600, 450);

    connect(cmdCalc, &QPushButton::clicked, this, &frmRKconti::cmdCalc_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &frmRKconti::cmdDiagram_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmRKconti::cmdStop_Click);
    connect(chkAnimation, &QCheckBox::clicked, this, &frmRKconti::chkAnimation_Click);
    connect(cmfHelp, &QPushButton::clicked, this, &frmRKconti::cmfHelp_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmRKconti::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &CalcWindow::cmdEsc_Click);
}

// ---------------------------------------------------------------------------------------------
// Loading, activation, refresh

void frmRKconti::Form_Load() {
    ErsteBerechnung = kTrue;
    KurvenHinzufuegen = kFalse;
    cmdDiagram->setEnabled(false);
    if (CalcModeConti < 0 || CalcModeConti > 4) CalcModeConti = 3;
    optCalcConti[static_cast<std::size_t>(CalcModeConti)]->setChecked(true);
    optCalcConti_Click(CalcModeConti);

    Stirrer->Stop();
    chkAnimation->setEnabled(true);
    fraKsi->hide();
    cmdProtocol->setEnabled(false);
    chkAnimation->setChecked(RuehrerAnimation != 0);

    if (UmsatzU == 0) UmsatzU = kStartUmsatz;
    if (VolumenReaktor == 0) VolumenReaktor = kStartVolumen;
    Inp[13]->setText(U8(Short(UmsatzU)));
    Inp[14]->setText(U8(Short(VolumenReaktor)));

    if (SpezSkalierungStoff == 0) {
        SpezSkalierung = kFalse;
        SpezSkalierungStoff = 1;
    }
    chkSpecialScaling->setChecked(SpezSkalierung != 0);
    if (SpezSkalierungStoff >= 1 && SpezSkalierungStoff <= 5)
        optSpecialScaling[static_cast<std::size_t>(SpezSkalierungStoff - 1)]->setChecked(true);
    for (auto* option : optSpecialScaling) option->setEnabled(chkSpecialScaling->isChecked());

    InitRKconti();
}

void frmRKconti::Form_Activate() {
    if (KurvenHinzufuegen && nKurven == 0) KurvenHinzufuegen = kFalse;
    chkDelDiagram->setEnabled(IsFormLoaded("frmTGraph2D") && nKurven > 0);
    chkDelDiagram->setChecked(KurvenHinzufuegen != 0);
    if (aktModell == 20) Label7->setText(U8(simulation::Model20Caption()));
    if (!NegUmsatzErlaubt) {
        Label2->setText(U8("0 < U(A) < 1"));
        Label2->setToolTip(QString());
        Inp[13]->setToolTip(QString());
    } else {
        Label2->setText(U8("U(A) < 1"));
        Label2->setToolTip(U8(kNegUmsatzTipp));
        Inp[13]->setToolTip(U8(kNegUmsatzTipp));
    }
}

void frmRKconti::InitRKconti() {
    if (aktModell == 20) Label7->setText(U8(simulation::Model20Caption()));
    DrawReactorCSTR(0);
    Stirrer->Stop();
    chkAnimation->setEnabled(true);
    fraKsi->hide();
    cmdDiagram->setEnabled(false);
    cmdShowKsi->setEnabled(false);
    for (int i = 5; i <= 9; ++i) Inp[i]->clear();
    VerwirfErgebnisZeilen(kName);
}

void frmRKconti::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    switch (index) {
    case 13: UmsatzU = value; break;
    case 14: VolumenReaktor = value; break;
    case 15: VPunkt = value; break;
    case 16: tauMittel = value; break;
    default: break;
    }
}

void frmRKconti::optCalcConti_Click(int index) {
    if (index < 0 || index > 4) return;
    CalcModeConti = index;
    simulation::ApplyContiMode(*this, index);
    fraKsi->hide();
}

void frmRKconti::chkAnimation_Click() { RuehrerAnimation = chkAnimation->isChecked() ? kTrue : kFalse; }

void frmRKconti::cmfHelp_Click() { platform::ShowHelpContext(kHilfeFenster); }

void frmRKconti::cmdHelp_Click() { platform::ShowHelpContext(kHilfeRechenweg + CalcModeConti); }

void frmRKconti::DrawReactorCSTR(double x) {
    simulation::DrawReactorCSTR(*Picture, x);
    Picture->update();
}

// ---------------------------------------------------------------------------------------------
// Calculation

std::string frmRKconti::InputComplaints() {
    std::string text = simulation::InletAndRateComplaints(*this);
    const int mode = CalcModeConti;
    if (mode == 0 || mode == 1) {
        if (!NegUmsatzErlaubt && !(UmsatzU > 0 && UmsatzU < 1)) {
            text += "- noch keine gültige Eingabe des Umsatzes (0 < U(A) < 1)" + CrLf;
        } else if (NegUmsatzErlaubt && (UmsatzU == 0 || !(UmsatzU < 1))) {
            text += "- noch keine gültige Eingabe des Umsatzes (U(A)<> 0, U(A) < 1)" + CrLf + CrLf +
                    "(Anmerkung: Bei umkehrbaren Reaktionen können negative Umsatzwerte sinnvoll sein.)" + CrLf;
        }
    }
    return text + simulation::QuantityComplaints(mode, VolumenReaktor, VPunkt, tauMittel);
}

std::string frmRKconti::ConversionRefusal() const {
    const int model = aktModell;
    if (CalcModeConti > 1) return {};
    if (model != 8 && model != 12 && model != 17 && model != 19) return {};
    const double a = c0Wert[1], b = c0Wert[2], p0 = c0Wert[4], q0 = c0Wert[5];
    // Without A in the inlet a conversion of A has no reference (and the equilibrium no quotient).
    if (!(a > 0)) return "Ohne Stoff A im Eingangsgemisch ist die Vorgabe eines Umsatzes U(A) nicht möglich.";
    if (kWert[2] == 0) return {};
    double K = kWert[1] / kWert[2];
    const std::string& n = CrLf;

    double x = 0;
    if (model == 8) {
        x = (K * a - p0) / ((K + 1) * a);
    } else {
        double p = 0, q = 0;
        if (model == 12) {
            if (K == 4) K = 3.99999999;
            p = (K * a + 4 * p0 + K * b) / (4 - K);
            q = (p0 * p0 - K * a * b) / (4 - K);
        } else if (model == 17) {
            p = -a - b - 1 / K;
            q = a * b - p0 / K;
        } else {
            if (K == 1) K = 0.999999999;
            p = (K * a + q0 + p0 + K * b) / (1 - K);
            q = (q0 * p0 - K * a * b) / (1 - K);
        }
        const double D = p * p / 4 - q;
        if (D < 0)
            return "numerischer Fehler aufgetreten: Wurzel aus x < 0" + n + "Überprüfen Sie die Eingabewerte" + n + n +
                   "Tipp: Setzen Sie zur Orientierung die Standardwerte";
        const double x1 = -p / 2 + std::sqrt(D);
        const double x2 = -p / 2 - std::sqrt(D);
        x = x1 > a ? x2 : x1;
    }
    const double Ug = model == 8 ? x : x / a;

    const std::string intro =
        "Im Fall \"umkehrbare Reaktion\" ist die Vorgabe eines beliebigen Umsatzes U(A) nicht möglich;" + n +
        "die Reaktion kann maximal bis zum Gleichgewicht laufen." + n + n +
        "Für das vorgegebene Eingangsgemisch liegt der mögliche Umsatz für A im Bereich";
    if (x == 0)
        return "Das Eingangsgemisch befindet sich bereits im chem. Gleichgewicht." + n + n +
               "Die Vorgabe eines Umsatzes U(A) ist daher nicht möglich.";
    if (x > 0 && UmsatzU >= Ug) return intro + n + n + " 0 < U(A) < " + Short(Ug) + n + n;
    if (x < 0 && !(Ug <= UmsatzU && UmsatzU < 0))
        return intro + (model == 8 ? n : n + n) + Short(Ug) + " < U(A) < 0" + n + n +
               "Ein negativer Wert für den Umsatz U(A) bedeutet, dass im Laufe der Reaktion zusätzliches A entsteht.";
    return {};
}

void frmRKconti::ReadQuantities() {
    UmsatzU = BoxValue(Inp[13]);
    VolumenReaktor = BoxValue(Inp[14]);
    VPunkt = BoxValue(Inp[15]);
    tauMittel = BoxValue(Inp[16]);
}

void frmRKconti::cmdCalc_Click() {
    for (int s = 1; s <= 5; ++s) {
        c0Wert[static_cast<std::size_t>(s)] = BoxValue(Inp[static_cast<std::size_t>(s - 1)]);
        cAktuell[static_cast<std::size_t>(s)] = BoxValue(Inp[static_cast<std::size_t>(s + 4)]);
    }
    ReadQuantities();

    const std::string complaints = InputComplaints();
    if (!complaints.empty()) {
        platform::MsgBox(complaints, platform::MsgCritical, kTitelEingabe);
        InitRKconti();
        return;
    }
    const std::string refusal = ConversionRefusal();
    if (!refusal.empty()) {
        InitRKconti();
        platform::MsgBox(refusal, platform::MsgCritical, kTitelEingabe);
        return;
    }
    const int mode = CalcModeConti;
    if (mode >= 2 && simulation::InletAtEquilibrium(aktModell, c0Wert, kWert[1], kWert[2]))
        simulation::ShowEquilibriumNote();

    int Fehler = 0;
    int Rechenfehler = 0;
    WaitCursorOn();
    try {
        CalcContiKessel(aktModell, mode, c0Wert, UmsatzU, VolumenReaktor, VPunkt, tauMittel, cAktuell, KsiWerte, Fehler,
                        Rechenfehler);
    } catch (const std::exception&) {
        // An arithmetic fault of the balance (for example no A in the inlet) is a calculation failure.
        Rechenfehler = kTrue;
    }
    WaitCursorOff();

    if (!Fehler && !Rechenfehler) {
        const double computed[4] = {UmsatzU, VolumenReaktor, VPunkt, tauMittel};
        for (int slot = 13; slot <= 16; ++slot) {
            if (!simulation::ContiModeGives(mode, slot)) Inp[static_cast<std::size_t>(slot)]->setText(U8(Short(computed[slot - 13])));
        }
        simulation::ShowOutletConcentrations(*this);
        cmdShowKsi->setEnabled(true);
        cmdDiagram->setEnabled(true);
        FillProtocolRow();
        DrawReactorCSTR(UmsatzU);
        if (RuehrerAnimation) {
            Stirrer->StartStirrer();
            chkAnimation->setEnabled(false);
        }
    } else {
        UmsatzU = 0;
        for (int i = 5; i <= 9; ++i) Inp[i]->clear();
        VerwirfErgebnisZeilen(kName);
        Inp[mode <= 1 ? 16 : 13]->clear();
        cmdDiagram->setEnabled(false);
        cmdShowKsi->setEnabled(false);
        if (Rechenfehler) platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
        if (Fehler && aktModell == 7 && mode <= 1)
            platform::MsgBox("für den gewünschten Umsatz ist die Anfangskonzentration von Stoff B nicht ausreichend",
                             platform::MsgCritical, kTitelEingabe);
    }
    if (ErsteBerechnung) cmdProtocol->setEnabled(true);
    ErsteBerechnung = kFalse;
}

// One row: the numbers shown in the boxes after the results were written.
void frmRKconti::FillProtocolRow() {
    ProtokollZeile row{};
    for (int j = 1; j <= 14; ++j) row[static_cast<std::size_t>(j)] = static_cast<float>(BoxValue(Inp[static_cast<std::size_t>(j - 1)]));
    row[15] = static_cast<float>(BoxValue(Inp[16]));
    row[17] = static_cast<float>(BoxValue(Inp[14]));
    row[18] = static_cast<float>(BoxValue(Inp[15]));
    row[20] = static_cast<float>(KsiWerte[1]);
    row[21] = static_cast<float>(KsiWerte[2]);
    SetzeErgebnisZeilen(kName, kReaktorCode, {row});
}

// ---------------------------------------------------------------------------------------------
// Diagram of the outlet over the mean residence time

void frmRKconti::cmdDiagram_Click() {
    if (ContiHinweisOffen) {
        ContiHinweisOffen = kFalse;
        platform::MsgBox(LearnerHint(), platform::MsgInformation, "ein Hinweis für Lernende");
    }
    ReadQuantities();
    bool Fehler = false;
    WaitCursorOn();
    try {
        simulation::CalcCSTRDiagramm(aktModell, tauMittel, c0Wert, cAktuell, Fehler);
    } catch (const std::exception&) {
        Fehler = true;
    }
    WaitCursorOff();
    // No computable grid point: the open diagram stays as it is.
    if (Fehler) {
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
        return;
    }
    simulation::HandOverReactorDiagram(true);
}
