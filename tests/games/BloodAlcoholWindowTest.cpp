// The blood-alcohol window, opened from the main window's menu under both number locales: defaults of the
// first opening, the sex kept between openings, the parameter checks and refusals with their messages,
// the drink table and the clock times, the curve handed to the diagram window against values computed
// apart from the program, and the look of the window beside its diagram.
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

#include "diagram/frmTGraph2D.h"
#include "games/frmBlutalkohol.h"
#include "platform/Chart2D.h"
#include "tests/games/GameFixture.h"

using namespace kernel;

namespace {

const char* const kTitel = " Ausführung nicht möglich ";

class BloodAlcoholWindowTest : public gametest::GameTest {
protected:
    void SetUp() override {
        InBothLocales::SetUp();
        aktDiagrammCode = 7;
    }

    frmBlutalkohol* Open() {
        Menu("Blutalkohol");
        return frmBlutalkohol::Geladen();
    }
    template <typename T = QLineEdit>
    T* C(const QString& name) {
        return Find<T>(frmBlutalkohol::Geladen(), name);
    }
    QString Text(const QString& name) { return C(name)->text(); }
    void Set(const QString& name, const char* text) { C(name)->setText(QString::fromUtf8(text)); }
    // Types a number over the field's text, with the locale's decimal separator.
    void Type(const QString& name, const char* text) {
        C(name)->selectAll();
        QTest::keyClicks(C(name), QString::fromStdString(testsupport::InLocale(text)));
    }
    void Click(const char* name) { C<QAbstractButton>(name)->click(); }
    void ChooseRate(int drink, int index) {
        auto* box = C<QComboBox>(QStringLiteral("cmbkres(%1)").arg(drink));
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    QString Mass(int i) { return C<QLabel>(QStringLiteral("AlkMas(%1)").arg(i))->text(); }
    QString Rate(int i) { return C<QComboBox>(QStringLiteral("cmbkres(%1)").arg(i))->currentText(); }
    // A drink's row as "volume|content|rate|start|mass".
    std::string Drink(int i) {
        auto box = [&](const char* name) { return Text(QStringLiteral("%1(%2)").arg(name).arg(i)); };
        const QStringList row{box("txtGlasVol"), box("txtAlkGehalt"), Rate(i), box("txtStartZeit"), Mass(i)};
        return row.join(QLatin1Char('|')).toStdString();
    }
    // The one message of a refusal.
    void ExpectRefusal(const std::string& prompt) {
        EXPECT_EQ(rec.OnlyMessage(), kTitel + ("|" + prompt));
        EXPECT_EQ(rec.Empty() ? 0 : rec.Last().style, platform::MsgCritical);
    }
    // Presses "Zeichnen"; true when no message came.
    bool Draw() {
        rec.Clear();
        Click("cmdDiagramm");
        return rec.Empty();
    }
    // The points of a curve of the diagram window.
    static std::vector<double> CurveY(int slot = 1) {
        std::vector<double> y;
        auto* d = diagram::frmTGraph2D::Geladen();
        if (!d) return y;
        for (int i = 1; i <= d->Chart()->PointCount(1, slot); ++i) y.push_back(d->Chart()->Y(1, slot, i));
        return y;
    }
};

}  // namespace

TEST_P(BloodAlcoholWindowTest, FirstOpeningSetsTheDefaultsAndDrawsWithoutComplaint) {
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(Frame("frmKinModel")->isHidden());
    EXPECT_EQ(std::pair(aktModell, aktDiagrammCode), std::pair(500, 500));
    // The other defaults (73 kg, r = 0.7, RD 20 %, beta60 0.15, k(res) 5, 600 min) are checked by the curves below.
    for (const char* option : {"optrWert(0)", "optBAKUnit(0)", "optBAKModel(0)"})
        EXPECT_TRUE(C<QRadioButton>(option)->isChecked()) << option;
    // Drink 1: 500 ml at 5 %, "normal", from minute 0.
    EXPECT_EQ(Drink(1), " 500| 5|normal| 0|19.73");
    for (int i = 2; i <= 8; ++i) EXPECT_EQ(Drink(i), " 0| 0| - - -||0.0") << i;
    EXPECT_TRUE(C<QCheckBox>("chkDelDiagram")->isHidden());
    EXPECT_FALSE(C<QPushButton>("cmdCloseGraph")->isEnabled());
    // The modified model is refused; the legal hint is a warning.
    Click("optBAKModel(1)");
    EXPECT_EQ(rec.OnlyMessage(), "WIDMARK modifiziert|... funktioniert in Kürze");
    EXPECT_TRUE(C<QRadioButton>("optBAKModel(0)")->isChecked());
    EXPECT_EQ(BAKModifiziert, 0);
    Click("cmdRecht");
    EXPECT_EQ(rec.Last().title, "rechtlicher Hinweis");
    EXPECT_EQ(rec.Last().style, platform::MsgExclamation);
    EXPECT_NE(rec.Last().prompt.find("DIE BERECHNUNGSERGEBNISSE SIND NICHT RECHTSRELEVANT.\r\n"), std::string::npos);

    EXPECT_TRUE(Draw()) << rec.Last().prompt;
    ASSERT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_TRUE(C<QPushButton>("cmdCloseGraph")->isEnabled());
    // The curve of the defaults (mass with the label's two decimals) against the closed form, in g/L.
    Click("optBAKUnit(1)");
    ASSERT_TRUE(Draw());
    std::vector<double> y = CurveY();
    ASSERT_GT(y.size(), 60u);
    EXPECT_NEAR(y[60], 19.73 / (0.7 * 73) * 0.8 * (1 - std::exp(-5.0)) - 0.15, 1e-5);
    // Build-up only, on the longest axis.
    Click("optBAKModel(2)");
    Set("txt_tmaxGraph", "1500");
    EXPECT_EQ(Text("txt_tmaxGraph"), "999");
    ASSERT_TRUE(Draw());
    y = CurveY();
    ASSERT_EQ(y.size(), 1000u);
    for (std::size_t t = 1; t < y.size(); ++t) EXPECT_GE(y[t], y[t - 1]);
    EXPECT_NEAR(y[999], 19.73 / (0.7 * 73) * 0.8 * (1 - std::exp(-5.0 * 999 / 60)), 1e-5);
    EXPECT_EQ(diagram::frmTGraph2D::Geladen()->Chart()->TextBlock(platform::ChartText::Header), "Resorptions-Diagramm");

    // Closing restores the model and diagram code and brings the model window back.
    platform::Windows().Unload("frmBlutalkohol");
    EXPECT_EQ(std::pair(aktModell, aktDiagrammCode), std::pair(2, 7));
    EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_FALSE(Frame("frmKinModel")->isHidden());
}

TEST_P(BloodAlcoholWindowTest, SexIsKeptBetweenOpeningsAndTheParametersCheckedAgainstTheirRanges) {
    // The factor left by the last opening: "Frau" below the men's range, "Mann" within it; r itself
    // restarts at the standard value of that sex.
    struct Case { float r; int sex; float rAfter; };
    const Case cases[] = {{0, 0, 0.7f}, {0.65f, 1, 0.6f}, {0.55f, 1, 0.6f}, {0.68f, 0, 0.7f}, {0.75f, 0, 0.7f}, {0.8f, 0, 0.7f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.r);
        BAKr = c.r;
        ASSERT_NE(Open(), nullptr);
        EXPECT_TRUE(C<QRadioButton>(QStringLiteral("optrWert(%1)").arg(c.sex))->isChecked());
        EXPECT_FLOAT_EQ(BAKr, c.rAfter);
        EXPECT_EQ(Text("txt_r(0)") + " " + Text("txt_r(1)"), "0.7 0.6");
        EXPECT_EQ(C("txt_r(0)")->isEnabled(), c.sex == 0);
        platform::Windows().Unload("frmBlutalkohol");
    }
    // A man with a factor of his own, drawn, reopens as "Mann".
    ASSERT_NE(Open(), nullptr);
    Type("txt_r(0)", "0.75");
    EXPECT_TRUE(Draw()) << rec.Last().prompt;
    platform::Windows().Unload("frmBlutalkohol");
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(C<QRadioButton>("optrWert(0)")->isChecked());

    // Switching from "Frau" to "Mann" takes the men's field; the women's field is reset without touching r.
    Click("optrWert(1)");
    Set("txt_r(1)", "0.55");
    Click("optrWert(0)");
    EXPECT_FLOAT_EQ(BAKr, 0.7f);
    EXPECT_EQ(Text("txt_r(1)"), "0.6");

    // Parameter checks report the first offender and reset it. The message: parameter + " außerhalb des
    // erlaubten Bereichs" + range + the note of the reset.
    struct Bereich { const char *field; std::vector<const char*> good; const char *bad, *parameter, *range, *reset; };
    const Bereich bereiche[] = {
        {"txt_r(0)", {"0.68", "0.8"}, "0.67", "Verteilungsfaktor r", " für Männer:\r\n0,68 <= r <= 0,8", "0.7"},
        {"txt_r(0)", {}, "0.85", "Verteilungsfaktor r", " für Männer:\r\n0,68 <= r <= 0,8", "0.7"},
        {"txt_r(1)", {"0.5", "0.6"}, "0.61", "Verteilungsfaktor r", " für Frauen:\r\n\r\n0,5 <= r <= 0,6", "0.6"},
        {"txtRD", {"10", "30"}, "31", "Resorptionsdefizit RD", ":\r\n10 % <= RD <= 30 %", "20"},
        {"txtb60", {"0.1", "0.2"}, "0.25", "Geschwindigkeitskonstante der Elimination beta60",
         ":\r\n0.1 <= beta60 <= 0.2", "0.15"},
    };
    for (const Bereich& c : bereiche) {
        SCOPED_TRACE(c.field);
        if (std::string(c.field) == "txt_r(1)") Click("optrWert(1)");
        for (const char* ok : c.good) {
            Set(c.field, ok);
            EXPECT_TRUE(Draw()) << ok;
        }
        Set(c.field, c.bad);
        EXPECT_FALSE(Draw());
        ExpectRefusal(std::string(c.parameter) + " außerhalb des erlaubten Bereichs" + c.range +
                      "\r\n\r\nParameter wird auf Standardwert gesetzt");
        EXPECT_EQ(Text(c.field), c.reset);
    }
    EXPECT_EQ(std::tuple(BAKr, BAKRD, BAKbeta60), std::tuple(0.6f, 20, 0.15f));

    // Two offenders: RD first, beta60 at the next press; nothing is drawn meanwhile.
    Set("txtRD", "5");
    Set("txtb60", "0.25");
    platform::Windows().Unload("frmTGraph2D");
    for (const char* zuerst : {"Resorptionsdefizit RD", "Geschwindigkeitskonstante der Elimination beta60"}) {
        EXPECT_FALSE(Draw());
        EXPECT_EQ(rec.OnlyPrompt().rfind(zuerst, 0), 0u) << zuerst;
        EXPECT_FALSE(platform::Windows().IsLoaded("frmTGraph2D"));
    }
    EXPECT_TRUE(Draw());
}

TEST_P(BloodAlcoholWindowTest, DrinkTableStandardValuesMassesRatesStartMinutesExampleAndClockTimes) {
    frmBlutalkohol* w = Open();
    ASSERT_NE(w, nullptr);
    Set("txtRD", "25");
    Set("txtb60", "0.12");
    ChooseRate(1, 1);
    EXPECT_FLOAT_EQ(BAKkres[0], 2);
    Click("cmdStandardWerte");  // every rate constant back to normal, empty drinks stay empty
    EXPECT_EQ(Rate(1) + "|" + Rate(3), "normal| - - -");
    for (float k : BAKkres) EXPECT_FLOAT_EQ(k, 5);
    EXPECT_EQ(std::pair(BAKRD, BAKbeta60), std::pair(20, 0.15f));

    Set("txtAlkGehalt(1)", "100");
    EXPECT_EQ(Text("txtAlkGehalt(1)"), "100");
    Set("txtAlkGehalt(1)", "100.5");
    EXPECT_EQ(Drink(1), " 500| 0| - - -| 0|0.0");
    // A typed comma becomes a point; a minus is refused.
    QLineEdit* gehalt = C("txtAlkGehalt(1)");
    gehalt->selectAll();
    QTest::keyClicks(gehalt, "5,5-");
    EXPECT_EQ(gehalt->text(), "5.5");

    Set("txtGlasVol(2)", "330");
    EXPECT_EQ(Drink(2), "330| 0| - - -||0.0");
    Set("txtAlkGehalt(2)", "5");
    EXPECT_EQ(Drink(2), "330|5|normal||13.02");
    EXPECT_NEAR(BAKAlkMasse[2], 330 * 5 * 0.789 / 100, 1e-4);
    // Emptying the start field of a filled drink takes it out of the evening, its rate too.
    Set("txtStartZeit(2)", "20");
    Set("txtStartZeit(2)", "");
    EXPECT_EQ(Drink(2) + " " + std::to_string(BAKTrinkStart[2]), "330|5| - - -||13.02 -1");
    ChooseRate(2, 3);
    EXPECT_FLOAT_EQ(BAKkres[1], 0);

    Set("txtStartZeit(4)", "40");
    EXPECT_EQ(BAKTrinkStart[4], 40);
    Set("txtStartZeit(4)", "");
    EXPECT_EQ(BAKTrinkStart[4], -1);
    // Volume 0 empties the row.
    Set("txtGlasVol(2)", "0");
    EXPECT_EQ(Drink(2), " 0| 0| - - -||0.0");
    EXPECT_EQ(BAKTrinkStart[1], 0);

    // The example after clearing the table.
    Click("cmdDeleteTabelle");
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(Drink(i), i == 1 ? " 0| 0| - - -| 0|0.0" : " 0| 0| - - -||0.0") << i;
        EXPECT_FLOAT_EQ(BAKkres[static_cast<std::size_t>(i - 1)], 5);
    }
    EXPECT_EQ(BAKTrinkStart[1], 0);
    Click("cmdBeispiel");
    EXPECT_EQ(BAKTrinkStart, (std::array<int, 9>{BAKTrinkStart[0], 0, 30, 70, 110, 150, 195, -1, -1}));
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(Rate(i) + " " + Mass(i), i < 6 ? "normal 15.78" : "normal 12.62") << i;

    // After midnight, and an hour without minutes.
    for (const auto& [box, text] : {std::pair{"txt_h(1)", "23"}, {"txt_m(1)", "30"}, {"txt_h(2)", "00"},
                                    {"txt_m(2)", "15"}, {"txt_h(3)", "21"}, {"txt_m(3)", "--"}})
        Set(box, text);
    for (int i = 1; i <= 3; ++i) w->ZeitUmrechnen(i);
    EXPECT_EQ(BAKTrinkStart[2], 45);
    EXPECT_EQ(Text("txt_m(3)"), "00");
    EXPECT_EQ(BAKTrinkStart[3], 21 * 60 - (23 * 60 + 30) + 1440);

    // The table survives closing; the rate choices start again at "normal".
    ChooseRate(4, 2);
    platform::Windows().Unload("frmBlutalkohol");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Drink(6), "40|40|normal|195|12.62");
    EXPECT_EQ(Text("txtStartZeit(2)"), "45");
    EXPECT_EQ(Rate(4), "normal");
    EXPECT_FLOAT_EQ(BAKkres[3], 5);
    EXPECT_EQ(Rate(7), " - - -");

    // Enter jumps to the next drink, from the last one to the first; start times take whole minutes.
    ASSERT_TRUE(Activate());
    C("txtGlasVol(8)")->setFocus();
    QTest::keyClick(C("txtGlasVol(8)"), Qt::Key_Return);
    EXPECT_TRUE(C("txtGlasVol(1)")->hasFocus());
    C("txtStartZeit(8)")->setFocus();
    QTest::keyClick(C("txtStartZeit(8)"), Qt::Key_Return);
    EXPECT_TRUE(C("txtStartZeit(2)")->hasFocus());
    C("txtStartZeit(2)")->clear();
    QTest::keyClicks(C("txtStartZeit(2)"), "1.5");
    EXPECT_EQ(Text("txtStartZeit(2)"), "15");
}

TEST_P(BloodAlcoholWindowTest, TypedEveningMatchesTheReferenceAndALateDrinkChangesNothing) {
    // Values of tests/games/blood_alcohol_reference.py (Widmark, computed apart from the program).
    struct Wert { int minute; double gProL; };
    const Wert referenz[] = {{60, 0.388880}, {108, 0.620673}, {120, 0.611830}, {240, 0.382115}, {400, 0.036010}};
    ASSERT_NE(Open(), nullptr);
    Click("optrWert(1)");
    Type("txt_r(1)", "0.6");
    Type("txtKoerpermasse", "58");
    Type("txtRD", "15");
    Type("txtb60", "0.13");
    Type("txt_tmaxGraph", "420");
    const struct { const char *ml, *prozent; int rate; const char* start; } drinks[] = {
        {"330", "4.8", 0, nullptr}, {"200", "11.5", 1, "40"}, {"20", "40", 2, "95"}};
    for (int i = 1; i <= 3; ++i) {
        const auto& d = drinks[i - 1];
        Type(QStringLiteral("txtGlasVol(%1)").arg(i), d.ml);
        Type(QStringLiteral("txtAlkGehalt(%1)").arg(i), d.prozent);
        ChooseRate(i, d.rate);
        if (d.start) Type(QStringLiteral("txtStartZeit(%1)").arg(i), d.start);
    }
    // In g/L, then in g/kg: a 1.055th of each value.
    const std::tuple<const char*, double, const char*> einheiten[] = {
        {"optBAKUnit(1)", 1.0, "BAK / (g/L)"}, {"optBAKUnit(0)", 1.055, "BAK / (g/kg) = \"Promille\""}};
    std::vector<double> y;
    for (const auto& [option, teiler, titel] : einheiten) {
        Click(option);
        ASSERT_TRUE(Draw()) << rec.Last().prompt;
        y = CurveY();
        ASSERT_EQ(y.size(), 421u);
        for (const Wert& w : referenz)
            EXPECT_NEAR(y[static_cast<std::size_t>(w.minute)], w.gProL / teiler, 1e-4) << w.minute;
        EXPECT_EQ(std::max_element(y.begin(), y.end()) - y.begin(), 108);
        EXPECT_GT(y[416], 0);
        for (int t = 417; t <= 420; ++t) EXPECT_EQ(y[static_cast<std::size_t>(t)], 0) << t;
        EXPECT_EQ(*std::min_element(y.begin(), y.end()), 0);
        EXPECT_EQ(diagram::frmTGraph2D::Geladen()->Chart()->AxisTitle(platform::ChartAxis::Y), titel);
    }

    // A further drink the next day lies beyond the curve: the curve stays as it was, the table as typed.
    Type("txtGlasVol(4)", "500");
    Type("txtAlkGehalt(4)", "5");
    for (const char* start : {"1440", "1E5"}) {
        SCOPED_TRACE(start);
        Type("txtStartZeit(4)", start);
        ASSERT_TRUE(Draw()) << rec.Last().prompt;
        EXPECT_EQ(CurveY(), y);
        EXPECT_EQ(Text("txtStartZeit(4)"), start);
    }
}

// Curves are added only to an open diagram; refusals and a failed computation leave it as it was.
TEST_P(BloodAlcoholWindowTest, AddedCurvesRefusalsAndAFailedComputationLeaveTheOpenDiagramAndItsCurves) {
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(Activate());
    ASSERT_TRUE(Draw());
    frmBlutalkohol::Geladen()->Form_Activate();
    auto* box = C<QCheckBox>("chkDelDiagram");
    EXPECT_FALSE(box->isHidden());
    box->click();
    Click("optrWert(1)");
    ASSERT_TRUE(Draw());
    box->click();  // cleared: the next drawing starts a new diagram
    ASSERT_EQ(nKurven, 2);
    const std::vector<double> kurve1 = CurveY(1), kurve2 = CurveY(2);
    ASSERT_FALSE(kurve2.empty());
    // Refusals of a text pasted past the key filter: the message, the focus back on the field.
    const std::tuple<const char*, const char*, const char*, const char*> ablehnungen[] = {
        {"txtKoerpermasse", "0", "keine gültige Eingabe", "58"},
        {"txtKoerpermasse", "-58", "keine gültige Eingabe", "58"},
        {"txt_tmaxGraph", "0", "- x-Achse(max) muss zwischen 1 und 999 min liegen", "600"}};
    for (const auto& [feld, text, meldung, gut] : ablehnungen) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        C(feld)->selectAll();
        QTest::keyClick(C(feld), Qt::Key_V, Qt::ControlModifier);
        ASSERT_EQ(Text(feld), text);
        C("txt_r(1)")->setFocus();
        EXPECT_FALSE(Draw());
        ExpectRefusal(meldung);
        EXPECT_TRUE(C(feld)->hasFocus()) << feld;
        EXPECT_EQ(std::tuple(nKurven, CurveY(1), CurveY(2)), std::tuple(2, kurve1, kurve2));  // still open
        Type(feld, gut);
    }

    // A glass beyond any measure: the computation fails.
    Type("txtGlasVol(2)", "1E39");
    Type("txtAlkGehalt(2)", "5");
    Type("txtStartZeit(2)", "30");
    EXPECT_FALSE(Draw());
    ExpectRefusal("Berechnungsfehler aufgetreten");
    EXPECT_EQ(std::tuple(nKurven, CurveY(1), CurveY(2)), std::tuple(2, kurve1, kurve2));

    // Sound inputs draw again, into a new diagram.
    Type("txtGlasVol(2)", "500");
    EXPECT_TRUE(Draw()) << rec.Last().prompt;
    EXPECT_EQ(nKurven, 1);

    // Closed diagram with the box still ticked: one new curve, not a doubled one.
    frmBlutalkohol::Geladen()->Form_Activate();
    box->click();
    ASSERT_TRUE(Draw());
    ASSERT_EQ(nKurven, 2);
    Click("cmdCloseGraph");
    EXPECT_TRUE(box->isHidden());
    EXPECT_EQ(KurvenHinzufuegen, kTrue);
    ASSERT_TRUE(Draw());
    ASSERT_TRUE(platform::Windows().IsLoaded("frmTGraph2D"));
    EXPECT_EQ(nKurven, 1);
}

INSTANTIATE_TEST_SUITE_P(Locales, BloodAlcoholWindowTest, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);
