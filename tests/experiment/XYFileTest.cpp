// X-Y point files without a window: the number form, the bytes written, reading with every
// separator and refused files.
#include <QTemporaryDir>

#include "experiment/XYFile.h"
#include "tests/experiment/MdiTestHost.h"

using kernel::XYPunkt;

namespace {

class XYFileTest : public ::testing::Test {
protected:
    std::string Pfad(const char* name) const { return dir.filePath(name).toStdString(); }

    std::string Schreibe(const char* name, const std::string& bytes) const {
        const std::string p = Pfad(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }

    QTemporaryDir dir;
};

// Positive, negative and fractional values are in the file bytes below.
TEST_F(XYFileTest, NumbersUseTheMantissaBelowOneWithADecimalPointInAnyLocale) {
    EXPECT_EQ(experiment::XYZahlText(0.0f), ".0000000E+00");
    EXPECT_EQ(experiment::XYZahlText(1.5e-7f), ".1500000E-06");
    platform::SetLocaleDecimalSeparator(',');
    EXPECT_EQ(experiment::XYZahlText(2.0f), ".2000000E+01");
    platform::SetLocaleDecimalSeparator('.');
}

TEST_F(XYFileTest, WritesCommentAndActivePointsByteExactWithCrLf) {
    const auto liste = exptest::XYList({{2, 0.5f, 0, 0}, {3, 4, -1, 0}, {-250, 1, 0, 0}});
    struct Fall {
        const char* kommentar;
        int n;
        const char* bytes;
    };
    // Windows-1252, inactive points left out, a comment's line break kept off line 2.
    for (const Fall& f : {Fall{"Messung; Küvette 1", 3, "Messung; K\xFCvette 1\r\n.2000000E+01;.5000000E+00\r\n"
                                                         "-.2500000E+03;.1000000E+01\r\n"},
                          Fall{"", 2, "\r\n.2000000E+01;.5000000E+00\r\n"},
                          Fall{"a\r\nb", 1, "a  b\r\n.2000000E+01;.5000000E+00\r\n"}}) {
        std::string fehler;
        ASSERT_TRUE(experiment::SchreibeXYDatei(Pfad("a.XY"), f.kommentar, liste, f.n, fehler)) << fehler;
        EXPECT_EQ(exptest::Bytes(Pfad("a.XY")), f.bytes);
    }
    // Read back: every point active, the inactive one gone, the comment with its ";" intact.
    std::string fehler;
    ASSERT_TRUE(experiment::SchreibeXYDatei(Pfad("a.XY"), "Messung; Küvette 1", liste, 3, fehler));
    experiment::XYDateiInhalt inhalt;
    ASSERT_TRUE(experiment::LeseXYDatei(Pfad("a.XY"), inhalt, fehler)) << fehler;
    EXPECT_EQ(inhalt.kommentar, "Messung; Küvette 1");
    EXPECT_EQ(inhalt.trenner, ";");
    ASSERT_EQ(inhalt.Anzahl(), 2);
    EXPECT_FLOAT_EQ(inhalt.punkte[1].y, 0.5f);
    EXPECT_FLOAT_EQ(inhalt.punkte[2].x, -250.0f);
    EXPECT_EQ(inhalt.punkte[2].status, 0.0f);
}

TEST_F(XYFileTest, SeparatorDetectionLetsTheLastMatchingCandidateWin) {
    EXPECT_EQ(experiment::TrennerAusZeile("1.5 2.5"), " ");
    EXPECT_EQ(experiment::TrennerAusZeile("1.5,2.5"), ",");
    EXPECT_EQ(experiment::TrennerAusZeile("1,5;2,5"), ";");
    EXPECT_EQ(experiment::TrennerAusZeile("1,5 ;\t2"), "\t");
    EXPECT_EQ(experiment::TrennerAusZeile("12"), "");

    std::string t = "x";
    experiment::ErkenneTrenner(Schreibe("c.XY", "a;b,c\r\n1\t2\r\n"), t);
    EXPECT_EQ(t, "\t");  // taken from line 2, not from the comment
    experiment::ErkenneTrenner(Schreibe("d.XY", "nur Kommentar\r\n"), t);
    EXPECT_EQ(t, "");
    experiment::ErkenneTrenner(Pfad("fehlt.XY"), t);
    EXPECT_EQ(t, "");
}

TEST_F(XYFileTest, ReadsEverySeparatorDecimalCommasAndIgnoresAThirdColumn) {
    struct Fall {
        const char* inhalt;
        float x1, y1, x2, y2;
    };
    const Fall faelle[] = {
        {"K\r\n1,5;2,5\r\n-3;4E-2\r\n", 1.5f, 2.5f, -3, 0.04f},
        {"K\r\n1.5 2.5\r\n2 4\r\n", 1.5f, 2.5f, 2, 4},
        // Aligned columns: blanks around the line and runs of blanks are one separator.
        {"K\r\n 0.5  7\r\n1.25   -3.5 \r\n", 0.5f, 7, 1.25f, -3.5f},
        {"K\r\n1.5,2.5\r\n3,4\r\n", 1.5f, 2.5f, 3, 4},
        {"K\r\n1,5\t2,5\t99\r\n3\t4\t7\r\n", 1.5f, 2.5f, 3, 4},
        {"Kurvenpunkte\r\n.1000000E+01;.2500000E+00\r\n.3000000E+01;-.4000000E+01", 1, 0.25f, 3, -4},
        // Empty lines and a stray single number are skipped instead of becoming (0, 0).
        {"K\r\n1;2\r\n\r\n7\r\n3;4\r\n\r\n", 1, 2, 3, 4},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.inhalt);
        experiment::XYDateiInhalt inhalt;
        std::string fehler;
        ASSERT_TRUE(experiment::LeseXYDatei(Schreibe("e.LRG", f.inhalt), inhalt, fehler)) << fehler;
        ASSERT_EQ(inhalt.Anzahl(), 2);
        EXPECT_FLOAT_EQ(inhalt.punkte[1].x, f.x1);
        EXPECT_FLOAT_EQ(inhalt.punkte[1].y, f.y1);
        EXPECT_FLOAT_EQ(inhalt.punkte[2].x, f.x2);
        EXPECT_FLOAT_EQ(inhalt.punkte[2].y, f.y2);
    }
}

TEST_F(XYFileTest, FilesWithoutPointsOrUnreadableAreRefusedAndLeaveTheContent) {
    experiment::XYDateiInhalt inhalt;
    inhalt.kommentar = "alt";
    inhalt.punkte = exptest::XYList({{9, 9, 0, 0}});
    for (const std::string& p : {Pfad("fehlt.XY"), Schreibe("g.XY", "nur Kommentar\r\n"),
                                 Schreibe("h.XY", "K\r\n1\r\n2\r\n"), Schreibe("i.XY", "")}) {
        SCOPED_TRACE(p);
        std::string fehler;
        EXPECT_FALSE(experiment::LeseXYDatei(p, inhalt, fehler));
        EXPECT_FALSE(fehler.empty());
        EXPECT_EQ(inhalt.kommentar, "alt");
        ASSERT_EQ(inhalt.Anzahl(), 1);
        EXPECT_EQ(inhalt.punkte[1].x, 9.0f);
    }
}

}  // namespace
