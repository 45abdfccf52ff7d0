#include "veraltungswache.h"

#include "recording/uhr.h"
#include "statusband.h"

#include <QDateTime>
#include <QLineEdit>

namespace shell {

namespace {
const auto kKeineDaten = QStringLiteral("keineDaten");
const auto kNichtEingefuegt = QStringLiteral("nichtEingefuegt");
} // namespace

Veraltungswache::Veraltungswache(int grenzeSekunden, const recording::Uhr& uhr, QLineEdit& ziffern, Statusband& band,
                                 QObject* parent)
    : QObject(parent), m_regel(grenzeSekunden), m_uhr(uhr), m_ziffern(ziffern), m_band(band),
      m_frisch(ziffern.palette()) {}

qint64 Veraltungswache::jetztMs() const {
    return m_uhr.jetzt().toMSecsSinceEpoch();
}

void Veraltungswache::telegramm() {
    m_regel.telegramm(jetztMs());
    anzeigen(false);
}

void Veraltungswache::pruefen() {
    anzeigen(m_regel.veraltet(jetztMs()));
}

bool Veraltungswache::einfuegbar() {
    // The tick may be up to a tick behind; the press decides on the clock as it is now.
    pruefen();
    if (!m_veraltet)
        return true;
    m_band.setzen(kNichtEingefuegt, Statusband::Schwere::Warnung,
                  QStringLiteral("Nicht eingefügt: das Gewicht ist veraltet (keine Daten seit %1)").arg(seit()));
    return false;
}

QString Veraltungswache::seit() const {
    const QDateTime letztes = QDateTime::fromMSecsSinceEpoch(m_regel.letztesTelegramm().value_or(0));
    // The time alone reads best and is enough on the same day; overnight the day has to be named.
    return letztes.toString(letztes.date() == m_uhr.jetzt().date() ? QStringLiteral("HH:mm:ss")
                                                                   : QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

void Veraltungswache::anzeigen(bool veraltet) {
    if (veraltet != m_veraltet) {
        m_veraltet = veraltet;
        if (!veraltet) {
            m_ziffern.setPalette(m_frisch);
            m_band.loeschen(kKeineDaten);
            m_band.loeschen(kNichtEingefuegt);
            m_zeile.clear();
            return;
        }
        m_frisch = m_ziffern.palette();
        // Halfway between the digits and their ground: faded on a light or a dark scheme alike.
        QPalette grau = m_frisch;
        const QColor schrift = m_frisch.color(QPalette::Text);
        const QColor grund = m_frisch.color(QPalette::Base);
        grau.setColor(QPalette::Text, QColor((schrift.red() + grund.red()) / 2, (schrift.green() + grund.green()) / 2,
                                             (schrift.blue() + grund.blue()) / 2));
        m_ziffern.setPalette(grau);
    }
    if (!veraltet)
        return;
    // Set anew only when it reads differently, as after midnight, not at every tick.
    const QString zeile = QStringLiteral("Keine Daten seit %1").arg(seit());
    if (zeile != m_zeile) {
        m_zeile = zeile;
        m_band.setzen(kKeineDaten, Statusband::Schwere::Warnung, zeile);
    }
}

} // namespace shell
