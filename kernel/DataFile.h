#pragma once
// Measured-data files (*.TA3): Windows-1252 text with CR LF line ends.
//   line 1  comment (DatenKommentar)
//   line 2  time unit of every time in the file ("s", "min", "h", "d", "a")
//   line 3  "t, cA, cB, cC, cP, cQ, k, T, lambda, lambda_inf, res3, res4, exclude(0|-1)"
//   line 4  row count
//   then per row 13 comma-separated items in the order of line 3 (k before T), numbers with a
//   decimal point whatever the locale. The reader reads items, not lines: a row may be split over
//   lines or share one; blanks around items, quotes around an item and LF line ends are accepted,
//   and an empty numeric item reads as 0.
#include <string>

namespace kernel {

extern const char* const kDataFileHeader;

// Writes the whole data set (DatenKommentar, ZeitEinheit, rows 1..nMesspunkte, lambdaInf on every
// row) to fileName, replacing it through a temporary file, so a failed write leaves the old file as
// it was. written := -1 on success; on failure a message ("Meldung von WriteDataFile") and written := 0.
// Changes nothing in memory.
void WriteDataFile(const std::string& fileName, int& written);

// Reads a data file. append = -1 adds its rows behind the existing ones (the file's comment is
// dropped), append = 0 replaces the rows and DatenKommentar. Either way ZeitEinheit becomes the
// file's unit text as read (no time is converted) and ZeitEinheitIdx its index (0 for an unknown
// text), and the last positive lambda_inf of the file becomes lambdaInf. The load is all or nothing:
// only a completely read file changes the data set, so callers must not empty it beforehand.
// loaded := -1 on success; on any failure (missing file, an item that is not a number or out of
// range, a negative row count, the file ending before the announced rows) a message
// ("Meldung von LoadExpFile") and nothing in memory changes; loaded is then left as passed (callers
// set it to 0). Does not touch ExpDataChanged, DatenFile or the directory. Callers run
// AnalyseExpData after a successful load.
void LoadExpFile(const std::string& fileName, int& append, int& loaded);

// The head of a data file for a preview: comment (line 1), unit text (line 2) and row count
// (line 4). ok := -1 when all three were read; otherwise a message ("Meldung von ViewExpFile"),
// ok := 0 and the outputs keep what was read before the failure.
void ViewExpFile(const std::string& fileName, std::string& comment, std::string& unitText, int& count, int& ok);

}  // namespace kernel
