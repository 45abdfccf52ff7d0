#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace shell {

// Page 0, "Gewichtsanzeige": the weight in digits as large as the page allows.
class PanGeld final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 90;

    explicit PanGeld(QWidget* parent = nullptr);

    QLineEdit* txtgewicht() const { return m_txtgewicht; }
    // The designed size: the field's width in twips / 75 points.
    qreal regelSchriftgroesse() const;
    // The size in use: the designed size, or less where the text would otherwise be cut off.
    void applyGewichtFont();
    // Pixels the text may take inside the field.
    int textBreite() const;

    // A line in small letters under where the digits go, such as which port the display waits for; an
    // empty text hides it.
    void setHinweis(const QString& text);
    QLabel* lblhinweis() const { return m_lblhinweis; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The field's room for its text, in its own coordinates.
    QRect innen() const;
    void hinweisPlatzieren();

    QLineEdit* m_txtgewicht;
    QLabel* m_lblhinweis;
};

} // namespace shell
