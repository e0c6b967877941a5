#pragma once
// The numeric input box of the diagram tools: Ctrl+C and Ctrl+V pass, every other key goes through
// the shared numeric key filter (a decimal comma arrives as a point), an accepted Enter runs the
// given command, and the box selects its whole text when it gets the focus.
#include <functional>

class QLineEdit;

namespace design {

void MacheZahlenFeld(QLineEdit* feld, std::function<void()> beiEnter);

}  // namespace design
