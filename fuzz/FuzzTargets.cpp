#include "fuzz/FuzzTargets.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "experiment/XYFile.h"
#include "kernel/DataFile.h"
#include "kernel/State.h"
#include "platform/ChartModel.h"
#include "platform/core/ExactNumber.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"
#include "shell/ProjectFile.h"

namespace fuzz {
namespace {

void Expect(bool ok, const std::string& what) {
    if (!ok) throw FuzzFailure{what};
}

std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

std::string PutFile(const std::string& name, const std::string& bytes) {
    const std::string path = ScratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

// Exact text of a number; -0 counts as the 0 it equals (the files write no sign for a zero).
std::string Hex(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%a,", v == 0 ? 0.0 : v);
    return buf;
}

// ---- data file -------------------------------------------------------------------------------

// The rows exactly; with singleTime the time as the single-precision value the file carries.
std::string DataRows(bool singleTime = false) {
    std::string s = std::to_string(kernel::nMesspunkte) + "|" + Hex(kernel::lambdaInf) + "\n";
    for (const kernel::ExpPunkt& p : kernel::ExpDaten) {
        const double t = singleTime && platform::FitsSingle(p.t) ? static_cast<float>(p.t) : p.t;
        for (double v : {t, p.c[1], p.c[2], p.c[3], p.c[4], p.c[5], p.T, p.k, double{p.lambda}, double{p.res3},
                         double{p.res4}, double(p.exclude)})
            s += Hex(v);
        s += "\n";
    }
    return s;
}

// The first line in which two dumps differ, both versions.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t start = 0;
    while (start < a.size() && start < b.size()) {
        const std::size_t ea = a.find('\n', start), eb = b.find('\n', start);
        const std::string la = a.substr(start, ea - start), lb = b.substr(start, eb - start);
        if (la != lb) return la + " / " + lb;
        if (ea == std::string::npos) break;
        start = ea + 1;
    }
    return "(lengths " + std::to_string(a.size()) + ", " + std::to_string(b.size()) + ")";
}

std::string DataState() {
    return kernel::DatenKommentar + "|" + kernel::ZeitEinheit + "|" + std::to_string(kernel::ZeitEinheitIdx) + "|" +
           DataRows();
}

void DataFileTarget(const std::uint8_t* data, std::size_t size) {
    using namespace kernel;
    const std::string path = PutFile("f.TA3", Text(data, size));
    for (int append : {kFalse, kTrue}) {
        ExpDaten.assign(1, ExpPunkt{});
        ExpPunkt old;
        old.t = 7;
        old.c[1] = 0.9;
        ExpDaten.push_back(old);
        nMesspunkte = 1;
        DatenKommentar = "alt";
        ZeitEinheit = "h";
        ZeitEinheitIdx = 2;
        lambdaInf = 4.0;
        const std::string before = DataState();
        int loaded = kFalse, mode = append;
        LoadExpFile(path, mode, loaded);
        if (loaded != kTrue) {
            Expect(DataState() == before, "a failed data-file load changed the data set");
            continue;
        }
        // What was read is written and read back: the time in single precision, every other field as read.
        const std::string read = DataRows(true);
        const std::string copy = ScratchDir() + "/g.TA3";
        int written = kFalse;
        WriteDataFile(copy, written);
        Expect(written == kTrue, "a data set that was read could not be written");
        mode = kFalse;
        loaded = kFalse;
        LoadExpFile(copy, mode, loaded);
        Expect(loaded == kTrue, "a written data file could not be read back");
        if (append == kFalse) Expect(DataRows(true) == read, "a data file did not read back the values written: " +
                                                                 FirstDifference(read, DataRows(true)));
    }
}

// ---- project and last-session file ------------------------------------------------------------

std::string ProjectState() {
    using namespace kernel;
    std::string s = std::to_string(aktModell) + "|" + std::to_string(EnzymRcsModus) + "|" +
                    std::to_string(SpezSkalierung) + "|" + std::to_string(SpezSkalierungStoff) + "|" +
                    std::to_string(FitAnzeigeModus) + "|" + ZeitEinheit + "|" + ProjektKommentar + "|";
    for (double v : kWert) s += Hex(v);
    for (double v : c0Wert) s += Hex(v);
    return s + Hex(tMax) + Hex(tauMittel);
}

void ProjectFileTarget(const std::uint8_t* data, std::size_t size) {
    using namespace kernel;
    const std::string path = PutFile("p.TC3", Text(data, size));
    aktModell = 2;
    EnzymRcsModus = kFalse;
    kWert = {0, 0.15, 0.05, 0.01};
    c0Wert = {0, 1, 0.5, 0, 0, 0};
    tMax = 40;
    tauMittel = 10;
    ZeitEinheit = "s";
    ProjektKommentar = "alt";
    const std::string before = ProjectState();
    std::string dataName;
    bool ok = false;
    shell::LoadProjectFile(path, dataName, ok);
    if (!ok) {
        Expect(ProjectState() == before, "a failed project load changed the state");
        return;
    }
    // The values taken over are written as the program writes its session and read back unchanged.
    const auto lines = shell::ProjectFileLines();
    std::string error;
    const std::string copy = ScratchDir() + "/TARLASTSESSION.TC3";
    Expect(platform::WriteTextLines(copy, std::vector<std::string>(lines.begin(), lines.end()), error), error);
    shell::ProjektDaten rec;
    Expect(shell::ReadProjectRecord(copy, rec, error), "a written session file could not be read: " + error);
    bool same = rec.nKonz == kSpecies && rec.tMax == tMax && rec.tauMittel == tauMittel &&
                rec.SpezSkalierungStoff == SpezSkalierungStoff && rec.FitAnzeigeModus == FitAnzeigeModus;
    for (int i = 1; i <= 3; ++i) same = same && rec.k[static_cast<std::size_t>(i)] == kWert[static_cast<std::size_t>(i)];
    for (int i = 1; i <= kSpecies; ++i) same = same && rec.c0[static_cast<std::size_t>(i)] == c0Wert[static_cast<std::size_t>(i)];
    Expect(same, "a session file did not read back the values written");
}

// ---- chart layout -----------------------------------------------------------------------------

void LayoutTarget(const std::uint8_t* data, std::size_t size) {
    using platform::chartmodel::Model;
    Model m;
    const std::string before = platform::chartmodel::ModelToText(m);
    std::string error;
    // The reader gets the file's bytes as text, decoded as the layout file's reader does.
    if (!platform::chartmodel::ModelFromText(platform::TextFromFileBytes(Text(data, size)), m, error)) {
        Expect(platform::chartmodel::ModelToText(m) == before, "a refused layout changed the chart");
        return;
    }
    const std::string written = platform::chartmodel::ModelToText(m);
    Model again;
    Expect(platform::chartmodel::ModelFromText(written, again, error), "a written layout was refused: " + error);
    Expect(platform::chartmodel::ModelToText(again) == written, "a layout did not read back as written");
}

// ---- X-Y file and clipboard text ---------------------------------------------------------------

// The X-Y file carries seven significant digits (".1234567E+01"): a rounding of up to 5e-7 relative, plus
// the single-precision step of the value read back.
bool Close(float a, float b) {
    return a == b || std::fabs(a - b) <= 6e-7f * std::fabs(b) || std::fabs(a - b) < 1e-44f;
}

void XYTarget(const std::uint8_t* data, std::size_t size) {
    const std::string bytes = Text(data, size);
    // Clipboard text: line by line with the separator of each line.
    std::size_t from = 0;
    while (from <= bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        float x = 7, y = 7;
        if (experiment::LeseXYZeile(line, experiment::TrennerAusZeile(line), x, y)) {
            Expect(std::isfinite(x) && std::isfinite(y), "an X-Y line read as a value that is not finite");
        } else {
            Expect(x == 7 && y == 7, "a refused X-Y line changed the point");
        }
        from = end + 1;
    }
    // File.
    const std::string path = PutFile("f.XY", bytes);
    experiment::XYDateiInhalt inhalt;
    inhalt.kommentar = "alt";
    inhalt.punkte.assign(2, kernel::XYPunkt{});
    inhalt.punkte[1].x = 3;
    std::string error;
    if (!experiment::LeseXYDatei(path, inhalt, error)) {
        Expect(inhalt.kommentar == "alt" && inhalt.Anzahl() == 1 && inhalt.punkte[1].x == 3,
               "a refused X-Y file changed the list");
        return;
    }
    const std::string copy = ScratchDir() + "/g.XY";
    Expect(experiment::SchreibeXYDatei(copy, inhalt.kommentar, inhalt.punkte, inhalt.Anzahl(), error), error);
    experiment::XYDateiInhalt again;
    Expect(experiment::LeseXYDatei(copy, again, error), "a written X-Y file could not be read: " + error);
    Expect(again.Anzahl() == inhalt.Anzahl(), "an X-Y file read back another count of points");
    for (int i = 1; i <= inhalt.Anzahl(); ++i) {
        const auto& a = again.punkte[static_cast<std::size_t>(i)];
        const auto& b = inhalt.punkte[static_cast<std::size_t>(i)];
        Expect(Close(a.x, b.x) && Close(a.y, b.y), "an X-Y point did not read back as written: " + Hex(b.x) +
                                                       Hex(b.y) + " / " + Hex(a.x) + Hex(a.y));
    }
}

// ---- number reader ----------------------------------------------------------------------------

void NumberTarget(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    const double v = platform::Val(text);
    Expect(std::isfinite(v), "Val gave a value that is not finite");
    Expect(std::isfinite(platform::ValLocale(text)), "ValLocale gave a value that is not finite");
    if (platform::IsNumeric(text)) {
        // What the reader accepts the writers give back exactly.
        const std::string d = platform::ExactDouble(v);
        Expect(platform::IsNumeric(d) && platform::Val(d) == v, "ExactDouble did not read back: " + d);
        if (platform::FitsSingle(v)) {
            const float f = static_cast<float>(v);
            const std::string s = platform::ExactSingle(f);
            Expect(platform::IsNumeric(s) && platform::FitsSingle(platform::Val(s)) &&
                       static_cast<float>(platform::Val(s)) == f,
                   "ExactSingle did not read back: " + s);
        }
    }
    // A double taken from the raw bytes: every finite value writes and reads back.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            const std::string d = platform::ExactDouble(raw);
            Expect(platform::IsNumeric(d) && platform::Val(d) == raw, "ExactDouble did not read back: " + d);
        }
    }
}

// ---- text-file reader -------------------------------------------------------------------------

void TextFileTarget(const std::uint8_t* data, std::size_t size) {
    const std::string path = PutFile("t.txt", Text(data, size));
    std::vector<std::string> lines;
    std::string error;
    Expect(platform::ReadTextLines(path, lines, error), "an existing file could not be read: " + error);
    // The undefined bytes read as U+FFFD, which Windows-1252 writes as '?'.
    for (std::string& line : lines) {
        for (std::size_t p; (p = line.find("\xEF\xBF\xBD")) != std::string::npos;) line.replace(p, 3, "?");
    }
    const std::string copy = ScratchDir() + "/u.txt";
    Expect(platform::WriteTextLines(copy, lines, error), error);
    std::vector<std::string> again;
    Expect(platform::ReadTextLines(copy, again, error), error);
    Expect(again == lines, "text lines did not read back as written");
}

}  // namespace

const std::vector<NamedTarget>& Targets() {
    static const std::vector<NamedTarget> targets = {
        {"datafile", DataFileTarget}, {"projectfile", ProjectFileTarget}, {"layout", LayoutTarget},
        {"xy", XYTarget},             {"number", NumberTarget},           {"textfile", TextFileTarget},
    };
    return targets;
}

const std::string& ScratchDir() {
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) temp = "/tmp";
    static const std::string dir = (temp / ("tarvelo-fuzz-" + std::to_string(::getpid()))).string();
    std::filesystem::create_directories(dir, ec);
    return dir;
}

}  // namespace fuzz
