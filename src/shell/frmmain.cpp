#include "frmmain.h"

#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "aufzeichnung.h"
#include "fensterlayout.h"
#include "frmzusatzsalden.h"
#include "funktionstaste.h"
#include "gewichteraster.h"
#include "handover/einfueger.h"
#include "meldungen.h"
#include "paneigen.h"
#include "pangeld.h"
#include "pankenn.h"
#include "pansalden.h"
#include "panverlauf.h"
#include "platform/schrift.h"
#include "platform/serialdevices.h"
#include "programmicon.h"
#include "recording/datenbankpflege.h"
#include "recording/keinspeicher.h"
#include "recording/systemuhr.h"
#include "statusband.h"
#include "systray.h"
#include "tabkenn.h"
#include "tastenwache.h"
#include "textraum.h"
#include "trayfenster.h"
#include "twips.h"
#include "veraltungswache.h"
#include "verbindungsanzeige.h"
#include "verbindungshinweis.h"
#include "zentraleanzeige.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace shell {

namespace {
const auto kCaption = QStringLiteral("VELKOR ZEL Desktop");
const auto kKeineVerbindung = QStringLiteral("Es konnte keine Verbindung zur Wiegeanzeige hergestellt werden!");
// Seconds without a telegram after which the weight on display counts as old; 0 never.
const auto kVeraltet = QStringLiteral("Veraltet");
// The status band's line about a port picked while running that would not open.
const auto kPortFehler = QStringLiteral("portFehler");
} // namespace

FrmMain::FrmMain(FrmMainDienste dienste, QWidget* parent)
    : QWidget(parent), m_dienste(dienste), m_einstellungen(dienste.settings), m_tabkenn(new TabKenn(this)),
      m_pangeld(new PanGeld), m_paneigen(new PanEigen(m_einstellungen)),
      m_pankenn(new PanKenn(dienste.datenbank, dienste.meldungen)),
      m_cmdBeenden(new QPushButton(QStringLiteral("&Beenden"), this)),
      m_cmdMinimieren(new QPushButton(QStringLiteral("&Minimieren"), this)), m_statusband(new Statusband(this)),
      m_tastenwache(new Tastenwache(
          dienste.tastatur, dienste.einfueger, *m_paneigen->funktionstaste(),
          [this] { return einzufuegendesGewicht(); }, this)) {
    setObjectName(QStringLiteral("frmMain"));
    // The window is designed around MS Sans Serif 8.25 pt; where that font is missing, a sans serif of
    // similar width keeps the captions inside their designed cells.
    QFont::insertSubstitutions(platform::entwurfsschrift(), {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                                             QStringLiteral("Helvetica")});
    QFont schrift(platform::entwurfsschrift());
    schrift.setPointSizeF(8.25);
    setFont(schrift);
    setWindowTitle(kCaption);
    setWindowIcon(programmIcon());
    const Twips t = Twips::forWidget(this);
    resize(t.x(kClientWidth), t.y(kClientHeight));
    setMinimumSize(t.x(kMinClientWidth), t.y(kMinClientHeight));

    placeTwips(m_tabkenn, 60, 60, 8475, 4335);
    m_tabkenn->addPage(m_pangeld, QStringLiteral("&Gewichtsanzeige"));
    m_tabkenn->addPage(m_paneigen, QStringLiteral("&Einstellungen"));
    m_tabkenn->addPage(m_pankenn, QStringLiteral("&Aufzeichnung"));
    m_pansalden = new PanSalden(dienste.datenbank ? dienste.datenbank->ort().ordner : QString());
    m_tabkenn->addPage(m_pansalden, QStringLiteral("&Info"));
    connect(m_tastenwache, &Tastenwache::erkennungGeaendert, m_pansalden, &PanSalden::tastenerkennungZeigen);
    if (!m_dienste.uhr) {
        m_systemUhr = std::make_unique<recording::SystemUhr>();
        m_dienste.uhr = m_systemUhr.get();
    }
    recording::Datenbankpflege* datenbank = dienste.datenbank;
    m_panverlauf =
        new PanVerlauf([datenbank] { return datenbank ? datenbank->datenbankPfad() : QString(); }, *m_dienste.uhr);
    m_tabkenn->addPage(m_panverlauf, QStringLiteral("&Verlauf"));
    m_tabkenn->setCurrentIndex(0);

    m_cmdBeenden->setObjectName(QStringLiteral("cmdBeenden"));
    placeTwips(m_cmdBeenden, 60, 4440, 1395, 375);
    connect(m_cmdBeenden, &QPushButton::clicked, this, &FrmMain::cmdBeenden_Click);
    m_cmdMinimieren->setObjectName(QStringLiteral("cmdMinimieren"));
    placeTwips(m_cmdMinimieren, 7140, 4440, 1395, 375);
    connect(m_cmdMinimieren, &QPushButton::clicked, this, &FrmMain::cmdMinimieren_Click);
    m_cmdlöschen = m_pankenn->cmdlöschenAnlegen(this);
    m_pankenn->setStatusband(m_statusband);
    m_paneigen->cmdzentraleAnlegen(this);
    m_paneigen->tabkenn_Switch(m_tabkenn->currentIndex());
    // The window's own buttons; the pages fit their controls themselves.
    Textraum::anbringen(this);
    connect(m_tabkenn, &TabKenn::currentChanged, m_pankenn, &PanKenn::tabkenn_Switch);
    connect(m_tabkenn, &TabKenn::currentChanged, m_paneigen, &PanEigen::tabkenn_Switch);
    connect(m_tabkenn, &TabKenn::currentChanged, m_panverlauf, &PanVerlauf::tabkenn_Switch);
    connect(m_statusband, &Statusband::zeilenGeaendert, this, &FrmMain::bandraumAnpassen);

    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(100);
    connect(&m_timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
    m_verbindung = new Verbindungsanzeige(*m_dienste.uhr, *m_pangeld, *m_pansalden, this);
    // A lost line cut a telegram in two; its start must not be completed by what arrives after reopening.
    connect(&m_dienste.link, &acquisition::SerialLink::reconnected, this, [this] {
        m_decoder.leeren();
        m_verbindung->geoeffnet();
        m_statusband->loeschen(kPortFehler);
    });
    connect(&m_dienste.link, &acquisition::SerialLink::lost, this, [this](const QString& beschreibung) {
        m_verbindung->geschlossen(QStringLiteral("Verbindung verloren"), beschreibung);
    });
    connect(m_paneigen, &PanEigen::portGewaehlt, this, &FrmMain::portWechseln);
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(1000);
    if (!m_dienste.speicher) {
        m_keinSpeicher = std::make_unique<recording::KeinSpeicher>();
        m_dienste.speicher = m_keinSpeicher.get();
    }
    m_aufzeichnung = new Aufzeichnung(m_timer2, *m_dienste.uhr, *m_dienste.speicher, *txtgewicht(),
                                      *m_paneigen->frmzusatzsalden(), *m_statusband, this);
    using acquisition::Veraltung;
    m_veraltungswache = new Veraltungswache(
        m_einstellungen.wholeNumber(kVeraltet, Veraltung::kVorgabeSekunden, 0, Veraltung::kHoechstSekunden),
        *m_dienste.uhr, *txtgewicht(), *m_statusband, this);

    if (!m_dienste.geraete) {
        m_eigeneGeraete = std::make_unique<platform::SerialDevices>();
        m_dienste.geraete = m_eigeneGeraete.get();
    }
    if (!m_dienste.tray) {
        m_eigenesTray = std::make_unique<QtSysTray>();
        m_dienste.tray = m_eigenesTray.get();
    }
    m_trayFenster = new TrayFenster(*this, *m_dienste.tray, this);
    m_zentraleAnzeige = new ZentraleAnzeige(*m_statusband, *m_trayFenster, this);
    if (m_dienste.einfueger) {
        // A paste that could not start says why where the operator looks; the next Ctrl+V that goes out
        // takes the line away.
        const QString zeile = QStringLiteral("einfuegenAbgelehnt");
        connect(
            m_dienste.einfueger, &handover::Einfueger::abgelehnt, m_statusband,
            [this, zeile](const QString& grund) { m_statusband->setzen(zeile, Statusband::Schwere::Warnung, grund); });
        connect(m_dienste.einfueger, &handover::Einfueger::fertig, m_statusband,
                [this, zeile] { m_statusband->loeschen(zeile); });
    }
    tabReihenfolgeSetzen();
    // Logging off may end the process without closing the window; Windows announces the end in both ways.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { m_paneigen->geaendertesSchreiben(); });
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, [this] { m_paneigen->geaendertesSchreiben(); });
}

FrmMain::~FrmMain() {
    Form_Unload();
}

QLineEdit* FrmMain::txtgewicht() const {
    return m_pangeld->txtgewicht();
}

void FrmMain::Form_Load() {
    m_paneigen->funktionstaste()->fuellen();
    m_paneigen->funktionstaste()->wiederherstellen();
    m_tastenwache->tastaturstarten();
    m_pansalden->tastenerkennungZeigen(m_tastenwache->erkennung());
    m_paneigen->cboportFuellen(m_dienste.ports, *m_dienste.geraete);
    m_paneigen->portWiederherstellen();
    m_paneigen->cbokommaFuellen();
    m_paneigen->kommaWiederherstellen();
    portoeffnen();
    m_tastenwache->zwischenablageLeeren();
    m_pankenn->datenbankEinrichten();
    // Recording last: its values start from 0, then the boxes (a set box writes itself back), then the
    // thresholds.
    m_aufzeichnung->letzteWerteNullen();
    m_paneigen->frmzusatzsalden()->kontrollkaestchenWiederherstellen();
    m_paneigen->frmzusatzsalden()->schwellenWiederherstellen();
}

void FrmMain::startTimers() {
    // Only now: no tick may run while start-up still waits for the operator to confirm a message.
    m_timer1.start();
    m_aufzeichnung->starten();
}

void FrmMain::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    // An access key, the tray menu or the window's own close leave the list or field in hand unleft.
    m_paneigen->geaendertesSchreiben();
    m_timer1.stop();
    m_aufzeichnung->anhalten();
    m_tastenwache->tastaturbeenden();
    m_trayFenster->entfernen();
    m_dienste.link.close();
    Q_EMIT entladen();
}

QString FrmMain::gewaehltesDevice() const {
    const QString geraet = m_paneigen->gewaehltesGeraet();
    return geraet.isEmpty() ? m_dienste.ports.device(m_paneigen->cboport()->currentIndex() + 1)
                            : m_dienste.ports.geraet(geraet);
}

std::optional<Verbindungshinweis> FrmMain::gewaehltenPortOeffnen() {
    const QString device = gewaehltesDevice();
    m_portName = m_paneigen->portName();
    m_verbindung->gewaehlt(m_portName, device);
    QString error;
    if (m_dienste.link.portoeffnen(device, &error)) {
        m_verbindung->geoeffnet();
        return std::nullopt;
    }
    Verbindungshinweis hinweis =
        verbindungshinweis(*m_dienste.geraete, m_portName, device, error, m_dienste.link.zugriffVerweigert());
    m_verbindung->geschlossen(hinweis.kurz, hinweis.einzelheiten.isEmpty() ? error : hinweis.einzelheiten);
    // A USB adapter may be plugged in later, another program let go of the port: the link waits for it.
    m_dienste.link.weiterVersuchen();
    return hinweis;
}

void FrmMain::portoeffnen() {
    if (const auto hinweis = gewaehltenPortOeffnen())
        m_dienste.meldungen.zeige(kKeineVerbindung + QStringLiteral("\n\n") + hinweis->text, hinweis->einzelheiten);
}

void FrmMain::portWechseln() {
    // The port in use picked again: nothing to do while it is open or being waited for.
    if (gewaehltesDevice() == m_dienste.link.device() && (m_dienste.link.isOpen() || m_dienste.link.reconnecting()))
        return;
    // A telegram begun on the old port must not be completed by the new one.
    m_decoder.leeren();
    const auto hinweis = gewaehltenPortOeffnen();
    if (!hinweis) {
        m_statusband->loeschen(kPortFehler);
        return;
    }
    m_statusband->setzen(kPortFehler, Statusband::Schwere::Warnung,
                         QStringLiteral("Keine Verbindung zu %1: %2").arg(m_portName, hinweis->kurz),
                         hinweis->einzelheiten.isEmpty() ? hinweis->text
                                                         : hinweis->text + QLatin1Char('\n') + hinweis->einzelheiten);
}

void FrmMain::Timer1_Timer() {
    // Off for the tick itself, since a message about the port may open a dialog with its own event loop.
    m_timer1.stop();
    gewichtlesen();
    m_veraltungswache->pruefen();
    // A paste waiting for its target only rests the key test: the digits and the recording tick keep
    // getting fresh weights meanwhile.
    m_tastenwache->pruefen();
    if (!m_unloaded)
        m_timer1.start();
}

void FrmMain::gewichtlesen() {
    // A port lost while running is reported once; the link closes it and brings it back by itself.
    if (const auto failure = m_dienste.link.takeFailure()) {
        const Verbindungsverlust verlust =
            verbindungsverlust(*m_dienste.geraete, m_portName, m_dienste.link.device(), *failure);
        m_dienste.meldungen.zeige(verlust.text, verlust.einzelheiten);
        return;
    }
    if (!m_dienste.link.isOpen())
        return;
    const QByteArray received = m_dienste.link.readAll();
    bool telegramm = false;
    for (const char c : received) {
        // The separator is read at each conversion, so a new choice applies from the next telegram.
        if (const auto text = m_decoder.feed(c, m_paneigen->cbokomma()->currentIndex())) {
            telegramm = true;
            const QString shown = QString::fromLatin1(text->data(), static_cast<qsizetype>(text->size()));
            // The same text again would only repaint the large digits, up to thirty times a second.
            if (txtgewicht()->text() != shown)
                txtgewicht()->setText(shown);
        }
    }
    // Also the same weight again: it is the indicator's word that it still stands.
    if (telegramm) {
        m_veraltungswache->telegramm();
        m_verbindung->telegramm();
    }
}

QString FrmMain::einzufuegendesGewicht() {
    // An old weight pasted would pass for the one on the scale now.
    if (!m_veraltungswache->einfuegbar())
        return QString();
    return txtgewicht()->text();
}

void FrmMain::cmdBeenden_Click() {
    close();
}

void FrmMain::cmdMinimieren_Click() {
    intray();
}

void FrmMain::intray() {
    m_trayFenster->intray();
}

void FrmMain::MnuB_Click(int index) {
    m_trayFenster->MnuB_Click(index);
}

void FrmMain::tabReihenfolgeSetzen() {
    QList<QWidget*> order{m_cmdBeenden, m_cmdMinimieren, m_paneigen->cboport(), m_paneigen->cbokomma(),
                          m_paneigen->cboTaste()};
    order += m_paneigen->frmzusatzsalden()->tabReihenfolge();
    order << m_paneigen->cmdzentrale();
    // The weight display, designed between them, takes no focus and so is no stop.
    order << m_pankenn->grdgewichte() << m_pankenn->cmdexportieren() << m_cmdlöschen;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmMain::setDemoBanner(const QString& text) {
    m_statusband->setzen(QStringLiteral("demoBanner"), Statusband::Schwere::Hinweis, text);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void FrmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Back from the task bar: what the band asked for meanwhile, and the layout the rule held back.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        bandraumAnpassen();
        Form_Resize();
    }
}

int FrmMain::bandraum() const {
    const int zeilen = m_statusband->zeilen();
    if (zeilen == 0)
        return 0;
    const Twips t = Twips::forWidget(this);
    return zeilen * t.y(Statusband::kZeilenhoehe) + t.y(kBandAbstand);
}

void FrmMain::bandraumAnpassen() {
    // A minimised window keeps its size; the band gets its room when the window is back.
    if (isMinimized())
        return;
    const int raum = bandraum();
    if (raum == m_bandraum)
        return;
    const int hoehe = height() + raum - m_bandraum;
    m_bandraum = raum;
    const Twips t = Twips::forWidget(this);
    // The band's lines below the buttons rather than over the pages: the window grows by their height, and the
    // pages keep all of theirs. The minimum grows with them, so no smaller window can push them over a control.
    setMinimumSize(t.x(kMinClientWidth), t.y(kMinClientHeight) + raum);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(width(), std::max(hoehe, minimumHeight()));
    Form_Resize();
}

void FrmMain::Form_Resize() {
    // The rule sets the window's own layout; a minimised window has none to keep.
    if (isMinimized())
        return;
    const Twips t = Twips::forWidget(this);
    const FensterLayout layout = fensterLayout(t.toTwipsX(width()), t.toTwipsY(height() - m_bandraum));
    m_tabkenn->resize(t.x(layout.tabWidth), t.y(layout.tabHeight));
    for (QPushButton* button : {m_cmdBeenden, m_cmdMinimieren, m_cmdlöschen, m_paneigen->cmdzentrale()})
        button->move(button->x(), t.y(layout.buttonTop));
    m_cmdMinimieren->move(t.x(layout.minimierenLeft), m_cmdMinimieren->y());
    m_cmdlöschen->move(t.x(layout.loeschenLeft), m_cmdlöschen->y());
    if (m_bandraum > 0) {
        const int oben = m_cmdBeenden->geometry().bottom() + 1 + t.y(kBandAbstand);
        m_statusband->einpassen(QRect(m_tabkenn->x(), oben, m_tabkenn->width(), m_bandraum - t.y(kBandAbstand)));
    }
    // The weight's font follows from the field's own resize, which the tab strip's new size brings about.
}

} // namespace shell
