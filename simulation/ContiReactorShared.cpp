#include "simulation/ContiReactorShared.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/Twips.h"
#include "platform/WindowRegistry.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "simulation/CalcWindow.h"

using namespace kernel;

namespace simulation {

namespace {

constexpr float kStandardOrdnung = 1.5f;

bool Shown(const CalcWindow& window, int slot) {
    const QLineEdit* box = window.Inp[static_cast<std::size_t>(slot)];
    return box != nullptr && !box->isHidden();
}

}  // namespace

bool ContiModeGives(int mode, int slot) {
    switch (mode) {
    case 0: return slot == kSlotU || slot == kSlotV;
    case 1: return slot == kSlotU || slot == kSlotVPunkt;
    case 2: return slot == kSlotV || slot == kSlotVPunkt;
    case 3: return slot == kSlotTau || slot == kSlotV;
    case 4: return slot == kSlotTau || slot == kSlotVPunkt;
    default: return false;
    }
}

void ApplyContiMode(CalcWindow& window, int mode) {
    for (int slot = kSlotU; slot <= kSlotTau; ++slot) {
        QLineEdit* box = window.Inp[static_cast<std::size_t>(slot)];
        const bool given = ContiModeGives(mode, slot);
        box->setReadOnly(!given);
        box->setStyleSheet(given ? QStringLiteral("QLineEdit { background-color: #FFFFFF; }")
                                 : QString::fromLatin1(kLockedBoxStyle));
    }
}

std::string InletAndRateComplaints(const CalcWindow& window) {
    std::string text;
    auto add = [&text](const std::string& line) { text += line + CrLf; };
    const double a = c0Wert[1], b = c0Wert[2], p = c0Wert[4], q = c0Wert[5];

    if (aktModell == 20 && !(ReaktOrdnung > 0)) {
        add("- Eingabewert der Reaktionsordnung muss größer Null sein");
        ReaktOrdnung = kStandardOrdnung;
        if (IsFormLoaded("frmKinModel")) platform::Forms().SetText("frmKinModel", "txtOrdnung", -1, " 1.5");
    }
    text += InitialAComplaints();
    if (Shown(window, 1) && b <= 0) {
        if (IstUmkehrbar) {
            if (a > 0) add("- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)");
        } else {
            add(aktModell == 10 ? "- noch keine gültige Eingabe einer Anfangskonzentration c(S,0)"
                                : "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)");
        }
    }
    if (aktModell == 19 && !(b > 0) && !(p > 0) && !(q > 0))
        add("- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!");
    if ((aktModell == 5 || aktModell == 16) && p <= 0)
        add("- für Autokatalyse muss ein (geringes) c(P,0) gegeben sein, sonst springt die Reaktion nicht an");
    if (kWert[1] <= 0) add("- Geschwindigkeitskonstante k1 muss größer Null sein");
    if (Shown(window, 11) && kWert[2] <= 0) {
        add("- Geschwindigkeitskonstante k2 muss größer Null sein");
        add("  (Sie können aber einen extrem kleinen Wert eingeben)");
    }
    if (Shown(window, 12) && kWert[3] <= 0) add("- Geschwindigkeitskonstante k3 muss größer Null sein");
    return text;
}

std::string QuantityComplaints(int mode, double V, double VPunkt, double tau) {
    std::string text;
    if (ContiModeGives(mode, kSlotV) && !(V > 0)) text += "- Das Reaktionsvolumen muss größer Null sein." + CrLf;
    if (ContiModeGives(mode, kSlotVPunkt) && !(VPunkt > 0)) text += "- Der Volumenstrom muss größer Null sein." + CrLf;
    if (ContiModeGives(mode, kSlotTau) && !(tau > 0)) text += "- Die Zeitangabe muss größer Null sein." + CrLf;
    return text;
}

bool InletAtEquilibrium(int model, const ConcVector& c0, double k1, double k2) {
    if (model != 8 && model != 12 && model != 17 && model != 19) return false;
    const double a = c0[1], b = c0[2], p = c0[4], q = c0[5];
    if (!(a > 0) || !(k2 != 0)) return false;
    if (model != 8 && !(b > 0)) return false;
    const double K = k1 / k2;
    double quotient = 0;
    switch (model) {
    case 8: quotient = p / a; break;
    case 12: quotient = p * p / (b * a); break;
    case 17: quotient = p / (b * a); break;
    default: quotient = q * p / (b * a); break;
    }
    return quotient == K;
}

void ShowEquilibriumNote() {
    platform::MsgBox("Bei dieser umkehrbaren Reaktion herrscht bereits im Eingangsgemisch chemisches Gleichgewicht." +
                         CrLf + "Bei jeder beliebigen Zeit-Eingabe wird also ein Umsatz U(A) = 0 erhalten.",
                     platform::MsgInformation, "Hinweis");
}

std::string Model20Caption() {
    return "kinet. Modell:  " + ModellName[20] + " (n = " + platform::FormatSingle(ReaktOrdnung, "0.00") + ")";
}

QGroupBox* BuildRateFrame(CalcWindow& window, const RateRows& rows) {
    auto* frame = new QGroupBox(QString::fromUtf8("Geschwindigkeitskonstante(n)"), &window);
    frame->setObjectName("fraK");
    QLabel* units[3] = {window.unit1, window.unit2, window.unit3};
    // A constant converted to another time unit may need seven digits and an exponent, and the
    // longest unit is that of a second-order constant in minutes.
    const int boxWidth = NumberBoxTwips(window.Inp[10]);
    const int unitLeft = rows.boxLeft + boxWidth + 50;
    const int unitWidth = platform::PixelsToTwips(window.unit1->fontMetrics().horizontalAdvance(kLongestRateUnit) + 4);
    for (int j = 0; j < 3; ++j) {
        const int top = rows.top + j * rows.pitch;
        QLabel* name = window.Bz[static_cast<std::size_t>(j + 5)];
        QLineEdit* box = window.Inp[static_cast<std::size_t>(j + 10)];
        name->setParent(frame);
        PlaceTw(name, rows.labelLeft, top + 20, rows.boxLeft - rows.labelLeft - 50, rows.height - 20);
        box->setParent(frame);
        PlaceTw(box, rows.boxLeft, top, boxWidth, rows.height);
        units[j]->setParent(frame);
        PlaceTw(units[j], unitLeft, top + 20, unitWidth, rows.height - 20);
    }
    return frame;
}

std::string Short(double value) { return platform::StrSingle(static_cast<float>(value)); }

}  // namespace simulation
