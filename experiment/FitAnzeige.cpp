#include "experiment/FitAnzeige.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kernel/Concentrations.h"
#include "kernel/FitObjective.h"
#include "kernel/State.h"
#include "kernel/Utilities.h"
#include "platform/core/NumberFormat.h"

using namespace kernel;

namespace experiment {
namespace {

constexpr float kRmsGrenze = 0.1f;   // from here on the RMS is shown without exponent

// A value of the result text: a Single in the system's default text form, with the locale's separator.
std::string Zahl(double value) { return platform::CStrSingle(static_cast<float>(value)); }

bool MaskeAn(const std::string& maske, std::size_t i) { return maske.size() > i && maske[i] == '1'; }

// One second in the current time unit.
double SekundenFaktor() {
    return ZeitEinheitNr >= 0 && ZeitEinheitNr <= 4 ? ZeitFaktor[0][ZeitEinheitNr] : 1.0;
}

}  // namespace

bool NichtIsotherm() { return DiagVariante > 5; }

bool AnpassungOffen() { return IsFormLoaded("frmTFitting"); }

bool NichtIsothermeAnpassungOffen() { return AnpassungOffen() && NichtIsotherm(); }

int ZahlBeitragendeZeilen() {
    FitObjective objective{FitSettings{}};
    int n = 0;
    for (int i = 1; i <= nMesspunkte; ++i) n += objective.RowContributes(i) ? 1 : 0;
    return n;
}

int ZahlFitParameter(const std::string& paramMaske) {
    int n = 0;
    for (std::size_t i = 0; i < 3; ++i) n += MaskeAn(paramMaske, i) ? 1 : 0;
    return n;
}

bool EyringEntropie(double p1, double& s) {
    const double x = p1 * kPlanckH * SekundenFaktor() / kBoltzmannKB;
    if (!(x > 0)) return false;
    const double wert = kGaskonstanteR * std::log(x);
    if (!std::isfinite(wert)) return false;
    s = wert;
    return true;
}

std::string EntropieText(double s, const std::string& mask) {
    return " " + platform::FormatSingle(static_cast<float>(s), mask) + " J/(mol K)";
}

void RepariereStartwerte(std::array<double, 4>& p) {
    for (int i = 1; i <= 2; ++i)
        if (!(p[i] > 0) || !std::isfinite(p[i])) p[i] = kStartwertNichtIsotherm;
}

double calcFQS(const std::array<bool, 6>& species) {
    double sum = 0;
    const int n = std::min(nMesspunkte, static_cast<int>(ExpDaten.size()) - 1);
    if (NichtIsotherm()) {
        FitSettings settings;
        settings.chkConcFQS = species;
        FitObjective objective(settings);
        std::vector<double> p(FitParameter.begin(), FitParameter.end());
        for (int i = 1; i <= n; ++i) {
            double r = 0;
            int err = 0;
            objective.CalcResiduals(i, p, r, err);
            if (err == 0) sum += r * r;
        }
        return sum;
    }
    for (int j = 1; j <= kSpecies; ++j) {
        if (!species[static_cast<std::size_t>(j)]) continue;
        for (int i = 1; i <= n; ++i) {
            const ExpPunkt& row = ExpDaten[static_cast<std::size_t>(i)];
            if (row.exclude == -1) continue;
            ConcVector cSim{};
            int err = 0;
            CalcKonzentrationen(aktModell, row.t, cSim, err);
            if (err != 0) continue;
            const double d = cSim[static_cast<std::size_t>(j)] - row.c[static_cast<std::size_t>(j)];
            if (std::isfinite(d)) sum += d * d;
        }
    }
    return sum;
}

std::string RmsText(double fqs, int nRows) {
    const auto FQS = static_cast<float>(fqs);
    float rms = 0;
    if (nRows > 1) rms = std::sqrt(FQS / static_cast<float>(nRows));
    return platform::FormatSingle(rms, rms >= kRmsGrenze ? "0.0000" : "0.0000 E+##");
}

std::string StdDevText(double sd) {
    return platform::Format(std::isfinite(sd) ? std::fabs(sd) : kStdDevUnbekannt, "0.0 E+##");
}

std::string FitErgebnisText() {
    const std::string kopf =
        "kinet. Modell: " + (aktModell >= 0 && aktModell <= kModels ? ModellName[aktModell] : std::string()) + CrLf;
    std::string text = kopf + "k1 =" + Zahl(kWert[1]);
    if (MaskeAn(ParamMaske, 1)) {
        if (DiagVariante == 2) {
            text += ", n =" + Zahl(ReaktOrdnung);
        } else if (DiagVariante == 1) {
            text += ", k2 =" + Zahl(kWert[2]);
        } else if (NichtIsotherm()) {
            text = kopf;
            if (kTFunktion == 2)
                text += " Eyring s# = " + Zahl(EyrS) + " J/(mol K)" + ", Eyring h# =" + Zahl(EyrH) + " J/mol ";
            else
                text += "Arrhenius-A = " + Zahl(ArrhA) + ", EA =" + Zahl(ArrhEA) + " J/mol";
        }
    }
    if (MaskeAn(ParamMaske, 2)) text += ", k3 =" + Zahl(kWert[3]);
    return text;
}

}  // namespace experiment
