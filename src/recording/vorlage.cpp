#include "vorlage.h"

#include <QDateTime>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace recording {

namespace {
const auto kDatumFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QString datumSpeicherform(const QDateTime& moment) {
    return moment.toString(kDatumFormat);
}

QDateTime datumAusSpeicherform(const QString& text) {
    QDate tag;
    QTime zeit;
    if (speicherformTeile(text, &tag, &zeit)) {
        const QDateTime moment(tag, zeit);
        if (moment.isValid() && moment.date() == tag && moment.time() == zeit)
            return moment;
    }
    // Everything else (no stored form, no such day or time, a wall time the clocks skip) as Qt's parser has it.
    return QDateTime::fromString(text, kDatumFormat);
}

bool speicherformTeile(const QString& text, QDate* tag, QTime* zeit) {
    if (!istSpeicherform(text))
        return false;
    const auto zahl = [&text](qsizetype ab, qsizetype stellen) {
        int wert = 0;
        for (qsizetype i = ab; i < ab + stellen; ++i)
            wert = wert * 10 + (text[i].unicode() - u'0');
        return wert;
    };
    *tag = QDate(zahl(0, 4), zahl(5, 2), zahl(8, 2));
    *zeit = QTime(zahl(11, 2), zahl(14, 2), zahl(17, 2));
    return true;
}

bool istSpeicherform(const QString& text) {
    static constexpr char16_t kMuster[] = u"dddd-dd-dd dd:dd:dd";
    if (text.size() != 19)
        return false;
    for (qsizetype i = 0; i < 19; ++i) {
        const char16_t c = text[i].unicode();
        if (kMuster[i] == u'd' ? (c < u'0' || c > u'9') : c != kMuster[i])
            return false;
    }
    return true;
}

bool vorlageErzeugen(const QString& pfad, QString* fehler) {
    for (const QString& endung : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(pfad + endung);
    const QString verbindung = QStringLiteral("zel_vorlage");
    QString meldung;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), verbindung);
        db.setDatabaseName(pfad);
        if (!db.open()) {
            meldung = db.lastError().text();
        } else {
            QSqlQuery query(db);
            // journal_mode=WAL is kept in the file, so every copy of the template starts in WAL mode.
            const char* const schritte[] = {
                "PRAGMA journal_mode=WAL",
                "CREATE TABLE Gewichte (Datum TEXT, Gewicht REAL)",
                "CREATE INDEX Gewichte_Datum ON Gewichte (Datum)",
            };
            for (const char* schritt : schritte) {
                if (!query.exec(QString::fromLatin1(schritt))) {
                    meldung = query.lastError().text();
                    break;
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(verbindung);
    if (fehler)
        *fehler = meldung;
    return meldung.isEmpty();
}

} // namespace recording
