#include "frmzentrale.h"

#include "platform/pgpassort.h"
#include "platform/settingsstore.h"
#include "zentrale/passwortdatei.h"
#include "zentrale/zentraleadresse.h"
#include "zentrale/zentralepruefung.h"
#include "zentralestart.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSysInfo>
#include <QThread>
#include <QToolButton>
#include <memory>

namespace shell {

namespace {

const auto kServer = QStringLiteral("Server");
const auto kStation = QStringLiteral("Station");
// What libpq does without sslmode; shown as chosen when the text names none.
const auto kLibpqVorgabe = QStringLiteral("prefer");

struct TlsWahl {
    const char* sslmode;
    const char* text;
};
constexpr TlsWahl kTls[] = {
    {"disable", "disable – ohne TLS"},
    {"allow", "allow – TLS nur, wenn der Server darauf besteht"},
    {"prefer", "prefer – TLS, wenn der Server es kann"},
    {"require", "require – verschlüsselt, ohne Prüfung"},
    {"verify-ca", "verify-ca – Zertifikat prüfen"},
    {"verify-full", "verify-full – Zertifikat und Name prüfen"},
};

QLineEdit* feld(QWidget* eltern, const char* name) {
    auto* f = new QLineEdit(eltern);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

} // namespace

FrmZentrale::FrmZentrale(platform::SettingsStore& store, QString datenbankPfad, QString hinweis, QWidget* parent)
    : QDialog(parent), m_store(store), m_datenbankPfad(std::move(datenbankPfad)), m_hinweis(std::move(hinweis)),
      m_txtserver(feld(this, "txtserver")), m_txtport(feld(this, "txtport")),
      m_txtdatenbank(feld(this, "txtdatenbank")), m_txtbenutzer(feld(this, "txtbenutzer")),
      m_txtpasswort(feld(this, "txtpasswort")), m_txtstation(feld(this, "txtstation")), m_cbotls(new QComboBox(this)),
      m_txtca(feld(this, "txtca")), m_cmdca(new QToolButton(this)),
      m_cmdpruefen(new QPushButton(QStringLiteral("Verbindung &prüfen"), this)), m_lblpruefung(new QLabel(this)) {
    setObjectName(QStringLiteral("frmZentrale"));
    setWindowTitle(QStringLiteral("Zentrale"));
    m_txtserver->setPlaceholderText(QStringLiteral("Name oder Adresse des PostgreSQL-Servers"));
    m_txtport->setPlaceholderText(QStringLiteral("5432"));
    // A list of hosts may carry a list of ports.
    m_txtport->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}(,[0-9]{0,5})*")), m_txtport));
    m_txtpasswort->setEchoMode(QLineEdit::Password);
    m_txtpasswort->setPlaceholderText(QStringLiteral("leer: das gespeicherte Passwort bleibt"));
    m_txtstation->setPlaceholderText(QSysInfo::machineHostName());
    m_cbotls->setObjectName(QStringLiteral("cbotls"));
    for (const TlsWahl& wahl : kTls)
        m_cbotls->addItem(QString::fromUtf8(wahl.text), QString::fromLatin1(wahl.sslmode));
    m_txtca->setPlaceholderText(QStringLiteral("CA-Zertifikat für verify-ca und verify-full"));
    m_cmdca->setObjectName(QStringLiteral("cmdca"));
    m_cmdca->setText(QStringLiteral("…"));
    m_cmdca->setToolTip(QStringLiteral("CA-Zertifikat wählen"));
    m_cmdpruefen->setObjectName(QStringLiteral("cmdpruefen"));
    m_lblpruefung->setObjectName(QStringLiteral("lblpruefung"));
    // The server's own words may stand in it: never read as markup.
    m_lblpruefung->setTextFormat(Qt::PlainText);
    m_lblpruefung->setWordWrap(true);
    m_lblpruefung->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* formular = new QFormLayout(this);
    formular->addRow(QStringLiteral("&Server:"), m_txtserver);
    formular->addRow(QStringLiteral("P&ort:"), m_txtport);
    formular->addRow(QStringLiteral("&Datenbank:"), m_txtdatenbank);
    formular->addRow(QStringLiteral("&Benutzer:"), m_txtbenutzer);
    formular->addRow(QStringLiteral("Pass&wort:"), m_txtpasswort);
    formular->addRow(QStringLiteral("S&tation:"), m_txtstation);
    formular->addRow(QStringLiteral("T&LS:"), m_cbotls);
    auto* ca = new QHBoxLayout;
    ca->addWidget(m_txtca, 1);
    ca->addWidget(m_cmdca);
    auto* caBeschriftung = new QLabel(QStringLiteral("&CA-Datei:"), this);
    caBeschriftung->setBuddy(m_txtca);
    formular->addRow(caBeschriftung, ca);
    auto* pruefen = new QHBoxLayout;
    pruefen->addWidget(m_cmdpruefen);
    pruefen->addStretch(1);
    formular->addRow(pruefen);
    formular->addRow(m_lblpruefung);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_cmdok = knoepfe->button(QDialogButtonBox::Ok);
    m_cmdok->setObjectName(QStringLiteral("cmdok"));
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    knoepfe->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdabbrechen"));
    formular->addRow(knoepfe);
    connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cmdpruefen, &QPushButton::clicked, this, &FrmZentrale::cmdpruefen_Click);
    connect(m_cmdca, &QPushButton::clicked, this, &FrmZentrale::cmdca_Click);
    // Wide enough for a server's name and a path; the line under the fields grows downwards as it needs.
    m_lblpruefung->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    formular->setSizeConstraint(QLayout::SetMinimumSize);
    fuellen();
}

// A check still running has its own thread object, which deletes itself when done.
FrmZentrale::~FrmZentrale() = default;

QThread* FrmZentrale::pruefung() const {
    return m_pruefung;
}

void FrmZentrale::fuellen() {
    const QString section = QString::fromLatin1(ZentraleEinstellung::kSection);
    const QString text = m_store.read(section, kServer, QString());
    m_txtstation->setText(m_store.read(section, kStation, QString()).trimmed());
    QStringList zeilen;
    if (!text.trimmed().isEmpty()) {
        QString fehler;
        if (const auto adresse = zentrale::ZentraleAdresse::lesen(text, &fehler)) {
            m_gelesen = zentrale::ZentraleAngaben::aus(*adresse);
        } else {
            zeilen << fehler + QStringLiteral(" Mit „OK“ wird sie durch die Angaben hier ersetzt.");
        }
    }
    m_txtserver->setText(m_gelesen.host);
    m_txtport->setText(m_gelesen.port);
    m_txtdatenbank->setText(m_gelesen.datenbank);
    m_txtbenutzer->setText(m_gelesen.benutzer);
    m_txtca->setText(m_gelesen.sslrootcert);
    tlsWaehlen(m_gelesen.sslmode.isEmpty() ? kLibpqVorgabe : m_gelesen.sslmode);
    if (!m_hinweis.isEmpty())
        zeilen << m_hinweis;
    zeigen(zeilen.join(u'\n'));
}

void FrmZentrale::tlsWaehlen(const QString& sslmode) {
    int index = m_cbotls->findData(sslmode);
    if (index < 0) {
        // A word libpq may know and this list not: it stays as written.
        m_cbotls->addItem(sslmode, sslmode);
        index = m_cbotls->count() - 1;
    }
    m_cbotls->setCurrentIndex(index);
}

zentrale::ZentraleAngaben FrmZentrale::angaben() const {
    zentrale::ZentraleAngaben a = m_gelesen;
    a.passwort.clear();
    a.host = m_txtserver->text().trimmed();
    a.port = m_txtport->text().trimmed();
    a.datenbank = m_txtdatenbank->text().trimmed();
    a.benutzer = m_txtbenutzer->text().trimmed();
    a.sslrootcert = m_txtca->text().trimmed();
    const QString sslmode = m_cbotls->currentData().toString();
    // libpq's default stays unwritten where the text had none, so PGSSLMODE still counts there.
    a.sslmode = m_gelesen.sslmode.isEmpty() && sslmode == kLibpqVorgabe ? QString() : sslmode;
    return a;
}

QString FrmZentrale::passwort() const {
    return m_txtpasswort->text().isEmpty() ? m_gelesen.passwort : m_txtpasswort->text();
}

void FrmZentrale::zeigen(const QString& zeile) {
    m_lblpruefung->setText(zeile);
    m_lblpruefung->setVisible(!zeile.isEmpty());
    // The dialog's least size counts the line as one row, and the window keeps its height when the line grows:
    // it grows downwards here until the whole line stands above the buttons. Before it is first shown, the
    // dialog takes the height the line needs by itself.
    if (!isVisible())
        return;
    layout()->activate();
    const int noetig = layout()->totalHeightForWidth(width());
    if (noetig > height())
        resize(width(), noetig);
}

void FrmZentrale::cmdca_Click() {
    const QString gewaehlt =
        QFileDialog::getOpenFileName(this, QStringLiteral("CA-Zertifikat wählen"), QFileInfo(m_txtca->text()).path(),
                                     QStringLiteral("Zertifikate (*.crt *.pem *.cer);;Alle Dateien (*)"));
    if (!gewaehlt.isEmpty())
        m_txtca->setText(QDir::toNativeSeparators(gewaehlt));
}

void FrmZentrale::cmdpruefen_Click() {
    if (m_pruefung)
        return;
    const zentrale::ZentraleAngaben a = angaben();
    if (a.leer()) {
        zeigen(QStringLiteral("Es ist kein Server angegeben."));
        return;
    }
    QString fehler;
    const auto adresse = zentrale::ZentraleAdresse::lesen(a.text(passwort()), &fehler);
    if (!adresse) {
        zeigen(fehler);
        return;
    }
    zeigen(QStringLiteral("Verbindung zu %1 wird geprüft …").arg(adresse->anzeige()));
    m_cmdpruefen->setEnabled(false);
    // The check blocks for up to its time limit; the window goes on meanwhile. Its thread is nobody's child, so
    // closing the dialog neither waits for it nor destroys it running: the result then has no one to go to.
    auto ergebnis = std::make_shared<zentrale::ZentralePruefung::Ergebnis>();
    QThread* faden = QThread::create([adresse = *adresse, pfad = m_datenbankPfad, treiber = m_treiber, ergebnis] {
        *ergebnis = zentrale::ZentralePruefung::pruefen(adresse, pfad, treiber);
    });
    faden->setObjectName(QStringLiteral("zentrale_pruefung"));
    connect(faden, &QThread::finished, faden, &QObject::deleteLater);
    connect(faden, &QThread::finished, this, [this, ergebnis] {
        m_pruefung = nullptr;
        m_cmdpruefen->setEnabled(true);
        zeigen(m_hinweis.isEmpty() ? ergebnis->zeile : ergebnis->zeile + u'\n' + m_hinweis);
    });
    m_pruefung = faden;
    faden->start();
}

bool FrmZentrale::passwortSpeichern(const zentrale::ZentraleAngaben& a, QString* fehler) const {
    const QString neu = passwort();
    if (neu.isEmpty() || a.leer())
        return true;
    const auto adresse = zentrale::ZentraleAdresse::lesen(a.text(), fehler);
    if (!adresse)
        return false;
    const auto fuer = zentrale::PasswortDatei::schluesselFuer(*adresse);
    if (fuer.isEmpty()) {
        *fehler = QStringLiteral("Für das Passwort ist der Benutzer anzugeben.");
        return false;
    }
    // A password file the text names is the one libpq reads for it.
    const QString eigene = adresse->wert(QStringLiteral("passfile"));
    return zentrale::PasswortDatei(eigene.isEmpty() ? platform::pgpassOrt() : eigene).eintragen(fuer, neu, fehler);
}

bool FrmZentrale::speichern() {
    const zentrale::ZentraleAngaben a = angaben();
    const QString station = m_txtstation->text().trimmed();
    QString fehler = stationsnameFehler(station);
    if (fehler.isEmpty() && !a.leer())
        zentrale::ZentraleAdresse::lesen(a.text(), &fehler);
    if (fehler.isEmpty())
        passwortSpeichern(a, &fehler);
    if (!fehler.isEmpty()) {
        zeigen(fehler);
        return false;
    }
    const QString section = QString::fromLatin1(ZentraleEinstellung::kSection);
    m_store.write(section, kServer, a.leer() ? QString() : a.text());
    m_store.write(section, kStation, station);
    return true;
}

void FrmZentrale::accept() {
    if (speichern())
        QDialog::accept();
}

} // namespace shell
