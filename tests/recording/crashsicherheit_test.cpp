#include "testdatenbank.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>

namespace {

// How many times the recorder is killed: a few in CI, more from the benchmark script through the environment.
int runden() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("GRAMURA_CRASH_RUNDEN", &ok);
    return ok && n > 0 ? n : 3;
}

TEST(Crashsicherheit, JedeGemeldeteZeileUeberstehtSigkill) {
    TestDatenbank t;
    t.mdbAusVorlage();
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator zufall(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));

    QSet<double> gemeldet;
    for (int runde = 1; runde <= runden(); ++runde) {
        QProcess aufzeichner;
        aufzeichner.start(QStringLiteral(GRAMURA_AUFZEICHNER),
                          {QStringLiteral("aufzeichnen"), t.mdb(), QString::number(runde), QStringLiteral("40")});
        ASSERT_TRUE(aufzeichner.waitForStarted(10000));
        // At a random moment, whatever the recorder is doing: between rows, in the insert or in the fsync.
        const int warten = 150 + static_cast<int>(zufall.bounded(1200));
        aufzeichner.waitForFinished(warten);
        ASSERT_EQ(aufzeichner.state(), QProcess::Running) << aufzeichner.readAllStandardError().toStdString();
        aufzeichner.kill();
        ASSERT_TRUE(aufzeichner.waitForFinished(10000));

        const QList<QByteArray> zeilen = aufzeichner.readAllStandardOutput().split('\n');
        // The last piece is empty or a line cut short by the kill; neither counts as reported.
        for (qsizetype i = 0; i + 1 < zeilen.size(); ++i) {
            const QByteArray zeile = zeilen[i];
            ASSERT_TRUE(zeile.startsWith("gespeichert ")) << zeile.toStdString();
            gemeldet.insert(zeile.mid(12).replace(',', '.').toDouble());
        }

        ASSERT_EQ(TestDatenbank::abfrage(t.mdb(), QStringLiteral("PRAGMA integrity_check")),
                  QVariantList{QVariant(QStringLiteral("ok"))})
            << "nach Runde " << runde;
    }
    ASSERT_FALSE(gemeldet.isEmpty());

    QSet<double> gespeichert;
    for (const QVariant& wert : TestDatenbank::abfrage(t.mdb(), QStringLiteral("select Gewicht from Gewichte")))
        gespeichert.insert(wert.toDouble());
    for (double wert : gemeldet)
        EXPECT_TRUE(gespeichert.contains(wert)) << "gemeldet, aber nicht da: " << wert;
}

} // namespace
