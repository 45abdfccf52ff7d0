#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtMath>

namespace shell {

Twips Twips::forWidget(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return Twips();
    return Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

int Twips::x(int twips) const {
    return qRound(twips * m_dpiX / kPerInch);
}

int Twips::y(int twips) const {
    return qRound(twips * m_dpiY / kPerInch);
}

QRect Twips::rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
}

int Twips::toTwipsX(int pixels) const {
    return qRound(pixels * kPerInch / m_dpiX);
}

int Twips::toTwipsY(int pixels) const {
    return qRound(pixels * kPerInch / m_dpiY);
}

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Twips::forWidget(widget).rect(left, top, width, height));
}

void fillWithMargin(QWidget* widget, int marginTwips) {
    const Twips t = Twips::forWidget(widget);
    const QWidget* parent = widget->parentWidget();
    widget->setGeometry(t.x(marginTwips), t.y(marginTwips), parent->width() - 2 * t.x(marginTwips),
                        parent->height() - 2 * t.y(marginTwips));
}

} // namespace shell
