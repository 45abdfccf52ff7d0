#pragma once

#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakes/fakeserialport.h"
#include "fakes/fakespeicher.h"
#include "fakes/fakeuhr.h"
#include "fakes/memorysettingsstore.h"
#include "shell/frmmain.h"
#include "shell/meldungen.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A settings store that also notes the order in which keys are read.
class LeseProtokollStore final : public platform::SettingsStore {
public:
    QString read(const QString& section, const QString& key, const QString& fallback) const override {
        gelesen.append(key);
        return inhalt.read(section, key, fallback);
    }
    void write(const QString& section, const QString& key, const QString& value) override {
        inhalt.write(section, key, value);
    }

    MemorySettingsStore inhalt;
    mutable QStringList gelesen;
};

class StilleMeldungen final : public shell::Meldungen {
public:
    void zeige(const QString& text) override { gezeigt.append(text); }
    void zeige(const QString& text, const QString&) override { gezeigt.append(text); }
    QStringList gezeigt;
};

// The real main window with fakes behind it, in a German locale unless a test says otherwise.
class FrmMainMitAufzeichnung : public testing::Test {
protected:
    void SetUp() override {
        m_vorherigeLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override {
        frm.reset();
        QLocale::setDefault(m_vorherigeLocale);
    }

    void setting(const char* key, const char* value) {
        store.inhalt.put(QStringLiteral("frm_Settings"), QString::fromLatin1(key), QString::fromUtf8(value));
    }

    shell::FrmMain& laden() {
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = store,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .speicher = &speicher,
                                                                     .uhr = &uhr});
        store.inhalt.writes.clear();
        store.gelesen.clear();
        frm->Form_Load();
        return *frm;
    }

    LeseProtokollStore store;
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    StilleMeldungen meldungen;
    FakeSpeicher speicher;
    FakeUhr uhr;
    std::unique_ptr<shell::FrmMain> frm;

private:
    QLocale m_vorherigeLocale;
};
