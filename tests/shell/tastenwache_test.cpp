// The key watch in the main window against events that lag behind the keyboard, that stop coming, and that
// leave out the program's own keys.
#include "handover_fixture.h"
#include "shell/pansalden.h"

#include <QLabel>

namespace {

// The tick reads the keys before the window thread has taken up their events: the tick pastes, and the events
// that follow are the same press.
TEST_F(HandoverEreignisse, DruckErstImTickDannAlsEreignisFuegtEinmalEin) {
    tastatur.taste(kStrgL, true);
    tastatur.taste(kY, true);
    frm->Timer1_Timer();
    ASSERT_EQ(einfueger.texte.size(), 1);
    einfueger.beenden();
    QCoreApplication::processEvents();
    tastatur.taste(kY, false);
    tastatur.taste(kStrgL, false);
    QCoreApplication::processEvents();
    for (int i = 0; i < 3; ++i)
        frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 1);
    EXPECT_EQ(tastatur.erneuerungen, 0);
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("sofort")));
}

// Windows removes a hook that answered late, without a word: the keys move and no event comes. The ticks
// paste each press once, the Info page says the hotkey is sampled now, the source is asked to set its
// events up anew, and once events come again a press between two ticks pastes at once.
TEST_F(HandoverEreignisse, OhneEreignisseFaelltDieWacheAufAbfrageZurueck) {
    tastatur.meldet = false;
    tastatur.taste(kStrgL, true);
    tastatur.taste(kY, true);
    frm->Timer1_Timer();
    ASSERT_EQ(einfueger.texte.size(), 1);
    einfueger.beenden();
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("sofort")));
    for (int i = 0; i < 2; ++i)
        frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 1);
    EXPECT_EQ(tastatur.erneuerungen, 1);
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("nicht mehr")))
        << frm->pansalden()->lbltastendruck()->text().toStdString();
    tastatur.taste(kY, false);
    tastatur.taste(kStrgL, false);
    frm->Timer1_Timer();
    // Sampled: a press over a tick pastes once.
    tastatur.taste(kStrgR, true);
    tastatur.taste(kY, true);
    frm->Timer1_Timer();
    einfueger.beenden();
    frm->Timer1_Timer();
    tastatur.taste(kY, false);
    tastatur.taste(kStrgR, false);
    for (int i = 0; i < 3; ++i)
        frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 2);
    EXPECT_EQ(tastatur.erneuerungen, 1);

    // The hook is back.
    tastatur.meldet = true;
    tippen({kStrgL, kY});
    EXPECT_EQ(einfueger.texte.size(), 3);
    einfueger.beenden();
    EXPECT_TRUE(frm->pansalden()->lbltastendruck()->text().contains(QStringLiteral("sofort")));
    for (int i = 0; i < 3; ++i)
        frm->Timer1_Timer();
    EXPECT_EQ(einfueger.texte.size(), 3);
}

// Where the source knows the program's own keys (the Windows hook, by their extra information), it does not
// report them, and nothing may wait for them: with STR - V held, the paste lets go of V and presses it again,
// and the operator's own release and press of V right after must count.
class HandoverEigeneErkannt : public HandoverEreignisse {
protected:
    void SetUp() override {
        tastatur.eigeneErkannt = true;
        HandoverEreignisse::SetUp();
    }
};

TEST_F(HandoverEigeneErkannt, EigeneTastenWerdenNichtAlsEchoErwartet) {
    constexpr int kV = 47;
    cboTaste()->setCurrentIndex(33);
    verlassen();
    ASSERT_EQ(taste()->aktuellercode(), kV);
    einfueger.gesendet = {{kV, false}, {kV, true}};
    tastatur.taste(kStrgL, true);
    tastatur.taste(kV, true);
    QCoreApplication::processEvents();
    ASSERT_EQ(einfueger.texte.size(), 1);
    einfueger.beenden();
    tastatur.taste(kV, false);
    tastatur.taste(kV, true);
    QCoreApplication::processEvents();
    EXPECT_EQ(einfueger.texte.size(), 2);
}

} // namespace
