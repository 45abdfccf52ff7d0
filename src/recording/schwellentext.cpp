#include "schwellentext.h"

#include <QLocale>

namespace recording {

namespace {

bool ziffer(QChar c) {
    return c >= u'0' && c <= u'9';
}

struct Zerlegt {
    bool minus = false;
    QString ganz;
    QString bruch;
};

// Sign, digits, separator, digits; nothing else, not even a blank.
std::optional<Zerlegt> zerlegen(QStringView text) {
    Zerlegt z;
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'-') {
        z.minus = true;
        ++i;
    }
    for (; i < text.size() && ziffer(text[i]); ++i)
        z.ganz += text[i];
    if (i < text.size() && (text[i] == u',' || text[i] == u'.')) {
        ++i;
        for (; i < text.size() && ziffer(text[i]); ++i)
            z.bruch += text[i];
    }
    if (i != text.size() || z.bruch.size() > SchwellenText::kStellen)
        return std::nullopt;
    return z;
}

// The number a well-formed text stands for; none for a sign or separator alone.
std::optional<double> zahl(const Zerlegt& z) {
    if (z.ganz.isEmpty() && z.bruch.isEmpty())
        return std::nullopt;
    bool ok = false;
    const QString text = (z.ganz.isEmpty() ? QStringLiteral("0") : z.ganz) + u'.' + z.bruch + u'0';
    const double betrag = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    // Subtracted rather than negated, so that "-0" is 0 and the field shows no sign on nothing.
    return z.minus ? 0.0 - betrag : betrag;
}

} // namespace

SchwellenText::Stand SchwellenText::pruefen(QStringView text) const {
    if (text.isEmpty())
        return Stand::Fertig;
    const std::optional<Zerlegt> z = zerlegen(text);
    if (!z || (z->minus && m_minimum >= 0))
        return Stand::Abgelehnt;
    const std::optional<double> n = zahl(*z);
    if (!n)
        return Stand::Unfertig;
    return *n < m_minimum || *n > m_maximum ? Stand::Abgelehnt : Stand::Fertig;
}

std::optional<double> SchwellenText::wert(QStringView text) const {
    if (pruefen(text) != Stand::Fertig)
        return std::nullopt;
    const std::optional<Zerlegt> z = zerlegen(text);
    return z ? zahl(*z) : std::nullopt;
}

QString SchwellenText::anzeige(double wert, QChar trennzeichen) {
    return QString::number(wert, 'f', 1).replace(u'.', trennzeichen);
}

QString SchwellenText::speichertext(double wert, QChar trennzeichen) {
    return QString::number(wert, 'f', QLocale::FloatingPointShortest).replace(u'.', trennzeichen);
}

} // namespace recording
