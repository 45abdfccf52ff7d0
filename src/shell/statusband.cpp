#include "statusband.h"

#include "twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

namespace shell {

namespace {

struct Farben {
    QColor hinten;
    QColor schrift;
};

Farben farben(Statusband::Schwere schwere) {
    switch (schwere) {
    case Statusband::Schwere::Stoerung:
        return {QColor(0xc0, 0x00, 0x00), Qt::white};
    case Statusband::Schwere::Warnung:
        return {QColor(0xff, 0x8c, 0x00), Qt::black};
    case Statusband::Schwere::Hinweis:
        break;
    }
    return {QColor(0xff, 0xd8, 0x4d), Qt::black};
}

} // namespace

Statusband::Statusband(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("statusband"));
    hide();
}

Statusband::~Statusband() {
    if (m_anker)
        m_anker->removeEventFilter(this);
}

Statusband::Zeile* Statusband::finden(const QString& schluessel) {
    const auto it =
        std::find_if(m_zeilen.begin(), m_zeilen.end(), [&](const Zeile& z) { return z.schluessel == schluessel; });
    return it == m_zeilen.end() ? nullptr : &*it;
}

QLabel* Statusband::zeile(const QString& schluessel, Schwere schwere) {
    if (Zeile* z = finden(schluessel))
        return z->label;
    auto* label = new QLabel(this);
    label->setObjectName(schluessel);
    // Palette and font rather than a style sheet, so the font the text is cut to is the one it is drawn in.
    const Farben f = farben(schwere);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, f.hinten);
    palette.setColor(QPalette::WindowText, f.schrift);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    QFont schrift = label->font();
    schrift.setBold(true);
    label->setFont(schrift);
    label->setContentsMargins(4, 0, 4, 0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->hide();
    // Equal severities keep the order in which their lines were made.
    const auto vor =
        std::find_if(m_zeilen.begin(), m_zeilen.end(), [&](const Zeile& z) { return z.schwere < schwere; });
    m_zeilen.insert(vor, Zeile{schluessel, schwere, QString(), label, false});
    return label;
}

void Statusband::setzen(const QString& schluessel, Schwere schwere, const QString& text, const QString& einzelheiten) {
    zeile(schluessel, schwere);
    Zeile* z = finden(schluessel);
    z->text = text;
    z->label->setToolTip(einzelheiten.isEmpty() ? text : text + u'\n' + einzelheiten);
    z->sichtbar = true;
    platzieren();
}

void Statusband::loeschen(const QString& schluessel) {
    if (Zeile* z = finden(schluessel); z && z->sichtbar) {
        z->sichtbar = false;
        platzieren();
    }
}

QToolButton* Statusband::knopf(const QString& schluessel) {
    Zeile* z = finden(schluessel);
    if (!z)
        return nullptr;
    if (!z->knopf) {
        z->knopf = new QToolButton(this);
        z->knopf->setObjectName(schluessel + QStringLiteral("Knopf"));
        z->knopf->setFont(z->label->font());
        z->knopf->hide();
    }
    return z->knopf;
}

void Statusband::knopfZeigen(const QString& schluessel, bool zeigen) {
    if (Zeile* z = finden(schluessel); z && z->knopf && z->knopfAn != zeigen) {
        z->knopfAn = zeigen;
        anordnen();
    }
}

void Statusband::ueber(QWidget* anker) {
    if (m_anker)
        m_anker->removeEventFilter(this);
    m_anker = anker;
    if (m_anker)
        m_anker->installEventFilter(this);
    platzieren();
}

int Statusband::zeilen() const {
    return static_cast<int>(std::count_if(m_zeilen.begin(), m_zeilen.end(), [](const Zeile& z) { return z.sichtbar; }));
}

void Statusband::einpassen(const QRect& flaeche) {
    setGeometry(flaeche);
    // A hidden window holds its children's resize events back until it shows; the lines are read before.
    anordnen();
}

bool Statusband::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_anker && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        platzieren();
    return QWidget::eventFilter(watched, event);
}

void Statusband::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    anordnen();
}

void Statusband::platzieren() {
    const int anzahl = zeilen();
    if (anzahl == 0) {
        hide();
    } else if (m_anker) {
        // Across the bottom of the anchor's area, inside the margins of a page.
        const Twips t = Twips::forWidget(m_anker);
        const QRect anker = m_anker->geometry();
        const int rand = t.x(45 + 90);
        const int hoehe = anzahl * t.y(kZeilenhoehe);
        setGeometry(anker.left() + rand, anker.bottom() + 1 - t.y(45 + 45) - hoehe, anker.width() - 2 * rand, hoehe);
        anordnen();
        show();
        raise();
    } else {
        // The owner hears of the new number below and gives the band its room; the lines follow from there.
        anordnen();
        show();
    }
    if (anzahl != m_gezeigt) {
        m_gezeigt = anzahl;
        Q_EMIT zeilenGeaendert(anzahl);
    }
}

void Statusband::anordnen() {
    const int hoehe = Twips::forWidget(this).y(kZeilenhoehe);
    int oben = 0;
    for (const Zeile& z : m_zeilen) {
        const bool mitKnopf = z.sichtbar && z.knopf && z.knopfAn;
        if (z.knopf && !mitKnopf)
            z.knopf->hide();
        if (!z.sichtbar) {
            z.label->hide();
            continue;
        }
        // The button takes what its text needs at the line's right end; the text is cut to the rest.
        const int knopfBreite = mitKnopf ? z.knopf->sizeHint().width() : 0;
        z.label->setGeometry(0, oben, width() - knopfBreite, hoehe);
        if (mitKnopf) {
            z.knopf->setGeometry(width() - knopfBreite, oben, knopfBreite, hoehe);
            z.knopf->show();
        }
        oben += hoehe;
        const int platz = z.label->contentsRect().width();
        z.label->setText(z.label->fontMetrics().elidedText(z.text, Qt::ElideRight, platz));
        z.label->show();
    }
}

} // namespace shell
