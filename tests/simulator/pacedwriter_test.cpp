#include "simulator/pacedwriter.h"

#include <QList>
#include <gtest/gtest.h>
#include <ostream>

using sim::PacedWriter;
using sim::Piece;

namespace {

// A line under the test's control: its own clock, a numbered telegram source and a receiver that can be
// switched off.
struct Line {
    qint64 now = 0;
    int telegrams = 0;
    bool receiverThere = true;
    QByteArray received;
    QList<qint64> arrivals; // time of each received byte

    PacedWriter writer{[this] {
                           return Piece{next(), 0};
                       },
                       [this](const char* data, qint64 size) {
                           if (!receiverThere)
                               return qint64{0};
                           received.append(data, size);
                           for (qint64 i = 0; i < size; ++i)
                               arrivals << now;
                           return size;
                       },
                       [this] { return now; }};

    // "=" and seven digits counting the telegrams, so each one is recognisable.
    QByteArray next() { return '=' + QByteArray::number(telegrams++).rightJustified(7, '0'); }

    void run(qint64 ms, qint64 tick) {
        for (qint64 t = 0; t < ms; t += tick) {
            now += tick;
            writer.pump();
        }
    }
};

struct Pace {
    qint64 duration;
    qint64 tick;
    qint64 expected;
};

void PrintTo(const Pace& p, std::ostream* os) {
    *os << p.duration << " ms in ticks of " << p.tick << " ms -> " << p.expected << " characters";
}

class PacedWriterRate : public testing::TestWithParam<Pace> {};

TEST_P(PacedWriterRate, SendsExactlyWhatTheLineCarries) {
    const Pace& p = GetParam();
    Line line;
    line.run(p.duration, p.tick);
    EXPECT_EQ(line.received.size(), p.expected);
    EXPECT_EQ(line.writer.sent(), p.expected);
    EXPECT_EQ(line.writer.dropped(), 0);
}

// Uneven ticks must carry the fractions over instead of losing them.
INSTANTIATE_TEST_SUITE_P(Ticks, PacedWriterRate,
                         testing::Values(Pace{1000, 50, 240}, Pace{10000, 100, 2400}, Pace{7000, 7, 1680},
                                         Pace{3000, 1, 720}, Pace{999, 333, 239}));

TEST(PacedWriter, StreamIsTheSourceInOrder) {
    Line line;
    line.run(2000, 40);
    ASSERT_EQ(line.received.size(), 480);
    for (int i = 0; i < 60; ++i)
        EXPECT_EQ(line.received.mid(i * 8, 8), '=' + QByteArray::number(i).rightJustified(7, '0'));
}

TEST(PacedWriter, StallSendsAtMostOneSecondAtOnce) {
    Line line;
    line.run(5000, 5000);
    EXPECT_EQ(line.received.size(), 240);
    line.run(100, 100);
    EXPECT_EQ(line.received.size(), 240 + 24);
}

TEST(PacedWriter, BytesWithoutReceiverAreLostNotHeldBack) {
    Line line;
    line.receiverThere = false;
    line.run(1000, 50);
    EXPECT_TRUE(line.received.isEmpty());
    EXPECT_EQ(line.writer.dropped(), 240);
    line.receiverThere = true;
    line.run(1000, 50);
    EXPECT_EQ(line.received.size(), 240);
    // The receiver comes in where the line is now: telegram 30 onwards, not the ones it missed.
    EXPECT_EQ(line.received.left(8), QByteArray("=0000030"));
}

TEST(PacedWriter, SilenceAfterAPieceKeepsTheLineQuiet) {
    qint64 now = 0;
    int n = 0;
    QList<qint64> arrivals;
    QByteArray received;
    PacedWriter writer(
        [&n] {
            return ++n % 2 ? Piece{"=05.", 300} : Piece{"2100", 0};
        },
        [&](const char* data, qint64 size) {
            received.append(data, size);
            for (qint64 i = 0; i < size; ++i)
                arrivals << now;
            return size;
        },
        [&now] { return now; });
    for (int i = 0; i < 300; ++i) {
        now += 10;
        writer.pump();
    }
    ASSERT_GE(received.size(), 16);
    for (qsizetype i = 4; i < arrivals.size(); i += 8)
        EXPECT_GE(arrivals[i] - arrivals[i - 1], 300) << "byte " << i;
    EXPECT_TRUE(received.startsWith("=05.2100=05.2100"));
}

TEST(PacedWriter, FasterRateWhenAsked) {
    Line line;
    line.writer.setCharactersPerSecond(2400);
    line.run(1000, 10);
    EXPECT_EQ(line.received.size(), 2400);
}

} // namespace
