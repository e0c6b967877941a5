#include <cstdio>
#include <limits>

#include "kernel/Conductivity.h"
#include "kernel/DataFile.h"
#include "kernel/DataHeadings.h"
#include "kernel/DataSet.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

namespace {

const std::string kHeader = "t, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)";

// Three rows in the number forms a data file may hold (no zero before the point, exponents, blanks
// around a field); a comment with a Windows-1252 umlaut.
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
std::string Head() {
    return DatenKommentar + "|" + ZeitEinheit + "|" + std::to_string(ZeitEinheitIdx) + "|" + std::to_string(nMesspunkte) +
           "|" + std::to_string(lambdaInf);
}
std::string Dump() {
    std::string s = Head() + "\n";
    for (const ExpPunkt& p : ExpDaten) s += Dump(p) + "\n";
    return s;
}

int Load(const std::string& path, int append) {
    int loaded = 0;
    LoadExpFile(path, append, loaded);
    return loaded;
}
int Write(const std::string& path) {
    int written = 0;
    WriteDataFile(path, written);
    return written;
}
// A small data set in memory to be kept or replaced.
void OneOldRow() {
    AddRow(7, {0.9, 0.1, 0, 0, 0}, 300, 0.5, 2.0f, kTrue);
    DatenKommentar = "alt";
    ZeitEinheit = "h";
    ZeitEinheitIdx = 2;
    lambdaInf = 4.0;
}
}  // namespace

using DataFile = ktest::TempDirTest;

TEST_F(DataFile, ReplaceAndAppendLoadsReadEveryFieldInFileOrderAndPreviewReadsTheHead) {
    testsupport::MsgRecorder msgs;
    OneOldRow();
    const std::string oldRow = Dump(ExpDaten[1]), path = PutFile("a.TA3", kSample);
    EXPECT_EQ(Load(path, kFalse), kTrue);
    EXPECT_EQ(Head(), "Messung Bär 1|min|1|3|3.000000");  // lambda_inf: the last positive one of the file
    ASSERT_EQ(ExpDaten.size(), 4u);
    // Fields t, c(1..5), T, k, lambda, (spare), res3, res4, exclude; k comes before T in the file.
    EXPECT_EQ(Dump(ExpDaten[1]), Dump({0, {0, 0.5, -0.25, 0, 0, 0}, 298.15, 0.05, 1.5f, 0, 0, 0, 0}));
    EXPECT_EQ(Dump(ExpDaten[2]), Dump({1500, {0, 0.25, 0, 0, 0.25, 0}, 0, 0, 1.25f, 0, 0, 0, -1}));
    EXPECT_EQ(Dump(ExpDaten[3]), Dump({2, {0, 0.125, 0, 0, 0.375, 0}, 0, 0, 1.0f, 0, 7, 8, 0}));

    // Append keeps the rows and the comment, takes the unit text and converts no time.
    const std::string loaded = Dump(ExpDaten[3]);
    testsupport::ResetStartState();
    OneOldRow();
    EXPECT_EQ(Load(path, kTrue), kTrue);
    ASSERT_EQ(Head(), "alt|min|1|4|3.000000");
    EXPECT_EQ(Dump(ExpDaten[1]), oldRow);
    EXPECT_EQ(Dump(ExpDaten[4]), loaded);

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
        EXPECT_EQ(Head(), "x|" + c.text + "|" + std::to_string(c.idx) + "|0|0.000000") << c.line;
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
    // res4 single), also at the ends of the ranges; the number texts themselves are the exact-number test's part.
    const double dmax = std::numeric_limits<double>::max(), dmin = std::numeric_limits<double>::denorm_min();
    const float fmax = std::numeric_limits<float>::max(), fmin = std::numeric_limits<float>::denorm_min();
    const struct { ExpPunkt p; double lambdaInf; } rows[] = {
        {{0.123456789, {0, 0.1, 1.0 / 3.0, 2.5e-9, 0, 12345.678}, 298.15, 3.3e-5, 1.25f, 0, 0.75f, 0, kTrue}, 0.1234567891},
        {{1e7, {0, 0, 0.2, 0, 0, 0}, 0, 0, -0.5f, 0, 0, -3e-12f, kTrue}, 2.5},
        {{fmax, {0, dmax, -dmax, dmin, 0.1 + 0.2, 1e-300}, dmax, -dmin, fmax, 0, -fmax, fmin, kTrue}, fmax},
    };
    for (const auto& r : rows) {
        testsupport::ResetStartState();
        DatenKommentar = "Überprüfung";
        ZeitEinheit = "min";
        lambdaInf = r.lambdaInf;
        ExpDaten.assign({ExpPunkt{}, r.p});
        nMesspunkte = 1;
        ExpPunkt expected = r.p;
        expected.t = static_cast<float>(r.p.t);
        const std::string path = Path("r.TA3");
        ASSERT_EQ(Write(path), kTrue) << r.p.t;
        EXPECT_EQ(Bytes(path).substr(0, 13), "\xDC" "berpr\xFC" "fung\r\n");  // Windows-1252 on disk
        testsupport::ResetStartState();
        ASSERT_EQ(Load(path, kFalse), kTrue) << Bytes(path);
        ASSERT_EQ(nMesspunkte, 1);
        EXPECT_EQ(DatenKommentar, "Überprüfung");
        ExpPunkt read = ExpDaten[1];
        read.t = static_cast<float>(read.t);  // the reader takes the single-precision text as a Double
        EXPECT_EQ(Dump(read), Dump(expected)) << Bytes(path);
        EXPECT_EQ(lambdaInf, static_cast<float>(r.lambdaInf)) << Bytes(path);
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
        EXPECT_EQ(ktest::OnlyMessage(msgs, 0), "16|Meldung von WriteDataFile|");
        EXPECT_NE(ktest::OnlyMessage(msgs).find(std::string("im Feld ") + cs.field), std::string::npos) << cs.field;
        EXPECT_EQ(Bytes(path), kSample);
    }
    // A time beyond the range of a Single (only a file written elsewhere holds one) is kept in double precision.
    testsupport::ResetStartState();
    AddRow(1e300, {1});
    ASSERT_EQ(Write(path), kTrue);
    testsupport::ResetStartState();
    ASSERT_EQ(Load(path, kFalse), kTrue);
    EXPECT_EQ(ExpDaten[1].t, 1e300);
    // A failed write (here: no such folder) is reported; how the old file is kept is the text file's part.
    testsupport::MsgRecorder msgs;
    EXPECT_EQ(Write((dir_ / "kein-ordner" / "x.TA3").string()), kFalse);
    EXPECT_EQ(ktest::OnlyMessage(msgs, 0), "16|Meldung von WriteDataFile|");
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
            EXPECT_EQ(ktest::OnlyMessage(msgs, 0), "16|Meldung von LoadExpFile|") << what;
            EXPECT_FALSE(msgs.Last().prompt.empty()) << what;
        }
    }
    // Appending may not take the set beyond 32,767 rows, although the file alone fits.
    std::string full = good + "32767\r\n";
    for (int i = 0; i < 32767; ++i) full += row;
    testsupport::MsgRecorder msgs;
    EXPECT_EQ(Load(PutFile("voll.TA3", full), kTrue), kFalse);
    EXPECT_EQ(Load(Path("voll.TA3"), kFalse), kTrue);
}

// ---- Analysis of the measured data set ----

using DataSet = ktest::DataTest;

// The axis limits AchsenGrenzen(slot) against their expected values, to a relative tolerance.
static void ExpectAxes(const std::vector<std::pair<int, double>>& slots) {
    for (const auto& [slot, expected] : slots) EXPECT_NEAR(AchsenGrenzen[slot], expected, 1e-6 * std::fabs(expected)) << slot;
}

TEST_F(DataSet, AnalyseCountsRowsTakesInitialValuesFromTimeZeroAndMergesNearTemperatures) {
    lambdaInf = 5;
    AddRow(0, {1.0, 0.5}, 300, 0, 1.0f);       // t = 0: c(A), c(B), lambda(0) candidate
    AddRow(0, {0.9, 0.6}, 0, 0, 2.0f);         // later active row at t = 0 wins lambda(0) and c0
    AddRow(0, {0.8, 0.7}, 0, 0, 3.0f, kTrue);  // inactive: used for c0 but not for lambda(0)
    AddRow(10, {0.5, 0, 0, 0.5}, 310, 0.02, 1.5f);
    AddRow(20, {0, 0.3}, 300.012, 0.04);  // c(A) = 0, t > 0, c(B) > 0
    const double tEnd = 30.0000001;       // not representable in single precision
    AddRow(tEnd, {}, 300.005, 0.08);      // no concentration
    AnalyseExpData();
    // Two rows with c(A) > 0 and T > 0, one inactive row: no non-isothermal fit. A temperature within 0.01 of
    // its sorted predecessor counts once, so 300, 300.005 and 300.012 are one.
    EXPECT_EQ((std::vector<int>{nInaktiv, nctPunkte, nAnull, nkTPunkte, LambdaMoeglich, NichtIsothermMoeglich}),
              (std::vector<int>{1, 5, 1, 3, kTrue, kFalse}));
    EXPECT_EQ((std::vector<float>{DatencA0, DatencB0, DatenTmax}), (std::vector<float>{0.8f, 0.7f, 30.0f}));
    EXPECT_DOUBLE_EQ(lambdaNull, 2.0);
    EXPECT_EQ(DatenTEnde, tEnd);  // kept in double precision
    EXPECT_DOUBLE_EQ(LambdaSumme, 7.5);
    for (int s = 1; s <= 5; ++s) EXPECT_EQ(DatenSpalte[s], s == 3 || s == 5 ? kFalse : kTrue) << s;
    EXPECT_EQ(nTemperaturen, 2);
    EXPECT_EQ((std::vector<float>{TempListe[1], TempListe[2]}), (std::vector<float>{300.0f, 310.0f}));
    SetC0AusMessdaten();
    // The first row at t = 0, not the last.
    EXPECT_EQ((std::vector<float>{c0Mess[1], c0Mess[2], c0Mess[3]}), (std::vector<float>{1.0f, 0.5f, 0.0f}));
}

TEST_F(DataSet, ScanProposesRangesOfTheEvaluationPlots) {
    // First-order decay c(A) = exp(-0.1 t) at 300..340 K with k rising.
    c0Mess[1] = 1.0f;
    for (int i = 0; i <= 4; ++i) {
        const double t = 10.0 * i;
        AddRow(t, {std::exp(-0.1 * t), 0.5}, 300 + 10 * i, 0.01 * (i + 1));
    }
    ScanExpDataRange(-3);
    // t up to 40 and c(A) up to 1 with a twentieth on top; ln c(A) spans -4..0, T 300..340 and 1/T with a
    // twentieth of their span on each side.
    const double e = (1.0 / 300 - 1.0 / 340) / 20;
    ExpectAxes({{1, 42.0}, {3, 1.05}, {16, -4.2}, {17, 0.2}, {6, 298.0}, {7, 342.0}, {10, 1.0 / 340 - e}, {11, 1.0 / 300 + e}});

    // The rate axis of the enzyme plots does not grow on repeated calls.
    testsupport::ResetStartState();
    aktModell = 10;
    AddRow(0.02, {0, 0.1});  // r(P) = 0.02 at c(S) = 0.1
    AddRow(0.04, {0, 0.4});
    AchsenGrenzen[5] = 7.0f;  // left over from an earlier time course
    ScanExpDataRange(-14);
    const float first = AchsenGrenzen[5];
    EXPECT_FLOAT_EQ(first, 0.04f * 21 / 20);
    for (int i = 0; i < 10; ++i) ScanExpDataRange(-14);
    EXPECT_FLOAT_EQ(AchsenGrenzen[5], first);
    // The lower ends of r(P)/c(S) and c(S)/r(P) start at 0, so the ranges are 0..0.2 and 0..10.
    ExpectAxes({{36, -0.01}, {37, 0.21}, {34, -0.5}, {35, 10.5}});
}

TEST_F(DataSet, SplineTestRefusesRepeatedTimesInAnyOrder) {
    testsupport::MsgRecorder msgs;
    std::string answer = "x";
    AddRow(4, {1.0, 0.2});
    AddRow(8, {0.5, 0.6});
    TestSplineData(2, answer);
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(msgs.Empty());
    ExpectAxes({{1, 8.4}, {3, 0.63}});

    testsupport::ResetStartState();
    AddRow(5, {1.0});
    AddRow(1, {2.0});
    AddRow(5, {0.5});
    TestSplineData(1, answer);
    EXPECT_EQ(answer, "cancel");
    EXPECT_EQ(ktest::OnlyMessage(msgs, 67), "16|Test auf Spline-Anwendbarkeit der exper. Daten|"
                                            "Für diese Spline-Anwendung sind keine Mehrfach-Zeit-Werte erlaubt.");
    EXPECT_EQ(ExpDaten[1].t, 5.0);  // the data set itself is not sorted
}

TEST_F(DataSet, GridHeadingsFollowModelModeAndUnit) {
    ktest::Forms forms;
    forms.open.insert("frmDatedit");
    auto text = [&](const char* c, int i = -1) { return forms.Text("frmDatedit", c, i); };
    auto on = [&](const char* c, int i = -1) {  // -1: never written
        return forms.enabled.count({"frmDatedit", c, i}) ? int(forms.enabled.at({"frmDatedit", c, i})) : -1;
    };
    // Enzyme model in the r(P)-c(S) mode, minutes.
    aktModell = 10;
    EnzymRcsModus = kTrue;
    ZeitEinheit = "min";
    nAnull = 2;
    nctPunkte = 5;
    nkTPunkte = 3;
    SetDataGridHeaders();
    EXPECT_EQ((std::vector<std::string>{text("lblKopf", 5), text("Bz1", 2), text("TSort"), text("Bz1", 4)}),
              (std::vector<std::string>{" r(P)/(mol/L min)", "r(P)/(mol/L min)", "r(P)-Sortieren", "c(ES)/(mol/L)"}));
    for (int i = 0; i <= 8; ++i) EXPECT_EQ(on("y", i), i == 0 || i == 2 ? 1 : 0) << i;
    EXPECT_EQ(on("cmdDraw_rcS"), 1);
    EXPECT_EQ(on("cmdDraw_ct") | on("cmdDraw_Tk") | on("TemperaturSort") | on("lambda_infin"), 0);
}

using Conductivity = ktest::DataTest;

// Expected y slots for data whose plotted quantity spans lo..hi.
static void ExpectYRange(int lowerSlot, int upperSlot, double lo, double hi, double tol) {
    const double e = (hi - lo) / 5;
    EXPECT_NEAR(AchsenGrenzen[upperSlot], hi + e, tol);
    EXPECT_NEAR(AchsenGrenzen[lowerSlot], lo - 0.3 * e, tol);
}

// lambda linear in c(A), rising and falling. First order, c(A)/c0 = exp(-k t): ln((linf - l)/(linf - l0)) = -k t.
// Second order, 2 A => P with c(A) = c0 / (1 + 2 k c0 t): the plot shows 1/c(A) = 1/c0 + 2 k t.
TEST_F(Conductivity, FirstAndSecondOrderGiveTheirLines) {
    const struct { int order; double k, c0, l0, linf, dt; int n; } cases[] = {
        {1, 0.05, 1.0, 1.0, 11.0, 5.0, 8}, {1, 0.1, 1.0, 9.0, 2.0, 2.0, 5}, {2, 0.4, 0.5, 8.0, 3.0, 1.5, 6}};
    for (const auto& cs : cases) {
        testsupport::ResetStartState();
        lambdaInf = cs.linf;
        lambdaNull = cs.l0;
        c0Mess[1] = static_cast<float>(cs.c0);
        for (int i = 0; i <= cs.n; ++i) {
            const double t = cs.dt * i, ratio = cs.order == 1 ? std::exp(-cs.k * t) : 1 / (1 + 2 * cs.k * cs.c0 * t);
            AddRow(t, {}, 0, 0, static_cast<float>(cs.linf + (cs.l0 - cs.linf) * ratio));
        }
        const double tEnd = cs.dt * cs.n;
        if (cs.order == 1) {
            LambdaEvalFirstOrder();
            ExpectYRange(24, 25, -cs.k * tEnd, 0.0, 1e-5);
        } else {
            LambdaEvalSecondOrder();
            ExpectYRange(26, 27, 1 / cs.c0, 1 / cs.c0 + 2 * cs.k * tEnd, 1e-4);
        }
        EXPECT_EQ(AchsenGrenzen[0], 0.0f);
        EXPECT_NEAR(AchsenGrenzen[1], tEnd * 21 / 20, 1e-5);
    }
}

TEST_F(Conductivity, RowsWithUndefinedQuantityAreLeftOut) {
    lambdaInf = 3.0;
    AddRow(1, {}, 0, 0, 1.0f);   // ln 2
    AddRow(2, {}, 0, 0, 3.0f);   // ln 0: undefined
    AddRow(50, {}, 0, 0, 4.0f);  // ln(-1): undefined
    LambdaEvalFirstOrder();
    ExpectAxes({{1, 1.05}, {24, std::log(2.0)}, {25, std::log(2.0)}});

    LambdaEvalSecondOrder();  // only lambda = linf has a zero divisor; 4.0 gives -3
    EXPECT_FLOAT_EQ(AchsenGrenzen[1], 52.5f);
    ExpectYRange(26, 27, -3.0, 1.5, 1e-5);
}
