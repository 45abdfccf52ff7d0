// The central store's state where the operator looks: the status band, and the tray icon's tip while the
// window is hidden. The server's own words go only into the tooltip, never a password.
#include "fakes/fakesystray.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/statusband.h"
#include "shell/trayfenster.h"
#include "shell/zentraleanzeige.h"
#include "shell/zentralestart.h"

#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using zentrale::ZentraleZustand;

class ZentraleAnzeigeTest : public testing::Test {
protected:
    ZentraleAnzeigeTest() {
        fenster.setWindowTitle(QStringLiteral("VELKOR ZEL Desktop"));
        fenster.resize(600, 300);
        seite.resize(600, 260);
        band.ueber(&seite);
        fenster.show();
    }
    QLabel* zeile() { return fenster.findChild<QLabel*>(QString::fromLatin1(shell::ZentraleAnzeige::kZeile)); }

    QWidget fenster;
    QWidget seite{&fenster};
    shell::Statusband band{&fenster};
    FakeSysTray tray;
    shell::TrayFenster trayFenster{fenster, tray};
    shell::ZentraleAnzeige anzeige{band, trayFenster};
};

TEST_F(ZentraleAnzeigeTest, AFaultShowsOneLineInTheWindowAndUnderTheTraysCaption) {
    ZentraleZustand z;
    z.lage = ZentraleZustand::Lage::NichtErreichbar;
    z.seit = QDateTime::currentDateTime();
    z.wartend = 37;
    z.meldung = QStringLiteral("could not connect to server: Connection refused");
    anzeige.zeigen(z);
    const QString seit = z.seit.toString(QStringLiteral("HH:mm"));
    const QString text = QStringLiteral("Zentrale nicht erreichbar seit %1 – 37 Gewichte warten").arg(seit);
    ASSERT_NE(zeile(), nullptr);
    EXPECT_TRUE(zeile()->isVisible());
    EXPECT_TRUE(zeile()->toolTip().startsWith(text));
    EXPECT_TRUE(zeile()->toolTip().contains(z.meldung));

    trayFenster.intray();
    EXPECT_EQ(tray.calls.last(), QStringLiteral("add:VELKOR ZEL Desktop\n") + text);
    z.wartend = 38;
    anzeige.zeigen(z);
    EXPECT_EQ(tray.calls.last(),
              QStringLiteral("tip:VELKOR ZEL Desktop\n") +
                  QStringLiteral("Zentrale nicht erreichbar seit %1 – 38 Gewichte warten").arg(seit));

    // All sent: nothing left to show, in either place.
    z = ZentraleZustand();
    anzeige.zeigen(z);
    EXPECT_EQ(tray.calls.last(), QStringLiteral("tip:VELKOR ZEL Desktop"));
    tray.doubleClick();
    EXPECT_FALSE(zeile()->isVisible());
}

TEST_F(ZentraleAnzeigeTest, AConnectionTextThatCannotBeReadIsShownAndNothingIsSent) {
    QTemporaryDir ordner;
    recording::WeightStore store;
    recording::GewichteListe liste;
    recording::Datenbankpflege pflege(recording::DatenOrt{ordner.path(), QStringList()}, store, liste);

    EXPECT_EQ(shell::zentraleStarten({QStringLiteral("  "), QStringLiteral("A")}, pflege, anzeige), nullptr);
    EXPECT_TRUE(zeile() == nullptr || !zeile()->isVisible());

    EXPECT_EQ(
        shell::zentraleStarten({QStringLiteral("host=db1 password='Geheim1"), QStringLiteral("A")}, pflege, anzeige),
        nullptr);
    ASSERT_NE(zeile(), nullptr);
    EXPECT_TRUE(zeile()->isVisible());
    EXPECT_TRUE(zeile()->toolTip().startsWith(QStringLiteral("Zentrale falsch eingerichtet\n")));
    EXPECT_FALSE(zeile()->toolTip().contains(QStringLiteral("Geheim1")));
}

TEST_F(ZentraleAnzeigeTest, AStationNameWithAControlCharacterIsRefusedAndNothingIsSent) {
    QTemporaryDir ordner;
    recording::WeightStore store;
    recording::GewichteListe liste;
    recording::Datenbankpflege pflege(recording::DatenOrt{ordner.path(), QStringList()}, store, liste);
    const QString server = QStringLiteral("host=127.0.0.1 port=1 dbname=zentrale");
    struct Fall {
        QString station;
        const char* stelle; // as the tooltip names the first control character
    };
    const Fall faelle[] = {
        {QStringLiteral("Waage") + QChar(0) + QStringLiteral("B"), "an Stelle 6 das Steuerzeichen U+0000"},
        {QStringLiteral("Waage\tB"), "an Stelle 6 das Steuerzeichen U+0009"},
        {QStringLiteral("Halle 2\x1b[0m"), "an Stelle 8 das Steuerzeichen U+001B"},
        {QStringLiteral("Waage") + QChar(0x7f), "an Stelle 6 das Steuerzeichen U+007F"},
        {QStringLiteral("Wäge") + QChar(0x85) + QStringLiteral("B"), "an Stelle 5 das Steuerzeichen U+0085"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.stelle);
        EXPECT_EQ(shell::zentraleStarten({server, f.station}, pflege, anzeige), nullptr);
        ASSERT_NE(zeile(), nullptr);
        EXPECT_TRUE(zeile()->isVisible());
        EXPECT_TRUE(zeile()->toolTip().startsWith(QStringLiteral("Zentrale falsch eingerichtet\n")));
        EXPECT_TRUE(zeile()->toolTip().contains(QString::fromUtf8(f.stelle))) << zeile()->toolTip().toStdString();
    }
    // Blanks and letters beyond ASCII are a name like any other.
    auto sender = shell::zentraleStarten({server, QStringLiteral("Wäge Halle 2")}, pflege, anzeige);
    EXPECT_NE(sender, nullptr);
    pflege.setNachlass(nullptr);
}

} // namespace
