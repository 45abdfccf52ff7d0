// Test helper in its own process, so that it can be killed or can hold a lock against the test.
//   aufzeichner aufzeichnen DATEI RUNDE INTERVALL_MS: stores a weight every interval through the weight store
//       and prints "gespeichert WERT" for each row the store reported stored, until it is killed.
//   aufzeichner sperren DATEI MS: holds the file's write lock for MS milliseconds, after printing "gesperrt".
#include "recording/weightstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <cstdio>

namespace {

int aufzeichnen(const QString& datei, int runde, int intervallMs) {
    recording::WeightStore store;
    if (!store.oeffnen(datei)) {
        std::fprintf(stderr, "%s\n", qPrintable(store.fehler()));
        return 1;
    }
    for (int i = 1;; ++i) {
        const QString wert = QString::number(runde * 100000 + i) + QStringLiteral(",5");
        if (store.speichern(wert, QDateTime::currentDateTime())) {
            std::printf("gespeichert %s\n", qPrintable(wert));
            std::fflush(stdout);
        }
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
                std::printf("gesperrt\n");
                std::fflush(stdout);
                QThread::msleep(static_cast<unsigned long>(ms));
                rc = query.exec(QStringLiteral("COMMIT")) ? 0 : 1;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sperre"));
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
    std::fprintf(stderr, "Aufruf: aufzeichner aufzeichnen DATEI RUNDE MS | sperren DATEI MS\n");
    return 2;
}
