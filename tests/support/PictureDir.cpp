#include "tests/support/PictureDir.h"

#include <QDir>
#include <QTemporaryDir>

namespace testsupport {

QString PictureDir() {
    QString dir = qEnvironmentVariable("TARVELO_PICTURES");
    if (dir.isEmpty()) {
        // A folder of this run's own, removed at its end, so that runs side by side do not meet.
        static QTemporaryDir own(QDir::temp().filePath(QStringLiteral("tarvelo-pictures-XXXXXX")));
        dir = own.path();
    }
    QDir().mkpath(dir);
    return dir;
}

QString PicturePath(const QString& name) { return PictureDir() + QLatin1Char('/') + name; }

}  // namespace testsupport
