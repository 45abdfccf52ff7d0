#pragma once

#include <QDate>
#include <QString>

namespace recording {

// A span of whole local days, both ends inclusive; an end that is not a valid date leaves that side open.
struct Zeitraum {
    enum class Art { Heute, Gestern, DieseWoche, Alles, VonBis };

    QDate von;
    QDate bis;

    // The choices of the export dialog, relative to today. The week runs Monday to Sunday, as the
    // operators' calendars do.
    static Zeitraum fuer(Art art, const QDate& heute, const QDate& von = {}, const QDate& bis = {});

    // False when both ends are given and the first lies after the last.
    bool gueltig() const;
    // Bounds on the stored Datum text ("yyyy-MM-dd HH:mm:ss" sorts as time does): Datum >= untergrenze()
    // and Datum < obergrenze(), so the index on Datum finds the range. Empty for an open side.
    QString untergrenze() const;
    QString obergrenze() const;

    // A date as the command line takes it, yyyy-MM-dd; invalid when the text is not exactly one.
    static QDate ausOption(const QString& text);
};

} // namespace recording
