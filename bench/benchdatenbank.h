#pragma once
// Shared by the recording benchmarks: large databases built once and reused, and the process's memory.
#include "recording/vorlage.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <vector>

namespace bench {

inline QString benchOrdner() {
    const QString ordner = qEnvironmentVariableIsSet("GRAMURA_BENCH_DIR") ? qEnvironmentVariable("GRAMURA_BENCH_DIR")
                                                                          : QStringLiteral("/tmp/gramura-bench");
    QDir().mkpath(ordner);
    return ordner;
}

inline qint64 zeilen(const QString& pfad) {
    qint64 n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("zaehlen"));
        db.setDatabaseName(pfad);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("select count(*) from Gewichte")) && query.next())
                n = query.value(0).toLongLong();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("zaehlen"));
    return n;
}

// A database with at least `anzahl` rows, one second apart, oldest first as recording stores them; built
// in one statement, then back in WAL mode.
inline QString datenbank(qint64 anzahl) {
    const QString pfad = QDir(benchOrdner()).filePath(QStringLiteral("zel-%1.mdb").arg(anzahl));
    if (QFile::exists(pfad) && zeilen(pfad) >= anzahl)
        return pfad;
    recording::vorlageErzeugen(pfad);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("erzeugen"));
        db.setDatabaseName(pfad);
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        query.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        query.exec(QStringLiteral("PRAGMA cache_size=-200000"));
        query.exec(QStringLiteral(
                       "with recursive n(i) as (select 0 union all select i + 1 from n where i + 1 < %1) "
                       "insert into Gewichte (Datum, Gewicht) "
                       "select strftime('%Y-%m-%d %H:%M:%S', 946684800 + i, 'unixepoch'), (i % 100000) / 10.0 from n")
                       .arg(anzahl));
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("erzeugen"));
    return pfad;
}

inline qint64 rssKib() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> felder = statm.readAll().split(' ');
    return felder.size() > 1 ? felder[1].toLongLong() * 4 : 0;
}

inline double perzentil(std::vector<double> werte, double p) {
    if (werte.empty())
        return 0.0;
    std::sort(werte.begin(), werte.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(werte.size() - 1) + 0.5);
    return werte[std::min(index, werte.size() - 1)];
}

} // namespace bench
