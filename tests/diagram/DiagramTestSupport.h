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
    ZeitEinheit = "s";
    TangentSpecies = 1;
    MMNormiert = kTrue;
    FarbVorwahl = 255 * 65536;
    // Every other flag, count and choice back to 0.
    for (int* v : {&aktDiagrammCode, &DiagVariante, &RohrAktiv, &ContiAktiv, &KaskadeAktiv, &KaskadeUeberTau,
                   &MMDiagramm, &RateDiagramm, &ABGleich, &nMesspunkte, &nkTPunkte, &MitPunkten, &KurvenHinzufuegen,
                   &BAKUnitGL, &BAKNurAufbau, &BAKtmax, &nKurven, &aktKurve, &ZeichnenOffen, &kTDiagramm, &rcSDiagramm,
                   &LambdaModus, &LambdaMoeglich, &aktPunktsatz, &nPunktsaetze, &HalbwertszeitNumerisch})
        *v = 0;
    RohrV = lambdaNull = lambdaInf = tauMittel = 0;
    HalbwertA = HalbwertB = 0;
    DiagRec = DiagRecord{};
    DatenSpalte.fill(0);
    AchsenGrenzen.fill(0);
    c0Mess.fill(0);
    KurveFrei.fill(kTrue);
    PunktsatzFrei.fill(kTrue);
    PunktsatzFarbe.fill(0);
    KurvenPunkte.assign(2001, XYPunkt{});
    KurvenMaske.clear();
    ExpDaten.assign(1, ExpPunkt{});
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
