// The time-simulation window: input checks, the calculation-failure path, the Michaelis-Menten
// frame and the t(max)/k boxes (drawing and adding curves: the end-to-end road). Its value table:
// the text built from the shared curve arrays, and the table window's save command (edits kept until
// a resize, the written file, write errors reported).
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>

#include <cmath>

#include "simulation/frmPrepareTimeDiagram.h"
#include "simulation/frmSimTabelle.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/TextSplit.h"

namespace {

using namespace kernel;

const std::string kCrLf = "\r\n";

class TimeSimulationTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        Menu("mnuctGraph");  // the time window and the model window, as the menu opens them
        w = qobject_cast<frmPrepareTimeDiagram*>(platform::Windows().Get("frmPrepareTimeDiagram"));
        ASSERT_NE(w, nullptr);
    }
    static void Model(int m) { simtest::ChooseModel(m); }
    static void Enter(QWidget* box, const QString& text) { simtest::Type(box, text); }
    void Inputs(std::initializer_list<const char*> c0, const char* tmax, std::initializer_list<const char*> k) {
        int i = 0;
        for (const char* v : c0) Enter(w->Inp[i++], v);
        Enter(w->kCombo[0], tmax);
        i = 1;
        for (const char* v : k) Enter(w->kCombo[i++], v);
    }
    static QWidget* Diagramm() { return platform::Windows().Get("frmTGraph2D"); }

    frmPrepareTimeDiagram* w = nullptr;
};

// ---- Input checks ----------------------------------------------------------------------------

// Every complaint in one box, in order; nothing is drawn.
TEST_F(TimeSimulationTest, ComplaintsAreListedInOneMessage) {
    Model(2);
    Inputs({""}, "", {""});
    w->cmdDrawctDiagram->click();
    EXPECT_EQ(rec.OnlyMessage(), " Ausführung nicht möglich |- noch keine gültige Eingabe einer Anfangskonzentration c(A,0)" +
                                     kCrLf + "- Zeit-Vorgabe nicht in Ordnung" + kCrLf +
                                     "- Geschwindigkeitskonstante k1 muss größer Null sein" + kCrLf);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(Diagramm(), nullptr);

    rec.Clear();
    Model(19);  // needs B, or P and Q
    Inputs({"1", "0", "", "0", "0"}, "20", {"0.1", "0.01"});
    w->cmdDrawctDiagram->click();
    EXPECT_EQ(rec.OnlyPrompt(), "- noch keine gültige Eingabe einer Anfangskonzentration c(B,0)" + kCrLf +
                                     "- Eingangskonzentration für Stoff B oder Stoffe P und Q angeben!" + kCrLf);
}

TEST_F(TimeSimulationTest, ZeroK2IsRefusedByTheDrawButtonOnlyWhileFitting) {
    Model(6);
    Inputs({"1"}, "20", {"0.1", "0"});
    w->cmdDrawctDiagram->click();
    EXPECT_TRUE(rec.Empty());
    DiagVariante = 1;
    w->cmdDrawctDiagram->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    const std::string k2 = "- Geschwindigkeitskonstante k2 muss größer Null sein" + kCrLf +
                           "  (Sie können aber einen extrem kleinen Wert eingeben)" + kCrLf;
    EXPECT_EQ(rec.Last().prompt, k2);
    DiagVariante = 0;
    w->cmdListe->click();
    ASSERT_EQ(rec.Messages().size(), 2u);
    EXPECT_EQ(rec.Last().prompt, k2);
}

// A failure is reported under the button's name; the old diagram stays with its curves, and no table
// is shown: A <=> P with k1 + k2 = 0 divides its closed form by zero, model 19 with c(A,0) = c(B,0)
// and k2 = 0 has no solution of its closed form (a failure returned, not thrown), rates beyond the
// range of a Double overflow the integrator. (Which inputs fail: the time course's own test.)
TEST_F(TimeSimulationTest, FailedCalculationIsReportedAndDrawsNothing) {
    Model(8);
    Inputs({"1", "", "", "0"}, "20", {"0.1", "0.05"});
    w->cmdDrawctDiagram->click();
    ASSERT_TRUE(rec.Empty());
    QWidget* alt = Diagramm();
    ASSERT_NE(alt, nullptr);
    const int kurven = nKurven;
    Enter(w->kCombo[2], "-0.1");
    w->cmdDrawctDiagram->click();
    testsupport::Flush();
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdDrawctDiagram|Berechnungsfehler aufgetreten");
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_EQ(Diagramm(), alt);
    EXPECT_EQ(nKurven, kurven);

    platform::Windows().Unload("frmTGraph2D");
    testsupport::Flush();
    rec.Clear();
    Model(19);
    Inputs({"1", "1", "", "0", "0"}, "20", {"0.1", "0"});
    w->cmdDrawctDiagram->click();
    EXPECT_EQ(rec.OnlyPrompt(), "Berechnungsfehler aufgetreten");
    EXPECT_EQ(Diagramm(), nullptr);

    rec.Clear();
    Model(7);
    Inputs({"1E200", "1E200"}, "20", {"1E200", "1E200"});
    bool tableShown = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* t = platform::Windows().Get("frmSimTabelle")) {
            tableShown = true;
            t->close();
        }
    });
    w->cmdListe->click();
    testsupport::Flush();
    EXPECT_EQ(rec.OnlyMessage(), "Meldung von Sub cmdListe|Berechnungsfehler aufgetreten");
    EXPECT_FALSE(tableShown);
}

// ---- Michaelis-Menten frame --------------------------------------------------------------------

TEST_F(TimeSimulationTest, MichaelisConstantTableAndDiagramWithAndWithoutNormalising) {
    Model(10);
    Inputs({"0.5", "5"}, "20", {"0.1", "0.01", "0.005"});
    // KM = (k< + k3) / k> = 0.015 / 0.1
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);
    EXPECT_EQ(w->lblMichaelisK1->text().toStdString(), "Michaelis-Konstante KM/(mol/L) = (k< + k3) / k> =0.15");
    Enter(w->kCombo[1], "0");
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);
    Enter(w->kCombo[1], "");
    EXPECT_NEAR(KMichaelis, 0.15, 1e-12);

    // The enzyme table is shown in the Michaelis mode, which ends with the table.
    Enter(w->kCombo[1], "0.1");
    int modeWhileShown = 0;
    QTimer::singleShot(0, [&] {
        modeWhileShown = MMDiagramm;
        if (QWidget* t = platform::Windows().Get("frmSimTabelle")) t->close();
    });
    w->cmdMichaelisListe->click();
    testsupport::Flush();
    EXPECT_EQ(modeWhileShown, kTrue);
    EXPECT_EQ(MMDiagramm, kFalse);
    EXPECT_FALSE(platform::Windows().IsLoaded("frmSimTabelle"));

    // The diagram needs a positive axis end unless normalised.
    w->chkNormiert->setChecked(false);
    w->chkNormiert_Click();
    Enter(w->txtS0max, "0");
    w->cmdMMdiagram->click();
    EXPECT_EQ(rec.OnlyPrompt(), "- c(S),max muss größer Null sein" + kCrLf);
    EXPECT_EQ(Diagramm(), nullptr);

    w->chkNormiert->click();  // normalised: the axis runs over c(S)/KM and needs no c(S),max
    w->cmdMMdiagram->click();
    EXPECT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(Diagramm(), nullptr);
    EXPECT_EQ(MMNormiert, kTrue);
}

// ---- t(max) and k boxes ---------------------------------------------------------------------------

TEST_F(TimeSimulationTest, KeyFilterOfTheComboBoxes) {
    Model(2);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    Enter(w->kCombo[1], "1,5x");
    EXPECT_EQ(w->kCombo[1]->currentText(), "1.5");
    EXPECT_DOUBLE_EQ(kWert[1], 1.5);
    Enter(w->kCombo[0], "2e1");
    EXPECT_DOUBLE_EQ(tMax, 20.0);

    w->kCombo[0]->setFocus();
    QTest::keyClick(w->kCombo[0], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());
    EXPECT_EQ(w->kCombo[0]->currentText(), "2e1");  // Enter is not inserted into the list
    // Model 2 has k1 only: Enter in k1 would move to the hidden k2 and stays.
    QTest::keyClick(w->kCombo[1], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());

    Model(10);
    w->kCombo[3]->setFocus();
    QTest::keyClick(w->kCombo[3], Qt::Key_Return);
    EXPECT_TRUE(w->kCombo[1]->hasFocus());
}

// ---- Value table ---------------------------------------------------------------------------------

std::vector<std::string> Lines(const std::string& text) { return testsupport::Split(text, "\r\n"); }

// The tab-separated cells of a table row, after its six leading characters.
std::vector<std::string> Cells(const std::string& line) { return testsupport::Split(line, "\t", 6); }

std::string Pad(const std::string& s) { return s + std::string(14 - s.size(), ' '); }
std::vector<std::string> Padded(std::vector<std::string> cells) {
    for (std::string& cell : cells) cell = Pad(cell);
    return cells;
}

class ValueTableTest : public simtest::SimWindowTest {
protected:
    void SetUp() override {
        SimWindowTest::SetUp();
        // A first-order decay over 20 s with k = 0.1: c(A) = exp(-t/10), c(P) = 1 - c(A).
        nZeitPunkte = 200;
        RedimCurves(202);
        for (int i = 0; i <= nZeitPunkte; ++i) {
            const auto j = static_cast<std::size_t>(i);
            tWerte[j] = 0.1 * i;
            cKurveA[j] = std::exp(-tWerte[j] / 10);
            cKurveP[j] = 1 - cKurveA[j];
            rKurveA[j] = static_cast<float>(-cKurveA[j] / 10);
            rKurveP[j] = static_cast<float>(cKurveA[j] / 10);
            for (int species : {2, 3, 5}) cKurve(species)[j] = species;  // tell the other columns apart
        }
    }
    void TearDown() override {
        frmSimTabelle::SetPrinterSetup(nullptr);
        SimWindowTest::TearDown();
    }
    frmSimTabelle* Open() {
        auto* t = qobject_cast<frmSimTabelle*>(platform::Windows().Load("frmSimTabelle"));
        t->show();
        return t;
    }
};

// ---- Table text ------------------------------------------------------------------------------

// Each kind of table and the species columns of several models: the header row, blank lines up to
// point 0, and the row of t = 10 (point 100), every row six blanks and five cells of fourteen characters.
TEST_F(ValueTableTest, HeaderAndValuesFollowTheKindOfTableAndTheModel) {
    struct Case {
        int model, rate, enzyme, normalised;
        const char* unit;
        std::vector<std::string> header, row;  // unpadded
        std::size_t firstRow;                  // the line of point 0
    };
    const Case cases[] = {
        // exp(-1) and 1 - exp(-1) as single-precision values, seven significant digits.
        {2, 0, 0, kTrue, "s", {" t/s", "cA/(mol/L)", "", "", "cP/(mol/L)"}, {"10.00", "0.3678795", "", "", "0.6321205"}, 3},
        {19, 0, 0, kTrue, "s", {" t/s", "cA/(mol/L)", "cB/(mol/L)", "cP/(mol/L)", "cQ/(mol/L)"},
         {"10.00", "0.3678795", "2", "0.6321205", "5"}, 3},
        {11, 0, 0, kTrue, "s", {" t/s", "cA/(mol/L)", "", "cP/(mol/L)", "cQ/(mol/L)"},
         {"10.00", "0.3678795", "", "0.6321205", "5"}, 3},
        {10, 0, 0, kTrue, "s", {" t/s", "cE/(mol/L)", "cS/(mol/L)", "cES/(mol/L)", "cP/(mol/L)"},
         {"10.00", "0.3678795", "2", "3", "0.6321205"}, 3},
        // Rate headers are cut to fourteen characters.
        {1, kTrue, 0, kTrue, "s", {" t/s", "r(A)/(mol/L/s)", "", "", "r(P)/(mol/L/s)"}, {"10.00", "-0.03678795", "", "", "0.03678795"}, 4},
        {1, kTrue, 0, kTrue, "min", {" t/min", "r(A)/(mol/L/mi", "", "", "r(P)/(mol/L/mi"}, {"10.00", "-0.03678795", "", "", "0.03678795"}, 4},
        // The enzyme table shows the relative rate only, also over the rate diagram.
        {10, kTrue, kTrue, kTrue, "s", {"c(S))/KM (norm", "", "", "", "rP/rP,max"}, {"10.00", "", "", "", "0.03678795"}, 4},
        {10, kTrue, kTrue, kFalse, "s", {"c(S))/ (mol/L)", "", "", "", "rP/rP,max"}, {"10.00", "", "", "", "0.03678795"}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + c.header[0] + " " + c.header[4]);
        aktModell = c.model;
        RateDiagramm = c.rate;
        MMDiagramm = c.enzyme;
        MMNormiert = c.normalised;
        ZeitEinheit = c.unit;
        const std::vector<std::string> lines = Lines(frmSimTabelle::BuildTableText());
        ASSERT_EQ(lines.size(), c.firstRow + 201u);
        EXPECT_EQ(Cells(lines[1]), Padded(c.header));
        for (std::size_t i = 0; i < c.firstRow; ++i) EXPECT_EQ(lines[i].empty(), i != 1) << i;
        EXPECT_EQ(Cells(lines[c.firstRow + 100]), Padded(c.row));
        EXPECT_EQ(Cells(lines.back())[0], Pad("20.00"));
        for (std::size_t i = c.firstRow; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].substr(0, 6), "      ");
            const std::vector<std::string> cells = Cells(lines[i]);
            ASSERT_EQ(cells.size(), 5u) << lines[i];
            for (const std::string& cell : cells) EXPECT_EQ(cell.size(), 14u);
        }
    }
}

// ---- Window --------------------------------------------------------------------------------------

TEST_F(ValueTableTest, EditsLastUntilTheNextResize) {
    frmSimTabelle* t = Open();
    EXPECT_EQ(t->SimTabelleText(), frmSimTabelle::BuildTableText());
    t->txtSimTabelle->setPlainText("\nkurz\tbearbeitet");
    EXPECT_EQ(t->SimTabelleText(), "\r\nkurz\tbearbeitet");
    t->resize(t->width(), t->height() + 40);
    EXPECT_EQ(t->SimTabelleText(), frmSimTabelle::BuildTableText());
    // A window lower than the text box's margins keeps working.
    t->resize(t->width(), 50);
    EXPECT_EQ(t->SimTabelleText(), frmSimTabelle::BuildTableText());
}

TEST_F(ValueTableTest, SaveWritesOneQuotedLineAndReportsAWriteError) {
    frmSimTabelle* t = Open();
    t->txtSimTabelle->setPlainText("\nZeit\tc(Ä)");  // an edit is saved, umlaut in Windows-1252
    const std::string path = AppPath + "/WERTE.TXT";
    dialogs.saveAnswer = path;
    t->cmdSaveTable->click();
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(testsupport::Bytes(path), "\"\r\nZeit\tc(\xC4)\"\r\n");
    EXPECT_EQ(TabellenDatei, "WERTE.TXT");
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(std::pair(dialogs.saveRequests[0].caption, dialogs.saveRequests[0].directory),
              std::pair(std::string("Tabelle speichern unter ..."), AppPath));

    // The next save proposes the last file; Cancel there writes nothing and says nothing.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    dialogs.saveAnswer = "";
    t->cmdSaveTable->click();
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[1].proposal, AppPath + "/WERTE.TXT");
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"tarvelo.qch"});  // the help file only

    // A file that cannot be written is reported and still named (the writer keeps an old file: its own test).
    dialogs.saveAnswer = AppPath + "/fehlt/FEHLT.TXT";
    t->cmdSaveTable->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_NE(rec.Last().prompt.find("FEHLT.TXT"), std::string::npos);
    EXPECT_EQ(TabellenDatei, "FEHLT.TXT");
}

}  // namespace
