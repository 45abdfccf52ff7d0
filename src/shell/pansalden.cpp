#include "pansalden.h"

#include "twips.h"

#include <QLabel>

namespace shell {

PanSalden::PanSalden(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pansalden"));
    auto addPanel = [this](const QString& caption, int left, int width) {
        auto* panel = new QLabel(caption, this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        placeTwips(panel, left, 60, width, 315);
    };
    addPanel(QStringLiteral(" Version:"), 60, 915);
    addPanel(QStringLiteral(" 2012 vom 20.4.2012"), 960, 2895);
}

} // namespace shell
