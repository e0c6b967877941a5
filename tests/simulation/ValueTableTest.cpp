// The value table: its text built from the shared curve arrays, and the window's save command
// (edits kept until a resize, the written file, write errors reported).
#include <QDir>
#include <QPlainTextEdit>
#include <QFile>
#include <QPrinter>

#include <cmath>
#include <sstream>

#include <unistd.h>

#include "simulation/frmSimTabelle.h"
#include "tests/simulation/CalcWindowTestSupport.h"
#include "tests/support/TextSplit.h"

namespace {

using namespace kernel;

std::vector<std::string> Lines(const std::string& text) { return testsupport::Split(text, "\r\n"); }

// The tab-separated cells of a table row, after its six leading characters.
std::vector<std::string> Cells(const std::string& line) { return testsupport::Split(line, "\t", 6); }

std::string Pad(const std::string& s) { return s + std::string(14 - s.size(), ' '); }

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

TEST_F(ValueTableTest, ConcentrationTableOfTwoSpecies) {
    const std::vector<std::string> lines = Lines(frmSimTabelle::BuildTableText());
    ASSERT_EQ(lines.size(), 3u + 201u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "      " + Pad(" t/s") + "\t" + Pad("cA/(mol/L)") + "\t" + Pad("") + "\t" + Pad("") + "\t" +
                            Pad("cP/(mol/L)"));
    EXPECT_EQ(lines[2], "");
    for (std::size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(0, 6), "      ");
        const std::vector<std::string> cells = Cells(lines[i]);
        ASSERT_EQ(cells.size(), 5u) << lines[i];
        for (const std::string& c : cells) EXPECT_EQ(c.size(), 14u);
    }
    // t = 10: exp(-1) and 1 - exp(-1) as single-precision values, seven significant digits.
    EXPECT_EQ(Cells(lines[3 + 100]), (std::vector<std::string>{Pad("10.00"), Pad("0.3678795"), Pad(""), Pad(""),
                                                               Pad("0.6321205")}));
    EXPECT_EQ(Cells(lines.back())[0], Pad("20.00"));
}

TEST_F(ValueTableTest, RateTableHeadersAreCutToFourteenCharacters) {
    RateDiagramm = kTrue;
    aktModell = 1;
    std::vector<std::string> lines = Lines(frmSimTabelle::BuildTableText());
    ASSERT_EQ(lines.size(), 4u + 201u);
    EXPECT_EQ(Cells(lines[1])[1], "r(A)/(mol/L/s)");
    EXPECT_EQ(lines[2] + lines[3], "");
    EXPECT_EQ(Cells(lines[4 + 100])[1], Pad("-0.03678795"));
    ZeitEinheit = "min";
    lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[1])[0], Pad(" t/min"));
    EXPECT_EQ(Cells(lines[1])[1], "r(A)/(mol/L/mi");
    EXPECT_EQ(Cells(lines[1])[4], "r(P)/(mol/L/mi");
}

TEST_F(ValueTableTest, ColumnsFollowTheSpeciesOfTheModel) {
    for (int s = 1; s <= 5; ++s) cKurve(s)[100] = s;  // tells the arrays apart
    aktModell = 19;
    std::vector<std::string> lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[1]), (std::vector<std::string>{Pad(" t/s"), Pad("cA/(mol/L)"), Pad("cB/(mol/L)"),
                                                         Pad("cP/(mol/L)"), Pad("cQ/(mol/L)")}));
    EXPECT_EQ(Cells(lines[103]), (std::vector<std::string>{Pad("10.00"), Pad("1"), Pad("2"), Pad("4"), Pad("5")}));
    aktModell = 10;
    lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[1]), (std::vector<std::string>{Pad(" t/s"), Pad("cE/(mol/L)"), Pad("cS/(mol/L)"),
                                                         Pad("cES/(mol/L)"), Pad("cP/(mol/L)")}));
    EXPECT_EQ(Cells(lines[103]), (std::vector<std::string>{Pad("10.00"), Pad("1"), Pad("2"), Pad("3"), Pad("4")}));
    aktModell = 11;
    lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[103]), (std::vector<std::string>{Pad("10.00"), Pad("1"), Pad(""), Pad("4"), Pad("5")}));
}

TEST_F(ValueTableTest, EnzymeTableShowsTheRelativeRateOnly) {
    aktModell = 10;
    MMDiagramm = kTrue;
    RateDiagramm = kTrue;  // the enzyme table wins
    std::vector<std::string> lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[1]), (std::vector<std::string>{"c(S))/KM (norm", Pad(""), Pad(""), Pad(""), Pad("rP/rP,max")}));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(Cells(lines[4 + 100]), (std::vector<std::string>{Pad("10.00"), Pad(""), Pad(""), Pad(""), Pad("0.03678795")}));
    MMNormiert = kFalse;
    lines = Lines(frmSimTabelle::BuildTableText());
    EXPECT_EQ(Cells(lines[1])[0], "c(S))/ (mol/L)");
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

TEST_F(ValueTableTest, SaveWritesOneQuotedLine) {
    frmSimTabelle* t = Open();
    t->txtSimTabelle->setPlainText("\nZeit\tc(Ä)");  // an edit is saved, umlaut in Windows-1252
    const std::string path = AppPath + "/WERTE.TXT";
    dialogs.saveAnswer = path;
    t->cmdSaveTable->click();
    EXPECT_TRUE(rec.Empty());
    EXPECT_EQ(testsupport::Bytes(path), "\"\r\nZeit\tc(\xC4)\"\r\n");
    EXPECT_EQ(TabellenDatei, "WERTE.TXT");
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    EXPECT_EQ(dialogs.saveRequests[0].caption, "Tabelle speichern unter ...");
    EXPECT_EQ(dialogs.saveRequests[0].directory, AppPath);

    // The next save proposes the last file; Cancel there writes nothing and says nothing.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    dialogs.saveAnswer = "";
    t->cmdSaveTable->click();
    ASSERT_EQ(dialogs.saveRequests.size(), 2u);
    EXPECT_EQ(dialogs.saveRequests[1].proposal, AppPath + "/WERTE.TXT");
    EXPECT_TRUE(rec.Empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ValueTableTest, WriteErrorIsReportedAndTheOldFileKept) {
    frmSimTabelle* t = Open();
    const std::string missing = AppPath + "/fehlt/WERTE.TXT";
    dialogs.saveAnswer = missing;
    t->cmdSaveTable->click();
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().style, 16);
    EXPECT_NE(rec.Last().prompt.find("WERTE.TXT"), std::string::npos);
    EXPECT_EQ(TabellenDatei, "WERTE.TXT");

    // An existing file that cannot be replaced keeps its content.
    const std::string folder = AppPath + "/gesperrt";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    {
        std::ofstream(folder + "/ALT.TXT") << "alt";
    }
    QFile::setPermissions(QString::fromStdString(folder), QFile::ReadOwner | QFile::ExeOwner);
    dialogs.saveAnswer = folder + "/ALT.TXT";
    t->cmdSaveTable->click();
    QFile::setPermissions(QString::fromStdString(folder),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (::geteuid() != 0) {  // the super-user writes anyway
        EXPECT_EQ(rec.Messages().size(), 2u);
        EXPECT_EQ(testsupport::Bytes(folder + "/ALT.TXT"), "alt");
    }
}

}  // namespace
