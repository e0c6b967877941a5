#include "platform/TextPrint.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

#include "platform/FixedPitchFont.h"
#include "platform/PrinterStatus.h"

namespace platform {

bool PrintTextLines(const QStringList& lines, const std::function<void(QPrinter&)>& setup, int flags) {
    QPrinter printer(QPrinter::HighResolution);
    if (setup) setup(printer);
    if (!PrinterAvailable(printer)) {
        ReportNoPrinter();
        return false;
    }
    const auto failed = [&printer] {
        ReportPrintFailure(printer, "Die Liste");
        return false;
    };
    QPainter painter;
    if (!painter.begin(&printer)) return failed();
    painter.setFont(FixedPitchFont(QStringLiteral("Courier New"), 10));
    const int lineHeight = QFontMetrics(painter.font(), painter.device()).lineSpacing();
    const QRect page = painter.viewport();
    int y = 0;
    for (const QString& line : lines) {
        if (y + lineHeight > page.height() && y > 0) {
            if (!printer.newPage()) {
                painter.end();
                return failed();
            }
            y = 0;
        }
        painter.drawText(QRect(0, y, page.width(), lineHeight), flags, line);
        y += lineHeight;
    }
    if (!painter.end()) return failed();
    return true;
}

}  // namespace platform
