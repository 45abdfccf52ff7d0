#include "platform/dateiwechsel.h"
#include "platform/geduld.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using platform::Geduld;
using platform::Versuch;

constexpr unsigned long kBesetzt = 32;

// A clock that only moves when the rule pauses or an attempt takes its time.
struct Zeitlauf {
    std::chrono::milliseconds jetzt{0};
    std::vector<std::chrono::milliseconds> pausen;
    Geduld geduld() {
        return Geduld([this] { return jetzt; },
                      [this](std::chrono::milliseconds p) {
                          pausen.push_back(p);
                          jetzt += p;
                      });
    }
};

TEST(Geduld, BesetztEtwaEineSekundeMitKurzenErstenPausenDannDerLetzteFehler) {
    struct Fall {
        const char* name;
        std::chrono::milliseconds versuchsdauer;
    };
    for (const Fall& fall : {Fall{"schnelle Versuche", 0ms}, Fall{"langsame Versuche", 400ms}}) {
        Zeitlauf zeit;
        std::vector<std::chrono::milliseconds> versuche;
        const Versuch ergebnis = zeit.geduld().wiederholen([&] {
            versuche.push_back(zeit.jetzt);
            zeit.jetzt += fall.versuchsdauer;
            return Versuch{kBesetzt + versuche.size(), true};
        });
        EXPECT_EQ(ergebnis.fehler, kBesetzt + versuche.size()) << fall.name; // the last attempt's error
        ASSERT_EQ(versuche.size(), zeit.pausen.size() + 1) << fall.name;
        ASSERT_GE(versuche.size(), 3u) << fall.name;
        EXPECT_EQ(zeit.pausen.front(), 10ms) << fall.name;
        for (const auto pause : zeit.pausen)
            EXPECT_LE(pause, 100ms) << fall.name;
        // The last attempt comes at the deadline or after it, and no attempt is made once it has passed.
        EXPECT_LT(versuche[versuche.size() - 2], Geduld::kFrist) << fall.name;
        EXPECT_LE(versuche.back(), Geduld::kFrist + fall.versuchsdauer) << fall.name;
        EXPECT_GE(zeit.jetzt, Geduld::kFrist) << fall.name;
    }
    // Quick attempts use up the second in pauses: an attempt about every 100 ms once the first short ones are over.
    Zeitlauf zeit;
    int anzahl = 0;
    zeit.geduld().wiederholen([&] {
        ++anzahl;
        return Versuch{kBesetzt, true};
    });
    EXPECT_EQ(zeit.jetzt, Geduld::kFrist);
    EXPECT_GE(anzahl, 10);
}

TEST(Geduld, HoertAufSobaldEsGehtOderWartenNichtsAendert) {
    struct Fall {
        const char* name;
        std::vector<Versuch> antworten;
        unsigned long ergebnis;
        size_t pausen;
    };
    const Fall faelle[] = {
        {"gleich frei", {{0, false}}, 0, 0},
        {"nach zwei besetzten frei", {{kBesetzt, true}, {kBesetzt, true}, {0, false}}, 0, 2},
        {"ein anderer Fehler", {{2, false}, {0, false}}, 2, 0},
        {"erst besetzt, dann ein anderer Fehler", {{kBesetzt, true}, {3, false}, {0, false}}, 3, 1},
    };
    for (const Fall& fall : faelle) {
        Zeitlauf zeit;
        size_t n = 0;
        const Versuch ergebnis = zeit.geduld().wiederholen([&] { return fall.antworten.at(n++); });
        EXPECT_EQ(ergebnis.fehler, fall.ergebnis) << fall.name;
        EXPECT_EQ(zeit.pausen.size(), fall.pausen) << fall.name;
        EXPECT_EQ(n, fall.pausen + 1) << fall.name;
    }
}

QByteArray lesen(const QString& pfad) {
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("(fehlt)");
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
    QFile datei(pfad);
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    ASSERT_EQ(datei.write(inhalt), inhalt.size());
}

TEST(Dateiwechsel, ErsetztSichertUndEntferntEchteDateien) {
    QTemporaryDir ordner;
    const QDir d(ordner.path());
    schreiben(d.filePath(QStringLiteral("neu")), "neu");
    schreiben(d.filePath(QStringLiteral("alt")), "alt");
    platform::Dateiwechsel wechsel;

    EXPECT_TRUE(wechsel.sichern(d.filePath(QStringLiteral("neu"))));
    EXPECT_TRUE(wechsel.umbenennen(d.filePath(QStringLiteral("neu")), d.filePath(QStringLiteral("alt"))));
    EXPECT_TRUE(wechsel.ordnerSichern(ordner.path()));
    EXPECT_EQ(lesen(d.filePath(QStringLiteral("alt"))), "neu");
    EXPECT_FALSE(QFile::exists(d.filePath(QStringLiteral("neu"))));

    schreiben(d.filePath(QStringLiteral("weg")), "weg");
    EXPECT_TRUE(wechsel.entfernen(d.filePath(QStringLiteral("weg"))));
    EXPECT_TRUE(wechsel.entfernen(d.filePath(QStringLiteral("weg")))); // gone counts as removed
    EXPECT_EQ(d.entryList(QDir::Files), QStringList{QStringLiteral("alt")});
    EXPECT_TRUE(wechsel.fehler().isEmpty());
}

TEST(Dateiwechsel, SagtDenFehlerMitDenWortenDesSystemsUndWartetNurWennBesetzt) {
    QTemporaryDir ordner;
    const QDir d(ordner.path());
    d.mkpath(QStringLiteral("ordner/voll"));
    schreiben(d.filePath(QStringLiteral("datei")), "x");
    Zeitlauf zeit;
    platform::Dateiwechsel wechsel(zeit.geduld());
    const auto systemText = [](int fehler) { return QString::fromLocal8Bit(std::strerror(fehler)); };

    EXPECT_FALSE(wechsel.umbenennen(d.filePath(QStringLiteral("fehlt")), d.filePath(QStringLiteral("datei"))));
    EXPECT_EQ(wechsel.fehler(), systemText(ENOENT));
    EXPECT_FALSE(wechsel.umbenennen(d.filePath(QStringLiteral("datei")), d.filePath(QStringLiteral("ordner"))));
    EXPECT_EQ(wechsel.fehler(), systemText(EISDIR));
    EXPECT_FALSE(wechsel.sichern(d.filePath(QStringLiteral("fehlt"))));
    EXPECT_EQ(wechsel.fehler(), systemText(ENOENT));
    EXPECT_FALSE(wechsel.entfernen(d.filePath(QStringLiteral("ordner"))));
    EXPECT_EQ(wechsel.fehler(), systemText(EISDIR));
    EXPECT_TRUE(zeit.pausen.empty()); // none of these mends itself by waiting
    EXPECT_EQ(lesen(d.filePath(QStringLiteral("datei"))), "x");
}

} // namespace
