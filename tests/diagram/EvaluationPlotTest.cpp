// Evaluation plots through the real diagram window: the weighted regression line against an
// independent least-squares fit, the kinetic result and its status text, the failure paths. The
// locale forms of the texts and the plotted points are checked on the roads from the data editor.

#include "diagram/EvaluationPlots.h"
#include "kernel/Conductivity.h"
#include "tests/diagram/MessdatenTestSupport.h"

namespace {

using namespace kernel;
using diagram::frmTGraph2D;
using namespace diagramtest;

constexpr int kKurven = 1;
const std::string kR2 = "Bestimmtheitsmaß des Geradenausgleichs R^2 = ";

using Auswertung = diagramtest::DiagrammTest;

TEST_F(Auswertung, FirstOrderSlopeIsMinusKAndExcludedRowDoesNotPullTheLine) {
    // c(A) = 2 exp(-0.3 t) with a few per cent of scatter, plus an excluded outlier as row 6.
    std::vector<ExpPunkt> zeilen;
    std::vector<double> x, y, w;
    for (int i = 0; i <= 10; ++i) {
        const double t = i == 5 ? 4.5 : i - (i > 5), c = i == 5 ? 5 : 2 * std::exp(-0.3 * t) * (1 + 0.03 * std::sin(1.7 * i));
        zeilen.push_back(Zeile(t, c, 0, i == 5 ? kTrue : 0));
        x.push_back(t);
        y.push_back(std::log(static_cast<float>(c)));
        w.push_back(i == 5 ? 0 : 1);
    }
    SetzeMessdaten(zeilen);
    const auto g = Ausgleich(x, y, w);

    frmTGraph2D* f = Offen(OeffneDiagramm(-5));
    EXPECT_TRUE(rec.Empty());
    EXPECT_NEAR(kWert[1], -g.b, 1e-5);
    EXPECT_NEAR(f->RegAchsenabschnitt(), g.a, 1e-5);
    EXPECT_NEAR(f->RegBestimmtheit(), g.r2, 1e-5);
    EXPECT_EQ(f->StatusText(), "Resultat:   k = " + platform::CStrSingle(static_cast<float>(kWert[1])) + "  1/s    " +
                                   kR2 + platform::FormatSingle(static_cast<float>(g.r2), "0.00000"));
    // The line in slot 1: 120 steps of a Single width accumulated in Double, 122 points nominally
    // (121 when the sum passes the end by a rounding), from xMin to at least xMax.
    platform::Chart2D* c = f->Chart();
    const int n = c->PointCount(kKurven, 1);
    ASSERT_TRUE(n == 121 || n == 122) << n;
    EXPECT_FLOAT_EQ(static_cast<float>(c->X(kKurven, 1, 1)), DiagRec.xMin);
    EXPECT_GE(c->X(kKurven, 1, n), DiagRec.xMax - 1e-4);
    for (int i = 1; i <= n; i += 10) EXPECT_NEAR(c->Y(kKurven, 1, i), g.a + g.b * c->X(kKurven, 1, i), 1e-4);
}

TEST_F(Auswertung, ConductivityFirstOrderExtrapolatesLambdaAtZero) {
    // lambda = 10 - 8 exp(-0.2 t), no row at t = 0: lambda(0) = 2 comes from the intercept.
    std::vector<ExpPunkt> zeilen;
    for (int i = 1; i <= 8; ++i) {
        zeilen.push_back(Zeile(i, 0));
        zeilen.back().lambda = static_cast<float>(10 - 8 * std::exp(-0.2 * i));
    }
    // An excluded row beyond lambda(inf) is left out; the same row active ends in the failure box.
    zeilen.push_back(Zeile(9, 0, 0, kTrue));
    zeilen.back().lambda = 12;
    lambdaInf = 10;
    SetzeMessdaten(zeilen);
    LambdaModus = kTrue;
    LambdaEvalFirstOrder();  // the axis range, as the menu sets it
    frmTGraph2D* f = Offen(OeffneDiagramm(-10));
    for (const auto& m : rec.Messages()) ADD_FAILURE() << m.title << ": " << m.prompt;
    EXPECT_NEAR(kWert[1], 0.2, 1e-4);
    const std::string text = f->StatusText(), marke = "  1/s, lambda(0), extrapol. = ";
    ASSERT_NE(text.find(marke), std::string::npos) << text;
    EXPECT_NEAR(platform::Val(text.substr(text.find(marke) + marke.size())), 2, 1e-3);
    SchliesseDiagramm();
    ExpDaten[9].exclude = 0;
    ASSERT_NE(OeffneDiagramm(-10), nullptr);
    ErwarteEineMeldung("ABBRUCH");
}

TEST_F(Auswertung, FailuresAndLinesWithoutDegreesOfFreedom) {
    // -8 without a row at t = 0: cA0 = cB0, the division fails after the line is drawn.
    SetzeMessdaten({Zeile(1, 0.8, 0.5), Zeile(2, 0.7, 0.4), Zeile(3, 0.6, 0.3)});
    ASSERT_NE(OeffneDiagramm(-8), nullptr);
    ErwarteEineMeldung("ABBRUCH");
    EXPECT_NE(rec.Last().prompt.find("Message from CalcCurve"), std::string::npos);
    EXPECT_EQ(nKurven, 0);
    SchliesseDiagramm();
    // A single row: no line can be fitted.
    rec.Clear();
    SetzeMessdaten({Zeile(1, 0.5)});
    ASSERT_NE(OeffneDiagramm(-5), nullptr);
    ErwarteEineMeldung("ABBRUCH");
    SchliesseDiagramm();
    rec.Clear();
    // Two rows: an exact line, R^2 = 0 leaves the R^2 part out.
    SetzeMessdaten({Zeile(0, 1), Zeile(2, std::exp(-1.0))});
    frmTGraph2D* f = Offen(OeffneDiagramm(-5));
    EXPECT_TRUE(rec.Empty());
    EXPECT_NEAR(kWert[1], 0.5, 1e-6);
    EXPECT_EQ(f->StatusText(), "Resultat:   k = " + platform::CStrSingle(static_cast<float>(kWert[1])) + "  1/s");
    // A row without a rate constant (c-t-T data) is no k-T point, in the line as in the point set.
    ExpPunkt ohneK;
    ohneK.T = 300;
    float x = 0, y = 0;
    EXPECT_FALSE(diagram::AuswertungsPaar(-3, ohneK, x, y));
    EXPECT_TRUE(diagram::ExperPunkteDerZeile(-3, ohneK).empty());
}

}  // namespace
