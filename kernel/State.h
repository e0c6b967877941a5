#pragma once
// The shared kinetic state: one instance of each variable, read and written directly by the
// kernel procedures and the windows. Defined once in State.cpp.
//
// Conventions kept from the program's design:
// - species slots 1..5 (A, B, C, P, Q; the enzyme model E, S, ES, P); slot 0 is never used;
// - flags held in int use -1 for true and 0 for false (files store them that way);
// - "Single" quantities are float, "Double" quantities double;
// - arrays that are re-dimensioned while the program runs are std::vector, indexed from 0.
#include <array>
#include <string>
#include <vector>

namespace kernel {

constexpr int kTrue = -1;
constexpr int kFalse = 0;

constexpr int kSpecies = 5;           // species slots 1..5
constexpr int kModels = 20;           // models 1..20
constexpr int BAKModellCode = 500;    // model number while the blood-alcohol window is open
constexpr int kEnzymRcsProjektCode = 100;  // model 10 in its r(P)-c(S) mode, as the project file stores it
constexpr double kMissingValue = 1e308;    // a point that leaves a gap in a drawn curve

// One row of measured data; fields in file order t, c(1..5), T, k, lambda, spare, res3, res4, exclude.
struct ExpPunkt {
    double t = 0;                     // time in the current unit (r(P) in the enzyme r(P)-c(S) mode)
    std::array<double, 6> c{};        // concentrations, slots 1..5
    double T = 0;                     // temperature in K
    double k = 0;                     // rate constant
    float lambda = 0;                 // conductivity or another concentration-proportional quantity
    float spare = 0;
    float res3 = 0;
    float res4 = 0;
    int exclude = 0;                  // -1 inactive, 0 active
};

// One point of the X-Y editor and of computed point lists.
struct XYPunkt {
    float x = 0;
    float y = 0;
    float status = 0;                 // 0 active, -1 inactive
    float spare = 0;
};

// The diagram hand-over record passed to the diagram set-up.
struct DiagRecord {
    int Quelle = 0;                   // source kind
    float xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    float xMin2 = 0, yMin2 = 0, xMax2 = 0, yMax2 = 0;  // second axis range, set by the coordinate panel
    std::string Header, xTitel, yTitel;
    bool SonderFenster = false;       // the diagram uses the second remembered window geometry
};

constexpr int kProtokollSpalten = 22;
using ProtokollZeile = std::array<float, kProtokollSpalten>;

// ---- Model and parameters -------------------------------------------------
extern int aktModell;                       // current model 1..20 (500: blood alcohol); start 2
extern std::array<std::string, 21> ModellName;
extern std::array<double, 4> kWert;         // k1..k3 in slots 1..3
extern std::array<double, 6> c0Wert;        // initial / inlet concentrations, slots 1..5
extern std::array<double, 6> cAktuell;      // concentrations handed to the rate laws; reactor outlets
extern float ReaktOrdnung;                  // order n of model 20; start 1.5
extern double FitOrdnung;                   // unrounded order the rate laws take instead while the order
                                            // fit computes a time course; NaN otherwise
extern int EinfacheReaktion;                // flag: one reaction step only
extern int IstUmkehrbar;                    // flag: the current model has a reversible step
extern int NegUmsatzErlaubt;                // flag
extern int HalbwertszeitNumerisch;          // flag: half-life taken from the computed curve
extern float StoechMatrix[6][4];            // (species slot 1..5, reaction 1..3)
extern std::array<double, 4> KsiWerte;      // extents of reaction in slots 1, 2; slot 3 only cleared
extern std::string KurvenMaske;             // "10010": species A B C P Q drawn
extern std::string ParamMaske;              // "100": k1 k2 k3 used

// ---- Time -------------------------------------------------------------------
extern std::string ZeitEinheit;             // "s", "min", "h", "d", "a"; start "s"
extern int ZeitEinheitNr;                   // current unit index 0..4
extern int ZeitEinheitIdx;                  // unit index before a change; start 1
extern double ZeitFaktor[5][5];             // (i, j) = length of unit i / length of unit j
extern double tMax;                         // time span of the time course
extern double tauMittel;                    // mean residence time / reaction time

// ---- Reactor quantities -------------------------------------------------------
extern double UmsatzU;                      // conversion U(A), fraction
extern double VPunkt;                       // volume flow, m^3 per time unit
extern double RohrV;                        // flow velocity in the tube, m per time unit
extern double RohrL;                        // tube length, m
extern int CalcModeConti;                   // calculation mode of stirred tank and cascade; start 3
extern int nKaskade;                        // cascade stages N
extern std::vector<std::array<double, 6>> cKaskade;  // [stage 0..N+1][species slot]
extern std::vector<ProtokollZeile> ErgebnisZeilen;   // rows of the last reactor result
extern int BatchEingabeModus;               // 0 time, 1 conversion
extern int InpSelectRohr;                   // 0..2
extern int RuehrerAnimation;                // flag
extern int ContiHinweisOffen;               // flag; start -1
extern float KaskadeFuellPause;            // wait between the tanks of the cascade while they are coloured, s; start 0.3
extern float KaskadeAufbauPause;           // wait between the tanks while the cascade is drawn anew, s; start 0.02
extern int nKesselVZ;                       // tanks of the tracer experiment, 0 until first opened
extern int nKesselVC;                       // tanks of the residence-time distribution; start 1
extern std::string TabellenDatei;           // file title of the last saved value table
extern std::vector<float> VZKurve;          // [0] = step count n of the last tracer run, 1..n = c/c0

// ---- Result curves --------------------------------------------------------------
extern int nZeitPunkte;                     // index of the last valid point
extern std::vector<double> tWerte;
extern std::vector<double> cKurveA, cKurveB, cKurveC, cKurveP, cKurveQ;
extern std::vector<float> rKurveA, rKurveB, rKurveC, rKurveP, rKurveQ;
// Concentration / rate curve of species slot 1..5.
std::vector<double>& cKurve(int slot);
std::vector<float>& rKurve(int slot);

// ---- Enzyme kinetics (model 10) -------------------------------------------------
extern double KMichaelis;                   // KM = (k2 + k3) / k1
extern int MMDiagramm;                      // flag: r(P) over c(S)
extern int MMNormiert;                      // flag: x axis c(S)/KM; start true
extern float cSmax;                         // start 0.15
extern int EnzymRcsModus;                   // flag: data hold r(P) over c(S); start true

// ---- Half-lives ----------------------------------------------------------------------
extern float HalbwertA;
extern float HalbwertB;

// ---- Measured data ----------------------------------------------------------------------
extern std::vector<ExpPunkt> ExpDaten;      // rows 1..nMesspunkte; row 0 unused
extern int nMesspunkte;
extern std::array<float, 6> c0Mess;         // concentrations of the row at t = 0
extern double lambdaNull;
extern double lambdaInf;
extern std::string DatenKommentar;
extern int ExpDataChanged;                  // flag
extern int AppendExpFile;                   // flag
extern std::string DatenFile, DatenFileTitel, DatenPfad;
extern int DatenIstSession;                 // flag
extern std::array<int, 6> DatenSpalte;      // flags: the data hold values of slot i
extern std::vector<float> TempListe;        // distinct temperatures, elements 1..nTemperaturen
extern int nTemperaturen;
extern int nctPunkte, nInaktiv, nAnull, nkTPunkte;
extern int NichtIsothermMoeglich;           // flag
extern int LambdaMoeglich;                  // flag
extern int LambdaModus;                     // flag
extern double LambdaSumme;
extern float DatencA0, DatencB0, DatenTmax;
extern double DatenTEnde;                   // largest t of the data set
extern int DezKomma;                        // flag: the locale's decimal separator is a comma
extern int ABGleich;                        // flag: 2nd-order evaluation of A + B with equal c0

// ---- Spline ----------------------------------------------------------------------------------
extern std::vector<double> AkimaX;          // knots 1..n ([0] holds n after a numeric time course)
extern std::array<std::vector<double>, 6> AkimaY, AkimaD, AkimaC, AkimaB, AkimaA;  // [slot][knot]
// Species slot 1..5 whose measured points the spline arrays hold (knot count in AkimaX[0]);
// 0 while they hold a numeric time course or nothing.
extern int AkimaMessSpezies;
extern float SmoothingFactor;
extern std::array<double, 6> RegressKoeff;   // basis values F(1..5) of the last regression point
// x, y and weight of the points of the last evaluation plot, elements 1..n (element 0 unused).
extern std::vector<float> RegressX, RegressY, RegressW;
extern int TangentSpecies;                  // 1..5

// ---- Fitting ---------------------------------------------------------------------------------------
extern int DiagVariante;                    // 0 none, 1 k, 2 order, 6/7 non-isothermal
extern int kTFunktion;                      // 1 Arrhenius, 2 Eyring
extern std::array<double, 4> FitParameter;  // 1..3
extern int FitAnzeigeModus;                 // 0 manual, 1 automatic panel
extern double ArrhA, ArrhEA;                // start 100 each
extern double EyrFaktor, EyrH, EyrS;
extern int SpezSkalierung;                  // flag
extern int SpezSkalierungStoff;             // 1..5, 0 none

// ---- Diagram requests and curve bookkeeping ----------------------------------------------------------
extern int aktDiagrammCode;
extern int ZeichnenOffen;                   // curves still to draw
extern int RateDiagramm, MitPunkten, KurvenHinzufuegen;  // flags
extern int RohrAktiv, ContiAktiv, KaskadeAktiv, KaskadeUeberTau;  // flags
extern int kTDiagramm, rcSDiagramm;         // flags
extern int LegendVisible;
extern DiagRecord DiagRec;
extern std::array<float, 38> AchsenGrenzen; // (min, max) pairs per plotted quantity
extern std::vector<XYPunkt> KurvenPunkte;   // [0].x = point count; 0..2000 at start-up
extern std::vector<XYPunkt> XYZeichenPunkte;// [0].x = point count
extern int nXYPunkte;
extern std::string XYDateiName, XYPfad, XYTrenner;

// Curve and point-set slots of the diagram window (slots 1..24 and 1..12; index 0 unused).
constexpr int kMaxKurven = 24;
constexpr int kMaxPunktsaetze = 12;
extern int nKurven;                         // occupied curve slots 0..24
extern int aktKurve;                        // slot drawn last
extern std::array<int, 25> KurveFrei;       // flags: slot free
extern std::array<int, 25> KurvenFarbe;     // colour per slot (RGB Long: r + 256 g + 65536 b)
extern std::array<std::string, 25> KurvenInfo1, KurvenInfo2;  // status-bar texts per slot
extern int FarbVorwahl;                     // colour of the next drawing action; start pure blue
extern int CalcCurveFehler;                 // flag left by the curve calculation
extern std::string GrafMeldung;             // its result or failure text
extern int nPunktsaetze;                    // point set touched last, 0..12
extern int aktPunktsatz;                    // point sets handed over by the X-Y editor
extern std::array<int, 13> PunktsatzFrei;   // flags: point set free
extern std::array<int, 13> PunktsatzFarbe;  // colour per point set
extern int MausSerie;                       // series found by the last mouse search, -1 none
// Diagram window geometry in twips, order top, left, width, height: normal / special window.
extern std::array<int, 4> GeoGraph2D, GeoGraph2DXY;
extern int GrafAusgabeModus;                // text element the text panel works on, 1..5
extern int PrintMode;                       // 1 clipboard, 2 picture file, 3 printer
extern int GraphFormatCode;
extern int PrintScaleCode;                  // printer scaling: 5 full A4 page, 3 given height, 2 given width
extern int ErsterDiagrammStart;             // flag: no diagram window opened yet; start true
extern int GridModus;                       // grid line pattern: 2 solid, 4 dotted
// Diagram colours (RGB Long), kept between diagram windows.
extern int ColOuterMargin, ColInnerMargin, ColSheetFore, ColPlotArea, ColGrid, ColAxis;
extern int ColHeaderFore, ColHeaderBack, ColLegendFore, ColLegendBack;
extern int BlackSheet;                      // flag: the black colour preset is in force

// ---- Blood alcohol (read by the diagram window) ------------------------------------------------------
extern int BAKtmax;                         // x maximum of the diagram, minutes
extern int BAKUnitGL;                       // flag: g/L (else g/kg)
extern int BAKNurAufbau;                    // flag: resorption only
extern int BAKKeinAbbau;                    // flag: no elimination
extern float BAKr;                          // distribution factor, L/kg
extern float BAKKoerpermasse;               // kg
extern int BAKRD;                           // resorption deficit, %
extern float BAKbeta60;                     // g/(L h)
extern int BAKModifiziert;                  // flag: modified elimination near zero
extern std::array<int, 9> BAKTrinkStart;    // start minute of drink 1..8 from the first drink; -1 none
extern std::array<float, 9> BAKAlkMasse;    // alcohol mass of drink 1..8, g; <= 0 none
extern std::array<float, 8> BAKkres;        // absorption constant of drink i at index i-1, 1/h
extern std::array<float, 1000> BAKKurve;    // blood alcohol at minute 0..999, g/L
extern std::array<float, 9> BAKGlasVol;     // glass volume of drink 1..8, ml
extern std::array<float, 9> BAKVolProzent;  // alcohol content of drink 1..8, vol-%
extern float BAKkresStandard;               // standard absorption constant shown in the window, 1/h
extern int gIndex;                          // shared loop counter

// ---- Common utilities ----------------------------------------------------------------------------------
extern int Sanduhrzaehler;                  // nesting depth of the hourglass pointer

// ---- Application shell: project names, protocol, window positions ------------------------------------
extern std::string ProjektPfad;             // directory of project files
extern std::string TabellenPfad;            // directory of value tables
extern std::string OC2Pfad;                 // directory of chart layout files
extern std::string KommandoZeile;           // full path of the current project file
extern std::string ProjektFile;             // its file name without directory
extern std::string ProjektKommentar;        // one-line comment of the project
extern std::string SessionFile;             // program directory & "/TarLastSession.TC3"
extern std::string ProtSep;                 // separator of the protocol file; start ";"
extern std::string ProtFile;                // name of the current protocol file (no directory)
extern std::vector<ProtokollZeile> ProtDaten;  // recorded protocol rows 1..ProtZeilen (row 0 unused)
extern int ProtZeilen;                      // number of recorded rows; 0 after each new protocol file
extern int ProtOffen;                       // flag: rows recorded that are not written yet
// Left and Top of a work window in twips, applied by the window when it loads.
struct FormPos {
    int Left = 0;
    int Top = 0;
};
extern FormPos PosKinModel, PosArrhenius, PosBlutalkohol, PosTangente, PosCommentInput, PosCmnDlg;
extern FormPos PosFitting, PosTimeDiagram, PosBatch, PosRKconti, PosRohrreaktor, PosSimTabelle;
extern FormPos PosVerweilCalc, PosVerweilzeit, PosMonteCarlo, PosDatedit, PosKaskade, PosXYEdit;
// Monte-Carlo game settings of the options dialog.
extern int MCMode;                          // 1 first order, 2 equilibrium
extern float MCDelay;                       // extra delay per step, s
extern int MCPointSize;                     // symbol size; 0 reads as 7
extern int MCPunkteGefuellt;                // flag: filled points
extern int FarbeA, FarbeP;                  // molecule colours (RGB Long); start red, blue
extern int BAKInitFlag;                     // flag: the blood-alcohol window sets its defaults

// ---- Program ------------------------------------------------------------------------------------------
extern std::string CrLf;                    // "\r\n"
extern std::string AppPath;                 // the program directory

// Sizes the eleven curve arrays to 0..upper, keeping nothing.
void RedimCurves(int upper);

}  // namespace kernel
