// What the central store keeps in zel.mdb: each row's instant, the file's identity, what a server has, and
// the outbox "&Löschen" fills. All on real files, without a server.
#include "recording/datenbankpflege.h"
#include "recording/datenort.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"
#include "zentrale/seitentabellen.h"
#include "zentrale/zeitbuchung.h"
#include "zentrale/zentralesender.h"

namespace {

using namespace recording;
using namespace zentrale;

const QString kServer = QStringLiteral("db1:5432/waage");
const QDateTime kAnfang(QDate(2026, 10, 25), QTime(1, 59, 58));

struct Station {
    explicit Station(const TestDatenbank& t)
        : pflege(DatenOrt{t.ordner(), t.vorlage()}, store, liste),
          sender(*ZentraleAdresse::lesen(QStringLiteral("host=db1 dbname=waage"), nullptr), QStringLiteral("A"),
                 t.mdb()) {
        store.setBuchung(&buchung);
        pflege.setNachlass(&sender);
        EXPECT_TRUE(pflege.startpruefung() && pflege.datenquellenSetzen()) << pflege.fehler().toStdString();
    }
    // Rows n, n+1, … one second apart.
    void aufzeichnen(int anzahl) {
        for (int i = 0; i < anzahl; ++i, ++nummer)
            ASSERT_TRUE(store.speichern(QString::number(nummer) + QStringLiteral(",5"), kAnfang.addSecs(nummer)))
                << store.fehler().toStdString();
    }
    // What the sender would read and, once the server committed, mark.
    Seitentabellen::Stapel lesen(int hoechstens) {
        Datenquelle blick(QStringLiteral("blick"));
        EXPECT_TRUE(blick.oeffnen(store.pfad()));
        QSqlDatabase db = blick.db();
        Seitentabellen::Stapel stapel;
        QString fehler;
        EXPECT_TRUE(Seitentabellen::stapelLesen(db, kServer, hoechstens, &stapel, &fehler)) << fehler.toStdString();
        return stapel;
    }
    void markieren(const Seitentabellen::Stapel& stapel) {
        Datenquelle blick(QStringLiteral("blick"));
        EXPECT_TRUE(blick.oeffnen(store.pfad()));
        QSqlDatabase db = blick.db();
        QString fehler;
        EXPECT_TRUE(Seitentabellen::gesendetMarkieren(db, kServer, stapel, &fehler)) << fehler.toStdString();
    }

    ZeitBuchung buchung;
    WeightStore store;
    GewichteListe liste{QLocale(QLocale::German, QLocale::Germany)};
    Datenbankpflege pflege;
    ZentraleSender sender;
    int nummer = 1;
};

QList<qint64> zeilen(const Seitentabellen::Stapel& s) {
    QList<qint64> z;
    for (const ZentralZeile& r : s.zeilen)
        z << r.zeile;
    return z;
}

TEST(Seitentabellen, EachRowKeepsItsInstantAndTheFileItsOwnIdentity) {
    TestDatenbank t;
    QString datei;
    {
        Station s(t);
        s.aufzeichnen(4); // across the autumn change of clocks in the computer's zone, if it has one
        const Seitentabellen::Stapel stapel = s.lesen(10);
        ASSERT_EQ(stapel.zeilen.size(), 4);
        for (const ZentralZeile& z : stapel.zeilen) {
            ASSERT_TRUE(z.utcMs.has_value());
            EXPECT_EQ(*z.utcMs, kAnfang.addSecs(z.zeile).toUTC().toMSecsSinceEpoch());
            EXPECT_EQ(z.datei, stapel.datei);
        }
        datei = stapel.datei;
    }
    // The template stays without identity; the list's table keeps its two columns.
    EXPECT_TRUE(TestDatenbank::abfrage(t.vorlage(), QStringLiteral("select name from sqlite_master where name like "
                                                                   "'zentrale%'"))
                    .isEmpty());
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select count(*) from pragma_table_info('Gewichte')"))
                  .value(0)
                  .toInt(),
              2);
    TestDatenbank andere;
    Station s2(andere);
    s2.aufzeichnen(1);
    EXPECT_NE(s2.lesen(1).datei, datei);
}

TEST(Seitentabellen, BatchesGoInOrderAndTheMarkMovesOnlyOverWhatWasCommitted) {
    TestDatenbank t;
    Station s(t);
    s.aufzeichnen(5);
    auto erster = s.lesen(2);
    EXPECT_EQ(zeilen(erster), (QList<qint64>{1, 2}));
    EXPECT_EQ(erster.wartend, 5);
    // Not marked (the server did not commit): the same rows again.
    EXPECT_EQ(zeilen(s.lesen(2)), (QList<qint64>{1, 2}));
    s.markieren(erster);
    const auto zweiter = s.lesen(2);
    EXPECT_EQ(zeilen(zweiter), (QList<qint64>{3, 4}));
    EXPECT_EQ(zweiter.wartend, 3);
    // A batch marked twice, or an older one late, does not move the mark back.
    s.markieren(zweiter);
    s.markieren(erster);
    EXPECT_EQ(zeilen(s.lesen(10)), (QList<qint64>{5}));
}

TEST(Seitentabellen, AnOutsideDeleteOfTheNewestRowNeitherStopsRecordingNorHidesTheNumberHandedOutAgain) {
    TestDatenbank t;
    Station s(t);
    s.aufzeichnen(3);
    s.markieren(s.lesen(10));
    TestDatenbank::abfrage(t.mdb(), QStringLiteral("delete from Gewichte where rowid = 3"));
    // Row 3's instant is still there; the new row gets the number 3 again.
    s.aufzeichnen(1);
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select max(rowid) from Gewichte")).value(0).toInt(), 3);
    EXPECT_EQ(zeilen(s.lesen(10)), (QList<qint64>{3}));
    // Without its side tables the file still records.
    TestDatenbank::abfrage(t.mdb(), QStringLiteral("drop table zentrale_zeit"));
    s.aufzeichnen(1);
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 4);
}

TEST(Seitentabellen, WhatWasKeptUnderTheAddressMovesToTheServerItReached) {
    TestDatenbank t;
    Station s(t);
    s.aufzeichnen(3);
    s.markieren(s.lesen(2));
    Datenquelle blick(QStringLiteral("blick"));
    ASSERT_TRUE(blick.oeffnen(s.store.pfad()));
    QSqlDatabase db = blick.db();
    const QString adresse = QStringLiteral("host=db1 dbname=waage");
    const QString erreicht = QStringLiteral("7716711726419760431/waage");
    EXPECT_EQ(Seitentabellen::serverFuer(db, adresse, kServer), kServer);
    QString fehler;
    ASSERT_TRUE(Seitentabellen::serverZuordnen(db, adresse, kServer, erreicht, &fehler)) << fehler.toStdString();
    EXPECT_EQ(Seitentabellen::serverFuer(db, adresse, kServer), erreicht);
    Seitentabellen::Stapel stapel;
    ASSERT_TRUE(Seitentabellen::stapelLesen(db, erreicht, 10, &stapel, &fehler)) << fehler.toStdString();
    EXPECT_EQ(zeilen(stapel), (QList<qint64>{3}));
    // Another server behind another address starts from the first row.
    ASSERT_TRUE(Seitentabellen::serverZuordnen(db, QStringLiteral("service=halleB"), QStringLiteral("localhost:5432/"),
                                               QStringLiteral("42/zentrale"), &fehler));
    ASSERT_TRUE(Seitentabellen::stapelLesen(db, QStringLiteral("42/zentrale"), 10, &stapel, &fehler));
    EXPECT_EQ(zeilen(stapel), (QList<qint64>{1, 2, 3}));
    blick.schliessen();
}

TEST(Seitentabellen, LoeschenMovesTheUnsentRowsIntoTheOutboxOfTheNewFile) {
    TestDatenbank t;
    Station s(t);
    s.aufzeichnen(5);
    const auto gesendet = s.lesen(2);
    s.markieren(gesendet);
    const auto unterwegs = s.lesen(2); // rows 3 and 4 are at the server when "&Löschen" comes

    ASSERT_TRUE(s.pflege.leeren()) << s.pflege.fehler().toStdString();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 0);
    s.liste.abfragen();
    EXPECT_EQ(s.liste.rowCount(), 0);
    s.aufzeichnen(2);

    auto nachher = s.lesen(10);
    EXPECT_NE(nachher.datei, gesendet.datei);
    ASSERT_EQ(nachher.zeilen.size(), 5);
    EXPECT_EQ(nachher.wartend, 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(nachher.zeilen[i].datei, gesendet.datei);
        EXPECT_EQ(nachher.zeilen[i].zeile, 3 + i);
        EXPECT_EQ(nachher.zeilen[i].gewicht.toDouble(), 3.5 + i);
        EXPECT_EQ(nachher.zeilen[i].utcMs, kAnfang.addSecs(3 + i).toUTC().toMSecsSinceEpoch());
    }
    for (int i = 3; i < 5; ++i) {
        EXPECT_EQ(nachher.zeilen[i].datei, nachher.datei);
        EXPECT_EQ(nachher.zeilen[i].zeile, i - 2);
    }

    // The batch read before the replacement is committed late: its rows leave the outbox all the same,
    // and the new file's mark stays where it was.
    s.markieren(unterwegs);
    nachher = s.lesen(10);
    EXPECT_EQ(nachher.zeilen.size(), 3);
    EXPECT_EQ(nachher.zeilen.first().zeile, 5);

    // A second "&Löschen" before the server had them carries the outbox along.
    ASSERT_TRUE(s.pflege.leeren()) << s.pflege.fehler().toStdString();
    nachher = s.lesen(10);
    ASSERT_EQ(nachher.zeilen.size(), 3);
    EXPECT_EQ(nachher.zeilen[0].datei, gesendet.datei);
    s.markieren(nachher);
    EXPECT_TRUE(s.lesen(10).zeilen.isEmpty());
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select count(*) from zentrale_ausgang")).value(0).toInt(),
              0);
}

TEST(Seitentabellen, WithoutTheCentralStoreTheFileStaysAsBefore) {
    TestDatenbank t;
    ZeitBuchung buchung;
    WeightStore store;
    GewichteListe liste;
    Datenbankpflege pflege(DatenOrt{t.ordner(), t.vorlage()}, store, liste);
    ASSERT_TRUE(pflege.startpruefung() && pflege.datenquellenSetzen());
    ASSERT_TRUE(store.speichern(QStringLiteral("1"), kAnfang));
    ASSERT_TRUE(pflege.leeren());
    ASSERT_TRUE(store.speichern(QStringLiteral("2"), kAnfang));
    EXPECT_TRUE(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select name from sqlite_master where name like "
                                                               "'zentrale%'"))
                    .isEmpty());
}

} // namespace
