#include "kernel/DataFile.h"

#include <cmath>
#include <string>
#include <vector>

#include "kernel/DataSet.h"
#include "kernel/State.h"
#include "kernel/TimeUnits.h"
#include "platform/core/ExactNumber.h"
#include "platform/core/MsgBox.h"
#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"

namespace kernel {

const char* const kDataFileHeader = "t, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)";

namespace {

constexpr int kIntegerMin = -32768;
constexpr int kIntegerMax = 32767;   // row counts and flags are 16-bit integers

// A failure while reading, with the text the message shows.
struct ReadError {
    std::string text;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string TrimBlanks(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// Sequential reader over the file text (UTF-8, line ends "\n"): whole lines and comma-separated items.
class ItemReader {
public:
    explicit ItemReader(const std::string& text) : s_(text) {}

    std::string Line() {
        if (pos_ >= s_.size()) PastEnd();
        const std::size_t end = s_.find('\n', pos_);
        std::string line = s_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_);
        pos_ = end == std::string::npos ? s_.size() : end + 1;
        ++line_;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }

    // The next item: blanks and line ends before it are skipped; it ends at a comma or a line end,
    // which are consumed; surrounding blanks and quotes are removed. An item right before a comma is empty.
    std::string Item() {
        while (pos_ < s_.size() && (IsBlank(s_[pos_]) || s_[pos_] == '\n')) {
            if (s_[pos_] == '\n') ++line_;
            ++pos_;
        }
        if (pos_ >= s_.size()) PastEnd();
        itemLine_ = line_ + 1;
        std::string item;
        if (s_[pos_] == '"') {
            const std::size_t close = s_.find_first_of("\"\n", pos_ + 1);
            const std::size_t end = close == std::string::npos ? s_.size() : close;
            item = s_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = (close != std::string::npos && s_[close] == '"') ? close + 1 : end;
            while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
        } else {
            const std::size_t end = s_.find_first_of(",\n", pos_);
            item = TrimBlanks(s_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_));
            pos_ = end == std::string::npos ? s_.size() : end;
        }
        if (pos_ < s_.size() && (s_[pos_] == ',' || s_[pos_] == '\n')) {
            if (s_[pos_] == '\n') ++line_;
            ++pos_;
        }
        return item;
    }

    double Number() {
        const std::string item = Item();
        if (item.empty()) return 0.0;
        if (!platform::IsNumeric(item)) Fail("Typen unverträglich: \"" + item + "\" ist keine Zahl");
        const double v = platform::Val(item);
        if (!std::isfinite(v)) Overflow(item);
        return v;
    }

    float Single() {
        const std::string item = Item();
        if (item.empty()) return 0.0f;
        if (!platform::IsNumeric(item)) Fail("Typen unverträglich: \"" + item + "\" ist keine Zahl");
        const double v = platform::Val(item);
        if (!platform::FitsSingle(v)) Overflow(item);  // converting it would not be defined
        return static_cast<float>(v);
    }

    int Integer() {
        const std::string item = Item();
        if (item.empty()) return 0;
        if (!platform::IsNumeric(item)) Fail("Typen unverträglich: \"" + item + "\" ist keine ganze Zahl");
        const double v = std::nearbyint(platform::Val(item));
        if (!(v >= kIntegerMin && v <= kIntegerMax)) Overflow(item);
        return static_cast<int>(v);
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw ReadError{what + " (Zeile " + std::to_string(itemLine_) + ")."};
    }

private:
    [[noreturn]] void PastEnd() const {
        throw ReadError{"Einlesen hinter Dateiende: die Datei endet vor den angekündigten Daten."};
    }
    [[noreturn]] void Overflow(const std::string& item) const { Fail("Überlauf: \"" + item + "\""); }

    const std::string& s_;
    std::size_t pos_ = 0;
    int line_ = 0;       // lines consumed so far
    int itemLine_ = 0;   // line of the item read last
};

// The first item of a line: up to a comma, blanks and quotes removed.
std::string FirstItem(const std::string& line) {
    const std::string t = TrimBlanks(line);
    if (!t.empty() && t[0] == '"') {
        const std::size_t close = t.find('"', 1);
        return t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return TrimBlanks(t.substr(0, t.find(',')));
}

std::string ReadFileText(const std::string& fileName) {
    std::string text, error;
    if (!platform::ReadText(fileName, text, error)) throw ReadError{error.empty() ? "Datei nicht gefunden" : error};
    return text;
}

// One line of text in a printed line: line breaks inside it would shift every later line.
std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

// A value the file cannot carry: the save is refused with this text.
struct WriteRefusal {
    std::string text;
};

[[noreturn]] void RefuseValue(int row, const char* field, double v) {
    throw WriteRefusal{"Der Wert " + platform::StrDouble(v) + " im Feld " + field +
                       (row > 0 ? " der Zeile " + std::to_string(row) : std::string()) +
                       " liegt außerhalb des Bereichs, den die Datendatei aufnehmen kann.\r\n"
                       "Die Datei wurde nicht gespeichert."};
}

// Number texts of a written line: the short form, or more digits where it would not read back equal.
// Double fields take every finite value; single fields every value within the range of a Single.
std::string NumDouble(double v, int row, const char* field) {
    if (!std::isfinite(v)) RefuseValue(row, field, v);
    return platform::ExactDouble(v);
}

std::string NumSingle(double v, int row, const char* field) {
    if (!std::isfinite(v) || !platform::FitsSingle(v)) RefuseValue(row, field, v);
    return platform::ExactSingle(static_cast<float>(v));
}

// lambda_inf is written as the Double it is held as, but read as a Single: it must lie within that range.
std::string NumLambdaInf(double v) {
    if (!std::isfinite(v) || !platform::FitsSingle(v)) RefuseValue(0, "lambda_inf", v);
    return platform::ExactDouble(v);
}

// The time is a single field, but the reader takes it in double precision: a time beyond the range of a
// Single (only a file written elsewhere holds one) is written in double precision, so it reads back.
std::string NumTime(double v, int row) {
    if (std::isfinite(v) && !platform::FitsSingle(v)) return platform::ExactDouble(v);
    return NumSingle(v, row, "t");
}

}  // namespace

void WriteDataFile(const std::string& fileName, int& written) {
    written = kTrue;
    const int n = DataRowCount();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(n) + 4);
    lines.push_back(OneLine(DatenKommentar));
    lines.push_back(OneLine(ZeitEinheit));
    lines.push_back(kDataFileHeader);
    lines.push_back(std::to_string(n));
    try {
        const std::string lInf = NumLambdaInf(lambdaInf);
        static const char* const kConc[] = {"", "cA", "cB", "cC", "cP", "cQ"};
        for (int i = 1; i <= n; ++i) {
            const ExpPunkt& p = ExpDaten[static_cast<std::size_t>(i)];
            std::string row = NumTime(p.t, i);
            for (int s = 1; s <= kSpecies; ++s) row += "," + NumDouble(p.c[static_cast<std::size_t>(s)], i, kConc[s]);
            row += "," + NumDouble(p.k, i, "k") + "," + NumDouble(p.T, i, "T") + "," + NumSingle(p.lambda, i, "lambda") +
                   "," + lInf + "," + NumSingle(p.res3, i, "res3") + "," + NumSingle(p.res4, i, "res4") + "," +
                   std::to_string(p.exclude);
            lines.push_back(row);
        }
    } catch (const WriteRefusal& r) {
        platform::MsgBox(r.text, platform::MsgCritical, "Meldung von WriteDataFile");
        written = kFalse;
        return;
    }
    std::string error;
    if (!platform::WriteTextLines(fileName, lines, error)) {
        platform::MsgBox(error.empty() ? "Die Datei konnte nicht geschrieben werden." : error, platform::MsgCritical,
                         "Meldung von WriteDataFile");
        written = kFalse;
    }
}

void LoadExpFile(const std::string& fileName, int& append, int& loaded) {
    const bool appending = append != 0;
    const int oldCount = appending ? DataRowCount() : 0;
    std::string comment, unit;
    std::vector<ExpPunkt> rows;
    double newLambdaInf = lambdaInf;
    try {
        const std::string text = ReadFileText(fileName);
        ItemReader in(text);
        comment = in.Line();
        unit = FirstItem(in.Line());
        in.Line();
        const int count = in.Integer();
        if (count < 0) in.Fail("Ungültige Anzahl der Messpunkte: " + std::to_string(count));
        if (oldCount + count > kIntegerMax) in.Fail("Überlauf: zu viele Messpunkte");
        rows.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            ExpPunkt p;
            p.t = in.Number();
            for (int s = 1; s <= kSpecies; ++s) p.c[s] = in.Number();
            p.k = in.Number();
            p.T = in.Number();
            p.lambda = in.Single();
            const float rowLambdaInf = in.Single();
            if (rowLambdaInf > 0) newLambdaInf = rowLambdaInf;
            p.res3 = in.Single();
            p.res4 = in.Single();
            p.exclude = in.Integer();
            rows.push_back(p);
        }
    } catch (const ReadError& e) {
        platform::MsgBox(e.text, platform::MsgCritical, "Meldung von LoadExpFile");
        return;
    }

    const ExpPunkt row0 = ExpDaten.empty() ? ExpPunkt{} : ExpDaten[0];
    ExpDaten.resize(static_cast<std::size_t>(oldCount) + 1);
    ExpDaten[0] = row0;
    ExpDaten.insert(ExpDaten.end(), rows.begin(), rows.end());
    nMesspunkte = oldCount + static_cast<int>(rows.size());
    if (!appending) DatenKommentar = comment;
    ZeitEinheit = unit;
    const int idx = ZeitEinheitIndexOf(unit);
    ZeitEinheitIdx = idx >= 0 ? idx : 0;
    lambdaInf = newLambdaInf;
    loaded = kTrue;
}

void ViewExpFile(const std::string& fileName, std::string& comment, std::string& unitText, int& count, int& ok) {
    ok = kFalse;
    try {
        const std::string text = ReadFileText(fileName);
        ItemReader in(text);
        comment = in.Line();
        unitText = FirstItem(in.Line());
        in.Line();
        count = in.Integer();
        ok = kTrue;
    } catch (const ReadError& e) {
        platform::MsgBox(e.text, platform::MsgCritical, "Meldung von ViewExpFile");
    }
}

}  // namespace kernel
