#include "acquisition/portmapping.h"
#include "acquisition/seriallink.h"
#include "fakes/fakeserialport.h"
#include "fakes/memorysettingsstore.h"
#include "fakes/recordingmeldungen.h"
#include "recording/datenbankpflege.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "shell/frmmain.h"
#include "shell/gewichteraster.h"
#include "shell/pankenn.h"
#include "shell/statusband.h"
#include "shell/tabkenn.h"
#include "shell/twips.h"
#include "testdatenbank.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <memory>

namespace {

using namespace recording;

struct Seite {
    explicit Seite(const TestDatenbank& t, QString vorlage = {})
        : pflege(DatenOrt{t.ordner(), vorlage.isNull() ? t.vorlage() : vorlage}, store, liste),
          pankenn(&pflege, meldungen) {
        fenster.resize(800, 500);
        pankenn.setParent(&fenster);
        pankenn.cmdlöschenAnlegen(&fenster);
    }
    void speichern(int anzahl) {
        for (int i = 0; i < anzahl; ++i)
            ASSERT_TRUE(store.speichern(QString::number(i), QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)).addSecs(i)));
    }
    WeightStore store;
    GewichteListe liste{QLocale(QLocale::German, QLocale::Germany)};
    Datenbankpflege pflege;
    RecordingMeldungen meldungen;
    QWidget fenster;
    shell::PanKenn pankenn;
};

TEST(PanKenn, GrdgewichteIstEineNurLesbareListeMitRand) {
    TestDatenbank t;
    Seite s(t);
    shell::GewichteRaster* grid = s.pankenn.grdgewichte();
    EXPECT_EQ(s.pankenn.objectName(), QStringLiteral("pankenn"));
    EXPECT_EQ(grid->objectName(), QStringLiteral("grdgewichte"));
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(grid->alternatingRowColors());
    EXPECT_TRUE(grid->horizontalHeader()->stretchLastSection());
    EXPECT_FALSE(grid->horizontalHeader()->sectionsMovable());
    EXPECT_FALSE(grid->verticalHeader()->isHidden());
    EXPECT_EQ(grid->liste(), &s.liste);

    s.fenster.show(); // a hidden page gets its resize only when shown
    const shell::Twips twips = shell::Twips::forWidget(&s.pankenn);
    s.pankenn.resize(twips.x(8385), twips.y(3870));
    EXPECT_EQ(grid->geometry(), twips.rect(90, 90, 8205, 3225));
    EXPECT_EQ(s.pankenn.cmdexportieren()->geometry(), twips.rect(90, 3405, 1395, 375));
    s.pankenn.resize(twips.x(12000), twips.y(6000));
    const int knopfOben = twips.y(6000) - twips.y(90) - twips.y(375);
    EXPECT_EQ(grid->geometry(),
              QRect(twips.x(90), twips.y(90), twips.x(12000) - 2 * twips.x(90), knopfOben - 2 * twips.y(90)));
    EXPECT_EQ(s.pankenn.cmdexportieren()->geometry(), QRect(twips.x(90), knopfOben, twips.x(1395), twips.y(375)));
}

TEST(PanKenn, TabwechselFragtNurAufDerAufzeichnungAbUndZeigtLoeschen) {
    TestDatenbank t;
    Seite s(t);
    s.pankenn.datenbankEinrichten();
    ASSERT_TRUE(s.meldungen.shown.isEmpty()) << s.meldungen.shown.join('\n').toStdString();
    s.speichern(3);
    QPushButton* loeschen = s.pankenn.cmdlöschen();
    EXPECT_EQ(loeschen->objectName(), QStringLiteral("cmdlöschen"));
    EXPECT_EQ(loeschen->text(), QStringLiteral("&Löschen"));
    EXPECT_TRUE(loeschen->isHidden()); // on its page only, from the start

    s.pankenn.tabkenn_Switch(1);
    EXPECT_TRUE(loeschen->isHidden());
    EXPECT_FALSE(s.liste.abgefragt());
    EXPECT_EQ(s.liste.rowCount(), 0);

    s.pankenn.tabkenn_Switch(2);
    EXPECT_FALSE(loeschen->isHidden());
    EXPECT_EQ(s.liste.rowCount(), 3);
    EXPECT_EQ(s.liste.data(s.liste.index(0, 1)).toString(), QStringLiteral("2,0"));

    s.speichern(1);
    s.pankenn.tabkenn_Switch(3);
    EXPECT_TRUE(loeschen->isHidden());
    EXPECT_EQ(s.liste.rowCount(), 3); // not re-read away from the tab
    s.pankenn.tabkenn_Switch(2);
    EXPECT_EQ(s.liste.rowCount(), 4);
}

void taste(QWidget* ziel, int taste, Qt::KeyboardModifiers mit = Qt::NoModifier) {
    QKeyEvent druck(QEvent::KeyPress, taste, mit);
    QApplication::sendEvent(ziel, &druck);
}

// The weight shown in the grid's row on screen, as the operator reads it.
QString gewichtAufDemSchirm(const shell::GewichteRaster* grid, int bildschirmZeile) {
    return grid->model()->data(grid->model()->index(bildschirmZeile, 1)).toString();
}

TEST(PanKenn, RasterZeigtNurDenSchirmUndBewegtSichDurchDieGanzeListe) {
    TestDatenbank t;
    t.mdbAusVorlage();
    {
        // 20,000 rows, one a second, oldest first; weight i on the row i seconds before the newest.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fuellen"));
        db.setDatabaseName(t.mdb());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral(
            "with recursive n(i) as (select 19999 union all select i - 1 from n where i > 0) "
            "insert into Gewichte select strftime('%Y-%m-%d %H:%M:%S', 1780000000 - i, 'unixepoch'), i from n")));
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fuellen"));
    Seite s(t);
    s.pankenn.datenbankEinrichten();
    s.fenster.show();
    s.pankenn.resize(600, 400);
    s.pankenn.tabkenn_Switch(2);
    shell::GewichteRaster* grid = s.pankenn.grdgewichte();
    const int ganz = grid->ganzeZeilen();
    ASSERT_GT(ganz, 3);

    // The view holds the screen's rows only; the scroll bar spans the whole list.
    EXPECT_LE(grid->model()->rowCount(), ganz + 1);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 20000 - ganz);
    EXPECT_EQ(gewichtAufDemSchirm(grid, 0), QStringLiteral("0,0"));

    grid->setFocus();
    taste(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid->aktuelleZeile(), 19999);
    EXPECT_EQ(grid->ersteZeile(), 20000 - ganz);
    EXPECT_EQ(gewichtAufDemSchirm(grid, ganz - 1), QStringLiteral("19.999,0"));
    EXPECT_EQ(grid->currentIndex().row(), ganz - 1);

    grid->verticalScrollBar()->setValue(10000); // dragged to the middle
    EXPECT_EQ(gewichtAufDemSchirm(grid, 0), QStringLiteral("10.000,0"));
    EXPECT_FALSE(grid->currentIndex().isValid()); // the current row is off screen now

    // Down from the last whole row moves the list by one row, the current row stays on the list's row.
    taste(grid, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < ganz; ++i)
        taste(grid, Qt::Key_Down);
    EXPECT_EQ(grid->aktuelleZeile(), ganz);
    EXPECT_EQ(grid->ersteZeile(), 1);
    EXPECT_EQ(grid->model()->data(grid->model()->index(grid->currentIndex().row(), 1)).toString(),
              QString::number(ganz) + QStringLiteral(",0"));
    taste(grid, Qt::Key_PageDown);
    EXPECT_EQ(grid->aktuelleZeile(), ganz + ganz - 1);
    EXPECT_EQ(grid->model()->data(grid->model()->index(grid->currentIndex().row(), 1)).toString(),
              QString::number(2 * ganz - 1) + QStringLiteral(",0"));

    // Read anew at the next switch: back at the top.
    s.pankenn.tabkenn_Switch(1);
    s.pankenn.tabkenn_Switch(2);
    EXPECT_EQ(grid->ersteZeile(), 0);
    EXPECT_EQ(gewichtAufDemSchirm(grid, 0), QStringLiteral("0,0"));
}

TEST(PanKenn, LoeschenLeertDieListeOhneRueckfrage) {
    TestDatenbank t;
    Seite s(t);
    s.pankenn.datenbankEinrichten();
    s.speichern(500);
    s.pankenn.tabkenn_Switch(2);
    ASSERT_GT(s.liste.rowCount(), 0);

    s.pankenn.cmdlöschen()->click();
    EXPECT_TRUE(s.meldungen.shown.isEmpty()) << s.meldungen.shown.join('\n').toStdString();
    EXPECT_EQ(s.liste.rowCount(), 0);
    EXPECT_EQ(TestDatenbank::zeilen(t.mdb()), 0);
    EXPECT_FALSE(s.pankenn.cmdlöschen()->isHidden());
    // The rows are not gone: the replaced file lies in the Papierkorb beside zel.mdb.
    const QDir korb(t.pfad(QStringLiteral("Papierkorb")));
    const QStringList aufgehoben = korb.entryList({QStringLiteral("zel-*.mdb")}, QDir::Files);
    ASSERT_EQ(aufgehoben.size(), 1) << korb.entryList().join(' ').toStdString();
    EXPECT_EQ(TestDatenbank::zeilen(korb.filePath(aufgehoben.first())), 500);
}

TEST(PanKenn, FehlendeVorlageBeimLoeschenWirdGemeldet) {
    TestDatenbank t;
    Seite s(t);
    s.pankenn.datenbankEinrichten();
    s.speichern(2);
    s.pankenn.tabkenn_Switch(2);
    ASSERT_TRUE(QFile::remove(t.vorlage()));
    s.pankenn.cmdlöschen_Click();
    ASSERT_EQ(s.meldungen.shown.size(), 1);
    EXPECT_TRUE(s.meldungen.shown[0].contains(QStringLiteral("zel.neu")));
    EXPECT_EQ(s.liste.rowCount(), 2);
    EXPECT_TRUE(s.store.speichern(QStringLiteral("9"), QDateTime::currentDateTime()));
}

TEST(PanKenn, OhneDatenbankUndVorlageGenauEineMeldung) {
    TestDatenbank t;
    QFile::remove(t.vorlage());
    Seite s(t, QString(""));
    s.pankenn.datenbankEinrichten();
    ASSERT_EQ(s.meldungen.shown.size(), 1);
    EXPECT_TRUE(s.meldungen.shown[0].contains(QStringLiteral("zel.mdb")));
    EXPECT_TRUE(s.meldungen.shown[0].contains(QStringLiteral("zel.neu")));
}

struct Hauptfenster {
    explicit Hauptfenster(const TestDatenbank& t) : pflege(DatenOrt{t.ordner(), t.vorlage()}, store, liste) {
        dienste.datenbank = &pflege;
        frm = std::make_unique<shell::FrmMain>(dienste);
        frm->Form_Load();
    }
    void speichern(int anzahl, int ab = 0) {
        for (int i = ab; i < ab + anzahl; ++i)
            ASSERT_TRUE(store.speichern(QString::number(i), QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0)).addSecs(i)));
    }
    int zeilenInMdb() {
        store.schliessen();
        const int n = TestDatenbank::zeilen(pflege.datenbankPfad());
        EXPECT_TRUE(store.oeffnen(pflege.datenbankPfad()));
        return n;
    }
    QLabel* bandzeile() const { return frm->statusband()->findChild<QLabel*>(QStringLiteral("papierkorb")); }
    QToolButton* rueckgaengig() const {
        return frm->statusband()->findChild<QToolButton*>(QStringLiteral("papierkorbKnopf"));
    }
    bool angeboten() const { return bandzeile()->isVisibleTo(frm.get()) && rueckgaengig()->isVisibleTo(frm.get()); }

    MemorySettingsStore settings;
    FakeSerialPort port;
    acquisition::SerialLink link{port};
    acquisition::PortMapping ports{settings};
    RecordingMeldungen meldungen;
    WeightStore store;
    GewichteListe liste;
    Datenbankpflege pflege;
    shell::FrmMainDienste dienste{settings, link, ports, meldungen};
    std::unique_ptr<shell::FrmMain> frm;
};

TEST(PanKenn, ImHauptfensterAufSeiteZweiMitDemKnopfAmFenster) {
    TestDatenbank t;
    Hauptfenster h(t);
    shell::FrmMain& frm = *h.frm;

    EXPECT_TRUE(QFileInfo::exists(t.mdb())); // start-up made it from the template
    EXPECT_EQ(frm.tabkenn()->page(2), frm.pankenn());
    QPushButton* loeschen = frm.findChild<QPushButton*>(QStringLiteral("cmdlöschen"));
    ASSERT_NE(loeschen, nullptr);
    EXPECT_EQ(loeschen->parentWidget(), &frm);
    // Not on the first page beside "&Minimieren", and a click that reaches it there anyway empties nothing.
    h.speichern(5);
    EXPECT_TRUE(loeschen->isHidden());
    loeschen->click();
    EXPECT_EQ(h.zeilenInMdb(), 5);
    EXPECT_FALSE(QFileInfo::exists(t.pfad(QStringLiteral("Papierkorb"))));

    frm.tabkenn()->setCurrentIndex(2);
    EXPECT_FALSE(loeschen->isHidden());
    EXPECT_TRUE(h.liste.abgefragt());
    frm.tabkenn()->setCurrentIndex(0);
    EXPECT_TRUE(loeschen->isHidden());
}

TEST(PanKenn, RueckgaengigImStatusbandSolangeDieSeiteSteht) {
    TestDatenbank t;
    Hauptfenster h(t);
    shell::FrmMain& frm = *h.frm;
    ASSERT_TRUE(h.meldungen.shown.isEmpty()) << h.meldungen.shown.join('\n').toStdString();
    h.speichern(5);
    frm.tabkenn()->setCurrentIndex(2);
    ASSERT_EQ(h.liste.rowCount(), 5);

    frm.cmdlöschen()->click();
    EXPECT_EQ(h.liste.rowCount(), 0);
    ASSERT_NE(h.bandzeile(), nullptr);
    ASSERT_NE(h.rueckgaengig(), nullptr);
    EXPECT_TRUE(h.angeboten());
    EXPECT_EQ(h.rueckgaengig()->text(), QStringLiteral("Rückgängig"));
    EXPECT_TRUE(h.bandzeile()->toolTip().contains(QStringLiteral("5 Gewichte gelöscht")))
        << h.bandzeile()->toolTip().toStdString();
    EXPECT_TRUE(h.bandzeile()->toolTip().contains(QDir::toNativeSeparators(t.pfad(QStringLiteral("Papierkorb")))));

    // Recorded meanwhile, then a second click on an empty list: the offer still brings the five back.
    h.speichern(2, 10);
    h.rueckgaengig()->click();
    EXPECT_TRUE(h.meldungen.shown.isEmpty()) << h.meldungen.shown.join('\n').toStdString();
    EXPECT_EQ(h.liste.rowCount(), 5);
    EXPECT_EQ(h.zeilenInMdb(), 5);
    EXPECT_FALSE(h.rueckgaengig()->isVisibleTo(&frm));
    EXPECT_TRUE(h.bandzeile()->isVisibleTo(&frm));
    // The two recorded since the emptying are said to be in the Papierkorb, and they are.
    const QString gesagt = h.bandzeile()->toolTip();
    EXPECT_TRUE(gesagt.contains(QStringLiteral("5 Gewichte wiederhergestellt"))) << gesagt.toStdString();
    EXPECT_TRUE(gesagt.contains(QStringLiteral("Seit dem Löschen aufgezeichnet: 2 Gewichte"))) << gesagt.toStdString();
    const QDir korb(t.pfad(QStringLiteral("Papierkorb")));
    const QStringList aufgehoben = korb.entryList({QStringLiteral("zel-*.mdb")}, QDir::Files);
    ASSERT_EQ(aufgehoben.size(), 1);
    EXPECT_TRUE(gesagt.contains(aufgehoben.first())) << gesagt.toStdString();
    EXPECT_EQ(TestDatenbank::zeilen(korb.filePath(aufgehoben.first())), 2);

    // Offered while the page stays shown: gone with the first switch away, and not back on return.
    frm.cmdlöschen()->click();
    EXPECT_TRUE(h.angeboten());
    frm.tabkenn()->setCurrentIndex(3);
    EXPECT_FALSE(h.bandzeile()->isVisibleTo(&frm));
    EXPECT_FALSE(h.rueckgaengig()->isVisibleTo(&frm));
    frm.tabkenn()->setCurrentIndex(2);
    EXPECT_FALSE(h.angeboten());
    EXPECT_EQ(h.liste.rowCount(), 0);
}

} // namespace
