#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "tests/kernel/KernelTestSupport.h"

using namespace kernel;

TEST(Utilities, NumericKeyFilterAndHourglass) {
    int key = ',';
    EXPECT_TRUE(CheckNumKey(key));
    EXPECT_EQ(key, '.');
    for (int k : {int{'7'}, int{'e'}, int{'-'}, 13, 8, 127, int{'x'}, int{'+'}, 22}) {
        key = k;
        EXPECT_EQ(CheckNumKey(key), k != 'x' && k != '+' && k != 22) << k;
        EXPECT_EQ(key, k);
    }
    std::vector<bool> calls;
    platform::SetWaitCursorHandler([&](bool on) { calls.push_back(on); });
    Sanduhrzaehler = 0;
    WaitCursorOn();
    WaitCursorOn();
    WaitCursorOff();
    EXPECT_EQ(calls, std::vector<bool>({true}));  // still nested
    WaitCursorOff();
    EXPECT_EQ(calls, std::vector<bool>({true, false}));
    platform::SetWaitCursorHandler({});
}

TEST(Utilities, PathAndStringHelpers) {
    EXPECT_EQ(ShortenPath("C:/short/path.ta3", 20), "C:/short/path.ta3");
    // 30 characters, maxLen 20: the search for a separator starts at position 16.
    EXPECT_EQ(ShortenPath("C:/aaaaaaaaaa/bbbbbbbb/cc.ta3x", 20), "C:/.../cc.ta3x");
    std::string p = "D:\\daten\\messung.TA3";
    EXPECT_EQ(FileNameOnly(p), "messung.TA3");
    EXPECT_EQ(p, "messung.TA3");
    EXPECT_EQ(CutSubString("abcdef", 3, 2), "abef");
    EXPECT_EQ(CutSubString("Grüße", 3, 1), "Grße");  // counts characters, not bytes
    EXPECT_THROW(CutSubString("abc", 0, 1), RuntimeError);
    EXPECT_EQ(LinInterpol(5, 2, 9, 2, 1), 0.0f);  // x1 = x2
    EXPECT_FLOAT_EQ(LinInterpol(3, 2, 9, 4, 1), 5.0f);
}

using UtilitiesFiles = ktest::TempDirTest;

TEST_F(UtilitiesFiles, FileExistsLooksBareNamesUpInTheProgramDirectory) {
    std::filesystem::create_directory(Path("sub"));
    PutFile("data.ta3", "x");
    AppPath = dir_.string();
    EXPECT_TRUE(FileExists("data.ta3"));
    EXPECT_TRUE(FileExists("*.ta3"));
    EXPECT_FALSE(FileExists("sub"));
    EXPECT_FALSE(FileExists(""));
    testsupport::ResetStartState();
}
