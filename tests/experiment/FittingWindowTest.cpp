// The fitting window through its real widgets: manual redraw and sliders, the automatic run on
// published and synthetic data against least-squares fits computed apart, the roads from the main
// window's menus beside the data editor and the calculator, result display and failure handling.
#include <QSlider>

#include <algorithm>
#include <functional>
#include <limits>

#include "diagram/frmTGraph2D.h"
#include "experiment/FitAnzeige.h"
#include "kernel/Marquardt.h"
#include "platform/Chart2D.h"
#include "tests/experiment/FittingTestSupport.h"

using namespace kernel;

namespace {

using namespace fittest;
using namespace std::string_literals;
using testsupport::Click;
using testsupport::Control;

constexpr double kTrue_k = 0.05;  // 1/s of the synthetic first-order data

// The number a read-out shows ("1.2345 E-03" or "0.1234").
double Shown(const QString& text) {
    QString t = text;
    t.remove(' ');
    t.replace(',', '.');
    return t.toDouble();
}

// Texts joined by "|", to compare several boxes and labels at once.
std::string Joined(std::initializer_list<QString> texts) { return QStringList(texts).join('|').toStdString(); }

// RMS of the manual read-out at rate constant k against first-order data (c(A) and c(P) ticked).
double ReferenceRms(double k, double kData, int n, double dt) {
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const double d = std::exp(-k * i * dt) - std::exp(-kData * i * dt);
        sum += 2 * d * d;  // c(A) and c(P) deviate by the same amount
    }
    return std::sqrt(sum / n);
}

class FittingWindow : public FittingTest {
protected:
    // Opens the window through the menu procedure `entry` for the rows.
    static frmTFitting* Open(const std::vector<ExpPunkt>& rows, const std::function<void()>& entry) {
        fittest::SetMeasuredData(rows);
        entry();
        return Window();
    }
    static void NonIsothermal() { shell::mnuNonIsothermFitting_Click(1); }
    // Focus first: the activation it causes may rewrite the box before the typed text replaces it.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        QCoreApplication::processEvents();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

TEST(FitDisplay, RmsFormatStartValueRepairAndSpreadTexts) {
    EXPECT_EQ(experiment::RmsText(0.01 * 4, 4), "0.1000");           // RMS exactly 0.1 (as a Single)
    EXPECT_EQ(experiment::RmsText(0.0025 * 4, 4), "5.0000 E-2");      // 0.05
    EXPECT_EQ(experiment::RmsText(7.0, 1), "0.0000 E+0");             // one row: 0
    // Usable start values stay, however large (an activation energy in J/mol, a pre-factor);
    // values not above 0 or not finite become 100.
    const double inf = std::numeric_limits<double>::infinity();
    const struct { double in, out; } starts[] = {{10000, 10000}, {17499.64, 17499.64}, {1e12, 1e12}, {1e-9, 1e-9},
                                                {0, 100}, {-3, 100}, {inf, 100}, {-inf, 100}, {std::nan(""), 100}};
    for (const auto& c : starts) {
        std::array<double, 4> p{0, c.in, c.in, 7};
        experiment::RepariereStartwerte(p);
        EXPECT_EQ(p, (std::array<double, 4>{0, c.out, c.out, 7})) << c.in;
    }
    EXPECT_EQ(std::pair(experiment::ZahlFitParameter("110"), experiment::ZahlFitParameter("1")), std::pair(2, 1));
    // A standard deviation the engine could not compute reads as 9999, never as a small number.
    EXPECT_EQ(experiment::StdDevText(-0.0866) + "|" + experiment::StdDevText(std::nan("")), "8.7 E-2|1.0 E+4");
}

TEST(FitDisplay, EyringEntropyFromThePreFactor) {
    BuildZeitFaktor();
    ZeitEinheitNr = 1;  // minutes: p1 per minute is p1/60 per second
    double s = 0;
    ASSERT_TRUE(experiment::EyringEntropie(6000, s));
    EXPECT_NEAR(s, 8.3145 * std::log(100 * 6.62618e-34 / 1.38066e-23), 1e-9);
    s = 7;
    EXPECT_FALSE(experiment::EyringEntropie(-1, s));
    EXPECT_EQ(s, 7);
    ZeitEinheitNr = 0;
}

TEST_F(FittingWindow, TypedValuesAndSlidersAreDrawnAndTheRmsFollows) {
    frmTFitting* w = Open(fittest::FirstOrder(kTrue_k, 1.0, 9, 10), shell::mnuctFitting_Click);
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.1, kTrue_k, 9, 10), 1e-4);
    Type(w->Inp[10], "0.07");
    EXPECT_DOUBLE_EQ(kWert[1], 0.07);  // taken at once, not yet drawn
    QTest::keyClick(w->Inp[10], Qt::Key_Return);
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.07, kTrue_k, 9, 10), 1e-4);
    // The drawn curve of c(A) follows the closed form of the typed k.
    platform::Chart2D* chart = diagram::frmTGraph2D::Geladen()->Chart();
    const int n = chart->PointCount(diagram::kGruppeKurven, 1);
    ASSERT_GT(n, 10);
    for (int i : {1, n / 2, n}) {
        const double x = chart->X(diagram::kGruppeKurven, 1, i);
        EXPECT_NEAR(chart->Y(diagram::kGruppeKurven, 1, i), std::exp(-0.07f * x), 1e-4);
    }
    // A refused key is dropped; a comma becomes a point; an emptied box stores 1e-8.
    Type(w->Inp[10], "x0,5");
    EXPECT_EQ(w->Inp[10]->text(), "0.5");
    w->Inp[10]->clear();
    EXPECT_DOUBLE_EQ(kWert[1], 1e-8);

    // The sliders step relatively and return to the centre.
    Type(w->Inp[10], "0.1");
    w->SliderGrob[1]->setValue(900);
    EXPECT_NEAR(kWert[1], 1.0, 1e-6);
    EXPECT_EQ(w->SliderGrob[1]->value(), 0);
    w->SliderGrob[1]->setValue(-90);
    EXPECT_NEAR(kWert[1], 0.1, 1e-6);
    w->SliderFein[1]->setValue(100);
    EXPECT_NEAR(kWert[1], 0.11, 1e-6);
    EXPECT_EQ(std::pair(w->SliderFein[1]->value(), w->Inp[10]->text().toStdString()),
              std::pair(0, platform::StrSingle(static_cast<float>(kWert[1]))));
    // Each move redraws: the RMS belongs to the new value.
    EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.11, kTrue_k, 9, 10), 1e-4);
    // A fixed parameter keeps its value in the automatic run and shows no spread.
    w->optManuAuto[1]->click();
    w->chkFixed[1]->click();
    w->cmdAutoFitting->click();
    EXPECT_NEAR(kWert[1], 0.11, 1e-7);
    EXPECT_EQ(w->lblStdDev[1]->text(), platform::Format(0, "0.0 E+##").c_str());
    // Without a model diagram the sliders change the parameter only.
    aktDiagrammCode = -5;
    const QString before = w->lblFQS->text();
    w->SliderFein[1]->setValue(-100);
    EXPECT_NEAR(kWert[1], 0.099, 1e-6);
    EXPECT_EQ(w->lblFQS->text(), before);
}

// The windows of the main window, driven through their widgets.
std::string FooterText() {
    diagram::frmTGraph2D* d = diagram::frmTGraph2D::Geladen();
    return d ? d->Chart()->TextBlock(platform::ChartText::Footer) : std::string();
}

constexpr double kB = 1.38066e-23, h = 6.62618e-34;

// RMS of the rows above for a rate constant k(T) of the current parameters.
template <typename RateAtT>
double RmsOf(RateAtT k) {
    double sum = 0;
    const std::vector<ExpPunkt> rows = ArrheniusRows();
    for (const ExpPunkt& r : rows) {
        const double d = std::exp(-k(r.T) * r.t) - r.c[1];
        sum += d * d;
    }
    return std::sqrt(sum / static_cast<double>(rows.size()));
}

// The roads from the main window's menus, under the C and the German number locale.
class FittingRoads : public FittingWindow, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    testsupport::NumberLocaleScope locale{GetParam()};
    static QString L(const char* text) { return QString::fromStdString(testsupport::InLocale(text)); }

    // A non-isothermal fit at its start: both boxes and parameters at 100, the RMS that of rate k(T).
    template <typename RateAtT>
    static void ExpectStartAt100(const frmTFitting* w, RateAtT k) {
        EXPECT_EQ(Joined({w->Inp[10]->text(), w->Inp[11]->text()}), " 100| 100");
        EXPECT_EQ(std::pair(FitParameter[1], FitParameter[2]), std::pair(100.0, 100.0));
        EXPECT_NEAR(Shown(w->lblFQS->text()), RmsOf(k), 1e-4);
    }
    // The automatic run without a message; the boxes and spreads it shows.
    void ExpectAutoFit(frmTFitting* w, const char* p1, const char* p2, const char* sd1, const char* sd2) {
        rec.Clear();
        w->cmdAutoFitting->click();
        EXPECT_TRUE(rec.Empty());
        EXPECT_EQ(Joined({w->Inp[10]->text(), w->Inp[11]->text(), w->lblStdDev[1]->text(), w->lblStdDev[2]->text()}),
                  Joined({p1, p2, L(sd1), L(sd2)}));
    }
};

// Biochemical oxygen demand (Bates and Watts 1988, A1.4), BOD as c(P) of A => P with the book's
// c(A,0) = 19.143. One-parameter least squares (k = 0.53106177 /d, SS = 25.99027 over 7 rows,
// SD = sqrt(SS/6 (J'J)^-1) = 0.0866) computed apart.
TEST_P(FittingRoads, OxygenDemandTypedIntoTheEditorIsFittedFromTheMenu) {
    Trigger("mnuNeudat");
    ASSERT_TRUE(Loaded("frmDatedit"));
    Control<QRadioButton>("frmDatedit", "optZeit(3)")->click();
    ASSERT_EQ(ZeitEinheit, "d");
    const char* rows[][3] = {{"0", "19.143", "0"}, {"1", "", "8.3"},  {"2", "", "10.3"}, {"3", "", "19.0"},
                             {"4", "", "16.0"},    {"5", "", "15.6"}, {"7", "", "19.8"}};
    auto y = [](int i) { return Control<QLineEdit>("frmDatedit", QStringLiteral("y(%1)").arg(i)); };
    for (const auto& r : rows) {
        for (int i : {0, 1, 4}) testsupport::Type(y(i), L(r[i == 4 ? 2 : i]));  // t, c(A), c(P)
        Click("frmDatedit", "OKinput");
    }
    ASSERT_EQ(nMesspunkte, 7);
    Click("frmDatedit", "OK");
    ASSERT_FALSE(Loaded("frmDatedit"));

    Trigger("mnuctFitting");
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    w->chkConcFQS[1]->click();
    w->optManuAuto[1]->click();
    Type(w->Inp[10], L("0.1"));  // a comma typed under a decimal comma becomes a point
    rec.Clear();
    w->cmdAutoFitting->click();
    EXPECT_NEAR(kWert[1], 0.53106177, 1e-6);
    EXPECT_EQ(std::tuple(rec.Empty(), Sanduhrzaehler, w->lblStdDev[1]->isHidden(),
                         Joined({w->Inp[10]->text(), w->lblStdDev[1]->text(), w->lblFQS->text()})),
              std::tuple(true, 0, false, Joined({" .5310618", L("8.7 E-2"), L("1.9269")})));
    // The result text shows k in the locale's form, directly after its label.
    EXPECT_EQ(FooterText(), "kinet. Modell: A => P   (n = 1)\r\n" + testsupport::InLocale("k1 =0.5310618"));
    // The next redraw hides the standard deviation.
    w->optManuAuto[0]->click();
    w->cmdDrawNewCurve->click();
    EXPECT_TRUE(w->lblStdDev[1]->isHidden());
}

// Arrhenius least squares of the set (A = 2499.6467 /s, EA = 17499.643 J/mol, SD 0.878 and 0.908
// over 25 degrees of freedom, RMS 2.4459e-5) computed apart. The fit survives the data editor and
// the calculator (which shows the fit's values, see the calculator tests), and a second start keeps
// the fitted values.
TEST_P(FittingRoads, ArrheniusFitKeepsItsStateBesideEditorAndCalculator) {
    fittest::SetMeasuredData(ArrheniusRows());
    Trigger("mnuNonIsothermFitting(1)");
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    ExpectStartAt100(w, [](double T) { return 100 * std::exp(-100 / (R * T)); });

    w->optManuAuto[1]->click();
    ExpectAutoFit(w, " 2499.647", " 17499.64", "8.8 E-1", "9.1 E-1");
    EXPECT_NEAR(ArrhA, 2499.6467, 1e-3);
    EXPECT_NEAR(ArrhEA, 17499.643, 1e-2);
    EXPECT_NEAR(Shown(w->lblFQS->text()), 2.4459e-5, 2.4459e-5 * 1e-3);
    const QString rms = w->lblFQS->text();
    const std::string ergebnis = FooterText();
    EXPECT_EQ(ergebnis,
              "kinet. Modell: A => P   (n = 1)\r\n" + testsupport::InLocale("Arrhenius-A = 2499.647, EA =17499.64 J/mol"));

    // The data editor opened and closed with OK, then the calculator from the main window.
    Trigger("mnuEditDat");
    ASSERT_TRUE(Loaded("frmDatedit"));
    Click("frmDatedit", "OK");
    Trigger("mnuToolArrhenius");
    ASSERT_TRUE(Loaded("frmArrheniusRechner"));

    // A redraw of the fitting window keeps boxes, captions, RMS and result text.
    w->cmdDrawNewCurve->click();
    EXPECT_EQ(Joined({w->Inp[10]->text(), w->Inp[11]->text(), w->frak[1]->title(), w->unit[1]->text(),
                      w->unit[2]->text(), w->lblFQS->text()}),
              Joined({" 2499.647", " 17499.64", QString::fromUtf8("Arrhenius-Präexponentialfaktor A"), "/(1/s)",
                      "EA /(J/mol)", rms}));
    EXPECT_EQ(std::pair(FooterText(), nKurven), std::pair(ergebnis, 3));

    // A second start begins at the fitted values and stays there.
    w->cmdAutoFitting->click();
    EXPECT_NEAR(ArrhA, 2499.6467, 1e-3);
    EXPECT_NEAR(ArrhEA, 17499.643, 1e-2);
}

// Eyring least squares of the same set, k = T p1 exp(-h#/(R T)) (p1 = 2.9327637, h# = 14896.007 J/mol,
// SD 0.0109 and 9.61, RMS 2.5882e-4) computed apart.
TEST_P(FittingRoads, EyringFitStartsFrom100AndReportsTheEntropy) {
    fittest::SetMeasuredData(ArrheniusRows());
    Trigger("mnuToolEyring");
    ASSERT_TRUE(Loaded("frmArrheniusRechner"));
    Click("frmArrheniusRechner", "cmdClose");
    Trigger("mnuNonIsothermFitting(1)");
    frmTFitting* w = Window();
    ASSERT_NE(w, nullptr);
    ExpectStartAt100(w, [](double T) { return T * 100 * std::exp(-100 / (R * T)); });
    EXPECT_EQ(std::tuple(w->optkTFunktion[2]->isChecked(), EyrFaktor, EyrH, w->lblAktEntropie->text()),
              std::tuple(true, 100.0, 100.0, L(" -159.3 J/(mol K)")));

    w->optManuAuto[1]->click();
    Type(w->Inp[10], "1");
    Type(w->Inp[11], "10000");
    ExpectAutoFit(w, " 2.932764", " 14896.01", "1.1 E-2", "9.6 E+0");
    EXPECT_NEAR(EyrFaktor, 2.9327637, 1e-6);
    EXPECT_NEAR(EyrH, 14896.007, 1e-2);
    const double s = R * std::log(2.9327637 * h / kB);
    EXPECT_NEAR(EyrS, s, 1e-4);
    EXPECT_EQ(Joined({w->lblAktEntropie->text(), w->lblFQS->text()}), Joined({L(" -188.6 J/(mol K)"), L("2.5882 E-4")}));
    EXPECT_EQ(FooterText(), "kinet. Modell: A => P   (n = 1)\r\n Eyring s# = " +
                                platform::CStrSingle(static_cast<float>(s)) +
                                testsupport::InLocale(" J/(mol K), Eyring h# =14896.01 J/mol "));
}

// Automatic fits whose shown texts (boxes, spreads, RMS, result text) were recorded once: a model
// integrated numerically, the order fit and the non-isothermal second order; how often the objective
// computes a time course must not change a digit of them.
TEST_P(FittingRoads, ShownTextsOfAutomaticFitsStayAsRecorded) {
    auto rows = [](double a, double b) {
        std::vector<ExpPunkt> r;
        for (int i = 0; i <= 11; ++i) r.push_back(fittest::Row(2.0 * i, 1 / (1 + a * i + b * i * i) + (i % 3 - 1) * 0.004));
        return r;
    };
    const struct Case {
        const char* name;
        std::function<void()> open;
        const char* boxes;     // Inp(10)|Inp(11)
        const char* readOuts;  // SD 1|SD 2|RMS, '.' standing for the locale's separator
        const char* result;    // the result text after its model line, '.' as in readOuts
    } cases[] = {
        {"model 7, k1 and k2 from .3 and .02",
         [&] {
             aktModell = 7;
             c0Wert = {0, 1, 1, 0, 0, 0};
             kWert = {0, 0.3, 0.02, 0};
             auto r = rows(0.45, 0.01);
             r[0].c[2] = 1;  // the fit starts from the data's c(B,0); only c(A) is counted
             fittest::SetMeasuredData(r);
             shell::mnuctFitting_Click();
             Window()->chkConcFQS[2]->click();
         },
         " .2270716| .0106123", "2.4 E-3|1.3 E-3|3.5186 E-3", "k1 =0.2270716, k2 =0.0106123"},
        {"order fit of model 20",
         [&] {
             kWert[1] = 0.3;
             fittest::SetMeasuredData(rows(0.3, 0.02));
             shell::mnuROFitting_Click();
         },
         " .1477581| 1.521765", "1.5 E-3|1.5 E-2|3.0428 E-3", "k1 =0.1477581, n =1.521765"},
        {"second order with Arrhenius k(T)",
         [&] {
             fittest::SetMeasuredData(ArrheniusRows());
             shell::mnuNonIsothermFitting_Click(2);
         },
         " 22122.21| 23372.01", "3.0 E+4|3.5 E+3|6.3500 E-2", "Arrhenius-A = 22122.21, EA =23372.01 J/mol"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::UnloadAll();
        DiagVariante = FitAnzeigeModus = 0;
        c.open();
        frmTFitting* w = Window();
        ASSERT_NE(w, nullptr);
        w->optManuAuto[1]->click();
        w->cmdAutoFitting->click();
        EXPECT_EQ(Joined({w->Inp[10]->text(), w->Inp[11]->text()}), c.boxes);
        EXPECT_EQ(Joined({w->lblStdDev[1]->text(), w->lblStdDev[2]->text(), w->lblFQS->text()}), L(c.readOuts).toStdString());
        const std::string result = FooterText();
        EXPECT_EQ(result.substr(result.find('\n') + 1), testsupport::InLocale(c.result));
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, FittingRoads, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

// What the window refuses or reports, one case per row, under both number locales; each opens the window afresh.
TEST_P(FittingRoads, RefusalsReportsAndCountedRows) {
    const std::string kTooFew = "Die Zahl der Messpunkte muss größer als die Zahl der Parameter sein!\r\n"
                                "Ergänzen Sie die Daten im Dateneditor.";
    auto chartY = [] {
        std::vector<double> y;
        platform::Chart2D* chart = diagram::frmTGraph2D::Geladen()->Chart();
        for (int k = 1; k <= 3; ++k)
            for (int i = 1; i <= chart->PointCount(diagram::kGruppeKurven, k); ++i) y.push_back(chart->Y(diagram::kGruppeKurven, k, i));
        return y;
    };
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"five rows, three inactive: the order fit is refused, one more active row lets it run",
         [&] {
             std::vector<ExpPunkt> rows;
             for (int i = 0; i < 5; ++i) rows.push_back(fittest::Row(i, 1 / (1 + 0.5 * i), 0, 0, i >= 2 ? -1 : 0));
             kWert[1] = 0.3;
             FitAnzeigeModus = 1;
             frmTFitting* w = Open(rows, shell::mnuROFitting_Click);
             ASSERT_NE(w, nullptr);
             rec.Clear();
             w->cmdAutoFitting->click();
             EXPECT_EQ(std::tuple(rec.OnlyMessage(), kWert[1], ReaktOrdnung, w->lblStdDev[1]->isHidden()),
                       std::tuple(" Ausführung nicht möglich |" + kTooFew, 0.3, 1.5f, true));
             ExpDaten[3].exclude = 0;
             rec.Clear();
             w->cmdAutoFitting->click();
             EXPECT_TRUE(std::none_of(rec.Messages().begin(), rec.Messages().end(),
                                      [&](const auto& m) { return m.prompt == kTooFew; }));
             EXPECT_NE(w->LetzterFitFehler(), kFitRefused);
             EXPECT_FALSE(w->lblStdDev[1]->isHidden());
         }},
        {"model 4 over data without c(B): the opening keeps c(B,0) = 0 and refuses to draw",
         [&] {
             aktModell = 4;
             c0Wert[2] = 0;
             rec.Clear();
             frmTFitting* w = Open(fittest::FirstOrder(kTrue_k, 1.0, 9, 10), [] { Trigger("mnuctFitting"); });
             ASSERT_NE(w, nullptr);
             EXPECT_EQ(std::tuple(rec.OnlyPrompt(), c0Wert[2], w->Inp[1]->text().toStdString()),
                       std::tuple("- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)\r\n"s, 0.0, " 0"s));
         }},
        {"a heading row of zeros before the data: c(A,0) = 0 is refused by the opening, the redraw and the "
         "automatic fit; no curve, no fitted k1, no RMS",
         [&] {
             std::vector<ExpPunkt> rows = fittest::FirstOrder(kTrue_k, 1.0, 9, 10);
             rows.insert(rows.begin(), fittest::Row(0, 0));
             rec.Clear();
             frmTFitting* w = Open(rows, [] { Trigger("mnuctFitting"); });
             ASSERT_NE(w, nullptr);
             const std::string kLine = " Ausführung nicht möglich |- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)\r\n";
             EXPECT_EQ(std::tuple(rec.OnlyMessage(), rec.Last().style, c0Wert[1]), std::tuple(kLine, platform::MsgCritical, 0.0));
             const QString rms = w->lblFQS->text();
             rec.Clear();
             w->cmdDrawNewCurve->click();
             EXPECT_EQ(rec.OnlyMessage(), kLine);
             w->optManuAuto[1]->click();
             rec.Clear();
             w->cmdAutoFitting->click();
             EXPECT_EQ(rec.OnlyMessage(), kLine);
             EXPECT_EQ(std::tuple(chartY(), kWert[1], w->Inp[10]->text(), w->lblStdDev[1]->isHidden(), w->lblFQS->text(), FooterText()),
                       std::tuple(std::vector<double>{}, 0.1, QString(" .1"), true, rms, std::string()));
         }},
        {"A <=> P may start from P: with c(A,0) = 0 it needs c(P,0), and is drawn and fitted with it",
         [&] {
             std::vector<ExpPunkt> rows = fittest::FirstOrder(kTrue_k, 1.0, 9, 10);
             rows.insert(rows.begin(), fittest::Row(0, 0));
             aktModell = 8;
             c0Wert[4] = 0;
             rec.Clear();
             frmTFitting* w = Open(rows, [] { Trigger("mnuctFitting"); });
             ASSERT_NE(w, nullptr);
             const std::string kLine =
                 " Ausführung nicht möglich |- noch keine gültige Eingabe einer Anfangskonzentration c(A,0) oder c(P,0)\r\n";
             EXPECT_EQ(std::pair(rec.OnlyMessage(), c0Wert[1]), std::pair(kLine, 0.0));
             w->optManuAuto[1]->click();
             rec.Clear();
             w->cmdAutoFitting->click();
             EXPECT_EQ(std::tuple(rec.OnlyMessage(), kWert[1], chartY()), std::tuple(kLine, 0.1, std::vector<double>{}));
             c0Wert[4] = 1;
             rec.Clear();
             w->cmdAutoFitting->click();
             EXPECT_EQ(std::tuple(rec.Empty(), w->LetzterFitFehler(), w->lblStdDev[1]->isHidden()), std::tuple(true, kFitOk, false));
             EXPECT_FALSE(chartY().empty());
         }},
        {"the RMS divides by the active rows only",
         [&] {
             std::vector<ExpPunkt> rows = fittest::FirstOrder(kTrue_k, 1.0, 9, 10);
             rows[7].exclude = rows[8].exclude = -1;
             ASSERT_NE(Open(rows, shell::mnuctFitting_Click), nullptr);
             EXPECT_NEAR(Shown(Window()->lblFQS->text()), ReferenceRms(0.1, kTrue_k, 7, 10), 1e-4);
         }},
        {"mode 2: a typed order is drawn and named in the result text",
         [&] {
             frmTFitting* w = Open(fittest::FirstOrder(kTrue_k, 1.0, 9, 10), shell::mnuROFitting_Click);
             ASSERT_NE(w, nullptr);
             Type(w->Inp[11], "0.8");
             QTest::keyClick(w->Inp[11], Qt::Key_Return);
             EXPECT_EQ(std::pair(ReaktOrdnung, FooterText()),
                       std::pair(0.8f, "kinet. Modell: A => P, n-ter Ordnung \r\n" + testsupport::InLocale("k1 =0.1, n =0.8")));
         }},
        {"modes 6, 7: a negative A is refused with the k1 line, nothing drawn",
         [&] {
             frmTFitting* w = Open(ArrheniusRows(), NonIsothermal);
             ASSERT_NE(w, nullptr);
             const std::vector<double> vorher = chartY();
             rec.Clear();
             Type(w->Inp[10], "-5");
             QTest::keyClick(w->Inp[10], Qt::Key_Return);
             EXPECT_EQ(rec.OnlyPrompt(), "- Geschwindigkeitskonstante k1 muss größer Null sein\r\n");
             EXPECT_EQ(chartY(), vorher);
         }},
        {"modes 6, 7: the automatic fit takes a negative A or EA as a poor start, not as an error: it starts from 100",
         [&] {
             // From A = -5 it ends at the optimum. From A = 2000, EA = 100 every computed c(A) is all but
             // 0 from the first measured time on, so the fit cannot move and ends where it began: its
             // result shows the start that EA = -100 was given.
             for (const auto& [a, ea, result] : {std::tuple("-5", " 17499.64", " 2499.647| 17499.64"),
                                                 std::tuple("2000", "-100", " 2000| 100")}) {
                 testsupport::UnloadAll();
                 frmTFitting* w = Open(ArrheniusRows(), NonIsothermal);
                 ASSERT_NE(w, nullptr);
                 w->optManuAuto[1]->click();
                 Type(w->Inp[10], a);
                 Type(w->Inp[11], ea);
                 rec.Clear();
                 w->cmdAutoFitting->click();
                 EXPECT_EQ(std::tuple(rec.Empty(), w->LetzterFitFehler(), Joined({w->Inp[10]->text(), w->Inp[11]->text()})),
                           std::tuple(true, kFitOk, std::string(result)))
                     << "from " << a << ", " << ea;
             }
         }},
        {"a curve that is not finite (a large negative EA) is reported, the old curves stay",
         [&] {
             frmTFitting* w = Open(ArrheniusRows(), NonIsothermal);
             ASSERT_NE(w, nullptr);
             const std::vector<double> vorher = chartY();
             const QString rms = w->lblFQS->text();
             ASSERT_FALSE(vorher.empty());
             rec.Clear();
             Type(w->Inp[11], "-10000000");
             QTest::keyClick(w->Inp[11], Qt::Key_Return);
             ASSERT_EQ(rec.Messages().size(), 1u);
             EXPECT_EQ(rec.Last().prompt.rfind("Berechnungsfehler aufgetreten\r\n", 0), 0u) << rec.Last().prompt;
             EXPECT_EQ(std::tuple(rec.Last().title, rec.Last().style, chartY(), w->lblFQS->text()),
                       std::tuple(std::string(" Ausführung nicht möglich "), platform::MsgCritical, vorher, rms));
         }},
        {"a refused fitting entry leaves the open fit in its mode",
         [&] {
             frmTFitting* w = Open(fittest::FirstOrder(kTrue_k, 1.0, 9, 10), shell::mnuctFitting_Click);
             ASSERT_NE(w, nullptr);
             rec.QueueAnswer(platform::AnswerNo);
             shell::mnuNonIsothermFitting_Click(1);  // no temperatures: the data-editor offer
             EXPECT_EQ(std::pair(rec.Last().prompt.rfind("zuwenig experimentelle T-t-c-Daten!", 0), DiagVariante),
                       std::pair(std::size_t{0}, 1));
             Type(w->Inp[10], "0.07");
             QTest::keyClick(w->Inp[10], Qt::Key_Return);
             EXPECT_EQ(kWert[1], 0.07);
             EXPECT_NEAR(Shown(w->lblFQS->text()), ReferenceRms(0.07, kTrue_k, 9, 10), 1e-4);
         }},
    };
    for (const auto& [name, run] : cases) {
        SCOPED_TRACE(name);
        testsupport::UnloadAll();
        DiagVariante = FitAnzeigeModus = 0;
        aktModell = 2;
        kTFunktion = 1;
        kWert = {0, 0.1, 0, 0};
        c0Wert[4] = 0;
        ReaktOrdnung = 1.5f;
        run();
    }
}

TEST_F(FittingWindow, OneCurvePerTemperatureAndTheEyringSwitch) {
    kWert[1] = 1;
    frmTFitting* w = Open(ArrheniusRows(), NonIsothermal);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::pair(w->optkTFunktion[1]->isChecked(), nKurven), std::pair(true, 3));
    w->optkTFunktion[2]->click();
    EXPECT_EQ(std::tuple(kTFunktion, platform::Val(w->Inp[11]->text().toStdString()), EyrFaktor), std::tuple(2, 1.0, 1.0));
    ArrhEA = 4321;
    w->optkTFunktion[1]->click();
    // The boxes hold the Arrhenius parameters again, and the fit starts from them.
    EXPECT_EQ(std::tuple(w->Inp[11]->text(), platform::Val(w->Inp[10]->text().toStdString()), FitParameter[2]),
              std::tuple(QString(" 4321"), ArrhA, 4321.0));
}

// Standard deviations are never hidden: after an engine failure they show as 9999, so that such a
// run does not look like a finished one; one temperature alone leaves A and EA barely determined.
TEST_F(FittingWindow, SpreadsAreShownAlsoWhenUnknownOrHuge) {
    kWert[1] = 1;
    const struct Case {
        const char* name;
        std::function<void()> data;
        int failed;
        const char* message;  // beginning of a message shown
        double spreadAtLeast;
    } cases[] = {
        {"a row whose decay overflows: the engine's failure",
         [] { ExpDaten[2].t = -1e300; }, kFitRuntimeError, "Fehler aufgetreten", 9999},
        {"one temperature only: A and EA cannot be told apart",
         [] { auto rows = ArrheniusRows(); rows.resize(9); SetMeasuredData(rows); }, kFitOk,
         "Ein Datensatz mit nur einer Temperatur", 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::UnloadAll();
        fittest::SetMeasuredData(ArrheniusRows());
        c.data();
        rec.Clear();
        shell::mnuNonIsothermFitting_Click(1);
        frmTFitting* w = Window();
        ASSERT_NE(w, nullptr);
        w->optManuAuto[1]->click();
        w->cmdAutoFitting->click();
        EXPECT_EQ(w->LetzterFitFehler(), c.failed);
        EXPECT_TRUE(std::any_of(rec.Messages().begin(), rec.Messages().end(),
                                [&](const auto& m) { return m.prompt.rfind(c.message, 0) == 0; }));
        for (int i : {1, 2}) {
            EXPECT_FALSE(w->lblStdDev[static_cast<std::size_t>(i)]->isHidden());
            EXPECT_GE(Shown(w->lblStdDev[static_cast<std::size_t>(i)]->text()), c.spreadAtLeast);
        }
        EXPECT_EQ(Sanduhrzaehler, 0);
    }
}

// Order fits against an independent least-squares fit of the closed form c = (1 + (n-1) k t)^(1/(1-n))
// (c0 = 1): Gauss-Newton to the optimum, covariance SS/(m-2) (J'J)^-1 from the analytic Jacobian there.
// The shown standard deviations must agree to the two digits they show. The order fit turns the window
// to the n-th order model before it is set up: the species boxes are those of A => P, not of model 4.
TEST_F(FittingWindow, OrderFitAgreesWithAnIndependentLeastSquaresFit) {
    const std::pair<const char*, std::function<double(double)>> cases[] = {
        {"n near 2", [](double t) { return 1 / (1 + 0.3 * t); }},
        {"n near 1", [](double t) { return std::exp(-0.2 * t); }},
    };
    for (const auto& [name, curve] : cases) {
        SCOPED_TRACE(name);
        testsupport::UnloadAll();
        std::vector<ExpPunkt> rows;
        for (int i = 0; i <= 15; ++i) rows.push_back(fittest::Row(i, curve(i) + ((i + 1) % 3 - 1) * 0.004));
        kWert[1] = 0.3;
        ReaktOrdnung = 1.5f;
        FitAnzeigeModus = 1;
        aktModell = 4;
        frmTFitting* w = Open(rows, shell::mnuROFitting_Click);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(std::tuple(DiagVariante, aktModell, aktDiagrammCode, w->LadeModus()), std::tuple(2, 20, 20, 2));
        EXPECT_TRUE(w->chkConcFQS[2]->isHidden());
        w->cmdAutoFitting->click();
        ASSERT_EQ(w->LetzterFitFehler(), kFitOk);
        EXPECT_EQ(w->Inp[11]->text().toStdString(), platform::StrSingle(ReaktOrdnung));

        double k = kWert[1], n = ReaktOrdnung, ss = 0;
        double a11 = 0, a12 = 0, a22 = 0;
        for (int iter = 0; iter < 50; ++iter) {
            double g1 = 0, g2 = 0;
            ss = a11 = a12 = a22 = 0;
            for (const ExpPunkt& row : rows) {
                const double u = 1 + (n - 1) * k * row.t, e = 1 / (1 - n), c = std::pow(u, e);
                const double dk = -row.t * c / u, dn = c * (std::log(u) * e * e + e * k * row.t / u);
                const double r = row.c[1] - c;
                ss += r * r;
                a11 += dk * dk, a12 += dk * dn, a22 += dn * dn, g1 += dk * r, g2 += dn * r;
            }
            const double det = a11 * a22 - a12 * a12;
            k += (a22 * g1 - a12 * g2) / det;
            n += (a11 * g2 - a12 * g1) / det;
        }
        const double s2 = ss / (static_cast<double>(rows.size()) - 2), det = a11 * a22 - a12 * a12;
        EXPECT_NEAR(kWert[1], k, 1e-4 * k);
        EXPECT_NEAR(ReaktOrdnung, n, 1e-4 * n);
        EXPECT_EQ(w->lblStdDev[1]->text().toStdString(), platform::Format(std::sqrt(s2 * a22 / det), "0.0 E+##"));
        EXPECT_EQ(w->lblStdDev[2]->text().toStdString(), platform::Format(std::sqrt(s2 * a11 / det), "0.0 E+##"));
    }
}

}  // namespace
