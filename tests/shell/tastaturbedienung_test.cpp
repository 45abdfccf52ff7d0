#include "hauptfenster_fixture.h"
#include "shell/paneigen.h"
#include "shell/pankenn.h"
#include "shell/panverlauf.h"
#include "shell/tabkenn.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace {

constexpr int kSeiten = 5;

class Tastaturbedienung : public Hauptfenster {
protected:
    void zeigenUndAktivieren() {
        laden();
        frm->show();
        QApplication::setActiveWindow(frm.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frm.get()));
    }
    // The first control of the page that takes the focus, or nullptr where the page has none.
    QWidget* ersteKontrolle(int seite) const {
        switch (seite) {
        case 1:
            return frm->paneigen()->cboport();
        case shell::PanKenn::kIndex:
            return frm->pankenn()->grdgewichte();
        case shell::PanVerlauf::kIndex:
            return frm->panverlauf()->dtptag();
        default:
            return nullptr;
        }
    }
    // Where a key pressed now goes.
    QWidget* empfaenger() const {
        QWidget* fokus = QApplication::focusWidget();
        return fokus ? fokus : frm.get();
    }
};

struct Blaettern {
    const char* name;
    Qt::Key taste;
    Qt::KeyboardModifiers mit;
    int schritt;
};

void PrintTo(const Blaettern& b, std::ostream* os) {
    *os << b.name;
}

class PageKeys : public Tastaturbedienung, public testing::WithParamInterface<Blaettern> {};

TEST_P(PageKeys, TurnThePageFromEveryPageWhereverTheFocusIs) {
    zeigenUndAktivieren();
    const Blaettern& b = GetParam();
    for (int start = 0; start < kSeiten; ++start) {
        // From a control of the page itself where it has one, and from a button of the window.
        QList<QWidget*> fokusse{frm->cmdBeenden()};
        if (QWidget* erste = ersteKontrolle(start))
            fokusse.prepend(erste);
        for (QWidget* fokus : fokusse) {
            frm->tabkenn()->setCurrentIndex(start);
            fokus->setFocus(Qt::OtherFocusReason);
            ASSERT_TRUE(fokus->hasFocus()) << start << ' ' << fokus->objectName().toStdString();
            QTest::keyClick(empfaenger(), b.taste, b.mit);
            const int soll = (start + b.schritt + kSeiten) % kSeiten;
            EXPECT_EQ(frm->tabkenn()->currentIndex(), soll)
                << "from " << start << ", focus on " << fokus->objectName().toStdString();
            // The keyboard can go on from where it is: the focus stays on something shown.
            const QWidget* danach = QApplication::focusWidget();
            ASSERT_NE(danach, nullptr);
            EXPECT_TRUE(danach->isVisible()) << danach->objectName().toStdString();
            if (fokus != frm->cmdBeenden() && ersteKontrolle(soll)) {
                EXPECT_EQ(danach, ersteKontrolle(soll)) << "from " << start;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tasten, PageKeys,
    testing::Values(Blaettern{"CtrlTab", Qt::Key_Tab, Qt::ControlModifier, 1},
                    Blaettern{"CtrlPgDn", Qt::Key_PageDown, Qt::ControlModifier, 1},
                    Blaettern{"CtrlShiftBacktab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                    Blaettern{"CtrlShiftTab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, -1},
                    Blaettern{"CtrlPgUp", Qt::Key_PageUp, Qt::ControlModifier, -1}),
    [](const testing::TestParamInfo<Blaettern>& p) { return std::string(p.param.name); });

TEST_F(Tastaturbedienung, EachPageCaptionHasAnAccessKeyOfItsOwnThatSelectsThePage) {
    zeigenUndAktivieren();
    const QStringList entwurf{QStringLiteral("Gewichtsanzeige"), QStringLiteral("Einstellungen"),
                              QStringLiteral("Aufzeichnung"), QStringLiteral("Info"), QStringLiteral("Verlauf")};
    const QTabBar* reiter = frm->tabkenn()->tabBar();
    ASSERT_EQ(reiter->count(), kSeiten);
    // The buttons' access keys, shown now or on another page.
    QMap<QKeySequence, QString> vergeben;
    for (const QAbstractButton* knopf : frm->findChildren<QAbstractButton*>()) {
        const QKeySequence taste = QKeySequence::mnemonic(knopf->text());
        if (!taste.isEmpty())
            vergeben.insert(taste, knopf->text());
    }
    ASSERT_TRUE(vergeben.contains(QKeySequence::mnemonic(QStringLiteral("&Beenden"))));
    for (int seite = 0; seite < kSeiten; ++seite) {
        const QString text = reiter->tabText(seite);
        EXPECT_EQ(QString(text).remove(QLatin1Char('&')), entwurf[seite]) << "the caption keeps its text";
        const QKeySequence taste = QKeySequence::mnemonic(text);
        ASSERT_FALSE(taste.isEmpty()) << text.toStdString();
        EXPECT_FALSE(vergeben.contains(taste))
            << text.toStdString() << " clashes with " << vergeben.value(taste).toStdString();
        vergeben.insert(taste, text);
    }
    for (int seite = 0; seite < kSeiten; ++seite) {
        frm->tabkenn()->setCurrentIndex((seite + 2) % kSeiten);
        const QKeyCombination taste = QKeySequence::mnemonic(reiter->tabText(seite))[0];
        QTest::keyClick(empfaenger(), taste.key(), taste.keyboardModifiers());
        EXPECT_EQ(frm->tabkenn()->currentIndex(), seite) << reiter->tabText(seite).toStdString();
    }
}

TEST_F(Tastaturbedienung, TheWeightIsNeverFocusedNorShownSelected) {
    zeigenUndAktivieren();
    ASSERT_EQ(frm->tabkenn()->currentIndex(), 0);
    QLineEdit* gewicht = frm->txtgewicht();
    gewicht->setText(QStringLiteral("12,50"));
    EXPECT_NE(QApplication::focusWidget(), gewicht) << "on showing";
    // Round the whole chain both ways, and a click on the digits.
    for (const Qt::Key taste : {Qt::Key_Tab, Qt::Key_Backtab}) {
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(empfaenger(), taste, taste == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            EXPECT_FALSE(gewicht->hasFocus()) << i;
            EXPECT_FALSE(gewicht->hasSelectedText()) << i;
        }
    }
    QTest::mouseClick(gewicht, Qt::LeftButton);
    EXPECT_FALSE(gewicht->hasFocus());
    EXPECT_FALSE(gewicht->hasSelectedText());
}

} // namespace
