// The editor's file buttons through the file choosers, the save question, drawing the measured
// points through the diagram set-up, and the hand-over to evaluation.

#include <filesystem>
#include <utility>

#include "diagram/frmTGraph2D.h"
#include "kernel/DataSet.h"
#include "platform/Chart2D.h"
#include "shell/DataSaveQuestion.h"
#include "tests/experiment/DataEditorFixture.h"

namespace datatest {
namespace {

using namespace kernel;

using DataFilesTest = DataEditorTest;

// A replace-load over changed rows asks first; Cancel, or Yes with a failing save, loads nothing.
TEST_F(DataFilesTest, LoadsOverChangedRowsAskAndFailedLoadsKeepTheData) {
    const std::string a = WriteTA3("A.TA3", "s", {{1, 1}, {2, 0.5}});
    const std::string b = WriteTA3("B.TA3", "s", {{5, 0.1}});
    frmDatedit& w = Open();
    dialogs.openAnswer = a;
    Press("cmdLoadFile");
    ASSERT_EQ(nMesspunkte, 2);
    auto* cell = EditCell(0, 3);  // a value edited after the load
    ASSERT_NE(cell, nullptr);
    cell->setText("0.75");
    QTest::keyClick(cell, Qt::Key_Return);
    ASSERT_EQ(ExpDataChanged, kTrue);
    const QString caption = w.windowTitle();

    dialogs.openAnswer = b;
    struct Case {
        int answer;
        std::string saveTo;  // "" cancels the save dialog
    };
    for (const Case& c : {Case{platform::vbCancel, ""}, Case{platform::vbYes, ""},
                          Case{platform::vbYes, Path("nicht/da/A.TA3")}}) {
        SCOPED_TRACE(c.answer);
        rec.Clear();
        rec.QueueAnswer(c.answer);
        dialogs.saveAnswer = c.saveTo;
        Press("cmdLoadFile");
        ASSERT_FALSE(rec.Empty());
        EXPECT_EQ(rec.Messages()[0].prompt, "Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
        EXPECT_EQ(dialogs.openRequests.size(), 1u);  // no file was chosen
        EXPECT_EQ(nMesspunkte, 2);
        EXPECT_EQ(ExpDaten[1].c[1], 0.75);
        EXPECT_EQ(w.windowTitle(), caption);
        EXPECT_EQ(DatenFile, a);
        EXPECT_EQ(ExpDataChanged, kTrue);
    }
    rec.QueueAnswer(platform::vbNo);
    Press("cmdLoadFile");
    EXPECT_EQ(Times(), std::vector<double>{5});
    EXPECT_EQ(ExpDataChanged, 0);

    Press("cmdLoadFile");  // unchanged data: no question; the dialog is cancelled
    dialogs.openAnswer.clear();
    Press("cmdLoadFile");
    EXPECT_EQ(nMesspunkte, 1);

    rec.Clear();
    dialogs.openAnswer = Path("fehlt.TA3");
    Press("cmdLoadFile");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().title, "Meldung von LoadExpFile");
    EXPECT_EQ(nMesspunkte, 1);
    EXPECT_EQ(DatenFile, b);

    dialogs.openAnswer = dir.path().toStdString() + "/";  // confirmed without a file name: a new data set
    Press("cmdLoadFile");
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(DatenFile, "");
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");

    // Appending may fill the set up to 32,767 rows, never past them.
    SetData(std::vector<Row>(32765, Row{1, 1}));
    dialogs.openAnswer = a;
    Press("cmdAddFile");
    EXPECT_EQ(nMesspunkte, 32767);
    rec.Clear();
    Press("cmdAddFile");
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von LoadExpFile|Überlauf: zu viele Messpunkte (Zeile 4).");
    EXPECT_EQ(nMesspunkte, 32767);
}

// A loaded file's times are never relabelled: a replacing file brings its unit and the model's
// times and rate constants are rescaled into it; appended rows are converted into the unit in use.
TEST_P(DataEditorRoad, FileUnitsAreConvertedNotRelabelled) {
    struct Case {
        const char* name;
        int unitInUse;
        bool append;
        bool enzymeRates;
        const char* fileUnit;
        std::vector<Row> fileRows;
        int unitAfter;
        double tMaxAfter, k1After;  // from t(max) 300 s or 5 min and k1 0.02 /s or 1.2 /min
        std::vector<double> t, k;   // the rows afterwards
    };
    const Case cases[] = {
        {"replace min over s", 0, false, false, "min", {{1, 0.5, 0, 0, 0.3}, {2, 0.25, 0, 0, 0.3}}, 1, 5, 1.2,
         {1, 2}, {0.3, 0.3}},
        {"append s to min", 1, true, false, "s", {{30, 0.5, 0, 0, 0.5}, {90, 0.25, 0, 0, 0.5}}, 1, 5, 1.2,
         {0, 0.5, 1.5}, {0, 30, 30}},
        {"append s rates to min", 1, true, true, "s", {{0.5, 0, 0.2, 0, 0.5}}, 1, 5, 1.2, {0, 30}, {0, 30}},
        {"replace in the unit in use", 0, false, false, "s", {{30, 0.5, 0, 0, 0.5}}, 0, 300, 0.02, {30}, {0.5}},
        {"append in the unit in use", 1, true, false, "min", {{3, 0.5, 0, 0, 0.5}}, 1, 5, 1.2, {0, 3}, {0, 0.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::UnloadAll();
        aktModell = c.enzymeRates ? 10 : 2;
        ZeitEinheit = ZeitEinheitText(c.unitInUse);
        ZeitEinheitNr = ZeitEinheitIdx = c.unitInUse;
        tMax = c.unitInUse == 0 ? 300 : 5;
        kWert[1] = c.unitInUse == 0 ? 0.02 : 1.2;
        SetData({{0, 1}});
        ExpDataChanged = 0;
        frmDatedit& w = Open();
        dialogs.openAnswer = WriteTA3("U.TA3", c.fileUnit, c.fileRows);
        Press(c.append ? "cmdAddFile" : "cmdLoadFile");
        if (c.append) {
            EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Datensätzen  (U.TA3)");
        }
        EXPECT_EQ(ExpDataChanged, c.append ? kTrue : 0);  // appended rows are in no file yet
        EXPECT_EQ(ZeitEinheit, ZeitEinheitText(c.unitAfter));
        EXPECT_EQ(ZeitEinheitNr, c.unitAfter);
        EXPECT_TRUE(Find<QRadioButton>(QStringLiteral("optZeit(%1)").arg(c.unitAfter))->isChecked());
        if (!c.enzymeRates) {
            EXPECT_EQ(Text("Bz1(2)").toStdString(), "Zeit t/" + ZeitEinheitText(c.unitAfter));
        }
        EXPECT_DOUBLE_EQ(tMax, c.tMaxAfter);
        EXPECT_DOUBLE_EQ(kWert[1], c.k1After);
        ASSERT_EQ(Times().size(), c.t.size());
        for (std::size_t i = 0; i < c.t.size(); ++i) {
            EXPECT_DOUBLE_EQ(ExpDaten[i + 1].t, c.t[i]) << i;
            EXPECT_DOUBLE_EQ(ExpDaten[i + 1].k, c.k[i]) << i;
        }
    }
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
        dialogs.saveAnswer = c.chosen;
        rec.QueueAnswer(c.answer);
        int result = 7;
        shell::AskSaveExpData(0, result);
        EXPECT_EQ(result, c.result) << c.answer << " " << c.chosen;
        EXPECT_EQ(ExpDataChanged, c.changedAfter);
        EXPECT_EQ(DatenFile, Path("M.TA3"));  // a failed write names no file
    }
    EXPECT_EQ(rec.Messages()[0].prompt, "Die experimentellen Daten wurden geändert.\r\nJetzt speichern?");
    EXPECT_EQ(rec.Messages()[4].title, "Meldung von WriteDataFile");
    EXPECT_EQ(dialogs.saveRequests.front().proposal, Path("M.TA3"));
    EXPECT_TRUE(std::filesystem::exists(Path("M.TA3")));

    // The editor's save button: a failing write keeps the caption, the name and the flag.
    ExpDataChanged = kTrue;
    frmDatedit& w = Open();
    dialogs.saveAnswer = Path("nicht/da/N.TA3");
    Press("cmdSave");
    EXPECT_EQ(dialogs.saveRequests.size(), 4u);
    EXPECT_EQ(DatenFile, Path("M.TA3"));
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (M.TA3)");
    EXPECT_EQ(ExpDataChanged, kTrue);  // the exit handler still asks

    testsupport::UnloadAll();
    SetData({});  // without rows it does nothing
    Open();
    Press("cmdSave");
    EXPECT_EQ(dialogs.saveRequests.size(), 4u);
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
    EXPECT_EQ(rec.Last().prompt, "keine Messpunkte vorhanden!");
    EXPECT_EQ(rec.Beeps(), 1);
    EXPECT_EQ(aktDiagrammCode, 0);
    testsupport::UnloadAll();
    SetData({{0, 1, 0, 300, 1, -1}, {1, 0.5, 0, 310, 2, -1}});
    Open();
    Press("cmdDraw_ct");
    Press("cmdDraw_Tk");
    editor->cmdDraw_rcS_Click();  // disabled outside the enzyme model
    ASSERT_GE(rec.Messages().size(), 3u);
    const auto& m = rec.Messages();
    EXPECT_EQ(m[m.size() - 3].prompt, "Alle c-t-Punkte deaktiviert!\r\nHeben Sie Deaktivierungen von Datenpunkten auf.\r\n");
    EXPECT_EQ(m[m.size() - 2].prompt.substr(0, 28), "Alle k-T-Punkte deaktiviert!");
    EXPECT_EQ(m.back().prompt.substr(0, 34), "Alle r(P)-c(S)-Punkte deaktiviert!");
    EXPECT_EQ(m.back().title, " Ausführung nicht möglich ");
    EXPECT_EQ(diagram::frmTGraph2D::Geladen(), nullptr);
}

// Closing applies the data once; Yes to the time-range question keeps the editor open.
TEST_F(DrawingTest, ApplyChecksTheTimeRangeOfNonIsothermalDataOnceAndYesKeepsTheEditorOpen) {
    struct Case {
        double tEnd;
        bool twoTemperatures;
        bool asks;
    };
    for (const Case& c : {Case{2.5, true, true}, Case{0.1, true, true}, Case{1.0, true, false},
                          Case{0.2, true, false}, Case{5, false, false}}) {
        SCOPED_TRACE(c.tEnd);
        testsupport::UnloadAll();
        const double T2 = c.twoTemperatures ? 320 : 300;
        SetData({{0, 1, 0.5, 300}, {c.tEnd / 2, 0.8, 0, T2}, {c.tEnd, 0.6, 0, T2}});
        ArrhA = 0;
        Open();
        rec.Clear();
        if (c.asks) {
            rec.QueueAnswer(platform::vbYes);  // change the unit first: nothing applied, still open
            Press("OK");
            ASSERT_EQ(rec.Messages().size(), 1u);
            EXPECT_EQ(rec.Last().title, " Warnung für nicht-isothermes Fitting ");
            EXPECT_TRUE(platform::Windows().IsLoaded("frmDatedit"));
            EXPECT_EQ(ArrhA, 0);
            rec.QueueAnswer(platform::vbYes);
            platform::Windows().Frame("frmDatedit")->close();  // the close box
            EXPECT_TRUE(platform::Windows().IsLoaded("frmDatedit"));
            // New data while the editor stays open on Yes: the rows are kept, not emptied under it.
            rec.QueueAnswer(platform::vbYes);
            rec.QueueAnswer(platform::vbYes);
            shell::mnuNeudat_Click();
            EXPECT_TRUE(platform::Windows().IsLoaded("frmDatedit"));
            EXPECT_EQ(nMesspunkte, 3);
            rec.Clear();
            rec.QueueAnswer(platform::vbNo);
        }
        Press("OK");
        EXPECT_EQ(rec.Messages().size(), c.asks ? 1u : 0u);
        EXPECT_FALSE(platform::Windows().IsLoaded("frmDatedit"));
        if (c.twoTemperatures) {
            EXPECT_EQ(ArrhA, 100);
        }
        EXPECT_FLOAT_EQ(c0Mess[2], 0.5);
        EXPECT_TRUE(Enabled("Toolbar1(8)"));
        EXPECT_TRUE(Enabled("mnuEditDat"));
        EXPECT_TRUE(Enabled("Toolbar1(16)"));
    }
}

// From the main window: new data pasted, typed, switched and edited, saved, closed with OK, then
// loaded back in the editor opened for editing.
TEST_P(DataEditorRoad, NewDataTypedSavedAndLoadedBackFromTheMainWindow) {
    platform::Windows().MainWindow()->findChild<QAction*>("mnuNeudat")->trigger();
    editor = qobject_cast<frmDatedit*>(platform::Windows().Get("frmDatedit"));
    ASSERT_NE(editor, nullptr);
    auto* table = Grid().findChild<QTableWidget*>();
    SetClipboard(testsupport::InLocale("3\t0.125\r\n4\t0.0625\r\n"));
    QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    Find<QRadioButton>("optInputMode(0)")->click();
    for (const auto& [t, c] : {std::pair{"0", "1"}, std::pair{"1", "0,5"}, std::pair{"2", "0.25"}}) {
        Y(0)->clear();
        Y(1)->clear();
        QTest::keyClicks(Y(0), t);
        QTest::keyClicks(Y(1), QString(c) + "+");
    }
    ASSERT_EQ(nMesspunkte, 5);
    Grid().SetCurrentCell(1, 2);
    Press("cmdAus");
    auto* cell = EditCell(0, 3);
    ASSERT_NE(cell, nullptr);
    QTest::keyClicks(cell, "0.75");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(3, 5)).center());
    Find<QLineEdit>("txtComment")->setText("Strecke");
    Find<QLineEdit>("lambda_infin")->setText("4");
    Find<QRadioButton>("optZeit(1)")->click();
    dialogs.saveAnswer = Path("STRECKE.TA3");
    Press("cmdSave");
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(ExpDataChanged, 0);
    EXPECT_EQ(DatenFile, dialogs.saveAnswer);
    EXPECT_EQ(DatenPfad, dir.path().toStdString() + "/");
    EXPECT_EQ(editor->windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (STRECKE.TA3)");
    Press("OK");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(platform::Windows().IsLoaded("frmDatedit"));

    SetData({{9, 9}});  // what memory holds meanwhile
    lambdaInf = 0;
    ZeitEinheit = "s";
    ZeitEinheitNr = ZeitEinheitIdx = 0;
    DatenKommentar.clear();
    ASSERT_TRUE(Enabled("mnuEditDat"));
    platform::Windows().MainWindow()->findChild<QAction*>("mnuEditDat")->trigger();
    editor = qobject_cast<frmDatedit*>(platform::Windows().Get("frmDatedit"));
    ASSERT_NE(editor, nullptr);
    dialogs.openAnswer = dialogs.saveAnswer;
    Press("cmdLoadFile");
    const std::vector<double> seconds{3, 4, 0, 1, 2};
    const std::vector<double> cA{0.75, 0.0625, 1, 0.5, 0.25};
    ASSERT_EQ(nMesspunkte, 5);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_NEAR(ExpDaten[i].t, seconds[i - 1] / 60, 1e-7) << i;  // the file holds seven digits
        EXPECT_DOUBLE_EQ(ExpDaten[i].c[1], cA[i - 1]) << i;
        EXPECT_EQ(ExpDaten[i].exclude, i == 2 ? kTrue : 0) << i;
    }
    EXPECT_TRUE(Grid().Checked(1, 1));
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_TRUE(Find<QRadioButton>("optZeit(1)")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("txtComment")->text(), "Strecke");
    EXPECT_EQ(lambdaInf, 4);
}

INSTANTIATE_TEST_SUITE_P(Locales, DataEditorRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
}  // namespace datatest
