#include "pangeld.h"

#include "fensterlayout.h"
#include "twips.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace shell {

namespace {
// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kTextRand = 2;
} // namespace

PanGeld::PanGeld(QWidget* parent) : QWidget(parent), m_txtgewicht(new QLineEdit(this)) {
    setObjectName(QStringLiteral("pangeld"));
    m_txtgewicht->setObjectName(QStringLiteral("txtgewicht"));
    // Only the decoder writes the weight: whatever stands here is pasted and recorded.
    m_txtgewicht->setReadOnly(true);
    // A display, not a stop of the Tab key: focused, it would show the digits selected.
    m_txtgewicht->setFocusPolicy(Qt::NoFocus);
    m_txtgewicht->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(110.25);
    m_txtgewicht->setFont(font);
    placeTwips(m_txtgewicht, kMargin, kMargin, 8205, 3690);
    connect(m_txtgewicht, &QLineEdit::textChanged, this, &PanGeld::applyGewichtFont);
    // The field learns its new size only when it is next shown, if the window was resized while another
    // page was in front; its own resize event is the one moment the font can follow every size change.
    m_txtgewicht->installEventFilter(this);
}

qreal PanGeld::regelSchriftgroesse() const {
    return Twips::forWidget(this).toTwipsX(m_txtgewicht->width()) / 75.0;
}

int PanGeld::textBreite() const {
    QStyleOptionFrame option;
    option.initFrom(m_txtgewicht);
    option.rect = m_txtgewicht->rect();
    option.lineWidth = m_txtgewicht->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_txtgewicht);
    const QRect contents = m_txtgewicht->style()->subElementRect(QStyle::SE_LineEditContents, &option, m_txtgewicht);
    return contents.width() - 2 * kTextRand;
}

void PanGeld::applyGewichtFont() {
    const QString text = m_txtgewicht->text();
    QFont font = m_txtgewicht->font();
    // At the designed width the rule's 109 points would cut the leading digit of a seven-character weight,
    // and the operator would read a wrong number: shrink just enough for every character to show.
    const qreal size =
        gewichtSchriftgroesse(Twips::forWidget(this).toTwipsX(m_txtgewicht->width()), textBreite(), [&](qreal points) {
            QFont probe = font;
            probe.setPointSizeF(points);
            return QFontMetricsF(probe, m_txtgewicht).horizontalAdvance(text);
        });
    if (qAbs(font.pointSizeF() - size) < 0.01)
        return;
    font.setPointSizeF(size);
    m_txtgewicht->setFont(font);
}

bool PanGeld::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtgewicht && event->type() == QEvent::Resize)
        applyGewichtFont();
    return QWidget::eventFilter(watched, event);
}

void PanGeld::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fillWithMargin(m_txtgewicht, kMargin);
}

} // namespace shell
