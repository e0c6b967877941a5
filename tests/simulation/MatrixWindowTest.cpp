// The stoichiometric matrix window: rows of several models, the row names of the enzyme model, the
// title of the n-th order model, its reload on a model choice, and the mass balance of every model.
#include "kernel/ModelDefaults.h"
#include "simulation/frmKinModel.h"
#include "simulation/frmmatrix.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

// One row as the window writes it: each coefficient with its sign position (blank or "-"), the
// three joined by 16 blanks.
QString Row(const char* c1, const char* c2, const char* c3) {
    const QString gap(16, ' ');
    return QString::fromLatin1(c1) + gap + QString::fromLatin1(c2) + gap + QString::fromLatin1(c3);
}

class MatrixWindowTest : public simtest::SimWindowTest {
protected:
    void ChooseAndShow(int index) {
        platform::Windows().Show("frmKinModel");
        auto* model = static_cast<frmKinModel*>(platform::Windows().Get("frmKinModel"));
        model->optTyp_Click(index);
        model->cmdShowMatrix->click();
    }
    static QString Cell(const char* name) { return Text("frmmatrix", name); }
};

// The rows of several models as the open window shows them, reloaded at each model choice (option
// index, title, species names, rows A B C P Q).
TEST_F(MatrixWindowTest, RowsOfSeveralModels) {
    struct Case {
        int index;
        const char* title;
        const char* names[5];
        const char* rows[5][3];
    };
    const Case cases[] = {
        {2, "A => P   (n = 1)", {"A", "B", "C", "P", "Q"},
         {{"-1", " 0", " 0"}, {" 0", " 0", " 0"}, {" 0", " 0", " 0"}, {" 1", " 0", " 0"}, {" 0", " 0", " 0"}}},
        {0, "A => P, n-ter Ordnung  (n = 1.50)", {"A", "B", "C", "P", "Q"},
         {{"-1.5", " 0", " 0"}, {" 0", " 0", " 0"}, {" 0", " 0", " 0"}, {" 1", " 0", " 0"}, {" 0", " 0", " 0"}}},
        // E bound, released, released; S bound, released; ES formed, split twice.
        {10, "E + S <=> ES => P + E", {"E", "S", "ES", "P", "Q"},
         {{"-1", " 1", " 1"}, {"-1", " 1", " 0"}, {" 1", "-1", "-1"}, {" 0", " 0", " 1"}, {" 0", " 0", " 0"}}},
        {12, "A + B <=> 2P", {"A", "B", "C", "P", "Q"},  // A + B <=> 2P
         {{"-1", " 1", " 0"}, {"-1", " 1", " 0"}, {" 0", " 0", " 0"}, {" 2", "-2", " 0"}, {" 0", " 0", " 0"}}},
    };
    const char* rowNames[5] = {"lblA", "lblB", "lblC", "lblP", "lblQ"};
    ReaktOrdnung = 1.5f;
    ChooseAndShow(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        static_cast<frmKinModel*>(platform::Windows().Get("frmKinModel"))->optTyp_Click(c.index);  // reloads it
        ASSERT_TRUE(platform::Windows().IsLoaded("frmmatrix"));
        EXPECT_EQ(Cell("Label10"), QString::fromUtf8(c.title));
        for (int r = 0; r < 5; ++r) {
            EXPECT_EQ(Cell(QStringLiteral("Label%1").arg(r + 4).toLatin1()), c.names[r]);
            EXPECT_EQ(Cell(rowNames[r]), Row(c.rows[r][0], c.rows[r][1], c.rows[r][2])) << rowNames[r];
        }
    }
    EXPECT_EQ(platform::Windows().Get("frmmatrix")->windowTitle(), QString::fromUtf8("  Stöchiometrische Matrix"));
}

// Mass balance: counting each species in units of A as the reaction scheme builds it (C of
// A + B holds one A, P of A + C two, ...), every step of every model conserves the A units.
TEST_F(MatrixWindowTest, EveryStepConservesTheUnitsOfA) {
    struct Units {
        int model;
        double a[6];  // units of A in species slot 1..5
    };
    const Units balanced[] = {
        {1, {0, 1, 0, 0, 1, 0}},  {2, {0, 1, 0, 0, 1, 0}},  {3, {0, 1, 0, 0, 2, 0}},
        {4, {0, 1, 0, 0, 1, 0}},  {5, {0, 1, 0, 0, 1, 0}},  {6, {0, 1, 0, 1, 1, 0}},
        {7, {0, 1, 0, 1, 2, 0}},  {8, {0, 1, 0, 0, 1, 0}},  {9, {0, 1, 0, 1, 1, 0}},
        {11, {0, 1, 0, 0, 1, 1}}, {12, {0, 1, 0, 0, 0.5, 0}}, {13, {0, 1, 0, 1, 1, 0}},
        {14, {0, 1, 0, 1, 1, 0}}, {15, {0, 1, 0, 1, 1, 0}}, {16, {0, 1, 0, 0, 0.5, 0.5}},
        {17, {0, 1, 0, 0, 1, 0}}, {18, {0, 1, 0, 1, 1, 0}}, {19, {0, 1, 0, 0, 1, 0}},
        {20, {0, 1, 0, 0, 1.5, 0}},
    };
    for (const Units& u : balanced) {
        aktModell = u.model;
        SetStoichMatrix(1.5f);
        for (int step = 1; step <= 3; ++step) {
            double sum = 0;
            for (int slot = 1; slot <= 5; ++slot) sum += u.a[slot] * StoechMatrix[slot][step];
            EXPECT_DOUBLE_EQ(sum, 0.0) << "model " << u.model << " step " << step;
        }
    }
    // The enzyme: E and S are each conserved (ES holds one of each).
    aktModell = 10;
    SetStoichMatrix(1.5f);
    for (int step = 1; step <= 3; ++step) {
        EXPECT_DOUBLE_EQ(StoechMatrix[1][step] + StoechMatrix[3][step], 0.0);
        EXPECT_DOUBLE_EQ(StoechMatrix[2][step] + StoechMatrix[3][step] + StoechMatrix[4][step], 0.0);
    }
}

TEST_F(MatrixWindowTest, EscapeCloses) {
    ChooseAndShow(2);
    auto* close = Control<QPushButton>("frmmatrix", "cmdClose");
    platform::Windows().Show("frmmatrix");
    ASSERT_TRUE(simtest::ActivateHost());
    close->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), close);
    QTest::keyClick(close, Qt::Key_Escape);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmmatrix"));
}

}  // namespace
