#include "pankenn.h"

#include "gewichteraster.h"
#include "meldungen.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "twips.h"

#include <QHeaderView>
#include <QPushButton>

namespace shell {

PanKenn::PanKenn(recording::Datenbankpflege* datenbank, Meldungen& meldungen, QWidget* parent)
    : QWidget(parent), m_datenbank(datenbank), m_meldungen(meldungen), m_grdgewichte(new GewichteRaster(this)) {
    setObjectName(QStringLiteral("pankenn"));
    m_grdgewichte->setObjectName(QStringLiteral("grdgewichte"));
    m_grdgewichte->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdgewichte->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdgewichte->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdgewichte->setAlternatingRowColors(true);
    m_grdgewichte->setWordWrap(false);
    m_grdgewichte->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grdgewichte->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* kopf = m_grdgewichte->horizontalHeader();
    kopf->setSectionsMovable(false);
    kopf->setSectionsClickable(false);
    kopf->setStretchLastSection(true);
    // The vertical header is the record selector column: narrow, no numbers, fixed row height.
    QHeaderView* auswahl = m_grdgewichte->verticalHeader();
    auswahl->setSectionResizeMode(QHeaderView::Fixed);
    auswahl->setSectionsClickable(false);
    auswahl->setMinimumWidth(Twips::forWidget(this).x(270));
    if (m_datenbank)
        m_grdgewichte->setListe(&m_datenbank->liste());
    placeTwips(m_grdgewichte, kMargin, kMargin, 8205, 3690);
    spaltenbreitenSetzen();
}

QPushButton* PanKenn::cmdlöschenAnlegen(QWidget* fenster) {
    m_cmdlöschen = new QPushButton(QStringLiteral("&Löschen"), fenster);
    m_cmdlöschen->setObjectName(QStringLiteral("cmdlöschen"));
    placeTwips(m_cmdlöschen, 5640, 4440, 1395, 375);
    connect(m_cmdlöschen, &QPushButton::clicked, this, &PanKenn::cmdlöschen_Click);
    return m_cmdlöschen;
}

void PanKenn::spaltenbreitenSetzen() {
    // "Datum / Uhrzeit" is laid out for 19 characters; "Gewicht" takes the rest of the width.
    const int zeichen = m_grdgewichte->fontMetrics().averageCharWidth();
    m_grdgewichte->horizontalHeader()->resizeSection(0, zeichen * 19 + 2 * zeichen);
}

void PanKenn::datenbankEinrichten() {
    if (!m_datenbank)
        return;
    const bool angelegt = m_datenbank->startpruefung();
    if (!angelegt)
        m_meldungen.zeige(m_datenbank->fehler());
    // Also without a file: the store then keeps trying it at each tick and says why it cannot record.
    if (!m_datenbank->datenquellenSetzen() && angelegt)
        m_meldungen.zeige(m_datenbank->fehler());
}

void PanKenn::tabkenn_Switch(int index) {
    if (index != kIndex) {
        if (m_cmdlöschen)
            m_cmdlöschen->setVisible(false);
        return;
    }
    if (m_datenbank) {
        recording::GewichteListe& liste = m_datenbank->liste();
        if (!liste.abfragen())
            m_meldungen.zeige(liste.fehler());
        spaltenbreitenSetzen();
        m_grdgewichte->scrollToTop();
    }
    if (m_cmdlöschen)
        m_cmdlöschen->setVisible(true);
}

void PanKenn::cmdlöschen_Click() {
    if (!m_datenbank)
        return;
    // No confirmation prompt: the button is only shown on the list it empties.
    if (!m_datenbank->leeren()) {
        m_meldungen.zeige(m_datenbank->fehler());
        return;
    }
    // Emptying re-reads a list already shown; this covers a click before the tab was ever selected.
    if (!m_datenbank->liste().abgefragt())
        m_datenbank->liste().abfragen();
}

void PanKenn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fillWithMargin(m_grdgewichte, kMargin);
}

} // namespace shell
