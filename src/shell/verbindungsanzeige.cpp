#include "verbindungsanzeige.h"

#include "pangeld.h"
#include "pansalden.h"
#include "recording/uhr.h"

#include <QLabel>

namespace shell {

Verbindungsanzeige::Verbindungsanzeige(const recording::Uhr& uhr, PanGeld& geld, PanSalden& salden, QObject* parent)
    : QObject(parent), m_uhr(uhr), m_geld(geld), m_salden(salden) {}

void Verbindungsanzeige::gewaehlt(const QString& name, const QString& device) {
    m_name = name;
    m_device = device;
    m_offen = false;
    m_grund.clear();
    m_einzelheiten.clear();
    // What came from another port says nothing about this one.
    m_letztes.reset();
    m_geld.setHinweis(QStringLiteral("Warte auf Daten von %1 …").arg(name));
    zeigen();
}

void Verbindungsanzeige::geoeffnet() {
    m_offen = true;
    m_grund.clear();
    m_einzelheiten.clear();
    zeigen();
}

void Verbindungsanzeige::geschlossen(const QString& grund, const QString& einzelheiten) {
    m_offen = false;
    m_grund = grund;
    m_einzelheiten = einzelheiten;
    zeigen();
}

void Verbindungsanzeige::telegramm() {
    if (!m_letztes)
        m_geld.setHinweis(QString());
    m_letztes = m_uhr.jetzt();
    zeigen();
}

void Verbindungsanzeige::zeigen() {
    const QString zustand = m_offen ? QStringLiteral("geöffnet") : QStringLiteral("nicht geöffnet (%1)").arg(m_grund);
    QString telegramm = QStringLiteral("noch kein Telegramm");
    if (m_letztes) {
        // As the stale weight's line writes it: the time alone on the same day, else with the date.
        const bool heute = m_letztes->date() == m_uhr.jetzt().date();
        telegramm = QStringLiteral("letztes Telegramm ") +
                    m_letztes->toString(heute ? QStringLiteral("HH:mm:ss") : QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    }
    QLabel* zeile = m_salden.lblverbindung();
    zeile->setText(QStringLiteral(" %1: %2, %3").arg(m_name, zustand, telegramm));
    zeile->setToolTip(m_einzelheiten.isEmpty() ? m_device : m_device + QLatin1Char('\n') + m_einzelheiten);
}

} // namespace shell
