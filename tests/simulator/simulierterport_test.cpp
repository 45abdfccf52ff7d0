#include "acquisition/telegramdecoder.h"
#include "simulator/simulierterport.h"

#include <QStringList>
#include <gtest/gtest.h>

using sim::Scenario;
using sim::SimulierterPort;

namespace {

constexpr auto kSettings = "2400,N,8,1";

// The port on the test's clock: time passes only in laufen(), in the writer's usual ticks.
struct Leitung {
    qint64 jetzt = 0;
    SimulierterPort port{Scenario(Scenario::Kind::Demo), [this] { return jetzt; }};

    bool oeffnen() {
        QString fehler;
        return port.open(QString::fromLatin1(SimulierterPort::kGeraet), QString::fromLatin1(kSettings), &fehler);
    }
    void laufen(qint64 ms) {
        for (qint64 t = 0; t < ms; t += 80) {
            jetzt += 80;
            port.writer().pump();
        }
    }
};

// The first `anzahl` bytes the demo scenario puts on the line, made anew from the same seed.
QByteArray demoStrom(qint64 anzahl) {
    Scenario szenario(Scenario::Kind::Demo);
    QByteArray strom;
    while (strom.size() < anzahl)
        strom += szenario.next().bytes;
    return strom.left(anzahl);
}

QStringList angezeigt(const QByteArray& bytes) {
    acquisition::TelegramDecoder decoder;
    QStringList texte;
    for (const char c : bytes) {
        if (const auto text = decoder.feed(c, 1))
            texte << QString::fromStdString(*text);
    }
    return texte;
}

TEST(SimulierterPort, DeliversTheScenarioAsTelegramsTheDecoderReads) {
    Leitung leitung;
    ASSERT_TRUE(leitung.oeffnen());
    EXPECT_TRUE(leitung.port.isOpen());
    // Less than the receive buffer holds, so nothing is lost yet.
    leitung.laufen(800);
    const qint64 gesendet = leitung.port.writer().sent();
    ASSERT_GT(gesendet, 0);
    ASSERT_LT(gesendet, SimulierterPort::kReceiveBuffer);
    const QByteArray empfangen = leitung.port.readAll();
    EXPECT_EQ(empfangen, demoStrom(gesendet));
    const QStringList texte = angezeigt(empfangen);
    EXPECT_EQ(texte.size(), gesendet / 8);
    for (const QString& text : texte) {
        bool zahl = false;
        text.toDouble(&zahl);
        EXPECT_TRUE(zahl) << text.toStdString();
    }
    // Taken is taken: the next read has only what came since.
    EXPECT_TRUE(leitung.port.readAll().isEmpty());
}

TEST(SimulierterPort, NothingArrivesAfterClose) {
    Leitung leitung;
    ASSERT_TRUE(leitung.oeffnen());
    EXPECT_TRUE(leitung.port.writer().isRunning());
    leitung.laufen(500);
    leitung.port.close();
    EXPECT_FALSE(leitung.port.isOpen());
    EXPECT_FALSE(leitung.port.writer().isRunning());
    EXPECT_TRUE(leitung.port.readAll().isEmpty());
    leitung.laufen(500);
    EXPECT_TRUE(leitung.port.readAll().isEmpty());

    ASSERT_TRUE(leitung.oeffnen());
    leitung.laufen(500);
    EXPECT_FALSE(angezeigt(leitung.port.readAll()).isEmpty());
}

TEST(SimulierterPort, AReaderThatDoesNotReadFindsOnlyTheNewestSecond) {
    Leitung leitung;
    ASSERT_TRUE(leitung.oeffnen());
    leitung.laufen(10000);
    const qint64 gesendet = leitung.port.writer().sent();
    ASSERT_GT(gesendet, 5 * SimulierterPort::kReceiveBuffer);
    const QByteArray empfangen = leitung.port.readAll();
    EXPECT_EQ(empfangen, demoStrom(gesendet).right(SimulierterPort::kReceiveBuffer));
}

} // namespace
