#include "shell/oberflaeche.h"

#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

// Whatever style the system would give (Windows' own on Windows), the window is built in the one its pages
// were measured in.
TEST(Oberflaeche, StilIstDerDesEntwurfs) {
    QApplication::setStyle(QStringLiteral("Windows"));
    ASSERT_NE(QApplication::style()->name(), QStringLiteral("fusion"));
    shell::stilFestlegen();
    EXPECT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
}

} // namespace
