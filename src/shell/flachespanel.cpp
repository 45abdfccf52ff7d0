#include "flachespanel.h"

#include "platform/schrift.h"
#include "twips.h"

#include <QLabel>

namespace shell {

QLabel* flachesPanel(QWidget* parent, const QString& caption, Qt::Alignment alignment, int left, int top, int width,
                     int height) {
    auto* panel = new QLabel(caption, parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAlignment(alignment);
    QFont font(platform::entwurfsschrift());
    font.setPointSizeF(8.25);
    panel->setFont(font);
    placeTwips(panel, left, top, width, height);
    return panel;
}

} // namespace shell
