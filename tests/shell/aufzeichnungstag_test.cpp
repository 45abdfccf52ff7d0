// A recording day pressed into one run: the real window with the real recording tick, weight store, record
// list and page on a real zel.mdb, the clock moved on one second per tick, one row a second. Other programs
// read the file meanwhile, each a sqlite3 process of its own, and one of them holds a read transaction open
// for a long while. Throughout, the -wal file must stay within what SQLite's checkpoints allow, so that a
// read snapshot pinned by the program itself (a statement left open by the list, say) shows at once.
//
// The normal run records 6,000 seconds, enough for the -wal file to start over a dozen times; with
// GRAMURA_GANZER_TAG set it records the whole day of 86,400.
#include "fakes/zaehlenderspeicher.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/vorlage.h"
#include "recording/weightstore.h"
#include "recording_controls_fixture.h"
#include "shell/aufzeichnung.h"
#include "shell/gewichteraster.h"
#include "shell/pankenn.h"
#include "shell/tabkenn.h"
#include "sqliteprozess.h"
#include "testdatenbank.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

constexpr int kVerdichteterTag = 6000;
constexpr int kGanzerTag = 24 * 60 * 60;

// SQLite appends every page a commit changes to the -wal file as a frame, 24 bytes of frame header and the
// 4096-byte page, behind the file's own 32-byte header. Once a commit has brought the log to 1000 frames
// it checkpoints, and the next commit starts the log over from its beginning; after a checkpoint the file
// is cut back to Datenquelle::kWalGrenzeBytes, but not shorter, when it has grown longer (an outside reader
// held it). So the file is no longer than the larger of the cut-back size and 1000 frames, plus the frames of
// the one commit that went past the 1000th: for one row the table's leaf, the Datum index's leaf, page 1
// when the file grows, and on a split new leaves and their parents in both trees, fewer than 16 frames.
constexpr qint64 kWalKopf = 32;
constexpr qint64 kRahmen = 24 + 4096;
constexpr qint64 kCheckpunktRahmen = 1000;
constexpr qint64 kRahmenJeZeileHoechstens = 16;
constexpr qint64 kWalSchranke =
    std::max(recording::Datenquelle::kWalGrenzeBytes, kWalKopf + kCheckpunktRahmen * kRahmen) +
    kRahmenJeZeileHoechstens * kRahmen; // 4,260,224 bytes

// How often the others look: the outside count every few hundred rows, the operator at the list every
// few thousand, the first time before the long read, so that a list that pinned its snapshot meets the
// bound and not only the long reader's allowance.
constexpr int kZaehlenAlle = 300;
constexpr int kListeAlle = 2000;
// The outside reader that holds its snapshot: from this row on, for this many rows; then the -wal file has
// this many rows to come back within its bound.
constexpr int kLeserAb = 2400;
constexpr int kLeserZeilen = 2000;
constexpr int kRueckkehrFrist = 1500;
static_assert(kLeserAb + kLeserZeilen + kRueckkehrFrist <= kVerdichteterTag);

const QDateTime kMitternacht(QDate(2026, 12, 7), QTime(0, 0, 0, shell::Aufzeichnung::kNachlaufMs));

// The weight on the indicator in second i: a tenth of a kilogram more every second, so each row is its own.
double gewicht(int sekunde) {
    return (1000 + sekunde) / 10.0;
}

QString gewichtFeld(int sekunde) {
    const int zehntel = 1000 + sekunde;
    return QStringLiteral("%1,%2").arg(zehntel / 10).arg(zehntel % 10);
}

// Looked at from outside: stat() only, no descriptor that could upset SQLite's locks in this process.
qint64 walGroesse(const QString& mdb) {
    std::error_code fehler;
    const auto groesse = std::filesystem::file_size((mdb + QStringLiteral("-wal")).toStdString(), fehler);
    return fehler ? 0 : static_cast<qint64>(groesse);
}

QString bildschirm(const shell::GewichteRaster* grid, int zeile, int spalte) {
    return grid->model()->data(grid->model()->index(zeile, spalte)).toString();
}

class AufzeichnungsTag : public FrmMainMitAufzeichnung {
protected:
    void SetUp() override {
        FrmMainMitAufzeichnung::SetUp();
        // Only the one-second interval, threshold 0: every second stores a row.
        setting("chk10s", "0");
        setting("chk1s", "1");
        setting("txt1s", "0");
        frm = std::make_unique<shell::FrmMain>(shell::FrmMainDienste{.settings = store,
                                                                     .link = link,
                                                                     .ports = ports,
                                                                     .meldungen = meldungen,
                                                                     .speicher = &zaehler,
                                                                     .uhr = &uhr,
                                                                     .datenbank = &pflege});
        frm->Form_Load(); // makes zel.mdb from the template and puts store and list on it
        ASSERT_TRUE(meldungen.gezeigt.isEmpty()) << meldungen.gezeigt.join('\n').toStdString();
        ASSERT_TRUE(gewichtStore.offen()) << gewichtStore.fehler().toStdString();
        frm->show();
    }

    void tick(int sekunde) {
        uhr.zeit = kMitternacht.addSecs(sekunde);
        frm->txtgewicht()->setText(gewichtFeld(sekunde));
        frm->aufzeichnung()->Timer2_Timer();
    }

    // What another program counts in the file just now.
    static QString aussenGezaehlt(const QString& mdb) {
        const auto e = SqliteProzess::ausfuehren(mdb, QStringLiteral("select count(*) from Gewichte"));
        return e.rc == 0 ? e.zeilen.join(u';') : QStringLiteral("sqlite3: ") + e.fehler;
    }

    QString gewichtAnzeige(int sekunde) const { return recording::GewichteListe::gewichtText(gewicht(sekunde), m_de); }
    QString datumAnzeige(int sekunde) const {
        return recording::GewichteListe::datumText(recording::datumSpeicherform(kMitternacht.addSecs(sekunde)));
    }

    // The operator opens "Aufzeichnung", looks at the top, jumps to the end and drags to the middle, and
    // goes back to the weight.
    void listeLesen(int gespeichert) {
        frm->tabkenn()->setCurrentIndex(shell::PanKenn::kIndex);
        QApplication::processEvents(); // painted as the operator sees it
        ASSERT_TRUE(liste.abgefragt()) << liste.fehler().toStdString();
        ASSERT_EQ(liste.rowCount(), gespeichert);
        shell::GewichteRaster* grid = frm->pankenn()->grdgewichte();
        const int ganz = grid->ganzeZeilen();
        ASSERT_GT(ganz, 3);
        EXPECT_EQ(grid->verticalScrollBar()->maximum(), gespeichert - ganz);
        EXPECT_EQ(bildschirm(grid, 0, 1), gewichtAnzeige(gespeichert - 1));
        EXPECT_EQ(bildschirm(grid, 0, 0), datumAnzeige(gespeichert - 1));

        grid->setFocus();
        QKeyEvent ende(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(grid, &ende);
        QApplication::processEvents();
        EXPECT_EQ(grid->aktuelleZeile(), gespeichert - 1);
        EXPECT_EQ(bildschirm(grid, ganz - 1, 1), gewichtAnzeige(0));
        EXPECT_EQ(bildschirm(grid, ganz - 1, 0), datumAnzeige(0));

        const int mitte = grid->verticalScrollBar()->maximum() / 2;
        grid->verticalScrollBar()->setValue(mitte);
        QApplication::processEvents();
        EXPECT_EQ(grid->ersteZeile(), mitte);
        EXPECT_EQ(bildschirm(grid, 0, 1), gewichtAnzeige(gespeichert - 1 - mitte));
        EXPECT_EQ(bildschirm(grid, 0, 0), datumAnzeige(gespeichert - 1 - mitte));

        frm->tabkenn()->setCurrentIndex(1);
        QApplication::processEvents();
        EXPECT_TRUE(frm->cmdlöschen()->isHidden());
        ++listenGelesen;
    }

    TestDatenbank t;
    recording::WeightStore gewichtStore;
    recording::GewichteListe liste{QLocale(QLocale::German, QLocale::Germany)};
    recording::Datenbankpflege pflege{recording::DatenOrt{t.ordner(), t.vorlage()}, gewichtStore, liste};
    ZaehlenderSpeicher zaehler{gewichtStore};
    int listenGelesen = 0;

private:
    QLocale m_de{QLocale::German, QLocale::Germany};
};

TEST_F(AufzeichnungsTag, JedeSekundeEineZeileKeineGehtVerlorenUndDasWalBleibtBegrenzt) {
    const bool ganzerTag = qEnvironmentVariableIsSet("GRAMURA_GANZER_TAG");
    const int sekunden = ganzerTag ? kGanzerTag : kVerdichteterTag;
    const QString mdb = t.mdb();
    QElapsedTimer dauer;
    dauer.start();

    qint64 walHoechst = 0;         // outside the long read
    qint64 walHoechstGehalten = 0; // while the long reader holds its snapshot and until the file is back
    int aussenZaehlungen = 0;
    int rueckkehrNach = -1;
    std::optional<SqliteProzess> leser;
    int leserLosgelassenBei = -1;

    for (int s = 0; s < sekunden; ++s) {
        tick(s);
        const int gespeichert = s + 1;
        ASSERT_EQ(zaehler.gespeichert, gespeichert) << "second " << s << ": " << gewichtStore.fehler().toStdString();

        const qint64 wal = walGroesse(mdb);
        if (leser || leserLosgelassenBei >= 0) {
            walHoechstGehalten = std::max(walHoechstGehalten, wal);
            if (leserLosgelassenBei >= 0 && wal <= kWalSchranke) {
                rueckkehrNach = gespeichert - leserLosgelassenBei;
                leserLosgelassenBei = -1;
            } else if (leserLosgelassenBei >= 0 && gespeichert - leserLosgelassenBei >= kRueckkehrFrist) {
                FAIL() << "-wal still " << wal << " bytes " << kRueckkehrFrist
                       << " rows after the outside reader let go; bound " << kWalSchranke;
            }
        } else {
            walHoechst = std::max(walHoechst, wal);
            if (wal > kWalSchranke)
                FAIL() << "-wal " << wal << " bytes after row " << gespeichert << ", bound " << kWalSchranke;
        }

        if (gespeichert % kZaehlenAlle == 0) {
            ASSERT_EQ(aussenGezaehlt(mdb), QString::number(gespeichert)) << "after row " << gespeichert;
            ++aussenZaehlungen;
        }
        if (gespeichert % kListeAlle == 0) {
            listeLesen(gespeichert);
            if (HasFatalFailure())
                return;
        }
        if (gespeichert == kLeserAb) {
            leser.emplace(mdb);
            const auto anfang = leser->eingeben(QStringLiteral("begin; select count(*) from Gewichte;"));
            ASSERT_TRUE(anfang);
            ASSERT_EQ(anfang->join(u';'), QString::number(gespeichert));
        }
        if (gespeichert == kLeserAb + kLeserZeilen) {
            // Still its first snapshot: the reader really held the log all along.
            const auto spaeter = leser->eingeben(QStringLiteral("select count(*) from Gewichte;"));
            ASSERT_TRUE(spaeter);
            ASSERT_EQ(spaeter->join(u';'), QString::number(kLeserAb));
            ASSERT_TRUE(leser->eingeben(QStringLiteral("commit;")));
            ASSERT_TRUE(leser->beenden());
            leser.reset();
            leserLosgelassenBei = gespeichert;
            // Held for thousands of rows, the log cannot have started over; otherwise this run proves
            // nothing about coming back.
            EXPECT_GT(walHoechstGehalten, kWalSchranke);
        }
    }
    const qint64 ms = dauer.elapsed();
    EXPECT_GE(rueckkehrNach, 0) << "the -wal file never came back after the outside reader let go";

    // Nothing lost, as another program finds the file: every row, the oldest and the newest weight.
    EXPECT_EQ(aussenGezaehlt(mdb), QString::number(sekunden));
    const auto enden = SqliteProzess::ausfuehren(
        mdb, QStringLiteral("select (select Gewicht from Gewichte order by Datum asc, rowid asc limit 1), "
                            "(select Gewicht from Gewichte order by Datum desc, rowid desc limit 1), "
                            "count(distinct Datum) from Gewichte"));
    ASSERT_EQ(enden.rc, 0) << enden.fehler.toStdString();
    ASSERT_EQ(enden.zeilen.size(), 1);
    const QStringList felder = enden.zeilen.first().split(u'|');
    ASSERT_EQ(felder.size(), 3) << enden.zeilen.first().toStdString();
    EXPECT_DOUBLE_EQ(felder[0].toDouble(), gewicht(0));
    EXPECT_DOUBLE_EQ(felder[1].toDouble(), gewicht(sekunden - 1));
    EXPECT_EQ(felder[2].toInt(), sekunden);
    EXPECT_EQ(SqliteProzess::integritaet(mdb), "ok");
    EXPECT_FALSE(frm->aufzeichnung()->gestoert());
    EXPECT_TRUE(meldungen.gezeigt.isEmpty()) << meldungen.gezeigt.join('\n').toStdString();

    std::printf("%s: %d rows in %.1f s; -wal at most %lld bytes (bound %lld), %lld while held; back %d rows "
                "after the reader let go; %d outside counts, list read %d times\n",
                ganzerTag ? "whole day" : "compressed day", sekunden, ms / 1000.0, static_cast<long long>(walHoechst),
                static_cast<long long>(kWalSchranke), static_cast<long long>(walHoechstGehalten), rueckkehrNach,
                aussenZaehlungen, listenGelesen);
    RecordProperty("rows", sekunden);
    RecordProperty("milliseconds", static_cast<int>(ms));
    RecordProperty("walMaxBytes", static_cast<int>(walHoechst));
    RecordProperty("walMaxHeldBytes", static_cast<int>(walHoechstGehalten));
}

} // namespace
