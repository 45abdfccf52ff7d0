#include "programmicon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace shell {

namespace {

void zeichne(QPainter& p, const QRectF& r) {
    p.save();
    p.translate(r.topLeft());
    p.scale(r.width() / 32.0, r.height() / 32.0);
    p.setRenderHint(QPainter::Antialiasing);
    // Platform of the scale.
    p.setPen(QPen(QColor(0x1f, 0x2a, 0x36), 1.0));
    p.setBrush(QColor(0x5b, 0x6b, 0x7a));
    p.drawRoundedRect(QRectF(3, 22, 26, 6), 1.5, 1.5);
    p.setBrush(QColor(0x8d, 0x9b, 0xa8));
    p.drawRect(QRectF(14, 17, 4, 5));
    // Indicator housing with its green display.
    p.setBrush(QColor(0x27, 0x3a, 0x4d));
    p.drawRoundedRect(QRectF(2, 3, 28, 14), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x14, 0x0e));
    p.drawRoundedRect(QRectF(4.5, 5.5, 23, 9), 1.2, 1.2);
    p.setBrush(QColor(0x4c, 0xe0, 0x6b));
    // Three seven-segment-like digits, reduced to bars so they stay readable at 16 pixels.
    for (int i = 0; i < 3; ++i) {
        const qreal x = 6.5 + i * 7.0;
        p.drawRect(QRectF(x, 7, 4.5, 1.2));
        p.drawRect(QRectF(x, 9.4, 4.5, 1.2));
        p.drawRect(QRectF(x, 11.8, 4.5, 1.2));
        p.drawRect(QRectF(x + 3.3, 7, 1.2, 6));
    }
    p.restore();
}

class IconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override { zeichne(*painter, rect); }
    QIconEngine* clone() const override { return new IconEngine; }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        return QPixmap::fromImage(image);
    }
};

} // namespace

QIcon programmIcon() {
    return QIcon(new IconEngine);
}

QImage programmIconBild(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    zeichne(painter, QRectF(0, 0, size, size));
    return image;
}

} // namespace shell
