// The main window's evaluation menu: the checks of each entry, its messages, and the diagram code
// and model it hands over.
#include <QAction>
#include <QMenu>

#include <functional>

#include "diagram/frmTGraph2D.h"
#include "tests/experiment/FittingTestSupport.h"

using namespace kernel;

namespace {

class EvaluationMenus : public fittest::FittingTest {
protected:
    static QAction* Entry(const char* name) { return exptest::Host()->findChild<QAction*>(name); }

    // Three active c-t rows of first order with c(A,0) = 1 (and c(B,0) = cB0 when given).
    static void FirstOrderRows(double cB0 = 0) {
        std::vector<ExpPunkt> rows;
        for (int i = 0; i < 3; ++i) {
            rows.push_back(fittest::Row(10 * i, std::ldexp(1, -i)));
            rows.back().c[2] = std::ldexp(cB0, -i);
        }
        fittest::SetData(rows);
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
    FirstOrderRows();
    platform::Windows().Show("frmDatedit");
    recorder.Clear();
    shell::mnuAuswertung_Click();
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().prompt, "vor der Auswertung ist der Editor\r\nfür experimentelle Daten zu schließen!");
}

TEST_F(EvaluationMenus, EachLinearEntrySetsItsModelAndCode) {
    struct Case {
        int index;
        double cB0;
        int model, code;
    };
    for (const Case& c : {Case{1, 0, 2, -5}, Case{2, 0, 3, -6}, Case{3, 1, 4, -6}, Case{3, 2, 4, -8}}) {
        FirstOrderRows(c.cB0);
        shell::mnuctAusw_Click(c.index);
        EXPECT_EQ(aktModell, c.model) << c.index;
        EXPECT_EQ(aktDiagrammCode, c.code) << c.index;
        EXPECT_TRUE(Loaded("frmTGraph2D")) << c.index;
    }
    EXPECT_EQ(ABGleich, kFalse);
}

// Each entry refuses unsuitable data with its message (the offer of the data editor declined) and
// opens nothing.
TEST_F(EvaluationMenus, EntriesRefuseUnsuitableData) {
    struct Case {
        std::function<void()> data, entry;
        std::string prompt;  // a prompt ending in "\r\n" is compared as its beginning
    };
    const Case cases[] = {
        {[] { fittest::SetData({fittest::Row(0, 1), fittest::Row(10, 0.5, 0, 0, -1)}); },
         [] { shell::mnuctAusw_Click(1); },
         "Es müssen mindestens 2 (aktive) exper. c-t-Datensätze vorhanden sein!\r\nErgänzen Sie die Daten im "
         "Dateneditor\r\nbzw. heben Sie Deaktivierungen von Datenpunkten auf.\r\n\r\n\r\njetzt zum Dateneditor?"},
        {[] { FirstOrderRows(0); }, [] { shell::mnuctAusw_Click(3); },
         "Es werden beide Anfangskonzentrationen c(A,0) und c(B,0) benötigt."},
        {[] { fittest::SetData({KT(1, 300), KT(1, 300)}); }, [] { shell::mnukT_Click(1); },
         "Es sind mindestens zwei unterschiedliche Paare k - T nötig!\r\n\r\njetzt zum Dateneditor?"},
        {[] { fittest::SetData({fittest::Row(0, 1)}); }, [] { shell::mnuctFitting_Click(); },
         "zuwenig experimentelle c-t-Daten!\r\nErgänzen Sie die Daten im Dateneditor.\r\n\r\njetzt zum Dateneditor?"},
        {[] { FirstOrderRows(); }, [] { shell::mnuNonIsothermFitting_Click(1); },
         "zuwenig experimentelle T-t-c-Daten!\r\n"},
        {[] { FirstOrderRows(); }, [] { shell::mnuSubMichMent_Click(0); },
         "Diese Auswertungsmethode ist nur sinnvoll, wenn das kinetische Modell\r\n"},
        {[] {
             aktModell = 10;
             EnzymRcsModus = kTrue;
             FirstOrderRows();
         },
         [] { shell::mnuctFitting_Click(); }, "Diese Auswertungsmethode ist nur sinnvoll, wenn für das kinetische Modell\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        fittest::CloseAll();
        c.data();
        testsupport::MsgRecorder msgs;
        msgs.QueueAnswer(platform::vbNo);
        c.entry();
        ASSERT_FALSE(msgs.Empty());
        const std::string& prompt = msgs.Messages().front().prompt;
        EXPECT_EQ(c.prompt.ends_with("\r\n") ? prompt.substr(0, c.prompt.size()) : prompt, c.prompt);
        for (const char* w : {"frmTFitting", "frmTGraph2D", "frmDatedit"}) EXPECT_FALSE(Loaded(w)) << w;
    }
}

TEST_F(EvaluationMenus, ArrheniusCountsRepeatedPairsOnce) {
    // Concentration rows at the same temperature are no k-T pairs and do not cancel any.
    ExpPunkt ct1 = fittest::Row(0, 1, 0, 300), ct2 = fittest::Row(5, 0.5, 0, 300);
    fittest::SetData({KT(1, 300), KT(1, 300), KT(2, 310), ct1, ct2});
    shell::mnukT_Click(1);
    EXPECT_EQ(aktDiagrammCode, -3);
    shell::mnukT_Click(2);
    EXPECT_EQ(aktDiagrammCode, -4);
}

TEST_F(EvaluationMenus, ConductivityWithoutStartValueHintsAndDraws) {
    std::vector<ExpPunkt> rows;
    for (int i = 1; i <= 4; ++i) {
        ExpPunkt p;
        p.t = i * 10;
        p.lambda = static_cast<float>(10 - 5 * std::exp(-0.05 * i * 10));
        rows.push_back(p);
    }
    fittest::SetData(rows);
    lambdaInf = 10;
    shell::mnuLambdaAusw_Click(1);
    ASSERT_FALSE(recorder.Empty());
    EXPECT_EQ(recorder.Messages().front().title, "Hinweis zur Auswertung der lambda-Werte, 1. Ordnung");
    EXPECT_EQ(aktDiagrammCode, -10);
    EXPECT_EQ(LambdaModus, kTrue);
    EXPECT_TRUE(Loaded("frmTGraph2D"));
    shell::mnuExpctAuswertung_Click();
    EXPECT_EQ(LambdaModus, kFalse);
}

TEST_F(EvaluationMenus, FittingEntriesOpenTheFittingWindow) {
    FirstOrderRows();
    kWert[1] = 0.05;
    shell::mnuctFitting_Click();
    EXPECT_TRUE(Loaded("frmTFitting"));
    EXPECT_TRUE(Loaded("frmKinModel"));
    EXPECT_EQ(aktDiagrammCode, 2);

    // The order fit turns the window to the n-th order model.
    shell::mnuROFitting_Click();
    EXPECT_EQ(DiagVariante, 2);
    EXPECT_EQ(aktModell, 20);
    EXPECT_EQ(aktDiagrammCode, 20);
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Window()->LadeModus(), 2);
}

}  // namespace
