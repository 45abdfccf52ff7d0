// The hand-over beside other programs: another keyboard layout, a clipboard manager reading every content.
#include "handover_x11_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

namespace handover_x11 {

class HandoverX11Dvorak : public HandoverX11 {};

TEST_F(HandoverX11Dvorak, StrgVMitDemVDerBelegung) {
    ASSERT_EQ(zeichenDerTaste(47), 'k') << "the server is not on Dvorak (HANDOVER_XKB)";
    starten(36);
    wiegen();
    halten({kStrgL, kY}, 300);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(abgeholte, pastes);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_TRUE(zwischenablageLeer());
}

// A clipboard manager reads the weight the moment it lands on the clipboard; the target, busy, pastes a
// quarter second after the Ctrl+V. One short press still delivers the weight, once.
class HandoverX11MitLeser : public HandoverX11 {
protected:
    void SetUp() override {
        zielArgumente = {QStringLiteral("--verzoegerung"), QStringLiteral("250")};
        HandoverX11::SetUp();
        if (leser.state() == QProcess::NotRunning) {
            ASSERT_NO_FATAL_FAILURE(leserStarten());
        }
    }
};

TEST_F(HandoverX11MitLeser, KurzerDruckErreichtEinLangsamesZielGenauEinmal) {
    starten(36);
    wiegen();
    druecken({kStrgL, kY}, true);
    const bool begonnen = QTest::qWaitFor([&] { return einfueger->wartet(); }, 1000);
    druecken({kY}, false);
    druecken({kStrgL}, false);
    ASSERT_TRUE(begonnen);
    ruhe();
    // The reader did get in first: the scene is what it claims to be.
    EXPECT_TRUE(gelesen().contains(QStringLiteral("GELESEN:") + kGewicht)) << leserAusgabe.toStdString();
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_EQ(pastes, 1);
    EXPECT_EQ(abgeholte, 1);
    EXPECT_TRUE(zwischenablageLeer());
}

// What the operator had copied in the application is on the clipboard again after the paste, for every
// program: the reader sees it come back after the weight.
TEST_F(HandoverX11MitLeser, WasDerBedienerKopierteKommtNachDemEinfuegenZurueck) {
    const QString kopiert = QStringLiteral("GELESEN:Lieferschein 4711");
    starten(36);
    wiegen();
    ziel.write("KOPIEREN:Lieferschein 4711\n");
    ASSERT_TRUE(zielMeldetBis([&] { return zeilen().contains(QStringLiteral("KOPIERT")); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gelesen().count(kopiert) == 1; }, 3000)) << leserAusgabe.toStdString();
    halten({kStrgL, kY}, 100);
    EXPECT_EQ(zieltext(), kGewicht);
    EXPECT_EQ(abgeholte, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gelesen().count(kopiert) == 2; }, 3000)) << leserAusgabe.toStdString();
    EXPECT_TRUE(gelesen().contains(QStringLiteral("GELESEN:") + kGewicht)) << leserAusgabe.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Lieferschein 4711"));
}

} // namespace handover_x11
