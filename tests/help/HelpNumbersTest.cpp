// The numbers the help pages "Erste Schritte" and "Übungen" promise: each marked number of the built
// help file is produced here by the real windows, driven as the page tells the learner, and compared
// with the page's text at the page's digits, under the C and the German number locale. A marked
// number without a road here, or a road's number missing from the pages, fails.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "diagram/frmTGraph2D.h"
#include "experiment/frmTFitting.h"
#include "games/frmMonteCarlo.h"
#include "platform/Help.h"
#include "simulation/frmKaskade.h"
#include "simulation/frmVerweilCalc.h"
#include "tests/diagram/MessdatenTestSupport.h"
#include "tests/experiment/FittingTestSupport.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/TextSplit.h"

namespace {

using namespace simtest;
using testsupport::Control;
using Numbers = std::map<std::string, QString>;  // key -> the number as a window shows it

const char* const kPages[] = {"erste_schritte.html", "uebungen.html"};

// The marked numbers of a page: data-key -> text.
std::map<std::string, std::string> MarkedNumbers(const std::string& html) {
    std::map<std::string, std::string> marks;
    static const QRegularExpression span(
        R"re(<span\s+class="pruefwert"\s+data-key="([^"]+)"\s*>([^<]*)</span>)re");
    for (auto it = span.globalMatch(QString::fromStdString(html)); it.hasNext();) {
        const auto m = it.next();
        const bool fresh = marks.emplace(m.captured(1).toStdString(), m.captured(2).toStdString()).second;
        EXPECT_TRUE(fresh) << "key twice: " << m.captured(1).toStdString();
    }
    return marks;
}

// The first number in a text, with either decimal separator; its decimals count the digits a page
// states. "E-03" exponents belong to the number.
struct Number {
    double value = NAN;
    int decimals = 0;
};
Number FirstNumber(const QString& text) {
    static const QRegularExpression number(R"(-?\d+(?:[.,]\d+)?|-?[.,]\d+)");
    static const QRegularExpression exponent(R"(^\s?E\s?([+-]?\d+))");
    const auto m = number.match(text);
    if (!m.hasMatch()) return {};
    QString digits = m.captured(0);
    digits.replace(',', '.');
    Number n{digits.toDouble(), static_cast<int>(digits.contains('.') ? digits.size() - digits.indexOf('.') - 1 : 0)};
    const auto e = exponent.match(text.mid(m.capturedEnd()));
    if (e.hasMatch()) {
        n.value *= std::pow(10.0, e.captured(1).toInt());
        n.decimals -= e.captured(1).toInt();
    }
    return n;
}

// The text after `marker` in a result text, up to the next blank after the number.
QString After(const std::string& text, const std::string& marker) {
    const auto pos = text.find(marker);
    if (pos == std::string::npos) return QString::fromStdString("<" + marker + " missing in " + text + ">");
    return QString::fromStdString(text.substr(pos + marker.size()));
}

class HelpNumbersBase : public TwinWindowTest {
public:
    using TwinWindowTest::Enter;
    using TwinWindowTest::Open;
    using TwinWindowTest::Run;
    void ClearMessages() { rec.Clear(); }
    static void Entry(const char* name) { Menu(name); }

    // The read-out of the diagram window with the mouse on point `p` of curve `series`: "X|Y" texts.
    static std::pair<QString, QString> ReadOut(platform::Chart2D* c, QWidget* window, int series, int p) {
        const diagramtest::Pixel at = diagramtest::PixelVon(c, c->X(1, series, p), c->Y(1, series, p));
        diagramtest::Maus(c, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
        auto label = [window](const char* name) { return window->findChild<QLabel*>(name)->text(); };
        return {label("lblMausPosX"), label("lblMausPosY")};
    }
    static diagram::frmTGraph2D* Diagram() { return diagram::frmTGraph2D::Geladen(); }
    // The index of the point of a curve nearest to x.
    static int PointAt(platform::Chart2D* c, int series, double x) {
        int best = 1;
        for (int p = 1; p <= c->PointCount(1, series); ++p)
            if (std::fabs(c->X(1, series, p) - x) < std::fabs(c->X(1, series, best) - x)) best = p;
        return best;
    }
    // Where a falling curve of a chart reaches y, between its two points around y, interpolated on the
    // logarithm (exact for an exponential decay).
    static double Crossing(platform::Chart2D* c, int series, double y) {
        for (int p = 2; p <= c->PointCount(1, series); ++p) {
            const double y1 = c->Y(1, series, p - 1), y2 = c->Y(1, series, p);
            if (y1 >= y && y2 < y) {
                const double x1 = c->X(1, series, p - 1), x2 = c->X(1, series, p);
                return x1 + (x2 - x1) * std::log(y1 / y) / std::log(y1 / y2);
            }
        }
        return NAN;
    }
    // A new data set typed row by row into the data editor's input line (the fields y(i) of the
    // columns), which OK then closes.
    static void TypeRows(std::initializer_list<int> fields, std::initializer_list<std::vector<const char*>> rows) {
        fittest::Trigger("mnuNeudat");
        for (const auto& row : rows) {
            auto text = row.begin();
            for (const int field : fields)
                testsupport::Type(Control<QLineEdit>("frmDatedit", QStringLiteral("y(%1)").arg(field)),
                                  QString::fromStdString(testsupport::InLocale(*text++)));
            Click("frmDatedit", "OKinput");
        }
        Click("frmDatedit", "OK");
    }
    // A linear evaluation from its menu entry: k, R^2 and the half-life mark of its result text.
    static void LineResult(const char* entry, Numbers& s, const std::string& prefix) {
        fittest::Trigger(entry);
        ASSERT_NE(Diagram(), nullptr);
        const std::string text = Diagram()->StatusText();
        s[prefix + "-k"] = After(text, "k = ");
        s[prefix + "-r2"] = After(text, "R^2 = ");
        Diagram()->findChild<QAction*>("mnuHalbA")->trigger();
        s[prefix + "-tau"] = After(Diagram()->StatusText(), "tau(A) = ");
    }
    // The fitting window of the menu entry after an automatic run; null when it did not open.
    static frmTFitting* AutoFit(const char* entry) {
        fittest::Trigger(entry);
        frmTFitting* w = frmTFitting::Geladen();
        if (!w) return nullptr;
        w->optManuAuto[1]->click();
        w->cmdAutoFitting->click();
        return w;
    }
    // The value table of the time window: the cells of the row at time t.
    static std::vector<std::string> TableRow(const char* form, const std::string& t) {
        std::string table;
        QTimer::singleShot(0, [&table] {
            auto* box = Control<QPlainTextEdit>("frmSimTabelle", "txtSimTabelle");
            if (box) table = box->toPlainText().toStdString();
            Control<QPushButton>("frmSimTabelle", "cmdCloseSimTab")->click();
        });
        QTest::mouseClick(Control<QPushButton>(form, "cmdListe"), Qt::LeftButton);
        QApplication::processEvents();
        for (const std::string& line : testsupport::Split(table, "\n")) {
            std::vector<std::string> cells;
            for (const std::string& cell : testsupport::Split(line, "\t")) {
                const auto a = cell.find_first_not_of(' ');
                cells.push_back(a == std::string::npos ? "" : cell.substr(a, cell.find_last_not_of(' ') - a + 1));
            }
            if (!cells.empty() && cells[0] == testsupport::InLocale(t)) return cells;
        }
        return {};
    }
    // The result row of the protocol: header cell -> value, from the clipboard after "open new".
    static std::map<std::string, std::string> ProtocolRow(const char* form) {
        Click(form, "cmdProtocol");
        Click("frmProtokoll", "cmdRecordResult");
        Click("frmProtokoll", "cmdOpenNew");
        const auto lines = testsupport::Split(QApplication::clipboard()->text().toStdString(), "\r\n");
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            if (lines[i].rfind("c_beg(A)", 0) != 0) continue;
            const auto head = testsupport::Split(lines[i], "\t"), values = testsupport::Split(lines[i + 1], "\t");
            for (std::size_t j = 0; j < head.size() && j < values.size(); ++j) row[head[j]] = values[j];
        }
        return row;
    }

protected:
    // A fresh program for each road: start state, main window, the locale of the run.
    void Fresh(testsupport::NumberLocale locale) {
        testsupport::UnloadAll();
        main.reset();
        Prepare();
        locale_.emplace(locale);
        Start();
        rec.Clear();
        kernel::KaskadeFuellPause = kernel::KaskadeAufbauPause = 0.001f;
        kernel::ContiHinweisOffen = kernel::kFalse;
    }

    std::optional<testsupport::NumberLocaleScope> locale_;
};

using HelpNumbers = testsupport::InBothLocales<HelpNumbersBase>;

// A road: the keys it produces and how, from a fresh program.
struct Road {
    const char* name;
    std::vector<const char*> keys;
    std::function<void(HelpNumbersBase&, Numbers&)> run;
};

QString Shows(const char* form, int i) { return simtest::Box(form, i)->text(); }

// The roads of the pages, in their order.
const std::vector<Road>& Roads() {
    using T = HelpNumbersBase;
    static const std::vector<Road> roads = {
        // Erste Schritte 1 and 2: A => P in the time window, its value table, read-out and zoom.
        {"time course", {"es1-ca15", "es1-cp15", "es2-x10", "es2-y10", "es2-zoom-y15"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuctGraph");
             ChooseModel(2);
             const char* form = "frmPrepareTimeDiagram";
             Type(Control<QLineEdit>(form, "Inp(0)"), "1");
             Type(Control<QComboBox>(form, "kCombo(1)"), "0.1");
             Type(Control<QComboBox>(form, "kCombo(0)"), "20");
             testsupport::Click(form, "cmdDrawctDiagram");
             const auto row = T::TableRow(form, "15.00");
             ASSERT_GE(row.size(), 5u);
             s["es1-ca15"] = QString::fromStdString(row[1]);
             s["es1-cp15"] = QString::fromStdString(row[4]);
             diagram::frmTGraph2D* d = T::Diagram();
             ASSERT_NE(d, nullptr);
             platform::Chart2D* c = d->Chart();
             std::tie(s["es2-x10"], s["es2-y10"]) = T::ReadOut(c, d, 1, T::PointAt(c, 1, 10));
             d->findChild<QPushButton*>("cmdZoom")->click();
             const auto from = diagramtest::PixelVon(c, 10, 0.8), to = diagramtest::PixelVon(c, 20, 0.1);
             diagramtest::Maus(c, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
             diagramtest::Maus(c, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, to);
             diagramtest::Maus(c, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, to);
             s["es2-zoom-y15"] = T::ReadOut(c, d, 1, T::PointAt(c, 1, 15)).second;
         }},
        // Erste Schritte 3: the batch reactor and its protocol row.
        {"batch and protocol", {"es3-ca", "es3-u", "es3-prot-u"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Run(kBatchR, 2, 0, {{0, "1"}, {10, "0.1"}, {14, "10"}});
             s["es3-ca"] = Shows("frmBatch", 5);
             s["es3-u"] = Shows("frmBatch", 13);
             s["es3-prot-u"] = QString::fromStdString(T::ProtocolRow("frmBatch")["U(A)"]);
         }},
        // Erste Schritte 4: measured data typed, the first-order line, its half-life, the fit.
        {"measured data", {"es4-k", "es4-r2", "es4-tau", "es4-fit-k", "es4-fit-rms"}, [](HelpNumbersBase&, Numbers& s) {
             T::TypeRows({0, 1}, {{"0", "1"},     {"10", "0.62"}, {"20", "0.37"}, {"30", "0.22"},
                                  {"40", "0.14"}, {"50", "0.08"}, {"60", "0.05"}});
             ASSERT_NO_FATAL_FAILURE(T::LineResult("mnuctAusw(1)", s, "es4"));
             const frmTFitting* w = T::AutoFit("mnuctFitting");
             ASSERT_NE(w, nullptr);
             s["es4-fit-k"] = w->Inp[10]->text();
             s["es4-fit-rms"] = w->lblFQS->text();
         }},
        // Übungen 1 and 2: half-lives as the time to U(A) = 0.5 in the batch reactor.
        {"half-lives", {"ue1-t1", "ue1-t2", "ue2-t1", "ue2-t2"}, [](HelpNumbersBase& b, Numbers& s) {
             const struct { int model; const char* key; const char* c0; } runs[] = {
                 {2, "ue1-t1", "1"}, {2, "ue1-t2", "2"}, {3, "ue2-t1", "1"}, {3, "ue2-t2", "0.5"}};
             for (const auto& r : runs) {
                 b.Run(kBatchR, r.model, 1, {{0, r.c0}, {10, r.model == 2 ? "0.02" : "0.05"}, {13, "0.5"}});
                 s[r.key] = Shows("frmBatch", 14);
                 testsupport::UnloadAll();
             }
         }},
        // Übung 3: A => C => P in the batch reactor.
        {"consecutive", {"ue3-ca", "ue3-cc", "ue3-cp"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Run(kBatchR, 6, 0, {{0, "2"}, {10, "0.3"}, {11, "0.1"}, {14, "5"}});
             s["ue3-ca"] = Shows("frmBatch", 5);
             s["ue3-cc"] = Shows("frmBatch", 7);
             s["ue3-cp"] = Shows("frmBatch", 8);
         }},
        // Übung 4: A + B => P in the tube, conversion given.
        {"tube", {"ue4-t", "ue4-l"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Run(kTubeR, 4, 2, {{0, "1"}, {1, "2"}, {10, "0.15"}, {16, "0.5"}, {13, "0.8"}});
             s["ue4-t"] = Shows("frmRohrreaktor", 14);
             s["ue4-l"] = Shows("frmRohrreaktor", 15);
         }},
        // Übung 5: the stirred tank against the batch reactor of the same time.
        {"stirred tank", {"ue5-u", "ue5-vp", "ue5-ubatch"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Run(kTankR, 2, 3, {{0, "1"}, {10, "0.2"}, {16, "15"}, {14, "3"}});
             s["ue5-u"] = Shows("frmRKconti", 13);
             s["ue5-vp"] = Shows("frmRKconti", 15);
             testsupport::UnloadAll();
             b.Run(kBatchR, 2, 0, {{0, "1"}, {10, "0.2"}, {14, "15"}});
             s["ue5-ubatch"] = Shows("frmBatch", 13);
         }},
        // Übung 6: the cascade of three and of four tanks.
        {"cascade", {"ue6-u3", "ue6-u4", "ue6-tk4"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Open(kCascadeR, 2);
             frmKaskade* k = frmKaskade::Loaded();
             for (const char* n : {"3", "4"}) {
                 k->txtNKask->setText(n);
                 testsupport::Click("frmKaskade", "optCalcKask(4)");
                 b.Enter({{0, "1"}, {10, "0.2"}, {16, "15"}, {15, "0.2"}});
                 testsupport::Click("frmKaskade", "cmdStart");
                 s[std::string("ue6-u") + n] = Shows("frmKaskade", 13);
             }
             s["ue6-tk4"] = After(k->lblZeitProKessel->text().toStdString(), ": ");
         }},
        // Übung 7: the residence-time sum function of one tank and of three.
        {"residence time", {"ue7-tm", "ue7-f1", "ue7-f3"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuVerweilzeitVerteilung");
             frmVerweilCalc* w = frmVerweilCalc::Loaded();
             ASSERT_NE(w, nullptr);
             s["ue7-tm"] = w->txttm->text();
             for (const char* n : {"1", "3"}) {
                 w->txtNKask->setFocus();
                 Type(w->txtNKask, n);
                 w->cmdDiaF_RK->click();
                 diagram::frmTGraph2D* d = T::Diagram();
                 ASSERT_NE(d, nullptr);
                 s[std::string("ue7-f") + n] = T::ReadOut(d->Chart(), d, 1, T::PointAt(d->Chart(), 1, 12.5)).second;
                 w->cmdCloseDiag->click();
             }
         }},
        // Übung 8: the model 2A => P, second-order data, the line 1/c(A) over t.
        {"second order line", {"ue8-k", "ue8-r2", "ue8-tau"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuModel");
             ChooseModel(3);
             T::TypeRows({0, 1}, {{"0", "0.5"},    {"5", "0.405"},  {"10", "0.331"}, {"15", "0.288"},
                                  {"20", "0.248"}, {"30", "0.201"}, {"40", "0.166"}});
             T::LineResult("mnuctAusw(2)", s, "ue8");
         }},
        // Übung 9: rate constants over temperature, the Arrhenius line.
        {"arrhenius line", {"ue9-ea", "ue9-a"}, [](HelpNumbersBase&, Numbers& s) {
             T::TypeRows({7, 8}, {{"290", "0.00107"}, {"300", "0.00188"}, {"310", "0.00319"},
                                  {"320", "0.00527"}, {"330", "0.00842"}});
             fittest::Trigger("mnukT(1)");
             ASSERT_NE(T::Diagram(), nullptr);
             const std::string text = T::Diagram()->StatusText();
             s["ue9-ea"] = After(text, "EA/(J/mol) = ");
             s["ue9-a"] = After(text, "A = ");
         }},
        // Übung 10: the model A => P, c-t-T data at three temperatures, the non-isothermal Arrhenius fit.
        {"arrhenius fit", {"ue10-a", "ue10-ea"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuModel");
             ChooseModel(2);
             T::TypeRows({0, 1, 7}, {{"0", "1", "300"},       {"0.2", "0.645", "300"}, {"0.4", "0.416", "300"},
                                     {"0.6", "0.268", "300"}, {"0.8", "0.173", "300"}, {"0", "1", "320"},
                                     {"0.2", "0.511", "320"}, {"0.4", "0.261", "320"}, {"0.6", "0.133", "320"},
                                     {"0.8", "0.068", "320"}, {"0", "1", "340"},       {"0.2", "0.376", "340"},
                                     {"0.4", "0.141", "340"}, {"0.6", "0.053", "340"}, {"0.8", "0.02", "340"}});
             b.ClearMessages();
             const frmTFitting* w = T::AutoFit("mnuNonIsothermFitting(1)");
             ASSERT_NE(w, nullptr);
             s["ue10-a"] = w->Inp[10]->text();
             s["ue10-ea"] = w->Inp[11]->text();
         }},
        // Übung 11: the equilibrium game's calculated curve for each K.
        {"monte carlo", {"ue11-k05", "ue11-k1", "ue11-k2"}, [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuSubMonteCarlo(1)");
             frmMonteCarlo* w = frmMonteCarlo::Geladen();
             ASSERT_NE(w, nullptr);
             const char* keys[] = {"ue11-k05", "ue11-k1", "ue11-k2"};
             for (int k = 0; k < 3; ++k) {
                 w->findChild<QRadioButton*>(QStringLiteral("optGK(%1)").arg(k))->click();
                 platform::Chart2D* c = w->Chart();
                 s[keys[k]] = QString::number(c->Y(1, 1, c->PointCount(1, 1)), 'f', 1);
             }
         }},
        // Übung 12: the first-order game, its calculated curve on "100" and "10000", then a run on "100"
        // made reproducible by a fixed seed and a clock that ends every wait at once; the numbers of the
        // run that the page states are the same in every run.
        {"monte carlo first order",
         {"ue12-tau100", "ue12-x100", "ue12-rest100", "ue12-tau9025", "ue12-x9025", "ue12-start", "ue12-block",
          "ue12-dx", "ue12-ende"},
         [](HelpNumbersBase& b, Numbers& s) {
             b.Entry("mnuSubMonteCarlo(0)");
             frmMonteCarlo* w = frmMonteCarlo::Geladen();
             ASSERT_NE(w, nullptr);
             platform::Chart2D* c = w->Chart();
             for (const auto& [option, n] : {std::pair{4, "9025"}, std::pair{0, "100"}}) {
                 w->findChild<QRadioButton*>(QStringLiteral("optN0(%1)").arg(option))->click();
                 const double x = T::Crossing(c, 1, 50);
                 s[std::string("ue12-x") + n] = QString::number(x, 'f', 4);
                 s[std::string("ue12-tau") + n] = QString::number(x * w->TMaxSchritte() / 100.0, 'f', 4);
             }
             s["ue12-rest100"] = QString::number(c->Y(1, 1, c->PointCount(1, 1)), 'f', 4);

             struct Reset {
                 ~Reset() {
                     frmMonteCarlo::SetZufallsSaat(std::nullopt);
                     frmMonteCarlo::SetUhr(nullptr);
                 }
             } reset;
             frmMonteCarlo::SetZufallsSaat(1u);
             frmMonteCarlo::SetUhr([uhr = 0.0]() mutable { return uhr += 1.0; });
             auto* flash = w->findChild<QCheckBox*>("chkFlashOn");
             if (flash->isChecked()) flash->click();
             w->findChild<QPushButton*>("cmdStart")->click();
             ASSERT_FALSE(w->Laeuft());
             const int last = c->PointCount(1, 3);
             ASSERT_GE(last, 2);
             s["ue12-start"] = QString::number(c->Y(1, 3, 1), 'f', 4);
             s["ue12-dx"] = QString::number(c->X(1, 3, 2) - c->X(1, 3, 1), 'f', 4);
             s["ue12-block"] = QString::number((c->X(1, 3, 2) - c->X(1, 3, 1)) * w->TMaxSchritte() / 100.0, 'f', 4);
             s["ue12-ende"] = QString::number(c->Y(1, 3, last), 'f', 4);
         }},
    };
    return roads;
}

}  // namespace

// Every marked number of the pages has a road here, and every road's number is marked on a page.
TEST_P(HelpNumbers, EveryMarkedNumberHasARoadAndEveryRoadANumber) {
    std::set<std::string> onPages, ofRoads;
    for (const char* page : kPages) {
        const std::string html = platform::HelpPageHtml(page);
        ASSERT_FALSE(html.empty()) << page;
        for (const auto& [key, text] : MarkedNumbers(html)) onPages.insert(key);
    }
    for (const Road& road : Roads())
        for (const char* key : road.keys) EXPECT_TRUE(ofRoads.insert(key).second) << "key of two roads: " << key;
    std::vector<std::string> withoutRoad, withoutMark;
    std::set_difference(onPages.begin(), onPages.end(), ofRoads.begin(), ofRoads.end(), std::back_inserter(withoutRoad));
    std::set_difference(ofRoads.begin(), ofRoads.end(), onPages.begin(), onPages.end(), std::back_inserter(withoutMark));
    EXPECT_EQ(withoutRoad, std::vector<std::string>{}) << "marked on a page, produced by no road";
    EXPECT_EQ(withoutMark, std::vector<std::string>{}) << "produced by a road, marked on no page";
}

// Each road shows the numbers its page states, at the page's digits.
TEST_P(HelpNumbers, WindowsShowTheNumbersOfThePages) {
    std::map<std::string, std::string> marks;
    for (const char* page : kPages) {
        const std::string html = platform::HelpPageHtml(page);
        ASSERT_FALSE(html.empty()) << page;
        marks.merge(MarkedNumbers(html));
    }
    for (const Road& road : Roads()) {
        SCOPED_TRACE(road.name);
        Fresh(GetParam());
        Numbers shown;
        road.run(*this, shown);
        for (const char* key : road.keys) {
            SCOPED_TRACE(key);
            ASSERT_TRUE(shown.count(key)) << "the road did not produce it";
            const QString window = shown[key];
            if (!marks.count(key)) continue;  // reported by the test above
            const Number page = FirstNumber(QString::fromStdString(marks[key])), got = FirstNumber(window);
            ASSERT_FALSE(std::isnan(page.value)) << marks[key];
            ASSERT_FALSE(std::isnan(got.value)) << window.toStdString();
            const double unit = std::pow(10.0, -page.decimals);
            EXPECT_NEAR(got.value, page.value, 0.5 * unit + 1e-9 * std::fabs(page.value))
                << "page \"" << marks[key] << "\", window \"" << window.toStdString() << "\"";
        }
        EXPECT_TRUE(rec.Empty()) << rec.Last().title << ": " << rec.Last().prompt;
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, HelpNumbers, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);
