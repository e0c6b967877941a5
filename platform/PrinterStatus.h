#pragma once
// Whether a printer can take a print job, and the messages for a print that was not made, shared
// by every print button: a print never ends in a silent nothing.
#include <string>

class QPrinter;

namespace platform {

// True for an installed printer or a PDF printer with a file to write; false when the system
// has no printer (or the printer has nowhere to print to).
bool PrinterAvailable(const QPrinter& printer);

// "Kein Drucker verfügbar" (exclamation icon).
void ReportNoPrinter();
// A print that failed: what was to be printed, the printer, and the cause when known (critical icon).
void ReportPrintFailure(const QPrinter& printer, const std::string& what, const std::string& cause = {});

}  // namespace platform
