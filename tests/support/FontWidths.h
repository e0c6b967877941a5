#pragma once
// Whether padded number columns line up in a font: its characters all equally wide, whatever the
// font is called and however the font configuration marks it.
#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace testsupport {

// Runs of ten digits, letters narrow and wide, blanks and signs all have the width of ten zeros.
inline bool CharactersEquallyWide(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal zeros = metrics.horizontalAdvance(QString(10, '0'));
    for (const char c : {'1', '8', 'i', 'l', 'W', 'M', 'E', ' ', '.', ',', '-', '+'})
        if (metrics.horizontalAdvance(QString(10, QChar(c))) != zeros) return false;
    return zeros > 0;
}

}  // namespace testsupport
