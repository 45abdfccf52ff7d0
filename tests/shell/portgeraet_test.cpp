#include "hauptfenster_fixture.h"
#include "shell/paneigen.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
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
        geraete.geraete = {{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), QStringLiteral("ttyS0")},
                           {kAcm, kAcm, QStringLiteral("ttyACM0 – Waage USB")},
                           {kAdapter, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0 – FT232R USB UART")}};
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
    // A COM port that fails at start-up stays closed for the run, as before.
    port.openSucceeds = true;
    QTest::qWait(50);
    EXPECT_EQ(port.opens.size(), 1);
}

} // namespace
