// The data editor's window, table and input line: empty and filled start, row input in both
// modes, the key filters, the time unit, the headings per model, the window geometry.
#include <QMetaObject>
#include <QTest>

#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "platform/Twips.h"
#include "tests/experiment/DataEditorFixture.h"
#include "tests/support/PictureDir.h"

namespace datatest {
namespace {

using namespace kernel;

TEST_F(DataEditorTest, EmptyDataSetOpensInAddModeWithTheEmptyListRow) {
    frmDatedit& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), " Eingabe von Messpunkten  (unbenannt)");
    ASSERT_EQ(Grid().Rows(), 1);
    EXPECT_EQ(Grid().Text(0, 2), "leere Liste");
    EXPECT_EQ(Grid().Col(), 2);
    EXPECT_EQ(w.EditModus(), 0);
    EXPECT_EQ(Text("lblZeile"), "Zeile 1");
    EXPECT_TRUE(Find<QRadioButton>("optInputMode(0)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("optInputMode(0)")->font().bold());
    EXPECT_TRUE(Find<QRadioButton>("optZeit(0)")->isChecked());
    EXPECT_EQ(Grid().ColWidth(5), 1500);
    EXPECT_TRUE(Grid().IsCheckColumn(1));
}

TEST_F(DataEditorTest, DataShowInFixedWidthFieldsInEditMode) {
    SetData({{0, 0.5, 0.000001, 300, 0, 0}, {2.5, -1, 0, 0, 0, -1}});
    ExpDaten[1].lambda = 1.25f;
    DatenFile = dir.filePath("MESS1.TA3").toStdString();
    lambdaInf = 2.5;
    frmDatedit& w = Open();
    EXPECT_EQ(w.windowTitle().toStdString(), " Experimentelle Daten, Editieren von Messpunkten  (MESS1.TA3)");
    ASSERT_EQ(Grid().Rows(), 2);
    EXPECT_EQ(w.EditModus(), kTrue);
    EXPECT_EQ(Grid().Text(0, 0), "1  ");
    EXPECT_EQ(Grid().Text(0, 3), "0.5           ");
    EXPECT_EQ(Grid().Text(0, 4), "1.000000E-06  ");
    EXPECT_EQ(Grid().Text(1, 3), "-1.000000E+00 ");
    EXPECT_EQ(Grid().Text(1, 2), "2.5           ");
    EXPECT_EQ(Grid().Text(0, 8), "1.25          ");
    EXPECT_FALSE(Grid().Checked(0, 1));
    EXPECT_TRUE(Grid().Checked(1, 1));
    EXPECT_EQ(Grid().CellBackColor(0, 8), 220 + 256 * 240 + 65536 * 220);
    EXPECT_EQ(Y(1)->text(), " .5");  // row 1 in the input line
    EXPECT_EQ(Y(7)->text(), " 300");
    EXPECT_EQ(Find<QLineEdit>("lambda_infin")->text(), " 2.5");
    EXPECT_EQ(Text("lblZeile"), "Zeile 1");
    w.grab().save(testsupport::PicturePath("frmDatedit.png"));
}

TEST_F(DataEditorTest, InputLineAddsRowsAndRefusesAZeroSum) {
    frmDatedit& w = Open();
    Y(0)->setText("1");
    Y(1)->setText("-1");
    Press("OKinput");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_FALSE(MainEnabled("mnuEditDat"));

    Y(0)->setText("0");
    Y(1)->setText(".25");
    Press("OKinput");
    ASSERT_EQ(nMesspunkte, 1);
    EXPECT_EQ(Grid().Rows(), 1);  // the "leere Liste" row was replaced
    EXPECT_EQ(ExpDaten[1].c[1], 0.25);
    EXPECT_EQ(Text("lblZeile"), "Zeile 2");
    EXPECT_EQ(ExpDataChanged, kTrue);
    EXPECT_TRUE(MainEnabled("mnuEditDat"));
    EXPECT_EQ(w.EditModus(), 0);

    // Keys: a comma is typed as a point, letters are dropped, Enter walks on, "+" takes the line.
    Y(0)->clear();
    Y(1)->clear();
    QTest::keyClicks(Y(0), "1x,5");
    EXPECT_EQ(Y(0)->text(), "1.5");
    QTest::keyClicks(Y(1), "0.2+");
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(ExpDaten[2].t, 1.5);
    EXPECT_EQ(ExpDaten[2].c[1], 0.2);
    Y(8)->setText("3");
    QTest::keyClick(Y(8), Qt::Key_Return);  // Enter in the last field takes the line
    EXPECT_EQ(nMesspunkte, 3);
}

TEST_F(DataEditorTest, ClickIntoTheTableEditsThatRow) {
    SetData({{0, 1}, {1, 0.5}, {2, 0.25}});
    frmDatedit& w = Open();
    Find<QRadioButton>("optInputMode(0)")->click();
    EXPECT_EQ(w.EditModus(), 0);
    EXPECT_EQ(Text("lblZeile"), "Zeile 4");
    Grid().SetCurrentCell(1, 3);
    w.Grid_EnterCell();  // as a click into the cell
    EXPECT_EQ(w.EditModus(), kTrue);
    EXPECT_EQ(w.AktZeile(), 2);
    EXPECT_EQ(Y(1)->text(), " .5");
    Y(1)->setText("0.6");
    Press("OKinput");
    EXPECT_EQ(nMesspunkte, 3);
    EXPECT_EQ(ExpDaten[2].c[1], 0.6);
    EXPECT_EQ(Grid().Text(1, 3), "0.6           ");
}

TEST_F(DataEditorTest, NonIsothermalHintOncePerOpening) {
    Open();
    auto addRow = [&](const char* t) {
        Y(0)->setText(t);
        Y(1)->setText("1");
        Y(7)->setText("300");
        Press("OKinput");
    };
    addRow("0");
    addRow("1");
    ASSERT_EQ(recorder.Messages().size(), 1u);
    EXPECT_EQ(recorder.Last().title, "einmaliger Hinweis");
    CloseAll();
    Open();
    addRow("2");
    EXPECT_EQ(recorder.Messages().size(), 2u);
}

TEST_F(DataEditorTest, UnitChangesMeetTheModelWindowWithoutConvertingTwice) {
    SetData({{0, 1}, {90, 0.5}});
    kWert[1] = 0.5;
    ASSERT_NE(platform::Windows().Show("frmKinModel"), nullptr);
    Open();
    Find<QRadioButton>("optZeit(1)")->click();
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 1.5);
    EXPECT_DOUBLE_EQ(kWert[1], 30);
    QWidget* model = platform::Windows().Get("frmKinModel");
    auto* modelSeconds = model->findChild<QRadioButton*>("optZeit(0)");
    ASSERT_NE(modelSeconds, nullptr);
    EXPECT_TRUE(model->findChild<QRadioButton*>("optZeit(1)")->isChecked());
    modelSeconds->click();  // back to seconds from the model window
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90);
    EXPECT_DOUBLE_EQ(kWert[1], 0.5);
    EXPECT_TRUE(Find<QRadioButton>("optZeit(0)")->isChecked());
    EXPECT_EQ(Grid().Text(1, 2), "90            ");
    editor->optZeit_Click(0);  // the unit in force: nothing converted
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90);
    platform::Windows().Unload("frmKinModel");
    // The model window reaches the editor by the procedure's name.
    ASSERT_TRUE(QMetaObject::invokeMethod(editor, "TimeCallFromKinModel", Q_ARG(int, 2)));
    EXPECT_DOUBLE_EQ(ExpDaten[2].t, 90.0 / 3600);
}

TEST_F(DataEditorTest, HeadingsReachTheEditorsControlsByName) {
    SetData({{0.1, 0, 1}, {0.2, 0, 2}});
    Open();
    aktModell = 10;
    ZeitEinheit = "min";
    AnalyseExpData();  // refreshes the headings while the editor is open
    EXPECT_EQ(Text("lblKopf(5)"), " r(P)/(mol/L min)");
    EXPECT_EQ(Text("lblKopf(2)"), "c(S)/(mol/L)");
    EXPECT_EQ(Find<QPushButton>("TSort")->text(), "r(P)-Sortieren");
    EXPECT_FALSE(Y(1)->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("lambda_infin")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("cmdDraw_rcS")->isEnabled());
    aktModell = 2;
    SetDataGridHeaders();
    EXPECT_EQ(Text("Bz1(0)"), "c(A)/(mol/L)");
    EXPECT_TRUE(Y(1)->isEnabled());
}

TEST_F(DataEditorTest, WidthIsFixedAndTheGridKeepsItsLeastHeight) {
    frmDatedit& w = Open();
    QWidget* frame = platform::Windows().Frame("frmDatedit");
    frame->resize(frame->width() + 300, frame->height());
    EXPECT_EQ(w.width(), platform::TwipsToPixels(14860) + 1);  // 14860 twips rounded
    w.resize(w.width(), platform::TwipsToPixels(5000));
    EXPECT_EQ(Grid().height(), platform::TwipsToPixels(2000) + 0);
}

}  // namespace
}  // namespace datatest
