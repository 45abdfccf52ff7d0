#include "fakes/fakesystray.h"
#include "shell/trayfenster.h"

#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class TrayFensterTest : public testing::Test {
protected:
    TrayFensterTest() {
        window.setWindowTitle(QStringLiteral("VELKOR ZEL Desktop"));
        window.resize(400, 300);
        window.show();
    }
    QWidget window;
    FakeSysTray tray;
    shell::TrayFenster fenster{window, tray};
};

TEST_F(TrayFensterTest, IntrayAddsIconWithCaptionAndHides) {
    fenster.intray();
    EXPECT_EQ(tray.calls, QStringList{QStringLiteral("add:VELKOR ZEL Desktop")});
    EXPECT_TRUE(tray.sichtbar());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(TrayFensterTest, DoubleClickRemovesIconAndShowsWindow) {
    fenster.intray();
    tray.doubleClick();
    EXPECT_FALSE(tray.sichtbar());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayFensterTest, RightClickKeepsIconAndWindowHidden) {
    fenster.intray();
    tray.rightClick();
    EXPECT_TRUE(tray.sichtbar());
    EXPECT_FALSE(window.isVisible());
    fenster.MnuAllgemein()->close();
}

TEST_F(TrayFensterTest, MenuItemsAreRestoreThenQuit) {
    const auto actions = fenster.MnuAllgemein()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Wiederherstellen"));
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Beenden"));
}

TEST_F(TrayFensterTest, RestoreThroughMenuEqualsDoubleClick) {
    const QRect before = window.geometry();
    fenster.intray();
    fenster.MnuB_Click(0);
    EXPECT_FALSE(tray.sichtbar());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);
}

TEST_F(TrayFensterTest, QuitThroughMenuRemovesIconAndClosesWithoutShowing) {
    fenster.intray();
    fenster.MnuB_Click(1);
    EXPECT_FALSE(tray.sichtbar());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(tray.calls.last(), QStringLiteral("remove"));
}

TEST_F(TrayFensterTest, HidingAgainAddsTheIconAnew) {
    fenster.intray();
    tray.doubleClick();
    fenster.intray();
    EXPECT_EQ(tray.calls, (QStringList{QStringLiteral("add:VELKOR ZEL Desktop"), QStringLiteral("remove"),
                                       QStringLiteral("add:VELKOR ZEL Desktop")}));
}

TEST_F(TrayFensterTest, WithoutNotificationAreaMinimisesInstead) {
    tray.available = false;
    fenster.intray();
    EXPECT_TRUE(tray.calls.isEmpty());
    EXPECT_TRUE(window.isMinimized() || window.windowState().testFlag(Qt::WindowMinimized));
}

} // namespace
