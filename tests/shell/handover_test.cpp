#include "handover_fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <ostream>

namespace {

const QString kSection = QStringLiteral("frm_Settings");

// A store that hands back something else than what was written for "Taste".
class VerdrehterSpeicher final : public platform::SettingsStore {
public:
    QString read(const QString&, const QString& key, const QString& fallback) const override {
        return key == QStringLiteral("Taste") && geschrieben ? QStringLiteral("kaputt") : fallback;
    }
    void write(const QString&, const QString&, const QString&) override { geschrieben = true; }
    bool geschrieben = false;
};

TEST_F(HandoverFenster, ListeUndBeschriftungImRahmenAllgemeineEinstellungen) {
    laden();
    ASSERT_EQ(cboTaste()->objectName(), QStringLiteral("cboTaste"));
    EXPECT_FALSE(cboTaste()->isEditable());
    ASSERT_EQ(cboTaste()->count(), 64);
    EXPECT_EQ(cboTaste()->itemText(0), QStringLiteral("F1"));
    EXPECT_EQ(cboTaste()->itemText(36), QStringLiteral("STR - Y"));
    EXPECT_EQ(cboTaste()->itemText(63), QStringLiteral("ALT - Z"));
    EXPECT_EQ(cboTaste()->parentWidget(), static_cast<QWidget*>(frm->paneigen()->allgemein()));
    const auto labels = frm->paneigen()->allgemein()->findChildren<QLabel*>();
    const auto it = std::find_if(labels.begin(), labels.end(),
                                 [](QLabel* l) { return l->text() == QStringLiteral(" Funktionstaste:"); });
    ASSERT_NE(it, labels.end());
    // Twips at 15 per pixel: label 5340, 300, 1410, 315; list 6720, 300, 1395, 315.
    const double tpp = 1440.0 / cboTaste()->logicalDpiX();
    EXPECT_NEAR((*it)->x() * tpp, 5340, tpp);
    EXPECT_NEAR((*it)->width() * tpp, 1410, tpp);
    EXPECT_NEAR(cboTaste()->x() * tpp, 6720, tpp);
    EXPECT_NEAR(cboTaste()->y() * tpp, 300, tpp);
    EXPECT_NEAR(cboTaste()->width() * tpp, 1395, tpp);
    EXPECT_NEAR(cboTaste()->height() * tpp, 315, tpp);
}

TEST_F(HandoverFenster, StartReihenfolgeTastaturVorDemPortZwischenablageDanach) {
    bool tastaturVorPort = false;
    tastatur.onStart = [&] {
        tastaturVorPort = port.opens.isEmpty() && cboTaste()->count() == 64 && taste()->aktuellercode() == 44;
    };
    bool leerenNachPort = false;
    einfueger.onLeeren = [&] { leerenNachPort = port.opens.size() == 1; };
    laden();
    EXPECT_EQ(tastatur.starts, 1);
    EXPECT_TRUE(tastaturVorPort);
    EXPECT_EQ(einfueger.leerungen, 1);
    EXPECT_TRUE(leerenNachPort);
    EXPECT_EQ(tasteSchreibungen(), 0); // start-up writes no hotkey
}

TEST_F(HandoverFenster, FehlgeschlagenerTastaturstartHaeltDenStartNichtAuf) {
    tastatur.startSucceeds = false;
    laden();
    EXPECT_EQ(port.opens.size(), 1);
    EXPECT_EQ(einfueger.leerungen, 1);
    EXPECT_TRUE(meldungen.shown.isEmpty());
}

struct Gespeichert {
    const char* text; // nullptr: no value stored
    int index;
    const char* name;
    int code;
};

void PrintTo(const Gespeichert& g, std::ostream* os) {
    *os << "Taste=" << (g.text ? '"' + std::string(g.text) + '"' : std::string("(fehlt)")) << " -> Index " << g.index
        << ", " << g.name << ", Code " << g.code;
}

class HandoverGespeichert : public HandoverFenster, public ::testing::WithParamInterface<Gespeichert> {};

TEST_P(HandoverGespeichert, WiederherstellenMitVorgabeBeiUngueltigem) {
    if (GetParam().text)
        store.put(kSection, QStringLiteral("Taste"), QString::fromLatin1(GetParam().text));
    laden();
    EXPECT_EQ(cboTaste()->currentIndex(), GetParam().index);
    EXPECT_EQ(taste()->aktuelletaste(), QString::fromLatin1(GetParam().name));
    EXPECT_EQ(taste()->aktuellercode(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Taste, HandoverGespeichert,
                         ::testing::Values(Gespeichert{nullptr, 36, "STRG+Y", 44}, Gespeichert{"4", 4, "F5", 63},
                                           Gespeichert{" 63 ", 63, "ALT+Z", 21}, Gespeichert{"0", 0, "F1", 59},
                                           Gespeichert{"kaputt", 36, "STRG+Y", 44}, Gespeichert{"64", 36, "STRG+Y", 44},
                                           Gespeichert{"-1", 36, "STRG+Y", 44}, Gespeichert{"", 36, "STRG+Y", 44}),
                         [](const ::testing::TestParamInfo<Gespeichert>& p) {
                             return "Fall" + std::to_string(p.index);
                         });

TEST_F(HandoverFenster, VerlassenSchreibtAuchUnveraendert) {
    laden();
    verlassen();
    verlassen();
    EXPECT_EQ(tasteSchreibungen(), 2);
    EXPECT_EQ(store.values().value(QStringLiteral("frm_Settings/Taste")), QStringLiteral("36"));
}

TEST_F(HandoverFenster, NeueTasteGiltErstNachDemVerlassen) {
    laden();
    port.receive("=05.2100");
    cboTaste()->setCurrentIndex(4); // F5, still in the list
    tastatur.halten({kF5});
    frm->Timer1_Timer();
    EXPECT_TRUE(einfueger.texte.isEmpty());
    EXPECT_EQ(taste()->aktuelletaste(), QStringLiteral("STRG+Y"));
    EXPECT_EQ(tasteSchreibungen(), 0);

    verlassen();
    EXPECT_EQ(store.values().value(QStringLiteral("frm_Settings/Taste")), QStringLiteral("4"));
    EXPECT_EQ(taste()->aktuelletaste(), QStringLiteral("F5"));
    EXPECT_EQ(taste()->aktuellercode(), 63);
    frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
}

TEST_F(HandoverFenster, VerlassenLiestDenNamenAusDemSpeicherZurueck) {
    VerdrehterSpeicher verdreht;
    aufbauen(verdreht);
    frm->Form_Load();
    ASSERT_EQ(cboTaste()->currentIndex(), 36);
    verlassen();
    // Read back as garbage: the name falls back to index 0 ("F1"); the code follows the selection, which
    // takes the last character "1" as the letter.
    EXPECT_EQ(taste()->aktuelletaste(), QStringLiteral("F1"));
    EXPECT_EQ(taste()->aktuellercode(), 2);
}

TEST_F(HandoverFenster, Timer1ReihenfolgeUndTimerAusNurWaehrendDesTicks) {
    laden();
    frm->startTimers();
    port.receive("=05.2100");
    tastatur.halten({kStrgR, kY});
    QString gewichtBeimLesen;
    bool timerBeimLesen = true;
    tastatur.onRead = [&] {
        gewichtBeimLesen = frm->txtgewicht()->text();
        timerBeimLesen = frm->timer1().isActive();
    };
    bool timerBeimEinfuegen = true;
    einfueger.onEinfuegen = [&] { timerBeimEinfuegen = frm->timer1().isActive(); };

    frm->Timer1_Timer();
    EXPECT_EQ(gewichtBeimLesen, QStringLiteral("12,50")); // decoded before the key test
    EXPECT_FALSE(timerBeimLesen);
    EXPECT_FALSE(timerBeimEinfuegen);
    ASSERT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
    EXPECT_EQ(einfueger.gehaltene.front(), tastatur.state); // the same read decides the keystrokes
    EXPECT_EQ(tastatur.reads, 1);
    EXPECT_TRUE(frm->timer1().isActive()); // the paste waits, the tick goes on
}

// While a paste waits for its target, Timer1 keeps reading: the digits follow the scale, and the held
// hotkey starts no second paste until the first is over.
TEST_F(HandoverFenster, WaehrendDesWartensLiestDerTickWeiterUndFuegtNichtEin) {
    tastatur.verzoegerungMs = 0; // held, it repeats as soon as it may
    laden();
    frm->startTimers();
    port.receive("=05.2100");
    tastatur.halten({kStrgL, kY});
    ASSERT_TRUE(laufenBis([&] { return einfueger.texte.size() == 1; }));
    ASSERT_TRUE(einfueger.wartet());
    const int readsBeimStart = tastatur.reads;

    port.receive("=00.0100");
    EXPECT_TRUE(laufenBis([&] { return frm->txtgewicht()->text() == QStringLiteral("10,00"); }));
    port.receive("=05.100-");
    EXPECT_TRUE(laufenBis([&] { return frm->txtgewicht()->text() == QStringLiteral("-1,50"); }));
    EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
    EXPECT_GT(tastatur.reads, readsBeimStart); // sampling goes on, so a release meanwhile is seen

    einfueger.beenden();
    ASSERT_TRUE(laufenBis([&] { return einfueger.texte.size() == 2; }));
    EXPECT_EQ(einfueger.texte.last(), QStringLiteral("-1,50"));
}

TEST_F(HandoverFenster, GehaltenFuegtNachDerVerzoegerungJedenTickEinUndGetrimmt) {
    tastatur.verzoegerungMs = 0;
    laden();
    frm->txtgewicht()->setText(QStringLiteral("  Fehler "));
    tastatur.halten({kStrgL, kY});
    for (int i = 0; i < 3; ++i) {
        frm->Timer1_Timer();
        einfueger.beenden();
    }
    EXPECT_EQ(einfueger.texte, QStringList(3, QStringLiteral("Fehler")));
}

TEST_F(HandoverEreignisse, TippZwischenZweiTicksFuegtSofortGenauEinmalEin) {
    const int readsVorher = tastatur.reads;
    const int teilVorher = tastatur.teilLesungen;
    tippen({kStrgL, kY});
    EXPECT_EQ(einfueger.texte, QStringList{QStringLiteral("12,50")});
    einfueger.beenden();
    for (int i = 0; i < 3; ++i)
        frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 1);
    // One whole reading for the paste's own keys; at each tick the hotkey's keys, to check the events.
    EXPECT_EQ(tastatur.reads, readsVorher + 1);
    EXPECT_EQ(tastatur.teilLesungen, teilVorher + 3);
    tippen({kAltL, kY});
    tippen({kY});
    EXPECT_EQ(einfueger.texte.size(), 1);
    EXPECT_EQ(tastatur.erneuerungen, 0);
}

TEST_F(HandoverEreignisse, DruckWaehrendDesWartensFolgtDemEinfuegenEinmal) {
    tippen({kStrgR, kY});
    tippen({kStrgR, kY});
    tippen({kStrgL, kY});
    EXPECT_EQ(einfueger.texte.size(), 1);
    einfueger.beenden();
    EXPECT_EQ(einfueger.texte.size(), 2);
    einfueger.beenden();
    EXPECT_EQ(einfueger.texte.size(), 3);
    einfueger.beenden();
    frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 3);
}

// STR - V held: the paste lets go of V and presses it again, and the system reports both like the
// operator's keys. They must neither end the hold nor count as a new press.
TEST_F(HandoverEreignisse, EigenesStrgVIstKeinNeuerDruck) {
    constexpr int kV = 47;
    cboTaste()->setCurrentIndex(33);
    verlassen();
    ASSERT_EQ(taste()->aktuellercode(), kV);
    einfueger.gesendet = {{kV, false}, {kV, true}};
    einfueger.onEinfuegen = [&] {
        for (const auto& event : einfueger.gesendet)
            tastatur.taste(event.scanCode, event.down);
    };
    tastatur.taste(kStrgL, true);
    tastatur.taste(kV, true);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(einfueger.texte.size(), 1);
    einfueger.beenden();
    frm->Timer1_Timer();
    QCoreApplication::processEvents();
    EXPECT_EQ(einfueger.texte.size(), 1);
    // The operator's own next press does count.
    tastatur.taste(kV, false);
    tastatur.taste(kV, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(einfueger.texte.size(), 2);
}

TEST_F(HandoverFenster, LeeresGewichtOderNichtGehaltenFuegtNichtsEin) {
    laden();
    frm->startTimers();
    tastatur.halten({kStrgL, kY});
    frm->Timer1_Timer();
    EXPECT_TRUE(einfueger.texte.isEmpty());
    EXPECT_TRUE(frm->timer1().isActive());

    frm->txtgewicht()->setText(QStringLiteral("12,50"));
    tastatur.loslassen();
    tastatur.halten({kAltL, kY}); // Alt+Y is not Ctrl+Y
    frm->Timer1_Timer();
    EXPECT_TRUE(einfueger.texte.isEmpty());
    EXPECT_TRUE(frm->timer1().isActive());
}

TEST_F(HandoverFenster, EntladenGibtDieTastaturVorDemPortFrei) {
    laden();
    bool vorPort = false;
    tastatur.onStop = [&] { vorPort = port.closes == 0 && port.isOpen(); };
    frm->Form_Unload();
    EXPECT_EQ(tastatur.stops, 1);
    EXPECT_TRUE(vorPort);
    EXPECT_EQ(port.closes, 1);
}

TEST_F(HandoverFenster, NachDemEntladenStartetEinEndendesEinfuegenDenTimerNicht) {
    laden();
    frm->txtgewicht()->setText(QStringLiteral("1"));
    tastatur.halten({kStrgL, kY});
    frm->Timer1_Timer();
    ASSERT_TRUE(einfueger.wartet());
    frm->Form_Unload();
    einfueger.beenden();
    EXPECT_FALSE(frm->timer1().isActive());
}

TEST(HandoverOhneTastatur, FensterLaeuftOhneQuelleUndFuegtNieEin) {
    MemorySettingsStore store;
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{store};
    RecordingMeldungen meldungen;
    shell::FrmMain frm({.settings = store, .link = link, .ports = ports, .meldungen = meldungen});
    frm.Form_Load();
    frm.startTimers();
    port.receive("=05.2100");
    frm.Timer1_Timer();
    EXPECT_EQ(frm.txtgewicht()->text(), QStringLiteral("12,50"));
    EXPECT_TRUE(frm.timer1().isActive());
}

} // namespace
