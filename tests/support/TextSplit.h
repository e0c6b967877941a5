#pragma once
// Splitting texts the windows produce (tables, files) into lines and cells.
#include <string>
#include <vector>

namespace testsupport {

// The pieces of `text` between the occurrences of `separator`, read from position `from` on; a text
// without a separator is one piece, a text ending in one has an empty last piece.
inline std::vector<std::string> Split(const std::string& text, const std::string& separator,
                                      std::size_t from = 0) {
    std::vector<std::string> pieces;
    std::size_t start = from;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        pieces.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return pieces;
        start = end + separator.size();
    }
}

}  // namespace testsupport
