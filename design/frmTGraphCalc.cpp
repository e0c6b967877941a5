#include "design/frmTGraphCalc.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cfloat>
#include <cmath>

#include "design/ZahlenFeld.h"
#include "kernel/Concentrations.h"
#include "kernel/State.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"

namespace design {

using namespace kernel;

namespace {

const char* const kName = "frmTGraphCalc";

platform::FormRegistration registrierung(kName, platform::FormKind::MdiChild, [] { return new frmTGraphCalc; });

QString U(const char* text) { return QString::fromUtf8(text); }

}  // namespace

frmTGraphCalc::frmTGraphCalc(QWidget* parent) : QWidget(parent) {
    setObjectName(kName);
    setWindowTitle(U("  Einzelpunkt-Rechner"));
    auto* g = new QGridLayout(this);
    lblXEingabe = new QLabel(U("Zeit-Vorgabe     t ="), this);
    lblXEingabe->setObjectName("lblXEingabe");
    lblXEingabe->setToolTip(U(" innerhalb Diagramm-Bereich "));
    txtX = new QLineEdit(this);
    txtX->setObjectName("txtX");
    txtX->setFixedWidth(90);
    lblZeit = new QLabel(this);
    lblZeit->setObjectName("lblZeit");
    g->addWidget(lblXEingabe, 0, 0);
    g->addWidget(txtX, 0, 1);
    g->addWidget(lblZeit, 0, 2);
    const char* namen[] = {"c(A)", "c(B)", "c(C)", "c(P)", "c(Q)"};
    for (int i = 0; i < 5; ++i) {
        lblRes[i] = new QLabel(U(namen[i]), this);
        lblRes[i]->setObjectName(QString::fromStdString(platform::ControlName("lblRes", i)));
        lblResult[i] = new QLabel(this);
        lblResult[i]->setObjectName(QString::fromStdString(platform::ControlName("lblResult", i)));
        lblResult[i]->setFrameShape(QFrame::Panel);
        lblResult[i]->setFrameShadow(QFrame::Sunken);
        lblResult[i]->setMinimumWidth(110);
        g->addWidget(lblRes[i], 1 + i, 0);
        g->addWidget(lblResult[i], 1 + i, 1, 1, 2);
    }
    cmdGraphCalcExec = new QPushButton(U("Berechnen"), this);
    cmdGraphCalcExec->setObjectName("cmdGraphCalcExec");
    cmdCloseGraphCalc = new QPushButton(U("Schließen  <Esc>"), this);
    cmdCloseGraphCalc->setObjectName("cmdCloseGraphCalc");
    cmdCloseGraphCalc->setShortcut(QKeySequence(Qt::Key_Escape));
    g->addWidget(cmdGraphCalcExec, 6, 0);
    g->addWidget(cmdCloseGraphCalc, 6, 1, 1, 2);
    connect(cmdGraphCalcExec, &QPushButton::clicked, this, [this] { cmdGraphCalcExec_Click(); });
    connect(cmdCloseGraphCalc, &QPushButton::clicked, this, [this] { cmdCloseGraphCalc_Click(); });
    MacheZahlenFeld(txtX, [this] { cmdGraphCalcExec_Click(); });
    Form_Load();
}

frmTGraphCalc* frmTGraphCalc::Geladen() { return qobject_cast<frmTGraphCalc*>(platform::Windows().Get(kName)); }

void frmTGraphCalc::Form_Load() {
    txtX->setText("0");
    lblZeit->setText(QString::fromStdString(ZeitEinheit));
    if (aktModell == 10 && MMDiagramm) {
        // The enzyme model's r(P)-c(S) view: one result at a given c(S).
        if (MMNormiert) {
            lblXEingabe->setText(U("c(S)/KM"));
            lblZeit->clear();
        } else {
            lblXEingabe->setText(U("c(S)"));
            lblZeit->setText(U("mol/L"));
        }
        for (int i = 0; i < 5; ++i) {
            lblRes[i]->clear();
            lblResult[i]->clear();
            lblRes[i]->setVisible(i == 0);
            lblResult[i]->setVisible(i == 0);
        }
        lblRes[0]->setText(U("r(P)/r(P)max"));
        return;
    }
    if (aktModell == 10) {
        lblRes[0]->setText(U("c(E)"));
        lblRes[1]->setText(U("c(S)"));
        lblRes[2]->setText(U("c(ES)"));
    }
    for (int i = 1; i <= 5; ++i) {
        const bool an = static_cast<int>(KurvenMaske.size()) >= i && KurvenMaske[static_cast<std::size_t>(i - 1)] == '1';
        lblResult[i - 1]->clear();
        lblResult[i - 1]->setVisible(an);
        lblRes[i - 1]->setVisible(an);
    }
}

void frmTGraphCalc::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (plaziert_) return;
    plaziert_ = true;
    // Near the top of the screen, its right edge slightly beyond the diagram window's right edge.
    QWidget* rahmen = platform::Windows().Frame(kName);
    QWidget* diagramm = platform::Windows().Frame("frmTGraph2D");
    if (!rahmen || !diagramm) return;
    const int oben = platform::TwipsToPixels(platform::ScreenHeightTwips() / 15);
    const int links = diagramm->x() + diagramm->width() - static_cast<int>(rahmen->width() / 1.045);
    rahmen->move(std::max(0, links), oben);
}

void frmTGraphCalc::cmdGraphCalcExec_Click() {
    const double t = platform::ValLocale(txtX->text().toStdString());  // also a pasted "2,5"
    if (static_cast<float>(t) > DiagRec.xMax || t < 0) {
        platform::Beep();
        return;
    }
    ConcVector c{};
    int err = 0;
    CalcKonzentrationen(aktModell, t, c, err);
    // A failed calculation, or a value that is not a number within the Single range, shows "-" in
    // every result: no number from an earlier time may stand as the new result.
    bool gueltig = err == 0;
    for (int i = 1; i <= 5; ++i) {
        const double v = c[static_cast<std::size_t>(i)];
        gueltig = gueltig && std::isfinite(v) && std::fabs(v) <= FLT_MAX;
    }
    for (int i = 1; i <= 5; ++i)
        lblResult[i - 1]->setText(gueltig ? QString::fromStdString(platform::CStrSingle(static_cast<float>(c[static_cast<std::size_t>(i)])))
                                          : QStringLiteral("-"));
    if (isVisible()) {
        activateWindow();
        txtX->setFocus();
    }
}

void frmTGraphCalc::cmdCloseGraphCalc_Click() {
    if (platform::Windows().Get(kName) == this)
        platform::Windows().Unload(kName);
    else
        close();
}

}  // namespace design
