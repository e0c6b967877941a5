#include "simulation/frmVerweilzeit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <initializer_list>
#include <string>

#include "diagram/Grafik.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"
#include "simulation/ResidenceCurve.h"
#include "simulation/VesselPictures.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmVerweilzeit";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmVerweilzeit; });

const char* const kDiagramm = "frmTGraph2D";
const char* const kNichtMoeglich = " Ausführung nicht möglich ";
constexpr int kFensterBreite = 9940;  // twips
constexpr int kFensterBreiteSechs = 13980;
constexpr int kFensterHoehe = 7344;
constexpr int kMaxKessel = 6;
constexpr int kDiagrammCode = 110;
constexpr int kHilfe = 6001;
constexpr int kSliderMax = 5;
constexpr int kSliderStart = 1;
constexpr long kMinSchritteDiagramm = 3;

// The drawing surface: below the controls, wide enough for six tanks.
constexpr int kCanvasTop = 1700;
constexpr int kCanvasHoehe = 5400;
// Pipe from tank i-1 to tank i: down from the outlet arrow, across, up between the tanks, across to
// the inlet arrow.
constexpr int kAuslassSpitze = 5060;
constexpr int kRohrUnten = 5300;
constexpr int kRohrOben = 2340;
constexpr int kRohrSteigung = 900;  // right of the tank centre
constexpr int kLinienDicke = 30;
constexpr int kMessstelleTop = 5150;

const char* const kGruen = "QPushButton { background-color: #C0FFC0; }";

const char* const kOcxHinweis =
    "Falls prinzipiell keine Diagramm-Grafik möglich ist, wurde das 2D-Graphikmodul\r\n"
    "\\...\\olch2x8.ocx bei der Installation nicht ordnungsgemäß registriert.\r\n"
    "Bitte versuchen Sie eine manuelle Registrierung (s. unsere Website).";

QString U(const char* text) { return QString::fromUtf8(text); }

// A horizontal or vertical line between two window points (twips).
void PlaceLine(QWidget* line, int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2) - kLinienDicke / 2;
    const int top = std::min(y1, y2) - kLinienDicke / 2;
    PlaceTw(line, left, top, std::abs(x2 - x1) + kLinienDicke, std::abs(y2 - y1) + kLinienDicke);
}

}  // namespace

frmVerweilzeit::frmVerweilzeit(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(U("  Visualisierung: Verweilzeit eines Tracers (Farbstoff) in Rührkessell / Rührkesselkaskade"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
}

bool frmVerweilzeit::IsRegistered() { return platform::Windows().IsRegistered(kName); }

frmVerweilzeit* frmVerweilzeit::Loaded() { return qobject_cast<frmVerweilzeit*>(platform::Windows().Get(kName)); }

void frmVerweilzeit::BuildControls() {
    canvas_ = new simulation::VesselCanvas(this, 0, kCanvasTop, kFensterBreiteSechs, kCanvasHoehe);
    canvas_->SetBackColor(Qt::white);
    canvas_->Cls();
    animation_ = new simulation::StirrerAnimation(*canvas_, simulation::StirrerAnimation::Kind::Tracer, this);

    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        return b;
    };

    Label2 = label("Label2", U("Stufenzahl N "));
    txtNKask = new QLineEdit(this);
    txtNKask->setObjectName("txtNKask");
    txtNKask->installEventFilter(this);
    Label1 = label("Label1", QString());
    cmdIndikatorfarbe = button("cmdIndikatorfarbe", U("Farbstoff-Zugabe in Kessel 1"));
    cmdIndikatorfarbe->setStyleSheet(kGruen);
    cmdStartFlow = button("cmdStartFlow", U("Start Flow"));
    cmdVZStop = button("cmdVZStop", U("Stopp"));
    cmdVZStop->setToolTip(U(" (auch: Kessel neu zeichnen) "));
    Label3 = label("Label3", U("Durchflussgeschwindigkeit  =>"));
    Label4 = label("Label4", U("min."));
    Slider_verzoegerung = new QSlider(Qt::Horizontal, this);
    Slider_verzoegerung->setObjectName("Slider_verzoegerung");
    Slider_verzoegerung->setTickPosition(QSlider::TicksBelow);
    Label5 = label("Label5", U("max."));
    chkAnimation = new QCheckBox(U("Rührer-Animation"), this);
    chkAnimation->setObjectName("chkAnimation");
    cmdDiagram = button("cmdDiagram", U("Diagramm zeichnen: c(Tracer) = f(t) an der Messstelle"));
    cmdDiagram->setToolTip(U(" Versuchsende: Tracer-Konz. auf 0,5 % des Anfangswerts abgesunken "));
    cmdHelp = button("cmdHelp", U("Hilfe"));
    cmdEsc = button("cmdEsc", U("Schließen <Esc>"));

    PlaceTw(Label2, 120, 170, 1300, 280);
    PlaceTw(txtNKask, 1450, 120, 600, 340);
    PlaceTw(Label1, 2120, 170, 1200, 280);
    PlaceTw(cmdIndikatorfarbe, 3400, 100, 2700, 420);
    PlaceTw(cmdStartFlow, 6250, 100, 1550, 420);
    PlaceTw(cmdVZStop, 7950, 100, 1650, 420);
    PlaceTw(Label3, 120, 720, 2900, 280);
    PlaceTw(Label4, 3050, 720, 500, 280);
    PlaceTw(Slider_verzoegerung, 3550, 660, 2500, 400);
    PlaceTw(Label5, 6120, 720, 550, 280);
    PlaceTw(chkAnimation, 6800, 700, 2800, 320);
    PlaceTw(cmdDiagram, 120, 1200, 5900, 420);
    PlaceTw(cmdHelp, 6250, 1200, 1550, 420);
    PlaceTw(cmdEsc, 7950, 1200, 1700, 420);

    for (int i = 1; i <= kMaxKessel; ++i) {
        auto* l = label(qPrintable(QStringLiteral("lblMessung(%1)").arg(i)), U("Messstelle c(Tracer)"));
        l->setToolTip(U(" autom. Versuchsende, wenn die Farbstoffkonzentration an dieser Messstelle auf <  0,5 "
                        "Prozent der Anfangskonz.  gesunken ist "));
        l->setAlignment(Qt::AlignCenter);
        l->setWordWrap(true);
        l->setFrameShape(QFrame::Box);
        const int cx = simulation::RowTankCentre(i);
        PlaceTw(l, cx - 700, kMessstelleTop, 1400, 480);
        l->hide();
        lblMessung[static_cast<std::size_t>(i)] = l;
    }
    for (std::size_t k = 0; k < Line.size(); ++k) {
        for (int i = 2; i <= kMaxKessel; ++i) {
            auto* line = new QWidget(this);
            line->setObjectName(QStringLiteral("Line%1(%2)").arg(k + 1).arg(i));
            line->setAttribute(Qt::WA_TransparentForMouseEvents);
            line->setAutoFillBackground(true);
            QPalette pal = line->palette();
            pal.setColor(QPalette::Window, Qt::black);
            line->setPalette(pal);
            line->hide();
            Line[k][static_cast<std::size_t>(i)] = line;
        }
    }
    PlacePipes();

    laufTimer_ = new QTimer(this);
    laufTimer_->setObjectName("RunTimer");
    laufTimer_->setInterval(0);
    connect(laufTimer_, &QTimer::timeout, this, &frmVerweilzeit::RunTracerStep);

    connect(txtNKask, &QLineEdit::textChanged, this, &frmVerweilzeit::txtNKask_Change);
    connect(cmdIndikatorfarbe, &QPushButton::clicked, this, &frmVerweilzeit::cmdIndikatorfarbe_Click);
    connect(cmdStartFlow, &QPushButton::clicked, this, &frmVerweilzeit::cmdStartFlow_Click);
    connect(cmdVZStop, &QPushButton::clicked, this, &frmVerweilzeit::cmdVZStop_Click);
    connect(cmdDiagram, &QPushButton::clicked, this, &frmVerweilzeit::cmdDiagram_Click);
    connect(Slider_verzoegerung, &QSlider::valueChanged, this, &frmVerweilzeit::Slider_verzoegerung_Change);
    connect(chkAnimation, &QCheckBox::toggled, this, &frmVerweilzeit::chkAnimation_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmVerweilzeit::cmdHelp_Click);
    connect(cmdEsc, &QPushButton::clicked, this, &frmVerweilzeit::cmdEsc_Click);
}

void frmVerweilzeit::PlacePipes() {
    for (int i = 2; i <= kMaxKessel; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        const int vorher = simulation::RowTankCentre(i - 1);
        const int steig = vorher + kRohrSteigung;
        PlaceLine(Line[0][idx], vorher - 10, kAuslassSpitze, vorher - 10, kRohrUnten);
        PlaceLine(Line[1][idx], vorher - 10, kRohrUnten, steig, kRohrUnten);
        PlaceLine(Line[2][idx], steig, kRohrUnten, steig, kRohrOben);
        PlaceLine(Line[3][idx], steig, kRohrOben, simulation::RowTankCentre(i) - 400, kRohrOben);
    }
}

QWidget* frmVerweilzeit::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

QSize frmVerweilzeit::sizeHint() const { return {Tw(breit_ ? kFensterBreiteSechs : kFensterBreite), Tw(kFensterHoehe)}; }

void frmVerweilzeit::SetButtonOn(QPushButton* button, bool on) {
    button->setEnabled(on);
    button->setStyleSheet(on ? kGruen : "");
}

void frmVerweilzeit::SetSpeedControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{Label3, Label4, Label5, Slider_verzoegerung}) w->setEnabled(on);
}

bool frmVerweilzeit::Laeuft() const { return laufTimer_->isActive(); }

// ---------------------------------------------------------------------------------------------
// Loading, activation, closing

void frmVerweilzeit::Form_Load() {
    if (QWidget* modell = platform::Windows().Frame("frmKinModel")) modell->hide();

    animation_->Stop();
    chkAnimation->setEnabled(true);
    VZStopFlag_ = 0;

    SetButtonOn(cmdStartFlow, false);
    SetButtonOn(cmdDiagram, false);
    SetSpeedControlsEnabled(true);

    if (nKesselVZ == 0) nKesselVZ = 1;
    Verzoegerung_ = 0;
    cKessel_.assign(static_cast<std::size_t>(std::max(nKesselVZ, 0)) + 1, 0.0f);

    const QString n = QString::number(nKesselVZ);
    if (txtNKask->text() == n)
        txtNKask_Change();
    else
        txtNKask->setText(n);

    Label1->setText(QStringLiteral("(0 < N < %1)").arg(kMaxKessel + 1));
    chkAnimation->setChecked(RuehrerAnimation != 0);

    {
        const QSignalBlocker blocker(Slider_verzoegerung);
        Slider_verzoegerung->setRange(0, kSliderMax);
        Slider_verzoegerung->setSingleStep(1);
        Slider_verzoegerung->setPageStep(1);
        Slider_verzoegerung->setValue(kSliderStart);
    }
    Verzoegerung_ = kSliderMax - Slider_verzoegerung->value();
}

void frmVerweilzeit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* frame = Frame();
    if (!positioned_) {
        positioned_ = true;
        frame->move(Tw(PosVerweilzeit.Left), Tw(PosVerweilzeit.Top));
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea() && !mdiConnected_) {
        mdiConnected_ = true;
        connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
            if (active == sub) Form_Activate();
        });
    }
}

bool frmVerweilzeit::event(QEvent* event) {
    // A window of its own (not in the MDI area) is activated as a top-level window.
    if (event->type() == QEvent::WindowActivate && Frame() == this && isVisible()) Form_Activate();
    return QWidget::event(event);
}

void frmVerweilzeit::Form_Activate() {
    txtNKask->setFocus();
    // Every activation ends a running experiment and redraws the tanks empty.
    cmdVZStop_Click();
}

void frmVerweilzeit::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QWidget::closeEvent(event);
}

void frmVerweilzeit::Form_QueryUnload() {
    const QWidget* frame = Frame();
    PosVerweilzeit.Left = frame->x() * simulation::kTwipsPerPixel;
    PosVerweilzeit.Top = frame->y() * simulation::kTwipsPerPixel;
    // A run ends with the window: its curve so far stays recorded, nothing is drawn any more.
    if (laufTimer_->isActive()) {
        laufTimer_->stop();
        lauf_.reset();
        if (!VZKurve.empty()) VZKurve[0] = static_cast<float>(schritte_);
    }
    animation_->Stop();
    platform::Windows().Unload(kDiagramm);
    platform::Windows().Show("frmKinModel");
}

void frmVerweilzeit::cmdEsc_Click() {
    platform::Windows().UnloadOrClose(kName, this);
}

void frmVerweilzeit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdEsc_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmVerweilzeit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtNKask && event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(txtNKask, [box = txtNKask] { box->selectAll(); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void frmVerweilzeit::cmdHelp_Click() {
    platform::ShowHelpContext(kHilfe);
    cmdVZStop_Click();
}

// ---------------------------------------------------------------------------------------------
// Tank count and pictures

void frmVerweilzeit::txtNKask_Change() {
    platform::Windows().Unload(kDiagramm);
    SetButtonOn(cmdDiagram, false);
    StopCascade();

    const QString text = txtNKask->text();
    if (!text.isEmpty()) {
        const double v = platform::Val(text.toStdString());
        if (v <= 0 || v > kMaxKessel) {
            platform::MsgBox("N muss zwischen 1 und " + std::to_string(kMaxKessel) + " liegen", platform::MsgCritical,
                             kNichtMoeglich);
            // The box now reads "1", and its handler has laid out the single tank.
            nKesselVZ = 1;
            txtNKask->setText("1");
            return;
        }
        nKesselVZ = static_cast<int>(std::nearbyint(v));
        cmdIndikatorfarbe->setEnabled(true);
        cmdVZStop->setEnabled(true);
    } else {
        cmdVZStop->setEnabled(false);
        cmdIndikatorfarbe->setEnabled(false);
        nKesselVZ = 1;
    }
    const int N = nKesselVZ;
    cKessel_.assign(static_cast<std::size_t>(N) + 1, 0.0f);

    if (N > 5 && !breit_) {
        // Widened for six tanks, and left wide while the window is open.
        breit_ = true;
        const int zusatz = Tw(kFensterBreiteSechs) - width();
        resize(Tw(kFensterBreiteSechs), height());
        if (QWidget* frame = Frame(); frame != this) frame->resize(frame->width() + zusatz, frame->height());
    }

    canvas_->Cls();
    lblMessung[1]->hide();
    for (int i = 2; i <= kMaxKessel; ++i) {
        for (auto& linie : Line) linie[static_cast<std::size_t>(i)]->hide();
        lblMessung[static_cast<std::size_t>(i)]->hide();
    }
    DrawCascadeVessels(1, 0);
    for (int i = 2; i <= N; ++i) {
        for (auto& linie : Line) linie[static_cast<std::size_t>(i)]->show();
        DrawCascadeVessels(i, 0);
    }
    if (N >= 1 && N <= kMaxKessel) lblMessung[static_cast<std::size_t>(N)]->show();
}

void frmVerweilzeit::DrawCascadeVessels(int i, double a) { simulation::DrawTracerVessels(*canvas_, i, a); }

void frmVerweilzeit::FillVesselColours(int i) {
    QLabel* label = i >= 1 && i <= kMaxKessel ? lblMessung[static_cast<std::size_t>(i)] : nullptr;
    simulation::FillTracerColours(*canvas_, i, cKessel_, label);
}

void frmVerweilzeit::DrawStirrer(int i) { animation_->DrawStirrer(i); }

void frmVerweilzeit::StopCascade() {
    animation_->Stop();
    chkAnimation->setEnabled(true);
    canvas_->Cls();

    if (!cKessel_.empty()) cKessel_[0] = 0;
    for (int i = 1; i <= nKesselVZ && static_cast<std::size_t>(i) < cKessel_.size(); ++i) {
        DrawCascadeVessels(i, 0);
        cKessel_[static_cast<std::size_t>(i)] = 0;
        FillVesselColours(i);
    }

    SetButtonOn(cmdStartFlow, false);
    SetSpeedControlsEnabled(true);
    SetButtonOn(cmdIndikatorfarbe, true);
    txtNKask->setEnabled(true);
    SetButtonOn(cmdDiagram, false);
}

void frmVerweilzeit::cmdIndikatorfarbe_Click() {
    SetButtonOn(cmdDiagram, false);
    // With N = 0 there is no tank of the experiment to dye; Start Flow then reports the tank count.
    if (cKessel_.size() > 1) {
        cKessel_[1] = 1;
        for (std::size_t i = 2; i < cKessel_.size(); ++i) cKessel_[i] = 0;
    }
    SetButtonOn(cmdStartFlow, true);
    SetButtonOn(cmdIndikatorfarbe, false);
    if (cKessel_.size() > 1) FillVesselColours(1);
    txtNKask->setFocus();
}

// ---------------------------------------------------------------------------------------------
// The experiment

void frmVerweilzeit::cmdStartFlow_Click() {
    platform::Windows().Unload(kDiagramm);
    SetButtonOn(cmdIndikatorfarbe, false);
    txtNKask->setEnabled(false);
    SetButtonOn(cmdStartFlow, false);
    SetSpeedControlsEnabled(false);
    SetButtonOn(cmdDiagram, false);

    if (nKesselVZ < 1) {
        StopCascade();
        platform::MsgBox("- Stufenzahl N muss zwischen 1 und " + std::to_string(kMaxKessel) + " liegen" + CrLf,
                         platform::MsgCritical, kNichtMoeglich);
        return;
    }
    for (int i = 1; i <= nKesselVZ; ++i) {
        if (RuehrerAnimation != 0) DrawStirrer(i);
        chkAnimation->setEnabled(false);
    }
    RunTracerFlow();
}

void frmVerweilzeit::RunTracerFlow() {
    VZKurve.assign(1, 0.0f);
    schritte_ = 0;
    cKessel_[1] = 1;
    VZStopFlag_ = 0;
    laufTimer_->start();
    lauf_.emplace([this] { cmdVZStop_Click(); });
}

void frmVerweilzeit::RunTracerStep() {
    // The events since the last step have been served; a stop request ends the run here.
    if (VZStopFlag_ != 0) {
        EndTracerFlow();
        return;
    }
    const int N = nKesselVZ;
    simulation::TracerSchritt(cKessel_, N);
    for (int k = 1; k <= N; ++k) FillVesselColours(k);

    ++schritte_;
    VZKurve.push_back(cKessel_[static_cast<std::size_t>(N)]);
    simulation::TracerVerzoegerung(Verzoegerung_);
    emit schrittAufgezeichnet(schritte_);

    if (VZStopFlag_ == 0 && !simulation::TracerLaeuftWeiter(cKessel_, N)) EndTracerFlow();
}

void frmVerweilzeit::EndTracerFlow() {
    laufTimer_->stop();
    lauf_.reset();
    VZKurve[0] = static_cast<float>(schritte_);
    VZStopFlag_ = 0;
    platform::Beep();
    StopCascade();
    if (schritte_ >= kMinSchritteDiagramm) SetButtonOn(cmdDiagram, true);
    txtNKask->setFocus();
    emit laufBeendet();
}

void frmVerweilzeit::cmdVZStop_Click() {
    StopCascade();
    VZStopFlag_ = kTrue;
    txtNKask->setFocus();
}

void frmVerweilzeit::Slider_verzoegerung_Change() {
    Verzoegerung_ = Slider_verzoegerung->maximum() - Slider_verzoegerung->value();
}

void frmVerweilzeit::chkAnimation_Click() {
    RuehrerAnimation = chkAnimation->isChecked() ? kTrue : kFalse;
    if (RuehrerAnimation != 0) {
        for (int i = 1; i <= nKesselVZ; ++i) DrawStirrer(i);
        chkAnimation->setEnabled(false);
    } else {
        animation_->Stop();
    }
}

void frmVerweilzeit::cmdDiagram_Click() {
    try {
        ZeichnenOffen = 1;
        aktDiagrammCode = kDiagrammCode;
        int mitPunkten = kFalse;
        diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, mitPunkten);
        txtNKask->setFocus();
    } catch (const std::exception&) {
        platform::MsgBox(kOcxHinweis, platform::MsgCritical, kNichtMoeglich);
    }
}
