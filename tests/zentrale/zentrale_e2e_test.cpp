// The recording part of the program, each station in a process of its own, sending to a real PostgreSQL
// server of the test's own. Whatever happens to the server, the network or the program, every row stored in
// zel.mdb must reach the server exactly once, and recording must not stop for it.
#include "zentrale_fixture.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QThread>
#include <QTimeZone>

namespace {

TEST_F(Zentrale, RowsArriveWithTheirInstantAndOlderRowsWithADerivedOne) {
    TestDatenbank t;
    t.mdbAusVorlage();
    // Recorded before the central store was configured: no instant of their own.
    TestDatenbank::abfrage(t.mdb(), QStringLiteral("insert into Gewichte (Datum, Gewicht) values "
                                                   "('2026-03-29 01:30:00', 1.25), ('2026-07-01 12:00:00', -0.5)"));
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.uri(), QStringLiteral("Waage 1"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.weitereGespeichert(10));
    ASSERT_TRUE(programm.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("Waage 1")));
    gleich(t, QStringLiteral("Waage 1"));

    EXPECT_EQ(serverZahl(QStringLiteral("select count(*) from gewichte where zeitpunkt_abgeleitet")), 2);
    // The instant derived from the local wall time, and the captured ones equal to it for the new rows.
    const auto abweichung = serverZahl(QStringLiteral("select count(*) from gewichte where date_trunc('second', "
                                                      "zeitpunkt) is distinct from datum at time zone '%1'")
                                           .arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())));
    EXPECT_EQ(abweichung, 0);
    EXPECT_EQ(serverZahl(QStringLiteral("select count(*) from gewichte where not zeitpunkt_abgeleitet")),
              TestDatenbank::zeilen(t.mdb()) - 2);
    // The list still sees Gewichte with its two columns only.
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select count(*) from pragma_table_info('Gewichte')"))
                  .value(0)
                  .toInt(),
              2);
}

TEST_F(Zentrale, ServerStoppedMidRunLosesNothingAndDoublesNothing) {
    TestDatenbank t;
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("A"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.warten([&] { return aufDemServer(QStringLiteral("A")) >= 5; }));
    ASSERT_TRUE(server.stoppen());
    const qsizetype ab = programm.zeilen().size();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, NichtErreichbar, ab); }));
    // Recording goes on while the server is away.
    ASSERT_TRUE(programm.weitereGespeichert(20));
    EXPECT_TRUE(programm.nichtGespeichert().isEmpty());
    ASSERT_TRUE(server.wiederStarten());
    ASSERT_TRUE(programm.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("A")));
    gleich(t, QStringLiteral("A"));
    EXPECT_TRUE(programm.warten([&] { return hatLage(programm, InOrdnung, ab); }));
}

TEST_F(Zentrale, ServerAwayAtStartUpGetsEverythingOnceItIsThere) {
    TestDatenbank t;
    ASSERT_TRUE(server.stoppen());
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("U"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, NichtErreichbar); }));
    ASSERT_TRUE(programm.weitereGespeichert(10));
    ASSERT_TRUE(server.wiederStarten());
    ASSERT_TRUE(programm.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("U")));
    gleich(t, QStringLiteral("U"));
}

TEST_F(Zentrale, KilledBetweenTheServersCommitAndTheLocalMarkSendsAgainAndTheServerDropsIt) {
    TestDatenbank t;
    qint64 commitBis = 0;
    {
        ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("K"));
        ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
        ASSERT_TRUE(programm.warten([&] { return aufDemServer(QStringLiteral("K")) >= 5; }));
        ASSERT_TRUE(programm.befehl("anhalten"));
        ASSERT_TRUE(programm.warten([&] {
            for (const QByteArray& z : programm.zeilen())
                if (z.startsWith("commit "))
                    commitBis = z.mid(7).toLongLong();
            return commitBis > 0;
        }));
        programm.toeten();
    }
    // The server has the batch, zel.mdb does not know.
    const qint64 markiert =
        TestDatenbank::abfrage(t.mdb(), QStringLiteral("select coalesce(max(bis), 0) from zentrale_gesendet"))
            .value(0)
            .toLongLong();
    ASSERT_LT(markiert, commitBis);
    ASSERT_EQ(serverZahl(QStringLiteral("select max(zeile) from gewichte")), commitBis);

    ProgrammProzess wieder(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("K"));
    ASSERT_TRUE(wieder.bereit()) << wieder.fehlerausgabe().toStdString();
    ASSERT_TRUE(wieder.weitereGespeichert(5));
    ASSERT_TRUE(wieder.befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("K")));
    gleich(t, QStringLiteral("K"));
}

TEST_F(Zentrale, ThreeStationsAtOnceEachArriveComplete) {
    TestDatenbank a;
    TestDatenbank b;
    TestDatenbank c;
    // All three find no table and create it at the same moment.
    ProgrammProzess pa(a.ordner(), 20, server.conninfo(), QStringLiteral("A"));
    ProgrammProzess pb(b.ordner(), 20, server.conninfo(), QStringLiteral("B"));
    // A name as an operator might type it goes in as text, never as part of the statement.
    const QString nameC = QStringLiteral("Waage 'C'); drop table gewichte; --");
    ProgrammProzess pc(c.ordner(), 20, server.conninfo(), nameC);
    for (ProgrammProzess* p : {&pa, &pb, &pc})
        ASSERT_TRUE(p->bereit()) << p->fehlerausgabe().toStdString();
    for (ProgrammProzess* p : {&pa, &pb, &pc})
        ASSERT_TRUE(p->weitereGespeichert(60));
    for (ProgrammProzess* p : {&pa, &pb, &pc})
        ASSERT_TRUE(p->befehl("stopp"));
    ASSERT_TRUE(allesAngekommen(a, QStringLiteral("A")));
    ASSERT_TRUE(allesAngekommen(b, QStringLiteral("B")));
    ASSERT_TRUE(allesAngekommen(c, nameC));
    gleich(a, QStringLiteral("A"));
    gleich(b, QStringLiteral("B"));
    gleich(c, nameC);
}

TEST_F(Zentrale, LoeschenWhileTheServerIsDownKeepsTheUnsentRowsOutOfTheList) {
    TestDatenbank t;
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("L"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.warten([&] { return aufDemServer(QStringLiteral("L")) >= 3; }));
    const QString alteDatei = dateiKennung(t);
    ASSERT_TRUE(server.stoppen());
    const qsizetype ab = programm.zeilen().size();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, NichtErreichbar, ab); }));
    ASSERT_TRUE(programm.weitereGespeichert(10));
    const auto geloescht = programm.befehl("loeschen");
    ASSERT_TRUE(geloescht);
    ASSERT_EQ(programm.zeilen()[*geloescht], "ok loeschen");
    const qsizetype vorher = programm.gespeichert(0, *geloescht).size();
    ASSERT_TRUE(programm.weitereGespeichert(5));
    ASSERT_TRUE(programm.befehl("stopp"));
    const qsizetype nachher = programm.gespeichert(*geloescht).size();

    // The list shows only what was recorded since; the rest waits where the list never looks.
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), nachher);
    EXPECT_GT(lokaleZahl(t, QStringLiteral("select count(*) from zentrale_ausgang")), 0);

    ASSERT_TRUE(server.wiederStarten());
    const QDeadlineTimer frist(kWarteMs);
    while (aufDemServer(QStringLiteral("L")) < vorher + nachher && !frist.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(serverZahl(QStringLiteral("select count(*) from gewichte where datei = '%1'").arg(alteDatei)), vorher);
    EXPECT_EQ(aufDemServer(QStringLiteral("L")), vorher + nachher);
    gleich(t, QStringLiteral("L"));
    const auto imAusgang = [&] { return lokaleZahl(t, QStringLiteral("select count(*) from zentrale_ausgang")); };
    const QDeadlineTimer leer(kWarteMs);
    while (imAusgang() > 0 && !leer.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(imAusgang(), 0);
}

TEST_F(Zentrale, WrongPasswordIsToldAndRecordingGoesOn) {
    TestDatenbank t;
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(QStringLiteral("falsch")), QStringLiteral("P"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, AnmeldungAbgelehnt); }));
    ASSERT_TRUE(programm.weitereGespeichert(10));
    EXPECT_TRUE(programm.nichtGespeichert().isEmpty());
    EXPECT_FALSE(programm.fehlerausgabe().contains(QStringLiteral("falsch")));
}

TEST_F(Zentrale, SlowAndReadOnlyServerAreToldAndTheBacklogDrainsAfterwards) {
    TestDatenbank t;
    ProgrammProzess programm(t.ordner(), kIntervallMs, server.conninfo(), QStringLiteral("S"));
    ASSERT_TRUE(programm.bereit()) << programm.fehlerausgabe().toStdString();
    ASSERT_TRUE(programm.warten([&] { return aufDemServer(QStringLiteral("S")) >= 3; }));

    // A statement that does not come back in time.
    ASSERT_TRUE(server.sperreHalten(QStringLiteral("BEGIN; LOCK TABLE gewichte IN ACCESS EXCLUSIVE MODE;")));
    qsizetype ab = programm.zeilen().size();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, ZuLangsam, ab); }));
    server.sperreLoesen();

    // A server that takes no writes, as a read-only replica.
    ASSERT_TRUE(server.abfrage(QStringLiteral("alter database zentrale set default_transaction_read_only = on")));
    ASSERT_TRUE(server.abfrage(QStringLiteral("select count(pg_terminate_backend(pid)) from pg_stat_activity where "
                                              "usename = 'gramura'")));
    ab = programm.zeilen().size();
    ASSERT_TRUE(programm.warten([&] { return hatLage(programm, SchreibenAbgelehnt, ab); }));
    ASSERT_TRUE(programm.weitereGespeichert(5));
    ASSERT_TRUE(server.abfrage(QStringLiteral("alter database zentrale reset default_transaction_read_only"),
                               QStringLiteral("postgres")));

    ASSERT_TRUE(programm.befehl("stopp"));
    EXPECT_TRUE(programm.nichtGespeichert().isEmpty());
    ASSERT_TRUE(allesAngekommen(t, QStringLiteral("S")));
    gleich(t, QStringLiteral("S"));
}

} // namespace
