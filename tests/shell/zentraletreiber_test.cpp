// The program's composition, as main() makes it, on a computer where the PostgreSQL driver does not load: the
// status band names the missing file in one line, "Zentrale" says the same when checking, nobody knocks at the
// server, and the weights are recorded all the same. A listening socket stands in for the server.
#include "fakes/fakesystray.h"
#include "fakes/memorysettingsstore.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/frmzentrale.h"
#include "shell/statusband.h"
#include "shell/trayfenster.h"
#include "shell/zentraleanzeige.h"
#include "shell/zentralesteuerung.h"
#include "testdatenbank.h"
#include "zentrale/zeitbuchung.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kFehlt = QStringLiteral("VCRUNTIME140.dll (Visual C++ Laufzeit)");
const QString kZeile = QStringLiteral("PostgreSQL-Treiber fehlt: VCRUNTIME140.dll (Visual C++ Laufzeit)");

// What the program writes to stderr, as far as it speaks of the missing driver.
QStringList g_warnungen;
QtMessageHandler g_vorher = nullptr;

void mitschreiben(QtMsgType typ, const QMessageLogContext& ort, const QString& text) {
    if (text.contains(QStringLiteral("PostgreSQL-Treiber")))
        g_warnungen << text;
    g_vorher(typ, ort, text);
}

class ZentraleOhneTreiber : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(horcher.listen(QHostAddress::LocalHost));
        store.put(QStringLiteral("Zentrale"), QStringLiteral("Server"),
                  QStringLiteral("host=127.0.0.1 port=%1 dbname=zentrale user=gramura sslmode=disable")
                      .arg(horcher.serverPort()));
        g_warnungen.clear();
        g_vorher = qInstallMessageHandler(mitschreiben);
        fenster.resize(800, 400);
        seite.resize(800, 360);
        band.ueber(&seite);
        fenster.show();
        steuerung = std::make_unique<shell::ZentraleSteuerung>(
            shell::ZentraleSteuerung::Teile{store, pflege, zeitBuchung, anzeige,
                                            [this] {
                                                ++gefragt;
                                                return kFehlt;
                                            }},
            std::nullopt, std::nullopt,
            zentrale::ZentraleTakt{.ruheMs = 10, .wartezeitMinMs = 10, .wartezeitMaxMs = 10});
        ASSERT_TRUE(pflege.startpruefung()) << pflege.fehler().toStdString();
        ASSERT_TRUE(pflege.datenquellenSetzen()) << pflege.fehler().toStdString();
        steuerung->starten();
    }
    void TearDown() override {
        if (steuerung) {
            EXPECT_TRUE(steuerung->beenden(10000));
        }
        steuerung.reset();
        qInstallMessageHandler(g_vorher);
    }

    // The band's lines that speak of the driver, whatever else it shows.
    QStringList treiberZeilen() const {
        QStringList zeilen;
        for (const QLabel* l : band.findChildren<QLabel*>())
            if (l->isVisible() && l->toolTip().contains(QStringLiteral("Treiber")))
                zeilen << l->toolTip().section(u'\n', 0, 0);
        return zeilen;
    }

    std::atomic<int> gefragt = 0;
    QTcpServer horcher;
    MemorySettingsStore store;
    TestDatenbank daten;
    zentrale::ZeitBuchung zeitBuchung;
    recording::WeightStore gewichtStore;
    recording::GewichteListe liste;
    recording::Datenbankpflege pflege{recording::DatenOrt(daten.ordner(), daten.vorlage()), gewichtStore, liste};
    QWidget fenster;
    QWidget seite{&fenster};
    shell::Statusband band{&fenster};
    FakeSysTray tray;
    shell::TrayFenster trayFenster{fenster, tray};
    shell::ZentraleAnzeige anzeige{band, trayFenster};
    std::unique_ptr<shell::ZentraleSteuerung> steuerung;
};

TEST_F(ZentraleOhneTreiber, TheBandNamesTheMissingFileOnceAndRecordingGoesOn) {
    ASSERT_NE(steuerung->sender(), nullptr);
    // The sender has said what it had to say and ended; what it said has reached the window.
    ASSERT_TRUE(QTest::qWaitFor([&] { return steuerung->sender()->isFinished(); }, 30000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !treiberZeilen().isEmpty(); }, 30000));
    QCoreApplication::processEvents();
    EXPECT_EQ(treiberZeilen(), QStringList{kZeile});
    EXPECT_EQ(g_warnungen.size(), 1) << g_warnungen.join(u'\n').toStdString();
    const QLabel* zeile = band.findChild<QLabel*>(QString::fromLatin1(shell::ZentraleAnzeige::kZeile));
    ASSERT_NE(zeile, nullptr);
    EXPECT_FALSE(zeile->toolTip().contains(QStringLiteral("nicht erreichbar")));
    EXPECT_EQ(gefragt, 1);
    EXPECT_FALSE(horcher.hasPendingConnections() || horcher.waitForNewConnection(0));

    const int vorher = TestDatenbank::zeilen(daten.mdb());
    ASSERT_TRUE(gewichtStore.speichern(QStringLiteral("12,5"), QDateTime::currentDateTime()))
        << gewichtStore.fehler().toStdString();
    ASSERT_TRUE(gewichtStore.speichern(QStringLiteral("13,0"), QDateTime::currentDateTime()))
        << gewichtStore.fehler().toStdString();
    EXPECT_EQ(TestDatenbank::zeilen(daten.mdb()), vorher + 2);
    // Recording woke nobody to try again.
    QCoreApplication::processEvents();
    EXPECT_EQ(treiberZeilen(), QStringList{kZeile});
    EXPECT_EQ(g_warnungen.size(), 1);
    EXPECT_FALSE(horcher.hasPendingConnections() || horcher.waitForNewConnection(0));
}

TEST_F(ZentraleOhneTreiber, TheCheckOfZentraleSaysTheSame) {
    steuerung->einrichten(&fenster);
    shell::FrmZentrale* d = steuerung->dialog();
    ASSERT_NE(d, nullptr);
    d->cmdpruefen()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return d->cmdpruefen()->isEnabled(); }, 30000));
    EXPECT_EQ(d->lblpruefung()->text(), kZeile);
    EXPECT_FALSE(horcher.hasPendingConnections() || horcher.waitForNewConnection(0));
    d->reject();
}

} // namespace
