#include "recording/gewichttext.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QFileInfo>
#include <QProcess>
#include <ostream>

namespace {

using recording::WeightStore;

const QDateTime kMoment(QDate(2026, 12, 6), QTime(14, 3, 7));

struct ParseFall {
    const char* text;
    double wert;
};

// Shown in the test's listing as the text and the number it must give.
void PrintTo(const ParseFall& fall, std::ostream* os) {
    *os << '"' << fall.text << "\" -> " << fall.wert;
}

class GewichtWert : public ::testing::TestWithParam<ParseFall> {};

TEST_P(GewichtWert, LiestDieFuehrendeZahl) {
    EXPECT_DOUBLE_EQ(recording::gewichtWert(QString::fromUtf8(GetParam().text)), GetParam().wert) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texte, GewichtWert,
                         ::testing::Values(ParseFall{"12,5", 12.5}, ParseFall{"12.5", 12.5}, ParseFall{"-0,8", -0.8},
                                           ParseFall{"1.2.3", 1.2}, ParseFall{" 1 2,5 ", 12.5},
                                           ParseFall{"\t-\n3,25", -3.25}, ParseFall{"", 0.0}, ParseFall{"Fehler", 0.0},
                                           ParseFall{"-", 0.0}, ParseFall{".5", 0.5}, ParseFall{"7kg", 7.0},
                                           ParseFall{"1,2,3", 1.2}, ParseFall{"+4", 4.0}, ParseFall{"--4", 0.0}));

TEST(WeightStore, SpeichertTextUndMomentSoWieSieZurueckgelesenWerden) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb())) << store.fehler().toStdString();
    ASSERT_TRUE(store.speichern(QStringLiteral("12,5"), kMoment));
    ASSERT_TRUE(store.speichern(QStringLiteral("-0,8"), kMoment.addSecs(1)));
    store.schliessen();

    const QVariantList daten =
        TestDatenbank::abfrage(t.mdb(), QStringLiteral("select Datum from Gewichte order by rowid"));
    const QVariantList gewichte =
        TestDatenbank::abfrage(t.mdb(), QStringLiteral("select Gewicht from Gewichte order by rowid"));
    ASSERT_EQ(daten.size(), 2);
    EXPECT_EQ(recording::datumAusSpeicherform(daten[0].toString()), kMoment);
    EXPECT_EQ(recording::datumAusSpeicherform(daten[1].toString()), kMoment.addSecs(1));
    EXPECT_DOUBLE_EQ(gewichte[0].toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(gewichte[1].toDouble(), -0.8);
}

TEST(WeightStore, DatumOrdnetSichNachDerZeitUeberMonatUndJahrHinweg) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    // Month-first text would put December 2025 after January 2026 and 9 o'clock after 10.
    const QList<QDateTime> momente = {
        QDateTime(QDate(2026, 1, 10), QTime(10, 0, 0)), QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)),
        QDateTime(QDate(2026, 1, 10), QTime(9, 0, 0)), QDateTime(QDate(2026, 11, 2), QTime(0, 0, 1))};
    for (int i = 0; i < momente.size(); ++i)
        ASSERT_TRUE(store.speichern(QString::number(i), momente[i]));
    store.schliessen();
    const QVariantList gewichte =
        TestDatenbank::abfrage(t.mdb(), QStringLiteral("select Gewicht from Gewichte order by Datum desc"));
    ASSERT_EQ(gewichte.size(), 4);
    EXPECT_EQ(gewichte[0].toInt(), 3);
    EXPECT_EQ(gewichte[1].toInt(), 0);
    EXPECT_EQ(gewichte[2].toInt(), 2);
    EXPECT_EQ(gewichte[3].toInt(), 1);
}

TEST(WeightStore, ZweiZeilenInEinerSekundeBleibenZweiZeilen) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    EXPECT_TRUE(store.speichern(QStringLiteral("1"), kMoment));
    EXPECT_TRUE(store.speichern(QStringLiteral("1"), kMoment));
    store.schliessen();
    EXPECT_EQ(
        TestDatenbank::abfrage(t.mdb(), QStringLiteral("select count(distinct Datum) from Gewichte")).value(0).toInt(),
        1);
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 2);
}

TEST(WeightStore, LegtEineFehlendeDateiNichtAn) {
    TestDatenbank t;
    WeightStore store;
    EXPECT_FALSE(store.oeffnen(t.mdb()));
    EXPECT_FALSE(store.speichern(QStringLiteral("5"), kMoment));
    EXPECT_TRUE(store.fehler().contains(QDir::toNativeSeparators(t.mdb()))) << store.fehler().toStdString();
    EXPECT_FALSE(QFileInfo::exists(t.mdb()));

    // Once the file is there, the next call records without being told.
    t.mdbAusVorlage();
    EXPECT_TRUE(store.speichern(QStringLiteral("5"), kMoment)) << store.fehler().toStdString();
    EXPECT_TRUE(store.fehler().isEmpty());
    store.schliessen();
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 1);
}

TEST(WeightStore, DateiOhneTabelleWirdNichtBeschrieben) {
    TestDatenbank t;
    TestDatenbank::abfrage(t.mdb(), QStringLiteral("create table Andere (x)"));
    WeightStore store;
    EXPECT_FALSE(store.oeffnen(t.mdb()));
    EXPECT_TRUE(store.fehler().contains(QStringLiteral("Gewichte")));
    EXPECT_FALSE(store.speichern(QStringLiteral("5"), kMoment));
}

TEST(WeightStore, AccessDateiBleibtUnberuehrt) {
    TestDatenbank t;
    QByteArray access(4096, '\0');
    access.replace(4, 15, "Standard Jet DB");
    {
        QFile file(t.mdb());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(access);
    }
    WeightStore store;
    EXPECT_FALSE(store.oeffnen(t.mdb()));
    EXPECT_TRUE(store.fehler().contains(QStringLiteral("Access"))) << store.fehler().toStdString();
    EXPECT_FALSE(store.speichern(QStringLiteral("5"), kMoment));
    EXPECT_EQ(TestDatenbank::inhalt(t.mdb()), access);
    EXPECT_FALSE(QFileInfo::exists(t.mdb() + QStringLiteral("-wal")));
}

TEST(WeightStore, GesperrteDateiMeldetUndZeichnetDanachWiederAuf) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));

    QProcess sperre;
    sperre.start(QStringLiteral(GRAMURA_AUFZEICHNER), {QStringLiteral("sperren"), t.mdb(), QStringLiteral("2000")});
    ASSERT_TRUE(sperre.waitForReadyRead(10000)) << "der Helfer meldet keine Sperre";
    ASSERT_TRUE(sperre.readLine().startsWith("gesperrt"));

    EXPECT_FALSE(store.speichern(QStringLiteral("1"), kMoment));
    EXPECT_TRUE(store.fehler().contains(QDir::toNativeSeparators(t.mdb()))) << store.fehler().toStdString();

    ASSERT_TRUE(sperre.waitForFinished(10000));
    EXPECT_EQ(sperre.exitCode(), 0);
    EXPECT_TRUE(store.speichern(QStringLiteral("2"), kMoment)) << store.fehler().toStdString();
    EXPECT_TRUE(store.fehler().isEmpty());
    store.schliessen();
    EXPECT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("select Gewicht from Gewichte")),
              QVariantList{QVariant(2.0)});
}

TEST(WeightStore, DieGebauteVorlageTraegtTabelleUndIndex) {
    // Looked at in a copy, so the build's own file is never opened for writing.
    TestDatenbank t;
    const QString vorlage = t.pfad(QStringLiteral("gebaut.neu"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GRAMURA_GEBAUTE_VORLAGE), vorlage));
    EXPECT_EQ(TestDatenbank::zeilen(vorlage), 0);
    const QVariantList indexe = TestDatenbank::abfrage(
        vorlage, QStringLiteral("select name from sqlite_master where type = 'index' and tbl_name = 'Gewichte'"));
    EXPECT_EQ(indexe.size(), 1);
    EXPECT_EQ(TestDatenbank::abfrage(vorlage, QStringLiteral("PRAGMA journal_mode")).value(0).toString(),
              QStringLiteral("wal"));
}

} // namespace
