// The design dialog: construction of its six panels, showing and hiding them, its life cycle, and
// the calls by which the diagram window fills its controls.
#include "design/frmTGraph2D_Gestaltung.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <typeinfo>

#include "design/DesignDialogs.h"
#include "design/DiagramMenus.h"
#include "design/GestaltungIntern.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/TabRows.h"
#include "platform/WindowRegistry.h"
#include "simulation/CalcWindow.h"
#include "platform/core/FormHost.h"
#include "platform/core/NumberFormat.h"

namespace design {

using namespace kernel;

namespace {

const char* const kName = "frmTGraph2D_Gestaltung";

platform::FormRegistration registrierung(kName, platform::FormKind::Dialog,
                                         [] { return new frmTGraph2D_Gestaltung; });

// Curve style list: each text padded with blanks to 29 characters.
const char* const kKurvenStile[] = {"kein Kurvenzug (Einzelpunkte)", "Kurve normal", "Kurve punktiert",
                                    "Kurve gestrichelt", "Kurve strichpunktiert"};
const char* const kPunktStile[] = {"Kreis voll",     "Quadrat voll", "Dreieck 1 voll", "Rhombus voll",
                                   "Stern",          "Kreuz",        "Kreis hohl",     "Quadrat hohl",
                                   "Dreieck 2 voll", "Dreieck 1 hohl", "Rhombus hohl", "Dreieck 2 hohl",
                                   "Punkte verstecken"};
const char* const kSpacingNamen[] = {"txtXGridValue", "txtYGridValue", "txtXTickValue",
                                     "txtYTickValue", "txtXZiffValue", "txtYZiffValue"};

QString U(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Name(const char* name, int index) { return Q(platform::ControlName(name, index)); }

std::string Gepolstert(const char* text) {
    std::string s = text;
    if (s.size() < 29) s.append(29 - s.size(), ' ');
    return s;
}

QString TabText(const char* praefix, int k) {
    return QString::fromLatin1(praefix) + (k < 10 ? " " : "") + QString::number(k);
}

template <std::size_t N>
QButtonGroup* Gruppe(QWidget* eltern, std::array<QRadioButton*, N>& feld, const char* name,
                     std::initializer_list<const char*> texte, int erster = 0) {
    auto* g = new QButtonGroup(eltern);
    g->setExclusive(true);
    int i = erster;
    for (const char* t : texte) {
        auto* r = new QRadioButton(U(t), eltern);
        r->setObjectName(Name(name, i));
        feld[static_cast<std::size_t>(i)] = r;
        g->addButton(r, i);
        ++i;
    }
    return g;
}

QLineEdit* Feld(QWidget* eltern, const QString& name, int breite = 70) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(name);
    e->setFixedWidth(breite);
    return e;
}

QScrollBar* Leiste(QWidget* eltern, const char* name, Qt::Orientation o) {
    auto* s = new QScrollBar(o, eltern);
    s->setObjectName(name);
    if (o == Qt::Horizontal) s->setMinimumWidth(140);
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Shared helpers of the dialog's source files

platform::Chart2D* DiagrammChart() { return diagram::gDiagramm ? diagram::gDiagramm->Chart() : nullptr; }

void Waehle(QRadioButton* r, const std::function<void()>& handler) {
    if (!r) return;
    if (r->isChecked())
        handler();
    else
        r->setChecked(true);
}

void SetzeText(QLineEdit* feld, const std::string& text) {
    if (feld) feld->setText(Q(text));
}

std::string Text(const QLineEdit* feld) { return feld ? feld->text().toStdString() : std::string(); }

// ---------------------------------------------------------------------------------------------
// Construction

frmTGraph2D_Gestaltung::frmTGraph2D_Gestaltung(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(kName);
    setWindowTitle(U(" Diagramm-Gestaltung"));
    BaueDialog();
    // Another design link that is already installed (a stand-in of a test) keeps its place.
    if (typeid(diagram::Gestaltung()) == typeid(diagram::GestaltungLink)) diagram::SetGestaltung(this);
    // The diagram window loads this dialog while it builds itself: its design menus come to life
    // here (connecting twice does nothing).
    if (diagram::gDiagramm) ConnectDiagramMenus(diagram::gDiagramm);
    Form_Load();
    erster_.Aufnehmen(this);
}

frmTGraph2D_Gestaltung::~frmTGraph2D_Gestaltung() {
    if (&diagram::Gestaltung() == this) diagram::SetGestaltung(nullptr);
}

frmTGraph2D_Gestaltung* frmTGraph2D_Gestaltung::Geladen() {
    return qobject_cast<frmTGraph2D_Gestaltung*>(platform::Windows().Get(kName));
}

QPushButton* frmTGraph2D_Gestaltung::Swatch(QWidget* eltern, const char* name, const char* text,
                                            void (frmTGraph2D_Gestaltung::*handler)()) {
    auto* b = new QPushButton(U(text), eltern);
    b->setObjectName(name);
    b->setMinimumSize(40, 22);
    connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void frmTGraph2D_Gestaltung::BaueDialog() {
    const char* titel[7] = {nullptr, nullptr, " Kurven ", " Punkt-Sätze ", "  Kopftext  ", "Bild drucken/speichern",
                            " Koordinatenbereich "};
    const char* namen[7] = {nullptr, "fraTabs", "fraKurven", "fraPunkte", "fraSchrift", "fraPrintIt", "fraCoordInput"};
    for (int i = 1; i <= 6; ++i) {
        panel[i] = new QGroupBox(titel[i] ? U(titel[i]) : QString(), this);
        panel[i]->setObjectName(namen[i]);
        panel[i]->hide();
    }

    // Panel 1: the twelve design tabs.
    auto* l1 = new QVBoxLayout(panel[1]);
    tabDesign = new QTabWidget(panel[1]);
    tabDesign->setObjectName("tabDesign");
    tabDesign->addTab(BaueGitterTab(), U("Gitter"));
    tabDesign->addTab(BaueRahmenTab(), U("Rahmen"));
    tabDesign->addTab(BaueMusterTab(), U("Design--Muster"));
    tabDesign->addTab(BaueRaenderTab(), U("Ränder"));
    tabDesign->addTab(BaueLegendeTab(), U("Legende"));
    tabDesign->addTab(BaueBereichTab(), U(" Koordin.-Bereich"));
    tabDesign->addTab(BaueSkalierungTab(), U("Skalierung"));
    tabDesign->addTab(BaueUrsprungTab(), U("Achs.-Ursprung"));
    tabDesign->addTab(BaueZiffernTab(), U("Achs.-Ziffern"));
    tabDesign->addTab(BaueEtikettTab(), U("Kurven-Etikett"));
    tabDesign->addTab(BaueLogTab(), U("log <=> linear"));
    tabDesign->addTab(BaueKopfTab(), U("Kopf-/Zusatz Zeile"));
    // The twelve captions need three rows at this platform's fonts.
    l1->addWidget(platform::ShowTabsInRows(tabDesign, 4));
    cmdTabs_OK = new QPushButton(U("Schließen"), panel[1]);
    cmdTabs_OK->setObjectName("cmdTabs_OK");
    cmdTabs_OK->setToolTip(U(" alternativ: Maus-Klick LINKS auf eine leere Diagramm-Stelle "));
    connect(cmdTabs_OK, &QPushButton::clicked, this, [this] { FormGST_Hide(true); });
    l1->addWidget(cmdTabs_OK, 0, Qt::AlignRight);

    BaueKurvenPanel();
    BauePunktePanel();
    BaueSchriftPanel();
    BauePrintPanel();
    BaueCoordPanel();
    for (int i = 1; i <= 6; ++i) panel[i]->adjustSize();
}

QWidget* frmTGraph2D_Gestaltung::BaueGitterTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    auto* art = new QGroupBox(w);
    auto* la = new QVBoxLayout(art);
    auto* ga = Gruppe(art, opt1Gitter, "opt1Gitter", {"ohne Gitter", "nur y-Gitter", "nur x-Gitter", "Gitter komplett"});
    for (auto* r : opt1Gitter) la->addWidget(r);
    connect(ga, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) opt1Gitter_Click(i); });
    auto* linie = new QGroupBox(w);
    auto* ll = new QVBoxLayout(linie);
    auto* gl = Gruppe(linie, opt2Gitter, "opt2Gitter", {"punktiert", "volle Linie"});
    for (auto* r : opt2Gitter) ll->addWidget(r);
    connect(gl, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) opt2Gitter_Click(i); });
    cmdGitterFarbe = Swatch(w, "cmdGitterFarbe", "", &frmTGraph2D_Gestaltung::cmdGitterFarbe_Click);
    g->addWidget(art, 0, 0, 2, 1);
    g->addWidget(linie, 0, 1);
    auto* lf = new QHBoxLayout;
    lf->addWidget(new QLabel(U("Gitterfarbe"), w));
    lf->addWidget(cmdGitterFarbe);
    g->addLayout(lf, 1, 1);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueRahmenTab() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    chkDiaFrame = new QCheckBox(U("  Diagramm gerahmt"), w);
    chkDiaFrame->setObjectName("chkDiaFrame");
    connect(chkDiaFrame, &QCheckBox::toggled, this, [this] { chkDiaFrame_Click(); });
    l->addWidget(chkDiaFrame);
    auto* h = new QHBoxLayout;
    cmdDiaFrameColor = Swatch(w, "cmdDiaFrameColor", "", &frmTGraph2D_Gestaltung::cmdDiaFrameColor_Click);
    h->addWidget(new QLabel(U("Farbe: Rahmen um Zeichenfläche (gleichzeitig Achsenfarbe)"), w));
    h->addWidget(cmdDiaFrameColor);
    l->addLayout(h);
    l->addStretch();
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueMusterTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    cmdFullBlack = Swatch(w, "cmdFullBlack", "", &frmTGraph2D_Gestaltung::cmdFullBlack_Click);
    cmdFullWhite = Swatch(w, "cmdFullWhite", "", &frmTGraph2D_Gestaltung::cmdFullWhite_Click);
    cmdRandColGrau = Swatch(w, "cmdRandColGrau", "", &frmTGraph2D_Gestaltung::cmdRandColGrau_Click);
    cmdPlotAreaColGrey = Swatch(w, "cmdPlotAreaColGrey", "PA", &frmTGraph2D_Gestaltung::cmdPlotAreaColGrey_Click);
    g->addWidget(cmdFullBlack, 0, 0);
    g->addWidget(new QLabel(U("Gesamtblatt schwarz"), w), 0, 1);
    g->addWidget(cmdFullWhite, 1, 0);
    g->addWidget(new QLabel(U("Gesamtblatt weiß"), w), 1, 1);
    g->addWidget(cmdRandColGrau, 2, 0);
    g->addWidget(new QLabel(U("Gesamtrand grau"), w), 2, 1);
    g->addWidget(cmdPlotAreaColGrey, 3, 0);
    g->addWidget(new QLabel(U("Zeichenfl. hellgrau  Standard-Einstellung"), w), 3, 1);
    cmdRandCol_in = Swatch(w, "cmdRandCol_in", "Innenrand", &frmTGraph2D_Gestaltung::cmdRandCol_in_Click);
    cmdRandCol_out = Swatch(w, "cmdRandCol_out", "Außenrand", &frmTGraph2D_Gestaltung::cmdRandCol_out_Click);
    cmdColorPlotArea = Swatch(w, "cmdColorPlotArea", "Zeichenfläche", &frmTGraph2D_Gestaltung::cmdColorPlotArea_Click);
    g->addWidget(cmdRandCol_in, 0, 2);
    g->addWidget(cmdRandCol_out, 1, 2);
    g->addWidget(cmdColorPlotArea, 2, 2);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueRaenderTab() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    chkAutoRand = new QCheckBox(U("Ränder automatisch"), w);
    chkAutoRand->setObjectName("chkAutoRand");
    connect(chkAutoRand, &QCheckBox::toggled, this, [this] { chkAutoRand_Click(); });
    l->addWidget(chkAutoRand);
    frRandBreite = new QGroupBox(U("Breite ändern"), w);
    frRandBreite->setObjectName("frRandBreite");
    auto* g = new QGridLayout(frRandBreite);
    const char* texte[] = {"Randbreite links", "Randbteite oben", "Randbreite rechts", "Randbreite unten", "(Pixel)"};
    for (int i = 0; i < 5; ++i) {
        lb[i] = new QLabel(U(texte[i]), frRandBreite);
        lb[i]->setObjectName(Name("lb", i));
    }
    scrHL = Leiste(frRandBreite, "scrHL", Qt::Horizontal);
    scrHO = Leiste(frRandBreite, "scrHO", Qt::Horizontal);
    scrHR = Leiste(frRandBreite, "scrHR", Qt::Horizontal);
    scrHU = Leiste(frRandBreite, "scrHU", Qt::Horizontal);
    QScrollBar* leisten[] = {scrHL, scrHO, scrHR, scrHU};
    const int bereich[4][2] = {{0, 200}, {0, 100}, {0, 200}, {30, 120}};
    for (int i = 0; i < 4; ++i) {
        leisten[i]->setRange(bereich[i][0], bereich[i][1]);
        leisten[i]->setSingleStep(3);
        g->addWidget(lb[i], i, 0);
        g->addWidget(leisten[i], i, 1);
        connect(leisten[i], &QScrollBar::valueChanged, this, [this, i] { scrMargin_Change(i); });
    }
    g->addWidget(lb[4], 4, 1);
    l->addWidget(frRandBreite);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueLegendeTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    chkLegend = new QCheckBox(U("Sichtbar"), w);
    chkLegend->setObjectName("chkLegend");
    connect(chkLegend, &QCheckBox::toggled, this, [this] { chkLegend_Click(); });
    chkLegFrame = new QCheckBox(U("mit Rahmen"), w);
    chkLegFrame->setObjectName("chkLegFrame");
    connect(chkLegFrame, &QCheckBox::toggled, this, [this] { chkLegFrame_Click(); });
    chkLegTransparent = new QCheckBox(U("transparent"), w);
    chkLegTransparent->setObjectName("chkLegTransparent");
    connect(chkLegTransparent, &QCheckBox::toggled, this, [this] { chkLegTransparent_Click(); });
    auto* orient = new QGroupBox(U("Orientierung"), w);
    auto* lo = new QVBoxLayout(orient);
    auto* go = Gruppe(orient, optLegOrient, "optLegOrient", {"horizontal", "vertikal"});
    for (auto* r : optLegOrient) lo->addWidget(r);
    connect(go, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optLegOrient_Click(i); });
    auto* pos = new QGroupBox(U("Position"), w);
    auto* lp = new QHBoxLayout(pos);
    scrLegH = Leiste(pos, "scrLegH", Qt::Horizontal);
    scrlegV = Leiste(pos, "scrlegV", Qt::Vertical);
    scrlegV->setMinimumHeight(60);
    for (QScrollBar* s : {scrLegH, scrlegV}) {
        s->setRange(0, 1000);
        s->setSingleStep(5);
    }
    lp->addWidget(scrLegH);
    lp->addWidget(scrlegV);
    connect(scrLegH, &QScrollBar::valueChanged, this, [this] { scrLegH_Change(); });
    connect(scrlegV, &QScrollBar::valueChanged, this, [this] { scrlegV_Change(); });
    cmdLegFont = new QPushButton(U("Schriftart"), w);
    cmdLegFont->setObjectName("cmdLegFont");
    connect(cmdLegFont, &QPushButton::clicked, this, [this] { cmdLegFont_Click(); });
    cmdLegBColor = Swatch(w, "cmdLegBColor", "", &frmTGraph2D_Gestaltung::cmdLegBColor_Click);
    cmdLegFColor = Swatch(w, "cmdLegFColor", "", &frmTGraph2D_Gestaltung::cmdLegFColor_Click);
    g->addWidget(chkLegend, 0, 0);
    g->addWidget(chkLegFrame, 1, 0);
    g->addWidget(chkLegTransparent, 2, 0);
    g->addWidget(orient, 0, 1, 3, 1);
    g->addWidget(pos, 0, 2, 3, 1);
    g->addWidget(cmdLegFont, 3, 0);
    g->addWidget(new QLabel(U("Hintergrund"), w), 3, 1);
    g->addWidget(cmdLegBColor, 3, 2);
    g->addWidget(new QLabel(U("Schriftfarbe"), w), 4, 1);
    g->addWidget(cmdLegFColor, 4, 2);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueBereichTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    const char* texte[] = {"", "x(min)", "x(max)", "y(min)", "y(max)"};
    for (int i = 1; i <= 4; ++i) {
        Tabcoord[i] = Feld(w, Name("Tabcoord", i), 90);
        Tabcoord[i]->installEventFilter(this);
        g->addWidget(new QLabel(U(texte[i]), w), i - 1, 0);
        g->addWidget(Tabcoord[i], i - 1, 1);
    }
    cmdTabCoord_OK = new QPushButton(U("Übernehmen"), w);
    cmdTabCoord_OK->setObjectName("cmdTabCoord_OK");
    connect(cmdTabCoord_OK, &QPushButton::clicked, this, [this] { cmdTabCoord_OK_Click(); });
    g->addWidget(cmdTabCoord_OK, 4, 1);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueSkalierungTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    auto* gs = Gruppe(w, optScaling, "optScaling", {"automat.", "manuell"});
    g->addWidget(optScaling[0], 0, 0);
    g->addWidget(optScaling[1], 0, 1);
    connect(gs, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optScaling_Click(i); });
    g->addWidget(new QLabel(U("X-Achse"), w), 1, 1);
    g->addWidget(new QLabel(U("Y-Achse"), w), 1, 2);
    const char* zeilen[] = {"Gitter-Abstand", "Tick-Abstand", "Ziffern-Abstand"};
    for (int i = 0; i < 6; ++i) {
        spacingFeld[i] = Feld(w, QString::fromLatin1(kSpacingNamen[i]), 80);
        connect(spacingFeld[i], &QLineEdit::textChanged, this, [this, i] { SpacingField_Change(i); });
        g->addWidget(spacingFeld[i], 2 + i / 2, 1 + i % 2);
    }
    for (int r = 0; r < 3; ++r) g->addWidget(new QLabel(U(zeilen[r]), w), 2 + r, 0);
    auto* hinweis = new QLabel(U("Nach einer Vergrößerung des Koord.-Bereichs evtl. das Kurvenzeichnen wiederholen "
                                 "(Button \"Zeichne Kurve\")"),
                               w);
    hinweis->setWordWrap(true);
    g->addWidget(hinweis, 5, 0, 1, 3);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueUrsprungTab() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    auto* gs = Gruppe(w, optStandardOrigin, "optStandardOrigin", {"autom. in den Achsen-Minima", "manuell"});
    l->addWidget(optStandardOrigin[0]);
    l->addWidget(optStandardOrigin[1]);
    connect(gs, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optStandardOrigin_Click(i); });
    fraOrigin = new QGroupBox(w);
    fraOrigin->setObjectName("fraOrigin");
    auto* h = new QHBoxLayout(fraOrigin);
    auto* fy = new QGroupBox(U("Y-Achse"), fraOrigin);
    auto* ly = new QVBoxLayout(fy);
    auto* gx = Gruppe(fy, optXOrigin, "optXOrigin", {"im X-Minimum", "bei X = 0", "im X-Maximum", "bei X ="});
    for (auto* r : optXOrigin) ly->addWidget(r);
    txtXOrigin = Feld(fy, "txtXOrigin");
    ly->addWidget(txtXOrigin);
    connect(gx, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optXOrigin_Click(i); });
    auto* fx = new QGroupBox(U("X-Achse"), fraOrigin);
    auto* lx = new QVBoxLayout(fx);
    auto* gy = Gruppe(fx, optYOrigin, "optYOrigin", {"im Y-Minimum", "bei Y = 0", "im Y-Maximum", "bei Y ="});
    for (auto* r : optYOrigin) lx->addWidget(r);
    txtYOrigin = Feld(fx, "txtYOrigin");
    lx->addWidget(txtYOrigin);
    connect(gy, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optYOrigin_Click(i); });
    // The fourth option of each axis has no behaviour: it is shown but not offered.
    optXOrigin[3]->setEnabled(false);
    optYOrigin[3]->setEnabled(false);
    txtXOrigin->setEnabled(false);
    txtYOrigin->setEnabled(false);
    h->addWidget(fy);
    h->addWidget(fx);
    l->addWidget(fraOrigin);
    l->addWidget(new QLabel(U("ACHTUNG: Zoom stellt zurück in Standardeinstellung"), w));
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueZiffernTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    cmdDiaAxColor = Swatch(w, "cmdDiaAxColor", "", &frmTGraph2D_Gestaltung::cmdDiaAxColor_Click);
    g->addWidget(new QLabel(U("Achsenfarbe"), w), 0, 0);
    g->addWidget(cmdDiaAxColor, 0, 1);
    auto* fx = new QGroupBox(U("X-Achse"), w);
    auto* lx = new QVBoxLayout(fx);
    auto* gx = Gruppe(fx, optXZiffern, "optXZiffern", {"im Minimum (links)", "an der Achse", "im Maximum (rechts)"});
    for (auto* r : optXZiffern) lx->addWidget(r);
    connect(gx, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optXZiffern_Click(i); });
    auto* fy = new QGroupBox(U("Y-Achse"), w);
    auto* ly = new QVBoxLayout(fy);
    auto* gy = Gruppe(fy, optYZiffern, "optYZiffern", {"im Minimum (links)", "an der Achse", "im Maximum (rechts)"});
    for (auto* r : optYZiffern) ly->addWidget(r);
    connect(gy, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optYZiffern_Click(i); });
    g->addWidget(fx, 1, 0);
    g->addWidget(fy, 1, 1);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueEtikettTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    cmdFontLabel = new QPushButton(U("Schriftart/-größe"), w);
    cmdFontLabel->setObjectName("cmdFontLabel");
    connect(cmdFontLabel, &QPushButton::clicked, this, [this] { cmdFontLabel_Click(); });
    chkLabelNotVisible = new QCheckBox(U("alle unsichtbar"), w);
    chkLabelNotVisible->setObjectName("chkLabelNotVisible");
    connect(chkLabelNotVisible, &QCheckBox::toggled, this, [this] { chkLabelNotVisible_Click(); });
    chkLabelFrame = new QCheckBox(U("gerahmt"), w);
    chkLabelFrame->setObjectName("chkLabelFrame");
    connect(chkLabelFrame, &QCheckBox::toggled, this, [this] { chkLabelFrame_Click(); });
    cmdLabelFColor = Swatch(w, "cmdLabelFColor", "", &frmTGraph2D_Gestaltung::cmdLabelFColor_Click);
    cmdLabelBColor = Swatch(w, "cmdLabelBColor", "", &frmTGraph2D_Gestaltung::cmdLabelBColor_Click);
    g->addWidget(cmdFontLabel, 0, 0);
    g->addWidget(chkLabelNotVisible, 1, 0);
    g->addWidget(chkLabelFrame, 2, 0);
    g->addWidget(new QLabel(U("Schriftfarbe"), w), 0, 1);
    g->addWidget(cmdLabelFColor, 0, 2);
    g->addWidget(new QLabel(U("Hintergrund"), w), 1, 1);
    g->addWidget(cmdLabelBColor, 1, 2);
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueLogTab() {
    auto* w = new QWidget;
    auto* l = new QVBoxLayout(w);
    cmdXLog = new QPushButton(U("  X-Achse  on / off"), w);
    cmdXLog->setObjectName("cmdXLog");
    connect(cmdXLog, &QPushButton::clicked, this, [this] { cmdXLog_Click(); });
    cmdYLog = new QPushButton(U("  Y-Achse  on /off"), w);
    cmdYLog->setObjectName("cmdYLog");
    connect(cmdYLog, &QPushButton::clicked, this, [this] { cmdYLog_Click(); });
    l->addWidget(cmdXLog);
    l->addWidget(cmdYLog);
    l->addStretch();
    return w;
}

QWidget* frmTGraph2D_Gestaltung::BaueKopfTab() {
    auto* w = new QWidget;
    auto* g = new QGridLayout(w);
    cmdHeaderDesign = new QPushButton(U("Gestaltung  Kopfzeile"), w);
    cmdHeaderDesign->setObjectName("cmdHeaderDesign");
    connect(cmdHeaderDesign, &QPushButton::clicked, this, [this] { cmdHeaderDesign_Click(); });
    cmdZusatzzeileDesign = new QPushButton(U("Gestaltung  Zusatzzeile"), w);
    cmdZusatzzeileDesign->setObjectName("cmdZusatzzeileDesign");
    connect(cmdZusatzzeileDesign, &QPushButton::clicked, this, [this] { cmdZusatzzeileDesign_Click(); });
    g->addWidget(cmdHeaderDesign, 0, 0);
    g->addWidget(new QLabel(U("= Diagramm-Überschrift"), w), 0, 1);
    g->addWidget(cmdZusatzzeileDesign, 1, 0);
    g->addWidget(new QLabel(U("falls keine vorhanden ist, kann sie hier eingefügt werden"), w), 1, 1);
    g->addWidget(new QLabel(U("Texte, Schriftfont, Farbe"), w), 2, 0, 1, 2);
    return w;
}

void frmTGraph2D_Gestaltung::BaueKurvenPanel() {
    auto* l = new QVBoxLayout(panel[2]);
    tabKurven = new QTabWidget(panel[2]);
    tabKurven->setObjectName("tabKurven");
    tabKurven->setUsesScrollButtons(true);
    for (int k = 1; k <= kMaxKurven; ++k) {
        auto* w = new QWidget;
        auto* g = new QGridLayout(w);
        txtLabel[k] = Feld(w, Name("txtLabel", k), 120);
        scrShiftLab[k] = new QScrollBar(Qt::Horizontal, w);
        scrShiftLab[k]->setObjectName(Name("scrShiftLab", k));
        scrShiftLab[k]->setMinimumWidth(120);
        scrShiftLab[k]->setRange(1, 1);
        chkEinzelLabelSichtbar[k] = new QCheckBox(U("sichtbar"), w);
        chkEinzelLabelSichtbar[k]->setObjectName(Name("chkEinzelLabelSichtbar", k));
        cmdKurvenFarbe[k] = new QPushButton(w);
        cmdKurvenFarbe[k]->setObjectName(Name("cmdKurvenFarbe", k));
        cmdKurvenFarbe[k]->setMinimumSize(40, 22);
        cmbKStil[k] = new QComboBox(w);
        cmbKStil[k]->setObjectName(Name("cmbKStil", k));
        UpDown1_KBreite[k] = new QSpinBox(w);
        UpDown1_KBreite[k]->setObjectName(Name("UpDown1_KBreite", k));
        UpDown1_KBreite[k]->setRange(1, 20);
        Label39[k] = new QLabel(U("1"), w);
        Label39[k]->setObjectName(Name("Label39", k));
        txtLegend[k] = Feld(w, Name("txtLegend", k), 160);
        txtLegend[k]->setToolTip(U(" ohne Text kein Eintrag in die Legende! "));
        g->addWidget(new QLabel(U("Kurven-Etikett"), w), 0, 0);
        g->addWidget(txtLabel[k], 0, 1);
        g->addWidget(chkEinzelLabelSichtbar[k], 0, 2);
        g->addWidget(new QLabel(U("Position"), w), 1, 0);
        g->addWidget(scrShiftLab[k], 1, 1, 1, 2);
        g->addWidget(new QLabel(U("Farbe"), w), 2, 0);
        g->addWidget(cmdKurvenFarbe[k], 2, 1);
        g->addWidget(new QLabel(U("Stil"), w), 3, 0);
        g->addWidget(cmbKStil[k], 3, 1, 1, 2);
        g->addWidget(new QLabel(U("Linienbreite"), w), 4, 0);
        g->addWidget(UpDown1_KBreite[k], 4, 1);
        g->addWidget(Label39[k], 4, 2);
        g->addWidget(new QLabel(U("Legende"), w), 5, 0);
        g->addWidget(txtLegend[k], 5, 1, 1, 2);
        for (const char* s : kKurvenStile) cmbKStil[k]->addItem(Q(Gepolstert(s)));
        connect(txtLabel[k], &QLineEdit::textChanged, this, [this, k] { txtLabel_Change(k); });
        connect(scrShiftLab[k], &QScrollBar::valueChanged, this, [this, k] { scrShiftLab_Change(k); });
        connect(chkEinzelLabelSichtbar[k], &QCheckBox::toggled, this, [this, k] { chkEinzelLabelSichtbar_Click(k); });
        connect(cmdKurvenFarbe[k], &QPushButton::clicked, this, [this, k] { cmdKurvenFarbe_Click(k); });
        // The style follows the list whenever its index is set, by the user or by the program.
        connect(cmbKStil[k], &QComboBox::activated, this, [this, k] { cmbKStil_Click(k); });
        connect(cmbKStil[k], &QComboBox::currentIndexChanged, this, [this, k] { cmbKStil_Click(k); });
        connect(UpDown1_KBreite[k], &QSpinBox::valueChanged, this, [this, k](int v) {
            Label39[k]->setText(QString::number(v));
            UpDown1_KBreite_Change(k);
        });
        connect(txtLegend[k], &QLineEdit::textChanged, this, [this, k] { txtLegend_Change(k); });
        tabKurven->addTab(w, TabText("K.", k));
    }
    // The diagram window switches tabs on and off while it builds itself: only a tab chosen on the
    // shown panel reports its curve.
    connect(tabKurven, &QTabWidget::currentChanged, this, [this](int) {
        if (panel[2]->isVisible()) TabKurven_Click(0);
    });
    l->addWidget(tabKurven);
    auto* h = new QHBoxLayout;
    cmdClipboard = new QPushButton(U("x-y-Kurvendaten in Clipboard"), panel[2]);
    cmdClipboard->setObjectName("cmdClipboard");
    cmdClipboard->setToolTip(U("...für Datenexport nach X-Y-Editor, Excel / Origin /..."));
    connect(cmdClipboard, &QPushButton::clicked, this, [this] { cmdClipboard_Click(); });
    cmdSaveCurveAsXY = new QPushButton(U("Kurve als *.XY speichern"), panel[2]);
    cmdSaveCurveAsXY->setObjectName("cmdSaveCurveAsXY");
    connect(cmdSaveCurveAsXY, &QPushButton::clicked, this, [this] { cmdSaveCurveAsXY_Click(); });
    cmdDelKurv = new QPushButton(U("Kurve löschen"), panel[2]);
    cmdDelKurv->setObjectName("cmdDelKurv");
    connect(cmdDelKurv, &QPushButton::clicked, this, [this] { cmdDelKurv_Click(); });
    cmdMsgDelPoint = new QPushButton(U("Kurvenpunkt löschen"), panel[2]);
    cmdMsgDelPoint->setObjectName("cmdMsgDelPoint");
    connect(cmdMsgDelPoint, &QPushButton::clicked, this, [this] { cmdMsgDelPoint_Click(); });
    cmdKurven_OK = new QPushButton(U("Schließen"), panel[2]);
    cmdKurven_OK->setObjectName("cmdKurven_OK");
    connect(cmdKurven_OK, &QPushButton::clicked, this, [this] { cmdKurven_OK_Click(); });
    for (auto* b : {cmdClipboard, cmdSaveCurveAsXY, cmdDelKurv, cmdMsgDelPoint, cmdKurven_OK}) h->addWidget(b);
    l->addLayout(h);
}

void frmTGraph2D_Gestaltung::BauePunktePanel() {
    auto* l = new QVBoxLayout(panel[3]);
    tabPunkte = new QTabWidget(panel[3]);
    tabPunkte->setObjectName("tabPunkte");
    for (int k = 1; k <= kMaxPunktsaetze; ++k) {
        auto* w = new QWidget;
        auto* g = new QGridLayout(w);
        lblNumPoints[k] = new QLabel(w);
        lblNumPoints[k]->setObjectName(Name("lblNumPoints", k));
        cmbPunktStil[k] = new QComboBox(w);
        cmbPunktStil[k]->setObjectName(Name("cmbPunktStil", k));
        for (const char* s : kPunktStile) cmbPunktStil[k]->addItem(U(s));
        UpDown1_PointSize[k] = new QSpinBox(w);
        UpDown1_PointSize[k]->setObjectName(Name("UpDown1_PointSize", k));
        UpDown1_PointSize[k]->setRange(1, 30);
        UpDown1_PointSize[k]->setValue(7);
        Label56[k] = new QLabel(U("7"), w);
        Label56[k]->setObjectName(Name("Label56", k));
        cmdPunktFarbe[k] = new QPushButton(w);
        cmdPunktFarbe[k]->setObjectName(Name("cmdPunktFarbe", k));
        cmdPunktFarbe[k]->setMinimumSize(40, 22);
        txtLegPoints[k] = Feld(w, Name("txtLegPoints", k), 160);
        txtLegPoints[k]->setToolTip(U(" ohne Text kein Eintrag in die Legende! "));
        g->addWidget(new QLabel(U("Einzelpunkte in diesem Punktsatz:"), w), 0, 0);
        g->addWidget(lblNumPoints[k], 0, 1);
        g->addWidget(new QLabel(U("Stil"), w), 1, 0);
        g->addWidget(cmbPunktStil[k], 1, 1, 1, 2);
        g->addWidget(new QLabel(U("Größe"), w), 2, 0);
        g->addWidget(UpDown1_PointSize[k], 2, 1);
        g->addWidget(Label56[k], 2, 2);
        g->addWidget(new QLabel(U("Farbe"), w), 3, 0);
        g->addWidget(cmdPunktFarbe[k], 3, 1);
        g->addWidget(new QLabel(U("Legende"), w), 4, 0);
        g->addWidget(txtLegPoints[k], 4, 1, 1, 2);
        connect(cmbPunktStil[k], &QComboBox::activated, this, [this, k] { cmbPunktStil_Click(k); });
        connect(cmbPunktStil[k], &QComboBox::currentIndexChanged, this, [this, k] { cmbPunktStil_Click(k); });
        connect(UpDown1_PointSize[k], &QSpinBox::valueChanged, this, [this, k](int v) {
            Label56[k]->setText(QString::number(v));
            UpDown1_PointSize_Change(k);
        });
        connect(cmdPunktFarbe[k], &QPushButton::clicked, this, [this, k] { cmdPunktFarbe_Click(k); });
        connect(txtLegPoints[k], &QLineEdit::textChanged, this, [this, k] { txtLegPoints_Change(k); });
        tabPunkte->addTab(w, TabText("P.", k));
    }
    l->addWidget(tabPunkte);
    auto* h = new QHBoxLayout;
    cmdDelSinglePoint = new QPushButton(U("Einzelpunkt löschen"), panel[3]);
    cmdDelSinglePoint->setObjectName("cmdDelSinglePoint");
    connect(cmdDelSinglePoint, &QPushButton::clicked, this, [this] { cmdDelSinglePoint_Click(); });
    cmdDelPointSet = new QPushButton(U("Punktsatz löschen"), panel[3]);
    cmdDelPointSet->setObjectName("cmdDelPointSet");
    connect(cmdDelPointSet, &QPushButton::clicked, this, [this] { cmdDelPointSet_Click(); });
    cmdPunkte_OK = new QPushButton(U("Schließen"), panel[3]);
    cmdPunkte_OK->setObjectName("cmdPunkte_OK");
    connect(cmdPunkte_OK, &QPushButton::clicked, this, [this] { cmdPunkte_OK_Click(); });
    for (auto* b : {cmdDelSinglePoint, cmdDelPointSet, cmdPunkte_OK}) h->addWidget(b);
    l->addLayout(h);
}

void frmTGraph2D_Gestaltung::BaueSchriftPanel() {
    QWidget* p = panel[4];
    auto* g = new QGridLayout(p);
    schrift = new QPlainTextEdit(p);
    schrift->setObjectName("schrift");
    schrift->setMinimumSize(320, 70);
    schrift->installEventFilter(this);
    connect(schrift, &QPlainTextEdit::textChanged, this, [this] { schrift_Change(); });
    g->addWidget(schrift, 0, 0, 1, 3);

    fraTextShift = new QGroupBox(U("Text-Position"), p);
    fraTextShift->setObjectName("fraTextShift");
    auto* lt = new QHBoxLayout(fraTextShift);
    HScroll1 = Leiste(fraTextShift, "HScroll1", Qt::Horizontal);
    VScroll1 = Leiste(fraTextShift, "VScroll1", Qt::Vertical);
    VScroll1->setMinimumHeight(60);
    for (auto* s : {HScroll1, VScroll1}) {
        s->setRange(0, 800);
        s->setSingleStep(3);
        lt->addWidget(s);
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
    g->addWidget(fraTextShift, 1, 0, 2, 1);

    Label60 = new QLabel(U("Hintergrundfarbe"), p);
    Label60->setObjectName("Label60");
    cmdSchriftHFarbe = Swatch(p, "cmdSchriftHFarbe", "Hintergrundfarbe ", &frmTGraph2D_Gestaltung::cmdSchriftHFarbe_Click);
    cmdSchriftHFarbe->setMinimumWidth(cmdSchriftHFarbe->sizeHint().width());  // its caption whole
    cmdFont = new QPushButton(U("Schriftart/-farbe"), p);
    cmdFont->setObjectName("cmdFont");
    connect(cmdFont, &QPushButton::clicked, this, [this] { cmdFont_Click(); });
    chkTextFrame = new QCheckBox(U("gerahmt"), p);
    chkTextFrame->setObjectName("chkTextFrame");
    connect(chkTextFrame, &QCheckBox::toggled, this, [this] { chkTextFrame_Click(); });
    g->addWidget(Label60, 1, 1);
    g->addWidget(cmdSchriftHFarbe, 1, 2);
    g->addWidget(cmdFont, 2, 1);
    g->addWidget(chkTextFrame, 2, 2);

    fraYText = new QGroupBox(U("Y-Achs-Text"), p);
    fraYText->setObjectName("fraYText");
    auto* ly = new QVBoxLayout(fraYText);
    auto* gt = Gruppe(fraYText, optOrientYAxText, "optOrientYAxText", {"horizontal oben", "vertikal"});
    for (auto* r : optOrientYAxText) ly->addWidget(r);
    connect(gt, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optOrientYAxText_Click(i); });
    fraYZiff = new QGroupBox(U("Y-Ziffern"), p);
    fraYZiff->setObjectName("fraYZiff");
    auto* lz = new QVBoxLayout(fraYZiff);
    auto* gz = Gruppe(fraYZiff, optOrientYAxZiff, "optOrientYAxZiff", {"horizontal", "vertikal"});
    for (auto* r : optOrientYAxZiff) lz->addWidget(r);
    connect(gz, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optOrientYAxZiff_Click(i); });
    g->addWidget(fraYText, 3, 0);
    g->addWidget(fraYZiff, 3, 1);
    cmdSchriftFertig = new QPushButton(U("Schließen"), p);
    cmdSchriftFertig->setObjectName("cmdSchriftFertig");
    connect(cmdSchriftFertig, &QPushButton::clicked, this, [this] { cmdSchriftFertig_Click(); });
    g->addWidget(cmdSchriftFertig, 3, 2, Qt::AlignBottom);
}

void frmTGraph2D_Gestaltung::BauePrintPanel() {
    QWidget* p = panel[5];
    auto* g = new QGridLayout(p);
    frGraphFormat = new QGroupBox(p);
    frGraphFormat->setObjectName("frGraphFormat");
    auto* lf = new QVBoxLayout(frGraphFormat);
    lf->addWidget(new QLabel(U("Grafik-Format"), frGraphFormat));
    cmbGraphFormat = new QComboBox(frGraphFormat);
    cmbGraphFormat->setObjectName("cmbGraphFormat");
    // The picture menu fills the list anew for each output: the box follows the longest entry.
    cmbGraphFormat->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(cmbGraphFormat, &QComboBox::currentIndexChanged, this, [this](int i) { if (i >= 0) cmbGraphFormat_Click(); });
    lf->addWidget(cmbGraphFormat);

    frPrintScaling = new QGroupBox(U("Scaling-Methoden "), p);
    frPrintScaling->setObjectName("frPrintScaling");
    auto* ls = new QGridLayout(frPrintScaling);
    auto* gs = Gruppe(frPrintScaling, optSM, "optSM", {"A4-Format voll", "Vorgabe Höhe", "Vorgabe Breite"}, 2);
    connect(gs, &QButtonGroup::idToggled, this, [this](int i, bool an) { if (an) optSM_Click(i); });
    Label9 = new QLabel(U("Höhe  ="), frPrintScaling);
    Label9->setObjectName("Label9");
    Label8 = new QLabel(U("Breite ="), frPrintScaling);
    Label8->setObjectName("Label8");
    txtHeight_in_cm = Feld(frPrintScaling, "txtHeight_in_cm", 60);
    txtWidth_in_cm = Feld(frPrintScaling, "txtWidth_in_cm", 60);
    ls->addWidget(optSM[2], 0, 0, 1, 3);
    ls->addWidget(optSM[3], 1, 0, 1, 3);
    ls->addWidget(optSM[4], 2, 0, 1, 3);
    ls->addWidget(Label9, 3, 0);
    ls->addWidget(txtHeight_in_cm, 3, 1);
    ls->addWidget(new QLabel(U("cm"), frPrintScaling), 3, 2);
    ls->addWidget(Label8, 4, 0);
    ls->addWidget(txtWidth_in_cm, 4, 1);
    ls->addWidget(new QLabel(U("cm"), frPrintScaling), 4, 2);

    frPrintPos = new QGroupBox(U("Position"), p);
    frPrintPos->setObjectName("frPrintPos");
    auto* lp = new QGridLayout(frPrintPos);
    txtTop_in_cm = Feld(frPrintPos, "txtTop_in_cm", 60);
    txtLeft_in_cm = Feld(frPrintPos, "txtLeft_in_cm", 60);
    lp->addWidget(new QLabel(U("Rand oben ="), frPrintPos), 0, 0);
    lp->addWidget(txtTop_in_cm, 0, 1);
    lp->addWidget(new QLabel(U("cm"), frPrintPos), 0, 2);
    lp->addWidget(new QLabel(U("Rand links  ="), frPrintPos), 1, 0);
    lp->addWidget(txtLeft_in_cm, 1, 1);
    lp->addWidget(new QLabel(U("cm"), frPrintPos), 1, 2);

    frHinweis = new QGroupBox(U(" Tipp "), p);
    frHinweis->setObjectName("frHinweis");
    auto* lh = new QVBoxLayout(frHinweis);
    Label33 = new QLabel(frHinweis);
    Label33->setObjectName("Label33");
    Label33->setWordWrap(true);
    lh->addWidget(Label33);

    cmdPrint = new QPushButton(U("Ausführen"), p);
    cmdPrint->setObjectName("cmdPrint");
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    cmdPrint_Esc = new QPushButton(U("Abbrechen"), p);
    cmdPrint_Esc->setObjectName("cmdPrint_Esc");
    connect(cmdPrint_Esc, &QPushButton::clicked, this, [this] { cmdPrint_Esc_Click(); });
    g->addWidget(frGraphFormat, 0, 0);
    g->addWidget(frHinweis, 0, 1, 2, 2);  // in place of the scaling and position frames it replaces
    frHinweis->hide();                     // until a picture output shows its hint
    g->addWidget(frPrintScaling, 0, 1, 2, 1);
    g->addWidget(frPrintPos, 0, 2);
    auto* h = new QHBoxLayout;
    h->addWidget(cmdPrint);
    h->addWidget(cmdPrint_Esc);
    g->addLayout(h, 2, 0, 1, 3, Qt::AlignRight);
}

void frmTGraph2D_Gestaltung::BaueCoordPanel() {
    QWidget* p = panel[6];
    auto* g = new QGridLayout(p);
    const char* texte[] = {"", "x(min)", "x(max)", "y(min)", "y(max)"};
    for (int i = 1; i <= 4; ++i) {
        coord[i] = Feld(p, Name("coord", i), 90);
        coord[i]->installEventFilter(this);
        g->addWidget(new QLabel(U(texte[i]), p), 0, i - 1);
        g->addWidget(coord[i], 1, i - 1);
    }
    cmdCoord_OK = new QPushButton(U("Anwenden"), p);
    cmdCoord_OK->setObjectName("cmdCoord_OK");
    connect(cmdCoord_OK, &QPushButton::clicked, this, [this] { BereichAnwenden(true); });
    cmdCoord_Esc = new QPushButton(U("Abbrechen"), p);
    cmdCoord_Esc->setObjectName("cmdCoord_Esc");
    connect(cmdCoord_Esc, &QPushButton::clicked, this, [this] { cmdCoord_Esc_Click(); });
    g->addWidget(cmdCoord_OK, 2, 2);
    g->addWidget(cmdCoord_Esc, 2, 3);
}

// ---------------------------------------------------------------------------------------------
// Panels and life cycle

void frmTGraph2D_Gestaltung::Form_Load() {
    plaziert_ = false;
    move(0, 0);
    FormGST_Hide(true);
    for (int i = 1; i <= 6; ++i) panel[i]->move(0, 0);
    MaleSwatch(cmdPlotAreaColGrey, platform::Chart2D::Rgb(240, 240, 240));
    MaleSwatch(cmdFullWhite, 0xFFFFFF);
    MaleSwatch(cmdFullBlack, 0x000000);
    MaleSwatch(cmdRandColGrau, 0xFFFFFF);
    MaleSwatch(cmdDiaAxColor, ColAxis);
    MaleSwatch(cmdGitterFarbe, ColGrid);
    MaleSwatch(cmdSchriftHFarbe, ColHeaderBack);
}

void frmTGraph2D_Gestaltung::FormGST_Show(int intShowType) {
    // Panels change while updates are off, so that the change shows at once without flicker.
    setUpdatesEnabled(false);
    if (intShowType != aktShowType_) FormGST_Hide(false);
    if (intShowType >= 1 && intShowType <= 6) {
        panel[intShowType]->show();  // before its size is taken
        PlacePanel(panel[intShowType]);
    }
    if (!isVisible()) {
        show();
        raise();
    }
    setUpdatesEnabled(true);
    aktShowType_ = intShowType;
}

void frmTGraph2D_Gestaltung::PlacePanel(QGroupBox* frame) {
    // The panel is shown already: its controls are polished and their new texts, lists and
    // frames reach its layouts, which a hidden panel would have kept from before.
    frame->adjustSize();
    resize(frame->size());
    if (!plaziert_) {
        // First showing: a little above the middle of the screen and left of its centre.
        plaziert_ = true;
        if (const QScreen* s = QApplication::primaryScreen()) {
            const QRect r = s->availableGeometry();
            move(r.left() + std::max(0, static_cast<int>((r.width() - width()) / 5.5)),
                 r.top() + std::max(0, static_cast<int>((r.height() - height()) / 2.5)));
        }
    }
}

void frmTGraph2D_Gestaltung::FormGST_Hide(bool bolMeHide) {
    if (bolMeHide) hide();
    for (int i = 1; i <= 6; ++i) panel[i]->hide();
}

void frmTGraph2D_Gestaltung::DeleteAllDesignFrames() { FormGST_Hide(false); }

void frmTGraph2D_Gestaltung::Zuruecksetzen() {
    erster_.Wiederherstellen();
    aktShowType_ = 0;
    gridArt_ = 0;
    letzteFrameFarbe_ = 0;
    abstaendeVomChart_ = false;
    angehoben_ = {};
    Form_Load();
}

void frmTGraph2D_Gestaltung::DiagrammGeoeffnet() {
    // A diagram window that went without closing (deleted with its parent) left its settings here.
    if (gebunden_) Zuruecksetzen();
    gebunden_ = true;
    if (typeid(diagram::Gestaltung()) == typeid(diagram::GestaltungLink)) diagram::SetGestaltung(this);
    if (diagram::gDiagramm) ConnectDiagramMenus(diagram::gDiagramm);
}

void frmTGraph2D_Gestaltung::DiagrammGeschlossen() {
    int cancel = 0;
    Form_QueryUnload(cancel, 1);
    FormGST_Hide(true);
    // The window system's window goes as it did with the whole dialog, so that the next showing
    // is activated afresh.
    if (windowHandle()) destroy();
    Zuruecksetzen();
    gebunden_ = false;
}

void frmTGraph2D_Gestaltung::Form_QueryUnload(int& cancel, int unloadMode) {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    platform::Windows().Unload("frmTGraphCalc");
    if (unloadMode == 0) {
        FormGST_Hide(true);
        cancel = 1;
    }
}

void frmTGraph2D_Gestaltung::closeEvent(QCloseEvent* event) {
    // A close from the window system is the user's close box; the program's unload is not.
    int cancel = 0;
    Form_QueryUnload(cancel, event->spontaneous() ? 0 : 1);
    if (cancel) {
        event->ignore();
        return;
    }
    if (&diagram::Gestaltung() == this) diagram::SetGestaltung(nullptr);
    event->accept();
}

bool frmTGraph2D_Gestaltung::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        return false;
    }
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == schrift) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            int ascii = 10;
            schrift_KeyPress(ascii);
            if (ascii != 0) schrift->insertPlainText(QString(QChar(ascii)));
            return true;
        }
        return false;
    }
    for (int tab = 0; tab <= 1; ++tab) {
        const auto& felder = tab ? Tabcoord : coord;
        for (int i = 1; i <= 4; ++i) {
            if (watched != felder[i]) continue;
            int ascii = simulation::KeyAscii(key);
            if (ascii == 0 || key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) return false;
            const int getippt = ascii;
            coord_KeyPress(tab == 1, i, ascii);
            if (ascii == 0) return true;
            if (ascii != getippt) {
                felder[i]->insert(QString(QChar(ascii)));
                return true;
            }
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// What the diagram window sets

void frmTGraph2D_Gestaltung::SetKurvenTab(int slot, bool on, const std::string& caption) {
    if (slot < 1 || slot > kMaxKurven) return;
    tabKurven->setTabText(slot - 1, Q(caption));
    tabKurven->setTabVisible(slot - 1, on);
}

void frmTGraph2D_Gestaltung::SetKurvenFarbe(int slot, int colour) {
    if (slot >= 1 && slot <= kMaxKurven) MaleSwatch(cmdKurvenFarbe[slot], colour);
}

void frmTGraph2D_Gestaltung::SetLinienbreite(int slot, const std::string& shown) {
    if (slot < 1 || slot > kMaxKurven) return;
    Label39[slot]->setText(Q(shown));
    const QSignalBlocker b(UpDown1_KBreite[slot]);
    UpDown1_KBreite[slot]->setValue(static_cast<int>(platform::Val(shown)));
}

void frmTGraph2D_Gestaltung::SetKurvenStilListe(int slot, int listIndex) {
    if (slot < 1 || slot > kMaxKurven) return;
    // The handler runs also when the index stays: list and chart agree afterwards.
    const QSignalBlocker b(cmbKStil[slot]);
    cmbKStil[slot]->setCurrentIndex(listIndex);
    cmbKStil_Click(slot);
}

void frmTGraph2D_Gestaltung::SetTxtLegend(int slot, const std::string& text) {
    if (slot >= 1 && slot <= kMaxKurven) SetzeText(txtLegend[slot], text);
}

void frmTGraph2D_Gestaltung::SetTxtLabel(int slot, const std::string& text) {
    if (slot >= 1 && slot <= kMaxKurven) SetzeText(txtLabel[slot], text);
}

void frmTGraph2D_Gestaltung::SetEinzelLabelSichtbar(int slot, bool ticked) {
    // The diagram window shows and hides its labels itself: only the box follows.
    if (slot < 1 || slot > kMaxKurven) return;
    const QSignalBlocker b(chkEinzelLabelSichtbar[slot]);
    chkEinzelLabelSichtbar[slot]->setChecked(ticked);
}

void frmTGraph2D_Gestaltung::SetLabelVerschiebung(int slot, int pointIndex) {
    if (slot < 1 || slot > kMaxKurven) return;
    // Points 1..n of the drawn curve (1..1 for an empty one, whose label the chart hides).
    platform::Chart2D* c = DiagrammChart();
    const int n = c ? c->PointCount(1, slot) : 0;
    QScrollBar* s = scrShiftLab[slot];
    const QSignalBlocker b(s);
    s->setRange(1, std::max(1, n));
    s->setSingleStep(3);
    if (pointIndex >= 1) s->setValue(pointIndex);
}

void frmTGraph2D_Gestaltung::SetPunkteTab(int set, bool on, const std::string& caption) {
    if (set < 1 || set > kMaxPunktsaetze) return;
    tabPunkte->setTabText(set - 1, Q(caption));
    tabPunkte->setTabVisible(set - 1, on);
}

void frmTGraph2D_Gestaltung::SetPunkteTabAn(int set, bool on) {
    if (set >= 1 && set <= kMaxPunktsaetze) tabPunkte->setTabVisible(set - 1, on);
}

void frmTGraph2D_Gestaltung::SetPunkteTabAktuell(int set) {
    if (set >= 1 && set <= kMaxPunktsaetze) tabPunkte->setCurrentIndex(set - 1);
}

void frmTGraph2D_Gestaltung::SetTxtLegPoints(int set, const std::string& text) {
    if (set >= 1 && set <= kMaxPunktsaetze) SetzeText(txtLegPoints[set], text);
}

std::string frmTGraph2D_Gestaltung::TxtLegPoints(int set) const {
    return set >= 1 && set <= kMaxPunktsaetze ? Text(txtLegPoints[set]) : std::string();
}

void frmTGraph2D_Gestaltung::SetLblNumPoints(int set, const std::string& text) {
    if (set >= 1 && set <= kMaxPunktsaetze) lblNumPoints[set]->setText(Q(text));
}

void frmTGraph2D_Gestaltung::SetPunktFarbe(int set, int colour) {
    if (set >= 1 && set <= kMaxPunktsaetze) MaleSwatch(cmdPunktFarbe[set], colour);
}

void frmTGraph2D_Gestaltung::SetPunktStilListe(int set, int listIndex, const std::string& sizeShown) {
    if (set < 1 || set > kMaxPunktsaetze) return;
    {
        const QSignalBlocker b(cmbPunktStil[set]);
        cmbPunktStil[set]->setCurrentIndex(listIndex);
    }
    cmbPunktStil_Click(set);
    Label56[set]->setText(Q(sizeShown));
    const QSignalBlocker b(UpDown1_PointSize[set]);
    UpDown1_PointSize[set]->setValue(static_cast<int>(platform::Val(sizeShown)));
}

void frmTGraph2D_Gestaltung::SetChkLegend(int value) { chkLegend->setChecked(value != 0); }

void frmTGraph2D_Gestaltung::SetKurvenTabAktuell(int slot) {
    if (slot >= 1 && slot <= kMaxKurven) tabKurven->setCurrentIndex(slot - 1);
}

void frmTGraph2D_Gestaltung::SetDesignTab(int tab) {
    if (tab >= 0 && tab < tabDesign->count()) tabDesign->setCurrentIndex(tab);
}

void frmTGraph2D_Gestaltung::cmdKurven_OK_Click() { FormGST_Hide(true); }
void frmTGraph2D_Gestaltung::cmdPunkte_OK_Click() { FormGST_Hide(true); }
bool frmTGraph2D_Gestaltung::TabsPanelSichtbar() const { return panel[1]->isVisible(); }

void frmTGraph2D_Gestaltung::CoordPanelBereit() {
    cmdCoord_Esc->setShortcut(QKeySequence(Qt::Key_Escape));
    if (coord[1]->isVisible()) coord[1]->setFocus();
}

void frmTGraph2D_Gestaltung::SetCoord(int index, const std::string& text) {
    if (index >= 1 && index <= 4) SetzeText(coord[index], text);
}

void frmTGraph2D_Gestaltung::SetTabcoord(int index, const std::string& text) {
    if (index >= 1 && index <= 4) SetzeText(Tabcoord[index], text);
}

void frmTGraph2D_Gestaltung::SetLegendPosition(int left, int top) {
    const QSignalBlocker bh(scrLegH), bv(scrlegV);
    scrLegH->setMaximum(std::max(scrLegH->maximum(), left));
    scrlegV->setMaximum(std::max(scrlegV->maximum(), top));
    scrLegH->setValue(left);
    scrlegV->setValue(top);
}

void frmTGraph2D_Gestaltung::SetRandFarben(int inner, int outer, int plotArea) {
    MaleSwatch(cmdRandCol_in, inner);
    MaleSwatch(cmdRandCol_out, outer);
    MaleSwatch(cmdColorPlotArea, plotArea);
}

void frmTGraph2D_Gestaltung::PresetsForNewDiagram() {
    SetzeText(txtTop_in_cm, " 3");
    SetzeText(txtLeft_in_cm, " 3.5");
    SetzeText(txtHeight_in_cm, " 10");
    SetzeText(txtWidth_in_cm, " 15");
    if (platform::Chart2D* c = DiagrammChart()) {
        const QSignalBlocker bl(scrHL), br(scrHR), bu(scrHU);
        scrHL->setValue(c->PlotMargin(platform::MarginSide::Left));
        scrHR->setValue(c->PlotMargin(platform::MarginSide::Right));
        scrHU->setValue(c->PlotMargin(platform::MarginSide::Bottom));
        SetzeText(txtXOrigin, std::to_string(c->AxisOrigin(platform::ChartAxis::X)));
        SetzeText(txtYOrigin, std::to_string(c->AxisOrigin(platform::ChartAxis::Y)));
        SetLegendPosition(c->LegendLeft(), c->LegendTop());
    }
    Waehle(optLegOrient[1], [this] { optLegOrient_Click(1); });
    chkLegFrame->setChecked(true);
    MaleSwatch(cmdLegBColor, ColLegendBack);
    MaleSwatch(cmdLegFColor, ColLegendFore);
    Waehle(opt1Gitter[3], [this] { opt1Gitter_Click(3); });
    Waehle(optSM[4], [this] { optSM_Click(4); });
    Waehle(optOrientYAxZiff[0], [this] { optOrientYAxZiff_Click(0); });
    Waehle(optOrientYAxText[1], [this] { optOrientYAxText_Click(1); });
    Waehle(opt2Gitter[0], [this] { opt2Gitter_Click(0); });
    Waehle(optStandardOrigin[0], [this] { optStandardOrigin_Click(0); });
    Waehle(optXZiffern[0], [this] { optXZiffern_Click(0); });
    Waehle(optYZiffern[0], [this] { optYZiffern_Click(0); });
    chkDiaFrame->setChecked(true);
    chkTextFrame->setChecked(false);
    chkAutoRand->setChecked(true);
    chkLabelNotVisible->setChecked(false);
    chkLabelFrame->setChecked(false);
    chkLegend->setChecked(true);
    MaleSwatch(cmdLabelFColor, 0x000000);
    MaleSwatch(cmdLabelBColor, 0xF0F0F0);
    SetDesignTab(5);
}

}  // namespace design
