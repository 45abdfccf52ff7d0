#include "systray.h"

#include <QCursor>
#include <QSystemTrayIcon>

namespace shell {

QtSysTray::QtSysTray(QObject* parent) : SysTray(parent), m_icon(new QSystemTrayIcon(this)) {
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A single left click does nothing: only the double click and the right button act.
        if (reason == QSystemTrayIcon::DoubleClick)
            Q_EMIT doppelklick();
        else if (reason == QSystemTrayIcon::Context)
            Q_EMIT menuGewuenscht(QCursor::pos());
    });
}

bool QtSysTray::verfuegbar() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtSysTray::hinzufuegen(const QIcon& icon, const QString& tip) {
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->show();
}

void QtSysTray::tipSetzen(const QString& tip) {
    m_icon->setToolTip(tip);
}

void QtSysTray::entfernen() {
    m_icon->hide();
}

bool QtSysTray::sichtbar() const {
    return m_icon->isVisible();
}

} // namespace shell
