// The main window's evaluation menu: the checks of each entry, its messages, and the diagram code
// and model it hands over.
#include <QAction>
#include <QGroupBox>
#include <QMenu>

#include "diagram/frmTGraph2D.h"
#include "tests/experiment/FittingTestSupport.h"

using namespace kernel;

namespace {

class EvaluationMenus : public fittest::FittingTest {
protected:
    static QAction* Entry(const char* name) { return fittest::Host()->findChild<QAction*>(name); }

    // Two active c-t rows of first order with c(A,0) = 1 (and c(B,0) = cB0 when given).
    static void TwoRows(double cB0 = 0) {
        ExpPunkt a = fittest::Row(0, 1);
        a.c[2] = cB0;
        ExpPunkt b = fittest::Row(10, 0.5);
        b.c[2] = cB0 / 2;
        ExpPunkt c = fittest::Row(20, 0.25);
        c.c[2] = cB0 / 4;
        fittest::SetData({a, b, c});
    }
    static ExpPunkt KT(double k, double T) {
        ExpPunkt p;
        p.k = k;
        p.T = T;
        return p;
    }
};

TEST_F(EvaluationMenus, WilkinsonIsNotOfferedAndFittingIsAvailable) {
    ASSERT_NE(Entry("mnuctAusw(4)"), nullptr);
    EXPECT_FALSE(Entry("mnuctAusw(4)")->isVisible() || Entry("mnuctAusw(4)")->isEnabled());
    EXPECT_TRUE(Entry("mnuctFitting")->isEnabled());  // the fitting window is part of the program
    EXPECT_FALSE(Entry("mnuSubTangente(1)")->isEnabled());  // the tangent tool is not
}

TEST_F(EvaluationMenus, OpeningTheMenuWithoutDataOffersNewInput) {
    recorder.QueueAnswer(platform::vbNo);
    shell::mnuAuswertung_Click();
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().style, 20);
    EXPECT_EQ(recorder.Last().prompt.rfind("Keine experimentellen Daten vorhanden\r\n", 0), 0u);
    EXPECT_FALSE(Loaded("frmDatedit"));
    // With data and the editor open the user is asked to close it first.
    TwoRows();
    platform::Windows().Show("frmDatedit");
    recorder.Clear();
    shell::mnuAuswertung_Click();
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().prompt, "vor der Auswertung ist der Editor\r\nfür experimentelle Daten zu schließen!");
}

TEST_F(EvaluationMenus, LinearEvaluationNeedsTwoActiveRows) {
    fittest::SetData({fittest::Row(0, 1), fittest::Row(10, 0.5, 0, 0, -1)});
    recorder.QueueAnswer(platform::vbNo);
    shell::mnuctAusw_Click(1);
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().prompt,
              "Es müssen mindestens 2 (aktive) exper. c-t-Datensätze vorhanden sein!\r\n"
              "Ergänzen Sie die Daten im Dateneditor\r\n"
              "bzw. heben Sie Deaktivierungen von Datenpunkten auf.\r\n\r\n\r\njetzt zum Dateneditor?");
    EXPECT_EQ(recorder.Last().style, 20);
    EXPECT_FALSE(Loaded("frmTGraph2D"));
}

TEST_F(EvaluationMenus, EachLinearEntrySetsItsModelAndCode) {
    struct Case {
        int index;
        double cB0;
        int model, code;
    };
    for (const Case& c : {Case{1, 0, 2, -5}, Case{2, 0, 3, -6}, Case{3, 1, 4, -6}, Case{3, 2, 4, -8}}) {
        TwoRows(c.cB0);
        shell::mnuctAusw_Click(c.index);
        EXPECT_EQ(aktModell, c.model) << c.index;
        EXPECT_EQ(aktDiagrammCode, c.code) << c.index;
        EXPECT_EQ(DiagVariante, 0);
        EXPECT_TRUE(Loaded("frmTGraph2D")) << c.index;
    }
    EXPECT_EQ(ABGleich, kFalse);
    // A + B needs both initial concentrations.
    TwoRows(0);
    recorder.Clear();
    shell::mnuctAusw_Click(3);
    EXPECT_EQ(recorder.Last().prompt, "Es werden beide Anfangskonzentrationen c(A,0) und c(B,0) benötigt.");
}

TEST_F(EvaluationMenus, ArrheniusCountsRepeatedPairsOnce) {
    fittest::SetData({KT(1, 300), KT(1, 300)});
    recorder.QueueAnswer(platform::vbNo);
    shell::mnukT_Click(1);
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Last().prompt, "Es sind mindestens zwei unterschiedliche Paare k - T nötig!\r\n\r\n"
                                      "jetzt zum Dateneditor?");
    EXPECT_FALSE(Loaded("frmTGraph2D"));
    // Concentration rows at the same temperature are no k-T pairs and do not cancel any.
    ExpPunkt ct1 = fittest::Row(0, 1, 0, 300), ct2 = fittest::Row(5, 0.5, 0, 300);
    fittest::SetData({KT(1, 300), KT(1, 300), KT(2, 310), ct1, ct2});
    shell::mnukT_Click(1);
    EXPECT_EQ(aktDiagrammCode, -3);
    EXPECT_TRUE(Loaded("frmTGraph2D"));
    shell::mnukT_Click(2);
    EXPECT_EQ(aktDiagrammCode, -4);
}

TEST_F(EvaluationMenus, MichaelisMentenNeedsTheEnzymeModeAndSetsTheCodes) {
    shell::mnuSubMichMent_Click(0);
    EXPECT_EQ(recorder.Last().title, "Warnung");
    EXPECT_EQ(recorder.Last().style, platform::vbExclamation);
    aktModell = 10;
    EnzymRcsModus = kTrue;
    ExpPunkt a, b, c;
    a.t = 0.1, a.c[2] = 1, b.t = 0.15, b.c[2] = 2, c.t = 0.18, c.c[2] = 4;
    fittest::SetData({a, b, c});
    const int codes[] = {-12, -13, -14};
    for (int i = 0; i <= 2; ++i) {
        shell::mnuSubMichMent_Click(i);
        EXPECT_EQ(aktDiagrammCode, codes[i]);
    }
    EXPECT_TRUE(Loaded("frmTGraph2D"));
}

TEST_F(EvaluationMenus, ConductivityWithoutStartValueHintsAndDraws) {
    recorder.QueueAnswer(platform::vbNo);
    TwoRows();
    shell::mnuLambdaAusw_Click(1);
    EXPECT_EQ(recorder.Last().prompt.rfind("keine lambda-Daten gefunden!\r\n", 0), 0u);
    std::vector<ExpPunkt> rows;
    for (int i = 1; i <= 4; ++i) {
        ExpPunkt p;
        p.t = i * 10;
        p.lambda = static_cast<float>(10 - 5 * std::exp(-0.05 * i * 10));
        rows.push_back(p);
    }
    fittest::SetData(rows);
    lambdaInf = 10;
    recorder.Clear();
    shell::mnuLambdaAusw_Click(1);
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Messages().front().title, "Hinweis zur Auswertung der lambda-Werte, 1. Ordnung");
    EXPECT_EQ(aktDiagrammCode, -10);
    EXPECT_EQ(LambdaModus, kTrue);
    EXPECT_TRUE(Loaded("frmTGraph2D"));
    shell::mnuExpctAuswertung_Click();
    EXPECT_EQ(LambdaModus, kFalse);
}

TEST_F(EvaluationMenus, FittingEntriesCheckTheDataAndOpenTheFittingWindow) {
    aktModell = 10;
    EnzymRcsModus = kTrue;
    TwoRows();
    shell::mnuctFitting_Click();
    EXPECT_EQ(recorder.Last().title, "Warnung");
    EXPECT_FALSE(Loaded("frmTFitting"));
    EXPECT_EQ(DiagVariante, 1);

    aktModell = 2;
    EnzymRcsModus = kFalse;
    fittest::SetData({fittest::Row(0, 1)});
    recorder.QueueAnswer(platform::vbNo);
    shell::mnuctFitting_Click();
    EXPECT_EQ(recorder.Last().prompt, "zuwenig experimentelle c-t-Daten!\r\nErgänzen Sie die Daten im Dateneditor."
                                      "\r\n\r\njetzt zum Dateneditor?");
    EXPECT_FALSE(Loaded("frmTFitting"));

    TwoRows();
    kWert[1] = 0.05;
    shell::mnuctFitting_Click();
    EXPECT_TRUE(Loaded("frmTFitting"));
    EXPECT_TRUE(Loaded("frmTGraph2D"));
    EXPECT_TRUE(Loaded("frmKinModel"));
    EXPECT_EQ(aktDiagrammCode, 2);
    EXPECT_EQ(MitPunkten, kTrue);

    // The order fit needs c(A,0); with it the window turns to the n-th order model.
    fittest::SetData({fittest::Row(5, 1), fittest::Row(10, 0.5)});
    recorder.Clear();
    shell::mnuROFitting_Click();
    EXPECT_EQ(recorder.Last().prompt, "keine Anfangskonzentration c(A,0) gefunden");
    EXPECT_EQ(recorder.Last().title, "");
    TwoRows();
    shell::mnuROFitting_Click();
    EXPECT_EQ(DiagVariante, 2);
    EXPECT_EQ(aktModell, 20);
    EXPECT_EQ(aktDiagrammCode, 20);
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->LadeModus(), 2);
    EXPECT_EQ(Window()->frak[2]->title(), "Reaktionsordnung n");
}

TEST_F(EvaluationMenus, NonIsothermalFittingNeedsTemperatures) {
    TwoRows();  // no temperatures
    recorder.QueueAnswer(platform::vbNo);
    shell::mnuNonIsothermFitting_Click(1);
    EXPECT_EQ(DiagVariante, 6);
    EXPECT_EQ(recorder.Last().prompt.rfind("zuwenig experimentelle T-t-c-Daten!\r\n", 0), 0u);
    EXPECT_FALSE(Loaded("frmTFitting"));
}

}  // namespace
