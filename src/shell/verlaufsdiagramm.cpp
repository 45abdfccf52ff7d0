#include "verlaufsdiagramm.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>

namespace shell {

namespace {
constexpr int kYTeile = 4;
constexpr int kStunden = 24;
constexpr double kGroesst = std::numeric_limits<double>::max();
// From here on the scale's weights carry an exponent: no scale weighs so much, and written out in full such
// a weight would take the page's width.
constexpr double kMitExponent = 1e12;

// A step of 1, 2 or 5 times a power of ten, at least `roh`, so that the scale reads in round numbers.
double runderSchritt(double roh) {
    const double zehner = std::pow(10.0, std::floor(std::log10(roh)));
    for (const double faktor : {1.0, 2.0, 5.0}) {
        if (faktor * zehner >= roh)
            return faktor * zehner;
    }
    return 10.0 * zehner;
}

// Rounded out to a step, the largest weights would lie beyond the doubles.
double begrenzt(double wert) {
    return std::clamp(wert, -kGroesst, kGroesst);
}
} // namespace

VerlaufsDiagramm::VerlaufsDiagramm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picverlauf"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QString VerlaufsDiagramm::achsenText(double wert) const {
    QLocale format = m_locale;
    format.setNumberOptions(format.numberOptions() & ~QLocale::OmitGroupSeparator);
    const double groesse = std::max(std::abs(m_unten), std::abs(m_oben));
    if (groesse >= kMitExponent) {
        // As many digits as tell one mark from the next.
        const int stellen = std::clamp(1 + static_cast<int>(std::ceil(std::log10(groesse / m_schritt))), 1, 17);
        return format.toString(wert, 'g', stellen);
    }
    // As many decimals as the step needs, at most the list's one more.
    const int stellen = m_schritt >= 1 ? 0 : m_schritt >= 0.1 ? 1 : 2;
    return format.toString(wert, 'f', stellen);
}

QVector<double> VerlaufsDiagramm::teilung() const {
    QVector<double> werte;
    // Counted in steps rather than added up: at the largest weights a step added to a mark may leave it as it
    // was. The scale spans at most kYTeile steps and one more at each end.
    const double erste = std::ceil(m_unten / m_schritt);
    const double letzte = std::floor(m_oben / m_schritt + 1e-9);
    for (double i = erste; i <= letzte && werte.size() <= kYTeile + 2; ++i) {
        const double wert = begrenzt(i * m_schritt);
        werte << (std::abs(wert) < m_schritt * 1e-9 ? 0.0 : wert);
    }
    return werte;
}

QRect VerlaufsDiagramm::zeichenflaeche() const {
    const QFontMetrics fm = fontMetrics();
    // Room for the weights of the scale on the left, at least for what the indicator can show, so the width
    // a day is read for rarely changes once it is drawn; the hours below.
    int beschriftung = fm.horizontalAdvance(QStringLiteral("-99.999,9"));
    for (const double wert : teilung())
        beschriftung = std::max(beschriftung, fm.horizontalAdvance(achsenText(wert)));
    const int links = beschriftung + fm.averageCharWidth() * 2;
    const int oben = fm.height() / 2 + 2;
    const int rechts = fm.horizontalAdvance(QStringLiteral("24")) / 2 + 4;
    const int unten = fm.height() + 6;
    return QRect(links, oben, std::max(1, width() - links - rechts), std::max(1, height() - oben - unten));
}

int VerlaufsDiagramm::spalten() const {
    return zeichenflaeche().width();
}

void VerlaufsDiagramm::setWerte(const recording::TagesWerte& werte) {
    m_werte = werte;
    m_hinweis.clear();
    skalieren();
    update();
}

void VerlaufsDiagramm::setHinweis(const QString& text) {
    m_werte = recording::TagesWerte();
    m_hinweis = text;
    skalieren();
    update();
}

bool VerlaufsDiagramm::zeichenbar(const recording::VerlaufsSpalte& spalte) {
    return std::isfinite(spalte.min) && std::isfinite(spalte.max);
}

QString VerlaufsDiagramm::hinweis() const {
    if (!m_hinweis.isEmpty())
        return m_hinweis;
    if (m_ausgelassen == 1)
        return QStringLiteral("1 Gewicht ohne darstellbaren Wert ist nicht gezeichnet.");
    if (m_ausgelassen > 1)
        return QStringLiteral("%1 Gewichte ohne darstellbaren Wert sind nicht gezeichnet.")
            .arg(m_locale.toString(m_ausgelassen));
    return m_linie ? QString() : QStringLiteral("An diesem Tag wurde nichts aufgezeichnet.");
}

void VerlaufsDiagramm::skalieren() {
    // Only finite weights are drawn; the day's reading leaves the others out already, a column given
    // otherwise counts as left out here.
    m_ausgelassen = m_werte.ausgelassen;
    m_linie = false;
    double unten = 0;
    double oben = 1;
    for (const recording::VerlaufsSpalte& s : m_werte.verlauf) {
        if (!zeichenbar(s)) {
            ++m_ausgelassen;
            continue;
        }
        unten = m_linie ? std::min(unten, s.min) : s.min;
        oben = m_linie ? std::max(oben, s.max) : s.max;
        m_linie = true;
    }
    // Halves throughout: the spread between the largest weights of either sign lies beyond the doubles.
    const double groesse = std::max(std::abs(unten), std::abs(oben));
    if (oben / 2 - unten / 2 < std::max(1e-9, groesse * 1e-9) / 2) {
        // A flat day, or a spread lost in the weights' own precision, gets a band around its value: ±1, or a
        // thousand-millionth of weights beyond that, so each mark of the scale is a number of its own.
        const double rand = std::max(1.0, groesse * 1e-9);
        unten = begrenzt(unten - rand);
        oben = begrenzt(oben + rand);
    }
    m_schritt = runderSchritt((oben / 2 - unten / 2) / (kYTeile / 2.0));
    m_unten = begrenzt(std::floor(unten / m_schritt) * m_schritt);
    m_oben = begrenzt(std::ceil(oben / m_schritt) * m_schritt);
}

double VerlaufsDiagramm::anteil(double wert) const {
    return (wert / 2 - m_unten / 2) / (m_oben / 2 - m_unten / 2);
}

void VerlaufsDiagramm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect flaeche = zeichenflaeche();
    const QFontMetrics fm = fontMetrics();
    const QColor gitter = palette().color(QPalette::Mid);
    const QColor schrift = palette().color(QPalette::Text);

    // The scale's top on the plot area's top row, not one above it, where a maximum on a round number was
    // clipped away.
    const auto y = [&](double wert) { return flaeche.bottom() - anteil(wert) * (flaeche.height() - 1); };

    // The grid: hours across, a few weights up.
    p.setPen(gitter);
    for (int stunde = 0; stunde <= kStunden; stunde += 3) {
        const int x = flaeche.left() + flaeche.width() * stunde / kStunden;
        p.drawLine(x, flaeche.top(), x, flaeche.bottom());
        p.setPen(schrift);
        const QString text = QString::number(stunde);
        p.drawText(x - fm.horizontalAdvance(text) / 2, flaeche.bottom() + 4 + fm.ascent(), text);
        p.setPen(gitter);
    }
    for (const double wert : teilung()) {
        const int yPos = static_cast<int>(std::lround(y(wert)));
        p.drawLine(flaeche.left(), yPos, flaeche.right(), yPos);
        if (m_linie) {
            p.setPen(schrift);
            const QString text = achsenText(wert);
            p.drawText(flaeche.left() - fm.averageCharWidth() - fm.horizontalAdvance(text), yPos + fm.ascent() / 2,
                       text);
            p.setPen(gitter);
        }
    }
    p.drawRect(flaeche.adjusted(0, 0, -1, -1));

    if (!m_linie) {
        p.setPen(schrift);
        p.drawText(flaeche, Qt::AlignCenter | Qt::TextWordWrap, hinweis());
        return;
    }
    // The columns were read for the width the plot area had then; a resize since is drawn stretched until the
    // page has read the day again.
    const double massstab = static_cast<double>(flaeche.width()) / std::max(1, m_werte.spalten);
    QPolygonF linie;
    linie.reserve(2 * m_werte.verlauf.size());
    for (const recording::VerlaufsSpalte& s : m_werte.verlauf) {
        if (!zeichenbar(s))
            continue;
        const double x = flaeche.left() + (s.spalte + 0.5) * massstab;
        linie << QPointF(x, y(s.min)) << QPointF(x, y(s.max));
    }
    p.setClipRect(flaeche);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1));
    p.drawPolyline(linie);
    // A weight alone in its column, with no other to join, is a line of no length: its point at least.
    p.drawPoints(linie);
    if (m_ausgelassen > 0) {
        p.setPen(schrift);
        p.drawText(flaeche.adjusted(fm.averageCharWidth(), 2, -fm.averageCharWidth(), 0),
                   Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, hinweis());
    }
}

} // namespace shell
