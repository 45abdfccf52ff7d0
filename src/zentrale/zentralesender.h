#pragma once

#include "recording/nachlass.h"
#include "seitentabellen.h"
#include "zentraleadresse.h"
#include "zentralezustand.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>
#include <functional>

namespace recording {
class Datenquelle;
}

namespace zentrale {

class ZentraleServer;

// How often and how patiently the sender works. Tests shorten the waits.
struct ZentraleTakt {
    // Between looks at zel.mdb while everything is sent.
    int ruheMs = 1000;
    // After a fault the sender waits this long, doubling up to the maximum, so a server that is back is
    // found soon and one that stays away is not pestered.
    int wartezeitMinMs = 1000;
    int wartezeitMaxMs = 60000;
    // The server's limit on one statement: a network that stalls shows as a fault instead of a hang.
    int anweisungsFristMs = 15000;
    int stapelGroesse = 1000;
};

// Sends the recorded weights the central server does not have yet, oldest first, from a thread of its own
// with its own connections: nothing of the window or the recording tick waits for the network. zel.mdb
// stays the record of truth; the sender only reads rows from it and remembers what the server committed.
class ZentraleSender final : public QThread, public recording::Nachlass {
    Q_OBJECT
public:
    ZentraleSender(ZentraleAdresse adresse, QString station, QString datenbankPfad, ZentraleTakt takt = {},
                   QObject* parent = nullptr);
    ~ZentraleSender() override;

    // Asks the thread to stop and waits up to `ms` for it; false when it is still in a network call.
    bool beenden(int ms);
    // Looks for new rows now instead of at the next turn.
    void anstossen();

    // The server the rows go to, as the marks in zel.mdb name it: what the server said it is when last
    // connected; before that, what the file remembers of this address.
    QString serverSchluessel() const;
    QString station() const { return m_station; }

    // Asked on the sender's thread before anything else; without it a driver that does not load is only noticed
    // at the first connection, and not by the file it lacks. Set before start().
    void setTreiberPruefung(TreiberPruefung pruefung) { m_treiberPruefung = std::move(pruefung); }

    // For tests: runs on the sender's thread after the server committed a batch, before it is marked sent.
    void setNachCommit(std::function<void(const Seitentabellen::Stapel&)> nachCommit) {
        m_nachCommit = std::move(nachCommit);
    }

    void sperren() override;
    void freigeben() override;
    bool uebertragen(QSqlDatabase& alt, QString* fehler) override;

Q_SIGNALS:
    void zustandGeaendert(const zentrale::ZentraleZustand& zustand);

protected:
    void run() override;

private:
    enum class Runde { AllesGesendet, Weiter, Fehler, TreiberFehlt };
    Runde runde(recording::Datenquelle& lokal, ZentraleServer& server);
    bool lokalLesen(recording::Datenquelle& lokal, Seitentabellen::Stapel* stapel, int hoechstens);
    bool lokalMarkieren(recording::Datenquelle& lokal, const Seitentabellen::Stapel& stapel);
    bool lokalZuordnen(recording::Datenquelle& lokal, const QString& server);
    // The server's key for the marks, from the file when no connection has told it yet.
    QString schluesselIn(QSqlDatabase& db) const;
    // The address without its password: what the file remembers the reached server under.
    QString adressText() const;
    void melden(ZentraleZustand::Lage lage, qint64 wartend, const QString& meldung);
    // Waits `ms` or until woken; false once the thread is to end.
    bool warten(int ms);

    const ZentraleAdresse m_adresse;
    const QString m_station;
    const QString m_pfad;
    const ZentraleTakt m_takt;
    std::function<void(const Seitentabellen::Stapel&)> m_nachCommit;
    TreiberPruefung m_treiberPruefung;

    // Held while the sender's own connection has zel.mdb open; "&Löschen" takes it to have the file alone.
    QMutex m_dateiSperre;
    QMutex m_weckSperre;
    QWaitCondition m_wecker;
    bool m_ende = false;
    bool m_geweckt = false;

    // Set on the sender's thread once connected, read by "&Löschen" on the window's.
    mutable QMutex m_kennungSperre;
    QString m_kennung;

    ZentraleZustand m_zustand;
    qint64 m_ungueltig = 0;
    QString m_lokalFehler;
};

} // namespace zentrale
