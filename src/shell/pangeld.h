#pragma once

#include <QWidget>

class QLineEdit;

namespace shell {

// Page 0, "Gewichtsanzeige": the weight in digits as large as the page allows.
class PanGeld final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 90;

    explicit PanGeld(QWidget* parent = nullptr);

    QLineEdit* txtgewicht() const { return m_txtgewicht; }
    // Font size in points for the field's current width: width in twips / 75.
    qreal gewichtFontSize() const;
    void applyGewichtFont();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_txtgewicht;
};

} // namespace shell
