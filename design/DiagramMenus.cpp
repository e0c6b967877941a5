#include "design/DiagramMenus.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>

#include "design/DesignDialogs.h"
#include "design/GestaltungIntern.h"
#include "design/frmTGraph2D_Gestaltung.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/Chart2D.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"

namespace design {

using namespace kernel;
using diagram::frmTGraph2D;
using platform::Chart2D;
using platform::ChartText;

namespace {

constexpr int kKurven = 1;
constexpr int kPunkte = 2;

QString U(const char* text) { return QString::fromUtf8(text); }

frmTGraph2D_Gestaltung& Dialog() {
    if (auto* d = frmTGraph2D_Gestaltung::Geladen()) return *d;
    return *qobject_cast<frmTGraph2D_Gestaltung*>(platform::Windows().Load("frmTGraph2D_Gestaltung"));
}

QAction* Eintrag(QWidget* f, const std::string& name) { return f->findChild<QAction*>(QString::fromStdString(name)); }

void Aktiv(QWidget* f, const std::string& name, bool an) {
    if (QAction* a = Eintrag(f, name)) a->setEnabled(an);
}

// Reading a curve's line pattern back into the style list.
int StilIndexVonMuster(int muster) {
    switch (muster) {
    case 1: case 5: case 6: return 0;
    case 2: return 1;
    case 3: return 3;
    case 4: return 2;
    case 7: return 4;
    default: return -1;
    }
}

// Makes a tab current and scrolls the tab bar to it (also when it was current already: the bar may
// have scrolled away while tabs were switched off).
void ZeigeTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    bar->adjustSize();
    for (int i = 0; i < tabs->count(); ++i) {
        if (i != index && tabs->isTabVisible(i)) {
            const QSignalBlocker b(tabs);
            tabs->setCurrentIndex(i);
            break;
        }
    }
    tabs->setCurrentIndex(index);
}

// True when no curve and no point set carries a legend text.
bool KeineLegendenTexte(frmTGraph2D& f) {
    std::string alle;
    for (int k = 1; k <= kMaxKurven; ++k) alle += f.Chart()->LegendText(kKurven, k);
    for (int k = 1; k <= kMaxPunktsaetze; ++k) alle += Dialog().TxtLegPoints(k);
    return alle.empty();
}

void VersteckeDialog() {
    frmTGraph2D_Gestaltung& d = Dialog();
    d.FormGST_Hide(true);
    d.DeleteAllDesignFrames();
}

void Beschriftungen(frmTGraph2D& f, bool an) {
    Aktiv(&f, an ? "mnuAddLabels" : "mnuDelLabels", false);
    Aktiv(&f, an ? "mnuDelLabels" : "mnuAddLabels", true);
    Chart2D* c = f.Chart();
    c->SetRepaintSuspended(true);
    for (int i = 1; i <= kMaxKurven; ++i) {
        c->SetLabelShown(i, an);
        Dialog().chkEinzelLabelSichtbar[static_cast<std::size_t>(i)]->setChecked(an);
    }
    c->SetRepaintSuspended(false);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// "&Gestalten..."

void mnuDesign_Click(frmTGraph2D& f) {
    VersteckeDialog();
    Aktiv(&f, "mnuKurvenDesign", nKurven >= 1);
    Aktiv(&f, "mnuPunktDesign", false);
    if (kTDiagramm) {
        Aktiv(&f, "mnuPunktDesign", nkTPunkte >= 2);
    } else if (rcSDiagramm) {
        Aktiv(&f, "mnuPunktDesign", true);
    } else {
        for (int k = 1; k <= kMaxPunktsaetze; ++k) {
            if (f.Chart()->PointCount(kPunkte, k) >= 1) {
                Aktiv(&f, "mnuPunktDesign", true);
                ZeigeTab(Dialog().tabPunkte, k - 1);
                break;
            }
        }
    }
}

void mnuDesignMore_Click(frmTGraph2D& /*f*/) {
    frmTGraph2D_Gestaltung& d = Dialog();
    d.FormGST_Show(1);
    d.cmdTabs_OK->setShortcut(QKeySequence(Qt::Key_Escape));
    // The spacing fields are offered while the spacing is manual.
    const bool manuell = d.optScaling[1]->isChecked();
    for (QLineEdit* e : d.spacingFeld) e->setEnabled(manuell);
}

void mnuKurvenDesign_Click(frmTGraph2D& f) {
    frmTGraph2D_Gestaltung& d = Dialog();
    VersteckeDialog();
    Chart2D* c = f.Chart();
    c->SetRepaintSuspended(true);
    int erster = 0;
    for (int k = 1; k <= kMaxKurven; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (KurveFrei[i]) {
            d.tabKurven->setTabVisible(k - 1, false);
            MaleSwatch(d.cmdKurvenFarbe[i], FarbVorwahl);
            continue;
        }
        if (erster == 0) erster = k;
        d.tabKurven->setTabVisible(k - 1, true);
        MaleSwatch(d.cmdKurvenFarbe[i], c->LineColor(kKurven, k));
        d.tabKurven->setTabText(k - 1, "K. " + QString::number(k));
        const int stil = StilIndexVonMuster(c->LinePattern(kKurven, k));
        if (stil >= 0) d.cmbKStil[i]->setCurrentIndex(stil);
    }
    c->SetRepaintSuspended(false);
    d.FormGST_Show(2);
    if (erster > 0) ZeigeTab(d.tabKurven, erster - 1);
    d.panel[2]->move(0, d.panel[2]->y());
    d.cmdKurven_OK->setShortcut(QKeySequence(Qt::Key_Escape));
}

void mnuPunktDesign_Click(frmTGraph2D& f) {
    frmTGraph2D_Gestaltung& d = Dialog();
    d.FormGST_Hide(true);
    Chart2D* c = f.Chart();
    c->SetRepaintSuspended(true);
    for (int k = 1; k <= kMaxPunktsaetze; ++k)
        MaleSwatch(d.cmdPunktFarbe[static_cast<std::size_t>(k)],
                   c->PointCount(kPunkte, k) >= 1 ? c->SymbolColor(kPunkte, k) : FarbVorwahl);
    c->SetRepaintSuspended(false);
    d.FormGST_Show(3);
    if (nPunktsaetze > 0 && nPunktsaetze <= kMaxPunktsaetze)
        d.SetLblNumPoints(nPunktsaetze, std::to_string(c->PointCount(kPunkte, nPunktsaetze)));
    d.cmdPunkte_OK->setShortcut(QKeySequence(Qt::Key_Escape));
    d.tabPunkte_Click(1);
    f.Form_Activate();
}

void mnuTextDesign_Click(frmTGraph2D& f, int index) {
    GrafAusgabeModus = index;
    frmTGraph2D_Gestaltung& d = Dialog();
    d.Label60->setEnabled(true);
    d.cmdSchriftHFarbe->setEnabled(true);
    d.FormGST_Show(4);
    d.cmdSchriftFertig->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QWidget* w : {static_cast<QWidget*>(d.VScroll1), static_cast<QWidget*>(d.HScroll1),
                       static_cast<QWidget*>(d.fraTextShift), static_cast<QWidget*>(d.chkTextFrame)})
        w->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(d.fraYText), static_cast<QWidget*>(d.fraYZiff),
                       static_cast<QWidget*>(d.optOrientYAxZiff[0]), static_cast<QWidget*>(d.optOrientYAxZiff[1]),
                       static_cast<QWidget*>(d.optOrientYAxText[0]), static_cast<QWidget*>(d.optOrientYAxText[1])})
        w->setEnabled(false);
    if (d.schrift->isVisible()) d.schrift->setFocus();

    Chart2D* c = f.Chart();
    auto zeige = [&d](std::string text, bool trimmen) {
        if (trimmen) text.erase(text.find_last_not_of(' ') + 1);
        QString q = QString::fromStdString(text);
        q.replace("\r\n", "\n").replace('\r', '\n');
        d.schrift->setPlainText(q);
        QTextCursor cur = d.schrift->textCursor();
        cur.movePosition(QTextCursor::End);
        d.schrift->setTextCursor(cur);
    };
    auto block = [&](ChartText t, const char* titel) {
        d.panel[4]->setTitle(U(titel));
        zeige(c->TextBlock(t), true);
        {
            const QSignalBlocker bv(d.VScroll1), bh(d.HScroll1);
            d.VScroll1->setValue(c->TextBlockTop(t));
            d.HScroll1->setValue(c->TextBlockLeft(t));
        }
        const int rahmen = c->TextBlockBorder(t);
        const QSignalBlocker bt(d.chkTextFrame);
        d.chkTextFrame->setChecked(rahmen == 1 || rahmen == 4);
    };
    auto ohneBlock = [&d] {
        for (QWidget* w : {static_cast<QWidget*>(d.Label60), static_cast<QWidget*>(d.cmdSchriftHFarbe),
                           static_cast<QWidget*>(d.VScroll1), static_cast<QWidget*>(d.HScroll1),
                           static_cast<QWidget*>(d.fraTextShift), static_cast<QWidget*>(d.chkTextFrame)})
            w->setEnabled(false);
    };
    switch (index) {
    case 1: block(ChartText::Header, "Kopftext gestalten"); break;
    case 2: block(ChartText::Footer, "Zusatztext gestalten"); break;
    case 3:
        d.panel[4]->setTitle(U("x-Achsenbeschriftung gestalten"));
        zeige(c->AxisTitle(platform::ChartAxis::X), true);
        ohneBlock();
        break;
    case 4:
        d.panel[4]->setTitle(U("y-Achsenbeschriftung gestalten"));
        zeige(c->AxisTitle(platform::ChartAxis::Y), false);
        ohneBlock();
        for (QWidget* w : {static_cast<QWidget*>(d.fraYText), static_cast<QWidget*>(d.fraYZiff),
                           static_cast<QWidget*>(d.optOrientYAxZiff[0]), static_cast<QWidget*>(d.optOrientYAxZiff[1]),
                           static_cast<QWidget*>(d.optOrientYAxText[0]), static_cast<QWidget*>(d.optOrientYAxText[1])})
            w->setEnabled(true);
        break;
    case 5: mnuKurvenDesign_Click(f); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------------
// Legend, labels, extra text

void mnuAddLegend_Click(frmTGraph2D& f) {
    if (KeineLegendenTexte(f)) {
        platform::MsgBox("keine Legendentexte angegeben" + CrLf + CrLf + "==> gestalten Kurve" + CrLf +
                             "==> gestalten Messpunkte",
                         platform::MsgCritical, " Ausführung nicht möglich ");
        return;
    }
    f.Chart()->SetLegendShown(true);
    Aktiv(&f, "mnuDelLegend", true);
    Dialog().chkLegend->setChecked(true);
}

void mnuDelLegend_Click(frmTGraph2D& f) {
    f.Chart()->SetLegendShown(false);
    Dialog().chkLegend->setChecked(false);
}

void mnuDelLegendZeile_Click(frmTGraph2D& /*f*/) {
    platform::MsgBox("Entfernen einer Legendenzeile:" + CrLf + "1. Menü Gestalten/Messpunkte bzw. /Kurve" + CrLf +
                         "2. Auswahl der Nr. von Kurve bzw. Messpunktsatz" + CrLf + "3. Löschen des Legendentextes",
                     platform::MsgInformation, "Hinweis");
}

void mnuAddLabels_Click(frmTGraph2D& f) { Beschriftungen(f, true); }
void mnuDelLabels_Click(frmTGraph2D& f) { Beschriftungen(f, false); }
void mnuAddText_Click(frmTGraph2D& f) { mnuTextDesign_Click(f, 2); }

// ---------------------------------------------------------------------------------------------
// "  &Bild ..." and "&Löschen..."

void mnuBildsenden_Click(frmTGraph2D& /*f*/) { VersteckeDialog(); }

void mnuBild_Click(frmTGraph2D& f, int index) {
    frmTGraph2D_Gestaltung& d = Dialog();
    d.frHinweis->hide();
    d.cmbGraphFormat->clear();
    if (f.Chart()->ChartAreaBackColor() == 0) {
        const std::string text = "Sie haben ein schwarzes Zeichenblatt gewählt.\n\r\n\rWollen Sie das wirklich so drucken?";
        if (platform::MsgBox(text, platform::MsgOkCancel + platform::MsgExclamation, "WARNUNG") == platform::AnswerCancel) return;
    }
    PrintMode = index;
    auto hinweis = [&d](const std::string& text) {
        d.frHinweis->show();
        d.Label33->setText(QString::fromStdString(text));
        d.frPrintScaling->hide();
        d.frPrintPos->hide();
        d.frGraphFormat->show();
    };
    switch (index) {
    case 1:
        hinweis("Testen Sie, ob die Vektor- oder die Bitmap-Kopie für Ihren Fall das bessere Ergebnis liefert." + CrLf);
        d.panel[5]->setTitle(U("zur Zwischenablage"));
        d.cmbGraphFormat->addItems({U("Bitmap-Grafik"), U("Vektor-Grafik")});
        d.cmbGraphFormat->setCurrentIndex(1);
        break;
    case 2:
        hinweis("Für evtl. weitere Bearbeitung eines Diagramms (zusätzl. Texte, Einfärbungen, etc.) => "
                "Open-Source-Progr. Inkscape verwenden" + CrLf +
                " (die MetaFile-Einträge speichern als <Name>.svg, auch wenn .wmf oder .emf eingegeben wird "
                "=> in Inkscape laden und bearbeiten)");
        d.panel[5]->setTitle(U("Bildfile schreiben"));
        d.cmbGraphFormat->addItems({U("Bitmap (.BMP)"), U("MetaFile (.WMF)"), U("erweit. MetaFile (.WMF)"),
                                    U("erweit. MetaFile (.EMF)"), U("Standard-MetaFile (.WMF)")});
        d.cmbGraphFormat->setCurrentIndex(2);
        break;
    case 3:
        d.frPrintScaling->show();
        d.frPrintPos->show();
        d.frGraphFormat->hide();
        d.panel[5]->setTitle(U("Drucken"));
        GraphFormatCode = 1;
        break;
    default: break;
    }
    d.FormGST_Show(5);
    d.cmdPrint_Esc->setShortcut(QKeySequence(Qt::Key_Escape));
    d.cmdPrint->setDefault(true);
}

void mnuDelete_Click(frmTGraph2D& f) {
    VersteckeDialog();
    for (int k = 1; k <= kMaxKurven; ++k) {
        const bool belegt = !KurveFrei[static_cast<std::size_t>(k)];
        Aktiv(&f, platform::ControlName("mnuSubDelKurv", k), belegt);
        if (belegt) Aktiv(&f, platform::ControlName("mnuSubDelKurv", 0), true);
    }
    for (int k = 1; k <= kMaxPunktsaetze; ++k) {
        const bool belegt = f.Chart()->PointCount(kPunkte, k) > 0;
        Aktiv(&f, platform::ControlName("mnuSubDelPoints", k), belegt);
        if (belegt) Aktiv(&f, platform::ControlName("mnuSubDelPoints", 0), true);
    }
}

void mnuDelTotal_Click(frmTGraph2D& f) {
    f.mnuSubDelKurv_Click(0);
    f.mnuSubDelPoints_Click(0);
    f.mnuDelHalbAB_Click();
    Chart2D* c = f.Chart();
    c->SetRepaintSuspended(true);
    c->SetDataBatched(kKurven, true);
    for (int i = 1; i <= kMaxKurven; ++i) c->SetDisplay(kKurven, i + 15, platform::kSeriesHidden);
    for (const char* e : {"mnuDelHalbAB", "mnuDelLabels", "mnuDelLegend", "mnuDelLegendZeile"}) Aktiv(&f, e, false);
    c->SetDataBatched(kKurven, false);
    c->SetRepaintSuspended(false);
}

// ---------------------------------------------------------------------------------------------
// Connecting

void ConnectDiagramMenus(QWidget* fenster) {
    auto* f = qobject_cast<frmTGraph2D*>(fenster);
    if (!f || f->property("designMenues").toBool()) return;
    f->setProperty("designMenues", true);

    auto* leiste = f->findChild<QMenuBar*>("MenuBar");
    auto menueVon = [f](const char* name) -> QMenu* {
        QAction* a = f->findChild<QAction*>(name);
        return a ? a->menu() : nullptr;
    };
    // An entry of the window, or a new one in the given menu when the window has none; either way
    // with the caption these menus give it.
    auto eintrag = [f](QMenu* menu, const std::string& name, const char* text) -> QAction* {
        if (QAction* a = Eintrag(f, name)) {
            a->setText(U(text));
            return a;
        }
        if (!menu) return nullptr;
        QAction* a = menu->addAction(U(text));
        a->setObjectName(QString::fromStdString(name));
        return a;
    };
    auto verbinde = [f](QAction* a, auto handler) {
        if (a) QObject::connect(a, &QAction::triggered, f, [f, handler] { handler(*f); });
    };

    // "&Gestalten..." stands before "&Koordinatenbereich".
    QMenu* gestalten = menueVon("mnuDesign");
    if (!gestalten && leiste) {
        gestalten = new QMenu(U("&Gestalten..."), leiste);
        gestalten->setObjectName("mnuDesignMenu");
        gestalten->menuAction()->setObjectName("mnuDesign");
        leiste->insertMenu(f->findChild<QAction*>("mnuCoord"), gestalten);
    }
    if (gestalten) QObject::connect(gestalten, &QMenu::aboutToShow, f, [f] { mnuDesign_Click(*f); });
    verbinde(eintrag(gestalten, "mnuDesignMore", "Diagramm"), mnuDesignMore_Click);
    verbinde(eintrag(gestalten, "mnuKurvenDesign", "Kurve"), mnuKurvenDesign_Click);
    verbinde(eintrag(gestalten, "mnuPunktDesign", "Punktsatz"), mnuPunktDesign_Click);
    QMenu* txt = menueVon("mnuTxt");
    if (!txt && gestalten) {
        txt = gestalten->addMenu(U("Beschriftungen"));
        txt->setObjectName("mnuTxtMenu");
        txt->menuAction()->setObjectName("mnuTxt");
    }
    const char* texte[] = {"", "Kopftext", "Zusatz-Text", "x-Achsenbeschriftung", "y-Achsenbeschriftung",
                           "Kurvenetikett/Legende"};
    for (int i = 1; i <= 5; ++i) {
        QAction* a = eintrag(txt, platform::ControlName("mnuTextDesign", i), texte[i]);
        if (a) QObject::connect(a, &QAction::triggered, f, [f, i] { mnuTextDesign_Click(*f, i); });
    }

    QMenu* einfuegen = menueVon("mnuMark");
    verbinde(eintrag(einfuegen, "mnuAddLegend", "Legende"), mnuAddLegend_Click);
    verbinde(eintrag(einfuegen, "mnuAddLabels", "alle Kurvenetiketts"), mnuAddLabels_Click);
    verbinde(eintrag(einfuegen, "mnuAddText", "Zusatztext"), mnuAddText_Click);

    QMenu* loeschen = menueVon("mnuDelete");
    if (loeschen) QObject::connect(loeschen, &QMenu::aboutToShow, f, [f] { mnuDelete_Click(*f); });
    verbinde(eintrag(loeschen, "mnuDelTotal", "Alles"), mnuDelTotal_Click);
    verbinde(eintrag(loeschen, "mnuDelLegendZeile", "einzelne Legendenzeilen"), mnuDelLegendZeile_Click);
    verbinde(eintrag(loeschen, "mnuDelLegend", "gesamte Legende"), mnuDelLegend_Click);
    verbinde(eintrag(loeschen, "mnuDelLabels", "alle Kurvenetiketts"), mnuDelLabels_Click);

    QMenu* bild = menueVon("mnuBildsenden");
    if (bild) QObject::connect(bild, &QMenu::aboutToShow, f, [f] { mnuBildsenden_Click(*f); });
    const char* bilder[] = {"", "... zur Zwischenablage", "... als Bildfile speichern (BMP, WMF, EMF)", "... zum Drucker"};
    for (int i = 1; i <= 3; ++i) {
        QAction* a = eintrag(bild, platform::ControlName("mnuBild", i), bilder[i]);
        if (a) QObject::connect(a, &QAction::triggered, f, [f, i] { mnuBild_Click(*f, i); });
    }
}

}  // namespace design
