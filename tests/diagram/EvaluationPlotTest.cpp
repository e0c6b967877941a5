// Evaluation plots through the real diagram window: transformed measured points, the weighted
// regression line against an independent least-squares fit, the kinetic result and its status text.
#include <QPixmap>
#include <cmath>
#include <vector>

#include "diagram/EvaluationPlots.h"
#include "kernel/RuntimeError.h"
#include "tests/diagram/MessdatenTestSupport.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"

namespace {

using namespace kernel;
using diagram::frmTGraph2D;
using diagramtest::Ausgleich;
using diagramtest::OeffneDiagramm;
using diagramtest::SetzeMessdaten;
using diagramtest::Zeile;

constexpr int kKurven = 1, kPunkte = 2;
const std::string kR2 = "Bestimmtheitsmaß des Geradenausgleichs R^2 = ";

class Auswertung : public diagramtest::DiagrammTest {
protected:
    // Reference fit of the pairs that the window plots (excluded rows weigh 0).
    static diagramtest::Gerade Referenz(const std::vector<double>& x, const std::vector<double>& y,
                                        const std::vector<double>& w) {
        return Ausgleich(x, y, w);
    }
    // The line in curve slot 1 must be a + b x at every point.
    static void ErwarteLinie(frmTGraph2D* f, double a, double b, double tol) {
        platform::Chart2D* c = f->Chart();
        ASSERT_EQ(c->PointCount(kKurven, 1), 122);
        EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, 1)), DiagRec.xMin);
        for (int i = 1; i <= 122; i += 11) {
            const double x = c->X(kKurven, 1, i);
            EXPECT_NEAR(c->Y(kKurven, 1, i), a + b * x, tol) << x;
        }
        // The last point lies one step beyond the range.
        const double h = (static_cast<double>(DiagRec.xMax) - DiagRec.xMin) / 120;
        EXPECT_NEAR(c->X(kKurven, 1, 122), DiagRec.xMax + h, 1e-4 * (1 + std::fabs(DiagRec.xMax)));
    }
    testsupport::MsgRecorder rec;
};

TEST_F(Auswertung, FirstOrderSlopeIsMinusKAndExcludedRowDoesNotPullTheLine) {
    // c(A) = 2 exp(-0.3 t) with a few per cent of scatter, plus an excluded outlier.
    std::vector<ExpPunkt> zeilen;
    std::vector<double> x, y, w;
    for (int i = 0; i <= 9; ++i) {
        const double t = i, c = 2 * std::exp(-0.3 * t) * (1 + 0.03 * std::sin(1.7 * i));
        zeilen.push_back(Zeile(t, c));
        x.push_back(static_cast<float>(t));
        y.push_back(static_cast<float>(std::log(c)));
        w.push_back(1);
    }
    zeilen.insert(zeilen.begin() + 5, Zeile(4.5, 5.0, 0, kTrue));
    x.insert(x.begin() + 5, 4.5);
    y.insert(y.begin() + 5, std::log(5.0f));
    w.insert(w.begin() + 5, 0);
    SetzeMessdaten(zeilen);
    const auto g = Referenz(x, y, w);

    frmTGraph2D* f = OeffneDiagramm(-5);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_NEAR(kWert[1], -g.b, 1e-5);
    EXPECT_NEAR(kWert[1], 0.3, 0.02);
    EXPECT_NEAR(f->RegAchsenabschnitt(), g.a, 1e-5);
    EXPECT_NEAR(f->RegBestimmtheit(), g.r2, 1e-5);
    ErwarteLinie(f, g.a, g.b, 1e-4);
    // Every row entered the arrays, the excluded one with weight 0.
    ASSERT_EQ(RegressW.size(), 12u);
    EXPECT_EQ(RegressW[6], 0.0f);
    EXPECT_FLOAT_EQ(RegressY[6], std::log(5.0f));
    EXPECT_EQ(f->StatusText(), "Resultat:   k = " + platform::CStrSingle(static_cast<float>(kWert[1])) + "  1/s    " +
                                   kR2 + platform::FormatSingle(static_cast<float>(g.r2), "0.00000"));

    // The measured points: set 1, as long as the table; the excluded row is a hole.
    platform::Chart2D* c = f->Chart();
    ASSERT_EQ(c->PointCount(kPunkte, 1), 11);
    EXPECT_EQ(c->Y(kPunkte, 1, 6), platform::kChartHole);
    EXPECT_FLOAT_EQ(static_cast<float>(c->Y(kPunkte, 1, 3)), static_cast<float>(std::log(zeilen[2].c[1])));
    EXPECT_EQ(nPunktsaetze, 1);
    EXPECT_EQ(PunktsatzFrei[1], kFalse);

    f->show();
    f->resize(900, 600);
    f->grab().save(testsupport::PicturePath("auswertung_erste_ordnung.png"));
}

TEST_F(Auswertung, ArrheniusAndEyringGiveActivationQuantities) {
    // k = A exp(-6000 K / T): slope -6000 K, EA = 6000 * 8.3145 J/mol.
    std::vector<ExpPunkt> zeilen;
    for (double T = 300; T <= 400; T += 20) {
        ExpPunkt p;
        p.T = T;
        p.k = 1e10 * std::exp(-6000 / T);
        zeilen.push_back(p);
    }
    SetzeMessdaten(zeilen);
    frmTGraph2D* f = OeffneDiagramm(-3);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
    EXPECT_NEAR(f->RegSteigung(), 49.887, 2e-3);
    const std::string text = f->StatusText();
    const std::string vorne = "Resultat: EA/(J/mol) = 49.89 E3;  A = ";
    ASSERT_EQ(text.substr(0, vorne.size()), vorne);
    EXPECT_NEAR(platform::Val(text.substr(vorne.size())), 1e10, 1e10 * 2e-3);
    EXPECT_EQ(text.substr(text.size() - 17), ",   R^2 = 1.00000");
    // Measured points in set 6 at (1/T, ln k).
    EXPECT_NEAR(f->Chart()->X(kPunkte, 6, 2), 1 / 320.0, 1e-9);
    EXPECT_NEAR(f->Chart()->Y(kPunkte, 6, 2), std::log(1e10) - 6000 / 320.0, 1e-5);
    diagramtest::SchliesseDiagramm();

    // Eyring: k = (kB/h) T exp(dS/R) exp(-dH/(R T)) with dH = 50 kJ/mol, dS = -20 J/(mol K).
    zeilen.clear();
    for (double T = 300; T <= 400; T += 20) {
        ExpPunkt p;
        p.T = T;
        p.k = diagram::kBoltzmann / diagram::kPlanck * T * std::exp(-20 / diagram::kGasKonstante) *
              std::exp(-50000 / (diagram::kGasKonstante * T));
        zeilen.push_back(p);
    }
    SetzeMessdaten(zeilen);
    f = OeffneDiagramm(-4);
    ASSERT_NE(f, nullptr);
    EXPECT_NEAR(f->RegSteigung(), 50, 0.02);           // h# in kJ/mol
    EXPECT_NEAR(f->RegAchsenabschnitt(), -20, 0.05);   // s# in J/(mol K)
    const std::string eyring = f->StatusText();
    EXPECT_EQ(eyring.rfind("Resultat: h#/(J/mol) = ", 0), 0u);
    EXPECT_NE(eyring.find(";  s#/(J/mol*K) = -20.0"), std::string::npos) << eyring;
    EXPECT_NE(eyring.find(", Achtung: s# ist nur korrekt, wenn für k gilt [t] = s,  R^2 = 1.00000"), std::string::npos);
}

TEST_F(Auswertung, LineweaverBurkRecoversMichaelisConstants) {
    // r(P) = r(P)max c(S) / (KM + c(S)), held in the t field of the enzyme data.
    aktModell = 10;
    const double rMax = 0.5, km = 0.2;
    std::vector<ExpPunkt> zeilen;
    for (double s : {0.05, 0.1, 0.2, 0.4, 0.7, 1.0}) zeilen.push_back(Zeile(rMax * s / (km + s), 0, s));
    SetzeMessdaten(zeilen);
    frmTGraph2D* f = OeffneDiagramm(-12);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
    // 1/r = 1/r(P)max + KM/r(P)max * 1/c(S)
    EXPECT_NEAR(f->RegAchsenabschnitt(), 1 / rMax, 1e-4);
    EXPECT_NEAR(f->RegSteigung(), km / rMax, 1e-4);
    const double rp = 1 / f->RegAchsenabschnitt(), kmFit = rp * f->RegSteigung();
    EXPECT_EQ(f->StatusText(), "Resultat: KM = " + platform::CStrDouble(kmFit) + " mol/L,  r(P)max = " +
                                   platform::CStrDouble(rp) + " mol/(L s),  " + kR2 + "1.00000");
    EXPECT_NEAR(f->Chart()->X(kPunkte, 6, 1), 20, 1e-4);
    EXPECT_NEAR(f->Chart()->Y(kPunkte, 6, 1), (km + 0.05) / (rMax * 0.05), 1e-3);
}

TEST_F(Auswertung, SecondOrderStoresHalfTheSlopeUnlessEqualStartsOfAPlusB) {
    // 1/c = 1/c0 + 2 k t for 2 A => P with k = 0.05.
    std::vector<ExpPunkt> zeilen;
    for (int i = 0; i <= 8; ++i) zeilen.push_back(Zeile(i, 1 / (1 + 0.1 * i)));
    SetzeMessdaten(zeilen);
    ASSERT_NE(OeffneDiagramm(-6), nullptr);
    EXPECT_NEAR(kWert[1], 0.05, 1e-6);
    diagramtest::SchliesseDiagramm();
    ABGleich = kTrue;
    frmTGraph2D* f = OeffneDiagramm(-6);
    ASSERT_NE(f, nullptr);
    EXPECT_NEAR(kWert[1], 0.1, 1e-6);
    EXPECT_EQ(f->StatusText().rfind("Resultat:  k = 0.1  L/(s mol)    " + kR2, 0), 0u) << f->StatusText();
    EXPECT_TRUE(rec.Empty());
}

TEST_F(Auswertung, ConductivityFirstOrderExtrapolatesLambdaAtZero) {
    // lambda = 10 - 8 exp(-0.2 t), no row at t = 0: lambda(0) = 2 comes from the intercept.
    std::vector<ExpPunkt> zeilen;
    for (int i = 1; i <= 8; ++i) {
        ExpPunkt p;
        p.t = i;
        p.lambda = static_cast<float>(10 - 8 * std::exp(-0.2 * i));
        zeilen.push_back(p);
    }
    SetzeMessdaten(zeilen);
    lambdaInf = 10;
    LambdaModus = kTrue;
    frmTGraph2D* f = OeffneDiagramm(-10);
    ASSERT_NE(f, nullptr);
    EXPECT_NEAR(kWert[1], 0.2, 1e-4);
    const std::string text = f->StatusText();
    const std::string marke = "  1/s, lambda(0), extrapol. = ";
    const auto p = text.find(marke);
    ASSERT_NE(p, std::string::npos) << text;
    EXPECT_NEAR(platform::Val(text.substr(p + marke.size())), 2, 1e-3);
    EXPECT_EQ(GrafMeldung.rfind(", lambda(0), extrapol. = ", 0), 0u);
}

TEST_F(Auswertung, FailuresEndTheRunWithTheCalculationMessage) {
    // -8 without a row at t = 0: cA0 = cB0 = 0, the division fails after the line is drawn.
    SetzeMessdaten({Zeile(1, 0.8, 0.5), Zeile(2, 0.7, 0.4), Zeile(3, 0.6, 0.3)});
    frmTGraph2D* f = OeffneDiagramm(-8);
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "ABBRUCH");
    EXPECT_NE(rec.Last().prompt.find("Message from CalcCurve"), std::string::npos);
    EXPECT_EQ(nKurven, 0);
    diagramtest::SchliesseDiagramm();

    // A single row: no line can be fitted.
    rec.Clear();
    SetzeMessdaten({Zeile(1, 0.5)});
    ASSERT_NE(OeffneDiagramm(-5), nullptr);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "ABBRUCH");
    diagramtest::SchliesseDiagramm();

    // Two rows: an exact line without R^2 in the text.
    rec.Clear();
    SetzeMessdaten({Zeile(0, 1), Zeile(2, std::exp(-1.0))});
    f = OeffneDiagramm(-5);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(f->RegBestimmtheit(), 0);
    EXPECT_EQ(f->StatusText(), "Resultat:   k = " + platform::CStrSingle(static_cast<float>(kWert[1])) + "  1/s");
    EXPECT_NEAR(kWert[1], 0.5, 1e-6);
}

TEST_F(Auswertung, RowTestsAndRegressionLineWindow) {
    float x = 0, y = 0;
    // A row with a non-positive tested value does not enter; an excluded one does.
    EXPECT_FALSE(diagram::AuswertungsPaar(-5, Zeile(1, 0), x, y));
    EXPECT_TRUE(diagram::AuswertungsPaar(-5, Zeile(1, 0.5, 0, kTrue), x, y));
    EXPECT_FLOAT_EQ(y, std::log(0.5f));
    EXPECT_FALSE(diagram::AuswertungsPaar(-7, Zeile(0, 1), x, y));  // Wilkinson needs t > 1e-8
    ExpPunkt kalt;
    kalt.T = 300;
    kalt.k = 0;
    EXPECT_THROW(diagram::AuswertungsPaar(-3, kalt, x, y), RuntimeError);  // ln 0
    // The measured-point set skips that row instead.
    EXPECT_TRUE(diagram::ExperPunkteDerZeile(-3, kalt).empty());

    // A line lying exactly on the top of the window counts as outside (strict test).
    DiagRec.xMin = 0;
    DiagRec.xMax = 12;
    DiagRec.yMin = 0;
    DiagRec.yMax = 1;
    RegressMatrix coef{};
    coef[1][3] = 1;
    coef[2][3] = 0;
    std::vector<XYPunkt> punkte(1);
    double a = 0, b = 0;
    int aussen = kTrue;
    diagram::DrawRegressionLine(2, coef, a, b, aussen, punkte);
    EXPECT_EQ(aussen, kTrue);
    EXPECT_EQ(std::lround(punkte[0].x), 122);
    EXPECT_FLOAT_EQ(punkte[122].x, 12.1f);
    coef[1][3] = 0.5;
    diagram::DrawRegressionLine(2, coef, a, b, aussen, punkte);
    EXPECT_EQ(aussen, kFalse);
    EXPECT_EQ(a, 0.5);
}

}  // namespace
