#include "tagesverlauf.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace recording {

QString TagesVerlauf::abfrage() {
    // The second of the day from the stored text "yyyy-MM-dd HH:mm:ss", in integers only, so every row of
    // one second lands in the same column whatever the locale or time zone. Only a finite number is a
    // weight to draw (9e999 is SQLite's infinity; a text sorts above every number): one infinity would
    // otherwise be its column's and the day's minimum or maximum and leave nothing to scale.
    return QStringLiteral(
        "select spalte, min(wert), max(wert), count(*), total(wert), count(gewicht) - count(wert) from ("
        "select ((substr(datum, 12, 2) * 3600 + substr(datum, 15, 2) * 60 + substr(datum, 18, 2)) * ?) / 86400 "
        "as spalte, gewicht, case when gewicht > -9e999 and gewicht < 9e999 then gewicht end as wert "
        "from gewichte where datum >= ? and datum < ?) group by spalte order by spalte");
}

TagesVerlauf::TagesVerlauf(const QString& verbindung) : m_quelle(verbindung) {}

bool TagesVerlauf::lesen(const QString& pfad, const QDate& tag, int spalten, TagesWerte* werte) {
    *werte = TagesWerte();
    werte->spalten = std::max(1, spalten);
    m_fehler.clear();
    if (!m_quelle.oeffnenZumLesen(pfad)) {
        m_fehler = m_quelle.fehler();
        return false;
    }
    bool ok = false;
    {
        QSqlQuery query(m_quelle.db());
        query.setForwardOnly(true);
        ok = query.prepare(abfrage());
        query.addBindValue(werte->spalten);
        query.addBindValue(tag.toString(QStringLiteral("yyyy-MM-dd")));
        query.addBindValue(tag.addDays(1).toString(QStringLiteral("yyyy-MM-dd")));
        ok = ok && query.exec();
        bool erste = true;
        while (ok && query.next()) {
            const qint64 anzahl = query.value(3).toLongLong();
            werte->anzahl += anzahl;
            werte->summe += query.value(4).toDouble();
            werte->ausgelassen += query.value(5).toLongLong();
            if (query.value(1).isNull())
                continue; // rows without a weight to draw: counted, not drawn
            // A leap second ("23:59:60") would fall one past the last column.
            const int spalte = std::clamp(query.value(0).toInt(), 0, werte->spalten - 1);
            const double min = query.value(1).toDouble();
            const double max = query.value(2).toDouble();
            if (!werte->verlauf.isEmpty() && werte->verlauf.constLast().spalte == spalte) {
                werte->verlauf.last().min = std::min(werte->verlauf.last().min, min);
                werte->verlauf.last().max = std::max(werte->verlauf.last().max, max);
            } else {
                werte->verlauf.append({spalte, min, max});
            }
            werte->min = erste ? min : std::min(werte->min, min);
            werte->max = erste ? max : std::max(werte->max, max);
            erste = false;
        }
        if (!ok || query.lastError().isValid())
            m_fehler = QStringLiteral("Der Verlauf aus „%1“ lässt sich nicht lesen: %2")
                           .arg(QDir::toNativeSeparators(pfad), query.lastError().text());
        query.finish();
    }
    m_quelle.schliessen();
    return m_fehler.isEmpty();
}

} // namespace recording
