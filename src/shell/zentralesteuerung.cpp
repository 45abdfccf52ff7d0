#include "zentralesteuerung.h"

#include "frmzentrale.h"
#include "recording/datenbankpflege.h"
#include "recording/weightstore.h"
#include "zentraleanzeige.h"
#include "zentralestart.h"

#include <QDeadlineTimer>
#include <algorithm>

namespace shell {

namespace {
// A sender between two looks at zel.mdb stops at once; one in a network call is not waited for longer.
constexpr int kAnhaltenMs = 500;
} // namespace

ZentraleSteuerung::ZentraleSteuerung(Teile teile, std::optional<QString> server, std::optional<QString> station,
                                     zentrale::ZentraleTakt takt, QObject* parent)
    : QObject(parent), m_teile(teile), m_server(std::move(server)), m_station(std::move(station)), m_takt(takt) {
    buchungSetzen(zentraleEinstellungLesen(m_teile.store, m_server, m_station).aktiv());
}

ZentraleSteuerung::~ZentraleSteuerung() {
    m_teile.datenbank.setNachlass(nullptr);
}

void ZentraleSteuerung::buchungSetzen(bool aktiv) {
    m_buchungAktiv = aktiv;
    m_teile.datenbank.store().setBuchung(aktiv ? &m_teile.buchung : nullptr);
}

void ZentraleSteuerung::starten() {
    const ZentraleEinstellung einstellung = zentraleEinstellungLesen(m_teile.store, m_server, m_station);
    m_sender = zentraleStarten(einstellung, m_teile.datenbank, m_teile.anzeige, m_takt, m_teile.treiber);
    if (!m_sender)
        return;
    // A state the sender reported just before it was told to stop still travels to the window; only the
    // current sender's states are shown.
    zentrale::ZentraleSender* aktuell = m_sender.get();
    connect(aktuell, &zentrale::ZentraleSender::zustandGeaendert, this,
            [this, aktuell](const zentrale::ZentraleZustand& zustand) {
                if (m_sender.get() == aktuell)
                    m_teile.anzeige.zeigen(zustand);
            });
}

void ZentraleSteuerung::anhalten() {
    m_teile.datenbank.setNachlass(nullptr);
    if (m_sender && !m_sender->beenden(kAnhaltenMs))
        m_abtretend.push_back(std::move(m_sender));
    m_sender.reset();
    std::erase_if(m_abtretend, [](const auto& s) { return s->isFinished(); });
}

void ZentraleSteuerung::neuStarten() {
    anhalten();
    m_teile.anzeige.zeigen(zentrale::ZentraleZustand{});
    const bool aktiv = zentraleEinstellungLesen(m_teile.store, m_server, m_station).aktiv();
    if (aktiv != m_buchungAktiv) {
        buchungSetzen(aktiv);
        // The store takes its books at its opening: opened again, so the next row already has them.
        recording::WeightStore& store = m_teile.datenbank.store();
        if (store.offen())
            store.oeffnen(store.pfad());
    }
    starten();
}

bool ZentraleSteuerung::beenden(int ms) {
    const QDeadlineTimer frist(ms);
    m_teile.datenbank.setNachlass(nullptr);
    bool alle = true;
    if (m_sender)
        alle = m_sender->beenden(int(frist.remainingTime()));
    for (const auto& s : m_abtretend)
        alle = s->beenden(int(frist.remainingTime())) && alle;
    return alle;
}

QString ZentraleSteuerung::befehlszeilenHinweis() const {
    const QString optionen = m_server && m_station ? QStringLiteral("--zentrale und --station")
                             : m_server            ? QStringLiteral("--zentrale")
                             : m_station           ? QStringLiteral("--station")
                                                   : QString();
    if (optionen.isEmpty())
        return {};
    return QStringLiteral("Für diesen Lauf gilt %1 von der Befehlszeile; was hier gespeichert wird, gilt dafür ab dem "
                          "nächsten Start.")
        .arg(optionen);
}

void ZentraleSteuerung::einrichten(QWidget* fenster) {
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    auto* dialog = new FrmZentrale(m_teile.store, m_teile.datenbank.datenbankPfad(), befehlszeilenHinweis(), fenster);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setTreiberPruefung(m_teile.treiber);
    connect(dialog, &QDialog::accepted, this, &ZentraleSteuerung::neuStarten);
    m_dialog = dialog;
    dialog->open();
}

} // namespace shell
