#pragma once

#include <QDeadlineTimer>
#include <QList>
#include <QProcess>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// The recording part of the program in a process of its own (the helper in its mode "programm"), so that it
// can be killed at any moment. Driven through its stdin and followed line by line on its stdout.
class ProgrammProzess {
public:
    // Generous: the machines are shared, and a wait ends as soon as what it waits for is there.
    static constexpr int kWarteMs = 30000;

    // With `zentrale` the sender to that server runs too, under the station's name.
    ProgrammProzess(const QString& ordner, int intervallMs, const QString& zentrale = QString(),
                    const QString& station = QString()) {
        QStringList argumente{QStringLiteral("programm"), ordner, QString::number(intervallMs)};
        if (!zentrale.isEmpty())
            argumente << zentrale << station;
        m_prozess.start(QStringLiteral(GRAMURA_AUFZEICHNER), argumente);
    }
    ~ProgrammProzess() {
        if (m_prozess.state() != QProcess::NotRunning) {
            m_prozess.kill();
            m_prozess.waitForFinished(kWarteMs);
        }
    }

    // Waits until the condition holds over the lines read so far; false when the time is up or the program
    // ended.
    bool warten(const std::function<bool()>& bedingung, int ms = kWarteMs) {
        const QDeadlineTimer frist(ms);
        for (;;) {
            zeilenLesen();
            if (bedingung())
                return true;
            if (frist.hasExpired() || m_prozess.state() == QProcess::NotRunning)
                return false;
            m_prozess.waitForReadyRead(static_cast<int>(qMax<qint64>(1, frist.remainingTime())));
        }
    }

    bool bereit() {
        return warten([this] { return !m_zeilen.isEmpty(); }) && m_zeilen.first() == "bereit";
    }

    // Sends one command and returns the program's answer once it is there; the index of the answer among all
    // lines marks which rows were stored before and which after the command.
    std::optional<qsizetype> befehl(const QByteArray& text) {
        const qsizetype ab = m_zeilen.size();
        m_prozess.write(text + '\n');
        std::optional<qsizetype> antwort;
        warten([&] {
            for (qsizetype i = ab; i < m_zeilen.size() && !antwort; ++i)
                if (m_zeilen[i] == "ok " + text || m_zeilen[i].startsWith("ok " + text + ' '))
                    antwort = i;
            return antwort.has_value();
        });
        return antwort;
    }

    // Waits for n more rows reported stored.
    bool weitereGespeichert(int n) {
        const qsizetype ziel = gespeichert().size() + n;
        return warten([&] { return gespeichert().size() >= ziel; });
    }

    // SIGKILL: no chance to close the database or flush anything. Only complete lines count.
    void toeten() {
        zeilenLesen();
        m_prozess.kill();
        EXPECT_TRUE(m_prozess.waitForFinished(kWarteMs));
        const QList<QByteArray> rest = m_prozess.readAllStandardOutput().split('\n');
        for (qsizetype i = 0; i + 1 < rest.size(); ++i)
            m_zeilen << rest[i];
    }

    const QList<QByteArray>& zeilen() const { return m_zeilen; }
    QString fehlerausgabe() { return QString::fromLocal8Bit(m_prozess.readAllStandardError()); }

    // The values of the lines with the given prefix in [ab, bis), in the order they were printed.
    QList<double> werte(const QByteArray& praefix, qsizetype ab = 0, qsizetype bis = -1) const {
        QList<double> liste;
        const qsizetype ende = bis < 0 ? m_zeilen.size() : qMin(bis, m_zeilen.size());
        for (qsizetype i = ab; i < ende; ++i)
            if (m_zeilen[i].startsWith(praefix))
                liste << m_zeilen[i].mid(praefix.size()).replace(',', '.').toDouble();
        return liste;
    }
    QList<double> gespeichert(qsizetype ab = 0, qsizetype bis = -1) const { return werte("gespeichert ", ab, bis); }
    QList<double> nichtGespeichert(qsizetype ab = 0, qsizetype bis = -1) const {
        return werte("nicht gespeichert ", ab, bis);
    }

private:
    void zeilenLesen() {
        while (m_prozess.canReadLine())
            m_zeilen << m_prozess.readLine().chopped(1);
    }

    QProcess m_prozess;
    QList<QByteArray> m_zeilen;
};
