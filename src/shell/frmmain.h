#pragma once

#include "acquisition/telegramdecoder.h"
#include "einstellungen.h"
#include "verbindungshinweis.h"

#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

class QLineEdit;
class QPushButton;

namespace acquisition {
class PortMapping;
class SerialLink;
} // namespace acquisition

namespace recording {
class Datenbankpflege;
}

namespace platform {
class KeyboardState;
class SerialDevices;
class SettingsStore;
} // namespace platform

namespace handover {
class Einfueger;
}

namespace recording {
class Speicher;
class Uhr;
} // namespace recording

namespace shell {

class Aufzeichnung;
class Meldungen;
class PanEigen;
class PanGeld;
class PanKenn;
class PanSalden;
class PanVerlauf;
class Statusband;
class SysTray;
class TabKenn;
class TrayFenster;
class Tastenwache;
class Veraltungswache;
class Verbindungsanzeige;
class ZentraleAnzeige;

// What the main window works with, handed in so tests can put fakes in their place.
struct FrmMainDienste {
    platform::SettingsStore& settings;
    acquisition::SerialLink& link;
    acquisition::PortMapping& ports;
    Meldungen& meldungen;
    // The hotkey's keyboard source and paster; without them the hotkey never fires.
    platform::KeyboardState* tastatur = nullptr;
    handover::Einfueger* einfueger = nullptr;
    // Where the recording tick stores rows, and the clock it reads; without a store nothing is recorded
    // and the window says so, without a clock the computer's own is used.
    recording::Speicher* speicher = nullptr;
    recording::Uhr* uhr = nullptr;
    // The working database with its store and list; without it nothing is recorded or listed.
    recording::Datenbankpflege* datenbank = nullptr;
    // The notification area; without it the desktop's own is used.
    SysTray* tray = nullptr;
    // The serial devices of this computer; without it the platform's own list is read.
    const platform::SerialDevices* geraete = nullptr;
};

// The one window of the program. It composes the pages and runs the start-up, the two timers and the
// shutdown; the pages own their controls and handlers.
class FrmMain final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 8595;
    static constexpr int kClientHeight = 4905;

    explicit FrmMain(FrmMainDienste dienste, QWidget* parent = nullptr);
    ~FrmMain() override;

    // Start-up, before the window is shown; then startTimers() once it is.
    void Form_Load();
    void startTimers();
    void Form_Unload();

    void Timer1_Timer();
    void gewichtlesen();
    void cmdBeenden_Click();
    void cmdMinimieren_Click();
    void intray();
    void MnuB_Click(int index);

    // A line in the status band telling the operator that the weights come from the built-in simulator.
    void setDemoBanner(const QString& text);

    TabKenn* tabkenn() const { return m_tabkenn; }
    PanGeld* pangeld() const { return m_pangeld; }
    PanEigen* paneigen() const { return m_paneigen; }
    PanKenn* pankenn() const { return m_pankenn; }
    PanSalden* pansalden() const { return m_pansalden; }
    PanVerlauf* panverlauf() const { return m_panverlauf; }
    QPushButton* cmdlöschen() const { return m_cmdlöschen; }
    QLineEdit* txtgewicht() const;
    QPushButton* cmdBeenden() const { return m_cmdBeenden; }
    QPushButton* cmdMinimieren() const { return m_cmdMinimieren; }
    TrayFenster* trayFenster() const { return m_trayFenster; }
    QTimer& timer1() { return m_timer1; }
    QTimer& timer2() { return m_timer2; }
    Aufzeichnung* aufzeichnung() const { return m_aufzeichnung; }
    Statusband* statusband() const { return m_statusband; }
    // Where the central store's state is shown.
    ZentraleAnzeige* zentraleAnzeige() const { return m_zentraleAnzeige; }

Q_SIGNALS:
    // Shutdown has run: the program ends.
    void entladen();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Twips between the buttons' row and the status band below it.
    static constexpr int kBandAbstand = 60;

    // Pixels the status band takes below the buttons with the lines it shows now, the gap above it included.
    int bandraum() const;
    // Gives the status band the room its lines need: the window grows or shrinks by the difference.
    void bandraumAnpassen();
    void portoeffnen();
    // A port picked in the list while the program runs is opened at once; a failure is told in the status
    // band rather than in a message box, so stepping through the list with the arrow keys stays quiet.
    void portWechseln();
    // The device behind the choice in the port list.
    QString gewaehltesDevice() const;
    // Opens the port chosen in the list; on failure says why, the link then waiting for the port.
    std::optional<Verbindungshinweis> gewaehltenPortOeffnen();
    // What a press of the hotkey pastes: the weight shown, or nothing while it is old.
    QString einzufuegendesGewicht();
    void Form_Resize();
    void tabReihenfolgeSetzen();

    FrmMainDienste m_dienste;
    Einstellungen m_einstellungen;
    acquisition::TelegramDecoder m_decoder;
    TabKenn* m_tabkenn;
    PanGeld* m_pangeld;
    PanEigen* m_paneigen;
    PanSalden* m_pansalden = nullptr;
    PanKenn* m_pankenn;
    PanVerlauf* m_panverlauf = nullptr;
    QPushButton* m_cmdlöschen = nullptr;
    QPushButton* m_cmdBeenden;
    QPushButton* m_cmdMinimieren;
    Statusband* m_statusband;
    std::unique_ptr<SysTray> m_eigenesTray;
    std::unique_ptr<platform::SerialDevices> m_eigeneGeraete;
    TrayFenster* m_trayFenster = nullptr;
    ZentraleAnzeige* m_zentraleAnzeige = nullptr;
    Tastenwache* m_tastenwache;
    std::unique_ptr<recording::Speicher> m_keinSpeicher;
    std::unique_ptr<recording::Uhr> m_systemUhr;
    Aufzeichnung* m_aufzeichnung = nullptr;
    Veraltungswache* m_veraltungswache = nullptr;
    Verbindungsanzeige* m_verbindung = nullptr;
    // The port as the operator knows it, from its last opening: the list may show another choice since.
    QString m_portName;
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_unloaded = false;
    // The room below the buttons given to the status band, in pixels.
    int m_bandraum = 0;
};

} // namespace shell
