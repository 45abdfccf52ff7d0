#pragma once

#include <QRect>

class QWidget;

namespace shell {

// The window's geometry is designed in twips (1/1440 inch). One conversion for every control, from the
// screen's logical DPI, so the layout scales with the operator's display setting.
class Twips {
public:
    static constexpr qreal kPerInch = 1440.0;

    explicit Twips(qreal dpiX = 96.0, qreal dpiY = 96.0) : m_dpiX(dpiX), m_dpiY(dpiY) {}
    static Twips forWidget(const QWidget* widget);

    int x(int twips) const;
    int y(int twips) const;
    QRect rect(int left, int top, int width, int height) const;
    int toTwipsX(int pixels) const;
    int toTwipsY(int pixels) const;

private:
    qreal m_dpiX;
    qreal m_dpiY;
};

// Places the widget at its designed twips geometry within its parent.
void placeTwips(QWidget* widget, int left, int top, int width, int height);
// Lets the widget fill its parent but for a margin in twips on every side, as the pages' content does
// whatever the page's size.
void fillWithMargin(QWidget* widget, int marginTwips);

} // namespace shell
