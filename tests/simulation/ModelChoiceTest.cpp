// The model window: what choosing each of the twenty models sets in the shared state and writes
// into the open calculation window, the catalyst start value of the autocatalysis models, the
// reaction-order box, and the time unit; the stoichiometric matrix window it opens (rows of several
// models, the row names of the enzyme model, the title of the n-th order model, its reload on a model
// choice, and the mass balance of every model).
#include "kernel/ModelDefaults.h"
#include "simulation/frmKinModel.h"
#include "simulation/frmmatrix.h"
#include "tests/simulation/CalcWindowTestSupport.h"

using namespace kernel;

namespace {

// What the model window must set for a model, taken from the model table of the program's
// description: option Index, species and k masks (from the reaction scheme), start values of
// c(A), c(B), c(P) (from zero), k2/k3 defaults, the k names, and the four flags E U N H.
struct Expected {
    int index;
    const char* species;    // A B C P Q used
    const char* steps;      // k1 k2 k3 used
    double cA, cB, cP;
    double k2, k3;
    const char* kNames;     // captions of the k boxes in use
    const char* flags;      // Einfache, Umkehrbar, NegUmsatz, HwzNum as "1"/"0"
};

const Expected kModels[21] = {
    {},
    {1, "10010", "100", 1, 0, 0, 0, 0, "k1 k2", "1000"},
    {2, "10010", "100", 1, 0, 0, 0, 0, "k1 k2", "1000"},
    {3, "10010", "100", 1, 0, 0, 0, 0, "k1 k2", "1000"},
    {4, "11010", "100", 1, 1, 0, 0, 0, "k1 k2", "1000"},
    {5, "10010", "100", 1, 0, 0.002, 0.2, 0, "k1 k2", "1000"},
    {6, "10110", "110", 1, 0, 0, 0.1, 0, "k1 k2", "0000"},
    {7, "11110", "110", 2, 1, 0, 0.05, 0, "k1 k2", "0001"},
    {8, "10010", "110", 0.5, 0, 0, 0.1, 0, "k> k<", "1110"},
    {9, "11110", "110", 1, 1, 0, 0.1, 0, "k1 k2", "0001"},
    {10, "11110", "111", 0.5, 5, 0, 0.01, 0.005, "k> k< k3", "0011"},
    {11, "10011", "110", 1, 0, 0, 0.05, 0, "k1 k2", "0000"},
    {12, "11010", "110", 0.5, 0.5, 0, 0.01, 0, "k> k<", "1110"},
    {13, "11110", "111", 1, 1, 0, 0.1, 0.005, "k1 k> k<", "0001"},
    {14, "10110", "111", 1, 0, 0, 0.1, 0.005, "k1 k> k<", "0001"},
    {15, "10110", "111", 1, 0, 0, 0.2, 0.15, "k> k< k3", "0011"},
    {16, "10011", "100", 1, 0, 0.002, 0.2, 0, "k1 k2", "1000"},
    {17, "11010", "110", 0.5, 0.5, 0, 0.01, 0, "k> k<", "1110"},
    {18, "11110", "111", 1, 1, 0, 0.1, 0.005, "k> k< k3", "0011"},
    {19, "11011", "110", 0.5, 0.5, 0, 0.01, 0, "k> k<", "1110"},
    {0, "10010", "100", 1, 0, 0, 0, 0, "k1 k2", "1001"},
};

class ModelChoiceTest : public simtest::SimWindowTest {
protected:
    frmKinModel* OpenModelWindow() {
        return static_cast<frmKinModel*>(platform::Windows().Show("frmKinModel"));
    }
    static void Choose(int model) { simtest::ChooseModel(model); }
    static QString Inp(int i) { return QStringLiteral("Inp(%1)").arg(i); }
};

TEST_F(ModelChoiceTest, EveryModelSetsCaptionMasksDefaultsAndKNamesOfTheOpenWindow) {
    for (int model = 1; model <= 20; ++model) {
        SCOPED_TRACE("model " + std::to_string(model));
        const Expected& e = kModels[model];
        TearDown();
        SetUp();
        // Minutes: the time defaults are 60 s and 100 s in the current unit.
        ZeitEinheit = "min";
        ZeitEinheitNr = 1;
        platform::Windows().Show("frmBatch");
        OpenModelWindow();  // chooses the current model, whose start values are cleared again
        c0Wert.fill(0);
        kWert.fill(0);
        tMax = 0;
        tauMittel = 0;
        Choose(model);

        EXPECT_EQ(std::pair(aktModell, aktDiagrammCode), std::pair(model, model));
        EXPECT_DOUBLE_EQ(tMax, 100.0 / 60.0);
        EXPECT_DOUBLE_EQ(tauMittel, 1.0);
        EXPECT_EQ((std::vector<double>{c0Wert[1], c0Wert[2], c0Wert[4], kWert[2], kWert[3]}),
                  (std::vector<double>{e.cA, e.cB, e.cP, e.k2, e.k3}));
        const int flags[4] = {EinfacheReaktion, IstUmkehrbar, NegUmsatzErlaubt, HalbwertszeitNumerisch};
        for (int f = 0; f < 4; ++f) EXPECT_EQ(flags[f], e.flags[f] == '1' ? kTrue : kFalse) << "flag " << f;

        std::string caption = "kinet. Modell:  " + ModellName[static_cast<std::size_t>(model)];
        if (model == 20) caption += " (n = 1.50)";
        EXPECT_EQ(Text("frmBatch", "Label7").toStdString(), caption);
        for (int i = 1; i <= 5; ++i) {
            const bool used = e.species[i - 1] == '1';
            EXPECT_EQ(Shown("frmBatch", Inp(i - 1)), used) << "input box of species " << i;
            EXPECT_EQ(Shown("frmBatch", Inp(i + 4)), used) << "result box of species " << i;
            EXPECT_EQ(Shown("frmBatch", QStringLiteral("lblStoff(%1)").arg(i - 1)), used);
        }
        for (const char* k2 : {"Inp(11)", "Bz(6)", "unit2"}) EXPECT_EQ(Shown("frmBatch", k2), e.steps[1] == '1') << k2;
        for (const char* k3 : {"Inp(12)", "Bz(7)"}) EXPECT_EQ(Shown("frmBatch", k3), e.steps[2] == '1') << k3;
        QString kNames = Text("frmBatch", "Bz(5)") + ' ' + Text("frmBatch", "Bz(6)");
        if (e.steps[2] == '1') kNames += ' ' + Text("frmBatch", "Bz(7)");  // otherwise it keeps its old text
        EXPECT_EQ(kNames.toStdString(), e.kNames);

        // Start values as the boxes show them (a number's short form with its leading blank).
        EXPECT_EQ(Text("frmBatch", Inp(0)).toStdString(), platform::StrSingle(static_cast<float>(e.cA)));
        EXPECT_EQ(Text("frmBatch", Inp(3)).toStdString(), platform::StrSingle(static_cast<float>(e.cP)));
        EXPECT_EQ(Text("frmBatch", Inp(14)), QStringLiteral(" 1"));  // reaction time: 60 s in minutes
        for (int i = 5; i <= 9; ++i) EXPECT_TRUE(Control<QLineEdit>("frmBatch", Inp(i))->text().isEmpty()) << i;
        const QString first = model == 10 ? "E" : "A";
        EXPECT_EQ(QStringList({Text("frmBatch", "lblStoff(0)"), Text("frmBatch", "lblStoff(5)"),
                               Control<QWidget>("frmBatch", "optSpecialScaling(0)")->property("text").toString()}),
                  QStringList({first, first, first}));
        // The species option the model window marks matches the model.
        auto* chosen = Control<QRadioButton>("frmKinModel", QStringLiteral("optTyp(%1)").arg(e.index));
        EXPECT_TRUE(chosen->isChecked());
        EXPECT_TRUE(chosen->font().bold());
        EXPECT_EQ(Control<QWidget>("frmKinModel", "optMichMent(0)")->isEnabled(), model == 10);
        EXPECT_EQ(Control<QWidget>("frmKinModel", "txtOrdnung")->isEnabled(), model == 20);
    }
}

// Values already set are kept and only zeros replaced; a c(P,0) the user gave the autocatalysis models
// survives every re-choice of the model, only an empty catalyst gets the small start value.
TEST_F(ModelChoiceTest, ValuesAlreadySetAreKeptAndOnlyZerosReplaced) {
    platform::Windows().Show("frmBatch");
    c0Wert[1] = 3;
    kWert[2] = 0.7;
    tMax = 42;
    tauMittel = 7;
    OpenModelWindow();
    Choose(6);
    EXPECT_EQ((std::vector<double>{c0Wert[1], kWert[2], tMax, tauMittel}), (std::vector<double>{3, 0.7, 42, 7}));

    // The reversible first-order reaction may start from P alone.
    c0Wert[1] = 0;
    c0Wert[4] = 0.3;
    Choose(8);
    EXPECT_DOUBLE_EQ(c0Wert[1], 0);
    EXPECT_DOUBLE_EQ(c0Wert[4], 0.3);

    // The autocatalysis models keep the user's catalyst.
    c0Wert[4] = 0.5;
    for (int model : {5, 16, 5}) {
        Choose(model);
        EXPECT_DOUBLE_EQ(c0Wert[4], 0.5) << "model " << model;
        EXPECT_EQ(Text("frmBatch", Inp(3)), QStringLiteral(" .5"));
    }
    c0Wert[4] = -1;  // nothing sensible: the catalyst start value takes over
    Choose(16);
    EXPECT_DOUBLE_EQ(c0Wert[4], 0.002);
    EXPECT_EQ(Text("frmBatch", Inp(3)), QStringLiteral(" .002"));
}

TEST_F(ModelChoiceTest, RateDiagramAndFittingChooseTheirDiagramCodes) {
    RateDiagramm = kTrue;
    tMax = 0;
    OpenModelWindow();
    Choose(4);
    EXPECT_EQ(aktDiagrammCode, 54);
    EXPECT_DOUBLE_EQ(tMax, 60);  // the rate diagram's start span is 60 s

    RateDiagramm = 0;
    DiagVariante = 1;
    aktDiagrammCode = -9;
    Choose(7);
    EXPECT_EQ(aktDiagrammCode, -9);  // the fitting keeps its diagram
}

TEST_F(ModelChoiceTest, ReactionOrderBoxChoosesTheNthOrderModel) {
    auto* window = OpenModelWindow();
    Choose(2);
    auto* box = Control<QLineEdit>("frmKinModel", "txtOrdnung");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral(" 1.5"));
    // The box is offered with model 20 only; a typed order still switches the model.
    box->setEnabled(true);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "2,5");
    EXPECT_EQ(aktModell, 20);
    EXPECT_EQ(box->text(), QStringLiteral("2.5"));
    EXPECT_FLOAT_EQ(ReaktOrdnung, 2.5f);
    QTest::keyClicks(box, "x");  // refused by the key filter
    EXPECT_EQ(box->text(), QStringLiteral("2.5"));

    // The model line of the open window shows the order read at the choice.
    platform::Windows().Show("frmBatch");
    window->optTyp_Click(0);
    EXPECT_EQ(Text("frmBatch", "Label7"), QStringLiteral("kinet. Modell:  A => P, n-ter Ordnung  (n = 2.50)"));
    box->clear();
    window->optTyp_Click(0);
    EXPECT_FLOAT_EQ(ReaktOrdnung, 0.0f);  // an empty box gives n = 0, rejected later by the calculation
    window->optTyp_Click(20);             // no such option: nothing changes
    EXPECT_EQ(aktModell, 20);
}

// Changing the unit rescales every stored time and rate constant and relabels the open window.
TEST_F(ModelChoiceTest, TimeUnitChangeRelabelsAndRescalesTheOpenWindow) {
    platform::Windows().Show("frmBatch");
    OpenModelWindow();
    Choose(6);  // two first-order steps
    kWert[1] = 0.15;
    tauMittel = 120;
    // The values themselves: the unit conversion's own test; here the window's boxes show them.
    Control<QRadioButton>("frmKinModel", "optZeit(1)")->click();
    EXPECT_EQ(std::pair(ZeitEinheit, ZeitEinheitNr), std::pair(std::string("min"), 1));
    QStringList shown;
    for (const char* name : {"lblZeitEinheit", "unit1", "Inp(10)", "Inp(14)"}) shown << Text("frmBatch", name);
    EXPECT_EQ(shown, QStringList({"min", "/(1/min)", " 9", " 2"}));
    EXPECT_TRUE(Control<QRadioButton>("frmKinModel", "optZeit(1)")->font().bold());
    EXPECT_FALSE(Control<QRadioButton>("frmKinModel", "optZeit(0)")->font().bold());

    // Hours, then back to seconds: the values return (the factors are exact).
    Control<QRadioButton>("frmKinModel", "optZeit(2)")->click();
    EXPECT_NEAR(kWert[1], 0.15 * 3600, 1e-9);
    EXPECT_EQ(Text("frmBatch", "unit1"), QStringLiteral("/(1/h)"));
    // Twice: the unit already in force converts by the factor 1.
    for (int i = 0; i < 2; ++i) Control<QRadioButton>("frmKinModel", "optZeit(0)")->click();
    EXPECT_NEAR(kWert[1], 0.15, 1e-12);
    EXPECT_NEAR(tauMittel, 120, 1e-9);
}

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
    ASSERT_TRUE(Activate());
    close->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), close);
    QTest::keyClick(close, Qt::Key_Escape);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmmatrix"));
}

}  // namespace
