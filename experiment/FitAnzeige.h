#pragma once
// What the fitting window shows besides its inputs: the sum of squares behind the RMS read-out,
// the RMS text, the Eyring entropy of a pre-factor, the standard-deviation texts and the result
// text of the diagram. Free of windows; reads the shared state (fit mode DiagVariante, kTFunktion,
// the measured data set, the model parameters).
#include <array>
#include <string>

namespace experiment {

constexpr double kBoltzmannKB = 1.38066e-23;   // J/K
constexpr double kPlanckH = 6.62618e-34;       // J s
constexpr double kNullErsatz = 1e-8;           // a typed 0 (or an empty box) is taken as this
constexpr double kStartwertNichtIsotherm = 100;  // replaces an unusable start value of modes 6, 7
constexpr double kStdDevUnbekannt = 9999;        // shown for a standard deviation that was not computed

// True in the non-isothermal fit modes (DiagVariante 6 and 7).
bool NichtIsotherm();

// True while the fitting window is open: it keeps its fit mode DiagVariante then.
bool AnpassungOffen();
// True while the fitting window is open in mode 6 or 7: kTFunktion and the Arrhenius / Eyring
// parameters (ArrhA, ArrhEA, EyrFaktor, EyrS, EyrH) belong to that fit.
bool NichtIsothermeAnpassungOffen();

// The measured rows a fit and the RMS read-out count: the active ones, in modes 6 and 7 only
// those with T > 0 (as the fitting objective counts them).
int ZahlBeitragendeZeilen();

// Number of "1" among the first three characters of a parameter mask ("110" gives 2).
int ZahlFitParameter(const std::string& paramMaske);

// Activation entropy s# = R ln(p1 h f / kB) (J/(mol K)) of the Eyring pre-factor p1 per time unit
// and kelvin, f being one second in the current time unit. False (s unchanged) when the argument of
// the logarithm is not positive or the result is not finite.
bool EyringEntropie(double p1, double& s);

// The read-out of an entropy: " " + s formatted with mask + " J/(mol K)".
std::string EntropieText(double s, const std::string& mask);

// Start-value repair of the non-isothermal modes: p(1) and p(2) that are not above 0 or not
// finite become 100; every usable value stays (activation energies and pre-factors are large).
void RepariereStartwerte(std::array<double, 4>& p);

// The sum of squares of the RMS read-out at the current parameters. Isothermal: over the species
// slots s with species[s] set and the active rows, (model c(s) - measured c(s))^2, each species on
// its own; rows whose model value cannot be computed add nothing. Non-isothermal: the sum of the
// squared row residuals of the fitting objective at FitParameter (rows that fail add nothing).
double calcFQS(const std::array<bool, 6>& species);

// RMS = sqrt(fqs / nRows) as a Single (0 for fewer than two rows), formatted "0.0000" from 0.1 up
// and "0.0000 E+##" below.
std::string RmsText(double fqs, int nRows);

// A standard deviation as the window shows it: Format(|sd|, "0.0 E+##"); the engine's marker for
// "not computable" (-9999) thus reads "1.0 E+4", and a value that is not finite reads as 9999.
std::string StdDevText(double sd);

// The result text of the fit for the diagram's extra text block (model line, then the parameters
// of the current mode as the ParamMaske names them; mode 2 names the order n). Each value follows its
// label directly as a Single in the default text form with the locale's decimal separator
// ("k1 =0,05024286"); the text is only read, never read back like the parameter boxes.
std::string FitErgebnisText();

}  // namespace experiment
