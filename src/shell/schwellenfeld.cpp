#include "schwellenfeld.h"

#include <QDoubleValidator>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {

// The field keeps two decimals, enough for its bounds, and shows one.
constexpr int kStellen = 2;
constexpr double kTippgrenze = 999999.99;

double gerundet(double wert) {
    return std::round(wert * 100.0) / 100.0;
}

QLocale mitGruppen(QLocale locale) {
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

Schwellenfeld::Schwellenfeld(double minimum, double maximum, QWidget* parent)
    : QLineEdit(parent), m_minimum(minimum), m_maximum(maximum) {
    // The validator only keeps out what is no number of this size; the exact range is applied when the
    // field is left, so a value just beyond it is held at the bound instead of being refused key by key.
    auto* validator = new QDoubleValidator(-kTippgrenze, kTippgrenze, kStellen, this);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(mitGruppen(locale()));
    setValidator(validator);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    anzeigen();
}

void Schwellenfeld::setWert(std::optional<double> wert) {
    if (wert)
        wert = gerundet(std::clamp(*wert, m_minimum, m_maximum));
    m_wert = wert;
    anzeigen();
}

std::optional<double> Schwellenfeld::lesen(const QString& text) const {
    bool ok = false;
    double wert = mitGruppen(locale()).toDouble(text.trimmed(), &ok);
    if (!ok)
        wert = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

bool Schwellenfeld::textUebernehmen(const QString& text) {
    if (text.trimmed().isEmpty()) {
        setWert(std::nullopt);
        return true;
    }
    const std::optional<double> wert = lesen(text);
    if (!wert || *wert < m_minimum || *wert > m_maximum)
        return false;
    setWert(wert);
    return true;
}

std::optional<double> Schwellenfeld::eingabe() const {
    // An untouched field keeps its exact value, also one that its one-decimal display rounds.
    if (!isModified())
        return m_wert;
    if (text().trimmed().isEmpty())
        return std::nullopt;
    if (const std::optional<double> wert = lesen(text()))
        return gerundet(std::clamp(*wert, m_minimum, m_maximum));
    return m_wert;
}

void Schwellenfeld::eingabeUebernehmen() {
    if (!isModified())
        return;
    // Unreadable text goes back to the value's display as well.
    setWert(eingabe());
}

QString Schwellenfeld::wertAlsText() const {
    if (!m_wert)
        return QString();
    QLocale locale = this->locale();
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(*m_wert, 'f', QLocale::FloatingPointShortest);
}

void Schwellenfeld::focusOutEvent(QFocusEvent* event) {
    eingabeUebernehmen();
    QLineEdit::focusOutEvent(event);
}

void Schwellenfeld::anzeigen() {
    setText(m_wert ? mitGruppen(locale()).toString(*m_wert, 'f', 1) : QString());
}

} // namespace shell
