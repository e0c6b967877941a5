#pragma once
// Project files (*.TC3) and the last-session file: 20 lines of Windows-1252 text.
//   1 date and time of writing          11 c0(4)
//   2 project comment                   12 c0(5)
//   3 data-file name (no directory)     13 species of the special y scaling
//   4 model number (" 2"; 100 = model   14 special y scaling flag (-1 / 0)
//     10 in its r(P)-c(S) mode)         15 fitting display mode,0,0,0
//   5 k1,k2,k3                          16 t(max)
//   6 code of the open calculation      17 reaction / residence time
//     window                            18 0,0
//   7 count of concentrations (5)       19 time unit
//   8..10 c0(1..3)                      20 empty
// Lines 4..20 are read as a stream of comma- or line-separated fields.
#include <array>
#include <functional>
#include <string>

namespace shell {

// The contents of a project file as read, before anything is taken over.
struct ProjektDaten {
    std::string Kommentar;
    std::string DatenName;          // line 3 with every double quote removed
    int ModellCode = 0;             // line 4 as written (100 / 500 included)
    std::array<double, 4> k{};      // k1..k3 in slots 1..3
    int FensterCode = 0;
    int nKonz = 0;                  // 0..5
    std::array<double, 6> c0{};     // slots 1..nKonz
    int SpezSkalierungStoff = 0;
    int SpezSkalierung = 0;         // as read; only -1 means on
    int FitAnzeigeModus = 0;
    double tMax = 0;
    double tauMittel = 0;
    std::string ZeitEinheit;
};

// Reads a whole project file into rec. False with the German error text when the file cannot be
// read, ends early, holds a field that is not a number, a count outside 0..5 or a model number
// other than 1..20, 100 or 500. rec is then incomplete and must not be used.
bool ReadProjectRecord(const std::string& fileName, ProjektDaten& rec, std::string& error);

// The 20 lines of the current project (without asking anything).
std::array<std::string, 20> ProjectFileLines();

// Code of the open calculation window for line 6: the last open of frmPrepareTimeDiagram 1,
// frmBatch 2, frmRohrreaktor 3, frmRKconti 4, frmKaskade 5, frmTFitting 6; 0 when none is open.
int ProjektFensterCode();

// True when the name is that of the last-session file (its last 18 characters, any case).
bool IsSessionFileName(const std::string& fileName);

// Writes the project file; asks for the project comment first unless it is the last-session file.
// The file is replaced through a temporary file; on failure a message and false, the old file
// stays as it was.
bool WriteProjectFile(const std::string& fileName);

// Reads a project file into the shared state: comment, model (100 gives model 10 in its r(P)-c(S)
// mode; 500 keeps the current model), k1..k3, c0(1..n), special scaling, fitting display mode,
// t(max), reaction time and time unit. dataName := the data-file name of line 3, emptied with a
// warning when it is not a *.TA3 file. A file that cannot be read completely changes nothing:
// ok := false after the message " Ausführung nicht möglich ". DatenFile is left to the callers.
void LoadProjectFile(const std::string& fileName, std::string& dataName, bool& ok);

// Preview for the file dialog: the first field of line 1, line 2 and line 3. On failure a message
// ("FEHLER") and ok := false.
void ViewProjectFile(const std::string& fileName, std::string& dateText, std::string& comment,
                     std::string& dataName, bool& ok);

// Asks for the project comment (frmCommentInput); the answer goes to ProjektKommentar
// (cancel gives ""). The default shows the comment window frmCommentInput modally;
// tests answer directly.
using CommentPrompt = std::function<void()>;
void SetCommentPrompt(CommentPrompt prompt);
void AskProjectComment();

}  // namespace shell
