#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace recording {

// What the operator may type into a threshold field, decided at each keystroke: an optional "-", digits,
// and one "," or "." as the decimal separator, whichever the keyboard offers, with at most two decimals.
// There are no group marks: with both marks meaning the separator, "1.234" could not be told from 1234.
class SchwellenText {
public:
    enum class Stand {
        // A number within the range, or nothing at all.
        Fertig,
        // On the way to a number: "-", ",", "-.".
        Unfertig,
        // Anything else. A number outside the range is refused as well: more keys only take it further out.
        Abgelehnt,
    };

    static constexpr int kStellen = 2;

    SchwellenText(double minimum, double maximum) : m_minimum(minimum), m_maximum(maximum) {}

    Stand pruefen(QStringView text) const;
    // The number of a text that pruefen() finds Fertig; none for an empty, unfinished or refused text.
    std::optional<double> wert(QStringView text) const;

    // The value with one decimal and the chosen separator, as the field shows it.
    static QString anzeige(double wert, QChar trennzeichen);
    // The value with every decimal it has and the chosen separator, as the store keeps it.
    static QString speichertext(double wert, QChar trennzeichen);

private:
    double m_minimum;
    double m_maximum;
};

} // namespace recording
