#pragma once

#include "frmzentrale.h"
#include "platform/psqltreiber.h"
#include "zentrale/zentralesender.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform {
class SettingsStore;
}

namespace recording {
class Buchung;
class Datenbankpflege;
} // namespace recording

namespace shell {

class ZentraleAnzeige;

// The sending to the central server as the settings say now: owns the sender, keeps the weight store's
// books to match, and follows new settings saved in "Zentrale" without a restart. --zentrale and --station
// keep replacing their keys for the whole run.
class ZentraleSteuerung final : public QObject {
    Q_OBJECT
public:
    struct Teile {
        platform::SettingsStore& store;
        recording::Datenbankpflege& datenbank;
        // The books the store writes with each row while a server is configured.
        recording::Buchung& buchung;
        ZentraleAnzeige& anzeige;
        // Asked by each sender and each check of "Zentrale" before they connect.
        zentrale::TreiberPruefung treiber = platform::psqlTreiberFehlt;
    };

    // Sets the store's books for the configured server, so construct it before zel.mdb is first opened.
    ZentraleSteuerung(Teile teile, std::optional<QString> server, std::optional<QString> station,
                      zentrale::ZentraleTakt takt = {}, QObject* parent = nullptr);
    ~ZentraleSteuerung() override;

    // Once zel.mdb is in place: the sender for the configured server, if any.
    void starten();
    // After new settings: the running sender stops, one for the new settings starts, and the rows recorded
    // from now on carry the books the new settings ask for.
    void neuStarten();
    // On quitting: false when a sender is still caught in a network call after `ms`.
    bool beenden(int ms);

    // Opens "Zentrale" over the window; OK takes effect at once.
    void einrichten(QWidget* fenster);
    FrmZentrale* dialog() const { return m_dialog; }
    zentrale::ZentraleSender* sender() const { return m_sender.get(); }
    // What the dialog says when the command line replaces the settings for this run; empty otherwise.
    QString befehlszeilenHinweis() const;

private:
    void anhalten();
    void buchungSetzen(bool aktiv);

    Teile m_teile;
    const std::optional<QString> m_server;
    const std::optional<QString> m_station;
    const zentrale::ZentraleTakt m_takt;
    bool m_buchungAktiv = false;
    std::unique_ptr<zentrale::ZentraleSender> m_sender;
    // Senders told to stop while still in a network call: kept until they have ended.
    std::vector<std::unique_ptr<zentrale::ZentraleSender>> m_abtretend;
    QPointer<FrmZentrale> m_dialog;
};

} // namespace shell
