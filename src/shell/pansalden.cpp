#include "pansalden.h"

#include "flachespanel.h"

#include <QDir>
#include <QLabel>

namespace shell {

PanSalden::PanSalden(const QString& datenordner, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pansalden"));
    const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
    flachesPanel(this, QStringLiteral(" Version:"), links, 60, 60, 915, 315);
    flachesPanel(this, QStringLiteral(" 2012 vom 20.4.2012"), links, 960, 60, 2895, 315);
    // A row below the version: a caption wide enough for " Datenordner:" and the folder across the rest of
    // the page.
    const QString ordner = datenordner.isEmpty() ? QString() : QDir::toNativeSeparators(datenordner);
    flachesPanel(this, QStringLiteral(" Datenordner:"), links, 60, 420, 1275, 315);
    m_lbldatenordner = flachesPanel(this, QLatin1Char(' ') + ordner, links, 1380, 420, 6945, 315);
    m_lbldatenordner->setObjectName(QStringLiteral("lbldatenordner"));
    // A long path runs past the panel; the tip shows it whole, and it can be selected and copied.
    m_lbldatenordner->setToolTip(ordner);
    m_lbldatenordner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    flachesPanel(this, QStringLiteral(" Tastendruck:"), links, 60, 780, 1275, 315);
    m_lbltastendruck = flachesPanel(this, QString(), links, 1380, 780, 6945, 315);
    m_lbltastendruck->setObjectName(QStringLiteral("lbltastendruck"));
    tastenerkennungZeigen(Tastenwache::Erkennung::Keine);
    flachesPanel(this, QStringLiteral(" Verbindung:"), links, 60, 1140, 1275, 315);
    m_lblverbindung = flachesPanel(this, QString(), links, 1380, 1140, 6945, 315);
    m_lblverbindung->setObjectName(QStringLiteral("lblverbindung"));
}

void PanSalden::tastenerkennungZeigen(Tastenwache::Erkennung erkennung) {
    switch (erkennung) {
    case Tastenwache::Erkennung::Ereignisse:
        m_lbltastendruck->setText(QStringLiteral(" Jeder Druck der Funktionstaste wird sofort erkannt."));
        m_lbltastendruck->setToolTip(QStringLiteral("Das System meldet jede Taste, sobald sie gedrückt wird."));
        break;
    case Tastenwache::Erkennung::Abfrage:
        m_lbltastendruck->setText(
            QStringLiteral(" Die Funktionstaste wird alle 100 ms abgefragt; ein kürzerer Druck kann fehlen."));
        m_lbltastendruck->setToolTip(
            QStringLiteral("Das System meldet die Tasten nicht einzeln (unter X11 fehlt XInput 2.2, unter Windows "
                           "der Tastatur-Hook). Halten Sie die Funktionstaste, bis das Gewicht erscheint."));
        break;
    case Tastenwache::Erkennung::Ersatzabfrage:
        m_lbltastendruck->setText(
            QStringLiteral(" Das System meldet die Tasten nicht mehr; die Funktionstaste wird alle 100 ms abgefragt."));
        m_lbltastendruck->setToolTip(
            QStringLiteral("Eine Taste bewegte sich, ohne dass das System es meldete (Windows entfernt den "
                           "Tastatur-Hook, wenn er zu spät antwortet). Die Meldung wird neu eingerichtet; bis "
                           "wieder Tasten gemeldet werden, kann ein Druck kürzer als 100 ms fehlen."));
        break;
    case Tastenwache::Erkennung::Keine:
        m_lbltastendruck->setText(QStringLiteral(" Die Tastatur ist nicht lesbar; die Funktionstaste wirkt nicht."));
        m_lbltastendruck->setToolTip(QStringLiteral(
            "Ohne X-Server (DISPLAY) oder Tastaturzugriff kann die Funktionstaste nicht erkannt werden."));
        break;
    }
}

} // namespace shell
