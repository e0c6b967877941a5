#include "diagram/frmTGraph2D.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <stdexcept>

#include "diagram/CurveCalc.h"
#include "diagram/CurveSlots.h"
#include "diagram/GestaltungLink.h"
#include "diagram/GrafGeometrie.h"
#include "diagram/Grafik.h"
#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "platform/Chart2D.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "shell/WrappingMenuBar.h"

namespace diagram {

using namespace kernel;
using platform::Chart2D;
using platform::ChartAxis;

frmTGraph2D* gDiagramm = nullptr;

namespace {

const char* const kName = "frmTGraph2D";

platform::FormRegistration registrierung(kName, platform::FormKind::MdiChild, [] { return new frmTGraph2D; });

frmTGraph2D::FarbDialog& FarbDialogFunktion() {
    static frmTGraph2D::FarbDialog dialog = [](int farbe) {
        const QColor start(farbe & 0xFF, (farbe >> 8) & 0xFF, (farbe >> 16) & 0xFF);
        const QColor c = QColorDialog::getColor(start, QApplication::activeWindow());
        return c.isValid() ? Chart2D::Rgb(c.red(), c.green(), c.blue()) : farbe;
    };
    return dialog;
}

// Colours of the 16-colour table used here.
constexpr int kSchwarz = 0x000000;
constexpr int kHellrot = 0x0000FF;   // red 255
constexpr int kWeiss = 0xFFFFFF;

// Line styles of the curve list and point symbols of the point-set list, by list index.
constexpr int kStandardLinienStil = 1;  // "Kurve normal"
constexpr std::array<int, 13> kPunktSymbol = {2, 3, 4, 5, 6, 9, 10, 11, 12, 14, 15, 16, 1};

int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(platform::kTwipsPerPixel))); }

std::string Nr(int i) { return std::to_string(i); }

QFont Arial(int punkte, bool fett = false, bool kursiv = false) {
    QFont f("Arial");
    f.setPointSize(punkte);
    f.setBold(fett);
    f.setItalic(kursiv);
    return f;
}

// A colour button shows its colour flat, framed black.
void MaleFarbfeld(QPushButton* knopf, int farbe) {
    const QString name = QColor(farbe & 0xFF, (farbe >> 8) & 0xFF, (farbe >> 16) & 0xFF).name();
    knopf->setStyleSheet("background-color: " + name + "; border: 1px solid black;");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

frmTGraph2D::frmTGraph2D(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(QString::fromUtf8("Diagramm-Grafik"));
    BaueFenster();
    Form_Load();
}

frmTGraph2D::~frmTGraph2D() {
    if (gDiagramm == this) gDiagramm = nullptr;
}

frmTGraph2D& frmTGraph2D::Instanz() {
    if (auto* f = Geladen()) return *f;
    QWidget* w = platform::Windows().Load(kName);
    auto* f = qobject_cast<frmTGraph2D*>(w);
    if (!f) throw std::runtime_error("Das Diagramm-Fenster kann nicht erzeugt werden.");
    return *f;
}

frmTGraph2D* frmTGraph2D::Geladen() { return qobject_cast<frmTGraph2D*>(platform::Windows().Get(kName)); }

void frmTGraph2D::SetFarbDialog(FarbDialog dialog) { FarbDialogFunktion() = std::move(dialog); }

void frmTGraph2D::BaueFenster() {
    // On a narrow screen the menu entries go on in a second row instead of widening the window.
    menuBar_ = new shell::WrappingMenuBar(this);
    menuBar_->setObjectName("MenuBar");
    BaueMenues();

    client_ = new QWidget(this);
    client_->setObjectName("Client");

    cmdDraw = new QPushButton(QString::fromUtf8("Zeichne Kurve"), client_);
    cmdDraw->setObjectName("cmdDraw");
    cmdDraw->setGeometry(2, 1, 100, Px(kChartOben) - 2);
    connect(cmdDraw, &QPushButton::clicked, this, [this] { cmdDraw_Click(); });

    cmdFarbVorwahl = new QPushButton(client_);
    cmdFarbVorwahl->setObjectName("cmdFarbVorwahl");
    cmdFarbVorwahl->setGeometry(106, 3, 16, Px(kChartOben) - 6);
    connect(cmdFarbVorwahl, &QPushButton::clicked, this, [this] { cmdFarbVorwahl_Click(); });

    Label49 = new QLabel(QString::fromUtf8(" Farb-Vorwahl"), client_);
    Label49->setObjectName("Label49");
    Label49->setToolTip(QString::fromUtf8("...legt die Farbe der nächsten Zeichenaktion fest "));
    Label49->setGeometry(124, 1, 84, Px(kChartOben) - 2);
    Label49->installEventFilter(this);

    Chart2D1 = new Chart2D(client_);
    Chart2D1->setObjectName("Chart2D1");

    // The cancel button lies under the chart, out of sight; it answers the Esc key.
    cmdEscGraph = new QPushButton(client_);
    cmdEscGraph->setObjectName("cmdEscGraph");
    cmdEscGraph->setGeometry(0, Px(kChartOben) + 2, 1, 1);
    cmdEscGraph->setShortcut(QKeySequence(Qt::Key_Escape));
    cmdEscGraph->lower();
    connect(cmdEscGraph, &QPushButton::clicked, this, [this] { cmdEscGraph_Click(); });

    lblMausPosNr = new QLabel(client_);
    lblMausPosNr->setObjectName("lblMausPosNr");
    lblMausPosCol = new QLabel(client_);
    lblMausPosCol->setObjectName("lblMausPosCol");
    lblMausPosX = new QLabel(client_);
    lblMausPosX->setObjectName("lblMausPosX");
    lblMausPosY = new QLabel(client_);
    lblMausPosY->setObjectName("lblMausPosY");
    lblMausPosZ = new QLabel(client_);
    lblMausPosZ->setObjectName("lblMausPosZ");
    for (QLabel* l : {lblMausPosNr, lblMausPosX, lblMausPosY, lblMausPosZ}) {
        l->setAutoFillBackground(true);
        l->hide();
    }
    lblMausPosCol->setAutoFillBackground(true);
    lblMausPosCol->hide();
    BaueWerkzeugKnoepfe();
    connect(Chart2D1, &Chart2D::MouseMove, this, [this](int b, int sh, int x, int y) {
        Chart2D1_MouseMove(b, sh, static_cast<float>(platform::PixelsToTwips(x)), static_cast<float>(platform::PixelsToTwips(y)));
    });
    connect(Chart2D1, &Chart2D::MouseDown, this, [this](int b, int sh, int x, int y) {
        Chart2D1_MouseDown(b, sh, static_cast<float>(platform::PixelsToTwips(x)), static_cast<float>(platform::PixelsToTwips(y)));
    });
    connect(Chart2D1, &Chart2D::MouseUp, this, [this](int b, int sh, int x, int y) {
        Chart2D1_MouseUp(b, sh, static_cast<float>(platform::PixelsToTwips(x)), static_cast<float>(platform::PixelsToTwips(y)));
    });

    StatusBar2 = new QWidget(this);
    StatusBar2->setObjectName("StatusBar2");
    StatusBar2->setAutoFillBackground(true);
    statusSimple_ = new QLabel(StatusBar2);
    statusSimple_->setObjectName("StatusBar2Text");
    statusSimple_->setWordWrap(true);
    for (int i = 1; i <= 2; ++i) {
        statusPanel_[i] = new QLabel(StatusBar2);
        statusPanel_[i]->setObjectName(QString::fromStdString(platform::ControlName("StatusBar2Panel", i)));
        statusPanel_[i]->setFrameShape(QFrame::Panel);
        statusPanel_[i]->setFrameShadow(QFrame::Sunken);
    }
    txtFarbeStatusbar2 = new QLineEdit(this);
    txtFarbeStatusbar2->setObjectName("txtFarbeStatusbar2");
    txtFarbeStatusbar2->setReadOnly(true);
    txtFarbeStatusbar2->setFocusPolicy(Qt::NoFocus);
    SetStatusStil(false);
}

void frmTGraph2D::BaueMenues() {
    auto aktion = [this](QMenu* menu, const std::string& name, const char* text) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromStdString(name));
        return a;
    };
    auto untermenue = [](QMenu* menu, const std::string& name, const char* text) {
        QMenu* m = menu->addMenu(QString::fromUtf8(text));
        m->setObjectName(QString::fromStdString(name) + "Menu");
        m->menuAction()->setObjectName(QString::fromStdString(name));
        return m;
    };

    QMenu* mark = menuBar_->addMenu(QString::fromUtf8("&Einfügen..."));
    mark->setObjectName("mnuMarkMenu");
    mark->menuAction()->setObjectName("mnuMark");
    connect(mark, &QMenu::aboutToShow, this, [this] { mnuMark_Click(); });
    connect(aktion(mark, "mnuHalbA", "Halbwertszeit A"), &QAction::triggered, this, [this] { mnuHalbA_Click(); });
    connect(aktion(mark, "mnuHalbB", "Halbwertszeit B"), &QAction::triggered, this, [this] { mnuHalbB_Click(); });
    connect(aktion(mark, "mnuAddPunkte", "Messpunkte aus dem Editor für exp. Daten"), &QAction::triggered, this,
            [this] { mnuAddPunkte_Click(); });
    connect(aktion(mark, "mnuManuXY", "Kurve / Punkt(e) aus dem XY-Editor"), &QAction::triggered, this,
            [this] { mnuManuXY_Click(); });

    QMenu* loeschen = menuBar_->addMenu(QString::fromUtf8("&Löschen..."));
    loeschen->menuAction()->setObjectName("mnuDelete");
    aktion(loeschen, "mnuDelTotal", "Alles");
    QMenu* kurve = untermenue(loeschen, "mnuDelKurv", "Kurve");
    for (int k = 0; k <= kMaxKurven; ++k) {
        const std::string text = k == 0 ? "alle" : "Kurve " + Nr(k);
        QAction* a = aktion(kurve, platform::ControlName("mnuSubDelKurv", k), text.c_str());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, k] { mnuSubDelKurv_Click(k); });
    }
    QMenu* punkte = untermenue(loeschen, "mnuDelPoints", "Punktsatz");
    for (int k = 0; k <= kMaxPunktsaetze; ++k) {
        const std::string text = k == 0 ? "alle" : "Punktsatz " + Nr(k);
        QAction* a = aktion(punkte, platform::ControlName("mnuSubDelPoints", k), text.c_str());
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, k] { mnuSubDelPoints_Click(k); });
    }
    aktion(loeschen, "mnuDelLabels", "Kurven-Etiketts");
    connect(aktion(loeschen, "mnuDelHalbAB", "Markierungen (z. B. Halbwertszeiten)"), &QAction::triggered, this,
            [this] { mnuDelHalbAB_Click(); });
    aktion(loeschen, "mnuDelLegend", "Legende");
    aktion(loeschen, "mnuDelLegendZeile", "Legenden-Zeile");

    QMenu* bild = menuBar_->addMenu(QString::fromUtf8("  &Bild ..."));
    bild->setObjectName("mnuBildsendenMenu");
    bild->menuAction()->setObjectName("mnuBildsenden");
    connect(aktion(bild, "mnuSaveOC2", "... als *.OC2-File speichern"), &QAction::triggered, this,
            [this] { mnuSaveOC2_Click(); });
    connect(aktion(bild, "mnuLoadOC2", "... importieren (*.OC2)"), &QAction::triggered, this,
            [this] { mnuLoadOC2_Click(); });

    QAction* coord = menuBar_->addAction(QString::fromUtf8("&Koordinatenbereich"));
    coord->setObjectName("mnuCoord");
    connect(coord, &QAction::triggered, this, [this] { mnuCoord_Click(); });

    QAction* haupt = menuBar_->addAction(QString::fromUtf8("&Hauptmenü"));
    haupt->setObjectName("mnuHaupt");
    connect(haupt, &QAction::triggered, this, [this] { mnuHaupt_Click(); });
}

QAction* frmTGraph2D::Aktion(const std::string& name) const {
    return findChild<QAction*>(QString::fromStdString(name));
}

void frmTGraph2D::Aktivieren(const std::string& name, bool on) {
    if (QAction* a = Aktion(name)) a->setEnabled(on);
}

// ---------------------------------------------------------------------------------------------
// Set-up

void frmTGraph2D::Form_Load() {
    gDiagramm = this;
    // The design dialog, when the program has one, links itself through SetGestaltung as it loads;
    // it is built once and serves every diagram window after this one.
    if (auto* dialog = dynamic_cast<GestaltungLink*>(platform::Windows().Load("frmTGraph2D_Gestaltung")))
        dialog->DiagrammGeoeffnet();
    WaitCursorOn();
    const int bildschirmPx = platform::TwipsToPixels(platform::ScreenWidthTwips());
    const bool schmal = bildschirmPx < 800;

    nKurven = 0;
    aktKurve = 0;
    Aktivieren("mnuDelPoints", false);
    rasterSchritte_ = kRasterSchritte;

    SetzeGeometrie();
    txtFarbeStatusbar2->clear();

    Chart2D1->SetRepaintSuspended(true);
    chartFarbeBeimLaden_ = Chart2D1->ChartAreaBackColor();
    Chart2D1->SetTextBlock(platform::ChartText::Header, DiagRec.Header);

    RichteKurvenGruppeEin();
    RichtePunktGruppeEin();

    Chart2D1->SetAxisShown(ChartAxis::Y2, false);
    Chart2D1->SetAxisShown(ChartAxis::X, true);
    Chart2D1->SetAxisShown(ChartAxis::Y, true);
    Chart2D1->SetChartAreaBorderWidth(0);
    Chart2D1->SetChartAreaLocation(5, 16);
    Chart2D1->SetPlotMargin(platform::MarginSide::Top, 30);
    Chart2D1->SetPlotMarginAuto(platform::MarginSide::Left, true);
    Chart2D1->SetPlotMarginAuto(platform::MarginSide::Bottom, true);
    GridModus = 4;
    Chart2D1->SetAxisTitle(ChartAxis::X, DiagRec.xTitel);
    Chart2D1->SetAxisTitle(ChartAxis::Y, DiagRec.yTitel);

    const int titelPunkte = schmal ? 10 : 11;
    Chart2D1->SetAxisTitleFont(ChartAxis::X, Arial(titelPunkte));
    QFont yTitel = Chart2D1->AxisTitleFont(ChartAxis::Y);
    yTitel.setFamily("Arial");
    Chart2D1->SetAxisTitleFont(ChartAxis::Y, yTitel);
    Chart2D1->SetAxisNumberFont(ChartAxis::X, Arial(titelPunkte));
    Chart2D1->SetAxisNumberFont(ChartAxis::Y, Arial(titelPunkte));

    RichteLabelsEin(schmal);

    Chart2D1->SetLegendShown(true);
    LegendVisible = 1;
    Chart2D1->SetLegendBorder(platform::kBorderFramed1);
    Chart2D1->SetLegendFont(Arial(8));
    Chart2D1->SetLegendOrientation(platform::kLegendVertical);
    Chart2D1->SetLegendBackColor(chartFarbeBeimLaden_);

    const int textPunkte = schmal ? 10 : 11;
    QFont kopf = Arial(textPunkte);
    Chart2D1->SetTextBlockFont(platform::ChartText::Header, kopf);
    Chart2D1->SetTextBlockFont(platform::ChartText::Footer, kopf);
    for (auto t : {platform::ChartText::Header, platform::ChartText::Footer}) {
        Chart2D1->SetTextBlockForeColor(t, kSchwarz);
        Chart2D1->SetTextBlockBorder(t, platform::kBorderFramed1);
    }
    Chart2D1->SetTextBlockBackColor(platform::ChartText::Header, chartFarbeBeimLaden_);
    Chart2D1->SetRepaintSuspended(false);

    SetzeMenuesFuerCode();

    GestaltungLink& dlg = Gestaltung();
    dlg.PresetsForNewDiagram();
    MaleFarbfeld(cmdFarbVorwahl, FarbVorwahl);
    dlg.chkLegTransparent_Click();

    Chart2D1->SetChartAreaForeColor(ColAxis);
    Chart2D1->SetTextBlockForeColor(platform::ChartText::Header, ColHeaderFore);
    Chart2D1->SetTextBlockBackColor(platform::ChartText::Header, ColHeaderBack);

    const bool enzym = aktModell == 10;
    if (QAction* a = Aktion("mnuHalbA")) a->setText(enzym ? "Halbwertszeit E" : "Halbwertszeit A");
    if (QAction* a = Aktion("mnuHalbB")) a->setText(enzym ? "Halbwertszeit S" : "Halbwertszeit B");

    SetAxesRange();
    const std::array<float, 5> bereich = {0, DiagRec.xMin, DiagRec.xMax, DiagRec.yMin, DiagRec.yMax};
    for (int i = 1; i <= 4; ++i) {
        dlg.SetCoord(i, platform::CStrSingle(bereich[i]));
        dlg.SetTabcoord(i, platform::CStrSingle(bereich[i]));
    }
    dlg.cmdCoord_OK_Click();
    dlg.WaehleScaling(0);

    SetKurvenMaske(aktDiagrammCode);
    Aktivieren("mnuAddPunkte", nMesspunkte != 0);

    ErsteZeichnung();
    SetzeFarben();

    KurvenPunkte.assign(2001, XYPunkt{});

    // The blood-alcohol window offers "add to the open diagram" while a diagram is open.
    if (IsFormLoaded("frmBlutalkohol")) platform::Forms().SetEnabled("frmBlutalkohol", "chkDelDiagram", -1, true);
    WaitCursorOff();
}

void frmTGraph2D::SetzeGeometrie() {
    const auto g = StartGeometrie(DiagRec.SonderFenster, DiagVariante, platform::ScreenWidthTwips(),
                                  platform::ScreenHeightTwips());
    // Until the window sits in its frame, size the widget itself; showEvent places the frame.
    resize(std::max(Px(g[2]), 200), std::max(Px(g[3]), 150));
    geometrieGesetzt_ = false;
}

void frmTGraph2D::RichteKurvenGruppeEin() {
    GestaltungLink& dlg = Gestaltung();
    Chart2D1->SetSeriesCount(kGruppeKurven, kSerienKurven);
    Chart2D1->SetSymbolSize(kGruppeKurven, kRahmenSerie, 1);
    for (int k = 0; k <= kMaxKurven; ++k) {
        if (QAction* a = Aktion(platform::ControlName("mnuSubDelKurv", k))) {
            a->setVisible(true);
            a->setEnabled(false);
        }
    }
    Aktivieren("mnuDelKurv", false);
    for (int k = 1; k <= kMaxKurven; ++k) {
        Chart2D1->SetPointCount(kGruppeKurven, k, 0);
        Chart2D1->SetDisplay(kGruppeKurven, k + 15, platform::kSeriesHidden);
        Chart2D1->SetLegendText(kGruppeKurven, k, "");
        dlg.SetKurvenFarbe(k, FarbVorwahl);
        dlg.SetLinienbreite(k, "1");
        dlg.SetKurvenStilListe(k, kStandardLinienStil);
        dlg.SetKurvenTab(k, false, "");
        Chart2D1->SetLineColor(kGruppeKurven, k, FarbVorwahl);
        Chart2D1->SetSymbolColor(kGruppeKurven, k, FarbVorwahl);
        Chart2D1->SetSymbolSize(kGruppeKurven, k, 1);
        Chart2D1->SetSymbolShape(kGruppeKurven, k, platform::kSymbolNone);
        Chart2D1->SetLinePattern(kGruppeKurven, k, platform::kLineSolid);
        KurveFrei[k] = kTrue;
    }
}

void frmTGraph2D::RichtePunktGruppeEin() {
    GestaltungLink& dlg = Gestaltung();
    Chart2D1->SetSeriesCount(kGruppePunkte, kSerienPunkte);
    for (int k = 1; k <= kMaxPunktsaetze; ++k) {
        PunktsatzFrei[k] = kTrue;
        if (QAction* a = Aktion(platform::ControlName("mnuSubDelPoints", k))) {
            a->setVisible(true);
            a->setEnabled(false);
        }
        Chart2D1->SetPointCount(kGruppePunkte, k, 0);
        Chart2D1->SetLegendText(kGruppePunkte, k, "");
        dlg.SetPunkteTab(k, false, "");
        Chart2D1->SetLinePattern(kGruppePunkte, k, platform::kLineNone);
        Chart2D1->SetSymbolSize(kGruppePunkte, k, 7);
        Chart2D1->SetSymbolShape(kGruppePunkte, k, kPunktSymbol[static_cast<std::size_t>(k - 1)]);
        dlg.SetPunktStilListe(k, k - 1, "7");
        dlg.SetPunktFarbe(k, FarbVorwahl);
    }
    if (QAction* a = Aktion(platform::ControlName("mnuSubDelPoints", 0))) {
        a->setVisible(true);
        a->setEnabled(false);
    }
}

void frmTGraph2D::RichteLabelsEin(bool schmal) {
    GestaltungLink& dlg = Gestaltung();
    Chart2D1->RemoveAllLabels();
    for (int k = 1; k <= Chart2D::kMaxLabels; ++k) {
        const int l = Chart2D1->AddLabel();
        if (k <= kMaxKurven) {
            // Curve labels: the slot number, black on white, attached to the slot's series.
            Chart2D1->SetLabelAttachSeries(l, kGruppeKurven, k, 1);
            Chart2D1->SetLabelOffset(l, 10);
            Chart2D1->SetLabelText(l, Nr(k));
            Chart2D1->SetLabelForeColor(l, kSchwarz);
            Chart2D1->SetLabelBackColor(l, kWeiss);
            Chart2D1->SetLabelFont(l, Arial(schmal ? 9 : 10));
            Chart2D1->SetLabelBorder(l, platform::kBorderNone);
            Chart2D1->SetLabelShown(l, false);
            dlg.SetTxtLabel(k, Nr(k));
            dlg.SetEinzelLabelSichtbar(k, true);
        } else if (k > kRahmenSerie) {
            // Mark texts.
            Chart2D1->SetLabelAttachData(l, 0, 0);
            Chart2D1->SetLabelOffset(l, 3);
            Chart2D1->SetLabelForeColor(l, kHellrot);
            Chart2D1->SetLabelFont(l, Arial(schmal ? 9 : 11, true, true));
            Chart2D1->SetLabelBorder(l, platform::kBorderNone);
            Chart2D1->SetLabelShown(l, false);
        }
    }
}

void frmTGraph2D::SetzeMenuesFuerCode() {
    for (const char* m : {"mnuDelLabels", "mnuDelHalbAB", "mnuDelLegend", "mnuDelLegendZeile", "mnuHalbA", "mnuHalbB"})
        Aktivieren(m, false);
    const int c = aktDiagrammCode;
    const bool halbA = (c >= -8 && c <= -5) || (c >= 1 && c <= 20) || (c >= 51 && c <= 70);
    static const int kHalbB[] = {-8, 4, 7, 9, 10, 12, 13, 17, 19, 54, 57, 59, 60, 62, 63, 67, 68, 69};
    bool halbB = false;
    for (int b : kHalbB) halbB = halbB || b == c;
    const bool reaktor = ContiAktiv || KaskadeAktiv;
    Aktivieren("mnuHalbA", halbA && !reaktor);
    Aktivieren("mnuHalbB", halbB && !reaktor);
}

bool frmTGraph2D::ZeigeExperPunkte() {
    Aktivieren("mnuDelPoints", true);
    bool drinnen = false;
    zeigeExperPunkte(drinnen);
    return drinnen;
}

void frmTGraph2D::ErsteZeichnung() {
    const int c = aktDiagrammCode;
    if (c == -1 || c == -2 || c == -9 || c == -15) {
        if (!ZeigeExperPunkte() && aktModell != BAKModellCode)
            platform::MsgBox("Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms." +
                                 CrLf + "Vergrößern Sie den Koordinatenbereich.",
                             platform::MsgExclamation, "Warnung");
        return;
    }
    cmdDraw_Click();
    if (c > 0 && nMesspunkte > 0 && MitPunkten) {
        if (!ZeigeExperPunkte())
            platform::MsgBox("Alle experimentellen Punkte befinden sich außerhalb des Koordinatenbereichs des Diagramms" +
                                 CrLf + "Prüfen Sie, ob die geladenen exper. Punkte zu diesem" + CrLf +
                                 "Diagramm passen bzw. vergrößern Sie den Koordinatenbereich.",
                             platform::MsgExclamation, "Warnung");
    }
}

void frmTGraph2D::SetzeFarben() {
    GestaltungLink& dlg = Gestaltung();
    if (ErsterDiagrammStart) {
        Chart2D1->SetPlotAreaBackColor(Chart2D::Rgb(251, 251, 251));
        ColPlotArea = 0xFBFBFB;
        ColOuterMargin = ColInnerMargin = ColSheetFore = ColLegendBack = ColHeaderBack = kWeiss;
        ColLegendFore = ColAxis = ColHeaderFore = kSchwarz;
        Chart2D1->SetTextBlockBackColor(platform::ChartText::Header, ColHeaderBack);
        Chart2D1->SetLegendBackColor(ColLegendBack);
        Chart2D1->SetLegendForeColor(ColLegendFore);
        dlg.SetRandFarben(kWeiss, kWeiss, Chart2D::Rgb(240, 240, 240));
        ErsterDiagrammStart = kFalse;
        return;
    }
    dlg.SetRandFarben(ColInnerMargin, ColOuterMargin, ColPlotArea);
    Chart2D1->SetPlotAreaBackColor(ColPlotArea);
    Chart2D1->SetChartBackColor(ColOuterMargin);
    Chart2D1->SetTextBlockForeColor(platform::ChartText::Footer, ColGrid);
    Chart2D1->SetTextBlockBackColor(platform::ChartText::Footer, ColOuterMargin);
    Chart2D1->SetChartAreaForeColor(ColAxis);
    Chart2D1->SetTextBlockBackColor(platform::ChartText::Header, ColHeaderBack);
    Chart2D1->SetTextBlockForeColor(platform::ChartText::Header, ColHeaderFore);
    Chart2D1->SetChartAreaBackColor(ColInnerMargin);
    Chart2D1->SetGridColor(ChartAxis::X, ColGrid);
    Chart2D1->SetGridColor(ChartAxis::Y, ColGrid);
    Chart2D1->SetLegendForeColor(ColLegendFore);
    Chart2D1->SetLegendBackColor(ColLegendBack);
}

// ---------------------------------------------------------------------------------------------
// Geometry and range

void frmTGraph2D::SetAxesRange() {
    Chart2D1->SetRepaintSuspended(true);
    const double x0 = DiagRec.xMin, x1 = DiagRec.xMax, y0 = DiagRec.yMin, y1 = DiagRec.yMax;
    Chart2D1->SetAxisRange(ChartAxis::X, x0, x1);
    Chart2D1->SetAxisRange(ChartAxis::Y, y0, y1);
    Chart2D1->SetAxisRange(ChartAxis::Y2, y0, y1);
    Chart2D1->SetDataBatched(kGruppeKurven, true);
    Chart2D1->SetPointCount(kGruppeKurven, kRahmenSerie, 2);
    Chart2D1->SetDisplay(kGruppeKurven, kRahmenSerie, platform::kSeriesHidden);
    Chart2D1->SetPoint(kGruppeKurven, kRahmenSerie, 1, x0, y0);
    Chart2D1->SetPoint(kGruppeKurven, kRahmenSerie, 2, x1, y1);
    Chart2D1->SetDataBatched(kGruppeKurven, false);
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::Form_Resize() {
    if (!client_) return;
    const int menuH = menuBar_->heightForWidth(width());
    menuBar_->setGeometry(0, 0, width(), menuH);
    // A result text longer than the window is wide takes further lines of the status bar.
    const int statusH = std::max(20, statusSimple_->isHidden() ? 0 : statusSimple_->heightForWidth(width() - 4) + 2);
    StatusBar2->setGeometry(0, height() - statusH, width(), statusH);
    statusSimple_->setGeometry(2, 1, width() - 4, statusH - 2);
    // Panel 1 holds the curve number; panel 2, the parameter line of a curve, takes the rest.
    const int panel1 = statusPanel_[1]->fontMetrics().horizontalAdvance(QStringLiteral("   K.24  ")) + 8;
    statusPanel_[1]->setGeometry(30, 1, panel1, statusH - 2);
    statusPanel_[2]->setGeometry(32 + panel1, 1, std::max(0, width() - 34 - panel1), statusH - 2);
    client_->setGeometry(0, menuH, width(), std::max(0, height() - menuH - statusH));

    Chart2D1->SetRepaintSuspended(true);
    LegeAuslesungAn();
    txtFarbeStatusbar2->setGeometry(2, StatusBar2->y() + Px(40) + 1, 24, Px(20) + 12);
    txtFarbeStatusbar2->clear();

    // Sizes in twips of the area below the button row, status bar included.
    const ChartLayout l = BerechneChartLayout(platform::PixelsToTwips(client_->width()),
                                              platform::PixelsToTwips(client_->height() + statusH) - kChartOben,
                                              platform::PixelsToTwips(statusH));
    Chart2D1->SetPlacement(0, Px(kChartOben), Px(l.breite), Px(l.hoehe));
    if (l.breiteGesetzt) {
        // The plot ends where the chart area of the given width ends; the legend stands beside it.
        const int legendeLinks = Chart2D1->ChartAreaLeft() + l.flaecheBreitePx;
        Chart2D1->SetLegendLocation(legendeLinks, Chart2D1->LegendTop());
        Chart2D1->SetPlotMargin(platform::MarginSide::Right,
                                std::max(0, Chart2D1->ChartAreaWidth() - l.flaecheBreitePx + 5));
    }
    if (l.hoeheGesetzt) Chart2D1->SetLegendLocation(Chart2D1->LegendLeft(), l.legendeObenPx);
    Gestaltung().SetLegendPosition(Chart2D1->LegendLeft(), Chart2D1->LegendTop());
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::LegeAuslesungAn() {
    if (!client_) return;
    const int hoehe = lblMausPosX->fontMetrics().height();
    const int zeile = client_->height() - hoehe;
    // Each label keeps the width of a value with seven digits at least, so the row stays put
    // while the pointer moves; a longer text widens its label.
    const int wertBreite = lblMausPosX->fontMetrics().horizontalAdvance(QStringLiteral(" Y = 8.888888")) + 6;
    int breite = 0;
    for (QLabel* l : {lblMausPosNr, lblMausPosX, lblMausPosY, lblMausPosZ}) {
        const int mindestens = l == lblMausPosNr ? 56 : wertBreite;
        l->resize(std::max(mindestens, l->fontMetrics().horizontalAdvance(l->text()) + 6), hoehe);
        if (!l->isHidden()) breite += l->width() + 1;
    }
    // The identifier's place stays free in the hints, which start where the coordinates do.
    if (lblMausPosNr->isHidden()) breite += lblMausPosNr->width() + 1;
    int links = std::min(Px(kMausPosLinks), std::max(0, client_->width() - breite));
    lblMausPosNr->move(links, zeile);
    // The colour swatch stands in the right part of the identifier label.
    lblMausPosCol->setGeometry(lblMausPosNr->x() + lblMausPosNr->width() - 18, zeile + 1, 16, hoehe - 2);
    links += lblMausPosNr->width() + 1;
    for (QLabel* l : {lblMausPosX, lblMausPosY, lblMausPosZ}) {
        l->move(links, zeile);
        links += l->width() + 1;
    }
}

void frmTGraph2D::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmTGraph2D::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!geometrieGesetzt_) {
        geometrieGesetzt_ = true;
        const auto g = StartGeometrie(DiagRec.SonderFenster, DiagVariante, platform::ScreenWidthTwips(),
                                      platform::ScreenHeightTwips());
        QWidget* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
        int breite = std::max(Px(g[2]), 200);
        // On a screen too narrow for the window at its place it gives up width rather than its place
        // (beside the calculation window), as long as its button row still fits; otherwise the main
        // window moves it back into view.
        const int rand = rahmen->width() - width();
        const int raum = rahmen != this && rahmen->parentWidget() ? rahmen->parentWidget()->width() - Px(g[1]) : breite;
        if (raum < breite && raum >= cmdSingleCalc->geometry().right() + 4 + rand) breite = raum;
        rahmen->setGeometry(Px(g[1]), Px(g[0]), breite, std::max(Px(g[3]), 150));
    }
    Form_Activate();
}

bool frmTGraph2D::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    // A menu entry shown or hidden may change the rows of the menu bar, and with them the chart's room.
    if (event->type() == QEvent::LayoutRequest && menuBar_ && menuBar_->height() != menuBar_->heightForWidth(width()))
        Form_Resize();
    return QWidget::event(event);
}

void frmTGraph2D::Form_Activate() {
    Aktivieren("mnuAddPunkte", nMesspunkte != 0 && aktDiagrammCode <= 50);
    const int c = aktDiagrammCode;
    cmdSingleCalc->setEnabled(!KaskadeAktiv && !ContiAktiv && c > 0 && c < 112 && c != 110 &&
                              platform::Windows().IsRegistered("frmTGraphCalc"));
    // Point-set tabs of the sets that hold points (tab 6 is the one of point set 7).
    GestaltungLink& dlg = Gestaltung();
    if (kTDiagramm || rcSDiagramm) {
        dlg.SetPunkteTabAn(7, true);
    } else {
        for (int i = 1; i <= 5; ++i) {
            const bool maskiert = i <= static_cast<int>(KurvenMaske.size()) && KurvenMaske[i - 1] == '1';
            if (maskiert && DatenSpalte[i] && Chart2D1->PointCount(kGruppePunkte, i) > 0) dlg.SetPunkteTabAn(i, true);
        }
    }
    dlg.SetPunkteTabAn(7, Chart2D1->PointCount(kGruppePunkte, 7) > 0);
}

void frmTGraph2D::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
    cancel = 0;
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    platform::Windows().Unload("frmTGraphCalc");
    const QWidget* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    const QRect r = rahmen->geometry();
    const std::array<int, 4> g = {platform::PixelsToTwips(r.top()), platform::PixelsToTwips(r.left()),
                                  platform::PixelsToTwips(r.width()), platform::PixelsToTwips(r.height())};
    if (DiagRec.SonderFenster)
        GeoGraph2DXY = g;
    else
        GeoGraph2D = g;
    DiagRec.SonderFenster = false;
    nKurven = 0;
}

void frmTGraph2D::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    // Form_Unload: the design references go with the window.
    if (gDiagramm == this) gDiagramm = nullptr;
    SetGestaltung(nullptr);
    if (auto* dialog = dynamic_cast<GestaltungLink*>(platform::Windows().Get("frmTGraph2D_Gestaltung")))
        dialog->DiagrammGeschlossen();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// Drawing

void frmTGraph2D::SetStatusStil(bool einfach) {
    statusEinfach_ = einfach;
    statusSimple_->setVisible(einfach);
    statusPanel_[1]->setVisible(!einfach);
    statusPanel_[2]->setVisible(!einfach);
    txtFarbeStatusbar2->setVisible(!einfach);
    Form_Resize();
}

void frmTGraph2D::SetStatusText(const std::string& text) {
    statusSimple_->setText(QString::fromStdString(text));
    Form_Resize();
}
std::string frmTGraph2D::StatusText() const { return statusSimple_->text().toStdString(); }
void frmTGraph2D::SetStatusPanel(int panel, const std::string& text) {
    statusPanel_[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
}
std::string frmTGraph2D::StatusPanel(int panel) const {
    return statusPanel_[static_cast<std::size_t>(panel)]->text().toStdString();
}

namespace {

// Parameters of the blood-alcohol curve for the status bar.
std::string BlutalkoholParameter() {
    std::string p;
    if (BAKr == 0.7f) p = "Parameter: Mann,  ";
    if (BAKr == 0.6f) p = "Parameter: Frau,  ";
    p += "m/kg=" + platform::CStrSingle(BAKKoerpermasse);
    p += BAKUnitGL ? ", [BAK]=g/L" : ", [BAK]=g/kg";
    p += ", RD/%=" + std::to_string(BAKRD);
    if (!BAKKeinAbbau) p += ", beta60/(g/(L h))= " + platform::CStrSingle(BAKbeta60) + " ";
    return p;
}

long PunktZahl(const std::vector<XYPunkt>& punkte) {
    if (punkte.empty() || !std::isfinite(punkte[0].x)) return 0;
    const long n = std::lround(punkte[0].x);
    return std::clamp(n, 0L, static_cast<long>(punkte.size()) - 1);
}

}  // namespace

void frmTGraph2D::cmdDraw_Click() {
    if (ZeichnenOffen <= 0) return;
    GestaltungLink& dlg = Gestaltung();
    dlg.DeleteAllDesignFrames();
    Aktivieren("mnuDelKurv", true);
    Aktivieren(platform::ControlName("mnuSubDelKurv", 0), true);
    CalcCurveFehler = kFalse;
    int ausserhalb = kTrue;
    bool ersteKurve = true;
    bool gezeichnet = false;

    std::string parameter;
    if (aktModell < 21) {
        SetStatusStil(true);
    } else if (aktModell == BAKModellCode) {
        SetStatusStil(false);
        parameter = BlutalkoholParameter();
    } else {
        SetStatusStil(false);
        parameter = "  ";
    }

    WaitCursorOn();
    const int code = aktDiagrammCode;
    while (ZeichnenOffen > 0) {
        const int vorher = aktKurve;
        int slot = aktKurve;
        int failed = kFalse;
        NewCurveSlot(slot, failed);
        if (failed) break;

        KurvenRechnung rechnung;
        rechnung.rasterSchritte = rasterSchritte_;
        if (code > 0 || (code <= -3 && code != -9)) {
            SetStatusText("");
            CalcCurve(code, slot, KurvenPunkte, regAchsenabschnitt_, regSteigung_, regBestimmtheit_, GrafMeldung,
                      ausserhalb, CalcCurveFehler, rechnung);
        }
        if (!CalcCurveFehler && !PunkteEndlich(KurvenPunkte)) {
            CalcCurveFehler = kTrue;
            GrafMeldung = ErrorDescription(ErrorKind::Overflow) + CrLf + "Message from cmdDraw";
        }
        if (!CalcCurveFehler && RohrAktiv && !SkaliereX(KurvenPunkte, RohrV, GrafMeldung)) CalcCurveFehler = kTrue;
        // A failed curve is not drawn: its list counts as empty.
        const long n = CalcCurveFehler ? 0 : PunktZahl(KurvenPunkte);
        if (n == 0) {
            // An empty list draws nothing: the slot goes back, the curves drawn stay as they are.
            KurvenSlotZurueckgeben(slot, vorher);
        } else {
            dlg.SetTxtLegend(slot, "K." + Nr(slot) + "  ");
            SetStatusPanel(1, "   K." + Nr(slot) + "  ");
        }
        if (!rechnung.laufBeendet) --ZeichnenOffen;

        if (n > 0 && RohrAktiv && ersteKurve && !RohrBereichUebernehmen(code)) {
            KurvenSlotZurueckgeben(slot, vorher);
            CalcCurveFehler = kTrue;
            GrafMeldung = ErrorDescription(ErrorKind::Overflow) + CrLf + "Message from cmdDraw";
        }
        if (CalcCurveFehler) {
            WaitCursorOff();
            platform::MsgBox("Es ist ein kritischer Fehler aufgetreten:" + CrLf + GrafMeldung, platform::MsgCritical,
                             "ABBRUCH");
            return;
        }
        if (n == 0) continue;

        ZeigeKurve(slot, rechnung.label);
        KurvenFarbe[static_cast<std::size_t>(slot)] = FarbVorwahl;
        ersteKurve = false;
        gezeichnet = true;
    }

    if (gezeichnet && ausserhalb)
        platform::MsgBox("Kurve außerhalb des aktuellen Koordinatenfensters" + CrLf + CrLf +
                             "Vergrößern Sie den Koordinatenbereich.",
                         platform::MsgExclamation, "WARNUNG");
    SchliesseStatusAb(parameter);
    WaitCursorOff();
}

bool frmTGraph2D::RohrBereichUebernehmen(int code) {
    // The x values are tube lengths now; the range follows once per run and is remembered.
    const double xMax = static_cast<double>(DiagRec.xMax) * RohrV;
    if (!std::isfinite(xMax) || std::fabs(xMax) > FLT_MAX) return false;
    DiagRec.xMax = static_cast<float>(xMax);
    SetGrafLimits(code, AchsenGrenzen, DiagRec);
    Gestaltung().SetCoord(2, platform::CStrSingle(DiagRec.xMax));
    SetAxesRange();
    return true;
}

void frmTGraph2D::ZeigeKurve(int slot, const std::optional<std::string>& label) {
    const int index = LabelPunktIndex(KurvenPunkte, DiagRec.xMax, slot);
    // Indexes below 1 are refused: the label stays where it was.
    if (index >= 1) Chart2D1->SetLabelAttachSeries(slot, kGruppeKurven, slot, index);
    if (label) {
        Chart2D1->SetLabelText(slot, *label);
        Gestaltung().SetTxtLabel(slot, *label);
    }
    int unbenutzt = 0;
    PlotCurveData(slot, KurvenPunkte, unbenutzt);
    // The label's scroll bar spans the points now drawn.
    Gestaltung().SetLabelVerschiebung(slot, index);
    if (Chart2D1->LabelShown(slot)) Aktivieren("mnuDelLabels", true);
}

void frmTGraph2D::SchliesseStatusAb(const std::string& parameter) {
    txtFarbeStatusbar2->clear();
    if (parameter.empty()) {
        SetStatusPanel(1, "   K." + Nr(aktKurve) + " ");
    } else {
        SetStatusPanel(1, "   K." + Nr(aktKurve));
        SetStatusPanel(2, " " + parameter);
    }
    const auto a = static_cast<std::size_t>(std::clamp(aktKurve, 0, kMaxKurven));
    KurvenInfo1[a] = StatusPanel(1);
    KurvenInfo2[a] = StatusPanel(2);
    KurvenFarbe[a] = FarbVorwahl;
}

void frmTGraph2D::NewCurveSlot(int& slot, int& failed) {
    KurvenSlotBelegen(slot, failed);
    if (failed) return;
    Aktivieren("mnuDelKurv", true);
    Aktivieren(platform::ControlName("mnuSubDelKurv", 0), true);
    Aktivieren(platform::ControlName("mnuSubDelKurv", slot), true);
}

void frmTGraph2D::PlotCurveData(int slot, const std::vector<XYPunkt>& punkte, int& /*unused*/) {
    const long n = PunktZahl(punkte);
    Chart2D1->SetRepaintSuspended(true);
    Chart2D1->SetDataBatched(kGruppeKurven, true);
    Chart2D1->SetLineColor(kGruppeKurven, slot, FarbVorwahl);
    Chart2D1->SetDisplay(kGruppeKurven, slot, platform::kSeriesShown);
    std::vector<double> x(static_cast<std::size_t>(n)), y(static_cast<std::size_t>(n));
    for (long i = 1; i <= n; ++i) {
        // A value that is not finite never reaches the chart: it becomes a gap.
        const XYPunkt& p = punkte[static_cast<std::size_t>(i)];
        x[static_cast<std::size_t>(i - 1)] = std::isfinite(p.x) ? p.x : platform::kChartHole;
        y[static_cast<std::size_t>(i - 1)] = std::isfinite(p.y) ? p.y : platform::kChartHole;
    }
    Chart2D1->SetSeriesData(kGruppeKurven, slot, x, y);
    Chart2D1->SetDataBatched(kGruppeKurven, false);
    Chart2D1->SetLabelShown(slot, true);
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::DeleteCurves(int& nr) {
    GestaltungLink& dlg = Gestaltung();
    if (nr != 0 && (nr < 1 || nr > kMaxKurven || KurveFrei[static_cast<std::size_t>(nr)])) return;
    dlg.FormGST_Hide(true);
    Chart2D1->SetRepaintSuspended(true);
    Chart2D1->SetDataBatched(kGruppeKurven, true);
    if (nr != 0) {
        KurvenSlotFreigeben(nr);
        dlg.SetKurvenTab(nr, false, "");
        if (nKurven == 0) {
            dlg.FormGST_Hide(true);
            Aktivieren("mnuDelKurv", false);
            Aktivieren("mnuDelLabels", false);
        }
        Chart2D1->SetPointCount(kGruppeKurven, nr, 0);
        Chart2D1->SetDisplay(kGruppeKurven, nr, platform::kSeriesHidden);
        Aktivieren(platform::ControlName("mnuSubDelKurv", nr), false);
        Chart2D1->SetLabelText(nr, Nr(nr));
    } else {
        AlleKurvenSlotsFreigeben();
        Aktivieren("mnuDelKurv", false);
        Aktivieren("mnuDelLabels", false);
        for (int i = 1; i <= kMaxKurven; ++i) {
            Chart2D1->SetPointCount(kGruppeKurven, i, 0);
            Chart2D1->SetDisplay(kGruppeKurven, i, platform::kSeriesEmptied);
            Chart2D1->SetLabelText(i, Nr(i));
            Aktivieren(platform::ControlName("mnuSubDelKurv", i), false);
        }
    }
    Chart2D1->SetDataBatched(kGruppeKurven, false);
    Chart2D1->SetRepaintSuspended(false);
}

void frmTGraph2D::mnuSubDelKurv_Click(int index) { DeleteCurves(index); }

void frmTGraph2D::ZeigeLegende(bool on) { Chart2D1->SetLegendShown(on); }

// ---------------------------------------------------------------------------------------------
// Small commands

void frmTGraph2D::cmdFarbVorwahl_Click() {
    farbDialogFarbe_ = FarbDialogFunktion()(farbDialogFarbe_);
    FarbVorwahl = farbDialogFarbe_;
    MaleFarbfeld(cmdFarbVorwahl, FarbVorwahl);
}

void frmTGraph2D::Label49_Click() { cmdFarbVorwahl_Click(); }

void frmTGraph2D::mnuHaupt_Click() { platform::Windows().Show("frmPhantomT"); }

void frmTGraph2D::mnuManuXY_Click() {
    platform::Windows().Unload("frmXYEdit");
    platform::Windows().Show("frmXYEdit");
}

void frmTGraph2D::cmdEscGraph_Click() {
    platform::Windows().UnloadOrClose(kName, this);
}

bool frmTGraph2D::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label49 && event->type() == QEvent::MouseButtonRelease) {
        Label49_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace diagram
