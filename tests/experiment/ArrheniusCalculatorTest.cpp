// The Arrhenius/Eyring calculator: the two rate laws against the closed forms written here, and
// the window opened from the main window's entries, driven through its widgets.

#include <cmath>

#include "experiment/ArrheniusEyring.h"
#include "experiment/frmArrheniusRechner.h"
#include "tests/support/ProgramTest.h"

using namespace kernel;

namespace {

// Constants as the textbooks give them, written out here.
constexpr double R = 8.3145, kB = 1.38066e-23, h = 6.62618e-34;

// A failure answers false and leaves k as it was, also where the window's range check would hide it.
TEST(ArrheniusEyringLaw, FailuresLeaveTheRateConstant) {
    double k = 7;
    EXPECT_FALSE(experiment::ArrheniusK(1, 0, 0, k) || experiment::EyringK(0, 0, 0, k));
    EXPECT_FALSE(experiment::ArrheniusK(1, -1e9, 1, k) || experiment::EyringK(1e6, 0, 300, k));
    EXPECT_EQ(k, 7);
}

class ArrheniusWindowTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        DiagVariante = 3;
        PosArrhenius = {300, 150};
    }

    static QWidget* Window() { return platform::Windows().Get("frmArrheniusRechner"); }
    static QLineEdit* Box(const QString& name) { return Window()->findChild<QLineEdit*>(name); }
    static QLineEdit* Inp(int i) { return Box(QStringLiteral("txtInpArrh(%1)").arg(i)); }
    static QString Label(const char* name) { return Window()->findChild<QLabel*>(name)->text(); }
    static void Calc(const char* A, const char* E, const char* T = nullptr) {
        Inp(0)->setText(A);
        Inp(1)->setText(E);
        if (T) Inp(2)->setText(T);
        Window()->findChild<QPushButton*>("cmdCalc")->click();
    }
    static double Result(const char* name) { return platform::Val(Box(name)->text().toStdString()); }
};

// Each entry's calculation against the closed forms k = A exp(-EA/(R T)) (A per unit in use) and
// k = kB T/h exp(s#/R) exp(-h#/(R T)) (per second), shown per unit in use and per second; "Err" where
// T is zero or empty or k leaves the range of a Single.
TEST_F(ArrheniusWindowTest, CalculationsFollowTheClosedFormsInTheUnitInUse) {
    const double arrhenius = 2.5e10 * std::exp(-75000 / (R * 350)), kBh = kB / h * 298.15,
                 eyring = kB * 330 / h * std::exp(-12.5 / R) * std::exp(-81000 / (R * 330));
    const struct Case {
        const char *entry, *unit, *x0, *x1, *T;
        double k, ksec;  // 0: "Err"
    } cases[] = {
        {"mnuToolArrhenius", "s", "2.5E10", "75000", "350", arrhenius, arrhenius},
        {"mnuToolArrhenius", "min", "1E13", "0", "298.15", 1e13, 1e13 / 60},
        {"mnuToolEyring", "min", "0", "0", "298.15", kBh * 60, kBh},
        {"mnuToolEyring", "min", "-12.5", "81000", "330", eyring * 60, eyring},
        {"mnuToolEyring", "s", "1E6", "0", "300", 0, 0},
        {"mnuToolArrhenius", "s", "5", "100", "0", 0, 0},
        {"mnuToolArrhenius", "s", "5", "100", "", 0, 0},
        {"mnuToolArrhenius", "s", "1E30", "-1E6", "300", 0, 0},
        // The range of a Single ends at 3.4028235E+38, on both sides.
        {"mnuToolArrhenius", "s", "3.4E38", "0", "300", 3.4e38, 3.4e38},
        {"mnuToolArrhenius", "s", "3.5E38", "0", "300", 0, 0},
        {"mnuToolArrhenius", "s", "-3.5E38", "0", "300", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + " " + c.x0 + " " + c.x1 + " " + c.T);
        ZeitEinheit = c.unit;
        platform::Windows().MainWindow()->findChild<QAction*>(c.entry)->trigger();
        ASSERT_NE(Window(), nullptr);
        Calc(c.x0, c.x1, c.T);
        if (c.k == 0) {
            EXPECT_EQ(Box("txtkResult")->text() + " " + Box("txtksecResult")->text(), "Err Err");
            continue;
        }
        EXPECT_NEAR(Result("txtkResult"), c.k, 1e-6 * c.k);
        EXPECT_NEAR(Result("txtksecResult"), c.ksec, 1e-6 * c.ksec);
    }
    Calc("1E13", "0");
    EXPECT_EQ(Box("txtkResult")->text() + " " + Box("txtksecResult")->text(), "1E+13 1E+13");
}

// Switching to another window and back: T back to 298.15, results emptied, the stored Eyring values
// come back.
TEST_F(ArrheniusWindowTest, EyringEntryShowsKbOverHAndItsStoredInputsAfterActivation) {
    shell::mnuToolEyring_Click();
    ASSERT_NE(Window(), nullptr);
    EXPECT_NEAR(platform::Val(Inp(3)->text().toStdString()), kB / h, 1e-6 * kB / h);
    Calc("-12.5", "81000", "330");
    auto* area = platform::Windows().MainWindow()->findChild<QMdiArea*>();
    QMdiSubWindow* anderes = area->addSubWindow(new QWidget);
    anderes->show();
    area->setActiveSubWindow(anderes);
    Inp(2)->setText("400");
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmArrheniusRechner")));
    delete anderes;
    EXPECT_EQ(QStringList({Inp(0)->text(), Inp(1)->text(), Inp(2)->text(), Box("txtkResult")->text()}).join('|'),
              "-12.5|81000|298.15|");
}

// The two entries of the main window reset the fit mode and the calculator's values only when no
// fit is open; an open non-isothermal fit keeps its function and values, and the calculator shows
// them without storing into them. The unit labels follow the fit mode and the time unit in use.
TEST_F(ArrheniusWindowTest, EntriesResetUnlessAFitIsOpen) {
    // fitOpenMode 0: no fitting window; A..H: the shared values after the entry; shown: title|box 0|units.
    const struct Case {
        const char* entry;
        int fitOpenMode, kTBefore, diagAfter, kTAfter;
        double A, EA, S, H;
        std::string shown;
    } cases[] = {
        {"mnuToolArrhenius", 0, 2, 0, 1, 0, 0, -33, 44, "Arrhenius-Rechner|0|((mol/L)^(1-n))/h|((mol/L)^(1-n))/s"},
        {"mnuToolEyring", 0, 1, 0, 2, 11, 22, 0, 0, "Eyring-Rechner|0|((mol/L)^(1-n))/h|((mol/L)^(1-n))/s"},
        {"mnuToolArrhenius", 1, 2, 1, 1, 0, 0, -33, 44, "Arrhenius-Rechner|0|((mol/L)^(1-n))/h|((mol/L)^(1-n))/s"},
        {"mnuToolArrhenius", 6, 2, 6, 2, 11, 22, -33, 44, "Eyring-Rechner|-33|1/h|1/ s"},
        {"mnuToolEyring", 7, 1, 7, 1, 11, 22, -33, 44, "Arrhenius-Rechner|11|L/(mol h)|L/(mol s)"},
    };
    ZeitEinheit = "h";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + " with fit mode " + std::to_string(c.fitOpenMode));
        testsupport::UnloadAll();
        if (c.fitOpenMode > 0) platform::Windows().Adopt("frmTFitting", new QWidget);
        DiagVariante = c.fitOpenMode > 0 ? c.fitOpenMode : 7;
        kTFunktion = c.kTBefore;
        std::tie(ArrhA, ArrhEA, EyrS, EyrH) = std::tuple(11, 22, -33, 44);
        platform::Windows().MainWindow()->findChild<QAction*>(c.entry)->trigger();
        ASSERT_NE(Window(), nullptr);
        EXPECT_EQ(std::pair(DiagVariante, kTFunktion), std::pair(c.diagAfter, c.kTAfter));
        EXPECT_EQ(std::tuple(ArrhA, ArrhEA, EyrS, EyrH), std::tuple(c.A, c.EA, c.S, c.H));
        const QStringList shown{Window()->windowTitle(), Inp(0)->text(), Label("lblkEinheit"), Label("lblkEinheitsec")};
        EXPECT_EQ(shown.join('|').toStdString(), c.shown);
        // Only an Eyring calculation stores its inputs, and only when they do not belong to an open fit.
        Calc("-12.5", "81000", "330");
        const bool stores = kTFunktion == 2 && c.fitOpenMode < 6;
        EXPECT_EQ(std::tuple(ArrhA, ArrhEA, EyrS, EyrH), std::tuple(c.A, c.EA, stores ? -12.5 : c.S, stores ? 81000 : c.H));
    }
    testsupport::UnloadAll();
}

}  // namespace
