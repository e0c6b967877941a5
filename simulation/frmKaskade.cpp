#include "simulation/frmKaskade.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <optional>

#include "kernel/Cascade.h"
#include "kernel/ResultRows.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/SteadyState.h"
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

const char* const kName = "frmKaskade";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmKaskade; });

const char* const kTitelEingabe = " Ausführung nicht möglich ";
const char* const kTitelFehler = "Meldung von Sub cmdCalc/CalcCascade";
constexpr int kReaktorCode = 5;  // the cascade's line in the protocol
constexpr int kBreiteNormal = 10950;   // twips
constexpr int kRechteSpalte = 8350;    // left edge of the column of stage number, buttons and extents
constexpr int kBreiteWeit = 13980;     // once more than five stages were chosen
constexpr int kHoehe = 9672;
constexpr int kWeiteAbStufen = 6;
constexpr int kStartStufen = 3;
constexpr int kHilfeFenster = 7020;
constexpr double kStartUmsatz = 0.9;
constexpr double kStartVolumen = 0.1;
constexpr int kSlotTop = 5250;         // top of the stage slots below the tanks
constexpr int kPipeTop = 2340;         // top of a tank's inlet arrow
constexpr int kPipeBottom = 5110;      // just below a tank's outlet arrow

QString U8(const char* text) { return QString::fromUtf8(text); }
QString U8(const std::string& text) { return QString::fromStdString(text); }

using simulation::BoxValue;

std::string StageConversionText(double u) { return "U(A) = " + platform::Format(u, "0.00##"); }

// Keeps the shared values a trial run of the stages overwrites, and puts them back.
struct SharedStageState {
    ConcMatrix cKaskade = kernel::cKaskade;
    double UmsatzU = kernel::UmsatzU;
    std::array<double, 4> KsiWerte = kernel::KsiWerte;
    std::array<double, 4> kWert = kernel::kWert;
    ~SharedStageState() {
        kernel::cKaskade = cKaskade;
        kernel::UmsatzU = UmsatzU;
        kernel::KsiWerte = KsiWerte;
        kernel::kWert = kWert;
    }
};

// Overall conversion of A after n equal tanks of stage residence time tau, fed with c0Wert (stage
// solver in mode 3 on scratch tables); none when a stage fails.
std::optional<double> TrialConversion(int model, int n, double tau) {
    const SharedStageState keep;
    const auto rows = static_cast<std::size_t>(n + 2);
    kernel::cKaskade.assign(rows, ConcVector{});
    ConcMatrix out(rows, ConcVector{});
    std::vector<double> stageU(static_cast<std::size_t>(n + 1), 0.0);
    kernel::cKaskade[1] = c0Wert;
    double V = 0, Vdot = 0;
    try {
        for (int i = 1; i <= n; ++i) {
            int errA = 0, errB = 0;
            CalcKaskadenStufe(i, model, 3, c0Wert[1], kernel::cKaskade, stageU, V, Vdot, tau, out, errA, errB);
            if (errA || errB) return std::nullopt;
            kernel::cKaskade[static_cast<std::size_t>(i + 1)] = out[static_cast<std::size_t>(i)];
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const double u = stageU[static_cast<std::size_t>(n)];
    return std::isfinite(u) ? std::optional<double>(u) : std::nullopt;
}

enum class StageSearch { Found, Unreachable, Failed };

// Residence time of one tank at which n equal tanks reach the overall conversion `target` of A:
// the interval is widened by doubling until the conversion is reached, then halved.
StageSearch StageTimeForConversion(int model, int n, double target, double& tau) {
    constexpr int kMaxDoublings = 200;
    constexpr int kMaxHalvings = 200;
    double lo = 0;
    double hi = kWert[1] > 0 ? 1 / kWert[1] : 1;
    bool bracketed = false;
    for (int step = 0; step < kMaxDoublings && std::isfinite(hi); ++step) {
        const std::optional<double> u = TrialConversion(model, n, hi);
        if (!u) return lo > 0 ? StageSearch::Unreachable : StageSearch::Failed;
        if (*u >= target) {
            bracketed = true;
            break;
        }
        lo = hi;
        hi *= 2;
    }
    if (!bracketed) return StageSearch::Unreachable;
    for (int step = 0; step < kMaxHalvings && hi - lo > 1e-13 * hi; ++step) {
        const double mid = 0.5 * (lo + hi);
        const std::optional<double> u = TrialConversion(model, n, mid);
        if (!u) return StageSearch::Failed;
        (*u >= target ? hi : lo) = mid;
    }
    tau = 0.5 * (lo + hi);
    return tau > 0 ? StageSearch::Found : StageSearch::Failed;
}

}  // namespace

frmKaskade::frmKaskade(QWidget* parent) : CalcWindow(kName, 21, parent) {
    setWindowTitle(U8("  Rührkesselkaskade, isotherm"));
    BuildControls();
    Form_Load();
    simulation::ConnectActivation(this, [this] { Form_Activate(); });
}

frmKaskade* frmKaskade::Loaded() { return qobject_cast<frmKaskade*>(platform::Windows().Get(kName)); }

QSize frmKaskade::sizeHint() const { return {Tw(widthTw_ > 0 ? widthTw_ : kBreiteNormal), Tw(kHoehe)}; }

// ---------------------------------------------------------------------------------------------
// Controls

void frmKaskade::BuildControls() {
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);

    // The tanks and the pipes between them; the stage slots line up below the tanks.
    Picture = new simulation::VesselCanvas(this, 0, 2200, kBreiteWeit, 2950);
    Picture->setObjectName("Picture");
    Stirrer = new simulation::StirrerAnimation(*Picture, simulation::StirrerAnimation::Kind::Cascade, this);
    for (int i = 1; i <= kMaxStufen; ++i) BuildStageSlot(i);

    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    auto* fraEingang = new QGroupBox(U8("Eingangs-Konz."), this);
    fraEingang->setObjectName("fraEingang");
    // Above the tanks' drawing, which starts at 2200.
    PlaceTw(fraEingang, 60, 280, 1600, 1900);
    PlaceTw(MakeLabel("lblKonzEingang", U8("c(i)(0) /(mol/L)"), fraEingang), 100, 190, 1450, 250);
    for (int i = 0; i < 5; ++i) {
        lblStoff[i]->setParent(fraEingang);
        lblStoff[i]->setText(letters[i]);
        PlaceTw(lblStoff[i], 100, 455 + i * 285, 300, 260);
        Inp[i]->setParent(fraEingang);
        PlaceTw(Inp[i], 420, 435 + i * 285, 1100, 270);
    }
    // Boxes of the shared control names that this window does not show: the stage boxes carry the outlet.
    auto* holder = new QWidget(this);
    holder->setObjectName("unsichtbar");
    holder->hide();
    for (int i = 5; i <= 9; ++i) {
        lblStoff[i]->setParent(holder);
        Inp[i]->setParent(holder);
    }
    for (int i = 5; i <= 21; ++i) {
        if (i >= 10 && i <= 16) continue;
        Inp[i]->setParent(holder);
        Inp[i]->setReadOnly(true);
    }
    chkSpecialScaling->setParent(holder);
    chkDelDiagram->setParent(holder);
    for (auto* option : optSpecialScaling) option->setParent(holder);
    // The scaling controls of the cascade are dummies without handlers.
    chkSpecialScaling->disconnect(this);
    chkDelDiagram->disconnect(this);
    for (auto* option : optSpecialScaling) option->disconnect(this);

    PlaceTw(simulation::BuildRateFrame(*this, {100, 450, 280, 330, 270}), 1710, 300, 3450, 1300);
    PlaceTw(cmdReset_k, 1710, 1630, 3450, 330);

    auto* fraGroessen = new QGroupBox(this);
    fraGroessen->setObjectName("fraGroessen");
    PlaceTw(fraGroessen, 5210, 300, 3070, 1650);
    Label2 = MakeLabel("Label2", U8("0 < U(A) < 1"), fraGroessen);
    QLabel* lblV = MakeLabel("lblV", U8(" V/ m^3"), fraGroessen);
    lblVPunktInput = MakeLabel("lblVPunktInput", U8(" V*/ (m^3/t)"), fraGroessen);
    QLabel* lblT = MakeLabel("lblT", U8(" t/"), fraGroessen);
    QLabel* names[4] = {Label2, lblV, lblVPunktInput, lblT};
    for (int r = 0; r < 4; ++r) {
        PlaceTw(names[r], 100, 230 + r * 330, 1330, 260);  // "V* /(m^3/min)" whole
        Inp[13 + r]->setParent(fraGroessen);
        PlaceTw(Inp[13 + r], 1440, 210 + r * 330, NumberBoxTwips(Inp[13 + r]), 270);
    }
    PlaceTw(lblT, 100, 230 + 3 * 330, 350, 260);
    lblZeitEinheit = MakeLabel("lblZeitEinheit", U8(ZeitEinheit), fraGroessen);
    PlaceTw(lblZeitEinheit, 450, 230 + 3 * 330, 900, 260);
    // Below the default button, across to the right column: a seven-digit or exponent time with its
    // unit fits whole.
    lblZeitProKessel = MakeLabel("lblZeitProKessel", QString());
    PlaceTw(lblZeitProKessel, 1710, 1970, kRechteSpalte - 1780, 230);

    auto* fraN = new QGroupBox(U8("Stufenzahl N "), this);
    fraN->setObjectName("fraN");
    PlaceTw(fraN, kRechteSpalte, 300, 2500, 750);
    txtNKask = new QLineEdit(fraN);
    txtNKask->setObjectName("txtNKask");
    PlaceTw(txtNKask, 150, 300, 600, 300);
    txtNKask->installEventFilter(this);
    Label1 = MakeLabel("Label1", QString(), fraN);
    PlaceTw(Label1, 850, 320, 1500, 260);

    fraKsi->setTitle(U8("Reaktionsfortschritt"));
    PlaceTw(fraKsi, kRechteSpalte, 1100, 2500, 1150);
    PlaceTw(lblTextKsi_1, 80, 330, 2350, 260);
    PlaceTw(lblTextKsi_2, 80, 680, 2350, 260);
    PlaceTw(cmdCloseKsi, 2100, 0, 330, 260);

    auto* fraModus = new QGroupBox(U8(" Vorgabe von zwei Größen "), this);
    fraModus->setObjectName("fraModus");
    PlaceTw(fraModus, 60, 7650, 7480, 1650);
    static const char* const captions[5] = {
        "Umsatz U(A) und Einzel-Reaktionsvolumen V", "Umsatz U(A) und Volumenstrom V*",
        "Einzel-Reaktionsvolumen V und Volumenstrom V*",
        "mittlere Gesamt-Verweilzeit t in der Kaskade und Einzel-Reaktionsvolumen V",
        "mittlere Gesamt-Verweilzeit  t in der Kaskade und Volumenstrom V*"};
    for (int i = 0; i < 5; ++i) {
        auto* option = new QRadioButton(U8(captions[i]), fraModus);
        option->setObjectName(QStringLiteral("optCalcKask(%1)").arg(i));
        PlaceTw(option, 120, 250 + i * 270, 7330, 260);
        connect(option, &QRadioButton::clicked, this, [this, i] { optCalcKask_Click(i); });
        optCalcKask[i] = option;
    }

    cmdStart = MakeButton("cmdStart", U8("Start"));
    PlaceTw(cmdStart, kRechteSpalte, 7650, 1200, 400);
    cmdDiagram->setText(U8("Diagramm c(N)"));
    cmdDiagram->setToolTip(U8(" Konzentrationssprünge in den Kaskadenstufen "));
    PlaceTw(cmdDiagram, kRechteSpalte, 8100, 2500, 400);
    cmdDiagram2 = MakeButton("cmdDiagram2", U8("Diagramm c(t)"));
    cmdDiagram2->setToolTip(
        U8(" Abhängigkeit der Konzentrationen am Kaskaden-Ende von der mittl. Gesamt-Verweilzeit  "));
    PlaceTw(cmdDiagram2, kRechteSpalte, 8550, 2500, 400);
    PlaceTw(cmdShowKsi, kRechteSpalte, 1830, 2500, 380);
    MakeProtocolButton(U8("Protokollieren aktivieren"));
    PlaceTw(cmdProtocol, kRechteSpalte, 1400, 2500, 380);
    chkAnimation = MakeCheck("chkAnimation", U8("Rührer-Animation"));
    PlaceTw(chkAnimation, kRechteSpalte + 50, 1080, 2400, 280);
    cmdHelp = MakeButton("cmdHelp", U8("Hilfe"));
    PlaceTw(cmdHelp, kRechteSpalte + 1300, 7650, 1200, 400);
    cmdEsc = MakeButton("cmdEsc", U8("Schließen <Esc>"));
    PlaceTw(cmdEsc, kRechteSpalte, 9000, 2500, 400);

    fraKsi->raise();  // over the buttons it shares the corner with
    connect(txtNKask, &QLineEdit::textChanged, this, &frmKaskade::txtNKask_Change);
    connect(cmdStart, &QPushButton::clicked, this, &frmKaskade::cmdStart_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &frmKaskade::cmdDiagram_Click);
    connect(cmdDiagram2, &QPushButton::clicked, this, &frmKaskade::cmdDiagram2_Click);
    connect(chkAnimation, &QCheckBox::clicked, this, &frmKaskade::chkAnimation_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmKaskade::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &CalcWindow::cmdEsc_Click);
}

void frmKaskade::BuildStageSlot(int i) {
    const int cx = simulation::RowTankCentre(i);
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("fraAusgang(%1)").arg(i));
    PlaceTw(frame, cx - 880, kSlotTop, 1760, 1900);
    if (i == 1) frame->setTitle(U8("Ausgangs-Konz."));
    fraAusgang[i] = frame;
    Label8[i] = MakeLabel(QStringLiteral("Label8(%1)").arg(i), U8("c /(mol/L)"), frame);
    PlaceTw(Label8[i], 420, 220, 1300, 250);
    for (int s = 1; s <= 5; ++s) {
        const int k = 5 * (i - 1) + s;
        lblStoff_a[k] = MakeLabel(QStringLiteral("lblStoff_a(%1)").arg(k), QString(), frame);
        PlaceTw(lblStoff_a[k], 80, 500 + (s - 1) * 270, 320, 250);
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("cA(%1)").arg(k));
        box->setReadOnly(true);
        box->setStyleSheet(QString::fromLatin1(simulation::kLockedBoxStyle));
        PlaceTw(box, 420, 480 + (s - 1) * 270, 1250, 255);
        cA[k] = box;
    }
    lblUA[i] = MakeLabel(QStringLiteral("lblUA(%1)").arg(i), QString());
    PlaceTw(lblUA[i], cx - 880, kSlotTop + 1950, 1760, 260);
    if (i < 2) return;
    // The pipe leaves the outlet arrow of tank i - 1 and enters the inlet arrow of tank i from above.
    const int from = simulation::RowTankCentre(i - 1) - 10;
    const int to = cx - 400;
    const int riser = simulation::RowTankCentre(i - 1) + 960;
    const int w = 30;
    const int rects[4][4] = {{from - w / 2, 5060, w, kPipeBottom - 5060 + w},
                             {from - w / 2, kPipeBottom, riser - from + w, w},
                             {riser - w / 2, kPipeTop, w, kPipeBottom - kPipeTop + w},
                             {riser - w / 2, kPipeTop, to - riser + w, w}};
    for (int j = 0; j < 4; ++j) {
        auto* line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line%1(%2)").arg(j + 1).arg(i));
        line->setStyleSheet(QStringLiteral("background-color: black;"));
        PlaceTw(line, rects[j][0], rects[j][1], rects[j][2], rects[j][3]);
        Line[i][j] = line;
    }
}

// Form_Resize: the model caption spans the window.
void frmKaskade::resizeEvent(QResizeEvent* event) {
    CalcWindow::resizeEvent(event);
    Label7->setGeometry(0, Tw(30), std::max(0, width() - Tw(70)), Tw(260));
}

void frmKaskade::SetWidthTw(int twips) {
    widthTw_ = twips;
    QWidget* frame = platform::Windows().Get(kName) == this ? platform::Windows().Frame(kName) : nullptr;
    if (frame != nullptr && frame != this) {
        frame->resize(frame->width() + Tw(twips) - width(), frame->height());
    } else {
        resize(Tw(twips), Tw(kHoehe));
    }
}

// ---------------------------------------------------------------------------------------------
// Loading, activation, refresh

void frmKaskade::Form_Load() {
    SetWidthTw(kBreiteNormal);
    ErsteBerechnung = kTrue;
    if (nKaskade == 0) nKaskade = kStartStufen;
    UmsatzStufe.assign(static_cast<std::size_t>(nKaskade + 1), 0.0);
    Label7->setGeometry(0, Tw(30), width() - Tw(70), Tw(260));

    CalcModeConti = 3;
    optCalcKask[3]->setChecked(true);
    optCalcKask_Click(3);

    Stirrer->Stop();
    chkAnimation->setEnabled(true);
    cmdShowKsi->setEnabled(false);
    fraKsi->hide();
    cmdDiagram2->setEnabled(false);

    Inp[14]->setText(U8(" .1"));
    Inp[13]->setText(U8(Short(UmsatzStufe[static_cast<std::size_t>(nKaskade)])));
    txtNKask->setText(QString::number(nKaskade));
    Label1->setText(QStringLiteral("(1 < N < %1)").arg(kMaxStufen + 1));
    if (chkAnimation->isChecked() != (RuehrerAnimation != 0)) {
        chkAnimation->setChecked(RuehrerAnimation != 0);
        chkAnimation_Click();
    }
    if (UmsatzU == 0) UmsatzU = kStartUmsatz;
    if (VolumenKessel == 0) VolumenKessel = kStartVolumen;
    Inp[14]->setText(U8(Short(VolumenKessel)));
    UpdateZeitProKessel();
    InitCascade();
}

void frmKaskade::Form_Activate() {
    if (aktModell == 20) Label7->setText(U8(simulation::Model20Caption()));
    txtNKask->setFocus();
}

void frmKaskade::UpdateZeitProKessel() {
    const int n = nKaskade != 0 ? nKaskade : 1;
    lblZeitProKessel->setText(U8("Verweilzeit pro Kessel: " + platform::CStrSingle(static_cast<float>(tauMittel / n)) +
                                 " " + ZeitEinheit));
}

void frmKaskade::SetStageEmphasis(int i, bool last) {
    QFont font = fraAusgang[i]->font();
    font.setBold(last);
    fraAusgang[i]->setFont(font);
    fraAusgang[i]->setProperty("displayStyle", last ? 1 : 0);
}

// Slots 2..7 and the conversion labels hidden and emptied; the outlet boxes of stages 1..N locked and
// emptied, those of the last stage emphasised.
void frmKaskade::ClearStageSlots() {
    const int n = nKaskade;
    for (int i = 2; i <= kMaxStufen; ++i) {
        for (QFrame* line : Line[i]) line->hide();
        fraAusgang[i]->hide();
        fraAusgang[i]->setTitle(QString());
        SetStageEmphasis(i, false);
        Label8[i]->setEnabled(false);
        lblUA[i]->hide();
        lblUA[i]->clear();
    }
    lblUA[1]->hide();
    lblUA[1]->clear();
    fraAusgang[1]->setTitle(U8("Ausgangs-Konz."));
    SetStageEmphasis(1, false);
    for (int k = 1; k <= 5 * std::min(n, kMaxStufen); ++k) {
        lblStoff_a[k]->setEnabled(false);
        cA[k]->setReadOnly(true);
        QFont font = cA[k]->font();
        font.setBold(false);
        cA[k]->setFont(font);
        cA[k]->clear();
    }
    for (int k = 5 * (n - 1) + 1; k >= 1 && k <= 5 * n && k <= 5 * kMaxStufen; ++k) {
        lblStoff_a[k]->setEnabled(true);
        QFont font = cA[k]->font();
        font.setBold(true);
        cA[k]->setFont(font);
    }
}

void frmKaskade::SetStageLetters() {
    // The model window names only the stages that exist when it writes; a stage shown later by a
    // larger N would stand without names, so every slot is named here for the current model.
    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    static const char* const enzymLetters[5] = {"E", "S", "ES", "P", "Q"};
    const char* const* names = aktModell == 10 ? enzymLetters : letters;
    for (int k = 1; k <= 5 * kMaxStufen; ++k) lblStoff_a[k]->setText(names[(k - 1) % 5]);
}

void frmKaskade::ShowStage(int i) {
    if (i >= 2)
        for (QFrame* line : Line[i]) line->show();
    fraAusgang[i]->show();
    lblUA[i]->show();
}

void frmKaskade::InitCascade() {
    if (aktModell == 20) Label7->setText(U8(simulation::Model20Caption()));
    if (nKaskade == 0) nKaskade = kStartStufen;
    const int n = std::min(nKaskade, kMaxStufen);
    UmsatzStufe.assign(static_cast<std::size_t>(nKaskade + 1), 0.0);
    Picture->Cls();
    ClearComputedConversion();
    ClearStageSlots();
    SetStageLetters();
    for (int i = 1; i <= n; ++i) {
        ShowStage(i);
        UmsatzStufe[static_cast<std::size_t>(i)] = 0;
        simulation::DrawCascadeVessels(*Picture, i, 0);
    }
    Label8[n]->setEnabled(true);
    SetStageEmphasis(n, true);
    fraAusgang[n]->setTitle(U8("Produkt-Konz."));
    Picture->update();
    Stirrer->Stop();
    chkAnimation->setEnabled(true);
    cmdProtocol->setEnabled(false);
    cmdDiagram->setEnabled(false);
    cmdDiagram2->setEnabled(false);
    VerwirfErgebnisZeilen(kName);
}

void frmKaskade::optCalcKask_Click(int index) {
    if (index < 0 || index > 4) return;
    CalcModeConti = index;
    simulation::ApplyContiMode(*this, index);
}

void frmKaskade::StoreInp(int index, double value) {
    CalcWindow::StoreInp(index, value);
    switch (index) {
    case 13: UmsatzU = value; break;
    case 14: VolumenKessel = value; break;
    case 15: VPunkt = value; break;
    case 16: tauMittel = value; break;
    default: break;
    }
}

void frmKaskade::BeforeStore(int) {
    cmdDiagram->setEnabled(false);
    cmdDiagram2->setEnabled(false);
}

// The extents frame stays as it is; a new mean residence time shows its share per tank.
void frmKaskade::AfterStore(int index) {
    if (index == 16) UpdateZeitProKessel();
}

void frmKaskade::RedrawNow() {
    if (Picture->isVisible()) Picture->repaint();
}

void frmKaskade::txtNKask_Change() {
    InitCascade();
    const QString text = txtNKask->text();
    if (!text.isEmpty()) {
        const double x = platform::Val(text.toStdString());
        if (x <= 1 || x > kMaxStufen) {
            platform::MsgBox("N muss zwischen 2 und " + std::to_string(kMaxStufen) + " liegen", platform::MsgCritical,
                             kTitelEingabe);
            txtNKask->setText(QStringLiteral("2"));  // runs this handler again for "2"
        }
        cmdStart->setEnabled(true);
        // Halves go to the even neighbour.
        nKaskade = static_cast<int>(std::nearbyint(platform::Val(txtNKask->text().toStdString())));
    } else {
        cmdStart->setEnabled(false);
        nKaskade = 1;
    }
    const int n = std::clamp(nKaskade, 1, kMaxStufen);
    const auto rows = static_cast<std::size_t>(nKaskade + 2);
    kernel::cKaskade.assign(rows, ConcVector{});
    cAusgangStufe.assign(rows, ConcVector{});
    UmsatzStufe.assign(static_cast<std::size_t>(nKaskade + 1), 0.0);
    if (nKaskade >= kWeiteAbStufen && widthTw_ < kBreiteWeit) SetWidthTw(kBreiteWeit);

    Picture->Cls();
    ClearStageSlots();
    simulation::DrawCascadeVessels(*Picture, 1, 0);
    RedrawNow();
    for (int i = 2; i <= n; ++i) {
        ShowStage(i);
        fraAusgang[n]->setTitle(U8("Produkt-Konz."));
        simulation::DrawCascadeVessels(*Picture, i, 0);
        RedrawNow();
        Pause(KaskadeAufbauPause);
    }
    lblUA[1]->show();
    fraAusgang[1]->show();
    SetStageEmphasis(n, true);
    Label8[n]->setEnabled(true);
    ShowOutletBoxesByMask();
    ClearComputedConversion();
    for (int k = 1; k <= 5 * n; ++k) cA[k]->clear();
    UpdateZeitProKessel();
    cmdDiagram->setEnabled(false);
    cmdDiagram2->setEnabled(false);
    Picture->update();
}

// A computed total conversion belongs to the results; a given one is the user's input and stays.
void frmKaskade::ClearComputedConversion() {
    if (!simulation::ContiModeGives(CalcModeConti, simulation::kSlotU)) Inp[13]->clear();
}

bool frmKaskade::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNKask && event->type() == QEvent::FocusIn) {
        // txtNKask_GotFocus: the whole text selected once the focus has settled.
        QMetaObject::invokeMethod(txtNKask, [box = txtNKask] { box->selectAll(); }, Qt::QueuedConnection);
        return false;
    }
    return CalcWindow::eventFilter(watched, event);
}

void frmKaskade::ShowOutletBoxesByMask() {
    const int n = std::min(nKaskade, kMaxStufen);
    for (int k = 1; k <= 5 * kMaxStufen; ++k) {
        cA[k]->hide();
        lblStoff_a[k]->hide();
    }
    for (int i = 1; i <= n; ++i) {
        for (int s = 1; s <= 5; ++s) {
            const int k = 5 * (i - 1) + s;
            const bool shown = static_cast<int>(KurvenMaske.size()) >= s && KurvenMaske[static_cast<std::size_t>(s - 1)] == '1';
            cA[k]->setVisible(shown);
            lblStoff_a[k]->setVisible(shown);
        }
    }
}

void frmKaskade::chkAnimation_Click() {
    RuehrerAnimation = chkAnimation->isChecked() ? kTrue : kFalse;
    if (RuehrerAnimation) {
        for (int i = 1; i <= std::min(nKaskade, kMaxStufen); ++i) Stirrer->DrawStirrer(i);
        chkAnimation->setEnabled(false);
    } else {
        Stirrer->Stop();
    }
    Picture->update();
}

void frmKaskade::cmdHelp_Click() { platform::ShowHelpContext(kHilfeFenster); }

// ---------------------------------------------------------------------------------------------
// Calculation

std::string frmKaskade::InputComplaints() {
    std::string text;
    if (nKaskade < 2) text += "- Stufenzahl N muss zwischen 2 und " + std::to_string(kMaxStufen) + " liegen" + CrLf;
    text += simulation::InletAndRateComplaints(*this);
    const int mode = CalcModeConti;
    if ((mode == 0 || mode == 1) && !(UmsatzU > 0 && UmsatzU < 1)) text += "- Der Umsatz muss (0 < U <= 1) sein." + CrLf;
    return text + simulation::QuantityComplaints(mode, VolumenKessel, VPunkt, tauMittel);
}

void frmKaskade::cmdStart_Click() {
    const int n = nKaskade;
    for (int s = 1; s <= 5; ++s) c0Wert[static_cast<std::size_t>(s)] = BoxValue(Inp[static_cast<std::size_t>(s - 1)]);
    const int mode = CalcModeConti;
    // A given total conversion is the one shown in its box.
    if (mode <= 1) UmsatzU = BoxValue(Inp[13]);
    VolumenKessel = BoxValue(Inp[14]);
    VPunkt = BoxValue(Inp[15]);
    tauMittel = BoxValue(Inp[16]);

    const std::string complaints = InputComplaints();
    if (!complaints.empty()) {
        platform::MsgBox(complaints, platform::MsgCritical, kTitelEingabe);
        InitCascade();
        return;
    }
    if (mode >= 2 && simulation::InletAtEquilibrium(aktModell, c0Wert, kWert[1], kWert[2]))
        simulation::ShowEquilibriumNote();

    int Fehler = 0;
    int Rechenfehler = 0;
    WaitCursorOn();
    SolveStages(Fehler, Rechenfehler);
    WaitCursorOff();

    if (!Fehler && !Rechenfehler) {
        switch (mode) {
        case 0:
            Inp[15]->setText(U8(Short(VPunkt)));
            Inp[16]->setText(U8(Short(tauMittel)));
            break;
        case 1:
            Inp[14]->setText(U8(Short(VolumenKessel)));
            Inp[16]->setText(U8(Short(tauMittel)));
            break;
        case 2:
            Inp[13]->setText(U8(Short(UmsatzStufe[static_cast<std::size_t>(n)])));
            Inp[16]->setText(U8(Short(tauMittel)));
            break;
        case 3:
            Inp[15]->setText(U8(Short(VPunkt)));
            Inp[13]->setText(U8(Short(UmsatzStufe[static_cast<std::size_t>(n)])));
            break;
        default:
            Inp[14]->setText(U8(Short(VolumenKessel)));
            Inp[13]->setText(U8(Short(UmsatzStufe[static_cast<std::size_t>(n)])));
            break;
        }
        UpdateZeitProKessel();
        cmdDiagram->setEnabled(true);
        cmdDiagram2->setEnabled(true);
        FillProtocolRows();
        ColourTanks();
    } else {
        ClearResultsAfterFailure();
        if (Rechenfehler)
            platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
    }
    // The protocol can be opened again after every calculation while its window is closed.
    if (ErsteBerechnung || !IsFormLoaded("frmProtokoll")) cmdProtocol->setEnabled(true);
    txtNKask->setFocus();
    ErsteBerechnung = kFalse;
}

// Stages 1..N, the outlet of each the inlet of the next. With a given total conversion (modes 0, 1)
// the residence time of the equal tanks is searched first, and the stages are then solved for it; the
// mean total residence time is N times that of one tank in every mode.
void frmKaskade::SolveStages(int& Fehler, int& Rechenfehler) {
    const int n = nKaskade;
    const int mode = CalcModeConti;
    const auto rows = static_cast<std::size_t>(n + 2);
    kernel::cKaskade.assign(rows, ConcVector{});
    cAusgangStufe.assign(rows, ConcVector{});
    UmsatzStufe.assign(static_cast<std::size_t>(n + 1), 0.0);
    kernel::cKaskade[1] = c0Wert;

    int stageMode = mode;
    double tauStufe = tauMittel / n;
    if (mode <= 1) {
        // A + B => P, A + B <=> 2P, A + B <=> P + Q: B is used up with A, one to one.
        const bool usesB = aktModell == 4 || aktModell == 12 || aktModell == 19;
        if (usesB && c0Wert[2] - UmsatzU * c0Wert[1] < 0) {
            platform::MsgBox(kMsgNotEnoughB, platform::MsgCritical, kSteadyMsgTitle);
            Fehler = kTrue;
            return;
        }
        switch (StageTimeForConversion(aktModell, n, UmsatzU, tauStufe)) {
        case StageSearch::Found: break;
        case StageSearch::Unreachable:
            platform::MsgBox(kMsgNotReachable, platform::MsgCritical, kSteadyMsgTitle);
            Fehler = kTrue;
            return;
        case StageSearch::Failed: Rechenfehler = kTrue; return;
        }
        stageMode = mode == 0 ? 3 : 4;
    } else if (mode == 2) {
        tauStufe = VolumenKessel / VPunkt;
    }
    try {
        for (int i = 1; i <= n; ++i) {
            int errA = 0, errB = 0;
            CalcKaskadenStufe(i, aktModell, stageMode, c0Wert[1], kernel::cKaskade, UmsatzStufe, VolumenKessel, VPunkt,
                              tauStufe, cAusgangStufe, errA, errB);
            if (errA) Fehler = kTrue;
            if (errB) Rechenfehler = kTrue;
            kernel::cKaskade[static_cast<std::size_t>(i + 1)] = cAusgangStufe[static_cast<std::size_t>(i)];
            WriteStage(i);
        }
    } catch (const std::exception&) {
        Rechenfehler = kTrue;
    }
    tauMittel = n * tauStufe;
}

void frmKaskade::WriteStage(int i) {
    if (i > kMaxStufen) return;
    for (int s = 1; s <= 5; ++s) {
        // Species the model does not have keep empty boxes.
        const double c = cAusgangStufe[static_cast<std::size_t>(i)][static_cast<std::size_t>(s)];
        cA[5 * (i - 1) + s]->setText(simulation::SpeciesInModel(s) ? U8(Short(c)) : QString());
    }
    lblUA[i]->setText(U8(StageConversionText(UmsatzStufe[static_cast<std::size_t>(i)])));
}

// One row per stage (rows 0..N-1), the numbers shown in the boxes; row N stays zero.
void frmKaskade::FillProtocolRows() {
    const int n = std::min(nKaskade, kMaxStufen);
    std::vector<ProtokollZeile> rows(static_cast<std::size_t>(n + 1), ProtokollZeile{});
    const auto shown = [](const QLineEdit* box) { return static_cast<float>(BoxValue(box)); };
    for (int i = 1; i <= n; ++i) {
        ProtokollZeile& row = rows[static_cast<std::size_t>(i - 1)];
        row[0] = static_cast<float>(i);
        for (int s = 1; s <= 5; ++s) {
            const QLineEdit* inlet = i == 1 ? Inp[static_cast<std::size_t>(s - 1)] : cA[5 * (i - 2) + s];
            row[static_cast<std::size_t>(s)] = shown(inlet);
            row[static_cast<std::size_t>(s + 5)] = shown(cA[5 * (i - 1) + s]);
        }
        for (int j = 0; j < 3; ++j) row[static_cast<std::size_t>(11 + j)] = shown(Inp[static_cast<std::size_t>(10 + j)]);
        row[14] = static_cast<float>(std::round(UmsatzStufe[static_cast<std::size_t>(i)] * 1e4) / 1e4);
        row[15] = static_cast<float>(BoxValue(Inp[16]) / n);
        row[17] = shown(Inp[14]);
        row[18] = shown(Inp[15]);
    }
    SetzeErgebnisZeilen(kName, kReaktorCode, std::move(rows), n);
}

// The tanks fill one after the other, each drawn at once; then every tank once more, with its stirrer.
void frmKaskade::ColourTanks() {
    const int n = std::min(nKaskade, kMaxStufen);
    for (int i = 1; i <= n; ++i) {
        simulation::FillVesselColours(*Picture, i, UmsatzStufe);
        RedrawNow();
        Pause(KaskadeFuellPause);
    }
    for (int i = 1; i <= n; ++i) {
        simulation::FillVesselColours(*Picture, i, UmsatzStufe);
        if (RuehrerAnimation) {
            Stirrer->DrawStirrer(i);
            chkAnimation->setEnabled(false);
        }
    }
    Picture->update();
}

void frmKaskade::ClearResultsAfterFailure() {
    const int n = std::min(nKaskade, kMaxStufen);
    VerwirfErgebnisZeilen(kName);
    ClearComputedConversion();
    for (int i = 1; i <= n; ++i) {
        UmsatzStufe[static_cast<std::size_t>(i)] = 0;
        simulation::FillVesselColours(*Picture, i, UmsatzStufe);
        for (int s = 1; s <= 5; ++s) cA[5 * (i - 1) + s]->clear();
        lblUA[i]->setText(U8(StageConversionText(0)));
    }
    Picture->update();
    cmdDiagram->setEnabled(false);
    cmdDiagram2->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Diagrams

void frmKaskade::ReadQuantities() {
    UmsatzU = BoxValue(Inp[13]);
    VolumenKessel = BoxValue(Inp[14]);
    VPunkt = BoxValue(Inp[15]);
    tauMittel = BoxValue(Inp[16]);
}

void frmKaskade::cmdDiagram_Click() {
    KaskadeUeberTau = kFalse;
    ReadQuantities();
    int Fehler = 0;
    simulation::CalcKaskadenProfil(aktModell, c0Wert, cAusgangStufe, nKaskade, Fehler);
    if (!Fehler) simulation::HandOverReactorDiagram(false);
    txtNKask->setFocus();
}

void frmKaskade::cmdDiagram2_Click() {
    KaskadeUeberTau = kTrue;
    ReadQuantities();
    bool Fehler = false;
    {
        // The grid solves the cascade on copies: the stages of the last calculation stay for c(N).
        ConcMatrix stages = cAusgangStufe;
        const SharedStageState keep;
        WaitCursorOn();
        try {
            simulation::CalcKaskadenDiagramm(aktModell, tauMittel, kernel::cKaskade, stages, Fehler);
        } catch (const std::exception&) {
            Fehler = true;
        }
        WaitCursorOff();
    }
    // No computable grid point: the open diagram stays as it is.
    if (Fehler) platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kTitelFehler);
    else simulation::HandOverReactorDiagram(true);
    txtNKask->setFocus();
}
