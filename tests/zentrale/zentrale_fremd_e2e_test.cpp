// The central store when other programs have been at zel.mdb, or the address is written in other ways:
// rows the server cannot take as they are, an outside delete of the newest row, a restored backup, two
// service entries for two servers, a certificate the station does not trust. Each station is a process of
// its own; the outside program is the sqlite3 shell or a connection of the test's own process.
#include "sqliteprozess.h"
#include "zentrale_fixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QString ungueltigeZeilen(PgCluster& pg, const QString& station) {
    return pg
        .abfrage(QStringLiteral("select string_agg(coalesce(to_char(datum, 'YYYY-MM-DD HH24:MI:SS'), '-') || '|' || "
                                "coalesce(gewicht::text, '-') || '|' || ungueltig, ',' order by zeile) from gewichte "
                                "where station = $s$%1$s$ and ungueltig is not null")
                     .arg(station))
        .value_or(QString());
}

class ZentraleFremd : public Zentrale {
protected:
    void TearDown() override { qunsetenv("TZ"); }

    // Rows as another program writes them, values the server cannot take among them.
    static void fremdeZeilen(const TestDatenbank& t) {
        TestDatenbank::abfrage(t.mdb(),
                               QStringLiteral("insert into Gewichte (Datum, Gewicht) values "
                                              "('2026-02-30 12:00:00', 5), ('2026-13-45 99:99:99', 6), "
                                              "('0000-01-01 00:00:00', 7), ('0001-01-01 00:10:00', 8), "
                                              "('2026-12-06 10:00:00', '12,5'), ('2026-12-06 10:00:01', 'leer'), "
                                              "(cast('2026-12-06 10:00:02' as blob), 9e999)"));
    }
};

TEST_F(ZentraleFremd, RowsWithValuesTheServerCannotTakeGoAcrossEmptyAndNotedAndNeverBlockTheRest) {
    // A zone whose local mean time turns the first minutes of year 1 into year 0 in UTC.
    qputenv("TZ", "Europe/Berlin");
    TestDatenbank t;
    t.mdbAusVorlage();
    fremdeZeilen(t);
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("F"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.weitereGespeichert(10));
    ASSERT_TRUE(programm.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("F")));

    const QStringList ungueltig = ungueltigeZeilen(server, QStringLiteral("F")).split(u',');
    EXPECT_EQ(ungueltig, (QStringList{
                             QStringLiteral("-|5|datum=2026-02-30 12:00:00"),
                             QStringLiteral("-|6|datum=2026-13-45 99:99:99"),
                             QStringLiteral("-|7|datum=0000-01-01 00:00:00"),
                             QStringLiteral("0001-01-01 00:10:00|8|zeitpunkt=0001-01-01 00:10:00"),
                             QStringLiteral("2026-12-06 10:00:01|-|gewicht=leer"),
                             QStringLiteral("2026-12-06 10:00:02|-|gewicht=inf"),
                         }));
    // A weight text is read as the program reads one.
    EXPECT_EQ(serverZahl(QStringLiteral("select count(*) from gewichte where gewicht = 12.5 and ungueltig is null")),
              1);
    // The operator is told how many, once the rows are across.
    EXPECT_TRUE(programm.warten([&] { return programm.zeilen().contains("ungueltig 6"); }));
}

TEST_F(ZentraleFremd, RowsThatCannotBeTakenGoFromTheOutboxAfterLoeschen) {
    TestDatenbank t;
    ASSERT_TRUE(server.stoppen());
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("O"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.weitereGespeichert(3));
    fremdeZeilen(t);
    ASSERT_TRUE(programm.weitereGespeichert(3));
    const auto geloescht = programm.befehl("loeschen");
    ASSERT_TRUE(geloescht);
    ASSERT_EQ(programm.zeilen()[*geloescht], "ok loeschen");
    const qint64 vorher = lokaleZahl(t, QStringLiteral("select count(*) from zentrale_ausgang"));
    ASSERT_GT(vorher, 7);
    ASSERT_TRUE(programm.weitereGespeichert(5));
    ASSERT_TRUE(programm.befehl("stopp"));
    ASSERT_TRUE(server.wiederStarten());
    const QDeadlineTimer frist(kWarteMs);
    while (lokaleZahl(t, QStringLiteral("select count(*) from zentrale_ausgang")) > 0 && !frist.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(lokaleZahl(t, QStringLiteral("select count(*) from zentrale_ausgang")), 0);
    const qint64 erwartet = vorher + TestDatenbank::zeilen(t.mdb());
    while (aufDemServer(QStringLiteral("O")) < erwartet && !frist.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(aufDemServer(QStringLiteral("O")), erwartet);
    EXPECT_EQ(serverZahl(QStringLiteral("select count(*) from gewichte where ungueltig is not null")), 5);
}

TEST_F(ZentraleFremd, OutsideDeleteOfTheNewestRowKeepsRecordingAndTheNumberHandedOutAgainArrives) {
    TestDatenbank t;
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("D"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    for (int runde = 0; runde < 3; ++runde) {
        // Once the server has the newest row, another program deletes it.
        ASSERT_TRUE(programm.weitereGespeichert(3));
        const qint64 neueste = lokaleZahl(t, QStringLiteral("select max(rowid) from Gewichte"));
        ASSERT_TRUE(programm.warten([&] {
            return serverZahl(QStringLiteral("select coalesce(max(zeile), 0) from gewichte where station = 'D'")) >=
                   neueste;
        }));
        const SqliteProzess::Ergebnis e =
            SqliteProzess::ausfuehren(t.mdb(), QStringLiteral("delete from Gewichte where rowid = (select max(rowid) "
                                                              "from Gewichte)"));
        ASSERT_EQ(e.rc, 0) << e.fehler.toStdString();
    }
    ASSERT_TRUE(programm.weitereGespeichert(5));
    ASSERT_TRUE(programm.befehl("stopp"));
    EXPECT_TRUE(programm.nichtGespeichert().isEmpty()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(jedeZeileDa(t, QStringLiteral("D")));
}

TEST_F(ZentraleFremd, ARestoredBackupsRowsArriveAndTheServerShowsThemAsDiffering) {
    TestDatenbank t;
    const QString sicherung = t.pfad(QStringLiteral("bak.mdb"));
    {
        ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("R"));
        ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
        ASSERT_TRUE(programm.warten([&] { return aufDemServer(QStringLiteral("R")) >= 5; }));
        const SqliteProzess::Ergebnis e =
            SqliteProzess::ausfuehren(t.mdb(), QStringLiteral(".backup '%1'").arg(sicherung));
        ASSERT_EQ(e.rc, 0) << e.fehler.toStdString();
        ASSERT_TRUE(programm.weitereGespeichert(10));
        ASSERT_TRUE(programm.befehl("stopp"));
        ASSERT_TRUE(allesAngekommen(t, QStringLiteral("R")));
        ASSERT_TRUE(programm.befehl("ende"));
    }
    for (const QString& endung : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(t.mdb() + endung);
    ASSERT_TRUE(QFile::copy(sicherung, t.mdb()));

    ProgrammProzess wieder(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("R"));
    ASSERT_TRUE(wieder.bereit()) << wieder.fehlerausgabe().toStdString();
    ASSERT_TRUE(wieder.weitereGespeichert(10));
    ASSERT_TRUE(wieder.befehl("stopp"));
    ASSERT_TRUE(jedeZeileDa(t, QStringLiteral("R")));
    EXPECT_GT(serverZahl(QStringLiteral("select count(*) from gewichte where abweichung_von is not null")), 0);
}

TEST_F(ZentraleFremd, TwoServiceEntriesForTwoServersEachGetEveryRow) {
    PgCluster zweiter;
    QString fehler;
    ASSERT_TRUE(zweiter.starten(&fehler)) << fehler.toStdString();
    QTemporaryDir dienste;
    const QString datei = dienste.filePath(QStringLiteral("pg_service.conf"));
    {
        QFile f(datei);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const auto& [name, pg] : {std::pair{"halleA", &server}, std::pair{"halleB", &zweiter}})
            f.write(QStringLiteral("[%1]\nhost=127.0.0.1\nport=%2\ndbname=zentrale\nuser=gramura\npassword=geheim\n")
                        .arg(QLatin1String(name))
                        .arg(pg->port())
                        .toUtf8());
    }
    qputenv("PGSERVICEFILE", QFile::encodeName(datei));
    TestDatenbank t;
    {
        ProgrammProzess a(t.ordner(), kIntervallMs, QStringLiteral("service=halleA"), QStringLiteral("S"));
        ASSERT_TRUE(a.bereit()) << a.fehlerausgabe().toStdString();
        ASSERT_TRUE(a.weitereGespeichert(5));
        ASSERT_TRUE(a.befehl("stopp"));
        ASSERT_TRUE(allesAngekommen(t, QStringLiteral("S")));
        ASSERT_TRUE(a.befehl("ende"));
    }
    ProgrammProzess b(t.ordner(), kIntervallMs, QStringLiteral("service=halleB"), QStringLiteral("S"));
    qunsetenv("PGSERVICEFILE");
    ASSERT_TRUE(b.bereit()) << b.fehlerausgabe().toStdString();
    ASSERT_TRUE(b.weitereGespeichert(5));
    ASSERT_TRUE(b.befehl("stopp"));
    ASSERT_TRUE(jedeZeileDa(t, QStringLiteral("S"), &zweiter));
    // Two marks in the file, one per server.
    EXPECT_EQ(lokaleZahl(t, QStringLiteral("select count(*) from zentrale_gesendet")), 2);
}

class ZentraleTls : public Zentrale {
protected:
    void SetUp() override {
        server.setTls(true);
        Zentrale::SetUp();
    }
};

TEST_F(ZentraleTls, ACertificateTheGivenCaDoesNotVouchForIsToldAsSuch) {
    QTemporaryDir ordner;
    const QString fremd = ordner.filePath(QStringLiteral("fremd.crt"));
    QString fehler;
    ASSERT_TRUE(PgCluster::fremdeCaErzeugen(fremd, &fehler)) << fehler.toStdString();
    TestDatenbank t;
    ProgrammProzess falsch(t.ordner(), kIntervallMs,
                           server.conninfo() + QStringLiteral(" sslmode=verify-full sslrootcert='%1'").arg(fremd),
                           QStringLiteral("T"));
    ASSERT_TRUE(falsch.bereit()) << falsch.fehlerausgabe().toStdString();
    EXPECT_TRUE(falsch.warten([&] { return hatLage(falsch, ZertifikatAbgelehnt); }))
        << falsch.fehlerausgabe().toStdString();
    ASSERT_TRUE(falsch.befehl("ende"));

    // With the right CA the same station sends.
    ProgrammProzess richtig(t.ordner(), kIntervallMs,
                            server.conninfo() +
                                QStringLiteral(" sslmode=verify-full sslrootcert='%1'").arg(server.caDatei()),
                            QStringLiteral("T"));
    ASSERT_TRUE(richtig.bereit()) << richtig.fehlerausgabe().toStdString();
    ASSERT_TRUE(richtig.weitereGespeichert(5));
    ASSERT_TRUE(richtig.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("T")));
    EXPECT_GT(serverZahl(QStringLiteral("select count(*) from pg_stat_ssl s join pg_stat_activity a using (pid) "
                                        "where s.ssl and a.application_name = 'gramura'")),
              0);
}

} // namespace
