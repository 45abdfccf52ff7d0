#pragma once

#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakeeinfueger.h"
#include "fakes/fakekeyboardstate.h"
#include "fakes/fakeserialdevices.h"
#include "fakes/fakeserialport.h"
#include "fakes/fakeuhr.h"
#include "fakes/memorysettingsstore.h"
#include "fakes/recordingmeldungen.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/frmmain.h"
#include "shell/gewichteraster.h"
#include "shell/statusband.h"
#include "shell/systray.h"
#include "testdatenbank.h"

#include <QLabel>
#include <QLocale>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// One log for everything the window does through its adapters, in the order it happens. States that no
// adapter reports (lists filled, the hotkey in force, the database file) are looked at before each entry
// and logged when they have changed, so they land between the adapter calls they happened between.
class Protokoll {
public:
    void add(const QString& eintrag) {
        beobachten();
        eintraege << eintrag;
    }
    // Logs the state whenever it differs from what it was; an empty text logs nothing.
    void beobachte(std::function<QString()> zustand) {
        const QString jetzt = zustand();
        m_beobachtungen.push_back({std::move(zustand), jetzt});
    }
    void beobachten() {
        for (Beobachtung& b : m_beobachtungen) {
            const QString jetzt = b.zustand();
            if (jetzt == b.zuletzt)
                continue;
            b.zuletzt = jetzt;
            if (!jetzt.isEmpty())
                eintraege << jetzt;
        }
    }

    QStringList eintraege;

private:
    struct Beobachtung {
        std::function<QString()> zustand;
        QString zuletzt;
    };
    std::vector<Beobachtung> m_beobachtungen;
};

// The settings store with its reads and writes of the window's own section in the log.
class ProtokollStore final : public platform::SettingsStore {
public:
    explicit ProtokollStore(Protokoll& protokoll) : m_protokoll(protokoll) {}

    QString read(const QString& section, const QString& key, const QString& fallback) const override {
        if (section == QLatin1String("frm_Settings"))
            m_protokoll.add(QStringLiteral("lesen ") + key);
        return inhalt.read(section, key, fallback);
    }
    void write(const QString& section, const QString& key, const QString& value) override {
        m_protokoll.add(QStringLiteral("schreiben ") + key + '=' + value);
        inhalt.write(section, key, value);
    }

    MemorySettingsStore inhalt;

private:
    Protokoll& m_protokoll;
};

// A notification area that logs what it is asked to do.
class ProtokollTray final : public shell::SysTray {
    Q_OBJECT
public:
    explicit ProtokollTray(Protokoll& protokoll) : m_protokoll(protokoll) {}

    bool verfuegbar() const override { return true; }
    void hinzufuegen(const QIcon&, const QString& tip) override {
        m_protokoll.add(QStringLiteral("Tray hinzufügen ") + tip);
        m_sichtbar = true;
    }
    void tipSetzen(const QString& tip) override { m_protokoll.add(QStringLiteral("Tray-Tip ") + tip); }
    void entfernen() override {
        m_protokoll.add(QStringLiteral("Tray entfernen"));
        m_sichtbar = false;
    }
    bool sichtbar() const override { return m_sichtbar; }

private:
    Protokoll& m_protokoll;
    bool m_sichtbar = false;
};

// The real main window on a data folder of its own, with every adapter a logging fake.
class Hauptfenster : public testing::Test {
protected:
    static constexpr const char* kSection = "frm_Settings";

    void SetUp() override {
        m_vorherigeLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        tastatur.onStart = [this] { protokoll.add(QStringLiteral("Tastatur starten")); };
        tastatur.onStop = [this] { protokoll.add(QStringLiteral("Tastatur beenden")); };
        einfueger.onLeeren = [this] { protokoll.add(QStringLiteral("Zwischenablage leeren")); };
        port.onOpen = [this](const QString& device) { protokoll.add(QStringLiteral("Port öffnen ") + device); };
        port.onClose = [this] { protokoll.add(QStringLiteral("Port schließen")); };
    }
    void TearDown() override {
        frm.reset();
        QLocale::setDefault(m_vorherigeLocale);
    }

    void setting(const QString& key, const QString& value) { store.inhalt.put(QLatin1String(kSection), key, value); }

    shell::FrmMain& bauen() {
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = store,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .tastatur = &tastatur,
                                                                     .einfueger = &einfueger,
                                                                     .speicher = &gewichtStore,
                                                                     .uhr = uhr,
                                                                     .datenbank = &pflege,
                                                                     .tray = &tray,
                                                                     .geraete = &geraete});
        QObject::connect(frm.get(), &shell::FrmMain::entladen, [this] { protokoll.add(QStringLiteral("entladen")); });
        return *frm;
    }

    // Constructs and runs the start-up; the log and the write list then hold the start-up alone.
    shell::FrmMain& laden() {
        bauen();
        protokoll.eintraege.clear();
        store.inhalt.writes.clear();
        frm->Form_Load();
        protokoll.beobachten();
        return *frm;
    }

    Protokoll protokoll;
    ProtokollStore store{protokoll};
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    FakeSerialDevices geraete;
    RecordingMeldungen meldungen;
    FakeKeyboardState tastatur;
    FakeEinfueger einfueger;
    ProtokollTray tray{protokoll};
    // The window's clock; without one it reads the computer's.
    recording::Uhr* uhr = nullptr;
    TestDatenbank daten;
    recording::WeightStore gewichtStore;
    recording::GewichteListe gewichteListe{QLocale(QLocale::German, QLocale::Germany)};
    recording::Datenbankpflege pflege{recording::DatenOrt{daten.ordner(), daten.vorlage()}, gewichtStore,
                                      gewichteListe};
    std::unique_ptr<shell::FrmMain> frm;

private:
    QLocale m_vorherigeLocale;
};

// The window on a clock of the test's, fed telegrams one tick at a time.
class HauptfensterMitUhr : public Hauptfenster {
protected:
    void SetUp() override {
        Hauptfenster::SetUp();
        uhr = &fakeUhr;
    }

    void telegramm(const QByteArray& text = "=05.2100") {
        port.receive(text);
        frm->Timer1_Timer();
    }
    // The full text of a line of the status band; empty while the line is not shown.
    QString bandzeile(const QString& name) const {
        const auto* label = frm->statusband()->findChild<QLabel*>(name);
        if (!label || label->isHidden() || frm->statusband()->isHidden())
            return QString();
        return label->toolTip();
    }

    FakeUhr fakeUhr;
};
