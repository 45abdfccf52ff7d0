// "Zentrale" against real PostgreSQL servers of the test's own: the check says what it found over TLS with the
// password from the file OK wrote, and OK turns a running program's sending to the new server at once.
#include "fakes/fakesystray.h"
#include "fakes/memorysettingsstore.h"
#include "pgcluster.h"
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

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FrmZentraleServer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ordner.isValid());
        qputenv("PGPASSFILE", ordner.filePath(QStringLiteral("pgpass")).toLocal8Bit());
        qunsetenv("PGPASSWORD");
    }
    void TearDown() override { qunsetenv("PGPASSFILE"); }

    static void ausfuellen(shell::FrmZentrale& d, const PgCluster& pg, const QString& passwort,
                           const QString& tls = QStringLiteral("disable"), const QString& ca = QString()) {
        d.txtserver()->setText(QStringLiteral("127.0.0.1"));
        d.txtport()->setText(QString::number(pg.port()));
        d.txtdatenbank()->setText(QStringLiteral("zentrale"));
        d.txtbenutzer()->setText(QStringLiteral("gramura"));
        d.txtpasswort()->setText(passwort);
        d.txtstation()->setText(QStringLiteral("Halle"));
        d.tlsWaehlen(tls);
        d.txtca()->setText(ca);
    }
    // Runs the check and waits for its line; the window's events go on meanwhile.
    static QString pruefen(shell::FrmZentrale& d) {
        d.cmdpruefen()->click();
        EXPECT_FALSE(d.cmdpruefen()->isEnabled());
        EXPECT_TRUE(QTest::qWaitFor([&] { return d.cmdpruefen()->isEnabled(); }, 30000));
        return d.lblpruefung()->text();
    }

    QTemporaryDir ordner;
    MemorySettingsStore store;
};

TEST_F(FrmZentraleServer, TheCheckOverVerifiedTlsSaysWhatItFoundWithThePasswordFromTheFile) {
    PgCluster server;
    server.setTls(true);
    QString fehler;
    ASSERT_TRUE(server.starten(&fehler)) << fehler.toStdString();
    {
        shell::FrmZentrale eingabe(store, QString());
        ausfuellen(eingabe, server, QStringLiteral("geheim"), QStringLiteral("verify-full"), server.caDatei());
        eingabe.cmdok()->click();
        ASSERT_EQ(eingabe.result(), QDialog::Accepted) << eingabe.lblpruefung()->text().toStdString();
    }
    // A dialog of its own, with nothing typed: the password comes from the file.
    shell::FrmZentrale d(store, QString());
    ASSERT_EQ(d.txtpasswort()->text(), QString());
    const QString erstens = pruefen(d);
    EXPECT_TRUE(erstens.startsWith(QStringLiteral("Zentrale erreicht"))) << erstens.toStdString();
    EXPECT_TRUE(erstens.contains(QStringLiteral("Tabelle gewichte angelegt"))) << erstens.toStdString();
    const QString zweitens = pruefen(d);
    EXPECT_TRUE(zweitens.contains(QStringLiteral("Tabelle gewichte vorhanden"))) << zweitens.toStdString();

    const QString fremd = ordner.filePath(QStringLiteral("fremd.crt"));
    ASSERT_TRUE(PgCluster::fremdeCaErzeugen(fremd, &fehler)) << fehler.toStdString();
    d.txtca()->setText(fremd);
    const QString fremdeCa = pruefen(d);
    EXPECT_TRUE(fremdeCa.startsWith(QStringLiteral("Zertifikat der Zentrale nicht vertrauenswürdig")))
        << fremdeCa.toStdString();

    // A wrong password saved: the file now holds it, and the server refuses it.
    {
        shell::FrmZentrale falsch(store, QString());
        falsch.txtpasswort()->setText(QStringLiteral("Falsch123"));
        falsch.cmdok()->click();
        ASSERT_EQ(falsch.result(), QDialog::Accepted) << falsch.lblpruefung()->text().toStdString();
    }
    shell::FrmZentrale danach(store, QString());
    const QString abgelehnt = pruefen(danach);
    EXPECT_TRUE(abgelehnt.startsWith(QStringLiteral("Zentrale lehnt die Anmeldung ab"))) << abgelehnt.toStdString();
    EXPECT_FALSE(abgelehnt.contains(QStringLiteral("Falsch123")));
}

// The program's composition, as main() makes it, with "Zentrale" opened over its window.
class Umstellen : public FrmZentraleServer {
protected:
    void SetUp() override {
        FrmZentraleServer::SetUp();
        QString fehler;
        ASSERT_TRUE(erster.starten(&fehler)) << fehler.toStdString();
        ASSERT_TRUE(zweiter.starten(&fehler)) << fehler.toStdString();
        steuerung = std::make_unique<shell::ZentraleSteuerung>(
            shell::ZentraleSteuerung::Teile{store, pflege, zeitBuchung, anzeige}, std::nullopt, std::nullopt,
            zentrale::ZentraleTakt{.ruheMs = 50, .wartezeitMinMs = 50, .wartezeitMaxMs = 200});
        ASSERT_TRUE(pflege.startpruefung()) << pflege.fehler().toStdString();
        ASSERT_TRUE(pflege.datenquellenSetzen()) << pflege.fehler().toStdString();
        steuerung->starten();
    }
    void TearDown() override {
        EXPECT_TRUE(steuerung->beenden(10000));
        steuerung.reset();
        FrmZentraleServer::TearDown();
    }

    void aufzeichnen(const char* gewicht) {
        ASSERT_TRUE(gewichtStore.speichern(QString::fromLatin1(gewicht), QDateTime::currentDateTime()))
            << gewichtStore.fehler().toStdString();
    }
    void umstellen(const PgCluster& pg) {
        steuerung->einrichten(&fenster);
        shell::FrmZentrale* d = steuerung->dialog();
        ASSERT_NE(d, nullptr);
        ausfuellen(*d, pg, QStringLiteral("geheim"));
        d->cmdok()->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return steuerung->dialog() == nullptr; }, 5000));
    }
    static qint64 zahl(PgCluster& pg, const QString& sql) {
        const auto antwort = pg.abfrage(sql);
        return antwort ? antwort->toLongLong() : -1;
    }
    static testing::AssertionResult angekommen(PgCluster& pg, qint64 anzahl) {
        const QString sql = QStringLiteral("select count(*) from gewichte where station = 'Halle'");
        if (QTest::qWaitFor([&] { return zahl(pg, sql) == anzahl; }, 60000))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << zahl(pg, sql) << " statt " << anzahl << " Zeilen";
    }

    PgCluster erster;
    PgCluster zweiter;
    TestDatenbank daten;
    zentrale::ZeitBuchung zeitBuchung;
    recording::WeightStore gewichtStore;
    recording::GewichteListe liste;
    recording::Datenbankpflege pflege{recording::DatenOrt(daten.ordner(), daten.vorlage()), gewichtStore, liste};
    QWidget fenster;
    shell::Statusband band{&fenster};
    FakeSysTray tray;
    shell::TrayFenster trayFenster{fenster, tray};
    shell::ZentraleAnzeige anzeige{band, trayFenster};
    std::unique_ptr<shell::ZentraleSteuerung> steuerung;
};

TEST_F(Umstellen, OkSendsTheRowsFromNowOnToTheNewServerWithoutARestart) {
    EXPECT_EQ(steuerung->sender(), nullptr);
    aufzeichnen("1,5"); // before any server: its instant is not noted

    umstellen(erster);
    ASSERT_NE(steuerung->sender(), nullptr);
    aufzeichnen("2,5");
    aufzeichnen("3,5");
    ASSERT_TRUE(angekommen(erster, 3));
    // The rows recorded once a server was set carry their instant: the store took its books at once.
    EXPECT_EQ(zahl(erster, QStringLiteral("select count(*) from gewichte where zeitpunkt_abgeleitet")), 1);
    EXPECT_EQ(
        zahl(erster, QStringLiteral("select count(*) from gewichte where zeitpunkt_abgeleitet and gewicht = 1.5")), 1);

    umstellen(zweiter);
    aufzeichnen("4,5");
    // The new server gets every row of the file, the old one nothing recorded after the switch.
    ASSERT_TRUE(angekommen(zweiter, 4));
    EXPECT_EQ(zahl(erster, QStringLiteral("select count(*) from gewichte")), 3);
    EXPECT_EQ(zahl(zweiter, QStringLiteral("select count(*) from gewichte where not zeitpunkt_abgeleitet")), 3);
}

} // namespace
