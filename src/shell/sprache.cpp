#include "sprache.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shell {

QStringList spracheEinrichten() {
    const QLocale deutsch(QLocale::German, QLocale::Germany);
    QLocale::setDefault(deutsch);
    QStringList geladen;
    auto* app = QCoreApplication::instance();
    if (app == nullptr)
        return geladen;
    // The Windows folder brings the files beside the program; a Linux installation finds them where the
    // system's Qt keeps its translations.
    const QStringList ordner{QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const char* katalog : {"qtbase", "qtserialport"}) {
        for (const QString& pfad : ordner) {
            auto* uebersetzung = new QTranslator(app);
            if (uebersetzung->load(deutsch, QString::fromLatin1(katalog), QStringLiteral("_"), pfad) &&
                QCoreApplication::installTranslator(uebersetzung)) {
                geladen << uebersetzung->filePath();
                break;
            }
            delete uebersetzung;
        }
    }
    return geladen;
}

} // namespace shell
