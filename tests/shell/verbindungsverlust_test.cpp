#include "hauptfenster_fixture.h"

#include <QLineEdit>
#include <QTest>

namespace {

class Verbindungsverlust : public Hauptfenster {};

TEST_F(Verbindungsverlust, TelegramCutOffByTheLossIsNotCompletedAfterReopening) {
    link.setRetryInterval(5);
    laden();
    QStringList angezeigt;
    QObject::connect(frm->txtgewicht(), &QLineEdit::textChanged, [&](const QString& text) { angezeigt << text; });

    port.receive("=05.2");
    frm->gewichtlesen();
    port.openSucceeds = false;
    port.fail(QStringLiteral("Input/output error"));
    frm->gewichtlesen(); // reports the loss
    ASSERT_EQ(meldungen.shown.size(), 1);
    port.openSucceeds = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 1000));

    // The rest of the cut telegram, then a whole one.
    port.receive("300=07.4300");
    frm->gewichtlesen();
    EXPECT_EQ(angezeigt, QStringList{QStringLiteral("34,70")});
    EXPECT_EQ(frm->txtgewicht()->text(), QStringLiteral("34,70"));
}

// The message names the port as the list shows it and says in German what happened; the system's own
// words are for the details.
struct Verlust {
    const char* name;
    platform::SerialDevices::Zustand zustand;
    const char* text;
};

void PrintTo(const Verlust& v, std::ostream* os) {
    *os << v.name;
}

class Verlustmeldung : public Verbindungsverlust, public testing::WithParamInterface<Verlust> {};

TEST_P(Verlustmeldung, NamesThePortAndWhatHappened) {
    setting(QStringLiteral("Port"), QStringLiteral("2"));
    geraete.zustaende.insert(ports.device(3), GetParam().zustand);
    laden();
    port.receive("=05.2100");
    frm->gewichtlesen();
    port.fail(QStringLiteral("Input/output error"));
    frm->gewichtlesen();
    EXPECT_EQ(meldungen.shown, QStringList{QString::fromUtf8(GetParam().text)});
    EXPECT_EQ(meldungen.einzelheiten, QStringList{ports.device(3) + QStringLiteral(": Input/output error")});
    frm->gewichtlesen();
    EXPECT_EQ(meldungen.shown.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Zustand, Verlustmeldung,
                         testing::Values(Verlust{"Entfernt", platform::SerialDevices::Zustand::Fehlt,
                                                 "Verbindung zu COM 3 verloren: Gerät entfernt"},
                                         Verlust{"KeinZugriff", platform::SerialDevices::Zustand::KeinZugriff,
                                                 "Verbindung zu COM 3 verloren: kein Zugriff mehr auf das Gerät"},
                                         Verlust{"Vorhanden", platform::SerialDevices::Zustand::Vorhanden,
                                                 "Verbindung zu COM 3 verloren: Fehler beim Lesen"}),
                         [](const testing::TestParamInfo<Verlust>& p) { return std::string(p.param.name); });

TEST_F(Verbindungsverlust, DeviceChosenByItsOwnNameIsNamedAsTheListShowsIt) {
    const QString adapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    geraete.geraete = {{adapter, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0 – FT232R USB UART")}};
    setting(QStringLiteral("PortGeraet"), adapter);
    laden();
    geraete.geraete.clear(); // pulled
    port.fail(QStringLiteral("Input/output error"));
    frm->gewichtlesen();
    EXPECT_EQ(meldungen.shown,
              QStringList{QStringLiteral("Verbindung zu ttyUSB0 – FT232R USB UART verloren: Gerät entfernt")});
}

TEST_F(Verbindungsverlust, DeviceMissingAtStartIsNamedWithoutItsMark) {
    const QString fehlt = QStringLiteral("/dev/serial/by-id/usb-Prolific_PL2303-if00-port0");
    setting(QStringLiteral("PortGeraet"), fehlt);
    link.setRetryInterval(5);
    port.openSucceeds = false;
    laden();
    ASSERT_EQ(meldungen.shown.size(), 1);
    port.openSucceeds = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 2000));
    port.fail(QStringLiteral("Input/output error"));
    frm->gewichtlesen();
    ASSERT_EQ(meldungen.shown.size(), 2);
    EXPECT_EQ(meldungen.shown.last(),
              QStringLiteral("Verbindung zu usb-Prolific_PL2303-if00-port0 verloren: Gerät entfernt"));
}

} // namespace
