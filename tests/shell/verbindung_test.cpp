// How the window tells about the line to the indicator: the port it waits for under where the digits go,
// a port picked anew opened at once, and the row " Verbindung:" on the page "Info".
#include "fakes/fakeuhr.h"
#include "hauptfenster_fixture.h"
#include "shell/paneigen.h"
#include "shell/pangeld.h"
#include "shell/pansalden.h"
#include "shell/statusband.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

namespace {

class Verbindung : public HauptfensterMitUhr {
protected:
    // What an operator's pick in the port list does: the entry becomes current, then the list says so.
    void waehlen(int index) {
        QComboBox* liste = frm->paneigen()->cboport();
        liste->setCurrentIndex(index);
        Q_EMIT liste->activated(index);
    }
    // The small line under the digits; empty while it is not shown.
    QString hinweis() const {
        const QLabel* label = frm->pangeld()->lblhinweis();
        return label->isVisibleTo(frm->pangeld()) ? label->text() : QString();
    }
    QString info() const { return frm->pansalden()->lblverbindung()->text(); }
};

TEST_F(Verbindung, UntilTheFirstTelegramTheDisplaySaysWhichPortItWaitsFor) {
    laden();
    EXPECT_EQ(hinweis(), QStringLiteral("Warte auf Daten von COM 1 …"));
    EXPECT_EQ(info(), QStringLiteral(" COM 1: geöffnet, noch kein Telegramm"));
    EXPECT_EQ(frm->pansalden()->lblverbindung()->toolTip(), ports.device(1));

    telegramm();
    ASSERT_EQ(frm->txtgewicht()->text(), QStringLiteral("12,50"));
    EXPECT_EQ(hinweis(), QString());
    EXPECT_EQ(info(), QStringLiteral(" COM 1: geöffnet, letztes Telegramm 10:00:00"));

    // Silent later: the stale weight's line says so, the waiting line stays away.
    fakeUhr.zeit = fakeUhr.zeit.addSecs(5);
    frm->Timer1_Timer();
    EXPECT_TRUE(bandzeile(QStringLiteral("keineDaten")).startsWith(QStringLiteral("Keine Daten seit 10:00:00")));
    EXPECT_EQ(hinweis(), QString());
    EXPECT_EQ(info(), QStringLiteral(" COM 1: geöffnet, letztes Telegramm 10:00:00"));
}

TEST_F(Verbindung, WaitingLineLiesUnderWhereTheDigitsGoOverNoOtherControl) {
    laden();
    frm->show();
    const QLabel* zeile = frm->pangeld()->lblhinweis();
    ASSERT_TRUE(zeile->isVisible());
    QLineEdit* ziffern = frm->txtgewicht();
    // Digits as wide as the field takes them, to see that the line stays clear of them.
    ziffern->setText(QStringLiteral("-888,88"));
    QStyleOptionFrame option;
    option.initFrom(ziffern);
    option.rect = ziffern->rect();
    option.lineWidth = ziffern->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, ziffern);
    const QRect innen = ziffern->style()->subElementRect(QStyle::SE_LineEditContents, &option, ziffern);
    const QFontMetrics metrik(ziffern->font());
    const int grundlinie = innen.top() + (innen.height() - metrik.height() + 1) / 2 + metrik.ascent();

    const QRect ort = zeile->geometry().translated(-ziffern->pos());
    EXPECT_TRUE(innen.contains(ort)) << "inside the field's free room";
    EXPECT_GE(ort.top(), grundlinie) << "below the digits";
    EXPECT_LE(zeile->fontMetrics().horizontalAdvance(zeile->text()), ort.width()) << "read whole";
    EXPECT_LT(zeile->font().pointSizeF(), ziffern->font().pointSizeF() / 4) << "in small letters";
    for (const QWidget* w : frm->pangeld()->findChildren<QWidget*>()) {
        if (w != zeile && w != ziffern && w->isVisible()) {
            EXPECT_FALSE(w->geometry().intersects(zeile->geometry())) << w->objectName().toStdString();
        }
    }
}

TEST_F(Verbindung, PortPickedAnewIsOpenedAtOnceAndSaysSo) {
    laden();
    telegramm();
    ASSERT_EQ(hinweis(), QString());
    ASSERT_EQ(port.opens.size(), 1);

    waehlen(2);
    ASSERT_EQ(port.opens.size(), 2);
    EXPECT_EQ(port.opens.last(), ports.device(3) + QStringLiteral("|2400,N,8,1"));
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(hinweis(), QStringLiteral("Warte auf Daten von COM 3 …"));
    EXPECT_EQ(info(), QStringLiteral(" COM 3: geöffnet, noch kein Telegramm"));
    telegramm();
    EXPECT_EQ(hinweis(), QString());

    // The port in use picked again is left as it is.
    waehlen(2);
    EXPECT_EQ(port.opens.size(), 2);

    // One held by another program: no message box while the operator steps through the list, the band
    // and the Info row tell.
    port.openSucceeds = false;
    port.openVerweigert = true;
    port.openError = QStringLiteral("Zugriff verweigert");
    geraete.zustaende.insert(ports.device(4), platform::SerialDevices::Zustand::Vorhanden);
    waehlen(3);
    EXPECT_TRUE(meldungen.shown.isEmpty()) << meldungen.shown.join('|').toStdString();
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(hinweis(), QStringLiteral("Warte auf Daten von COM 4 …"));
    EXPECT_EQ(bandzeile(QStringLiteral("portFehler")).section('\n', 0, 0),
              QStringLiteral("Keine Verbindung zu COM 4: belegt"));
    EXPECT_EQ(info(), QStringLiteral(" COM 4: nicht geöffnet (belegt), noch kein Telegramm"));

    // Let go by the other program: the link that kept trying opens it, and the band's line goes.
    link.setRetryInterval(5);
    port.openSucceeds = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 2000));
    EXPECT_EQ(port.opens.last(), ports.device(4) + QStringLiteral("|2400,N,8,1"));
    EXPECT_EQ(bandzeile(QStringLiteral("portFehler")), QString());
    EXPECT_EQ(info(), QStringLiteral(" COM 4: geöffnet, noch kein Telegramm"));
    EXPECT_TRUE(meldungen.shown.isEmpty());
}

} // namespace
