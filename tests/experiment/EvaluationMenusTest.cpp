// The main window's evaluation menu: the checks of each entry, its messages, and the diagram code
// and model it hands over.

#include <functional>

#include "platform/Grid.h"
#include "tests/diagram/MessdatenTestSupport.h"
#include "tests/experiment/FittingTestSupport.h"

using namespace kernel;

namespace {

class EvaluationMenus : public fittest::FittingTest {
protected:

    // Three active c-t rows of first order with c(A,0) = 1.
    static void FirstOrderRows() {
        fittest::SetMeasuredData({fittest::Row(0, 1), fittest::Row(10, 0.5), fittest::Row(20, 0.25)});
    }
    static ExpPunkt KT(double k, double T) { return {.T = T, .k = k}; }
};

TEST_F(EvaluationMenus, WilkinsonIsNotOfferedAndFittingIsAvailable) {
    ASSERT_NE(fittest::Entry("mnuctAusw(4)"), nullptr);
    // The fitting window is part of the program, the tangent tool is not.
    EXPECT_EQ(std::tuple(fittest::Entry("mnuctAusw(4)")->isVisible() || fittest::Entry("mnuctAusw(4)")->isEnabled(),
                         Enabled("mnuctFitting"), Enabled("mnuSubTangente(1)")),
              std::tuple(false, true, false));
}

TEST_F(EvaluationMenus, OpeningTheMenuWithoutDataOffersNewInput) {
    rec.QueueAnswer(platform::AnswerNo);
    shell::mnuAuswertung_Click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().style, 20);
    EXPECT_EQ(rec.Last().prompt.rfind("Keine experimentellen Daten vorhanden\r\n", 0), 0u);
    EXPECT_FALSE(Loaded("frmDatedit"));
    // With data and the editor open the user is asked to close it first.
    FirstOrderRows();
    platform::Windows().Show("frmDatedit");
    rec.Clear();
    shell::mnuAuswertung_Click();
    EXPECT_EQ(rec.OnlyPrompt(), "vor der Auswertung ist der Editor\r\nfür experimentelle Daten zu schließen!");
}

// Each entry refuses unsuitable data with its message (the offer of the data editor declined) and
// opens nothing.
TEST_F(EvaluationMenus, EntriesRefuseUnsuitableData) {
    struct Case {
        std::function<void()> data, entry;
        std::string prompt;  // a prompt ending in "\r\n" is compared as its beginning
    };
    const Case cases[] = {
        {[] { fittest::SetMeasuredData({fittest::Row(0, 1), fittest::Row(10, 0.5, 0, 0, -1)}); },
         [] { shell::mnuctAusw_Click(1); },
         "Es müssen mindestens 2 (aktive) exper. c-t-Datensätze vorhanden sein!\r\nErgänzen Sie die Daten im "
         "Dateneditor\r\nbzw. heben Sie Deaktivierungen von Datenpunkten auf.\r\n\r\n\r\njetzt zum Dateneditor?"},
        {[] { FirstOrderRows(); }, [] { shell::mnuctAusw_Click(3); },
         "Es werden beide Anfangskonzentrationen c(A,0) und c(B,0) benötigt."},
        {[] { fittest::SetMeasuredData({KT(1, 300), KT(1, 300)}); }, [] { shell::mnukT_Click(1); },
         "Es sind mindestens zwei unterschiedliche Paare k - T nötig!\r\n\r\njetzt zum Dateneditor?"},
        {[] { fittest::SetMeasuredData({fittest::Row(0, 1)}); }, [] { shell::mnuctFitting_Click(); },
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
        {[] {  // second order without a row at t = 0
             auto rows = fittest::ArrheniusRows();
             for (ExpPunkt& r : rows) r.t += 0.5;
             fittest::SetMeasuredData(rows);
         },
         [] { shell::mnuNonIsothermFitting_Click(2); }, "Für diesen Fall muss die Anfangskonzentration c(A,0) gegeben sein."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prompt);
        testsupport::UnloadAll();
        c.data();
        testsupport::MsgRecorder msgs;
        msgs.QueueAnswer(platform::AnswerNo);
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
    fittest::SetMeasuredData({KT(1, 300), KT(1, 300), KT(2, 310), ct1, ct2});
    shell::mnukT_Click(1);
    EXPECT_EQ(aktDiagrammCode, -3);
    shell::mnukT_Click(2);
    EXPECT_EQ(aktDiagrammCode, -4);
}

TEST_F(EvaluationMenus, ConductivityWithoutStartValueHintsAndDraws) {
    std::vector<ExpPunkt> rows(4);
    for (int i = 1; i <= 4; ++i)
        rows[i - 1].t = i * 10, rows[i - 1].lambda = static_cast<float>(10 - 5 * std::exp(-0.5 * i));
    fittest::SetMeasuredData(rows);
    lambdaInf = 10;
    shell::mnuLambdaAusw_Click(1);
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(std::tuple(rec.Messages().front().title, aktDiagrammCode, LambdaModus, Loaded("frmTGraph2D")),
              std::tuple(std::string("Hinweis zur Auswertung der lambda-Werte, 1. Ordnung"), -10, kTrue, true));
    shell::mnuExpctAuswertung_Click();
    EXPECT_EQ(LambdaModus, kFalse);
}

// ---- Roads from data loaded in the data editor to the plots, their results and marks ----------

// Scatter of a few per cent, none for row 0, so that the fits are not exact.
double Scatter(int i) { return 1 + 0.02 * std::sin(1.3 * i); }

// The independent weighted least-squares line of the diagram tests.
using Line = diagramtest::Gerade;
using diagramtest::Ausgleich;

// The number that follows `marker` in a result text written in the locale's form.
double NumberAfter(const std::string& text, const std::string& marker) {
    const auto pos = text.find(marker);
    if (pos == std::string::npos) {
        ADD_FAILURE() << "\"" << marker << "\" not in \"" << text << "\"";
        return NAN;
    }
    std::string number = text.substr(pos + marker.size());
    number = number.substr(0, number.find(' '));
    while (!number.empty() && (number.back() == ',' || number.back() == ';')) number.pop_back();
    EXPECT_TRUE(platform::IsNumericLocale(number)) << number;
    return platform::ValLocale(number);
}

class EvaluationRoads : public fittest::FittingTest, public testing::WithParamInterface<testsupport::NumberLocale> {
protected:
    // Writes the rows as a data file and loads it in the data editor, which OK then closes.
    void Load(const std::vector<fittest::FileRow>& rows, double lambdaInfinity = 0) {
        dialogs.openAnswer = fittest::WriteTA3(dir.filePath("hand.TA3").toStdString(), rows, "s", lambdaInfinity);
        Editor()->findChild<QPushButton*>("cmdLoadFile")->click();
        ASSERT_EQ(nMesspunkte, static_cast<int>(rows.size()));
        Editor()->findChild<QPushButton*>("OK")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QWidget* Editor() { return platform::Windows().Show("frmDatedit"); }
    static diagram::frmTGraph2D* Diagram() { return diagram::frmTGraph2D::Geladen(); }

    testsupport::NumberLocaleScope locale{GetParam()};
};

// Each entry opens its own plot over the open plot of another evaluation: the measured points,
// the line and the result agree with an independent least-squares fit of the plotted quantities;
// the half-life mark follows the closed form of the kinetics with the fitted k.
TEST_P(EvaluationRoads, EachEntryReplacesTheOpenPlotWithItsOwnResult) {
    const double R = 8.3145;
    struct Step {
        const char* entry;
        int code, model, set;
        // The plotted quantities of a row; false for a row that gives no point.
        std::function<bool(const ExpPunkt&, double&, double&)> xy;
        // The result text against the independent line.
        std::function<void(const Line&, const std::string&)> result;
        // tau(A) from the line; 0 for a diagram that offers no half-life; none: no mark is made.
        std::function<double(const Line&)> halfLife;
    };
    auto enzyme = [](auto kmOf, auto rpOf) {
        return [=](const Line& g, const std::string& text) {
            EXPECT_EQ(text.rfind("Resultat: KM = ", 0), 0u) << text;
            EXPECT_NEAR(NumberAfter(text, "KM = "), kmOf(g), 1e-4 * std::fabs(kmOf(g)));
            EXPECT_NEAR(NumberAfter(text, "r(P)max = "), rpOf(g), 1e-4 * std::fabs(rpOf(g)));
            EXPECT_NE(text.find(" mol/(L s),  Bestimmtheitsmaß des Geradenausgleichs R^2 = "), std::string::npos)
                << text;
        };
    };
    auto rate = [](const std::string& head, const std::string& unit, auto kOf) {
        return [=](const Line& g, const std::string& text) {
            EXPECT_EQ(text.rfind(head, 0), 0u) << text;
            EXPECT_NEAR(NumberAfter(text, "k = "), kOf(g), 1e-4 * std::fabs(kOf(g)));
            EXPECT_NE(text.find(unit), std::string::npos) << text;
        };
    };
    const std::string first = "  1/s    Bestimmtheitsmaß", second = "  L/(s mol)    Bestimmtheitsmaß";

    auto run = [&](const Step& step) {
        SCOPED_TRACE(step.entry);
        testsupport::MsgRecorder msgs;
        fittest::Trigger(step.entry);
        for (const auto& m : msgs.Messages()) EXPECT_NE(m.title, "ABBRUCH") << m.prompt;
        ASSERT_NE(Diagram(), nullptr);
        EXPECT_EQ(std::pair(aktDiagrammCode, aktModell), std::pair(step.code, step.model));
        platform::Chart2D* c = Diagram()->Chart();
        std::vector<double> x, y, w;
        for (int i = 1; i <= nMesspunkte; ++i) {
            double xi = 0, yi = 0;
            if (!step.xy(ExpDaten[static_cast<std::size_t>(i)], xi, yi)) {
                EXPECT_EQ(c->Y(2, step.set, i), platform::kChartHole) << i;
                continue;
            }
            x.push_back(xi);
            y.push_back(yi);
            w.push_back(1);
            EXPECT_NEAR(c->X(2, step.set, i), xi, 1e-6 * std::fabs(xi)) << i;
            EXPECT_NEAR(c->Y(2, step.set, i), yi, 1e-5 * std::max(1.0, std::fabs(yi))) << i;
        }
        const Line g = Ausgleich(x, y, w);
        const double slope = (c->Y(1, 1, 11) - c->Y(1, 1, 1)) / (c->X(1, 1, 11) - c->X(1, 1, 1));
        EXPECT_NEAR(slope, g.b, 1e-4 * std::fabs(g.b));
        const std::string text = Diagram()->StatusText();
        step.result(g, text);
        EXPECT_NEAR(NumberAfter(text, "R^2 = "), g.r2, 2e-5);
        if (!step.halfLife) return;
        const double tau = step.halfLife(g);
        QAction* mark = Diagram()->findChild<QAction*>("mnuHalbA");
        ASSERT_EQ(mark->isEnabled(), tau > 0);
        if (tau == 0) return;
        mark->trigger();
        EXPECT_NEAR(c->X(1, 26, 1), tau, 1e-4 * tau);
        EXPECT_NEAR(NumberAfter(Diagram()->StatusText(), "tau(A) = "), tau, 0.006);
    };

    // Enzyme rates r(P) = 0.5 c(S) / (0.2 + c(S)) in the t column, c(S) in the B column.
    aktModell = 10;
    EnzymRcsModus = kTrue;
    std::vector<fittest::FileRow> rows;
    for (double s : {0.05, 0.1, 0.2, 0.4, 0.7, 1.0})
        rows.push_back({0.5 * s / (0.2 + s) * Scatter(static_cast<int>(rows.size())), 0, s});
    Load(rows);
    const Step enzymeSteps[] = {
        {"mnuSubMichMent(0)", -12, 10, 6,
         [](const ExpPunkt& r, double& x, double& y) { return x = 1 / r.c[2], y = 1 / r.t, true; },
         enzyme([](const Line& g) { return g.b / g.a; }, [](const Line& g) { return 1 / g.a; }), {}},
        {"mnuSubMichMent(1)", -13, 10, 6,
         [](const ExpPunkt& r, double& x, double& y) { return x = r.c[2], y = r.c[2] / r.t, true; },
         enzyme([](const Line& g) { return g.a / g.b; }, [](const Line& g) { return 1 / g.b; }), {}},
        {"mnuSubMichMent(2)", -14, 10, 6,
         [](const ExpPunkt& r, double& x, double& y) { return x = r.t / r.c[2], y = r.t, true; },
         enzyme([](const Line& g) { return -g.b; }, [](const Line& g) { return g.a; }), {}},
    };
    for (const Step& step : enzymeSteps) run(step);

    // Conductivity: lambda = 10 - 8 exp(-0.03 t), lambda(0) = 2 measured, c(A,0) = 0.01.
    rows.clear();
    for (int i = 0; i <= 7; ++i)
        rows.push_back(
            {10.0 * i, i == 0 ? 0.01 : 0, 0, 0, 0, 0, static_cast<float>(10 - 8 * std::exp(-0.3 * i) * Scatter(i))});
    Load(rows, 10);
    const Step lambdaSteps[] = {
        {"mnuLambdaAusw(1)", -10, 2, 1,
         [](const ExpPunkt& r, double& x, double& y) { return x = r.t, y = std::log((10 - r.lambda) / 8.0), true; },
         rate("Resultat:   k = ", first, [](const Line& g) { return -g.b; }), {}},
        {"mnuLambdaAusw(2)", -11, 3, 1,  // model 3 (2 A => P) halves the slope
         [](const ExpPunkt& r, double& x, double& y) { return x = r.t, y = 8 / (10 - r.lambda) / 0.01, true; },
         rate("Resultat:   k = ", "  L/(s mol),  Bestimmtheitsmaß", [](const Line& g) { return g.b / 2; }), {}},
    };
    for (const Step& step : lambdaSteps) run(step);

    // Second order with c(B) = c(A): 1/c(A) = 1 + 0.05 t. Read as 2 A (k = b/2) or as A + B with
    // equal starts (k = b), the data give one half-life, 1/(b c(A,0)).
    rows.clear();
    for (int i = 0; i <= 8; ++i) {
        const double cA = 1 / (1 + 0.1 * i) * Scatter(i);
        rows.push_back({2.0 * i, cA, cA});
    }
    Load(rows);
    auto invA = [](const ExpPunkt& r, double& x, double& y) { return x = r.t, y = 1 / r.c[1], true; };
    const Step equalSteps[] = {
        {"mnuctAusw(1)", -5, 2, 1,
         [](const ExpPunkt& r, double& x, double& y) { return x = r.t, y = std::log(r.c[1]), true; },
         rate("Resultat:   k = ", first, [](const Line& g) { return -g.b; }),
         [](const Line& g) { return std::log(2.0) / -g.b; }},
        {"mnuctAusw(2)", -6, 3, 1, invA, rate("Resultat:  k = ", second, [](const Line& g) { return g.b / 2; }),
         [](const Line& g) { return 1 / g.b; }},
        {"mnuctAusw(3)", -6, 4, 1, invA, rate("Resultat:  k = ", second, [](const Line& g) { return g.b; }),
         [](const Line& g) { return 1 / g.b; }},
    };
    for (const Step& step : equalSteps) run(step);
    EXPECT_EQ(ABGleich, kTrue);

    // A + B with c(A,0) = 1, c(B,0) = 0.8: ln(c(A)/c(B)) = ln 1.25 + 0.2 k t, k = 0.1.
    rows.clear();
    for (int i = 0; i <= 8; ++i) {
        const double q = 1.25 * std::exp(0.02 * 2 * i) * Scatter(i);
        rows.push_back({2.0 * i, 0.2 * q / (q - 1), 0.2 * q / (q - 1) - 0.2});
    }
    Load(rows);
    run({"mnuctAusw(3)", -8, 4, 1,
         [](const ExpPunkt& r, double& x, double& y) { return x = r.t, y = std::log(r.c[1] / r.c[2]), true; },
         rate("Resultat:  k = ", second, [](const Line& g) { return g.b / 0.2; }),
         [](const Line& g) { return std::log(0.8 / 0.6) / (g.b / 0.2) / 0.2; }});

    // k-T rows after c-t-T rows (k = 0) of the same data set: k = 1e10 exp(-6000 K / T).
    rows.clear();
    for (int i = 0; i <= 4; ++i) rows.push_back({0.25 * i, std::exp(-0.25 * i), 0, 300});
    for (int i = 0; i <= 5; ++i) {
        const double T = 300.0 + 20 * i;
        rows.push_back({0, 0, 0, T, 1e10 * std::exp(-6000 / T) * Scatter(i + 1)});
    }
    Load(rows);
    const Step kTSteps[] = {
        {"mnukT(1)", -3, 4, 6,
         [](const ExpPunkt& r, double& x, double& y) { return r.k > 0 && (x = 1 / r.T, y = std::log(r.k), true); },
         [&](const Line& g, const std::string& text) {
             EXPECT_EQ(text.rfind("Resultat: EA/(J/mol) = ", 0), 0u) << text;
             EXPECT_NEAR(NumberAfter(text, "EA/(J/mol) = "), -g.b * R / 1000, 0.006);
             EXPECT_NE(text.find(" E3;  A = "), std::string::npos) << text;
             EXPECT_NEAR(NumberAfter(text, "A = "), std::exp(g.a), 1e-3 * std::exp(g.a));
         },
         {}},
        {"mnukT(2)", -4, 4, 6,
         [](const ExpPunkt& r, double& x, double& y) {
             return r.k > 0 && (x = 1 / r.T, y = std::log(r.k / r.T), true);
         },
         [&](const Line& g, const std::string& text) {
             EXPECT_NEAR(NumberAfter(text, "h#/(J/mol) = "), -g.b * R, 0.6);
             const double entropy = (g.a - std::log(1.38066e-23 / 6.62618e-34)) * R;
             EXPECT_NEAR(NumberAfter(text, "s#/(J/mol*K) = "), entropy, 0.006);
         },
         [](const Line&) { return 0.0; }},  // a k-T plot offers no half-life
    };
    for (const Step& step : kTSteps) run(step);

    // A k-T row excluded in the editor and the points shown again: its old point does not stay.
    platform::Chart2D* c = Diagram()->Chart();
    ASSERT_NE(c->Y(2, 6, 8), platform::kChartHole);
    auto* grid = Editor()->findChild<platform::Grid*>("Grid");
    ASSERT_NE(grid, nullptr);
    grid->SetCurrentCell(7, 2);
    Editor()->findChild<QPushButton*>("cmdAus")->click();
    Editor()->findChild<QPushButton*>("OK")->click();
    ASSERT_EQ(ExpDaten[8].exclude, kTrue);
    Diagram()->findChild<QAction*>("mnuAddPunkte")->trigger();
    EXPECT_EQ(c->PointCount(2, 6), 11);
    EXPECT_EQ(c->Y(2, 6, 8), platform::kChartHole);
    EXPECT_NEAR(c->Y(2, 6, 9), std::log(ExpDaten[9].k / ExpDaten[9].T), 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Locales, EvaluationRoads, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

}  // namespace
