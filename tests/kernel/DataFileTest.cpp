#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "kernel/DataFile.h"
#include "kernel/State.h"
#include "tests/kernel/DataTestSupport.h"

using namespace kernel;
using datatest::AddRow;
namespace fs = std::filesystem;

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

bool SameRow(const ExpPunkt& a, const ExpPunkt& b) {
    return a.t == b.t && a.c == b.c && a.T == b.T && a.k == b.k && a.lambda == b.lambda && a.res3 == b.res3 &&
           a.res4 == b.res4 && a.exclude == b.exclude;
}

// Everything a load may change.
struct Snapshot {
    std::vector<ExpPunkt> rows;
    int count;
    std::string comment, unit;
    int unitIdx;
    double lInf;

    static Snapshot Take() {
        return {ExpDaten, nMesspunkte, DatenKommentar, ZeitEinheit, ZeitEinheitIdx, lambdaInf};
    }
    void Restore() const {
        ExpDaten = rows;
        nMesspunkte = count;
        DatenKommentar = comment;
        ZeitEinheit = unit;
        ZeitEinheitIdx = unitIdx;
        lambdaInf = lInf;
    }
    bool Unchanged() const {
        if (nMesspunkte != count || DatenKommentar != comment || ZeitEinheit != unit || ZeitEinheitIdx != unitIdx ||
            lambdaInf != lInf || ExpDaten.size() != rows.size())
            return false;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!SameRow(ExpDaten[i], rows[i])) return false;
        return true;
    }
};

class DataFile : public ::testing::Test {
protected:
    void SetUp() override {
        datatest::ResetDataState();
        dir_ = fs::temp_directory_path() /
               ("tarvelo-datafile-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        datatest::ResetDataState();
    }

    std::string PutFile(const std::string& name, const std::string& bytes) {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static int Load(const std::string& path, int append) {
        int loaded = 0;
        LoadExpFile(path, append, loaded);
        return loaded;
    }
    // A small data set in memory to be kept or replaced.
    static void OneOldRow() {
        AddRow(7, {0.9, 0.1, 0, 0, 0}, 300, 0.5, 2.0f, kTrue);
        DatenKommentar = "alt";
        ZeitEinheit = "h";
        ZeitEinheitIdx = 2;
        lambdaInf = 4.0;
    }

    fs::path dir_;
};

}  // namespace

TEST_F(DataFile, ReplaceLoadReadsEveryFieldInFileOrder) {
    datatest::MessageRecorder msgs;
    OneOldRow();
    EXPECT_EQ(Load(PutFile("a.TA3", kSample), kFalse), kTrue);
    EXPECT_TRUE(msgs.messages.empty());
    ASSERT_EQ(nMesspunkte, 3);
    ASSERT_EQ(ExpDaten.size(), 4u);
    EXPECT_EQ(DatenKommentar, "Messung Bär 1");
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_EQ(ZeitEinheitIdx, 1);
    EXPECT_EQ(lambdaInf, 3.0);  // the last positive lambda_inf of the file

    const ExpPunkt& r1 = ExpDaten[1];
    EXPECT_EQ(r1.t, 0.0);
    EXPECT_EQ(r1.c[1], 0.5);
    EXPECT_EQ(r1.c[2], -0.25);
    EXPECT_EQ(r1.k, 0.05);      // k comes before T in the file
    EXPECT_EQ(r1.T, 298.15);
    EXPECT_EQ(r1.lambda, 1.5f);
    EXPECT_EQ(r1.exclude, 0);
    const ExpPunkt& r2 = ExpDaten[2];
    EXPECT_EQ(r2.t, 1500.0);
    EXPECT_EQ(r2.c[4], 0.25);
    EXPECT_EQ(r2.exclude, -1);
    const ExpPunkt& r3 = ExpDaten[3];
    EXPECT_EQ(r3.c[1], 0.125);
    EXPECT_EQ(r3.res3, 7.0f);
    EXPECT_EQ(r3.res4, 8.0f);
}

TEST_F(DataFile, AppendLoadKeepsRowsAndCommentAndTakesUnitText) {
    OneOldRow();
    const ExpPunkt old = ExpDaten[1];
    EXPECT_EQ(Load(PutFile("a.TA3", kSample), kTrue), kTrue);
    ASSERT_EQ(nMesspunkte, 4);
    EXPECT_TRUE(SameRow(ExpDaten[1], old));
    EXPECT_EQ(ExpDaten[2].k, 0.05);
    EXPECT_EQ(ExpDaten[4].res4, 8.0f);
    EXPECT_EQ(DatenKommentar, "alt");
    EXPECT_EQ(ZeitEinheit, "min");  // no time is converted
    EXPECT_EQ(ExpDaten[1].t, 7.0);
    EXPECT_EQ(lambdaInf, 3.0);
}

TEST_F(DataFile, NonPositiveLambdaInfinityKeepsThePreviousValue) {
    OneOldRow();
    const std::string text = "c\r\ns\r\n" + kHeader + "\r\n2\r\n1,0,0,0,0,0,0,0,0,0,0,0,0\r\n2,0,0,0,0,0,0,0,0,-5,0,0,0\r\n";
    EXPECT_EQ(Load(PutFile("z.TA3", text), kFalse), kTrue);
    EXPECT_EQ(lambdaInf, 4.0);
}

TEST_F(DataFile, UnitLines) {
    const struct {
        std::string line, text;
        int idx;
    } cases[] = {{"s", "s", 0},   {"min", "min", 1}, {"h", "h", 2},         {"d", "d", 3},
                 {"a", "a", 4},   {"\"h\"", "h", 2}, {"  d  ", "d", 3},     {"Jahr", "Jahr", 0}};
    for (const auto& c : cases) {
        ZeitEinheitIdx = 3;
        const std::string path = PutFile("u.TA3", "x\r\n" + c.line + "\r\n" + kHeader + "\r\n0\r\n");
        EXPECT_EQ(Load(path, kFalse), kTrue) << c.line;
        EXPECT_EQ(ZeitEinheit, c.text) << c.line;
        EXPECT_EQ(ZeitEinheitIdx, c.idx) << c.line;
    }
}

TEST_F(DataFile, ItemsNotLinesAndLooseForms) {
    // LF line ends, a row split over lines, two rows on one line, an empty item (0), blanks, quotes.
    const std::string text = "k\n\"min\"\n" + kHeader + "\n 3 \n"
                             "1,2,3\n,4,5,6,7,8,9,10,11,0,"
                             " 2 , -.5 ,,\"1E-3\",0,0,0,0,0,0,0,0,-1\n"
                             "3,0,0,0,0,0,0,0,0,0,0,0,0";  // no line end at the end
    EXPECT_EQ(Load(PutFile("l.TA3", text), kFalse), kTrue);
    ASSERT_EQ(nMesspunkte, 3);
    EXPECT_EQ(ExpDaten[1].c[2], 3.0);
    EXPECT_EQ(ExpDaten[1].c[3], 0.0);   // the empty item
    EXPECT_EQ(ExpDaten[1].c[4], 4.0);
    EXPECT_EQ(ExpDaten[1].k, 6.0);
    EXPECT_EQ(ExpDaten[1].T, 7.0);
    EXPECT_EQ(ExpDaten[1].res4, 11.0f);
    EXPECT_EQ(lambdaInf, 9.0);
    EXPECT_EQ(ExpDaten[2].t, 2.0);
    EXPECT_EQ(ExpDaten[2].c[1], -0.5);
    EXPECT_EQ(ExpDaten[2].c[3], 1e-3);
    EXPECT_EQ(ExpDaten[2].exclude, -1);
    EXPECT_EQ(ExpDaten[3].t, 3.0);
    EXPECT_EQ(ZeitEinheit, "min");
}

TEST_F(DataFile, EmptySetWritesFourLinesAndReadsBackEmpty) {
    DatenKommentar = "leer";
    ZeitEinheit = "d";
    int written = 0;
    const std::string path = (dir_ / "e.TA3").string();
    WriteDataFile(path, written);
    EXPECT_EQ(written, kTrue);
    EXPECT_EQ(Bytes(path), "leer\r\nd\r\n" + kHeader + "\r\n0\r\n");

    OneOldRow();
    EXPECT_EQ(Load(path, kFalse), kTrue);
    EXPECT_EQ(nMesspunkte, 0);
    EXPECT_EQ(DatenKommentar, "leer");
    EXPECT_EQ(ZeitEinheit, "d");
    EXPECT_EQ(ZeitEinheitIdx, 3);
}

TEST_F(DataFile, WriteReadRoundTrip) {
    DatenKommentar = "Überprüfung";
    ZeitEinheit = "min";
    lambdaInf = 0.1234567891;
    AddRow(0.123456789, {0.1, 1.0 / 3.0, 2.5e-9, 0, 12345.678}, 298.15, 3.3e-5, 1.25f, 0);
    AddRow(1e7, {0, 0.2}, 0, 0, -0.5f, kTrue);
    ExpDaten[1].res3 = 0.75f;
    ExpDaten[2].res4 = -3e-12f;
    const std::vector<ExpPunkt> before = ExpDaten;
    int written = 0;
    const std::string path = (dir_ / "r.TA3").string();
    WriteDataFile(path, written);
    ASSERT_EQ(written, kTrue);
    const std::string bytes = Bytes(path);
    EXPECT_EQ(bytes.substr(0, 13), "\xDC" "berpr\xFC" "fung\r\n");  // Windows-1252 on disk
    EXPECT_NE(bytes.find("\r\n2\r\n"), std::string::npos);

    datatest::ResetDataState();
    ASSERT_EQ(Load(path, kFalse), kTrue);
    ASSERT_EQ(nMesspunkte, 2);
    EXPECT_EQ(DatenKommentar, "Überprüfung");
    EXPECT_EQ(ZeitEinheit, "min");
    EXPECT_NEAR(lambdaInf, 0.1234567891, 1e-7);  // single precision on the way back
    for (int i = 1; i <= 2; ++i) {
        const ExpPunkt &a = ExpDaten[i], &b = before[i];
        EXPECT_NEAR(a.t, b.t, 1e-7 * std::fabs(b.t)) << i;  // the time is written in single precision
        for (int s = 1; s <= kSpecies; ++s) EXPECT_NEAR(a.c[s], b.c[s], 1e-14 * std::fabs(b.c[s])) << i;
        EXPECT_NEAR(a.k, b.k, 1e-14 * b.k);
        EXPECT_NEAR(a.T, b.T, 1e-14 * b.T);
        EXPECT_EQ(a.lambda, b.lambda);
        EXPECT_EQ(a.res3, b.res3);
        EXPECT_EQ(a.res4, b.res4);
        EXPECT_EQ(a.exclude, b.exclude);
    }
    EXPECT_NEAR(ExpDaten[1].t, 0.1234568, 1e-9);
}

TEST_F(DataFile, FailedReadsLeaveTheDataSetUntouched) {
    const std::string good = "neu\r\ns\r\n" + kHeader + "\r\n";
    const std::string row = "1,1,0,0,0,0,0,0,0,9,0,0,0\r\n";
    const std::pair<std::string, std::string> bad[] = {
        {"truncated", good + "3\r\n" + row + row},
        {"not a number", good + "2\r\n" + row + "2,abc,0,0,0,0,0,0,0,0,0,0,0\r\n"},
        {"negative count", good + "-2\r\n" + row},
        {"count not a number", good + "zwei\r\n" + row},
        {"count overflow", good + "40000\r\n" + row},
        {"single overflow", good + "1\r\n1,0,0,0,0,0,0,0,1E+39,0,0,0,0\r\n"},
        {"flag overflow", good + "1\r\n1,0,0,0,0,0,0,0,0,0,0,0,70000\r\n"},
        {"head only", "nur\r\nmin\r\n"},
        {"empty", ""},
    };
    for (int append : {kFalse, kTrue}) {
        for (const auto& [what, bytes] : bad) {
            datatest::ResetDataState();
            OneOldRow();
            const Snapshot snap = Snapshot::Take();
            datatest::MessageRecorder msgs;
            EXPECT_EQ(Load(PutFile("bad.TA3", bytes), append), kFalse) << what;
            EXPECT_TRUE(snap.Unchanged()) << what;
            ASSERT_EQ(msgs.messages.size(), 1u) << what;
            EXPECT_EQ(msgs.messages[0].title, "Meldung von LoadExpFile");
            EXPECT_EQ(msgs.messages[0].style, platform::vbCritical);
            EXPECT_FALSE(msgs.messages[0].prompt.empty());
        }
    }
    OneOldRow();
    const Snapshot snap = Snapshot::Take();
    datatest::MessageRecorder msgs;
    EXPECT_EQ(Load((dir_ / "fehlt.TA3").string(), kFalse), kFalse);
    EXPECT_TRUE(snap.Unchanged());
    EXPECT_EQ(msgs.messages.size(), 1u);
}

TEST_F(DataFile, AppendBeyondTheRowLimitIsRefused) {
    for (int i = 0; i < 32767; ++i) AddRow(i);
    const Snapshot snap = Snapshot::Take();
    datatest::MessageRecorder msgs;
    EXPECT_EQ(Load(PutFile("a.TA3", kSample), kTrue), kFalse);
    EXPECT_TRUE(snap.Unchanged());
    EXPECT_EQ(msgs.messages.size(), 1u);
}

TEST_F(DataFile, FailedWriteReportsAndKeepsTheOldFile) {
    datatest::MessageRecorder msgs;
    int written = kTrue;
    WriteDataFile((dir_ / "kein-ordner" / "x.TA3").string(), written);
    EXPECT_EQ(written, kFalse);
    ASSERT_EQ(msgs.messages.size(), 1u);
    EXPECT_EQ(msgs.messages[0].title, "Meldung von WriteDataFile");
    EXPECT_EQ(msgs.messages[0].style, platform::vbCritical);

    // A write that runs out of space half-way (file-size limit) must not damage the old file.
    const std::string path = PutFile("alt.TA3", kSample);
    for (int i = 0; i < 200; ++i) AddRow(i, {1.0 / 3.0, 2.0 / 3.0}, 300, 0.123456789);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    written = kTrue;
    WriteDataFile(path, written);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(written, kFalse);
    EXPECT_EQ(msgs.messages.size(), 2u);
    EXPECT_EQ(Bytes(path), kSample);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(DataFile, PreviewReadsTheHead) {
    datatest::MessageRecorder msgs;
    std::string comment, unit;
    int count = -1, ok = 0;
    ViewExpFile(PutFile("v.TA3", kSample), comment, unit, count, ok);
    EXPECT_EQ(ok, kTrue);
    EXPECT_EQ(comment, "Messung Bär 1");
    EXPECT_EQ(unit, "min");
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(msgs.messages.empty());

    ViewExpFile(PutFile("w.TA3", "nur zwei\r\nh\r\n"), comment, unit, count, ok);
    EXPECT_EQ(ok, kFalse);
    EXPECT_EQ(comment, "nur zwei");  // what was read before the failure stays
    EXPECT_EQ(unit, "h");
    ASSERT_EQ(msgs.messages.size(), 1u);
    EXPECT_EQ(msgs.messages[0].title, "Meldung von ViewExpFile");
    EXPECT_EQ(msgs.messages[0].style, platform::vbCritical);
}

TEST_F(DataFile, RandomMutationsNeverCrashAndFailuresChangeNothing) {
    std::mt19937 rng(20261206);
    const std::string alphabet = "0123456789.,-+Ee \"\r\n\t\xE4x";
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    datatest::MessageRecorder msgs;
    const std::string path = (dir_ / "f.TA3").string();
    int loads = 0, failures = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = kSample;
        const int edits = 1 + static_cast<int>(pick(4));
        for (int e = 0; e < edits && !bytes.empty(); ++e) {
            const std::size_t at = pick(bytes.size());
            switch (pick(5)) {
                case 0: bytes[at] = alphabet[pick(alphabet.size())]; break;
                case 1: bytes.insert(at, 1, alphabet[pick(alphabet.size())]); break;
                case 2: bytes.erase(at, 1 + pick(4)); break;
                case 3: bytes.resize(at); break;
                default: bytes[at] = static_cast<char>(pick(256)); break;
            }
        }
        PutFile("f.TA3", bytes);
        datatest::ResetDataState();
        OneOldRow();
        const Snapshot snap = Snapshot::Take();
        const int loaded = Load(path, round % 2 == 0 ? kFalse : kTrue);
        if (loaded == kTrue) {
            ++loads;
            ASSERT_GE(nMesspunkte, 0);
            ASSERT_LE(nMesspunkte, 32767);
            ASSERT_EQ(ExpDaten.size(), static_cast<std::size_t>(nMesspunkte) + 1);
        } else {
            ++failures;
            ASSERT_EQ(loaded, kFalse);
            ASSERT_TRUE(snap.Unchanged()) << "round " << round;
        }
        std::string comment, unit;
        int count = 0, ok = 0;
        ViewExpFile(path, comment, unit, count, ok);
        msgs.messages.clear();
    }
    EXPECT_GT(loads, 0);
    EXPECT_GT(failures, 0);
}
