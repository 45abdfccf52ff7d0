#include "trayfenster.h"

#include "systray.h"

#include <QMenu>
#include <QWidget>

namespace shell {

TrayFenster::TrayFenster(QWidget& fenster, SysTray& tray, QObject* parent)
    : QObject(parent), m_fenster(fenster), m_tray(tray), m_menu(new QMenu(QStringLiteral("Allgemein"))) {
    m_menu->setObjectName(QStringLiteral("MnuAllgemein"));
    const QStringList captions{QStringLiteral("Wiederherstellen"), QStringLiteral("Beenden")};
    for (int i = 0; i < captions.size(); ++i) {
        QAction* action = m_menu->addAction(captions[i]);
        action->setObjectName(QStringLiteral("MnuB_%1").arg(i));
        connect(action, &QAction::triggered, this, [this, i] { MnuB_Click(i); });
    }
    connect(&m_tray, &SysTray::doppelklick, this, &TrayFenster::wiederherstellen);
    connect(&m_tray, &SysTray::menuGewuenscht, this, [this](const QPoint& position) {
        // Choosing nothing leaves the icon and the hidden window as they are.
        m_menu->popup(position);
    });
}

TrayFenster::~TrayFenster() {
    delete m_menu;
}

void TrayFenster::intray() {
    if (!m_tray.verfuegbar()) {
        m_fenster.showMinimized();
        return;
    }
    m_tray.hinzufuegen(m_fenster.windowIcon(), tip());
    m_fenster.hide();
}

void TrayFenster::MnuB_Click(int index) {
    m_tray.entfernen();
    if (index == 0)
        m_fenster.show();
    else if (index == 1)
        m_fenster.close();
}

QString TrayFenster::tip() const {
    return m_zusatzzeile.isEmpty() ? m_fenster.windowTitle() : m_fenster.windowTitle() + u'\n' + m_zusatzzeile;
}

void TrayFenster::setZusatzzeile(const QString& zeile) {
    if (zeile == m_zusatzzeile)
        return;
    m_zusatzzeile = zeile;
    if (m_tray.sichtbar())
        m_tray.tipSetzen(tip());
}

void TrayFenster::entfernen() {
    m_tray.entfernen();
}

void TrayFenster::nachVorn() {
    m_tray.entfernen();
    if (m_fenster.isMinimized())
        m_fenster.showNormal();
    else
        m_fenster.show();
    m_fenster.raise();
    m_fenster.activateWindow();
}

void TrayFenster::wiederherstellen() {
    m_tray.entfernen();
    m_fenster.show();
}

} // namespace shell
