#include "platform/konsolenausgabe.h"

#include <QByteArray>
#include <QList>
#include <gtest/gtest.h>

namespace {

// The bytes of a CSV as the export writes them, cut into writes at each place a case gives: the console is
// handed the same text whatever the cuts, without the byte order mark.
TEST(KonsolenAusgabe, TextWieGeschriebenOhneByteOrderMark) {
    const QByteArray csv = QByteArrayLiteral("\xEF\xBB\xBF"
                                             "Datum;Uhrzeit;Gewicht\r\nPr\xC3\xBC"
                                             "fung;;5\r\n");
    const QString erwartet = QStringLiteral("Datum;Uhrzeit;Gewicht\r\nPrüfung;;5\r\n");
    struct Fall {
        const char* name;
        QList<int> schnitte;
    };
    const Fall faelle[] = {
        {"in einem Stück", {}},
        {"je Zeile", {26}},
        {"mitten im Umlaut", {30}},
        {"mitten in der Marke", {1, 2}},
        {"Byte für Byte",
         [&] {
             QList<int> alle;
             for (int i = 1; i < csv.size(); ++i)
                 alle << i;
             return alle;
         }()},
    };
    for (const Fall& fall : faelle) {
        QString gezeigt;
        platform::KonsolenAusgabe ausgabe([&gezeigt](const QString& text) {
            gezeigt += text;
            return true;
        });
        ASSERT_TRUE(ausgabe.open(QIODevice::WriteOnly));
        int von = 0;
        for (const int bis : fall.schnitte + QList<int>{int(csv.size())}) {
            EXPECT_EQ(ausgabe.write(csv.mid(von, bis - von)), bis - von) << fall.name;
            von = bis;
        }
        EXPECT_EQ(gezeigt, erwartet) << fall.name;
    }
}

TEST(KonsolenAusgabe, AbgelehnterTextIstEinSchreibfehler) {
    platform::KonsolenAusgabe ausgabe([](const QString&) { return false; });
    ASSERT_TRUE(ausgabe.open(QIODevice::WriteOnly));
    EXPECT_EQ(ausgabe.write(QByteArrayLiteral("Datum;Uhrzeit;Gewicht\r\n")), -1);
    EXPECT_FALSE(ausgabe.errorString().isEmpty());
}

} // namespace
