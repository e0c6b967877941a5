#pragma once
// Checks of the readers of untrusted input, one per reader, each run on arbitrary bytes: a read that
// fails changes nothing, an accepted input writes and reads back the same. libFuzzer drives them
// (FuzzMain.cpp, built with clang); the test suite replays the seeds and every input that once failed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

using Target = void (*)(const std::uint8_t* data, std::size_t size);

struct NamedTarget {
    const char* name;  // also the folder of its inputs under fuzz/corpus
    Target run;
};

// Every target: data file, project / last-session file, chart layout, X-Y file and clipboard text,
// number reader, text-file reader.
const std::vector<NamedTarget>& Targets();

// A violated property: throws FuzzFailure, which the fuzzing entry turns into an abort.
struct FuzzFailure {
    std::string what;
};

// A scratch folder of this process for the files the targets write.
const std::string& ScratchDir();

}  // namespace fuzz
