#include "pangeld.h"

#include "fensterlayout.h"
#include "twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace shell {

namespace {
// QLineEdit keeps this many pixels free on either side of its text.
constexpr int kTextRand = 2;
} // namespace

PanGeld::PanGeld(QWidget* parent) : QWidget(parent), m_txtgewicht(new QLineEdit(this)), m_lblhinweis(new QLabel(this)) {
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
    // A sibling laid over the field's empty bottom rather than a child of it, so that it keeps the page's
    // small font; clicks go through to the field.
    m_lblhinweis->setObjectName(QStringLiteral("lblhinweis"));
    m_lblhinweis->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblhinweis->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lblhinweis->hide();
}

void PanGeld::setHinweis(const QString& text) {
    m_lblhinweis->setText(text);
    m_lblhinweis->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        m_lblhinweis->raise();
        hinweisPlatzieren();
    }
}

void PanGeld::hinweisPlatzieren() {
    if (m_lblhinweis->isHidden())
        return;
    const QRect feld = innen();
    // The field centres its line; digits end at the baseline, so the room from there down is free.
    const QFontMetrics ziffern(m_txtgewicht->font());
    const int grundlinie = feld.top() + (feld.height() - ziffern.height() + 1) / 2 + ziffern.ascent();
    const int hoehe = m_lblhinweis->sizeHint().height();
    const int frei = feld.bottom() + 1 - grundlinie;
    const int oben = frei >= hoehe ? grundlinie + (frei - hoehe) / 2 : feld.bottom() + 1 - hoehe;
    const QRect ort(feld.left() + kTextRand, oben, feld.width() - 2 * kTextRand, hoehe);
    m_lblhinweis->setGeometry(ort.translated(m_txtgewicht->pos()));
}

qreal PanGeld::regelSchriftgroesse() const {
    return Twips::forWidget(this).toTwipsX(m_txtgewicht->width()) / 75.0;
}

QRect PanGeld::innen() const {
    QStyleOptionFrame option;
    option.initFrom(m_txtgewicht);
    option.rect = m_txtgewicht->rect();
    option.lineWidth = m_txtgewicht->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_txtgewicht);
    return m_txtgewicht->style()->subElementRect(QStyle::SE_LineEditContents, &option, m_txtgewicht);
}

int PanGeld::textBreite() const {
    return innen().width() - 2 * kTextRand;
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
    if (qAbs(font.pointSizeF() - size) >= 0.01) {
        font.setPointSizeF(size);
        m_txtgewicht->setFont(font);
    }
    hinweisPlatzieren();
}

bool PanGeld::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtgewicht && event->type() == QEvent::Resize)
        applyGewichtFont();
    return QWidget::eventFilter(watched, event);
}

void PanGeld::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fillWithMargin(m_txtgewicht, kMargin);
    hinweisPlatzieren();
}

} // namespace shell
