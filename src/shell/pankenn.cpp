#include "pankenn.h"

#include "exportlauf.h"
#include "gewichteraster.h"
#include "meldungen.h"
#include "recording/csvexport.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "statusband.h"
#include "twips.h"

#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>

namespace shell {

namespace {

QString gewichte(qint64 anzahl) {
    return anzahl == 1 ? QStringLiteral("1 Gewicht")
                       : QStringLiteral("%1 Gewichte").arg(QLocale(QLocale::German, QLocale::Germany).toString(anzahl));
}

QString papierkorbEinzelheiten(const QString& datei) {
    return QStringLiteral("Papierkorb: %1").arg(QDir::toNativeSeparators(datei));
}

} // namespace

PanKenn::PanKenn(recording::Datenbankpflege* datenbank, Meldungen& meldungen, QWidget* parent)
    : QWidget(parent), m_datenbank(datenbank), m_meldungen(meldungen), m_grdgewichte(new GewichteRaster(this)),
      m_cmdexportieren(new QPushButton(QStringLiteral("E&xportieren…"), this)) {
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
    // The list gives up the height of the button's row below it.
    placeTwips(m_grdgewichte, kMargin, kMargin, 8205, 3690 - kKnopfHoehe - kMargin);
    m_cmdexportieren->setObjectName(QStringLiteral("cmdexportieren"));
    placeTwips(m_cmdexportieren, kMargin, 3690 - kKnopfHoehe + kMargin, kKnopfBreite, kKnopfHoehe);
    connect(m_cmdexportieren, &QPushButton::clicked, this, &PanKenn::cmdexportieren_Click);
    m_exportFrage = [this] {
        // A database that cannot be read is no empty period: the export itself then says what is wrong.
        const auto leer = [this](const recording::Zeitraum& zeitraum) {
            return recording::CsvExport::zeitraumLeer(m_datenbank->datenbankPfad(), zeitraum).value_or(false);
        };
        return ExportDialog::fragen(QDate::currentDate(), window(), leer);
    };
    spaltenbreitenSetzen();
}

QPushButton* PanKenn::cmdlöschenAnlegen(QWidget* fenster) {
    m_cmdlöschen = new QPushButton(QStringLiteral("&Löschen"), fenster);
    m_cmdlöschen->setObjectName(QStringLiteral("cmdlöschen"));
    placeTwips(m_cmdlöschen, 5640, 4440, 1395, 375);
    // One click empties the records: the button stands where they are listed, not beside "&Minimieren" on the
    // first page before any switch of tab.
    m_cmdlöschen->setVisible(false);
    connect(m_cmdlöschen, &QPushButton::clicked, this, &PanKenn::cmdlöschen_Click);
    return m_cmdlöschen;
}

void PanKenn::setStatusband(Statusband* band) {
    m_band = band;
    if (!m_band)
        return;
    m_band->zeile(kPapierkorbZeile, Statusband::Schwere::Hinweis);
    QToolButton* knopf = m_band->knopf(kPapierkorbZeile);
    knopf->setText(QStringLiteral("Rückgängig"));
    connect(knopf, &QToolButton::clicked, this, &PanKenn::rueckgaengig_Click);
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
        angebotZurueckziehen();
        if (m_band)
            m_band->loeschen(kExportZeile);
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
    // Only from the page that lists what goes, also when the click comes from elsewhere than the mouse.
    if (!m_datenbank || !m_cmdlöschen || m_cmdlöschen->isHidden())
        return;
    // No confirmation prompt: the old file is kept, and the status band offers it back.
    if (!m_datenbank->leeren()) {
        m_meldungen.zeige(m_datenbank->fehler());
        return;
    }
    listeNachAenderung();
    // An emptying of an empty file kept nothing; the offer for the one before stands.
    const recording::Datenbankpflege::Abgelegt& abgelegt = m_datenbank->abgelegt();
    if (abgelegt.datei.isEmpty() || !m_band)
        return;
    m_angebot = abgelegt.datei;
    m_angebotZeilen = abgelegt.zeilen;
    m_band->setzen(kPapierkorbZeile, Statusband::Schwere::Hinweis,
                   QStringLiteral("%1 gelöscht und im Papierkorb aufgehoben.").arg(gewichte(abgelegt.zeilen)),
                   papierkorbEinzelheiten(abgelegt.datei));
    m_band->knopfZeigen(kPapierkorbZeile, true);
}

void PanKenn::rueckgaengig_Click() {
    if (!m_datenbank || m_angebot.isEmpty())
        return;
    if (!m_datenbank->zuruecklegen(m_angebot)) {
        m_meldungen.zeige(m_datenbank->fehler());
        return;
    }
    listeNachAenderung();
    // What was recorded since the emptying is not mixed into the old file, whose rows the central server
    // knows by their place in it; it is kept in the Papierkorb, and the band says so.
    const recording::Datenbankpflege::Abgelegt& seither = m_datenbank->abgelegt();
    QString text = QStringLiteral("%1 wiederhergestellt.").arg(gewichte(m_angebotZeilen));
    if (!seither.datei.isEmpty())
        text += QStringLiteral(" Seit dem Löschen aufgezeichnet: %1, im Papierkorb aufgehoben.")
                    .arg(gewichte(seither.zeilen));
    m_angebot.clear();
    if (m_band) {
        m_band->setzen(kPapierkorbZeile, Statusband::Schwere::Hinweis, text,
                       seither.datei.isEmpty() ? QString() : papierkorbEinzelheiten(seither.datei));
        m_band->knopfZeigen(kPapierkorbZeile, false);
    }
}

void PanKenn::listeNachAenderung() {
    // The maintenance re-reads a list already shown; this covers a click before the tab was ever selected.
    if (!m_datenbank->liste().abgefragt())
        m_datenbank->liste().abfragen();
}

void PanKenn::angebotZurueckziehen() {
    m_angebot.clear();
    if (m_band) {
        m_band->knopfZeigen(kPapierkorbZeile, false);
        m_band->loeschen(kPapierkorbZeile);
    }
}

void PanKenn::cmdexportieren_Click() {
    if (!m_datenbank || m_exportLauf)
        return;
    const std::optional<ExportWahl> wahl = m_exportFrage();
    if (!wahl)
        return;
    // The report of the one before no longer holds.
    if (m_band)
        m_band->loeschen(kExportZeile);
    auto* lauf = new ExportLauf(
        std::make_unique<recording::CsvExport>(m_datenbank->datenbankPfad(), wahl->zeitraum, wahl->datei), window(),
        this);
    if (!lauf->starten()) {
        const QString fehler = lauf->fehler();
        delete lauf;
        m_meldungen.zeige(fehler);
        return;
    }
    m_exportLauf = lauf;
    m_cmdexportieren->setEnabled(false);
    connect(lauf, &ExportLauf::beendet, this, [this, lauf](bool erfolg, const QString& fehler, qint64) {
        m_cmdexportieren->setEnabled(true);
        lauf->deleteLater();
        if (!fehler.isEmpty())
            m_meldungen.zeige(fehler);
        else if (erfolg && m_band)
            m_band->setzen(kExportZeile, Statusband::Schwere::Hinweis, lauf->bericht());
    });
}

void PanKenn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const Twips t = Twips::forWidget(this);
    const int rand = t.x(kMargin);
    const int knopfOben = height() - t.y(kMargin) - t.y(kKnopfHoehe);
    m_grdgewichte->setGeometry(rand, t.y(kMargin), width() - 2 * rand, std::max(1, knopfOben - 2 * t.y(kMargin)));
    m_cmdexportieren->setGeometry(rand, knopfOben, t.x(kKnopfBreite), t.y(kKnopfHoehe));
}

} // namespace shell
