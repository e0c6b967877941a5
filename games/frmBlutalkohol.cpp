#include "games/frmBlutalkohol.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <cmath>
#include <exception>

#include "diagram/Grafik.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/DataSet.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

using namespace kernel;

namespace {

const char* const kName = "frmBlutalkohol";
const char* const kDiagramm = "frmTGraph2D";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmBlutalkohol; });

// The window leaves room at its right for the blood-alcohol diagram at its remembered place; its
// buttons stand in the rows below the drink table, where the diagram does not reach.
constexpr int kFensterBreite = 11700;  // twips
constexpr int kFensterHoehe = 9500;
constexpr int kKnopfZeile = 7650;      // top of the button row under the table, twips
// The parameter buttons stand in a row of their own at the bottom: on a screen too narrow for the
// window and its diagram side by side, the diagram moved back into view covers the parameters'
// right half and the table, but no button.
constexpr int kParameterKnopfZeile = 8950;
constexpr int kHilfeKontext = 9823;
constexpr int kMaxMinute = 999;
constexpr int kStandardTmax = 600;
constexpr double kEthanolDichte = 0.789;  // g/ml
constexpr float kStandardKres = 5;
constexpr int kStandardRD = 20;
constexpr int kMinutenProTag = 1440;
constexpr float kRMannMin = 0.68f;  // lower end of the men's distribution factors, L/kg

const char* const kNichtMoeglich = " Ausführung nicht möglich ";

// Rate choices of a drink: text and k(res) in 1/h.
struct Rate {
    const char* text;
    float kres;
};
constexpr std::array<Rate, 4> kRaten{{{"normal", 5}, {"langsam", 2}, {"Sturztrunk", 20}, {" - - -", 0}}};
constexpr int kRateNormal = 0;
constexpr int kRateLeer = 3;

QString U(const char* text) { return QString::fromUtf8(text); }

int Tw(int twips) { return (twips + platform::kTwipsPerPixel / 2) / platform::kTwipsPerPixel; }

void PlaceTw(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(Tw(left), Tw(top), Tw(width), Tw(height));
}

double Wert(const QLineEdit* box) { return platform::ValLocale(box->text().toStdString()); }

// CInt: to the nearest whole number, a half to the even neighbour.
int CInt(double x) {
    if (!std::isfinite(x)) return 0;
    const double r = std::nearbyint(x);
    if (r > 32767) return 32767;
    if (r < -32768) return -32768;
    return static_cast<int>(r);
}

// A stored number as plain text with a decimal point, read back by Val to the same value.
QString Zahl(double v) { return QString::number(v, 'g', 7); }

// Mask "##0.0#" with a decimal point whatever the locale.
QString MasseText(float a) {
    return QString::fromStdString(platform::WithDecimalPoint(platform::FormatSingle(a, "##0.0#")));
}

void SetBold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The main-window entry

namespace games {

void Blutalkohol_Click() {
    auto& windows = platform::Windows();
    for (const char* name : {"frmBlutalkohol", "frmBatch", "frmPrepareTimeDiagram", "frmRKconti", "frmRohrreaktor",
                             "frmKaskade", "frmTFitting", "frmVerweilzeit"}) {
        windows.Unload(name);
    }
    // The fitting is over: its diagram size no longer applies to the blood-alcohol diagram.
    DiagVariante = 0;
    // Hidden after the unloads: closing an old blood-alcohol window shows the model window again.
    if (QWidget* kin = windows.Frame("frmKinModel")) kin->hide();
    windows.Show(kName);
}

}  // namespace games

// ---------------------------------------------------------------------------------------------
// Construction

frmBlutalkohol::frmBlutalkohol(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(U("Kinetik des Blutalkohol-Abbaus im menschlichen Körper"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
}

frmBlutalkohol* frmBlutalkohol::Geladen() { return qobject_cast<frmBlutalkohol*>(platform::Windows().Get(kName)); }

void frmBlutalkohol::BuildControls() {
    auto feld = [this](const QString& name, QWidget* parent) {
        auto* box = new QLineEdit(parent);
        box->setObjectName(name);
        box->installEventFilter(this);
        return box;
    };
    auto etikett = [](const QString& text, QWidget* parent, int l, int t, int w, int h) {
        auto* label = new QLabel(text, parent);
        PlaceTw(label, l, t, w, h);
        return label;
    };
    auto knopf = [this](const char* name, const QString& text, QWidget* parent) {
        auto* b = new QPushButton(text, parent ? parent : this);
        b->setObjectName(name);
        return b;
    };

    fraBAKModel = new QGroupBox(U("Welches Modell BAK = f(t) möchten Sie zeichnen?"), this);
    fraBAKModel->setObjectName("fraBAKModel");
    PlaceTw(fraBAKModel, 120, 60, 6300, 1200);
    const std::array<const char*, 3> modelle{" Abbau der BAK nach 0. Ordnung   (klassisches Modell)",
                                             " Abbau der BAK nach  0. und 1. Ordnung  (modifiz. Modell)",
                                             " nur Aufbau der BAK, kein Abbau  (hypothetisch)"};
    for (int i = 0; i < 3; ++i) {
        auto* o = new QRadioButton(U(modelle[static_cast<std::size_t>(i)]), fraBAKModel);
        o->setObjectName(QStringLiteral("optBAKModel(%1)").arg(i));
        PlaceTw(o, 150, 300 + i * 280, 6000, 270);
        connect(o, &QRadioButton::clicked, this, [this, i] { optBAKModel_Click(i); });
        optBAKModel[static_cast<std::size_t>(i)] = o;
    }

    fraBAKUnit = new QGroupBox(U(" Einheit BAK (y-Achse) "), this);
    fraBAKUnit->setObjectName("fraBAKUnit");
    PlaceTw(fraBAKUnit, 6550, 60, 2900, 1200);
    const std::array<const char*, 2> einheiten{"g/kg (\"Promille\")", "g/L"};
    for (int i = 0; i < 2; ++i) {
        auto* o = new QRadioButton(U(einheiten[static_cast<std::size_t>(i)]), fraBAKUnit);
        o->setObjectName(QStringLiteral("optBAKUnit(%1)").arg(i));
        PlaceTw(o, 150, 330 + i * 330, 2400, 280);
        connect(o, &QRadioButton::clicked, this, [this, i] { optBAKUnit_Click(i); });
        optBAKUnit[static_cast<std::size_t>(i)] = o;
    }

    fraParameter = new QGroupBox(U(" Parameter "), this);
    fraParameter->setObjectName("fraParameter");
    PlaceTw(fraParameter, 120, 1350, 11460, 2250);
    const std::array<const char*, 2> geschlecht{"Mann", "Frau"};
    const std::array<const char*, 2> rTipps{" WIDMARK-Verteilungsfaktor >= 0.7 ", " WIDMARK-Verteilungsfaktor <= 0.6 "};
    const std::array<const char*, 2> rFeldTipps{
        " WIDMARK-Verteilungsfaktor 0,68...0,8 L/kg (Standardwert 0,7 L/kg)   ",
        "  WIDMARK-Verteilungsfaktor 0,5...0,6 L/kg (Standardwert 0,6 L/kg) "};
    for (int i = 0; i < 2; ++i) {
        const int links = 150 + i * 3300;
        auto* o = new QRadioButton(geschlecht[static_cast<std::size_t>(i)], fraParameter);
        o->setObjectName(QStringLiteral("optrWert(%1)").arg(i));
        o->setToolTip(rTipps[static_cast<std::size_t>(i)]);
        PlaceTw(o, links, 300, 900, 280);
        connect(o, &QRadioButton::clicked, this, [this, i] { optrWert_Click(i); });
        optrWert[static_cast<std::size_t>(i)] = o;
        etikett("r = ", fraParameter, links + 950, 320, 450, 260)->setObjectName(QStringLiteral("lbl_r(%1)").arg(i));
        auto* box = feld(QStringLiteral("txt_r(%1)").arg(i), fraParameter);
        box->setToolTip(U(rFeldTipps[static_cast<std::size_t>(i)]));
        PlaceTw(box, links + 1400, 290, 750, 300);
        connect(box, &QLineEdit::textChanged, this, [this, i] { txt_r_Change(i); });
        txt_r[static_cast<std::size_t>(i)] = box;
        etikett("L/kg", fraParameter, links + 2200, 320, 600, 260);
    }
    etikett(U("Körpergewicht    m = "), fraParameter, 150, 720, 2300, 260);
    txtKoerpermasse = feld("txtKoerpermasse", fraParameter);
    PlaceTw(txtKoerpermasse, 2550, 690, 750, 300);
    etikett("kg", fraParameter, 3350, 720, 400, 260);
    etikett(U("Eliminations-Geschwindigkeitskonstante  beta60 / (g/( L h))"), fraParameter, 150, 1110, 5350, 260);
    txtb60 = feld("txtb60", fraParameter);
    txtb60->setToolTip(U(" BAK-Abbaugeschwindigkeit 0. Ordnung  0,1...0,2 g/(L h) (Standardwert 0,15 g/(L h)) "));
    PlaceTw(txtb60, 5550, 1080, 650, 300);
    etikett(U("Resorptions-Geschwindigkeitskonstante k(res) / h"), fraParameter, 150, 1480, 4950, 260);
    txtkres = feld("txtkres", fraParameter);
    txtkres->setToolTip(U(" 2...20 /h (Standardwert 5/h)  "));
    PlaceTw(txtkres, 5550, 1450, 650, 300);
    etikett(U("Resorptionsdefizit   RD / %"), fraParameter, 150, 1850, 4950, 260);
    txtRD = feld("txtRD", fraParameter);
    txtRD->setToolTip(U(" 10...30 % (Standardwert 20 %) "));
    PlaceTw(txtRD, 5550, 1820, 650, 300);
    cmdStandardWerte = knopf("cmdStandardWerte", U("alle Parameter auf Standardwert setzen"), nullptr);
    PlaceTw(cmdStandardWerte, 120, kParameterKnopfZeile, 3550, 420);
    cmdRecht = knopf("cmdRecht", U("rechtlicher Hinweis"), nullptr);
    PlaceTw(cmdRecht, 3800, kParameterKnopfZeile, 2200, 420);
    QFont klein = cmdStandardWerte->font();
    klein.setPointSize(8);
    cmdStandardWerte->setFont(klein);
    connect(txtKoerpermasse, &QLineEdit::textChanged, this, [this] { txtKoerpermasse_Change(); });
    connect(txtb60, &QLineEdit::textChanged, this, [this] { txtb60_Change(); });
    connect(txtRD, &QLineEdit::textChanged, this, [this] { txtRD_Change(); });
    connect(cmdStandardWerte, &QPushButton::clicked, this, [this] { cmdStandardWerte_Click(); });
    connect(cmdRecht, &QPushButton::clicked, this, [this] { cmdRecht_Click(); });

    BuildTable();

    fraDiagramm = new QGroupBox(U(" Diagramm "), this);
    fraDiagramm->setObjectName("fraDiagramm");
    PlaceTw(fraDiagramm, 120, kKnopfZeile + 500, 11460, 700);
    etikett("x-Achse(max) =", fraDiagramm, 150, 300, 1500, 300);
    txt_tmaxGraph = feld("txt_tmaxGraph", fraDiagramm);
    txt_tmaxGraph->setToolTip(U(" max. Wert der Zeitachse (<= 999 min) "));
    PlaceTw(txt_tmaxGraph, 1650, 270, 700, 320);
    etikett("min", fraDiagramm, 2400, 300, 500, 300);
    chkDelDiagram = new QCheckBox(U("nächste Kurve zufügen"), fraDiagramm);
    chkDelDiagram->setObjectName("chkDelDiagram");
    chkDelDiagram->setToolTip(U(" bei \"Hinzufügen\" wird keine neue Diagramm-Skalierung durchgeführt "));
    PlaceTw(chkDelDiagram, 3050, 290, 2800, 300);
    cmdDiagramm = knopf("cmdDiagramm", U("Zeichnen"), fraDiagramm);
    PlaceTw(cmdDiagramm, 5950, 220, 2200, 420);
    cmdCloseGraph = knopf("cmdCloseGraph", U("Diagramm schließen"), fraDiagramm);
    PlaceTw(cmdCloseGraph, 8300, 220, 3000, 420);
    connect(txt_tmaxGraph, &QLineEdit::textChanged, this, [this] { txt_tmaxGraph_Change(); });
    connect(chkDelDiagram, &QCheckBox::clicked, this, [this] { chkDelDiagram_Click(); });
    connect(cmdDiagramm, &QPushButton::clicked, this, [this] { cmdDiagramm_Click(); });
    connect(cmdCloseGraph, &QPushButton::clicked, this, [this] { cmdCloseGraph_Click(); });

    cmdHelp = knopf("cmdHelp", "Hilfe", nullptr);
    PlaceTw(cmdHelp, 7750, kKnopfZeile, 1400, 420);
    cmdClose = knopf("cmdClose", U("Schließen <Esc>"), nullptr);
    PlaceTw(cmdClose, 9300, kKnopfZeile, 2280, 420);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

void frmBlutalkohol::BuildTable() {
    fraTabelle = new QGroupBox(U("Tabelle: Verlauf des \"Trinkgelages\""), this);
    fraTabelle->setObjectName("fraTabelle");
    PlaceTw(fraTabelle, 120, 3700, 11460, 3850);
    tblGetraenke = new QTableWidget(kGetraenke, 7, fraTabelle);
    tblGetraenke->setObjectName("tblGetraenke");
    PlaceTw(tblGetraenke, 120, 300, 11220, 3450);
    tblGetraenke->setToolTip(U(" <Enter>- öder <Tab>-Taste: Sprung zum folgenden Eingabefeld "));
    const QStringList kopf{U("Menge / ml"),          U("Alk.-Gehalt / Vol.-%"), U("Alkoholmenge / g"),
                           U("Trink-Geschwindigk."), U("Trinkzeit / min"),      U("Uhrzeit  h"),
                           U("min")};
    tblGetraenke->setHorizontalHeaderLabels(kopf);
    tblGetraenke->horizontalHeaderItem(3)->setToolTip(
        U(" Einstellung der Resorptions-Geschwindigkeitskonstanten von Trunk 1...8 "));
    QStringList zeilen;
    for (int i = 1; i <= kGetraenke; ++i) zeilen << QStringLiteral("Glas %1").arg(i);
    tblGetraenke->setVerticalHeaderLabels(zeilen);
    // Each column at least as wide as its heading needs.
    const std::array<int, 7> breiten{1350, 1900, 1700, 1900, 1500, 950, 700};
    const QFontMetrics kopfSchrift(tblGetraenke->horizontalHeader()->font());
    for (int c = 0; c < 7; ++c)
        tblGetraenke->setColumnWidth(c, std::max(Tw(breiten[static_cast<std::size_t>(c)]),
                                                 kopfSchrift.horizontalAdvance(kopf[c]) + 14));
    tblGetraenke->verticalHeader()->setDefaultSectionSize(Tw(370));
    tblGetraenke->setSelectionMode(QAbstractItemView::NoSelection);

    auto feld = [this](const char* name, int i, int spalte) {
        auto* box = new QLineEdit;
        box->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
        box->installEventFilter(this);
        tblGetraenke->setCellWidget(i - 1, spalte, box);
        return box;
    };
    for (int i = 1; i <= kGetraenke; ++i) {
        const auto k = static_cast<std::size_t>(i);
        txtGlasVol[k] = feld("txtGlasVol", i, 0);
        txtAlkGehalt[k] = feld("txtAlkGehalt", i, 1);
        AlkMas[k] = new QLabel;
        AlkMas[k]->setObjectName(QStringLiteral("AlkMas(%1)").arg(i));
        AlkMas[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        tblGetraenke->setCellWidget(i - 1, 2, AlkMas[k]);
        cmbkres[k] = new QComboBox;
        cmbkres[k]->setObjectName(QStringLiteral("cmbkres(%1)").arg(i));
        cmbkres[k]->installEventFilter(this);
        tblGetraenke->setCellWidget(i - 1, 3, cmbkres[k]);
        txtStartZeit[k] = feld("txtStartZeit", i, 4);
        txtStartZeit[k]->setToolTip(i == 1 ? U(" Trinkbeginn: 0 min ") : U(" Zeit seit Trinkbeginn "));
        txt_h[k] = feld("txt_h", i, 5);
        txt_m[k] = feld("txt_m", i, 6);
        connect(txtGlasVol[k], &QLineEdit::textChanged, this, [this, i] { txtGlasVol_Change(i); });
        connect(txtAlkGehalt[k], &QLineEdit::textChanged, this, [this, i] { txtAlkGehalt_Change(i); });
        connect(txtStartZeit[k], &QLineEdit::textChanged, this, [this, i] { txtStartZeit_Change(i); });
        connect(cmbkres[k], &QComboBox::activated, this, [this, i] { cmbkres_Click(i); });
    }
    txtStartZeit[1]->setReadOnly(true);

    cmdBeispiel = new QPushButton(U("Beispiel für ein \"Trinkgelage\""), this);
    cmdBeispiel->setObjectName("cmdBeispiel");
    PlaceTw(cmdBeispiel, 120, kKnopfZeile, 3200, 420);
    cmdDeleteTabelle = new QPushButton(U("Tabelle löschen"), this);
    cmdDeleteTabelle->setObjectName("cmdDeleteTabelle");
    PlaceTw(cmdDeleteTabelle, 3450, kKnopfZeile, 2200, 420);
    connect(cmdBeispiel, &QPushButton::clicked, this, [this] { cmdBeispiel_Click(); });
    connect(cmdDeleteTabelle, &QPushButton::clicked, this, [this] { cmdDeleteTabelle_Click(); });
}

// ---------------------------------------------------------------------------------------------
// Opening, activation, closing

void frmBlutalkohol::Form_Load() {
    altDiagrammCode = aktDiagrammCode;
    altModell = aktModell;
    aktModell = BAKModellCode;
    aktDiagrammCode = BAKModellCode;

    // Rate lists; every drink with alcohol starts at "normal" with k(res) 5.
    for (int i = 1; i <= kGetraenke; ++i) {
        for (const Rate& r : kRaten) cmbkres[static_cast<std::size_t>(i)]->addItem(U(r.text));
        cmbkres[static_cast<std::size_t>(i)]->setCurrentIndex(-1);  // no choice until the rows are filled
        if (BAKVolProzent[static_cast<std::size_t>(i)] > 0) SetzeRate(i, kRateNormal);
    }
    for (int i = 2; i <= kGetraenke; ++i) txtStartZeit[static_cast<std::size_t>(i)]->setReadOnly(false);

    chkDelDiagram->hide();
    cmdCloseGraph->setEnabled(false);

    optBAKModel[BAKModifiziert ? 1 : 0]->setChecked(true);
    WaehleModell(BAKModifiziert ? 1 : 0);
    const int einheit = BAKUnitGL ? 1 : 0;
    optBAKUnit[static_cast<std::size_t>(einheit)]->setChecked(true);
    optBAKUnit_Click(einheit);
    cmdStandardWerte->setEnabled(true);
    // The sex is kept between openings: "Frau" for a stored factor below the men's range.
    const int frau = (BAKr > 0 && BAKr < kRMannMin) ? 1 : 0;
    optrWert[static_cast<std::size_t>(frau)]->setChecked(true);
    optrWert_Click(frau);

    txtKoerpermasse->setText(BAKKoerpermasse > 0 ? Zahl(BAKKoerpermasse) : QStringLiteral("73"));
    if (BAKRD <= 0) {
        BAKRD = kStandardRD;
        txtRD->setText(QStringLiteral("20"));
    } else {
        txtRD->setText(QString::number(BAKRD));
    }
    txtkres->setText(BAKkresStandard > 0 ? Zahl(BAKkresStandard) : QStringLiteral("5"));
    txtb60->setText(BAKbeta60 > 0 ? Zahl(BAKbeta60) : QStringLiteral("0.15"));
    txt_r[0]->setText(QStringLiteral("0.7"));
    txt_r[1]->setText(QStringLiteral("0.6"));

    if (BAKtmax <= 0) {
        BAKtmax = kStandardTmax;
        txt_tmaxGraph->setText(QString::number(kStandardTmax));
    } else {
        txt_tmaxGraph->setText(QString::number(BAKtmax));
    }
    DiagRec.xMax = static_cast<float>(BAKtmax);
    FillTableOnLoad();
}

void frmBlutalkohol::FillTableOnLoad() {
    for (int i = 1; i <= kGetraenke; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (BAKGlasVol[k] > 0) {
            txtGlasVol[k]->setText(Zahl(BAKGlasVol[k]));
        } else if (i == 1) {
            txtGlasVol[k]->setText(QStringLiteral(" 500"));
            BAKGlasVol[k] = 500;
            SetzeRate(i, kRateNormal);
        } else {
            txtGlasVol[k]->setText(QStringLiteral(" 0"));
            BAKGlasVol[k] = 0;
            SetzeRate(i, kRateLeer);
        }
        if (BAKVolProzent[k] > 0) {
            txtAlkGehalt[k]->setText(Zahl(BAKVolProzent[k]));
        } else if (i == 1) {
            txtAlkGehalt[k]->setText(QStringLiteral(" 5"));
            BAKVolProzent[k] = 5;
        } else {
            txtAlkGehalt[k]->setText(QStringLiteral(" 0"));
            BAKVolProzent[k] = 0;
        }
        txtStartZeit[k]->setText(BAKTrinkStart[k] < 0 ? QString() : QString::number(BAKTrinkStart[k]));
        // The mass carries the two decimals its label shows.
        BAKAlkMasse[k] = static_cast<float>(platform::ValLocale(AlkMas[k]->text().toStdString()));
    }
    txtStartZeit[1]->setText(QStringLiteral(" 0"));
    BAKTrinkStart[1] = 0;
}

void frmBlutalkohol::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* frame = platform::Windows().Frame(kName);
    if (!frame) frame = this;
    if (!positioniert_) {
        positioniert_ = true;
        if (frame != this) frame->resize(frame->size() - size() + QSize(Tw(kFensterBreite), Tw(kFensterHoehe)));
        frame->move(Tw(PosBlutalkohol.Left), Tw(PosBlutalkohol.Top));
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea() && !mdiVerbunden_) {
        mdiVerbunden_ = true;
        connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* aktiv) {
            if (aktiv == sub) Form_Activate();
        });
    }
    Form_Activate();
}

bool frmBlutalkohol::event(QEvent* event) {
    // A window of its own (outside an MDI area) is activated as a top-level window.
    if (event->type() == QEvent::WindowActivate && platform::Windows().Frame(kName) == this && isVisible())
        Form_Activate();
    return QWidget::event(event);
}

void frmBlutalkohol::Form_Activate() {
    txt_tmaxGraph->setText(Zahl(DiagRec.xMax));
    const bool offen = platform::Windows().IsLoaded(kDiagramm);
    chkDelDiagram->setVisible(offen);
    cmdCloseGraph->setEnabled(offen);
}

void frmBlutalkohol::Form_QueryUnload() {
    const QWidget* frame = platform::Windows().Frame(kName);
    if (!frame) frame = this;
    PosBlutalkohol.Left = platform::PixelsToTwips(frame->x());
    PosBlutalkohol.Top = platform::PixelsToTwips(frame->y());
    aktModell = altModell;
    aktDiagrammCode = altDiagrammCode;
    KurvenHinzufuegen = kFalse;
    platform::Windows().Unload(kDiagramm);
}

void frmBlutalkohol::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    // However the window closes, the model window it hid comes back.
    if (QWidget* kin = platform::Windows().Frame("frmKinModel"); kin && kin->isHidden()) kin->show();
    QWidget::closeEvent(event);
}

void frmBlutalkohol::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmBlutalkohol::cmdClose_Click() {
    platform::Windows().Unload(kName);
    if (platform::Windows().IsRegistered("frmKinModel")) platform::Windows().Show("frmKinModel");
}

void frmBlutalkohol::cmdHelp_Click() { platform::ShowHelpContext(kHilfeKontext); }

void frmBlutalkohol::cmdRecht_Click() {
    platform::MsgBox(
        "Diese Berechnung der Blutalkoholkonzentration ergibt nur Näherungswerte.\r\n"
        "Individuelle Besonderheiten können zu erheblichen Abweichungen davon führen.\r\n\r\n"
        "DIE BERECHNUNGSERGEBNISSE SIND NICHT RECHTSRELEVANT.\r\n",
        platform::MsgExclamation, "rechtlicher Hinweis");
}

// ---------------------------------------------------------------------------------------------
// Parameters

void frmBlutalkohol::Fett(const std::array<QRadioButton*, 3>& optionen, int gewaehlt) {
    for (int i = 0; i < 3; ++i) SetBold(optionen[static_cast<std::size_t>(i)], i == gewaehlt);
}

void frmBlutalkohol::WaehleModell(int index) {
    optBAKModel[static_cast<std::size_t>(index)]->setChecked(true);
    optBAKModel_Click(index);
}

void frmBlutalkohol::optBAKModel_Click(int Index) {
    BAKModifiziert = Index;
    BAKKeinAbbau = 0;
    BAKNurAufbau = kFalse;
    if (!KurvenHinzufuegen) cmdCloseGraph_Click();
    Fett(optBAKModel, Index);
    if (Index == 1) {
        platform::MsgBox("... funktioniert in Kürze", platform::MsgCritical, "WIDMARK modifiziert");
        WaehleModell(0);
        Fett(optBAKModel, 0);
    } else if (Index == 2) {
        BAKNurAufbau = kTrue;
        BAKKeinAbbau = 1;
        BAKModifiziert = 0;
    }
}

void frmBlutalkohol::optBAKUnit_Click(int Index) { BAKUnitGL = Index; }

void frmBlutalkohol::optrWert_Click(int Index) {
    txt_r[0]->setEnabled(Index == 0);
    txt_r[1]->setEnabled(Index == 1);
    if (Index == 1) {
        BAKr = static_cast<float>(Wert(txt_r[1]));
        if (BAKr == 0) BAKr = 0.6f;
        txt_r[0]->setText(QStringLiteral("0.7"));
    } else {
        BAKr = static_cast<float>(Wert(txt_r[0]));
        if (BAKr == 0) BAKr = 0.7f;
        txt_r[1]->setText(QStringLiteral("0.6"));
    }
}

void frmBlutalkohol::txt_r_Change(int Index) {
    if (optrWert[static_cast<std::size_t>(Index)]->isChecked())
        BAKr = static_cast<float>(Wert(txt_r[static_cast<std::size_t>(Index)]));
}

void frmBlutalkohol::txtKoerpermasse_Change() {
    if (txtKoerpermasse->text().isEmpty()) return;
    BAKKoerpermasse = static_cast<float>(Wert(txtKoerpermasse));
    if (BAKKoerpermasse == 0) {
        platform::MsgBox("keine gültige Eingabe", platform::MsgCritical, kNichtMoeglich);
        txtKoerpermasse->setFocus();
    }
}

void frmBlutalkohol::txtRD_Change() { BAKRD = CInt(Wert(txtRD)); }

void frmBlutalkohol::txtb60_Change() { BAKbeta60 = static_cast<float>(Wert(txtb60)); }

void frmBlutalkohol::cmdStandardWerte_Click() { SetBAKStandard(); }

void frmBlutalkohol::SetBAKStandard() {
    BAKkresStandard = kStandardKres;
    txtkres->setText(QStringLiteral("5"));
    for (gIndex = 1; gIndex <= kGetraenke; ++gIndex) {
        if (!RateLeer(gIndex)) SetzeRate(gIndex, kRateNormal);
        BAKkres[static_cast<std::size_t>(gIndex - 1)] = kStandardKres;
    }
    BAKRD = kStandardRD;
    txtRD->setText(QStringLiteral("20"));
    BAKbeta60 = 0.15f;
    txtb60->setText(QStringLiteral("0.15"));
    txt_r[0]->setText(QStringLiteral("0.7"));
    txt_r[1]->setText(QStringLiteral("0.6"));
}

void frmBlutalkohol::CheckBAKParameter(bool& ok) {
    ok = true;
    auto fehler = [&ok](const std::string& text, QLineEdit* feld, const char* standard) {
        platform::MsgBox(text, platform::MsgCritical, kNichtMoeglich);
        feld->setText(QString::fromLatin1(standard));
        feld->setFocus();
        ok = false;
    };
    if (optrWert[0]->isChecked()) {
        if (BAKr < kRMannMin || BAKr > 0.8f) {
            fehler("Verteilungsfaktor r außerhalb des erlaubten Bereichs für Männer:\r\n0,68 <= r <= 0,8\r\n\r\n"
                   "Parameter wird auf Standardwert gesetzt",
                   txt_r[0], "0.7");
            BAKr = 0.7f;
            return;
        }
    } else if (BAKr < 0.5f || BAKr > 0.6f) {
        fehler("Verteilungsfaktor r außerhalb des erlaubten Bereichs für Frauen:\r\n\r\n0,5 <= r <= 0,6\r\n\r\n"
               "Parameter wird auf Standardwert gesetzt",
               txt_r[1], "0.6");
        BAKr = 0.6f;
        return;
    }
    if (BAKRD < 10 || BAKRD > 30) {
        fehler("Resorptionsdefizit RD außerhalb des erlaubten Bereichs:\r\n10 % <= RD <= 30 %\r\n\r\n"
               "Parameter wird auf Standardwert gesetzt",
               txtRD, "20");
        BAKRD = kStandardRD;
        return;
    }
    if (BAKbeta60 < 0.1f || BAKbeta60 > 0.2f) {
        fehler("Geschwindigkeitskonstante der Elimination beta60 außerhalb des erlaubten Bereichs:\r\n"
               "0.1 <= beta60 <= 0.2\r\n\r\nParameter wird auf Standardwert gesetzt",
               txtb60, "0.15");
        BAKbeta60 = 0.15f;
    }
}

// ---------------------------------------------------------------------------------------------
// Drink table

bool frmBlutalkohol::RateLeer(int i) const { return cmbkres[static_cast<std::size_t>(i)]->currentIndex() == kRateLeer; }

void frmBlutalkohol::SetzeRate(int i, int listIndex) {
    // As a list choice from code: the click handling runs only when the choice changes.
    QComboBox* combo = cmbkres[static_cast<std::size_t>(i)];
    if (combo->currentIndex() == listIndex) return;
    combo->setCurrentIndex(listIndex);
    cmbkres_Click(i);
}

void frmBlutalkohol::cmbkres_Click(int Index) {
    const int wahl = cmbkres[static_cast<std::size_t>(Index)]->currentIndex();
    if (wahl < 0 || wahl >= static_cast<int>(kRaten.size())) return;
    BAKkres[static_cast<std::size_t>(Index - 1)] = kRaten[static_cast<std::size_t>(wahl)].kres;
}

void frmBlutalkohol::ZeigeMasse(int i) {
    const auto k = static_cast<std::size_t>(i);
    BAKAlkMasse[k] = static_cast<float>(static_cast<double>(BAKGlasVol[k]) * BAKVolProzent[k] * kEthanolDichte / 100);
    AlkMas[k]->setText(MasseText(BAKAlkMasse[k]));
}

void frmBlutalkohol::txtGlasVol_Change(int Index) {
    const auto k = static_cast<std::size_t>(Index);
    BAKGlasVol[k] = static_cast<float>(Wert(txtGlasVol[k]));
    if (BAKGlasVol[k] > 0) {
        if (BAKVolProzent[k] > 0 && RateLeer(Index)) SetzeRate(Index, kRateNormal);
    } else {
        txtGlasVol[k]->setText(QStringLiteral(" 0"));
        txtAlkGehalt[k]->setText(QStringLiteral("0"));
        txtStartZeit[k]->setText(QString());
        SetzeRate(Index, kRateLeer);
    }
    txtStartZeit[1]->setText(QStringLiteral(" 0"));
    BAKTrinkStart[1] = 0;
    ZeigeMasse(Index);
}

void frmBlutalkohol::txtAlkGehalt_Change(int Index) {
    const auto k = static_cast<std::size_t>(Index);
    BAKVolProzent[k] = static_cast<float>(Wert(txtAlkGehalt[k]));
    if (BAKVolProzent[k] > 0 && BAKVolProzent[k] <= 100) {
        if (BAKGlasVol[k] > 0 && RateLeer(Index)) SetzeRate(Index, kRateNormal);
    } else {
        txtAlkGehalt[k]->setText(QStringLiteral(" 0"));
        SetzeRate(Index, kRateLeer);
    }
    ZeigeMasse(Index);
}

void frmBlutalkohol::txtStartZeit_Change(int Index) {
    const auto k = static_cast<std::size_t>(Index);
    if (!txtStartZeit[k]->text().isEmpty()) {
        BAKTrinkStart[k] = CInt(Wert(txtStartZeit[k]));
    } else {
        BAKTrinkStart[k] = -1;
        SetzeRate(Index, kRateLeer);
    }
}

void frmBlutalkohol::ZeitUmrechnen(int i) {
    const auto k = static_cast<std::size_t>(i);
    UhrStunde[k] = CInt(Wert(txt_h[k]));
    UhrMinute[k] = CInt(Wert(txt_m[k]));
    const bool stundeLeer = txt_h[k]->text().trimmed() == QStringLiteral("--");
    if (!stundeLeer && txt_m[k]->text().trimmed() == QStringLiteral("--")) txt_m[k]->setText(QStringLiteral("00"));
    if (!stundeLeer) {
        UhrzeitMinuten[k] = UhrStunde[k] * 60 + UhrMinute[k];
        int versatz = UhrzeitMinuten[k] - UhrzeitMinuten[1];
        if (versatz < 0) versatz += kMinutenProTag;  // a drink after midnight
        txtStartZeit[k]->setText(QString::number(versatz));
        BAKTrinkStart[k] = versatz;
    } else {
        txtStartZeit[k]->setText(QString());
    }
    txtStartZeit[1]->setText(QStringLiteral(" 0"));
    BAKTrinkStart[1] = 0;
}

void frmBlutalkohol::cmdBeispiel_Click() {
    for (int i = 1; i <= 5; ++i) {
        txtGlasVol[static_cast<std::size_t>(i)]->setText(QStringLiteral("400"));
        txtAlkGehalt[static_cast<std::size_t>(i)]->setText(QStringLiteral("5"));
    }
    txtGlasVol[6]->setText(QStringLiteral("40"));
    txtAlkGehalt[6]->setText(QStringLiteral("40"));
    const std::array<const char*, 9> stunden{"", "19", "19", "20", "20", "21", "22", "--", "--"};
    const std::array<const char*, 9> minuten{"", "00", "30", "10", "50", "30", "15", "--", "--"};
    for (std::size_t i = 1; i <= kGetraenke; ++i) {
        txt_h[i]->setText(QString::fromLatin1(stunden[i]));
        txt_m[i]->setText(QString::fromLatin1(minuten[i]));
    }
    for (int i = 1; i <= 6; ++i) ZeitUmrechnen(i);
    txt_tmaxGraph->setText(QString::number(kStandardTmax));
}

void frmBlutalkohol::cmdDeleteTabelle_Click() {
    for (int i = 1; i <= kGetraenke; ++i) {
        const auto k = static_cast<std::size_t>(i);
        txtGlasVol[k]->setText(QStringLiteral(" 0"));
        txtAlkGehalt[k]->setText(QStringLiteral(" 0"));
        SetzeRate(i, kRateLeer);
        BAKkres[k - 1] = kStandardKres;
        txtStartZeit[k]->setText(QString());
        BAKTrinkStart[k] = -1;
    }
    txtStartZeit[1]->setText(QStringLiteral(" 0"));
    BAKTrinkStart[1] = 0;
}

// ---------------------------------------------------------------------------------------------
// Diagram

void frmBlutalkohol::txt_tmaxGraph_Change() {
    BAKtmax = CInt(Wert(txt_tmaxGraph));
    if (BAKtmax > kMaxMinute) {
        BAKtmax = kMaxMinute;
        txt_tmaxGraph->setText(QString::number(kMaxMinute));
    }
}

void frmBlutalkohol::chkDelDiagram_Click() {
    KurvenHinzufuegen = chkDelDiagram->isChecked() ? kTrue : kFalse;
    SetBold(chkDelDiagram, chkDelDiagram->isChecked());
}

void frmBlutalkohol::cmdCloseGraph_Click() {
    platform::Windows().Unload(kDiagramm);
    cmdCloseGraph->setEnabled(false);
    chkDelDiagram->hide();
}

void frmBlutalkohol::StatusbarNachZeichnen(int farbe) {
    auto* fenster = diagram::frmTGraph2D::Geladen();
    if (!fenster) return;
    if (auto* box = fenster->findChild<QLineEdit*>("txtFarbeStatusbar2")) {
        box->setVisible(true);
        box->setStyleSheet(QStringLiteral("QLineEdit { background-color: rgb(%1, %2, %3); }")
                               .arg(farbe & 0xFF)
                               .arg((farbe >> 8) & 0xFF)
                               .arg((farbe >> 16) & 0xFF));
    }
}

bool frmBlutalkohol::PruefeMasseUndTmax() {
    auto ablehnen = [](const std::string& text, QLineEdit* feld) {
        platform::MsgBox(text, platform::MsgCritical, kNichtMoeglich);
        feld->setFocus();
        return false;
    };
    // A pasted text passes the key filter: the mass must be above 0 whatever the field holds.
    if (!(BAKKoerpermasse > 0) || !std::isfinite(BAKKoerpermasse))
        return ablehnen("keine gültige Eingabe", txtKoerpermasse);
    if (BAKtmax < 1 || BAKtmax > kMaxMinute)
        return ablehnen("- x-Achse(max) muss zwischen 1 und 999 min liegen", txt_tmaxGraph);
    return true;
}

void frmBlutalkohol::cmdDiagramm_Click() {
    ParameterOK = true;
    CheckBAKParameter(ParameterOK);
    if (!ParameterOK || !PruefeMasseUndTmax()) return;
    for (int i = 2; i <= kGetraenke; ++i) {
        const auto k = static_cast<std::size_t>(i);
        BAKTrinkStart[k] = txtStartZeit[k]->text().isEmpty() ? -1 : CInt(Wert(txtStartZeit[k]));
    }
    DiagRec.xMax = static_cast<float>(BAKtmax);

    // The open diagram is touched only once the curve exists: a failure leaves it and its curves as they are.
    auto fehler = [] {
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, kNichtMoeglich);
    };
    int err = 0;
    try {
        CalcZeitverlauf(BAKModellCode, tauMittel, err);
    } catch (const std::exception&) {
        err = kTrue;
    }
    if (err != 0) {
        fehler();
        return;
    }
    // Adding needs an open diagram; without one the curve starts a new diagram.
    const bool hinzufuegen = KurvenHinzufuegen != 0 && platform::Windows().IsLoaded(kDiagramm);
    try {
        int code = BAKModellCode;
        if (!hinzufuegen) {
            platform::Windows().Unload(kDiagramm);
            ScanExpDataRange(BAKModellCode, MitPunkten);
            diagram::GrafZentrale(code, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
            StatusbarNachZeichnen(FarbVorwahl);
        } else {
            diagram::GrafZentrale(code, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
            StatusbarNachZeichnen(0xF0F0F0);
            if (auto* fenster = diagram::frmTGraph2D::Geladen()) fenster->cmdDraw_Click();
        }
    } catch (const std::exception&) {
        fehler();
        return;
    }
    cmdCloseGraph->setEnabled(platform::Windows().IsLoaded(kDiagramm));
}

// ---------------------------------------------------------------------------------------------
// Keys and focus

bool frmBlutalkohol::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QMetaObject::invokeMethod(box, [box] { box->selectAll(); }, Qt::QueuedConnection);
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) return false;

    // Which field: its filter (keys refused besides CheckNumKey) and the Enter jump of the table.
    QString verboten;
    const std::array<QWidget*, kGetraenke + 1>* reihe = nullptr;
    int ersteZiel = 1;
    std::array<QWidget*, kGetraenke + 1> ziele{};
    auto findeIn = [&](auto& feld, const char* extra, int erster) {
        for (int i = 1; i <= kGetraenke; ++i) {
            if (feld[static_cast<std::size_t>(i)] == watched) {
                verboten = QString::fromLatin1(extra);
                for (int j = 1; j <= kGetraenke; ++j) ziele[static_cast<std::size_t>(j)] = feld[static_cast<std::size_t>(j)];
                reihe = &ziele;
                ersteZiel = erster;
                return true;
            }
        }
        return false;
    };
    int index = 0;
    if (findeIn(txtAlkGehalt, "-", 1) || findeIn(txtGlasVol, ",-.", 1) || findeIn(txtStartZeit, ",-.", 2) ||
        findeIn(cmbkres, ",-.", 2)) {
        for (int i = 1; i <= kGetraenke; ++i) {
            if (ziele[static_cast<std::size_t>(i)] == watched) index = i;
        }
    } else if (watched == txtKoerpermasse || watched == txtRD || watched == txt_tmaxGraph) {
        verboten = QStringLiteral(",-.");
    } else if (watched == txtb60 || watched == txtkres) {
        verboten = QStringLiteral("-");
    } else if (watched == txt_r[0] || watched == txt_r[1]) {
        verboten.clear();
    } else {
        return false;  // the clock fields and everything else take every key
    }

    int ascii = 0;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: ascii = 13; break;
    case Qt::Key_Backspace: ascii = 8; break;
    case Qt::Key_Delete: ascii = 127; break;
    default:
        if (key->text().size() == 1 && key->text().at(0).unicode() >= 32) ascii = key->text().at(0).unicode();
    }
    if (ascii == 0) return false;  // cursor keys, Tab and the like
    if (!verboten.isEmpty() && ascii < 128 && verboten.contains(QChar(ascii))) return true;
    const int getippt = ascii;
    if (!CheckNumKey(ascii)) return true;
    if (ascii == 13 && reihe) {
        const int naechster = index >= kGetraenke ? ersteZiel : index + 1;
        (*reihe)[static_cast<std::size_t>(naechster)]->setFocus();
        return true;
    }
    if (getippt == ',' && ascii == '.') {
        if (auto* box = qobject_cast<QLineEdit*>(watched)) box->insert(QStringLiteral("."));
        return true;
    }
    return false;
}
