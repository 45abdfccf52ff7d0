// A program started on a computer, or by a job, in another language: once it has set itself up, the record
// list, the chart, the calendar and Qt's own dialogs speak German.
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/sprache.h"
#include "shell/verlaufsdiagramm.h"
#include "testdatenbank.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class Sprache : public testing::Test {
protected:
    void SetUp() override {
        // What the process finds before the program's set-up: the computer's language is English.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        geladen = shell::spracheEinrichten();
    }
    void TearDown() override { QLocale::setDefault(m_vorher); }

    QStringList geladen;

private:
    QLocale m_vorher;
};

TEST_F(Sprache, TheListShowsDatesAndWeightsInGermanForm) {
    TestDatenbank t;
    t.mdbAusVorlage();
    recording::WeightStore store;
    ASSERT_TRUE(store.oeffnen(t.mdb()));
    const QDateTime moment(QDate(2026, 12, 8), QTime(14, 3, 7));
    for (const char* gewicht : {"1234567,04", "-0,06", "12"})
        ASSERT_TRUE(store.speichern(QString::fromLatin1(gewicht), moment));
    // As the program makes it: with no locale of its own.
    recording::GewichteListe liste;
    liste.setPfad(t.mdb());
    ASSERT_TRUE(liste.abfragen());
    ASSERT_EQ(liste.rowCount(), 3);
    const QString erwartet[][2] = {{QStringLiteral("08.12.2026 14:03:07"), QStringLiteral("12,0")},
                                   {QStringLiteral("08.12.2026 14:03:07"), QStringLiteral("-0,1")},
                                   {QStringLiteral("08.12.2026 14:03:07"), QStringLiteral("1.234.567,0")}};
    for (int zeile = 0; zeile < 3; ++zeile) {
        for (int spalte = 0; spalte < 2; ++spalte)
            EXPECT_EQ(liste.data(liste.index(zeile, spalte)).toString(), erwartet[zeile][spalte])
                << zeile << '/' << spalte;
    }
}

TEST_F(Sprache, TheChartsScaleIsWrittenInGermanForm) {
    shell::VerlaufsDiagramm diagramm;
    diagramm.resize(565, 200);
    for (const auto& [unten, oben, marke, text] : {std::tuple{0.0, 1500000.0, 1500000.0, QStringLiteral("1.500.000")},
                                                   std::tuple{0.0, 1.5, 0.5, QStringLiteral("0,5")},
                                                   std::tuple{-2500.0, 0.0, -2000.0, QStringLiteral("-2.000")}}) {
        recording::TagesWerte werte;
        werte.spalten = diagramm.spalten();
        werte.verlauf.append({0, unten, oben});
        werte.anzahl = 1;
        werte.min = unten;
        werte.max = oben;
        diagramm.setWerte(werte);
        ASSERT_TRUE(diagramm.teilung().contains(marke)) << text.toStdString();
        EXPECT_EQ(diagramm.achsenText(marke), text);
    }
}

TEST_F(Sprache, QtsOwnDialogsAndTheCalendarSpeakGerman) {
    ASSERT_FALSE(geladen.isEmpty()) << "no German translation of Qt found";
    QDialogButtonBox knoepfe(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(knoepfe.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));

    QCalendarWidget kalender;
    kalender.setSelectedDate(QDate(2026, 12, 8));
    const auto* monat = kalender.findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(monat, nullptr);
    EXPECT_EQ(monat->text(), QStringLiteral("Dezember"));
}

} // namespace
