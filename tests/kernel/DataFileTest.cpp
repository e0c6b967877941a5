#include <cstdio>
#include <limits>

#include "kernel/DataFile.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

namespace {

const std::string kHeader = "t, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)";

// Three rows in the number forms the original writer produced; comment with a Windows-1252 umlaut.
const std::string kSample =
    "Messung B\xE4r 1\r\n"
    "min\r\n" +
    kHeader + "\r\n"
    "3\r\n"
    "0,.5,-.25,0,0,0,5E-02,298.15,1.5,2.5,0,0,0\r\n"
    "1.5E+03,.25,0,0,.25,0,0,0,1.25,0,0,0,-1\r\n"
    "2, .125 ,0,0,.375,0,0,0,1,3,7,8,0\r\n";

// One row, or everything a load may change, exactly (hex floats).
std::string Dump(const ExpPunkt& p) {
    std::string s;
    char buf[40];
    for (double v : {p.t, p.c[1], p.c[2], p.c[3], p.c[4], p.c[5], p.T, p.k, double{p.lambda}, double{p.res3},
                     double{p.res4}, double(p.exclude)}) s += (std::snprintf(buf, sizeof buf, "%a,", v), buf);
    return s;
}
std::string Dump() {
    std::string s = DatenKommentar + "|" + ZeitEinheit + "|" + std::to_string(ZeitEinheitIdx) + "|" +
                    std::to_string(nMesspunkte) + "|" + std::to_string(lambdaInf) + "\n";
    for (const ExpPunkt& p : ExpDaten) s += Dump(p) + "\n";
    return s;
}

class DataFile : public ktest::TempDirTest {
protected:
    void SetUp() override { TempDirTest::SetUp(), testsupport::ResetStartState(); }
    void TearDown() override { TempDirTest::TearDown(), testsupport::ResetStartState(); }
    static int Load(const std::string& path, int append) {
        int loaded = 0;
        LoadExpFile(path, append, loaded);
        return loaded;
    }
    static int Write(const std::string& path) {
        int written = 0;
        WriteDataFile(path, written);
        return written;
    }
    // A small data set in memory to be kept or replaced.
    static void OneOldRow() {
        AddRow(7, {0.9, 0.1, 0, 0, 0}, 300, 0.5, 2.0f, kTrue);
        DatenKommentar = "alt";
        ZeitEinheit = "h";
        ZeitEinheitIdx = 2;
        lambdaInf = 4.0;
    }
};
}  // namespace

TEST_F(DataFile, ReplaceAndAppendLoadsReadEveryFieldInFileOrderAndPreviewReadsTheHead) {
    testsupport::MsgRecorder msgs;
    OneOldRow();
    const std::string oldRow = Dump(ExpDaten[1]), path = PutFile("a.TA3", kSample);
    EXPECT_EQ(Load(path, kFalse), kTrue);
    EXPECT_TRUE(msgs.Empty());
    ASSERT_EQ(nMesspunkte, 3);
    ASSERT_EQ(ExpDaten.size(), 4u);
    EXPECT_EQ(DatenKommentar, "Messung Bär 1");
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_EQ(ZeitEinheitIdx, 1);
    EXPECT_EQ(lambdaInf, 3.0);  // the last positive lambda_inf of the file
    // Fields t, c(1..5), T, k, lambda, (spare), res3, res4, exclude; k comes before T in the file.
    EXPECT_EQ(Dump(ExpDaten[1]), Dump({0, {0, 0.5, -0.25, 0, 0, 0}, 298.15, 0.05, 1.5f, 0, 0, 0, 0}));
    EXPECT_EQ(Dump(ExpDaten[2]), Dump({1500, {0, 0.25, 0, 0, 0.25, 0}, 0, 0, 1.25f, 0, 0, 0, -1}));
    EXPECT_EQ(Dump(ExpDaten[3]), Dump({2, {0, 0.125, 0, 0, 0.375, 0}, 0, 0, 1.0f, 0, 7, 8, 0}));

    // Append keeps the rows and the comment, takes the unit text and converts no time.
    const std::string loaded = Dump(ExpDaten[3]);
    testsupport::ResetStartState();
    OneOldRow();
    EXPECT_EQ(Load(path, kTrue), kTrue);
    ASSERT_EQ(nMesspunkte, 4);
    EXPECT_EQ(Dump(ExpDaten[1]), oldRow);
    EXPECT_EQ(Dump(ExpDaten[4]), loaded);
    EXPECT_EQ(DatenKommentar, "alt");
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_EQ(lambdaInf, 3.0);

    // The preview reads the head alone.
    std::string comment, unit;
    int count = -1, ok = 0;
    ViewExpFile(path, comment, unit, count, ok);
    EXPECT_EQ(ok, kTrue);
    EXPECT_EQ(comment + "|" + unit + "|" + std::to_string(count), "Messung Bär 1|min|3");
    EXPECT_TRUE(msgs.Empty());
}

TEST_F(DataFile, UnitLinesAndLooseItemForms) {
    const struct { std::string line, text; int idx; } cases[] = {
        {"s", "s", 0}, {"min", "min", 1}, {"h", "h", 2}, {"d", "d", 3}, {"a", "a", 4}, {"\"h\"", "h", 2},
        {"  d  ", "d", 3}, {"Jahr", "Jahr", 0}};
    for (const auto& c : cases) {
        ZeitEinheitIdx = 3;
        EXPECT_EQ(Load(PutFile("u.TA3", "x\r\n" + c.line + "\r\n" + kHeader + "\r\n0\r\n"), kFalse), kTrue) << c.line;
        EXPECT_EQ(ZeitEinheit, c.text) << c.line;
        EXPECT_EQ(ZeitEinheitIdx, c.idx) << c.line;
    }
    // LF line ends, a row split over lines, two rows on one line, an empty item (0), blanks, quotes.
    const std::string text = "k\n\"min\"\n" + kHeader + "\n 3 \n"
                             "1,2,3\n,4,5,6,7,8,9,10,11,0,"
                             " 2 , -.5 ,,\"1E-3\",0,0,0,0,0,0,0,0,-1\n"
                             "3,0,0,0,0,0,0,0,0,0,0,0,0";  // no line end at the end
    EXPECT_EQ(Load(PutFile("l.TA3", text), kFalse), kTrue);
    ASSERT_EQ(nMesspunkte, 3);
    EXPECT_EQ(Dump(ExpDaten[1]), Dump({1, {0, 2, 3, 0, 4, 5}, 7, 6, 8, 0, 10, 11, 0}));
    EXPECT_EQ(lambdaInf, 9.0);
    EXPECT_EQ(Dump(ExpDaten[2]), Dump({2, {0, -0.5, 0, 1e-3, 0, 0}, 0, 0, 0, 0, 0, 0, -1}));
    EXPECT_EQ(ExpDaten[3].t, 3.0);
    EXPECT_EQ(ZeitEinheit, "min");
}

TEST_F(DataFile, WriteReadRoundTrip) {
    // An empty set writes four lines and reads back empty.
    DatenKommentar = "leer";
    ZeitEinheit = "d";
    const std::string empty = Path("e.TA3");
    EXPECT_EQ(Write(empty), kTrue);
    EXPECT_EQ(Bytes(empty), "leer\r\nd\r\n" + kHeader + "\r\n0\r\n");
    OneOldRow();
    EXPECT_EQ(Load(empty, kFalse), kTrue);
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(DatenKommentar, "leer");
    EXPECT_EQ(ZeitEinheitIdx, 3);

    // Every value a field holds comes back equal, in the precision of its field (t, lambda, lambda_inf, res3,
    // res4 single), also at the ends of the ranges where the short form of the number would not read back.
    const double dmax = std::numeric_limits<double>::max(), dmin = std::numeric_limits<double>::denorm_min();
    const float fmax = std::numeric_limits<float>::max(), fmin = std::numeric_limits<float>::denorm_min();
    const struct { double t; std::array<double, 6> c; double T, k; float lambda, res3, res4; double lambdaInf; } rows[] = {
        {0.123456789, {0, 0.1, 1.0 / 3.0, 2.5e-9, 0, 12345.678}, 298.15, 3.3e-5, 1.25f, 0.75f, 0, 0.1234567891},
        {1e7, {0, 0, 0.2, 0, 0, 0}, 0, 0, -0.5f, 0, -3e-12f, 2.5},
        {fmax, {0, dmax, -dmax, dmin, 0.1 + 0.2, 1e-300}, dmax, -dmin, fmax, -fmax, fmin, fmax},
        {-fmax, {0, 9007199254740993.0, 1.7976931348623155e308, 4.9406564584124654e-324, 1e308, 123.0}, 1e-310,
         2.2250738585072014e-308, 3.4028233e38f, 1.17549435e-38f, 0.1f, 1.4e-45},
        {1.0000001, {0, 2.0 / 3.0, 0, 0, 0, 0}, 0, 0, 1.0000001f, 16777217.0f, 3.1415927f, 0},
    };
    for (const auto& r : rows) {
        testsupport::ResetStartState();
        DatenKommentar = "Überprüfung";
        ZeitEinheit = "min";
        lambdaInf = r.lambdaInf;
        ExpPunkt& p = AddRow(r.t, {r.c[1], r.c[2], r.c[3], r.c[4], r.c[5]}, r.T, r.k, r.lambda, kTrue);
        p.res3 = r.res3;
        p.res4 = r.res4;
        ExpPunkt expected = p;
        expected.t = static_cast<float>(r.t);
        const std::string path = Path("r.TA3");
        ASSERT_EQ(Write(path), kTrue) << r.t;
        EXPECT_EQ(Bytes(path).substr(0, 13), "\xDC" "berpr\xFC" "fung\r\n");  // Windows-1252 on disk
        testsupport::ResetStartState();
        ASSERT_EQ(Load(path, kFalse), kTrue) << Bytes(path);
        ASSERT_EQ(nMesspunkte, 1);
        EXPECT_EQ(DatenKommentar, "Überprüfung");
        ExpPunkt read = ExpDaten[1];
        read.t = static_cast<float>(read.t);  // the reader takes the single-precision text as a Double
        EXPECT_EQ(Dump(read), Dump(expected)) << Bytes(path);
        if (r.lambdaInf > 0) {
            EXPECT_EQ(lambdaInf, static_cast<float>(r.lambdaInf)) << Bytes(path);
        }
    }
}

// What the file cannot carry is refused by the writer with a message naming the field, and the old file stays.
TEST_F(DataFile, ValuesBeyondTheFileAreRefusedWhenWriting) {
    const std::string path = PutFile("alt.TA3", kSample);
    const struct { const char* field; void (*spoil)(ExpPunkt&); } cases[] = {
        {"lambda_inf", [](ExpPunkt&) { lambdaInf = 1e300; }},
        {"cB der Zeile 2", [](ExpPunkt& p) { p.c[2] = std::numeric_limits<double>::infinity(); }},
        {"T der Zeile 2", [](ExpPunkt& p) { p.T = std::nan(""); }},
        {"lambda der Zeile 2", [](ExpPunkt& p) { p.lambda = std::numeric_limits<float>::infinity(); }},
    };
    for (const auto& cs : cases) {
        testsupport::ResetStartState();
        testsupport::MsgRecorder msgs;
        AddRow(1, {1});
        cs.spoil(AddRow(2, {0.5}));
        EXPECT_EQ(Write(path), kFalse) << cs.field;
        ASSERT_EQ(msgs.Messages().size(), 1u);
        EXPECT_EQ(msgs.Messages()[0].title, "Meldung von WriteDataFile");
        EXPECT_NE(msgs.Messages()[0].prompt.find(std::string("im Feld ") + cs.field), std::string::npos) << msgs.Messages()[0].prompt;
        EXPECT_EQ(Bytes(path), kSample);
    }
    // A time beyond the range of a Single (only a file written elsewhere holds one) is kept in double precision.
    testsupport::ResetStartState();
    AddRow(1e300, {1});
    ASSERT_EQ(Write(path), kTrue);
    testsupport::ResetStartState();
    ASSERT_EQ(Load(path, kFalse), kTrue);
    EXPECT_EQ(ExpDaten[1].t, 1e300);
}

TEST_F(DataFile, FailedReadsLeaveTheDataSetUntouched) {
    const std::string good = "neu\r\ns\r\n" + kHeader + "\r\n";
    const std::string row = "1,1,0,0,0,0,0,0,0,9,0,0,0\r\n";
    const std::pair<std::string, std::string> bad[] = {
        {"truncated", good + "3\r\n" + row + row},
        {"not a number", good + "2\r\n" + row + "2,abc,0,0,0,0,0,0,0,0,0,0,0\r\n"},
        {"negative count", good + "-2\r\n" + row},
        {"missing file", ""},
    };
    for (int append : {kFalse, kTrue}) {
        for (const auto& [what, bytes] : bad) {
            testsupport::ResetStartState();
            OneOldRow();
            const std::string before = Dump();
            testsupport::MsgRecorder msgs;
            const std::string path = what == "missing file" ? Path("fehlt.TA3") : PutFile("bad.TA3", bytes);
            EXPECT_EQ(Load(path, append), kFalse) << what;
            EXPECT_EQ(Dump(), before) << what;
            ASSERT_EQ(msgs.Messages().size(), 1u) << what;
            EXPECT_EQ(msgs.Messages()[0].title, "Meldung von LoadExpFile");
            EXPECT_EQ(msgs.Messages()[0].style, platform::vbCritical);
            EXPECT_FALSE(msgs.Messages()[0].prompt.empty());
        }
    }
    // Appending may not take the set beyond 32,767 rows, although the file alone fits.
    std::string full = good + "32767\r\n";
    for (int i = 0; i < 32767; ++i) full += row;
    testsupport::MsgRecorder msgs;
    EXPECT_EQ(Load(PutFile("voll.TA3", full), kTrue), kFalse);
    EXPECT_EQ(Load(Path("voll.TA3"), kFalse), kTrue);
}

// A failed write (here: no such folder) is reported; how the old file is kept is the text file's part.
TEST_F(DataFile, FailedWriteIsReported) {
    testsupport::MsgRecorder msgs;
    EXPECT_EQ(Write((dir_ / "kein-ordner" / "x.TA3").string()), kFalse);
    ASSERT_EQ(msgs.Messages().size(), 1u);
    EXPECT_EQ(msgs.Messages()[0].title, "Meldung von WriteDataFile");
    EXPECT_EQ(msgs.Messages()[0].style, platform::vbCritical);
}
