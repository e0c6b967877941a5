#include "platform/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool InstallGermanQtTexts() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qt_de only names the module catalogues (qtbase_de and others) and loads them with it;
    // qtbase_de alone holds the texts of the standard dialogs.
    for (const char* catalogue : {"qt_de", "qtbase_de"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QString::fromLatin1(catalogue), folder) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

}  // namespace platform
