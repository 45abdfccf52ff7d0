#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "testdatenbank.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>

namespace {

using recording::GewichteListe;
using recording::WeightStore;

const QLocale kDeutsch(QLocale::German, QLocale::Germany);
const QLocale kEnglisch(QLocale::English, QLocale::UnitedStates);
const QDateTime kMoment(QDate(2026, 12, 6), QTime(14, 3, 7));

// Runs statements on zel.mdb in one transaction; the store itself commits each row, too slow for thousands.
void ausfuehren(const TestDatenbank& t, const QStringList& sql) {
    const QString name = QStringLiteral("ausfuehren");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(t.mdb());
        ASSERT_TRUE(db.open());
        db.transaction();
        QSqlQuery query(db);
        for (const QString& s : sql)
            ASSERT_TRUE(query.exec(s)) << s.toStdString();
        db.commit();
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Fills zel.mdb as recording would, oldest first: the row with weight i is i seconds older than the newest.
void fuellen(const TestDatenbank& t, int anzahl) {
    ausfuehren(t, {QStringLiteral("with recursive n(i) as (select %1 union all select i - 1 from n where i > 0) "
                                  "insert into Gewichte (Datum, Gewicht) "
                                  "select strftime('%Y-%m-%d %H:%M:%S', '%2', '-' || i || ' seconds'), i from n")
                       .arg(anzahl - 1)
                       .arg(recording::datumSpeicherform(kMoment))});
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

// The date has one form in every language, four digits of year included; the weight the locale's separators.
TEST(GewichteListe, DatumInDeutscherFormMitUhrzeit) {
    TestDatenbank t;
    t.mdbAusVorlage();
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    ASSERT_TRUE(store.speichern(QStringLiteral("1234,56"), kMoment));
    for (const auto& [locale, datum, gewicht] :
         {std::tuple{kDeutsch, QStringLiteral("06.12.2026 14:03:07"), QStringLiteral("1.234,6")},
          std::tuple{kEnglisch, QStringLiteral("06.12.2026 14:03:07"), QStringLiteral("1,234.6")}}) {
        GewichteListe liste(locale);
        liste.setPfad(t.mdb());
        ASSERT_TRUE(liste.abfragen());
        EXPECT_EQ(liste.data(liste.index(0, 0)).toString(), datum);
        EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), gewicht);
    }
}

// Reads every row through the model from `von` on, as a view scrolling down would.
QStringList gewichteAb(const GewichteListe& liste, int von, int bis) {
    QStringList texte;
    for (int zeile = von; zeile < bis; ++zeile)
        texte << liste.data(liste.index(zeile, 1)).toString();
    return texte;
}

TEST(GewichteListe, BlaettertSeitenweiseUndSpringtOhneZuZaehlen) {
    TestDatenbank t;
    t.mdbAusVorlage();
    fuellen(t, 5000); // row i is i seconds older than the newest, weight i
    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    EXPECT_EQ(liste.rowCount(), 5000);
    EXPECT_EQ(liste.seitenImSpeicher(), 0);

    // A jump to the end, the middle and back to the top, each a page or two of short queries.
    struct Sprung {
        int zeile;
        QString gewicht;
    };
    for (const Sprung& sprung : {Sprung{4999, QStringLiteral("4,999.0")}, Sprung{2500, QStringLiteral("2,500.0")},
                                 Sprung{2563, QStringLiteral("2,563.0")}, Sprung{0, QStringLiteral("0.0")}}) {
        const qint64 vorher = liste.abfragenGesamt();
        EXPECT_EQ(liste.data(liste.index(sprung.zeile, 1)).toString(), sprung.gewicht) << sprung.zeile;
        EXPECT_LE(liste.abfragenGesamt() - vorher, 3) << sprung.zeile;
    }
    // Every row in order, once, scrolling down through all pages; the cache stays small.
    QStringList erwartet;
    for (int i = 0; i < 5000; ++i)
        erwartet << GewichteListe::gewichtText(i, kEnglisch);
    EXPECT_EQ(gewichteAb(liste, 0, 5000), erwartet);
    EXPECT_LE(liste.seitenImSpeicher(), GewichteListe::kSeitenImSpeicher);
    // And scrolling up from the bottom with a cold cache.
    ASSERT_TRUE(liste.abfragen());
    QStringList aufwaerts;
    for (int zeile = 4999; zeile >= 0; --zeile)
        aufwaerts.prepend(liste.data(liste.index(zeile, 1)).toString());
    EXPECT_EQ(aufwaerts, erwartet);
}

TEST(GewichteListe, GleicheZeitNeuesteZuerstUndOhneDatumZuletzt) {
    TestDatenbank t;
    t.mdbAusVorlage();
    // Rows stored in this order; the list shows Datum newest first, equal Datum newest stored first,
    // rows without Datum at the end, also when the page boundary falls among them.
    QStringList sql;
    for (int i = 0; i < 150; ++i)
        sql << QStringLiteral("insert into Gewichte values ('2026-03-01 08:00:00', %1)").arg(i);
    for (int i = 150; i < 200; ++i)
        sql << QStringLiteral("insert into Gewichte values (null, %1)").arg(i);
    sql << QStringLiteral("insert into Gewichte values ('2026-03-01 07:59:59', 200)");
    ausfuehren(t, sql);
    QStringList erwartet;
    for (int i = 149; i >= 0; --i)
        erwartet << GewichteListe::gewichtText(i, kEnglisch);
    erwartet << GewichteListe::gewichtText(200, kEnglisch);
    for (int i = 199; i >= 150; --i)
        erwartet << GewichteListe::gewichtText(i, kEnglisch);

    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    ASSERT_EQ(liste.rowCount(), 201);
    EXPECT_EQ(gewichteAb(liste, 0, 201), erwartet);
    ASSERT_TRUE(liste.abfragen());
    QStringList aufwaerts;
    for (int zeile = 200; zeile >= 0; --zeile)
        aufwaerts.prepend(liste.data(liste.index(zeile, 1)).toString());
    EXPECT_EQ(aufwaerts, erwartet);
    EXPECT_TRUE(liste.data(liste.index(200, 0)).toString().isEmpty());
}

TEST(GewichteListe, HaeltZwischenDenSeitenNichtsOffen) {
    TestDatenbank t;
    t.mdbAusVorlage();
    fuellen(t, 3000);
    WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    gewichteAb(liste, 0, 40);
    gewichteAb(liste, 1500, 1540);
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(store.speichern(QStringLiteral("7"), kMoment.addSecs(i + 1)));
    // The list is shown and has read pages: a checkpoint still gets the whole -wal into the file and
    // starts it over, which no open statement of the list would allow.
    const QVariantList ergebnis = TestDatenbank::abfrage(t.mdb(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    ASSERT_EQ(ergebnis.size(), 1);
    EXPECT_EQ(ergebnis.first().toInt(), 0) << "checkpoint blocked";
    EXPECT_EQ(QFileInfo(t.mdb() + QStringLiteral("-wal")).size(), 0);
    // Rows stored after the list was read stay out of it until it is read again.
    EXPECT_EQ(liste.rowCount(), 3000);
    EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), QStringLiteral("0.0"));
    EXPECT_EQ(gewichteAb(liste, 2990, 3000).last(), QStringLiteral("2,999.0"));
    ASSERT_TRUE(liste.abfragen());
    EXPECT_EQ(liste.rowCount(), 3050);
    EXPECT_EQ(liste.data(liste.index(0, 1)).toString(), QStringLiteral("7.0"));
}

TEST(GewichteListe, VonAussenGeloeschteZeilenKuerzenDieListeAmEnde) {
    TestDatenbank t;
    t.mdbAusVorlage();
    fuellen(t, 1000);
    TestDatenbank::abfrage(t.mdb(), QStringLiteral("delete from Gewichte where Gewicht >= 100 and Gewicht < 400"));
    GewichteListe liste(kEnglisch);
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    EXPECT_EQ(liste.rowCount(), 1000); // the rowids' span, until the list pages to its end
    QStringList gesehen = gewichteAb(liste, 0, 1000);
    QCoreApplication::processEvents();
    EXPECT_EQ(liste.rowCount(), 700);
    gesehen = gesehen.mid(0, 700);
    EXPECT_EQ(gesehen.first(), QStringLiteral("0.0"));
    EXPECT_EQ(gesehen[99], QStringLiteral("99.0"));
    EXPECT_EQ(gesehen[100], QStringLiteral("400.0"));
    EXPECT_EQ(gesehen.last(), QStringLiteral("999.0"));
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
