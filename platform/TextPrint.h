#pragma once
// Printing a plain text listing: lines in Courier New 10 pt (the system's fixed-pitch font where
// it is missing), top to bottom, a new page when the next line would run past the end of the page.
#include <functional>

#include <QStringList>
#include <Qt>

class QPrinter;

namespace platform {

// Prints `lines` on a high-resolution printer, which `setup` (when set) may adjust first (tests
// point it at a PDF file). `flags` are the drawText flags of every line. Without a printer it
// says "Kein Drucker verfügbar"; a print that fails is reported naming the printer. True when printed.
bool PrintTextLines(const QStringList& lines, const std::function<void(QPrinter&)>& setup,
                    int flags = Qt::AlignLeft);

}  // namespace platform
