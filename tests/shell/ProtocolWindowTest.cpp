// The result protocol window: recording rows of the open reactor, the CSV file byte by byte with
// each separator and locale, the clipboard text, and what closing and reopening keep.
#include <QDate>

#include "kernel/ResultRows.h"
#include "platform/Help.h"
#include "platform/core/TextFile.h"
#include "shell/ProtocolName.h"
#include "tests/support/ProgramTest.h"

namespace {

using namespace kernel;
using testsupport::Control;

class ProtocolWindowTest : public testsupport::ProgramTest {
protected:
    void SetUp() override {
        shell::SetProtDate(2026, 12, 6);
        ProgramTest::SetUp();
        KurvenMaske = "10010";
    }
    void TearDown() override {
        ProgramTest::TearDown();
        shell::SetProtDate(0, 0, 0);
    }

    // A reactor window as the protocol sees it: a name and a protocol button it disabled.
    QPushButton* OpenCaller(const char* name) {
        auto* caller = new QWidget;
        auto* button = new QPushButton("Protokoll", caller);
        button->setObjectName("cmdProtocol");
        button->setEnabled(false);
        platform::Windows().Adopt(name, caller);
        return button;
    }
    QWidget* Open() { return platform::Windows().Show("frmProtokoll"); }
    static void Press(const char* button) { testsupport::Click("frmProtokoll", button); }

    static std::string Read(const std::string& name) { return testsupport::Bytes(AppPath + "/" + name); }
    static std::string Head(const std::string& reactor, const std::string& unitTail = "",
                            const std::string& model = "A => P   (n = 1)", const std::string& u = "s") {
        return "TARVELO: Kinetics of chemical reactions\r\nRecord from 12-06-2026\r\n" + reactor +
               "kinetic model: " + model + "\r\n"
               "units: [c(i)] = mol/L   [k_1stO] = 1/" + u + "    [k_2ndO] = L/(mol " + u + ")   [U(A)] = 1    [t] = " +
               u + unitTail + "\r\n         [l] = m     [V] = m^3     [v] = m/" + u + "    [V*} = m^3/" + u +
               "    [ksi()] = mol/L   (extent of reaction)\r\n\r\n";
    }
    // A batch result of A => P: c(A) 1 -> 0.5 at k1 = 0.15 within t = ln 2 / 0.15.
    static ProtokollZeile BatchRow() {
        ProtokollZeile r{};
        r[1] = 1, r[6] = r[9] = r[14] = r[20] = 0.5f, r[11] = 0.15f, r[15] = 4.620981f;
        return r;
    }

};

// Names: the date of the day and the first counter whose file does not exist; none when all 99 are
// taken; the program starts with today's first free name.
TEST_F(ProtocolWindowTest, NamesTakeTheFirstFreeCounterOfTheDay) {
    std::string name;
    for (const char* taken : {"26030701.CSV", "26030702.CSV", "26030704.CSV", "26030601.CSV"})
        testsupport::WriteBytes(Path(taken), "");
    for (const auto& [year, month, day, expected] : {std::tuple{2026, 3, 7, "26030703.CSV"}, {2026, 3, 8, "26030801.CSV"},
                                                      {2009, 12, 31, "09123101.CSV"}}) {
        ASSERT_TRUE(shell::AutoProtName(year, month, day, name));
        EXPECT_EQ(name, expected);
    }
    EXPECT_TRUE(rec.Empty());

    for (int i = 1; i <= 99; ++i)
        testsupport::WriteBytes(Path(QStringLiteral("261206%1.CSV").arg(i, 2, 10, QChar('0')).toStdString()), "");
    name = "vorher";
    EXPECT_FALSE(shell::AutoProtName(2026, 12, 6, name));
    EXPECT_EQ(name, "");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("Alle 99"), std::string::npos);
    // The 100th name would need three digits: never made, nothing reused.
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("26120600.CSV"))));

    shell::SetProtDate(2031, 1, 2);
    testsupport::WriteBytes(Path("31010201.CSV"), "x");
    Start();
    EXPECT_EQ(ProtFile, "31010202.CSV");
    MDITAR::SetAutoProtName(name);
    EXPECT_EQ(name, "31010202.CSV");
}

// The whole road of a batch result under the C locale and a German one (values with a decimal comma).
using ProtocolRoad = testsupport::InBothLocales<ProtocolWindowTest>;

TEST_P(ProtocolRoad, BatchResultWritesMaskedColumnsTabbedClipboardAndClosingWrites) {
    QPushButton* callerButton = OpenCaller("frmBatch");
    SetzeErgebnisZeilen("frmBatch", 3, {BatchRow()});
    Open();
    EXPECT_FALSE(Control<QPushButton>("frmProtokoll", "cmdOpenNew")->isEnabled());
    Press("cmdRecordResult");
    EXPECT_TRUE(Control<QPushButton>("frmProtokoll", "cmdOpenNew")->isEnabled());
    Press("cmdOpenNew");

    // no. casc, c(B), c(C), c(Q), k2, k3, l, V, V*, v and ksi(2) carry nothing.
    const std::string expected = Head("Calculation of a Batch Reactor\r\n") +
                                 "c_beg(A);c_beg(P);c_end(A);c_end(P);k1;U(A);t; ksi(1);\r\n" +
                                 testsupport::InLocale("1;0;0.5;0.5;0.15;0.5;4.620981;0.5;\r\n");
    EXPECT_EQ(Read("26120601.CSV"), expected);
    QString tabbed = QString::fromStdString(expected);
    tabbed.replace(';', '\t');
    EXPECT_EQ(QApplication::clipboard()->text(), tabbed);
    // The file is closed: nothing to close until the next row.
    EXPECT_EQ(std::make_pair(ProtZeilen, Control<QPushButton>("frmProtokoll", "cmdOpenNew")->isEnabled()),
              std::make_pair(0, false));
    EXPECT_EQ(Control<QLabel>("frmProtokoll", "lblProtText2")->text(), "26120602.CSV");  // 01 is taken now
    EXPECT_TRUE(rec.Empty());

    // Closing writes what was recorded and gives the reactor its button back.
    Control<QComboBox>("frmProtokoll", "cmbSep")->setCurrentIndex(1);
    Press("cmdRecordResult");
    Press("cmdClose");
    EXPECT_FALSE(platform::Windows().IsLoaded("frmProtokoll"));
    EXPECT_TRUE(callerButton->isEnabled());
    EXPECT_NE(Read("26120602.CSV").find(testsupport::InLocale("k1,U(A),t, ksi(1),\r\n1,0,0.5,")), std::string::npos);
    EXPECT_EQ(ProtFile, "26120603.CSV");

    // Reopening resets the separator; a reactor whose result is gone, or rows another window left,
    // give the note and no row; closing without rows writes nothing.
    callerButton->setEnabled(false);
    VerwirfErgebnisZeilen("frmBatch");
    Open();
    EXPECT_EQ(ProtSep, ";");
    EXPECT_EQ(Control<QComboBox>("frmProtokoll", "cmbSep")->currentText(), "Semikolon");
    rec.Clear();
    Press("cmdRecordResult");
    SetzeErgebnisZeilen("frmRKconti", 2, {BatchRow()});
    VerwirfErgebnisZeilen("frmBatch");  // a refresh of another window leaves them
    EXPECT_EQ(ErgebnisZeilenVon("frmRKconti").size(), 1u);
    Press("cmdRecordResult");
    ErgebnisZeilen.assign(1, BatchRow());  // rows without a writer
    Press("cmdRecordResult");
    EXPECT_EQ(ProtZeilen, 0);
    ASSERT_EQ(rec.Messages().size(), 3u);
    for (const auto& m : rec.Messages())
        EXPECT_EQ(std::tuple(m.title, m.prompt, m.style),
                  std::tuple("Hinweis", "Kein aktuelles Ergebnis vorhanden.", platform::MsgInformation));
    Press("cmdHelp");
    EXPECT_EQ(platform::ShownHelpTopic(), "protokoll.html");
    platform::Windows().Unload("frmProtokoll");
    EXPECT_TRUE(callerButton->isEnabled());
    EXPECT_FALSE(platform::FileExistsAt(AppPath + "/26120603.CSV"));
}

INSTANTIATE_TEST_SUITE_P(Locales, ProtocolRoad, testing::ValuesIn(testsupport::AllNumberLocales),
                         testsupport::NumberLocaleName);

TEST_F(ProtocolWindowTest, CascadeRecordsEveryStageWithTabsAndTheLocaleCommaAndACommaSeparatorWarns) {
    OpenCaller("frmKaskade");
    platform::SetLocaleDecimalSeparator(',');
    DezKomma = kTrue;
    nKaskade = 3;
    std::vector<ProtokollZeile> stages(4, ProtokollZeile{});  // the last row stays zero
    for (int s = 0; s < 3; ++s) {
        ProtokollZeile& r = stages[static_cast<std::size_t>(s)];
        r[0] = static_cast<float>(s + 1);
        r[1] = 1.0f / static_cast<float>(1 << s);
        r[6] = r[1] / 2;
        r[15] = 2.5f;
    }
    SetzeErgebnisZeilen("frmKaskade", 5, stages, 3);
    Open();
    // A comma between values with decimal commas draws a warning; the stages are recorded all the same.
    Control<QComboBox>("frmProtokoll", "cmbSep")->setCurrentIndex(1);
    Press("cmdRecordResult");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_EQ(rec.Last().prompt,
              "Bei Computereinstellung \"Deutschland\" (Dezimalzeichen Komma)\r\n"
              "ist Komma als Dateitrennzeichen nicht sinnvoll; der Clipboard-Inhalt\r\n"
              "ist nicht mehr Excel-kompatibel.\r\nEmpfehlung: Semikolon");
    Control<QComboBox>("frmProtokoll", "cmbSep")->setCurrentIndex(2);
    EXPECT_EQ(ProtSep, "\t");
    Press("cmdRecordResult");  // a second press adds the three stages again
    EXPECT_EQ(ProtZeilen, 6);
    Press("cmdOpenNew");

    // c(P) is in the mask although no stage produced any: the mask decides for species columns.
    std::string rows;
    for (int press = 0; press < 2; ++press)
        rows += "1\t1\t0\t0,5\t0\t2,5\t\r\n2\t0,5\t0\t0,25\t0\t2,5\t\r\n3\t0,25\t0\t0,125\t0\t2,5\t\r\n";
    EXPECT_EQ(Read("26120601.CSV"), Head("Calculation of a Stirred Tank-in-series Reactor\r\n", "  (time in each tank)") +
                                        "no. casc\tc_beg(A)\tc_beg(P)\tc_end(A)\tc_end(P)\tt\t\r\n" + rows);
    // With Tab as separator the clipboard holds the file's text unchanged.
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), Read("26120601.CSV"));
    EXPECT_EQ(rec.Messages().size(), 1u);  // Tab draws no warning
}

TEST_F(ProtocolWindowTest, ColumnsFollowTheValuesAndCancellingValuesKeepTheirColumn) {
    OpenCaller("frmBatch");
    KurvenMaske = "0000";  // a short mask selects no species column
    Open();
    ProtokollZeile row{};
    row[20] = 0.25f;
    row[1] = 1;
    SetzeErgebnisZeilen("frmBatch", 3, {row});
    Press("cmdRecordResult");
    row[20] = -0.25f;
    SetzeErgebnisZeilen("frmBatch", 3, {row});
    Press("cmdRecordResult");
    Press("cmdOpenNew");
    const std::string file = Read("26120601.CSV");
    EXPECT_NE(file.find("\r\n\r\n ksi(1);\r\n0.25;\r\n-0.25;\r\n"), std::string::npos) << file;
}

// Rows keep the model, species and unit they were computed with; a row of another kind closes the
// pending file first, so that each file is labelled by its own rows.
TEST_F(ProtocolWindowTest, RowsOfAnotherKindCloseThePendingFile) {
    OpenCaller("frmBatch");
    SetzeErgebnisZeilen("frmBatch", 3, {BatchRow()});
    Open();
    Press("cmdRecordResult");
    // A later change of model, mask or unit does not relabel the recorded rows ...
    aktModell = 4;
    ModellName[4] = "A + B => P";
    KurvenMaske = "11010";
    ZeitEinheit = "min";
    Press("cmdRecordResult");  // ... and the same result recorded again is of the same kind
    EXPECT_EQ(ProtZeilen, 2);
    ProtokollZeile second = BatchRow();
    second[2] = 2;
    SetzeErgebnisZeilen("frmBatch", 3, {second});
    Press("cmdRecordResult");
    EXPECT_EQ(std::tuple(ProtZeilen, ProtFile), std::tuple(1, "26120602.CSV"));
    EXPECT_EQ(Read("26120601.CSV"), Head("Calculation of a Batch Reactor\r\n") +
                                        "c_beg(A);c_beg(P);c_end(A);c_end(P);k1;U(A);t; ksi(1);\r\n" +
                                        "1;0;0.5;0.5;0.15;0.5;4.620981;0.5;\r\n"
                                        "1;0;0.5;0.5;0.15;0.5;4.620981;0.5;\r\n");
    Press("cmdClose");
    EXPECT_EQ(Read("26120602.CSV"), Head("Calculation of a Batch Reactor\r\n", "", "A + B => P", "min") +
                                        "c_beg(A);c_beg(B);c_beg(P);c_end(A);c_end(B);c_end(P);k1;U(A);t; ksi(1);\r\n"
                                        "1;2;0;0.5;0;0.5;0.15;0.5;4.620981;0.5;\r\n");
    EXPECT_TRUE(rec.Empty());
}

TEST_F(ProtocolWindowTest, FailedWriteKeepsTheRowsForTheNextTry) {
    OpenCaller("frmBatch");
    SetzeErgebnisZeilen("frmBatch", 3, {BatchRow()});
    const std::string goodDir = AppPath;
    AppPath = goodDir + "/missing";  // no such folder: the file cannot be written
    Open();
    Press("cmdRecordResult");
    Press("cmdOpenNew");
    ASSERT_FALSE(rec.Empty());
    EXPECT_EQ(rec.Last().style, platform::MsgCritical);
    EXPECT_EQ(std::tuple(ProtZeilen, ProtFile), std::tuple(1, "26120601.CSV"));
    EXPECT_TRUE(Control<QPushButton>("frmProtokoll", "cmdOpenNew")->isEnabled());

    AppPath = goodDir;
    Press("cmdOpenNew");
    EXPECT_NE(Read("26120601.CSV").find("1;0;0.5;0.5;0.15;0.5;4.620981;0.5;\r\n"), std::string::npos);
    EXPECT_EQ(ProtZeilen, 0);
}

}  // namespace
