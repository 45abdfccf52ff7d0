#include "pansalden.h"

#include "flachespanel.h"

namespace shell {

PanSalden::PanSalden(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pansalden"));
    const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
    flachesPanel(this, QStringLiteral(" Version:"), links, 60, 60, 915, 315);
    flachesPanel(this, QStringLiteral(" 2012 vom 20.4.2012"), links, 960, 60, 2895, 315);
}

} // namespace shell
