#include "verlaufsdiagramm.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace shell {

namespace {
constexpr int kYTeile = 4;
constexpr int kStunden = 24;
} // namespace

VerlaufsDiagramm::VerlaufsDiagramm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picverlauf"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

QString VerlaufsDiagramm::achsenText(double wert) const {
    QLocale format = m_locale;
    format.setNumberOptions(format.numberOptions() & ~QLocale::OmitGroupSeparator);
    return format.toString(wert, 'f', 1);
}

QRect VerlaufsDiagramm::zeichenflaeche() const {
    const QFontMetrics fm = fontMetrics();
    // Room for the widest weight the scale shows on the left, the hours below.
    const int links = fm.horizontalAdvance(achsenText(-99999.9)) + fm.averageCharWidth() * 2;
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
    update();
}

void VerlaufsDiagramm::setHinweis(const QString& text) {
    m_werte = recording::TagesWerte();
    m_hinweis = text;
    update();
}

void VerlaufsDiagramm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect flaeche = zeichenflaeche();
    const QFontMetrics fm = fontMetrics();
    const QColor gitter = palette().color(QPalette::Mid);
    const QColor schrift = palette().color(QPalette::Text);

    double unten = m_werte.min;
    double oben = m_werte.max;
    if (m_werte.verlauf.isEmpty()) {
        unten = 0;
        oben = 1;
    } else if (oben - unten < 1e-9) {
        unten -= 1;
        oben += 1;
    } else {
        const double rand = (oben - unten) * 0.05;
        unten -= rand;
        oben += rand;
    }
    const auto y = [&](double wert) { return flaeche.bottom() - (wert - unten) / (oben - unten) * flaeche.height(); };

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
    for (int i = 0; i <= kYTeile; ++i) {
        const double wert = unten + (oben - unten) * i / kYTeile;
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
