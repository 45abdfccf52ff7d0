#pragma once

#include <QLineEdit>
#include <optional>

namespace shell {

// A threshold field: a number shown as "###,###,##0.0" in the operator's locale, kept within its range.
// It may also be empty; an empty field holds no number, and its interval then never records.
class Schwellenfeld final : public QLineEdit {
    Q_OBJECT
public:
    Schwellenfeld(double minimum, double maximum, QWidget* parent = nullptr);

    std::optional<double> wert() const { return m_wert; }
    void setWert(std::optional<double> wert);
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

    // A stored text as the field reads it: the operator's number form (or the plain "1.5" form of
    // another locale), blank for no number. False, and the field unchanged, for anything else or a number
    // outside the range.
    bool textUebernehmen(const QString& text);

    // What the operator typed becomes the value: nothing typed for no number, a number held within the
    // range, anything unreadable keeps the previous value.
    void eingabeUebernehmen();
    // The value eingabeUebernehmen() would take now, while the operator is still typing.
    std::optional<double> eingabe() const;

    // The value as written to the store: the operator's decimal separator, no grouping, "" for no number.
    QString wertAlsText() const;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<double> lesen(const QString& text) const;
    void anzeigen();

    double m_minimum;
    double m_maximum;
    std::optional<double> m_wert;
};

} // namespace shell
