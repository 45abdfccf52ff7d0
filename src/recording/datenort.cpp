#include "datenort.h"

#include "fileexist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace recording {

namespace {
const auto kVorlage = QStringLiteral("zel.neu");
}

DatenOrt datenOrtWaehlen(const DatenOrtQuellen& quellen) {
    DatenOrt ort;
    if (!quellen.datenDirOption.isEmpty())
        ort.ordner = quellen.datenDirOption;
    else if (quellen.programmOrdnerBeschreibbar && fileexist(quellen.programmOrdner, kVorlage))
        ort.ordner = quellen.programmOrdner;
    else
        ort.ordner = quellen.benutzerOrdner;
    for (const QString& ordner : {ort.ordner, quellen.programmOrdner, quellen.installOrdner}) {
        if (const auto name = fileexist(ordner, kVorlage)) {
            ort.vorlage = QDir(ordner).filePath(*name);
            break;
        }
    }
    return ort;
}

DatenOrt datenOrtFuerProgramm(const QString& datenDirOption) {
    DatenOrtQuellen quellen;
    quellen.programmOrdner = QCoreApplication::applicationDirPath();
    quellen.programmOrdnerBeschreibbar = QFileInfo(quellen.programmOrdner).isWritable();
    quellen.benutzerOrdner = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    quellen.installOrdner =
        QDir::cleanPath(QDir(quellen.programmOrdner).filePath(QStringLiteral(GRAMURA_INSTALL_DATADIR)));
    quellen.datenDirOption = datenDirOption.isEmpty() ? QString() : QDir(datenDirOption).absolutePath();
    DatenOrt ort = datenOrtWaehlen(quellen);
    QDir().mkpath(ort.ordner);
    return ort;
}

} // namespace recording
