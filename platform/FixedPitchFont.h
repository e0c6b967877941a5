#pragma once
// Fonts for padded number columns (grids, printed lists): the font the window asks for when the
// system has it, otherwise the system's fixed-pitch font, so that the columns still line up.
#include <QFont>
#include <QString>

namespace platform {

// `family` in `pointSize` when installed (its name compared without regard to case); else the
// system's fixed-pitch font in that size.
QFont FixedPitchFont(const QString& family, int pointSize);

}  // namespace platform
