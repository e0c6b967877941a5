#include "experiment/XYFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/core/NumberFormat.h"
#include "platform/core/TextFile.h"

namespace experiment {
namespace {

constexpr const char* kZahlMaske = ".0000000E+00";
constexpr int kDruckEinzug = 12;   // print column of the list
constexpr int kDruckSpalteX = 20;
constexpr int kDruckSpalteY = 33;
constexpr int kDruckLinieLaenge = 35;

std::string OhneRandBlanks(const std::string& s) {
    const std::size_t a = s.find_first_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// Moves the print position to column col (counted from 1), as the printer's Tab does; text that
// already reaches the column is followed by one blank.
void Tab(std::string& line, int col) {
    const auto target = static_cast<std::size_t>(col - 1);
    if (line.size() < target) line.append(target - line.size(), ' ');
    else if (!line.empty()) line += ' ';
}

std::string Linie() { return std::string(kDruckEinzug - 1, ' ') + std::string(kDruckLinieLaenge, '-'); }

std::string Gross(std::string s) {
    for (char& c : s) {
        if (static_cast<unsigned char>(c) < 128) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

}  // namespace

std::string XYZahlText(float value) { return platform::WithDecimalPoint(platform::FormatSingle(value, kZahlMaske)); }

std::string TrennerAusZeile(const std::string& line) {
    std::string trenner;
    for (const char* kandidat : {" ", ",", ";", "\t"}) {
        if (line.find(kandidat) != std::string::npos) trenner = kandidat;
    }
    return trenner;
}

void ErkenneTrenner(const std::string& fileName, std::string& Trenner) {
    Trenner.clear();
    std::vector<std::string> lines;
    std::string error;
    if (!platform::ReadTextLines(fileName, lines, error) || lines.size() < 2) return;
    Trenner = TrennerAusZeile(lines[1]);
}

bool LeseXYZeile(const std::string& line, const std::string& Trenner, float& x, float& y) {
    if (Trenner.empty()) return false;
    // Columns set apart by blanks are often aligned: blanks around the line are no separator, and
    // a run of blanks is one.
    const bool blank = Trenner == " ";
    const std::string text = blank ? OhneRandBlanks(line) : line;
    const std::size_t p = text.find(Trenner);
    if (p == std::string::npos) return false;
    std::string rest = text.substr(blank ? text.find_first_not_of(' ', p) : p + Trenner.size());
    if (const std::size_t q = rest.find(Trenner); q != std::string::npos) rest.erase(q);
    const double xd = platform::Val(platform::WithDecimalPoint(text.substr(0, p)));
    const double yd = platform::Val(platform::WithDecimalPoint(rest));
    // Values beyond the range of a Single would be stored as infinities.
    if (std::fabs(xd) > 3.4028234e38 || std::fabs(yd) > 3.4028234e38) return false;
    x = static_cast<float>(xd);
    y = static_cast<float>(yd);
    return true;
}

bool LeseXYDatei(const std::string& path, XYDateiInhalt& inhalt, std::string& error) {
    std::vector<std::string> lines;
    if (!platform::ReadTextLines(path, lines, error)) return false;
    XYDateiInhalt neu;
    neu.trenner = lines.size() >= 2 ? TrennerAusZeile(lines[1]) : std::string();
    neu.kommentar = lines.empty() ? std::string() : lines[0];
    neu.punkte.assign(1, kernel::XYPunkt{});
    for (std::size_t i = 1; i < lines.size(); ++i) {
        kernel::XYPunkt p;
        if (LeseXYZeile(lines[i], neu.trenner, p.x, p.y)) neu.punkte.push_back(p);
    }
    if (neu.Anzahl() == 0) {
        error = "Die Datei \"" + path + "\" enthält keine x-y-Punkte.";
        return false;
    }
    neu.punkte[0].x = static_cast<float>(neu.Anzahl());
    inhalt = std::move(neu);
    return true;
}

std::vector<std::string> XYDateiZeilen(const std::string& kommentar, const std::vector<kernel::XYPunkt>& liste,
                                       int n) {
    // The comment must stay one line, or its second part would be read as data.
    std::string eineZeile = kommentar;
    std::replace_if(eineZeile.begin(), eineZeile.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::vector<std::string> lines{eineZeile};
    const int letzter = std::min(n, static_cast<int>(liste.size()) - 1);
    for (int i = 1; i <= letzter; ++i) {
        const kernel::XYPunkt& p = liste[static_cast<std::size_t>(i)];
        if (p.status == -1) continue;
        lines.push_back(XYZahlText(p.x) + kXYTrennerSchreiben + XYZahlText(p.y));
    }
    return lines;
}

bool SchreibeXYDatei(const std::string& path, const std::string& kommentar,
                     const std::vector<kernel::XYPunkt>& liste, int n, std::string& error) {
    return platform::WriteTextLines(path, XYDateiZeilen(kommentar, liste, n), error);
}

std::string XYVerzeichnis(const std::string& path) {
    const std::size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::vector<std::string> XYDruckZeilen(const std::string& dateiName, const std::string& stempel,
                                       const std::vector<kernel::XYPunkt>& liste, int n) {
    const std::string einzug(kDruckEinzug - 1, ' ');
    std::vector<std::string> z{"", "", ""};
    if (dateiName.empty()) {
        z.push_back(einzug + "Liste XY-Daten vom " + stempel);
        z.emplace_back();
    } else {
        z.push_back(einzug + "Liste von XY-Datenfile " + Gross(dateiName));
        z.emplace_back();
        z.push_back(einzug + stempel);
    }
    z.emplace_back();
    z.push_back(Linie());
    std::string kopf;
    Tab(kopf, kDruckEinzug + 9);
    kopf += "X";
    Tab(kopf, kDruckSpalteY + 1);
    kopf += "Y";
    z.push_back(kopf);
    z.push_back(Linie());
    const int letzter = std::min(n, static_cast<int>(liste.size()) - 1);
    for (int i = 1; i <= letzter; ++i) {
        const kernel::XYPunkt& p = liste[static_cast<std::size_t>(i)];
        if (p.status == -1) continue;
        std::string zeile;
        Tab(zeile, kDruckEinzug);
        zeile += std::to_string(i);
        Tab(zeile, kDruckSpalteX);
        zeile += platform::StrSingle(p.x);
        Tab(zeile, kDruckSpalteY);
        zeile += platform::StrSingle(p.y);
        z.push_back(zeile);
    }
    z.push_back(Linie());
    return z;
}

}  // namespace experiment
