#include "schwellenfeld.h"

#include <QLocale>
#include <QToolTip>
#include <QValidator>
#include <algorithm>
#include <cmath>

namespace shell {

namespace {

double gerundet(double wert) {
    return std::round(wert * 100.0) / 100.0;
}

// Lets through, key by key, only what the field's rule takes or may still take.
class SchwellenPruefer final : public QValidator {
public:
    SchwellenPruefer(recording::SchwellenText regel, QObject* parent) : QValidator(parent), m_regel(regel) {}

    State validate(QString& text, int&) const override {
        switch (m_regel.pruefen(text)) {
        case recording::SchwellenText::Stand::Fertig:
            return Acceptable;
        case recording::SchwellenText::Stand::Unfertig:
            return Intermediate;
        case recording::SchwellenText::Stand::Abgelehnt:
            break;
        }
        return Invalid;
    }

private:
    recording::SchwellenText m_regel;
};

// A text kept by an earlier version in the number form of the computer's language, or in German form (a
// settings file brought from a German computer), or in C's.
std::optional<double> alteForm(const QString& text, const QLocale& locale) {
    bool ok = false;
    double wert = locale.toDouble(text, &ok);
    if (!ok)
        wert = QLocale(QLocale::German, QLocale::Germany).toDouble(text, &ok);
    if (!ok)
        wert = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

} // namespace

Schwellenfeld::Schwellenfeld(double minimum, double maximum, QWidget* parent)
    : QLineEdit(parent), m_minimum(minimum), m_maximum(maximum), m_regel(minimum, maximum) {
    setValidator(new SchwellenPruefer(m_regel, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A refused key would otherwise vanish without a word, and the operator would not know why.
    connect(this, &QLineEdit::inputRejected, this, &Schwellenfeld::abgelehnt);
    anzeigen();
}

void Schwellenfeld::setWert(std::optional<double> wert) {
    if (wert)
        wert = gerundet(std::clamp(*wert, m_minimum, m_maximum));
    m_wert = wert;
    anzeigen();
}

void Schwellenfeld::setTrennzeichen(QChar trennzeichen) {
    m_trennzeichen = trennzeichen;
    // What the operator is typing stays as typed; the value shows in the new form once the field is left.
    if (!isModified())
        anzeigen();
}

bool Schwellenfeld::textUebernehmen(const QString& text) {
    const QString gespeichert = text.trimmed();
    if (gespeichert.isEmpty()) {
        setWert(std::nullopt);
        return true;
    }
    std::optional<double> wert = m_regel.wert(gespeichert);
    if (!wert) {
        wert = alteForm(gespeichert, QLocale::system());
        if (!wert || *wert < m_minimum || *wert > m_maximum)
            return false;
    }
    setWert(wert);
    return true;
}

std::optional<double> Schwellenfeld::eingabe() const {
    // An untouched field keeps its exact value, also one that its one-decimal display rounds.
    if (!isModified())
        return m_wert;
    if (text().isEmpty())
        return std::nullopt;
    if (const std::optional<double> wert = m_regel.wert(text()))
        return gerundet(*wert);
    return m_wert;
}

void Schwellenfeld::eingabeUebernehmen() {
    if (!isModified())
        return;
    // A text that is not yet a number goes back to the value's display as well.
    setWert(eingabe());
}

QString Schwellenfeld::wertAlsText() const {
    return m_wert ? recording::SchwellenText::speichertext(*m_wert, m_trennzeichen) : QString();
}

QString Schwellenfeld::bereichsText() const {
    static_assert(recording::SchwellenText::kStellen == 2, "the tip names the decimals in words");
    return QStringLiteral("Eine Zahl von %1 bis %2, mit höchstens zwei Nachkommastellen")
        .arg(recording::SchwellenText::speichertext(m_minimum, m_trennzeichen),
             recording::SchwellenText::speichertext(m_maximum, m_trennzeichen));
}

void Schwellenfeld::abgelehnt() {
    QToolTip::showText(mapToGlobal(QPoint(0, height())), bereichsText(), this);
}

void Schwellenfeld::focusOutEvent(QFocusEvent* event) {
    eingabeUebernehmen();
    QLineEdit::focusOutEvent(event);
}

void Schwellenfeld::anzeigen() {
    setText(m_wert ? recording::SchwellenText::anzeige(*m_wert, m_trennzeichen) : QString());
}

} // namespace shell
