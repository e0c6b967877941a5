#include "simulation/frmPrepareTimeDiagram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>

#include <exception>

#include "diagram/Grafik.h"
#include "kernel/DataSet.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "kernel/TimeUnits.h"
#include "kernel/Utilities.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/frmSimTabelle.h"

using namespace kernel;
using simulation::PlaceTw;
using simulation::Tw;

namespace {

const char* const kName = "frmPrepareTimeDiagram";
const platform::FormRegistration registration(kName, platform::FormKind::MdiChild,
                                              [] { return new frmPrepareTimeDiagram; });

const char* const kDiagramm = "frmTGraph2D";
const char* const kTitelEingabe = " Ausführung nicht möglich ";
constexpr int kFensterBreite = 6900;        // twips
constexpr int kRechteSpalte = 2700;         // left edge of the time-axis and rate-constant frames
constexpr int kFensterHoehe = 7000;
constexpr int kKnopfRechts = 5700;  // right end of the buttons: the diagram opens 5900 twips from the left
constexpr int kHistorie = 7;                // entries kept in each drop-down list
constexpr float kStandardOrdnung = 1.5f;
constexpr int kHilfeFenster = 7753;
constexpr int kHilfeDiagramme = 5773;

const char* const kOcxHinweis =
    "Falls prinzipiell keine Diagramm-Grafik möglich ist, wurde das 2D-Graphikmodul\r\n"
    "\\...\\olch2x8.ocx bei der Installation nicht ordnungsgemäß registriert.\r\n"
    "Bitte versuchen Sie eine manuelle Registrierung (s. unsere Website).";

QString U(const char* text) { return QString::fromUtf8(text); }

// The boxes hold typed numbers (with a point) or numbers written in the locale's form: the history
// entries of the combo boxes and the x(max) of the Michaelis-Menten diagram.
double ValOf(const QString& text) { return platform::ValLocale(text.toStdString()); }

}  // namespace

frmPrepareTimeDiagram::frmPrepareTimeDiagram(QWidget* parent) : CalcWindow(kName, 16, parent) {
    setWindowTitle(U("Konzentrations-Zeit-Funktionen"));
    resize(Tw(kFensterBreite), Tw(kFensterHoehe));
    BuildControls();
    Form_Load();
}

bool frmPrepareTimeDiagram::IsRegistered() { return platform::Windows().IsRegistered(kName); }

frmPrepareTimeDiagram* frmPrepareTimeDiagram::Loaded() {
    return qobject_cast<frmPrepareTimeDiagram*>(platform::Windows().Get(kName));
}

void frmPrepareTimeDiagram::BuildControls() {
    Rahmen4 = new QGroupBox(U("Vorgabe der Anfangs- "), this);
    Rahmen4->setObjectName("Rahmen4");
    PlaceTw(Rahmen4, 120, 330, 2500, 2150);
    Label1 = MakeLabel("Label1", U(" konz.  [c(i)(0)] = mol/L"), Rahmen4);
    PlaceTw(Label1, 120, 220, 2300, 260);
    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        lblStoff[i]->setParent(Rahmen4);
        lblStoff[i]->setText(letters[i]);
        PlaceTw(lblStoff[i], 240, 540 + i * 310, 420, 280);
        lblStoff[i]->show();
        Inp[i]->setParent(Rahmen4);
        Inp[i]->setText(" 0");
        PlaceTw(Inp[i], 700, 520 + i * 310, 1650, 300);
        Inp[i]->show();
    }
    // Boxes that exist only so that writes by control name find every name of the reactor windows.
    for (int i = 5; i <= 16; ++i) Inp[i]->hide();
    for (int i = 5; i < 10; ++i) lblStoff[i]->hide();
    Inp[15]->setText("#15 (invisible)");
    Inp[16]->setText("#16 (invisible)");
    fraKsi->setTitle("fraKsi = dummy");
    lblTextKsi_1->setText("dummy_1");
    lblTextKsi_2->setText("dummy_2");
    cmdShowKsi->setText("Zeige Ksi (hier unsichtbar)");
    cmdShowKsi->hide();
    cmdDiagram->setText("Diagramm (unsichtbar)");
    cmdDiagram->hide();

    Rahmen6 = new QGroupBox(U("Zeitachse"), this);
    Rahmen6->setObjectName("Rahmen6");
    PlaceTw(Rahmen6, kRechteSpalte, 330, kFensterBreite - kRechteSpalte - 100, 760);
    Rahmen5 = new QGroupBox(U(" Geschwindigkeitskonstante(n)"), this);
    Rahmen5->setObjectName("Rahmen5");
    PlaceTw(Rahmen5, kRechteSpalte, 1150, kFensterBreite - kRechteSpalte - 100, 1800);

    Bz8 = MakeLabel("Bz(8)", U("t(max)/"), Rahmen6);
    PlaceTw(Bz8, 120, 320, 700, 280);
    unit4 = MakeLabel("unit4", QString(), Rahmen6);
    QLabel* units[4] = {nullptr, unit1, unit2, unit3};
    for (int i = 0; i < 4; ++i) {
        auto* combo = new QComboBox(i == 0 ? Rahmen6 : Rahmen5);
        combo->setObjectName(QStringLiteral("kCombo(%1)").arg(i));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        connect(combo, &QComboBox::editTextChanged, this, [this, i] { kCombo_Change(i); });
        kCombo[i] = combo;
        // A t(max) or k converted to another time unit may need seven digits and an exponent.
        const int boxWidth = simulation::NumberBoxTwips(combo);
        if (i == 0) {
            PlaceTw(combo, 820, 290, boxWidth, 320);
            PlaceTw(unit4, 820 + boxWidth + 40, 320, 1000, 280);
            continue;
        }
        const int top = 250 + (i - 1) * 330;
        Bz[i + 4]->setParent(Rahmen5);
        Bz[i + 4]->setText(QStringLiteral("k%1/").arg(i));
        PlaceTw(Bz[i + 4], 120, top + 20, 540, 280);
        Bz[i + 4]->show();
        PlaceTw(combo, 700, top, boxWidth, 320);
        units[i]->setParent(Rahmen5);
        PlaceTw(units[i], 700 + boxWidth + 40, top + 20,
                platform::PixelsToTwips(units[i]->fontMetrics().horizontalAdvance(simulation::kLongestRateUnit) + 4),
                280);
        units[i]->show();
    }
    cmdReset_k->setParent(Rahmen5);
    PlaceTw(cmdReset_k, 120, 1340, kKnopfRechts - kRechteSpalte - 120, 360);
    cmdReset_k->show();

    PlaceTw(Label7, 0, 30, kFensterBreite - 70, 280);

    cmdDrawctDiagram = MakeButton("cmdDrawctDiagram", U("c-t-Diagramm zeichnen"));
    PlaceTw(cmdDrawctDiagram, 120, 3050, 2900, 400);
    cmdListe = MakeButton("cmdListe", U("Werte- Tabelle "));
    PlaceTw(cmdListe, 3100, 3050, kKnopfRechts - 3100, 400);
    chkMitPunkten = MakeCheck("chkMitPunkten", U("gemeinsam mit experimentellen Punkten"));
    chkMitPunkten->setToolTip(
        U(" wirksam erst nach Klick \"Diagramm zeichnen\"; Bearbeiten über Daten / Editor exper. Daten "));
    PlaceTw(chkMitPunkten, 120, 3530, 6280, 280);
    PlaceTw(chkDelDiagram, 120, 3810, 6280, 280);
    PlaceTw(chkSpecialScaling, 120, 4090, 6280, 280);
    Label3 = MakeLabel("Label3", U("Stoff"));
    PlaceTw(Label3, 360, 4370, 600, 280);
    // The label of the species options follows the special-scaling box, whoever ticks it.
    Label3->setEnabled(false);
    connect(chkSpecialScaling, &QCheckBox::toggled, Label3, &QLabel::setEnabled);
    for (int i = 0; i < 5; ++i) PlaceTw(optSpecialScaling[i], 1000 + i * 700, 4370, 650, 280);
    cmdHelp = MakeButton("cmdHelp", U("Hilfe"));
    PlaceTw(cmdHelp, 120, 4750, 1400, 360);
    cmdHelpDiagramme = MakeButton("cmdHelpDiagramme", U("Hilfe"));
    PlaceTw(cmdHelpDiagramme, 1620, 4750, 1400, 360);
    cmdClose = MakeButton("cmdClose", U("Schließen <Esc>"));

    fraMichaelis = new QGroupBox(U(" Michaelis-Menten-Diagramm (ohne Verwendung exp. Punkte)"), this);
    fraMichaelis->setObjectName("fraMichaelis");
    PlaceTw(fraMichaelis, 120, 5150, 6280, 2150);
    lblMichaelisK1 = MakeLabel("lblMichaelisK1", QString(), fraMichaelis);
    PlaceTw(lblMichaelisK1, 120, 260, 6040, 280);
    lblMichaelisK2 = MakeLabel("lblMichaelisK2", QString(), fraMichaelis);
    PlaceTw(lblMichaelisK2, 120, 540, 6040, 280);
    chkNormiert = MakeCheck("chkNormiert", U("x-Achse normiert"), fraMichaelis);
    PlaceTw(chkNormiert, 120, 840, 2600, 280);
    lblS0max = MakeLabel("lblS0max", U("x-Achse: c(S),max/(mol/L) ="), fraMichaelis);
    PlaceTw(lblS0max, 120, 1180, 2900, 280);
    txtS0max = new QLineEdit(fraMichaelis);
    txtS0max->setObjectName("txtS0max");
    txtS0max->setToolTip(U(" Bemaßung der X-Achse für nicht-normiertes Diagramm (= x(max)) "));
    PlaceTw(txtS0max, 3060, 1160, 1200, 320);
    cmdMMdiagram = MakeButton("cmdMMdiagram", U("Diagramm  r(P)_=_Fu(c(S)) "), fraMichaelis);
    cmdMMdiagram->setToolTip(U("...stellt Abhängigkeit der Reaktionsgeschwindigkeit von der Substratkonzentration dar "));
    PlaceTw(cmdMMdiagram, 120, 1600, 2950, 400);
    cmdMichaelisListe = MakeButton("cmdMichaelisListe", U("Werte- Tabelle "), fraMichaelis);
    PlaceTw(cmdMichaelisListe, 3190, 1600, 2950, 400);
    fraMichaelis->setVisible(aktModell == 10);

    connect(cmdDrawctDiagram, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdDrawctDiagram_Click);
    connect(cmdListe, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdListe_Click);
    connect(chkMitPunkten, &QCheckBox::clicked, this, &frmPrepareTimeDiagram::chkMitPunkten_Click);
    connect(chkNormiert, &QCheckBox::clicked, this, &frmPrepareTimeDiagram::chkNormiert_Click);
    connect(txtS0max, &QLineEdit::textChanged, this, &frmPrepareTimeDiagram::txtS0max_Change);
    connect(cmdMMdiagram, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdMMdiagram_Click);
    connect(cmdMichaelisListe, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdMichaelisListe_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdClose_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdHelp_Click);
    connect(cmdHelpDiagramme, &QPushButton::clicked, this, &frmPrepareTimeDiagram::cmdHelpDiagramme_Click);
}

QWidget* frmPrepareTimeDiagram::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

// ---------------------------------------------------------------------------------------------
// Loading and activation

void frmPrepareTimeDiagram::Form_Load() {
    PlaceTw(cmdClose, 3100, height() * simulation::kTwipsPerPixel - 1200, kKnopfRechts - 3100, 400);

    RohrAktiv = kFalse;
    KaskadeAktiv = kFalse;
    ContiAktiv = kFalse;

    chkMitPunkten->setChecked(false);
    MitPunkten = kFalse;
    chkMitPunkten->setEnabled(RateDiagramm == 0);

    txtS0max->setText(QString::fromStdString(platform::CStrSingle(cSmax)));

    if (SpezSkalierungStoff == 0) {
        SpezSkalierung = kFalse;
        SpezSkalierungStoff = 1;
    }
    chkSpecialScaling->setChecked(SpezSkalierung != 0);
    if (SpezSkalierungStoff >= 1 && SpezSkalierungStoff <= kSpecies)
        optSpecialScaling[SpezSkalierungStoff - 1]->setChecked(true);
    for (auto* option : optSpecialScaling) option->setEnabled(chkSpecialScaling->isChecked());

    if (DatencA0 > 0) c0Wert[1] = DatencA0;
    if (DatencB0 > 0) c0Wert[2] = DatencB0;
    if (DatenTmax > 0 && EnzymRcsModus == 0) tMax = DatenTmax;
}

void frmPrepareTimeDiagram::Form_Activate() {
    UpdateUnitLabels();
    MMDiagramm = kFalse;
    fraMichaelis->setVisible(aktModell == 10);

    if (KurvenHinzufuegen != 0 && nKurven == 0) KurvenHinzufuegen = kFalse;
    chkDelDiagram->setEnabled(IsFormLoaded(kDiagramm) && nKurven > 0);
    if (chkDelDiagram->isChecked() != (KurvenHinzufuegen != 0)) {
        chkDelDiagram->setChecked(KurvenHinzufuegen != 0);
        chkDelDiagram_Click();
    }

    if (chkNormiert->isChecked() != (MMNormiert != 0)) {
        chkNormiert->setChecked(MMNormiert != 0);
        chkNormiert_Click();
    }

    if (aktModell == 20) SetModelLine20();

    if (RateDiagramm != 0) {
        MitPunkten = kFalse;
        chkMitPunkten->setChecked(false);
        setWindowTitle(U("Reaktionsgeschwindigkeit-Zeit-Funktionen"));
        cmdDrawctDiagram->setText(U("r(i)-t-Diagramm zeichnen"));
        cmdDrawctDiagram->setToolTip(U(" Reaktionsgeschwindigkeiten vs. Zeit "));
        cmdListe->setToolTip(U(" Zeit | Reaktionsgeschwindigkeiten "));
    } else {
        setWindowTitle(U("Konzentrations-Zeit-Funktionen"));
        cmdDrawctDiagram->setText(U("c-t-Diagramm zeichnen"));
        cmdDrawctDiagram->setToolTip(U(" Konzentration(en) vs. Zeit "));
        cmdListe->setToolTip(U(" Zeit | Konzentration(en) "));
        bool mitDaten = false;
        for (int i = 1; i <= kSpecies && !mitDaten; ++i) {
            const auto idx = static_cast<std::size_t>(i - 1);
            mitDaten = idx < KurvenMaske.size() && KurvenMaske[idx] == '1' && DatenSpalte[static_cast<std::size_t>(i)] != 0;
        }
        chkMitPunkten->setEnabled(mitDaten);
    }

    txtS0max->setText(QString::fromStdString(platform::CStrSingle(cSmax)));
}

void frmPrepareTimeDiagram::InitSimulation() {
    if (aktModell == 20) SetModelLine20();
}

void frmPrepareTimeDiagram::SetModelLine20() {
    Label7->setText(QString::fromStdString("kinet. Modell:  " + ModellName[20] + " (n = " +
                                           platform::FormatSingle(ReaktOrdnung, "0.00") + ")"));
}

void frmPrepareTimeDiagram::showEvent(QShowEvent* event) {
    CalcWindow::showEvent(event);
    QWidget* frame = Frame();
    if (!positioned_) {
        positioned_ = true;
        frame->move(Tw(PosTimeDiagram.Left), Tw(PosTimeDiagram.Top));
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea() && !mdiConnected_) {
        mdiConnected_ = true;
        connect(sub->mdiArea(), &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
            if (active == sub) Form_Activate();
        });
    }
    Form_Activate();
}

void frmPrepareTimeDiagram::keyPressEvent(QKeyEvent* event) {
    // Not a shortcut: in the MDI area a shortcut would also fire (or clash) in the other windows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdClose_Click();
        return;
    }
    CalcWindow::keyPressEvent(event);
}

QSize frmPrepareTimeDiagram::sizeHint() const { return {Tw(kFensterBreite), Tw(kFensterHoehe)}; }

bool frmPrepareTimeDiagram::event(QEvent* event) {
    // A window of its own (not in the MDI area) is activated as a top-level window.
    if (event->type() == QEvent::WindowActivate && Frame() == this && isVisible()) Form_Activate();
    return CalcWindow::event(event);
}

void frmPrepareTimeDiagram::SavePosition() {
    const QWidget* frame = Frame();
    PosTimeDiagram.Left = frame->x() * simulation::kTwipsPerPixel;
    PosTimeDiagram.Top = frame->y() * simulation::kTwipsPerPixel;
}

// ---------------------------------------------------------------------------------------------
// t(max) and rate constants

bool frmPrepareTimeDiagram::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int i = 0; i < 4; ++i) {
            if (kCombo[i] == nullptr || (watched != kCombo[i] && watched != kCombo[i]->lineEdit())) continue;
            auto* key = static_cast<QKeyEvent*>(event);
            if (simulation::IsEditShortcut(key)) return false;
            int keyAscii = simulation::KeyAscii(key);
            if (keyAscii == 0) return false;
            const int typed = keyAscii;
            kCombo_KeyPress(i, keyAscii);
            if (keyAscii == 0) return true;
            if (keyAscii != typed) {  // a decimal comma arrives as a point
                kCombo[i]->lineEdit()->insert(QString(QChar(keyAscii)));
                return true;
            }
            return false;
        }
    } else if (event->type() == QEvent::FocusIn) {
        for (auto* combo : kCombo) {
            if (combo != nullptr && (watched == combo || watched == combo->lineEdit())) {
                QLineEdit* edit = combo->lineEdit();
                QMetaObject::invokeMethod(edit, [edit] { edit->selectAll(); }, Qt::QueuedConnection);
                return false;
            }
        }
    }
    return CalcWindow::eventFilter(watched, event);
}

void frmPrepareTimeDiagram::kCombo_KeyPress(int index, int& keyAscii) {
    if (keyAscii == 3 || keyAscii == 22) return;
    if (!CheckNumKey(keyAscii)) {
        keyAscii = 0;
        return;
    }
    if (keyAscii != 13) return;
    keyAscii = 0;
    const int next = index + 1 > 3 ? 1 : index + 1;
    if (!kCombo[next]->isHidden() && kCombo[next]->isEnabled()) kCombo[next]->setFocus(Qt::TabFocusReason);
}

void frmPrepareTimeDiagram::kCombo_Change(int index) {
    const double value = ValOf(kCombo[index]->currentText());
    if (index == 0) {
        tMax = value;
        return;
    }
    kWert[index] = value;
    if (kWert[1] > 0) {
        KMichaelis = (kWert[3] + kWert[2]) / kWert[1];
        lblMichaelisK1->setText(U("Michaelis-Konstante KM/(mol/L) = (k< + k3) / k> =") +
                                QString::fromStdString(platform::CStrSingle(static_cast<float>(KMichaelis))));
        lblMichaelisK2->setText(U("(reale Größenordnung KM/(mol/L) = 0.01...0.00001)"));
    }
}

void frmPrepareTimeDiagram::AppendHistory() {
    const double values[4] = {tMax, kWert[1], kWert[2], kWert[3]};
    for (int i = 0; i < 4; ++i) {
        QComboBox* combo = kCombo[i];
        // The list grows without touching the typed text (and without running the change handler).
        const QSignalBlocker blocker(combo);
        const QString typed = combo->currentText();
        combo->addItem(QString::fromStdString(platform::CStrSingle(static_cast<float>(values[i]))));
        while (combo->count() > kHistorie) combo->removeItem(0);
        combo->setCurrentIndex(-1);
        combo->setEditText(typed);
    }
}

// ---------------------------------------------------------------------------------------------
// Draw and value-table buttons

void frmPrepareTimeDiagram::ReadConcentrations() {
    for (int i = 0; i < kSpecies; ++i) c0Wert[static_cast<std::size_t>(i + 1)] = ValOf(Inp[i]->text());
}

std::string frmPrepareTimeDiagram::DrawComplaints() {
    std::string msg;
    auto line = [&msg](const std::string& text) { msg += text + CrLf; };
    const int m = aktModell;
    const bool reversibel = IstUmkehrbar != 0;
    const bool inpBSichtbar = !Inp[1]->isHidden();

    if (m == 20 && ReaktOrdnung <= 0) {
        line("- Eingabewert der Reaktionsordnung muss größer Null sein");
        ReaktOrdnung = kStandardOrdnung;
        if (IsFormLoaded("frmKinModel")) platform::Forms().SetText("frmKinModel", "txtOrdnung", -1, " 1.5");
    }
    msg += simulation::InitialAComplaints();
    if (!reversibel && c0Wert[2] <= 0 && inpBSichtbar) {
        line(m == 10 ? "- noch keine gültige Eingabe einer Anfangskonzentration c(S,0)"
                     : "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)");
    }
    if (reversibel && c0Wert[1] > 0 && c0Wert[2] <= 0 && inpBSichtbar)
        line("- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)");
    if (m == 19 && c0Wert[2] <= 0 && c0Wert[4] <= 0 && c0Wert[5] <= 0)
        line("- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!");
    if ((m == 5 || m == 16) && c0Wert[4] <= 0)
        line("- für Autokatalyse muss ein (geringes) c(P,0) gegeben sein, sonst springt die Reaktion nicht an ");
    if (ReaktOrdnung < 0 && aktDiagrammCode == 20) line("- nur n > 0 erlaubt");
    if (tMax <= 0) line("- Zeit-Vorgabe nicht in Ordnung");
    if (kWert[1] <= 0) line("- Geschwindigkeitskonstante k1 muss größer Null sein");
    if (!kCombo[2]->isHidden() && DiagVariante == 1 && kWert[2] <= 0) {
        line("- Geschwindigkeitskonstante k2 muss größer Null sein");
        line("  (Sie können aber einen extrem kleinen Wert eingeben)");
    }
    if (!kCombo[3]->isHidden() && kWert[3] <= 0) line("- Geschwindigkeitskonstante k3 muss größer Null sein");
    // The Michaelis-Menten function over c(S) needs a positive end of its axis.
    if (m == 10 && MMDiagramm != 0 && MMNormiert == 0 && cSmax <= 0) line("- c(S),max muss größer Null sein");
    return msg;
}

std::string frmPrepareTimeDiagram::ListComplaints() const {
    std::string msg;
    auto line = [&msg](const std::string& text) { msg += text + CrLf; };
    const int m = aktModell;
    if (c0Wert[1] <= 0) line("- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)");
    if (c0Wert[2] <= 0 && !Inp[1]->isHidden()) {
        line(m == 10 ? "- noch keine gültige Eingabe einer Anfangskonzentration c(S,0)"
                     : "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)");
    }
    if ((m == 5 || m == 16) && c0Wert[4] <= 0)
        line("- für Autokatalyse muss eine (geringe) Anfangskonzentration für P gegeben sein");
    if (ReaktOrdnung < 0 && aktDiagrammCode == 20) line("- nur n > 0 erlaubt");
    if (tMax <= 0) line("- Zeit-Vorgabe nicht in Ordnung");
    if (kWert[1] <= 0) line("- Geschwindigkeitskonstante k1 muss größer Null sein");
    if (!kCombo[2]->isHidden() && kWert[2] <= 0) {
        line("- Geschwindigkeitskonstante k2 muss größer Null sein");
        line("  (Sie können aber einen extrem kleinen Wert eingeben)");
    }
    if (!kCombo[3]->isHidden() && kWert[3] <= 0) line("- Geschwindigkeitskonstante k3 muss größer Null sein");
    return msg;
}

bool frmPrepareTimeDiagram::CalculateTimeCourse(const std::string& handler) {
    int err = 0;
    try {
        CalcZeitverlauf(aktModell, tMax, err);
    } catch (const RuntimeError&) {
        err = kTrue;
    }
    if (err == 0) return true;
    platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, "Meldung von Sub " + handler);
    return false;
}

// Sets the diagram up for the computed curves: a new diagram window, or (add-curves mode) the
// new curves added to the open one.
void frmPrepareTimeDiagram::ShowDiagram() {
    const bool hinzufuegen = KurvenHinzufuegen != 0;
    if (!hinzufuegen) {
        platform::Windows().Unload(kDiagramm);
        ScanExpDataRange(aktDiagrammCode, MitPunkten);
    }
    diagram::GrafZentrale(aktDiagrammCode, DiagRec, ZeichnenOffen, AchsenGrenzen, nZeitPunkte, MitPunkten);
    platform::FormHost& forms = platform::Forms();
    forms.SetVisible(kDiagramm, "txtFarbeStatusbar2", -1, false);
    forms.SetVisible(kDiagramm, "StatusBar2Panel", 1, false);
    if (hinzufuegen) forms.Click(kDiagramm, "cmdDraw", -1);
}

void frmPrepareTimeDiagram::cmdDrawctDiagram_Click() {
    try {
        chkMitPunkten->setEnabled(MMDiagramm == 0);
        if (MMDiagramm != 0) {
            chkMitPunkten->setChecked(false);
            MitPunkten = kFalse;
        }
        AppendHistory();

        ReadConcentrations();
        tMax = ValOf(kCombo[0]->currentText());
        for (int i = 1; i <= 3; ++i) kWert[static_cast<std::size_t>(i)] = ValOf(kCombo[i]->currentText());
        nZeitPunkte = kZeitIntervalle;

        const std::string complaints = DrawComplaints();
        if (!complaints.empty()) {
            platform::MsgBox(complaints, platform::MsgCritical, kTitelEingabe);
            return;
        }
        // The old diagram stays open until the new curves have been computed.
        if (!CalculateTimeCourse("cmdDrawctDiagram")) return;
        ShowDiagram();
    } catch (const std::exception&) {
        platform::MsgBox(kOcxHinweis, platform::MsgCritical, kTitelEingabe);
    }
}

void frmPrepareTimeDiagram::cmdListe_Click() {
    ReadConcentrations();
    nZeitPunkte = kZeitIntervalle;
    const std::string complaints = ListComplaints();
    if (!complaints.empty()) {
        platform::MsgBox(complaints, platform::MsgCritical, kTitelEingabe);
        return;
    }
    RedimCurves(nZeitPunkte + 2);
    if (!CalculateTimeCourse("cmdListe")) return;
    frmSimTabelle::ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Michaelis-Menten frame and small handlers

void frmPrepareTimeDiagram::txtS0max_Change() { cSmax = static_cast<float>(ValOf(txtS0max->text())); }

void frmPrepareTimeDiagram::chkMitPunkten_Click() { MitPunkten = chkMitPunkten->isChecked() ? kTrue : kFalse; }

void frmPrepareTimeDiagram::chkNormiert_Click() {
    const bool normiert = chkNormiert->isChecked();
    txtS0max->setEnabled(!normiert);
    lblS0max->setEnabled(!normiert);
    chkNormiert->setToolTip(normiert ? U(" normierte Gleichung r(P)/r(P),max = Fu(c(S)/KM)  (KM = Michaelis-Konstante) ")
                                     : U(" Gleichung r(P)/r(P),max = Fu(c(S))) "));
}

void frmPrepareTimeDiagram::cmdMMdiagram_Click() {
    MMDiagramm = kTrue;
    MMNormiert = chkNormiert->isChecked() ? kTrue : kFalse;
    cmdDrawctDiagram_Click();
}

void frmPrepareTimeDiagram::cmdMichaelisListe_Click() {
    MMDiagramm = kTrue;
    cmdListe_Click();
    MMDiagramm = kFalse;
}

void frmPrepareTimeDiagram::cmdClose_Click() {
    platform::Windows().UnloadOrClose(kName, this);
    platform::Windows().Unload(kDiagramm);
}

void frmPrepareTimeDiagram::cmdHelp_Click() { platform::ShowHelpContext(kHilfeFenster); }

void frmPrepareTimeDiagram::cmdHelpDiagramme_Click() { platform::ShowHelpContext(kHilfeDiagramme); }
