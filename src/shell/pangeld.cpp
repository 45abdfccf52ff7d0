#include "pangeld.h"

#include "twips.h"

#include <QLineEdit>

namespace shell {

PanGeld::PanGeld(QWidget* parent) : QWidget(parent), m_txtgewicht(new QLineEdit(this)) {
    setObjectName(QStringLiteral("pangeld"));
    m_txtgewicht->setObjectName(QStringLiteral("txtgewicht"));
    // Only the decoder writes the weight: whatever stands here is pasted and recorded.
    m_txtgewicht->setReadOnly(true);
    m_txtgewicht->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(110.25);
    m_txtgewicht->setFont(font);
    placeTwips(m_txtgewicht, kMargin, kMargin, 8205, 3690);
}

qreal PanGeld::gewichtFontSize() const {
    return Twips::forWidget(this).toTwipsX(m_txtgewicht->width()) / 75.0;
}

void PanGeld::applyGewichtFont() {
    QFont font = m_txtgewicht->font();
    font.setPointSizeF(gewichtFontSize());
    m_txtgewicht->setFont(font);
}

void PanGeld::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The field keeps its margin to the page whatever the page's size.
    const Twips t = Twips::forWidget(this);
    m_txtgewicht->setGeometry(t.x(kMargin), t.y(kMargin), width() - 2 * t.x(kMargin),
                              height() - 2 * t.y(kMargin));
}

} // namespace shell
