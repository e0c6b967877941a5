#include "simulation/frmVerweilCalc.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include <cfloat>
#include <cmath>
#include <exception>

#include "diagram/Grafik.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;
using simulation::VerweilFunktion;

namespace {

const char* const kName = "frmVerweilCalc";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmVerweilCalc; });

const char* const kDiagramm = "frmTGraph2D";
const char* const kNichtMoeglich = " Ausführung nicht möglich ";
constexpr int kFensterBreite = 8244;  // twips
constexpr int kFensterHoehe = 4776;
constexpr int kMaxKessel = 120;
constexpr int kCodeEt = 112, kCodeEdimlos = 113, kCodeFt = 114, kCodeFdimlos = 115;
constexpr int kHilfeKessel = 6021, kHilfeKaskade = 6031;
constexpr float kStartVolumen = 0.05f;     // m^3
constexpr float kStartDurchsatz = 0.004f;  // m^3 per time unit

const char* const kOcxHinweis =
    "Falls prinzipiell keine Diagramm-Grafik möglich ist, wurde das 2D-Graphikmodul\r\n"
    "\\...\\olch2x8.ocx bei der Installation nicht ordnungsgemäß registriert.\r\n"
    "Bitte versuchen Sie eine manuelle Registrierung (s. unsere Website).";

QString U(const char* text) { return QString::fromUtf8(text); }
QString U(const std::string& text) { return QString::fromStdString(text); }

double ValOf(const QString& text) { return platform::ValLocale(text.toStdString()); }

// Whole number, halves to the even neighbour (the rounding of an Integer assignment).
int RundeGerade(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

frmVerweilCalc::frmVerweilCalc(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(U("Berechnung Verweilzeit-Verteilung für Rührkessel und Rührkessel-Kaskade"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
}

bool frmVerweilCalc::IsRegistered() { return platform::Windows().IsRegistered(kName); }

frmVerweilCalc* frmVerweilCalc::Loaded() { return qobject_cast<frmVerweilCalc*>(platform::Windows().Get(kName)); }

void frmVerweilCalc::BuildControls() {
    auto label = [this](const char* name, const QString& caption, QWidget* parent) {
        auto* l = new QLabel(caption, parent ? parent : this);
        l->setObjectName(name);
        return l;
    };
    auto box = [this](const char* name, QWidget* parent) {
        auto* b = new QLineEdit(parent);
        b->setObjectName(name);
        b->installEventFilter(this);
        return b;
    };
    auto button = [this](const char* name, const QString& caption, QWidget* parent) {
        auto* b = new QPushButton(caption, parent ? parent : this);
        b->setObjectName(name);
        return b;
    };

    frKessel = new QGroupBox(this);
    frKessel->setObjectName("frKessel");
    Label3 = label("Label3", U(" Zahl der Kessel N"), frKessel);
    txtNKask = box("txtNKask", frKessel);
    txtNKask->setText(" 1");
    Label2 = label("Label2", QString(), frKessel);
    Label4 = label("Label4", QString(), frKessel);
    Label1 = label("Label1", U("Gesamt-Volumen V/m^3"), frKessel);
    txtVR = box("txtVR", frKessel);
    Label5 = label("Label5", QString(), frKessel);
    txtVPunkt = box("txtVPunkt", frKessel);
    Label6 = label("Label6", QString(), frKessel);
    Label6->setWordWrap(true);
    txttm = box("txttm", frKessel);
    txttm->setReadOnly(true);
    txttm->setStyleSheet(simulation::kLockedBoxStyle);

    const char* const achsen[2] = {"x-Achse:   t", "x-Achse:   t/tm"};
    for (int i = 0; i < 2; ++i) {
        optxAchse[i] = new QRadioButton(U(achsen[i]), this);
        optxAchse[i]->setObjectName(QStringLiteral("optxAchse(%1)").arg(i));
        connect(optxAchse[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optxAchse_Click(i);
        });
    }
    Frame5 = new QGroupBox(this);
    Frame5->setObjectName("Frame5");
    cmdDiaE_RK = button("cmdDiaE_RK", QString(), Frame5);
    Frame6 = new QGroupBox(U("Verweilzeit-Summenfunktion F"), this);
    Frame6->setObjectName("Frame6");
    cmdDiaF_RK = button("cmdDiaF_RK", QString(), Frame6);
    cmdCloseDiag = button("cmdCloseDiag", U("Diagramm löschen"), nullptr);
    Label7 = label("Label7", QString(), nullptr);
    Label7->setWordWrap(true);
    cmdHelp = button("cmdHelp", U("Hilfe"), nullptr);
    cmdEsc = button("cmdEsc", U("Schließen <Esc>"), nullptr);

    connect(txtNKask, &QLineEdit::textChanged, this, &frmVerweilCalc::txtNKask_Change);
    connect(txtVR, &QLineEdit::textChanged, this, &frmVerweilCalc::txtVR_Change);
    connect(txtVPunkt, &QLineEdit::textChanged, this, &frmVerweilCalc::txtVPunkt_Change);
    connect(cmdDiaE_RK, &QPushButton::clicked, this, &frmVerweilCalc::cmdDiaE_RK_Click);
    connect(cmdDiaF_RK, &QPushButton::clicked, this, &frmVerweilCalc::cmdDiaF_RK_Click);
    connect(cmdCloseDiag, &QPushButton::clicked, this, &frmVerweilCalc::cmdCloseDiag_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmVerweilCalc::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &frmVerweilCalc::cmdEsc_Click);
}

QWidget* frmVerweilCalc::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

QSize frmVerweilCalc::sizeHint() const { return {Tw(kFensterBreite), Tw(kFensterHoehe)}; }

// ---------------------------------------------------------------------------------------------
// Loading and closing

void frmVerweilCalc::Form_Load() {
    // The frames and their contents (twips of the client area).
    PlaceTw(frKessel, 120, 60, 3960, 2900);
    PlaceTw(Label3, 120, 300, 1700, 280);
    PlaceTw(txtNKask, 1850, 260, 700, 320);
    PlaceTw(Label2, 2650, 300, 1250, 280);
    PlaceTw(Label4, 120, 680, 3700, 520);
    PlaceTw(Label1, 120, 1330, 2250, 280);
    PlaceTw(txtVR, 2400, 1290, 1400, 320);
    PlaceTw(Label5, 120, 1740, 2250, 280);
    PlaceTw(txtVPunkt, 2400, 1700, 1400, 320);
    PlaceTw(Label6, 120, 2120, 2250, 560);
    PlaceTw(txttm, 2400, 2200, 1400, 320);
    PlaceTw(optxAchse[0], 4300, 120, 1800, 300);
    PlaceTw(optxAchse[1], 6150, 120, 1950, 300);
    PlaceTw(Frame5, 4200, 480, 3900, 1150);
    PlaceTw(cmdDiaE_RK, 300, 330, 3300, 680);
    PlaceTw(Frame6, 4200, 1720, 3900, 1150);
    PlaceTw(cmdDiaF_RK, 300, 330, 3300, 680);
    PlaceTw(Label7, 120, 3060, 3960, 870);
    PlaceTw(cmdCloseDiag, 4200, 3000, 3900, 380);
    PlaceTw(cmdHelp, 4200, 3480, 1850, 400);
    PlaceTw(cmdEsc, 6250, 3480, 1850, 400);

    Label2->setText(QStringLiteral("(1< N<%1)").arg(kMaxKessel));
    if (QWidget* modell = platform::Windows().Frame("frmKinModel")) modell->hide();
    Label4->setText(U("N = 1: kontinuierlicher Rührkessel\nN > 1: Rührkessel-Kaskade"));

    const QString n = QString::number(nKesselVC);
    if (txtNKask->text() == n)
        txtNKask_Change();
    else
        txtNKask->setText(n);

    if (nKesselVC == 1) frKessel->setTitle(U("idealer kontinuierlicher Rührkessel"));
    if (nKesselVC > 1) frKessel->setTitle(U("Rührkessel-Kaskade"));
    Label7->setText(U("Solange ein Diagramm geöffnet ist, können Sie nach Änderung eines Parameters - "
                      "z. B.der Kesselzahl - weitere Kurven hinzufügen."));
    txttm->clear();

    // The boxes are read back by their change handlers, which compute tm.
    VGesamt_ = kStartVolumen;
    txtVR->setText(QStringLiteral("0.05"));
    VDurchsatz_ = kStartDurchsatz;
    txtVPunkt->setText(QStringLiteral("0.004"));

    optxAchse[0]->setChecked(true);
    xAchseT_ = true;

    Label5->setText(U("Durchsatz V*/(m^3/" + ZeitEinheit + ")"));
    SetTmLabel();
}

void frmVerweilCalc::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!positioned_) {
        positioned_ = true;
        Frame()->move(Tw(PosVerweilCalc.Left), Tw(PosVerweilCalc.Top));
    }
}

void frmVerweilCalc::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QWidget::closeEvent(event);
}

void frmVerweilCalc::Form_QueryUnload() {
    const QWidget* frame = Frame();
    PosVerweilCalc.Left = frame->x() * simulation::kTwipsPerPixel;
    PosVerweilCalc.Top = frame->y() * simulation::kTwipsPerPixel;
    platform::Windows().Unload(kDiagramm);
    platform::Windows().Show("frmKinModel");
}

void frmVerweilCalc::cmdEsc_Click() {
    platform::Windows().UnloadOrClose(kName, this);
}

void frmVerweilCalc::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmVerweilCalc::cmdHelp_Click() { platform::ShowHelpContext(nKesselVC == 1 ? kHilfeKessel : kHilfeKaskade); }

// ---------------------------------------------------------------------------------------------
// Inputs

bool frmVerweilCalc::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(box, [box] { box->selectAll(); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress || (box != txtVR && box != txtVPunkt)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (simulation::IsEditShortcut(key)) return false;
    int keyAscii = simulation::KeyAscii(key);
    if (keyAscii == 0) return false;
    const int typed = keyAscii;
    if (box == txtVR)
        txtVR_KeyPress(keyAscii);
    else
        txtVPunkt_KeyPress(keyAscii);
    if (keyAscii == 0) return true;
    if (keyAscii != typed) {  // a decimal comma arrives as a point
        box->insert(QString(QChar(keyAscii)));
        return true;
    }
    return false;
}

void frmVerweilCalc::txtVR_KeyPress(int& KeyAscii) {
    if (KeyAscii == 3 || KeyAscii == 22) return;
    if (KeyAscii == 13 || !CheckNumKey(KeyAscii)) KeyAscii = 0;
}

void frmVerweilCalc::txtVPunkt_KeyPress(int& KeyAscii) { txtVR_KeyPress(KeyAscii); }

void frmVerweilCalc::txtNKask_Change() {
    const QString text = txtNKask->text();
    if (!text.isEmpty()) {
        const double v = ValOf(text);
        if (v <= 0 || v > kMaxKessel) {
            platform::MsgBox("N muss zwischen 1 und " + std::to_string(kMaxKessel) + " liegen", platform::MsgCritical,
                             kNichtMoeglich);
            // The box now reads "1", and its handler has set N and the captions for it.
            nKesselVC = 1;
            txtNKask->setText("1");
            return;
        }
        nKesselVC = RundeGerade(v);
    } else {
        nKesselVC = 1;
    }
    if (nKesselVC == 1)
        frKessel->setTitle(U("idealer kontin. Rührkessel"));
    else if (nKesselVC > 1)
        frKessel->setTitle(U("Rührkessel-Kaskade"));
    else
        frKessel->setTitle(QString());
    SetTmLabel();
}

void frmVerweilCalc::SetTmLabel() {
    Label6->setText(U("mittlere Verweilzeit tm/" + ZeitEinheit) + (nKesselVC > 1 ? U(" (gesamt)") : QString()));
}

bool frmVerweilCalc::ReadVolume(QLineEdit* box, float& value, QString& lastText) {
    const double v = ValOf(box->text());
    if (std::fabs(v) > FLT_MAX) {
        // Not storable as a Single: the box goes back to its last value.
        platform::Beep();
        const QSignalBlocker blocker(box);
        box->setText(lastText);
        return false;
    }
    value = static_cast<float>(v);
    lastText = box->text();
    return true;
}

void frmVerweilCalc::UpdateTm() {
    if (VDurchsatz_ > 0) {
        const double tm = static_cast<double>(VGesamt_) / VDurchsatz_;
        if (std::fabs(tm) <= FLT_MAX) {
            tMittel_ = tm;
            txttm->setText(QString::fromStdString(platform::CStrSingle(static_cast<float>(tm))));
            return;
        }
    }
    // No valid tm: the box is empty and the next curve uses the last tm.
    txttm->clear();
}

void frmVerweilCalc::txtVR_Change() {
    if (ReadVolume(txtVR, VGesamt_, lastVR_)) UpdateTm();
}

void frmVerweilCalc::txtVPunkt_Change() {
    if (ReadVolume(txtVPunkt, VDurchsatz_, lastVPunkt_)) UpdateTm();
}

void frmVerweilCalc::optxAchse_Click(int Index) {
    const QString zeichnen = U("Kurve zeichnen\n");
    if (Index == 0) {
        xAchseT_ = true;
        Frame5->setTitle(U("Verweilzeit-Dichtefunktion E(t)"));
        cmdDiaE_RK->setText(zeichnen + U("E vs. t"));
        cmdDiaF_RK->setText(zeichnen + U("F vs. t"));
    } else {
        xAchseT_ = false;
        Frame5->setTitle(U("Verweilzeit-Dichtefunktion E(t) * tm"));
        cmdDiaE_RK->setText(zeichnen + U("E tm vs. t/tm"));
        cmdDiaF_RK->setText(zeichnen + U("F vs. t/tm"));
    }
}

// ---------------------------------------------------------------------------------------------
// Curves

void frmVerweilCalc::cmdDiaE_RK_Click() { ZeichneKurve(VerweilFunktion::E); }

void frmVerweilCalc::cmdDiaF_RK_Click() { ZeichneKurve(VerweilFunktion::F); }

void frmVerweilCalc::ZeichneKurve(VerweilFunktion art) {
    const bool e = art == VerweilFunktion::E;
    // Without a volume flow there is no tm to go with the shown inputs: no curve of an older tm.
    if (!(VDurchsatz_ > 0)) {
        platform::MsgBox(std::string("- Der Volumenstrom muss größer Null sein.") + CrLf, platform::MsgCritical, kNichtMoeglich);
        return;
    }
    try {
        if (e)
            aktDiagrammCode = xAchseT_ ? kCodeEt : kCodeEdimlos;
        else
            aktDiagrammCode = xAchseT_ ? kCodeFt : kCodeFdimlos;
        if (!IsFormLoaded(kDiagramm)) {
            // A new diagram starts with the new curve alone: a curve left from a diagram closed with
            // its own close box is not drawn again.
            if (KurvenPunkte.empty()) KurvenPunkte.resize(1);
            KurvenPunkte[0].x = 0;
            int mitPunkten = kFalse;
            diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, mitPunkten);
            if (!IsFormLoaded(kDiagramm)) {
                // The set-up has reported its failure itself.
                platform::MsgBox(kOcxHinweis, platform::MsgCritical, kNichtMoeglich);
                return;
            }
        }
        if (e)
            Berechne_EtKurve();
        else
            Berechne_FtKurve();
        ZeichnenOffen = 1;
        platform::Forms().Click(kDiagramm, "cmdDraw", -1);
        txtNKask->setFocus();
    } catch (const std::exception& ex) {
        if (e)
            platform::MsgBox(ex.what(), platform::MsgCritical, "ErrorMessage from cmdDiaE_RK_Click von Berechne_EtKurve");
        platform::MsgBox(kOcxHinweis, platform::MsgCritical, kNichtMoeglich);
    }
}

void frmVerweilCalc::Berechne_EtKurve() { BerechneKurve(VerweilFunktion::E); }

void frmVerweilCalc::Berechne_FtKurve() { BerechneKurve(VerweilFunktion::F); }

void frmVerweilCalc::BerechneKurve(VerweilFunktion art) {
    const bool e = art == VerweilFunktion::E;
    const simulation::VerweilKurvenErgebnis ergebnis =
        simulation::BerechneVerweilKurve(art, xAchseT_, nKesselVC, tMittel_, DiagRec, KurvenPunkte);
    if (ergebnis.ueberlauf) {
        platform::MsgBox(std::string("Zahlenüberlauf") + CrLf + CrLf +
                             (e ? "(Die berechneten Kurventeile werden aber gezeichnet.)"
                                : "(Die berechneten Kurventeile werden gezeichnet.)"),
                         platform::MsgCritical);
    }
    if (e && !ergebnis.sichtbar) {
        platform::MsgBox(std::string("Kurve befindet sich außerhalb des Diagramms.") + CrLf +
                             "Vergrößern Sie die Diagramm-Koordinaten" + CrLf +
                             "(Button \"Koordinaten\" im Grafik-Menü oder Rechts-Klick auf Diagramm).",
                         platform::MsgExclamation, "Warnung");
    }
}

void frmVerweilCalc::cmdCloseDiag_Click() {
    KurvenPunkte.assign(2001, XYPunkt{});
    platform::Windows().Unload(kDiagramm);
}
