#pragma once
// Text files as the system keeps them: Windows-1252 on disk, UTF-8 in memory, written with
// CRLF line ends, read with CRLF or LF (a missing last line end is accepted). A write goes to a
// temporary file in the target's folder that is renamed over the target, so a failed write
// never destroys the old file.
#include <string>
#include <vector>

namespace platform {

// Conversions between Windows-1252 bytes and UTF-8 text. Characters that Windows-1252 cannot
// hold are written as '?'.
std::string Cp1252ToUtf8(const std::string& bytes);
std::string Utf8ToCp1252(const std::string& text);

// Reads the whole file into lines (line ends removed). False with a German reason in error
// when the file cannot be read.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error);
// Reads the whole file as UTF-8 text with its line ends turned into "\n".
bool ReadText(const std::string& path, std::string& text, std::string& error);

// Writes the lines, each ended by CRLF. False with a German reason in error on failure;
// the old file is then unchanged.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines, std::string& error);
// Writes the text as it is (after turning lone "\n" into CRLF).
bool WriteText(const std::string& path, const std::string& text, std::string& error);

bool FileExistsAt(const std::string& path);

}  // namespace platform
