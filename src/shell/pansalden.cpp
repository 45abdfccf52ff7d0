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
}

} // namespace shell
