#include "recording/datenbankpflege.h"
#include "recording/datenort.h"
#include "recording/fileexist.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QFileInfo>

namespace {

using namespace recording;

const QDateTime kMoment(QDate(2026, 12, 6), QTime(14, 3, 7));

void schreibe(const QString& pfad, const QByteArray& inhalt) {
    QFile file(pfad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(inhalt);
}

// The store, the list and the maintenance on one folder, as the program composes them.
struct Aufbau {
    explicit Aufbau(const TestDatenbank& t, QString vorlage = {})
        : pflege(DatenOrt{t.ordner(), vorlage.isNull() ? t.vorlage() : vorlage}, store, liste) {}
    explicit Aufbau(DatenOrt ort) : pflege(std::move(ort), store, liste) {}
    WeightStore store;
    GewichteListe liste{QLocale(QLocale::English, QLocale::UnitedStates)};
    Datenbankpflege pflege;
};

TEST(Fileexist, VergleichtOhneGrossKleinUndRandblanks) {
    TestDatenbank t;
    schreibe(t.pfad(QStringLiteral("ZEL.MDB")), "x");
    schreibe(t.pfad(QStringLiteral(" daten.txt ")), "x");
    QDir(t.ordner()).mkdir(QStringLiteral("ordner.mdb"));
    struct Fall {
        QString ordner;
        QString file;
        std::optional<QString> gefunden;
    };
    const Fall faelle[] = {
        {t.ordner(), QStringLiteral("zel.mdb"), QStringLiteral("ZEL.MDB")},
        {t.ordner(), QStringLiteral("  Zel.Mdb "), QStringLiteral("ZEL.MDB")},
        {t.ordner(), QStringLiteral("daten.txt"), QStringLiteral(" daten.txt ")},
        {t.ordner(), QStringLiteral("zel.001"), std::nullopt},
        {t.ordner(), QStringLiteral("ordner.mdb"), std::nullopt},
        {t.ordner(), QString(), std::nullopt},
        {t.pfad(QStringLiteral("fehlt")), QStringLiteral("zel.mdb"), std::nullopt},
        {QString(), QStringLiteral("zel.mdb"), std::nullopt},
    };
    for (const Fall& fall : faelle)
        EXPECT_EQ(fileexist(fall.ordner, fall.file), fall.gefunden) << fall.file.toStdString();
}

TEST(Datenort, RegelFuerOrdnerUndVorlage) {
    TestDatenbank programm;    // holds zel.neu
    TestDatenbank installiert; // holds zel.neu
    QTemporaryDir leer, benutzer, option, alt;
    schreibe(QDir(alt.path()).filePath(QStringLiteral("ZEL.MDB")), "x"); // records of an older installation
    struct Fall {
        const char* name;
        DatenOrtQuellen quellen;
        QString ordner;
        QString vorlage;
    };
    const Fall faelle[] = {
        {"Programmordner mit Vorlage und beschreibbar",
         {programm.ordner(), true, benutzer.path(), installiert.ordner(), {}},
         programm.ordner(),
         programm.vorlage()},
        {"Programmordner schreibgeschützt",
         {programm.ordner(), false, benutzer.path(), installiert.ordner(), {}},
         benutzer.path(),
         programm.vorlage()},
        {"Programmordner ohne Vorlage",
         {leer.path(), true, benutzer.path(), installiert.ordner(), {}},
         benutzer.path(),
         installiert.vorlage()},
        {"Programmordner mit zel.mdb ohne Vorlage",
         {alt.path(), true, benutzer.path(), installiert.ordner(), {}},
         alt.path(),
         installiert.vorlage()},
        {"Programmordner mit zel.mdb schreibgeschützt",
         {alt.path(), false, benutzer.path(), installiert.ordner(), {}},
         benutzer.path(),
         installiert.vorlage()},
        {"--data-dir gewinnt",
         {programm.ordner(), true, benutzer.path(), installiert.ordner(), option.path()},
         option.path(),
         programm.vorlage()},
        {"keine Vorlage irgendwo", {leer.path(), true, benutzer.path(), leer.path(), {}}, benutzer.path(), {}},
    };
    for (const Fall& fall : faelle) {
        const DatenOrt ort = datenOrtWaehlen(fall.quellen);
        EXPECT_EQ(ort.ordner, fall.ordner) << fall.name;
        EXPECT_EQ(ort.vorlageSuchen(), fall.vorlage) << fall.name;
    }
}

TEST(Datenort, BeschreibbarHeisstEineDateiLiessSichAnlegenUndEntfernen) {
    QTemporaryDir ordner;
    const QString datei = QDir(ordner.path()).filePath(QStringLiteral("datei"));
    schreibe(datei, "x");
    EXPECT_TRUE(ordnerBeschreibbar(ordner.path()));
    EXPECT_EQ(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("datei")}); // the trial file is gone again
    EXPECT_FALSE(ordnerBeschreibbar(QDir(ordner.path()).filePath(QStringLiteral("fehlt"))));
    EXPECT_FALSE(ordnerBeschreibbar(datei));
}

TEST(Datenbankpflege, FehlendeDatenbankEntstehtAusDerVorlage) {
    TestDatenbank t;
    const QByteArray vorlage = TestDatenbank::inhalt(t.vorlage());
    Aufbau a(t);
    ASSERT_TRUE(a.pflege.startpruefung()) << a.pflege.fehler().toStdString();
    ASSERT_TRUE(a.pflege.datenquellenSetzen()) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.pflege.datenbankPfad(), t.mdb());
    EXPECT_TRUE(a.store.speichern(QStringLiteral("3,5"), kMoment));
    a.store.schliessen();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 1);
    EXPECT_EQ(TestDatenbank::inhalt(t.vorlage()), vorlage);
}

TEST(Datenbankpflege, VorhandeneDatenbankWirdUnterIhremNamenBenutzt) {
    for (const QString& name : {QStringLiteral("ZEL.MDB"), QStringLiteral(" zel.mdb "), QStringLiteral("zel.mdb")}) {
        TestDatenbank t;
        ASSERT_TRUE(QFile::copy(t.vorlage(), t.pfad(name)));
        {
            WeightStore vorher(QStringLiteral("vorher"));
            ASSERT_TRUE(vorher.oeffnen(t.pfad(name)));
            ASSERT_TRUE(vorher.speichern(QStringLiteral("1"), kMoment));
        }
        Aufbau a(t);
        ASSERT_TRUE(a.pflege.startpruefung());
        ASSERT_TRUE(a.pflege.datenquellenSetzen()) << a.pflege.fehler().toStdString();
        EXPECT_EQ(a.pflege.datenbankPfad(), t.pfad(name));
        ASSERT_TRUE(a.store.speichern(QStringLiteral("2"), kMoment));
        a.store.schliessen();
        EXPECT_EQ(TestDatenbank::zeilen(t.pfad(name)), 2) << name.toStdString();
        EXPECT_EQ(QDir(t.ordner()).entryList({QStringLiteral("*.mdb*")}, QDir::Files), QStringList{name});
    }
}

TEST(Datenbankpflege, OhneDatenbankUndVorlageLaeuftDasProgrammOhneAufzeichnungWeiter) {
    TestDatenbank t;
    QFile::remove(t.vorlage());
    QTemporaryDir programm, installiert;
    Aufbau a(DatenOrt(t.ordner(), QStringList{t.ordner(), programm.path(), installiert.path()}));
    EXPECT_FALSE(a.pflege.startpruefung());
    const QString fehler = a.pflege.fehler();
    EXPECT_TRUE(fehler.contains(QDir::toNativeSeparators(t.mdb()))) << fehler.toStdString();
    EXPECT_TRUE(fehler.contains(QStringLiteral("zel.neu")));
    // Every folder searched for the template is named, so the operator knows where to put one.
    for (const QString& ordner : {t.ordner(), programm.path(), installiert.path()})
        EXPECT_TRUE(fehler.contains(QStringLiteral("„%1“").arg(QDir::toNativeSeparators(ordner))))
            << fehler.toStdString();
    EXPECT_FALSE(a.pflege.datenquellenSetzen());
    EXPECT_FALSE(a.store.speichern(QStringLiteral("1"), kMoment));
    EXPECT_FALSE(a.liste.abfragen());
    EXPECT_FALSE(QFileInfo::exists(t.mdb()));
}

TEST(Datenbankpflege, VorlageDieErstSpaeterKommtDientDemLoeschen) {
    TestDatenbank t;
    const QByteArray inhalt = TestDatenbank::inhalt(t.vorlage());
    ASSERT_TRUE(QFile::remove(t.vorlage()));
    QTemporaryDir programm;
    Aufbau a(DatenOrt(t.ordner(), QStringList{t.ordner(), programm.path()}));
    ASSERT_FALSE(a.pflege.startpruefung());
    a.pflege.datenquellenSetzen();

    // Put beside the program while it runs: "&Löschen" finds it and recording starts.
    schreibe(QDir(programm.path()).filePath(QStringLiteral("zel.neu")), inhalt);
    ASSERT_TRUE(a.pflege.leeren()) << a.pflege.fehler().toStdString();
    EXPECT_TRUE(a.store.speichern(QStringLiteral("4"), kMoment));
    a.store.schliessen();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 1);
}

TEST(Datenbankpflege, LeerenVon500ZeilenZeigtDieLeereListeUndZeichnetWeiterAuf) {
    TestDatenbank t;
    t.mdbAusVorlage();
    const QByteArray vorlage = TestDatenbank::inhalt(t.vorlage());
    Aufbau a(t);
    ASSERT_TRUE(a.pflege.startpruefung());
    ASSERT_TRUE(a.pflege.datenquellenSetzen());
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(a.store.speichern(QString::number(i), kMoment.addSecs(i)));
    ASSERT_TRUE(a.liste.abfragen());
    ASSERT_GT(a.liste.rowCount(), 0);

    ASSERT_TRUE(a.pflege.leeren()) << a.pflege.fehler().toStdString();
    EXPECT_EQ(a.liste.rowCount(), 0);
    EXPECT_TRUE(a.liste.abgefragt());
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 0);
    EXPECT_EQ(TestDatenbank::inhalt(t.vorlage()), vorlage);

    // Recording goes on into the new file, and the list shows it after the next query.
    ASSERT_TRUE(a.store.speichern(QStringLiteral("7"), kMoment));
    ASSERT_TRUE(a.liste.abfragen());
    EXPECT_EQ(a.liste.rowCount(), 1);
}

TEST(Datenbankpflege, OhneVorlageBleibtAllesWieEsWar) {
    TestDatenbank t;
    t.mdbAusVorlage();
    Aufbau a(t);
    ASSERT_TRUE(a.pflege.startpruefung());
    ASSERT_TRUE(a.pflege.datenquellenSetzen());
    ASSERT_TRUE(a.store.speichern(QStringLiteral("1"), kMoment));
    ASSERT_TRUE(QFile::remove(t.vorlage()));

    EXPECT_FALSE(a.pflege.leeren());
    EXPECT_TRUE(a.pflege.fehler().contains(QStringLiteral("zel.neu"))) << a.pflege.fehler().toStdString();
    EXPECT_TRUE(a.pflege.fehler().contains(QDir::toNativeSeparators(t.ordner()))) << a.pflege.fehler().toStdString();
    EXPECT_TRUE(a.store.speichern(QStringLiteral("2"), kMoment));
    a.store.schliessen();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 2);
}

TEST(Datenbankpflege, FremdeDateiWirdWederErsetztNochGeloescht) {
    TestDatenbank t;
    QByteArray access(2048, '\0');
    access.replace(4, 15, "Standard ACE DB");
    schreibe(t.mdb(), access);
    Aufbau a(t);
    EXPECT_TRUE(a.pflege.startpruefung());
    EXPECT_FALSE(a.pflege.datenquellenSetzen());
    EXPECT_TRUE(a.pflege.fehler().contains(QStringLiteral("Access"))) << a.pflege.fehler().toStdString();
    EXPECT_FALSE(a.pflege.leeren());
    EXPECT_TRUE(a.pflege.fehler().contains(QStringLiteral("Access")));
    EXPECT_FALSE(a.store.speichern(QStringLiteral("1"), kMoment));
    EXPECT_EQ(TestDatenbank::inhalt(t.mdb()), access);
}

TEST(Datenbankpflege, GesperrteDatenbankWirdNichtGeleert) {
    TestDatenbank t;
    t.mdbAusVorlage();
    Aufbau a(t);
    ASSERT_TRUE(a.pflege.startpruefung());
    ASSERT_TRUE(a.pflege.datenquellenSetzen());
    ASSERT_TRUE(a.store.speichern(QStringLiteral("1"), kMoment));

    // Another program in the middle of writing to the file.
    Datenquelle fremd(QStringLiteral("fremd"));
    ASSERT_TRUE(fremd.oeffnen(t.mdb()));
    {
        QSqlQuery sperre(fremd.db());
        ASSERT_TRUE(sperre.exec(QStringLiteral("BEGIN IMMEDIATE")));
        ASSERT_TRUE(sperre.exec(QStringLiteral("insert into Gewichte values ('2026-12-06 14:03:08', 9)")));
        EXPECT_FALSE(a.pflege.leeren());
        EXPECT_TRUE(a.pflege.fehler().contains(QDir::toNativeSeparators(t.mdb())));
        ASSERT_TRUE(sperre.exec(QStringLiteral("COMMIT")));
    }
    // Merely open in another program, its journal beside the file, is still in use.
    EXPECT_FALSE(a.pflege.leeren());
    fremd.schliessen();
    // Nothing lost, and the store is on zel.mdb again.
    EXPECT_TRUE(a.store.speichern(QStringLiteral("2"), kMoment));
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 3);
    EXPECT_TRUE(a.pflege.leeren()) << a.pflege.fehler().toStdString();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 0);
}

} // namespace
