#pragma once
// Text files as the system keeps them: Windows-1252 on disk, UTF-8 in memory, written with
// CRLF line ends, read with CRLF, LF or a lone CR (a missing last line end is accepted). A write
// goes to a temporary file in the target's folder that is flushed to disk and renamed over the
// target, so a failed write never destroys the old file and leaves no temporary file behind.
// A write through a symbolic link replaces the linked file and keeps the link; a file the user may
// not write is not replaced. Only regular files are read (a pipe or device would block or never end).
// Paths are the bytes the system knows, whatever their encoding.
#include <string>
#include <vector>

namespace platform {

// Conversions between Windows-1252 bytes and UTF-8 text. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+FFFD. Characters that Windows-1252 cannot
// hold, U+FFFD among them, and bytes that are not valid UTF-8 are written as '?'.
std::string Cp1252ToUtf8(const std::string& bytes);
std::string Utf8ToCp1252(const std::string& text);

// Reads the whole file into lines (line ends removed; an empty file has no lines, a last line
// without line end counts). False with a German reason in error when the file cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error);
// The text a file's bytes hold: Windows-1252 decoded, every line end turned into "\n".
std::string TextFromFileBytes(const std::string& bytes);
// Reads the whole file as UTF-8 text with its line ends turned into "\n".
bool ReadText(const std::string& path, std::string& text, std::string& error);

// Writes the lines, each ended by CRLF. False with a German reason in error on failure
// ("Die Datei \"...\" konnte nicht geschrieben werden. ..."); the old file is then unchanged.
// An existing file keeps its access rights.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines, std::string& error);
// Writes the text as it is (after turning lone "\n" into CRLF).
bool WriteText(const std::string& path, const std::string& text, std::string& error);
// Writes bytes unchanged (a picture file) the same way: temporary file, then rename.
bool WriteBytes(const std::string& path, const std::string& bytes, std::string& error);

// Makes a write beyond the file-size limit of the process fail as a write (EFBIG, reported as a full
// disk, temporary file removed) instead of ending the program with the signal SIGXFSZ. Called once at
// start-up, before anything is written.
void IgnoreFileSizeSignal();

// True when the effective user may write the existing file at path (or nothing is there yet).
bool MayWriteFile(const std::string& path);

// The path itself, or, when nothing is there, its Windows-1252 form when a file has that name: a
// name read from a file finds (for reading and replacing) a file that an older system named in Latin-1.
std::string NameOnDisk(const std::string& path);

// A file name as text for the user: valid UTF-8 stays, other bytes (a Latin-1 name from an older
// system) are read as Windows-1252.
std::string FileNameForDisplay(const std::string& name);

// True when a file (not a folder) exists at the path.
bool FileExistsAt(const std::string& path);

}  // namespace platform
