#pragma once
// Folder for pictures that tests render for a look by eye: $TARVELO_PICTURES when set,
// otherwise "tarvelo-pictures" in the temporary folder. Created on first use.
#include <QString>

namespace testsupport {
QString PictureDir();
// PictureDir() + "/" + name
QString PicturePath(const QString& name);
}  // namespace testsupport
