#include "tests/support/PictureDir.h"

#include <QDir>

namespace testsupport {

QString PictureDir() {
    QString dir = qEnvironmentVariable("TARVELO_PICTURES");
    if (dir.isEmpty()) dir = QDir::temp().filePath(QStringLiteral("tarvelo-pictures"));
    QDir().mkpath(dir);
    return dir;
}

QString PicturePath(const QString& name) { return PictureDir() + QLatin1Char('/') + name; }

}  // namespace testsupport
