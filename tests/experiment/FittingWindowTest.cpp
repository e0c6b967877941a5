// The fitting window through its real widgets: manual redraw and sliders, the automatic run
// recovering the parameters of synthetic data, result display and failure handling.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "diagram/frmTGraph2D.h"
#include "experiment/FitAnzeige.h"
#include "kernel/Marquardt.h"
#include "platform/Chart2D.h"
#include "platform/core/NumberFormat.h"
#include "tests/experiment/FittingTestSupport.h"

using namespace kernel;

namespace {

using fittest::FittingTest;

constexpr double kTrue_k = 0.05;  // 1/s of the synthetic first-order data

// The number a read-out shows ("1.2345 E-03" or "0.1234").
double Shown(const QString& text) {
    QString t = text;
    t.remove(' ');
    return t.toDouble();
}

// RMS of the manual read-out at rate constant k against first-order data (c(A) and c(P) ticked).
double ReferenceRms(double k, double kData, int n, double dt) {
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const double d = std::exp(-k * i * dt) - std::exp(-kData * i * dt);
        sum += 2 * d * d;  // c(A) and c(P) deviate by the same amount
    }
    return std::sqrt(sum / n);
}

class FittingWindow : public FittingTest {
protected:
    // Opens the window the way the menu entry does, for synthetic first-order data.
    frmTFitting* OpenFirstOrder(double kStart) {
        fittest::SetData(fittest::FirstOrder(kTrue_k, 1.0, 9, 10));
        kWert[1] = kStart;
        shell::mnuctFitting_Click();
        return Window();
    }
    static void Type(QLineEdit* box, const QString& text) {
        box->selectAll();
        box->setFocus();
        QTest::keyClicks(box, text);
    }
};

TEST(FitDisplay, RmsFormatAndStartValueRepair) {
    EXPECT_EQ(experiment::RmsText(0.01 * 4, 4), "0.1000");           // RMS exactly 0.1 (as a Single)
    EXPECT_EQ(experiment::RmsText(0.0025 * 4, 4), "5.0000 E-2");      // 0.05
    EXPECT_EQ(experiment::RmsText(7.0, 1), "0.0000 E+0");             // one row: 0
    std::array<double, 4> p{0, 10000, 10000.5, 0};
    experiment::RepariereStartwerte(p);
    EXPECT_EQ(p[1], 10000);
    EXPECT_EQ(p[2], 100);
    p = {0, 0, -3, 0};
    experiment::RepariereStartwerte(p);
    EXPECT_EQ(p[1], 100);
    EXPECT_EQ(p[2], 100);
    EXPECT_EQ(experiment::ZahlFitParameter("110"), 2);
    EXPECT_EQ(experiment::ZahlFitParameter("1"), 1);
}

TEST(FitDisplay, EyringEntropyFromThePreFactor) {
    BuildZeitFaktor();
    ZeitEinheitNr = 1;  // minutes: p1 per minute is p1/60 per second
    double s = 0;
    ASSERT_TRUE(experiment::EyringEntropie(6000, s));
    EXPECT_NEAR(s, 8.3145 * std::log(100 * 6.62618e-34 / 1.38066e-23), 1e-9);
    s = 7;
    EXPECT_FALSE(experiment::EyringEntropie(-1, s));
    EXPECT_EQ(s, 7);
    ZeitEinheitNr = 0;
}

TEST_F(FittingWindow, TypedValueIsDrawnByEnterAndTheRmsFollowsIt) {
    frmTFitting* w = OpenFirstOrder(0.1);
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.1, kTrue_k, 9, 10), 1e-4);
    Type(w->Inp[10], "0.07");
    EXPECT_DOUBLE_EQ(kWert[1], 0.07);  // taken at once, not yet drawn
    QTest::keyClick(w->Inp[10], Qt::Key_Return);
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.07, kTrue_k, 9, 10), 1e-4);
    // The drawn curve of c(A) follows the closed form of the typed k.
    platform::Chart2D* chart = diagram::frmTGraph2D::Geladen()->Chart();
    const int n = chart->PointCount(diagram::kGruppeKurven, 1);
    ASSERT_GT(n, 10);
    for (int i : {1, n / 2, n}) {
        const double x = chart->X(diagram::kGruppeKurven, 1, i);
        EXPECT_NEAR(chart->Y(diagram::kGruppeKurven, 1, i), std::exp(-0.07f * x), 1e-4);
    }
    // A refused key is dropped; a comma becomes a point; an emptied box stores 1e-8.
    Type(w->Inp[10], "x0,5");
    EXPECT_EQ(w->Inp[10]->text(), "0.5");
    w->Inp[10]->clear();
    EXPECT_DOUBLE_EQ(kWert[1], 1e-8);
    // The RMS counts only ticked species.
    w->Inp[10]->setText("0.05");
    w->chkConcFQS[4]->click();
    w->cmdDrawNewCurve->click();
    EXPECT_LT(Shown(w->lblFQS->text()), 1e-6);
}

TEST_F(FittingWindow, SlidersStepRelativelyAndReturnToTheCentre) {
    frmTFitting* w = OpenFirstOrder(0.1);
    ASSERT_NE(w, nullptr);
    w->SliderGrob[1]->setValue(900);
    EXPECT_NEAR(kWert[1], 1.0, 1e-6);
    EXPECT_EQ(w->SliderGrob[1]->value(), 0);
    w->SliderGrob[1]->setValue(-90);
    EXPECT_NEAR(kWert[1], 0.1, 1e-6);
    w->SliderFein[1]->setValue(100);
    EXPECT_NEAR(kWert[1], 0.11, 1e-6);
    EXPECT_EQ(w->SliderFein[1]->value(), 0);
    EXPECT_EQ(w->Inp[10]->text().toStdString(), platform::StrSingle(static_cast<float>(kWert[1])));
    // Each move redraws: the RMS belongs to the new value.
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.11, kTrue_k, 9, 10), 1e-4);
    // Without a model diagram the sliders change the parameter only.
    aktDiagrammCode = -5;
    const QString before = w->lblFQS->text();
    w->SliderFein[1]->setValue(-100);
    EXPECT_NEAR(kWert[1], 0.099, 1e-6);
    EXPECT_EQ(w->lblFQS->text(), before);
}

TEST_F(FittingWindow, BadInputAndTooFewRowsAreRefused) {
    frmTFitting* w = OpenFirstOrder(0.2);
    ASSERT_NE(w, nullptr);
    nMesspunkte = 1;
    recorder.Clear();
    w->cmdAutoFitting_Click();
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().prompt, "Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!\r\n"
                                      "Ergänzen Sie die Daten im Dateneditor.");
    EXPECT_NEAR(kWert[1], 0.2, 1e-7);
    w->Inp[10]->setText("-2");
    w->cmdDrawNewCurve->click();
    EXPECT_EQ(recorder.Last().title, " Ausführung nicht möglich ");
    EXPECT_EQ(recorder.Last().prompt, "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
}

TEST_F(FittingWindow, AutomaticRunRecoversTheRateConstant) {
    frmTFitting* w = OpenFirstOrder(0.2);
    ASSERT_NE(w, nullptr);
    w->optManuAuto[1]->click();
    recorder.Clear();
    w->cmdAutoFitting->click();
    EXPECT_EQ(w->LetzterFitFehler(), kFitOk);
    EXPECT_NEAR(kWert[1], kTrue_k, 1e-5);
    EXPECT_NEAR(platform::Val(w->Inp[10]->text().toStdString()), kTrue_k, 1e-5);
    EXPECT_TRUE(!w->lblStdDev[1]->isHidden() && w->lblStdDev[2]->isHidden());
    EXPECT_LT(Shown(w->lblFQS->text()), 1e-5);
    EXPECT_EQ(Sanduhrzaehler, 0);
    // The result text of the diagram names the model and the fitted k.
    platform::Chart2D* chart = diagram::frmTGraph2D::Geladen()->Chart();
    EXPECT_EQ(chart->TextBlock(platform::ChartText::Footer),
              "kinet. Modell: A => P   (n = 1)\r\nk1 =" + platform::CStrSingle(static_cast<float>(kWert[1])));
    // The next redraw hides the standard deviation.
    w->optManuAuto[0]->click();
    w->cmdDrawNewCurve->click();
    EXPECT_TRUE(w->lblStdDev[1]->isHidden());
}

TEST_F(FittingWindow, FixedParameterKeepsItsValueAndShowsNoSpread) {
    frmTFitting* w = OpenFirstOrder(0.2);
    ASSERT_NE(w, nullptr);
    w->optManuAuto[1]->click();
    w->chkFixed[1]->click();
    EXPECT_EQ(w->ParamFixiert()[1], kTrue);
    w->cmdAutoFitting->click();
    EXPECT_NEAR(kWert[1], 0.2, 1e-7);
    EXPECT_EQ(w->lblStdDev[1]->text(), platform::Format(0, "0.0 E+##").c_str());
}

// Non-isothermal data: fraction of A remaining, first order, k(T) = A exp(-EA/(R T)).
class NonIsothermal : public FittingWindow {
protected:
    static constexpr double kA = 50, kEA = 5000;
    void SetUp() override {
        FittingWindow::SetUp();
        std::vector<ExpPunkt> rows;
        for (double T : {300.0, 320.0, 340.0}) {
            const double k = kA * std::exp(-kEA / (8.3145 * T));
            for (int i = 0; i <= 5; ++i) rows.push_back(fittest::Row(i * 0.1, std::exp(-k * i * 0.1), 0, T));
        }
        fittest::SetData(rows);
        kWert[1] = 1;
    }
};

TEST_F(NonIsothermal, OneCurvePerTemperatureAndTheEyringSwitch) {
    shell::mnuNonIsothermFitting_Click(1);
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Label7->text(), " kinet. Modell: A => P, 1. Ord.");
    EXPECT_TRUE(w->optkTFunktion[1]->isChecked());
    EXPECT_EQ(nKurven, 3);
    w->optkTFunktion[2]->click();
    EXPECT_EQ(kTFunktion, 2);
    EXPECT_EQ(platform::Val(w->Inp[11]->text().toStdString()), 1);
    EXPECT_EQ(EyrFaktor, 1);
    EXPECT_EQ(w->frak[2]->title(), "mol. Aktivierungs-Enthalpie h#");
    ArrhEA = 4321;
    w->optkTFunktion[1]->click();
    EXPECT_EQ(w->Inp[11]->text(), " 4321");
    // The boxes hold the Arrhenius parameters again, and the fit starts from them.
    EXPECT_EQ(platform::Val(w->Inp[10]->text().toStdString()), ArrhA);
    EXPECT_EQ(FitParameter[2], 4321);
}

TEST_F(NonIsothermal, AutomaticRunRecoversArrheniusParameters) {
    FitAnzeigeModus = 1;
    shell::mnuNonIsothermFitting_Click(1);
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    w->Inp[10]->setText("10");
    w->Inp[11]->setText("1000");
    w->cmdAutoFitting->click();
    EXPECT_EQ(w->LetzterFitFehler(), kFitOk);
    EXPECT_NEAR(ArrhA, kA, kA * 1e-3);
    EXPECT_NEAR(ArrhEA, kEA, kEA * 1e-3);
    EXPECT_FALSE(w->lblStdDev[2]->isHidden());
}

TEST_F(NonIsothermal, EngineFailureShowsNoStandardDeviations) {
    ExpDaten[2].t = -1e300;  // the decay overflows for this row
    shell::mnuNonIsothermFitting_Click(1);
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    w->optManuAuto[1]->click();
    recorder.Clear();
    w->cmdAutoFitting->click();
    EXPECT_EQ(w->LetzterFitFehler(), kFitRuntimeError);
    EXPECT_TRUE(std::any_of(recorder.Messages().begin(), recorder.Messages().end(),
                            [](const auto& m) { return m.prompt.rfind("Fehler aufgetreten", 0) == 0; }));
    EXPECT_TRUE(w->lblStdDev[1]->isHidden() && w->lblStdDev[2]->isHidden());
    EXPECT_EQ(Sanduhrzaehler, 0);
}

TEST_F(NonIsothermal, SecondOrderWithoutInitialConcentrationIsRefused) {
    for (std::size_t i = 1; i < ExpDaten.size(); ++i) ExpDaten[i].t += 0.5;  // no row at t = 0
    fittest::SetData(std::vector<ExpPunkt>(ExpDaten.begin() + 1, ExpDaten.end()));
    shell::mnuNonIsothermFitting_Click(2);
    EXPECT_FALSE(Loaded("frmTFitting"));
    EXPECT_EQ(recorder.Last().prompt, "Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein.");
}

TEST_F(FittingWindow, OrderFitRecoversOrderAndRateConstant) {
    // Second order A => P of model 20: c = c0 / (1 + k c0 t).
    const double k = 0.5, c0 = 1;
    std::vector<ExpPunkt> rows;
    for (int i = 0; i <= 8; ++i) rows.push_back(fittest::Row(i * 0.5, c0 / (1 + k * c0 * i * 0.5)));
    fittest::SetData(rows);
    kWert[1] = 0.3;
    FitAnzeigeModus = 1;
    shell::mnuROFitting_Click();
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(aktModell, 20);
    EXPECT_EQ(w->frak[2]->title(), "Reaktionsordnung n");
    EXPECT_EQ(platform::Val(w->Inp[11]->text().toStdString()), 1.5);
    w->cmdAutoFitting->click();
    EXPECT_NE(w->LetzterFitFehler(), kFitRefused);
    EXPECT_NEAR(ReaktOrdnung, 2.0, 0.03);
    EXPECT_NEAR(kWert[1], k, 0.01);
}

}  // namespace
