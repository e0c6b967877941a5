#include "kernel/TimeUnits.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;
using ktest::AddRow;

namespace {

class TimeUnits : public ktest::DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        BuildZeitFaktor();
    }

    // The callers' convention: old index from the current text, ZeitEinheitNr := new, then convert.
    static void ChangeTo(int idx) {
        const int old = ZeitEinheitIndexOf(ZeitEinheit);
        if (old >= 0) ZeitEinheitIdx = old;
        ZeitEinheitNr = idx;
        ConvertTimeUnit(ZeitEinheitNr, ZeitEinheitIdx);
    }
    // Each value against the expected one, to a relative 1e-12.
    static void ExpectValues(const std::vector<double>& got, const std::vector<double>& want) {
        ASSERT_EQ(got.size(), want.size());
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-12 * std::fabs(want[i])) << i;
    }

    ktest::Forms forms;  // the windows a test opens
};

}  // namespace

// Seconds to minutes rescales every stored value and the open stirred-tank window's box; a round trip
// through all units restores every value.
TEST_F(TimeUnits, EveryStoredValueFollowsTheUnitAndComesBack) {
    forms.open.insert("frmRKconti");  // the tube velocity is rescaled with its window closed
    tMax = 123.456;
    tauMittel = 7.25;
    kWert = {0, 0.15, 2.5e-3, 3.75};  // first-, second- and first-order constants
    VPunkt = 0.0123;
    RohrV = 0.8;
    AddRow(0.0, {1.0}, 300, 0.07);
    AddRow(42.5, {0.4}, 300, 1.5e-4);
    AddRow(1e5, {0.01}, 0, 0);
    auto stored = [] {
        return std::vector<double>{tMax,          tauMittel,     kWert[1],      kWert[2],     kWert[3],     VPunkt,
                                   RohrV,         ExpDaten[2].t, ExpDaten[3].t, ExpDaten[1].k, ExpDaten[2].k};
    };
    const std::vector<double> before = stored();
    ChangeTo(1);
    EXPECT_EQ(ZeitEinheit, "min");
    ExpectValues(stored(), {123.456 / 60, 7.25 / 60, 9, 0.15, 225, 0.738, 48, 42.5 / 60, 1e5 / 60, 4.2, 9e-3});
    EXPECT_EQ(forms.Text("frmRKconti", "Inp", 15), " .738");
    EXPECT_EQ(forms.Text("frmRKconti", "lblVPunktInput"), "V* /(m^3/min)");
    for (int idx : {2, 3, 4, 0}) ChangeTo(idx);
    EXPECT_EQ(ZeitEinheit, "s");
    EXPECT_EQ(ZeitFaktor[4][0], 31536000.0);  // the year has 365 days
    EXPECT_EQ(ZeitFaktor[4][3], 365.0);
    ExpectValues(stored(), before);
    EXPECT_EQ(ExpDaten[1].t, 0.0);
}

// The halves convert apart: rows only from `first` on (a file's appended rows), model values alone.
TEST_F(TimeUnits, RowsAndModelValuesConvertApart) {
    tMax = 300;
    kWert[1] = 0.02;
    AddRow(30, {1.0}, 0, 0.5);
    AddRow(90, {0.5}, 0, 0.5);
    auto values = [] { return std::vector<double>{ExpDaten[1].t, ExpDaten[2].t, ExpDaten[2].k, tMax, kWert[1]}; };
    ConvertExpRows(2, 5, 0, 1);
    ExpectValues(values(), {30, 1.5, 30, 300, 0.02});
    ConvertModelValues(0, 1);
    ExpectValues(values(), {30, 1.5, 30, 5, 1.2});
    EXPECT_EQ(ZeitEinheit, "s");  // neither touches the unit in use
}

// The time column holds rates in the r(P)-c(S) mode; kWert(2) holds the order in order fitting.
TEST_F(TimeUnits, RatesAndOrdersAreScaledByWhatTheyHold) {
    aktModell = 10;
    EnzymRcsModus = kTrue;
    AddRow(0.06, {0, 0.1}, 0, 0.6);  // r(P) = 0.06 mol/(L s)
    ChangeTo(1);
    ExpectValues({ExpDaten[1].t, ExpDaten[1].k}, {3.6, 36.0});  // mol/(L min)

    EnzymRcsModus = kFalse;  // c-t mode: the column holds times
    ChangeTo(0);
    EXPECT_NEAR(ExpDaten[1].t, 216.0, 1e-10);

    DiagVariante = 2;
    aktModell = 20;
    kWert = {0, 0.15, 1.5, 0};
    ChangeTo(1);
    ExpectValues({kWert[1], kWert[2]}, {9.0, 1.5});

    DiagVariante = 1;  // rate-constant fitting: k2 is a rate constant again
    ChangeTo(0);
    EXPECT_DOUBLE_EQ(kWert[2], 1.5 / 60.0);
}

TEST_F(TimeUnits, NestedCallFromModelWindowConvertsOnce) {
    forms.open.insert("frmKinModel");
    int nestedCalls = 0;
    forms.onClick = [&](const std::string& f, const std::string& c, int i) {
        if (f != "frmKinModel" || c != "optZeit") return;
        ++nestedCalls;
        ChangeTo(i);  // the model window's option handler
    };
    tMax = 3600;
    kWert[1] = 1;
    ChangeTo(2);
    EXPECT_EQ(nestedCalls, 1);
    EXPECT_TRUE(forms.IsChecked("frmKinModel", "optZeit", 2));
    ExpectValues({tMax, kWert[1]}, {1.0, 3600.0});
}

TEST_F(TimeUnits, RateConstantCaptionsFollowTheModel) {
    forms.open.insert("frmPrepareTimeDiagram");
    // r1 = k1 c(A) c(P) in the autocatalytic models 5 and 16: second order.
    for (int model : {2, 5, 16}) {
        aktModell = model;
        UpdateUnitLabels();
        EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", "unit1"), model == 2 ? "/(1/s)" : "/(L/(s*mol))") << model;
        for (const char* k : {"unit2", "unit3"}) EXPECT_EQ(forms.Text("frmPrepareTimeDiagram", k), "/(1/s)") << model;
    }
}
