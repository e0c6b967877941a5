#include "platform/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace platform {

QFont FixedPitchFont(const QString& family, int pointSize) {
    QFont font(family, pointSize);
    font.setStyleHint(QFont::TypeWriter);
    if (QFontDatabase::hasFamily(family)) return font;
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(pointSize);
    if (QFontInfo(font).fixedPitch()) return font;
    // Platforms without a fixed-font theme: the font configuration's generic type-writer family.
    font = QFont(QStringLiteral("monospace"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

}  // namespace platform
