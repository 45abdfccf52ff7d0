#include "panverlauf.h"

#include "flachespanel.h"
#include "recording/gewichteliste.h"
#include "recording/uhr.h"
#include "twips.h"
#include "verlaufsdiagramm.h"

#include <QDateEdit>
#include <QLabel>
#include <cmath>

namespace shell {

namespace {
constexpr int kTagLinks = 60;
constexpr int kTagBreite = 915;
constexpr int kFeldBreite = 1695;
constexpr int kResizeRuheMs = 150;
} // namespace

PanVerlauf::PanVerlauf(std::function<QString()> datenbank, const recording::Uhr& uhr, QWidget* parent)
    : QWidget(parent), m_datenbank(std::move(datenbank)), m_uhr(uhr), m_dtptag(new QDateEdit(this)),
      m_picverlauf(new VerlaufsDiagramm(this)) {
    setObjectName(QStringLiteral("panverlauf"));
    const Qt::Alignment links = Qt::AlignLeft | Qt::AlignVCenter;
    flachesPanel(this, QStringLiteral(" Tag:"), links, kTagLinks, 60, kTagBreite, kZeilenHoehe);
    m_dtptag->setObjectName(QStringLiteral("dtptag"));
    m_dtptag->setCalendarPopup(true);
    m_dtptag->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_dtptag->setDate(m_uhr.jetzt().date());
    placeTwips(m_dtptag, kTagLinks + kTagBreite + 45, 60, kFeldBreite, kZeilenHoehe);
    connect(m_dtptag, &QDateEdit::dateChanged, this, [this] {
        if (m_setztSelbst)
            return;
        m_tagGewaehlt = true;
        lesen();
    });
    m_lblanzahl = flachesPanel(this, QString(), links, 0, 0, 0, 0);
    m_lblanzahl->setObjectName(QStringLiteral("lblanzahl"));
    m_lblminimum = flachesPanel(this, QString(), links, 0, 0, 0, 0);
    m_lblminimum->setObjectName(QStringLiteral("lblminimum"));
    m_lblmaximum = flachesPanel(this, QString(), links, 0, 0, 0, 0);
    m_lblmaximum->setObjectName(QStringLiteral("lblmaximum"));
    m_lblsumme = flachesPanel(this, QString(), links, 0, 0, 0, 0);
    m_lblsumme->setObjectName(QStringLiteral("lblsumme"));
    zeigen({});
    m_nachGroesse.setSingleShot(true);
    m_nachGroesse.setInterval(kResizeRuheMs);
    connect(&m_nachGroesse, &QTimer::timeout, this, [this] {
        if (isVisible() && m_picverlauf->spalten() != m_picverlauf->werte().spalten)
            lesen();
    });
}

void PanVerlauf::tabkenn_Switch(int index) {
    if (index != kIndex)
        return;
    if (!m_tagGewaehlt) {
        // A program left running past midnight shows the new day.
        m_setztSelbst = true;
        m_dtptag->setDate(m_uhr.jetzt().date());
        m_setztSelbst = false;
    }
    lesen();
}

void PanVerlauf::lesen() {
    recording::TagesWerte werte;
    if (m_verlauf.lesen(m_datenbank(), m_dtptag->date(), m_picverlauf->spalten(), &werte)) {
        m_picverlauf->setWerte(werte);
        zeigen(werte);
    } else {
        m_picverlauf->setHinweis(m_verlauf.fehler());
        zeigen({});
    }
}

void PanVerlauf::zeigen(const recording::TagesWerte& werte) {
    const QLocale locale;
    const bool leer = werte.verlauf.isEmpty();
    const auto gewicht = [&](double wert) {
        if (leer)
            return QString();
        // A day's sum can run beyond the doubles; weights beyond any scale's are written with an exponent,
        // or their hundreds of digits would be cut to what looks like an ordinary weight.
        if (!std::isfinite(wert))
            return QStringLiteral("–");
        if (std::abs(wert) >= 1e12)
            return locale.toString(wert, 'g', 6);
        return recording::GewichteListe::gewichtText(wert, locale);
    };
    m_lblanzahl->setText(QStringLiteral(" Anzahl: ") + locale.toString(werte.anzahl));
    m_lblminimum->setText(QStringLiteral(" Minimum: ") + gewicht(werte.min));
    m_lblmaximum->setText(QStringLiteral(" Maximum: ") + gewicht(werte.max));
    m_lblsumme->setText(QStringLiteral(" Summe: ") + gewicht(werte.summe));
}

void PanVerlauf::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The chart takes what the day chooser above and the row of figures below leave, with the page's margin.
    const Twips t = Twips::forWidget(this);
    const int zeile = t.y(kZeilenHoehe);
    const int rand = t.x(kMargin);
    const int oben = t.y(60) + zeile + t.y(60);
    const int figurenOben = height() - t.y(60) - zeile;
    m_picverlauf->setGeometry(rand, oben, width() - 2 * rand, std::max(1, figurenOben - t.y(60) - oben));
    const int links = t.x(kTagLinks);
    const int luecke = t.x(45);
    const int breite = (width() - 2 * links - 3 * luecke) / 4;
    QLabel* const figuren[] = {m_lblanzahl, m_lblminimum, m_lblmaximum, m_lblsumme};
    for (int i = 0; i < 4; ++i)
        figuren[i]->setGeometry(links + i * (breite + luecke), figurenOben, breite, zeile);
    m_nachGroesse.start();
}

} // namespace shell
