#include "tests/support/StartState.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "kernel/ResultRows.h"
#include "kernel/State.h"

namespace testsupport {
namespace {

// References to the variables and copies of the values they had when it was made.
template <class... T>
struct Snapshot {
    explicit Snapshot(T&... v) : live(v...), start(v...) {}
    void Restore() { live = start; }
    std::tuple<T&...> live;
    std::tuple<T...> start;
};

// Every variable of the shared state; the two fixed tables (stoichiometry, unit factors) are derived
// from the model and filled at start-up, so they are left out.
auto TakeSnapshot() {
    using namespace kernel;
    return Snapshot(
        aktModell, ModellName, kWert, c0Wert, cAktuell, ReaktOrdnung, FitOrdnung, EinfacheReaktion, IstUmkehrbar,
        NegUmsatzErlaubt, HalbwertszeitNumerisch, KsiWerte, KurvenMaske, ParamMaske, ZeitEinheit, ZeitEinheitNr,
        ZeitEinheitIdx, tMax, tauMittel, UmsatzU, VPunkt, RohrV, RohrL, CalcModeConti, nKaskade, cKaskade,
        ErgebnisZeilen, BatchEingabeModus, InpSelectRohr, RuehrerAnimation, ContiHinweisOffen, KaskadeFuellPause,
        KaskadeAufbauPause, nKesselVZ, nKesselVC, TabellenDatei, VZKurve, nZeitPunkte, tWerte, cKurveA, cKurveB,
        cKurveC, cKurveP, cKurveQ, rKurveA, rKurveB, rKurveC, rKurveP, rKurveQ, KMichaelis, MMDiagramm, MMNormiert,
        cSmax, EnzymRcsModus, HalbwertA, HalbwertB, ExpDaten, nMesspunkte, c0Mess, lambdaNull, lambdaInf,
        DatenKommentar, ExpDataChanged, AppendExpFile, DatenFile, DatenFileTitel, DatenPfad, DatenIstSession,
        DatenSpalte, TempListe, nTemperaturen, nctPunkte, nInaktiv, nAnull, nkTPunkte, NichtIsothermMoeglich,
        LambdaMoeglich, LambdaModus, LambdaSumme, DatencA0, DatencB0, DatenTmax, DatenTEnde, DezKomma, ABGleich,
        AkimaX, AkimaY, AkimaD, AkimaC, AkimaB, AkimaA, AkimaMessSpezies, SmoothingFactor, RegressKoeff, RegressX,
        RegressY, RegressW, TangentSpecies, DiagVariante, kTFunktion, FitParameter, FitAnzeigeModus, ArrhA, ArrhEA,
        EyrFaktor, EyrH, EyrS, SpezSkalierung, SpezSkalierungStoff, aktDiagrammCode, ZeichnenOffen, RateDiagramm,
        MitPunkten, KurvenHinzufuegen, RohrAktiv, ContiAktiv, KaskadeAktiv, KaskadeUeberTau, kTDiagramm, rcSDiagramm,
        LegendVisible, DiagRec, AchsenGrenzen, KurvenPunkte, XYZeichenPunkte, nXYPunkte, XYDateiName, XYPfad,
        XYTrenner, nKurven, aktKurve, KurveFrei, KurvenFarbe, KurvenInfo1, KurvenInfo2, FarbVorwahl, CalcCurveFehler,
        GrafMeldung, nPunktsaetze, aktPunktsatz, PunktsatzFrei, PunktsatzFarbe, MausSerie, GeoGraph2D, GeoGraph2DXY,
        GrafAusgabeModus, PrintMode, GraphFormatCode, PrintScaleCode, ErsterDiagrammStart, GridModus, ColOuterMargin,
        ColInnerMargin, ColSheetFore, ColPlotArea, ColGrid, ColAxis, ColHeaderFore, ColHeaderBack, ColLegendFore,
        ColLegendBack, BlackSheet, BAKtmax, BAKUnitGL, BAKNurAufbau, BAKKeinAbbau, BAKr, BAKKoerpermasse, BAKRD,
        BAKbeta60, BAKModifiziert, BAKTrinkStart, BAKAlkMasse, BAKkres, BAKKurve, BAKGlasVol, BAKVolProzent,
        BAKkresStandard, gIndex, Sanduhrzaehler, ProjektPfad, TabellenPfad, OC2Pfad, KommandoZeile, ProjektFile,
        ProjektKommentar, SessionFile, ProtSep, ProtFile, ProtDaten, ProtZeilen, ProtOffen, PosKinModel,
        PosArrhenius, PosBlutalkohol, PosTangente, PosCommentInput, PosCmnDlg, PosFitting, PosTimeDiagram, PosBatch,
        PosRKconti, PosRohrreaktor, PosSimTabelle, PosVerweilCalc, PosVerweilzeit, PosMonteCarlo, PosDatedit,
        PosKaskade, PosXYEdit, MCMode, MCDelay, MCPointSize, MCPunkteGefuellt, FarbeA, FarbeP, BAKInitFlag, CrLf,
        AppPath, ProtArt);
}

std::optional<decltype(TakeSnapshot())>& Start() {
    static std::optional<decltype(TakeSnapshot())> start;
    return start;
}

// Takes the snapshot after the program's own initialisation and before the first test.
class StartStateEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (!Start()) Start().emplace(TakeSnapshot());
    }
};
testing::Environment* const environment = testing::AddGlobalTestEnvironment(new StartStateEnvironment);

}  // namespace

void ResetStartState() {
    if (Start()) Start()->Restore();
    else Start().emplace(TakeSnapshot());
}

}  // namespace testsupport
