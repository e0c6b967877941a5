#include "kernel/Utilities.h"

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fnmatch.h>
#include <system_error>
#include <vector>

#include "kernel/RuntimeError.h"
#include "kernel/State.h"
#include "platform/core/FormHost.h"
#include "platform/core/MsgBox.h"

namespace kernel {

namespace {

bool IsSeparator(char ch) { return ch == '/' || ch == '\\'; }

// Byte offset of each character start of a UTF-8 string, followed by the total length.
std::vector<std::size_t> CharOffsets(const std::string& s) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) offsets.push_back(i);
    }
    offsets.push_back(s.size());
    return offsets;
}

bool IsVisibleRegularFile(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    const std::string fileName = entry.path().filename().string();
    return !fileName.empty() && fileName[0] != '.' && entry.is_regular_file(ec) && !ec;
}

}  // namespace

bool CheckNumKey(int& KeyAscii) {
    const int key = KeyAscii;
    const bool accept = (key >= '0' && key <= '9') || key == 'E' || key == 'e' || key == ',' || key == '-' ||
                        key == '.' || key == 13 || key == 8 || key == 127;
    if (key == ',') KeyAscii = '.';
    return accept;
}

void WaitCursorOn() {
    ++Sanduhrzaehler;
    if (Sanduhrzaehler == 1) platform::ShowWaitCursor(true);
}

void WaitCursorOff() {
    --Sanduhrzaehler;
    if (Sanduhrzaehler < 1) platform::ShowWaitCursor(false);
}

bool IsFormLoaded(const std::string& form) { return platform::Forms().IsLoaded(form); }

void GetActiveSimForm(std::string& frm, int& code) {
    code = 0;
    int nr = 0;
    for (const char* name : kSimFenster) {
        ++nr;
        if (IsFormLoaded(name)) {
            frm = name;
            code = nr;
            return;
        }
    }
}

std::string ShortenPath(const std::string& path, int maxLen) {
    const auto offsets = CharOffsets(path);
    const int L = static_cast<int>(offsets.size()) - 1;
    if (L <= maxLen) return path;
    int start = L - maxLen + 6;
    if (start < 1) start = 1;
    int found = L + 1;
    for (int pos = start; pos <= L; ++pos) {
        if (IsSeparator(path[offsets[static_cast<std::size_t>(pos - 1)]])) {
            found = pos;
            break;
        }
    }
    const std::size_t headEnd = offsets[static_cast<std::size_t>(L < 3 ? L : 3)];
    const std::size_t tailStart = offsets[static_cast<std::size_t>(found - 1)];
    return path.substr(0, headEnd) + "..." + path.substr(tailStart);
}

std::string Excerpt(const std::string& text, std::size_t maxChars) {
    if (text.size() <= maxChars) return text;  // never more characters than bytes
    const auto offsets = CharOffsets(text);
    if (offsets.size() - 1 <= maxChars) return text;
    return text.substr(0, offsets[maxChars]) + "...";
}

bool FileExists(const std::string& name) {
    try {
        if (name.empty()) return false;
        namespace fs = std::filesystem;
        bool bare = true;
        for (char ch : name) bare = bare && !IsSeparator(ch);
        std::string full = name;
        if (bare && !AppPath.empty()) full = AppPath + "/" + name;
        for (char& ch : full) {
            if (ch == '\\') ch = '/';
        }
        const fs::path p(full);
        const std::string pattern = p.filename().string();
        std::error_code ec;
        if (pattern.find_first_of("*?") == std::string::npos) {
            return IsVisibleRegularFile(fs::directory_entry(p, ec)) && !ec;
        }
        const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
        // Stepping with the error-code form: the plain increment throws on a failing read.
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (fnmatch(pattern.c_str(), it->path().filename().string().c_str(), 0) == 0 && IsVisibleRegularFile(*it))
                return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

std::string FileNameOnly(std::string& path) {
    const auto pos = path.find_last_of("/\\");
    if (pos != std::string::npos) path.erase(0, pos + 1);
    return path;
}

std::string ExtractFileName(std::string& path) { return FileNameOnly(path); }

std::string CutSubString(const std::string& s, int p, int n) {
    if (p < 1 || n < 0) throw RuntimeError(ErrorKind::InvalidArgument);
    const auto offsets = CharOffsets(s);
    const std::size_t chars = offsets.size() - 1;
    const auto pos = static_cast<std::size_t>(p);
    if (pos > chars) return s;
    const std::size_t end = pos - 1 + static_cast<std::size_t>(n);
    const std::size_t cutFrom = offsets[pos - 1];
    const std::size_t cutTo = end >= chars ? s.size() : offsets[end];
    return s.substr(0, cutFrom) + s.substr(cutTo);
}

bool ChangeToAppDir() {
    std::error_code ec;
    std::filesystem::current_path(AppPath, ec);
    return !ec;
}

void Pause(float seconds) {
    if (!(seconds > 0.0f)) return;
    const auto start = std::chrono::steady_clock::now();
    const auto span = std::chrono::duration<double>(static_cast<double>(seconds));
    while (std::chrono::steady_clock::now() - start < span) {
    }
}

float LinInterpol(double x, double x1, double y2, double x2, double y1) {
    if (std::fabs(x2 - x1) <= 0) return 0.0f;
    return static_cast<float>(y1 + (x - x1) * (y2 - y1) / (x2 - x1));
}

}  // namespace kernel
