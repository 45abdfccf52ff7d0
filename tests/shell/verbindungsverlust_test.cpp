#include "hauptfenster_fixture.h"

#include <QLineEdit>
#include <QTest>

namespace {

class Verbindungsverlust : public Hauptfenster {};

TEST_F(Verbindungsverlust, TelegramCutOffByTheLossIsNotCompletedAfterReopening) {
    link.setRetryInterval(5);
    laden();
    QStringList angezeigt;
    QObject::connect(frm->txtgewicht(), &QLineEdit::textChanged, [&](const QString& text) { angezeigt << text; });

    port.receive("=05.2");
    frm->gewichtlesen();
    port.openSucceeds = false;
    port.fail(QStringLiteral("Input/output error"));
    frm->gewichtlesen(); // reports the loss
    ASSERT_EQ(meldungen.shown.size(), 1);
    port.openSucceeds = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.isOpen(); }, 1000));

    // The rest of the cut telegram, then a whole one.
    port.receive("300=07.4300");
    frm->gewichtlesen();
    EXPECT_EQ(angezeigt, QStringList{QStringLiteral("34,70")});
    EXPECT_EQ(frm->txtgewicht()->text(), QStringLiteral("34,70"));
}

} // namespace
