#pragma once
// A test process's own home, configuration, cache, data, runtime and temporary folders, so that
// nothing a test or Qt writes (a file dialog's history, a font cache, temporary folders of child
// processes that end through _Exit) reaches the user's home or the temporary folder.
namespace testsupport {

// The environment variable that names the folder holding all of them.
inline constexpr const char* kPrivateRootVariable = "TARVELO_TEST_ROOT";

// Makes one new folder under $TMPDIR (else /tmp) and points HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME,
// XDG_DATA_HOME, XDG_RUNTIME_DIR and TMPDIR into it; the folder and all in it are removed when the
// process ends through exit() or a return from main. A death-test child (this binary re-run by
// GoogleTest) takes its parent's folder instead, which the parent removes. Call first thing in
// main, before any thread or Qt object exists. When the folder cannot be made, says why on stderr
// and ends the process with exit code 2.
void UsePrivateFolders(int argc, char** argv);

}  // namespace testsupport
