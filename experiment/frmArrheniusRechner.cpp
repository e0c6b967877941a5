#include "experiment/frmArrheniusRechner.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

#include "experiment/ArrheniusEyring.h"
#include "experiment/FitAnzeige.h"
#include "experiment/ToolWindowSupport.h"
#include "kernel/State.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmArrheniusRechner";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild,
                                              [] { return new frmArrheniusRechner; });

constexpr int kBreite = 8700;  // twips
constexpr int kHoehe = 4300;
constexpr int kArrhenius = 1;
constexpr int kEyring = 2;
constexpr const char* kStandardT = "298.15";
constexpr const char* kFehler = "Err";
const std::array<const char*, 5> kEinheiten{"s", "min", "h", "d", "a"};

QString U(const std::string& text) { return QString::fromStdString(text); }

// A Single in the default text form, with a decimal point (what Val reads back).
QString SingleText(double v) {
    std::string t = platform::StrSingle(static_cast<float>(v));
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    return U(t);
}

std::string Trim(const std::string& s) {
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

frmArrheniusRechner::frmArrheniusRechner(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle("Arrhenius-Rechner");
    resize(Tw(kBreite), Tw(kHoehe));
    BuildControls();
}

frmArrheniusRechner* frmArrheniusRechner::Geladen() {
    return qobject_cast<frmArrheniusRechner*>(platform::Windows().Get(kName));
}

void frmArrheniusRechner::BuildControls() {
    auto label = [this](const char* name, const QString& text, int l, int t, int w, int h) {
        auto* lbl = new QLabel(text, this);
        if (name) lbl->setObjectName(name);
        PlaceTw(lbl, l, t, w, h);
        return lbl;
    };
    auto box = [this](const QString& name, int l, int t) {
        auto* b = new QLineEdit(this);
        b->setObjectName(name);
        PlaceTw(b, l, t, 1800, 300);
        return b;
    };

    lblFormel = label("lblFormel", QString(), 120, 120, 8400, 300);
    QFont fett = lblFormel->font();
    fett.setBold(true);
    lblFormel->setFont(fett);

    lblk0 = label("lblk0", QString(), 120, 600, 1800, 300);
    lblk0->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEA = label("lblEA", QString(), 120, 1000, 1800, 300);
    lblEA->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTK = label("lblTK", "T/K =", 120, 1400, 1800, 300);
    lblTK->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblk0Eyring = label("lblk0Eyring", QString(), 120, 1800, 1800, 300);
    lblk0Eyring->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const std::array<int, 4> oben{600, 1000, 1400, 1800};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* b = box(QStringLiteral("txtInpArrh(%1)").arg(i), 2000, oben[static_cast<std::size_t>(i)]);
        b->installEventFilter(this);
        txtInpArrh[static_cast<std::size_t>(i)] = b;
    }
    txtInpArrh[3]->setReadOnly(true);
    lblUnitk0 = label("lblUnitk0", QString(), 3900, 600, 4700, 300);
    lblUnitEA = label("lblUnitEA", QString(), 3900, 1000, 4700, 300);
    lblRO = label("lblRO", QString(), 3900, 1400, 4700, 300);

    cmdCalc = new QPushButton("Berechnen", this);
    cmdCalc->setObjectName("cmdCalc");
    PlaceTw(cmdCalc, 2000, 2250, 1800, 380);
    connect(cmdCalc, &QPushButton::clicked, this, [this] { cmdCalc_Click(); });

    label(nullptr, "k =", 120, 2800, 1800, 300)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtkResult = box("txtkResult", 2000, 2800);
    txtkResult->setReadOnly(true);
    lblkEinheit = label("lblkEinheit", QString(), 3900, 2800, 4700, 300);
    label(nullptr, "k in eingestellter Zeiteinheit:", 3900, 2500, 4700, 300);
    label(nullptr, "k = ", 120, 3200, 1800, 300)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtksecResult = box("txtksecResult", 2000, 3200);
    txtksecResult->setReadOnly(true);
    lblkEinheitsec = label("lblkEinheitsec", QString(), 3900, 3200, 4700, 300);

    cmdClose = new QPushButton(QString::fromUtf8("Schließen  <Esc>"), this);
    cmdClose->setObjectName("cmdClose");
    PlaceTw(cmdClose, 6700, 3750, 1800, 380);
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

// ---- Life cycle -------------------------------------------------------------------------------------

void frmArrheniusRechner::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* frame = experiment::FrameOf(kName, this);
    if (!positioniert_) {  // Form_Load: the remembered position
        positioniert_ = true;
        if (frame != this) frame->resize(frame->size() - size() + QSize(Tw(kBreite), Tw(kHoehe)));
        frame->move(Tw(PosArrhenius.Left), Tw(PosArrhenius.Top));
    }
    experiment::ConnectMdiActivation(kName, this, mdiVerbunden_, [this] { Form_Activate(); });
    Form_Activate();
}

bool frmArrheniusRechner::event(QEvent* event) {
    // A window of its own (outside an MDI area) is activated as a top-level window.
    if (event->type() == QEvent::WindowActivate && experiment::FrameOf(kName, this) == this && isVisible())
        Form_Activate();
    return QWidget::event(event);
}

void frmArrheniusRechner::Form_Activate() {
    txtInpArrh[2]->setText(kStandardT);
    txtkResult->clear();
    txtksecResult->clear();

    const QString einheit = U(ZeitEinheit);
    if (DiagVariante == 7) {
        lblkEinheit->setText("L/(mol " + einheit + ")");
        lblkEinheitsec->setText("L/(mol s)");
    } else if (DiagVariante == 6) {
        lblkEinheit->setText("1/" + einheit);
        lblkEinheitsec->setText("1/ s");
    } else {
        lblkEinheit->setText("((mol/L)^(1-n))/" + einheit);
        lblkEinheitsec->setText("((mol/L)^(1-n))/s");
    }

    if (kTFunktion == kArrhenius) {
        setWindowTitle("Arrhenius-Rechner");
        lblFormel->setText("berechnet k = A exp(-EA / (R T))");
        lblk0Eyring->hide();
        txtInpArrh[3]->hide();
        lblUnitEA->setText("EA   = mol. Aktivierungsenergie");
        lblUnitk0->setText("[A]   = ((mol/L)^(1-n))/" + einheit + QString::fromUtf8("     (Präexponentialfaktor)"));
        lblRO->setText("            (n = Reaktionsordnung)");
        lblk0->setText("A =");
        lblEA->setText("EA /J/mol =");
        txtInpArrh[0]->setText(SingleText(ArrhA));
        txtInpArrh[1]->setText(SingleText(ArrhEA));
    } else if (kTFunktion == kEyring) {
        setWindowTitle("Eyring-Rechner");
        lblFormel->setText("berechnet k = kB/h T exp(-H#/(R T)) exp(S#/R)");
        lblk0Eyring->show();
        txtInpArrh[3]->show();
        lblk0Eyring->setText("kB/h /(1/(K s)) =");
        txtInpArrh[3]->setText(SingleText(experiment::EyringFaktor()));
        lblUnitEA->setText("h# = mol. Aktivierungsenthalpie");
        lblUnitk0->setText("s# = mol. Aktivierungsentropie");
        lblRO->setText("   n = Reaktionsordnung");
        lblk0->setText("s# /J/(mol K) =");
        lblEA->setText("h# /J/mol  =");
        txtInpArrh[0]->setText(SingleText(EyrS));
        txtInpArrh[1]->setText(SingleText(EyrH));
    }
}

void frmArrheniusRechner::Form_QueryUnload() {
    const QWidget* frame = experiment::FrameOf(kName, this);
    PosArrhenius.Left = platform::PixelsToTwips(frame->x());
    PosArrhenius.Top = platform::PixelsToTwips(frame->y());
}

void frmArrheniusRechner::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QWidget::closeEvent(event);
}

void frmArrheniusRechner::cmdClose_Click() {
    platform::Windows().UnloadOrClose(kName, this);
}

void frmArrheniusRechner::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- Calculation ------------------------------------------------------------------------------------

void frmArrheniusRechner::cmdCalc_Click() {
    const std::string einheit = Trim(ZeitEinheit);
    for (int i = 0; i < static_cast<int>(kEinheiten.size()); ++i) {
        if (einheit == kEinheiten[static_cast<std::size_t>(i)]) ZeitEinheitNr = i;
    }
    const double x0 = platform::ValLocale(txtInpArrh[0]->text().toStdString());
    const double x1 = platform::ValLocale(txtInpArrh[1]->text().toStdString());
    const double T = platform::ValLocale(txtInpArrh[2]->text().toStdString());

    bool ok = ZeitEinheitNr >= 0 && ZeitEinheitNr < 5;
    const double f = ok ? ZeitFaktor[0][ZeitEinheitNr] : 0;  // (1 s) / (current unit)
    double k = 0, ksec = 0;
    if (ok && kTFunktion == kArrhenius) {
        ok = experiment::ArrheniusK(x0, x1, T, k);
        ksec = k * f;
    } else if (ok && kTFunktion == kEyring) {
        // An open non-isothermal fit owns s# and h#: a calculation beside it does not store.
        if (!experiment::NichtIsothermeAnpassungOffen()) {
            EyrS = x0;
            EyrH = x1;
        }
        ok = experiment::EyringK(x0, x1, T, ksec) && f != 0;
        if (ok) k = ksec / f;
    }
    ok = ok && experiment::PasstInSingle(k) && experiment::PasstInSingle(ksec);
    txtkResult->setText(ok ? SingleText(k) : QString(kFehler));
    txtksecResult->setText(ok ? SingleText(ksec) : QString(kFehler));
}

// ---- Input boxes --------------------------------------------------------------------------------------

bool frmArrheniusRechner::eventFilter(QObject* watched, QEvent* event) {
    for (QLineEdit* box : txtInpArrh) {
        if (watched != box) continue;
        if (event->type() == QEvent::FocusIn) experiment::SelectAllLater(box);
        if (event->type() != QEvent::KeyPress) return false;
        int key = 0;
        const experiment::NumKey r = experiment::FilterNumKey(box, static_cast<QKeyEvent*>(event), key);
        return r != experiment::NumKey::Pass;
    }
    return QWidget::eventFilter(watched, event);
}
