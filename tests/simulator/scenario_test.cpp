#include "acquisition/telegramdecoder.h"
#include "simulator/scenario.h"
#include "simulator/telegram.h"

#include <QList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using sim::Scenario;

namespace {

QList<sim::Piece> pieces(Scenario& scenario, int count) {
    QList<sim::Piece> list;
    for (int i = 0; i < count; ++i)
        list << scenario.next();
    return list;
}

QByteArray stream(Scenario& scenario, int count) {
    QByteArray bytes;
    for (const sim::Piece& p : pieces(scenario, count))
        bytes += p.bytes;
    return bytes;
}

// The texts the program would show for the stream, with "." as separator.
QStringList shown(const QByteArray& bytes) {
    acquisition::TelegramDecoder decoder;
    QStringList texts;
    for (const char c : bytes) {
        if (const auto text = decoder.feed(c, 1))
            texts << QString::fromStdString(*text);
    }
    return texts;
}

QList<double> weights(const QStringList& texts) {
    QList<double> list;
    for (const QString& t : texts) {
        bool ok = false;
        list << t.toDouble(&ok);
        EXPECT_TRUE(ok) << t.toStdString();
    }
    return list;
}

Scenario everyTelegramAStep(Scenario::Kind kind, quint32 seed = 7) {
    Scenario s(kind, seed);
    s.setTelegramsPerStep(1);
    return s;
}

TEST(Scenario, NamesSelectTheirKind) {
    const QStringList names = Scenario::names();
    ASSERT_GE(names.size(), 9);
    for (const QString& name : names) {
        const auto kind = Scenario::kindNamed(name.toUpper());
        ASSERT_TRUE(kind) << name.toStdString();
        EXPECT_EQ(names.indexOf(name), static_cast<int>(*kind)) << name.toStdString();
    }
    EXPECT_FALSE(Scenario::kindNamed(QStringLiteral("wobble")));
}

TEST(Scenario, SteadyRepeatsOneWeight) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Steady);
    const QStringList texts = shown(stream(s, 50));
    EXPECT_EQ(texts.size(), 50);
    EXPECT_EQ(texts.count(QStringLiteral("12.50")), 50);
}

TEST(Scenario, RampRisesInEqualStepsAndStartsAgain) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Ramp);
    const QList<double> w = weights(shown(stream(s, 200)));
    ASSERT_EQ(w.size(), 200);
    EXPECT_EQ(w.front(), 0.0);
    int restarts = 0;
    for (int i = 1; i < w.size(); ++i) {
        if (w[i] == 0.0) {
            ++restarts;
            EXPECT_GT(w[i - 1], 100.0);
        } else {
            EXPECT_DOUBLE_EQ(w[i] - w[i - 1], 2.5) << i;
        }
    }
    EXPECT_GE(restarts, 2);
}

TEST(Scenario, WalkMovesInSmallStepsWithinTheDisplay) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Walk);
    const QList<double> w = weights(shown(stream(s, 500)));
    ASSERT_EQ(w.size(), 500);
    int moves = 0;
    for (int i = 1; i < w.size(); ++i) {
        EXPECT_LE(std::abs(w[i] - w[i - 1]), 1.5 + 1e-9);
        moves += w[i] != w[i - 1] ? 1 : 0;
    }
    EXPECT_GT(moves, 400);
}

TEST(Scenario, NegativeStaysBelowZero) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Negative);
    const QStringList texts = shown(stream(s, 300));
    ASSERT_EQ(texts.size(), 300);
    for (const double w : weights(texts))
        EXPECT_LT(w, 0.0);
    for (const QString& t : texts)
        EXPECT_TRUE(t.startsWith(QLatin1Char('-'))) << t.toStdString();
}

TEST(Scenario, ErrorsMixWrongCharactersIntoGoodTelegrams) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Errors);
    const QStringList texts = shown(stream(s, 400));
    ASSERT_EQ(texts.size(), 400);
    const auto fehler = texts.count(QStringLiteral("Fehler"));
    EXPECT_GT(fehler, 40);
    EXPECT_LT(fehler, 200);
}

TEST(Scenario, SplitSendsEachTelegramInTwoPartsWithASilence) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Split);
    const QList<sim::Piece> list = pieces(s, 200);
    for (int i = 0; i + 1 < list.size(); i += 2) {
        const sim::Piece& first = list[i];
        const sim::Piece& second = list[i + 1];
        EXPECT_EQ(first.pauseMs, Scenario::kSplitPauseMs);
        EXPECT_EQ(second.pauseMs, 0);
        EXPECT_FALSE(first.bytes.isEmpty());
        EXPECT_FALSE(second.bytes.isEmpty());
        const QByteArray whole = first.bytes + second.bytes;
        EXPECT_EQ(whole.size(), 8);
        EXPECT_TRUE(whole.startsWith('='));
    }
    EXPECT_GT(Scenario::kSplitPauseMs, 100) << "must span more than one read cycle";
}

TEST(Scenario, NoEqualsDropsTheEqualsSignNowAndThen) {
    Scenario s = everyTelegramAStep(Scenario::Kind::NoEquals);
    int without = 0;
    for (const sim::Piece& p : pieces(s, 300)) {
        if (p.bytes.startsWith('=')) {
            EXPECT_EQ(p.bytes.size(), 8);
        } else {
            EXPECT_EQ(p.bytes.size(), 7);
            EXPECT_FALSE(p.bytes.contains('='));
            ++without;
        }
    }
    EXPECT_GT(without, 20);
    EXPECT_LT(without, 150);
}

TEST(Scenario, LineEndsFollowEveryTelegram) {
    Scenario s = everyTelegramAStep(Scenario::Kind::LineEnds);
    for (const sim::Piece& p : pieces(s, 50)) {
        EXPECT_EQ(p.bytes.size(), 10);
        EXPECT_TRUE(p.bytes.startsWith('='));
        EXPECT_TRUE(p.bytes.endsWith("\r\n"));
    }
}

TEST(Scenario, DemoSettlesHoldsAndSometimesGoesNegative) {
    Scenario s = everyTelegramAStep(Scenario::Kind::Demo, 3);
    const QList<double> w = weights(shown(stream(s, 6000)));
    ASSERT_EQ(w.size(), 6000);
    // A hold: the same weight for at least 30 telegrams in a row.
    QList<double> held;
    int run = 1;
    for (int i = 1; i < w.size(); ++i) {
        run = w[i] == w[i - 1] ? run + 1 : 1;
        if (run == 30)
            held << w[i];
    }
    EXPECT_GE(held.size(), 10);
    EXPECT_TRUE(std::any_of(held.begin(), held.end(), [](double v) { return v < 0; }));
    EXPECT_TRUE(std::any_of(held.begin(), held.end(), [](double v) { return v > 1.0; }));
    // Between holds the weight approaches its target instead of jumping there.
    int intermediate = 0;
    for (int i = 1; i + 1 < w.size(); ++i)
        intermediate += (w[i - 1] < w[i] && w[i] < w[i + 1]) || (w[i - 1] > w[i] && w[i] > w[i + 1]) ? 1 : 0;
    EXPECT_GT(intermediate, held.size());
}

TEST(Scenario, ScriptCyclesThroughItsDisplays) {
    QString error;
    auto s = Scenario::scripted({QStringLiteral("12.50"), QStringLiteral("-1.5")}, &error);
    ASSERT_TRUE(s) << error.toStdString();
    s->setTelegramsPerStep(2);
    QList<QByteArray> sent;
    for (const sim::Piece& p : pieces(*s, 5))
        sent << p.bytes;
    EXPECT_EQ(sent, (QList<QByteArray>{"=05.2100", "=05.2100", "=5.1000-", "=5.1000-", "=05.2100"}));

    EXPECT_FALSE(Scenario::scripted({QStringLiteral("12.50"), QStringLiteral("12345678")}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("12345678")));
    EXPECT_FALSE(Scenario::scripted({}, &error));
}

TEST(Scenario, SeedDecidesTheSequence) {
    Scenario a(Scenario::Kind::Walk, 11);
    Scenario b(Scenario::Kind::Walk, 11);
    Scenario c(Scenario::Kind::Walk, 12);
    a.setTelegramsPerStep(1);
    b.setTelegramsPerStep(1);
    c.setTelegramsPerStep(1);
    const QByteArray first = stream(a, 100);
    EXPECT_EQ(first, stream(b, 100));
    EXPECT_NE(first, stream(c, 100));
}

TEST(Scenario, ValueChangesOnlyAfterItsTelegramsPerStep) {
    Scenario s(Scenario::Kind::Ramp);
    s.setTelegramsPerStep(4);
    const QStringList texts = shown(stream(s, 12));
    EXPECT_EQ(texts, (QStringList{"0.00", "0.00", "0.00", "0.00", "2.50", "2.50", "2.50", "2.50", "5.00", "5.00",
                                  "5.00", "5.00"}));
}

} // namespace
