#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "kernel/RuntimeError.h"
#include "kernel/Utilities.h"
#include "platform/core/TextFile.h"
#include "tests/kernel/KernelTestSupport.h"

namespace fs = std::filesystem;
using namespace platform;

namespace {

class TextFileTest : public ktest::TempDirTest {
protected:
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
        return names;
    }
};

const std::string kUmlauts = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xE2\x82\xAC";  // äöüß€ in UTF-8
const std::string kUmlautBytes = "\xE4\xF6\xFC\xDF\x80";                      // the same in Windows-1252
}  // namespace

TEST(Cp1252, EveryDefinedByteSurvivesTheRoundTrip) {
    // Ä Ö Ü ° µ „ “ – Š Ÿ ™
    EXPECT_EQ(Cp1252ToUtf8("\xC4\xD6\xDC\xB0\xB5\x84\x93\x96\x8A\x9F\x99"),
              "\xC3\x84\xC3\x96\xC3\x9C\xC2\xB0\xC2\xB5"
              "\xE2\x80\x9E\xE2\x80\x9C\xE2\x80\x93\xC5\xA0\xC5\xB8\xE2\x84\xA2");
    const std::set<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string text = Cp1252ToUtf8(byte);
        if (undefined.count(b)) {
            EXPECT_EQ(text, "\xEF\xBF\xBD") << b;  // U+FFFD
            EXPECT_EQ(Utf8ToCp1252(text), "?") << b;
            continue;
        }
        EXPECT_EQ(Utf8ToCp1252(text), byte) << b;
        EXPECT_TRUE(seen.insert(text).second) << "two bytes decode to the same character: " << b;
    }
    // Unrepresentable and malformed text becomes question marks.
    EXPECT_EQ(Utf8ToCp1252("a\xF0\x9F\x98\x80" "b"), "a?b");  // a character beyond the BMP
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");                // truncated sequence
}

// Writing replaces the whole of an older, longer file.
TEST_F(TextFileTest, WritesWindows1252WithCrLf) {
    std::string error, text;
    PutFile("a.TA3", std::string(5000, 'x'));
    ASSERT_TRUE(WriteTextLines(Path("a.TA3"), {"Kommentar " + kUmlauts, "", "1.5,2"}, error)) << error;
    EXPECT_EQ(Bytes(Path("a.TA3")), "Kommentar " + kUmlautBytes + "\r\n\r\n1.5,2\r\n");
    // WriteText turns only lone line feeds into CRLF.
    ASSERT_TRUE(WriteText(Path("t.txt"), "a\nb\r\nc\n\nd", error)) << error;
    EXPECT_EQ(Bytes(Path("t.txt")), "a\r\nb\r\nc\r\n\r\nd");
    ASSERT_TRUE(ReadText(Path("t.txt"), text, error)) << error;
    EXPECT_EQ(text, "a\nb\nc\n\nd");
    // Through a symbolic link the linked file gets the text; the link stays.
    fs::create_symlink("t.txt", Path("link.txt"));
    ASSERT_TRUE(WriteText(Path("link.txt"), "neu", error)) << error;
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_EQ(Bytes(Path("t.txt")), "neu");
    EXPECT_EQ(Entries(), (std::set<std::string>{"a.TA3", "link.txt", "t.txt"}));
}

TEST_F(TextFileTest, ReadsLfCrLfAndAMissingLastLineEndAndReportsAMissingFile) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}}, {"a\r\n\r\nb\r\n", {"a", "", "b"}}, {"a\nb\r\nc", {"a", "b", "c"}}, {"a\rb\r", {"a", "b"}}};
    for (const auto& [bytes, expected] : cases) {
        PutFile("in.txt", bytes);
        std::vector<std::string> lines{"stale"};
        std::string error;
        ASSERT_TRUE(ReadTextLines(Path("in.txt"), lines, error)) << error;
        EXPECT_EQ(lines, expected) << "bytes: " << bytes;
    }
    // What cannot be read is reported in German, by name; a pipe or a folder is refused at once.
    ASSERT_EQ(::mkfifo(Path("pipe.TA3").c_str(), 0644), 0);
    fs::create_symlink("loop.TA3", Path("loop.TA3"));
    const std::pair<std::string, const char*> unreadable[] = {{Path("nicht-da.TA3"), "nicht gefunden"},
        {Path("pipe.TA3"), "keine gew\xC3\xB6hnliche Datei"}, {dir_.string(), "nicht gelesen werden"},
        {Path("loop.TA3"), "im Kreis"}, {Path(std::string(300, 'x') + ".TA3"), "zu lang"}};
    for (const auto& [path, reason] : unreadable) {
        std::vector<std::string> lines;
        std::string error;
        EXPECT_FALSE(ReadTextLines(path, lines, error));
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_NE(error.find(fs::path(path).filename().string().substr(0, 8)), std::string::npos) << error;
    }
    // A Latin-1 name opens as its bytes and, named in Windows-1252 text, by its UTF-8 form, which also
    // replaces it.
    PutFile("Messung \xE4.TA3", "x\r\n");
    for (const std::string name : {"Messung \xE4.TA3", "Messung \xC3\xA4.TA3"}) {
        std::vector<std::string> lines;
        std::string error;
        EXPECT_TRUE(ReadTextLines(Path(name), lines, error)) << error;
        EXPECT_EQ(lines, std::vector<std::string>{"x"});
    }
    std::string error;
    ASSERT_TRUE(WriteText(Path("Messung \xC3\xA4.TA3"), "y", error)) << error;
    EXPECT_EQ(Bytes(Path("Messung \xE4.TA3")), "y");
    EXPECT_FALSE(fs::exists(Path("Messung \xC3\xA4.TA3")));
}

// Writes that must fail, each in a child process whose limits and user die with it: the old file stays
// byte for byte, with the reason by name, and no temporary file is left. A write that reaches the
// file-size limit half-way fails as a full disk (with the start-up's signal setting; without it the
// signal would end the program); the old file is writable there, so only the limit can refuse the write,
// whoever runs the suite. A file the user may not write is not replaced, although the folder would allow
// the rename; run as a plain user, as root may write anything.
TEST_F(TextFileTest, RefusedWritesKeepTheOldFile) {
    const std::string old = "alter Inhalt " + kUmlautBytes + "\r\n";
    struct Case {
        const char* what;
        fs::perms oldMode;
        std::function<bool()> prepare;  // in the child; false when it cannot be arranged
        const char* reason;
    };
    const fs::perms readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const Case cases[] = {
        {"file-size limit", readable | fs::perms::owner_write, [] {
             IgnoreFileSizeSignal();
             rlimit small{};
             ::getrlimit(RLIMIT_FSIZE, &small);
             small.rlim_cur = 1000;
             return ::setrlimit(RLIMIT_FSIZE, &small) == 0;
         }, "Der Datentr\xC3\xA4ger ist voll."},
        {"write-protected file", readable, [] { return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0); },
         "Zugriff verweigert."},
    };
    fs::permissions(dir_, fs::perms::all);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PutFile("TARLASTSESSION.TC3", old);
        fs::permissions(Path("TARLASTSESSION.TC3"), c.oldMode);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (!c.prepare()) ::_exit(3);
            std::string error;
            const bool written =
                WriteTextLines(Path("TARLASTSESSION.TC3"), std::vector<std::string>(100, std::string(100, 'y')), error);
            ::_exit(written ? 1 : error.find(c.reason) != std::string::npos && error.find("TARLASTSESSION") != std::string::npos ? 0 : 2);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(Bytes(Path("TARLASTSESSION.TC3")), old);
        EXPECT_EQ(Entries(), std::set<std::string>{"TARLASTSESSION.TC3"});
    }
}

// ---- Key filter, hourglass, path and file helpers ----

using namespace kernel;

using UtilitiesFiles = ktest::TempDirTest;

// The hourglass shows once for nested calls and goes with the last; bare file names are looked up in the
// program directory.
TEST_F(UtilitiesFiles, HourglassPathStringAndFileHelpers) {
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
    fs::create_directory(Path("sub"));
    PutFile("data.ta3", "x");
    AppPath = dir_.string();
    EXPECT_EQ((std::vector<bool>{FileExists("data.ta3"), FileExists("*.ta3"), FileExists("sub"), FileExists("")}),
              (std::vector<bool>{true, true, false, false}));
}
