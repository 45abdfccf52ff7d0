// "&Löschen" keeps the replaced zel.mdb in the folder Papierkorb beside it, and the file can be put back.
#include "recording/datenbankpflege.h"
#include "recording/datenort.h"
#include "recording/gewichteliste.h"
#include "recording/nachlass.h"
#include "recording/uhr.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QFileInfo>
#include <QSqlError>

namespace {

using namespace recording;

class StehendeUhr final : public Uhr {
public:
    QDateTime jetzt() const override { return zeit; }
    QDateTime zeit{QDate(2026, 12, 8), QTime(14, 3, 7)};
};

struct Aufbau {
    explicit Aufbau(const TestDatenbank& t) : pflege(DatenOrt{t.ordner(), t.vorlage()}, store, liste), test(t) {
        pflege.setUhr(uhr);
        EXPECT_TRUE(pflege.startpruefung()) << pflege.fehler().toStdString();
        EXPECT_TRUE(pflege.datenquellenSetzen()) << pflege.fehler().toStdString();
    }
    void speichern(int anzahl, int ab = 0) {
        for (int i = ab; i < ab + anzahl; ++i)
            ASSERT_TRUE(store.speichern(QString::number(i), uhr.zeit.addSecs(i)));
    }
    QString korb() const { return test.pfad(QStringLiteral("Papierkorb")); }
    // The folder's files in one line, so a difference reads as names.
    std::string imKorb() const { return QDir(korb()).entryList(QDir::Files, QDir::Name).join(' ').toStdString(); }
    // Rows of a file in the Papierkorb, read past the code under test.
    int zeilenImKorb(const QString& name) const { return TestDatenbank::zeilen(QDir(korb()).filePath(name)); }
    int zeilenInMdb() {
        store.schliessen();
        const int n = TestDatenbank::zeilen(test.mdb());
        EXPECT_TRUE(store.oeffnen(test.mdb()));
        return n;
    }

    StehendeUhr uhr;
    WeightStore store;
    GewichteListe liste{QLocale(QLocale::German, QLocale::Germany)};
    Datenbankpflege pflege;
    const TestDatenbank& test;
};

TEST(Papierkorb, LoeschenHebtDieDateiAufUndZuruecklegenBringtSieMitAllemSeither) {
    TestDatenbank t;
    Aufbau a(t);
    a.speichern(5);
    ASSERT_TRUE(a.liste.abfragen());

    ASSERT_TRUE(a.pflege.leeren()) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.liste.rowCount(), 0);
    EXPECT_EQ(a.zeilenInMdb(), 0);
    EXPECT_EQ(a.pflege.papierkorbOrdner(), a.korb());
    ASSERT_EQ(a.imKorb(), "zel-2026-12-08_14-03-07.mdb");
    EXPECT_EQ(a.zeilenImKorb(QStringLiteral("zel-2026-12-08_14-03-07.mdb")), 5);
    EXPECT_EQ(a.pflege.abgelegt().datei, QDir(a.korb()).filePath(QStringLiteral("zel-2026-12-08_14-03-07.mdb")));
    EXPECT_EQ(a.pflege.abgelegt().zeilen, 5);
    const QString aufgehoben = a.pflege.abgelegt().datei;

    // Recording goes on into the new file; emptying an empty file keeps nothing, so a double click cannot push
    // the day's weights out of the newest ten.
    a.uhr.zeit = a.uhr.zeit.addSecs(60);
    ASSERT_TRUE(a.pflege.leeren());
    EXPECT_TRUE(a.pflege.abgelegt().datei.isEmpty());
    EXPECT_EQ(a.imKorb(), "zel-2026-12-08_14-03-07.mdb");
    a.speichern(2, 100);

    // Put back: the five are in zel.mdb again, recording goes on there, and the two recorded since the
    // emptying are not dropped but kept in the Papierkorb under the moment of the putting back.
    a.uhr.zeit = a.uhr.zeit.addSecs(60);
    ASSERT_TRUE(a.pflege.zuruecklegen(aufgehoben)) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.liste.rowCount(), 5);
    EXPECT_EQ(a.imKorb(), "zel-2026-12-08_14-05-07.mdb");
    EXPECT_EQ(a.zeilenImKorb(QStringLiteral("zel-2026-12-08_14-05-07.mdb")), 2);
    EXPECT_EQ(a.pflege.abgelegt().zeilen, 2);
    a.speichern(1, 200);
    EXPECT_EQ(a.zeilenInMdb(), 6);

    // What is no longer there cannot be put back, and nothing changes.
    EXPECT_FALSE(a.pflege.zuruecklegen(aufgehoben));
    EXPECT_TRUE(a.pflege.fehler().contains(QStringLiteral("Papierkorb"))) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.zeilenInMdb(), 6);
    EXPECT_TRUE(a.store.speichern(QStringLiteral("7"), a.uhr.zeit));
}

TEST(Papierkorb, BehaeltDieNeuestenZehnUnterEindeutigenNamen) {
    TestDatenbank t;
    Aufbau a(t);
    QDir().mkpath(a.korb());
    for (const char* fremd : {"notiz.txt", "zel-alt.mdb"})
        QFile(QDir(a.korb()).filePath(QString::fromLatin1(fremd))).open(QIODevice::WriteOnly);
    // Twelve within one second, then one a second later.
    for (int runde = 0; runde < 13; ++runde) {
        if (runde == 12)
            a.uhr.zeit = a.uhr.zeit.addSecs(1);
        a.speichern(1, runde);
        ASSERT_TRUE(a.pflege.leeren()) << runde << ' ' << a.pflege.fehler().toStdString();
    }
    QStringList erwartet{QStringLiteral("notiz.txt"), QStringLiteral("zel-2026-12-08_14-03-08.mdb"),
                         QStringLiteral("zel-alt.mdb")};
    for (int nummer = 4; nummer <= 12; ++nummer)
        erwartet << QStringLiteral("zel-2026-12-08_14-03-07-%1.mdb").arg(nummer);
    erwartet.sort();
    EXPECT_EQ(a.imKorb(), erwartet.join(' ').toStdString());
    // Each holds the one row of its round: the names went to the files in the order they came.
    const auto gewicht = [&a](const char* name) {
        const QVariantList werte = TestDatenbank::abfrage(QDir(a.korb()).filePath(QString::fromLatin1(name)),
                                                          QStringLiteral("select Gewicht from Gewichte"));
        return werte.size() == 1 ? werte.first().toDouble() : -1.0;
    };
    EXPECT_EQ(gewicht("zel-2026-12-08_14-03-07-4.mdb"), 3.0);
    EXPECT_EQ(gewicht("zel-2026-12-08_14-03-07-12.mdb"), 11.0);
    EXPECT_EQ(gewicht("zel-2026-12-08_14-03-08.mdb"), 12.0);
}

TEST(Papierkorb, OhnePapierkorbWirdNichtsGeloescht) {
    TestDatenbank t;
    Aufbau a(t);
    a.speichern(3);
    // A file where the folder should be: the old rows could not be kept, so they stay where they are.
    QFile(a.korb()).open(QIODevice::WriteOnly);
    EXPECT_FALSE(a.pflege.leeren());
    EXPECT_TRUE(a.pflege.fehler().contains(QDir::toNativeSeparators(a.korb()))) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.zeilenInMdb(), 3);
    EXPECT_TRUE(a.store.speichern(QStringLiteral("9"), a.uhr.zeit));
    EXPECT_TRUE(QDir(t.ordner()).entryList({QStringLiteral("*.tmp*")}, QDir::Files).isEmpty());
}

// Notes in the file that comes in how many rows the file it replaces held, as the central store hands on
// what the server has not received yet.
class ZaehlenderNachlass final : public Nachlass {
public:
    void sperren() override { ++gesperrt; }
    void freigeben() override { --gesperrt; }
    bool uebertragen(QSqlDatabase& alt, QString* fehler) override {
        QSqlQuery query(alt);
        const bool ok = query.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS neu.uebergeben (zeilen INTEGER)")) &&
                        query.exec(QStringLiteral("INSERT INTO neu.uebergeben SELECT count(*) FROM main.Gewichte"));
        if (!ok)
            *fehler = query.lastError().text();
        return ok;
    }
    int gesperrt = 0;
};

TEST(Papierkorb, ZuruecklegenReichtDasSeitherAufgezeichneteWeiter) {
    TestDatenbank t;
    Aufbau a(t);
    ZaehlenderNachlass nachlass;
    a.pflege.setNachlass(&nachlass);
    a.speichern(5);
    ASSERT_TRUE(a.pflege.leeren()) << a.pflege.fehler().toStdString();
    const QString aufgehoben = a.pflege.abgelegt().datei;
    a.speichern(3, 10);
    a.uhr.zeit = a.uhr.zeit.addSecs(60);
    ASSERT_TRUE(a.pflege.zuruecklegen(aufgehoben)) << a.pflege.fehler().toStdString();
    EXPECT_EQ(nachlass.gesperrt, 0);
    a.store.schliessen();
    // The restored file got what the three rows since the emptying left, the fresh file what the five left.
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select zeilen from uebergeben")), QVariantList{3});
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 5);
    const QString seither = a.pflege.abgelegt().datei;
    EXPECT_EQ(TestDatenbank::abfrage(seither, QStringLiteral("select zeilen from uebergeben")), QVariantList{5});
    EXPECT_EQ(TestDatenbank::zeilen(seither), 3);
}

} // namespace
