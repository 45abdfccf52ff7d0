#pragma once

// Stations as processes of their own sending to a real PostgreSQL server of the test's own: the fixture and
// the looks into both ends that the central store's end-to-end tests share.
#include "pgcluster.h"
#include "programmprozess.h"
#include "testdatenbank.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QThread>

inline constexpr int kIntervallMs = 50;
inline constexpr int kWarteMs = 60000;

// The sender's states as the helper prints them ("zentrale LAGE WARTEND").
enum Lage {
    InOrdnung = 0,
    NichtErreichbar = 1,
    AnmeldungAbgelehnt = 2,
    SchreibenAbgelehnt = 3,
    ZuLangsam = 4,
    FalschEingerichtet = 5,
    ZertifikatAbgelehnt = 6
};

inline bool hatLage(const ProgrammProzess& p, Lage lage, qsizetype ab = 0) {
    const QByteArray praefix = "zentrale " + QByteArray::number(lage) + ' ';
    for (qsizetype i = ab; i < p.zeilen().size(); ++i)
        if (p.zeilen()[i].startsWith(praefix))
            return true;
    return false;
}

inline qint64 lokaleZahl(const TestDatenbank& t, const QString& sql) {
    return TestDatenbank::abfrage(t.mdb(), sql).value(0).toLongLong();
}

inline QString dateiKennung(const TestDatenbank& t) {
    return TestDatenbank::abfrage(t.mdb(), QStringLiteral("select kennung from zentrale_datei")).value(0).toString();
}

class Zentrale : public testing::Test {
protected:
    void SetUp() override {
        QString fehler;
        ASSERT_TRUE(server.starten(&fehler)) << fehler.toStdString();
    }

    qint64 serverZahl(const QString& sql) {
        const auto antwort = server.abfrage(sql);
        return antwort ? antwort->toLongLong() : -1;
    }
    qint64 aufDemServer(const QString& station) {
        return serverZahl(QStringLiteral("select count(*) from gewichte where station = $s$%1$s$").arg(station));
    }

    // Waits until the server holds every row of the station's zel.mdb (and the recording has stopped).
    testing::AssertionResult allesAngekommen(const TestDatenbank& t, const QString& station) {
        const QDeadlineTimer frist(kWarteMs);
        qint64 lokal = 0;
        qint64 dort = 0;
        do {
            lokal = TestDatenbank::zeilen(t.mdb());
            dort = aufDemServer(station);
            if (lokal > 0 && dort == lokal)
                return testing::AssertionSuccess();
            QThread::msleep(100);
        } while (!frist.hasExpired());
        return testing::AssertionFailure() << "lokal " << lokal << " Zeilen, auf dem Server " << dort;
    }

    // Every row of the file is on the server once, with its own values, under the file's identity.
    void gleich(const TestDatenbank& t, const QString& station) {
        const QString datei = dateiKennung(t);
        ASSERT_FALSE(datei.isEmpty());
        const QVariantList lokal = TestDatenbank::abfrage(
            t.mdb(), QStringLiteral("select rowid || '|' || Datum || '|' || Gewicht from Gewichte order by rowid"));
        const auto dort = server.abfrage(
            QStringLiteral("select string_agg(zeile || '|' || to_char(datum, 'YYYY-MM-DD HH24:MI:SS') || '|' || "
                           "gewicht, ',' order by zeile) from gewichte where station = $s$%1$s$ and datei = '%2'")
                .arg(station, datei));
        ASSERT_TRUE(dort.has_value()) << server.letzterFehler().toStdString();
        QStringList erwartet;
        for (const QVariant& v : lokal)
            erwartet << v.toString();
        EXPECT_EQ(dort->split(u','), erwartet);
    }

    // The file's rows as "rowid|Datum|Gewicht", and the same of the server's rows of that file: those under
    // its identity and those that came with it but were already held there with other values.
    static QSet<QString> lokaleZeilen(const TestDatenbank& t) {
        QSet<QString> zeilen;
        for (const QVariant& v : TestDatenbank::abfrage(
                 t.mdb(), QStringLiteral("select rowid || '|' || Datum || '|' || Gewicht from Gewichte")))
            zeilen << v.toString();
        return zeilen;
    }
    QSet<QString> serverZeilen(PgCluster& pg, const QString& station, const QString& datei) {
        const auto dort = pg.abfrage(
            QStringLiteral("select string_agg(zeile || '|' || to_char(datum, 'YYYY-MM-DD HH24:MI:SS') || '|' || "
                           "gewicht, ',') from gewichte where station = $s$%1$s$ and (datei = '%2' or "
                           "abweichung_von = '%2')")
                .arg(station, datei));
        const QStringList liste = dort ? dort->split(u',', Qt::SkipEmptyParts) : QStringList();
        return QSet<QString>(liste.cbegin(), liste.cend());
    }
    // Waits until every row of the file is on the server with its own values, however it got there.
    testing::AssertionResult jedeZeileDa(const TestDatenbank& t, const QString& station, PgCluster* pg = nullptr) {
        PgCluster& ziel = pg ? *pg : server;
        const QString datei = dateiKennung(t);
        const QDeadlineTimer frist(kWarteMs);
        QSet<QString> fehlend;
        do {
            fehlend = lokaleZeilen(t) - serverZeilen(ziel, station, datei);
            if (fehlend.isEmpty())
                return testing::AssertionSuccess();
            QThread::msleep(100);
        } while (!frist.hasExpired());
        return testing::AssertionFailure()
               << fehlend.size() << " Zeilen fehlen, z. B. " << fehlend.values().value(0).toStdString();
    }

    PgCluster server;
};
