#pragma once
// Folder for pictures that tests render for a look by eye: $TARVELO_PICTURES when set,
// otherwise a temporary folder of the test run's own, removed when it ends. Created on first use.
#include <QString>

namespace testsupport {
QString PictureDir();
// PictureDir() + "/" + name
QString PicturePath(const QString& name);
}  // namespace testsupport
