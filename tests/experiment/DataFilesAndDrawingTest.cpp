// The editor's file buttons through the file choosers, the save question, drawing the measured
// points through the diagram set-up, and the hand-over to evaluation.
#include <filesystem>
#include <fstream>

#include "diagram/frmTGraph2D.h"
#include "kernel/DataSet.h"
#include "platform/Chart2D.h"
#include "shell/DataSaveQuestion.h"
#include "tests/experiment/DataEditorFixture.h"

namespace datatest {
namespace {

using namespace kernel;

using DataFilesTest = DataEditorTest;

TEST_F(DataFilesTest, SavedDataLoadBackThroughTheDialogs) {
    SetData({{0, 1, 0, 300}, {2.5, 0.5, 0.125, 300, 0, -1}});
    lambdaInf = 4;
    DatenKommentar = "Versuch 1";
    ExpDataChanged = kTrue;
    frmDatedit& w = Open();
    saveAnswer = Path("neu.TA3");
    Press("cmdSave");
    ASSERT_EQ(saveRequests.size(), 1u);
    EXPECT_EQ(saveRequests[0].caption, "Datenfile speichern unter ...");
    EXPECT_TRUE(std::filesystem::exists(saveAnswer));
    EXPECT_EQ(ExpDataChanged, 0);
    EXPECT_EQ(DatenFile, saveAnswer);
    EXPECT_EQ(DatenPfad, dir.path().toStdString() + "/");
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (neu.TA3)");

    SetData({{7, 7}});
    lambdaInf = 0;
    openAnswer = saveAnswer;
    Press("cmdLoadFile");
    ASSERT_EQ(openRequests.size(), 1u);
    EXPECT_EQ(openRequests[0].caption, "Laden experimenteller Daten");
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(ExpDaten[2].c[2], 0.125);
    EXPECT_EQ(ExpDaten[2].exclude, kTrue);
    EXPECT_EQ(lambdaInf, 4);
    EXPECT_EQ(Find<QLineEdit>("txtComment")->text(), "Versuch 1");
}

TEST_F(DataFilesTest, CancelledOrFailedLoadsKeepTheData) {
    SetData({{1, 1}, {2, 0.5}});
    DatenFile = Path("alt.TA3");
    ExpDataChanged = kTrue;
    Open();
    Press("cmdLoadFile");  // cancelled
    EXPECT_EQ(nMesspunkte, 2);

    openAnswer = Path("fehlt.TA3");
    Press("cmdLoadFile");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "Meldung von LoadExpFile");
    EXPECT_EQ(nMesspunkte, 2);
    EXPECT_EQ(DatenFile, Path("alt.TA3"));
    EXPECT_EQ(ExpDataChanged, kTrue);

    openAnswer = dir.path().toStdString() + "/";  // confirmed without a file name: a new data set
    Press("cmdLoadFile");
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(DatenFile, "");
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");
}

TEST_F(DataFilesTest, AppendedFileAddsItsRowsInItsOwnUnit) {
    std::ofstream(Path("B.TA3"), std::ios::binary)
        << "zweiter\r\nmin\r\nt, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)\r\n"
           "1\r\n3,.2,0,0,0,0,0,0,0,0,0,0,0\r\n";
    SetData({{0, 1}});
    DatenKommentar = "erster";
    frmDatedit& w = Open();
    openAnswer = Path("B.TA3");
    Press("cmdAddFile");
    EXPECT_EQ(openRequests.back().caption, "Daten aus gewähltem File anfügen");
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(ExpDaten[2].t, 3);
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Datensätzen  (B.TA3)");
}

TEST_F(DataFilesTest, SaveQuestionAnswersAndSaveFailures) {
    SetData({{1, 1}});
    DatenFile = Path("M.TA3");
    struct Case {
        int answer;
        std::string chosen;  // "" cancels the save dialog
        int result;
        int changedAfter;
    };
    for (const Case& c : {Case{platform::vbNo, "", 0, kTrue}, Case{platform::vbCancel, "", -1, kTrue},
                          Case{platform::vbYes, "", -1, kTrue}, Case{platform::vbYes, Path("nicht/da/M.TA3"), -1, kTrue},
                          Case{platform::vbYes, Path("M.TA3"), 0, 0}}) {
        ExpDataChanged = kTrue;
        saveAnswer = c.chosen;
        recorder.QueueAnswer(c.answer);
        int result = 7;
        shell::AskSaveExpData(0, result);
        EXPECT_EQ(result, c.result) << c.answer << " " << c.chosen;
        EXPECT_EQ(ExpDataChanged, c.changedAfter);
    }
    EXPECT_EQ(recorder.Messages()[0].prompt, "Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
    EXPECT_EQ(recorder.Messages()[4].title, "Meldung von WriteDataFile");
    EXPECT_EQ(saveRequests.front().proposal, Path("M.TA3"));
    EXPECT_TRUE(std::filesystem::exists(Path("M.TA3")));

    SetData({});  // the editor's save button does nothing without rows
    Open();
    Press("cmdSave");
    EXPECT_EQ(saveRequests.size(), 3u);
}

using DrawingTest = DataEditorTest;

TEST_F(DrawingTest, CtPointsOpenTheDiagramScaledToTheData) {
    SetData({{0, 1}, {4, 0.5}, {8, 0.25}, {9, 0.2, 0, 0, 0, -1}});
    Open();
    Press("cmdDraw_ct");
    EXPECT_EQ(aktDiagrammCode, -1);
    ASSERT_NE(diagram::frmTGraph2D::Geladen(), nullptr);
    const platform::Chart2D& chart = *diagram::frmTGraph2D::Geladen()->Chart();
    ASSERT_GE(chart.PointCount(2, 1), 3);  // the c(A) points as point set 1, the inactive row left out
    if (chart.PointCount(2, 1) >= 4) {
        EXPECT_NE(chart.X(2, 1, 4), 9);
    }
    for (int i = 1; i <= 3; ++i) {
        EXPECT_DOUBLE_EQ(chart.X(2, 1, i), ExpDaten[static_cast<std::size_t>(i)].t);
        EXPECT_DOUBLE_EQ(chart.Y(2, 1, i), ExpDaten[static_cast<std::size_t>(i)].c[1]);
    }
    EXPECT_FLOAT_EQ(DiagRec.xMin, 0);
    EXPECT_FLOAT_EQ(DiagRec.xMax, 9 + 9 / 20.0f);  // largest time (inactive rows too) and a twentieth more
    EXPECT_FLOAT_EQ(DiagRec.yMax, 1 + 1 / 20.0f);

    SetData({{0, 0, 0, 300, 0.1}, {0, 0, 0, 320, 0.4}});
    AnalyseExpData();  // two k-T rows enable their button
    Press("cmdDraw_Tk");
    EXPECT_EQ(aktDiagrammCode, -2);
    EXPECT_FLOAT_EQ(DiagRec.xMin, 300 - 1);  // T range 300..320 widened by a twentieth
    EXPECT_FLOAT_EQ(DiagRec.xMax, 320 + 1);
}

TEST_F(DrawingTest, NothingIsDrawnWithoutActiveRows) {
    Open();
    Press("cmdDraw_ct");
    EXPECT_EQ(recorder.Last().prompt, "keine Messpunkte vorhanden!");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(aktDiagrammCode, 0);
    CloseAll();
    SetData({{0, 1, 0, 300, 1, -1}, {1, 0.5, 0, 310, 2, -1}});
    Open();
    Press("cmdDraw_ct");
    Press("cmdDraw_Tk");
    editor->cmdDraw_rcS_Click();  // disabled outside the enzyme model
    ASSERT_GE(recorder.Messages().size(), 3u);
    const auto& m = recorder.Messages();
    EXPECT_EQ(m[m.size() - 3].prompt, "Alle c-t-Punkte deaktiviert!\r\nHeben Sie Deaktivierungen von Datenpunkten auf.\r\n");
    EXPECT_EQ(m[m.size() - 2].prompt.substr(0, 28), "Alle k-T-Punkte deaktiviert!");
    EXPECT_EQ(m.back().prompt.substr(0, 34), "Alle r(P)-c(S)-Punkte deaktiviert!");
    EXPECT_EQ(m.back().title, " Ausführung nicht möglich ");
    EXPECT_EQ(diagram::frmTGraph2D::Geladen(), nullptr);
}

TEST_F(DrawingTest, ApplyChecksTheTimeRangeOfNonIsothermalData) {
    SetData({{0, 1, 0.5, 300}, {0.5, 0.8, 0, 310}, {1.5, 0.6, 0, 320}});
    Open();
    recorder.Clear();
    recorder.QueueAnswer(platform::vbYes);  // change the unit first: nothing applied
    Press("cmdApply");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, " Warnung für nicht-isothermes Fitting ");
    EXPECT_EQ(ArrhA, 0);
    recorder.QueueAnswer(platform::vbNo);
    Press("cmdApply");
    EXPECT_EQ(ArrhA, 100);
    EXPECT_FLOAT_EQ(c0Mess[2], 0.5);
    EXPECT_TRUE(MainEnabled("Toolbar1(8)"));

    ExpDaten[3].t = 1.0;  // the largest time at the edge of the range: no question
    recorder.Clear();
    Press("cmdApply");
    EXPECT_TRUE(recorder.Empty());
    for (int i = 1; i <= 3; ++i) ExpDaten[static_cast<std::size_t>(i)].T = 300;  // one temperature
    ExpDaten[3].t = 5;
    Press("OK");  // applies, closes, and closing applies again
    EXPECT_TRUE(recorder.Empty());
    EXPECT_FALSE(platform::Windows().IsLoaded("frmDatedit"));
    EXPECT_TRUE(MainEnabled("mnuEditDat"));
    EXPECT_TRUE(MainEnabled("Toolbar1(16)"));
}

}  // namespace
}  // namespace datatest
