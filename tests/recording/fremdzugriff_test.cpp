// The program records while other programs read, copy, lock or empty zel.mdb, each in a process of its own,
// and then it is killed. Whatever happened, a row the program reported stored must be visible to the others
// while it runs and in the file after the kill. SQLite's locks are what make this so, and the program can
// lose them without noticing (any close() of another descriptor of the file drops them all); another
// program then takes itself for the last one on the file, checkpoints and deletes the -wal under the running
// program, which goes on writing into the deleted file.
#include "programmprozess.h"
#include "sqliteprozess.h"
#include "testdatenbank.h"

#include <QElapsedTimer>

namespace {

// Rows every 100 ms: enough rows within a second or two, and never so fast that the commands wait long.
constexpr int kIntervallMs = 100;
constexpr int kVorherZeilen = 3000;

testing::AssertionResult alleDa(const QList<double>& gemeldet, const std::optional<QSet<double>>& da) {
    if (!da)
        return testing::AssertionFailure() << "Datei nicht lesbar";
    if (gemeldet.isEmpty())
        return testing::AssertionFailure() << "keine Zeile gemeldet";
    QStringList fehlen;
    for (double w : gemeldet)
        if (!da->contains(w))
            fehlen << QString::number(w, 'f', 1);
    if (fehlen.isEmpty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << fehlen.size() << " von " << gemeldet.size()
                                       << " gemeldeten Zeilen fehlen: " << fehlen.join(u' ').toStdString();
}

testing::AssertionResult keinerDa(const QList<double>& werte, const std::optional<QSet<double>>& da) {
    if (!da)
        return testing::AssertionFailure() << "Datei nicht lesbar";
    QStringList doch;
    for (double w : werte)
        if (da->contains(w))
            doch << QString::number(w, 'f', 1);
    if (doch.isEmpty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "trotzdem da: " << doch.join(u' ').toStdString();
}

class Fremdzugriff : public testing::Test {
protected:
    // zel.mdb from the template with a few thousand older rows, so the list has pages to go through.
    void SetUp() override {
        t.mdbAusVorlage();
        const auto e = SqliteProzess::ausfuehren(
            t.mdb(), QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                                    "insert into Gewichte (Datum, Gewicht) select strftime('%Y-%m-%d %H:%M:%S', "
                                    "'2026-01-01', '+' || i || ' minutes'), i * 1.5 from n")
                         .arg(kVorherZeilen));
        ASSERT_EQ(e.rc, 0) << e.fehler.toStdString();
        ASSERT_EQ(TestDatenbank::zeilen(t.mdb()), kVorherZeilen);
        programm.emplace(t.ordner(), kIntervallMs);
        ASSERT_TRUE(programm->bereit()) << programm->fehlerausgabe().toStdString();
        ASSERT_TRUE(programm->weitereGespeichert(3)) << programm->fehlerausgabe().toStdString();
    }

    // Another program reads: it must see every row reported stored before it started.
    void draussenLesen() {
        const QList<double> gemeldet = programm->gespeichert();
        EXPECT_TRUE(alleDa(gemeldet, SqliteProzess::programmwerte(t.mdb()))) << "von außen gelesen";
    }

    // SIGKILL, then the file as the next program finds it: every reported row there, and sound.
    void toetenUndPruefen() {
        programm->toeten();
        EXPECT_TRUE(alleDa(programm->gespeichert(), SqliteProzess::programmwerte(t.mdb()))) << "nach SIGKILL";
        EXPECT_EQ(SqliteProzess::integritaet(t.mdb()), "ok");
    }

    TestDatenbank t;
    std::optional<ProgrammProzess> programm;
};

TEST_F(Fremdzugriff, SeiteAufzeichnungHinUndZurueckDannLiestEinAnderer) {
    ASSERT_TRUE(programm->befehl("liste"));
    ASSERT_TRUE(programm->befehl("weg"));
    const auto anzahl = SqliteProzess::ausfuehren(t.mdb(), QStringLiteral("select count(*) from gewichte"));
    ASSERT_EQ(anzahl.rc, 0) << anzahl.fehler.toStdString();
    ASSERT_EQ(anzahl.zeilen.size(), 1);
    EXPECT_GE(anzahl.zeilen.first().toInt(), kVorherZeilen + programm->gespeichert().size());
    ASSERT_TRUE(programm->weitereGespeichert(12));
    draussenLesen();
    toetenUndPruefen();
}

TEST_F(Fremdzugriff, ErsterWechselAufAufzeichnungWaehrendDesAufzeichnens) {
    const auto antwort = programm->befehl("liste");
    ASSERT_TRUE(antwort);
    // The list has read the file: at least the rows on screen are there.
    EXPECT_GE(programm->zeilen()[*antwort].split(' ').value(2).toInt(), 30)
        << programm->zeilen()[*antwort].toStdString();
    draussenLesen();
    ASSERT_TRUE(programm->weitereGespeichert(12));
    draussenLesen();
    toetenUndPruefen();
}

TEST_F(Fremdzugriff, ListeHaeltKeinenLesestandFest) {
    ASSERT_TRUE(programm->befehl("liste"));
    // Still on the page: a checkpoint from outside gets through the whole -wal, so the file can start over.
    // A read snapshot held by the list would keep it at the frames after that snapshot, and the -wal would
    // grow for as long as the page stays open.
    const auto checkpoint = SqliteProzess::ausfuehren(t.mdb(), QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    ASSERT_EQ(checkpoint.rc, 0) << checkpoint.fehler.toStdString();
    ASSERT_EQ(checkpoint.zeilen.size(), 1);
    EXPECT_EQ(checkpoint.zeilen.first().section(u'|', 0, 0).toStdString(), "0")
        << "busy|log|checkpointed: " << checkpoint.zeilen.first().toStdString();
    ASSERT_TRUE(programm->weitereGespeichert(5));
    draussenLesen();
    toetenUndPruefen();
}

TEST_F(Fremdzugriff, LoeschenWaehrendDesAufzeichnens) {
    ASSERT_TRUE(programm->befehl("liste"));
    ASSERT_TRUE(programm->weitereGespeichert(2));
    const auto geleert = programm->befehl("loeschen");
    ASSERT_TRUE(geleert);
    ASSERT_EQ(programm->zeilen()[*geleert], "ok loeschen");
    // Nothing is stored while the button's work runs, so the order of the lines tells before from after.
    const QList<double> vorher = programm->gespeichert(0, *geleert);
    ASSERT_FALSE(vorher.isEmpty());
    // The new file, with the list on it again, read from outside twice with rows recorded in between.
    for (int lesen = 0; lesen < 2; ++lesen) {
        ASSERT_TRUE(programm->weitereGespeichert(lesen == 0 ? 3 : 12));
        const auto draussen = SqliteProzess::programmwerte(t.mdb());
        EXPECT_TRUE(alleDa(programm->gespeichert(*geleert), draussen)) << "von außen gelesen";
        EXPECT_TRUE(keinerDa(vorher, draussen));
    }

    programm->toeten();
    const auto danach = SqliteProzess::programmwerte(t.mdb());
    EXPECT_TRUE(alleDa(programm->gespeichert(*geleert), danach)) << "nach SIGKILL";
    EXPECT_TRUE(keinerDa(vorher, danach));
    const auto alte =
        SqliteProzess::ausfuehren(t.mdb(), QStringLiteral("select count(*) from Gewichte where Gewicht < 100000"));
    EXPECT_EQ(alte.zeilen.join(u' ').toStdString(), "0") << alte.fehler.toStdString();
    EXPECT_EQ(SqliteProzess::integritaet(t.mdb()), "ok");
}

TEST_F(Fremdzugriff, SicherungskopieWaehrendDesAufzeichnens) {
    // With the list read once, as on a day the operator looked at it before the backup job ran.
    ASSERT_TRUE(programm->befehl("liste"));
    ASSERT_TRUE(programm->befehl("weg"));
    const QList<double> vorDerKopie = programm->gespeichert();
    const QString kopie = t.pfad(QStringLiteral("copy.mdb"));
    const auto sicherung = SqliteProzess::ausfuehren(t.mdb(), QStringLiteral(".backup '%1'").arg(kopie));
    ASSERT_EQ(sicherung.rc, 0) << sicherung.fehler.toStdString();
    EXPECT_TRUE(sicherung.fehler.isEmpty()) << sicherung.fehler.toStdString();
    EXPECT_EQ(SqliteProzess::integritaet(kopie), "ok");
    EXPECT_TRUE(alleDa(vorDerKopie, SqliteProzess::programmwerte(kopie))) << "in der Kopie";
    ASSERT_TRUE(programm->weitereGespeichert(12));
    draussenLesen();
    toetenUndPruefen();
}

TEST_F(Fremdzugriff, EinAndererHaeltDieSchreibsperre) {
    SqliteProzess sperre(t.mdb());
    ASSERT_TRUE(sperre.eingeben(QStringLiteral("begin exclusive;")));
    const qsizetype gesperrtAb = programm->zeilen().size();
    // Held for two seconds, and until the program has failed a few times; every row it tried in between met
    // the lock.
    QElapsedTimer gehalten;
    gehalten.start();
    ASSERT_TRUE(programm->warten(
        [&] { return gehalten.elapsed() >= 2000 && programm->nichtGespeichert(gesperrtAb).size() >= 3; }, 10000))
        << programm->fehlerausgabe().toStdString();
    const qsizetype freiAb = programm->zeilen().size();
    qsizetype ersterFehler = gesperrtAb;
    while (!programm->zeilen()[ersterFehler].startsWith("nicht gespeichert "))
        ++ersterFehler;
    EXPECT_TRUE(programm->gespeichert(ersterFehler, freiAb).isEmpty()) << "gespeichert trotz Sperre";
    ASSERT_TRUE(sperre.eingeben(QStringLiteral("commit;")));
    ASSERT_TRUE(sperre.beenden());

    // Recording resumes by itself once the lock is gone.
    ASSERT_TRUE(programm->weitereGespeichert(5));
    EXPECT_FALSE(programm->gespeichert(freiAb).isEmpty());
    draussenLesen();
    const QList<double> misslungen = programm->nichtGespeichert();
    EXPECT_TRUE(keinerDa(misslungen, SqliteProzess::programmwerte(t.mdb())));
    toetenUndPruefen();
    EXPECT_TRUE(keinerDa(misslungen, SqliteProzess::programmwerte(t.mdb())));
}

TEST_F(Fremdzugriff, EinAndererLiestLangeInEinerTransaktion) {
    SqliteProzess leser(t.mdb());
    const auto anfang = leser.eingeben(QStringLiteral("begin; select count(*) from gewichte;"));
    ASSERT_TRUE(anfang);
    ASSERT_EQ(anfang->size(), 1);
    // Recording goes on beside the read transaction, held open for five seconds...
    QElapsedTimer offen;
    offen.start();
    ASSERT_TRUE(programm->weitereGespeichert(20)) << programm->fehlerausgabe().toStdString();
    ASSERT_TRUE(programm->warten([&] { return offen.elapsed() >= 5000; }, 10000));
    EXPECT_TRUE(programm->nichtGespeichert().isEmpty());
    // ...which still sees the file as it was when it began: it was open all the while.
    const auto mitten = leser.eingeben(QStringLiteral("select count(*) from gewichte;"));
    ASSERT_TRUE(mitten);
    EXPECT_EQ(mitten->join(u' ').toStdString(), anfang->join(u' ').toStdString());
    const QList<double> gemeldet = programm->gespeichert();
    const auto spaeter = leser.eingeben(QStringLiteral("commit; select count(*) from gewichte;"));
    ASSERT_TRUE(spaeter);
    ASSERT_EQ(spaeter->size(), 1);
    EXPECT_GE(spaeter->first().toInt(), kVorherZeilen + gemeldet.size());
    ASSERT_TRUE(leser.beenden());
    draussenLesen();
    toetenUndPruefen();
}

} // namespace
