#include "hauptfenster_fixture.h"
#include "shell/paneigen.h"
#include "shell/pangeld.h"
#include "shell/pankenn.h"
#include "shell/tabkenn.h"
#include "shell/twips.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>
#include <QTest>

namespace {

const shell::Twips k96(96, 96);

// Pixels the line edit can show text in: its contents rectangle less the two pixels it keeps free on
// either side.
qreal textFlaeche(const QLineEdit* feld) {
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.rect = feld->rect();
    option.lineWidth = feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld);
    const QRect inhalt = feld->style()->subElementRect(QStyle::SE_LineEditContents, &option, feld);
    const QMargins rand = feld->textMargins();
    return inhalt.width() - rand.left() - rand.right() - 4;
}

qreal textBreite(const QLineEdit* feld, qreal punkte) {
    QFont font = feld->font();
    font.setPointSizeF(punkte);
    return QFontMetricsF(font, feld).horizontalAdvance(feld->text());
}

class Fenstergroesse : public Hauptfenster {
protected:
    void zeigen() {
        laden();
        frm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frm.get()));
    }
    // Client size in twips; waits until the window has it.
    void groesse(int breite, int hoehe) {
        const QSize soll(k96.x(breite), k96.y(hoehe));
        frm->resize(soll);
        EXPECT_TRUE(QTest::qWaitFor([&] { return frm->size() == soll; }, 1000));
    }
    QRect twips(const QWidget* w) const {
        const QRect r = w->geometry();
        return QRect(k96.toTwipsX(r.x()), k96.toTwipsY(r.y()), k96.toTwipsX(r.width()), k96.toTwipsY(r.height()));
    }
    QLineEdit* feld() const { return frm->txtgewicht(); }
};

struct Groesse {
    int breite, hoehe; // client twips
};

void PrintTo(const Groesse& g, std::ostream* os) {
    *os << g.breite << 'x' << g.hoehe;
}

class ResizeRule : public Fenstergroesse, public testing::WithParamInterface<Groesse> {};

TEST_P(ResizeRule, TabStripButtonsPagesAndFieldsFollowTheClientArea) {
    zeigen();
    groesse(GetParam().breite, GetParam().hoehe);
    ASSERT_EQ(frm->size(), QSize(k96.x(GetParam().breite), k96.y(GetParam().hoehe)));
    // The rule's outer sizes less the frame (120 wide, 435 high).
    const int tabBreite = GetParam().breite - 180;
    const int tabHoehe = GetParam().hoehe - 615;
    EXPECT_EQ(frm->tabkenn()->geometry(), k96.rect(60, 60, tabBreite, tabHoehe));
    EXPECT_EQ(frm->cmdBeenden()->geometry(), k96.rect(60, tabHoehe + 120, 1395, 375));
    EXPECT_EQ(frm->cmdMinimieren()->geometry(), k96.rect(tabBreite - 1350, tabHoehe + 120, 1395, 375));
    EXPECT_EQ(frm->cmdlöschen()->geometry(), k96.rect(tabBreite - 2800, tabHoehe + 120, 1395, 375));
    EXPECT_EQ(frm->paneigen()->cmdzentrale()->geometry(), k96.rect(1560, tabHoehe + 120, 1395, 375));
    // Pages 45 in from the sides and the bottom, weight field and grid 90 in from their page.
    const QSize seite = frm->tabkenn()->size() - QSize(2 * k96.x(45), k96.y(420) + k96.y(45));
    EXPECT_EQ(frm->pangeld()->size(), seite);
    EXPECT_EQ(feld()->geometry(), QRect(QPoint(k96.x(90), k96.y(90)), seite - QSize(2 * k96.x(90), 2 * k96.y(90))));
    frm->tabkenn()->setCurrentIndex(2);
    QTest::qWait(0);
    // The grid likewise, but for the export button's row below it, which keeps its size.
    const QRect raster = feld()->geometry().adjusted(0, 0, 0, -(k96.y(375) + k96.y(90)));
    EXPECT_EQ(frm->pankenn()->grdgewichte()->geometry(), raster);
    EXPECT_EQ(frm->pankenn()->cmdexportieren()->geometry(),
              QRect(k96.x(90), raster.bottom() + 1 + k96.y(90), k96.x(1395), k96.y(375)));
    // The designed font size follows the field's width.
    feld()->setText(QStringLiteral("12,50"));
    EXPECT_NEAR(feld()->font().pointSizeF(), k96.toTwipsX(feld()->width()) / 75.0, 0.01);
}

// At the minimum: tab strip 8415 x 4290, buttons at 4410, "&Minimieren" at 7065, "&Löschen" at 5615.
INSTANTIATE_TEST_SUITE_P(Groessen, ResizeRule,
                         testing::Values(Groesse{8595, 4905}, Groesse{9000, 4905}, Groesse{8595, 6000},
                                         Groesse{12000, 7500}, Groesse{15000, 9000}));

TEST_F(Fenstergroesse, AtTheMinimumTheFiguresOfTheRule) {
    zeigen();
    EXPECT_EQ(twips(frm->tabkenn()), QRect(60, 60, 8415, 4290));
    EXPECT_EQ(twips(frm->cmdBeenden()).topLeft(), QPoint(60, 4410));
    EXPECT_EQ(twips(frm->cmdMinimieren()).topLeft(), QPoint(7065, 4410));
    EXPECT_NEAR(twips(frm->cmdlöschen()).left(), 5615, 8); // 374.3 pixels
    EXPECT_EQ(twips(frm->cmdlöschen()).top(), 4410);
}

struct ZuKlein {
    Groesse verlangt;
    Groesse ergebnis;
};

void PrintTo(const ZuKlein& z, std::ostream* os) {
    PrintTo(z.verlangt, os);
}

class BelowMinimum : public Fenstergroesse, public testing::WithParamInterface<ZuKlein> {};

TEST_P(BelowMinimum, OnlyTheTooSmallDimensionSnapsBack) {
    zeigen();
    groesse(12000, 7000);
    frm->resize(k96.x(GetParam().verlangt.breite), k96.y(GetParam().verlangt.hoehe));
    const QSize soll(k96.x(GetParam().ergebnis.breite), k96.y(GetParam().ergebnis.hoehe));
    EXPECT_TRUE(QTest::qWaitFor([&] { return frm->size() == soll; }, 1000));
    EXPECT_EQ(frm->size(), soll);
    EXPECT_EQ(frm->tabkenn()->size(),
              QSize(k96.x(GetParam().ergebnis.breite - 180), k96.y(GetParam().ergebnis.hoehe - 615)));
}

INSTANTIATE_TEST_SUITE_P(Groessen, BelowMinimum,
                         testing::Values(ZuKlein{{3000, 2000}, {8595, 4905}}, ZuKlein{{8000, 7000}, {8595, 7000}},
                                         ZuKlein{{12000, 4000}, {12000, 4905}}));

TEST_F(Fenstergroesse, WeightFontAtTheDesignWidthIsTheRuleUnlessTheTextWouldBeCut) {
    laden(); // not shown: the field still has its designed width of 8205
    ASSERT_EQ(k96.toTwipsX(feld()->width()), 8205);
    const qreal regel = 8205 / 75.0;
    feld()->setText(QStringLiteral("12,50"));
    EXPECT_NEAR(feld()->font().pointSizeF(), regel, 0.01);
    EXPECT_NEAR(regel, 109.4, 0.01);

    feld()->setText(QStringLiteral("2254410"));
    ASSERT_GT(textBreite(feld(), regel), textFlaeche(feld())) << "at the rule's size the leading digit would be cut";
    const qreal punkte = feld()->font().pointSizeF();
    EXPECT_LT(punkte, regel);
    EXPECT_LE(QFontMetricsF(feld()->font(), feld()).horizontalAdvance(feld()->text()), textFlaeche(feld()));
    // Shrunk just enough: a few per cent more and it would not fit.
    EXPECT_GT(textBreite(feld(), punkte * 1.05), textFlaeche(feld()));
    EXPECT_EQ(feld()->font().family(), QStringLiteral("Arial"));

    feld()->setText(QStringLiteral("-12,5"));
    EXPECT_NEAR(feld()->font().pointSizeF(), regel, 0.01);
}

TEST_F(Fenstergroesse, SevenDigitsFitAtEverySize) {
    zeigen();
    for (const Groesse g : {Groesse{8595, 4905}, Groesse{10000, 5000}, Groesse{20000, 9000}}) {
        groesse(g.breite, g.hoehe);
        feld()->setText(QStringLiteral("2254410"));
        EXPECT_LE(QFontMetricsF(feld()->font(), feld()).horizontalAdvance(feld()->text()), textFlaeche(feld()))
            << g.breite;
        EXPECT_LE(feld()->font().pointSizeF(), k96.toTwipsX(feld()->width()) / 75.0 + 0.01) << g.breite;
        feld()->setText(QStringLiteral("1"));
        EXPECT_NEAR(feld()->font().pointSizeF(), k96.toTwipsX(feld()->width()) / 75.0, 0.01) << g.breite;
    }
}

TEST_F(Fenstergroesse, WeightFontFollowsASizeChangedWhileAnotherPageWasInFront) {
    zeigen();
    groesse(15000, 9000);
    feld()->setText(QStringLiteral("12,50"));
    const qreal gross = feld()->font().pointSizeF();
    frm->tabkenn()->setCurrentIndex(1);
    groesse(8595, 4905);
    frm->tabkenn()->setCurrentIndex(0);
    EXPECT_LT(feld()->font().pointSizeF(), gross);
    EXPECT_NEAR(feld()->font().pointSizeF(), k96.toTwipsX(feld()->width()) / 75.0, 0.01);
    EXPECT_LE(QFontMetricsF(feld()->font(), feld()).horizontalAdvance(feld()->text()), textFlaeche(feld()));
}

TEST_F(Fenstergroesse, AMinimisedWindowKeepsItsLayout) {
    zeigen();
    groesse(10000, 6000);
    const QRect tab = frm->tabkenn()->geometry();
    const QRect minimieren = frm->cmdMinimieren()->geometry();
    const qreal punkte = feld()->font().pointSizeF();
    frm->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->isMinimized(); }, 1000));
    frm->resize(k96.x(3000), k96.y(2000));
    frm->resize(k96.x(20000), k96.y(9000));
    // The window did take the new size: only the rule held back.
    EXPECT_TRUE(QTest::qWaitFor([&] { return frm->size() == QSize(k96.x(20000), k96.y(9000)); }, 1000));
    EXPECT_EQ(frm->tabkenn()->geometry(), tab);
    EXPECT_EQ(frm->cmdMinimieren()->geometry(), minimieren);
    EXPECT_EQ(feld()->font().pointSizeF(), punkte);
}

TEST_F(Fenstergroesse, DeleteButtonShowsWithItsPageOnly) {
    zeigen();
    EXPECT_EQ(frm->tabkenn()->currentIndex(), 0);
    EXPECT_FALSE(frm->cmdlöschen()->isVisible()); // shown with its page only, from the start
    EXPECT_FALSE(frm->paneigen()->cmdzentrale()->isVisible());
    for (const int tab : {1, 2, 3, 4, 2, 0}) {
        frm->tabkenn()->setCurrentIndex(tab);
        EXPECT_EQ(frm->cmdlöschen()->isVisible(), tab == 2) << tab;
        EXPECT_EQ(frm->paneigen()->cmdzentrale()->isVisible(), tab == 1) << tab;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(frm->tabkenn()->page(i)->isVisible(), i == tab) << tab << ' ' << i;
    }
}

} // namespace
