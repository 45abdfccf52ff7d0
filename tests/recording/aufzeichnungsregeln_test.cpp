#include "recording/aufzeichnungsregeln.h"
#include "recording/festkomma.h"

#include <QTime>
#include <gtest/gtest.h>
#include <vector>

using recording::Aufzeichnungsregeln;
using recording::Eingaben;
using recording::Intervall;
using recording::IntervallWerte;

namespace {

constexpr qint64 W(double wert) {
    // Test values are given in the indicator's unit; exact for the few decimals used here.
    return static_cast<qint64>(wert * 10000.0 + (wert < 0 ? -0.5 : 0.5));
}

struct An {
    Intervall intervall;
    int kontrollwert;
    std::optional<double> schwelle;
};

struct Wechsel {
    QTime ab;
    const char* text;
};

struct Zeile {
    QTime zeit;
    qint64 wert;
    Intervall intervall;
    bool operator==(const Zeile&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Zeile& z) {
    return os << z.zeit.toString(QStringLiteral("HH:mm:ss")).toStdString() << ' ' << z.wert << " #"
              << recording::intervallName(z.intervall).toStdString();
}

Eingaben eingaben(const std::vector<An>& an) {
    Eingaben e;
    for (const An& a : an) {
        auto& w = e.at(static_cast<std::size_t>(recording::index(a.intervall)));
        w.kontrollwert = a.kontrollwert;
        w.schwelle = a.schwelle ? std::optional(recording::festkomma::ausDouble(*a.schwelle)) : std::nullopt;
    }
    return e;
}

// One tick per second from von to bis; the weight text is that of the latest change at or before the tick.
// gelingt decides per tick whether the store writes the row.
std::vector<Zeile> ablauf(Aufzeichnungsregeln& regeln, const std::vector<An>& an, const std::vector<Wechsel>& wechsel,
                          QTime von, QTime bis, const std::function<bool(QTime)>& gelingt = nullptr,
                          int* versuche = nullptr) {
    std::vector<Zeile> zeilen;
    const Eingaben e = eingaben(an);
    for (QTime t = von; t <= bis; t = t.addSecs(1)) {
        QString text;
        for (const Wechsel& w : wechsel) {
            if (w.ab <= t)
                text = QString::fromUtf8(w.text);
        }
        const auto ergebnis = regeln.Timer2_Timer(t.second(), t.minute(), text, e, [&] {
            if (versuche)
                ++*versuche;
            return !gelingt || gelingt(t);
        });
        if (ergebnis.gespeichert)
            zeilen.push_back({t, regeln.gewichtwert(), *ergebnis.intervall});
        if (t == QTime(23, 59, 59))
            break;
    }
    return zeilen;
}

std::vector<Zeile> jedeSekunde(QTime von, QTime bis, qint64 wert, Intervall intervall) {
    std::vector<Zeile> zeilen;
    for (QTime t = von; t <= bis; t = t.addSecs(1))
        zeilen.push_back({t, wert, intervall});
    return zeilen;
}

std::vector<Zeile> plus(std::vector<Zeile> a, const std::vector<Zeile>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Zeitlinie {
    const char* name;
    std::vector<An> an;
    std::vector<Wechsel> wechsel;
    QTime von;
    QTime bis;
    std::vector<Zeile> erwartet;
};

void PrintTo(const Zeitlinie& z, std::ostream* os) {
    *os << z.name;
}

class Zeitlinien : public testing::TestWithParam<Zeitlinie> {};

TEST_P(Zeitlinien, StoreExactlyTheExpectedRows) {
    const Zeitlinie& z = GetParam();
    Aufzeichnungsregeln regeln;
    regeln.letzteWerteNullen();
    EXPECT_EQ(ablauf(regeln, z.an, z.wechsel, z.von, z.bis), z.erwartet);
}

using I = Intervall;
QTime T(int h, int m, int s) {
    return QTime(h, m, s);
}

INSTANTIATE_TEST_SUITE_P(
    Regeln, Zeitlinien,
    testing::Values(
        Zeitlinie{"ZehnSekundenBeispiel",
                  {{I::i10s, 1, 1.0}},
                  {{T(10, 0, 0), "0"},
                   {T(10, 0, 7), "5,3"},
                   {T(10, 0, 20), "5,9"},
                   {T(10, 0, 30), "6,3"},
                   {T(10, 0, 40), "4,3"}},
                  T(10, 0, 0),
                  T(10, 0, 59),
                  {{T(10, 0, 10), W(5.3), I::i10s}, {T(10, 0, 30), W(6.3), I::i10s}, {T(10, 0, 40), W(4.3), I::i10s}}},
        Zeitlinie{"EineSekundeSchwelleNull",
                  {{I::i1s, 1, 0.0}},
                  {{T(10, 0, 0), "2,5"}},
                  T(10, 0, 0),
                  T(10, 0, 9),
                  jedeSekunde(T(10, 0, 0), T(10, 0, 9), W(2.5), I::i1s)},
        Zeitlinie{"ZweiMinutenJedeSekundeGeraderMinuten",
                  {{I::i2m, 1, 0.0}},
                  {{T(10, 9, 0), "1"}},
                  T(10, 9, 30),
                  T(10, 12, 0),
                  plus(jedeSekunde(T(10, 10, 0), T(10, 10, 59), W(1), I::i2m), {{T(10, 12, 0), W(1), I::i2m}})},
        Zeitlinie{"EineMinuteUndEineSekundeBeideAn",
                  {{I::i1s, 1, 0.0}, {I::i1m, 1, 0.0}},
                  {{T(9, 59, 0), "3"}},
                  T(9, 59, 58),
                  T(10, 1, 1),
                  jedeSekunde(T(9, 59, 58), T(10, 1, 1), W(3), I::i1s)},
        Zeitlinie{"SprungUm1058MitStundenintervall",
                  {{I::i1s, 1, 0.5}, {I::i1h, 1, 0.0}},
                  {{T(10, 57, 0), "0"}, {T(10, 58, 0), "7"}},
                  T(10, 57, 0),
                  T(11, 1, 30),
                  plus({{T(10, 58, 0), W(7), I::i1s}}, jedeSekunde(T(11, 0, 0), T(11, 0, 59), W(7), I::i1h))},
        Zeitlinie{"GrauesKaestchenNie",
                  {{I::i1s, 2, 0.0}, {I::i1h, 2, 0.0}},
                  {{T(10, 0, 0), "5"}},
                  T(10, 0, 0),
                  T(10, 0, 30),
                  {}},
        Zeitlinie{
            "SchwelleOhneZahlNie", {{I::i1s, 1, std::nullopt}}, {{T(10, 0, 0), "5"}}, T(10, 0, 0), T(10, 0, 30), {}},
        // Mend: an empty field or the decoder's error text was never a weight on the scale.
        Zeitlinie{"LeeresGewichtSpeichertNichts",
                  {{I::i1s, 1, 0.0}},
                  {{T(10, 0, 0), ""}, {T(10, 0, 3), "Fehler"}, {T(10, 0, 5), "  "}, {T(10, 0, 6), "0,0"}},
                  T(10, 0, 0),
                  T(10, 0, 7),
                  jedeSekunde(T(10, 0, 6), T(10, 0, 7), 0, I::i1s)},
        Zeitlinie{"NegativeSchwelleJederFaelligeTakt",
                  {{I::i10s, 1, -1.0}},
                  {{T(10, 0, 0), "2"}},
                  T(10, 0, 0),
                  T(10, 0, 30),
                  {{T(10, 0, 0), W(2), I::i10s},
                   {T(10, 0, 10), W(2), I::i10s},
                   {T(10, 0, 20), W(2), I::i10s},
                   {T(10, 0, 30), W(2), I::i10s}}},
        Zeitlinie{"LangsameDriftSummiertSich",
                  {{I::i10s, 1, 1.0}},
                  {{T(10, 0, 0), "0,3"},
                   {T(10, 0, 10), "0,6"},
                   {T(10, 0, 20), "0,9"},
                   {T(10, 0, 30), "1,0"},
                   {T(10, 0, 40), "1,9"},
                   {T(10, 0, 50), "2,0"}},
                  T(10, 0, 0),
                  T(10, 0, 59),
                  {{T(10, 0, 30), W(1.0), I::i10s}, {T(10, 0, 50), W(2.0), I::i10s}}},
        Zeitlinie{"FruehereIntervalleGehenVor",
                  {{I::i2s, 1, 0.0}, {I::i5s, 1, 0.0}, {I::i1m, 1, 0.0}},
                  {{T(10, 0, 0), "1"}},
                  T(10, 0, 58),
                  T(10, 1, 5),
                  {{T(10, 0, 58), W(1), I::i2s},
                   {T(10, 1, 0), W(1), I::i2s},
                   {T(10, 1, 2), W(1), I::i2s},
                   {T(10, 1, 4), W(1), I::i2s},
                   {T(10, 1, 5), W(1), I::i5s}}}),
    [](const testing::TestParamInfo<Zeitlinie>& p) { return std::string(p.param.name); });

TEST(Aufzeichnungsregeln, OnlyTheStoringIntervalMovesItsLastValue) {
    Aufzeichnungsregeln regeln;
    ablauf(regeln, {{I::i1s, 1, 0.0}, {I::i1m, 1, 0.0}, {I::i1h, 1, 0.0}}, {{T(10, 0, 0), "3"}}, T(10, 0, 0),
           T(10, 1, 0));
    EXPECT_EQ(regeln.letzterwert(I::i1s), W(3));
    EXPECT_EQ(regeln.letzterwert(I::i1m), 0);
    EXPECT_EQ(regeln.letzterwert(I::i1h), 0);
}

TEST(Aufzeichnungsregeln, EmptyWeightKeepsTheLastValues) {
    Aufzeichnungsregeln regeln;
    ablauf(regeln, {{I::i1s, 1, 0.0}}, {{T(10, 0, 0), "4"}, {T(10, 0, 1), "Fehler"}}, T(10, 0, 0), T(10, 0, 5));
    EXPECT_EQ(regeln.letzterwert(I::i1s), W(4));
    EXPECT_EQ(regeln.gewichtwert(), 0);
    EXPECT_FALSE(regeln.gespeichert());
}

TEST(Aufzeichnungsregeln, FailedStoreKeepsTheValueAndRetriesAtTheNextDueTick) {
    Aufzeichnungsregeln regeln;
    int versuche = 0;
    // The store is locked at 10:00:10 only.
    const auto zeilen = ablauf(
        regeln, {{I::i10s, 1, 1.0}}, {{T(10, 0, 0), "0"}, {T(10, 0, 5), "5,3"}}, T(10, 0, 0), T(10, 0, 25),
        [](QTime t) { return t != T(10, 0, 10); }, &versuche);
    EXPECT_EQ(zeilen, (std::vector<Zeile>{{T(10, 0, 20), W(5.3), I::i10s}}));
    EXPECT_EQ(versuche, 2);
    EXPECT_EQ(regeln.letzterwert(I::i10s), W(5.3));
}

TEST(Aufzeichnungsregeln, FailedStoreIsTheOnlyAttemptOfItsTick) {
    Aufzeichnungsregeln regeln;
    int versuche = 0;
    const auto zeilen = ablauf(
        regeln, {{I::i1s, 1, 0.0}, {I::i2s, 1, 0.0}, {I::i1h, 1, 0.0}}, {{T(10, 0, 0), "1"}}, T(10, 0, 0), T(10, 0, 9),
        [](QTime) { return false; }, &versuche);
    EXPECT_TRUE(zeilen.empty());
    EXPECT_EQ(versuche, 10);
    EXPECT_EQ(regeln.letzterwert(I::i1s), 0);
    EXPECT_EQ(regeln.letzterwert(I::i2s), 0);
}

TEST(Aufzeichnungsregeln, EmptyingTheDatabaseDoesNotResetTheValues) {
    Aufzeichnungsregeln regeln;
    const std::vector<An> an = {{I::i10s, 1, 1.0}};
    ablauf(regeln, an, {{T(10, 0, 0), "5,3"}}, T(10, 0, 0), T(10, 0, 0));
    // The database is emptied now: nothing in the rules takes notice.
    const auto zeilen = ablauf(regeln, an, {{T(10, 0, 1), "5,3"}, {T(10, 0, 35), "4,3"}}, T(10, 0, 1), T(10, 0, 50));
    EXPECT_EQ(zeilen, (std::vector<Zeile>{{T(10, 0, 40), W(4.3), I::i10s}}));
}

TEST(Aufzeichnungsregeln, StartUpZeroesEveryLastValue) {
    Aufzeichnungsregeln regeln;
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        regeln.setLetzterwert(recording::intervallAusIndex(i), W(9));
    regeln.letzteWerteNullen();
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        EXPECT_EQ(regeln.letzterwert(recording::intervallAusIndex(i)), 0) << i;
}

TEST(Aufzeichnungsregeln, WeightIsConvertedWithTiesToEven) {
    Aufzeichnungsregeln regeln;
    const Eingaben e = eingaben({{I::i1s, 1, 0.0}});
    regeln.Timer2_Timer(0, 0, QStringLiteral("0,00015"), e, [] { return true; });
    EXPECT_EQ(regeln.gewichtwert(), 2);
    EXPECT_EQ(regeln.letzterwert(I::i1s), 2);
    regeln.Timer2_Timer(1, 0, QStringLiteral("0,00025"), e, [] { return true; });
    EXPECT_EQ(regeln.gewichtwert(), 2);
    EXPECT_EQ(regeln.sekunde(), 1);
}

struct RegelFall {
    IntervallWerte werte;
    qint64 gewicht;
    qint64 letzter;
    bool erwartet;
};

void PrintTo(const RegelFall& f, std::ostream* os) {
    *os << "box " << f.werte.kontrollwert << " threshold "
        << (f.werte.schwelle ? std::to_string(*f.werte.schwelle) : std::string("none")) << " weight " << f.gewicht
        << " last " << f.letzter;
}

class Aenderungsregel : public testing::TestWithParam<RegelFall> {};

TEST_P(Aenderungsregel, ComparesExactlyWithEquality) {
    const RegelFall& f = GetParam();
    EXPECT_EQ(Aufzeichnungsregeln::aenderungsregel(f.werte, f.gewicht, f.letzter), f.erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Aenderungsregel,
    testing::Values(RegelFall{{1, W(1)}, W(6.3), W(5.3), true}, RegelFall{{1, W(1)}, W(6.2999), W(5.3), false},
                    RegelFall{{1, W(1)}, W(4.3), W(5.3), true}, RegelFall{{1, W(1)}, W(4.3001), W(5.3), false},
                    RegelFall{{1, 0}, W(5.3), W(5.3), true}, RegelFall{{1, W(-0.5)}, W(5.3), W(9), true},
                    RegelFall{{0, 0}, W(5.3), 0, false}, RegelFall{{2, 0}, W(5.3), 0, false},
                    RegelFall{{1, std::nullopt}, W(5.3), 0, false},
                    RegelFall{{1, recording::festkomma::kGrenze},
                              -recording::festkomma::kGrenze,
                              recording::festkomma::kGrenze,
                              true},
                    RegelFall{{1, recording::festkomma::kGrenze}, 0, 0, false}));

struct FaelligFall {
    int sekunde;
    int minute;
    // Due intervals in table order, 1 s first.
    const char* faellig;
};

void PrintTo(const FaelligFall& f, std::ostream* os) {
    *os << f.minute << ':' << f.sekunde;
}

class Faelligkeit : public testing::TestWithParam<FaelligFall> {};

TEST_P(Faelligkeit, FollowsTheTable) {
    const FaelligFall& f = GetParam();
    std::string ist;
    for (int i = 0; i < recording::kIntervallAnzahl; ++i)
        ist += recording::faellig(recording::intervallAusIndex(i), f.sekunde, f.minute) ? '1' : '0';
    EXPECT_EQ(ist, f.faellig) << f.minute << ':' << f.sekunde;
}

INSTANTIATE_TEST_SUITE_P(Tabelle, Faelligkeit,
                         testing::Values(FaelligFall{0, 0, "111111111111"}, FaelligFall{1, 1, "100000000000"},
                                         FaelligFall{2, 3, "110000000000"}, FaelligFall{5, 5, "101000001000"},
                                         FaelligFall{10, 10, "111100011100"}, FaelligFall{20, 30, "111110011110"},
                                         FaelligFall{30, 2, "111101010000"}, FaelligFall{40, 59, "111110000000"},
                                         FaelligFall{0, 1, "111111100000"}, FaelligFall{59, 0, "100000011111"},
                                         FaelligFall{15, 20, "101000011100"}, FaelligFall{45, 45, "101000001000"}));

} // namespace
