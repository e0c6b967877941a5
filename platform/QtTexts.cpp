#include "platform/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

namespace {
bool Install(const char* catalogue, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QString::fromLatin1(catalogue), folder) && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
}  // namespace

bool InstallGermanQtTexts() {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // The help window's index and search.
    Install("qt_help_de", folder);
    // qt_de only names the module catalogues (qtbase_de and others) and loads them with it;
    // qtbase_de alone holds the texts of the standard dialogs.
    return Install("qt_de", folder) || Install("qtbase_de", folder);
}

}  // namespace platform
