#pragma once
// Shared state reset for the diagram tests: every test starts from the start-up values of the
// variables the diagram set-up reads, and no diagram window is left open afterwards.
#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include "diagram/frmTGraph2D.h"
#include "kernel/State.h"
#include "platform/WindowRegistry.h"

namespace diagramtest {

inline void SchliesseDiagramm() {
    platform::Windows().Unload("frmTGraph2D");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void SetzeZustandZurueck() {
    using namespace kernel;
    aktModell = 2;
    aktDiagrammCode = 0;
    DiagVariante = 0;
    RohrAktiv = ContiAktiv = KaskadeAktiv = KaskadeUeberTau = 0;
    RohrV = 0;
    MMDiagramm = 0;
    MMNormiert = kTrue;
    RateDiagramm = 0;
    ABGleich = 0;
    lambdaNull = 0;
    ZeitEinheit = "s";
    TangentSpecies = 1;
    nMesspunkte = 0;
    DatenSpalte.fill(0);
    nkTPunkte = 0;
    MitPunkten = 0;
    KurvenHinzufuegen = 0;
    BAKUnitGL = 0;
    BAKNurAufbau = 0;
    BAKtmax = 0;
    DiagRec = DiagRecord{};
    AchsenGrenzen.fill(0);
    nKurven = 0;
    aktKurve = 0;
    KurveFrei.fill(kTrue);
    ZeichnenOffen = 0;
    FarbVorwahl = 255 * 65536;
    KurvenPunkte.assign(2001, XYPunkt{});
    KurvenMaske.clear();
    kTDiagramm = rcSDiagramm = 0;
    ExpDaten.assign(1, ExpPunkt{});
    c0Mess.fill(0);
    lambdaInf = 0;
    LambdaModus = LambdaMoeglich = 0;
    aktPunktsatz = nPunktsaetze = 0;
    PunktsatzFrei.fill(kTrue);
    PunktsatzFarbe.fill(0);
    HalbwertA = HalbwertB = 0;
    HalbwertszeitNumerisch = 0;
    tauMittel = 0;
    XYZeichenPunkte.assign(1, XYPunkt{});
}

class DiagrammTest : public ::testing::Test {
protected:
    void SetUp() override {
        SchliesseDiagramm();
        SetzeZustandZurueck();
    }
    void TearDown() override {
        SchliesseDiagramm();
        SetzeZustandZurueck();
    }
};

}  // namespace diagramtest
