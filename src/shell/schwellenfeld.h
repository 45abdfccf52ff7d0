#pragma once

#include "recording/schwellentext.h"

#include <QLineEdit>
#include <optional>

namespace shell {

// A threshold field: a number with one decimal shown, kept within its range. "," and "." both type the
// decimal separator; the field shows and stores the value with the separator the operator chose. A key
// that would take the text out of the range or out of the number form is refused, with a tip saying
// what the field takes. It may also be empty; an empty field holds no number, and its interval then
// never records.
class Schwellenfeld final : public QLineEdit {
    Q_OBJECT
public:
    Schwellenfeld(double minimum, double maximum, QWidget* parent = nullptr);

    std::optional<double> wert() const { return m_wert; }
    void setWert(std::optional<double> wert);
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }

    // The separator the field shows and stores; "," until one is chosen.
    void setTrennzeichen(QChar trennzeichen);
    QChar trennzeichen() const { return m_trennzeichen; }

    // A stored text as the field reads it: the field's own form, the number form of the computer's language
    // (grouped, as earlier versions may have kept it) or the plain "1.5" form, blank for no number. False,
    // and the field unchanged, for anything else or a number outside the range.
    bool textUebernehmen(const QString& text);

    // What the operator typed becomes the value: nothing typed for no number; a text not yet a number
    // ("-") keeps the previous value.
    void eingabeUebernehmen();
    // The value eingabeUebernehmen() would take now, while the operator is still typing.
    std::optional<double> eingabe() const;

    // The value as written to the store: the chosen separator, every decimal, "" for no number.
    QString wertAlsText() const;
    // What the tip says when a key is refused.
    QString bereichsText() const;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void anzeigen();
    void abgelehnt();

    double m_minimum;
    double m_maximum;
    recording::SchwellenText m_regel;
    QChar m_trennzeichen = u',';
    std::optional<double> m_wert;
};

} // namespace shell
