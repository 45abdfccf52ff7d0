#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QFileInfo>
#include <QSqlDatabase>

namespace {

using recording::GewichteListe;
using recording::WeightStore;

const QLocale kDeutsch(QLocale::German, QLocale::Germany);
const QLocale kEnglisch(QLocale::English, QLocale::UnitedStates);
const QDateTime kMoment(QDate(2026, 12, 6), QTime(14, 3, 7));

// Fills zel.mdb in one transaction; the store itself commits each row, which is too slow for thousands.
void fuellen(const TestDatenbank& t, int anzahl) {
    const QString name = QStringLiteral("fuellen");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(t.mdb());
        ASSERT_TRUE(db.open());
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("insert into Gewichte (Datum, Gewicht) values (?, ?)"));
        for (int i = 0; i < anzahl; ++i) {
            insert.bindValue(0, recording::datumSpeicherform(kMoment.addSecs(-i)));
            insert.bindValue(1, double(i));
            ASSERT_TRUE(insert.exec());
        }
        db.commit();
        insert = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

TEST(GewichteListe, ZeigtDieNeuestenZuerstMitKopfzeilen) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    ASSERT_TRUE(store.speichern(QStringLiteral("1"), QDateTime(QDate(2025, 12, 31), QTime(23, 0, 0))));
    ASSERT_TRUE(store.speichern(QStringLiteral("2"), QDateTime(QDate(2026, 1, 2), QTime(8, 0, 0))));
    ASSERT_TRUE(store.speichern(QStringLiteral("3"), QDateTime(QDate(2026, 1, 1), QTime(9, 30, 0))));

    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen()) << liste.fehler().toStdString();
    EXPECT_EQ(liste.query().lastQuery(), QStringLiteral("Select * from gewichte order by datum desc"));
    ASSERT_EQ(liste.rowCount(), 3);
    ASSERT_EQ(liste.columnCount(), 2);
    EXPECT_EQ(liste.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum / Uhrzeit"));
    EXPECT_EQ(liste.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Gewicht"));
    EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), QStringLiteral("2.0"));
    EXPECT_EQ(liste.data(liste.index(1, 1)).toString(), QStringLiteral("3.0"));
    EXPECT_EQ(liste.data(liste.index(2, 1)).toString(), QStringLiteral("1.0"));

    // Stored while the list is shown: visible only after the next query.
    ASSERT_TRUE(store.speichern(QStringLiteral("4"), QDateTime(QDate(2026, 2, 1), QTime(0, 0, 0))));
    EXPECT_EQ(liste.rowCount(), 3);
    ASSERT_TRUE(liste.abfragen());
    EXPECT_EQ(liste.rowCount(), 4);
    EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), QStringLiteral("4.0"));
}

TEST(GewichteListe, FormatiertNachDenTrennzeichenDesGebietsschemas) {
    struct Fall {
        double wert;
        QString englisch;
        QString deutsch;
    };
    const Fall faelle[] = {
        {1234.56, QStringLiteral("1,234.6"), QStringLiteral("1.234,6")},
        {0.0, QStringLiteral("0.0"), QStringLiteral("0,0")},
        {12.0, QStringLiteral("12.0"), QStringLiteral("12,0")},
        {-0.8, QStringLiteral("-0.8"), QStringLiteral("-0,8")},
        {1234567.24, QStringLiteral("1,234,567.2"), QStringLiteral("1.234.567,2")},
    };
    for (const Fall& fall : faelle) {
        EXPECT_EQ(GewichteListe::gewichtText(fall.wert, kEnglisch), fall.englisch);
        EXPECT_EQ(GewichteListe::gewichtText(fall.wert, kDeutsch), fall.deutsch);
    }
    // A locale that leaves out grouping by default still gets the thousands separator.
    QLocale ohneGruppen = kDeutsch;
    ohneGruppen.setNumberOptions(QLocale::OmitGroupSeparator);
    EXPECT_EQ(GewichteListe::gewichtText(1234.56, ohneGruppen), QStringLiteral("1.234,6"));
}

TEST(GewichteListe, DatumAlsKurzesDatumMitUhrzeit) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    ASSERT_TRUE(store.speichern(QStringLiteral("1234,56"), kMoment));
    for (const auto& [locale, datum, gewicht] :
         {std::tuple{kDeutsch, QStringLiteral("06.12.26 14:03:07"), QStringLiteral("1.234,6")},
          std::tuple{kEnglisch, QStringLiteral("12/6/26 14:03:07"), QStringLiteral("1,234.6")}}) {
        GewichteListe liste(locale);
        liste.setPfad(t.mdb());
        ASSERT_TRUE(liste.abfragen());
        EXPECT_EQ(liste.data(liste.index(0, 0)).toString(), datum);
        EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), gewicht);
    }
}

TEST(GewichteListe, LaedtZeilenErstBeimBlaettern) {
    TestDatenbank t;
    t.mdbAusVorlage();
    fuellen(t, 5000);
    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    const int zuerst = liste.rowCount();
    EXPECT_GT(zuerst, 0);
    EXPECT_LE(zuerst, 256);
    EXPECT_TRUE(liste.canFetchMore());
    EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), QStringLiteral("0.0"));
    while (liste.canFetchMore())
        liste.fetchMore();
    EXPECT_EQ(liste.rowCount(), 5000);
    EXPECT_EQ(liste.data(liste.index(4999, 1)).toString(), QStringLiteral("4,999.0"));
}

TEST(GewichteListe, AbfrageNutztDenIndexStattZuSortieren) {
    TestDatenbank t;
    t.mdbAusVorlage();
    QStringList plan;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plan"));
        db.setDatabaseName(t.mdb());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + GewichteListe::kAbfrage));
        while (query.next())
            plan << query.value(3).toString();
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("plan"));
    const QString text = plan.join(u' ');
    EXPECT_TRUE(text.contains(QStringLiteral("Gewichte_Datum"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("TEMP B-TREE"))) << text.toStdString();
}

TEST(GewichteListe, FehlendeDateiGibtEineMeldungUndEineLeereListe) {
    TestDatenbank t;
    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    EXPECT_FALSE(liste.abfragen());
    EXPECT_TRUE(liste.fehler().contains(QDir::toNativeSeparators(t.mdb())));
    EXPECT_EQ(liste.rowCount(), 0);
    EXPECT_FALSE(QFileInfo::exists(t.mdb()));
}

} // namespace
