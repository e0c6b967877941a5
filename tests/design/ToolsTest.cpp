// The single-point calculator and the tangent tool, against closed forms.
#include <QSlider>
#include <functional>

#include "design/frmCalcTangente.h"
#include "design/frmTGraphCalc.h"
#include "tests/design/DesignTestSupport.h"

namespace {

using namespace kernel;

double Wert(const QLabel* l) { return platform::Val(l->text().toStdString()); }
double Wert(const QLineEdit* e) { return platform::Val(e->text().toStdString()); }

using Rechner = designtest::DesignTest;

TEST_F(Rechner, ValuesOfTheModelCurvesAtOneTime) {
    Oeffne();  // A => P, k = 0.1 1/s, c(A,0) = 1 mol/L
    auto* r = qobject_cast<design::frmTGraphCalc*>(platform::Windows().Show("frmTGraphCalc"));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->lblZeit->text().toStdString(), ZeitEinheit);
    const auto rechne = [r](const QString& zeit) {
        r->txtX->setText(zeit);
        r->cmdGraphCalcExec->click();
    };

    // Shown at single precision.
    rechne("10");
    EXPECT_EQ(r->lblResult[0]->text().toStdString(), platform::CStrSingle(static_cast<float>(std::exp(-1.0))));
    EXPECT_NEAR(Wert(r->lblResult[3]), 1 - std::exp(-1.0), 1e-6);

    // Both ends of the drawn range are accepted; beyond them only a beep.
    rechne(QString::fromStdString(platform::CStrSingle(DiagRec.xMax)));
    EXPECT_NEAR(Wert(r->lblResult[0]), std::exp(-0.1 * DiagRec.xMax), 1e-6);
    const QString vorher = r->lblResult[0]->text();
    rechne(QString::number(DiagRec.xMax * 1.001));
    rechne("-1");
    EXPECT_EQ(rec.Beeps(), 2);
    EXPECT_EQ(r->lblResult[0]->text(), vorher);

    // Typed with a decimal comma and Enter.
    r->txtX->clear();
    QTest::keyClicks(r->txtX, "2,5");
    QTest::keyClick(r->txtX, Qt::Key_Return);
    EXPECT_EQ(r->txtX->text(), "2.5");
    EXPECT_NEAR(Wert(r->lblResult[0]), std::exp(-0.25), 1e-6);

    // A model whose values cannot be computed now (a numeric model before its time course): no
    // earlier number stays standing, every result reads "-".
    aktModell = 7;
    AkimaX.clear();
    r->cmdGraphCalcExec->click();
    for (const QLabel* l : r->lblResult) EXPECT_EQ(l->text(), "-");
    aktModell = 2;

    // The diagram window's close takes the calculator with it.
    diagramtest::SchliesseDiagramm();
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraphCalc"));
}

class Tangente : public designtest::DesignTest {
protected:
    // Measured rows at t = 0, 1, ..., 20 s with the concentration diagrams' axis proposal (0..20 s, 0..1.1 mol/L).
    static void Messreihe(const std::function<ExpPunkt(int)>& zeile) {
        std::vector<ExpPunkt> zeilen;
        for (int i = 0; i <= 20; ++i) zeilen.push_back(zeile(i));
        diagramtest::SetzeMessdaten(zeilen);
        AchsenGrenzen = {0, 20, 0, 1.1f};
    }
    // Measured c(A) = exp(-k t); the species' points with the spline curve.
    design::frmCalcTangente* OeffneTangente(double k) {
        Messreihe([k](int i) { return diagramtest::Zeile(i, std::exp(-k * i)); });
        TangentSpecies = 1;
        SmoothingFactor = 0;
        f = diagramtest::OeffneDiagramm(100);
        EXPECT_NE(f, nullptr);
        return qobject_cast<design::frmCalcTangente*>(platform::Windows().Show("frmCalcTangente"));
    }
};

TEST_F(Tangente, SlopeOfAnExponentialDecay) {
    constexpr double k = 0.1;
    design::frmCalcTangente* t = OeffneTangente(k);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Label4->text().toStdString(), "mol/(L " + ZeitEinheit + ")");
    const auto rechne = [t](double zeit) {
        t->txtX->setText(QString::number(zeit));
        t->cmdCalc->click();
    };
    for (double zeit : {0.0, 2.5, 7.0, 12.25}) {
        rechne(zeit);
        const double c = std::exp(-k * zeit);
        EXPECT_NEAR(Wert(t->txtyResult), c, 2e-4) << zeit;
        // dc/dt = -k c; the spline through points one second apart meets it within a percent.
        EXPECT_NEAR(Wert(t->txtyStrichResult), -k * c, 0.01 * k * c) << zeit;
    }
    rechne(-0.5);
    EXPECT_EQ(rec.Beeps(), 1);

    // A numeric time course rebuilds the shared spline arrays: they no longer hold the measured
    // points, and both boxes read "-" instead of a number of the model's curves.
    aktModell = 7;
    kWert = {0, 0.1, 0.05, 0.02};
    c0Wert = {0, 1, 0, 0, 0, 0};
    diagram::SetKurvenMaske(7);
    int err = 0;
    CalcZeitverlauf(7, 20, err);
    ASSERT_EQ(err, 0);
    rechne(5);
    EXPECT_EQ(t->txtyResult->text(), "-");
    EXPECT_EQ(t->txtyStrichResult->text(), "-");
}

TEST_F(Tangente, OpenedFromTheEvaluationMenu) {
    // Rows out of time order: the spline runs through them sorted, the data set keeps its order.
    Messreihe([](int i) { return diagramtest::Zeile((8 * i) % 21, 1.0, std::exp(-0.1 * ((8 * i) % 21))); });
    SmoothingFactor = 0.3f;  // left from an earlier use
    shell::mnuSubTangente_Click(2);
    auto* t = design::frmCalcTangente::Geladen();
    ASSERT_TRUE(t && diagram::frmTGraph2D::Geladen());
    EXPECT_EQ(t->lblr->text().toStdString(), "r(B) = dc(B)/dt =  ");
    // c(B) = exp(-0.1 t): value and slope -0.1 c as through the rows in time order.
    t->txtX->setText("9.5");
    t->cmdCalc->click();
    EXPECT_NEAR(Wert(t->txtyResult), std::exp(-0.95), 2e-4);
    EXPECT_NEAR(Wert(t->txtyStrichResult), -0.1 * std::exp(-0.95), 1e-3 * std::exp(-0.95));
    EXPECT_EQ(ExpDaten[2].t, 8);
    // The first move of the slider after opening redraws, whatever the smoothing was before.
    platform::Chart2D* c = diagram::frmTGraph2D::Geladen()->Chart();
    c->SetY(1, aktKurve, 3, 99.0);  // a mark that only a redraw removes
    t->SliderGlaettung->setValue(60);  // a smoothing of 0.3 again
    EXPECT_NE(c->Y(1, aktKurve, 3), 99.0);
    // Two rows at one time: the redraw refuses the spline as the menu does, and draws none.
    ExpDaten[2].t = ExpDaten[1].t;
    rec.Clear();
    t->SliderGlaettung->setValue(10);
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Test auf Spline-Anwendbarkeit der exper. Daten");
    EXPECT_EQ(c->PointCount(1, aktKurve), 0);
}

TEST_F(Tangente, SmoothingRedrawsTheCurveOnlyWhenItChanges) {
    design::frmCalcTangente* t = OeffneTangente(0.2);
    ASSERT_NE(t, nullptr);
    platform::Chart2D* c = f->Chart();
    const double ungeglaettet = c->Y(1, 1, 40);
    t->SliderGlaettung->setValue(100);
    EXPECT_FLOAT_EQ(SmoothingFactor, 0.5f);
    EXPECT_EQ(nKurven, 1);
    EXPECT_NE(c->Y(1, 1, 40), ungeglaettet);
    c->SetY(1, 1, 3, 99.0);  // a mark that only a redraw removes
    t->SliderGlaettung_Change();  // the same value again: no redraw
    EXPECT_EQ(c->Y(1, 1, 3), 99.0);
    t->SliderGlaettung->setValue(0);
    EXPECT_DOUBLE_EQ(c->Y(1, 1, 40), ungeglaettet);

    // A diagram window showing another diagram is not the tool's: the slider leaves its curves.
    diagramtest::SchliesseDiagramm();
    f = diagramtest::ErsteOrdnung();
    ASSERT_NE(f, nullptr);
    c = f->Chart();
    c->SetY(1, 1, 3, 99.0);  // a mark that only a redraw removes
    t->SliderGlaettung->setValue(80);
    EXPECT_EQ(c->Y(1, 1, 3), 99.0);

    // The close button sets the smoothing back to 0 (later model splines are not smoothed) and
    // closes the diagram.
    t->cmdClose->click();
    testsupport::Flush();
    EXPECT_FLOAT_EQ(SmoothingFactor, 0.0f);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmCalcTangente"));
}

}  // namespace
