#include "hauptfenster_fixture.h"
#include "recording/intervall.h"
#include "shell/aufzeichnung.h"
#include "shell/frmzusatzsalden.h"
#include "shell/funktionstaste.h"
#include "shell/intervallkasten.h"
#include "shell/paneigen.h"
#include "shell/schwellenfeld.h"
#include "shell/tabkenn.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace {

using recording::Intervall;

enum class Art { Liste, Kasten, Feld };

struct Schluessel {
    QString key;
    Art art;
};

// All 27 keys of the section with the kind of control each belongs to.
std::vector<Schluessel> alleSchluessel() {
    std::vector<Schluessel> alle = {{QStringLiteral("Taste"), Art::Liste},
                                    {QStringLiteral("Port"), Art::Liste},
                                    {QStringLiteral("Komma"), Art::Liste}};
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        alle.push_back(
            {QStringLiteral("chk") + recording::intervallName(recording::intervallAusIndex(i)), Art::Kasten});
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        alle.push_back({QStringLiteral("txt") + recording::intervallName(recording::intervallAusIndex(i)), Art::Feld});
    return alle;
}

QMap<QString, QString> vorgaben() {
    QMap<QString, QString> werte;
    for (const Schluessel& s : alleSchluessel())
        werte.insert(s.key, QStringLiteral("0"));
    werte.insert(QStringLiteral("Taste"), QStringLiteral("36"));
    werte.insert(QStringLiteral("chk10s"), QStringLiteral("1"));
    werte.insert(QStringLiteral("txt10s"), QStringLiteral("1"));
    return werte;
}

QString w(const QString& key, const QString& value) {
    return QStringLiteral("frm_Settings/") + key + '=' + value;
}

class Einstellungen : public Hauptfenster {
protected:
    shell::PanEigen& eigen() { return *frm->paneigen(); }
    shell::FrmZusatzSalden& rahmen() { return *eigen().frmzusatzsalden(); }

    // What the 27 controls hold, each in the form its key stores.
    QMap<QString, QString> zustand() {
        QMap<QString, QString> werte;
        werte.insert(QStringLiteral("Taste"), QString::number(eigen().cboTaste()->currentIndex()));
        werte.insert(QStringLiteral("Port"), QString::number(eigen().cboport()->currentIndex()));
        werte.insert(QStringLiteral("Komma"), QString::number(eigen().cbokomma()->currentIndex()));
        for (int i = 0; i < recording::kIntervallAnzahl; ++i) {
            const Intervall intervall = recording::intervallAusIndex(i);
            werte.insert(QStringLiteral("chk") + recording::intervallName(intervall),
                         QString::number(rahmen().chk(intervall)->wert()));
            werte.insert(QStringLiteral("txt") + recording::intervallName(intervall),
                         rahmen().txt(intervall)->wertAlsText());
        }
        return werte;
    }

    void zeigenUndAktivieren() {
        frm->show();
        QApplication::setActiveWindow(frm.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
        frm->tabkenn()->setCurrentIndex(1);
    }
};

// Texts that are no valid value of their control, one row per kind of damage.
struct Muell {
    const char* name;
    const char* liste;
    const char* kasten;
    const char* feld;
};

void PrintTo(const Muell& m, std::ostream* os) {
    *os << m.name;
}

class AllKeysGarbage : public Einstellungen, public testing::WithParamInterface<Muell> {};

TEST_P(AllKeysGarbage, StartsOnTheDefaults) {
    for (const Schluessel& s : alleSchluessel()) {
        const char* text = s.art == Art::Liste    ? GetParam().liste
                           : s.art == Art::Kasten ? GetParam().kasten
                                                  : GetParam().feld;
        setting(s.key, QString::fromUtf8(text));
    }
    laden();
    EXPECT_EQ(zustand(), vorgaben());
    EXPECT_EQ(frm->paneigen()->funktionstaste()->aktuelletaste(), QStringLiteral("STRG+Y"));
    EXPECT_EQ(port.opens.first().section('|', 0, 0), ports.device(1));
    // Only the box that the default sets writes itself back; the damage stays for the operator to mend.
    EXPECT_EQ(store.inhalt.writes, QStringList{w(QStringLiteral("chk10s"), QStringLiteral("1"))});
}

INSTANTIATE_TEST_SUITE_P(Schaeden, AllKeysGarbage,
                         testing::Values(Muell{"Text", "kaputt", "kaputt", "kaputt"},
                                         Muell{"ZuGross", "99", "3", "100000"}, Muell{"Negativ", "-1", "-1", "-100000"},
                                         Muell{"KeineGanzeZahl", "1,5", "1.0", "1e9"}, Muell{"Leer", "", "", "1x"}),
                         [](const testing::TestParamInfo<Muell>& p) { return std::string(p.param.name); });

// A store that holds one key only, with a value other than its default.
struct Einzeln {
    QString key;
    QString wert;
};

void PrintTo(const Einzeln& e, std::ostream* os) {
    *os << e.key.toStdString() << '=' << e.wert.toStdString();
}

std::vector<Einzeln> einzelneSchluessel() {
    std::vector<Einzeln> faelle;
    for (const Schluessel& s : alleSchluessel()) {
        QString wert;
        if (s.key == QLatin1String("Taste"))
            wert = QStringLiteral("4");
        else if (s.key == QLatin1String("Port"))
            wert = QStringLiteral("31");
        else if (s.art == Art::Liste)
            wert = QStringLiteral("1");
        else if (s.art == Art::Kasten)
            wert = s.key == QLatin1String("chk10s") ? QStringLiteral("0") : QStringLiteral("1");
        else
            wert = QStringLiteral("2,5");
        faelle.push_back({s.key, wert});
    }
    return faelle;
}

class PartialStore : public Einstellungen, public testing::WithParamInterface<Einzeln> {};

TEST_P(PartialStore, EachMissingKeyTakesItsOwnDefault) {
    setting(GetParam().key, GetParam().wert);
    laden();
    QMap<QString, QString> soll = vorgaben();
    soll.insert(GetParam().key, GetParam().wert);
    EXPECT_EQ(zustand(), soll);

    QStringList schreibungen;
    if (soll.value(QStringLiteral("chk10s")) == QLatin1String("1"))
        schreibungen << w(QStringLiteral("chk10s"), QStringLiteral("1"));
    if (GetParam().key.startsWith(QLatin1String("chk")) && GetParam().key != QLatin1String("chk10s"))
        schreibungen << w(GetParam().key, GetParam().wert);
    QStringList geschrieben = store.inhalt.writes;
    geschrieben.sort();
    schreibungen.sort();
    EXPECT_EQ(geschrieben, schreibungen);
}

INSTANTIATE_TEST_SUITE_P(NurEinSchluessel, PartialStore, testing::ValuesIn(einzelneSchluessel()),
                         [](const testing::TestParamInfo<Einzeln>& p) { return p.param.key.toStdString(); });

TEST_F(Einstellungen, HalfTheKeysStoredTheOtherHalfOnTheirDefaults) {
    QMap<QString, QString> soll = vorgaben();
    int n = 0;
    for (const Einzeln& e : einzelneSchluessel()) {
        if (n++ % 2 == 0) {
            setting(e.key, e.wert);
            soll.insert(e.key, e.wert);
        }
    }
    laden();
    // The fields show and write their numbers with the separator chosen for the weight.
    if (soll.value(QStringLiteral("Komma")) == QLatin1String("1")) {
        for (auto it = soll.begin(); it != soll.end(); ++it) {
            if (it.key().startsWith(QLatin1String("txt")))
                it->replace(u',', u'.');
        }
    }
    EXPECT_EQ(zustand(), soll);
}

TEST_F(Einstellungen, TabbingThroughThePageWritesEveryListAndFieldAndEachToggledBox) {
    laden();
    zeigenUndAktivieren();
    store.inhalt.writes.clear();
    eigen().cboport()->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(eigen().cboport()->hasFocus());

    // The focus visits the 27 controls in the designed order; each box is ticked with the space bar on
    // the way, the lists and fields are left unchanged.
    QStringList soll = {w("Port", "0"), w("Komma", "0"), w("Taste", "36")};
    const QMap<QString, QString> start = vorgaben();
    QStringList besucht;
    for (int i = 0; i < 27; ++i) {
        QWidget* fokus = QApplication::focusWidget();
        ASSERT_NE(fokus, nullptr) << i;
        besucht << fokus->objectName();
        if (auto* kasten = qobject_cast<shell::IntervallKasten*>(fokus)) {
            QTest::keyClick(kasten, Qt::Key_Space);
            soll << (w(kasten->objectName(), start.value(kasten->objectName()) == "1" ? "0" : "1"));
        } else if (i >= 3) {
            soll << w(fokus->objectName(), start.value(fokus->objectName()));
        }
        QTest::keyClick(fokus, Qt::Key_Tab);
    }
    EXPECT_EQ(besucht.mid(0, 3), (QStringList{"cboport", "cbokomma", "cboTaste"}));
    EXPECT_EQ(besucht.size(), 27);
    QStringList geschrieben = store.inhalt.writes;
    // Lists and fields write at the moment they are left, boxes at the click: compare as sets, then the
    // lists' order.
    EXPECT_EQ(geschrieben.mid(0, 3), soll.mid(0, 3));
    geschrieben.sort();
    soll.sort();
    EXPECT_EQ(geschrieben, soll);
    EXPECT_EQ(port.opens.size(), 1);
}

// Stepping through the list with the arrow keys opens each port picked, as a click would; the setting is
// written only when the list is left.
TEST_F(Einstellungen, PortsSteppedThroughByKeyAreOpenedAndTheLastIsStoredOnLeaving) {
    laden();
    zeigenUndAktivieren();
    QComboBox* cboport = eigen().cboport();
    cboport->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cboport, Qt::Key_Down);
    QTest::keyClick(cboport, Qt::Key_Down);
    EXPECT_EQ(cboport->currentIndex(), 2);
    EXPECT_FALSE(store.inhalt.contains(QStringLiteral("frm_Settings"), QStringLiteral("Port")));
    QTest::keyClick(cboport, Qt::Key_Tab);
    EXPECT_EQ(store.inhalt.values().value(QStringLiteral("frm_Settings/Port")), QStringLiteral("2"));
    ASSERT_EQ(port.opens.size(), 3);
    EXPECT_EQ(port.opens.last().section('|', 0, 0), ports.device(3));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.closes, 2);
}

TEST_F(Einstellungen, SeparatorAppliesAtOnceAndIsStoredOnLeaving) {
    laden();
    zeigenUndAktivieren();
    QComboBox* cbokomma = eigen().cbokomma();
    cbokomma->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cbokomma, Qt::Key_Down);
    port.receive("=05.2100");
    frm->Timer1_Timer();
    EXPECT_EQ(frm->txtgewicht()->text(), QStringLiteral("12.50"));
    EXPECT_FALSE(store.inhalt.contains(QStringLiteral("frm_Settings"), QStringLiteral("Komma")));
    QTest::keyClick(cbokomma, Qt::Key_Tab);
    EXPECT_EQ(store.inhalt.values().value(QStringLiteral("frm_Settings/Komma")), QStringLiteral("1"));
}

TEST_F(Einstellungen, HotkeyInForceChangesOnlyWhenTheListLosesTheFocus) {
    laden();
    zeigenUndAktivieren();
    QComboBox* cboTaste = eigen().cboTaste();
    const shell::FunktionsTaste& taste = *eigen().funktionstaste();
    store.inhalt.writes.clear();
    cboTaste->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cboTaste, Qt::Key_Down); // STR - Z
    QTest::keyClick(cboTaste, Qt::Key_Down); // ALT - A
    ASSERT_EQ(cboTaste->currentText(), QStringLiteral("ALT - A"));
    EXPECT_EQ(taste.aktuelletaste(), QStringLiteral("STRG+Y"));
    EXPECT_EQ(taste.aktuellercode(), 44);
    EXPECT_TRUE(store.inhalt.writes.isEmpty());

    QTest::keyClick(cboTaste, Qt::Key_Tab);
    EXPECT_FALSE(cboTaste->hasFocus());
    EXPECT_EQ(taste.aktuelletaste(), QStringLiteral("ALT+A"));
    EXPECT_EQ(taste.aktuellercode(), 30);
    EXPECT_EQ(store.inhalt.writes, QStringList{w("Taste", "38")});
}

TEST_F(Einstellungen, TicksTrayAndShutdownWriteNothing) {
    laden();
    frm->show();
    frm->startTimers();
    const QMap<QString, QString> vorher = store.inhalt.values();
    store.inhalt.writes.clear();
    for (int i = 0; i < 5; ++i) {
        port.receive("=05.2100");
        frm->Timer1_Timer();
        frm->aufzeichnung()->Timer2_Timer();
    }
    QTest::qWait(1100); // the real timers tick as well
    ASSERT_EQ(frm->txtgewicht()->text(), QStringLiteral("12,50"));
    frm->cmdMinimieren()->click();
    frm->MnuB_Click(0);
    frm->cmdBeenden()->click();
    frm.reset();
    EXPECT_TRUE(store.inhalt.writes.isEmpty()) << store.inhalt.writes.join('\n').toStdString();
    EXPECT_EQ(store.inhalt.values(), vorher);
}

// One notch of the wheel over the list, down the list.
void radRunter(QComboBox* liste) {
    const QPointF mitte = QRectF(liste->rect()).center();
    QWheelEvent rad(mitte, liste->mapToGlobal(mitte), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(liste, &rad);
}

TEST_F(Einstellungen, WheelTurnsOnlyTheListThatHasTheFocus) {
    setting(QStringLiteral("Taste"), QStringLiteral("11")); // F12
    laden();
    zeigenUndAktivieren();
    const shell::FunktionsTaste& taste = *eigen().funktionstaste();
    ASSERT_EQ(eigen().cboTaste()->currentText(), QStringLiteral("F12"));
    frm->cmdBeenden()->setFocus(Qt::TabFocusReason);
    store.inhalt.writes.clear();
    for (QComboBox* liste : {eigen().cboTaste(), eigen().cboport(), eigen().cbokomma()}) {
        const int vorher = liste->currentIndex();
        radRunter(liste);
        EXPECT_EQ(liste->currentIndex(), vorher) << liste->objectName().toStdString();
        EXPECT_FALSE(liste->hasFocus()) << liste->objectName().toStdString();
    }
    EXPECT_EQ(taste.aktuelletaste(), QStringLiteral("F12"));
    EXPECT_TRUE(store.inhalt.writes.isEmpty());

    // With the focus the wheel turns the list, and leaving it stores the choice and puts it in force.
    QComboBox* cboTaste = eigen().cboTaste();
    cboTaste->setFocus(Qt::TabFocusReason);
    radRunter(cboTaste);
    ASSERT_EQ(cboTaste->currentText(), QStringLiteral("STR - A"));
    QTest::keyClick(cboTaste, Qt::Key_Tab);
    EXPECT_EQ(store.inhalt.writes, QStringList{w("Taste", "12")});
    EXPECT_EQ(taste.aktuelletaste(), QStringLiteral("STRG+A"));
}

} // namespace
