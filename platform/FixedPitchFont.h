#pragma once
// Fonts for padded number columns (grids, printed lists): the font the window asks for when the
// system has it, otherwise one whose characters are all equally wide, so that the columns still
// line up.
#include <QFont>
#include <QString>

namespace platform {

// `family` in `pointSize` when installed (its name compared without regard to case); else, in that
// size, the first whose characters are all equally wide of "DejaVu Sans Mono" (installed by the
// set-up, so the choice is the same on every machine), the system's fixed font and the generic
// "monospace". Judged by the characters' advance widths, not by a fixed-pitch mark, which the font
// configuration does not give every such font.
QFont FixedPitchFont(const QString& family, int pointSize);

}  // namespace platform
