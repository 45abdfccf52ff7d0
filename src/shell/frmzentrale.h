#pragma once

#include "platform/psqltreiber.h"
#include "zentrale/zentraleangaben.h"
#include "zentrale/zentralezustand.h"

#include <QDialog>
#include <QPointer>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class QToolButton;

namespace platform {
class SettingsStore;
}

namespace shell {

// "Zentrale": the central server field by field, its check, and saving it. The connection text goes into
// the settings without the password; the password goes into libpq's password file, where the sender and
// every other client of the server find it. The password field is never filled: left empty, the stored
// password stays.
class FrmZentrale final : public QDialog {
    Q_OBJECT
public:
    // `hinweis`: a line shown from the start (the command line replacing the settings for this run).
    FrmZentrale(platform::SettingsStore& store, QString datenbankPfad, QString hinweis = QString(),
                QWidget* parent = nullptr);
    ~FrmZentrale() override;

    QLineEdit* txtserver() const { return m_txtserver; }
    QLineEdit* txtport() const { return m_txtport; }
    QLineEdit* txtdatenbank() const { return m_txtdatenbank; }
    QLineEdit* txtbenutzer() const { return m_txtbenutzer; }
    QLineEdit* txtpasswort() const { return m_txtpasswort; }
    QLineEdit* txtstation() const { return m_txtstation; }
    QComboBox* cbotls() const { return m_cbotls; }
    QLineEdit* txtca() const { return m_txtca; }
    QPushButton* cmdpruefen() const { return m_cmdpruefen; }
    QPushButton* cmdok() const { return m_cmdok; }
    // The line under the fields: what the check found, or why the settings cannot be saved.
    QLabel* lblpruefung() const { return m_lblpruefung; }
    // The check under way, if any. It ends by itself; a dialog closed meanwhile drops its result.
    QThread* pruefung() const;

    // What the check asks before it connects; the platform's own finding unless set otherwise.
    void setTreiberPruefung(zentrale::TreiberPruefung pruefung) { m_treiber = std::move(pruefung); }

    // Selects the TLS mode by libpq's word for it.
    void tlsWaehlen(const QString& sslmode);

    void cmdpruefen_Click();
    void cmdca_Click();
    // OK: the password file first, then the settings; false with the reason in the line, nothing saved.
    bool speichern();

    void accept() override;

private:
    void fuellen();
    // The fields as the connection text's parts; the parameters without a field as they were read.
    zentrale::ZentraleAngaben angaben() const;
    // What was typed, else a password the stored text held.
    QString passwort() const;
    bool passwortSpeichern(const zentrale::ZentraleAngaben& a, QString* fehler) const;
    void zeigen(const QString& zeile);

    platform::SettingsStore& m_store;
    const QString m_datenbankPfad;
    const QString m_hinweis;
    zentrale::ZentraleAngaben m_gelesen;
    QLineEdit* m_txtserver;
    QLineEdit* m_txtport;
    QLineEdit* m_txtdatenbank;
    QLineEdit* m_txtbenutzer;
    QLineEdit* m_txtpasswort;
    QLineEdit* m_txtstation;
    QComboBox* m_cbotls;
    QLineEdit* m_txtca;
    QToolButton* m_cmdca;
    QPushButton* m_cmdpruefen;
    QPushButton* m_cmdok;
    QLabel* m_lblpruefung;
    QPointer<QThread> m_pruefung;
    zentrale::TreiberPruefung m_treiber = platform::psqlTreiberFehlt;
};

} // namespace shell
