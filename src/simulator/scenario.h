#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>
#include <random>

namespace sim {

// What goes on the line next: some bytes, then optionally a silence before the following piece.
struct Piece {
    QByteArray bytes;
    int pauseMs = 0;
};

// The indicator's behaviour over time, one telegram after the other. Deterministic for a given seed, so a
// scenario that shows a fault can be run again.
class Scenario {
public:
    enum class Kind {
        Steady,   // one weight all the time
        Ramp,     // rising in equal steps, then starting again from zero
        Walk,     // random walk in small steps
        Negative, // random walk below zero
        Errors,   // a walk with now and then characters the indicator should never send
        Split,    // every telegram in two parts with a silence between them
        NoEquals, // now and then a telegram without its "="
        LineEnds, // every telegram followed by CR LF
        Demo,     // settles on a weight, holds it, moves to the next; now and then below zero
        Script,   // the given display texts in turn
    };

    static QStringList names();
    static std::optional<Kind> kindNamed(const QString& name);
    // A Script scenario; on an unusable display text returns nothing and names it in *error.
    static std::optional<Scenario> scripted(const QStringList& displays, QString* error);

    explicit Scenario(Kind kind, quint32 seed = 1);

    Kind kind() const { return m_kind; }
    // How many telegrams repeat a value before it changes (the indicator sends about 30 per second).
    void setTelegramsPerStep(int count) { m_perStep = count < 1 ? 1 : count; }
    void setSteadyWeight(qint64 hundredths) { m_value = hundredths; }
    // The silence inside a split telegram; longer than one read cycle of the program.
    static constexpr int kSplitPauseMs = 250;

    Piece next();

private:
    QByteArray nextDisplay();
    void step();
    void stepDemo();
    qint64 uniform(qint64 low, qint64 high);
    bool chance(int percent) { return uniform(0, 99) < percent; }

    Kind m_kind;
    std::mt19937 m_random;
    int m_perStep = 15;
    int m_repeated = 0;
    qint64 m_value = 0;
    qint64 m_target = 0;
    int m_hold = 0;
    QList<QByteArray> m_script;
    // The second part of a split telegram, sent as the next piece.
    QByteArray m_rest;
    qsizetype m_scriptIndex = 0;
};

} // namespace sim
