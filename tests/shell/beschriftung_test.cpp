// Every text the five pages show is read whole: no caption, closed list entry, column header, button or tab
// text is wider or higher than the room its control gives it, none sticks out of a container and none lies
// under a control above it. CTest runs this at 100, 150 and 200 % (QT_SCALE_FACTOR), with the fonts
// fontconfig finds and with narrower sets of Debian's font packages (GRAMURA_SCHRIFTBESTAND).
#include "hauptfenster_fixture.h"
#include "recording/intervall.h"
#include "schriftbestand.h"
#include "shell/frmzusatzsalden.h"
#include "shell/paneigen.h"
#include "shell/pansalden.h"
#include "shell/schwellenfeld.h"
#include "shell/statusband.h"
#include "shell/tabkenn.h"
#include "textpruefer.h"

#include <QFontInfo>
#include <QPushButton>
#include <QTest>

namespace {

struct Seite {
    int index;
    const char* name;
};

void PrintTo(const Seite& s, std::ostream* os) {
    *os << s.name;
}

const Seite kSeiten[] = {
    {0, "Gewichtsanzeige"}, {1, "Einstellungen"}, {2, "Aufzeichnung"}, {3, "Info"}, {4, "Verlauf"},
};

class Beschriftung : public Hauptfenster {
protected:
    void zeigen(int seite) {
        laden();
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
        frm->tabkenn()->setCurrentIndex(seite);
        // Lets the page lay itself out, as after the operator's click on its tab.
        QTest::qWait(50);
    }

    // Every text of the window's visible controls, but for the status band, whose lines are cut to its
    // width by design and shown whole in their tooltips; it still counts as a control texts may lie under.
    QStringList maengel(int* texte = nullptr) {
        Textpruefer pruefer(frm.get());
        for (const QWidget* w : frm->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->window() != frm.get() || frm->statusband()->isAncestorOf(w))
                continue;
            pruefer.pruefen(w);
        }
        if (texte)
            *texte = pruefer.gepruefteTexte;
        return pruefer.maengel;
    }
};

TEST_F(Beschriftung, FontsAreTheOnesThisRunIsFor) {
    const Schriftbestand* soll = schriftbestand();
    ASSERT_NE(soll, nullptr) << "GRAMURA_SCHRIFTBESTAND=" << qgetenv("GRAMURA_SCHRIFTBESTAND").toStdString();
    laden();
    EXPECT_EQ(QFontInfo(frm->cmdBeenden()->font()).family(), QString::fromLatin1(soll->grundschrift));
    const auto gefunden = [](const char* familie) {
        return QFontInfo(QFont(QString::fromLatin1(familie))).family() == QString::fromLatin1(familie);
    };
    EXPECT_EQ(gefunden("Liberation Sans Narrow"), soll->liberationSchmal) << "fonts-liberation";
    EXPECT_EQ(gefunden("DejaVu Sans Condensed"), soll->dejavuSchmal) << "fonts-dejavu-extra";
}

class JedeSeite : public Beschriftung, public testing::WithParamInterface<Seite> {};

TEST_P(JedeSeite, EveryTextFitsItsControl) {
    zeigen(GetParam().index);
    // The widest values the thresholds take.
    const shell::FrmZusatzSalden* rahmen = frm->paneigen()->frmzusatzsalden();
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        rahmen->txt(recording::intervallAusIndex(i))->setWert(-99999.99);
    QTest::qWait(20);
    int texte = 0;
    const QStringList m = maengel(&texte);
    EXPECT_TRUE(m.isEmpty()) << "Skala " << qgetenv("QT_SCALE_FACTOR").toStdString() << ":\n"
                             << m.join(QLatin1Char('\n')).toStdString();
    // The five tabs and "&Beenden" and "&Minimieren" at least, so an empty walk cannot pass ("&Löschen" shows
    // on its page only).
    EXPECT_GE(texte, 7);
}

INSTANTIATE_TEST_SUITE_P(Seiten, JedeSeite, testing::ValuesIn(kSeiten),
                         [](const testing::TestParamInfo<Seite>& p) { return std::string(p.param.name); });

// The line about the hotkey says one of four things; each must show whole.
class JedeTastenerkennung : public Beschriftung, public testing::WithParamInterface<shell::Tastenwache::Erkennung> {};

TEST_P(JedeTastenerkennung, InfoShowsItWhole) {
    zeigen(3);
    frm->findChild<shell::PanSalden*>()->tastenerkennungZeigen(GetParam());
    QTest::qWait(20);
    const QStringList m = maengel();
    EXPECT_TRUE(m.isEmpty()) << m.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Info, JedeTastenerkennung,
                         testing::Values(shell::Tastenwache::Erkennung::Keine, shell::Tastenwache::Erkennung::Abfrage,
                                         shell::Tastenwache::Erkennung::Ereignisse,
                                         shell::Tastenwache::Erkennung::Ersatzabfrage),
                         [](const testing::TestParamInfo<shell::Tastenwache::Erkennung>& p) {
                             switch (p.param) {
                             case shell::Tastenwache::Erkennung::Keine:
                                 return std::string("Keine");
                             case shell::Tastenwache::Erkennung::Abfrage:
                                 return std::string("Abfrage");
                             case shell::Tastenwache::Erkennung::Ersatzabfrage:
                                 return std::string("Ersatzabfrage");
                             case shell::Tastenwache::Erkennung::Ereignisse:
                                 break;
                             }
                             return std::string("Ereignisse");
                         });

} // namespace
