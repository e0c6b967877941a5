#include "experiment/frmTFitting.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>
#include <exception>
#include <tuple>
#include <vector>

#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "experiment/FitAnzeige.h"
#include "kernel/DataSet.h"
#include "kernel/FitObjective.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "kernel/TimeUnits.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/BatchTube.h"
#include "simulation/CalcWindow.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmTFitting";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmTFitting; });

const char* const kNichtMoeglich = " Ausführung nicht möglich ";
constexpr int kHilfe = 8501;
// The fitting diagram opens 5900 twips from the left: the window's controls stand in one column left
// of it, the parameter groups one under the other.
constexpr int kClientBreite = 5250;  // twips
constexpr int kClientHoehe = 8700;
constexpr int kRechts = 3500;        // left edge of the column right of the initial concentrations
constexpr int kGruppeOben = 2550;    // top of parameter group 1
constexpr int kGruppeAbstand = 30;   // between the parameter groups
constexpr int kGruppeBreite = kClientBreite - 120;
constexpr int kGruppeHoehe = 1430;
constexpr int kSliderBreite = 2480;  // coarse slider left, fine slider right
constexpr int kSliderAbstand = 2540;
constexpr double kFensterSchrift = 8;  // points
constexpr int kFitIntervalle = 80;        // intervals of a model curve while the window is open
constexpr int kOrderModel = 20;
constexpr int kEnzymModel = 10;
constexpr int kGrobMin = -90, kGrobMax = 900, kFeinMin = -100, kFeinMax = 100;
constexpr double kGrobTeiler = 100, kFeinTeiler = 1000;

const QString kAutoCaption = QStringLiteral("Start\nAuto-Fitting");

bool Isotherm() { return DiagVariante < 6; }
bool Arrhenius() { return !Isotherm() && kTFunktion == 1; }
bool Eyring() { return !Isotherm() && kTFunktion == 2; }

bool MaskeAn(const std::string& maske, std::size_t i) { return maske.size() > i && maske[i] == '1'; }

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* NeuesLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

void Fett(QRadioButton* b, bool on) {
    QFont f = b->font();
    f.setBold(on);
    b->setFont(f);
}

// The shared time course and its k1, in the order of the members of frmTFitting::Verlauf.
auto GemeinsamerVerlauf() {
    return std::tie(tWerte, cKurveA, cKurveB, cKurveC, cKurveP, cKurveQ, rKurveA, rKurveB, rKurveC, rKurveP, rKurveQ,
                    nZeitPunkte, kWert[1]);
}

}  // namespace

frmTFitting* frmTFitting::Geladen() { return qobject_cast<frmTFitting*>(platform::Windows().Get(kName)); }

frmTFitting::frmTFitting(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(" k-Fitting manuell / automatisch");
    setAttribute(Qt::WA_DeleteOnClose);
    BaueFenster();
    simulation::ConnectActivation(this, [this] { Form_Activate(); }, true);
    Form_Load();
}

QSize frmTFitting::sizeHint() const { return {Tw(kClientBreite), Tw(kClientHoehe)}; }

// ---------------------------------------------------------------------------------------------
// Building the window

void frmTFitting::BaueFenster() {
    QFont schrift = font();
    schrift.setPointSizeF(kFensterSchrift);
    setFont(schrift);
    resize(Tw(kClientBreite), Tw(kClientHoehe));

    Label7 = NeuesLabel(this, "Label7", "reaktions-mechanismus");
    PlaceTw(Label7, 100, 60, kClientBreite - 200, 250);

    Rahmen4 = new QGroupBox(QStringLiteral("Anfangskonzentrationen  [c0(i)] = mol/L"), this);
    Rahmen4->setObjectName("Rahmen4");
    PlaceTw(Rahmen4, 60, 360, 3380, 1850);  // wide enough for its title
    for (int i = 0; i <= 14; ++i) {
        auto* box = new QLineEdit(i <= 4 ? static_cast<QWidget*>(Rahmen4) : this);
        box->setObjectName(QStringLiteral("Inp(%1)").arg(i));
        box->installEventFilter(this);
        Inp[static_cast<std::size_t>(i)] = box;
        connect(box, &QLineEdit::textChanged, this, [this, i, box] {
            if (inpStumm_) return;
            // Outside mode 1 the parameter boxes hold the mode's parameters, not the k values that
            // other windows write into every calculation window by name: such a write is undone.
            if (i >= 10 && i <= 12 && DiagVariante != 1 && !eigeneSchreibung_ && !box->isModified()) {
                const QSignalBlocker stumm(box);
                box->setText(Q(platform::StrSingle(static_cast<float>(FitParameter[static_cast<std::size_t>(i - 9)]))));
                return;
            }
            Inp_Change(i);
        });
    }
    for (int i = 0; i <= 9; ++i) {
        lblStoff[static_cast<std::size_t>(i)] =
            NeuesLabel(i <= 4 ? static_cast<QWidget*>(Rahmen4) : this, QStringLiteral("lblStoff(%1)").arg(i), QString());
    }
    for (int i = 0; i <= 4; ++i) {
        PlaceTw(lblStoff[static_cast<std::size_t>(i)], 150, 280 + i * 300, 1000, 260);
        PlaceTw(Inp[static_cast<std::size_t>(i)], 1250, 250 + i * 300, 1500, 290);
    }
    Label22 = NeuesLabel(this, "Label22", "aus experimemtellen Daten");
    PlaceTw(Label22, 150, 2250, 2900, 240);

    for (int i = 1; i <= 3; ++i) BaueParameterGruppe(i);

    optkTFunktion[1] = new QRadioButton("Arrhenius", this);
    optkTFunktion[2] = new QRadioButton("Eyring", this);
    for (int i = 1; i <= 2; ++i) {
        optkTFunktion[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("optkTFunktion(%1)").arg(i));
        PlaceTw(optkTFunktion[static_cast<std::size_t>(i)], kRechts, 400 + (i - 1) * 280, 1690, 280);
        connect(optkTFunktion[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optkTFunktion_Click(i); });
    }
    auto* manuAutoGruppe = new QWidget(this);  // its own exclusive group, apart from the function options
    manuAutoGruppe->setObjectName("fraManuAuto");
    PlaceTw(manuAutoGruppe, kRechts, 1000, 1300, 650);
    optManuAuto[0] = new QRadioButton("manuell", manuAutoGruppe);
    optManuAuto[1] = new QRadioButton("automat.", manuAutoGruppe);
    for (int i = 0; i <= 1; ++i) {
        optManuAuto[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("optManuAuto(%1)").arg(i));
        PlaceTw(optManuAuto[static_cast<std::size_t>(i)], 0, i * 330, 1300, 280);
        connect(optManuAuto[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] { optManuAuto_Click(i); });
    }

    cmdAutoFitting = new QPushButton(QStringLiteral("Fitting "), this);
    cmdAutoFitting->setObjectName("cmdAutoFitting");
    PlaceTw(cmdAutoFitting, kRechts, 1700, 1690, 700);
    cmdDrawNewCurve = new QPushButton(QStringLiteral("Input bestätigen\nZeichne Kurve"), this);
    cmdDrawNewCurve->setObjectName("cmdDrawNewCurve");
    cmdDrawNewCurve->setToolTip(" ... nur notwendig nach Zahleneingabe für k; alternativ <Enter>-Taste ");
    cmdDrawNewCurve->setGeometry(cmdAutoFitting->geometry());  // the two buttons cover each other
    connect(cmdAutoFitting, &QPushButton::clicked, this, [this] { cmdAutoFitting_Click(); });
    connect(cmdDrawNewCurve, &QPushButton::clicked, this, [this] { cmdDrawNewCurve_Click(); });

    fraFQS = new QGroupBox(QStringLiteral("mittlerer quadrat. Fehler (RMS) des Fittings"), this);
    fraFQS->setObjectName("fraFQS");
    PlaceTw(fraFQS, 60, kGruppeOben + 3 * (kGruppeHoehe + kGruppeAbstand), kGruppeBreite, 1150);
    Label20 = NeuesLabel(fraFQS, "Label20", "Berücksichtigung folgender experimenteller Daten:");
    PlaceTw(Label20, 100, 250, kGruppeBreite - 200, 240);
    for (int i = 1; i <= 5; ++i) {
        auto* box = new QCheckBox(fraFQS);
        box->setObjectName(QStringLiteral("chkConcFQS(%1)").arg(i));
        PlaceTw(box, 100 + (i - 1) * 980, 520, 960, 260);
        chkConcFQS[static_cast<std::size_t>(i)] = box;
        connect(box, &QCheckBox::clicked, this, [this, i] { chkConcFQS_Click(i); });
    }
    Label21 = NeuesLabel(fraFQS, "Label21", "RMS = ");
    PlaceTw(Label21, 100, 830, 700, 240);
    lblFQS = NeuesLabel(fraFQS, "lblFQS", " 0.");
    PlaceTw(lblFQS, 800, 830, 2200, 240);

    cmdHelp = new QPushButton(QStringLiteral("Hilfe"), this);
    cmdHelp->setObjectName("cmdHelp");
    const int knopfOben = kGruppeOben + 3 * (kGruppeHoehe + kGruppeAbstand) + 1250;  // under the RMS frame
    PlaceTw(cmdHelp, 60, knopfOben, 1690, 450);
    cmdClose = new QPushButton(QStringLiteral("Schließen <Esc>"), this);
    cmdClose->setObjectName("cmdClose");
    PlaceTw(cmdClose, kRechts, knopfOben, 1690, 450);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    BaueVersteckteEmpfaenger();
}

void frmTFitting::BaueParameterGruppe(int i) {
    const auto s = static_cast<std::size_t>(i);
    auto* frame = new QGroupBox(QStringLiteral("Geschwindigleitskonstante k%1").arg(i), this);
    frame->setObjectName(QStringLiteral("frak%1").arg(i));
    PlaceTw(frame, 60, kGruppeOben + (i - 1) * (kGruppeHoehe + kGruppeAbstand), kGruppeBreite, kGruppeHoehe);
    frak[s] = frame;

    Bz[s + 4] = NeuesLabel(frame, QStringLiteral("Bz(%1)").arg(i + 4), QStringLiteral("k%1").arg(i));
    PlaceTw(Bz[s + 4], 100, 250, 1500, 240);
    QLineEdit* box = Inp[s + 9];
    box->setParent(frame);
    // A constant converted to another time unit may need seven digits and an exponent.
    const int boxWidth = simulation::NumberBoxTwips(box);
    PlaceTw(box, 100, 500, boxWidth, 300);
    unit[s] = NeuesLabel(frame, QStringLiteral("unit%1").arg(i), QString());
    PlaceTw(unit[s], 150 + boxWidth, 540, 3250 - 150 - boxWidth, 240);
    chkFixed[s] = new QCheckBox(QStringLiteral("k%1-Wert fixiert").arg(i), frame);
    chkFixed[s]->setObjectName(QStringLiteral("chkFixed(%1)").arg(i));
    chkFixed[s]->setToolTip(" den angegebenen Parameter nicht verändern ");
    PlaceTw(chkFixed[s], 3300, 520, 1750, 260);
    connect(chkFixed[s], &QCheckBox::clicked, this, [this, i] { chkFixed_Click(i); });
    lblPlusMinus[s] = NeuesLabel(frame, QStringLiteral("lblPlusMinus(%1)").arg(i), QString());
    PlaceTw(lblPlusMinus[s], 1650, 250, 200, 240);
    lblStdDev[s] = NeuesLabel(frame, QStringLiteral("lblStdDev(%1)").arg(i), QString());
    PlaceTw(lblStdDev[s], 1850, 250, 1300, 240);
    if (i == 1) {
        lblAktEntropie = NeuesLabel(frame, "lblAktEntropie", " s# /J/(mol K) ");
        PlaceTw(lblAktEntropie, 3200, 250, 1850, 240);
    }

    const QString n = QString::number(i);
    SliderGrob[s] = new QSlider(Qt::Horizontal, frame);
    SliderGrob[s]->setObjectName("Sliderk" + n + "_grob");
    SliderFein[s] = new QSlider(Qt::Horizontal, frame);
    SliderFein[s]->setObjectName("Sliderk" + n + "_fein");
    PlaceTw(SliderGrob[s], 60, 850, kSliderBreite, 300);
    PlaceTw(SliderFein[s], 60 + kSliderAbstand, 850, kSliderBreite, 300);
    for (QSlider* slider : {SliderGrob[s], SliderFein[s]}) {
        slider->setTracking(false);  // one change when the knob is let go
        slider->setTickPosition(QSlider::TicksBelow);
    }
    connect(SliderGrob[s], &QSlider::valueChanged, this, [this, i] { Slider_Change(i, false); });
    connect(SliderFein[s], &QSlider::valueChanged, this, [this, i] { Slider_Change(i, true); });

    // Scale labels: group 1 Label1..6, group 2 Label8..11 and 13, group 3 Label14..19.
    static const std::array<std::array<int, 6>, 4> nummern = {
        {{0, 0, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6}, {8, 9, 10, 11, 0, 13}, {14, 15, 16, 17, 18, 19}}};
    static const std::array<const char*, 6> texte = {"-90", "0 Prozent", "+900", "-10", "0 Prozent", "+10"};
    // Left edge within the slider, width; the fine slider's labels stand under it.
    static const std::array<std::array<int, 2>, 3> lage = {
        {{0, 600}, {(kSliderBreite - 1050) / 2, 1050}, {kSliderBreite - 640, 640}}};
    for (std::size_t k = 0; k < 6; ++k) {
        const int nr = nummern[s][k];
        if (nr == 0) continue;
        QLabel* l = NeuesLabel(frame, QStringLiteral("Label%1").arg(nr), QString::fromUtf8(texte[k]));
        l->setAlignment(k % 3 == 1 ? Qt::AlignHCenter : (k % 3 == 2 ? Qt::AlignRight : Qt::AlignLeft));
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        l->setFont(f);
        PlaceTw(l, 60 + (k >= 3 ? kSliderAbstand : 0) + lage[k % 3][0], 1150, lage[k % 3][1], 220);
        ScaleLabel[static_cast<std::size_t>(nr)] = l;
    }
}

// Receivers of what the kernel and the model window write into every calculation window.
void frmTFitting::BaueVersteckteEmpfaenger() {
    for (int i : {5, 6, 7, 8, 9, 13, 14}) Inp[static_cast<std::size_t>(i)]->hide();
    for (int i = 5; i <= 9; ++i) lblStoff[static_cast<std::size_t>(i)]->hide();
    auto versteckt = [this](QWidget* w, const char* name) {
        w->setObjectName(name);
        w->hide();
    };
    versteckt(new QCheckBox(this), "chkDelDiagram");
    auto* fraKsi = new QGroupBox(this);
    versteckt(fraKsi, "fraKsi");
    versteckt(new QLabel(fraKsi), "lblTextKsi_1");
    versteckt(new QLabel(fraKsi), "lblTextKsi_2");
    versteckt(new QPushButton(this), "cmdShowKsi");
    versteckt(new QPushButton(this), "cmdDiagram");
    lblVPunktInput = new QLabel(this);
    versteckt(lblVPunktInput, "lblVPunktInput");
    lblZeitEinheit = new QLabel(this);
    versteckt(lblZeitEinheit, "lblZeitEinheit");
    unit[4] = new QLabel(this);
    versteckt(unit[4], "unit4");
}

std::array<QLabel*, 6> frmTFitting::Skala(int i) const {
    static const std::array<std::array<int, 6>, 4> nummern = {
        {{0, 0, 0, 0, 0, 0}, {1, 2, 3, 4, 5, 6}, {8, 9, 10, 11, 13, 0}, {14, 15, 16, 17, 18, 19}}};
    std::array<QLabel*, 6> out{};
    for (std::size_t k = 0; k < 6; ++k) {
        const int nr = nummern[static_cast<std::size_t>(i)][k];
        out[k] = nr > 0 ? ScaleLabel[static_cast<std::size_t>(nr)] : nullptr;
    }
    return out;
}

void frmTFitting::SetzeGruppe(int i, bool sliderZeigen, bool labelsAn) {
    SliderGrob[static_cast<std::size_t>(i)]->setVisible(sliderZeigen);
    SliderFein[static_cast<std::size_t>(i)]->setVisible(sliderZeigen);
    for (QLabel* l : Skala(i))
        if (l) l->setEnabled(labelsAn);
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void frmTFitting::TakeDataC0() {
    c0Wert[1] = c0Mess[1];
    c0Wert[2] = c0Mess[2];
    for (int i = 0; i <= 4; ++i) {
        Inp[static_cast<std::size_t>(i)]->setText(
            Q(platform::StrSingle(static_cast<float>(c0Wert[static_cast<std::size_t>(i + 1)]))));
    }
}

void frmTFitting::Form_Load() {
    ladeModus_ = DiagVariante;
    nZeitPunkte = kFitIntervalle;
    Label7->setFixedWidth(width() - Tw(200));

    for (int i = 1; i <= 3; ++i) {
        lblPlusMinus[static_cast<std::size_t>(i)]->setText(QString::fromUtf8("±"));
        lblStdDev[static_cast<std::size_t>(i)]->setText(QString());
    }
    VerbergeStdDev();

    TakeDataC0();
    for (int i = 0; i <= 4; ++i) {
        QLineEdit* box = Inp[static_cast<std::size_t>(i)];
        box->setStyleSheet(simulation::kLockedBoxStyle);
        box->setReadOnly(true);
    }

    SliderZurueck = false;
    for (int i = 1; i <= 3; ++i) {
        QSlider* grob = SliderGrob[static_cast<std::size_t>(i)];
        QSlider* fein = SliderFein[static_cast<std::size_t>(i)];
        const QSignalBlocker b1(grob), b2(fein);
        grob->setRange(kGrobMin, kGrobMax);
        grob->setSingleStep(5);
        grob->setPageStep(50);
        grob->setTickInterval(45);
        grob->setValue(0);
        fein->setRange(kFeinMin, kFeinMax);
        fein->setSingleStep(1);
        fein->setPageStep(10);
        fein->setTickInterval(5);
        fein->setValue(0);
    }

    diagram::SetKurvenMaske(aktModell);

    for (int i = 1; i <= 5; ++i) {
        lblStoff[static_cast<std::size_t>(i - 1)]->setText(Q("c0" + diagram::Kurvenname(i).substr(1)));
        QCheckBox* box = chkConcFQS[static_cast<std::size_t>(i)];
        box->setText(Q(diagram::Kurvenname(i)));
        box->setVisible(MaskeAn(KurvenMaske, static_cast<std::size_t>(i - 1)));
        const bool daten = DatenSpalte[static_cast<std::size_t>(i)] != 0;
        box->setEnabled(daten);
        box->setChecked(daten);
    }

    if (DiagVariante == 2) {
        FitParameter[1] = kWert[1];
        FitParameter[2] = ReaktOrdnung;
    } else if (Isotherm()) {
        for (int i = 1; i <= 3; ++i) FitParameter[static_cast<std::size_t>(i)] = kWert[static_cast<std::size_t>(i)];
    } else {
        // Both temperature functions start from 100 and 100 (Inp_Change stores them as A and EA, or
        // as the Eyring pre-factor and h#).
        SchreibeBox(10, " 100");
        SchreibeBox(11, " 100");
        const std::array<double, 4> p = ModusParameter();
        FitParameter[1] = p[1];
        FitParameter[2] = p[2];
    }

    cmdAutoFitting->setText(kAutoCaption);

    if (FitAnzeigeModus == 1) {
        cmdAutoFitting->show();
        cmdDrawNewCurve->hide();
        chkFixed[1]->setEnabled(true);
        chkFixed[2]->setEnabled(frak[2]->isEnabled());
        chkFixed[3]->setEnabled(frak[3]->isEnabled());
        for (int i = 1; i <= 3; ++i) SetzeGruppe(i, false, false);
    } else if (FitAnzeigeModus == 0) {
        cmdDrawNewCurve->show();
        cmdAutoFitting->hide();
        for (int i = 1; i <= 3; ++i) chkFixed[static_cast<std::size_t>(i)]->setEnabled(false);
        SetzeGruppe(1, true, true);
        for (int i = 2; i <= 3; ++i) {
            const bool an = frak[static_cast<std::size_t>(i)]->isEnabled();
            SetzeGruppe(i, an, an);
        }
    }
}

void frmTFitting::Form_Resize() {
    if (FitAnzeigeModus != 0 && FitAnzeigeModus != 1) return;
    optManuAuto[static_cast<std::size_t>(FitAnzeigeModus)]->setChecked(true);
    optManuAuto_Click(FitAnzeigeModus);
}

void frmTFitting::Form_Activate() {
    // The unit procedure writes k1..k3 into the parameter boxes. Outside mode 1 the boxes hold other
    // parameters: they show, and the fit starts from, the values the model computation reads.
    inpStumm_ = DiagVariante != 1;
    UpdateUnitLabels();
    if (inpStumm_) {
        const std::array<double, 4> p = ModusParameter();
        for (int i = 1; i <= 3; ++i) {
            FitParameter[static_cast<std::size_t>(i)] = p[static_cast<std::size_t>(i)];
            SetzeBox(9 + i, p[static_cast<std::size_t>(i)]);
        }
    }
    inpStumm_ = false;

    if (const int nr = ZeitEinheitIndexOf(ZeitEinheit); nr >= 0) ZeitEinheitNr = nr;
    Inp[14]->hide();
    if (aktModell == kOrderModel) {
        Label7->setText(Q("kinet. Modell:  " + ModellName[kOrderModel] + " (n = " +
                          platform::FormatSingle(ReaktOrdnung, "0.00") + ")"));
    }

    // Groups 2 and 3 follow the parameter mask (sliders shown with the group in either panel).
    for (int i = 2; i <= 3; ++i) {
        const auto s = static_cast<std::size_t>(i);
        const bool an = MaskeAn(ParamMaske, s - 1);
        frak[s]->setEnabled(an);
        chkFixed[s]->setEnabled(an);
        SetzeGruppe(i, an, an);
        Inp[s + 9]->setVisible(an);
        if (i == 2) Bz[6]->setVisible(an);
        if (i == 3) Bz[7]->setVisible(true);
    }
    for (int i = 1; i <= 2; ++i) optkTFunktion[static_cast<std::size_t>(i)]->setVisible(!Isotherm());

    lblAktEntropie->hide();
    Label7->setAlignment(Qt::AlignHCenter);
    ModusBeschriftung();
    if (Eyring()) {
        lblAktEntropie->show();
        if (!(FitParameter[1] > 0 && FitParameter[1] <= 100)) lblAktEntropie->setText(" s# / J/(mol K))");
    }

    if (Isotherm()) {
        cmdAutoFitting->setToolTip(" ein mehrmaliges Fitting kann u. U. das Ergebnis noch verbessern ");
    } else {
        for (int i : {10, 11})
            Inp[static_cast<std::size_t>(i)]->setToolTip(" nur niedrige Startwerte führen zum Erfolg (teste 0|1|10|100) ");
    }
    for (int i = 1; i <= 3; ++i)
        lblStdDev[static_cast<std::size_t>(i)]->setToolTip(QStringLiteral(" Standardabweichung des Parameters %1").arg(i));
}

// The captions of modes 2, 6 and 7 (model line, frame titles, names and units of the parameters);
// mode 1 keeps the unit captions the kernel writes.
void frmTFitting::ModusBeschriftung() {
    if (DiagVariante == 2) {
        Label7->setText("kin. Modell: A => P, Fitting der Rkt.-ordnung");
        frak[2]->setTitle("Reaktionsordnung n");
        Bz[6]->setText("n");
        unit[2]->setText("");
    } else if (!Isotherm() && (kTFunktion == 1 || kTFunktion == 2)) {
        const bool erste = DiagVariante == 6;
        Label7->setText(erste ? " kinet. Modell: A => P, 1. Ord." : " kinet. Modell: 2A => P, 2. Ord.");
        Label7->setAlignment(Qt::AlignLeft);
        if (kTFunktion == 1) {
            frak[1]->setTitle(QString::fromUtf8("Arrhenius-Präexponentialfaktor A"));
            frak[2]->setTitle(erste ? "mol. Aktivierungsenergie EA" : "Aktivierungsenergie EA");
            Bz[5]->setText("A");
            unit[1]->setText(Q(erste ? "/(1/" + ZeitEinheit + ")" : "/(1/(" + ZeitEinheit + " mol/L))"));
            Bz[6]->setText("");
            unit[2]->setText("EA /(J/mol)");
            optkTFunktion[1]->setChecked(true);
        } else {
            frak[1]->setTitle("mol. Aktivierungs-Entropie s#");
            frak[2]->setTitle("mol. Aktivierungs-Enthalpie h#");
            Bz[5]->setText("s# /(J/(mol K))");
            unit[1]->setText("");
            Bz[6]->setText("");
            unit[2]->setText("h# /(J/mol)");
            optkTFunktion[2]->setChecked(true);
        }
    }
}

std::array<double, 4> frmTFitting::ModusParameter() {
    if (DiagVariante == 2) return {0, kWert[1], ReaktOrdnung, kWert[3]};
    if (Arrhenius()) return {0, ArrhA, ArrhEA, kWert[3]};
    if (Eyring()) return {0, EyrFaktor, EyrH, kWert[3]};
    if (!Isotherm()) return FitParameter;
    return kWert;
}

void frmTFitting::Form_QueryUnload() {
    const QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    PosFitting.Left = platform::PixelsToTwips(frame->x());
    PosFitting.Top = platform::PixelsToTwips(frame->y());
    platform::Windows().Unload("frmTGraph2D");
}

void frmTFitting::cmdClose_Click() {
    platform::Windows().Unload(kName);
    platform::Windows().Unload("frmTGraph2D");
}

void frmTFitting::cmdHelp_Click() { platform::ShowHelpContext(kHilfe); }

void frmTFitting::chkFixed_Click(int Index) {
    if (Index < 1 || Index > 3) return;
    ParamFixiert_[static_cast<std::size_t>(Index)] = chkFixed[static_cast<std::size_t>(Index)]->isChecked() ? kTrue : 0;
}

void frmTFitting::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (positioniert_) return;
    positioniert_ = true;
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame) frame = this;
    frame->move(platform::TwipsToPixels(PosFitting.Left), platform::TwipsToPixels(PosFitting.Top));
}

void frmTFitting::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmTFitting::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QWidget::closeEvent(event);
}

// Enter presses the default button cmdDrawNewCurve, Escape the cancel button cmdClose.
void frmTFitting::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cmdClose->click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !cmdDrawNewCurve->isHidden()) {
        cmdDrawNewCurve->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmTFitting::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box) return QWidget::eventFilter(watched, event);
    int index = -1;
    for (int i = 0; i <= 14; ++i)
        if (Inp[static_cast<std::size_t>(i)] == box) index = i;
    if (event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(box, &QLineEdit::selectAll, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress || index < 0) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) return false;  // reaches the window
    int ascii = simulation::KeyAscii(key);
    if (ascii == 0) return false;  // cursor keys and the like
    const int typed = ascii;
    Inp_KeyPress(index, ascii);
    if (ascii == 0) return true;
    if (ascii != typed && ascii != 13) {
        box->insert(QString(QChar(ascii)));  // the filter replaced the key (a comma becomes a point)
        return true;
    }
    if (ascii == 13) {
        if (!cmdDrawNewCurve->isHidden()) cmdDrawNewCurve->click();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Manual fitting

void frmTFitting::Inp_KeyPress(int /*Index*/, int& KeyAscii) {
    if (KeyAscii == 3 || KeyAscii == 22) {
        KeyAscii = 0;
        return;
    }
    if (!CheckNumKey(KeyAscii)) KeyAscii = 0;
}

void frmTFitting::Inp_Change(int Index) {
    if (Index < 10 || Index > 12) return;
    double v = platform::ValLocale(Inp[static_cast<std::size_t>(Index)]->text().toStdString());
    if (v == 0) v = experiment::kNullErsatz;
    SpeichereParameter(Index, v);
}

void frmTFitting::SpeichereParameter(int index, double value) {
    FitParameter[static_cast<std::size_t>(index - 9)] = value;
    switch (index) {
    case 10:
        if (Isotherm()) {
            kWert[1] = value;
        } else if (Arrhenius()) {
            ArrhA = value;
        } else if (Eyring()) {
            EyrFaktor = value;
            double s = 0;
            if (!experiment::EyringEntropie(FitParameter[1], s)) {
                platform::MsgBox("ungültige Werte für Eyring-Berechnung", platform::MsgCritical, kNichtMoeglich);
                return;
            }
            EyrS = s;
            EyrH = FitParameter[2];
            lblAktEntropie->setText(Q(experiment::EntropieText(EyrS, "###.0")));
        }
        break;
    case 11:
        if (Arrhenius()) ArrhEA = value;
        else if (Eyring()) EyrH = value;
        else if (DiagVariante == 2) ReaktOrdnung = static_cast<float>(value);
        else if (Isotherm()) kWert[2] = value;
        break;
    case 12: kWert[3] = value; break;
    default: break;
    }
}

void frmTFitting::SetzeBox(int index, double value) { SchreibeBox(index, Q(platform::StrSingle(static_cast<float>(value)))); }

void frmTFitting::SchreibeBox(int index, const QString& text) {
    const bool vorher = eigeneSchreibung_;
    eigeneSchreibung_ = true;
    Inp[static_cast<std::size_t>(index)]->setText(text);
    eigeneSchreibung_ = vorher;
}

void frmTFitting::Slider_Change(int i, bool fein) {
    if (i < 1 || i > 3) return;
    if (SliderZurueck) {
        SliderZurueck = false;
        return;
    }
    QSlider* slider = fein ? SliderFein[static_cast<std::size_t>(i)] : SliderGrob[static_cast<std::size_t>(i)];
    const int v = slider->value();
    tMax = DiagRec.xMax;
    double p = FitParameter[static_cast<std::size_t>(i)];
    p += p * v / (fein ? kFeinTeiler : kGrobTeiler);
    SetzeBox(9 + i, p);  // stores the value as the box shows it

    if (i == 1 && Eyring()) {
        double s = 0;
        if (!experiment::EyringEntropie(FitParameter[1], s)) {
            platform::MsgBox("ungültige Werte für Eyring-Berechnung", platform::MsgCritical, kNichtMoeglich);
            return;
        }
        if (!fein) {
            EyrFaktor = FitParameter[1];
            EyrH = FitParameter[2];
        }
        EyrS = s;
        lblAktEntropie->setText(Q(experiment::EntropieText(EyrS, fein ? "###.0" : "###.")));
    }

    if (aktDiagrammCode > 0) cmdDrawNewCurve_Click();
    if (!(i == 1 && fein)) VerbergeStdDev();

    if (slider->value() != 0) {
        SliderZurueck = true;
        slider->setValue(0);
    }
}

void frmTFitting::optkTFunktion_Click(int Index) {
    kTFunktion = Index;
    if (Index == 2) {
        SchreibeBox(10, "1");
        SchreibeBox(11, "1");
    }
    Form_Activate();
    if (platform::Windows().IsLoaded("frmArrheniusRechner")) platform::Windows().Show("frmArrheniusRechner");
    if (QWidget* frame = platform::Windows().Frame(kName)) frame->activateWindow();
}

void frmTFitting::VerbergeStdDev() {
    for (int i = 1; i <= 3; ++i) {
        lblPlusMinus[static_cast<std::size_t>(i)]->hide();
        lblStdDev[static_cast<std::size_t>(i)]->hide();
    }
}

void frmTFitting::cmdDrawNewCurve_Click() {
    aktDiagrammCode = aktModell;
    tMax = DiagRec.xMax;
    {
        const QSignalBlocker blocker(Inp[14]);
        Inp[14]->setText(Q(platform::StrSingle(static_cast<float>(tMax))));
    }
    diagram::SetKurvenMaske(aktModell);
    ModusBeschriftung();  // other windows may have written their unit captions meanwhile
    if (!EingabenPruefen(true)) return;

    VerbergeStdDev();
    // Every curve and the RMS are computed and checked before the old curves are removed: a
    // failure (IEEE arithmetic raises nothing, so non-finite values count as one) leaves them.
    std::vector<Verlauf> verlaeufe;
    std::string ursache;
    try {
        ursache = KurvenRechnen(verlaeufe);
        if (ursache.empty()) Zeichnen(verlaeufe);
    } catch (const std::exception& e) {
        ursache = e.what();
    }
    if (!ursache.empty()) {
        platform::MsgBox("Berechnungsfehler aufgetreten" + CrLf + ursache, platform::MsgCritical, kNichtMoeglich);
        return;
    }
    ZeigeFQS();
    if (!Isotherm() && platform::Windows().IsLoaded("frmArrheniusRechner")) platform::Windows().Show("frmArrheniusRechner");
}

bool frmTFitting::EingabenPruefen(bool mitParametern) const {
    // c(A,0) and c(B,0) are the data's (their first row at t = 0): a row of zeros there, such as a
    // pasted heading, leaves nothing to react.
    std::string meldung = simulation::InitialAComplaints();
    if (c0Wert[2] <= 0 && MaskeAn(KurvenMaske, 1)) {
        meldung += aktModell == kEnzymModel ? "- noch keine gültige Eingabe einer Anfangskonzentration c(S,0)"
                                            : "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)";
        meldung += CrLf;
    }
    if ((aktModell == 5 || aktModell == 16) && c0Wert[4] <= 0)
        meldung += "- für Autokatalyse muss ein (geringes) c(P,0) gegeben sein, sonst springt die Reaktion nicht an " + CrLf;
    if (mitParametern) {
        // Parameter 1 is k1 in the isothermal modes, A or the Eyring pre-factor in modes 6 and 7.
        const double p1 = Isotherm() ? kWert[1] : (kTFunktion == 2 ? EyrFaktor : ArrhA);
        if (aktModell == kOrderModel && ReaktOrdnung <= 0) meldung += "- nur n > 0 erlaubt" + CrLf;
        if (p1 <= 0) meldung += "- Geschwindigkeitskonstante k1 muss größer Null sein" + CrLf;
        if (MaskeAn(ParamMaske, 1) && DiagVariante == 1 && kWert[2] <= 0)
            meldung += "- Geschwindigkeitskonstante k2 muss größer Null sein" + CrLf;
        if (MaskeAn(ParamMaske, 2) && kWert[3] <= 0)
            meldung += "- Geschwindigkeitskonstante k3 muss größer Null sein" + CrLf;
    }
    if (meldung.empty()) return true;
    platform::MsgBox(meldung, platform::MsgCritical, kNichtMoeglich);
    return false;
}

frmTFitting::Verlauf frmTFitting::Verlauf::Merken() {
    return std::apply([](const auto&... teil) { return Verlauf{teil...}; }, GemeinsamerVerlauf());
}

void frmTFitting::Verlauf::Zuruecklegen() const {
    GemeinsamerVerlauf() = std::tie(t, cA, cB, cC, cP, cQ, rA, rB, rC, rP, rQ, n, k1);
}

// The time courses of the redraw (one, or one per measured temperature) into verlaeufe; answers
// the cause of a failure, empty when every drawn value and the RMS are finite.
std::string frmTFitting::KurvenRechnen(std::vector<Verlauf>& verlaeufe) {
    if (!std::isfinite(calcFQS())) return "- der mittlere quadratische Fehler (RMS) ist nicht endlich";
    auto rechnen = [&]() -> std::string {
        int err = 0;
        CalcZeitverlauf(aktModell, tMax, err);
        if (err != 0) return "- die Modellkurve ist nicht berechenbar";
        for (int s = 1; s <= kSpecies; ++s) {
            if (!MaskeAn(KurvenMaske, static_cast<std::size_t>(s - 1))) continue;
            const std::vector<double>& c = cKurve(s);
            for (int i = 0; i <= nZeitPunkte && i < static_cast<int>(c.size()); ++i)
                if (!std::isfinite(c[static_cast<std::size_t>(i)]) || !std::isfinite(tWerte[static_cast<std::size_t>(i)]))
                    return "- die Modellkurve enthält Werte, die nicht endlich sind";
        }
        verlaeufe.push_back(Verlauf::Merken());
        return {};
    };
    if (Isotherm()) return rechnen();
    for (int j = 1; j <= nTemperaturen && j < static_cast<int>(TempListe.size()); ++j) {
        const double T = TempListe[static_cast<std::size_t>(j)];
        if (kTFunktion == 2)
            kWert[1] = T * EyrFaktor * std::exp(-EyrH / (kGaskonstanteR * T));
        else
            kWert[1] = ArrhA * std::exp(-ArrhEA / (kGaskonstanteR * T));
        if (std::string ursache = rechnen(); !ursache.empty())
            return ursache + " (T = " + platform::CStrSingle(static_cast<float>(T)) + " K)";
    }
    return {};
}

// The checked curves replace the ones drawn before; the measured points and the scaling of an
// open diagram stay. Non-isothermal: one model curve per measured temperature, the diagram set up
// once.
void frmTFitting::Zeichnen(const std::vector<Verlauf>& verlaeufe) {
    nKurven = 0;
    if (diagram::frmTGraph2D* offen = diagram::frmTGraph2D::Geladen()) {
        int alle = 0;
        offen->DeleteCurves(alle);
    }
    bool erste = true;
    for (const Verlauf& v : verlaeufe) {
        v.Zuruecklegen();
        if (erste) {
            ScanExpDataRange(aktDiagrammCode, MitPunkten);
            diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
        }
        erste = false;
        if (diagram::frmTGraph2D* fenster = diagram::frmTGraph2D::Geladen()) fenster->cmdDraw_Click();
        if (!Isotherm()) ZeichnenOffen = 1;
    }
}

double frmTFitting::calcFQS() const { return experiment::calcFQS(GezaehlteSpezies()); }

std::array<bool, 6> frmTFitting::GezaehlteSpezies() const {
    std::array<bool, 6> out{};
    for (int s = 1; s <= 5; ++s) {
        const QCheckBox* box = chkConcFQS[static_cast<std::size_t>(s)];
        out[static_cast<std::size_t>(s)] = !box->isHidden() && box->isChecked();
    }
    return out;
}

void frmTFitting::chkConcFQS_Click(int /*Index*/) { ZeigeFQS(); }

// ---------------------------------------------------------------------------------------------
// Automatic fitting

void frmTFitting::ZeigeFQS() {
    lblFQS->setText(Q(experiment::RmsText(calcFQS(), experiment::ZahlBeitragendeZeilen())));
    diagram::frmTGraph2D* fenster = diagram::frmTGraph2D::Geladen();
    if (!fenster || aktModell >= 21) return;
    platform::Chart2D* chart = fenster->Chart();
    chart->SetTextBlockShown(platform::ChartText::Footer, true);
    chart->SetTextBlockBackColor(platform::ChartText::Footer, platform::Chart2D::Rgb(255, 255, 192));
    chart->SetTextBlock(platform::ChartText::Footer, experiment::FitErgebnisText());
}

void frmTFitting::optManuAuto_Click(int Index) {
    const bool manuell = Index == 0;
    FitAnzeigeModus = manuell ? 0 : 1;
    Fett(optManuAuto[0], manuell);
    Fett(optManuAuto[1], !manuell);
    cmdDrawNewCurve->setVisible(manuell);
    cmdAutoFitting->setVisible(!manuell);
    if (manuell) {
        for (int i = 1; i <= 3; ++i) chkFixed[static_cast<std::size_t>(i)]->setEnabled(false);
        SetzeGruppe(1, true, true);
        for (int i = 2; i <= 3; ++i) {
            const bool an = frak[static_cast<std::size_t>(i)]->isEnabled();
            SetzeGruppe(i, an, an);
        }
    } else {
        chkFixed[1]->setEnabled(true);
        chkFixed[2]->setEnabled(frak[2]->isEnabled());
        chkFixed[3]->setEnabled(frak[3]->isEnabled());
        for (int i = 1; i <= 3; ++i) SetzeGruppe(i, false, false);
    }
}

void frmTFitting::cmdAutoFitting_Click() {
    const int np = experiment::ZahlFitParameter(ParamMaske);
    if (np == 0) return;
    // Parameters fitted to initial concentrations from which nothing reacts would look like a result.
    if (!EingabenPruefen(false)) return;
    // Only the rows the engine counts (active, in modes 6 and 7 with a temperature) carry a fit.
    if (experiment::ZahlBeitragendeZeilen() <= np) {
        platform::MsgBox("Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!" + CrLf +
                             "Ergänzen Sie die Daten im Dateneditor.",
                         platform::MsgCritical, kNichtMoeglich);
        return;
    }
    if (!Isotherm()) experiment::RepariereStartwerte(FitParameter);

    // The hourglass and the caption return whatever happens in between.
    struct Warten {
        QPushButton* knopf;
        explicit Warten(QPushButton* k) : knopf(k) {
            WaitCursorOn();
            knopf->setText("warte...");
        }
        ~Warten() {
            knopf->setText(kAutoCaption);
            WaitCursorOff();
        }
    } warten(cmdAutoFitting);

    std::vector<double> B(FitParameter.begin(), FitParameter.end());
    std::vector<double> SD(4, 0.0);
    int failed = kFitOk;
    FitSettings settings;
    settings.ParamFixiert = ParamFixiert_;
    settings.chkConcFQS = GezaehlteSpezies();
    MarquardtNashFitting(np, nMesspunkte, B, SD, failed, settings);
    letzterFitFehler_ = failed;
    if (failed == kFitRefused) return;  // nothing was run; the refusal has been reported
    if (failed == kFitLimit) {
        platform::MsgBox("Maximale Iterationszahl erreicht." + CrLf + CrLf +
                             "- Wiederholen Sie das Fitting und/oder verbessern Sie die" + CrLf +
                             "  Startwerte durch Annäherung der Kurve(n) an die Messwerte." + CrLf +
                             "- Wählen Sie ein anderes kinetisches Modell." + CrLf,
                         platform::MsgExclamation, "Parameter-Fitting");
    }

    for (int i = 1; i <= 3; ++i) FitParameter[static_cast<std::size_t>(i)] = B[static_cast<std::size_t>(i)];
    if (Isotherm() && DiagVariante != 2) {
        for (int i = 1; i <= 3; ++i) kWert[static_cast<std::size_t>(i)] = FitParameter[static_cast<std::size_t>(i)];
    } else if (DiagVariante == 2) {
        kWert[1] = FitParameter[1];
        ReaktOrdnung = static_cast<float>(FitParameter[2]);
    } else if (kTFunktion == 1) {
        ArrhA = FitParameter[1];
        ArrhEA = FitParameter[2];
    } else if (kTFunktion == 2) {
        double s = 0;
        if (experiment::EyringEntropie(FitParameter[1], s)) EyrS = s;
        lblAktEntropie->setText(Q(experiment::EntropieText(EyrS, "###.0")));
        EyrFaktor = FitParameter[1];
        EyrH = FitParameter[2];
    }

    auto gezeigt = [](int i) { return i == 1 || MaskeAn(ParamMaske, static_cast<std::size_t>(i - 1)); };
    for (int i = 1; i <= 3; ++i)
        if (gezeigt(i)) SetzeBox(9 + i, FitParameter[static_cast<std::size_t>(i)]);

    cmdDrawNewCurve_Click();

    // Standard deviations the engine could not compute show as such (9999), so that a run that
    // stopped at its limit or failed does not look like a finished one.
    for (int i = 1; i <= 3; ++i) {
        const auto s = static_cast<std::size_t>(i);
        if (!gezeigt(i) || i > np) continue;
        lblPlusMinus[s]->show();
        lblStdDev[s]->show();
        lblStdDev[s]->setText(Q(experiment::StdDevText(SD[s])));
    }
}
