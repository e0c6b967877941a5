#include "kernel/State.h"

#include <limits>

namespace kernel {

int aktModell = 2;
std::array<std::string, 21> ModellName;
std::array<double, 4> kWert{};
std::array<double, 6> c0Wert{};
std::array<double, 6> cAktuell{};
float ReaktOrdnung = 1.5f;
double FitOrdnung = std::numeric_limits<double>::quiet_NaN();
int EinfacheReaktion = 0;
int IstUmkehrbar = 0;
int NegUmsatzErlaubt = 0;
int HalbwertszeitNumerisch = 0;
float StoechMatrix[6][4] = {};
std::array<double, 4> KsiWerte{};
std::string KurvenMaske;
std::string ParamMaske;

std::string ZeitEinheit = "s";
int ZeitEinheitNr = 0;
int ZeitEinheitIdx = 1;
double ZeitFaktor[5][5] = {};
double tMax = 0;
double tauMittel = 0;

double UmsatzU = 0;
double VPunkt = 0;
double RohrV = 0;
double RohrL = 0;
int CalcModeConti = 3;
int nKaskade = 0;
std::vector<std::array<double, 6>> cKaskade;
std::vector<ProtokollZeile> ErgebnisZeilen;
int BatchEingabeModus = 0;
int InpSelectRohr = 0;
int RuehrerAnimation = 0;
int ContiHinweisOffen = kTrue;
float KaskadeFuellPause = 0.3f;
float KaskadeAufbauPause = 0.02f;
int nKesselVZ = 0;
int nKesselVC = 1;
std::string TabellenDatei;
std::vector<float> VZKurve(1, 0.0f);

int nZeitPunkte = 0;
std::vector<double> tWerte;
std::vector<double> cKurveA, cKurveB, cKurveC, cKurveP, cKurveQ;
std::vector<float> rKurveA, rKurveB, rKurveC, rKurveP, rKurveQ;

std::vector<double>& cKurve(int slot) {
    static std::vector<double>* const curves[6] = {&cKurveA, &cKurveA, &cKurveB, &cKurveC, &cKurveP, &cKurveQ};
    return *curves[slot >= 1 && slot <= 5 ? slot : 1];
}

std::vector<float>& rKurve(int slot) {
    static std::vector<float>* const curves[6] = {&rKurveA, &rKurveA, &rKurveB, &rKurveC, &rKurveP, &rKurveQ};
    return *curves[slot >= 1 && slot <= 5 ? slot : 1];
}

void RedimCurves(int upper) {
    const auto n = static_cast<std::size_t>(upper + 1);
    tWerte.assign(n, 0.0);
    for (int s = 1; s <= kSpecies; ++s) {
        cKurve(s).assign(n, 0.0);
        rKurve(s).assign(n, 0.0f);
    }
}

double KMichaelis = 0;
int MMDiagramm = 0;
int MMNormiert = kTrue;
float cSmax = 0.15f;
int EnzymRcsModus = kTrue;

float HalbwertA = 0;
float HalbwertB = 0;

std::vector<ExpPunkt> ExpDaten(1);
int nMesspunkte = 0;
std::array<float, 6> c0Mess{};
double lambdaNull = 0;
double lambdaInf = 0;
std::string DatenKommentar;
int ExpDataChanged = 0;
int AppendExpFile = 0;
std::string DatenFile, DatenFileTitel, DatenPfad;
int DatenIstSession = 0;
std::array<int, 6> DatenSpalte{};
std::vector<float> TempListe(1, 0.0f);
int nTemperaturen = 0;
int nctPunkte = 0, nInaktiv = 0, nAnull = 0, nkTPunkte = 0;
int NichtIsothermMoeglich = 0;
int LambdaMoeglich = 0;
int LambdaModus = 0;
double LambdaSumme = 0;
float DatencA0 = 0, DatencB0 = 0, DatenTmax = 0;
double DatenTEnde = 0;
int DezKomma = 0;
int ABGleich = 0;

std::vector<double> AkimaX;
std::array<std::vector<double>, 6> AkimaY, AkimaD, AkimaC, AkimaB, AkimaA;
int AkimaMessSpezies = 0;
float SmoothingFactor = 0;
std::array<double, 6> RegressKoeff{};
std::vector<float> RegressX, RegressY, RegressW;
int TangentSpecies = 1;

int DiagVariante = 0;
int kTFunktion = 1;
std::array<double, 4> FitParameter{};
int FitAnzeigeModus = 0;
double ArrhA = 100, ArrhEA = 100;
double EyrFaktor = 0, EyrH = 0, EyrS = 0;
int SpezSkalierung = 0;
int SpezSkalierungStoff = 0;

int aktDiagrammCode = 0;
int ZeichnenOffen = 0;
int RateDiagramm = 0, MitPunkten = 0, KurvenHinzufuegen = 0;
int RohrAktiv = 0, ContiAktiv = 0, KaskadeAktiv = 0, KaskadeUeberTau = 0;
int kTDiagramm = 0, rcSDiagramm = 0;
int LegendVisible = 0;
DiagRecord DiagRec;
std::array<float, 38> AchsenGrenzen{};
std::vector<XYPunkt> KurvenPunkte(2001);
std::vector<XYPunkt> XYZeichenPunkte(1);
int nXYPunkte = 0;
std::string XYDateiName, XYPfad, XYTrenner;

int nKurven = 0;
int aktKurve = 0;
std::array<int, 25> KurveFrei = [] { std::array<int, 25> a{}; a.fill(kTrue); return a; }();
std::array<int, 25> KurvenFarbe{};
std::array<std::string, 25> KurvenInfo1, KurvenInfo2;
int FarbVorwahl = 255 * 65536;
int CalcCurveFehler = 0;
std::string GrafMeldung;
int nPunktsaetze = 0;
int aktPunktsatz = 0;
std::array<int, 13> PunktsatzFrei = [] { std::array<int, 13> a{}; a.fill(kTrue); return a; }();
std::array<int, 13> PunktsatzFarbe{};
int MausSerie = -1;
std::array<int, 4> GeoGraph2D{500, 5900, 9000, 6300};
std::array<int, 4> GeoGraph2DXY{800, 14000, 9000, 6300};
int GrafAusgabeModus = 0;
int PrintMode = 0;
int GraphFormatCode = 0;
int PrintScaleCode = 0;
int ErsterDiagrammStart = kTrue;
int GridModus = 4;
int ColOuterMargin = 0xFFFFFF, ColInnerMargin = 0xFFFFFF, ColSheetFore = 0xFFFFFF, ColPlotArea = 0xFBFBFB;
int ColGrid = 0, ColAxis = 0;
int ColHeaderFore = 0, ColHeaderBack = 0xFFFFFF, ColLegendFore = 0, ColLegendBack = 0xFFFFFF;
int BlackSheet = 0;

int BAKtmax = 0;
int BAKUnitGL = 0;
int BAKNurAufbau = 0;
int BAKKeinAbbau = 0;
float BAKr = 0;
float BAKKoerpermasse = 0;
int BAKRD = 0;
float BAKbeta60 = 0;
int BAKModifiziert = 0;
std::array<int, 9> BAKTrinkStart = [] { std::array<int, 9> a{}; a.fill(-1); return a; }();
std::array<float, 9> BAKAlkMasse{};
std::array<float, 8> BAKkres{};
std::array<float, 1000> BAKKurve{};
std::array<float, 9> BAKGlasVol{};
std::array<float, 9> BAKVolProzent{};
float BAKkresStandard = 0;
int gIndex = 0;

int Sanduhrzaehler = 0;

std::string ProjektPfad, TabellenPfad, OC2Pfad;
std::string KommandoZeile, ProjektFile, ProjektKommentar;
std::string SessionFile;
std::string ProtSep = ";";
std::string ProtFile;
std::vector<ProtokollZeile> ProtDaten(1);
int ProtZeilen = 0;
int ProtOffen = 0;
FormPos PosKinModel, PosArrhenius, PosBlutalkohol, PosTangente, PosCommentInput, PosCmnDlg;
FormPos PosFitting, PosTimeDiagram, PosBatch, PosRKconti, PosRohrreaktor, PosSimTabelle;
FormPos PosVerweilCalc, PosVerweilzeit, PosMonteCarlo, PosDatedit, PosKaskade, PosXYEdit;
int MCMode = 1;
float MCDelay = 0;
int MCPointSize = 0;
int MCPunkteGefuellt = 0;
int FarbeA = 0x0000FF, FarbeP = 0xFF0000;
int BAKInitFlag = kTrue;

std::string CrLf = "\r\n";
std::string AppPath = ".";

}  // namespace kernel
