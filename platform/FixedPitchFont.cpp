#include "platform/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace platform {
namespace {

// Digits, letters, blanks and signs equally wide in the font as the system resolves it.
bool HasEqualWidths(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString sample = QStringLiteral("0123456789 .,:;+-EiIlWMm");
    const int width = metrics.horizontalAdvance(sample.front());
    for (const QChar c : sample)
        if (metrics.horizontalAdvance(c) != width) return false;
    return width > 0;
}

}  // namespace

QFont FixedPitchFont(const QString& family, int pointSize) {
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    if (QFontDatabase::hasFamily(family)) return font;
    // After the known font the system's own: its fixed font, then the generic family for platforms
    // without a fixed-font theme.
    const QFont candidates[] = {QFont(QStringLiteral("DejaVu Sans Mono")), QFontDatabase::systemFont(QFontDatabase::FixedFont),
                                QFont(QStringLiteral("monospace"))};
    for (QFont candidate : candidates) {
        candidate.setPointSize(pointSize);
        candidate.setStyleHint(QFont::TypeWriter);
        font = candidate;
        if (HasEqualWidths(font)) break;
    }
    return font;
}

}  // namespace platform
