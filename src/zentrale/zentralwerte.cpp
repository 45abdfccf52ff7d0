#include "zentralwerte.h"

#include "recording/gewichttext.h"
#include "recording/vorlage.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlField>
#include <QTimeZone>
#include <QUuid>
#include <cmath>

namespace zentrale {

namespace {

// Years the server's timestamp types and this program's date handling both take without a doubt.
constexpr int kErstesJahr = 1;
constexpr int kLetztesJahr = 9999;
// The stored text as it goes along with a refused value: short, and only what a text on the server can hold.
constexpr qsizetype kRohLaenge = 80;

bool imBereich(const QDateTime& moment) {
    return moment.isValid() && moment.date().year() >= kErstesJahr && moment.date().year() <= kLetztesJahr;
}

// The calendar alone, whatever this computer's zone makes of the wall time: a stored "02:30" on the night
// the clocks go forward is a real entry in the list.
bool gueltigesDatum(const QString& text) {
    QDate tag;
    QTime zeit;
    if (!recording::speicherformTeile(text, &tag, &zeit))
        return false;
    return tag.isValid() && zeit.isValid() && tag.year() >= kErstesJahr && tag.year() <= kLetztesJahr;
}

QString alsText(const QVariant& wert) {
    if (wert.metaType().id() == QMetaType::QByteArray)
        return QString::fromUtf8(wert.toByteArray());
    return wert.toString();
}

QString roh(const QVariant& wert) {
    QString text = alsText(wert);
    text.remove(QChar(0));
    if (text.size() > kRohLaenge)
        text = text.left(kRohLaenge) + QStringLiteral("…");
    return text;
}

// Any epoch milliseconds the year range allows.
const qint64 kFruehesteMs = QDateTime(QDate(kErstesJahr, 1, 2), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();
const qint64 kSpaetesteMs = QDateTime(QDate(kLetztesJahr, 12, 30), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();

} // namespace

QString textLiteral(const QSqlDatabase& db, const QString& text) {
    QSqlField feld{QString(), QMetaType(QMetaType::QString)};
    feld.setValue(text);
    return db.driver()->formatValue(feld);
}

QString stationFuerServer(const QString& station) {
    QString name = station;
    name.remove(QChar(0));
    return name;
}

ZentralWerte ZentralWerte::aus(const ZentralZeile& z) {
    ZentralWerte w;
    const QUuid datei = QUuid::fromString(z.datei);
    // A file identity overwritten by another program still names the file the same way each time.
    w.datei = (datei.isNull() ? QUuid::createUuidV5(QUuid(), z.datei) : datei).toString(QUuid::WithoutBraces);
    w.zeile = z.zeile;

    if (!z.datum.isNull()) {
        const QString text = alsText(z.datum);
        if (gueltigesDatum(text))
            w.datum = text;
        else
            w.ungueltig << QStringLiteral("datum=") + roh(z.datum);
    }
    if (z.utcMs) {
        if (*z.utcMs >= kFruehesteMs && *z.utcMs <= kSpaetesteMs)
            w.utcMs = z.utcMs;
        else
            w.ungueltig << QStringLiteral("zeitpunkt=%1").arg(*z.utcMs);
    } else if (!w.datum.isEmpty()) {
        // Recorded before the central store: the local wall time in this computer's zone.
        const QDateTime utc = recording::datumAusSpeicherform(w.datum).toUTC();
        if (imBereich(utc))
            w.abgeleitet = utc.toString(Qt::ISODateWithMs);
        else
            w.ungueltig << QStringLiteral("zeitpunkt=") + w.datum;
    }
    if (!z.gewicht.isNull()) {
        const std::optional<double> gewicht = recording::gespeichertesGewicht(z.gewicht);
        if (gewicht && std::isfinite(*gewicht))
            w.gewicht = gewicht;
        else
            w.ungueltig << QStringLiteral("gewicht=") + roh(z.gewicht);
    }
    return w;
}

QString ZentralWerte::tupel(const QSqlDatabase& db, const QString& stationText) const {
    const auto null = QStringLiteral("NULL");
    QString t;
    t.reserve(200);
    t += u'(';
    t += stationText;
    t += QStringLiteral("::text,'");
    t += datei;
    t += QStringLiteral("'::uuid,");
    t += QString::number(zeile);
    t += QStringLiteral("::bigint,");
    t += datum.isEmpty() ? null : u'\'' + datum + u'\'';
    t += QStringLiteral("::timestamp,");
    if (utcMs) {
        // The server turns the epoch milliseconds into its instant: no time-zone work here per row.
        t += QStringLiteral("to_timestamp(%1::float8/1000),false,").arg(*utcMs);
    } else {
        t += abgeleitet.isEmpty() ? null : u'\'' + abgeleitet + u'\'';
        t += QStringLiteral("::timestamptz,true,");
    }
    t += gewicht ? QString::number(*gewicht, 'g', 17) : null;
    t += QStringLiteral("::float8,");
    t += ungueltig.isEmpty() ? null : textLiteral(db, ungueltig.join(QStringLiteral("; ")));
    t += QStringLiteral("::text)");
    return t;
}

} // namespace zentrale
