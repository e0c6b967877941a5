#include "simulation/BatchTube.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <cmath>

#include "kernel/BatchReactor.h"
#include "kernel/HalfLife.h"
#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "kernel/TimeCourse.h"
#include "kernel/Utilities.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"
#include "simulation/ReactorCurves.h"

using namespace kernel;

namespace simulation {

namespace {

const std::string kCrLf = "\r\n";
const char* const kTitelGleichgewicht = "keine Ausführung möglich";
constexpr float kStandardOrdnung = 1.5f;
constexpr int kZeitIntervalle = 200;

bool IsOneOf(int model, std::initializer_list<int> models) {
    for (int m : models)
        if (model == m) return true;
    return false;
}

std::string Short(double value) { return platform::StrSingle(static_cast<float>(value)); }

const char* const kRangeHead =
    "Im Fall \"umkehrbare Reaktion\" ist die Vorgabe eines beliebigen Umsatzes U(A) nicht möglich;\r\n"
    "die Reaktion kann maximal bis zum Gleichgewicht laufen.\r\n\r\n"
    "Für das vorgegebene Eingangsgemisch liegt der mögliche Umsatz für A im Bereich\r\n\r\n";
const char* const kImGleichgewicht = "Das Eingangsgemisch befindet sich bereits im chem. Gleichgewicht.";

// One batch run of aktModell over t; false on the solver's failure flag.
bool BatchAt(double t, ConcVector& c) {
    int err = 0;
    CalcBatchKessel(aktModell, t, c0Wert, UmsatzU, c, err);
    return err == 0;
}

// Equilibrium of the reversible models: the equilibrium conversion U_eq and the value whose sign
// decides the allowed range (U_eq for model 8, the extent x for the others). False: no real root.
bool Equilibrium(Twin window, double& Ueq, double& value) {
    const double a0 = c0Wert[1], b0 = c0Wert[2], p0 = c0Wert[4], q0 = c0Wert[5];
    double K = kWert[1] / kWert[2];
    if (aktModell == 8) {
        Ueq = (K * a0 - p0) / ((K + 1) * a0);
        value = Ueq;
        return true;
    }
    double p = 0, q = 0;
    if (aktModell == 12) {
        if (K == 4) K = window == Twin::Batch ? 3.999999999 : 3.99999999;
        p = (K * a0 + 4 * p0 + K * b0) / (4 - K);
        q = (p0 * p0 - K * a0 * b0) / (4 - K);
    } else if (aktModell == 17) {
        p = -a0 - b0 - 1 / K;
        q = a0 * b0 - p0 / K;
    } else {
        if (K == 1) K = window == Twin::Batch ? 0.999999999 : 0.99999999;
        p = (p0 + q0 + K * a0 + K * b0) / (1 - K);
        q = (p0 * q0 - K * a0 * b0) / (1 - K);
    }
    const double D = p * p / 4 - q;
    if (!(D >= 0)) return false;
    const double x1 = -p / 2 + std::sqrt(D);
    const double x2 = -p / 2 - std::sqrt(D);
    value = x1 <= a0 ? x1 : x2;
    Ueq = value / a0;
    return true;
}

}  // namespace

std::string TwinInputComplaints(const TwinInputs& in) {
    const int m = aktModell;
    const double a0 = c0Wert[1], b0 = c0Wert[2], p0 = c0Wert[4], q0 = c0Wert[5];
    const double U = UmsatzU;
    const bool batch = in.window == Twin::Batch;
    std::string msg;
    if (m == 20 && ReaktOrdnung <= 0) {
        msg += "- Eingabewert der Reaktionsordnung muss größer Null sein" + kCrLf;
        ReaktOrdnung = kStandardOrdnung;
        if (IsFormLoaded("frmKinModel")) platform::Forms().SetText("frmKinModel", "txtOrdnung", -1, " 1.5");
    }
    if (!batch && RohrV <= 0) msg += "- noch keine gültige Eingabe der Fließgeschwindigkeit" + kCrLf;
    if (in.timeMode && tauMittel <= 0) msg += "- noch keine gültige Eingabe der Reaktionszeit" + kCrLf;
    if (in.lengthMode && RohrL <= 0) msg += "- noch keine gültige Eingabe der Rohrlänge" + kCrLf;
    if (in.conversionMode) {
        if (NegUmsatzErlaubt == 0 && !(U > 0 && U < 1)) {
            msg += "- noch keine gültige Eingabe des Umsatzes (0 < U(A) < 1)" + kCrLf;
        } else if (NegUmsatzErlaubt != 0 && (U == 0 || U >= 1)) {
            msg += "- noch keine gültige Eingabe des Umsatzes (U(A) <> 0, U(A) < 1)" + kCrLf + kCrLf +
                   "(Anmerkung: Bei umkehrbaren Reaktionen können negative Umsatzwerte sinnvoll sein.)";
        }
        if (batch && IsOneOf(m, {4, 9, 10, 13, 18}) && U * a0 >= b0)
            msg += "Für den gewünschten Umsatz muss die Vorgabe-Konzentration von B > " + platform::StrDouble(U * a0) +
                   " sein.";
    }
    msg += InitialAComplaints();
    if (IstUmkehrbar == 0 && b0 <= 0 && in.inp1Shown) {
        msg += m == 10 ? "- noch keine gültige Eingabe einer Anfangskonzentration c(S,0)" + kCrLf
                       : "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)" + kCrLf;
    }
    if (IstUmkehrbar != 0 && a0 > 0 && b0 <= 0 && in.inp1Shown)
        msg += "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)" + kCrLf;
    if (m == 19 && !(b0 > 0) && !(p0 > 0) && !(q0 > 0))
        msg += "- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!" + kCrLf;
    if ((m == 5 || m == 16) && p0 <= 0)
        msg += "- für Autokatalyse muss ein (geringes) c(P,0) gegeben sein, sonst springt die Reaktion nicht an" + kCrLf;
    if (kWert[1] <= 0) msg += "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf;
    if (in.inp11Shown && kWert[2] <= 0) {
        msg += batch ? "- Geschwindigkeitskonstante k2 muss größer Null sein" + kCrLf +
                           "  (Sie können aber einen extrem kleinen Wert eingeben)" + kCrLf
                     : "- Geschwindigkeitskonstante muss größer Null sein" + kCrLf;
    }
    if (in.inp12Shown && kWert[3] <= 0) msg += "- Geschwindigkeitskonstante k3 muss größer Null sein" + kCrLf;
    return msg;
}

bool TwinEquilibriumCheck(Twin window, bool conversionMode) {
    if (!IsOneOf(aktModell, {8, 12, 17, 19})) return true;
    // Without A in the feed its conversion is undefined: the search reports the failure.
    if (conversionMode && !(c0Wert[1] > 0)) return true;
    double Ueq = 0, value = 0;
    if (!Equilibrium(window, Ueq, value)) {
        platform::MsgBox("numerischer Fehler aufgetreten: Wurzel aus x < 0" + kCrLf + "Überprüfen Sie die Eingabewerte" +
                             kCrLf + kCrLf + "Tipp: Setzen Sie zur Orientierung die Standardwerte",
                         platform::MsgCritical, kTitelGleichgewicht);
        return false;
    }
    if (!conversionMode) {
        if (value == 0) {
            const std::string tail = window == Twin::Batch
                                         ? "Jede beliebige Zeitangabe führt also zum Umsatz U(A) = 0."
                                         : "Jede beliebige Eingabe von Zeit bzw. Rohrlänge führt also zum Umsatz U(A) = 0.";
            platform::MsgBox(std::string(kImGleichgewicht) + kCrLf + kCrLf + tail, platform::MsgExclamation, "Hinweis");
        }
        return true;
    }
    const double U = UmsatzU;
    std::string msg;
    if (value == 0) {
        msg = std::string(kImGleichgewicht) + kCrLf + kCrLf + "Die Vorgabe eines Umsatzes U(A) ist daher nicht möglich.";
    } else if (value > 0 && (U >= Ueq || U < 0)) {
        msg = std::string(kRangeHead) + " 0 < U(A) < " + Short(Ueq) + kCrLf + kCrLf;
    } else if (value < 0 && (U >= 0 || U < Ueq)) {
        msg = std::string(kRangeHead) + Short(Ueq) + " < U(A) < 0" + kCrLf + kCrLf +
              "Ein negativer Wert für den Umsatz U(A) bedeutet, dass im Laufe der Reaktion zusätzliches A entsteht.";
    }
    if (msg.empty()) return true;
    platform::MsgBox(msg, platform::MsgCritical, kTitelGleichgewicht);
    return false;
}

bool ConversionOfA(const ConcVector& c, double& U) {
    if (c0Wert[1] == 0) return false;
    U = (c0Wert[1] - c[1]) / c0Wert[1];
    return std::isfinite(U);
}

TimeSearchRule BatchSearchRule() {
    TimeSearchRule rule;
    if (aktModell == 5 || aktModell == 16)
        rule.t0 = FuHalbwertszeitA(c0Wert[1], c0Wert[2], c0Wert[4], kWert[1], kWert[2]);
    rule.h0 = rule.t0 / 1000;
    return rule;
}

TimeSearchRule TubeSearchRule() {
    TimeSearchRule rule;
    rule.h0 = 0.001 / 500;
    rule.stepFollowsCorrection = true;
    rule.reflectNegative = false;
    rule.maxRounds = 100;
    rule.tolerance = 1e-6;
    return rule;
}

bool SearchTimeForConversion(const TimeSearchRule& rule, double U) {
    double t = rule.t0;
    double h = rule.h0;
    for (int round = 1; round <= rule.maxRounds; ++round) {
        ConcVector c1{}, c2{};
        double U1 = 0, U2 = 0;
        if (!BatchAt(t, c1) || !ConversionOfA(c1, U1)) return false;
        if (!BatchAt(t + h, c2) || !ConversionOfA(c2, U2)) return false;
        const double f1 = U - U1;
        const double f2 = U - U2;
        if (f2 == f1) return false;
        const double dt = -f1 * h / (f2 - f1);
        if (!std::isfinite(dt)) return false;
        if (rule.stepFollowsCorrection) h = dt;
        t += dt;
        if (rule.reflectNegative && t < 0) t = h - t;
        tauMittel = t;
        cAktuell = c2;
        if (std::fabs(dt / t) < rule.tolerance) {
            // The shown concentrations belong to the shown time, not to the last difference point.
            ConcVector c{};
            if (!BatchAt(t, c)) return false;
            cAktuell = c;
            return true;
        }
    }
    return false;
}

void WriteOrderModelCaption(QLabel* label) {
    label->setText(QString::fromStdString("kinet. Modell:  " + ModellName[20] + " (n = " +
                                          platform::FormatSingle(ReaktOrdnung, "0.00") + ")"));
}

void DrawTwinTimeCourse(CalcWindow& window, Twin twin, const char* messageTitle) {
    for (int s = 1; s <= kSpecies; ++s) c0Wert[s] = BoxValue(window.Inp[s - 1]);
    for (int k = 1; k <= 3; ++k) kWert[k] = BoxValue(window.Inp[9 + k]);
    nZeitPunkte = kZeitIntervalle;
    if (static_cast<int>(tWerte.size()) <= nZeitPunkte) RedimCurves(nZeitPunkte + 100);
    int err = 0;
    try {
        CalcZeitverlauf(aktModell, tauMittel, err);
    } catch (const std::exception&) {
        err = kTrue;
    }
    if (twin == Twin::Tube) RohrAktiv = kTrue;
    // A failed time course leaves the open diagram as it is.
    if (err != 0) {
        platform::MsgBox("Berechnungsfehler aufgetreten", platform::MsgCritical, messageTitle);
        return;
    }
    HandOverReactorDiagram();
}

void LayoutTwinBoxes(CalcWindow& w, const QString& inletHead, const QString& outletHead, int extentTop) {
    constexpr int kInlet = 3500, kOutlet = 5600, kRow = 330, kLabel = 500;
    PlaceTw(w.Label7, 0, 60, kTwinWidth - 70, 280);
    auto head = [&w](const char* name, const QString& text, int left) {
        auto* label = new QLabel(text, &w);
        label->setObjectName(name);
        PlaceTw(label, left, 420, 1500, 260);
    };
    head("lblKopfC0", inletHead, kInlet);
    head("lblKopfC", outletHead, kOutlet);
    static const char* const letters[5] = {"A", "B", "C", "P", "Q"};
    for (int i = 0; i < 5; ++i) {
        const int top = 720 + i * kRow;
        for (int column : {0, 5}) {
            const int left = column == 0 ? kInlet : kOutlet;
            w.lblStoff[column + i]->setText(letters[i]);
            PlaceTw(w.lblStoff[column + i], left - kLabel, top + 20, 450, 280);
            PlaceTw(w.Inp[column + i], left, top, 1500, 300);
        }
        LockBox(w.Inp[5 + i], true);
    }
    QLabel* units[3] = {w.unit1, w.unit2, w.unit3};
    // The unit column holds the longest unit caption; the default button stands right of it.
    const int unitWidth =
        std::max(1500, platform::PixelsToTwips(w.unit1->fontMetrics().horizontalAdvance(kLongestRateUnit) + 4));
    // A rate constant converted to another time unit may need seven digits and an exponent.
    const int boxWidth = std::max(1500, NumberBoxTwips(w.Inp[10]));
    for (int k = 0; k < 3; ++k) {
        const int top = 2500 + k * kRow;
        w.Bz[5 + k]->setText(QStringLiteral("k%1").arg(k + 1));
        PlaceTw(w.Bz[5 + k], kInlet - kLabel, top + 20, 450, 280);
        PlaceTw(w.Inp[10 + k], kInlet, top, boxWidth, 300);
        PlaceTw(units[k], kInlet + boxWidth + 60, top + 20, unitWidth, 280);
    }
    PlaceTw(w.cmdReset_k, std::max(kOutlet + 200, kInlet + boxWidth + 60 + unitWidth + 100), 2500, 2300, 360);

    w.fraKsi->setTitle(QString::fromUtf8("Reaktionslaufzahlen"));
    PlaceTw(w.fraKsi, 60, extentTop, 2850, 1350);
    PlaceTw(w.lblTextKsi_1, 100, 300, 2700, 280);
    PlaceTw(w.lblTextKsi_2, 100, 620, 2700, 280);
    PlaceTw(w.cmdCloseKsi, 2400, 950, 360, 300);
    w.fraKsi->raise();
}

void LayoutTwinButtons(CalcWindow& w, QPushButton* calc, int top, QPushButton* help, QPushButton* esc,
                       int footerTop) {
    PlaceTw(calc, kTwinOptionLeft, top, 1700, 420);
    PlaceTw(w.cmdDiagram, kTwinOptionLeft + 1800, top, 1700, 420);
    PlaceTw(w.cmdShowKsi, kTwinHintLeft, top, 1950, 420);
    if (w.cmdProtocol) PlaceTw(w.cmdProtocol, kTwinOptionLeft, top + 500, 2600, 380);
    PlaceTw(w.chkDelDiagram, 120, footerTop, 4500, 280);
    PlaceTw(w.chkSpecialScaling, 120, footerTop + 300, 4700, 280);
    for (int i = 0; i < 5; ++i) PlaceTw(w.optSpecialScaling[i], 4900 + i * 600, footerTop + 300, 560, 280);
    PlaceTw(help, kTwinBoxLeft, footerTop + 650, 1400, 380);
    PlaceTw(esc, kTwinBoxLeft + 1500, footerTop + 650, 1800, 380);
}

void LockBox(QLineEdit* box, bool locked) {
    box->setReadOnly(locked);
    box->setStyleSheet(locked ? kLockedBoxStyle : "QLineEdit { background-color: white; }");
}

QString NumberText(double value) { return QString::fromStdString(Short(value)); }

bool TwinChecksPass(CalcWindow& window, TwinInputs in, const char* inputTitle, bool disableDiagram) {
    in.inp1Shown = !window.Inp[1]->isHidden();
    in.inp11Shown = !window.Inp[11]->isHidden();
    in.inp12Shown = !window.Inp[12]->isHidden();
    const std::string complaints = TwinInputComplaints(in);
    if (!complaints.empty()) {
        if (disableDiagram) window.cmdDiagram->setEnabled(false);
        platform::MsgBox(complaints, platform::MsgCritical, inputTitle);
        return false;
    }
    return TwinEquilibriumCheck(in.window, in.conversionMode);
}

bool RunWithWaitCursor(const std::function<bool()>& calculate) {
    WaitCursorOn();
    bool ok = false;
    try {
        ok = calculate();
    } catch (const std::exception&) {
        ok = false;
    }
    WaitCursorOff();
    return ok;
}

void ShowConversionOfRun(CalcWindow& window) {
    double U = 0;
    const bool defined = ConversionOfA(cAktuell, U);
    UmsatzU = defined ? U : 0;
    window.Inp[13]->setText(defined ? NumberText(UmsatzU) : QString());
}

void ShowTwinExtents(CalcWindow& window) {
    try {
        CalcKsi(KsiWerte);
    } catch (const std::exception&) {
        KsiWerte.fill(0);
    }
    window.cmdShowKsi->setEnabled(true);
    window.cmdDiagram->setEnabled(true);
}

void SetUpSpecialScaling(CalcWindow& window) {
    if (SpezSkalierungStoff == 0) {
        SpezSkalierung = kFalse;
        SpezSkalierungStoff = 1;
    }
    window.chkSpecialScaling->setChecked(SpezSkalierung != 0);
    if (SpezSkalierungStoff >= 1 && SpezSkalierungStoff <= kSpecies)
        window.optSpecialScaling[SpezSkalierungStoff - 1]->setChecked(true);
    for (auto* option : window.optSpecialScaling) option->setEnabled(window.chkSpecialScaling->isChecked());
}

void ActivateTwin(CalcWindow& window, QRadioButton* conversionOption, QLabel* Label5) {
    if (KurvenHinzufuegen != 0 && nKurven == 0) KurvenHinzufuegen = kFalse;
    window.chkDelDiagram->setEnabled(IsFormLoaded("frmTGraph2D") && nKurven > 0);
    if (window.chkDelDiagram->isChecked() != (KurvenHinzufuegen != 0)) {
        window.chkDelDiagram->setChecked(KurvenHinzufuegen != 0);
        window.chkDelDiagram_Click();
    }
    QString tip;
    if (NegUmsatzErlaubt == 0) {
        Label5->setText(QStringLiteral("0 < U(A) < 1"));
    } else {
        Label5->setText(QStringLiteral("U(A) < 1"));
        tip = QString::fromUtf8(
            " im Fall U(A) < 0: negativer Umsatz U(A) bdeutet Zunahme von Stoff A (umkehrbare Reaktion!) ");
    }
    conversionOption->setToolTip(tip);
    window.Inp[13]->setToolTip(tip);
}

}  // namespace simulation
