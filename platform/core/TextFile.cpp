#include "platform/core/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cerrno>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of the Windows-1252 bytes 0x80..0x9F; the rest of 0xA0..0xFF equals Latin-1.
constexpr char32_t kCp1252High[32] = {
    0x20AC, kReplacement, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kReplacement, 0x017D, kReplacement,  // 88..8F
    kReplacement, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kReplacement, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at text[pos]; advances pos. A malformed sequence (stray
// continuation byte, truncated or overlong form, surrogate) yields -1 and skips one byte.
long DecodeUtf8(const std::string& text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    int length = 0;
    char32_t cp = 0, minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return -1;
    }
    if (pos + length > text.size()) {
        ++pos;
        return -1;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return -1;
        }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return -1;
    }
    pos += length;
    return static_cast<long>(cp);
}

char ToCp1252(long cp) {
    if (cp < 0) return '?';
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] != kReplacement && kCp1252High[i] == static_cast<char32_t>(cp))
            return static_cast<char>(0x80 + i);
    return '?';
}

std::string Quoted(const std::string& path) { return "\"" + FileNameForDisplay(path) + "\""; }

std::string ReadErrorText(const std::string& path, int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "Die Datei " + Quoted(path) + " wurde nicht gefunden.";
    case EACCES:
    case EPERM:
        return "Die Datei " + Quoted(path) + " konnte nicht gelesen werden: Zugriff verweigert.";
    case ENAMETOOLONG:
        return "Die Datei " + Quoted(path) + " konnte nicht gelesen werden: Der Name ist zu lang.";
    case ELOOP:
        return "Die Datei " + Quoted(path) + " konnte nicht gelesen werden: Ihre Verknüpfungen verweisen im Kreis.";
    case EINVAL:
        return "Die Datei " + Quoted(path) + " konnte nicht gelesen werden: Sie ist keine gewöhnliche Datei.";
    default:
        return "Die Datei " + Quoted(path) + " konnte nicht gelesen werden.";
    }
}

std::string WriteErrorText(const std::string& path, int err) {
    std::string text = "Die Datei " + Quoted(path) + " konnte nicht geschrieben werden.";
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return text + " Der Ordner existiert nicht.";
    case EACCES:
    case EPERM:
    case EROFS:
        return text + " Zugriff verweigert.";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return text + " Der Datenträger ist voll.";
    case EISDIR:
        return text + " Unter diesem Namen besteht ein Ordner.";
    default:
        return text;
    }
}

bool ReadBytes(const std::string& path, std::string& bytes, std::string& error) {
    // Non-blocking, so that opening a named pipe returns at once; only a regular file is read.
    const int fd = ::open(NameOnDisk(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = ReadErrorText(path, errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = ReadErrorText(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            error = ReadErrorText(path, err);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a name finally stands for: symbolic links in its last part are followed (also a link to
// a file not yet there), so that a save replaces the linked file and keeps the link. False with
// errno set (ELOOP) for a chain that does not end.
bool FollowLinks(const std::string& path, std::string& target) {
    constexpr int kMaxLinks = 40;
    target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return false;
        link.resize(static_cast<std::size_t>(n));
        const std::size_t slash = target.find_last_of('/');
        if (!link.empty() && link.front() != '/' && slash != std::string::npos) link = target.substr(0, slash + 1) + link;
        target = link;
    }
    errno = ELOOP;
    return false;
}

// Creates a temporary file next to the target, writes and flushes it, then renames it over the
// target. On any failure the temporary file is removed and the target is left as it was.
bool ReplaceFile(const std::string& linkedPath, const std::string& bytes, std::string& error) {
    static std::atomic<unsigned> counter{0};
    std::string path;
    if (!FollowLinks(NameOnDisk(linkedPath), path)) {
        error = WriteErrorText(linkedPath, errno);
        return false;
    }
    // The rename would replace a file the user may not write, as the folder allows it.
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        error = WriteErrorText(linkedPath, EISDIR);
        return false;
    }
    if (exists && !MayWriteFile(path)) {
        error = WriteErrorText(linkedPath, EACCES);
        return false;
    }
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        error = WriteErrorText(path, EISDIR);
        return false;
    }
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder == "/" ? "" : folder) + "/." + name + "." + std::to_string(::getpid()) + "-" +
               std::to_string(counter++) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        error = WriteErrorText(linkedPath, errno);
        return false;
    }
    const auto fail = [&](int err) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        error = WriteErrorText(linkedPath, err);
        return false;
    };
    if (exists && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
    // Make the rename itself durable; a failure here no longer endangers either file.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char32_t>(b));
    }
    return out;
}

std::string Utf8ToCp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) out += ToCp1252(DecodeUtf8(text, pos));
    return out;
}

std::string TextFromFileBytes(const std::string& bytes) {
    const std::string decoded = Cp1252ToUtf8(bytes);
    std::string text;
    text.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == '\r') {
            text += '\n';
            if (i + 1 < decoded.size() && decoded[i + 1] == '\n') ++i;
        } else {
            text += decoded[i];
        }
    }
    return text;
}

bool ReadText(const std::string& path, std::string& text, std::string& error) {
    std::string bytes;
    if (!ReadBytes(path, bytes, error)) return false;
    text = TextFromFileBytes(bytes);
    return true;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, std::string& error) {
    std::string text;
    if (!ReadText(path, text, error)) return false;
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

bool WriteBytes(const std::string& path, const std::string& bytes, std::string& error) {
    return ReplaceFile(path, bytes, error);
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

bool WriteText(const std::string& path, const std::string& text, std::string& error) {
    std::string withCrLf;
    withCrLf.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) withCrLf += '\r';
        withCrLf += text[i];
    }
    return ReplaceFile(path, Utf8ToCp1252(withCrLf), error);
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines, std::string& error) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return ReplaceFile(path, Utf8ToCp1252(text), error);
}

bool MayWriteFile(const std::string& path) {
    // The system's own answer for the effective user, access control lists included.
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 || errno == ENOENT;
}

std::string NameOnDisk(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 || errno != ENOENT) return path;
    const std::string latin = Utf8ToCp1252(path);
    const bool lossless = latin != path && Cp1252ToUtf8(latin) == path;
    return lossless && ::lstat(latin.c_str(), &info) == 0 ? latin : path;
}

std::string FileNameForDisplay(const std::string& name) {
    std::size_t pos = 0;
    while (pos < name.size() && DecodeUtf8(name, pos) >= 0) {
    }
    return pos >= name.size() ? name : Cp1252ToUtf8(name);
}

bool FileExistsAt(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace platform
