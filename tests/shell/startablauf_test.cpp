#include "hauptfenster_fixture.h"
#include "recording/intervall.h"
#include "shell/frmzusatzsalden.h"
#include "shell/funktionstaste.h"
#include "shell/intervallkasten.h"
#include "shell/paneigen.h"
#include "shell/pangeld.h"
#include "shell/schwellenfeld.h"
#include "shell/tabkenn.h"
#include "shell/trayfenster.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

namespace {

using recording::Intervall;

// The order in which start-up restores the boxes, then the fields.
const QStringList kKaesten = {"chk1h",  "chk30m", "chk10m", "chk5m", "chk2m", "chk1m",
                              "chk30s", "chk20s", "chk10s", "chk5s", "chk2s", "chk1s"};
const QStringList kFelder = {"txt1s", "txt2s", "txt5s", "txt10s", "txt20s", "txt30s",
                             "txt1m", "txt2m", "txt5m", "txt10m", "txt30m", "txt1h"};

class Startablauf : public Hauptfenster {
protected:
    // Logs what no adapter reports: the lists filled, the hotkey in force, the database file and where
    // both data sources point.
    void beobachten() {
        shell::PanEigen* eigen = frm->paneigen();
        for (QComboBox* liste : {eigen->cboTaste(), eigen->cboport(), eigen->cbokomma()}) {
            protokoll.beobachte([liste] {
                return liste->count() == 0
                           ? QString()
                           : QStringLiteral("%1 mit %2 Einträgen").arg(liste->objectName()).arg(liste->count());
            });
        }
        protokoll.beobachte([eigen] {
            const shell::FunktionsTaste* taste = eigen->funktionstaste();
            return taste->aktuelletaste().isEmpty() ? QString()
                                                    : QStringLiteral("Taste in Kraft %1 (%2)")
                                                          .arg(taste->aktuelletaste())
                                                          .arg(taste->aktuellercode());
        });
        protokoll.beobachte(
            [this] { return QFileInfo::exists(daten.mdb()) ? QStringLiteral("zel.mdb da") : QString(); });
        protokoll.beobachte([this] {
            const QString soll = daten.mdb();
            return gewichtStore.pfad() == soll && gewichteListe.pfad() == soll
                       ? QStringLiteral("Datenquellen auf zel.mdb")
                       : QString();
        });
    }

    void startenMitProtokoll() {
        bauen();
        beobachten();
        protokoll.eintraege.clear();
        frm->Form_Load();
        protokoll.beobachten();
    }

    // Everything start-up must do, in its order, for a store whose boxes hold `kaesten` (key -> value).
    QStringList erwarteterStart(const QString& taste, int portNummer, const QMap<QString, QString>& kaesten) const {
        QStringList soll = {QStringLiteral("cboTaste mit 64 Einträgen"),
                            QStringLiteral("lesen Taste"),
                            taste,
                            QStringLiteral("Tastatur starten"),
                            QStringLiteral("cboport mit 32 Einträgen"),
                            QStringLiteral("lesen PortGeraet"),
                            QStringLiteral("lesen Port"),
                            QStringLiteral("cbokomma mit 2 Einträgen"),
                            QStringLiteral("lesen Komma"),
                            QStringLiteral("Port öffnen ") + ports.device(portNummer),
                            QStringLiteral("Zwischenablage leeren"),
                            QStringLiteral("zel.mdb da"),
                            QStringLiteral("Datenquellen auf zel.mdb")};
        for (const QString& key : kKaesten) {
            soll << QStringLiteral("lesen ") + key;
            if (kaesten.value(key, QStringLiteral("0")) != QLatin1String("0"))
                soll << QStringLiteral("schreiben %1=%2").arg(key, kaesten.value(key));
        }
        for (const QString& key : kFelder)
            soll << QStringLiteral("lesen ") + key;
        return soll;
    }
};

TEST_F(Startablauf, EmptyStoreRunsEveryStepInOrder) {
    startenMitProtokoll();
    EXPECT_EQ(protokoll.eintraege,
              erwarteterStart(QStringLiteral("Taste in Kraft STRG+Y (44)"), 1, {{QStringLiteral("chk10s"), "1"}}));
}

TEST_F(Startablauf, FilledStoreRunsTheSameStepsOnItsValues) {
    setting(QStringLiteral("Taste"), QStringLiteral("4"));
    setting(QStringLiteral("Port"), QStringLiteral("6"));
    setting(QStringLiteral("Komma"), QStringLiteral("1"));
    QMap<QString, QString> kaesten;
    for (const QString& key : kKaesten) {
        kaesten.insert(key, key == QLatin1String("chk10s") ? QStringLiteral("0") : QStringLiteral("1"));
        setting(key, kaesten.value(key));
    }
    kaesten.insert(QStringLiteral("chk2m"), QStringLiteral("2"));
    setting(QStringLiteral("chk2m"), QStringLiteral("2"));
    for (const QString& key : kFelder)
        setting(key, QStringLiteral("2,5"));
    startenMitProtokoll();
    EXPECT_EQ(protokoll.eintraege, erwarteterStart(QStringLiteral("Taste in Kraft F5 (63)"), 7, kaesten));
    EXPECT_EQ(frm->paneigen()->cbokomma()->currentIndex(), 1);
}

TEST_F(Startablauf, ExistingDatabaseIsNeitherCopiedNorTouched) {
    daten.mdbAusVorlage();
    TestDatenbank::abfrage(daten.mdb(), QStringLiteral("insert into Gewichte (Datum, Gewicht) values "
                                                       "('2026-03-01 08:00:00', 12.5)"));
    ASSERT_EQ(TestDatenbank::zeilen(daten.mdb()), 1);
    startenMitProtokoll();
    EXPECT_FALSE(protokoll.eintraege.contains(QStringLiteral("zel.mdb da"))); // was there before
    const qsizetype leeren = protokoll.eintraege.indexOf(QStringLiteral("Zwischenablage leeren"));
    ASSERT_GE(leeren, 0);
    EXPECT_EQ(protokoll.eintraege.value(leeren + 1), QStringLiteral("Datenquellen auf zel.mdb"));
    EXPECT_EQ(TestDatenbank::zeilen(daten.mdb()), 1);
    EXPECT_TRUE(QFileInfo::exists(daten.vorlage()));
}

TEST_F(Startablauf, FirstStartComesUpOnTheDefaultsAndStoresOnlyTheTenSecondBox) {
    laden();
    shell::PanEigen* eigen = frm->paneigen();
    EXPECT_EQ(eigen->cboTaste()->currentText(), QStringLiteral("STR - Y"));
    EXPECT_EQ(eigen->cboport()->currentText(), QStringLiteral("COM 1"));
    EXPECT_EQ(eigen->cbokomma()->currentText(), QStringLiteral("Beistrich ( , )"));
    shell::FrmZusatzSalden* rahmen = eigen->frmzusatzsalden();
    for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
        const Intervall intervall = recording::intervallAusIndex(i);
        const bool zehn = intervall == Intervall::i10s;
        EXPECT_EQ(rahmen->chk(intervall)->isChecked(), zehn) << i;
        EXPECT_EQ(rahmen->txt(intervall)->wert(), std::optional<double>(zehn ? 1.0 : 0.0)) << i;
    }
    ASSERT_EQ(port.opens.size(), 1);
    EXPECT_EQ(port.opens.first().section('|', 0, 0), ports.device(1));
    EXPECT_NE(ports.device(1), ports.device(2));
    EXPECT_TRUE(meldungen.shown.isEmpty()) << meldungen.shown.join('\n').toStdString();
    EXPECT_EQ(store.inhalt.values(), (QMap<QString, QString>{{QStringLiteral("frm_Settings/chk10s"), "1"}}));
}

TEST_F(Startablauf, ShownOnPageZeroWithoutIconThenTheTimersTick) {
    laden();
    EXPECT_FALSE(frm->timer1().isActive()); // not during start-up
    EXPECT_FALSE(frm->timer2().isActive());
    frm->show();
    frm->startTimers();
    EXPECT_TRUE(frm->isVisible());
    EXPECT_FALSE(frm->isMinimized());
    EXPECT_EQ(frm->tabkenn()->currentIndex(), 0);
    EXPECT_TRUE(frm->pangeld()->isVisible());
    EXPECT_FALSE(tray.sichtbar());
    EXPECT_FALSE(protokoll.eintraege.join('\n').contains(QStringLiteral("Tray hinzufügen")));
    EXPECT_TRUE(frm->timer1().isActive());
    EXPECT_EQ(frm->timer1().interval(), 100);
    EXPECT_TRUE(frm->timer2().isActive());
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("VELKOR ZEL Desktop"));
}

// How the program is asked to end; each must run the same shutdown.
struct Ende {
    const char* name;
    std::function<void(shell::FrmMain&)> beenden;
};

void PrintTo(const Ende& e, std::ostream* os) {
    *os << e.name;
}

class Shutdown : public Startablauf, public testing::WithParamInterface<Ende> {};

const QStringList kShutdown = {"Tastatur beenden", "Tray entfernen", "Port schließen", "entladen"};

TEST_P(Shutdown, ReleasesKeyboardRemovesIconClosesPortInOrderOnce) {
    laden();
    frm->show();
    frm->startTimers();
    protokoll.eintraege.clear();
    store.inhalt.writes.clear();
    GetParam().beenden(*frm);
    EXPECT_EQ(protokoll.eintraege, kShutdown);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(tray.sichtbar());
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(frm->timer1().isActive());
    EXPECT_FALSE(frm->timer2().isActive());
    // A second request and the window's destruction find the shutdown done.
    frm->close();
    frm.reset();
    EXPECT_EQ(protokoll.eintraege, kShutdown);
    EXPECT_TRUE(store.inhalt.writes.isEmpty()) << store.inhalt.writes.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Wege, Shutdown,
                         testing::Values(Ende{"cmdBeenden", [](shell::FrmMain& f) { f.cmdBeenden()->click(); }},
                                         Ende{"SchliessenDesFensters", [](shell::FrmMain& f) { f.close(); }}),
                         [](const testing::TestParamInfo<Ende>& p) { return std::string(p.param.name); });

TEST_F(Startablauf, QuitFromTheTrayMenuRemovesTheIconTwiceThenTheSameShutdown) {
    laden();
    frm->show();
    frm->startTimers();
    frm->cmdMinimieren()->click();
    ASSERT_TRUE(tray.sichtbar());
    ASSERT_FALSE(frm->isVisible());
    protokoll.eintraege.clear();
    frm->MnuB_Click(1);
    EXPECT_EQ(protokoll.eintraege, QStringList{QStringLiteral("Tray entfernen")} + kShutdown);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(tray.sichtbar());
}

TEST_F(Startablauf, PortThatFailedToOpenIsLeftAloneAtShutdown) {
    port.openSucceeds = false;
    laden();
    ASSERT_EQ(meldungen.shown.size(), 1);
    // The message, then the reason under it.
    EXPECT_EQ(meldungen.shown.first().section('\n', 0, 0),
              QStringLiteral("Es konnte keine Verbindung zur Wiegeanzeige hergestellt werden!"));
    EXPECT_TRUE(meldungen.shown.first().contains(ports.device(1) + QStringLiteral(": ") + port.openError));
    // Start-up went on after the message.
    EXPECT_TRUE(protokoll.eintraege.contains(QStringLiteral("Zwischenablage leeren")));
    EXPECT_EQ(protokoll.eintraege.last(), QStringLiteral("lesen txt1h"));
    protokoll.eintraege.clear();
    frm->cmdBeenden()->click();
    EXPECT_EQ(protokoll.eintraege, (QStringList{"Tastatur beenden", "Tray entfernen", "entladen"}));
    EXPECT_EQ(port.opens.size(), 1);
    EXPECT_FALSE(link.reconnecting()) << "the waiting for the port ends with the window";
}

TEST_F(Startablauf, PortPickedWhileRunningIsOpenedAtOnceAndStoredWhenLeft) {
    laden();
    QComboBox* cboport = frm->paneigen()->cboport();
    cboport->setCurrentIndex(4);
    Q_EMIT cboport->activated(4);
    ASSERT_EQ(port.opens.size(), 2);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.opens.last().section('|', 0, 0), ports.device(5));
    EXPECT_FALSE(store.inhalt.values().contains(QStringLiteral("frm_Settings/Port")));
    frm->paneigen()->cboport_LostFocus();
    EXPECT_EQ(store.inhalt.values().value(QStringLiteral("frm_Settings/Port")), QStringLiteral("4"));
    frm->Form_Unload();

    // The next start opens the stored port.
    frm.reset();
    laden();
    ASSERT_EQ(port.opens.size(), 3);
    EXPECT_EQ(port.opens.last().section('|', 0, 0), ports.device(5));
}

} // namespace
