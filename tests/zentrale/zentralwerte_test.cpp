// What goes to the server of a row another program may have written: each value checked for what it is,
// not only for its shape.
#include "recording/vorlage.h"
#include "zentrale/zentralwerte.h"

#include <QUuid>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace zentrale;

const QString kDatei = QStringLiteral("0b0e3c5e-8a43-4c1e-9d7e-1f5c2a6b7d80");

TEST(ZentralWerte, ValuesTheServerCannotTakeGoEmptyWithWhatWasStored) {
    const QVariant nichts;
    const double unendlich = std::numeric_limits<double>::infinity();
    struct Fall {
        const char* name;
        QVariant datum;
        QVariant gewicht;
        std::optional<qint64> utcMs;
        QString erwartetDatum;
        std::optional<double> erwartetGewicht;
        QStringList ungueltig;
    };
    const Fall faelle[] = {
        {"as stored", QStringLiteral("2026-12-06 10:00:00"), 12.5, 1, QStringLiteral("2026-12-06 10:00:00"), 12.5, {}},
        {"no day 30 in February",
         QStringLiteral("2026-02-30 12:00:00"),
         5.0,
         1,
         {},
         5.0,
         {QStringLiteral("datum=2026-02-30 12:00:00")}},
        {"month and time out of range",
         QStringLiteral("2026-13-45 99:99:99"),
         6.0,
         1,
         {},
         6.0,
         {QStringLiteral("datum=2026-13-45 99:99:99")}},
        {"year 0",
         QStringLiteral("0000-01-01 00:00:00"),
         7.0,
         1,
         {},
         7.0,
         {QStringLiteral("datum=0000-01-01 00:00:00")}},
        {"another form",
         QStringLiteral("06.12.2026 10:00"),
         1.0,
         1,
         {},
         1.0,
         {QStringLiteral("datum=06.12.2026 10:00")}},
        {"the wall time the clocks skip is a real entry",
         QStringLiteral("2026-03-29 02:30:00"),
         1.0,
         1,
         QStringLiteral("2026-03-29 02:30:00"),
         1.0,
         {}},
        {"datum as bytes", QByteArray("2026-12-06 10:00:02"), 1.0, 1, QStringLiteral("2026-12-06 10:00:02"), 1.0, {}},
        {"no datum is no fault", nichts, 1.0, 1, {}, 1.0, {}},
        {"a weight text is read as the program reads one",
         QStringLiteral("2026-12-06 10:00:00"),
         QStringLiteral("12,5"),
         1,
         QStringLiteral("2026-12-06 10:00:00"),
         12.5,
         {}},
        {"a text without a number",
         QStringLiteral("2026-12-06 10:00:00"),
         QStringLiteral("leer"),
         1,
         QStringLiteral("2026-12-06 10:00:00"),
         std::nullopt,
         {QStringLiteral("gewicht=leer")}},
        {"infinity",
         QStringLiteral("2026-12-06 10:00:00"),
         unendlich,
         1,
         QStringLiteral("2026-12-06 10:00:00"),
         std::nullopt,
         {QStringLiteral("gewicht=inf")}},
        {"no weight is no fault",
         QStringLiteral("2026-12-06 10:00:00"),
         nichts,
         1,
         QStringLiteral("2026-12-06 10:00:00"),
         std::nullopt,
         {}},
        {"an instant past the year 9999",
         QStringLiteral("2026-12-06 10:00:00"),
         1.0,
         300000000000000000,
         QStringLiteral("2026-12-06 10:00:00"),
         1.0,
         {QStringLiteral("zeitpunkt=300000000000000000")}},
        {"a stored NUL stays out of the note",
         QString(QStringLiteral("20") + QChar(0)),
         1.0,
         1,
         {},
         1.0,
         {QStringLiteral("datum=20")}},
    };
    for (const Fall& f : faelle) {
        ZentralZeile z{kDatei, 7, f.datum, f.gewicht, f.utcMs};
        const ZentralWerte w = ZentralWerte::aus(z);
        EXPECT_EQ(w.datum, f.erwartetDatum) << f.name;
        EXPECT_EQ(w.gewicht, f.erwartetGewicht) << f.name;
        EXPECT_EQ(w.ungueltig, f.ungueltig) << f.name;
        EXPECT_EQ(w.utcMs.has_value(), f.ungueltig.filter(QStringLiteral("zeitpunkt")).isEmpty()) << f.name;
    }
}

TEST(ZentralWerte, AFileIdentityThatIsNoneGivesTheSameValidOneEachTime) {
    ZentralZeile z{QStringLiteral("'); drop table gewichte; --"), 1, {}, {}, {}};
    const QString erste = ZentralWerte::aus(z).datei;
    EXPECT_FALSE(QUuid::fromString(erste).isNull());
    EXPECT_EQ(ZentralWerte::aus(z).datei, erste);
    z.datei = kDatei;
    EXPECT_EQ(ZentralWerte::aus(z).datei, kDatei);
}

TEST(ZentralWerte, AStationNameLosesItsNulCharacters) {
    EXPECT_EQ(stationFuerServer(QStringLiteral("Waage") + QChar(0) + QStringLiteral("B")), QStringLiteral("WaageB"));
}

} // namespace

namespace {

// The stored date read digit by digit must give what Qt's own parser of the stored form gives, also for days
// and times that do not exist and for the wall times a clock change skips or repeats (in a zone that has
// them); only faster.
TEST(Speicherform, ReadDigitByDigitAsQtsParserReadsIt) {
    const QByteArray vorher = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    const char* texte[] = {
        "2026-12-06 10:00:00", "2026-01-01 00:00:00", "1999-12-31 23:59:59", "2024-02-29 12:00:00",
        "2026-02-29 12:00:00", "2026-02-30 12:00:00", "2026-13-01 00:00:00", "2026-00-10 00:00:00",
        "2026-12-06 24:00:00", "2026-12-06 23:60:00", "2026-12-06 23:59:60", "0000-01-01 00:00:00",
        "2026-03-29 01:59:59", "2026-03-29 02:30:00", "2026-03-29 03:00:00", "2026-10-25 02:30:00",
        "2026-10-25 03:00:00", "2026-12-06 10:00",    "2026-12-06T10:00:00", " 2026-12-06 10:00:00",
        "2026-1-06 10:00:00",  "",
    };
    for (const char* t : texte) {
        const QString text = QString::fromLatin1(t);
        const QDateTime qt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QDateTime schnell = recording::datumAusSpeicherform(text);
        EXPECT_EQ(schnell.isValid(), qt.isValid()) << t;
        if (qt.isValid()) {
            EXPECT_EQ(schnell, qt) << t;
            EXPECT_EQ(schnell.toMSecsSinceEpoch(), qt.toMSecsSinceEpoch()) << t;
        }
    }
    if (vorher.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", vorher);
}

} // namespace
