#include "shell/ProjectFile.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "kernel/State.h"
#include "platform/WindowRegistry.h"
#include "platform/core/ExactNumber.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"

namespace shell {
namespace {

// Runtime texts of the failures a project read can meet.
const char* const kPastEnd = "Einlesen hinter Dateiende";
const char* const kTypeMismatch = "Typen unverträglich";
const char* const kOutOfRange = "Index außerhalb des gültigen Bereichs";
const char* const kOverflow = "Überlauf";

const char* const kWriteErrorTitle = "Fehler beim Abspeichern der Sitzungs-Datei\r\n(evtl. fehlende Schreibrechte)";

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string WithoutQuotes(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    return s;
}

std::string Upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

// Fields of lines 4.. as the sequential reader sees them: split at commas and line ends; a quoted
// field may hold commas; blanks around a field do not count.
class FieldStream {
public:
    explicit FieldStream(const std::vector<std::string>& lines, std::size_t from) {
        for (std::size_t i = from; i < lines.size(); ++i) Split(lines[i]);
    }

    bool Text(std::string& out) {
        if (next_ >= fields_.size()) return Fail(kPastEnd);
        out = fields_[next_++];
        return true;
    }
    bool Number(double& out) {
        std::string field;
        if (!Text(field)) return false;
        if (!platform::IsNumeric(field)) return Fail(kTypeMismatch);
        out = platform::Val(field);
        if (!std::isfinite(out)) return Fail(kOverflow);
        return true;
    }
    // A 16-bit Integer field; a fraction is rounded as the reader rounds it.
    bool Integer(int& out) {
        double v = 0;
        if (!Number(v)) return false;
        v = std::nearbyint(v);
        if (v < -32768.0 || v > 32767.0) return Fail(kOverflow);
        out = static_cast<int>(v);
        return true;
    }
    bool AtEnd() const { return next_ >= fields_.size(); }
    const std::string& Error() const { return error_; }

private:
    void Split(const std::string& line) {
        std::string field;
        bool quoted = false;
        for (char ch : line) {
            if (ch == '"') {
                quoted = !quoted;
            } else if (ch == ',' && !quoted) {
                fields_.push_back(Trim(field));
                field.clear();
            } else {
                field += ch;
            }
        }
        fields_.push_back(Trim(field));
    }
    bool Fail(const char* text) {
        error_ = text;
        return false;
    }

    std::vector<std::string> fields_;
    std::size_t next_ = 0;
    std::string error_;
};

bool ValidModelCode(int code) {
    return (code >= 1 && code <= kernel::kModels) || code == kernel::kEnzymRcsProjektCode ||
           code == kernel::BAKModellCode;
}

// Numbers of the comma-separated lines: the short form without its leading blank, decimal point; more
// digits where the short form would not read back equal (near the largest Double it would not read at all).
std::string WriteNumber(double value) { return platform::ExactDouble(value); }

std::string FileNamePart(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

CommentPrompt& commentPromptSlot() {
    static CommentPrompt prompt;
    return prompt;
}

// The comment window, shown modally; it stores its answer in ProjektKommentar itself.
void DefaultCommentPrompt() {
    platform::Windows().ShowModal("frmCommentInput");
    platform::Windows().Unload("frmCommentInput");
}

}  // namespace

bool ReadProjectRecord(const std::string& fileName, ProjektDaten& rec, std::string& error) {
    std::vector<std::string> lines;
    if (!platform::ReadTextLines(fileName, lines, error)) return false;
    if (lines.size() < 3) {
        error = kPastEnd;
        return false;
    }
    rec = ProjektDaten{};
    rec.Kommentar = lines[1];
    rec.DatenName = WithoutQuotes(lines[2]);

    FieldStream in(lines, 3);
    double unused = 0;
    bool good = in.Integer(rec.ModellCode);
    if (good && !ValidModelCode(rec.ModellCode)) {
        error = "Unzulässige Modellnummer " + std::to_string(rec.ModellCode) + " in der Projektdatei";
        return false;
    }
    for (int i = 1; good && i <= 3; ++i) good = in.Number(rec.k[i]);
    good = good && in.Integer(rec.FensterCode) && in.Integer(rec.nKonz);
    if (good && (rec.nKonz < 0 || rec.nKonz > kernel::kSpecies)) {
        error = kOutOfRange;
        return false;
    }
    for (int i = 1; good && i <= rec.nKonz; ++i) good = in.Number(rec.c0[i]);
    int ignored = 0;
    good = good && in.Integer(rec.SpezSkalierungStoff) && in.Integer(rec.SpezSkalierung) &&
           in.Integer(rec.FitAnzeigeModus) && in.Integer(ignored) && in.Integer(ignored) && in.Integer(ignored) &&
           in.Number(rec.tMax) && in.Number(rec.tauMittel) && in.Number(unused) && in.Number(unused) &&
           in.Text(rec.ZeitEinheit);
    // Line 20 carries nothing; a file that ends before it is still complete.
    if (!good) {
        error = in.Error();
        return false;
    }
    rec.ZeitEinheit = Trim(WithoutQuotes(rec.ZeitEinheit));
    return true;
}

int ProjektFensterCode() {
    static const char* const windows[] = {"frmPrepareTimeDiagram", "frmBatch", "frmRohrreaktor",
                                          "frmRKconti", "frmKaskade", "frmTFitting"};
    int code = 0;
    for (int i = 0; i < 6; ++i)
        if (platform::Forms().IsLoaded(windows[i])) code = i + 1;
    return code;
}

std::array<std::string, 20> ProjectFileLines() {
    using namespace kernel;
    std::array<std::string, 20> l;
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    l[0] = (locale.toString(now.date(), QLocale::ShortFormat) + " " + now.time().toString("HH:mm:ss")).toStdString();
    l[1] = ProjektKommentar;
    l[2] = FileNamePart(DatenFile);
    const int code = (aktModell == 10 && EnzymRcsModus) ? kEnzymRcsProjektCode : aktModell;
    l[3] = (code >= 0 ? " " : "") + std::to_string(code);
    l[4] = WriteNumber(kWert[1]) + "," + WriteNumber(kWert[2]) + "," + WriteNumber(kWert[3]);
    l[5] = std::to_string(ProjektFensterCode());
    l[6] = std::to_string(kSpecies);
    for (int i = 1; i <= kSpecies; ++i) l[6 + i] = WriteNumber(c0Wert[i]);
    l[12] = std::to_string(SpezSkalierungStoff);
    l[13] = SpezSkalierung ? "-1" : "0";
    l[14] = std::to_string(FitAnzeigeModus) + ",0,0,0";
    l[15] = WriteNumber(tMax);
    l[16] = WriteNumber(tauMittel);
    l[17] = "0,0";
    l[18] = ZeitEinheit;
    l[19] = "";
    return l;
}

bool IsSessionFileName(const std::string& fileName) {
    static const std::string kSession = "TARLASTSESSION.TC3";
    if (fileName.size() < kSession.size()) return false;
    return Upper(fileName.substr(fileName.size() - kSession.size())) == kSession;
}

bool WriteProjectFile(const std::string& fileName) {
    if (!IsSessionFileName(fileName)) AskProjectComment();
    const auto lines = ProjectFileLines();
    std::string error;
    if (!platform::WriteTextLines(fileName, std::vector<std::string>(lines.begin(), lines.end()), error)) {
        platform::MsgBox(error, platform::MsgCritical, kWriteErrorTitle);
        return false;
    }
    return true;
}

void LoadProjectFile(const std::string& fileName, std::string& dataName, bool& ok) {
    using namespace kernel;
    ProjektDaten rec;
    std::string error;
    ok = ReadProjectRecord(fileName, rec, error);
    if (!ok) {
        platform::MsgBox(error, platform::MsgCritical, " Ausführung nicht möglich ");
        return;
    }
    dataName = rec.DatenName;
    if (!dataName.empty() && (dataName.size() < 3 || Upper(dataName.substr(dataName.size() - 3)) != "TA3")) {
        platform::MsgBox("Datenfile ist nicht vom Typ *.TA3 und kann nicht geladen werden", platform::MsgExclamation,
                         "Warnung");
        dataName.clear();
    }
    ProjektKommentar = rec.Kommentar;
    if (rec.ModellCode == kEnzymRcsProjektCode) {
        aktModell = 10;
        EnzymRcsModus = kTrue;
    } else if (rec.ModellCode != BAKModellCode) {
        // A session written while the blood-alcohol window was open keeps the current model.
        aktModell = rec.ModellCode;
        EnzymRcsModus = kFalse;
    }
    for (int i = 1; i <= 3; ++i) kWert[i] = rec.k[i];
    for (int i = 1; i <= rec.nKonz; ++i) c0Wert[i] = rec.c0[i];
    SpezSkalierungStoff = rec.SpezSkalierungStoff;
    SpezSkalierung = rec.SpezSkalierung == -1 ? kTrue : kFalse;
    FitAnzeigeModus = rec.FitAnzeigeModus;
    tMax = rec.tMax;
    tauMittel = rec.tauMittel;
    ZeitEinheit = rec.ZeitEinheit;
}

void ViewProjectFile(const std::string& fileName, std::string& dateText, std::string& comment,
                     std::string& dataName, bool& ok) {
    ok = true;
    platform::Forms().SetEnabled("frmTCmnDlg", "cmdOpenOK", -1, true);
    std::vector<std::string> lines;
    std::string error;
    if (!platform::ReadTextLines(fileName, lines, error) || lines.size() < 3) {
        if (error.empty()) error = kPastEnd;
        ok = false;
        platform::MsgBox(error, platform::MsgCritical, "FEHLER");
        return;
    }
    dateText = Trim(lines[0].substr(0, lines[0].find(',')));
    comment = lines[1];
    dataName = lines[2];
}

void SetCommentPrompt(CommentPrompt prompt) { commentPromptSlot() = std::move(prompt); }

void AskProjectComment() {
    if (commentPromptSlot())
        commentPromptSlot()();
    else
        DefaultCommentPrompt();
}

}  // namespace shell
