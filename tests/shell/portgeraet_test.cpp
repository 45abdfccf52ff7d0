#include "hauptfenster_fixture.h"
#include "shell/paneigen.h"
#include "shell/pansalden.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

namespace {

const QString kKeineVerbindung = QStringLiteral("Es konnte keine Verbindung zur Wiegeanzeige hergestellt werden!");
const QString kAdapter = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
const QString kAcm = QStringLiteral("/dev/ttyACM0");

class PortGeraet : public Hauptfenster {
protected:
    void SetUp() override {
        Hauptfenster::SetUp();
        link.setRetryInterval(5);
        // The first serial port of the board stands behind "COM 1" already; it is not listed twice.
        geraete.geraete = {
            {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0")},
            {kAcm, kAcm, QStringLiteral("ttyACM0 – Waage USB")},
            {kAdapter, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0 – FT232R USB UART")},
            // Windows names a present port by its device as well: that is "COM 5" already.
            {QStringLiteral("\\\\.\\COM5"), QStringLiteral("\\\\.\\COM5"), QStringLiteral("COM5 – USB-SERIAL CH340")}};
    }
    QComboBox* cboport() const { return frm->paneigen()->cboport(); }
    QString geschrieben(const QString& key) const {
        return store.inhalt.values().value(QStringLiteral("frm_Settings/") + key, QStringLiteral("(fehlt)"));
    }
};

TEST_F(PortGeraet, DevicesPresentFollowComThirtyTwoShortInTheListWithTheirPathInTheTooltip) {
    laden();
    ASSERT_EQ(cboport()->count(), 34);
    EXPECT_EQ(cboport()->itemText(31), QStringLiteral("COM 32"));
    EXPECT_EQ(cboport()->itemText(32), QStringLiteral("ttyACM0 – Waage USB"));
    EXPECT_EQ(cboport()->itemText(33), QStringLiteral("ttyUSB0 – FT232R USB UART"));
    EXPECT_EQ(cboport()->itemData(33, Qt::ToolTipRole).toString(), kAdapter);
    EXPECT_EQ(cboport()->itemData(0, Qt::ToolTipRole).toString(), ports.device(1));
    const QFontMetrics metrik(cboport()->view()->font());
    EXPECT_GT(cboport()->view()->minimumWidth(), metrik.horizontalAdvance(cboport()->itemText(33)));
    EXPECT_EQ(cboport()->width(), 1095 / 15) << "the box keeps its designed width";
}

TEST_F(PortGeraet, ChosenDeviceIsStoredUnderAKeyOfItsOwnAndOpenedAtTheNextStart) {
    setting(QStringLiteral("Port"), QStringLiteral("2"));
    laden();
    store.inhalt.writes.clear();
    cboport()->setCurrentIndex(33);
    frm->paneigen()->cboport_LostFocus();
    EXPECT_EQ(store.inhalt.writes, QStringList{QStringLiteral("frm_Settings/PortGeraet=") + kAdapter});
    EXPECT_EQ(geschrieben(QStringLiteral("Port")), QStringLiteral("2")) << "COM 3 stays what Port means";

    frm.reset();
    laden();
    EXPECT_EQ(cboport()->currentIndex(), 33);
    EXPECT_EQ(port.opens.last(), kAdapter + QStringLiteral("|2400,N,8,1"));

    // Back to a COM port: the device key is emptied, so older settings read as before.
    store.inhalt.writes.clear();
    cboport()->setCurrentIndex(4);
    frm->paneigen()->cboport_LostFocus();
    EXPECT_EQ(store.inhalt.writes,
              (QStringList{QStringLiteral("frm_Settings/Port=4"), QStringLiteral("frm_Settings/PortGeraet=")}));
    frm.reset();
    laden();
    EXPECT_EQ(port.opens.last(), ports.device(5) + QStringLiteral("|2400,N,8,1"));
}

TEST_F(PortGeraet, MissingDeviceStaysChosenIsReportedWithThoseThereAndPickedUpWhenItAppears) {
    const QString fehlt = QStringLiteral("/dev/serial/by-id/usb-Prolific_PL2303-if00-port0");
    setting(QStringLiteral("PortGeraet"), fehlt);
    port.openSucceeds = false;
    laden();
    EXPECT_EQ(cboport()->currentText(), QStringLiteral("usb-Prolific_PL2303-if00-port0 (fehlt)"));
    EXPECT_EQ(frm->paneigen()->gewaehltesGeraet(), fehlt);
    EXPECT_EQ(cboport()->itemData(cboport()->currentIndex(), Qt::ToolTipRole).toString(), fehlt);
    ASSERT_EQ(meldungen.shown.size(), 1);
    const QStringList zeilen = meldungen.shown.first().split('\n');
    EXPECT_EQ(zeilen.value(0), kKeineVerbindung);
    EXPECT_TRUE(zeilen.contains(fehlt + QStringLiteral(": No such file or directory")));
    EXPECT_TRUE(meldungen.shown.first().contains(QStringLiteral("ttyACM0 – Waage USB (/dev/ttyACM0)")));
    EXPECT_TRUE(meldungen.shown.first().contains(kAdapter));
    EXPECT_FALSE(store.inhalt.writes.join('|').contains(QStringLiteral("Port"))) << "the choice stays stored";

    // Plugged in: the link that kept trying opens it, without a second message.
    port.openSucceeds = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 2000));
    EXPECT_EQ(port.opens.last(), fehlt + QStringLiteral("|2400,N,8,1"));
    EXPECT_EQ(meldungen.shown.size(), 1);
}

TEST_F(PortGeraet, DeviceTheUserMayNotReadNamesTheGroupThatOwnsIt) {
    geraete.zustaende.insert(ports.device(1), platform::SerialDevices::Zustand::KeinZugriff);
    geraete.gruppen.insert(ports.device(1), QStringLiteral("uucp"));
    port.openSucceeds = false;
    port.openError = QStringLiteral("Permission denied");
    laden();
    ASSERT_EQ(meldungen.shown.size(), 1);
    const QStringList zeilen = meldungen.shown.first().split('\n');
    EXPECT_EQ(zeilen.value(0), kKeineVerbindung);
    EXPECT_TRUE(zeilen.contains(ports.device(1) + QStringLiteral(": Permission denied")));
    EXPECT_TRUE(meldungen.shown.first().contains(QStringLiteral("Gruppe „uucp“"))) << zeilen.join('|').toStdString();
}

struct Fehlschlag {
    const char* name;
    platform::SerialDevices::Zustand zustand;
    bool verweigert;
    const char* systemtext;
    // The state of the line in the row " Verbindung:".
    const char* kurz;
    // A line of the message under its first; none where the system's words alone say it.
    const char* zeile;
    // Whether the system's words stand only in the details.
    bool systemtextInEinzelheiten;
};

void PrintTo(const Fehlschlag& f, std::ostream* os) {
    *os << f.name;
}

class ComPortFehlschlag : public PortGeraet, public testing::WithParamInterface<Fehlschlag> {};

TEST_P(ComPortFehlschlag, IsToldOnceWithWhatToDoAndOpenedBySelfWhenItCan) {
    const Fehlschlag& fall = GetParam();
    const QString device = ports.device(1);
    geraete.zustaende.insert(device, fall.zustand);
    geraete.gruppen.insert(device, QStringLiteral("dialout"));
    port.openSucceeds = false;
    port.openVerweigert = fall.verweigert;
    port.openError = QString::fromUtf8(fall.systemtext);
    laden();
    ASSERT_EQ(meldungen.shown.size(), 1);
    const QStringList zeilen = meldungen.shown.first().split('\n');
    EXPECT_EQ(zeilen.value(0), kKeineVerbindung);
    if (fall.zeile) {
        EXPECT_TRUE(zeilen.contains(QString::fromUtf8(fall.zeile))) << zeilen.join('|').toStdString();
    }
    const QString systemtext = device + QStringLiteral(": ") + port.openError;
    EXPECT_EQ(zeilen.contains(systemtext), !fall.systemtextInEinzelheiten);
    EXPECT_EQ(meldungen.einzelheiten.first(), fall.systemtextInEinzelheiten ? systemtext : QString());
    EXPECT_EQ(frm->pansalden()->lblverbindung()->text(),
              QStringLiteral(" COM 1: nicht geöffnet (%1), noch kein Telegramm").arg(QString::fromUtf8(fall.kurz)));

    port.openSucceeds = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 2000));
    EXPECT_EQ(port.opens.last(), device + QStringLiteral("|2400,N,8,1"));
    EXPECT_EQ(meldungen.shown.size(), 1);
    EXPECT_EQ(frm->pansalden()->lblverbindung()->text(), QStringLiteral(" COM 1: geöffnet, noch kein Telegramm"));
}

using Zustand = platform::SerialDevices::Zustand;
INSTANTIATE_TEST_SUITE_P(
    Arten, ComPortFehlschlag,
    testing::Values(Fehlschlag{"AdapterNotPluggedIn", Zustand::Fehlt, false, "No such file or directory", "Gerät fehlt",
                               "Sobald es angeschlossen ist, wird COM 1 von selbst geöffnet.", false},
                    Fehlschlag{"HeldByAnotherProgram", Zustand::Vorhanden, true, "Zugriff verweigert", "belegt",
                               "COM 1 ist belegt: ein anderes Programm hat die Schnittstelle geöffnet.", true},
                    Fehlschlag{"NotTheUsersToRead", Zustand::KeinZugriff, true, "Permission denied", "kein Zugriff",
                               "Dieser Benutzer darf das Gerät nicht lesen: er muss zur Gruppe „dialout“ gehören, der "
                               "das Gerät gehört (meist dialout), und sich danach neu anmelden.",
                               false},
                    Fehlschlag{"OtherFailure", Zustand::Vorhanden, false, "Inappropriate ioctl for device", "Fehler",
                               nullptr, false}),
    [](const testing::TestParamInfo<Fehlschlag>& p) { return std::string(p.param.name); });

} // namespace
