#include "zeitraum.h"

#include <QRegularExpression>

namespace recording {

namespace {
const auto kTagFormat = QStringLiteral("yyyy-MM-dd");
}

Zeitraum Zeitraum::fuer(Art art, const QDate& heute, const QDate& von, const QDate& bis) {
    switch (art) {
    case Art::Heute:
        return {heute, heute};
    case Art::Gestern:
        return {heute.addDays(-1), heute.addDays(-1)};
    case Art::DieseWoche: {
        const QDate montag = heute.addDays(1 - heute.dayOfWeek());
        return {montag, montag.addDays(6)};
    }
    case Art::Alles:
        return {};
    case Art::VonBis:
        return {von, bis};
    }
    return {};
}

bool Zeitraum::gueltig() const {
    return !(von.isValid() && bis.isValid() && von > bis);
}

QString Zeitraum::untergrenze() const {
    return von.isValid() ? von.toString(kTagFormat) : QString();
}

QString Zeitraum::obergrenze() const {
    // The day after the last: every time of the last day, "23:59:59" included, sorts below it.
    return bis.isValid() ? bis.addDays(1).toString(kTagFormat) : QString();
}

QDate Zeitraum::ausOption(const QString& text) {
    // fromString alone would take "2026-1-5"; scheduled jobs are better told early that they wrote it wrong.
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!form.match(text).hasMatch())
        return {};
    return QDate::fromString(text, kTagFormat);
}

} // namespace recording
