// The Arrhenius/Eyring calculator: the two rate laws against the closed forms written here, and
// the window opened from the main window's entries, driven through its widgets.

#include <cmath>

#include "experiment/ArrheniusEyring.h"
#include "experiment/frmArrheniusRechner.h"
#include "kernel/TimeUnits.h"
#include "tests/support/ProgramTest.h"

using namespace kernel;

namespace {

// Constants as the textbooks give them, written out here.
constexpr double R = 8.3145, kB = 1.38066e-23, h = 6.62618e-34;

TEST(ArrheniusEyringLaw, MatchClosedFormsAndFailOnZeroTemperatureOrOverflow) {
    double k = -1;
    ASSERT_TRUE(experiment::ArrheniusK(2.5e10, 75000, 350, k));
    EXPECT_NEAR(k, 2.5e10 * std::exp(-75000 / (R * 350)), 1e-12 * k);

    ASSERT_TRUE(experiment::EyringK(-40, 60000, 310, k));
    const double eyring = kB * 310 / h * std::exp(-40 / R) * std::exp(-60000 / (R * 310));
    EXPECT_NEAR(k, eyring, 1e-12 * eyring);

    k = 7;
    EXPECT_FALSE(experiment::ArrheniusK(1, 0, 0, k));
    EXPECT_FALSE(experiment::EyringK(0, 0, 0, k));
    EXPECT_FALSE(experiment::ArrheniusK(1, -1e9, 1, k));
    EXPECT_FALSE(experiment::EyringK(1e6, 0, 300, k));
    EXPECT_EQ(k, 7);
    EXPECT_FALSE(experiment::PasstInSingle(1e39));
    EXPECT_TRUE(experiment::PasstInSingle(-3e38));
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

TEST_F(ArrheniusWindowTest, ArrheniusEntryComputesInTheCurrentUnitAndShowsErrForNoResult) {
    shell::mnuToolArrhenius_Click();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(Inp(1)->text(), "0");
    EXPECT_EQ(Inp(2)->text(), "298.15");

    Calc("1E13", "0");
    EXPECT_EQ(Box("txtkResult")->text() + " " + Box("txtksecResult")->text(), "1E+13 1E+13");

    Calc("2.5E10", "75000", "350");
    const double k = 2.5e10 * std::exp(-75000 / (R * 350));
    EXPECT_NEAR(Result("txtkResult"), k, 1e-6 * k);

    // Per minute: the value per second is a sixtieth.
    ZeitEinheit = "min";
    Calc("1E13", "0", "298.15");
    EXPECT_EQ(ZeitEinheitNr, 1);
    EXPECT_NEAR(Result("txtkResult"), 1e13, 1e6);
    EXPECT_NEAR(Result("txtksecResult"), 1e13 / 60, 1e13 / 60 * 1e-6);

    // Zero or empty temperature, and a result beyond the range of a Single.
    const char* cases[][3] = {{"5", "100", "0"}, {"5", "100", ""}, {"1E30", "-1E6", "300"}};
    for (const auto& c : cases) {
        Calc(c[0], c[1], c[2]);
        EXPECT_EQ(Box("txtkResult")->text() + " " + Box("txtksecResult")->text(), "Err Err") << c[2];
    }
}

TEST_F(ArrheniusWindowTest, EyringEntryGivesKbOverHTimesTAndStoresItsInputs) {
    ZeitEinheit = "min";
    EyrS = EyrH = 5;
    shell::mnuToolEyring_Click();
    ASSERT_NE(Window(), nullptr);
    EXPECT_NEAR(platform::Val(Inp(3)->text().toStdString()), kB / h, 1e-6 * kB / h);

    Calc("0", "0");
    const double ks = kB / h * 298.15;
    EXPECT_NEAR(Result("txtksecResult"), ks, 1e-6 * ks);
    EXPECT_NEAR(Result("txtkResult"), ks * 60, 1e-6 * ks * 60);

    Calc("-12.5", "81000", "330");
    EXPECT_EQ(EyrS, -12.5);
    EXPECT_EQ(EyrH, 81000);
    const double ks2 = kB * 330 / h * std::exp(-81000 / (R * 330)) * std::exp(-12.5 / R);
    EXPECT_NEAR(Result("txtksecResult"), ks2, 1e-6 * ks2);

    // Switching to another window and back: T back to 298.15, results emptied, the stored Eyring
    // values come back.
    auto* area = platform::Windows().MainWindow()->findChild<QMdiArea*>();
    QMdiSubWindow* anderes = area->addSubWindow(new QWidget);
    anderes->show();
    area->setActiveSubWindow(anderes);
    Inp(2)->setText("400");
    area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(platform::Windows().Frame("frmArrheniusRechner")));
    delete anderes;
    EXPECT_EQ(QStringList({Inp(0)->text(), Inp(1)->text(), Inp(2)->text()}).join('|'), "-12.5|81000|298.15");
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
