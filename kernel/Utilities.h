#pragma once
// Small procedures shared by the windows of every subsystem: numeric key filter, nested hourglass
// pointer, open-window tests, file-name and path helpers, busy wait and linear interpolation.
#include <string>

namespace kernel {

// Calculation windows in the order GetActiveSimForm tests them (its code is the position, 1..6).
inline constexpr const char* kSimFenster[] = {"frmPrepareTimeDiagram", "frmRKconti", "frmBatch",
                                              "frmRohrreaktor",        "frmKaskade", "frmTFitting"};

// Key filter of numeric input boxes: digits, "E", "e", ",", "-", ".", Return, Backspace and Delete are
// accepted (true); a "," (44) is turned into "." (46). A rejected key is left unchanged.
bool CheckNumKey(int& KeyAscii);

// Nested hourglass pointer: the pointer changes at the first WaitCursorOn and is restored when the
// nesting counter Sanduhrzaehler falls below 1. Calls must come in pairs.
void WaitCursorOn();
void WaitCursorOff();

// True while the window of that name is loaded (also when hidden); asking does not open it.
bool IsFormLoaded(const std::string& form);

// The open calculation window with the lowest code: frm := its name and code := 1..6 (see kSimFenster);
// when none is open, code := 0 and frm is left as passed.
void GetActiveSimForm(std::string& frm, int& code);

// The path itself when it has at most maxLen characters; otherwise its first three characters, "..." and
// the tail from the first separator at or after position L - maxLen + 6 (nothing when there is none).
std::string ShortenPath(const std::string& path, int maxLen);

// At most maxChars characters of a file's text for a message: longer text is cut there and ends in "...",
// so that a huge comment line cannot stall the message's layout. The text itself is not changed.
constexpr std::size_t kMessageExcerptChars = 500;
std::string Excerpt(const std::string& text, std::size_t maxChars = kMessageExcerptChars);

// True when name is not empty and names an existing regular, non-hidden file; a bare name (no separator)
// is looked up in the program directory AppPath. "*" and "?" in the file part match as wildcards.
// Never fails: any error answers false.
bool FileExists(const std::string& name);

// Reduce path to the part after its last separator ('/' or '\\'), store it back and return it.
std::string FileNameOnly(std::string& path);
std::string ExtractFileName(std::string& path);

// s without the n characters at position p (counted from 1, in characters, not bytes); s itself when p lies
// beyond the end. Throws RuntimeError(InvalidArgument) for p < 1 or n < 0.
std::string CutSubString(const std::string& s, int p, int n);

// Makes the program directory AppPath the current directory; false when it cannot be entered.
bool ChangeToAppDir();

// Busy wait of the given seconds on a monotonic clock (no events are handled); <= 0 returns at once.
void Pause(float seconds);

// y on the straight line through (x1, y1) and (x2, y2) at x, rounded to single precision; 0 when x2 = x1.
// The argument order is the program's own: x, x1, y2, x2, y1.
float LinInterpol(double x, double x1, double y2, double x2, double y1);

}  // namespace kernel
