#pragma once

#include "acquisition/telegramdecoder.h"
#include "einstellungen.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace acquisition {
class PortMapping;
class SerialLink;
} // namespace acquisition

namespace platform {
class SettingsStore;
}

namespace shell {

class Meldungen;
class PanEigen;
class PanGeld;
class TabKenn;

// What the main window works with, handed in so tests can put fakes in their place.
struct FrmMainDienste {
    platform::SettingsStore& settings;
    acquisition::SerialLink& link;
    acquisition::PortMapping& ports;
    Meldungen& meldungen;
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

    // A banner telling the operator that the weights come from the built-in simulator.
    void setDemoBanner(const QString& text);

    TabKenn* tabkenn() const { return m_tabkenn; }
    PanGeld* pangeld() const { return m_pangeld; }
    PanEigen* paneigen() const { return m_paneigen; }
    QLineEdit* txtgewicht() const;
    QPushButton* cmdBeenden() const { return m_cmdBeenden; }
    QTimer& timer1() { return m_timer1; }
    QTimer& timer2() { return m_timer2; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void portoeffnen();
    void Form_Resize();

    FrmMainDienste m_dienste;
    Einstellungen m_einstellungen;
    acquisition::TelegramDecoder m_decoder;
    TabKenn* m_tabkenn;
    PanGeld* m_pangeld;
    PanEigen* m_paneigen;
    QPushButton* m_cmdBeenden;
    QLabel* m_demoBanner = nullptr;
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_unloaded = false;
};

} // namespace shell
