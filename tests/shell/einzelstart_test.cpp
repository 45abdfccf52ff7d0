#include "platform/prozesszugang.h"
#include "shell/einzelstart.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Answers as Windows would for a running program started with more rights, or with the same, and notes
// what the second start asked.
class FakeProzessZugang final : public platform::ProzessZugang {
public:
    explicit FakeProzessZugang(bool erhoehtAntwort) : m_erhoeht(erhoehtAntwort) {}
    bool erhoeht(qint64 pid) override {
        gefragt = pid;
        return m_erhoeht;
    }
    void vordergrundErlauben(qint64 pid) override { erlaubt = pid; }

    std::atomic<qint64> gefragt{0};
    std::atomic<qint64> erlaubt{0};

private:
    bool m_erhoeht;
};

// The running program: a start of its own on a thread with an event loop, so it answers while the second
// start waits on this one.
class ErsterStart {
public:
    explicit ErsterStart(const QString& ordner) {
        m_thread.start();
        m_heimat.moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            &m_heimat,
            [this, ordner] {
                m_start = std::make_unique<shell::EinzelStart>(ordner);
                m_ergebnis = m_start->anmelden();
                QObject::connect(
                    m_start.get(), &shell::EinzelStart::nachVornGewuenscht, m_start.get(),
                    [this] { m_gewuenscht = true; }, Qt::DirectConnection);
            },
            Qt::BlockingQueuedConnection);
    }
    ~ErsterStart() {
        QMetaObject::invokeMethod(
            &m_heimat, [this] { m_start.reset(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    shell::EinzelStart::Ergebnis ergebnis() const { return m_ergebnis; }
    bool gewuenscht() const { return m_gewuenscht; }

private:
    QThread m_thread;
    QObject m_heimat;
    std::unique_ptr<shell::EinzelStart> m_start;
    shell::EinzelStart::Ergebnis m_ergebnis = shell::EinzelStart::Ergebnis::Haengt;
    std::atomic<bool> m_gewuenscht{false};
};

TEST(EinzelStartTest, SecondStartLetsTheRunningProgramTakeTheForegroundAndHandsOver) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    ErsterStart erster(ordner.path());
    ASSERT_EQ(erster.ergebnis(), shell::EinzelStart::Ergebnis::Erster);

    FakeProzessZugang zugang(false);
    shell::EinzelStart zweiter(ordner.path(), &zugang);
    EXPECT_EQ(zweiter.anmelden(), shell::EinzelStart::Ergebnis::Weitergereicht);
    // The running program's own process number, read from its lock: here both are this test's process.
    EXPECT_EQ(zugang.erlaubt.load(), QCoreApplication::applicationPid());
    EXPECT_TRUE(erster.gewuenscht());
}

TEST(EinzelStartTest, RunningProgramWithMoreRightsIsToldAtOnceNotWaitedFor) {
    QTemporaryDir ordner;
    ASSERT_TRUE(ordner.isValid());
    // The running program answers nothing here (no event loop on its thread while the second start runs):
    // only the answer about its rights can end the second start before its wait.
    shell::EinzelStart erster(ordner.path());
    ASSERT_EQ(erster.anmelden(), shell::EinzelStart::Ergebnis::Erster);

    FakeProzessZugang zugang(true);
    shell::EinzelStart zweiter(ordner.path(), &zugang);
    EXPECT_EQ(zweiter.anmelden(), shell::EinzelStart::Ergebnis::Erhoeht);
    EXPECT_EQ(zugang.gefragt.load(), QCoreApplication::applicationPid());
    EXPECT_EQ(zugang.erlaubt.load(), 0) << "a program out of reach is not asked to come to the front";
}

} // namespace
