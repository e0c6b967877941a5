// Protocol file names: date of the day and the first counter whose file does not exist.
#include <QDate>

#include <cstdio>
#include <filesystem>

#include "shell/ProtocolName.h"
#include "tests/shell/ShellFixture.h"

namespace shelltest {
namespace {

using ProtocolNameTest = ShellTest;

TEST_F(ProtocolNameTest, FirstFreeCounterOfTheDay) {
    std::string name;
    ASSERT_TRUE(shell::AutoProtName(2026, 3, 7, name));
    EXPECT_EQ(name, "26030701.CSV");
    WriteFile(Path("26030701.CSV"), "");
    WriteFile(Path("26030702.CSV"), "x");
    WriteFile(Path("26030704.CSV"), "x");
    WriteFile(Path("26030601.CSV"), "x");  // another day
    ASSERT_TRUE(shell::AutoProtName(2026, 3, 7, name));
    EXPECT_EQ(name, "26030703.CSV");
    ASSERT_TRUE(shell::AutoProtName(2026, 3, 8, name));
    EXPECT_EQ(name, "26030801.CSV");
    ASSERT_TRUE(shell::AutoProtName(2009, 12, 31, name));
    EXPECT_EQ(name, "09123101.CSV");
    EXPECT_TRUE(rec.Empty());
}

TEST_F(ProtocolNameTest, AllNamesOfTheDayTakenGivesNoName) {
    for (int i = 1; i <= 99; ++i) {
        char n[16];
        std::snprintf(n, sizeof n, "261206%02d.CSV", i);
        WriteFile(Path(n), "");
    }
    std::string name = "vorher";
    EXPECT_FALSE(shell::AutoProtName(2026, 12, 6, name));
    EXPECT_EQ(name, "");
    ASSERT_EQ(rec.Messages().size(), 1u);
    EXPECT_NE(rec.Last().prompt.find("Alle 99"), std::string::npos);
    // The 100th name would need three digits: never made, nothing reused.
    EXPECT_FALSE(std::filesystem::exists(Path("26120600.CSV")));
}

TEST_F(ProtocolNameTest, StartUpTakesTodaysFirstFreeName) {
    shell::SetProtDate(2031, 1, 2);
    const std::string stem = "310102";
    WriteFile(Path(stem + "01.CSV"), "x");
    Start();
    EXPECT_EQ(kernel::ProtFile, stem + "02.CSV");
    std::string name;
    MDITAR::SetAutoProtName(name);
    EXPECT_EQ(name, stem + "02.CSV");
    shell::SetProtDate(0, 0, 0);
}

}  // namespace
}  // namespace shelltest
