// The time-simulation window: input checks, the calculation-failure path, the Michaelis-Menten
// frame and the t(max)/k boxes. (Drawing and adding curves: the end-to-end road.)
#include "diagram/Grafik.h"
#include "platform/Chart2D.h"
#include "simulation/frmPrepareTimeDiagram.h"
#include "simulation/frmSimTabelle.h"
#include "tests/simulation/CalcWindowTestSupport.h"

namespace {

using namespace kernel;

const std::string kCrLf = "\r\n";

class TimeSimulationTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        aktDiagrammCode = 2;
        EnzymRcsModus = 0;
        w = qobject_cast<frmPrepareTimeDiagram*>(platform::Windows().Show("frmPrepareTimeDiagram"));
        ASSERT_NE(w, nullptr);
    }
    // What the model window does on a model choice, reduced to what this window reads.
    void Model(int m, int reversible = 0) {
        aktModell = m;
        aktDiagrammCode = RateDiagramm ? m + 50 : m;
        IstUmkehrbar = reversible;
        diagram::SetKurvenMaske(m);
        for (int i = 0; i < 5; ++i) w->Inp[i]->setVisible(KurvenMaske[static_cast<std::size_t>(i)] == '1');
        w->kCombo[2]->setVisible(ParamMaske[1] == '1');
        w->kCombo[3]->setVisible(ParamMaske[2] == '1');
        w->fraMichaelis->setVisible(m == 10);
    }
    static void Enter(QWidget* box, const QString& text) { simtest::Type(box, text); }
    void Inputs(std::initializer_list<const char*> c0, const char* tmax, std::initializer_list<const char*> k) {
        int i = 0;
        for (const char* v : c0) Enter(w->Inp[i++], v);
        Enter(w->kCombo[0], tmax);
        i = 1;
        for (const char* v : k) Enter(w->kCombo[i++], v);
    }
    static QWidget* Diagramm() { return platform::Windows().Get("frmTGraph2D"); }

    frmPrepareTimeDiagram* w = nullptr;
};

// ---- Input checks ----------------------------------------------------------------------------

// Every complaint in one box, in order; nothing is drawn.
TEST_F(TimeSimulationTest, ComplaintsAreListedInOneMessage) {
    Model(2);
    Inputs({""}, "", {""});
    w->cmdDrawctDiagram->click();
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" +
                                     kCrLf + "- Zeit-Vorgabe nicht in Ordnung" + kCrLf + "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(Diagramm(), nullptr);

    rec.Clear();
    Model(19, kTrue);  // needs B, or P and Q
    Inputs({"1", "0", "", "0", "0"}, "20", {"0.1", "0.01"});
    w->cmdDrawctDiagram->click();
    EXPECT_EQ(rec.OnlyPrompt(), "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)" + kCrLf +
                                     "- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!" + kCrLf);
}

TEST_F(TimeSimulationTest, ZeroK2IsRefusedByTheDrawButtonOnlyWhileFitting) {
    Model(6);
    Inputs({"1"}, "20", {"0.1", "0"});
    w->cmdDrawctDiagram->click();
    EXPECT_TRUE(rec.Empty());
    DiagVariante = 1;
    w->cmdDrawctDiagram->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    const std::string k2 = "- Geschwindigkeitskonstante k2 muss größer Null sein" + kCrLf +
                           "  (Sie können aber einen extrem kleinen Wert eingeben)" + kCrLf;
    EXPECT_EQ(rec.Last().prompt, k2);
    DiagVariante = 0;
    w->cmdListe->click();
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_EQ(rec.Last().prompt, k2);
}

// A failure is reported under the button's name; the old diagram stays with its curves, and no table
// is shown: A <=> P with k1 + k2 = 0 divides its closed form by zero, rates beyond the range of a
// Double overflow the integrator. (Which inputs fail: the time course's own test.)
TEST_F(TimeSimulationTest, FailedCalculationIsReportedAndDrawsNothing) {
    Model(8, kTrue);
    Inputs({"1", "", "", "0"}, "20", {"0.1", "0.05"});
    w->cmdDrawctDiagram->click();
    ASSERT_TRUE(rec.Empty());
    QWidget* alt = Diagramm();
    ASSERT_NE(alt, nullptr);
    const int kurven = nKurven;
    Enter(w->kCombo[2], "-0.1");
    w->cmdDrawctDiagram->click();
    testsupport::Flush();
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdDrawctDiagram|Berechnungsfehler aufgetreten");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(Diagramm(), alt);
    EXPECT_EQ(nKurven, kurven);

    rec.Clear();
    Model(7);
    Inputs({"1E200", "1E200"}, "20", {"1E200", "1E200"});
    bool tableShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* t = platform::Windows().Get("frmSimTabelle")) {
            tableShown = true;
            t->close();
        }
    });
    w->cmdListe->click();
    testsupport::Flush();
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdListe|Berechnungsfehler aufgetreten");
    EXPECT_FALSE(tableShown);
}

// ---- Michaelis-Menten frame --------------------------------------------------------------------

TEST_F(TimeSimulationTest, MichaelisDiagramNeedsAPositiveAxisEndUnlessNormalised) {
    Model(10);
    Inputs({"0.5", "5"}, "20", {"0.1", "0.01", "0.005"});
    w->chkNormiert->setChecked(false);
    w->chkNormiert_Click();
    Enter(w->txtS0max, "0");
    w->cmdMMdiagram->click();
    EXPECT_EQ(rec.OnlyPrompt(), "- c(S),max muss größer Null sein" + kCrLf);
    EXPECT_EQ(Diagramm(), nullptr);

    w->chkNormiert->click();  // normalised: the axis runs over c(S)/KM and needs no c(S),max
    w->cmdMMdiagram->click();
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(Diagramm(), nullptr);
    EXPECT_EQ(MMNormiert, kTrue);
}

TEST_F(TimeSimulationTest, MichaelisConstantFollowsTheRatesAndTheTableRestoresTheTimeCourseMode) {
    Model(10);
    Inputs({"0.5", "5"}, "20", {"0.1", "0.01", "0.005"});
    // KM = (k< + k3) / k> = 0.015 / 0.1
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);
    EXPECT_EQ(w->lblMichaelisK1->text().toStdString(), "Michaelis-Konstante KM/(mol/L) = (k< + k3) / k> =0.15");
    Enter(w->kCombo[1], "0");
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);
    Enter(w->kCombo[1], "");
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);

    // The enzyme table is shown in the Michaelis mode, which ends with the table.
    Enter(w->kCombo[1], "0.1");
    int modeWhileShown = 0;
    QTimer::singleShot(0, [&] {
        modeWhileShown = MMDiagramm;
        if (QWidget* t = platform::Windows().Get("frmSimTabelle")) t->close();
    });
    w->cmdMichaelisListe->click();
    testsupport::Flush();
    EXPECT_EQ(modeWhileShown, kTrue);
    EXPECT_EQ(MMDiagramm, kFalse);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmSimTabelle"));
}

// ---- t(max) and k boxes ---------------------------------------------------------------------------

TEST_F(TimeSimulationTest, KeyFilterOfTheComboBoxes) {
    Model(2);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    Enter(w->kCombo[1], "1,5x");
    EXPECT_EQ(w->kCombo[1]->currentText(), "1.5");
    EXPECT_DOUBLE_EQ(kWert[1], 1.5);
    Enter(w->kCombo[0], "2e1");
    EXPECT_DOUBLE_EQ(tMax, 20.0);

    w->kCombo[0]->setFocus();
    QTest::keyClick(w->kCombo[0], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());
    EXPECT_EQ(w->kCombo[0]->currentText(), "2e1");  // Enter is not inserted into the list
    // Model 2 has k1 only: Enter in k1 would move to the hidden k2 and stays.
    QTest::keyClick(w->kCombo[1], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());

    Model(10);
    w->kCombo[3]->setFocus();
    QTest::keyClick(w->kCombo[3], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());
}

}  // namespace
