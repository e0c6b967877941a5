// libFuzzer entry of one target, chosen at compile time by TARVELO_FUZZ_TARGET (its name).
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fuzz/FuzzTargets.h"
#include "platform/core/MsgBox.h"

#define TARVELO_STR2(x) #x
#define TARVELO_STR(x) TARVELO_STR2(x)

namespace {
fuzz::Target chosen = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);  // fonts of the chart layout need the GUI application
    platform::SetMsgBoxHandler([](const std::string&, int style, const std::string&) { return platform::DefaultAnswer(style); });
    for (const auto& t : fuzz::Targets()) {
        if (std::strcmp(t.name, TARVELO_STR(TARVELO_FUZZ_TARGET)) == 0) chosen = t.run;
    }
    if (!chosen) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        chosen(data, size);
    } catch (const fuzz::FuzzFailure& f) {
        std::fprintf(stderr, "property violated: %s\n", f.what.c_str());
        std::abort();
    }
    return 0;
}
