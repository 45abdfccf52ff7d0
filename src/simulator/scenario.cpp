#include "scenario.h"

#include "telegram.h"

#include <algorithm>
#include <array>
#include <utility>

namespace sim {

namespace {

struct Named {
    const char* name;
    Scenario::Kind kind;
};

constexpr std::array kNames{
    Named{"steady", Scenario::Kind::Steady},      Named{"ramp", Scenario::Kind::Ramp},
    Named{"walk", Scenario::Kind::Walk},          Named{"negative", Scenario::Kind::Negative},
    Named{"errors", Scenario::Kind::Errors},      Named{"split", Scenario::Kind::Split},
    Named{"no-equals", Scenario::Kind::NoEquals}, Named{"line-ends", Scenario::Kind::LineEnds},
    Named{"demo", Scenario::Kind::Demo},
};

constexpr qint64 kRampStep = 250;  // 2.50
constexpr qint64 kRampTop = 15000; // 150.00
constexpr qint64 kWalkStep = 150;
constexpr qint64 kNegativeStep = 50;
// What a confused line or a faulty indicator puts into a display.
constexpr std::array kWrongCharacters{' ', '+', 'E', 'O', 'L', ',', '\r', '\x7f'};

} // namespace

QStringList Scenario::names() {
    QStringList list;
    for (const Named& n : kNames)
        list << QString::fromLatin1(n.name);
    return list;
}

std::optional<Scenario::Kind> Scenario::kindNamed(const QString& name) {
    for (const Named& n : kNames) {
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.kind;
    }
    return std::nullopt;
}

std::optional<Scenario> Scenario::scripted(const QStringList& displays, QString* error) {
    Scenario scenario(Kind::Script);
    for (const QString& text : displays) {
        const std::optional<QByteArray> display = displayFromText(text);
        if (!display) {
            *error = QStringLiteral("Anzeige \"%1\" hat nicht 1 bis 7 Zeichen").arg(text);
            return std::nullopt;
        }
        scenario.m_script << *display;
    }
    if (scenario.m_script.isEmpty()) {
        *error = QStringLiteral("Keine Anzeigen angegeben");
        return std::nullopt;
    }
    return scenario;
}

Scenario::Scenario(Kind kind, quint32 seed) : m_kind(kind), m_random(seed) {
    switch (kind) {
    case Kind::Steady:
        m_value = 1250;
        break;
    case Kind::Negative:
        m_value = -150;
        break;
    case Kind::Walk:
    case Kind::Errors:
    case Kind::Split:
    case Kind::NoEquals:
    case Kind::LineEnds:
        m_value = 50000;
        break;
    case Kind::Demo:
        // Livelier than the others: the eye should see the weight settle.
        m_perStep = 6;
        break;
    case Kind::Ramp:
    case Kind::Script:
        break;
    }
}

qint64 Scenario::uniform(qint64 low, qint64 high) {
    return std::uniform_int_distribution<qint64>(low, high)(m_random);
}

Piece Scenario::next() {
    if (!m_rest.isEmpty())
        return Piece{std::exchange(m_rest, {}), 0};
    QByteArray display = nextDisplay();
    if (m_kind == Kind::Errors && chance(25)) {
        const auto position = static_cast<qsizetype>(uniform(0, kDisplayWidth - 1));
        display[position] = kWrongCharacters[static_cast<std::size_t>(uniform(0, kWrongCharacters.size() - 1))];
    }
    QByteArray telegram = encodeTelegram(display);
    switch (m_kind) {
    case Kind::Split: {
        const auto cut = static_cast<qsizetype>(uniform(1, telegram.size() - 1));
        m_rest = telegram.mid(cut);
        return Piece{telegram.left(cut), kSplitPauseMs};
    }
    case Kind::NoEquals:
        if (chance(20))
            telegram.remove(0, 1);
        break;
    case Kind::LineEnds:
        telegram.append("\r\n");
        break;
    default:
        break;
    }
    return Piece{telegram, 0};
}

QByteArray Scenario::nextDisplay() {
    if (m_kind == Kind::Script) {
        const QByteArray display = m_script.at(m_scriptIndex);
        if (++m_repeated >= m_perStep) {
            m_repeated = 0;
            m_scriptIndex = (m_scriptIndex + 1) % m_script.size();
        }
        return display;
    }
    const QByteArray display = formatDisplay(m_value);
    if (++m_repeated >= m_perStep) {
        m_repeated = 0;
        step();
    }
    return display;
}

void Scenario::step() {
    switch (m_kind) {
    case Kind::Steady:
    case Kind::Script:
        break;
    case Kind::Ramp:
        m_value = m_value + kRampStep > kRampTop ? 0 : m_value + kRampStep;
        break;
    case Kind::Walk:
    case Kind::Errors:
    case Kind::Split:
    case Kind::NoEquals:
    case Kind::LineEnds:
        m_value = std::clamp(m_value + uniform(-kWalkStep, kWalkStep), kMinHundredths, kMaxHundredths);
        break;
    case Kind::Negative:
        m_value = std::clamp(m_value + uniform(-kNegativeStep, kNegativeStep), kMinHundredths, qint64{-1});
        break;
    case Kind::Demo:
        stepDemo();
        break;
    }
}

void Scenario::stepDemo() {
    if (m_value != m_target) {
        // Settle like a loaded platform: big moves first, then the last few hundredths.
        const qint64 gap = m_target - m_value;
        const qint64 move = gap / 3 != 0 ? gap / 3 : (gap > 0 ? 1 : -1);
        m_value += move;
        return;
    }
    if (m_hold > 0) {
        --m_hold;
        return;
    }
    m_hold = static_cast<int>(uniform(30, 80));
    const qint64 pick = uniform(0, 99);
    if (pick < 15)
        m_target = -uniform(20, 500); // taken off after taring
    else if (pick < 30)
        m_target = 0;
    else
        m_target = uniform(100, 25000) / 5 * 5;
}

} // namespace sim
