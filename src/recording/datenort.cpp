#include "datenort.h"

#include "datenbankpflege.h"
#include "fileexist.h"
#include "platform/laufwerk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace recording {

namespace {

// The same folder given twice (--data-dir on the executable's folder, say) is searched and named once.
QStringList einmal(const QStringList& ordner) {
    QStringList liste;
    for (const QString& o : ordner) {
        if (o.isEmpty())
            continue;
        const QString sauber = QDir::cleanPath(o);
        if (!liste.contains(sauber))
            liste << sauber;
    }
    return liste;
}

// A folder that holds the database or its template is where this copy of the program keeps its records.
bool haeltDaten(const QString& ordner) {
    return fileexist(ordner, Datenbankpflege::kDatenbank) || fileexist(ordner, DatenOrt::kVorlage);
}

} // namespace

const QString DatenOrt::kVorlage = QStringLiteral("zel.neu");

DatenOrt::DatenOrt(QString datenOrdner, QStringList suchOrdner)
    : ordner(std::move(datenOrdner)), vorlageOrdner(einmal(suchOrdner)) {}

DatenOrt::DatenOrt(QString datenOrdner, const QString& vorlagePfad)
    : ordner(std::move(datenOrdner)),
      vorlageOrdner(vorlagePfad.isEmpty() ? QStringList() : QStringList{QFileInfo(vorlagePfad).absolutePath()}) {}

QString DatenOrt::vorlageSuchen() const {
    for (const QString& o : vorlageOrdner) {
        if (const auto name = fileexist(o, kVorlage))
            return QDir(o).filePath(*name);
    }
    return QString();
}

DatenOrt datenOrtWaehlen(const DatenOrtQuellen& quellen) {
    QString ordner;
    if (!quellen.datenDirOption.isEmpty())
        ordner = quellen.datenDirOption;
    else if (quellen.programmOrdnerBeschreibbar && haeltDaten(quellen.programmOrdner))
        ordner = quellen.programmOrdner;
    else
        ordner = quellen.benutzerOrdner;
    return DatenOrt(ordner, QStringList{ordner, quellen.programmOrdner, quellen.installOrdner});
}

bool ordnerBeschreibbar(const QString& ordner) {
    if (ordner.isEmpty() || !QFileInfo(ordner).isDir())
        return false;
    QTemporaryFile probe(QDir(ordner).filePath(QStringLiteral(".gramura-probe-XXXXXX")));
    const bool geschrieben = probe.open() && probe.write("1", 1) == 1 && probe.flush();
    return probe.remove() && geschrieben;
}

QString datenOrtAblehnung(const QString& ordner) {
    if (!platform::imNetzwerk(ordner))
        return QString();
    return QStringLiteral("der Datenordner „%1“ liegt im Netzwerk; zel.mdb muss auf einem Laufwerk dieses PCs "
                          "liegen (--data-dir)")
        .arg(QDir::toNativeSeparators(ordner));
}

DatenOrt datenOrtFuerProgramm(const QString& datenDirOption) {
    DatenOrt ort = datenOrtErmitteln(datenDirOption);
    if (datenOrtAblehnung(ort.ordner).isEmpty())
        QDir().mkpath(ort.ordner);
    return ort;
}

DatenOrt datenOrtErmitteln(const QString& datenDirOption) {
    DatenOrtQuellen quellen;
    quellen.programmOrdner = QCoreApplication::applicationDirPath();
    quellen.benutzerOrdner = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    quellen.installOrdner =
        QDir::cleanPath(QDir(quellen.programmOrdner).filePath(QStringLiteral(GRAMURA_INSTALL_DATADIR)));
    quellen.datenDirOption = datenDirOption.isEmpty() ? QString() : QDir(datenDirOption).absolutePath();
    // Tried only where the answer matters, so an installed program leaves its own folder alone.
    // A copy started from a network share keeps its records on this PC (see datenOrtAblehnung).
    if (quellen.datenDirOption.isEmpty() && haeltDaten(quellen.programmOrdner))
        quellen.programmOrdnerBeschreibbar =
            !platform::imNetzwerk(quellen.programmOrdner) && ordnerBeschreibbar(quellen.programmOrdner);
    return datenOrtWaehlen(quellen);
}

} // namespace recording
