#include "design/frmCalcTangente.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <cfloat>
#include <cmath>
#include <optional>

#include "design/ZahlenFeld.h"
#include "diagram/frmTGraph2D.h"
#include "kernel/Spline.h"
#include "kernel/State.h"
#include "platform/Help.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace design {

using namespace kernel;

namespace {

const char* const kName = "frmCalcTangente";
constexpr int kHilfeTangente = 8510;
constexpr float kGlaettungProSchritt = 1.0f / 200;  // smoothing per slider step
constexpr int kTangentenDiagramm = 100;             // diagram code of the measured points with their spline

platform::FormRegistration registrierung(kName, platform::FormKind::MdiChild, [] { return new frmCalcTangente; });

QString U(const char* text) { return QString::fromUtf8(text); }

QLineEdit* Ergebnis(QWidget* eltern, const char* name) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFixedWidth(110);
    return e;
}

// The general text form of a Single; a value beyond its range gives no text.
QString SingleText(double v) {
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) return QString();
    return QString::fromStdString(platform::CStrSingle(static_cast<float>(v)));
}

}  // namespace

frmCalcTangente::frmCalcTangente(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    auto* g = new QGridLayout(this);
    txtX = new QLineEdit(this);
    txtX->setObjectName("txtX");
    txtX->setFixedWidth(110);
    lblZeit = new QLabel(this);
    lblZeit->setObjectName("lblZeit");
    g->addWidget(new QLabel(U("Zeit-Vorgabe"), this), 0, 0);
    g->addWidget(new QLabel(U(" t = "), this), 0, 1, Qt::AlignRight);
    g->addWidget(txtX, 0, 2);
    g->addWidget(lblZeit, 0, 3);
    cmdCalc = new QPushButton(U("Berechnen"), this);
    cmdCalc->setObjectName("cmdCalc");
    g->addWidget(cmdCalc, 1, 2);
    txtyResult = Ergebnis(this, "txtyResult");
    g->addWidget(new QLabel(U("Funktionswert c(i) = "), this), 2, 0, 1, 2, Qt::AlignRight);
    g->addWidget(txtyResult, 2, 2);
    g->addWidget(new QLabel(U("mol/l"), this), 2, 3);
    lblr = new QLabel(this);
    lblr->setObjectName("lblr");
    txtyStrichResult = Ergebnis(this, "txtyStrichResult");
    Label4 = new QLabel(this);
    Label4->setObjectName("Label4");
    g->addWidget(lblr, 3, 0, 1, 2, Qt::AlignRight);
    g->addWidget(txtyStrichResult, 3, 2);
    g->addWidget(Label4, 3, 3);
    g->addWidget(new QLabel(U("Glättung =>           (0 = ohne Glättung)"), this), 4, 0, 1, 4);
    SliderGlaettung = new QSlider(Qt::Horizontal, this);
    SliderGlaettung->setObjectName("SliderGlaettung");
    SliderGlaettung->setTickPosition(QSlider::TicksBelow);
    g->addWidget(new QLabel(U("0"), this), 5, 0, Qt::AlignRight);
    g->addWidget(SliderGlaettung, 5, 1, 1, 2);
    g->addWidget(new QLabel(U("100"), this), 5, 3);
    cmdClose = new QPushButton(U("Schließen <Esc>"), this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setToolTip(U(" schließt diese Fenster und das Diagramm "));
    cmdClose->setShortcut(QKeySequence(Qt::Key_Escape));
    cmdHelp = new QPushButton(U("Hilfe"), this);
    cmdHelp->setObjectName("cmdHelp");
    g->addWidget(cmdHelp, 6, 0);
    g->addWidget(cmdClose, 6, 2, 1, 2);
    connect(cmdCalc, &QPushButton::clicked, this, [this] { cmdCalc_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    MacheZahlenFeld(txtX, [this] { cmdCalc_Click(); });
    Form_Load();
    connect(SliderGlaettung, &QSlider::valueChanged, this, [this] { SliderGlaettung_Change(); });
}

frmCalcTangente* frmCalcTangente::Geladen() { return qobject_cast<frmCalcTangente*>(platform::Windows().Get(kName)); }

void frmCalcTangente::Form_Load() {
    setWindowTitle(U("Reakt.-geschwindigkeit r(i) berechnen"));
    const QString einheit = QString::fromStdString(ZeitEinheit);
    lblZeit->setText(einheit);
    txtyResult->setText(" 0");
    txtyStrichResult->setText(" 0");
    Label4->setText("mol/(L " + einheit + ")");
    static const char* const kBuchstabe[] = {"", "A", "B", "C", "P", "Q"};
    const QString x = U(TangentSpecies >= 1 && TangentSpecies <= 5 ? kBuchstabe[TangentSpecies] : "");
    lblr->setText("r(" + x + ") = dc(" + x + ")/dt =  ");
    SliderGlaettung->setRange(0, 100);
    SliderGlaettung->setSingleStep(1);
    SliderGlaettung->setPageStep(5);
    SliderGlaettung->setTickInterval(2);
    SliderGlaettung->setValue(0);
    // The opening menu resets the smoothing to 0: the slider's 0 is the value in force.
    letzteGlaettung_ = 0;
}

void frmCalcTangente::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (plaziert_) return;
    plaziert_ = true;
    if (QWidget* rahmen = platform::Windows().Frame(kName))
        rahmen->move(platform::TwipsToPixels(PosTangente.Left), platform::TwipsToPixels(PosTangente.Top));
}

void frmCalcTangente::cmdCalc_Click() {
    const double t = platform::ValLocale(txtX->text().toStdString());  // also a pasted "2,5"
    if (static_cast<float>(t) > DiagRec.xMax || t < 0) {
        platform::Beep();
        return;
    }
    // Only the spline through the measured points of this species, with the knot count it was made
    // with, is read; when the shared arrays hold anything else (a numeric time course, another
    // species) or a value cannot be read, both boxes show "-".
    const int s = TangentSpecies;
    std::optional<double> c, r;
    if (s >= 1 && s <= kSpecies && AkimaMessSpezies == s && !AkimaX.empty() && AkimaX[0] >= kSplineMinKnots &&
        AkimaX[0] + 1 <= static_cast<double>(AkimaX.size())) {
        const int n = static_cast<int>(std::lround(AkimaX[0]));
        c = AkimaInterpol(0, s, t, n, AkimaX, AkimaD, AkimaC, AkimaB, AkimaA);
        r = AkimaInterpol(1, s, t, n, AkimaX, AkimaD, AkimaC, AkimaB, AkimaA);
    }
    const QString wert = c ? SingleText(*c) : QString(), steigung = r ? SingleText(*r) : QString();
    const bool lesbar = !wert.isEmpty() && !steigung.isEmpty();
    txtyResult->setText(lesbar ? wert : QStringLiteral("-"));
    txtyStrichResult->setText(lesbar ? steigung : QStringLiteral("-"));
    if (isVisible()) {
        activateWindow();
        txtX->setFocus();
    }
}

void frmCalcTangente::SliderGlaettung_Change() {
    SmoothingFactor = static_cast<float>(SliderGlaettung->value()) * kGlaettungProSchritt;
    if (SmoothingFactor == letzteGlaettung_) return;
    letzteGlaettung_ = SmoothingFactor;
    // Only the tool's own diagram (the measured points with their spline) is redrawn; a diagram
    // window showing anything else keeps its curves.
    diagram::frmTGraph2D* f = diagram::frmTGraph2D::Geladen();
    if (!f || aktDiagrammCode != kTangentenDiagramm) return;
    ZeichnenOffen = 1;
    int alle = 0;
    f->DeleteCurves(alle);
    f->cmdDraw_Click();
}

void frmCalcTangente::cmdClose_Click() {
    platform::Windows().Unload("frmTGraph2D");
    if (platform::Windows().Get(kName) == this)
        platform::Windows().Unload(kName);
    else
        close();
}

void frmCalcTangente::cmdHelp_Click() { platform::ShowHelpContext(kHilfeTangente); }

void frmCalcTangente::Form_Unload() {
    // The smoothing belongs to this tool: later splines of the models are not smoothed.
    SmoothingFactor = 0;
    const QWidget* rahmen = platform::Windows().Frame(kName);
    if (!rahmen) rahmen = this;
    PosTangente = {platform::PixelsToTwips(rahmen->x()), platform::PixelsToTwips(rahmen->y())};
}

void frmCalcTangente::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

}  // namespace design
