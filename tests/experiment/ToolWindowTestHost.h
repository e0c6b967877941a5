#pragma once
// Host of the calculator and X-Y editor tests: the data editor tests' main window (MDI area, the
// program's own menus and pop-up menus), and the bytes of a file.
#include <fstream>
#include <iterator>
#include <string>

#include "tests/experiment/DataEditorFixture.h"

namespace tooltest {

inline QMainWindow* Host() { return datatest::Host(); }

inline std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tooltest
