#pragma once
// X-Y point files (*.XY, also read as *.LRG): a comment line, then one line "x;y" per active point.
// Plain C++ so that reading, writing and the separator detection are used and tested without a
// window. Files are Windows-1252 with CRLF line ends (platform/core/TextFile.h); numbers carry a
// decimal point whatever the locale.
#include <string>
#include <vector>

#include "kernel/State.h"

namespace experiment {

// The separator the editor writes.
inline constexpr const char* kXYTrennerSchreiben = ";";

// Number text of a file value: mask ".0000000E+00" with a decimal point (1 gives ".1000000E+01",
// -250 "-.2500000E+03", 0 ".0000000E+00").
std::string XYZahlText(float value);

// The separator of a data line: " ", ",", ";" and Tab are tested in this order and the last one the
// line contains wins (Tab over ";" over "," over " "); "" when it holds none of them.
std::string TrennerAusZeile(const std::string& line);

// Separator detection of a file from its second line. Trenner := the separator, or "" when the
// file has no second line, the line holds no separator or the file cannot be read.
void ErkenneTrenner(const std::string& fileName, std::string& Trenner);

// One data line: x := the text before the first separator, y := the text after it up to a second
// separator (a third column is ignored); "," in the number texts reads as ".". With the blank as
// separator, blanks at the start and end of the line are ignored and a run of blanks separates
// once. False (x, y unchanged) when the separator is empty or the line does not hold it.
bool LeseXYZeile(const std::string& line, const std::string& Trenner, float& x, float& y);

// Content of a file as read: the comment line, the separator found, and the points (all active),
// in the editor's numbering: punkte[0].x = count n, punkte[1..n] the points.
struct XYDateiInhalt {
    std::string kommentar;
    std::string trenner;
    std::vector<kernel::XYPunkt> punkte;
    int Anzahl() const { return punkte.empty() ? 0 : static_cast<int>(punkte.size()) - 1; }
};

// Reads an X-Y point file. Data lines without the separator (empty lines, single columns) are
// skipped. False with a German reason in error when the file cannot be read or holds no point;
// inhalt is then left unchanged.
bool LeseXYDatei(const std::string& path, XYDateiInhalt& inhalt, std::string& error);

// The lines of a file: the comment (line breaks in it turned into blanks), then "x;y" for every
// point i = 1..n of liste whose status is not -1 (liste indexed from 1; entries beyond its end are
// not read).
std::vector<std::string> XYDateiZeilen(const std::string& kommentar, const std::vector<kernel::XYPunkt>& liste,
                                       int n);

// Writes the file (an existing one is replaced only by a complete new file). False with a German
// reason in error; the old file is then unchanged.
bool SchreibeXYDatei(const std::string& path, const std::string& kommentar,
                     const std::vector<kernel::XYPunkt>& liste, int n, std::string& error);

// Directory part of a path including its last separator ('/' or '\\'); "" when there is none.
std::string XYVerzeichnis(const std::string& path);

// The printed list, one string per printed line with the columns filled with blanks (print
// positions count from 1): heading with the file name in capitals or "Liste XY-Daten vom ",
// the time stamp, the rule lines and one line per active point (its list number, x and y).
std::vector<std::string> XYDruckZeilen(const std::string& dateiName, const std::string& stempel,
                                       const std::vector<kernel::XYPunkt>& liste, int n);

}  // namespace experiment
