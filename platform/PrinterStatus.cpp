#include "platform/PrinterStatus.h"

#include <QPrinter>

#include "platform/core/MsgBox.h"

namespace platform {

namespace {
const char* const kTitel = "Drucken";
}

bool PrinterAvailable(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return printer.isValid() && !printer.printerName().isEmpty();
}

void ReportNoPrinter() { MsgBox("Kein Drucker verfügbar", MsgExclamation, kTitel); }

void ReportPrintFailure(const QPrinter& printer, const std::string& what, const std::string& cause) {
    const QString ziel = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    std::string text = what + " konnte nicht gedruckt werden.\r\nDrucker: " + ziel.toStdString();
    if (!cause.empty()) text += "\r\n" + cause;
    MsgBox(text, MsgCritical, kTitel);
}

}  // namespace platform
