// The blood-alcohol window through its real widgets: defaults of the first opening, the parameter checks
// with their messages, the drink table and the clock times, and the curve handed to the diagram window
// against an independent Widmark reference written here.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

#include "diagram/frmTGraph2D.h"
#include "games/frmBlutalkohol.h"
#include "platform/Chart2D.h"
#include "tests/diagram/DiagramTestSupport.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/MsgRecorder.h"
#include "tests/support/PictureDir.h"

using namespace kernel;

namespace {

const char* const kTitel = " Ausführung nicht möglich ";

void ResetBloodAlcohol() {
    BAKKoerpermasse = 0;
    BAKr = 0;
    BAKbeta60 = 0;
    BAKRD = 0;
    BAKkres.fill(0);
    BAKkresStandard = 0;
    BAKtmax = 0;
    BAKNurAufbau = BAKUnitGL = BAKModifiziert = BAKKeinAbbau = 0;
    BAKGlasVol.fill(0);
    BAKVolProzent.fill(0);
    BAKAlkMasse.fill(0);
    BAKTrinkStart.fill(-1);
    BAKTrinkStart[1] = 0;
}

// Widmark, classic model, before any correction: BAK in g/L at minute t.
double Widmark(double t, bool abbau = true) {
    double s = 0;
    for (int i = 1; i <= 8; ++i) {
        const double dt = t - BAKTrinkStart[static_cast<std::size_t>(i)];
        if (BAKTrinkStart[static_cast<std::size_t>(i)] < 0 || !(BAKAlkMasse[static_cast<std::size_t>(i)] > 0) || dt <= 0)
            continue;
        s += BAKAlkMasse[static_cast<std::size_t>(i)] / (BAKr * BAKKoerpermasse) *
             (1 - std::exp(-BAKkres[static_cast<std::size_t>(i - 1)] * dt / 60));
    }
    s *= (100.0 - BAKRD) / 100.0;
    return abbau ? s - t * BAKbeta60 / 60 : s;
}

class BloodAlcoholWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        simtest::Host();
        simtest::CloseAllWindows();
        platform::Windows().Unload("frmBlutalkohol");
        simtest::FlushDeletes();
        simtest::ResetState();
        diagramtest::SetzeZustandZurueck();
        ResetBloodAlcohol();
        aktDiagrammCode = 7;
    }
    void TearDown() override {
        platform::Windows().Unload("frmBlutalkohol");
        simtest::CloseAllWindows();
    }

    frmBlutalkohol* Open() {
        games::Blutalkohol_Click();
        return frmBlutalkohol::Geladen();
    }
    template <typename T>
    T* C(const QString& name) {
        T* c = frmBlutalkohol::Geladen()->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QLineEdit* Box(const QString& name) { return C<QLineEdit>(name); }
    void Set(const QString& name, const char* text) { Box(name)->setText(QString::fromUtf8(text)); }
    void Press(const char* name) { C<QPushButton>(name)->click(); }
    QString Rate(int i) { return C<QComboBox>(QStringLiteral("cmbkres(%1)").arg(i))->currentText(); }
    QString Mass(int i) { return C<QLabel>(QStringLiteral("AlkMas(%1)").arg(i))->text(); }

    // The points of the first curve of the diagram window.
    static std::vector<double> CurveY(int slot = 1) {
        std::vector<double> y;
        auto* d = diagram::frmTGraph2D::Geladen();
        if (!d) return y;
        for (int i = 1; i <= d->Chart()->PointCount(1, slot); ++i) y.push_back(d->Chart()->Y(1, slot, i));
        return y;
    }
};

}  // namespace

TEST_F(BloodAlcoholWindowTest, FirstOpeningSetsTheDefaultsAndDrawsWithoutComplaint) {
    platform::Windows().Show("frmKinModel");
    aktDiagrammCode = 7;
    testsupport::MsgRecorder rec;
    frmBlutalkohol* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(platform::Windows().Frame("frmKinModel")->isHidden());
    EXPECT_EQ(aktModell, 500);
    EXPECT_EQ(aktDiagrammCode, 500);
    EXPECT_FLOAT_EQ(BAKKoerpermasse, 73);
    EXPECT_FLOAT_EQ(BAKr, 0.7f);
    EXPECT_TRUE(C<QRadioButton>("optrWert(0)")->isChecked());
    EXPECT_EQ(BAKRD, 20);
    EXPECT_FLOAT_EQ(BAKbeta60, 0.15f);
    EXPECT_EQ(Box("txtkres")->text(), "5");
    EXPECT_TRUE(C<QRadioButton>("optBAKUnit(0)")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("optBAKModel(0)")->isChecked());
    EXPECT_EQ(Box("txt_tmaxGraph")->text(), "600");
    EXPECT_EQ(BAKtmax, 600);
    // Drink 1: 500 ml at 5 %, "normal", from minute 0; its mass takes the label's two decimals.
    EXPECT_EQ(Box("txtGlasVol(1)")->text(), " 500");
    EXPECT_EQ(Box("txtAlkGehalt(1)")->text(), " 5");
    EXPECT_EQ(Mass(1), "19.73");
    EXPECT_FLOAT_EQ(BAKAlkMasse[1], 19.73f);
    EXPECT_EQ(Rate(1), "normal");
    EXPECT_FLOAT_EQ(BAKkres[0], 5);
    EXPECT_EQ(Box("txtStartZeit(1)")->text(), " 0");
    for (int i = 2; i <= 8; ++i) {
        EXPECT_EQ(Box(QStringLiteral("txtGlasVol(%1)").arg(i))->text(), " 0");
        EXPECT_EQ(Rate(i), " - - -");
        EXPECT_TRUE(Box(QStringLiteral("txtStartZeit(%1)").arg(i))->text().isEmpty());
        EXPECT_EQ(BAKTrinkStart[static_cast<std::size_t>(i)], -1);
    }
    EXPECT_TRUE(C<QCheckBox>("chkDelDiagram")->isHidden());
    EXPECT_FALSE(C<QPushButton>("cmdCloseGraph")->isEnabled());

    Press("cmdDiagramm");
    EXPECT_TRUE(rec.Empty()) << rec.Last().prompt;
    ASSERT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_TRUE(C<QPushButton>("cmdCloseGraph")->isEnabled());

    // Closing restores the model and diagram code and brings the model window back.
    platform::Windows().Unload("frmBlutalkohol");
    EXPECT_EQ(aktModell, 2);
    EXPECT_EQ(aktDiagrammCode, 7);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_FALSE(platform::Windows().Frame("frmKinModel")->isHidden());
}

TEST_F(BloodAlcoholWindowTest, StoredWomansFactorOpensWithFrau) {
    BAKr = 0.65f;
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(C<QRadioButton>("optrWert(1)")->isChecked());
    EXPECT_EQ(Box("txt_r(1)")->text(), "0.6");
    EXPECT_EQ(Box("txt_r(0)")->text(), "0.7");
    EXPECT_FLOAT_EQ(BAKr, 0.6f);
    EXPECT_FALSE(Box("txt_r(0)")->isEnabled());
    // Switching to "Mann" takes the men's field; the women's field is reset without touching r.
    Set("txt_r(1)", "0.55");
    EXPECT_FLOAT_EQ(BAKr, 0.55f);
    C<QRadioButton>("optrWert(0)")->click();
    EXPECT_FLOAT_EQ(BAKr, 0.7f);
    EXPECT_EQ(Box("txt_r(1)")->text(), "0.6");
}

TEST_F(BloodAlcoholWindowTest, ParameterChecksReportTheFirstOffenderAndResetIt) {
    testsupport::MsgRecorder rec;
    ASSERT_NE(Open(), nullptr);
    auto drawOk = [&] {
        rec.Clear();
        Press("cmdDiagramm");
        return rec.Empty();
    };
    Set("txt_r(0)", "0.8");
    EXPECT_TRUE(drawOk());
    Set("txt_r(0)", "0.67");
    EXPECT_FALSE(drawOk());
    EXPECT_EQ(rec.Last().prompt,
              "Verteilungsfaktor r außerhalb des erlaubten Bereichs für Männer:\r\n0,68 <= r <= 0,8\r\n\r\n"
              "Parameter wird auf Standardwert gesetzt");
    EXPECT_EQ(rec.Last().style, platform::vbCritical);
    EXPECT_EQ(rec.Last().title, kTitel);
    EXPECT_FLOAT_EQ(BAKr, 0.7f);
    EXPECT_EQ(Box("txt_r(0)")->text(), "0.7");

    C<QRadioButton>("optrWert(1)")->click();
    for (const char* ok : {"0.5", "0.6"}) {
        Set("txt_r(1)", ok);
        EXPECT_TRUE(drawOk()) << ok;
    }
    Set("txt_r(1)", "0.61");
    EXPECT_FALSE(drawOk());
    EXPECT_EQ(rec.Last().prompt,
              "Verteilungsfaktor r außerhalb des erlaubten Bereichs für Frauen:\r\n\r\n0,5 <= r <= 0,6\r\n\r\n"
              "Parameter wird auf Standardwert gesetzt");
    EXPECT_FLOAT_EQ(BAKr, 0.6f);

    for (const char* ok : {"10", "30"}) {
        Set("txtRD", ok);
        EXPECT_TRUE(drawOk()) << ok;
    }
    Set("txtRD", "31");
    EXPECT_FALSE(drawOk());
    EXPECT_EQ(BAKRD, 20);
    EXPECT_EQ(Box("txtRD")->text(), "20");

    // Two offenders: RD first, beta60 at the next press.
    Set("txtRD", "5");
    Set("txtb60", "0.25");
    platform::Windows().Unload("frmTGraph2D");
    EXPECT_FALSE(drawOk());
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt.rfind("Resorptionsdefizit RD", 0), 0u);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_FALSE(drawOk());
    EXPECT_EQ(rec.Last().prompt,
              "Geschwindigkeitskonstante der Elimination beta60 außerhalb des erlaubten Bereichs:\r\n"
              "0.1 <= beta60 <= 0.2\r\n\r\nParameter wird auf Standardwert gesetzt");
    EXPECT_FLOAT_EQ(BAKbeta60, 0.15f);
    EXPECT_TRUE(drawOk());
}

TEST_F(BloodAlcoholWindowTest, ModifiedModelIsRefusedAndBodyMassZeroComplains) {
    testsupport::MsgRecorder rec;
    ASSERT_NE(Open(), nullptr);
    C<QRadioButton>("optBAKModel(1)")->click();
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(rec.Last().prompt, "... funktioniert in Kürze");
    EXPECT_EQ(rec.Last().title, "WIDMARK modifiziert");
    EXPECT_TRUE(C<QRadioButton>("optBAKModel(0)")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("optBAKModel(0)")->font().bold());
    EXPECT_FALSE(C<QRadioButton>("optBAKModel(1)")->font().bold());
    EXPECT_EQ(BAKModifiziert, 0);

    rec.Clear();
    Set("txtKoerpermasse", "0");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt, "keine gültige Eingabe");
    EXPECT_EQ(rec.Last().title, kTitel);
    // Drawing with no body mass fails with a message instead of dividing by zero; nothing is drawn.
    rec.Clear();
    Press("cmdDiagramm");
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));

    rec.Clear();
    Press("cmdRecht");
    EXPECT_EQ(rec.Last().title, "rechtlicher Hinweis");
    EXPECT_EQ(rec.Last().style, platform::vbExclamation);
    EXPECT_NE(rec.Last().prompt.find("DIE BERECHNUNGSERGEBNISSE SIND NICHT RECHTSRELEVANT.\r\n"), std::string::npos);
}

TEST_F(BloodAlcoholWindowTest, StandardValuesKeepEmptyDrinksAndSetEveryRateConstant) {
    ASSERT_NE(Open(), nullptr);
    Set("txtRD", "25");
    Set("txtb60", "0.12");
    C<QComboBox>("cmbkres(1)")->setCurrentIndex(1);
    C<QComboBox>("cmbkres(1)")->activated(1);
    EXPECT_FLOAT_EQ(BAKkres[0], 2);
    Press("cmdStandardWerte");
    EXPECT_EQ(Rate(1), "normal");
    EXPECT_EQ(Rate(3), " - - -");
    for (float k : BAKkres) EXPECT_FLOAT_EQ(k, 5);
    EXPECT_EQ(BAKRD, 20);
    EXPECT_FLOAT_EQ(BAKbeta60, 0.15f);
    EXPECT_FLOAT_EQ(BAKKoerpermasse, 73);
}

TEST_F(BloodAlcoholWindowTest, DrinkTableMassesRatesAndStartMinutes) {
    ASSERT_NE(Open(), nullptr);
    Set("txtAlkGehalt(1)", "100");
    EXPECT_EQ(Box("txtAlkGehalt(1)")->text(), "100");
    Set("txtAlkGehalt(1)", "100.5");
    EXPECT_EQ(Box("txtAlkGehalt(1)")->text(), " 0");
    EXPECT_EQ(Rate(1), " - - -");
    // A typed comma becomes a point.
    QLineEdit* gehalt = Box("txtAlkGehalt(1)");
    gehalt->selectAll();
    QTest::keyClicks(gehalt, "5,5");
    EXPECT_EQ(gehalt->text(), "5.5");
    QTest::keyClicks(gehalt, "-");
    EXPECT_EQ(gehalt->text(), "5.5");

    Set("txtGlasVol(2)", "330");
    EXPECT_EQ(Mass(2), "0.0");
    EXPECT_EQ(Rate(2), " - - -");
    Set("txtAlkGehalt(2)", "5");
    EXPECT_EQ(Rate(2), "normal");
    EXPECT_EQ(Mass(2), "13.02");
    EXPECT_NEAR(BAKAlkMasse[2], 330 * 5 * 0.789 / 100, 1e-4);

    auto* rate2 = C<QComboBox>("cmbkres(2)");
    rate2->setCurrentIndex(2);
    rate2->activated(2);
    EXPECT_FLOAT_EQ(BAKkres[1], 20);
    EXPECT_FLOAT_EQ(BAKkres[0], 5);
    rate2->setCurrentIndex(3);
    rate2->activated(3);
    EXPECT_FLOAT_EQ(BAKkres[1], 0);

    Set("txtStartZeit(4)", "40");
    EXPECT_EQ(BAKTrinkStart[4], 40);
    Set("txtStartZeit(4)", "");
    EXPECT_EQ(BAKTrinkStart[4], -1);
    EXPECT_EQ(Rate(4), " - - -");

    // Volume 0 empties the row.
    Set("txtGlasVol(2)", "0");
    EXPECT_EQ(Box("txtGlasVol(2)")->text(), " 0");
    EXPECT_EQ(Box("txtAlkGehalt(2)")->text(), " 0");
    EXPECT_EQ(BAKTrinkStart[1], 0);
}

TEST_F(BloodAlcoholWindowTest, ExampleAfterClearingAndClockTimes) {
    frmBlutalkohol* w = Open();
    ASSERT_NE(w, nullptr);
    Press("cmdDeleteTabelle");
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(Rate(i), " - - -");
        EXPECT_FLOAT_EQ(BAKkres[static_cast<std::size_t>(i - 1)], 5);
        EXPECT_FLOAT_EQ(BAKAlkMasse[static_cast<std::size_t>(i)], 0);
    }
    EXPECT_EQ(BAKTrinkStart[1], 0);
    Press("cmdBeispiel");
    const int starts[] = {0, 30, 70, 110, 150, 195};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(BAKTrinkStart[static_cast<std::size_t>(i)], starts[i - 1]);
        EXPECT_EQ(Rate(i), "normal");
    }
    EXPECT_EQ(BAKTrinkStart[7], -1);
    EXPECT_EQ(BAKTrinkStart[8], -1);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Mass(i), "15.78");
    EXPECT_EQ(Mass(6), "12.62");
    EXPECT_NEAR(BAKAlkMasse[6], 12.624, 1e-4);
    EXPECT_EQ(Box("txt_tmaxGraph")->text(), "600");

    // After midnight, and an hour without minutes.
    Set("txt_h(1)", "23");
    Set("txt_m(1)", "30");
    Set("txt_h(2)", "00");
    Set("txt_m(2)", "15");
    Set("txt_h(3)", "21");
    Set("txt_m(3)", "--");
    w->ZeitUmrechnen(1);
    w->ZeitUmrechnen(2);
    w->ZeitUmrechnen(3);
    EXPECT_EQ(BAKTrinkStart[2], 45);
    EXPECT_EQ(Box("txt_m(3)")->text(), "00");
    EXPECT_EQ(BAKTrinkStart[3], 21 * 60 - (23 * 60 + 30) + 1440);

    // The table survives closing; the rate choices start again at "normal".
    C<QComboBox>("cmbkres(4)")->setCurrentIndex(2);
    C<QComboBox>("cmbkres(4)")->activated(2);
    platform::Windows().Unload("frmBlutalkohol");
    simtest::FlushDeletes();
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Box("txtGlasVol(6)")->text(), "40");
    EXPECT_EQ(Box("txtStartZeit(2)")->text(), "45");
    EXPECT_EQ(Rate(4), "normal");
    EXPECT_FLOAT_EQ(BAKkres[3], 5);
    EXPECT_FLOAT_EQ(BAKAlkMasse[6], 12.62f);
    EXPECT_EQ(Rate(7), " - - -");
}

TEST_F(BloodAlcoholWindowTest, EnterJumpsToTheNextDrink) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(simtest::ActivateHost());
    QLineEdit* vol8 = Box("txtGlasVol(8)");
    vol8->setFocus();
    QTest::keyClick(vol8, Qt::Key_Return);
    EXPECT_TRUE(Box("txtGlasVol(1)")->hasFocus());
    QLineEdit* start8 = Box("txtStartZeit(8)");
    start8->setFocus();
    QTest::keyClick(start8, Qt::Key_Return);
    EXPECT_TRUE(Box("txtStartZeit(2)")->hasFocus());
    // Whole minutes only.
    QTest::keyClicks(Box("txtStartZeit(2)"), "1.5");
    EXPECT_EQ(Box("txtStartZeit(2)")->text(), "15");
}

TEST_F(BloodAlcoholWindowTest, CurveOfTheExampleEveningMatchesWidmark) {
    testsupport::MsgRecorder rec;
    ASSERT_NE(Open(), nullptr);
    C<QRadioButton>("optBAKUnit(1)")->click();
    Press("cmdDeleteTabelle");
    Press("cmdBeispiel");
    Press("cmdDiagramm");
    ASSERT_TRUE(rec.Empty());
    const std::vector<double> y = CurveY();
    ASSERT_EQ(y.size(), 601u);
    int maxAt = 0;
    for (int t = 0; t <= 600; ++t) {
        const double ref = std::max(0.0, Widmark(t));
        EXPECT_NEAR(y[static_cast<std::size_t>(t)], ref, 1e-5) << t;
        if (y[static_cast<std::size_t>(t)] > y[static_cast<std::size_t>(maxAt)]) maxAt = t;
    }
    EXPECT_EQ(maxAt, 218);
    EXPECT_NEAR(y[218], 0.858, 0.001);
    EXPECT_GT(y[573], 0);
    EXPECT_DOUBLE_EQ(y[574], 0);
    EXPECT_EQ(diagram::frmTGraph2D::Geladen()->Chart()->AxisTitle(platform::ChartAxis::Y), "BAK / (g/L)");

    // The same in g/kg: a 1.055th of each value.
    C<QRadioButton>("optBAKUnit(0)")->click();
    Press("cmdDiagramm");
    const std::vector<double> yKg = CurveY();
    ASSERT_EQ(yKg.size(), 601u);
    EXPECT_NEAR(yKg[218], y[218] / 1.055, 1e-5);
    EXPECT_EQ(diagram::frmTGraph2D::Geladen()->Chart()->AxisTitle(platform::ChartAxis::Y), "BAK / (g/kg) = \"Promille\"");
    QWidget* frame = platform::Windows().Frame("frmBlutalkohol");
    EXPECT_TRUE(frame->grab().save(testsupport::PicturePath("games_blutalkohol.png")));
    platform::Windows().Frame("frmTGraph2D")->grab().save(testsupport::PicturePath("games_blutalkohol_diagramm.png"));
}

TEST_F(BloodAlcoholWindowTest, SingleDrinkBuildUpOnlyLongAxisAndALateSecondDrink) {
    ASSERT_NE(Open(), nullptr);
    C<QRadioButton>("optBAKUnit(1)")->click();
    Set("txtGlasVol(1)", "500");
    Set("txtAlkGehalt(1)", "5");
    EXPECT_NEAR(BAKAlkMasse[1], 19.725f, 1e-4);
    Press("cmdDiagramm");
    std::vector<double> y = CurveY();
    ASSERT_GT(y.size(), 60u);
    EXPECT_NEAR(y[60], 19.725 / (0.7 * 73) * 0.8 * (1 - std::exp(-5.0)) - 0.15, 1e-4);

    C<QRadioButton>("optBAKModel(2)")->click();
    EXPECT_EQ(BAKKeinAbbau, 1);
    Set("txt_tmaxGraph", "1500");
    EXPECT_EQ(Box("txt_tmaxGraph")->text(), "999");
    Press("cmdDiagramm");
    y = CurveY();
    ASSERT_EQ(y.size(), 1000u);
    for (std::size_t t = 1; t < y.size(); ++t) EXPECT_GE(y[t], y[t - 1]);
    EXPECT_NEAR(y[999], Widmark(999, false), 1e-5);
    EXPECT_EQ(diagram::frmTGraph2D::Geladen()->Chart()->TextBlock(platform::ChartText::Header), "Resorptions-Diagramm");

    // Classic model, second drink at minute 300 after the first has gone: 0 in between, then from 0.
    C<QRadioButton>("optBAKModel(0)")->click();
    Set("txt_tmaxGraph", "600");
    Set("txtGlasVol(2)", "500");
    Set("txtAlkGehalt(2)", "5");
    Set("txtStartZeit(2)", "300");
    Press("cmdDiagramm");
    y = CurveY();
    ASSERT_EQ(y.size(), 601u);
    for (int t = 200; t <= 300; ++t) EXPECT_DOUBLE_EQ(y[static_cast<std::size_t>(t)], 0) << t;
    for (int t = 301; t <= 330; ++t)
        EXPECT_NEAR(y[static_cast<std::size_t>(t)], Widmark(t) - Widmark(300), 1e-5) << t;
}

TEST_F(BloodAlcoholWindowTest, AddedCurvesNeedAnOpenDiagram) {
    frmBlutalkohol* w = Open();
    ASSERT_NE(w, nullptr);
    Press("cmdDiagramm");
    w->Form_Activate();
    auto* box = C<QCheckBox>("chkDelDiagram");
    EXPECT_FALSE(box->isHidden());
    box->click();
    EXPECT_EQ(KurvenHinzufuegen, kTrue);
    C<QRadioButton>("optrWert(1)")->click();
    Press("cmdDiagramm");
    EXPECT_EQ(nKurven, 2);
    EXPECT_FALSE(CurveY(2).empty());

    // Closed diagram with the box still ticked: one new curve, not a doubled one.
    Press("cmdCloseGraph");
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(KurvenHinzufuegen, kTrue);
    Press("cmdDiagramm");
    ASSERT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_EQ(nKurven, 1);
}
