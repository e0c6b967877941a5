#include "tests/support/PrivateFolders.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

std::string root;
pid_t owner = 0;  // the process that made the folder and alone removes it

// Tests may leave folders without write or search permission; they are opened up before removal.
void OpenUp(const fs::path& dir) {
    std::error_code ignored;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::directory_iterator it(dir, ignored), end; it != end; it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) OpenUp(it->path());
}

// Runs after the static objects made after it was registered (Qt's, the tests') are gone.
void RemoveRoot() {
    if (::getpid() != owner || root.empty()) return;
    OpenUp(root);
    std::error_code ec;
    fs::remove_all(root, ec);
    if (ec) std::fprintf(stderr, "could not remove the test folder %s: %s\n", root.c_str(), ec.message().c_str());
}

bool IsDeathTestChild(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--gtest_internal_run_death_test")) return true;
    return false;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(2);
}

}  // namespace

void UsePrivateFolders(int argc, char** argv) {
    const char* inherited = std::getenv(kPrivateRootVariable);
    if (inherited && *inherited && IsDeathTestChild(argc, argv)) {
        root = inherited;
    } else {
        const char* temp = std::getenv("TMPDIR");
        const std::string program = argc > 0 ? fs::path(argv[0]).filename().string() : std::string("test");
        std::string pattern = std::string(temp && *temp ? temp : "/tmp") + "/tarvelo-" + program + "-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            Fail("cannot make the test's own folder " + pattern + " (is the temporary folder writable?)");
        root = pattern;
        owner = ::getpid();
        std::atexit(RemoveRoot);
    }
    struct Place {
        const char* variable;
        const char* folder;
    };
    for (const Place& p : {Place{"HOME", "home"}, Place{"XDG_CONFIG_HOME", "config"}, Place{"XDG_CACHE_HOME", "cache"},
                           Place{"XDG_DATA_HOME", "data"}, Place{"XDG_RUNTIME_DIR", "runtime"}, Place{"TMPDIR", "tmp"}}) {
        const std::string path = root + "/" + p.folder;
        // Qt accepts a runtime folder only when it is its user's alone (0700).
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) Fail("cannot make " + path);
        ::setenv(p.variable, path.c_str(), 1);
    }
    ::setenv(kPrivateRootVariable, root.c_str(), 1);
}

}  // namespace testsupport
