#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

// The sqlite3 shell as another program on zel.mdb: a process of its own, so that its locks and its closing
// of the file meet the program's as they do at the operator's. A second connection inside the test process
// would share the locks of every other connection there and hide exactly what these tests look for.
//
// Either one run per statement (ausfuehren), or a shell kept open and fed through its stdin, for a
// transaction that stays open while the program records.
class SqliteProzess {
public:
    static constexpr int kWarteMs = 30000;

    struct Ergebnis {
        int rc = -1;
        QStringList zeilen;
        QString fehler;
    };

    // One run of the shell with a statement or dot command, waiting for locks as long as a person would.
    static Ergebnis ausfuehren(const QString& datei, const QString& befehl) {
        QProcess p;
        p.start(QStringLiteral(GRAMURA_SQLITE3), {QStringLiteral("-cmd"), kWartenAufSperren, datei, befehl});
        Ergebnis e;
        if (!p.waitForStarted(kWarteMs) || !p.waitForFinished(kWarteMs)) {
            e.fehler = QStringLiteral("sqlite3 lief nicht: ") + p.errorString();
            return e;
        }
        e.rc = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        e.zeilen = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        e.fehler = QString::fromLocal8Bit(p.readAllStandardError());
        return e;
    }

    // The weights the program recorded; rows filled in beforehand stay below 100000.
    static std::optional<QSet<double>> programmwerte(const QString& datei) {
        const Ergebnis e = ausfuehren(datei, QStringLiteral("select Gewicht from Gewichte where Gewicht > 100000"));
        EXPECT_EQ(e.rc, 0) << e.fehler.toStdString();
        if (e.rc != 0)
            return std::nullopt;
        QSet<double> werte;
        for (const QString& z : e.zeilen)
            werte.insert(z.toDouble());
        return werte;
    }

    // "ok" for a sound file, otherwise what SQLite found.
    static std::string integritaet(const QString& datei) {
        const Ergebnis e = ausfuehren(datei, QStringLiteral("PRAGMA integrity_check"));
        EXPECT_EQ(e.rc, 0) << e.fehler.toStdString();
        return e.zeilen.join(u'\n').toStdString();
    }

    // A shell kept open on the file, fed statement by statement.
    explicit SqliteProzess(const QString& datei) {
        m_prozess.start(QStringLiteral(GRAMURA_SQLITE3), {QStringLiteral("-cmd"), kWartenAufSperren, datei});
    }
    ~SqliteProzess() {
        if (m_prozess.state() != QProcess::NotRunning) {
            m_prozess.kill();
            m_prozess.waitForFinished(kWarteMs);
        }
    }

    // Runs the statements and returns their output once the shell has done them all; nothing when it did not
    // within the time or wrote an error.
    std::optional<QStringList> eingeben(const QString& sql) {
        const QString marke = QStringLiteral("fertig-%1").arg(++m_marken);
        m_prozess.write((sql + QStringLiteral("\nselect '%1';\n").arg(marke)).toUtf8());
        const QDeadlineTimer frist(kWarteMs);
        QStringList ausgabe;
        for (;;) {
            while (m_prozess.canReadLine()) {
                const QString zeile = QString::fromUtf8(m_prozess.readLine()).trimmed();
                if (zeile == marke) {
                    const QString fehler = QString::fromLocal8Bit(m_prozess.readAllStandardError());
                    EXPECT_TRUE(fehler.isEmpty()) << sql.toStdString() << ": " << fehler.toStdString();
                    return fehler.isEmpty() ? std::optional(ausgabe) : std::nullopt;
                }
                ausgabe << zeile;
            }
            if (frist.hasExpired() || m_prozess.state() == QProcess::NotRunning) {
                ADD_FAILURE() << sql.toStdString() << ": " << m_prozess.readAllStandardError().toStdString();
                return std::nullopt;
            }
            m_prozess.waitForReadyRead(static_cast<int>(qMax<qint64>(1, frist.remainingTime())));
        }
    }

    // Ends the shell as a person would with the end of input; true when it ended without error.
    bool beenden() {
        m_prozess.closeWriteChannel();
        return m_prozess.waitForFinished(kWarteMs) && m_prozess.exitStatus() == QProcess::NormalExit &&
               m_prozess.exitCode() == 0;
    }

private:
    static inline const QString kWartenAufSperren = QStringLiteral(".timeout 10000");

    QProcess m_prozess;
    int m_marken = 0;
};
