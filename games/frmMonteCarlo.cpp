#include "games/frmMonteCarlo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/Chart2D.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/RunningLoops.h"

using namespace kernel;
using platform::ChartAxis;
using platform::ChartText;

namespace {

const char* const kName = "frmMonteCarlo";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild, [] { return new frmMonteCarlo; });

constexpr int kFensterBreite = 13000;  // twips, at loading
constexpr int kFensterHoehe = 8500;
constexpr int kChartOben = 800;        // twips
constexpr double kChartAnteil = 0.65;  // chart side as a share of the window height
constexpr int kMinHoehe = 680;         // at or below it the chart has no size
constexpr int kHilfeKontext = 7999;
constexpr int kGruppe = 1;
constexpr int kSerieA = 3;             // simulated points
constexpr int kSerieP = 4;
constexpr int kStandardPunktgroesse = 7;
constexpr double kBlitzDauer = 0.001;  // s
constexpr int kKnopfRand = 16;         // room around a button's caption, pixels
constexpr int kKnopfAbstand = 4;       // gap between the buttons of the row, pixels
constexpr int kRandRechts = 260;       // right margin of the button row, twips
constexpr int kRahmenAbstand = 4;      // gap between the frames below the chart, pixels
constexpr int kOptionAbstand = 4;      // gap between the options of a frame, pixels
constexpr int kKleineSchrift = 8;      // points: frame titles and options
constexpr int kGewaehltSchrift = 9;    // points: the chosen option, bold

// N0 choices: molecules, divisor giving the steps per chart point, extra wait per step.
struct N0Wahl {
    long n0;
    int teiler;
};
constexpr std::array<N0Wahl, 6> kN0Wahl{{{100, 15}, {529, 12}, {1024, 10}, {4900, 10}, {9025, 10}, {90000, 10}}};
constexpr std::array<float, 3> kKWahl{0.5f, 1.0f, 2.0f};

std::optional<std::uint32_t> festeSaat;
std::uint32_t saatZaehler = 0;
std::function<double()> testUhr;
std::function<long(long)> testZiehung;

QString U(const char* text) { return QString::fromUtf8(text); }

QColor Farbe(int rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

int Tw(double twips) { return static_cast<int>(std::lround(twips / platform::kTwipsPerPixel)); }

void PlaceTw(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(Tw(left), Tw(top), Tw(width), Tw(height));
}

// CLng: to the nearest whole number, a half to the even neighbour.
long CLng(double x) { return static_cast<long>(std::nearbyint(x)); }

double Sekunden() {
    if (testUhr) return testUhr();
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// Width a button needs for its caption in its own font.
int KnopfBreite(const QPushButton* b) { return b->fontMetrics().horizontalAdvance(b->text()) + kKnopfRand; }

// Width an option button needs for its caption in the font f.
int OptionBreite(const QRadioButton* o, const QFont& f) {
    const QStyle* st = o->style();
    return st->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, o) +
           st->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, o) +
           QFontMetrics(f).horizontalAdvance(o->text()) + 4;
}

QFont OptionSchrift(const QFont& basis, bool gewaehlt) {
    QFont f = basis;
    f.setPointSize(gewaehlt ? kGewaehltSchrift : kKleineSchrift);
    f.setBold(gewaehlt);
    return f;
}

// Places the options of a frame side by side, each as wide as its caption in its current font, and
// sizes the frame for its title and for the widest state of the row (any one option chosen, bold).
void OrdneOptionen(QGroupBox* rahmen) {
    const QList<QRadioButton*> optionen = rahmen->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    int x = 8;
    int breitesteZeile = 16, mehrGewaehlt = 0;
    for (QRadioButton* o : optionen) {
        const int b = OptionBreite(o, o->font());
        o->setGeometry(x, Tw(270), b, std::max(o->height(), o->fontMetrics().height() + 4));
        x += b + kOptionAbstand;
        const int normal = OptionBreite(o, OptionSchrift(o->font(), false));
        breitesteZeile += normal + kOptionAbstand;
        mehrGewaehlt = std::max(mehrGewaehlt, OptionBreite(o, OptionSchrift(o->font(), true)) - normal);
    }
    const int titel = QFontMetrics(rahmen->font()).horizontalAdvance(rahmen->title()) + 16;
    rahmen->resize(std::max(titel, breitesteZeile + mehrGewaehlt), rahmen->height());
}

void Faerbe(QLabel* label, int rgb) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, Farbe(rgb));
    label->setPalette(pal);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and life cycle

frmMonteCarlo::frmMonteCarlo(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
}

frmMonteCarlo::~frmMonteCarlo() = default;

frmMonteCarlo* frmMonteCarlo::Geladen() { return qobject_cast<frmMonteCarlo*>(platform::Windows().Get(kName)); }

void frmMonteCarlo::SetZufallsSaat(std::optional<std::uint32_t> saat) {
    festeSaat = saat;
    saatZaehler = 0;
}

void frmMonteCarlo::SetUhr(std::function<double()> uhr) { testUhr = std::move(uhr); }

void frmMonteCarlo::SetZiehung(std::function<long(long n0)> ziehung) { testZiehung = std::move(ziehung); }

void frmMonteCarlo::BuildControls() {
    auto knopf = [this](const char* name, const QString& text, QWidget* parent = nullptr) {
        auto* b = new QPushButton(text, parent ? parent : this);
        b->setObjectName(name);
        return b;
    };
    auto etikett = [this](const char* name, const QString& text, QWidget* parent) {
        auto* l = new QLabel(text, parent ? parent : this);
        l->setObjectName(name);
        return l;
    };
    // Member `index` of the option array `array` in `frame`; `click` runs when it is switched on.
    auto option = [this](QGroupBox* frame, const char* array, int index, const char* text, int left, int width,
                         void (frmMonteCarlo::*click)(int)) {
        auto* o = new QRadioButton(text, frame);
        o->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index));
        PlaceTw(o, left, 270, width, 280);
        connect(o, &QRadioButton::toggled, this, [this, index, click](bool on) {
            if (on) (this->*click)(index);
        });
        return o;
    };
    Chart2D2 = new platform::Chart2D(this);
    Chart2D2->setObjectName("Chart2D2");

    cmdStart = knopf("cmdStart", "Start");
    cmdStop = knopf("cmdStop", "Stop");
    cmdContinue = knopf("cmdContinue", "Go");
    cmdRefresh = knopf("cmdRefresh", "Refresh");
    cmdRefresh->setToolTip(U("...stellt Startzustand des Molekülbretts wieder her "));
    cmdClipboard = knopf("cmdClipboard", "=> Clipboard");
    cmdClipboard->setToolTip(U("...sendet Diagramm zur Windows-Zwischenablage "));
    cmdOptions = knopf("cmdOptions", "Einstellungen");
    cmdHelp = knopf("cmdHelp", "Hilfe");
    cmdClose = knopf("cmdClose", U("Schließen <Esc>"));
    for (QPushButton* b : {cmdStart, cmdStop, cmdContinue, cmdRefresh, cmdOptions, cmdHelp, cmdClose}) {
        b->resize(Tw(1140), Tw(500));
    }
    cmdStop->resize(Tw(1140), Tw(330));
    cmdContinue->resize(Tw(1140), Tw(330));
    cmdClipboard->resize(Tw(1100), Tw(330));

    chkFlashOn = new QCheckBox(this);
    chkFlashOn->setObjectName("chkFlashOn");
    chkFlashOn->resize(Tw(6000), Tw(300));

    QFont rahmenSchrift = font();
    rahmenSchrift.setPointSize(kKleineSchrift);
    Frame1 = new QGroupBox(U(" Zahl der Moleküle N0, die an der Simulation beteiligt sind "), this);
    Frame1->setObjectName("Frame1");
    Frame1->setFont(rahmenSchrift);
    Frame1->resize(Tw(5450), Tw(620));
    const std::array<const char*, 6> n0Texte{"100", "500", "1000", "5000", "10000", "100000"};
    for (int i = 0; i < 6; ++i) {
        optN0[static_cast<std::size_t>(i)] = option(Frame1, "optN0", i, n0Texte[static_cast<std::size_t>(i)],
                                                    60 + i * 890, 900, &frmMonteCarlo::optN0_Click);
    }
    optN0[5]->setToolTip(U("...für schnelle Computer "));
    optN0[0]->setToolTip(U("...kann über \"Optionen\" verlangsamt werden "));

    Frame2 = new QGroupBox(U(" Gleichgewichtskonstante  K = N(P) / N(A) "), this);
    Frame2->setObjectName("Frame2");
    Frame2->setFont(rahmenSchrift);
    Frame2->resize(Tw(4000), Tw(620));
    const std::array<const char*, 3> kTexte{"K = 0,5", "K = 1", "K = 2"};
    for (int i = 0; i < 3; ++i) {
        optGK[static_cast<std::size_t>(i)] = option(Frame2, "optGK", i, kTexte[static_cast<std::size_t>(i)],
                                                    150 + i * 1250, 1200, &frmMonteCarlo::optGK_Click);
    }

    fraHeadline = new QWidget(this);
    fraHeadline->setObjectName("fraHeadline");
    fraHeadline->resize(Tw(7000), Tw(600));
    Label3 = etikett("Label3", QString(), fraHeadline);
    PlaceTw(Label3, 0, 60, 5000, 400);
    QFont gross = Label3->font();
    gross.setPointSize(11);
    gross.setBold(true);
    Label3->setFont(gross);
    lblA = etikett("lblA", "A", fraHeadline);
    PfeilHin = etikett("PfeilHin", QString(), fraHeadline);
    PfeilRueck = etikett("PfeilRueck", QString(), fraHeadline);
    lblP = etikett("lblP", "P", fraHeadline);
    QFont buchstabe = gross;
    buchstabe.setPointSize(14);
    for (QLabel* l : {lblA, lblP}) l->setFont(buchstabe);
    QFont pfeil = gross;
    pfeil.setPointSize(12);
    for (QLabel* l : {PfeilHin, PfeilRueck}) {
        l->setFont(pfeil);
        l->setAlignment(Qt::AlignCenter);
    }
    PlaceTw(lblA, 5200, 100, 300, 400);
    PlaceTw(PfeilHin, 5550, 100, 500, 400);
    PlaceTw(PfeilRueck, 5550, 100, 500, 400);
    PlaceTw(lblP, 6100, 100, 300, 400);

    lblBildText = etikett("lblBildText", "K = N(P) / N(A) = 1", this);
    lblBildText->resize(Tw(2000), Tw(300));
    lblBildText->hide();

    // The window's surface is black: the frames and the check box keep a light face of their own,
    // the headline is written in white.
    for (QWidget* w : {static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2), static_cast<QWidget*>(chkFlashOn)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, QColor(240, 240, 240));
        w->setPalette(pal);
        w->setAutoFillBackground(true);
    }
    for (QLabel* l : {Label3, PfeilHin, PfeilRueck}) Faerbe(l, 0xFFFFFF);
    // The buttons keep the window's font; each is as wide as its caption needs.
    for (QPushButton* b : {cmdStart, cmdStop, cmdContinue, cmdRefresh, cmdOptions, cmdHelp, cmdClose, cmdClipboard})
        b->resize(std::max(b->width(), KnopfBreite(b)), b->height());
    for (QGroupBox* rahmen : {Frame1, Frame2}) Markiere(nullptr, rahmen);

    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
    connect(cmdContinue, &QPushButton::clicked, this, [this] { cmdContinue_Click(); });
    connect(cmdRefresh, &QPushButton::clicked, this, [this] { cmdRefresh_Click(); });
    connect(cmdClipboard, &QPushButton::clicked, this, [this] { cmdClipboard_Click(); });
    connect(cmdOptions, &QPushButton::clicked, this, [this] { cmdOptions_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(chkFlashOn, &QCheckBox::clicked, this, [this] { chkFlashOn_Click(); });
}

void frmMonteCarlo::Form_Load() {
    if (QWidget* kin = platform::Windows().Frame("frmKinModel")) kin->hide();
    DiagRec.xMin = 0;
    DiagRec.xMax = 100;
    DiagRec.yMin = 0;
    DiagRec.yMax = 100;
    Aufblitzen = true;
    setWindowTitle(U("Reaktionsablauf als Zufallsspiel (\"Monte-Carlo\"-Simulation)"));
    K_ = 0.5f;
    if (MCPointSize == 0) MCPointSize = kStandardPunktgroesse;

    // Chart set-up before the option handlers, which draw the calculated curves into it.
    Chart2D2->SetRepaintSuspended(true);
    Chart2D2->SetSeriesCount(kGruppe, SerienZahl + 1);
    for (int s = 1; s <= SerienZahl + 1; ++s) {
        if (s <= SerienZahl) Chart2D2->SetPointCount(kGruppe, s, 0);
        if (s >= 2) Chart2D2->SetDisplay(kGruppe, s, platform::kSeriesHidden);
        Chart2D2->SetSymbolShape(kGruppe, s, platform::kSymbolNone);
    }
    Chart2D2->SetLegendShown(false);
    Chart2D2->RemoveAllLabels();
    Chart2D2->AddLabel();
    Chart2D2->AddLabel();
    Chart2D2->SetChartBackColor(platform::Chart2D::Rgb(255, 255, 255));
    Chart2D2->SetRepaintSuspended(false);

    optN0[2]->setChecked(true);
    optGK[0]->setChecked(true);

    StopAngefordert = false;
    Fortsetzen = false;
    cmdStop->setEnabled(false);
    cmdContinue->setEnabled(false);

    chkFlashOn->setText(U(" Aufblitz-Effekt bei \"Reaktion\"  (verlangsamt den Ablauf)"));
    chkFlashOn->setChecked(Aufblitzen);
    Faerbe(lblA, FarbeA);
    Faerbe(lblP, FarbeP);

    DiagRec.xTitel = "Zeit t / t(max) * 100%";
    DiagRec.yTitel = "Teilchenzahl  N(i) / N0 * 100%";

    Chart2D2->SetRepaintSuspended(true);
    QFont texte("Arial");
    texte.setPointSize(9);
    const int links = Tw(kFensterBreite) / 10;
    Chart2D2->SetTextBlockLocation(ChartText::Header, links, 8);
    Chart2D2->SetTextBlockForeColor(ChartText::Header, 0);
    Chart2D2->SetTextBlockFont(ChartText::Header, texte);
    Chart2D2->SetTextBlock(ChartText::Header, MCMode == 1
                                                  ? "berechnet N(A) = N0 exp(-k t)"
                                                  : "berechnet N(A) = N0 - N(P),eq {1 - exp[-N0 t k1/N(P),eq]}");
    Chart2D2->SetTextBlockLocation(ChartText::Footer, links, 25);
    Chart2D2->SetTextBlockForeColor(ChartText::Footer, FarbeA);
    Chart2D2->SetTextBlockFont(ChartText::Footer, texte);
    Chart2D2->SetTextBlock(ChartText::Footer, " o :   simuliert");
    Chart2D2->SetAxisShown(ChartAxis::Y2, false);
    QFont achse("Arial");
    achse.setPointSize(10);
    for (ChartAxis a : {ChartAxis::X, ChartAxis::Y}) {
        Chart2D2->SetAxisShown(a, true);
        Chart2D2->SetGridShown(a, true);
        Chart2D2->SetGridPattern(a, platform::kLineDotted);
        Chart2D2->SetGridColor(a, platform::Chart2D::Rgb(143, 143, 143));
        Chart2D2->SetSpacing(a, platform::AxisSpacing::Grid, 10);
        Chart2D2->SetAxisTitle(a, a == ChartAxis::X ? DiagRec.xTitel : DiagRec.yTitel);
        Chart2D2->SetAxisTitleFont(a, achse);
        Chart2D2->SetAxisNumberFont(a, achse);
    }
    Chart2D2->SetAxisTitleRotation(ChartAxis::Y, platform::kTextVertical);
    Chart2D2->SetRepaintSuspended(false);

    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    SetChartAxes();
    Form_Resize();
}

void frmMonteCarlo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (positioniert_) return;
    positioniert_ = true;
    QWidget* frame = platform::Windows().Frame(kName);
    if (!frame) frame = this;
    if (frame != this) frame->resize(frame->size() - size() + QSize(Tw(kFensterBreite), Tw(kFensterHoehe)));
    frame->move(Tw(PosMonteCarlo.Left), Tw(PosMonteCarlo.Top));
}

void frmMonteCarlo::Form_QueryUnload() {
    const QWidget* frame = platform::Windows().Frame(kName);
    if (!frame) frame = this;
    PosMonteCarlo.Top = platform::PixelsToTwips(frame->y());
    PosMonteCarlo.Left = platform::PixelsToTwips(frame->x());
    cmdStop_Click();
    if (platform::Windows().IsRegistered("frmKinModel")) platform::Windows().Show("frmKinModel");
}

void frmMonteCarlo::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    QWidget::closeEvent(event);
}

void frmMonteCarlo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && cmdClose->isEnabled()) {
        cmdClose_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmMonteCarlo::cmdClose_Click() {
    nA_ = 0;
    platform::Windows().Unload(kName);
}

void frmMonteCarlo::cmdHelp_Click() { platform::ShowHelpContext(kHilfeKontext); }

void frmMonteCarlo::cmdOptions_Click() { platform::Windows().Show("frmTOption"); }

void frmMonteCarlo::cmdClipboard_Click() { Chart2D2->CopyToClipboard(platform::kPictureEnhanced); }

void frmMonteCarlo::chkFlashOn_Click() { Aufblitzen = chkFlashOn->isChecked(); }

int frmMonteCarlo::Zustand(long j) const {
    if (j < 1 || j >= static_cast<long>(MCStateArray.size())) return -1;
    return MCStateArray[static_cast<std::size_t>(j)];
}

// ---------------------------------------------------------------------------------------------
// Layout and chart

void frmMonteCarlo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMonteCarlo::Form_Resize() {
    if (!cmdStart) return;  // resize before the controls exist
    const int W = platform::PixelsToTwips(width());
    const int H = platform::PixelsToTwips(height());

    // Button row from the right edge leftwards: Start, Refresh, Close, Help, then Stop above Go, then
    // Options. Each button is as wide as its caption needs in the window's font.
    const int oben = Tw(H - 1280);
    const int hoehe = cmdStart->height();
    int rechts = width() - Tw(kRandRechts);
    auto reihe = [&](QPushButton* b, int top, int h, int breite) {
        b->setGeometry(rechts - breite, top, breite, h);
    };
    for (QPushButton* b : {cmdStart, cmdRefresh, cmdClose, cmdHelp}) {
        const int breite = KnopfBreite(b);
        reihe(b, oben, hoehe, breite);
        rechts -= breite + kKnopfAbstand;
    }
    const int stopOben = oben - static_cast<int>(hoehe / 2.5);
    const int stopHoehe = std::max(cmdStop->fontMetrics().height() + 6, Tw(330));
    const int stopBreite = std::max(KnopfBreite(cmdStop), KnopfBreite(cmdContinue));
    reihe(cmdStop, stopOben, stopHoehe, stopBreite);
    // "Go" has the place of "Stop" in the row; it stands right under it so that both stay readable.
    reihe(cmdContinue, stopOben + stopHoehe, stopHoehe, stopBreite);
    rechts -= stopBreite + kKnopfAbstand;
    reihe(cmdOptions, oben, hoehe, KnopfBreite(cmdOptions));

    const int seite = H <= kMinHoehe ? 0 : static_cast<int>(std::lround(kChartAnteil * H));
    brettSeite_ = seite;
    Chart2D2->SetPlacement(Tw(ChartLinks), Tw(kChartOben), Tw(seite), Tw(seite));
    Chart2D2->setHidden(seite == 0);  // the control keeps a least size of its own

    // The frames below the chart, K above N0, at the chart's left; never over the chart.
    const int chartUnten = Tw(kChartOben + seite);
    const int ueberFrame1 = MCMode == 2 ? Frame2->height() + 2 * kRahmenAbstand : kRahmenAbstand;
    const int frame1Oben = std::max(cmdContinue->y() - Tw(300), chartUnten + ueberFrame1);
    Frame1->move(Tw(ChartLinks), frame1Oben);
    Frame2->move(Tw(ChartLinks), frame1Oben - kRahmenAbstand - Frame2->height());

    // "=> Clipboard" just above the chart's top left corner, clear of its axis numbers.
    cmdClipboard->move(Tw(ChartLinks + 5), std::max(0, Tw(kChartOben) - cmdClipboard->height() - 2));
    lblBildText->move(cmdClipboard->x() + Tw(800), cmdClipboard->y());
    fraHeadline->move(Tw(W / 5), Tw(60));

    if (MCMode == 2) {
        Label3->setText("Dynamisches Reaktionsgleichgewicht");
        PfeilHin->setText(U("→"));
        PfeilRueck->setText(U("←"));
        PfeilRueck->show();
        Frame2->show();
    } else {
        Label3->setText("Simulation einer Reaktion 1. Ordnung");
        PfeilHin->setText(U("→"));
        PfeilRueck->hide();
        Frame2->hide();
    }
    SetzePfeile();
    PlaceChartTexts();

    DrawMoleculeBoard();
}

void frmMonteCarlo::SetzePfeile() {
    // The arrows stand beside the middle of "A": in mode 2 the forward one right above the backward one.
    const int h = PfeilHin->fontMetrics().height();
    const int mitte = lblA->y() + lblA->height() / 2;
    const int x = PfeilHin->x(), b = PfeilHin->width();
    PfeilHin->setGeometry(x, MCMode == 2 ? mitte - h : mitte - h / 2, b, h);
    PfeilRueck->setGeometry(x, mitte, b, h);
}

void frmMonteCarlo::PlaceChartTexts() {
    // Header and footer stand above the plot area, the footer under the header however many lines
    // the header needs; the plot area begins below both.
    const int links = std::max(2, std::min(Tw(kFensterBreite) / 10, Chart2D2->width() - 4 -
                                                 Chart2D2->TextBlockWidth(ChartText::Header)));
    Chart2D2->SetRepaintSuspended(true);
    Chart2D2->SetTextBlockLocation(ChartText::Header, links, 8);
    const int fussOben = 8 + Chart2D2->TextBlockHeight(ChartText::Header) + 2;
    Chart2D2->SetTextBlockLocation(ChartText::Footer, links, fussOben);
    const int frei = fussOben + Chart2D2->TextBlockHeight(ChartText::Footer) + 8 - Chart2D2->ChartAreaTop();
    Chart2D2->SetPlotMargin(platform::MarginSide::Top, std::max(0, frei));
    Chart2D2->SetRepaintSuspended(false);
}

void frmMonteCarlo::SetChartAxes() {
    Chart2D2->SetRepaintSuspended(true);
    Chart2D2->SetSymbolShape(kGruppe, 1, platform::kSymbolNone);
    Chart2D2->SetAxisRange(ChartAxis::X, DiagRec.xMin, DiagRec.xMax);
    Chart2D2->SetAxisRange(ChartAxis::Y, DiagRec.yMin, DiagRec.yMax);
    Chart2D2->SetPointCount(kGruppe, SerienZahl + 1, 2);
    Chart2D2->SetRepaintSuspended(false);
}

void frmMonteCarlo::SetupChartSeries(int Kurve, std::vector<XYPunkt>& Punkte) {
    if (Punkte.empty() || !std::isfinite(Punkte[0].x)) return;
    const int n = std::clamp(static_cast<int>(std::lround(Punkte[0].x)), 0, static_cast<int>(Punkte.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        Punkte[static_cast<std::size_t>(i)].x /= SkalaT;
        Punkte[static_cast<std::size_t>(i)].y /= SkalaN;
    }
    Chart2D2->SetRepaintSuspended(true);
    Chart2D2->SetSymbolShape(kGruppe, Kurve, platform::kSymbolNone);
    Chart2D2->SetLineColor(kGruppe, Kurve, 0);
    Chart2D2->SetLinePattern(kGruppe, Kurve, platform::kLineSolid);
    Chart2D2->SetDisplay(kGruppe, Kurve, platform::kSeriesShown);
    Chart2D2->SetDataBatched(kGruppe, true);
    Chart2D2->SetPointCount(kGruppe, Kurve, n);
    for (int i = 1; i <= n; ++i) {
        const XYPunkt& p = Punkte[static_cast<std::size_t>(i)];
        Chart2D2->SetPoint(kGruppe, Kurve, i, p.x, p.y);
    }
    Chart2D2->SetDataBatched(kGruppe, false);
    Chart2D2->SetLabelAttachSeries(Kurve, kGruppe, Kurve, 3);
    Chart2D2->SetLabelAnchor(Kurve, platform::kAnchorWest);
    QFont f = Chart2D2->LabelFont(Kurve);
    f.setPointSize(9);
    Chart2D2->SetLabelFont(Kurve, f);
    Chart2D2->SetLabelText(Kurve, Kurve == 1 ? "N(A)" : "N(P) = N0 - N(A)");
    Chart2D2->SetLabelShown(Kurve, true);
    Chart2D2->SetRepaintSuspended(false);
}

void frmMonteCarlo::AddChartPoint(const XYPunkt& A, const XYPunkt& P, long Nr) {
    const float xA = A.x / SkalaT, yA = A.y / SkalaN, xP = P.x / SkalaT, yP = P.y / SkalaN;
    const int nr = static_cast<int>(Nr);
    Chart2D2->SetRepaintSuspended(true);
    const int form = MCPunkteGefuellt ? platform::kSymbolDot : platform::kSymbolCircle;
    const std::array<std::pair<int, int>, 2> serien{{{kSerieA, FarbeA}, {kSerieP, FarbeP}}};
    for (const auto& [serie, farbe] : serien) {
        Chart2D2->SetSymbolShape(kGruppe, serie, form);
        Chart2D2->SetSymbolColor(kGruppe, serie, farbe);
        Chart2D2->SetSymbolSize(kGruppe, serie, MCPointSize);
        Chart2D2->SetLinePattern(kGruppe, serie, platform::kLineNone);
        Chart2D2->SetDisplay(kGruppe, serie, platform::kSeriesShown);
        Chart2D2->SetPointCount(kGruppe, serie, nr);
    }
    Chart2D2->SetPoint(kGruppe, kSerieA, nr, xA, yA);
    Chart2D2->SetPoint(kGruppe, kSerieP, nr, xP, yP);
    Chart2D2->SetRepaintSuspended(false);
}

void frmMonteCarlo::DisableControls() {
    for (QWidget* w : {static_cast<QWidget*>(cmdClose), static_cast<QWidget*>(cmdStart),
                       static_cast<QWidget*>(cmdRefresh), static_cast<QWidget*>(cmdOptions),
                       static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2)}) {
        w->setEnabled(false);
    }
    cmdStart->setStyleSheet(QString());
    cmdClipboard->hide();
}

void frmMonteCarlo::EnableControls() {
    for (QWidget* w : {static_cast<QWidget*>(cmdClose), static_cast<QWidget*>(cmdStart),
                       static_cast<QWidget*>(cmdRefresh), static_cast<QWidget*>(cmdOptions),
                       static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
                       static_cast<QWidget*>(cmdHelp)}) {
        w->setEnabled(true);
    }
    cmdStart->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(192, 255, 192); }"));
    cmdClipboard->show();
}

// ---------------------------------------------------------------------------------------------
// Options and run control

void frmMonteCarlo::Markiere(QRadioButton* gewaehlt, QGroupBox* rahmen) {
    for (QRadioButton* o : rahmen->findChildren<QRadioButton*>()) o->setFont(OptionSchrift(o->font(), o == gewaehlt));
    OrdneOptionen(rahmen);
}

void frmMonteCarlo::optN0_Click(int Index) {
    if (Index < 0 || Index > 5) return;
    Markiere(optN0[static_cast<std::size_t>(Index)], Frame1);
    const N0Wahl& w = kN0Wahl[static_cast<std::size_t>(Index)];
    N0_ = w.n0;
    SchritteJePunkt_ = CLng(static_cast<double>(N0_) / w.teiler);
    GrossesBrett = Index >= 4;
    tMaxSchritte_ = CLng(5.5 * static_cast<double>(N0_));
    SkalaN = static_cast<float>(N0_) / 100.0f;
    SkalaT = static_cast<float>(tMaxSchritte_) / 100.0f;
    cmdRefresh_Click();
}

void frmMonteCarlo::optGK_Click(int Index) {
    if (Index < 0 || Index > 2) return;
    Markiere(optGK[static_cast<std::size_t>(Index)], Frame2);
    K_ = kKWahl[static_cast<std::size_t>(Index)];
    cmdRefresh_Click();
}

void frmMonteCarlo::cmdRefresh_Click() {
    cmdStop->setEnabled(false);
    cmdContinue->setEnabled(false);
    Faerbe(lblA, FarbeA);
    Faerbe(lblP, FarbeP);
    for (int s = 1; s <= SerienZahl; ++s) Chart2D2->SetDisplay(kGruppe, s, platform::kSeriesHidden);
    StartBild();
}

void frmMonteCarlo::StartBild() {
    // The board is drawn from the game's state: every molecule A first, so that it shows the start.
    MCStateArray.assign(static_cast<std::size_t>(N0_) + 1, std::uint8_t{1});
    DrawMoleculeBoard();
    for (int kurve = 1; kurve <= 2; ++kurve) {
        CalcTheoryCurve(kurve, MCMode, KurvenPunkte);
        SetupChartSeries(kurve, KurvenPunkte);
    }
}

void frmMonteCarlo::cmdStart_Click() {
    Fortsetzen = false;
    StopAngefordert = false;
    cmdStop->setEnabled(true);
    cmdContinue->setEnabled(false);
    DisableControls();
    Aufblitzen = chkFlashOn->isChecked();
    StartBild();
    if (MCMode == 1)
        SimFirstOrder();
    else
        SimEquilibrium();
}

void frmMonteCarlo::cmdStop_Click() {
    StopAngefordert = true;
    cmdStop->setEnabled(false);
    cmdContinue->setEnabled(true);
}

void frmMonteCarlo::cmdContinue_Click() {
    Fortsetzen = true;
    cmdContinue->setEnabled(false);
    cmdStop->setEnabled(true);
    // Only while more than one A is left, in both modes; otherwise only the buttons change.
    if (nA_ <= 1) return;
    if (MCMode == 1)
        SimFirstOrder();
    else
        SimEquilibrium();
}

// ---------------------------------------------------------------------------------------------
// The game loops

bool frmMonteCarlo::LassEreignisseDurch() {
    QPointer<frmMonteCarlo> self(this);
    QCoreApplication::processEvents();
    return !self.isNull();
}

float frmMonteCarlo::ZusatzWartezeit() const {
    if (N0_ == 100) return 0.06f;
    if (N0_ == 529) return 5E-5f;
    if (N0_ == 1024 || N0_ == 4900) return 1E-8f;
    return 0;
}

bool frmMonteCarlo::SchrittWarten() {
    const float w = MCDelay + ZusatzWartezeit();
    if (!(w > 0)) return true;
    const double start = Sekunden();
    float vergangen = 0;
    do {
        if (!LassEreignisseDurch()) return false;
        if (StopAngefordert) break;
        vergangen = static_cast<float>(Sekunden() - start);
    } while (!(vergangen > w));
    return true;
}

bool frmMonteCarlo::NaechsterPunkt() {
    ++PunktNr;
    AddChartPoint(XYPunkt{static_cast<float>(tSchritte_), static_cast<float>(nA_), 0, 0},
                  XYPunkt{static_cast<float>(tSchritte_), static_cast<float>(N0_ - nA_), 0, 0}, PunktNr);
    QPointer<frmMonteCarlo> self(this);
    emit PunktGezeichnet(PunktNr);
    return !self.isNull();
}

long frmMonteCarlo::ZieheMolekuel() {
    if (testZiehung) return std::clamp(testZiehung(N0_), 1L, N0_);
    // Rnd: uniform in [0, 1) with the 24 bits of a Single.
    const double rnd = static_cast<double>(zufall_() >> 8) / 16777216.0;
    return std::min(static_cast<long>(rnd * static_cast<double>(N0_)) + 1, N0_);
}

platform::RunningLoop frmMonteCarlo::StopBeimProgrammende() {
    return platform::RunningLoop([self = QPointer<frmMonteCarlo>(this)] {
        if (self) self->cmdStop_Click();
    });
}

bool frmMonteCarlo::GemeinsamerStart() {
    MCStateArray.resize(static_cast<std::size_t>(N0_) + 1, 1);
    if (!Fortsetzen) {
        std::fill(MCStateArray.begin(), MCStateArray.end(), std::uint8_t{1});
        tSchritte_ = 0;
        nA_ = N0_;
        PunktNr = 1;
        AddChartPoint(XYPunkt{0, static_cast<float>(N0_), 0, 0}, XYPunkt{0, 0, 0, 0}, PunktNr);
        QPointer<frmMonteCarlo> self(this);
        emit PunktGezeichnet(PunktNr);
        if (!self) return false;
    }
    DisableControls();
    if (festeSaat)
        zufall_.seed(*festeSaat + saatZaehler++);
    else
        zufall_.seed(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return true;
}

void frmMonteCarlo::SimFirstOrder() {
    if (!GemeinsamerStart()) return;
    laeuft_ = true;
    const platform::RunningLoop lauf = StopBeimProgrammende();
    do {
        for (long i = 1; i <= SchritteJePunkt_; ++i) {
            if (!LassEreignisseDurch()) return;
            if (StopAngefordert) {
                StopAngefordert = false;
                laeuft_ = false;
                EnableControls();
                return;
            }
            ++tSchritte_;
            const long j = ZieheMolekuel();
            if (MCStateArray[static_cast<std::size_t>(j)] == 1) {
                MCStateArray[static_cast<std::size_t>(j)] = 0;
                --nA_;
                DrawMolecule(static_cast<int>(j), FarbeP, Radius);
                if (!SchrittWarten()) return;
            }
        }
        if (!NaechsterPunkt()) return;
    } while (tSchritte_ <= 10 * tMaxSchritte_ && nA_ >= 1);
    cmdStop->setEnabled(false);
    cmdContinue->setEnabled(false);
    StopAngefordert = false;
    laeuft_ = false;
    EnableControls();
}

void frmMonteCarlo::SimEquilibrium() {
    if (!GemeinsamerStart()) return;
    laeuft_ = true;
    const platform::RunningLoop lauf = StopBeimProgrammende();
    int wechsel = 0;  // one alternation counter for all molecules
    auto wandle = [this](long j, std::uint8_t neu) {
        MCStateArray[static_cast<std::size_t>(j)] = neu;
        nA_ += neu == 1 ? 1 : -1;
        DrawMolecule(static_cast<int>(j), neu == 1 ? FarbeA : FarbeP, Radius);
    };
    while (true) {
        if (!LassEreignisseDurch()) return;
        if (StopAngefordert) break;
        bool halt = false;
        for (long i = 1; i <= SchritteJePunkt_; ++i) {
            if (!LassEreignisseDurch()) return;
            if (StopAngefordert) {
                halt = true;
                break;
            }
            ++tSchritte_;
            const long j = ZieheMolekuel();
            const bool istA = MCStateArray[static_cast<std::size_t>(j)] == 1;
            if (K_ == 1.0f) {
                wandle(j, istA ? 0 : 1);
            } else if (K_ == 0.5f) {
                if (!istA) {
                    wandle(j, 1);
                } else if (++wechsel == 1) {
                    wandle(j, 0);
                } else {
                    wechsel = 0;
                }
            } else if (K_ == 2.0f) {
                if (istA) {
                    wandle(j, 0);
                } else if (++wechsel == 1) {
                    wandle(j, 1);
                } else {
                    wechsel = 0;
                }
            }
            if (!SchrittWarten()) return;
        }
        if (halt) break;
        if (!NaechsterPunkt()) return;
        if (StopAngefordert) break;
    }
    cmdStop->setEnabled(false);
    StopAngefordert = false;
    laeuft_ = false;
    EnableControls();
}

void frmMonteCarlo::CalcTheoryCurve(int Kurve, int mode, std::vector<XYPunkt>& Punkte) {
    if (Punkte.size() < 2001) Punkte.resize(2001);
    const double n0 = static_cast<double>(N0_);
    const double k = std::log(n0) - std::log(n0 - 1);
    const float tMax = static_cast<float>(tMaxSchritte_);
    const float schritt = tMax / 100.0f;
    double k1 = k;
    float X = 0;
    if (mode != 1) {
        k1 = K_ == 0.5f ? k / 2 : k;
        X = static_cast<float>(K_ * n0 / (K_ + 1));
    }
    int n = 0;
    // The Single counter: for some N0 the summed step passes t(max) before the 101st value.
    for (float t = 0; t <= tMax && n < 2000; t += schritt) {
        double N = mode == 1 ? n0 * std::exp(-k * t) : n0 - X * (1 - std::exp(-n0 * t * k1 / X));
        if (Kurve == 2) N = n0 - N;
        ++n;
        Punkte[static_cast<std::size_t>(n)] = XYPunkt{t, static_cast<float>(N), 0, 0};
    }
    Punkte[0].x = static_cast<float>(n);
}

// ---------------------------------------------------------------------------------------------
// Board drawing

void frmMonteCarlo::ZelleVon(long j, int seitenZahl, int& zeile, int& spalte) {
    const long s = std::max(seitenZahl, 1);
    if (j % s == 0) {
        zeile = static_cast<int>(j / s);
        spalte = static_cast<int>(s);
    } else {
        zeile = static_cast<int>(j / s + 1);
        spalte = static_cast<int>(j % s);
    }
}

void frmMonteCarlo::KreisAufFlaeche(QPainter& p, double xTw, double yTw, double rTw, int farbe) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Farbe(farbe));
    p.setBrush(Farbe(farbe));
    const double k = platform::kTwipsPerPixel;
    p.drawEllipse(QPointF(xTw / k, yTw / k), rTw / k, rTw / k);
    ++zaehler_.kreise;
}

void frmMonteCarlo::BoxAufFlaeche(QPainter& p, double x1Tw, double y1Tw, double x2Tw, double y2Tw, int farbe,
                                  int rand) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Farbe(rand));
    p.setBrush(Farbe(farbe));
    const double k = platform::kTwipsPerPixel;
    p.drawRect(QRectF(QPointF(x1Tw / k, y1Tw / k), QPointF(x2Tw / k, y2Tw / k)).normalized());
    ++zaehler_.boxen;
}

void frmMonteCarlo::DrawMoleculeBoard() {
    if (flaeche_.size() != size()) flaeche_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    flaeche_.fill(Qt::black);
    const int W = platform::PixelsToTwips(width());
    BrettX0 = static_cast<int>(std::nearbyint(W / 2.0 + ChartLinks / 2.0));
    BrettY0 = kChartOben;
    const int L = brettSeite_;
    SeitenZahl = std::max(1, static_cast<int>(std::nearbyint(std::sqrt(static_cast<double>(N0_)))));
    Zelle = L / std::sqrt(static_cast<double>(N0_));
    chkFlashOn->move(Tw(BrettX0), Tw(BrettY0 + L + 30));
    QPainter p(&flaeche_);
    if (!GrossesBrett) {
        Radius = Zelle / 2.3;
        BlitzRadius = 1.5 * Radius;
        BoxAufFlaeche(p, BrettX0 - 18, BrettY0 - 18, BrettX0 + L + 20, BrettY0 + L + 18, 0xBEBEBE, 0);
    } else {
        BoxAufFlaeche(p, BrettX0 - 10, BrettY0, BrettX0 + L + 2, BrettY0 + L + 5, FarbeA, 0);
    }
    // Each molecule in the colour of its state, so that a redraw during or after a run shows the game;
    // the large board's area already shows the A.
    const bool mitZustand = MCStateArray.size() == static_cast<std::size_t>(N0_) + 1;
    for (long j = 1; j <= N0_; ++j) {
        const bool istA = !mitZustand || MCStateArray[static_cast<std::size_t>(j)] == 1;
        if (!GrossesBrett || !istA) MolekuelAufFlaeche(p, j, istA ? FarbeA : FarbeP, Radius);
    }
    update();
}

void frmMonteCarlo::MolekuelAufFlaeche(QPainter& p, long j, int farbe, double radius) {
    int r = 0, c = 0;
    ZelleVon(j, SeitenZahl, r, c);
    if (GrossesBrett) {
        const double xL = c * Zelle + BrettX0 - Zelle;
        const double yU = r * Zelle + BrettY0;
        BoxAufFlaeche(p, xL, yU, xL + Zelle - 12, yU - Zelle + 12, farbe, farbe);
    } else {
        KreisAufFlaeche(p, c * Zelle + BrettX0 - Zelle / 2, r * Zelle + BrettY0 - Zelle / 2, radius, farbe);
    }
}

void frmMonteCarlo::DrawMolecule(int j, int farbe, double radius) {
    int r = 0, c = 0;
    ZelleVon(j, SeitenZahl, r, c);
    const double xm = c * Zelle + BrettX0 - Zelle / 2;
    const double ym = r * Zelle + BrettY0 - Zelle / 2;
    const double k = platform::kTwipsPerPixel;
    const double rand = std::max(BlitzRadius, Zelle) + 30;
    const QRect bereich = QRectF(QPointF((xm - rand) / k, (ym - rand) / k), QPointF((xm + rand) / k, (ym + rand) / k))
                              .toAlignedRect();
    if (Aufblitzen) {
        // On the large boards the flash takes the cell's size.
        const double rb = GrossesBrett ? Zelle / 2 : BlitzRadius;
        blitz_ = std::array<double, 3>{xm, ym, rb};
        repaint(bereich);
        ++zaehler_.blitze;
        const double start = Sekunden();
        while (!(Sekunden() - start > kBlitzDauer)) {
        }
        blitz_.reset();
    }
    QPainter p(&flaeche_);
    MolekuelAufFlaeche(p, j, farbe, radius);
    update(bereich);
}

void frmMonteCarlo::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(event->rect(), flaeche_, event->rect());
    if (blitz_) {
        const double k = platform::kTwipsPerPixel;
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::white);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF((*blitz_)[0] / k, (*blitz_)[1] / k), (*blitz_)[2] / k, (*blitz_)[2] / k);
    }
}
