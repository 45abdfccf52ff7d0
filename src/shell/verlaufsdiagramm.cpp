#include "verlaufsdiagramm.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace shell {

namespace {
constexpr int kYTeile = 4;
constexpr int kStunden = 24;

// A step of 1, 2 or 5 times a power of ten, so that the scale reads in round numbers.
double runderSchritt(double spanne) {
    const double roh = spanne / kYTeile;
    const double zehner = std::pow(10.0, std::floor(std::log10(roh)));
    for (const double faktor : {1.0, 2.0, 5.0}) {
        if (faktor * zehner >= roh)
            return faktor * zehner;
    }
    return 10.0 * zehner;
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
    // As many decimals as the step needs, at most the list's one more.
    const int stellen = m_schritt >= 1 ? 0 : m_schritt >= 0.1 ? 1 : 2;
    return format.toString(wert, 'f', stellen);
}

QVector<double> VerlaufsDiagramm::teilung() const {
    QVector<double> werte;
    for (double wert = std::ceil(m_unten / m_schritt) * m_schritt; wert <= m_oben + m_schritt * 1e-9; wert += m_schritt)
        werte << (std::abs(wert) < m_schritt * 1e-9 ? 0.0 : wert);
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

void VerlaufsDiagramm::skalieren() {
    m_unten = m_werte.min;
    m_oben = m_werte.max;
    if (m_werte.verlauf.isEmpty()) {
        m_unten = 0;
        m_oben = 1;
    } else if (m_oben - m_unten < 1e-9) {
        m_unten -= 1;
        m_oben += 1;
    }
    m_schritt = runderSchritt(m_oben - m_unten);
    m_unten = std::floor(m_unten / m_schritt) * m_schritt;
    m_oben = std::ceil(m_oben / m_schritt) * m_schritt;
}

void VerlaufsDiagramm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect flaeche = zeichenflaeche();
    const QFontMetrics fm = fontMetrics();
    const QColor gitter = palette().color(QPalette::Mid);
    const QColor schrift = palette().color(QPalette::Text);

    const auto y = [&](double wert) {
        return flaeche.bottom() - (wert - m_unten) / (m_oben - m_unten) * flaeche.height();
    };

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
        if (!m_werte.verlauf.isEmpty()) {
            p.setPen(schrift);
            const QString text = achsenText(wert);
            p.drawText(flaeche.left() - fm.averageCharWidth() - fm.horizontalAdvance(text), yPos + fm.ascent() / 2,
                       text);
            p.setPen(gitter);
        }
    }
    p.drawRect(flaeche.adjusted(0, 0, -1, -1));

    if (m_werte.verlauf.isEmpty()) {
        p.setPen(schrift);
        p.drawText(flaeche, Qt::AlignCenter | Qt::TextWordWrap,
                   m_hinweis.isEmpty() ? QStringLiteral("An diesem Tag wurde nichts aufgezeichnet.") : m_hinweis);
        return;
    }
    // The columns were read for the width the plot area had then; a resize since is drawn stretched until the
    // page has read the day again.
    const double massstab = static_cast<double>(flaeche.width()) / std::max(1, m_werte.spalten);
    QPolygonF linie;
    linie.reserve(2 * m_werte.verlauf.size());
    for (const recording::VerlaufsSpalte& s : m_werte.verlauf) {
        const double x = flaeche.left() + (s.spalte + 0.5) * massstab;
        linie << QPointF(x, y(s.min)) << QPointF(x, y(s.max));
    }
    p.setClipRect(flaeche);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1));
    p.drawPolyline(linie);
}

} // namespace shell
