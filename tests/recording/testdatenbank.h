#pragma once

#include "recording/datenquelle.h"
#include "recording/vorlage.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

// A folder of its own per test, with the template as the build makes it, and a raw look into a database
// file that does not go through the code under test.
class TestDatenbank {
public:
    TestDatenbank() {
        QString fehler;
        EXPECT_TRUE(recording::vorlageErzeugen(vorlage(), &fehler)) << fehler.toStdString();
    }

    QString ordner() const { return m_dir.path(); }
    QString pfad(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    QString vorlage() const { return pfad(QStringLiteral("zel.neu")); }
    QString mdb() const { return pfad(QStringLiteral("zel.mdb")); }

    void mdbAusVorlage() const { ASSERT_TRUE(QFile::copy(vorlage(), mdb())); }

    // Reads a file's bytes past SQLite: never while a connection of this process holds it, or SQLite's
    // locks on it would be gone.
    static QByteArray inhalt(const QString& pfad) {
        EXPECT_FALSE(recording::Datenquelle::inBenutzung(pfad)) << pfad.toStdString();
        QFile file(pfad);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs one statement on its own connection and returns the first column of every row.
    static QVariantList abfrage(const QString& pfad, const QString& sql) {
        QVariantList werte;
        const QString name = QStringLiteral("testblick");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(pfad);
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
            while (query.next())
                werte << query.value(0);
            query = QSqlQuery();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return werte;
    }

    static int zeilen(const QString& pfad) {
        const QVariantList werte = abfrage(pfad, QStringLiteral("select count(*) from Gewichte"));
        return werte.isEmpty() ? -1 : werte.first().toInt();
    }

private:
    QTemporaryDir m_dir;
};
