// Test helper in its own process, so that it can be killed or can hold a lock against the test.
//   aufzeichner aufzeichnen DATEI RUNDE INTERVALL_MS: stores a weight every interval through the weight store
//       and prints "gespeichert WERT" for each row the store reported stored, until it is killed.
//   aufzeichner sperren DATEI MS: holds the file's write lock for MS milliseconds, after printing "gesperrt".
//   aufzeichner programm DATENORDNER INTERVALL_MS: the recording part of the program, composed as the program
//       composes it (store `dattemp`, list `datgewichte`, maintenance on the data folder and its template).
//       Prints "bereit" once both data sources are set, then stores a changing weight every interval and
//       prints "gespeichert WERT" for each row the store reported stored and "nicht gespeichert WERT" for each
//       it did not. Reads one command a line from stdin and answers each with a line starting "ok":
//         liste     the operator switches to the page "Aufzeichnung" and the table shows its first rows
//         weg       the operator leaves the page
//         loeschen  "&Löschen" on the page
//         ende      the program ends
//   aufzeichner programm DATENORDNER INTERVALL_MS ZENTRALE STATION: the same with the sender to the central
//       server, composed as the program composes it (with short waits). Prints "zentrale LAGE WARTEND" at each
//       change of its state, and "ungueltig N" while N rows went with a value the server could not take.
//       One more command:
//         stopp     no more rows are recorded
//         anhalten  the sender stops for good right after the server's next commit, before it marks the rows
//                   sent, and prints "commit BIS" (the batch's highest rowid) - the moment to kill it
#include "recording/datenbankpflege.h"
#include "recording/datenort.h"
#include "recording/gewichteliste.h"
#include "recording/weightstore.h"
#include "zentrale/zeitbuchung.h"
#include "zentrale/zentralesender.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

namespace {

void zeile(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

int aufzeichnen(const QString& datei, int runde, int intervallMs) {
    recording::WeightStore store;
    if (!store.oeffnen(datei)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.fehler()));
        return 1;
    }
    for (int i = 1;; ++i) {
        const QString wert = QString::number(runde * 100000 + i) + QStringLiteral(",5");
        if (store.speichern(wert, QDateTime::currentDateTime()))
            zeile(QStringLiteral("gespeichert ") + wert);
        QThread::msleep(static_cast<unsigned long>(intervallMs));
    }
}

int sperren(const QString& datei, int ms) {
    int rc = 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sperre"));
        db.setDatabaseName(datei);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
                zeile(QStringLiteral("gesperrt"));
                QThread::msleep(static_cast<unsigned long>(ms));
                rc = query.exec(QStringLiteral("COMMIT")) ? 0 : 1;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sperre"));
    return rc;
}

// What a table view asks of the list when the page is shown: the texts of the rows on screen, and one row
// further down as when the operator scrolls.
QString listeZeigen(recording::GewichteListe& liste) {
    if (!liste.abfragen())
        return QStringLiteral("ok liste fehler ") + liste.fehler();
    liste.headerData(0, Qt::Horizontal);
    liste.headerData(1, Qt::Horizontal);
    const int sichtbar = qMin(liste.rowCount(), 30);
    QString erste;
    for (int r = 0; r < sichtbar; ++r) {
        const QString datum = liste.data(liste.index(r, 0)).toString();
        const QString gewicht = liste.data(liste.index(r, 1)).toString();
        if (r == 0)
            erste = datum + u' ' + gewicht;
    }
    if (liste.rowCount() > sichtbar) {
        const int weiter = liste.rowCount() - 1;
        liste.data(liste.index(weiter, 0));
        liste.data(liste.index(weiter, 1));
    }
    return QStringLiteral("ok liste %1 %2").arg(liste.rowCount()).arg(erste);
}

std::unique_ptr<zentrale::ZentraleSender> senderStarten(const QString& server, const QString& station,
                                                        recording::Datenbankpflege& datenbank,
                                                        std::atomic<bool>& anhalten) {
    QString fehler;
    const auto adresse = zentrale::ZentraleAdresse::lesen(server, &fehler);
    if (!adresse) {
        zeile(QStringLiteral("zentrale falsch ") + fehler);
        return nullptr;
    }
    zentrale::ZentraleTakt takt;
    takt.ruheMs = 100;
    takt.wartezeitMinMs = 100;
    takt.wartezeitMaxMs = 400;
    takt.anweisungsFristMs = 2000;
    auto sender = std::make_unique<zentrale::ZentraleSender>(*adresse, station, datenbank.datenbankPfad(), takt);
    sender->setNachCommit([&anhalten](const zentrale::Seitentabellen::Stapel& stapel) {
        if (!anhalten)
            return;
        zeile(QStringLiteral("commit %1").arg(stapel.bisZeile));
        for (;;)
            QThread::sleep(60);
    });
    QObject::connect(
        sender.get(), &zentrale::ZentraleSender::zustandGeaendert, sender.get(),
        [](const zentrale::ZentraleZustand& z) {
            zeile(QStringLiteral("zentrale %1 %2").arg(int(z.lage)).arg(z.wartend));
            if (z.ungueltig > 0)
                zeile(QStringLiteral("ungueltig %1").arg(z.ungueltig));
        },
        Qt::DirectConnection);
    datenbank.setNachlass(sender.get());
    sender->start();
    return sender;
}

int programm(QCoreApplication& app, const QString& ordner, int intervallMs, const QString& server = QString(),
             const QString& station = QString()) {
    zentrale::ZeitBuchung zeitBuchung; // outlives the store, which holds it
    recording::WeightStore gewichtStore;
    recording::GewichteListe gewichteListe;
    recording::Datenbankpflege datenbank(recording::datenOrtFuerProgramm(ordner), gewichtStore, gewichteListe);
    gewichtStore.setBuchung(server.isEmpty() ? nullptr : &zeitBuchung);
    if (!datenbank.startpruefung() || !datenbank.datenquellenSetzen()) {
        std::fprintf(stderr, "%s\n", qPrintable(datenbank.fehler()));
        return 1;
    }
    zeile(QStringLiteral("bereit"));
    std::atomic<bool> anhalten = false;
    std::unique_ptr<zentrale::ZentraleSender> sender;
    if (!server.isEmpty())
        sender = senderStarten(server, station, datenbank, anhalten);

    int nummer = 0;
    QTimer takt;
    takt.setInterval(intervallMs);
    QObject::connect(&takt, &QTimer::timeout, &app, [&] {
        const QString wert = QString::number(100000 + ++nummer) + QStringLiteral(",5");
        if (gewichtStore.speichern(wert, QDateTime::currentDateTime()))
            zeile(QStringLiteral("gespeichert ") + wert);
        else
            zeile(QStringLiteral("nicht gespeichert ") + wert);
    });
    takt.start();

    auto befehl = [&](const QString& text) {
        if (text == QStringLiteral("liste")) {
            zeile(listeZeigen(gewichteListe));
        } else if (text == QStringLiteral("weg")) {
            zeile(QStringLiteral("ok weg"));
        } else if (text == QStringLiteral("loeschen")) {
            // As the button does: the maintenance re-reads a list already shown, the page one never shown.
            const bool geleert = datenbank.leeren();
            if (!gewichteListe.abgefragt())
                gewichteListe.abfragen();
            zeile(geleert ? QStringLiteral("ok loeschen") : QStringLiteral("ok loeschen fehler ") + datenbank.fehler());
        } else if (text == QStringLiteral("stopp")) {
            takt.stop();
            zeile(QStringLiteral("ok stopp"));
        } else if (text == QStringLiteral("anhalten")) {
            anhalten = true;
            zeile(QStringLiteral("ok anhalten"));
        } else if (text == QStringLiteral("ende") || text.isNull()) {
            takt.stop();
            zeile(QStringLiteral("ok ende"));
            app.quit();
        } else {
            zeile(QStringLiteral("ok unbekannt ") + text);
        }
    };
    // Blocking reads of stdin stay off the event loop; each line is handled on the main thread between two
    // rows, as a click would be. The end of input ends the program, so an abandoned test leaves no process.
    std::thread([&app, befehl] {
        std::string text;
        while (std::getline(std::cin, text))
            QMetaObject::invokeMethod(
                &app, [befehl, t = QString::fromStdString(text).trimmed()] { befehl(t); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            &app, [befehl] { befehl(QString()); }, Qt::QueuedConnection);
    }).detach();
    const int rc = app.exec();
    if (sender) {
        sender->beenden(-1);
        datenbank.setNachlass(nullptr);
    }
    return rc;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("aufzeichnen"))
        return aufzeichnen(args[2], args[3].toInt(), args[4].toInt());
    if (args.size() == 4 && args[1] == QStringLiteral("sperren"))
        return sperren(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == QStringLiteral("programm"))
        return programm(app, args[2], args[3].toInt());
    if (args.size() == 6 && args[1] == QStringLiteral("programm"))
        return programm(app, args[2], args[3].toInt(), args[4], args[5]);
    std::fprintf(stderr, "Aufruf: aufzeichner aufzeichnen DATEI RUNDE MS | sperren DATEI MS | programm ORDNER MS\n");
    return 2;
}
